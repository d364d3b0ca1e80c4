#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTextCharFormat>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "platform/ComCtrls.h"
#include "platform/SysUtils.h"
#include "platform/qt/ControlBackend.h"

namespace {
constexpr int kPickerButtonWidth = 17 + 2;  // SM_CXVSCROLL + 2
constexpr int kCheckboxWidth = 18;

enum class TPickerPart { Literal, Day, DayName, Month, MonthName, Year, Hour12, Hour24, Minute, Second, AmPm };

QString PickerQ(const String& s) { return QString::fromStdU16String(s); }

QDateTime ToQDateTime(TDateTime v) {
  uint16_t y, mo, d, h, mi, s, ms;
  DecodeDateTime(v, y, mo, d, h, mi, s, ms);
  return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

TDateTime FromQDate(const QDate& d) { return EncodeDate(d.year(), d.month(), d.day()); }

// The locale's format (FormatDateTime letters, case-blind) in the picker's letters.
String PickerLettersOf(const String& f) {
  String lower = LowerCase(f);
  const bool twelveHour = lower.find(u"am") != String::npos || lower.find(u"a/p") != String::npos;
  String out;
  bool afterHour = false;
  for (size_t i = 0; i < f.size();) {
    const Char c = f[i];
    const Char lc = lower[i];
    size_t n = 1;
    while (i + n < f.size() && lower[i + n] == lc) ++n;
    if (c == u'"' || c == u'\'') {
      const size_t end = f.find(c, i + 1);
      const String text = f.substr(i + 1, (end == String::npos ? f.size() : end) - i - 1);
      out += u'\'' + text + u'\'';
      i = end == String::npos ? f.size() : end + 1;
      continue;
    }
    if (lower.compare(i, 4, u"ampm") == 0 || lower.compare(i, 5, u"am/pm") == 0 || lower.compare(i, 3, u"a/p") == 0) {
      out += u"tt";
      i += lower.compare(i, 4, u"ampm") == 0 ? 4 : lower.compare(i, 5, u"am/pm") == 0 ? 5 : 3;
      continue;
    }
    switch (lc) {
      case u'd': out += String(n, u'd'); afterHour = false; break;
      case u'y': out += String(n, u'y'); afterHour = false; break;
      case u'h': out += String(n, twelveHour ? u'h' : u'H'); afterHour = true; break;
      case u'n': out += String(n, u'm'); afterHour = false; break;
      case u'm': out += String(n, afterHour ? u'm' : u'M'); afterHour = false; break;
      case u's': out += String(n, u's'); afterHour = false; break;
      case u'z': break;
      case u'/': out += u'\'' + String(1, FormatSettings().DateSeparator) + u'\''; n = 1; break;
      case u':': out += u'\'' + String(1, FormatSettings().TimeSeparator) + u'\''; n = 1; break;
      default: out += String(n, c); break;
    }
    i += n;
  }
  return out;
}

String Padded(int v, int width) {
  String s = IntToStr(v);
  while (static_cast<int>(s.size()) < width) s.insert(s.begin(), u'0');
  return s;
}

// A popup month calendar that circles today when asked to.
class ConfCalendar : public QCalendarWidget {
 public:
  ConfCalendar(QWidget* parent, bool circle) : QCalendarWidget(parent), circle_(circle) {}

 protected:
  void paintCell(QPainter* painter, const QRect& rect, QDate date) const override {
    QCalendarWidget::paintCell(painter, rect, date);
    const TDateTime today = ::Date();
    if (!circle_ || FromQDate(date) != today) return;
    painter->save();
    painter->setPen(QPen(QColor(0x80, 0, 0), 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawEllipse(rect.adjusted(1, 1, -2, -2));
    painter->restore();
  }

 private:
  bool circle_;
};

// The month calendar with its "Today:" line, as the picker drops it down.
QFrame* MakeCalendarPopup(TDateTimePicker* owner, QWidget* parent) {
  auto* frame = new QFrame(parent, Qt::Popup);
  frame->setFrameShape(QFrame::Box);
  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->setSpacing(0);
  auto* cal = new ConfCalendar(frame, owner->CalShowTodayCircle());
  cal->setVerticalHeaderFormat(owner->CalWeekNumbers() ? QCalendarWidget::ISOWeekNumbers
                                                         : QCalendarWidget::NoVerticalHeader);
  cal->setSelectedDate(ToQDateTime(owner->DateTime()).date());
  if (owner->MinDate() != 0) cal->setMinimumDate(ToQDateTime(owner->MinDate()).date());
  if (owner->MaxDate() != 0) cal->setMaximumDate(ToQDateTime(owner->MaxDate()).date());
  layout->addWidget(cal);
  if (owner->CalShowToday()) {
    auto* today = new QPushButton(PickerQ(u"Today: " + DateToStr(::Date())), frame);
    today->setFlat(true);
    layout->addWidget(today);
    QObject::connect(today, &QPushButton::clicked, frame, [owner] {
      confqt::Dispatch(owner, [owner] { owner->PickCalendarDate(::Date()); });
    });
  }
  QObject::connect(cal, &QCalendarWidget::clicked, frame, [owner](QDate d) {
    confqt::Dispatch(owner, [owner, d] { owner->PickCalendarDate(FromQDate(d)); });
  });
  return frame;
}

// The picker's widget: the native date-time edit with the check box painted before the fields
// (over its inner line edit, which covers that part of it).
class ConfDateTimeEdit : public QDateTimeEdit {
 public:
  ConfDateTimeEdit(TDateTimePicker* owner, QWidget* parent) : QDateTimeEdit(parent), owner_(owner) {
    lineEdit()->installEventFilter(this);
  }
  void SetLeftMargin(int m) {
    if (lineEdit()->textMargins().left() != m) lineEdit()->setTextMargins(m, 0, 0, 0);
  }
  // The character position of the shown text nearest to a point of the widget.
  int CharAt(QPoint p) const { return lineEdit()->cursorPositionAt(lineEdit()->mapFrom(this, p)); }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched != lineEdit() || e->type() != QEvent::Paint || !owner_->ShowCheckbox()) return false;
    watched->event(e);  // the line edit paints first
    QPainter p(lineEdit());
    const QPoint at = lineEdit()->pos();
    p.translate(-at.x(), -at.y());
    PaintCheckbox(&p);
    return true;
  }
  void paintEvent(QPaintEvent* e) override {
    QDateTimeEdit::paintEvent(e);
    QPainter p(this);
    if (owner_->ShowCheckbox()) PaintCheckbox(&p);
    TQtCanvas canvas;
    canvas.Bind(&p);
    canvas.Font()->Assign(owner_->Font());
    try {
      owner_->PaintOverlay(&canvas);
    } catch (...) {
      // Painting never raises to the user.
    }
    canvas.Unbind();
  }

 private:
  void PaintCheckbox(QPainter* p) {
    TQtCanvas canvas;
    canvas.Bind(p);
    const TRect box = Rect(4, (height() - 13) / 2, 17, (height() - 13) / 2 + 13);
    DrawFrameControl(&canvas, box, DFC_BUTTON, DFCS_BUTTONCHECK | (owner_->Checked() ? DFCS_CHECKED : 0u));
    canvas.Unbind();
  }
  TDateTimePicker* owner_;
};
}  // namespace

TSystemTime DateTimeToSystemTime(TDateTime Value) {
  TSystemTime st;
  DecodeDateTime(Value, st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
  st.wDayOfWeek = static_cast<Word>(DayOfWeek(Value) - 1);
  return st;
}

TDateTime SystemTimeToDateTime(const TSystemTime& Value) {
  return EncodeDate(Value.wYear, Value.wMonth, Value.wDay) +
         EncodeTime(Value.wHour, Value.wMinute, Value.wSecond, Value.wMilliseconds);
}

struct TDateTimePicker::TField {
  TPickerPart Part = TPickerPart::Literal;
  int Letters = 0;
  String Text;  // literal text
};

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
  tabStop_ = true;
  width_ = 186;
  height_ = 21;
  color_ = clWindow;
  const TDateTime now = Now();
  uint16_t h, mi, s, ms;
  DecodeTime(now, h, mi, s, ms);
  FDateTime = std::floor(now) + EncodeTime(h, mi, s, 0);
}

TDateTimePicker::~TDateTimePicker() { HidePopup(); }

String TDateTimePicker::EffectiveFormat() const {
  if (!FFormat.empty()) return FFormat;
  return PickerLettersOf(FKind == dtkDate ? FormatSettings().ShortDateFormat : FormatSettings().LongTimeFormat);
}

std::vector<TDateTimePicker::TField> TDateTimePicker::Fields() const {
  const String f = EffectiveFormat();
  std::vector<TField> out;
  for (size_t i = 0; i < f.size();) {
    const Char c = f[i];
    if (c == u'\'') {
      const size_t end = f.find(u'\'', i + 1);
      TField lit;
      lit.Text = f.substr(i + 1, (end == String::npos ? f.size() : end) - i - 1);
      if (end == i + 1) lit.Text = u"'";  // '' is a quote
      out.push_back(lit);
      i = end == String::npos ? f.size() : end + 1;
      continue;
    }
    int n = 1;
    while (i + n < f.size() && f[i + n] == c) ++n;
    TField fl;
    fl.Letters = n;
    switch (c) {
      case u'd': fl.Part = n >= 3 ? TPickerPart::DayName : TPickerPart::Day; break;
      case u'M': fl.Part = n >= 3 ? TPickerPart::MonthName : TPickerPart::Month; break;
      case u'y': fl.Part = TPickerPart::Year; break;
      case u'h': fl.Part = TPickerPart::Hour12; break;
      case u'H': fl.Part = TPickerPart::Hour24; break;
      case u'm': fl.Part = TPickerPart::Minute; break;
      case u's': fl.Part = TPickerPart::Second; break;
      case u't': fl.Part = TPickerPart::AmPm; break;
      default: fl.Part = TPickerPart::Literal; fl.Text = String(static_cast<size_t>(n), c); break;
    }
    out.push_back(fl);
    i += static_cast<size_t>(n);
  }
  return out;
}

int TDateTimePicker::FieldCount() const {
  int n = 0;
  for (const TField& f : Fields()) n += f.Part != TPickerPart::Literal;
  return n;
}

void TDateTimePicker::SetFieldIndex(int Value) {
  FField = std::clamp(Value, 0, std::max(0, FieldCount() - 1));
  FTyped.clear();
  SyncWidget();
}

String TDateTimePicker::FieldText(const TField& f) const {
  uint16_t y, mo, d, h, mi, s, ms;
  DecodeDateTime(FDateTime, y, mo, d, h, mi, s, ms);
  const TFormatSettings& fs = FormatSettings();
  const int n = f.Letters;
  switch (f.Part) {
    case TPickerPart::Literal: return f.Text;
    case TPickerPart::Day: return Padded(d, n);
    case TPickerPart::DayName: {
      const int w = DayOfWeek(FDateTime) - 1;
      return n == 3 ? fs.ShortDayNames[w] : fs.LongDayNames[w];
    }
    case TPickerPart::Month: return Padded(mo, n);
    case TPickerPart::MonthName: return n == 3 ? fs.ShortMonthNames[mo - 1] : fs.LongMonthNames[mo - 1];
    case TPickerPart::Year: return n <= 2 ? Padded(y % 100, n) : Padded(y, 4);
    case TPickerPart::Hour12: return Padded(h % 12 == 0 ? 12 : h % 12, n);
    case TPickerPart::Hour24: return Padded(h, n);
    case TPickerPart::Minute: return Padded(mi, n);
    case TPickerPart::Second: return Padded(s, n);
    case TPickerPart::AmPm: {
      const String t = h < 12 ? fs.TimeAMString : fs.TimePMString;
      return n == 1 ? t.substr(0, 1) : t;
    }
  }
  return String();
}

String TDateTimePicker::DisplayText() const {
  String out;
  for (const TField& f : Fields()) out += FieldText(f);
  return out;
}

int TDateTimePicker::FieldAtChar(int Pos) const {
  // A position on a field's edge belongs to it; one inside a literal to the field after it.
  int at = 0, index = -1;
  for (const TField& f : Fields()) {
    const int len = static_cast<int>(FieldText(f).size());
    if (f.Part != TPickerPart::Literal) {
      ++index;
      if (Pos <= at + len) return index;
    }
    at += len;
  }
  return index;
}

TDateTime TDateTimePicker::Clamp(TDateTime Value) const {
  if (FMinDate != 0 && Value < FMinDate) Value = FMinDate;
  if (FMaxDate != 0 && Value > FMaxDate) Value = FMaxDate;
  return Value;
}

void TDateTimePicker::SetDateTime(TDateTime Value) {
  FDateTime = Clamp(Value);
  SyncWidget();
}

TDateTime TDateTimePicker::Date() const { return std::floor(FDateTime); }

void TDateTimePicker::SetDate(TDateTime Value) { SetDateTime(std::floor(Value) + (FDateTime - std::floor(FDateTime))); }

TDateTime TDateTimePicker::Time() const { return FDateTime - std::floor(FDateTime); }

void TDateTimePicker::SetTime(TDateTime Value) { SetDateTime(std::floor(FDateTime) + (Value - std::floor(Value))); }

void TDateTimePicker::SetKind(TDateTimeKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  FField = 0;
  FTyped.clear();
  SyncWidget();
}

void TDateTimePicker::SetFormat(const String& Value) {
  FFormat = Value;
  FField = std::min(FField, std::max(0, FieldCount() - 1));
  FTyped.clear();
  SyncWidget();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value) {
  FDateMode = Value;
  if (Value == dmUpDown) CloseUp();
  SyncWidget();
}

void TDateTimePicker::SetShowCheckbox(bool Value) {
  FShowCheckbox = Value;
  SyncWidget();
}

void TDateTimePicker::SetChecked(bool Value) {
  FChecked = Value;
  if (FShowCheckbox) {
    // Through the set-time message, so that descendants see the date come and go.
    TSystemTime st = DateTimeToSystemTime(FDateTime);
    Perform(DTM_SETSYSTEMTIME, Value ? GDT_VALID : GDT_NONE, Value ? reinterpret_cast<intptr_t>(&st) : 0);
  }
  SyncWidget();
  Invalidate();
}

void TDateTimePicker::SetMinDate(TDateTime Value) {
  FMinDate = Value;
  SetDateTime(FDateTime);
}

void TDateTimePicker::SetMaxDate(TDateTime Value) {
  FMaxDate = Value;
  SetDateTime(FDateTime);
}

int TDateTimePicker::DropButtonWidth() const { return kPickerButtonWidth; }

void TDateTimePicker::DateTimeChanged(bool HasDate) {
  (void)HasDate;
  if (OnChange) OnChange(this);
}

void TDateTimePicker::NotifyDateTimeChange(bool HasDate) {
  if (TWinControl* p = Parent()) {
    TNMDateTimeChange n;
    n.Hdr.From = this;
    n.Hdr.Code = DTN_DATETIMECHANGE;
    n.Flags = HasDate ? GDT_VALID : GDT_NONE;
    if (HasDate) n.St = DateTimeToSystemTime(FDateTime);
    p->Perform(WM_NOTIFY, 0, reinterpret_cast<intptr_t>(&n));
    if (!confqt::IsAlive(this)) return;  // the parent's handler may free its editor
  }
  DateTimeChanged(HasDate);
}

void TDateTimePicker::UserSet(TDateTime Value) {
  Value = Clamp(Value);
  if (Value == FDateTime) {
    SyncWidget();
    return;
  }
  FDateTime = Value;
  SyncWidget();
  NotifyDateTimeChange(true);
}

void TDateTimePicker::StepField(int Delta) {
  std::vector<TField> fields = Fields();
  int index = -1;
  const TField* field = nullptr;
  for (const TField& f : fields) {
    if (f.Part != TPickerPart::Literal && ++index == FField) {
      field = &f;
      break;
    }
  }
  if (!field) return;
  uint16_t y, mo, d, h, mi, s, ms;
  DecodeDateTime(FDateTime, y, mo, d, h, mi, s, ms);
  int Y = y, M = mo, D = d, H = h, N = mi, S = s;
  auto wrap = [](int v, int lo, int hi) { return lo + ((v - lo) % (hi - lo + 1) + (hi - lo + 1)) % (hi - lo + 1); };
  switch (field->Part) {
    case TPickerPart::Day: D = wrap(D + Delta, 1, DaysInAMonth(Y, M)); break;
    case TPickerPart::DayName: {
      UserSet(FDateTime + Delta);
      return;
    }
    case TPickerPart::Month:
    case TPickerPart::MonthName: M = wrap(M + Delta, 1, 12); break;
    case TPickerPart::Year: Y = std::clamp(Y + Delta, 1601, 9999); break;
    case TPickerPart::Hour12:
    case TPickerPart::Hour24: H = wrap(H + Delta, 0, 23); break;
    case TPickerPart::Minute: N = wrap(N + Delta, 0, 59); break;
    case TPickerPart::Second: S = wrap(S + Delta, 0, 59); break;
    case TPickerPart::AmPm: H = (H + 12) % 24; break;
    case TPickerPart::Literal: return;
  }
  D = std::min(D, DaysInAMonth(Y, M));
  UserSet(EncodeDate(Y, M, D) + EncodeTime(H, N, S, 0));
}

void TDateTimePicker::DefaultKeyDown(Word Key, TShiftState Shift) {
  const bool dropping = FKind == dtkDate && FDateMode == dmComboBox;
  if (FDroppedDown) {
    if (Key == VK_ESCAPE || Key == VK_RETURN || Key == VK_F4) CloseUp();
    return;
  }
  switch (Key) {
    case VK_LEFT: SetFieldIndex(FField - 1); return;
    case VK_RIGHT: SetFieldIndex(FField + 1); return;
    case VK_HOME: SetFieldIndex(0); return;
    case VK_END: SetFieldIndex(FieldCount() - 1); return;
    case VK_UP:
    case VK_DOWN:
      if (Key == VK_DOWN && Shift.Contains(ssAlt) && dropping) {
        DropDown();
        return;
      }
      FTyped.clear();
      if (FChecked) StepField(Key == VK_UP ? 1 : -1);
      return;
    case VK_F4:
      if (dropping && !Shift.Contains(ssAlt)) DropDown();
      return;
    default: return;
  }
}

void TDateTimePicker::DefaultChar(Char Key) {
  if (Key == u' ' && FShowCheckbox) {
    FChecked = !FChecked;
    SyncWidget();
    Invalidate();
    NotifyDateTimeChange(FChecked);
    return;
  }
  if (!FChecked) return;
  std::vector<TField> fields = Fields();
  int index = -1;
  const TField* field = nullptr;
  for (const TField& f : fields) {
    if (f.Part != TPickerPart::Literal && ++index == FField) {
      field = &f;
      break;
    }
  }
  if (!field) return;
  uint16_t y, mo, d, h, mi, s, ms;
  DecodeDateTime(FDateTime, y, mo, d, h, mi, s, ms);
  int Y = y, M = mo, D = d, H = h, N = mi, S = s;
  if (field->Part == TPickerPart::AmPm) {
    const Char up = AnsiUpperCase(String(1, Key))[0];
    const bool am = up == AnsiUpperCase(FormatSettings().TimeAMString.substr(0, 1))[0];
    const bool pm = up == AnsiUpperCase(FormatSettings().TimePMString.substr(0, 1))[0];
    if (am && H >= 12) H -= 12;
    else if (pm && H < 12) H += 12;
    else return;
    UserSet(EncodeDate(Y, M, D) + EncodeTime(H, N, S, 0));
    return;
  }
  if (Key < u'0' || Key > u'9') return;
  const bool fourDigitYear = field->Part == TPickerPart::Year && field->Letters > 2;
  const size_t width = fourDigitYear ? 4 : 2;
  FTyped += Key;
  auto typedValue = [this] { return static_cast<int>(StrToInt(FTyped)); };
  auto fits = [&](int v) {
    switch (field->Part) {
      case TPickerPart::Day:
      case TPickerPart::DayName: return v >= 1 && v <= DaysInAMonth(Y, M);
      case TPickerPart::Month:
      case TPickerPart::MonthName: return v >= 1 && v <= 12;
      case TPickerPart::Hour12: return v >= 1 && v <= 12;
      case TPickerPart::Hour24: return v <= 23;
      case TPickerPart::Minute:
      case TPickerPart::Second: return v <= 59;
      default: return true;
    }
  };
  // A digit that would make no value starts the field over.
  if (field->Part != TPickerPart::Year && FTyped.size() > 1 && !fits(typedValue())) FTyped = String(1, Key);
  const int v = typedValue();
  bool take = fits(v);
  if (field->Part == TPickerPart::Year) {
    take = FTyped.size() == width;
    if (take && !fourDigitYear) Y = v + (v < 50 ? 2000 : 1900);
    else if (take) Y = std::max(v, 1601);
  }
  if (FTyped.size() >= width) FTyped.clear();
  if (!take) return;
  switch (field->Part) {
    case TPickerPart::Day:
    case TPickerPart::DayName: D = v; break;
    case TPickerPart::Month:
    case TPickerPart::MonthName: M = v; break;
    case TPickerPart::Hour12: H = (v % 12) + (H >= 12 ? 12 : 0); break;
    case TPickerPart::Hour24: H = v; break;
    case TPickerPart::Minute: N = v; break;
    case TPickerPart::Second: S = v; break;
    default: break;
  }
  D = std::min(D, DaysInAMonth(Y, M));
  UserSet(EncodeDate(Y, M, D) + EncodeTime(H, N, S, 0));
}

void TDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TWinControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !confqt::IsAlive(this)) return;
  if (FShowCheckbox && X < kCheckboxWidth) {
    FChecked = !FChecked;
    SyncWidget();
    Invalidate();
    NotifyDateTimeChange(FChecked);
    return;
  }
  if (FKind == dtkDate && FDateMode == dmComboBox && X >= ClientWidth() - kPickerButtonWidth) {
    if (FDroppedDown) CloseUp();
    else DropDown();
    return;
  }
  // A click in the text selects the field under it.
  if (auto* e = dynamic_cast<ConfDateTimeEdit*>(ExistingWidget())) {
    const int field = FieldAtChar(e->CharAt(QPoint(X, Y)));
    if (field >= 0) SetFieldIndex(field);
  }
}

