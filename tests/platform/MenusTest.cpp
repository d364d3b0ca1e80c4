// Popup menus: the item tree, what a popup shows, which picks click, and lifetimes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/testing/ModalScript.h"

namespace {

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const String& caption, std::vector<std::string>* log = nullptr) {
  TMenuItem* item = New<TMenuItem>(owner);
  item->SetCaption(caption);
  if (log) item->OnClick = [log, caption](TObject*) { log->push_back(StringToUtf8(caption)); };
  parent->Add(item);
  return item;
}

// Copy, &Paste (disabled), -, Hidden (invisible), Wrap (checked), More > [Sub A, Sub B (hidden)],
// Locked (disabled) > [Inner].
class MenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    menu = New<TPopupMenu>(form);
    TMenuItem* root = menu->Items();
    copy = AddItem(form, root, u"Copy", &clicked);
    paste = AddItem(form, root, u"&Paste", &clicked);
    paste->SetEnabled(false);
    line = AddItem(form, root, u"-", &clicked);
    hidden = AddItem(form, root, u"Hidden", &clicked);
    hidden->SetVisible(false);
    wrap = AddItem(form, root, u"Wrap", &clicked);
    wrap->SetChecked(true);
    more = AddItem(form, root, u"More", &clicked);
    subA = AddItem(form, more, u"Sub A", &clicked);
    subB = AddItem(form, more, u"Sub B", &clicked);
    subB->SetVisible(false);
    locked = AddItem(form, root, u"Locked", &clicked);
    locked->SetEnabled(false);
    inner = AddItem(form, locked, u"Inner", &clicked);
  }
  void TearDown() override { delete form; }

  ModalScript script;
  TForm* form = nullptr;
  TPopupMenu* menu = nullptr;
  TMenuItem *copy = nullptr, *paste = nullptr, *line = nullptr, *hidden = nullptr, *wrap = nullptr,
            *more = nullptr, *subA = nullptr, *subB = nullptr, *locked = nullptr, *inner = nullptr;
  std::vector<std::string> clicked;
};

TEST_F(MenusTest, ShowsTheVisibleItemsWithTheirStatesAtThePoint) {
  std::vector<TPopupShown> shown;
  TPopupAnswerScope answer([&](const TPopupShown& s) {
    shown.push_back(s);
    return nullptr;
  });
  menu->Popup(120, 340);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].Menu, menu);
  EXPECT_EQ(shown[0].At, Point(120, 340));
  struct Row {
    TMenuItem* Item;
    const char16_t* Caption;
    int Level;
    bool Enabled, Checked, Line;
  };
  const Row expected[] = {
      {copy, u"Copy", 0, true, false, false},    {paste, u"&Paste", 0, false, false, false},
      {line, u"-", 0, true, false, true},        {wrap, u"Wrap", 0, true, true, false},
      {more, u"More", 0, true, false, false},    {subA, u"Sub A", 1, true, false, false},
      {locked, u"Locked", 0, false, false, false}, {inner, u"Inner", 1, true, false, false},
  };
  ASSERT_EQ(shown[0].Items.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const TPopupShownItem& s = shown[0].Items[i];
    SCOPED_TRACE(StringToUtf8(expected[i].Caption));
    EXPECT_EQ(s.Item, expected[i].Item);
    EXPECT_EQ(s.Caption, expected[i].Caption);
    EXPECT_EQ(s.Level, expected[i].Level);
    EXPECT_EQ(s.Enabled, expected[i].Enabled);
    EXPECT_EQ(s.Checked, expected[i].Checked);
    EXPECT_EQ(s.Line, expected[i].Line);
  }
  EXPECT_TRUE(clicked.empty());
}

