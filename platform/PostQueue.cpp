// Posted messages and the dispatch boundary: messages posted while a message is being handled
// wait until the outermost handling level ends (or the next turn of the Qt loop), and an
// exception escaping a handler stops at the boundary as the application's error box. Another
// thread may post too: its messages wait in an inbox of their own until the UI thread takes them.
#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Forms.h"
#include "platform/qt/ControlBackend.h"

namespace {

struct Posted {
  TControl* target;
  TMessage msg;
};
std::deque<Posted>& PostQueue() {
  static std::deque<Posted> q;
  return q;
}
bool g_drainScheduled = false;
int g_dispatchDepth = 0;

// The UI thread is the one that runs the program's static initialisation and main.
const std::thread::id g_uiThread = std::this_thread::get_id();

// Messages posted from other threads. Never destroyed: a worker may still post while the
// process ends.
struct Inbox {
  std::mutex lock;
  std::vector<Posted> items;
  bool wakePending = false;
};
Inbox& CrossThreadInbox() {
  static Inbox* inbox = new Inbox;
  return *inbox;
}
// The application object a worker wakes the UI thread through; set by the UI thread.
std::atomic<QObject*> g_waker{nullptr};

// Moves the inbox into the queue, behind what the UI thread posted so far.
void TakeInbox() {
  Inbox& in = CrossThreadInbox();
  std::vector<Posted> items;
  {
    std::lock_guard<std::mutex> guard(in.lock);
    items.swap(in.items);
    in.wakePending = false;
  }
  for (Posted& p : items) PostQueue().push_back(p);
}

void PostFromOtherThread(const Posted& p) {
  Inbox& in = CrossThreadInbox();
  bool wake = false;
  {
    std::lock_guard<std::mutex> guard(in.lock);
    in.items.push_back(p);
    wake = !in.wakePending;
    in.wakePending = true;
  }
  QObject* app = g_waker.load();
  if (!wake || !app) return;
  QMetaObject::invokeMethod(
      app,
      [] {
        confqt::DispatchScope scope;
        DeliverPostedMessages();
      },
      Qt::QueuedConnection);
}

void ScheduleDrain() {
  if (g_drainScheduled || !QCoreApplication::instance()) return;
  g_drainScheduled = true;
  QTimer::singleShot(0, qApp, [] {
    g_drainScheduled = false;
    confqt::DispatchScope scope;
    DeliverPostedMessages();
  });
}

}  // namespace

namespace confqt {

void Guarded(TObject* sender, const std::function<void()>& fn) {
  try {
    fn();
  } catch (...) {
    try {
      Application->HandleException(sender);
    } catch (...) {
      // The error report itself failed; nothing more can be done for the user.
    }
  }
}

DispatchScope::DispatchScope() { ++g_dispatchDepth; }
DispatchScope::~DispatchScope() {
  if (--g_dispatchDepth == 0 && !PostQueue().empty()) {
    ++g_dispatchDepth;
    DeliverPostedMessages();
    --g_dispatchDepth;
  }
}

void Dispatch(TObject* sender, const std::function<void()>& fn) {
  DispatchScope scope;
  Guarded(sender, fn);
}

bool InDispatch() { return g_dispatchDepth > 0; }

void DropPostedMessages(const TControl* Target) {
  auto drop = [Target](auto& q) {
    q.erase(std::remove_if(q.begin(), q.end(), [Target](const Posted& p) { return p.target == Target; }), q.end());
  };
  drop(PostQueue());
  Inbox& in = CrossThreadInbox();
  std::lock_guard<std::mutex> guard(in.lock);
  drop(in.items);
}

void SetMessageWaker() {
  if (QCoreApplication::instance()) g_waker.store(qApp);
}

}  // namespace confqt

void PostMessage(TControl* Target, unsigned Msg, uintptr_t WParam, intptr_t LParam) {
  if (!Target) return;
  const Posted p{Target, TMessage{Msg, WParam, LParam, 0}};
  if (std::this_thread::get_id() != g_uiThread) return PostFromOtherThread(p);
  PostQueue().push_back(p);
  ScheduleDrain();
}

namespace {

struct HookEntry {
  uintptr_t Handle;
  TCallWndProcHook Hook;
};
std::vector<HookEntry>& Hooks() {
  static std::vector<HookEntry> hooks;
  return hooks;
}

}  // namespace

uintptr_t SetCallWndProcHook(TCallWndProcHook Hook) {
  static uintptr_t next = 0;
  if (!Hook) return 0;
  Hooks().push_back({++next, std::move(Hook)});
  return next;
}

void UnhookCallWndProc(uintptr_t Handle) {
  auto& h = Hooks();
  h.erase(std::remove_if(h.begin(), h.end(), [Handle](const HookEntry& e) { return e.Handle == Handle; }), h.end());
}

namespace confqt {

bool HasCallWndProcHooks() { return !Hooks().empty(); }

void RunCallWndProcHooks(TControl* Target, const TMessage& Message) {
  if (Hooks().empty()) return;
  // A hook may set or remove hooks: each runs from a copy, unless it was removed meanwhile.
  const std::vector<HookEntry> now = Hooks();
  for (const HookEntry& e : now) {
    const auto& cur = Hooks();
    if (std::none_of(cur.begin(), cur.end(), [&](const HookEntry& c) { return c.Handle == e.Handle; })) continue;
    e.Hook(Target, Message);
  }
}

}  // namespace confqt

intptr_t SendMessage(TControl* Target, unsigned Msg, uintptr_t WParam, intptr_t LParam) {
  if (!Target) return 0;
  confqt::RunCallWndProcHooks(Target, TMessage{Msg, WParam, LParam, 0});
  return Target->Perform(Msg, WParam, LParam);
}

int DeliverPostedMessages() {
  confqt::SetMessageWaker();
  TakeInbox();
  int n = 0;
  auto& q = PostQueue();
  while (!q.empty()) {
    Posted p = q.front();
    q.pop_front();
    if (!confqt::IsAlive(p.target)) continue;
    ++n;
    confqt::Guarded(p.target, [&] {
      // A posted key goes through the message loop's key step first, as a typed one does: the
      // control's CN_ answer (dialog keys such as Tab moving the focus) can take it.
      const unsigned m = p.msg.Msg;
      const bool key = m == WM_KEYDOWN || m == WM_SYSKEYDOWN || m == WM_KEYUP || m == WM_CHAR || m == WM_SYSCHAR;
      if (key && dynamic_cast<TWinControl*>(p.target)) {
        if (p.target->Perform(CN_BASE + m, p.msg.WParam, p.msg.LParam) != 0) return;
        if (!confqt::IsAlive(p.target)) return;
      }
      p.target->Perform(m, p.msg.WParam, p.msg.LParam);
    });
  }
  return n;
}
