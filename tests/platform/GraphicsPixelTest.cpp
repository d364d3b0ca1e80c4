// Pixel rules of the canvas on an image.
#include <gtest/gtest.h>

#include <functional>

#include "platform/Graphics.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"

namespace {

using Art = std::vector<std::string>;
const std::map<TColor, char> kLegend{{clBlack, '#'}, {clWhite, '.'}, {clRed, 'r'}, {clYellow, 'y'}, {clBlue, 'b'}};

TEST(GraphicsPixels, RectangleOutlinesRightAndBottomExclusive) {
  TImageCanvas img(6, 5, clYellow);
  TCanvas* c = img.Canvas();
  c->Pen()->SetColor(clBlack);
  c->Brush()->SetColor(clWhite);
  c->Rectangle(0, 0, 4, 3);
  EXPECT_EQ(img.Art(Rect(0, 0, 6, 5), kLegend), (Art{"####yy", "#..#yy", "####yy", "yyyyyy", "yyyyyy"}));
}

TEST(GraphicsPixels, RectangleWithClearPenFillsOneLessEachWay) {
  TImageCanvas img(5, 4, clYellow);
  TCanvas* c = img.Canvas();
  c->Pen()->SetStyle(psClear);
  c->Brush()->SetColor(clRed);
  c->Rectangle(0, 0, 4, 3);
  EXPECT_EQ(img.Art(Rect(0, 0, 5, 4), kLegend), (Art{"rrryy", "rrryy", "yyyyy", "yyyyy"}));
}

TEST(GraphicsPixels, RectangleWithClearBrushDrawsOnlyTheOutline) {
  TImageCanvas img(5, 4, clYellow);
  TCanvas* c = img.Canvas();
  c->Pen()->SetColor(clBlue);
  c->Brush()->SetStyle(bsClear);
  c->Rectangle(0, 0, 5, 4);
  EXPECT_EQ(img.Art(Rect(0, 0, 5, 4), kLegend), (Art{"bbbbb", "byyyb", "byyyb", "bbbbb"}));
}

struct LineCase {
  TPoint From, To;
  Art Expected;
};

TEST(GraphicsPixels, LineToLeavesOutItsEndPixel) {
  const LineCase cases[] = {
      {{0, 1}, {4, 1}, {".....", "####.", ".....", "....."}},
      {{4, 1}, {0, 1}, {".....", ".####", ".....", "....."}},
      {{0, 0}, {3, 3}, {"#....", ".#...", "..#..", "....."}},
      {{2, 0}, {2, 3}, {"..#..", "..#..", "..#..", "....."}},
      {{1, 1}, {1, 1}, {".....", ".....", ".....", "....."}},
  };
  for (const LineCase& lc : cases) {
    TImageCanvas img(5, 4);
    TCanvas* c = img.Canvas();
    c->MoveTo(lc.From.X, lc.From.Y);
    c->LineTo(lc.To.X, lc.To.Y);
    EXPECT_EQ(img.Art(Rect(0, 0, 5, 4), kLegend), lc.Expected)
        << "from " << lc.From.X << "," << lc.From.Y << " to " << lc.To.X << "," << lc.To.Y;
    EXPECT_EQ(c->PenPos(), lc.To);
  }
}

TEST(GraphicsPixels, PolylineJoinsWithoutItsLastPoint) {
  TImageCanvas img(4, 4);
  TCanvas* c = img.Canvas();
  c->Polyline({{0, 0}, {3, 0}, {3, 3}});
  EXPECT_EQ(img.Art(Rect(0, 0, 4, 4), kLegend), (Art{"####", "...#", "...#", "...."}));
}

TEST(GraphicsPixels, ShapesFillTheirBoundsWithoutTheRightAndBottomEdge) {
  struct Case {
    const char* Name;
    std::function<void(TCanvas*)> Draw;
    TRect Inked;  // the bounding box of the pixels drawn
  };
  const Case cases[] = {
      {"ellipse", [](TCanvas* c) { c->Ellipse(2, 3, 12, 11); }, Rect(2, 3, 12, 11)},
      {"round rect", [](TCanvas* c) { c->RoundRect(1, 1, 13, 9, 6, 6); }, Rect(1, 1, 13, 9)},
      {"polygon", [](TCanvas* c) { c->Polygon({{1, 1}, {9, 1}, {5, 9}}); }, Rect(1, 1, 10, 10)},
  };
  for (const Case& k : cases) {
    TImageCanvas img(16, 14);
    TCanvas* c = img.Canvas();
    c->Brush()->SetColor(clRed);
    k.Draw(c);
    TRect box{100, 100, -1, -1};
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < 16; ++x)
        if (img.Pixel(x, y) != clWhite) {
          box.Left = std::min(box.Left, x);
          box.Top = std::min(box.Top, y);
          box.Right = std::max(box.Right, x + 1);
          box.Bottom = std::max(box.Bottom, y + 1);
        }
    EXPECT_EQ(box, k.Inked) << k.Name << ": " << box.Left << "," << box.Top << "," << box.Right << "," << box.Bottom;
    EXPECT_GT(img.CountColor(clRed), 0) << k.Name << " is filled";
  }
}

