#include "grid/dropdown/AdvDropDownPanels.h"

#include <algorithm>
#include <type_traits>

#include "grid/dropdown/AdvDropDown.h"
#include "grid/dropdown/AdvDropDownDraw.h"
#include "platform/SysUtils.h"

// ---- TDbgList ----------------------------------------------------------------------------------

void* TDbgList::GetItemsEx(int Index) const {
  if (Index < 0 || Index >= Count()) throw Exception(u"Index out of bounds in list read access");
  return Items(Index);
}

void TDbgList::SetItemsEx(int Index, void* Value) {
  if (Index < 0 || Index >= Count()) throw Exception(u"Index out of bounds in list write access");
  SetItems(Index, Value);
}

void TDbgList::AssignList(TList* ListA) {
  Clear();
  for (int i = 0; ListA && i < ListA->Count(); ++i) Add(ListA->Items(i));
}

// ---- the strip both panels share ---------------------------------------------------------------

namespace {
THeaderButtons* DropDownStripButtons(const TAdvCustomDropDown* D, const THeaderAppearance*) {
  return D ? D->DropDownHeader()->Buttons() : nullptr;
}
TFooterButtons* DropDownStripButtons(const TAdvCustomDropDown* D, const TFooterAppearance*) {
  return D ? D->DropDownFooter()->Buttons() : nullptr;
}
void DropDownStripBind(THeaderAppearance* Own, const TAdvCustomDropDown* D) { Own->Assign(D->DropDownHeader()); }
void DropDownStripBind(TFooterAppearance* Own, const TAdvCustomDropDown* D) { Own->Assign(D->DropDownFooter()); }
}  // namespace

template <class TAppearance>
TAdvDropDownStrip<TAppearance>::TAdvDropDownStrip(TComponent* AOwner)
    : TCustomControl(AOwner), FAppearance(std::make_unique<TAppearance>(AOwner)) {
  FAppearance->OnChange = [this](TObject*) {
    SetVisible(FAppearance->Visible());
    SetHeight(FAppearance->Height());
  };
  FAppearance->OnButtonsChanged = [](TObject*) {};
  SetControlStyle(TControlStyle{csClickEvents, csDoubleClicks, csAcceptsControls});
  SetDoubleBuffered(true);
}

template <class TAppearance>
TAdvDropDownStrip<TAppearance>::~TAdvDropDownStrip() = default;

template <class TAppearance>
void TAdvDropDownStrip<TAppearance>::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
}

template <class TAppearance>
void TAdvDropDownStrip<TAppearance>::SetAdvDropDown(TAdvCustomDropDown* DropDown) {
  FAdvDropDown = DropDown;
  if (!DropDown) {
    SetImages(nullptr);
    return;
  }
  SetImages(DropDown->Images());
  DropDownStripBind(FAppearance.get(), DropDown);
}

template <class TAppearance>
void TAdvDropDownStrip<TAppearance>::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

template <class TAppearance>
void TAdvDropDownStrip<TAppearance>::BuildButtons() {
  if (FAdvDropDown) CreateButtons();
}

template <class TAppearance>
TRect TAdvDropDownStrip<TAppearance>::ButtonArea() const {
  TRect r = ClientRect();
  return Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 3);
}

template <class TAppearance>
void TAdvDropDownStrip<TAppearance>::ClearButtons() {
  for (int i = FButtonList.Count() - 1; i >= 0; --i) delete static_cast<TAdvButton*>(FButtonList.Items(i));
  FButtonList.Clear();
}

template <class TAppearance>
void TAdvDropDownStrip<TAppearance>::CreateButtons() {
  auto* collection = DropDownStripButtons(FAdvDropDown, FAppearance.get());
  if (!collection || !FAdvDropDown) return;
  ClearButtons();
  const TRect area = ButtonArea();
  for (int i = 0; i < collection->Count(); ++i) {
    auto* item = collection->Items(i);
    auto* button = new TAdvButton(this);
    button->SetParent(this);
    button->SetAppearance(FAdvDropDown->ButtonAppearance());
    button->SetCaption(item->Caption());
    button->SetImages(FImages);
    button->SetImageIndex(item->ImageIndex());
    button->SetEnabled(item->Enabled());
    ConfigureButton(button, i);
    button->AutoSizeButton();
    if (item->Width() > 0) button->SetWidth(item->Width());
    if (item->Height() > 0) button->SetHeight(item->Height());
    if (button->Height() > area.Height()) button->SetHeight(area.Height());
    button->SetTag(i);
    button->OnClick = [this](TObject* Sender) {
      if (auto* b = dynamic_cast<TAdvButton*>(static_cast<TComponent*>(Sender))) ButtonClicked(static_cast<int>(b->Tag()));
    };
    FButtonList.Add(button);
  }
  ArrangeButtons();
}

