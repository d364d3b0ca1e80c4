#pragma once
// Test support, Qt side only: runs Qt's event loop until a window has painted once and the loop
// has nothing left to do (it is about to wait for new events). The program's start-up probe and
// the bare Qt window of the start-up benchmark both stop here, so both measure the same point.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace conftesting {

// Notes the first paint of any top-level window.
class WindowPaintWatch : public QObject {
 public:
  bool Painted = false;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow()) Painted = true;
    return QObject::eventFilter(o, e);
  }
};

// Show makes the window visible (watched from before it runs). Returns false when no window
// painted within LimitMs (a window system that never exposes it): the caller's figure would then
// mean nothing.
inline bool ShowUntilIdle(const std::function<void()>& Show, int LimitMs = 10000) {
  WindowPaintWatch watch;
  QCoreApplication::instance()->installEventFilter(&watch);
  Show();
  QEventLoop loop;
  bool timedOut = false;
  QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
    if (watch.Painted) loop.quit();
  });
  QTimer limit;
  limit.setSingleShot(true);
  QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    loop.quit();
  });
  limit.start(LimitMs);
  loop.exec();
  QCoreApplication::instance()->removeEventFilter(&watch);
  return !timedOut && watch.Painted;
}

}  // namespace conftesting
