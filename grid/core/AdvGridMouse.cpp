// Mouse: the button messages before the class library's handling (check boxes, cell clicks,
// header auto-size, fixed borders, fixed-cell editors), the press, release and move overrides,
// hover, sizing feedback, hint follow and the selected-cells API.
#include <algorithm>
#include <cstdlib>

#include "grid/core/AdvGrid.h"
#include "platform/HintWindow.h"

namespace {

int PackCell(int DCol, int DRow) { return (DRow << 16) | (DCol & 0xFFFF); }

int IndexOfValue(TIntList* L, int Value) {
  for (int i = 0; i < L->Count(); ++i)
    if (L->Items(i) == Value) return i;
  return -1;
}

TGridRect Ordered(const TGridRect& S) {
  return TGridRect{std::min(S.Left, S.Right), std::min(S.Top, S.Bottom), std::max(S.Left, S.Right),
                   std::max(S.Top, S.Bottom)};
}

}  // namespace

// =============================================================================================
// Button messages

int TAdvStringGrid::FixedBorderAt(bool Rows, int Pos) {
  int edge = 0, found = -1;
  const int count = Rows ? FixedRows() : FixedCols();
  for (int i = 0; i < count; ++i) {
    edge += (Rows ? RowHeights(i) : ColWidths(i)) + (i > 0 ? GridLineWidth() : 0);
    if (std::abs(edge - Pos) < 3) found = i;
  }
  return found;
}

