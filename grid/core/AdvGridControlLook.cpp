// The control look of a grid, its write-through to the grid's fixed-cell colours, the check-box
// and radio glyphs in the seven control styles, and the program's own glyph bitmaps.
#include "grid/core/AdvGridControlLook.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>

#include "grid/core/AdvGrid.h"

// ---------------------------------------------------------------------------------------------
// Glyph bitmaps. Each is drawn on a key-coloured ground whose bottom-left pixel makes it
// transparent; the XP-like ones are a rounded blue box with a green mark, the pack's own ones a
// plain grey box with a black mark, both greyed when disabled.

namespace {

using namespace GridGlyphColors;

void KeyGround(TBitmap* B, int Size) {
  B->SetPixelFormat(pf24bit);
  B->SetSize(Size, Size);
  B->Canvas()->Brush()->SetColor(Key);
  B->Canvas()->FillRect(Rect(0, 0, Size, Size));
}

// A tick of three one-pixel strokes from (X, Y) down to its bottom and up to the right.
void Tick(TCanvas* C, int X, int Y, int Down, int Up, TColor Color) {
  C->Pen()->SetColor(Color);
  C->Pen()->SetWidth(1);
  for (int dy = 0; dy < 3; ++dy) {
    C->MoveTo(X, Y + dy);
    C->LineTo(X + Down, Y + Down + dy);
    C->LineTo(X + Down + Up, Y + Down - Up + dy);
  }
}

void PaintCheck(TBitmap* B, bool XP, bool Checked, bool Enabled) {
  const int size = XP ? 16 : 20;
  KeyGround(B, size);
  TCanvas* c = B->Canvas();
  const TColor border = XP ? (Enabled ? XPBorder : XPDisabledBorder) : OwnBorder;
  const TColor fill = XP ? (Enabled ? XPFill : XPDisabledFill) : (Enabled ? OwnFill : OwnDisabledFill);
  const TColor mark = XP ? (Enabled ? XPMark : XPDisabledMark) : (Enabled ? OwnMark : OwnDisabledMark);
  c->Pen()->SetColor(border);
  c->Brush()->SetColor(fill);
  if (XP)
    c->Rectangle(1, 1, 14, 14);
  else
    c->Rectangle(2, 2, 18, 18);
  if (!Checked) return;
  if (XP)
    Tick(c, 4, 6, 2, 5, mark);  // passes kXPCheckMarkPixel
  else
    Tick(c, 5, 9, 3, 7, mark);  // passes kOwnCheckMarkPixel
}

void PaintRadio(TBitmap* B, bool XP, bool Selected, bool Enabled) {
  KeyGround(B, 16);
  TCanvas* c = B->Canvas();
  const TColor border = XP ? (Enabled ? XPBorder : XPDisabledBorder) : OwnBorder;
  const TColor fill = XP ? (Enabled ? XPFill : XPDisabledFill) : (Enabled ? OwnFill : OwnDisabledFill);
  const TColor mark = XP ? (Enabled ? XPMark : XPDisabledMark) : (Enabled ? OwnMark : OwnDisabledMark);
  c->Pen()->SetColor(border);
  c->Brush()->SetColor(fill);
  c->Ellipse(1, 1, 15, 15);
  if (!Selected) return;
  c->Pen()->SetColor(mark);
  c->Brush()->SetColor(mark);
  c->Ellipse(5, 5, 11, 11);  // holds kRadioDotPixel
}

// A funnel: a wide top narrowing to a stem, on a key-coloured ground (the top-left pixel too).
void PaintFilter(TBitmap* B) {
  KeyGround(B, 16);
  TCanvas* c = B->Canvas();
  c->Pen()->SetColor(FilterFunnel);
  for (int y = 3; y <= 8; ++y) {  // the cone: 11 pixels wide at the top, 1 at its tip
    const int half = 8 - y;
    c->MoveTo(7 - half - 1, y);
    c->LineTo(7 + half + 2, y);
  }
  c->MoveTo(kFilterStemPixel.X, 8);
  c->LineTo(kFilterStemPixel.X, 14);
  c->MoveTo(kFilterStemPixel.X + 1, 8);
  c->LineTo(kFilterStemPixel.X + 1, 13);
}

// The flat glyphs of the colour tones: a square or a circle with a one-pixel outline, 16 x 16; a
// filled square or dot when on.
void PaintMetro(TBitmap* B, bool Radio, bool On) {
  KeyGround(B, 16);
  TCanvas* c = B->Canvas();
  c->Pen()->SetColor(MetroBorder);
  c->Brush()->SetColor(MetroFill);
  if (Radio)
    c->Ellipse(1, 1, 15, 15);
  else
    c->Rectangle(1, 1, 15, 15);
  if (!On) return;
  c->Pen()->SetColor(MetroMark);
  c->Brush()->SetColor(MetroMark);
  if (Radio)
    c->Ellipse(5, 5, 11, 11);  // holds kRadioDotPixel
  else
    c->Rectangle(4, 4, 12, 12);
}

String GlyphName(const char16_t* Prefix, int N) { return String(Prefix) + (N < 10 ? u"0" : u"") + IntToStr(N); }

// Numbers 1..4 of a family are the pack's own look, 5..8 the XP-like one; within each four:
// checked, unchecked, checked disabled, unchecked disabled.
int GlyphNumber(bool XP, bool On, bool Enabled) { return (XP ? 5 : 1) + (On ? 0 : 1) + (Enabled ? 0 : 2); }

// Loaded glyph bitmaps, kept for the process (painting is on the UI thread only).
TBitmap* GlyphBitmap(const String& Name) {
  static std::map<String, std::unique_ptr<TBitmap>> cache;
  auto& slot = cache[Name];
  if (!slot) {
    RegisterGridGlyphs();
    slot = std::make_unique<TBitmap>();
    try {
      slot->LoadFromResourceName(Name);
    } catch (const std::exception&) {
      return nullptr;
    }
    slot->SetTransparent(true);  // automatic: the bottom-left pixel
  }
  return slot.get();
}

void DrawTransparent(TCanvas* C, int X, int Y, TBitmap* B) {
  if (!B || B->Empty()) return;
  const bool was = B->Transparent();
  B->SetTransparent(true);
  C->Draw(X, Y, B);
  B->SetTransparent(was);
}

}  // namespace

