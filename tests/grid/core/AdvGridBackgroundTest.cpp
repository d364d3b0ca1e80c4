// The background picture or gradient outside and inside the cells, and the settings of the
// background and of the styled progress bars.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvGrid.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

using advgrid_test::GridForm;

// A shown grid of 64 x 22 cells with one fixed row and column and one-pixel lines: cell
// rectangles start at x = 0, 64, 128, ... and y = 0, 22, 44, ...
struct BackForm : GridForm<> {
  explicit BackForm(int Cols = 3, int Rows = 4) {
    grid->SetScrollBars(ssNone);
    grid->SetDefaultColWidth(64);
    grid->SetDefaultRowHeight(22);
    grid->SetColCount(Cols);
    grid->SetRowCount(Rows);
  }
  TBackGround* Bg() { return grid->BackGround(); }
  void Cell(TCanvas* C, int DCol, int DRow, TGridDrawState State = {}) {
    grid->DrawCellBackGround(C, grid->DisplToRealCol(DCol), DCol, DRow, grid->CellRect(DCol, DRow), State);
  }
  void Picture(int W, int H, const std::vector<TColor>& Colors) {
    std::unique_ptr<TBitmap> b = PatternBitmap(W, H, Colors);
    Bg()->SetBitmap(b.get());
  }
};

std::vector<TColor> DistinctColors(int N) {
  std::vector<TColor> out;
  for (int i = 0; i < N; ++i) out.push_back(RGB(10 * (i % 25), 7 * (i / 25) + 1, 200));
  return out;
}

TEST(AdvGridBackground, DefaultsPaintNothingAlthoughColorToIsSet) {
  BackForm f;
  ASSERT_EQ(f.Bg()->ColorTo(), clBtnFace);
  ASSERT_EQ(f.Bg()->Color(), clWindow);
  ASSERT_EQ(f.Bg()->Display(), bdTile);
  ASSERT_EQ(f.Bg()->Cells(), bcNormal);
  TRecordingCanvas c;
  f.grid->PaintBackGround(&c);
  f.Cell(&c, 1, 1);
  f.Cell(&c, 0, 0, TGridDrawState{gdFixed});
  EXPECT_TRUE(c.Calls().empty()) << c.Log();
}

TEST(AdvGridBackground, OutsideStripsFollowWhatFits) {
  // Three columns end at 193 (with the line), four rows at 89.
  struct Case { int cols, rows; bool right, bottom; };
  const Case cases[] = {{3, 4, true, true}, {3, 40, true, false}, {20, 4, false, true}, {20, 40, false, false}};
  for (const Case& k : cases) {
    BackForm f(k.cols, k.rows);
    f.Bg()->SetDisplay(bdGradientVert);
    f.Bg()->SetColor(clWhite);
    f.Bg()->SetColorTo(clBlack);
    const TRect C = f.grid->ClientRect();
    TRecordingCanvas c;
    f.grid->PaintBackGround(&c);
    std::vector<std::vector<int>> clips;
    for (const TRecordedCall& call : c.CallsNamed("SetClipRect")) clips.push_back(call.Args);
    std::vector<std::vector<int>> want;
    if (k.right) want.push_back({192 + 1, C.Top, C.Right, C.Bottom});
    if (k.bottom) want.push_back({C.Left, 88 + 1, C.Right, C.Bottom});
    EXPECT_EQ(clips, want) << k.cols << "x" << k.rows;
    // One gradient of 128 bands over the client area per strip, from white on.
    const std::vector<TRecordedCall> bands = c.CallsNamed("Rectangle");
    EXPECT_EQ(bands.size(), 128 * want.size()) << k.cols << "x" << k.rows;
    if (!bands.empty()) {
      EXPECT_EQ(bands.front().BrushColor, clWhite);
    }
    EXPECT_EQ(c.CallsNamed("SelectClipRgn").size(), want.empty() ? 0u : 1u);
  }
}

