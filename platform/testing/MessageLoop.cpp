#include "platform/testing/MessageLoop.h"

#include <QEventLoop>
#include <QTimer>

#include <chrono>

#include "platform/Controls.h"
#include "platform/qt/ControlBackend.h"

bool RunMessageLoopUntil(const std::function<bool()>& Done, uint32_t LimitMs) {
  confqt::EnsureApp();
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(LimitMs);
  // Wakes the loop now and then, so the limit is seen even when nothing else happens.
  QTimer wake;
  wake.setInterval(50);
  wake.start();
  QEventLoop loop;
  while (!Done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    confqt::DispatchScope scope;
    loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    DeliverPostedMessages();
  }
  return true;
}
