// The drop-down edit's popup: created once, sized, placed under or over the edit, opened and closed.
#include <algorithm>

#include "grid/dropdown/AdvDropDown.h"
#include "grid/dropdown/AdvDropDownForm.h"
#include "platform/Forms.h"
#include "platform/HintWindow.h"
#include "platform/PopupForm.h"
#include "platform/TimeSource.h"

void TAdvCustomDropDown::CreateDropDownForm() {
  if (FDropDownForm) return;
  FDropDownForm = new TDropDownForm(this);
  FDropDownForm->SetAdvDropDown(this);
  FDropDownForm->SetBorderStyle(bsNone);
  FDropDownForm->SetVisible(false);
  FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), FDropDownWidth, FDropDownHeight);
  FDropDownForm->OnClose = [](TObject*, TCloseAction&) {};
  FDropDownForm->OnHide = [this](TObject*) { AfterDropUp(); };
  FDropDownForm->OnKeyPress = [this](TObject*, Char& Key) { DropDownKeyPress(Key); };
  FDropDownForm->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { DropDownKeyDown(Key, Shift); };
  FDropDownForm->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { DropDownKeyUp(Key, Shift); };
  FDropDownForm->OnMouseWheel = [this](TObject*, TShiftState, int WheelDelta, TPoint, bool& Handled) {
    if (WheelDelta < 0) DropDownMouseWheelDown();
    else DropDownMouseWheelUp();
    Handled = true;
  };
  FDropDownForm->OnDestroy = [this](TObject*) { DropDownFormDestroy(); };
  FDropDownForm->OnSizing = [this](TObject*) { DropDownSizing(); };
  FDropDownForm->SetDoubleBuffered(true);
}

void TAdvCustomDropDown::DropDownButtonClick() {
  if (!FDropDownForm || FDropDownForm->Visible()) return;
  if (DropDownMayReopen(GetTickCount(), FDropDownForm->DeActivateTime())) DoShowDropDown();
}

void TAdvCustomDropDown::UpdateDropDownSize() {
  if (!FDropDownForm) return;
  TDropDownSizeInput in;
  in.DropDownWidth = FDropDownWidth;
  in.DropDownHeight = FDropDownHeight;
  in.EditWidth = Width();
  in.BorderWidth = FDropDownBorderWidth;
  in.HeaderVisible = FDropDownForm->Header() && FDropDownForm->Header()->Visible();
  in.HeaderHeight = FDropDownForm->Header() ? FDropDownForm->Header()->Height() : 0;
  in.FooterVisible = FDropDownForm->Footer() && FDropDownForm->Footer()->Visible();
  in.FooterHeight = FDropDownForm->Footer() ? FDropDownForm->Footer()->Height() : 0;
  in.HasControl = FControl && FControl->Visible();
  in.ControlWidth = FControl ? FControl->Width() : 0;
  in.ControlHeight = FControl ? FControl->Height() : 0;
  const TSize size = DropDownPopupSize(in);
  FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), size.cx, size.cy);
}

void TAdvCustomDropDown::PlaceDropDownControl() {
  if (!FDropDownForm || !FControl) return;
  if (FControl->Parent() != FDropDownForm) {
    // The popup first takes room for the control, so that aligning it to the client area keeps
    // its size, from which the automatic popup size is taken.
    const int strips = (FDropDownHeader->Visible() ? FDropDownHeader->Height() : 0) +
                       (FDropDownFooter->Visible() ? FDropDownFooter->Height() : 0);
    FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(),
                             std::max(FDropDownForm->Width(), FControl->Width() + 2 * FDropDownBorderWidth),
                             std::max(FDropDownForm->Height(), FControl->Height() + strips + 2 * FDropDownBorderWidth));
  }
  FControl->SetParent(FDropDownForm);
  const bool header = FDropDownHeader->Visible();
  FControl->SetTop(header ? FDropDownHeader->Height() + 2 : FDropDownBorderWidth);
  FControl->SetAlign(alClient);
}

void TAdvCustomDropDown::BeforeDropDown() {
  if (OnBeforeDropDown) OnBeforeDropDown(this);
}

void TAdvCustomDropDown::FocusDropDownControl() {
  if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
}