void TAdvStringGrid::WMLButtonDown(TMessage& Message) {
  const int X = LParamX(Message.LParam), Y = LParamY(Message.LParam);
  // As the window system does, the press gives the grid the focus before anything reacts to it.
  if (CanFocus() && !Focused()) SetFocus();
  FDoOnClick = FMouseDownMove = FMouseKeepDown = true;
  int ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  const TGridRect sel0 = Selection();
  FPressSelection = sel0;
  if (Options().Contains(goEditing) && FMouseActions->RangeSelectAndEdit() && !PointInGridRect(ACol, ARow, Ordered(sel0)))
    SetOptions(Options() - TGridOptions{goEditing});
  bool allow = true;
  if (OnCanClickCell) OnCanClickCell(this, ARow, ACol, allow);
  if (!allow) return;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  if (FMouseActions->DisjunctCellSelect() && !ctrl && ACol >= FixedCols() && ARow >= FixedRows()) {
    FSelectedCells->Clear();
    Invalidate();
  }
  SearchInc.clear();
  FPushedCellButton = TPoint{-1, -1};
  MouseToCell(ACol != 0 ? X - 5 : X, ARow != 0 ? Y - 4 : Y, Colclicked, Rowclicked);
  if (FLook == glListView) RepaintHotFixedCell();
  if (Colclicked >= 0 && Rowclicked >= 0) {
    Colclickedsize = ColWidths(Colclicked);
    Rowclickedsize = RowHeights(Rowclicked);
  }
  Clickposx = X;
  Clickposy = Y;
  const bool inFixed = ACol >= 0 && ARow >= 0 && (ACol < FixedCols() || ARow < FixedRows());
  if (ACol < 0 || ARow < 0) {
    HideInplaceEdit();
    if (!FFixedRowAlways) TBaseGrid::WndProc(Message);
    return;
  }
  const TPoint base = BaseCell(RealColIndex(ACol), ARow);
  ACol = DisplColIndex(base.X);
  ARow = base.Y;
  if (FSizeFixed) {
    FSizingFixed = true;
    FSizeFixedX = X;
    FSizingFixedCol = FixedBorderAt(false, X);
    return;
  }
  if (FSizeFixedR) {
    FSizingFixedR = true;
    FSizeFixedY = Y;
    FSizingFixedRow = FixedBorderAt(true, Y);
    return;
  }
  const bool countsFixed = IsFixed(ACol, ARow);
  if (inFixed || countsFixed) HideInplaceEdit();
  PressHeaderSelection(ACol, ARow, GetKeyState(VK_SHIFT) < 0);
  // A header (fixed-column) cell of a normal column (row) may start a move.
  Movecell = -1;
  if (ARow < FixedRows() && ACol >= FixedCols()) Movecell = ACol;
  else if (ACol < FixedCols() && ARow >= FixedRows()) Movecell = ARow;
  if (Movecell >= 0) {
    const TRect mc = CellRect(ACol, ARow);
    MoveOfsX = X - mc.Left;
    MoveOfsY = Y - mc.Top;
  }
  const bool fixedOther = countsFixed && !inFixed;
  const int RC = RealColIndex(ACol);
  if (Colclicked >= 0 && Rowclicked >= 0) {
    const TRect cc = CellRect(Colclicked, Rowclicked);
    Clickposdx = Clickposx - cc.Right;
    Clickposdy = Clickposy - cc.Bottom;
  } else {
    Clickposdx = Clickposx;
    Clickposdy = Clickposy;
  }
  const bool canEdit = ControlCanEdit(RC, ARow);
  if (ACol < ColCount() && ARow < RowCount() && (canEdit || FControlLook->CheckAlwaysActive()) &&
      HasCheckBox(RC, ARow) && IsInCheckBox(RC, ARow, X, Y)) {
    HideInplaceEdit();
    ToggleCheckBoxCell(RC, ARow, true);
    if (FShowModified->Enabled()) {
      SetRowModified(ARow, true);
      RepaintCell(0, ARow);
    }
    bool state = false;
    GetCheckBoxState(RC, RealRowIndex(ARow), state);
    if (!FNavigation->AlwaysEdit() && ACol >= FixedCols() && ARow >= FixedRows()) MoveCurrent(ACol, ARow, true, true);
    // The real column, as the Space key reports it: the forms index their columns by it.
    DoCheckBoxClick(RC, ARow, state);
    if (FHideFocusRect) RepaintCell(ACol, ARow);
    if (OnMouseDown) OnMouseDown(this, mbLeft, CurrentShiftState(), X, Y);
    Click();
    return;
  }
  const TRect cr = CellRect(ACol, ARow);
  const bool onSel = sel0.Left == ACol && sel0.Right == ACol && sel0.Top == ARow && sel0.Bottom == ARow;
  if (!onSel && FMouseActions->RangeSelectAndEdit() && !countsFixed && !canEdit)
    SetOptions(Options() - TGridOptions{goEditing});
  if (fixedOther) {
    if (OnClickCell) OnClickCell(this, ARow, ACol);
    return;
  }
  const bool keep = FNavigation->AlwaysEdit();
  FNavigation->SetAlwaysEdit(false);
  TBaseGrid::WndProc(Message);
  FNavigation->SetAlwaysEdit(keep);
  const bool sizingEdge = ARow < FixedRows() && Options().Contains(goColSizing) &&
                          (std::abs(X - cr.Left) < 4 || std::abs(X - cr.Right) < 4);
  if (!sizingEdge && OnClickCell) OnClickCell(this, ARow, ACol);
}

