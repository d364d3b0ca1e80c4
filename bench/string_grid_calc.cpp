// The string grid's column calculations against Qt's QTableWidget given the same arithmetic in
// the same run, on 100,000 rows x 10 columns of numbers: one ColumnSum over every row; one cell
// edit with the floating footer summing five columns (the reported change recalculates every
// footer cell). BM_Ratio reports grid / QTableWidget.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "grid/core/AdvGrid.h"
#include "platform/testing/QtReferenceCalc.h"
#include "platform/testing/Stopwatch.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;
constexpr int kSums = 5;

String CalcCellText(int c, int r) { return IntToStr(r % 1000 + c); }

TCalcTimings RunGrid(size_t& Checksum) {
  TCalcTimings t;
  std::unique_ptr<TAdvStringGrid> g(New<TAdvStringGrid>(nullptr));
  g->SetColCount(kCols);
  g->SetRowCount(kRows + 1);  // the last row is the footer row
  g->SetFixedRows(0);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) g->SetCellEx(c, r, CalcCellText(c, r));
  auto t0 = std::chrono::steady_clock::now();
  double total = g->ColumnSum(0, 0, kRows - 1);
  t.Sum = conftesting::MsSince(t0);
  g->FloatingFooter()->SetVisible(true);
  for (int c = 0; c < kSums; ++c) g->FloatingFooter()->SetColumnCalc(c, acSUM);
  t0 = std::chrono::steady_clock::now();
  g->SetCellEx(0, kRows / 2, u"12345");
  g->CellsChanged(TRect{0, kRows / 2, 0, kRows / 2});
  t.EditFiveSums = conftesting::MsSince(t0);
  total += g->GetFloats(0, g->RowCount() - 1);
  Checksum += static_cast<size_t>(total);
  return t;
}

void BM_Ratio(benchmark::State& state) {
  for (auto _ : state) {
    size_t checksum = 0;
    TCalcTimings grid = RunGrid(checksum);
    TCalcTimings qt = RunQTableWidgetCalc(kRows, kCols, kSums, CalcCellText, checksum);
    benchmark::DoNotOptimize(checksum);
    state.counters["grid_sum_ms"] = grid.Sum;
    state.counters["qt_sum_ms"] = qt.Sum;
    state.counters["grid_edit_footer_ms"] = grid.EditFiveSums;
    state.counters["qt_edit_sums_ms"] = qt.EditFiveSums;
    state.counters["ratio_sum"] = qt.Sum > 0 ? grid.Sum / qt.Sum : 0;
    state.counters["ratio_edit"] = qt.EditFiveSums > 0 ? grid.EditFiveSums / qt.EditFiveSums : 0;
  }
}
BENCHMARK(BM_Ratio)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
