#include "grid/core/AsgDateTimePicker.h"

#include <cmath>

#include "platform/Forms.h"

namespace {
constexpr TColor kPickerDisabledFrame = 0xB99D7F;

void PickerFrame(TCanvas* Canvas, const TRect& R, TColor Color) {
  Canvas->Brush()->SetColor(Color);
  Canvas->FrameRect(R);
}

bool PickerDigit(Char c) { return c >= u'0' && c <= u'9'; }
}  // namespace

unsigned DTPShiftFocusMessage() {
  static const unsigned message = RegisterWindowMessage(u"DTPShiftFocus");
  return message;
}

// ---- TFlatDateTimePicker ------------------------------------------------------------------------

TFlatDateTimePicker::TFlatDateTimePicker(TComponent* AOwner) : TDateTimePicker(AOwner) {
  uint32_t version = 0;
  FIsThemed = SystemFileVersion(u"COMCTL32.DLL", version) && (version >> 16) > 5;
  FButtonWidth = DropButtonWidth();
  FIsWinXP = PlatformProfile().WinMajor > 5 || (PlatformProfile().WinMajor == 5 && PlatformProfile().WinMinor >= 1);
  DTPShiftFocusMessage();
}

String TFlatDateTimePicker::Version() const {
  const uint32_t v = VersionNr();
  return IntToStr(v >> 24) + u"." + IntToStr((v >> 16) & 0xFF) + u"." + IntToStr((v >> 8) & 0xFF) + u"." +
         IntToStr(v & 0xFF);
}

void TFlatDateTimePicker::SetBorderColor(TColor Value) {
  if (FBorderColor == Value) return;
  FBorderColor = Value;
  Invalidate();
}

void TFlatDateTimePicker::SetMetroStyle(bool Value) {
  if (FMetroStyle == Value) return;
  FMetroStyle = Value;
  Invalidate();
}

void TFlatDateTimePicker::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  Invalidate();
}

void TFlatDateTimePicker::SetCtl3D(bool Value) {
  FCtl3D = Value;
  Invalidate();
}

TColor TFlatDateTimePicker::ParentBrushColor() const { return Parent() ? Parent()->Color() : clBtnFace; }

bool TFlatDateTimePicker::MetroLook() const { return FMetroStyle && !InnerPickerTest(); }

void TFlatDateTimePicker::MouseMove(TShiftState Shift, int X, int Y) {
  TDateTimePicker::MouseMove(Shift, X, Y);
  const bool hover = X > Width() - FButtonWidth && X < Width();
  if (hover != FButtonHover) {
    FButtonHover = hover;
    Invalidate();
  }
}

void TFlatDateTimePicker::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TDateTimePicker::WndProc(Message);
      if (!Enabled()) return;
      FMouseInControl = Message.Msg == CM_MOUSEENTER;
      if (!FMouseInControl) FButtonHover = false;
      Invalidate();
      return;
    case CM_ENTER:
    case CM_EXIT:
      FHasFocus = Message.Msg == CM_ENTER;
      Invalidate();
      TDateTimePicker::WndProc(Message);
      return;
    default: TDateTimePicker::WndProc(Message);
  }
}

void TFlatDateTimePicker::PaintDropButton(TCanvas* Canvas, const TRect& R) {
  const bool mouseDown = GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0;
  if (ButtonColor != clNone) {
    TColor fill = ButtonColor;
    if (FButtonHover) fill = mouseDown && ButtonColorDown != clNone ? ButtonColorDown : ButtonColorHot != clNone ? ButtonColorHot : ButtonColor;
    Canvas->Pen()->SetColor(fill);
    Canvas->Brush()->SetColor(fill);
    Canvas->Rectangle(R);
    if (ButtonBorderColor != clNone) {
      Canvas->Pen()->SetColor(ButtonBorderColor);
      Canvas->MoveTo(R.Left, R.Top);
      Canvas->LineTo(R.Left, R.Bottom);
    }
    const TColor ink = mouseDown && ButtonTextColorDown != clNone ? ButtonTextColorDown
                       : ButtonTextColor != clNone                ? ButtonTextColor
                                                                  : clBlack;
    Canvas->Pen()->SetColor(ink);
    Canvas->Brush()->SetColor(ink);
    Canvas->Polygon({Point(R.Left + 5, R.Top + 7), Point(R.Left + 11, R.Top + 7), Point(R.Left + 8, R.Top + 10)});
    return;
  }
  if (FIsThemed && IsThemeActive()) {
    using namespace ThemeParts;
    const int state = !Enabled() ? CBXS_DISABLED
                      : mouseDown && DroppedDown() ? CBXS_PRESSED
                      : mouseDown && !FButtonHover && !DroppedDown() ? CBXS_NORMAL
                      : FButtonHover ? CBXS_HOT : CBXS_NORMAL;
    ThemeDrawBackground(Canvas, u"combobox", CP_DROPDOWNBUTTON, state, R);
    return;
  }
  DrawFrameControl(Canvas, R, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Enabled() ? DFCS_FLAT : DFCS_INACTIVE));
}

