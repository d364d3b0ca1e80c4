// A page of 40 rows x 10 columns whose cells all carry objects (check boxes, progress bars,
// pictures, buttons, rating stars) against the same page of plain text, painted in turn in the
// same run; objects_page_ms_ratio_med is objects time / plain time.
#include <benchmark/benchmark.h>

#include <memory>

#include "Paired.h"
#include "grid/core/AdvGrid.h"
#include "platform/testing/ImageCanvas.h"

namespace {

constexpr int kRows = 40;
constexpr int kCols = 10;
constexpr int kColWidth = 80;
constexpr int kRowHeight = 22;
constexpr int kPairs = 20;

std::unique_ptr<TAdvStringGrid> PageGrid(bool Objects, TBitmap* Picture) {
  std::unique_ptr<TAdvStringGrid> g(New<TAdvStringGrid>(nullptr));
  g->SetScrollBars(ssNone);
  g->SetBounds(0, 0, kCols * kColWidth + 4, kRows * kRowHeight + 4);
  g->SetColCount(kCols);
  g->SetRowCount(kRows);
  g->SetDefaultColWidth(kColWidth);
  g->SetDefaultRowHeight(kRowHeight);
  for (int r = 1; r < kRows; ++r)
    for (int c = 1; c < kCols; ++c) {
      g->SetCells(c, r, IntToStr((r * 7 + c * 3) % 100));
      if (!Objects) continue;
      switch (c % 5) {
        case 0: g->AddCheckBox(c, r, r % 2 == 0, false); break;
        case 1: g->AddProgress(c, r, clBlue, clWhite); break;
        case 2: g->AddBitmap(c, r, Picture, false, haLeft, vaCenter); break;
        case 3: g->AddButton(c, r, 50, 18, u"Go", haCenter, vaCenter); break;
        default:
          g->SetCells(c, r, IntToStr(r % 6));
          g->AddRating(c, r, 4, clYellow, clSilver);
          break;
      }
    }
  return g;
}

void BM_CellObjectsPage(benchmark::State& State) {
  TBitmap picture;
  picture.SetSize(16, 16);
  picture.Canvas()->Brush()->SetColor(clGreen);
  picture.Canvas()->FillRect(Rect(2, 2, 14, 14));
  std::unique_ptr<TAdvStringGrid> objects = PageGrid(true, &picture);
  std::unique_ptr<TAdvStringGrid> plain = PageGrid(false, &picture);
  TImageCanvas img(objects->Width(), objects->Height());
  objects->PaintOn(img.Canvas());  // glyphs and fonts exist before timing
  plain->PaintOn(img.Canvas());
  bench::PairedTimes times;
  for (auto _ : State) {
    for (int k = 0; k < kPairs; ++k) {
      const double o = bench::TimeMs([&] { objects->PaintOn(img.Canvas()); });
      const double p = bench::TimeMs([&] { plain->PaintOn(img.Canvas()); });
      times.Add(o, p);
    }
  }
  benchmark::DoNotOptimize(img.Pixel(10, 10));
  times.Report(State, "objects_page_ms");
}
BENCHMARK(BM_CellObjectsPage)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
