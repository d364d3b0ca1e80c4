#pragma once
// Gives a drop-down's hosted control the size it should open with. A control created on the popup
// is aligned to it after its first showing, so its own size alone would only take back the popup's
// last size: the popup is sized around it first.
#include "grid/dropdown/AdvDropDown.h"
#include "grid/dropdown/AdvDropDownForm.h"

inline void SizeHostedControl(TAdvCustomDropDown* DropDown, TControl* Control, int Width, int Height) {
  TDropDownForm* form = DropDown->DropDownForm();
  if (!form || !Control) return;
  Control->SetAlign(alNone);
  Control->SetBounds(Control->Left(), Control->Top(), Width, Height);
  const int border = 2 * DropDown->DropDownBorderWidth();
  form->SetBounds(form->Left(), form->Top(), Width + border, Height + border);
}
