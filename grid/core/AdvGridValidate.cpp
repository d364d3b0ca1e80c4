// Validation of an edited cell and the change notifications that follow it, and what the grid
// does when it is clicked, entered, left, focused and unfocused while editing.
#include "grid/core/AdvGrid.h"
#include "grid/core/AdvInplaceEdit.h"
#include "grid/foundation/AdvUndo.h"
#include "platform/EditTips.h"

void TAdvStringGrid::SetCellChecker(TAdvStringGridCheck* Value) {
  if (FCellChecker) FCellChecker->RemoveFreeNotification(this);
  FCellChecker = Value;
  if (Value) Value->FreeNotification(this);
}

void TAdvStringGrid::SaveOldCell(int DCol, int DRow) {
  FOldCol = DCol;
  FOldRow = DRow;
  const int rc = RealColIndex(DCol);
  FOldCellText = GetGridCell(rc, DRow);
  FOldModifiedValue = FModified;
}

void TAdvStringGrid::CellsChanged(const TRect& R) {
  if (OnCellsChanged) OnCellsChanged(this, R);
  for (int i = 0; i < FNotifierList->Count(); ++i)
    static_cast<TGridChangeNotifier*>(FNotifierList->Items(i))->CellsChanged(R);
  UpdateFooterColumn(-1);
}

void TAdvStringGrid::CellsLoaded() { UpdateFooterColumn(-1); }

