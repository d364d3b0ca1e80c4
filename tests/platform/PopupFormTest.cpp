// The popup form kind, the monitors' geometry, activation messages, the edit messages and the key
// data of the keypad's decimal key.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Forms.h"
#include "platform/PopupForm.h"
#include "platform/StdCtrls.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/QtEvents.h"

namespace {

// A form that records the activation messages it hears.
class TActivationForm : public TForm {
 public:
  using TForm::TForm;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_ACTIVATE) Heard.push_back({static_cast<unsigned>(Message.WParam), Message.LParam});
    TForm::WndProc(Message);
  }
  struct THeard {
    unsigned How;
    intptr_t Other;
    bool operator==(const THeard&) const = default;
  };
  std::vector<THeard> Heard;
};

class TActivationPopup : public TPopupForm {
 public:
  using TPopupForm::TPopupForm;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_ACTIVATE) Heard.push_back({static_cast<unsigned>(Message.WParam), Message.LParam});
    if (Message.Msg == WM_SIZING) ++Sizings;
    TPopupForm::WndProc(Message);
  }
  std::vector<TActivationForm::THeard> Heard;
  int Sizings = 0;
};

class PopupFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner = New<TActivationForm>(nullptr);
    owner->SetBounds(50, 50, 300, 200);
    owner->Show();
    popup = New<TActivationPopup>(nullptr);
    popup->SetOwnerForm(owner);
  }
  void TearDown() override {
    delete popup;
    delete owner;
    SetTestMonitors({});
  }
  static intptr_t Of(TForm* f) { return reinterpret_cast<intptr_t>(f); }

  ModalScript script;
  InputDriver driver;
  TActivationForm* owner = nullptr;
  TActivationPopup* popup = nullptr;
};

TEST_F(PopupFormTest, NearestMonitorsWorkArea) {
  SetTestMonitors({{Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040)},
                   {Rect(-1280, 0, 0, 1024), Rect(-1280, 0, 0, 984)},
                   {Rect(1920, 0, 3840, 1080), Rect(1920, 30, 3840, 1080)}});
  const struct {
    TPoint P;
    TRect Expected;
  } cases[] = {
      {{100, 100}, Rect(0, 0, 1920, 1040)},       {{-5, 500}, Rect(-1280, 0, 0, 984)},
      {{2000, 10}, Rect(1920, 30, 3840, 1080)},   {{-2000, 500}, Rect(-1280, 0, 0, 984)},
      {{5000, 5000}, Rect(1920, 30, 3840, 1080)}, {{1919, 1079}, Rect(0, 0, 1920, 1040)},
  };
  for (const auto& c : cases) EXPECT_EQ(MonitorWorkAreaNear(c.P), c.Expected) << c.P.X << "," << c.P.Y;
  SetTestMonitors({});
  EXPECT_FALSE(Monitors().empty());
}

TEST_F(PopupFormTest, ShowingActivatesAndAPressElsewhereDeactivates) {
  popup->SetBounds(60, 80, 100, 60);
  popup->Show();
  EXPECT_EQ(Screen->ActiveForm(), popup);
  EXPECT_EQ(popup->Heard, (std::vector<TActivationForm::THeard>{{WA_ACTIVE, Of(owner)}}));
  EXPECT_EQ(owner->Heard, (std::vector<TActivationForm::THeard>{{WA_INACTIVE, Of(popup)}}));
  // A press inside the popup keeps it active; one on the owner moves the activation.
  driver.MouseDown(popup, 5, 5);
  driver.MouseUp(popup, 5, 5);
  EXPECT_EQ(popup->Heard.size(), 1u);
  driver.Click(owner, 250, 150);
  EXPECT_EQ(popup->Heard.back(), (TActivationForm::THeard{WA_INACTIVE, Of(owner)}));
  EXPECT_EQ(owner->Heard.back(), (TActivationForm::THeard{WA_CLICKACTIVE, Of(popup)}));
  EXPECT_EQ(Screen->ActiveForm(), owner);
  // Presses between ordinary forms send nothing.
  const size_t heard = owner->Heard.size();
  popup->Hide();
  driver.Click(owner, 250, 150);
  EXPECT_EQ(owner->Heard.size(), heard);
}

