#include "grid/core/AsgCombo.h"

#include <algorithm>

#include "grid/foundation/AdvXPVS.h"
#include "platform/Forms.h"

namespace {
constexpr int kVScrollWidth = 17;       // SM_CXVSCROLL
constexpr TColor kDisabledFrame = 0xB99D7F;

bool MouseButtonDown() { return GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0; }
}  // namespace

TAsgCustomCombo::TAsgCustomCombo(TComponent* AOwner)
    : TComboBox(AOwner), FLabelFont(std::make_unique<TFont>()) {
  FButtonWidth = kVScrollWidth + 2;
  uint32_t version = 0;
  FIsThemed = SystemFileVersion(u"COMCTL32.DLL", version) && (version >> 16) > 5;
  FLabelFont->OnChange = [this](TObject*) {
    if (!FLabel) return;
    LayoutLabel();
  };
}

TAsgCustomCombo::~TAsgCustomCombo() {
  FLabelFont->OnChange = nullptr;
  delete FLabel;  // before the base control, as the label points at it
}

void TAsgCustomCombo::Notification(TComponent* AComponent, TOperation Operation) {
  TComboBox::Notification(AComponent, Operation);
  // The label may go first, with the parent that holds it.
  if (Operation == opRemove && AComponent == FLabel) FLabel = nullptr;
}

void TAsgCustomCombo::Loaded() {
  TComboBox::Loaded();
  if (FDropWidth > 0) SetDroppedWidth(FDropWidth);
  FOldColor = FLoadedColor;
  if (!(FFlatParentColor && !FFlat)) TControl::SetColor(FLoadedColor);
  if (FLabel) {
    if (!FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
    if (ParentFont()) FLabel->Font()->Assign(Font());
    LayoutLabel();
  }
  Init();
}

void TAsgCustomCombo::Init() { FNormalColor = Color(); }

void TAsgCustomCombo::SelectItem(const String& AString) {
  const int i = Items()->IndexOf(AString);
  if (i >= 0) SetItemIndex(i);
}

int TAsgCustomCombo::CharFromPos(int X) const {
  constexpr int kTextLeft = 3;  // border and the edit part's margin
  if (Style() == csDropDownList || X < 0 || X >= ClientWidth() - FButtonWidth) return -1;
  TBitmap measure;
  measure.Canvas()->Font()->Assign(Font());
  const String t = Text();
  int pos = 0;
  for (; pos < static_cast<int>(t.size()); ++pos) {
    const int left = kTextLeft + measure.Canvas()->TextWidth(t.substr(0, pos));
    const int right = kTextLeft + measure.Canvas()->TextWidth(t.substr(0, pos + 1));
    if (X < (left + right) / 2) break;
  }
  return pos;
}

void TAsgCustomCombo::SetColor(TColor c) {
  if (ComponentState().Contains(TComponentStateFlag::csLoading)) FLoadedColor = c;
  TControl::SetColor(c);
}

void TAsgCustomCombo::SetBorderColor(TColor v) {
  if (FBorderColor == v) return;
  FBorderColor = v;
  if (HandleAllocated()) RepaintFrame();
}

void TAsgCustomCombo::SetButtonWidth(int v) {
  if (v < 14 || v > 32) return;
  FButtonWidth = v;
  Invalidate();
}

void TAsgCustomCombo::SetFlat(bool v) {
  if (FFlat == v) return;
  FFlat = v;
  if (FFlatParentColor && FFlat && Parent()) TControl::SetColor(ParentBrushColor());
  else TControl::SetColor(FLoadedColor);
  Invalidate();
}

void TAsgCustomCombo::SetFlatLineColor(TColor v) {
  FFlatLineColor = v;
  Invalidate();
}

void TAsgCustomCombo::SetFlatParentColor(bool v) {
  FFlatParentColor = v;
  Invalidate();
}

void TAsgCustomCombo::SetEtched(bool v) {
  if (FEtched == v) return;
  FEtched = v;
  Invalidate();
}

void TAsgCustomCombo::SetDropWidth(int v) {
  FDropWidth = v;
  if (v > 0) SetDroppedWidth(v);
}

TColor TAsgCustomCombo::ParentBrushColor() const { return Parent() ? Parent()->Color() : clBtnFace; }

// ---- label ------------------------------------------------------------------------------------

String TAsgCustomCombo::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TAsgCustomCombo::SetLabelCaption(const String& v) {
  if (!FLabel) {
    FLabel = New<TLabel>(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->Font()->Assign(FLabelFont.get());
    if (ParentFont()) FLabel->Font()->Assign(Font());
  }
  FLabel->SetCaption(v);
  LayoutLabel();
}

void TAsgCustomCombo::SetLabelPosition(TLabelPosition v) {
  FLabelPosition = v;
  LayoutLabel();
}

void TAsgCustomCombo::SetLabelMargin(int v) {
  FLabelMargin = v;
  LayoutLabel();
}

void TAsgCustomCombo::SetLabelTransparent(bool v) {
  FLabelTransparent = v;
  LayoutLabel();
}

void TAsgCustomCombo::SetLabelAlwaysEnabled(bool v) {
  FLabelAlwaysEnabled = v;
  if (FLabel) FLabel->SetEnabled(v || Enabled());
  LayoutLabel();
}

void TAsgCustomCombo::SetLabelFont(TFont* v) {
  if (!ParentFont()) FLabelFont->Assign(v);
  LayoutLabel();
}

void TAsgCustomCombo::LayoutLabel() {
  if (!FLabel) return;
  FLabel->SetTransparent(FLabelTransparent);
  if (!ParentFont()) FLabel->Font()->Assign(FLabelFont.get());
  PlaceControlLabel(FLabel, this, FLabelPosition, FLabelMargin);
}

void TAsgCustomCombo::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!IsDestroying()) LayoutLabel();
}

