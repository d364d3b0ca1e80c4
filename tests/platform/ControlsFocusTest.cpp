#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/WidgetLook.h"

namespace {

std::vector<std::string>* g_log = nullptr;

void LogFocus(const TControl* c, const char* what) {
  if (g_log) g_log->push_back(StringToUtf8(c->Name()) + ":" + what);
}

// Logs the focus messages and the events of the control they lead to.
template <class Base>
class Logged : public Base {
 public:
  explicit Logged(TComponent* owner) : Base(owner) {
    this->OnEnter = [this](TObject*) { LogFocus(this, "enter"); };
    this->OnExit = [this](TObject*) { LogFocus(this, "exit"); };
    this->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { LogFocus(this, "mousedown"); };
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_KILLFOCUS) LogFocus(this, "killfocus");
    if (m.Msg == WM_SETFOCUS) LogFocus(this, "setfocus");
    Base::WndProc(m);
  }
};

class ControlsFocusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_log = &log;
    form = New<TForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    edit = Make<Logged<TEdit>>(u"edit", form, 10, 10, 100, 21);
    button = Make<Logged<TButton>>(u"button", form, 120, 10, 75, 25);
    panel = Make<Logged<TPanel>>(u"panel", form, 0, 100, 300, 100);
    inner = Make<Logged<TEdit>>(u"inner", panel, 10, 10, 100, 21);
    form->Show();
  }
  void TearDown() override {
    delete form;
    g_log = nullptr;
  }
  template <class T>
  T* Make(const String& name, TWinControl* parent, int x, int y, int w, int h) {
    T* c = New<T>(form);
    c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    return c;
  }

  ModalScript script;
  InputDriver driver;
  std::vector<std::string> log;
  TForm* form = nullptr;
  TPanel* panel = nullptr;
  TEdit* edit = nullptr;
  TButton* button = nullptr;
  TEdit* inner = nullptr;
};

TEST_F(ControlsFocusTest, ShowingTheFormFocusesTheFirstTabStop) {
  EXPECT_EQ(form->FocusedControl(), edit);
  EXPECT_EQ(form->ActiveControl(), edit);
}

TEST_F(ControlsFocusTest, MovingFromEditToButtonGivesKillSetExitEnter) {
  log.clear();
  button->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"edit:killfocus", "button:setfocus", "edit:exit", "button:enter"}));
  EXPECT_TRUE(button->Focused());
}

TEST_F(ControlsFocusTest, EnteringAControlInsideAPanelEntersThePanelFirst) {
  log.clear();
  inner->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"edit:killfocus", "inner:setfocus", "edit:exit", "panel:enter",
                                           "inner:enter"}));
  log.clear();
  button->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"inner:killfocus", "button:setfocus", "inner:exit", "panel:exit",
                                           "button:enter"}));
}

TEST_F(ControlsFocusTest, APressMovesTheFocusBeforeItIsHandled) {
  log.clear();
  driver.MouseDown(button, 5, 5);
  driver.MouseUp(button, 5, 5);
  EXPECT_EQ(log, (std::vector<std::string>{"edit:killfocus", "button:setfocus", "edit:exit", "button:enter",
                                           "button:mousedown"}));
}

TEST_F(ControlsFocusTest, HidingOrDisablingTheFocusedControlTakesTheFocusAwayFirst) {
  log.clear();
  edit->Hide();
  EXPECT_EQ(log, (std::vector<std::string>{"edit:killfocus", "edit:exit"}));
  EXPECT_EQ(form->FocusedControl(), nullptr);
  inner->SetFocus();
  log.clear();
  panel->SetEnabled(false);
  EXPECT_EQ(log, (std::vector<std::string>{"inner:killfocus", "inner:exit", "panel:exit"}));
  EXPECT_FALSE(inner->CanFocus());
  EXPECT_THROW(inner->SetFocus(), Exception);
}

TEST_F(ControlsFocusTest, TabSkipsHiddenDisabledAndNonTabStopControls) {
  edit->SetFocus();
  button->SetTabStop(false);
  driver.Key(form, VK_TAB);
  EXPECT_EQ(form->FocusedControl(), inner);
  panel->Hide();
  driver.Key(form, VK_TAB);
  EXPECT_EQ(form->FocusedControl(), edit);
}

TEST_F(ControlsFocusTest, TabOrderCanBeChanged) {
  button->SetTabOrder(0);
  panel->SetTabOrder(1);
  EXPECT_EQ(button->TabOrder(), 0);
  EXPECT_EQ(panel->TabOrder(), 1);
  EXPECT_EQ(edit->TabOrder(), 2);
  edit->SetFocus();
  driver.Key(form, VK_TAB, {ssShift});
  EXPECT_EQ(form->FocusedControl(), inner);
  driver.Key(form, VK_TAB);
  driver.Key(form, VK_TAB);
  EXPECT_EQ(form->FocusedControl(), button);
}

}  // namespace

namespace {

// A focused control freed while it handles a key of its own leaves its form no pointer to it:
// the key-up that follows goes to the form.
TEST_F(ControlsFocusTest, FreeingTheFocusedControlLeavesTheFormWithoutAFocus) {
  edit->SetFocus();
  ASSERT_EQ(form->FocusedControl(), edit);
  // The handler is stored in the control it frees: it touches nothing of its own after the delete.
  edit->OnKeyDown = [](TObject* Sender, Word& k, TShiftState) {
    if (k == VK_RETURN) {
      k = 0;
      delete Sender;
    }
  };
  driver.Key(form, VK_RETURN);
  edit = nullptr;
  EXPECT_EQ(form->FocusedControl(), nullptr);
  EXPECT_EQ(form->ActiveControl(), nullptr);
  driver.Key(form, VK_RETURN);
  // The edit's widget, whose deletion waited for the key to be over, goes now.
  DeleteDeferredWidgets();
}

}  // namespace
