#pragma once
// What the drop-down button and the popup push buttons ask of the drop-down edit they belong
// to. The edit implements it; the buttons find it as their container's parent or are given it.
#include "platform/Graphics.h"

class IDropDownEdit {
 public:
  virtual ~IDropDownEdit() = default;
  // The edit's border colour (clNone: the system border).
  virtual TColor BorderColor() const = 0;
  virtual bool ReadOnly() const = 0;
  // Closes the popup, restoring the text first when Cancel.
  virtual void DoHideDropDown(bool Cancel) = 0;
};
