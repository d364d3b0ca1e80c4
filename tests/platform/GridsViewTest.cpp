#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Forms.h"
#include "platform/Grids.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/RecordingCanvas.h"
#include "tests/support/Utf8Text.h"

namespace {

// A shown form with a focused string grid of 8 columns x 30 rows, 50 x 20 pixel cells, no
// spacing for lines and no scroll bars: a client area of 200 x 100 pixels (inside the 2-pixel
// frame of its single border) shows the fixed row and column, three full columns and four full rows.
struct GridForm {
  ModalScript script;
  InputDriver driver;
  TForm* form = nullptr;
  TStringGrid* grid = nullptr;
  std::vector<std::string> log;

  GridForm() {
    form = New<TForm>(nullptr);
    form->SetClientWidth(400);
    form->SetClientHeight(300);
    grid = New<TStringGrid>(form);
    grid->SetParent(form);
    grid->SetScrollBars(ssNone);
    grid->SetGridLineWidth(0);
    grid->SetDefaultColWidth(50);
    grid->SetDefaultRowHeight(20);
    grid->SetColCount(8);
    grid->SetRowCount(30);
    grid->SetBounds(10, 10, 204, 104);
    grid->OnSelectCell = [this](TObject*, int c, int r, bool&) {
      log.push_back("select " + std::to_string(c) + "," + std::to_string(r));
    };
    grid->OnTopLeftChanged = [this](TObject*) {
      log.push_back("topleft " + std::to_string(grid->LeftCol()) + "," + std::to_string(grid->TopRow()));
    };
    form->Show();
    grid->SetFocus();
  }
  ~GridForm() { delete form; }
  void Key(Word vk, TShiftState s = {}) { driver.Key(form, vk, s); }
};

TEST(GridsViewTest, GeometryOfVisibleAndScrolledOutCells) {
  GridForm f;
  TStringGrid* g = f.grid;
  EXPECT_EQ(g->VisibleColCount(), 3);
  EXPECT_EQ(g->VisibleRowCount(), 4);
  struct Case { int col, row; TRect rect; } cases[] = {
      {0, 0, Rect(0, 0, 50, 20)},     {1, 1, Rect(50, 20, 100, 40)},
      {3, 4, Rect(150, 80, 200, 100)}, {4, 1, TRect{}},  // right of the view
      {1, 5, TRect{}},                 {8, 1, TRect{}},  // below; beyond the grid
  };
  for (const auto& c : cases) EXPECT_EQ(g->CellRect(c.col, c.row), c.rect) << c.col << "," << c.row;

  g->SetTopRow(10);
  EXPECT_EQ(g->CellRect(1, 1), TRect{});  // scrolled out
  EXPECT_EQ(g->CellRect(0, 0), Rect(0, 0, 50, 20));  // fixed cells stay
  EXPECT_EQ(g->CellRect(1, 10), Rect(50, 20, 100, 40));
  EXPECT_EQ(g->CellRect(0, 12), Rect(0, 60, 50, 80));

  // A partly visible last column keeps its full extent.
  g->SetColWidths(4, 70);
  g->SetBounds(10, 10, 230 + 2 * g->ClientInset(), 100 + 2 * g->ClientInset());  // client 230 x 100
  EXPECT_EQ(g->VisibleColCount(), 3);
  EXPECT_EQ(g->CellRect(4, 10), Rect(200, 20, 270, 40));

  struct Hit { int x, y, col, row; } hits[] = {
      {5, 5, 0, 0}, {60, 25, 1, 10}, {229, 99, 4, 13}, {-1, 5, -1, -1}, {5, 100, -1, -1}, {230, 5, -1, -1},
  };
  for (const auto& h : hits) {
    int c = 0, r = 0;
    g->MouseToCell(h.x, h.y, c, r);
    EXPECT_EQ(c, h.col) << h.x << "," << h.y;
    EXPECT_EQ(r, h.row) << h.x << "," << h.y;
  }
}

TEST(GridsViewTest, TopLeftIsClampedAndReportedOncePerChange) {
  GridForm f;
  f.grid->SetTopRow(1000);
  f.grid->SetTopRow(1000);
  f.grid->SetLeftCol(-5);  // already at the fixed column: no change
  f.grid->SetLeftCol(99);
  ASSERT_EQ(f.log.size(), 2u);
  EXPECT_EQ(f.log[0], "topleft 1,26");  // rows 26..29 fill the view
  EXPECT_EQ(f.log[1], "topleft 5,26");
}

class RecordingGrid : public TStringGrid {
 public:
  using TStringGrid::TStringGrid;
  std::vector<std::string> cells;

