// The push button with a popup menu: every click pops the menu below the button, the drop-down
// arrow is painted while a menu is attached, and a freed menu is let go.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "button/LbButton.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/PaintToPng.h"
#include "platform/testing/ScratchFolder.h"

namespace {

class LbButtonPopupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetName(u"FDialog");
    form->SetBounds(200, 150, 320, 140);
    edit = New<TEdit>(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 120, 21);
    btn = New<TLbButton>(form);
    btn->SetParent(form);
    btn->SetBounds(30, 50, 100, 23);
    btn->SetCaption(u"&Tools");
    btn->OnClick = [this](TObject*) { log.push_back("click"); };
    menu = New<TPopupMenu>(form);
    menu->OnPopup = [this](TObject*) { log.push_back("popup"); };
    item = New<TMenuItem>(form);
    item->SetCaption(u"Export");
    item->OnClick = [this](TObject*) { log.push_back("export"); };
    menu->Items()->Add(item);
    btn->SetPopupMenu(menu);
    form->Show();
  }
  void TearDown() override { delete form; }

  // Answers every popup with the item and records where it was shown.
  TPopupAnswerScope PickItem() {
    return TPopupAnswerScope([this](const TPopupShown& s) {
      EXPECT_EQ(s.Menu, menu);
      shownAt.push_back(s.At);
      return item;
    });
  }

  ModalScript script;
  InputDriver driver;
  TForm* form = nullptr;
  TEdit* edit = nullptr;
  TLbButton* btn = nullptr;
  TPopupMenu* menu = nullptr;
  TMenuItem* item = nullptr;
  std::vector<std::string> log;
  std::vector<TPoint> shownAt;
};

TEST_F(LbButtonPopupTest, EveryClickPopsTheMenuBelowTheButtonAfterOnClick) {
  const TPoint below = form->ClientToScreen(Point(30, 50 + 23));
  struct Case {
    const char* Name;
    std::function<void()> Act;
  };
  const Case cases[] = {
      {"mouse", [&] { driver.Click(btn); }},
      {"release off the button", [&] {
         driver.MouseDown(btn, 10, 10);
         driver.MouseUp(btn, 150, 90);
       }},
      {"Enter on the button", [&] {
         btn->SetFocus();
         driver.Key(form, VK_RETURN);
       }},
      {"Space on the button", [&] {
         btn->SetFocus();
         driver.Key(form, VK_SPACE);
       }},
      {"accelerator", [&] {
         edit->SetFocus();
         driver.Key(form, 'T', {ssAlt});
       }},
      {"Default button", [&] {
         btn->SetDefault(true);
         edit->SetFocus();
         driver.Key(form, VK_RETURN);
         btn->SetDefault(false);
       }},
      {"program", [&] { btn->Click(); }},
  };
  auto answer = PickItem();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    log.clear();
    shownAt.clear();
    c.Act();
    EXPECT_EQ(log, (std::vector<std::string>{"click", "popup", "export"}));
    ASSERT_EQ(shownAt.size(), 1u);
    EXPECT_EQ(shownAt[0], below);
    EXPECT_FALSE(btn->Pressed());
  }
}

TEST_F(LbButtonPopupTest, NoClickNoPopup) {
  struct Case {
    const char* Name;
    std::function<void()> Act;
  };
  const Case cases[] = {
      {"disabled, mouse", [&] {
         btn->SetEnabled(false);
         driver.Click(btn);
       }},
      {"disabled, program", [&] {
         btn->SetEnabled(false);
         btn->Click();
       }},
      {"hidden, program", [&] {
         btn->Hide();
         btn->Click();
       }},
  };
  auto answer = PickItem();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    btn->SetEnabled(true);
    btn->Show();
    log.clear();
    shownAt.clear();
    c.Act();
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(shownAt.empty());
  }
}

