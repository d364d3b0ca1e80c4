// ParGen.xml: defaults, the saved file, loading edge cases, the check order and OK.
#include <filesystem>

#include "ParGenFixture.h"
#include "button/LbButton.h"
#include "platform/XMLDoc.h"
#include "platform/testing/FailingWrites.h"

namespace {

std::string Fixture(const std::string& name) {
  std::string s;
  EXPECT_TRUE(ReadFileBytes(Utf8ToString(std::string(CONF_FIXTURES) + "/parameters/" + name), s));
  return s;
}

// A file holding the given elements (in that order) under the root.
std::string FileWith(const std::vector<std::pair<std::string, std::string>>& elements,
                     const std::string& before = "", const std::string& root = "Par_Gen") {
  std::string s = before + "<" + root + ">";
  for (const auto& [n, v] : elements) s += "<" + n + ">" + v + "</" + n + ">";
  return s + "</" + root + "><!--SW_VERSION = 1.000-->";
}

}  // namespace

TEST_F(ParGenTest, ElementTableHasTheHundredElementsInOrder) {
  const auto& t = ParGen_Element_Table();
  ASSERT_EQ(t.size(), 100u);
  EXPECT_EQ(t.front().Element, u"Select_Device");
  EXPECT_EQ(t[13].Element, u"LoRaWAN_Mode");
  EXPECT_EQ(t[30].Element, u"LoRaWAN_Diagostic_Position");
  EXPECT_EQ(t[74].Element, u"WiFi_Channel");
  EXPECT_EQ(t.back().Element, u"SNMP_Agent_VER3_PRIVACY_MODE");
  for (const TParElementDef& e : t) EXPECT_NE(form->Ctl(e.Control), nullptr) << StringToUtf8(e.Control);
}

TEST_F(ParGenTest, NewConfigurationShowsTheDefaults) {
  form->Show();
  EXPECT_EQ(form->CB_Select_Device_Device->ItemIndex(), 0);
  EXPECT_EQ(form->Edit(u"E_EthConn_Pri_DNS_IP1")->Text(), u"8");
  EXPECT_EQ(form->Edit(u"E_EthConn_Sec_DNS_IP4")->Text(), u"8");
  EXPECT_EQ(form->CB_LoRaWAN_RF_Band->Text(), u"EU868");
  EXPECT_EQ(form->CB_LoRaWAN_DataRate->ItemIndex(), 0);
  EXPECT_EQ(form->Edit(u"E_LoRaWAN_Server_Address")->Text(), String(Default_LoRaWAN_Server_Address));
  EXPECT_EQ(form->Edit(u"E_LoRaWAN_Server_Port_Up")->Text(), u"1780");
  EXPECT_EQ(form->Edit(u"E_LoRaWAN_KeepAlive_Interval")->Text(), u"10");
  EXPECT_EQ(form->Combo(u"CB_WiFi2_Channel")->ItemIndex(), 1);
  EXPECT_EQ(form->Combo(u"CB_WiFi2_Max_Client")->ItemIndex(), 0);
  EXPECT_EQ(form->Edit(u"E_SNMP_Agent_NameStation")->Text(), u"devicename1");
  EXPECT_EQ(form->CB_LoRaWAN_Activation_Method->Text(), u"");
  EXPECT_FALSE(form->Is_Change);
  form->Hide();
}

TEST_F(ParGenTest, OkOnANewConfigurationWritesTheGoldenDefaultFile) {
  const int result = ShowModal([this] { driver.Click(form->Btn_OK); });
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(script.Messages().empty());
  const std::string saved = ReadParGen();
  EXPECT_EQ(saved, Fixture("ParGen_default.xml"));
  EXPECT_NE(saved.find("<LoRaWAN_DataRate>0 -\tLoRa: SF12/125kHz 250 [bit/s]</LoRaWAN_DataRate>"), std::string::npos);
  // Root first, the comment after it, nothing else at document level; 100 text-only children.
  TXMLDocument doc;
  doc.LoadFromFile(FromPath(ParGenPath()));
  ASSERT_EQ(doc.ChildNodes().Count(), 2);
  EXPECT_EQ(doc.ChildNodes()[0].NodeName(), u"Par_Gen");
  EXPECT_EQ(doc.ChildNodes()[1].NodeType(), ntComment);
  EXPECT_EQ(doc.ChildNodes()[1].NodeValue(), u"SW_VERSION = 1.000");
  const TXMLNode root = doc.DocumentElement();
  ASSERT_EQ(root.ChildNodes().Count(), 100);
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(root.ChildNodes()[i].NodeName(), ParGen_Element_Table()[i].Element);
    EXPECT_EQ(root.ChildNodes()[i].AttributeCount(), 0);
  }
}

