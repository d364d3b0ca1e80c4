// The base grid's cell access on 5,000 rows of 20 columns with 0 %, 10 % and 100 % of the cells
// holding properties (the plain string grid's cell access as the peer), the heap bytes one
// properties object costs, and painting one visible page solid and with gradients.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "grid/foundation/BaseGrid.h"
#include "platform/testing/ImageCanvas.h"

// Heap bytes requested, for the bytes-per-object figure.
static std::atomic<long long> g_heapBytes{0};
void* operator new(std::size_t n) {
  g_heapBytes += static_cast<long long>(n);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t n) noexcept {
  g_heapBytes -= static_cast<long long>(n);
  std::free(p);
}

namespace {

constexpr int kCols = 20, kRows = 5000;

std::unique_ptr<TBaseGrid> FilledGrid(int percentWithProps) {
  std::unique_ptr<TBaseGrid> g(New<TBaseGrid>(nullptr));
  g->SetColCount(kCols);
  g->SetRowCount(kRows);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) {
      g->SetGridCell(c, r, u"value");
      if ((r * kCols + c) % 100 < percentWithProps) g->GetCellProperties(c, r)->SetBrushColor(clYellow);
    }
  return g;
}

void BM_GetCellEx(benchmark::State& st) {
  auto g = FilledGrid(static_cast<int>(st.range(0)));
  size_t total = 0;
  for (auto _ : st)
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) total += g->GetCellEx(c, r).size();
  benchmark::DoNotOptimize(total);
  st.SetItemsProcessed(st.iterations() * kRows * kCols);
}
BENCHMARK(BM_GetCellEx)->Arg(0)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_SetCellEx(benchmark::State& st) {
  auto g = FilledGrid(static_cast<int>(st.range(0)));
  String v[2] = {u"first", u"second"};
  int k = 0;
  for (auto _ : st) {
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) g->SetCellEx(c, r, v[k]);
    k ^= 1;
  }
  st.SetItemsProcessed(st.iterations() * kRows * kCols);
}
BENCHMARK(BM_SetCellEx)->Arg(0)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// Peer: the class library's string grid without merge resolution or events.
void BM_PeerStringGridCells(benchmark::State& st) {
  std::unique_ptr<TStringGrid> g(New<TStringGrid>(nullptr));
  g->SetColCount(kCols);
  g->SetRowCount(kRows);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) g->SetCells(c, r, u"value");
  size_t total = 0;
  for (auto _ : st)
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) total += g->Cells(c, r).size();
  benchmark::DoNotOptimize(total);
  st.SetItemsProcessed(st.iterations() * kRows * kCols);
}
BENCHMARK(BM_PeerStringGridCells)->Unit(benchmark::kMillisecond);

// Cells already hold text, so the figure is the properties object alone (with its share of the
// grid's ownership list).
void BM_BytesPerCellProperties(benchmark::State& st) {
  for (auto _ : st) {
    st.PauseTiming();
    auto g = FilledGrid(0);
    long long before = g_heapBytes.load();
    st.ResumeTiming();
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) g->GetCellProperties(c, r);
    st.PauseTiming();
    st.counters["bytes_per_TCellProperties"] =
        static_cast<double>(g_heapBytes.load() - before) / (kRows * kCols);
    st.counters["sizeof_TCellProperties"] = sizeof(TCellProperties);
    g.reset();
    st.ResumeTiming();
  }
}
BENCHMARK(BM_BytesPerCellProperties)->Iterations(3)->Unit(benchmark::kMillisecond);

class TGradientGrid : public TBaseGrid {
 public:
  using TBaseGrid::TBaseGrid;
  bool Mirror = false;
  TCellStyle GetVisualProperties(int DCol, int DRow, TGridDrawState& AState, bool Print, bool Select,
                                 bool Remap) override {
    TCellStyle s = TBaseGrid::GetVisualProperties(DCol, DRow, AState, Print, Select, Remap);
    s.Color = DRow % 2 ? clWhite : clCream;
    s.ColorTo = clSkyBlue;
    if (Mirror) {
      s.MirrorColor = clMoneyGreen;
      s.MirrorColorTo = clWhite;
    }
    return s;
  }
};

void PaintPage(benchmark::State& st, int kind) {
  std::unique_ptr<TGradientGrid> gg;
  std::unique_ptr<TBaseGrid> g;
  TBaseGrid* grid;
  if (kind == 0) {
    g.reset(New<TBaseGrid>(nullptr));
    grid = g.get();
  } else {
    gg.reset(New<TGradientGrid>(nullptr));
    gg->Mirror = kind == 2;
    grid = gg.get();
  }
  grid->SetScrollBars(ssNone);
  grid->SetColCount(kCols);
  grid->SetRowCount(kRows);
  grid->SetDefaultColWidth(80);
  grid->SetDefaultRowHeight(20);
  grid->SetBounds(0, 0, 800, 600);
  for (int r = 0; r < 40; ++r)
    for (int c = 0; c < kCols; ++c) grid->SetGridCell(c, r, u"cell");
  grid->MergeCells(2, 2, 3, 2);
  TImageCanvas img(800, 600);
  for (auto _ : st) grid->PaintOn(img.Canvas());
  st.SetItemsProcessed(st.iterations() * 10 * 30);
}
void BM_PaintPageSolid(benchmark::State& st) { PaintPage(st, 0); }
void BM_PaintPageGradient(benchmark::State& st) { PaintPage(st, 1); }
void BM_PaintPageMirrorGradient(benchmark::State& st) { PaintPage(st, 2); }
BENCHMARK(BM_PaintPageSolid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPageGradient)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPageMirrorGradient)->Unit(benchmark::kMillisecond);

}  // namespace
