#include "grid/core/AsgLabel.h"

void PlaceControlLabel(TLabel* Label, const TControl* Control, TLabelPosition Position, int Margin) {
  TRect r = Rect(0, 0, 1000, 255);
  DrawText(Label->Canvas(), Label->Caption(), r, DT_CALCRECT | DT_HIDEPREFIX);
  const int w = r.Right;
  const int l = Control->Left(), t = Control->Top(), wd = Control->Width(), h = Control->Height();
  const int lh = Label->Height(), lw = Label->Width(), m = Margin;
  int top = t, left = l - w - m;
  switch (Position) {
    case lpLeftTop: top = t; left = l - w - m; break;
    case lpLeftCenter: top = t + (h - lh) / 2; left = l - w - m; break;
    case lpLeftBottom: top = t + h - lh; left = l - w - m; break;
    case lpTopLeft: top = t - lh - m; left = l; break;
    case lpBottomLeft: top = t + h + m; left = l; break;
    case lpLeftTopLeft: top = t; left = l - m; break;
    case lpLeftCenterLeft: top = t + (h - lh) / 2; left = l - m; break;
    case lpLeftBottomLeft: top = t + h - lh; left = l - m; break;
    case lpTopCenter: top = t - lh - m; left = l + (wd - lw) / 2; break;
    case lpBottomCenter: top = t + h + m; left = l + (wd - lw) / 2; break;
    case lpRightTop: top = t; left = l + wd + m; break;
    case lpRightCenter: top = t + (h - lh) / 2; left = l + wd + m; break;
    case lpRighBottom: top = t + h - lh; left = l + wd + m; break;
    default: break;  // the drop-down edit's own positions: these controls keep the first
  }
  Label->SetBounds(left, top, Label->Width(), Label->Height());
  Label->SetVisible(Control->Visible());
}
