#include "platform/StdCtrls.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyleOptionComboBox>

#include <algorithm>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/qt/ControlBackend.h"

namespace {
bool g_syncing = false;

struct SyncGuard {
  bool old;
  SyncGuard() : old(g_syncing) { g_syncing = true; }
  ~SyncGuard() { g_syncing = old; }
};

QString Q(const String& s) { return QString::fromStdU16String(s); }
String FromQ(const QString& s) { return s.toStdU16String(); }

// "&x" marks x as the accelerator; "&&" is a literal "&".
bool IsAccel(Char ch, const String& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    if (caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return AnsiUpperCase(String(1, caption[i + 1])) == AnsiUpperCase(String(1, ch));
  }
  return false;
}

void Entered(TControl* c, const std::function<void()>& fn) { confqt::Dispatch(c, fn); }

// Binds a TQtCanvas to a painter for the duration of a native-looking paint.
struct PaintCanvas {
  TQtCanvas canvas;
  explicit PaintCanvas(void* qp, TControl* c) {
    canvas.Bind(static_cast<QPainter*>(qp));
    canvas.Font()->Assign(c->Font());
  }
  ~PaintCanvas() { canvas.Unbind(); }
};

String JoinLines(TStrings* l) {
  String out;
  for (int i = 0; i < l->Count(); ++i) {
    if (i) out += u"\r\n";
    out += l->Strings(i);
  }
  return out;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// TLabel
TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  parentColor_ = true;
  width_ = 65;
  height_ = 17;
  controlStyle_.Include(csReplicatable);
}

void TLabel::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustBounds();
}

void TLabel::SetWordWrap(bool v) {
  wordWrap_ = v;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetShowAccelChar(bool v) {
  showAccelChar_ = v;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetText(const String& s) {
  TGraphicControl::SetText(s);
  AdjustBounds();
}

unsigned TLabel::DrawTextFlags() const {
  unsigned f = DT_EXPANDTABS;
  if (alignment_ == taRightJustify) f |= DT_RIGHT;
  else if (alignment_ == taCenter) f |= DT_CENTER;
  if (wordWrap_) f |= DT_WORDBREAK;
  if (!showAccelChar_) f |= DT_NOPREFIX;
  return f;
}

bool TLabel::TMeasure::Holds(const String& text, unsigned flags, int wrap, const TFont& f,
                             const TTextMetricsSource* metrics) const {
  return Valid && Text == text && Flags == flags && Wrap == wrap && FontName == f.Name() &&
         FontHeight == f.Height() && FontStyle == f.Style() && FontPitch == f.Pitch() && Charset == f.Charset() &&
         Orientation == f.Orientation() && Metrics == metrics;
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || IsDestroying() || ComponentState().Contains(TComponentStateFlag::csReading)) return;
  String text = text_;
  if (text.empty() || (showAccelChar_ && text == u"&")) text += u' ';
  const unsigned flags = (DrawTextFlags() & ~(DT_RIGHT | DT_CENTER)) | DT_CALCRECT;
  const int wrap = wordWrap_ ? width_ : 0;
  // A label hears of every font change of its parent, and most change nothing it is measured by:
  // the caption is measured again only when its text, font, wrap width or metrics differ.
  const TTextMetricsSource* metrics = idleCanvas_ ? idleCanvas_->Metrics() : DefaultTextMetrics();
  TRect r = Rect(0, 0, wrap, 0);
  if (!paintCanvas_ && measure_.Holds(text, flags, wrap, *font_, metrics)) {
    r.Right = measure_.Right;
    r.Bottom = measure_.Bottom;
  } else {
    TCanvas* c = Canvas();
    DrawText(c, text, r, flags);
    if (!paintCanvas_) {
      const TFont& f = *font_;
      measure_ = TMeasure{true, text, flags, wrap, f.Name(), f.Height(), f.Style(), f.Pitch(), f.Charset(),
                          f.Orientation(), c->Metrics(), r.Right, r.Bottom};
    }
  }
  int l = left_;
  if (alignment_ == taRightJustify) l = left_ + width_ - r.Right;
  SetBounds(l, top_, r.Right, r.Bottom);
}

void TLabel::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  if (!transparent_) {
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
  }
  c->Brush()->SetStyle(bsClear);
  String text = text_;
  unsigned flags = DrawTextFlags();
  if (layout_ != tlTop) {
    TRect calc = r;
    DrawText(c, text, calc, flags | DT_CALCRECT);
    int dy = r.Height() - calc.Height();
    if (layout_ == tlCenter) dy /= 2;
    OffsetRect(r, 0, dy);
  }
  if (!Enabled()) c->Font()->SetColor(clGrayText);
  DrawText(c, text, r, flags);
}

void TLabel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_FONTCHANGED:
      TGraphicControl::WndProc(m);
      AdjustBounds();
      return;
    case CM_DIALOGCHAR:
      if (focusControl_ && Enabled() && showAccelChar_ && IsAccel(static_cast<Char>(m.WParam), text_) &&
          focusControl_->CanFocus()) {
        focusControl_->SetFocus();
        m.Result = 1;
      }
      return;
    default:
      TGraphicControl::WndProc(m);
  }
}

// ---------------------------------------------------------------------------------------------
// TCustomEdit
TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  tabStop_ = true;
  width_ = 121;
  height_ = 21;
  color_ = clWindow;
}

namespace {
// A line edit over which its control may paint (a unit beside the text, for one).
class ConfLineEdit : public QLineEdit {
 public:
  ConfLineEdit(TCustomEdit* owner, QWidget* parent) : QLineEdit(parent), owner_(owner) {}

 protected:
  void paintEvent(QPaintEvent* e) override {
    QLineEdit::paintEvent(e);
    QPainter p(this);
    PaintCanvas pc(&p, owner_);
    try {
      owner_->PaintOverlay(&pc.canvas);
    } catch (...) {
      // Painting never raises to the user.
    }
  }

 private:
  TCustomEdit* owner_;
};
}  // namespace

TRect TCustomEdit::EditRect() const { return FHasEditRect ? FEditRect : ClientRect(); }

void TCustomEdit::SetEditRect(const TRect& R) {
  FHasEditRect = true;
  FEditRect = R;
  SyncWidget();
}