TEST(GraphicsPixels, FillRectAndFrameRectExcludeRightAndBottom) {
  TImageCanvas img(5, 5);
  TCanvas* c = img.Canvas();
  c->Brush()->SetColor(clRed);
  c->FillRect(Rect(1, 1, 3, 4));
  EXPECT_EQ(img.Art(Rect(0, 0, 5, 5), kLegend), (Art{".....", ".rr..", ".rr..", ".rr..", "....."}));

  TImageCanvas framed(5, 5);
  framed.Canvas()->Brush()->SetColor(clBlue);
  framed.Canvas()->FrameRect(Rect(0, 0, 4, 4));
  EXPECT_EQ(framed.Art(Rect(0, 0, 5, 5), kLegend), (Art{"bbbb.", "b..b.", "b..b.", "bbbb.", "....."}));
}

TEST(GraphicsPixels, FocusRectIsDottedXorAndTwiceRestores) {
  TImageCanvas img(8, 6, clWhite);
  TCanvas* c = img.Canvas();
  // A varied background so the XOR has something to restore.
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) c->SetPixels(x, y, RGB(x * 30, y * 40, (x + y) * 10));
  const auto before = img.Snapshot();
  c->DrawFocusRect(Rect(1, 1, 7, 5));
  const auto once = img.Snapshot();
  int changed = 0;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      size_t i = static_cast<size_t>(y) * 8 + x;
      bool onFrame = x >= 1 && x <= 6 && y >= 1 && y <= 4 && (x == 1 || x == 6 || y == 1 || y == 4);
      bool dot = onFrame && ((x + y) % 2 == 0);
      if (dot) {
        EXPECT_EQ(once[i], before[i] ^ 0xFFFFFF) << x << "," << y;
        ++changed;
      } else {
        EXPECT_EQ(once[i], before[i]) << x << "," << y;
      }
    }
  EXPECT_GT(changed, 0);
  c->DrawFocusRect(Rect(1, 1, 7, 5));
  EXPECT_EQ(img.Snapshot(), before);
}

TEST(GraphicsPixels, FocusRectTwiceRestoresOnEveryBitmapFormat) {
  for (TPixelFormat pf : {pfDevice, pf24bit, pf32bit}) {
    TBitmap bmp;
    bmp.SetPixelFormat(pf);
    bmp.SetSize(9, 7);
    TCanvas* c = bmp.Canvas();
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 9; ++x) c->SetPixels(x, y, RGB(x * 25, 255 - y * 30, 77));
    std::vector<TColor> before;
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 9; ++x) before.push_back(c->Pixels(x, y));
    c->DrawFocusRect(Rect(0, 0, 9, 7));
    EXPECT_EQ(c->Pixels(0, 0), before[0] ^ 0xFFFFFF) << pf;
    c->DrawFocusRect(Rect(0, 0, 9, 7));
    std::vector<TColor> after;
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 9; ++x) after.push_back(c->Pixels(x, y));
    EXPECT_EQ(after, before) << pf;
  }
}

TEST(GraphicsPixels, RotatedTextTurnsAboutItsStartPoint) {
  // Orientation 900: the text runs upwards from (10, 40), its top facing left.
  TImageCanvas img(60, 60);
  TCanvas* c = img.Canvas();
  c->Font()->SetHeight(-14);
  c->Font()->SetColor(clBlack);
  c->SetBkMode(TRANSPARENT);
  c->Font()->SetOrientation(900);
  const String text = u"HHHH";
  const int w = c->TextWidth(text), h = c->TextHeight(text);
  c->TextOut(10, 40, text);
  int inked = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x)
      if (img.Pixel(x, y) == clBlack) {
        ++inked;
        EXPECT_TRUE(x >= 10 && x < 10 + h + 1 && y > 40 - w - 1 && y <= 40) << x << "," << y;
      }
  EXPECT_GT(inked, 10);
}

