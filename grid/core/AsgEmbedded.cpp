#include "grid/core/AsgEmbedded.h"

#include <algorithm>

int EmbeddedEditMinHeight(TCustomEdit* Edit) {
  TBitmap measure;
  measure.Canvas()->Font()->Assign(Edit->Font());
  const int own = measure.Canvas()->TextHeight(u"0");
  TFont system;  // the platform's default font stands for the system font
  measure.Canvas()->Font()->Assign(&system);
  const int sys = measure.Canvas()->TextHeight(u"0");
  return own + std::min(own, sys) / 4;
}

void PlaceEmbeddedButton(TCustomEdit* Edit, TControl* Button, int ButtonWidth) {
  const int extra = Edit->BorderStyle() == bsNone ? 4 : 0;
  Button->SetBounds(Edit->Width() - ButtonWidth - 5 + extra, 0, ButtonWidth, Edit->Height() - 5 + extra);
}
