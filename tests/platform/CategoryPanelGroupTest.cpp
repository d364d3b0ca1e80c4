// Panel order in a category panel group when a form places its panels by asking each for the top
// it should have, again and again as the layout changes.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/testing/InputDriver.h"
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

// ---- the focus moving through a group that scrolls ----

// The control's top in the group's client area.
int TopInGroup(const TControl* c, const TCategoryPanelGroup* g) {
  int top = 0;
  for (; c && c != g; c = c->Parent()) top += c->Top();
  return top;
}

TEST_F(CategoryPanelGroupTest, TabAndShiftTabScrollTheFocusedControlIntoView) {
  InputDriver driver;
  group->SetBounds(0, 0, 300, 150);
  // Two edits in each panel, near the top and near the bottom of its surface: 400 pixels of
  // panels in 150.
  std::vector<TEdit*> edits;
  for (char name : std::string("ABCD")) {
    for (int top : {5, 40}) {
      auto* e = New<TEdit>(form);
      e->SetParent(panels[name]);
      e->SetBounds(10, top, 100, 21);
      edits.push_back(e);
    }
  }
  ASSERT_TRUE(group->ScrollBarVisible());
  ASSERT_EQ(group->ScrollPos(), 0);
  std::vector<int> contentTops;
  for (TEdit* e : edits) contentTops.push_back(TopInGroup(e, group));
  edits.front()->SetFocus();
  auto checkInView = [&](const char* key, size_t i) {
    const int top = TopInGroup(edits[i], group);
    EXPECT_GE(top, 0) << key << " " << i;
    EXPECT_LE(top + edits[i]->Height(), group->ClientHeight()) << key << " " << i;
    EXPECT_EQ(top, contentTops[i] - group->ScrollPos()) << key << " " << i;
  };
  for (size_t i = 1; i < edits.size(); ++i) {
    driver.Key(form, VK_TAB);
    ASSERT_EQ(form->FocusedControl(), edits[i]);
    checkInView("Tab", i);
  }
  // The least scroll that shows the last edit: its bottom on the group's bottom.
  EXPECT_EQ(group->ScrollPos(), contentTops.back() + edits.back()->Height() - group->ClientHeight());
  for (size_t i = edits.size() - 1; i-- > 0;) {
    driver.Key(form, VK_TAB, {ssShift});
    ASSERT_EQ(form->FocusedControl(), edits[i]);
    checkInView("Shift+Tab", i);
  }
  // Back at the first edit, its top on the group's top.
  EXPECT_EQ(group->ScrollPos(), contentTops.front());
}

// A control already in view does not scroll the group.
TEST_F(CategoryPanelGroupTest, FocusOnAControlInViewLeavesTheScrollAlone) {
  group->SetBounds(0, 0, 300, 150);
  auto* first = New<TEdit>(form);
  first->SetParent(panels['B']);
  first->SetBounds(10, 10, 100, 21);
  auto* second = New<TEdit>(form);
  second->SetParent(panels['B']);
  second->SetBounds(10, 50, 100, 21);
  group->SetScrollPos(100);
  first->SetFocus();
  EXPECT_EQ(group->ScrollPos(), 100);
  second->SetFocus();
  EXPECT_EQ(group->ScrollPos(), 100);
}

}  // namespace
