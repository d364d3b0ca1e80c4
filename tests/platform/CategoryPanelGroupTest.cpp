// Panel order in a category panel group when a form places its panels by asking each for the top
// it should have, again and again as the layout changes.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/testing/ModalScript.h"

namespace {

class CategoryPanelGroupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(600);
    form->Show();
    group = New<TCategoryPanelGroup>(form);
    group->SetParent(form);
    group->SetBounds(0, 0, 300, 600);
    for (char name : std::string("ABCD")) {
      auto* p = New<TCategoryPanel>(form);
      p->SetPanelGroup(group);
      p->SetHeight(100);
      panels[name] = p;
    }
  }
  void TearDown() override { delete form; }

  // As a form orders its panels: shown, then each asked for the sum of the heights above it.
  void Place(const std::string& names) {
    for (char n : names) panels[n]->SetVisible(true);
    int top = 0;
    for (char n : names) {
      panels[n]->SetTop(top);
      top += panels[n]->Height();
    }
  }
  // The shown panels top to bottom, checked to stand without gaps from 0.
  std::string Stack() {
    std::string s;
    int y = 0;
    for (TCategoryPanel* p : group->Panels()) {
      if (!p->Visible()) continue;
      for (auto& [n, q] : panels) {
        if (q == p) s += n;
      }
      EXPECT_EQ(p->Top(), y) << s;
      y += p->Height();
    }
    return s;
  }

  ModalScript script;
  TForm* form = nullptr;
  TCategoryPanelGroup* group = nullptr;
  std::map<char, TCategoryPanel*> panels;
};

TEST_F(CategoryPanelGroupTest, PanelsJoinAtTheBottom) { EXPECT_EQ(Stack(), "ABCD"); }

TEST_F(CategoryPanelGroupTest, EachPlacingGivesTheOrderAskedEvenWhereATopIsAlreadyThePanelsOwn) {
  // Each placing starts from the layout the one before left; in most of them some panel is asked
  // for the top it already has.
  const char* orders[] = {"DABC", "ABCD", "CDAB", "BADC", "DCBA", "ACBD", "ABCD"};
  for (const char* order : orders) {
    SCOPED_TRACE(order);
    Place(order);
    EXPECT_EQ(Stack(), order);
  }
}

TEST_F(CategoryPanelGroupTest, PlacingAfterHeightsChangedAndPanelsWereHidden) {
  Place("BCDA");
  panels['C']->Collapse();
  panels['D']->SetVisible(false);
  EXPECT_EQ(Stack(), "BCA");
  Place("CAB");
  EXPECT_EQ(Stack(), "CAB");
  panels['C']->Expand();
  panels['A']->SetHeight(40);
  Place("ACDB");
  EXPECT_EQ(Stack(), "ACDB");
}

TEST_F(CategoryPanelGroupTest, ResizingAPanelKeepsTheOrder) {
  Place("CADB");
  panels['A']->SetHeight(150);
  panels['D']->SetHeight(60);
  panels['C']->Collapse();
  panels['C']->Expand();
  EXPECT_EQ(Stack(), "CADB");
  EXPECT_EQ(panels['A']->Height(), 150);
  EXPECT_EQ(panels['D']->Height(), 60);
}

TEST_F(CategoryPanelGroupTest, AskingATopMovesThePanelBeforeTheOneStandingThere) {
  // Asked for 100, B's place: D goes before B. Asked for 350, inside C: D goes after C.
  panels['D']->SetTop(100);
  EXPECT_EQ(Stack(), "ADBC");
  panels['D']->SetTop(350);
  EXPECT_EQ(Stack(), "ABCD");
  panels['A']->SetTop(1000);
  EXPECT_EQ(Stack(), "BCDA");
}

}  // namespace

namespace {

// The group's own placing is no request: hiding a panel and showing it again leaves every panel
// where it stood.
TEST_F(CategoryPanelGroupTest, HidingAndShowingAPanelKeepsTheOrder) {
  for (char hidden : std::string("ABCD")) {
    SCOPED_TRACE(std::string(1, hidden));
    panels[hidden]->SetVisible(false);
    std::string rest = "ABCD";
    rest.erase(rest.find(hidden), 1);
    EXPECT_EQ(Stack(), rest);
    panels[hidden]->SetVisible(true);
    EXPECT_EQ(Stack(), "ABCD");
  }
}

}  // namespace
