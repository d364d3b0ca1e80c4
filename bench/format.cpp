#include <benchmark/benchmark.h>

#include "platform/SysUtils.h"

static void BM_FormatMixed(benchmark::State& st) {
  for (auto _ : st)
    benchmark::DoNotOptimize(Format(u"%s %5d %.2f %x", {u"Port", 42, 3.14159, 255}));
}
BENCHMARK(BM_FormatMixed);

static void BM_FloatToStr(benchmark::State& st) {
  double v = 0.1;
  for (auto _ : st) {
    benchmark::DoNotOptimize(FloatToStr(v));
    v += 0.37;
  }
}
BENCHMARK(BM_FloatToStr);

static void BM_StrToIntDef(benchmark::State& st) {
  const String texts[] = {u"  12", u"$1F", u"2147483647", u"12 "};
  size_t i = 0;
  for (auto _ : st) benchmark::DoNotOptimize(StrToIntDef(texts[i++ & 3], -1));
}
BENCHMARK(BM_StrToIntDef);

static void BM_FormatDateTime(benchmark::State& st) {
  const TDateTime dt = EncodeDate(2026, 3, 7) + EncodeTime(14, 5, 9, 45);
  for (auto _ : st) benchmark::DoNotOptimize(FormatDateTime(u"yyyy-mm-dd hh:nn:ss.zzz", dt));
}
BENCHMARK(BM_FormatDateTime);
