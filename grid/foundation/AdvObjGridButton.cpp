#include "grid/foundation/AdvObjGridButton.h"

#include <algorithm>
#include <cstring>

#include "grid/foundation/AdvObjControlUtil.h"
#include "grid/foundation/AdvXPVS.h"
#include "platform/SysUtils.h"

namespace {

struct TLookPreset {
  TColor Color, ColorTo, ColorHot, ColorHotTo, ColorDown, ColorDownTo, ColorChecked, ColorCheckedTo;
  TColor BorderDown, BorderHot;
  bool Rounded;
};

constexpr TLookPreset kLooks[] = {
    {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE, true},
    {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31, false},
    {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000, false},
    {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000, false},
    {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000, false},
    {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone, false},
    {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080, false},
};

TColor PixelAt(const uint8_t* p) { return RGB(p[2], p[1], p[0]); }
void SetPixelAt(uint8_t* p, TColor c) {
  p[0] = GetBValue(c);
  p[1] = GetGValue(c);
  p[2] = GetRValue(c);
}

// Runs fn on every pixel's blue, green, red bytes.
template <class F>
void ForEachPixel(TBitmap* b, F fn) {
  const int bpp = BytesPerPixel(b);
  for (int y = 0; y < b->Height(); ++y) {
    uint8_t* row = b->ScanLine(y);
    for (int x = 0; x < b->Width(); ++x) fn(row + x * bpp);
  }
}

TColor BottomLeft(TBitmap* b) { return PixelAt(b->ScanLine(b->Height() - 1)); }

void DrawTransparently(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap) {
  Bitmap->SetTransparentMode(tmAuto);
  Bitmap->SetTransparent(true);
  Canvas->Draw(X, Y, Bitmap);
}

}  // namespace

void DrawGridButtonGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, TColor BorderColor, int Bands,
                            const TRect& R) {
  if (Bands == 0) Bands = 1;
  const TColor from = ColorToRGB(FromColor), to = ColorToRGB(ToColor);
  const double stepR = (GetRValue(to) - GetRValue(from)) / static_cast<double>(Bands);
  const double stepG = (GetGValue(to) - GetGValue(from)) / static_cast<double>(Bands);
  const double stepB = (GetBValue(to) - GetBValue(from)) / static_cast<double>(Bands);
  const double band = R.Height() / static_cast<double>(Bands);
  Canvas->Brush()->SetStyle(bsSolid);
  for (int i = 0; i < Bands; ++i) {
    const TColor c = RGB(GetRValue(from) + static_cast<int>(Round(i * stepR)),
                         GetGValue(from) + static_cast<int>(Round(i * stepG)),
                         GetBValue(from) + static_cast<int>(Round(i * stepB)));
    Canvas->Pen()->SetColor(c);
    Canvas->Brush()->SetColor(c);
    const int offset = static_cast<int16_t>(Round(i * band));
    Canvas->Rectangle(R.Left, R.Top + offset, R.Right, R.Top + offset + static_cast<int>(Round(band)) + 1);
  }
  if (BorderColor != clNone) {
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(BorderColor);
    Canvas->Rectangle(R);
  }
}

TAdvGridButton::TAdvGridButton(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FGlyph(std::make_unique<TBitmap>()),
      FGlyphHot(std::make_unique<TBitmap>()),
      FGlyphDown(std::make_unique<TBitmap>()),
      FGlyphDisabled(std::make_unique<TBitmap>()),
      FGlyphShade(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 22, 23);
  SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
  SetParentFont(true);
  SetColor(clBtnFace);
  FIsComCtl6 = IsComCtl6OrLater();
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TAdvGridButton::~TAdvGridButton() = default;

void TAdvGridButton::Loaded() {
  TGraphicControl::Loaded();
  if (FShaded) BuildShade();
  if (FAutoThemeAdapt) ApplyThemeLook();
}

void TAdvGridButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  FActionClient.Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

// ---- properties ----------------------------------------------------------------------------------

void TAdvGridButton::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TAdvGridButton::SetAutoThemeAdapt(bool Value) {
  FAutoThemeAdapt = Value;
  if (Value) ApplyThemeLook();
}

void TAdvGridButton::SetBorderColor(TColor Value) { FBorderColor = Value; Invalidate(); }
void TAdvGridButton::SetColorTo(TColor Value) { FColorTo = Value; Invalidate(); }
void TAdvGridButton::SetColorChecked(TColor Value) { FColorChecked = Value; Invalidate(); }
void TAdvGridButton::SetColorCheckedTo(TColor Value) { FColorCheckedTo = Value; Invalidate(); }
void TAdvGridButton::SetDropDownButton(bool Value) { FDropDownButton = Value; Invalidate(); }

void TAdvGridButton::SetDropDownMenu(TPopupMenu* Value) {
  if (Value == FDropDownMenu) return;
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TAdvGridButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Invalidate();
}

void TAdvGridButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  if (FGlyphDisabled->Empty()) BuildDisabledGlyph();
  Invalidate();
}

