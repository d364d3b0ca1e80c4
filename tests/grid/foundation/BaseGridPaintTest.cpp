#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "BaseGridTestSupport.h"
#include "grid/foundation/ZazAdezDraw.h"
#include "platform/StdCtrls.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

using basegrid_test::GridForm;
using basegrid_test::Utf8;

// Calls with the brush and pen colours in force, one a line.
std::string ColouredLog(const std::vector<TRecordedCall>& calls, size_t n) {
  std::ostringstream o;
  for (size_t i = 0; i < n && i < calls.size(); ++i)
    o << calls[i].ToString() << " b" << calls[i].BrushColor << " p" << calls[i].PenColor << "\n";
  return o.str();
}

std::vector<std::string> Lines(const TRecordingCanvas& cv) {
  std::vector<std::string> out;
  for (const TRecordedCall& c : cv.Calls())
    if (c.Name == "MoveTo" || c.Name == "LineTo") out.push_back(c.ToString());
  return out;
}

TColor FirstFill(const TRecordingCanvas& cv) {
  for (const TRecordedCall& c : cv.Calls())
    if (c.Name == "Rectangle") return c.BrushColor;
  return -1;
}

TEST(BaseGridPaintTest, HiddenLastRowIsOnlyFilledInTheGridColour) {
  GridForm f;
  f.grid->SetColor(clWhite);
  f.grid->SetHideLastRow(true);
  f.grid->SetCellEx(1, 5, u"never shown");
  f.grid->SetSelectionStyle(ssWin7);
  f.grid->SetSelection(TGridRect{0, 5, 3, 5});
  TRecordingCanvas cv;
  f.grid->DoPaintCell(&cv, 1, 5, f.grid->CellRect(1, 5), TGridDrawState{gdSelected}, true);
  ASSERT_EQ(cv.Calls().size(), 1u) << cv.Log();
  EXPECT_EQ(cv.Calls()[0].ToString(), "Rectangle(50,100,100,120)");
  EXPECT_EQ(cv.Calls()[0].BrushColor, clWhite);
  EXPECT_EQ(cv.Calls()[0].PenColor, clWhite);
}

TEST(BaseGridPaintTest, ScrolledOutMergedRangeIsPaintedOncePerPassAndClipped) {
  GridForm f(8, 6, 1, 1, 200, 120);
  TBaseGrid* g = f.grid;
  g->MergeCells(1, 1, 3, 2);
  g->SetCellEx(1, 1, u"M");
  g->SetLeftCol(3);
  for (int pass = 0; pass < 2; ++pass) {
    TRecordingCanvas cv;
    g->PaintOn(&cv);
    std::vector<std::string> texts, clips;
    for (const TRecordedCall& c : cv.Calls()) {
      if (c.Name == "DrawText" && c.Text == u"M") texts.push_back(c.ToString());
      if (c.Name == "IntersectClipRect") clips.push_back(c.ToString());
    }
    // Range (-50,20)-(100,60) less the line width; the clip keeps it off the fixed cells.
    ASSERT_EQ(texts.size(), 1u) << "pass " << pass;
    EXPECT_EQ(texts[0], "DrawText(-49,21,99,59,37,'M')");
    EXPECT_EQ(clips, std::vector<std::string>{"IntersectClipRect(50,20,200,120)"});
  }
}

struct SelectionCase {
  int col;
  int kind;
};

TEST(BaseGridPaintTest, Win7SelectionBarSegmentsFocusedAndUnfocused) {
  GridForm f;
  TBaseGrid* g = f.grid;
  g->SetColor(clWhite);
  g->SetSelectionStyle(ssWin7);
  auto check = [&](int col, int kind, bool focusedFace) {
    SCOPED_TRACE("col " + std::to_string(col) + (focusedFace ? " focused" : " unfocused"));
    TRect r = g->CellRect(col, 1);
    TRecordingCanvas actual, expected;
    g->DoPaintCell(&actual, col, 1, r, TGridDrawState{gdSelected}, true);
    if (focusedFace)
      DrawSelectionBar(&expected, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE,
                       clWhite, r, kind);
    else
      DrawSelectionBar(&expected, 0xF8F8F8, 0xE5E5E5, clNone, clNone, 0xFBFAFA, 0xF0F0F0, 0xD9D9D9, 0xEFEFEF,
                       clWhite, r, kind);
    size_t n = expected.Calls().size();
    ASSERT_GT(n, 0u);
    EXPECT_EQ(ColouredLog(actual.Calls(), n), ColouredLog(expected.Calls(), n));
  };
  g->SetSelection(TGridRect{2, 1, 4, 1});
  for (SelectionCase c : {SelectionCase{2, 1}, {3, 3}, {4, 2}}) check(c.col, c.kind, true);
  g->SetSelection(TGridRect{3, 1, 3, 1});
  check(3, 0, true);

  // Focus elsewhere: the grey face, unless goDrawFocusSelected keeps the focused look.
  TEdit* other = New<TEdit>(f.form);
  other->SetParent(f.form);
  other->SetFocus();
  g->SetSelection(TGridRect{2, 1, 4, 1});
  for (SelectionCase c : {SelectionCase{2, 1}, {3, 3}, {4, 2}}) check(c.col, c.kind, false);
  g->SetOptions(g->Options() | TGridOptions{goDrawFocusSelected});
  check(3, 3, true);
}