void TAdvStringGrid::WMLButtonUp(TMessage& Message) {
  const int X = LParamX(Message.LParam), Y = LParamY(Message.LParam);
  ColSizeFlg = false;
  ColMoveFlg = false;
  FMouseKeepDown = false;
  FMouseDownMove = false;
  EndHeaderSelection();
  if (!Designing()) HideMoveArrows();
  if (FSizingFixed) {
    FSizeFixed = FSizingFixed = false;
    if (FSizingFixedCol >= 0) {
      int w = X;
      for (int i = 0; i < FSizingFixedCol; ++i) w -= ColWidths(i) + GridLineWidth();
      SetColWidths(FSizingFixedCol, w);
      if (OnEndColumnSize) OnEndColumnSize(this, FSizingFixedCol);
      if (OnUpdateColumnSize) {
        int aw = w;
        OnUpdateColumnSize(this, FSizingFixedCol, aw);
        if (aw != w) SetColWidths(FSizingFixedCol, aw);
      }
    }
  }
  if (FSizingFixedR) {
    FSizeFixedR = FSizingFixedR = false;
    if (FSizingFixedRow >= 0) {
      int h = Y;
      for (int i = 0; i < FSizingFixedRow; ++i) h -= RowHeights(i) + GridLineWidth();
      SetRowHeights(FSizingFixedRow, h);
      if (OnEndRowSize) OnEndRowSize(this, FSizingFixedRow);
    }
  }
  int ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  if (FScrollHintShow && FScrollHintWnd) {
    FScrollHintWnd->ReleaseHandle();
    FScrollHintShow = false;
  }
  const bool sizing = ARow >= 0 && ARow < FixedRows() && ACol >= 0 && Options().Contains(goColSizing) &&
                      GridState() == gsColSizing;
  if (FDoOnClick && !sizing && ACol >= 0 && ARow >= 0 && (ARow < FixedRows() || ACol < FixedCols())) Click();
  FDoOnClick = false;
  const bool dropped = DropEnhancedMove(ACol, ARow);
  if (!dropped) DropPlainMove();
  TBaseGrid::WndProc(Message);
  // A release that ended a move fires no cell events.
  if (ColMoveFlg || ColSizeFlg || ACol < 0 || ARow < 0) {
    FDblClk = false;
    return;
  }
  if (ACol >= FixedCols()) {
    const int rc = RealColIndex(ACol);
    if (HasCheckBox(rc, ARow) && OnCheckBoxMouseUp) {
      bool state = false;
      GetCheckBoxState(rc, RealRowIndex(ARow), state);
      OnCheckBoxMouseUp(this, rc, ARow, state);
    }
  }
  if (ACol >= FixedCols() || FSortSettings->FixedCols()) HeaderSortClick(X, Y, ACol, ARow, dropped);
  FDblClk = false;
}

void TAdvStringGrid::WMLButtonDblClk(TMessage& Message) {
  const int X = LParamX(Message.LParam), Y = LParamY(Message.LParam);
  int ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  if (FMouseActions->RangeSelectAndEdit() && ACol >= 0 && ARow >= 0 && !IsControlCell(RealColIndex(ACol), ARow))
    FForceSel = true;
  if (ACol == -1) {
    if (FFixedRowAlways) {
      TBaseGrid::WndProc(Message);
      return;
    }
    ACol = ColCount() - 1;
    ARow = 0;
  }
  if (ARow >= 0 && ARow < FixedRows() && Options().Contains(goColSizing) && FMouseActions->AutoSizeColOnDblClick()) {
    const TRect cr = CellRect(ACol, ARow);
    int sized = -1;
    if (std::abs(X - cr.Left) <= 3) sized = ACol - 1 >= FixedCols() ? ACol - 1 : -2;
    else if (std::abs(X - cr.Right) <= 3 && ACol >= FixedCols()) sized = ACol;
    if (sized != -1) {
      FDblClk = true;
      if (sized >= 0) {
        bool allow = true;
        if (OnColumnSize) OnColumnSize(this, sized, allow);
        if (allow) {
          AutoSizeCol(sized, 0);
          if (OnEndColumnSize) OnEndColumnSize(this, sized);
        }
      }
      FForceSel = false;
      TBaseGrid::WndProc(Message);
      return;
    }
  }
  if (ARow < 0) {
    FForceSel = false;
    TBaseGrid::WndProc(Message);
    return;
  }
  const int rc = RealColIndex(ACol);
  if (IsControlCell(rc, ARow)) {
    // The second click of a fast double click on a check box neither toggles nor is a cell
    // double click.
    FForceSel = false;
    TBaseGrid::WndProc(Message);
    return;
  }
  TBaseGrid::WndProc(Message);
  if (OnDblClickCell) OnDblClickCell(this, ARow, ACol);
  if (FMouseActions->EditOnDblClickOnly()) {
    const bool old = FMouseActions->RangeSelectAndEdit();
    FMouseActions->SetRangeSelectAndEdit(true);
    const bool can = InputCanEdit(rc, ARow);
    FMouseActions->SetRangeSelectAndEdit(old);
    if (can) {
      SetOptions(Options() | goEditing);
      ShowInplaceEdit();
    }
  } else if (FMouseActions->RangeSelectAndEdit() && InputCanEdit(rc, ARow)) {
    SetOptions(Options() | goEditing);
    const TPoint b = BaseCell(rc, ARow);
    const TRect br = CellRect(DisplColIndex(b.X), b.Y);
    MouseDown(mbLeft, {}, br.Left + 4, br.Top + 4);
  }
  FForceSel = false;
  if ((ARow < FixedRows() && FMouseActions->FixedRowsEdit() == fceDblClick) ||
      (ACol < FixedCols() && FMouseActions->FixedColsEdit() == fceDblClick))
    OpenFixedCellEditor(ACol, ARow);
}

