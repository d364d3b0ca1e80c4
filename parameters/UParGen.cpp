// The parameter form: construction from the control table, panel order, layout pass, events and
// texts.
#include "parameters/UParGen.h"

#include <algorithm>
#include <map>

#include "button/LbButton.h"
#include "parameters/UCategoryPanelImages.h"
#include "parameters/UParGenDetail.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFParGen* FParGen = nullptr;

void Create_FParGen() { Application->CreateForm(FParGen); }

namespace {

constexpr int kParDeviceFirstText = 1346;

// The texts Prepare_FParGen found, and those the form being created by FParGen_On_Demand takes.
std::map<int, String> g_parStartTexts;
const std::map<int, String>* g_parCreationTexts = nullptr;

}  // namespace

String pargen_detail::Creation_Text(int Index) {
  if (g_parCreationTexts) {
    auto it = g_parCreationTexts->find(Index);
    if (it != g_parCreationTexts->end()) return it->second;
  }
  return UI_Text(Index);
}

void Prepare_FParGen() {
  g_parStartTexts.clear();
  for (int i = 0; i < 3; ++i) g_parStartTexts[kParDeviceFirstText + i] = UI_Text(kParDeviceFirstText + i);
  for (const TParPanelDef& d : Par_Panel_Table()) g_parStartTexts[d.HeaderIndex] = UI_Text(d.HeaderIndex);
}

TFParGen* FParGen_On_Demand() {
  if (!FParGen) {
    g_parCreationTexts = &g_parStartTexts;
    try {
      Create_FParGen();
    } catch (...) {
      g_parCreationTexts = nullptr;
      throw;
    }
    g_parCreationTexts = nullptr;
  }
  return FParGen;
}

namespace {

constexpr int kPanelBottomGap = 12;

// The rows of a panel's layout pass, from the first.
TLayoutCursor Layout_Rows() { return TLayoutCursor(TTableGrid::FirstRow, TTableGrid::RowPitch); }

}  // namespace

TFParGen::TFParGen(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"FParGen");
  Apply_Form_Look(this, {.BorderStyle = bsSizeable});
  SetShowHint(true);
  model_ = pargen_detail::Installed_Model();
  XML1 = new TXMLDocument();
  BuildFrame();
  BuildPanels();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnResize = [this](TObject* s) { FormResize(s); };
  OnMouseWheel = [this](TObject* s, TShiftState sh, int d, TPoint p, bool& h) { FormMouseWheel(s, sh, d, p, h); };
}

TFParGen::~TFParGen() {
  delete XML1;
  XML1 = nullptr;
  if (FParGen == this) FParGen = nullptr;
}

void TFParGen::BuildFrame() {
  Build_Dialog_Frame(this, *this, {.OkLeft = 217, .CancelLeft = 333});
  // The title sits nearer the corner here, on the panel's ground.
  L_SW_Code->SetBounds(10, 4, 200, 39);
  L_SW_Desc->SetBounds(12, 46, 300, 13);
  for (TLabel* l : {L_SW_Code, L_SW_Desc}) l->SetTransparent(true);
  // The stock faces; the handlers decide the form's result.
  Btn_OK->SetKind(bkOK);
  Btn_Cancel->SetKind(bkCancel);
  for (TLbButton* b : {Btn_OK, Btn_Cancel}) {
    b->SetAnchors(TAnchors{akTop, akRight});
    b->SetModalResult(mrNone);
  }
  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
  Btn_Cancel->OnClick = [this](TObject* s) { Btn_CancelClick(s); };

  ImageList1 = Create_Category_Panel_Images(this);
  ImageList1->SetName(u"ImageList1");

  CPG = New<TCategoryPanelGroup>(this);
  CPG->SetName(u"CPG");
  CPG->SetParent(this);
  CPG->SetAlign(alClient);
  CPG->SetColor(Shell_Window_Color);
  CPG->SetVertScrollBarTracking(true);
  CPG->SetHeaderHeight(24);
  CPG->HeaderFont()->SetName(u"Verdana");
  CPG->HeaderFont()->SetHeight(-15);
  CPG->HeaderFont()->SetStyle(TFontStyles{fsBold});
  CPG->HeaderFont()->SetColor(clGray);
  CPG->SetChevronColor(clGray);
  CPG->SetChevronHotColor(clRed);
  CPG->SetImages(ImageList1);
}

