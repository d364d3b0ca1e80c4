// Check-box cells. Five kinds keep their state in different places: a plain box in its object,
// a data box (and a column grid's virtual box) in the cell text, a row box in the row's
// selection flag, a tri-state box in its object's three-state field.
#include "grid/core/AdvGrid.h"
#include "grid/foundation/AdvUndo.h"

namespace {

constexpr TCellTypes kOwnCheckBoxKinds{ctCheckBox, ctDataCheckBox, ctTriStateCheckBox};

}  // namespace

TCellGraphic* TAdvStringGrid::CheckBoxObject(int ACol, int RRow) {
  if (ACol < 0 || RRow < 0) return nullptr;
  if (TGridItem* item = HiddenRowItem(RRow)) {
    TStrings* items = item->Items();
    if (ACol >= items->Count()) return nullptr;
    auto* p = dynamic_cast<TCellProperties*>(items->Objects(ACol));
    return p ? dynamic_cast<TCellGraphic*>(p->GraphicObject()) : nullptr;
  }
  return GetCellGraphic(ACol, RealToDisplRow(RRow));
}

void TAdvStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data) {
  if (ACol < 0 || ARow < 0 || ACol >= AllColCount() || ARow >= AllRowCount()) throw EAdvGridError(u"Invalid cell");
  CreateCellGraphic(ACol, ARow)->SetCheckBox(State, Data, true, haBeforeText, CellVAlignFromText(FVAlignment));
  if (Data) {
    const String s = GetCellEx(ACol, ARow);
    if (s != FCheckTrue && s != FCheckFalse) SetCellEx(ACol, ARow, State ? FCheckTrue : FCheckFalse);
  }
}

void TAdvStringGrid::AddCheckBox(int ACol, int ARow, TCheckBoxState State) {
  if (ACol < 0 || ARow < 0 || ACol >= AllColCount() || ARow >= AllRowCount()) throw EAdvGridError(u"Invalid cell");
  CreateCellGraphic(ACol, ARow)->SetCheckBox(State, true, haBeforeText, CellVAlignFromText(FVAlignment));
}

void TAdvStringGrid::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox) {
  for (int r = FMouseActions->CheckAllCheck() ? 0 : FixedRows(); r < RowCount(); ++r) {
    if (GetCellType(0, r) == ctSummary) continue;
    if (NodeObject(r))
      AddCheckBox(ACol, r, cbUnchecked);
    else
      AddCheckBox(ACol, r, DefaultState, DataCheckBox);
  }
}

void TAdvStringGrid::AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State) {
  for (int r = FMouseActions->CheckAllCheck() ? 0 : FixedRows(); r < RowCount(); ++r) AddCheckBox(ACol, r, State);
}

void TAdvStringGrid::RemoveCheckBox(int ACol, int ARow) {
  auto* own = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
  if (!own || !kOwnCheckBoxKinds.Contains(own->CellType())) return;
  // A balloon's text list goes with the object (its destructor), exactly once.
  RemoveCellGraphic(ACol, ARow);
}

void TAdvStringGrid::RemoveCheckBoxColumn(int ACol) {
  for (int r = FMouseActions->CheckAllCheck() ? 0 : FixedRows(); r < RowCount(); ++r)
    if (HasCheckBox(ACol, r)) RemoveCheckBox(ACol, r);
}

bool TAdvStringGrid::HasCheckBox(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, CheckBoxCellTypes); }

bool TAdvStringGrid::HasDataCheckBox(int ACol, int ARow) {
  return HasCellTypeIn(ACol, ARow, {ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox});
}

bool TAdvStringGrid::GetCheckBoxState(int ACol, int ARow, bool& State) {
  TCellGraphic* cg = CheckBoxObject(ACol, ARow);
  if (!cg) return false;
  switch (cg->CellType()) {
    case ctCheckBox:
      State = cg->CellBoolean();
      return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
      String checked;
      DoGetCheckTrue(ACol, IsHiddenRow(ARow) ? ARow : RealToDisplRow(ARow), checked);
      State = GetCellsEx(ACol, ARow) == checked;
      return true;
    }
    case ctRowCheckBox:
      if (ACol != 0) return false;
      State = GetRowSelect(ARow);
      return true;
    default:
      return false;
  }
}

