// What follows edits, scrolls, sizes and the mouse over the fixed cells: the block-focus frame of
// an edit, the split cursors over sizable fixed borders, the selection-changed hook of every
// route, scrolling (special editors closed, cell controls placed, attached grids), column widths
// following the grid's width, whole row, column and grid selection from the fixed cells, and the
// hint of a text too large for its cell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvGridComboEditor.h"
#include "grid/core/AdvInplaceEdit.h"
#include "platform/HintWindow.h"
#include "platform/testing/FakeMetrics.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

TEST(AdvGridScrollFollow, AnEditShowsTheBlockFocusFrameUntilItsValueIsAccepted) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetOptions(g->Options() | goEditing);
  g->FocusHelper()->SetEnabled(true);
  bool refuse = true;
  g->OnCellValidate = [&](TObject*, int, int, String&, bool& Valid) { Valid = !refuse; };
  g->SetFocus();
  g->GotoCell(2, 2);
  g->ShowInplaceEdit();
  ASSERT_TRUE(g->EditorMode());
  EXPECT_EQ(TAdvStringGrid::FocusWindowGrid(), g);
  EXPECT_TRUE(g->FocusWindow()->Visible());
  EXPECT_EQ(g->FocusWindow()->BoundsRect(), g->FocusWindowRect());
  // A refused value keeps the frame around the cell; an accepted one removes it.
  g->NormalEdit()->SetText(u"x");
  f.driver.Key(f.form, VK_RETURN);
  EXPECT_TRUE(g->FocusWindow()->Visible());
  refuse = false;
  g->NormalEdit()->SetText(u"y");
  f.driver.Key(f.form, VK_RETURN);
  EXPECT_FALSE(g->FocusWindow()->Visible());
  EXPECT_EQ(TAdvStringGrid::FocusWindowGrid(), nullptr);
}

TEST(AdvGridScrollFollow, NoFrameWithoutFocusHelperAndAroundASpecialEditor) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetOptions(g->Options() | goEditing);
  g->SetFocus();
  g->GotoCell(1, 1);
  g->ShowInplaceEdit();
  EXPECT_EQ(TAdvStringGrid::FocusWindowGrid(), nullptr);
  g->HideInplaceEdit();
  g->FocusHelper()->SetEnabled(true);
  g->SetDefaultEditor(edComboList);
  g->Combobox()->Items()->Add(u"A");
  g->GotoCell(2, 1);
  g->ShowInplaceEdit();
  EXPECT_EQ(TAdvStringGrid::FocusWindowGrid(), g);
  EXPECT_TRUE(g->FocusWindow()->Visible());
  g->HideInplaceEdit();
}

TEST(AdvGridScrollFollow, SplitCursorsOverSizableFixedBorders) {
  struct Case {
    const char* name;
    bool cols;  // a fixed column's right border, else a fixed row's bottom border
    bool allowed;
    TCursor expected;
  };
  const Case cases[] = {
      {"fixed column border", true, true, crHSplit},
      {"fixed row border", false, true, crVSplit},
      {"column border without SizeFixedCol", true, false, crDefault},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->MouseActions()->SetSizeFixedCol(c.cols && c.allowed);
    g->MouseActions()->SetSizeFixedRow(!c.cols && c.allowed);
    const TRect fixedCell = g->CellRect(0, 0);
    const TRect inner = g->CellRect(1, 2);
    const int x = c.cols ? fixedCell.Right : inner.Left + 10;
    const int y = c.cols ? inner.Top + 5 : fixedCell.Bottom;
    f.driver.MouseMove(g, x, y);
    f.driver.MouseMove(g, x, y);  // the cursor is chosen before the move that finds the border
    EXPECT_EQ(CursorNow(g), c.expected);
  }
}

class TSelectionReportGrid : public TAdvStringGrid {
 public:
  using TAdvStringGrid::TAdvStringGrid;
  std::vector<TGridRect> Reports;
  void DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom) override {
    Reports.push_back(TGridRect{ALeft, ATop, ARight, ABottom});
    TAdvStringGrid::DoSelectionChanged(ALeft, ATop, ARight, ABottom);
  }
};

