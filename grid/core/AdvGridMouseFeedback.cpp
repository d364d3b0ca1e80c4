// Feedback of the press and move overrides: the drop-down button of hover-highlighted fixed cells
// and their pressed look, the scroll bar over an in-cell scroll bar cell, the hovered cell button
// and the selection frame of a whole-row or whole-column drag.
#include <algorithm>

#include "grid/core/AdvGrid.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

void TAdvStringGrid::SetFixedDropDownMenu(TPopupMenu* Value) {
  if (FFixedDropDownMenu == Value) return;
  if (FFixedDropDownMenu) FFixedDropDownMenu->RemoveFreeNotification(this);
  FFixedDropDownMenu = Value;
  // A menu freed elsewhere must not be popped up later.
  if (Value) Value->FreeNotification(this);
}

bool TAdvStringGrid::PressFixedDropDown(int DCol, int DRow, int X) {
  const TRect cr = CellRect(DCol, DRow);
  // With column sizing the last 2 pixels belong to the border.
  const int edge = cr.Right - (Options().Contains(goColSizing) ? 2 : 0);
  if (!(X > cr.Right - 16 && X < edge)) return false;
  FFixedDropDownDown = true;
  if (!FFixedDropDownMenu && !OnFixedDropDownClick) return false;
  FNoMouseLeave = true;
  TPopupMenu* menu = FFixedDropDownMenu;
  if (menu) menu->SetTag(DCol);
  bool keep = false;
  if (OnFixedDropDownClick) OnFixedDropDownClick(this, DCol, DRow, menu, keep);
  if (menu) {
    FMouseDownMove = false;
    FHoverFixedX = DCol;
    FHoverFixedY = DRow;
    RepaintCell(DCol, DRow);
    const TPoint at = ClientToScreen(Point(cr.Right - 16, cr.Bottom));
    menu->Popup(at.X, at.Y);
    FHoverFixedX = FHoverFixedY = -1;
    RepaintCell(DCol, DRow);
  }
  FNoMouseLeave = keep;
  return true;
}

bool TAdvStringGrid::HasPressedLook(int DCol, int DRow) {
  return DCol >= 0 && DRow >= 0 && DRow == FixedRows() - 1 && IsHoverFixedCell(DCol, DRow) &&
         FControlLook->FixedGradientDownTo() != clNone;
}

void TAdvStringGrid::TrackCellScrollBar(int DCol, int DRow) {
  if (!FScrollBar) return;
  const int rc = RealColIndex(DCol);
  if (!HasScrollBar(rc, DRow)) {
    FScrollBar->SetVisible(false);
    return;
  }
  const bool sameCell = FScrollCol == rc && FScrollRow == DRow;
  FScrollCol = rc;
  FScrollRow = DRow;
  const int pos = GetScrollPosition(rc, DRow);
  FScrollBar->SetPosition(pos);
  const TScrollProp prop = GetScrollProp(rc, DRow);
  // A cell whose page holds the whole range shows no bar, nor the bar of the cell before.
  if (prop.PageSize >= prop.Range) {
    FScrollBar->SetVisible(false);
    return;
  }
  if (sameCell && FScrollBar->Visible()) return;
  const TRect cr = CellRect(DCol, DRow);
  const int lw = GridLineWidth(), bw = 17;
  FScrollBar->SetPageSize(prop.PageSize);
  FScrollBar->SetMin(0);
  FScrollBar->SetMax(prop.Range);
  FScrollBar->SetBounds(cr.Right - bw - lw, cr.Top + lw, bw, cr.Height() - 2 * lw);
  FScrollBar->SetPosition(pos);
  FScrollBar->SetVisible(true);
}

void TAdvStringGrid::TrackHoverButton(int DCol, int DRow, int X, int Y) {
  const int rc = DCol >= 0 && DRow >= 0 ? RealColIndex(DCol) : -1;
  const TPoint at = Point(X, Y);
  const bool over = rc >= 0 && ((HasButton(rc, DRow) && PtInRect(GetCellButtonRect(DCol, DRow), at)) ||
                                (HasExpand(rc, DRow) && PtInRect(GetExpandButtonRect(rc, DRow), at)));
  const TPoint old = FHoverButton;
  if (over) {
    if (old.X == DCol && old.Y == DRow) return;
    FHoverButton = TPoint{DCol, DRow};
    if (old.X >= 0) RepaintCell(old.X, old.Y);
    RepaintCell(DCol, DRow);
  } else if (old.X >= 0) {
    FHoverButton = TPoint{-1, -1};
    RepaintCell(old.X, old.Y);
  }
}

void TAdvStringGrid::RepaintSizeSelection(const TGridRect& Before, bool Rows) {
  const TGridRect now = Selection();
  if (now == Before) return;
  // Both bands: the frame leaves the old one and surrounds the new one.
  const TGridRect old = Before;
  FSizeSelection = now;
  if (Rows) {
    const int top = std::max(std::min({old.Top, old.Bottom, now.Top, now.Bottom}), TopRow());
    const int bottom = std::min(std::max({old.Top, old.Bottom, now.Top, now.Bottom}),
                                TopRow() + VisibleRowCount());
    for (int r = top; r <= bottom && r < RowCount(); ++r) RepaintRow(r);
  } else {
    const int left = std::max(std::min({old.Left, old.Right, now.Left, now.Right}), LeftCol());
    const int right = std::min(std::max({old.Left, old.Right, now.Left, now.Right}),
                               LeftCol() + VisibleColCount());
    for (int c = left; c <= right && c < ColCount(); ++c) RepaintCol(c);
  }
}