TEST(GraphicsPixels, XorPenLineTwiceRestores) {
  TImageCanvas img(6, 3, clYellow);
  TCanvas* c = img.Canvas();
  c->Pen()->SetMode(pmXor);
  c->Pen()->SetColor(clWhite);
  c->MoveTo(0, 1);
  c->LineTo(6, 1);
  EXPECT_EQ(img.Pixel(2, 1), RGB(0, 0, 255));  // yellow XOR white
  c->MoveTo(0, 1);
  c->LineTo(6, 1);
  EXPECT_EQ(img.CountColor(clYellow), 18);
}

// Every line and shape call takes the pen mode and the clip: pmNop draws nothing, pmNot only
// inverts (yellow turns blue, no pen or brush colour shows), and nothing lands outside the clip.
TEST(GraphicsPixels, EveryShapeTakesThePenModeAndTheClip) {
  struct Case {
    const char* Name;
    std::function<void(TCanvas*)> Draw;
  } cases[] = {
      {"line", [](TCanvas* c) { c->MoveTo(0, 2); c->LineTo(8, 2); }},
      {"rectangle", [](TCanvas* c) { c->Rectangle(0, 0, 8, 6); }},
      {"round rectangle", [](TCanvas* c) { c->RoundRect(0, 0, 8, 6, 2, 2); }},
      {"ellipse", [](TCanvas* c) { c->Ellipse(0, 0, 8, 6); }},
      {"polygon", [](TCanvas* c) { c->Polygon({{0, 0}, {7, 0}, {7, 5}, {0, 5}}); }},
  };
  for (const auto& shape : cases) {
    SCOPED_TRACE(shape.Name);
    struct Mode {
      TPenMode PenMode;
      bool Clipped;
    };
    for (const Mode m : {Mode{pmNop, false}, Mode{pmNot, false}, Mode{pmCopy, true}}) {
      TImageCanvas img(8, 6, clYellow);
      TCanvas* c = img.Canvas();
      c->Pen()->SetColor(clBlack);
      c->Brush()->SetColor(clRed);
      c->Pen()->SetMode(m.PenMode);
      if (m.Clipped) c->SetClipRect(Rect(0, 0, 4, 6));
      shape.Draw(c);
      if (m.PenMode == pmNop) {
        EXPECT_EQ(img.CountColor(clYellow), 48);
      } else if (m.PenMode == pmNot) {
        EXPECT_GT(img.CountColor(clBlue), 0);
        EXPECT_EQ(img.CountColor(clBlue) + img.CountColor(clYellow), 48);
      } else {
        EXPECT_GT(img.CountColor(clBlack), 0);
        EXPECT_EQ(img.Art(Rect(4, 0, 8, 6), kLegend), (Art{"yyyy", "yyyy", "yyyy", "yyyy", "yyyy", "yyyy"}));
      }
    }
  }
}

// Under the right-to-left orientation a figure from l to r lands where one from W - r to W - l
// lands without it.
TEST(GraphicsPixels, MirroredFiguresTakeTheMirroredSpan) {
  struct Case {
    const char* Name;
    std::function<void(TCanvas*, int, int)> Draw;
  } cases[] = {
      {"rectangle", [](TCanvas* c, int l, int r) { c->Rectangle(l, 0, r, 4); }},
      {"round rectangle", [](TCanvas* c, int l, int r) { c->RoundRect(l, 0, r, 5, 2, 2); }},
      {"ellipse", [](TCanvas* c, int l, int r) { c->Ellipse(l, 1, r, 6); }},
  };
  for (const auto& shape : cases) {
    SCOPED_TRACE(shape.Name);
    TImageCanvas mirrored(9, 6, clYellow), plain(9, 6, clYellow);
    for (TImageCanvas* img : {&mirrored, &plain}) {
      img->Canvas()->Pen()->SetColor(clBlack);
      img->Canvas()->Brush()->SetColor(clRed);
    }
    mirrored.Canvas()->SetMirrored(9);
    shape.Draw(mirrored.Canvas(), 1, 6);
    shape.Draw(plain.Canvas(), 3, 8);
    EXPECT_GT(plain.CountColor(clBlack), 0);
    EXPECT_EQ(mirrored.Art(Rect(0, 0, 9, 6), kLegend), plain.Art(Rect(0, 0, 9, 6), kLegend));
  }
}

