#include "platform/Overlay.h"

#include "platform/Forms.h"

#include <QEvent>
#include <algorithm>
#include <utility>
#include <QGraphicsOpacityEffect>
#include <QImage>
#include <QPainter>
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

// The image a layered window shows in place of its own painting, with the constant alpha
// already applied, so a pixel lands as dst := src + dst x (255 - src alpha) / 255.
class LayeredImage : public QObject {
 public:
  using QObject::QObject;
  void Set(QImage premultiplied, uint8_t constantAlpha) {
    source_ = std::move(premultiplied);
    SetAlpha(constantAlpha);
  }
  void SetAlpha(uint8_t constantAlpha) {
    alpha_ = constantAlpha;
    shown_ = source_;
    if (alpha_ == 255) return;
    for (int y = 0; y < shown_.height(); ++y) {
      uchar* row = shown_.scanLine(y);
      for (int i = 0; i < shown_.width() * 4; ++i) row[i] = static_cast<uchar>((row[i] * alpha_ + 127) / 255);
    }
  }
  uint8_t Alpha() const { return alpha_; }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::Paint) return false;
    QPainter p(static_cast<QWidget*>(o));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(0, 0, shown_);
    return true;  // replaces the control's own painting
  }

 private:
  QImage source_, shown_;
  uint8_t alpha_ = 255;
};

// By C++ type: these helpers carry no meta-object of their own, so Qt's lookup cannot tell them
// from any other child object.
template <typename T>
T* HelperOf(QWidget* w) {
  for (QObject* o : w->children())
    if (auto* t = dynamic_cast<T*>(o)) return t;
  return nullptr;
}

LayeredImage* LayeredOf(QWidget* w) { return HelperOf<LayeredImage>(w); }

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

}  // namespace

void MakeOverlayWindow(TWinControl* Control, bool MouseTransparent) {
  QWidget* w = Control->Widget();
  w->setFocusPolicy(Qt::NoFocus);
  w->setAttribute(Qt::WA_ShowWithoutActivating);
  w->setAttribute(Qt::WA_TransparentForMouseEvents, MouseTransparent);
  if (!HelperOf<RaiseOnShow>(w)) w->installEventFilter(new RaiseOnShow(w));
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
  if (LayeredImage* layered = LayeredOf(w)) {
    layered->SetAlpha(Opacity);
    w->update();
    return;
  }
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
  if (LayeredImage* layered = LayeredOf(Control->Widget())) return layered->Alpha();
  auto* effect = dynamic_cast<QGraphicsOpacityEffect*>(Control->Widget()->graphicsEffect());
  if (!effect) return 255;
  return static_cast<uint8_t>(effect->opacity() * 255.0 + 0.5);
}

bool OverlayTakesFocus(TWinControl* Control) {
  QWidget* w = Control->Widget();
  return w->focusPolicy() != Qt::NoFocus || !w->testAttribute(Qt::WA_ShowWithoutActivating);
}

void UpdateOverlayLayered(TWinControl* Control, TBitmap* Premultiplied32, uint8_t ConstantAlpha) {
  if (!Premultiplied32) return;
  const int width = std::max(0, Premultiplied32->Width());
  const int height = std::max(0, Premultiplied32->Height());
  // Byte by byte: the bitmap's rows are blue, green, red, alpha whatever the host's byte order.
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  const bool opaque = Premultiplied32->PixelFormat() == pf24bit;
  for (int y = 0; y < height; ++y) {
    const uint8_t* s = Premultiplied32->ScanLine(y);
    auto* d = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const uint8_t* px = s + x * (opaque ? 3 : 4);
      const int a = opaque ? 255 : px[3];
      // A colour byte above its alpha is no premultiplied colour; left as it is it would carry
      // into the neighbouring channel when blended.
      d[x] = qRgba(std::min<int>(px[2], a), std::min<int>(px[1], a), std::min<int>(px[0], a), a);
    }
  }

  MakeOverlayWindow(Control, true);
  QWidget* w = Control->Widget();
  // The constant alpha takes the place of a whole-window opacity.
  if (dynamic_cast<QGraphicsOpacityEffect*>(w->graphicsEffect())) w->setGraphicsEffect(nullptr);
  LayeredImage* layered = LayeredOf(w);
  if (!layered) {
    layered = new LayeredImage(w);
    w->installEventFilter(layered);
  }
  layered->Set(std::move(image), ConstantAlpha);
  if (Control->Width() != width || Control->Height() != height) {
    // Not the control's own SetBounds: overlays may read their position in other coordinates.
    Control->TWinControl::SetBounds(Control->Left(), Control->Top(), width, height);
  }
  if (w->size() != QSize(width, height)) w->resize(width, height);
  w->update();
}
