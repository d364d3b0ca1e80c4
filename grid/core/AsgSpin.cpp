#include "grid/core/AsgSpin.h"

#include <algorithm>
#include <cmath>

#include "grid/core/AsgEmbedded.h"
#include "platform/EditTips.h"
#include "platform/Forms.h"

namespace {
constexpr unsigned kSpinFirstDelay = 400;
constexpr unsigned kSpinRepeat = 100;
constexpr int kSpinBorderHeight = 1;  // SM_CYBORDER
constexpr TColor kSpinGlyphBack = clOlive;

// The pack's spin glyphs: a black triangle, 9 x 6, the bottom-left pixel the transparent colour.
void PaintSpinGlyph(TBitmap* B, bool Up) {
  B->SetPixelFormat(pf24bit);
  B->SetSize(9, 6);
  TCanvas* c = B->Canvas();
  c->Brush()->SetColor(kSpinGlyphBack);
  c->FillRect(Rect(0, 0, 9, 6));
  for (int row = 0; row < 4; ++row) {
    const int y = Up ? 1 + row : 4 - row;
    for (int x = 4 - row; x <= 4 + row; ++x) c->SetPixels(x, y, clBlack);
  }
}

void RegisterSpinGlyphs() {
  static const bool done = [] {
    RegisterBitmapResource(u"AsgSpinUp", [](TBitmap* B) { PaintSpinGlyph(B, true); });
    RegisterBitmapResource(u"AsgSpinDown", [](TBitmap* B) { PaintSpinGlyph(B, false); });
    return true;
  }();
  (void)done;
}

bool SpinDigit(Char c) { return c >= u'0' && c <= u'9'; }

// A step of Count units of UnitMs milliseconds, reduced to less than a day: a time of day cannot
// take a whole day or more.
TDateTime SpinTimeAmount(int Count, int64_t UnitMs) {
  const int64_t day = static_cast<int64_t>(MSecsPerDay);
  const int64_t ms = ((static_cast<int64_t>(Count) * UnitMs) % day + day) % day;
  return static_cast<double>(ms) / MSecsPerDay;
}

double SpinFrac(double v) { return v - std::floor(v); }
}  // namespace

// ---- TAdvTimerSpeedButton --------------------------------------------------------------------

TAdvTimerSpeedButton::TAdvTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

void TAdvTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  if (Parent()) Parent()->Invalidate();
  if (Button != mbLeft || !FTimeBtnState.Contains(tbAllowTimer) || !Enabled()) return;
  if (!FRepeatTimer) {
    FRepeatTimer = New<TTimer>(this);
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->OnTimer = [this](TObject*) { TimerExpired(); };
  }
  FRepeatTimer->SetInterval(kSpinFirstDelay);
  FRepeatTimer->SetEnabled(true);
  Click();
}

void TAdvTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseUp(Button, Shift, X, Y);
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
  if (Parent()) Parent()->Invalidate();
}

void TAdvTimerSpeedButton::ReleaseClick() {
  if (!FTimeBtnState.Contains(tbAllowTimer)) TSpeedButton::ReleaseClick();
}

void TAdvTimerSpeedButton::TimerExpired() {
  FRepeatTimer->SetInterval(kSpinRepeat);
  if (FState != bsDown || !MouseCapture()) return;
  try {
    Click();
  } catch (...) {
    FRepeatTimer->SetEnabled(false);
    throw;
  }
}

void TAdvTimerSpeedButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      TSpeedButton::WndProc(Message);
      FHasMouse = true;
      Invalidate();
      return;
    case CM_MOUSELEAVE:
      TSpeedButton::WndProc(Message);
      FHasMouse = false;
      Invalidate();
      return;
    default: TSpeedButton::WndProc(Message);
  }
}