TEST_F(PopupFormTest, MinimumSizeAndTheSizingSeam) {
  popup->SetMinSize(80, 50);
  popup->SetBounds(0, 0, 10, 10);
  EXPECT_EQ(popup->Width(), 80);
  EXPECT_EQ(popup->Height(), 50);
  TPopupForm::SetSizingSeam([](TPopupForm*, int& W, int& H) {
    W = 200;
    H = 30;
    return true;
  });
  popup->StartSizing();
  EXPECT_EQ(popup->Width(), 200);
  EXPECT_EQ(popup->Height(), 50);
  EXPECT_EQ(popup->Sizings, 1);
  TPopupForm::SetSizingSeam([](TPopupForm*, int&, int&) { return false; });
  popup->StartSizing();
  EXPECT_EQ(popup->Sizings, 1);
  TPopupForm::SetSizingSeam(nullptr);
  EXPECT_TRUE(popup->PopupKind());
  EXPECT_EQ(popup->BorderStyle(), bsNone);
}

TEST_F(PopupFormTest, EditMessages) {
  TScopedFakeMetrics metrics;  // 7 pixels a character
  auto* edit = new TEdit(owner);
  edit->SetParent(owner);
  edit->SetBounds(0, 0, 120, 21);
  edit->SetText(u"abcdef");
  TRect r = Rect(3, 1, 100, 22);
  edit->Perform(EM_SETRECTNP, 0, reinterpret_cast<intptr_t>(&r));
  TRect back{};
  edit->Perform(EM_GETRECT, 0, reinterpret_cast<intptr_t>(&back));
  EXPECT_EQ(back, r);
  // The text starts one pixel inside the rectangle; a point goes to the nearer character edge.
  EXPECT_EQ(edit->Perform(EM_CHARFROMPOS, 0, MakeLParam(4 + 7 * 2 + 2, 5)) & 0xFFFF, 2);
  EXPECT_EQ(edit->Perform(EM_CHARFROMPOS, 0, MakeLParam(4 + 7 * 2 + 5, 5)) & 0xFFFF, 3);
  EXPECT_EQ(edit->Perform(EM_CHARFROMPOS, 0, MakeLParam(500, 5)) & 0xFFFF, 6);
  edit->Perform(EM_SETSEL, 1, 4);
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(edit->SelLength(), 3);
  EXPECT_EQ(edit->Perform(EM_GETSEL), MakeLParam(1, 4));
  edit->Perform(EM_SETREADONLY, 1);
  EXPECT_TRUE(edit->ReadOnly());
  // A change reaches OnChange as the edit's change notification, which a control can swallow.
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SetText(u"x");
  EXPECT_EQ(changes, 1);
  edit->SetWindowProc([&](TMessage& m) {
    if (m.Msg == CN_COMMAND && WParamHi(m.WParam) == EN_CHANGE) return;
    edit->WndProc(m);
  });
  edit->SetText(u"y");
  EXPECT_EQ(changes, 1);
  edit->SetWindowProc(nullptr);
}

TEST_F(PopupFormTest, KeypadDecimalKeyCarriesScanBit22) {
  auto* edit = new TEdit(owner);
  edit->SetParent(owner);
  std::vector<intptr_t> charData;
  edit->SetWindowProc([&](TMessage& m) {
    if (m.Msg == WM_CHAR) charData.push_back(m.LParam);
    edit->WndProc(m);
  });
  owner->FocusControl(edit);
  driver.KeypadDecimal(owner);
  driver.Type(owner, u".");
  owner->Widget();
  qtevents::KeyPress(edit, VK_DECIMAL, qtevents::Keypad, u".");
  qtevents::KeyPress(edit, VK_OEM_PERIOD, 0, u".");
  ASSERT_EQ(charData.size(), 4u);
  EXPECT_NE(charData[0] & KF_SCANBIT22, 0);
  EXPECT_EQ(charData[1] & KF_SCANBIT22, 0);
  EXPECT_NE(charData[2] & KF_SCANBIT22, 0);
  EXPECT_EQ(charData[3] & KF_SCANBIT22, 0);
  edit->SetWindowProc(nullptr);
}

}  // namespace
