#pragma once
// Qt's own item views given a benchmark's work, so the grid can be measured against them in the
// same run without Qt headers outside the platform.
#include <cstddef>

#include "platform/UString.h"

struct TViewTimings {
  double Fill = 0, Read = 0, Paint = 0;  // milliseconds; Paint: the median page
  double PaintMin = 0;                   // the fastest page
  double FillBytes = 0;                  // heap bytes in use after the fill, less those before
  double Total() const { return Fill + Read + Paint; }
};

// Heap bytes in use by the process's allocator.
double HeapBytesInUse();

// Times each page is painted; Paint and PaintMin are the median and the minimum.
constexpr int kViewPaints = 15;

using TCellTextFn = String (*)(int Col, int Row);

// A QTableWidget of Width x Height pixels: fills Rows x Cols items with Text(c, r), reads every
// item's text back, then paints one page scrolled to the middle row kViewPaints times. Checksum gathers what was
// read and a painted pixel, so nothing is optimised away.
TViewTimings RunQTableWidget(int Rows, int Cols, int Width, int Height, TCellTextFn Text, size_t& Checksum);

// One page of a Qt item view over Rows x Cols texts, built once so that its painting is timed
// alone: a QTableWidget holding every item, or a QTableView over a QSortFilterProxyModel over a
// model that answers Text(c, r) on demand (Qt's usual way with a large table). With Gradient every
// cell's background is a vertical gradient, as the grid's gradient page has.
class TQtReferencePage {
 public:
  enum TKind { kTableWidget, kProxyTableView };
  TQtReferencePage(TKind Kind, int Rows, int Cols, int Width, int Height, TCellTextFn Text, bool Gradient);
  ~TQtReferencePage();
  TQtReferencePage(const TQtReferencePage&) = delete;
  TQtReferencePage& operator=(const TQtReferencePage&) = delete;
  // Paints the page scrolled to the middle row; answers a painted pixel (so nothing is optimised away).
  unsigned Paint();

 private:
  struct Impl;
  Impl* d_;
};
