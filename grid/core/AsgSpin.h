#pragma once
// The pack's spin edit: an edit holding an integer, a float, a date or a time, stepped by an
// up/down button pair at its right edge (auto-repeating while held), by the arrow and page keys,
// kept within optional limits, with typed characters filtered by the kind of value.
#include "platform/Buttons.h"
#include "platform/Mask.h"

enum TAsgSpinType : uint8_t { sptNormal, sptFloat, sptDate, sptTime };
enum TSpinDirection : uint8_t { spVertical, spHorizontal };
enum TButtonDirection : uint8_t { bdLeft, bdRight, bdUp, bdDown };
enum TEditAlign : uint8_t { eaLeft, eaRight, eaCenter };
enum TTimeBtnStateItem : uint8_t { tbFocusRect, tbAllowTimer };
using TTimeBtnState = TSmallSet<TTimeBtnStateItem>;

class TAsgSpinButton;

// A speed button that clicks again every 100 ms after the first 400 ms while it is held down.
class TAdvTimerSpeedButton : public TSpeedButton {
 public:
  explicit TAdvTimerSpeedButton(TComponent* AOwner);
  String ClassName() const override { return u"TAdvTimerSpeedButton"; }
  TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
  void SetTimeBtnState(TTimeBtnState Value) { FTimeBtnState = Value; }
  TButtonDirection ButtonDirection() const { return FButtonDirection; }
  void SetButtonDirection(TButtonDirection Value) { FButtonDirection = Value; Invalidate(); }
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value) { FIsWinXP = Value; Invalidate(); }
  bool HasMouse() const { return FHasMouse; }
  void WndProc(TMessage& Message) override;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // A repeating button stepped on the press already.
  void ReleaseClick() override;
  void Paint() override;

 private:
  void TimerExpired();
  TTimer* FRepeatTimer = nullptr;
  TTimeBtnState FTimeBtnState;
  TButtonDirection FButtonDirection = bdUp;
  bool FIsWinXP = false;
  bool FHasMouse = false;
};

// The up/down pair of a spin edit.
class TAsgSpinButton : public TWinControl {
 public:
  explicit TAsgSpinButton(TComponent* AOwner);
  String ClassName() const override { return u"TAsgSpinButton"; }
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Loaded() override;
  void WndProc(TMessage& Message) override;

  TSpinDirection Direction() const { return FDirection; }
  void SetDirection(TSpinDirection Value);
  // nullptr loads the pack's own glyph ("AsgSpinUp", "AsgSpinDown").
  TBitmap* UpGlyph() const { return FUpButton->Glyph(); }
  void SetUpGlyph(TBitmap* Value);
  TBitmap* DownGlyph() const { return FDownButton->Glyph(); }
  void SetDownGlyph(TBitmap* Value);
  int UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
  void SetUpNumGlyphs(int Value) { FUpButton->SetNumGlyphs(Value); }
  int DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
  void SetDownNumGlyphs(int Value) { FDownButton->SetNumGlyphs(Value); }
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  TAdvTimerSpeedButton* UpButton() const { return FUpButton; }
  TAdvTimerSpeedButton* DownButton() const { return FDownButton; }
  TAdvTimerSpeedButton* FocusedButton() const { return FFocusedButton; }

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;
  // Button colours; ButtonColor clNone paints the themed or the classic button.
  TColor ButtonColorDown = clNone;
  TColor ButtonBorderColor = clNone;
  TColor ButtonTextColor = clNone;
  TColor ButtonTextColorHot = clNone;
  TColor ButtonColor = clNone;
  TColor ButtonColorHot = clNone;
  TColor ButtonTextColorDown = clNone;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  unsigned DialogCode() const override { return DLGC_WANTARROWS; }

 private:
  TAdvTimerSpeedButton* CreateButton();
  void BtnClick(TObject* Sender);
  void BtnMouseDown(TObject* Sender, TMouseButton Button);
  void SetFocusBtn(TAdvTimerSpeedButton* Btn);
  void AdjustSize(int& W, int& H);

  TAdvTimerSpeedButton* FUpButton = nullptr;
  TAdvTimerSpeedButton* FDownButton = nullptr;
  TAdvTimerSpeedButton* FFocusedButton = nullptr;
  TWinControl* FFocusControl = nullptr;
  TSpinDirection FDirection = spVertical;
  bool FIsWinXP = false;
};