TEST(GraphicsPixels, PixelsResolveSystemColoursAndReadBack) {
  TImageCanvas img(3, 3);
  TCanvas* c = img.Canvas();
  c->SetPixels(1, 1, clBtnFace);
  EXPECT_EQ(c->Pixels(1, 1), ColorToRGB(clBtnFace));
  EXPECT_EQ(c->Pixels(0, 0), clWhite);
  EXPECT_EQ(c->Pixels(7, 7), clNone);
}

TEST(GraphicsPixels, ClipRectanglesLimitDrawing) {
  TImageCanvas img(6, 3);
  TCanvas* c = img.Canvas();
  c->Brush()->SetColor(clRed);
  c->SetClipRect(Rect(1, 0, 5, 3));
  c->ExcludeClipRect(Rect(2, 0, 3, 3));
  int saved = c->SaveDC();
  c->IntersectClipRect(Rect(0, 0, 6, 1));
  c->FillRect(Rect(0, 0, 6, 3));
  EXPECT_EQ(img.Art(Rect(0, 0, 6, 3), kLegend), (Art{".r.rr.", "......", "......"}));
  EXPECT_TRUE(c->RestoreDC(saved));
  c->FillRect(Rect(0, 1, 6, 2));
  EXPECT_EQ(img.Art(Rect(0, 0, 6, 3), kLegend), (Art{".r.rr.", ".r.rr.", "......"}));
  EXPECT_FALSE(c->RectVisible(Rect(2, 0, 3, 3)));
  c->SelectClipRgn(nullptr);
  c->FillRect(Rect(0, 2, 6, 3));
  EXPECT_EQ(img.Art(Rect(0, 2, 6, 3), kLegend), (Art{"rrrrrr"}));
}

TEST(GraphicsPixels, TextBackgroundFollowsBkModeOverTheMeasuredCell) {
  TScopedFakeMetrics fake(7, 10, 3);
  for (int mode : {OPAQUE, TRANSPARENT}) {
    TImageCanvas img(30, 20);
    TCanvas* c = img.Canvas();
    c->Brush()->SetColor(clYellow);
    c->Font()->SetColor(clBlack);
    c->SetBkMode(mode);
    c->TextOut(2, 3, u"ab");
    // The cell is 2 x 7 wide and 13 high; nothing outside it changes.
    int yellowInside = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 30; ++x) {
        bool inside = x >= 2 && x < 16 && y >= 3 && y < 16;
        TColor p = img.Pixel(x, y);
        if (!inside) {
          EXPECT_EQ(p, clWhite) << x << "," << y;
        }
        if (inside && p == clYellow) ++yellowInside;
      }
    if (mode == OPAQUE)
      EXPECT_GT(yellowInside, 100);
    else
      EXPECT_EQ(yellowInside, 0);
    EXPECT_GT(img.CountColor(clBlack), 0) << "glyphs drawn in the font colour";
  }
}

TEST(GraphicsPixels, TextRectFillsAndClipsToItsRectangle) {
  TScopedFakeMetrics fake(7, 10, 3);
  TImageCanvas img(20, 16);
  TCanvas* c = img.Canvas();
  c->Brush()->SetColor(clYellow);
  c->Font()->SetColor(clBlack);
  c->TextRect(Rect(2, 2, 10, 8), 0, 0, u"MMMM");
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 20; ++x) {
      bool inside = x >= 2 && x < 10 && y >= 2 && y < 8;
      TColor p = img.Pixel(x, y);
      if (inside) {
        EXPECT_TRUE(p == clYellow || p == clBlack) << x << "," << y;
      } else {
        EXPECT_EQ(p, clWhite) << x << "," << y;
      }
    }
}

TEST(GraphicsPixels, PrefixUnderlineSitsBelowTheBaselineInTheTextColour) {
  TScopedFakeMetrics fake(7, 10, 3);
  TImageCanvas img(40, 16);
  TCanvas* c = img.Canvas();
  c->SetBkMode(TRANSPARENT);
  c->Font()->SetColor(clRed);
  TRect r = Rect(0, 0, 40, 16);
  // Blanks around a narrow letter, so no glyph ink of the real font lands beside the underline.
  DrawText(c, u" &l ", r, DT_SINGLELINE);
  // Under the second character: x 7..13 on the row after the ascent.
  EXPECT_EQ(img.Art(Rect(0, 11, 21, 12), kLegend), (Art{".......rrrrrrr......."}));
  EXPECT_EQ(c->Brush()->Color(), clWhite) << "the brush is left as it was";
  EXPECT_EQ(c->BkMode(), TRANSPARENT);
}

