// Contracting and expanding every node of a string grid of 100,000 rows in 10,000 nodes of ten
// rows each (the node row and nine children).
#include <benchmark/benchmark.h>

#include <memory>

#include "grid/core/AdvGrid.h"

namespace {

constexpr int kRows = 100000;
constexpr int kSpan = 10;

std::unique_ptr<TAdvStringGrid> NodeBenchGrid() {
  std::unique_ptr<TAdvStringGrid> g(New<TAdvStringGrid>(nullptr));
  g->SetColCount(5);
  g->SetRowCount(kRows + 1);
  for (int r = 1; r <= kRows; ++r) g->SetCellEx(1, r, IntToStr(r));
  for (int r = 1; r <= kRows; r += kSpan) g->AddNode(r, kSpan);
  return g;
}

void BM_ContractAll(benchmark::State& state) {
  auto g = NodeBenchGrid();
  for (auto _ : state) {
    g->ContractAll();
    benchmark::DoNotOptimize(g->RowCount());
    state.PauseTiming();
    g->ExpandAll();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ContractAll)->Unit(benchmark::kMillisecond);

void BM_ExpandAll(benchmark::State& state) {
  auto g = NodeBenchGrid();
  for (auto _ : state) {
    state.PauseTiming();
    g->ContractAll();
    state.ResumeTiming();
    g->ExpandAll();
    benchmark::DoNotOptimize(g->RowCount());
  }
}
BENCHMARK(BM_ExpandAll)->Unit(benchmark::kMillisecond);

}  // namespace
