// Look presets and their names, colour tones and the colour schemes of SetTheme.
#include <gtest/gtest.h>

#include <memory>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridComboEditor.h"
#include "grid/foundation/ZazAdez.h"
#include "platform/testing/ImageCanvas.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

struct LookGrid {
  std::unique_ptr<TAdvStringGrid> g{New<TAdvStringGrid>(nullptr)};
};

TEST(AdvGridLook, WritingTheCurrentLookChangesNothing) {
  LookGrid t;
  ASSERT_EQ(t.g->Look(), glXP);
  t.g->ControlLook()->SetFixedGradientFrom(clRed);
  t.g->SortSettings()->SetHeaderColor(clBlue);
  t.g->SetScrollType(ssFlat);
  t.g->SetLook(glXP);
  EXPECT_EQ(t.g->QELGradientFrom(), clRed);
  EXPECT_EQ(t.g->ControlLook()->FixedGradientFrom(), clRed);
  EXPECT_EQ(t.g->SortSettings()->HeaderColor(), clBlue);
  EXPECT_EQ(t.g->ScrollType(), ssFlat);
}

TEST(AdvGridLook, StandardGivesGreyHeadersAndSystemSelection) {
  LookGrid t;
  t.g->SortSettings()->SetHeaderColor(clBlue);
  t.g->SetLook(glStandard);
  EXPECT_EQ(t.g->FixedColor(), clBtnFace);
  EXPECT_EQ(t.g->SelectionColor(), clHighlight);
  EXPECT_EQ(t.g->SelectionTextColor(), clHighlightText);
  EXPECT_EQ(t.g->ActiveCellColor(), TColor(0x808080));
  EXPECT_EQ(t.g->ActiveCellColorTo(), clNone);
  EXPECT_EQ(t.g->QELGradientFrom(), ColorToRGB(clBtnFace));
  EXPECT_EQ(t.g->QELGradientTo(), clNone);
  EXPECT_EQ(t.g->GridFixedLineColor(), TColor(0x808080));
  EXPECT_EQ(t.g->GridLineColor(), TColor(0xC0C0C0));
  EXPECT_EQ(t.g->SearchFooter()->ColorTo(), clBtnFace);
  EXPECT_EQ(t.g->SortSettings()->HeaderColor(), clNone);
  EXPECT_EQ(t.g->SelectionStyle(), ssDefault);
  EXPECT_EQ(t.g->DropDownEditorStyle(), tsWindowsXP);

  // Back to glXP: the light gradient, the XP selection and the XP hover colours.
  t.g->SetLook(glXP);
  EXPECT_EQ(t.g->QELGradientFrom(), clWhite);
  EXPECT_EQ(t.g->QELGradientTo(), ColorToRGB(clBtnFace));
  EXPECT_EQ(t.g->SelectionColor(), TColor(0xEACAB6));
  EXPECT_EQ(t.g->SelectionTextColor(), clBlack);
  EXPECT_EQ(t.g->ActiveCellColor(), TColor(0xEACAB6));
  EXPECT_EQ(t.g->SearchFooter()->Color(), clWhite);
  EXPECT_EQ(t.g->QELGradientHoverFrom(), TColor(0xCFD0D1));
  EXPECT_EQ(t.g->QELGradientDownMirrorTo(), TColor(0x627376));
  t.g->SetLook(glQEL);
  EXPECT_EQ(t.g->QELGradientTo(), TColor(0xC0C0C0));
  EXPECT_EQ(t.g->SearchFooter()->ColorTo(), ColorToRGB(clBtnFace));  // taken before the control look
}

TEST(AdvGridLook, CustomKeepsTheColoursButResetsScrollBarsAndBorder) {
  LookGrid t;
  t.g->SetGridLineColor(clRed);
  t.g->SetSelectionColor(clLime);
  t.g->ControlLook()->SetFixedGradientFrom(clYellow);
  t.g->SetScrollType(ssMetro);
  t.g->SetBorderStyle(bsNone);
  t.g->SetBorderColor(clRed);
  t.g->SetLook(glCustom);
  EXPECT_EQ(t.g->GridLineColor(), clRed);
  EXPECT_EQ(t.g->SelectionColor(), clLime);
  EXPECT_EQ(t.g->QELGradientFrom(), clYellow);
  EXPECT_EQ(t.g->ScrollType(), ssNormal);
  EXPECT_EQ(t.g->BorderStyle(), bsSingle);
  EXPECT_EQ(t.g->BorderColor(), TColor(0xB99D7F));
}

TEST(AdvGridLook, WhileLoadingOnlyTheSelectionStyleFollows) {
  LookGrid t;
  t.g->SetSelectionStyle(ssVista);
  const TColor fixed = t.g->FixedColor(), selection = t.g->SelectionColor();
  t.g->SetLoading(true);
  t.g->SetLook(glStandard);
  EXPECT_EQ(t.g->SelectionStyle(), ssDefault);
  EXPECT_EQ(t.g->FixedColor(), fixed);
  EXPECT_EQ(t.g->SelectionColor(), selection);
  t.g->SetLoading(false);
}

