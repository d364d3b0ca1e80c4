// Moving rows and columns by program: the cells and what follows them (cell objects and
// controls, hidden columns and rows, sort column and indexes, the current column, heights, a
// partner grid), the column order, and the slim scroll indicators.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvGridMoveControls.h"
#include "platform/StdCtrls.h"
#include "platform/testing/PaintToPng.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

std::string Column(TAdvStringGrid* g, int RCol, int FromRow, int ToRow) {
  std::string s;
  for (int r = FromRow; r <= ToRow; ++r) s += Utf8(g->GetCellEx(RCol, r));
  return s;
}

std::string Row(TAdvStringGrid* g, int DRow) {
  std::string s;
  for (int c = 0; c < g->ColCount(); ++c) s += Utf8(g->GetCellEx(g->RealColIndex(c), DRow));
  return s;
}

std::string AllColumns(TAdvStringGrid* g, int DRow) {
  std::string s;
  for (int c = 0; c < g->AllColCount(); ++c) s += Utf8(g->GetCellEx(c, DRow));
  return s;
}

// The recorded order is the grid's own; tests read and spoil it through this.
class TOrderGrid : public TAdvStringGrid {
 public:
  using TAdvStringGrid::TAdvStringGrid;
  using TAdvStringGrid::ColumnOrder;
};

void FillLetters(TAdvStringGrid* g, int Rows) {
  g->SetRowCount(Rows);
  for (int r = 0; r < Rows; ++r) g->SetCellEx(1, r, String(1, static_cast<Char>(u'a' + r)));
}

TEST(AdvGridMove, MoveRowsPlacesTheBlockBeforeTheTargetRow) {
  struct Case {
    int from, to, count;
    const char* rows;
  };
  const Case cases[] = {
      {2, 5, 2, "abecdfgh"}, {5, 1, 2, "afgbcdeh"}, {2, 4, 2, "abcdefgh"}, {0, 8, 3, "defghabc"},
      // Not inside the rows, a target outside them, inside the block, nothing to move.
      {7, 1, 3, "abcdefgh"}, {-1, 4, 2, "abcdefgh"}, {2, 9, 2, "abcdefgh"}, {2, 3, 3, "abcdefgh"},
      {2, 6, 0, "abcdefgh"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + "," + std::to_string(c.to) + "," + std::to_string(c.count));
    GridForm<> f;
    FillLetters(f.grid, 8);
    f.grid->MoveRows(c.from, c.to, c.count);
    EXPECT_EQ(f.grid->RowCount(), 8);
    EXPECT_EQ(Column(f.grid, 1, 0, 7), c.rows);
  }
}

TEST(AdvGridMove, MovedRowsKeepTheirCellObjects) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  FillLetters(g, 8);
  g->AddCheckBox(1, 2, true, false);
  g->MoveRows(2, 5, 2);
  bool state = false;
  EXPECT_TRUE(g->GetCheckBoxState(1, 3, state));  // c is now at row 3, its box with it
  EXPECT_TRUE(state);
  EXPECT_FALSE(g->HasCheckBox(1, 2));
}

TEST(AdvGridMove, MoveColumnMovesTheCellControlsWithTheirColumns) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  std::vector<TEdit*> eds;
  for (int c = 1; c <= 4; ++c) {
    eds.push_back(New<TEdit>(f.form));
    g->SetCellControls(c, 2, eds.back());
  }
  g->MoveColumn(4, 1);
  const int at[] = {2, 3, 4, 1};  // where the controls of columns 1..4 stand now
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i + 1);
    const TRect cr = g->CellRect(at[i], 2);
    EXPECT_EQ(eds[static_cast<size_t>(i)]->BoundsRect(), Rect(cr.Left - 1, cr.Top - 1, cr.Right, cr.Bottom));
    EXPECT_EQ(g->GetCellControls(at[i], 2), eds[static_cast<size_t>(i)]);
  }
}

TEST(AdvGridMove, ColumnOrderFollowsMovesAndResets) {
  GridForm<TOrderGrid> f;
  TOrderGrid* g = f.grid;
  g->SetFixedCols(0);
  g->SetColCount(4);
  for (int c = 0; c < 4; ++c) g->SetCellEx(c, 0, String(1, static_cast<Char>(u'A' + c)));
  EXPECT_EQ(g->ColumnPosition(3), 3);
  EXPECT_EQ(g->ColumnAtPosition(3), 3);
  g->MoveColumn(0, 2);
  std::vector<int> order;
  for (int i = 0; i < g->ColumnOrder()->Count(); ++i) order.push_back(g->ColumnOrder()->Items(i));
  EXPECT_EQ(order, (std::vector<int>{1, 2, 0, 3}));
  EXPECT_EQ(g->ColumnPosition(0), 2);
  EXPECT_EQ(g->ColumnAtPosition(0), 1);
  EXPECT_EQ(Row(g, 0), "BCAD");
  g->HideColumn(1);
  EXPECT_EQ(g->ColumnByHeader(u"C"), 1);  // found while hidden
  EXPECT_EQ(g->ColumnByHeader(u"X"), -1);
  g->ResetColumnOrder();
  EXPECT_EQ(g->NumHiddenColumns(), 0);
  EXPECT_EQ(Row(g, 0), "ABCD");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(g->ColumnOrder()->Items(i), i);
}