void TAsgCustomCombo::SetEnabled(bool v) {
  const bool changed = v != Enabled();
  TComboBox::SetEnabled(v);
  if (!changed || ComponentState().Contains(TComponentStateFlag::csLoading) || !FLabel) return;
  if (!FLabelAlwaysEnabled) FLabel->SetEnabled(v);
  LayoutLabel();
}

void TAsgCustomCombo::SetVisible(bool v) {
  TComboBox::SetVisible(v);
  if (FLabel) FLabel->SetVisible(v);
}

// ---- messages ---------------------------------------------------------------------------------

void TAsgCustomCombo::FocusGained() {
  FHasFocus = true;
  RepaintFrame();
  if (FFocusColor != clNone) TControl::SetColor(FFocusColor);
  if (FFocusLabel && FLabel) {
    FLabel->Font()->SetStyle(FLabel->Font()->Style() | TFontStyles(fsBold));
  }
}

void TAsgCustomCombo::FocusLost() {
  FHasFocus = false;
  RepaintFrame();
  if (FFocusColor != clNone && FNormalColor != clNone) TControl::SetColor(FNormalColor);
  if (FLabel) {
    FLabel->Font()->SetStyle(FLabel->Font()->Style() - TFontStyles(fsBold));
  }
}

void TAsgCustomCombo::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_ENTER:
      FocusGained();
      TComboBox::WndProc(m);
      return;
    case CM_EXIT:
      FocusLost();
      TComboBox::WndProc(m);
      return;
    case WM_SETFOCUS:
      TComboBox::WndProc(m);
      if (FFocusBorderColor != clNone) Invalidate();
      if (FFocusColor != clNone) TControl::SetColor(FFocusColor);
      return;
    case WM_KILLFOCUS:
      TComboBox::WndProc(m);
      if (FFocusColor != clNone && FNormalColor != clNone) TControl::SetColor(FNormalColor);
      Invalidate();
      return;
    case CM_MOUSEENTER:
      TComboBox::WndProc(m);
      FMouseInControl = true;
      if (Enabled()) RepaintFrame();
      if (FAutoFocus) {
        TForm* f = GetParentForm(this);
        if ((!f || f->Active()) && CanFocus()) SetFocus();
      }
      if (FIsWinXP) Invalidate();
      return;
    case CM_MOUSELEAVE:
      TComboBox::WndProc(m);
      FMouseInControl = false;
      if (Enabled()) RepaintFrame();
      if (FIsWinXP) {
        FButtonHover = false;
        Invalidate();
      }
      return;
    case CM_ENABLEDCHANGED:
      if (FFlat && !ComponentState().Contains(TComponentStateFlag::csLoading)) {
        if (Enabled()) {
          TControl::SetColor(FOldColor);
          SetParentColor(FOldParentColor);
        } else {
          FOldParentColor = ParentColor();
          FOldColor = Color();
          SetParentColor(true);
        }
      }
      TComboBox::WndProc(m);
      return;
    case CM_FONTCHANGED:
      TComboBox::WndProc(m);
      if (FLabel && ParentFont() && ComponentState().Contains(TComponentStateFlag::csLoading))
        FLabel->Font()->Assign(Font());
      return;
    case CM_PARENTFONTCHANGED:
      TComboBox::WndProc(m);
      if (FLabel && ParentFont()) {
        FLabel->Font()->Assign(Font());
        LayoutLabel();
      }
      return;
    case CN_COMMAND: {
      TComboBox::WndProc(m);
      const unsigned code = WParamHi(m.WParam);
      if (code == CBN_DROPDOWN || code == CBN_CLOSEUP) Invalidate();  // the button area
      if (code == CBN_CLOSEUP && OnDropUp) OnDropUp(this);
      return;
    }
    default:
      TComboBox::WndProc(m);
      return;
  }
}

void TAsgCustomCombo::MouseMove(TShiftState Shift, int X, int Y) {
  TComboBox::MouseMove(Shift, X, Y);
  const bool hover = Width() - FButtonWidth < X && X < Width();
  if (hover == FButtonHover) return;
  FButtonHover = hover;
  Invalidate();
}

// ---- painting ---------------------------------------------------------------------------------

