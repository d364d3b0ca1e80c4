#include "grid/dropdown/AdvDropDownPushButton.h"

#include <algorithm>

#include "grid/dropdown/AdvDropDownDraw.h"
#include "platform/SysUtils.h"

namespace {

// Whether Ch is the caption's accelerator: the character after a single "&", case-blind.
bool PushButtonIsAccel(Char Ch, const String& Caption) {
  for (size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != u'&') continue;
    if (Caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return AnsiUpperCase(String(1, Caption[i + 1])) == AnsiUpperCase(String(1, Ch));
  }
  return false;
}

}  // namespace

// ---- appearance ---------------------------------------------------------------------------------

TAdvButtonAppearance::TAdvButtonAppearance() : FFont(std::make_unique<TFont>()) {
  FFont->SetName(u"Tahoma");
  FColorChecked = ShadeColor(FColorHot, -10, -10, 0);
  FColorCheckedTo = ShadeColor(FColorHotTo, -10, -10, 0);
}

TAdvButtonAppearance::~TAdvButtonAppearance() = default;

void TAdvButtonAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TAdvButtonAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  SetColor(s->FColor);
  SetColorTo(s->FColorTo);
  SetColorHot(s->FColorHot);
  SetColorHotTo(s->FColorHotTo);
  SetColorDown(s->FColorDown);
  SetColorDownTo(s->FColorDownTo);
  SetColorChecked(s->FColorChecked);
  SetColorCheckedTo(s->FColorCheckedTo);
  SetColorDisabled(s->FColorDisabled);
  SetColorDisabledTo(s->FColorDisabledTo);
  SetBorderColor(s->FBorderColor);
  SetBorderColorHot(s->FBorderColorHot);
  SetBorderColorDown(s->FBorderColorDown);
  SetBorderColorChecked(s->FBorderColorChecked);
  SetBorderColorDisabled(s->FBorderColorDisabled);
  SetGradient(s->FGradient);
}

// ---- button -------------------------------------------------------------------------------------

TAdvButton::TAdvButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 23, 22);
  SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks});
  SetParentFont(true);
  Font()->SetName(u"Tahoma");
  FUnHotTimer = new TTimer(this);
  FUnHotTimer->SetInterval(1);
  FUnHotTimer->SetEnabled(false);
  FUnHotTimer->OnTimer = [this](TObject*) { UnHotTimerTick(); };
  SetShowHint(false);
  SetDoubleBuffered(true);
}

TAdvButton::~TAdvButton() = default;

void TAdvButton::SetAppearance(TAdvButtonAppearance* Value) {
  FAppearance = Value;
  Invalidate();
}

void TAdvButton::SetImages(TImageList* Value) {
  FImages = Value;
  Invalidate();
}

void TAdvButton::SetImageIndex(int Value) {
  FImageIndex = Value;
  Invalidate();
}

void TAdvButton::AutoSizeButton() {
  if (!FAppearance) return;
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(FAppearance->Font());
  TSize size = GetTextSize(canvas, Caption());
  if (FImages && FImageIndex >= 0) {
    size.cx = std::max(size.cx, FImages->Width());
    size.cy = std::max(size.cy, FImages->Height());
  }
  SetHeight(size.cy + 4);
  SetWidth(size.cx + 8);
}

void TAdvButton::Paint() {
  if (!Enabled()) {
    FState = absDisabled;
    FDragging = false;
  } else if (FState == absDisabled) {
    FState = FDown && FGroupIndex != 0 ? absExclusive : absUp;
  }
  if (FStyle == tasCheck && FDown) FState = absDown;

  TCanvas* canvas = Canvas();
  // The parent, with the graphic controls lying on it, shows through wherever the face leaves it.
  const int saved = canvas->SaveDC();
  canvas->IntersectClipRect(ClientRect());
  PaintParentBackground(this, canvas, true);
  canvas->RestoreDC(saved);

  DrawButton(canvas);
}

void TAdvButton::DrawButton(TCanvas* ACanvas) {
  if (!FAppearance) return;
  const TAdvButtonAppearance* a = FAppearance;
  TColor from = a->Color(), to = a->ColorTo(), border = a->BorderColor();
  if (!Enabled()) {
    from = a->ColorDisabled();
    to = a->ColorDisabledTo();
    border = a->BorderColorDisabled();
  } else if (FMouseDownInControl && FMouseInControl) {
    from = to = a->ColorDown();
    border = a->BorderColorDown();
  } else if (FDown) {
    from = to = a->ColorChecked();
    border = a->BorderColorChecked();
  } else if (FMouseInControl || Focused()) {
    from = to = a->ColorHot();
    border = a->BorderColorHot();
  }
  DrawFilledRect(ACanvas, ClientRect(), from, to, border, 1, a->Gradient());
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->Font()->Assign(a->Font());
  DrawImageAndText(ACanvas, ClientRect(), Caption(), FImages, FImageIndex);
}

void TAdvButton::SetDown(bool Value) {
  if (ComponentState().Contains(TComponentStateFlag::csLoading)) {
    FInitialDown = Value;
    return;
  }
  if (FGroupIndex == 0 && FStyle == tasButton) return;
  if (FStyle == tasCheck) {
    FDown = Value;
    FState = Value ? absDown : absUp;
    Repaint();
    return;
  }
  if (Value == FDown || (FDown && !FAllowAllUp)) return;
  FDown = Value;
  if (Value) {
    if (FState == absUp) Invalidate();
    FState = absExclusive;
    if (Parent()) {
      TMessage m{CM_BUTTONPRESSED, static_cast<uintptr_t>(FGroupIndex), reinterpret_cast<intptr_t>(static_cast<TControl*>(this)), 0};
      Parent()->Broadcast(m);
    }
  } else {
    FState = absUp;
    Invalidate();
  }
}