 protected:
  void DrawCell(int c, int r, const TRect& rect, TGridDrawState s) override {
    std::string st = std::string(s.Contains(gdFixed) ? "F" : "") + (s.Contains(gdSelected) ? "S" : "") +
                     (s.Contains(gdFocused) ? "C" : "");
    cells.push_back(std::to_string(c) + "," + std::to_string(r) + "@" + std::to_string(rect.Left) + "," +
                    std::to_string(rect.Top) + st);
    TStringGrid::DrawCell(c, r, rect, s);
  }
};

TEST(GridsViewTest, PaintDrawsEachVisibleCellOnceTopDownLeftToRight) {
  TScopedFakeMetrics metrics;
  std::unique_ptr<RecordingGrid> g(New<RecordingGrid>(nullptr));
  g->SetScrollBars(ssNone);
  g->SetGridLineWidth(0);
  g->SetDefaultColWidth(50);
  g->SetDefaultRowHeight(20);
  g->SetColCount(3);
  g->SetRowCount(100000);
  // A client area of two columns and a bit, two rows and a bit (the frame lies outside it).
  g->SetBounds(0, 0, 160 + 2 * g->ClientInset(), 50 + 2 * g->ClientInset());
  g->SetRow(500);
  ASSERT_EQ(g->TopRow(), 500);
  g->SetCells(1, 500, u"abc");
  TRecordingCanvas canvas;
  g->PaintOn(&canvas);
  std::vector<std::string> expect = {"0,0@0,0F",   "1,0@50,0F",   "2,0@100,0F",  "0,500@0,20F",
                                     "1,500@50,20S", "2,500@100,20", "0,501@0,40F", "1,501@50,40",
                                     "2,501@100,40"};
  EXPECT_EQ(g->cells, expect);
  // The text of the cell and the fill beyond the last column.
  auto texts = canvas.CallsNamed("TextRect");
  bool sawText = false;
  for (const auto& c : canvas.Calls()) sawText = sawText || Utf8(c.Text) == "abc";
  EXPECT_TRUE(sawText) << canvas.Log();
  auto fills = canvas.CallsNamed("FillRect");
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills.back().Args, (std::vector<int>{150, 0, 160, 50})) << canvas.Log();

  // An update rectangle limits the cells drawn to those it touches.
  g->cells.clear();
  TRect update = Rect(60, 25, 90, 35);
  g->PaintOn(&canvas, &update);
  EXPECT_EQ(g->cells, (std::vector<std::string>{"1,500@50,20S"}));
}

TEST(GridsViewTest, WritingACellInvalidatesItsRectangle) {
  GridForm f;
  f.grid->TakeInvalidatedRects();
  f.grid->SetCells(2, 3, u"x");
  f.grid->SetCells(2, 29, u"out of view");
  auto rects = f.grid->TakeInvalidatedRects();
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0], Rect(100, 60, 150, 80));
}

// A batch gathers the cells invalidated inside it into one rectangle, given when the outermost
// batch ends.
TEST(GridsViewTest, InvalidateBatchGivesOneRectangleAtTheEnd) {
  GridForm f;
  f.grid->TakeInvalidatedRects();
  f.grid->BeginInvalidateBatch();
  f.grid->SetCells(2, 3, u"x");
  f.grid->BeginInvalidateBatch();
  f.grid->SetCells(1, 4, u"y");
  f.grid->EndInvalidateBatch();
  EXPECT_TRUE(f.grid->TakeInvalidatedRects().empty());
  f.grid->EndInvalidateBatch();
  auto rects = f.grid->TakeInvalidatedRects();
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0], Rect(50, 60, 150, 100));
  f.grid->EndInvalidateBatch();  // unpaired: nothing
  f.grid->BeginInvalidateBatch();
  f.grid->EndInvalidateBatch();
  EXPECT_TRUE(f.grid->TakeInvalidatedRects().empty());
}

