#pragma once
// Qt's own item views given a benchmark's work, so the grid can be measured against them in the
// same run without Qt headers outside the platform.
#include <cstddef>

#include "platform/UString.h"

struct TViewTimings {
  double Fill = 0, Read = 0, Paint = 0;  // milliseconds
  double Total() const { return Fill + Read + Paint; }
};

using TCellTextFn = String (*)(int Col, int Row);

// A QTableWidget of Width x Height pixels: fills Rows x Cols items with Text(c, r), reads every
// item's text back, then paints one page scrolled to the middle row. Checksum gathers what was
// read and a painted pixel, so nothing is optimised away.
TViewTimings RunQTableWidget(int Rows, int Cols, int Width, int Height, TCellTextFn Text, size_t& Checksum);
