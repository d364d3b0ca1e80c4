#pragma once
// What the pack's edits with a button inside (spin edit, edit-button) share: the least height
// that shows their font, and where the button sits at the right edge.
#include "platform/StdCtrls.h"

// The font's text height plus a quarter of the smaller of it and the system font's.
int EmbeddedEditMinHeight(TCustomEdit* Edit);
// Places Button (ButtonWidth wide) at the right edge of Edit, as the platform's new-style
// three-dimensional controls have it.
void PlaceEmbeddedButton(TCustomEdit* Edit, TControl* Button, int ButtonWidth);
