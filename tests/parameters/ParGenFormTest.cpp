// The parameter form: frame, panels, layout pass, key handling, wheel, resize, Cancel, texts and
// the LoRaWAN data-rate lists.
#include <algorithm>
#include <filesystem>
#include <memory>

#include "ParGenFixture.h"
#include "button/LbButton.h"
#include "platform/testing/PaintToPng.h"

namespace {

std::vector<String> Items(TComboBox* cb) {
  std::vector<String> v;
  for (int i = 0; i < cb->Items()->Count(); ++i) v.push_back(cb->Items()->Strings(i));
  return v;
}

}  // namespace

// ---- frame and panels ------------------------------------------------------------------------

TEST_F(ParGenTest, FrameAndPanelHeaders) {
  EXPECT_EQ(form->ClientWidth(), 460);
  EXPECT_EQ(form->ClientHeight(), 700);
  EXPECT_EQ(form->P_Title->Height(), 69);
  EXPECT_EQ(form->P_Button->Height(), 40);
  EXPECT_EQ(form->CPG->Top(), 69);
  EXPECT_EQ(form->CPG->Height(), 700 - 69 - 40);
  EXPECT_EQ(form->CPG->HeaderHeight(), 24);
  EXPECT_EQ(form->CPG->ChevronHotColor(), clRed);
  EXPECT_EQ(form->L_SW_Code->Caption(), u"MS40001");
  EXPECT_EQ(form->Btn_OK->BoundsRect(), Bounds(217, 6, 110, 28));
  EXPECT_EQ(form->Btn_Cancel->BoundsRect(), Bounds(333, 6, 110, 28));
  EXPECT_EQ(form->Btn_OK->ModalResult(), mrNone);
  EXPECT_EQ(form->Btn_Cancel->ModalResult(), mrNone);

  const std::vector<std::pair<TCategoryPanel*, String>> expected = {
      {form->CP_Select_Device, u"1. Select Device"},
      {form->CP_Ethernet_Connection, u"2. Ethernet Connection"},
      {form->CP_LoRaWAN, u"3. LoRaWAN"},
      {form->CP_SNMP_Agent, u"4. SNMP Agent"},
      {form->CP_WiFi2, u"5. Wi-Fi"}};
  // The panels of the other models of the family stay hidden.
  std::vector<TCategoryPanel*> panels;
  for (TCategoryPanel* p : form->CPG->Panels()) {
    if (p->Visible()) panels.push_back(p);
  }
  EXPECT_EQ(form->CPG->Panels().size(), 36u);
  ASSERT_EQ(panels.size(), expected.size());
  int top = 0;
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(StringToUtf8(expected[i].second));
    EXPECT_EQ(panels[i], expected[i].first);
    EXPECT_EQ(panels[i]->Caption(), expected[i].second);
    EXPECT_EQ(panels[i]->TabOrder(), static_cast<int>(i));
    EXPECT_TRUE(panels[i]->Visible());
    // Stacked without gaps.
    EXPECT_EQ(panels[i]->Top(), top);
    top += panels[i]->Height();
  }
}

TEST_F(ParGenTest, ControlsStandOnTheirGrid) {
  // Every control of the table exists on its panel's surface with the kind and size it names.
  for (const TParControlDef& d : Par_Control_Table()) {
    SCOPED_TRACE(StringToUtf8(d.Name));
    TControl* c = form->Ctl(d.Name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Parent(), form->Panel(d.Panel)->Surface());
    EXPECT_EQ(c->Left(), d.Left);
    if (d.Kind == pckLabel) continue;  // labels size themselves to their caption
    EXPECT_EQ(c->Width(), d.Width);
    EXPECT_EQ(c->Height(), d.Height);
    if (auto* cb = dynamic_cast<TComboBox*>(c)) {
      EXPECT_EQ(cb->Style(), csDropDownList);
    }
  }
  const std::vector<std::tuple<const char16_t*, int, int, int>> places = {
      {u"E_SNMP_Agent_IP1", 191, 55, 21},  {u"E_SNMP_Agent_IP2", 252, 55, 21},
      {u"E_SNMP_Agent_IP3", 313, 55, 21},  {u"E_SNMP_Agent_IP4", 374, 55, 21},
      {u"E_SNMP_Agent_IP_Dot1", 247, 4, 13}, {u"E_SNMP_Agent_IP_Dot3", 369, 4, 13},
      {u"CB_SNMP_Agent_GAT", 14, 175, 17}, {u"CB_SNMP_Agent_Version2", 270, 75, 17},
      {u"CB_EthConn_Enable_DNS", 14, 415, 17}, {u"E_EthConn_Device_Name", 191, 238, 21},
      {u"CB_LoRaWAN_RF_Band", 191, 238, 22}};
  for (const auto& [name, left, width, height] : places) {
    SCOPED_TRACE(StringToUtf8(name));
    TControl* c = form->Ctl(name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->BoundsRect(), Bounds(left, c->Top(), width, height));
  }
  EXPECT_EQ(form->Edit(u"E_EthConn_Device_Name")->MaxLength(), 31);
  EXPECT_EQ(form->Edit(u"E_SNMP_Agent_NameStation")->MaxLength(), 15);
  EXPECT_EQ(form->Edit(u"E_SNMP_Agent_NameStation")->CharCase(), ecLowerCase);
  EXPECT_EQ(form->Edit(u"E_SNMP_Agent_User")->MaxLength(), 19);
  EXPECT_EQ(form->Edit(u"E_LoRaWAN_Join_EUI")->MaxLength(), 16);
  EXPECT_EQ(form->Edit(u"E_LoRaWAN_Device_Address")->MaxLength(), 8);
  EXPECT_EQ(form->Edit(u"E_LoRaWAN_Application_Key")->CharCase(), ecUpperCase);
}

// ---- layout ----------------------------------------------------------------------------------

struct HeightCase {
  const char* Name;
  std::function<void(TFParGen*)> Act;
  TCategoryPanel* TFParGen::*Panel;
  int Height;
};

