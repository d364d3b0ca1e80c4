// The OPC UA server entry dialog: its layout by authorization, the policy that follows the security
// type, and its check.
#include <gtest/gtest.h>

#include "button/LbButton.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "protocols/ethernet_it/UOPC_UA_Add_Server.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

class OpcUaAddServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Strings();
    d_ = New<TFOPC_UA_Add_Server>(nullptr);
  }
  void TearDown() override { delete d_; }

  // Shows the dialog; Drive runs while it is shown. Returns the modal result.
  int Show(int FormType, const std::function<void()>& Drive) {
    d_->FormType = FormType;
    script_.AnswerModal(u"FOPC_UA_Add_Server", [&](TForm*) {
      Drive();
      return mrNone;
    });
    return d_->ShowModal();
  }
  std::vector<String> Messages() {
    std::vector<String> m;
    for (const auto& r : script_.Messages()) m.push_back(r.Text);
    return m;
  }

  ModalScript script_;
  InputDriver driver_;
  TFOPC_UA_Add_Server* d_ = nullptr;
};

}  // namespace

TEST_F(OpcUaAddServerTest, TheAuthorizationShowsItsFieldsAndKeepsTheHiddenTexts) {
  Show(1, [&] {
    EXPECT_EQ(d_->ClientWidth(), 407);
    EXPECT_EQ(d_->ClientHeight(), 308);
    EXPECT_EQ(d_->CB_Auth->Style(), csDropDownList);
    EXPECT_EQ(d_->E_Mnemonic->Top(), 232);
    d_->CB_Auth->UserSelect(2);
    EXPECT_EQ(d_->ClientHeight(), 508);
    EXPECT_TRUE(d_->RE_Certificate->Visible());
    EXPECT_FALSE(d_->E_User->Visible());
    EXPECT_EQ((std::vector<int>{d_->L_Priv_Key->Top(), d_->RE_Priv_Key->Top(), d_->CB_Sec_Policy->Top()}),
              (std::vector<int>{271, 268, 400}));
    d_->RE_Certificate->SetText(u"CERT");
    d_->RE_Priv_Key->SetText(u"KEY");
    d_->CB_Auth->UserSelect(0);
    EXPECT_FALSE(d_->RE_Certificate->Visible());
    EXPECT_FALSE(d_->L_Certificate->Visible());
    EXPECT_EQ(d_->ClientHeight(), 308);
    d_->CB_Auth->UserSelect(2);
    EXPECT_EQ(d_->RE_Certificate->Text(), u"CERT");
    EXPECT_EQ(d_->RE_Priv_Key->Text(), u"KEY");
    d_->CB_Auth->UserSelect(1);
    EXPECT_EQ(d_->ClientHeight(), 372);
    EXPECT_TRUE(d_->E_Pass->Visible());
    EXPECT_EQ(d_->E_Pass->Top(), 200);
    EXPECT_EQ(d_->E_Mnemonic->Top(), 296);
  });
}

TEST_F(OpcUaAddServerTest, ThePolicyIsChosenOnlyWithASecurityMode) {
  Show(1, [&] {
    EXPECT_FALSE(d_->CB_Sec_Policy->Enabled());
    d_->CB_Sec_Type->UserSelect(1);
    EXPECT_TRUE(d_->CB_Sec_Policy->Enabled());
    EXPECT_EQ(d_->CB_Sec_Policy->ItemIndex(), 0);
    d_->CB_Sec_Policy->UserSelect(4);
    d_->CB_Sec_Type->UserSelect(0);
    EXPECT_EQ(d_->CB_Sec_Policy->ItemIndex(), 0);
    EXPECT_FALSE(d_->CB_Sec_Policy->Enabled());
  });
  // A change of a server whose type is "None" but whose policy is another one.
  d_->CB_Sec_Type->SetItemIndex(0);
  d_->CB_Sec_Policy->SetItemIndex(5);
  d_->E_Server_Add->SetText(u"kept");
  Show(2, [&] {
    EXPECT_EQ(d_->Caption(), u"Modify OPC UA Server");
    EXPECT_EQ(d_->CB_Sec_Policy->Text(), u"None");
    EXPECT_EQ(d_->E_Server_Add->Text(), u"kept");
  });
  // A new server starts from the reset controls.
  Show(1, [&] {
    EXPECT_EQ(d_->Caption(), u"Add OPC UA Server");
    EXPECT_EQ(d_->E_Server_Add->Text(), u"");
  });
}

TEST_F(OpcUaAddServerTest, OkChecksTheFieldsOfTheChosenAuthorization) {
  struct Case {
    const char* Name;
    int Auth;
    const char16_t* Address;
    const char16_t* User;
    const char16_t* Pass;
    const char16_t* Cert;
    const char16_t* Key;
    const char16_t* Message;  // nullptr: OK closes the dialog
  };
  const Case cases[] = {
      {"no address", 0, u"  ", u"", u"", u"", u"", u"Error!! The Server Address cannot be empty"},
      {"anonymous with the address alone", 0, u"opc.tcp://127.0.0.1:4840", u"", u"", u"", u"", nullptr},
      {"anonymous ignores the hidden fields", 0, u"a", u" ", u"", u"", u"", nullptr},
      {"no user", 1, u"a", u"", u"p", u"", u"", u"Error!! The Username cannot be empty"},
      {"a password of blanks", 1, u"a", u"u", u"   ", u"", u"", u"Error!! The Password cannot be empty"},
      {"user and password", 1, u"a", u"u", u"p", u"", u"", nullptr},
      {"no certificate", 2, u"a", u"", u"", u"", u"k", u"Error!! The Certificate cannot be empty"},
      {"no key", 2, u"a", u"", u"", u"c", u" \r\n", u"Error!! The Private Key cannot be empty"},
      {"certificate and key", 2, u"a", u"", u"", u"c", u"k", nullptr},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    const size_t before = script_.Messages().size();
    const int result = Show(1, [&] {
      d_->E_Server_Add->SetText(k.Address);
      d_->CB_Auth->UserSelect(k.Auth);
      d_->E_User->SetText(k.User);
      d_->E_Pass->SetText(k.Pass);
      d_->RE_Certificate->SetText(k.Cert);
      d_->RE_Priv_Key->SetText(k.Key);
      driver_.Click(d_->Btn_OK);
    });
    const std::vector<String> m = Messages();
    EXPECT_EQ(result, k.Message ? mrNone : mrOk);
    ASSERT_EQ(m.size(), before + (k.Message ? 1 : 0));
    if (k.Message) {
      EXPECT_EQ(m.back(), k.Message);
    }
  }
}
