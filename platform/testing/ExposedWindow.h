#pragma once
// Test support for what a window really shows. While the modal seam runs (every test), forms stay
// headless: their Qt windows are never shown, so nothing paints them and a repaint request has
// nothing to do. These helpers show one form's window on the Qt platform for real, let Qt's
// pending events run and read back the pixels the window holds (what was painted into it, not a
// fresh rendering).
#include <memory>

#include "platform/Forms.h"
#include "platform/Graphics.h"

// Shows Form's window and waits (at most LimitMs) until the window system exposes it and it has
// painted once. false when it never did.
bool ExposeFormWindow(TForm* Form, int LimitMs = 5000);
// Runs Qt's pending events, posted paints among them.
void RunQtEvents();
// The pixels Form's window holds now, client coordinates of the form.
std::unique_ptr<TBitmap> WindowPixels(TForm* Form);