TEST(AdvGridScrollFollow, EveryRouteThatMovesTheSelectionReportsThroughTheHook) {
  struct Case {
    const char* name;
    void (*act)(GridForm<TSelectionReportGrid>&);
    TGridRect expected;
  };
  const Case cases[] = {
      {"arrow key", [](GridForm<TSelectionReportGrid>& f) { f.driver.Key(f.form, VK_DOWN); }, TGridRect{1, 2, 1, 2}},
      {"tab with goTabs",
       [](GridForm<TSelectionReportGrid>& f) {
         f.grid->SetOptions(f.grid->Options() | goTabs);
         f.driver.Key(f.form, VK_TAB);
       },
       TGridRect{2, 1, 2, 1}},
      {"click",
       [](GridForm<TSelectionReportGrid>& f) {
         const TRect r = f.grid->CellRect(3, 3);
         f.driver.Click(f.grid, r.Left + 5, r.Top + 5);
       },
       TGridRect{3, 3, 3, 3}},
      {"wheel", [](GridForm<TSelectionReportGrid>& f) { f.driver.Wheel(f.grid, -120); }, TGridRect{1, 4, 1, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridForm<TSelectionReportGrid> f;
    int fired = 0;
    f.grid->OnSelectionChanged = [&](TObject*, int, int, int, int) { ++fired; };
    f.grid->SetFocus();
    c.act(f);
    ASSERT_FALSE(f.grid->Reports.empty());
    EXPECT_EQ(f.grid->Reports.back(), c.expected);
    EXPECT_EQ(fired, static_cast<int>(f.grid->Reports.size()));
  }
}

TEST(AdvGridScrollFollow, ScrollingClosesASpecialEditorAndKeepsTheTextEditor) {
  struct Case {
    TEditorType kind;
    bool staysOpen;
  };
  const Case cases[] = {{edNormal, true}, {edComboList, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetRowCount(40);
    g->SetOptions(g->Options() | goEditing);
    g->SetDefaultEditor(c.kind);
    g->Combobox()->Items()->Add(u"A");
    g->SetFocus();
    g->GotoCell(1, 6);
    g->ShowInplaceEdit();
    ASSERT_TRUE(g->InEditMode());
    g->SetTopRow(3);  // the edited cell stays in view
    EXPECT_EQ(g->InEditMode(), c.staysOpen);
  }
}

TEST(AdvGridScrollFollow, AttachedGridsScrollAlong) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  TAdvStringGrid* other = New<TAdvStringGrid>(f.form);
  other->SetParent(f.form);
  other->SetBounds(10, 270, 400, 200);
  for (TAdvStringGrid* x : {g, other}) {
    x->SetRowCount(50);
    x->SetColCount(30);
  }
  g->SyncGrid()->SetGrid(other);
  g->SyncGrid()->SetScrollVertical(true);
  g->SetTopRow(7);
  g->SetLeftCol(4);
  EXPECT_EQ(other->TopRow(), 7);
  EXPECT_EQ(other->LeftCol(), 1);  // only the vertical scroll is followed
  g->SyncGrid()->SetScrollHorizontal(true);
  g->SetLeftCol(5);
  EXPECT_EQ(other->LeftCol(), 5);
}

TEST(AdvGridScrollFollow, CellControlsFollowTheirCellsInAndOutOfView) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetRowCount(40);
  TEdit* ed = New<TEdit>(f.form);
  g->SetCellControls(2, 3, ed);
  g->SetTopRow(10);
  EXPECT_FALSE(ed->Visible());
  g->SetTopRow(2);
  EXPECT_TRUE(ed->Visible());
  const TRect cr = g->CellRect(2, 3);
  EXPECT_EQ(ed->BoundsRect(), Rect(cr.Left - 1, cr.Top - 1, cr.Right, cr.Bottom));
  // A rebuilt list finds the control from the cell.
  g->CellControlsUpdate(true);
  g->SetTopRow(10);
  EXPECT_FALSE(ed->Visible());
}

TEST(AdvGridScrollFollow, ColumnWidthsFollowTheGridsWidth) {
  struct Case {
    const char* name;
    bool normalOnly;
    std::vector<int> widths;  // of the 4 columns after the grid went from 400 to 600 pixels
  };
  // A single border adds 2 pixels: the ratio is 602 / 400.
  const Case cases[] = {
      {"all columns", false, {96, 150, 90, 60}},
      {"normal cells only", true, {64, 150, 90, 60}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetColCount(4);
    const int start[] = {64, 100, 60, 40};
    for (int i = 0; i < 4; ++i) g->SetColWidths(i, start[i]);
    g->InitOrigColSizes();
    g->ColumnSize()->SetSynchWithGrid(true);
    g->ColumnSize()->SetSynchNormalCellsOnly(c.normalOnly);
    g->SetWidth(600);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(g->ColWidths(i), c.widths[static_cast<size_t>(i)]) << i;
  }
}

TEST(AdvGridScrollFollow, WithoutRecordedWidthsOrSynchNothingIsScaled) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetColCount(3);
  g->ColumnSize()->SetSynchWithGrid(true);
  g->SetWidth(600);  // InitOrigColSizes never ran
  EXPECT_EQ(g->ColWidths(1), 64);
  g->InitOrigColSizes();
  g->ColumnSize()->SetSynchWithGrid(false);
  g->SetWidth(300);
  EXPECT_EQ(g->ColWidths(1), 64);
}

TEST(AdvGridScrollFollow, AStretchColumnFillsTheGridWhenItIsSized) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetColCount(3);
  g->ColumnSize()->SetStretch(true);
  g->SetWidth(500);
  EXPECT_EQ(g->ColWidths(0) + g->ColWidths(1) + g->ColWidths(2), g->ClientWidth() - 1);
  g->SetWidth(450);
  EXPECT_EQ(g->ColWidths(0) + g->ColWidths(1) + g->ColWidths(2), g->ClientWidth() - 1);
}