TEST_F(MenusTest, OnlyWhatAUserCouldPickIsClicked) {
  TPopupMenu* otherMenu = New<TPopupMenu>(form);
  TMenuItem* foreign = AddItem(form, otherMenu->Items(), u"Foreign", &clicked);
  struct Case {
    TMenuItem* Pick;
    std::vector<std::string> Clicked;
  };
  const Case cases[] = {
      {copy, {"Copy"}}, {wrap, {"Wrap"}}, {subA, {"Sub A"}},
      {nullptr, {}},                    // dismissed
      {paste, {}},                      // disabled
      {hidden, {}}, {subB, {}},         // not shown
      {line, {}},                       // a separator
      {more, {}},                       // opens its submenu
      {inner, {}},                      // under a disabled submenu
      {foreign, {}},                    // not in this menu
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Pick ? StringToUtf8(c.Pick->Caption()) : "none");
    clicked.clear();
    TPopupAnswerScope answer([&](const TPopupShown&) { return c.Pick; });
    menu->Popup(0, 0);
    EXPECT_EQ(clicked, c.Clicked);
  }
}

TEST_F(MenusTest, OnPopupRunsFirstAndItsChangesAreShown) {
  std::vector<std::string> order;
  menu->OnPopup = [&](TObject* sender) {
    EXPECT_EQ(sender, menu);
    order.push_back("popup");
    paste->SetEnabled(true);
    wrap->SetChecked(false);
    copy->SetVisible(false);
  };
  paste->OnClick = [&](TObject*) { order.push_back("paste"); };
  TPopupAnswerScope answer([&](const TPopupShown& s) {
    order.push_back("shown");
    EXPECT_EQ(s.Items[0].Item, paste);
    EXPECT_TRUE(s.Items[0].Enabled);
    EXPECT_EQ(s.Items[2].Item, wrap);
    EXPECT_FALSE(s.Items[2].Checked);
    return paste;
  });
  menu->Popup(5, 6);
  EXPECT_EQ(order, (std::vector<std::string>{"popup", "shown", "paste"}));
}

TEST_F(MenusTest, UnansweredUnderTheModalSeamIsDismissed) {
  int popups = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  menu->Popup(10, 10);
  EXPECT_EQ(popups, 1);
  EXPECT_TRUE(clicked.empty());
}

TEST_F(MenusTest, MenuFreedWhileItPopsIsLeftAlone) {
  int popups = 0;
  std::vector<TPopupShown> shown;
  TPopupAnswerScope answer([&](const TPopupShown& s) {
    shown.push_back(s);
    delete menu;  // frees its items as well
    return copy;
  });
  menu->Popup(0, 0);
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_EQ(form->ComponentCount(), 0);
  EXPECT_TRUE(clicked.empty());

  TPopupMenu* second = New<TPopupMenu>(form);
  AddItem(form, second->Items(), u"Item", &clicked);
  second->OnPopup = [&](TObject*) {
    ++popups;
    delete second;
  };
  second->Popup(0, 0);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(shown.size(), 1u);  // never shown
  EXPECT_TRUE(clicked.empty());
}

TEST(MenuItemTree, AddInsertRemoveDeleteAndLifetimes) {
  TForm* form = New<TForm>(nullptr);
  TMenuItem* a = New<TMenuItem>(form);
  TMenuItem* b = New<TMenuItem>(form);
  TMenuItem* c = New<TMenuItem>(form);
  TMenuItem* root = New<TMenuItem>(nullptr);
  root->Add(a);
  root->Add(b);
  root->Insert(0, c);  // c a b
  ASSERT_EQ(root->Count(), 3);
  EXPECT_EQ(root->Items(0), c);
  EXPECT_EQ(root->IndexOf(b), 2);
  EXPECT_EQ(b->Parent(), root);
  root->Insert(3, c);  // moving within the same parent: a b c
  EXPECT_EQ(root->IndexOf(c), 2);
  EXPECT_EQ(root->Count(), 3);

  a->Add(b);  // moves: a [b], c
  EXPECT_EQ(root->Count(), 2);
  EXPECT_EQ(b->Parent(), a);
  EXPECT_THROW(b->Add(a), EListError);  // a cycle
  EXPECT_THROW(root->Items(2), EListError);
  EXPECT_THROW(root->Insert(5, New<TMenuItem>(form)), EListError);

  // A freed item leaves its parent; a freed parent frees its sub-items (and they their owner).
  delete c;
  EXPECT_EQ(root->Count(), 1);
  const int owned = form->ComponentCount();
  root->Delete(0);  // frees a and b
  EXPECT_EQ(root->Count(), 0);
  EXPECT_EQ(form->ComponentCount(), owned - 2);

  // The owner frees items and menu in any order without freeing anything twice.
  TPopupMenu* menu = New<TPopupMenu>(form);
  TMenuItem* x = New<TMenuItem>(form);
  TMenuItem* y = New<TMenuItem>(form);
  menu->Items()->Add(x);
  x->Add(y);
  delete form;
  delete root;
}

}  // namespace