TEST(AdvGridLook, ModernLooksApplyTheirStyles) {
  struct Case { TGridLook look; TQELStyle style; TGridSelectionStyle selection; TColor gradFrom; };
  const Case cases[] = {
      {glVista, tsWindowsVista, ssVista, 0xFFFFFF},
      {glWin7, tsWindows7, ssWin7, 0xFDFCFA},
      {glOffice2007, tsOffice2007Luna, ssOffice2007, 0xFBF9F6},
  };
  for (const Case& c : cases) {
    LookGrid t;
    t.g->SetLook(c.look);
    EXPECT_EQ(t.g->Look(), c.look) << int(c.look);
    EXPECT_EQ(t.g->ComponentStyle(), c.style) << int(c.look);
    EXPECT_EQ(t.g->SelectionStyle(), c.selection) << int(c.look);
    EXPECT_EQ(t.g->QELGradientFrom(), c.gradFrom) << int(c.look);
  }
}

TEST(AdvGridLook, NamesOfTheLooks) {
  struct Case { TGridLook look; const char16_t* ident; const char16_t* caption; };
  const Case cases[] = {
      {glStandard, u"glStandard", u"Standard"},   {glSoft, u"glSoft", u"Soft"},
      {glClassic, u"glClassic", u"Classic"},      {glQEL, u"glQEL", u"QEL"},
      {glXP, u"glXP", u"Windows XP"},             {glListView, u"glListView", u"ListView"},
      {glVista, u"glVista", u"Windows Vista"},    {glWin7, u"glWin7", u"Windows 7"},
      {glOffice2007, u"glOffice2007", u"Office2007"},
      {glCustom, u"as it was", u"as it was"},
  };
  for (const Case& c : cases) {
    String ident = u"as it was", caption = u"as it was";
    LookToIdent(c.look, ident);
    LookToCaption(c.look, caption);
    EXPECT_EQ(Utf8(ident), Utf8(c.ident));
    EXPECT_EQ(Utf8(caption), Utf8(c.caption));
  }
}

TEST(AdvGridLook, ColorTonesGiveAFlatLookAndReachTheComboEditor) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  TColorTones tones;
  tones.Background = {0xF0F0F0, 0x101010, 0x202020};
  tones.Foreground = {0x3080C0, 0x303030, 0xFFFFFF};
  tones.Selected = {0x00A0FF, 0x404040, 0x000001};
  tones.Hover = {0xA0D0FF, 0x505050, 0x000002};
  tones.Disabled = {0xD0D0D0, 0x606060, 0x909090};
  g->SetColorTones(tones);
  EXPECT_TRUE(g->ColorTones() == tones);
  EXPECT_EQ(g->Look(), glClassic);
  EXPECT_TRUE(g->Flat());
  EXPECT_EQ(g->ScrollType(), ssMetro);
  EXPECT_EQ(g->FixedColor(), TColor(0x3080C0));
  EXPECT_EQ(g->FixedFont()->Color(), TColor(0xFFFFFF));
  EXPECT_EQ(Utf8(g->FixedFont()->Name()), Utf8(DefaultFontName()));
  EXPECT_EQ(g->Color(), TColor(0xF0F0F0));
  EXPECT_EQ(g->Font()->Color(), TColor(0x202020));
  EXPECT_EQ(Utf8(g->Font()->Name()), Utf8(DefaultFontName()));
  EXPECT_EQ(g->SelectionColor(), TColor(0x00A0FF));
  EXPECT_EQ(g->SelectionTextColor(), TColor(0x000001));
  EXPECT_EQ(g->SelectionColorTo(), clNone);
  EXPECT_EQ(g->GridLineColor(), TColor(0xE6E6E6));
  EXPECT_EQ(g->GridFixedLineColor(), ChangeColorPercent(0x3080C0, -20));
  EXPECT_NE(g->GridFixedLineColor(), TColor(0x3080C0));
  EXPECT_EQ(g->BorderStyle(), bsNone);
  EXPECT_EQ(g->ControlLook()->ControlStyle(), csGlyph);
  EXPECT_TRUE(g->ControlLook()->FlatButton());
  EXPECT_EQ(g->FloatingFooter()->Color(), TColor(0x3080C0));
  EXPECT_EQ(g->SearchFooter()->Color(), TColor(0x3080C0));
  EXPECT_EQ(g->SearchFooter()->ColorTo(), TColor(0x3080C0));
  EXPECT_EQ(g->CellNode()->NodeType(), cnFlat);

  // The flat glyphs: 16 x 16, a mark in the middle only when on.
  struct Glyph { TBitmap* b; bool on; };
  const Glyph glyphs[] = {{g->ControlLook()->CheckedGlyph(), true},
                          {g->ControlLook()->UnCheckedGlyph(), false},
                          {g->ControlLook()->RadioOnGlyph(), true},
                          {g->ControlLook()->RadioOffGlyph(), false}};
  for (const Glyph& gl : glyphs) {
    ASSERT_EQ(gl.b->Width(), 16);
    ASSERT_EQ(gl.b->Height(), 16);
    EXPECT_EQ(BitmapPixel(gl.b, 7, 7), gl.on ? GridGlyphColors::MetroMark : GridGlyphColors::MetroFill);
    EXPECT_EQ(BitmapPixel(gl.b, 0, 15), GridGlyphColors::Key);
  }

  TGridCombo* combo = g->GridCombo();
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->ButtonColor, TColor(0xF0F0F0));
  EXPECT_EQ(combo->ButtonColorHot, TColor(0xA0D0FF));
  EXPECT_EQ(combo->ButtonColorDown, TColor(0x00A0FF));
  EXPECT_EQ(combo->ButtonBorderColor, TColor(0x101010));
  EXPECT_EQ(combo->BorderColor(), TColor(0xF0F0F0));
  EXPECT_TRUE(combo->Flat());
}