QWidget* TCustomEdit::CreateWidget(QWidget* parentWidget) {
  auto* e = new ConfLineEdit(this, parentWidget);
  e->setFocusPolicy(Qt::NoFocus);
  Backend()->nativeInput = true;
  // The mouse selects text natively; the caret and selection come back here.
  QObject::connect(e, &QLineEdit::selectionChanged, [this, e] {
    if (g_syncing) return;
    if (e->hasSelectedText()) {
      selStart_ = static_cast<int>(e->selectionStart());
      selLength_ = static_cast<int>(e->selectedText().size());
    } else {
      selStart_ = static_cast<int>(e->cursorPosition());
      selLength_ = 0;
    }
  });
  QObject::connect(e, &QLineEdit::cursorPositionChanged, [this, e](int, int pos) {
    if (g_syncing || e->hasSelectedText()) return;
    selStart_ = pos;
    selLength_ = 0;
  });
  return e;
}

void TCustomEdit::SyncWidget() {
  TWinControl::SyncWidget();
  auto* e = qobject_cast<QLineEdit*>(ExistingWidget());
  if (!e) return;
  SyncGuard guard;
  // Only what differs: several of these setters lay the edit out again or announce the caret
  // even when nothing changes.
  if (e->text() != Q(text_)) e->setText(Q(text_));
  if (e->isReadOnly() != readOnly_) e->setReadOnly(readOnly_);
  if (e->hasFrame() != (borderStyle_ != bsNone)) e->setFrame(borderStyle_ != bsNone);
  const QLineEdit::EchoMode echo = passwordChar_ ? QLineEdit::Password : QLineEdit::Normal;
  if (e->echoMode() != echo) e->setEchoMode(echo);
  const Qt::Alignment align = alignment_ == taRightJustify ? Qt::AlignRight | Qt::AlignVCenter
                              : alignment_ == taCenter     ? Qt::AlignHCenter | Qt::AlignVCenter
                                                           : Qt::AlignLeft | Qt::AlignVCenter;
  if (e->alignment() != align) e->setAlignment(align);
  if (FHasEditRect) {
    const QMargins margins(std::max(0, FEditRect.Left), std::max(0, FEditRect.Top),
                           std::max(0, ClientWidth() - FEditRect.Right), 0);
    if (e->textMargins() != margins) e->setTextMargins(margins);
  }
  if (selLength_ > 0) {
    if (e->selectionStart() != selStart_ || e->selectionLength() != selLength_ ||
        e->cursorPosition() != selStart_ + selLength_)
      e->setSelection(selStart_, selLength_);
  } else if (e->hasSelectedText() || e->cursorPosition() != selStart_) {
    e->setCursorPosition(selStart_);
  }
}

String TCustomEdit::ApplyCase(const String& s) const {
  switch (charCase_) {
    case ecUpperCase: return AnsiUpperCase(s);
    case ecLowerCase: return AnsiLowerCase(s);
    default: return s;
  }
}

void TCustomEdit::SetText(const String& s) {
  String t = ApplyCase(s);
  if (t == text_) return;
  text_ = t;
  selStart_ = 0;
  selLength_ = 0;
  SyncWidget();
  NotifyChange();
}

void TCustomEdit::NotifyChange() {
  Perform(CN_COMMAND, MakeWParam(0, EN_CHANGE), reinterpret_cast<intptr_t>(this));
}

int TCustomEdit::CharFromPos(TPoint P) const {
  TBitmap measure;
  measure.Canvas()->Font()->Assign(Font());
  const String shown = passwordChar_ ? String(text_.size(), passwordChar_) : text_;
  const int left = EditRect().Left + 1;
  int pos = 0;
  for (; pos < static_cast<int>(shown.size()); ++pos) {
    const int from = left + measure.Canvas()->TextWidth(shown.substr(0, static_cast<size_t>(pos)));
    const int to = left + measure.Canvas()->TextWidth(shown.substr(0, static_cast<size_t>(pos) + 1));
    if (P.X < (from + to) / 2) break;
  }
  return pos;
}

void TCustomEdit::ReplaceText(const String& s, int caret) {
  bool changed = s != text_;
  text_ = s;
  selStart_ = std::clamp(caret, 0, static_cast<int>(text_.size()));
  selLength_ = 0;
  SyncWidget();
  if (changed) {
    modified_ = true;
    NotifyChange();
  }
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::SetMaxLength(int n) { maxLength_ = std::max(0, n); }

void TCustomEdit::SetCharCase(TEditCharCase c) {
  charCase_ = c;
  String t = ApplyCase(text_);
  if (t != text_) {
    text_ = t;
    SyncWidget();
    Change();
  }
}

void TCustomEdit::SetReadOnly(bool v) {
  readOnly_ = v;
  SyncWidget();
}

void TCustomEdit::SetPasswordChar(Char c) {
  passwordChar_ = c;
  SyncWidget();
}

void TCustomEdit::SetAlignment(TAlignment a) {
  alignment_ = a;
  SyncWidget();
}

std::vector<int> TCustomEdit::LineStarts() const {
  if (!MultiLine()) return {0};
  int width = 0;
  if (WrapsLines()) width = formatRect_.IsEmpty() ? ClientWidth() : formatRect_.Width();
  TBitmap measure;
  measure.Canvas()->Font()->Assign(Font());
  return EditLineStarts(measure.Canvas(), text_, width);
}

int TCustomEdit::LineCount() const { return static_cast<int>(LineStarts().size()); }

int TCustomEdit::LineIndex(int Line) const {
  const std::vector<int> starts = LineStarts();
  return Line >= 0 && Line < static_cast<int>(starts.size()) ? starts[static_cast<size_t>(Line)] : -1;
}

int TCustomEdit::LineFromChar(int Pos) const {
  const std::vector<int> starts = LineStarts();
  const auto it = std::upper_bound(starts.begin(), starts.end(), Pos);
  return std::max(0, static_cast<int>(it - starts.begin()) - 1);
}

void TCustomEdit::SetSelStart(int v) {
  selStart_ = std::clamp(v, 0, static_cast<int>(text_.size()));
  selLength_ = 0;
  SyncWidget();
}

void TCustomEdit::SetSelLength(int v) {
  selLength_ = std::clamp(v, 0, static_cast<int>(text_.size()) - selStart_);
  SyncWidget();
}

String TCustomEdit::SelText() const { return text_.substr(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_)); }

void TCustomEdit::SetSelText(const String& s) {
  String ins = ApplyCase(s);
  String t = text_;
  t.replace(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_), ins);
  ReplaceText(t, selStart_ + static_cast<int>(ins.size()));
}

void TCustomEdit::SelectAll() {
  selStart_ = 0;
  selLength_ = static_cast<int>(text_.size());
  SyncWidget();
}

