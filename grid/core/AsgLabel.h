#pragma once
// The caption label that the pack's controls attach to themselves: where it sits beside its
// control.
#include "grid/dropdown/AdvLabelPosition.h"
#include "platform/StdCtrls.h"

// Moves Label to Position beside Control with Margin pixels between them (the label's size is
// kept; its caption width is measured as drawn) and shows it exactly when Control is visible.
void PlaceControlLabel(TLabel* Label, const TControl* Control, TLabelPosition Position, int Margin);
