#include "grid/core/AsgEditBtn.h"

#include "grid/core/AsgEmbedded.h"
#include "platform/Menus.h"

namespace {
// The notification an edit sends its parent when its text changed (EN_CHANGE).
constexpr unsigned kEditChangeCode = 0x300;
}  // namespace

// ---- TAdvSpeedButton ---------------------------------------------------------------------------

void TAdvSpeedButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TSpeedButton::WndProc(Message);
      FHot = Message.Msg == CM_MOUSEENTER;
      Invalidate();
      return;
    default: TSpeedButton::WndProc(Message);
  }
}

void TAdvSpeedButton::Paint() {
  auto* owner = dynamic_cast<TAsgEditButton*>(Parent());
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  const bool down = FState == bsDown || FState == bsExclusive;
  if (owner && owner->ButtonColor != clNone) {
    SetFlat(true);
    TColor fill = owner->ButtonColor;
    if (down && owner->ButtonColorDown != clNone) fill = owner->ButtonColorDown;
    else if (FHot && owner->ButtonColorHot != clNone) fill = owner->ButtonColorHot;
    c->Pen()->SetColor(fill);
    c->Brush()->SetColor(fill);
    c->Rectangle(r);
  } else if (FIsWinXP && IsThemeActive()) {
    ThemeDrawBackground(c, u"button", ThemeParts::BP_PUSHBUTTON,
                        down ? ThemeParts::PBS_PRESSED : FHot ? ThemeParts::PBS_HOT : ThemeParts::PBS_NORMAL, r);
  } else if (Flat()) {
    c->Brush()->SetColor(clBtnFace);
    DrawEdge(c, r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
    InflateRect(r, -1, -1);
  } else {
    DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0u));
  }
  const int offset = down ? 1 : 0;
  if (!Glyph()->Empty()) {
    TBitmap glyph;
    glyph.Assign(Glyph());
    glyph.SetTransparent(true);
    const TRect cr = ClientRect();
    c->Draw((cr.Width() - glyph.Width()) / 2 + offset, (cr.Height() - glyph.Height()) / 2 + offset, &glyph);
  }
  if (!Caption().empty()) {
    c->Font()->Assign(Font());
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    TRect tr = ClientRect();
    OffsetRect(tr, offset, offset);
    DrawText(c, Caption(), tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

// ---- TAsgEditButton ----------------------------------------------------------------------------

TAsgEditButton::TAsgEditButton(TComponent* AOwner) : TWinControl(AOwner) {
  controlStyle_.Exclude(csAcceptsControls);
  controlStyle_.Exclude(csSetCaption);
  controlStyle_.Include(csOpaque);
  FButton = New<TAdvSpeedButton>(this);
  FButton->SetVisible(true);
  FButton->SetEnabled(true);
  FButton->SetCaption(String());
  FButton->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, int, int) { BtnMouseUp(Button); };
  FButton->SetParent(this);
  width_ = 20;
  height_ = 25;
  FButton->SetBounds(0, 0, width_, height_);
}

void TAsgEditButton::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TAsgEditButton::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TAsgEditButton::SetFlat(bool Value) {
  FFlat = Value;
  FButton->SetFlat(Value);
}

void TAsgEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FButton) FButton->SetBounds(0, 0, Width(), Height());
}

void TAsgEditButton::Loaded() {
  TWinControl::Loaded();
  FButton->SetBounds(0, 0, Width(), Height());
}

void TAsgEditButton::BtnMouseUp(TMouseButton Button) {
  if (Button != mbLeft) return;
  if (OnClick) OnClick(this);
  if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused()) {
    FFocusControl->SetFocus();
  } else if (TabStop() && !Focused() && CanFocus()) {
    SetFocus();
  }
}

// ---- TAsgEditBtn -------------------------------------------------------------------------------

TAsgEditBtn::TAsgEditBtn(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  FButton = New<TAsgEditButton>(this);
  FButton->SetBounds(0, 0, 18, 18);
  FButton->SetVisible(true);
  FButton->SetParent(this);
  FButton->SetFocusControl(this);
  FButton->OnClick = [this](TObject* Sender) { BtnClick(Sender); };
  SetText(u"0");
  controlStyle_.Exclude(csSetCaption);
  LayoutButton();
}

TAsgEditBtn::~TAsgEditBtn() = default;

void TAsgEditBtn::BtnClick(TObject* Sender) {
  if (OnClickBtn) OnClickBtn(Sender);
}

void TAsgEditBtn::SetButtonWidth(int Value) {
  FButton->SetWidth(Value);
  LayoutButton();
}

void TAsgEditBtn::SetRightAlign(bool Value) {
  if (FRightAlign == Value) return;
  FRightAlign = Value;
  SetAlignment(Value ? taRightJustify : taLeftJustify);
}

void TAsgEditBtn::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  FButton->Button()->SetIsWinXP(Value);
}

