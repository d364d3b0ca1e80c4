#include "platform/EditTips.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <map>
#include <memory>

#include "platform/qt/ControlBackend.h"

namespace {

int g_beeps = 0;

// The balloon: a frameless top-level tool window that shows without activating and refuses the
// focus, so the edit under it keeps typing. The text wraps at MaxWidth (when above 0).
class BalloonWidget : public QWidget {
 public:
  explicit BalloonWidget(const TEditBalloonTip& Tip, int MaxWidth = -1, TColor Back = clNone, TColor Ink = clNone)
      : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
        tip_(Tip),
        back_(Back == clNone ? QColor(0xFF, 0xFF, 0xE1) : ToQColor(Back)),
        ink_(Ink == clNone ? QColor(Qt::black) : ToQColor(Ink)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    const QFontMetrics fm(font());
    const int limit = MaxWidth > 0 ? MaxWidth : 1 << 20;
    text_ = fm.boundingRect(QRect(0, 0, limit, 1 << 20), TextFlags(), Q(tip_.Text)).size();
    const int titleWidth = tip_.Title.empty() ? 0 : fm.horizontalAdvance(Q(tip_.Title)) + kIcon + 4;
    resize(std::max(titleWidth, text_.width()) + 2 * kMargin, fm.height() + text_.height() + 3 * kMargin);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), back_);
    p.setPen(ink_);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QFontMetrics fm(font());
    int x = kMargin;
    if (tip_.Icon != TTI_NONE) {
      static const QColor kIconColors[] = {Qt::transparent, QColor(0, 0x66, 0xCC), QColor(0xE0, 0xA0, 0), Qt::red};
      p.setBrush(kIconColors[tip_.Icon & 3]);
      p.drawEllipse(x, kMargin, kIcon, kIcon);
      x += kIcon + 4;
    }
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.drawText(x, kMargin + fm.ascent(), Q(tip_.Title));
    p.setFont(font());
    p.drawText(QRect(QPoint(kMargin, 2 * kMargin + fm.height()), text_), TextFlags(), Q(tip_.Text));
  }

 private:
  static int TextFlags() { return Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap; }
  static QString Q(const String& s) { return QString::fromStdU16String(s); }
  static constexpr int kMargin = 6;
  static constexpr int kIcon = 14;
  TEditBalloonTip tip_;
  QColor back_, ink_;
  QSize text_;
};

struct Balloon {
  TEditBalloonTip Tip;
  QPointer<QWidget> Window;
};

std::map<const TWinControl*, Balloon>& Balloons() {
  static std::map<const TWinControl*, Balloon> m;
  return m;
}

