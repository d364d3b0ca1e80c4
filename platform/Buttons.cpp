#include "platform/Buttons.h"

#include <algorithm>

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  // The button raises its own clicks, on a release after a press inside it.
  SetControlStyle({csCaptureMouse, csDoubleClicks});
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  if (Value) {
    if (FState == bsUp) Invalidate();
    FState = bsExclusive;
    if (Parent()) {
      TMessage m{CM_BUTTONPRESSED, static_cast<uintptr_t>(FGroupIndex),
                 reinterpret_cast<intptr_t>(static_cast<TControl*>(this)), 0};
      Parent()->Broadcast(m);
    }
  } else {
    FState = bsUp;
    Repaint();
  }
}

void TSpeedButton::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* Value) {
  if (Value)
    FGlyph->Assign(Value);
  else
    FGlyph = std::make_unique<TBitmap>();
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Invalidate();
}

void TSpeedButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_BUTTONPRESSED:
      if (static_cast<int>(Message.WParam) == FGroupIndex && FGroupIndex != 0) {
        auto* sender = dynamic_cast<TSpeedButton*>(reinterpret_cast<TControl*>(Message.LParam));
        if (sender && sender != this) {
          if (sender->Down() && FDown) {
            FDown = false;
            FState = bsUp;
            Invalidate();
          }
          FAllowAllUp = sender->AllowAllUp();
        }
      }
      return;
    case CM_MOUSEENTER:
      TGraphicControl::WndProc(Message);
      if (!FMouseInControl && Enabled()) {
        FMouseInControl = true;
        if (FFlat) Invalidate();
      }
      return;
    case CM_MOUSELEAVE:
      TGraphicControl::WndProc(Message);
      if (FMouseInControl && Enabled() && !FDragging) {
        FMouseInControl = false;
        if (FFlat) Invalidate();
      }
      return;
    case CM_ENABLEDCHANGED:
      if (!Enabled()) FMouseInControl = false;
      break;
    default:
      break;
  }
  TGraphicControl::WndProc(Message);
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
  TButtonState next = FDown ? bsExclusive : bsUp;
  if (Inside(X, Y)) next = FDown ? bsExclusive : bsDown;
  if (next != FState) {
    FState = next;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  const bool doClick = Inside(X, Y);
  if (FGroupIndex == 0) {
    FState = bsUp;
    FMouseInControl = false;
    Invalidate();
  } else if (doClick) {
    SetDown(!FDown);
    if (FDown) Repaint();
  } else {
    if (FDown) FState = bsExclusive;
    Repaint();
  }
  if (doClick) ReleaseClick();
}

std::unique_ptr<TBitmap> TSpeedButton::GlyphForState() const {
  if (FGlyph->Empty()) return nullptr;
  const int w = FGlyph->Width() / FNumGlyphs;
  int index = 0;
  switch (FState) {
    case bsDisabled: index = 1; break;
    case bsDown: index = 2; break;
    case bsExclusive: index = 3; break;
    default: break;
  }
  if (index >= FNumGlyphs) index = 0;
  auto part = std::make_unique<TBitmap>();
  part->SetSize(w, FGlyph->Height());
  part->Canvas()->CopyRect(Rect(0, 0, w, FGlyph->Height()), FGlyph->Canvas(), Rect(index * w, 0, (index + 1) * w, FGlyph->Height()));
  part->SetTransparent(true);
  return part;
}

void TSpeedButton::Paint() {
  TCanvas* canvas = Canvas();
  if (!Enabled()) {
    FState = bsDisabled;
    FDragging = false;
  } else if (FState == bsDisabled) {
    FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
  }
  canvas->Font()->Assign(Font());
  TRect r = ClientRect();
  const bool pressed = FState == bsDown || FState == bsExclusive;
  const bool seeThrough = FFlat && FTransparent;
  if (!seeThrough) {
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(r);
  }
  if (FFlat) {
    if (pressed || (FMouseInControl && FState != bsDisabled)) {
      TRect edge = r;
      DrawEdge(canvas, edge, pressed ? BDR_SUNKENINNER : BDR_RAISEDINNER, BF_RECT);
    }
  } else {
    DrawFrameControl(canvas, r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0u));
  }
  // Glyph left of the caption, the pair centred; pressed contents move by one pixel.
  const int shift = pressed ? 1 : 0;
  std::unique_ptr<TBitmap> glyph = GlyphForState();
  const String caption = Caption();
  const int gw = glyph ? glyph->Width() : 0;
  const int gh = glyph ? glyph->Height() : 0;
  const int tw = caption.empty() ? 0 : canvas->TextWidth(caption);
  const int th = caption.empty() ? 0 : canvas->TextHeight(caption);
  const int spacing = glyph && !caption.empty() ? 4 : 0;
  int x = (r.Width() - (gw + spacing + tw)) / 2 + shift;
  if (glyph) {
    canvas->Draw(x, (r.Height() - gh) / 2 + shift, glyph.get());
    x += gw + spacing;
  }
  if (!caption.empty()) {
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetColor(FState == bsDisabled ? clGrayText : Font()->Color());
    canvas->TextOut(x, (r.Height() - th) / 2 + shift, caption);
  }
}
