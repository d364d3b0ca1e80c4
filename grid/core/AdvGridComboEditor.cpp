#include "grid/core/AdvGridComboEditor.h"

#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridEditorKeys.h"
#include "platform/SysUtils.h"

TAdvStringGrid* EditorOwnerGrid(TComponent* AOwner) {
  auto* g = dynamic_cast<TAdvStringGrid*>(AOwner);
  if (!g) throw EInvalidCast(u"Invalid class typecast");
  return g;
}

bool EditorLeaveCheck(TAdvStringGrid* Grid, String& Text) {
  Grid->SetCurrentCell(Text);
  if (!Grid->ValidateCell(Text)) {
    Text = Grid->NewCellText();
    return false;
  }
  Text = Grid->CurrentCell();
  return true;
}

TGridCombo::TGridCombo(TComponent* AOwner) : TAsgComboBox(AOwner), FGrid(EditorOwnerGrid(AOwner)) {
  SetButtonWidth(16);
}

String TGridCombo::CommitText() const { return FCancelled ? FCancelText : Text(); }

void EditorFocusGrid(TAdvStringGrid* Grid) {
  TNavigation* nav = Grid->Navigation();
  const bool always = nav->AlwaysEdit();
  nav->SetAlwaysEdit(false);
  try {
    if (Grid->CanFocus()) Grid->SetFocus();
  } catch (...) {
    nav->SetAlwaysEdit(always);
    throw;
  }
  nav->SetAlwaysEdit(always);
}

void TGridCombo::FocusGrid() { EditorFocusGrid(FGrid); }

bool EditorTabLeave(TAdvStringGrid* Grid, TShiftState Shift) {
  if (!Grid->Options().Contains(goTabs)) {
    PostMessage(Grid, WM_KEYDOWN, VK_TAB, 0);
    return false;
  }
  Grid->HideInplaceEdit();
  EditorFocusGrid(Grid);
  Grid->TabAdvance(Shift.Contains(ssShift));
  return true;
}

void EditorShowControl(TWinControl* Control, TColor Color) {
  Control->SetEnabled(true);
  Control->SetVisible(true);
  Control->SetColor(Color);
}

void EditorHideControl(TWinControl* Control) {
  Control->SetVisible(false);
  Control->SetEnabled(false);
}

void TGridCombo::TakeCellText() {
  const String cell = FGrid->CurrentCell();
  if (Style() == csDropDownList) SetItemIndex(Items()->IndexOf(cell));
  else SetText(cell);
}

void TGridCombo::FireComboChange(const String& Selection) {
  const int i = ItemIndex();
  const int rcol = FGrid->RealColIndex(FGrid->Col());
  const int row = FGrid->Row();
  if (FGrid->OnComboChange) FGrid->OnComboChange(FGrid, rcol, row, i, Selection);
  if (FGrid->OnComboObjectChange)
    FGrid->OnComboObjectChange(FGrid, rcol, row, i, Selection, i >= 0 ? Items()->Objects(i) : nullptr);
}

// ---- keys -------------------------------------------------------------------------------------

