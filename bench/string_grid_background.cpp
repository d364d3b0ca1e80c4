// One page of the string grid (10 columns of 64 pixels on an 800 x 600 page, 2,000 rows, so a
// strip right of the last column shows the background) painted with a tiled 32 x 32 picture
// behind the normal cells and with a vertical gradient behind them, each against the same page
// without a background in the same run. The sides paint in turn, so a busy machine slows them
// alike; <side>_ratio_med is background page time / plain page time.
#include <benchmark/benchmark.h>

#include <memory>

#include "Paired.h"
#include "grid/core/AdvGrid.h"
#include "platform/testing/ImageCanvas.h"

namespace {

constexpr int kRows = 2000;
constexpr int kCols = 10;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kPairs = 25;

enum class TBenchBackground { Plain, Tiled, Gradient };

std::unique_ptr<TAdvStringGrid> BackgroundPage(TBenchBackground Kind) {
  std::unique_ptr<TAdvStringGrid> g(New<TAdvStringGrid>(nullptr));
  g->SetScrollBars(ssNone);
  g->SetBounds(0, 0, kWidth, kHeight);
  g->SetColCount(kCols);
  g->SetRowCount(kRows);
  g->SetDefaultColWidth(64);
  g->SetDefaultRowHeight(24);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) g->SetCells(c, r, IntToStr(r) + u":" + IntToStr(c));
  TBackGround* bg = g->BackGround();
  if (Kind == TBenchBackground::Tiled) {
    std::vector<TColor> colors;
    for (int i = 0; i < 32 * 32; ++i) colors.push_back(RGB(200 + i % 40, 220 + i / 32 % 30, 250));
    std::unique_ptr<TBitmap> tile = PatternBitmap(32, 32, colors);
    bg->SetBitmap(tile.get());
  } else if (Kind == TBenchBackground::Gradient) {
    bg->SetDisplay(bdGradientVert);
    bg->SetColor(clWhite);
    bg->SetColorTo(0xF0D0B0);
  }
  g->SetTopRow(kRows / 2);
  return g;
}

void PaintAgainstPlain(benchmark::State& State, TBenchBackground Kind, const char* Name) {
  std::unique_ptr<TAdvStringGrid> plain = BackgroundPage(TBenchBackground::Plain);
  std::unique_ptr<TAdvStringGrid> styled = BackgroundPage(Kind);
  TImageCanvas img(kWidth, kHeight);
  plain->PaintOn(img.Canvas());  // fonts and the page's painter exist before timing
  styled->PaintOn(img.Canvas());
  bench::PairedTimes times;
  for (auto _ : State) {
    for (int k = 0; k < kPairs; ++k) {
      const double s = bench::TimeMs([&] { styled->PaintOn(img.Canvas()); });
      const double p = bench::TimeMs([&] { plain->PaintOn(img.Canvas()); });
      times.Add(s, p);
    }
  }
  benchmark::DoNotOptimize(img.Pixel(kWidth - 10, kHeight / 2));
  times.Report(State, Name);
}

void BM_TiledPage(benchmark::State& State) { PaintAgainstPlain(State, TBenchBackground::Tiled, "tiled_page_ms"); }
void BM_GradientPage(benchmark::State& State) {
  PaintAgainstPlain(State, TBenchBackground::Gradient, "gradient_page_ms");
}
BENCHMARK(BM_TiledPage)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GradientPage)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
