// The update dialog with an echo client standing in for the network: the echo sequence on a
// virtual clock, the outcome of an update click, the address edits and the showing.
#include "button/LbButton.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/PaintToPng.h"
#include "tests/gateway/BootTestSupport.h"

using namespace boot_test;

namespace {

class BootEchoSequence : public BootTest {
 protected:
  // Runs the check against a fake that answers as given; wait steps move the virtual clock.
  bool Check(std::vector<int> answers) {
    fake = std::make_unique<TFakeEcho>(std::move(answers));
    form->Use_Echo_Client(fake.get());
    form->Echo_Wait_Step = [this] { clock.Advance(Boot_Echo_Step_Ms); };
    start = clock.Ticks();
    return form->Send_Ping();
  }
  void SetUp() override {
    BootTest::SetUp();
    clock.Install();
    Set_Address(u"10", u"0", u"0", u"7");
  }
  void TearDown() override {
    form->Use_Echo_Client(nullptr);
    BootTest::TearDown();
  }
  VirtualClock clock;
  std::unique_ptr<TFakeEcho> fake;
  uint32_t start = 0;
};

}  // namespace

TEST_F(BootEchoSequence, StopsAfterTwoAnswersOrAfterFiveSeconds) {
  constexpr int N = -1;  // never answered
  struct Case {
    const char* what;
    std::vector<int> answers;
    bool result;
    int pingRes;
    int echoes;
  } cases[] = {
      {"every echo answered", {5, 5, 5, 5}, true, 1, 2},
      {"first and third answered", {5, N, 5}, true, 1, 3},
      // One answer, then silence: the echoes go on until 5 s have passed, and the last one
      // decides. 10 ms for the first, then 400 ms per unanswered echo up to 5210 ms.
      {"only the first answered", {5}, false, 2, 14},
      {"none answered", {}, false, 2, 13},
      {"answers arrive after the time-out", {450, 450, 450}, false, 2, 13},
      {"first answered, last one answered again", {5, N, N, N, N, N, N, N, N, N, N, N, N, 5}, true, 1, 14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Check(c.answers), c.result);
    EXPECT_EQ(form->ping_res, c.pingRes);
    EXPECT_EQ(fake->EchoesSent(), c.echoes);
    if (!c.result) {
      EXPECT_GT(TicksElapsed(start, clock.Ticks()), Boot_Echo_Total_Ms);
    }
  }
}

TEST_F(BootEchoSequence, EachEchoCarriesTheAddressAsTyped) {
  Set_Address(u"127", u"0", u"0", u"1");
  ASSERT_TRUE(Check({0, 0}));
  ASSERT_EQ(fake->data.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(fake->data[i], u"127.0.0.1");
    EXPECT_EQ(fake->hosts[i], u"127.0.0.1");
  }
}

TEST_F(BootEchoSequence, AnEchoThatCannotBeSentEndsTheCheckAtOnce) {
  Set_Address(u"abc", u"0", u"0", u"1");
  EXPECT_FALSE(Check({0, 0}));
  EXPECT_EQ(form->ping_res, 0);
  EXPECT_EQ(fake->EchoesSent(), 0);
  EXPECT_EQ(clock.Ticks(), start);
}

