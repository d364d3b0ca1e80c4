// The button painter: presets, blend, gradient, glyph cells, caption layout, frames.
#include <gtest/gtest.h>

#include <memory>

#include "button/LbButtons.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

// A fresh button's face at 100 x 23, its colour resolved.
TLbButtonFace FreshFace() {
  TLbButtonFace face;
  face.Width = 100;
  face.Height = 23;
  face.Color = 0xC0C0C0;
  return face;
}

// A strip of n square cells; cell i is filled with colours[i] except its bottom-left pixel,
// which is clOlive (the transparent colour of the cell).
std::unique_ptr<TBitmap> Strip(int n, int size, const std::vector<TColor>& colours) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(n * size, size);
  TCanvas* c = b->Canvas();
  for (int i = 0; i < n; ++i) {
    c->Brush()->SetColor(colours[static_cast<size_t>(i)]);
    c->FillRect(Rect(i * size, 0, (i + 1) * size, size));
    c->SetPixels(i * size, size - 1, clOlive);
  }
  return b;
}

const std::vector<TColor> kCellColours{clRed, clBlue, clLime, clYellow};

// The DrawText call that puts out the caption (the measuring one carries DT_CALCRECT).
TRecordedCall CaptionCall(const TRecordingCanvas& rc) {
  for (const auto& c : rc.CallsNamed("DrawText"))
    if (!(c.Args[4] & DT_CALCRECT)) return c;
  ADD_FAILURE() << "no caption drawn\n" << rc.Log();
  return {};
}

// ---- presets and blend ---------------------------------------------------------------------

struct PresetCase {
  TLbColorStyle Style;
  TColor Color, Light, Shadow, Down, Hot;
  bool Flat, Modern, Quicken;
  TColor Font;
};

TEST(LbButtonPresets, TableRows) {
  const PresetCase cases[] = {
      {lcsGold, 0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF, false, true, false, 0},
      {lcsChrome, 0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, false, true, false, 0},
      {lcsBlue, 0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, false, true, false, 0},
      {lcsRed, 0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, false, true, false, 0},
      {lcsUltraFlat1, clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, true, false, false, 0},
      {lcsUltraFlat2, clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, true, false, false, 0},
      {lcsUltraFlatXP, 0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, true, false, false, 0},
      {lcsAqua, 0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone, false, true, false, 0},
      {lcsDefault, clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, false, false, false, 0},
      {lcsQuicken, 0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, false, false, true, 0xFFFFFF},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Style));
    const TLbColorPreset p = GetColorStylePreset(c.Style);
    EXPECT_EQ(p.Color, c.Color);
    EXPECT_EQ(p.LightColor, c.Light);
    EXPECT_EQ(p.ShadowColor, c.Shadow);
    EXPECT_EQ(p.ColorWhenDown, c.Down);
    EXPECT_EQ(p.HotTrackColor, c.Hot);
    EXPECT_EQ(p.Flat, c.Flat);
    EXPECT_EQ(p.Modern, c.Modern);
    EXPECT_EQ(p.Quicken, c.Quicken);
    EXPECT_EQ(p.FontColor, c.Font);
  }
}

TEST(LbButtonPresets, BlendByEighths) {
  EXPECT_EQ(BlendHotTrackColor(0x000000, 0xFFFFFF, 4), 0x7F7F7F);
  EXPECT_EQ(BlendHotTrackColor(0x102030, 0xFFFFFF, 0), 0x102030);
  EXPECT_EQ(BlendHotTrackColor(0x102030, 0x00FFFF, 8), 0x00FFFF);
  // 1/8 of the way from 0x80 to 0x00 is 0x70; from 0 to 0xFF it is trunc(31.875) = 31.
  EXPECT_EQ(BlendHotTrackColor(0x000080, 0xFF0000, 1), RGB(0x70, 0, 31));
  // System colours resolve to RGB first.
  EXPECT_EQ(BlendHotTrackColor(clBtnFace, clBtnFace, 3), ColorToRGB(clBtnFace));
}