TEST(AdvGridBackground, SearchAndFooterPanelsAreLeftOut) {
  struct Case { bool search, footer; };
  for (const Case& k : {Case{false, false}, Case{true, false}, Case{true, true}}) {
    BackForm f;
    f.Bg()->SetDisplay(bdGradientVert);
    f.Bg()->SetColorTo(clBlack);
    f.grid->SearchFooter()->SetVisible(k.search);
    f.grid->FloatingFooter()->SetVisible(k.footer);
    int bottom = f.grid->ClientRect().Bottom;
    if (k.search) bottom -= 32;
    if (k.footer) bottom -= f.grid->FooterPanel()->Height();
    TRecordingCanvas c;
    f.grid->PaintBackGround(&c);
    int lowest = 0;
    for (const TRecordedCall& call : c.CallsNamed("Rectangle")) lowest = std::max(lowest, call.Args[3]);
    EXPECT_EQ(lowest, bottom) << k.search << k.footer;
  }
}

TEST(AdvGridBackground, FixedPictureShowsInTheOverlappingCellsOnly) {
  BackForm f;
  f.Picture(20, 20, {clRed});
  f.Bg()->SetDisplay(bdFixed);
  f.Bg()->SetLeft(10);
  f.Bg()->SetTop(10);
  f.Bg()->SetCells(bcAll);
  struct Case { int col, row; std::vector<int> copy; };  // dest, then source
  const Case cases[] = {
      {0, 0, {10, 10, 30, 22, 0, 0, 20, 12}},
      {0, 1, {10, 22, 30, 30, 0, 12, 20, 20}},
      {1, 0, {}},
      {1, 1, {}},
  };
  for (const Case& k : cases) {
    TRecordingCanvas c;
    TGridDrawState st;
    if (k.col == 0 || k.row == 0) st.Include(gdFixed);
    f.Cell(&c, k.col, k.row, st);
    const std::vector<TRecordedCall> copies = c.CallsNamed("CopyRect");
    if (k.copy.empty()) {
      EXPECT_TRUE(copies.empty()) << k.col << "," << k.row;
    } else {  // one copy of the overlapping part
      ASSERT_EQ(copies.size(), 1u) << k.col << "," << k.row;
      EXPECT_EQ(copies[0].Args, k.copy) << k.col << "," << k.row;
    }
  }
}

TEST(AdvGridBackground, CellsChooseWhereTilesGo) {
  struct Case { TBackGroundCells cells; bool fixedCell, normalCell, outside; };
  const Case cases[] = {
      {bcFixed, true, false, false},
      {bcNormal, false, true, true},
      {bcAll, true, true, true},
  };
  for (const Case& k : cases) {
    BackForm f;
    f.Picture(8, 8, {clRed, clBlue});
    f.Bg()->SetCells(k.cells);
    TRecordingCanvas fixedCv, normalCv, outsideCv;
    f.Cell(&fixedCv, 0, 1, TGridDrawState{gdFixed});
    f.Cell(&normalCv, 1, 1);
    f.grid->PaintBackGround(&outsideCv);
    EXPECT_EQ(!fixedCv.CallsNamed("CopyRect").empty(), k.fixedCell) << int(k.cells);
    EXPECT_EQ(!normalCv.CallsNamed("CopyRect").empty(), k.normalCell) << int(k.cells);
    EXPECT_EQ(!outsideCv.CallsNamed("CopyRect").empty(), k.outside) << int(k.cells);
  }
}

TEST(AdvGridBackground, OutsideTilesStartAtTheFirstNormalCell) {
  BackForm f;
  f.Picture(8, 8, {clRed, clBlue});
  TRecordingCanvas c;
  f.grid->PaintBackGround(&c);
  const std::vector<TRecordedCall> copies = c.CallsNamed("CopyRect");
  ASSERT_FALSE(copies.empty());
  // Cell (1, 1) at (64, 22), moved by the text offset (2, 2), one pixel up and left.
  EXPECT_EQ(copies.front().Args, (std::vector<int>{65, 23, 73, 31, 0, 0, 8, 8}));
}

