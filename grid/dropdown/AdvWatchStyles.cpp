// The clock's twelve looks, and the colours the drop-down styles give it.
#include <algorithm>
#include <cmath>

#include "grid/dropdown/AdvWatch.h"

namespace {
constexpr TColor WatchColor(uint32_t Value) { return static_cast<TColor>(Value); }

void WatchFont(TFont* Font, TColor Color, const char16_t* Name, int Size, bool Bold) {
  if (Color != clNone) Font->SetColor(Color);
  if (Name) Font->SetName(Name);
  if (Size > 0) Font->SetSize(Size);
  Font->SetStyle(Bold ? TFontStyles{fsBold} : TFontStyles{});
}

void WatchHourHand(TWatchAppearance* A, TColor Color) {
  A->SetHourPointer(Color);
  A->SetHourPointerShadow(clBtnShadow);
  A->SetHourPointerSize(5);
}

void WatchSmallHourFont(TWatchAppearance* A) { WatchFont(A->HourFont(), clWindowText, u"MS Sans Serif", 8, false); }

void WatchFluorescentSet(TWatchAppearance* A, TColor C, TWatchShape Shape) {
  A->SetCenterPointSize(20);
  WatchSmallHourFont(A);
  A->SetHourColor(C);
  A->SetHourMarkLength(10);
  A->SetHourPointer(C);
  A->SetHourPointerShadow(clBtnShadow);
  A->SetHourPointerSize(2);
  A->SetMinuteColor(C);
  A->SetMinutePointer(C);
  A->SetMinutePointerShadow(clBtnShadow);
  A->SetMinutePointerSize(2);
  A->SetShape(Shape);
  A->SetCenterPointOuterBorderColor(WatchColor(0x000000));
  A->SetHourMarkWidth(2);
  A->SetHourMarkStyle(hmsQuartDblLine);
}

void WatchCommonTail(TWatchAppearance* A, TColor Hour, TColor Shadow, TColor Minute, TColor Second) {
  A->SetHourColor(WatchColor(0xABB0B1));
  A->HourFont()->SetColor(WatchColor(0x797979));
  A->HourFont()->SetName(u"Times New Roman");
  A->HourFont()->SetSize(9);
  A->SetHourPointer(Hour);
  A->SetHourPointerShadow(Shadow);
  A->SetHourPointerSize(2);
  A->SetMinuteColor(WatchColor(0x808080));
  A->SetMinutePointer(Minute);
  A->SetMinutePointerSize(2);
  A->SetMinutePointerShadow(Shadow);
  A->SetMinuteMarkLength(1);
  A->SetSecondPointer(Second);
  A->SetTickMarks(tmQuartHours);
}
}  // namespace

void TAdvWatch::SetStyle(TWatchStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  if (Value > wsSmooth) return;
  FAppearance->Reset();
  ApplyStyle(Value);
}