namespace {

// Restores a flag when the scope ends, also when an event handler raises.
class TFlagScope {
 public:
  TFlagScope(bool& Flag, bool During) : FFlag(Flag), FWas(Flag) { Flag = During; }
  ~TFlagScope() { FFlag = FWas; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
  bool FWas;
};

}  // namespace

// A refused value: back to the edited cell, its editor open again.
void TAdvStringGrid::ReopenRefusedEdit() {
  {
    TFlagScope force(FForceSel, true);
    if (Col() != FOldCol) SetCol(FOldCol);
    if (Row() != FOldRow) SetRowEx(FOldRow);
  }
  FValidating = false;
  FEditing = true;
  ShowInplaceEdit();
}

bool TAdvStringGrid::ValidateCell(const String& NewValue) {
  if (!FEditing || FValidating) return true;
  FEditing = false;
  FValidating = true;
  bool valid = true;
  const int c = RealColIndex(FOldCol), r = FOldRow;
  FNewCellText = NewValue;
  try {
    const bool changed = NewValue != FOldCellText;
    if (changed || FAlwaysValidate) {
      const bool advance = FNavigation->AdvanceOnEnter();
      FNavigation->SetAdvanceOnEnter(false);
      struct TRestoreAdvance {
        TNavigation* N;
        bool V;
        ~TRestoreAdvance() { N->SetAdvanceOnEnter(V); }
      } restoreAdvance{FNavigation.get(), advance};

      String value = NewValue;
      if (FCellChecker && FCellChecker->AutoCorrect) value = FCellChecker->Correct(c, r, value);
      if (OnCellValidate) OnCellValidate(this, c, r, value, valid);
      // A refusal puts these back: nothing changed.
      const bool gridModifiedBefore = FGridModified;
      const int markRow = RealRowIndex(Row());
      const bool markBefore = GetRowModified(markRow);
      if (value != FOldCellText) {
        FGridModified = true;
        if (FixedCols() > 0) {
          SetRowModified(markRow, true);
          if (FShowModified->Enabled()) RepaintCell(0, Row());
        }
      }
      if (valid) UpdateFooterColumn(c);
      if (FCellChecker && FCellChecker->AutoMarkError) value = FCellChecker->MarkError(c, r, value);
      if (valid && UndoRedo()) UndoRedo()->RegisterChange(c, r, FOldCellText, value);
      if (valid && changed) CellsChanged(TRect{c, r, c, r});
      FNewCellText = value;
      if (valid) {
        const TPoint b = BaseCell(c, r);
        SetCellEx(c, r, value);
        if (b.X != c || b.Y != r) SetCellEx(b.X, b.Y, value);
      } else {
        FLastValidation = false;
        HideEditor();
        SetCellEx(c, r, value != NewValue ? value : FOldCellText);
        ReopenRefusedEdit();
        if (value == NewValue && Col() != FOldCol) InvalidateEditor();
        // The editor shows what was refused (or what the handler made of it); the cell keeps
        // the text it may hold.
        if (TAdvInplaceEdit* ed = NormalEdit(); ed && EditorMode() && !FSpecialEditor)
          ed->SetTextKeepCell(FNewCellText);
        FModified = FOldModifiedValue;
        FGridModified = gridModifiedBefore;
        if (FixedCols() > 0 && markBefore != GetRowModified(markRow)) SetRowModified(markRow, markBefore);
        if (!FInvalidEntryTitle.empty() || !FInvalidEntryText.empty()) {
          TWinControl* target = (EditMode && !FSpecialEditor) ? static_cast<TWinControl*>(InplaceEditor()) : FEditCtrl;
          if (target)
            Edit_ShowBalloonTip(target, TEditBalloonTip{FInvalidEntryTitle, FInvalidEntryText,
                                                        static_cast<int>(FInvalidEntryIcon)});
        }
      }
      FOldCellText = GetGridCell(c, r);
    }
  } catch (...) {
    SaveOldCell(Col(), Row());
    FValidating = false;
    throw;
  }
  SaveOldCell(Col(), Row());
  FValidating = false;
  if (valid) HideFocusWindow();
  return valid;
}

bool TAdvStringGrid::ValidateCellWide(const String& NewValue) {
  if (!FEditing || FValidating) return true;
  FEditing = false;
  FValidating = true;
  bool valid = true;
  const int c = RealColIndex(FOldCol), r = FOldRow;
  FNewCellText = NewValue;
  try {
    const String oldText = FOldCellText;
    const bool changed = NewValue != oldText;
    if (changed || FAlwaysValidate) {
      UpdateFooterColumn(c);
      String value = NewValue;
      if (OnCellValidateWide) OnCellValidateWide(this, c, r, value, valid);
      if (changed) {
        FGridModified = true;
        if (FShowModified->Enabled() && FixedCols() > 0) {
          SetRowModified(RealRowIndex(Row()), true);
          RepaintCell(0, Row());
        }
      }
      if (valid && changed) CellsChanged(TRect{c, r, c, r});
      FNewCellText = value;
      if (valid) {
        SetWideCells(c, r, value);
      } else {
        HideEditor();
        SetWideCells(c, r, value != NewValue ? value : oldText);
        ReopenRefusedEdit();
        FModified = FOldModifiedValue;
      }
    }
  } catch (...) {
    SaveOldCell(Col(), Row());
    FValidating = false;
    throw;
  }
  SaveOldCell(Col(), Row());
  FValidating = false;
  return valid;
}

// =============================================================================================
// Clicking, entering and leaving

void TAdvStringGrid::Click() {
  TBaseGrid::Click();
  FEntered = false;
  SaveOldCell(Col(), Row());
}

void TAdvStringGrid::DoEnter() {
  if (FBlockFocus) return;
  TBaseGrid::DoEnter();
  if (Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit()) SelectCell(Col(), Row());
  SaveOldCell(Col(), Row());
}

void TAdvStringGrid::DoExit() {
  if (FBlockKill) return;
  if (FSelChange && FMouseActions->DisjunctRowSelect()) SelectionToRowSelect(false);
  FSelChange = false;
  TBaseGrid::DoExit();
}

bool TAdvStringGrid::EditFocusMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KILLFOCUS: {
      if (FBlockKill) {
        Message.Result = 1;
        return true;
      }
      TBaseGrid::WndProc(Message);
      const int rc = GetRealCol();
      if (IsMergedCell(rc, Row())) RepaintCell(Col(), Row());
      return true;
    }
    case WM_SETFOCUS: {
      TBaseGrid::WndProc(Message);
      // The grid takes the focus back itself (a popup edit link ending): nothing opens or ends.
      if (FInvokedFocusChange) {
        FInvokedFocusChange = false;
        return true;
      }
      const int rc = GetRealCol();
      if (GetCellType(rc, Row()) == ctCheckBox) return true;
      if (FInplaceRichEdit && FInplaceRichEdit->Visible()) HideInplaceEdit();
      TAdvInplaceEdit* ed = NormalEdit();
      auto* from = reinterpret_cast<TControl*>(Message.WParam);
      auto visibleCell = [&] {
        return Col() >= LeftCol() && Col() <= LeftCol() + VisibleColCount() - 1 && Row() >= TopRow() &&
               Row() <= TopRow() + VisibleRowCount() - 1;
      };
      if (FNavigation->AlwaysEdit() && GridState() != gsColMoving && GridState() != gsRowMoving) {
        bool can = true;
        CanEditCell(rc, Row(), can);
        if (ed) {
          if (from != ed && EditControl == edNormal && can && visibleCell()) {
            ShowInplaceEdit();
            Message.Result = 0;
            return true;
          }
        } else if (can && visibleCell() && !FMouseActions->DirectEdit() &&
                   !FControlLook->DropDownAlwaysVisible() && DoHasComboBox(rc, Row())) {
          ShowInplaceEdit();
        }
      }
      if (IsMergedCell(rc, Row())) RepaintCell(Col(), Row());
      return true;
    }
    case WM_SETCURSOR:
      SelectionCursor(Message);
      return true;
    default:
      return false;
  }
}
