// The window frame of a single border: the client area lies 2 pixels inside it, the frame is
// painted by the frame paint, and the mouse, cells and scroll bars stay in client coordinates.
#include <gtest/gtest.h>

#include <memory>

#include "platform/Forms.h"
#include "platform/Grids.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/PaintToPng.h"
#include "platform/testing/QtEvents.h"

namespace {

struct FrameForm {
  ModalScript script;
  TForm* form = nullptr;
  TStringGrid* grid = nullptr;
  FrameForm() {
    form = New<TForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    grid = New<TStringGrid>(form);
    grid->SetParent(form);
    grid->SetScrollBars(ssNone);
    grid->SetGridLineWidth(0);
    grid->SetDefaultColWidth(50);
    grid->SetDefaultRowHeight(20);
    grid->SetColCount(8);
    grid->SetRowCount(30);
    grid->SetBounds(10, 10, 204, 104);
    form->Show();
  }
  ~FrameForm() { delete form; }
};

TEST(GridsFrameTest, SingleBorderTakesTwoPixelsOnEachSideNoneTakesNothing) {
  struct Case {
    TBorderStyle Style;
    int Inset;
    int VisibleCols;  // 50-pixel columns after the fixed one
  };
  for (const Case& k : {Case{bsSingle, 2, 3}, Case{bsNone, 0, 4}}) {
    FrameForm f;
    f.grid->SetBorderStyle(k.Style);
    f.grid->SetBounds(10, 10, 252, 104);  // four columns after the fixed one need 250 pixels
    EXPECT_EQ(f.grid->ClientInset(), k.Inset);
    EXPECT_EQ(f.grid->ClientRect(), Rect(0, 0, 252 - 2 * k.Inset, 104 - 2 * k.Inset));
    const TPoint form0 = f.form->ClientOrigin();
    EXPECT_EQ(f.grid->ClientOrigin(), Point(form0.X + 10 + k.Inset, form0.Y + 10 + k.Inset));
    EXPECT_EQ(f.grid->VisibleColCount(), k.VisibleCols);
    EXPECT_EQ(f.grid->CellRect(1, 1), Rect(50, 20, 100, 40));
  }
  // The frame is taken off what scroll bars leave too.
  FrameForm f;
  f.grid->SetScrollBars(ssBoth);
  EXPECT_EQ(f.grid->ClientRect(), Rect(0, 0, 200 - 17, 100 - 17));
}

TEST(GridsFrameTest, TheFrameIsPaintedAroundTheClientArea) {
  FrameForm f;
  f.grid->SetFixedColor(clRed);
  std::unique_ptr<TBitmap> shot = PaintToBitmap(f.grid);
  ASSERT_EQ(shot->Width(), 204);
  ASSERT_EQ(shot->Height(), 104);
  // The sunken edge alone, drawn the same size.
  TBitmap edge;
  edge.SetPixelFormat(pf24bit);
  edge.SetSize(204, 104);
  TRect r = Rect(0, 0, 204, 104);
  DrawEdge(edge.Canvas(), r, EDGE_SUNKEN, BF_RECT);
  TCanvas* c = shot->Canvas();
  for (const TPoint& p : {Point(0, 50), Point(1, 50), Point(100, 0), Point(100, 1), Point(203, 50), Point(202, 50),
                          Point(100, 103), Point(100, 102)})
    EXPECT_EQ(ColorToRGB(c->Pixels(p.X, p.Y)), ColorToRGB(edge.Canvas()->Pixels(p.X, p.Y))) << p.X << "," << p.Y;
  EXPECT_NE(ColorToRGB(c->Pixels(1, 50)), ColorToRGB(clRed));
  // The fixed column starts right inside the frame.
  EXPECT_EQ(ColorToRGB(c->Pixels(2, 50)), ColorToRGB(clRed));
  EXPECT_EQ(ColorToRGB(c->Pixels(2 + 49, 50)), ColorToRGB(clRed));
  EXPECT_NE(ColorToRGB(c->Pixels(2 + 50, 50)), ColorToRGB(clRed));
}

TEST(GridsFrameTest, ClicksLandInTheCellUnderThemThroughTheFrame) {
  FrameForm f;
  unsigned long ts = 1000;
  for (const TPoint& cell : {Point(1, 1), Point(3, 4), Point(2, 2)}) {
    const TRect r = f.grid->CellRect(cell.X, cell.Y);
    qtevents::MousePress(f.grid, r.Left, r.Top, ts += 1000);  // the cell's first client pixel
    qtevents::MouseRelease(f.grid, r.Left, r.Top, ts += 10);
    EXPECT_EQ(f.grid->Col(), cell.X);
    EXPECT_EQ(f.grid->Row(), cell.Y);
  }
  // The frame itself is no cell.
  int c = 0, rr = 0;
  f.grid->MouseToCell(-1, 30, c, rr);
  EXPECT_EQ(c, -1);
}

}  // namespace
