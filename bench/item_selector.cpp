// The item selector of the list drop-downs with 1,000 items in 3 columns, each caption mini-HTML:
// laying out (every caption measured as mini-HTML, then the cells placed) and painting every item
// (background, hot and selected bars, captions) onto an image as large as the panel.
#include <benchmark/benchmark.h>

#include <memory>

#include "grid/dropdown/AdvItemSelector.h"
#include "platform/testing/ImageCanvas.h"

namespace {

constexpr int kItems = 1000;
constexpr int kColumns = 3;

std::unique_ptr<TAdvCustomItemSelector> Selector() {
  std::unique_ptr<TAdvCustomItemSelector> s(New<TAdvCustomItemSelector>(nullptr));
  s->SetColumns(kColumns);
  s->Items()->OnChange = nullptr;  // one layout at the end, as the drop-downs fill it
  for (int i = 0; i < kItems; ++i)
    s->Items()->Add()->SetCaption(u"<b>Node " + IntToStr(i) + u"</b> <i>uplink</i> <font color=\"clRed\">" +
                                  IntToStr(i % 97) + u" dB</font>");
  s->UpdateSelectorPanel();
  return s;
}

void BM_LayoutItemSelector(benchmark::State& state) {
  auto selector = Selector();
  for (auto _ : state) {
    selector->UpdateSelectorPanel();
    benchmark::DoNotOptimize(selector->SelectorPanel()->Height());
  }
  state.counters["panel_height"] = selector->SelectorPanel()->Height();
}
BENCHMARK(BM_LayoutItemSelector)->Unit(benchmark::kMillisecond);

void BM_PaintItemSelector(benchmark::State& state) {
  auto selector = Selector();
  TCustomItemSelector* panel = selector->SelectorPanel();
  selector->SetItemIndex(10);
  panel->SetItemHot(11);
  TImageCanvas image(panel->Width(), panel->Height());
  for (auto _ : state) {
    for (int i = 0; i < kItems; ++i) panel->DrawItem(i, image.Canvas());
    benchmark::DoNotOptimize(image.Bitmap());
  }
  state.counters["items"] = kItems;
}
BENCHMARK(BM_PaintItemSelector)->Unit(benchmark::kMillisecond);

}  // namespace