void TDateTimePicker::DropDown() {
  if (FDroppedDown || FKind != dtkDate || FDateMode != dmComboBox) return;
  FDroppedDown = true;
  if (OnDropDown) OnDropDown(this);
  if (!FDroppedDown || confqt::Headless() || !ExistingWidget()) return;
  FPopup = MakeCalendarPopup(this, ExistingWidget());
  QObject::connect(FPopup, &QObject::destroyed, [this, popup = FPopup] {
    if (FPopup == popup) FPopup = nullptr;
  });
  const TPoint at = ClientToScreen(Point(0, Height()));
  FPopup->move(at.X, at.Y);
  FPopup->show();
}

void TDateTimePicker::HidePopup() {
  if (!FPopup) return;
  QWidget* p = FPopup;
  FPopup = nullptr;
  p->hide();
  p->deleteLater();
}

void TDateTimePicker::CloseUp() {
  if (!FDroppedDown) return;
  FDroppedDown = false;
  HidePopup();
  if (OnCloseUp) OnCloseUp(this);
}

void TDateTimePicker::PickCalendarDate(TDateTime Day) {
  CloseUp();
  if (!FChecked) FChecked = true;
  UserSet(std::floor(Day) + (FDateTime - std::floor(FDateTime)));
}

TSize TDateTimePicker::CalendarMinSize() const {
  confqt::EnsureApp();
  std::unique_ptr<QFrame> popup(MakeCalendarPopup(const_cast<TDateTimePicker*>(this), nullptr));
  const QSize s = popup->minimumSizeHint();
  return TSize{s.width(), s.height()};
}

