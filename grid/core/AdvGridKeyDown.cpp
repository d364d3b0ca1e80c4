// Keys: the key-down and character messages before the class library's navigation, the
// navigation override (cursor wrap, disabled rows, the attached grid) and Tab navigation.
#include "grid/core/AdvGrid.h"
#include "grid/foundation/ZazAdez.h"

namespace {

bool HasControlTag(const String& Text, bool HTML) {
  return ClassifyCellText(Text, HTML) == 1 && UpperCase(Text).find(u"<CONTROL") != String::npos;
}

bool IsPaging(Word Key) { return Key >= VK_PRIOR && Key <= VK_DOWN; }

}  // namespace

bool TAdvStringGrid::InputCanEdit(int RCol, int DRow) { return IsEditable(DisplColIndex(RCol), DRow); }

bool TAdvStringGrid::ControlCanEdit(int RCol, int DRow) {
  bool can = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
  CanEditCell(RCol, DRow, can);
  return can;
}

bool TAdvStringGrid::IsLastDataRow() {
  if (FFloatingFooter->Visible()) return Row() == RowCount() - 2;
  return Row() == RowCount() - FFixedFooters - 1;
}

int TAdvStringGrid::VisibleFixedRightCols() {
  int n = FFixedRightCols;
  for (int i = 0; i < FFixedRightCols; ++i)
    if (IsHiddenColumn(TotalColCount() - 1 - i)) --n;
  return n;
}

bool TAdvStringGrid::CanTabToCell(int DCol, int DRow) {
  bool can = Options().Contains(goEditing) ? InputCanEdit(RealColIndex(DCol), DRow) : !IsFixed(DCol, DRow);
  if (OnSelectCell) OnSelectCell(this, DCol, DRow, can);
  return can;
}

int TAdvStringGrid::FirstTabCol(int DRow) {
  for (int c = 0; c < ColCount(); ++c)
    if (CanTabToCell(c, DRow)) return c;
  return -1;
}

int TAdvStringGrid::LastTabCol(int DRow) {
  for (int c = ColCount() - 1; c >= 0; --c)
    if (CanTabToCell(c, DRow)) return c;
  return -1;
}

void TAdvStringGrid::SimulateCellClick(int DCol, int DRow) {
  const TRect r = CellRect(DCol, DRow);
  auto down = OnMouseDown;
  auto up = OnMouseUp;
  OnMouseDown = nullptr;
  OnMouseUp = nullptr;
  FForceSel = true;
  MouseDown(mbLeft, {}, r.Left + 2, r.Top + 2);
  MouseUp(mbLeft, {}, r.Left + 2, r.Top + 2);
  FForceSel = false;
  OnMouseDown = down;
  OnMouseUp = up;
}

// =============================================================================================
// Key down