TEST_F(ParGenTest, PanelHeightsFollowTheState) {
  auto pick = [](const char16_t* combo, int i) {
    return [combo, i](TFParGen* f) { f->Combo(combo)->UserSelect(i); };
  };
  auto tick = [](const char16_t* check) { return [check](TFParGen* f) { f->Check(check)->SetChecked(true); }; };
  auto both = [](std::function<void(TFParGen*)> a, std::function<void(TFParGen*)> b) {
    return [a, b](TFParGen* f) { a(f); b(f); };
  };
  auto none = [](TFParGen*) {};
  const std::vector<HeightCase> cases = {
      {"select device", none, &TFParGen::CP_Select_Device, 67},
      {"ethernet", none, &TFParGen::CP_Ethernet_Connection, 206},
      {"lorawan EU868", none, &TFParGen::CP_LoRaWAN, 151},
      {"lorawan US915", pick(u"CB_LoRaWAN_RF_Band", 1), &TFParGen::CP_LoRaWAN, 179},
      {"snmp v3 off", pick(u"CB_SNMP_Agent_SecurityLevel", 2), &TFParGen::CP_SNMP_Agent, 232},
      {"snmp v3 noauth", tick(u"CB_SNMP_Agent_Version3"), &TFParGen::CP_SNMP_Agent, 291},
      {"snmp v3 auth", both(tick(u"CB_SNMP_Agent_Version3"), pick(u"CB_SNMP_Agent_SecurityLevel", 1)),
       &TFParGen::CP_SNMP_Agent, 347},
      {"snmp v3 priv", both(tick(u"CB_SNMP_Agent_Version3"), pick(u"CB_SNMP_Agent_SecurityLevel", 2)),
       &TFParGen::CP_SNMP_Agent, 403},
      {"wifi ap", none, &TFParGen::CP_WiFi2, 291},
      {"wifi ap wpa", pick(u"CB_WiFi2_Secure_Type", 1), &TFParGen::CP_WiFi2, 319},
      {"wifi ap dhcp", tick(u"CB_WiFi2_En_DHCP"), &TFParGen::CP_WiFi2, 375},
      {"wifi ap wpa dhcp", both(pick(u"CB_WiFi2_Secure_Type", 3), tick(u"CB_WiFi2_En_DHCP")), &TFParGen::CP_WiFi2,
       403},
      {"wifi station", pick(u"CB_WiFi2_Type", 1), &TFParGen::CP_WiFi2, 206},
      {"wifi station dhcp", both(pick(u"CB_WiFi2_Type", 1), tick(u"CB_WiFi2_En_DHCP")), &TFParGen::CP_WiFi2, 206},
  };
  form->Show();
  const std::vector<std::string> fresh = FormState(form);
  for (const HeightCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ShowAgain(form);
    ASSERT_EQ(StateChanges(fresh, FormState(form)), "");
    c.Act(form);
    EXPECT_EQ((form->*c.Panel)->ExpandedHeight(), c.Height);
  }
}

TEST_F(ParGenTest, LoRaWANRowsInGatewayLayout) {
  form->Show();
  auto top = [this](const char16_t* n) { return form->Ctl(n)->Top(); };
  auto shown = [this](const char16_t* n) { return form->Ctl(n)->Visible(); };
  EXPECT_EQ(top(u"L_LoRaWAN_RF_Band"), 12);
  EXPECT_EQ(top(u"CB_LoRaWAN_RF_Band"), 9);
  EXPECT_EQ(top(u"L_LoRaWAN_Network_Type"), 40);
  EXPECT_EQ(top(u"CB_LoRaWAN_Network_Type"), 37);
  EXPECT_EQ(top(u"L_LoRaWAN_Diag_Pos"), 68);
  EXPECT_EQ(top(u"CB_LoRaWAN_RX2_Datarate"), 93);
  EXPECT_FALSE(shown(u"L_LoRaWAN_FreqSubBand"));
  for (const char16_t* hidden : {u"CB_LoRaWAN_Mode", u"E_LoRaWAN_Server_Address", u"E_LoRaWAN_Server_Port_Up",
                                 u"E_LoRaWAN_Server_Port_Down", u"E_LoRaWAN_KeepAlive_Interval",
                                 u"CB_LoRaWAN_DataRate", u"E_LoRaWAN_Join_EUI", u"CB_LoRaWAN_Class"}) {
    EXPECT_FALSE(shown(hidden)) << StringToUtf8(hidden);
  }
  form->CB_LoRaWAN_RF_Band->UserSelect(1);
  EXPECT_TRUE(shown(u"L_LoRaWAN_FreqSubBand"));
  EXPECT_EQ(top(u"L_LoRaWAN_FreqSubBand"), 124);
  EXPECT_EQ(top(u"CB_LoRaWAN_FreqSubBand"), 121);
  EXPECT_FALSE(shown(u"CB_LoRaWAN_Mode"));
  form->Hide();
}

TEST_F(ParGenTest, WiFiRowsMoveWithTypeSecurityAndDhcp) {
  form->Show();
  form->CB_Select_Device_Device->UserSelect(1);
  auto top = [this](const char16_t* n) { return form->Ctl(n)->Top(); };
  // Access point, unsecured: no Password row.
  EXPECT_EQ(top(u"L_WiFi2_IP1_IP"), 40);
  EXPECT_EQ(top(u"E_WiFi2_IP1_IP1"), 37);
  EXPECT_EQ(top(u"CB_WiFi2_IP1_En_GAT"), 96);
  EXPECT_EQ(top(u"E_WiFi2_IP1_GAT1"), 94);
  EXPECT_EQ(top(u"E_WiFi2_IP1_GAT_Dot1"), 96);
  EXPECT_FALSE(form->Ctl(u"E_WiFi2_Password")->Visible());
  EXPECT_EQ(top(u"CB_WiFi2_En_DHCP"), 180);
  // WPA inserts the Password row and moves Enable DHCP down by 28.
  form->CB_WiFi2_Secure_Type->UserSelect(1);
  EXPECT_TRUE(form->Ctl(u"E_WiFi2_Password")->Visible());
  EXPECT_EQ(top(u"L_WiFi2_Password"), 180);
  EXPECT_EQ(top(u"CB_WiFi2_En_DHCP"), 208);
  EXPECT_FALSE(form->Ctl(u"E_WiFi2_Lease_Time")->Visible());
  form->CB_WiFi2_En_DHCP->SetChecked(true);
  EXPECT_EQ(top(u"L_WiFi2_DHCP_First_IP"), 236);
  EXPECT_EQ(top(u"E_WiFi2_Lease_Time"), 289);
  EXPECT_EQ(top(u"CB_WiFi2_Channel"), 345);
  EXPECT_FALSE(form->Ctl(u"L_WiFi2_IP1")->Visible());
  EXPECT_FALSE(form->Ctl(u"E_WiFi2_IP2_IP1")->Visible());
  // Station: Type, address block 1, SSID, Password only.
  form->CB_WiFi2_Type->UserSelect(1);
  EXPECT_EQ(top(u"L_WiFi2_SSID"), 124);
  EXPECT_EQ(top(u"L_WiFi2_Password"), 152);
  for (const char16_t* hidden : {u"CB_WiFi2_Secure_Type", u"CB_WiFi2_En_DHCP", u"E_WiFi2_DHCP_First_IP1",
                                 u"E_WiFi2_Lease_Time", u"CB_WiFi2_Max_Client", u"CB_WiFi2_Channel",
                                 u"L_WiFi2_IP1", u"L_WiFi2_IP2", u"E_WiFi2_IP2_GAT4", u"CB_WiFi2_IP2_En_GAT"}) {
    EXPECT_FALSE(form->Ctl(hidden)->Visible()) << StringToUtf8(hidden);
  }
  form->Hide();
}