void TAsgEditBtn::KeyDown(Word& Key, TShiftState Shift) {
  TCustomMaskEdit::KeyDown(Key, Shift);
  if (Key == VK_F4 && !Shift.Contains(ssCtrl) && GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_RMENU) >= 0)
    BtnClick(this);
}

void TAsgEditBtn::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CHAR:
      if (!FEditorEnabled) return;
      break;
    case WM_PASTE:
    case WM_CUT:
      if (!FEditorEnabled || ReadOnly()) return;
      break;
    case CM_ENTER:
      if (AutoSelect() && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
      break;
    default: break;
  }
  TCustomMaskEdit::WndProc(Message);
}

void TAsgEditBtn::SetEditRectNow() {
  const int inset = BorderStyle() != bsNone ? 1 : 3;
  int right = ClientWidth() - ButtonWidth() - FUnitSize - 5;
  if (FUnitSize > 0) right -= 3;
  SetEditRect(Rect(inset, inset, right, ClientHeight() + 1));
}

void TAsgEditBtn::LayoutButton() {
  if (!FButton || FLaying) return;
  FLaying = true;
  const int mh = EmbeddedEditMinHeight(this);
  if (Height() < mh) TCustomMaskEdit::SetBounds(Left(), Top(), Width(), mh);
  PlaceEmbeddedButton(this, FButton, ButtonWidth());
  SetEditRectNow();
  FLaying = false;
}

void TAsgEditBtn::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!IsDestroying()) LayoutButton();
}

// ---- TAsgUnitEditBtn ---------------------------------------------------------------------------

TAsgUnitEditBtn::TAsgUnitEditBtn(TComponent* AOwner)
    : TAsgEditBtn(AOwner), FUnits(std::make_unique<TStringList>()) {
  FUnitSize = 20;
  SetRightAlign(true);
  SetEditRectNow();
}

TAsgUnitEditBtn::~TAsgUnitEditBtn() = default;

void TAsgUnitEditBtn::SetUnitID(const String& Value) {
  FUnitID = Value;
  Invalidate();
}

void TAsgUnitEditBtn::SetUnits(TStrings* Value) {
  if (Value) FUnits->Assign(Value);
}

void TAsgUnitEditBtn::SetUnitSpace(int Value) {
  FUnitSize = Value;
  SetEditRectNow();
  Invalidate();
}

String TAsgUnitEditBtn::TextAndUnit() const { return Text() + FUnitID; }

void TAsgUnitEditBtn::SetTextAndUnit(const String& Value) {
  for (int i = 0; i < FUnits->Count(); ++i) {
    const String& unit = FUnits->Strings(i);
    if (unit.empty() || unit.size() > Value.size()) continue;
    // The unit's first occurrence must be the value's end.
    if (Pos(unit, Value) != Length(Value) - Length(unit) + 1) continue;
    SetText(Value.substr(0, Value.size() - unit.size()));
    SetUnitID(unit);
    return;
  }
  // No unit of the list: the value is all text. Keeping the old text and unit would show a
  // value nobody set.
  SetText(Value);
  SetUnitID(String());
}

void TAsgUnitEditBtn::BtnClick(TObject* Sender) {
  (void)Sender;
  if (OnClickBtn) OnClickBtn(this);
  std::unique_ptr<TPopupMenu> menu(New<TPopupMenu>(nullptr));
  for (int i = 0; i < FUnits->Count(); ++i) {
    auto* item = New<TMenuItem>(nullptr);
    item->SetCaption(FUnits->Strings(i));
    const int id = i + 1;
    item->OnClick = [this, id](TObject*) { Perform(WM_COMMAND, static_cast<uintptr_t>(id), 0); };
    menu->Items()->Add(item);
  }
  const TPoint at = ClientToScreen(Point(ClientWidth() - 15, ClientHeight()));
  menu->Popup(at.X, at.Y);
}

void TAsgUnitEditBtn::WndProc(TMessage& Message) {
  if (Message.Msg == WM_COMMAND) {
    if (WParamHi(Message.WParam) == kEditChangeCode) return;
    const int id = static_cast<int>(Message.WParam & 0xFFFF);
    if (id >= 1 && id <= FUnits->Count()) {
      const String old = FUnitID;
      SetUnitID(FUnits->Strings(id - 1));
      if (FUnitID != old && OnUnitChanged) OnUnitChanged(this, FUnitID);
      return;
    }
  }
  TAsgEditBtn::WndProc(Message);
}

void TAsgUnitEditBtn::PaintOverlay(TCanvas* Canvas) {
  Canvas->Font()->Assign(Font());
  Canvas->Brush()->SetStyle(bsClear);
  const int right = ClientWidth() - ButtonWidth() - 3;
  TRect r = Rect(right - FUnitSize, 2, right, ClientHeight());
  DrawText(Canvas, FUnitID, r, DT_EDITCONTROL);
}
