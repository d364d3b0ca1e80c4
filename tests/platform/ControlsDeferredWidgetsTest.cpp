// The children of a control that is hidden when its window is made get theirs when it is first
// shown (or when one of them is asked for its window), all together and in stacking order.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/testing/PaintToPng.h"
#include "platform/testing/WidgetLook.h"

namespace {

constexpr TColor kDeferredBack = 0x00996633, kDeferredFront = 0x00336655;

class ControlsDeferredWidgetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    before = LiveWidgetCount();
    form = New<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 200);
    host = New<TPanel>(form);
    host->SetParent(form);
    host->SetBounds(0, 0, 200, 150);
    host->SetVisible(false);
    back = Part(kDeferredBack, 10);
    front = Part(kDeferredFront, 40);
    edit = New<TEdit>(form);
    edit->SetParent(back);
  }
  void TearDown() override {
    delete form;
    DeleteDeferredWidgets();
    EXPECT_EQ(LiveWidgetCount(), before);
  }
  // Two panels overlapping from (40, 40) to (90, 90) inside the hidden host.
  TPanel* Part(TColor Color, int At) {
    TPanel* p = New<TPanel>(form);
    p->SetParent(host);
    p->SetBounds(At, At, 80, 80);
    p->SetColor(Color);
    return p;
  }
  // The colour the shown form has where the two panels overlap.
  TColor OverlapColour() {
    std::unique_ptr<TBitmap> shot = PaintToBitmap(form);
    return shot->Canvas()->Pixels(60, 60);
  }
  void ShowForm() {
    form->Show();
    Application->ProcessMessages();
  }

  int before = 0;
  TForm* form = nullptr;
  TPanel* host = nullptr;
  TPanel* back = nullptr;
  TPanel* front = nullptr;
  TEdit* edit = nullptr;
};

TEST_F(ControlsDeferredWidgetsTest, AHiddenControlsChildrenGetTheirWindowsWhenItIsShown) {
  ShowForm();
  EXPECT_TRUE(host->HandleAllocated());
  for (TWinControl* c : std::initializer_list<TWinControl*>{back, front, edit}) EXPECT_FALSE(c->HandleAllocated());

  host->SetVisible(true);
  Application->ProcessMessages();
  for (TWinControl* c : std::initializer_list<TWinControl*>{back, front, edit}) EXPECT_TRUE(c->HandleAllocated());
  EXPECT_EQ(ShownLook(back).Ground, kDeferredBack);
  EXPECT_EQ(OverlapColour(), kDeferredFront);
}

TEST_F(ControlsDeferredWidgetsTest, AskingOneChildForItsWindowMakesAllItsSiblingsInStackingOrder) {
  ShowForm();
  edit->HandleNeeded();  // the back panel first, through its child
  for (TWinControl* c : std::initializer_list<TWinControl*>{back, front, edit}) EXPECT_TRUE(c->HandleAllocated());
  host->SetVisible(true);
  Application->ProcessMessages();
  EXPECT_EQ(OverlapColour(), kDeferredFront);
}

TEST_F(ControlsDeferredWidgetsTest, AControlPutUnderAWaitingParentWaitsAndOneMovedInKeepsItsPlace) {
  ShowForm();
  TPanel* late = New<TPanel>(form);
  late->SetParent(host);
  EXPECT_FALSE(late->HandleAllocated());
  // Moved in with its window and brought to the front: it must cover the others once they are
  // made, as the stacking order says, though they are made after it.
  TPanel* moved = New<TPanel>(form);
  moved->SetParent(form);
  moved->SetBounds(200, 0, 80, 80);
  moved->SetColor(clRed);
  ASSERT_TRUE(moved->HandleAllocated());
  moved->SetParent(host);
  moved->SetBounds(50, 50, 20, 20);
  moved->BringToFront();
  host->SetVisible(true);
  Application->ProcessMessages();
  EXPECT_TRUE(late->HandleAllocated());
  EXPECT_EQ(OverlapColour(), clRed);
}

TEST_F(ControlsDeferredWidgetsTest, AFormIsDestroyedWithChildrenThatNeverGotWindows) {
  ShowForm();
  EXPECT_FALSE(edit->HandleAllocated());
  // TearDown checks that no widget outlives the form.
}

}  // namespace