// Rows of one height and rows of several heights give the same rectangles: a cell in a row
// partly in view is invalidated, one in a row below the view is not.
TEST(GridsViewTest, CellsBelowTheViewInvalidateNothing) {
  for (int lines : {0, 1})
    for (bool oneHeight : {true, false}) {
      SCOPED_TRACE(testing::Message() << "lines " << lines << (oneHeight ? ", one height" : ", own heights"));
      std::unique_ptr<TStringGrid> g(New<TStringGrid>(nullptr));
      g->SetScrollBars(ssNone);
      g->SetGridLineWidth(lines);
      g->SetDefaultColWidth(50);
      g->SetDefaultRowHeight(20);
      g->SetColCount(4);
      g->SetRowCount(50);
      if (!oneHeight) g->SetRowHeights(40, 20);  // the heights are kept per row from here
      g->SetBounds(0, 0, 200, 95);
      g->SetTopRow(10);
      const int cp = 50 + lines, rp = 20 + lines;  // column and row pitch
      g->TakeInvalidatedRects();
      g->SetCells(1, 0, u"fixed");
      g->SetCells(1, 9, u"above");
      g->SetCells(1, 13, u"partly shown");
      g->SetCells(1, 14, u"below");
      g->SetCells(1, 49, u"last");
      auto rects = g->TakeInvalidatedRects();
      ASSERT_EQ(rects.size(), 2u);
      EXPECT_EQ(rects[0], Rect(cp, 0, 2 * cp, rp));
      EXPECT_EQ(rects[1], Rect(cp, 4 * rp, 2 * cp, 5 * rp));
    }
}

TEST(GridsViewTest, SelectCellVetoAndOutOfRangeIndex) {
  GridForm f;
  f.grid->OnSelectCell = [&](TObject*, int c, int r, bool& can) { can = !(c == 2 && r == 2); };
  int clicks = 0;
  f.grid->OnClick = [&](TObject*) { ++clicks; };
  f.grid->SetRow(2);
  EXPECT_EQ(f.grid->Row(), 2);
  EXPECT_EQ(clicks, 1);
  f.grid->SetCol(2);  // refused
  EXPECT_EQ(f.grid->Col(), 1);
  EXPECT_EQ(clicks, 1);
  f.Key(VK_RIGHT);  // the arrow asks too
  EXPECT_EQ(f.grid->Col(), 1);
  try {
    f.grid->SetRow(30);
    FAIL() << "no exception";
  } catch (const EInvalidGridOperation& e) {
    EXPECT_EQ(Utf8(e.Message()), "Grid index out of range");
  }
  EXPECT_THROW(f.grid->SetCol(-1), EInvalidGridOperation);
  EXPECT_EQ(f.grid->Row(), 2);
}

TEST(GridsViewTest, KeysMoveTheCurrentCellAndTheViewFollows) {
  GridForm f;
  struct Step { Word key; TShiftState shift; int col, row, left, top; } steps[] = {
      {VK_DOWN, {}, 1, 2, 1, 1},        {VK_DOWN, {}, 1, 3, 1, 1},   {VK_DOWN, {}, 1, 4, 1, 1},
      {VK_DOWN, {}, 1, 5, 1, 2},        // scrolls one row
      {VK_NEXT, {}, 1, 9, 1, 6},        // a page of VisibleRowCount (4) rows
      {VK_PRIOR, {}, 1, 5, 1, 2},       {VK_RIGHT, {}, 2, 5, 1, 2},  {VK_END, {}, 7, 5, 5, 2},
      {VK_HOME, {}, 1, 5, 1, 2},        {VK_END, {ssCtrl}, 7, 29, 5, 26},
      {VK_HOME, {ssCtrl}, 1, 1, 1, 1},  {VK_UP, {}, 1, 1, 1, 1},     // stays below the fixed row
  };
  for (const auto& s : steps) {
    f.Key(s.key, s.shift);
    SCOPED_TRACE(std::to_string(s.key));
    EXPECT_EQ(f.grid->Col(), s.col);
    EXPECT_EQ(f.grid->Row(), s.row);
    EXPECT_EQ(f.grid->LeftCol(), s.left);
    EXPECT_EQ(f.grid->TopRow(), s.top);
  }
  // The arrow keys ask OnSelectCell with the target cell.
  ASSERT_GE(f.log.size(), 2u);
  EXPECT_EQ(f.log[0], "select 1,2");
  EXPECT_EQ(f.log[1], "select 1,3");
}