void TFParGen::BuildPanels() {
  auto makePanel = [this](const String& name) {
    TCategoryPanel* p = New<TCategoryPanel>(this);
    p->SetName(name);
    p->SetPanelGroup(CPG);
    p->SetColor(Shell_Window_Color);
    p->SetCollapsedImageIndex(1);
    p->SetExpandedImageIndex(0);
    byName_[name] = p;
    return p;
  };
  for (const TParPanelDef& d : Par_Panel_Table()) makePanel(d.Name);
  CP_Select_Device = Panel(u"CP_Select_Device");
  CP_Ethernet_Connection = Panel(u"CP_Ethernet_Connection");
  CP_LoRaWAN = Panel(u"CP_LoRaWAN");
  CP_SNMP_Agent = Panel(u"CP_SNMP_Agent");
  CP_WiFi2 = Panel(u"CP_WiFi2");

  for (const TParControlDef& d : Par_Control_Table()) {
    TCategoryPanel* panel = Panel(d.Panel);
    TControl* c = nullptr;
    switch (d.Kind) {
      case pckLabel: {
        // Read as from a form file: measured once, when its panel, caption and place are set.
        TLabel* l = New<TLabel>(this);
        l->SetLoading(true);
        l->SetTransparent(true);
        if (!d.Caption.empty()) l->SetCaption(d.Caption);
        c = l;
        break;
      }
      case pckEdit: {
        TEdit* e = New<TEdit>(this);
        e->SetTabStop(true);
        e->SetMaxLength(d.MaxLength);
        e->SetCharCase(d.CharCase);
        e->OnChange = [this](TObject* s) { On_Change(s); };
        if (d.HexOnly) e->OnKeyPress = [this](TObject* s, Char& k) { OnKeyPress(s, k); };
        if (d.Octet) e->OnKeyPress = [this](TObject* s, Char& k) { KeyPress(s, k); };
        c = e;
        break;
      }
      case pckCombo: {
        TComboBox* cb = New<TComboBox>(this);
        cb->SetTabStop(true);
        cb->SetStyle(csDropDownList);
        for (const String& item : d.Items) cb->Items()->Add(item);
        cb->OnChange = [this](TObject* s) { On_Change(s); };
        c = cb;
        break;
      }
      case pckCheck: {
        TCheckBox* ch = New<TCheckBox>(this);
        ch->SetTabStop(true);
        if (!d.Caption.empty()) ch->SetCaption(d.Caption);
        ch->OnClick = [this](TObject* s) { On_Click(s); };
        c = ch;
        break;
      }
    }
    c->SetName(d.Name);
    byName_[d.Name] = c;
    c->SetParent(panel);
    c->SetBounds(d.Left, d.Top, d.Width, d.Height);
    if (d.Kind == pckLabel) c->SetLoading(false);
  }

  CB_Select_Device_Device = Combo(u"CB_Select_Device_Device");
  CB_EthConn_En_DHCP_Cable = Check(u"CB_EthConn_En_DHCP_Cable");
  CB_EthConn_En_DHCP_WiFi = Check(u"CB_EthConn_En_DHCP_WiFi");
  CB_EthConn_Enable_DNS = Check(u"CB_EthConn_Enable_DNS");
  CB_LoRaWAN_Mode = Combo(u"CB_LoRaWAN_Mode");
  CB_LoRaWAN_RF_Band = Combo(u"CB_LoRaWAN_RF_Band");
  CB_LoRaWAN_DataRate = Combo(u"CB_LoRaWAN_DataRate");
  CB_LoRaWAN_RX2_Datarate = Combo(u"CB_LoRaWAN_RX2_Datarate");
  CB_LoRaWAN_Activation_Method = Combo(u"CB_LoRaWAN_Activation_Method");
  CB_LoRaWAN_FreqSubBand = Combo(u"CB_LoRaWAN_FreqSubBand");
  CB_SNMP_Agent_GAT = Check(u"CB_SNMP_Agent_GAT");
  CB_SNMP_Agent_Version3 = Check(u"CB_SNMP_Agent_Version3");
  CB_SNMP_Agent_SecurityLevel = Combo(u"CB_SNMP_Agent_SecurityLevel");
  CB_WiFi2_Type = Combo(u"CB_WiFi2_Type");
  CB_WiFi2_Secure_Type = Combo(u"CB_WiFi2_Secure_Type");
  CB_WiFi2_En_DHCP = Check(u"CB_WiFi2_En_DHCP");
  CB_WiFi2_IP1_En_GAT = Check(u"CB_WiFi2_IP1_En_GAT");
  CB_WiFi2_IP2_En_GAT = Check(u"CB_WiFi2_IP2_En_GAT");
}

