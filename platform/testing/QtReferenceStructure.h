#pragma once
// Qt's QTableWidget given the row-structure work of a benchmark, so the grid can be measured
// against it in the same run without Qt headers outside the platform.
#include <cstddef>

#include "platform/testing/QtReferenceViews.h"

// A QTableWidget filled once with Rows x Cols items Text(c, r) (not timed); each call does one
// round of the work, so rounds can alternate with the grid's and be timed in pairs.
class TQtReferenceTable {
 public:
  TQtReferenceTable(int Rows, int Cols, TCellTextFn Text);
  ~TQtReferenceTable();
  TQtReferenceTable(const TQtReferenceTable&) = delete;
  TQtReferenceTable& operator=(const TQtReferenceTable&) = delete;
  // Removes Count rows at At and inserts Count rows there again; answers the row count.
  int RemoveInsert(int At, int Count);
  // Hides (or shows again) every second row from row 1; answers whether row 1 is hidden (so
  // nothing is optimised away).
  int SetEverySecondHidden(bool Hidden);
  // Takes the items of Count rows from From out, removes the rows, inserts as many before row To
  // (numbered before the move) and puts the items back there; answers the row count.
  int MoveRows(int From, int To, int Count);

 private:
  struct Impl;
  Impl* d_;
};