void TAdvButton::Loaded() {
  TCustomControl::Loaded();
  if (FInitialDown != FDown) SetDown(FInitialDown);
}

void TAdvButton::Click() {
  if (TForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  if (FAdvDropDown) {
    switch (FModalResult) {
      case 1: case 2: case 3: case 5: case 6: case 7: case 12: case 13: case 14: {
        const bool cancel = FModalResult == 2 || FModalResult == 3 || FModalResult == 5 || FModalResult == 7 ||
                            FModalResult == 13;
        FAdvDropDown->DoHideDropDown(cancel);
        break;
      }
      default:
        break;
    }
  }
  if (!FInternalClick) TCustomControl::Click();
}

void TAdvButton::MouseEntered() {
  FMouseInControl = true;
  if (Enabled()) Invalidate();
  FUnHotTimer->SetEnabled(true);
  if (OnMouseEnter) OnMouseEnter(this);
}

void TAdvButton::MouseLeft() {
  FUnHotTimer->SetEnabled(false);
  FMouseInControl = false;
  FHot = false;
  if (Enabled()) Invalidate();
  if (OnMouseLeave) OnMouseLeave(this);
}

void TAdvButton::UnHotTimerTick() {
  const TPoint p = ScreenToClient(GetCursorPos());
  if (PtInRect(ClientRect(), p)) return;
  FUnHotTimer->SetEnabled(false);
  FMouseInControl = false;
  FHot = false;
  if (Enabled()) Invalidate();
}

void TAdvButton::UpdateTracking() {
  if (!Enabled()) return;
  if (FindDragTarget(GetCursorPos(), true) == this) {
    FMouseInControl = false;
    Perform(CM_MOUSEENTER, 0, 0);
  } else {
    FMouseInControl = true;
    Perform(CM_MOUSELEAVE, 0, 0);
  }
}

void TAdvButton::Press() {
  if (!FDown) {
    FState = absDown;
    Invalidate();
  }
  if (FStyle == tasCheck) {
    FState = absDown;
    Repaint();
  }
}

void TAdvButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  FMouseDownInControl = true;
  Press();
  FDragging = true;
}

void TAdvButton::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (FDragging) {
    TAdvButtonState next = FDown ? absExclusive : absUp;
    if (Inside(X, Y)) next = FDown ? absExclusive : absDown;
    if (FStyle == tasCheck && FDown) next = absDown;
    if (next != FState) {
      FState = next;
      Invalidate();
    }
  } else if (!FMouseInControl) {
    UpdateTracking();
  }
}

void TAdvButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FMouseDownInControl = false;
  Invalidate();
  if (!FDragging) return;
  FDragging = false;
  const bool inside = Inside(X, Y);
  if (FGroupIndex != 0) {
    if (inside) {
      SetDown(!FDown);
      if (FDown) Invalidate();
    } else {
      if (FDown) FState = absExclusive;
      Invalidate();
    }
  } else {
    FState = absUp;
    FMouseInControl = false;
    FHot = false;
    if (FStyle == tasCheck) {
      SetDown(!FDown);
      FState = absUp;
    }
    if (inside) Invalidate();
  }
  UpdateTracking();
}

void TAdvButton::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_RETURN || Key == VK_SPACE) {
    Press();
    FInternalClick = true;
    try {
      Click();
    } catch (...) {
      FInternalClick = false;
      throw;
    }
    FInternalClick = false;
  }
  TCustomControl::KeyDown(Key, Shift);
}

void TAdvButton::DoEnter() {
  TCustomControl::DoEnter();
  Invalidate();
}

void TAdvButton::DoExit() {
  TCustomControl::DoExit();
  Invalidate();
}

void TAdvButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      if (Message.LParam == 0 || Message.LParam == reinterpret_cast<intptr_t>(static_cast<TControl*>(this))) {
        mouseInside_ = true;
        MouseEntered();
      }
      return;
    case CM_MOUSELEAVE:
      if (Message.LParam == 0 || Message.LParam == reinterpret_cast<intptr_t>(static_cast<TControl*>(this))) {
        mouseInside_ = false;
        MouseLeft();
      }
      return;
    case CM_BUTTONPRESSED:
      if (static_cast<int>(Message.WParam) == FGroupIndex) {
        auto* sender = dynamic_cast<TAdvButton*>(reinterpret_cast<TControl*>(Message.LParam));
        if (sender && sender != this) {
          if (sender->Down() && FDown) {
            FDown = false;
            FState = absUp;
            Invalidate();
          }
          FAllowAllUp = sender->AllowAllUp();
        }
      }
      return;
    case CM_DIALOGCHAR:
      if (Enabled() && PushButtonIsAccel(static_cast<Char>(Message.WParam), Caption())) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    case CM_ENABLEDCHANGED:
      TCustomControl::WndProc(Message);
      Invalidate();
      return;
    case WM_ERASEBKGND:
      TCustomControl::WndProc(Message);
      Message.Result = 1;
      return;
    default:
      break;
  }
  TCustomControl::WndProc(Message);
}