void RegisterGridGlyphs() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (bool xp : {false, true})
      for (bool on : {true, false})
        for (bool enabled : {true, false}) {
          const int n = GlyphNumber(xp, on, enabled);
          RegisterBitmapResource(GlyphName(u"ASGCHK", n), [=](TBitmap* B) { PaintCheck(B, xp, on, enabled); });
          RegisterBitmapResource(GlyphName(u"ASGRAD", n), [=](TBitmap* B) { PaintRadio(B, xp, on, enabled); });
        }
    RegisterBitmapResource(u"ASGFILT", PaintFilter);
    RegisterBitmapResource(u"metrocheckon", [](TBitmap* B) { PaintMetro(B, false, true); });
    RegisterBitmapResource(u"metrocheckoff", [](TBitmap* B) { PaintMetro(B, false, false); });
    RegisterBitmapResource(u"metroradioon", [](TBitmap* B) { PaintMetro(B, true, true); });
    RegisterBitmapResource(u"metroradiooff", [](TBitmap* B) { PaintMetro(B, true, false); });
  });
}

// ---------------------------------------------------------------------------------------------
// TControlLook

TControlLook::TControlLook(TAdvStringGrid* AGrid)
    : FGrid(AGrid),
      FCheckedGlyph(std::make_unique<TBitmap>()),
      FUnCheckedGlyph(std::make_unique<TBitmap>()),
      FRadioOnGlyph(std::make_unique<TBitmap>()),
      FRadioOffGlyph(std::make_unique<TBitmap>()) {
  Init();
  FDropDownHeader = std::make_unique<THeaderAppearance>(AGrid);
  FDropDownFooter = std::make_unique<TFooterAppearance>(AGrid);
}

TControlLook::~TControlLook() = default;

void TControlLook::Repaint() {
  if (FGrid) FGrid->Invalidate();
}

void TControlLook::Init() {
  FColor = clBlack;
  FCommentColor = clRed;
  FProgressBorderColor = clGray;
  FFixedGradientFrom = clNone;
  FFixedGradientTo = clNone;
  FFixedGradientMirrorFrom = clNone;
  FFixedGradientMirrorTo = clNone;
  FFixedGradientHoverFrom = clGray;
  FFixedGradientHoverTo = clWhite;
  SetFixedGradientHoverMirrorFrom(clNone);
  SetFixedGradientHoverMirrorTo(clNone);
  FFixedGradientHoverBorder = clSilver;
  FFixedGradientDownFrom = clGray;
  FFixedGradientDownTo = clSilver;
  SetFixedGradientDownMirrorFrom(clNone);
  SetFixedGradientDownMirrorTo(clNone);
  FFixedGradientDownBorder = clGray;
}