void TFlatDateTimePicker::PaintBorder(TCanvas* Canvas) {
  if (!MetroLook()) return;
  if (Enabled() && FBorderColor == clNone && FFocusBorderColor == clNone) return;
  const TRect r = Rect(0, 0, Width(), Height());
  if (!Enabled() && FIsThemed && !FDisabledBorder) {
    PickerFrame(Canvas, r, kPickerDisabledFrame);
  } else if (FBorderColor == clNone || (FHasFocus && FFocusBorderColor != clNone)) {
    if (FFocusBorderColor != clNone) {
      if (FHasFocus) PickerFrame(Canvas, r, FFocusBorderColor);
    } else {
      const bool focusLook = FFocusBorder && (FMouseInControl || FHasFocus);
      TRect f = r;
      if (focusLook) DrawEdge(Canvas, f, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
      PickerFrame(Canvas, f, focusLook ? clBtnFace : ParentBrushColor());
      InflateRect(f, -1, -1);
      PickerFrame(Canvas, f, Color());
    }
  } else {
    PickerFrame(Canvas, r, FBorderColor);
  }
  if (!(FIsWinXP && IsThemeActive())) PaintButtonFace(Canvas);
}

void TFlatDateTimePicker::PaintButtonFace(TCanvas* Canvas) {
  TRect face = Rect(Width() - FButtonWidth - 2, 0, Width(), Height());
  InflateRect(face, -2, -2);
  const bool designing = ComponentState().Contains(TComponentStateFlag::csDesigning);
  if (FMouseInControl || FHasFocus || (designing && Enabled())) {
    DrawEdge(Canvas, face, EDGE_RAISED, BF_RECT | (DroppedDown() ? BF_FLAT : 0u));
    return;
  }
  // Not hot: the button's raised edge goes, its arrow stays.
  PickerFrame(Canvas, face, clBtnFace);
  InflateRect(face, -1, -1);
  PickerFrame(Canvas, face, clBtnFace);
}

void TFlatDateTimePicker::PaintOverlay(TCanvas* Canvas) {
  const int cw = ClientWidth(), ch = ClientHeight();
  const bool styles = IsThemeActive();
  const bool withInner = dynamic_cast<TCustomDateTimePicker*>(this) != nullptr;
  if (!FCtl3D && !InnerPickerTest() && (FBorderColor != clNone || withInner)) {
    // The flat outline of the window.
    const TColor outline = FBorderStyle == bsNone && Parent() ? ParentBrushColor()
                           : FIsThemed                         ? kPickerDisabledFrame
                                                               : FBorderColor;
    const TColor outer = FBorderColor != clNone && FBorderStyle != bsNone ? FBorderColor : outline;
    PickerFrame(Canvas, Rect(0, 0, cw, ch), outer);
    // Inside it the native edge is flattened: its top-left line, and without visual styles the
    // whole inner ring of the pickers that carry one.
    const TColor inner = FBorderStyle == bsSingle ? ParentBrushColor() : outer;
    if (withInner && !styles) {
      PickerFrame(Canvas, Rect(1, 1, cw - 1, ch - 1), inner);
    } else {
      Canvas->Pen()->SetColor(inner);
      Canvas->MoveTo(1, ch - 2);
      Canvas->LineTo(1, 1);
      Canvas->LineTo(cw - 1, 1);
    }
  }
  if (PlatformProfile().WinMajor >= 6 && MetroLook() && Kind() != dtkTime && FIsThemed) {
    // The strip left of the button is cleared of the native look: with visual styles a wide
    // one over the full height, without them the classic button's two-pixel border.
    Canvas->Brush()->SetColor(Color());
    if (styles)
      Canvas->FillRect(Rect(cw - MetroStripOffset(), 1, cw - FButtonWidth, ch));
    else
      Canvas->FillRect(Rect(cw - FButtonWidth - 2, 4, cw - FButtonWidth, ch - 4));
    PaintDropButton(Canvas, Rect(cw - FButtonWidth, 1, cw - 1, ch - 1));
  }
  PaintBorder(Canvas);
}

// ---- TCustomDateTimePicker ----------------------------------------------------------------------

TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner) : TFlatDateTimePicker(AOwner) {
  FCtl3D = false;
  FBorderColor = clBlack;
}

