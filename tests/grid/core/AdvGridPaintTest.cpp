// The string grid's colour and font decision and its cell content: header looks, selection and
// its mix, bands, disabled text, text layout flags, password cells, the sort glyph and the focus
// rectangle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AdvGridCellTestSupport.h"
#include "AdvGridTestSupport.h"
#include "grid/foundation/ZazAdezFill.h"
#include "platform/StdCtrls.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::GridOwner;
using advgrid_test::Utf8;

// A shown 5 x 5 grid of 64 x 22 cells, one fixed row and column, focused.
struct PaintForm : GridForm<> {
  PaintForm() {
    grid->SetScrollBars(ssNone);
    grid->SetColCount(5);
    grid->SetRowCount(5);
    grid->SetDefaultColWidth(64);
    grid->SetDefaultRowHeight(22);
    grid->SetFocus();
    grid->SetSelection(TGridRect{1, 1, 1, 1});
  }
  TCellStyle Look(int DCol, int DRow, TGridDrawState& State) {
    return grid->GetVisualProperties(DCol, DRow, State, false, true, true);
  }
  TColor Brush(int DCol, int DRow) {
    TGridDrawState st;
    return Look(DCol, DRow, st).Color;
  }
  // The content of one cell as the base painter would hand it over.
  void Content(TRecordingCanvas& Cv, int DCol, int DRow, TGridDrawState State = {}) {
    grid->DrawCellContent(&Cv, DCol, DRow, grid->CellRect(DCol, DRow), State);
  }
};

// The texts drawn (measuring calls left out).
std::vector<TRecordedCall> Texts(const TRecordingCanvas& Cv) {
  std::vector<TRecordedCall> out;
  for (const TRecordedCall& c : Cv.CallsNamed("DrawText"))
    if (!(c.Args[4] & DT_CALCRECT)) out.push_back(c);
  return out;
}

TEST(AdvGridPaint, HeaderIsAWhiteToButtonFaceGradientWithLightAndHalvedLines) {
  PaintForm f;
  TGridDrawState st;
  TCellStyle s = f.Look(2, 0, st);
  EXPECT_EQ(s.Color, clWhite);
  EXPECT_EQ(s.ColorTo, ColorToRGB(clBtnFace));
  EXPECT_EQ(s.MirrorColorTo, clNone);
  EXPECT_TRUE(st.Contains(gdFixed));

  TRecordingCanvas cv;
  const TRect r = f.grid->CellRect(2, 0);
  f.Content(cv, 2, 0, TGridDrawState{gdFixed});
  // Bottom line in the halved face, then white along the left and the top.
  bool halved = false, whiteLeft = false, whiteTop = false;
  const auto& calls = cv.Calls();
  for (size_t i = 1; i < calls.size(); ++i) {
    if (calls[i].Name != "LineTo") continue;
    const TRecordedCall& from = calls[i - 1];
    if (calls[i].PenColor == HalveColor(clBtnFace) && calls[i].Args[1] == r.Bottom && from.Args[1] == r.Bottom)
      halved = true;
    if (calls[i].PenColor == clWhite && calls[i].Args[0] == r.Left && calls[i].Args[1] == r.Top) whiteLeft = true;
    if (calls[i].PenColor == clWhite && calls[i].Args[0] == r.Right && calls[i].Args[1] == r.Top) whiteTop = true;
  }
  EXPECT_TRUE(halved) << cv.Log();
  EXPECT_TRUE(whiteLeft) << cv.Log();
  EXPECT_TRUE(whiteTop) << cv.Log();
}

TEST(AdvGridPaint, FixedColumnTextCellKeepsItsBrushWhileACheckBoxCellShowsFixedColor) {
  PaintForm f;
  f.grid->SetLook(glStandard);
  f.grid->SetFixedColor(clAqua);
  f.grid->SetColors(0, 2, clYellow);
  f.grid->AddCheckBox(0, 3, false, false);
  f.grid->SetColors(0, 3, clYellow);
  EXPECT_EQ(f.Brush(0, 2), clYellow);
  EXPECT_EQ(f.Brush(0, 3), clAqua);
  f.grid->OnGetCellColor = [](TObject*, int ARow, int, TGridDrawState, TBrush* B, TFont*) {
    if (ARow == 3) B->SetColor(clLime);
  };
  EXPECT_EQ(f.Brush(0, 3), clLime);
}

struct SelectionCase {
  const char* Name;
  TColor CellColor;  // clNone: the grid's Color
  bool Mixer;
  int Factor;
  TColor Expected;
};