void TAdvStringGrid::WMRButtonDown(TMessage& Message) {
  const int X = LParamX(Message.LParam), Y = LParamY(Message.LParam);
  TBaseGrid::WndProc(Message);
  int ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  if (FMouseActions->SelectOnRightClick() && ACol >= FixedCols() && ARow >= FixedRows() && !IsFixed(ACol, ARow) &&
      !(FMouseActions->DisjunctCellSelect() && IsSelected(ACol, ARow))) {
    if (!IsControlCell(RealColIndex(ACol), ARow)) {
      if (OnRightClickCell) {
        FocusCell(ACol, ARow);
      } else {
        MouseDown(mbLeft, {}, X, Y);
        MouseUp(mbLeft, {}, X, Y);
      }
    }
    if (IsSelected(ACol, ARow)) {
      bool can = true;
      if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    } else {
      const TPoint b = BaseCell(RealColIndex(ACol), ARow);
      FocusCell(DisplColIndex(b.X), b.Y);
    }
  }
  if (OnRightClickCell) OnRightClickCell(this, ARow, ACol);
}

void TAdvStringGrid::OpenFixedCellEditor(int DCol, int DRow) {
  if (EditTrans->Visible() && !EditTrans->StopEdit()) return;
  if (ComboTrans->Visible() && !ComboTrans->StopEdit()) return;
  bool allow = true;
  if (OnCanEditCell) OnCanEditCell(this, DRow, DCol, allow);
  if (!allow) return;
  FFixedColEdit = DCol;
  FFixedRowEdit = DRow;
  TGridFixedCellEditor kind = DCol == 0 ? FMouseActions->FixedColsEditor() : FMouseActions->FixedRowsEditor();
  ComboTrans->Items()->Assign(FMouseActions->FixedComboValues());
  if (OnFixedEdit) OnFixedEdit(this, DCol, DRow, kind, ComboTrans->Items());
  TRect r = CellRect(DCol, DRow);
  r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  const int rc = RealColIndex(DCol);
  const String text = GetCellEx(rc, DRow);
  auto changed = [this](const String& Value) {
    if (OnEditChange) OnEditChange(this, FFixedColEdit, FFixedRowEdit, Value);
  };
  if (kind == fceComboEdit || kind == fceComboList) {
    ComboTrans->SetBounds(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height());
    ComboTrans->SetStyle(kind == fceComboEdit ? csDropDown : csDropDownList);
    ComboTrans->OnChange = [this, changed](TObject*) { changed(ComboTrans->Text()); };
    ComboTrans->SetText(text);
    ComboTrans->FEditCol = rc;
    ComboTrans->FEditRow = DRow;
    ComboTrans->SetEnabled(true);
    ComboTrans->SetVisible(true);
    if (ComboTrans->CanFocus()) ComboTrans->SetFocus();
    return;
  }
  EditTrans->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  EditTrans->OnChange = [this, changed](TObject*) { changed(EditTrans->Text()); };
  EditTrans->SetText(text);
  EditTrans->FEditCol = rc;
  EditTrans->FEditRow = DRow;
  EditTrans->SetEnabled(true);
  EditTrans->SetVisible(true);
  if (EditTrans->CanFocus()) EditTrans->SetFocus();
}

// =============================================================================================
// Press, release and move overrides

void TAdvStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  int c = -1, r = -1;
  MouseToCell(X, Y, c, r);
  if (FMouseActions->RangeSelectAndEdit() && Button == mbLeft && !FMouseActions->EditOnDblClickOnly()) {
    if (c == Col() && r == Row() && !Options().Contains(goEditing)) {
      if (InputCanEdit(RealColIndex(c), r)) {
        SetOptions(Options() | goEditing);
        TBaseGrid::MouseDown(Button, Shift, X, Y);
        ShowInplaceEdit();
        return;
      }
    } else if (Shift.Contains(ssShift) && Options().Contains(goEditing) && (c != Col() || r != Row())) {
      SetOptions(Options() - TGridOptions{goEditing});
      TBaseGrid::MouseDown(Button, Shift, X, Y);
      return;
    }
  }
  if (c >= 0 && r >= 0 && IsHoverFixedCell(c, r)) {
    if (FControlLook->FixedDropDownButton() && PressFixedDropDown(c, r, X)) return;
    if (HasPressedLook(c, r)) {
      FMouseDownOnFixed = true;
      RepaintCell(c, r);
    }
  }
  TBaseGrid::MouseDown(Button, Shift, X, Y);
  if (Shift.Contains(ssShift) && FSelectionRectangle) {
    const TGridRect s = Ordered(Selection());
    RepaintRect(Rect(s.Left, s.Top, s.Right, s.Bottom));
  }
  if (c >= 0 && r >= 0 && (c < FixedCols() || r < FixedRows())) {
    const bool rowFixed = r < FixedRows(), colFixed = c < FixedCols();
    bool start = false;
    if (Button == mbLeft && ((FMouseActions->FixedRowsEdit() == fceLeftClick && rowFixed) ||
                             (FMouseActions->FixedColsEdit() == fceLeftClick && colFixed))) {
      const bool sizing = (rowFixed && Options().Contains(goColSizing)) || (colFixed && Options().Contains(goRowSizing));
      const TRect cr = CellRect(c, r);
      start = !sizing || PtInRect(Rect(cr.Left + 4, cr.Top + 4, cr.Right - 4, cr.Bottom - 4), Point(X, Y));
    } else if (Button == mbRight && ((FMouseActions->FixedRowsEdit() == fceRightClick && rowFixed) ||
                                     (FMouseActions->FixedColsEdit() == fceRightClick && colFixed))) {
      start = true;
    }
    if (start) OpenFixedCellEditor(c, r);
    return;
  }
  if (TStringGrid* g = FSyncGrid->Grid()) {
    if (FSyncGrid->SelectionColumn()) g->SetCol(Col());
    if (FSyncGrid->SelectionRow()) g->SetRow(Row());
  }
}

void TAdvStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  int c = -1, r = -1;
  MouseToCell(X, Y, c, r);
  FFixedDropDownDown = false;
  // Released beyond the client area: the sizing ends where the last move left it.
  const TRect client = TCustomControl::ClientRect();
  if ((GridState() == gsColSizing && X > client.Right) || (GridState() == gsRowSizing && Y > client.Bottom)) {
    gridState_ = gsNormal;
    FMouseDownOnFixed = false;
    return;
  }
  if (FMouseActions->DisjunctCellSelect() && Button == mbLeft && c >= 0 && r >= 0) {
    const TPoint b = BaseCell(RealColIndex(c), r);
    const int bc = DisplColIndex(b.X), br = b.Y;
    const bool baseFixed = bc < FixedCols() || br < FixedRows() || IsFixed(bc, br);
    const bool clickedFixed = c < FixedCols() || r < FixedRows() || IsFixed(c, r);
    if (!baseFixed) {
      bool can = true;
      if (OnSelectCell) OnSelectCell(this, bc, br, can);
      if (!can) return;
      if (Shift.Contains(ssShift)) {
        if (IndexOfValue(FSelectedCells.get(), PackCell(c, r)) < 0) FSelectedCells->Add(PackCell(c, r));
      } else if (Shift.Contains(ssCtrl)) {
        const int i = IndexOfValue(FSelectedCells.get(), PackCell(bc, br));
        if (i >= 0) FSelectedCells->Delete(i);
        else FSelectedCells->Add(PackCell(bc, br));
      } else {
        for (int i = 0; i < FSelectedCells->Count(); ++i) {
          const int v = FSelectedCells->Items(i);
          RepaintCell(v & 0xFFFF, v >> 16);
        }
        FSelectedCells->Clear();
        FSelectedCells->Add(PackCell(bc, br));
      }
    } else if (!Shift.Contains(ssCtrl) && !clickedFixed) {
      FSelectedCells->Clear();
      Invalidate();
    }
    const TGridRect s = Ordered(Selection());
    if (s.Left == s.Right && s.Top == s.Bottom) {
      RepaintCell(s.Left, s.Top);
    } else {
      for (int x = s.Left; x <= s.Right; ++x)
        for (int y = s.Top; y <= s.Bottom; ++y)
          if (!(x == bc && y == br) && IndexOfValue(FSelectedCells.get(), PackCell(x, y)) < 0)
            FSelectedCells->Add(PackCell(x, y));
      for (int i = 0; i < FSelectedCells->Count(); ++i) {
        const int v = FSelectedCells->Items(i);
        RepaintCell(v & 0xFFFF, v >> 16);
      }
      RepaintCell(c, r);
    }
  }
  if (Button == mbLeft) FilterDropDownMouseUp(X, Y, c, r);
  // A right click during a column move must not end the move.
  if (GridState() == gsColMoving && Button == mbRight) return;
  TBaseGrid::MouseUp(Button, Shift, X, Y);
  const bool wasDown = FMouseDownOnFixed;
  FMouseDownOnFixed = false;
  if (wasDown && HasPressedLook(c, r)) RepaintCell(c, r);
  // Compared with the selection the press found, so that a click that moved it is reported.
  if (!(Selection() == FPressSelection)) {
    FPressSelection = Selection();
    SelectionChangedHook(Selection());
  }
}

