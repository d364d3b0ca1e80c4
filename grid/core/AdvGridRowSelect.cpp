// The disjunct row-selection flags: one pointer-sized item per row (0 or 1), grown on demand.
#include <algorithm>
#include <cstdlib>

#include "grid/core/AdvGrid.h"

bool TAdvStringGrid::GetRowSelect(int ARow) {
  if ((ARow < 0 || ARow >= RowCount() + NumHiddenRows()) && !FMouseActions->RowSelectPersistent())
    throw EAdvGridError(u"Invalid row " + IntToStr(ARow) + u" accessed");
  if (FMouseActions->DisjunctRowSelect()) {
    // Reading grows nothing: a persistent index may be negative or far beyond the rows.
    return ARow >= 0 && ARow < FRowSelect->Count() && FRowSelect->Items(ARow) != nullptr;
  }
  const TGridRect s = Selection();
  return s.Top <= ARow && ARow <= s.Bottom;
}

void TAdvStringGrid::SetRowSelect(int ARow, bool Value) {
  if (ARow < 0 || (ARow >= RowCount() + NumHiddenRows() && RowCount() > FixedRows()))
    throw EAdvGridError(u"Invalid row accessed");
  const bool known = ARow < FRowSelect->Count();
  const bool was = known && FRowSelect->Items(ARow) != nullptr;
  if (!known || was != Value) {
    bool allow = true;
    if (OnRowDisjunctSelect) OnRowDisjunctSelect(this, ARow, Value, allow);
    if (!allow) return;
  }
  while (FRowSelect->Count() <= ARow) FRowSelect->Add(nullptr);
  // A flag is a non-null item; the list holds no pointers to anything.
  static char kSelected;
  if (Value) {
    if (!was) InvalidateRow(ARow);
    FRowSelect->SetItems(ARow, &kSelected);
    if (!FSelectedRows->HasValue(ARow) && ARow >= FixedRows()) FSelectedRows->Add(ARow);
  } else {
    if (was) InvalidateRow(ARow);
    FRowSelect->SetItems(ARow, nullptr);
    FSelectedRows->DeleteValue(ARow);
  }
  if (OnRowDisjunctSelected) OnRowDisjunctSelected(this, ARow);
}

int TAdvStringGrid::RowSelectCount() {
  if (FMouseActions->DisjunctRowSelect()) {
    const int n = std::min(RowCount() + NumHiddenRows(), FRowSelect->Count());
    int count = 0;
    for (int i = 0; i < n; ++i)
      if (FRowSelect->Items(i)) ++count;
    return count;
  }
  const TGridRect s = Selection();
  return std::abs(s.Bottom - s.Top) + 1;
}