TEST(AdvGridPaint, SelectionAndItsMixTable) {
  const SelectionCase cases[] = {
      {"plain selection", clNone, false, 50, 0xEACAB6},
      {"mixer 50 over red", clRed, true, 50, 0x7565DA},
      {"mixer 100 over red", clRed, true, 100, 0xEACAB6},
      {"mixer 0 over red", clRed, true, 0, clRed},
      {"grid colour keeps plain selection with the mixer", clNone, true, 50, 0xEACAB6},
      {"without mixer a coloured cell gets the plain selection", clRed, false, 50, 0xEACAB6},
  };
  for (const SelectionCase& c : cases) {
    PaintForm f;
    if (c.CellColor != clNone) f.grid->SetColors(2, 2, c.CellColor);
    f.grid->SetSelectionColorMixer(c.Mixer);
    f.grid->SetSelectionColorMixerFactor(c.Factor);
    f.grid->SetSelection(TGridRect{2, 2, 2, 2});
    TGridDrawState st;
    EXPECT_EQ(f.Look(2, 2, st).Color, c.Expected) << c.Name;
    EXPECT_TRUE(st.Contains(gdSelected)) << c.Name;
  }
}

TEST(AdvGridPaint, MixerFactorIsKeptWithinAHundred) {
  GridOwner g;
  g->SetSelectionColorMixerFactor(150);
  EXPECT_EQ(g->SelectionColorMixerFactor(), 100);
  g->SetSelectionColorMixerFactor(-5);
  EXPECT_EQ(g->SelectionColorMixerFactor(), 0);
}

TEST(AdvGridPaint, BandsAlternateInTheNormalAreaOnly) {
  PaintForm f;
  f.grid->Bands()->SetActive(true);
  f.grid->Bands()->SetPrimaryColor(clYellow);
  f.grid->Bands()->SetSecondaryColor(clLime);
  EXPECT_EQ(f.Brush(2, 1), clYellow);
  EXPECT_EQ(f.Brush(2, 2), clLime);
  EXPECT_EQ(f.Brush(2, 3), clYellow);
  EXPECT_NE(f.Brush(0, 1), clYellow);  // fixed column
}

TEST(AdvGridPaint, DisabledGridTakesTheDisabledFontColour) {
  PaintForm f;
  TGridDrawState st;
  EXPECT_EQ(f.Look(2, 2, st).Font.Color(), f.grid->Font()->Color());
  f.grid->SetEnabled(false);
  EXPECT_EQ(f.Look(2, 2, st).Font.Color(), clSilver);
  f.grid->SetUseDisabledFont(false);
  EXPECT_EQ(f.Look(2, 2, st).Font.Color(), f.grid->Font()->Color());
}

TEST(AdvGridPaint, UnfocusedSelectedCellWithoutSelectionColourGetsHighlight) {
  PaintForm f;
  f.grid->SetSelectionColor(clNone);
  f.grid->SetCellEx(2, 2, u"x");
  TRecordingCanvas cv;
  f.Content(cv, 2, 2, TGridDrawState{gdSelected});
  auto t = Texts(cv);
  ASSERT_EQ(t.size(), 1u) << cv.Log();
  EXPECT_EQ(t[0].BrushColor, clHighlight);
}

TEST(AdvGridPaint, ActiveCellColourLeavesNoTraceWhenNotShown) {
  PaintForm f;
  f.grid->SetActiveCellColor(clRed);
  f.grid->SetCellEx(0, 1, u"h");
  for (int c = 0; c < 5; ++c)
    for (int r = 0; r < 5; ++r) EXPECT_NE(f.Brush(c, r), clRed) << c << "," << r;
  TRecordingCanvas cv;
  f.grid->PaintOn(&cv);
  for (const TRecordedCall& call : cv.Calls()) EXPECT_NE(call.BrushColor, clRed) << call.ToString();
  f.grid->SetActiveCellShow(true);
  EXPECT_EQ(f.Brush(0, 1), clRed);
}

TEST(AdvGridPaint, OneLineTextIsCutAtItsCarriageReturn) {
  PaintForm f;
  f.grid->SetWordWrap(false);
  f.grid->SetCellEx(2, 2, u"ab\rcd");
  TRecordingCanvas cv;
  f.Content(cv, 2, 2);
  auto t = Texts(cv);
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(Utf8(t[0].Text), "ab");
  EXPECT_TRUE(t[0].Args[4] & DT_SINGLELINE);
}

