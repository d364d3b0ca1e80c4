// Right-to-left layout of the class library grid: the mirrored canvas orientation, cells shown
// from the right edge, client-coordinate geometry and hit testing, and the editor's place.
#include <gtest/gtest.h>

#include "platform/testing/ScopedLocale.h"

#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Forms.h"
#include "platform/Grids.h"
#include "platform/SysUtils.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"

namespace {

using Art = std::vector<std::string>;
const std::map<TColor, char> kRtlLegend{{clBlack, '#'}, {clWhite, '.'}, {clRed, 'r'}, {clBlue, 'b'}};

// ---------------------------------------------------------------------------------------------
// The canvas orientation

TEST(MirroredCanvas, PixelCallsLandOnWidthMinusXAndAreasOnTheirMirroredSpan) {
  TImageCanvas img(10, 4);
  TCanvas* c = img.Canvas();
  c->SetMirrored(10);
  c->Brush()->SetColor(clRed);
  c->FillRect(Rect(1, 0, 3, 1));  // area 1..2
  c->MoveTo(2, 1);
  c->LineTo(5, 1);  // pixels 2..4
  c->SetPixels(1, 2, clBlue);
  c->Pen()->SetColor(clBlack);
  c->Brush()->SetColor(clWhite);
  c->Rectangle(0, 3, 4, 4);  // area 0..3
  EXPECT_EQ(img.Art(Rect(0, 0, 10, 4), kRtlLegend), (Art{
                                                         ".......rr.",
                                                         "......###.",
                                                         ".........b",
                                                         "......####",
                                                     }));
  EXPECT_EQ(c->Pixels(1, 2), clBlue);  // read back through the same mapping
  c->ClearMirrored();
  EXPECT_FALSE(c->Mirrored());
  EXPECT_EQ(c->Pixels(9, 2), clBlue);
}

TEST(MirroredCanvas, ClipRectanglesAreMirroredAreas) {
  TImageCanvas img(10, 1);
  TCanvas* c = img.Canvas();
  c->SetMirrored(10);
  c->SetClipRect(Rect(0, 0, 3, 1));
  c->Brush()->SetColor(clRed);
  c->FillRect(Rect(0, 0, 10, 1));
  EXPECT_EQ(img.Art(Rect(0, 0, 10, 1), kRtlLegend), (Art{".......rrr"}));
  EXPECT_TRUE(c->RectVisible(Rect(2, 0, 3, 1)));
  EXPECT_FALSE(c->RectVisible(Rect(3, 0, 10, 1)));
}

TEST(MirroredCanvas, TextAndPicturesKeepTheirDirectionInTheMirroredBox) {
  const String text = u"Lg7";
  TImageCanvas mirrored(80, 20), plain(80, 20);
  int w = mirrored.Canvas()->TextWidth(text);
  ASSERT_GT(w, 0);
  mirrored.Canvas()->SetMirrored(80);
  mirrored.Canvas()->TextOut(5, 2, text);
  plain.Canvas()->TextOut(80 - 5 - w, 2, text);
  EXPECT_EQ(mirrored.Snapshot(), plain.Snapshot());
  EXPECT_GT(mirrored.CountColor(clBlack), 0);

  TBitmap pic;
  pic.SetPixelFormat(pf24bit);
  pic.SetSize(2, 1);
  pic.Canvas()->SetPixels(0, 0, clRed);
  pic.Canvas()->SetPixels(1, 0, clBlue);
  TImageCanvas img(10, 1);
  img.Canvas()->SetMirrored(10);
  img.Canvas()->Draw(1, 0, &pic);  // box 1..2 shows at 7..8, red still on the left
  EXPECT_EQ(img.Art(Rect(0, 0, 10, 1), kRtlLegend), (Art{".......rb."}));
}

// ---------------------------------------------------------------------------------------------
// The grid

// A string grid that records each DrawCell with the canvas orientation in force; a hook may
// replace the drawing.
class TProbeGrid : public TStringGrid {
 public:
  using TStringGrid::TStringGrid;
  using TCustomGrid::ChangeGridOrientation;
  struct Drawn {
    int Col, Row;
    TRect Rect;
    bool Mirrored;
    int Width;
  };
  std::vector<Drawn> drawn;
  std::function<void(TCanvas*, int, int, const TRect&)> paintCell;

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override {
    drawn.push_back({ACol, ARow, ARect, Canvas()->Mirrored(), Canvas()->MirrorWidth()});
    if (paintCell) paintCell(Canvas(), ACol, ARow, ARect);
    else TStringGrid::DrawCell(ACol, ARow, ARect, AState);
  }
};

// A shown form with a focused right-to-left grid of 4 x 3 cells of 50 x 20 pixels (one fixed
// column and row, no spacing for lines) in 300 x 100 pixels: the cells take client x 100..299,
// column 0 at the right edge.
struct RtlForm {
  TScopedMiddleEastLocale locale{true};
  ModalScript script;
  InputDriver driver;
  TForm* form = nullptr;
  TProbeGrid* grid = nullptr;

