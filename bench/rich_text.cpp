// Rich text: reading and writing a 100 KB RTF document (and 4 and 16 times as much, to see that
// the time grows with the length and not faster), reading unreadable RTF (deep unbalanced
// groups) as its plain text, loading the document into a rich edit, and one page of 40 rich-text
// cells painted against 40 plain cells in the same run (rich_ratio_med: rich time / plain time).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "Paired.h"
#include "grid/core/AdvGrid.h"
#include "platform/RichText.h"
#include "platform/testing/ImageCanvas.h"

namespace {

TRichCharFormat BenchFormat() {
  TRichCharFormat f;
  f.FontName = u"Tahoma";
  return f;
}

// About Kb kilobytes of RTF: words in turn bold, coloured, in a second font, raised, with
// paragraphs, tabs and characters beyond ASCII.
TRichRuns BenchRuns(size_t Kb) {
  TRichRuns runs;
  std::string rtf;
  for (int i = 0; rtf.size() < Kb * 1024; ++i) {
    TRichCharFormat f = BenchFormat();
    f.Bold = i % 3 == 0;
    f.Color = i % 5 == 0 ? RGB(i % 256, 0, 0) : clNone;
    f.FontName = i % 7 == 0 ? u"Courier New" : u"Tahoma";
    f.OffsetTwips = i % 11 == 0 ? 40 : 0;
    AppendRichText(runs, u"word " + IntToStr(i) + (i % 13 == 0 ? u"\x2029" : u"\t\x00fc\x20ac "), f);
    if (i % 512 == 0) rtf = WriteRtf(runs, BenchFormat());
  }
  return runs;
}

void BM_WriteRtf(benchmark::State& State) {
  const TRichRuns runs = BenchRuns(static_cast<size_t>(State.range(0)));
  size_t bytes = 0;
  for (auto _ : State) {
    const std::string rtf = WriteRtf(runs, BenchFormat());
    bytes = rtf.size();
    benchmark::DoNotOptimize(rtf.data());
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * bytes));
}
BENCHMARK(BM_WriteRtf)->Arg(100)->Arg(400)->Arg(1600)->Unit(benchmark::kMillisecond);

void BM_ReadRtf(benchmark::State& State) {
  const std::string rtf = WriteRtf(BenchRuns(static_cast<size_t>(State.range(0))), BenchFormat());
  for (auto _ : State) {
    TRichRuns runs;
    benchmark::DoNotOptimize(ReadRtf(rtf, BenchFormat(), runs));
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * rtf.size()));
}
BENCHMARK(BM_ReadRtf)->Arg(100)->Arg(400)->Arg(1600)->Unit(benchmark::kMillisecond);

// Groups opened and never closed, then loaded as plain text.
void BM_ReadUnreadableRtf(benchmark::State& State) {
  std::string rtf = "{\\rtf1 ";
  while (rtf.size() < static_cast<size_t>(State.range(0)) * 1024) rtf += "{\\b x\\'e4";
  for (auto _ : State) benchmark::DoNotOptimize(LoadRichBytes(rtf, BenchFormat()).size());
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * rtf.size()));
}
BENCHMARK(BM_ReadUnreadableRtf)->Arg(100)->Arg(400)->Arg(1600)->Unit(benchmark::kMillisecond);

void BM_LoadRichEdit(benchmark::State& State) {
  const std::string rtf = WriteRtf(BenchRuns(100), BenchFormat());
  std::unique_ptr<TRichEdit> edit(New<TRichEdit>(nullptr));
  for (auto _ : State) {
    edit->LoadBytes(rtf);
    benchmark::DoNotOptimize(edit->TextLength());
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * rtf.size()));
}
BENCHMARK(BM_LoadRichEdit)->Unit(benchmark::kMillisecond);

constexpr int kPageCols = 4, kPageRows = 10, kPairs = 15;

std::unique_ptr<TAdvStringGrid> BenchPage(bool Rich) {
  std::unique_ptr<TAdvStringGrid> g(New<TAdvStringGrid>(nullptr));
  g->SetScrollBars(ssNone);
  g->SetFixedCols(0);
  g->SetFixedRows(0);
  g->SetColCount(kPageCols);
  g->SetRowCount(kPageRows);
  g->SetDefaultColWidth(120);
  g->SetDefaultRowHeight(24);
  g->SetBounds(0, 0, kPageCols * 120 + 4, kPageRows * 24 + 4);
  for (int r = 0; r < kPageRows; ++r)
    for (int c = 0; c < kPageCols; ++c) {
      const String n = IntToStr(r * kPageCols + c);
      g->SetCells(c, r, Rich ? u"{\\rtf1{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 cell {\\b " + n + u"} {\\cf0\\i text}}"
                             : u"cell " + n + u" text");
    }
  return g;
}

void BM_RichCellsPage(benchmark::State& State) {
  std::unique_ptr<TAdvStringGrid> rich = BenchPage(true), plain = BenchPage(false);
  TImageCanvas img(kPageCols * 120 + 4, kPageRows * 24 + 4);
  rich->PaintOn(img.Canvas());
  plain->PaintOn(img.Canvas());
  bench::PairedTimes times;
  for (auto _ : State) {
    for (int k = 0; k < kPairs; ++k) {
      const double r = bench::TimeMs([&] { rich->PaintOn(img.Canvas()); });
      const double p = bench::TimeMs([&] { plain->PaintOn(img.Canvas()); });
      times.Add(r, p);
    }
  }
  times.Report(State, "rich");
}
BENCHMARK(BM_RichCellsPage)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
