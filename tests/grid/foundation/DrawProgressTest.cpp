// Progress bar, pie, balance bar and the styled progress bar.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "grid/foundation/ZazAdezDraw.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

constexpr TColor kFilled = RGB(0, 0, 200);
constexpr TColor kFilledText = RGB(255, 255, 0);
constexpr TColor kEmpty = RGB(220, 220, 220);
constexpr TColor kEmptyText = RGB(0, 0, 0);
constexpr TColor kBorder = RGB(0, 128, 0);

std::vector<TRecordedCall> ProgressCalls(double value, int minimum, int maximum, const String& fmt,
                                         bool inverted = false) {
  TRecordingCanvas rec;
  TFakeMetrics metrics;  // 7 pixels a character, line height 13
  rec.SetMetrics(&metrics);
  rec.Brush()->SetColor(clFuchsia);
  DrawProgressBar(&rec, Rect(0, 0, 104, 24), kFilled, kFilledText, kEmpty, kEmptyText, value, 2, 2, minimum, maximum,
                  fmt, kBorder, inverted);
  return rec.Calls();
}

}  // namespace

TEST(DrawProgress, EmptyFormatShowsRoundedValueAndFillsThatPercentage) {
  const auto calls = ProgressCalls(42.6, 0, 1000, u"");
  // Bar (2,2,102,22), 43 percent of 100 pixels; "43%" is 21 wide: x = 39 + 2, y = 3 + 2.
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].ToString(), "ExtTextOut(41,5,6,2,2,45,22,'43%')");
  EXPECT_EQ(calls[0].BrushColor, kFilled);
  EXPECT_EQ(calls[0].FontColor, kFilledText);
  EXPECT_EQ(calls[1].ToString(), "ExtTextOut(41,5,6,45,2,102,22,'43%')");
  EXPECT_EQ(calls[1].BrushColor, kEmpty);
  EXPECT_EQ(calls[1].FontColor, kEmptyText);
  EXPECT_EQ(calls[2].ToString(), "FrameRect(1,1,103,23)");
  EXPECT_EQ(calls[2].BrushColor, kBorder);
  // The outer frame takes the brush colour the canvas had before.
  EXPECT_EQ(calls[3].ToString(), "FrameRect(0,0,104,24)");
  EXPECT_EQ(calls[3].BrushColor, clFuchsia);
}

TEST(DrawProgress, TextAndFillPerFormat) {
  struct Case {
    const char* name;
    double value;
    int minimum, maximum;
    const char16_t* fmt;
    std::string text;
    int filledRight;
  };
  const std::vector<Case> cases = {
      {"integer format takes the rounded value", 42.6, 0, 200, u"%d%%", "43%", 2 + 21},
      {"float format takes the value", 42.6, 0, 200, u"%.1f", "42.6", 2 + 21},
      {"range start counts", 150, 100, 300, u"%d", "150", 2 + 25},
      {"percentage clamped above", 150, 0, 0 + 100, u"%d", "150", 102},
      {"percentage clamped below", -5, 0, 100, u"%d", "-5", 2},
      {"empty format clamps too", 180, 0, 100, u"", "180%", 102},
      {"empty range fills nothing", 5, 5, 5, u"%d", "5", 2},
  };
  for (const auto& c : cases) {
    const auto calls = ProgressCalls(c.value, c.minimum, c.maximum, c.fmt);
    ASSERT_GE(calls.size(), 2u) << c.name;
    EXPECT_EQ(StringToUtf8(calls[0].Text), c.text) << c.name;
    ASSERT_EQ(calls[0].Args.size(), 7u);
    EXPECT_EQ(calls[0].Args[5], c.filledRight) << c.name;  // right of the filled part
    EXPECT_EQ(calls[1].Args[3], c.filledRight) << c.name;  // left of the rest
  }
}

TEST(DrawProgress, InvertedTextUsesTheNegativeHeight) {
  const auto calls = ProgressCalls(50, 0, 100, u"");
  const auto inverted = ProgressCalls(50, 0, 100, u"", true);
  EXPECT_EQ(calls[0].Args[1], 5);
  EXPECT_EQ(inverted[0].Args[1], (20 + 13) / 2 + 2);
}

TEST(DrawProgress, UnusableInputsNeverRaise) {
  EXPECT_NO_THROW(ProgressCalls(std::numeric_limits<double>::quiet_NaN(), 0, 100, u""));
  EXPECT_NO_THROW(ProgressCalls(std::numeric_limits<double>::infinity(), 0, 100, u"%d"));
  const auto bad = ProgressCalls(10, 0, 100, u"%s %s %s");
  EXPECT_EQ(bad.size(), 4u);  // the bar is still drawn
}