// ---- look-ups ----
TComponent* TFParGen::Find(const String& Name) const {
  auto it = byName_.find(Name);
  return it != byName_.end() ? it->second : FindComponent(Name);
}
TControl* TFParGen::Ctl(const String& Name) const { return dynamic_cast<TControl*>(Find(Name)); }
TEdit* TFParGen::Edit(const String& Name) const { return dynamic_cast<TEdit*>(Find(Name)); }
TComboBox* TFParGen::Combo(const String& Name) const { return dynamic_cast<TComboBox*>(Find(Name)); }
TCheckBox* TFParGen::Check(const String& Name) const { return dynamic_cast<TCheckBox*>(Find(Name)); }
TLabel* TFParGen::Label(const String& Name) const { return dynamic_cast<TLabel*>(Find(Name)); }
TCategoryPanel* TFParGen::Panel(const String& Name) const { return dynamic_cast<TCategoryPanel*>(Find(Name)); }

// ---- creation ----
void TFParGen::FormCreate(TObject*) {
  L_SW_Code->SetCaption(Soft_Code);
  SetClientWidth(Par_Form_Client_Width);
  SetClientHeight(Par_Form_Client_Height);
  for (TCategoryPanel* p : CPG->Panels()) p->SetVisible(false);
  Order_TAB_Panels();
  Move_GroupBoxs();
  using pargen_detail::Creation_Text;
  CB_Select_Device_Device->Items()->Clear();
  CB_Select_Device_Device->Items()->Add(Creation_Text(kParDeviceFirstText));
  CB_Select_Device_Device->Items()->Add(Creation_Text(kParDeviceFirstText + 1));
  // Only a model with a mobile connection offers the third variant.
  if (Par_Model(model_).Availability == paWiFiMobile)
    CB_Select_Device_Device->Items()->Add(Creation_Text(kParDeviceFirstText + 2));
  CB_Select_Device_Device->SetItemIndex(0);
  Set_Lang();
}

void TFParGen::Order_TAB_Panels() {
  if (model_ == Par_Program_Model) {
    Order_TAB_Panels_40001();
  } else {
    Order_TAB_Panels_Model(Par_Model(model_));
  }
}

void TFParGen::Order_TAB_Panels_40001() { Order_TAB_Panels_Model(Par_Model(Par_Program_Model)); }

// ---- layout ----
void TFParGen::Fit_Panel(TCategoryPanel* P, const String& LastControl) {
  TControl* c = Ctl(LastControl);
  P->SetHeight(c->Top() + c->Height() + kPanelBottomGap + CPG->HeaderHeight());
}

void TFParGen::Set_Visible(const std::vector<String>& Names, bool Show) {
  for (const String& n : Names) Ctl(n)->SetVisible(Show);
}

void TFParGen::Set_Enabled(const std::vector<String>& Names, bool On) {
  for (const String& n : Names) Ctl(n)->SetEnabled(On);
}

void TFParGen::Row(const std::vector<String>& Names, bool Show, TLayoutCursor& Rows) {
  Set_Visible(Names, Show);
  if (!Show) return;
  const int y = Rows.Next();
  bool hasCheck = false;
  for (const String& n : Names) hasCheck = hasCheck || dynamic_cast<TCheckBox*>(Ctl(n));
  for (const String& n : Names) {
    TControl* c = Ctl(n);
    if (dynamic_cast<TLabel*>(c) || dynamic_cast<TCheckBox*>(c)) {
      c->SetTop(y);
    } else if (hasCheck) {
      c->SetTop(y - 2);  // octet edits beside a "Gateway" check box
    } else {
      c->SetTop(y - 3);
    }
  }
}

