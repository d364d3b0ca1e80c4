// The edit cycle: editor kind resolution, the editing latch, the select-cell question with its
// changing events, the special-editor frame and the report of an edit's end; the fixed-cell
// edit box.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvColumnGrid.h"
#include "grid/core/AdvInplaceEdit.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

// Records the "GridEditDone" messages the grid receives and reaches the select-cell question.
template <class TBase>
class TEditProbe : public TBase {
 public:
  using TBase::TBase;
  using TBase::CanSelectCell;
  std::vector<std::pair<int, int>> EditDone;
  void WndProc(TMessage& m) override {
    if (m.Msg == TAdvStringGrid::GridEditDoneMessage())
      EditDone.emplace_back(static_cast<int>(m.WParam), static_cast<int>(m.LParam));
    TBase::WndProc(m);
  }
};
using TProbeGrid = TEditProbe<TAdvStringGrid>;
using TProbeColumnGrid = TEditProbe<TAdvColumnGrid>;

template <class TGrid>
void StartEditing(GridForm<TGrid>& f, int DCol, int DRow) {
  f.grid->SetOptions(f.grid->Options() | goEditing);
  f.grid->SetFocus();
  f.grid->GotoCell(DCol, DRow);
  f.grid->ShowInplaceEdit();
}

TEST(AdvGridEdit, EditorKindFromDefaultThenColumnThenEvent) {
  struct Case {
    const char* name;
    TEditorType defaultEditor;
    TEditorType columnEditor;  // edNone: the column keeps edNormal
    bool eventSetsUpper;
    TEditorType expected;
  };
  const Case cases[] = {
      {"default", edNumeric, edNone, false, edNumeric},
      {"column wins over default", edNumeric, edFloat, false, edFloat},
      {"event wins over column", edNumeric, edFloat, true, edUpperCase},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridForm<TProbeColumnGrid> f;
    TProbeColumnGrid* g = f.grid;
    g->SetDefaultEditor(c.defaultEditor);
    // A column grid asks its column; the default counts where the column does not answer.
    g->Columns()->Items(2)->SetEditor(c.columnEditor == edNone ? c.defaultEditor : c.columnEditor);
    if (c.eventSetsUpper) g->OnGetEditorType = [](TObject*, int, int, TEditorType& e) { e = edUpperCase; };
    StartEditing(f, 2, 2);
    EXPECT_TRUE(g->EditorMode());
    EXPECT_EQ(g->CurrentEditor(), c.expected);
  }
}

TEST(AdvGridEdit, OnGetEditorTypeGetsTheRealColumnWithAColumnHidden) {
  GridForm<TProbeGrid> f;
  TProbeGrid* g = f.grid;
  g->HideColumn(1);  // display column 2 is real column 3
  std::vector<int> asked;
  g->OnGetEditorType = [&](TObject*, int ACol, int, TEditorType&) { asked.push_back(ACol); };
  StartEditing(f, 2, 2);
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back(), 3);
}

TEST(AdvGridEdit, EdNoneOpensNothingAndWithDirectEditKeepsGoEditingOut) {
  GridForm<TProbeGrid> f;
  TProbeGrid* g = f.grid;
  g->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& e) {
    if (ACol == 2) e = edNone;
  };
  StartEditing(f, 2, 2);
  EXPECT_FALSE(g->EditorMode());
  EXPECT_FALSE(g->InEditMode());

  g->MouseActions()->SetDirectEdit(true);
  g->GotoCell(3, 2);
  EXPECT_TRUE(g->Options().Contains(goEditing));
  g->GotoCell(2, 3);
  EXPECT_FALSE(g->Options().Contains(goEditing));
  EXPECT_TRUE(g->IsEditable(3, 3));  // the latch still counts as editing on
  g->GotoCell(3, 3);
  EXPECT_TRUE(g->Options().Contains(goEditing));
}

TEST(AdvGridEdit, ColumnGridIsEditableWhateverGoEditingSays) {
  GridForm<TProbeColumnGrid> f;
  TProbeColumnGrid* g = f.grid;
  TGridOptions o = g->Options();
  o.Exclude(goEditing);
  g->SetOptions(o);
  g->Columns()->Items(3)->SetReadOnly(true);
  struct Step {
    int col;
    bool goEditingAfter;
  };
  const Step steps[] = {{2, true}, {3, false}, {4, true}, {3, false}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.col);
    g->GotoCell(s.col, 2);
    EXPECT_EQ(g->Options().Contains(goEditing), s.goEditingAfter);
  }
  EXPECT_FALSE(g->IsEditable(3, 2));
  EXPECT_TRUE(g->IsEditable(2, 2));
}

