// The drop-down editors (edTrackbarDropDown to edImagePickerDropDown but the two grid pickers,
// which their own library registers), their keys, and their side of the seam to the grid.
// Compiled apart from the grid's own files.
#include "grid/core/AdvGridDropDownEditors.h"
#include "grid/core/AdvGridDropDownEditorImpl.h"

#include "grid/dropdown/AdvDropDownForm.h"
#include "platform/SysUtils.h"

// =============================================================================================
// The wrappers (what they share: AdvGridDropDownEditorImpl.h)

bool TGridColorDropDown::IsSpecialKey(Word Key, TShiftState Shift) const {
  if (DroppedDown()) return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE;
  return TGridDropDownEditor::IsSpecialKey(Key, Shift);
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

TGridDropDownKindMaker& DropDownEditorsMaker(TGridDropDownKind Kind) {
  static TGridDropDownKindMaker makers[kGridDropDownKinds];
  return makers[Kind];
}

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
    default: {
      const TGridDropDownKindMaker& maker = DropDownEditorsMaker(Kind);
      if (!maker.Make) return nullptr;
      TAdvCustomDropDown* e = maker.Make(Grid);
      EditorHideControl(e);
      e->SetParent(Grid);
      return e;
    }
  }
}

TAdvCustomDropDown* DropDownEditorsOf(TWinControl* Editor) { return dynamic_cast<TAdvCustomDropDown*>(Editor); }

}  // namespace

void RegisterGridDropDownKind(TGridDropDownKind Kind, const TGridDropDownKindMaker& Maker) {
  DropDownEditorsMaker(Kind) = Maker;
}

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
  const TGridDropDownKindMaker& maker = DropDownEditorsMaker(Kind);
  if (Kind == gdkGrid || Kind == gdkAdvGrid) {
    dd->SetColor(O.Color);
    dd->SetEditorEnabled(true);
  }
  if (O.GetEditorProp) O.GetEditorProp();
  if (maker.EndUpdate) maker.EndUpdate(dd);
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
      if (maker.Open)
        maker.Open(dd, O.Text);
      else
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
      if (TAdvCustomDropDown* e = DropDownEditorsOf(Editor)) v.Text = e->GetText();
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