TEST(LbButtonPainter, HotTrackStepBlendsTheFace) {
  TRecordingCanvas rc;
  TLbButtonFace a = FreshFace();
  a.Color = 0x000000;
  a.HotTrackColor = 0xFFFFFF;
  a.HotTrackStep = 4;
  DrawLbButton(&rc, a);
  auto fills = rc.CallsNamed("FillRect");
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills[0].Args, (std::vector<int>{-1, -1, 101, 24}));
  EXPECT_EQ(fills[0].BrushColor, 0x7F7F7F);

  // A disabled button keeps its plain colour.
  rc.Clear();
  a.Enabled = false;
  DrawLbButton(&rc, a);
  EXPECT_EQ(rc.CallsNamed("FillRect")[0].BrushColor, 0x000000);
}

// ---- gradient ------------------------------------------------------------------------------

TEST(LbButtonPainter, GradientHas32BandsOfSolidColour) {
  TRecordingCanvas rc;
  rc.Pen()->SetStyle(psDot);
  // 62 pixels high: bands 3 high, starting every 2 pixels; 248 / 31 = 8 per band.
  DrawLbGradient(&rc, 0x000000, 0xF8F8F8, 2, 2, 98, 64);
  auto fills = rc.CallsNamed("FillRect");
  ASSERT_EQ(fills.size(), 32u);
  struct Band { int Index, Top, Bottom; TColor Colour; };
  const Band bands[] = {{0, 2, 5, 0x000000}, {1, 4, 7, 0x080808}, {15, 32, 35, 0x787878}, {31, 64, 64, 0xF8F8F8},
                        {30, 62, 64, 0xF0F0F0}};
  for (const auto& b : bands) {
    SCOPED_TRACE(b.Index);
    const auto& f = fills[static_cast<size_t>(b.Index)];
    EXPECT_EQ(f.Args, (std::vector<int>{2, b.Top, 98, b.Bottom}));
    EXPECT_EQ(f.BrushColor, b.Colour);
  }
  EXPECT_EQ(rc.Pen()->Style(), psDot);
}

TEST(LbButtonPainter, GradientFillsEveryRowOnce) {
  // A 23-pixel modern button: the lower gradient covers rows 5..21 with no gap.
  TImageCanvas img(20, 30, clFuchsia);
  DrawLbGradient(img.Canvas(), 0x000000, 0x0000F8, 0, 5, 20, 22);
  int previous = -1;
  for (int y = 5; y < 22; ++y) {
    const TColor c = img.Pixel(10, y);
    EXPECT_NE(c, clFuchsia) << y;
    EXPECT_GE(GetRValue(c), previous) << y;  // grows downward
    previous = GetRValue(c);
  }
  EXPECT_EQ(img.Pixel(10, 4), clFuchsia);
  EXPECT_EQ(img.Pixel(10, 22), clFuchsia);
}

TEST(LbButtonPainter, ModernFaceIsTwoGradientsAndARoundedFrame) {
  TRecordingCanvas rc;
  TLbButtonFace a = FreshFace();
  a.Style = bsModern;
  a.Color = 0x00C0C0;
  a.LightColor = 0x00FFFF;
  a.ShadowColor = 0x008080;
  DrawLbButton(&rc, a);
  auto fills = rc.CallsNamed("FillRect");
  ASSERT_EQ(fills.size(), 64u);
  // Upper half from light (top) to face over 2..5, lower half back to light over 5..22.
  EXPECT_EQ(fills[0].Args[1], 2);
  EXPECT_EQ(fills[0].BrushColor, 0x00FFFF);
  EXPECT_EQ(fills[31].BrushColor, 0x00C0C0);
  EXPECT_EQ(fills[32].Args[1], 5);
  EXPECT_EQ(fills[32].BrushColor, 0x00C0C0);
  EXPECT_EQ(fills[63].BrushColor, 0x00FFFF);
  EXPECT_EQ(fills[63].Args[3], 22);
  auto rects = rc.CallsNamed("Rectangle");
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].Args, (std::vector<int>{1, 1, 99, 22}));
  EXPECT_EQ(rects[0].PenColor, 0x00C0C0);
  auto rounds = rc.CallsNamed("RoundRect");
  ASSERT_EQ(rounds.size(), 1u);
  EXPECT_EQ(rounds[0].Args, (std::vector<int>{0, 0, 100, 23, 6, 6}));
  EXPECT_EQ(rounds[0].PenColor, 0x008080);
}

