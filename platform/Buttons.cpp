#include "platform/Buttons.h"

#include <algorithm>

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  // Clicks come from the button itself on release, not from the generic click handling.
  controlStyle_ = TControlStyle{csCaptureMouse, csDoubleClicks};
  width_ = 23;
  height_ = 22;
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetGlyph(TBitmap* Value) {
  if (Value) FGlyph->Assign(Value);
  else FGlyph = std::make_unique<TBitmap>();
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int Value) {
  FNumGlyphs = std::max(1, std::min(4, Value));
  Invalidate();
}

void TSpeedButton::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (FDown == Value) return;
  FDown = Value;
  FState = Value ? bsExclusive : bsUp;
  if (Value && Parent()) {
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
      if (other && other != this && other->FGroupIndex == FGroupIndex) other->SetDown(false);
    }
  }
  Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  const bool inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
  const TButtonState s = FDown ? bsExclusive : inside ? bsDown : bsUp;
  if (s != FState) {
    FState = s;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging || Button != mbLeft) return;
  FDragging = false;
  const bool inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
  if (FGroupIndex == 0) {
    FState = bsUp;
    Invalidate();
  } else if (inside) {
    SetDown(!FDown);
  }
  if (inside) ReleaseClick();
}

void TSpeedButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      TGraphicControl::WndProc(Message);
      FMouseInControl = true;
      if (FFlat) Invalidate();
      return;
    case CM_MOUSELEAVE:
      TGraphicControl::WndProc(Message);
      FMouseInControl = false;
      if (FFlat) Invalidate();
      return;
    default: TGraphicControl::WndProc(Message);
  }
}

void TSpeedButton::PaintGlyph(const TRect& R, int Offset) {
  if (FGlyph->Width() <= 0 || FGlyph->Height() <= 0) return;
  const int gw = FGlyph->Width() / FNumGlyphs, gh = FGlyph->Height();
  const int x = R.Left + (R.Width() - gw) / 2 + Offset;
  const int y = R.Top + (R.Height() - gh) / 2 + Offset;
  TCanvas* c = Canvas();
  // The glyph's bottom-left pixel is its transparent colour, as the class library takes it.
  const TColor key = FGlyph->TransparentColor();
  for (int j = 0; j < gh; ++j) {
    for (int i = 0; i < gw; ++i) {
      const TColor p = FGlyph->Canvas()->Pixels(i, j);
      if (p != key) c->SetPixels(x + i, y + j, p);
    }
  }
}

void TSpeedButton::PaintCaption(const TRect& R, int Offset) {
  if (Caption().empty()) return;
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  c->Brush()->SetStyle(bsClear);
  TRect r = R;
  OffsetRect(r, Offset, Offset);
  DrawText(c, Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TSpeedButton::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  const bool down = FState == bsDown || FState == bsExclusive;
  if (FFlat) {
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    if (down) DrawEdge(c, r, BDR_SUNKENOUTER, BF_RECT);
    else if (FMouseInControl && Enabled()) DrawEdge(c, r, BDR_RAISEDINNER, BF_RECT);
  } else {
    DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0u));
  }
  const int offset = down ? 1 : 0;
  PaintGlyph(ClientRect(), offset);
  PaintCaption(ClientRect(), offset);
}