bool TAsgCustomCombo::Themed() const { return FIsThemed && IsThemeActive(); }

bool TAsgCustomCombo::HotOrActive() const { return FMouseInControl || Focused(); }

bool TAsgCustomCombo::PaintsClient() const {
  if (FIsVista && ButtonColor == clNone) return false;
  return FFlat || ButtonColor != clNone || FBorderColor != clNone || (FFocusBorderColor != clNone && FHasFocus) ||
         (!Enabled() && FIsThemed && !FDisabledBorder);
}

void TAsgCustomCombo::PaintButton(TCanvas* Canvas) {
  if (Style() == csSimple || UseRightToLeftAlignment()) return;
  TRect r = Rect(0, 0, Width(), Height());
  r.Left = ClientWidth() - FButtonWidth + 2;
  r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  const bool down = MouseButtonDown();
  if (ButtonColor == clNone && Themed()) {
    int state = 1;
    if (!Enabled()) state = 4;
    else if (down && DroppedDown()) state = 3;
    else if (!down && FButtonHover && !DroppedDown()) state = 2;
    DrawThemedPart(Canvas, this, u"combobox", 1, state, r);
  } else if (ButtonColor == clNone) {
    TRect c = Rect(r.Left - 4, r.Top + 1, r.Right, r.Bottom - 1);
    DrawFrameControl(Canvas, c, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Enabled() ? DFCS_FLAT : DFCS_INACTIVE));
  } else {
    TColor brush = ButtonColor;
    if (FButtonHover) brush = down ? ButtonColorDown : ButtonColorHot;
    Canvas->Pen()->SetColor(brush);
    Canvas->Brush()->SetColor(brush);
    Canvas->Rectangle(Rect(r.Left - 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
    Canvas->Pen()->SetColor(ButtonBorderColor);
    Canvas->MoveTo(r.Left - 1, r.Top + 1);
    Canvas->LineTo(r.Left - 1, r.Bottom - 1);
    const TColor arrow = down ? ButtonTextColorDown : ButtonTextColor;
    Canvas->Pen()->SetColor(arrow);
    Canvas->Brush()->SetColor(arrow);
    Canvas->Polygon({Point(r.Left + 4, r.Top + 7), Point(r.Left + 10, r.Top + 7), Point(r.Left + 7, r.Top + 10)});
  }
  Canvas->ExcludeClipRect(Rect(ClientWidth() - FButtonWidth - 4, 0, ClientWidth() + 2, ClientHeight()));
}

void TAsgCustomCombo::PaintFrame(TCanvas* Canvas) {
  if (Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return;
  if (FIsVista && FBorderColor == clNone) return;
  TRect r = Rect(0, 0, Width(), Height());
  Canvas->Brush()->SetStyle(bsSolid);
  auto frame = [&](TColor c, const TRect& fr) {
    Canvas->Brush()->SetColor(c);
    Canvas->FrameRect(fr);
  };
  if (!Enabled() && FIsThemed && !FDisabledBorder) {
    frame(kDisabledFrame, r);
    return;
  }
  if (FBorderColor != clNone && !(FHasFocus && FFocusBorderColor != clNone)) {
    frame(FBorderColor, r);
    return;
  }
  if (FFocusBorderColor != clNone) {
    if (FHasFocus) frame(FFocusBorderColor, r);
    return;
  }
  const bool active = HotOrActive() && FFocusBorder;
  const TColor outer = active ? clBtnFace : ParentBrushColor();
  const TColor inner = Color();
  if (active) {
    DrawEdge(Canvas, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    frame(outer, r);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    frame(inner, r);
  } else {
    frame(outer, r);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1 - FButtonWidth, r.Bottom - 1);
    frame(outer, r);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    frame(inner, r);
  }
  if (FFlat && FFlatLineColor != clNone) {
    Canvas->Pen()->SetColor(FFlatLineColor);
    Canvas->MoveTo(r.Left - 2, Height() - 1);
    Canvas->LineTo(r.Right - FButtonWidth - 1, Height() - 1);
  }
  if (Style() == csSimple || (FIsWinXP && Themed())) return;
  Canvas->ExcludeClipRect(Rect(ClientWidth() - FButtonWidth + 4, 4, ClientWidth() - 4, ClientHeight() - 4));
  TRect b = Rect(ClientWidth() - FButtonWidth - 2 + 2, 2, Width() - 2, Height() - 2);
  if (!HotOrActive()) {
    b = Rect(b.Left, b.Top + 1, b.Right - 1, b.Bottom - 1);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(b);
  }
  Canvas->ExcludeClipRect(b);
}

void TAsgCustomCombo::PaintOverlay(TCanvas* Canvas) {
  // The native control has painted its content; the button and frame go over it.
  if (PaintsClient()) PaintButton(Canvas);
  if (FFlat || (!Enabled() && FIsThemed && !FDisabledBorder) || (FFocusBorderColor != clNone && FHasFocus) ||
      FBorderColor != clNone)
    PaintFrame(Canvas);
}