namespace {

// Label, four octet edits and their three "." labels.
std::vector<String> AddressRow(const String& label, const String& prefix) {
  std::vector<String> v;
  if (!label.empty()) v.push_back(label);
  for (const String& n : Octet_Names(prefix)) v.push_back(n);
  for (int i = 1; i <= 3; ++i) v.push_back(prefix + u"_Dot" + IntToStr(i));
  return v;
}

}  // namespace

void TFParGen::Move_GroupBoxs() {
  if (model_ == Par_Program_Model) {
    RePosition_Objects_40001();
  } else {
    RePosition_Objects_Model(Par_Model(model_));
  }
}

void TFParGen::RePosition_Objects_40001() { RePosition_Objects_Model(Par_Model(Par_Program_Model)); }

void TFParGen::RePosition_Object_Select_Device() {
  TLayoutCursor rows = Layout_Rows();
  Row({u"L_Select_Device_Device", u"CB_Select_Device_Device"}, true, rows);
  Fit_Panel(CP_Select_Device, u"CB_Select_Device_Device");
}

void TFParGen::RePosition_Object_Ethernet_Connection() {
  int device = CB_Select_Device_Device->ItemIndex();
  CB_EthConn_En_DHCP_WiFi->SetEnabled(device != 0 && device != 2);
  Fit_Panel(CP_Ethernet_Connection, u"E_EthConn_Sec_DNS_IP4");
}

void TFParGen::RePosition_Object_LoRaWAN() {
  Set_Visible({u"L_LoRaWAN_Mode", u"CB_LoRaWAN_Mode"}, false);
  TLayoutCursor rows = Layout_Rows();
  Row({u"L_LoRaWAN_RF_Band", u"CB_LoRaWAN_RF_Band"}, true, rows);
  Set_Visible({u"L_LoRaWAN_Server_Address", u"E_LoRaWAN_Server_Address", u"L_LoRaWAN_Server_Port_Up",
               u"E_LoRaWAN_Server_Port_Up", u"L_LoRaWAN_Server_Port_Down", u"E_LoRaWAN_Server_Port_Down",
               u"L_LoRaWAN_KeepAlive_Interval", u"E_LoRaWAN_KeepAlive_Interval"},
              false);
  const bool us = CB_LoRaWAN_RF_Band->Text() == u"US915";
  Row({u"L_LoRaWAN_Network_Type", u"CB_LoRaWAN_Network_Type"}, true, rows);
  Row({u"L_LoRaWAN_Diag_Pos", u"E_LoRaWAN_Diag_Pos"}, true, rows);
  Row({u"L_LoRaWAN_RX2_Datarate", u"CB_LoRaWAN_RX2_Datarate"}, true, rows);
  Row({u"L_LoRaWAN_FreqSubBand", u"CB_LoRaWAN_FreqSubBand"}, us, rows);
  Set_Visible({u"CB_LoRaWAN_Adaptive_DataRate", u"L_LoRaWAN_DataRate", u"CB_LoRaWAN_DataRate",
               u"L_LoRaWAN_Transmission_Type", u"CB_LoRaWAN_Transmission_Type", u"L_LoRaWAN_Join_EUI",
               u"E_LoRaWAN_Join_EUI", u"L_LoRaWAN_Activation_Method", u"CB_LoRaWAN_Activation_Method",
               u"L_LoRaWAN_Device_Address", u"E_LoRaWAN_Device_Address", u"L_LoRaWAN_Network_Session_Key",
               u"E_LoRaWAN_Network_Session_Key", u"L_LoRaWAN_Application_Session_Key",
               u"E_LoRaWAN_Application_Session_Key", u"L_LoRaWAN_Application_Key", u"E_LoRaWAN_Application_Key",
               u"L_LoRaWAN_Class", u"CB_LoRaWAN_Class"},
              false);
  Fit_Panel(CP_LoRaWAN, us ? u"CB_LoRaWAN_FreqSubBand" : u"CB_LoRaWAN_RX2_Datarate");
}

