#pragma once
// The popup form of a drop-down edit: a borderless form above the others that holds the header,
// the edit's hosted control and the footer, paints its background and border, closes when it
// loses activation and answers the bottom-right resize corner when sizeable.
#include <cstdint>

#include "grid/dropdown/AdvDropDownPanels.h"
#include "platform/PopupForm.h"

class TAdvCustomDropDown;

class TDropDownForm : public TPopupForm {
 public:
  explicit TDropDownForm(TComponent* AOwner);
  String ClassName() const override { return u"TDropDownForm"; }

  uint32_t DeActivateTime() const { return FDeActivate; }
  bool Shadow() const { return FShadow; }
  void SetShadow(bool Value);
  TAdvFooter* Footer() const { return FFooter; }
  TAdvHeader* Header() const { return FHeader; }
  TAdvCustomDropDown* AdvDropDown() const { return FAdvDropDown; }
  void SetAdvDropDown(TAdvCustomDropDown* Value) { FAdvDropDown = Value; }
  TWinControl* ScrollBox() const { return nullptr; }
  bool Sizeable() const { return FSizeable; }
  void SetSizeable(bool Value) { FSizeable = Value; }
  bool CancelOnDeActivate() const { return FCancelOnDeActivate; }
  void SetCancelOnDeActivate(bool Value) { FCancelOnDeActivate = Value; }
  bool BlockActivate() const { return FBlockActivate; }
  void SetBlockActivate(bool Value) { FBlockActivate = Value; }

  // Builds or refreshes the header and footer panels from the drop-down's settings.
  void InitializeAndUpdate();
  virtual void UpdateSize() {}
  void WndProc(TMessage& Message) override;
  // The background and border, drawn on Canvas over the client area.
  void PaintBackground(TCanvas* Canvas);

  TNotifyEvent OnSizing;
  TKeyPressEvent OnFormKeyPress;

 protected:
  TRect AdjustClientRect() const override;
  void PaintForm(TCanvas* Canvas) override { PaintBackground(Canvas); }

 private:
  int BorderWidth() const;

  uint32_t FDeActivate = 0;
  bool FShadow = true;
  TAdvFooter* FFooter = nullptr;  // owned as a component
  TAdvHeader* FHeader = nullptr;  // owned as a component
  TAdvCustomDropDown* FAdvDropDown = nullptr;
  bool FSizeable = false;
  bool FCancelOnDeActivate = true;
  bool FBlockActivate = false;
};
