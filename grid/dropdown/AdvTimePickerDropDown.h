#pragma once
// A drop-down edit of a time of day: a masked edit of hours, minutes and (optionally) seconds,
// stepped by the arrow keys under the caret, with an analog clock (and optionally a time picker)
// in its popup.
#include <memory>

#include "grid/dropdown/AdvDropDown.h"
#include "grid/dropdown/AdvWatch.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"

class TAdvTimePickerDropDown : public TAdvCustomDropDown {
 public:
  explicit TAdvTimePickerDropDown(TComponent* AOwner);
  ~TAdvTimePickerDropDown() override;
  String ClassName() const override { return u"TAdvTimePickerDropDown"; }

  bool Animation() const { return FAnimation; }
  void SetAnimation(bool Value) { FAnimation = Value; }
  int AnimationFactor() const { return FAnimationFactor; }
  void SetAnimationFactor(int Value) { FAnimationFactor = Value; }
  TWatchSettings* WatchSettings() const { return FWatchSettings.get(); }
  void SetWatchSettings(TWatchSettings* Value) { FWatchSettings->Assign(Value); }
  TDateTime Time() const { return FTime; }
  void SetTime(TDateTime Value);
  bool ShowWatchAMPM() const { return FShowWatchAMPM; }
  void SetShowWatchAMPM(bool Value) { FShowWatchAMPM = Value; }
  bool ShowWatchNumbers() const { return FShowWatchNumbers; }
  void SetShowWatchNumbers(bool Value) { FShowWatchNumbers = Value; }
  bool ShowTimePicker() const { return FShowTimePicker; }
  void SetShowTimePicker(bool Value) { FShowTimePicker = Value; }
  TWatchAppearance* WatchAppearance() const { return FWatchAppearance.get(); }
  void SetWatchAppearance(TWatchAppearance* Value) { FWatchAppearance->Assign(Value); }
  bool ShowSeconds() const { return FShowSeconds; }
  void SetShowSeconds(bool Value);
  TAdvWatch* Watch() const { return FWatch; }
  TDateTimePicker* TimePicker() const { return FTimePicker; }
  TPanel* PopupPanel() const { return FPanel; }

  // The parts of Time, as the arrow keys step them.
  void SetHour(int Value);
  void SetMinute(int Value);
  void SetSecond(int Value);
  // Time as the edit shows it.
  String FormattedTime(TDateTime Value) const;

  TNotifyEvent OnTimeChange;

  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void DoHideDropDown(bool Cancel) override;
  void AfterDropUp() override;
  void DropDownKeyDown(Word& Key, TShiftState Shift) override;
  void DropDownKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyDown(Word& Key, TShiftState Shift) override;
  void ControlKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyPress(Char& Key) override;
  void SetComponentStyle(TQELStyle AStyle) override;
  void WndProc(TMessage& Message) override;

 protected:
  void Change() override;

 private:
  String Mask() const;
  void WriteText(const String& Text);
  void SetPart(int Part, int Value);
  void StepPartAtCaret(bool Up);
  void ClockChanged();
  void PickerChanged();

  bool FShowTimePicker = false;
  TAdvWatch* FWatch = nullptr;            // owned by the panel
  TDateTimePicker* FTimePicker = nullptr;  // owned by the panel
  TPanel* FPanel = nullptr;               // owned by the popup form
  std::unique_ptr<TWatchAppearance> FWatchAppearance;
  bool FShowWatchAMPM = true;
  bool FShowWatchNumbers = true;
  bool FAnimation = true;
  int FAnimationFactor = 10;
  TDateTime FTime = 0;
  std::unique_ptr<TWatchSettings> FWatchSettings;
  bool FInternal = false;
  bool FShowSeconds = true;
  TDateTime FTimeAtDrop = 0;
};
