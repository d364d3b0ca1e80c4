// Press, release and move feedback: the fixed cells' drop-down button and pressed look, sizing
// released outside the grid, a right click during a column move, the selection frame's repaints,
// the scroll bar over an in-cell scroll bar cell and its scrolling, the hovered cell button and the
// comment cell's hint.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AdvGridTestSupport.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/testing/ImageCanvas.h"

namespace {

using advgrid_test::AskHintAt;
using advgrid_test::GridForm;
using advgrid_test::Utf8;

bool FeedbackHas(const std::vector<TRect>& rects, const TRect& r) {
  return std::find(rects.begin(), rects.end(), r) != rects.end();
}

TPoint FeedbackMid(TAdvStringGrid* g, int c, int r) {
  const TRect cr = g->CellRect(c, r);
  return Point((cr.Left + cr.Right) / 2, (cr.Top + cr.Bottom) / 2);
}

// Header cells that highlight on hover and show the drop-down button.
struct DropDownForm : GridForm<> {
  DropDownForm() {
    grid->SetHoverFixedCells(hfAll);
    grid->ControlLook()->SetFixedDropDownButton(true);
  }
};

TEST(AdvGridMouseFeedback, TheDropDownButtonEndsTwoPixelsBeforeTheSizingBorder) {
  struct Case {
    bool colSizing;
    int fromRight;  // pixels left of the cell's right edge
    bool down;
  };
  const Case cases[] = {{true, 2, false}, {true, 3, true},   {true, 15, true},
                        {true, 16, false}, {false, 1, true}, {false, 0, false}};
  for (const Case& c : cases) {
    DropDownForm f;
    TAdvStringGrid* g = f.grid;
    if (c.colSizing) g->SetOptions(g->Options() | goColSizing);
    else g->SetOptions(g->Options() - TGridOptions{goColSizing});
    const TRect cr = g->CellRect(2, 0);
    f.driver.MouseDown(g, cr.Right - c.fromRight, cr.Top + 5);
    EXPECT_EQ(g->FixedDropDownDown(), c.down) << c.colSizing << " " << c.fromRight;
    f.driver.MouseUp(g, cr.Right - c.fromRight, cr.Top + 5);
    EXPECT_FALSE(g->FixedDropDownDown());
  }
  // Only cells that get the hover look have the button.
  GridForm<> plain;
  plain.grid->ControlLook()->SetFixedDropDownButton(true);
  const TRect cr = plain.grid->CellRect(2, 0);
  plain.driver.MouseDown(plain.grid, cr.Right - 8, cr.Top + 5);
  EXPECT_FALSE(plain.grid->FixedDropDownDown());
  plain.driver.MouseUp(plain.grid, cr.Right - 8, cr.Top + 5);  // the button state is global
}

TEST(AdvGridMouseFeedback, TheDropDownMenuPopsUpBelowTheButtonWithTheColumnAsTag) {
  for (const bool keep : {false, true}) {
    DropDownForm f;
    TAdvStringGrid* g = f.grid;
    TPopupMenu* menu = New<TPopupMenu>(f.form);
    g->SetFixedDropDownMenu(menu);
    std::vector<std::string> log;
    g->OnFixedDropDownClick = [&](TObject*, int ACol, int ARow, TPopupMenu*& AMenu, bool& Keep) {
      log.push_back("click " + std::to_string(ACol) + "," + std::to_string(ARow) + " tag " +
                    std::to_string(AMenu->Tag()));
      Keep = keep;
    };
    g->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("mouse down"); };
    TPopupAnswerScope answer([&](const TPopupShown& shown) -> TMenuItem* {
      const TPoint hover = g->HoverFixedCell();
      log.push_back("popup hover " + std::to_string(hover.X) + "," + std::to_string(hover.Y));
      const TRect cr = g->CellRect(3, 0);
      EXPECT_EQ(shown.At, g->ClientToScreen(Point(cr.Right - 16, cr.Bottom)));
      return nullptr;
    });
    const TRect cr = g->CellRect(3, 0);
    f.driver.MouseDown(g, cr.Right - 8, cr.Top + 5);
    // The press ends at the menu: the class library never sees it.
    EXPECT_EQ(log, (std::vector<std::string>{"click 3,0 tag 3", "popup hover 3,0"})) << keep;
    EXPECT_EQ(g->HoverFixedCell(), Point(-1, -1));
    f.driver.MouseUp(g, cr.Right - 8, cr.Top + 5);
    // Kept highlighted, the hover look no longer follows the mouse until it is reset.
    const TPoint other = FeedbackMid(g, 1, 0);
    f.driver.MouseMove(g, other.X, other.Y);
    EXPECT_EQ(g->HoverFixedCell(), keep ? Point(-1, -1) : Point(1, 0)) << keep;
  }
}

