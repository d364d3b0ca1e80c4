// The analog clock: look and mode settings, geometry, painting, clicks, keys and hand animation.
#include "grid/dropdown/AdvWatch.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "grid/dropdown/AdvDropDownDraw.h"
#include "platform/TimeSource.h"

namespace {
int WatchRound(double X) { return static_cast<int>(std::nearbyint(X)); }
}  // namespace

void DecodeWatchTime(TDateTime Time, int& Hour, int& Minute, int& Second, int& MSec) {
  uint16_t h = 0, m = 0, s = 0, ms = 0;
  DecodeTime(Time, h, m, s, ms);
  Hour = h;
  Minute = m;
  Second = s;
  MSec = ms;
}

// ---- look ----------------------------------------------------------------------------------------

TWatchAppearance::TWatchAppearance()
    : FAMPMFont(std::make_unique<TFont>()), FHourFont(std::make_unique<TFont>()), FPicture(std::make_unique<TPicture>()) {
  Reset();
  FAMPMFont->OnChange = [this](TObject*) { Changed(); };
  FHourFont->OnChange = [this](TObject*) { Changed(); };
  FPicture->OnChange = [this](TObject*) { Changed(); };
}

TWatchAppearance::~TWatchAppearance() {
  FAMPMFont->OnChange = nullptr;
  FHourFont->OnChange = nullptr;
  FPicture->OnChange = nullptr;
}

void TWatchAppearance::Reset() {
  TFont ampm;
  ampm.SetName(u"Tahoma");
  ampm.SetSize(10);
  FAMPMFont->Assign(&ampm);
  TFont hour;
  hour.SetName(u"Tahoma");
  hour.SetSize(8);
  FHourFont->Assign(&hour);
  FAMPMBorderColor = static_cast<TColor>(0x000000);
  FAMPMColor = static_cast<TColor>(0xFFFFFF);
  FAMPMFrame = apRect;
  FBorderColor = static_cast<TColor>(0x000000);
  FBorderWidth = 4;
  FBackgroundColor = static_cast<TColor>(0xFFFFFF);
  FBackgroundColorTo = clNone;
  FBackgroundGradient = wgVertical;
  FCenterPointBorderColor = clNone;
  FCenterPointOuterBorderColor = clNone;
  FCenterPointColor = static_cast<TColor>(0x000000);
  FCenterPointSize = 4;
  FHourColor = static_cast<TColor>(0x000000);
  FHourMarkLength = 0;
  FHourMarkWidth = 1;
  FHourMarkStyle = hmsLine;
  FHourPointer = static_cast<TColor>(0x000000);
  FHourPointerShadow = clBtnShadow;
  FHourPointerSize = 4;
  FMinuteColor = static_cast<TColor>(0x808080);
  FMinutePointer = static_cast<TColor>(0x000000);
  FMinutePointerShadow = clBtnShadow;
  FMinutePointerSize = 3;
  FMinuteMarkLength = 0;
  FMinuteMarkWidth = 1;
  FPointerStyle = psLine;
  FSecondPointer = static_cast<TColor>(0x0000FF);
  FSecondPointerSize = 1;
  FShape = wsCircle;
  FSize = 0;
  FTickMarks = tmAll;
  FSecondPointerShadow = clBtnShadow;
  FBorderStyle = wbsNone;
  FRounding = 5;
  Changed();
}

void TWatchAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TWatchAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FAMPMFont->Assign(s->FAMPMFont.get());
  FHourFont->Assign(s->FHourFont.get());
  FPicture->Assign(s->FPicture.get());
  FAMPMBorderColor = s->FAMPMBorderColor;
  FAMPMColor = s->FAMPMColor;
  FAMPMFrame = s->FAMPMFrame;
  FBorderColor = s->FBorderColor;
  FBorderWidth = s->FBorderWidth;
  FBackgroundColor = s->FBackgroundColor;
  FBackgroundColorTo = s->FBackgroundColorTo;
  FBackgroundGradient = s->FBackgroundGradient;
  FCenterPointBorderColor = s->FCenterPointBorderColor;
  FCenterPointColor = s->FCenterPointColor;
  FCenterPointSize = s->FCenterPointSize;
  FHourColor = s->FHourColor;
  FHourMarkLength = s->FHourMarkLength;
  FHourMarkWidth = s->FHourMarkWidth;
  FHourPointer = s->FHourPointer;
  FHourPointerShadow = s->FHourPointerShadow;
  FHourPointerSize = s->FHourPointerSize;
  FMinuteColor = s->FMinuteColor;
  FMinutePointer = s->FMinutePointer;
  FMinutePointerShadow = s->FMinutePointerShadow;
  FMinutePointerSize = s->FMinutePointerSize;
  FMinuteMarkLength = s->FMinuteMarkLength;
  FMinuteMarkWidth = s->FMinuteMarkWidth;
  FPointerStyle = s->FPointerStyle;
  FSecondPointer = s->FSecondPointer;
  FSecondPointerSize = s->FSecondPointerSize;
  FShape = s->FShape;
  FSize = s->FSize;
  FSecondPointerShadow = s->FSecondPointerShadow;
  FBorderStyle = s->FBorderStyle;
  FRounding = s->FRounding;
  SetCenterPointOuterBorderColor(s->FCenterPointOuterBorderColor);
  SetTickMarks(s->FTickMarks);
  SetHourMarkStyle(s->FHourMarkStyle);
  Changed();
}

