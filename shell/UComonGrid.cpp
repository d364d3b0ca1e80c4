// The row commands every table form offers on its grids, and the two input conveniences (Enter to
// the next cell, header double click). One copied row is held for the whole program.
#include "grid/core/AdvColumnGrid.h"
#include "platform/Classes.h"
#include "platform/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

namespace {

constexpr int kUsedRowQuestion = 1500;
constexpr int kOtherColumnCount = 1501;
constexpr int kNoValidCopy = 1502;

// The last real column a row operation touches: hidden columns live beyond ColCount.
int LastRowCol(TAdvStringGrid* Grid) { return Grid->ColCount() + Grid->NumHiddenColumns() - 1; }

TStringList* Clipboard() {
  if (!Grid_Clipboard) Grid_Clipboard = new TStringList();
  return Grid_Clipboard;
}

bool MaskEntry(int Index) {
  return Index >= 0 && Index < static_cast<int>(Grid_Clipboard_CB_Mask.size()) && Grid_Clipboard_CB_Mask[Index];
}

bool IsCheckBoxCell(TAdvStringGrid* Grid, int RCol, int DRow, bool& State) {
  State = false;
  return Grid->GetCheckBoxState(RCol, DRow, State);
}

bool IsDataCheckBoxColumn(TAdvColumnGrid* Grid, int RCol) {
  TGridColumnCollection* cols = Grid->Columns();
  return RCol < cols->Count() && cols->Items(RCol)->Editor() == edDataCheckBox;
}

// Reading a flag creates no properties; setting one creates them only when there is something to
// keep.
bool CellReadOnly(TAdvStringGrid* Grid, int RCol, int DRow) {
  return Grid->HasCellProperties(RCol, DRow) && Grid->GetCellProperties(RCol, DRow)->ReadOnly();
}

void SetCellReadOnly(TAdvStringGrid* Grid, int RCol, int DRow, bool ReadOnly) {
  if (!ReadOnly && !Grid->HasCellProperties(RCol, DRow)) return;
  Grid->GetCellProperties(RCol, DRow)->SetReadOnly(ReadOnly);
}

// The two checks every paste makes before it looks at the row; false when one refused.
bool PasteAllowed(TAdvStringGrid* Grid, bool Valid_Copy) {
  if (!Valid_Copy) {
    MessageDlg(UI_Text(kNoValidCopy), mtError, TMsgDlgButtons{mbOK});
    return false;
  }
  if (LastRowCol(Grid) != Clipboard()->Count()) {
    MessageDlg(UI_Text(kOtherColumnCount), mtError, TMsgDlgButtons{mbOK});
    return false;
  }
  return true;
}

bool OverwriteConfirmed() {
  return MessageDlg(UI_Text(kUsedRowQuestion), mtConfirmation, TMsgDlgButtons{mbYes, mbNo}) == mrYes;
}

// One cell of a _CB move: the box's state where the source has a box, else the text; then the
// read-only flag.
void MoveCellCB(TAdvStringGrid* Grid, int RCol, int FromRow, int ToRow) {
  bool state = false;
  if (IsCheckBoxCell(Grid, RCol, FromRow, state))
    Grid->SetCheckBoxState(RCol, ToRow, state);
  else
    Grid->SetCellEx(RCol, ToRow, Grid->GetCellEx(RCol, FromRow));
  SetCellReadOnly(Grid, RCol, ToRow, CellReadOnly(Grid, RCol, FromRow));
}

void ClearRowCB(TAdvStringGrid* Grid, int DRow, bool Enable, bool ReadOnly) {
  for (int c = 1; c <= LastRowCol(Grid); ++c) {
    bool state = false;
    if (IsCheckBoxCell(Grid, c, DRow, state))
      Grid->SetCheckBoxState(c, DRow, c == 1 && Enable);
    else
      Grid->SetCellEx(c, DRow, String());
    SetCellReadOnly(Grid, c, DRow, ReadOnly);
  }
}

}  // namespace

void Grid_Auto_Size_Col(TAdvStringGrid* Grid, int DRow, int DCol) {
  if (Opt_Double_Click_Auto_Size && DRow == 0) Grid->AutoSizeCol(DCol, 0);
}

