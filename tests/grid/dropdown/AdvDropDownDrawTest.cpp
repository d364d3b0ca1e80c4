// The drop-down drawing and text routines: band maths on a recording canvas, colour arithmetic,
// text classification and measuring with fixed metrics.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/dropdown/AdvDropDownDraw.h"
#include "platform/SysUtils.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

std::vector<std::vector<int>> Bands(const TRecordingCanvas& rec) {
  std::vector<std::vector<int>> out;
  for (const auto& c : rec.CallsNamed("Rectangle")) out.push_back(c.Args);
  return out;
}

}  // namespace

TEST(DropDownDraw, GradientBandsOfFourHorizontalSteps) {
  TRecordingCanvas rec;
  DrawGradient(&rec, RGB(0, 0, 0), RGB(200, 100, 40), 4, Rect(0, 0, 100, 20), true);
  // span 99, band 24.75: offsets round 0, 25, 50 (49.5 to even), 74; each band Round(d) + 1 wide.
  const std::vector<std::vector<int>> expected = {
      {0, 0, 26, 20}, {25, 0, 51, 20}, {50, 0, 76, 20}, {74, 0, 100, 20}};
  EXPECT_EQ(Bands(rec), expected);
  const auto calls = rec.CallsNamed("Rectangle");
  // Channel steps 50, 25, 10 per band: the last band stops one step short of the end colour.
  const TColor colours[] = {RGB(0, 0, 0), RGB(50, 25, 10), RGB(100, 50, 20), RGB(150, 75, 30)};
  for (size_t n = 0; n < calls.size(); ++n) {
    EXPECT_EQ(calls[n].PenColor, colours[n]) << n;
    EXPECT_EQ(calls[n].BrushColor, colours[n]) << n;
  }
  EXPECT_EQ(rec.Pen()->Color(), colours[3]);
  EXPECT_EQ(rec.Brush()->Color(), colours[3]);
}

