// The string grid object: its defaults, integral height, loading, copying from another grid,
// following its form's size, and the window's grid timer.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "AdvGridTestSupport.h"
#include "platform/ClassRegistry.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

struct IntDefault {
  const char* name;
  std::function<int64_t(TAdvStringGrid*)> read;
  int64_t expected;
};

TEST(AdvGridObject, DefaultsAfterCreate) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  const IntDefault table[] = {
      {"RowCount", [](TAdvStringGrid* x) { return x->RowCount(); }, 10},
      {"ColCount", [](TAdvStringGrid* x) { return x->ColCount(); }, 5},
      {"FixedRows", [](TAdvStringGrid* x) { return x->FixedRows(); }, 1},
      {"FixedCols", [](TAdvStringGrid* x) { return x->FixedCols(); }, 1},
      {"Width", [](TAdvStringGrid* x) { return x->Width(); }, 400},
      {"Height", [](TAdvStringGrid* x) { return x->Height(); }, 250},
      {"DefaultRowHeight", [](TAdvStringGrid* x) { return x->DefaultRowHeight(); }, 22},
      {"FixedRowHeight", [](TAdvStringGrid* x) { return x->FixedRowHeight(); }, 22},
      {"row 0 height", [](TAdvStringGrid* x) { return x->RowHeights(0); }, 22},
      {"row 9 height", [](TAdvStringGrid* x) { return x->RowHeights(9); }, 22},
      {"FixedColWidth", [](TAdvStringGrid* x) { return x->FixedColWidth(); }, 64},
      {"WordWrap", [](TAdvStringGrid* x) { return x->WordWrap(); }, 1},
      {"Look", [](TAdvStringGrid* x) { return x->Look(); }, glXP},
      {"BorderColor", [](TAdvStringGrid* x) { return x->BorderColor(); }, 0xB99D7F},
      {"ActiveCellColor", [](TAdvStringGrid* x) { return x->ActiveCellColor(); }, 0x808080},
      {"ActiveCellColorTo", [](TAdvStringGrid* x) { return x->ActiveCellColorTo(); }, clNone},
      {"ActiveCellFont bold", [](TAdvStringGrid* x) { return x->ActiveCellFont()->Style().Contains(fsBold); }, 1},
      {"FixedFont bold", [](TAdvStringGrid* x) { return x->FixedFont()->Style().Contains(fsBold); }, 1},
      {"SelectionColor", [](TAdvStringGrid* x) { return x->SelectionColor(); }, 0xEACAB6},
      {"SelectionColorTo", [](TAdvStringGrid* x) { return x->SelectionColorTo(); }, clNone},
      {"SelectionMirrorColor", [](TAdvStringGrid* x) { return x->SelectionMirrorColor(); }, clNone},
      {"SelectionMirrorColorTo", [](TAdvStringGrid* x) { return x->SelectionMirrorColorTo(); }, clNone},
      {"SelectionTextColor", [](TAdvStringGrid* x) { return x->SelectionTextColor(); }, clBlack},
      {"SelectionColorMixerFactor", [](TAdvStringGrid* x) { return x->SelectionColorMixerFactor(); }, 50},
      {"HintColor", [](TAdvStringGrid* x) { return x->HintColor(); }, clInfoBk},
      {"HighlightColor", [](TAdvStringGrid* x) { return x->HighlightColor(); }, clHighlight},
      {"HighlightTextColor", [](TAdvStringGrid* x) { return x->HighlightTextColor(); }, clHighlightText},
      {"URLColor", [](TAdvStringGrid* x) { return x->URLColor(); }, clBlue},
      {"DisabledFontColor", [](TAdvStringGrid* x) { return x->DisabledFontColor(); }, clSilver},
      {"ScrollBars", [](TAdvStringGrid* x) { return x->ScrollBars(); }, ssBoth},
      {"ScrollWidth", [](TAdvStringGrid* x) { return x->ScrollWidth(); }, 17},
      {"ScrollType", [](TAdvStringGrid* x) { return x->ScrollType(); }, ssNormal},
      {"ScrollColor", [](TAdvStringGrid* x) { return x->ScrollColor(); }, clNone},
      {"InvalidEntryIcon", [](TAdvStringGrid* x) { return x->InvalidEntryIcon(); }, ieWarning},
      {"DefaultEditor", [](TAdvStringGrid* x) { return x->DefaultEditor(); }, edNormal},
      {"DefaultAlignment", [](TAdvStringGrid* x) { return x->DefaultAlignment(); }, taLeftJustify},
      {"VAlignment", [](TAdvStringGrid* x) { return x->VAlignment(); }, vtaTop},
      {"EnableHTML", [](TAdvStringGrid* x) { return x->EnableHTML(); }, 1},
      {"EnableWheel", [](TAdvStringGrid* x) { return x->EnableWheel(); }, 1},
      {"ShowSelection", [](TAdvStringGrid* x) { return x->ShowSelection(); }, 1},
      {"AutoFilterUpdate", [](TAdvStringGrid* x) { return x->AutoFilterUpdate(); }, 1},
      {"FilterNormalCellsOnly", [](TAdvStringGrid* x) { return x->FilterNormalCellsOnly(); }, 1},
      {"PasswordChar", [](TAdvStringGrid* x) { return x->PasswordChar(); }, u'*'},
      {"Delimiter", [](TAdvStringGrid* x) { return x->Delimiter(); }, 0},
      {"SaveFixedCells", [](TAdvStringGrid* x) { return x->SaveFixedCells; }, 1},
      {"SaveVirtCells", [](TAdvStringGrid* x) { return x->SaveVirtCells; }, 1},
      {"SaveHiddenCells", [](TAdvStringGrid* x) { return x->SaveHiddenCells; }, 0},
      {"NumHiddenColumns", [](TAdvStringGrid* x) { return x->NumHiddenColumns(); }, 0},
      {"NumHiddenRows", [](TAdvStringGrid* x) { return x->NumHiddenRows(); }, 0},
      {"Navigation.AlwaysEdit", [](TAdvStringGrid* x) { return x->Navigation()->AlwaysEdit(); }, 0},
      {"FloatingFooter.Visible", [](TAdvStringGrid* x) { return x->FloatingFooter()->Visible(); }, 0},
      {"ColumnSize.Save", [](TAdvStringGrid* x) { return x->ColumnSize()->Save(); }, 0},
      {"PrintSettings.UseDisplayFont", [](TAdvStringGrid* x) { return x->PrintSettings()->UseDisplayFont(); }, 1},
      {"footer panel height", [](TAdvStringGrid* x) { return x->FooterPanel()->Height(); }, 0},
      {"footer panel bottom aligned", [](TAdvStringGrid* x) { return x->FooterPanel()->Align() == alBottom; }, 1},
      {"search panel height", [](TAdvStringGrid* x) { return x->SearchPanel()->Height(); }, 0},
      {"shared combo editor hidden", [](TAdvStringGrid* x) { return x->GridCombo()->Visible(); }, 0},
      {"shared combo editor disabled", [](TAdvStringGrid* x) { return x->GridCombo()->Enabled(); }, 0},
  };
  for (const IntDefault& d : table) EXPECT_EQ(d.read(g), d.expected) << d.name;

  const std::pair<const char*, std::pair<String, String>> texts[] = {
      {"FloatFormat", {g->FloatFormat(), u"%.2f"}},
      {"CheckTrue", {g->CheckTrue(), u"Y"}},
      {"CheckFalse", {g->CheckFalse(), u"N"}},
      {"FilterDropDownClear", {g->FilterDropDownClear(), u"(All)"}},
      {"XMLEncoding", {g->XMLEncoding(), u"ISO-8859-1"}},
      {"FixedFont name", {g->FixedFont()->Name(), u"Tahoma"}},
  };
  for (const auto& t : texts) EXPECT_EQ(Utf8(t.second.first), Utf8(t.second.second)) << t.first;
  EXPECT_FALSE(g->HandleAllocated());  // nothing made the grid's window yet
  delete g;
}

