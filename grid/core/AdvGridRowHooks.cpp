// The grid's nodes-aware row insertion and deletion hooks with the Insert and Delete keys that use
// them, and its answer to an in-cell date picker's change notification.
#include "grid/core/AdvGrid.h"

void TAdvStringGrid::DoInsertRow(int ARow) {
  if (!HasNodes()) {
    InsertRows(ARow, 1, true);
    return;
  }
  if (GetParentRow(DisplRowIndex(ARow)) == -1)
    InsertNormalRow(ARow);
  else
    InsertChildRow(ARow, 0);
}

void TAdvStringGrid::DoDeleteRow(int ARow) {
  if (HasNodes()) {
    if (GetParentRow(ARow) == -1)
      RemoveNormalRow(ARow);
    else
      RemoveChildRow(ARow);
  } else if (RowCount() - FixedRows() - FixedFooters() != 1 || FFixedRowAlways) {
    RemoveRowsWithObjects(ARow, 1);
  } else {
    // The only normal row stays, emptied.
    ClearRows(ARow, 1);
  }
  if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}

void TAdvStringGrid::InsertRowByKey(int DRow) {
  bool can = true;
  if (OnCanInsertRow) OnCanInsertRow(this, DRow, can);
  if (!can) return;
  const int real = RealRowIndex(DRow);
  int target = DRow;
  // Rows go in among all rows, the filtered-out ones too.
  const bool filtered = FilterActive();
  SetFilterActive(false);
  if (real < RowCount()) SetRow(real);
  int at = RealRowIndex(Row());
  if (FNavigation->InsertPosition() == pInsertAfter) {
    if (FFixedRowAlways && FixedRows() == RowCount()) {
      target = 1;
    } else if (Row() < RowCount()) {
      at = RealRowIndex(Row() + 1);
      if (at < RowCount()) ++target;
    }
  }
  DoInsertRow(at);
  if (OnAutoInsertRow) OnAutoInsertRow(this, at);
  FGridModified = true;
  SetFilterActive(filtered);
  if (target < RowCount()) SetRow(target);
  CalcFooter(-1);
}

void TAdvStringGrid::DeleteRowByKey(int DRow) {
  if (RowCount() - FFixedFooters - FixedRows() < 1) return;
  const int real = RealRowIndex(DRow);
  bool can = true;
  if (OnCanDeleteRow) OnCanDeleteRow(this, real, can);
  if (!can) return;
  const bool filtered = FilterActive();
  SetFilterActive(false);
  DoDeleteRow(real);
  SetFilterActive(filtered);
  if (FFloatingFooter->Visible() && Row() >= RowCount() - 1 && RowCount() > 1) SetRow(RowCount() - 2);
  SaveOldCell(Col(), Row());
  FGridModified = true;
  CalcFooter(-1);
}

bool TAdvStringGrid::DateTimeNotify(TMessage& Message) {
  const auto* hdr = reinterpret_cast<const TNMHdr*>(Message.LParam);
  if (!hdr || hdr->Code != DTN_DATETIMECHANGE) return false;
  if (OnDateTimeChange) {
    const auto* info = reinterpret_cast<const TNMDateTimeChange*>(Message.LParam);
    const TSystemTime& st = info->St;
    const TDateTime value = st.wYear > 0 && st.wMonth > 0 && st.wDay > 0 ? SystemTimeToDateTime(st) : 0;
    OnDateTimeChange(this, Col(), Row(), value);
  }
  return true;
}