void TAdvGridButton::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TAdvGridButton::SetLayout(TButtonLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TAdvGridButton::SetMargin(int Value) {
  if (Value == FMargin || Value < -1) return;
  FMargin = Value;
  Invalidate();
}

void TAdvGridButton::SetRounded(bool Value) { FRounded = Value; Invalidate(); }

void TAdvGridButton::SetShaded(bool Value) {
  FShaded = Value;
  if (Value && !ComponentState().Contains(TComponentStateFlag::csLoading)) BuildShade();
}

void TAdvGridButton::SetShowCaption(bool Value) {
  if (Value == FShowCaption) return;
  FShowCaption = Value;
  Invalidate();
}

void TAdvGridButton::SetSpacing(int Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Invalidate();
}

void TAdvGridButton::SetStyle(TAdvGridButtonStyle Value) { FStyle = Value; Invalidate(); }

void TAdvGridButton::SetLook(int Value) {
  if (Value < 0 || Value >= static_cast<int>(std::size(kLooks))) return;
  const TLookPreset& p = kLooks[Value];
  FLook = Value;
  SetColor(p.Color);
  FColorTo = p.ColorTo;
  FColorHot = p.ColorHot;
  FColorHotTo = p.ColorHotTo;
  FColorDown = p.ColorDown;
  FColorDownTo = p.ColorDownTo;
  FColorChecked = p.ColorChecked;
  FColorCheckedTo = p.ColorCheckedTo;
  FBorderDownColor = p.BorderDown;
  FBorderHotColor = p.BorderHot;
  FRounded = p.Rounded;
  FBorderColor = clNone;
  FFlat = true;
  Invalidate();
}

void TAdvGridButton::ApplyThemeLook() {
  int look = 1;
  if (IsWindowsXPOrLater() && IsThemeActive()) {
    BindUxTheme();
    String file, scheme, size;
    if (GetCurrentThemeName(file, scheme, size)) {
      if (scheme == u"NormalColor") look = 2;
      else if (scheme == u"HomeStead") look = 3;
      else if (scheme == u"Metallic") look = 4;
    }
  }
  SetLook(look);
}

void TAdvGridButton::SetDown(bool Value) {
  if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
  if (FStyle == tasCheck) {
    FDown = Value;
    Repaint();
    return;
  }
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;  // a group keeps one button down
  FDown = Value;
  if (Value) {
    if (FState == bsUp) Invalidate();
    FState = bsExclusive;
  } else {
    FState = bsUp;
    Repaint();
  }
  if (Value) UpdateExclusive();
}

void TAdvGridButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  TMessage m{CM_BUTTONPRESSED, static_cast<uintptr_t>(FGroupIndex),
             reinterpret_cast<intptr_t>(static_cast<TObject*>(this)), 0};
  Parent()->Broadcast(m);
}

void TAdvGridButton::UpdateTracking() {
  if (!FFlat || !Enabled()) return;
  // The control the mouse would reach: one lying on top of the button hides it.
  if (FindDragTarget(GetCursorPos(), false) == this) {
    FMouseInControl = false;
    Perform(CM_MOUSEENTER, 0, 0);
  } else {
    FMouseInControl = true;
    Perform(CM_MOUSELEAVE, 0, 0);
  }
}