void TAdvStringGrid::HandleKeyDownMessage(TMessage& Message) {
  Word key = static_cast<Word>(Message.WParam);
  const TShiftState shift = KeyDataToShiftState(Message.LParam);
  const bool ctrl = shift.Contains(ssCtrl), sh = shift.Contains(ssShift);
  FMoveSelection = Selection();
  const int R = Row(), RC = GetRealCol(), L0 = LeftCol();
  const bool editing = Options().Contains(goEditing);
  const bool enterF2 = key == VK_RETURN || key == VK_F2;
  auto fireKeyDown = [&] {
    if (OnKeyDown) OnKeyDown(this, key, shift);
  };
  auto consume = [&] {
    fireKeyDown();
    Message.WParam = 0;
    Message.Result = 1;
  };
  const bool keepScroll = (key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN) &&
                          Options().Contains(goRowSelect) && LeftCol() != FixedCols() &&
                          FNavigation->KeepHorizScroll();

  if (FNavigation->MoveScrollOnly() && IsPaging(key) && key != VK_LEFT && key != VK_RIGHT) {
    const int top = TopRow(), vis = VisibleRowCount();
    switch (key) {
      case VK_PRIOR: SetTopRow(top > vis + FixedRows() ? top - vis : FixedRows()); break;
      case VK_NEXT: if (top + vis < RowCount()) SetTopRow(top + vis); break;
      case VK_END: SetTopRow(RowCount() - vis); break;
      case VK_HOME: SetTopRow(FixedRows()); break;
      case VK_UP: if (top > FixedRows()) SetTopRow(top - 1); break;
      case VK_DOWN: if (top + vis < RowCount()) SetTopRow(top + 1); break;
      default: break;
    }
    Message.Result = 1;
    return;
  }
  if (FMouseActions->EditOnDblClickOnly() && enterF2 && !editing) {
    const bool old = FMouseActions->RangeSelectAndEdit();
    FMouseActions->SetRangeSelectAndEdit(true);
    if (InputCanEdit(RC, R)) SetOptions(Options() | goEditing);
    FMouseActions->SetRangeSelectAndEdit(old);
  }
  if (FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing) && enterF2) {
    if (!InputCanEdit(RC, R)) {
      consume();
      return;
    }
    SetOptions(Options() | goEditing);
    ShowInplaceEdit();
  }
  if (ctrl && key == 'F' && FSearchFooter->Visible() && FSearchPanel) {
    TRetEdit* edit = FSearchPanel->EditControl();
    if (edit->CanFocus()) edit->SetFocus();
  }
  if (enterF2) {
    if (Options().Contains(goEditing) && !InputCanEdit(RC, R)) {
      consume();
      return;
    }
    if (HasControlTag(GetCellEx(RC, R), FEnableHTML)) {
      Message.Result = 1;
      return;
    }
  }
  if (key == VK_RETURN && !InputCanEdit(RC, R)) {
    // A form that previews keys sees Enter (its own "next field" handling lives there).
    TForm* f = GetParentForm(this);
    if (f && f->KeyPreview())
      TBaseGrid::WndProc(Message);
    else
      consume();
    return;
  }
  if ((key == VK_RETURN || key == VK_SPACE) && IsControlCell(RC, R)) {
    const bool can = ControlCanEdit(RC, R);
    if ((can || FControlLook->CheckAlwaysActive()) && HasCheckBox(RC, R) && key == VK_SPACE) {
      ToggleCheckBoxCell(RC, R, true);
      if (FShowModified->Enabled()) {
        SetRowModified(R, true);
        RepaintCell(0, R);
      }
      bool state = false;
      GetCheckBoxState(RC, RealRowIndex(R), state);
      DoCheckBoxClick(RC, R, state);
    }
    if (can && HasButton(RC, R)) DoButtonClick(RC, R);
    RepaintCell(Col(), R);
  }
  if (key == VK_HOME || key == VK_END) {
    const THomeEndAction he = FNavigation->HomeEndKey();
    const bool rowSel = Options().Contains(goRowSelect);
    const bool oneRow = FFixedRowAlways && RowCount() == 1;
    bool done = true;
    auto toFirstTab = [&](int row) {
      const int c = FirstTabCol(row);
      if (c >= 0) SetCol(c);  // a row Tab may not enter keeps its column
    };
    if (key == VK_HOME && he == heFirstLastCell && !ctrl) {
      FocusCell(FixedCols(), FixedRows());
      SnapToBaseCell();
    } else if (key == VK_HOME && he == heFirstLastRow && !ctrl && !oneRow) {
      if (sh) SetSelection(TGridRect{0, R, ColCount() - 1, FixedRows()});
      else SetRow(FixedRows());
      SnapToBaseCell();
    } else if (key == VK_HOME && he == heFirstLastColumn && ctrl) {
      SetRow(FixedRows());
      toFirstTab(Row());
      SnapToBaseCell();
      SetLeftCol(FirstNavigableCol());
    } else if (key == VK_HOME && he == heFirstLastColumn && !ctrl && !rowSel && !oneRow) {
      if (sh) {
        SetSelection(TGridRect{Col(), R, FixedCols(), R});
        RepaintRow(R);
      } else {
        toFirstTab(R);
        SnapToBaseCell();
        SetLeftCol(FirstNavigableCol());
      }
    } else if (key == VK_END && he == heFirstLastCell && !ctrl) {
      FocusCell(ColCount() - 1, RowCount() - 1);
      SnapToBaseCell();
    } else if (key == VK_END && he == heFirstLastRow && !ctrl && !oneRow) {
      const int last = FFloatingFooter->Visible() && RowCount() > 2 ? RowCount() - 2 : RowCount() - FFixedFooters - 1;
      if (sh) SetSelection(TGridRect{0, R, ColCount() - 1, last});
      else SetRow(last);
      SnapToBaseCell();
    } else if (key == VK_END && he == heFirstLastColumn && !ctrl && !rowSel && !oneRow) {
      if (sh) {
        SetSelection(TGridRect{Col(), R, ColCount() - FFixedRightCols - 1, R});
        RepaintRow(R);
      } else {
        SetCol(ColCount() - 1);
        SnapToBaseCell();
        SetLeftCol(ColCount() - VisibleColCount());
      }
    } else {
      done = false;
    }
    if (done) {
      Message.Result = 0;
      fireKeyDown();
      if (!(Selection() == FMoveSelection)) SelectionChangedHook(Selection());
      return;
    }
  }

  // ---- general stage ----
  if (Options().Contains(goRowSelect) && (key == VK_LEFT || key == VK_RIGHT)) {
    const bool scroll = FNavigation->LeftRightRowSelect() ? ctrl : true;
    if (scroll) {
      if (key == VK_LEFT && VisibleColCount() < ColCount() && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
      if (key == VK_RIGHT && LeftCol() + VisibleColCount() < ColCount()) SetLeftCol(LeftCol() + 1);
      if (!FNavigation->LeftRightRowSelect()) {
        fireKeyDown();
        Message.Result = 0;
        return;
      }
    }
  }
  if (key == VK_TAB && Options().Contains(goTabs)) {
    TabAdvance(sh);
    if (!(Selection() == FMoveSelection)) SelectionChangedHook(Selection());
    return;
  }
  if (FNavigation->SkipFixedCells() && (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN)) {
    int c = Col(), r = R;
    Word k = key;
    if (UseRightToLeftAlignment() && (k == VK_LEFT || k == VK_RIGHT)) k = k == VK_LEFT ? VK_RIGHT : VK_LEFT;
    bool skip = false;
    if (k == VK_LEFT && c > FixedCols() && IsFixed(c - 1, r)) {
      for (int i = c - 1; i >= FixedCols(); --i)
        if (!IsFixed(i, r)) { c = i; break; }
      skip = true;
    } else if (k == VK_RIGHT && c < ColCount() - FFixedRightCols && c + 1 < ColCount() && IsFixed(c + 1, r)) {
      for (int i = c + 1; i < ColCount() - FFixedRightCols; ++i)
        if (!IsFixed(i, r)) { c = i; break; }
      skip = true;
    } else if (k == VK_UP && r > FixedRows() && IsFixed(c, r - 1)) {
      if (Options().Contains(goRowSelect)) r = r - 1;
      else
        for (int i = r - 1; i >= FixedRows(); --i)
          if (!IsFixed(c, i)) { r = i; break; }
      skip = true;
    } else if (k == VK_DOWN && r < RowCount() - FFixedFooters && r + 1 < RowCount() && IsFixed(c, r + 1)) {
      for (int i = r + 1; i < RowCount() - FFixedFooters; ++i)
        if (!IsFixed(c, i)) { r = i; break; }
      skip = true;
    }
    if (skip) {
      if (c != Col() || r != Row()) FocusCell(c, r);
      fireKeyDown();
      Message.WParam = 0;
      if (!(Selection() == FMoveSelection)) SelectionChangedHook(Selection());
      return;
    }
  }
  if (key == VK_DOWN && FNavigation->AppendOnArrowDown() && IsLastDataRow()) {
    bool can = true;
    if (OnCanAddRow) OnCanAddRow(this, can);
    if (can) {
      AppendRow();
      if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
    }
  }
  // The last row stays above the search panel while the bottom of the grid is in view.
  const bool searchShown = FSearchFooter->Visible();
  const bool navKey = key == VK_SHIFT || key == VK_MENU || (key >= VK_PRIOR && key <= VK_DOWN);
  const bool fromLastRow = R >= RowCount() - 1;
  const bool towardsEnd = key == VK_NEXT || key == VK_END || key == VK_LEFT || key == VK_RIGHT || key == VK_DOWN;
  bool searchUpdate = false;
  if (searchShown && TopRow() >= RowCount() - VisibleRowCount()) {
    const bool stop = fromLastRow && (key == VK_DOWN || (key == VK_RIGHT && Col() == ColCount() - 1) ||
                                      (key == VK_LEFT && Col() == FixedCols()));
    if (stop) {
      if (key == VK_DOWN) AdjustTopRowForSearchFooter();
      Message.Result = 1;
      fireKeyDown();
      return;
    }
    if ((fromLastRow && towardsEnd) || !navKey) {
      BeginUpdate();
      searchUpdate = true;
    }
  }
  const int searchTop0 = TopRow();
  if (keepScroll) BeginUpdate();
  TBaseGrid::WndProc(Message);
  if (searchShown) {
    if (TopRow() >= RowCount() - VisibleRowCount() && !navKey) ScrollTopRowPastPage(searchTop0);
    if (searchUpdate) EndUpdate();
    if (towardsEnd && R == RowCount() - 1) {
      const int limit = ClientHeight() - FSearchPanel->Height() + 2;
      while (CellRect(Col(), Row()).Bottom > limit && Row() <= RowCount() - 1) {
        const int top = TopRow();
        ScrollTopRowPastPage(top + 1);
        if (TopRow() == top) break;
      }
    }
  }
  if (keepScroll) {
    SetLeftCol(L0);
    EndUpdate();
  }
  const bool alt = shift.Contains(ssAlt);
  const bool cutKey = FNavigation->AllowClipboardShortCuts() && sh && key == VK_DELETE;
  if (key == VK_INSERT && FNavigation->AllowInsertRow() && !ctrl && !sh && !alt) InsertRowByKey(R);
  if (key == VK_DELETE && FNavigation->AllowDeleteRow() && !alt && !cutKey) DeleteRowByKey(R);
  if (IsPaging(key)) {
    const int row = FMouseActions->RowSelectPersistent() ? DisplToRealRow(Row()) : Row();
    if (FMouseActions->DisjunctRowSelect()) {
      if (!sh && !ctrl) ClearRowSelect();
      else if (sh) SelectionToRowSelect(true);
      else SetRowSelect(row, true);
    }
    if (FMouseActions->DisjunctColSelect()) {
      if (!sh && !ctrl) ClearColSelect();
      else if (sh) SelectionToColSelect(true);
      else SetColSelect(Col(), true);
    }
  }
  if (key == VK_SPACE) {
    const int row = FMouseActions->RowSelectPersistent() ? DisplToRealRow(Row()) : Row();
    if (FMouseActions->DisjunctRowSelect()) SetRowSelect(row, !GetRowSelect(row));
    if (FMouseActions->DisjunctColSelect()) SetColSelect(Col(), !GetColSelect(Col()));
  }
  if (enterF2) {
    SaveOldCell(Col(), Row());
    if (key == VK_F2) DoF2Key();
  }
  if (!(Selection() == FMoveSelection)) {
    SelectionChangedHook(Selection());
    FMoveSelection = Selection();
  }
}

