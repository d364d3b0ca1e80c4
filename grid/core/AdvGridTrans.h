#pragma once
// The edit box and combo over a fixed (header) cell. They keep the edited cell (real column,
// row) and their grid; Enter is dropped, and the edit ends when the control loses the focus,
// through OnCellValidate: a refusal keeps the focus in the control, an accepted text goes into
// the fixed cell after OnEditingDone. No old-text comparison, no modified marks, no
// OnCellsChanged and no "GridEditDone".
#include "platform/StdCtrls.h"

class TAdvStringGrid;

class TGridTransEdit : public TCustomEdit {
 public:
  TGridTransEdit(TComponent* AOwner);
  String ClassName() const override { return u"TGridTransEdit"; }
  // False while the grid refuses the text (the edit goes on).
  bool StopEdit();
  int FEditRow = -1;
  int FEditCol = -1;
  TAdvStringGrid* Grid = nullptr;

 protected:
  void KeyPress(Char& Key) override;
  void DoExit() override;
};

class TGridTransCombo : public TComboBox {
 public:
  TGridTransCombo(TComponent* AOwner);
  String ClassName() const override { return u"TGridTransCombo"; }
  bool StopEdit();
  int FEditRow = -1;
  int FEditCol = -1;
  TAdvStringGrid* Grid = nullptr;

 protected:
  void KeyPress(Char& Key) override;
  void DoExit() override;
};