void Grid_Enter_Next_Cell(TAdvStringGrid* Grid, Char& Key) {
  if (!Opt_Jump_Field_Tables || Key != 13) return;
  const int col = Grid->Col();
  const int row = Grid->GetRowEx();
  if (col > 0 && row > 0) {
    if (col < Grid->ColCount() - 1) {
      Grid->SetCol(col + 1);
    } else {
      Grid->SetCol(1);
      Grid->SetRowEx(row == Grid->RowCount() - 1 ? 1 : row + 1);
    }
  }
  Key = 0;
}

void Grid_Copy_Row(TAdvColumnGrid* Grid, int DRow) {
  TStringList* clip = Clipboard();
  clip->Clear();
  for (int c = 1; c <= LastRowCol(Grid); ++c) clip->Add(Grid->GetCellEx(c, DRow));
}

bool Grid_Paste_Row(TAdvColumnGrid* Grid, int DRow, bool Valid_Copy) {
  if (!PasteAllowed(Grid, Valid_Copy)) return false;
  const int n = LastRowCol(Grid);
  bool used = false;
  for (int c = 1; c <= n && !used; ++c)
    used = !IsDataCheckBoxColumn(Grid, c) && !Trim(Grid->GetCellEx(c, DRow)).empty();
  if (used && !OverwriteConfirmed()) return false;
  for (int c = 1; c <= n; ++c) Grid->SetCellEx(c, DRow, Clipboard()->Strings(c - 1));
  return true;
}

void Grid_Insert_Row(int DRow, TAdvColumnGrid* Grid, bool Enable) {
  const int n = LastRowCol(Grid);
  for (int r = Grid->RowCount() - 2; r >= DRow; --r)
    for (int c = 1; c <= n; ++c) Grid->SetCellEx(c, r + 1, Grid->GetCellEx(c, r));
  for (int c = 1; c <= n; ++c) Grid->SetCellEx(c, DRow, c == 1 && Enable ? String(u"Y") : String());
}

void Grid_Delete_Row(int DRow, TAdvColumnGrid* Grid) {
  const int n = LastRowCol(Grid);
  const int last = Grid->RowCount() - 1;
  for (int r = DRow; r < last; ++r)
    for (int c = 1; c <= n; ++c) Grid->SetCellEx(c, r, Grid->GetCellEx(c, r + 1));
  for (int c = 1; c <= n; ++c) Grid->SetCellEx(c, last, String());
}

void Grid_Copy_Row_CB(TAdvStringGrid* Grid, int DRow) {
  TStringList* clip = Clipboard();
  clip->Clear();
  const int n = LastRowCol(Grid);
  Grid_Clipboard_CB_Mask.assign(static_cast<size_t>(n), false);
  for (int c = 1; c <= n; ++c) {
    bool state = false;
    if (IsCheckBoxCell(Grid, c, DRow, state)) {
      Grid_Clipboard_CB_Mask[c - 1] = true;
      clip->Add(state ? u"Y" : u"N");
    } else {
      clip->Add(Grid->GetCellEx(c, DRow));
    }
  }
}

bool Grid_Paste_Row_CB(TAdvStringGrid* Grid, int DRow, bool Valid_Copy) {
  if (!PasteAllowed(Grid, Valid_Copy)) return false;
  const int n = LastRowCol(Grid);
  bool used = false;
  for (int c = 1; c <= n && !used; ++c) {
    bool state = false;
    used = !IsCheckBoxCell(Grid, c, DRow, state) && !Grid->GetCellEx(c, DRow).empty();
  }
  if (used && !OverwriteConfirmed()) return false;
  for (int c = 1; c <= n; ++c) {
    const String& text = Clipboard()->Strings(c - 1);
    if (MaskEntry(c - 1))
      Grid->SetCheckBoxState(c, DRow, text == u"Y");
    else
      Grid->SetCellEx(c, DRow, text);
  }
  return true;
}

void Grid_Insert_Row_CB(int DRow, TAdvStringGrid* Grid, bool Enable) {
  const int n = LastRowCol(Grid);
  for (int r = Grid->RowCount() - 2; r >= DRow; --r)
    for (int c = 1; c <= n; ++c) MoveCellCB(Grid, c, r, r + 1);
  ClearRowCB(Grid, DRow, Enable, false);
}

void Grid_Delete_Row_CB(int DRow, TAdvStringGrid* Grid, bool Enable) {
  const int n = LastRowCol(Grid);
  const int last = Grid->RowCount() - 1;
  for (int r = DRow; r < last; ++r)
    for (int c = 1; c <= n; ++c) MoveCellCB(Grid, c, r + 1, r);
  ClearRowCB(Grid, last, Enable, true);
}