TEST(AdvGridEdit, ChangingEventsInOrderAndOneAllowForTheThree) {
  struct Case {
    const char* name;
    int toCol, toRow;
    const char* refuser;  // which event refuses, or ""
    std::string log;
    int colAfter, rowAfter;
  };
  const Case cases[] = {
      {"row and column", 2, 3, "", "row 1>3;col 1>2;cell 1,1>3,2;", 2, 3},
      {"column only", 3, 1, "", "col 1>3;cell 1,1>1,3;", 3, 1},
      {"row refuses: all fire, cell kept", 2, 3, "row", "row 1>3;col 1>2;cell 1,1>3,2;", 1, 1},
      {"cell refuses", 1, 2, "cell", "row 1>2;cell 1,1>2,1;", 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridForm<TProbeGrid> f;
    TProbeGrid* g = f.grid;
    std::string log;
    const std::string refuser = c.refuser;
    g->OnRowChanging = [&](TObject*, int o, int n, bool& a) {
      log += "row " + std::to_string(o) + ">" + std::to_string(n) + ";";
      if (refuser == "row") a = false;
    };
    g->OnColChanging = [&](TObject*, int o, int n, bool&) {
      log += "col " + std::to_string(o) + ">" + std::to_string(n) + ";";
    };
    g->OnCellChanging = [&](TObject*, int orow, int ocol, int nrow, int ncol, bool& a) {
      log += "cell " + std::to_string(orow) + "," + std::to_string(ocol) + ">" + std::to_string(nrow) + "," +
             std::to_string(ncol) + ";";
      if (refuser == "cell") a = false;
    };
    g->MoveCurrentCell(c.toCol, c.toRow);
    EXPECT_EQ(log, c.log);
    EXPECT_EQ(g->Col(), c.colAfter);
    EXPECT_EQ(g->Row(), c.rowAfter);
  }
}

TEST(AdvGridEdit, AMergedNonBaseCellSelectsItsBase) {
  GridForm<TProbeGrid> f;
  TProbeGrid* g = f.grid;
  TGridOptions o = g->Options();
  o.Exclude(goRangeSelect);
  g->SetOptions(o);
  g->MergeCells(2, 2, 2, 2);
  g->GotoCell(3, 3);
  EXPECT_EQ(g->Col(), 2);
  EXPECT_EQ(g->Row(), 2);
}

TEST(AdvGridEdit, OnRowChangedOncePerNewRowOnlyWhileAssigned) {
  GridForm<TProbeGrid> f;
  TProbeGrid* g = f.grid;
  g->SetRowCount(8);
  g->GotoCell(1, 2);  // not reported: nothing assigned
  std::vector<std::pair<int, int>> seen;
  g->OnRowChanged = [&](TObject*, int o, int n) { seen.emplace_back(o, n); };
  g->GotoCell(1, 3);
  g->GotoCell(2, 3);  // same row
  g->GotoCell(2, 5);
  EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{-1, 3}, {3, 5}}));
}

TEST(AdvGridEdit, AllRowsFixedWithFixedRowAlwaysAcceptsDespiteARefusal) {
  GridForm<TProbeGrid> f;
  TProbeGrid* g = f.grid;
  g->SetFixedRowAlways(true);
  g->SetRowCount(1);
  g->OnCellChanging = [](TObject*, int, int, int, int, bool& a) { a = false; };
  EXPECT_TRUE(g->CanSelectCell(2, 0));
  g->SetFixedRowAlways(false);
  EXPECT_FALSE(g->CanSelectCell(2, 0));
}

TEST(AdvGridEdit, NotifyEditDoneFiresEditingDoneNowAndPostsTheRealCellForLater) {
  GridForm<TProbeGrid> f;
  TProbeGrid* g = f.grid;
  int done = 0;
  g->OnEditingDone = [&](TObject*) { ++done; };
  g->NotifyEditDone(5, 3);
  EXPECT_EQ(done, 1);
  EXPECT_TRUE(g->EditDone.empty());
  f.driver.DrainPosted();
  EXPECT_EQ(g->EditDone, (std::vector<std::pair<int, int>>{{5, 3}}));
}

