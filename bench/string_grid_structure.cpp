// The string grid's row structure against Qt's QTableWidget given the same work in the same run,
// on 100,000 rows x 10 columns of text: remove 1,000 rows in the middle and insert 1,000 rows
// there again; hide every second row and show them all again; move 1,000 rows from the top to the
// bottom and back (QTableWidget taking the rows' items out, removing and inserting the rows and
// putting the items back). Both sides are filled once and do
// their rounds in turn, so a busy machine slows them alike; <work>_ratio_med is grid time / peer
// time (below 1: the grid is faster).
#include <benchmark/benchmark.h>

#include <memory>

#include "Paired.h"
#include "grid/core/AdvGrid.h"
#include "platform/testing/QtReferenceStructure.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;
constexpr int kAt = kRows / 2;
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

// Every second row, the caller's input to the grid's filter level, made before the clock starts
// (QTableWidget is given no list either).
void AddEverySecondRow(TIntList& List) {
  for (int r = 1; r < kRows; r += 2) List.Add(r);
}

void BM_Ratio(benchmark::State& state) {
  std::unique_ptr<TAdvStringGrid> g = FilledGrid();
  TQtReferenceTable qt(kRows, kCols, CellText);
  TIntList odd(0, 0);
  AddEverySecondRow(odd);
  bench::PairedTimes removeInsert, hide, show, hideShow;
  size_t checksum = 0;
  for (auto _ : state) {
    for (int k = 0; k < kPairs; ++k) {
      const double gri = bench::TimeMs([&] {
        g->RemoveRows(kAt, kCount);
        g->InsertRows(kAt, kCount, true);
      });
      const double qri = bench::TimeMs([&] { checksum += static_cast<size_t>(qt.RemoveInsert(kAt, kCount)); });
      removeInsert.Add(gri, qri);
      // The rows hidden as one filter level, then that level shown again.
      const double gh = bench::TimeMs([&] { g->HideRowList(&odd); });
      checksum += static_cast<size_t>(g->RowCount());
      const double gs = bench::TimeMs([&] {
        g->UnHideRowList();
        g->SetFilterLevel(g->FilterLevel() - 1);
      });
      checksum += static_cast<size_t>(g->RowCount());
      const double qh = bench::TimeMs([&] { checksum += static_cast<size_t>(qt.SetEverySecondHidden(true)); });
      const double qs = bench::TimeMs([&] { checksum += static_cast<size_t>(qt.SetEverySecondHidden(false)); });
      hide.Add(gh, qh);
      show.Add(gs, qs);
      hideShow.Add(gh + gs, qh + qs);
    }
  }
  benchmark::DoNotOptimize(checksum);
  removeInsert.Report(state, "remove_insert_ms");
  hide.Report(state, "hide_ms");
  show.Report(state, "show_ms");
  hideShow.Report(state, "hide_show_ms");
}
BENCHMARK(BM_Ratio)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_MoveRowsRatio(benchmark::State& state) {
  std::unique_ptr<TAdvStringGrid> g = FilledGrid();
  TQtReferenceTable qt(kRows, kCols, CellText);
  bench::PairedTimes down, up;
  size_t checksum = 0;
  for (auto _ : state) {
    for (int k = 0; k < kPairs; ++k) {
      // From the top (below the fixed row) to the end, then back: each round starts alike.
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

// The grid's hiding and showing alone, again and again (for profiling).
void BM_GridHideShowOnly(benchmark::State& state) {
  std::unique_ptr<TAdvStringGrid> g = FilledGrid();
  TIntList odd(0, 0);
  AddEverySecondRow(odd);
  for (auto _ : state) {
    g->HideRowList(&odd);
    g->UnHideRowList();
    g->SetFilterLevel(g->FilterLevel() - 1);
  }
  benchmark::DoNotOptimize(g->RowCount());
}
BENCHMARK(BM_GridHideShowOnly)->Unit(benchmark::kMillisecond);

}  // namespace