TEST(AdvGridLook, ThemesSetTheirColoursWithoutRepainting) {
  struct Case {
    TXPColorScheme scheme;
    TColor from, to, mirrorFrom, mirrorTo, activeFrom, activeTo, lookFrom, lookTo, footer, footerTo;
  };
  const Case cases[] = {
      {xpBlue, 0xFCE1CB, 0xE0A57D, clNone, clNone, 0x94E6FB, 0x1595EE, 0xFCE1CB, 0xE0A57D, 0xFCE1CB, 0xE0A57D},
      {xpGreen, 0xCFF0EA, 0x8CC0B1, clNone, clNone, 0x94E6FB, 0x1595EE, 0xCFF0EA, 0x8CC0B1, 0xCFF0EA, 0x8CC0B1},
      {xpGray, 0xECE2E1, 0xB39698, clNone, clNone, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698, 0xECE2E1, 0xB39698},
      {vistaAero, 0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1, 0x94E6FB, 0x1595EE, 0xFFFFFF, 0xFFFFFF, 0xECE2E1, 0xB39698},
      {xpNone, 0xFFFFFF, clBtnFace, clNone, clNone, 0xFFFFFF, 0xFFD9B3, clNone, clNone, 0xFFFFFF, 0xFFD9B3},
  };
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  for (const Case& c : cases) {
    g->ControlLook()->SetFixedGradientFrom(clRed);
    g->TakeInvalidatedRects();
    g->SetTheme(c.scheme);
    EXPECT_TRUE(g->TakeInvalidatedRects().empty()) << int(c.scheme);
    EXPECT_EQ(g->QELGradientFrom(), c.from) << int(c.scheme);
    EXPECT_EQ(g->QELGradientTo(), c.to) << int(c.scheme);
    EXPECT_EQ(g->QELGradientMirrorFrom(), c.mirrorFrom) << int(c.scheme);
    EXPECT_EQ(g->QELGradientMirrorTo(), c.mirrorTo) << int(c.scheme);
    EXPECT_EQ(g->ActiveCellColor(), c.activeFrom) << int(c.scheme);
    EXPECT_EQ(g->ActiveCellColorTo(), c.activeTo) << int(c.scheme);
    EXPECT_EQ(g->ControlLook()->FixedGradientFrom(), c.lookFrom) << int(c.scheme);
    EXPECT_EQ(g->ControlLook()->FixedGradientTo(), c.lookTo) << int(c.scheme);
    EXPECT_EQ(g->SearchFooter()->Color(), c.footer) << int(c.scheme);
    EXPECT_EQ(g->SearchFooter()->ColorTo(), c.footerTo) << int(c.scheme);
  }
}

TEST(AdvGridLook, LinkSettingsRepaintOnlyWhenTheyShow) {
  struct Case { const char* what; bool urlShow; void (*Set)(TAdvStringGrid*); bool repaints; };
  const Case cases[] = {
      {"URLShow", false, [](TAdvStringGrid* g) { g->SetURLShow(true); }, true},
      {"URLShow unchanged", true, [](TAdvStringGrid* g) { g->SetURLShow(true); }, false},
      {"URLShowInText", false, [](TAdvStringGrid* g) { g->SetURLShowInText(true); }, true},
      {"URLColor hidden", false, [](TAdvStringGrid* g) { g->SetURLColor(clRed); }, false},
      {"URLColor shown", true, [](TAdvStringGrid* g) { g->SetURLColor(clRed); }, true},
      {"URLColor unchanged", true, [](TAdvStringGrid* g) { g->SetURLColor(g->URLColor()); }, false},
      {"URLFull hidden", false, [](TAdvStringGrid* g) { g->SetURLFull(true); }, false},
      {"URLFull shown", true, [](TAdvStringGrid* g) { g->SetURLFull(false); }, true},
  };
  for (const Case& c : cases) {
    GridForm<> f;
    f.grid->SetURLShow(c.urlShow);
    f.grid->TakeInvalidatedRects();
    c.Set(f.grid);
    EXPECT_EQ(!f.grid->TakeInvalidatedRects().empty(), c.repaints) << c.what;
  }
  GridForm<> f;
  TImageList images(nullptr);
  f.grid->SetGridImages(&images);
  EXPECT_EQ(f.grid->GridImages(), &images);
  EXPECT_TRUE(f.grid->TakeInvalidatedRects().empty());
  f.grid->SetGridImages(nullptr);
}

}  // namespace
