// The combo editor's rows of the special-editor table (edComboEdit, edComboList: how the shared
// combo opens over a cell and what it writes back) and the notifications the combo sends the
// grid while an edit runs (selection and edit change, list opening and closing).
#include "grid/core/AdvGrid.h"

TSpecialEditorOpened TAdvStringGrid::OpenComboEditRow(const TSpecialEditorCell& Cell) {
  return OpenComboRow(Cell, false);
}

TSpecialEditorOpened TAdvStringGrid::OpenComboListRow(const TSpecialEditorCell& Cell) {
  return OpenComboRow(Cell, true);
}

TSpecialEditorOpened TAdvStringGrid::OpenComboRow(const TSpecialEditorCell& Cell, bool List) {
  TGridCombo* combo = EditCombo;
  if (!combo) return {};
  // Parented on first use, so that a grid that never edits a combo cell makes no combo window.
  if (combo->Parent() != this) combo->SetParent(this);
  combo->ResetCancel();
  combo->SetDropDownCount(FControlLook->DropDownCount());
  DoGetEditorProp(Cell.RCol, Cell.DRow, FEditLink);
  combo->SetBounds(Cell.R.Left, Cell.R.Top, 0, 0);
  if (!List) combo->SetEnabled(true);
  combo->SetDroppedDown(false);
  if (List) combo->SetEnabled(true);
  combo->SetStyle(List ? csDropDownList : csDropDown);
  bool report = false;
  if (List) {
    combo->SetItemIndex(ChooseComboListItem(Cell.RCol, Cell.DRow, combo->Items(), report));
    if (report) combo->Change();
  } else {
    combo->SetSelectionFieldHeight(Cell.H - 6);
  }
  combo->SetBounds(Cell.R.Left, Cell.R.Top, Cell.W, combo->ItemHeight() * (combo->DropDownCount() + 1) + Cell.H);
  if (!List) {
    combo->SetText(GetEditText(Cell.DCol, Cell.DRow));
    if (FComboIdx != -1 && combo->ItemIndex() == -1) combo->SetItemIndex(FComboIdx);
  }
  combo->SetColor(Cell.Color);
  if (!List) combo->SetMaxLength(FMaxComboLength);
  combo->SetVisible(true);
  const bool flat = FLook == glSoft || (FLook >= glQEL && FLook <= glOffice2007);
  combo->SetFlat(flat);
  combo->SetEtched(flat);
  if (FNavigation->AutoComboDropSize()) combo->SizeDropDownWidth();
  else if (combo->DropWidth() > 0) combo->SetDroppedWidth(combo->DropWidth());
  if (combo->CanFocus()) combo->SetFocus();
  if (FMouseActions->DirectComboDrop() || FControlLook->DropDownAlwaysVisible()) combo->SetDroppedDown(true);
  if (FMouseActions->DirectEdit() && FMouseActions->DirectComboDrop()) {
    const TGridRect s = Selection();
    DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
  }
  if (report) ReportComboListChoice(Cell.RCol, Cell.DRow, combo->Items(), combo->ItemIndex());
  return {combo, combo};
}

void TAdvStringGrid::CommitComboRow(int RCol, int DRow) {
  TGridCombo* combo = EditCombo;
  if (!combo) return;
  if (EditMode) StoreEditText(RCol, DRow, combo->CommitText());
  // Hiding the focused combo ends its focus, and its exit would commit a second time.
  EditMode = false;
  combo->SetVisible(false);
  combo->SetEnabled(false);
  combo->ResetCancel();
}

void TAdvStringGrid::ComboEditorCommand(const TMessage& Message) {
  if (Message.Msg != WM_COMMAND || !EditCombo || Message.LParam != reinterpret_cast<intptr_t>(EditCombo)) return;
  TGridCombo* combo = EditCombo;
  const unsigned code = WParamHi(Message.WParam);
  const int rcol = RealColIndex(Col());
  auto report = [&] {
    const int i = combo->ItemIndex();
    const String s = i >= 0 ? combo->Items()->Strings(i) : combo->Text();
    if (OnComboChange) OnComboChange(this, rcol, Row(), i, s);
    if (OnComboObjectChange) OnComboObjectChange(this, rcol, Row(), i, s, i >= 0 ? combo->Items()->Objects(i) : nullptr);
  };
  if (EditMode && (code == CBN_SELCHANGE || code == CBN_EDITCHANGE)) report();
  if (code == CBN_CLOSEUP) {
    if (FMouseActions->DirectComboClose()) {
      if (combo->ItemIndex() >= 0) combo->SetText(combo->Items()->Strings(combo->ItemIndex()));
      report();
      EditControl = edComboEdit;
      EditMode = true;
      const bool direct = FMouseActions->DirectEdit();
      FMouseActions->SetDirectEdit(false);
      try {
        HideInplaceEdit();
      } catch (...) {
        FMouseActions->SetDirectEdit(direct);
        throw;
      }
      FMouseActions->SetDirectEdit(direct);
      if (CanFocus()) SetFocus();
    }
    DoComboCloseUp(Row(), rcol);
  }
  if (code == CBN_DROPDOWN) DoComboDropDown(Row(), rcol);
  // A typed change is reported a second time, with the display column and no item.
  if (code == CBN_EDITCHANGE && OnComboChange) OnComboChange(this, Col(), Row(), -1, combo->Text());
}
