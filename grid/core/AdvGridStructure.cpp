// Row and column structure: inserting and removing rows and columns with everything that travels
// with a row (cells and their objects, height, row marks, cell controls, the hidden-row records
// behind it), and the parked selection while no normal row exists.
#include <algorithm>
#include <vector>

#include "grid/core/AdvGrid.h"

namespace {

// Sets a value for a scope and gives the old one back, also when an exception passes.
template <class T>
class TScopedValue {
 public:
  TScopedValue(T& Ref, T During) : FRef(Ref), FWas(Ref) { Ref = During; }
  ~TScopedValue() { FRef = FWas; }
  TScopedValue(const TScopedValue&) = delete;
  TScopedValue& operator=(const TScopedValue&) = delete;

 private:
  T& FRef;
  T FWas;
};

// How many of the ascending Removed lie below RRow.
int RemovedBelow(const std::vector<int>& Removed, int RRow) {
  return static_cast<int>(std::lower_bound(Removed.begin(), Removed.end(), RRow) - Removed.begin());
}

}  // namespace

// =============================================================================================
// Store rows

void TAdvStringGrid::MoveStoreRow(int FromRow, int ToRow, bool WithHeight) {
  const int n = TotalColCount();
  CopyRowCells(FromRow, ToRow, n);
  if (HasCellProps()) {
    for (int c = 0; c < n; ++c)
      if (TCellProperties* p = AsCellProperties(GetGridObject(c, ToRow))) p->SetOwnerRow(ToRow);
  }
  if (WithHeight && FromRow < RowCount() && ToRow < RowCount()) SetRowHeights(ToRow, RowHeights(FromRow));
}

void TAdvStringGrid::SetPropsOwnerRows(int FromDRow, int ToDRow) {
  if (!HasCellProps()) return;
  const int n = TotalColCount();
  for (int r = FromDRow; r <= ToDRow; ++r)
    for (int c = 0; c < n; ++c)
      if (TCellProperties* p = AsCellProperties(GetGridObject(c, r))) p->SetOwnerRow(r);
}

void TAdvStringGrid::ShiftStoreRows(int Lo, int Hi, int Delta, bool WithHeights) {
  if (Delta == 0 || Hi <= Lo) return;
  if (WithHeights) {
    // In the order a row-by-row move takes, so that no height is read after it was overwritten.
    const int rows = RowCount();
    auto move = [&](int from, int to) {
      if (from < rows && to < rows && RowHeights(to) != RowHeights(from)) SetRowHeights(to, RowHeights(from));
    };
    if (Delta < 0) {
      for (int r = Lo; r < Hi + Delta; ++r) move(r - Delta, r);
    } else {
      for (int r = Hi - 1; r >= Lo + Delta; --r) move(r - Delta, r);
    }
  }
  ShiftRowCells(Lo, Hi, Delta, TotalColCount());
  if (Delta < 0) {
    SetPropsOwnerRows(Lo, Hi + Delta - 1);
  } else {
    SetPropsOwnerRows(Lo + Delta, Hi - 1);
  }
}

void TAdvStringGrid::MoveStoreRowCells(int FromRow, int ToRow) {
  MoveRowCells(FromRow, ToRow, TotalColCount());
  SetPropsOwnerRows(ToRow, ToRow);
}

void TAdvStringGrid::EmptyStoreRow(int DRow) {
  // The objects now belong to the row the cells moved to (or to a record): detached, never freed.
  TakeRowCells(DRow, TotalColCount());
}

std::vector<int> TAdvStringGrid::RealRowsOf(int DRow, int Count) const {
  std::vector<int> out;
  out.reserve(static_cast<size_t>(std::max(Count, 0)));
  if (NumHiddenRows() == 0) {
    for (int k = 0; k < Count; ++k) out.push_back(DRow + k);
    return out;
  }
  std::vector<int> hidden = HiddenRowIdxs();
  int r = RealRowIndex(DRow);
  while (static_cast<int>(out.size()) < Count) {
    if (!std::binary_search(hidden.begin(), hidden.end(), r)) out.push_back(r);
    ++r;
  }
  return out;
}