TEST(AdvGridMove, ResetColumnOrderEndsOnAnOrderThatIsNoPermutation) {
  GridForm<TOrderGrid> f;
  TOrderGrid* g = f.grid;
  g->SetFixedCols(0);
  g->SetColCount(4);
  g->SetColumnOrder();
  // One home twice: a reset by the entries alone would never settle.
  g->ColumnOrder()->SetInteger(2, 0);
  g->ColumnOrder()->SetInteger(3, 0);
  int moves = 0;
  g->OnColumnMoved = [&](TObject*, int, int) { ++moves; };
  g->ResetColumnOrder();
  EXPECT_LE(moves, 4 * 5);
}

TEST(AdvGridMove, HiddenColumnsTravelWithTheirCellsBeyondTheColumnCount) {
  struct Case {
    int hide;           // real column hidden
    const char* shown;  // display columns after MoveColumn(1, 4)
    const char* all;    // every real column after showing them all
  };
  const Case cases[] = {{1, "03452", "013452"}, {3, "02451", "023451"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hide);
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetColCount(6);
    for (int i = 0; i < 6; ++i) {
      g->SetCellEx(i, 1, IntToStr(i));
      g->SetColWidths(i, 40 + i);
    }
    g->HideColumn(c.hide);
    g->MoveColumn(1, 4);
    EXPECT_EQ(Row(g, 1), c.shown);
    EXPECT_EQ(g->ColWidths(4), 40 + (c.hide == 1 ? 2 : 1));  // the width went with the moved column
    g->UnHideColumnsAll();
    EXPECT_EQ(AllColumns(g, 1), c.all);
  }
}

TEST(AdvGridMove, CurrentColumnSortColumnAndSortIndexesStayOnTheirContent) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetColCount(7);
  for (int i = 0; i < 7; ++i) g->SetCellEx(i, 1, IntToStr(i));
  g->SetCol(5);
  g->SortSettings()->SetColumn(5);
  g->SortSettings()->SetIndexShow(true);
  g->SortIndexes()->AddIndex(5, false);
  g->SortIndexes()->AddIndex(2, true);
  g->SortIndexes()->AddIndex(6, true);
  g->MoveColumn(2, 5);
  EXPECT_EQ(g->Col(), 4);
  EXPECT_EQ(Utf8(g->GetCellEx(g->Col(), 1)), "5");
  EXPECT_EQ(g->SortSettings()->Column(), 4);
  const int cols[] = {4, 5, 6};
  const bool ascending[] = {false, true, true};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(g->SortIndexes()->GetSortColumns(i), cols[i]);
    EXPECT_EQ(g->SortIndexes()->GetSortDirections(i), ascending[i]);
  }
}

TEST(AdvGridMove, HiddenRowsKeepTheirCellsInStep) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  for (int i = 0; i < 5; ++i) g->SetCellEx(i, 2, IntToStr(i));
  g->HideRow(2);
  g->MoveColumn(1, 3);
  g->UnHideRow(2);
  EXPECT_EQ(Row(g, 2), "02314");
}

TEST(AdvGridMove, LinkedGridsEachMoveOnce) {
  GridForm<> f;
  TAdvStringGrid* a = f.grid;
  TAdvStringGrid* b = New<TAdvStringGrid>(f.form);
  b->SetParent(f.form);
  a->SyncGrid()->SetGrid(b);
  b->SyncGrid()->SetGrid(a);
  a->SyncGrid()->SetMoveColumn(true);
  b->SyncGrid()->SetMoveColumn(true);
  int movesA = 0, movesB = 0;
  a->OnColumnMoved = [&](TObject*, int, int) { ++movesA; };
  b->OnColumnMoved = [&](TObject*, int, int) { ++movesB; };
  for (TAdvStringGrid* g : {a, b})
    for (int i = 0; i < 5; ++i) g->SetCellEx(i, 1, IntToStr(i));
  a->MoveColumn(1, 3);
  EXPECT_EQ(movesA, 1);
  EXPECT_EQ(movesB, 1);
  b->MoveColumn(3, 1);
  EXPECT_EQ(movesA, 2);
  EXPECT_EQ(movesB, 2);
  EXPECT_EQ(Row(a, 1), "01234");
  EXPECT_EQ(Row(b, 1), "01234");
}