TEST(GridsViewTest, RangeSelectionWithShiftAndRowSelect) {
  GridForm f;
  f.grid->SetOptions(f.grid->Options() | goRangeSelect);
  f.Key(VK_DOWN, {ssShift});
  f.Key(VK_RIGHT, {ssShift});
  EXPECT_EQ(f.grid->Selection(), (TGridRect{1, 1, 2, 2}));
  f.Key(VK_DOWN);
  EXPECT_EQ(f.grid->Selection(), (TGridRect{2, 3, 2, 3}));

  f.grid->SetOptions(f.grid->Options() | goRowSelect);
  EXPECT_EQ(f.grid->Selection(), (TGridRect{1, 3, 7, 3}));
  // Writing the selection: the current cell takes its right-bottom corner as given.
  f.grid->SetSelection(TGridRect{5, 4, 2, 4});
  EXPECT_EQ(f.grid->Selection(), (TGridRect{2, 4, 5, 4}));
  EXPECT_EQ(f.grid->Col(), 2);
  EXPECT_EQ(f.grid->Row(), 4);
  // A parked rectangle outside the grid is kept as given.
  f.grid->SetSelection(TGridRect{8, 30, 8, 30});
  EXPECT_EQ(f.grid->Selection(), (TGridRect{8, 30, 8, 30}));
  f.grid->SetRowCount(40);  // and stays parked through count changes
  EXPECT_EQ(f.grid->Selection(), (TGridRect{8, 30, 8, 30}));
  // A current cell inside the grid stays inside when the grid shrinks.
  f.grid->SetSelection(TGridRect{3, 35, 3, 35});
  f.grid->SetRowCount(20);
  EXPECT_EQ(f.grid->Row(), 19);
}

TEST(GridsViewTest, TabMovesOnlyWithTabsOption) {
  GridForm f;
  f.grid->SetOptions(f.grid->Options() | goTabs);
  f.grid->SetCol(7);
  f.Key(VK_TAB);
  EXPECT_EQ(f.grid->Col(), 1);
  EXPECT_EQ(f.grid->Row(), 2);
  f.Key(VK_TAB, {ssShift});
  EXPECT_EQ(f.grid->Col(), 7);
  EXPECT_EQ(f.grid->Row(), 1);
  // Columns that are no tab stops are stepped over.
  f.grid->SetTabStops(2, false);
  f.grid->SetCol(1);
  f.Key(VK_TAB);
  EXPECT_EQ(f.grid->Col(), 3);
  // Without goTabs the grid leaves Tab to the form.
  f.grid->SetOptions(f.grid->Options() - TGridOptions{goTabs});
  f.Key(VK_TAB);
  EXPECT_EQ(f.grid->Col(), 3);
}

TEST(GridsViewTest, WheelMovesTheRowPerWholeNotch) {
  GridForm f;
  f.driver.Wheel(f.grid, -120, 20, 20);
  EXPECT_EQ(f.grid->Row(), 2);
  f.driver.Wheel(f.grid, -60, 20, 20);
  EXPECT_EQ(f.grid->Row(), 2);  // half a notch
  f.driver.Wheel(f.grid, -60, 20, 20);
  EXPECT_EQ(f.grid->Row(), 3);
  f.driver.Wheel(f.grid, 240, 20, 20);
  EXPECT_EQ(f.grid->Row(), 1);
}

TEST(GridsViewTest, MouseSelectsAndAutoScrollsOnTheTimer) {
  GridForm f;
  int clicks = 0, dbl = 0;
  f.grid->OnClick = [&](TObject*) { ++clicks; };
  f.grid->OnDblClick = [&](TObject*) { ++dbl; };
  f.driver.MouseDown(f.grid, 60, 45);  // cell (1, 2): the current cell
  EXPECT_EQ(f.grid->GridState(), gsSelecting);
  EXPECT_EQ(f.grid->Row(), 2);
  f.driver.MouseMove(f.grid, 110, 65);  // cell (2, 3): the anchor
  EXPECT_EQ(f.grid->Selection(), (TGridRect{1, 2, 2, 3}));
  // Below the fully visible rows: every 60 ms the anchor and the view move one row on.
  f.driver.MouseMove(f.grid, 110, 140);
  f.driver.AdvanceTime(59);
  EXPECT_EQ(f.grid->TopRow(), 1);
  f.driver.AdvanceTime(1);
  EXPECT_EQ(f.grid->TopRow(), 2);
  EXPECT_EQ(f.grid->Selection(), (TGridRect{1, 2, 2, 4}));
  f.driver.AdvanceTime(120);
  EXPECT_EQ(f.grid->TopRow(), 4);
  EXPECT_EQ(clicks, 0);
  f.driver.MouseUp(f.grid, 110, 140);
  EXPECT_EQ(clicks, 1);  // the release ends the selection with a click
  EXPECT_EQ(f.grid->GridState(), gsNormal);
  EXPECT_EQ(f.grid->Selection(), (TGridRect{1, 2, 2, 6}));
  EXPECT_EQ(f.grid->Row(), 2);
  f.driver.AdvanceTime(200);
  EXPECT_EQ(f.grid->TopRow(), 4);

  // Shift extends from the current cell; a double click reaches the grid.
  f.driver.MouseDown(f.grid, 160, 30, mbLeft, {ssShift});  // cell (3, 4)
  f.driver.MouseUp(f.grid, 160, 30, mbLeft, {ssShift});
  EXPECT_EQ(f.grid->Selection(), (TGridRect{1, 2, 3, 4}));
  f.driver.DblClick(f.grid, 60, 30);
  EXPECT_EQ(dbl, 1);
}