void TAdvStringGrid::MouseMove(TShiftState Shift, int X, int Y) {
  if (FMouseDownMove && FMouseActions->RangeSelectAndEdit() && Options().Contains(goEditing) && !EditorMode())
    SetOptions(Options() - TGridOptions{goEditing});
  const TGridRect sel0 = Selection();
  if (FSelectionRectangle && GridState() == gsSelecting) FSizeSelection = sel0;
  int c = -1, r = -1;
  MouseToCell(X, Y, c, r);
  if (c >= 0 && r >= 0 && !Designing()) {
    if (HoverRow() && r != HoverRowIdx()) {
      const int old = HoverRowIdx();
      SetHoverRowIdx(r);
      RepaintRow(r);
      if (old >= 0 && old < RowCount()) RepaintRow(old);
    }
    TrackCellScrollBar(c, r);
  }
  if (FHoverFixedCells != hfNone && !FNoMouseLeave && (c != FHoverFixedX || r != FHoverFixedY)) {
    const int oc = FHoverFixedX, orow = FHoverFixedY;
    FHoverFixedX = c;
    FHoverFixedY = r;
    if (oc >= 0 && orow >= 0 && IsHoverFixedCell(oc, orow)) RepaintCell(oc, orow);
    if (c >= 0 && r >= 0 && IsHoverFixedCell(c, r)) RepaintCell(c, r);
  }
  TrackHotFixedCell(c, r);
  TrackHoverButton(c, r, X, Y);
  if (!Designing()) DragHeaderSelection(Y, c, r);
  if (!Designing()) {
    // Within 2 pixels of a fixed column's (row's) right (bottom) border the border can be dragged.
    if (!FSizingFixed) FSizeFixed = c >= 0 && FixedCols() > 0 && FMouseActions->SizeFixedCol() && FixedBorderAt(false, X) >= 0;
    if (FSizingFixed) FSizeFixedX = X;
    if (!FSizingFixedR) FSizeFixedR = r >= 0 && FixedRows() > 0 && FMouseActions->SizeFixedRow() && FixedBorderAt(true, Y) >= 0;
    if (FSizingFixedR) FSizeFixedY = Y;
    UpdateMouseSelectMode(X, Y, c, r);
    AskMoveAllowed();
    const bool moving = GridState() == gsColMoving || GridState() == gsRowMoving;
    if (moving && FEnhRowColMove && RowCount() > 1 && (X != Clickposx || Y != Clickposy) && !FSizingFixed &&
        !FSizingFixedR)
      MoveFeedback(X, Y);
  }
  if (c >= 0 && r >= 0) TrackLinks(c, r, X, Y);
  if (FLastHintPos.X != -1 || FLastBalloonPos.X != -1) {
    TPoint b{-1, -1};
    if (c >= 0 && r >= 0) {
      const TPoint rb = BaseCell(RealColIndex(c), r);
      b = TPoint{DisplColIndex(rb.X), rb.Y};
    }
    if (FLastHintPos.X != -1 && (b.X != FLastHintPos.X || b.Y != FLastHintPos.Y)) {
      if (Application) Application->CancelHint();
      FLastHintPos = TPoint{-1, -1};
    }
    BalloonFollow(b);
  }
  if (GridState() == gsSelecting && FSelectionRectangle && !(Selection() == FMoveSelection)) {
    // The frame spans the selection: its corner cells bound what must be drawn again.
    const TGridRect s = Selection();
    TRect u{};
    UnionRect(u, CellRect(s.Left, s.Top), CellRect(s.Right, s.Bottom));
    InvalidateClientRect(u);
    FMoveSelection = s;
  }
  const int leftAtEntry = LeftCol();
  TBaseGrid::MouseMove(Shift, X, Y);
  if (FNavigation->KeepHorizScroll() && FMouseKeepDown && GridState() != gsColMoving && LeftCol() != leftAtEntry) {
    StartUpdate();
    SetLeftCol(leftAtEntry);
    ResetUpdate();
  }
  if (GridState() == gsColSizing) ColSized = true;
  if (GridState() == gsRowSizing) Rowsized = true;
  if (GridState() == gsColSizing || FSizingFixed) {
    int w = FSizeFixedX;
    int sized = 0;
    if (!FSizingFixed) {
      sized = Colclicked;
      const TRect cc = CellRect(Colclicked, std::max(0, Rowclicked));
      w = X - cc.Left - Clickposdx;
    }
    if (OnColumnSizing) OnColumnSizing(this, sized, w);
    if (FHintShowSizing || Designing()) ShowSizingHint(u"cw=<b>" + IntToStr(w) + u"</b>", FSizingFixed ? 0 : sized, 0);
  }
  if (GridState() == gsRowSizing || FSizingFixedR) {
    int h = FSizeFixedY;
    int sized = 0;
    if (!FSizingFixedR) {
      sized = Rowclicked;
      const TRect cc = CellRect(std::max(0, Colclicked), Rowclicked);
      h = Y - cc.Top - Clickposdy;
    }
    if (OnRowSizing) OnRowSizing(this, sized, h);
    if (FHintShowSizing || Designing()) ShowSizingHint(u"rh=<b>" + IntToStr(h) + u"</b>", 0, FSizingFixedR ? 0 : sized);
  }
  if (FEnhRowColMove) Update();
  if (!(Selection() == sel0)) SelectionChangedHook(Selection());
}