TEST(GraphicsPixels, RealFontMetricsFollowTheFontHeight) {
  TImageCanvas img(4, 4);
  TCanvas* c = img.Canvas();
  c->Font()->SetName(u"Verdana");
  c->Font()->SetHeight(-11);
  const int small = c->TextHeight(u"gh");
  EXPECT_GT(small, 11);  // the em plus the room above and below it
  EXPECT_EQ(c->TextHeight(u""), small) << "one height for every text";
  c->Font()->SetHeight(-32);
  EXPECT_GT(c->TextHeight(u"gh"), 2 * small);
  c->Font()->SetHeight(20);  // positive: the cell height itself
  EXPECT_NEAR(c->TextHeight(u"gh"), 20, 1);
  EXPECT_GT(c->TextWidth(u"WWW"), c->TextWidth(u"W"));
}

TEST(GraphicsPixels, DrawEdgeRaisedAndSunkenUseTheClassicColours) {
  struct Case {
    unsigned Edge;
    TColor OuterTL, OuterBR, InnerTL, InnerBR;
  };
  const Case cases[] = {
      {EDGE_RAISED, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
      {EDGE_SUNKEN, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight},
  };
  for (const Case& k : cases) {
    TImageCanvas img(6, 6, clRed);
    TRect r = Rect(0, 0, 6, 6);
    EXPECT_TRUE(DrawEdge(img.Canvas(), r, k.Edge, BF_RECT | BF_ADJUST | BF_MIDDLE));
    EXPECT_EQ(img.Pixel(0, 2), ColorToRGB(k.OuterTL));
    EXPECT_EQ(img.Pixel(2, 0), ColorToRGB(k.OuterTL));
    EXPECT_EQ(img.Pixel(5, 2), ColorToRGB(k.OuterBR));
    EXPECT_EQ(img.Pixel(2, 5), ColorToRGB(k.OuterBR));
    EXPECT_EQ(img.Pixel(1, 2), ColorToRGB(k.InnerTL));
    EXPECT_EQ(img.Pixel(4, 2), ColorToRGB(k.InnerBR));
    EXPECT_EQ(img.Pixel(2, 2), ColorToRGB(clBtnFace));
    EXPECT_EQ(r, Rect(2, 2, 4, 4));
  }
}

TEST(GraphicsPixels, TransparentBitmapLeavesOutItsBottomLeftColour) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(3, 2);
  TCanvas* bc = bmp.Canvas();
  bc->Brush()->SetColor(clFuchsia);
  bc->FillRect(Rect(0, 0, 3, 2));
  bc->SetPixels(1, 0, clBlue);
  bmp.SetTransparent(true);
  EXPECT_EQ(bmp.TransparentColor(), clFuchsia);

  TImageCanvas img(5, 4, clYellow);
  img.Canvas()->Draw(1, 1, &bmp);
  EXPECT_EQ(img.Art(Rect(0, 0, 5, 4), kLegend), (Art{"yyyyy", "yybyy", "yyyyy", "yyyyy"}));
}

TEST(GraphicsPixels, StretchDrawScalesWithoutSmoothing) {
  TBitmap bmp;
  bmp.SetSize(2, 1);
  bmp.Canvas()->SetPixels(0, 0, clRed);
  bmp.Canvas()->SetPixels(1, 0, clBlue);
  TImageCanvas img(5, 3, clYellow);
  img.Canvas()->StretchDraw(Rect(0, 0, 4, 2), &bmp);
  EXPECT_EQ(img.Art(Rect(0, 0, 5, 3), kLegend), (Art{"rrbby", "rrbby", "yyyyy"}));
}

