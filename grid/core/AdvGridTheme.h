#pragma once
// The string grid's window in the process-wide office theme notifier. Apart from AdvGrid.h,
// whose own style enumerations share names with the foundation's style vocabulary.
#include "platform/Controls.h"

// Registers (Register) or unregisters the window with the notifier, made on first use.
void GridThemeNotification(TWinControl* Grid, bool Register);
