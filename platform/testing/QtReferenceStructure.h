#pragma once
// Qt's QTableWidget given the row-structure work of a benchmark, so the grid can be measured
// against it in the same run without Qt headers outside the platform.
#include <cstddef>

#include "platform/testing/QtReferenceViews.h"

struct TStructureTimings {
  double RemoveInsert = 0;  // milliseconds
  double HideShow = 0;
};

// A QTableWidget filled with Rows x Cols items Text(c, r) (not timed): the removal of Count rows at
// At and the insertion of Count rows there again are timed as RemoveInsert; hiding every second
// row and showing them all again as HideShow. Checksum gathers what the table holds afterwards.
TStructureTimings RunQTableWidgetStructure(int Rows, int Cols, int At, int Count, TCellTextFn Text, size_t& Checksum);
