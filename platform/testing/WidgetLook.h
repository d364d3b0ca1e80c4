#pragma once
// What a control's Qt widget really shows, read back for tests that must not include Qt headers.
#include "platform/Controls.h"

struct TShownLook {
  bool HasWidget = false;
  String Family;
  int PixelSize = 0;
  bool Bold = false;
  TColor Ground = clNone;  // the window colour of its palette
  TColor Ink = clNone;     // the text colour of its palette
};

TShownLook ShownLook(TControl* Control);

// Qt widgets alive in the process.
int LiveWidgetCount();
// Deletes the widgets whose deletion was put off until the running event was over (outside an
// event loop Qt would keep them until one runs).
void DeleteDeferredWidgets();