// ---- glyph cells ---------------------------------------------------------------------------

struct CellCase {
  int NumGlyphs;
  bool Enabled, Hot, Pressed;
  int Cell;  // cell whose colour shows
};

TEST(LbButtonPainter, GlyphCellChoice) {
  const CellCase cases[] = {
      {1, true, false, false, 0}, {1, true, true, true, 0},   {1, false, false, false, 0},
      {2, false, false, false, 1}, {2, true, true, true, 0},  {3, true, true, false, 0},
      {3, true, false, true, 2},  {3, false, true, true, 1},  {4, true, false, false, 0},
      {4, true, true, false, 3},  {4, true, true, true, 2},   {4, true, false, true, 2},
      {4, false, true, true, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "n=" << c.NumGlyphs << " enabled=" << c.Enabled << " hot=" << c.Hot
                                    << " pressed=" << c.Pressed);
    auto strip = Strip(c.NumGlyphs, 16, kCellColours);
    TImageCanvas img(100, 23);
    TLbButtonFace a = FreshFace();
    a.Glyph = strip.get();
    a.NumGlyphs = c.NumGlyphs;
    a.Enabled = c.Enabled;
    a.Hot = c.Hot;
    a.Pressed = c.Pressed;
    DrawLbButton(img.Canvas(), a);
    // No caption: the glyph is centred, (100 - 16) div 2 = 42, (23 - 16) div 2 = 3, plus the
    // pressed offset of an enabled pressed button.
    const int d = (c.Pressed && c.Enabled) ? 1 : 0;
    EXPECT_EQ(img.Pixel(42 + d + 8, 3 + d + 8), kCellColours[static_cast<size_t>(c.Cell)]);
  }
}

TEST(LbButtonPainter, GlyphCellLeavesItsBottomLeftColourOut) {
  auto strip = Strip(2, 16, kCellColours);
  TImageCanvas img(40, 20, clWhite);
  DrawGlyphCell(img.Canvas(), strip.get(), 2, 1, 16, 0, 16, 16);
  EXPECT_EQ(img.Pixel(2, 16), clWhite);   // the olive bottom-left pixel is transparent
  EXPECT_EQ(img.Pixel(3, 16), clBlue);    // cell 1
  EXPECT_EQ(img.Pixel(17, 1), clBlue);
  EXPECT_EQ(img.Pixel(18, 1), clWhite);   // one cell wide only
  EXPECT_EQ(img.Pixel(2, 0), clWhite);
}

// ---- caption layout ------------------------------------------------------------------------

TEST(LbButtonPainter, GlyphLeftOfCentredCaptionOn100x23) {
  TScopedFakeMetrics metrics(8, 10, 3);  // 5 characters = 40 pixels, lines 13 high
  auto strip = Strip(1, 16, kCellColours);
  TRecordingCanvas rc;
  TLbButtonFace a = FreshFace();
  a.Glyph = strip.get();
  a.NumGlyphs = 1;
  a.Caption = u"Apply";
  DrawLbButton(&rc, a);
  const TRecordedCall text = CaptionCall(rc);
  EXPECT_EQ(text.Args, (std::vector<int>{24, 5, 96, 18, static_cast<int>(DT_WORDBREAK | DT_CENTER)}));
  EXPECT_EQ(text.Text, u"Apply");
  auto draws = rc.CallsNamed("Draw");
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].Args, (std::vector<int>{20, 3, 16, 16}));
  // Measured in the width left beside the glyph: 100 - 8 - 20.
  auto calc = rc.CallsNamed("DrawText")[0];
  EXPECT_EQ(calc.Args, (std::vector<int>{0, 0, 72, 0, static_cast<int>(DT_CALCRECT | DT_WORDBREAK)}));
}

