// Scrolling while something is dragged over the grid, with the drag run by the mouse: a source
// control beside the grid dragged over it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "AdvGridTestSupport.h"
#include "platform/StdCtrls.h"

namespace {

using advgrid_test::GridForm;

// A panel-like source below the grid that starts dragging at a press; the grid takes it.
struct DragForm : GridForm<> {
  TControl* source = nullptr;
  DragForm() {
    grid->SetRowCount(100);
    grid->SetColCount(30);
    grid->DragScrollOptions()->SetActive(true);
    grid->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& Accept) { Accept = true; };
    auto* label = New<TLabel>(form);
    label->SetParent(form);
    label->SetCaption(u"drag me");
    label->SetBounds(10, 300, 80, 20);
    label->SetDragMode(dmAutomatic);
    source = label;
  }
  // Presses on the source and moves onto the grid's client point (X, Y).
  void DragOnto(int X, int Y) {
    driver.MouseDown(source, 5, 5);
    driver.MouseMove(source, 30, 5);
    const TPoint p = source->ScreenToClient(grid->ClientToScreen(Point(X, Y)));
    driver.MouseMove(source, p.X, p.Y);
  }
  void Drop(int X, int Y) {
    const TPoint p = source->ScreenToClient(grid->ClientToScreen(Point(X, Y)));
    driver.MouseUp(source, p.X, p.Y);
  }
};

TEST(AdvGridDragScroll, TheMouseNearTheTopScrollsUpAfterTheDelaysUntilTheFirstRow) {
  DragForm f;
  TAdvStringGrid* g = f.grid;
  g->SetTopRow(5);
  f.DragOnto(100, 10);
  ASSERT_TRUE(f.source->Dragging());
  EXPECT_EQ(Screen->Cursor(), crDrag);
  EXPECT_TRUE(g->DragScrollDirection().Contains(dsdUp));
  ASSERT_NE(g->DragScrollTimer(), nullptr);
  f.driver.AdvanceTime(999);
  EXPECT_EQ(g->TopRow(), 5);
  f.driver.AdvanceTime(1);
  EXPECT_EQ(g->TopRow(), 4);
  f.driver.AdvanceTime(249);
  EXPECT_EQ(g->TopRow(), 4);
  f.driver.AdvanceTime(1);
  EXPECT_EQ(g->TopRow(), 3);
  f.driver.AdvanceTime(250 * 10);
  EXPECT_EQ(g->TopRow(), g->FixedRows());
  std::vector<TObject*> ended;
  f.source->OnEndDrag = [&](TObject*, TObject* Target, int, int) { ended.push_back(Target); };
  // Leaving the grid stops the timer; the drop elsewhere finds no taker.
  f.driver.MouseMove(f.source, 5, 5);
  EXPECT_EQ(g->DragScrollTimer(), nullptr);
  EXPECT_EQ(Screen->Cursor(), crNoDrop);
  f.driver.MouseUp(f.source, 5, 5);
  EXPECT_EQ(ended, (std::vector<TObject*>{nullptr}));
  EXPECT_FALSE(f.source->Dragging());
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(AdvGridDragScroll, TheRightMarginScrollsColumnsAndTheHandlerMayRefuseAStep) {
  DragForm f;
  TAdvStringGrid* g = f.grid;
  int asked = 0;
  bool refuse = true;
  g->OnDragScroll = [&](TObject*, int ARow, int ACol, TDragScrollDirections& Dir, bool& CanScroll) {
    ++asked;
    EXPECT_EQ(ARow, g->TopRow());
    EXPECT_EQ(ACol, g->LeftCol());
    EXPECT_TRUE(Dir.Contains(dsdRight));
    CanScroll = !refuse;
  };
  f.DragOnto(g->Width() - 10, 100);
  f.driver.AdvanceTime(1000);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(g->LeftCol(), 1);
  refuse = false;
  f.driver.AdvanceTime(250);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(g->LeftCol(), 2);
  EXPECT_EQ(g->TopRow(), 1);
  // The drop lands on the grid.
  std::vector<TObject*> dropped;
  g->OnDragDrop = [&](TObject*, TObject* Source, int, int) { dropped.push_back(Source); };
  f.Drop(g->Width() - 10, 100);
  EXPECT_EQ(dropped, (std::vector<TObject*>{f.source}));
  EXPECT_EQ(g->DragScrollTimer(), nullptr);
}

TEST(AdvGridDragScroll, InTheMiddleOrSwitchedOffNothingScrolls) {
  for (bool active : {true, false}) {
    SCOPED_TRACE(active);
    DragForm f;
    TAdvStringGrid* g = f.grid;
    g->DragScrollOptions()->SetActive(active);
    g->SetTopRow(5);
    f.DragOnto(active ? 150 : 100, active ? 120 : 10);
    EXPECT_EQ(g->DragScrollTimer(), nullptr);
    f.driver.AdvanceTime(3000);
    EXPECT_EQ(g->TopRow(), 5);
    f.Drop(100, 120);
  }
}

TEST(AdvGridDragScroll, AGridFreedDuringTheDragTakesItsTimer) {
  DragForm f;
  f.DragOnto(100, 10);
  ASSERT_NE(f.grid->DragScrollTimer(), nullptr);
  delete f.grid;
  f.grid = nullptr;
  f.driver.AdvanceTime(3000);  // no tick into the freed grid
  f.driver.MouseMove(f.source, 5, 5);
  f.driver.MouseUp(f.source, 5, 5);
  EXPECT_FALSE(f.source->Dragging());
}

}  // namespace
