// The time drop-down: the masked time text, the arrow keys, the typed time and the clock popup.
#include "grid/dropdown/AdvTimePickerDropDown.h"

#include <cmath>

#include "grid/dropdown/AdvDropDownForm.h"
#include "grid/dropdown/AdvDropDownHosted.h"

namespace {
String TimePickerTwoDigits(int Value) { return Value < 10 ? u"0" + IntToStr(Value) : IntToStr(Value); }
bool TimePickerDigits(const String& Part) {
  for (size_t i = 0; i < Part.size() && i < 2; ++i)
    if (Part[i] < u'0' || Part[i] > u'9') return false;
  return true;
}
int TimePickerValue(const String& Part) {
  int v = 0;
  return Part.empty() || !TryStrToInt(Part, v) ? 0 : v;
}
}  // namespace

TAdvTimePickerDropDown::TAdvTimePickerDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner),
      FWatchAppearance(std::make_unique<TWatchAppearance>()),
      FWatchSettings(std::make_unique<TWatchSettings>()) {
  FWatchAppearance->OnChange = [](TObject*) {};
  CreateDropDownForm();
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  FInternal = true;
  SetEditMask(Mask());
  WriteText(FormattedTime(0));
  FInternal = false;
  DropDownHeader()->SetVisible(false);
  DropDownFooter()->SetVisible(false);
}

TAdvTimePickerDropDown::~TAdvTimePickerDropDown() { FWatchAppearance->OnChange = nullptr; }

String TAdvTimePickerDropDown::Mask() const {
  const String sep(1, FormatSettings().TimeSeparator);
  return FShowSeconds ? u"!90" + sep + u"00" + sep + u"00;1; " : u"!90" + sep + u"00;1; ";
}

String TAdvTimePickerDropDown::FormattedTime(TDateTime Value) const {
  int h = 0, m = 0, s = 0, ms = 0;
  DecodeWatchTime(Value, h, m, s, ms);
  const String sep(1, FormatSettings().TimeSeparator);
  String t = TimePickerTwoDigits(h) + sep + TimePickerTwoDigits(m);
  if (FShowSeconds) t += sep + TimePickerTwoDigits(s);
  return t;
}

void TAdvTimePickerDropDown::WriteText(const String& Text) {
  const bool internal = FInternal;
  FInternal = true;
  SetTextDirect(Text);
  FInternal = internal;
}

void TAdvTimePickerDropDown::SetTime(TDateTime Value) {
  if (Value == FTime) return;
  FTime = Value;
  WriteText(FormattedTime(Value));
  if (DroppedDown() && FWatch) {
    FWatch->SetTime(Value);
    if (FTimePicker && FShowTimePicker) FTimePicker->SetTime(Value);
  }
}

void TAdvTimePickerDropDown::SetPart(int Part, int Value) {
  int h = 0, m = 0, s = 0, ms = 0;
  DecodeWatchTime(FTime, h, m, s, ms);
  int* parts[3] = {&h, &m, &s};
  if (*parts[Part] == Value || Value < 0 || (Part == 0 && Value > 23) || (Part > 0 && Value >= 60)) return;
  *parts[Part] = Value;
  SetTime(std::trunc(FTime) + EncodeTime(h, m, s, ms));
  if (OnTimeChange) OnTimeChange(this);
}

void TAdvTimePickerDropDown::SetHour(int Value) { SetPart(0, Value); }
void TAdvTimePickerDropDown::SetMinute(int Value) { SetPart(1, Value); }
void TAdvTimePickerDropDown::SetSecond(int Value) { SetPart(2, Value); }

void TAdvTimePickerDropDown::SetShowSeconds(bool Value) {
  if (Value == FShowSeconds) return;
  FShowSeconds = Value;
  const TDateTime kept = FTime;
  FInternal = true;
  SetEditMask(u"");
  SetTextDirect(u"");
  SetEditMask(Mask());
  FInternal = false;
  // Moved away by a day, so that setting the kept time writes the text in the new form.
  FTime = kept + 1;
  SetTime(kept);
}

