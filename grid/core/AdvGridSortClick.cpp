// The header click that sorts: a left press and release on the same cell of the sort row.
#include <cstdlib>

#include "grid/core/AdvGrid.h"
#include "platform/TimeSource.h"

void TAdvStringGrid::HeaderSortClick(int X, int Y, int DCol, int DRow, bool Dropped) {
  // The second click of a double click that auto-sized a column sorts nothing.
  if (FDblClk) {
    FDblClk = false;
    return;
  }
  const int RC = RealColIndex(DCol);
  const TRect cr = CellRect(DCol, DRow);
  // Near a column edge the click was meant for sizing.
  if (DRow == 0 && Options().Contains(goColSizing) && (std::abs(X - cr.Left) < 4 || std::abs(X - cr.Right) < 4)) return;
  int pressCol = -1, pressRow = -1;
  MouseToCell(Clickposx, Clickposy, pressCol, pressRow);
  // The header's drop-down and filter buttons sit at the cell's far end (mirrored right to left).
  const bool onButtonStrip = ClientToLayoutX(X) > LayoutCellRect(DCol, DRow).Right - 16;
  if (onButtonStrip && FControlLook->FixedDropDownButton()) {
    bool canShow = true;
    if (OnCanShowFixedDropDown) OnCanShowFixedDropDown(this, RC, canShow);
    if (canShow) return;
  }
  if (onButtonStrip && DRow == FFilterDropDownRow && DRow < FixedRows() && DoGetColumnFilter(RC)) return;
  TSortSettings* ss = FSortSettings.get();
  const bool sorts = ss->Row() == DRow && DRow == pressRow && FixedRows() > 0 &&
                     !(HasCheckBox(RC, DRow) && IsInCheckBox(RC, DRow, X, Y)) && ss->Show() && !Dropped &&
                     RowCount() > 2;
  if (!sorts) return;
  bool doSort = !IsIgnoredColumn(RC);
  if (OnCanSort) OnCanSort(this, RC, doSort);
  if (!doSort) {
    RepaintCell(DCol, ss->Row());
    return;
  }
  HideInplaceEdit();
  if (ss->AutoColumnMerge()) SplitAllCells();
  const bool keepLeft = Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll();
  const int left = LeftCol();
  if (keepLeft) BeginUpdate();
  const bool ascendingFirst = ss->InitSortDirection() == sdAscending;
  const uint32_t started = GetTickCount();
  if (ss->IndexShow()) {
    TSortIndexList* index = SortIndexes();
    const bool key = ss->IndexSortKey() == ikCtrl ? GetKeyState(VK_CONTROL) < 0 : GetKeyState(VK_SHIFT) < 0;
    if (key) {
      if (index->FindIndex(RC) < 0)
        index->AddIndex(RC, ascendingFirst);
      else
        index->ToggleIndex(RC);
    } else if (index->Count() == 1 && index->GetSortColumns(0) == RC) {
      index->ToggleIndex(RC);
    } else {
      index->Clear();
      index->AddIndex(RC, ascendingFirst);
    }
    if (HasNodes())
      QSortGroupIndexed();
    else
      QSortIndexed();
    // A plain column index: the readers of Column expect no direction bit.
    ss->SetColumn(index->Count() > 0 ? index->GetSortColumns(0) : -1);
  } else {
    bool undo = false;
    if (ss->Column() == RC) {
      undo = ss->Direction() != ss->InitSortDirection() && ss->UndoSort();
      ss->SetDirection(ss->Direction() == sdAscending ? sdDescending : sdAscending);
    } else {
      ss->SetDirection(ss->InitSortDirection());
      ss->SetColumn(RC);
    }
    if (HasNodes()) {
      QSortGroup();
    } else if (undo) {
      QUnSort();
      ss->SetColumn(-1);
    } else {
      QSort();
    }
  }
  SortTime = static_cast<int>(GetTickCount() - started);
  if (keepLeft) {
    SetLeftCol(left);
    EndUpdate();
  }
  if (ss->AutoColumnMerge())
    for (int i = 0; i < FMergedColumns->Count(); ++i) MergeColumnCells(FMergedColumns->Items(i), i == 0);
  if (FControlList->Count() > 0) CellControlsUpdate(true);
  DoClickSort(ss->Column());
}
