// Per-cell text routines that sorting and import run once per cell or comparison: number
// classification, number extraction and short-date parsing over a column of mixed texts.
#include <benchmark/benchmark.h>

#include <vector>

#include "grid/foundation/ZazAdez.h"

namespace {

std::vector<String> MixedColumn(int rows) {
  const String samples[] = {u"12345",   u"-17",      u"1,234.50", u"(99.5)", u"3.4.25",
                            u"1e-5",    u"12 kg",    u"EUR 12",   u"text",   u"12/31/1999",
                            u"0.000125", u"-1,000,000"};
  std::vector<String> column;
  column.reserve(static_cast<size_t>(rows));
  for (int i = 0; i < rows; ++i) column.push_back(samples[i % std::size(samples)]);
  return column;
}

void BM_ClassifyNumberText(benchmark::State& st) {
  const auto column = MixedColumn(10000);
  for (auto _ : st)
    for (const String& s : column) benchmark::DoNotOptimize(ClassifyNumberText(s));
  st.SetItemsProcessed(st.iterations() * static_cast<int64_t>(column.size()));
}
BENCHMARK(BM_ClassifyNumberText);

void BM_ExtractNumberText(benchmark::State& st) {
  const auto column = MixedColumn(10000);
  for (auto _ : st)
    for (const String& s : column) benchmark::DoNotOptimize(ExtractNumberText(s));
  st.SetItemsProcessed(st.iterations() * static_cast<int64_t>(column.size()));
}
BENCHMARK(BM_ExtractNumberText);

void BM_ParseDateDMY(benchmark::State& st) {
  const auto column = MixedColumn(10000);
  for (auto _ : st)
    for (const String& s : column) {
      try {
        benchmark::DoNotOptimize(ParseDateDMY(s));
      } catch (const EConvertError&) {
      }
    }
  st.SetItemsProcessed(st.iterations() * static_cast<int64_t>(column.size()));
}
BENCHMARK(BM_ParseDateDMY);

}  // namespace