TEST_F(ParGenTest, SelectDeviceGovernsTheWiFiPanel) {
  form->Show();
  // A new configuration: only the cable.
  EXPECT_EQ(form->CB_Select_Device_Device->ItemIndex(), 0);
  EXPECT_TRUE(form->CP_WiFi2->Collapsed());
  EXPECT_FALSE(form->CP_WiFi2->Enabled());
  EXPECT_FALSE(form->CB_EthConn_En_DHCP_WiFi->Enabled());
  EXPECT_EQ(form->CP_WiFi2->Height(), 24);
  // Its header does not open it.
  driver.Click(form->CP_WiFi2, 100, 10);
  EXPECT_TRUE(form->CP_WiFi2->Collapsed());

  form->CB_Select_Device_Device->UserSelect(1);
  EXPECT_FALSE(form->CP_WiFi2->Collapsed());
  EXPECT_TRUE(form->CP_WiFi2->Enabled());
  EXPECT_TRUE(form->CB_EthConn_En_DHCP_WiFi->Enabled());
  EXPECT_EQ(form->CP_WiFi2->Height(), 291);
  // Expanding scrolled it into view.
  EXPECT_EQ(form->CPG->ScrollPos(), form->CPG->ContentHeight() - form->CPG->ClientHeight());
  EXPECT_EQ(form->CP_WiFi2->Top() + form->CP_WiFi2->Height(), form->CPG->ClientHeight());
  form->CB_EthConn_En_DHCP_WiFi->SetChecked(true);

  form->CB_Select_Device_Device->UserSelect(0);
  EXPECT_TRUE(form->CP_WiFi2->Collapsed());
  EXPECT_FALSE(form->CP_WiFi2->Enabled());
  EXPECT_FALSE(form->CB_EthConn_En_DHCP_WiFi->Enabled());
  EXPECT_TRUE(form->CB_EthConn_En_DHCP_WiFi->Checked());  // the tick stays
  form->Hide();
}

TEST_F(ParGenTest, EnabledHeaderTogglesItsPanel) {
  form->Show();
  ASSERT_FALSE(form->CP_Ethernet_Connection->Collapsed());
  driver.Click(form->CP_Ethernet_Connection, 100, 10);
  EXPECT_TRUE(form->CP_Ethernet_Connection->Collapsed());
  EXPECT_EQ(form->CP_LoRaWAN->Top(), form->CP_Ethernet_Connection->Top() + 24);
  driver.Click(form->CP_Ethernet_Connection, 100, 10);
  EXPECT_FALSE(form->CP_Ethernet_Connection->Collapsed());
  EXPECT_EQ(form->CP_Ethernet_Connection->Height(), 206);
  form->Hide();
}

TEST_F(ParGenTest, DhcpForCableDisablesTheAgentAddressButNotItsGatewayBox) {
  form->Show();
  form->CB_EthConn_En_DHCP_Cable->SetChecked(true);
  for (const char16_t* p : {u"E_SNMP_Agent_IP", u"E_SNMP_Agent_SM", u"E_SNMP_Agent_GAT"}) {
    for (const String& n : Octet_Names(p)) EXPECT_FALSE(form->Ctl(n)->Enabled()) << StringToUtf8(n);
  }
  EXPECT_TRUE(form->CB_SNMP_Agent_GAT->Enabled());
  form->CB_EthConn_En_DHCP_Cable->SetChecked(false);
  EXPECT_TRUE(form->Ctl(u"E_SNMP_Agent_GAT4")->Enabled());
  form->Hide();
}

TEST_F(ParGenTest, DhcpForWiFiDisablesStationBlockOneAndAccessPointEnablesItAgain) {
  form->Show();
  form->CB_Select_Device_Device->UserSelect(1);
  form->CB_WiFi2_Type->UserSelect(1);
  form->CB_EthConn_En_DHCP_WiFi->SetChecked(true);
  const std::vector<String> block1 = {u"E_WiFi2_IP1_IP1", u"E_WiFi2_IP1_SM4", u"E_WiFi2_IP1_GAT2",
                                      u"CB_WiFi2_IP1_En_GAT"};
  for (const String& n : block1) EXPECT_FALSE(form->Ctl(n)->Enabled()) << StringToUtf8(n);
  // The access point's checks read these rows, so its layout makes them editable again.
  form->CB_WiFi2_Type->UserSelect(0);
  for (const String& n : block1) EXPECT_TRUE(form->Ctl(n)->Enabled()) << StringToUtf8(n);
  form->CB_WiFi2_Type->UserSelect(1);
  EXPECT_FALSE(form->Ctl(u"E_WiFi2_IP1_IP1")->Enabled());
  form->CB_EthConn_En_DHCP_WiFi->SetChecked(false);
  EXPECT_TRUE(form->Ctl(u"E_WiFi2_IP1_IP1")->Enabled());
  form->Hide();
}

// ---- modified flag ---------------------------------------------------------------------------

TEST_F(ParGenTest, EveryChangeMarksTheFormAndTheShowClearsIt) {
  const std::vector<std::pair<const char*, std::function<void(TFParGen*)>>> changes = {
      {"edit", [](TFParGen* f) { f->Edit(u"E_SNMP_Agent_Contact")->SetText(u"x"); }},
      {"combo", [](TFParGen* f) { f->Combo(u"CB_WiFi2_Max_Client")->UserSelect(3); }},
      {"gateway box", [](TFParGen* f) { f->CB_SNMP_Agent_GAT->SetChecked(true); }},
      {"version 1", [](TFParGen* f) { f->Check(u"CB_SNMP_Agent_Version1")->SetChecked(true); }},
  };
  for (const auto& [name, act] : changes) {
    SCOPED_TRACE(name);
    form->Show();
    EXPECT_FALSE(form->Is_Change);
    act(form);
    EXPECT_TRUE(form->Is_Change);
    form->Hide();
  }
}

