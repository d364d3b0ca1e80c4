// The edit cycle: whether a cell may be edited, which editor kind it opens with, opening and
// committing the special editors, the select-cell question with its validation and changing
// events, and the editing latch that takes goEditing out on cells that cannot be edited.
#include "grid/core/AdvGrid.h"
#include "grid/core/AdvInplaceEdit.h"
#include "grid/foundation/AsgHTMLE.h"

bool TAdvStringGrid::IsInplaceEditorKind(TEditorType Kind) {
  switch (Kind) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
    case edValidChars:
    case edPositiveFloat:
      return true;
    default:
      return false;
  }
}

bool TAdvStringGrid::IsEditable(int DCol, int DRow) {
  if (!Options().Contains(goEditing) && !FMouseActions->RangeSelectAndEdit() && !FEditDisable) return false;
  return IsEditableCell(DCol, DRow);
}

bool TAdvStringGrid::IsEditableCell(int DCol, int DRow) {
  const TPoint b = BaseCell(RealColIndex(DCol), DRow);
  bool canEdit = true;
  CanEditCell(b.X, b.Y, canEdit);
  bool fixed = false;
  DoIsFixedCell(b.X, b.Y, fixed);
  return canEdit && !fixed;
}

void TAdvStringGrid::HideCellEdit() { CommitSpecialEditor(Col(), Row()); }

void TAdvStringGrid::ShowCellEdit() { Perform(WM_KEYDOWN, VK_F2, 0); }

void TAdvStringGrid::StoreEditText(int RCol, int DRow, const String& Value) {
  SetEditText(DisplColIndex(RCol), DRow, Value);
  SetCellEx(RCol, DRow, Value);
}

void TAdvStringGrid::RestoreCurrentCell() {
  const int c = GetRealCol();
  SetCellEx(c, Row(), FCellCache);
  // The column index is taken as a real column for the read as well: it writes the text back.
  const int asReal = Col();
  SetCellEx(asReal, Row(), GetCellEx(asReal, Row()));
}

bool TAdvStringGrid::EditorWantsTab() {
  return Options().Contains(goTabs) || static_cast<bool>(OnCellValidate) || static_cast<bool>(OnCellValidateWide);
}

void TAdvStringGrid::CellChanging(int NewCol, int NewRow, bool& Allow) {
  if (NewRow != Row() && OnRowChanging) OnRowChanging(this, Row(), NewRow, Allow);
  if (NewCol != Col() && OnColChanging) OnColChanging(this, Col(), NewCol, Allow);
  if ((NewRow != Row() || NewCol != Col()) && !FDisableChange && OnCellChanging)
    OnCellChanging(this, Row(), Col(), NewRow, NewCol, Allow);
}

int TAdvStringGrid::GetEditLimit() { return FMaxEditLength; }

void TAdvStringGrid::SetMaxEditLength(int v) {
  FMaxEditLength = v;
  // An editor made already limits from now on, not from its next opening.
  if (TAdvInplaceEdit* e = NormalEdit()) e->SetLengthLimit(v);
}

TAdvInplaceEdit* TAdvStringGrid::NormalEdit() const { return dynamic_cast<TAdvInplaceEdit*>(InplaceEditor()); }

// =============================================================================================
// Opening an edit

bool TAdvStringGrid::CanEditShow() {
  if (FValidating) return false;
  const bool show = TBaseGrid::CanEditShow();
  if (Designing()) return show;
  const TPoint b = BaseCell(GetRealCol(), Row());
  if (show && !EditMode && IsControlCell(b.X, b.Y)) return false;
  bool answer = show;
  if (show && !EditMode) {
    FSuppressEditChange = true;
    FCellCache = GetCellEx(b.X, b.Y);
    EditControl = FDefaultEditor;
    try {
      GetCellEditorType(b.X, b.Y, EditControl);
    } catch (...) {
      FSuppressEditChange = false;
      throw;
    }
    FSuppressEditChange = false;
    if (EditControl == edNone) return false;
    EditMode = true;
    if (IsInplaceEditorKind(EditControl)) {
      FInplaceEditRunning = true;
    } else {
      OpenSpecialEditor(DisplColIndex(b.X), b.Y);
      FEntered = true;
      ShowEditFocusFrame();
      answer = false;
    }
  }
  if (answer) {
    FEntered = true;
    FEditing = true;
    ShowEditFocusFrame();
  }
  return answer;
}

void TAdvStringGrid::ShowEditFocusFrame() {
  if (FFocusHelper->Enabled()) ShowFocusWindow(CellRect(Col(), Row()));
}