TEST(BaseGridPaintTest, SelectionBarIsGreyWhileTheInplaceEditorHoldsTheFocus) {
  GridForm f;
  TBaseGrid* g = f.grid;
  g->SetColor(clWhite);
  g->SetSelectionStyle(ssWin7);
  g->SetOptions(g->Options() | TGridOptions{goEditing});
  g->SetSelection(TGridRect{2, 1, 4, 1});
  g->SetEditorMode(true);
  ASSERT_NE(g->InplaceEditor(), nullptr);
  ASSERT_TRUE(g->InplaceEditor()->Focused());
  ASSERT_FALSE(g->Focused());
  TRect r = g->CellRect(3, 1);
  TRecordingCanvas actual, expected;
  g->DoPaintCell(&actual, 3, 1, r, TGridDrawState{gdSelected}, true);
  DrawSelectionBar(&expected, 0xF8F8F8, 0xE5E5E5, clNone, clNone, 0xFBFAFA, 0xF0F0F0, 0xD9D9D9, 0xEFEFEF, clWhite,
                   r, 3);
  size_t n = expected.Calls().size();
  ASSERT_GT(n, 0u);
  EXPECT_EQ(ColouredLog(actual.Calls(), n), ColouredLog(expected.Calls(), n));
}

TEST(BaseGridPaintTest, DefaultSelectionStyleTakesTheLookFromVisualProperties) {
  struct Grid : TBaseGrid {
    using TBaseGrid::TBaseGrid;
    TCellStyle GetVisualProperties(int c, int r, TGridDrawState& st, bool p, bool s, bool m) override {
      TCellStyle style = TBaseGrid::GetVisualProperties(c, r, st, p, s, m);
      style.Color = 0x0000AA;
      return style;
    }
  };
  std::unique_ptr<Grid> g(New<Grid>(nullptr));
  g->SetBounds(0, 0, 300, 200);
  TRecordingCanvas cv;
  g->DoPaintCell(&cv, 1, 1, g->CellRect(1, 1), TGridDrawState{gdSelected}, true);
  EXPECT_EQ(FirstFill(cv), 0x0000AA);
  EXPECT_EQ(cv.CallsNamed("Rectangle").size(), 1u);  // solid: no gradient end given
}