void TFParGen::RePosition_Object_SNMP_Agent() {
  const bool v3 = CB_SNMP_Agent_Version3->Checked();
  const int level = CB_SNMP_Agent_SecurityLevel->ItemIndex();
  const bool showAuth = v3 && level != 0;
  const bool showPriv = v3 && level != 0 && level != 1;
  Set_Visible({u"L_SNMP_Agent_User", u"E_SNMP_Agent_User", u"L_SNMP_Agent_SecurityLevel",
               u"CB_SNMP_Agent_SecurityLevel"},
              v3);
  Set_Visible({u"L_SNMP_Agent_Authority", u"E_SNMP_Agent_Authority", u"L_SNMP_Agent_AuthorityMode",
               u"CB_SNMP_Agent_AuthorityMode"},
              showAuth);
  Set_Visible({u"L_SNMP_Agent_Privacy", u"E_SNMP_Agent_Privacy", u"L_SNMP_Agent_PrivacyMode",
               u"CB_SNMP_Agent_PrivacyMode"},
              showPriv);
  const char16_t* last = !v3 ? u"CB_SNMP_Agent_Version3"
                         : level == 0 ? u"CB_SNMP_Agent_SecurityLevel"
                         : level == 1 ? u"CB_SNMP_Agent_AuthorityMode"
                                      : u"CB_SNMP_Agent_PrivacyMode";
  Fit_Panel(CP_SNMP_Agent, last);
  std::vector<String> address;
  for (const char16_t* p : {u"E_SNMP_Agent_IP", u"E_SNMP_Agent_SM", u"E_SNMP_Agent_GAT"}) {
    for (const String& n : Octet_Names(p)) address.push_back(n);
  }
  Set_Enabled(address, !CB_EthConn_En_DHCP_Cable->Checked());
}