// The OnClick event, or the linked action when no OnClick handler is set.
void TAdvGridButton::Click() {
  if (!OnClick && Action()) {
    FActionClient.Execute();
    return;
  }
  TGraphicControl::Click();
}

// ---- action link ---------------------------------------------------------------------------------

void TAdvGridButtonActionLink::AssignClient(TControl* AClient) {
  TControlActionLink::AssignClient(AClient);
  FButton = dynamic_cast<TAdvGridButton*>(AClient);
}

bool TAdvGridButtonActionLink::IsCaptionLinked() const {
  return TControlActionLink::IsCaptionLinked() && FButton &&
         FButton->Caption() == CustomAction()->Caption();
}

bool TAdvGridButtonActionLink::IsCheckedLinked() const {
  return TControlActionLink::IsCheckedLinked() && FButton && FButton->GroupIndex() != 0 &&
         FButton->AllowAllUp() && CustomAction()->Checked() == FButton->Down();
}

bool TAdvGridButtonActionLink::IsGroupIndexLinked() const {
  return FButton && CustomAction() && CustomAction()->GroupIndex() == FButton->GroupIndex();
}

void TAdvGridButtonActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) FButton->SetCaption(Value);
}

void TAdvGridButtonActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FButton->SetDown(Value);
}

void TAdvGridButtonActionLink::SetGroupIndex(int Value) {
  if (IsGroupIndexLinked()) FButton->SetGroupIndex(Value);
}

// ---- glyphs --------------------------------------------------------------------------------------

void TAdvGridButton::BuildDisabledGlyph() {
  if (FGlyph->Empty()) return;
  FGlyphDisabled->Assign(FGlyph.get());
  ForEachPixel(FGlyphDisabled.get(), [](uint8_t* p) {
    const int g = 96 + ((p[0] + p[1] + p[2]) / 3) / 2;
    p[0] = p[1] = p[2] = static_cast<uint8_t>(g);
  });
}

void TAdvGridButton::BuildShade() {
  if (FGlyph->Empty()) return;
  FGlyphShade->Assign(FGlyph.get());
  TBitmap* shade = FGlyphShade.get();
  const TColor transparent = BottomLeft(FGlyph.get());
  // The glyph with its transparent colour made black, combined with the glyph by exclusive-or:
  // black where the glyph has colour, the transparent colour elsewhere. Black then becomes grey.
  const int bpp = BytesPerPixel(shade), gbpp = BytesPerPixel(FGlyph.get());
  for (int y = 0; y < shade->Height(); ++y) {
    uint8_t* s = shade->ScanLine(y);
    const uint8_t* g = FGlyph->ScanLine(y);
    for (int x = 0; x < shade->Width(); ++x) {
      uint8_t* px = s + x * bpp;
      const uint8_t* gp = g + x * gbpp;
      if (PixelAt(px) == transparent) SetPixelAt(px, clBlack);
      for (int ch = 0; ch < 3; ++ch) px[ch] = static_cast<uint8_t>(px[ch] ^ gp[ch]);
      if (PixelAt(px) == clBlack) SetPixelAt(px, 0x808080);
    }
  }
}

// ---- painting ------------------------------------------------------------------------------------

