// Range operations: clearing texts and cell objects of rectangles, rows, columns, the selection
// and the whole grid; trimming; colouring; merging runs of equal texts and splitting merges;
// joining two columns; finding a cell by its text.
#include <algorithm>

#include "grid/core/AdvGrid.h"

// =============================================================================================
// Clearing

void TAdvStringGrid::ClearStoreCell(int RCol, int DRow) {
  if (!ClearTextOnly) {
    if (TCellProperties* p = AsCellProperties(GetGridObject(RCol, DRow))) {
      if (FNilObjects) {
        SetGridCell(RCol, DRow, String());
        SetGridObject(RCol, DRow, nullptr);
      } else {
        FreeCellPropertiesRange(RCol, DRow, RCol, DRow);
        (void)p;
      }
    }
  }
  if (!FDestroying && !GetGridCell(RCol, DRow).empty()) SetCellEx(RCol, DRow, String());
}

void TAdvStringGrid::ClearRealRect(int RCol1, int DRow1, int RCol2, int DRow2) {
  for (int r = std::max(DRow1, 0); r <= DRow2; ++r)
    for (int c = std::max(RCol1, 0); c <= RCol2; ++c) ClearStoreCell(c, r);
}

void TAdvStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2) {
  for (int r = std::max(ARow1, 0); r <= ARow2; ++r) {
    for (int c = std::max(ACol1, 0); c <= ACol2; ++c) {
      const int a = SaveHiddenCells ? RealColIndex(c) : c;
      ClearStoreCell(a, r);
      if (!FDestroying && a != c) RepaintCell(c, r);
    }
  }
  if (ACol1 == 0 && ARow1 == 0 && ACol2 >= ColCount() - 1 && ARow2 >= RowCount() - 1) SetHasCellProps(false);
  if (!FDestroying && !FBlockCellChange)
    CellsChanged(Rect(RealColIndex(ACol1), ARow1, RealColIndex(ACol2), ARow2));
}

void TAdvStringGrid::ClearRows(int RowIndex, int RCount) {
  if (RowCount() > 0 && ColCount() > 0 && RCount > 0)
    ClearRect(0, RowIndex, ColCount() + NumHiddenColumns() - 1, RowIndex + RCount - 1);
}

void TAdvStringGrid::ClearCols(int ColIndex, int CCount) {
  if (RowCount() > 0 && ColCount() > 0 && CCount > 0) ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TAdvStringGrid::ClearNormalCols(int ColIndex, int CCount) {
  if (RowCount() > 0 && ColCount() > 0 && CCount > 0)
    ClearRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - FFixedFooters - 1);
}

void TAdvStringGrid::ClearNormalRows(int RowIndex, int RCount) {
  ClearRect(FixedCols(), RowIndex, ColCount() + NumHiddenColumns() - FFixedRightCols - 1, RowIndex + RCount - 1);
}

void TAdvStringGrid::ClearNormalCells() {
  if (FixedCols() == 0 && NumNodes() > 0) RemoveAllNodes();
  if (RowCount() > 0 && ColCount() > 0)
    ClearRect(FixedCols(), FixedRows(), ColCount() + NumHiddenColumns() - FFixedRightCols - 1,
              RowCount() - FFixedFooters - 1);
}

void TAdvStringGrid::Clear() {
  // Nodes first: their spans and contracted rows would otherwise outlive the cleared cells.
  if (!FDestroying && NumNodes() > 0) RemoveAllNodes();
  if (RowCount() > 0 && ColCount() > 0) ClearRect(0, 0, ColCount() + NumHiddenColumns() - 1, RowCount() - 1);
  if (NumHiddenColumns() > 0) Invalidate();
}

void TAdvStringGrid::ClearAll() {
  Clear();
  for (int i = 0; i < FGridItems->Count(); ++i) static_cast<TGridItem*>(FGridItems->Items(i))->Items()->Clear();
}

void TAdvStringGrid::ClearSelection() {
  if (FMouseActions->DisjunctRowSelect()) {
    for (int r = FixedRows(); r < RowCount(); ++r) {
      const int key = FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r;
      if (GetRowSelect(key)) ClearRows(r, 1);
    }
  } else if (FMouseActions->DisjunctColSelect()) {
    for (int c = FixedCols(); c < ColCount(); ++c)
      if (GetColSelect(c)) ClearCols(c, 1);
  } else {
    const TGridRect s = Selection();
    ClearRect(s.Left, s.Top, s.Right, s.Bottom);
  }
}

