// Proportional thumbs while the vertical thumb is dragged: 1,000 SB_THUMBTRACK messages over a
// grid of 100,000 rows (every seventh row taller, so the rows' extents are not all the default)
// with ScrollSynch, each followed by the proportional update the next paint makes. The peer does
// the same messages with the update computed by walking every row's height, as it would without
// the grid's running sums; both run in turn in the same process. thumb_track_ratio_med is
// grid time / peer time (below 1: the grid is faster).
#include <benchmark/benchmark.h>

#include <memory>

#include "Paired.h"
#include "grid/core/AdvGrid.h"

namespace {

constexpr int kRows = 100000;
constexpr int kMessages = 1000;
constexpr int kPairs = 7;

std::unique_ptr<TAdvStringGrid> MakeGrid() {
  std::unique_ptr<TAdvStringGrid> g(New<TAdvStringGrid>(nullptr));
  g->SetBounds(0, 0, 400, 250);
  g->SetRowCount(kRows);
  for (int r = 0; r < kRows; r += 7) g->SetRowHeights(r, 30);
  g->SetOptions(g->Options() | goThumbTracking);
  g->SetScrollSynch(true);
  g->SetScrollProportional(true);
  return g;
}

void Track(TAdvStringGrid* g, int Pos) {
  g->Perform(WM_VSCROLL, SB_THUMBTRACK | (static_cast<unsigned>(Pos) << 16), 0);
}

// The vertical proportional update with the sums walked row by row.
void WalkedUpdate(TAdvStringGrid* g) {
  const int L = g->GridLineWidth(), fixed = g->FixedRows(), count = g->RowCount();
  int64_t fixedH = L, total = L, before = L;
  for (int r = 0; r < fixed; ++r) fixedH += L + g->RowHeights(r);
  for (int r = fixed; r < count; ++r) {
    total += L + g->RowHeights(r);
    if (r < g->TopRow()) before += L + g->RowHeights(r);
  }
  const float share = static_cast<float>(g->Height() - fixedH) / static_cast<float>(total);
  const int max = static_cast<int>((share + 127) / (1 - share));
  g->SetScrollInfo(true, max, max - 126, static_cast<int>(static_cast<double>(before) / (total - g->Height()) * 128));
}

void BM_ThumbTrack(benchmark::State& state) {
  std::unique_ptr<TAdvStringGrid> g = MakeGrid();
  bench::PairedTimes times;
  int64_t checksum = 0;
  for (auto _ : state) {
    for (int k = 0; k < kPairs; ++k) {
      const double ours = bench::TimeMs([&] {
        for (int i = 0; i < kMessages; ++i) {
          Track(g.get(), i % 128);
          g->UpdateVScrollBar();
          checksum += g->GetScrollInfo(true).Pos;
        }
      });
      const double peer = bench::TimeMs([&] {
        for (int i = 0; i < kMessages; ++i) {
          Track(g.get(), i % 128);
          WalkedUpdate(g.get());
          checksum += g->GetScrollInfo(true).Pos;
        }
      });
      times.Add(ours, peer);
    }
  }
  benchmark::DoNotOptimize(checksum);
  times.Report(state, "thumb_track_ms");
}
BENCHMARK(BM_ThumbTrack)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
