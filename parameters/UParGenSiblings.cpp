// The model family of the parameter form: its panels, the 28 models' panel orders and
// availability rules, and the layouts of the panels that only the sibling models show.
#include <stdexcept>

#include "parameters/UParGen.h"
#include "parameters/UParGenDetail.h"
#include "shell/UComon.h"

namespace {

int g_model = 0;                                      // 0: the program's model
std::function<int(String&, String&)> g_protocolNames;  // empty: Get_Protocol_Names

constexpr int kRowPitch = TTableGrid::RowPitch;

// Rows from a control's row, and from the row below it.
TLayoutCursor Rows_From(const TControl* C) { return TLayoutCursor(C->Top(), kRowPitch); }
TLayoutCursor Rows_Below(const TControl* C) { return TLayoutCursor(C->Top() + kRowPitch, kRowPitch); }

using TLayout = void (TFParGen::*)();

struct TPanelLayout {
  const char16_t* Panel;
  TLayout Layout;
};

// Every panel's layout routine.
const std::vector<TPanelLayout>& Panel_Layouts() {
  static const std::vector<TPanelLayout> v = {
      {u"CP_Select_Device", &TFParGen::RePosition_Object_Select_Device},
      {u"CP_Ethernet_Connection", &TFParGen::RePosition_Object_Ethernet_Connection},
      {u"CP_LoRaWAN", &TFParGen::RePosition_Object_LoRaWAN},
      {u"CP_SNMP_Agent", &TFParGen::RePosition_Object_SNMP_Agent},
      {u"CP_WiFi2", &TFParGen::RePosition_Object_WiFi2},
      {u"CP_Ethernet", &TFParGen::RePosition_Object_Ethernet},
      {u"CP_Serial", &TFParGen::RePosition_Object_Serial},
      {u"CP_Modbus_Master", &TFParGen::RePosition_Object_Modbus_Master},
      {u"CP_Modbus_Slave", &TFParGen::RePosition_Object_Modbus_Slave},
      {u"CP_Modbus_TCP_Master", &TFParGen::RePosition_Object_Modbus_TCP_Master},
      {u"CP_Modbus_TCP_Slave", &TFParGen::RePosition_Object_Modbus_TCP_Slave},
      {u"CP_BACnet_Master", &TFParGen::RePosition_Object_BACnet_Master},
      {u"CP_BACnet_Slave", &TFParGen::RePosition_Object_BACnet_Slave},
      {u"CP_CAN", &TFParGen::RePosition_Object_CAN},
      {u"CP_CANopen", &TFParGen::RePosition_Object_CANopen},
      {u"CP_DeviceNet_Master", &TFParGen::RePosition_Object_DeviceNet_Master},
      {u"CP_DeviceNet_Slave", &TFParGen::RePosition_Object_DeviceNet_Slave},
      {u"CP_DMX", &TFParGen::RePosition_Object_DMX},
      {u"CP_J1939", &TFParGen::RePosition_Object_J1939},
      {u"CP_NMEA2000", &TFParGen::RePosition_Object_NMEA2000},
      {u"CP_KNX", &TFParGen::RePosition_Object_KNX},
      {u"CP_PROFIBUS", &TFParGen::RePosition_Object_PROFIBUS},
      {u"CP_PROFINET", &TFParGen::RePosition_Object_PROFINET},
      {u"CP_EtherNetIP", &TFParGen::RePosition_Object_EtherNetIP},
      {u"CP_EtherNetIP_Master", &TFParGen::RePosition_Object_EtherNetIP_Master},
      {u"CP_IEC61850_Client", &TFParGen::RePosition_Object_IEC61850_Client},
      {u"CP_IEC61850_Server", &TFParGen::RePosition_Object_IEC61850_Server},
      {u"CP_OPC_UA_Client", &TFParGen::RePosition_Object_OPC_UA_Client},
      {u"CP_OPC_UA_Server", &TFParGen::RePosition_Object_OPC_UA_Server},
      {u"CP_S7_Protocol", &TFParGen::RePosition_Object_S7comm},
      {u"CP_SNMP_Manager", &TFParGen::RePosition_Object_SNMP_Manager},
      {u"CP_MQTT", &TFParGen::RePosition_Object_MQTT},
      {u"CP_TLS", &TFParGen::RePosition_Object_TLS},
      {u"CP_TLS_Server", &TFParGen::RePosition_Object_TLS_Server},
      {u"CP_NTP", &TFParGen::RePosition_Object_NTP},
      {u"CP_GSM_GPRS", &TFParGen::RePosition_Object_GSM_GPRS}};
  return v;
}

TLayout Layout_Of(const String& Panel) {
  for (const TPanelLayout& l : Panel_Layouts()) {
    if (Panel == l.Panel) return l.Layout;
  }
  throw std::logic_error("no layout for panel " + StringToUtf8(Panel));
}

int Header_Of(const String& Panel) {
  for (const TParPanelDef& d : Par_Panel_Table()) {
    if (d.Name == Panel) return d.HeaderIndex;
  }
  return -1;
}

// Label and four octet edits with their "." labels; the first name may be the Gateway box.
std::vector<String> Address_Row(const String& first, const String& prefix) {
  std::vector<String> v{first};
  for (const String& n : Octet_Names(prefix)) v.push_back(n);
  for (int i = 1; i <= 3; ++i) v.push_back(prefix + u"_Dot" + IntToStr(i));
  return v;
}

std::vector<String> Block_Octets(const String& stem) {
  std::vector<String> v;
  for (const char16_t* part : {u"IP", u"SM", u"GAT"}) {
    for (const String& n : Octet_Names(u"E_" + stem + part)) v.push_back(n);
  }
  return v;
}

void Append(std::vector<String>& to, const std::vector<String>& from) { to.insert(to.end(), from.begin(), from.end()); }

}  // namespace