TEST(DrawProgress, BarPixelsChangeWhereTheValueEnds) {
  TScopedFakeMetrics metrics;
  TImageCanvas img(104, 24, clWhite);
  DrawProgressBar(img.Canvas(), Rect(0, 0, 104, 24), kFilled, kFilledText, kEmpty, kEmptyText, 42.6, 2, 2, 0, 0, u"",
                  kBorder, false);
  // Row 3 lies above the text cell: 43 filled pixels, then the empty colour.
  for (int x = 2; x < 45; ++x) ASSERT_EQ(img.Pixel(x, 3), kFilled) << x;
  for (int x = 45; x < 102; ++x) ASSERT_EQ(img.Pixel(x, 3), kEmpty) << x;
  EXPECT_EQ(img.Pixel(1, 3), kBorder);
  EXPECT_EQ(img.Pixel(102, 3), kBorder);
  EXPECT_EQ(img.Pixel(0, 3), clWhite);  // the canvas's own brush was white
}

TEST(DrawProgress, PieDrawsCircleRadiiAndFillsTheSector) {
  struct Case {
    int percent;
    bool outside;
    std::string log;
  };
  const std::vector<Case> cases = {
      {25, false, "Ellipse(0,0,21,21)\nMoveTo(10,0)\nLineTo(10,10)\nLineTo(21,10)\nFloodFill(11,2,8421504,1)\n"},
      {50, true, "Ellipse(0,0,21,21)\nMoveTo(10,0)\nLineTo(10,10)\nLineTo(10,21)\nFloodFill(11,-2,8421504,1)\n"},
      {0, false, "Ellipse(0,0,21,21)\nMoveTo(10,0)\nLineTo(10,10)\nLineTo(10,-1)\n"},
  };
  for (const auto& c : cases) {
    TRecordingCanvas rec;
    DrawProgressPie(&rec, Rect(0, 0, 21, 21), clLime, c.percent, c.outside);
    EXPECT_EQ(rec.Log(), c.log) << c.percent;
    EXPECT_EQ(rec.Calls()[0].PenColor, clGray);
    if (c.percent) {
      EXPECT_EQ(rec.Calls().back().BrushColor, clLime);
    }
  }
}

TEST(DrawProgress, BalanceBarFromTheMiddle) {
  struct Case {
    const char* name;
    int value, maximum;
    std::string log;
    TColor color;
  };
  // Rectangle (0,0,44,10) shrinks to (2,2,42,8); half = 20.
  const std::vector<Case> cases = {
      {"positive", 5, 10, "Rectangle(22,2,32,8)\n", clGreen},
      {"negative, clamped to -maximum", -15, 10, "Rectangle(2,2,22,8)\n", clRed},
      {"ties to even", 1, 8, "Rectangle(22,2,24,8)\n", clGreen},
      {"zero maximum: zero length", 5, 0, "Rectangle(22,2,22,8)\n", clGreen},
      {"negative maximum: zero length", -5, -3, "Rectangle(22,2,22,8)\n", clRed},
      {"small negative value: zero length, negative colour", -1, 1000, "Rectangle(22,2,22,8)\n", clRed},
      {"zero: positive colour", 0, 10, "Rectangle(22,2,22,8)\n", clGreen},
  };
  for (const auto& c : cases) {
    TRecordingCanvas rec;
    DrawBalanceBar(&rec, Rect(0, 0, 44, 10), c.value, c.maximum, false, clRed, clGreen);
    EXPECT_EQ(rec.Log(), c.log) << c.name;
    EXPECT_EQ(rec.Calls()[0].BrushColor, c.color) << c.name;
    EXPECT_EQ(rec.Calls()[0].PenColor, c.color) << c.name;
  }
}

TEST(DrawProgress, BalanceBarShowsTheValueTransparently) {
  TRecordingCanvas rec;
  TFakeMetrics metrics;
  rec.SetMetrics(&metrics);
  DrawBalanceBar(&rec, Rect(0, 0, 44, 20), -7, 10, true, clRed, clGreen);
  EXPECT_EQ(rec.BkMode(), TRANSPARENT);
  const auto texts = rec.CallsNamed("TextOut");
  ASSERT_EQ(texts.size(), 1u);
  // "-7" is 14 wide, centred in (2,2,42,18).
  EXPECT_EQ(texts[0].ToString(), "TextOut(15,3,'-7')");
}

