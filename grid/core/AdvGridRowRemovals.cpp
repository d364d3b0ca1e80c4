// Bulk removals and hidings driven by check boxes, duplicate texts and the selection.
#include <algorithm>
#include <vector>

#include "grid/core/AdvGrid.h"

namespace {

// One update bracket around a bulk change, also when an exception passes.
class TUpdateBracket {
 public:
  explicit TUpdateBracket(int& Count) : FCount(Count) { ++Count; }
  ~TUpdateBracket() { --FCount; }
  TUpdateBracket(const TUpdateBracket&) = delete;
  TUpdateBracket& operator=(const TUpdateBracket&) = delete;

 private:
  int& FCount;
};

}  // namespace

bool TAdvStringGrid::RowSelectedForBulk(int DRow) {
  return GetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(DRow) : DRow);
}

void TAdvStringGrid::RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked) {
  TUpdateBracket bracket(FUpdateCount);
  for (int r = RowCount() - 1; r >= FixedRows(); --r)
    if (IsChecked(CheckBoxColumn, r) == RemoveChecked) RemoveRows(r, 1);
}

void TAdvStringGrid::RemoveDuplicates(int ACol, bool DoCase) {
  // With DoCase texts that differ in letter case are different texts.
  const int c = RealColIndex(ACol);
  TUpdateBracket bracket(FUpdateCount);
  std::vector<String> seen;
  int r = FixedRows();
  while (r < RowCount() - FFixedFooters) {
    const String s = DoCase ? GetCellEx(c, r) : AnsiUpperCase(GetCellEx(c, r));
    if (std::find(seen.begin(), seen.end(), s) == seen.end()) {
      seen.push_back(s);
      ++r;
    } else {
      RemoveRowsWithObjects(r, 1);
    }
  }
}

void TAdvStringGrid::RemoveSelectedRows() {
  TUpdateBracket bracket(FUpdateCount);
  if (FMouseActions->DisjunctRowSelect()) {
    std::vector<int> rows;
    for (int r = RowCount() - FFixedFooters - 1; r >= FixedRows(); --r)
      if (RowSelectedForBulk(r)) rows.push_back(r);
    for (int r : rows) RemoveRowsWithObjects(r, 1);  // bottom up: the rows above keep their index
    ClearRowSelect();
    return;
  }
  const TGridRect s = Selection();
  const int top = std::min(s.Top, s.Bottom), bottom = std::max(s.Top, s.Bottom);
  for (int r = bottom; r >= top; --r) RemoveRowsWithObjects(r, 1);
}

void TAdvStringGrid::RemoveUnSelectedRows() {
  {
    TUpdateBracket bracket(FUpdateCount);
    for (int r = RowCount() - FFixedFooters - 1; r >= FixedRows(); --r)
      if (!RowSelectedForBulk(r)) RemoveRowsWithObjects(r, 1);
  }
  if (FMouseActions->RowSelectPersistent())
    SelectRows(FixedRows(), RowCount() - FFixedFooters - FixedRows());
  else
    ClearRowSelect();
}

void TAdvStringGrid::RemoveSelectedCols() {
  if (FMouseActions->DisjunctColSelect()) {
    for (int c = ColCount() - 1; c >= FixedCols(); --c) {
      if (!GetColSelect(c)) continue;
      RemoveCols(c, 1);
      if (c < FColSelect->Count()) FColSelect->Delete(c);
    }
    return;
  }
  const TGridRect s = Selection();
  const int l = std::min(s.Left, s.Right), r = std::max(s.Left, s.Right);
  RemoveCols(l, r - l + 1);
}

void TAdvStringGrid::RemoveUnSelectedCols() {
  if (FMouseActions->DisjunctColSelect()) {
    for (int c = ColCount() - 1; c >= FixedCols(); --c) {
      if (GetColSelect(c)) continue;
      RemoveCols(c, 1);
      if (c < FColSelect->Count()) FColSelect->Delete(c);
    }
  } else {
    const TGridRect s = Selection();
    const int l = std::min(s.Left, s.Right), r = std::max(s.Left, s.Right);
    if (r + 1 < ColCount()) RemoveCols(r + 1, ColCount() - r - 1);
    if (l > FixedCols()) RemoveCols(FixedCols(), l - FixedCols());
  }
  ClearColSelect();
}

void TAdvStringGrid::HideSelectedRows() {
  TUpdateBracket bracket(FUpdateCount);
  for (int r = RowCount() - 1; r >= FixedRows(); --r)
    if (RowSelectedForBulk(r)) HideRow(RealRowIndex(r));
}

void TAdvStringGrid::HideUnSelectedRows() {
  TUpdateBracket bracket(FUpdateCount);
  int r = FixedRows();
  while (r < RowCount()) {
    if (RowSelectedForBulk(r)) {
      ++r;
      continue;
    }
    const int before = RowCount();
    HideRow(RealRowIndex(r));
    if (RowCount() == before) ++r;  // nothing hidden: move on rather than loop
  }
}