// ---- keys ------------------------------------------------------------------------------------

TEST_F(ParGenTest, DotJumpsAlongTheOctetChain) {
  form->Show();
  form->CB_Select_Device_Device->UserSelect(1);
  struct Case {
    const char16_t* From;
    const char16_t* FocusAfter;
  };
  const std::vector<Case> cases = {
      {u"E_SNMP_Agent_IP4", u"E_SNMP_Agent_SM1"},  {u"E_SNMP_Agent_SM4", u"E_SNMP_Agent_GAT1"},
      {u"E_SNMP_Agent_GAT4", u"E_SNMP_Agent_GAT4"}, {u"E_EthConn_Pri_DNS_IP4", u"E_EthConn_Sec_DNS_IP1"},
      {u"E_EthConn_Sec_DNS_IP4", u"E_EthConn_Sec_DNS_IP4"}, {u"E_WiFi2_IP1_GAT3", u"E_WiFi2_IP1_GAT4"},
      {u"E_WiFi2_IP1_GAT4", u"E_WiFi2_IP1_GAT4"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.From));
    TEdit* from = form->Edit(c.From);
    from->SetText(u"12");
    from->SetFocus();
    ASSERT_EQ(form->FocusedControl(), from);
    driver.Type(form, u".");
    EXPECT_EQ(from->Text(), u"12");
    EXPECT_EQ(form->FocusedControl(), form->Ctl(c.FocusAfter));
  }
  // In station mode with DHCP for Wi-Fi the next edit is disabled: the focus stays.
  form->CB_WiFi2_Type->UserSelect(1);
  TEdit* ip3 = form->Edit(u"E_WiFi2_IP1_IP3");
  form->Edit(u"E_WiFi2_IP1_IP4")->SetEnabled(false);
  ip3->SetFocus();
  driver.Type(form, u".");
  EXPECT_EQ(form->FocusedControl(), ip3);
  // Letters reach an octet edit; the checks refuse them on OK.
  TEdit* ip1 = form->Edit(u"E_SNMP_Agent_IP1");
  ip1->SetText(String());
  ip1->SetFocus();
  driver.Type(form, u"1a");
  EXPECT_EQ(ip1->Text(), u"1a");
  form->Hide();
}

TEST_F(ParGenTest, HexFilterPassesDigitsHexLettersAndControlKeys) {
  const std::vector<std::pair<Char, bool>> keys = {
      {u'0', true}, {u'9', true}, {u'a', true}, {u'F', true}, {u'f', true}, {u' ', true}, {8, true},
      {u'g', false}, {u'G', false}, {u'-', false}, {u'.', false}, {u'z', false}, {0x00E9, false}};
  for (const auto& [key, passes] : keys) {
    Char k = key;
    form->OnKeyPress(form->Edit(u"E_LoRaWAN_Join_EUI"), k);
    EXPECT_EQ(k, passes ? key : 0) << int(key);
  }
  // Typed into the edit: filtered, then upper-cased.
  TEdit* eui = form->Edit(u"E_LoRaWAN_Device_Address");
  for (Char c : String(u"0aG-f")) eui->Perform(WM_CHAR, c);
  EXPECT_EQ(eui->Text(), u"0AF");
}

// ---- wheel and resize ------------------------------------------------------------------------

TEST_F(ParGenTest, WheelScrollsTheGroupOnlyOverIt) {
  form->Show();
  ASSERT_TRUE(form->CPG->ScrollBarVisible());
  SetWheelScrollLines(3);
  driver.Wheel(form->CPG, -120, 100, 100);
  EXPECT_EQ(form->CPG->ScrollPos(), 3 * form->CPG->LineStep());
  driver.Wheel(form->CPG, -360, 100, 100);  // the size of the delta does not count
  EXPECT_EQ(form->CPG->ScrollPos(), 6 * form->CPG->LineStep());
  driver.Wheel(form->CPG, 120, 100, 100);
  EXPECT_EQ(form->CPG->ScrollPos(), 3 * form->CPG->LineStep());
  driver.Wheel(form->P_Title, -120, 100, 20);
  driver.Wheel(form->P_Button, -120, 10, 20);
  EXPECT_EQ(form->CPG->ScrollPos(), 3 * form->CPG->LineStep());
  SetWheelScrollLines(0);
  driver.Wheel(form->CPG, -120, 100, 100);
  EXPECT_EQ(form->CPG->ScrollPos(), 3 * form->CPG->LineStep());
  SetWheelScrollLines(3);
  form->Hide();
}

TEST_F(ParGenTest, TabKeepsTheFocusedControlInView) {
  form->Show();
  ASSERT_TRUE(form->CPG->ScrollBarVisible());
  TCategoryPanelGroup* group = form->CPG;
  auto topInGroup = [group](const TControl* c) {
    int top = 0;
    for (; c && c != group; c = c->Parent()) top += c->Top();
    return c == group ? top : -100000;
  };
  int inGroup = 0, maxScroll = 0;
  TWinControl* first = form->FocusedControl();
  for (int step = 0; step < 400; ++step) {
    driver.Key(form, VK_TAB);
    TWinControl* f = form->FocusedControl();
    ASSERT_NE(f, nullptr);
    if (f == first) break;
    if (!group->ContainsControl(f) || f == group) continue;
    ++inGroup;
    const int top = topInGroup(f);
    EXPECT_GE(top, 0) << StringToUtf8(f->Name());
    EXPECT_LE(top + std::min(f->Height(), group->ClientHeight()), group->ClientHeight()) << StringToUtf8(f->Name());
    maxScroll = std::max(maxScroll, group->ScrollPos());
  }
  // The walk went through the group's controls and had to scroll to reach the lower ones.
  EXPECT_GT(inGroup, 5);
  EXPECT_GT(maxScroll, 0);
  form->Hide();
}

TEST_F(ParGenTest, ResizeKeepsTheWidth) {
  form->Show();
  form->SetClientWidth(600);
  EXPECT_EQ(form->ClientWidth(), 460);
  form->SetBounds(form->Left(), form->Top(), form->Width() - 50, form->Height() - 100);
  EXPECT_EQ(form->ClientWidth(), 460);
  EXPECT_EQ(form->ClientHeight(), 600);
  form->Hide();
}

// ---- OK and Cancel ---------------------------------------------------------------------------