bool TAdvStringGrid::GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State) {
  TCellGraphic* cg = CheckBoxObject(ACol, ARow);
  if (!cg) return false;
  if (cg->CellType() == ctTriStateCheckBox) {
    State = cg->CellCheckBoxState();
    return true;
  }
  bool b = false;
  if (!GetCheckBoxState(ACol, ARow, b)) return false;
  State = BoolToCheckBoxState(b);
  return true;
}

bool TAdvStringGrid::IsChecked(int ACol, int ARow) {
  bool b = false;
  return GetCheckBoxState(ACol, ARow, b) && b;
}

bool TAdvStringGrid::SetCheckBoxState(int ACol, int ARow, bool State) {
  TCellGraphic* cg = CheckBoxObject(ACol, ARow);
  if (!cg) return false;
  switch (cg->CellType()) {
    case ctCheckBox:
      cg->SetCellBoolean(State);
      if (!IsHiddenRow(ARow)) RepaintRealCell(ACol, RealToDisplRow(ARow));
      return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
      const int hookRow = IsHiddenRow(ARow) ? ARow : RealToDisplRow(ARow);
      String text;
      if (State)
        DoGetCheckTrue(ACol, hookRow, text);
      else
        DoGetCheckFalse(ACol, hookRow, text);
      SetCellsEx(ACol, ARow, text);
      return true;
    }
    case ctRowCheckBox:
      if (ACol != 0) return false;
      SetRowSelect(ARow, State);
      return true;
    default:
      return false;
  }
}

bool TAdvStringGrid::SetCheckBoxState(int ACol, int ARow, TCheckBoxState State) {
  TCellGraphic* cg = CheckBoxObject(ACol, ARow);
  if (!cg || cg->CellType() != ctTriStateCheckBox) return false;
  cg->SetCellCheckBoxState(State);
  if (!IsHiddenRow(ARow)) RepaintRealCell(ACol, RealToDisplRow(ARow));
  return true;
}

bool TAdvStringGrid::SetCheckBoxStateNotify(int ACol, int ARow, bool State) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg) return false;
  switch (cg->CellType()) {
    case ctCheckBox:
      if (State != cg->CellBoolean()) {
        cg->SetCellBoolean(State);
        DoCheckBoxChange(ACol, ARow, State);
        RepaintRealCell(ACol, ARow);
      }
      return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
      String checked, unchecked;
      DoGetCheckTrue(ACol, ARow, checked);
      DoGetCheckFalse(ACol, ARow, unchecked);
      const bool was = GetCellEx(ACol, ARow) == checked;
      SetCellEx(ACol, ARow, State ? checked : unchecked);
      if (State != was) DoCheckBoxChange(ACol, ARow, State);
      return true;
    }
    case ctRowCheckBox: {
      if (ACol != 0) return false;
      const int rr = RealRowIndex(ARow);
      if (State != GetRowSelect(rr)) {
        SetRowSelect(rr, State);
        DoCheckBoxChange(ACol, ARow, State);
      }
      return true;
    }
    default:
      return false;
  }
}

void TAdvStringGrid::CheckAll(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r) SetCheckBoxStateNotify(ACol, r, true);
  if (FNumHidden > 0) InvalidateCol(DisplColIndex(ACol));
}

void TAdvStringGrid::UnCheckAll(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r) SetCheckBoxStateNotify(ACol, r, false);
  if (FNumHidden > 0) InvalidateCol(DisplColIndex(ACol));
}

