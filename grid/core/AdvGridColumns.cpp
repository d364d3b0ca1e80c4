// Hidden columns: the visibility table by real column, hiding and showing, and the two index
// mappings. A hidden column keeps its cells at its real index in the store; only ColCount and the
// widths of the displayed columns change.
#include <algorithm>

#include "grid/core/AdvGrid.h"

bool TAdvStringGrid::VisibleColEntry(int RCol) const {
  // Outside the table every column counts as visible.
  if (RCol < 0 || RCol >= kVisibleColEntries) return true;
  return FVisibleCol[static_cast<size_t>(RCol)];
}

void TAdvStringGrid::SetVisibleColEntry(int RCol, bool Value) {
  if (RCol < 0 || RCol >= kVisibleColEntries) return;
  FVisibleCol[static_cast<size_t>(RCol)] = Value;
}

bool TAdvStringGrid::IsHiddenColumn(int RCol) const {
  if (RCol < 0 || RCol >= kMappedCols) return false;
  return !VisibleColEntry(RCol);
}

int TAdvStringGrid::TotalColCount() const { return ColCount() + FNumHidden; }

void TAdvStringGrid::HideColumns(int FromRCol, int ToRCol) {
  HideInplaceEdit();
  // Only columns the mappings know can be hidden.
  int from = std::max(FromRCol, 0);
  int to = std::min(ToRCol, kMappedCols - 1);
  for (int c = from; c <= to; ++c) {
    if (!VisibleColEntry(c) || c >= ColCount() + FNumHidden || ColCount() <= 1) continue;
    int d = DisplColIndex(c);
    FAllColWidths[static_cast<size_t>(c)] = static_cast<int16_t>(ColWidths(d));
    for (int k = d; k <= ColCount() - 2; ++k) SetColWidths(k, ColWidths(k + 1));
    ++FNumHidden;
    SetVisibleColEntry(c, false);
    if (Col() + 1 == ColCount()) SetCol(Col() - 1);
    SetColCount(ColCount() - 1);
  }
  Invalidate();
}

void TAdvStringGrid::UnHideColumns(int FromRCol, int ToRCol) {
  HideInplaceEdit();
  int from = std::max(FromRCol, 0);
  int to = std::min(ToRCol, kMappedCols - 1);
  for (int c = from; c <= to && FNumHidden > 0; ++c) {
    if (VisibleColEntry(c)) continue;
    --FNumHidden;
    SetVisibleColEntry(c, true);
    SetColCount(ColCount() + 1);
    int d = DisplColIndex(c);
    for (int k = ColCount() - 1; k >= d + 1; --k) SetColWidths(k, ColWidths(k - 1));
    SetColWidths(d, FAllColWidths[static_cast<size_t>(c)]);
  }
  Invalidate();
}

void TAdvStringGrid::UnHideColumnsAll() { UnHideColumns(0, ColCount() + NumHiddenColumns()); }

int TAdvStringGrid::DisplToRealCol(int DCol) const {
  if (DCol >= kMappedCols || FNumHidden == 0 || DCol < 0) return DCol;
  int i = 0;
  for (int j = 0; j < kMappedCols; ++j) {
    if (!VisibleColEntry(j)) continue;
    if (i == DCol) return j;
    ++i;
  }
  return 0;
}

int TAdvStringGrid::RealToDisplCol(int RCol) const {
  if (RCol >= kMappedCols || FNumHidden == 0) return RCol;
  int hidden = 0;
  for (int j = 0; j < RCol; ++j)
    if (!VisibleColEntry(j)) ++hidden;
  return RCol - hidden;
}

int TAdvStringGrid::GetAllColWidths(int RCol) const {
  if (IsHiddenColumn(RCol)) return FAllColWidths[static_cast<size_t>(RCol)];
  return ColWidths(RealToDisplCol(RCol));
}

void TAdvStringGrid::SetAllColWidths(int RCol, int Value) {
  if (RCol >= 0 && RCol < kVisibleColEntries) FAllColWidths[static_cast<size_t>(RCol)] = static_cast<int16_t>(Value);
  if (!IsHiddenColumn(RCol)) SetColWidths(RealToDisplCol(RCol), Value);
}

bool TAdvStringGrid::IsIgnoredColumn(int ACol) const { return FIgnoreColumns->HasValue(ACol); }