void TCustomDateTimePicker::SaveTypedState() { DecodeTime(DateTime(), Fh, Fm, Fs, Fms); }

void TCustomDateTimePicker::KeyPress(Char& Key) {
  const bool advance = FAutoTab && PickerDigit(Key);
  if (advance) SaveTypedState();
  TFlatDateTimePicker::KeyPress(Key);
  if (advance) PostMessage(this, DTPShiftFocusMessage(), 0, 0);
}

void TCustomDateTimePicker::AdvanceIfTimeChanged() {
  uint16_t h, m, s, ms;
  DecodeTime(TDateTimePicker::DateTime(), h, m, s, ms);
  if (h != Fh || m != Fm || s != Fs) PostMessage(this, WM_KEYDOWN, VK_RIGHT, 0);
}

void TCustomDateTimePicker::FieldAdvance() {
  if (Kind() == dtkTime) AdvanceIfTimeChanged();
}

void TCustomDateTimePicker::WndProc(TMessage& Message) {
  if (Message.Msg == DTPShiftFocusMessage()) FieldAdvance();
  TFlatDateTimePicker::WndProc(Message);
}

// ---- TAdvDateTimePicker ------------------------------------------------------------------------

TAdvDateTimePicker::TAdvDateTimePicker(TComponent* AOwner)
    : TCustomDateTimePicker(AOwner), FLabelFont(std::make_unique<TFont>()) {
  FFocusTimer = New<TTimer>(this);
  FFocusTimer->SetInterval(20);
  FFocusTimer->SetEnabled(false);
  FFocusTimer->OnTimer = [this](TObject*) { FFocusTimer->SetEnabled(false); };
  FBorderStyle = bsSingle;
  FCtl3D = true;
  SetKind(dkDateTime);
  // The kind starts as date and time: its inner picker is made now.
  CreateTimePicker();
  PlaceTimePicker();
}

TAdvDateTimePicker::~TAdvDateTimePicker() {
  delete FLabel;  // it lives on the parent, which may outlive the picker
}

void TAdvDateTimePicker::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomDateTimePicker::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FLabel) FLabel = nullptr;
  if (AComponent == FTimePicker) FTimePicker = nullptr;
}

void TAdvDateTimePicker::CreateTimePicker() {
  if (FTimePicker) return;
  FTimePicker = New<TCustomDateTimePicker>(this);
  FTimePicker->SetKind(dtkTime);
  FTimePicker->SetBounds(0, 0, 90, 17);
  FTimePicker->SetVisible(false);
  FTimePicker->SetAutoTab(FAutoTab);
  FTimePicker->OnChange = [this](TObject*) {
    DoChange();
    if (OnTimeChange) OnTimeChange(this);
  };
  FTimePicker->OnClick = [this](TObject*) { DoClick(); };
  FTimePicker->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { KeyDown(Key, Shift); };
}

void TAdvDateTimePicker::DoChange() {
  if (OnChange) OnChange(this);
}

void TAdvDateTimePicker::DoClick() {
  if (OnClick) OnClick(this);
}

void TAdvDateTimePicker::SetKind(TAdvDateTimeKind Value) {
  if (FKind == Value && !FFirstRun) return;
  FFirstRun = false;
  FKind = Value;
  TDateTimePicker::SetKind(Value == dkTime ? dtkTime : dtkDate);
  if (Value == dkDateTime) CreateTimePicker();
  PlaceTimePicker();
}

