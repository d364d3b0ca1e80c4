#include "grid/dropdown/AdvDropDownButton.h"

#include "grid/dropdown/AdvDropDownDraw.h"
#include "grid/foundation/AdvXPVS.h"

namespace {

const std::vector<TPoint> kDropDownArrow = {{5, 7}, {11, 7}, {8, 10}};

void DropDownButtonPenAndBrush(TCanvas* Canvas, TColor Color) {
  Canvas->Pen()->SetColor(Color);
  Canvas->Brush()->SetColor(Color);
}

// The glyph drawn with its bottom-left pixel's colour left out.
void DrawGlyphTransparent(TCanvas* Canvas, TBitmap* Glyph, int X, int Y) {
  TBitmap copy;
  copy.Assign(Glyph);
  copy.SetTransparentMode(tmAuto);
  copy.SetTransparent(true);
  Canvas->Draw(X, Y, &copy);
}

}  // namespace

// ---- the speed button ---------------------------------------------------------------------------

TAdvDropDownSpeedButton::TAdvDropDownSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {
  uint32_t version = 0;
  FIsWinXP = SystemFileVersion(u"COMCTL32.DLL", version) && (version >> 16) > 5;
}

void TAdvDropDownSpeedButton::SetButtonStyle(TButtonStyle Value) {
  FButtonStyle = Value;
  Invalidate();
}

void TAdvDropDownSpeedButton::SetEtched(bool Value) {
  if (FEtched == Value) return;
  FEtched = Value;
  Invalidate();
}

void TAdvDropDownSpeedButton::SetFocused(bool Value) {
  if (FFocused == Value) return;
  FFocused = Value;
  Invalidate();
}

void TAdvDropDownSpeedButton::WndProc(TMessage& Message) {
  TSpeedButton::WndProc(Message);
  if (Message.Msg == CM_MOUSEENTER) {
    FHot = true;
    Invalidate();
  } else if (Message.Msg == CM_MOUSELEAVE) {
    FHot = false;
    Invalidate();
  }
}

TDropDownEditButton* TAdvDropDownSpeedButton::Container() const { return dynamic_cast<TDropDownEditButton*>(Owner()); }

TWinControl* TAdvDropDownSpeedButton::EditControl() const {
  TDropDownEditButton* container = Container();
  return container ? container->Parent() : nullptr;
}

IDropDownEdit* TAdvDropDownSpeedButton::Edit() const { return dynamic_cast<IDropDownEdit*>(EditControl()); }

bool TAdvDropDownSpeedButton::Themed() const { return FIsWinXP && IsThemeActive(); }

int TAdvDropDownSpeedButton::ThemeState() const {
  if (!Enabled()) return ThemeParts::CBXS_DISABLED;
  if (Pressed()) return ThemeParts::CBXS_PRESSED;
  if (FHot) return ThemeParts::CBXS_HOT;
  return ThemeParts::CBXS_NORMAL;
}

void TAdvDropDownSpeedButton::Paint() {
  if (FButtonStyle == bsDropDown)
    PaintDropDown(Canvas());
  else
    PaintButton(Canvas());
}

void TAdvDropDownSpeedButton::PaintDropDown(TCanvas* Canvas) {
  TDropDownEditButton* container = Container();
  IDropDownEdit* edit = Edit();
  const TRect client = ClientRect();
  if (container && container->ButtonColor() != clNone) {
    TColor face = container->ButtonColor();
    if (FHot) face = container->ButtonColorHot();
    if (Pressed()) face = container->ButtonColorDown();
    DropDownButtonPenAndBrush(Canvas, face);
    Canvas->Rectangle(client);
    Canvas->Pen()->SetColor(edit ? edit->BorderColor() : clNone);
    Canvas->MoveTo(0, 0);
    Canvas->LineTo(0, Height());
    TColor text = container->ButtonTextColor();
    if (FHot) text = container->ButtonTextColorHot();
    if (Pressed()) text = container->ButtonTextColorDown();
    DropDownButtonPenAndBrush(Canvas, text);
    Canvas->Polygon(kDropDownArrow);
    return;
  }
  if (!Glyph()->Empty()) {
    Canvas->Pen()->SetColor(clGray);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->Rectangle(client);
    DrawGlyphTransparent(Canvas, Glyph(), 0, 0);
    return;
  }
  if (TWinControl* editControl = EditControl()) SetEnabled(editControl->Enabled() && !(edit && edit->ReadOnly()));
  if (Themed()) {
    TRect r = client;
    if (IsVistaOrLater()) {
      r.Left += 1;
    } else {
      InflateRect(r, 1, 1);
      r.Left += 2;
    }
    ThemeDrawBackground(Canvas, u"combobox", ThemeParts::CP_DROPDOWNBUTTON, ThemeState(), r);
    return;
  }
  TSpeedButton::Paint();
  Canvas->Pen()->SetColor(clBtnFace);
  Canvas->MoveTo(Width() - 2, 0);
  Canvas->LineTo(0, 0);
  Canvas->LineTo(0, Height() - 1);
  Canvas->Pen()->SetColor(clWhite);
  Canvas->MoveTo(Width() - 3, 1);
  Canvas->LineTo(1, 1);
  Canvas->LineTo(1, Height() - 2);
  DropDownButtonPenAndBrush(Canvas, clBlack);
  Canvas->Polygon(kDropDownArrow);
}