TEST_F(ParGenTest, SavedValuesComeBackOnTheNextShow) {
  ShowModal([this] {
    form->CB_Select_Device_Device->UserSelect(1);
    form->CB_LoRaWAN_RF_Band->UserSelect(1);
    form->CB_LoRaWAN_RX2_Datarate->UserSelect(3);
    form->CB_WiFi2_Type->UserSelect(1);
    form->Combo(u"CB_WiFi2_Channel")->UserSelect(11);
    form->CB_SNMP_Agent_Version3->SetChecked(true);
    form->CB_SNMP_Agent_SecurityLevel->UserSelect(2);
    form->Combo(u"CB_SNMP_Agent_PrivacyMode")->UserSelect(1);
    form->Edit(u"E_WiFi2_SSID")->SetText(u"plant <net> & \"co\"");
    form->Edit(u"E_SNMP_Agent_Contact")->SetText(u"ops");
    driver.Click(form->Btn_OK);
  });
  const std::string saved = ReadParGen();
  EXPECT_NE(saved.find("<SNMP_Agent_VER3_SECURITY_LEVEL>Authority Privacy</SNMP_Agent_VER3_SECURITY_LEVEL>"),
            std::string::npos);
  EXPECT_NE(saved.find("<WiFi_Channel>11</WiFi_Channel>"), std::string::npos);
  EXPECT_NE(saved.find("<LoRaWAN_RF_Band>US915</LoRaWAN_RF_Band>"), std::string::npos);

  TFParGen* again = New<TFParGen>(nullptr);
  again->Show();
  EXPECT_EQ(again->CB_Select_Device_Device->ItemIndex(), 1);
  EXPECT_EQ(again->CB_LoRaWAN_RF_Band->Text(), u"US915");
  EXPECT_EQ(again->CB_LoRaWAN_RX2_Datarate->ItemIndex(), 3);
  EXPECT_EQ(again->CB_WiFi2_Type->ItemIndex(), 1);
  EXPECT_EQ(again->Combo(u"CB_WiFi2_Channel")->ItemIndex(), 11);
  EXPECT_EQ(again->CB_SNMP_Agent_SecurityLevel->ItemIndex(), 2);
  EXPECT_EQ(again->Combo(u"CB_SNMP_Agent_PrivacyMode")->ItemIndex(), 1);
  EXPECT_EQ(again->Edit(u"E_WiFi2_SSID")->Text(), u"plant <net> & \"co\"");
  EXPECT_EQ(again->CP_SNMP_Agent->Height(), 403);
  EXPECT_FALSE(again->CP_WiFi2->Collapsed());
  EXPECT_FALSE(again->Is_Change);
  again->Hide();
  delete again;
}

// A text field holding blanks only reads back as those blanks, not as an empty field.
TEST_F(ParGenTest, BlankOnlyTextsComeBackOnTheNextShow) {
  const struct {
    const char16_t* edit;
    String text;
  } fields[] = {{u"E_WiFi2_SSID", u"   "}, {u"E_SNMP_Agent_Contact", u" "}, {u"E_SNMP_Agent_Location", u" x "}};
  ShowModal([&] {
    for (const auto& f : fields) form->Edit(f.edit)->SetText(f.text);
    driver.Click(form->Btn_OK);
  });
  TFParGen* again = New<TFParGen>(nullptr);
  again->Show();
  for (const auto& f : fields) EXPECT_EQ(again->Edit(f.edit)->Text(), f.text) << StringToUtf8(f.edit);
  again->Hide();
  delete again;
}

// ---- loading edge cases ----------------------------------------------------------------------

struct LoadCase {
  const char* Name;
  std::string File;
  std::function<void(TFParGen*)> Expect;
};