TEST(GridsViewTest, ColumnSizingAndMovingDrags) {
  GridForm f;
  f.grid->SetOptions(f.grid->Options() | goColSizing | goColMoving);
  // The border between columns 1 and 2 in the fixed row.
  f.driver.MouseDown(f.grid, 99, 10);
  EXPECT_EQ(f.grid->GridState(), gsColSizing);
  f.driver.MouseMove(f.grid, 120, 10);
  f.driver.MouseUp(f.grid, 120, 10);
  EXPECT_EQ(f.grid->ColWidths(1), 71);
  EXPECT_EQ(f.grid->GridState(), gsNormal);

  f.grid->SetCells(1, 5, u"moved");
  std::vector<std::pair<int, int>> moves;
  f.grid->OnColumnMoved = [&](TObject*, int a, int b) { moves.emplace_back(a, b); };
  f.driver.MouseDown(f.grid, 30 + 50, 10);  // header of column 1
  EXPECT_EQ(f.grid->GridState(), gsColMoving);
  f.driver.MouseMove(f.grid, 160, 10);  // over column 2
  f.driver.MouseUp(f.grid, 160, 10);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0], std::make_pair(1, 2));
  EXPECT_EQ(Utf8(f.grid->Cells(2, 5)), "moved");
  EXPECT_EQ(f.grid->ColWidths(2), 71);
}

TEST(GridsViewTest, EditorShowsOnEnterF2AndTyping) {
  GridForm f;
  f.grid->SetOptions(f.grid->Options() | goEditing);
  f.grid->SetCells(1, 1, u"old");
  std::string pressed;
  f.grid->OnKeyPress = [&](TObject*, Char& k) { pressed += std::to_string(k) + " "; };
  f.Key(VK_RETURN);
  ASSERT_TRUE(f.grid->EditorMode());
  TInplaceEdit* ed = f.grid->InplaceEditor();
  ASSERT_NE(ed, nullptr);
  EXPECT_EQ(Utf8(ed->Text()), "old");
  EXPECT_EQ(ed->BoundsRect(), Rect(50, 20, 100, 40));
  EXPECT_TRUE(ed->MultiLineEditor());
  f.Key(VK_RETURN);
  EXPECT_FALSE(f.grid->EditorMode());
  EXPECT_FALSE(ed->Visible());

  f.Key(VK_F2);
  EXPECT_TRUE(f.grid->EditorMode());
  f.grid->HideEditor();

  // A typed character opens the editor and replaces the text with itself.
  f.driver.Type(f.form, u"n");
  f.driver.DrainPosted();
  EXPECT_TRUE(f.grid->EditorMode());
  f.driver.Type(f.form, u"ew");
  EXPECT_EQ(Utf8(ed->Text()), "new");
  EXPECT_EQ(Utf8(f.grid->Cells(1, 1)), "new");
  // The grid's key press hears both Enters and what the editor gets, but not the character
  // that opened the editor.
  EXPECT_EQ(pressed, "13 13 110 101 119 ");

  // Scrolling the cell out of view hides the editor; typing brings the cell back first.
  f.grid->SetTopRow(10);
  EXPECT_FALSE(ed->Visible());
  f.grid->HideEditor();
  f.driver.Type(f.form, u"z");
  f.driver.DrainPosted();
  EXPECT_EQ(f.grid->TopRow(), 1);
  EXPECT_TRUE(ed->Visible());
  EXPECT_EQ(Utf8(f.grid->Cells(1, 1)), "z");
}

