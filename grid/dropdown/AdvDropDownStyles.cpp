#include "grid/dropdown/AdvDropDownStyles.h"

#include <array>

namespace {

constexpr int kDropDownStyleCount = 16;

constexpr TDropDownPopupStyle Popup(TColor Color, TColor ColorTo, bool SetsBorder, TColor Border, TColor HColor,
                                    TColor HColorTo, TColor HFont, TColor HBorder) {
  return {Color, ColorTo, SetsBorder, Border, HColor, HColorTo, HFont, HBorder, HColor, HColorTo, HFont, HBorder};
}

constexpr bool kKeep = false, kSet = true;

TDropDownPopupStyle Office2003BlueStyle() {
  TDropDownPopupStyle s = Popup(0xFFFFFF, clNone, kKeep, clNone, 0xFCE1CB, 0xE0A57D, clBlack, clBlack);
  s.FooterBorderColor = 0x962D00;
  return s;
}

TDropDownPopupStyle VistaStyle() {
  TDropDownPopupStyle s = Popup(0xFFFFFF, 0xFFFFFF, kSet, 0x979797, 0xFFFDF9, 0xFFFAF0, clBlack, 0xFCF2DA);
  // The footer's gradient runs the other way.
  s.FooterColor = 0xFFFAF0;
  s.FooterColorTo = 0xFFFDF9;
  return s;
}

// In the order of TQELStyle; the tsCustom row is never used.
const std::array<TDropDownPopupStyle, kDropDownStyleCount>& PopupStyles() {
  static const std::array<TDropDownPopupStyle, kDropDownStyleCount> styles = {
      Office2003BlueStyle(),
      Popup(0xFFFFFF, clNone, kKeep, clNone, 0xECE2E1, 0xB39698, clBlack, 0x947C7C),
      Popup(0xFFFFFF, clNone, kSet, clNone, 0xCFF0EA, 0x8CC0B1, clBlack, 0x588060),
      Popup(0xF2F2F2, 0xF2F2F2, kSet, clNone, 0x808080, 0x808080, clWhite, 0x808080),
      Popup(0xF3E5DA, 0xF0DED0, kSet, clNone, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF),
      Popup(0xFFFFFF, clNone, kSet, clNone, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C),
      Popup(0xFFFFFF, clNone, kKeep, clNone, 0xFFFFFF, clBtnFace, clBlack, 0x808080),
      Popup(0xF5F9FA, 0xF5F9FA, kSet, clNone, 0xEBEEEF, 0x7E9898, clWhite, 0x962D00),
      Popup(clNone, clNone, kKeep, clNone, clNone, clNone, clNone, clNone),  // tsCustom
      Popup(0xF8F4F1, 0xF0E8E3, kSet, clNone, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F),
      VistaStyle(),
      Popup(0xFFFFFF, 0xFFFFFF, kSet, 0x979797, 0xFDFBFA, 0xFDF3EB, clBlack, 0xFBD6B8),
      Popup(0xFFFFFF, 0xFFFFFF, kSet, 0x808080, clBtnFace, clBtnFace, clBlack, clNone),
      Popup(0xFFFFFF, 0xF1EFED, kSet, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F),
      Popup(0xFFFFFF, 0xF1EFED, kSet, 0xEDEDEC, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8),
      Popup(0xFFFFFF, 0xF1EFED, kSet, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D),
  };
  return styles;
}

// Button colours in the order they are written.
struct TDropDownButtonStyle {
  TColor Color, ColorTo, BorderColor;
  TColor ColorHot, ColorHotTo, BorderColorHot;
  TColor ColorDown, ColorDownTo, BorderColorDown;
  TColor ColorDisabled, ColorDisabledTo;
  TColor ColorChecked, ColorCheckedTo, BorderColorChecked;
};

// The orange hot and pressed set most styles share.
constexpr TDropDownButtonStyle Orange(TColor Color, TColor ColorTo) {
  return {Color,    ColorTo,  clNone,   0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF,
          0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B};
}

// The set of the 2010 styles.
constexpr TDropDownButtonStyle Office2010(TColor Color, TColor ColorTo, TColor BorderColor) {
  return {Color,    ColorTo, BorderColor, 0x8AE3FD, clNone,   0x58CAF1, 0x6CD0FF,
          clNone,   0x308AC2, 0xF2F2F2,   0xB6B6B6, 0x45E1FE, clNone,   0x4FA0CE};
}

const std::array<TDropDownButtonStyle, kDropDownStyleCount>& ButtonStyles() {
  static const std::array<TDropDownButtonStyle, kDropDownStyleCount> styles = {
      Orange(0xFCE1CB, 0xE0A57D),
      Orange(0xECE2E1, 0xB39698),
      Orange(0xCFF0EA, 0x8CC0B1),
      TDropDownButtonStyle{0xFFFFFF, 0xC9D1D5, clNone, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080,
                           0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0x808080},
      Orange(0xFFEFE3, 0xFFDDC4),
      Orange(0xF2F1F0, 0xC9C2BD),
      TDropDownButtonStyle{0xFFFFFF, clBtnFace, clNone, 0xEFD3C6, 0xEFD3C6, clHighlight, clInactiveCaption,
                           clInactiveCaption, clHighlight, 0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, clBlack},
      Orange(0xFFFFFF, 0xDFEDF0),
      Orange(clNone, clNone),  // tsCustom, never used
      Orange(0xF9F8F8, 0xE4E2DF),
      TDropDownButtonStyle{0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A,
                           0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A},
      TDropDownButtonStyle{0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D,
                           0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFCDBC1, 0xCEA27D},
      TDropDownButtonStyle{clBtnFace, clBtnFace, clNone, 0xC0C0C0, 0xC0C0C0, 0x808080, clHighlight, clHighlight,
                           0x808080, clBtnFace, clBtnFace, clBtnFace, clBtnFace, clHighlight},
      Office2010(0xFDF6EF, 0xF0DAC7, 0xC7B29F),
      Office2010(0xFFFFFF, 0xEDE5E0, 0xD2CDC8),
      Office2010(0xBFBFBF, 0x919191, 0xD7D7D6),
  };
  return styles;
}

bool DropDownStyleApplies(TQELStyle Style) {
  return static_cast<int>(Style) < kDropDownStyleCount && Style != tsCustom;
}

}  // namespace

