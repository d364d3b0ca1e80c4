#include "platform/PopupForm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "platform/qt/ControlBackend.h"
#include "platform/qt/QtCanvas.h"

namespace {
std::vector<TMonitorInfo>& PopupTestMonitors() {
  static std::vector<TMonitorInfo> v;
  return v;
}

TPopupForm::TSizingSeam& PopupSizingSeam() {
  static TPopupForm::TSizingSeam seam;
  return seam;
}

TRect PopupRectOf(const QRect& g) { return Rect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height()); }

// Squared distance from P to R (0 inside).
int64_t PopupDistance(TPoint P, const TRect& R) {
  const int64_t dx = P.X < R.Left ? R.Left - P.X : P.X >= R.Right ? P.X - R.Right + 1 : 0;
  const int64_t dy = P.Y < R.Top ? R.Top - P.Y : P.Y >= R.Bottom ? P.Y - R.Bottom + 1 : 0;
  return dx * dx + dy * dy;
}

// Losing activation to a window outside the program reaches the popup as WM_ACTIVATE too.
class PopupDeactivateFilter : public QObject {
 public:
  explicit PopupDeactivateFilter(TPopupForm* Form) : FForm(Form) {}
  bool eventFilter(QObject* Object, QEvent* Event) override {
    if (Event->type() == QEvent::WindowDeactivate && confqt::IsAlive(FForm) && FForm->Visible() &&
        FForm->ExistingWidget() == Object && Screen->ActiveForm() == FForm) {
      confqt::Dispatch(FForm, [&] { FForm->Perform(WM_ACTIVATE, WA_INACTIVE, 0); });
    }
    return false;
  }

 private:
  TPopupForm* FForm;
};
}  // namespace

std::vector<TMonitorInfo> Monitors() {
  if (!PopupTestMonitors().empty()) return PopupTestMonitors();
  confqt::EnsureApp();
  std::vector<TMonitorInfo> list;
  QScreen* primary = QGuiApplication::primaryScreen();
  if (primary) list.push_back({PopupRectOf(primary->geometry()), PopupRectOf(primary->availableGeometry())});
  for (QScreen* s : QGuiApplication::screens()) {
    if (s != primary) list.push_back({PopupRectOf(s->geometry()), PopupRectOf(s->availableGeometry())});
  }
  return list;
}

TRect MonitorWorkAreaNear(TPoint P) {
  const std::vector<TMonitorInfo> list = Monitors();
  if (list.empty()) return Rect(0, 0, 1024, 768);
  const TMonitorInfo* best = &list.front();
  int64_t bestDistance = PopupDistance(P, best->BoundsRect);
  for (const TMonitorInfo& m : list) {
    const int64_t d = PopupDistance(P, m.BoundsRect);
    if (d < bestDistance) {
      best = &m;
      bestDistance = d;
    }
  }
  return best->WorkareaRect;
}

void SetTestMonitors(std::vector<TMonitorInfo> List) { PopupTestMonitors() = std::move(List); }

TPopupForm::TPopupForm(TComponent* AOwner) : TForm(AOwner) { SetBorderStyle(bsNone); }

void TPopupForm::SetOwnerForm(TForm* Value) {
  if (Value == FOwnerForm) return;
  if (FOwnerForm) FOwnerForm->RemoveFreeNotification(this);
  FOwnerForm = Value;
  if (FOwnerForm) FOwnerForm->FreeNotification(this);
  if (QWidget* w = ExistingWidget()) {
    QWidget* ownerWidget = FOwnerForm ? FOwnerForm->Widget() : nullptr;
    const bool shown = w->isVisible();
    w->setParent(ownerWidget, w->windowFlags());
    if (shown) w->show();
  }
}

void TPopupForm::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FOwnerForm) FOwnerForm = nullptr;
}

void TPopupForm::SetMinSize(int Width, int Height) {
  FMinWidth = std::max(0, Width);
  FMinHeight = std::max(0, Height);
  if (this->Width() < FMinWidth || this->Height() < FMinHeight)
    SetBounds(Left(), Top(), this->Width(), this->Height());
}

void TPopupForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TForm::SetBounds(ALeft, ATop, std::max(AWidth, FMinWidth), std::max(AHeight, FMinHeight));
}

void TPopupForm::SetVisible(bool v) {
  if (v == Visible()) return;
  TForm* before = Screen->ActiveForm();
  TForm::SetVisible(v);
  if (!v || !Visible()) return;
  if (before && before != this && before->Visible())
    before->Perform(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<intptr_t>(this));
  Perform(WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<intptr_t>(before == this ? nullptr : before));
  if (QWidget* w = ExistingWidget(); w && !confqt::Headless()) {
    w->raise();
    w->activateWindow();
  }
}

QWidget* TPopupForm::CreateWidget(QWidget* parentWidget) {
  QWidget* w = TForm::CreateWidget(parentWidget);
  if (FOwnerForm) {
    if (QWidget* ownerWidget = FOwnerForm->Widget()) w->setParent(ownerWidget, w->windowFlags());
  }
  w->installEventFilter(new PopupDeactivateFilter(this));
  return w;
}

void TPopupForm::StartSizing() {
  if (PopupSizingSeam()) {
    int w = Width(), h = Height();
    if (PopupSizingSeam()(this, w, h)) UserSized(w, h);
    return;
  }
  QWidget* widget = ExistingWidget();
  if (widget && widget->windowHandle()) widget->windowHandle()->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
}

void TPopupForm::UserSized(int Width, int Height) {
  TRect r = Rect(Left(), Top(), Left() + std::max(Width, FMinWidth), Top() + std::max(Height, FMinHeight));
  Perform(WM_SIZING, 8 /* bottom-right corner */, reinterpret_cast<intptr_t>(&r));
  SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TPopupForm::SetSizingSeam(TSizingSeam Seam) { PopupSizingSeam() = std::move(Seam); }

void TPopupForm::PaintTo(void* qpainter) {
  TForm::PaintTo(qpainter);
  TQtCanvas canvas;
  canvas.Bind(static_cast<QPainter*>(qpainter));
  canvas.Font()->Assign(Font());
  try {
    PaintForm(&canvas);
  } catch (...) {
    // Painting never raises to the user.
  }
  canvas.Unbind();
}
