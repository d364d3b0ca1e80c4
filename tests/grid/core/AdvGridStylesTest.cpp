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

}  // namespace
