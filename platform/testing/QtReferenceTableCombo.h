#pragma once
// A QComboBox whose popup is a QTableView over a model of several columns, given the work of the
// grid drop-down in a benchmark: filled, opened on a row, a typed lookup, closed.
#include <memory>
#include <vector>

#include "platform/UString.h"

class TQtReferenceTableCombo {
 public:
  // Rows: the texts of each row, one a column; the first column is the lookup column.
  explicit TQtReferenceTableCombo(const std::vector<std::vector<String>>& Rows);
  ~TQtReferenceTableCombo();
  // Fills the model, selects Row, opens the popup with its columns sized to their contents,
  // closes it and looks up Typed as typed into the editable combo; returns the row found.
  int Round(int Row, const String& Typed);

 private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
};