void TAdvCustomDropDown::DoShowDropDown() {
  if (!FDropDownForm || FDropDownForm->Visible() || !Enabled() || ReadOnly()) return;
  BeforeDropDown();
  FDropDownForm->SetShadow(FDropDownShadow);
  FDropDownForm->SetOwnerForm(GetParentForm(this));
  FDropDownForm->InitializeAndUpdate();
  FDropDownForm->SetBounds(Left(), Top(), FDropDownForm->Width(), FDropDownForm->Height());
  UpdateDropDownSize();
  PlaceDropDownControl();
  FDropDownForm->SetMinSize(DropDownMinWidth, DropDownMinHeight);
  if (auto* w = dynamic_cast<TWinControl*>(FControl)) {
    w->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
    w->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
    w->OnKeyPress = [this](TObject*, Char& Key) { ControlKeyPress(Key); };
  }
  const TPoint p = Parent() ? Parent()->ClientToScreen(Point(Left(), Top())) : Point(Left(), Top());
  const TSize size{FDropDownForm->Width(), FDropDownForm->Height()};
  bool accept = true;
  if (OnDropDown) OnDropDown(this, accept);
  if (!accept) return;
  // The side and the right-edge rule both go by the work area of the monitor nearest the edit.
  const TPoint place = PlaceDropDown(FDropPosition, p, Height(), size, MonitorWorkAreaNear(p));
  int w = size.cx, h = size.cy;
  if (FUserDropDownWidth != -1) w = FUserDropDownWidth;
  if (FUserDropDownHeight != -1) h = FUserDropDownHeight;
  FDropDownForm->SetBounds(place.X, place.Y, 0, 0);
  FDropDownForm->Show();
  if (FDropDownShadow && FForceShadow) {
    FDropDownForm->Hide();
    FDropDownForm->SetBounds(place.X, place.Y, 1, 1);
    FDropDownForm->Show();
  }
  AdjustDropDownHeight(h);
  FDroppedDown = true;
  FDropDownForm->SetBounds(place.X, place.Y, w, h);
  FocusDropDownControl();
}

void TAdvCustomDropDown::DoHideDropDown(bool Cancel) {
  if (!FDropDownForm || !FDropDownForm->Visible()) return;
  if (OnBeforeDropUp) OnBeforeDropUp(this);
  FUserDropDownWidth = FDropDownForm->Width();
  FUserDropDownHeight = FDropDownForm->Height();
  FDropDownForm->Hide();
  if (Application) Application->CancelHint();
  if (Cancel) SetText(FOldText);
  if (OnDropUp) OnDropUp(this, Cancel);
}

void TAdvCustomDropDown::AfterDropUp() {
  FDroppedDown = false;
  if (TabStop() && CanFocus() && !Focused() && !ComponentState().Contains(TComponentStateFlag::csDestroying)) {
    if (TForm* form = GetParentForm(this)) {
      // The popup is hiding already: its losing activation here must not close it again.
      const bool blocked = FDropDownForm && FDropDownForm->BlockActivate();
      if (FDropDownForm) FDropDownForm->SetBlockActivate(true);
      ActivateForm(form, WA_ACTIVE);
      if (FDropDownForm) FDropDownForm->SetBlockActivate(blocked);
      form->FocusControl(this);
    }
  }
}

// ---- keys of the popup and of its hosted control go to the edit ---------------------------------

void TAdvCustomDropDown::DropDownKeyPress(Char& Key) { SendMessage(this, WM_CHAR, Key, 0); }
void TAdvCustomDropDown::DropDownKeyDown(Word& Key, TShiftState) { SendMessage(this, WM_KEYDOWN, Key, 0); }
void TAdvCustomDropDown::DropDownKeyUp(Word& Key, TShiftState) { SendMessage(this, WM_KEYUP, Key, 0); }
void TAdvCustomDropDown::ControlKeyDown(Word& Key, TShiftState) { SendMessage(this, WM_KEYDOWN, Key, 0); }
void TAdvCustomDropDown::ControlKeyUp(Word& Key, TShiftState) { SendMessage(this, WM_KEYUP, Key, 0); }
void TAdvCustomDropDown::ControlKeyPress(Char& Key) { SendMessage(this, WM_CHAR, Key, 0); }