  explicit RtlForm(TScrollStyle bars = ssNone, int rows = 3) {
    form = New<TForm>(nullptr);
    form->SetClientWidth(400);
    form->SetClientHeight(300);
    grid = New<TProbeGrid>(form);
    grid->SetParent(form);
    grid->SetScrollBars(bars);
    grid->SetGridLineWidth(0);
    grid->SetDefaultColWidth(50);
    grid->SetDefaultRowHeight(20);
    grid->SetColCount(4);
    grid->SetRowCount(rows);
    // The layout below is of a 300 x 100 client area (scroll bars included); the single border's
    // frame lies outside it.
    grid->SetBounds(10, 10, 300 + 2 * grid->ClientInset(), 100 + 2 * grid->ClientInset());
    grid->SetBiDiMode(bdRightToLeft);
    form->Show();
    grid->SetFocus();
    grid->TakeInvalidatedRects();
  }
  ~RtlForm() { delete form; }
};

const TColor kColumnColour[] = {0x0000C0, 0x00C000, 0xC00000, 0x00C0C0};

TEST(GridsRtl, ColumnZeroShowsAtTheRightEdgeAndDrawCellGetsLayoutRectangles) {
  RtlForm f;
  f.grid->SetColor(clWhite);
  f.grid->paintCell = [](TCanvas* cv, int c, int, const TRect& r) {
    cv->Brush()->SetColor(kColumnColour[c]);
    cv->FillRect(r);
  };
  TImageCanvas img(300, 100);
  f.grid->PaintOn(img.Canvas());
  for (int c = 0; c < 4; ++c) {
    SCOPED_TRACE("column " + std::to_string(c));
    int right = 300 - 50 * c;
    EXPECT_EQ(img.Pixel(right - 1, 50), kColumnColour[c]);
    EXPECT_EQ(img.Pixel(right - 50, 50), kColumnColour[c]);
  }
  EXPECT_EQ(img.Pixel(99, 50), clWhite);  // beyond the last column, on the left
  EXPECT_EQ(img.Pixel(0, 50), clWhite);

  ASSERT_FALSE(f.grid->drawn.empty());
  for (const TProbeGrid::Drawn& d : f.grid->drawn) {
    EXPECT_TRUE(d.Mirrored);
    EXPECT_EQ(d.Width, 300);
    EXPECT_EQ(d.Rect, Rect(50 * d.Col, 20 * d.Row, 50 * d.Col + 50, 20 * d.Row + 20));
  }
  EXPECT_FALSE(img.Canvas()->Mirrored());  // switched off after the paint
}

TEST(GridsRtl, CellRectIsMirroredOnlyUnderRightToLeftAlignment) {
  struct Case {
    TBiDiMode mode;
    bool middleEast;
    TRect expected;
  } cases[] = {
      {bdLeftToRight, true, Rect(50, 20, 100, 40)},
      {bdRightToLeft, true, Rect(200, 20, 250, 40)},
      {bdRightToLeft, false, Rect(50, 20, 100, 40)},
      {bdRightToLeftNoAlign, true, Rect(50, 20, 100, 40)},
      {bdRightToLeftReadingOnly, true, Rect(50, 20, 100, 40)},
  };
  RtlForm f;
  f.grid->SetColCount(12);
  for (const Case& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + (c.middleEast ? " middle-east" : ""));
    TScopedMiddleEastLocale locale(c.middleEast);
    f.grid->SetBiDiMode(c.mode);
    EXPECT_EQ(f.grid->CellRect(1, 1), c.expected);
    TRect r = c.expected;
    EXPECT_EQ(f.grid->MouseCoord(r.Left, r.Top), (TGridCoord{1, 1}));
    EXPECT_EQ(f.grid->MouseCoord(r.Right - 1, r.Bottom - 1), (TGridCoord{1, 1}));
    EXPECT_EQ(f.grid->CellRect(11, 1), TRect{});  // out of view stays empty
  }
}