void TAdvWatch::ApplyStyle(TWatchStyle Value) {
  TWatchAppearance* a = FAppearance.get();
  TFont* ampm = a->AMPMFont();
  const int smaller = std::min(Height(), Width());
  switch (Value) {
    case wsClassic:
      WatchFont(ampm, clNone, u"MS Sans Serif", 0, false);
      WatchFont(a->HourFont(), clNone, u"Comic Sans MS", 10, true);
      a->SetHourMarkLength(8);
      WatchHourHand(a, WatchColor(0x000000));
      a->SetMinutePointerShadow(clBtnShadow);
      a->SetMinuteMarkLength(4);
      SetAnimation(true);
      SetAnimationFactor(10);
      SetShowAMPM(true);
      SetShowNumbers(true);
      break;
    case wsTower:
      WatchFont(ampm, clNone, u"MS Sans Serif", 0, false);
      a->SetAMPMFrame(apRect);
      a->SetBorderWidth(1);
      a->SetBackgroundColor(WatchColor(0xB1F0FE));
      a->SetBackgroundColorTo(WatchColor(0x54C9E7));
      a->SetBackgroundGradient(wgDiagonalForward);
      a->SetCenterPointColor(WatchColor(0x002BD5));
      a->SetCenterPointSize(6);
      WatchFont(a->HourFont(), clWindowText, u"Century", 0, true);
      WatchHourHand(a, WatchColor(0x000000));
      a->SetMinutePointerShadow(clBtnShadow);
      a->SetSecondPointer(WatchColor(0x002BD5));
      a->SetShape(wsRect);
      a->SetPointerStyle(psPointer);
      a->SetBackgroundColorTo(WatchColor(0x5BCCE8));
      a->SetAMPMColor(a->BackgroundColor());
      SetShowNumbers(false);
      a->SetTickMarks(tmHours);
      break;
    case wsFluorescent:
      WatchFont(ampm, clWindowText, nullptr, 10, false);
      a->SetAMPMFrame(apRoundRect);
      a->SetBorderColor(WatchColor(0xFF3E3E));
      a->SetBackgroundColor(WatchColor(0x000000));
      a->SetBackgroundColorTo(WatchColor(0x000000));
      a->SetCenterPointColor(WatchColor(0xFF3E3E));
      a->SetCenterPointBorderColor(WatchColor(0x000000));
      a->SetCenterPointOuterBorderColor(WatchColor(0x000000));
      WatchFluorescentSet(a, WatchColor(0xFF3E3E), wsRoundRect);
      a->SetTickMarks(tmHours);
      SetShowAMPM(false);
      SetShowNumbers(false);
      break;
    case wsEmerald:
      WatchFont(ampm, WatchColor(0xA00000), u"MS Sans Serif", 0, false);
      a->SetAMPMFrame(apRoundRect);
      a->SetBorderColor(WatchColor(0x3AE800));
      a->SetBackgroundColor(WatchColor(0x3AE800));
      a->SetBackgroundColorTo(WatchColor(0x000000));
      a->SetBackgroundGradient(wgDiagonalForward);
      a->SetCenterPointBorderColor(WatchColor(0x40FF00));
      a->SetCenterPointColor(WatchColor(0x38E100));
      a->SetCenterPointSize(16);
      WatchFont(a->HourFont(), clWindowText, u"MS Sans Serif", 0, false);
      WatchHourHand(a, WatchColor(0x40FF00));
      a->SetMinutePointer(WatchColor(0x40FF00));
      a->SetMinutePointerShadow(clBtnShadow);
      a->SetShape(wsRect);
      a->SetPointerStyle(psPointer);
      a->SetAMPMColor(clNone);
      a->HourFont()->SetColor(a->BackgroundColor());
      a->SetCenterPointOuterBorderColor(WatchColor(0x000000));
      a->SetHourMarkStyle(hmsQuartDblLine);
      a->SetHourColor(a->BackgroundColor());
      a->SetSecondPointer(WatchColor(0x00FFFF));
      a->SetTickMarks(tmHours);
      SetShowNumbers(false);
      SetShowAMPM(false);
      break;
    case wsBlueStar:
      WatchFont(ampm, WatchColor(0xA00000), nullptr, 10, false);
      a->SetAMPMBorderColor(clNone);
      a->SetAMPMFrame(apRoundRect);
      a->SetBorderColor(WatchColor(0xFFD5D5));
      a->SetBackgroundColor(WatchColor(0xFFD5D5));
      a->SetBackgroundColorTo(WatchColor(0xA00000));
      a->SetBackgroundGradient(wgRadial);
      WatchSmallHourFont(a);
      WatchHourHand(a, WatchColor(0xA00000));
      a->SetMinutePointer(WatchColor(0xA00000));
      a->SetMinutePointerShadow(clBtnShadow);
      a->SetShape(wsRoundRect);
      a->SetPointerStyle(psPointer);
      a->SetAMPMColor(clNone);
      a->HourFont()->SetColor(a->BackgroundColor());
      SetShowAMPM(true);
      SetShowNumbers(true);
      break;
    case wsFuchsia:
      WatchFont(ampm, clWindowText, nullptr, 10, false);
      a->SetAMPMFrame(apRoundRect);
      a->SetBorderColor(WatchColor(0xFFD0FF));
      a->SetBackgroundColor(WatchColor(0x000000));
      a->SetBackgroundColorTo(WatchColor(0x000000));
      a->SetCenterPointBorderColor(WatchColor(0xDD68DD));
      WatchFluorescentSet(a, WatchColor(0xFFD0FF), wsRect);
      a->SetSecondPointer(WatchColor(0xDD68DD));
      a->SetTickMarks(tmQuartHours);
      SetShowAMPM(false);
      SetShowNumbers(false);
      break;
    case wsBlack:
      WatchFont(ampm, clNone, u"MS Sans Serif", 0, false);
      a->SetBackgroundColor(WatchColor(0x202020));
      a->SetBackgroundColorTo(clNone);
      a->SetBorderColor(WatchColor(0x000000));
      a->SetCenterPointBorderColor(WatchColor(0xFFFFFF));
      a->SetCenterPointOuterBorderColor(WatchColor(0xFFFFFF));
      a->SetCenterPointColor(WatchColor(0xFFFFFF));
      a->SetHourColor(WatchColor(0x585858));
      WatchFont(a->HourFont(), WatchColor(0xFFFFFF), u"Century Gothic", 11, false);
      WatchHourHand(a, WatchColor(0xFFFFFF));
      a->SetMinuteColor(WatchColor(0x585858));
      a->SetMinutePointer(WatchColor(0xFFFFFF));
      a->SetMinutePointerShadow(clBtnShadow);
      a->SetMinuteMarkLength(4);
      SetShowAMPM(false);
      SetShowNumbers(true);
      break;
    case wsBlackWhite:
      a->SetBackgroundColor(WatchColor(0xFFFFFF));
      a->SetBackgroundColorTo(clNone);
      a->SetBorderColor(WatchColor(0x000000));
      a->SetBorderWidth(8);
      a->SetCenterPointBorderColor(WatchColor(0x000000));
      a->SetCenterPointOuterBorderColor(WatchColor(0x000000));
      a->SetCenterPointColor(WatchColor(0x000000));
      a->SetCenterPointSize(8);
      a->SetHourColor(WatchColor(0x585858));
      WatchFont(a->HourFont(), WatchColor(0x000000), u"Century Gothic", 14, true);
      WatchHourHand(a, WatchColor(0x000000));
      a->SetMinutePointer(WatchColor(0x000000));
      a->SetMinutePointerShadow(clBtnShadow);
      a->SetMinuteMarkLength(4);
      a->SetSecondPointer(WatchColor(0x000080));
      a->SetPointerStyle(psPointer);
      a->SetTickMarks(tmQuartHours);
      SetShowAMPM(false);
      SetShowNumbers(true);
      break;
    case wsGray:
      WatchFont(ampm, clNone, u"MS Sans Serif", 10, false);
      a->SetBackgroundColor(WatchColor(0xD1D1D1));
      a->SetBackgroundColorTo(WatchColor(0x6C6C6C));
      a->SetBackgroundGradient(wgRadial);
      a->SetBorderColor(WatchColor(0x454545));
      a->SetCenterPointBorderColor(WatchColor(0x454545));
      a->SetCenterPointColor(WatchColor(0x000000));
      a->SetCenterPointOuterBorderColor(clNone);
      a->SetHourColor(WatchColor(0x000000));
      WatchFont(a->HourFont(), clNone, u"Comic Sans MS", 8, false);
      a->SetHourPointer(WatchColor(0x4E4E4E));
      a->SetHourPointerShadow(clNone);
      a->SetHourPointerSize(1);
      a->SetMinuteColor(WatchColor(0x808080));
      a->SetMinutePointer(WatchColor(0x4E4E4E));
      a->SetMinutePointerShadow(clNone);
      a->SetMinutePointerSize(1);
      a->SetSecondPointer(WatchColor(0x0000FF));
      SetShowAMPM(true);
      SetShowNumbers(true);
      break;
    case wsSuperNova:
      a->SetBackgroundColorTo(WatchColor(0xD1D3D3));
      a->SetBorderColor(clNone);
      a->SetCenterPointOuterBorderColor(WatchColor(0x000000));
      a->SetCenterPointSize(10);
      a->SetHourMarkLength(static_cast<uint8_t>(std::clamp(static_cast<int>(std::nearbyint(smaller / 4.5)), 0, 255)));
      a->SetHourPointer(WatchColor(0x000000));
      a->SetHourPointerShadow(clBtnShadow);
      a->SetMinuteColor(WatchColor(0x808080));
      a->SetMinuteMarkLength(static_cast<uint8_t>(std::clamp(smaller / 3, 0, 255)));
      a->SetMinutePointer(WatchColor(0x000000));
      SetShowAMPM(false);
      SetShowNumbers(false);
      break;
    case wsSports:
      a->SetBackgroundColor(WatchColor(0x000000));
      a->SetBackgroundColorTo(clNone);
      a->SetBorderColor(WatchColor(0x000000));
      a->SetBorderWidth(1);
      a->SetCenterPointBorderColor(WatchColor(0xFF0000));
      a->SetCenterPointOuterBorderColor(WatchColor(0x000000));
      a->SetCenterPointColor(WatchColor(0x191919));
      a->SetCenterPointSize(static_cast<uint8_t>(std::clamp(static_cast<int>(std::nearbyint(smaller / 3.6)), 0, 255)));
      WatchCommonTail(a, WatchColor(0x0000FF), clNone, WatchColor(0x00FFFF), WatchColor(0x188BFE));
      SetShowAMPM(false);
      SetShowNumbers(true);
      break;
    case wsSmooth:
      a->SetBackgroundColor(WatchColor(0xFFFFFF));
      a->SetBackgroundColorTo(WatchColor(0xABB0B1));
      a->SetBorderColor(WatchColor(0x585858));
      a->SetBorderWidth(1);
      a->SetCenterPointBorderColor(WatchColor(0x000000));
      a->SetCenterPointOuterBorderColor(WatchColor(0x4A4A4A));
      a->SetCenterPointColor(WatchColor(0xFFFFFF));
      a->SetCenterPointSize(6);
      WatchCommonTail(a, WatchColor(0x4A4A4A), WatchColor(0xB2B2B2), WatchColor(0x4A4A4A), WatchColor(0x4A4A4A));
      SetShowAMPM(false);
      SetShowNumbers(true);
      break;
  }
  FCacheValid = false;
  Invalidate();
}

