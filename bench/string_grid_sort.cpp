// The string grid's sorts against Qt's QSortFilterProxyModel over a table model of the same texts,
// in the same run: 100,000 rows x 5 columns (integers, decimals with the locale's separator,
// dd/mm/yyyy dates, text, "Y"/"N"), each column sorted in six orders of the data (random, sorted,
// reversed, all equal, organ pipe, few distinct); an indexed sort on two keys; the way back to
// the unsorted order; grouping into 1,000 groups. Each ratio is grid / Qt, from paired runs (Paired.h):
// ms_ratio_med is the figure to read.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

#include "Paired.h"
#include "grid/core/AdvGrid.h"
#include "platform/testing/QtReferenceSort.h"
#include "platform/testing/Stopwatch.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 5;
enum TOrder { oRandom, oSorted, oReversed, oAllEqual, oOrganPipe, oFewDistinct };
const char* const kOrderNames[] = {"random", "sorted", "reversed", "all_equal", "organ_pipe", "few_distinct"};
const char* const kColumnNames[] = {"integer", "decimal", "date", "text", "yes_no"};
const std::vector<TSortValueKind> kKinds = {TSortValueKind::Integer, TSortValueKind::Decimal, TSortValueKind::Date,
                                            TSortValueKind::Text, TSortValueKind::Text};

// The data set the text function answers for (a plain function is what the Qt peer takes).
TOrder gOrder = oRandom;
int gRows = kRows;
bool gGroups = false;  // column 3 then holds one of 1,000 group names

struct TSortLocale {
  TSortLocale() {
    FormatSettings().DecimalSeparator = u',';
    FormatSettings().ThousandSeparator = u'.';
    FormatSettings().DateSeparator = u'/';
    FormatSettings().ShortDateFormat = u"dd/mm/yyyy";
  }
};

int SortValue(int r) {
  const unsigned h = static_cast<unsigned>(r) * 2654435761u;
  switch (gOrder) {
    case oRandom: return static_cast<int>((h >> 8) % 1000000);
    case oSorted: return r;
    case oReversed: return gRows - r;
    case oAllEqual: return 7;
    case oOrganPipe: return r < gRows / 2 ? r : gRows - r;
    default: return static_cast<int>((h >> 8) % 10);
  }
}

String TwoDigits(int v) { return (v < 10 ? u"0" : u"") + IntToStr(v); }

String SortCellText(int c, int r) {
  const int v = SortValue(r);
  switch (c) {
    case 0: return IntToStr(v);
    case 1: return IntToStr(v / 100) + FormatSettings().DecimalSeparator + TwoDigits(v % 100);
    case 2: {
      Word y = 0, m = 0, d = 0;
      DecodeDate(EncodeDate(1970, 1, 1) + (v % 1000000) / 50, y, m, d);
      return TwoDigits(d) + u"/" + TwoDigits(m) + u"/" + IntToStr(y);
    }
    case 3: {
      if (gGroups) return u"G" + IntToStr(1000 + v % 1000);
      String s(5, u'a');
      for (int k = 4, x = v; k >= 0; --k, x /= 26) s[static_cast<size_t>(k)] = static_cast<Char>(u'a' + x % 26);
      return s;
    }
    default: {
      const bool yes = gOrder == oRandom || gOrder == oFewDistinct ? v % 2 == 1 : v >= gRows / 2;
      return yes ? u"Y" : u"N";
    }
  }
}

std::unique_ptr<TAdvStringGrid> SortGrid() {
  std::unique_ptr<TAdvStringGrid> g(New<TAdvStringGrid>(nullptr));
  g->SetColCount(kCols);
  g->SetRowCount(gRows + 1);
  g->SetFixedRows(1);
  g->SetFixedCols(0);
  for (int r = 0; r < gRows; ++r)
    for (int c = 0; c < kCols; ++c) g->SetCellEx(c, r + 1, SortCellText(c, r));
  return g;
}

size_t GridEnds(TAdvStringGrid* g) { return g->GetCellEx(0, 1).size() + g->GetCellEx(0, g->RowCount() - 1).size(); }

// Paired runs: the grid's and Qt's work alternate in the same process, kReps times on the same
// data (each put back in its first order between runs, untimed).
constexpr int kReps = 3;

void Report(benchmark::State& state, const bench::PairedTimes& Times) {
  state.counters["rows"] = gRows;
  Times.Report(state, "ms");
}