void TAdvStringGrid::CMMouseLeave(TMessage& Message) {
  TBaseGrid::WndProc(Message);
  FMouseSelectMode = msNormal;
  FSizeFixed = FSizeFixedR = false;
  if (!FNoMouseLeave && FHoverFixedX >= 0 && FHoverFixedY >= 0) {
    const int c = FHoverFixedX, r = FHoverFixedY;
    FHoverFixedX = FHoverFixedY = -1;
    RepaintCell(c, r);
  }
  if (FLook == glListView) {
    // Cleared as well, or the header would still look hot when painted next.
    RepaintHotFixedCell();
    FHotFixedCell = TPoint{-1, -1};
  }
  if (HoverRow() && HoverRowIdx() >= 0) {
    const int r = HoverRowIdx();
    SetHoverRowIdx(-1);
    if (r < RowCount()) RepaintRow(r);
  }
}

bool TAdvStringGrid::IsHoverFixedCell(int DCol, int DRow) {
  const bool inCol = DCol >= 0 && DCol < FixedCols();
  const bool inRow = DRow >= 0 && DRow < FixedRows();
  switch (FHoverFixedCells) {
    case hfAll: return inCol || inRow;
    case hfFixedColumns: return inCol;
    case hfFixedRows: return inRow;
    case hfNone: return false;
  }
  return false;
}