void TCustomEdit::CopyToClipboard() {
  if (selLength_ == 0 || passwordChar_) return;
  confqt::EnsureApp();
  QGuiApplication::clipboard()->setText(Q(SelText()));
}

void TCustomEdit::CutToClipboard() {
  if (readOnly_) return;
  CopyToClipboard();
  if (selLength_ > 0) SetSelText(String());
}

void TCustomEdit::PasteFromClipboard() {
  if (readOnly_) return;
  confqt::EnsureApp();
  String s = FromQ(QGuiApplication::clipboard()->text());
  if (!MultiLine()) {
    size_t nl = s.find_first_of(u"\r\n");
    if (nl != String::npos) s.resize(nl);
  }
  if (maxLength_ > 0) {
    int room = maxLength_ - (static_cast<int>(text_.size()) - selLength_);
    if (room < static_cast<int>(s.size())) s.resize(static_cast<size_t>(std::max(0, room)));
  }
  SetSelText(s);
}

void TCustomEdit::DefaultChar(Char key) {
  switch (key) {
    case 1: SelectAll(); return;
    case 3: CopyToClipboard(); return;
    case 22: PasteFromClipboard(); return;
    case 24: CutToClipboard(); return;
    case 8:
      if (readOnly_) return;
      if (selLength_ > 0) {
        SetSelText(String());
      } else if (selStart_ > 0) {
        String t = text_;
        t.erase(static_cast<size_t>(selStart_ - 1), 1);
        ReplaceText(t, selStart_ - 1);
      }
      return;
    default: break;
  }
  if (key < 32 || readOnly_) return;
  String ins = ApplyCase(String(1, key));
  if (maxLength_ > 0 && static_cast<int>(text_.size()) - selLength_ + 1 > maxLength_) return;
  SetSelText(ins);
}

void TCustomEdit::DefaultKeyDown(Word key, TShiftState shift) {
  int len = static_cast<int>(text_.size());
  int caret = selStart_ + selLength_;
  auto moveTo = [&](int pos) {
    pos = std::clamp(pos, 0, len);
    if (shift.Contains(ssShift)) {
      int anchor = selStart_;
      if (pos >= anchor) {
        selLength_ = pos - anchor;
      } else {
        selStart_ = pos;
        selLength_ = anchor - pos;
      }
    } else {
      selStart_ = pos;
      selLength_ = 0;
    }
    SyncWidget();
  };
  switch (key) {
    case VK_LEFT: moveTo(selLength_ > 0 && !shift.Contains(ssShift) ? selStart_ : caret - 1); return;
    case VK_RIGHT: moveTo(selLength_ > 0 && !shift.Contains(ssShift) ? caret : caret + 1); return;
    case VK_HOME: moveTo(0); return;
    case VK_END: moveTo(len); return;
    case VK_DELETE:
      if (readOnly_) return;
      if (shift.Contains(ssShift)) {
        CutToClipboard();
      } else if (selLength_ > 0) {
        SetSelText(String());
      } else if (selStart_ < len) {
        String t = text_;
        t.erase(static_cast<size_t>(selStart_), 1);
        ReplaceText(t, selStart_);
      }
      return;
    case VK_INSERT:
      if (shift.Contains(ssCtrl)) CopyToClipboard();
      else if (shift.Contains(ssShift)) PasteFromClipboard();
      return;
    default: return;
  }
}

void TCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_ENTER:
      if (autoSelect_ && !MultiLine() && !GetKeyState(VK_LBUTTON)) SelectAll();
      TWinControl::WndProc(m);
      return;
    case WM_CUT: CutToClipboard(); return;
    case WM_COPY: CopyToClipboard(); return;
    case WM_PASTE: PasteFromClipboard(); return;
    case WM_CLEAR: ClearSelection(); return;
    case CN_COMMAND:
      if (WParamHi(m.WParam) == EN_CHANGE) Change();
      return;
    case EM_GETSEL:
      m.Result = MakeLParam(selStart_, selStart_ + selLength_);
      return;
    case EM_SETSEL: {
      const int from = static_cast<int>(m.WParam), to = static_cast<int>(m.LParam);
      SetSelStart(from < 0 ? static_cast<int>(text_.size()) : from);
      if (to < 0) SetSelLength(static_cast<int>(text_.size()));
      else if (to > selStart_) SetSelLength(to - selStart_);
      return;
    }
    case EM_GETRECT:
      if (m.LParam) *reinterpret_cast<TRect*>(m.LParam) = EditRect();
      return;
    case EM_SETRECT:
    case EM_SETRECTNP:
      if (m.LParam) {
        SetEditRect(*reinterpret_cast<const TRect*>(m.LParam));
      } else {
        FHasEditRect = false;
        SyncWidget();
      }
      return;
    case EM_SETREADONLY:
      SetReadOnly(m.WParam != 0);
      m.Result = 1;
      return;
    case EM_CHARFROMPOS:
      m.Result = CharFromPos(Point(LParamX(m.LParam), LParamY(m.LParam))) & 0xFFFF;
      return;
    default: TWinControl::WndProc(m);
  }
}

// ---------------------------------------------------------------------------------------------
// TMemo
TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner), lines_(std::make_unique<TStringList>()) {
  width_ = 185;
  height_ = 89;
  autoSelect_ = false;
  lines_->OnChange = [this](TObject*) {
    if (syncingLines_) return;
    String t = JoinLines(lines_.get());
    if (t != text_) {
      text_ = t;
      selStart_ = 0;
      selLength_ = 0;
      SyncWidget();
      TCustomEdit::Change();
    }
  };
}

TMemo::~TMemo() { lines_->OnChange = nullptr; }

TStrings* TMemo::Lines() { return lines_.get(); }

void TMemo::SetText(const String& s) {
  String t = ApplyCase(s);
  if (t == text_) return;
  text_ = t;
  selStart_ = 0;
  selLength_ = 0;
  SyncWidget();
  Change();
}

void TMemo::Change() {
  syncingLines_ = true;
  try {
    lines_->SetText(text_);
  } catch (...) {
    syncingLines_ = false;
    throw;
  }
  syncingLines_ = false;
  TCustomEdit::Change();
}

void TMemo::SetWordWrap(bool v) {
  wordWrap_ = v;
  SyncWidget();
}

void TMemo::SetScrollBars(TScrollStyle s) {
  scrollBars_ = s;
  SyncWidget();
}

