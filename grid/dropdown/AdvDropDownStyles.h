#pragma once
// The sixteen looks a drop-down edit can take on: its popup, the popup's header and footer strips
// and their push buttons. Each look is a row of data; one routine per target applies a row.
#include "grid/dropdown/AdvDropDownAppearance.h"
#include "grid/dropdown/AdvDropDownPushButton.h"
#include "grid/foundation/AdvStyleIF.h"

// A style's colours for the popup body and its header and footer strips.
struct TDropDownPopupStyle {
  TColor DropDownColor;
  TColor DropDownColorTo;
  bool SetsBorderColor;  // some styles keep the edit's DropDownBorderColor
  TColor DropDownBorderColor;
  TColor HeaderColor, HeaderColorTo, HeaderFontColor, HeaderBorderColor;
  TColor FooterColor, FooterColorTo, FooterFontColor, FooterBorderColor;
};

// The popup row of Style; nullptr for tsCustom and for values outside the styles, which change
// nothing.
const TDropDownPopupStyle* DropDownPopupStyle(TQELStyle Style);

// Recolours the header and footer strips (colours, border line, font colour only). Returns
// false, touching nothing, when the style changes nothing.
bool ApplyDropDownStripStyle(TQELStyle Style, THeaderAppearance* Header, TFooterAppearance* Footer);

// Recolours the popup push buttons' shared appearance through its setters in a fixed order;
// BorderColorDisabled is never touched. Returns false, touching nothing, when the style changes
// nothing.
bool ApplyDropDownButtonStyle(TQELStyle Style, TAdvButtonAppearance* Appearance);