std::vector<int> TAdvStringGrid::HiddenRowIdxs() const {
  std::vector<int> v;
  v.reserve(static_cast<size_t>(NumHiddenRows()));
  for (int i = 0; i < FGridItems->Count(); ++i) v.push_back(static_cast<TGridItem*>(FGridItems->Items(i))->Idx());
  std::sort(v.begin(), v.end());
  return v;
}

void TAdvStringGrid::ShiftRecordsAfterRemoval(const std::vector<int>& RemovedReal) {
  // Each record moves up by the removed rows before it, not by the whole block: a record lying
  // between two removed rows would otherwise land on another row's index.
  for (int i = 0; i < FGridItems->Count(); ++i) {
    auto* item = static_cast<TGridItem*>(FGridItems->Items(i));
    item->SetIdx(item->Idx() - RemovedBelow(RemovedReal, item->Idx()));
  }
}

void TAdvStringGrid::ShiftControlsAfterRemoval(const std::vector<int>& RemovedReal) {
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem* it = FControlList->GetControl(i);
    if (std::binary_search(RemovedReal.begin(), RemovedReal.end(), it->Y)) continue;
    it->Y -= RemovedBelow(RemovedReal, it->Y);
  }
}

void TAdvStringGrid::RepositionCellControls() {
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem* it = FControlList->GetControl(i);
    if (!it->Control || IsHiddenRow(it->Y) || IsHiddenColumn(it->X)) continue;
    const int d = DisplRowIndex(it->Y);
    if (d < 0 || d >= RowCount()) continue;
    TRect r = CellRect(DisplColIndex(it->X), d);
    it->Control->SetBounds(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
  }
}

void TAdvStringGrid::UpdateEditMode() { CanSelectCell(Col(), Row()); }

// =============================================================================================
// Rows

void TAdvStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls) {
  if (RCount <= 0 || RowIndex < 0 || RowIndex > RowCount()) return;
  const int lastW = ColWidths(ColCount() - 1);
  if (FSelHidden || Col() >= ColCount() || Row() >= RowCount()) UnHideSelection();
  SetRowCount(RowCount() + RCount);
  int last = RowCount() - 1;
  if (FFloatingFooter->Visible()) --last;
  // One block move: the rows from RowIndex down by RCount, the new rows left empty.
  if (last >= RowIndex) ShiftStoreRows(RowIndex, last + 1, RCount, true);
  for (int r = RowIndex; r < RowIndex + RCount && r < RowCount(); ++r) {
    if (RowHeights(r) != DefaultRowHeight()) SetRowHeights(r, DefaultRowHeight());
    if (r > last) EmptyStoreRow(r);
  }
  for (int k = 0; k < RCount; ++k) {
    if (FShowModified->Enabled() && RowIndex < FModifiedRows->Count()) FModifiedRows->Insert(RowIndex, 0);
    if (FUseEnabledRows && RowIndex < FEnabledRows->Count()) FEnabledRows->Insert(RowIndex, 0);
  }
  SetColWidths(ColCount() - 1, lastW);
  if (UpdateCellControls && FControlList->Count() > 0) {
    const int rr = RealRowIndex(RowIndex);
    for (int i = 0; i < FControlList->Count(); ++i)
      if (FControlList->GetControl(i)->Y >= rr) FControlList->GetControl(i)->Y += RCount;
    RepositionCellControls();
  }
  if (!FDestroying) CellsChanged(Rect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TAdvStringGrid::AddRow() {
  if (FFloatingFooter->Visible()) {
    InsertRows(RowCount() - 1, 1, true);
    if (FFloatingFooter->FooterStyle() == fsFixedLastRow) ClearRows(RowCount() - 2, 1);
    return;
  }
  InsertRows(RowCount(), 1, true);
  ClearRows(RowCount() - 1, 1);
}

void TAdvStringGrid::CutRows(int DRow, int Count, const TCutRows& How) {
  // Only rows that exist are cut: the count is cut to them (also for the maximal row count).
  if (Count <= 0 || DRow < 0 || DRow >= RowCount()) return;
  Count = std::min(Count, RowCount() - DRow);
  const std::vector<int> removed = RealRowsOf(DRow, Count);
  if (How.MoveControls && FControlList->Count() > 0) ShiftControlsAfterRemoval(removed);
  if (How.DropControls && FControlList->Count() > 0) {
    for (int i = FControlList->Count() - 1; i >= 0; --i) {
      TControlItem* it = FControlList->GetControl(i);
      if (!std::binary_search(removed.begin(), removed.end(), it->Y)) continue;
      if (it->Control) it->Control->Hide();
      FControlList->RemoveControl(i);
      --FNumCellControls;
    }
  }
  if (How.FreeObjects) FreeCellPropertiesRange(0, DRow, TotalColCount() - 1, DRow + Count - 1);
  const int lastW = ColWidths(ColCount() - 1);
  TScopedValue<bool> entered(FEntered, false);
  if (How.Validate) UpdateEditMode();
  const int oldTop = TopRow(), oldRow = Row();
  const bool footer = FFloatingFooter->Visible();
  const int footers = FFixedFooters;
  if (footer) FFloatingFooter->SetVisible(false);
  if (How.AdjustRecords && NumHiddenRows() > 0) ShiftRecordsAfterRemoval(removed);
  for (int k = 0; k < Count; ++k) {
    if (FShowModified->Enabled() && DRow < FModifiedRows->Count()) FModifiedRows->Delete(DRow);
    if (FUseEnabledRows && DRow < FEnabledRows->Count()) FEnabledRows->Delete(DRow);
    if (FMouseActions->DisjunctRowSelect() && DRow < FRowSelect->Count()) FRowSelect->Delete(DRow);
  }
  // One block move: the rows below the cut up by Count, the rows left at the end emptied.
  ShiftStoreRows(DRow, RowCount(), -Count, How.MoveHeights);
  SetRowCount(RowCount() - Count);
  FMaxRowCount = std::max(FMaxRowCount - Count, RowCount());
  if (oldRow < RowCount() - FFixedFooters) {
    if (!FMouseActions->DisjunctRowSelect()) SetRow(oldRow);
    SetTopRow(oldTop);
  } else if (RowCount() - FFixedFooters > FixedRows()) {
    SetRow(RowCount() - FFixedFooters - 1);
  } else {
    HideSelection();
  }
  SetColWidths(ColCount() - 1, lastW);
  if (footer) FFloatingFooter->SetVisible(true);
  FFixedFooters = footers;
  if (!FDestroying) CellsChanged(Rect(0, DRow, ColCount() - 1, DRow + Count));
  if (FControlList->Count() > 0) RepositionCellControls();
}

void TAdvStringGrid::RemoveRows(int RowIndex, int RCount) {
  TCutRows how;
  how.FreeObjects = true;
  how.MoveControls = true;
  how.Validate = true;
  CutRows(RowIndex, RCount, how);
}

void TAdvStringGrid::RemoveRowsEx(int RowIndex, int RCount) {
  TCutRows how;
  how.MoveHeights = false;
  CutRows(RowIndex, RCount, how);
}

void TAdvStringGrid::DeleteRowsCore(int ARow, int Count, bool Adjust) {
  TCutRows how;
  how.AdjustRecords = Adjust;
  how.DropControls = Adjust;
  CutRows(ARow, Count, how);
}

void TAdvStringGrid::RemoveRowsWithObjects(int ARow, int Count) {
  if (Count <= 0 || ARow < 0 || ARow >= RowCount()) return;
  // Hidden columns too: their objects would otherwise stay with the grid until it is freed.
  FreeCellPropertiesRange(0, ARow, TotalColCount() - 1, std::min(ARow + Count, RowCount()) - 1);
  DeleteRowsCore(ARow, Count, true);
}

// =============================================================================================
// Columns

void TAdvStringGrid::ShiftColumns(int FromRCol, int Delta) {
  // Cells of real columns FromRCol.. move by Delta (the displayed rows and every record).
  const int total = TotalColCount();
  for (int r = 0; r < RowCount(); ++r) {
    if (Delta > 0) {
      for (int c = total - 1; c >= FromRCol + Delta; --c) {
        SetGridCell(c, r, GetGridCell(c - Delta, r));
        SetGridObject(c, r, GetGridObject(c - Delta, r));
        if (TCellProperties* p = AsCellProperties(GetGridObject(c, r))) p->SetOwnerCol(c);
      }
    } else {
      for (int c = FromRCol; c < total; ++c) {
        const bool in = c - Delta < total;
        SetGridCell(c, r, in ? GetGridCell(c - Delta, r) : String());
        SetGridObject(c, r, in ? GetGridObject(c - Delta, r) : nullptr);
        if (TCellProperties* p = AsCellProperties(GetGridObject(c, r))) p->SetOwnerCol(c);
      }
    }
  }
  for (int i = 0; i < FGridItems->Count(); ++i) {
    TStrings* items = static_cast<TGridItem*>(FGridItems->Items(i))->Items();
    if (FromRCol >= items->Count()) continue;
    for (int k = 0; k < Delta; ++k) items->Insert(FromRCol, String());
    for (int k = 0; k < -Delta && FromRCol < items->Count(); ++k) items->Delete(FromRCol);
  }
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem* it = FControlList->GetControl(i);
    if (it->X >= FromRCol) it->X += Delta;
  }
}

void TAdvStringGrid::InsertCols(int ColIndex, int CCount) {
  if (CCount <= 0 || ColIndex < 0) return;
  const int oldTotal = TotalColCount();
  std::vector<int> widths(static_cast<size_t>(oldTotal));
  std::vector<bool> visible(static_cast<size_t>(oldTotal));
  for (int c = 0; c < oldTotal; ++c) {
    widths[static_cast<size_t>(c)] = GetAllColWidths(c);
    visible[static_cast<size_t>(c)] = VisibleColEntry(c);
  }
  SetColCount(ColCount() + CCount);
  ShiftColumns(ColIndex, CCount);
  for (int c = 0; c < TotalColCount(); ++c) {
    const int from = c < ColIndex ? c : c - CCount;
    const bool isNew = c >= ColIndex && c < ColIndex + CCount;
    const bool vis = isNew || from >= oldTotal ? true : visible[static_cast<size_t>(from)];
    SetVisibleColEntry(c, vis);
  }
  for (int c = 0; c < TotalColCount(); ++c) {
    const int from = c < ColIndex ? c : c - CCount;
    const bool isNew = c >= ColIndex && c < ColIndex + CCount;
    if (!isNew && from >= oldTotal) continue;
    SetAllColWidths(c, isNew ? DefaultColWidth() : widths[static_cast<size_t>(from)]);
  }
  for (int r = 0; r < RowCount(); ++r)
    for (int c = ColIndex; c < ColIndex + CCount; ++c) {
      SetGridObject(c, r, nullptr);
      SetGridCell(c, r, String());
    }
}

void TAdvStringGrid::AddColumn() { InsertCols(ColCount(), 1); }

void TAdvStringGrid::RemoveCols(int ColIndex, int CCount) {
  if (ColIndex < 0) return;
  const int oldTotal = TotalColCount();
  CCount = std::min(CCount, oldTotal - ColIndex);
  if (CCount <= 0) return;
  ClearRealRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
  std::vector<int> widths(static_cast<size_t>(oldTotal));
  std::vector<bool> visible(static_cast<size_t>(oldTotal));
  int hidden = 0;
  for (int c = 0; c < oldTotal; ++c) {
    widths[static_cast<size_t>(c)] = GetAllColWidths(c);
    visible[static_cast<size_t>(c)] = VisibleColEntry(c);
    if (c >= ColIndex && c < ColIndex + CCount && !VisibleColEntry(c)) ++hidden;
  }
  ShiftColumns(ColIndex, -CCount);
  // The hidden ones removed leave the hidden count, the shown ones the column count: no phantom.
  for (int c = ColIndex; c < oldTotal; ++c)
    SetVisibleColEntry(c, c + CCount < oldTotal ? visible[static_cast<size_t>(c + CCount)] : true);
  FNumHidden -= hidden;
  SetColCount(ColCount() - (CCount - hidden));
  for (int c = ColIndex; c < TotalColCount(); ++c) SetAllColWidths(c, widths[static_cast<size_t>(c + CCount)]);
  CellsChanged(Rect(ColIndex, 0, ColIndex + CCount, RowCount() - 1));
}
