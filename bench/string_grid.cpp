// The string grid against Qt's QTableWidget given the same work in the same run: fill
// 100,000 rows x 20 columns of text, read every cell back, and paint one page of 800 x 600
// pixels. BM_Ratio reports grid time / QTableWidget time for the whole job.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "platform/Graphics.h"
#include "platform/Grids.h"
#include "platform/testing/QtReferenceViews.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 20;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

String CellText(int c, int r) { return IntToStr(r) + u":" + IntToStr(c); }

using Timings = TViewTimings;

double Since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

Timings RunGrid(size_t& checksum) {
  Timings t;
  std::unique_ptr<TStringGrid> g(New<TStringGrid>(nullptr));
  g->SetBounds(0, 0, kWidth, kHeight);
  g->Canvas();  // the application and its fonts exist before timing starts
  TCellTextFn text = CellText;  // called as the Qt side calls it
  auto t0 = std::chrono::steady_clock::now();
  g->SetColCount(kCols);
  g->SetRowCount(kRows);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) g->SetCells(c, r, text(c, r));
  t.Fill = Since(t0);
  t0 = std::chrono::steady_clock::now();
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) checksum += g->Cells(c, r).size();
  t.Read = Since(t0);
  TBitmap image;
  image.SetPixelFormat(pf32bit);
  image.SetSize(kWidth, kHeight);
  TCanvas* canvas = image.Canvas();
  canvas->Pixels(0, 0);  // the page's painter is open before timing starts
  g->SetTopRow(kRows / 2);
  t0 = std::chrono::steady_clock::now();
  g->PaintOn(canvas);
  t.Paint = Since(t0);
  checksum += static_cast<size_t>(canvas->Pixels(kWidth / 2, kHeight / 2) & 0xFF);
  return t;
}

Timings RunTable(size_t& checksum) { return RunQTableWidget(kRows, kCols, kWidth, kHeight, CellText, checksum); }

void Report(benchmark::State& state, const Timings& t) {
  state.counters["fill_ms"] = t.Fill;
  state.counters["read_ms"] = t.Read;
  state.counters["paint_ms"] = t.Paint;
}

void BM_StringGrid(benchmark::State& state) {
  size_t sum = 0;
  Timings t;
  for (auto _ : state) t = RunGrid(sum);
  benchmark::DoNotOptimize(sum);
  Report(state, t);
}
BENCHMARK(BM_StringGrid)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_QTableWidget(benchmark::State& state) {
  size_t sum = 0;
  Timings t;
  for (auto _ : state) t = RunTable(sum);
  benchmark::DoNotOptimize(sum);
  Report(state, t);
}
BENCHMARK(BM_QTableWidget)->Iterations(1)->Unit(benchmark::kMillisecond);

// Both in one iteration: the ratios of grid time to QTableWidget time (below 1: the grid is faster).
void BM_Ratio(benchmark::State& state) {
  size_t sum = 0;
  Timings g, q;
  for (auto _ : state) {
    g = RunGrid(sum);
    q = RunTable(sum);
  }
  benchmark::DoNotOptimize(sum);
  state.counters["fill_ratio"] = g.Fill / q.Fill;
  state.counters["read_ratio"] = g.Read / q.Read;
  state.counters["paint_ratio"] = g.Paint / q.Paint;
  state.counters["total_ratio"] = g.Total() / q.Total();
}
BENCHMARK(BM_Ratio)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
