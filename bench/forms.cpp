// The Set Communication form (the parameter form, over 800 components) against plain Qt in the
// same run: created, shown until it has painted and the event loop is idle, then destroyed,
// beside a plain Qt window with the same widget tree (TQtReferenceForm). Times in milliseconds;
// each ratio is ours / plain Qt.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "Paired.h"
#include "ScratchProject.h"
#include "parameters/UParGen.h"
#include "platform/Files.h"
#include "platform/testing/QtReferenceForms.h"
#include "platform/testing/StartupProbe.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

TFormTimings RunOurs() {
  TFormTimings t;
  auto t0 = std::chrono::steady_clock::now();
  TFParGen* form = New<TFParGen>(nullptr);
  t.Create = bench::MillisecondsOf(t0);
  t0 = std::chrono::steady_clock::now();
  ShowFormUntilIdle(form);
  t.Show = bench::MillisecondsOf(t0);
  t0 = std::chrono::steady_clock::now();
  delete form;
  t.Destroy = bench::MillisecondsOf(t0);
  return t;
}

void BM_SetCommunicationForm(benchmark::State& state) {
  bench::ScratchProject project("bench_forms");  // the form reads ParGen.xml from it on every show
  // One form shown and recorded first: the plain Qt side copies its tree, and both sides have
  // their fonts and styles loaded before the first timed pair.
  TFParGen* first = New<TFParGen>(nullptr);
  ShowFormUntilIdle(first);
  const int components = first->ComponentCount();
  TQtReferenceForm peer(first);
  delete first;
  peer.Run();
  Application->ProcessMessages();

  bench::PairedTimes create, show, destroy, total;
  for (auto _ : state) {
    for (int i = 0; i < state.range(0); ++i) {
      TFormTimings ours, qt;
      if (i % 2 == 0) {
        ours = RunOurs();
        qt = peer.Run();
      } else {
        qt = peer.Run();
        ours = RunOurs();
      }
      Application->ProcessMessages();
      create.Add(ours.Create, qt.Create);
      show.Add(ours.Show, qt.Show);
      destroy.Add(ours.Destroy, qt.Destroy);
      total.Add(ours.Create + ours.Show + ours.Destroy, qt.Create + qt.Show + qt.Destroy);
    }
  }
  state.counters["components"] = components;
  state.counters["qt_widgets"] = peer.WidgetCount();
  create.Report(state, "create_ms");
  show.Report(state, "show_ms");
  destroy.Report(state, "destroy_ms");
  total.Report(state, "total_ms");
}
BENCHMARK(BM_SetCommunicationForm)->Arg(15)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