// ---- mode ----------------------------------------------------------------------------------------

void TWatchSettings::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TWatchSettings*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FSecond = s->FSecond;
  FTimeOffset = s->FTimeOffset;
  SetAuto(s->FAuto);
}

void TWatchSettings::SetAuto(bool Value) {
  if (Value == FAuto) return;
  FAuto = Value;
  Changed();
}

void TWatchSettings::SetTimeOffset(int Value) {
  if (Value == FTimeOffset) return;
  FTimeOffset = Value;
  Changed();
}

void TWatchSettings::SetSecond(bool Value) {
  if (Value == FSecond) return;
  FSecond = Value;
  Changed();
}

// ---- the clock -----------------------------------------------------------------------------------

TAdvWatch::TAdvWatch(TComponent* AOwner)
    : TCustomControl(AOwner),
      FAppearance(std::make_unique<TWatchAppearance>()),
      FSettings(std::make_unique<TWatchSettings>()),
      FCache(std::make_unique<TBitmap>()) {
  FAppearance->OnChange = [this](TObject*) {
    FCacheValid = false;
    Invalidate();
  };
  FSettings->OnChange = [this](TObject*) { SettingsChanged(); };
  FClockTimer = new TTimer(this);
  FClockTimer->SetInterval(100);
  FClockTimer->SetEnabled(FSettings->Auto());
  FClockTimer->OnTimer = [this](TObject*) { ClockTick(); };
  FAnimationTimer = new TTimer(this);
  FAnimationTimer->SetInterval(1);
  FAnimationTimer->SetEnabled(false);
  FAnimationTimer->OnTimer = [this](TObject*) { AnimationTick(); };
  SetBounds(Left(), Top(), 180, 180);
  SetDoubleBuffered(true);
}

TAdvWatch::~TAdvWatch() {
  FAppearance->OnChange = nullptr;
  FSettings->OnChange = nullptr;
}

bool TAdvWatch::Designing() const {
  return ComponentState().Contains(TComponentStateFlag::csLoading) ||
         ComponentState().Contains(TComponentStateFlag::csDesigning);
}

bool TAdvWatch::Animating() const { return FAnimationTimer->Enabled(); }

void TAdvWatch::Notify() {
  if (OnChange) OnChange(this);
}

void TAdvWatch::Loaded() {
  TCustomControl::Loaded();
  SettingsChanged();
}

void TAdvWatch::Resize() {
  TCustomControl::Resize();
  FCacheValid = false;
}

void TAdvWatch::RepaintHands() {
  FHandsOnly = FCacheValid;
  Invalidate();
}

TDateTime TAdvWatch::ShownTime() const {
  if (FSettings->Auto()) return ClockNow() + FSettings->TimeOffset() / 1440.0;
  return FTime;
}

void TAdvWatch::FollowAM(bool Internal) {
  int h = 0, m = 0, s = 0, ms = 0;
  DecodeWatchTime(ShownTime(), h, m, s, ms);
  const bool am = h < 12;
  if (am == FAM) return;
  if (!Internal && FAnimation && FShowAMPM && FAppearance->AMPMColor() != clNone) ScrollAMPM(am);
  FAM = am;
  FCacheValid = false;
}

void TAdvWatch::SetTime(TDateTime Value) {
  if (Value == FTime) return;
  FTime = Value;
  FollowAM(true);
  RepaintHands();
}

void TAdvWatch::SetTimeParts(int Hour, int Minute) {
  int h = 0, m = 0, s = 0, ms = 0;
  DecodeWatchTime(FTime, h, m, s, ms);
  FTime = std::trunc(FTime) + EncodeTime(Hour, Minute, s, ms);
  FollowAM(FInternalCall);
  RepaintHands();
}

