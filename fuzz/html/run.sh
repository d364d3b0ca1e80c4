#!/usr/bin/env bash
# run.sh [seconds]: builds the mini-HTML fuzz target with clang++ (libFuzzer, address and
# undefined-behaviour sanitizers on the mini-HTML sources) against the libraries of a CMake
# build of the tree, and runs it for a few seconds (10 by default).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build=${FUZZ_BUILD:-"$top/build-fuzz-html"}
out=${FUZZ_OUT:-"$build/fuzz"}
secs=${1:-10}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target grid_foundation platform_testing >/dev/null
mkdir -p "$out/corpus"
libs=$(pkg-config --libs Qt6Widgets Qt6PrintSupport Qt6Gui Qt6Core pugixml libcurl libjpeg)
# The sources compiled here are CONF_FUZZED_HTML of fuzz/FuzzedSources.cmake.
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$top" $(pkg-config --cflags Qt6Core) -fPIC \
  "$here/html_fuzz.cpp" "$top/grid/foundation/AsgHTMLE.cpp" "$top/grid/foundation/AsgHTMLEText.cpp" \
  "$top/grid/foundation/PictureContainer.cpp" \
  "$build/grid/foundation/libgrid_foundation.a" "$build/platform/libplatform_testing.a" \
  "$build/platform/libplatform.a" $libs -o "$out/html_fuzz"
# Seeds: measure, hit-test and draw modes, and the CONTROL routines (mode byte >= 128).
printf '\x00\x50\x05\x05<B>a&amp;b</B> <A HREF="x">ln</A><BR>c' >"$out/corpus/seed1"
printf '\x01\x20\x10\x08<UL><LI>one<LI>two</UL><P ALIGN="center">p</P>' >"$out/corpus/seed2"
printf '\x02\x80\x08\x08<CONTROL TYPE="CHECK" ID="c1" VALUE="TRUE" WIDTH="16"><IMG SRC="IDX:1">' >"$out/corpus/seed3"
printf '\x80\x00\x00\x00<CONTROL TYPE="EDIT" ID="e" VALUE="&eacute;" WIDTH="9" MAXLEN="3"> &amp;' >"$out/corpus/seed4"
printf '\x42\x10\x00\x00<FONT SIZE=3 COLOR="#ff0000">x<SUB>y</SUB><Z>h</Z><IND x="40">' >"$out/corpus/seed5"
# What longer runs found worth keeping (minimised with -merge=1).
if [ -d "$here/seeds" ]; then cp "$here"/seeds/* "$out/corpus/"; fi
QT_QPA_PLATFORM=offscreen "$out/html_fuzz" -max_total_time="$secs" -max_len=512 -timeout=5 -artifact_prefix="$out/" "$out/corpus"
