#!/usr/bin/env bash
# run.sh [seconds] [target...]: builds the reader fuzz targets with clang++ (libFuzzer, address
# and undefined-behaviour sanitizers on the readers' sources) against the libraries of a CMake
# build of the tree, seeds each from tests/fixtures, and runs each for a few seconds (10 by
# default). With no target named, every *_fuzz.cpp of this folder runs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build=${FUZZ_BUILD:-"$top/build-fuzz-readers"}
out=${FUZZ_OUT:-"$build/fuzz-readers"}
secs=${1:-10}
shift || true
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target parameters gateway shell grid_core grid_dropdown grid_foundation platform_testing >/dev/null
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$here" -B "$out/build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DCONF_BUILD="$build" "${launcher[@]}" >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$here"/*_fuzz.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
cmake --build "$out/build" --target "${targets[@]}" >/dev/null

fx="$top/tests/fixtures"
# Seeds: the fixtures each reader reads in the tests.
seed() {  # seed <target> <files...>
  local dir="$out/corpus/$1"
  shift
  mkdir -p "$dir"
  local f
  for f in "$@"; do [ -f "$f" ] && cp "$f" "$dir/$(echo "$f" | tr '/' '_')"; done
  return 0
}
seed xml_fuzz "$fx"/platform/xml/* "$fx"/parameters/ParGen_default.xml "$fx"/shell/Kelvane_example.xml \
  "$fx"/gateway/snmp/SNMP_Trap.xml "$fx"/gateway/lorawan/LoRaWAN_Gateway.xml
seed settings_fuzz "$fx"/shell/Kelvane_example.xml
seed language_fuzz "$fx"/shell/lang/*.lng
seed text_fuzz "$fx"/platform/pilcrow_*.txt "$fx"/shell/lang/Deutsch_UTF16LE.lng
seed pargen_fuzz "$fx"/parameters/ParGen_default.xml
seed rtf_fuzz "$fx"/platform/rtf/*.rtf
seed version_fuzz
seed ede_fuzz "$fx"/bacnet/export.csv
printf 'VER. 1.002' >"$out/corpus/version_fuzz/newer"
printf '\xEF\xBB\xBFVER. 0.999\r\n' >"$out/corpus/version_fuzz/older"
seed numbers_fuzz
i=0
for s in ' -2147483648' '$7FFFFFFF' '0x1F' '-1.5E+300' '12/03/2024 10:30:00' '%d %-8s %.2f %x %*d'; do
  printf '%s' "$s" >"$out/corpus/numbers_fuzz/seed$i"
  i=$((i + 1))
done
mkdir -p "$out/corpus/tables_fuzz" "$out/corpus/image_fuzz" "$out/corpus/picture_fuzz"
{ printf '\x00'; cat "$fx"/gateway/snmp/SNMP_Trap.xml; } >"$out/corpus/tables_fuzz/snmp"
{ printf '\x00'; cat "$fx"/gateway/mib/SNMP_Trap.xml; } >"$out/corpus/tables_fuzz/mib"
{ printf '\x01'; cat "$fx"/gateway/lorawan/LoRaWAN_Gateway.xml; } >"$out/corpus/tables_fuzz/lorawan"
{ printf '\x03'; cat "$fx"/gateway/lorawan/LoRaWAN_Gateway.xml; } >"$out/corpus/tables_fuzz/lorawan_end_node"
{ cat "$fx"/parameters/ParGen_default.xml; printf '\n@@\n'; cat "$fx"/gateway/snmp/SNMP_Trap.xml; printf '\n@@\n';
  cat "$fx"/gateway/lorawan/LoRaWAN_Gateway.xml; } >"$out/corpus/image_fuzz/configuration"
# Pictures: no fixture holds one; seeds/picture_fuzz has a small file of each kind the loader takes.
printf '\xFF\xD8\xFF\xDB' >"$out/corpus/picture_fuzz/jpeg_start"
printf 'BM' >"$out/corpus/picture_fuzz/bmp_start"
printf 'GIF89a\x10\x00\x10\x00\x00\x00\x00;' >"$out/corpus/picture_fuzz/gif"
printf '\x89PNG\r\n\x1a\n' >"$out/corpus/picture_fuzz/png_start"
# What longer runs found worth keeping (kept small, minimised with -merge=1): a short run starts
# from their coverage instead of finding it again.
for d in "$here"/seeds/*/; do
  t=$(basename "$d")
  mkdir -p "$out/corpus/$t"
  cp "$d"* "$out/corpus/$t/"
done

# Leaks inside the system's libraries (fonts, Qt) are not the readers'.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$top/.ci/lsan.supp:print_suppressions=0}
# The targets run side by side, one per core: each is single-threaded and runs for a fixed time.
jobs=${FUZZ_JOBS:-$(nproc)}
run_one() {  # run_one <target>: 0 when the run found nothing
  QT_QPA_PLATFORM=offscreen "$out/build/$1" -max_total_time="$secs" -max_len=8192 -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$out/artifacts/$1/" "$out/corpus/$1" 2>"$out/$1.log"
}
failed=0
pids=()
names=()
reap() {  # reap: waits for the oldest running target and reports it
  local t=${names[0]}
  if ! wait "${pids[0]}"; then
    echo "$t: a finding, see $out/$t.log and $out/artifacts/$t/"
    tail -40 "$out/$t.log"
    failed=1
  fi
  pids=("${pids[@]:1}")
  names=("${names[@]:1}")
}
for t in "${targets[@]}"; do
  mkdir -p "$out/corpus/$t" "$out/artifacts/$t"
  echo "== $t (${secs} s)"
  run_one "$t" &
  pids+=($!)
  names+=("$t")
  if [ ${#pids[@]} -ge "$jobs" ]; then reap; fi
done
while [ ${#pids[@]} -gt 0 ]; do reap; done
exit $failed
