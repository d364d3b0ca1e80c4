// Cell objects as painted: rating stars, pushed buttons, the comment mark, classic and styled
// progress bars, rotated text, node glyphs and tree lines, application-drawn cells, bitmaps
// right to left and in-cell scroll bars.
#include <gtest/gtest.h>

#include <cmath>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvGridControlLook.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/RecordingCanvas.h"
#include "platform/testing/ScopedLocale.h"

namespace {

using advgrid_test::GridForm;

struct PaintForm : GridForm<> {
  PaintForm() {
    grid->SetScrollBars(ssNone);
    grid->SetColCount(4);
    grid->SetRowCount(5);
    grid->SetDefaultColWidth(110);
    grid->SetDefaultRowHeight(24);
  }
  // One cell's content drawn on an image of the grid's size.
  void DrawCell(TImageCanvas& Img, int DCol, int DRow) {
    Img.Canvas()->Font()->Assign(grid->Font());
    Img.Canvas()->Brush()->SetColor(clWhite);
    grid->DrawCellContent(Img.Canvas(), DCol, DRow, grid->CellRect(DCol, DRow), {});
  }
  void DrawCell(TRecordingCanvas& Cv, int DCol, int DRow) {
    grid->DrawCellContent(&Cv, DCol, DRow, grid->CellRect(DCol, DRow), {});
  }
};

TEST(AdvGridCellObjectsPaint, RatingShowsFullHalfAndEmptyStars) {
  PaintForm f;
  f.grid->SetCellEx(1, 1, u"2.7");
  f.grid->AddRating(1, 1, 5, clRed, clBlue);
  TImageCanvas img(f.grid->Width(), f.grid->Height());
  f.DrawCell(img, 1, 1);
  const TRect cell = f.grid->CellRect(1, 1);
  // haFull, vaTop: the stars start 1 pixel inside the cell's object area.
  const int x0 = cell.Left + 1, y0 = cell.Top + 2;
  struct Star {
    bool Fill, Empty;
  };
  const Star stars[] = {{true, false}, {true, false}, {true, true}, {false, true}, {false, true}};
  for (int k = 0; k < 5; ++k) {
    const auto colours = BitmapColors(img.Bitmap(), Rect(x0 + 18 * k, y0, x0 + 18 * k + 16, y0 + 16));
    EXPECT_EQ(colours.count(clRed) > 0, stars[k].Fill) << k;
    EXPECT_EQ(colours.count(clBlue) > 0, stars[k].Empty) << k;
  }
  // No cell text.
  TRecordingCanvas cv;
  f.DrawCell(cv, 1, 1);
  for (const TRecordedCall& c : cv.CallsNamed("DrawText")) EXPECT_NE(c.Text, u"2.7");
}

TEST(AdvGridCellObjectsPaint, PushedButtonDrawsDownWithCaptionMovedOnePixel) {
  PaintForm f;
  f.grid->AddButton(1, 1, 60, 20, u"Go", haLeft, vaTop);
  auto caption = [&](bool Pushed, TRecordingCanvas& Cv) {
    f.grid->PushButton(1, 1, Pushed);
    f.DrawCell(Cv, 1, 1);
    for (const TRecordedCall& c : Cv.CallsNamed("DrawText"))
      if (c.Text == u"Go") return Rect(c.Args[0], c.Args[1], c.Args[2], c.Args[3]);
    return TRect();
  };
  TRecordingCanvas up, down;
  const TRect a = caption(false, up), b = caption(true, down);
  ASSERT_NE(a, TRect()) << up.Log();
  EXPECT_EQ(b.Left, a.Left + 1);
  EXPECT_EQ(b.Top, a.Top + 1);
  EXPECT_EQ(b.Right, a.Right + 1);
  EXPECT_EQ(b.Bottom, a.Bottom + 1);
  // The face is drawn pushed, and the position is kept for the mouse.
  EXPECT_NE(up.Log(), down.Log());
  const TRect cell = f.grid->CellRect(1, 1);
  EXPECT_EQ(f.grid->GetCellButtonRect(1, 1), Rect(cell.Left + 2, cell.Top + 2, cell.Left + 62, cell.Top + 22));
}

TEST(AdvGridCellObjectsPaint, ExpandChevronPointsByTheState) {
  PaintForm f;
  f.grid->AddExpand(1, 1, 60);
  const TRect cell = f.grid->CellRect(1, 1);
  const int r = cell.Right - 1, t = cell.Top + 1;  // R: the cell less XYOffset - 1
  auto chevron = [&] {
    TRecordingCanvas cv;
    f.DrawCell(cv, 1, 1);
    const auto lines = cv.CallsNamed("Polyline");
    return lines.empty() ? std::vector<int>() : lines.back().Args;
  };
  EXPECT_EQ(chevron(), (std::vector<int>{r - 10, t + 5, r - 7, t + 8, r - 3, t + 4}));
  f.grid->GetCellGraphic(1, 1)->SetCellVar(1);
  EXPECT_EQ(chevron(), (std::vector<int>{r - 10, t + 8, r - 7, t + 5, r - 3, t + 9}));
}

TEST(AdvGridCellObjectsPaint, CommentTriangleInTheCellCorner) {
  PaintForm f;
  f.grid->AddColorComment(1, 1, u"c", clRed);
  const TRect cell = f.grid->CellRect(1, 1);
  TRecordingCanvas cv;
  f.DrawCell(cv, 1, 1);
  const auto polys = cv.CallsNamed("Polygon");
  ASSERT_EQ(polys.size(), 1u) << cv.Log();
  // R is the cell less XYOffset - 1; r and t the cell's own corner again.
  const int r = cell.Right - 1 + 2, t = cell.Top + 1 - 2;
  EXPECT_EQ(polys[0].Args, (std::vector<int>{r - 8, t + 1, r - 3, t + 1, r - 3, t + 6}));
  EXPECT_EQ(polys[0].BrushColor, clRed);

  TImageCanvas img(f.grid->Width(), f.grid->Height());
  f.DrawCell(img, 1, 1);
  EXPECT_EQ(img.Pixel(r - 5, t + 2), clRed);
  EXPECT_NE(img.Pixel(r - 7, t + 4), clRed);  // below the slope

  f.grid->ControlLook()->SetCommentColor(clNone);
  TRecordingCanvas none;
  f.DrawCell(none, 1, 1);
  EXPECT_TRUE(none.CallsNamed("Polygon").empty());
}

TEST(AdvGridCellObjectsPaint, ClassicProgressHalfFilledWithInvertedTextColours) {
  PaintForm f;
  f.grid->SetCellEx(1, 1, u"50");
  f.grid->AddProgress(1, 1, clBlue, clWhite);
  TRecordingCanvas cv;
  f.DrawCell(cv, 1, 1);
  std::vector<TRecordedCall> texts;
  for (const TRecordedCall& c : cv.Calls())
    if (c.Text == u"50%") texts.push_back(c);
  ASSERT_EQ(texts.size(), 2u) << cv.Log();
  EXPECT_EQ(texts[0].FontColor, clYellow);  // blue inverted, on the bar
  EXPECT_EQ(texts[1].FontColor, clBlack);   // white inverted, on the ground

  TImageCanvas img(f.grid->Width(), f.grid->Height());
  f.DrawCell(img, 1, 1);
  const TRect cell = f.grid->CellRect(1, 1);
  // Inside the border: 2 + margin 2 from the cell's edges.
  const int left = cell.Left + 4, right = cell.Right - 4, y = cell.Top + 5;
  const int mid = (left + right) / 2;
  EXPECT_EQ(img.Pixel(left + 2, y), clBlue);
  EXPECT_EQ(img.Pixel(mid - 2, y), clBlue);
  EXPECT_EQ(img.Pixel(mid + 2, y), clWhite);
  EXPECT_EQ(img.Pixel(right - 2, y), clWhite);
}

TEST(AdvGridCellObjectsPaint, ThemedProgressBarAndChunk) {
  PaintForm f;
  f.grid->ControlLook()->SetProgressXP(true);
  f.grid->ControlLook()->SetControlStyle(csWinXP);
  f.grid->SetCellEx(1, 1, u"150");  // beyond 100: a full chunk
  f.grid->AddProgress(1, 1, clBlue, clWhite);
  TRecordingCanvas cv;
  f.DrawCell(cv, 1, 1);
  std::vector<TRecordedCall> parts;
  for (const TRecordedCall& c : cv.CallsNamed("ThemeDrawBackground"))
    if (c.Text == u"Progress") parts.push_back(c);
  ASSERT_EQ(parts.size(), 2u) << cv.Log();
  const TRect cell = f.grid->CellRect(1, 1);
  // The bar inside the margins, the chunk 2 further in and as wide as the value says.
  EXPECT_EQ(parts[0].Args[0], ThemeParts::PP_BAR);
  EXPECT_EQ(std::vector<int>(parts[0].Args.begin() + 2, parts[0].Args.end()),
            (std::vector<int>{cell.Left + 2, cell.Top + 2, cell.Right - 2, cell.Bottom - 2}));
  EXPECT_EQ(parts[1].Args[0], ThemeParts::PP_CHUNK);
  EXPECT_EQ(std::vector<int>(parts[1].Args.begin() + 2, parts[1].Args.end()),
            (std::vector<int>{cell.Left + 4, cell.Top + 4, cell.Right - 4, cell.Bottom - 4}));
  f.grid->SetCellEx(1, 1, u"25");
  TRecordingCanvas quarter;
  f.DrawCell(quarter, 1, 1);
  const auto chunk = quarter.CallsNamed("ThemeDrawBackground").back();
  const int w = cell.Right - cell.Left - 8;
  EXPECT_EQ(chunk.Args[4] - chunk.Args[2], static_cast<int>(std::nearbyint(25.0 * w / 100)));
}

TEST(AdvGridCellObjectsPaint, StyledBarByLevelsStackedAndNot) {
  PaintForm f;
  TGridProgressAppearance* pa = f.grid->ProgressAppearance();
  pa->SetShowGradient(false);
  pa->SetShowPercentage(false);
  pa->SetLevel1Perc(50);
  pa->SetLevel2Perc(90);
  f.grid->SetCellEx(1, 1, u"80");
  f.grid->AddAdvProgress(1, 1, 0, 100);
  const TRect cell = f.grid->CellRect(1, 1);
  auto colours = [&] {
    TImageCanvas img(f.grid->Width(), f.grid->Height());
    f.DrawCell(img, 1, 1);
    return BitmapColors(img.Bitmap(), cell);
  };
  auto plain = colours();
  EXPECT_EQ(plain.count(pa->Level0Color()), 0u);
  EXPECT_GT(plain.count(pa->Level1Color()), 0u);
  pa->SetStacked(true);
  auto stacked = colours();
  EXPECT_GT(stacked.count(pa->Level0Color()), 0u);
  EXPECT_GT(stacked.count(pa->Level1Color()), 0u);
  // More of the first level (0..50) than of the second (50..80).
  EXPECT_GT(stacked[pa->Level0Color()], stacked[pa->Level1Color()]);
}

TEST(AdvGridCellObjectsPaint, XPProgressWithEqualBoundsDrawsAnEmptyBar) {
  PaintForm f;
  TGridProgressAppearance* pa = f.grid->ProgressAppearance();
  pa->SetShowGradient(false);
  pa->SetShowPercentage(false);
  f.grid->SetCellEx(1, 1, u"7");
  f.grid->AddAdvProgress(1, 1, 5, 5);
  TImageCanvas img(f.grid->Width(), f.grid->Height());
  f.DrawCell(img, 1, 1);
  const auto c = BitmapColors(img.Bitmap(), f.grid->CellRect(1, 1));
  for (TColor level : {pa->Level0Color(), pa->Level1Color(), pa->Level2Color(), pa->Level3Color()})
    EXPECT_EQ(c.count(level), 0u) << std::hex << level;
}

// Records the font's orientation with each text call.
class TOrientationCanvas : public TRecordingCanvas {
 public:
  void ExtTextOut(int x, int y, unsigned options, const TRect* rect, const String& text) override {
    TRecordingCanvas::ExtTextOut(x, y, options, rect, text);
    Orientations.push_back(Font()->Orientation());
  }
  std::vector<int> Orientations;
};

TEST(AdvGridCellObjectsPaint, RotatedTextStartsWherePlaceRotatedTextSays) {
  PaintForm f;
  f.grid->SetDefaultRowHeight(80);
  f.grid->AddRotated(1, 1, 90, u"up");
  TOrientationCanvas cv;
  cv.Font()->Assign(f.grid->Font());
  f.DrawCell(cv, 1, 1);
  const auto calls = cv.CallsNamed("ExtTextOut");
  ASSERT_EQ(calls.size(), 1u) << cv.Log();
  TRect origin = f.grid->CellRect(1, 1);
  TRecordingCanvas probe;
  probe.Font()->Assign(f.grid->Font());
  f.grid->PlaceRotatedText(&probe, origin, 90, vtaTop, taLeftJustify, u"up");
  EXPECT_EQ(calls[0].Args[0], origin.Left);
  EXPECT_EQ(calls[0].Args[1], origin.Top);
  EXPECT_EQ(calls[0].Text, u"up");
  EXPECT_EQ(cv.Orientations.at(0), 900);
  EXPECT_EQ(cv.Font()->Orientation(), 0);  // the font is restored
}

// A grid with one node over rows 1..3 in column 0 (60 wide).
struct NodeForm : PaintForm {
  NodeForm() {
    // Column 0 a normal column: a fixed one may shift the glyph by the look.
    grid->SetFixedCols(0);
    grid->SetColWidths(0, 60);
    grid->AddNode(1, 3);
    grid->CellNode()->SetShowTree(false);
    grid->CellNode()->SetColor(clWhite);
  }
  TRect GlyphArea() {
    const TRect cell = grid->CellRect(0, 1);
    // level 1, indent 12: left edge 12 - 6 - 4 = 2 in.
    return Rect(cell.Left + 2, cell.Top, cell.Right, cell.Bottom);
  }
};

TEST(AdvGridCellObjectsPaint, FlatNodeGlyphMinusAndPlus) {
  NodeForm f;
  f.grid->CellNode()->SetNodeType(cnFlat);
  f.grid->CellNode()->SetNodeColor(clRed);
  auto art = [&] {
    TImageCanvas img(f.grid->Width(), f.grid->Height());
    f.DrawCell(img, 0, 1);
    // Contracting moves the rows below: the cell is asked for after the paint.
    const TRect cell = f.grid->CellRect(0, 1);
    const int bx = f.GlyphArea().Left + 4, by = (cell.Top + cell.Bottom) / 2 - 4;
    return img.Art(Rect(bx, by, bx + 9, by + 9), {{clRed, 'x'}, {clWhite, '.'}});
  };
  const std::vector<std::string> open = {
      "xxxxxxxxx", "x.......x", "x.......x", "x.......x", "x.xxxxx.x",
      "x.......x", "x.......x", "x.......x", "xxxxxxxxx"};
  EXPECT_EQ(art(), open);
  f.grid->ContractNode(1);
  const std::vector<std::string> closed = {
      "xxxxxxxxx", "x.......x", "x...x...x", "x...x...x", "x.xxxxx.x",
      "x...x...x", "x...x...x", "x.......x", "xxxxxxxxx"};
  EXPECT_EQ(art(), closed);
}

TEST(AdvGridCellObjectsPaint, XPNodeBitmapsFourPixelsIn) {
  NodeForm f;
  f.grid->CellNode()->SetNodeType(cnXP);
  for (bool contracted : {false, true}) {
    if (contracted) f.grid->ContractNode(1);
    TImageCanvas img(f.grid->Width(), f.grid->Height());
    f.DrawCell(img, 0, 1);  // the glyphs exist once painted
    const TRect cell = f.grid->CellRect(0, 1);
    const int x = f.GlyphArea().Left + 4, y = cell.Top + (cell.Bottom - cell.Top - 10) / 2;
    TBitmap glyph;
    glyph.LoadFromResourceName(contracted ? u"XPNODEC" : u"XPNODEO");
    ASSERT_EQ(glyph.Width(), 9);
    const TColor key = BitmapPixel(&glyph, 0, 0);
    int same = 0;
    for (int gy = 0; gy < 9; ++gy)
      for (int gx = 0; gx < 9; ++gx) {
        const TColor p = BitmapPixel(&glyph, gx, gy);
        if (p == key) continue;
        EXPECT_EQ(img.Pixel(x + gx, y + gy), p) << gx << "," << gy << " contracted " << contracted;
        ++same;
      }
    EXPECT_GT(same, 10);
    // The plus's vertical stroke only when contracted.
    EXPECT_EQ(img.Pixel(x + 4, y + 2) == clBlack, contracted);
  }
}

TEST(AdvGridCellObjectsPaint, TreeLinesToTheCellEdgeOnlyWithShowTreeFull) {
  NodeForm f;
  f.grid->CellNode()->SetShowTree(true);
  f.grid->CellNode()->SetTreeColor(clRed);
  const TRect cell = f.grid->CellRect(0, 2);
  const int mid = (cell.Top + cell.Bottom) / 2;
  auto line = [&](int X) {
    TImageCanvas img(f.grid->Width(), f.grid->Height());
    f.DrawCell(img, 0, 2);
    return img.Pixel(X, mid) == clRed;
  };
  // c = 12 + 6 - 12 + 2 = 8: the branch, then to x0 + 4 = 16 or to the cell's right edge.
  EXPECT_TRUE(line(cell.Left + 10));
  EXPECT_TRUE(line(cell.Left + 40));
  f.grid->CellNode()->SetShowTreeFull(false);
  EXPECT_TRUE(line(cell.Left + 10));
  EXPECT_FALSE(line(cell.Left + 40));
  // The vertical at c reaches down from the top of a row the branch goes on below.
  TImageCanvas img(f.grid->Width(), f.grid->Height());
  f.DrawCell(img, 0, 2);
  EXPECT_EQ(img.Pixel(cell.Left + 8, cell.Top + 1), clRed);
}

// An application object that draws itself and notes when.
class TSelfDrawn : public TObject, public ICellDraw {
 public:
  explicit TSelfDrawn(bool Before, TRecordingCanvas* Cv) : FBefore(Before), FCv(Cv) {}
  void Draw(TCanvas*, const TRect& R, TAdvStringGrid*, bool, int ACol, int ARow) override {
    DrawnAt = R;
    CallsBefore = FCv->Calls().size();
    Cell = TPoint(ACol, ARow);
  }
  int GetWidth() override { return Width; }
  int GetHeight() override { return Height; }
  int Width = 0, Height = 0;
  bool IsBefore() override { return FBefore; }
  TRect DrawnAt;
  size_t CallsBefore = 0;
  TPoint Cell{-1, -1};