// ---- tables ----

const std::vector<TParPanelDef>& Par_Panel_Table() {
  static const std::vector<TParPanelDef> v = {
      {u"CP_Select_Device", 1035},     {u"CP_Ethernet_Connection", 406}, {u"CP_LoRaWAN", 1337},
      {u"CP_SNMP_Agent", 921},         {u"CP_WiFi2", 733},               {u"CP_Ethernet", 425},
      {u"CP_Serial", 446},             {u"CP_Modbus_Master", 455},       {u"CP_Modbus_Slave", 468},
      {u"CP_Modbus_TCP_Master", 481},  {u"CP_Modbus_TCP_Slave", 502},    {u"CP_BACnet_Master", 521},
      {u"CP_BACnet_Slave", 562},       {u"CP_CAN", 605},                 {u"CP_CANopen", 608},
      {u"CP_DeviceNet_Master", 620},   {u"CP_DeviceNet_Slave", 625},     {u"CP_DMX", 634},
      {u"CP_J1939", 681},              {u"CP_NMEA2000", 832},            {u"CP_KNX", 1349},
      {u"CP_PROFIBUS", 1355},          {u"CP_PROFINET", 875},            {u"CP_EtherNetIP", 992},
      {u"CP_EtherNetIP_Master", 973},  {u"CP_IEC61850_Client", 639},     {u"CP_IEC61850_Server", 660},
      {u"CP_OPC_UA_Client", 839},      {u"CP_OPC_UA_Server", 856},       {u"CP_S7_Protocol", 1018},
      {u"CP_SNMP_Manager", 903},       {u"CP_MQTT", 690},                {u"CP_TLS", 812},
      {u"CP_TLS_Server", 960},         {u"CP_NTP", 827},                 {u"CP_GSM_GPRS", 1038}};
  return v;
}