void TGridCombo::KeyDown(Word& Key, TShiftState Shift) {
  const bool list = Style() == csDropDownList;
  const bool dropped = DroppedDown();
  bool special;
  if (list || dropped)
    special = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_LEFT || Key == VK_RIGHT;
  else
    special = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
              Key == VK_END || Key == VK_UP || Key == VK_DOWN;
  WorkMode = Key != VK_BACK && Key != VK_DELETE;
  TNavigation* nav = FGrid->Navigation();

  if ((Key == VK_UP || Key == VK_DOWN) && !nav->ComboGetUpDown() && !dropped) {
    FGrid->HideInplaceEdit();
    FocusGrid();
    FGrid->KeyDown(Key, Shift);
    Key = 0;
    return;
  }
  if (Key == VK_DOWN && Shift.Contains(ssAlt)) special = false;
  if (!special) {
    TAsgComboBox::KeyDown(Key, Shift);
    return;
  }

  if (Key == VK_ESCAPE) {
    const String cell = FGrid->CurrentCell();
    SetText(cell);
    const int i = Items()->IndexOf(cell);
    if (i >= 0) SetItemIndex(i);
    // A list combo cannot hold a text that is not an item: the cell keeps its own text.
    FCancelled = list && i < 0;
    FCancelText = cell;
    FGrid->HideInplaceEdit();
    FocusGrid();
    Key = 0;
    return;
  }

  if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    String text = Text();
    if (!EditorLeaveCheck(FGrid, text)) {
      if (list) SetItemIndex(Items()->IndexOf(text));
      else {
        SetText(text);
        SelectAll();
      }
      Invalidate();
      Key = 0;
      return;
    }
    TakeCellText();
  }

  if (Key == VK_TAB && FGrid->EditorWantsTab()) {
    String text = Text();
    if (!EditorLeaveCheck(FGrid, text)) {
      if (list) SetItemIndex(Items()->IndexOf(text));
      else SetText(text);
      SetSelStart(static_cast<int>(Text().size()));
      Key = 0;
      return;
    }
    TakeCellText();
    if (FGrid->Options().Contains(goTabs)) {
      FGrid->HideInplaceEdit();
      FocusGrid();
      Word tab = VK_TAB;
      FGrid->KeyDown(tab, Shift.Contains(ssShift) ? TShiftState{ssShift} : TShiftState{});
      Key = 0;
      return;
    }
    PostMessage(FGrid, WM_KEYDOWN, VK_TAB, 0);
  }

  if (list || DroppedDown()) {
    const bool directClose = FGrid->MouseActions()->DirectComboClose();
    FGrid->MouseActions()->SetDirectComboClose(false);
    try {
      FGrid->HideInplaceEdit();
    } catch (...) {
      FGrid->MouseActions()->SetDirectComboClose(directClose);
      throw;
    }
    FGrid->MouseActions()->SetDirectComboClose(directClose);
    if (Key == VK_LEFT || Key == VK_RIGHT) {
      Word k = Key;
      FGrid->KeyDown(k, Shift);
    }
    if (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN)
      Key = 0;
  } else if (Key == VK_END) {
    TAsgComboBox::KeyDown(Key, Shift);
    return;
  }

  FGrid->DoneInplaceEdit(Key, Shift);
  if (nav->AdvanceOnEnter() && nav->AdvanceAutoEdit()) FGrid->ShowInplaceEdit();
  Key = 0;
}

void TGridCombo::KeyPress(Char& Key) {
  if (FGrid->OnKeyPress) FGrid->OnKeyPress(this, Key);
  if (Key == VK_ESCAPE) Key = 0;
  if (Key == VK_RETURN && OnReturnKey) OnReturnKey(this);
  if (Key == VK_RETURN || Key == VK_TAB) Key = 0;
  TAsgComboBox::KeyPress(Key);
}

void TGridCombo::KeyUp(Word& Key, TShiftState Shift) {
  if (FGrid->Navigation()->CursorWalkEditor() && Style() == csDropDown && !Shift.Contains(ssShift)) {
    CursorWalk(Key);
    if (Key == 0) return;
  }
  if (Key != VK_RETURN) TAsgComboBox::KeyUp(Key, Shift);
  DoChange();
}

void TGridCombo::CursorWalk(Word& Key) {
  const bool left = Key == VK_LEFT && SelLength() == 0 && SelStart() == 0;
  const bool right = Key == VK_RIGHT && SelLength() == 0 && SelStart() == static_cast<int>(Text().size());
  if (!left && !right) return;
  Key = 0;
  EditorCursorWalk(FGrid, right, Text());
}

void EditorCursorWalk(TAdvStringGrid* Grid, bool Right, const String& Text) {
  const int col = Grid->Col(), row = Grid->Row();
  int target = -1;
  if (!Right && col > Grid->FixedCols()) target = col - 1;
  if (Right) {
    const int span = Grid->CellSpan(Grid->RealColIndex(col), row).X;
    if (col < Grid->ColCount() - Grid->FixedRightCols() - 1) target = col + span + 1;
  }
  if (target >= 0 && Grid->IsControlCell(Grid->RealColIndex(target), row)) {
    if (Grid->ValidateCell(Text)) {
      Grid->HideInplaceEdit();
      Grid->SetCol(target);
    }
    return;
  }
  EditorFocusGrid(Grid);
  TNavigation* nav = Grid->Navigation();
  const TAdvanceDirection dir = nav->AdvanceDirection();
  nav->SetAdvanceDirection(adLeftRight);
  Grid->AdvanceToNextCell(col, row, true, false, Right, true, true);
  nav->SetAdvanceDirection(dir);
  if (nav->CursorWalkAlwaysEdit()) Grid->ShowInplaceEdit();
}

