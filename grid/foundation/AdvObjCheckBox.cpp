#include "grid/foundation/AdvObjCheckBox.h"

#include <algorithm>

#include "grid/foundation/AdvObjControlUtil.h"
#include "grid/foundation/AdvXPVS.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"

TAdvCheckBox::TAdvCheckBox(TComponent* AOwner) : TCustomControl(AOwner), FBkgBmp(std::make_unique<TBitmap>()) {
  TControlStyle style = ControlStyle();
  style.Exclude(csClickEvents);
  SetControlStyle(style);
  SetBounds(Left(), Top(), 98, 20);
  SetColor(clWindow);
  SetParentColor(true);
  SetTabStop(false);
  FCaption = u"TAdvCheckBox";
  SetText(FCaption);
  FIsWinXP = IsWindowsXPOrLater();
}

TAdvCheckBox::~TAdvCheckBox() = default;

void TAdvCheckBox::SetAlignment(TLeftRight Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TAdvCheckBox::SetButtonVertAlign(TTextLayout Value) {
  if (Value == FBtnVAlign) return;
  FBtnVAlign = Value;
  Invalidate();
}

void TAdvCheckBox::SetCaption(const String& Value) {
  SetText(Value);
  FCaption = Value;
  Invalidate();
}

void TAdvCheckBox::SetChecked(bool Value) {
  SetState(Value ? cbChecked : cbUnchecked);
  Invalidate();
}

void TAdvCheckBox::SetEllipsis(bool Value) {
  if (Value == FEllipsis) return;
  FEllipsis = Value;
  Invalidate();
}

void TAdvCheckBox::SetState(TCheckBoxState Value) {
  if (Value == FState) return;
  FState = Value;
  TRect strip = ClientRect();
  if (FAlignment == taRightJustify) strip.Left = std::max(strip.Left, strip.Right - 20);
  else strip.Right = std::min(strip.Right, strip.Left + 20);
  InvalidateRect(this, strip, true);
}

void TAdvCheckBox::SetTransparent(bool Value) {
  if (Value != FTransparent) {
    FTransparent = Value;
    FBkgCache = false;
  }
  Repaint();
}

void TAdvCheckBox::Toggle() {
  if (!FReadOnly) SetChecked(!Checked());
}

void TAdvCheckBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FTransparent) {
    FBkgCache = false;
    Repaint();
  }
}

void TAdvCheckBox::DoEnter() {
  TCustomControl::DoEnter();
  FFocused = true;
  Invalidate();
}

void TAdvCheckBox::DoExit() {
  TCustomControl::DoExit();
  FFocused = false;
  Invalidate();
}

void TAdvCheckBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
      TCustomControl::WndProc(Message);
      Invalidate();
      return;
    case WM_ERASEBKGND:
      if (FTransparent) {
        Message.Result = 1;
        return;
      }
      break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      // Only the hot look changes; no enter or leave events are raised.
      FHot = Message.Msg == CM_MOUSEENTER;
      mouseInside_ = FHot;
      InvalidateRect(this, Rect(0, 0, 16, 16), true);
      return;
    case CM_DIALOGCHAR:
      if (IsCaptionAccelerator(static_cast<Char>(Message.WParam), FCaption) && CanFocus()) {
        Toggle();
        if (TabStop()) SetFocus();
        Message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TCustomControl::WndProc(Message);
}

void TAdvCheckBox::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());

  if (FTransparent) {
    if (!FTransparentCaching) {
      PaintParentBackground(this, canvas);
    } else {
      if (!FBkgCache) {
        FBkgBmp->SetPixelFormat(pf24bit);
        FBkgBmp->SetSize(Width(), Height());
        PaintParentBackground(this, FBkgBmp->Canvas());
        FBkgCache = true;
      }
      canvas->Draw(0, 0, FBkgBmp.get());
    }
  }

  SetText(FCaption);
  const TRect client = ClientRect();
  if (IsWindowsXPOrLater() && IsThemeActive() && IsComCtl6OrLater()) {
    int y = 4;
    if (FBtnVAlign == tlCenter) y = client.Height() / 2 - 6;
    else if (FBtnVAlign == tlBottom) y = client.Bottom - 14;
    const int x = FAlignment == taRightJustify ? client.Right - 15 : 0;
    int column = 0;  // normal
    if (!Enabled()) column = 3;
    else if (FDown) column = 2;
    else if (FHot) column = 1;
    const int state = 1 + 4 * static_cast<int>(FState) + column;
    BindUxTheme();
    DrawThemedPart(canvas, this, u"button", ThemeParts::BP_CHECKBOX, state, Rect(x, y, x + 14, y + 14));
  } else {
    const int x = FAlignment == taRightJustify ? client.Right - 13 : 0;
    int y = 4;
    if (FBtnVAlign == tlCenter) y = client.Height() / 2 - 6;
    else if (FBtnVAlign == tlBottom) y = client.Bottom - 17;
    unsigned flags = DFCS_BUTTONCHECK;
    if (!Enabled() || FState == cbGrayed) flags |= DFCS_INACTIVE;
    if (FState == cbChecked) flags |= DFCS_CHECKED;
    DrawFrameControl(canvas, Rect(x, y, x + 13, y + 13), DFC_BUTTON, flags);
  }

  TRect r = client;
  if (FAlignment == taRightJustify) {
    r.Left = 0;
    r.Right -= 9;
  } else {
    r.Left = 9;
  }
  r.Top = 4;
  r.Left += 6;

  canvas->Brush()->SetStyle(bsClear);
  unsigned flags = DT_LEFT | DT_TOP;
  if (FEllipsis) flags |= DT_END_ELLIPSIS;
  const String text = Text();
  if (!Enabled()) {
    TRect shadow = r;
    OffsetRect(shadow, 1, 1);
    canvas->Font()->SetColor(clWhite);
    DrawText(canvas, text, shadow, flags);
    canvas->Font()->SetColor(clGray);
  }
  DrawText(canvas, text, r, flags);

  if (FFocused) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->DrawFocusRect(Rect(r.Left - 2, r.Top, r.Left + canvas->TextWidth(text) + 1,
                               r.Top + canvas->TextHeight(text) + 1));
  }
}

void TAdvCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FMouseDown = true;
  if (!FFocused) {
    if (CanFocus()) SetFocus();
    FFocused = true;
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
  SetMouseCapture(true);
  FDown = true;
  if (FIsWinXP) InvalidateRect(this, Rect(0, 0, 16, 16), false);
}

void TAdvCheckBox::MouseMove(TShiftState Shift, int X, int Y) {
  if (MouseCapture()) FDown = InsideInclusive(X, Y);
  TCustomControl::MouseMove(Shift, X, Y);
}

void TAdvCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  SetMouseCapture(false);
  FDown = false;
  if (InsideInclusive(X, Y) && FFocused && FMouseDown) {
    Toggle();
    Click();
  }
  FMouseDown = false;
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FIsWinXP) InvalidateRect(this, Rect(0, 0, 16, 16), true);
}

void TAdvCheckBox::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_RETURN && FReturnIsTab) {
    Key = VK_TAB;
    PostMessage(this, WM_KEYDOWN, VK_TAB, 0);
  }
  if (Key == VK_SPACE) FDown = true;
  TCustomControl::KeyDown(Key, Shift);
}

void TAdvCheckBox::KeyUp(Word& Key, TShiftState Shift) {
  if (Key == VK_SPACE) {
    FDown = false;
    Toggle();
    Click();
    return;
  }
  // Other releases still reach OnKeyUp.
  TCustomControl::KeyUp(Key, Shift);
}
