#pragma once
// The analog clock: a face (circle, rectangle or rounded rectangle with a two-colour background,
// tick marks, hour numbers and an AM/PM box) and hands set by clicks and keys, optionally moved in
// animated steps; in automatic mode it shows the live local time plus an offset.
#include <cstdint>
#include <memory>

#include "grid/foundation/AdvStyleIF.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"

enum TAMPMFrame : uint8_t { apRect, apRoundRect };
enum TWatchGradient : uint8_t { wgVertical, wgHorizontal, wgDiagonalForward, wgDiagonalBackward, wgRadial };
enum THourMarkStyle : uint8_t { hmsLine, hmsQuartDblLine };
enum TPointerStyle : uint8_t { psLine, psShortLine, psPointer, psLineArrow };
enum TWatchShape : uint8_t { wsCircle, wsRect, wsRoundRect };
enum TTickMarks : uint8_t { tmAll, tmHours, tmQuartHours, tmNone };
enum TWatchBorderStyle : uint8_t { wbsNone, wbsSingle };
enum TWatchStyle : uint8_t {
  wsClassic, wsTower, wsFluorescent, wsEmerald, wsBlueStar, wsFuchsia, wsBlack, wsBlackWhite, wsGray,
  wsSuperNova, wsSports, wsSmooth
};

class TWatchAppearance : public TPersistent {
 public:
  TWatchAppearance();
  ~TWatchAppearance() override;
  String ClassName() const override { return u"TWatchAppearance"; }
  void Assign(TPersistent* Source) override;
  // The defaults, written by the constructor and first by every style preset.
  void Reset();

#define WATCH_APPEARANCE_VALUE(Type, Name)  \
  Type Name() const { return F##Name; }     \
  void Set##Name(Type Value) { Store(F##Name, Value); }
  WATCH_APPEARANCE_VALUE(TAMPMFrame, AMPMFrame)
  WATCH_APPEARANCE_VALUE(TColor, BorderColor)
  WATCH_APPEARANCE_VALUE(int, BorderWidth)
  WATCH_APPEARANCE_VALUE(TColor, BackgroundColor)
  WATCH_APPEARANCE_VALUE(TColor, BackgroundColorTo)
  WATCH_APPEARANCE_VALUE(TWatchGradient, BackgroundGradient)
  WATCH_APPEARANCE_VALUE(TColor, CenterPointBorderColor)
  WATCH_APPEARANCE_VALUE(TColor, CenterPointOuterBorderColor)
  WATCH_APPEARANCE_VALUE(TColor, CenterPointColor)
  WATCH_APPEARANCE_VALUE(uint8_t, CenterPointSize)
  WATCH_APPEARANCE_VALUE(TColor, HourColor)
  WATCH_APPEARANCE_VALUE(uint8_t, HourMarkLength)
  WATCH_APPEARANCE_VALUE(uint8_t, HourMarkWidth)
  WATCH_APPEARANCE_VALUE(THourMarkStyle, HourMarkStyle)
  WATCH_APPEARANCE_VALUE(TColor, HourPointer)
  WATCH_APPEARANCE_VALUE(TColor, HourPointerShadow)
  WATCH_APPEARANCE_VALUE(uint8_t, HourPointerSize)
  WATCH_APPEARANCE_VALUE(TColor, MinuteColor)
  WATCH_APPEARANCE_VALUE(TColor, MinutePointer)
  WATCH_APPEARANCE_VALUE(TColor, MinutePointerShadow)
  WATCH_APPEARANCE_VALUE(uint8_t, MinutePointerSize)
  WATCH_APPEARANCE_VALUE(uint8_t, MinuteMarkLength)
  WATCH_APPEARANCE_VALUE(uint8_t, MinuteMarkWidth)
  WATCH_APPEARANCE_VALUE(TPointerStyle, PointerStyle)
  WATCH_APPEARANCE_VALUE(TColor, SecondPointer)
  WATCH_APPEARANCE_VALUE(uint8_t, SecondPointerSize)
  WATCH_APPEARANCE_VALUE(TWatchShape, Shape)
  WATCH_APPEARANCE_VALUE(int, Size)
  WATCH_APPEARANCE_VALUE(TTickMarks, TickMarks)
#undef WATCH_APPEARANCE_VALUE
  // Plain fields: written without a change notice.
  TColor AMPMBorderColor() const { return FAMPMBorderColor; }
  void SetAMPMBorderColor(TColor Value) { FAMPMBorderColor = Value; }
  TColor AMPMColor() const { return FAMPMColor; }
  void SetAMPMColor(TColor Value) { FAMPMColor = Value; }
  TFont* AMPMFont() const { return FAMPMFont.get(); }
  void SetAMPMFont(TFont* Value) { FAMPMFont->Assign(Value); }
  TFont* HourFont() const { return FHourFont.get(); }
  void SetHourFont(TFont* Value) { FHourFont->Assign(Value); }
  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }

