// 10,000 measure calls of the mini-HTML renderer on a 300-character markup with 10 tags, on
// fixed metrics so the figure is the line engine's own cost, not the font engine's.
#include <benchmark/benchmark.h>

#include "grid/foundation/AsgHTMLE.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

String Markup() {
  String m = u"<B>Device</B> list: <FONT COLOR=\"clRed\">gateway</FONT> answers on <A HREF=\"ip\">"
             u"192.168.1.10</A>; <I>uplink</I> and <U>downlink</U> frames are mapped to SNMP variables "
             u"one by one. ";
  while (m.size() < 300) m += u"Each end device keeps its keys and its data rate in the table below. ";
  return m.substr(0, 300);
}

void BM_MeasureMiniHTML(benchmark::State& state) {
  TScopedFakeMetrics metrics;
  TRecordingCanvas canvas;
  const String markup = Markup();
  TMiniHTMLResult result;
  for (auto _ : state) {
    canvas.Clear();  // the recording canvas keeps the measuring calls; it must not grow
    RenderMiniHTML(&canvas, markup, {.Area = Rect(0, 0, 240, 400), .MeasureOnly = true}, result);
    benchmark::DoNotOptimize(result.ExtentY);
  }
  state.counters["lines"] = result.ExtentY / 13.0;
}
BENCHMARK(BM_MeasureMiniHTML)->Iterations(10000);

}  // namespace