unsigned TMemo::DialogCode() const {
  unsigned r = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | DLGC_WANTALLKEYS;
  if (wantTabs_) r |= DLGC_WANTTAB;
  if (!wantReturns_) r &= ~static_cast<unsigned>(DLGC_WANTALLKEYS);
  return r;
}

void TMemo::DefaultChar(Char key) {
  if (readOnly_) return TCustomEdit::DefaultChar(key == 13 || key == 9 ? 0 : key);
  if (key == 13) {
    if (wantReturns_ || GetKeyState(VK_CONTROL) < 0) SetSelText(u"\r\n");
    return;
  }
  if (key == 10) {
    SetSelText(u"\r\n");
    return;
  }
  if (key == 9) {
    if (wantTabs_) SetSelText(u"\t");
    return;
  }
  TCustomEdit::DefaultChar(key);
}

void TMemo::DefaultKeyDown(Word key, TShiftState shift) { TCustomEdit::DefaultKeyDown(key, shift); }

QWidget* TMemo::CreateWidget(QWidget* parentWidget) {
  auto* e = new QPlainTextEdit(parentWidget);
  e->setFocusPolicy(Qt::NoFocus);
  Backend()->nativeInput = true;
  return e;
}

void TMemo::SyncWidget() {
  TWinControl::SyncWidget();
  auto* e = qobject_cast<QPlainTextEdit*>(ExistingWidget());
  if (!e) return;
  SyncGuard guard;
  QString t = Q(text_);
  t.replace("\r\n", "\n");
  if (e->toPlainText() != t) e->setPlainText(t);
  e->setReadOnly(readOnly_);
  e->setLineWrapMode(wordWrap_ ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  bool h = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
  bool v = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
  e->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  e->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

// ---------------------------------------------------------------------------------------------
// TComboBox
namespace {
class ConfComboBox : public QComboBox {
 public:
  ConfComboBox(TComboBox* owner, QWidget* parent) : QComboBox(parent), owner_(owner) {}
  void paintEvent(QPaintEvent* e) override {
    QComboBox::paintEvent(e);
    if (!owner_) return;
    QPainter painter(this);
    PaintCanvas pc(&painter, owner_);
    PaintFocusedList(pc);
    owner_->PaintOverlay(&pc.canvas);
  }
  // The focus stays with the platform, never with the Qt widget, so the style cannot see it:
  // a focused list without an edit shows its text selected inside a focus rectangle.
  void PaintFocusedList(PaintCanvas& pc) {
    if (isEditable() || !owner_->Focused()) return;
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    const TRect r = Rect(field.left() + 1, field.top() + 1, field.right(), field.bottom());
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    pc.canvas.Brush()->SetColor(clHighlight);
    pc.canvas.FillRect(r);
    pc.canvas.Font()->SetColor(clHighlightText);
    pc.canvas.Brush()->SetStyle(bsClear);
    TRect text = Rect(r.Left + 2, r.Top, r.Right - 1, r.Bottom);
    DrawText(&pc.canvas, FromQ(currentText()), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    pc.canvas.Brush()->SetStyle(bsSolid);
    pc.canvas.DrawFocusRect(r);
  }
  void showPopup() override {
    QComboBox::showPopup();
    if (!g_syncing && owner_) {
      Entered(owner_, [&] { owner_->SetDroppedDown(true); });
    }
  }
  void hidePopup() override {
    QComboBox::hidePopup();
    if (!g_syncing && owner_ && confqt::IsAlive(owner_)) {
      Entered(owner_, [&] { owner_->SetDroppedDown(false); });
    }
  }
  TComboBox* owner_;
};
}  // namespace

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner), items_(std::make_unique<TStringList>()) {
  tabStop_ = true;
  width_ = 145;
  height_ = 21;
  color_ = clWindow;
  items_->OnChange = [this](TObject*) { ItemsChanged(); };
}

TComboBox::~TComboBox() { items_->OnChange = nullptr; }

QWidget* TComboBox::CreateWidget(QWidget* parentWidget) {
  auto* c = new ConfComboBox(this, parentWidget);
  c->setFocusPolicy(Qt::NoFocus);
  Backend()->nativeInput = true;
  QObject::connect(c, qOverload<int>(&QComboBox::activated), [this](int index) {
    if (g_syncing) return;
    Entered(this, [&] { UserSelect(index); });
  });
  return c;
}

void TComboBox::SyncWidget() {
  TWinControl::SyncWidget();
  auto* c = qobject_cast<QComboBox*>(ExistingWidget());
  if (!c) return;
  SyncGuard guard;
  c->setEditable(style_ == csDropDown || style_ == csSimple);
  // The list is compared only after it changed, not on every sync of the caret or bounds.
  if (itemsDirty_ || c->count() != items_->Count()) {
    itemsDirty_ = false;
    // Compared with what the list was given (no text converted); a count the widget changed
    // itself is caught by the count.
    const size_t n = static_cast<size_t>(items_->Count());
    bool same = c->count() == items_->Count() && shownItems_.size() == n;
    for (size_t i = 0; same && i < n; ++i) same = shownItems_[i] == items_->Strings(static_cast<int>(i));
    if (!same) {
      QStringList list;
      list.reserve(items_->Count());
      shownItems_.clear();
      shownItems_.reserve(n);
      for (int i = 0; i < items_->Count(); ++i) {
        list << Q(items_->Strings(i));
        shownItems_.push_back(items_->Strings(i));
      }
      c->clear();
      c->addItems(list);
    }
  }
  c->setMaxVisibleItems(std::max(1, dropDownCount_));
  c->setCurrentIndex(itemIndex_);
  if (c->isEditable()) {
    if (c->lineEdit()->text() != Q(editText_)) c->lineEdit()->setText(Q(editText_));
    c->lineEdit()->setSelection(selStart_, selLength_);
  }
  // Asking for the list view makes Qt build the popup: only a width ever set goes to it.
  if (droppedWidth_ > 0 || viewWidthSet_) {
    c->view()->setMinimumWidth(droppedWidth_ > 0 ? droppedWidth_ : 0);
    viewWidthSet_ = droppedWidth_ > 0;
  }
}

void TComboBox::ItemsChanged() {
  itemsDirty_ = true;
  if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
  if (style_ == csDropDownList) editText_ = itemIndex_ >= 0 ? items_->Strings(itemIndex_) : String();
  SyncWidget();
}

void TComboBox::SetStyle(TComboBoxStyle s) {
  style_ = s;
  SyncWidget();
}

void TComboBox::SetItemIndex(int i) {
  if (i < -1 || i >= items_->Count()) i = -1;
  itemIndex_ = i;
  if (i >= 0) editText_ = items_->Strings(i);
  else if (style_ == csDropDownList) editText_.clear();
  selStart_ = static_cast<int>(editText_.size());
  selLength_ = 0;
  SyncWidget();
}

void TComboBox::SetSelStart(int v) {
  selStart_ = std::clamp(v, 0, static_cast<int>(editText_.size()));
  selLength_ = 0;
  SyncWidget();
}

void TComboBox::SetSelLength(int v) {
  selLength_ = std::clamp(v, 0, static_cast<int>(editText_.size()) - selStart_);
  SyncWidget();
}

void TComboBox::SetDroppedWidth(int v) {
  droppedWidth_ = v;
  SyncWidget();
}

int TComboBox::ItemHeight() const {
  if (itemHeight_ > 0) return itemHeight_;
  // Asked on every placement of the grid's combo editor: measured again only when the font changed.
  TFont* f = Font();
  if (measuredFor_.Name != f->Name() || measuredFor_.Height != f->Height() || measuredFor_.Style != f->Style()) {
    // The list's line: the font's text height and a pixel of spacing above and below.
    TBitmap measure;
    measure.Canvas()->Font()->Assign(f);
    measuredFor_ = {f->Name(), f->Height(), f->Style(), measure.Canvas()->TextHeight(u"Wg") + 2};
  }
  return measuredFor_.ItemHeight;
}

int TComboBox::ShownHeight() const {
  if (style_ == csSimple) return Height();
  const int field = (fieldHeight_ > 0 ? fieldHeight_ : ItemHeight()) + 6;
  return std::min(Height(), field);
}

void TComboBox::NotifyCommand(unsigned Code) {
  const uintptr_t w = MakeWParam(0, Code);
  const intptr_t l = reinterpret_cast<intptr_t>(this);
  if (Parent()) Parent()->Perform(WM_COMMAND, w, l);
  else Perform(CN_COMMAND, w, l);
}

bool TComboBox::TypeIntoEdit(const String& Insert) {
  String t = editText_;
  const int start = std::clamp(selStart_, 0, static_cast<int>(t.size()));
  const int len = std::clamp(selLength_, 0, static_cast<int>(t.size()) - start);
  if (maxLength_ > 0 && static_cast<int>(t.size()) - len + static_cast<int>(Insert.size()) > maxLength_) return false;
  t.replace(static_cast<size_t>(start), static_cast<size_t>(len), Insert);
  editText_ = t;
  selStart_ = start + static_cast<int>(Insert.size());
  selLength_ = 0;
  itemIndex_ = -1;
  SyncWidget();
  Change();
  if (confqt::IsAlive(this)) NotifyCommand(CBN_EDITCHANGE);
  return true;
}

String TComboBox::GetText() const {
  if (style_ == csDropDownList) return itemIndex_ >= 0 ? items_->Strings(itemIndex_) : String();
  return editText_;
}

void TComboBox::SetText(const String& s) {
  if (style_ == csDropDownList) {
    int i = items_->IndexOf(s);
    if (i >= 0) SetItemIndex(i);
    return;
  }
  editText_ = s;
  int i = -1;
  for (int k = 0; k < items_->Count(); ++k) {
    if (items_->Strings(k) == s) {
      i = k;
      break;
    }
  }
  itemIndex_ = i;
  selStart_ = static_cast<int>(editText_.size());
  selLength_ = 0;
  SyncWidget();
}

void TComboBox::SetSorted(bool v) {
  sorted_ = v;
  items_->SetSorted(v);
}

void TComboBox::Clear() {
  items_->Clear();
  itemIndex_ = -1;
  editText_.clear();
  SyncWidget();
}

void TComboBox::SetDroppedDown(bool v) {
  if (v == droppedDown_) return;
  droppedDown_ = v;
  if (auto* c = qobject_cast<QComboBox*>(ExistingWidget())) {
    SyncGuard guard;
    if (!confqt::Headless()) {
      if (v && !c->view()->isVisible()) c->showPopup();
      if (!v && c->view()->isVisible()) c->hidePopup();
    }
  }
  if (v) {
    if (OnDropDown) OnDropDown(this);
  } else {
    if (OnCloseUp) OnCloseUp(this);
  }
  if (confqt::IsAlive(this)) NotifyCommand(v ? CBN_DROPDOWN : CBN_CLOSEUP);
}

void TComboBox::UserSelect(int index) {
  if (index < -1 || index >= items_->Count()) return;
  itemIndex_ = index;
  editText_ = index >= 0 ? items_->Strings(index) : String();
  selStart_ = static_cast<int>(editText_.size());
  selLength_ = 0;
  SyncWidget();
  Click();
  if (!confqt::IsAlive(this)) return;
  Select();
  if (confqt::IsAlive(this)) NotifyCommand(CBN_SELCHANGE);
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TComboBox::Select() {
  if (OnSelect) OnSelect(this);
  else Change();
}

unsigned TComboBox::DialogCode() const { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TComboBox::DefaultKeyDown(Word key, TShiftState shift) {
  int n = items_->Count();
  if ((key == VK_F4 && !shift.Contains(ssAlt)) || ((key == VK_DOWN || key == VK_UP) && shift.Contains(ssAlt))) {
    SetDroppedDown(!droppedDown_);
    return;
  }
  if (style_ != csDropDownList && EditKeyDown(key, shift)) return;
  if (n == 0) return;
  int i = itemIndex_;
  switch (key) {
    case VK_UP: case VK_LEFT: i = std::max(0, i - 1); break;
    case VK_DOWN: case VK_RIGHT: i = std::min(n - 1, i + 1); break;
    case VK_HOME: i = 0; break;
    case VK_END: i = n - 1; break;
    case VK_PRIOR: i = std::max(0, i - std::max(1, dropDownCount_ - 1)); break;
    case VK_NEXT: i = std::min(n - 1, i + std::max(1, dropDownCount_ - 1)); break;
    default: return;
  }
  if (i != itemIndex_) UserSelect(i);
}

bool TComboBox::EditKeyDown(Word key, TShiftState shift) {
  const int n = static_cast<int>(editText_.size());
  const int caret = std::clamp(selStart_ + selLength_, 0, n);
  switch (key) {
    case VK_LEFT: SetSelStart(selLength_ > 0 ? selStart_ : std::max(0, caret - 1)); return true;
    case VK_RIGHT: SetSelStart(selLength_ > 0 ? caret : std::min(n, caret + 1)); return true;
    case VK_HOME: SetSelStart(0); return true;
    case VK_END: SetSelStart(n); return true;
    case VK_DELETE:
      if (shift.Contains(ssShift) || shift.Contains(ssCtrl)) return true;
      if (selLength_ == 0 && selStart_ < n) selLength_ = 1;
      if (selLength_ > 0) TypeIntoEdit(String());
      return true;
    default: return false;
  }
}

void TComboBox::DefaultChar(Char key) {
  if (style_ == csDropDownList) {
    if (key < 32 || !autoComplete_) return;
    // Typing a letter picks the next item that starts with it.
    int n = items_->Count();
    String k = AnsiUpperCase(String(1, key));
    for (int step = 1; step <= n; ++step) {
      int i = (std::max(itemIndex_, -1) + step) % n;
      const String& s = items_->Strings(i);
      if (!s.empty() && AnsiUpperCase(s.substr(0, 1)) == k) {
        if (i != itemIndex_) UserSelect(i);
        return;
      }
    }
    return;
  }
  if (key == 8) {
    if (selLength_ == 0) {
      if (selStart_ <= 0) return;
      selStart_ -= 1;
      selLength_ = 1;
    }
    TypeIntoEdit(String());
  } else if (key >= 32) {
    String ins(1, key);
    if (charCase_ == ecUpperCase) ins = AnsiUpperCase(ins);
    if (charCase_ == ecLowerCase) ins = AnsiLowerCase(ins);
    TypeIntoEdit(ins);
  }
}

void TComboBox::WndProc(TMessage& m) {
  if (m.Msg == WM_SETFOCUS) {
    // The edit part takes the focus with its whole text selected, as the window does.
    TWinControl::WndProc(m);
    if (style_ != csDropDownList) SelectAll();
    return;
  }
  if (m.Msg == CM_FOCUSCHANGED) {
    TWinControl::WndProc(m);
    if (style_ == csDropDownList) Invalidate();
    return;
  }
  if (m.Msg == CM_WANTSPECIALKEY) {
    Word k = static_cast<Word>(m.WParam);
    m.Result = (droppedDown_ && (k == VK_RETURN || k == VK_ESCAPE)) ? 1 : 0;
    return;
  }
  if (m.Msg == WM_KEYDOWN && droppedDown_) {
    Word k = static_cast<Word>(m.WParam);
    if (k == VK_RETURN || k == VK_ESCAPE) {
      TWinControl::WndProc(m);
      SetDroppedDown(false);
      return;
    }
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// Buttons
TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  tabStop_ = true;
  // Clicks are the button's own: press and release inside, Space, accelerator.
  controlStyle_.Exclude(csClickEvents);
  controlStyle_.Exclude(csDoubleClicks);
}

void TButtonControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = true;
      TWinControl::WndProc(m);
      Invalidate();
      return;
    case WM_LBUTTONUP: {
      bool was = pressed_;
      pressed_ = false;
      Invalidate();
      if (was && Enabled() && PtInRect(ClientRect(), Point(LParamX(m.LParam), LParamY(m.LParam)))) UserClicked();
      if (confqt::IsAlive(this)) TWinControl::WndProc(m);
      return;
    }
    case WM_KEYDOWN:
      TWinControl::WndProc(m);
      if (static_cast<Word>(m.WParam) == VK_SPACE) {
        spaceDown_ = true;
        Invalidate();
      }
      return;
    case WM_KEYUP:
      TWinControl::WndProc(m);
      if (static_cast<Word>(m.WParam) == VK_SPACE && spaceDown_) {
        spaceDown_ = false;
        Invalidate();
        UserClicked();
      }
      return;
    case WM_KILLFOCUS:
      spaceDown_ = false;
      TWinControl::WndProc(m);
      return;
    case WM_GETDLGCODE:
      m.Result = DLGC_BUTTON;
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<Char>(m.WParam), text_) && CanFocus()) {
        SetFocus();
        if (confqt::IsAlive(this) && Focused()) UserClicked();
        m.Result = 1;
      }
      return;
    case CM_FOCUSCHANGED:
      Invalidate();
      return;
    default:
      TWinControl::WndProc(m);
  }
}

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  parentColor_ = true;
  width_ = 97;
  height_ = 17;
}

