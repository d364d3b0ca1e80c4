// What follows a scroll or a new size of the grid: repaints the view needs, special editors
// closed, cell controls placed over their cells, attached grids scrolled, and column widths
// synchronised with (or stretched to) the grid's width.
#include <cmath>

#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridMoveControls.h"

void TAdvStringGrid::TopLeftChanged() {
  TBaseGrid::TopLeftChanged();
  if (FDestroying) return;
  const TGridRect sel = Selection();
  if (FSelectionRectangle && std::abs(sel.Bottom - sel.Top) > 0) Invalidate();
  // A gradient background does not scroll with the cells: it is drawn again under them.
  const TBackGroundDisplay display = FBackGround->Display();
  if ((display == bdGradientHorz || display == bdGradientVert) && FBackGround->ColorTo() != clNone) Invalidate();
  // The inplace text editor scrolls with the grid; a special editor is closed.
  if (EditMode && !IsInplaceEditorKind(EditControl)) HideInplaceEdit();
  if (FFloatingFooter->Visible() && RowCount() > 0) RepaintRow(RowCount() - 1);
  CellControlsUpdate(false);
  if (FVertIndicator) FVertIndicator->Invalidate();
  if (FHorzIndicator) FHorzIndicator->Invalidate();
  FOldLeftCol = LeftCol();
  FOldTopRow = TopRow();
  if (Designing()) Invalidate();
  if (TStringGrid* other = FSyncGrid->Grid()) {
    if (FSyncGrid->ScrollVertical() && other->TopRow() != TopRow()) other->SetTopRow(TopRow());
    if (FSyncGrid->ScrollHorizontal() && other->LeftCol() != LeftCol()) other->SetLeftCol(LeftCol());
  }
}

void TAdvStringGrid::CellControlsUpdate(bool RebuildList) {
  if (!HandleAllocated()) return;
  if (RebuildList) {
    while (FControlList->Count() > 0) FControlList->RemoveControl(FControlList->Count() - 1);
    const int cols = ColCount() + NumHiddenColumns();
    for (int r = 0; r < RowCount(); ++r)
      for (int c = 0; c < cols; ++c)
        if (HasCellProperties(c, r))
          if (TControl* ctl = GetCellProperties(c, r)->Control()) FControlList->AddControl(c, RealRowIndex(r), ctl);
  }
  const int lastCol = LeftCol() + VisibleColCount();
  const int lastRow = TopRow() + VisibleRowCount();
  auto inView = [&](int DCol, int DRow) {
    return DCol >= LeftCol() && DCol <= lastCol && DRow >= TopRow() && DRow <= lastRow;
  };
  if (FScrollBar && FScrollBar->Visible()) {
    const TRect cr = CellRect(Col(), Row());
    if (inView(Col(), Row()))
      FScrollBar->SetBounds(cr.Right - FScrollBar->Width(), cr.Top, FScrollBar->Width(), cr.Height());
    else
      FScrollBar->SetHeight(0);
  }
  if (FControlList->Count() == 0) return;
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem* it = FControlList->GetControl(i);
    if (!it->Control) continue;
    if (IsHiddenRow(it->Y) || IsHiddenColumn(it->X)) {
      it->Control->SetVisible(false);
      continue;
    }
    const int dc = DisplColIndex(it->X), dr = DisplRowIndex(it->Y);
    const bool normal = dc >= FixedCols() && dr >= FixedRows() && dc < ColCount() && dr < RowCount();
    if (!normal) continue;
    if (inView(dc, dr)) {
      const TRect cr = CellRect(dc, dr);
      it->Control->SetBounds(cr.Left - 1, cr.Top - 1, cr.Width() + 1, cr.Height() + 1);
      it->Control->SetVisible(true);
    } else {
      it->Control->SetVisible(false);
    }
  }
  // A shown control is made to paint its frame again where the cell now is.
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem* it = FControlList->GetControl(i);
    if (!it->Control || !it->Control->Visible()) continue;
    const int dc = DisplColIndex(it->X), dr = DisplRowIndex(it->Y);
    if (dc < FixedCols() || dr < FixedRows() || !inView(dc, dr)) continue;
    it->Control->Invalidate();
    it->Control->SetWidth(it->Control->Width() + 1);
    it->Control->SetWidth(it->Control->Width() - 1);
  }
}

void TAdvStringGrid::InitOrigColSizes() {
  FOrigColSizes->Clear();
  for (int i = 0; i < ColCount(); ++i) FOrigColSizes->Add(ColWidths(i));
  FOldSize = Width();
}

bool TAdvStringGrid::SizeColumnsToWidth() {
  if (FColumnSize->SynchWithGrid() && FOldSize > 0) {
    HideInplaceEdit();
    const int w = Width() + (BorderStyle() == bsSingle ? 2 : 0);
    const double ratio = static_cast<double>(w) / FOldSize;
    const bool normalOnly = FColumnSize->SynchNormalCellsOnly();
    const int first = normalOnly ? FixedCols() : 0;
    const int last = normalOnly ? ColCount() - FixedRightCols() - 1 : ColCount() - 1;
    for (int c = first; c <= last && c < FOrigColSizes->Count(); ++c)
      SetColWidths(c, static_cast<int>(std::trunc(FOrigColSizes->Items(c) * ratio)));
  }
  if (!FColumnSize->Stretch() || (FScrollBarAlways != saNone && FScrollBarAlways != saVert) || ColCount() == 0)
    return false;
  int s = FColumnSize->StretchColumn();
  if (s < 0) s = ColCount() - 1;
  if (s >= ColCount()) return false;  // sizing never raises
  int others = 0;
  for (int c = 0; c < ColCount(); ++c)
    if (c != s) others += ColWidths(c);
  if (others >= Width()) return false;
  StretchColumn(FColumnSize->StretchColumn());
  return true;
}