void TAdvTimePickerDropDown::StepPartAtCaret(bool Up) {
  const String text = EditText();
  const int caret = SelStart();
  const Char sep = FormatSettings().TimeSeparator;
  const size_t first = text.find(sep);
  int part = 1;
  if (first == String::npos || caret < static_cast<int>(first) + 1) {
    part = 0;
  } else {
    const int p = static_cast<int>(first) + 1;
    const size_t second = text.find(sep, first + 1);
    const int q = second == String::npos ? 0 : static_cast<int>(second - first);
    part = (q > 0 && caret - p >= q && FShowSeconds) ? 2 : 1;
  }
  int h = 0, m = 0, s = 0, ms = 0;
  DecodeWatchTime(FTime, h, m, s, ms);
  const int value[3] = {h, m, s};
  const int top = part == 0 ? 23 : 59;
  int next = value[part] + (Up ? -1 : 1);
  if (next < 0) next = top;
  if (next > top) next = 0;
  SetPart(part, next);
  SetSelStart(caret);
  SetSelLength(0);
}

void TAdvTimePickerDropDown::WndProc(TMessage& Message) {
  TAdvCustomDropDown::WndProc(Message);
  if (Message.Msg != WM_KEYDOWN || GetKeyState(VK_MENU) < 0 || GetKeyState(VK_CONTROL) < 0) return;
  if (Message.WParam == VK_UP) StepPartAtCaret(true);
  else if (Message.WParam == VK_DOWN) StepPartAtCaret(false);
}

void TAdvTimePickerDropDown::Change() {
  TAdvCustomDropDown::Change();
  if (FInternal) return;
  const String text = EditText();
  const size_t length = FShowSeconds ? 8 : 5;
  if (text.empty() || Trim(text).size() != length) return;
  const Char sep = FormatSettings().TimeSeparator;
  const size_t first = text.find(sep);
  if (first == String::npos) return;
  const size_t second = text.find(sep, first + 1);
  if (FShowSeconds != (second != String::npos)) return;
  const size_t last = FShowSeconds ? second : first;
  if (text.find(sep, last + 1) != String::npos) return;
  String t = text;
  for (Char& c : t)
    if (c == u' ') c = u'0';
  const String hour = Trim(t.substr(0, first));
  const String minute = Trim(FShowSeconds ? t.substr(first + 1, second - first - 1) : t.substr(first + 1));
  const String sec = FShowSeconds ? Trim(t.substr(second + 1)) : String();
  if (!TimePickerDigits(hour) || !TimePickerDigits(minute) || !TimePickerDigits(sec)) return;
  const int h = TimePickerValue(hour), m = TimePickerValue(minute), s = TimePickerValue(sec);
  // A time beyond 23:59:59 is refused while typing: nothing changes and nothing is raised.
  TDateTime encoded = 0;
  if (!TryEncodeTime(h, m, s, 0, encoded)) return;
  FTime = encoded;
  if (FormattedTime(FTime) != text && m == 0 && s == 0) WriteText(FormattedTime(FTime));
}

// ---- popup ---------------------------------------------------------------------------------------

void TAdvTimePickerDropDown::CreateDropDownForm() {
  TAdvCustomDropDown::CreateDropDownForm();
  if (FPanel || !DropDownForm()) return;
  FPanel = new TPanel(DropDownForm());
  FPanel->SetParent(DropDownForm());
  FPanel->SetBevelOuter(bvNone);
  FPanel->SetBevelInner(bvNone);
  FPanel->SetShowCaption(false);
  FPanel->SetBounds(0, 0, FPanel->Width(), 180);
  FWatch = new TAdvWatch(FPanel);
  FWatch->SetParent(FPanel);
  FWatch->SetAlign(alClient);
  SetControl(FPanel);
}