TEST(DropDownDraw, GradientStepCases) {
  struct Case {
    const char* what;
    TColor from, to;
    uint16_t steps;
    TRect r;
    bool horizontal;
    std::vector<std::vector<int>> bands;
    std::vector<TColor> colours;
  };
  const Case cases[] = {
      {"steps 0 is one band", clRed, clBlue, 0, Rect(2, 3, 12, 9), false, {{2, 3, 12, 9}}, {clRed}},
      {"equal colours give equal bands", clTeal, clTeal, 3, Rect(0, 0, 10, 7), false,
       {{0, 0, 10, 3}, {0, 2, 10, 5}, {0, 4, 10, 7}}, {clTeal, clTeal, clTeal}},
      // Band size 0.5 rounds to 0 (one pixel wide), offsets n x 0.5 to even: 0, 0, 1, 2.
      {"half pixels round to even", RGB(0, 0, 0), RGB(8, 0, 0), 4, Rect(0, 0, 3, 5), true,
       {{0, 0, 1, 5}, {0, 0, 1, 5}, {1, 0, 2, 5}, {2, 0, 3, 5}},
       {RGB(0, 0, 0), RGB(2, 0, 0), RGB(4, 0, 0), RGB(6, 0, 0)}},
      // Channel step 2.5: 0, 2 (2.5 to even), 5, 8 (7.5 to even).
      {"channel halves round to even", RGB(0, 0, 0), RGB(10, 0, 0), 4, Rect(0, 0, 40, 5), false,
       {{0, 0, 40, 2}, {0, 1, 40, 3}, {0, 2, 40, 4}, {0, 3, 40, 5}},
       {RGB(0, 0, 0), RGB(2, 0, 0), RGB(5, 0, 0), RGB(8, 0, 0)}},
      {"system colours resolve", clBtnFace, clBtnFace, 1, Rect(0, 0, 4, 4), true, {{0, 0, 4, 4}},
       {ColorToRGB(clBtnFace)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TRecordingCanvas rec;
    DrawGradient(&rec, c.from, c.to, c.steps, c.r, c.horizontal);
    EXPECT_EQ(Bands(rec), c.bands);
    const auto calls = rec.CallsNamed("Rectangle");
    ASSERT_EQ(calls.size(), c.colours.size());
    for (size_t n = 0; n < calls.size(); ++n) EXPECT_EQ(calls[n].BrushColor, c.colours[n]) << n;
  }
}

TEST(DropDownDraw, GradientPixelsOnAnImage) {
  TImageCanvas img(12, 6, clWhite);
  DrawGradient(img.Canvas(), RGB(0, 0, 0), RGB(0, 0, 240), 2, Rect(1, 1, 11, 5), true);
  // Span 9 in two bands of 4.5 (4 to even, 5 wide): x 1..5, then from offset 4 (to even) x 5..9;
  // the shortened span leaves the rectangle's last column unpainted.
  EXPECT_EQ(img.Pixel(1, 1), RGB(0, 0, 0));
  EXPECT_EQ(img.Pixel(4, 4), RGB(0, 0, 0));
  EXPECT_EQ(img.Pixel(5, 2), RGB(0, 0, 120));
  EXPECT_EQ(img.Pixel(9, 4), RGB(0, 0, 120));
  EXPECT_EQ(img.Pixel(10, 2), clWhite);
  EXPECT_EQ(img.Pixel(3, 5), clWhite);
  EXPECT_EQ(img.Pixel(0, 2), clWhite);
}

TEST(DropDownDraw, BlendAndShadeColours) {
  EXPECT_EQ(BlendColor(clBtnFace, clBlack, 100), clBtnFace);
  EXPECT_EQ(BlendColor(clBtnFace, clBlack, 250), clBtnFace);
  EXPECT_EQ(BlendColor(clBlack, clWindow, 0), clWindow);
  EXPECT_EQ(BlendColor(clBlack, clWhite, 50), TColor(0x808080));
  EXPECT_EQ(BlendColor(RGB(100, 0, 0), RGB(0, 0, 200), 25), RGB(25, 0, 150));
  EXPECT_EQ(ShadeColor(RGB(224, 224, 224), -10, -10, 0), RGB(202, 202, 224));
  EXPECT_EQ(ShadeColor(RGB(0, 100, 0), 30, 50, -20), RGB(30, 100, 0));
  // The checked faces of the popup button start from these.
  EXPECT_EQ(ShadeColor(0xF5F0E1, -10, -10, 0), TColor(0xF5D8CA));
  EXPECT_EQ(ShadeColor(0xF9D2B2, -10, -10, 0), TColor(0xF9BDA0));
}

TEST(DropDownDraw, FilledRectGradientSolidAndBorder) {
  TRecordingCanvas rec;
  DrawFilledRect(&rec, Rect(0, 0, 90, 10), clRed, clBlue, clBlack, 2, gdHorizontal);
  const auto rects = rec.CallsNamed("Rectangle");
  ASSERT_EQ(rects.size(), 81u);  // 80 bands, then the outline
  EXPECT_EQ(rects.back().Args, (std::vector<int>{0, 0, 90, 10}));
  EXPECT_EQ(rects.back().BrushStyle, bsClear);
  EXPECT_EQ(rects.back().PenColor, clBlack);
  EXPECT_EQ(rec.Pen()->Width(), 2);
  EXPECT_EQ(rects[1].Args[1], 0);  // horizontal: the bands move along x
  EXPECT_GT(rects[1].Args[0], 0);

  rec.Clear();
  DrawFilledRect(&rec, Rect(1, 2, 5, 6), clLime, clNone, clNone, 1, gdVertical);
  ASSERT_EQ(rec.Calls().size(), 1u);
  EXPECT_EQ(rec.Calls()[0].Name, "FillRect");
  EXPECT_EQ(rec.Calls()[0].BrushColor, clLime);

  rec.Clear();
  DrawFilledRect(&rec, Rect(1, 2, 5, 6), clNone, clNone, clRed, 0, gdVertical);
  EXPECT_TRUE(rec.Calls().empty());
  DrawFilledRect(nullptr, Rect(1, 2, 5, 6), clRed, clNone, clRed, 1, gdVertical);
}

TEST(DropDownDraw, ClassifyEditText) {
  struct Case {
    const char16_t* text;
    int kind;
  };
  const Case cases[] = {{u"", 2},    {u"-12", 0},   {u"12.5", 1},  {u"1A", 5},   {u"1-2-3", 2},
                        {u"1.2.3", 2}, {u"1,234", 1}, {u",12", 2},   {u"1,2,3", 2}, {u"x", 2},
                        {u"ff", 5},  {u"12", 0}};
  for (const Case& c : cases) EXPECT_EQ(ClassifyEditText(c.text), c.kind) << StringToUtf8(c.text);
}

TEST(DropDownDraw, SeparatorsAreReadAtEveryCall) {
  struct Restore {
    TFormatSettings saved = FormatSettings();
    ~Restore() { FormatSettings() = saved; }
  } restore;
  FormatSettings().ThousandSeparator = u'.';
  FormatSettings().DecimalSeparator = u',';
  EXPECT_EQ(StripThousandSeparators(u"1.234.567"), u"1234567");
  EXPECT_EQ(ClassifyEditText(u"1,2,3"), 2);  // two decimal separators
  EXPECT_EQ(ClassifyEditText(u"1.2.3"), 2);  // thousand separators two apart
  FormatSettings().ThousandSeparator = u' ';
  EXPECT_EQ(StripThousandSeparators(u"1 234"), u"1234");
  EXPECT_TRUE(IsRangeSeparator(u',') && IsRangeSeparator(u'-') && IsRangeSeparator(u';'));
  EXPECT_FALSE(IsRangeSeparator(u'.'));
}

TEST(DropDownDraw, HexDigitsAndHexToInt) {
  struct Case {
    const char16_t* text;
    int32_t value;
  };
  const Case cases[] = {{u"ff", 255},         {u"FFFFFFFF", -1}, {u"1FFFFFFFF", -1}, {u"g", 0},
                        {u"80000000", INT32_MIN}, {u"7FFFFFFF", INT32_MAX}, {u"", 0}, {u"1g", 16}};
  for (const Case& c : cases) EXPECT_EQ(HexToInt(c.text), c.value) << StringToUtf8(c.text);
  EXPECT_EQ(HexDigitValue(u'a'), 10);
  EXPECT_EQ(HexDigitValue(u'F'), 15);
  EXPECT_EQ(HexDigitValue(u'9'), 9);
  EXPECT_EQ(HexDigitValue(u'z'), 0);
  EXPECT_EQ(CaseFoldText(u"aBc", true), u"aBc");
  EXPECT_EQ(CaseFoldText(u"aBc", false), u"ABC");
}

TEST(DropDownDraw, FitTextToWidthWithFakeMetrics) {
  TScopedFakeMetrics metrics(7);
  TRecordingCanvas rec;
  struct Case {
    const char16_t* text;
    int maxWidth;
    bool ellipsis;
    const char16_t* result;
  };
  const Case cases[] = {
      {u"abcdef", 42, true, u"abcdef"},     // 42 fits (not greater)
      {u"abcdef", 41, true, u"ab..."},      // 35 < 41
      {u"abcdef", 41, false, u"abcde"},     // 35 < 41
      {u"abcdef", 35, false, u"abcd"},      // strictly narrower
      {u"abcdef", 21, true, u"abcdef"},     // even "..." is 21: nothing fits, the whole text
      {u"abcdef", 22, true, u"..."},
  };
  for (const Case& c : cases) {
    String out;
    EXPECT_EQ(FitTextToWidth(&rec, c.text, c.maxWidth, out, c.ellipsis), c.result) << StringToUtf8(c.text) << c.maxWidth;
    EXPECT_EQ(out, c.result);
  }
  EXPECT_EQ(GetTextSize(&rec, u""), (TSize{0, 0}));
  EXPECT_EQ(GetTextSize(&rec, u"abc"), (TSize{21, 13}));
}

TEST(DropDownDraw, ImageAndTextPlacement) {
  TScopedFakeMetrics metrics(7);
  TRecordingCanvas rec;
  DrawImageAndText(&rec, Rect(0, 0, 60, 20), u"Go", nullptr, 0);
  auto texts = rec.CallsNamed("DrawText");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Args, (std::vector<int>{0, 0, 60, 20,
                                             static_cast<int>(DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_CENTER)}));

  TImageList images;
  images.SetWidth(10);
  images.SetHeight(8);
  auto bmp = PatternBitmap(10, 8, {clRed});
  images.Add(bmp.get(), nullptr);
  rec.Clear();
  DrawImageAndText(&rec, Rect(2, 0, 60, 21), u"Go", &images, 0);
  texts = rec.CallsNamed("DrawText");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Args, (std::vector<int>{20, 0, 60, 21,
                                             static_cast<int>(DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS)}));
  TImageCanvas img(40, 21);
  DrawImageAndText(img.Canvas(), Rect(2, 0, 40, 21), u"", &images, 0);
  EXPECT_EQ(img.Pixel(6, 6), clRed);  // x = 2 + 4, y = (21 - 8) div 2
  EXPECT_EQ(img.Pixel(6, 5), clWhite);
  EXPECT_EQ(img.Pixel(5, 6), clWhite);
  EXPECT_EQ(img.Pixel(15, 13), clRed);
}

