// The string grid's filtering and search against Qt in the same run, over 100,000 rows x 10
// columns of six-letter texts: a literal filter against QSortFilterProxyModel with an anchored
// expression, a wildcard filter against its wildcard expression, a five-step NarrowDown against
// five contains filters, and Find of a text in the last row against QAbstractItemModel::match.
// Each ratio is grid / Qt (below 1: the grid is faster). The grid's times include hiding the
// rows that fail (moving them out of the grid); Qt's proxy only builds its row mapping.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

#include "grid/core/AdvGrid.h"
#include "platform/testing/QtReferenceFilter.h"
#include "platform/testing/Stopwatch.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;
constexpr int kKeyCol = 3;

// Six letters from a few, so that the filters keep some rows and narrowing narrows step by step.
String FilterCellText(int c, int r) {
  if (r == kRows - 1 && c == kCols - 1) return u"needle";
  unsigned h = (static_cast<unsigned>(r) * 2654435761u) ^ (static_cast<unsigned>(c) * 40503u);
  String s(6, u'a');
  for (int k = 0; k < 6; ++k, h /= 5) s[static_cast<size_t>(k)] = static_cast<Char>(u'a' + h % 5);
  return s;
}

std::unique_ptr<TAdvStringGrid> FilterGrid() {
  std::unique_ptr<TAdvStringGrid> g(New<TAdvStringGrid>(nullptr));
  g->SetColCount(kCols);
  g->SetRowCount(kRows + 1);
  g->SetFixedRows(1);
  g->SetFixedCols(0);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) g->SetCellEx(c, r + 1, FilterCellText(c, r));
  return g;
}

void Report(benchmark::State& state, double Grid, double Qt, int GridRows, int QtRows) {
  state.counters["grid_ms"] = Grid;
  state.counters["qt_ms"] = Qt;
  state.counters["ratio"] = Qt > 0 ? Grid / Qt : 0;
  state.counters["grid_rows"] = GridRows;
  state.counters["qt_rows"] = QtRows;
}

// One condition on the key column, applied and timed.
double GridFilter(TAdvStringGrid* g, const String& Condition, TFilterMethod Method, bool CaseSensitive) {
  g->Filter()->Clear();
  TFilterData* f = g->Filter()->Add();
  f->SetColumn(kKeyCol);
  f->SetCondition(Condition);
  f->SetMethod(Method);
  f->SetCaseSensitive(CaseSensitive);
  const auto t0 = std::chrono::steady_clock::now();
  g->SetFilterActive(true);
  return conftesting::MsSince(t0);
}

void BM_FilterLiteral(benchmark::State& state) {
  auto g = FilterGrid();
  TQtReferenceFilter qt(kRows, kCols, FilterCellText);
  const String text = FilterCellText(kKeyCol, 12345);
  for (auto _ : state) {
    const double grid = GridFilter(g.get(), text, fmLiteral, true);
    const int gridRows = g->RowCount() - 1;
    g->SetFilterActive(false);
    int qtRows = 0;
    const double peer = qt.FilterEqual(kKeyCol, text, qtRows);
    Report(state, grid, peer, gridRows, qtRows);
  }
}
BENCHMARK(BM_FilterLiteral)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FilterWildcard(benchmark::State& state) {
  auto g = FilterGrid();
  TQtReferenceFilter qt(kRows, kCols, FilterCellText);
  for (auto _ : state) {
    const double grid = GridFilter(g.get(), u"A?c*", fmExpression, false);
    const int gridRows = g->RowCount() - 1;
    g->SetFilterActive(false);
    int qtRows = 0;
    const double peer = qt.FilterWildcard(kKeyCol, u"A?c*", qtRows);
    Report(state, grid, peer, gridRows, qtRows);
  }
}
BENCHMARK(BM_FilterWildcard)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_NarrowDownFiveSteps(benchmark::State& state) {
  auto g = FilterGrid();
  TQtReferenceFilter qt(kRows, kCols, FilterCellText);
  const std::vector<String> steps = {u"a", u"ab", u"abc", u"abcd", u"abcde"};
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    for (const String& s : steps) g->NarrowDown(s, kKeyCol);
    const double grid = conftesting::MsSince(t0);
    const int gridRows = g->RowCount() - 1;
    g->NarrowDown(u"", kKeyCol);
    int qtRows = 0;
    const double peer = qt.FilterContainsSteps(kKeyCol, steps, qtRows);
    Report(state, grid, peer, gridRows, qtRows);
  }
}
BENCHMARK(BM_NarrowDownFiveSteps)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FindInTheLastRow(benchmark::State& state) {
  auto g = FilterGrid();
  TQtReferenceFilter qt(kRows, kCols, FilterCellText);
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    const TPoint at = g->Find(TPoint(-1, -1), u"needle", {});
    const double grid = conftesting::MsSince(t0);
    int col = -1, row = -1;
    const double peer = qt.Find(u"needle", col, row);
    Report(state, grid, peer, at.Y, row + 1);
  }
}
BENCHMARK(BM_FindInTheLastRow)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