// =============================================================================================
// Trimming and colouring

void TAdvStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2) {
  for (int r = std::max(ARow1, 0); r <= ARow2; ++r) {
    for (int c = std::max(ACol1, 0); c <= ACol2; ++c) {
      const int a = SaveHiddenCells ? RealColIndex(c) : c;
      const String s = GetGridCell(a, r);
      const String t = Trim(s);
      if (t != s) SetCellEx(a, r, t);
    }
  }
}

void TAdvStringGrid::TrimColumn(int ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }
void TAdvStringGrid::TrimRow(int ARow) { TrimRect(0, ARow, ColCount() - 1, ARow); }
void TAdvStringGrid::TrimAll() { TrimRect(0, 0, ColCount() - 1, RowCount() - 1); }

void TAdvStringGrid::ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor) {
  for (int r = ARow1; r <= ARow2; ++r)
    for (int c = ACol1; c <= ACol2; ++c) SetColors(c, r, AColor);
}

// =============================================================================================
// Merging and splitting

void TAdvStringGrid::MergeColumnCells(int ColIndex, bool MainMerge) {
  const int last = RowCount() - FFixedFooters - 1;
  int first = FixedRows(), len = 1;
  for (int r = FixedRows() + 1; r <= last; ++r) {
    if (GetGridCell(ColIndex, r) == GetGridCell(ColIndex, r - 1) && (MainMerge || RowSpanIdentical(r, r - 1))) {
      ++len;
      continue;
    }
    if (len > 1) MergeCells(ColIndex, first, 1, len);
    first = r;
    len = 1;
  }
  if (len > 1 && first <= last) MergeCells(ColIndex, first, 1, len);
}

void TAdvStringGrid::MergeRowCells(int RowIndex, bool MainMerge) {
  const int last = ColCount() - FFixedRightCols - 1;
  int first = FixedCols(), count = 0;
  for (int c = FixedCols() + 1; c <= last; ++c) {
    ++count;
    if (GetGridCell(c, RowIndex) != GetGridCell(c - 1, RowIndex) || (!MainMerge && !ColSpanIdentical(c, c - 1))) {
      MergeCells(first, RowIndex, count, 1);
      first = c;
      count = 0;
    }
  }
  if (count > 0) MergeCells(first, RowIndex, count + 1, 1);
}

void TAdvStringGrid::MergeCols(int ColIndex1, int ColIndex2, const String& Separator) {
  for (int r = FixedRows(); r < RowCount(); ++r)
    SetCellEx(ColIndex1, r, Trim(GetGridCell(ColIndex1, r) + Separator + GetGridCell(ColIndex2, r)));
  RemoveCols(ColIndex2, 1);
}

void TAdvStringGrid::SplitColumnCells(int ColIndex) {
  int r = 0;
  while (r < RowCount() - FFixedFooters - 1) {
    if (IsYMergedCell(ColIndex, r)) {
      const int span = CellSpan(ColIndex, r).Y;
      SplitCells(ColIndex, r);
      r += std::max(span, 0) + 1;
    } else {
      ++r;
    }
  }
}

void TAdvStringGrid::SplitRowCells(int RowIndex) {
  int c = 0;
  while (c < ColCount() - FFixedRightCols - 1) {
    if (IsMergedCell(c, RowIndex) && CellSpan(c, RowIndex).X >= 0) {
      const int span = CellSpan(c, RowIndex).X;
      SplitCells(c, RowIndex);
      c += span + 1;
    } else {
      ++c;
    }
  }
}

void TAdvStringGrid::SplitAllCells() {
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c)
      if (IsMergedCell(c, r) && !IsMergedNonBaseCell(c, r)) SplitCells(c, r);
}

void TAdvStringGrid::MergedColumnsChanged() {
  for (int c = 0; c < ColCount(); ++c) SplitColumnCells(RealColIndex(c));
  for (int i = 0; i < FMergedColumns->Count(); ++i) MergeColumnCells(FMergedColumns->Items(i), i == 0);
}

bool TAdvStringGrid::IsCell(const String& SubStr, int& ACol, int& ARow) {
  for (int r = 0; r < RowCount(); ++r) {
    for (int c = 0; c < ColCount(); ++c) {
      if (GetGridCell(c, r) != SubStr) continue;
      ACol = c;
      ARow = r;
      return true;
    }
  }
  return false;
}
