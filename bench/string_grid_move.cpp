// Moving a block of rows: the string grid's MoveRows against Qt's QTableWidget taking the same
// rows' items out, removing and inserting the rows and putting the items back, in the same run,
// on 100,000 rows x 10 columns of text. 1,000 rows go from the top to the bottom and back again
// (so every round starts from the same grid). <work>_ratio_med is grid time / peer time.
#include <benchmark/benchmark.h>

#include <memory>

#include "Paired.h"
#include "grid/core/AdvGrid.h"
#include "platform/testing/QtReferenceStructure.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;
constexpr int kCount = 1000;
constexpr int kPairs = 9;

String CellText(int c, int r) { return IntToStr(r) + u":" + IntToStr(c); }

std::unique_ptr<TAdvStringGrid> FilledGrid() {
  std::unique_ptr<TAdvStringGrid> g(New<TAdvStringGrid>(nullptr));
  g->SetColCount(kCols);
  g->SetRowCount(kRows);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) g->SetCellEx(c, r, CellText(c, r));
  return g;
}

void BM_MoveRowsRatio(benchmark::State& state) {
  std::unique_ptr<TAdvStringGrid> g = FilledGrid();
  TQtReferenceTable qt(kRows, kCols, CellText);
  bench::PairedTimes down, up;
  size_t checksum = 0;
  for (auto _ : state) {
    for (int k = 0; k < kPairs; ++k) {
      // From the top (below the fixed row) to the end, then back.
      const double gd = bench::TimeMs([&] { g->MoveRows(1, kRows, kCount); });
      const double qd = bench::TimeMs([&] { checksum += static_cast<size_t>(qt.MoveRows(1, kRows, kCount)); });
      down.Add(gd, qd);
      const double gu = bench::TimeMs([&] { g->MoveRows(kRows - kCount, 1, kCount); });
      const double qu =
          bench::TimeMs([&] { checksum += static_cast<size_t>(qt.MoveRows(kRows - kCount, 1, kCount)); });
      up.Add(gu, qu);
      checksum += g->GetCellEx(0, 1).size();
    }
  }
  benchmark::DoNotOptimize(checksum);
  down.Report(state, "move_rows_down_ms");
  up.Report(state, "move_rows_up_ms");
}
BENCHMARK(BM_MoveRowsRatio)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