// ---------------------------------------------------------------------------------------------
// Special editors: the frame around the per-kind rows of the table

void TAdvStringGrid::OpenSpecialEditor(int DCol, int DRow) {
  FEditing = true;
  FSpecialEditor = true;
  FEditActive = true;
  TSpecialEditorCell cell;
  cell.DCol = DCol;
  cell.DRow = DRow;
  cell.RCol = RealColIndex(DCol);
  cell.R = CellRect(DCol, DRow);
  if (UseRightToLeftAlignment()) cell.R.Left += 1;
  cell.W = cell.R.Right - cell.R.Left - 1;
  cell.H = cell.R.Bottom - cell.R.Top - 1;
  TGridDrawState state;
  const TCellStyle style = GetVisualProperties(cell.RCol, DRow, state, false, false, false);
  cell.Color = style.Color;
  Canvas()->Font()->Assign(const_cast<TFont*>(&style.Font));
  cell.Font = Canvas()->Font();
  FEditCtrl = nullptr;
  if (EditControl != edCustom) FLastValidation = true;
  TSpecialEditorOpened opened;
  const TSpecialEditorRow& row = SpecialEditorRow(EditControl);
  if (row.Open) {
    EditMode = true;
    opened = (this->*row.Open)(cell);
  }
  if (FStartEditChar != 0 && opened.StartCharTarget)
    PostMessage(opened.StartCharTarget, WM_CHAR, FStartEditChar, 0);
  FEditCtrl = opened.Control;
  FStartEditChar = 0;
}

void TAdvStringGrid::CommitSpecialEditor(int DCol, int DRow) {
  if (FDestroying) return;
  FSpecialEditor = false;
  FBlockKill = true;
  FStartEditChar = 0;
  const int rc = RealColIndex(DCol);
  try {
    const TSpecialEditorRow& row = SpecialEditorRow(EditControl);
    if (row.Commit) (this->*row.Commit)(rc, DRow);
    if (row.Commit) EditMode = false;
    if (EditControl != edNormal && FEditActive) NotifyEditDone(rc, DRow);
  } catch (...) {
    FBlockKill = false;
    FEditActive = false;
    throw;
  }
  FBlockKill = false;
  FEditActive = false;
}

int TAdvStringGrid::ChooseComboListItem(int RCol, int DRow, TStrings* Items, bool& Report) {
  Report = false;
  const TPoint b = BaseCell(RCol, DRow);
  int idx = Items->IndexOf(GetGridCell(b.X, b.Y));
  if (idx >= 0) return idx;
  if (FComboIdx != -1) return FComboIdx;
  // The stored text is not an item: the edit text (tags stripped) may be one, else item 0; either
  // way the opening reports the item it chose.
  Report = Items->Count() > 0;
  idx = Items->IndexOf(GetEditText(DisplColIndex(b.X), b.Y));
  return idx >= 0 ? idx : 0;
}

void TAdvStringGrid::ReportComboListChoice(int RCol, int DRow, TStrings* Items, int Index) {
  if (Index < 0 || Index >= Items->Count()) return;
  const String s = Items->Strings(Index);
  if (OnComboChange) OnComboChange(this, RCol, DRow, Index, s);
  if (OnComboObjectChange) OnComboObjectChange(this, RCol, DRow, Index, s, Items->Objects(Index));
}

// =============================================================================================
// Selecting another cell

bool TAdvStringGrid::SelectCell(int DCol, int DRow) { return CanSelectCell(DCol, DRow); }