void TCheckBox::SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }

void TCheckBox::SetState(TCheckBoxState s) {
  if (s == state_) return;
  state_ = s;
  Invalidate();
  // The class library raises OnClick for every change of state, by code or by the user.
  Click();
}

void TCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCheckBox::PaintTo(void* qp) {
  PaintCanvas pc(qp, this);
  TCanvas* c = &pc.canvas;
  TRect r = ClientRect();
  if (color_ != clNone) {
    c->Brush()->SetColor(color_);
    c->FillRect(r);
  }
  const int box = 13;
  int top = (r.Height() - box) / 2;
  bool boxLeft = alignment_ == taRightJustify;
  TRect br = boxLeft ? Bounds(0, top, box, box) : Bounds(r.Right - box, top, box, box);
  using namespace ThemeParts;
  int st = state_ == cbChecked ? CBS_CHECKEDNORMAL : state_ == cbGrayed ? CBS_MIXEDNORMAL : CBS_UNCHECKEDNORMAL;
  if (!Enabled()) st += 3;
  else if (pressed_ || spaceDown_) st += 2;
  ThemeDrawBackground(c, u"button", BP_CHECKBOX, st, br);
  TRect tr = boxLeft ? Rect(box + 4, 0, r.Right, r.Bottom) : Rect(0, 0, r.Right - box - 4, r.Bottom);
  c->Brush()->SetStyle(bsClear);
  if (!Enabled()) c->Font()->SetColor(clGrayText);
  unsigned flags = DT_VCENTER | DT_SINGLELINE | (wordWrap_ ? DT_WORDBREAK : 0u);
  DrawText(c, text_, tr, flags);
  if (Focused()) {
    TRect fr = tr;
    DrawText(c, text_, fr, flags | DT_CALCRECT);
    int h = fr.Height();
    fr = Rect(tr.Left - 1, (r.Height() - h) / 2 - 1, tr.Left + fr.Width() + 1, (r.Height() - h) / 2 + h + 1);
    c->Brush()->SetStyle(bsSolid);
    c->DrawFocusRect(fr);
  }
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  width_ = 75;
  height_ = 25;
  color_ = clBtnFace;
}