void TAdvTimerSpeedButton::Paint() {
  auto* pair = dynamic_cast<TAsgSpinButton*>(Parent());
  TCanvas* c = Canvas();
  const TRect r = ClientRect();
  if (pair && pair->ButtonColor != clNone) {
    TColor fill = pair->ButtonColor;
    if (FState == bsDown && pair->ButtonColorDown != clNone) fill = pair->ButtonColorDown;
    else if (FHasMouse && pair->ButtonColorHot != clNone) fill = pair->ButtonColorHot;
    c->Pen()->SetColor(fill);
    c->Brush()->SetColor(fill);
    c->Rectangle(r);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clBlack);
    const int l = r.Left, t = r.Top;
    switch (FButtonDirection) {
      case bdLeft: c->Polygon({Point(l + 5, t + 5), Point(l + 3, t + 7), Point(l + 5, t + 9)}); break;
      case bdRight: c->Polygon({Point(l + 3, t + 5), Point(l + 5, t + 7), Point(l + 3, t + 9)}); break;
      case bdUp: c->Polygon({Point(l + 4, t + 4), Point(l + 8, t + 4), Point(l + 6, t + 2)}); break;
      case bdDown: c->Polygon({Point(l + 4, t + 2), Point(l + 8, t + 2), Point(l + 6, t + 4)}); break;
    }
    return;
  }
  if (FIsWinXP && IsThemeActive()) {
    const int part = FButtonDirection == bdUp ? 1 : FButtonDirection == bdDown ? 2 : FButtonDirection == bdRight ? 3 : 4;
    const int state = FState == bsDown ? 3 : FHasMouse ? 2 : 1;
    if (ThemeDrawBackground(c, u"spin", part, state, r)) return;
  }
  TSpeedButton::Paint();
  if (FTimeBtnState.Contains(tbFocusRect)) {
    TRect f = r;
    InflateRect(f, -3, -3);
    if (FState == bsDown) OffsetRect(f, 1, 1);
    c->DrawFocusRect(f);
  }
}

// ---- TAsgSpinButton --------------------------------------------------------------------------

TAsgSpinButton::TAsgSpinButton(TComponent* AOwner) : TWinControl(AOwner) {
  RegisterSpinGlyphs();
  controlStyle_.Exclude(csAcceptsControls);
  controlStyle_.Exclude(csSetCaption);
  controlStyle_.Include(csOpaque);
  // The ground of the pair is the edit's, seen through transparent buttons.
  SetParentColor(true);
  FUpButton = CreateButton();
  FDownButton = CreateButton();
  SetUpGlyph(nullptr);
  SetDownGlyph(nullptr);
  FUpButton->SetButtonDirection(bdUp);
  FDownButton->SetButtonDirection(bdDown);
  width_ = 15;
  height_ = 25;
  FFocusedButton = FUpButton;
  SetBounds(left_, top_, width_, height_);
}

TAdvTimerSpeedButton* TAsgSpinButton::CreateButton() {
  auto* b = New<TAdvTimerSpeedButton>(this);
  b->OnClick = [this](TObject* Sender) { BtnClick(Sender); };
  b->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState, int, int) { BtnMouseDown(Sender, Button); };
  b->SetVisible(true);
  b->SetEnabled(true);
  b->SetTimeBtnState(TTimeBtnState{tbAllowTimer});
  b->SetParent(this);
  return b;
}

void TAsgSpinButton::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TAsgSpinButton::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TAsgSpinButton::AdjustSize(int& W, int& H) {
  if (!FUpButton || !FDownButton) return;
  if (FDirection == spVertical) {
    W = std::max(W, 15);
    const int half = H / 2;
    FUpButton->SetBounds(0, 0, W, half);
    FDownButton->SetBounds(0, half - 1, W, H - half + 1);
  } else {
    W = std::max(W, 20);
    const int half = W / 2;
    FDownButton->SetBounds(0, 0, half, H);
    FUpButton->SetBounds(half + 1, 0, half, H);
  }
}

void TAsgSpinButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AdjustSize(AWidth, AHeight);
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TAsgSpinButton::Loaded() {
  TWinControl::Loaded();
  int w = Width(), h = Height();
  AdjustSize(w, h);
  if (w != Width() || h != Height()) TWinControl::SetBounds(Left(), Top(), w, h);
}

void TAsgSpinButton::SetDirection(TSpinDirection Value) {
  if (FDirection == Value) return;
  FDirection = Value;
  if (Value == spHorizontal) {
    FUpButton->SetButtonDirection(bdRight);
    FDownButton->SetButtonDirection(bdLeft);
    SetWidth(20);
  } else {
    FUpButton->SetButtonDirection(bdUp);
    FDownButton->SetButtonDirection(bdDown);
    SetWidth(15);
  }
  Invalidate();
}