struct LayoutCase {
  const char* Name;
  TLbButtonLayout Layout;
  TAlignment Alignment;
  bool WordWrap;
  int H;
  TRect Text;   // caption rectangle
  int Flags;
  TPoint Glyph;
};

TEST(LbButtonPainter, GlyphAndCaptionPlaces) {
  TScopedFakeMetrics metrics(8, 10, 3);
  const int c = DT_WORDBREAK | DT_CENTER, l = DT_WORDBREAK, r = DT_WORDBREAK | DT_RIGHT;
  // 100 wide, 16-pixel glyph, caption 40 x 13: the block glyph + 4 + caption is 60 wide.
  const LayoutCase cases[] = {
      {"left/left", blGlyphLeft, taLeftJustify, false, 23, Rect(24, 5, 96, 18), l, {4, 3}},
      {"left/right", blGlyphLeft, taRightJustify, false, 23, Rect(24, 5, 96, 18), r, {36, 3}},
      {"left/centre wrap", blGlyphLeft, taCenter, true, 23, Rect(24, 5, 96, 18), c, {4, 3}},
      {"right/centre", blGlyphRight, taCenter, false, 23, Rect(4, 5, 76, 18), c, {64, 3}},
      {"right/left", blGlyphRight, taLeftJustify, false, 23, Rect(4, 5, 76, 18), l, {48, 3}},
      {"right/right", blGlyphRight, taRightJustify, false, 23, Rect(4, 5, 76, 18), r, {80, 3}},
      {"right/right wrap", blGlyphRight, taRightJustify, true, 23, Rect(4, 5, 76, 18), r, {48, 3}},
      // Top/bottom: 13 + 16 + 4 = 33 high in 41.
      {"top/centre", blGlyphTop, taCenter, false, 41, Rect(4, 20, 96, 33), c, {42, 4}},
      {"bottom/left", blGlyphBottom, taLeftJustify, false, 41, Rect(4, 4, 96, 17), l, {4, 17}},
      {"bottom/right", blGlyphBottom, taRightJustify, true, 41, Rect(4, 4, 96, 17), r, {80, 17}},
  };
  auto strip = Strip(1, 16, kCellColours);
  for (const auto& k : cases) {
    SCOPED_TRACE(k.Name);
    TRecordingCanvas rc;
    TLbButtonFace a = FreshFace();
    a.Glyph = strip.get();
    a.NumGlyphs = 1;
    a.Caption = u"Apply";
    a.Layout = k.Layout;
    a.Alignment = k.Alignment;
    a.WordWrap = k.WordWrap;
    a.Height = k.H;
    DrawLbButton(&rc, a);
    const TRecordedCall text = CaptionCall(rc);
    EXPECT_EQ(text.Args, (std::vector<int>{k.Text.Left, k.Text.Top, k.Text.Right, k.Text.Bottom, k.Flags}));
    auto draws = rc.CallsNamed("Draw");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].Args[0], k.Glyph.X);
    EXPECT_EQ(draws[0].Args[1], k.Glyph.Y);
  }
}

struct CutCase {
  const char16_t* Caption;
  int GlyphCells;  // 0: no glyph
  const char16_t* Shown;
};

