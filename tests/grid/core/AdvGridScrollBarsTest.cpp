// The grid's scroll bars: proportional thumbs, the row and column hints while a thumb is dragged,
// the flat looks, and the in-cell scroll bar's messages.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "AdvGridTestSupport.h"
#include "grid/core/HTMLHintWindow.h"
#include "platform/testing/PaintToPng.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

// 100 rows of 22 pixels under one fixed row, 10 columns of 64 under one fixed column.
struct ProportionalForm : GridForm<> {
  ProportionalForm() {
    grid->SetDefaultRowHeight(22);
    grid->SetRowCount(100);
    grid->SetColCount(10);
    grid->SetDefaultColWidth(64);
    grid->SetScrollProportional(true);
  }
};

TEST(AdvGridScrollBars, ProportionalThumbsTakeTheVisibleShare) {
  ProportionalForm f;
  TAdvStringGrid* g = f.grid;
  ASSERT_EQ(g->Height(), 250);
  ASSERT_EQ(g->Width(), 400);
  const auto v = g->GetScrollInfo(true);
  EXPECT_EQ(v.Max, 141);
  EXPECT_EQ(v.Page, 15);
  EXPECT_EQ(v.Pos, 0);
  const auto h = g->GetScrollInfo(false);
  EXPECT_EQ(h.Max, 296);
  EXPECT_EQ(h.Page, 170);
  // Scrolled to the end, the vertical position is at the end of the 128 steps.
  g->SetTopRow(g->RowCount() - g->VisibleRowCount());
  g->SetScrollProportional(true);
  EXPECT_GE(g->GetScrollInfo(true).Pos, 126);
  // Off: the plain thumbs again.
  g->SetScrollProportional(false);
  EXPECT_EQ(g->GetScrollInfo(true).Page, 0);
  EXPECT_EQ(g->GetScrollInfo(false).Page, 0);
}

TEST(AdvGridScrollBars, RowsThatFitGetNoProportionalUpdate) {
  GridForm<> f;
  f.grid->SetRowCount(4);
  f.grid->SetScrollProportional(true);
  EXPECT_EQ(f.grid->GetScrollInfo(true).Page, 0);
  EXPECT_EQ(f.grid->GetScrollInfo(true).Max, 127);
}

TEST(AdvGridScrollBars, TheHorizontalBarShowsOnlyForOverflowingColumnsOrWhenKept) {
  struct Case {
    int Cols;
    TScrollBarAlways Always;
    bool Shown;
  };
  for (const Case& c :
       std::vector<Case>{{10, saNone, true}, {3, saNone, false}, {3, saHorz, true}, {3, saVert, false}}) {
    SCOPED_TRACE(c.Cols * 10 + static_cast<int>(c.Always));
    GridForm<> f;
    f.grid->SetScrollBarAlways(c.Always);
    f.grid->SetColCount(c.Cols);
    f.grid->SetScrollProportional(true);
    EXPECT_EQ(f.grid->ScrollBarVisible(false), c.Shown);
  }
}

TEST(AdvGridScrollBars, TheProportionalThumbIsGrabbedAlongItsLength) {
  ProportionalForm f;
  TAdvStringGrid* g = f.grid;
  g->SetRowCount(4);  // no vertical bar
  g->SetScrollProportional(true);
  ASSERT_TRUE(g->ScrollBarVisible(false));
  ASSERT_FALSE(g->ScrollBarVisible(true));
  // 170 of 297 steps: the thumb covers more than half of the track. A press 100 pixels into it
  // grabs it instead of paging.
  const int y = g->ClientHeight() + 8, x = 17 + 100;  // the bar lies below the client rectangle
  f.driver.MouseDown(g, x, y);
  EXPECT_EQ(g->LeftCol(), 1);
  f.driver.MouseMove(g, x + 60, y);
  f.driver.MouseUp(g, x + 60, y);
  EXPECT_GT(g->LeftCol(), 1);
  // To the end: the last columns come into view.
  f.driver.MouseDown(g, g->ClientWidth() - 30, y);
  f.driver.MouseMove(g, g->ClientWidth() + 200, y);
  f.driver.MouseUp(g, g->ClientWidth() + 200, y);
  EXPECT_EQ(g->LeftCol() + g->VisibleColCount(), g->ColCount());
}