void TAsgSpinButton::SetUpGlyph(TBitmap* Value) {
  if (Value) {
    FUpButton->SetGlyph(Value);
    return;
  }
  TBitmap glyph;
  glyph.LoadFromResourceName(u"AsgSpinUp");
  FUpButton->SetGlyph(&glyph);
  FUpButton->SetNumGlyphs(1);
}

void TAsgSpinButton::SetDownGlyph(TBitmap* Value) {
  if (Value) {
    FDownButton->SetGlyph(Value);
    return;
  }
  TBitmap glyph;
  glyph.LoadFromResourceName(u"AsgSpinDown");
  FDownButton->SetGlyph(&glyph);
  FDownButton->SetNumGlyphs(1);
}

void TAsgSpinButton::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  FUpButton->SetIsWinXP(Value);
  FDownButton->SetIsWinXP(Value);
}

void TAsgSpinButton::BtnClick(TObject* Sender) {
  if (Sender == FUpButton) {
    if (OnUpClick) OnUpClick(this);
  } else if (OnDownClick) {
    OnDownClick(this);
  }
}

void TAsgSpinButton::BtnMouseDown(TObject* Sender, TMouseButton Button) {
  if (Button != mbLeft) return;
  SetFocusBtn(static_cast<TAdvTimerSpeedButton*>(Sender));
  if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused()) {
    FFocusControl->SetFocus();
  } else if (TabStop() && !Focused() && CanFocus()) {
    SetFocus();
  }
}

void TAsgSpinButton::SetFocusBtn(TAdvTimerSpeedButton* Btn) {
  if (!TabStop() || !CanFocus() || Btn == FFocusedButton) return;
  FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() - TTimeBtnState{tbFocusRect});
  FFocusedButton = Btn;
  if (Focused()) {
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() | tbFocusRect);
    Invalidate();
  }
}

void TAsgSpinButton::KeyDown(Word& Key, TShiftState Shift) {
  switch (Key) {
    case VK_SPACE: FFocusedButton->Click(); break;
    case VK_UP:
      SetFocusBtn(FUpButton);
      FUpButton->Click();
      break;
    case VK_DOWN:
      SetFocusBtn(FDownButton);
      FDownButton->Click();
      break;
    default: break;
  }
  TWinControl::KeyDown(Key, Shift);
}

void TAsgSpinButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_ENTER:
    case CM_EXIT: {
      const bool entering = Message.Msg == CM_ENTER;
      TTimeBtnState s = FFocusedButton->TimeBtnState();
      FFocusedButton->SetTimeBtnState(entering ? s | tbFocusRect : s - TTimeBtnState{tbFocusRect});
      FFocusedButton->Invalidate();
      TWinControl::WndProc(Message);
      return;
    }
    default: TWinControl::WndProc(Message);
  }
}

// ---- TAsgSpinEdit ----------------------------------------------------------------------------

TAsgSpinEdit::TAsgSpinEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  FButton = New<TAsgSpinButton>(this);
  FButton->SetBounds(0, 0, 15, 17);
  FButton->SetVisible(true);
  FButton->SetParent(this);
  FButton->SetFocusControl(this);
  FButton->OnUpClick = [this](TObject* Sender) { UpClick(Sender); };
  FButton->OnDownClick = [this](TObject* Sender) { DownClick(Sender); };
  SetText(u"0");
  controlStyle_.Exclude(csSetCaption);
  LayoutButton();
}

TAsgSpinEdit::~TAsgSpinEdit() = default;

void TAsgSpinEdit::Loaded() {
  TCustomMaskEdit::Loaded();
  if (FSpinType == sptDate) SetText(DateToStr(FDateValue));
  if (FSpinType == sptTime) SetText(FShowSeconds ? TimeToStr(FTimeValue) : FormatDateTime(u"h:nn", FTimeValue));
  SetSpinType(FSpinType);
  LayoutButton();
}

int TAsgSpinEdit::CheckValue(int NewValue) const {
  if (FMinValue == FMaxValue) return NewValue;
  return std::clamp(NewValue, FMinValue, FMaxValue);
}