TEST(LbButtonPainter, CaptionIsCutCharacterByCharacterWithoutWordWrap) {
  TScopedFakeMetrics metrics(8, 10, 3);
  const CutCase cases[] = {
      // 92 pixels without a glyph: 11 characters of 8.
      {u"ABCDEFGHIJKLMNOP", 0, u"ABCDEFGHIJK"},
      {u"ABCDEFGHIJK", 0, u"ABCDEFGHIJK"},
      // 72 pixels beside a 16-pixel glyph: 9 characters; blanks are cut like any character.
      {u"Save all the items", 1, u"Save all "},
      // The ampersand counts in the width although it is not shown.
      {u"&Save all items", 1, u"&Save all"},
  };
  auto strip = Strip(1, 16, kCellColours);
  for (const auto& k : cases) {
    SCOPED_TRACE(StringToUtf8(k.Caption));
    TRecordingCanvas rc;
    TLbButtonFace a = FreshFace();
    a.Caption = k.Caption;
    if (k.GlyphCells) {
      a.Glyph = strip.get();
      a.NumGlyphs = 1;
    }
    DrawLbButton(&rc, a);
    EXPECT_EQ(CaptionCall(rc).Text, k.Shown);
  }
}

TEST(LbButtonPainter, TinyButtonsAndEmptyGlyphs) {
  TScopedFakeMetrics metrics(8, 10, 3);
  TBitmap empty;  // a stored NumGlyphs with no picture: treated as no glyph
  auto strip = Strip(1, 16, kCellColours);
  struct Case { int W, H; TBitmap* Glyph; int NumGlyphs; int Draws; };
  const Case cases[] = {{8, 23, nullptr, 0, 0}, {0, 0, nullptr, 0, 0}, {20, 10, strip.get(), 1, 1},
                        {100, 23, &empty, 1, 0}, {100, 23, strip.get(), 0, 0}};
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << k.W << "x" << k.H << " cells " << k.NumGlyphs);
    TRecordingCanvas rc;
    TLbButtonFace a = FreshFace();
    a.Width = k.W;
    a.Height = k.H;
    a.Glyph = k.Glyph;
    a.NumGlyphs = k.NumGlyphs;
    a.Caption = u"Apply";
    DrawLbButton(&rc, a);
    // No room left: the whole caption is cut away.
    if (k.W <= 8 + (k.Draws ? 20 : 0)) {
      EXPECT_EQ(CaptionCall(rc).Text, u"");
    }
    EXPECT_EQ(rc.CallsNamed("Draw").size(), static_cast<size_t>(k.Draws));
  }
}

TEST(LbButtonPainter, WordWrapKeepsTheWholeCaptionOnSeveralLines) {
  TScopedFakeMetrics metrics(8, 10, 3);
  TRecordingCanvas rc;
  TLbButtonFace a = FreshFace();
  a.Caption = u"Alpha Beta Gamma Delta";  // 176 pixels in 92
  a.WordWrap = true;
  a.Height = 60;
  DrawLbButton(&rc, a);
  const TRecordedCall text = CaptionCall(rc);
  EXPECT_EQ(text.Text, u"Alpha Beta Gamma Delta");
  const int th = text.Args[3] - text.Args[1];
  EXPECT_GE(th, 26);           // at least two lines of 13
  EXPECT_EQ(text.Args[1], (60 - th) / 2);
}

// ---- pressed, flat, disabled ---------------------------------------------------------------

