#pragma once
// Overlay windows: a control's window kept above its siblings, shaped by a region, never taking
// the focus, optionally letting the mouse through, and painted with a constant opacity. Each
// call creates the control's window when it does not exist yet.
#include <cstdint>
#include <vector>

#include "platform/Controls.h"

void MakeOverlayWindow(TWinControl* Control, bool MouseTransparent);
// Moves the control's window into its form's window, above everything there, so that its parent
// does not clip it; the control's Left and Top are then taken in the form's client pixels.
// Nothing happens while the control has no form.
void AttachOverlayToForm(TWinControl* Control);
// The window shows only inside the polygon (winding fill, the window's own pixels).
void SetOverlayPolygon(TWinControl* Control, const std::vector<TPoint>& Points);
// The window shows only between the two rectangles.
void SetOverlayFrame(TWinControl* Control, const TRect& Outer, const TRect& Hole);
// The constant opacity of the whole window; on a window with a layered image (below) it is that
// image's constant alpha.
void SetOverlayOpacity(TWinControl* Control, uint8_t Opacity);

// From now on the window shows the bitmap's pixels (blue, green, red premultiplied by alpha, then
// alpha; a 24-bit bitmap counts as opaque) with per-pixel alpha times ConstantAlpha / 255 over
// whatever lies below it, instead of painting itself. The window takes the bitmap's size (its
// position stays), keeps its shape if it has one, never takes the focus and lets the mouse
// through. The pixels are copied: later changes to the bitmap need another call.
void UpdateOverlayLayered(TWinControl* Control, TBitmap* Premultiplied32, uint8_t ConstantAlpha);

// What the window shows: whether a pixel lies inside its shape (every pixel when it has none),
// and its opacity (255 when none was set).
bool OverlayShapeContains(TWinControl* Control, TPoint P);
uint8_t OverlayOpacity(TWinControl* Control);
bool OverlayTakesFocus(TWinControl* Control);
bool OverlayInFormWindow(TWinControl* Control);