void TControlLook::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TControlLook*>(Source);
  if (!s || s == this) return;
  FCheckSize = s->FCheckSize;
  FRadioSize = s->FRadioSize;
  FControlStyle = s->FControlStyle;
  FCheckedGlyph->Assign(s->FCheckedGlyph.get());
  FUnCheckedGlyph->Assign(s->FUnCheckedGlyph.get());
  FRadioOnGlyph->Assign(s->FRadioOnGlyph.get());
  FRadioOffGlyph->Assign(s->FRadioOffGlyph.get());
  FProgressMarginX = s->FProgressMarginX;
  FProgressMarginY = s->FProgressMarginY;
  FCommentColor = s->FCommentColor;
  FColor = s->FColor;
  FProgressBorderColor = s->FProgressBorderColor;
  FCheckAlwaysActive = s->FCheckAlwaysActive;
  FRadioAlwaysActive = s->FRadioAlwaysActive;
  FFixedGradientFrom = s->FFixedGradientFrom;
  FFixedGradientTo = s->FFixedGradientTo;
  FFixedGradientMirrorFrom = s->FFixedGradientMirrorFrom;
  FFixedGradientMirrorTo = s->FFixedGradientMirrorTo;
  FFixedGradientHoverFrom = s->FFixedGradientHoverFrom;
  FFixedGradientHoverTo = s->FFixedGradientHoverTo;
  FFixedGradientHoverMirrorFrom = s->FFixedGradientHoverMirrorFrom;
  FFixedGradientHoverMirrorTo = s->FFixedGradientHoverMirrorTo;
  FFixedGradientHoverBorder = s->FFixedGradientHoverBorder;
  FFixedGradientDownFrom = s->FFixedGradientDownFrom;
  FFixedGradientDownTo = s->FFixedGradientDownTo;
  FFixedGradientDownMirrorFrom = s->FFixedGradientDownMirrorFrom;
  FFixedGradientDownMirrorTo = s->FFixedGradientDownMirrorTo;
  FFixedGradientDownBorder = s->FFixedGradientDownBorder;
  FDropDownAlwaysVisible = s->FDropDownAlwaysVisible;
  FSpinButtonsAlwaysVisible = s->FSpinButtonsAlwaysVisible;
  FDropDownCount = s->FDropDownCount;
  FDropDownFooter->Assign(s->FDropDownFooter.get());
  FDropDownHeader->Assign(s->FDropDownHeader.get());
  FHintMaxWidth = s->FHintMaxWidth;
}

void TControlLook::SetColor(TColor v) { StoreRepaint(FColor, v); }
void TControlLook::SetCommentColor(TColor v) { StoreRepaint(FCommentColor, v); }
void TControlLook::SetCheckSize(int v) { StoreRepaint(FCheckSize, v); }
void TControlLook::SetRadioSize(int v) { StoreRepaint(FRadioSize, v); }
void TControlLook::SetControlStyle(TControlLookStyle v) { StoreRepaint(FControlStyle, v); }
void TControlLook::SetDropDownAlwaysVisible(bool v) { StoreRepaint(FDropDownAlwaysVisible, v); }
void TControlLook::SetSpinButtonsAlwaysVisible(bool v) { StoreRepaint(FSpinButtonsAlwaysVisible, v); }
void TControlLook::SetFlatButton(bool v) { StoreRepaint(FFlatButton, v); }
void TControlLook::SetNoDisabledCheckRadioLook(bool v) { StoreRepaint(FNoDisabledCheckRadioLook, v); }
void TControlLook::SetNoDisabledButtonLook(bool v) { StoreRepaint(FNoDisabledButtonLook, v); }
void TControlLook::SetProgressMarginX(int v) { StoreRepaint(FProgressMarginX, v); }
void TControlLook::SetProgressMarginY(int v) { StoreRepaint(FProgressMarginY, v); }
void TControlLook::SetProgressXP(bool v) { StoreRepaint(FProgressXP, v); }

void TControlLook::SetCheckedGlyph(TBitmap* v) {
  FCheckedGlyph->Assign(v);
  Repaint();
}
void TControlLook::SetUnCheckedGlyph(TBitmap* v) {
  FUnCheckedGlyph->Assign(v);
  Repaint();
}
void TControlLook::SetRadioOnGlyph(TBitmap* v) {
  FRadioOnGlyph->Assign(v);
  Repaint();
}
void TControlLook::SetRadioOffGlyph(TBitmap* v) {
  FRadioOffGlyph->Assign(v);
  Repaint();
}

