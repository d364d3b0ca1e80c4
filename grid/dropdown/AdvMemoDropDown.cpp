// The memo drop-down: the memo in the popup, the edit's first-line view and the memo's keys.
#include "grid/dropdown/AdvMemoDropDown.h"

#include "grid/dropdown/AdvDropDownDraw.h"
#include "grid/dropdown/AdvDropDownForm.h"
#include "grid/dropdown/AdvDropDownHosted.h"

TAdvMemoDropDown::TAdvMemoDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner), FMemoText(std::make_unique<TStringList>()) {
  FMemoText->OnChange = [this](TObject*) { UpdateEditFromMemoText(); };
  CreateDropDownForm();
  SetEditorEnabled(true);
}

TAdvMemoDropDown::~TAdvMemoDropDown() {
  FMemoText->OnChange = nullptr;
  if (FMemo) FMemo->OnChange = nullptr;
}

void TAdvMemoDropDown::CreateDropDownForm() {
  TAdvCustomDropDown::CreateDropDownForm();
  if (FMemo || !DropDownForm()) return;
  FMemo = new TMemo(this);
  FMemo->SetParent(DropDownForm());
  FMemo->SetBounds(0, 0, FMemo->Width(), 100);
  FMemo->SetBorderStyle(bsNone);
  FMemo->OnChange = [this](TObject*) {
    if (OnMemoChange) OnMemoChange(this);
  };
  SetControl(FMemo);
}

void TAdvMemoDropDown::SetMemoText(TStrings* Value) {
  FMemoText->Assign(Value);
  if (FMemo) FMemo->Lines()->Assign(Value);
}

void TAdvMemoDropDown::SetMemoReadOnly(bool Value) {
  FMemoReadOnly = Value;
  if (FMemo && DroppedDown()) FMemo->SetReadOnly(Value);
}

void TAdvMemoDropDown::BeforeDropDown() {
  TAdvCustomDropDown::BeforeDropDown();
  DropDownForm()->SetCancelOnDeActivate(false);
  if (!FMemo) return;
  SizeHostedControl(this, FMemo, DropDownWidth() > 0 ? DropDownWidth() : Width(), 100);
  FMemo->Lines()->Assign(FMemoText.get());
  FMemo->SetPopupMenu(FMemoPopup);
  FMemo->SetMaxLength(MaxLength());
  FMemo->SetScrollBars(FMemoScrollBars);
  FMemo->SetReadOnly(FMemoReadOnly);
}

void TAdvMemoDropDown::DoHideDropDown(bool Cancel) {
  if (!DropDownForm() || !DropDownForm()->Visible()) return;
  const bool autoDrop = FAutoDrop;
  FAutoDrop = false;
  TStringList kept;
  if (Cancel) {
    kept.Assign(FMemoText.get());
    if (FMemo) FMemo->Lines()->Assign(FMemoText.get());
  }
  TAdvCustomDropDown::DoHideDropDown(Cancel);
  // The base puts its last set text back on cancel, which would land in MemoText through the
  // change rule: the text held before the popup opened is the one to keep.
  if (Cancel) FMemoText->Assign(&kept);
  FAutoDrop = autoDrop;
}

void TAdvMemoDropDown::AfterDropUp() {
  const bool autoDrop = FAutoDrop;
  FAutoDrop = false;  // the focus coming back to the edit must not open the popup again
  TAdvCustomDropDown::AfterDropUp();
  FAutoDrop = autoDrop;
  if (FMemo) {
    const auto saved = FMemoText->OnChange;
    FMemoText->OnChange = nullptr;
    FMemoText->SetText(FMemo->GetText());
    FMemoText->OnChange = saved;
  }
  UpdateEditFromMemoText();
  SetSelStart(0);
  SetSelLength(0);
}

void TAdvMemoDropDown::Change() {
  if (!FInternalUpdate) {
    const auto saved = FMemoText->OnChange;
    FMemoText->OnChange = nullptr;
    FMemoText->SetText(GetText());
    FMemoText->OnChange = saved;
  }
  TAdvCustomDropDown::Change();
}

void TAdvMemoDropDown::DoEnter() {
  TAdvCustomDropDown::DoEnter();
  if (FAutoDrop) DoShowDropDown();
}

void TAdvMemoDropDown::UpdateEditFromMemoText() {
  String text;
  if (FMemoText->Count() == 0 || EditorEnabled()) {
    text = FMemoText->Text();
  } else {
    text = FMemoText->Strings(0);
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->Font()->Assign(Font());
    const int width = GetEditRect().Right - GetEditRect().Left;
    if (GetTextSize(measure.Canvas(), text).cx <= width) {
      if (FMemoText->Count() > 1) text += u"...";
    } else {
      String fitted;
      text = FitTextToWidth(measure.Canvas(), text, width, fitted, true);
    }
  }
  FInternalUpdate = true;
  SetTextDirect(text);
  FInternalUpdate = false;
}

void TAdvMemoDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  const Word key = Key;
  if (Key == VK_ESCAPE || Key == VK_F4 || Shift.Contains(ssAlt)) TAdvCustomDropDown::ControlKeyDown(Key, Shift);
  if (Shift.Contains(ssCtrl) && (key == u'A' || key == u'a') && FMemo) FMemo->SelectAll();
  Word k = key;
  MemoKeyDown(k, Shift);
}

void TAdvMemoDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE || Key == VK_F4 || Shift.Contains(ssAlt)) TAdvCustomDropDown::ControlKeyUp(Key, Shift);
}

void TAdvMemoDropDown::ControlKeyPress(Char& Key) {
  if (Key == 27 || GetKeyState(VK_MENU) < 0) TAdvCustomDropDown::ControlKeyPress(Key);
}

void TAdvMemoDropDown::MemoKeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) {
    DoHideDropDown(true);
  } else if (Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
    if (DroppedDown()) DoHideDropDown(true);
    else DoShowDropDown();
  }
}