TEST_F(BootEchoSequence, UpdateClickOutcomes) {
  struct Case {
    const char* what;
    std::vector<int> answers;
    const char16_t* first;
    TMsgDlgType type;
    int message;  // 0: none
    bool updated;
  } cases[] = {
      {"device answers", {5, 5}, u"10", mtInformation, 0, true},
      {"device silent", {}, u"10", mtWarning, 1636, false},
      {"answers only the first echo", {5}, u"10", mtWarning, 1636, false},
      {"not an address", {5, 5}, u"abc", mtError, 1637, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(Script_Path());
    Last_IP_Address = u"192.168.2.205";
    Last_Update_Option = 0;
    Last_Read_Back = true;
    Set_Address(c.first, u"0", u"0", u"7");
    form->CB_Update_Options->SetItemIndex(2);
    form->CB_Update_Option_Read_Back->SetChecked(false);
    fake = std::make_unique<TFakeEcho>(c.answers);
    form->Use_Echo_Client(fake.get());
    form->Echo_Wait_Step = [this] { clock.Advance(Boot_Echo_Step_Ms); };

    ModalScript script;
    form->Btn_UpdateClick(form->Btn_Update);
    if (c.message) {
      ASSERT_EQ(script.Messages().size(), 1u);
      EXPECT_EQ(script.Messages()[0].Type, c.type);
      EXPECT_EQ(StringToUtf8(script.Messages()[0].Text), Text(c.message));
      EXPECT_EQ(script.Messages()[0].Buttons, TMsgDlgButtons{mbOK});
    } else {
      EXPECT_TRUE(script.Messages().empty());
    }
    EXPECT_EQ(std::filesystem::exists(Script_Path()), c.updated);
    ASSERT_EQ(script.StartedPrograms().size(), c.updated ? 1u : 0u);
    if (c.updated) {
      const TProgramRequest& run = script.StartedPrograms()[0];
      EXPECT_EQ(run.Exe, Program_Folder + u"/Ethernet_Update.exe");
      EXPECT_TRUE(run.Args.empty());
      EXPECT_EQ(run.WorkDir, Program_Folder);
      EXPECT_EQ(run.WaitMs, Start_Program_Default_Limit_Ms);
      EXPECT_EQ(Last_IP_Address, u"10.0.0.7");
      EXPECT_EQ(Last_Update_Option, 2);
      EXPECT_FALSE(Last_Read_Back);
    } else {
      EXPECT_EQ(Last_IP_Address, u"192.168.2.205");
      EXPECT_EQ(Last_Update_Option, 0);
      EXPECT_TRUE(Last_Read_Back);
    }
    EXPECT_TRUE(form->Btn_Update->Enabled());
    EXPECT_TRUE(form->E_IP1->Enabled());
  }
}

TEST_F(BootEchoSequence, CheckLocksTheButtonAndTheAddressAndRefusesReentry) {
  fake = std::make_unique<TFakeEcho>(std::vector<int>{30, 30});
  form->Use_Echo_Client(fake.get());
  int steps = 0;
  bool lockedEveryStep = true;
  form->Echo_Wait_Step = [&] {
    ++steps;
    lockedEveryStep = lockedEveryStep && !form->Btn_Update->Enabled() && !form->E_IP1->Enabled() &&
                      !form->E_IP4->Enabled();
    // A second click while the check runs must not start another one.
    const int before = fake->EchoesSent();
    form->Btn_UpdateClick(form->Btn_Update);
    EXPECT_EQ(fake->EchoesSent(), before);
    clock.Advance(Boot_Echo_Step_Ms);
  };
  ModalScript script;
  form->Btn_UpdateClick(form->Btn_Update);
  EXPECT_GT(steps, 0);
  EXPECT_TRUE(lockedEveryStep);
  EXPECT_EQ(fake->EchoesSent(), 2);
  EXPECT_EQ(script.StartedPrograms().size(), 1u);
  EXPECT_TRUE(form->Btn_Update->Enabled());
  EXPECT_TRUE(form->E_IP1->Enabled());
}

TEST_F(BootEchoSequence, ClosingTheDialogDuringTheCheckUpdatesNothing) {
  fake = std::make_unique<TFakeEcho>(std::vector<int>{5, 300});
  form->Use_Echo_Client(fake.get());
  form->Echo_Wait_Step = [&] {
    if (fake->EchoesSent() == 2) form->SetModalResult(mrCancel);  // Cancel pressed meanwhile
    clock.Advance(Boot_Echo_Step_Ms);
  };
  ModalScript script;
  form->Btn_UpdateClick(form->Btn_Update);
  EXPECT_EQ(fake->EchoesSent(), 2);
  EXPECT_TRUE(script.Messages().empty());
  EXPECT_TRUE(script.StartedPrograms().empty());
  EXPECT_FALSE(std::filesystem::exists(Script_Path()));
  EXPECT_EQ(Last_IP_Address, u"192.168.2.205");
}

TEST_F(BootEchoSequence, UpdaterThatDoesNotStartIsReported) {
  fake = std::make_unique<TFakeEcho>(std::vector<int>{0, 0});
  form->Use_Echo_Client(fake.get());
  ModalScript script;
  TProgramResult refused;
  refused.Error = u"No such file or directory";
  script.AnswerProgram(refused);
  form->Btn_UpdateClick(form->Btn_Update);
  ASSERT_EQ(script.Messages().size(), 1u);
  EXPECT_EQ(script.Messages()[0].Type, mtError);
  EXPECT_EQ(StringToUtf8(script.Messages()[0].Text),
            Text(1638) + dir_.Path().string() + "/Ethernet_Update.exe\nNo such file or directory");
  // The script was written before the start was tried.
  EXPECT_TRUE(std::filesystem::exists(Script_Path()));
}

TEST_F(BootTest, ShowingFillsTheControlsFromTheLastUpdate) {
  struct Case {
    const char16_t* last;
    std::vector<const char16_t*> edits;
  } cases[] = {
      {u"10.1.2.3", {u"10", u"1", u"2", u"3"}},
      {u" 10 . 1.2 .3 ", {u"10", u"1", u"2", u"3"}},
      {u"10.1.2.300", {u"a", u"b", u"c", u"d"}},  // refused: the edits keep their texts
      {u"", {u"a", u"b", u"c", u"d"}},
      {u"10.1.2", {u"a", u"b", u"c", u"d"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.last));
    Set_Address(u"a", u"b", u"c", u"d");
    Last_IP_Address = c.last;
    Last_Update_Option = 1;
    Last_Read_Back = false;
    ModalScript script;
    script.AnswerModal(u"FBoot", [&](TForm*) {
      EXPECT_EQ(form->E_IP1->Text(), c.edits[0]);
      EXPECT_EQ(form->E_IP2->Text(), c.edits[1]);
      EXPECT_EQ(form->E_IP3->Text(), c.edits[2]);
      EXPECT_EQ(form->E_IP4->Text(), c.edits[3]);
      EXPECT_EQ(form->CB_Update_Options->ItemIndex(), 1);
      EXPECT_FALSE(form->CB_Update_Option_Read_Back->Checked());
      EXPECT_EQ(form->ActiveControl(), form->E_IP1);
      return mrCancel;
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);
  }
}

TEST_F(BootTest, ShowingLaysOutTheEthernetPanels) {
  ModalScript script;
  script.AnswerModal(u"FBoot", [&](TForm*) {
    EXPECT_EQ(form->ClientWidth(), 449);
    EXPECT_EQ(form->ClientHeight(), 230);
    EXPECT_TRUE(form->P_IP_Address->Visible());
    EXPECT_TRUE(form->P_Options->Visible());
    EXPECT_FALSE(form->P_Serial->Visible());
    EXPECT_FALSE(form->P_Eth_Search->Visible());
    // Title, address, options from the top; buttons at the bottom.
    EXPECT_EQ(form->P_Title->Top(), 0);
    EXPECT_EQ(form->P_IP_Address->Top(), 69);
    EXPECT_EQ(form->P_Options->Top(), 69 + 49);
    EXPECT_EQ(form->P_Button->Top(), 230 - 40);
    EXPECT_LT(form->P_IP_Address->TabOrder(), form->P_Options->TabOrder());
    EXPECT_LT(form->P_Options->TabOrder(), form->P_Button->TabOrder());
    const TPanel* tabOrder[] = {form->P_Title,   form->P_IP_Address, form->P_Eth_Search,
                                form->P_Options, form->P_Button,     form->P_Serial};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(tabOrder[i]->TabOrder(), i) << StringToUtf8(tabOrder[i]->Name());
    EXPECT_EQ(StringToUtf8(form->Caption()), Text(1602));
    EXPECT_EQ(StringToUtf8(form->L_SW_Desc->Caption()), Text(1603));
    EXPECT_EQ(form->L_SW_Code->Caption(), Soft_Code);
    EXPECT_EQ(form->CB_Update_Options->Style(), csDropDownList);
    return mrCancel;
  });
  form->ShowModal();
}

TEST_F(BootTest, PanelsShowTheFormColour) {
  ModalScript script;
  const std::filesystem::path png = dir_ / "boot.png";
  script.AnswerModal(u"FBoot", [&](TForm*) {
    EXPECT_TRUE(PaintToPng(form, Utf8ToString(png.string())));
    return mrCancel;
  });
  form->ShowModal();
  ASSERT_NE(ColorToRGB(form->Color()), ColorToRGB(clBtnFace));
  for (const TPanel* p : {form->P_Title, form->P_IP_Address, form->P_Eth_Search, form->P_Options, form->P_Button,
                          form->P_Serial}) {
    EXPECT_EQ(p->Color(), form->Color()) << StringToUtf8(p->Name());
  }
  TPicture pic;
  pic.LoadFromFile(Utf8ToString(png.string()));
  TCanvas* c = pic.Bitmap()->Canvas();
  // The right end of every shown row, where no control stands.
  for (const TPanel* p : {form->P_Title, form->P_IP_Address, form->P_Options, form->P_Button}) {
    EXPECT_EQ(ColorToRGB(c->Pixels(form->ClientWidth() - 3, p->Top() + 2)), ColorToRGB(form->Color()))
        << StringToUtf8(p->Name());
  }
}

TEST_F(BootTest, TextsComeFromTheTextTable) {
  form->Set_Lang();
  EXPECT_EQ(Text(1602), "Update Device by Ethernet (UDP)");
  EXPECT_EQ(Text(1636), "Device Not Found!");
  EXPECT_EQ(Text(1637), "Error!!! Check the Ip Address");
  ASSERT_EQ(form->CB_Update_Options->Items()->Count(), 3);
  const char* options[] = {"Firmware + Configuration", "Firmware", "Configuration"};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(StringToUtf8(form->CB_Update_Options->Items()->Strings(i)), options[i]);
  EXPECT_EQ(form->CB_Update_Options->ItemIndex(), 0);
  const std::pair<TControl*, int> captions[] = {
      {form->L_IP_Address, 1606}, {form->L_Update_Option, 1614}, {form->CB_Update_Option_Read_Back, 1618},
      {form->Btn_Cancel, 1619},   {form->Btn_Update, 1620}};
  for (const auto& [control, index] : captions) EXPECT_EQ(StringToUtf8(control->Caption()), Text(index)) << index;
  const std::pair<TControl*, int> hints[] = {
      {form->E_IP1, 1621}, {form->E_IP2, 1622}, {form->E_IP3, 1623}, {form->E_IP4, 1624},
      {form->CB_Update_Options, 1632}, {form->CB_Update_Option_Read_Back, 1633},
      {form->Btn_Cancel, 1634}, {form->Btn_Update, 1635}};
  for (const auto& [control, index] : hints) EXPECT_EQ(StringToUtf8(control->Hint()), Text(index)) << index;
  EXPECT_EQ(Text(1621), "Insert first byte of IP Address");
  EXPECT_EQ(Text(1624), "Insert fourth byte of IP Address");
}

TEST_F(BootTest, DotsMoveToTheNextEditAndAreNeverEntered) {
  Set_Address(u"", u"", u"", u"");
  Last_IP_Address.clear();
  InputDriver driver;
  ModalScript script;
  script.AnswerModal(u"FBoot", [&](TForm*) {
    driver.Type(form, u"192.168.1.20");
    EXPECT_EQ(form->E_IP1->Text(), u"192");
    EXPECT_EQ(form->E_IP2->Text(), u"168");
    EXPECT_EQ(form->E_IP3->Text(), u"1");
    EXPECT_EQ(form->E_IP4->Text(), u"20");
    EXPECT_EQ(form->ActiveControl(), form->E_IP4);
    // In the last edit a dot does nothing; other characters go in unchanged.
    driver.Type(form, u".x");
    EXPECT_EQ(form->E_IP4->Text(), u"20x");
    EXPECT_EQ(form->ActiveControl(), form->E_IP4);
    return mrCancel;
  });
  form->ShowModal();
}

TEST_F(BootEchoSequence, WholeStepHeadless) {
  // Show, type the address, choose the option, update, then Cancel: the next showing offers
  // the choices of that update.
  InputDriver driver;  // its virtual clock now drives the ticks and the window timers
  fake = std::make_unique<TFakeEcho>(std::vector<int>{5, 5});
  form->Use_Echo_Client(fake.get());
  form->Echo_Wait_Step = [&driver] { driver.AdvanceTime(Boot_Echo_Step_Ms); };
  Set_Address(u"", u"", u"", u"");
  Last_IP_Address.clear();
  ModalScript script;
  script.AnswerModal(u"FBoot", [&](TForm*) {
    driver.Type(form, u"10.9.8.7");
    form->CB_Update_Options->SetItemIndex(1);
    form->CB_Update_Option_Read_Back->SetChecked(false);
    driver.Click(form->Btn_Update);
    EXPECT_EQ(form->ModalResult(), mrNone) << "the update does not close the dialog";
    driver.Click(form->Btn_Cancel);
    return mrNone;
  });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(script.StartedPrograms().size(), 1u);
  EXPECT_EQ(Last_IP_Address, u"10.9.8.7");
  EXPECT_EQ(Last_Update_Option, 1);
  EXPECT_FALSE(Last_Read_Back);

  Set_Address(u"", u"", u"", u"");
  script.AnswerModal(u"FBoot", [&](TForm*) {
    EXPECT_EQ(form->Address_Text(), u"10.9.8.7");
    EXPECT_EQ(form->CB_Update_Options->ItemIndex(), 1);
    EXPECT_FALSE(form->CB_Update_Option_Read_Back->Checked());
    return mrCancel;
  });
  form->ShowModal();
}

TEST_F(BootTest, OnlyAnEchoReplyWithDataCountsAsAnswered) {
  struct Case {
    TReplyStatusTypes type;
    int bytes;
    int pingRes;
  } cases[] = {
      {rsEcho, 1024, 1},
      {rsEcho, 1, 1},
      {rsEcho, 0, 2},
      {rsTimeOut, 0, 2},
      {rsError, 56, 2},  // an error report carrying bytes is still no answer
  };
  for (const Case& c : cases) {
    form->ping_res = 0;
    TReplyStatus s;
    s.ReplyStatusType = c.type;
    s.BytesReceived = c.bytes;
    form->PingReply(form->Ping, s);
    EXPECT_EQ(form->ping_res, c.pingRes) << c.type << " " << c.bytes;
  }
}

TEST_F(BootTest, WithoutALastAddressEveryPartOffersZero) {
  Last_IP_Address.clear();
  ModalScript script;
  script.AnswerModal(u"FBoot", [&](TForm*) {
    for (TEdit* e : {form->E_IP1, form->E_IP2, form->E_IP3, form->E_IP4}) {
      EXPECT_EQ(e->Text(), u"0") << StringToUtf8(e->Name());
      EXPECT_EQ(e->MaxLength(), 0) << StringToUtf8(e->Name());
    }
    EXPECT_EQ(form->Address_Text(), u"0.0.0.0");
    return mrCancel;
  });
  form->ShowModal();
}

TEST_F(BootTest, OwnEchoClientWaits400MsAndSends1024Bytes) {
  ASSERT_NE(form->Ping, nullptr);
  EXPECT_EQ(form->Ping->Name(), u"Ping");
  EXPECT_EQ(form->Ping->ReceiveTimeout(), 400u);
  EXPECT_EQ(form->Ping->PacketSize(), 1024);
}

TEST_F(BootTest, OnlyTheEthernetKindRunsTheUpdate) {
  form->Form_Type = 0;
  form->Set_Lang();
  EXPECT_EQ(StringToUtf8(form->Caption()), Text(1600));
  EXPECT_EQ(StringToUtf8(form->L_SW_Desc->Caption()), Text(1601));

  TFakeEcho fake({0, 0});
  form->Use_Echo_Client(&fake);
  Set_Address(u"10", u"0", u"0", u"7");
  Last_IP_Address = u"192.168.2.205";
  ModalScript script;
  form->Btn_UpdateClick(form->Btn_Update);
  EXPECT_EQ(fake.EchoesSent(), 0);
  EXPECT_TRUE(script.Messages().empty());
  EXPECT_TRUE(script.StartedPrograms().empty());
  EXPECT_FALSE(std::filesystem::exists(Script_Path()));
  EXPECT_EQ(Last_IP_Address, u"192.168.2.205");
  form->Use_Echo_Client(nullptr);
}
