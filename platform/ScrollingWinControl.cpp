#include "platform/ScrollingWinControl.h"

#include <algorithm>

#include "platform/ExtCtrls.h"


void TControlScrollBar::SetPosition(int Value) {
  const int pos = std::clamp(Value, 0, FControl->MaxPosition(*this));
  if (pos == FPosition) return;
  const int delta = pos - FPosition;
  FPosition = pos;
  if (FKind == sbVertical) FControl->MoveContents(0, -delta);
  else FControl->MoveContents(-delta, 0);
  FControl->Invalidate();
}

// A bar's strip: paints the bar and hands its mouse messages to the scrolling control.
class TScrollBarStrip : public TCustomControl {
 public:
  TScrollBarStrip(TScrollingWinControl* AOwner, TControlScrollBar* Bar)
      : TCustomControl(AOwner), FScroller(AOwner), FBar(Bar) {
    SetVisible(false);
    SetParent(AOwner);
  }
  String ClassName() const override { return u"TScrollBarStrip"; }
  void WndProc(TMessage& Message) override {
    switch (Message.Msg) {
      case WM_LBUTTONDOWN:
      case WM_MOUSEMOVE:
      case WM_LBUTTONUP: {
        TMessage m = Message;
        m.LParam = MakeLParam(LParamX(Message.LParam) + Left(), LParamY(Message.LParam) + Top());
        TCustomControl::WndProc(Message);
        FScroller->WndProc(m);
        return;
      }
      default: TCustomControl::WndProc(Message);
    }
  }

 protected:
  void Paint() override { FScroller->PaintBar(Canvas(), *FBar, Point(Left(), Top())); }

 private:
  TScrollingWinControl* FScroller;
  TControlScrollBar* FBar;
};

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner) : TCustomControl(AOwner) {
  FVertStrip = new TScrollBarStrip(this, &FVert);
  FHorzStrip = new TScrollBarStrip(this, &FHorz);
}

bool TScrollingWinControl::IsStrip(const TControl* Control) const {
  return Control == FVertStrip || Control == FHorzStrip;
}

void TScrollingWinControl::PlaceStrips() {
  if (!FVertStrip || !FHorzStrip) return;
  FUpdating = true;
  const TRect client = ClientRect();
  FVertStrip->SetBounds(client.Right, 0, kScrollBarSize, client.Bottom);
  FVertStrip->SetVisible(FVert.FShown);
  // The horizontal strip also covers the corner between two bars.
  FHorzStrip->SetBounds(0, client.Bottom, Width(), kScrollBarSize);
  FHorzStrip->SetVisible(FHorz.FShown);
  if (FVert.FShown) FVertStrip->BringToFront();
  if (FHorz.FShown) FHorzStrip->BringToFront();
  FVertStrip->Invalidate();
  FHorzStrip->Invalidate();
  FUpdating = false;
}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool Value) {
  if (FAutoScroll == Value) return;
  FAutoScroll = Value;
  UpdateScrollBars();
}

TRect TScrollingWinControl::ClientRect() const {
  TRect r = TCustomControl::ClientRect();
  if (FVert.FShown) r.Right = std::max(0, r.Right - kScrollBarSize);
  if (FHorz.FShown) r.Bottom = std::max(0, r.Bottom - kScrollBarSize);
  return r;
}

void TScrollingWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const bool resized = AWidth != Width() || AHeight != Height();
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (resized) UpdateScrollBars();
}

int TScrollingWinControl::PageOf(const TControlScrollBar& Bar) const {
  return Bar.FKind == sbVertical ? ClientHeight() : ClientWidth();
}

int TScrollingWinControl::MaxPosition(const TControlScrollBar& Bar) const {
  return Bar.FShown ? std::max(0, Bar.FRange - PageOf(Bar)) : 0;
}

void TScrollingWinControl::MoveContents(int Dx, int Dy) {
  if (Dx == 0 && Dy == 0) return;
  FUpdating = true;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (IsStrip(c)) continue;
    c->SetBounds(c->Left() + Dx, c->Top() + Dy, c->Width(), c->Height());
  }
  FUpdating = false;
}

