// The edit-button and unit editors and their rows of the special-editor table: the ellipsis
// button through OnEllipsClick, the numeric and float character filters, typing completion,
// pasting, the cursor walk, and the unit editor's text-and-unit commit.
#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridComboEditor.h"
#include "grid/core/AdvGridEditorKeys.h"
#include "platform/EditTips.h"
#include "platform/SysUtils.h"

bool GridNumericCharAllowed(TCustomEdit* Edit, Char Key) {
  const bool control = Key == 8 || Key == 9 || Key == 13 || Key == 27;
  if (control || (Key >= u'0' && Key <= u'9')) return true;
  if (Key == u'-' && Edit->Text().find(u'-') == String::npos && Edit->SelStart() == 0) return true;
  MessageBeep(0);
  return false;
}

bool GridFloatCharAllowed(TCustomEdit* Edit, Char Key, bool CtrlHeld) {
  const TFormatSettings& fs = FormatSettings();
  const bool candidate = Key == 8 || Key == 9 || Key == 13 || Key == 27 || Key == u',' || Key == u'-' ||
                         Key == u'.' || (Key >= u'0' && Key <= u'9');
  // Control characters of shortcuts (Ctrl+C, Ctrl+V) pass while Ctrl is held.
  if (!candidate) return CtrlHeld;
  const String text = Edit->Text();
  const String sel = Edit->SelText();
  if (Key == fs.DecimalSeparator && text.find(Key) != String::npos && sel.find(Key) == String::npos) return false;
  if (Key == fs.ThousandSeparator) return false;
  if (Key == u'-' && (Edit->SelStart() != 0 || text.find(u'-') != String::npos) && sel.find(u'-') == String::npos) {
    MessageBeep(0);
    return false;
  }
  return true;
}

namespace {

// Whether the character passes the filter of the grid's current button editor kind.
bool BtnEditorsCharAllowed(TAdvStringGrid* Grid, TCustomEdit* Edit, Char Key) {
  switch (Grid->CurrentEditor()) {
    case edEditBtn:
    case edMaskEditBtn:
    case edUnitEditBtn:
      return true;
    case edNumericEditBtn:
    case edNumericUnitEditBtn:
      return GridNumericCharAllowed(Edit, Key);
    case edFloatEditBtn:
    case edFloatUnitEditBtn:
      return GridFloatCharAllowed(Edit, Key, GetKeyState(VK_CONTROL) < 0);
    default:
      return false;
  }
}

}  // namespace

// =============================================================================================
// TGridEditBtn

TGridEditBtn::TGridEditBtn(TComponent* AOwner) : TAsgEditBtn(AOwner), FGrid(EditorOwnerGrid(AOwner)) {
  OnClickBtn = [this](TObject*) { ClickButton(); };
}

void TGridEditBtn::ClickButton() {
  SetText(FGrid->EllipsClick(Text()));
  SelectAll();
  Invalidate();
  if (FStopEditAfterClick) {
    FGrid->HideInplaceEdit();
    EditorFocusGrid(FGrid);
  }
}

void TGridEditBtn::Change() {
  TAsgEditBtn::Change();
  if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridEditBtn::DoExit() {
  FGrid->HideInplaceEdit();
  TAsgEditBtn::DoExit();
}

void TGridEditBtn::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_WANTSPECIALKEY: {
      TAsgEditBtn::WndProc(Message);
      const Word k = static_cast<Word>(Message.WParam);
      if (k == VK_RETURN || k == VK_ESCAPE || (k == VK_TAB && FGrid->EditorWantsTab())) Message.Result = 1;
      return;
    }
    case WM_CHAR: {
      const Char k = static_cast<Char>(Message.WParam);
      if (k == VK_RETURN || k == VK_TAB) {
        Message.Result = 1;
        return;
      }
      if (!BtnEditorsCharAllowed(FGrid, this, k)) return;
      break;
    }
    case WM_PASTE:
      Paste();
      return;
    case WM_LBUTTONDBLCLK:
      TAsgEditBtn::WndProc(Message);
      if (FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
      return;
    default:
      break;
  }
  TAsgEditBtn::WndProc(Message);
}

