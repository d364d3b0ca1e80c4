// The hint machinery of controls that answer CM_HINTSHOW: timing on the test clock, the hint
// record the control may change or refuse, the hint window class, cancelling.
#include <gtest/gtest.h>

#include <string>

#include "platform/Forms.h"
#include "platform/HintWindow.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"

namespace {

class THintedControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::function<void(THintInfo&, TMessage&)> OnHintShow;
  int Asked = 0;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == CM_HINTSHOW) {
      ++Asked;
      if (OnHintShow) OnHintShow(*reinterpret_cast<THintInfo*>(Message.LParam), Message);
      return;
    }
    TCustomControl::WndProc(Message);
  }
};

class TOtherHintWindow : public THintWindow {
 public:
  using THintWindow::THintWindow;
  String ClassName() const override { return u"TOtherHintWindow"; }
};

struct HintForm {
  ModalScript script;
  InputDriver driver;
  TForm* form = New<TForm>(nullptr);
  THintedControl* c = New<THintedControl>(form);
  HintForm() {
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    c->SetParent(form);
    c->SetBounds(10, 10, 200, 100);
    c->SetHint(u"short|long part");
    c->SetShowHint(true);
    c->SetCustomHintShow(true);
    form->Show();
  }
  ~HintForm() {
    Application->CancelHint();
    delete form;
  }
  std::string Shown() const {
    THintWindow* w = Application->HintWindow();
    return w && w->Active() ? StringToUtf8(w->Caption()) : std::string();
  }
};

TEST(HintWindow, ShowsAfterThePauseWithTheShortHint) {
  HintForm h;
  h.driver.MouseMove(h.c, 20, 20);
  h.driver.AdvanceTime(Application->HintPause() - 1);
  EXPECT_EQ(h.Shown(), "");
  EXPECT_EQ(h.c->Asked, 0);
  h.driver.AdvanceTime(1);
  EXPECT_EQ(h.Shown(), "short");
  EXPECT_EQ(h.c->Asked, 1);
  // Below the mouse, and hidden after the hide pause.
  const TPoint screen = h.c->ClientToScreen(Point(20, 20));
  EXPECT_EQ(Application->HintWindow()->Left(), screen.X);
  EXPECT_GT(Application->HintWindow()->Top(), screen.Y);
  h.driver.AdvanceTime(Application->HintHidePause());
  EXPECT_EQ(h.Shown(), "");
}

TEST(HintWindow, TheControlChangesOrRefusesTheHint) {
  struct Case {
    const char* name;
    std::function<void(THintInfo&, TMessage&)> answer;
    const char* shown;
  };
  const Case cases[] = {
      {"text", [](THintInfo& i, TMessage&) { i.HintStr = u"cell 3"; }, "cell 3"},
      {"refused", [](THintInfo&, TMessage& m) { m.Result = 1; }, ""},
      {"empty", [](THintInfo& i, TMessage&) { i.HintStr.clear(); }, ""},
  };
  for (const Case& c : cases) {
    HintForm h;
    h.c->OnHintShow = c.answer;
    h.driver.MouseMove(h.c, 20, 20);
    h.driver.AdvanceTime(Application->HintPause());
    EXPECT_EQ(h.Shown(), c.shown) << c.name;
  }
}

TEST(HintWindow, TheRecordNamesTheWindowClassPositionAndColour) {
  HintForm h;
  const TPoint at = h.c->ClientToScreen(Point(50, 60));
  h.c->OnHintShow = [&](THintInfo& i, TMessage&) {
    EXPECT_EQ(i.HintControl, h.c);
    EXPECT_EQ(i.CursorPos, Point(20, 20));
    i.HintWindowClass = &MakeHintWindow<TOtherHintWindow>;
    i.HintPos = at;
    i.HintColor = clYellow;
  };
  h.driver.MouseMove(h.c, 20, 20);
  h.driver.AdvanceTime(Application->HintPause());
  THintWindow* w = Application->HintWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(StringToUtf8(w->ClassName()), "TOtherHintWindow");
  EXPECT_EQ(w->Left(), at.X);
  EXPECT_EQ(w->Top(), at.Y);
  EXPECT_EQ(w->Color(), clYellow);
  const TRect calc = w->CalcHintRect(1000, u"short", nullptr);
  EXPECT_EQ(w->Width(), calc.Width());
}

TEST(HintWindow, CancelHideAndLeaveEndTheHint) {
  HintForm h;
  h.driver.MouseMove(h.c, 20, 20);
  h.driver.AdvanceTime(Application->HintPause());
  ASSERT_EQ(h.Shown(), "short");
  Application->CancelHint();
  EXPECT_EQ(h.Shown(), "");
  EXPECT_EQ(Application->HintControl(), nullptr);
  h.driver.MouseMove(h.c, 21, 20);  // asked again after the pause
  h.driver.AdvanceTime(Application->HintPause());
  EXPECT_EQ(h.Shown(), "short");
  EXPECT_EQ(h.c->Asked, 2);
  h.driver.MouseLeave(h.c);
  EXPECT_EQ(h.Shown(), "");
  h.driver.AdvanceTime(Application->HintPause());
  EXPECT_EQ(h.Shown(), "");
}

TEST(HintWindow, AControlWithoutShowHintShowsNothing) {
  HintForm h;
  h.c->SetShowHint(false);
  h.driver.MouseMove(h.c, 20, 20);
  h.driver.AdvanceTime(Application->HintPause() * 2);
  EXPECT_EQ(h.Shown(), "");
  EXPECT_EQ(h.c->Asked, 0);
}

}  // namespace
