// Actions and their links: property changes reach the linked controls, a control that no longer
// shows the action's value stops following it, execution, groups of checked actions and freeing
// either side.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/ActnList.h"
#include "platform/Controls.h"
#include "platform/Forms.h"

namespace {

class TActionProbe : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  TBasicAction* Action() const { return client.Action(); }
  void SetAction(TBasicAction* a) { client.SetAction(a); }
  TControlActionLink* ActionLink() const { return client.ActionLink(); }
  int changes = 0;
  bool lastCheckDefaults = true;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TGraphicControl::Notification(AComponent, Operation);
    client.Notification(AComponent, Operation);
  }

 private:
  TActionClient client{this, [] { return std::make_unique<TControlActionLink>(); },
                       [this](TBasicAction* a, bool d) {
                         ++changes;
                         lastCheckDefaults = d;
                         ControlActionChange(this, a, d);
                       }};
};

class ActnListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    probe = new TActionProbe(form);
    probe->SetParent(form);
    action = new TAction(form);
  }
  void TearDown() override { delete form; }
  TForm* form = nullptr;
  TActionProbe* probe = nullptr;
  TAction* action = nullptr;
};

TEST_F(ActnListTest, Defaults) {
  TAction a;
  EXPECT_EQ(a.Caption(), u"");
  EXPECT_TRUE(a.Enabled());
  EXPECT_TRUE(a.Visible());
  EXPECT_FALSE(a.Checked());
  EXPECT_EQ(a.Hint(), u"");
  EXPECT_EQ(a.ImageIndex(), -1);
  EXPECT_EQ(a.GroupIndex(), 0);
  EXPECT_EQ(a.ActionList(), nullptr);
  EXPECT_FALSE(a.Execute());  // no handler
}

TEST_F(ActnListTest, SettingTheActionCopiesItsProperties) {
  action->SetCaption(u"&Find");
  action->SetHint(u"Find the next match");
  action->SetEnabled(false);
  action->SetVisible(false);
  probe->SetAction(action);
  EXPECT_EQ(probe->Action(), action);
  ASSERT_NE(probe->ActionLink(), nullptr);
  EXPECT_EQ(probe->ActionLink()->Client(), probe);
  EXPECT_EQ(probe->changes, 1);
  EXPECT_FALSE(probe->lastCheckDefaults);
  EXPECT_EQ(probe->Caption(), u"&Find");
  EXPECT_EQ(probe->Hint(), u"Find the next match");
  EXPECT_FALSE(probe->Enabled());
  EXPECT_FALSE(probe->Visible());
  EXPECT_EQ(action->LinkCount(), 1);
}

TEST_F(ActnListTest, ChangesReachTheClient) {
  probe->SetAction(action);
  struct Case {
    const char* name;
    std::function<void()> change;
    std::function<bool()> holds;
  };
  const std::vector<Case> cases = {
      {"caption", [&] { action->SetCaption(u"Next"); }, [&] { return probe->Caption() == u"Next"; }},
      {"hint", [&] { action->SetHint(u"tip"); }, [&] { return probe->Hint() == u"tip"; }},
      {"disable", [&] { action->SetEnabled(false); }, [&] { return !probe->Enabled(); }},
      {"enable", [&] { action->SetEnabled(true); }, [&] { return probe->Enabled(); }},
      {"hide", [&] { action->SetVisible(false); }, [&] { return !probe->Visible(); }},
      {"show", [&] { action->SetVisible(true); }, [&] { return probe->Visible(); }},
  };
  for (const Case& c : cases) {
    const int before = probe->changes;
    c.change();
    EXPECT_TRUE(c.holds()) << c.name;
    EXPECT_EQ(probe->changes, before + 1) << c.name;
  }
}

TEST_F(ActnListTest, SettingTheSameValueNotifiesNobody) {
  probe->SetAction(action);
  const int before = probe->changes;
  action->SetCaption(action->Caption());
  action->SetEnabled(action->Enabled());
  action->SetChecked(action->Checked());
  action->SetImageIndex(action->ImageIndex());
  EXPECT_EQ(probe->changes, before);
}