void TButton::Click() {
  if (TForm* f = GetParentForm(this)) f->SetModalResult(modalResult_);
  TButtonControl::Click();
}

void TButton::WndProc(TMessage& m) {
  if (m.Msg == CM_DIALOGCHAR) {
    // A push button's accelerator clicks it without taking the focus.
    if (IsAccel(static_cast<Char>(m.WParam), text_) && CanFocus()) {
      Click();
      m.Result = 1;
    }
    return;
  }
  if (m.Msg == CM_DIALOGKEY) {
    Word key = static_cast<Word>(m.WParam);
    TForm* f = GetParentForm(this);
    TWinControl* focused = f ? f->ActiveControl() : nullptr;
    bool focusedIsButton = false;
    if (focused) {
      String cls = UpperCase(focused->ClassName());
      focusedIsButton = Pos(u"BUTTON", cls) > 0 && Pos(u"RADIOBUTTON", cls) == 0;
    }
    bool active = focused == this || (default_ && !focusedIsButton);
    if (((key == VK_RETURN && active) || (key == VK_ESCAPE && cancel_)) &&
        KeyDataToShiftState(m.LParam).Empty() && CanFocus()) {
      Click();
      m.Result = 1;
    }
    return;
  }
  TButtonControl::WndProc(m);
}