TEST(AdvGridMouseFeedback, TheEventMayTakeTheMenuAwayAndThePressGoesNoFurther) {
  DropDownForm f;
  TAdvStringGrid* g = f.grid;
  bool popped = false, mouseDown = false;
  g->OnFixedDropDownClick = [](TObject*, int, int, TPopupMenu*& AMenu, bool&) { AMenu = nullptr; };
  g->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { mouseDown = true; };
  TPopupAnswerScope answer([&](const TPopupShown&) -> TMenuItem* {
    popped = true;
    return nullptr;
  });
  const TRect cr = g->CellRect(2, 0);
  f.driver.MouseDown(g, cr.Right - 8, cr.Top + 5);
  EXPECT_FALSE(popped);
  EXPECT_FALSE(mouseDown);
  EXPECT_TRUE(g->FixedDropDownDown());
  f.driver.MouseUp(g, cr.Right - 8, cr.Top + 5);  // the button state is global
}

TEST(AdvGridMouseFeedback, AFreedDropDownMenuIsForgotten) {
  DropDownForm f;
  TPopupMenu* menu = New<TPopupMenu>(nullptr);
  f.grid->SetFixedDropDownMenu(menu);
  delete menu;
  EXPECT_EQ(f.grid->FixedDropDownMenu(), nullptr);
}

TEST(AdvGridMouseFeedback, APressedHeaderOfTheLastFixedRowIsRepaintedDownAndUp) {
  struct Case {
    THoverFixedCells hover;
    TColor downTo;
    bool pressedLook;
  };
  for (const Case& c : {Case{hfAll, clSilver, true}, Case{hfFixedRows, clRed, true}, Case{hfAll, clNone, false},
                        Case{hfNone, clSilver, false}, Case{hfFixedColumns, clSilver, false}}) {
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetHoverFixedCells(c.hover);
    g->ControlLook()->SetFixedGradientDownTo(c.downTo);
    const TPoint p = FeedbackMid(g, 2, 0);
    g->TakeInvalidatedRects();
    f.driver.MouseDown(g, p.X, p.Y);
    EXPECT_EQ(g->MouseDownOnFixed(), c.pressedLook) << c.hover;
    EXPECT_EQ(FeedbackHas(g->TakeInvalidatedRects(), g->CellRect(2, 0)), c.pressedLook) << c.hover;
    f.driver.MouseUp(g, p.X, p.Y);
    EXPECT_FALSE(g->MouseDownOnFixed());
    EXPECT_EQ(FeedbackHas(g->TakeInvalidatedRects(), g->CellRect(2, 0)), c.pressedLook) << c.hover;
  }
}

TEST(AdvGridMouseFeedback, AShiftPressRepaintsTheFramedSelection) {
  for (const bool frame : {true, false}) {
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetOptions(g->Options() | goRangeSelect);
    g->SetSelectionRectangle(frame);
    g->FocusCell(1, 1);
    const TPoint p = FeedbackMid(g, 3, 3);
    g->TakeInvalidatedRects();
    f.driver.MouseDown(g, p.X, p.Y, mbLeft, TShiftState{ssShift});
    ASSERT_EQ(g->Selection(), (TGridRect{1, 1, 3, 3}));
    TRect u{};
    UnionRect(u, g->CellRect(1, 1), g->CellRect(3, 3));
    // The class library repaints the selection it changed; the frame has it repainted once more.
    const std::vector<TRect> rects = g->TakeInvalidatedRects();
    EXPECT_EQ(std::count(rects.begin(), rects.end(), u), frame ? 2 : 1) << frame;
    f.driver.MouseUp(g, p.X, p.Y, mbLeft, TShiftState{ssShift});
  }
}