TEST(GridsRtl, ClickAtAPhysicalPositionSelectsTheCellShownThere) {
  RtlForm f;
  struct Case {
    int x, y;
    TGridCoord cell;
  } cases[] = {
      {150, 25, {2, 1}},  // left-most pixel of (2, 1)
      {199, 39, {2, 1}},  // right-most pixel of (2, 1)
      {200, 45, {1, 2}},  // left-most pixel of (1, 2)
      {100, 45, {3, 2}},
      {249, 21, {1, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("click at " + std::to_string(c.x) + "," + std::to_string(c.y));
    f.driver.Click(f.grid, c.x, c.y);
    EXPECT_EQ(f.grid->Col(), c.cell.X);
    EXPECT_EQ(f.grid->Row(), c.cell.Y);
  }
  int col = 0, row = 0;
  f.grid->MouseToCell(99, 30, col, row);  // left of the last column: no cell
  EXPECT_EQ(col, -1);
  EXPECT_EQ(row, -1);
}

// Left-most dark pixel of the pixel rows top..bottom-1 within left..right-1; -1 when none.
int FirstDarkColumn(TImageCanvas& img, int left, int right, int top, int bottom) {
  for (int x = left; x < right; ++x)
    for (int y = top; y < bottom; ++y) {
      TColor c = img.Pixel(x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 384) return x;
    }
  return -1;
}

Art DarkArt(TImageCanvas& img, int left, int width, int top, int bottom) {
  Art out;
  for (int y = top; y < bottom; ++y) {
    std::string row;
    for (int x = left; x < left + width; ++x) {
      TColor c = img.Pixel(x, y);
      row += GetRValue(c) + GetGValue(c) + GetBValue(c) < 384 ? '#' : '.';
    }
    out.push_back(row);
  }
  return out;
}

TEST(GridsRtl, CellTextStaysReadableRightAlignedInTheMirroredCell) {
  const String text = u"Lg7";
  RtlForm f;
  f.grid->SetColor(clWhite);
  f.grid->SetCells(2, 2, text);  // away from the current cell's highlight
  TImageCanvas rtl(300, 100), ltr(300, 100);
  f.grid->PaintOn(rtl.Canvas());
  {
    TScopedMiddleEastLocale off(false);
    f.grid->PaintOn(ltr.Canvas());
  }
  ltr.Canvas()->Font()->Assign(f.grid->Font());
  int w = ltr.Canvas()->TextWidth(text);
  ASSERT_GT(w, 0);

  // Left to right the text starts 2 pixels into the cell (100..149); right to left its box ends
  // 2 pixels before the mirrored cell's right edge (150..199).
  int xl = FirstDarkColumn(ltr, 100, 150, 40, 60);
  int xr = FirstDarkColumn(rtl, 150, 200, 40, 60);
  ASSERT_GE(xl, 0);
  ASSERT_GE(xr, 0);
  int bearing = xl - 102;
  EXPECT_LE(std::abs((xr - (198 - w)) - bearing), 2) << "xl " << xl << " xr " << xr << " w " << w;

  // Same glyphs, not their mirror image.
  Art a = DarkArt(ltr, xl, w, 40, 60), b = DarkArt(rtl, xr, w, 40, 60);
  EXPECT_EQ(a, b);
  Art flipped = a;
  for (std::string& row : flipped) row.assign(row.rbegin(), row.rend());
  EXPECT_NE(b, flipped);
}

TEST(GridsRtl, EditorSitsOverTheMirroredCellAndFollowsAModeChange) {
  RtlForm f;
  f.grid->SetOptions(f.grid->Options() | TGridOptions{goEditing});
  f.grid->SetCol(2);
  f.grid->SetRow(1);
  f.grid->SetEditorMode(true);
  ASSERT_TRUE(f.grid->EditorMode());
  ASSERT_NE(f.grid->InplaceEditor(), nullptr);
  EXPECT_EQ(f.grid->InplaceEditor()->BoundsRect(), Rect(150, 20, 200, 40));
  EXPECT_EQ(f.grid->InplaceEditor()->BoundsRect(), f.grid->CellRect(2, 1));
  f.grid->SetBiDiMode(bdLeftToRight);
  EXPECT_EQ(f.grid->InplaceEditor()->BoundsRect(), Rect(100, 20, 150, 40));
}

TEST(GridsRtl, InvalidatedAndUpdateRectanglesAreClientRectangles) {
  RtlForm f;
  f.grid->InvalidateCell(2, 1);
  EXPECT_EQ(f.grid->TakeInvalidatedRects(), std::vector<TRect>{Rect(150, 20, 200, 40)});

  TImageCanvas img(300, 100);
  TRect update = f.grid->CellRect(2, 1);
  f.grid->PaintOn(img.Canvas(), &update);
  ASSERT_EQ(f.grid->drawn.size(), 1u);
  EXPECT_EQ(f.grid->drawn[0].Col, 2);
  EXPECT_EQ(f.grid->drawn[0].Row, 1);
}

TEST(GridsRtl, OrientationCanBeSwitchedOffAndOnWithinTheDrawing) {
  RtlForm f;
  std::vector<bool> seen;
  f.grid->paintCell = [&](TCanvas* cv, int c, int r, const TRect& rect) {
    cv->Brush()->SetColor(kColumnColour[c]);
    cv->FillRect(rect);
    if (c != 1 || r != 1) return;
    f.grid->ChangeGridOrientation(false);
    seen.push_back(cv->Mirrored());
    cv->Brush()->SetColor(clRed);
    cv->FillRect(Rect(290, 0, 300, 10));  // client coordinates: over cell (0, 0), drawn already
    f.grid->ChangeGridOrientation(true);
    seen.push_back(cv->Mirrored());
  };
  TImageCanvas img(300, 100);
  f.grid->PaintOn(img.Canvas());
  EXPECT_EQ(seen, (std::vector<bool>{false, true}));
  EXPECT_EQ(img.Pixel(295, 5), clRed);
  EXPECT_EQ(img.Pixel(285, 5), kColumnColour[0]);
  EXPECT_EQ(img.Pixel(220, 50), kColumnColour[1]);  // cells after the switch still mirrored
}

TEST(GridsRtl, VerticalScrollBarTakesTheLeftEdgeAndAnswersThere) {
  RtlForm f(ssBoth, 30);
  // The bar's 17 pixels are the layout's right edge, shown on the left.
  EXPECT_EQ(f.grid->CellRect(0, 1), Rect(250, 20, 300, 40));
  EXPECT_EQ(f.grid->CellRect(3, 1), Rect(100, 20, 150, 40));
  ASSERT_EQ(f.grid->TopRow(), 1);
  f.driver.MouseDown(f.grid, 8, 95);  // the lower arrow at the bar's bottom
  f.driver.MouseUp(f.grid, 8, 95);
  EXPECT_EQ(f.grid->TopRow(), 2);
  EXPECT_EQ(f.grid->Col(), 1);  // no cell was clicked
}

}  // namespace