void TAdvDateTimePicker::PlaceTimePicker() {
  if (!FTimePicker) return;
  const bool loading = ComponentState().Contains(TComponentStateFlag::csLoading);
  // One left hidden by an earlier placement goes now.
  if (!FTimePicker->Visible() && FKind != dkDateTime && !loading && FTimePicker->Parent()) {
    TCustomDateTimePicker* gone = FTimePicker;
    FTimePicker = nullptr;
    delete gone;
    return;
  }
  FTimePicker->SetParent(this);
  FTimePicker->SetColor(Color());
  FTimePicker->SetEnabled(Enabled() && (Checked() || !ShowCheckbox()));
  FTimePicker->SetVisible(FKind == dkDateTime);
  FTimePicker->SetDateTime(TDateTimePicker::DateTime());
  FTimePicker->SetFormat(FTimeFormat);
  FTimePicker->Font()->Assign(Font());
  if (!FTimePicker->Visible() && !loading) return;
  TBitmap measure;
  measure.Canvas()->Font()->Assign(Font());
  TRect r = Rect(0, 0, 1000, 200);
  DrawText(measure.Canvas(), FTimePicker->DisplayText(), r, DT_CALCRECT | DT_SINGLELINE);
  const int a = r.Width() + 31;
  const int b = 0;  // no bevels here
  const TPlatformProfile& profile = PlatformProfile();
  if (profile.WinMajor >= 6) {
    if (profile.ComCtlMajor < 6) FTimePicker->SetBounds(Width() - a - b - 23, -2, a, Height() - b);
    else if (!IsThemeActive()) FTimePicker->SetBounds(Width() - a - b - 21, 2, a, Height() - b - 4);
    else if (MetroLook()) FTimePicker->SetBounds(Width() - a - b - 21, 1, a, Height() - b - 2);
    else FTimePicker->SetBounds(Width() - a - b - 34, 1, a, Height() - b - 2);
  } else {
    FTimePicker->SetBounds(Width() - a - 21, -2, a, Height());
  }
}

TDateTime TAdvDateTimePicker::DateTime() {
  if (FTimePicker) TDateTimePicker::SetTime(FTimePicker->Time());
  return TDateTimePicker::DateTime();
}

void TAdvDateTimePicker::SetDateTime(TDateTime Value) {
  uint16_t h, m, s, ms;
  DecodeTime(Value, h, m, s, ms);
  const TDateTime v = std::floor(Value) + EncodeTime(h, m, s, 0);
  TDateTimePicker::SetDateTime(v);
  if (FKind == dkDateTime) CreateTimePicker();
  if (FTimePicker) FTimePicker->SetDateTime(v);
  // A date set by code with a check box: the time is editable exactly while there is a date.
  if (FTimePicker && ShowCheckbox() && !ComponentState().Contains(TComponentStateFlag::csDesigning))
    FTimePicker->SetEnabled(Enabled() && Checked());
}

void TAdvDateTimePicker::SetDate(TDateTime Value) {
  uint16_t h, m, s, ms;
  DecodeTime(DateTime(), h, m, s, ms);
  SetDateTime(std::floor(Value) + EncodeTime(h, m, s, 0));
}

TDateTime TAdvDateTimePicker::Time() {
  if (FKind == dkDateTime && FTimePicker) return FTimePicker->Time();
  return TDateTimePicker::Time();
}

void TAdvDateTimePicker::SetTime(TDateTime Value) {
  TDateTimePicker::SetTime(Value);
  PlaceTimePicker();
}

void TAdvDateTimePicker::SetTimeFormat(const String& Value) {
  if (FTimePicker) FTimePicker->SetFormat(Value);
  if (FKind == dkTime) SetFormat(Value);
  FTimeFormat = Value;
  PlaceTimePicker();
}

void TAdvDateTimePicker::SetAutoTab(bool Value) {
  TCustomDateTimePicker::SetAutoTab(Value);
  if (FTimePicker) FTimePicker->SetAutoTab(Value);
}

void TAdvDateTimePicker::SetChecked(bool Value) {
  TCustomDateTimePicker::SetChecked(Value);
  if (FTimePicker) FTimePicker->SetEnabled(Enabled() && Value);
}

void TAdvDateTimePicker::DateTimeChanged(bool HasDate) {
  if (FTimePicker && ShowCheckbox()) FTimePicker->SetEnabled(Enabled() && Checked() && HasDate);
  DoChange();
}

void TAdvDateTimePicker::SetBorderStyle(TBorderStyle Value) {
  TCustomDateTimePicker::SetBorderStyle(Value);
  PlaceTimePicker();
}

void TAdvDateTimePicker::SaveTypedState() {
  TCustomDateTimePicker::SaveTypedState();
  DecodeDate(TDateTimePicker::DateTime(), Fy, Fmo, Fd);
}

void TAdvDateTimePicker::FieldAdvance() {
  if (FKind == dkTime) {
    AdvanceIfTimeChanged();
    return;
  }
  uint16_t y, m, d;
  DecodeDate(TDateTimePicker::DateTime(), y, m, d);
  const bool dayChanged = d != Fd, monthChanged = m != Fmo, yearChanged = y != Fy;
  auto toTimePicker = [this] {
    if (FTimePicker && FTimePicker->CanFocus()) FTimePicker->SetFocus();
  };
  if (!Format().empty()) {
    const Char last = Format().back();
    if ((dayChanged && (last == u'D' || last == u'd')) || (monthChanged && (last == u'M' || last == u'm')) ||
        (yearChanged && (last == u'Y' || last == u'y'))) {
      toTimePicker();
    } else if (dayChanged || monthChanged || yearChanged) {
      PostMessage(this, WM_KEYDOWN, VK_RIGHT, 0);
    }
    return;
  }
  if (dayChanged || monthChanged) PostMessage(this, WM_KEYDOWN, VK_RIGHT, 0);
  else if (yearChanged) toTimePicker();
}

