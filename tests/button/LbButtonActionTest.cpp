// The push button with an action: the action's properties follow into the button, a click runs
// the action after OnClick, an image of the action list's images becomes the empty glyph, and a
// freed action is let go.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "button/LbButton.h"
#include "platform/ActnList.h"
#include "platform/Forms.h"
#include "platform/testing/ImageCanvas.h"

namespace {

class LbButtonActionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 120);
    btn = New<TLbButton>(form);
    btn->SetParent(form);
    btn->SetBounds(10, 10, 100, 23);
    action = new TAction(form);
    list = new TActionList(form);
    images = new TImageList(form);
    images->SetWidth(12);
    images->SetHeight(10);
    auto red = PatternBitmap(12, 10, {clRed});
    auto blue = PatternBitmap(12, 10, {clBlue});
    images->Add(red.get(), nullptr);
    images->Add(blue.get(), nullptr);
    list->SetImages(images);
    form->Show();
  }
  void TearDown() override { delete form; }
  TForm* form = nullptr;
  TLbButton* btn = nullptr;
  TAction* action = nullptr;
  TActionList* list = nullptr;
  TImageList* images = nullptr;
};

TEST_F(LbButtonActionTest, PropertiesFollowTheAction) {
  action->SetCaption(u"&Save");
  action->SetHint(u"Save the file");
  btn->SetAction(action);
  EXPECT_EQ(btn->Action(), action);
  EXPECT_EQ(btn->Caption(), u"&Save");
  EXPECT_EQ(btn->Hint(), u"Save the file");
  action->SetEnabled(false);
  EXPECT_FALSE(btn->Enabled());
  action->SetEnabled(true);
  EXPECT_TRUE(btn->Enabled());
  action->SetVisible(false);
  EXPECT_FALSE(btn->Visible());
  action->SetCaption(u"Save &as");
  EXPECT_EQ(btn->Caption(), u"Save &as");
}

TEST_F(LbButtonActionTest, ClickRunsOnClickThenTheAction) {
  std::vector<std::string> order;
  btn->OnClick = [&](TObject*) { order.push_back("click"); };
  action->OnExecute = [&](TObject* s) {
    EXPECT_EQ(s, action);
    order.push_back("action");
  };
  btn->SetAction(action);
  btn->Click();
  EXPECT_EQ(order, (std::vector<std::string>{"click", "action"}));
  EXPECT_FALSE(btn->Pressed());
}

TEST_F(LbButtonActionTest, ClickWithoutOnClickRunsTheAction) {
  int runs = 0;
  action->OnExecute = [&](TObject*) { ++runs; };
  btn->SetAction(action);
  btn->Click();
  EXPECT_EQ(runs, 1);
}

TEST_F(LbButtonActionTest, DisabledActionDoesNotRunAndDisablesTheButton) {
  int runs = 0, clicks = 0;
  btn->OnClick = [&](TObject*) { ++clicks; };
  action->OnExecute = [&](TObject*) { ++runs; };
  action->SetEnabled(false);
  btn->SetAction(action);
  EXPECT_FALSE(btn->Enabled());
  btn->Click();
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(clicks, 0);
}

TEST_F(LbButtonActionTest, ActionImageBecomesTheEmptyGlyph) {
  struct Case {
    const char* name;
    bool inList;
    bool withImages;
    int imageIndex;
    bool glyphSet;
    bool copied;
    TColor colour;
  };
  const std::vector<Case> cases = {
      {"first image", true, true, 0, false, true, clRed},
      {"last image", true, true, 1, false, true, clBlue},
      {"no image index", true, true, -1, false, false, clNone},
      {"index past the list", true, true, 2, false, false, clNone},
      {"no action list", false, true, 0, false, false, clNone},
      {"list without images", true, false, 0, false, false, clNone},
      {"glyph already set", true, true, 0, true, false, clNone},
  };
  for (const Case& c : cases) {
    auto* b = New<TLbButton>(form);
    b->SetParent(form);
    auto* a = new TAction(form);
    auto* l = new TActionList(form);
    if (c.withImages) l->SetImages(images);
    if (c.inList) a->SetActionList(l);
    a->SetImageIndex(c.imageIndex);
    auto own = PatternBitmap(8, 8, {clLime});
    if (c.glyphSet) b->SetGlyph(own.get());
    b->SetAction(a);
    if (c.copied) {
      EXPECT_EQ(b->Glyph()->Width(), 12) << c.name;
      EXPECT_EQ(b->Glyph()->Height(), 10) << c.name;
      EXPECT_EQ(b->NumGlyphs(), 1) << c.name;
      EXPECT_EQ(BitmapPixel(b->Glyph(), 0, 0), c.colour) << c.name;
      EXPECT_EQ(BitmapPixel(b->Glyph(), 11, 9), c.colour) << c.name;
    } else if (c.glyphSet) {
      EXPECT_EQ(b->Glyph()->Width(), 8) << c.name;
      EXPECT_EQ(BitmapPixel(b->Glyph(), 0, 0), clLime) << c.name;
    } else {
      EXPECT_TRUE(b->Glyph()->Empty()) << c.name;
    }
    delete b;
    delete a;
    delete l;
  }
}

TEST_F(LbButtonActionTest, ImageIsCopiedWhenTheActionChangesLater) {
  action->SetActionList(list);
  btn->SetAction(action);
  EXPECT_TRUE(btn->Glyph()->Empty());
  action->SetImageIndex(1);
  ASSERT_FALSE(btn->Glyph()->Empty());
  EXPECT_EQ(BitmapPixel(btn->Glyph(), 5, 5), clBlue);
  // The glyph is no longer empty: another image index leaves it alone.
  action->SetImageIndex(0);
  EXPECT_EQ(BitmapPixel(btn->Glyph(), 5, 5), clBlue);
}

TEST_F(LbButtonActionTest, FreedActionIsLetGo) {
  btn->SetAction(action);
  delete action;
  EXPECT_EQ(btn->Action(), nullptr);
  int clicks = 0;
  btn->OnClick = [&](TObject*) { ++clicks; };
  btn->Click();
  EXPECT_EQ(clicks, 1);
}

}  // namespace