// The background and the content's font come from the one style value the grid answers, and the
// painter goes on with the drawing state that answer left.
TEST(BaseGridPaintTest, TheCellIsPaintedFromItsStyleValue) {
  struct Grid : TBaseGrid {
    using TBaseGrid::TBaseGrid;
    TCellStyle style;
    bool makeFixed = false;
    String fontName;
    int fontSize = 0;
    TColor fontColor = 0;
    TFontStyles fontStyle;
    TCellStyle GetVisualProperties(int, int, TGridDrawState& st, bool, bool, bool) override {
      if (makeFixed) st.Include(gdFixed);
      return style;
    }
    void DrawCellContent(TCanvas* cv, int, int, TRect, TGridDrawState) override {
      fontName = cv->Font()->Name();
      fontSize = cv->Font()->Size();
      fontColor = cv->Font()->Color();
      fontStyle = cv->Font()->Style();
    }
  };
  constexpr TColor kFrom = 0x102030, kTo = 0x405060, kMirror = 0x708090, kMirrorTo = 0xA0B0C0;
  struct Case {
    const char* name;
    TColor colorTo, mirror, mirrorTo;
    TCellGradientDirection direction;
  } cases[] = {
      {"solid", clNone, clNone, clNone, GradientVertical},
      {"vertical gradient", kTo, clNone, clNone, GradientVertical},
      {"horizontal gradient", kTo, clNone, clNone, GradientHorizontal},
      {"mirrored halves", kTo, kMirror, kMirrorTo, GradientVertical},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<Grid> g(New<Grid>(nullptr));
    g->SetBounds(0, 0, 300, 200);
    g->SetDefaultColWidth(50);
    g->SetDefaultRowHeight(20);
    g->style.Color = kFrom;
    g->style.ColorTo = c.colorTo;
    g->style.MirrorColor = c.mirror;
    g->style.MirrorColorTo = c.mirrorTo;
    g->style.GradientDirection = c.direction;
    g->style.Font.SetName(u"Courier New");
    g->style.Font.SetSize(13);
    g->style.Font.SetColor(0x0000C0);
    g->style.Font.SetStyle(fsBold | fsItalic);
    TRect r = g->CellRect(2, 1);
    TRecordingCanvas actual, expected;
    g->DoPaintCell(&actual, 2, 1, r, TGridDrawState{}, true);
    if (c.mirrorTo != clNone)
      DrawGradientBackground(&expected, r, kFrom, c.colorTo, c.mirror, c.mirrorTo, 1, clNone, false, true);
    else
      FillGradient(&expected, kFrom, c.colorTo, 64, r, c.direction == GradientHorizontal);
    size_t n = expected.Calls().size();
    ASSERT_GT(n, 0u);
    EXPECT_EQ(ColouredLog(actual.Calls(), n), ColouredLog(expected.Calls(), n));
    EXPECT_EQ(Utf8(g->fontName), "Courier New");
    EXPECT_EQ(g->fontSize, 13);
    EXPECT_EQ(g->fontColor, 0x0000C0);
    EXPECT_EQ(g->fontStyle, fsBold | fsItalic);
    EXPECT_EQ(Lines(actual), (std::vector<std::string>{"MoveTo(100,39)", "LineTo(150,39)", "MoveTo(149,39)",
                                                        "LineTo(149,19)"}));
    EXPECT_EQ(actual.CallsNamed("LineTo")[0].PenColor, clSilver);
  }

  // A state the style answer makes fixed draws the fixed cell's lines.
  std::unique_ptr<Grid> g(New<Grid>(nullptr));
  g->SetBounds(0, 0, 300, 200);
  g->makeFixed = true;
  TRecordingCanvas cv;
  g->DoPaintCell(&cv, 2, 1, g->CellRect(2, 1), TGridDrawState{}, true);
  auto lines = cv.CallsNamed("LineTo");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].PenColor, clGray);
}

TEST(BaseGridPaintTest, ActiveRowAndHoverRowColours) {
  constexpr TColor kActive = 0x00CCEE, kHover = 0x123456, kGrid = clWhite;
  struct Case {
    const char* name;
    bool active, showSel, hover;
    THoverRowCells hoverCells;
    int col, row;
    TGridDrawState state;
    TColor want;
  } cases[] = {
      {"active row, other cell", true, true, false, {}, 3, 2, {}, kActive},
      {"active row, current cell", true, true, false, {}, 1, 2, {}, kGrid},
      {"active row, current cell, selection hidden", true, false, false, {}, 1, 2, {}, kActive},
      {"other row", true, true, false, {}, 3, 3, {}, kGrid},
      {"active row off", false, true, false, {}, 3, 2, {}, kGrid},
      {"hover normal", false, true, true, {hcNormal, hcSelected}, 2, 4, {}, kHover},
      {"hover selected", false, true, true, {hcNormal, hcSelected}, 2, 4, {gdSelected}, kHover},
      {"hover fixed", false, true, true, {hcNormal, hcSelected}, 2, 4, {gdFixed}, kGrid},
      {"hover fixed allowed", false, true, true, {hcFixed}, 2, 4, {gdFixed}, kHover},
      {"hover selected refused", false, true, true, {hcNormal}, 2, 4, {gdSelected}, kGrid},
      {"hover, other row", false, true, true, {hcNormal}, 2, 3, {}, kGrid},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridForm f;
    TBaseGrid* g = f.grid;
    g->SetColor(kGrid);
    g->SetCol(1);
    g->SetRow(2);
    g->SetActiveRowShow(c.active);
    g->SetActiveRowColor(kActive);
    g->SetShowSel(c.showSel);
    g->SetHoverRow(c.hover);
    g->SetHoverRowIdx(4);
    g->SetHoverRowColor(kHover);
    g->SetHoverRowCells(c.hoverCells);
    TRecordingCanvas cv;
    g->DoPaintCell(&cv, c.col, c.row, g->CellRect(c.col, c.row), c.state, true);
    EXPECT_EQ(FirstFill(cv), c.want);
  }
}

