#pragma once
// The operations of the drop-down cell editors' shared wrapper, for the files that instantiate it
// over their drop-down edits.
#include "grid/core/AdvGridDropDownEditor.h"
#include "grid/core/AdvGridEditorKeys.h"
#include "platform/SysUtils.h"

template <class TBase>
TGridDropDownEditor<TBase>::TGridDropDownEditor(TComponent* AOwner) : TBase(AOwner), FGrid(EditorOwnerGrid(AOwner)) {}

template <class TBase>
bool TGridDropDownEditor<TBase>::IsSpecialKey(Word Key, TShiftState Shift) const {
  switch (Key) {
    case VK_DOWN:
      // Alt+Down opens and closes the popup.
      return !Shift.Contains(ssAlt);
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_UP:
      return true;
    default:
      return false;
  }
}

template <class TBase>
void TGridDropDownEditor<TBase>::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_WANTSPECIALKEY: {
      // The base may clear the key while answering.
      const Word key = static_cast<Word>(Message.WParam);
      TBase::WndProc(Message);
      if ((key == VK_TAB && DropDownGridWantsTab(FGrid)) ||
          (ClaimsEnterAndEscape() && (key == VK_RETURN || key == VK_ESCAPE)))
        Message.Result = 1;
      return;
    }
    case WM_SETFOCUS:
      TBase::WndProc(Message);
      if (CaretToClick()) CaretToMouse();
      return;
    case WM_KEYDOWN: {
      // An edit closed to typing passes no key but Enter and Esc on to its key-down handler: the
      // keys that end the edit are handled before it swallows them.
      Word key = static_cast<Word>(Message.WParam);
      const TShiftState shift = KeyDataToShiftState(Message.LParam);
      if (!this->EditorEnabled() && !this->DroppedDown() && key != VK_RETURN && key != VK_ESCAPE &&
          IsSpecialKey(key, shift)) {
        KeyDown(key, shift);
        if (key == 0) return;
      }
      TBase::WndProc(Message);
      return;
    }
    default:
      TBase::WndProc(Message);
  }
}

template <class TBase>
void TGridDropDownEditor<TBase>::CaretToMouse() {
  if (!DropDownGridClickPending(FGrid)) return;
  const TPoint p = this->ScreenToClient(GetCursorPos());
  if (p.X < 0 || p.X > this->Width() || p.Y < 0 || p.Y > this->Height()) return;
  const intptr_t at = this->Perform(EM_CHARFROMPOS, 0, MakeLParam(p.X, p.Y));
  if (at == -1) return;
  this->SetSelStart(static_cast<int>(at & 0xFFFF));
  this->SetSelLength(0);
  DropDownGridClickTaken(FGrid);
}

template <class TBase>
void TGridDropDownEditor<TBase>::KeyDown(Word& Key, TShiftState Shift) {
  if (!IsSpecialKey(Key, Shift)) {
    TBase::KeyDown(Key, Shift);
    return;
  }
  TAdvStringGrid* grid = FGrid;
  if (Key == VK_ESCAPE) {
    PutBackText(EscapeText());
    DropDownGridHideEdit(grid);
    EditorFocusGrid(grid);
    Key = 0;
    return;
  }
  if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    BeforeLeaveCheck(Key);
    if (ChecksLeaving(Key)) {
      String text = EditorText();
      if (!EditorLeaveCheck(grid, text)) {
        PutBackText(text);
        this->SelectAll();
        this->Invalidate();
        Key = 0;
        return;
      }
      this->SetTextDirect(text);
    }
  }
  if (Key == VK_TAB && DropDownGridWantsTab(grid)) {
    String text = EditorText();
    if (!EditorLeaveCheck(grid, text)) {
      PutBackText(text);
      this->SetSelStart(static_cast<int>(this->EditText().size()));
      this->SetSelLength(0);
      this->Invalidate();
      Key = 0;
      return;
    }
    if (EditorTabLeave(grid, Shift)) {
      Key = 0;
      return;
    }
  }
  if (this->DroppedDown()) {
    DropDownGridHideEdit(grid);
    if (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN || Key == VK_LEFT || Key == VK_RIGHT)
      Key = 0;
  } else if (Key == VK_END) {
    TBase::KeyDown(Key, Shift);
    return;
  }
  DropDownGridKeyDone(grid, Key, Shift);
  Key = 0;
  TBase::KeyDown(Key, Shift);
}

template <class TBase>
void TGridDropDownEditor<TBase>::KeyPress(Char& Key) {
  DropDownGridKeyPress(FGrid, this, Key);
  if (Key == 27 || Key == 13 || Key == 9) Key = 0;
  TBase::KeyPress(Key);
}

template <class TBase>
void TGridDropDownEditor<TBase>::DoExit() {
  DropDownGridHideEdit(FGrid);
  TBase::DoExit();
}

template <class TBase>
void TGridDropDownEditor<TBase>::Change() {
  TBase::Change();
  DropDownGridEditChange(FGrid, EditorText());
}
