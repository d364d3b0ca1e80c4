#pragma once
// A QComboBox given the work of the grid's combo editor in a benchmark, so the editor can be
// measured against it in the same run without Qt headers outside the platform.
#include <memory>
#include <vector>

#include "platform/UString.h"

class TQtReferenceCombo {
 public:
  // A shown window holding a hidden combo; Items fill it on every round, Cells name the item of
  // each row.
  TQtReferenceCombo(const std::vector<String>& Items, const std::vector<String>& Cells);
  ~TQtReferenceCombo();
  // Fills the combo, selects the item of Cells[Row], places it over the row (as the grid's editor
  // is placed, with room for eight list lines), shows and focuses it, then hides it; returns the
  // item it showed.
  int Round(int Row);

 private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
};