TEST(AdvGridObject, UnitRegistrationsAreStable) {
  EXPECT_EQ(TAdvStringGrid::GridEditDoneMessage(), RegisterWindowMessage(u"GridEditDone"));
  EXPECT_EQ(TAdvStringGrid::DTPShiftFocusMessage(), RegisterWindowMessage(u"DTPShiftFocus"));
  EXPECT_NE(TAdvStringGrid::GridEditDoneMessage(), TAdvStringGrid::DTPShiftFocusMessage());
  EXPECT_GE(TAdvStringGrid::CellsClipboardFormat(), 0xC000u);
}

TEST(AdvGridObject, IntegralHeightRoundsDownToWholeRows) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  ASSERT_EQ(g->BorderStyle(), bsSingle);
  g->SetIntegralHeight(true);
  g->SetBounds(0, 0, 400, 100);
  EXPECT_EQ(g->Height(), 92);  // 100 + 2 - (98 mod 22)
  g->SetIntegralHeight(false);
  g->SetBounds(0, 0, 400, 100);
  EXPECT_EQ(g->Height(), 100);
  delete g;
}

TEST(AdvGridObject, LoadedMovesAlwaysShowEditorToNavigation) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  TGridOptions o = g->Options();
  o.Include(goAlwaysShowEditor);
  o.Include(goEditing);
  g->SetOptions(o);
  g->SetRowCount(30);
  g->Loaded();
  EXPECT_FALSE(g->Options().Contains(goAlwaysShowEditor));
  EXPECT_TRUE(g->Options().Contains(goEditing));
  EXPECT_TRUE(g->Navigation()->AlwaysEdit());
  EXPECT_EQ(g->MaxRowCount(), 30);
  delete g;
}

