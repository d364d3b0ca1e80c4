// Gradients, colour maths and the selection bar, checked pixel by pixel on an image canvas and
// call by call on a recording canvas.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "grid/foundation/ZazAdezDraw.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

std::vector<TColor> Column(TImageCanvas& img, int x, int top, int bottom) {
  std::vector<TColor> out;
  for (int y = top; y < bottom; ++y) out.push_back(img.Pixel(x, y));
  return out;
}

}  // namespace

TEST(DrawFill, VerticalGradientOfTenRowsHasTenBandsEndingInTheToColour) {
  TImageCanvas img(20, 14, clWhite);
  FillGradient(img.Canvas(), RGB(0, 0, 0), RGB(90, 180, 9), 128, Rect(2, 2, 12, 12), false);
  // span 9 limits the steps to 9: band k is from + k/9 of the way, one row each.
  const std::vector<TColor> col = Column(img, 5, 2, 12);
  ASSERT_EQ(col.size(), 10u);
  for (int k = 0; k < 10; ++k) EXPECT_EQ(col[k], RGB(10 * k, 20 * k, k)) << "row " << k;
  EXPECT_EQ(col.back(), RGB(90, 180, 9));
  // Nothing outside the rectangle.
  EXPECT_EQ(img.Pixel(5, 1), clWhite);
  EXPECT_EQ(img.Pixel(5, 12), clWhite);
  EXPECT_EQ(img.Pixel(12, 5), clWhite);
  // Every row is one colour.
  for (int y = 2; y < 12; ++y) EXPECT_EQ(img.Pixel(2, y), img.Pixel(11, y));
}

TEST(DrawFill, GradientBandsAreRectanglesClippedToTheEdge) {
  TRecordingCanvas rec;
  FillGradient(&rec, RGB(0, 0, 0), RGB(255, 0, 0), 3, Rect(0, 0, 10, 5), true);
  // span 9, 3 steps, band 3.0: four bands of length 4, the last cut at Right.
  EXPECT_EQ(rec.Log(),
            "Rectangle(0,0,4,5)\nRectangle(3,0,7,5)\nRectangle(6,0,10,5)\nRectangle(9,0,10,5)\n");
  const auto calls = rec.Calls();
  EXPECT_EQ(calls[0].BrushColor, RGB(0, 0, 0));
  EXPECT_EQ(calls[1].BrushColor, RGB(85, 0, 0));
  EXPECT_EQ(calls[2].BrushColor, RGB(170, 0, 0));
  EXPECT_EQ(calls[3].BrushColor, RGB(255, 0, 0));
  for (const auto& c : calls) EXPECT_EQ(c.PenColor, c.BrushColor);
}

TEST(DrawFill, GradientEdgeCases) {
  struct Case {
    const char* name;
    TColor from, to;
    TRect r;
    std::string log;
    TColor brush;
  };
  const std::vector<Case> cases = {
      {"from clNone fills in the to colour", clNone, clBlue, Rect(0, 0, 8, 8), "Rectangle(0,0,8,8)\n", clBlue},
      {"to clNone fills in the from colour", clRed, clNone, Rect(0, 0, 8, 8), "Rectangle(0,0,8,8)\n", clRed},
      {"system colours are resolved", clBtnFace, clNone, Rect(0, 0, 8, 8), "Rectangle(0,0,8,8)\n",
       ColorToRGB(clBtnFace)},
      {"both clNone draws nothing", clNone, clNone, Rect(0, 0, 8, 8), "", clNone},
      {"zero height draws nothing", clRed, clBlue, Rect(0, 4, 8, 4), "", clNone},
      {"upside-down rectangle is turned", clRed, clNone, Rect(0, 8, 8, 2), "Rectangle(0,2,8,8)\n", clRed},
      {"one pixel span gives one step", clBlack, clWhite, Rect(0, 0, 1, 3), "Rectangle(0,0,1,3)\nRectangle(0,0,1,3)\n",
       clBlack},
  };
  for (const auto& c : cases) {
    TRecordingCanvas rec;
    FillGradient(&rec, c.from, c.to, 64, c.r, true);
    EXPECT_EQ(rec.Log(), c.log) << c.name;
    if (!rec.Calls().empty()) {
      EXPECT_EQ(rec.Calls()[0].BrushColor, c.brush) << c.name;
    }
  }
}