void TAdvWatch::SetComponentStyle(TQELStyle AStyle) { ApplyWatchStyleColors(FAppearance.get(), AStyle); }

void ApplyWatchStyleColors(TWatchAppearance* A, TQELStyle Style) {
  A->SetCenterPointOuterBorderColor(WatchColor(0x000000));
  A->HourFont()->SetColor(WatchColor(0x000000));
  A->AMPMFont()->SetColor(WatchColor(0x000000));
  struct TRow {
    TQELStyle Style;
    TColor A, B, C, D, E, F, G, H, I, J;
  };
  static const TRow rows[] = {
      {tsOffice2003Blue, WatchColor(0x962D00), WatchColor(0xD68759), WatchColor(0xFFD2AF), WatchColor(0xFFD2AF),
       WatchColor(0xD68759), WatchColor(0xD68759), WatchColor(0xD68759), WatchColor(0xD68759), WatchColor(0xFFFFFF),
       WatchColor(0xFFFFFF)},
      {tsOffice2003Silver, WatchColor(0x962D00), WatchColor(0xBDA4A5), WatchColor(0xE6D8D8), WatchColor(0xE6D8D8),
       WatchColor(0xBDA4A5), WatchColor(0xBDA4A5), WatchColor(0xBDA4A5), WatchColor(0xBDA4A5), WatchColor(0xFFFFFF),
       WatchColor(0xFFFFFF)},
      {tsOffice2003Olive, WatchColor(0x962D00), WatchColor(0x82C0AF), WatchColor(0xB9EAE1), WatchColor(0xB9EAE1),
       WatchColor(0x82C0AF), WatchColor(0x82C0AF), WatchColor(0x82C0AF), WatchColor(0x82C0AF), WatchColor(0xFFFFFF),
       WatchColor(0xFFFFFF)},
      {tsOffice2003Classic, WatchColor(0x962D00), WatchColor(0x808080), WatchColor(0xF2F2F2), WatchColor(0xF2F2F2),
       WatchColor(0x808080), WatchColor(0x808080), WatchColor(0x808080), WatchColor(0x808080), WatchColor(0xFFFFFF),
       WatchColor(0x808080)},
      {tsOffice2007Luna, WatchColor(0xF0DED0), WatchColor(0xF0DED0), WatchColor(0xFFEFE3), WatchColor(0xFFEFE3),
       WatchColor(0xF0DED0), WatchColor(0xFFEFE3), WatchColor(0xFFEFE3), WatchColor(0x723708), WatchColor(0xFFFFFF),
       WatchColor(0x723708)},
      {tsWindowsXP, WatchColor(0x000000), clBtnFace, clBtnFace, clBtnFace, WatchColor(0x000000), WatchColor(0x000000),
       WatchColor(0x000000), WatchColor(0x000000), WatchColor(0xFFFFFF), WatchColor(0x000000)},
      {tsWhidbey, WatchColor(0x7E9898), WatchColor(0xF5F9FA), WatchColor(0xF5F9FA), WatchColor(0xF5F9FA),
       WatchColor(0x7E9898), WatchColor(0x7E9898), WatchColor(0x7E9898), WatchColor(0x7E9898), WatchColor(0xFFFFFF),
       WatchColor(0x7E9898)},
      {tsOffice2007Silver, WatchColor(0xE8E0DB), WatchColor(0xF8F4F1), WatchColor(0xF8F4F1), WatchColor(0xF8F4F1),
       WatchColor(0xE8E0DB), WatchColor(0xE8E0DB), WatchColor(0x74706F), WatchColor(0x74706F), WatchColor(0xFFFFFF),
       WatchColor(0x74706F)},
      {tsWindowsVista, WatchColor(0xFEDF9A), WatchColor(0xFFFDF9), WatchColor(0xFFFDF9), WatchColor(0xFFFAF0),
       WatchColor(0xFEDF9A), WatchColor(0xFEDF9A), WatchColor(0xFEDF9A), WatchColor(0xFEDF9A), WatchColor(0xFFFFFF),
       WatchColor(0xFEDF9A)},
      {tsWindows7, WatchColor(0xFBD6B8), WatchColor(0xFDFBFA), WatchColor(0xFDFBFA), WatchColor(0xFDF3EB),
       WatchColor(0xFBD6B8), WatchColor(0xFBD6B8), WatchColor(0xFBD6B8), WatchColor(0xFBD6B8), WatchColor(0xFFFFFF),
       WatchColor(0xFBD6B8)},
      {tsTerminal, WatchColor(0x808080), clBtnFace, clBtnFace, clBtnFace, WatchColor(0x808080), WatchColor(0x808080),
       WatchColor(0x808080), WatchColor(0x808080), WatchColor(0xFFFFFF), WatchColor(0x808080)},
      {tsOffice2010Blue, WatchColor(0xC7B29F), WatchColor(0xF0DAC7), WatchColor(0xFDF6EF), WatchColor(0xFDF6EF),
       WatchColor(0xC7B29F), WatchColor(0xC7B29F), WatchColor(0xC7B29F), WatchColor(0xC7B29F), WatchColor(0xFFFFFF),
       WatchColor(0xC7B29F)},
      {tsOffice2010Silver, WatchColor(0xD2CDC8), WatchColor(0xEDE5E0), WatchColor(0xFFFFFF), WatchColor(0xFFFFFF),
       WatchColor(0xD2CDC8), WatchColor(0xD2CDC8), WatchColor(0xD2CDC8), WatchColor(0xD2CDC8), WatchColor(0xC0C0C0),
       WatchColor(0xD2CDC8)},
      {tsOffice2010Black, WatchColor(0x6D6D6D), WatchColor(0x919191), WatchColor(0xBFBFBF), WatchColor(0xBFBFBF),
       WatchColor(0x6D6D6D), WatchColor(0x6D6D6D), WatchColor(0x6D6D6D), WatchColor(0x6D6D6D), WatchColor(0xFFFFFF),
       WatchColor(0x6D6D6D)},
      {tsOffice2007Obsidian, WatchColor(0xF2F1F0), WatchColor(0x5C534C), WatchColor(0x5C534C), WatchColor(0x5C534C),
       WatchColor(0xF2F1F0), WatchColor(0xFFEFE3), WatchColor(0xFFEFE3), WatchColor(0xF2F1F0), WatchColor(0xFFFFFF),
       WatchColor(0xF2F1F0)},
  };
  const auto* row = std::find_if(std::begin(rows), std::end(rows), [Style](const TRow& r) { return r.Style == Style; });
  if (row == std::end(rows)) return;  // tsCustom: the black font colours only
  A->SetAMPMBorderColor(row->A);
  A->SetAMPMColor(row->B);
  A->SetBackgroundColor(row->C);
  A->SetBackgroundColorTo(row->D);
  A->SetBorderColor(row->E);
  A->SetCenterPointBorderColor(row->F);
  A->SetCenterPointColor(row->G);
  A->SetHourColor(row->H);
  A->SetMinuteColor(row->H);
  A->SetHourPointer(row->H);
  A->SetMinutePointer(row->H);
  A->SetHourPointerShadow(row->I);
  A->SetMinutePointerShadow(row->I);
  A->SetSecondPointer(row->J);
  if (Style == tsOffice2007Obsidian) {
    A->AMPMFont()->SetColor(WatchColor(0xF2F1F0));
    A->HourFont()->SetColor(WatchColor(0xF2F1F0));
  }
}
