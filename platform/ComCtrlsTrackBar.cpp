// The track bar: a horizontal slider with a channel, tick marks every Frequency steps and a thumb.
#include <algorithm>

#include "platform/ComCtrls.h"
#include "platform/SysUtils.h"

namespace {
constexpr int kTrackBarMargin = 12;  // from each side to the centre of the thumb at its ends
constexpr int kTrackBarThumbHalf = 5;
[[noreturn]] void TrackBarRangeError(const char16_t* Name) { throw Exception(String(Name) + u" property out of range"); }
}  // namespace

TTrackBar::TTrackBar(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TTrackBar::SetMin(int Value) {
  if (Value == FMin) return;
  if (Value > FMax) TrackBarRangeError(u"Min");
  FMin = Value;
  if (FPosition < FMin) SetPosition(FMin);
  Invalidate();
}

void TTrackBar::SetMax(int Value) {
  if (Value == FMax) return;
  if (Value < FMin) TrackBarRangeError(u"Max");
  FMax = Value;
  if (FPosition > FMax) SetPosition(FMax);
  Invalidate();
}

void TTrackBar::SetPosition(int Value) {
  Value = std::clamp(Value, FMin, FMax);
  if (Value == FPosition) return;
  FPosition = Value;
  Invalidate();
  if (OnChange) OnChange(this);
}

void TTrackBar::SetFrequency(int Value) {
  if (Value == FFrequency) return;
  FFrequency = Value;
  Invalidate();
}

TRect TTrackBar::ChannelRect() const {
  const int y = std::min(Height() / 2, 14);
  return Rect(kTrackBarMargin - 4, y - 2, std::max(kTrackBarMargin + 4, Width() - kTrackBarMargin + 4), y + 2);
}

TRect TTrackBar::ThumbRect() const {
  const int span = std::max(1, Width() - 2 * kTrackBarMargin);
  const int range = FMax - FMin;
  const int x = kTrackBarMargin + (range > 0 ? static_cast<int>(static_cast<int64_t>(FPosition - FMin) * span / range) : 0);
  const TRect ch = ChannelRect();
  return Rect(x - kTrackBarThumbHalf, ch.Top - 8, x + kTrackBarThumbHalf + 1, ch.Bottom + 8);
}

int TTrackBar::PositionAt(int X) const {
  const int span = std::max(1, Width() - 2 * kTrackBarMargin);
  const int64_t range = static_cast<int64_t>(FMax) - FMin;
  const int64_t offset = std::clamp(X - kTrackBarMargin, 0, span);
  return FMin + static_cast<int>((offset * range + span / 2) / span);
}

void TTrackBar::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  TRect ch = ChannelRect();
  DrawEdge(c, ch, EDGE_SUNKEN, BF_RECT);
  // Ticks under the channel, one every Frequency steps, and one at each end.
  c->Pen()->SetColor(clBlack);
  c->Pen()->SetWidth(1);
  const int span = std::max(1, Width() - 2 * kTrackBarMargin);
  const int range = FMax - FMin;
  const int step = std::max(1, FFrequency);
  const int tickTop = ch.Bottom + 10;
  for (int v = FMin; range > 0 && v <= FMax; v += step) {
    const int x = kTrackBarMargin + static_cast<int>(static_cast<int64_t>(v - FMin) * span / range);
    c->MoveTo(x, tickTop);
    c->LineTo(x, tickTop + (v == FMin ? 4 : 3));
    if (v > FMax - step) break;
  }
  c->MoveTo(kTrackBarMargin + (range > 0 ? span : 0), tickTop);
  c->LineTo(kTrackBarMargin + (range > 0 ? span : 0), tickTop + 4);
  const TRect thumb = ThumbRect();
  const int state = !Enabled() ? ThemeParts::PBS_DISABLED : FTracking ? ThemeParts::PBS_PRESSED : ThemeParts::PBS_NORMAL;
  if (!IsThemeActive() || !ThemeDrawBackground(c, u"button", ThemeParts::BP_PUSHBUTTON, state, thumb))
    DrawFrameControl(c, thumb, DFC_BUTTON, DFCS_BUTTONPUSH | (FTracking ? DFCS_PUSHED : 0));
  if (Focused()) {
    TRect f = ClientRect();
    InflateRect(f, -1, -1);
    c->DrawFocusRect(f);
  }
}

void TTrackBar::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_LEFT:
    case VK_UP: SetPosition(FPosition - FLineSize); break;
    case VK_RIGHT:
    case VK_DOWN: SetPosition(FPosition + FLineSize); break;
    case VK_PRIOR: SetPosition(FPosition - FPageSize); break;
    case VK_NEXT: SetPosition(FPosition + FPageSize); break;
    case VK_HOME: SetPosition(FMin); break;
    case VK_END: SetPosition(FMax); break;
    default: return;
  }
  Key = 0;
}

void TTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (CanFocus() && !Focused()) SetFocus();
  FTracking = true;
  SetPosition(PositionAt(X));
  Invalidate();
}

void TTrackBar::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (FTracking) SetPosition(PositionAt(X));
}

void TTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (!FTracking) return;
  FTracking = false;
  Invalidate();
}
