#pragma once
// The small gradient push button of the popup's header and footer strips and its colours. The
// appearance is shared by reference by every button of one drop-down; the button paints its
// parent's background under itself, a face coloured by its state, and its image and caption.
// A footer button's modal result closes the popup.
#include <cstdint>
#include <memory>

#include "grid/dropdown/AdvDropDownAppearance.h"
#include "grid/dropdown/AdvDropDownHost.h"
#include "grid/foundation/AdvObj.h"
#include "platform/Controls.h"
#include "platform/Forms.h"

class TAdvButtonAppearance : public TPersistent {
 public:
  TAdvButtonAppearance();
  ~TAdvButtonAppearance() override;
  String ClassName() const override { return u"TAdvButtonAppearance"; }
  // From another appearance, colours and gradient through their setters; the font stays.
  void Assign(TPersistent* Source) override;

  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { Store(FBorderColor, Value); }
  TColor BorderColorHot() const { return FBorderColorHot; }
  void SetBorderColorHot(TColor Value) { Store(FBorderColorHot, Value); }
  TColor BorderColorDown() const { return FBorderColorDown; }
  void SetBorderColorDown(TColor Value) { Store(FBorderColorDown, Value); }
  TColor BorderColorDisabled() const { return FBorderColorDisabled; }
  void SetBorderColorDisabled(TColor Value) { Store(FBorderColorDisabled, Value); }
  TColor BorderColorChecked() const { return FBorderColorChecked; }
  void SetBorderColorChecked(TColor Value) { Store(FBorderColorChecked, Value); }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { Store(FColor, Value); }
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { Store(FColorTo, Value); }
  TColor ColorDown() const { return FColorDown; }
  void SetColorDown(TColor Value) { Store(FColorDown, Value); }
  TColor ColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor Value) { Store(FColorDownTo, Value); }
  TColor ColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { Store(FColorHot, Value); }
  TColor ColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { Store(FColorHotTo, Value); }
  TColor ColorCheckedTo() const { return FColorCheckedTo; }
  void SetColorCheckedTo(TColor Value) { Store(FColorCheckedTo, Value); }
  TColor ColorDisabled() const { return FColorDisabled; }
  void SetColorDisabled(TColor Value) { Store(FColorDisabled, Value); }
  TColor ColorDisabledTo() const { return FColorDisabledTo; }
  void SetColorDisabledTo(TColor Value) { Store(FColorDisabledTo, Value); }
  TColor ColorChecked() const { return FColorChecked; }
  void SetColorChecked(TColor Value) { Store(FColorChecked, Value); }
  TGradientDirection Gradient() const { return FGradient; }
  void SetGradient(TGradientDirection Value) { Store(FGradient, Value); }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }

  TNotifyEvent OnChange;

 private:
  template <class T>
  void Store(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    if (OnChange) OnChange(this);
  }

  TColor FBorderColor = clNone;
  TColor FBorderColorHot = clGray;
  TColor FBorderColorDown = clNavy;
  TColor FBorderColorDisabled = clGray;
  TColor FBorderColorChecked = clBlue;
  TColor FColor = clNone;
  TColor FColorTo = clNone;
  TColor FColorDown = 0xF5D8CA;
  TColor FColorDownTo = 0xF9BDA0;
  TColor FColorHot = 0xF5F0E1;
  TColor FColorHotTo = 0xF9D2B2;
  TColor FColorCheckedTo = clNone;
  TColor FColorDisabled = 0xF2F2F2;
  TColor FColorDisabledTo = clNone;
  TColor FColorChecked = clNone;
  TGradientDirection FGradient = gdVertical;
  std::unique_ptr<TFont> FFont;
};

// The same two kinds as the grid's cell buttons.
using TAdvButtonStyle = TAdvGridButtonStyle;
enum TAdvButtonState : uint8_t { absUp, absDisabled, absDown, absDropDown, absExclusive };

class TAdvButton : public TCustomControl {
 public:
  explicit TAdvButton(TComponent* AOwner);
  ~TAdvButton() override;
  String ClassName() const override { return u"TAdvButton"; }

  void Click() override;
  // Height := text or image height + 4, Width := their width + 8 (nothing without an appearance).
  void AutoSizeButton();
  virtual void DrawButton(TCanvas* ACanvas);

  TAdvButtonAppearance* Appearance() const { return FAppearance; }
  void SetAppearance(TAdvButtonAppearance* Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // The drop-down whose popup a footer button's modal result closes.
  IDropDownEdit* AdvDropDown() const { return FAdvDropDown; }
  void SetAdvDropDown(IDropDownEdit* Value) { FAdvDropDown = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  TAdvButtonStyle Style() const { return FStyle; }
  void SetStyle(TAdvButtonStyle Value) { FStyle = Value; }
  TAdvButtonState State() const { return FState; }
  int OffSet() const { return FOffSet; }
  bool MouseInControl() const { return FMouseInControl; }
  bool Hot() const { return FHot; }
  bool MouseDownInControl() const { return FMouseDownInControl; }
  TTimer* UnHotTimer() const { return FUnHotTimer; }

  void WndProc(TMessage& Message) override;
  void Loaded() override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;

 private:
  bool Inside(int X, int Y) const { return X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight(); }
  void MouseEntered();
  void MouseLeft();
  void UnHotTimerTick();
  void UpdateTracking();
  void Press();

  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  int FOffSet = 4;
  bool FMouseInControl = false;
  bool FHot = false;
  TAdvButtonStyle FStyle = tasButton;
  TAdvButtonState FState = absUp;
  bool FMouseDownInControl = false;
  bool FGrouped = true;
  bool FDragging = false;
  bool FPropHot = false;
  TTimer* FUnHotTimer = nullptr;  // owned as a component
  bool FInitialDown = false;
  bool FInternalClick = false;
  TAdvButtonAppearance* FAppearance = nullptr;
  TImageList* FImages = nullptr;
  int FImageIndex = -1;
  TModalResult FModalResult = 0;
  IDropDownEdit* FAdvDropDown = nullptr;
};