const std::vector<TParModelDef>& Par_Model_Table() {
  static const std::vector<TParModelDef> v = [] {
    const String SD = u"CP_Select_Device", EC = u"CP_Ethernet_Connection", LW = u"CP_LoRaWAN",
                 ETH = u"CP_Ethernet", WF = u"CP_WiFi2";
    return std::vector<TParModelDef>{
        {1, {EC, LW, u"CP_Modbus_Master", ETH}, paNone, {}},
        {2, {EC, LW, u"CP_Modbus_Slave", ETH}, paNone, {}},
        {3, {SD, EC, LW, u"CP_Modbus_TCP_Master", WF}, paWiFi, {}},
        {4, {SD, EC, LW, u"CP_Modbus_TCP_Slave", WF}, paWiFi, {}},
        {5, {EC, LW, u"CP_Serial", ETH}, paNone, {}},
        {6, {SD, EC, LW, u"CP_BACnet_Master", ETH, WF}, paEthernetByBACnet, u"CB_BACnet_Master_Type"},
        {7, {SD, EC, LW, u"CP_BACnet_Slave", ETH, WF}, paEthernetByBACnet, u"CB_BACnet_Slave_Type"},
        {8, {SD, EC, LW, ETH, WF}, paWiFi, {}},
        {9, {EC, LW, u"CP_CAN", ETH}, paNone, {}},
        {10, {EC, LW, u"CP_CANopen", ETH}, paNone, {}},
        {11, {EC, LW, u"CP_DeviceNet_Master", ETH}, paNone, {}},
        {12, {EC, LW, u"CP_DeviceNet_Slave", ETH}, paNone, {}},
        {13, {EC, LW, u"CP_DMX", ETH}, paNone, {}},
        {14, {EC, LW, u"CP_EtherNetIP_Master"}, paNone, {}},
        {15, {EC, LW, u"CP_EtherNetIP"}, paNone, {}},
        {16, {EC, LW, u"CP_J1939", ETH}, paNone, {}},
        {17, {EC, LW, u"CP_KNX", ETH}, paNone, {}},
        {18, {EC, LW, u"CP_NMEA2000", ETH}, paNone, {}},
        {19, {EC, LW, u"CP_PROFIBUS", ETH}, paNone, {}},
        {20, {EC, LW, u"CP_PROFINET"}, paNone, {}},
        {21, {SD, EC, LW, u"CP_IEC61850_Client", WF}, paWiFi, {}},
        {22, {SD, EC, LW, u"CP_IEC61850_Server", u"CP_TLS_Server", WF}, paWiFi, {}},
        {23, {SD, EC, LW, u"CP_MQTT", ETH, u"CP_TLS", u"CP_NTP", WF, u"CP_GSM_GPRS"}, paWiFiMobile, {}},
        {24, {SD, EC, LW, u"CP_OPC_UA_Client", u"CP_NTP", WF}, paWiFi, {}},
        {25, {SD, EC, LW, u"CP_OPC_UA_Server", u"CP_NTP", WF}, paWiFi, {}},
        {26, {EC, LW, u"CP_S7_Protocol"}, paNone, {}},
        {27, {SD, EC, LW, u"CP_SNMP_Manager", WF}, paWiFi, {}},
        {28, {SD, EC, LW, u"CP_SNMP_Agent", WF}, paWiFi, {}}};
  }();
  return v;
}

const TParModelDef& Par_Model(int Model) {
  const auto& t = Par_Model_Table();
  if (Model < 1 || Model > static_cast<int>(t.size())) throw std::out_of_range("no such model");
  return t[Model - 1];
}

// ---- test seams ----

TParSiblingModel::TParSiblingModel(int Model) : previous_(g_model) {
  Par_Model(Model);  // refuses a number outside the family
  g_model = Model;
}
TParSiblingModel::~TParSiblingModel() { g_model = previous_; }

TParProtocolNames::TParProtocolNames(std::function<int(String&, String&)> Names) : previous_(g_protocolNames) {
  g_protocolNames = std::move(Names);
}
TParProtocolNames::~TParProtocolNames() { g_protocolNames = previous_; }

int pargen_detail::Installed_Model() { return g_model ? g_model : Par_Program_Model; }

int pargen_detail::Protocol_Names(String& Name1, String& Name2) {
  return g_protocolNames ? g_protocolNames(Name1, Name2) : Get_Protocol_Names(Name1, Name2);
}

// ---- a model's pair ----

