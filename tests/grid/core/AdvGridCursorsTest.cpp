// The grid's selection cursors: their pictures and the WM_SETCURSOR answer by mode.
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::GridForm;

int PixelOf(const TCursorImage& Image, int X, int Y) { return Image.Pixels[static_cast<size_t>(Y * Image.Width + X)]; }

TEST(AdvGridCursors, PicturesDrawnByTheGrid) {
  TAdvStringGrid::RegisterGridCursors();
  struct Case {
    TCursor id;
    int hotX, hotY;
    int centreX, centreY;  // a pixel inside the shape
    int fill;              // 1 black, 2 white
    int outsideX, outsideY;
  };
  const Case cases[] = {
      {8010, 26, 16, 10, 16, 1, 2, 2},  // arrow right: shaft
      {8011, 13, 26, 13, 10, 1, 2, 2},  // arrow down: shaft
      {8012, 16, 16, 16, 16, 1, 2, 2},  // thick plus
      {8014, 16, 16, 16, 16, 2, 2, 2},  // outlined plus: white inside
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const TCursorImage* img = FindCursorImage(c.id);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->Width, 32);
    EXPECT_EQ(img->Height, 32);
    EXPECT_EQ(img->HotX, c.hotX);
    EXPECT_EQ(img->HotY, c.hotY);
    EXPECT_EQ(PixelOf(*img, c.hotX, c.hotY), c.fill);  // the hot spot is on the shape
    EXPECT_EQ(PixelOf(*img, c.centreX, c.centreY), c.fill);
    EXPECT_EQ(PixelOf(*img, c.outsideX, c.outsideY), 0);
  }
  // The outlined plus has a black rim just outside its white bar.
  EXPECT_EQ(PixelOf(*FindCursorImage(8014), 20, 8), 1);
}

TEST(AdvGridCursors, SetCursorByMode) {
  struct Case {
    const char* name;
    TAdvStringGrid::TMouseSelectMode mode;
    bool selector;
    TCursor expected;
  };
  const Case cases[] = {
      {"column", TAdvStringGrid::msColumn, false, 8011}, {"row", TAdvStringGrid::msRow, false, 8010},
      {"all", TAdvStringGrid::msAll, false, 8012},       {"resize", TAdvStringGrid::msResize, false, 8012},
      {"link keeps", TAdvStringGrid::msURL, false, crHandPoint}, {"cell selector", TAdvStringGrid::msNormal, true, 8014},
      {"normal: the grid's cursor", TAdvStringGrid::msNormal, false, crCross},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridForm<> f;
    f.grid->SetCursor(crCross);
    SetCursorNow(f.grid, crHandPoint);
    f.grid->SetMouseSelectMode(c.mode);
    f.grid->SetCellSelectorMode(c.selector);
    f.grid->Perform(WM_SETCURSOR, reinterpret_cast<uintptr_t>(f.grid), MakeLParam(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(CursorNow(f.grid), c.expected);
    EXPECT_EQ(f.grid->Cursor(), crCross);
  }
}

TEST(AdvGridCursors, AMouseMoveAsksTheCellForItsCursor) {
  GridForm<> f;
  f.grid->OnGetCellCursor = [](TObject*, int ACol, int ARow, int, int, TCursor& c) {
    if (ACol == 2 && ARow == 1) c = crHandPoint;
  };
  const TRect r = f.grid->CellRect(2, 1);
  f.driver.MouseMove(f.grid, r.Left + 3, r.Top + 3);
  EXPECT_EQ(CursorNow(f.grid), crHandPoint);
  const TRect other = f.grid->CellRect(3, 2);
  f.driver.MouseMove(f.grid, other.Left + 3, other.Top + 3);
  EXPECT_EQ(CursorNow(f.grid), crDefault);
}

}  // namespace