 private:
  bool FBefore;
  TRecordingCanvas* FCv;
};

TEST(AdvGridCellObjectsPaint, InterfacedCellDrawnBeforeOrAfterItsText) {
  for (bool before : {true, false}) {
    PaintForm f;
    TRecordingCanvas cv;
    TSelfDrawn obj(before, &cv);
    f.grid->SetCellEx(1, 1, u"label");
    f.grid->AddInterfacedCell(1, 1, &obj);
    f.DrawCell(cv, 1, 1);
    size_t textAt = 0;
    const auto& calls = cv.Calls();
    for (size_t i = 0; i < calls.size(); ++i)
      if (calls[i].Name == "DrawText" && calls[i].Text == u"label" && !(calls[i].Args[4] & DT_CALCRECT)) textAt = i;
    ASSERT_GT(textAt, 0u) << cv.Log();
    const TRect cell = f.grid->CellRect(1, 1);
    EXPECT_EQ(obj.Cell, Point(1, 1));
    if (before) {
      EXPECT_LE(obj.CallsBefore, textAt);
      EXPECT_EQ(obj.DrawnAt, Rect(cell.Left - 1, cell.Top - 1, cell.Right + 1, cell.Bottom + 1));
    } else {
      EXPECT_GT(obj.CallsBefore, textAt);
      EXPECT_EQ(obj.DrawnAt, Rect(cell.Left - 1, cell.Top - 1, cell.Right, cell.Bottom));
    }
  }
}

TEST(AdvGridCellObjectsPaint, InterfacedCellTakesTheSizeItReports) {
  PaintForm f;
  TRecordingCanvas cv;
  TSelfDrawn obj(false, &cv);
  obj.Width = 30;
  obj.Height = 12;
  f.grid->AddInterfacedCell(1, 1, &obj);
  int w = 0, h = 0;
  bool text = false;
  TCellHAlign ha;
  TCellVAlign va;
  f.grid->GetCellGraphicLayout(1, 1, w, h, text, ha, va);
  EXPECT_EQ(Point(w, h), Point(30, 12));
  EXPECT_TRUE(text);
  EXPECT_EQ(f.grid->GetCellGraphicSize(1, 1), Point(30, 12));
  // A side left at 0 is the cell's.
  obj.Height = 0;
  EXPECT_EQ(f.grid->GetCellGraphicSize(1, 1), f.grid->CellSize(1, 1));
}

TEST(AdvGridCellObjectsPaint, BitmapRightToLeftMirrorsItsPlace) {
  PaintForm f;
  TBitmap bmp;
  bmp.SetSize(10, 8);
  f.grid->AddBitmap(1, 1, &bmp, false, haLeft, vaTop);
  auto drawnX = [&] {
    TRecordingCanvas cv;
    f.DrawCell(cv, 1, 1);
    const auto d = cv.CallsNamed("Draw");
    return d.empty() ? -1 : d[0].Args[0];
  };
  // Left to right: R is the cell less 1, O 1 more in.
  EXPECT_EQ(drawnX(), f.grid->CellRect(1, 1).Left + 2);
  TScopedMiddleEastLocale locale(true);
  f.grid->SetBiDiMode(bdRightToLeft);
  const TRect mirrored = f.grid->CellRect(1, 1);
  EXPECT_EQ(drawnX(), mirrored.Right - 2 - 10);
}

TEST(AdvGridCellObjectsPaint, InCellScrollBarAtTheRightEdgeWithTheTextMovedUpByItsPosition) {
  PaintForm f;
  f.grid->SetRowHeights(1, 60);
  f.grid->SetCellEx(1, 1, u"top line");
  f.grid->AddScrollBar(1, 1, false);
  f.grid->SetScrollProp(1, 1, TScrollProp{20, 100});
  const TRect cell = f.grid->CellRect(1, 1);
  const TRect bar = Rect(cell.Right - 17, cell.Top, cell.Right, cell.Bottom);
  auto frames = [](TRecordingCanvas& Cv) {
    std::vector<TRect> r;
    for (const TRecordedCall& c : Cv.CallsNamed("DrawFrameControl"))
      r.push_back(Rect(c.Args[0], c.Args[1], c.Args[2], c.Args[3]));
    return r;
  };
  auto textRect = [](TRecordingCanvas& Cv) {
    for (const TRecordedCall& c : Cv.CallsNamed("DrawText"))
      if (c.Text == u"top line") return Rect(c.Args[0], c.Args[1], c.Args[2], c.Args[3]);
    return TRect();
  };
  // 60 pixels: two 17-pixel arrows, a 26-pixel track, an 8-pixel thumb (20 of 101 is less) that
  // moves 18 pixels over the 81 positions.
  struct Case {
    int pos, thumbTop;
  };
  TRect text0;
  for (const Case& c : {Case{0, 17}, Case{45, 27}, Case{81, 35}}) {
    SCOPED_TRACE(c.pos);
    f.grid->SetScrollPosition(1, 1, c.pos);
    TRecordingCanvas cv;
    f.DrawCell(cv, 1, 1);
    const std::vector<TRect> parts = frames(cv);
    ASSERT_EQ(parts.size(), 3u) << cv.Log();
    EXPECT_EQ(parts[0], Rect(bar.Left, bar.Top, bar.Right, bar.Top + 17));
    EXPECT_EQ(parts[1], Rect(bar.Left, bar.Bottom - 17, bar.Right, bar.Bottom));
    EXPECT_EQ(parts[2], Rect(bar.Left, bar.Top + c.thumbTop, bar.Right, bar.Top + c.thumbTop + 8));
    const TRect t = textRect(cv);
    ASSERT_NE(t, TRect()) << cv.Log();
    EXPECT_LE(t.Right, bar.Left);
    if (c.pos == 0) {
      text0 = t;
      EXPECT_TRUE(cv.CallsNamed("IntersectClipRect").empty());
    } else {
      EXPECT_EQ(t.Top, text0.Top - c.pos);
      const auto clips = cv.CallsNamed("IntersectClipRect");
      ASSERT_EQ(clips.size(), 1u);
      EXPECT_EQ(Rect(clips[0].Args[0], clips[0].Args[1], clips[0].Args[2], clips[0].Args[3]),
                Rect(cell.Left, cell.Top, bar.Left, cell.Bottom));
    }
  }
  // The track in the scroll bar colour below the thumb, the cell left of the bar untouched by it.
  TImageCanvas img(f.grid->Width(), f.grid->Height(), clWhite);
  f.grid->SetScrollPosition(1, 1, 0);
  f.DrawCell(img, 1, 1);
  EXPECT_EQ(img.Pixel(bar.Left + 8, bar.Top + 30), ColorToRGB(clScrollBar));
  EXPECT_NE(img.Pixel(bar.Left - 2, bar.Top + 30), ColorToRGB(clScrollBar));
  // A page that holds the whole range shows no bar and the text keeps the cell's width.
  f.grid->SetScrollProp(1, 1, TScrollProp{100, 100});
  TRecordingCanvas whole;
  f.DrawCell(whole, 1, 1);
  EXPECT_TRUE(frames(whole).empty());
  EXPECT_GT(textRect(whole).Right, bar.Left);
}

}  // namespace
