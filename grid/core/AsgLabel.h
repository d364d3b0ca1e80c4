#pragma once
// The caption label that the pack's controls attach to themselves: where it sits beside its
// control.
#include "platform/StdCtrls.h"

enum TLabelPosition : uint8_t {
  lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
  lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom
};

// Moves Label to Position beside Control with Margin pixels between them (the label's size is
// kept; its caption width is measured as drawn) and shows it exactly when Control is visible.
void PlaceControlLabel(TLabel* Label, const TControl* Control, TLabelPosition Position, int Margin);
