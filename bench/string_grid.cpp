// The string grid against Qt's QTableWidget given the same work in the same run: fill
// 100,000 rows x 20 columns of text (heap bytes a cell after it), read every cell back, and paint
// one page of 800 x 600 pixels (kViewPaints times: median and minimum). BM_Ratio reports grid /
// QTableWidget for each; run it with --benchmark_repetitions for several pairs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

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
  const double heap0 = HeapBytesInUse();
  auto t0 = std::chrono::steady_clock::now();
  g->SetColCount(kCols);
  g->SetRowCount(kRows);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) g->SetCells(c, r, text(c, r));
  t.Fill = Since(t0);
  t.FillBytes = HeapBytesInUse() - heap0;
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
  std::vector<double> paints;
  for (int k = 0; k < kViewPaints; ++k) {
    t0 = std::chrono::steady_clock::now();
    g->PaintOn(canvas);
    paints.push_back(Since(t0));
  }
  std::sort(paints.begin(), paints.end());
  t.Paint = paints[paints.size() / 2];
  t.PaintMin = paints.front();
  checksum += static_cast<size_t>(canvas->Pixels(kWidth / 2, kHeight / 2) & 0xFF);
  return t;
}

Timings RunTable(size_t& checksum) { return RunQTableWidget(kRows, kCols, kWidth, kHeight, CellText, checksum); }

void Report(benchmark::State& state, const Timings& t) {
  state.counters["fill_ms"] = t.Fill;
  state.counters["read_ms"] = t.Read;
  state.counters["paint_ms"] = t.Paint;
  state.counters["paint_ms_min"] = t.PaintMin;
  state.counters["bytes_per_cell"] = t.FillBytes / (double(kRows) * kCols);
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

// The page alone, painted again and again (only its rows are filled, outside the timing).
void BM_StringGridPaint(benchmark::State& state) {
  std::unique_ptr<TStringGrid> g(New<TStringGrid>(nullptr));
  g->SetBounds(0, 0, kWidth, kHeight);
  g->SetColCount(kCols);
  g->SetRowCount(kRows);
  for (int r = kRows / 2; r < kRows / 2 + kHeight / 10; ++r)
    for (int c = 0; c < kCols; ++c) g->SetCells(c, r, CellText(c, r));
  g->SetTopRow(kRows / 2);
  TBitmap image;
  image.SetPixelFormat(pf32bit);
  image.SetSize(kWidth, kHeight);
  TCanvas* canvas = image.Canvas();
  canvas->Pixels(0, 0);
  for (auto _ : state) g->PaintOn(canvas);
  benchmark::DoNotOptimize(canvas->Pixels(kWidth / 2, kHeight / 2));
}
BENCHMARK(BM_StringGridPaint)->Unit(benchmark::kMillisecond);

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
  state.counters["paint_ratio_min"] = g.PaintMin / q.PaintMin;
  state.counters["paint_ms"] = g.Paint;
  state.counters["paint_ms_min"] = g.PaintMin;
  state.counters["peer_paint_ms"] = q.Paint;
  state.counters["peer_paint_ms_min"] = q.PaintMin;
  state.counters["memory_ratio"] = g.FillBytes / q.FillBytes;
  state.counters["bytes_per_cell"] = g.FillBytes / (double(kRows) * kCols);
  state.counters["peer_bytes_per_cell"] = q.FillBytes / (double(kRows) * kCols);
  state.counters["total_ratio"] = g.Total() / q.Total();
}
BENCHMARK(BM_Ratio)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