TEST(AdvGridPaint, WrappedTextEndsWithEllipsisUnderEnhTextSize) {
  PaintForm f;
  f.grid->SetCellEx(2, 2, u"a long text that wraps");
  TRecordingCanvas cv;
  f.Content(cv, 2, 2);
  EXPECT_FALSE(Texts(cv)[0].Args[4] & DT_END_ELLIPSIS);
  f.grid->SetEnhTextSize(true);
  cv.Clear();
  f.Content(cv, 2, 2);
  auto t = Texts(cv);
  EXPECT_TRUE(t[0].Args[4] & DT_END_ELLIPSIS);
  EXPECT_TRUE(t[0].Args[4] & DT_WORDBREAK);
}

TEST(AdvGridPaint, PasswordCellShowsOneMaskPerCharacter) {
  PaintForm f;
  f.grid->SetCellEx(2, 2, u"secret");
  f.grid->OnIsPasswordCell = [](TObject*, int ARow, int ACol, bool& Pw) { Pw = ACol == 2 && ARow == 2; };
  TRecordingCanvas cv;
  f.Content(cv, 2, 2);
  EXPECT_EQ(Utf8(Texts(cv)[0].Text), "******");
}

TEST(AdvGridPaint, NoDefaultDrawLeavesTextButKeepsBordersAndFocus) {
  PaintForm f;
  f.grid->SetCellEx(1, 1, u"text");
  f.grid->OnGetCellBorder = [](TObject*, int, int, TPen*, TCellBorders& B) { B = TCellBorders{cbLeft}; };
  int drawn = 0;
  f.grid->OnDrawCell = [&](TObject*, int, int, TRect, TGridDrawState) { ++drawn; };
  f.grid->NoDefaultDraw = true;
  TRecordingCanvas cv;
  f.Content(cv, 1, 1, TGridDrawState{gdFocused});
  EXPECT_TRUE(Texts(cv).empty()) << cv.Log();
  EXPECT_EQ(cv.CallsNamed("DrawFocusRect").size(), 1u);
  EXPECT_FALSE(cv.CallsNamed("LineTo").empty());
  EXPECT_EQ(drawn, 1);
  f.grid->NoDefaultDraw = false;
  cv.Clear();
  f.Content(cv, 1, 1, TGridDrawState{gdFocused});
  EXPECT_EQ(Texts(cv).size(), 1u);
}

TEST(AdvGridPaint, FocusRectangleOnlyOnTheFocusedCurrentCellOutsideRowSelect) {
  PaintForm f;
  TRecordingCanvas cv;
  f.Content(cv, 1, 1);
  ASSERT_EQ(cv.CallsNamed("DrawFocusRect").size(), 1u);
  const TRect r = f.grid->CellRect(1, 1);
  EXPECT_EQ(cv.CallsNamed("DrawFocusRect")[0].ToString(),
            "DrawFocusRect(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
                std::to_string(r.Right - 1) + "," + std::to_string(r.Bottom - 1) + ")");
  cv.Clear();
  f.Content(cv, 2, 1);
  EXPECT_TRUE(cv.CallsNamed("DrawFocusRect").empty());
  TGridOptions o = f.grid->Options();
  o.Include(goRowSelect);
  f.grid->SetOptions(o);
  cv.Clear();
  f.Content(cv, 1, 1);
  EXPECT_TRUE(cv.CallsNamed("DrawFocusRect").empty());
  o.Exclude(goRowSelect);
  f.grid->SetOptions(o);
  auto* other = New<TEdit>(f.form);
  other->SetParent(f.form);
  other->SetBounds(420, 10, 80, 22);
  other->SetFocus();
  ASSERT_FALSE(f.grid->Focused());
  cv.Clear();
  f.Content(cv, 1, 1);
  EXPECT_TRUE(cv.CallsNamed("DrawFocusRect").empty());
  f.grid->SetHideFocusRect(true);
  f.grid->SetFocus();
  cv.Clear();
  f.Content(cv, 1, 1);
  EXPECT_TRUE(cv.CallsNamed("DrawFocusRect").empty());
}

TEST(AdvGridPaint, CentredSortedHeaderStartsTenRightWithTheGlyphEightFromTheLeft) {
  PaintForm f;
  f.grid->SetCellEx(2, 0, u"Name");
  f.grid->SortSettings()->SetShow(true);
  f.grid->SortSettings()->SetColumn(2);
  f.grid->OnGetAlignment = [](TObject*, int, int, TAlignment& H, TVAlignment&) { H = taCenter; };
  TRecordingCanvas cv;
  const TRect r = f.grid->CellRect(2, 0);
  f.Content(cv, 2, 0, TGridDrawState{gdFixed});
  auto t = Texts(cv);
  ASSERT_EQ(t.size(), 1u);
  // Past the fixed cell's grid line and the margin, then 10 for the glyph.
  EXPECT_EQ(t[0].Args[0], r.Left + 1 + 2 + 10);
  // The ascending glyph: a white base line ending at its tip (x, y - 4).
  bool tip = false;
  for (const TRecordedCall& c : cv.CallsNamed("LineTo"))
    if (c.Args[0] == r.Left + 8 && c.Args[1] == r.Top + 8 - 4 && c.PenColor == clWhite) tip = true;
  EXPECT_TRUE(tip) << cv.Log();
}