TEST_F(ParGenTest, CancelWithoutChangeClosesAtOnce) {
  EXPECT_EQ(ShowModal([this] { driver.Click(form->Btn_Cancel); }), mrCancel);
  EXPECT_TRUE(script.Messages().empty());
  EXPECT_FALSE(std::filesystem::exists(ParGenPath()));
}

TEST_F(ParGenTest, CancelAfterChangeAsks) {
  struct Case {
    int Answer;
    int ModalResultAfterClick;
  };
  for (const Case& c : {Case{mrNo, mrNone}, Case{mrYes, mrCancel}}) {
    SCOPED_TRACE(c.Answer);
    script.ExpectMessage(c.Answer);
    int during = -1;
    String contact;
    const int result = ShowModal([&] {
      TEdit* e = form->Edit(u"E_SNMP_Agent_Contact");
      e->SetText(u"ops");
      e->SetText(String());  // back to the old value: still a change
      driver.Click(form->Btn_Cancel);
      during = form->ModalResult();
      contact = e->Text();
    });
    EXPECT_EQ(during, c.ModalResultAfterClick);
    ASSERT_FALSE(script.Messages().empty());
    EXPECT_EQ(script.Messages().back().Text, u"Do you want to exit without saving changes?");
    EXPECT_EQ(script.Messages().back().Type, mtConfirmation);
    EXPECT_EQ(script.Messages().back().Buttons, mbYesNo);
    EXPECT_EQ(contact, u"");
    // No leaves the form open (the script then ends the show without a result).
    EXPECT_EQ(result, c.ModalResultAfterClick);
    EXPECT_FALSE(std::filesystem::exists(ParGenPath()));
  }
}

