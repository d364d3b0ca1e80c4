#pragma once
// The pack's date-time pickers on the platform picker: TAsgDateTimePicker (flat and metro
// looks), TCustomDateTimePicker (the same looks and an automatic advance from field to field
// while digits are typed) and TAdvDateTimePicker (a caption label, and a date-and-time kind
// that shows a time-only picker inside the control).
#include <memory>

#include "grid/core/AsgLabel.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"

// "DTPShiftFocus": a picker posts it to itself after a typed digit to move to the next field.
unsigned DTPShiftFocusMessage();

// What the three pickers share: border and button colours, hover and focus tracking, and the
// painting of the flat and metro looks over the platform picker.
class TFlatDateTimePicker : public TDateTimePicker {
 public:
  explicit TFlatDateTimePicker(TComponent* AOwner);
  void WndProc(TMessage& Message) override;
  void PaintOverlay(TCanvas* Canvas) override;

  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  bool MetroStyle() const { return FMetroStyle; }
  void SetMetroStyle(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  virtual void SetBorderStyle(TBorderStyle Value);
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  TColor FocusBorderColor() const { return FFocusBorderColor; }
  void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; Invalidate(); }
  bool FocusBorder() const { return FFocusBorder; }
  void SetFocusBorder(bool Value) { FFocusBorder = Value; }
  bool DisabledBorder() const { return FDisabledBorder; }
  void SetDisabledBorder(bool Value) { FDisabledBorder = Value; }
  bool ButtonHover() const { return FButtonHover; }
  bool MouseInControl() const { return FMouseInControl; }
  bool HasFocus() const { return FHasFocus; }
  int ButtonWidth() const { return FButtonWidth; }
  // The version as "major.minor.release.build"; writing it is ignored.
  String Version() const;
  void SetVersion(const String&) {}

  TColor ButtonColorDown = clNone;
  TColor ButtonBorderColor = clNone;
  TColor ButtonTextColor = clNone;
  TColor ButtonTextColorHot = clNone;
  TColor ButtonColor = clNone;
  TColor ButtonColorHot = clNone;
  TColor ButtonTextColorDown = clNone;

 protected:
  void MouseMove(TShiftState Shift, int X, int Y) override;
  virtual uint32_t VersionNr() const { return 0x01000000; }
  // Whether the custom border and the metro look are left out (a plain picker with fields only).
  virtual bool InnerPickerTest() const { return false; }
  // The strip left of the button that the metro look fills: how far from the right edge.
  virtual int MetroStripOffset() const { return FButtonWidth + 15; }
  bool MetroLook() const;
  void PaintBorder(TCanvas* Canvas);
  // Without visual styles: the drop-down button's face, raised while hot, else flat.
  void PaintButtonFace(TCanvas* Canvas);
  void PaintDropButton(TCanvas* Canvas, const TRect& R);
  TColor ParentBrushColor() const;

  TBorderStyle FBorderStyle = bsSingle;
  TColor FBorderColor = clNone;
  bool FIsThemed = false;
  int FButtonWidth = 19;
  bool FButtonHover = false;
  bool FMouseInControl = false;
  bool FIsWinXP = true;
  bool FMetroStyle = false;
  TColor FFocusBorderColor = clNone;
  bool FDisabledBorder = false;
  bool FHasFocus = false;
  bool FFocusBorder = false;
  bool FCtl3D = true;
};

class TAsgDateTimePicker : public TFlatDateTimePicker {
 public:
  explicit TAsgDateTimePicker(TComponent* AOwner) : TFlatDateTimePicker(AOwner) {}
  String ClassName() const override { return u"TAsgDateTimePicker"; }
};

class TCustomDateTimePicker : public TFlatDateTimePicker {
 public:
  explicit TCustomDateTimePicker(TComponent* AOwner);
  String ClassName() const override { return u"TCustomDateTimePicker"; }
  void WndProc(TMessage& Message) override;
  bool AutoTab() const { return FAutoTab; }
  virtual void SetAutoTab(bool Value) { FAutoTab = Value; }
  // Run on "DTPShiftFocus": moves to the next field when typing changed the current one.
  virtual void FieldAdvance();