void BM_Sort(benchmark::State& state) {
  static TSortLocale locale;
  const int col = static_cast<int>(state.range(0));
  gOrder = static_cast<TOrder>(state.range(1));
  gRows = kRows;
  gGroups = false;
  // Full (the default) decides ties on the columns to the right; off, the grid sorts on the one
  // column as the proxy does.
  const bool full = state.range(2) != 0;
  state.SetLabel(std::string(kColumnNames[col]) + "/" + kOrderNames[gOrder] + (full ? "" : "/one_column"));
  for (auto _ : state) {
    size_t checksum = 0;
    auto g = SortGrid();
    g->SortSettings()->SetFull(full);
    TQtReferenceSort qt(gRows, kKinds, SortCellText);
    bench::PairedTimes times;
    for (int k = 0; k < kReps; ++k) {
      const auto t0 = std::chrono::steady_clock::now();
      g->Sort(col, sdAscending);
      const double grid = conftesting::MsSince(t0);
      checksum += GridEnds(g.get());
      g->QUnSort();
      times.Add(grid, qt.Sort(col, true, checksum));
      qt.UnSort(checksum);
    }
    benchmark::DoNotOptimize(checksum);
    Report(state, times);
  }
}
BENCHMARK(BM_Sort)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {oRandom, oSorted, oReversed, oAllEqual, oOrganPipe, oFewDistinct}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// "Y"/"N" ascending, then the integers descending.
void BM_SortIndexedTwoKeys(benchmark::State& state) {
  static TSortLocale locale;
  gOrder = oRandom;
  gRows = kRows;
  gGroups = false;
  for (auto _ : state) {
    size_t checksum = 0;
    auto g = SortGrid();
    g->SortIndexes()->AddIndex(4, true);
    g->SortIndexes()->AddIndex(0, false);
    TQtReferenceSort qt(gRows, kKinds, SortCellText);
    bench::PairedTimes times;
    for (int k = 0; k < kReps; ++k) {
      const auto t0 = std::chrono::steady_clock::now();
      g->QSortIndexed();
      const double grid = conftesting::MsSince(t0);
      checksum += GridEnds(g.get());
      g->QUnSort();
      times.Add(grid, qt.SortTwoKeys(4, true, 0, false, checksum));
      qt.UnSort(checksum);
    }
    benchmark::DoNotOptimize(checksum);
    Report(state, times);
  }
}
BENCHMARK(BM_SortIndexedTwoKeys)->Unit(benchmark::kMillisecond)->Iterations(1);

// After a sort of the random integers, back to the order before it.
void BM_UnSort(benchmark::State& state) {
  static TSortLocale locale;
  gOrder = oRandom;
  gRows = kRows;
  gGroups = false;
  for (auto _ : state) {
    size_t checksum = 0;
    auto g = SortGrid();
    TQtReferenceSort qt(gRows, kKinds, SortCellText);
    bench::PairedTimes times;
    for (int k = 0; k < kReps; ++k) {
      g->Sort(0, sdAscending);
      const auto t0 = std::chrono::steady_clock::now();
      g->QUnSort();
      const double grid = conftesting::MsSince(t0);
      checksum += GridEnds(g.get());
      qt.Sort(0, true, checksum);
      times.Add(grid, qt.UnSort(checksum));
    }
    benchmark::DoNotOptimize(checksum);
    Report(state, times);
  }
}
BENCHMARK(BM_UnSort)->Unit(benchmark::kMillisecond)->Iterations(1);

// Column 3 holds 1,000 group names in random order: the grid sorts by it, inserts a header node
// per group and removes the column; Qt sorts the proxy and builds a tree model of the same groups.
void BM_Group(benchmark::State& state) {
  static TSortLocale locale;
  gOrder = oRandom;
  gRows = kRows;
  gGroups = true;
  for (auto _ : state) {
    size_t checksum = 0;
    TQtReferenceSort qt(gRows, kKinds, SortCellText);
    bench::PairedTimes times;
    for (int k = 0; k < kReps; ++k) {
      auto g = SortGrid();
      const auto t0 = std::chrono::steady_clock::now();
      g->Group(3);
      const double grid = conftesting::MsSince(t0);
      checksum += static_cast<size_t>(g->RowCount());
      state.counters["groups"] = g->NumNodes();
      times.Add(grid, qt.Group(3, checksum));
      qt.UnSort(checksum);
    }
    benchmark::DoNotOptimize(checksum);
    Report(state, times);
  }
  gGroups = false;
}
BENCHMARK(BM_Group)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