TEST(DrawFill, ColourMaths) {
  // clNone as the to colour returns the from colour as given, system colour included.
  EXPECT_EQ(BlendColorAt(clBtnFace, clNone, 0, 10, 5), clBtnFace);
  EXPECT_EQ(BlendColorAt(RGB(0, 100, 200), RGB(100, 0, 200), 0, 10, 5), RGB(50, 50, 200));
  // The position is not reduced by the range start.
  EXPECT_EQ(BlendColorAt(RGB(0, 0, 0), RGB(100, 0, 0), 10, 20, 5), RGB(50, 0, 0));
  // Ties go to even: 5/10 x 5 = 2.5 -> 2; 1/2 = 0.5 -> 0 and 3/2 = 1.5 -> 2.
  EXPECT_EQ(BlendColorAt(RGB(0, 0, 0), RGB(5, 0, 0), 0, 10, 5), RGB(2, 0, 0));
  EXPECT_EQ(BlendColorAt(RGB(0, 0, 0), RGB(1, 3, 0), 0, 2, 1), RGB(0, 2, 0));
  // An empty range gives the from colour instead of dividing by zero.
  EXPECT_EQ(BlendColorAt(clBtnFace, clBlack, 4, 4, 9), ColorToRGB(clBtnFace));

  EXPECT_EQ(HalveColor(RGB(255, 101, 2)), RGB(127, 50, 1));
  EXPECT_EQ(HalveColor(clWhite), RGB(127, 127, 127));
  const TColor face = ColorToRGB(clBtnFace);
  EXPECT_EQ(HalveColor(clBtnFace), RGB(GetRValue(face) / 2, GetGValue(face) / 2, GetBValue(face) / 2));
}

TEST(DrawFill, FillRectColourFillsWithTheBrush) {
  TImageCanvas img(6, 6, clWhite);
  FillRectColor(img.Canvas(), Rect(1, 1, 4, 3), clRed);
  EXPECT_EQ(img.CountColor(clRed), 6);
  EXPECT_EQ(img.Canvas()->Brush()->Color(), clRed);
}

TEST(DrawFill, GradientBackgroundMirrorHalves) {
  // Direction 1: top and bottom halves, vertical gradients; direction 0: left and right.
  TImageCanvas img(10, 10, clWhite);
  DrawGradientBackground(img.Canvas(), Rect(0, 0, 10, 10), clRed, clRed, clBlue, clBlue, 1, clNone, false, true);
  const std::map<TColor, char> legend{{clRed, 'R'}, {clBlue, 'B'}, {clWhite, '.'}};
  auto art = img.Art(Rect(0, 0, 10, 10), legend);
  for (int y = 0; y < 10; ++y) EXPECT_EQ(art[y], std::string(10, y < 5 ? 'R' : 'B')) << y;

  TImageCanvas img2(10, 4, clWhite);
  DrawGradientBackground(img2.Canvas(), Rect(0, 0, 10, 4), clRed, clRed, clBlue, clBlue, 0, clNone, false, true);
  for (const auto& row : img2.Art(Rect(0, 0, 10, 4), legend)) EXPECT_EQ(row, "RRRRRBBBBB");
}

TEST(DrawFill, GradientBackgroundCalls) {
  struct Case {
    const char* name;
    TColor color, colorTo, mirror, border;
    bool sideLines, fill;
    std::string log;
  };
  const std::vector<Case> cases = {
      {"solid fill reaches one pixel lower", clRed, clNone, clNone, clNone, false, true, "Rectangle(0,0,10,7)\n"},
      {"no fill flag: border only", clRed, clNone, clNone, clBlue, false, false, "FrameRect(0,0,10,6)\n"},
      {"clNone colour: no fill", clNone, clBlue, clNone, clNone, false, true, ""},
      {"side lines", clNone, clNone, clNone, clBlue, true, true,
       "MoveTo(0,0)\nLineTo(0,6)\nMoveTo(9,0)\nLineTo(9,6)\n"},
  };
  for (const auto& c : cases) {
    TRecordingCanvas rec;
    DrawGradientBackground(&rec, Rect(0, 0, 10, 6), c.color, c.colorTo, c.mirror, clNone, 1, c.border, c.sideLines,
                           c.fill);
    EXPECT_EQ(rec.Log(), c.log) << c.name;
  }
  // One gradient, 128 steps limited to the span: 5 vertical steps, 6 bands.
  TRecordingCanvas rec;
  DrawGradientBackground(&rec, Rect(0, 0, 10, 6), clBlack, clWhite, clNone, clNone, 1, clNone, false, true);
  EXPECT_EQ(rec.CallsNamed("Rectangle").size(), 6u);
  EXPECT_EQ(rec.Calls().back().BrushColor, clWhite);
}