void TAdvGridButton::CalcButtonLayout(TCanvas* Canvas, const TRect& Client, TPoint Offset, TPoint& GlyphPos,
                                      TRect& TextBounds) {
  const unsigned bidi = DrawTextBiDiModeFlags(0);
  TButtonLayout layout = FLayout;
  if (bidi & DT_RIGHT) {  // right-to-left alignment mirrors the glyph side
    if (layout == blGlyphLeft) layout = blGlyphRight;
    else if (layout == blGlyphRight) layout = blGlyphLeft;
  }
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  const int W = Client.Width(), H = Client.Height();
  const int gw = FGlyph->Empty() ? 0 : FGlyph->Width();
  const int gh = FGlyph->Empty() ? 0 : FGlyph->Height();
  int tw = 0, th = 0;
  const String caption = Caption();
  if (!caption.empty()) {
    TRect tr = Rect(0, 0, W, 0);
    DrawText(Canvas, caption, tr, DT_CALCRECT | bidi);
    tw = tr.Width();
    th = tr.Height();
  }
  TPoint gp, tp;
  if (horizontal) {
    gp.Y = (H - gh + 1) / 2;
    tp.Y = (H - th + 1) / 2;
  } else {
    gp.X = (W - gw + 1) / 2;
    tp.X = (W - tw + 1) / 2;
  }
  int M = FMargin, S = FSpacing;
  if (tw == 0 || gw == 0) S = 0;
  if (M == -1) {
    if (S == -1) {
      M = horizontal ? (W - (gw + tw)) / 3 : (H - (gh + th)) / 3;
      S = M;
    } else {
      M = horizontal ? (W - (gw + S + tw) + 1) / 2 : (H - (gh + S + th) + 1) / 2;
    }
  } else if (S == -1) {
    S = horizontal ? ((W - (M + gw)) - tw) / 2 : ((H - (M + gh)) - th) / 2;
  }
  switch (layout) {
    case blGlyphLeft: gp.X = M; tp.X = M + gw + S; break;
    case blGlyphRight: gp.X = W - M - gw; tp.X = gp.X - S - tw; break;
    case blGlyphTop: gp.Y = M; tp.Y = M + gh + S; break;
    case blGlyphBottom: gp.Y = H - M - gh; tp.Y = gp.Y - S - th; break;
  }
  const int dx = Client.Left + Offset.X, dy = Client.Top + Offset.Y;
  GlyphPos = Point(gp.X + dx, gp.Y + dy);
  TextBounds = Rect(tp.X + dx, tp.Y + dy, tp.X + dx + tw, tp.Y + dy + th);
}

void TAdvGridButton::DrawContent(TCanvas* Canvas, const TRect& Client, TPoint Offset, TButtonState State) {
  TPoint gp;
  TRect tb;
  CalcButtonLayout(Canvas, Client, Offset, gp, tb);
  const String caption = Caption();
  if (caption.empty()) gp = Point(0, 0);

  const bool pressed = State == bsDown || State == bsExclusive;
  TBitmap* glyph = FGlyph.get();
  if (FMouseInControl && pressed) glyph = FGlyphDown->Empty() ? FGlyph.get() : FGlyphDown.get();
  else if (FMouseInControl) glyph = FGlyphHot->Empty() ? FGlyph.get() : FGlyphHot.get();
  else if (pressed) glyph = FGlyphDown->Empty() ? FGlyph.get() : FGlyphDown.get();
  if (!Enabled()) glyph = FGlyphDisabled->Empty() ? FGlyph.get() : FGlyphDisabled.get();

  if (!glyph->Empty()) {
    if (FMouseInControl && FShaded && Enabled() && State != bsDown && !FGlyphShade->Empty()) {
      if (!caption.empty()) DrawTransparently(Canvas, gp.X + 2, gp.Y + 2, FGlyphShade.get());
      else DrawTransparently(Canvas, gp.X, gp.Y, FGlyphShade.get());
    }
    if (!caption.empty()) DrawTransparently(Canvas, gp.X, gp.Y, glyph);
    else DrawTransparently(Canvas, 0, 0, glyph);
  }

  if (!pressed && FMouseInControl && FShaded && Enabled() && FFlat) OffsetRect(tb, 1, 1);

  if (FShowCaption) {
    Canvas->Brush()->SetStyle(bsClear);
    const unsigned flags = DT_CENTER | DT_VCENTER | DrawTextBiDiModeFlags(0);
    if (State == bsDisabled) {
      TRect shadow = tb;
      OffsetRect(shadow, 1, 1);
      Canvas->Font()->SetColor(clBtnHighlight);
      DrawText(Canvas, caption, shadow, flags);
      Canvas->Font()->SetColor(clBtnShadow);
    }
    DrawText(Canvas, caption, tb, flags);
  }
}