TEST(GraphicsPixels, ThirtyTwoBitAlphaCountsOnlyWhenDefined) {
  struct Case {
    TAlphaFormat Format;
    char Expected;
  };
  for (Case k : {Case{afIgnored, 'r'}, Case{afDefined, 'y'}}) {
    TBitmap bmp;
    bmp.SetPixelFormat(pf32bit);
    bmp.SetSize(1, 1);
    uint8_t* px = bmp.ScanLine(0);
    px[0] = 0;
    px[1] = 0;
    px[2] = 255;
    px[3] = 0;  // fully transparent red
    bmp.SetAlphaFormat(k.Format);
    TImageCanvas img(1, 1, clYellow);
    img.Canvas()->Draw(0, 0, &bmp);
    EXPECT_EQ(img.Art(Rect(0, 0, 1, 1), kLegend), (Art{std::string(1, k.Expected)})) << k.Format;
  }
}

TEST(GraphicsPixels, BrushCopyReplacesTheKeyColourWithTheBrush) {
  TBitmap bmp;
  bmp.SetSize(2, 1);
  bmp.Canvas()->SetPixels(0, 0, clWhite);
  bmp.Canvas()->SetPixels(1, 0, clBlack);
  TImageCanvas img(2, 1, clBlue);
  img.Canvas()->Brush()->SetColor(clRed);
  img.Canvas()->BrushCopy(Rect(0, 0, 2, 1), &bmp, Rect(0, 0, 2, 1), clWhite);
  EXPECT_EQ(img.Art(Rect(0, 0, 2, 1), kLegend), (Art{"r#"}));
}

TEST(GraphicsPixels, CopyRectCopiesBetweenCanvases) {
  TImageCanvas src(3, 3);
  src.Canvas()->SetPixels(1, 1, clRed);
  TImageCanvas dst(4, 4, clYellow);
  dst.Canvas()->CopyRect(Rect(2, 2, 4, 4), src.Canvas(), Rect(1, 1, 3, 3));
  EXPECT_EQ(dst.Art(Rect(0, 0, 4, 4), kLegend), (Art{"yyyy", "yyyy", "yyr.", "yy.."}));
}

TEST(GraphicsPixels, FloodFillStopsAtTheBorderColour) {
  TImageCanvas img(5, 3);
  TCanvas* c = img.Canvas();
  c->MoveTo(2, 0);
  c->LineTo(2, 3);
  c->Brush()->SetColor(clRed);
  c->FloodFill(0, 0, clBlack, fsBorder);
  EXPECT_EQ(img.Art(Rect(0, 0, 5, 3), kLegend), (Art{"rr#..", "rr#..", "rr#.."}));
}

TEST(GraphicsPixels, FrameControlsAndThemePartsStayInTheirRectangle) {
  struct Case {
    const char* Name;
    std::function<bool(TCanvas*, const TRect&)> Draw;
  };
  const Case cases[] = {
      {"push", [](TCanvas* c, const TRect& r) { return DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONPUSH); }},
      {"check", [](TCanvas* c, const TRect& r) {
         return DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
       }},
      {"combo", [](TCanvas* c, const TRect& r) { return DrawFrameControl(c, r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX); }},
      {"theme push", [](TCanvas* c, const TRect& r) {
         return ThemeDrawBackground(c, u"button", ThemeParts::BP_PUSHBUTTON, ThemeParts::PBS_NORMAL, r);
       }},
      {"theme spin", [](TCanvas* c, const TRect& r) {
         return ThemeDrawBackground(c, u"SPIN", ThemeParts::SPNP_UP, ThemeParts::UPS_NORMAL, r);
       }},
      {"theme header", [](TCanvas* c, const TRect& r) {
         return ThemeDrawBackground(c, u"header", ThemeParts::HP_HEADERITEM, ThemeParts::HIS_NORMAL, r);
       }},
      {"theme progress", [](TCanvas* c, const TRect& r) {
         return ThemeDrawBackground(c, u"progress", ThemeParts::PP_BAR, 1, r);
       }},
  };
  for (const Case& k : cases) {
    TImageCanvas img(40, 30, clRed);
    const TRect r = Rect(5, 5, 30, 22);
    EXPECT_TRUE(k.Draw(img.Canvas(), r)) << k.Name;
    int changedInside = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) {
        bool inside = PtInRect(r, Point(x, y));
        if (!inside) {
          EXPECT_EQ(img.Pixel(x, y), clRed) << k.Name << " at " << x << "," << y;
        }
        if (inside && img.Pixel(x, y) != clRed) ++changedInside;
      }
    EXPECT_GT(changedInside, 0) << k.Name;
  }
  TImageCanvas img(10, 10);
  EXPECT_FALSE(ThemeDrawBackground(img.Canvas(), u"nosuchclass", 1, 1, Rect(0, 0, 10, 10)));
}

}  // namespace
