#include "grid/dropdown/AdvDropDownForm.h"

#include "grid/dropdown/AdvDropDown.h"
#include "grid/dropdown/AdvDropDownDraw.h"
#include "platform/TimeSource.h"

TDropDownForm::TDropDownForm(TComponent* AOwner) : TPopupForm(AOwner) {}

void TDropDownForm::SetShadow(bool Value) {
  FShadow = Value;
  SetDropShadow(Value);
}

int TDropDownForm::BorderWidth() const { return FAdvDropDown ? FAdvDropDown->DropDownBorderWidth() : 0; }

TRect TDropDownForm::AdjustClientRect() const {
  TRect r = TPopupForm::AdjustClientRect();
  const int b = BorderWidth();
  return Rect(r.Left + b, r.Top + b, r.Right - b, r.Bottom - b);
}

namespace {
template <class TPanel, class TSettings>
TPanel* DropDownFormPanel(TDropDownForm* Form, TPanel* Panel, TSettings* Settings, TAdvCustomDropDown* DropDown,
                          TAlign Align) {
  if (Panel) {
    Panel->SetAdvDropDown(DropDown);
    Panel->BuildButtons();
    Panel->SetVisible(Settings->Visible());
  } else if (Settings->Visible()) {
    Panel = new TPanel(Form);
    Panel->SetParent(Form);
    Panel->SetHeight(Settings->Height());
    Panel->SetAdvDropDown(DropDown);
    Panel->BuildButtons();
    Panel->SetAlign(Align);
  }
  return Panel;
}
}  // namespace

void TDropDownForm::InitializeAndUpdate() {
  if (!FAdvDropDown) return;
  FHeader = DropDownFormPanel(this, FHeader, FAdvDropDown->DropDownHeader(), FAdvDropDown, alTop);
  if (FHeader) {
    FHeader->OnDrawBackGround = FAdvDropDown->OnDrawHeader;
    FHeader->OnGetText = FAdvDropDown->OnGetHeaderText;
  }
  FFooter = DropDownFormPanel(this, FFooter, FAdvDropDown->DropDownFooter(), FAdvDropDown, alBottom);
  if (FFooter) {
    FFooter->OnDrawBackGround = FAdvDropDown->OnDrawFooter;
    FFooter->OnGetText = FAdvDropDown->OnGetFooterText;
  }
}

void TDropDownForm::PaintBackground(TCanvas* Canvas) {
  if (!FAdvDropDown) return;
  const TAdvCustomDropDown& d = *FAdvDropDown;
  const int bw = d.DropDownBorderWidth();
  const TRect client = ClientRect();
  const TRect r = Rect(client.Left + bw, client.Top + bw, client.Right - bw, client.Bottom - bw);
  if (d.DropDownColor() != clNone && d.DropDownColorTo() != clNone) {
    DrawGradient(Canvas, d.DropDownColor(), d.DropDownColorTo(), 80, r, d.DropDownGradient() == gdHorizontal);
  } else if (d.DropDownColor() != clNone) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(d.DropDownColor());
    Canvas->FillRect(r);
  }
  if (bw > 0) {
    Canvas->Pen()->SetWidth(bw);
    Canvas->Pen()->SetColor(d.DropDownBorderColor());
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Rectangle(Rect(client.Left + bw / 2, client.Top + bw / 2, client.Right, client.Bottom));
    Canvas->Pen()->SetWidth(1);
  }
}

void TDropDownForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE: {
      TPopupForm::WndProc(Message);
      if (FBlockActivate) return;
      if (Message.WParam != WA_INACTIVE) {
        if (FAdvDropDown) {
          if (TForm* owner = GetParentForm(FAdvDropDown)) owner->Perform(WM_NCACTIVATE, 1, 0);
        }
        return;
      }
      if (!Visible()) return;
      FDeActivate = GetTickCount();
      // Activation moving to a window inside the popup keeps it open.
      for (auto* c = reinterpret_cast<TControl*>(Message.LParam); c; c = c->Parent())
        if (c->Parent() == this) return;
      if (FAdvDropDown) FAdvDropDown->DoHideDropDown(FCancelOnDeActivate);
      else Hide();
      return;
    }
    case WM_SIZING:
      TPopupForm::WndProc(Message);
      if (OnSizing) OnSizing(this);
      return;
    case WM_SIZE:
      TPopupForm::WndProc(Message);
      Invalidate();
      return;
    case WM_NCHITTEST: {
      const TPoint p = ScreenToClient(Point(LParamX(Message.LParam), LParamY(Message.LParam)));
      Message.Result = DropDownGripHit(p, Width(), Height(), FSizeable) ? HTBOTTOMRIGHT : HTNOWHERE;
      return;
    }
    case WM_NCLBUTTONDOWN:
      if (static_cast<int>(Message.WParam) == HTBOTTOMRIGHT) StartSizing();
      return;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
      return;
    case WM_PAINT:
      TPopupForm::WndProc(Message);
      return;
    default:
      TPopupForm::WndProc(Message);
  }
}