class TAsgSpinEdit : public TCustomMaskEdit {
 public:
  explicit TAsgSpinEdit(TComponent* AOwner);
  ~TAsgSpinEdit() override;
  String ClassName() const override { return u"TAsgSpinEdit"; }
  void Loaded() override;
  void WndProc(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  TAsgSpinType SpinType() const { return FSpinType; }
  void SetSpinType(TAsgSpinType Value);
  int Value();
  void SetValue(int NewValue);
  double FloatValue();
  void SetFloatValue(double NewValue);
  TDateTime DateValue();
  void SetDateValue(TDateTime NewValue);
  TDateTime TimeValue();
  void SetTimeValue(TDateTime NewValue);
  int MinValue() const { return FMinValue; }
  void SetMinValue(int v) { FMinValue = v; }
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int v) { FMaxValue = v; }
  double MinFloatValue() const { return FMinFloatValue; }
  void SetMinFloatValue(double v) { FMinFloatValue = v; }
  double MaxFloatValue() const { return FMaxFloatValue; }
  void SetMaxFloatValue(double v) { FMaxFloatValue = v; }
  TDateTime MinDateValue() const { return FMinDateValue; }
  void SetMinDateValue(TDateTime v) { FMinDateValue = v; }
  TDateTime MaxDateValue() const { return FMaxDateValue; }
  void SetMaxDateValue(TDateTime v) { FMaxDateValue = v; }
  int Increment() const { return FIncrement; }
  void SetIncrement(int v) { FIncrement = v; }
  double IncrementFloat() const { return FIncrementFloat; }
  void SetIncrementFloat(double v) { FIncrementFloat = v; }
  double IncrementFloatPage() const { return FIncrementFloatPage; }
  void SetIncrementFloatPage(double v) { FIncrementFloatPage = v; }
  int IncrementHours() const { return FIncrementHours; }
  void SetIncrementHours(int v) { FIncrementHours = v; }
  int IncrementMinutes() const { return FIncrementMinutes; }
  void SetIncrementMinutes(int v) { FIncrementMinutes = v; }
  int IncrementSeconds() const { return FIncrementSeconds; }
  void SetIncrementSeconds(int v) { FIncrementSeconds = v; }
  int Precision() const { return FPrecision; }
  void SetPrecision(int Value);
  bool ShowSeconds() const { return FShowSeconds; }
  void SetShowSeconds(bool v) { FShowSeconds = v; }
  TSpinDirection Direction() const { return FDirection; }
  void SetDirection(TSpinDirection Value);
  TEditAlign EditAlign() const { return FEditAlign; }
  void SetEditAlign(TEditAlign Value);
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool v) { FEditorEnabled = v; }
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool v) { FReturnIsTab = v; }
  bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool v) { FExcelStyleDecimalSeparator = v; }
  bool AllowEmptyValue() const { return FAllowEmptyValue; }
  void SetAllowEmptyValue(bool v) { FAllowEmptyValue = v; }
  bool SpinFlat() const { return FSpinFlat; }
  void SetSpinFlat(bool Value);
  bool SpinTransparent() const { return FSpinTransparent; }
  void SetSpinTransparent(bool Value);
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  TAsgSpinButton* Button() const { return FButton; }

  virtual void StepUp(bool Page);
  virtual void StepDown(bool Page);
  virtual bool IsValidChar(Char& Key);
  virtual void UpClick(TObject* Sender);
  virtual void DownClick(TObject* Sender);

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;

 private:
  void Step(int Sign, bool Page);
  void StepDate(int Sign);
  void StepTime(int Sign);
  int CheckValue(int NewValue) const;
  double CheckFloatValue(double NewValue) const;
  TDateTime CheckDateValue(TDateTime NewValue) const;
  // The minimum height for the font and the border.
  int MinHeight();
  void LayoutButton();
  void SetEditRectNow();
  // Rewrites the value of the present kind in that kind's format.
  void RewriteValue();

  int FMinValue = 0;
  int FMaxValue = 100;
  double FMinFloatValue = 0.0;
  double FMaxFloatValue = 100.0;
  TDateTime FMinDateValue = 0;
  TDateTime FMaxDateValue = 0;
  TDateTime FDateValue = 0;
  TDateTime FTimeValue = 0;
  int FIncrement = 1;
  double FIncrementFloat = 0.1;
  TAsgSpinButton* FButton = nullptr;
  bool FEditorEnabled = true;
  TSpinDirection FDirection = spVertical;
  TAsgSpinType FSpinType = sptNormal;
  int FPrecision = 0;
  bool FReturnIsTab = false;
  bool FIsWinXP = false;
  bool FExcelStyleDecimalSeparator = false;
  bool FShowSeconds = true;
  int FIncrementSeconds = 1;
  int FIncrementMinutes = 1;
  int FIncrementHours = 1;
  TEditAlign FEditAlign = eaLeft;
  bool FSpinFlat = false;
  bool FSpinTransparent = false;
  bool FAllowEmptyValue = false;
  double FIncrementFloatPage = 1.0;
  bool FLaying = false;
};
