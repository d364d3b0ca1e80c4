#pragma once
// Where a control's caption label sits beside it: one enumeration for every control of the pack
// that carries a label (the drop-down edits, the grid's combo and date pickers).
#include <cstdint>

enum TLabelPosition : uint8_t {
  lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
  lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom, lpTopRight,
  lpBottomRight
};
