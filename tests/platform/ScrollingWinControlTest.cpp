// The scrolling window control: automatic bars from the children's extent, the client area they
// leave, scrolling by position, messages, wheel and thumb, and a control scrolled into view with
// the bar's margin.
#include <gtest/gtest.h>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/ScrollingWinControl.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/PaintToPng.h"

namespace {

class ScrollingWinControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetBounds(100, 100, 400, 300);
    box = new TScrollingWinControl(form);
    box->SetParent(form);
    box->SetBounds(0, 0, 100, 100);
    box->SetColor(clWhite);
    child = new TPanel(form);
    child->SetParent(box);
    form->Show();
  }
  void TearDown() override { delete form; }
  void Contents(int W, int H) {
    child->SetBounds(child->Left(), child->Top(), W, H);
    box->UpdateScrollBars();
  }

  InputDriver driver;
  TForm* form = nullptr;
  TScrollingWinControl* box = nullptr;
  TPanel* child = nullptr;
};

TEST_F(ScrollingWinControlTest, BarsAppearWhereTheContentsReachBeyondAndTakeTheirRoom) {
  struct Case {
    int W, H;
    bool Vert, Horz;
    int ClientW, ClientH;
  };
  for (const Case& c : {Case{100, 100, false, false, 100, 100}, Case{50, 300, true, false, 83, 100},
                        Case{300, 50, false, true, 100, 83}, Case{90, 90, false, false, 100, 100},
                        Case{90, 101, true, true, 83, 83}, Case{300, 300, true, true, 83, 83}}) {
    Contents(c.W, c.H);
    EXPECT_EQ(box->VertScrollBar()->IsScrollBarVisible(), c.Vert) << c.W << "x" << c.H;
    EXPECT_EQ(box->HorzScrollBar()->IsScrollBarVisible(), c.Horz) << c.W << "x" << c.H;
    EXPECT_EQ(box->ClientWidth(), c.ClientW) << c.W << "x" << c.H;
    EXPECT_EQ(box->ClientHeight(), c.ClientH) << c.W << "x" << c.H;
  }
  box->SetAutoScroll(false);
  EXPECT_FALSE(box->VertScrollBar()->IsScrollBarVisible());
}

TEST_F(ScrollingWinControlTest, PositionMovesTheChildrenWithinTheRange) {
  Contents(50, 300);
  EXPECT_EQ(box->VertScrollBar()->Range(), 300);
  box->VertScrollBar()->SetPosition(120);
  EXPECT_EQ(child->Top(), -120);
  box->VertScrollBar()->SetPosition(1000);
  EXPECT_EQ(box->VertScrollBar()->Position(), 200);
  EXPECT_EQ(child->Top(), -200);
  box->Perform(WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(box->VertScrollBar()->Position(), 192);
  box->Perform(WM_VSCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(box->VertScrollBar()->Position(), 92);
  box->Perform(WM_VSCROLL, SB_THUMBTRACK | (10u << 16), 0);  // no tracking: the thumb alone moves
  EXPECT_EQ(box->VertScrollBar()->Position(), 92);
  box->VertScrollBar()->SetTracking(true);
  box->Perform(WM_VSCROLL, SB_THUMBTRACK | (10u << 16), 0);
  EXPECT_EQ(box->VertScrollBar()->Position(), 10);
  box->Perform(WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(child->Top(), 0);
  driver.Wheel(box, -120, 10, 10);
  EXPECT_EQ(box->VertScrollBar()->Position(), 3 * 8);
  Contents(50, 150);  // the contents shrink: the position comes back within the range
  EXPECT_EQ(box->VertScrollBar()->Position(), 24);
  Contents(50, 110);
  EXPECT_EQ(box->VertScrollBar()->Position(), 10);
  EXPECT_EQ(child->Top(), -10);
}

TEST_F(ScrollingWinControlTest, DraggingTheThumbScrollsAndTheBarIsDrawnOverTheContents) {
  Contents(50, 400);
  auto before = PaintToBitmap(box);
  EXPECT_NE(before->Canvas()->Pixels(90, 50), ColorToRGB(child->Color()));  // the bar, not the panel
  box->VertScrollBar()->SetTracking(true);
  driver.MouseDown(box, 91, 5);  // on the thumb at the top
  driver.MouseMove(box, 91, 55);
  EXPECT_GT(box->VertScrollBar()->Position(), 0);
  driver.MouseUp(box, 91, 55);
  const int dragged = box->VertScrollBar()->Position();
  driver.MouseDown(box, 91, 99);  // below the thumb: a page down
  driver.MouseUp(box, 91, 99);
  EXPECT_EQ(box->VertScrollBar()->Position(), std::min(300, dragged + 100));
}

TEST_F(ScrollingWinControlTest, ScrollInViewKeepsTheMarginVisible) {
  Contents(50, 400);
  auto* far = new TPanel(form);
  far->SetParent(box);
  far->SetBounds(0, 200, 20, 20);
  box->UpdateScrollBars();
  box->VertScrollBar()->SetMargin(5);
  box->ScrollInView(far);
  EXPECT_EQ(box->VertScrollBar()->Position(), 200 + 20 + 5 - 100);
  box->ScrollInView(child);
  EXPECT_EQ(box->VertScrollBar()->Position(), 0);
}

}  // namespace
