// Selection: the rectangle, the disjunct row, column and cell selections, the per-row modified
// and enabled flags, the repaint operations and the advance to the next cell. Display indices.
#include <algorithm>
#include <cstdint>

#include "grid/core/AdvGrid.h"

namespace {

// A flag is a non-null item; the lists hold no pointers to anything.
char kFlagSet;

bool ListFlag(const TList* List, int Index) {
  return Index >= 0 && Index < List->Count() && List->Items(Index) != nullptr;
}

void GrowList(TList* List, int Count) {
  if (List->Count() < Count) List->SetCount(Count);
}

void GrowIntList(TIntList* List, int Count) {
  while (List->Count() < Count) List->Add(0);
}

}  // namespace

void TAdvStringGrid::SetSelection(const TGridRect& Value) {
  TCustomGrid::SetSelection(Value);
  if (FActiveCellShow) {
    InvalidateRow(0);
    InvalidateCol(0);
  }
  if (FActiveRowShow) RepaintRow(Value.Bottom);
}

void TAdvStringGrid::SelectCells(int FromCol, int FromRow, int ToCol, int ToRow) {
  SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

void TAdvStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow) {
  SetRowEx(ToRow);
  SetCol(ToCol);
  SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

void TAdvStringGrid::FocusCell(int ACol, int ARow) { SetSelection(TGridRect{ACol, ARow, ACol, ARow}); }

void TAdvStringGrid::GotoCell(int ACol, int ARow) {
  SetRowEx(ARow);
  SetCol(ACol);
}

void TAdvStringGrid::EditCell(int ACol, int ARow) {
  if (CanFocus()) SetFocus();
  GotoCell(ACol, ARow);
  ShowEditor();
}

// ---------------------------------------------------------------------------------------------
// Rows and columns

void TAdvStringGrid::SelectRows(int RowIndex, int RCount) {
  if (RowIndex + RCount > RowCount()) RCount = RowCount() - RowIndex;
  if (!FMouseActions->DisjunctRowSelect()) {
    SetSelection(TGridRect{FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
  } else {
    for (int r = RowIndex; r < RowIndex + RCount; ++r) {
      const int idx = FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r;
      if (idx < RowCount()) SetRowSelect(idx, true);
    }
  }
  if (!FRowIndicator->Empty()) RepaintCol(0);
  FSelChange = false;
}

void TAdvStringGrid::UnSelectRows(int RowIndex, int RCount) {
  if (FMouseActions->DisjunctRowSelect()) {
    if (RowIndex + RCount > RowCount()) RCount = RowCount() - RowIndex;
    for (int r = RowIndex; r < RowIndex + RCount; ++r) {
      const int idx = FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r;
      if (idx < RowCount()) SetRowSelect(idx, false);
    }
  }
  FSelChange = false;
}

void TAdvStringGrid::SelectCols(int ColIndex, int CCount) {
  if (!FMouseActions->DisjunctColSelect()) {
    SetSelection(TGridRect{ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - 1});
    return;
  }
  for (int c = ColIndex; c < ColIndex + CCount; ++c)
    if (c < ColCount()) SetColSelect(c, true);
}

void TAdvStringGrid::UnSelectCols(int ColIndex, int CCount) {
  if (!FMouseActions->DisjunctColSelect()) return;
  for (int c = ColIndex; c < ColIndex + CCount; ++c)
    if (c < ColCount()) SetColSelect(c, false);
}

bool TAdvStringGrid::GetColSelect(int ACol) {
  if (ACol < 0 || ACol >= ColCount()) throw EAdvGridError(u"Invalid column accessed");
  // Reading grows nothing: a flag beyond the list is clear.
  return ListFlag(FColSelect.get(), ACol);
}

void TAdvStringGrid::SetColSelect(int ACol, bool Value) {
  if (ACol < 0 || ACol >= ColCount()) throw EAdvGridError(u"Invalid column accessed");
  GrowList(FColSelect.get(), ACol + 1);
  if (ListFlag(FColSelect.get(), ACol) != Value) RepaintCol(ACol);
  FColSelect->SetItems(ACol, Value ? &kFlagSet : nullptr);
}

void TAdvStringGrid::ClearRowSelect() {
  for (int i = 0; i < FRowSelect->Count(); ++i) {
    if (FRowSelect->Items(i)) RepaintRow(i);
    FRowSelect->SetItems(i, nullptr);
  }
  FSelectedRows->Clear();
}

void TAdvStringGrid::ClearColSelect() {
  for (int i = 0; i < FColSelect->Count(); ++i) {
    if (FColSelect->Items(i)) RepaintCol(i);
    FColSelect->SetItems(i, nullptr);
  }
}

int TAdvStringGrid::ColSelectCount() {
  if (FMouseActions->DisjunctColSelect()) {
    int n = 0;
    for (int i = 0; i < FColSelect->Count(); ++i)
      if (FColSelect->Items(i)) ++n;
    return n;
  }
  const TGridRect s = Selection();
  return s.Right - s.Left + 1;
}

void TAdvStringGrid::SelectionToRowSelect(bool AllRows) {
  TGridRect s = Selection();
  if (s.Bottom >= RowCount() - FFixedFooters) s.Bottom = RowCount() - FFixedFooters - 1;
  for (int r = FixedRows(); r < RowCount(); ++r) {
    const bool inside = s.Top <= r && r <= s.Bottom;
    if (AllRows || inside) SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r, inside);
  }
  if (NumHiddenRows() > 0) Invalidate();
}

void TAdvStringGrid::SelectionToColSelect(bool AllCols) {
  const TGridRect s = Selection();
  for (int c = FixedCols(); c < ColCount(); ++c) {
    const bool inside = s.Left <= c && c <= s.Right;
    if (AllCols || inside) SetColSelect(c, inside);
  }
}

bool TAdvStringGrid::IsSelected(int ACol, int ARow) {
  if (ARow < FixedRows() || ACol < FixedCols()) return false;
  if (FMouseActions->DisjunctCellSelect()) {
    const int key = static_cast<int>((static_cast<uint32_t>(ARow) << 16) | (static_cast<uint32_t>(ACol) & 0xFFFF));
    return FSelectedCells->HasValue(key);
  }
  if (FMouseActions->DisjunctRowSelect())
    return GetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
  if (FMouseActions->DisjunctColSelect()) return GetColSelect(ACol);
  const TGridRect s = Selection();
  return s.Left <= ACol && ACol <= s.Right && s.Top <= ARow && ARow <= s.Bottom;
}

String TAdvStringGrid::SelectedText() {
  const TGridRect s = Selection();
  const int firstCol = s.Left, lastCol = s.Right;
  std::vector<int> rows;
  if (FMouseActions->DisjunctRowSelect()) {
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (GetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r)) rows.push_back(r);
  } else {
    for (int r = s.Top; r <= s.Bottom; ++r) rows.push_back(r);
  }
  String out;
  for (size_t k = 0; k < rows.size(); ++k) {
    if (k > 0) out += u"\r\n";
    for (int c = firstCol; c <= lastCol; ++c) {
      if (c > firstCol) out += u'\t';
      String t = GetCellEx(RealColIndex(c), rows[k]);
      if (t.find(u"{\\") != String::npos) t = RichCellPlainText(RealColIndex(c), rows[k]);
      if (Multilinecells && ExcelClipboardFormat && t.find(u'\r') != String::npos) {
        String q;
        for (size_t i = 0; i < t.size(); ++i) {
          if (t[i] == u'\r' && i + 1 < t.size() && t[i + 1] == u'\n') {
            q += Char(11);
            ++i;
          } else {
            q += t[i];
          }
        }
        t = u"\"" + q + u"\"";
      }
      out += t;
    }
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// Modified and enabled rows

bool TAdvStringGrid::GetRowModified(int ARow) const {
  return ARow >= 0 && ARow < FModifiedRows->Count() && FModifiedRows->Items(ARow) == 1;
}

void TAdvStringGrid::SetRowModified(int ARow, bool Value) {
  if (ARow < 0) return;
  GrowIntList(FModifiedRows.get(), ARow + 1);
  FModifiedRows->SetInteger(ARow, Value ? 1 : 0);
  RepaintCell(0, ARow);
}

int TAdvStringGrid::ModifiedRowCount() const {
  int n = 0;
  for (int i = 0; i < FModifiedRows->Count(); ++i)
    if (FModifiedRows->Items(i) == 1) ++n;
  return n;
}

bool TAdvStringGrid::GetRowEnabled(int ARow) const {
  return ARow < 0 || ARow >= FEnabledRows->Count() || FEnabledRows->Items(ARow) == 0;
}

void TAdvStringGrid::SetRowEnabled(int ARow, bool Value) {
  if (ARow < 0) return;
  if (ARow == Row()) {
    for (int r = FixedRows(); r < RowCount(); ++r) {
      if (r != ARow && GetRowEnabled(r)) {
        SetRowEx(r);
        break;
      }
    }
  }
  FUseEnabledRows = true;
  GrowIntList(FEnabledRows.get(), ARow + 1);
  FEnabledRows->SetInteger(ARow, Value ? 0 : 1);
  RepaintRow(ARow);
}

// ---------------------------------------------------------------------------------------------
// Repainting

void TAdvStringGrid::RepaintCell(int DCol, int DRow) {
  if (DRow >= FixedRows() && (DRow < TopRow() || DRow > TopRow() + VisibleRowCount())) return;
  if (DCol >= FixedCols() && (DCol < LeftCol() || DCol > LeftCol() + VisibleColCount())) return;
  TBaseGrid::RepaintCell(DCol, DRow);
}

void TAdvStringGrid::RepaintRow(int DRow) {
  // The partly visible column may lie beyond the last one: stop at the last.
  const TRect a = CellRect(0, DRow);
  const TRect b = CellRect(std::min(LeftCol() + VisibleColCount(), ColCount() - 1), DRow);
  InvalidateClientRect(TRect{a.Left, a.Top, b.Right, b.Bottom});
}

void TAdvStringGrid::RepaintCol(int DCol) {
  const TRect a = CellRect(DCol, TopRow());
  const TRect b = CellRect(DCol, std::min(TopRow() + VisibleRowCount(), RowCount() - 1));
  InvalidateClientRect(TRect{a.Left, a.Top, b.Right, b.Bottom});
}

void TAdvStringGrid::RepaintRect(const TRect& R) {
  if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0) return;
  const TRect a = CellRect(R.Left, R.Top);
  const TRect b = CellRect(std::min(VisibleColCount() + FixedCols(), R.Right), R.Bottom);
  if (a.IsEmpty() || b.IsEmpty()) {
    InvalidateGrid();
    return;
  }
  TRect u;
  UnionRect(u, a, b);
  InvalidateClientRect(u);
}

// ---------------------------------------------------------------------------------------------
// Advancing to the next cell

int TAdvStringGrid::FirstNavigableCol() { return FixedCols() == 0 && HasNodes() ? 1 : FixedCols(); }

void TAdvStringGrid::AppendRow() {
  // New rows go before the fixed footer rows.
  SetRowCount(RowCount() + 1);
  for (int r = RowCount() - 1; r > RowCount() - 1 - FFixedFooters && r > 0; --r) MoveRow(r - 1, r);
}

bool TAdvStringGrid::AdvanceStep(int& ACol, int& ARow, bool Forward, int SpanX, bool& Stop) {
  const TAdvanceDirection dir = FNavigation->AdvanceDirection();
  const int lastRow = RowCount() - 1 - FFixedFooters;
  if (Forward && (dir == adLeftRight || dir == adLeftRightInRow)) {
    int hiddenRight = 0;
    for (int c = ColCount() - FFixedRightCols; c < ColCount(); ++c)
      if (c >= 0 && IsHiddenColumn(RealColIndex(c))) ++hiddenRight;
    const int lastCol = ColCount() - 1 - (FFixedRightCols - hiddenRight);
    if (ACol + SpanX < lastCol) {
      ACol += SpanX + 1;
    } else if (dir == adLeftRightInRow) {
      if (FNavigation->AdvanceOnEnterLoop()) ACol = FirstNavigableCol();
    } else if (ARow == lastRow) {
      if (FNavigation->AdvanceInsert()) {
        bool canAdd = true;
        if (OnCanAddRow) OnCanAddRow(this, canAdd);
        ACol = FirstNavigableCol();
        if (canAdd) {
          AppendRow();
          ++ARow;
          if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
          bool any = false;
          for (int c = FixedCols(); c < ColCount() && !any; ++c) {
            bool can = true;
            CanEditCell(RealColIndex(c), ARow, can);
            any = can;
          }
          if (!any) Stop = true;
        }
      } else if (FNavigation->AdvanceOnEnterLoop()) {
        ARow = FixedRows();
        ACol = FirstNavigableCol();
      }
    } else {
      ++ARow;
      ACol = FirstNavigableCol();
    }
  } else if (Forward) {
    const int lastCol = ColCount() - 1 - FFixedRightCols;
    if (ARow != lastRow) {
      ++ARow;
    } else if (dir == adTopBottomInCol) {
      ARow = FixedRows();
    } else {
      if (ACol != lastCol) {
        ARow = FixedRows();
        ++ACol;
        if (ACol >= ColCount()) ACol = FirstNavigableCol();
      } else if (FNavigation->AdvanceInsert()) {
        SetColCount(ColCount() + 1);
        ACol += SpanX + 1;
        ARow = FixedRows();
        if (OnAutoInsertCol) OnAutoInsertCol(this, ColCount() - FFixedRightCols - 1);
      } else {
        ARow = FixedRows();
        ACol = FirstNavigableCol();
      }
      Invalidate();
    }
  } else if (dir == adLeftRight) {
    if (ACol > FirstNavigableCol()) {
      --ACol;
    } else {
      ACol = ColCount() - 1 - FFixedRightCols;
      ARow = ARow > FixedRows() ? ARow - 1 : lastRow;
    }
  } else if (dir == adTopBottom) {
    if (ARow > FixedRows()) {
      --ARow;
    } else {
      ARow = lastRow;
      ACol = ACol > FirstNavigableCol() ? ACol - 1 : ColCount() - 1 - FFixedRightCols;
    }
  }
  return true;
}

void TAdvStringGrid::AdvanceToNextCell(int ACol, int ARow, bool GoEdit, bool Skipping, bool Forward, bool AutoEdit,
                                       bool Force) {
  if (!FNavigation->AdvanceOnEnter() && !Force) return;
  if (FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing)) {
    TGridOptions o = Options();
    o.Include(goEditing);
    SetOptions(o);
  }
  if (!Skipping) {
    FAECol = ACol;
    FAERow = ARow;
  }
  const int startCol = ACol, startRow = ARow;
  FStartEditChar = 0;
  // Skipping read-only cells ends after one pass over the grid or when the candidate repeats;
  // the current cell then stays where it was.
  const long long maxSkips = static_cast<long long>(ColCount()) * RowCount() + 1;
  long long skips = 0;
  int realCol = 0;
  for (;;) {
    const int prevCol = ACol, prevRow = ARow;
    const TPoint span = CellSpan(RealColIndex(ACol), ARow);
    bool stop = false;
    AdvanceStep(ACol, ARow, Forward, span.X, stop);
    if (stop) return;
    realCol = RealColIndex(ACol);
    bool canEdit = true;
    CanEditCell(realCol, ARow, canEdit);
    if (canEdit) {
      bool allow = true;
      if (OnAutoAdvance) OnAutoAdvance(this, FAERow, FAECol, ARow, ACol, allow);
      if (!allow) {
        SelectCell(startCol, startRow);
      } else {
        if (OnCellChanging) OnCellChanging(this, FAERow, FAECol, ARow, ACol, allow);
        FDisableChange = true;
        if (allow) {
          SetCol(ACol);
          SetRowEx(ARow);
        } else {
          SelectCell(startCol, startRow);
        }
        FDisableChange = false;
      }
      break;
    }
    if (!FNavigation->AdvanceSkipReadOnlyCells()) {
      SetCol(ACol);
      SetRowEx(ARow);
      break;
    }
    if ((ACol == prevCol && ARow == prevRow) || (ACol == startCol && ARow == startRow) || ++skips >= maxSkips) return;
  }
  if (!GoEdit) return;
  if ((AutoEdit && FNavigation->AdvanceAutoEdit()) || IsControlCell(realCol, Row())) {
    bool editable = true;
    CanEditCell(realCol, Row(), editable);
    if (!editable) return;
    ShowEditor();
    if (IsControlCell(realCol, Row())) AdvanceOntoControlCell(startCol, startRow);
  }
  if (FMouseActions->DisjunctRowSelect()) {
    ClearRowSelect();
    SetRowSelect(Row(), true);
  }
}

void TAdvStringGrid::AdvanceOntoControlCell(int StartCol, int StartRow) {
  // The control of the cell reached is clicked, as the user would, unless the advance came from
  // another control cell.
  FDisableChange = true;
  const int c = Col(), r = Row();
  FocusCell(StartCol, StartRow);
  FocusCell(c, r);
  if (!IsControlCell(RealColIndex(StartCol), StartRow)) {
    const TRect cr = CellRect(c, r);
    Perform(WM_LBUTTONDOWN, 0, MakeLParam(cr.Left + 2, cr.Top + 2));
    Perform(WM_LBUTTONUP, 0, MakeLParam(cr.Left + 2, cr.Top + 2));
    if (FNavigation->AdvanceDirection() != adLeftRight) HideEditor();
  }
  FDisableChange = false;
  bool allow = true;
  if (OnCellChanging) OnCellChanging(this, StartRow, StartCol, Row(), Col(), allow);
  TEditorType kind = FDefaultEditor;
  GetCellEditorType(RealColIndex(StartCol), StartRow, kind);
  switch (kind) {
    case edNormal: case edNumeric: case edPositiveNumeric: case edFloat: case edCapital: case edMixedCase:
    case edPassword: case edLowerCase: case edUpperCase: case edPositiveFloat:
      break;
    default:
      HideEditor();
      break;
  }
}
