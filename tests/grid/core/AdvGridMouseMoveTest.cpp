// Mouse move and hover: header repaints of the whole-column press, the selection frame while
// dragging, horizontal scroll kept, link hover and anchor hints, the list-view hot header.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::AskHintAt;
using advgrid_test::GridForm;
using advgrid_test::Utf8;

bool MoveTestHas(const std::vector<TRect>& rects, const TRect& r) {
  return std::find(rects.begin(), rects.end(), r) != rects.end();
}

TPoint MoveTestMid(TAdvStringGrid* g, int c, int r) {
  const TRect cr = g->CellRect(c, r);
  return Point((cr.Left + cr.Right) / 2, (cr.Top + cr.Bottom) / 2);
}

TEST(AdvGridMouseMove, HeaderPressRepaintsTheLastFixedRowAndColumnOfTheOldCell) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetColCount(6);
  g->SetRowCount(8);
  g->SetFixedCols(2);
  g->SetFixedRows(2);
  g->SetOptions(g->Options() | goRangeSelect);
  g->MouseActions()->SetColSelect(true);
  g->SetActiveCellShow(true);
  g->FocusCell(3, 4);
  const TPoint p = MoveTestMid(g, 4, 0);
  f.driver.MouseMove(g, p.X, p.Y);
  g->TakeInvalidatedRects();
  f.driver.MouseDown(g, p.X, p.Y);
  const std::vector<TRect> rects = g->TakeInvalidatedRects();
  f.driver.MouseUp(g, p.X, p.Y);
  EXPECT_EQ(g->Selection(), (TGridRect{4, 2, 4, 7}));
  EXPECT_TRUE(MoveTestHas(rects, g->CellRect(3, 1)));  // column header of the old cell
  EXPECT_TRUE(MoveTestHas(rects, g->CellRect(1, 4)));  // row header of the old cell
}

TEST(AdvGridMouseMove, DraggingASelectionRepaintsTheFrameOnlyWithSelectionRectangle) {
  for (const bool frame : {true, false}) {
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetOptions(g->Options() | goRangeSelect);
    g->SetSelectionRectangle(frame);
    const TPoint a = MoveTestMid(g, 1, 1), b = MoveTestMid(g, 3, 3);
    f.driver.MouseDown(g, a.X, a.Y);
    f.driver.MouseMove(g, b.X, b.Y);
    ASSERT_EQ(g->Selection(), (TGridRect{1, 1, 3, 3}));
    g->TakeInvalidatedRects();
    f.driver.MouseMove(g, b.X, b.Y);  // the selection the last move made
    TRect u{};
    UnionRect(u, g->CellRect(1, 1), g->CellRect(3, 3));
    EXPECT_EQ(MoveTestHas(g->TakeInvalidatedRects(), u), frame) << frame;
    f.driver.MouseMove(g, b.X, b.Y);  // nothing new: no frame repaint
    EXPECT_FALSE(MoveTestHas(g->TakeInvalidatedRects(), u));
    f.driver.MouseUp(g, b.X, b.Y);
  }
}

TEST(AdvGridMouseMove, KeepHorizScrollHoldsTheLeftColumnWhileTheButtonIsDown) {
  for (const bool keep : {true, false}) {
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetColCount(12);
    g->SetOptions(g->Options() | goRangeSelect);
    g->Navigation()->SetKeepHorizScroll(keep);
    ASSERT_EQ(g->LeftCol(), 1);
    const TPoint a = MoveTestMid(g, 2, 2);
    f.driver.MouseDown(g, a.X, a.Y);
    f.driver.MouseMove(g, g->ClientWidth() - 3, a.Y);  // over the partly shown column
    EXPECT_EQ(g->LeftCol() == 1, keep) << keep;
    f.driver.MouseUp(g, g->ClientWidth() - 3, a.Y);
  }
}

// A point on the first letters of an HTML cell's text.
TPoint MoveTestOnLink(TAdvStringGrid* g, int c, int r) {
  const TRect cr = g->CellRect(c, r);
  return Point(cr.Left + 8, cr.Top + 8);
}