TEST_F(ParGenTest, LoadEdgeCases) {
  const std::vector<LoadCase> cases = {
      {"elements in any order, unknown ones ignored",
       FileWith({{"SNMP_Agent_Contact", "ops"}, {"Unknown", "x"}, {"Select_Device", "1"}}),
       [](TFParGen* f) {
         EXPECT_EQ(f->Edit(u"E_SNMP_Agent_Contact")->Text(), u"ops");
         EXPECT_EQ(f->CB_Select_Device_Device->ItemIndex(), 1);
         EXPECT_EQ(f->Edit(u"E_SNMP_Agent_IP4")->Text(), u"5");  // missing: default
       }},
      {"the first of duplicates wins",
       FileWith({{"SNMP_Agent_Location", "first"}, {"SNMP_Agent_Location", "second"}}),
       [](TFParGen* f) { EXPECT_EQ(f->Edit(u"E_SNMP_Agent_Location")->Text(), u"first"); }},
      {"an empty element is an empty text, not the default",
       "<Par_Gen><Eth_Conn_Primary_DNS1/><Eth_Conn_Primary_DNS2></Eth_Conn_Primary_DNS2></Par_Gen>",
       [](TFParGen* f) {
         EXPECT_EQ(f->Edit(u"E_EthConn_Pri_DNS_IP1")->Text(), u"");
         EXPECT_EQ(f->Edit(u"E_EthConn_Pri_DNS_IP2")->Text(), u"");
         EXPECT_EQ(f->Edit(u"E_EthConn_Pri_DNS_IP3")->Text(), u"8");
       }},
      {"an element holding elements takes its default",
       FileWith({{"SNMP_Agent_Name_of_Station", "<a>x</a>"}}),
       [](TFParGen* f) { EXPECT_EQ(f->Edit(u"E_SNMP_Agent_NameStation")->Text(), u"devicename1"); }},
      {"lower-case band", FileWith({{"LoRaWAN_RF_Band", "us915"}, {"LoRaWAN_RX2_Datarate", "SF9BW500"}}),
       [](TFParGen* f) {
         EXPECT_EQ(f->CB_LoRaWAN_RF_Band->Text(), u"US915");
         EXPECT_EQ(f->CB_LoRaWAN_DataRate->Items()->Count(), 11);
         EXPECT_EQ(f->CB_LoRaWAN_RX2_Datarate->ItemIndex(), 3);
         EXPECT_EQ(f->CP_LoRaWAN->Height(), 179);
       }},
      {"RX2 name of the other band", FileWith({{"LoRaWAN_RF_Band", "EU868"}, {"LoRaWAN_RX2_Datarate", "SF9BW500"}}),
       [](TFParGen* f) { EXPECT_EQ(f->CB_LoRaWAN_RX2_Datarate->ItemIndex(), -1); }},
      {"unknown band", FileWith({{"LoRaWAN_RF_Band", "EU 868"}}),
       [](TFParGen* f) {
         EXPECT_EQ(f->CB_LoRaWAN_RF_Band->ItemIndex(), -1);
         EXPECT_EQ(f->CB_LoRaWAN_DataRate->Items()->Count(), 0);
         EXPECT_EQ(f->CB_LoRaWAN_RX2_Datarate->ItemIndex(), -1);
       }},
      {"channel that is no number", FileWith({{"WiFi_Channel", "x"}}),
       [](TFParGen* f) { EXPECT_EQ(f->Combo(u"CB_WiFi2_Channel")->ItemIndex(), 1); }},
      {"channel outside the list", FileWith({{"WiFi_Channel", "12"}}),
       [](TFParGen* f) { EXPECT_EQ(f->Combo(u"CB_WiFi2_Channel")->ItemIndex(), -1); }},
      {"number flag 01 checks, flag 01 does not",
       FileWith({{"WiFi_EN_Gateway", "01"}, {"Eth_Conn_DHCP_Cable", "01"}, {"WiFi_EN_DHCP", "2"}}),
       [](TFParGen* f) {
         EXPECT_TRUE(f->CB_WiFi2_IP1_En_GAT->Checked());
         EXPECT_FALSE(f->CB_EthConn_En_DHCP_Cable->Checked());
         EXPECT_FALSE(f->CB_WiFi2_En_DHCP->Checked());
       }},
      {"mode is always the gateway", FileWith({{"LoRaWAN_Mode", "End Node"}}),
       [](TFParGen* f) {
         EXPECT_EQ(f->CB_LoRaWAN_Mode->Text(), u"Gateway");
         EXPECT_FALSE(f->Edit(u"E_LoRaWAN_Server_Port_Up")->Visible());
       }},
      {"SNMP names read trimmed and upper-cased",
       FileWith({{"SNMP_Agent_VER3_SECURITY_LEVEL", " authority noprivacy "},
                 {"SNMP_Agent_VER3_AUTHORITY_MODE", "sha"},
                 {"SNMP_Agent_VER3_PRIVACY_MODE", "3DES"}}),
       [](TFParGen* f) {
         EXPECT_EQ(f->CB_SNMP_Agent_SecurityLevel->ItemIndex(), 1);
         EXPECT_EQ(f->Combo(u"CB_SNMP_Agent_AuthorityMode")->ItemIndex(), 1);
         EXPECT_EQ(f->Combo(u"CB_SNMP_Agent_PrivacyMode")->ItemIndex(), 0);
       }},
      {"activation shown as its text",
       FileWith({{"LoRaWAN_Activation_Method", "Over-the-Air Activation [OTAA]"}, {"LoRaWAN_Class", "c"}}),
       [](TFParGen* f) {
         EXPECT_EQ(f->CB_LoRaWAN_Activation_Method->ItemIndex(), 1);
         EXPECT_EQ(f->Combo(u"CB_LoRaWAN_Class")->Text(), u"C");
       }},
      {"a text longer than the input limit loads whole",
       FileWith({{"SNMP_Agent_Contact", "abcdefghijklmnopqrstuvwxyz"}}),
       [](TFParGen* f) { EXPECT_EQ(f->Edit(u"E_SNMP_Agent_Contact")->Text(), u"abcdefghijklmnopqrstuvwxyz"); }},
      {"a declaration and a comment before the root",
       FileWith({{"SNMP_Agent_Contact", "ops"}}, "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!-- saved -->"),
       [](TFParGen* f) { EXPECT_EQ(f->Edit(u"E_SNMP_Agent_Contact")->Text(), u"ops"); }},
      {"a root of another name", FileWith({{"SNMP_Agent_Contact", "ops"}}, "", "Other"),
       [](TFParGen* f) { EXPECT_EQ(f->Edit(u"E_SNMP_Agent_Contact")->Text(), u"ops"); }},
      {"an index beyond 32 bits is no integer and takes the default position",
       FileWith({{"WiFi_Channel", "2147483648"}, {"WiFi_Max_Client", "-2147483649"}, {"WiFi_Secure_Type", "2147483647"}}),
       [](TFParGen* f) {
         EXPECT_EQ(f->Combo(u"CB_WiFi2_Channel")->ItemIndex(), 1);
         EXPECT_EQ(f->Combo(u"CB_WiFi2_Max_Client")->ItemIndex(), 0);
         EXPECT_EQ(f->CB_WiFi2_Secure_Type->ItemIndex(), -1);  // an integer, outside the list
       }},
      {"only spaces may stand before a number",
       FileWith({{"WiFi_Channel", "\t3"}, {"WiFi_Type", "  1"}, {"WiFi_EN_Gateway", "\n1"}, {"WiFi_EN_DHCP", " +1"}}),
       [](TFParGen* f) {
         EXPECT_EQ(f->Combo(u"CB_WiFi2_Channel")->ItemIndex(), 1);
         EXPECT_EQ(f->CB_WiFi2_Type->ItemIndex(), 1);
         EXPECT_FALSE(f->CB_WiFi2_IP1_En_GAT->Checked());
         EXPECT_TRUE(f->CB_WiFi2_En_DHCP->Checked());
       }},
  };
  // One form for every case, as the program has: each file loads over the defaults a new form
  // shows, which a show without the file brings back first.
  form->Show();
  const std::vector<std::string> fresh = FormState(form);
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::filesystem::remove(ParGenPath());
    ShowAgain(form);
    ASSERT_EQ(StateChanges(fresh, FormState(form)), "");
    WriteParGen(c.File);
    ShowAgain(form);
    c.Expect(form);
    EXPECT_FALSE(form->Is_Change);
  }
  EXPECT_TRUE(script.Messages().empty());
}