void TAdvWatch::SetHour(int Value) {
  int h = 0, m = 0, s = 0, ms = 0;
  DecodeWatchTime(FTime, h, m, s, ms);
  if (Value == h) return;
  if (!FAnimation || FInternalCall || Designing()) {
    // A direct call with animation off reports its own target.
    if (!FInternalCall) FCurrentHourTo = static_cast<uint8_t>(Value);
    SetTimeParts(Value, m);
    if (Value == FCurrentHourTo) Notify();
    return;
  }
  FCurrentHourTo = static_cast<uint8_t>(Value);
  FHourAnimating = true;
  FAnimationTimer->SetEnabled(true);
}

void TAdvWatch::SetMinute(int Value) {
  if (Value >= 60) throw Exception(u"Invalid time");
  int h = 0, m = 0, s = 0, ms = 0;
  DecodeWatchTime(FTime, h, m, s, ms);
  if (Value == m) return;
  if (FAnimation && !FInternalCall && !Designing()) {
    FCurrentMinuteTo = static_cast<uint8_t>(Value);
    FHourAnimating = false;
    FMinuteFrom = m;
    FAnimationTimer->SetEnabled(true);
    return;
  }
  if (!FAnimation) FMinuteFrom = m;
  if (!FInternalCall) FCurrentMinuteTo = static_cast<uint8_t>(Value);
  if (Value == 0 && FMinuteFrom > 30) {
    h = h == 23 ? 0 : h + 1;
    FMinuteFrom = 0;
  }
  SetTimeParts(h, Value);
  if (Value == FCurrentMinuteTo) Notify();
}

void TAdvWatch::AnimationTick() {
  if (!FAnimation || Designing()) {
    FAnimationTimer->SetEnabled(false);
    return;
  }
  int h = 0, m = 0, s = 0, ms = 0;
  DecodeWatchTime(FTime, h, m, s, ms);
  const int factor = std::max(1, FAnimationFactor);
  FInternalCall = true;
  if (FHourAnimating) {
    const int to = FCurrentHourTo;
    if (h == to) {
      SetHour(to);
      FAnimationTimer->SetEnabled(false);
    } else {
      const int step = std::max(1, WatchRound(std::abs(to - h) / static_cast<double>(factor)));
      SetHour(h < to ? std::min(h + step, to) : std::max(h - step, to));
    }
  } else {
    const int to = FCurrentMinuteTo;
    if (m == to) {
      FAnimationTimer->SetEnabled(false);
    } else {
      const bool overTheHour = to == 0 && m > 30;
      int step = overTheHour ? WatchRound((60 - m) / static_cast<double>(factor))
                             : WatchRound(std::abs(to - m) / static_cast<double>(factor));
      step = std::max(1, step);
      int next = 0;
      if (m >= to && !overTheHour) next = std::max(m - step, to);
      else next = overTheHour ? std::min(m + step, 60) : std::min(m + step, to);
      if (next >= 60) next = 0;
      SetMinute(next);
      if (next == to) FAnimationTimer->SetEnabled(false);
    }
  }
  FInternalCall = false;
}

void TAdvWatch::SetShowAMPM(bool Value) {
  if (Value == FShowAMPM) return;
  FShowAMPM = Value;
  FCacheValid = false;
  Invalidate();
}

void TAdvWatch::SetShowNumbers(bool Value) {
  if (Value == FShowNumbers) return;
  FShowNumbers = Value;
  FCacheValid = false;
  Invalidate();
}

void TAdvWatch::SettingsChanged() {
  FClockTimer->SetEnabled(FSettings->Auto());
  if (FSettings->Auto()) {
    FTime = ShownTime();
    FollowAM(true);
  }
  FCacheValid = false;
  Invalidate();
}

void TAdvWatch::ClockTick() {
  if (!FSettings->Auto()) return;
  int h = 0, m = 0, s = 0, ms = 0;
  DecodeWatchTime(ShownTime(), h, m, s, ms);
  FLastHour = h;
  FLastMinute = m;
  FLastSecond = s;
  FollowAM(true);
  RepaintHands();
}

void TAdvWatch::HandleKey(Word Key) {
  if (FSettings->Auto()) return;
  int h = 0, m = 0, s = 0, ms = 0;
  DecodeWatchTime(FTime, h, m, s, ms);
  auto directHour = [this](int Hour) {
    FInternalCall = true;
    FCurrentHourTo = static_cast<uint8_t>(Hour);
    SetHour(Hour);
    FInternalCall = false;
  };
  // Only the letter keys A and P: 97 and 112 are numpad 1 and F1.
  switch (Key) {
    case 65:
      if (h >= 12) SetHour(h - 12);
      break;
    case 80:
      if (h < 12) SetHour(h + 12);
      break;
    case VK_PRIOR: directHour(h == 23 ? 0 : h + 1); break;
    case VK_NEXT: directHour(h == 0 ? 23 : h - 1); break;
    case VK_HOME: directHour(12); break;
    case VK_LEFT:
      if (m == 0) SetTime(std::trunc(FTime) + EncodeTime(h == 0 ? 23 : h - 1, 59, s, ms));
      else SetMinute(m - 1);
      break;
    case VK_RIGHT: SetMinute(m == 59 ? 0 : m + 1); break;
    case VK_END: SetMinute(0); break;
    default: break;
  }
}