double TAsgSpinEdit::CheckFloatValue(double NewValue) const {
  if (FMinFloatValue == FMaxFloatValue) return NewValue;
  if (NewValue <= FMinFloatValue) return FMinFloatValue;
  if (NewValue >= FMaxFloatValue) return FMaxFloatValue;
  return NewValue;
}

TDateTime TAsgSpinEdit::CheckDateValue(TDateTime NewValue) const {
  if (FMinDateValue == FMaxDateValue) return NewValue;
  return std::clamp(NewValue, FMinDateValue, FMaxDateValue);
}

int TAsgSpinEdit::Value() {
  const String t = Trim(Text());
  if (t.empty()) return 0;
  int v = 0;
  return TryStrToInt(t, v) ? v : FMinValue;
}

void TAsgSpinEdit::SetValue(int NewValue) {
  SetText(IntToStr(CheckValue(NewValue)));
  if (!FEditorEnabled) SelectAll();
}

double TAsgSpinEdit::FloatValue() {
  double v = 0;
  return TryStrToFloat(Text(), v) ? v : FMinFloatValue;
}

void TAsgSpinEdit::SetFloatValue(double NewValue) {
  NewValue = CheckFloatValue(NewValue);
  SetText(FPrecision > 0 ? Format(u"%.*f", {FPrecision, NewValue}) : FloatToStr(NewValue));
}

TDateTime TAsgSpinEdit::DateValue() {
  const String t = Text();
  if (t.empty() || t == u"0") return Now();
  TDateTime v = 0;
  return TryStrToDate(t, v) ? v : FMinDateValue;
}