void TButton::PaintTo(void* qp) {
  PaintCanvas pc(qp, this);
  TCanvas* c = &pc.canvas;
  TRect r = ClientRect();
  using namespace ThemeParts;
  int st = !Enabled() ? PBS_DISABLED : (pressed_ || spaceDown_) ? PBS_PRESSED : (Focused() || default_) ? PBS_DEFAULTED : PBS_NORMAL;
  ThemeDrawBackground(c, u"button", BP_PUSHBUTTON, st, r);
  c->Brush()->SetStyle(bsClear);
  if (!Enabled()) c->Font()->SetColor(clGrayText);
  TRect tr = r;
  DrawText(c, text_, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (Focused()) {
    TRect fr = r;
    InflateRect(fr, -3, -3);
    c->DrawFocusRect(fr);
  }
}

// ---------------------------------------------------------------------------------------------
// TListBox
TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner), items_(std::make_unique<TStringList>()) {
  tabStop_ = true;
  width_ = 121;
  height_ = 97;
  color_ = clWindow;
  items_->OnChange = [this](TObject*) { ItemsChanged(); };
}

TListBox::~TListBox() { items_->OnChange = nullptr; }

void TListBox::ItemsChanged() {
  if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
  Invalidate();
}

void TListBox::SetItemIndex(int i) {
  if (i < -1 || i >= items_->Count()) i = -1;
  itemIndex_ = i;
  if (i >= 0) {
    int visible = std::max(1, (height_ - 4) / std::max(1, itemHeight_));
    if (i < topIndex_) topIndex_ = i;
    if (i >= topIndex_ + visible) topIndex_ = i - visible + 1;
  }
  Invalidate();
}

void TListBox::SetSorted(bool v) {
  sorted_ = v;
  items_->SetSorted(v);
}

void TListBox::SetTopIndex(int i) {
  topIndex_ = std::clamp(i, 0, std::max(0, items_->Count() - 1));
  Invalidate();
}

int TListBox::ItemAtPos(TPoint p, bool Existing) const {
  if (p.Y < 2) return Existing ? -1 : topIndex_;
  int i = topIndex_ + (p.Y - 2) / std::max(1, itemHeight_);
  if (i >= items_->Count()) return Existing ? -1 : items_->Count();
  return i;
}

void TListBox::Clear() {
  items_->Clear();
  itemIndex_ = -1;
  topIndex_ = 0;
  Invalidate();
}

void TListBox::DefaultKeyDown(Word key, TShiftState) {
  int n = items_->Count();
  if (n == 0) return;
  int i = itemIndex_;
  int page = std::max(1, (height_ - 4) / std::max(1, itemHeight_) - 1);
  switch (key) {
    case VK_UP: i = std::max(0, i - 1); break;
    case VK_DOWN: i = std::min(n - 1, i + 1); break;
    case VK_HOME: i = 0; break;
    case VK_END: i = n - 1; break;
    case VK_PRIOR: i = std::max(0, i - page); break;
    case VK_NEXT: i = std::min(n - 1, i + page); break;
    default: return;
  }
  if (i != itemIndex_) {
    SetItemIndex(i);
    Click();
  }
}

void TListBox::WndProc(TMessage& m) {
  if (m.Msg == WM_LBUTTONDOWN) {
    int i = ItemAtPos(Point(LParamX(m.LParam), LParamY(m.LParam)), true);
    TWinControl::WndProc(m);
    if (i >= 0 && i != itemIndex_) {
      SetItemIndex(i);
      Click();
    }
    return;
  }
  if (m.Msg == CM_MOUSEWHEEL) {
    TWinControl::WndProc(m);
    if (m.Result == 0) {
      int delta = static_cast<int16_t>((m.WParam >> 16) & 0xFFFF);
      SetTopIndex(topIndex_ - delta / WHEEL_DELTA * WheelScrollLines());
      m.Result = 1;
    }
    return;
  }
  TWinControl::WndProc(m);
}

