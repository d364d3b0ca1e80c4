// The drop-down kinds' rows of the special-editor table, the grid's drop-down editors made on
// first use, and the grid's side of the seam to them (AdvGridDropDownSeam.h).
#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridDropDownSeam.h"
#include "grid/core/AdvGridEditorKeys.h"
#include "platform/SysUtils.h"

namespace {

// The kind of the cell object of (RCol, DRow), ctEmpty without one.
TCellType DropDownRowsCellType(TAdvStringGrid* Grid, int RCol, int DRow) {
  TCellGraphic* cg = Grid->GetCellGraphic(RCol, DRow);
  return cg ? cg->CellType() : ctEmpty;
}

bool DropDownRowsIsDropDownKind(TEditorType Kind) { return Kind >= edTrackbarDropDown && Kind <= edAdvGridDropDown; }

TGridDropDownKind DropDownRowsKind(TEditorType Kind) {
  return static_cast<TGridDropDownKind>(static_cast<int>(Kind) - static_cast<int>(edTrackbarDropDown));
}

}  // namespace

static_assert(edAdvGridDropDown - edTrackbarDropDown + 1 == kGridDropDownKinds, "one drop-down kind per editor kind");

// =============================================================================================
// What the editors ask of the grid

String DropDownGridCurrentCell(TAdvStringGrid* Grid) { return Grid->CurrentCell(); }
String DropDownGridCellCache(TAdvStringGrid* Grid) { return Grid->CellCache(); }
void DropDownGridHideEdit(TAdvStringGrid* Grid) { Grid->HideInplaceEdit(); }
bool DropDownGridWantsTab(TAdvStringGrid* Grid) { return Grid->EditorWantsTab(); }

void DropDownGridKeyDone(TAdvStringGrid* Grid, Word Key, TShiftState Shift) {
  Grid->DoneInplaceEdit(Key, Shift);
  if (Grid->Navigation()->AdvanceOnEnter() && Grid->Navigation()->AdvanceAutoEdit()) Grid->ShowInplaceEdit();
}

void DropDownGridKeyPress(TAdvStringGrid* Grid, TObject* Sender, Char& Key) {
  if (Grid->OnKeyPress) Grid->OnKeyPress(Sender, Key);
}

void DropDownGridEditChange(TAdvStringGrid* Grid, const String& Text) {
  if (Grid->OnEditChange) Grid->OnEditChange(Grid, Grid->Col(), Grid->Row(), Text);
}

bool DropDownGridClickPending(TAdvStringGrid* Grid) { return Grid->LButFlg; }
void DropDownGridClickTaken(TAdvStringGrid* Grid) { Grid->LButFlg = false; }

bool DropDownGridCurrentDataImage(TAdvStringGrid* Grid) {
  return DropDownRowsCellType(Grid, Grid->GetRealCol(), Grid->Row()) == ctDataImage;
}

// =============================================================================================
// The editors

TWinControl* TAdvStringGrid::DropDownEditor(TEditorType Kind) {
  if (!DropDownRowsIsDropDownKind(Kind)) return nullptr;
  const TGridDropDownKind kind = DropDownRowsKind(Kind);
  TWinControl*& slot = FDropDownEditors[kind];
  if (!slot) {
    TGridDropDownEvents events;
    events.Selected = [this, kind] {
      if (kind == gdkColor)
        DoColorSelect();
      else
        DoImageSelect();
    };
    events.MemoChange = [this](const String& Text) { MemoDropDownChange(Text); };
    events.HeaderButtonClick = [this](int Index) { DropDownHeaderButtonClick(Index); };
    events.FooterButtonClick = [this](int Index) { DropDownFooterButtonClick(Index); };
    slot = NewGridDropDownEditor(this, kind, FDropDownStyle, FColorTones, events);
  }
  return slot;
}

TGridTrackbarDropDown* TAdvStringGrid::TrackbarDropDown() {
  return GridDropDownAs<TGridTrackbarDropDown>(DropDownEditor(edTrackbarDropDown));
}
TGridMemoDropDown* TAdvStringGrid::MemoDropDown() {
  return GridDropDownAs<TGridMemoDropDown>(DropDownEditor(edMemoDropDown));
}
TGridCalculatorDropDown* TAdvStringGrid::CalculatorDropDown() {
  return GridDropDownAs<TGridCalculatorDropDown>(DropDownEditor(edCalculatorDropDown));
}
TGridTimepickerDropDown* TAdvStringGrid::TimePickerDropDown() {
  return GridDropDownAs<TGridTimepickerDropDown>(DropDownEditor(edTimePickerDropDown));
}
TGridDetailPickerDropDown* TAdvStringGrid::DetailPickerDropDown() {
  return GridDropDownAs<TGridDetailPickerDropDown>(DropDownEditor(edDetailDropDown));
}
TGridColorDropDown* TAdvStringGrid::ColorPickerDropDown() {
  return GridDropDownAs<TGridColorDropDown>(DropDownEditor(edColorPickerDropDown));
}
TGridImageDropDown* TAdvStringGrid::ImagePickerDropDown() {
  return GridDropDownAs<TGridImageDropDown>(DropDownEditor(edImagePickerDropDown));
}