TEST(AdvGridMouseFeedback, ASizingReleasedBeyondTheClientAreaEndsThere) {
  for (const bool outside : {true, false}) {
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetOptions(g->Options() | goColSizing);
    int ups = 0;
    g->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
    const TRect cr = g->CellRect(1, 0);
    f.driver.MouseDown(g, cr.Right - 1, cr.Top + 5);
    ASSERT_EQ(g->GridState(), gsColSizing);
    const int x = outside ? g->ClientWidth() + 20 : cr.Right + 20;
    f.driver.MouseMove(g, x, cr.Top + 5);
    const int width = g->ColWidths(1);
    f.driver.MouseUp(g, x, cr.Top + 5);
    EXPECT_EQ(g->GridState(), gsNormal);
    EXPECT_EQ(g->ColWidths(1), width);
    EXPECT_EQ(ups, outside ? 0 : 1) << outside;  // the class library's release did not run
  }
}

TEST(AdvGridMouseFeedback, ARightReleaseDoesNotEndAColumnMove) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetOptions(g->Options() | goColMoving);
  g->SetCells(2, 0, u"moved");
  const TPoint from = FeedbackMid(g, 2, 0), to = FeedbackMid(g, 4, 0);
  f.driver.MouseDown(g, from.X, from.Y);
  f.driver.MouseMove(g, to.X, to.Y);
  ASSERT_EQ(g->GridState(), gsColMoving);
  f.driver.MouseUp(g, to.X, to.Y, mbRight);
  EXPECT_EQ(g->GridState(), gsColMoving);
  f.driver.MouseUp(g, to.X, to.Y);
  EXPECT_EQ(g->GridState(), gsNormal);
  EXPECT_EQ(Utf8(g->Cells(4, 0)), "moved");
}

TEST(AdvGridMouseFeedback, SelectingRecordsTheSelectionTheMoveStartsFrom) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetOptions(g->Options() | goRangeSelect);
  g->SetSelectionRectangle(true);
  const TPoint a = FeedbackMid(g, 1, 1), b = FeedbackMid(g, 2, 2), c = FeedbackMid(g, 3, 3);
  f.driver.MouseDown(g, a.X, a.Y);
  f.driver.MouseMove(g, b.X, b.Y);
  EXPECT_EQ(g->SizeSelection(), (TGridRect{1, 1, 1, 1}));
  f.driver.MouseMove(g, c.X, c.Y);
  EXPECT_EQ(g->SizeSelection(), (TGridRect{1, 1, 2, 2}));
  f.driver.MouseUp(g, c.X, c.Y);
}

TEST(AdvGridMouseFeedback, ARowDragRepaintsTheRowsItsFrameCrosses) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->MouseActions()->SetRowSelect(true);
  g->SetSelectionRectangle(true);
  const TPoint a = FeedbackMid(g, 0, 2), b = FeedbackMid(g, 0, 4), c = FeedbackMid(g, 0, 3);
  f.driver.MouseMove(g, a.X, a.Y);
  f.driver.MouseDown(g, a.X, a.Y);
  // What repainting one row invalidates.
  auto rowRect = [&](int r) {
    g->TakeInvalidatedRects();
    g->RepaintRow(r);
    return g->TakeInvalidatedRects().at(0);
  };
  const TRect row1 = rowRect(1), row2 = rowRect(2), row3 = rowRect(3), row4 = rowRect(4), row5 = rowRect(5);
  f.driver.MouseMove(g, b.X, b.Y);
  EXPECT_EQ(g->Selection(), (TGridRect{1, 2, g->ColCount() - 1, 4}));
  EXPECT_EQ(g->SizeSelection(), g->Selection());
  std::vector<TRect> rects = g->TakeInvalidatedRects();
  for (const TRect& r : {row2, row3, row4}) EXPECT_TRUE(FeedbackHas(rects, r));
  EXPECT_FALSE(FeedbackHas(rects, row1));
  EXPECT_FALSE(FeedbackHas(rects, row5));
  // Shrinking back repaints the row the frame leaves.
  f.driver.MouseMove(g, c.X, c.Y);
  rects = g->TakeInvalidatedRects();
  EXPECT_TRUE(FeedbackHas(rects, row4));
  f.driver.MouseUp(g, c.X, c.Y);
}