TEST(LbButtonPainter, EncartaPressedKeepsPlaceTurnsBoldAndInvertsTheBevel) {
  TScopedFakeMetrics metrics(8, 10, 3);
  TLbButtonFace a = FreshFace();
  a.Style = bsEncarta;
  a.Caption = u"Apply";
  a.Color = 0xEDF7F8;
  a.ColorWhenDown = 0x0080FF;
  a.LightColor = clWhite;
  a.ShadowColor = clGray;

  TRecordingCanvas up;
  DrawLbButton(&up, a);
  TRecordingCanvas down;
  a.Pressed = true;
  DrawLbButton(&down, a);
  EXPECT_EQ(CaptionCall(down).Args, CaptionCall(up).Args);  // no 1-pixel shift
  EXPECT_FALSE(up.Font()->Style().Contains(fsBold));
  EXPECT_TRUE(down.Font()->Style().Contains(fsBold));
  EXPECT_EQ(down.CallsNamed("FillRect")[0].BrushColor, 0x0080FF);

  // A normal button moves its caption one pixel right and down instead.
  TRecordingCanvas normal;
  a.Style = bsNormal;
  DrawLbButton(&normal, a);
  auto shifted = CaptionCall(normal).Args;
  auto base = CaptionCall(up).Args;
  EXPECT_EQ(shifted[0], base[0] + 1);
  EXPECT_EQ(shifted[1], base[1] + 1);
  EXPECT_FALSE(normal.Font()->Style().Contains(fsBold));

  // Pixels: shadow at the top and left, light at the bottom and right, face ColorWhenDown.
  TImageCanvas img(100, 23);
  a.Style = bsEncarta;
  DrawLbButton(img.Canvas(), a);
  EXPECT_EQ(img.Pixel(0, 10), clGray);
  EXPECT_EQ(img.Pixel(50, 0), clGray);
  EXPECT_EQ(img.Pixel(99, 10), clWhite);
  EXPECT_EQ(img.Pixel(50, 22), clWhite);
  EXPECT_EQ(img.Pixel(2, 2), 0x0080FF);

  TImageCanvas raised(100, 23);
  a.Pressed = false;
  DrawLbButton(raised.Canvas(), a);
  EXPECT_EQ(raised.Pixel(0, 10), clWhite);
  EXPECT_EQ(raised.Pixel(99, 10), clGray);
  EXPECT_EQ(raised.Pixel(2, 2), 0xEDF7F8);
}

struct FrameCase {
  bool Flat, Enabled, Hot, Pressed;
  bool Framed;
};

TEST(LbButtonPainter, FlatButtonShowsItsBevelOnlyWhenHotOrPressed) {
  const FrameCase cases[] = {
      {false, true, false, false, true}, {true, true, false, false, false}, {true, true, true, false, true},
      {true, true, false, true, true},   {false, false, false, false, true}, {true, false, true, true, false},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << "flat=" << k.Flat << " enabled=" << k.Enabled << " hot=" << k.Hot
                                    << " pressed=" << k.Pressed);
    TRecordingCanvas rc;
    TLbButtonFace a = FreshFace();
    a.Flat = k.Flat;
    a.Enabled = k.Enabled;
    a.Hot = k.Hot;
    a.Pressed = k.Pressed;
    DrawLbButton(&rc, a);
    EXPECT_EQ(rc.CallsNamed("LineTo").size(), k.Framed ? 4u : 0u);
  }
}

TEST(LbButtonPainter, DisabledCaptionIsGreyExceptForShapes) {
  TScopedFakeMetrics metrics(8, 10, 3);
  TFont font;
  font.SetColor(clNavy);
  TLbButtonFace a = FreshFace();
  a.Font = &font;
  a.Caption = u"Apply";
  a.Enabled = false;
  TRecordingCanvas rc;
  DrawLbButton(&rc, a);
  EXPECT_EQ(CaptionCall(rc).FontColor, clGray);

  TRecordingCanvas shape;
  a.Style = bsShape;
  DrawLbButton(&shape, a);
  const TRecordedCall text = CaptionCall(shape);
  EXPECT_EQ(text.FontColor, clNavy);
  // Centred whatever the alignment, over the whole width: (0, (23 - 13) div 2, 100, 23).
  EXPECT_EQ(text.Args, (std::vector<int>{0, 5, 100, 23, static_cast<int>(DT_WORDBREAK | DT_CENTER)}));
  EXPECT_TRUE(shape.CallsNamed("LineTo").empty());
  EXPECT_EQ(shape.CallsNamed("FillRect")[0].BrushColor, clFuchsia);
}