void TAdvStringGrid::KeyDown(Word& Key, TShiftState Shift) {
  FLastKeyCell = TPoint{Col(), Row()};
  const int a = Row();
  const Word k = Key;
  TBaseGrid::KeyDown(Key, Shift);
  const TCursorAdvance ca = FNavigation->CursorAdvance();
  const int lastData = RowCount() - FFixedFooters - 1;
  const int lastCol = ColCount() - FFixedRightCols - 1;
  if (ca != caDefault && !Shift.Contains(ssCtrl)) {
    const bool snake = ca == caSnake;
    if (k == VK_LEFT && FLastKeyCell.X == FixedCols()) {
      int r = Row();
      if (snake && r > FixedRows()) --r;
      FocusCell(lastCol, r);
    } else if (k == VK_UP && FLastKeyCell.Y == FixedRows()) {
      int c = Col();
      if (snake && c > FixedCols()) --c;
      FocusCell(c, lastData);
    } else if (k == VK_RIGHT && FLastKeyCell.X + 1 == ColCount()) {
      int r = Row();
      if (snake && r < lastData) ++r;
      FocusCell(FixedCols(), r);
    } else if (k == VK_DOWN && FLastKeyCell.Y + 1 == RowCount()) {
      int c = Col();
      if (snake && c < lastCol) ++c;
      FocusCell(c, FixedRows());
    }
  }
  if (FNavigation->SkipDisabledRows() && FUseEnabledRows && Row() == a) {
    if (k == VK_UP) {
      for (int r = a - 1; r >= FixedRows(); --r)
        if (GetRowEnabled(r)) { SetRow(r); break; }
    } else if (k == VK_DOWN) {
      for (int r = a + 1; r < RowCount(); ++r)
        if (GetRowEnabled(r)) { SetRow(r); break; }
    }
  }
  if (TStringGrid* g = FSyncGrid->Grid()) {
    if (FSyncGrid->SelectionColumn()) g->SetCol(Col());
    if (FSyncGrid->SelectionRow()) g->SetRow(Row());
  }
}

