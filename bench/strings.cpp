#include <benchmark/benchmark.h>
#include "platform/UString.h"

static void BM_Utf8ToString(benchmark::State& st) {
  std::string s(4096, 'a');
  for (auto _ : st) benchmark::DoNotOptimize(Utf8ToString(s));
}
BENCHMARK(BM_Utf8ToString);

static void BM_StringToUtf8Ascii(benchmark::State& st) {
  const String s(4096, u'a');
  for (auto _ : st) benchmark::DoNotOptimize(StringToUtf8(s));
}
BENCHMARK(BM_StringToUtf8Ascii);

// Accented text: the path past the ASCII prefix.
static void BM_StringToUtf8Accented(benchmark::State& st) {
  String s;
  while (s.size() < 4096) s += u"Caf\u00e9 na\u00efve \u20ac ";
  for (auto _ : st) benchmark::DoNotOptimize(StringToUtf8(s));
}
BENCHMARK(BM_StringToUtf8Accented);
