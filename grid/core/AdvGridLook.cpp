// The Look presets: writing Look applies a colour scheme to the grid, its control look and its
// search footer; the two name tables of the looks.
#include "grid/core/AdvGrid.h"

namespace {

bool LookIsGrey(TGridLook l) { return l == glStandard || l == glSoft || l == glClassic; }

void LookHover(TControlLook* L) {
  L->SetFixedGradientHoverFrom(0xCFD0D1);
  L->SetFixedGradientHoverTo(0xBEC6C8);
  L->SetFixedGradientHoverMirrorFrom(0xBEC6C8);
  L->SetFixedGradientHoverMirrorTo(0xABBCBF);
  L->SetFixedGradientDownFrom(0x868788);
  L->SetFixedGradientDownTo(0x737C7E);
  L->SetFixedGradientDownMirrorFrom(0x737C7E);
  L->SetFixedGradientDownMirrorTo(0x627376);
}

}  // namespace

void TAdvStringGrid::SetLook(TGridLook v) {
  if (v == FLook) return;
  FLook = v;
  TControlLook* look = FControlLook.get();
  if (v != glCustom) {
    look->SetFixedGradientFrom(clNone);
    look->SetFixedGradientTo(clNone);
    look->SetFixedGradientMirrorFrom(clNone);
    look->SetFixedGradientMirrorTo(clNone);
    FQELGradFrom = clNone;
    FQELGradTo = clNone;
    FQELMirrorFrom = clNone;
    FQELMirrorTo = clNone;
    FSortSettings->SetHeaderColor(clNone);
  }
  switch (v) {
    case glVista:
      FStyle = tsWindowsVista;
      SetStyle(gsWindowsVista);
      SetSelectionStyle(ssVista);
      break;
    case glWin7:
      FStyle = tsWindows7;
      SetStyle(gsWindows7);
      SetSelectionStyle(ssWin7);
      break;
    case glOffice2007:
      FStyle = tsOffice2007Luna;
      SetStyle(gsOffice2007Luna);
      SetSelectionStyle(ssOffice2007);
      break;
    case glCustom:
      break;
    default:
      if (!Designing()) PassStyleToDropDowns(tsWindowsXP);
      SetSelectionStyle(ssDefault);
      if (Loading()) break;
      if (LookIsGrey(v)) {
        SetFixedColor(clBtnFace);
        SetQELGradientFrom(clBtnFace);
        FQELGradTo = clNone;
      } else {
        SetQELGradientFrom(clWhite);
        SetQELGradientTo(clBtnFace);
      }
      SetGridFixedLineColor(0x808080);
      SetGridLineColor(0xC0C0C0);
      look->SetFixedGradientMirrorFrom(clNone);
      look->SetFixedGradientMirrorTo(clNone);
      if (v == glQEL || v == glXP) {
        FActiveCellColor = 0xEACAB6;
        FActiveCellColorTo = clNone;
        FSelectionColor = 0xEACAB6;
        FSelectionColorTo = clNone;
        FSelectionTextColor = clBlack;
        FSearchFooter->SetColor(FQELGradFrom);
        FSearchFooter->SetColorTo(FQELGradTo);
        look->SetFixedGradientFrom(clWhite);
        look->SetFixedGradientTo(v == glXP ? clBtnFace : TColor(0xC0C0C0));
        LookHover(look);
      } else {
        FActiveCellColor = 0x808080;
        FActiveCellColorTo = clNone;
        FSelectionColor = clHighlight;
        FSelectionTextColor = clHighlightText;
        FSearchFooter->SetColor(clBtnFace);
        FSearchFooter->SetColorTo(clBtnFace);
      }
      break;
  }
  SetScrollType(ssNormal);
  SetBorderStyle(bsSingle);
  SetBorderColor(0xB99D7F);
  Invalidate();
  if (!Loading()) UpdateFooter();
}


void LookToIdent(TGridLook Look, String& Text) {
  static const char16_t* const kIdents[] = {u"glStandard", u"glSoft", u"glClassic", u"glQEL",       u"glXP",
                                            u"glListView", u"glVista", u"glWin7",  u"glOffice2007"};
  static_assert(std::size(kIdents) == glCustom);
  if (Look < glCustom) Text = kIdents[Look];
}

void LookToCaption(TGridLook Look, String& Text) {
  static const char16_t* const kCaptions[] = {u"Standard", u"Soft",          u"Classic",   u"QEL",       u"Windows XP",
                                              u"ListView", u"Windows Vista", u"Windows 7", u"Office2007"};
  static_assert(std::size(kCaptions) == glCustom);
  if (Look < glCustom) Text = kCaptions[Look];
}
