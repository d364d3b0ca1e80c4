// The track-bar drop-down: the popup's slider, arrow keys and dragging over the edit.
#include "grid/dropdown/AdvTrackBarDropDown.h"

#include "grid/dropdown/AdvDropDownForm.h"
#include "grid/dropdown/AdvDropDownHosted.h"
#include "platform/SysUtils.h"

TAdvTrackBarDropDown::TAdvTrackBarDropDown(TComponent* AOwner) : TAdvCustomDropDown(AOwner) {
  CreateDropDownForm();
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  SetEditType(etNumeric);
  DropDownHeader()->SetVisible(false);
  DropDownFooter()->SetVisible(false);
  SetForceShadow(true);
}

void TAdvTrackBarDropDown::CreateDropDownForm() {
  TAdvCustomDropDown::CreateDropDownForm();
  if (FTrackBar || !DropDownForm()) return;
  FTrackBar = new TTrackBar(DropDownForm());
  FTrackBar->SetParent(DropDownForm());
  FTrackBar->SetBounds(0, 0, FTrackBar->Width(), 40);
  FTrackBar->OnChange = [this](TObject*) { TrackChanged(); };
}

// The track bar raises before anything is stored when the range would turn over.
void TAdvTrackBarDropDown::SetMax(int Value) {
  if (FTrackBar) {
    FTrackBar->SetMax(Value);
    Value = FTrackBar->Max();
  }
  FMax = Value;
}

void TAdvTrackBarDropDown::SetMin(int Value) {
  if (FTrackBar) {
    FTrackBar->SetMin(Value);
    Value = FTrackBar->Min();
  }
  FMin = Value;
}

void TAdvTrackBarDropDown::SetFrequency(int Value) {
  FFrequency = Value;
  if (FTrackBar) FTrackBar->SetFrequency(Value);
}

void TAdvTrackBarDropDown::SetPosition(int Value) {
  FPosition = Value;
  if (FTrackBar) {
    FTrackBar->SetPosition(Value);
    FPosition = FTrackBar->Position();
  }
}

void TAdvTrackBarDropDown::SetPageSize(int Value) {
  FPageSize = Value;
  if (FTrackBar) FTrackBar->SetPageSize(Value);
}

void TAdvTrackBarDropDown::TrackChanged() {
  FPosition = FTrackBar->Position();
  SetTextDirect(IntToStr(FPosition));
  if (OnTrackChange) OnTrackChange(this);
}

void TAdvTrackBarDropDown::BeforeDropDown() {
  TAdvCustomDropDown::BeforeDropDown();
  DropDownForm()->SetCancelOnDeActivate(false);
  if (!FTrackBar) return;
  if (FMax >= FTrackBar->Min()) {
    FTrackBar->SetMax(FMax);
    FTrackBar->SetMin(FMin);
  } else {
    FTrackBar->SetMin(FMin);
    FTrackBar->SetMax(FMax);
  }
  FTrackBar->SetPosition(FPosition);
  FTrackBar->SetPageSize(FPageSize);
  FTrackBar->SetFrequency(FFrequency);
  SizeHostedControl(this, FTrackBar, Width(), 40);
  SetControl(FTrackBar);
}

void TAdvTrackBarDropDown::WndProc(TMessage& Message) {
  TAdvCustomDropDown::WndProc(Message);
  if (Message.Msg != WM_KEYDOWN || EditorEnabled() || GetKeyState(VK_MENU) < 0) return;
  const Word key = static_cast<Word>(Message.WParam);
  if (key == VK_UP && FPosition - FFrequency >= FMin) SetPosition(FPosition - FFrequency);
  else if (key == VK_DOWN && FPosition + FFrequency <= FMax) SetPosition(FPosition + FFrequency);
}

void TAdvTrackBarDropDown::Change() {
  TAdvCustomDropDown::Change();
  // A text that is no integer (an emptied edit while typing) leaves the value as it is.
  int value = 0;
  if (TryStrToInt(GetText(), value)) SetPosition(value);
}

void TAdvTrackBarDropDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TAdvCustomDropDown::MouseDown(Button, Shift, X, Y);
  if (!DropDownEnabled() || EditorEnabled()) return;
  FLastMouseX = X;
  FMouseDragging = true;
}

void TAdvTrackBarDropDown::MouseMove(TShiftState Shift, int X, int Y) {
  TAdvCustomDropDown::MouseMove(Shift, X, Y);
  if (!FMouseDragging) return;
  // A page size below 1 would divide by zero: dragging then moves nothing.
  if (FPageSize >= 1) {
    const int steps = (X - FLastMouseX) / FPageSize;
    if (steps != 0) SetPosition(FPosition + steps);
  }
  FLastMouseX = X;
}

void TAdvTrackBarDropDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TAdvCustomDropDown::MouseUp(Button, Shift, X, Y);
  FMouseDragging = false;
}