namespace {

// Pixel art of a selection bar segment: F fill, U upper line, W lower line, B border,
// I inner corner, O outer corner, '.' untouched.
std::vector<std::string> SelectionArt(int kind) {
  TImageCanvas img(12, 10, clWhite);
  DrawSelectionBar(img.Canvas(), RGB(200, 0, 0), clNone, clNone, clNone, RGB(0, 200, 0), RGB(0, 0, 200),
                   RGB(50, 50, 50), RGB(100, 100, 100), RGB(150, 150, 150), Rect(0, 0, 12, 10), kind);
  return img.Art(Rect(0, 0, 12, 10), {{RGB(200, 0, 0), 'F'},
                                      {RGB(0, 200, 0), 'U'},
                                      {RGB(0, 0, 200), 'W'},
                                      {RGB(50, 50, 50), 'B'},
                                      {RGB(100, 100, 100), 'I'},
                                      {RGB(150, 150, 150), 'O'},
                                      {clWhite, '.'}});
}

}  // namespace

TEST(DrawFill, SelectionBarSegments) {
  // R = (0, 0, 11, 8), mid 4. Rows 8 and 9 and column 11 stay untouched.
  const std::vector<std::string> whole = {
      "OIBBBBBBBIO.",  //
      "IIUUUUUUUII.",  //
      "BUFFFFFFFUB.",  //
      "BUFFFFFFFUB.",  //
      "BWFFFFFFFWB.",  //
      "BWFFFFFFFWB.",  //
      "BWFFFFFFFWB.",  //
      "IIWWWWWWWII.",  //
      "OIBBBBBBBIO.",  //
      "............",
  };
  EXPECT_EQ(SelectionArt(0), std::vector<std::string>(whole.begin(), whole.end()));
  const std::vector<std::string> left = {
      "OIBBBBBBBBB.",  //
      "IIUUUUUUUUU.",  //
      "BUFFFFFFFFF.",  //
      "BUFFFFFFFFF.",  //
      "BWFFFFFFFFF.",  //
      "BWFFFFFFFFF.",  //
      "BWFFFFFFFFF.",  //
      "IIWWWWWWWWW.",  //
      "OIBBBBBBBBB.",  //
      "............",
  };
  EXPECT_EQ(SelectionArt(1), left);
  // The right end mirrors the left end.
  std::vector<std::string> right = SelectionArt(2);
  for (size_t y = 0; y < right.size(); ++y) {
    std::string mirrored(left[y].rbegin() + 1, left[y].rend());
    EXPECT_EQ(right[y], mirrored + ".") << y;
  }
  const std::vector<std::string> middle = {
      "BBBBBBBBBBB.",  //
      "UUUUUUUUUUU.",  //
      "FFFFFFFFFFF.",  //
      "FFFFFFFFFFF.",  //
      "FFFFFFFFFFF.",  //
      "FFFFFFFFFFF.",  //
      "FFFFFFFFFFF.",  //
      "WWWWWWWWWWW.",  //
      "BBBBBBBBBBB.",  //
      "............",
  };
  EXPECT_EQ(SelectionArt(3), middle);
}

TEST(DrawFill, SelectionBarFillKinds) {
  // Solid, one gradient over the fill rectangle, or two halves with the mirror colours.
  auto fillCalls = [](TColor fillTo, TColor mirror) {
    TRecordingCanvas rec;
    DrawSelectionBar(&rec, clRed, fillTo, mirror, clAqua, clLime, clLime, clGray, clSilver, clBlack,
                     Rect(0, 0, 40, 20), 3);
    std::vector<TRecordedCall> out;
    for (const auto& c : rec.Calls())
      if (c.Name == "FillRect" || c.Name == "Rectangle") out.push_back(c);
    return out;
  };
  auto solid = fillCalls(clNone, clNone);
  ASSERT_EQ(solid.size(), 1u);
  EXPECT_EQ(solid[0].ToString(), "FillRect(0,2,39,17)");
  EXPECT_EQ(solid[0].BrushColor, clRed);

  auto grad = fillCalls(clBlue, clNone);
  ASSERT_EQ(grad.size(), 15u);  // span 14 -> 14 steps, 15 bands
  EXPECT_EQ(grad.front().ToString(), "Rectangle(0,2,39,4)");
  EXPECT_EQ(grad.front().BrushColor, clRed);
  EXPECT_EQ(grad.back().BrushColor, clBlue);

  auto mirror = fillCalls(clBlue, clYellow);
  // Upper half 2..9 (span 6, 7 bands), lower half 9..17 (span 7, 8 bands).
  ASSERT_EQ(mirror.size(), 15u);
  EXPECT_EQ(mirror[0].BrushColor, clRed);
  EXPECT_EQ(mirror[6].BrushColor, clBlue);
  EXPECT_EQ(mirror[7].BrushColor, clYellow);
  EXPECT_EQ(mirror[7].ToString(), "Rectangle(0,9,39,11)");
  EXPECT_EQ(mirror.back().BrushColor, clAqua);
}
