// Scrolling while something is dragged over the grid: the mouse held near an edge scrolls one row
// or column after the first delay, then after every repeat delay.
#include <algorithm>

#include "grid/core/AdvGrid.h"

void TAdvStringGrid::StopDragScroll() {
  delete FDragTmr;
  FDragTmr = nullptr;
}

void TAdvStringGrid::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  TDragScrollOptions* o = FDragScrollOptions.get();
  if (o->Active()) {
    const TDragScrollDirections previous = FDragScrollDirection;
    FDragScrollDirection = {};
    if (State == dsDragLeave) StopDragScroll();
    if (State == dsDragEnter || State == dsDragMove) {
      TDragScrollMargins* m = o->Margins();
      if (Y < m->TopMargin())
        FDragScrollDirection.Include(dsdUp);
      else if (Y > Height() - m->BottomMargin())
        FDragScrollDirection.Include(dsdDown);
      if (X < m->LeftMargin())
        FDragScrollDirection.Include(dsdLeft);
      else if (X > Width() - m->RightMargin())
        FDragScrollDirection.Include(dsdRight);
    }
    if (!FDragScrollDirection.Empty()) {
      const unsigned initial = static_cast<unsigned>(std::max(0, o->Delays()->InitialDelay()));
      if (!FDragTmr) {
        // The grid owns the timer: a grid freed during a drag takes it along.
        FDragTmr = new TTimer(this);
        FDragTmr->OnTimer = [this](TObject*) { DragScrollTick(); };
        FDragTmr->SetInterval(initial);
        FDragTmr->SetEnabled(true);
      } else if (!previous.Empty()) {
        // Moving on near the edge starts the wait again.
        FDragTmr->SetEnabled(false);
        FDragTmr->SetInterval(initial);
        FDragTmr->SetEnabled(true);
      }
    } else {
      StopDragScroll();
    }
  } else {
    StopDragScroll();
  }
  TBaseGrid::DragOver(Source, X, Y, State, Accept);
}

void TAdvStringGrid::DragScrollTick() {
  TDragScrollOptions* o = FDragScrollOptions.get();
  if (!o->Active()) {
    StopDragScroll();
    return;
  }
  FDragTmr->SetInterval(static_cast<unsigned>(std::max(0, o->Delays()->RepeatDelay())));
  if (OnDragScroll) {
    bool canScroll = true;
    OnDragScroll(this, TopRow(), LeftCol(), FDragScrollDirection, canScroll);
    if (!canScroll) return;
  }
  const TDragScrollDirections d = FDragScrollDirection;
  if (d.Contains(dsdUp) && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
  if (d.Contains(dsdDown) && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
  if (d.Contains(dsdLeft) && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
  if (d.Contains(dsdRight) && VisibleColCount() + LeftCol() < ColCount()) SetLeftCol(LeftCol() + 1);
}