void TFParGen::Order_TAB_Panels_Model(const TParModelDef& M) {
  for (const String& n : M.Panels) Panel(n)->SetVisible(true);
  int top = 0;
  for (size_t i = 0; i < M.Panels.size(); ++i) {
    TCategoryPanel* p = Panel(M.Panels[i]);
    p->SetTop(top);
    top += p->Height();
    p->SetCaption(IntToStr(static_cast<int>(i) + 1) + u". " + pargen_detail::Creation_Text(Header_Of(M.Panels[i])));
    p->SetTabOrder(static_cast<int>(i));
  }
}

void TFParGen::Collapse_Disable(TCategoryPanel* P) {
  P->Collapse();
  P->SetEnabled(false);
}

void TFParGen::Enable_Expand(TCategoryPanel* P) {
  P->SetEnabled(true);
  P->Expand();
}

void TFParGen::RePosition_Objects_Model(const TParModelDef& M) {
  for (const String& n : M.Panels) (this->*Layout_Of(n))();
  const int device = CB_Select_Device_Device->ItemIndex();
  switch (M.Availability) {
    case paNone:
      break;
    case paEthernetByBACnet:
      if (Combo(M.BACnetType)->ItemIndex() == 0) {
        Collapse_Disable(Panel(u"CP_Ethernet"));
      } else {
        Enable_Expand(Panel(u"CP_Ethernet"));
      }
      [[fallthrough]];
    case paWiFi:
      if (device == 0) {
        Collapse_Disable(CP_WiFi2);
      } else if (device == 1) {
        Enable_Expand(CP_WiFi2);
      }
      break;
    case paWiFiMobile: {
      TCategoryPanel* gsm = Panel(u"CP_GSM_GPRS");
      if (device == 0) {
        Collapse_Disable(CP_WiFi2);
        Collapse_Disable(gsm);
      } else if (device == 1) {
        Enable_Expand(CP_WiFi2);
        Collapse_Disable(gsm);
      } else {
        Collapse_Disable(CP_WiFi2);
        Enable_Expand(gsm);
      }
      break;
    }
  }
}

// ---- panels whose rows stay in place ----

void TFParGen::Height_Only(const String& P, const String& LastControl) { Fit_Panel(Panel(P), LastControl); }

void TFParGen::RePosition_Object_Serial() { Height_Only(u"CP_Serial", u"CB_Serial_StopBits"); }
void TFParGen::RePosition_Object_Modbus_Master() { Height_Only(u"CP_Modbus_Master", u"E_ModbusMaster_CyclicDelay"); }
void TFParGen::RePosition_Object_Modbus_Slave() { Height_Only(u"CP_Modbus_Slave", u"CB_ModbusSlave_ReadInput"); }
void TFParGen::RePosition_Object_CAN() { Height_Only(u"CP_CAN", u"CB_CAN_Baudrate"); }
void TFParGen::RePosition_Object_CANopen() { Height_Only(u"CP_CANopen", u"E_CANopen_SDO_Timeout"); }
void TFParGen::RePosition_Object_DeviceNet_Master() {
  Height_Only(u"CP_DeviceNet_Master", u"CB_DeviceNet_Master_Baudrate");
}
void TFParGen::RePosition_Object_DeviceNet_Slave() {
  Height_Only(u"CP_DeviceNet_Slave", u"E_DeviceNet_Slave_NumByteOut");
}
void TFParGen::RePosition_Object_DMX() { Height_Only(u"CP_DMX", u"E_DMX_ChannelNum"); }
void TFParGen::RePosition_Object_J1939() { Height_Only(u"CP_J1939", u"E_J1939_ID_Device"); }
void TFParGen::RePosition_Object_NMEA2000() { Height_Only(u"CP_NMEA2000", u"CB_NMEA2000_Peer_To_Peer"); }
void TFParGen::RePosition_Object_KNX() { Height_Only(u"CP_KNX", u"E_KNX_IDDevice"); }
void TFParGen::RePosition_Object_PROFIBUS() { Height_Only(u"CP_PROFIBUS", u"E_PROFIBUS_NByte_Out"); }
void TFParGen::RePosition_Object_NTP() { Height_Only(u"CP_NTP", u"E_NTP_Poll_Time"); }
void TFParGen::RePosition_Object_GSM_GPRS() { Height_Only(u"CP_GSM_GPRS", u"E_GSM_GPRS_Password"); }

