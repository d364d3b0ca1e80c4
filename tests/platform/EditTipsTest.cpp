// A control's replaceable message handler, an edit's balloon tip, the beep, the clipboard's
// Unicode text, and a control that takes the focus back while it is left.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/EditTips.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/testing/InputDriver.h"

namespace {

struct EditForm {
  InputDriver driver;
  TForm* form = New<TForm>(nullptr);
  TEdit* a = New<TEdit>(form);
  TEdit* b = New<TEdit>(form);
  EditForm() {
    form->SetBounds(0, 0, 300, 200);
    a->SetParent(form);
    a->SetBounds(10, 10, 100, 20);
    b->SetParent(form);
    b->SetBounds(10, 50, 100, 20);
    form->Show();
  }
  ~EditForm() { delete form; }
};

TEST(WindowProc, AReplacementSeesEveryMessageAndPassesOnTheRest) {
  EditForm f;
  std::vector<unsigned> seen;
  TControl::TWndMethod own = f.a->WindowProc();
  f.a->SetWindowProc([&](TMessage& m) {
    seen.push_back(m.Msg);
    if (m.Msg == WM_GETDLGCODE) {
      m.Result = 0x83;
      return;
    }
    own(m);
  });
  EXPECT_EQ(f.a->Perform(WM_GETDLGCODE, 0, 0), 0x83);
  f.a->SetFocus();
  f.driver.Type(f.form, u"hi");
  EXPECT_EQ(StringToUtf8(f.a->Text()), "hi");  // typing reached the edit through the replacement
  EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<unsigned>(WM_CHAR)), seen.end());
  f.a->SetWindowProc(nullptr);  // back to WndProc
  EXPECT_NE(f.a->Perform(WM_GETDLGCODE, 0, 0), 0x83);
}

TEST(EditTips, BalloonShowsTitleIconAndTextWithoutTakingTheFocus) {
  EditForm f;
  f.a->SetFocus();
  ASSERT_TRUE(Edit_ShowBalloonTip(f.a, TEditBalloonTip{u"Title", u"Text", TTI_WARNING}));
  TEditBalloonTip tip;
  ASSERT_TRUE(Edit_BalloonTipShown(f.a, &tip));
  EXPECT_EQ(StringToUtf8(tip.Title), "Title");
  EXPECT_EQ(StringToUtf8(tip.Text), "Text");
  EXPECT_EQ(tip.Icon, TTI_WARNING);
  EXPECT_FALSE(Edit_BalloonTipTakesFocus(f.a));
  EXPECT_TRUE(f.a->Focused());
  EXPECT_FALSE(Edit_BalloonTipShown(f.b));
  Edit_HideBalloonTip(f.a);
  EXPECT_FALSE(Edit_BalloonTipShown(f.a));
}

TEST(EditTips, ClipboardKeepsCharactersOutsideAnyCodePage) {
  const String text = u"\u00FC\u20AC\u4E2D";
  SetClipboardText(text);
  EXPECT_TRUE(ClipboardHasText());
  EXPECT_EQ(ClipboardText(), text);
}

TEST(EditTips, BeepsAreCounted) {
  const int before = MessageBeepCount();
  MessageBeep(0);
  EXPECT_EQ(MessageBeepCount(), before + 1);
}

TEST(FocusChange, AControlTakingTheFocusBackWhileLeftKeepsIt) {
  EditForm f;
  int exits = 0;
  f.a->OnExit = [&](TObject*) {
    if (++exits == 1) f.a->SetFocus();
  };
  f.a->SetFocus();
  f.b->SetFocus();
  EXPECT_TRUE(f.a->Focused());
  EXPECT_EQ(f.form->ActiveControl(), f.a);
  f.b->SetFocus();  // the second exit lets it go
  EXPECT_EQ(exits, 2);
  EXPECT_TRUE(f.b->Focused());
}

}  // namespace