void TGridEditBtn::KeyPress(Char& Key) {
  if (FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
  if (Key == VK_TAB) return;
  TAsgEditBtn::KeyPress(Key);
}

void TGridEditBtn::KeyDown(Word& Key, TShiftState Shift) {
  const bool special = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                       Key == VK_UP || Key == VK_DOWN;
  if (!special && FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
  WorkMode = Key != VK_BACK && Key != VK_DELETE;
  FSelKeyDown = SelStart();
  if (Shift.Contains(ssCtrl) || !special) {
    TAsgEditBtn::KeyDown(Key, Shift);
    return;
  }
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
  const TEditorType kind = FGrid->CurrentEditor();
  if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    String text = Text();
    const bool accepted = EditorLeaveCheck(FGrid, text);
    SetText(text);
    if (!accepted) {
      SelectAll();
      Invalidate();
      Key = 0;
      FGrid->EditControl = kind;
      return;
    }
  }
  if (Key == VK_TAB && FGrid->EditorWantsTab()) {
    String text = Text();
    if (!EditorLeaveCheck(FGrid, text)) {
      SetText(text);
      SetSelStart(static_cast<int>(Text().size()));
      Invalidate();
      Key = 0;
      return;
    }
    if (EditorTabLeave(FGrid, Shift)) {
      Key = 0;
      return;
    }
  }
  if (Key == VK_ESCAPE) SetText(FGrid->CellCache());
  FGrid->DoneInplaceEdit(Key, Shift);
  Key = 0;
}

void TGridEditBtn::KeyUp(Word& Key, TShiftState Shift) {
  if (FGrid->OnKeyUp) FGrid->OnKeyUp(FGrid, Key, Shift);
  if (FGrid->Navigation()->CursorWalkEditor() && !Shift.Contains(ssShift)) {
    CursorWalk(Key);
    if (Key == 0) return;
  }
  if (Key != VK_RETURN) TAsgEditBtn::KeyUp(Key, Shift);
  Complete();
}

void TGridEditBtn::CursorWalk(Word& Key) {
  const bool right = Key == VK_RIGHT && SelLength() == 0 && SelStart() == static_cast<int>(Text().size());
  // Left walks only when the caret stood at the start before the key moved it.
  const bool left = Key == VK_LEFT && SelLength() == 0 && FSelKeyDown == 0;
  if (!left && !right) return;
  Key = 0;
  EditorCursorWalk(FGrid, right, Text());
}

void TGridEditBtn::Complete() {
  if (!WorkMode || SelLength() != 0 || !FGrid->Lookup()) return;
  TStringList* items = FGrid->LookupItems();
  if (!items || items->Count() == 0) return;
  const bool cs = FGrid->LookupCaseSensitive();
  const String text = Text();
  String prefix = text.substr(0, static_cast<size_t>(std::max(0, SelStart())));
  // Nothing typed completes nothing.
  if (prefix.empty()) return;
  if (!cs) prefix = UpperCase(prefix);
  for (int i = 0; i < items->Count(); ++i) {
    const String item = items->Strings(i);
    const String cmp = cs ? item : UpperCase(item);
    if (cmp.size() < prefix.size() || cmp.compare(0, prefix.size(), prefix) != 0) continue;
    SetText(text.substr(0, prefix.size()) + item.substr(prefix.size(), 255));
    SetSelStart(static_cast<int>(prefix.size()));
    SetSelLength(static_cast<int>(Text().size() - prefix.size()));
    return;
  }
}

void TGridEditBtn::Paste() {
  bool allow = ClipboardHasText();
  String value = allow ? ClipboardText() : String();
  if (FGrid->OnClipboardPaste) FGrid->OnClipboardPaste(this, allow);
  if (allow && FGrid->OnClipboardBeforePasteCell)
    FGrid->OnClipboardBeforePasteCell(this, FGrid->Col(), FGrid->Row(), value, allow);
  if (!allow) return;
  const size_t crlf = value.find(u"\r\n");
  if (crlf != String::npos && crlf + 2 == value.size()) value.resize(crlf);
  const int selStart = SelStart(), selLength = SelLength();
  String merged = Text();
  merged.replace(static_cast<size_t>(selStart), static_cast<size_t>(selLength), value);
  SetText(merged);
  FGrid->SetEditText(FGrid->Col(), FGrid->Row(), Text());
  if (selLength > 0) {
    SetSelStart(selStart);
    SetSelLength(static_cast<int>(value.size()));
  } else {
    SetSelStart(selStart + static_cast<int>(value.size()));
  }
}

// =============================================================================================
// TGridUnitEditBtn

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner) : TAsgUnitEditBtn(AOwner), FGrid(EditorOwnerGrid(AOwner)) {
  OnUnitChanged = [this](TObject*, const String& NewUnit) { FGrid->UnitChanged(NewUnit); };
}

void TGridUnitEditBtn::BtnClick(TObject* Sender) {
  // The application's value first, then the unit menu.
  SetText(FGrid->EllipsClick(Text()));
  SelectAll();
  Invalidate();
  TAsgUnitEditBtn::BtnClick(Sender);
}