TEST(AdvGridPaint, AHookThatRaisesWhilePaintingIsCaughtThere) {
  PaintForm f;
  f.grid->SetCellEx(2, 2, u"x");
  f.grid->OnCustomCellDraw = [](TObject*, TCanvas*, int, int, TGridDrawState, TRect, bool) {
    throw Exception(u"boom");
  };
  TRecordingCanvas cv;
  EXPECT_NO_THROW(f.Content(cv, 2, 2));
  EXPECT_EQ(Texts(cv).size(), 1u);
}

TEST(AdvGridPaint, LookBorderLiesOnePixelInsideTheParentColouredLine) {
  PaintForm f;
  f.form->SetColor(clAqua);
  const int W = f.grid->Width(), H = f.grid->Height();
  TRecordingCanvas cv;
  f.grid->DrawLookBorder(&cv);
  std::vector<std::string> inner, outer;
  for (const TRecordedCall& c : cv.Calls()) {
    if (c.PenColor == 0xB99D7F) inner.push_back(c.ToString());
    if (c.PenColor == clAqua) outer.push_back(c.ToString());
  }
  auto pt = [](const char* n, int x, int y) { return std::string(n) + "(" + std::to_string(x) + "," + std::to_string(y) + ")"; };
  EXPECT_EQ(inner, (std::vector<std::string>{pt("MoveTo", 1, H), pt("LineTo", 1, 1), pt("LineTo", W - 2, 1),
                                              pt("LineTo", W - 2, H - 2), pt("LineTo", 1, H - 2)}));
  EXPECT_EQ(outer, (std::vector<std::string>{pt("MoveTo", 0, H), pt("LineTo", 0, 0), pt("LineTo", W - 1, 0),
                                              pt("LineTo", W - 1, H - 1), pt("LineTo", 0, H - 1)}));
  // Flat grids and looks without a border draw none.
  for (int k = 0; k < 2; ++k) {
    PaintForm g;
    if (k == 0) g.grid->SetFlat(true);
    if (k == 1) g.grid->SetLook(glStandard);
    TRecordingCanvas none;
    g.grid->DrawLookBorder(&none);
    EXPECT_TRUE(none.Calls().empty()) << k;
  }
}

TEST(AdvGridPaint, SpreadSheetOffStillSwitchesItsSettingsOn) {
  GridOwner g;
  g->SetSpreadSheet(false);
  EXPECT_FALSE(g->SpreadSheet());
  EXPECT_TRUE(g->SelectionRectangle());
  EXPECT_TRUE(g->SelectionResizer());
  EXPECT_TRUE(g->Navigation()->AllowSmartClipboard());
  EXPECT_TRUE(g->Options().Contains(goRangeSelect));
  EXPECT_TRUE(g->Options().Contains(goEditing));
  EXPECT_TRUE(g->MouseActions()->RangeSelectAndEdit());
}

TEST(AdvGridPaint, PartialRepaintDrawsTheCellAsTheFullPaintDoes) {
  PaintForm f;
  for (int c = 0; c < 5; ++c)
    for (int r = 0; r < 5; ++r) f.grid->SetCellEx(c, r, IntToStr(c * 10 + r));
  const TRect cell = f.grid->CellRect(2, 3);
  auto callsIn = [&](const TRecordingCanvas& cv) {
    std::vector<std::string> out;
    for (const TRecordedCall& c : cv.Calls())
      if (c.Name == "DrawText" && c.Args[0] >= cell.Left && c.Args[2] <= cell.Right && c.Args[1] >= cell.Top &&
          c.Args[3] <= cell.Bottom)
        out.push_back(c.ToString() + " b" + std::to_string(c.BrushColor) + " f" + std::to_string(c.FontColor));
    return out;
  };
  TRecordingCanvas full, part;
  f.grid->PaintOn(&full);
  f.grid->PaintOn(&part, &cell);
  const auto a = callsIn(full), b = callsIn(part);
  ASSERT_FALSE(a.empty());
  EXPECT_EQ(a, b);
}

}  // namespace
