#!/usr/bin/env bash
# run.sh [seconds]: builds the filter matcher's fuzz target with clang++ (libFuzzer, address and
# undefined-behaviour sanitizers) and runs it for a few seconds (10 by default).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
out=${FUZZ_OUT:-"$top/build-fuzz"}
secs=${1:-10}
mkdir -p "$out/corpus"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$top" $(pkg-config --cflags Qt6Core) -fPIC "$here/filter_fuzz.cpp" "$top/grid/foundation/ZazAdezFilter.cpp" \
  "$top/platform/SysUtils.cpp" "$top/platform/UString.cpp" "$top/platform/TimeSource.cpp" \
  $(pkg-config --libs Qt6Core) -o "$out/filter_fuzz"
# A few seeds from the documented cases.
printf '\x00>=10\x0010.5' >"$out/corpus/seed1"
printf '\x01(a|b)&c\x00c' >"$out/corpus/seed2"
printf '\x00!A*\x00apple' >"$out/corpus/seed3"
printf '\x00>01/02/2020\x0015/02/2020 10:30' >"$out/corpus/seed4"
printf '\x00((((x|"y&z"\x00x' >"$out/corpus/seed5"
# What longer runs found worth keeping (minimised with -merge=1).
if [ -d "$here/filter_seeds" ]; then cp "$here"/filter_seeds/* "$out/corpus/"; fi
"$out/filter_fuzz" -max_total_time="$secs" -max_len=512 -timeout=5 "$out/corpus"
