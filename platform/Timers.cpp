// TTimer and the window timers: on Qt timers, or on the virtual clock in tests.
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/Controls.h"
#include "platform/SysUtils.h"
#include "platform/TimeSource.h"
#include "platform/qt/ControlBackend.h"
#include "platform/qt/Timers.h"

// ---------------------------------------------------------------------------------------------
// TTimer
TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { Rearm(); }
TTimer::~TTimer() { conftimers::Kill(nullptr, this, 0); }
void TTimer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Rearm();
}
void TTimer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Rearm();
}
void TTimer::Rearm() {
  conftimers::Kill(nullptr, this, 0);
  if (enabled_ && interval_ > 0) conftimers::Set(nullptr, this, 0, interval_);
}
void TTimer::Fire() {
  if (OnTimer) OnTimer(this);
}

// ---------------------------------------------------------------------------------------------
// Timers.
namespace conftimers {
namespace {
struct Entry {
  TControl* target = nullptr;
  TTimer* timer = nullptr;
  uintptr_t id = 0;
  unsigned interval = 0;
  uint32_t due = 0;
  uint64_t seq = 0;
  QTimer* qt = nullptr;
};
std::vector<std::unique_ptr<Entry>>& Entries() {
  static std::vector<std::unique_ptr<Entry>> v;
  return v;
}
bool g_virtual = false;
uint64_t g_seq = 0;

void Fire(uint64_t seq) {
  auto& v = Entries();
  auto it = std::find_if(v.begin(), v.end(), [seq](const auto& e) { return e->seq == seq; });
  if (it == v.end()) return;
  Entry* e = it->get();
  e->due = GetTickCount() + e->interval;
  if (e->target) {
    TControl* t = e->target;
    uintptr_t id = e->id;
    confqt::Dispatch(t, [&] { t->Perform(WM_TIMER, id, 0); });
  } else if (e->timer) {
    TTimer* t = e->timer;
    confqt::Dispatch(t, [&] { t->Fire(); });
  }
}

void Destroy(std::unique_ptr<Entry>& e) {
  if (e->qt) {
    e->qt->stop();
    e->qt->deleteLater();
    e->qt = nullptr;
  }
}
}  // namespace

void Set(TControl* target, TTimer* timer, uintptr_t id, unsigned interval) {
  Kill(target, timer, id);
  auto e = std::make_unique<Entry>();
  e->target = target;
  e->timer = timer;
  e->id = id;
  e->interval = interval;
  e->due = GetTickCount() + interval;
  e->seq = ++g_seq;
  if (!g_virtual) {
    confqt::EnsureApp();
    e->qt = new QTimer();
    e->qt->setInterval(static_cast<int>(interval));
    uint64_t seq = e->seq;
    QObject::connect(e->qt, &QTimer::timeout, [seq] { Fire(seq); });
    e->qt->start();
  }
  Entries().push_back(std::move(e));
}

void Kill(TControl* target, TTimer* timer, uintptr_t id) {
  auto& v = Entries();
  for (auto it = v.begin(); it != v.end();) {
    if ((*it)->target == target && (*it)->timer == timer && (timer || (*it)->id == id)) {
      Destroy(*it);
      it = v.erase(it);
    } else {
      ++it;
    }
  }
}

void KillAll(TControl* target) {
  auto& v = Entries();
  for (auto it = v.begin(); it != v.end();) {
    if (target && (*it)->target == target) {
      Destroy(*it);
      it = v.erase(it);
    } else {
      ++it;
    }
  }
}

void SetVirtual(bool on) {
  if (on == g_virtual) return;
  g_virtual = on;
  // Existing timers switch over: rebuild them in the new mode.
  std::vector<std::unique_ptr<Entry>> old;
  old.swap(Entries());
  for (auto& e : old) {
    Destroy(e);
    Set(e->target, e->timer, e->id, e->interval);
  }
}

bool Virtual() { return g_virtual; }
int Count() { return static_cast<int>(Entries().size()); }

bool PeekNext(uint32_t& due) {
  auto& v = Entries();
  if (v.empty()) return false;
  uint32_t now = GetTickCount();
  const Entry* best = nullptr;
  for (auto& e : v) {
    if (!best || static_cast<int32_t>(e->due - now) < static_cast<int32_t>(best->due - now) ||
        (e->due == best->due && e->seq < best->seq)) {
      best = e.get();
    }
  }
  due = best->due;
  return true;
}

void FireNext() {
  auto& v = Entries();
  if (v.empty()) return;
  uint32_t now = GetTickCount();
  const Entry* best = nullptr;
  for (auto& e : v) {
    if (!best || static_cast<int32_t>(e->due - now) < static_cast<int32_t>(best->due - now) ||
        (e->due == best->due && e->seq < best->seq)) {
      best = e.get();
    }
  }
  Fire(best->seq);
}

}  // namespace conftimers
