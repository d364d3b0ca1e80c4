#include "platform/testing/ExposedWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "platform/testing/QtIdle.h"

bool ExposeFormWindow(TForm* Form, int LimitMs) {
  QWidget* w = Form ? Form->Widget() : nullptr;
  if (!w) return false;
  if (!conftesting::ShowUntilIdle([w] { w->show(); }, LimitMs)) return false;
  QWindow* handle = w->windowHandle();
  return handle && handle->isExposed();
}

void RunQtEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

std::unique_ptr<TBitmap> WindowPixels(TForm* Form) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  QWidget* w = Form ? Form->ExistingWidget() : nullptr;
  QScreen* screen = w && w->windowHandle() ? w->windowHandle()->screen() : QGuiApplication::primaryScreen();
  if (!w || !screen) return bitmap;
  // The offscreen platform answers from the window's backing store: the pixels painted so far.
  const QImage img = screen->grabWindow(w->winId()).toImage();
  if (img.isNull()) return bitmap;
  bitmap->SetSize(img.width(), img.height());
  *bitmap->MutableImage() = img.convertToFormat(bitmap->MutableImage()->format());
  return bitmap;
}