// 100 rows, 20 of them visible under one fixed row.
struct HintForm : GridForm<> {
  HintForm() {
    grid->SetDefaultRowHeight(10);
    grid->SetRowCount(100);
    grid->SetColCount(30);
    for (int h = 100; h < 400 && grid->VisibleRowCount() != 20; ++h) grid->SetHeight(h);
  }
  void Track(bool Vertical, int Pos, unsigned Code = SB_THUMBTRACK) {
    grid->Perform(Vertical ? WM_VSCROLL : WM_HSCROLL, Code | (static_cast<unsigned>(Pos) << 16), 0);
  }
};

TEST(AdvGridScrollBars, AThumbDragShowsTheRowOrColumnBesideTheMouse) {
  HintForm f;
  TAdvStringGrid* g = f.grid;
  ASSERT_EQ(g->VisibleRowCount(), 20);
  g->SetScrollHints(shVertical);
  g->SetHintColor(clYellow);
  f.driver.MouseMove(g, 50, 60);
  const TPoint mouse = g->ClientToScreen(Point(50, 60));
  f.Track(true, 64);
  THTMLHintWindow* w = g->ScrollHintWindow();
  ASSERT_TRUE(w->Active());
  EXPECT_EQ(Utf8(w->Caption()), "Row : 41");
  EXPECT_EQ(w->Left(), mouse.X + 10);
  EXPECT_EQ(w->Top(), mouse.Y);
  EXPECT_EQ(w->Color(), clYellow);
  f.Track(true, 64, SB_ENDSCROLL);
  EXPECT_FALSE(w->Active());
  // Horizontal messages show nothing with vertical hints only.
  f.Track(false, 64);
  EXPECT_FALSE(w->Active());
  // The handler has the last word; columns likewise with "Col : ".
  g->SetScrollHints(shBoth);
  g->OnScrollHint = [](TObject*, int Index, String& Text) {
    if (Index == 41) Text = u"Customer 41";
  };
  f.Track(true, 64);
  EXPECT_EQ(Utf8(w->Caption()), "Customer 41");
  const int c = g->FixedCols() +
                static_cast<int>(std::lround(64.0 * (g->ColCount() - g->VisibleColCount() - g->FixedCols()) / 127));
  f.Track(false, 64);
  EXPECT_EQ(Utf8(w->Caption()), "Col : " + std::to_string(c));
  f.Track(false, 64, SB_ENDSCROLL);
  EXPECT_FALSE(w->Active());
}

}  // namespace

namespace {

TEST(AdvGridScrollBars, FlatAndEncartaBarsTakeTheirWidthAndColour) {
  for (TScrollType type : {ssFlat, ssEncarta, ssNormal}) {
    SCOPED_TRACE(static_cast<int>(type));
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetRowCount(100);
    g->SetScrollType(type);
    g->SetScrollWidth(16);
    g->SetScrollColor(clLime);
    ASSERT_TRUE(g->ScrollBarVisible(true));
    const int width = type == ssNormal ? 17 : 16;
    const TRect view = g->ClientRect();
    EXPECT_EQ(view.Right, g->Width() - 2 * g->ClientInset() - width);
    std::unique_ptr<TBitmap> shot = PaintToBitmap(g);
    const int inset = g->ClientInset();
    // The track between the thumb (at the top) and the lower arrow.
    const int y = inset + view.Bottom - width - 10;
    const bool lime = type != ssNormal;
    EXPECT_EQ(shot->Canvas()->Pixels(inset + view.Right, y) == clLime, lime);
    EXPECT_EQ(shot->Canvas()->Pixels(inset + view.Right + width - 1, y) == clLime, lime);
    EXPECT_NE(shot->Canvas()->Pixels(inset + view.Right - 1, y), clLime);
  }
}

}  // namespace
