// The header lists: ColumnHeaders fill the first row, RowHeaders the first column. A "\n" in a
// line is a line break in the cell. Also the hooks asked for a column's new width.
#include "grid/core/AdvGrid.h"
#include "grid/foundation/ZazAdez.h"

void TAdvStringGrid::SetColumnHeaders(TStrings* Value) {
  // The list's change notification shows the new headers; the old ones are cleared first so
  // that a shorter list leaves no stale header behind.
  if (TCustomGrid::FixedRows() > 0) ClearColumnHeaders();
  FColumnHeaders->Assign(Value);
  ShowColumnHeaders();
}

void TAdvStringGrid::ShowColumnHeaders() {
  if (TCustomGrid::FixedRows() < 1) return;
  for (int i = 0; i < FColumnHeaders->Count() && i < TotalColCount(); ++i)
    SetCellEx(i, 0, UnescapeNewlines(FColumnHeaders->Strings(i)));
}

void TAdvStringGrid::ClearColumnHeaders() {
  for (int i = 0; i < ColCount(); ++i) SetCellEx(i, 0, String());
}

void TAdvStringGrid::SetRowHeaders(TStrings* Value) {
  if (Designing() && TCustomGrid::FixedCols() > 0) ClearRowHeaders();
  FRowHeaders->Assign(Value);
  ShowRowHeaders();
}

void TAdvStringGrid::ShowRowHeaders() {
  if (TCustomGrid::FixedCols() < 1) return;
  for (int j = 0; j < FRowHeaders->Count() && j < RowCount(); ++j)
    SetCellEx(0, j, UnescapeNewlines(FRowHeaders->Strings(j)));
}

void TAdvStringGrid::ClearRowHeaders() {
  for (int j = 0; j < RowCount(); ++j) SetCellEx(0, j, String());
}

void TAdvStringGrid::ColumnHeadersChanged() {}

void TAdvStringGrid::DoUpdateAutoColumnSize(int ACol, int& AWidth) {
  if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}