bool TAdvStringGrid::CanSelectCell(int DCol, int DRow) {
  auto repaintIndicator = [&] {
    if (FRowIndicator && !FRowIndicator->Empty() && FixedCols() > 0) {
      RepaintCell(0, Row());
      RepaintCell(0, DRow);
    }
  };
  if (FForceSel) return true;
  repaintIndicator();
  if (!Parent()) return true;
  const int rc = RealColIndex(DCol);
  FEditText = GetGridCell(rc, DRow);
  if (!KeepSelectionClearOfPanels(DCol, DRow)) return false;
  if (DCol < 0 || DRow < 0) return false;
  if (!Options().Contains(goRangeSelect) && IsMergedNonBaseCell(rc, DRow)) {
    const TPoint b = BaseCell(rc, DRow);
    const int bd = DisplColIndex(b.X);
    // Both at once: a move by column and then by row would land on the range again.
    TCustomGrid::FocusCell(bd, b.Y, true);
    RepaintCell(bd, b.Y);
    if (FMouseActions->DirectEdit() || (FControlLook->DropDownAlwaysVisible() && DoHasComboBox(b.X, b.Y)))
      ShowInplaceEdit();
    return false;
  }
  if (HasNodes() && DCol == 0 && !Options().Contains(goRowSelect)) return false;
  if (FUseEnabledRows && FNavigation->SkipDisabledRows() && !GetRowEnabled(DRow)) return false;

  const TGridRect oldSel = Selection();
  const int oldCol = Col(), oldRow = Row();
  (void)oldCol;
  TAdvInplaceEdit* ed = NormalEdit();
  const bool editorFocused = ed && ed->Focused();

  // Editing latch for the new cell.
  const bool editingOn = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
  if (IsControlCell(rc, DRow)) {
    bool can = true;
    CanEditCell(rc, DRow, can);
    if (!FEditDisable && !can && editingOn) FEditDisable = true;
    if (!Options().Contains(goEditing) && !Options().Contains(goRowSelect) && can) {
      SetOptions(Options() | goEditing);
      FEditChange = true;
    }
  } else {
    bool can = Options().Contains(goEditing) || FEditDisable;
    CanEditCell(rc, DRow, can);
    if (FMouseActions->DirectEdit()) {
      EditControl = FDefaultEditor;
      if (IsNoEditorCell(rc, DRow)) can = false;
    }
    if (FMouseActions->EditOnDblClickOnly()) can = false;
    if (FEditing) HideInplaceEdit();
    if (can) {
      FEditDisable = false;
      if (!Options().Contains(goEditing)) {
        FEditChange = true;
        if (!EditMode) SaveOldCell(DCol, DRow);
        TGridOptions o = Options();
        if (o.Contains(goRowSelect) && FMouseActions->RangeSelectAndEdit()) o.Exclude(goRowSelect);
        o.Include(goEditing);
        SetOptions(o);
      }
    } else if (Options().Contains(goEditing)) {
      HideEditor();
      FEditDisable = true;
      FEditChange = true;
      TGridOptions o = Options();
      o.Exclude(goEditing);
      SetOptions(o);
      SetEditorMode(false);
    }
  }

  bool answer;
  if (FEditing && !editorFocused) {
    bool valid;
    const int leftRC = RealColIndex(Col());
    if (IsWideCell(leftRC, Row()))
      valid = ValidateCellWide(GetCellEx(leftRC, Row()));
    else
      valid = ValidateCell(GetCurrentCell());
    bool allow = true;
    CellChanging(DCol, DRow, allow);
    answer = valid && allow ? TBaseGrid::SelectCell(DCol, DRow) : false;
  } else {
    bool allow = true;
    CellChanging(DCol, DRow, allow);
    if (IsFixed(DCol, DRow) || !allow) {
      const bool noNormalRows = RowCount() <= FixedRows() + FFixedFooters ||
                                (FFixedRowAlways && RowCount() == FFixedRowsMin + 1 && FixedRows() == RowCount() - 1);
      answer = (allow && Options().Contains(goRowSelect)) || (FFixedRowAlways && noNormalRows);
    } else {
      answer = TBaseGrid::SelectCell(DCol, DRow);
    }
  }

  repaintIndicator();
  if (FISelect) FISelect->SelectionChanged(Col(), DRow);
  if (FActiveCellShow) {
    const int fr = FixedRows() - 1, fc = FixedCols() - 1;
    if (fr >= 0) {
      RepaintCell(Col(), fr);
      RepaintCell(DCol, fr);
    }
    if (fc >= 0) {
      RepaintCell(fc, Row());
      RepaintCell(fc, DRow);
    }
    if (oldSel.Left != DCol && oldSel.Top != DRow) {
      if (fr >= 0) RepaintCell(oldSel.Left, fr);
      if (fc >= 0) RepaintCell(fc, oldSel.Top);
    }
  }
  if (FActiveRowShow) {
    RepaintRow(DRow);
    RepaintRow(oldSel.Top);
  }
  if (FSelectionRectangle) RepaintRect(TRect{oldSel.Left, oldSel.Top, oldSel.Right, oldSel.Bottom});
  if (!Loading() && DRow != FLastRowChanged && OnRowChanged) {
    OnRowChanged(this, FLastRowChanged, DRow);
    FLastRowChanged = DRow;
  }
  (void)oldRow;
  if (answer) FCellCache = GetCellEx(rc, DRow);
  return answer;
}
