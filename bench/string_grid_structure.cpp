// The string grid's row structure against Qt's QTableWidget given the same work in the same run,
// on 100,000 rows x 10 columns of text: remove 1,000 rows in the middle and insert 1,000 rows
// there again; hide every second row and show them all again. BM_Ratio reports grid / QTableWidget.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "grid/core/AdvGrid.h"
#include "platform/testing/QtReferenceStructure.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;
constexpr int kAt = kRows / 2;
constexpr int kCount = 1000;

String CellText(int c, int r) { return IntToStr(r) + u":" + IntToStr(c); }

double Since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

TStructureTimings RunGrid(size_t& Checksum) {
  TStructureTimings t;
  std::unique_ptr<TAdvStringGrid> g(New<TAdvStringGrid>(nullptr));
  g->SetColCount(kCols);
  g->SetRowCount(kRows);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) g->SetCellEx(c, r, CellText(c, r));
  auto t0 = std::chrono::steady_clock::now();
  g->RemoveRows(kAt, kCount);
  g->InsertRows(kAt, kCount, true);
  t.RemoveInsert = Since(t0);
  Checksum += static_cast<size_t>(g->RowCount());
  // Every second row hidden as one filter level, then that level shown again. The list is the
  // caller's input, made before the clock starts (QTableWidget is given no list either).
  TIntList odd(0, 0);
  for (int r = 1; r < kRows; r += 2) odd.Add(r);
  t0 = std::chrono::steady_clock::now();
  g->HideRowList(&odd);
  Checksum += static_cast<size_t>(g->RowCount());
  g->UnHideRowList();
  g->SetFilterLevel(g->FilterLevel() - 1);
  t.HideShow = Since(t0);
  Checksum += static_cast<size_t>(g->RowCount());
  return t;
}

void Report(benchmark::State& state, const TStructureTimings& grid, const TStructureTimings& qt) {
  state.counters["grid_remove_insert_ms"] = grid.RemoveInsert;
  state.counters["qt_remove_insert_ms"] = qt.RemoveInsert;
  state.counters["grid_hide_show_ms"] = grid.HideShow;
  state.counters["qt_hide_show_ms"] = qt.HideShow;
  state.counters["ratio_remove_insert"] = qt.RemoveInsert > 0 ? grid.RemoveInsert / qt.RemoveInsert : 0;
  state.counters["ratio_hide_show"] = qt.HideShow > 0 ? grid.HideShow / qt.HideShow : 0;
}

void BM_Ratio(benchmark::State& state) {
  for (auto _ : state) {
    size_t checksum = 0;
    TStructureTimings grid = RunGrid(checksum);
    TStructureTimings qt = RunQTableWidgetStructure(kRows, kCols, kAt, kCount, CellText, checksum);
    benchmark::DoNotOptimize(checksum);
    Report(state, grid, qt);
  }
}
BENCHMARK(BM_Ratio)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
