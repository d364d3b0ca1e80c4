#include "grid/core/AdvGridTrans.h"

#include "grid/core/AdvGrid.h"

namespace {

// The stop-edit both fixed-cell editors share.
bool StopFixedCellEdit(TWinControl* Editor, TAdvStringGrid* Grid, int RCol, int Row) {
  if (!Grid) {
    Editor->Hide();
    return true;
  }
  String text = Editor->Text();
  bool valid = true;
  if (Grid->OnCellValidate) Grid->OnCellValidate(Grid, RCol, Row, text, valid);
  if (!valid) {
    const int dcol = Grid->DisplColIndex(RCol);
    if (dcol >= 0 && dcol < Grid->ColCount()) Grid->SetCol(dcol);
    if (Row >= 0 && Row < Grid->RowCount()) Grid->SetRow(Row);
    Editor->SetFocus();
    return false;
  }
  if (Grid->OnEditingDone) Grid->OnEditingDone(Grid);
  Grid->SetCellEx(RCol, Row, text);
  Editor->Hide();
  return true;
}

}  // namespace

TGridTransEdit::TGridTransEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  Grid = dynamic_cast<TAdvStringGrid*>(AOwner);
  SetVisible(false);
}

bool TGridTransEdit::StopEdit() { return StopFixedCellEdit(this, Grid, FEditCol, FEditRow); }

void TGridTransEdit::KeyPress(Char& Key) {
  if (Key == 13) {
    Key = 0;
    return;
  }
  TCustomEdit::KeyPress(Key);
}

void TGridTransEdit::DoExit() {
  TCustomEdit::DoExit();
  StopEdit();
}

TGridTransCombo::TGridTransCombo(TComponent* AOwner) : TComboBox(AOwner) {
  Grid = dynamic_cast<TAdvStringGrid*>(AOwner);
  SetVisible(false);
}

bool TGridTransCombo::StopEdit() { return StopFixedCellEdit(this, Grid, FEditCol, FEditRow); }

void TGridTransCombo::KeyPress(Char& Key) {
  if (Key == 13) {
    Key = 0;
    return;
  }
  TComboBox::KeyPress(Key);
}

void TGridTransCombo::DoExit() {
  TComboBox::DoExit();
  StopEdit();
}