// ---- geometry ------------------------------------------------------------------------------------

TRect TAdvWatch::FaceRect() const {
  const int w = ClientWidth(), h = ClientHeight();
  int s = FAppearance->Size();
  if (s <= 0) s = std::min(w, h) - 20;
  s = std::max(0, std::min({s, w, h}));
  const int left = (w - s) / 2, top = (h - s) / 2;
  return Rect(left, top, left + s, top + s);
}

int TAdvWatch::Radius() const { return (FaceRect().Right - FaceRect().Left) / 2; }

TPoint TAdvWatch::Centre() const {
  const TRect f = FaceRect();
  return Point(f.Left + Radius(), f.Top + Radius());
}

TRect TAdvWatch::AMPMRect() {
  TCanvas* c = FCache->Canvas();
  c->Font()->Assign(FAppearance->AMPMFont());
  const int w = c->TextWidth(u"AM") + 8, h = c->TextHeight(u"AM");
  const TPoint ctr = Centre();
  const int top = ctr.Y + WatchRound((Radius() - h) / 3.0);
  return Rect(ctr.X - w / 2, top, ctr.X - w / 2 + w, top + h);
}

int TAdvWatch::MinuteAt(int X, int Y) const {
  const TPoint c = Centre();
  int dx = std::abs(c.X - X), dy = std::abs(c.Y - Y);
  if (dx == 0) dx = 1;
  if (dy == 0) dy = 1;
  const int a = WatchRound(std::atan(static_cast<double>(dy) / dx) * 180.0 / std::numbers::pi / 6.0);
  int minute = 0;
  if (X >= c.X && Y >= c.Y) minute = 15 + a;
  else if (X <= c.X && Y >= c.Y) minute = 45 - a;
  else if (X <= c.X && Y <= c.Y) minute = 45 + a;
  else minute = 15 - a;
  return minute < 0 || minute > 59 ? 0 : minute;
}

int TAdvWatch::HourAt(int X, int Y) const {
  const int h = WatchRound(MinuteAt(X, Y) / 5.0);
  if (h <= 0) return FAM ? 0 : 12;
  if (FAM) return h;
  return h + 12 == 24 ? 0 : h + 12;
}

// ---- clicks --------------------------------------------------------------------------------------

void TAdvWatch::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FSettings->Auto()) return;
  const TPoint c = Centre();
  const double r = std::max(1, Radius());
  const double ex = (X - c.X) / r, ey = (Y - c.Y) / r;
  if (ex * ex + ey * ey > 1.0) {
    SetMinute(MinuteAt(X, Y));
    return;
  }
  if (FShowAMPM && PtInRect(AMPMRect(), Point(X, Y))) {
    int h = 0, m = 0, s = 0, ms = 0;
    DecodeWatchTime(FTime, h, m, s, ms);
    if (FAnimation) ScrollAMPM(!FAM);
    FInternalCall = true;
    FCurrentHourTo = static_cast<uint8_t>(FAM ? h + 12 : h - 12);
    SetHour(FCurrentHourTo);
    FInternalCall = false;
    return;
  }
  SetHour(HourAt(X, Y));
}

void TAdvWatch::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  SetCursor(FShowAMPM && PtInRect(AMPMRect(), Point(X, Y)) ? crHandPoint : crDefault);
}

void TAdvWatch::ScrollAMPM(bool ToAM) {
  if (!HandleAllocated() || !Visible()) return;
  const TRect box = AMPMRect();
  const int frames = box.Bottom - box.Top;
  // From the word shown to the other one: "AM" stands above "PM" on the strip.
  for (int i = 1; i <= frames; ++i) {
    FAMPMScroll = ToAM ? frames - i : i;
    FHandsOnly = FCacheValid;
    Repaint();
    Sleep(10);
  }
  FAMPMScroll = -1;
  FCacheValid = false;
  Invalidate();
}

void TAdvWatch::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN: HandleKey(static_cast<Word>(Message.WParam)); break;
    case WM_ERASEBKGND: Message.Result = 1; return;
    default: break;
  }
  TCustomControl::WndProc(Message);
}