struct HeaderCase {
  const char* name;
  int col, row;  // the fixed cell pressed
  bool rowSelect, colSelect, allSelect;
  TCursor cursor;
  TGridRect selection;
};

TEST(AdvGridScrollFollow, FixedCellsSelectWholeRowsColumnsOrTheGrid) {
  const HeaderCase cases[] = {
      {"row", 0, 3, true, false, false, 8010, TGridRect{1, 3, 4, 3}},
      {"column", 2, 0, false, true, false, 8011, TGridRect{2, 1, 2, 9}},
      {"all", 0, 0, false, false, true, 8012, TGridRect{1, 1, 4, 9}},
      {"row without RowSelect", 0, 3, false, false, false, crDefault, TGridRect{1, 1, 1, 1}},
  };
  for (const HeaderCase& c : cases) {
    SCOPED_TRACE(c.name);
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetColCount(5);
    g->SetRowCount(10);
    g->SetOptions(g->Options() | goRangeSelect);
    g->MouseActions()->SetRowSelect(c.rowSelect);
    g->MouseActions()->SetColSelect(c.colSelect);
    g->MouseActions()->SetAllSelect(c.allSelect);
    const TRect r = g->CellRect(c.col, c.row);
    const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    f.driver.MouseMove(g, x, y);
    f.driver.MouseMove(g, x, y);
    EXPECT_EQ(CursorNow(g), c.cursor);
    f.driver.MouseDown(g, x, y);
    f.driver.MouseUp(g, x, y);
    EXPECT_EQ(g->Selection(), c.selection);
  }
}

TEST(AdvGridScrollFollow, DraggingAlongTheFixedCellsExtendsTheSelectionEitherWay) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetColCount(6);
  g->SetRowCount(10);
  g->SetOptions(g->Options() | goRangeSelect);
  g->MouseActions()->SetRowSelect(true);
  g->MouseActions()->SetColSelect(true);
  auto mid = [&](int c, int r) {
    const TRect cr = g->CellRect(c, r);
    return Point((cr.Left + cr.Right) / 2, (cr.Top + cr.Bottom) / 2);
  };
  TPoint p;
  auto moveTo = [&](int c, int r) {
    p = mid(c, r);
    f.driver.MouseMove(g, p.X, p.Y);
  };
  moveTo(0, 5);
  f.driver.MouseDown(g, p.X, p.Y);
  moveTo(0, 2);
  EXPECT_EQ(g->Selection(), (TGridRect{1, 2, 5, 5}));
  moveTo(0, 7);
  EXPECT_EQ(g->Selection(), (TGridRect{1, 5, 5, 7}));
  f.driver.MouseUp(g, p.X, p.Y);
  // Columns, and the release ends the drag: a later move selects nothing more.
  moveTo(4, 0);
  f.driver.MouseDown(g, p.X, p.Y);
  moveTo(2, 0);
  EXPECT_EQ(g->Selection(), (TGridRect{2, 1, 4, 9}));
  f.driver.MouseUp(g, p.X, p.Y);
  moveTo(1, 0);
  EXPECT_EQ(g->Selection(), (TGridRect{2, 1, 4, 9}));
}

