// Whole colour schemes and following the office suite's colour theme.
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvGrid.h"
#include "platform/Messages.h"

namespace {

// The office suite's "Theme" value under the 14.0 key (-1: none, then the XP scheme decides).
class ScopedGridOfficeTheme {
 public:
  explicit ScopedGridOfficeTheme(int v14) { Set(v14); }
  ~ScopedGridOfficeTheme() { SetOfficeThemeReader(nullptr); }
  void Set(int v14) {
    SetOfficeThemeReader([v14](const String& key) { return key == kOffice14CommonKey ? v14 : -1; });
  }
};

struct StyledGrid {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  ~StyledGrid() { delete g; }
};

TEST(AdvGridStyles, FollowingTheOfficeThemeAppliesItsStyleOnce) {
  struct Case { int v14; TOfficeTheme theme; TQELStyle style; TColor gradFrom; TGridLook look; };
  const Case cases[] = {
      {1, ot2010Blue, tsOffice2010Blue, 0xF5E7DA, glOffice2007},
      {2, ot2010Silver, tsOffice2010Silver, 0xE8E3DF, glOffice2007},
      {3, ot2010Black, tsOffice2010Black, 0x6A6A6A, glOffice2007},
  };
  for (const Case& c : cases) {
    ScopedGridOfficeTheme theme(c.v14);
    StyledGrid t;
    t.g->FollowOfficeTheme();
    EXPECT_EQ(t.g->FollowedOfficeTheme(), c.theme) << c.v14;
    EXPECT_EQ(t.g->ComponentStyle(), c.style) << c.v14;
    EXPECT_EQ(t.g->QELGradientFrom(), c.gradFrom) << c.v14;
    EXPECT_EQ(t.g->Look(), c.look) << c.v14;
    // The same theme again leaves what the user changed since.
    t.g->SetGridLineColor(clRed);
    t.g->FollowOfficeTheme();
    EXPECT_EQ(t.g->GridLineColor(), clRed) << c.v14;
  }
}

TEST(AdvGridStyles, LoadedAndTheSwitchFollowTheThemeOnlyWithAutoThemeAdapt) {
  ScopedGridOfficeTheme theme(3);
  {
    StyledGrid t;
    t.g->Loaded();
    EXPECT_EQ(t.g->FollowedOfficeTheme(), otUnknown);
    EXPECT_NE(t.g->ComponentStyle(), tsOffice2010Black);
  }
  {
    StyledGrid t;
    t.g->SetAutoThemeAdapt(true);  // the switch follows at once
    EXPECT_EQ(t.g->ComponentStyle(), tsOffice2010Black);
  }
  {
    StyledGrid t;
    t.g->SetLoading(true);
    t.g->SetAutoThemeAdapt(true);
    theme.Set(1);  // changed while the form loads
    t.g->SetLoading(false);  // loaded
    EXPECT_EQ(t.g->FollowedOfficeTheme(), ot2010Blue);
    EXPECT_EQ(t.g->ComponentStyle(), tsOffice2010Blue);
  }
}

TEST(AdvGridStyles, ThemeChangeMessagesFollowTheNewTheme) {
  ScopedGridOfficeTheme theme(1);
  advgrid_test::GridForm<> f;
  f.grid->SetAutoThemeAdapt(true);
  EXPECT_EQ(f.grid->ComponentStyle(), tsOffice2010Blue);
  theme.Set(2);
  f.grid->Perform(WM_OFFICETHEMECHANGED, 0, 0);
  EXPECT_EQ(f.grid->ComponentStyle(), tsOffice2010Silver);
  theme.Set(3);
  f.grid->Perform(WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(f.grid->ComponentStyle(), tsOffice2010Black);
  f.grid->SetAutoThemeAdapt(false);
  theme.Set(1);
  f.grid->Perform(WM_OFFICETHEMECHANGED, 0, 0);
  EXPECT_EQ(f.grid->ComponentStyle(), tsOffice2010Black);
}

TEST(AdvGridStyles, ComponentStyleLeavesSlimScrollBarsExceptCustom) {
  StyledGrid t;
  t.g->SetScrollType(ssMetro);
  t.g->SetComponentStyle(tsCustom);
  EXPECT_EQ(t.g->ScrollType(), ssMetro);
  t.g->SetComponentStyle(tsOffice2003Blue);
  EXPECT_EQ(t.g->ScrollType(), ssNormal);
  EXPECT_EQ(t.g->ComponentStyle(), tsOffice2003Blue);
}

TEST(AdvGridStyles, PresetValues) {
  StyledGrid t;
  t.g->SetStyle(gsWindows7);
  EXPECT_EQ(t.g->Look(), glWin7);
  EXPECT_EQ(t.g->QELGradientFrom(), TColor(0xFDFCFA));
  EXPECT_EQ(t.g->ControlLook()->FixedGradientFrom(), clNone);
  EXPECT_EQ(t.g->SearchFooter()->ColorTo(), TColor(0xF7E9DD));
  EXPECT_EQ(t.g->SelectionStyle(), ssWin7);
  EXPECT_EQ(t.g->QELGradientHoverFrom(), TColor(0xFEFBF8));  // the control look wrote it through
  EXPECT_EQ(t.g->QELGradientHoverBorder(), TColor(0xEEE8E3));
  EXPECT_EQ(t.g->SortSettings()->HeaderMirrorColorTo(), TColor(0xF6ECD8));

  t.g->SetStyle(gsOffice2003Olive);
  EXPECT_EQ(t.g->Look(), glXP);
  EXPECT_EQ(t.g->ControlLook()->FixedGradientFrom(), TColor(0xCFF0EA));
  EXPECT_EQ(t.g->QELGradientMirrorFrom(), clNone);
  EXPECT_EQ(t.g->SelectionColorTo(), TColor(0x1595EE));
  EXPECT_EQ(t.g->SelectionTextColor(), clBlack);
  EXPECT_EQ(t.g->SortSettings()->HeaderColor(), clNone);
  EXPECT_EQ(t.g->SelectionStyle(), ssDefault);

  t.g->SetGridLineColor(clRed);
  t.g->SetStyle(gsCustom);  // only the first step
  EXPECT_EQ(t.g->GridLineColor(), clRed);
  EXPECT_EQ(t.g->SelectionColor(), clHighlight);
  EXPECT_EQ(t.g->SelectionTextColor(), clHighlightText);

  t.g->SetStyle(gsOffice2007Luna);
  EXPECT_EQ(t.g->SelectionStyle(), ssOffice2007);
  EXPECT_EQ(t.g->ControlLook()->FixedGradientDownBorder(), TColor(0xE4C19D));
}

// kSame: the value the fresh grid had before the style.
constexpr TColor kSame = 0x7EADBEEF;

TEST(AdvGridStyles, EveryPresetAsATable) {
  struct Case {
    TAdvGridStyle style;
    TGridLook look;
    TColor gradFrom, gradTo, mirrorFrom, mirrorTo, activeFrom, activeTo, selection, selectionTo, selectionText;
    TColor lines, fixedLines, footer, footerTo, lookFrom;
  };
  const TColor hl = clHighlight, hlt = clHighlightText, n = clNone, bf = clBtnFace;
  // clang-format off
  const Case cases[] = {
    {gsOffice2003Blue, glXP, 0xFCE1CB, 0xE0A57D, n, n, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE, clBlack, clSilver, clGray, 0xFCE1CB, n, 0xFCE1CB},
    {gsOffice2003Silver, glXP, 0xECE2E1, 0xB39698, n, n, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE, clBlack, clSilver, clGray, 0xECE2E1, n, 0xECE2E1},
    {gsOffice2003Olive, glXP, 0xCFF0EA, 0x8CC0B1, n, n, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE, clBlack, clSilver, clGray, 0xCFF0EA, n, 0xCFF0EA},
    {gsOffice2003Classic, glXP, 0xFFFFFF, 0xCCD4D8, n, n, 0xD8D5D4, 0xD8D5D4, hl, n, hlt, clSilver, clGray, 0xFFFFFF, n, n},
    {gsOffice2007Luna, glOffice2007, 0xFBF9F6, 0xE8DBD2, n, n, 0x9DD8F9, 0x5EC1F1, 0x5EC1F1, n, clBlack, 0xF1EDEB, 0xD1BBA4, 0xFBF9F6, n, 0xFBF9F6},
    {gsOffice2007Obsidian, glOffice2007, 0xF7F7F7, 0xDEDEDE, n, n, 0x9DD8F9, 0x5EC1F1, 0x5EC1F1, n, clBlack, 0xE5D7D0, clGray, 0xF7F7F7, n, 0xF7F7F7},
    {gsWindowsXP, glXP, bf, bf, n, n, bf, bf, hl, n, hlt, clSilver, clGray, bf, n, n},
    {gsWhidbey, glXP, 0xFFFFFF, bf, n, n, 0x94E6FB, 0x1595EE, hl, n, hlt, clSilver, clGray, 0xFFFFFF, n, n},
    {gsCustom, glXP, kSame, kSame, kSame, kSame, kSame, kSame, hl, n, hlt, kSame, kSame, kSame, kSame, n},
    {gsOffice2007Silver, glOffice2007, 0xF3F3F1, 0xCAC9C8, n, n, 0x99CCFF, 0x699CFF, 0x95C7F5, n, clBlack, 0xE5D7D0, clGray, 0xF3F3F1, n, 0xF3F3F1},
    {gsWindowsVista, glVista, 0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1, 0xFDF8F1, 0xFCEFD5, 0xEACAB6, n, clBlack, 0xECECF0, 0xD4D2D1, 0xFFFFFF, 0xF4F2F1, n},
    {gsWindows7, glWin7, 0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD, 0xFCEBDC, 0xFCDBC1, 0xEACAB6, n, clBlack, 0xECECF0, 0xD4D2D1, 0xFDFCFA, 0xF7E9DD, n},
    // The terminal look's own preset (grey headers, grid lines) stays where the style changes nothing.
    {gsTerminal, glStandard, bf, n, n, n, 0x808080, n, hl, n, hlt, 0xC0C0C0, 0x808080, bf, bf, n},
    {gsOffice2010Blue, glOffice2007, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, n, clBlack, clSilver, 0xC7B0A0, 0xF5E7DA, 0xF5E7DA, n},
    {gsOffice2010Silver, glOffice2007, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, n, clBlack, clSilver, 0xBAB5B1, 0xE8E3DF, 0xE8E3DF, n},
    {gsOffice2010Black, glOffice2007, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, n, clBlack, clSilver, 0x444444, 0x6A6A6A, 0x6A6A6A, n},
  };
  // clang-format on
  static_assert(std::size(cases) == gsOffice2010Black + 1);
  for (const Case& c : cases) {
    StyledGrid t;
    TAdvStringGrid* g = t.g;
    const auto Expect = [&](TColor Got, TColor Want, TColor Before, const char* What) {
      EXPECT_EQ(ColorToRGB(Got), ColorToRGB(Want == kSame ? Before : Want)) << int(c.style) << " " << What;
    };
    const TColor before[] = {g->QELGradientFrom(), g->QELGradientTo(), g->QELGradientMirrorFrom(),
                             g->QELGradientMirrorTo(), g->ActiveCellColor(), g->ActiveCellColorTo(),
                             g->GridLineColor(), g->GridFixedLineColor(), g->SearchFooter()->Color(),
                             g->SearchFooter()->ColorTo()};
    g->SetStyle(c.style);
    EXPECT_EQ(g->Look(), c.look) << int(c.style);
    Expect(g->QELGradientFrom(), c.gradFrom, before[0], "gradient from");
    Expect(g->QELGradientTo(), c.gradTo, before[1], "gradient to");
    Expect(g->QELGradientMirrorFrom(), c.mirrorFrom, before[2], "mirror from");
    Expect(g->QELGradientMirrorTo(), c.mirrorTo, before[3], "mirror to");
    Expect(g->ActiveCellColor(), c.activeFrom, before[4], "active");
    Expect(g->ActiveCellColorTo(), c.activeTo, before[5], "active to");
    Expect(g->SelectionColor(), c.selection, 0, "selection");
    Expect(g->SelectionColorTo(), c.selectionTo, 0, "selection to");
    Expect(g->SelectionTextColor(), c.selectionText, 0, "selection text");
    Expect(g->GridLineColor(), c.lines, before[6], "lines");
    Expect(g->GridFixedLineColor(), c.fixedLines, before[7], "fixed lines");
    Expect(g->SearchFooter()->Color(), c.footer, before[8], "footer");
    Expect(g->SearchFooter()->ColorTo(), c.footerTo, before[9], "footer to");
    Expect(g->ControlLook()->FixedGradientFrom(), c.lookFrom, 0, "control look from");
  }
}

TEST(AdvGridStyles, Windows7HeadersDrawFromTheGridsGradient) {
  advgrid_test::GridForm<> f;
  f.grid->SetStyle(gsWindows7);
  ASSERT_EQ(f.grid->ControlLook()->FixedGradientFrom(), clNone);
  TGridDrawState st;
  const TCellStyle s = f.grid->GetVisualProperties(1, 0, st, false, true, true);
  EXPECT_EQ(s.Color, TColor(0xFDFCFA));
  EXPECT_EQ(s.MirrorColorTo, TColor(0xF7E9DD));
}

TEST(AdvGridStyles, ComponentStyleReachesTheDropDownEditorsStyle) {
  StyledGrid t;
  t.g->SetComponentStyle(tsOffice2010Silver);
  EXPECT_EQ(t.g->ComponentStyle(), tsOffice2010Silver);  // not the look's own style on the way
  EXPECT_EQ(t.g->DropDownEditorStyle(), tsOffice2010Silver);
}

}  // namespace
