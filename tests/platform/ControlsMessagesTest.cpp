#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/MessageLoop.h"
#include "platform/testing/ModalScript.h"

namespace {

std::vector<std::string>* g_messageLog = nullptr;
std::vector<std::thread::id>* g_threads = nullptr;

class Recorder : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  void WndProc(TMessage& m) override {
    if (m.Msg >= WM_USER && m.Msg < WM_APP) {
      if (g_threads) g_threads->push_back(std::this_thread::get_id());
      g_messageLog->push_back("msg" + std::to_string(m.Msg - WM_USER));
      if (m.Msg == WM_USER + 1) {
        PostMessage(this, WM_USER + 3, 0, 0);
        g_messageLog->push_back("handler1 done");
      }
      return;
    }
    if (m.Msg == WM_TIMER) {
      g_messageLog->push_back("timer" + std::to_string(m.WParam));
      return;
    }
    TCustomControl::WndProc(m);
  }
};

// Fails on one message after posting itself a follow-up.
class Thrower : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  void WndProc(TMessage& m) override {
    if (m.Msg == failOn) {
      PostMessage(this, WM_USER + 9, 0, 0);
      throw Exception(u"failed in handler");
    }
    if (m.Msg == WM_USER + 9) {
      ++followUps;
      return;
    }
    TCustomControl::WndProc(m);
  }
  unsigned failOn = 0;
  int followUps = 0;
};

class ControlsMessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_messageLog = &log;
    form = New<TForm>(nullptr);
    rec = New<Recorder>(form);
    rec->SetParent(form);
    rec->SetBounds(0, 0, 50, 50);
  }
  void TearDown() override {
    delete form;
    g_messageLog = nullptr;
  }
  ModalScript script;
  InputDriver driver;
  std::vector<std::string> log;
  TForm* form = nullptr;
  Recorder* rec = nullptr;
};

TEST_F(ControlsMessagesTest, PostedMessagesArriveInOrderAfterTheCurrentHandler) {
  PostMessage(rec, WM_USER + 1, 0, 0);
  PostMessage(rec, WM_USER + 2, 0, 0);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(driver.DrainPosted(), 3);
  EXPECT_EQ(log, (std::vector<std::string>{"msg1", "handler1 done", "msg2", "msg3"}));
}

TEST_F(ControlsMessagesTest, MessagesPostedDuringInputAreDeliveredWhenItsHandlingEnds) {
  auto* b = New<TButton>(form);
  b->SetParent(form);
  b->SetBounds(60, 0, 75, 25);
  b->OnClick = [&](TObject*) {
    PostMessage(rec, WM_USER + 5, 0, 0);
    log.push_back("click");
  };
  driver.Click(b);
  EXPECT_EQ(log, (std::vector<std::string>{"click", "msg5"}));
}

TEST_F(ControlsMessagesTest, MessagesForADestroyedControlAreDropped) {
  PostMessage(rec, WM_USER + 1, 0, 0);
  delete rec;
  EXPECT_EQ(driver.DrainPosted(), 0);
  EXPECT_TRUE(log.empty());
}

