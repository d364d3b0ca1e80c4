// Per-cell drawing on a screenful of cells (40 rows of 8 cells, 80 by 20 pixels) on an image
// canvas: the gradient cell face and the selection bar, against a plain solid fill of the same
// cells as the peer.
#include <benchmark/benchmark.h>

#include "grid/foundation/ZazAdezDraw.h"
#include "platform/testing/ImageCanvas.h"

namespace {

constexpr int kCols = 8, kRows = 40, kW = 80, kH = 20;

template <class Fn>
void EachCell(Fn fn) {
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) fn(Bounds(c * kW, r * kH, kW, kH), c);
}

void BM_SolidCells(benchmark::State& st) {
  TImageCanvas img(kCols * kW, kRows * kH);
  for (auto _ : st) EachCell([&](const TRect& r, int) { FillRectColor(img.Canvas(), r, clBtnFace); });
  st.SetItemsProcessed(st.iterations() * kCols * kRows);
}
BENCHMARK(BM_SolidCells);

void BM_GradientCells(benchmark::State& st) {
  TImageCanvas img(kCols * kW, kRows * kH);
  for (auto _ : st)
    EachCell([&](const TRect& r, int) { FillGradient(img.Canvas(), clWhite, clSkyBlue, 64, r, false); });
  st.SetItemsProcessed(st.iterations() * kCols * kRows);
}
BENCHMARK(BM_GradientCells);

void BM_MirrorGradientCells(benchmark::State& st) {
  TImageCanvas img(kCols * kW, kRows * kH);
  for (auto _ : st)
    EachCell([&](const TRect& r, int) {
      DrawGradientBackground(img.Canvas(), r, clWhite, clSkyBlue, clCream, clMoneyGreen, 1, clGray, false, true);
    });
  st.SetItemsProcessed(st.iterations() * kCols * kRows);
}
BENCHMARK(BM_MirrorGradientCells);

void BM_SelectionBarCells(benchmark::State& st) {
  TImageCanvas img(kCols * kW, kRows * kH);
  for (auto _ : st)
    EachCell([&](const TRect& r, int c) {
      const int kind = c == 0 ? 1 : c == kCols - 1 ? 2 : 3;
      DrawSelectionBar(img.Canvas(), RGB(255, 232, 166), RGB(255, 214, 99), RGB(255, 200, 70), RGB(255, 230, 150),
                       clWhite, RGB(255, 240, 200), RGB(194, 155, 41), RGB(230, 200, 120), RGB(240, 220, 170), r,
                       kind);
    });
  st.SetItemsProcessed(st.iterations() * kCols * kRows);
}
BENCHMARK(BM_SelectionBarCells);

}  // namespace