TEST(AdvGridMouseFeedback, TheScrollBarShowsOverAnInCellScrollBarWithMoreThanAPage) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetRowHeights(2, 60);
  g->AddScrollBar(2, 2, false);
  g->SetScrollProp(2, 2, TScrollProp{10, 100});
  g->SetScrollPosition(2, 2, 30);
  g->AddScrollBar(3, 2, false);
  g->SetScrollProp(3, 2, TScrollProp{100, 100});  // all of it fits
  TScrollBar* bar = g->CellScrollBar();
  ASSERT_NE(bar, nullptr);
  const TPoint p = FeedbackMid(g, 2, 2);
  f.driver.MouseMove(g, p.X, p.Y);
  ASSERT_TRUE(bar->Visible());
  EXPECT_EQ(g->CellScrollBarCell(), Point(2, 2));
  const TRect cr = g->CellRect(2, 2);
  const int lw = g->GridLineWidth();
  EXPECT_EQ(bar->BoundsRect(), Rect(cr.Right - 17 - lw, cr.Top + lw, cr.Right - lw, cr.Bottom - lw));
  EXPECT_EQ(bar->Position(), 30);
  EXPECT_EQ(bar->Min(), 0);
  EXPECT_EQ(bar->Max(), 100);
  EXPECT_EQ(bar->PageSize(), 10);

  const TPoint q = FeedbackMid(g, 3, 2);
  f.driver.MouseMove(g, q.X, q.Y);
  EXPECT_FALSE(bar->Visible());  // a page holds the whole range: the bar the last cell showed goes
  f.driver.MouseMove(g, p.X, p.Y);
  EXPECT_TRUE(bar->Visible());
  const TPoint plain = FeedbackMid(g, 1, 1);
  f.driver.MouseMove(g, plain.X, plain.Y);
  EXPECT_FALSE(bar->Visible());
}

TEST(AdvGridMouseFeedback, ScrollingTheInCellBarMovesTheCellsPositionNotTheGrid) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetRowCount(40);
  g->SetRowHeights(2, 60);
  g->AddScrollBar(2, 2, false);
  g->SetScrollProp(2, 2, TScrollProp{10, 100});
  g->SetScrollPosition(2, 2, 30);
  std::vector<std::string> events;
  g->OnScrollCell = [&](TObject*, int ACol, int ARow, int Pos, int Min, int Max) {
    events.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + std::to_string(Pos) + " " +
                     std::to_string(Min) + ".." + std::to_string(Max));
  };
  const TPoint p = FeedbackMid(g, 2, 2);
  f.driver.MouseMove(g, p.X, p.Y);
  TScrollBar* bar = g->CellScrollBar();
  ASSERT_TRUE(bar->Visible());
  const int top = g->TopRow();
  struct Step {
    const char* name;
    TScrollCode code;
    int pos;       // for the thumb
    int expected;  // the cell's position afterwards
    bool fires;
  };
  const Step steps[] = {
      {"line down", scLineDown, 0, 40, true},
      {"line up", scLineUp, 0, 30, true},
      {"page down stops at the last page", scPageDown, 0, 91, true},
      {"line down at the end", scLineDown, 0, 91, false},
      {"thumb", scTrack, 55, 55, true},
      {"page up stops at the minimum", scPageUp, 0, 0, true},
      {"line up at the minimum", scLineUp, 0, 0, false},
      {"end of scrolling", scEndScroll, 0, 0, false},
  };
  for (const Step& st : steps) {
    SCOPED_TRACE(st.name);
    events.clear();
    bar->Scroll(st.code, st.pos);
    EXPECT_EQ(g->GetScrollPosition(2, 2), st.expected);
    EXPECT_EQ(bar->Position(), st.expected);
    if (st.fires) {
      EXPECT_EQ(events, (std::vector<std::string>{"2,2 " + std::to_string(st.expected) + " 0..100"}));
    } else {
      EXPECT_TRUE(events.empty());
    }
    EXPECT_EQ(g->TopRow(), top);
  }
  // Another scroll bar on the grid keeps its own steps, and the grid stays where it is.
  TScrollBar* other = New<TScrollBar>(g);
  other->SetParent(g);
  other->SetKind(sbVertical);
  other->Scroll(scLineDown);
  EXPECT_EQ(other->Position(), 1);
  EXPECT_EQ(g->TopRow(), top);
  EXPECT_EQ(g->GetScrollPosition(2, 2), 0);
}