void TAdvGridButton::Paint() {
  TCanvas* c = Canvas();
  if (!Enabled()) {
    FState = bsDisabled;
    FDragging = false;
  } else if (FState == bsDisabled) {
    FState = (FDown && FGroupIndex != 0) ? bsExclusive : bsUp;
  }
  if (FStyle == tasCheck && FDown) FState = bsDown;

  c->Font()->Assign(Font());
  TRect R = Rect(0, 0, Width(), Height());
  const bool pressed = FState == bsDown || FState == bsExclusive;

  if (!FFlat) {
    if (IsWindowsXPOrLater() && FAutoXPStyle && FIsComCtl6 && IsThemeActive()) {
      BindUxTheme();
      const int state = pressed ? 3 : (FMouseInControl ? 2 : 1);
      DrawThemedPart(c, Parent(), u"button", ThemeParts::BP_PUSHBUTTON, state, R);
    } else {
      DrawFrameControl(c, R, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0u));
    }
  } else {
    if (FBorderDownColor == clNone || FRounded) InflateRect(R, -1, -1);
    c->Pen()->SetWidth(1);
    if (FMouseInControl && Enabled()) {
      const bool down = FState == bsDown;
      const TColor fill = down ? FColorDown : FColorHot;
      const TColor fillTo = down ? FColorDownTo : FColorHotTo;
      const TColor border = down ? FBorderDownColor : FBorderHotColor;
      TColor pen = FRounded ? clNone : border;
      if (fillTo != clNone) {
        DrawGridButtonGradient(c, fill, fillTo, pen, 16, R);
      } else {
        if (pen == clNone) pen = fill;
        c->Pen()->SetColor(pen);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(fill);
        c->Rectangle(R);
      }
      if (FRounded) {
        InflateRect(R, 1, 1);
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(border);
        c->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
      }
      if (FDropDownButton && border != clNone) {
        c->Pen()->SetColor(border);
        c->MoveTo(R.Right - 12, R.Top);
        c->LineTo(R.Right - 12, R.Bottom);
      }
    } else if (FStyle == tasCheck && FDown) {
      TColor pen = FBorderDownColor;
      if (FColorCheckedTo != clNone) {
        DrawGridButtonGradient(c, FColorChecked, FColorCheckedTo, pen, 16, R);
      } else {
        if (pen == clNone) pen = FColorChecked;
        c->Pen()->SetColor(pen);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FColorChecked);
        c->Rectangle(R);
      }
    } else {
      const TColor fill = ColorToRGB(Color());
      if (FColorTo != clNone) {
        TColor pen = FDown ? FBorderDownColor : FBorderColor;
        if (FRounded) pen = clNone;
        DrawGridButtonGradient(c, fill, FColorTo, pen, 16, R);
      } else {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(fill);
        c->FillRect(R);
      }
      if (FBorderColor != clNone) {
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(FBorderColor);
        if (FRounded) {
          InflateRect(R, 1, 1);
          c->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
        } else {
          c->Rectangle(R);
        }
      }
    }
    InflateRect(R, -1, -1);
  }

  if (FState == bsExclusive && (!FFlat || !FMouseInControl)) {
    InflateRect(R, 1, 1);
    if (FColorCheckedTo != clNone) {
      DrawGridButtonGradient(c, FColorChecked, FColorCheckedTo, FDown ? FBorderDownColor : FBorderColor, 16, R);
    } else {
      c->Brush()->SetStyle(bsSolid);
      c->Brush()->SetColor(FColorChecked);
      c->FillRect(R);
    }
  }
  TPoint d;
  if (pressed && !FFlat) d = Point(1, 1);
  else if (!pressed && FFlat && FMouseInControl && Enabled() && FShaded) d = Point(-1, -1);

  if (FDropDownButton) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(c->Font()->Color());
    c->Pen()->SetColor(c->Font()->Color());
    const int mid = R.Top + (R.Bottom - R.Top) / 2;
    c->Polygon({Point(R.Right - 8, mid - 1), Point(R.Right - 4, mid - 1), Point(R.Right - 6, mid + 1)});
    R.Right -= 12;
  }
  DrawContent(c, R, d, (FDown && FGroupIndex != 0) ? bsDown : FState);
}

