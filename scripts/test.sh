#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. test.sh [build-dir] [extra cmake args...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
dir=${1:-"$top/build"}; shift || true
t0=$SECONDS
"$top/scripts/build.sh" "$dir" "$@"
echo "== build: $((SECONDS - t0)) s"
t0=$SECONDS
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" --timeout 300
echo "== tests: $((SECONDS - t0)) s"