TEST(BaseGridPaintTest, ActiveRowGradientsAndTheExtendedPainter) {
  GridForm f;
  TBaseGrid* g = f.grid;
  g->SetColor(clWhite);
  g->SetRow(2);
  g->SetActiveRowShow(true);
  g->SetActiveRowColor(0x00FF00);
  g->SetActiveRowColorTo(0x0000FF);
  TRecordingCanvas grad;
  g->DoPaintCell(&grad, 3, 2, g->CellRect(3, 2), {}, true);
  EXPECT_GT(grad.CallsNamed("Rectangle").size(), 2u);  // bands of a vertical gradient
  EXPECT_EQ(FirstFill(grad), 0x00FF00);

  // Unresolved painting of a selected cell: active-row colours, no content.
  g->SetActiveRowShow(false);
  g->SetActiveRowColorTo(clNone);
  TRecordingCanvas ext;
  g->SetCellEx(4, 4, u"text");
  g->PaintCellExt(&ext, 4, 4, Rect(0, 0, 30, 10), TGridDrawState{gdSelected});
  EXPECT_EQ(FirstFill(ext), 0x00FF00);
  EXPECT_TRUE(ext.CallsNamed("DrawText").empty());
  EXPECT_EQ(ext.CallsNamed("Rectangle")[0].ToString(), "Rectangle(0,0,30,10)");
}

TEST(BaseGridPaintTest, GridLinesAndContentRectangleByLineWidth) {
  struct Case {
    int width;
    bool fixed;
    std::vector<std::string> lines;
    const char* content;
    TColor pen;
  } cases[] = {
      {0, false, {"MoveTo(101,60)", "LineTo(151,60)", "MoveTo(150,60)", "LineTo(150,40)"},
       "DrawText(100,40,150,60,37,'c')", clWhite},
      {1, false, {"MoveTo(100,59)", "LineTo(150,59)", "MoveTo(149,59)", "LineTo(149,39)"},
       "DrawText(101,41,149,59,37,'c')", clSilver},
      {3, false, {"MoveTo(99,58)", "LineTo(149,58)", "MoveTo(148,58)", "LineTo(148,38)"},
       "DrawText(103,43,147,57,37,'c')", clSilver},
      // Fixed cells: width 1 in the fixed line colour whatever the grid's width; 1 and 2 pixels off.
      {3, true, {"MoveTo(100,59)", "LineTo(150,59)", "MoveTo(149,59)", "LineTo(149,39)"},
       "DrawText(100,40,149,58,37,'c')", clGray},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("width " + std::to_string(c.width) + (c.fixed ? " fixed" : ""));
    GridForm f;
    TBaseGrid* g = f.grid;
    g->SetColor(clWhite);
    g->SetGridLineWidth(c.width);
    g->SetCellEx(2, 2, u"c");
    TRecordingCanvas cv;
    g->DoPaintCell(&cv, 2, 2, g->CellRect(2, 2), c.fixed ? TGridDrawState{gdFixed} : TGridDrawState{}, true);
    EXPECT_EQ(Lines(cv), c.lines);
    auto lineCalls = cv.CallsNamed("LineTo");
    ASSERT_EQ(lineCalls.size(), 2u);
    EXPECT_EQ(lineCalls[0].PenColor, c.pen);
    auto text = cv.CallsNamed("DrawText");
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].ToString(), c.content);
  }
}

TEST(BaseGridPaintTest, PaintAdvancesThePassAndSelectionRepaintsBothCells) {
  GridForm f;
  TBaseGrid* g = f.grid;
  int before = g->PaintID();
  TRecordingCanvas cv;
  g->PaintOn(&cv);
  EXPECT_EQ(g->PaintID(), before + 1);

  g->SetCol(1);
  g->SetRow(1);
  g->TakeInvalidatedRects();
  g->SetCol(3);
  std::vector<TRect> inv = g->TakeInvalidatedRects();
  auto has = [&](TRect r) { return std::find(inv.begin(), inv.end(), r) != inv.end(); };
  EXPECT_TRUE(has(Rect(50, 20, 100, 40)));
  EXPECT_TRUE(has(Rect(150, 20, 200, 40)));
}

TEST(BaseGridPaintTest, ScrollingRepaintsMergedHeaderCells) {
  GridForm f(10, 6, 1, 1, 200, 120);
  TBaseGrid* g = f.grid;
  g->MergeCells(2, 0, 3, 1);  // a merged header over columns 2..4
  g->TakeInvalidatedRects();
  g->SetLeftCol(2);
  std::vector<TRect> inv = g->TakeInvalidatedRects();
  EXPECT_NE(std::find(inv.begin(), inv.end(), g->CellRect(2, 0)), inv.end());
}

}  // namespace