  TNotifyEvent OnChange;

 private:
  template <class T>
  void Store(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }
  void Changed() {
    if (OnChange) OnChange(this);
  }

  std::unique_ptr<TFont> FAMPMFont;
  TColor FAMPMBorderColor = static_cast<TColor>(0x000000);
  TColor FAMPMColor = static_cast<TColor>(0xFFFFFF);
  TAMPMFrame FAMPMFrame = apRect;
  TColor FBorderColor = static_cast<TColor>(0x000000);
  int FBorderWidth = 4;
  TColor FBackgroundColor = static_cast<TColor>(0xFFFFFF);
  TColor FBackgroundColorTo = clNone;
  TWatchGradient FBackgroundGradient = wgVertical;
  TColor FCenterPointBorderColor = clNone;
  TColor FCenterPointOuterBorderColor = clNone;
  TColor FCenterPointColor = static_cast<TColor>(0x000000);
  uint8_t FCenterPointSize = 4;
  std::unique_ptr<TFont> FHourFont;
  TColor FHourColor = static_cast<TColor>(0x000000);
  uint8_t FHourMarkLength = 0;
  uint8_t FHourMarkWidth = 1;
  THourMarkStyle FHourMarkStyle = hmsLine;
  TColor FHourPointer = static_cast<TColor>(0x000000);
  TColor FHourPointerShadow = clBtnShadow;
  uint8_t FHourPointerSize = 4;
  TColor FMinuteColor = static_cast<TColor>(0x808080);
  TColor FMinutePointer = static_cast<TColor>(0x000000);
  TColor FMinutePointerShadow = clBtnShadow;
  uint8_t FMinutePointerSize = 3;
  uint8_t FMinuteMarkLength = 0;
  uint8_t FMinuteMarkWidth = 1;
  std::unique_ptr<TPicture> FPicture;
  TPointerStyle FPointerStyle = psLine;
  TColor FSecondPointer = static_cast<TColor>(0x0000FF);
  uint8_t FSecondPointerSize = 1;
  TWatchShape FShape = wsCircle;
  int FSize = 0;
  TTickMarks FTickMarks = tmAll;
  // Held and copied; no drawing uses them.
  TColor FSecondPointerShadow = clBtnShadow;
  TWatchBorderStyle FBorderStyle = wbsNone;
  int FRounding = 5;
};

// The hour, minute, second and millisecond of a time as plain integers.
void DecodeWatchTime(TDateTime Time, int& Hour, int& Minute, int& Second, int& MSec);

// The colours a drop-down style gives a clock's look (the clock and the time drop-down share them).
void ApplyWatchStyleColors(TWatchAppearance* Appearance, TQELStyle Style);

class TWatchSettings : public TPersistent {
 public:
  String ClassName() const override { return u"TWatchSettings"; }
  void Assign(TPersistent* Source) override;
  bool Auto() const { return FAuto; }
  void SetAuto(bool Value);
  int TimeOffset() const { return FTimeOffset; }
  void SetTimeOffset(int Value);
  bool Second() const { return FSecond; }
  void SetSecond(bool Value);
  TNotifyEvent OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  bool FAuto = false;
  int FTimeOffset = 0;
  bool FSecond = true;
};

