// The grid's nodes-aware row insertion and deletion hooks, and its answer to an in-cell date
// picker's change notification.
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