void TAdvStringGrid::DoColorSelect() {
  TWinControl* picker = FDropDownEditors[gdkColor];
  if (!OnColorSelect || !picker) return;
  const TGridDropDownValue v = GridDropDownValue(picker, gdkColor);
  OnColorSelect(this, Col(), Row(), v.Color, v.Text);
}

void TAdvStringGrid::DoImageSelect() {
  TWinControl* picker = FDropDownEditors[gdkImage];
  if (OnImageSelect && picker) OnImageSelect(this, Col(), Row(), GridDropDownValue(picker, gdkImage).ItemIndex);
}

void TAdvStringGrid::PassStyleToDropDowns(TQELStyle AStyle) {
  FDropDownStyle = AStyle;
  for (TWinControl* d : FDropDownEditors)
    if (d) SetGridDropDownStyle(d, AStyle);
}

// =============================================================================================
// Opening and committing

TSpecialEditorOpened TAdvStringGrid::OpenDropDownRow(const TSpecialEditorCell& Cell) {
  TWinControl* editor = DropDownEditor(EditControl);
  if (!editor) return {};
  TGridDropDownOpening o;
  o.R = Cell.R;
  o.W = Cell.W;
  o.H = Cell.H;
  o.Color = Cell.Color;
  o.Text = GetEditText(Cell.DCol, Cell.DRow);
  const TCellType type = DropDownRowsCellType(this, Cell.RCol, Cell.DRow);
  if (EditControl == edColorPickerDropDown)
    o.PickColor = type == ctShape ? GetShapeColor(Cell.RCol, Cell.DRow) : GetColors(Cell.RCol, Cell.DRow);
  if (EditControl == edImagePickerDropDown && (type == ctImageList || type == ctDataImage)) {
    o.ShowImages = true;
    o.Images = FGridImages;
    if (type == ctImageList)
      GetImageIdx(Cell.RCol, Cell.DRow, o.ImageIndex);
    else
      o.ImageIndex = Ints(Cell.RCol, Cell.DRow);
  }
  o.Header = FControlLook->DropDownHeader();
  o.Footer = FControlLook->DropDownFooter();
  o.Style = FDropDownStyle;
  o.DropDown = FMouseActions->DirectComboDrop();
  o.GetEditorProp = [this, &Cell] { DoGetEditorProp(Cell.RCol, Cell.DRow, FEditLink); };
  OpenGridDropDownEditor(editor, DropDownRowsKind(EditControl), o);
  return {editor, editor};
}

void TAdvStringGrid::CommitDropDownRow(int RCol, int DRow) {
  TWinControl* editor = DropDownEditor(EditControl);
  if (!editor) return;
  // Closed first, keeping what its popup holds: the memo takes its lines from it.
  CloseGridDropDownPopup(editor);
  if (EditMode) StoreEditText(RCol, DRow, GridDropDownValue(editor, DropDownRowsKind(EditControl)).Text);
  // Hiding the focused editor ends its focus, and its exit would commit a second time.
  EditMode = false;
  EditorHideControl(editor);
}

void TAdvStringGrid::CommitColorPickerRow(int RCol, int DRow) {
  TWinControl* picker = FDropDownEditors[gdkColor];
  if (!picker) return;
  CloseGridDropDownPopup(picker);
  if (EditMode) {
    TGridDropDownValue v = GridDropDownValue(picker, gdkColor);
    if (OnColorSelected) OnColorSelected(this, RCol, DRow, v.Color, v.Text);
    StoreEditText(RCol, DRow, v.Text);
    if (DropDownRowsCellType(this, RCol, DRow) == ctShape) {
      SetShapeColor(RCol, DRow, v.Color);
      RepaintRealCell(RCol, DRow);
    } else {
      SetColors(RCol, DRow, v.Color);
    }
  }
  EditMode = false;
  EditorHideControl(picker);
}

void TAdvStringGrid::CommitImagePickerRow(int RCol, int DRow) {
  TWinControl* picker = FDropDownEditors[gdkImage];
  if (!picker) return;
  CloseGridDropDownPopup(picker);
  if (EditMode) {
    int index = GridDropDownValue(picker, gdkImage).ImageIndex;
    if (OnImageSelected) OnImageSelected(this, RCol, DRow, index);
    const TCellType type = DropDownRowsCellType(this, RCol, DRow);
    if (type == ctImageList) {
      SetImageIdx(RCol, DRow, index);
      RepaintRealCell(RCol, DRow);
    } else if (type == ctDataImage) {
      StoreEditText(RCol, DRow, IntToStr(index));
    }
  }
  EditMode = false;
  EditorHideControl(picker);
}
