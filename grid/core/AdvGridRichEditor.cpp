// The rich-text cell editor (edRichEdit): the grid's inplace rich edit, its keys, the row that
// grows while typing, and its row of the special-editor table.
#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridEditorKeys.h"
#include "grid/core/AdvRichEdit.h"

void TAdvRichEdit::ReCreate() {
  // The platform's control keeps no window state of its own; starting from an empty document
  // leaves nothing of the previous cell.
  SetText(String());
  SelNormal();
}

void TAdvRichEdit::GrowRowWhileTyping(int Height) {
  if (FLocked || !FGrid->SizeWhileTyping()->Height()) return;
  const int row = FGrid->Row();
  const TRect cell = FGrid->CellRect(FGrid->Col(), row);
  if (FGrid->RowHeights(row) < Height + 5 && cell.Top + Height + 5 < FGrid->Height()) {
    SetHeight(Height + 9);
    FGrid->SetRowHeights(row, Height + 10);
    if (FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, row);
  }
}

void TAdvRichEdit::KeyDown(Word& Key, TShiftState Shift) {
  TRichEdit::KeyDown(Key, Shift);
  if (!FGrid || this != FGrid->FInplaceRichEdit) return;
  if (Key == VK_TAB && FGrid->Options().Contains(goTabs)) {
    FGrid->SetInvokedFocusChange(true);
    try {
      FGrid->SetFocus();
    } catch (...) {
      FGrid->SetInvokedFocusChange(false);
      throw;
    }
    FGrid->SetInvokedFocusChange(false);
    Word k = VK_TAB;
    FGrid->KeyDown(k, Shift);
    FGrid->ShowInplaceEdit();
    Key = 0;
    return;
  }
  if ((Key == VK_UP || Key == VK_DOWN) && !FGrid->WordWrap() && !FGrid->Multilinecells) {
    FGrid->SetFocus();
    Word k = Key;
    FGrid->KeyDown(k, Shift);
    Key = 0;
  }
}

void TAdvRichEdit::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KILLFOCUS && FGrid && this == FGrid->FInplaceRichEdit) {
    if (!FGrid->InvokedFocusChange() && reinterpret_cast<TControl*>(Message.WParam) == FGrid)
      FGrid->HideInplaceEdit();
  }
  TRichEdit::WndProc(Message);
}

// =============================================================================================
// The grid's side

TAdvRichEdit* TAdvStringGrid::InplaceRichEdit() {
  if (!FInplaceRichEdit) {
    FInplaceRichEdit = New<TAdvRichEdit>(this);
    FInplaceRichEdit->SetVisible(false);
    FInplaceRichEdit->SetParent(this);
    FInplaceRichEdit->OnSelectionChange = [this](TObject*) {
      if (OnRichEditSelectionChange) OnRichEditSelectionChange(this);
    };
  }
  return FInplaceRichEdit;
}

TSpecialEditorOpened TAdvStringGrid::OpenRichEditRow(const TSpecialEditorCell& Cell) {
  TAdvRichEdit* re = InplaceRichEdit();
  re->ReCreate();
  re->SetBorderStyle(bsNone);
  re->SetHideSelection(false);
  re->SetBounds(Cell.R.Left, Cell.R.Top, Cell.W, Cell.H);
  DoGetEditorProp(Cell.RCol, Cell.DRow, FEditLink);
  re->SetLocked(true);
  try {
    CellToRich(Cell.RCol, Cell.DRow, re);
    if (FNavigation->EditSelectAll()) re->SelectAll();
    re->SetVisible(true);
    re->SetEnabled(true);
    re->SetFormatRect(Rect(2, 2, Cell.R.Right - Cell.R.Left - 2, Cell.R.Bottom - Cell.R.Top - 2));
    re->SetColor(Cell.Color);
    if (re->CanFocus()) re->SetFocus();
  } catch (...) {
    re->SetLocked(false);
    throw;
  }
  re->SetLocked(false);
  return {re, re};
}

void TAdvStringGrid::CommitRichEditRow(int RCol, int DRow) {
  TAdvRichEdit* re = FInplaceRichEdit;
  if (!re) return;
  StoreEditText(RCol, DRow, RichToString(re));
  EditMode = false;
  EditorHideControl(re);
}