TEST(GridsViewTest, EditorNeedsEditingAWindowAndTheFocus) {
  GridForm f;
  f.grid->ShowEditor();  // no goEditing
  EXPECT_FALSE(f.grid->EditorMode());
  f.grid->SetOptions(f.grid->Options() | goEditing | goRowSelect);
  f.grid->ShowEditor();
  EXPECT_FALSE(f.grid->EditorMode());
  f.grid->SetOptions(f.grid->Options() - TGridOptions{goRowSelect});
  std::unique_ptr<TStringGrid> loose(New<TStringGrid>(nullptr));  // no window, no focus
  loose->SetOptions(loose->Options() | goEditing);
  loose->ShowEditor();
  EXPECT_FALSE(loose->EditorMode());
  EXPECT_EQ(loose->InplaceEditor(), nullptr);
  f.grid->ShowEditor();
  EXPECT_TRUE(f.grid->EditorMode());
}

TEST(GridsViewTest, FocusedCellUnderTheEditorIsNotDrawn) {
  TScopedFakeMetrics metrics;
  GridForm f;
  f.grid->SetOptions(f.grid->Options() | goEditing);
  f.Key(VK_F2);
  ASSERT_TRUE(f.grid->EditorMode());
  std::vector<std::pair<int, int>> drawn;
  f.grid->SetDefaultDrawing(false);
  f.grid->OnDrawCell = [&](TObject*, int c, int r, TRect, TGridDrawState) { drawn.emplace_back(c, r); };
  TRecordingCanvas canvas;
  TRect cell = f.grid->CellRect(1, 1);
  f.grid->PaintOn(&canvas, &cell);
  EXPECT_TRUE(drawn.empty());
  f.grid->HideEditor();
  f.grid->PaintOn(&canvas, &cell);
  EXPECT_EQ(drawn, (std::vector<std::pair<int, int>>{{1, 1}}));
}

TEST(GridsViewTest, ScrollMessagesUseTheThumbScale) {
  GridForm f;
  // Rows 1..26 can be first: position 127 is the last, 0 the first.
  struct Case { unsigned code; int pos; int top; } cases[] = {
      {SB_THUMBPOSITION, 127, 26}, {SB_THUMBPOSITION, 0, 1}, {SB_THUMBPOSITION, 64, 13},  // 1 + 64 * 25 / 127
      {SB_LINEDOWN, 0, 14},        {SB_PAGEDOWN, 0, 18},     {SB_PAGEUP, 0, 14},
      {SB_BOTTOM, 0, 26},          {SB_TOP, 0, 1},           {SB_THUMBTRACK, 127, 1},  // no tracking
  };
  for (const auto& c : cases) {
    f.grid->Perform(WM_VSCROLL, c.code | (static_cast<unsigned>(c.pos) << 16), 0);
    EXPECT_EQ(f.grid->TopRow(), c.top) << c.code << " " << c.pos;
  }
  f.grid->SetOptions(f.grid->Options() | goThumbTracking);
  f.grid->Perform(WM_VSCROLL, SB_THUMBTRACK | (127u << 16), 0);
  EXPECT_EQ(f.grid->TopRow(), 26);
  EXPECT_EQ(f.grid->ScrollPos(true), 127);
  f.grid->SetTopRow(14);
  EXPECT_EQ(f.grid->ScrollPos(true), 66);  // 13 * 127 / 25
}

}  // namespace