TEST(AdvGridMouseFeedback, TheButtonUnderTheMouseIsTheHoveredOne) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetColWidths(2, 80);
  g->SetRowHeights(2, 30);
  g->AddButton(2, 2, 30, 20, u"Go", haRight, vaCenter);
  g->AddExpand(3, 2, 60);
  TImageCanvas img(g->ClientWidth(), g->ClientHeight(), clWhite);
  g->PaintOn(img.Canvas());  // painting places the button
  const TRect button = g->GetCellButtonRect(2, 2);
  ASSERT_FALSE(button.IsEmpty());
  const TRect cell = g->CellRect(2, 2);
  g->TakeInvalidatedRects();
  f.driver.MouseMove(g, button.Left + 2, button.Top + 2);
  EXPECT_EQ(g->HoverButton(), Point(2, 2));
  EXPECT_TRUE(FeedbackHas(g->TakeInvalidatedRects(), cell));
  f.driver.MouseMove(g, button.Left + 4, button.Top + 4);  // the same button: nothing repainted
  EXPECT_FALSE(FeedbackHas(g->TakeInvalidatedRects(), cell));
  f.driver.MouseMove(g, cell.Left + 2, cell.Top + 2);  // beside the button
  EXPECT_EQ(g->HoverButton(), Point(-1, -1));
  EXPECT_TRUE(FeedbackHas(g->TakeInvalidatedRects(), cell));

  // The expand button: 11 x 11 pixels at the cell's right - 13, top + 2.
  const TRect ex = g->CellRect(3, 2);
  f.driver.MouseMove(g, ex.Right - 12, ex.Top + 3);
  EXPECT_EQ(g->HoverButton(), Point(3, 2));
  f.driver.MouseMove(g, ex.Right - 14, ex.Top + 3);
  EXPECT_EQ(g->HoverButton(), Point(-1, -1));
  f.driver.MouseMove(g, ex.Right - 12, ex.Top + 3);
  f.driver.MouseMove(g, g->ClientWidth() - 1, g->ClientHeight() - 1);  // off the cells
  EXPECT_EQ(g->HoverButton(), Point(-1, -1));
}

TEST(AdvGridMouseFeedback, ACommentCellHintsItsTextFromTheTopRightCorner) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetHint(u"grid");
  g->AddComment(2, 2, u"checked by hand");
  const TRect cr = g->CellRect(2, 2);
  const THintInfo info = AskHintAt(g, Point(cr.Left + 5, cr.Top + 5));
  EXPECT_EQ(Utf8(info.HintStr), "checked by hand");
  EXPECT_EQ(info.HintPos, g->ClientToScreen(Point(cr.Right, cr.Top)));
  // Another cell keeps the grid's hint below the cell.
  const TRect other = g->CellRect(3, 2);
  const THintInfo plain = AskHintAt(g, Point(other.Left + 5, other.Top + 5));
  EXPECT_EQ(Utf8(plain.HintStr), "grid");
  EXPECT_EQ(plain.HintPos, g->ClientToScreen(Point(other.Left + 5, other.Bottom + 6)));
}

}  // namespace