TEST(LbButtonPainter, QuickenFaceIsARoundedFillBetweenTwoLines) {
  TRecordingCanvas rc;
  TLbButtonFace a = FreshFace();
  a.Style = bsQuicken;
  a.Color = 0x603000;
  a.ShadowColor = 0xC0C0C0;
  DrawLbButton(&rc, a);
  auto rounds = rc.CallsNamed("RoundRect");
  ASSERT_EQ(rounds.size(), 1u);
  EXPECT_EQ(rounds[0].Args, (std::vector<int>{0, 1, 100, 23, 4, 4}));
  EXPECT_EQ(rounds[0].BrushColor, 0x603000);
  EXPECT_EQ(rounds[0].BrushStyle, bsSolid);
  auto lines = rc.CallsNamed("LineTo");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Args, (std::vector<int>{95, 0}));
  EXPECT_EQ(lines[1].Args, (std::vector<int>{95, 22}));
  EXPECT_EQ(lines[0].PenColor, 0xC0C0C0);
}

TEST(LbButtonPainter, OldStyleBevelPixels) {
  TLbButtonFace a = FreshFace();
  a.Style = bsOld;
  a.Width = 10;
  a.Height = 6;
  a.Color = clSilver;
  const std::map<TColor, char> legend{{clSilver, '.'}, {clWhite, 'w'}, {clGray, 'g'},
                                      {ColorToRGB(cl3DDkShadow), 'k'}};
  TImageCanvas img(10, 6);
  DrawLbButton(img.Canvas(), a);
  EXPECT_EQ(img.Art(Rect(0, 0, 10, 6), legend),
            (std::vector<std::string>{"wwwwwwwwwk", "w.......gk", "w.......gk", "w.......gk", "wggggggggk",
                                      "kkkkkkkkkk"}));
  TImageCanvas down(10, 6);
  a.Pressed = true;
  DrawLbButton(down.Canvas(), a);
  EXPECT_EQ(down.Art(Rect(0, 0, 10, 6), legend),
            (std::vector<std::string>{"kkkkkkkkkw", "kggggggg.w", "kg.......w", "kg.......w", "k........w",
                                      "wwwwwwwwww"}));
}

// ---- the parameter-list form -----------------------------------------------------------------

// Each part of the face reaches the painter in its place: faces that differ from a fresh one in
// every part, drawn both ways, give the same calls.
TEST(LbButtonPainter, ParameterListFormDrawsAsTheFace) {
  TScopedFakeMetrics metrics;
  auto glyph = Strip(4, 8, kCellColours);
  TFont font;
  font.SetColor(clNavy);
  TLbButtonFace lit = FreshFace();
  lit.Width = 90;
  lit.Height = 31;
  lit.HotTrackStep = 3;
  lit.NumGlyphs = 4;
  lit.Glyph = glyph.get();
  lit.Hot = true;
  lit.Flat = true;
  lit.WordWrap = true;
  lit.PopupAttached = true;
  lit.Style = bsEncarta;
  lit.Color = clTeal;
  lit.HotTrackColor = clYellow;
  lit.LightColor = clAqua;
  lit.ShadowColor = clPurple;
  lit.Font = &font;
  lit.Layout = blGlyphRight;
  lit.Caption = u"Send it";
  lit.Alignment = taRightJustify;
  TLbButtonFace down = lit;
  down.Pressed = true;
  down.ColorWhenDown = clMaroon;
  down.Style = bsOld;
  down.Layout = blGlyphBottom;
  down.Alignment = taLeftJustify;
  TLbButtonFace off = down;
  off.Enabled = false;
  off.WordWrap = false;
  off.Style = bsModern;
  std::vector<std::vector<TColor>> drawn;
  for (const TLbButtonFace* f : {&lit, &down, &off}) {
    TImageCanvas byFace(f->Width, f->Height), byList(f->Width, f->Height);
    DrawLbButton(byFace.Canvas(), *f);
    DrawLbButton(byList.Canvas(), f->Width, f->Height, f->HotTrackStep, f->NumGlyphs, f->Glyph, f->Pressed, f->Hot,
                 f->Enabled, f->Flat, f->WordWrap, f->PopupAttached, f->Style, f->Color, f->ColorWhenDown,
                 f->HotTrackColor, f->LightColor, f->ShadowColor, f->Font, f->Layout, f->Caption, f->Alignment);
    drawn.push_back(byFace.Snapshot());
    EXPECT_EQ(byList.Snapshot(), drawn.back());
  }
  // The faces are told apart by their pixels.
  EXPECT_NE(drawn[0], drawn[1]);
  EXPECT_NE(drawn[1], drawn[2]);
}

