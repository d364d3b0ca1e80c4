#pragma once
// Qt's QSortFilterProxyModel over a table model of a benchmark's texts, so that the grid's sorts
// and grouping can be measured against it in the same run without Qt headers outside the platform.
#include <cstddef>
#include <vector>

#include "platform/testing/QtReferenceViews.h"

// How a column's texts are read as the values the proxy sorts on (its sort role).
enum class TSortValueKind { Integer, Decimal, Date, Text };

class TQtReferenceSort {
 public:
  // Rows x Kinds.size() texts Text(c, r), each turned into its typed value once (untimed), in a
  // table model under a proxy.
  TQtReferenceSort(int Rows, const std::vector<TSortValueKind>& Kinds, TCellTextFn Text);
  ~TQtReferenceSort();
  TQtReferenceSort(const TQtReferenceSort&) = delete;
  TQtReferenceSort& operator=(const TQtReferenceSort&) = delete;
  // Milliseconds of one proxy sort; Checksum gathers the first and last sorted rows.
  double Sort(int Col, bool Ascending, size_t& Checksum);
  // Two keys: the second column, then (the proxy sorts stably) the first one.
  double SortTwoKeys(int Col1, bool Ascending1, int Col2, bool Ascending2, size_t& Checksum);
  // Back to the model's order.
  double UnSort(size_t& Checksum);
  // A tree of one parent per run of equal texts in Col (sorted by it first) holding the run's
  // rows, as grouping builds it: the sort and the tree's construction.
  double Group(int Col, size_t& Checksum);

 private:
  struct Impl;
  Impl* d_;
};