// The attached menu is also the button's context menu: a right click pops it at the mouse, and
// no click of the button follows; without AutoPopup nothing happens.
TEST_F(LbButtonPopupTest, RightClickPopsTheMenuAtTheMouseWithoutAClick) {
  auto answer = PickItem();
  driver.MouseDown(btn, 5, 7, mbRight);
  driver.MouseUp(btn, 5, 7, mbRight);
  EXPECT_EQ(log, (std::vector<std::string>{"popup", "export"}));
  ASSERT_EQ(shownAt.size(), 1u);
  EXPECT_EQ(shownAt[0], btn->ClientToScreen(Point(5, 7)));
  EXPECT_EQ(menu->PopupComponent(), btn);

  log.clear();
  shownAt.clear();
  menu->SetAutoPopup(false);
  driver.MouseDown(btn, 5, 7, mbRight);
  driver.MouseUp(btn, 5, 7, mbRight);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(shownAt.empty());
}

TEST_F(LbButtonPopupTest, TheFormHasItsModalResultBeforeTheMenuPops) {
  btn->SetModalResult(mrOk);
  int resultAtPopup = -1;
  menu->OnPopup = [&](TObject*) { resultAtPopup = form->ModalResult(); };
  script.AnswerModal(u"FDialog", [&](TForm*) {
    driver.Click(btn);
    return mrNone;
  });
  auto answer = PickItem();
  form->Hide();
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(resultAtPopup, mrOk);
  EXPECT_EQ(shownAt.size(), 1u);
}

TEST_F(LbButtonPopupTest, AFreedMenuIsLetGo) {
  // Owned by the form, by nobody; then a button freed before its menu.
  delete menu;
  EXPECT_EQ(btn->PopupMenu(), nullptr);
  auto answer = PickItem();
  driver.Click(btn);
  EXPECT_EQ(log, (std::vector<std::string>{"click"}));
  EXPECT_TRUE(shownAt.empty());

  TPopupMenu* loose = New<TPopupMenu>(nullptr);
  btn->SetPopupMenu(loose);
  EXPECT_EQ(btn->PopupMenu(), loose);
  delete loose;
  EXPECT_EQ(btn->PopupMenu(), nullptr);

  loose = New<TPopupMenu>(nullptr);
  btn->SetPopupMenu(loose);
  TLbButton* second = New<TLbButton>(form);
  second->SetPopupMenu(loose);
  second->SetPopupMenu(nullptr);  // stops listening; the first still does
  delete btn;
  delete second;
  delete loose;
}

TEST_F(LbButtonPopupTest, DropDownArrowWhileAMenuIsAttached) {
  constexpr TColor kFace = 0xEDF7F8;
  TLbButton* plain = New<TLbButton>(form);
  plain->SetParent(form);
  plain->SetBounds(150, 50, 100, 23);
  for (TLbButton* b : {btn, plain}) {
    b->SetCaption(u"");
    b->SetColor(kFace);
  }
  TScratchFolder scratch("lb_button_popup");
  const auto png = scratch / "arrow.png";
  auto paintAndRead = [&](TPicture& pic) {
    ASSERT_TRUE(PaintToPng(form, Utf8ToString(png.string())));
    pic.LoadFromFile(Utf8ToString(png.string()));
  };
  // The triangle's rows at (W - 11, H div 2 - 1) = (89, 10): 5, 3 and 1 black pixels.
  const char* const kArrow[] = {"#####", ".###.", "..#.."};
  auto arrowOf = [&](TPicture& pic, TLbButton* b) {
    std::vector<std::string> rows;
    for (int y = 10; y < 13; ++y) {
      std::string row;
      for (int x = 88; x < 95; ++x) {
        const TColor c = ColorToRGB(pic.Bitmap()->Canvas()->Pixels(b->Left() + x, b->Top() + y));
        row += c == clBlack ? '#' : c == kFace ? '.' : '?';
      }
      rows.push_back(row);
    }
    return rows;
  };
  const std::vector<std::string> withArrow = {std::string(".") + kArrow[0] + ".",
                                              std::string(".") + kArrow[1] + ".",
                                              std::string(".") + kArrow[2] + "."};
  const std::vector<std::string> without(3, ".......");

  TPicture pic;
  paintAndRead(pic);
  EXPECT_EQ(arrowOf(pic, btn), withArrow);
  EXPECT_EQ(arrowOf(pic, plain), without);

  plain->SetPopupMenu(menu);
  delete menu;  // both buttons lose it
  paintAndRead(pic);
  EXPECT_EQ(arrowOf(pic, btn), without);
  EXPECT_EQ(arrowOf(pic, plain), without);
}

}  // namespace
