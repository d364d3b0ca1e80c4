// Cell shapes, the error underline, transparent bitmaps and the layered-window calls.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "grid/foundation/ZazAdezDraw.h"
#include "platform/ExtCtrls.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

std::string Shape(TCellShape s, int x, int y, int w, int h) {
  TRecordingCanvas rec;
  DrawCellShape(&rec, x, y, w, h, s, clYellow, clNavy);
  for (const auto& c : rec.Calls()) {
    EXPECT_EQ(c.BrushColor, clYellow);
    EXPECT_EQ(c.PenColor, clNavy);
  }
  return rec.Log();
}

}  // namespace

TEST(DrawShapes, EveryShapeInItsRectangle) {
  struct Case {
    TCellShape shape;
    int w, h;
    std::string log;
  };
  // At (10, 20).
  const std::vector<Case> cases = {
      {csRectangle, 20, 10, "Rectangle(11,21,29,29)\n"},
      {csCircle, 20, 10, "Ellipse(10,20,20,30)\n"},  // 20 by 10 draws a 10 by 10 circle
      {csEllips, 20, 10, "Ellipse(10,20,30,30)\n"},
      {csTriangleLeft, 20, 10, "Polygon(30,20,30,30,10,25)\n"},
      {csTriangleRight, 20, 10, "Polygon(10,20,10,30,30,25)\n"},
      {csTriangleUp, 20, 10, "Polygon(10,30,30,30,20,20)\n"},
      {csTriangleDown, 20, 10, "Polygon(10,20,30,20,20,30)\n"},
      {csDiamond, 21, 11, "Polygon(10,25,20,20,30,25,20,30)\n"},
      {csLineVert, 20, 10, "Rectangle(20,20,21,30)\n"},
      {csLineHorz, 20, 10, "Rectangle(10,25,30,26)\n"},
      {csRoundRect, 20, 10, "RoundRect(10,20,30,30,10,10)\n"},
      {csSquare, 20, 10, "Rectangle(11,21,19,29)\n"},
      {csRoundSquare, 10, 16, "RoundRect(10,20,20,30,10,10)\n"},
      {csArrowUp, 20, 10, "Polygon(10,25,20,20,30,25,25,25,25,30,15,30,15,25)\n"},
      {csArrowUp, 11, 10, "Polygon(10,25,15,20,20,25,16,25,16,30,12,30,12,25)\n"},  // width 11 drawn as 10
      {csArrowDown, 20, 10, "Polygon(10,25,20,30,30,25,25,25,25,20,15,20,15,25)\n"},
      {csArrowLeft, 20, 11, "Polygon(20,20,10,25,20,30,20,26,30,26,30,22,20,22)\n"},  // height 11 drawn as 10
      {csArrowRight, 20, 10, "Polygon(20,20,30,25,20,30,20,26,10,26,10,22,20,22)\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Shape(c.shape, 10, 20, c.w, c.h), c.log) << int(c.shape) << " " << c.w;
}

TEST(DrawShapes, StarsAndUnknownShapes) {
  // Ten points clockwise from twelve o'clock, inner points at a third of the radius.
  EXPECT_EQ(Shape(csStar, 0, 0, 20, 20), "Polygon(10,0,12,7,20,7,13,11,16,18,10,13,4,18,7,11,0,7,8,7)\n");
  // The left half: points 0, 5, 6, 7, 8, 9.
  EXPECT_EQ(Shape(csHalfStar, 0, 0, 20, 20), "Polygon(10,0,10,13,4,18,7,11,0,7,8,7)\n");
  EXPECT_EQ(Shape(static_cast<TCellShape>(csHalfStar + 1), 0, 0, 20, 20), "");
}

TEST(DrawShapes, CirclePixelsStayInTheSquare) {
  TImageCanvas img(24, 12, clWhite);
  DrawCellShape(img.Canvas(), 0, 0, 20, 10, csCircle, clRed, clRed);
  EXPECT_GT(img.CountColor(clRed), 50);
  for (int y = 0; y < 12; ++y)
    for (int x = 10; x < 24; ++x) ASSERT_EQ(img.Pixel(x, y), clWhite) << x << "," << y;
}

TEST(DrawShapes, ErrorUnderlineZigZagsUnderTheCharacters) {
  struct Case {
    const char* name;
    int start, length;
    std::string log;
  };
  // Text "abcdef" at (100, 50), 7 pixels a character, offset 10.
  const std::vector<Case> cases = {
      {"inside the text", 1, 2, "MoveTo(107,63)\nLineTo(110,60)\nLineTo(113,63)\nLineTo(116,60)\nLineTo(119,63)\n"},
      {"reaching the end", 4, 2,
       "MoveTo(128,63)\nLineTo(131,60)\nLineTo(134,63)\nLineTo(137,60)\nLineTo(140,63)\nLineTo(143,60)\n"},
      {"starting past the end", 6, 2, "MoveTo(146,63)\nLineTo(149,60)\n"},
  };
  for (const auto& c : cases) {
    TRecordingCanvas rec;
    TFakeMetrics metrics;
    rec.SetMetrics(&metrics);
    DrawErrorUnderline(nullptr, &rec, u"abcdef", Rect(100, 50, 200, 70), 10, c.start, c.length);
    EXPECT_EQ(rec.Log(), c.log) << c.name;
    EXPECT_EQ(rec.Pen()->Color(), clRed);
    EXPECT_EQ(rec.Pen()->Width(), 2);
  }
}

TEST(DrawShapes, ErrorUnderlineMeasuresInTheParentsFont) {
  // Character positions come from the parent control's font, as a hidden edit on it would.
  struct WideFontMetrics : TFakeMetrics {
    int TextWidth(const TFont& f, std::u16string_view t) override {
      return static_cast<int>(t.size()) * (f.Height() == -20 ? 10 : 7);
    }
  } metrics;
  TPanel parent(nullptr);
  parent.Font()->SetHeight(-20);
  TRecordingCanvas rec;
  rec.SetMetrics(&metrics);
  DrawErrorUnderline(&parent, &rec, u"abcdef", Rect(0, 0, 100, 20), 0, 2, 1);
  // Start at 2 x 10; a one-character range ends where it starts.
  EXPECT_EQ(rec.Calls().front().ToString(), "MoveTo(20,3)");
}

TEST(DrawShapes, TransparentBitmapReplacesTheTopLeftColour) {
  TBitmap bmp;
  bmp.SetSize(4, 3);
  bmp.Canvas()->Brush()->SetColor(clRed);
  bmp.Canvas()->FillRect(Rect(0, 0, 4, 3));
  bmp.Canvas()->SetPixels(1, 1, clGreen);
  bmp.Canvas()->SetPixels(3, 2, clGreen);

  TImageCanvas img(8, 6, clWhite);
  DrawTransparentBitmap(img.Canvas(), &bmp, clBlue, Rect(2, 2, 30, 30));
  const auto art = img.Art(Rect(0, 0, 8, 6), {{clWhite, '.'}, {clBlue, 'b'}, {clGreen, 'g'}});
  EXPECT_EQ(art, (std::vector<std::string>{"........", "........", "..bbbb..", "..bgbb..", "..bbbg..", "........"}));

  TRecordingCanvas rec;
  DrawTransparentBitmap(&rec, &bmp, clBlue, Rect(2, 2, 30, 30));
  EXPECT_EQ(rec.Log(), "CopyRect(2,2,6,5,0,0,4,3)\n");
  DrawTransparentBitmap(&rec, nullptr, clBlue, Rect(2, 2, 30, 30));
  TBitmap empty;
  DrawTransparentBitmap(&rec, &empty, clBlue, Rect(2, 2, 30, 30));
  EXPECT_EQ(rec.Calls().size(), 1u);
}

TEST(DrawShapes, ResourceBitmapDrawsRegisteredPicturesAndSkipsUnknownOnes) {
  RegisterBitmapResource(u"GRIDDRAWTESTDOT", [](TBitmap* b) {
    b->SetSize(3, 2);
    b->Canvas()->Brush()->SetColor(clWhite);
    b->Canvas()->FillRect(Rect(0, 0, 3, 2));
    b->Canvas()->SetPixels(2, 1, clBlack);
  });
  TImageCanvas img(5, 4, clLime);
  DrawResourceBitmap(img.Canvas(), clYellow, Rect(1, 1, 5, 4), u"GRIDDRAWTESTDOT");
  const auto art = img.Art(Rect(0, 0, 5, 4), {{clLime, '.'}, {clYellow, 'y'}, {clBlack, 'k'}});
  EXPECT_EQ(art, (std::vector<std::string>{".....", ".yyy.", ".yyk.", "....."}));

  TRecordingCanvas rec;
  EXPECT_NO_THROW(DrawResourceBitmap(&rec, clYellow, Rect(0, 0, 5, 5), u"NO SUCH PICTURE"));
  EXPECT_TRUE(rec.Calls().empty());
}

TEST(DrawShapes, LayeredWindowCallsReportSuccessWithoutDrawing) {
  TRecordingCanvas dst, src;
  const TPoint p{1, 2};
  const TSize s{3, 4};
  const TBlendFunction blend;
  EXPECT_TRUE(DynUpdateLayeredWindow(nullptr, &dst, &p, &s, &src, &p, clBlack, &blend, 2));
  EXPECT_TRUE(DynSetLayeredWindowAttributes(nullptr, clFuchsia, 128, 1));
  EXPECT_TRUE(dst.Calls().empty());
  EXPECT_TRUE(src.Calls().empty());
}
