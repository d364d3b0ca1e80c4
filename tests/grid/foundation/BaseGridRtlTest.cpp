// The base grid laid out right to left: mirrored geometry, the painter's line and selection-bar
// adjustments, and the whole-grid repaint on selection.
#include <gtest/gtest.h>

#include "platform/testing/ScopedLocale.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "BaseGridTestSupport.h"
#include "grid/foundation/ZazAdezDraw.h"
#include "platform/SysUtils.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

using basegrid_test::GridForm;

std::string ModeName(TBiDiMode m, bool middleEast) {
  const char* names[] = {"left-to-right", "right-to-left", "no-align", "reading-only"};
  return std::string(names[m]) + (middleEast ? ", middle-east locale" : ", other locale");
}

std::vector<std::string> RtlLines(const TRecordingCanvas& cv) {
  std::vector<std::string> out;
  for (const TRecordedCall& c : cv.Calls())
    if (c.Name == "MoveTo" || c.Name == "LineTo") out.push_back(c.ToString());
  return out;
}

std::string RtlColouredLog(const std::vector<TRecordedCall>& calls, size_t n) {
  std::ostringstream o;
  for (size_t i = 0; i < n && i < calls.size(); ++i)
    o << calls[i].ToString() << " b" << calls[i].BrushColor << " p" << calls[i].PenColor << "\n";
  return o.str();
}

TEST(BaseGridRtlTest, MergedRangeGeometryIsMirroredAsAWhole) {
  TScopedMiddleEastLocale locale(true);
  GridForm f;
  TBaseGrid* g = f.grid;
  g->MergeCells(1, 1, 3, 2);
  g->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(g->CellRect(0, 0), Rect(250, 0, 300, 20));
  EXPECT_EQ(g->CellRect(2, 2), Rect(100, 20, 250, 60));  // a member answers the whole range
  EXPECT_EQ(g->VirtualCellRect(1, 1), Rect(200, 20, 250, 40));
  EXPECT_EQ(g->CellSize(2, 2), Point(150, 40));
}

// The right line moves one pixel out under right-to-left alignment (on the mirrored canvas that
// puts it on the cell's far edge); the selection bar grows a pixel each way whenever the mode
// is right-to-left, whatever the locale.
TEST(BaseGridRtlTest, RightLineAndSelectionBarFollowTheirOwnConditions) {
  struct Case {
    TBiDiMode mode;
    bool middleEast;
    int rightLineX;
    int barGrowth;
  } cases[] = {
      {bdLeftToRight, true, 149, 0},
      {bdRightToLeft, false, 149, 1},
      {bdRightToLeft, true, 150, 1},
      {bdRightToLeftNoAlign, true, 149, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ModeName(c.mode, c.middleEast));
    TScopedMiddleEastLocale locale(c.middleEast);
    GridForm f;
    TBaseGrid* g = f.grid;
    g->SetColor(clWhite);
    g->SetBiDiMode(c.mode);
    // A right-to-left grid paints on its mirrored canvas, in layout coordinates.
    bool mirrored = g->UseRightToLeftAlignment();
    TRect layout = Rect(100, 40, 150, 60);

    TRecordingCanvas lines;
    if (mirrored) lines.SetMirrored(300);
    g->DoPaintCell(&lines, 2, 2, g->CellRect(2, 2), TGridDrawState{}, true);
    std::string x = std::to_string(c.rightLineX);
    EXPECT_EQ(RtlLines(lines), (std::vector<std::string>{"MoveTo(100,59)", "LineTo(150,59)", "MoveTo(" + x + ",59)",
                                                      "LineTo(" + x + ",39)"}));

    g->SetSelectionStyle(ssWin7);
    g->SetSelection(TGridRect{2, 2, 2, 2});
    TRecordingCanvas actual, expected;
    if (mirrored) actual.SetMirrored(300);
    g->DoPaintCell(&actual, 2, 2, g->CellRect(2, 2), TGridDrawState{gdSelected}, true);
    TRect bar = layout;
    bar.Right += c.barGrowth;
    bar.Bottom += c.barGrowth;
    DrawSelectionBar(&expected, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE, clWhite,
                     bar, 0);
    size_t n = expected.Calls().size();
    ASSERT_GT(n, 0u);
    EXPECT_EQ(RtlColouredLog(actual.Calls(), n), RtlColouredLog(expected.Calls(), n));
  }
}