void TAdvStringGrid::KeyUp(Word& Key, TShiftState Shift) {
  if (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || (Key >= VK_LEFT && Key <= VK_DOWN) || Key == VK_INSERT ||
      Key == VK_DELETE)
    SearchInc.clear();
  const Word k = Key;
  TBaseGrid::KeyUp(Key, Shift);
  const bool arrow = k >= VK_LEFT && k <= VK_DOWN;
  const bool tab = k == VK_TAB && Options().Contains(goTabs);
  if (FNavigation->AlwaysEdit() && (arrow || tab) && !IsControlCell(GetRealCol(), Row())) ShowInplaceEdit();
  if ((arrow || k == VK_TAB) && !(Selection() == FMoveSelection)) SelectionChangedHook(Selection());
}

// =============================================================================================
// Characters

void TAdvStringGrid::HandleCharMessage(TMessage& Message) {
  Char ch = static_cast<Char>(Message.WParam);
  const int R = Row(), RC = GetRealCol();
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  if (HasControlTag(GetCellEx(RC, R), FEnableHTML)) {
    Message.Result = 1;
    return;
  }
  if (FMouseActions->EditOnDblClickOnly()) {
    const bool old = FMouseActions->RangeSelectAndEdit();
    FMouseActions->SetRangeSelectAndEdit(true);
    if (InputCanEdit(RC, R)) SetOptions(Options() | goEditing);
    FMouseActions->SetRangeSelectAndEdit(old);
  }
  if (FNavigation->AllowClipboardShortCuts() && ctrl && (ch == 3 || ch == 22 || ch == 24)) {
    Message.WParam = 0;
    return;
  }
  if (FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing) && !IsControlCell(RC, R) &&
      InputCanEdit(RC, R) && ch != 9 && ch != 27 && !ctrl) {
    if (OnKeyPress) OnKeyPress(this, ch);
    FStartEditChar = ch;
    SetOptions(Options() | goEditing);
    if (Col() > LeftCol() + VisibleColCount() || Col() < LeftCol() || R > TopRow() + VisibleRowCount() || R < TopRow())
      ScrollInView(Col(), R);
    const TRect cr = CellRect(Col(), R);
    MouseDown(mbLeft, {}, cr.Left + 2, cr.Top + 2);
    Message.WParam = ch;
    TBaseGrid::WndProc(Message);
    return;
  }
  if (ch == 13 && IsControlCell(RC, R) && FNavigation->AdvanceOnEnter()) {
    TBaseGrid::WndProc(Message);
    return;
  }
  if (Options().Contains(goEditing) && ch != 9 && (ch == 8 || (ch >= 32 && ch <= 255))) {
    if (OnKeyPress) OnKeyPress(this, ch);
    Message.WParam = ch;
    FStartEditChar = ch;
    if (ch != 0 && !IsControlCell(RC, R)) ShowEditorChar(ch);
    return;
  }
  TBaseGrid::WndProc(Message);
}

