// Combo strings: the grid's small interface over the item list of its shared combo editor. The
// list is not per cell: it holds whatever the last filler (a column, OnGetEditorType,
// OnGetEditorProp) put there. Without a combo editor (a grid at design time) there is no list.
#include "grid/core/AdvGrid.h"

void TAdvStringGrid::ClearComboString() {
  if (EditCombo) EditCombo->Items()->Clear();
}

void TAdvStringGrid::AddComboString(const String& S) {
  if (EditCombo) EditCombo->Items()->Add(S);
}

void TAdvStringGrid::AddComboStringObject(const String& S, TObject* AObject) {
  if (EditCombo) EditCombo->Items()->AddObject(S, AObject);
}

bool TAdvStringGrid::RemoveComboString(const String& S) {
  if (!EditCombo) return false;
  int i = EditCombo->Items()->IndexOf(S);
  if (i < 0) return false;
  EditCombo->Items()->Delete(i);
  return true;
}

bool TAdvStringGrid::SetComboSelectionString(const String& S) {
  if (!EditCombo) return false;
  int i = EditCombo->Items()->IndexOf(S);
  if (i < 0) return false;
  FComboIdx = i;
  return true;
}

int TAdvStringGrid::GetComboCount() const { return EditCombo ? EditCombo->Items()->Count() : 0; }

void TAdvStringGrid::DoGetEditorProp(int RCol, int DRow, TEditLink* AEditLink) {
  if (OnGetEditorProp) OnGetEditorProp(this, RCol, DRow, AEditLink);
  if (OnGetEditorPropInt) OnGetEditorPropInt(this, RCol, DRow);
}

void TAdvStringGrid::SetComboIndex(int RCol, int DRow, int Value) {
  DoGetEditorProp(RCol, DRow, nullptr);
  if (!EditCombo) return;
  // Read first: an index outside the list raises before the cell is touched.
  String item = EditCombo->Items()->Strings(Value);
  SetCellEx(RCol, DRow, item);
}

int TAdvStringGrid::GetComboIndex(int RCol, int DRow) {
  DoGetEditorProp(RCol, DRow, nullptr);
  if (!EditCombo) return -1;
  return EditCombo->Items()->IndexOf(GetCellEx(RCol, DRow));
}