template <class TAppearance>
void TAdvDropDownStrip<TAppearance>::ArrangeButtons() {
  if (FButtonList.Count() == 0) return;
  const TRect area = ButtonArea();
  int x = FAppearance->ButtonAlignment() == baRight ? area.Right : area.Left;
  for (int i = 0; i < FButtonList.Count(); ++i) {
    TAdvButton* b = Buttons(i);
    const int top = std::max(area.Top, (area.Bottom - b->Height()) / 2);
    if (FAppearance->ButtonAlignment() == baRight) {
      x -= b->Width();
      b->SetBounds(x, top, b->Width(), b->Height());
    } else {
      b->SetBounds(x, top, b->Width(), b->Height());
      x += b->Width();
    }
  }
}

template <class TAppearance>
void TAdvDropDownStrip<TAppearance>::UpdateButtons() {
  auto* collection = DropDownStripButtons(FAdvDropDown, FAppearance.get());
  if (!collection || !FAdvDropDown) return;
  for (int i = 0; i < FButtonList.Count(); ++i) {
    TAdvButton* b = Buttons(i);
    b->SetAppearance(FAdvDropDown->ButtonAppearance());
    b->SetImages(FImages);
    if (i < collection->Count()) {
      b->SetCaption(collection->Items(i)->Caption());
      b->SetImageIndex(collection->Items(i)->ImageIndex());
      b->SetEnabled(collection->Items(i)->Enabled());
    }
    b->AutoSizeButton();
  }
  ArrangeButtons();
}

template <class TAppearance>
void TAdvDropDownStrip<TAppearance>::WndProc(TMessage& Message) {
  TCustomControl::WndProc(Message);
  if (Message.Msg == WM_SIZE) ArrangeButtons();
}

template <class TAppearance>
bool TAdvDropDownStrip<TAppearance>::PopupHasBorder() const {
  return FAdvDropDown && FAdvDropDown->DropDownBorderWidth() > 0 && FAdvDropDown->DropDownBorderColor() != clNone;
}

template <class TAppearance>
void TAdvDropDownStrip<TAppearance>::Paint() {
  TCanvas* canvas = Canvas();
  const TRect r = ClientRect();
  if (OnDrawBackGround) {
    OnDrawBackGround(this, canvas, r);
    return;
  }
  const TAppearance& a = *FAppearance;
  if (a.ColorTo() == clNone) {
    if (a.Color() != clNone) {
      canvas->Brush()->SetColor(a.Color());
      canvas->Brush()->SetStyle(bsSolid);
      canvas->FillRect(r);
    }
  } else {
    DrawGradient(canvas, a.Color(), a.ColorTo(), 80, r, a.GradientDirection() == gdHorizontal);
  }
  if (a.BorderColor() != clNone && a.BorderWidth() > 0) {
    canvas->Pen()->SetWidth(a.BorderWidth());
    canvas->Pen()->SetColor(a.BorderColor());
    DrawStripBorder(canvas, r);
    canvas->Pen()->SetWidth(1);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetColor(BlendColor(a.BorderColor(), clWhite, 20));
    TRect inner = r;
    if constexpr (std::is_same_v<TAppearance, TFooterAppearance>) inner.Top += a.BorderWidth();
    else inner.Bottom -= a.BorderWidth();
    canvas->Rectangle(inner);
  }
  TRect c = Rect(r.Left + a.BorderWidth(), r.Top + a.BorderWidth(), r.Right - a.BorderWidth(),
                 r.Bottom - a.BorderWidth());
  if (a.ImageIndex() >= 0 && FImages) {
    FImages->Draw(canvas, c.Left + 4, c.Top + (c.Height() - FImages->Height()) / 2, a.ImageIndex());
    c.Left += FImages->Width() + 8;
  }
  String caption = a.Caption();
  if (OnGetText) OnGetText(this, caption);
  if (!caption.empty()) {
    canvas->Font()->Assign(a.Font());
    canvas->Brush()->SetStyle(bsClear);
    if (FButtonList.Count() > 0) c.Right = Buttons(FButtonList.Count() - 1)->Left() - 2;
    TPoint size{};
    DrawHTMLText(canvas, caption, c, size, this, false, FImages);
    if (size.Y < c.Height()) c.Top += (c.Height() - size.Y) / 2;
    DrawHTMLText(canvas, caption, c, size, this, true, FImages);
  }
  DrawAfterCaption(canvas, r);
}

template class TAdvDropDownStrip<THeaderAppearance>;
template class TAdvDropDownStrip<TFooterAppearance>;

// ---- TAdvHeader ---------------------------------------------------------------------------------

TAdvHeader::TAdvHeader(TComponent* AOwner) : TAdvDropDownStrip(AOwner) {}