void TAdvTimePickerDropDown::BeforeDropDown() {
  TAdvCustomDropDown::BeforeDropDown();
  FTimeAtDrop = FTime;
  SizeHostedControl(this, FPanel, 170, 170);
  DropDownForm()->SetCancelOnDeActivate(false);
  FPanel->SetColor(DropDownColor());
  FWatch->SetAppearance(FWatchAppearance.get());
  FWatch->SetSettings(FWatchSettings.get());
  FWatch->SetShowAMPM(FShowWatchAMPM);
  FWatch->SetShowNumbers(FShowWatchNumbers);
  FWatch->SetAnimation(FAnimation);
  FWatch->SetAnimationFactor(FAnimationFactor);
  FWatch->OnChange = nullptr;
  if (!FWatchSettings->Auto()) FWatch->SetTime(FTime);
  FWatch->OnChange = [this](TObject*) { ClockChanged(); };
  if (!FShowTimePicker) {
    if (FTimePicker) FTimePicker->SetVisible(false);
    return;
  }
  if (!FTimePicker) {
    FTimePicker = new TDateTimePicker(FPanel);
    FTimePicker->SetParent(FPanel);
    FTimePicker->SetKind(dtkTime);
  }
  FTimePicker->SetAlign(alBottom);
  FTimePicker->SetVisible(true);
  FTimePicker->OnChange = nullptr;
  FTimePicker->SetTime(FTime);
  FTimePicker->BringToFront();
  FTimePicker->OnChange = [this](TObject*) { PickerChanged(); };
  FTimePicker->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
  FTimePicker->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
  FTimePicker->OnKeyPress = [this](TObject*, Char& Key) { ControlKeyPress(Key); };
  FTimePicker->SetFormat(FShowSeconds ? u"HH:mm:ss" : u"HH:mm");
  SizeHostedControl(this, FPanel, 170, FTimePicker->Height() + 170);
}

void TAdvTimePickerDropDown::DoHideDropDown(bool Cancel) {
  if (!DropDownForm() || !DropDownForm()->Visible()) return;
  TAdvCustomDropDown::DoHideDropDown(Cancel);
  if (!FWatch) return;
  if (Cancel) {
    // The clock wrote every move into Time while open: a cancel goes back to the time at opening,
    // text included (the base put back a text of its own).
    FWatch->OnChange = nullptr;
    FWatch->SetTime(FTimeAtDrop);
    FTime = FTimeAtDrop;
    WriteText(FormattedTime(FTime));
  } else {
    SetTime(FWatch->Time());
  }
}

void TAdvTimePickerDropDown::AfterDropUp() {
  TAdvCustomDropDown::AfterDropUp();
  if (FWatch) SetTime(FWatch->Time());
}

void TAdvTimePickerDropDown::ClockChanged() {
  if (FTimePicker && FTimePicker->Visible() && FTimePicker->Time() != FWatch->Time()) {
    FTimePicker->OnChange = nullptr;
    FTimePicker->SetTime(FWatch->Time());
    FTimePicker->OnChange = [this](TObject*) { PickerChanged(); };
    if (OnTimeChange) OnTimeChange(this);
  }
  SetTime(FWatch->Time());
}

void TAdvTimePickerDropDown::PickerChanged() {
  if (FTimePicker && FWatch && !FWatchSettings->Auto()) FWatch->SetTime(FTimePicker->Time());
}

// ---- keys of the popup ---------------------------------------------------------------------------

namespace {
bool TimePickerStepKey(Word Key) { return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN; }
}  // namespace

void TAdvTimePickerDropDown::DropDownKeyDown(Word& Key, TShiftState Shift) {
  if (!TimePickerStepKey(Key) || Shift.Contains(ssAlt)) TAdvCustomDropDown::DropDownKeyDown(Key, Shift);
  if (FWatch && DropDownForm() && DropDownForm()->Visible()) FWatch->HandleKey(Key);
}

void TAdvTimePickerDropDown::DropDownKeyUp(Word& Key, TShiftState Shift) {
  if (!TimePickerStepKey(Key) || Shift.Contains(ssAlt)) TAdvCustomDropDown::DropDownKeyUp(Key, Shift);
}

void TAdvTimePickerDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  if (!TimePickerStepKey(Key) || Shift.Contains(ssAlt)) TAdvCustomDropDown::ControlKeyDown(Key, Shift);
}

void TAdvTimePickerDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  if (!TimePickerStepKey(Key) || Shift.Contains(ssAlt)) TAdvCustomDropDown::ControlKeyUp(Key, Shift);
}

void TAdvTimePickerDropDown::ControlKeyPress(Char& Key) {
  if (!TimePickerStepKey(Key) || GetKeyState(VK_MENU) < 0) TAdvCustomDropDown::ControlKeyPress(Key);
}

void TAdvTimePickerDropDown::SetComponentStyle(TQELStyle AStyle) {
  TAdvCustomDropDown::SetComponentStyle(AStyle);
  if (FWatchAppearance) ApplyWatchStyleColors(FWatchAppearance.get(), AStyle);
}