// A pixel of a grid line (drawn in the default line colour) against the white cells.
bool IsLine(TColor c) { return c == clSilver; }

TEST(BaseGridRtlTest, MirroredGridLinesLieOnTheCellsFarEdges) {
  TScopedMiddleEastLocale locale(true);
  GridForm f;
  TBaseGrid* g = f.grid;
  g->SetColor(clWhite);
  TImageCanvas ltr(300, 120), rtl(300, 120);
  g->PaintOn(ltr.Canvas());
  g->SetBiDiMode(bdRightToLeft);
  g->PaintOn(rtl.Canvas());

  // Inside the rows every pixel row is the left-to-right one mirrored: each vertical line
  // sits on the physical left edge of its cell.
  for (int y = 0; y < 120; ++y) {
    if (y % 20 == 19) continue;
    for (int x = 0; x < 300; ++x) {
      ASSERT_EQ(IsLine(rtl.Pixel(x, y)), IsLine(ltr.Pixel(299 - x, y))) << "at " << x << "," << y;
    }
  }
  for (int c = 0; c < 6; ++c) {
    TRect r = g->CellRect(c, 2);
    SCOPED_TRACE("column " + std::to_string(c));
    EXPECT_EQ(r, Rect(250 - 50 * c, 40, 300 - 50 * c, 60));
    EXPECT_TRUE(IsLine(rtl.Pixel(r.Left, 50)));
    EXPECT_EQ(rtl.Pixel(r.Right - 1, 50), clWhite);
  }
  // The bottom lines still run under the whole row.
  for (int x = 1; x < 300; ++x) ASSERT_TRUE(IsLine(rtl.Pixel(x, 59))) << "at " << x;
}

TEST(BaseGridRtlTest, ScrolledOutMergedRangeKeepsOffTheFixedCellsOnEitherCanvas) {
  TScopedMiddleEastLocale locale(true);
  GridForm f(8, 6, 1, 1, 200, 120);
  TBaseGrid* g = f.grid;
  g->MergeCells(1, 1, 3, 2);
  g->SetCellEx(1, 1, u"M");
  g->SetLeftCol(3);
  g->SetBiDiMode(bdRightToLeft);
  auto texts = [](const TRecordingCanvas& cv) {
    std::vector<std::string> out;
    for (const TRecordedCall& c : cv.Calls())
      if ((c.Name == "DrawText" && c.Text == u"M") || c.Name == "IntersectClipRect") out.push_back(c.ToString());
    return out;
  };

  // The grid's own paint: a mirrored canvas, layout coordinates as left to right.
  TRecordingCanvas own;
  g->PaintOn(&own);
  EXPECT_EQ(texts(own), (std::vector<std::string>{"IntersectClipRect(50,20,200,120)", "DrawText(-49,21,99,59,37,'M')"}));

  // Another canvas takes client coordinates: the range and the fixed column's edge mirrored.
  TRecordingCanvas other;
  g->PaintCell(&other, 1, 1, TRect{}, TGridDrawState{});
  EXPECT_EQ(texts(other), (std::vector<std::string>{"IntersectClipRect(0,20,150,120)", "DrawText(101,21,249,59,37,'M')"}));
}

TEST(BaseGridRtlTest, SelectingRepaintsTheWholeGridOnlyInRightToLeftMode) {
  struct Case {
    TBiDiMode mode;
    bool middleEast;
    bool whole;
  } cases[] = {
      {bdLeftToRight, true, false},
      {bdRightToLeft, false, true},
      {bdRightToLeft, true, true},
      {bdRightToLeftNoAlign, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ModeName(c.mode, c.middleEast));
    TScopedMiddleEastLocale locale(c.middleEast);
    GridForm f;
    TBaseGrid* g = f.grid;
    g->SetBiDiMode(c.mode);
    g->SetCol(1);
    g->SetRow(1);
    g->TakeInvalidatedRects();
    g->SetCol(3);
    std::vector<TRect> inv = g->TakeInvalidatedRects();
    auto has = [&](TRect r) { return std::find(inv.begin(), inv.end(), r) != inv.end(); };
    EXPECT_EQ(has(Rect(0, 0, 300, 120)), c.whole);
    if (!c.whole) {
      EXPECT_TRUE(has(g->CellRect(1, 1)));
      EXPECT_TRUE(has(g->CellRect(3, 1)));
    }
  }
}

}  // namespace