TEST(AdvGridMouseMove, TheHoveredLinkFollowsTheMouseOnlyWithURLUnderlineOnHover) {
  for (const bool underline : {true, false}) {
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->URLUnderlineOnHover = underline;
    g->SetCells(2, 2, u"<a href=\"one\">linklinklink</a>");
    g->SetCells(3, 2, u"plain");
    const TPoint p = MoveTestOnLink(g, 2, 2);
    g->TakeInvalidatedRects();
    f.driver.MouseMove(g, p.X, p.Y);
    std::vector<TRect> rects = g->TakeInvalidatedRects();
    if (underline) {
      EXPECT_EQ(g->HoverLinkCell(), Point(2, 2));
      EXPECT_EQ(g->HoverLink(), 1);
      EXPECT_TRUE(MoveTestHas(rects, g->CellRect(2, 2)));
    } else {
      EXPECT_EQ(g->HoverLinkCell(), Point(-1, -1));
      EXPECT_FALSE(MoveTestHas(rects, g->CellRect(2, 2)));
    }
    const TPoint q = MoveTestMid(g, 3, 2);
    f.driver.MouseMove(g, q.X, q.Y);  // a cell that is not HTML
    rects = g->TakeInvalidatedRects();
    EXPECT_EQ(g->HoverLinkCell(), Point(-1, -1));
    EXPECT_EQ(g->HoverLink(), -1);
    EXPECT_EQ(MoveTestHas(rects, g->CellRect(2, 2)), underline) << underline;
  }
}

TEST(AdvGridMouseMove, AnchorHintsTakeTheTitleOrWhatOnAnchorHintMakesOfTheAnchor) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetAnchorHint(true);
  std::vector<std::string> asked;
  g->OnAnchorHint = [&](TObject*, int ARow, int ACol, String& Anchor) {
    asked.push_back(std::to_string(ARow) + "," + std::to_string(ACol) + " " + Utf8(Anchor));
    Anchor = u"go to " + Anchor;
  };
  g->SetCells(2, 2, u"<a href=\"one\">linklinklink</a>");
  g->SetCells(3, 2, u"<a href=\"two\" title=\"Second\">linklinklink</a>");
  const TPoint p = MoveTestOnLink(g, 2, 2);
  const THintInfo first = AskHintAt(g, p);
  EXPECT_EQ(Utf8(first.HintStr), "go to one");
  EXPECT_EQ(first.HintPos, g->ClientToScreen(Point(p.X + 8, p.Y - 16)));
  EXPECT_EQ(asked, (std::vector<std::string>{"2,2 one"}));
  const THintInfo titled = AskHintAt(g, MoveTestOnLink(g, 3, 2));
  EXPECT_EQ(Utf8(titled.HintStr), "Second");
  EXPECT_EQ(asked.size(), 1u);  // a title is not passed through the event
  // Off the link the cell gives no anchor hint.
  const TRect cr = g->CellRect(2, 2);
  EXPECT_EQ(Utf8(AskHintAt(g, Point(cr.Right - 2, cr.Bottom - 2)).HintStr), "");

  // Moving onto an anchor asks for its hint text once and sets the link cursor.
  asked.clear();
  f.driver.MouseMove(g, p.X, p.Y);
  f.driver.MouseMove(g, p.X + 1, p.Y);
  EXPECT_EQ(asked, (std::vector<std::string>{"2,2 one"}));
  EXPECT_EQ(g->Cursor(), crHandPoint);
}

TEST(AdvGridMouseMove, TheListViewLookTracksTheHotHeaderCell) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetLook(glListView);
  const TPoint head = MoveTestMid(g, 2, 0), cell = MoveTestMid(g, 2, 2);
  f.driver.MouseMove(g, head.X, head.Y);
  EXPECT_EQ(g->HotFixedCell(), Point(2, 0));
  EXPECT_TRUE(MoveTestHas(g->TakeInvalidatedRects(), g->CellRect(2, 0)));
  f.driver.MouseMove(g, cell.X, cell.Y);
  EXPECT_EQ(g->HotFixedCell(), Point(2, 2));
  std::vector<TRect> rects = g->TakeInvalidatedRects();
  EXPECT_TRUE(MoveTestHas(rects, g->CellRect(2, 0)));   // the header loses its hot look
  EXPECT_FALSE(MoveTestHas(rects, g->CellRect(2, 2)));  // a normal cell has none
  f.driver.MouseMove(g, head.X, head.Y);
  g->TakeInvalidatedRects();
  f.driver.MouseLeave(g);
  EXPECT_EQ(g->HotFixedCell(), Point(-1, -1));
  EXPECT_TRUE(MoveTestHas(g->TakeInvalidatedRects(), g->CellRect(2, 0)));

  // Another look tracks nothing.
  g->SetLook(glXP);
  f.driver.MouseMove(g, head.X, head.Y);
  EXPECT_EQ(g->HotFixedCell(), Point(-1, -1));
}

}  // namespace
