// The multi-column and grid drop-down cell editors, their opening values, and their registration
// with the grid (AdvGridDropDownSeam.h).
#include "grid/griddropdown/AdvGridDropDownCellEditors.h"

#include "grid/core/AdvGridDropDownEditorImpl.h"

template class TGridDropDownEditor<TAdvMultiColumnDropDown>;
template class TGridDropDownEditor<TCustomAdvGridDropDown>;

namespace {

// The item of the text, the first for an empty text; then the text as the cell has it.
void OpenMultiColumn(TAdvCustomDropDown* Editor, const String& Text) {
  auto* e = static_cast<TGridGridDropDown*>(Editor);
  e->SetItemIndex(Text.empty() ? 0 : e->GetItemIndex(Text));
  e->SetText(Text);
}

// The first row whose lookup text begins with the text (the first for an empty text); then the
// text as the cell has it, so that an untouched cell commits unchanged.
void OpenAdvGrid(TAdvCustomDropDown* Editor, const String& Text) {
  auto* e = static_cast<TGridAdvGridDropDown*>(Editor);
  if (TAdvColGrid* popup = e->GetPopupGrid()) popup->SetFixedRowAlways(true);
  if (e->UseItems()) {
    String full;
    int row = -1;
    if (Text.empty())
      row = 0;
    else
      e->FindLookupRow(Text, full, row);
    e->SetItemIndex(row);
  }
  e->SetText(Text);
}

struct TRegisterCellEditors {
  TRegisterCellEditors() {
    TGridDropDownKindMaker multi;
    multi.Make = [](TWinControl* Grid) -> TAdvCustomDropDown* { return New<TGridGridDropDown>(Grid); };
    multi.EndUpdate = [](TAdvCustomDropDown* Editor) {
      auto* e = static_cast<TGridGridDropDown*>(Editor);
      e->BeginUpdate();
      e->EndUpdate();
    };
    multi.Open = OpenMultiColumn;
    RegisterGridDropDownKind(gdkGrid, multi);
    TGridDropDownKindMaker grid;
    grid.Make = [](TWinControl* Grid) -> TAdvCustomDropDown* { return New<TGridAdvGridDropDown>(Grid); };
    grid.EndUpdate = [](TAdvCustomDropDown* Editor) {
      auto* e = static_cast<TGridAdvGridDropDown*>(Editor);
      e->BeginUpdate();
      e->EndUpdate();
    };
    grid.Open = OpenAdvGrid;
    RegisterGridDropDownKind(gdkAdvGrid, grid);
  }
};
// Linked in with the grid's two accessors below: a program that reaches these editors has them.
const TRegisterCellEditors kRegisterCellEditors;

}  // namespace

TGridGridDropDown* TAdvStringGrid::GridDropDown() {
  return dynamic_cast<TGridGridDropDown*>(DropDownEditor(edGridDropDown));
}

TGridAdvGridDropDown* TAdvStringGrid::AdvGridDropDown() {
  return dynamic_cast<TGridAdvGridDropDown*>(DropDownEditor(edAdvGridDropDown));
}
