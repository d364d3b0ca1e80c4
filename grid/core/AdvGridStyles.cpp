// Whole colour schemes in one call (SetStyle, SetComponentStyle) and following the office
// suite's colour theme.
#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridComboEditor.h"
#include "grid/core/AdvGridDropDownSeam.h"
#include "grid/foundation/ZazAdez.h"

namespace {

// One row of the preset table; clNone in a field the style leaves alone is marked by the flags.
struct TGridStylePreset {
  bool SetsLook;
  TGridLook Look;
  bool SetsGradient;
  TColor GradFrom, GradTo;
  // The mirror pair: Keep leaves it, otherwise it is written (clNone for no mirror).
  bool KeepMirror;
  TColor MirrorFrom, MirrorTo;
  bool SetsActive;
  TColor ActiveFrom, ActiveTo;
  bool SetsSelection;  // otherwise the first step's selection stays
  TColor Selection, SelectionTo;
  bool SetsLines;
  TColor Lines, FixedLines;
  bool SetsFooter;
  TColor Footer;
  bool FooterToMirror;  // the footer's second colour is the gradient's mirror end
  TColor FooterTo;
  bool ControlLookGradient;  // ControlLook keeps the gradient's two colours
};

// gsCustom: every field left as it is (the mirror too).
constexpr TGridStylePreset kNoChange{false, glXP, false, 0, 0, true, clNone, clNone, false, 0, 0,
                                     false, 0, 0, false, 0, 0, false, 0, false, clNone, false};

const TGridStylePreset& GridStylePreset(TAdvGridStyle s) {
  // clang-format off
  static const TGridStylePreset presets[] = {
    /* gsOffice2003Blue */ {true, glXP, true, 0xFCE1CB, 0xE0A57D, false, clNone, clNone, true, 0x94E6FB, 0x1595EE,
                            true, 0x94E6FB, 0x1595EE, true, clSilver, clGray, true, 0xFCE1CB, false, clNone, true},
    /* gsOffice2003Silver */ {true, glXP, true, 0xECE2E1, 0xB39698, false, clNone, clNone, true, 0x94E6FB, 0x1595EE,
                              true, 0x94E6FB, 0x1595EE, true, clSilver, clGray, true, 0xECE2E1, false, clNone, true},
    /* gsOffice2003Olive */ {true, glXP, true, 0xCFF0EA, 0x8CC0B1, false, clNone, clNone, true, 0x94E6FB, 0x1595EE,
                             true, 0x94E6FB, 0x1595EE, true, clSilver, clGray, true, 0xCFF0EA, false, clNone, true},
    /* gsOffice2003Classic */ {true, glXP, true, 0xFFFFFF, 0xCCD4D8, false, clNone, clNone, true, 0xD8D5D4, 0xD8D5D4,
                               false, 0, 0, true, clSilver, clGray, true, 0xFFFFFF, false, clNone, false},
    /* gsOffice2007Luna */ {true, glOffice2007, true, 0xFBF9F6, 0xE8DBD2, false, clNone, clNone, true, 0x9DD8F9, 0x5EC1F1,
                            true, 0x5EC1F1, clNone, true, 0xF1EDEB, 0xD1BBA4, true, 0xFBF9F6, false, clNone, true},
    /* gsOffice2007Obsidian */ {true, glOffice2007, true, 0xF7F7F7, 0xDEDEDE, false, clNone, clNone, true, 0x9DD8F9, 0x5EC1F1,
                                true, 0x5EC1F1, clNone, true, 0xE5D7D0, clGray, true, 0xF7F7F7, false, clNone, true},
    /* gsWindowsXP */ {true, glXP, true, clBtnFace, clBtnFace, false, clNone, clNone, true, clBtnFace, clBtnFace,
                       false, 0, 0, true, clSilver, clGray, true, clBtnFace, false, clNone, false},
    /* gsWhidbey */ {false, glXP, true, 0xFFFFFF, clBtnFace, false, clNone, clNone, true, 0x94E6FB, 0x1595EE,
                     false, 0, 0, true, clSilver, clGray, true, 0xFFFFFF, false, clNone, false},
    /* gsCustom */ kNoChange,
    /* gsOffice2007Silver */ {true, glOffice2007, true, 0xF3F3F1, 0xCAC9C8, true, clNone, clNone, true, 0x99CCFF, 0x699CFF,
                              true, 0x95C7F5, clNone, true, 0xE5D7D0, clGray, true, 0xF3F3F1, true, clNone, true},
    /* gsWindowsVista */ {true, glVista, true, 0xFFFFFF, 0xFFFFFF, false, 0xFAF8F7, 0xF4F2F1, true, 0xFDF8F1, 0xFCEFD5,
                          true, 0xEACAB6, clNone, true, 0xECECF0, 0xD4D2D1, true, 0xFFFFFF, false, 0xF4F2F1, false},
    /* gsWindows7 */ {true, glWin7, true, 0xFDFCFA, 0xFAF0E6, false, 0xF4E6DC, 0xF7E9DD, true, 0xFCEBDC, 0xFCDBC1,
                      true, 0xEACAB6, clNone, true, 0xECECF0, 0xD4D2D1, true, 0xFDFCFA, false, 0xF7E9DD, false},
    /* gsTerminal */ {true, glStandard, false, 0, 0, true, clNone, clNone, false, 0, 0,
                      false, 0, 0, false, 0, 0, false, 0, false, clNone, false},
    /* gsOffice2010Blue */ {true, glOffice2007, true, 0xF5E7DA, 0xF5E7DA, false, 0xF5E7DA, 0xF5E7DA, true, 0x5BD5FF, 0x71EFFF,
                            true, 0xFFDBB7, clNone, true, clSilver, 0xC7B0A0, true, 0xF5E7DA, false, 0xF5E7DA, false},
    /* gsOffice2010Silver */ {true, glOffice2007, true, 0xE8E3DF, 0xE8E3DF, false, 0xE8E3DF, 0xE8E3DF, true, 0x5BD5FF, 0x71EFFF,
                              true, 0xFFDBB7, clNone, true, clSilver, 0xBAB5B1, true, 0xE8E3DF, false, 0xE8E3DF, false},
    /* gsOffice2010Black */ {true, glOffice2007, true, 0x6A6A6A, 0x6A6A6A, false, 0x6A6A6A, 0x6A6A6A, true, 0x5BD5FF, 0x71EFFF,
                             true, 0xFFDBB7, clNone, true, clSilver, 0x444444, true, 0x6A6A6A, false, 0x6A6A6A, false},
  };
  // clang-format on
  static_assert(std::size(presets) == gsOffice2010Black + 1);
  return presets[s];
}

struct TStyleGradient {
  TColor From, To, MirrorFrom, MirrorTo, Border;
};

// The control look takes the preset's gradient and mirror (written through to the grid).
void StyleLookGradient(TControlLook* L, const TGridStylePreset& p) {
  L->SetFixedGradientFrom(p.GradFrom);
  L->SetFixedGradientTo(p.GradTo);
  L->SetFixedGradientMirrorFrom(p.MirrorFrom);
  L->SetFixedGradientMirrorTo(p.MirrorTo);
}

void StyleHover(TControlLook* L, const TStyleGradient& g) {
  L->SetFixedGradientHoverFrom(g.From);
  L->SetFixedGradientHoverTo(g.To);
  L->SetFixedGradientHoverMirrorFrom(g.MirrorFrom);
  L->SetFixedGradientHoverMirrorTo(g.MirrorTo);
  if (g.Border != clNone) L->SetFixedGradientHoverBorder(g.Border);
}

void StyleDown(TControlLook* L, const TStyleGradient& g) {
  L->SetFixedGradientDownFrom(g.From);
  L->SetFixedGradientDownTo(g.To);
  L->SetFixedGradientDownMirrorFrom(g.MirrorFrom);
  L->SetFixedGradientDownMirrorTo(g.MirrorTo);
  L->SetFixedGradientDownBorder(g.Border);
}

void StyleSortHeader(TSortSettings* S, TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo) {
  S->SetHeaderColor(From);
  S->SetHeaderColorTo(To);
  S->SetHeaderMirrorColor(MirrorFrom);
  S->SetHeaderMirrorColorTo(MirrorTo);
}

}  // namespace

