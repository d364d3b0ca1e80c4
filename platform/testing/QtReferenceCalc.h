#pragma once
// Qt's QTableWidget given the column arithmetic of a benchmark, so the grid's calculations can be
// measured against it in the same run without Qt headers outside the platform.
#include <cstddef>

#include "platform/testing/QtReferenceViews.h"

struct TCalcTimings {
  double Sum = 0;           // milliseconds: one sum of a column over every row
  double EditFiveSums = 0;  // one item edited, then Sums columns summed again
};

// A QTableWidget of Rows x Cols items Text(c, r) (filled untimed). Sum: the numbers of column 0
// added up over every row; EditFiveSums: the item (0, Rows / 2) set to a new number, then
// columns 0 .. Sums - 1 summed. Checksum gathers the sums.
TCalcTimings RunQTableWidgetCalc(int Rows, int Cols, int Sums, TCellTextFn Text, size_t& Checksum);