TEST_F(ParGenTest, CloseBoxClosesWithoutQuestion) {
  const int result = ShowModal([this] {
    form->Edit(u"E_SNMP_Agent_Contact")->SetText(u"ops");
    driver.CloseBox(form);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_TRUE(script.Messages().empty());
}

// ---- texts -----------------------------------------------------------------------------------

namespace {

enum Prop { Caption, Hint };
struct TextCase {
  String Control;
  Prop Property;
  String Text;
};

// Four octet hints: "Insert First byte of X" ... "Insert Fourth byte of X".
void Octets(std::vector<TextCase>& v, const String& prefix, const String& what) {
  const char16_t* ord[] = {u"First", u"Second", u"Third", u"Fourth"};
  for (int i = 0; i < 4; ++i) v.push_back({prefix + IntToStr(i + 1), Hint, u"Insert " + String(ord[i]) + u" byte of " + what});
}

std::vector<TextCase> BuiltInTexts() {
  std::vector<TextCase> v = {
      {u"L_EthConn_Device_Name", Caption, u"Device Name (Hostname)"},
      {u"E_EthConn_Device_Name", Hint, u"Insert the Device Name (hostname)"},
      {u"CB_EthConn_En_DHCP_Cable", Caption, u"Obtain an IP Address Automatically (DHCP for Cable Connection)"},
      {u"CB_EthConn_En_DHCP_Cable", Hint, u"Obtain an IP Address Automatically from server DHCP for the connection via Cable"},
      {u"CB_EthConn_En_DHCP_WiFi", Caption, u"Obtain an IP Address Automatically (DHCP for Wi-Fi Connection)"},
      {u"CB_EthConn_En_DHCP_WiFi", Hint, u"Obtain an IP Address Automatically from server DHCP for the connection via Wi-Fi"},
      {u"CB_EthConn_Enable_DNS", Caption, u"Enable DNS"},
      {u"CB_EthConn_Enable_DNS", Hint, u"Enable/Disable the DNS"},
      {u"L_EthConn_Primary_DNS", Caption, u"Primary DNS"},
      {u"L_EthConn_Secondary_DNS", Caption, u"Secondary DNS"},
      {u"L_WiFi2_Type", Caption, u"Type"},
      {u"CB_WiFi2_Type", Hint, u" "},
      {u"L_WiFi2_IP1", Caption, u"IP Address 1"},
      {u"L_WiFi2_IP1_IP", Caption, u"IP Address"},
      {u"L_WiFi2_IP1_SM", Caption, u"SubNet Mask"},
      {u"CB_WiFi2_IP1_En_GAT", Caption, u"Gateway"},
      {u"CB_WiFi2_IP1_En_GAT", Hint, u"Enable/disable the Default Gateway (IP1)"},
      {u"L_WiFi2_IP2", Caption, u"IP Address 2"},
      {u"L_WiFi2_IP2_IP", Caption, u"IP Address"},
      {u"L_WiFi2_IP2_SM", Caption, u"SubNet Mask"},
      {u"CB_WiFi2_IP2_En_GAT", Caption, u"Gateway"},
      {u"CB_WiFi2_IP2_En_GAT", Hint, u"Enable/disable the Default Gateway (IP2)"},
      {u"L_WiFi2_SSID", Caption, u"SSID"},
      {u"E_WiFi2_SSID", Hint, u"Insert the Service Set Identifier"},
      {u"L_WiFi2_Password", Caption, u"Password"},
      {u"E_WiFi2_Password", Hint, u"Insert the Password"},
      {u"L_WiFi2_Secure_Type", Caption, u"Secure Type"},
      {u"CB_WiFi2_Secure_Type", Hint, u"Select the type of Secure for the Wi-Fi"},
      {u"CB_WiFi2_En_DHCP", Caption, u"Enable DHCP"},
      {u"CB_WiFi2_En_DHCP", Hint, u"Enable/disable the DHCP Server"},
      {u"L_WiFi2_DHCP_First_IP", Caption, u"DHCP First IP Address"},
      {u"L_WiFi2_DHCP_SM", Caption, u"DHCP SubNet Mask"},
      {u"L_WiFi2_Lease_Time", Caption, u"Lease Time (seconds)"},
      {u"E_WiFi2_Lease_Time", Hint, u"Insert the lease Time for DHCP"},
      {u"L_WiFi2_Max_Client", Caption, u"Max Client"},
      {u"CB_WiFi2_Max_Client", Hint, u"Select the Number of Connection admitted"},
      {u"L_WiFi2_Channel", Caption, u"Channel"},
      {u"CB_WiFi2_Channel", Hint, u"Select the Wi-Fi Channel"},
      {u"L_SNMP_Agent_IP", Caption, u"IP Address"},
      {u"L_SNMP_Agent_SM", Caption, u"SubNet Mask"},
      {u"CB_SNMP_Agent_GAT", Caption, u"Gateway"},
      {u"CB_SNMP_Agent_GAT", Hint, u"Enable/Disable the Default Gateway"},
      {u"L_SNMP_Agent_NameStation", Caption, u"Name of Station"},
      {u"E_SNMP_Agent_NameStation", Hint, u"Insert the Name of Station for SNMP"},
      {u"L_SNMP_Agent_Contact", Caption, u"Contact"},
      {u"E_SNMP_Agent_Contact", Hint, u"Insert the Contact for the SNMP Device"},
      {u"L_SNMP_Agent_Location", Caption, u"Location"},
      {u"E_SNMP_Agent_Location", Hint, u"Insert the Location for the SNMP Device"},
      {u"L_SNMP_Agent_Version", Caption, u"Version"},
      {u"CB_SNMP_Agent_Version1", Caption, u"1"},
      {u"CB_SNMP_Agent_Version1", Hint, u"Enable/Disable the Version 1 of SNMP"},
      {u"CB_SNMP_Agent_Version2", Caption, u"2"},
      {u"CB_SNMP_Agent_Version2", Hint, u"Enable/Disable the Version 2 of SNMP"},
      {u"CB_SNMP_Agent_Version3", Caption, u"3"},
      {u"CB_SNMP_Agent_Version3", Hint, u"Enable/Disable the Version 3 of SNMP"},
      {u"L_SNMP_Agent_User", Caption, u"User"},
      {u"E_SNMP_Agent_User", Hint, u"Insert the User for the SNMP Device Version 3"},
      {u"L_SNMP_Agent_SecurityLevel", Caption, u"Security Level"},
      {u"CB_SNMP_Agent_SecurityLevel", Hint, u"Select the Security Level for SNMP"},
      {u"L_SNMP_Agent_Authority", Caption, u"Authority"},
      {u"E_SNMP_Agent_Authority", Hint, u"Insert the Authority for SNMP Device Version 3"},
      {u"L_SNMP_Agent_AuthorityMode", Caption, u"Authority Mode"},
      {u"CB_SNMP_Agent_AuthorityMode", Hint, u"Select the Authority Mode for SNMP Device Version 3, MD5 or SHA"},
      {u"L_SNMP_Agent_Privacy", Caption, u"Privacy"},
      {u"E_SNMP_Agent_Privacy", Hint, u"Insert the Privacy for SNMP Device Version 3"},
      {u"L_SNMP_Agent_PrivacyMode", Caption, u"Privacy Mode"},
      {u"CB_SNMP_Agent_PrivacyMode", Hint, u"Select the Privacy Mode for SNMP Device Version 3, DES or AES"},
      {u"L_Select_Device_Device", Caption, u"Type"},
      {u"CB_Select_Device_Device", Hint, u"Select if device has ethernet connection only via cable or both cable and Wi-Fi"},
      {u"L_LoRaWAN_Mode", Caption, u"Mode"},
      {u"CB_LoRaWAN_Mode", Hint, u"Select the Mode of LoRaWAN, Master or Slave"},
      {u"L_LoRaWAN_RF_Band", Caption, u"RF Band"},
      {u"CB_LoRaWAN_RF_Band", Hint, u"Select the RF Band of LoRaWAN"},
      {u"L_LoRaWAN_Server_Address", Caption, u"Server Address"},
      {u"E_LoRaWAN_Server_Address", Hint, u"Insert the Server Address of LoRaWAN"},
      {u"L_LoRaWAN_Server_Port_Up", Caption, u"Server Port Up"},
      {u"E_LoRaWAN_Server_Port_Up", Hint, u"Insert the Server Port Up of LoRaWAN, from 0 to 65535"},
      {u"L_LoRaWAN_Server_Port_Down", Caption, u"Server Port Down"},
      {u"E_LoRaWAN_Server_Port_Down", Hint, u"Insert the Server Port Down of LoRaWAN, from 0 to 65535"},
      {u"L_LoRaWAN_KeepAlive_Interval", Caption, u"KeepAlive Interval"},
      {u"E_LoRaWAN_KeepAlive_Interval", Hint, u"Insert then KeepAlive Interval, from 0 to 10000000"},
      {u"L_LoRaWAN_Network_Type", Caption, u"Network Type"},
      {u"CB_LoRaWAN_Network_Type", Hint, u"Select the Network Type of LoRaWAN"},
      {u"CB_LoRaWAN_Adaptive_DataRate", Caption, u"Adaptive DataRate"},
      {u"CB_LoRaWAN_Adaptive_DataRate", Hint, u"Enable/Disable the Adaptive DataRate of LoRaWAN"},
      {u"L_LoRaWAN_DataRate", Caption, u"DataRate"},
      {u"CB_LoRaWAN_DataRate", Hint, u"Select the DataRate of LoRaWAN"},
      {u"L_LoRaWAN_Transmission_Type", Caption, u"Transmission Type"},
      {u"CB_LoRaWAN_Transmission_Type", Hint, u"Select the Transmission Type of LoRaWAN"},
      {u"L_LoRaWAN_Join_EUI", Caption, u"Join EUI"},
      {u"E_LoRaWAN_Join_EUI", Hint, u"Insert the Join EUI of LoRaWAN"},
      {u"L_LoRaWAN_Activation_Method", Caption, u"Activation Method"},
      {u"CB_LoRaWAN_Activation_Method", Hint, u"Select then Activation Method of LoRaWAN"},
      {u"L_LoRaWAN_Device_Address", Caption, u"Device Address"},
      {u"E_LoRaWAN_Device_Address", Hint, u"Insert the Device Address of LoRaWAN"},
      {u"L_LoRaWAN_Network_Session_Key", Caption, u"Network Session Key"},
      {u"E_LoRaWAN_Network_Session_Key", Hint, u"Insert the Network Session Key of LoRaWAN"},
      {u"L_LoRaWAN_Application_Session_Key", Caption, u"Application Session Key"},
      {u"E_LoRaWAN_Application_Session_Key", Hint, u"Insert the Application Session Key of LoRaWAN"},
      {u"L_LoRaWAN_Application_Key", Caption, u"Application Key"},
      {u"E_LoRaWAN_Application_Key", Hint, u"Insert the Application Key of LoRaWAN"},
      {u"L_LoRaWAN_Class", Caption, u"Class"},
      {u"CB_LoRaWAN_Class", Hint, u"Select the Class of LoRaWAN"},
      {u"L_LoRaWAN_Diag_Pos", Caption, u"Diagnostic Position"},
      {u"E_LoRaWAN_Diag_Pos", Hint, u"Insert the Starting address of Diagnostic [0..1536]"},
      {u"L_LoRaWAN_RX2_Datarate", Caption, u"RX2 Datarate"},
      {u"CB_LoRaWAN_RX2_Datarate", Hint, u"Select the RX2 Datarate of LoRaWAN"},
      {u"L_LoRaWAN_FreqSubBand", Caption, u"Frequency Sub-Band"},
      {u"CB_LoRaWAN_FreqSubBand", Hint, u"Select the Frequency Sub-Band og LoRaWAN"},
  };
  Octets(v, u"E_EthConn_Pri_DNS_IP", u"Primary DNS");
  Octets(v, u"E_EthConn_Sec_DNS_IP", u"Secondary DNS");
  Octets(v, u"E_WiFi2_IP1_IP", u"IP Address (IP1)");
  Octets(v, u"E_WiFi2_IP1_SM", u"SubNet Mask (IP1)");
  Octets(v, u"E_WiFi2_IP1_GAT", u"Default Gateway (IP1)");
  Octets(v, u"E_WiFi2_IP2_IP", u"IP Address (IP2)");
  Octets(v, u"E_WiFi2_IP2_SM", u"SubNet Mask (IP2)");
  Octets(v, u"E_WiFi2_IP2_GAT", u"Default Gateway (IP2)");
  Octets(v, u"E_WiFi2_DHCP_First_IP", u"First IP Address for the DHCP");
  Octets(v, u"E_WiFi2_DHCP_SM", u"DHCP SubNet Mask");
  Octets(v, u"E_SNMP_Agent_IP", u"IP Address");
  Octets(v, u"E_SNMP_Agent_SM", u"SubNet Mask");
  Octets(v, u"E_SNMP_Agent_GAT", u"Default Gateway");
  return v;
}

String Shown(TFParGen* f, const TextCase& c) {
  TControl* ctl = f->Ctl(c.Control);
  return c.Property == Caption ? ctl->Caption() : ctl->Hint();
}

}  // namespace

TEST_F(ParGenTest, EveryCaptionAndHintHasItsBuiltInText) {
  EXPECT_EQ(form->Caption(), u"Set Communication");
  EXPECT_EQ(form->L_SW_Desc->Caption(), u"Set Communication Setting");
  EXPECT_EQ(form->Btn_OK->Caption(), u"OK");
  EXPECT_EQ(form->Btn_Cancel->Caption(), u"Cancel");
  EXPECT_EQ(form->Btn_OK->Hint(), u"Confirm and Save the current configuration");
  EXPECT_EQ(form->Btn_Cancel->Hint(), u"Exit and Discard the current configuration");
  for (const TextCase& c : BuiltInTexts()) {
    SCOPED_TRACE(StringToUtf8(c.Control) + (c.Property == Caption ? " caption" : " hint"));
    ASSERT_NE(form->Ctl(c.Control), nullptr);
    EXPECT_EQ(Shown(form, c), c.Text);
  }
  // Every captioned or hinted control of this model's panels is covered above.
  size_t texted = 0;
  for (const TParControlDef& d : Par_Control_Table()) {
    const bool ownPanel = d.Panel == u"CP_Select_Device" || d.Panel == u"CP_Ethernet_Connection" ||
                          d.Panel == u"CP_LoRaWAN" || d.Panel == u"CP_SNMP_Agent" || d.Panel == u"CP_WiFi2";
    if (ownPanel) texted += (d.CaptionIndex >= 0) + (d.HintIndex >= 0);
  }
  EXPECT_EQ(texted, BuiltInTexts().size() - 3);  // the version boxes' fixed "1", "2", "3"
  EXPECT_EQ(Items(form->CB_WiFi2_Type), (std::vector<String>{u"Access Point", u"Station"}));
  EXPECT_EQ(Items(form->CB_WiFi2_Secure_Type), (std::vector<String>{u"Unsecured", u"WPA", u"WPA2", u"WEP"}));
  EXPECT_EQ(Items(form->Combo(u"CB_WiFi2_Channel")), (std::vector<String>{u"Auto Search", u"1", u"2", u"3", u"4", u"5", u"6",
                                                                u"7", u"8", u"9", u"10", u"11"}));
  EXPECT_EQ(Items(form->CB_Select_Device_Device),
            (std::vector<String>{u"Only Ethernet Cable", u"Ethernet Cable + Wi-Fi"}));
  EXPECT_EQ(Items(form->Combo(u"CB_WiFi2_Max_Client")).size(), 10u);
  EXPECT_EQ(Items(form->Combo(u"CB_SNMP_Agent_SecurityLevel")),
            (std::vector<String>{u"NoAuthority NoPrivacy", u"Authority NoPrivacy", u"Authority Privacy"}));
}

namespace {

// Loads a language that prefixes every text of the form's block with "T:".
void Load_Prefixed_Language(const TScratchFolder& Folder) {
  const std::filesystem::path lng = Folder / "Test.lng";
  std::string file;
  for (int i = 400; i <= 1412; ++i) {
    const String text = Language_List->Strings(i);
    if (text != u" ") file += "STR" + std::to_string(i) + " =T:" + StringToUtf8(text) + "\r\n";
  }
  ASSERT_TRUE(WriteFileBytes(FromPath(lng), file));
  ASSERT_TRUE(Load_Language_File(FromPath(lng)));
}

}  // namespace

TEST_F(ParGenTest, LanguageSwitchRetextsAllButHeadersAndDeviceItems) {
  ASSERT_NO_FATAL_FAILURE(Load_Prefixed_Language(folder));
  form->Set_Lang();
  for (const TextCase& c : BuiltInTexts()) {
    if (c.Text == u" " || c.Text.size() == 1) continue;  // blanks and fixed digit captions
    SCOPED_TRACE(StringToUtf8(c.Control));
    EXPECT_EQ(Shown(form, c), u"T:" + c.Text);
  }
  EXPECT_EQ(form->Caption(), u"T:Set Communication");
  EXPECT_EQ(form->Btn_Cancel->Caption(), u"T:Cancel");
  EXPECT_EQ(form->CB_WiFi2_Type->Items()->Strings(1), u"T:Station");
  EXPECT_EQ(form->Combo(u"CB_WiFi2_Channel")->Items()->Strings(0), u"T:Auto Search");
  EXPECT_EQ(form->Combo(u"CB_WiFi2_Channel")->ItemIndex(), 0);
  // Built once at creation, in the start-up language.
  EXPECT_EQ(form->CP_WiFi2->Caption(), u"5. Wi-Fi");
  EXPECT_EQ(form->CB_Select_Device_Device->Items()->Strings(0), u"Only Ethernet Cable");
  // Lists the language does not touch.
  EXPECT_EQ(form->CB_LoRaWAN_RF_Band->Items()->Strings(1), u"US915");
  EXPECT_EQ(form->Combo(u"CB_SNMP_Agent_AuthorityMode")->Items()->Strings(1), u"SHA");
}

// The program makes its form on first use: after a language switch it is the form start-up would
// have made and retexted, down to the texts creation reads only once.
TEST_F(ParGenTest, MadeOnFirstUseAsIfMadeAtStartUp) {
  ASSERT_EQ(FParGen, nullptr);
  Prepare_FParGen();
  ASSERT_NO_FATAL_FAILURE(Load_Prefixed_Language(folder));
  TFParGen* late = FParGen_On_Demand();
  ASSERT_NE(late, nullptr);
  EXPECT_EQ(FParGen, late);
  EXPECT_EQ(FParGen_On_Demand(), late);
  EXPECT_EQ(late->Caption(), u"T:Set Communication");
  EXPECT_EQ(late->CB_WiFi2_Type->Items()->Strings(1), u"T:Station");
  EXPECT_EQ(late->CP_WiFi2->Caption(), u"5. Wi-Fi");
  EXPECT_EQ(late->CB_Select_Device_Device->Items()->Strings(0), u"Only Ethernet Cable");
  // A form made directly takes the language in force.
  EXPECT_EQ(form->CP_WiFi2->Caption(), u"5. Wi-Fi");
  std::unique_ptr<TFParGen> direct(New<TFParGen>(nullptr));
  EXPECT_EQ(direct->CP_WiFi2->Caption(), u"5. T:Wi-Fi");
  delete late;
  EXPECT_EQ(FParGen, nullptr);
}

// ---- data-rate lists -------------------------------------------------------------------------

TEST_F(ParGenTest, DataRateItemsByteForByte) {
  const std::vector<String> eu = {
      u"0 -\tLoRa: SF12/125kHz 250 [bit/s]", u"1 -\tLoRa: SF11/125kHz 440 [bit/s]",
      u"2 -\tLoRa: SF10/125kHz 980 [bit/s]", u"3 -\tLoRa: SF9/125kHz 1760 [bit/s]",
      u"4 -\tLoRa: SF8/125kHz 3125 [bit/s]", u"5 -\tLoRa: SF7/125kHz 5470 [bit/s]",
      u"6 - LoRa: SF7/250kHz 11000 [bit/s]", u"7 - FSK: 50kbps 50000 [bit/s]"};
  const std::vector<String> us = {
      u"0  -\tLoRa: SF10/125kHz 980 [bit/s]", u"1  -\tLoRa: SF9/125kHz 1760 [bit/s]",
      u"2  -\tLoRa: SF8/125kHz 3125 [bit/s]", u"3  -\tLoRa: SF7/125kHz 5470 [bit/s]",
      u"4  -\tLoRa: SF8/500kHz 12500 [bit/s]", u"8  -\tLoRa: SF12/500kHz 980 [bit/s]",
      u"9  -\tLoRa: SF11/500kHz 1760 [bit/s]", u"10 - LoRa: SF10/500kHz 3900 [bit/s]",
      u"11 - LoRa: SF9/500kHz 7000 [bit/s]", u"12 - LoRa: SF8/500kHz 12500 [bit/s]",
      u"13 - LoRa: SF7/500kHz 21900 [bit/s]"};
  const std::vector<String> euRx2 = {u"SF12BW125", u"SF11BW125", u"SF10BW125", u"SF9BW125",
                                     u"SF8BW125", u"SF7BW125", u"SF7BW250"};
  const std::vector<String> usRx2 = {u"SF12BW500", u"SF11BW500", u"SF10BW500", u"SF9BW500", u"SF8BW500", u"SF7BW500"};
  form->Show();
  EXPECT_EQ(Items(form->CB_LoRaWAN_DataRate), eu);
  EXPECT_EQ(Items(form->CB_LoRaWAN_RX2_Datarate), euRx2);
  form->CB_LoRaWAN_DataRate->SetItemIndex(4);
  form->CB_LoRaWAN_RX2_Datarate->UserSelect(3);
  form->CB_LoRaWAN_RF_Band->UserSelect(1);
  EXPECT_EQ(Items(form->CB_LoRaWAN_DataRate), us);
  EXPECT_EQ(Items(form->CB_LoRaWAN_RX2_Datarate), usRx2);
  EXPECT_EQ(form->CB_LoRaWAN_DataRate->Text(), u"0  -\tLoRa: SF10/125kHz 980 [bit/s]");
  EXPECT_EQ(form->CB_LoRaWAN_RX2_Datarate->Text(), u"SF12BW500");
  form->CB_LoRaWAN_RX2_Datarate->UserSelect(5);
  form->CB_LoRaWAN_RF_Band->UserSelect(0);
  EXPECT_EQ(form->CB_LoRaWAN_DataRate->Text(), u"0 -\tLoRa: SF12/125kHz 250 [bit/s]");
  EXPECT_EQ(form->CB_LoRaWAN_RX2_Datarate->Text(), u"SF12BW125");
  // No band: both lists empty, nothing selected.
  form->CB_LoRaWAN_RF_Band->SetItemIndex(-1);
  form->Change_LoRaWAN_DataRate();
  EXPECT_EQ(form->CB_LoRaWAN_DataRate->Items()->Count(), 0);
  EXPECT_EQ(form->CB_LoRaWAN_RX2_Datarate->ItemIndex(), -1);
  form->Hide();
}

// ---- pictures --------------------------------------------------------------------------------

TEST_F(ParGenTest, PaintedInEachSelectDeviceState) {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  const std::filesystem::path out = ec ? std::filesystem::current_path() : exe.parent_path();
  form->Show();
  for (int device : {0, 1}) {
    form->CB_Select_Device_Device->UserSelect(device);
    form->CPG->SetScrollPos(form->CPG->ContentHeight());  // the Wi-Fi panel in view
    SCOPED_TRACE("device " + std::to_string(device));
    const std::unique_ptr<TBitmap> pic = PaintToBitmap(form);
    ASSERT_TRUE(SavePng(pic.get(), FromPath(out / ("pargen_select_device_" + std::to_string(device) + ".png"))));
    ExpectPainted(form, pic.get());
  }
  form->Hide();
}