const TDropDownPopupStyle* DropDownPopupStyle(TQELStyle Style) {
  return DropDownStyleApplies(Style) ? &PopupStyles()[Style] : nullptr;
}

bool ApplyDropDownStripStyle(TQELStyle Style, THeaderAppearance* Header, TFooterAppearance* Footer) {
  const TDropDownPopupStyle* s = DropDownPopupStyle(Style);
  if (!s) return false;
  if (Header) {
    Header->SetColor(s->HeaderColor);
    Header->SetColorTo(s->HeaderColorTo);
    Header->Font()->SetColor(s->HeaderFontColor);
    Header->SetBorderColor(s->HeaderBorderColor);
  }
  if (Footer) {
    Footer->SetColor(s->FooterColor);
    Footer->SetColorTo(s->FooterColorTo);
    Footer->Font()->SetColor(s->FooterFontColor);
    Footer->SetBorderColor(s->FooterBorderColor);
  }
  return true;
}

bool ApplyDropDownButtonStyle(TQELStyle Style, TAdvButtonAppearance* Appearance) {
  if (!DropDownStyleApplies(Style) || !Appearance) return false;
  const TDropDownButtonStyle& s = ButtonStyles()[Style];
  Appearance->SetColor(s.Color);
  Appearance->SetColorTo(s.ColorTo);
  Appearance->SetBorderColor(s.BorderColor);
  Appearance->SetColorHot(s.ColorHot);
  Appearance->SetColorHotTo(s.ColorHotTo);
  Appearance->SetBorderColorHot(s.BorderColorHot);
  Appearance->SetColorDown(s.ColorDown);
  Appearance->SetColorDownTo(s.ColorDownTo);
  Appearance->SetBorderColorDown(s.BorderColorDown);
  Appearance->SetColorDisabled(s.ColorDisabled);
  Appearance->SetColorDisabledTo(s.ColorDisabledTo);
  Appearance->SetColorChecked(s.ColorChecked);
  Appearance->SetColorCheckedTo(s.ColorCheckedTo);
  Appearance->SetBorderColorChecked(s.BorderColorChecked);
  return true;
}