void TDateTimePicker::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case DTM_SETSYSTEMTIME:
      Message.Result = 0;
      if (Message.WParam == GDT_NONE) {
        if (!FShowCheckbox) return;
        FChecked = false;
      } else if (Message.WParam == GDT_VALID && Message.LParam) {
        TDateTime day = 0, time = 0;
        const auto* st = reinterpret_cast<const TSystemTime*>(Message.LParam);
        if (!TryEncodeDate(st->wYear, st->wMonth, st->wDay, day) ||
            !TryEncodeTime(st->wHour, st->wMinute, st->wSecond, st->wMilliseconds, time))
          return;
        FDateTime = Clamp(day + time);
        FChecked = true;
      } else {
        return;
      }
      SyncWidget();
      Invalidate();
      Message.Result = 1;
      return;
    case CM_EXIT:
      CloseUp();
      FTyped.clear();
      TWinControl::WndProc(Message);
      return;
    default: TWinControl::WndProc(Message);
  }
}

QWidget* TDateTimePicker::CreateWidget(QWidget* parentWidget) {
  auto* e = new ConfDateTimeEdit(this, parentWidget);
  e->setFocusPolicy(Qt::NoFocus);
  // The fields change only through the control's messages.
  e->setReadOnly(true);
  return e;
}