void TFParGen::RePosition_Object_WiFi2() {
  const std::vector<String> block1Ip = AddressRow(u"L_WiFi2_IP1_IP", u"E_WiFi2_IP1_IP");
  const std::vector<String> block1Sm = AddressRow(u"L_WiFi2_IP1_SM", u"E_WiFi2_IP1_SM");
  const std::vector<String> block1Gat = AddressRow(u"CB_WiFi2_IP1_En_GAT", u"E_WiFi2_IP1_GAT");
  const std::vector<String> block2Ip = AddressRow(u"L_WiFi2_IP2_IP", u"E_WiFi2_IP2_IP");
  const std::vector<String> block2Sm = AddressRow(u"L_WiFi2_IP2_SM", u"E_WiFi2_IP2_SM");
  const std::vector<String> block2Gat = AddressRow(u"CB_WiFi2_IP2_En_GAT", u"E_WiFi2_IP2_GAT");
  const std::vector<String> dhcpFirst = AddressRow(u"L_WiFi2_DHCP_First_IP", u"E_WiFi2_DHCP_First_IP");
  const std::vector<String> dhcpSm = AddressRow(u"L_WiFi2_DHCP_SM", u"E_WiFi2_DHCP_SM");
  // Block 1's address rows and its Gateway box (the "." labels stay as they are).
  std::vector<String> block1Inputs;
  for (const std::vector<String>* rows : {&block1Ip, &block1Sm, &block1Gat}) {
    for (const String& n : *rows) {
      if (Edit(n) || Check(n)) block1Inputs.push_back(n);
    }
  }

  TLayoutCursor rows = Layout_Rows();
  Row({u"L_WiFi2_Type", u"CB_WiFi2_Type"}, true, rows);
  if (CB_WiFi2_Type->ItemIndex() == 0) {
    Row({u"L_WiFi2_IP1"}, false, rows);
    Row(block1Ip, true, rows);
    Row(block1Sm, true, rows);
    Row(block1Gat, true, rows);
    // The access-point branch of Controllo_Dati checks these rows, so they must be editable
    // even when the station layout disabled them before.
    Set_Enabled(block1Inputs, true);
    Set_Visible({u"L_WiFi2_IP2"}, false);
    Set_Visible(block2Ip, false);
    Set_Visible(block2Sm, false);
    Set_Visible(block2Gat, false);
    Row({u"L_WiFi2_SSID", u"E_WiFi2_SSID"}, true, rows);
    Row({u"L_WiFi2_Secure_Type", u"CB_WiFi2_Secure_Type"}, true, rows);
    Row({u"L_WiFi2_Password", u"E_WiFi2_Password"}, CB_WiFi2_Secure_Type->ItemIndex() > 0, rows);
    Row({u"CB_WiFi2_En_DHCP"}, true, rows);
    const bool dhcp = CB_WiFi2_En_DHCP->Checked();
    Row(dhcpFirst, dhcp, rows);
    Row(dhcpSm, dhcp, rows);
    Row({u"L_WiFi2_Lease_Time", u"E_WiFi2_Lease_Time"}, dhcp, rows);
    Row({u"L_WiFi2_Max_Client", u"CB_WiFi2_Max_Client"}, true, rows);
    Row({u"L_WiFi2_Channel", u"CB_WiFi2_Channel"}, true, rows);
    Fit_Panel(CP_WiFi2, u"CB_WiFi2_Channel");
    return;
  }

  String name1, name2;
  const bool twoSides = pargen_detail::Protocol_Names(name1, name2) >= 2;
  const bool dhcpWiFi = CB_EthConn_En_DHCP_WiFi->Checked();
  if (twoSides) Label(u"L_WiFi2_IP1")->SetCaption(u"IP Address 1 - " + name1);
  Row({u"L_WiFi2_IP1"}, twoSides, rows);
  Row(block1Ip, true, rows);
  Row(block1Sm, true, rows);
  Row(block1Gat, true, rows);
  Set_Enabled(block1Inputs, !dhcpWiFi);
  if (twoSides) Label(u"L_WiFi2_IP2")->SetCaption(u"IP Address 2 - " + name2);
  Row({u"L_WiFi2_IP2"}, twoSides, rows);
  Row(block2Ip, twoSides, rows);
  Row(block2Sm, twoSides, rows);
  Row(block2Gat, twoSides, rows);
  if (twoSides) {
    std::vector<String> block2Inputs;
    for (const std::vector<String>* rows : {&block2Ip, &block2Sm, &block2Gat}) {
      for (const String& n : *rows) {
        if (Edit(n) || Check(n)) block2Inputs.push_back(n);
      }
    }
    Set_Enabled(block2Inputs, !dhcpWiFi);
  }
  Row({u"L_WiFi2_SSID", u"E_WiFi2_SSID"}, true, rows);
  Row({u"L_WiFi2_Password", u"E_WiFi2_Password"}, true, rows);
  Set_Visible({u"L_WiFi2_Secure_Type", u"CB_WiFi2_Secure_Type", u"CB_WiFi2_En_DHCP", u"L_WiFi2_Lease_Time",
               u"E_WiFi2_Lease_Time", u"L_WiFi2_Max_Client", u"CB_WiFi2_Max_Client", u"L_WiFi2_Channel",
               u"CB_WiFi2_Channel"},
              false);
  Set_Visible(dhcpFirst, false);
  Set_Visible(dhcpSm, false);
  Fit_Panel(CP_WiFi2, u"E_WiFi2_Password");
}

// ---- LoRaWAN data-rate lists ----
void TFParGen::Change_LoRaWAN_DataRate() {
  const String band = CB_LoRaWAN_RF_Band->Text();
  auto refill = [&band](TComboBox* cb, const std::vector<String>& eu, const std::vector<String>& us) {
    cb->Items()->Clear();
    const std::vector<String>* items = band == u"EU868" ? &eu : band == u"US915" ? &us : nullptr;
    if (items) {
      for (const String& s : *items) cb->Items()->Add(s);
    }
    cb->SetItemIndex(cb->Items()->Count() > 0 ? 0 : -1);
  };
  refill(CB_LoRaWAN_DataRate, DataRate_Items_EU868(), DataRate_Items_US915());
  refill(CB_LoRaWAN_RX2_Datarate, RX2_Items_EU868(), RX2_Items_US915());
}