// The gradient's ends reach the grid only as colours (clNone leaves the grid's); the mirrors
// always, clNone included.
void TControlLook::WriteThrough(TColor& Field, TColor Value, void (TAdvStringGrid::*GridSetter)(TColor),
                                bool KeepOnNone) {
  Field = Value;
  if (FGrid && !(KeepOnNone && Value == clNone)) (FGrid->*GridSetter)(Value);
}

void TControlLook::SetFixedGradientFrom(TColor v) {
  WriteThrough(FFixedGradientFrom, v, &TAdvStringGrid::SetQELGradientFrom, true);
}
void TControlLook::SetFixedGradientTo(TColor v) {
  WriteThrough(FFixedGradientTo, v, &TAdvStringGrid::SetQELGradientTo, true);
}
void TControlLook::SetFixedGradientMirrorFrom(TColor v) {
  WriteThrough(FFixedGradientMirrorFrom, v, &TAdvStringGrid::SetQELGradientMirrorFrom, false);
}
void TControlLook::SetFixedGradientMirrorTo(TColor v) {
  WriteThrough(FFixedGradientMirrorTo, v, &TAdvStringGrid::SetQELGradientMirrorTo, false);
}
void TControlLook::SetFixedGradientHoverFrom(TColor v) {
  WriteThrough(FFixedGradientHoverFrom, v, &TAdvStringGrid::SetQELGradientHoverFrom, true);
}
void TControlLook::SetFixedGradientHoverTo(TColor v) {
  WriteThrough(FFixedGradientHoverTo, v, &TAdvStringGrid::SetQELGradientHoverTo, true);
}
void TControlLook::SetFixedGradientHoverMirrorFrom(TColor v) {
  WriteThrough(FFixedGradientHoverMirrorFrom, v, &TAdvStringGrid::SetQELGradientHoverMirrorFrom, false);
}
void TControlLook::SetFixedGradientHoverMirrorTo(TColor v) {
  WriteThrough(FFixedGradientHoverMirrorTo, v, &TAdvStringGrid::SetQELGradientHoverMirrorTo, false);
}
void TControlLook::SetFixedGradientHoverBorder(TColor v) {
  WriteThrough(FFixedGradientHoverBorder, v, &TAdvStringGrid::SetQELGradientHoverBorder, true);
}
void TControlLook::SetFixedGradientDownFrom(TColor v) {
  WriteThrough(FFixedGradientDownFrom, v, &TAdvStringGrid::SetQELGradientDownFrom, true);
}
void TControlLook::SetFixedGradientDownTo(TColor v) {
  WriteThrough(FFixedGradientDownTo, v, &TAdvStringGrid::SetQELGradientDownTo, true);
}
void TControlLook::SetFixedGradientDownMirrorFrom(TColor v) {
  WriteThrough(FFixedGradientDownMirrorFrom, v, &TAdvStringGrid::SetQELGradientDownMirrorFrom, false);
}
void TControlLook::SetFixedGradientDownMirrorTo(TColor v) {
  WriteThrough(FFixedGradientDownMirrorTo, v, &TAdvStringGrid::SetQELGradientDownMirrorTo, false);
}
void TControlLook::SetFixedGradientDownBorder(TColor v) {
  WriteThrough(FFixedGradientDownBorder, v, &TAdvStringGrid::SetQELGradientDownBorder, true);
}

// ---------------------------------------------------------------------------------------------
// Check-box glyph