TEST(AdvGridMove, RowMovesKeepTheFooterRowAndReportTheNewHeights) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  FillLetters(g, 6);
  g->SetRowHeights(1, 40);
  int seen = -1;
  g->OnRowMoved = [&](TObject*, int From, int To) {
    EXPECT_EQ(From, 1);
    EXPECT_EQ(To, 3);
    seen = g->RowHeights(3);
  };
  g->MoveRow(1, 3);
  EXPECT_EQ(seen, 40);
  EXPECT_EQ(Column(g, 1, 0, 5), "acdbef");
  g->FloatingFooter()->SetVisible(true);
  g->MoveRow(2, 5);  // onto the footer row: stays
  EXPECT_EQ(Column(g, 1, 0, 5), "acdbef");
}

// ---- slim scroll indicators ----

struct MetroForm : GridForm<> {
  MetroForm() {
    grid->SetScrollType(ssMetro);
    grid->SetRowCount(1000);
  }
  TScrollControl* vert() const { return grid->ScrollIndicator(true); }
};

TEST(AdvGridMove, TheIndicatorShowsAMinimumThumbAndNothingWhenAllRowsFit) {
  MetroForm f;
  ASSERT_NE(f.vert(), nullptr);
  EXPECT_EQ(f.grid->ScrollBars(), ssNone);
  f.vert()->SetColor(clRed);
  int start = 0, size = 0;
  ASSERT_TRUE(f.vert()->ThumbSpan(start, size));
  EXPECT_EQ(size, 20);
  EXPECT_EQ(start, f.grid->RowHeights(0));
  std::unique_ptr<TBitmap> shot = PaintToBitmap(f.vert());
  EXPECT_EQ(shot->Canvas()->Pixels(1, start + 5), clRed);
  EXPECT_NE(shot->Canvas()->Pixels(1, start + size + 2), clRed);
  EXPECT_NE(shot->Canvas()->Pixels(5, start + 5), clRed);  // ScrollWidth 4 across
  f.grid->SetRowCount(3);
  EXPECT_FALSE(f.vert()->ThumbSpan(start, size));
  shot = PaintToBitmap(f.vert());
  for (int y = 0; y < shot->Height(); y += 3) EXPECT_NE(shot->Canvas()->Pixels(1, y), clRed) << y;
}

TEST(AdvGridMove, LeavingTheSlimTypeFreesTheIndicatorsAndBringsTheBarsBack) {
  for (TScrollType next : {ssNormal, ssFlat, ssEncarta}) {
    SCOPED_TRACE(static_cast<int>(next));
    MetroForm f;
    TAdvStringGrid* g = f.grid;
    ASSERT_NE(f.vert(), nullptr);
    EXPECT_FALSE(g->ScrollBarVisible(true));
    g->SetScrollType(next);
    EXPECT_EQ(g->ScrollIndicator(true), nullptr);
    EXPECT_EQ(g->ScrollIndicator(false), nullptr);
    EXPECT_EQ(g->ScrollBars(), ssBoth);
    EXPECT_TRUE(g->ScrollBarVisible(true));  // 1,000 rows do not fit
    EXPECT_EQ(g->FlatSBInitialized(), next != ssNormal);
    // And back: the indicators take over again.
    g->SetScrollType(ssMetro);
    EXPECT_NE(g->ScrollIndicator(true), nullptr);
    EXPECT_EQ(g->ScrollBars(), ssNone);
    EXPECT_FALSE(g->ScrollBarVisible(true));
    EXPECT_FALSE(g->FlatSBInitialized());
  }
}

TEST(AdvGridMove, DraggingTheThumbStopsAtTheLastPage) {
  MetroForm f;
  int start = 0, size = 0;
  ASSERT_TRUE(f.vert()->ThumbSpan(start, size));
  f.driver.MouseDown(f.vert(), 2, start + 5);
  EXPECT_TRUE(f.vert()->Dragging());
  f.driver.MouseMove(f.vert(), 2, start + 5 + 40);
  EXPECT_GT(f.grid->TopRow(), 1);
  f.driver.MouseMove(f.vert(), 2, 5000);
  EXPECT_EQ(f.grid->TopRow(), 1000 - f.grid->VisibleRowCount());
  f.driver.MouseUp(f.vert(), 2, 5000);
  EXPECT_FALSE(f.vert()->Dragging());
  // A press below the thumb pages down, above it pages up.
  f.grid->SetTopRow(100);
  ASSERT_TRUE(f.vert()->ThumbSpan(start, size));
  f.driver.Click(f.vert(), 2, start - 3);
  EXPECT_EQ(f.grid->TopRow(), 100 - f.grid->VisibleRowCount());
}

}  // namespace
