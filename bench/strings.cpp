#include <benchmark/benchmark.h>
#include "platform/UString.h"

static void BM_Utf8ToString(benchmark::State& st) {
  std::string s(4096, 'a');
  for (auto _ : st) benchmark::DoNotOptimize(Utf8ToString(s));
}
BENCHMARK(BM_Utf8ToString);