 protected:
  void KeyPress(Char& Key) override;
  bool InnerPickerTest() const override { return true; }
  int MetroStripOffset() const override { return FButtonWidth + 4; }
  // What the field advance compares with, saved when a digit is typed.
  virtual void SaveTypedState();
  // Posts Right to the control when the time of day differs from the saved one.
  void AdvanceIfTimeChanged();

  bool FAutoTab = false;
  uint16_t Fh = 0, Fm = 0, Fs = 0, Fms = 0;
};

enum TAdvDateTimeKind : uint8_t { dkDate, dkTime, dkDateTime };

class TAdvDateTimePicker : public TCustomDateTimePicker {
 public:
  explicit TAdvDateTimePicker(TComponent* AOwner);
  ~TAdvDateTimePicker() override;
  String ClassName() const override { return u"TAdvDateTimePicker"; }
  void Loaded() override;
  void WndProc(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetVisible(bool Value) override;
  void SetEnabled(bool Value) override;
  void SetParent(TWinControl* AParent) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TAdvDateTimeKind Kind() const { return FKind; }
  void SetKind(TAdvDateTimeKind Value);
  // With the inner picker, its time is copied into the control first.
  TDateTime DateTime();
  // The date and the hours, minutes and seconds of Value (milliseconds dropped), in both pickers.
  void SetDateTime(TDateTime Value) override;
  void SetDate(TDateTime Value);
  TDateTime Time();
  void SetTime(TDateTime Value);
  const String& TimeFormat() const { return FTimeFormat; }
  void SetTimeFormat(const String& Value);
  void SetAutoTab(bool Value) override;
  void SetChecked(bool Value) override;
  void SetBorderStyle(TBorderStyle Value) override;
  void FieldAdvance() override;
  TCustomDateTimePicker* TimePicker() const { return FTimePicker; }

  String LabelCaption() const;
  void SetLabelCaption(const String& Value);
  TFont* LabelFont() const { return FLabelFont.get(); }
  void SetLabelFont(TFont* Value);
  TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition Value);
  int LabelMargin() const { return FLabelMargin; }
  void SetLabelMargin(int Value);
  bool LabelTransparent() const { return FLabelTransparent; }
  void SetLabelTransparent(bool Value);
  bool FocusLabel() const { return FFocusLabel; }
  void SetFocusLabel(bool Value) { FFocusLabel = Value; }
  bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
  void SetLabelAlwaysEnabled(bool Value);
  TLabel* PickerLabel() const { return FLabel; }
  // Places the inner time picker at the right of the control (frees one left hidden).
  void PlaceTimePicker();

  TNotifyEvent OnTimeChange;
  TNotifyEvent OnLabelClick;
  TNotifyEvent OnLabelDblClick;

 protected:
  uint32_t VersionNr() const override { return 0x01020000; }
  bool InnerPickerTest() const override { return false; }
  void SaveTypedState() override;
  void DateTimeChanged(bool HasDate) override;
  // The change notification (OnChange) and the click notification (OnClick).
  virtual void DoChange();
  virtual void DoClick();

 private:
  void CreateTimePicker();
  void PlaceLabel();

  TAdvDateTimeKind FKind = dkDateTime;
  TTimer* FFocusTimer = nullptr;
  String FTimeFormat;
  uint16_t Fy = 0, Fmo = 0, Fd = 0;
  TLabel* FLabel = nullptr;
  std::unique_ptr<TFont> FLabelFont;
  TLabelPosition FLabelPosition = lpLeftTop;
  int FLabelMargin = 4;
  bool FLabelTransparent = false;
  bool FFocusLabel = false;
  bool FLabelAlwaysEnabled = false;
  bool FFirstRun = true;
  TCustomDateTimePicker* FTimePicker = nullptr;
};