// ---- input ---------------------------------------------------------------------------------------

// The inherited enter/leave handling, holding back the event that it would raise: the button
// raises it itself once the hover look is settled, so that a handler sees the new look.
void TAdvGridButton::InheritedWithoutEvent(TMessage& Message, TNotifyEvent& Event) {
  TNotifyEvent held = std::move(Event);
  Event = nullptr;
  TGraphicControl::WndProc(Message);
  if (!Event) Event = std::move(held);
}

void TAdvGridButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER: {
      InheritedWithoutEvent(Message, OnMouseEnter);
      if (!FMouseInControl && Enabled() && GetCapture() == nullptr) {
        FMouseInControl = true;
        Repaint();
      }
      if (OnMouseEnter) OnMouseEnter(this);
      return;
    }
    case CM_MOUSELEAVE: {
      InheritedWithoutEvent(Message, OnMouseLeave);
      if (FMouseInControl && Enabled() && !FDragging) {
        FMouseInControl = false;
        Invalidate();
      }
      if (OnMouseLeave) OnMouseLeave(this);
      return;
    }
    case CM_ENABLEDCHANGED:
      TGraphicControl::WndProc(Message);
      UpdateTracking();
      Repaint();
      return;
    case WM_THEMECHANGED:
    case CM_SYSFONTCHANGED:
      if (FAutoThemeAdapt) ApplyThemeLook();
      TGraphicControl::WndProc(Message);
      return;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case CM_SYSCOLORCHANGE:
      TGraphicControl::WndProc(Message);
      Invalidate();
      return;
    case WM_LBUTTONDBLCLK:
      TGraphicControl::WndProc(Message);
      if (FDown) DblClick();
      return;
    case CM_DIALOGCHAR:
      if (IsCaptionAccelerator(static_cast<Char>(Message.WParam), Caption()) && Enabled() && Visible() && Parent() &&
          Parent()->Showing()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    case CM_BUTTONPRESSED:
      if (static_cast<int>(Message.WParam) == FGroupIndex) {
        auto* sender = dynamic_cast<TAdvGridButton*>(reinterpret_cast<TObject*>(Message.LParam));
        if (sender && sender != this) {
          if (sender->FDown && FDown) {
            FDown = false;
            FState = bsUp;
            if (auto* a = dynamic_cast<TCustomAction*>(Action())) a->SetChecked(false);
            Invalidate();
          }
          FAllowAllUp = sender->FAllowAllUp;
        }
      }
      return;
    default:
      break;
  }
  TGraphicControl::WndProc(Message);
}

void TAdvGridButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (FDropDownButton && X > ClientRect().Right - 12) {
    FState = bsUp;
    if (OnDropDown) OnDropDown(this);
    if (FDropDownMenu) {
      const TPoint at = Parent() ? Parent()->ClientToScreen(Point(Left(), Top() + Height()))
                                 : ClientToScreen(Point(0, Height()));
      FDropDownMenu->Popup(at.X, at.Y);
    }
    return;
  }
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  if (FStyle == tasCheck) {
    FState = bsDown;
    Repaint();
  }
  FDragging = true;
}

void TAdvGridButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (FDragging) {
    TButtonState s = FDown ? bsExclusive : bsUp;
    if (Inside(X, Y)) s = FDown ? bsExclusive : bsDown;
    if (FStyle == tasCheck && FDown) s = bsDown;
    if (s != FState) {
      FState = s;
      Invalidate();
    }
  } else if (!FMouseInControl) {
    UpdateTracking();
  }
}

void TAdvGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  const bool inside = Inside(X, Y);
  if (FGroupIndex == 0) {
    FState = bsUp;
    if (FStyle == tasCheck) {
      SetDown(!FDown);
      FState = bsUp;
    }
    if (inside) Invalidate();
  } else if (inside) {
    SetDown(!FDown);
    if (FDown) Repaint();
  } else {
    if (FDown) FState = bsExclusive;
    Repaint();
  }
  if (inside) Click();
  UpdateTracking();
}