TEST(AdvGridScrollFollow, ADraggedColumnOrRowAsksOnEveryMoveAndStopsWhenRefused) {
  struct Case {
    const char* name;
    bool columns;
    bool refuse;
  };
  const Case cases[] = {{"column allowed", true, false}, {"column refused", true, true},
                        {"row allowed", false, false}, {"row refused", false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetOptions(g->Options() | (c.columns ? goColMoving : goRowMoving));
    std::vector<int> asked;
    auto ask = [&](TObject*, int Index, bool& Allow) {
      asked.push_back(Index);
      Allow = !c.refuse;
    };
    (c.columns ? g->OnColumnMove : g->OnRowMove) = ask;
    const TRect from = c.columns ? g->CellRect(2, 0) : g->CellRect(0, 2);
    const TRect to = c.columns ? g->CellRect(3, 0) : g->CellRect(0, 3);
    f.driver.MouseDown(g, from.Left + 10, from.Top + 5);
    ASSERT_EQ(g->GridState(), c.columns ? gsColMoving : gsRowMoving);
    f.driver.MouseMove(g, to.Left + 10, to.Top + 5);
    f.driver.MouseMove(g, to.Left + 12, to.Top + 6);
    const std::vector<int> expected = c.refuse ? std::vector<int>{2} : std::vector<int>{2, 2};
    EXPECT_EQ(asked, expected);
    EXPECT_EQ(g->GridState(), c.refuse ? gsNormal : (c.columns ? gsColMoving : gsRowMoving));
    f.driver.MouseUp(g, to.Left + 12, to.Top + 6);
  }
}

using advgrid_test::AskHintAt;

TEST(AdvGridScrollFollow, ATextTooLargeForItsCellBecomesItsHint) {
  TScopedFakeMetrics metrics(7);
  struct Case {
    const char* name;
    const char16_t* text;
    bool htmlHint;
    TAdvStringGrid::THintShowLargeTextPos pos;
    const char* hint;  // "" : the grid's own hint stays
    bool overCell;
  };
  const Case cases[] = {
      {"fits", u"short", false, TAdvStringGrid::hpCell, "grid", false},
      {"too wide, over the cell", u"a text far too wide for the cell", false, TAdvStringGrid::hpCell,
       "a text far too wide for the cell", true},
      {"too wide, at the cursor", u"a text far too wide for the cell", false, TAdvStringGrid::hpCursor,
       "a text far too wide for the cell", false},
      {"HTML without tags", u"<B>a bold text far too wide</B> for it", false, TAdvStringGrid::hpCell,
       "a bold text far too wide for it", true},
      {"HTML kept with HTMLHint", u"<B>a bold text far too wide</B> for it", true, TAdvStringGrid::hpCell,
       "<B>a bold text far too wide</B> for it", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetHint(u"grid");
    g->SetHintShowLargeText(true);
    g->SetHintShowLargeTextPos(c.pos);
    g->SetHTMLHint(c.htmlHint);
    g->SetCellEx(2, 1, c.text);
    const TRect cr = g->CellRect(2, 1);
    const TPoint at = Point(cr.Left + 9, cr.Top + 4);
    const THintInfo info = AskHintAt(g, at);
    EXPECT_EQ(Utf8(info.HintStr), c.hint);
    const bool fits = std::string(c.hint) == "grid";
    const TPoint expected = c.overCell ? Point(cr.Left, cr.Top) : fits ? Point(at.X, cr.Bottom + 6) : at;
    EXPECT_EQ(info.HintPos, g->ClientToScreen(expected));
  }
}

}  // namespace