TEST_F(ParGenTest, ChannelOutsideTheListIsSavedAsMinusOne) {
  WriteParGen(FileWith({{"WiFi_Channel", "12"}, {"Unknown_Element", "x"}}));
  EXPECT_EQ(ShowModal([this] { driver.Click(form->Btn_OK); }), mrOk);
  const std::string saved = ReadParGen();
  EXPECT_NE(saved.find("<WiFi_Channel>-1</WiFi_Channel>"), std::string::npos);
  EXPECT_EQ(saved.find("Unknown_Element"), std::string::npos);
}

TEST_F(ParGenTest, UnknownBandIsRefusedOnOk) {
  WriteParGen(FileWith({{"LoRaWAN_RF_Band", "EU 868"}}));
  ShowModal([this] { driver.Click(form->Btn_OK); });
  EXPECT_EQ(MessageTexts(), std::vector<String>{u"Error LoRaWAN!! RF Band cannot be empty"});
  EXPECT_EQ(ReadParGen(), FileWith({{"LoRaWAN_RF_Band", "EU 868"}}));
}

TEST_F(ParGenTest, MalformedFileIsReportedAndShowsTheDefaults) {
  // Values of another configuration in the controls must not survive into this one.
  WriteParGen(FileWith({{"SNMP_Agent_Contact", "other"}, {"Select_Device", "1"}}));
  form->Show();
  ASSERT_EQ(form->Edit(u"E_SNMP_Agent_Contact")->Text(), u"other");
  form->Hide();
  WriteParGen("<Par_Gen><SNMP_Agent_Contact>broken</Par_Gen>");
  form->Show();
  ASSERT_EQ(script.Messages().size(), 1u);
  EXPECT_EQ(script.Messages()[0].Type, mtError);
  EXPECT_EQ(form->Edit(u"E_SNMP_Agent_Contact")->Text(), u"");
  EXPECT_EQ(form->CB_Select_Device_Device->ItemIndex(), 0);
  EXPECT_TRUE(form->CP_WiFi2->Collapsed());
  EXPECT_FALSE(form->Is_Change);
  form->Hide();
}