// =============================================================================================
// Tab

void TAdvStringGrid::TabEndOfGrid(bool& Result) {
  if (!FNavigation->TabToNextAtEnd() || !Parent()) return;
  PostMessage(Parent(), WM_KEYDOWN, VK_TAB, 0);
  Result = false;
}

bool TAdvStringGrid::TabAdvance(bool Backward) {
  bool result = true;
  const int frc = VisibleFixedRightCols();
  const int fnc = FirstNavigableCol();
  const int lastData = RowCount() - FFixedFooters - 1;
  // Every repetition over a cell Tab may not enter counts; one pass over the grid ends them, so
  // that a grid without any such cell does not repeat for ever.
  const int passLimit = ColCount() * RowCount();
  int passes = 0;
  bool first = true;
  auto selectSingle = [&](int c, int r) { SetSelection(TGridRect{c, r, c, r}); };
  auto setFirstTab = [&](int row) {
    const int n = FirstTabCol(row);
    if (n >= 0) SetCol(n);
  };
  for (;;) {
    if (OnKeyDown) {
      Word k = VK_TAB;
      OnKeyDown(this, k, Backward ? TShiftState{ssShift} : TShiftState{});
      if (k != VK_TAB) {
        if (first) return true;
        break;
      }
    }
    if (Col() == FLastTabCol && Row() == FLastTabRow) {
      if (first) return true;
      break;
    }
    first = false;
    FLastTabCol = Col();
    FLastTabRow = Row();
    const int R = Row();
    bool again = false;
    const bool leftRight = FNavigation->TabAdvanceDirection() == adLeftRight;
    if (Backward && !leftRight) {
      if (R > FixedRows()) {
        SetRow(R - 1);
      } else {
        SetRow(lastData);
        SetCol(Col() > fnc ? Col() - 1 : ColCount() - frc - 1);
      }
    } else if (Backward) {
      if (Col() > fnc) {
        int b = 1;
        while (!(Col() - b < fnc || (CanTabToCell(Col() - b, R) && IsBaseCell(RealColIndex(Col() - b), R)))) ++b;
        if (Col() - b >= fnc) {
          SetCol(Col() - b);
        } else {
          if (R > FixedRows()) {
            const int c = LastTabCol(R - 1);
            if (c >= 0) selectSingle(c, R - 1);
          } else {
            const int c = LastTabCol(lastData);
            if (c >= 0) selectSingle(c, lastData);
            ScrollInView(Col(), Row());
          }
          if (!IsBaseCell(RealColIndex(Col()), Row())) {
            const TPoint bc = BaseCell(RealColIndex(Col()), Row());
            FocusCell(DisplColIndex(bc.X), bc.Y);
          }
        }
      } else {
        int b = 1;
        while (!(CanTabToCell(ColCount() - frc - b, R) || ColCount() - frc - b < FixedCols())) ++b;
        if (ColCount() - frc - b >= FixedCols()) SetCol(ColCount() - frc - b);
        SetRow(R > FixedRows() ? R - 1 : lastData);
      }
    } else if (!leftRight) {
      const int s = IsMergedCell(RealColIndex(Col()), R) ? CellSpan(RealColIndex(Col()), R).Y : 0;
      if (R + s + 1 < RowCount() - FFixedFooters) {
        SetRow(R + s + 1);
      } else {
        SetRow(FixedRows());
        if (Col() < ColCount() - frc - 1) {
          SetCol(Col() + 1);
        } else {
          SetCol(fnc);
          TabEndOfGrid(result);
        }
      }
    } else {
      const int s = IsMergedCell(RealColIndex(Col()), R) ? CellSpan(RealColIndex(Col()), R).X : 0;
      const int end = ColCount() - frc;
      if (Col() + s + 1 < end) {
        int c = 1;
        while (!(CanTabToCell(Col() + s + c, R) || Col() + s + c >= end)) ++c;
        if (Col() + s + c < end) {
          SetCol(Col() + s + c);
          if (!IsBaseCell(RealColIndex(Col()), Row())) again = true;
        } else {
          FForceSel = true;
          if (R < lastData) {
            const int n = FirstTabCol(R + 1);
            bool allow = true;
            if (OnRowChanging) OnRowChanging(this, R, R + 1, allow);
            if (OnCellChanging) OnCellChanging(this, R, Col(), R + 1, n, allow);
            if (OnColChanging) OnColChanging(this, Col(), n, allow);
            if (allow) {
              SetCol(n >= 0 ? n : FixedCols());
              SetRow(R + 1);
            }
          } else {
            const int n = FirstTabCol(FixedRows());
            if (n >= 0) selectSingle(n, FixedRows());
            TabEndOfGrid(result);
          }
          FForceSel = false;
        }
      } else if (R < lastData) {
        int e = -1;
        for (int c = fnc; c < ColCount(); ++c)
          if (IsBaseCell(RealColIndex(c), R + 1) && CanTabToCell(c, R + 1)) {
            e = c;
            break;
          }
        if (e >= 0) {
          FForceSel = true;
          SetCol(e);
          FForceSel = false;
          SetRow(R + 1);
        } else {
          int g = -1;
          for (int r = R + 2; r < RowCount(); ++r)
            if (FirstTabCol(r) >= 0) {
              g = r;
              break;
            }
          if (g >= 0) {
            SetRow(g);
            setFirstTab(g);
          } else {
            FocusCell(ColCount() - 1, RowCount() - 1);
            again = true;
          }
        }
      } else {
        if (FNavigation->TabToNextAtEnd() || !FNavigation->AdvanceInsert()) {
          SetRow(FixedRows());
        } else {
          bool can = true;
          if (OnCanAddRow) OnCanAddRow(this, can);
          if (can) {
            SetRowCount(RowCount() + 1);
            SetRow(RowCount() - 1);
            if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
          } else {
            SetRow(FixedRows());
          }
        }
        setFirstTab(Row());
        TabEndOfGrid(result);
      }
    }
    if (!again && Options().Contains(goEditing) && !InputCanEdit(RealColIndex(Col()), Row())) again = true;
    if (!again || ++passes > passLimit) break;
  }
  if (FNavigation->AdvanceAutoEdit() && !IsControlCell(RealColIndex(Col()), Row())) SimulateCellClick(Col(), Row());
  FLastTabCol = -1;
  FLastTabRow = -1;
  if (FNavigation->AlwaysEdit() && CanFocus()) SetFocus();
  return result;
}
