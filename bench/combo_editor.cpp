// Opening the grid's combo editor on a column of 1,440 items (the column's items copied into the
// shared combo, the cell's item chosen, the combo placed, shown and focused, then committed and
// hidden) against a QComboBox given the same work in the same run: filled with the same 1,440
// items, the cell's item found and selected, shown over the same rectangle and focused, then
// hidden. Times in milliseconds a round; the ratio is ours / QComboBox.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "Paired.h"
#include "grid/core/AdvColumnGrid.h"
#include "platform/Forms.h"
#include "platform/testing/QtReferenceCombo.h"
#include "platform/testing/StartupProbe.h"

namespace {

constexpr int kItems = 1440;
constexpr int kComboCol = 1;
constexpr int kRows = 40;
constexpr int kShownRows = 12;

String ItemText(int i) { return u"Position " + IntToStr(i); }

struct OurSide {
  TForm* form = New<TForm>(nullptr);
  TAdvColumnGrid* grid = New<TAdvColumnGrid>(form);
  OurSide() {
    form->SetBounds(0, 0, 640, 480);
    grid->SetParent(form);
    grid->SetBounds(10, 10, 600, 400);
    grid->SetColCount(4);
    grid->SetRowCount(kRows);
    grid->SetOptions(grid->Options() | goEditing);
    TGridColumnItem* col = grid->Columns()->Items(kComboCol);
    col->SetEditor(edComboList);
    for (int i = 0; i < kItems; ++i) col->ComboItems()->Add(ItemText(i));
    for (int r = 1; r < kRows; ++r) grid->SetCellEx(kComboCol, r, ItemText((r * 37) % kItems));
    ShowFormUntilIdle(form);
  }
  ~OurSide() { delete form; }
  // One open and commit on the row; returns the item the editor opened on.
  int Round(int Row) {
    grid->GotoCell(kComboCol, Row);
    grid->SetFocus();
    grid->ShowInplaceEdit();
    const int item = grid->Combobox()->ItemIndex();
    grid->HideInplaceEdit();
    return item;
  }
};

std::vector<String> Items() {
  std::vector<String> v;
  for (int i = 0; i < kItems; ++i) v.push_back(ItemText(i));
  return v;
}

std::vector<String> Cells() {
  std::vector<String> v;
  for (int r = 0; r < kRows; ++r) v.push_back(ItemText((r * 37) % kItems));
  return v;
}

void BM_OpenComboEditor(benchmark::State& state) {
  OurSide ours;
  TQtReferenceCombo qt(Items(), Cells());
  ours.Round(1);  // both sides have their fonts and styles loaded before the first timed pair
  qt.Round(1);
  bench::PairedTimes open;
  int row = 1;
  for (auto _ : state) {
    row = row % kShownRows + 1;  // rows in view: opening never scrolls the grid
    int a = 0, b = 0;
    const double o = bench::TimeMs([&] { a = ours.Round(row); });
    const double p = bench::TimeMs([&] { b = qt.Round(row); });
    if (a != b) state.SkipWithError("the two sides opened on different items");
    open.Add(o, p);
    Application->ProcessMessages();
  }
  open.Report(state, "open_ms");
}
BENCHMARK(BM_OpenComboEditor)->Iterations(60)->Unit(benchmark::kMillisecond);

}  // namespace