TEST_F(ParGenTest, SaveFailureKeepsTheFormOpen) {
  Project_Folder = FromPath(folder / "missing");
  Set_Files();
  int during = -1;
  ShowModal([&] {
    form->Edit(u"E_SNMP_Agent_Contact")->SetText(u"ops");
    driver.Click(form->Btn_OK);
    during = form->ModalResult();
  });
  EXPECT_EQ(during, mrNone);
  ASSERT_EQ(script.Messages().size(), 1u);
  EXPECT_EQ(script.Messages()[0].Type, mtError);
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

TEST_F(ParGenTest, OkAsksBeforeReplacingAFileThatCouldNotBeRead) {
  const std::string broken = "<Par_Gen><SNMP_Agent_Contact>mine</Par_Gen>";
  struct Case {
    const char* Name;
    int Answer;
    bool Replaced;
  };
  for (const Case& c : {Case{"No keeps it", mrNo, false}, Case{"Yes replaces it", mrYes, true}}) {
    SCOPED_TRACE(c.Name);
    WriteParGen(broken);
    ModalScript run;
    run.ExpectMessage(mrOk);  // the load error
    run.ExpectMessage(c.Answer);
    int during = -1;
    run.AnswerModal(u"FParGen", [&](TForm*) {
      driver.Click(form->Btn_OK);
      during = form->ModalResult();
      return mrNone;
    });
    form->ShowModal();
    ASSERT_EQ(run.Messages().size(), 2u);
    EXPECT_EQ(run.Messages()[0].Type, mtError);
    EXPECT_EQ(run.Messages()[1].Type, mtConfirmation);
    EXPECT_TRUE(run.Messages()[1].Buttons == mbYesNo);
    EXPECT_NE(run.Messages()[1].Text.find(u"The file ParGen.xml could not be read"), String::npos);
    if (c.Replaced) {
      EXPECT_EQ(during, mrOk);
      EXPECT_EQ(ReadParGen(), Fixture("ParGen_default.xml"));
    } else {
      EXPECT_EQ(during, mrNone);
      EXPECT_EQ(ReadParGen(), broken);
    }
  }
  // Once the file reads again, OK asks nothing.
  ModalScript quiet;
  quiet.AnswerModal(u"FParGen", [&](TForm*) {
    driver.Click(form->Btn_OK);
    return mrNone;
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_TRUE(quiet.Messages().empty());
}

TEST_F(ParGenTest, SaveUnderASizeLimitKeepsThePreviousFile) {
  const std::string old = FileWith({{"SNMP_Agent_Contact", "mine"}});
  WriteParGen(old);
  const TChildValues v = RunWithFileSizeLimit(1024, [&] {
    const std::string error = ErrorOf([&] { form->Save_ParGen(FromPath(ParGenPath())); });
    std::string after;
    ReadFileBytes(FromPath(ParGenPath()), after);
    return TChildValues{error, after};
  });
  ASSERT_EQ(v.size(), 2u);
  EXPECT_NE(v[0].find("Cannot save file \"" + ParGenPath().string() + "\": writing failed (File too large)."),
            std::string::npos)
      << v[0];
  EXPECT_EQ(v[1], old);
}

// ---- the checks ------------------------------------------------------------------------------

struct CheckCase {
  const char* Name;
  std::function<void(TFParGen*)> Set;
  String Message;  // empty: every check passes
};

TEST_F(ParGenTest, ChecksInTheirOrderWithTheFirstMessageOnly) {
  auto text = [](const char16_t* n, const char16_t* v) {
    return [n, v](TFParGen* f) { f->Edit(n)->SetText(v); };
  };
  auto all = [](std::vector<std::function<void(TFParGen*)>> steps) {
    return [steps](TFParGen* f) {
      for (const auto& s : steps) s(f);
    };
  };
  auto tick = [](const char16_t* n) { return [n](TFParGen* f) { f->Check(n)->SetChecked(true); }; };
  auto pick = [](const char16_t* n, int i) { return [n, i](TFParGen* f) { f->Combo(n)->UserSelect(i); }; };
  const std::vector<CheckCase> cases = {
      {"defaults pass", [](TFParGen*) {}, u""},
      {"DNS off lets bad octets pass", text(u"E_EthConn_Pri_DNS_IP1", u"300"), u""},
      {"DNS on, empty fourth primary octet",
       all({tick(u"CB_EthConn_Enable_DNS"), text(u"E_EthConn_Pri_DNS_IP4", u"")}),
       u"Error Primary DNS!! DNS 4 must be between 0 and 255"},
      {"DNS on, secondary octet",
       all({tick(u"CB_EthConn_Enable_DNS"), text(u"E_EthConn_Sec_DNS_IP2", u"256")}),
       u"Error Secondary DNS!! DNS 2 must be between 0 and 255"},
      {"no band", [](TFParGen* f) { f->CB_LoRaWAN_RF_Band->SetItemIndex(-1); },
       u"Error LoRaWAN!! RF Band cannot be empty"},
      {"no band comes before Wi-Fi and SNMP faults",
       all({[](TFParGen* f) { f->CB_LoRaWAN_RF_Band->SetItemIndex(-1); }, text(u"E_WiFi2_IP1_IP1", u"x"),
            text(u"E_SNMP_Agent_IP1", u"x")}),
       u"Error LoRaWAN!! RF Band cannot be empty"},
      {"hidden server port is not checked", text(u"E_LoRaWAN_Server_Port_Up", u"70000"), u""},
      {"no network type", [](TFParGen* f) { f->Combo(u"CB_LoRaWAN_Network_Type")->SetItemIndex(-1); },
       u"Error LoRaWAN!! Network Type cannot be empty"},
      {"diagnostic position 1536", text(u"E_LoRaWAN_Diag_Pos", u"1536"), u""},
      {"diagnostic position 1537", text(u"E_LoRaWAN_Diag_Pos", u"1537"),
       u"Error LoRaWAN!! Diagnostic Position must be between 0 and 1536"},
      {"diagnostic position in hexadecimal", text(u"E_LoRaWAN_Diag_Pos", u"$10"),
       u"Error LoRaWAN!! Diagnostic Position must be between 0 and 1536"},
      {"hidden end-node fields are not checked",
       all({text(u"E_LoRaWAN_Join_EUI", u"1"), text(u"E_LoRaWAN_Application_Key", u"AB"),
            [](TFParGen* f) { f->CB_LoRaWAN_DataRate->SetItemIndex(-1); }}),
       u""},
      {"Wi-Fi checked with only the cable", text(u"E_WiFi2_IP1_IP4", u"256"),
       u"Error WiFi!! IP Address 4 must be between 0 and 255"},
      {"access-point mask", text(u"E_WiFi2_IP1_SM1", u"-1"), u"Error WiFi!! SubNet Mask 1 must be between 0 and 255"},
      {"access-point gateway unchecked passes", text(u"E_WiFi2_IP1_GAT1", u"999"), u""},
      {"access-point gateway checked", all({tick(u"CB_WiFi2_IP1_En_GAT"), text(u"E_WiFi2_IP1_GAT3", u"999")}),
       u"Error WiFi!! Gateway 3 must be between 0 and 255"},
      {"access-point DHCP off skips its rows", text(u"E_WiFi2_Lease_Time", u"0"), u""},
      {"DHCP first address", all({tick(u"CB_WiFi2_En_DHCP"), text(u"E_WiFi2_DHCP_First_IP2", u"a")}),
       u"Error WiFi!! DHCP First IP Address 2 must be between 0 and 255"},
      {"DHCP mask", all({tick(u"CB_WiFi2_En_DHCP"), text(u"E_WiFi2_DHCP_SM4", u"")}),
       u"Error WiFi!! DHCP SUBNET Mask 4 must be between 0 and 255"},
      {"lease 0", all({tick(u"CB_WiFi2_En_DHCP"), text(u"E_WiFi2_Lease_Time", u"0")}),
       u"Error WiFi!! Lease Time must be between 1 and 99999999 seconds"},
      {"lease 99999999", all({tick(u"CB_WiFi2_En_DHCP"), text(u"E_WiFi2_Lease_Time", u"99999999")}), u""},
      {"lease 100000000", all({tick(u"CB_WiFi2_En_DHCP"), text(u"E_WiFi2_Lease_Time", u"100000000")}),
       u"Error WiFi!! Lease Time must be between 1 and 99999999 seconds"},
      {"station address", all({pick(u"CB_WiFi2_Type", 1), text(u"E_WiFi2_IP1_IP2", u"x")}),
       u"Error WiFi - IP Address 1 !! IP Address 2 must be between 0 and 255"},
      {"station mask", all({pick(u"CB_WiFi2_Type", 1), text(u"E_WiFi2_IP1_SM3", u"256")}),
       u"Error WiFi - IP Address 1 !! SubNet Mask 3 must be between 0 and 255"},
      {"station gateway",
       all({pick(u"CB_WiFi2_Type", 1), tick(u"CB_WiFi2_IP1_En_GAT"), text(u"E_WiFi2_IP1_GAT1", u"")}),
       u"Error WiFi - IP Address 1 !! Gateway 1 must be between 0 and 255"},
      {"station skips the access point's rows",
       all({pick(u"CB_WiFi2_Type", 1), tick(u"CB_WiFi2_En_DHCP"), text(u"E_WiFi2_Lease_Time", u"0")}), u""},
      {"station with DHCP for Wi-Fi skips block 1",
       all({pick(u"CB_Select_Device_Device", 1), pick(u"CB_WiFi2_Type", 1), tick(u"CB_EthConn_En_DHCP_WiFi"),
            text(u"E_WiFi2_IP1_IP1", u"x"), text(u"E_WiFi2_IP1_SM4", u"999")}),
       u""},
      {"SNMP address", text(u"E_SNMP_Agent_IP3", u"256"), u"Error SNMP Agent!! IP Address 3 must be between 0 and 255"},
      {"SNMP mask", text(u"E_SNMP_Agent_SM1", u" "), u"Error SNMP Agent!! SUBNET Mask 1 must be between 0 and 255"},
      {"SNMP address after a tab", text(u"E_SNMP_Agent_IP2", u"\t1"),
       u"Error SNMP Agent!! IP Address 2 must be between 0 and 255"},
      {"SNMP address after spaces", text(u"E_SNMP_Agent_IP2", u"  1"), u""},
      {"SNMP gateway unchecked passes", text(u"E_SNMP_Agent_GAT1", u"x"), u""},
      {"SNMP gateway", all({tick(u"CB_SNMP_Agent_GAT"), text(u"E_SNMP_Agent_GAT4", u"x")}),
       u"Error SNMP Agent!! GATEWAY IP 4 must be between 0 and 255"},
      {"two faults: DNS before SNMP",
       all({tick(u"CB_EthConn_Enable_DNS"), text(u"E_EthConn_Pri_DNS_IP1", u"x"), text(u"E_SNMP_Agent_IP1", u"x")}),
       u"Error Primary DNS!! DNS 1 must be between 0 and 255"},
  };
  // One form for every case, shown again before each as the program shows its one form; each
  // case starts from the state of a new form.
  form->Show();
  const std::vector<std::string> fresh = FormState(form);
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ShowAgain(form);
    ASSERT_EQ(StateChanges(fresh, FormState(form)), "");
    ModalScript local;
    c.Set(form);
    const bool ok = form->Controllo_Dati();
    EXPECT_EQ(ok, c.Message.empty());
    if (c.Message.empty()) {
      EXPECT_TRUE(local.Messages().empty());
    } else {
      ASSERT_EQ(local.Messages().size(), 1u);
      EXPECT_EQ(local.Messages()[0].Text, c.Message);
      EXPECT_EQ(local.Messages()[0].Type, mtError);
      EXPECT_EQ(local.Messages()[0].Buttons, TMsgDlgButtons{mbOK});
    }
  }
}

// The LoRaWAN end-node and server rows are hidden in this model; once a layout shows them their
// checks apply, in their order and with their texts.
TEST_F(ParGenTest, ShownLoRaWANRowsAreCheckedInTheirOrder) {
  auto shown = [](std::vector<const char16_t*> names) {
    return [names](TFParGen* f) {
      for (const char16_t* n : names) f->Ctl(n)->SetVisible(true);
    };
  };
  auto text = [](const char16_t* n, const char16_t* v) {
    return [n, v](TFParGen* f) { f->Edit(n)->SetText(v); };
  };
  auto none = [](TComboBox* TFParGen::*cb) { return [cb](TFParGen* f) { (f->*cb)->SetItemIndex(-1); }; };
  auto noneNamed = [](const char16_t* n) { return [n](TFParGen* f) { f->Combo(n)->SetItemIndex(-1); }; };
  auto all = [](std::vector<std::function<void(TFParGen*)>> steps) {
    return [steps](TFParGen* f) {
      for (const auto& s : steps) s(f);
    };
  };
  const String hex32 = u"0123456789ABCDEF0123456789ABCDEF";
  const std::vector<CheckCase> cases = {
      {"port up 65535", all({shown({u"E_LoRaWAN_Server_Port_Up"}), text(u"E_LoRaWAN_Server_Port_Up", u"65535")}), u""},
      {"port up 65536", all({shown({u"E_LoRaWAN_Server_Port_Up"}), text(u"E_LoRaWAN_Server_Port_Up", u"65536")}),
       u"Error LoRaWAN!! Server Port Up must be between 0 and 65535"},
      {"port down empty", all({shown({u"E_LoRaWAN_Server_Port_Down"}), text(u"E_LoRaWAN_Server_Port_Down", u"")}),
       u"Error LoRaWAN!! Server Port Down must be between 0 and 65535"},
      {"keep-alive 10000000",
       all({shown({u"E_LoRaWAN_KeepAlive_Interval"}), text(u"E_LoRaWAN_KeepAlive_Interval", u"10000000")}), u""},
      {"keep-alive 10000001",
       all({shown({u"E_LoRaWAN_KeepAlive_Interval"}), text(u"E_LoRaWAN_KeepAlive_Interval", u"10000001")}),
       u"Error LoRaWAN!! KeepAlive Interval must be between 0 and 10000000"},
      {"port before network type",
       all({shown({u"E_LoRaWAN_Server_Port_Down"}), text(u"E_LoRaWAN_Server_Port_Down", u"x"),
            noneNamed(u"CB_LoRaWAN_Network_Type")}),
       u"Error LoRaWAN!! Server Port Down must be between 0 and 65535"},
      {"diagnostic position before data rate",
       all({shown({u"CB_LoRaWAN_DataRate"}), none(&TFParGen::CB_LoRaWAN_DataRate), text(u"E_LoRaWAN_Diag_Pos", u"-1")}),
       u"Error LoRaWAN!! Diagnostic Position must be between 0 and 1536"},
      {"no data rate", all({shown({u"CB_LoRaWAN_DataRate"}), none(&TFParGen::CB_LoRaWAN_DataRate)}),
       u"Error LoRaWAN!! DataRate cannot be empty"},
      {"no transmission type",
       all({shown({u"CB_LoRaWAN_Transmission_Type"}), noneNamed(u"CB_LoRaWAN_Transmission_Type")}),
       u"Error LoRaWAN!! Transmission Type cannot be empty"},
      {"join EUI of 15", all({shown({u"E_LoRaWAN_Join_EUI"}), text(u"E_LoRaWAN_Join_EUI", u"0123456789ABCDE")}),
       u"Error LoRaWAN!! Join EUI must have 8 bytes"},
      {"join EUI of 17 loaded from a file",
       all({shown({u"E_LoRaWAN_Join_EUI"}), text(u"E_LoRaWAN_Join_EUI", u"0123456789ABCDEF0")}), u""},
      {"no activation method", shown({u"CB_LoRaWAN_Activation_Method"}),
       u"Error LoRaWAN!! Activation Method cannot be empty"},
      {"every end-node row with its defaults stops at the join EUI",
       shown({u"CB_LoRaWAN_DataRate", u"CB_LoRaWAN_Transmission_Type", u"E_LoRaWAN_Join_EUI",
              u"CB_LoRaWAN_Activation_Method", u"E_LoRaWAN_Device_Address", u"E_LoRaWAN_Network_Session_Key",
              u"E_LoRaWAN_Application_Session_Key", u"E_LoRaWAN_Application_Key"}),
       u"Error LoRaWAN!! Join EUI must have 8 bytes"},
      {"device address of 7", all({shown({u"E_LoRaWAN_Device_Address"}), text(u"E_LoRaWAN_Device_Address", u"1234567")}),
       u"Error LoRa!! Device Address must have 4 bytes"},
      {"device address of 9 loaded from a file",
       all({shown({u"E_LoRaWAN_Device_Address"}), text(u"E_LoRaWAN_Device_Address", u"123456789")}),
       u"Error LoRa!! Device Address must have 4 bytes"},
      {"network session key of 31",
       all({shown({u"E_LoRaWAN_Network_Session_Key"}),
            [hex32](TFParGen* f) { f->Edit(u"E_LoRaWAN_Network_Session_Key")->SetText(hex32.substr(1)); }}),
       u"Error LoRa!! Network Session Key must have 16 bytes"},
      {"application session key of 33",
       all({shown({u"E_LoRaWAN_Application_Session_Key"}),
            [hex32](TFParGen* f) { f->Edit(u"E_LoRaWAN_Application_Session_Key")->SetText(hex32 + u"0"); }}),
       u"Error LoRa!! Application Session Key must have 16 bytes"},
      {"application key empty", shown({u"E_LoRaWAN_Application_Key"}),
       u"Error LoRa!! Application Key must have 16 bytes"},
      {"every key of 32",
       all({shown({u"E_LoRaWAN_Device_Address", u"E_LoRaWAN_Network_Session_Key", u"E_LoRaWAN_Application_Session_Key",
                   u"E_LoRaWAN_Application_Key"}),
            text(u"E_LoRaWAN_Device_Address", u"01234567"),
            [hex32](TFParGen* f) {
              for (const char16_t* n : {u"E_LoRaWAN_Network_Session_Key", u"E_LoRaWAN_Application_Session_Key",
                                        u"E_LoRaWAN_Application_Key"}) {
                f->Edit(n)->SetText(hex32);
              }
            }}),
       u""},
      // The control's own visibility counts, not its panel's state.
      {"a collapsed panel is still checked",
       all({[](TFParGen* f) { f->CP_LoRaWAN->Collapse(); }, text(u"E_LoRaWAN_Diag_Pos", u"1537")}),
       u"Error LoRaWAN!! Diagnostic Position must be between 0 and 1536"},
      {"a hidden network type is not checked",
       all({[](TFParGen* f) { f->Ctl(u"CB_LoRaWAN_Network_Type")->SetVisible(false); },
            noneNamed(u"CB_LoRaWAN_Network_Type")}),
       u""},
  };
  form->Show();
  const std::vector<std::string> fresh = FormState(form);
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ShowAgain(form);
    ASSERT_EQ(StateChanges(fresh, FormState(form)), "");
    ModalScript local;
    c.Set(form);
    EXPECT_EQ(form->Controllo_Dati(), c.Message.empty());
    if (c.Message.empty()) {
      EXPECT_TRUE(local.Messages().empty());
    } else {
      ASSERT_EQ(local.Messages().size(), 1u);
      EXPECT_EQ(local.Messages()[0].Text, c.Message);
      EXPECT_EQ(local.Messages()[0].Type, mtError);
    }
  }
}

TEST_F(ParGenTest, FailedCheckWritesNothingAndKeepsTheEntries) {
  int during = -1;
  ShowModal([&] {
    form->Edit(u"E_SNMP_Agent_IP1")->SetText(u"300");
    driver.Click(form->Btn_OK);
    during = form->ModalResult();
  });
  EXPECT_EQ(during, mrNone);
  EXPECT_EQ(MessageTexts(), std::vector<String>{u"Error SNMP Agent!! IP Address 1 must be between 0 and 255"});
  EXPECT_FALSE(std::filesystem::exists(ParGenPath()));
  EXPECT_EQ(form->Edit(u"E_SNMP_Agent_IP1")->Text(), u"300");
  EXPECT_TRUE(form->Is_Change);
}

TEST_F(ParGenTest, ShowAfterALanguageChangeTakesTheWiFiListsFromTheFile) {
  WriteParGen(FileWith({{"WiFi_Type", "1"}, {"WiFi_Secure_Type", "2"}, {"WiFi_Channel", "6"}}));
  form->Show();
  form->Hide();
  form->Set_Lang();  // refills the three lists at index 0
  ASSERT_EQ(form->CB_WiFi2_Type->ItemIndex(), 0);
  form->Show();
  EXPECT_EQ(form->CB_WiFi2_Type->ItemIndex(), 1);
  EXPECT_EQ(form->CB_WiFi2_Secure_Type->ItemIndex(), 2);
  EXPECT_EQ(form->Combo(u"CB_WiFi2_Channel")->Text(), u"6");
  form->Hide();
}
