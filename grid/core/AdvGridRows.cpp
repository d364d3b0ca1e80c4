// Row indices: the records of hidden rows, the real/display row mappings, the current and top
// row accessors, the sort cross-reference look-ups, and scrolling a cell into view.
#include <algorithm>
#include <memory>

#include "grid/core/AdvGrid.h"

TGridItem* TAdvStringGrid::HiddenRowItem(int RRow) const {
  for (int i = 0; i < FGridItems->Count(); ++i) {
    auto* item = static_cast<TGridItem*>(FGridItems->Items(i));
    if (item->Idx() == RRow) return item;
  }
  return nullptr;
}

bool TAdvStringGrid::IsHiddenRow(int RRow) const { return HiddenRowItem(RRow) != nullptr; }

bool TAdvStringGrid::IsHiddenRow(int RRow, TIntList*& ListHidden) const {
  if (!ListHidden) {
    ListHidden = new TIntList(0, 0);
    for (int i = 0; i < FGridItems->Count(); ++i) ListHidden->Add(static_cast<TGridItem*>(FGridItems->Items(i))->Idx());
  }
  return ListHidden->HasValue(RRow);
}

int TAdvStringGrid::DisplToRealRow(int DRow) const {
  if (NumHiddenRows() == 0) return DRow;
  TIntList* list = nullptr;
  std::unique_ptr<TIntList> owner;
  int shown = 0;
  int r = 0;
  // Rows beyond the last record are all shown, so the walk ends after at most DRow + records steps.
  for (;; ++r) {
    bool hidden = IsHiddenRow(r, list);
    if (!owner) owner.reset(list);
    if (hidden) continue;
    if (shown == DRow) break;
    ++shown;
  }
  return r;
}

int TAdvStringGrid::RealToDisplRow(int RRow) const {
  int below = 0;
  for (int i = 0; i < FGridItems->Count(); ++i)
    if (static_cast<TGridItem*>(FGridItems->Items(i))->Idx() < RRow) ++below;
  return RRow - below;
}

void TAdvStringGrid::SetRowEx(int DRow) {
  if (Col() < 0 || Col() > ColCount() - 1) FocusCell(TCustomGrid::FixedCols(), DRow, true);
  TCustomGrid::SetRow(DRow);
  int now = TCustomGrid::Row();
  if (now != FOldRowUpdate && OnRowUpdate) {
    OnRowUpdate(this, FOldRowUpdate, now);
    FOldRowUpdate = now;
  }
  if (FSyncGrid->Grid() && FSyncGrid->SelectionRow()) {
    if (auto* g = dynamic_cast<TAdvStringGrid*>(FSyncGrid->Grid()))
      g->SetRowEx(DRow);
    else
      FSyncGrid->Grid()->SetRow(DRow);
  }
  if (DRow == RowCount() - 1 && FSearchFooter->Visible()) AdjustTopRowForSearchFooter();
}

void TAdvStringGrid::SetTopRowEx(int DRow) {
  if (DRow >= TCustomGrid::FixedRows() && DRow <= RowCount() - 1) TCustomGrid::SetTopRow(DRow);
}

int TAdvStringGrid::SortedRowIndex(int ARow) const {
  if (ARow >= 0 && ARow < FSortRowXRef->Count()) return RealRowIndex(FSortRowXRef->Items(ARow));
  return RealRowIndex(ARow);
}

int TAdvStringGrid::UnSortedRowIndex(int ARow) const {
  if (FSortRowXRef->Count() == 0) return ARow;
  for (int p = 0; p < FSortRowXRef->Count(); ++p)
    if (FSortRowXRef->Items(p) == ARow) return p;
  return FSortRowXRef->Count();
}

String TAdvStringGrid::GetUnSortedCell(int RCol, int ARow) {
  int p = ARow <= FSortRowXRef->Count() ? UnSortedRowIndex(ARow) : ARow;
  return GetCellEx(RCol, p);
}

void TAdvStringGrid::SetUnSortedCell(int RCol, int ARow, const String& Value) {
  int p = ARow <= FSortRowXRef->Count() ? UnSortedRowIndex(ARow) : ARow;
  SetCellEx(RCol, p, Value);
}

// =============================================================================================

void TAdvStringGrid::ScrollInView(int DCol, int DRow) {
  if (DCol < 0 || DRow < 0 || DCol >= ColCount() || DRow >= RowCount()) return;
  const int fixedCols = TCustomGrid::FixedCols(), fixedRows = TCustomGrid::FixedRows();
  const int visCols = VisibleColCount(), visRows = VisibleRowCount();
  int l = LeftCol(), t = TopRow();
  if (DCol < LeftCol() || DCol >= LeftCol() + visCols) {
    SetCol(DCol);
    l = std::max(DCol - visCols / 2, fixedCols);
  }
  if (DRow < TopRow() || DRow >= TopRow() + visRows) {
    SetRowEx(DRow);
    t = std::max(DRow - visRows / 2, fixedRows);
  }
  l = std::min(l, ColCount() - visCols + 1);
  if (fixedCols + visCols < ColCount()) SetLeftCol(l);
  t = std::min(t, RowCount() - visRows + 1);
  if (fixedRows + visRows >= RowCount()) return;
  SetTopRowEx(t);
  if (FSearchFooter->Visible() && FSearchPanel) {
    // The client area inside the frame, the horizontal bar included (taken off below).
    int usable = TCustomControl::ClientRect().Height() - FSearchPanel->Height();
    if (fixedCols + VisibleColCount() < ColCount()) usable -= static_cast<int>(ScrollBarHeight());
    // Grows the top row while the cell's bottom is below the usable height, and stops as soon
    // as the top row cannot grow any more.
    while (TBaseGrid::CellRect(0, DRow).Bottom > usable) {
      int before = TopRow();
      ScrollTopRowPastPage(before + 1);
      if (TopRow() == before) break;
    }
  }
}
