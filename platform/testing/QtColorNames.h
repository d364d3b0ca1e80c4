#pragma once
// Qt's list of SVG colour keywords with their values, for checking the program's own table.
#include <utility>
#include <vector>

#include "platform/Graphics.h"

// Every keyword Qt knows except "transparent", lower case, with its colour as $BBGGRR.
std::vector<std::pair<String, TColor>> QtSvgColorNames();