namespace {

TEST(GridsViewTest, ScrollBarsShowOnlyWhereCellsDoNotFit) {
  struct Case { TScrollStyle style; int cols, rows; bool vert, horz; } cases[] = {
      {ssBoth, 8, 30, true, true},     {ssBoth, 3, 30, true, false},  {ssBoth, 3, 4, false, false},
      {ssBoth, 5, 5, true, true},      // the horizontal bar leaves too little height
      {ssVertical, 8, 30, true, false}, {ssHorizontal, 8, 30, false, true}, {ssNone, 8, 30, false, false},
  };
  for (const auto& c : cases) {
    std::unique_ptr<TStringGrid> g(New<TStringGrid>(nullptr));
    g->SetGridLineWidth(0);
    g->SetDefaultColWidth(50);
    g->SetDefaultRowHeight(20);
    g->SetColCount(c.cols);
    g->SetRowCount(c.rows);
    g->SetBounds(0, 0, 200 + 2 * g->ClientInset(), 100 + 2 * g->ClientInset());  // client 200 x 100
    g->SetScrollBars(c.style);
    SCOPED_TRACE(std::to_string(c.style) + " " + std::to_string(c.cols) + "x" + std::to_string(c.rows));
    EXPECT_EQ(g->ClientRect(), Rect(0, 0, c.vert ? 183 : 200, c.horz ? 83 : 100));
  }
}

TEST(GridsViewTest, ScrollBarArrowsTrackAndThumbMoveTheView) {
  GridForm f;
  f.grid->SetScrollBars(ssBoth);
  ASSERT_EQ(f.grid->ClientRect(), Rect(0, 0, 183, 83));
  ASSERT_EQ(f.grid->VisibleRowCount(), 3);
  f.driver.Click(f.grid, 190, 75);  // down arrow
  EXPECT_EQ(f.grid->TopRow(), 2);
  f.driver.Click(f.grid, 190, 60);  // track below the thumb: a page
  EXPECT_EQ(f.grid->TopRow(), 5);
  f.driver.Click(f.grid, 5, 90);  // left arrow of the horizontal bar: already at the left
  EXPECT_EQ(f.grid->LeftCol(), 1);
  EXPECT_EQ(f.grid->Row(), 1);  // the bars never move the current cell

  // Dragging the thumb to the end scrolls on release (no thumb tracking).
  f.driver.MouseDown(f.grid, 190, 25);
  f.driver.MouseMove(f.grid, 190, 80);
  EXPECT_EQ(f.grid->TopRow(), 5);
  f.driver.MouseUp(f.grid, 190, 80);
  EXPECT_EQ(f.grid->TopRow(), 27);
  EXPECT_EQ(f.grid->ScrollPos(true), 127);

  // A held arrow repeats after 400 ms, then every 50 ms, until the release.
  f.driver.MouseDown(f.grid, 190, 5);  // up arrow
  EXPECT_EQ(f.grid->TopRow(), 26);
  f.driver.AdvanceTime(399);
  EXPECT_EQ(f.grid->TopRow(), 26);
  f.driver.AdvanceTime(1);
  EXPECT_EQ(f.grid->TopRow(), 25);
  f.driver.AdvanceTime(100);
  EXPECT_EQ(f.grid->TopRow(), 23);
  f.driver.MouseUp(f.grid, 190, 5);
  f.driver.AdvanceTime(500);
  EXPECT_EQ(f.grid->TopRow(), 23);
  // A held track pages until the thumb reaches the mouse.
  f.driver.MouseDown(f.grid, 190, 20);  // just below the up arrow
  f.driver.AdvanceTime(2000);
  f.driver.MouseUp(f.grid, 190, 20);
  EXPECT_EQ(f.grid->TopRow(), 2);  // its thumb (18..35) now lies under the mouse

  f.grid->SetOptions(f.grid->Options() | goThumbTracking);
  f.driver.MouseDown(f.grid, 190, 27);  // the thumb, near the top of the track
  f.driver.MouseMove(f.grid, 190, 83);
  EXPECT_EQ(f.grid->TopRow(), 27);
  f.driver.MouseUp(f.grid, 190, 83);
  f.driver.MouseDown(f.grid, 190, 60);  // the thumb, now at the bottom of the track
  f.driver.MouseMove(f.grid, 190, 0);
  EXPECT_EQ(f.grid->TopRow(), 1);
  f.driver.MouseUp(f.grid, 190, 0);
}

}  // namespace

#include <filesystem>

#include "platform/testing/PaintToPng.h"
#include "tests/support/Utf8Text.h"

namespace {

TEST(GridsViewTest, PaintsThroughTheWidgetOffscreen) {
  ModalScript script;
  TForm* form = New<TForm>(nullptr);
  std::unique_ptr<TForm> owner(form);
  form->SetClientWidth(260);
  form->SetClientHeight(130);
  auto* g = New<TStringGrid>(form);
  g->SetParent(form);
  g->SetBounds(5, 5, 250, 120);
  g->SetRowCount(30);
  g->SetCells(1, 0, u"Name");
  g->SetCells(2, 0, u"Value");
  g->SetCells(1, 2, u"gateway-01");
  g->SetRow(2);
  std::filesystem::path png = std::filesystem::current_path() / "grids_offscreen.png";
  ASSERT_TRUE(PaintToPng(form, Utf8ToString(png.string())));
  TPicture pic;
  pic.LoadFromFile(Utf8ToString(png.string()));
  TCanvas* c = pic.Bitmap()->Canvas();
  auto at = [&](int col, int row, int dx, int dy) {
    TRect r = g->CellRect(col, row);
    return ColorToRGB(c->Pixels(5 + 2 + r.Left + dx, 5 + 2 + r.Top + dy));  // inside the frame
  };
  EXPECT_EQ(at(0, 0, 3, 3), ColorToRGB(clBtnFace));       // fixed
  EXPECT_EQ(at(2, 3, 3, 3), ColorToRGB(clWindow));        // normal
  EXPECT_EQ(at(1, 2, 60, 3), ColorToRGB(clHighlight));    // selected, not focused
  EXPECT_EQ(at(1, 1, 64, 5), ColorToRGB(clSilver));       // the line right of the cell
}

}  // namespace

