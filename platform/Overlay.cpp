#include "platform/Overlay.h"

#include "platform/Forms.h"

#include <QEvent>
#include <algorithm>
#include <QGraphicsOpacityEffect>
#include <QPolygon>
#include <QRegion>
#include <QWidget>

namespace {

// Raises the window above its siblings each time it is shown.
class RaiseOnShow : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Show) static_cast<QWidget*>(o)->raise();
    return false;
  }
};

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

}  // namespace

void MakeOverlayWindow(TWinControl* Control, bool MouseTransparent) {
  QWidget* w = Control->Widget();
  w->setFocusPolicy(Qt::NoFocus);
  w->setAttribute(Qt::WA_ShowWithoutActivating);
  w->setAttribute(Qt::WA_TransparentForMouseEvents, MouseTransparent);
  if (!w->findChild<RaiseOnShow*>(QString(), Qt::FindDirectChildrenOnly)) w->installEventFilter(new RaiseOnShow(w));
  w->raise();
}

void AttachOverlayToForm(TWinControl* Control) {
  TForm* form = GetParentForm(Control);
  if (!form) return;
  QWidget* w = Control->Widget();
  QWidget* top = form->Widget();
  if (w->parentWidget() != top) {
    w->setParent(top);  // hides the window
    w->setGeometry(Control->Left(), Control->Top(), std::max(0, Control->Width()), std::max(0, Control->Height()));
    w->setVisible(Control->Visible());
  }
  w->raise();
}

bool OverlayInFormWindow(TWinControl* Control) {
  TForm* form = GetParentForm(Control);
  return form && Control->Widget()->parentWidget() == form->Widget();
}

void SetOverlayPolygon(TWinControl* Control, const std::vector<TPoint>& Points) {
  QPolygon poly;
  for (const TPoint& p : Points) poly << QPoint(p.X, p.Y);
  Control->Widget()->setMask(QRegion(poly, Qt::WindingFill));
}

void SetOverlayFrame(TWinControl* Control, const TRect& Outer, const TRect& Hole) {
  Control->Widget()->setMask(QRegion(ToQRect(Outer)).subtracted(QRegion(ToQRect(Hole))));
}

void SetOverlayOpacity(TWinControl* Control, uint8_t Opacity) {
  QWidget* w = Control->Widget();
  auto* effect = dynamic_cast<QGraphicsOpacityEffect*>(w->graphicsEffect());
  if (!effect) {
    effect = new QGraphicsOpacityEffect(w);
    w->setGraphicsEffect(effect);
  }
  effect->setOpacity(Opacity / 255.0);
}

bool OverlayShapeContains(TWinControl* Control, TPoint P) {
  const QRegion mask = Control->Widget()->mask();
  return mask.isEmpty() || mask.contains(QPoint(P.X, P.Y));
}

uint8_t OverlayOpacity(TWinControl* Control) {
  auto* effect = dynamic_cast<QGraphicsOpacityEffect*>(Control->Widget()->graphicsEffect());
  if (!effect) return 255;
  return static_cast<uint8_t>(effect->opacity() * 255.0 + 0.5);
}

bool OverlayTakesFocus(TWinControl* Control) {
  QWidget* w = Control->Widget();
  return w->focusPolicy() != Qt::NoFocus || !w->testAttribute(Qt::WA_ShowWithoutActivating);
}
