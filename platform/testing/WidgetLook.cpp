#include "platform/testing/WidgetLook.h"

#include <QApplication>
#include <QWidget>

#include "platform/qt/ControlBackend.h"

TShownLook ShownLook(TControl* Control) {
  TShownLook look;
  QWidget* w = Control ? Control->ExistingWidget() : nullptr;
  if (!w) return look;
  look.HasWidget = true;
  const QFont f = w->font();
  look.Family = f.family().toStdU16String();
  look.PixelSize = f.pixelSize();
  look.Bold = f.bold();
  look.Ground = FromQColor(w->palette().color(QPalette::Window));
  look.Ink = FromQColor(w->palette().color(QPalette::WindowText));
  return look;
}

int LiveWidgetCount() {
  confqt::EnsureApp();
  return static_cast<int>(QApplication::allWidgets().size());
}

void DeleteDeferredWidgets() {
  confqt::EnsureApp();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