TEST(AdvGridBackground, TilesJoinAcrossNeighbouringCells) {
  for (const bool hidden : {false, true}) {
    BackForm f(hidden ? 5 : 4, 4);
    if (hidden) f.grid->HideColumn(2);  // the displayed columns decide, not the real ones
    const std::vector<TColor> colors = DistinctColors(35);
    f.Picture(7, 5, colors);
    const auto Source = [&](int X, int Y) { return colors[(Y % 5) * 7 + X % 7]; };
    TImageCanvas img(400, 200);
    f.Cell(img.Canvas(), 1, 1);
    f.Cell(img.Canvas(), 2, 1);
    f.Cell(img.Canvas(), 1, 2);
    // In the first normal cell, pixel (x, y) shows the picture at (x - 64 + 1, y - 22 + 1).
    EXPECT_EQ(img.Pixel(127, 30), Source(64, 9)) << hidden;
    // The cell to the right goes on with the next picture column, the cell below with the next row.
    EXPECT_EQ(img.Pixel(128, 30), Source(65, 9)) << hidden;
    EXPECT_EQ(img.Pixel(100, 43), Source(37, 22)) << hidden;
    EXPECT_EQ(img.Pixel(100, 44), Source(37, 23)) << hidden;
  }
}

TEST(AdvGridBackground, VerticalGradientSliceAndColouredCells) {
  BackForm f;
  f.grid->SetBounds(10, 10, 400, 200);
  f.Bg()->SetDisplay(bdGradientVert);
  f.Bg()->SetColor(clWhite);
  f.Bg()->SetColorTo(clBlack);
  // The slice rectangle of this cell spans pixel rows 100 to 120.
  const TRect R = Rect(65, 101, 129, 120);
  {
    TImageCanvas img(300, 200);
    f.grid->DrawCellBackGround(img.Canvas(), 1, 1, 1, R, {});
    EXPECT_EQ(img.Pixel(80, 100), TColor(0x7F7F7F));
    EXPECT_EQ(img.Pixel(80, 119), TColor(0x666666));
    EXPECT_EQ(img.Pixel(80, 121), clWhite);
  }
  struct Case { const char* what; void (*Setup)(TAdvStringGrid*); TGridDrawState state; bool drawn; };
  const Case cases[] = {
      {"plain", [](TAdvStringGrid*) {}, {}, true},
      {"coloured", [](TAdvStringGrid* g) { g->SetColors(1, 1, clRed); }, {}, false},
      {"coloured check box",
       [](TAdvStringGrid* g) { g->SetColors(1, 1, clRed); g->AddCheckBox(1, 1, false, false); }, {}, true},
      {"coloured radio button",
       [](TAdvStringGrid* g) { g->SetColors(1, 1, clRed); g->AddRadioButton(1, 1); }, {}, true},
      {"selected", [](TAdvStringGrid*) {}, TGridDrawState{gdSelected}, false},
      {"focused", [](TAdvStringGrid*) {}, TGridDrawState{gdSelected, gdFocused}, true},
  };
  for (const Case& k : cases) {
    BackForm g;
    g.grid->SetBounds(10, 10, 400, 200);
    g.Bg()->SetDisplay(bdGradientVert);
    g.Bg()->SetColorTo(clBlack);
    k.Setup(g.grid);
    TRecordingCanvas c;
    g.grid->DrawCellBackGround(&c, 1, 1, 1, R, k.state);
    EXPECT_EQ(c.CallsNamed("Rectangle").size(), k.drawn ? 128u : 0u) << k.what;
  }
}

TEST(AdvGridBackground, AGridWithoutExtentPaintsNoGradient) {
  for (const TBackGroundDisplay d : {bdGradientVert, bdGradientHorz}) {
    BackForm f;
    f.Bg()->SetDisplay(d);
    f.Bg()->SetColorTo(clBlack);
    f.grid->SetBounds(10, 10, d == bdGradientHorz ? 0 : 400, d == bdGradientVert ? 0 : 200);
    TRecordingCanvas c;
    f.grid->DrawCellBackGround(&c, 1, 1, 1, Rect(64, 22, 128, 44), {});
    EXPECT_TRUE(c.CallsNamed("Rectangle").empty()) << int(d);
  }
}