void TAdvHeader::DrawStripBorder(TCanvas* Canvas, const TRect& R) {
  Canvas->MoveTo(R.Left, R.Bottom - 1);
  Canvas->LineTo(R.Right, R.Bottom - 1);
  if (PopupHasBorder()) return;
  Canvas->MoveTo(R.Left, R.Bottom - 1);
  Canvas->LineTo(R.Left, R.Top);
  Canvas->LineTo(R.Right, R.Top);
  Canvas->MoveTo(R.Right, R.Top);
  Canvas->LineTo(R.Right, R.Bottom - 1);
}

void TAdvHeader::ButtonClicked(int Index) {
  if (FAdvDropDown && FAdvDropDown->OnDropDownHeaderButtonClick) FAdvDropDown->OnDropDownHeaderButtonClick(FAdvDropDown, Index);
}

// ---- TAdvFooter ---------------------------------------------------------------------------------

TAdvFooter::TAdvFooter(TComponent* AOwner) : TAdvDropDownStrip(AOwner) {
  SetControlStyle(TControlStyle{csClickEvents, csDoubleClicks, csCaptureMouse, csAcceptsControls});
}

bool TAdvFooter::GripOn() const {
  return FAppearance->SizeGrip() && FAdvDropDown && FAdvDropDown->DropDownSizeable();
}

TRect TAdvFooter::ButtonArea() const {
  TRect r = ClientRect();
  return Rect(r.Left + 2, r.Top + 2, r.Right - (GripOn() ? 14 : 2), r.Bottom - 2);
}

TRect TAdvFooter::GripRect() const {
  const TRect r = ClientRect();
  const int bw = FAppearance->BorderWidth();
  return Rect(r.Right - bw - 16, 1, r.Right - bw - 1, r.Bottom);
}

void TAdvFooter::ConfigureButton(TAdvButton* Button, int Index) {
  Button->SetAdvDropDown(FAdvDropDown);
  Button->SetModalResult(FAdvDropDown->DropDownFooter()->Buttons()->Items(Index)->ModalResult());
}

void TAdvFooter::DrawStripBorder(TCanvas* Canvas, const TRect& R) {
  Canvas->MoveTo(R.Left, R.Top);
  Canvas->LineTo(R.Right, R.Top);
  if (PopupHasBorder()) return;
  Canvas->MoveTo(R.Left, R.Top);
  Canvas->LineTo(R.Left, R.Bottom);
  Canvas->LineTo(R.Right, R.Bottom);
  Canvas->LineTo(R.Right, R.Top);
}

void TAdvFooter::DrawAfterCaption(TCanvas* Canvas, const TRect&) {
  if (!GripOn()) return;
  const TRect g = GripRect();
  const int l = g.Left, b = g.Bottom;
  static constexpr int kDots[6][2] = {{5, 2}, {9, 2}, {13, 2}, {13, 6}, {13, 10}, {9, 6}};
  auto dots = [&](TColor color, int shift) {
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(color);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(color);
    for (const auto& d : kDots)
      Canvas->Rectangle(Rect(l + d[0] - shift, b - d[1] - 2 - shift, l + d[0] + 2 - shift, b - d[1] - shift));
  };
  dots(BlendColor(clWhite, clWhite, 50), 0);
  dots(BlendColor(FAppearance->BorderColor(), clWhite, 100), 1);
}

void TAdvFooter::ButtonClicked(int Index) {
  if (FAdvDropDown && FAdvDropDown->OnDropDownFooterButtonClick) FAdvDropDown->OnDropDownFooterButtonClick(FAdvDropDown, Index);
}

bool TAdvFooter::InGrip(int X, int Y) const { return GripOn() && X > Width() - 12 && Y > Height() - 15; }

void TAdvFooter::RestoreCursor() {
  if (Screen->Cursor() == crSizeNWSE) Screen->SetCursor(FOldCursor);
}

void TAdvFooter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && Parent() && InGrip(X, Y)) {
    ReleaseCapture();
    SendMessage(Parent(), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, 0);
    return;
  }
  TAdvDropDownStrip::MouseDown(Button, Shift, X, Y);
}

void TAdvFooter::MouseMove(TShiftState Shift, int X, int Y) {
  if (InGrip(X, Y)) {
    if (Parent()) SendMessage(Parent(), WM_NCHITTEST, 2, 0);
    Screen->SetCursor(crSizeNWSE);
  } else {
    RestoreCursor();
  }
  TAdvDropDownStrip::MouseMove(Shift, X, Y);
}

void TAdvFooter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  RestoreCursor();
  TAdvDropDownStrip::MouseUp(Button, Shift, X, Y);
}

void TAdvFooter::WndProc(TMessage& Message) {
  if (Message.Msg == CM_MOUSEENTER && Screen->Cursor() != crSizeNWSE) FOldCursor = Screen->Cursor();
  if (Message.Msg == CM_MOUSELEAVE) RestoreCursor();
  TAdvDropDownStrip::WndProc(Message);
}