bool TAdvStringGrid::ToggleCheckBoxCell(int ACol, int ARow, bool CheckEditable) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg || !CheckBoxCellTypes.Contains(cg->CellType())) return false;

  const bool group = FGrouping->AutoCheckGroup();
  TCellGraphic* node = group ? NodeObject(ARow) : nullptr;
  const int span = node ? NodeSpan(ARow) : 0;
  const bool contracted = node && node->CellBoolean();
  const int parent = group && !node ? ParentNodeRow(ARow) : -1;

  if (CheckEditable && !FControlLook->CheckAlwaysActive()) {
    bool can = true;
    CanEditCell(ACol, ARow, can);
    if (!can) return false;
  }

  String checked, unchecked;
  DoGetCheckTrue(ACol, ARow, checked);
  DoGetCheckFalse(ACol, ARow, unchecked);
  bool newState = false;
  switch (cg->CellType()) {
    case ctCheckBox:
      cg->SetCellBoolean(!cg->CellBoolean());
      newState = cg->CellBoolean();
      break;
    case ctTriStateCheckBox: {
      TCheckBoxState s = cg->CellCheckBoxState();
      if (node)
        s = s == cbChecked ? cbUnchecked : cbChecked;
      else
        s = s == cbUnchecked ? cbGrayed : s == cbGrayed ? cbChecked : cbUnchecked;
      cg->SetCellCheckBoxState(s);
      newState = s == cbChecked;
      break;
    }
    case ctRowCheckBox: {
      // The row box's state is the row's selection flag, not the text of column 0.
      const int rr = RealRowIndex(ARow);
      newState = !GetRowSelect(rr);
      SetRowSelect(rr, newState);
      break;
    }
    default:  // data and virtual boxes
      newState = GetCellEx(ACol, ARow) != checked;
      SetCellEx(ACol, ARow, newState ? checked : unchecked);
      break;
  }
  RepaintRealCell(ACol, ARow);
  DoCheckBoxChange(ACol, ARow, newState);

  if (node) {
    const int nodeReal = RealRowIndex(ARow);
    for (int k = 1; k < span; ++k) SetCheckBoxState(ACol, contracted ? nodeReal + k : RealRowIndex(ARow + k), newState);
  } else if (parent >= 0) {
    const int pspan = NodeSpan(parent);
    bool first = true, same = true;
    TCheckBoxState common = cbUnchecked;
    for (int k = 1; k < pspan; ++k) {
      TCheckBoxState s = cbUnchecked;
      if (!GetCheckBoxState(ACol, RealRowIndex(parent + k), s)) continue;
      if (first) {
        common = s;
        first = false;
      } else if (s != common) {
        same = false;
      }
    }
    const TCheckBoxState ps = !same || (common != cbChecked && common != cbUnchecked) ? cbGrayed : common;
    SetCheckBoxState(ACol, RealRowIndex(parent), ps);
  }

  if (TAdvGridUndoRedo* undo = UndoRedo()) {
    if (newState)
      undo->RegisterChange(ACol, ARow, unchecked, checked);
    else
      undo->RegisterChange(ACol, ARow, checked, unchecked);
  }
  return true;
}

bool TAdvStringGrid::IsInCheckBox(int ACol, int ARow, int XPos, int YPos) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg) return false;
  switch (cg->CellType()) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctRadioButton:
    case ctTriStateCheckBox:
      break;
    default:
      return false;
  }
  if (!FMouseActions->PreciseCheckBoxCheck()) return true;
  const int size = FControlLook->CheckSize();
  const TRect r = CellRect(DisplColIndex(ACol), ARow);
  int top = r.Top + 2;
  if (cg->CellVAlign() == vaBottom) top = r.Bottom - size - 2;
  if (cg->CellVAlign() == vaCenter) top = r.Top + (r.Bottom - r.Top - size) / 2;
  TAlignment ha = HasCellProperties(ACol, ARow) ? GetCellProperties(ACol, ARow)->Alignment() : FDefaultAlignment;
  TVAlignment va = FVAlignment;
  DoGetAlignment(ACol, ARow, ha, va);
  int left = r.Left + 2;
  if (ha == taRightJustify) {
    left = r.Right - size - 2;
    const String text = GetCellEx(ACol, ARow);
    if (!text.empty()) {
      Canvas()->Font()->Assign(Font());
      left -= Canvas()->TextWidth(text);
    }
  } else if (ha == taCenter) {
    left = r.Left + (r.Right - r.Left - size) / 2;
  }
  return XPos >= left && XPos < left + size && YPos >= top && YPos < top + size;
}