void TAsgSpinEdit::SetDateValue(TDateTime NewValue) {
  if (ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  FDateValue = CheckDateValue(NewValue);
  const int caret = SelStart();
  SetText(DateToStr(FDateValue));
  SetSelStart(caret);
}

TDateTime TAsgSpinEdit::TimeValue() {
  TDateTime v = 0;
  return TryStrToTime(Text(), v) ? v : 0;
}

void TAsgSpinEdit::SetTimeValue(TDateTime NewValue) {
  if (ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  FTimeValue = CheckDateValue(NewValue);
  const int caret = SelStart();
  SetText(FShowSeconds ? TimeToStr(FTimeValue) : FormatDateTime(u"h:nn", FTimeValue));
  SetSelStart(caret);
}

void TAsgSpinEdit::RewriteValue() {
  switch (FSpinType) {
    case sptNormal: SetValue(Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
  }
}

void TAsgSpinEdit::SetSpinType(TAsgSpinType Value) {
  FSpinType = Value;
  RewriteValue();
}

void TAsgSpinEdit::SetPrecision(int Value) {
  FPrecision = Value;
  if (FSpinType == sptFloat) SetFloatValue(FloatValue());
}

void TAsgSpinEdit::SetDirection(TSpinDirection Value) {
  FButton->SetDirection(Value);
  FDirection = Value;
  // The width nudged there and back lays the button out again.
  SetWidth(Width() + 1);
  SetWidth(Width() - 1);
}

void TAsgSpinEdit::SetEditAlign(TEditAlign Value) {
  FEditAlign = Value;
  SetAlignment(Value == eaRight ? taRightJustify : Value == eaCenter ? taCenter : taLeftJustify);
}

void TAsgSpinEdit::SetSpinFlat(bool Value) {
  FSpinFlat = Value;
  FButton->UpButton()->SetFlat(Value);
  FButton->DownButton()->SetFlat(Value);
}

void TAsgSpinEdit::SetSpinTransparent(bool Value) {
  FSpinTransparent = Value;
  FButton->UpButton()->SetTransparent(Value);
  FButton->DownButton()->SetTransparent(Value);
  SetWidth(Width() + 1);
  SetWidth(Width() - 1);
}

void TAsgSpinEdit::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  FButton->SetIsWinXP(Value);
}

// ---- stepping ---------------------------------------------------------------------------------

void TAsgSpinEdit::StepUp(bool Page) { Step(1, Page); }
void TAsgSpinEdit::StepDown(bool Page) { Step(-1, Page); }

void TAsgSpinEdit::Step(int Sign, bool Page) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  switch (FSpinType) {
    case sptNormal: SetValue(Value() + Sign * FIncrement); break;
    case sptFloat: SetFloatValue(FloatValue() + Sign * (Page ? FIncrementFloatPage : FIncrementFloat)); break;
    case sptDate: StepDate(Sign); break;
    case sptTime: StepTime(Sign); break;
  }
}

void TAsgSpinEdit::StepDate(int Sign) {
  // The parts in the order of the short date format; the caret's part is the one before the
  // first separator it is not past.
  const String f = LowerCase(FormatSettings().ShortDateFormat);
  struct TPart {
    size_t At;
    Char Letter;
  };
  TPart parts[3] = {{f.find(u'd'), u'd'}, {f.find(u'm'), u'm'}, {f.find(u'y'), u'y'}};
  std::stable_sort(std::begin(parts), std::end(parts), [](const TPart& a, const TPart& b) { return a.At < b.At; });
  const String t = Text();
  const Char sep = FormatSettings().DateSeparator;
  const size_t first = t.find(sep);
  const size_t second = first == String::npos ? String::npos : t.find(sep, first + 1);
  const size_t caret = static_cast<size_t>(SelStart());
  int index = 2;
  if (first != String::npos && caret <= first) index = 0;
  else if (second != String::npos && caret <= second) index = 1;
  const TDateTime v = DateValue();
  TDateTime stepped = v;
  switch (parts[index].Letter) {
    case u'd': stepped = v + Sign; break;
    case u'm': stepped = IncMonth(v, Sign); break;
    default: stepped = IncMonth(v, 12 * Sign); break;  // 29 February lands on the 28th
  }
  SetDateValue(stepped);
}

void TAsgSpinEdit::StepTime(int Sign) {
  const String t = Text();
  const Char sep = FormatSettings().TimeSeparator;
  const size_t first = t.find(sep);
  const size_t second = first == String::npos ? String::npos : t.find(sep, first + 1);
  const size_t caret = static_cast<size_t>(SelStart());
  TDateTime amount;
  if (first == String::npos || caret <= first) amount = SpinTimeAmount(FIncrementHours, 3600000);
  else if (FShowSeconds && second != String::npos && caret > second) amount = SpinTimeAmount(FIncrementSeconds, 1000);
  else amount = SpinTimeAmount(FIncrementMinutes, 60000);
  const TDateTime v = SpinFrac(TimeValue());
  TDateTime stepped;
  if (Sign > 0) {
    stepped = SpinFrac(v + amount);
  } else {
    stepped = (v + 1) - amount;
    if (stepped >= 1) stepped -= 1;
  }
  SetTimeValue(stepped);
}

void TAsgSpinEdit::UpClick(TObject*) { StepUp(false); }
void TAsgSpinEdit::DownClick(TObject*) { StepDown(false); }

// ---- keys and characters ----------------------------------------------------------------------

bool TAsgSpinEdit::IsValidChar(Char& Key) {
  const TFormatSettings& fs = FormatSettings();
  const Char dec = fs.DecimalSeparator, thousand = fs.ThousandSeparator;
  const Char dateSep = fs.DateSeparator, timeSep = fs.TimeSeparator;
  if (Key == 8) return FEditorEnabled;
  const bool control = Key < 32 && Key != 13;
  bool result = Key == dec || Key == thousand || Key == dateSep || Key == timeSep || SpinDigit(Key) ||
                Key == u'-' || control;
  auto sharedSeparator = [&](Char sep) {
    if (sep == dec || sep == thousand || sep == u'-' || sep == u'+') {
      if (FSpinType != sptNormal && FSpinType != sptFloat) result = false;
    } else {
      result = false;
    }
  };
  if (Key == timeSep && FSpinType != sptTime) sharedSeparator(timeSep);
  if (Key == dateSep && FSpinType != sptDate) sharedSeparator(dateSep);
  const String t = Text();
  if (Key == u'-') {
    result = result && SelStart() == 0 && (t.find(u'-') == String::npos || SelText().find(u'-') != String::npos);
  }
  // Control characters stay: an integer spin keeps the edit's clipboard and Escape keys.
  if (FSpinType == sptNormal) result = result && (SpinDigit(Key) || Key == u'-' || control);
  if (FSpinType == sptFloat && Key != 27 && Key != 13) {
    if (Key == thousand) result = false;
    const size_t at = t.find(dec);
    if (Key == dec && at != String::npos && SelText().find(dec) == String::npos) result = false;
    if (FPrecision > 0 && at != String::npos && result && !control) {
      const int p = static_cast<int>(at) + 1;
      if (SelStart() >= p && SelLength() == 0) result = static_cast<int>(t.size()) < p + FPrecision;
    }
  }
  if (FSpinType == sptTime && Key == timeSep && std::count(t.begin(), t.end(), timeSep) >= 2) result = false;
  if (!FEditorEnabled) result = result && control;
  return result;
}

void TAsgSpinEdit::KeyPress(Char& Key) {
  if (!IsValidChar(Key)) {
    Key = 0;
    MessageBeep(0);
    return;
  }
  TCustomMaskEdit::KeyPress(Key);
}

void TAsgSpinEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_RETURN && FReturnIsTab) {
    Key = VK_TAB;
    // As if Tab had been pressed: the form moves the focus on.
    PostMessage(this, CN_KEYDOWN, VK_TAB, 0);
  }
  if (Key == VK_DELETE && !FEditorEnabled) Key = 0;
  TCustomMaskEdit::KeyDown(Key, Shift);
}

void TAsgSpinEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
      switch (Message.WParam) {
        case VK_PRIOR: StepUp(true); Message.Result = 0; return;
        case VK_NEXT: StepDown(true); Message.Result = 0; return;
        case VK_UP: StepUp(false); Message.Result = 0; return;
        case VK_DOWN: StepDown(false); Message.Result = 0; return;
        default: break;
      }
      break;
    case WM_CHAR:
      if (FExcelStyleDecimalSeparator && Message.WParam == u'.' && (static_cast<uint32_t>(Message.LParam) & KF_KEYPAD))
        Message.WParam = FormatSettings().DecimalSeparator;
      break;
    case WM_PASTE:
    case WM_CUT:
      if (!FEditorEnabled || ReadOnly()) return;
      break;
    case CM_ENTER:
      if (AutoSelect() && !(GetKeyState(VK_LBUTTON) < 0 && FEditorEnabled)) SelectAll();
      break;
    case CM_EXIT: {
      TCustomMaskEdit::WndProc(Message);
      // A typed value outside the limits is put right on leaving.
      switch (FSpinType) {
        case sptNormal: {
          const int v = Value();
          if (CheckValue(v) != v) SetValue(v);
          break;
        }
        case sptFloat: {
          const double v = FloatValue();
          if (CheckFloatValue(v) != v) SetFloatValue(v);
          break;
        }
        case sptDate: {
          const TDateTime v = DateValue();
          if (CheckDateValue(v) != v) SetDateValue(v);
          break;
        }
        case sptTime: {
          const TDateTime v = TimeValue();
          if (CheckDateValue(v) != v) SetTimeValue(v);
          break;
        }
      }
      return;
    }
    default: break;
  }
  TCustomMaskEdit::WndProc(Message);
}

// ---- layout -----------------------------------------------------------------------------------

int TAsgSpinEdit::MinHeight() {
  int h = EmbeddedEditMinHeight(this) + 2;
  if (BorderStyle() == bsSingle) h += 4 * kSpinBorderHeight;
  return h;
}

void TAsgSpinEdit::SetEditRectNow() {
  const bool bordered = BorderStyle() != bsNone;
  const int inset = bordered ? 0 : 3;
  const int right = ClientWidth() - FButton->Width() - 2 - (bordered ? 0 : 3);
  SetEditRect(Rect(inset, inset, right, ClientHeight() + 1));
}

void TAsgSpinEdit::LayoutButton() {
  if (!FButton || FLaying) return;
  FLaying = true;
  const int mh = MinHeight();
  if (Height() < mh) TCustomMaskEdit::SetBounds(Left(), Top(), Width(), mh);
  PlaceEmbeddedButton(this, FButton, FButton->Width());
  SetEditRectNow();
  FLaying = false;
}

void TAsgSpinEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!IsDestroying()) LayoutButton();
}
