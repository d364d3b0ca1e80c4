// A push button of a main window that opens a dialog: the keys and the mouse that close the
// dialog must not act on the main window's button, and the dialog's buttons come back plain.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "button/LbButton.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/PaintToPng.h"
#include "platform/testing/QtEvents.h"
#include "platform/testing/ScratchFolder.h"

namespace {

TLbButton* AddButton(TForm* form, const String& name, int left, int top) {
  auto* b = New<TLbButton>(form);
  b->SetName(name);
  b->SetParent(form);
  b->SetBounds(left, top, 110, 28);
  b->SetCaption(name);
  return b;
}

// The main window with its "New" button and a dialog with an edit, a default OK button and a
// cancel button, as New Configuration has.
class LbButtonDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    main = New<TForm>(nullptr);
    main->SetName(u"FMain");
    main->SetClientWidth(300);
    main->SetClientHeight(100);
    btnNew = AddButton(main, u"Btn_New", 10, 10);
    dialog = New<TForm>(nullptr);
    dialog->SetName(u"FDialog");
    dialog->SetClientWidth(300);
    dialog->SetClientHeight(120);
    edit = New<TEdit>(dialog);
    edit->SetParent(dialog);
    edit->SetBounds(10, 10, 200, 21);
    ok = AddButton(dialog, u"Btn_OK", 10, 80);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    ok->SetHotTrackColor(clYellow);
    cancel = AddButton(dialog, u"Btn_Cancel", 150, 80);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    main->Show();
    btnNew->SetFocus();
  }
  void TearDown() override {
    delete dialog;
    delete main;
  }

  ModalScript script;
  InputDriver driver;
  TForm* main = nullptr;
  TLbButton* btnNew = nullptr;
  TForm* dialog = nullptr;
  TEdit* edit = nullptr;
  TLbButton* ok = nullptr;
  TLbButton* cancel = nullptr;
};

// How the dialog opened by the main window's button is closed with a key held down.
enum class TCloser { DialogDefaultButton, DialogCancelButton, MessageBox };
// How the release of that key reaches the main window.
enum class TRelease { Driver, Qt };

struct TCloseCase {
  const char* name;
  TCloser closer;
  Word key;
  TRelease release;
};

void PrintTo(const TCloseCase& c, std::ostream* os) { *os << c.name; }

class LbButtonDialogKeyTest : public LbButtonDialogTest, public ::testing::WithParamInterface<TCloseCase> {};

TEST_P(LbButtonDialogKeyTest, ReleaseOfTheKeyThatClosedTheDialogDoesNotClickTheMainButton) {
  const TCloseCase& c = GetParam();
  int opened = 0;
  btnNew->OnClick = [&](TObject*) {
    ++opened;
    if (c.closer == TCloser::MessageBox) {
      // The box is answered by the key going down in it (the script stands for that).
      MessageDlg(u"Configuration exists", mtError, TMsgDlgButtons{mbOK});
    } else {
      edit->SetFocus();
      dialog->ShowModal();
    }
  };
  script.AnswerModal(u"FDialog", [&](TForm* d) {
    driver.KeyDown(d, c.key);  // closes the dialog; the key is still held
    return mrNone;
  });
  // Enter on the focused New button opens the dialog on its release.
  driver.Key(main, VK_RETURN);
  ASSERT_EQ(opened, 1);
  if (c.closer != TCloser::MessageBox) {
    ASSERT_EQ(script.ModalForms().size(), 1u);
    EXPECT_EQ(script.ModalForms()[0].Result, c.closer == TCloser::DialogDefaultButton ? mrOk : mrCancel);
  }
  ASSERT_TRUE(btnNew->Focused());
  // The key comes up after the dialog has gone, at the main window's focused button.
  if (c.release == TRelease::Driver) driver.KeyUp(main, c.key);
  else qtevents::KeyRelease(btnNew, c.key, 0);
  EXPECT_EQ(opened, 1);
  EXPECT_FALSE(btnNew->Pressed());
  // The button still answers a key pressed and released on it.
  script.AnswerModal(u"FDialog", mrCancel);
  script.ExpectMessage(mrOk);
  driver.Key(main, VK_SPACE);
  EXPECT_EQ(opened, 2);
}