// Forgets the balloons of controls that are gone.
void Prune() {
  auto& m = Balloons();
  for (auto it = m.begin(); it != m.end();) {
    if (!confqt::IsAlive(it->first)) {
      if (it->second.Window) it->second.Window->close();
      it = m.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace

void MessageBeep(unsigned Type) {
  (void)Type;
  ++g_beeps;
  confqt::EnsureApp();
  QApplication::beep();
}

int MessageBeepCount() { return g_beeps; }

bool ClipboardHasText() {
  confqt::EnsureApp();
  return !QGuiApplication::clipboard()->text().isEmpty();
}

String ClipboardText() {
  confqt::EnsureApp();
  return QGuiApplication::clipboard()->text().toStdU16String();
}

void SetClipboardText(const String& Text) {
  confqt::EnsureApp();
  QGuiApplication::clipboard()->setText(QString::fromStdU16String(Text));
}

bool Edit_ShowBalloonTip(TWinControl* Edit, const TEditBalloonTip& Tip) {
  if (!Edit) return false;
  Prune();
  Edit_HideBalloonTip(Edit);
  confqt::EnsureApp();
  auto* w = new BalloonWidget(Tip);
  const TPoint at = Edit->ClientToScreen(TPoint{0, Edit->Height()});
  w->move(at.X, at.Y);
  w->show();
  Balloons()[Edit] = Balloon{Tip, w};
  return true;
}

void Edit_HideBalloonTip(TWinControl* Edit) {
  auto& m = Balloons();
  auto it = m.find(Edit);
  if (it == m.end()) return;
  if (it->second.Window) it->second.Window->close();
  m.erase(it);
}

bool Edit_BalloonTipShown(TWinControl* Edit, TEditBalloonTip* Tip) {
  Prune();
  auto it = Balloons().find(Edit);
  if (it == Balloons().end() || !it->second.Window || !it->second.Window->isVisible()) return false;
  if (Tip) *Tip = it->second.Tip;
  return true;
}

bool Edit_BalloonTipTakesFocus(TWinControl* Edit) {
  auto it = Balloons().find(Edit);
  if (it == Balloons().end() || !it->second.Window) return false;
  QWidget* w = it->second.Window;
  return w->focusPolicy() != Qt::NoFocus || !w->testAttribute(Qt::WA_ShowWithoutActivating) ||
         !(w->windowFlags() & Qt::WindowDoesNotAcceptFocus) || w->hasFocus();
}

// What follows the mouse over the owner: the initial and automatic-hide timers and the shown
// balloon. Qt's own mouse events drive it (the tooltip window watches the owner itself).
struct TBalloonToolTip::THover : QObject {
  explicit THover(TBalloonToolTip* Tip) : FTip(Tip) {
    FInitial.setSingleShot(true);
    FAutoPop.setSingleShot(true);
    QObject::connect(&FInitial, &QTimer::timeout, this, [this] {
      TWinControl* owner = FTip->FOwner;
      confqt::Dispatch(owner, [this] { FTip->Activate(GetCursorPos()); });
    });
    QObject::connect(&FAutoPop, &QTimer::timeout, this, [this] { FTip->Pop(); });
    qApp->installEventFilter(this);
  }
  ~THover() override {
    if (Window) Window->close();
  }
  bool OverOwner(QObject* Watched) const {
    for (TControl* c = confqt::ControlOf(Watched); c; c = c->Parent())
      if (c == FTip->FOwner) return true;
    return false;
  }
  bool eventFilter(QObject* Watched, QEvent* E) override {
    switch (E->type()) {
      case QEvent::MouseMove:
        if (OverOwner(Watched) && !(Window && Window->isVisible())) {
          const int d = FTip->DelayTime(TTDT_INITIAL);
          FInitial.start(d >= 0 ? d : 500);
        }
        break;
      case QEvent::Leave:
      case QEvent::MouseButtonPress:
        if (OverOwner(Watched)) {
          FInitial.stop();
          FTip->Pop();
        }
        break;
      default: break;
    }
    return false;
  }
  TBalloonToolTip* FTip;
  QTimer FInitial, FAutoPop;
  QPointer<QWidget> Window;
  TEditBalloonTip Shown;
};

TBalloonToolTip::TBalloonToolTip(TWinControl* Owner) : FOwner(Owner) {
  confqt::EnsureApp();
  FHover = std::make_unique<THover>(this);
}

TBalloonToolTip::~TBalloonToolTip() = default;

void TBalloonToolTip::SetTitle(const String& Title, int Icon) {
  FTitle = Title;
  FIcon = Icon >= TTI_NONE && Icon <= TTI_ERROR ? Icon : TTI_NONE;
}

void TBalloonToolTip::SetDelayTime(int Which, int Milliseconds) {
  if (Which >= TTDT_RESHOW && Which <= TTDT_INITIAL) FDelays[Which - 1] = Milliseconds;
}

int TBalloonToolTip::DelayTime(int Which) const {
  return Which >= TTDT_RESHOW && Which <= TTDT_INITIAL ? FDelays[Which - 1] : -1;
}

bool TBalloonToolTip::Activate(TPoint ScreenPos) {
  Pop();
  TToolTipText info;
  info.Hdr.From = FOwner;
  info.Hdr.IdFrom = reinterpret_cast<uintptr_t>(FOwner);
  info.Hdr.Code = TTN_GETDISPINFO;
  FOwner->Perform(WM_NOTIFY, info.Hdr.IdFrom, reinterpret_cast<intptr_t>(&info));
  if (!info.Text || !*info.Text) return false;
  TEditBalloonTip tip{FTitle, String(), FIcon};
  // Line breaks of any kind as one.
  for (const Char* c = info.Text; *c; ++c) {
    if (*c == u'\r' && c[1] == u'\n') continue;
    tip.Text += *c == u'\r' ? u'\n' : *c;
  }
  FHover->Shown = tip;
  auto* w = new BalloonWidget(tip, FMaxTipWidth, FBkColor, FTextColor);
  w->setWindowOpacity(FAlpha / 255.0);
  w->move(ScreenPos.X, ScreenPos.Y + 16);
  FHover->Window = w;
  if (!confqt::Headless()) w->show();
  const int autoPop = DelayTime(TTDT_AUTOPOP);
  FHover->FAutoPop.start(autoPop >= 0 ? autoPop : 5000);
  return true;
}

void TBalloonToolTip::Pop() {
  FHover->FAutoPop.stop();
  if (FHover->Window) FHover->Window->close();
  FHover->Window = nullptr;
}

bool TBalloonToolTip::Showing(TEditBalloonTip* Tip) const {
  if (!FHover->Window) return false;
  if (Tip) *Tip = FHover->Shown;
  return true;
}
