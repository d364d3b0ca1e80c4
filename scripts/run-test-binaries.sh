#!/usr/bin/env bash
# run-test-binaries.sh <build-dir>: runs every test executable of <build-dir>/tests whole, each cut
# into shards that run side by side. For the sanitizer build: one process per test (what ctest
# does) spends most of that run starting Qt and the sanitizer runtime 1,500 times over.
set -euo pipefail
dir=${1:?build directory}
jobs=$(nproc)
shards=$((jobs * 2))
out="$dir/test-shards"
rm -rf "$out" && mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen
mapfile -t exes < <(find "$dir/tests" -maxdepth 1 -type f -executable -name 'test_*' ! -name '*.cmake' | sort)
if [ ${#exes[@]} -eq 0 ]; then
  echo "no test executables in $dir/tests" >&2
  exit 1
fi
run_shard() {  # run_shard <exe> <index> <count> <log>
  GTEST_SHARD_INDEX=$2 GTEST_TOTAL_SHARDS=$3 timeout 1800 "$1" --gtest_brief=1 >"$4" 2>&1
}
export -f run_shard
t0=$SECONDS
for exe in "${exes[@]}"; do
  for ((i = 0; i < shards; i++)); do
    printf '%s\0%s\0%s\0%s\0' "$exe" "$i" "$shards" "$out/$(basename "$exe").$i.log"
  done
done | xargs -0 -n 4 -P "$jobs" bash -c 'run_shard "$@" || echo "$4" >"$4.failed"' _ \
  || true
failed=0
for f in "$out"/*.failed; do
  [ -e "$f" ] || continue
  failed=1
  log=$(cat "$f")
  echo "---- failed: $(basename "$log" .log)"
  cat "$log"
done
echo "== test binaries: ${#exes[@]} executables, $shards shards each, $((SECONDS - t0)) s"
if [ $failed -ne 0 ]; then
  exit 1
fi
# Brief output names only failures; the summaries say how many ran.
ran=$(cat "$out"/*.log | sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' | awk '{n += $1} END {print n + 0}')
echo "== tests passed: $ran"
