#include "platform/EditTips.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>

#include "platform/qt/ControlBackend.h"

namespace {

int g_beeps = 0;

// The balloon: a frameless top-level tool window that shows without activating and refuses the
// focus, so the edit under it keeps typing.
class BalloonWidget : public QWidget {
 public:
  explicit BalloonWidget(const TEditBalloonTip& Tip)
      : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), tip_(Tip) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    const QFontMetrics fm(font());
    const int textWidth = std::max(fm.horizontalAdvance(Q(tip_.Title)) + kIcon + 4, fm.horizontalAdvance(Q(tip_.Text)));
    resize(textWidth + 2 * kMargin, 2 * fm.height() + 3 * kMargin);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xFF, 0xFF, 0xE1));
    p.setPen(Qt::black);
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
    p.drawText(kMargin, 2 * kMargin + fm.height() + fm.ascent(), Q(tip_.Text));
  }

 private:
  static QString Q(const String& s) { return QString::fromStdU16String(s); }
  static constexpr int kMargin = 6;
  static constexpr int kIcon = 14;
  TEditBalloonTip tip_;
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