namespace {

constexpr TColor kL0 = RGB(10, 0, 0), kL0To = RGB(11, 0, 0);
constexpr TColor kL1 = RGB(20, 0, 0), kL1To = RGB(21, 0, 0);
constexpr TColor kL2 = RGB(30, 0, 0), kL2To = RGB(31, 0, 0);
constexpr TColor kL3 = RGB(40, 0, 0), kL3To = RGB(41, 0, 0);
constexpr TColor kUnComplete = RGB(200, 200, 200);
constexpr TColor kBarBorder = RGB(0, 0, 90);

TStyledProgressParams Params(bool stacked, bool smooth = true) {
  TStyledProgressParams p;
  p.Level0Color = kL0;
  p.Level0ColorTo = kL0To;
  p.Level1Color = kL1;
  p.Level1ColorTo = kL1To;
  p.Level2Color = kL2;
  p.Level2ColorTo = kL2To;
  p.Level3Color = kL3;
  p.Level3ColorTo = kL3To;
  p.Level1Perc = 70;
  p.Level2Perc = 90;
  p.BorderColor = kBarBorder;
  p.ShowBorder = true;
  p.Stacked = stacked;
  p.CompletionSmooth = smooth;
  p.Steps = 8;
  p.UnCompleteColor = kUnComplete;
  return p;
}

// The parts filled, "FillRect(...)" with their brush colours.
std::vector<std::pair<std::string, TColor>> Parts(TRect r, int percent, const TStyledProgressParams& p) {
  TRecordingCanvas rec;
  DrawStyledProgressBar(&rec, r, percent, p);
  std::vector<std::pair<std::string, TColor>> out;
  for (const auto& c : rec.CallsNamed("FillRect")) out.emplace_back(c.ToString(), c.BrushColor);
  return out;
}

using PartList = std::vector<std::pair<std::string, TColor>>;

}  // namespace

TEST(DrawProgress, StyledBarStackedAt95) {
  // Width 102, size 100: Level0 70, Level1 20, then the Level3 colour (not Level2) for 5.
  EXPECT_EQ(Parts(Rect(0, 0, 102, 12), 95, Params(true)),
            (PartList{{"FillRect(1,1,71,11)", kL0}, {"FillRect(71,1,91,11)", kL1}, {"FillRect(91,1,96,11)", kL3}}));
  // At 100 the last part takes what is left.
  EXPECT_EQ(Parts(Rect(0, 0, 102, 12), 100, Params(true)).back(),
            (std::pair<std::string, TColor>{"FillRect(91,1,101,11)", kL3}));
  // Vertical: upward from Bottom - 1.
  TStyledProgressParams v = Params(true);
  v.Vertical = true;
  EXPECT_EQ(Parts(Rect(0, 0, 12, 102), 95, v),
            (PartList{{"FillRect(1,31,11,101)", kL0}, {"FillRect(1,11,11,31)", kL1}, {"FillRect(1,6,11,11)", kL3}}));
  // Below the first level only Level0.
  EXPECT_EQ(Parts(Rect(0, 0, 102, 12), 40, Params(true)), (PartList{{"FillRect(1,1,41,11)", kL0}}));
}

TEST(DrawProgress, StyledBarStackedPixels) {
  TImageCanvas img(102, 12, clWhite);
  DrawStyledProgressBar(img.Canvas(), Rect(0, 0, 102, 12), 95, Params(true));
  const auto row = img.Art(Rect(0, 5, 102, 6),
                           {{kL0, '0'}, {kL1, '1'}, {kL3, '3'}, {kUnComplete, '.'}, {kBarBorder, '|'}})[0];
  EXPECT_EQ(row, "|" + std::string(70, '0') + std::string(20, '1') + std::string(5, '3') + std::string(5, '.') + "|");
  EXPECT_EQ(img.Pixel(50, 0), kBarBorder);
  EXPECT_EQ(img.Pixel(50, 11), kBarBorder);
}

TEST(DrawProgress, StyledBarNotStackedTakesTheLevelReached) {
  struct Case {
    int percent;
    TColor color;
  };
  for (const Case& c : std::vector<Case>{{50, kL0}, {70, kL1}, {89, kL1}, {90, kL2}, {95, kL2}, {100, kL3}}) {
    const auto parts = Parts(Rect(0, 0, 102, 12), c.percent, Params(false));
    ASSERT_EQ(parts.size(), 1u) << c.percent;
    EXPECT_EQ(parts[0].first, "FillRect(1,1," + std::to_string(1 + c.percent) + ",11)");
    EXPECT_EQ(parts[0].second, c.color) << c.percent;
  }
}

