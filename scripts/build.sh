#!/usr/bin/env bash
# build.sh [build-dir] [extra cmake args...]: configures and builds with Ninja (only the targets in
# $TARGETS when set, everything otherwise).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$top/build"}; shift || true
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# Without these ccache never hits on a source compiled with a precompiled header.
export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "${launcher[@]}" "$@" >/dev/null
targets=()
for t in ${TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