void TAdvStringGrid::DrawCheckGlyph(TCanvas* ACanvas, TRect ARect, bool Checked, bool Enabled, bool Grayed,
                                    TControlLookStyle Style, bool TriState, TCheckBoxState State) {
  if (FControlLook->NoDisabledCheckRadioLook() || FControlLook->CheckAlwaysActive()) Enabled = true;
  if (Style == csTheme && !ThemesAvailable()) Style = csClassic;
  if (TriState) {
    Checked = State == cbChecked;
    if (State == cbGrayed) Grayed = true;
  }
  const int cs = FControlLook->CheckSize();
  const TRect square = Rect(ARect.Left, ARect.Top, ARect.Left + cs, ARect.Top + cs);
  switch (Style) {
    case csClassic:
    case csFlat: {
      const int l = ARect.Left + (ARect.Width() - cs) / 2, t = ARect.Top + (ARect.Height() - cs) / 2;
      unsigned st = DFCS_BUTTONCHECK;
      if (Checked) st |= DFCS_CHECKED;
      if (Grayed) st |= DFCS_CHECKED | DFCS_BUTTON3STATE;
      if (Style == csFlat) st |= DFCS_FLAT;
      if (!Enabled) st |= DFCS_INACTIVE;
      DrawFrameControl(ACanvas, Rect(l, t, l + cs, t + cs), DFC_BUTTON, st);
      break;
    }
    case csWinXP:
    case csQEL:
      DrawTransparent(ACanvas, ARect.Left, ARect.Top,
                      GlyphBitmap(GlyphName(u"ASGCHK", GlyphNumber(Style == csWinXP, Checked, Enabled))));
      break;
    case csBorland: {
      ACanvas->Brush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
      ACanvas->Pen()->SetColor(clBtnFace);
      ACanvas->Rectangle(square);
      ACanvas->Pen()->SetColor(clBtnHighlight);
      ACanvas->MoveTo(square.Left, square.Bottom - 1);
      ACanvas->LineTo(square.Left, square.Top);
      ACanvas->LineTo(square.Right - 1, square.Top);
      ACanvas->Pen()->SetColor(clBtnShadow);
      ACanvas->LineTo(square.Right - 1, square.Bottom - 1);
      ACanvas->LineTo(square.Left, square.Bottom - 1);
      if (Checked) {
        ACanvas->Pen()->SetColor(Enabled ? FControlLook->Color() : clGray);
        const int l = square.Left + 3, b = square.Bottom - 4, r = square.Right - 4, t = square.Top + 3;
        for (int k = 0; k < 2; ++k) {
          ACanvas->MoveTo(l + k, square.Top + cs / 2);
          ACanvas->LineTo(l + k, b);
        }
        for (int k = 0; k < 2; ++k) {
          ACanvas->MoveTo(l + k, b - 1);
          ACanvas->LineTo(r, t + k);
        }
      }
      break;
    }
    case csGlyph:
      DrawTransparent(ACanvas, ARect.Left, ARect.Top,
                      Checked ? FControlLook->CheckedGlyph() : FControlLook->UnCheckedGlyph());
      break;
    case csTheme: {
      using namespace ThemeParts;
      int st = Grayed    ? (Enabled ? CBS_MIXEDNORMAL : CBS_MIXEDDISABLED)
               : Checked ? (Enabled ? CBS_CHECKEDNORMAL : CBS_CHECKEDDISABLED)
                         : (Enabled ? CBS_UNCHECKEDNORMAL : CBS_UNCHECKEDDISABLED);
      ThemeDrawBackground(ACanvas, u"button", BP_CHECKBOX, st, square);
      break;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Radio group

void TAdvStringGrid::DrawRadioGroup(TCanvas* ACanvas, TRect ARect, int Count, int ItemIndex, bool Horizontal,
                                    bool Disabled, TStrings* Items, bool Selected, int ACol, int ARow,
                                    TControlLookStyle Style, double Scale, bool Upward) {
  if (FControlLook->NoDisabledCheckRadioLook() || FControlLook->RadioAlwaysActive()) Disabled = false;
  if (Style == csTheme && !ThemesAvailable()) Style = csClassic;
  if (Count < 1) return;
  const int s = FControlLook->RadioSize();
  const int h = ACanvas->TextHeight(u"gh");
  const int d = Upward ? -1 : 1;
  const bool classic = Style == csClassic || Style == csFlat;
  const bool bitmap = Style == csWinXP || Style == csQEL || Style == csGlyph;
  const String cellText = ItemIndex == -1 ? GetCellEx(ACol, ARow) : String();
  if (Selected && FShowSelection && FSelectionTextColor != clNone) ACanvas->Font()->SetColor(FSelectionTextColor);
  const int oldMode = ACanvas->SetBkMode(TRANSPARENT);
  int before = 0;  // the widths of the earlier items' texts
  for (int i = 1; i <= Count; ++i) {
    const String text = Items && Items->Count() >= i ? Items->Strings(i - 1) : String();
    const bool on = i == ItemIndex + 1 || (ItemIndex == -1 && text == cellText);
    int gl = 0, gt = 0, tx = 0, ty = 0;
    if (classic) {
      if (Horizontal) {
        gl = ARect.Left + 2 + (i - 1) * s + before;
        gt = ARect.Top + (ARect.Height() - s) / 2;
        tx = gl + static_cast<int>(std::lround(Scale * s));
      } else {
        gt = ARect.Top + h * (i - 1) * d + 2;
        gl = text.empty() ? ARect.Left + (ARect.Width() - s) / 2 : ARect.Left + 2;
        tx = gl + static_cast<int>(std::lround(Scale * (s + 4)));
      }
      ty = gt - 2;
    } else if (Horizontal) {
      gl = ARect.Left + before + 16 * i - 14;
      gt = ARect.Top + (ARect.Height() - 16) / 2;
      tx = gl + 16;
      ty = bitmap ? gt + 1 : gt - 2;
    } else {
      const int ih = std::max(16, h);
      gt = ARect.Top + ih * (i - 1) * d + 2;
      gl = text.empty() ? ARect.Left + (ARect.Width() - 16) / 2 : ARect.Left + 2;
      tx = ARect.Left + (bitmap ? 18 : 20);
      ty = bitmap ? gt + 1 : gt - 2;
    }
    switch (Style) {
      case csClassic:
      case csFlat: {
        const int gs = static_cast<int>(std::lround(Scale * (Style == csFlat ? s + 2 : s)));
        unsigned st = DFCS_BUTTONRADIO;
        if (on) st |= DFCS_CHECKED;
        if (Disabled) st |= DFCS_INACTIVE;
        if (Style == csFlat) st |= DFCS_FLAT;
        DrawFrameControl(ACanvas, Rect(gl, gt, gl + gs, gt + gs), DFC_BUTTON, st);
        break;
      }
      case csBorland: {
        ACanvas->Brush()->SetColor(clBtnFace);
        ACanvas->Pen()->SetColor(clBtnFace);
        ACanvas->Polygon({TPoint(gl + 2, gt + 8), TPoint(gl + 8, gt + 2), TPoint(gl + 14, gt + 8), TPoint(gl + 8, gt + 14)});
        ACanvas->Pen()->SetColor(on ? clGray : clWhite);
        ACanvas->MoveTo(gl + 2, gt + 8);
        ACanvas->LineTo(gl + 8, gt + 2);
        ACanvas->LineTo(gl + 14, gt + 8);
        ACanvas->Pen()->SetColor(on ? clWhite : clGray);
        ACanvas->LineTo(gl + 8, gt + 14);
        ACanvas->LineTo(gl + 2, gt + 8);
        if (on) {
          ACanvas->Brush()->SetColor(FControlLook->Color());
          ACanvas->Pen()->SetColor(FControlLook->Color());
          ACanvas->Polygon({TPoint(gl + 6, gt + 8), TPoint(gl + 8, gt + 6), TPoint(gl + 10, gt + 8), TPoint(gl + 8, gt + 10)});
        }
        break;
      }
      case csTheme: {
        using namespace ThemeParts;
        const int st = on ? (Disabled ? RBS_CHECKEDDISABLED : RBS_CHECKEDNORMAL)
                          : (Disabled ? RBS_UNCHECKEDDISABLED : RBS_UNCHECKEDNORMAL);
        ThemeDrawBackground(ACanvas, u"button", BP_RADIOBUTTON, st, Rect(gl, gt, gl + 16, gt + 16));
        break;
      }
      case csWinXP:
      case csQEL:
        DrawTransparent(ACanvas, gl, gt, GlyphBitmap(GlyphName(u"ASGRAD", GlyphNumber(Style == csWinXP, on, !Disabled))));
        break;
      case csGlyph:
        DrawTransparent(ACanvas, gl, gt, on ? FControlLook->RadioOnGlyph() : FControlLook->RadioOffGlyph());
        break;
    }
    if (!text.empty()) ACanvas->TextOut(tx, ty, text);
    before += ACanvas->TextWidth(text);
  }
  ACanvas->SetBkMode(oldMode);
}

// The filter button of a filter-row cell, at the right of the text box T.
void TAdvStringGrid::DrawFilterButton(TCanvas* ACanvas, const TRect& T, int RCol) {
  const int x = T.Right - 16, y = T.Top;
  TBitmap* glyph = FFilter->HasFilter(RCol) ? FFilterDropDown->GlyphActive() : FFilterDropDown->Glyph();
  if (!glyph->Empty()) {
    DrawTransparent(ACanvas, x, y, glyph);
    return;
  }
  TBitmap* own = GlyphBitmap(u"ASGFILT");
  if (!own) return;
  const TColor brush = ACanvas->Brush()->Color();
  ACanvas->Brush()->SetColor(FixedColor());
  ACanvas->FillRect(Rect(x, y, x + 16, y + 16));
  ACanvas->Brush()->SetColor(brush);
  DrawTransparent(ACanvas, x, y, own);
}
