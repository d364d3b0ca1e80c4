// Opening and closing the cell editor (the one road for keys, mouse and editors), the report of
// an edit's end, the relays from the editor controls to the grid's events, and the window hook
// on a custom editor link's control.
#include "grid/core/AdvGrid.h"

void TAdvStringGrid::ShowInplaceEdit() {
  const TPoint b = BaseCell(GetRealCol(), Row());
  if (IsControlCell(b.X, b.Y)) return;
  // Brought into view at the top-left edge only; below or right of the view the class library
  // scrolls it in.
  if (Row() < TopRow()) SetTopRow(Row());
  if (Col() < LeftCol()) SetLeftCol(Col());
  FEditText = GetCurrentCell();
  ShowEditor();
}

void TAdvStringGrid::HideInplaceEdit() {
  if (!EditMode) return;
  HideEditor();
  CommitSpecialEditor(Col(), Row());
  EditMode = false;
  FInplaceEditRunning = false;
  SelectCell(Col(), Row());
}

void TAdvStringGrid::DoneInplaceEdit(Word Key, TShiftState Shift) {
  FBlockFocus = true;
  FEditing = false;
  const bool alwaysEdit = FNavigation->AlwaysEdit();
  try {
    HideInplaceEdit();
    if (FNavigation->AppendOnArrowDown() && Key == VK_DOWN && Row() == RowCount() - 1 - FFixedFooters) AppendRow();
    if (Key == VK_TAB || Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN) {
      Word k = Key;
      KeyDown(k, Shift);
    }
    FNavigation->SetAlwaysEdit(false);
    if (CanFocus()) SetFocus();
    if (Key == VK_RETURN) AdvanceToNextCell(Col(), Row(), false, false, true, true, false);
  } catch (...) {
    FNavigation->SetAlwaysEdit(alwaysEdit);
    FBlockFocus = false;
    throw;
  }
  FNavigation->SetAlwaysEdit(alwaysEdit);
  FBlockFocus = false;
}

void TAdvStringGrid::NotifyEditDone(int RCol, int DRow) {
  if (OnEditingDone) OnEditingDone(this);
  EditMode = false;
  PostMessage(this, GridEditDoneMessage(), static_cast<uintptr_t>(RCol), DRow);
}

// ---------------------------------------------------------------------------------------------
// Relays

void TAdvStringGrid::DropDownHeaderButtonClick(int ButtonIndex) {
  if (OnDropDownHeaderButtonClick) OnDropDownHeaderButtonClick(this, Col(), Row(), ButtonIndex);
}

void TAdvStringGrid::DropDownFooterButtonClick(int ButtonIndex) {
  if (OnDropDownFooterButtonClick) OnDropDownFooterButtonClick(this, Col(), Row(), ButtonIndex);
}

void TAdvStringGrid::MemoDropDownChange(const String& Text) { SetEditText(Col(), Row(), Text); }

String TAdvStringGrid::EllipsClick(const String& S) {
  String s = S;
  if (OnEllipsClick) OnEllipsClick(this, GetRealCol(), Row(), s);
  return s;
}

void TAdvStringGrid::UnitChanged(const String& NewUnit) {
  if (OnUnitChanged) OnUnitChanged(this, Col(), Row(), NewUnit);
}

void TAdvStringGrid::HookEditLinkControl(TWinControl* Control) {
  if (!Control || Control == FHookedLinkControl) return;
  FHookedLinkControl = Control;
  // The control's own handler, kept for every message the hook does not answer.
  TControl::TWndMethod own = Control->WindowProc();
  Control->SetWindowProc([this, own](TMessage& m) {
    if (m.Msg == WM_GETDLGCODE && Options().Contains(goTabs)) {
      m.Result |= DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
      return;
    }
    own(m);
  });
}