TEST(AdvGridBackground, SettersRepaintAndAssignCopiesThePicture) {
  BackForm f;
  const std::vector<void (*)(TBackGround*)> setters = {
      [](TBackGround* b) { b->SetTop(b->Top()); },         [](TBackGround* b) { b->SetLeft(b->Left()); },
      [](TBackGround* b) { b->SetDisplay(b->Display()); }, [](TBackGround* b) { b->SetCells(b->Cells()); },
      [](TBackGround* b) { b->SetColor(b->Color()); },     [](TBackGround* b) { b->SetColorTo(b->ColorTo()); },
  };
  for (size_t i = 0; i < setters.size(); ++i) {
    f.grid->TakeInvalidatedRects();
    setters[i](f.Bg());
    EXPECT_FALSE(f.grid->TakeInvalidatedRects().empty()) << i;  // also an unchanged value
  }
  TBackGround other(nullptr);
  std::unique_ptr<TBitmap> pic = PatternBitmap(5, 3, {clRed});
  other.SetBitmap(pic.get());
  other.SetTop(4);
  other.SetLeft(6);
  other.SetDisplay(bdFixed);
  other.SetCells(bcAll);
  other.SetColor(clRed);
  other.SetColorTo(clNone);
  f.grid->SetBackGround(&other);
  EXPECT_EQ(f.Bg()->Top(), 4);
  EXPECT_EQ(f.Bg()->Left(), 6);
  EXPECT_EQ(f.Bg()->Display(), bdFixed);
  EXPECT_EQ(f.Bg()->Cells(), bcAll);
  EXPECT_EQ(f.Bg()->Color(), clRed);
  EXPECT_EQ(f.Bg()->ColorTo(), clNone);
  EXPECT_EQ(f.Bg()->Bitmap()->Width(), 5);
  EXPECT_NE(f.Bg()->Bitmap(), other.Bitmap());
}

TEST(AdvGridBackground, ProgressAppearanceChangesFireOnce) {
  TGridProgressAppearance a;
  int changes = 0;
  a.OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &a);
    ++changes;
  };
  // Unchanged values fire nothing.
  a.SetLevel1Perc(a.Level1Perc());
  a.SetShowPercentage(a.ShowPercentage());
  a.SetLevel2Color(a.Level2Color());
  a.SetStyle(a.Style());
  EXPECT_EQ(changes, 0);
  a.SetSteps(12);
  a.SetStacked(true);
  EXPECT_EQ(changes, 2);

  TGridProgressAppearance src;
  src.SetLevel0Color(clBlue);
  src.SetStyle(psClassic);
  src.SetCompleteFontColor(clLime);
  changes = 0;
  a.Assign(&src);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(a.Level0Color(), clBlue);
  EXPECT_EQ(a.Style(), psClassic);
  EXPECT_EQ(a.CompleteFontColor(), clLime);
  EXPECT_EQ(a.Steps(), 11);
  EXPECT_FALSE(a.Stacked());
  TBackGround other(nullptr);
  a.Assign(&other);  // another class: ignored
  EXPECT_EQ(changes, 1);
}

TEST(AdvGridBackground, ProgressAppearanceDefaults) {
  const TGridProgressAppearance a;
  EXPECT_EQ(a.UnCompleteFontColor(), clWindowText);
  EXPECT_EQ(a.UnCompleteColor(), clNone);
  EXPECT_EQ(a.CompleteFontColor(), TColor(0xFF0000));
  EXPECT_EQ(a.Level0Color(), TColor(0x00FF00));
  EXPECT_EQ(a.Level2Color(), TColor(0x53A9FF));
  EXPECT_EQ(a.Level3ColorTo(), TColor(0xCACAFF));
  EXPECT_EQ(a.Level1Perc(), 70);
  EXPECT_EQ(a.Level2Perc(), 90);
  EXPECT_EQ(a.Steps(), 11);
  EXPECT_TRUE(a.ShowPercentage() && a.CompletionSmooth() && a.ShowGradient());
  EXPECT_FALSE(a.Stacked() || a.ShowBorder());
  EXPECT_EQ(a.Style(), psXP);
}

}  // namespace