TEST_F(ActnListTest, LinkedTestsFollowTheClientValue) {
  action->SetCaption(u"A");
  probe->SetAction(action);
  TControlActionLink* link = probe->ActionLink();
  EXPECT_TRUE(link->IsCaptionLinked());
  EXPECT_TRUE(link->IsEnabledLinked());
  EXPECT_TRUE(link->IsHintLinked());
  EXPECT_TRUE(link->IsVisibleLinked());
  probe->SetCaption(u"own");
  probe->SetHint(u"own hint");
  EXPECT_FALSE(link->IsCaptionLinked());
  EXPECT_FALSE(link->IsHintLinked());
}

TEST_F(ActnListTest, ExecuteRunsTheHandlerOnlyWhileEnabled) {
  int runs = 0;
  TObject* sender = nullptr;
  action->OnExecute = [&](TObject* s) {
    ++runs;
    sender = s;
  };
  probe->SetAction(action);
  EXPECT_TRUE(probe->ActionLink()->Execute());
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(sender, action);
  action->SetEnabled(false);
  EXPECT_FALSE(probe->ActionLink()->Execute());
  EXPECT_EQ(runs, 1);
}

TEST_F(ActnListTest, CheckingAnActionOfAGroupUnchecksTheOthers) {
  auto* list = new TActionList(form);
  std::vector<TAction*> acts;
  for (int i = 0; i < 3; ++i) {
    acts.push_back(new TAction(form));
    acts.back()->SetActionList(list);
    acts.back()->SetGroupIndex(i < 2 ? 1 : 2);
  }
  EXPECT_EQ(list->ActionCount(), 3);
  acts[2]->SetChecked(true);
  acts[0]->SetChecked(true);
  acts[1]->SetChecked(true);
  EXPECT_FALSE(acts[0]->Checked());
  EXPECT_TRUE(acts[1]->Checked());
  EXPECT_TRUE(acts[2]->Checked());  // another group
  delete acts[0];
  EXPECT_EQ(list->ActionCount(), 2);
}

TEST_F(ActnListTest, ImagesChangeNotifiesAndFreedImagesAreLetGo) {
  auto* list = new TActionList(form);
  auto* images = new TImageList(form);
  action->SetActionList(list);
  probe->SetAction(action);
  const int before = probe->changes;
  list->SetImages(images);
  EXPECT_EQ(list->Images(), images);
  EXPECT_EQ(probe->changes, before + 1);
  delete images;
  EXPECT_EQ(list->Images(), nullptr);
  delete list;
  EXPECT_EQ(action->ActionList(), nullptr);
}

TEST_F(ActnListTest, FreedActionIsLetGo) {
  probe->SetAction(action);
  delete action;
  EXPECT_EQ(probe->Action(), nullptr);
  EXPECT_EQ(probe->ActionLink(), nullptr);
}

TEST_F(ActnListTest, FreedClientUnlinks) {
  probe->SetAction(action);
  EXPECT_EQ(action->LinkCount(), 1);
  delete probe;
  EXPECT_EQ(action->LinkCount(), 0);
  action->SetCaption(u"after");  // nobody to tell
  EXPECT_EQ(action->Caption(), u"after");
}

TEST_F(ActnListTest, ClearingOrReplacingTheAction) {
  auto* other = new TAction(form);
  other->SetCaption(u"Other");
  probe->SetAction(action);
  probe->SetAction(other);
  EXPECT_EQ(action->LinkCount(), 0);
  EXPECT_EQ(other->LinkCount(), 1);
  EXPECT_EQ(probe->Caption(), u"Other");
  probe->SetAction(nullptr);
  EXPECT_EQ(probe->Action(), nullptr);
  EXPECT_EQ(other->LinkCount(), 0);
  other->SetCaption(u"Changed");
  EXPECT_EQ(probe->Caption(), u"Other");
}

}  // namespace