TEST(DropDownDraw, TransparentGlyphTakesItsTopLeftColourAsKey) {
  auto glyph = PatternBitmap(3, 2, {clFuchsia, clBlack, clFuchsia, clFuchsia, clBlack, clBlack});
  TImageCanvas img(10, 10, clWhite);
  DrawTransparentGlyph(img.Canvas(), glyph.get(), clYellow, Rect(2, 2, 5, 4));
  EXPECT_EQ(img.Pixel(2, 2), clYellow);
  EXPECT_EQ(img.Pixel(3, 2), clBlack);
  EXPECT_EQ(img.Pixel(4, 2), clYellow);
  EXPECT_EQ(img.Pixel(4, 3), clBlack);
  EXPECT_EQ(img.Pixel(5, 2), clWhite);
}

TEST(DropDownDraw, HtmlTextMeasuresWithoutDrawing) {
  TScopedFakeMetrics metrics(7);
  TRecordingCanvas rec;
  TPoint size{5, 5};
  DrawHTMLText(&rec, u"", Rect(0, 0, 200, 40), size, nullptr, true, nullptr);
  EXPECT_EQ(size, (TPoint{0, 0}));
  DrawHTMLText(&rec, u"<b>ab</b>c", Rect(0, 0, 200, 40), size, nullptr, false, nullptr);
  EXPECT_GT(size.X, 0);
  EXPECT_GT(size.Y, 0);
  EXPECT_TRUE(rec.CallsNamed("TextOut").empty());
  EXPECT_TRUE(rec.CallsNamed("ExtTextOut").empty());
  TImageCanvas img(200, 40);
  TPoint drawn;
  DrawHTMLText(img.Canvas(), u"<b>ab</b>c", Rect(0, 0, 200, 40), drawn, nullptr, true, nullptr);
  EXPECT_EQ(drawn, size);
  EXPECT_LT(img.CountColor(clWhite), 200 * 40);
}