void TListBox::PaintTo(void* qp) {
  PaintCanvas pc(qp, this);
  TCanvas* c = &pc.canvas;
  TRect r = ClientRect();
  c->Brush()->SetColor(color_);
  c->FillRect(r);
  DrawEdge(c, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  c->IntersectClipRect(r);
  int y = r.Top;
  for (int i = topIndex_; i < items_->Count() && y < r.Bottom; ++i, y += itemHeight_) {
    TRect ir = Rect(r.Left, y, r.Right, y + itemHeight_);
    PaintItemPrefix(c, i, ir);
    bool sel = i == itemIndex_;
    c->Brush()->SetColor(sel ? clHighlight : color_);
    c->FillRect(ir);
    c->Font()->SetColor(sel ? clHighlightText : Font()->Color());
    c->Brush()->SetStyle(bsClear);
    TRect tr = Rect(ir.Left + 2, ir.Top, ir.Right, ir.Bottom);
    DrawText(c, items_->Strings(i), tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (sel && Focused()) {
      c->Brush()->SetStyle(bsSolid);
      c->DrawFocusRect(ir);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// TScrollBar
TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  tabStop_ = true;
  width_ = 121;
  height_ = 17;
}

QWidget* TScrollBar::CreateWidget(QWidget* parentWidget) {
  auto* s = new QScrollBar(kind_ == sbHorizontal ? Qt::Horizontal : Qt::Vertical, parentWidget);
  s->setFocusPolicy(Qt::NoFocus);
  Backend()->nativeInput = true;
  QObject::connect(s, &QAbstractSlider::actionTriggered, [this, s](int action) {
    if (syncing_) return;
    TScrollCode code = scEndScroll;
    switch (action) {
      case QAbstractSlider::SliderSingleStepAdd: code = scLineDown; break;
      case QAbstractSlider::SliderSingleStepSub: code = scLineUp; break;
      case QAbstractSlider::SliderPageStepAdd: code = scPageDown; break;
      case QAbstractSlider::SliderPageStepSub: code = scPageUp; break;
      case QAbstractSlider::SliderToMinimum: code = scTop; break;
      case QAbstractSlider::SliderToMaximum: code = scBottom; break;
      case QAbstractSlider::SliderMove: code = scTrack; break;
      default: return;
    }
    int pos = s->sliderPosition();
    Entered(this, [&] { Scroll(code, pos); });
    // Our position is the truth; Qt follows it.
    syncing_ = true;
    s->setSliderPosition(position_);
    syncing_ = false;
  });
  return s;
}

void TScrollBar::SyncWidget() {
  TWinControl::SyncWidget();
  auto* s = qobject_cast<QScrollBar*>(ExistingWidget());
  if (!s) return;
  syncing_ = true;
  s->setOrientation(kind_ == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
  s->setRange(min_, std::max(min_, max_ - std::max(0, pageSize_ - 1)));
  s->setPageStep(std::max(1, pageSize_ ? pageSize_ : largeChange_));
  s->setSingleStep(std::max(1, smallChange_));
  s->setValue(position_);
  syncing_ = false;
}

void TScrollBar::SetKind(TScrollBarKind k) {
  if (k == kind_) return;
  kind_ = k;
  std::swap(width_, height_);
  SyncGeometry();
  SyncWidget();
}

void TScrollBar::SetPageSize(int v) {
  pageSize_ = std::max(0, v);
  SyncWidget();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
  if (AMax < AMin) throw Exception(u"Scroll bar property out of range");
  min_ = AMin;
  max_ = AMax;
  int hi = pageSize_ > 1 ? std::max(min_, max_ - pageSize_ + 1) : max_;
  int pos = std::clamp(APosition, min_, hi);
  bool moved = pos != position_;
  position_ = pos;
  SyncWidget();
  if (moved && OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode Code, int Pos) {
  if (TWinControl* parent = Parent()) {
    const unsigned msg = kind_ == sbVertical ? WM_VSCROLL : WM_HSCROLL;
    parent->Perform(msg, MakeWParam(static_cast<Word>(Code), static_cast<Word>(Pos)), reinterpret_cast<intptr_t>(this));
    return;
  }
  DoScroll(Code, Pos);
}

void TScrollBar::DoScroll(TScrollCode Code, int Pos) {
  int p = position_;
  switch (Code) {
    case scLineUp: p -= smallChange_; break;
    case scLineDown: p += smallChange_; break;
    case scPageUp: p -= largeChange_; break;
    case scPageDown: p += largeChange_; break;
    case scPosition: case scTrack: p = Pos; break;
    case scTop: p = min_; break;
    case scBottom: p = max_; break;
    case scEndScroll: break;
  }
  int hi = pageSize_ > 1 ? std::max(min_, max_ - pageSize_ + 1) : max_;
  p = std::clamp(p, min_, hi);
  if (OnScroll) OnScroll(this, Code, p);
  SetPosition(p);
}

void TScrollBar::WndProc(TMessage& m) {
  if (m.Msg == CN_VSCROLL || m.Msg == CN_HSCROLL) {
    DoScroll(static_cast<TScrollCode>(m.WParam & 0xFFFF), static_cast<int>((m.WParam >> 16) & 0xFFFF));
    return;
  }
  if (m.Msg == WM_KEYDOWN) {
    TWinControl::WndProc(m);
    switch (static_cast<Word>(m.WParam)) {
      case VK_UP: case VK_LEFT: Scroll(scLineUp); break;
      case VK_DOWN: case VK_RIGHT: Scroll(scLineDown); break;
      case VK_PRIOR: Scroll(scPageUp); break;
      case VK_NEXT: Scroll(scPageDown); break;
      case VK_HOME: Scroll(scTop); break;
      case VK_END: Scroll(scBottom); break;
      default: break;
    }
    return;
  }
  TWinControl::WndProc(m);
}

TScrollBar::TParts TScrollBar::PartsIn(const TRect& R) const {
  TParts parts;
  const bool vertical = kind_ == sbVertical;
  const int length = vertical ? R.Height() : R.Width();
  const int thickness = vertical ? R.Width() : R.Height();
  const int arrow = std::min(thickness, length / 2);
  auto span = [&](int from, int to) {
    return vertical ? Rect(R.Left, R.Top + from, R.Right, R.Top + to)
                    : Rect(R.Left + from, R.Top, R.Left + to, R.Bottom);
  };
  parts.LineUp = span(0, arrow);
  parts.LineDown = span(length - arrow, length);
  const int track = length - 2 * arrow;
  // As a window's bar: the thumb shows the page against the whole range, never shorter than 8.
  const int range = max_ - min_ + 1;
  auto scale = [](int a, int b, int c) { return static_cast<int>(static_cast<int64_t>(a) * b / c); };
  int thumb = pageSize_ > 0 ? scale(track, pageSize_, range) : thickness;
  thumb = std::max(thumb, std::min(8, track));
  if (range <= 1 || thumb >= track || track <= 0) return parts;
  const int steps = range - std::max(1, pageSize_);
  const int at = steps > 0 ? std::min(track - thumb, scale(track - thumb, position_ - min_, steps)) : 0;
  parts.Thumb = span(arrow + at, arrow + at + thumb);
  return parts;
}

void TScrollBar::PaintOn(TCanvas* Canvas, const TRect& R) const {
  if (R.IsEmpty()) return;
  const bool vertical = kind_ == sbVertical;
  const unsigned look = Enabled() ? 0u : DFCS_INACTIVE;
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(clScrollBar);
  Canvas->FillRect(R);
  const TParts parts = PartsIn(R);
  DrawFrameControl(Canvas, parts.LineUp, DFC_SCROLL, look | (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT));
  DrawFrameControl(Canvas, parts.LineDown, DFC_SCROLL, look | (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT));
  if (Enabled() && !parts.Thumb.IsEmpty()) DrawFrameControl(Canvas, parts.Thumb, DFC_BUTTON, DFCS_BUTTONPUSH);
}