void TScrollingWinControl::UpdateScrollBars() {
  if (FUpdating) return;
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* c = Controls(i);
    if (IsStrip(c) || !c->Visible() || c->Align() == alClient) continue;
    right = std::max(right, c->Left() + c->Width() + FHorz.FPosition);
    bottom = std::max(bottom, c->Top() + c->Height() + FVert.FPosition);
  }
  FHorz.FRange = right;
  FVert.FRange = bottom;
  // A bar takes room from the other side, which may then need its own bar too.
  bool vert = FAutoScroll && bottom > Height();
  bool horz = FAutoScroll && right > Width() - (vert ? kScrollBarSize : 0);
  if (horz && !vert) vert = FAutoScroll && bottom > Height() - kScrollBarSize;
  const bool changed = vert != FVert.FShown || horz != FHorz.FShown;
  FVert.FShown = vert;
  FHorz.FShown = horz;
  // Positions past the new end come back, taking the children with them.
  for (TControlScrollBar* bar : {&FVert, &FHorz}) {
    const int pos = std::min(bar->FPosition, MaxPosition(*bar));
    if (pos != bar->FPosition) {
      const int delta = bar->FPosition - pos;
      bar->FPosition = pos;
      if (bar->FKind == sbVertical) MoveContents(0, delta);
      else MoveContents(delta, 0);
    }
  }
  if (changed) AlignControls();
  PlaceStrips();
  Invalidate();
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
  if (!AControl || AControl->Parent() != this) return;
  const int top = AControl->Top() - FVert.FMargin;
  const int bottom = AControl->Top() + AControl->Height() + FVert.FMargin;
  if (top < 0) FVert.SetPosition(FVert.FPosition + top);
  else if (bottom > ClientHeight()) FVert.SetPosition(FVert.FPosition + std::min(bottom - ClientHeight(), top));
  const int left = AControl->Left() - FHorz.FMargin;
  const int right = AControl->Left() + AControl->Width() + FHorz.FMargin;
  if (left < 0) FHorz.SetPosition(FHorz.FPosition + left);
  else if (right > ClientWidth()) FHorz.SetPosition(FHorz.FPosition + std::min(right - ClientWidth(), left));
}

TRect TScrollingWinControl::TrackRect(const TControlScrollBar& Bar) const {
  const TRect client = ClientRect();
  if (Bar.FKind == sbVertical) return Rect(client.Right, 0, client.Right + kScrollBarSize, client.Bottom);
  return Rect(0, client.Bottom, client.Right, client.Bottom + kScrollBarSize);
}

TRect TScrollingWinControl::ThumbRect(const TControlScrollBar& Bar) const {
  const TRect track = TrackRect(Bar);
  const bool vert = Bar.FKind == sbVertical;
  const int length = vert ? track.Height() : track.Width();
  const int range = std::max(1, Bar.FRange);
  const int thumb = std::min(length, std::max(8, length * PageOf(Bar) / range));
  const int room = length - thumb;
  const int maxPos = std::max(1, MaxPosition(Bar));
  const int at = room * Bar.FPosition / maxPos;
  if (vert) return Rect(track.Left + 1, track.Top + at, track.Right - 1, track.Top + at + thumb);
  return Rect(track.Left + at, track.Top + 1, track.Left + at + thumb, track.Bottom - 1);
}

void TScrollingWinControl::ScrollMessage(TControlScrollBar& Bar, unsigned Code, int Pos) {
  const int page = std::max(1, PageOf(Bar));
  switch (Code) {
    case SB_LINEUP: Bar.SetPosition(Bar.FPosition - Bar.FIncrement); break;
    case SB_LINEDOWN: Bar.SetPosition(Bar.FPosition + Bar.FIncrement); break;
    case SB_PAGEUP: Bar.SetPosition(Bar.FPosition - page); break;
    case SB_PAGEDOWN: Bar.SetPosition(Bar.FPosition + page); break;
    case SB_THUMBTRACK:
      if (Bar.FTracking) Bar.SetPosition(Pos);
      break;
    case SB_THUMBPOSITION: Bar.SetPosition(Pos); break;
    case SB_TOP: Bar.SetPosition(0); break;
    case SB_BOTTOM: Bar.SetPosition(Bar.FRange); break;
    default: break;
  }
  if (Bar.FKind == sbVertical && FVertStrip) FVertStrip->Invalidate();
  if (Bar.FKind == sbHorizontal && FHorzStrip) FHorzStrip->Invalidate();
}

void TScrollingWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (Message.LParam != 0) break;  // a child scroll bar's: passed back to it
      ScrollMessage(Message.Msg == WM_VSCROLL ? FVert : FHorz, static_cast<unsigned>(Message.WParam & 0xFFFF),
                    static_cast<int>(WParamHi(Message.WParam)));
      Message.Result = 0;
      return;
    case WM_LBUTTONDOWN: {
      const TPoint p{LParamX(Message.LParam), LParamY(Message.LParam)};
      for (TControlScrollBar* bar : {&FVert, &FHorz}) {
        if (!bar->FShown || !PtInRect(TrackRect(*bar), p)) continue;
        TCustomControl::WndProc(Message);
        const TRect thumb = ThumbRect(*bar);
        const bool vert = bar->FKind == sbVertical;
        const int at = vert ? p.Y : p.X;
        const unsigned msg = vert ? WM_VSCROLL : WM_HSCROLL;
        if (at < (vert ? thumb.Top : thumb.Left)) Perform(msg, SB_PAGEUP, 0);
        else if (at >= (vert ? thumb.Bottom : thumb.Right)) Perform(msg, SB_PAGEDOWN, 0);
        else {
          FDragBar = bar;
          FDragOffset = at - (vert ? thumb.Top : thumb.Left);
        }
        return;
      }
      break;
    }
    case WM_MOUSEMOVE:
      if (FDragBar) {
        TCustomControl::WndProc(Message);
        const bool vert = FDragBar->FKind == sbVertical;
        const int at = vert ? LParamY(Message.LParam) : LParamX(Message.LParam);
        const TRect track = TrackRect(*FDragBar);
        const TRect thumb = ThumbRect(*FDragBar);
        const int room = std::max(1, vert ? track.Height() - thumb.Height() : track.Width() - thumb.Width());
        const int start = at - FDragOffset - (vert ? track.Top : track.Left);
        const int pos = std::clamp(start * MaxPosition(*FDragBar) / room, 0, MaxPosition(*FDragBar));
        Perform(vert ? WM_VSCROLL : WM_HSCROLL, SB_THUMBTRACK | (static_cast<unsigned>(pos) << 16), 0);
        return;
      }
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (FDragBar) {
        TControlScrollBar* bar = FDragBar;
        FDragBar = nullptr;
        TCustomControl::WndProc(Message);
        const unsigned msg = bar->FKind == sbVertical ? WM_VSCROLL : WM_HSCROLL;
        Perform(msg, SB_THUMBPOSITION | (static_cast<unsigned>(bar->FPosition) << 16), 0);
        Perform(msg, SB_ENDSCROLL, 0);
        return;
      }
      break;
    default: break;
  }
  TCustomControl::WndProc(Message);
}

bool TScrollingWinControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  TControlScrollBar& bar = FVert.FShown ? FVert : FHorz;
  if (!bar.FShown) return false;
  const int lines = std::max(1, WheelScrollLines());
  bar.SetPosition(bar.FPosition - WheelDelta / 120 * lines * bar.FIncrement);
  return true;
}

void TScrollingWinControl::PaintBar(TCanvas* Canvas, const TControlScrollBar& Bar, TPoint Origin) {
  TRect track = TrackRect(Bar), thumb = ThumbRect(Bar);
  OffsetRect(track, -Origin.X, -Origin.Y);
  OffsetRect(thumb, -Origin.X, -Origin.Y);
  Canvas->Brush()->SetStyle(bsSolid);
  if (Bar.FKind == sbHorizontal) {
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(Rect(0, 0, Width(), kScrollBarSize));
  }
  Canvas->Brush()->SetColor(clScrollBar);
  Canvas->FillRect(track);
  DrawEdge(Canvas, thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

void TScrollingWinControl::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
}