// ---- address panels ----

void TFParGen::Address_Layout(const String& P, const String& Stem, const std::vector<String>& Hidden,
                              const String& LastControl, const String& FollowingGatewayCheck) {
  Set_Visible(Hidden, false);
  Fit_Panel(Panel(P), LastControl);
  const bool editable = !CB_EthConn_En_DHCP_Cable->Checked();
  Set_Enabled(Block_Octets(Stem), editable);
  if (!FollowingGatewayCheck.empty()) Ctl(FollowingGatewayCheck)->SetEnabled(editable);
}

void TFParGen::RePosition_Object_Ethernet() {
  Address_Layout(u"CP_Ethernet", u"Ethernet_",
                 {u"L_Ethernet_TCP_Port", u"E_Ethernet_TCP_Port", u"L_Ethernet_UDP_Port", u"E_Ethernet_UDP_Port"},
                 u"E_Ethernet_GAT4", u"CB_Ethernet_En_GAT");
}
void TFParGen::RePosition_Object_Modbus_TCP_Master() {
  Address_Layout(u"CP_Modbus_TCP_Master", u"ModbusTCPMaster_", {}, u"E_ModbusTCPMaster_CyclicDelay",
                 u"CB_ModbusTCPMaster_En_GAT");
}
void TFParGen::RePosition_Object_Modbus_TCP_Slave() {
  Address_Layout(u"CP_Modbus_TCP_Slave", u"ModbusTCPSlave_", {}, u"E_ModbusTCPSlave_Port",
                 u"CB_ModbusTCPSlave_En_GAT");
}
void TFParGen::RePosition_Object_EtherNetIP_Master() {
  Address_Layout(u"CP_EtherNetIP_Master", u"EtherNetIP_Master_", {}, u"E_EtherNetIP_Master_Port", {});
}
void TFParGen::RePosition_Object_EtherNetIP() {
  Address_Layout(u"CP_EtherNetIP", u"EtherNetIP_", {}, u"E_EtherNetIP_NByte_Out", {});
}
void TFParGen::RePosition_Object_PROFINET() {
  Address_Layout(u"CP_PROFINET", u"PROFINET_", {u"CB_PROFINET_Diagnostic", u"E_PROFINET_Diagnostic"},
                 u"E_PROFINET_NByte_Out", {});
}
void TFParGen::RePosition_Object_IEC61850_Client() {
  Address_Layout(u"CP_IEC61850_Client", u"IEC61850_Client_", {}, u"E_IEC61850_Client_AppID", {});
}
void TFParGen::RePosition_Object_IEC61850_Server() {
  Address_Layout(u"CP_IEC61850_Server", u"IEC61850_Server_", {}, u"E_IEC61850_Server_Password", {});
}
void TFParGen::RePosition_Object_OPC_UA_Client() {
  Address_Layout(u"CP_OPC_UA_Client", u"OPC_UA_Client_", {}, u"E_OPC_UA_Client_GAT4", {});
}
void TFParGen::RePosition_Object_OPC_UA_Server() {
  Address_Layout(u"CP_OPC_UA_Server", u"OPC_UA_Server_", {}, u"E_OPC_UA_Server_Port", {});
}
void TFParGen::RePosition_Object_S7comm() {
  Address_Layout(u"CP_S7_Protocol", u"S7_Protocol_", {}, u"E_S7_Protocol_GAT4", {});
}
void TFParGen::RePosition_Object_SNMP_Manager() {
  Address_Layout(u"CP_SNMP_Manager", u"SNMP_Manager_", {}, u"E_SNMP_Manager_NameStation", {});
}

// ---- BACnet panels ----

