#pragma once
// Qt's QSortFilterProxyModel filter and QAbstractItemModel::match over a table model of a
// benchmark's texts, so that the grid's filtering and search are measured against them in the
// same run without Qt headers outside the platform.
#include <vector>

#include "platform/testing/QtReferenceViews.h"

class TQtReferenceFilter {
 public:
  // Rows x Cols texts Text(c, r) in a table model under a proxy (untimed).
  TQtReferenceFilter(int Rows, int Cols, TCellTextFn Text);
  ~TQtReferenceFilter();
  TQtReferenceFilter(const TQtReferenceFilter&) = delete;
  TQtReferenceFilter& operator=(const TQtReferenceFilter&) = delete;
  // Milliseconds of one filter of column Col; Accepted is the rows that pass.
  // Cells equal to Text, case as it is.
  double FilterEqual(int Col, const String& Text, int& Accepted);
  // Cells matching the wildcard pattern (* and ?) as a whole, case ignored.
  double FilterWildcard(int Col, const String& Pattern, int& Accepted);
  // One filter per text, each keeping the cells that contain it (case ignored); the sum of the
  // steps, Accepted the rows after the last.
  double FilterContainsSteps(int Col, const std::vector<String>& Texts, int& Accepted);
  // The first cell containing Text, column by column from the top-left (match() per column).
  double Find(const String& Text, int& Col, int& Row);

 private:
  struct Impl;
  Impl* d_;
};