void TAdvDropDownSpeedButton::PaintButton(TCanvas* Canvas) {
  if (TWinControl* editControl = EditControl()) Canvas->Font()->Assign(editControl->Font());
  const bool down = Pressed();
  const TRect client = ClientRect();
  const String caption = Caption();
  TBitmap* glyph = Glyph();
  if (Themed()) {
    Canvas->FillRect(BoundsRect());
    ThemeDrawBackground(Canvas, u"button", ThemeParts::BP_PUSHBUTTON, ThemeState(), Rect(0, 0, Width() + 1, Height() + 1));
    TRect r = client;
    InflateRect(r, -2, -2);
    if (!glyph->Empty()) {
      int x = caption.empty() ? r.Left + (r.Width() - glyph->Width()) / 2 : r.Left + 2;
      int y = r.Top + (r.Height() - glyph->Height()) / 2;
      if (down) ++x, ++y;
      DrawGlyphTransparent(Canvas, glyph, x, y);
    }
    if (!caption.empty()) {
      Canvas->Brush()->SetStyle(bsClear);
      TRect t = client;
      if (glyph->Empty()) {
        InflateRect(t, -3, -1);
        if (down) t = Rect(t.Left + 1, t.Top + 1, t.Right + 1, t.Bottom + 1);
        DrawText(Canvas, caption, t, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
      } else {
        t = Rect(r.Left + glyph->Width() + 2, r.Top - 1, r.Right, r.Bottom);
        DrawText(Canvas, caption, t, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
      }
    }
    return;
  }
  if (Flat()) {
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(BoundsRect());
    TRect edge = client;
    DrawEdge(Canvas, edge, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (down ? BF_FLAT : 0u));
    if (!glyph->Empty()) {
      TRect g = client;
      InflateRect(g, -3, -3);
      if (down) g = Rect(g.Left + 1, g.Top + 1, g.Right + 1, g.Bottom + 1);
      DrawTransparentGlyph(Canvas, glyph, clBtnFace, g);
    }
    if (!caption.empty()) {
      Canvas->Brush()->SetStyle(bsClear);
      TRect t = client;
      InflateRect(t, -3, -1);
      DrawText(Canvas, caption, t, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    return;
  }
  TSpeedButton::Paint();
}

// ---- the container ------------------------------------------------------------------------------

TDropDownEditButton::TDropDownEditButton(TComponent* AOwner) : TWinControl(AOwner) {
  TControlStyle style = ControlStyle();
  style.Exclude(csAcceptsControls);
  style.Exclude(csSetCaption);
  style.Include(csOpaque);
  SetControlStyle(style);
  FButton = new TAdvDropDownSpeedButton(this);
  FButton->SetParent(this);
  FButton->OnClick = [](TObject*) {};
  FButton->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    ButtonMouseUp(Button, X, Y);
  };
  FButton->SetVisible(true);
  FButton->SetEnabled(Enabled());
  FButton->SetCaption(u"");
  FButton->SetButtonStyle(bsDropDown);
  SetBounds(Left(), Top(), 16, 25);
}

TDropDownEditButton::~TDropDownEditButton() = default;

void TDropDownEditButton::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TDropDownEditButton::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

bool TDropDownEditButton::ApplySizeRule() {
  if (!FButton) return false;
  const bool changed = Width() != FBWidth;
  if (changed) TWinControl::SetBounds(Left(), Top(), FBWidth, Height());
  FButton->SetBounds(0, 0, FBWidth, Height());
  return changed;
}

void TDropDownEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FButton && !ComponentState().Contains(TComponentStateFlag::csLoading)) AWidth = FBWidth;
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FButton && !ComponentState().Contains(TComponentStateFlag::csLoading))
    FButton->SetBounds(0, 0, FBWidth, Height());
}

void TDropDownEditButton::Loaded() {
  TWinControl::Loaded();
  ApplySizeRule();
}

void TDropDownEditButton::SetEnabled(bool Value) {
  TWinControl::SetEnabled(Value);
  if (FButton) FButton->SetEnabled(Value);
}

void TDropDownEditButton::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SIZE) {
    TWinControl::WndProc(Message);
    if (!ComponentState().Contains(TComponentStateFlag::csLoading)) ApplySizeRule();
    Message.Result = 0;
    return;
  }
  TWinControl::WndProc(Message);
}

void TDropDownEditButton::ButtonMouseUp(TMouseButton Button, int X, int Y) {
  if (Button != mbLeft) return;
  if (X < 0 || Y < 0 || X >= FButton->Width() || Y >= FButton->Height()) return;
  if (OnClick) OnClick(this);
}
