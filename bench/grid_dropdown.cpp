// The grid drop-down and the multi-column drop-down, each opened on 10,000 items in 3 columns with
// column auto-size on, then a three-letter lookup typed into the open popup, then closed without
// taking it; against a QComboBox whose
// popup is a QTableView over the same rows, filled, opened on the same row with its columns
// sized to their contents, closed, and given the same lookup, in the same run. Times in
// milliseconds a round; the ratio is ours / Qt. The first benchmark opens one drop-down again and
// again (its measured item widths are kept), the second a new drop-down each round.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "Paired.h"
#include "grid/griddropdown/AdvGridDropDown.h"
#include "grid/griddropdown/AdvMultiColumnDropDown.h"
#include "platform/Forms.h"
#include "platform/testing/QtReferenceTableCombo.h"
#include "platform/testing/StartupProbe.h"

namespace {

constexpr int kItems = 10000;

std::vector<String> RowTexts(int i) {
  return {u"Node " + IntToStr(i), IntToStr(1000 + i * 7 % 9000), u"Uplink " + IntToStr(i % 97) + u" dB"};
}

// "Nod" finds the first node; the row opened on moves through the list.
const String kTyped = u"Nod";

// The popup's grid of either drop-down.
TAdvColGrid* PopupOf(TCustomAdvGridDropDown* Edit) { return Edit->GetPopupGrid(); }
multicolumn_dropdown::TAdvColGrid* PopupOf(TAdvMultiColumnDropDown* Edit) { return Edit->PopupGrid(); }

template <class TEdit>
struct OurSide {
  TForm* form = New<TForm>(nullptr);
  TEdit* edit = new TEdit(form);
  OurSide() {
    form->SetBounds(0, 0, 640, 480);
    edit->SetParent(form);
    edit->SetBounds(20, 20, 200, 21);
    for (int c = 0; c < 3; ++c) edit->Columns()->Add()->SetAutoSize(true);
    for (int i = 0; i < kItems; ++i) {
      auto* item = edit->Items()->Add();
      for (const String& s : RowTexts(i)) item->Text()->Add(s);
    }
    edit->EndUpdate();
    ShowFormUntilIdle(form);
  }
  ~OurSide() { delete form; }
  int Round(int Row) {
    edit->SetItemIndex(Row);
    edit->ShowDropDown();
    for (Char ch : kTyped) {
      Char key = ch;
      edit->ControlKeyPress(key);  // where the popup grid's typed characters go
    }
    const int found = PopupOf(edit)->Row() - 1;
    Char esc = VK_ESCAPE;  // as Esc in the popup: the lookup entry ends with the popup
    edit->ControlKeyPress(esc);
    edit->HideDropDown(true);
    return found;
  }
};

std::vector<std::vector<String>> Rows() {
  std::vector<std::vector<String>> rows;
  for (int i = 0; i < kItems; ++i) rows.push_back(RowTexts(i));
  return rows;
}

template <class TEdit>
void OpenAndLookUp(benchmark::State& state) {
  OurSide<TEdit> ours;
  TQtReferenceTableCombo qt(Rows());
  ours.Round(1);  // fonts and styles loaded on both sides before the first timed pair
  qt.Round(1, kTyped);
  bench::PairedTimes round;
  int row = 0;
  for (auto _ : state) {
    row = (row + 997) % kItems;
    int a = 0, b = 0;
    const double o = bench::TimeMs([&] { a = ours.Round(row); });
    const double p = bench::TimeMs([&] { b = qt.Round(row, kTyped); });
    if (a != b) state.SkipWithError("the two sides found different rows");
    round.Add(o, p);
    Application->ProcessMessages();
  }
  round.Report(state, "round_ms");
}
void BM_OpenGridDropDownAndLookUp(benchmark::State& state) { OpenAndLookUp<TCustomAdvGridDropDown>(state); }
BENCHMARK(BM_OpenGridDropDownAndLookUp)->Iterations(20)->Unit(benchmark::kMillisecond);
// Its popup paints from the items: the grid holds no texts.
void BM_OpenMultiColumnDropDownAndLookUp(benchmark::State& state) { OpenAndLookUp<TAdvMultiColumnDropDown>(state); }
BENCHMARK(BM_OpenMultiColumnDropDownAndLookUp)->Iterations(20)->Unit(benchmark::kMillisecond);

// The same round on a drop-down that has never been opened: every item text is measured.
void BM_FirstOpenGridDropDownAndLookUp(benchmark::State& state) {
  OurSide<TCustomAdvGridDropDown>(/*the application, fonts and styles*/).Round(1);
  TQtReferenceTableCombo qt(Rows());
  qt.Round(1, kTyped);
  bench::PairedTimes round;
  int row = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto ours = std::make_unique<OurSide<TCustomAdvGridDropDown>>();
    state.ResumeTiming();
    row = (row + 997) % kItems;
    int a = 0, b = 0;
    const double o = bench::TimeMs([&] { a = ours->Round(row); });
    const double p = bench::TimeMs([&] { b = qt.Round(row, kTyped); });
    if (a != b) state.SkipWithError("the two sides found different rows");
    round.Add(o, p);
    state.PauseTiming();
    ours.reset();
    Application->ProcessMessages();
    state.ResumeTiming();
  }
  round.Report(state, "round_ms");
}
BENCHMARK(BM_FirstOpenGridDropDownAndLookUp)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