void TAdvDateTimePicker::Loaded() {
  TCustomDateTimePicker::Loaded();
  if (FKind == dkDateTime) CreateTimePicker();
  PlaceTimePicker();
  if (!Checked() && FTimePicker) FTimePicker->SetEnabled(false);
  PlaceLabel();
}

void TAdvDateTimePicker::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case DTM_SETSYSTEMTIME:
      TCustomDateTimePicker::WndProc(Message);
      // A cleared date leaves no time to edit.
      if (Message.WParam == GDT_NONE && Message.Result && FTimePicker && ShowCheckbox() &&
          !ComponentState().Contains(TComponentStateFlag::csDesigning))
        FTimePicker->SetEnabled(false);
      return;
    case CM_ENTER:
    case CM_EXIT:
      if (FFocusLabel && FLabel && !ComponentState().Contains(TComponentStateFlag::csLoading)) {
        TFontStyles s = FLabel->Font()->Style();
        FLabel->Font()->SetStyle(Message.Msg == CM_ENTER ? s | TFontStyles(fsBold) : s - TFontStyles(fsBold));
      }
      break;
    case CM_COLORCHANGED:
      TCustomDateTimePicker::WndProc(Message);
      PlaceTimePicker();
      return;
    case CM_PARENTFONTCHANGED:
      TCustomDateTimePicker::WndProc(Message);
      if (FLabel && ParentFont()) {
        FLabel->Font()->Assign(Font());
        PlaceLabel();
      }
      return;
    default: break;
  }
  TCustomDateTimePicker::WndProc(Message);
}

void TAdvDateTimePicker::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomDateTimePicker::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (IsDestroying()) return;
  PlaceTimePicker();
  PlaceLabel();
}

void TAdvDateTimePicker::SetVisible(bool Value) {
  TCustomDateTimePicker::SetVisible(Value);
  if (FLabel) FLabel->SetVisible(Value);
}

void TAdvDateTimePicker::SetEnabled(bool Value) {
  TCustomDateTimePicker::SetEnabled(Value);
  if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Value);
  if (FTimePicker) FTimePicker->SetEnabled(Value);
}

void TAdvDateTimePicker::SetParent(TWinControl* AParent) {
  TCustomDateTimePicker::SetParent(AParent);
  if (FLabel) {
    FLabel->SetParent(AParent);
    FLabel->SetVisible(Visible());
  }
}

// ---- label --------------------------------------------------------------------------------------

String TAdvDateTimePicker::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TAdvDateTimePicker::SetLabelCaption(const String& Value) {
  if (!FLabel) {
    FLabel = New<TLabel>(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->Font()->Assign(FLabelFont.get());
    FLabel->SetParentFont(ParentFont());
    FLabel->OnClick = [this](TObject*) {
      if (OnLabelClick) OnLabelClick(this);
    };
    FLabel->OnDblClick = [this](TObject*) {
      if (OnLabelDblClick) OnLabelDblClick(this);
    };
  }
  FLabel->SetCaption(Value);
  PlaceLabel();
}

void TAdvDateTimePicker::SetLabelFont(TFont* Value) {
  FLabelFont->Assign(Value);
  PlaceLabel();
}

void TAdvDateTimePicker::SetLabelPosition(TLabelPosition Value) {
  FLabelPosition = Value;
  PlaceLabel();
}

void TAdvDateTimePicker::SetLabelMargin(int Value) {
  FLabelMargin = Value;
  PlaceLabel();
}

void TAdvDateTimePicker::SetLabelTransparent(bool Value) {
  FLabelTransparent = Value;
  PlaceLabel();
}

void TAdvDateTimePicker::SetLabelAlwaysEnabled(bool Value) {
  FLabelAlwaysEnabled = Value;
  if (FLabel) FLabel->SetEnabled(Value || Enabled());
  Invalidate();
}

void TAdvDateTimePicker::PlaceLabel() {
  if (!FLabel) return;
  FLabel->SetTransparent(FLabelTransparent);
  if (!ParentFont()) FLabel->Font()->Assign(FLabelFont.get());
  PlaceControlLabel(FLabel, this, FLabelPosition, FLabelMargin);
}