const TCloseCase kCloseCases[] = {
    {"EnterOnTheDialogsDefaultButton", TCloser::DialogDefaultButton, VK_RETURN, TRelease::Driver},
    {"EnterOnTheDialogsDefaultButtonReleasedThroughQt", TCloser::DialogDefaultButton, VK_RETURN, TRelease::Qt},
    {"EnterOnAnErrorBox", TCloser::MessageBox, VK_RETURN, TRelease::Driver},
    {"EnterOnAnErrorBoxReleasedThroughQt", TCloser::MessageBox, VK_RETURN, TRelease::Qt},
    {"EscapeOnTheDialogsCancelButton", TCloser::DialogCancelButton, VK_ESCAPE, TRelease::Driver},
};

INSTANTIATE_TEST_SUITE_P(Closers, LbButtonDialogKeyTest, ::testing::ValuesIn(kCloseCases),
                         [](const ::testing::TestParamInfo<TCloseCase>& i) { return std::string(i.param.name); });

TEST_F(LbButtonDialogTest, KeyGoneDownBeforeTheButtonLostTheFocusDoesNotClickOnItsRelease) {
  int clicks = 0;
  btnNew->OnClick = [&](TObject*) { ++clicks; };
  auto* other = AddButton(main, u"Btn_Open", 150, 10);
  driver.KeyDown(main, VK_SPACE);
  EXPECT_TRUE(btnNew->Pressed());
  other->SetFocus();
  EXPECT_FALSE(btnNew->Pressed());
  btnNew->SetFocus();
  driver.KeyUp(main, VK_SPACE);
  EXPECT_EQ(clicks, 0);
  // Down on one key, up on the other: no click either.
  driver.KeyDown(main, VK_SPACE);
  driver.KeyUp(main, VK_RETURN);
  EXPECT_EQ(clicks, 0);
  driver.KeyUp(main, VK_SPACE);
  EXPECT_EQ(clicks, 1);
}

// Pixels of the button that show the yellow hot-track colour.
int YellowPixels(TForm* form, TControl* button, const char* file) {
  TScratchFolder scratch("lbbutton_hot");
  const std::filesystem::path png = scratch / file;
  if (!PaintToPng(form, Utf8ToString(png.string()))) return -1;
  TPicture pic;
  pic.LoadFromFile(Utf8ToString(png.string()));
  TCanvas* c = pic.Bitmap()->Canvas();
  int n = 0;
  for (int y = button->Top(); y < button->Top() + button->Height(); ++y) {
    for (int x = button->Left(); x < button->Left() + button->Width(); ++x) {
      const TColor p = ColorToRGB(c->Pixels(x, y));
      if (GetRValue(p) > 200 && GetGValue(p) > 200 && GetBValue(p) < 120) ++n;
    }
  }
  return n;
}

class LbButtonHotTrackAcrossShowingsTest : public LbButtonDialogTest, public ::testing::WithParamInterface<bool> {};

TEST_P(LbButtonHotTrackAcrossShowingsTest, ButtonThatClosedTheDialogIsNotHighlightedWhenItIsShownAgain) {
  ok->SetSlowDecease(GetParam());
  int yellowWhileOver = 0;
  script.AnswerModal(u"FDialog", [&](TForm* d) {
    driver.MouseEnter(ok);
    EXPECT_TRUE(ok->MouseOver());
    yellowWhileOver = YellowPixels(d, ok, "lbbutton_hot_first.png");
    driver.Click(ok);  // the dialog hides under the mouse: no leave arrives
    return mrNone;
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_GT(yellowWhileOver, 50);
  EXPECT_FALSE(ok->MouseOver());
  EXPECT_EQ(ok->HotTrackStep(), 0);
  EXPECT_FALSE(ok->FadeTimerRunning());

  int yellowShownAgain = -1;
  bool overShownAgain = true;
  script.AnswerModal(u"FDialog", [&](TForm* d) {
    overShownAgain = ok->MouseOver();
    yellowShownAgain = YellowPixels(d, ok, "lbbutton_hot_again.png");
    // The mouse entering lights it again.
    driver.MouseEnter(ok);
    EXPECT_EQ(ok->HotTrackStep(), 8);
    return mrCancel;
  });
  driver.AdvanceTime(1000);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_FALSE(overShownAgain);
  EXPECT_EQ(yellowShownAgain, 0);
}

INSTANTIATE_TEST_SUITE_P(Fade, LbButtonHotTrackAcrossShowingsTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& i) {
                           return std::string(i.param ? "SlowDecease" : "NoFade");
                         });

}  // namespace
