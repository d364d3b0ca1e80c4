// The grid's glyph button with an action: caption, Down and GroupIndex follow the action while
// linked, a click runs the action when no OnClick handler is set, a group release unchecks the
// released button's action, and a freed action is let go.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "grid/foundation/AdvObjGridButton.h"
#include "platform/ActnList.h"
#include "platform/Forms.h"

namespace {

class GridButtonActionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(100);
    b1 = new TAdvGridButton(form);
    b1->SetParent(form);
    b1->SetBounds(10, 10, 90, 23);
    b2 = new TAdvGridButton(form);
    b2->SetParent(form);
    b2->SetBounds(110, 10, 90, 23);
    action = new TAction(form);
    form->Show();
  }
  void TearDown() override { delete form; }
  TForm* form = nullptr;
  TAdvGridButton* b1 = nullptr;
  TAdvGridButton* b2 = nullptr;
  TAction* action = nullptr;
};

TEST_F(GridButtonActionTest, TheLinkIsTheButtonsOwn) {
  action->SetCaption(u"Find");
  b1->SetAction(action);
  auto* link = dynamic_cast<TAdvGridButtonActionLink*>(b1->ActionLink());
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->Client(), b1);
  EXPECT_EQ(b1->Caption(), u"Find");
  action->SetCaption(u"Find next");
  EXPECT_EQ(b1->Caption(), u"Find next");
}

TEST_F(GridButtonActionTest, LinkedTests) {
  struct Case {
    const char* name;
    int buttonGroup;
    int actionGroup;
    bool allowAllUp;
    bool checked;
    bool down;
    bool checkedLinked;
    bool groupLinked;
  };
  const std::vector<Case> cases = {
      {"no group", 0, 0, true, false, false, false, true},
      {"group, all up allowed, same state", 1, 1, true, false, false, true, true},
      {"group, all up allowed, down and checked", 1, 1, true, true, true, true, true},
      {"group, all up not allowed", 1, 1, false, false, false, false, true},
      {"other group index", 1, 2, true, false, false, true, false},
  };
  for (const Case& c : cases) {
    auto* b = new TAdvGridButton(form);
    auto* a = new TAction(form);
    a->SetGroupIndex(c.actionGroup);
    a->SetChecked(c.checked);
    b->SetGroupIndex(c.buttonGroup);
    b->SetAllowAllUp(c.allowAllUp);
    b->SetAction(a);
    b->SetGroupIndex(c.buttonGroup);
    b->SetAllowAllUp(c.allowAllUp);
    if (c.down) b->SetDown(true);
    TControlActionLink* link = b->ActionLink();
    ASSERT_NE(link, nullptr) << c.name;
    EXPECT_EQ(link->IsCheckedLinked(), c.checkedLinked) << c.name;
    EXPECT_EQ(link->IsGroupIndexLinked(), c.groupLinked) << c.name;
    EXPECT_TRUE(link->IsCaptionLinked()) << c.name;
    b->SetCaption(u"own");
    EXPECT_FALSE(link->IsCaptionLinked()) << c.name;
    delete b;
    delete a;
  }
}

TEST_F(GridButtonActionTest, CheckedAndGroupIndexReachTheButton) {
  action->SetGroupIndex(3);
  b1->SetGroupIndex(3);
  b1->SetAllowAllUp(true);
  b1->SetAction(action);
  action->SetChecked(true);
  EXPECT_TRUE(b1->Down());
  action->SetChecked(false);
  EXPECT_FALSE(b1->Down());
  action->SetGroupIndex(4);
  EXPECT_EQ(b1->GroupIndex(), 4);
}

TEST_F(GridButtonActionTest, UnlinkedCaptionIsKept) {
  action->SetCaption(u"A");
  b1->SetAction(action);
  b1->SetCaption(u"mine");
  // The link's setter leaves a caption that no longer shows the action's.
  b1->ActionLink()->SetCaption(u"B");
  EXPECT_EQ(b1->Caption(), u"mine");
}

TEST_F(GridButtonActionTest, Click) {
  struct Case {
    const char* name;
    bool onClick;
    bool actionEnabled;
    int clicks;
    int runs;
  };
  const std::vector<Case> cases = {
      {"action only", false, true, 0, 1},
      {"disabled action", false, false, 0, 0},
      {"OnClick wins", true, true, 1, 0},
  };
  for (const Case& c : cases) {
    int clicks = 0, runs = 0;
    auto* b = new TAdvGridButton(form);
    b->SetParent(form);
    auto* a = new TAction(form);
    a->OnExecute = [&](TObject*) { ++runs; };
    b->SetAction(a);
    a->SetEnabled(c.actionEnabled);
    if (c.onClick) b->OnClick = [&](TObject*) { ++clicks; };
    b->Click();
    EXPECT_EQ(clicks, c.clicks) << c.name;
    EXPECT_EQ(runs, c.runs) << c.name;
    delete b;
    delete a;
  }
}

TEST_F(GridButtonActionTest, GroupReleaseUnchecksTheAction) {
  auto* a2 = new TAction(form);
  for (TAdvGridButton* b : {b1, b2}) {
    b->SetGroupIndex(5);
    b->SetAllowAllUp(true);
  }
  b1->SetAction(action);
  b2->SetAction(a2);
  b1->SetDown(true);
  action->SetChecked(true);
  EXPECT_TRUE(action->Checked());
  b2->SetDown(true);
  EXPECT_FALSE(b1->Down());
  EXPECT_FALSE(action->Checked());
}

TEST_F(GridButtonActionTest, FreedActionIsLetGo) {
  int clicks = 0;
  b1->SetAction(action);
  delete action;
  EXPECT_EQ(b1->Action(), nullptr);
  b1->OnClick = [&](TObject*) { ++clicks; };
  b1->Click();
  EXPECT_EQ(clicks, 1);
}

}  // namespace
