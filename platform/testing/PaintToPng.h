#pragma once
// Paints a control (a form with all its children) offscreen into a PNG file for a person to
// look at. Returns false when the file cannot be written.
#include "platform/Controls.h"

bool PaintToPng(TControl* control, const String& path);
