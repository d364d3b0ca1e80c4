#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"

namespace {

// A dialog as the program builds them: OK carries no modal result, its handler sets it.
class TFDialog : public TForm {
 public:
  explicit TFDialog(TComponent* owner) : TForm(owner) {
    SetName(u"FDialog");
    SetBorderStyle(bsSingle);
    SetClientWidth(200);
    SetClientHeight(100);
    ok = New<TButton>(this);
    ok->SetParent(this);
    ok->SetBounds(10, 60, 75, 25);
    ok->OnClick = [this](TObject*) { SetModalResult(mrOk); };
    cancel = New<TButton>(this);
    cancel->SetParent(this);
    cancel->SetBounds(100, 60, 75, 25);
    cancel->SetModalResult(mrCancel);
    OnShow = [this](TObject*) { events.push_back("show"); };
    OnClose = [this](TObject*, TCloseAction&) { events.push_back("close"); };
    OnCreate = [this](TObject*) { events.push_back("create"); };
  }
  TButton* ok = nullptr;
  TButton* cancel = nullptr;
  std::vector<std::string> events;
};

class FormsModalTest : public ::testing::Test {
 protected:
  void SetUp() override { dlg = New<TFDialog>(nullptr); }
  void TearDown() override { delete dlg; }
  ModalScript script;
  InputDriver driver;
  TFDialog* dlg = nullptr;
};

TEST_F(FormsModalTest, CreationHandlerRunsInsideCreation) {
  EXPECT_EQ(dlg->events, std::vector<std::string>{"create"});
  EXPECT_FALSE(dlg->Visible());
}

TEST_F(FormsModalTest, ScriptedAnswerIsTheResultAndTheFormRanItsEvents) {
  script.AnswerModal(u"FDialog", mrOk);
  script.AnswerModal(u"", mrCancel);
  EXPECT_EQ(dlg->ShowModal(), mrOk);
  EXPECT_EQ(dlg->ShowModal(), mrCancel);
  EXPECT_EQ(dlg->events, (std::vector<std::string>{"create", "show", "close", "show", "close"}));
  EXPECT_FALSE(dlg->Visible());
  ASSERT_EQ(script.ModalForms().size(), 2u);
  EXPECT_EQ(script.ModalForms()[0].FormName, u"FDialog");
  EXPECT_EQ(script.ModalForms()[0].Result, mrOk);
  EXPECT_EQ(script.Unanswered(), 0);
}

TEST_F(FormsModalTest, ButtonsDrivenByTheScriptEndTheForm) {
  struct Case {
    const char* what;
    std::function<void(TFDialog*)> act;
    int expected;
  } cases[] = {
      {"OK handler sets the result", [&](TFDialog* f) { driver.Click(f->ok); }, mrOk},
      {"Cancel button carries its result", [&](TFDialog* f) { driver.Click(f->cancel); }, mrCancel},
      {"close box gives Cancel", [&](TFDialog* f) { driver.CloseBox(f); }, mrCancel},
      {"Escape on a Cancel button", [&](TFDialog* f) {
         f->cancel->SetCancel(true);
         driver.Key(f, VK_ESCAPE);
       }, mrCancel},
  };
  for (auto& c : cases) {
    script.AnswerModal(u"FDialog", [&](TForm*) {
      c.act(dlg);
      return mrNone;
    });
    EXPECT_EQ(dlg->ShowModal(), c.expected) << c.what;
  }
}

TEST_F(FormsModalTest, CloseQueryCanKeepTheFormOpen) {
  dlg->OnCloseQuery = [](TObject*, bool& can) { can = false; };
  script.AnswerModal(u"FDialog", mrOk);
  EXPECT_EQ(dlg->ShowModal(), mrNone);
  EXPECT_FALSE(dlg->Visible());
}

TEST_F(FormsModalTest, UnansweredModalFormIsCancelledAndCounted) {
  EXPECT_EQ(dlg->ShowModal(), mrCancel);
  EXPECT_EQ(script.Unanswered(), 1);
}

TEST_F(FormsModalTest, ShowModalOfAVisibleFormRaises) {
  dlg->Show();
  EXPECT_THROW(dlg->ShowModal(), Exception);
}

TEST_F(FormsModalTest, MessageBoxKindTextAndButtonsAreRecorded) {
  script.ExpectMessage(mrNo);
  EXPECT_EQ(MessageDlg(u"Do you want to exit without saving changes?", mtConfirmation, mbYesNo, 0), mrNo);
  EXPECT_EQ(MessageDlg(u"Error! Project not Valid", mtError, TMsgDlgButtons{mbOK}, 0), mrOk);
  ASSERT_EQ(script.Messages().size(), 2u);
  const auto& q = script.Messages()[0];
  EXPECT_EQ(q.Type, mtConfirmation);
  EXPECT_EQ(q.Text, u"Do you want to exit without saving changes?");
  EXPECT_EQ(q.Buttons, mbYesNo);
  EXPECT_EQ(q.Result, mrNo);
  const auto& e = script.Messages()[1];
  EXPECT_EQ(e.Type, mtError);
  EXPECT_EQ(e.Caption, u"Error");
  EXPECT_EQ(e.Buttons, TMsgDlgButtons{mbOK});
  EXPECT_EQ(script.Unanswered(), 1);
}

TEST_F(FormsModalTest, ExceptionInOnClickShowsTheErrorBoxAndTheProgramGoesOn) {
  int clicks = 0;
  dlg->ok->OnClick = [&](TObject*) {
    ++clicks;
    if (clicks == 1) throw EConvertError(u"'x' is not a valid integer value");
    dlg->SetModalResult(mrOk);
  };
  script.AnswerModal(u"FDialog", [&](TForm*) {
    driver.Click(dlg->ok);
    EXPECT_EQ(dlg->ModalResult(), mrNone);
    driver.Click(dlg->ok);
    return mrNone;
  });
  EXPECT_EQ(dlg->ShowModal(), mrOk);
  EXPECT_EQ(clicks, 2);
  ASSERT_EQ(script.Messages().size(), 1u);
  EXPECT_EQ(script.Messages()[0].Type, mtError);
  EXPECT_EQ(script.Messages()[0].Text, u"'x' is not a valid integer value.");
  EXPECT_EQ(script.Messages()[0].Buttons, TMsgDlgButtons{mbOK});
}

TEST_F(FormsModalTest, AbortIsSilentAndOnExceptionReplacesTheBox) {
  dlg->ok->OnClick = [](TObject*) { throw EAbort(u"quiet"); };
  driver.Click(dlg->ok);
  EXPECT_TRUE(script.Messages().empty());
  std::string seen;
  Application->OnException = [&](TObject*, const std::exception& e) { seen = e.what(); };
  dlg->ok->OnClick = [](TObject*) { throw std::runtime_error("plain"); };
  driver.Click(dlg->ok);
  Application->OnException = nullptr;
  EXPECT_EQ(seen, "plain");
  EXPECT_TRUE(script.Messages().empty());
}

TEST_F(FormsModalTest, HandleExceptionOutsideAHandlerReportsNothing) {
  Application->HandleException(dlg);
  EXPECT_TRUE(script.Messages().empty());
}

TEST_F(FormsModalTest, ClientSizeExcludesTheFrame) {
  TRect f = dlg->FrameExtents();
  EXPECT_EQ(dlg->ClientWidth(), 200);
  EXPECT_EQ(dlg->Width(), 200 + f.Left + f.Right);
  EXPECT_EQ(dlg->Height(), 100 + f.Top + f.Bottom);
}

TEST_F(FormsModalTest, AlignedPanelsFollowTheForm) {
  TForm* form = New<TForm>(nullptr);
  form->SetClientWidth(460);
  form->SetClientHeight(700);
  TWinControl* top = New<TWinControl>(form);
  top->SetParent(form);
  top->SetHeight(69);
  top->SetAlign(alTop);
  TWinControl* bottom = New<TWinControl>(form);
  bottom->SetParent(form);
  bottom->SetHeight(40);
  bottom->SetAlign(alBottom);
  TWinControl* client = New<TWinControl>(form);
  client->SetParent(form);
  client->SetAlign(alClient);
  TButton* anchored = New<TButton>(form);
  anchored->SetParent(bottom);
  anchored->SetBounds(333, 6, 110, 28);
  anchored->SetAnchors(TAnchors{akTop, akRight});
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 460, 69));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 660, 460, 700));
  EXPECT_EQ(client->BoundsRect(), Rect(0, 69, 460, 660));
  form->SetClientHeight(500);
  form->SetClientWidth(560);
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 460, 560, 500));
  EXPECT_EQ(client->BoundsRect(), Rect(0, 69, 560, 460));
  EXPECT_EQ(anchored->Left(), 433);
  delete form;
}

TEST_F(FormsModalTest, ResizeEventsReachTheForm) {
  int resizes = 0;
  dlg->OnResize = [&](TObject*) { ++resizes; };
  dlg->SetClientWidth(300);
  dlg->SetClientWidth(300);
  EXPECT_EQ(resizes, 1);
}

}  // namespace
