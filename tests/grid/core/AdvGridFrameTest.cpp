// The look border as the grid's window shows it: painted in the frame of a single border, around
// client cells that start inside it, and clicks that still land in the cell under them.
#include <gtest/gtest.h>

#include <memory>

#include "AdvGridTestSupport.h"
#include "platform/testing/PaintToPng.h"
#include "platform/testing/QtEvents.h"

namespace {

using advgrid_test::GridForm;

TEST(AdvGridFrame, LookBorderShowsInTheWindowFrameInsideTheParentColouredLine) {
  GridForm<> f;
  f.form->SetColor(clAqua);
  f.grid->SetScrollBars(ssNone);
  f.grid->SetColor(clRed);
  const int W = f.grid->Width(), H = f.grid->Height();
  std::unique_ptr<TBitmap> shot = PaintToBitmap(f.grid);
  ASSERT_EQ(shot->Width(), W);
  TCanvas* c = shot->Canvas();
  const TColor border = 0xB99D7F;
  for (const TPoint& p : {Point(1, H / 2), Point(W - 2, H / 2), Point(W / 2, 1), Point(W / 2, H - 2)})
    EXPECT_EQ(ColorToRGB(c->Pixels(p.X, p.Y)), border) << p.X << "," << p.Y;
  for (const TPoint& p : {Point(0, H / 2), Point(W - 1, H / 2), Point(W / 2, 0), Point(W / 2, H - 1)})
    EXPECT_EQ(ColorToRGB(c->Pixels(p.X, p.Y)), ColorToRGB(clAqua)) << p.X << "," << p.Y;
  // A cell's pixels show 2 pixels further in than its client rectangle; without a border they do
  // not move and no look border is drawn.
  const TRect cell = f.grid->CellRect(2, 3);
  EXPECT_EQ(ColorToRGB(c->Pixels(cell.Left + 2, cell.Top + 2)), ColorToRGB(clRed));
  f.grid->SetBorderStyle(bsNone);
  shot = PaintToBitmap(f.grid);
  EXPECT_EQ(f.grid->CellRect(2, 3), cell);
  EXPECT_EQ(ColorToRGB(shot->Canvas()->Pixels(cell.Left, cell.Top + 5)), ColorToRGB(clRed));
  EXPECT_NE(ColorToRGB(shot->Canvas()->Pixels(1, H / 2)), border);
}

TEST(AdvGridFrame, AClickThroughTheFrameSelectsTheCellUnderIt) {
  GridForm<> f;
  f.grid->SetScrollBars(ssNone);
  f.grid->SetColCount(5);
  f.grid->SetRowCount(5);
  const TRect r = f.grid->CellRect(3, 2);
  qtevents::MousePress(f.grid, r.Left + 1, r.Top + 1, 1000);
  qtevents::MouseRelease(f.grid, r.Left + 1, r.Top + 1, 1010);
  EXPECT_EQ(f.grid->Col(), 3);
  EXPECT_EQ(f.grid->Row(), 2);
}

}  // namespace