TEST(AdvGridEdit, SpecialKindWithoutAControlOpensNothingAndItsCommitReportsTheEnd) {
  GridForm<TProbeGrid> f;
  TProbeGrid* g = f.grid;
  g->HideColumn(1);
  g->SetDefaultEditor(edDataCheckBox);
  g->SetCellEx(3, 2, u"keep");
  int done = 0;
  g->OnEditingDone = [&](TObject*) { ++done; };
  StartEditing(f, 2, 2);
  EXPECT_FALSE(g->EditorMode());  // no inplace editor
  EXPECT_TRUE(g->EditActive());
  EXPECT_EQ(g->EditCtrl(), nullptr);
  g->HideCellEdit();
  EXPECT_EQ(done, 1);
  EXPECT_FALSE(g->EditActive());
  EXPECT_FALSE(g->InEditMode());
  EXPECT_EQ(Utf8(g->GetCellEx(3, 2)), "keep");
  f.driver.DrainPosted();
  EXPECT_EQ(g->EditDone, (std::vector<std::pair<int, int>>{{3, 2}}));
}

TEST(AdvGridEdit, ListComboItemChoice) {
  struct Case {
    const char* cell;
    int comboIdx;
    int expected;
    bool report;
  };
  const Case cases[] = {
      {"B", -1, 1, false}, {"X", -1, 0, true}, {"X", 2, 2, false}, {"<b>B</b>", -1, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cell);
    GridForm<TProbeGrid> f;
    TProbeGrid* g = f.grid;
    TStringList items;
    items.Add(u"A");
    items.Add(u"B");
    items.Add(u"C");
    g->SetCellEx(1, 1, Utf8ToString(c.cell));
    g->SetComboSelection(c.comboIdx);
    bool report = false;
    EXPECT_EQ(g->ChooseComboListItem(1, 1, &items, report), c.expected);
    EXPECT_EQ(report, c.report);
  }
}

TEST(AdvGridEdit, FixedCellEditBox) {
  GridForm<TProbeGrid> f;
  TProbeGrid* g = f.grid;
  TEdit* other = New<TEdit>(f.form);
  other->SetParent(f.form);
  other->SetBounds(10, 300, 80, 20);
  bool refuse = true;
  int validated = 0, done = 0, changed = 0;
  g->OnCellValidate = [&](TObject*, int, int, String&, bool& v) {
    ++validated;
    v = !refuse;
  };
  g->OnEditingDone = [&](TObject*) { ++done; };
  g->OnCellsChanged = [&](TObject*, const TRect&) { ++changed; };
  TGridTransEdit* e = g->FixedCellEdit();
  e->SetParent(g);  // as the mouse handling places it over the header
  e->FEditCol = 2;
  e->FEditRow = 0;
  e->SetBounds(g->CellRect(2, 0).Left, 0, 60, 20);
  e->Show();
  e->SetFocus();
  f.driver.Type(f.form, u"abc");
  f.driver.Key(f.form, VK_RETURN);
  EXPECT_EQ(Utf8(e->Text()), "abc");
  EXPECT_TRUE(e->Focused());
  other->SetFocus();  // refused: the edit keeps the focus
  EXPECT_TRUE(e->Focused());
  EXPECT_TRUE(e->Visible());
  refuse = false;
  other->SetFocus();
  EXPECT_FALSE(e->Visible());
  EXPECT_EQ(Utf8(g->GetCellEx(2, 0)), "abc");
  EXPECT_EQ(validated, 2);
  EXPECT_EQ(done, 1);
  EXPECT_EQ(changed, 0);
  f.driver.DrainPosted();
  EXPECT_TRUE(g->EditDone.empty());
}

TEST(AdvGridEdit, ShowInplaceEditOnACheckBoxCellOpensNothing) {
  GridForm<TProbeGrid> f;
  TProbeGrid* g = f.grid;
  g->AddCheckBox(2, 2, false, false);
  StartEditing(f, 2, 2);
  EXPECT_FALSE(g->EditorMode());
  EXPECT_FALSE(g->InEditMode());
}

TEST(AdvGridEdit, EditLinkHookAnswersArrowsTabAndCharsWithGoTabs) {
  GridForm<TProbeGrid> f;
  TProbeGrid* g = f.grid;
  TEdit* link = New<TEdit>(f.form);
  link->SetParent(f.form);
  g->HookEditLinkControl(link);
  const intptr_t own = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  EXPECT_EQ(link->Perform(WM_GETDLGCODE, 0, 0), own);
  g->SetOptions(g->Options() | goTabs);
  EXPECT_EQ(link->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS);
  link->SetText(u"x");
  EXPECT_EQ(Utf8(link->Text()), "x");
}

}  // namespace
