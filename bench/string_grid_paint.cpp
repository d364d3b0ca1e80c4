// One page of the string grid (100,000 rows x 20 columns, 800 x 600 pixels, the program's look:
// gradient headers, lines, texts) painted solid and with gradient cells, against Qt painting the
// same page of the same texts in the same run: a QTableWidget holding every item, and a QTableView
// over a QSortFilterProxyModel whose model answers the texts on demand. The sides paint in turn, so
// a busy machine slows them alike; <side>_ratio_med is grid time / peer time (below 1: the grid is
// faster). Both sides paint on a 32-bit RGB image (the surface of a window's backing store).
#include <benchmark/benchmark.h>

#include <memory>

#include "Paired.h"
#include "grid/core/AdvGrid.h"
#include "platform/Graphics.h"
#include "platform/testing/QtReferenceViews.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 20;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kPairs = 15;

String CellText(int c, int r) { return IntToStr(r) + u":" + IntToStr(c); }

// The page surface: 32-bit RGB, as the Qt side's image.
struct TPage {
  TBitmap Image;
  TPage() { Image.SetSize(kWidth, kHeight); }
  TCanvas* Canvas() { return Image.Canvas(); }
  TColor Pixel(int x, int y) { return Image.Canvas()->Pixels(x, y); }
};

std::unique_ptr<TAdvStringGrid> PageGrid(bool Gradient) {
  std::unique_ptr<TAdvStringGrid> g(New<TAdvStringGrid>(nullptr));
  g->SetScrollBars(ssNone);
  g->SetBounds(0, 0, kWidth, kHeight);
  g->SetColCount(kCols);
  g->SetRowCount(kRows);
  g->SetDefaultColWidth(64);
  g->SetDefaultRowHeight(24);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) g->SetCells(c, r, CellText(c, r));
  if (Gradient) {
    // Every cell of the page a vertical gradient, as the Qt pages get.
    g->OnGetCellGradient = [](TObject*, int, int, TColor& C, TColor& CTo, TColor&, TColor&, TCellGradientDirection& D) {
      C = clWhite;
      CTo = 0xF0F0F0;
      D = GradientVertical;
    };
  }
  g->SetTopRow(kRows / 2);
  return g;
}

void PaintAgainstQt(benchmark::State& State, bool Gradient) {
  std::unique_ptr<TAdvStringGrid> grid = PageGrid(Gradient);
  TPage img;
  grid->PaintOn(img.Canvas());  // fonts and the page's painter exist before timing
  TQtReferencePage widget(TQtReferencePage::kTableWidget, kRows, kCols, kWidth, kHeight, CellText, Gradient);
  TQtReferencePage proxy(TQtReferencePage::kProxyTableView, kRows, kCols, kWidth, kHeight, CellText, Gradient);
  bench::PairedTimes vsWidget, vsProxy;
  unsigned sum = 0;
  for (auto _ : State) {
    for (int k = 0; k < kPairs; ++k) {
      const double g1 = bench::TimeMs([&] { grid->PaintOn(img.Canvas()); });
      const double w = bench::TimeMs([&] { sum += widget.Paint(); });
      const double g2 = bench::TimeMs([&] { grid->PaintOn(img.Canvas()); });
      const double p = bench::TimeMs([&] { sum += proxy.Paint(); });
      vsWidget.Add(g1, w);
      vsProxy.Add(g2, p);
    }
  }
  benchmark::DoNotOptimize(sum);
  benchmark::DoNotOptimize(img.Pixel(kWidth / 2, kHeight / 2));
  vsWidget.Report(State, "table_widget_page_ms");
  vsProxy.Report(State, "proxy_view_page_ms");
}

void BM_PageSolid(benchmark::State& State) { PaintAgainstQt(State, false); }
void BM_PageGradient(benchmark::State& State) { PaintAgainstQt(State, true); }
BENCHMARK(BM_PageSolid)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageGradient)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The grid's page alone, painted again and again (for profiling the paint).
void BM_GridPageOnly(benchmark::State& State) {
  std::unique_ptr<TAdvStringGrid> grid = PageGrid(State.range(0) != 0);
  TPage img;
  grid->PaintOn(img.Canvas());  // fonts and shaped texts exist before timing, as in the paired runs
  for (auto _ : State) grid->PaintOn(img.Canvas());
  benchmark::DoNotOptimize(img.Pixel(kWidth / 2, kHeight / 2));
}
BENCHMARK(BM_GridPageOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
