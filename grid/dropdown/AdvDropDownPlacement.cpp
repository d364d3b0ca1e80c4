#include "grid/dropdown/AdvDropDownPlacement.h"

TPoint PlaceDropDown(TDropPosition Position, TPoint EditTopLeft, int EditHeight, TSize PopupSize,
                     const TRect& WorkArea) {
  const int below = EditTopLeft.Y + EditHeight - 1;
  const int above = EditTopLeft.Y - PopupSize.cy;
  int top = below;
  if (Position == dpUp || (Position == dpAuto && EditTopLeft.Y + PopupSize.cy >= WorkArea.Bottom)) top = above;
  int left = EditTopLeft.X;
  if (left >= WorkArea.Left && left < WorkArea.Right && left + PopupSize.cx > WorkArea.Right)
    left = WorkArea.Right - PopupSize.cx;
  return TPoint{left, top};
}

bool DropDownMayReopen(uint32_t Now, uint32_t DeActivateTime) {
  return static_cast<uint32_t>(Now - DeActivateTime) > 250;
}

TSize DropDownPopupSize(const TDropDownSizeInput& In) {
  TSize s;
  s.cx = In.DropDownWidth > 0 ? In.DropDownWidth : In.HasControl ? In.ControlWidth : In.EditWidth;
  if (In.DropDownHeight > 0) {
    s.cy = In.DropDownHeight;
  } else {
    s.cy = 2 * In.BorderWidth + (In.HeaderVisible ? In.HeaderHeight : 0) + (In.FooterVisible ? In.FooterHeight : 0) +
           (In.HasControl ? In.ControlHeight : 0);
  }
  return s;
}

bool DropDownGripHit(TPoint ClientPoint, int Width, int Height, bool Sizeable) {
  return Sizeable && ClientPoint.X > Width - 10 && ClientPoint.Y > Height - 10;
}