void TGridUnitEditBtn::DoExit() {
  FGrid->HideInplaceEdit();
  TAsgUnitEditBtn::DoExit();
}

void TGridUnitEditBtn::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_WANTSPECIALKEY: {
      TAsgUnitEditBtn::WndProc(Message);
      const Word k = static_cast<Word>(Message.WParam);
      if (k == VK_RETURN || k == VK_ESCAPE || (k == VK_TAB && FGrid->Options().Contains(goTabs))) Message.Result = 1;
      return;
    }
    case WM_CHAR: {
      const Char k = static_cast<Char>(Message.WParam);
      if (k == VK_RETURN) {
        Message.Result = 0;
        return;
      }
      if (!BtnEditorsCharAllowed(FGrid, this, k)) return;
      break;
    }
    default:
      break;
  }
  TAsgUnitEditBtn::WndProc(Message);
}

void TGridUnitEditBtn::KeyDown(Word& Key, TShiftState Shift) {
  const bool special = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                       Key == VK_UP || Key == VK_DOWN;
  if (!special) {
    TAsgUnitEditBtn::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    FGrid->SetCurrentCell(TextAndUnit());
    const bool valid = FGrid->ValidateCell(TextAndUnit());
    SetTextAndUnit(FGrid->CurrentCell());
    if (!valid) return;
  }
  TNavigation* nav = FGrid->Navigation();
  if (Key == VK_RETURN && nav->AdvanceOnEnter()) {
    FGrid->HideInplaceEdit();
    EditorFocusGrid(FGrid);
    Key = 0;
    FGrid->AdvanceToNextCell(FGrid->Col(), FGrid->Row(), true, false, true, true, false);
    return;
  }
  if (Key == VK_TAB && FGrid->Options().Contains(goTabs)) {
    FGrid->HideInplaceEdit();
    EditorFocusGrid(FGrid);
    FGrid->TabAdvance(Shift.Contains(ssShift));
    Key = 0;
    return;
  }
  if (Key == VK_ESCAPE) {
    SetUnitID(String());
    SetText(FGrid->CurrentCell());
  }
  FGrid->DoneInplaceEdit(Key, Shift);
  Key = 0;
}

// =============================================================================================
// The grid's side

TSpecialEditorOpened TAdvStringGrid::OpenEditBtnRow(const TSpecialEditorCell& Cell) {
  TGridEditBtn* edit = EditBtn;
  if (!edit) return {};
  if (edit->Parent() != this) edit->SetParent(this);
  edit->SetBounds(Cell.R.Left, Cell.R.Top, Cell.W, edit->Height());
  edit->SetText(GetEditText(Cell.DCol, Cell.DRow));
  edit->SetMaxLength(GetEditLimit());
  EditorShowControl(edit, Cell.Color);
  if (edit->CanFocus()) edit->SetFocus();
  edit->SetHeight(Cell.H);
  edit->SetEditMask(EditControl == edMaskEditBtn ? GetEditMask(Cell.DCol, Cell.DRow) : String());
  return {edit, edit};
}

void TAdvStringGrid::CommitEditBtnRow(int RCol, int DRow) {
  TGridEditBtn* edit = EditBtn;
  if (!edit) return;
  if (EditMode) StoreEditText(RCol, DRow, edit->Text());
  // Hiding the focused editor ends its focus, and its exit would commit a second time.
  EditMode = false;
  EditorHideControl(edit);
}

TSpecialEditorOpened TAdvStringGrid::OpenUnitEditRow(const TSpecialEditorCell& Cell) {
  TGridUnitEditBtn* edit = UnitEditBtn;
  if (!edit) return {};
  if (edit->Parent() != this) edit->SetParent(this);
  edit->SetBounds(Cell.R.Left, Cell.R.Top, Cell.W, edit->Height());
  edit->SetMaxLength(GetEditLimit());
  edit->SetUnitID(String());
  edit->SetText(String());
  // A text that ends in none of the units opens whole, so that committing it changes nothing.
  edit->SetTextAndUnit(GetEditText(Cell.DCol, Cell.DRow));
  DoGetEditorProp(Cell.RCol, Cell.DRow, FEditLink);
  EditorShowControl(edit, Cell.Color);
  if (edit->CanFocus()) edit->SetFocus();
  edit->SetHeight(Cell.H);
  return {edit, edit};
}

void TAdvStringGrid::CommitUnitEditRow(int RCol, int DRow) {
  TGridUnitEditBtn* edit = UnitEditBtn;
  if (!edit) return;
  StoreEditText(RCol, DRow, edit->TextAndUnit());
  EditMode = false;
  EditorHideControl(edit);
}
