#pragma once
// Paints a control (a form with all its children) offscreen, as a person would see it: into a
// PNG file to look at, or into a bitmap whose pixels a test reads.
#include <functional>
#include <memory>

#include "platform/Controls.h"
#include "platform/Graphics.h"

// Returns false when the file cannot be written.
bool PaintToPng(TControl* control, const String& path);
// A 24-bit bitmap of the control's client area (0 x 0 when the control has no window).
std::unique_ptr<TBitmap> PaintToBitmap(TControl* control);
// Writes a bitmap as a PNG file; false when it cannot be written.
bool SavePng(TBitmap* bitmap, const String& path);
// Where a control stands in the picture PaintToBitmap makes of root (one of its parents).
TRect PaintedRect(TControl* control, TControl* root);
// Paints one page of a printer that writes a PDF file at Dpi dots per inch: Paint draws on the
// printer's canvas. False when the file cannot be written.
bool PaintPrinterPage(const String& PdfPath, int Dpi, const std::function<void(TCanvas*)>& Paint);