TEST_F(ControlsMessagesTest, AnExceptionFromAnInputHandlerIsTheErrorBoxAndPostedMessagesStillFollow) {
  const struct {
    const char* name;
    unsigned msg;
    std::function<void(InputDriver&, Thrower*)> send;
  } cases[] = {
      {"mouse down", WM_LBUTTONDOWN, [](InputDriver& d, Thrower* t) { d.MouseDown(t, 5, 5); }},
      {"mouse up", WM_LBUTTONUP, [](InputDriver& d, Thrower* t) { d.MouseUp(t, 5, 5); }},
      {"mouse move", WM_MOUSEMOVE, [](InputDriver& d, Thrower* t) { d.MouseMove(t, 5, 5); }},
      {"wheel", WM_MOUSEWHEEL, [](InputDriver& d, Thrower* t) { d.Wheel(t, WHEEL_DELTA); }},
      {"mouse enter", CM_MOUSEENTER, [](InputDriver& d, Thrower* t) { d.MouseEnter(t); }},
      {"mouse leave", CM_MOUSELEAVE, [](InputDriver& d, Thrower* t) { d.MouseLeave(t); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto* t = New<Thrower>(form);
    t->SetParent(form);
    t->SetBounds(100, 0, 40, 40);
    t->failOn = c.msg;
    const size_t shown = script.Messages().size();
    c.send(driver, t);
    ASSERT_EQ(script.Messages().size(), shown + 1);
    EXPECT_EQ(script.Messages().back().Type, mtError);
    EXPECT_EQ(script.Messages().back().Text, u"failed in handler.");
    // Delivered when the handling of the input ended, exception or not.
    EXPECT_EQ(t->followUps, 1);
    delete t;
  }
}

TEST_F(ControlsMessagesTest, MessagesPostedByAnotherThreadArriveOnTheUiThread) {
  std::vector<std::thread::id> threads;
  g_threads = &threads;
  // Through the real message loop, which the post wakes.
  std::thread([this] { PostMessage(rec, WM_USER + 7, 70, 0); }).join();
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(RunMessageLoopUntil([&] { return !log.empty(); }));
  // Through the test helper, in the order posted.
  std::thread([this] {
    PostMessage(rec, WM_USER + 4, 0, 0);
    PostMessage(rec, WM_USER + 2, 0, 0);
  }).join();
  EXPECT_EQ(driver.DrainPosted(), 2);
  g_threads = nullptr;
  EXPECT_EQ(log, (std::vector<std::string>{"msg7", "msg4", "msg2"}));
  EXPECT_EQ(threads, std::vector<std::thread::id>(3, std::this_thread::get_id()));
}

TEST_F(ControlsMessagesTest, MessagesOfAnotherThreadForADestroyedControlAreDropped) {
  std::thread([this] { PostMessage(rec, WM_USER + 1, 0, 0); }).join();
  delete rec;
  EXPECT_EQ(driver.DrainPosted(), 0);
  EXPECT_TRUE(log.empty());
}

TEST_F(ControlsMessagesTest, RegisteredNamesGiveStableNumbers) {
  unsigned a = RegisterWindowMessage(u"TAdvStringGrid Cells");
  unsigned b = RegisterWindowMessage(u"Rich Text Format");
  EXPECT_EQ(RegisterWindowMessage(u"TAdvStringGrid Cells"), a);
  EXPECT_NE(a, b);
  EXPECT_GE(a, static_cast<unsigned>(WM_REGISTERED_FIRST));
}

TEST_F(ControlsMessagesTest, WindowTimersFireInDueOrderOnTheVirtualClock) {
  SetTimer(rec, 1, 100);
  SetTimer(rec, 2, 250);
  driver.AdvanceTime(99);
  EXPECT_TRUE(log.empty());
  driver.AdvanceTime(401);  // at 500 both are due: the one set first fires first
  EXPECT_EQ(log, (std::vector<std::string>{"timer1", "timer1", "timer2", "timer1", "timer1", "timer1", "timer2"}));
  KillTimer(rec, 1);
  log.clear();
  driver.AdvanceTime(500);
  EXPECT_EQ(log, (std::vector<std::string>{"timer2", "timer2"}));
}

TEST_F(ControlsMessagesTest, TimerComponentFollowsEnabledAndInterval) {
  auto* t = New<TTimer>(form);
  t->SetEnabled(false);
  t->SetInterval(60000);
  int ticks = 0;
  t->OnTimer = [&](TObject*) {
    ++ticks;
    t->SetEnabled(false);
    t->SetInterval(7200000);
    t->SetEnabled(true);
  };
  driver.AdvanceTime(120000);
  EXPECT_EQ(ticks, 0);
  t->SetEnabled(true);
  driver.AdvanceTime(59999);
  EXPECT_EQ(ticks, 0);
  driver.AdvanceTime(1);
  EXPECT_EQ(ticks, 1);
  driver.AdvanceTime(7200000 - 1);
  EXPECT_EQ(ticks, 1);
  driver.AdvanceTime(1);
  EXPECT_EQ(ticks, 2);
}

TEST_F(ControlsMessagesTest, TimerHandlerExceptionIsReportedAndTimerGoesOn) {
  auto* t = New<TTimer>(form);
  t->SetInterval(10);
  int ticks = 0;
  t->OnTimer = [&](TObject*) {
    if (++ticks == 1) throw Exception(u"tick failed");
  };
  driver.AdvanceTime(20);
  EXPECT_EQ(ticks, 2);
  ASSERT_EQ(script.Messages().size(), 1u);
  EXPECT_EQ(script.Messages()[0].Text, u"tick failed.");
}

TEST_F(ControlsMessagesTest, WheelGoesToTheFocusedControlThenUpToTheForm) {
  auto* e = New<TEdit>(form);
  e->SetParent(form);
  e->SetBounds(0, 60, 100, 21);
  e->SetFocus();
  std::vector<std::string> seen;
  e->OnMouseWheel = [&](TObject*, TShiftState, int d, TPoint, bool& handled) {
    seen.push_back("edit " + std::to_string(d));
    handled = false;
  };
  form->OnMouseWheel = [&](TObject*, TShiftState, int d, TPoint, bool& handled) {
    seen.push_back("form " + std::to_string(d));
    handled = true;
  };
  driver.Wheel(rec, -240);
  EXPECT_EQ(seen, (std::vector<std::string>{"edit -240", "form -240"}));
}

TEST_F(ControlsMessagesTest, CaptureSendsTheReleaseToThePressedControl) {
  std::vector<std::string> seen;
  auto* other = New<Recorder>(form);
  other->SetParent(form);
  other->SetBounds(100, 0, 50, 50);
  rec->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    seen.push_back("rec up " + std::to_string(x) + "," + std::to_string(y));
  };
  rec->OnClick = [&](TObject*) { seen.push_back("rec click"); };
  other->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { seen.push_back("other up"); };
  driver.MouseDown(rec, 10, 10);
  EXPECT_EQ(GetCapture(), rec);
  driver.MouseUp(other, 5, 5);
  EXPECT_EQ(seen, std::vector<std::string>{"rec up 105,5"});
  EXPECT_EQ(GetCapture(), nullptr);
  seen.clear();
  driver.DblClick(rec, 10, 10);
  EXPECT_EQ(seen, (std::vector<std::string>{"rec click", "rec up 10,10", "rec up 10,10"}));
}

}  // namespace