void TAdvStringGrid::SetStyle(TAdvGridStyle AStyle) {
  if (AStyle > gsOffice2010Black) return;
  FSelectionColor = clHighlight;
  FSelectionColorTo = clNone;
  FSelectionTextColor = clHighlightText;
  SetSelectionStyle(ssDefault);
  StyleSortHeader(FSortSettings.get(), clNone, clNone, clNone, clNone);
  TControlLook* look = FControlLook.get();
  look->Init();

  const TGridStylePreset& p = GridStylePreset(AStyle);
  // The grid's own hover colours, set directly (the final repaint shows them).
  auto SetGridHover = [this](const TStyleGradient& g) {
    FQELHoverFrom = g.From;
    FQELHoverTo = g.To;
    FQELHoverMirrorFrom = g.MirrorFrom;
    FQELHoverMirrorTo = g.MirrorTo;
    FQELHoverBorder = g.Border;
  };
  if (p.SetsLook) SetLook(p.Look);
  if (p.SetsGradient) {
    FQELGradFrom = p.GradFrom;
    FQELGradTo = p.GradTo;
  }
  if (!p.KeepMirror) {
    FQELMirrorFrom = p.MirrorFrom;
    FQELMirrorTo = p.MirrorTo;
  }
  if (p.SetsActive) {
    FActiveCellColor = p.ActiveFrom;
    FActiveCellColorTo = p.ActiveTo;
  }
  if (p.SetsSelection) {
    FSelectionColor = p.Selection;
    FSelectionColorTo = p.SelectionTo;
    FSelectionTextColor = clBlack;
  }
  if (p.SetsLines) {
    SetGridLineColor(p.Lines);
    SetGridFixedLineColor(p.FixedLines);
  }
  if (p.SetsFooter) {
    FSearchFooter->SetColor(p.Footer);
    FSearchFooter->SetColorTo(p.FooterToMirror ? FQELMirrorTo : p.FooterTo);
  }

  switch (AStyle) {
    case gsOffice2007Luna:
      StyleHover(look, {0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87});
      StyleDown(look, {0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D});
      if (FLook == glOffice2007) SetSelectionStyle(ssOffice2007);
      break;
    case gsWindowsVista:
      SetGridHover({0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993});
      StyleLookGradient(look, p);
      StyleHover(look, {0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, clNone});
      StyleDown(look, {0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F});
      StyleSortHeader(FSortSettings.get(), 0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
      SetSelectionStyle(ssVista);
      break;
    case gsWindows7:
      SetGridHover({0xFDF8F3, 0xF9F3EF, clNone, clNone, 0xEEE8E3});
      StyleLookGradient(look, p);
      StyleHover(look, {0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, clNone});
      StyleDown(look, {0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA});
      StyleSortHeader(FSortSettings.get(), 0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
      SetSelectionStyle(ssWin7);
      break;
    case gsOffice2010Blue:
    case gsOffice2010Silver:
    case gsOffice2010Black: {
      SetGridHover({clNone, clNone, clNone, clNone, clNone});
      StyleLookGradient(look, p);
      StyleHover(look, {0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8});
      StyleDown(look, {0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2});
      const TColor header = AStyle == gsOffice2010Blue ? 0xD6CEC7 : AStyle == gsOffice2010Silver ? 0xAAAAAA : 0xBABABA;
      StyleSortHeader(FSortSettings.get(), header, header, header, header);
      SetSelectionStyle(ssDefault);
      break;
    }
    case gsWindowsXP:
      SetLook(glXP);
      break;
    default:
      break;
  }
  // The control look ends with the gradient's colours only for the styles that keep them there;
  // clNone leaves the grid's gradient as set above.
  look->SetFixedGradientFrom(p.ControlLookGradient ? p.GradFrom : clNone);
  look->SetFixedGradientTo(p.ControlLookGradient ? p.GradTo : clNone);
  Invalidate();
}

void TAdvStringGrid::SetComponentStyle(TQELStyle AStyle) {
  FStyle = AStyle;
  SetStyle(static_cast<TAdvGridStyle>(AStyle));
  // A preset that changes Look remembers that look's own style on the way: the asked one stays.
  FStyle = AStyle;
  if (!Designing()) PassStyleToDropDowns(AStyle);
  if (AStyle != tsCustom && FScrollType == ssMetro) SetScrollType(ssNormal);
}

void TAdvStringGrid::FollowOfficeTheme() {
  if (Designing()) return;
  const TOfficeTheme theme = CurrentOfficeTheme();
  if (theme == FOldOfficeTheme) return;
  static constexpr TQELStyle kThemeStyles[] = {
      tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive,   tsOffice2003Classic, tsOffice2007Luna,
      tsOffice2007Silver, tsOffice2007Obsidian, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black};
  static_assert(std::size(kThemeStyles) == otUnknown);
  if (theme < otUnknown) SetComponentStyle(kThemeStyles[theme]);
  FOldOfficeTheme = theme;
}

void TAdvStringGrid::SetColorTones(TColorTones ATones) {
  FColorTones = ATones;
  SetLook(glClassic);
  SetFlat(true);
  SetScrollType(ssMetro);
  SetFixedColor(ATones.Foreground.BrushColor);
  FFixedFont->SetColor(ATones.Foreground.TextColor);
  FFixedFont->SetName(DefaultFontName());
  SetColor(ATones.Background.BrushColor);
  Font()->SetName(DefaultFontName());
  Font()->SetColor(ATones.Background.TextColor);
  FSelectionColor = ATones.Selected.BrushColor;
  FSelectionTextColor = ATones.Selected.TextColor;
  FSelectionColorTo = clNone;
  SetGridLineColor(0xE6E6E6);
  SetGridFixedLineColor(ChangeColorPercent(ATones.Foreground.BrushColor, -20));
  SetBorderStyle(bsNone);
  TControlLook* look = FControlLook.get();
  look->SetControlStyle(csGlyph);
  RegisterGridGlyphs();
  const auto SetGlyph = [look](void (TControlLook::*Setter)(TBitmap*), const char16_t* Name) {
    TBitmap b;
    b.LoadFromResourceName(Name);
    (look->*Setter)(&b);
  };
  SetGlyph(&TControlLook::SetCheckedGlyph, u"metrocheckon");
  SetGlyph(&TControlLook::SetUnCheckedGlyph, u"metrocheckoff");
  SetGlyph(&TControlLook::SetRadioOffGlyph, u"metroradiooff");
  SetGlyph(&TControlLook::SetRadioOnGlyph, u"metroradioon");
  // Of the shared editors only the combo editor exists before its first use; the others read the
  // tones when they are made. Drop-down editors made already take them now.
  for (TWinControl* d : FDropDownEditors)
    if (d) SetGridDropDownTones(d, ATones);
  if (!Designing() && EditCombo) {
    EditCombo->ButtonColor = ATones.Background.BrushColor;
    EditCombo->ButtonColorHot = ATones.Hover.BrushColor;
    EditCombo->ButtonColorDown = ATones.Selected.BrushColor;
    EditCombo->ButtonBorderColor = ATones.Background.BorderColor;
    EditCombo->SetBorderColor(Color());
    EditCombo->SetFlat(true);
  }
  look->SetFlatButton(true);
  FFloatingFooter->SetColor(ATones.Foreground.BrushColor);
  FSearchFooter->SetColor(ATones.Foreground.BrushColor);
  FSearchFooter->SetColorTo(ATones.Foreground.BrushColor);
  FCellNode->SetNodeType(cnFlat);
}

void TAdvStringGrid::SetTheme(TXPColorScheme Scheme) {
  struct TThemeColors {
    TColor From, To, MirrorFrom, MirrorTo, ActiveFrom, ActiveTo, FooterFrom, FooterTo;
    bool LookGradient;
  };
  // clang-format off
  static const TThemeColors kThemes[] = {
    /* xpNone */    {0xFFFFFF, clBtnFace, clNone, clNone, 0xFFFFFF, 0xFFD9B3, 0xFFFFFF, 0xFFD9B3, false},
    /* xpBlue */    {0xFCE1CB, 0xE0A57D, clNone, clNone, 0x94E6FB, 0x1595EE, 0xFCE1CB, 0xE0A57D, true},
    /* xpGreen */   {0xCFF0EA, 0x8CC0B1, clNone, clNone, 0x94E6FB, 0x1595EE, 0xCFF0EA, 0x8CC0B1, true},
    /* xpGray */    {0xECE2E1, 0xB39698, clNone, clNone, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698, true},
    /* vistaAero */ {0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698, true},
  };
  // clang-format on
  static_assert(std::size(kThemes) == vistaAero + 1);
  if (Scheme > vistaAero) return;
  const TThemeColors& t = kThemes[Scheme];
  FQELGradFrom = t.From;
  FQELGradTo = t.To;
  FQELMirrorFrom = t.MirrorFrom;
  FQELMirrorTo = t.MirrorTo;
  FActiveCellColor = t.ActiveFrom;
  FActiveCellColorTo = t.ActiveTo;
  // The grid's gradient is already set: the control look only keeps the colours.
  FControlLook->StoreFixedGradient(t.LookGradient ? t.From : clNone, t.LookGradient ? t.To : clNone);
  FSearchFooter->SetColor(t.FooterFrom);
  FSearchFooter->SetColorTo(t.FooterTo);
}
