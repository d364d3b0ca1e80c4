// The string grid against Qt's QTableWidget given the same work in the same run: fill
// 100,000 rows x 20 columns of text, read every cell back, and paint one page of 800 x 600
// pixels. BM_Ratio reports grid time / QTableWidget time for the whole job.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QTableWidget>

#include <chrono>
#include <memory>

#include "platform/Grids.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 20;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

String CellText(int c, int r) { return IntToStr(r) + u":" + IntToStr(c); }

struct Timings {
  double fill = 0, read = 0, paint = 0;
  double Total() const { return fill + read + paint; }
};

double Since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

Timings RunGrid(size_t& checksum) {
  Timings t;
  std::unique_ptr<TStringGrid> g(New<TStringGrid>(nullptr));
  g->SetBounds(0, 0, kWidth, kHeight);
  g->Canvas();  // the application and its fonts exist before timing starts
  auto t0 = std::chrono::steady_clock::now();
  g->SetColCount(kCols);
  g->SetRowCount(kRows);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) g->SetCells(c, r, CellText(c, r));
  t.fill = Since(t0);
  t0 = std::chrono::steady_clock::now();
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) checksum += g->Cells(c, r).size();
  t.read = Since(t0);
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  g->SetTopRow(kRows / 2);
  t0 = std::chrono::steady_clock::now();
  {
    QPainter p(&image);
    g->PaintTo(&p);
  }
  t.paint = Since(t0);
  checksum += image.pixel(kWidth / 2, kHeight / 2) & 0xFF;
  return t;
}

Timings RunTable(size_t& checksum) {
  Timings t;
  std::unique_ptr<TStringGrid> app(New<TStringGrid>(nullptr));
  app->Canvas();  // makes sure the QApplication exists
  QTableWidget table;
  table.resize(kWidth, kHeight);
  table.verticalHeader()->setDefaultSectionSize(24);
  table.horizontalHeader()->setDefaultSectionSize(64);
  auto t0 = std::chrono::steady_clock::now();
  table.setColumnCount(kCols);
  table.setRowCount(kRows);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) {
      String s = CellText(c, r);
      table.setItem(r, c, new QTableWidgetItem(QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()))));
    }
  t.fill = Since(t0);
  t0 = std::chrono::steady_clock::now();
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) checksum += static_cast<size_t>(table.item(r, c)->text().size());
  t.read = Since(t0);
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  table.scrollToItem(table.item(kRows / 2, 0), QAbstractItemView::PositionAtTop);
  t0 = std::chrono::steady_clock::now();
  table.render(&image);
  t.paint = Since(t0);
  checksum += image.pixel(kWidth / 2, kHeight / 2) & 0xFF;
  return t;
}

void Report(benchmark::State& state, const Timings& t) {
  state.counters["fill_ms"] = t.fill;
  state.counters["read_ms"] = t.read;
  state.counters["paint_ms"] = t.paint;
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
  state.counters["fill_ratio"] = g.fill / q.fill;
  state.counters["read_ratio"] = g.read / q.read;
  state.counters["paint_ratio"] = g.paint / q.paint;
  state.counters["total_ratio"] = g.Total() / q.Total();
}
BENCHMARK(BM_Ratio)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
