#pragma once
// The windows that take drops: a window registered with a drop target is told by the platform's
// drag and drop what is dragged over it and dropped on it. A window has at most one target; the
// registration does not own it.
#include "platform/Classes.h"

class TWinControl;

class TDropTarget : public TObject {
 public:
  String ClassName() const override { return u"TDropTarget"; }
};

// Registers Target for Window; false (nothing changes) when either is null or the window
// already has a target.
bool RegisterDragDrop(TWinControl* Window, TDropTarget* Target);
// Ends the window's registration; false when it had none.
bool RevokeDragDrop(TWinControl* Window);
// The target registered for Window, or none.
TDropTarget* RegisteredDropTarget(const TWinControl* Window);