TEST(DrawProgress, StyledBarBlocks) {
  // 50 percent of 100: 5 blocks of 7 with 2-pixel gaps, then 50 mod 9 - 1 = 4 pixels.
  EXPECT_EQ(Parts(Rect(0, 0, 102, 12), 50, Params(false, false)),
            (PartList{{"FillRect(2,2,9,10)", kL0},
                      {"FillRect(11,2,18,10)", kL0},
                      {"FillRect(20,2,27,10)", kL0},
                      {"FillRect(29,2,36,10)", kL0},
                      {"FillRect(38,2,45,10)", kL0},
                      {"FillRect(47,2,51,10)", kL0}}));
  // 47 percent: 47 mod 9 = 2 leaves no last block.
  EXPECT_EQ(Parts(Rect(0, 0, 102, 12), 47, Params(false, false)).size(), 5u);
  // 5 percent: one block of 4; 1 percent: none.
  EXPECT_EQ(Parts(Rect(0, 0, 102, 12), 5, Params(false, false)), (PartList{{"FillRect(2,2,6,10)", kL0}}));
  EXPECT_TRUE(Parts(Rect(0, 0, 102, 12), 1, Params(false, false)).empty());
  EXPECT_TRUE(Parts(Rect(0, 0, 102, 12), 0, Params(true)).empty());
}

TEST(DrawProgress, StyledBarOutlineGradientAndPercentage) {
  TRecordingCanvas rec;
  TFakeMetrics metrics;
  rec.SetMetrics(&metrics);
  TFont font;
  font.SetName(u"Verdana");
  font.SetSize(9);
  font.SetStyle(fsBold);
  TStyledProgressParams p = Params(false);
  p.ShowGradient = true;
  p.ShowPercentage = true;
  p.ShowBorder = false;
  p.Font = &font;
  p.CompleteFontColor = clYellow;
  DrawStyledProgressBar(&rec, Rect(0, 0, 102, 12), 95, p);
  const auto& calls = rec.Calls();
  // Outline first, then the gradient halves across the bar, the text, the outline again.
  ASSERT_GE(calls.size(), 4u);
  EXPECT_EQ(calls.front().ToString(), "Rectangle(0,0,102,12)");
  EXPECT_EQ(calls.front().PenColor, kUnComplete);  // no border: the outline is in the bar colour
  EXPECT_EQ(calls.front().BrushColor, kUnComplete);
  EXPECT_EQ(calls[1].ToString(), "Rectangle(1,1,96,3)");  // top half (1..6): span 4, first band
  EXPECT_EQ(calls[1].BrushColor, kL2To);
  const auto texts = rec.CallsNamed("TextOut");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].ToString(), "TextOut(41,0,'95%')");
  EXPECT_EQ(texts[0].FontColor, clYellow);
  EXPECT_EQ(rec.Font()->Name(), u"Verdana");
  EXPECT_TRUE(rec.Font()->Style().Contains(fsBold));
  EXPECT_EQ(calls.back().ToString(), "Rectangle(0,0,102,12)");
  EXPECT_EQ(calls.back().BrushStyle, bsClear);
  // The bottom half runs the other way: from the colour to the colour to.
  std::vector<TRecordedCall> bands;
  for (const auto& c : calls)
    if (c.Name == "Rectangle" && c.BrushStyle != bsClear) bands.push_back(c);
  ASSERT_EQ(bands.size(), 1u + 5u + 5u);  // outline and two halves of span 4 (5 bands each)
  EXPECT_EQ(bands[5].BrushColor, kL2);
  EXPECT_EQ(bands[6].BrushColor, kL2);
  EXPECT_EQ(bands[6].ToString(), "Rectangle(1,6,96,8)");
  EXPECT_EQ(bands.back().BrushColor, kL2To);
}

TEST(DrawProgress, StyledBarVerticalPercentageIsTurned) {
  TRecordingCanvas rec;
  TFakeMetrics metrics;
  rec.SetMetrics(&metrics);
  TStyledProgressParams p = Params(true);
  p.Vertical = true;
  p.ShowPercentage = true;
  DrawStyledProgressBar(&rec, Rect(0, 0, 20, 102), 30, p);
  EXPECT_EQ(rec.Font()->Orientation(), 900);
  const auto texts = rec.CallsNamed("TextOut");
  ASSERT_EQ(texts.size(), 1u);
  // Centre (10, 51): x = 10 - 13 div 2, y = 51 + 21 div 2.
  EXPECT_EQ(texts[0].ToString(), "TextOut(4,61,'30%')");
}
