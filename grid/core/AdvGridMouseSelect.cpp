// Selecting whole rows, columns or the grid from the fixed cells: the select mode the mouse is
// over (the cursor follows it), the press that starts such a selection and the drag that extends
// it; and the question whether a column or row being dragged may move on.
#include <algorithm>
#include <cstdlib>

#include "grid/core/AdvGrid.h"

namespace {

// Within Slack pixels of one of the cell's two edges (left/right, or top/bottom).
bool MouseSelectNearEdge(int Pos, int Low, int High, int Slack) {
  return std::abs(Pos - Low) < Slack || std::abs(Pos - High) < Slack;
}

}  // namespace

int TAdvStringGrid::LastRowSelectRow() const {
  const bool footerRow = FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow;
  return RowCount() - (footerRow ? 2 : 1);
}

void TAdvStringGrid::UpdateMouseSelectMode(int X, int Y, int DCol, int DRow) {
  FMouseSelectMode = msNormal;
  if (DCol < 0 || DRow < 0) return;
  const TRect cr = CellRect(DCol, DRow);
  const bool inFixedCols = DCol < FixedCols(), inFixedRows = DRow < FixedRows();
  if (inFixedCols && inFixedRows) {
    if (FMouseActions->AllSelect()) FMouseSelectMode = msAll;
    return;
  }
  if (inFixedRows && DCol >= FixedCols() && FMouseActions->ColSelect()) {
    if (!(Options().Contains(goColSizing) && MouseSelectNearEdge(X, cr.Left, cr.Right, 4))) FMouseSelectMode = msColumn;
    return;
  }
  if (inFixedCols && FMouseActions->RowSelect()) {
    // While a row drag has scrolled up, the fixed rows keep the row mode.
    const int first = FRowSelectScrolledUp ? 0 : FixedRows();
    if (DRow < first || DRow > LastRowSelectRow()) return;
    if (!(Options().Contains(goRowSizing) && MouseSelectNearEdge(Y, cr.Top, cr.Bottom, 3))) FMouseSelectMode = msRow;
  }
}

bool TAdvStringGrid::PressHeaderSelection(int DCol, int DRow, bool Shift) {
  const bool all = DCol < FixedCols() && DRow < FixedRows() && FMouseActions->AllSelect() &&
                   Options().Contains(goRangeSelect) && FMouseSelectMode == msAll;
  const bool rows = DCol < FixedCols() && DRow >= FixedRows() && FMouseActions->RowSelect() && FMouseSelectMode == msRow;
  const bool cols = DRow < FixedRows() && DCol >= FixedCols() && FMouseActions->ColSelect() &&
                    Options().Contains(goRangeSelect) && FMouseSelectMode == msColumn;
  if (!all && !rows && !cols) return false;
  const TGridRect cur = Selection();
  const TGridRect old{std::min(cur.Left, cur.Right), std::min(cur.Top, cur.Bottom), std::max(cur.Left, cur.Right),
                      std::max(cur.Top, cur.Bottom)};
  TGridRect sel{};
  if (all) {
    if (CanFocus()) SetFocus();
    sel = TGridRect{FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1};
  } else if (rows) {
    if (EditMode && CanFocus()) SetFocus();
    if (FMouseActions->DisjunctCellSelect()) FSelectedCells->Clear();
    const int from = Shift ? old.Top : DRow;
    sel = TGridRect{FixedCols(), std::min(from, DRow), ColCount() - 1, std::max(from, DRow)};
    FMouseSelectStart = DRow;
  } else {
    if (CanFocus()) SetFocus();
    if (FMouseActions->DisjunctCellSelect()) FSelectedCells->Clear();
    int left = DCol, right = DCol;
    if (Shift) {
      if (DCol < old.Left) right = old.Right;
      else left = old.Left;
    }
    sel = TGridRect{left, FixedRows(), right, RowCount() - 1};
    FMouseSelectStart = DCol;
  }
  SetSelection(sel);
  FSelHidden = false;
  DoExit();
  if (FActiveCellShow) {
    // The active look sits on the last fixed row and column (see DoGetCellColor).
    const int fr = FixedRows() - 1, fc = FixedCols() - 1;
    if (fr >= 0) RepaintCell(old.Left, fr);
    if (fc >= 0) RepaintCell(fc, old.Top);
    RepaintCell(DCol, DRow);
  }
  return true;
}

void TAdvStringGrid::DragHeaderSelection(int Y, int DCol, int DRow) {
  if (FMouseSelectStart < 0 || DRow < 0 || DCol < 0) return;
  const TGridRect before = Selection();
  if (FMouseActions->RowSelect() && FMouseSelectMode == msRow) {
    if (DRow >= FixedRows() && DRow <= RowCount() - FixedFooters()) {
      const int to = std::max(DRow, FixedRows());
      SetSelection(TGridRect{FixedCols(), std::min(FMouseSelectStart, to), ColCount() - 1, std::max(FMouseSelectStart, to)});
    }
    if (Y > ClientHeight() - 4 && TopRow() + VisibleRowCount() < RowCount()) {
      SetTopRow(TopRow() + 1);
    } else if (FixedRows() > 0 && Y < RowHeights(0) && TopRow() > FixedRows()) {
      SetTopRow(TopRow() - 1);
      FRowSelectScrolledUp = true;
    }
  } else if (FMouseActions->ColSelect() && FMouseSelectMode == msColumn) {
    const int to = std::max(DCol, FixedCols());
    SetSelection(TGridRect{std::min(FMouseSelectStart, to), FixedRows(), std::max(FMouseSelectStart, to), RowCount() - 1});
  }
  if (FSelectionRectangle) RepaintSizeSelection(before, FMouseSelectMode == msRow);
}

void TAdvStringGrid::EndHeaderSelection() {
  FMouseSelectStart = -1;
  FRowSelectScrolledUp = false;
}

void TAdvStringGrid::AskMoveAllowed() {
  const bool cols = GridState() == gsColMoving, rows = GridState() == gsRowMoving;
  const TGridMoveAllowEvent& ask = cols ? OnColumnMove : OnRowMove;
  if ((!cols && !rows) || !ask) return;
  bool allow = true;
  ask(this, moveIndex_, allow);
  if (allow) return;
  // The move ends here: its look and drag cursor with it.
  CancelEnhancedMove();
  gridState_ = gsNormal;
}
