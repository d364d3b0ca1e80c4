#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/QtEvents.h"

namespace {

// Input that arrives from Qt goes through the same pipeline as the test driver's.
class ControlsQtInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    edit = New<TEdit>(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 120, 21);
    label = New<TLabel>(form);
    label->SetParent(form);
    label->SetBounds(150, 10, 60, 20);
    label->SetAutoSize(false);
    form->Show();
    edit->OnKeyDown = [this](TObject*, Word& k, TShiftState s) {
      log.push_back("down " + std::to_string(k) + (s.Contains(ssCtrl) ? " ctrl" : "") + (s.Contains(ssAlt) ? " alt" : ""));
    };
    edit->OnKeyPress = [this](TObject*, Char& c) { log.push_back("char " + std::to_string(c)); };
  }
  void TearDown() override { delete form; }
  ModalScript script;
  InputDriver driver;
  TForm* form = nullptr;
  TEdit* edit = nullptr;
  TLabel* label = nullptr;
  std::vector<std::string> log;
};

TEST_F(ControlsQtInputTest, KeysBecomeKeyDownAndCharacter) {
  struct Case {
    Word vk;
    unsigned mods;
    const char* text;
    std::vector<std::string> expected;
  } cases[] = {
      {'A', 0, "a", {"down 65", "char 97"}},
      {'A', qtevents::Ctrl, "\x01", {"down 65 ctrl", "char 1"}},
      {'Q', qtevents::GroupSwitch, "@", {"down 81", "char 64"}},
      {'Q', qtevents::Ctrl | qtevents::Alt, "@", {"down 81", "char 64"}},
      {VK_DECIMAL, qtevents::Keypad, ".", {"down 110", "char 46"}},
      {VK_OEM_PERIOD, 0, ".", {"down 190", "char 46"}},
      {VK_RETURN, 0, "\r", {"down 13", "char 13"}},
  };
  for (const Case& c : cases) {
    log.clear();
    qtevents::KeyPress(edit, c.vk, c.mods, S(c.text));
    qtevents::KeyRelease(edit, c.vk, c.mods);
    EXPECT_EQ(log, c.expected) << c.text;
  }
}

TEST_F(ControlsQtInputTest, TabFromQtMovesTheFocusInsteadOfQtsOwnChain) {
  auto* second = New<TEdit>(form);
  second->SetParent(form);
  second->SetBounds(10, 40, 120, 21);
  edit->SetFocus();
  qtevents::KeyPress(edit, VK_TAB, 0, u"\t");
  EXPECT_EQ(form->FocusedControl(), second);
  EXPECT_TRUE(log.empty());
}

TEST_F(ControlsQtInputTest, SecondPressOfADoubleClickBecomesTheDoubleClickMessage) {
  std::vector<std::string> seen;
  label->OnMouseDown = [&](TObject*, TMouseButton, TShiftState s, int, int) {
    seen.push_back(s.Contains(ssDouble) ? "down double" : "down");
  };
  label->OnClick = [&](TObject*) { seen.push_back("click"); };
  label->OnDblClick = [&](TObject*) { seen.push_back("dblclick"); };
  qtevents::MousePress(label, 5, 5, 1000);
  qtevents::MouseRelease(label, 5, 5, 1010);
  qtevents::MousePress(label, 5, 5, 1100);
  qtevents::MouseDoubleClick(label, 5, 5, 1100);
  qtevents::MouseRelease(label, 5, 5, 1110);
  EXPECT_EQ(seen, (std::vector<std::string>{"down", "click", "dblclick", "down double"}));
}

TEST_F(ControlsQtInputTest, HighResolutionWheelDeltasAddUpToNotches) {
  std::vector<int> deltas;
  form->OnMouseWheel = [&](TObject*, TShiftState, int d, TPoint, bool& handled) {
    deltas.push_back(d);
    handled = true;
  };
  for (int i = 0; i < 5; ++i) qtevents::Wheel(label, -40, 5, 5);
  qtevents::Wheel(label, 240, 5, 5);
  EXPECT_EQ(deltas, (std::vector<int>{-120, 240}));
}

TEST_F(ControlsQtInputTest, WindowCloseRequestClosesAModalFormWithCancel) {
  script.AnswerModal(u"", [&](TForm* f) {
    qtevents::CloseWindow(f);
    return mrNone;
  });
  EXPECT_EQ(form->ModalResult(), mrNone);
  form->Hide();
  EXPECT_EQ(form->ShowModal(), mrCancel);
}

}  // namespace
