#pragma once
// The named colours of the web standard (the SVG/CSS colour keywords), as the colour picker's
// cvtWebName text shows them.
#include <utility>
#include <vector>

#include "platform/Graphics.h"

struct TWebNamedColor {
  const char16_t* Name;
  TColor Color;  // $BBGGRR
};

// Every keyword in alphabetical order; some colours have two names (aqua and cyan, gray and grey).
const std::vector<TWebNamedColor>& WebNamedColors();
// The first name of the colour (system colours resolved first), else its "#RRGGBB" text.
String ColorToWebName(TColor Color);
