#pragma once
// Where and how large the drop-down popup opens, and when it may open again, free of the window.
#include <cstdint>

#include "platform/Graphics.h"

enum TDropPosition : uint8_t { dpAuto, dpDown, dpUp };

// The popup's top-left for an edit whose top-left lies at EditTopLeft (screen), inside the work
// area of the monitor nearest to it. dpAuto opens below when there is room above the work area's
// bottom for the popup, else above with its bottom on the edit's top; dpDown and dpUp never
// change their side, even when that leaves the screen. A popup passing the work area's right edge
// while its left edge is inside moves left to end there; nothing else is clamped.
TPoint PlaceDropDown(TDropPosition Position, TPoint EditTopLeft, int EditHeight, TSize PopupSize,
                     const TRect& WorkArea);

// The popup deactivated at DeActivateTime (tick count, ms) may open again at Now: more than 250 ms
// later, so that the click that closed it does not reopen it. The counter's wrap is harmless.
bool DropDownMayReopen(uint32_t Now, uint32_t DeActivateTime);

struct TDropDownSizeInput {
  int DropDownWidth = 0, DropDownHeight = 0;  // 0: from the content
  int EditWidth = 0;
  int BorderWidth = 1;
  bool HeaderVisible = false, FooterVisible = false;
  int HeaderHeight = 0, FooterHeight = 0;
  bool HasControl = false;  // a hosted control that is visible
  int ControlWidth = 0, ControlHeight = 0;
};
// The popup's size before a remembered user size applies.
TSize DropDownPopupSize(const TDropDownSizeInput& In);

// The popup's smallest size.
constexpr int DropDownMinWidth = 80, DropDownMinHeight = 50;

// The bottom-right resize corner of a sizeable popup of Width x Height (client coordinates).
bool DropDownGripHit(TPoint ClientPoint, int Width, int Height, bool Sizeable);