#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "platform/testing/InputDriver.h"

namespace {

// A right click asks the control under the mouse for its context menu; one without a menu passes
// the request up to its parent. A freed menu is let go.
TEST(ContextMenuTest, RightClickPopsTheNearestMenuAtTheMouse) {
  ModalScript script;
  InputDriver driver;
  TForm* form = New<TForm>(nullptr);
  form->SetBounds(100, 100, 300, 200);
  auto* panel = New<TPanel>(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 200, 100);
  auto* label = New<TLabel>(form);
  label->SetParent(panel);
  label->SetBounds(20, 20, 60, 16);
  auto* menu = New<TPopupMenu>(form);
  menu->Items()->Add(New<TMenuItem>(form));
  menu->Items()->Items(0)->SetCaption(u"Copy");
  panel->SetPopupMenu(menu);
  form->Show();

  std::vector<TPoint> shown;
  TPopupAnswerScope answer([&](const TPopupShown& s) {
    shown.push_back(s.At);
    return nullptr;
  });
  driver.MouseDown(label, 3, 4, mbRight);
  driver.MouseUp(label, 3, 4, mbRight);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], label->ClientToScreen(Point(3, 4)));
  EXPECT_EQ(menu->PopupComponent(), panel);

  driver.MouseDown(label, 3, 4, mbLeft);
  driver.MouseUp(label, 3, 4, mbLeft);
  EXPECT_EQ(shown.size(), 1u);

  delete menu;
  EXPECT_EQ(panel->PopupMenu(), nullptr);
  driver.MouseDown(label, 3, 4, mbRight);
  driver.MouseUp(label, 3, 4, mbRight);
  EXPECT_EQ(shown.size(), 1u);
  delete form;
}

// The keyboard asks the focused control: the menu key on its release, Shift+F10 on its press; the
// menu shows at the control's top-left. A native edit without a menu of ours keeps its own and
// does not pass the request to its parent.
TEST(ContextMenuTest, MenuKeyAndShiftF10AskTheFocusedControl) {
  ModalScript script;
  InputDriver driver;
  TForm* form = New<TForm>(nullptr);
  form->SetBounds(100, 100, 300, 200);
  auto* edit = New<TEdit>(form);
  edit->SetParent(form);
  edit->SetBounds(20, 30, 100, 21);
  auto* menu = New<TPopupMenu>(form);
  menu->Items()->Add(New<TMenuItem>(form));
  form->Show();
  edit->SetFocus();

  std::vector<TPoint> shown;
  TPopupAnswerScope answer([&](const TPopupShown& s) {
    shown.push_back(s.At);
    return nullptr;
  });
  form->SetPopupMenu(menu);
  driver.Key(form, VK_APPS);
  driver.MouseDown(edit, 3, 4, mbRight);
  driver.MouseUp(edit, 3, 4, mbRight);
  EXPECT_TRUE(shown.empty());

  edit->SetPopupMenu(menu);
  driver.Key(form, VK_APPS);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], edit->ClientToScreen(Point(0, 0)));
  driver.Key(form, VK_F10, TShiftState{ssShift});
  EXPECT_EQ(shown.size(), 2u);
  driver.Key(form, VK_F10);
  EXPECT_EQ(shown.size(), 2u);
  delete form;
}

}  // namespace