class TAdvWatch : public TCustomControl, public IQELStyle {
 public:
  explicit TAdvWatch(TComponent* AOwner);
  ~TAdvWatch() override;
  String ClassName() const override { return u"TAdvWatch"; }

  TWatchAppearance* Appearance() const { return FAppearance.get(); }
  void SetAppearance(TWatchAppearance* Value) { FAppearance->Assign(Value); }
  TWatchSettings* Settings() const { return FSettings.get(); }
  void SetSettings(TWatchSettings* Value) { FSettings->Assign(Value); }
  TDateTime Time() const { return FTime; }
  void SetTime(TDateTime Value);
  bool Animation() const { return FAnimation; }
  void SetAnimation(bool Value) { FAnimation = Value; }
  int AnimationFactor() const { return FAnimationFactor; }
  void SetAnimationFactor(int Value) { FAnimationFactor = Value; }
  bool ShowAMPM() const { return FShowAMPM; }
  void SetShowAMPM(bool Value);
  bool ShowNumbers() const { return FShowNumbers; }
  void SetShowNumbers(bool Value);
  TWatchStyle Style() const { return FStyle; }
  void SetStyle(TWatchStyle Value);
  bool AM() const { return FAM; }
  // Whether a hand animation runs.
  bool Animating() const;

  void SetHour(int Value);
  void SetMinute(int Value);
  // The keyboard of the clock (the time drop-down passes its key-down codes on).
  void HandleKey(Word Key);
  void SetComponentStyle(TQELStyle AStyle) override;

  // Geometry of the face in client pixels.
  TRect FaceRect() const;
  TPoint Centre() const;
  int Radius() const;
  TRect AMPMRect();
  int MinuteAt(int X, int Y) const;
  int HourAt(int X, int Y) const;
  // The time shown: the live time plus the offset in automatic mode, else Time.
  TDateTime ShownTime() const;

  // Painting parts: the face (background, marks, numbers, AM/PM box) and the hands with the
  // centre point.
  void DrawFace(TCanvas* Canvas);
  void DrawHands(TCanvas* Canvas);

  void Loaded() override;
  void WndProc(TMessage& Message) override;

  TNotifyEvent OnChange;

 protected:
  void Paint() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void Resize() override;
  unsigned DialogCode() const override { return TabStop() ? 5u : 0u; }

 private:
  void RepaintHands();
  void SettingsChanged();
  void ClockTick();
  void AnimationTick();
  void SetTimeParts(int Hour, int Minute);
  void FollowAM(bool Internal);
  void ScrollAMPM(bool ToAM);
  void Notify();
  bool Designing() const;
  void ApplyStyle(TWatchStyle Value);

  std::unique_ptr<TWatchAppearance> FAppearance;
  std::unique_ptr<TWatchSettings> FSettings;
  TDateTime FTime = 0;
  std::unique_ptr<TBitmap> FCache;
  bool FCacheValid = false;
  bool FHandsOnly = false;
  int FLastHour = -1, FLastMinute = -1, FLastSecond = -1;
  TTimer* FClockTimer = nullptr;  // owned as a component
  bool FAnimation = true;
  int FAnimationFactor = 10;
  TTimer* FAnimationTimer = nullptr;  // owned as a component
  uint8_t FCurrentHourTo = 0;
  uint8_t FCurrentMinuteTo = 0;
  int FMinuteFrom = 0;
  bool FHourAnimating = false;
  bool FInternalCall = false;
  bool FAM = true;
  bool FShowAMPM = true;
  bool FShowNumbers = true;
  bool FInternalSet = false;
  TWatchStyle FStyle = wsClassic;
  int FAMPMScroll = -1;  // while the AM/PM box scrolls: the pixels moved so far
};