void TFParGen::BACnet_Layout(bool Slave) {
  const String side = Slave ? u"Slave" : u"Master";
  const String ip = u"BACnet_IP_" + side + u"_";
  const String mstp = u"BACnet_MSTP_" + side + u"_";
  TCategoryPanel* panel = Panel(u"CP_BACnet_" + side);

  std::vector<String> block;
  Append(block, Address_Row(u"L_" + ip + u"IP", u"E_" + ip + u"IP"));
  Append(block, Address_Row(u"L_" + ip + u"SM", u"E_" + ip + u"SM"));
  Append(block, Address_Row(u"CB_" + ip + u"GAT", u"E_" + ip + u"GAT"));
  std::vector<String> ipRows;
  for (const char16_t* row : {u"Port", u"Device_Name", u"Device_Identifier"}) {
    ipRows.push_back(u"L_" + ip + row);
    ipRows.push_back(u"E_" + ip + row);
  }
  if (!Slave) {
    ipRows.push_back(u"L_" + ip + u"TimeOut_Polling");
    ipRows.push_back(u"E_" + ip + u"TimeOut_Polling");
  }
  // MS/TP rows in order: label, list or edit.
  std::vector<std::pair<String, String>> mstpRows = {
      {u"L_" + mstp + u"Baudrate", u"CB_" + mstp + u"Baudrate"},
      {u"L_" + mstp + u"Parity", u"CB_" + mstp + u"Parity"},
      {u"L_" + mstp + u"Device_Name", u"E_" + mstp + u"Device_Name"},
      {u"L_" + mstp + u"MAC_Address", u"E_" + mstp + u"MAC_Address"},
      {u"L_" + mstp + u"Max_Master", u"E_" + mstp + u"Max_Master"},
      {u"L_" + mstp + u"Max_Info_Frame", u"E_" + mstp + u"Max_Info_Frame"},
      {u"L_" + mstp + u"Device_Instance", u"E_" + mstp + u"Device_Instance"}};
  if (Slave) mstpRows.push_back({u"L_" + mstp + u"Network", u"E_" + mstp + u"Network"});
  TControl* desc = Slave ? Ctl(u"CB_BACnet_Slave_Desc_32_Chars") : nullptr;

  if (Combo(u"CB_BACnet_" + side + u"_Type")->ItemIndex() == 0) {
    Set_Visible(block, true);
    Set_Enabled(Block_Octets(ip), !CB_EthConn_En_DHCP_Cable->Checked());
    Set_Visible(ipRows, true);
    for (const auto& [label, control] : mstpRows) Set_Visible({label, control}, false);
    if (Slave) {
      desc->SetTop(Ctl(u"L_" + ip + u"Device_Identifier")->Top() + kRowPitch);
      Fit_Panel(panel, u"CB_BACnet_Slave_Desc_32_Chars");
    } else {
      Fit_Panel(panel, u"E_" + ip + u"TimeOut_Polling");
    }
    return;
  }
  Set_Visible(block, false);
  Set_Visible(ipRows, false);
  // The MS/TP rows take the places of the IP rows.
  TLayoutCursor rows = Rows_From(Ctl(u"L_" + ip + u"IP"));
  const int controlShift = Ctl(u"E_" + ip + u"IP1")->Top() - rows.Top();
  for (const auto& [label, control] : mstpRows) {
    const int y = rows.Next();
    Ctl(label)->SetTop(y);
    Ctl(control)->SetTop(y + controlShift);
    Set_Visible({label, control}, true);
  }
  if (Slave) {
    desc->SetTop(Ctl(u"L_" + mstp + u"Network")->Top() + kRowPitch);
    Fit_Panel(panel, u"CB_BACnet_Slave_Desc_32_Chars");
  } else {
    Fit_Panel(panel, u"E_" + mstp + u"Device_Instance");
  }
}

void TFParGen::RePosition_Object_BACnet_Master() { BACnet_Layout(false); }
void TFParGen::RePosition_Object_BACnet_Slave() { BACnet_Layout(true); }

// ---- option panels ----