void TDateTimePicker::SyncWidget() {
  TWinControl::SyncWidget();
  auto* e = dynamic_cast<ConfDateTimeEdit*>(ExistingWidget());
  if (!e) return;
  // The picker's letters in Qt's: the same letters, "y" and "yyy" widened, AM/PM as "AP".
  QString qf;
  for (const TField& f : Fields()) {
    if (f.Part == TPickerPart::Literal) {
      qf += QStringLiteral("'") + PickerQ(f.Text).replace(QStringLiteral("'"), QStringLiteral("''")) + QStringLiteral("'");
      continue;
    }
    const Char letter = f.Part == TPickerPart::Day || f.Part == TPickerPart::DayName ? u'd'
                        : f.Part == TPickerPart::Month || f.Part == TPickerPart::MonthName ? u'M'
                        : f.Part == TPickerPart::Year ? u'y'
                        : f.Part == TPickerPart::Hour12 ? u'h'
                        : f.Part == TPickerPart::Hour24 ? u'H'
                        : f.Part == TPickerPart::Minute ? u'm'
                        : f.Part == TPickerPart::Second ? u's' : u'A';
    int n = f.Letters;
    if (f.Part == TPickerPart::Year) n = n <= 2 ? 2 : 4;
    if (f.Part == TPickerPart::AmPm) {
      qf += QStringLiteral("AP");
      continue;
    }
    qf += QString(static_cast<int>(n), QChar(letter));
  }
  if (e->displayFormat() != qf) e->setDisplayFormat(qf);
  const QDateTime dt = ToQDateTime(FDateTime);
  if (e->dateTime() != dt) e->setDateTime(dt);
  const bool calendar = FKind == dtkDate && FDateMode == dmComboBox;
  if (e->calendarPopup() != calendar) e->setCalendarPopup(calendar);
  e->setButtonSymbols(calendar ? QAbstractSpinBox::NoButtons : QAbstractSpinBox::UpDownArrows);
  e->SetLeftMargin(FShowCheckbox ? kCheckboxWidth : 0);
  if (FField < e->sectionCount()) e->setCurrentSectionIndex(FField);
}