// ---- completion -------------------------------------------------------------------------------

bool TGridCombo::CompleteFrom(TStrings* List, const String& Prefix, bool SelectIt) {
  const bool cs = FGrid->LookupCaseSensitive();
  for (int i = 0; i < List->Count(); ++i) {
    String item = List->Strings(i);
    const String cmp = cs ? item : UpperCase(item);
    if (cmp.size() < Prefix.size() || cmp.compare(0, Prefix.size(), Prefix) != 0) continue;
    const String typed = Text().substr(0, Prefix.size());
    SetText(typed + item.substr(Prefix.size(), 255));
    if (SelectIt) SetItemIndex(i);
    SetSelStart(static_cast<int>(Prefix.size()));
    SetSelLength(static_cast<int>(Text().size() - Prefix.size()));
    return true;
  }
  return false;
}

void TGridCombo::DoChange() {
  if (!WorkMode || !FGrid->Lookup()) return;
  String prefix = Text().substr(0, static_cast<size_t>(std::max(0, SelStart())));
  // Nothing typed completes nothing (a bare key release would otherwise fill in the first item).
  if (prefix.empty()) return;
  if (!FGrid->LookupCaseSensitive()) prefix = UpperCase(prefix);
  if (CompleteFrom(Items(), prefix, true)) return;
  CompleteFrom(FGrid->LookupItems(), prefix, false);
}

// ---- messages ---------------------------------------------------------------------------------

void TGridCombo::MouseWheelStep(int Delta) {
  const int i = ItemIndex();
  if (Delta < 0) {
    if (i < Items()->Count() - 1) SetItemIndex(i + 1);
  } else if (i > 0) {
    SetItemIndex(i - 1);
  }
  const int now = ItemIndex();
  const String s = now >= 0 ? Items()->Strings(now) : String();
  const int rcol = FGrid->RealColIndex(FGrid->Col());
  if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, rcol, FGrid->Row(), s);
  FireComboChange(s);
}

void TGridCombo::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEWHEEL:
      MouseWheelStep(static_cast<int16_t>(WParamHi(m.WParam)));
      m.Result = 0;
      return;
    case WM_CHAR: {
      const int before = ItemIndex();
      TAsgComboBox::WndProc(m);
      if (ItemIndex() != before) FireComboChange(Text());
      return;
    }
    case CM_WANTSPECIALKEY: {
      TAsgComboBox::WndProc(m);
      const Word k = static_cast<Word>(m.WParam);
      if (k == VK_RETURN || k == VK_ESCAPE || (k == VK_TAB && FGrid->EditorWantsTab())) m.Result = 1;
      return;
    }
    case WM_SETFOCUS: {
      TAsgComboBox::WndProc(m);
      if (!FGrid->Navigation()->EditSelectAll() && Style() == csDropDown)
        SetSelStart(static_cast<int>(Text().size()));
      if (FGrid->LButFlg) {
        const TPoint p = ScreenToClient(GetCursorPos());
        if (p.X >= 0 && p.X <= Width() && p.Y >= 0 && p.Y <= Height()) {
          const int ch = CharFromPos(p.X);
          if (ch != -1) {
            SetSelStart(ch);
            FGrid->LButFlg = false;
          }
        }
      }
      return;
    }
    default:
      TAsgComboBox::WndProc(m);
      return;
  }
}

void TGridCombo::Change() {
  TAsgComboBox::Change();
  if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridCombo::DoExit() {
  if (FGrid->LookupHistory() && !Text().empty() && Items()->IndexOf(Text()) < 0) Items()->Add(Text());
  FGrid->HideInplaceEdit();
  TAsgComboBox::DoExit();
}

void TGridCombo::SizeDropDownWidth() {
  int width = Width();
  TCanvas* canvas = FGrid->Canvas();
  canvas->Font()->Assign(FGrid->Font());
  const bool scrolls = Items()->Count() > DropDownCount();
  for (int i = 0; i < Items()->Count(); ++i) {
    const int tw = canvas->TextWidth(Items()->Strings(i));
    if (scrolls) {
      if (width - 25 < tw) width = tw + 25;
    } else if (width - 5 < tw) {
      width = tw + 8;
    }
  }
  SetDroppedWidth(width);
}