namespace {

TEST(GridsViewTest, EditorFollowsItsCellWhenTheViewScrolls) {
  GridForm f;
  f.grid->SetOptions(f.grid->Options() | goEditing);
  int exits = 0;
  f.grid->OnExit = [&](TObject*) { ++exits; };
  f.grid->SetRow(4);
  f.Key(VK_F2);
  TInplaceEdit* ed = f.grid->InplaceEditor();
  ASSERT_NE(ed, nullptr);
  EXPECT_EQ(ed->BoundsRect(), Rect(50, 80, 100, 100));
  f.grid->SetTopRow(2);
  EXPECT_TRUE(ed->Visible());
  EXPECT_EQ(ed->BoundsRect(), Rect(50, 60, 100, 80));
  f.grid->SetTopRow(5);
  EXPECT_FALSE(ed->Visible());
  EXPECT_TRUE(f.grid->EditorMode());
  EXPECT_EQ(exits, 0);  // the focus came back to the grid, never left it
  // Column widths move it too.
  f.grid->SetTopRow(1);
  f.grid->ShowEditor();
  f.grid->SetColWidths(0, 30);
  EXPECT_EQ(ed->BoundsRect(), Rect(30, 80, 80, 100));
}

}  // namespace

namespace {

TEST(GridsViewTest, RowSizingAndMovingDragsAndScaling) {
  GridForm f;
  f.grid->SetOptions(f.grid->Options() | goRowSizing | goRowMoving);
  f.driver.MouseDown(f.grid, 10, 39);  // the border below row 1, in the fixed column
  EXPECT_EQ(f.grid->GridState(), gsRowSizing);
  f.driver.MouseMove(f.grid, 10, 50);
  f.driver.MouseUp(f.grid, 10, 50);
  EXPECT_EQ(f.grid->RowHeights(1), 31);

  std::vector<std::pair<int, int>> moves;
  f.grid->OnRowMoved = [&](TObject*, int a, int b) { moves.emplace_back(a, b); };
  f.grid->SetCells(3, 2, u"row 2");
  f.driver.MouseDown(f.grid, 10, 62);  // fixed cell of row 2 (51..71)
  EXPECT_EQ(f.grid->GridState(), gsRowMoving);
  f.driver.MouseMove(f.grid, 10, 30);  // row 1
  f.driver.MouseUp(f.grid, 10, 30);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0], std::make_pair(2, 1));
  EXPECT_EQ(Utf8(f.grid->Cells(3, 1)), "row 2");
  EXPECT_EQ(f.grid->RowHeights(2), 31);  // the sized row moved down with its height

  // Without the options the same presses select.
  f.grid->SetOptions(f.grid->Options() - TGridOptions{goRowSizing, goRowMoving});
  f.driver.MouseDown(f.grid, 10, 62);
  EXPECT_EQ(f.grid->GridState(), gsNormal);
  f.driver.MouseUp(f.grid, 10, 62);
}

class ScalingGrid : public TStringGrid {
 public:
  using TStringGrid::TStringGrid;
  using TStringGrid::ChangeScale;
};

TEST(GridsViewTest, ChangeScaleScalesDefaultAndSetExtents) {
  std::unique_ptr<ScalingGrid> g(New<ScalingGrid>(nullptr));
  g->SetRowHeights(2, 31);
  g->ChangeScale(3, 2);
  EXPECT_EQ(g->DefaultColWidth(), 96);
  EXPECT_EQ(g->DefaultRowHeight(), 36);
  EXPECT_EQ(g->ColWidths(1), 96);
  EXPECT_EQ(g->RowHeights(2), 46);
  EXPECT_EQ(g->RowHeights(3), 36);
}

}  // namespace