// Stands for the column grid, which derives from the string grid.
class TDerivedGrid : public TAdvStringGrid {
 public:
  using TAdvStringGrid::TAdvStringGrid;
  String ClassName() const override { return u"TDerivedGrid"; }
};

TEST(AdvGridObject, AssignFromADerivedGridCopiesSettingsAndCells) {
  TDerivedGrid* src = New<TDerivedGrid>(nullptr);
  src->SetColCount(7);
  src->SetRowCount(4);
  src->SetColWidths(3, 91);
  src->SetRowHeights(2, 33);
  src->Navigation()->SetAdvanceOnEnter(true);
  src->SetActiveCellColor(0x123456);
  src->ColumnHeaders()->Add(u"Head");
  src->SetCellEx(2, 1, u"b");
  src->SetCellEx(6, 3, u"two\r\nlines");
  src->Multilinecells = true;

  TAdvStringGrid* dst = New<TAdvStringGrid>(nullptr);
  dst->Multilinecells = true;
  dst->SetCellEx(1, 1, u"old");
  dst->Assign(src);
  EXPECT_EQ(dst->ColCount(), 7);
  EXPECT_EQ(dst->RowCount(), 4);
  EXPECT_EQ(dst->ColWidths(3), 91);
  EXPECT_EQ(dst->RowHeights(2), 33);
  EXPECT_TRUE(dst->Navigation()->AdvanceOnEnter());
  EXPECT_EQ(dst->ActiveCellColor(), TColor(0x123456));
  EXPECT_EQ(Utf8(dst->GetCellEx(0, 0)), "Head");
  EXPECT_EQ(Utf8(dst->GetCellEx(2, 1)), "b");
  EXPECT_EQ(Utf8(dst->GetCellEx(6, 3)), "two\r\nlines");
  delete dst;
  delete src;
}

TEST(AdvGridObject, AssignFromAnythingElseChangesNothing) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetCellEx(1, 1, u"keep");
  TStringList list;
  list.Add(u"x");
  g->Assign(&list);
  g->AssignCells(&list);
  EXPECT_EQ(g->RowCount(), 10);
  EXPECT_EQ(g->ColCount(), 5);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "keep");
  delete g;
}