void TAdvStringGrid::ResetFixedCellHighlight() {
  FSizeFixed = FSizeFixedR = FNoMouseLeave = false;
  if (FHoverFixedCells != hfNone && FHoverFixedX >= 0 && FHoverFixedY >= 0) {
    const int c = FHoverFixedX, r = FHoverFixedY;
    FHoverFixedX = FHoverFixedY = -1;
    RepaintCell(c, r);
  }
}

// =============================================================================================
// Selected cells

int TAdvStringGrid::SelectedCellsCount() {
  if (FMouseActions->DisjunctCellSelect()) return FSelectedCells->Count();
  FSelectedCells->Clear();
  const TGridRect s = Ordered(Selection());
  if (s.Left == s.Right && s.Top == s.Bottom) {
    FSelectedCells->Add(PackCell(Col(), Row()));
  } else {
    for (int x = s.Left; x <= s.Right; ++x)
      for (int y = s.Top; y <= s.Bottom; ++y) FSelectedCells->Add(PackCell(x, y));
  }
  return FSelectedCells->Count();
}

TGridCoord TAdvStringGrid::GetSelectedCell(int Index) {
  const int v = FSelectedCells->Items(Index);
  return TGridCoord{v & 0xFFFF, static_cast<int>(static_cast<unsigned>(v) >> 16)};
}

bool TAdvStringGrid::GetSelectedCells(int DCol, int DRow) {
  if (FMouseActions->DisjunctCellSelect()) return IndexOfValue(FSelectedCells.get(), PackCell(DCol, DRow)) >= 0;
  return PointInGridRect(DCol, DRow, Ordered(Selection()));
}

void TAdvStringGrid::SetSelectedCells(int DCol, int DRow, bool Value) {
  if (!FMouseActions->DisjunctCellSelect()) return;
  const int i = IndexOfValue(FSelectedCells.get(), PackCell(DCol, DRow));
  if (Value && i < 0) FSelectedCells->Add(PackCell(DCol, DRow));
  else if (!Value && i >= 0) FSelectedCells->Delete(i);
  else return;
  RepaintCell(DCol, DRow);
}

void TAdvStringGrid::ClearSelectedCells() {
  SetSelection(TGridRect{FixedCols(), FixedRows(), FixedCols(), FixedRows()});
  FSelectedCells->Clear();
  Invalidate();
}

int TAdvStringGrid::SelectedColCount() {
  if (FMouseActions->DisjunctColSelect()) return ColSelectCount();
  const TGridRect s = Ordered(Selection());
  const int rcL = RealColIndex(s.Left), rcR = RealColIndex(s.Right);
  if (IsMergedCell(rcL, s.Top) && s.Left + CellSpan(rcL, s.Top).X > s.Right) return CellSpan(rcL, s.Top).X + 1;
  return s.Right - s.Left + 1 + (IsMergedCell(rcR, s.Top) ? CellSpan(rcR, s.Top).X : 0);
}

int TAdvStringGrid::SelectedRowCount() {
  if (FMouseActions->DisjunctRowSelect()) return FSelectedRows->Count();
  TGridRect s = Ordered(Selection());
  s.Bottom = std::min(s.Bottom, RowCount() - FFixedFooters - 1);
  const int rcL = RealColIndex(s.Left);
  if (IsMergedCell(rcL, s.Top) && s.Top + CellSpan(rcL, s.Top).Y > s.Bottom) return CellSpan(rcL, s.Top).Y + 1;
  return s.Bottom - s.Top + 1 + (IsMergedCell(rcL, s.Bottom) ? CellSpan(rcL, s.Bottom).Y : 0);
}

int TAdvStringGrid::GetSelectedRow(int Index) {
  if (Index < 0) return -1;
  if (FMouseActions->DisjunctRowSelect()) return Index < FSelectedRows->Count() ? FSelectedRows->Items(Index) : -1;
  const TGridRect s = Ordered(Selection());
  return s.Top + Index <= s.Bottom ? s.Top + Index : -1;
}

void TAdvStringGrid::ClearModifiedRows() {
  FModifiedRows->Clear();
  Invalidate();
}