void TFParGen::RePosition_Object_TLS_Server() {
  const bool on = Check(u"CB_TLS_Server_Enable")->Checked();
  Set_Visible({u"L_TLS_Server_Key", u"E_TLS_Server_Key", u"L_TLS_Server_Key_Pass", u"E_TLS_Server_Key_Pass",
               u"L_TLS_Server_Server_Cert", u"E_TLS_Server_Server_Cert", u"L_TLS_Server_Root_Cert",
               u"E_TLS_Server_Root_Cert", u"CB_TLS_Server_En_Known_Cert"},
              on);
  Fit_Panel(Panel(u"CP_TLS_Server"), on ? u"CB_TLS_Server_En_Known_Cert" : u"CB_TLS_Server_Enable");
}

void TFParGen::RePosition_Object_TLS() {
  TCategoryPanel* panel = Panel(u"CP_TLS");
  const std::vector<String> serverRow = {u"L_TLS_Server_Cert", u"E_TLS_Server_Cert"};
  const std::vector<String> clientRows[] = {{u"L_TLS_Client_Cert", u"E_TLS_Client_Cert"},
                                            {u"L_TLS_Client_Cert_Key", u"E_TLS_Client_Cert_Key"},
                                            {u"L_TLS_Client_Cert_Key_Pass", u"E_TLS_Client_Cert_Key_Pass"}};
  if (!Check(u"CB_TLS_Enable")->Checked()) {
    Set_Visible({u"CB_TLS_En_Server_Auth", u"CB_TLS_En_Client_Auth"}, false);
    Set_Visible(serverRow, false);
    for (const auto& row : clientRows) Set_Visible(row, false);
    Fit_Panel(panel, u"CB_TLS_Enable");
    return;
  }
  TCheckBox* serverAuth = Check(u"CB_TLS_En_Server_Auth");
  serverAuth->SetVisible(true);
  TLayoutCursor rows = Rows_Below(serverAuth);
  Set_Visible(serverRow, serverAuth->Checked());
  if (serverAuth->Checked()) rows = Rows_Below(Ctl(u"E_TLS_Server_Cert"));
  TCheckBox* clientAuth = Check(u"CB_TLS_En_Client_Auth");
  Row({u"CB_TLS_En_Client_Auth"}, true, rows);
  for (const auto& row : clientRows) Row(row, clientAuth->Checked(), rows);
  Fit_Panel(panel, clientAuth->Checked() ? u"E_TLS_Client_Cert_Key_Pass" : u"CB_TLS_En_Client_Auth");
}

void TFParGen::RePosition_Object_MQTT() {
  const bool will = Check(u"CB_MQTT_WillFlag")->Checked();
  Set_Visible({u"L_MQTT_Will_TopicName", u"E_MQTT_Will_TopicName", u"L_MQTT_Will_Message", u"E_MQTT_Will_Message",
               u"CB_MQTT_Will_Retained", u"L_MQTT_Will_QoS", u"CB_MQTT_Will_QoS"},
              will);
  TLayoutCursor rows = will ? Rows_Below(Ctl(u"L_MQTT_Will_QoS")) : Rows_From(Ctl(u"L_MQTT_Will_TopicName"));
  Row({u"CB_MQTT_PublishTopicConnection"}, true, rows);
  const bool publish = Check(u"CB_MQTT_PublishTopicConnection")->Checked();
  Row({u"L_MQTT_Connection_TopicName", u"E_MQTT_Connection_TopicName"}, publish, rows);
  Row({u"L_MQTT_Connection_Message", u"E_MQTT_Connection_Message"}, publish, rows);
  Row({u"CB_MQTT_Connection_Retained"}, publish, rows);
  Row({u"L_MQTT_Username", u"E_MQTT_Username"}, true, rows);
  Row({u"L_MQTT_Password", u"E_MQTT_Password"}, true, rows);
  Set_Visible({u"L_MQTT_ASync_Send_Time", u"E_MQTT_ASync_Send_Time", u"L_MQTT_TopicDALIAns", u"E_MQTT_TopicDALIAns",
               u"CB_MQTT_Enable_ReProgram", u"L_MQTT_Reprogram_Topic", u"E_MQTT_Reprogram_Topic",
               u"L_MQTT_Reproram_Value", u"E_MQTT_Reproram_Value"},
              false);
  Fit_Panel(Panel(u"CP_MQTT"), u"E_MQTT_Password");
}
