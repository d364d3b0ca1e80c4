// The drop-down editors (edTrackbarDropDown to edImagePickerDropDown but the two grid pickers),
// their keys, and their side of the seam to the grid. Compiled apart from the grid's own files.
#include "grid/core/AdvGridDropDownEditors.h"

#include "grid/core/AdvGridEditorKeys.h"
#include "grid/dropdown/AdvDropDownForm.h"
#include "platform/SysUtils.h"

// =============================================================================================
// What the wrappers share

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

bool TGridColorDropDown::IsSpecialKey(Word Key, TShiftState Shift) const {
  if (DroppedDown()) return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE;
  return TGridDropDownEditor::IsSpecialKey(Key, Shift);
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

template class TGridDropDownEditor<TAdvTrackBarDropDown>;
template class TGridDropDownEditor<TAdvMemoDropDown>;
template class TGridDropDownEditor<TAdvCalculatorDropdown>;
template class TGridDropDownEditor<TAdvTimePickerDropDown>;
template class TGridDropDownEditor<TAdvDetailDropDown>;
template class TGridDropDownEditor<TAdvColorPickerDropDown>;
template class TGridDropDownEditor<TAdvImagePickerDropDown>;

String TGridMemoDropDown::EditorText() const {
  TStringList* lines = MemoText();
  String text;
  for (int i = 0; i < lines->Count(); ++i) {
    if (i > 0) text += u"\r\n";
    text += lines->Strings(i);
  }
  return text;
}

String TGridImageDropDown::EditorText() const {
  if (DropDownGridCurrentDataImage(Grid())) return IntToStr(ImageIndex());
  return DropDownGridCurrentCell(Grid());
}

// =============================================================================================
// The grid's side of the seam

namespace {

template <class T>
T* DropDownEditorsMake(TWinControl* Grid) {
  T* editor = New<T>(Grid);
  EditorHideControl(editor);
  editor->SetParent(Grid);
  return editor;
}

TAdvCustomDropDown* DropDownEditorsMakeKind(TWinControl* Grid, TGridDropDownKind Kind,
                                            const TGridDropDownEvents& Events) {
  switch (Kind) {
    case gdkTrackbar: {
      auto* e = DropDownEditorsMake<TGridTrackbarDropDown>(Grid);
      e->SetEditorEnabled(true);
      return e;
    }
    case gdkMemo: {
      auto* e = DropDownEditorsMake<TGridMemoDropDown>(Grid);
      e->OnChange = [e, f = Events.MemoChange](TObject*) {
        if (f) f(e->EditorText());
      };
      return e;
    }
    case gdkCalculator: {
      auto* e = DropDownEditorsMake<TGridCalculatorDropDown>(Grid);
      e->SetEditorEnabled(true);
      return e;
    }
    case gdkTimePicker:
      return DropDownEditorsMake<TGridTimepickerDropDown>(Grid);
    case gdkDetail:
      return DropDownEditorsMake<TGridDetailPickerDropDown>(Grid);
    case gdkColor: {
      auto* e = DropDownEditorsMake<TGridColorDropDown>(Grid);
      e->AddDefaultColors();
      e->OnSelect = [f = Events.Selected](TObject*) {
        if (f) f();
      };
      return e;
    }
    case gdkImage: {
      auto* e = DropDownEditorsMake<TGridImageDropDown>(Grid);
      e->OnSelect = [f = Events.Selected](TObject*) {
        if (f) f();
      };
      return e;
    }
    default:
      return nullptr;
  }
}

TAdvCustomDropDown* DropDownEditorsOf(TWinControl* Editor) { return dynamic_cast<TAdvCustomDropDown*>(Editor); }

}  // namespace

TWinControl* NewGridDropDownEditor(TWinControl* Grid, TGridDropDownKind Kind, TQELStyle Style, const TColorTones& Tones,
                                   const TGridDropDownEvents& Events) {
  TAdvCustomDropDown* e = DropDownEditorsMakeKind(Grid, Kind, Events);
  if (!e) return nullptr;
  e->SetComponentStyle(Style);
  e->SetColorTones(Tones);
  e->OnDropDownHeaderButtonClick = [f = Events.HeaderButtonClick](TObject*, int Index) {
    if (f) f(Index);
  };
  e->OnDropDownFooterButtonClick = [f = Events.FooterButtonClick](TObject*, int Index) {
    if (f) f(Index);
  };
  return e;
}

void SetGridDropDownStyle(TWinControl* Editor, TQELStyle Style) {
  if (TAdvCustomDropDown* e = DropDownEditorsOf(Editor)) e->SetComponentStyle(Style);
}

void SetGridDropDownTones(TWinControl* Editor, const TColorTones& Tones) {
  if (TAdvCustomDropDown* e = DropDownEditorsOf(Editor)) e->SetColorTones(Tones);
}

void OpenGridDropDownEditor(TWinControl* Editor, TGridDropDownKind Kind, const TGridDropDownOpening& O) {
  TAdvCustomDropDown* dd = DropDownEditorsOf(Editor);
  if (!dd) return;
  if (O.Header) dd->SetDropDownHeader(O.Header);
  if (O.Footer) dd->SetDropDownFooter(O.Footer);
  dd->SetComponentStyle(O.Style);
  if (Kind == gdkTimePicker || Kind == gdkDetail) dd->SetEditorEnabled(true);
  if (O.GetEditorProp) O.GetEditorProp();
  dd->SetBounds(O.R.Left, O.R.Top, 0, 0);
  dd->SetEnabled(true);
  dd->SetBorderStyle(bsNone);
  dd->SetBounds(O.R.Left, O.R.Top, O.W, O.H);
  switch (Kind) {
    case gdkTrackbar: {
      auto* e = static_cast<TGridTrackbarDropDown*>(dd);
      e->SetPosition(StrToIntDef(Trim(O.Text), e->Min()));
      e->SetText(IntToStr(e->Position()));
      break;
    }
    case gdkMemo:
      static_cast<TGridMemoDropDown*>(dd)->MemoText()->SetText(O.Text);
      break;
    case gdkCalculator: {
      auto* e = static_cast<TGridCalculatorDropDown*>(dd);
      // An operation left pending in another cell must not apply to this one.
      e->CalcResult();
      e->SetText(O.Text);
      break;
    }
    case gdkColor: {
      auto* e = static_cast<TGridColorDropDown*>(dd);
      // A colour that is none of the named ones must not keep the name chosen in another cell.
      const int i = e->ItemIndex();
      if (i >= 0 && e->Colors()->Items(i)->Color() != O.PickColor) e->SetItemIndex(-1);
      e->SetSelectedColor(O.PickColor);
      break;
    }
    case gdkImage: {
      auto* e = static_cast<TGridImageDropDown*>(dd);
      int index = -1;
      if (O.ShowImages) {
        e->SetImages(O.Images);
        if (e->Items()->Count() == 0) e->AddImagesFromImageList();
        index = O.ImageIndex;
      }
      e->SetImageIndex(index);
      const int item = e->ItemIndex();
      e->SetTextDirect(item >= 0 ? e->Items()->Items(item)->Caption() : String());
      break;
    }
    default:
      dd->SetText(O.Text);
      break;
  }
  EditorShowControl(dd, O.Color);
  if (dd->CanFocus()) dd->SetFocus();
  if (Kind == gdkDetail) {
    auto* e = static_cast<TGridDetailPickerDropDown*>(dd);
    const int i = e->Items()->IndexOf(e->GetText());
    if (i >= 0) e->SetItemIndex(i);
  }
  if (O.DropDown) {
    dd->ShowDropDown();
    auto* memo = Kind == gdkMemo ? static_cast<TGridMemoDropDown*>(dd)->Memo() : nullptr;
    if (memo) {
      memo->SetSelStart(0);
      memo->SetSelLength(0);
    }
  }
}

TGridDropDownValue GridDropDownValue(TWinControl* Editor, TGridDropDownKind Kind) {
  TGridDropDownValue v;
  switch (Kind) {
    case gdkTrackbar:
      v.Text = static_cast<TGridTrackbarDropDown*>(Editor)->EditorText();
      break;
    case gdkMemo:
      v.Text = static_cast<TGridMemoDropDown*>(Editor)->EditorText();
      break;
    case gdkCalculator:
      v.Text = static_cast<TGridCalculatorDropDown*>(Editor)->EditorText();
      break;
    case gdkTimePicker:
      v.Text = static_cast<TGridTimepickerDropDown*>(Editor)->EditorText();
      break;
    case gdkDetail:
      v.Text = static_cast<TGridDetailPickerDropDown*>(Editor)->EditorText();
      break;
    case gdkColor: {
      auto* e = static_cast<TGridColorDropDown*>(Editor);
      v.Text = e->EditorText();
      v.Color = e->SelectedColor();
      v.ItemIndex = e->ItemIndex();
      break;
    }
    case gdkImage: {
      auto* e = static_cast<TGridImageDropDown*>(Editor);
      v.ImageIndex = e->ImageIndex();
      v.ItemIndex = e->ItemIndex();
      break;
    }
    default:
      break;
  }
  return v;
}

void CloseGridDropDownPopup(TWinControl* Editor) {
  TAdvCustomDropDown* dd = DropDownEditorsOf(Editor);
  if (dd && dd->DroppedDown()) dd->HideDropDown(false);
}

TForm* GridDropDownPopup(TWinControl* Editor) {
  TAdvCustomDropDown* dd = DropDownEditorsOf(Editor);
  return dd && dd->DroppedDown() ? dd->DropDownForm() : nullptr;
}

TQELStyle GridDropDownStyle(TWinControl* Editor) {
  TAdvCustomDropDown* dd = DropDownEditorsOf(Editor);
  return dd ? dd->GetComponentStyle() : tsCustom;
}

template <class T>
T* GridDropDownAs(TWinControl* Editor) {
  return dynamic_cast<T*>(Editor);
}

template TGridTrackbarDropDown* GridDropDownAs<TGridTrackbarDropDown>(TWinControl*);
template TGridMemoDropDown* GridDropDownAs<TGridMemoDropDown>(TWinControl*);
template TGridCalculatorDropDown* GridDropDownAs<TGridCalculatorDropDown>(TWinControl*);
template TGridTimepickerDropDown* GridDropDownAs<TGridTimepickerDropDown>(TWinControl*);
template TGridDetailPickerDropDown* GridDropDownAs<TGridDetailPickerDropDown>(TWinControl*);
template TGridColorDropDown* GridDropDownAs<TGridColorDropDown>(TWinControl*);
template TGridImageDropDown* GridDropDownAs<TGridImageDropDown>(TWinControl*);