TEST(AdvGridObject, GridsFollowTheirFormAndAFreedOneIsLeftOut) {
  TForm* form = New<TForm>(nullptr);
  form->SetBounds(0, 0, 600, 500);
  int formHandlerCalls = 0;
  form->OnResize = [&](TObject*) { ++formHandlerCalls; };
  TAdvStringGrid* a = New<TAdvStringGrid>(form);
  TAdvStringGrid* b = New<TAdvStringGrid>(form);
  TAdvStringGrid* c = New<TAdvStringGrid>(form);
  for (TAdvStringGrid* g : {a, b, c}) {
    g->SetParent(form);
    g->SetSizeWithForm(true);
  }
  delete b;
  form->SetBounds(0, 0, 650, 530);
  EXPECT_EQ(a->Width(), 450);
  EXPECT_EQ(a->Height(), 280);
  EXPECT_EQ(c->Width(), 450);
  EXPECT_EQ(c->Height(), 280);
  EXPECT_EQ(formHandlerCalls, 1);  // the form's own handler still runs
  // A size that would leave a grid without area leaves it as it is.
  form->SetBounds(0, 0, 100, 530);
  EXPECT_EQ(a->Width(), 450);
  delete form;  // frees a and c with it
}

TEST(AdvGridObject, AGridWithoutAFormOwnerFollowsNothing) {
  TForm* form = New<TForm>(nullptr);
  form->SetBounds(0, 0, 600, 500);
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetParent(form);
  g->SetSizeWithForm(true);
  form->SetBounds(0, 0, 700, 600);
  EXPECT_EQ(g->Width(), 400);
  EXPECT_EQ(g->Height(), 250);
  delete form;  // frees its child g
}

class TTickGrid : public TAdvStringGrid {
 public:
  using TAdvStringGrid::TAdvStringGrid;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_TIMER) ticks.push_back(m.WParam);
    TAdvStringGrid::WndProc(m);
  }
  std::vector<uintptr_t> ticks;
};

TEST(AdvGridObject, WindowCreationStartsTheGridTimer) {
  GridForm<TTickGrid> f;
  ASSERT_TRUE(f.grid->HandleAllocated());
  f.grid->ticks.clear();
  f.driver.AdvanceTime(1100);
  int ours = 0;
  for (uintptr_t id : f.grid->ticks) ours += id == 111;
  EXPECT_EQ(ours, 2);  // every 500 ms
}

TEST(AdvGridObject, TheGridsControlsAreMadeByName) {
  const char* const names[] = {"TDropList",        "TArrowWindow",     "TGridCombo",
                               "TGridTransEdit",   "TGridTransCombo",  "TGridCheckBox",
                               "TGridEditBtn",     "TGridUnitEditBtn", "TGridButton",
                               "THeaderDragButton", "TControlEdit",    "TControlCombo",
                               "TScrollBar",       "TAdvRichEdit",     "TFooterPanel",
                               "TSearchPanel"};
  TAdvStringGrid* grid = New<TAdvStringGrid>(nullptr);
  const int gridOwns = grid->ComponentCount();
  TComponent plain(nullptr);
  for (const char* name : names) {
    const String n(name, name + std::char_traits<char>::length(name));
    for (TComponent* owner : {static_cast<TComponent*>(grid), &plain}) {
      // The grid's editors need their grid.
      const bool editor = n == u"TGridCombo" || n == u"TGridCheckBox" || n == u"TGridEditBtn" ||
                          n == u"TGridUnitEditBtn" || n == u"TGridButton";
      if (owner == &plain && editor) {
        EXPECT_THROW(FindClass(n)(owner), EInvalidCast) << name;
        continue;
      }
      auto* made = dynamic_cast<TComponent*>(FindClass(n)(owner));
      ASSERT_NE(made, nullptr) << name;
      EXPECT_EQ(Utf8(made->ClassName()), name);
      EXPECT_EQ(made->Owner(), owner) << name;  // freed with its owner
    }
  }
  EXPECT_EQ(grid->ComponentCount() - gridOwns, static_cast<int>(std::size(names)));
  EXPECT_EQ(plain.ComponentCount(), static_cast<int>(std::size(names)) - 5);
  delete grid;
}

}  // namespace