// ---- events ----
void TFParGen::On_Change(TObject* Sender) {
  Is_Change = true;
  if (Sender == CB_Select_Device_Device || Sender == CB_LoRaWAN_RF_Band || Sender == CB_WiFi2_Type ||
      Sender == CB_WiFi2_Secure_Type || Sender == CB_SNMP_Agent_SecurityLevel || Sender == CB_LoRaWAN_Mode ||
      Sender == CB_LoRaWAN_Activation_Method || Sender == Ctl(u"CB_BACnet_Master_Type") ||
      Sender == Ctl(u"CB_BACnet_Slave_Type")) {
    Move_GroupBoxs();
  }
  if (Sender == CB_LoRaWAN_RF_Band) Change_LoRaWAN_DataRate();
}

void TFParGen::On_Click(TObject* Sender) {
  Is_Change = true;
  if (Sender == CB_EthConn_En_DHCP_Cable || Sender == CB_EthConn_En_DHCP_WiFi || Sender == CB_WiFi2_En_DHCP ||
      Sender == CB_SNMP_Agent_Version3) {
    Move_GroupBoxs();
    return;
  }
  // Boxes of the sibling models' option panels.
  for (const char16_t* n : {u"CB_MQTT_WillFlag", u"CB_MQTT_PublishTopicConnection", u"CB_MQTT_Enable_ReProgram",
                            u"CB_TLS_Enable", u"CB_TLS_En_Server_Auth", u"CB_TLS_En_Client_Auth",
                            u"CB_TLS_Server_Enable"}) {
    if (Sender == Ctl(n)) {
      Move_GroupBoxs();
      return;
    }
  }
}

void TFParGen::OnKeyPress(TObject*, Char& Key) {
  const bool hex = (Key >= u'0' && Key <= u'9') || (Key >= u'A' && Key <= u'F') || (Key >= u'a' && Key <= u'f');
  if (!hex && Key > 32) Key = 0;
}

void TFParGen::KeyPress(TObject* Sender, Char& Key) {
  if (Key != u'.') return;
  Key = 0;
  const TComponent* from = dynamic_cast<TComponent*>(Sender);
  if (!from) return;
  for (const TParOctetLink& link : Par_Octet_Links()) {
    if (SameText(link.From, from->Name())) {
      TEdit* next = Edit(link.To);
      if (next && next->CanFocus()) next->SetFocus();
      return;
    }
  }
}

void TFParGen::FormMouseWheel(TObject*, TShiftState, int WheelDelta, TPoint MousePos, bool& Handled) {
  const TPoint p = CPG->ScreenToClient(MousePos);
  Handled = PtInRect(CPG->ClientRect(), p);
  if (!Handled) return;
  const unsigned code = WheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN;
  for (int i = 0; i < WheelScrollLines(); ++i) {
    CPG->Perform(WM_VSCROLL, code, 0);
    CPG->Perform(WM_VSCROLL, SB_ENDSCROLL, 0);
  }
}

void TFParGen::FormResize(TObject*) {
  if (ClientWidth() != Par_Form_Client_Width) SetClientWidth(Par_Form_Client_Width);
}

void TFParGen::Btn_OKClick(TObject*) {
  if (!Controllo_Dati() || !May_Save_ParGen()) return;
  Save_ParGen(Path_ParGen);
  SetModalResult(mrOk);
}

void TFParGen::Btn_CancelClick(TObject*) {
  if (!Is_Change) {
    SetModalResult(mrCancel);
    return;
  }
  if (MessageDlg(UI_Text(1336), mtConfirmation, mbYesNo) == mrYes) SetModalResult(mrCancel);
}

// ---- texts ----
void TFParGen::Set_Lang() {
  Set_Texts({{this, 400}, {L_SW_Desc, 401}, {Btn_OK, 402, 404}, {Btn_Cancel, 403, 405}});
  for (const TParControlDef& d : Par_Control_Table()) {
    Set_Text({Ctl(d.Name), d.CaptionIndex, d.HintIndex});
    if (d.ItemsIndex >= 0) Set_Text_Items(Combo(d.Name), d.ItemsIndex, d.ItemsCount);
  }
}
