#pragma once
// A stand-in drop-down edit for the button tests: a windowed control that answers what the
// buttons ask of their edit and records the popup closings.
#include <vector>

#include "grid/dropdown/AdvDropDownHost.h"
#include "platform/Controls.h"

namespace dropdown_test {

class TFakeDropDownEdit : public TWinControl, public IDropDownEdit {
 public:
  using TWinControl::TWinControl;
  TColor BorderColor() const override { return FBorder; }
  bool ReadOnly() const override { return FReadOnly; }
  void DoHideDropDown(bool Cancel) override { Hidden.push_back(Cancel); }

  TColor FBorder = clNone;
  bool FReadOnly = false;
  std::vector<bool> Hidden;  // Cancel of each closing, in order
};

}  // namespace dropdown_test