// ---- drop-down arrow and stock glyphs ------------------------------------------------------

TEST(LbButtonPainter, DropDownArrowWithPopupMenu) {
  TLbButtonFace a = FreshFace();
  a.Color = clSilver;
  a.PopupAttached = true;
  TImageCanvas img(100, 23);
  DrawLbButton(img.Canvas(), a);
  const std::map<TColor, char> legend{{clSilver, '.'}, {clBlack, '#'}};
  // At (100 - 11, 23 div 2 - 1); the white around the triangle is left out.
  EXPECT_EQ(img.Art(Rect(88, 10, 95, 13), legend), (std::vector<std::string>{".#####.", "..###..", "...#..."}));

  TRecordingCanvas none;
  a.PopupAttached = false;
  DrawLbButton(&none, a);
  EXPECT_TRUE(none.CallsNamed("Draw").empty());
}

TEST(LbButtonStockGlyphs, TwoCellsOnATransparentOliveBackground) {
  for (int k = bkOK; k <= bkAll; ++k) {
    SCOPED_TRACE(k);
    auto g = CreateStockGlyph(static_cast<TLbButtonKind>(k));
    EXPECT_EQ(g->Width(), 36);
    EXPECT_EQ(g->Height(), k == bkAll ? 19 : 18);
    TCanvas* c = g->Canvas();
    EXPECT_EQ(c->Pixels(0, g->Height() - 1), clOlive);
    int normal = 0, disabled = 0, colouredDisabled = 0;
    for (int y = 0; y < g->Height(); ++y)
      for (int x = 0; x < 36; ++x) {
        const TColor p = c->Pixels(x, y);
        if (p == clOlive) continue;
        if (x < 18) ++normal;
        else {
          ++disabled;
          if (p != clGray && p != clWhite) ++colouredDisabled;
        }
      }
    EXPECT_GT(normal, 10);
    EXPECT_GE(disabled, normal);      // grey shape plus its white relief
    EXPECT_EQ(colouredDisabled, 0);
  }
  EXPECT_TRUE(CreateStockGlyph(bkCustom)->Empty());
}


TEST(LbButtonStockGlyphs, BothCellsAreDrawnWithoutTheirBackground) {
  // The painter copies one cell and leaves out that cell's bottom-left colour, so the disabled
  // cell needs the olive background in its own bottom-left corner too.
  for (int k = bkOK; k <= bkAll; ++k) {
    auto g = CreateStockGlyph(static_cast<TLbButtonKind>(k));
    for (int cell = 0; cell < 2; ++cell) {
      SCOPED_TRACE(testing::Message() << "kind " << k << " cell " << cell);
      TImageCanvas img(18, g->Height(), clWhite);
      DrawGlyphCell(img.Canvas(), g.get(), 0, 0, cell * 18, 0, 18, g->Height());
      EXPECT_EQ(img.CountColor(clOlive), 0);
      EXPECT_GT(img.CountColor(clWhite), 0);
      EXPECT_LT(img.CountColor(clWhite), 18 * g->Height());
    }
  }
}

}  // namespace
