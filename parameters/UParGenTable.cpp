// The declarative tables of the parameter form: controls, panel order, "." chains, data-rate
// lists and the ParGen.xml elements.
#include "parameters/UParGen.h"

#include "parameters/UParGenDetail.h"
#include "shell/UComon.h"

namespace {

using namespace pargen_detail;

std::vector<String> Numbers(int from, int to) {
  std::vector<String> v;
  for (int i = from; i <= to; ++i) v.push_back(IntToStr(i));
  return v;
}

std::vector<TParControlDef> BuildTable() {
  std::vector<TParControlDef> t;
  TTableBuilder b(t);

  b.SetPanel(u"CP_Select_Device");
  b.Label(u"L_Select_Device_Device", b.NextRow(), 1036);
  b.Combo(u"CB_Select_Device_Device", b.LastRow(), 1037, {});

  b.SetPanel(u"CP_Ethernet_Connection");
  b.Label(u"L_EthConn_Device_Name", b.NextRow(), 407);
  b.Edit(u"E_EthConn_Device_Name", b.LastRow(), 408, 31);
  b.CheckRow(u"CB_EthConn_En_DHCP_Cable", b.NextRow(), 409, 410);
  b.CheckRow(u"CB_EthConn_En_DHCP_WiFi", b.NextRow(), 411, 412);
  b.CheckRow(u"CB_EthConn_Enable_DNS", b.NextRow(), 413, 414);
  b.Address(u"L_EthConn_Primary_DNS", 415, u"E_EthConn_Pri_DNS_IP", b.NextRow(), 416);
  b.Address(u"L_EthConn_Secondary_DNS", 420, u"E_EthConn_Sec_DNS_IP", b.NextRow(), 421);

  // The gateway layout puts the rows in place; the tops here are the panel's row order.
  b.SetPanel(u"CP_LoRaWAN");
  b.Label(u"L_LoRaWAN_Mode", b.NextRow(), 1367);
  b.Combo(u"CB_LoRaWAN_Mode", b.LastRow(), 1368, {u"Gateway", u"End Node"});
  b.Label(u"L_LoRaWAN_RF_Band", b.NextRow(), 1338);
  b.Combo(u"CB_LoRaWAN_RF_Band", b.LastRow(), 1369, {u"EU868", u"US915"});
  b.Label(u"L_LoRaWAN_Server_Address", b.NextRow(), 1339);
  b.Edit(u"E_LoRaWAN_Server_Address", b.LastRow(), 1370);
  b.Label(u"L_LoRaWAN_Server_Port_Up", b.NextRow(), 1340);
  b.Edit(u"E_LoRaWAN_Server_Port_Up", b.LastRow(), 1371);
  b.Label(u"L_LoRaWAN_Server_Port_Down", b.NextRow(), 1341);
  b.Edit(u"E_LoRaWAN_Server_Port_Down", b.LastRow(), 1372);
  b.Label(u"L_LoRaWAN_KeepAlive_Interval", b.NextRow(), 1342);
  b.Edit(u"E_LoRaWAN_KeepAlive_Interval", b.LastRow(), 1373);
  b.Label(u"L_LoRaWAN_Network_Type", b.NextRow(), 1374);
  b.Combo(u"CB_LoRaWAN_Network_Type", b.LastRow(), 1375, {u"Private", u"Public"});
  b.CheckRow(u"CB_LoRaWAN_Adaptive_DataRate", b.NextRow(), 1376, 1377);
  b.Label(u"L_LoRaWAN_DataRate", b.NextRow(), 1378);
  b.Combo(u"CB_LoRaWAN_DataRate", b.LastRow(), 1379, Numbers(0, 15));
  b.Label(u"L_LoRaWAN_Transmission_Type", b.NextRow(), 1380);
  b.Combo(u"CB_LoRaWAN_Transmission_Type", b.LastRow(), 1381, {u"Unconfirmed", u"Confirmed"});
  b.Label(u"L_LoRaWAN_Join_EUI", b.NextRow(), 1382);
  b.Edit(u"E_LoRaWAN_Join_EUI", b.LastRow(), 1383, 16, ecUpperCase, true);
  b.Label(u"L_LoRaWAN_Activation_Method", b.NextRow(), 1384);
  b.Combo(u"CB_LoRaWAN_Activation_Method", b.LastRow(), 1385,
          {u"Activation by Personalization [ABP]", u"Over-the-Air Activation [OTAA]"});
  b.Label(u"L_LoRaWAN_Device_Address", b.NextRow(), 1386);
  b.Edit(u"E_LoRaWAN_Device_Address", b.LastRow(), 1387, 8, ecUpperCase, true);
  b.Label(u"L_LoRaWAN_Network_Session_Key", b.NextRow(), 1388);
  b.Edit(u"E_LoRaWAN_Network_Session_Key", b.LastRow(), 1389, 32, ecUpperCase, true);
  b.Label(u"L_LoRaWAN_Application_Session_Key", b.NextRow(), 1390);
  b.Edit(u"E_LoRaWAN_Application_Session_Key", b.LastRow(), 1391, 32, ecUpperCase, true);
  b.Label(u"L_LoRaWAN_Application_Key", b.NextRow(), 1392);
  b.Edit(u"E_LoRaWAN_Application_Key", b.LastRow(), 1393, 32, ecUpperCase, true);
  b.Label(u"L_LoRaWAN_Class", b.NextRow(), 1394);
  b.Combo(u"CB_LoRaWAN_Class", b.LastRow(), 1395, {u"A", u"B", u"C"});
  b.Label(u"L_LoRaWAN_Diag_Pos", b.NextRow(), 1406);
  b.Edit(u"E_LoRaWAN_Diag_Pos", b.LastRow(), 1407);
  b.Label(u"L_LoRaWAN_RX2_Datarate", b.NextRow(), 1409);
  b.Combo(u"CB_LoRaWAN_RX2_Datarate", b.LastRow(), 1410, RX2_Items_EU868());
  b.Label(u"L_LoRaWAN_FreqSubBand", b.NextRow(), 1411);
  b.Combo(u"CB_LoRaWAN_FreqSubBand", b.LastRow(), 1412, Numbers(1, 8));

  b.SetPanel(u"CP_SNMP_Agent");
  b.Address(u"L_SNMP_Agent_IP", 922, u"E_SNMP_Agent_IP", b.NextRow(), 923);
  b.Address(u"L_SNMP_Agent_SM", 927, u"E_SNMP_Agent_SM", b.NextRow(), 928);
  b.GatewayRow(u"CB_SNMP_Agent_GAT", 932, 933, u"E_SNMP_Agent_GAT", b.NextRow(), 934);
  b.Label(u"L_SNMP_Agent_NameStation", b.NextRow(), 938);
  b.Edit(u"E_SNMP_Agent_NameStation", b.LastRow(), 939, 15, ecLowerCase);
  b.Label(u"L_SNMP_Agent_Contact", b.NextRow(), 940);
  b.Edit(u"E_SNMP_Agent_Contact", b.LastRow(), 941, 16);
  b.Label(u"L_SNMP_Agent_Location", b.NextRow(), 942);
  b.Edit(u"E_SNMP_Agent_Location", b.LastRow(), 943, 16);
  b.Label(u"L_SNMP_Agent_Version", b.NextRow(), 944);
  // One pixel above the row, so the three boxes end where the panel's 232-pixel height needs.
  b.Check(u"CB_SNMP_Agent_Version1", 191, b.LastRow() - 1, 75, -1, 945, u"1");
  b.Check(u"CB_SNMP_Agent_Version2", 270, b.LastRow() - 1, 75, -1, 946, u"2");
  b.Check(u"CB_SNMP_Agent_Version3", 349, b.LastRow() - 1, 75, -1, 947, u"3");
  b.Label(u"L_SNMP_Agent_User", b.NextRow(), 948);
  b.Edit(u"E_SNMP_Agent_User", b.LastRow(), 949, 19);
  b.Label(u"L_SNMP_Agent_SecurityLevel", b.NextRow(), 950);
  b.Combo(u"CB_SNMP_Agent_SecurityLevel", b.LastRow(), 951,
          {u"NoAuthority NoPrivacy", u"Authority NoPrivacy", u"Authority Privacy"});
  b.Label(u"L_SNMP_Agent_Authority", b.NextRow(), 952);
  b.Edit(u"E_SNMP_Agent_Authority", b.LastRow(), 953, 15);
  b.Label(u"L_SNMP_Agent_AuthorityMode", b.NextRow(), 954);
  b.Combo(u"CB_SNMP_Agent_AuthorityMode", b.LastRow(), 955, {u"MD5", u"SHA"});
  b.Label(u"L_SNMP_Agent_Privacy", b.NextRow(), 956);
  b.Edit(u"E_SNMP_Agent_Privacy", b.LastRow(), 957, 15);
  b.Label(u"L_SNMP_Agent_PrivacyMode", b.NextRow(), 958);
  b.Combo(u"CB_SNMP_Agent_PrivacyMode", b.LastRow(), 959, {u"DES", u"AES"});

  // Rows move with the Wi-Fi type; the layout pass gives the tops.
  b.SetPanel(u"CP_WiFi2");
  b.Label(u"L_WiFi2_Type", b.NextRow(), 734);
  b.LangCombo(u"CB_WiFi2_Type", b.LastRow(), 735, 736, 2);
  b.Label(u"L_WiFi2_IP1", b.NextRow(), 738);
  b.Address(u"L_WiFi2_IP1_IP", 739, u"E_WiFi2_IP1_IP", b.LastRow(), 740);
  b.Address(u"L_WiFi2_IP1_SM", 744, u"E_WiFi2_IP1_SM", b.NextRow(), 745);
  b.GatewayRow(u"CB_WiFi2_IP1_En_GAT", 749, 750, u"E_WiFi2_IP1_GAT", b.NextRow(), 751);
  b.Label(u"L_WiFi2_IP2", b.NextRow(), 755);
  b.Address(u"L_WiFi2_IP2_IP", 756, u"E_WiFi2_IP2_IP", b.NextRow(), 757);
  b.Address(u"L_WiFi2_IP2_SM", 761, u"E_WiFi2_IP2_SM", b.NextRow(), 762);
  b.GatewayRow(u"CB_WiFi2_IP2_En_GAT", 766, 767, u"E_WiFi2_IP2_GAT", b.NextRow(), 768);
  b.Label(u"L_WiFi2_SSID", b.NextRow(), 772);
  b.Edit(u"E_WiFi2_SSID", b.LastRow(), 773);
  b.Label(u"L_WiFi2_Password", b.NextRow(), 774);
  b.Edit(u"E_WiFi2_Password", b.LastRow(), 775);
  b.Label(u"L_WiFi2_Secure_Type", b.NextRow(), 776);
  b.LangCombo(u"CB_WiFi2_Secure_Type", b.LastRow(), 777, 778, 4);
  b.CheckRow(u"CB_WiFi2_En_DHCP", b.NextRow(), 782, 783);
  b.Address(u"L_WiFi2_DHCP_First_IP", 784, u"E_WiFi2_DHCP_First_IP", b.NextRow(), 785);
  b.Address(u"L_WiFi2_DHCP_SM", 789, u"E_WiFi2_DHCP_SM", b.NextRow(), 790);
  b.Label(u"L_WiFi2_Lease_Time", b.NextRow(), 794);
  b.Edit(u"E_WiFi2_Lease_Time", b.LastRow(), 795);
  b.Label(u"L_WiFi2_Max_Client", b.NextRow(), 796);
  b.Combo(u"CB_WiFi2_Max_Client", b.LastRow(), 797, Numbers(1, 10));
  b.Label(u"L_WiFi2_Channel", b.NextRow(), 798);
  b.LangCombo(u"CB_WiFi2_Channel", b.LastRow(), 799, 800, 12);

  Add_Sibling_Controls(b);
  return t;
}

void AddChain(std::vector<TParOctetLink>& links, const std::vector<String>& prefixes) {
  std::vector<String> names;
  for (const String& p : prefixes) {
    for (const String& n : Octet_Names(p)) names.push_back(n);
  }
  for (size_t i = 0; i + 1 < names.size(); ++i) links.push_back({names[i], names[i + 1]});
}

}  // namespace

std::vector<String> Octet_Names(const String& Prefix) {
  return {Prefix + u"1", Prefix + u"2", Prefix + u"3", Prefix + u"4"};
}

const std::vector<TParControlDef>& Par_Control_Table() {
  static const std::vector<TParControlDef> table = BuildTable();
  return table;
}

const std::vector<TParOctetLink>& Par_Octet_Links() {
  static const std::vector<TParOctetLink> links = [] {
    std::vector<TParOctetLink> l;
    AddChain(l, {u"E_EthConn_Pri_DNS_IP", u"E_EthConn_Sec_DNS_IP"});
    AddChain(l, {u"E_WiFi2_IP1_IP", u"E_WiFi2_IP1_SM", u"E_WiFi2_IP1_GAT"});
    AddChain(l, {u"E_WiFi2_IP2_IP", u"E_WiFi2_IP2_SM", u"E_WiFi2_IP2_GAT"});
    AddChain(l, {u"E_WiFi2_DHCP_First_IP", u"E_WiFi2_DHCP_SM"});
    AddChain(l, {u"E_SNMP_Agent_IP", u"E_SNMP_Agent_SM", u"E_SNMP_Agent_GAT"});
    return l;
  }();
  return links;
}

const std::vector<String>& DataRate_Items_EU868() {
  static const std::vector<String> v = {
      u"0 -\tLoRa: SF12/125kHz 250 [bit/s]",  u"1 -\tLoRa: SF11/125kHz 440 [bit/s]",
      u"2 -\tLoRa: SF10/125kHz 980 [bit/s]",  u"3 -\tLoRa: SF9/125kHz 1760 [bit/s]",
      u"4 -\tLoRa: SF8/125kHz 3125 [bit/s]",  u"5 -\tLoRa: SF7/125kHz 5470 [bit/s]",
      u"6 - LoRa: SF7/250kHz 11000 [bit/s]", u"7 - FSK: 50kbps 50000 [bit/s]"};
  return v;
}

const std::vector<String>& DataRate_Items_US915() {
  static const std::vector<String> v = {
      u"0  -\tLoRa: SF10/125kHz 980 [bit/s]",  u"1  -\tLoRa: SF9/125kHz 1760 [bit/s]",
      u"2  -\tLoRa: SF8/125kHz 3125 [bit/s]",  u"3  -\tLoRa: SF7/125kHz 5470 [bit/s]",
      u"4  -\tLoRa: SF8/500kHz 12500 [bit/s]", u"8  -\tLoRa: SF12/500kHz 980 [bit/s]",
      u"9  -\tLoRa: SF11/500kHz 1760 [bit/s]", u"10 - LoRa: SF10/500kHz 3900 [bit/s]",
      u"11 - LoRa: SF9/500kHz 7000 [bit/s]",   u"12 - LoRa: SF8/500kHz 12500 [bit/s]",
      u"13 - LoRa: SF7/500kHz 21900 [bit/s]"};
  return v;
}

const std::vector<String>& RX2_Items_EU868() {
  static const std::vector<String> v = {u"SF12BW125", u"SF11BW125", u"SF10BW125", u"SF9BW125",
                                        u"SF8BW125",  u"SF7BW125",  u"SF7BW250"};
  return v;
}

const std::vector<String>& RX2_Items_US915() {
  static const std::vector<String> v = {u"SF12BW500", u"SF11BW500", u"SF10BW500",
                                        u"SF9BW500",  u"SF8BW500",  u"SF7BW500"};
  return v;
}

namespace {

void AddOctetElements(std::vector<TParElementDef>& t, const String& element, const String& control,
                      std::initializer_list<const char16_t*> defaults) {
  int i = 1;
  for (const char16_t* d : defaults) {
    t.push_back({element + IntToStr(i), control + IntToStr(i), pskText, d});
    ++i;
  }
}

std::vector<TParElementDef> BuildElements() {
  std::vector<TParElementDef> t;
  t.push_back({u"Select_Device", u"CB_Select_Device_Device", pskIndex, u"0"});
  t.push_back({u"Eth_Conn_Device_Name", u"E_EthConn_Device_Name", pskText, u""});
  t.push_back({u"Eth_Conn_DHCP_Cable", u"CB_EthConn_En_DHCP_Cable", pskFlag, u"0"});
  t.push_back({u"Eth_Conn_DHCP_WiFi", u"CB_EthConn_En_DHCP_WiFi", pskFlag, u"0"});
  t.push_back({u"Eth_Conn_Enable_DNS", u"CB_EthConn_Enable_DNS", pskFlag, u"0"});
  AddOctetElements(t, u"Eth_Conn_Primary_DNS", u"E_EthConn_Pri_DNS_IP", {u"8", u"8", u"8", u"8"});
  AddOctetElements(t, u"Eth_Conn_Secondary_DNS", u"E_EthConn_Sec_DNS_IP", {u"8", u"8", u"8", u"8"});
  t.push_back({u"LoRaWAN_Mode", u"CB_LoRaWAN_Mode", pskConstant, u"Gateway"});
  t.push_back({u"LoRaWAN_RF_Band", u"CB_LoRaWAN_RF_Band", pskItem, u"0"});
  t.push_back({u"LoRaWAN_Server_Address", u"E_LoRaWAN_Server_Address", pskText, Default_LoRaWAN_Server_Address});
  t.push_back({u"LoRaWAN_Server_Port_Up", u"E_LoRaWAN_Server_Port_Up", pskText, u"1780"});
  t.push_back({u"LoRaWAN_Server_Port_Down", u"E_LoRaWAN_Server_Port_Down", pskText, u"1780"});
  t.push_back({u"LoRaWAN_KeepAlive_Interval", u"E_LoRaWAN_KeepAlive_Interval", pskText, u"10"});
  t.push_back({u"LoRaWAN_Network_Type", u"CB_LoRaWAN_Network_Type", pskItem, u"0"});
  t.push_back({u"LoRaWAN_Adaptive_DataRate", u"CB_LoRaWAN_Adaptive_DataRate", pskFlag, u"0"});
  t.push_back({u"LoRaWAN_DataRate", u"CB_LoRaWAN_DataRate", pskItem, u"0"});
  t.push_back({u"LoRaWAN_Transmission_Type", u"CB_LoRaWAN_Transmission_Type", pskItem, u"0"});
  t.push_back({u"LoRaWAN_Join_EUI", u"E_LoRaWAN_Join_EUI", pskText, u""});
  t.push_back({u"LoRaWAN_Activation_Method", u"CB_LoRaWAN_Activation_Method", pskShownText, u""});
  t.push_back({u"LoRaWAN_Device_Address", u"E_LoRaWAN_Device_Address", pskText, u""});
  t.push_back({u"LoRaWAN_Network_Session_Key", u"E_LoRaWAN_Network_Session_Key", pskText, u""});
  t.push_back({u"LoRaWAN_Application_Session_Key", u"E_LoRaWAN_Application_Session_Key", pskText, u""});
  t.push_back({u"LoRaWAN_Application_Key", u"E_LoRaWAN_Application_Key", pskText, u""});
  t.push_back({u"LoRaWAN_Class", u"CB_LoRaWAN_Class", pskItem, u"0"});
  t.push_back({u"LoRaWAN_Diagostic_Position", u"E_LoRaWAN_Diag_Pos", pskText, u"0"});
  t.push_back({u"LoRaWAN_RX2_Datarate", u"CB_LoRaWAN_RX2_Datarate", pskItem, u"0"});
  t.push_back({u"LoRaWAN_Frequency_Sub_Band", u"CB_LoRaWAN_FreqSubBand", pskItem, u"0"});
  t.push_back({u"WiFi_Type", u"CB_WiFi2_Type", pskIndex, u"0"});
  AddOctetElements(t, u"WiFi_IP", u"E_WiFi2_IP1_IP", {u"192", u"168", u"0", u"100"});
  AddOctetElements(t, u"WiFi_SM", u"E_WiFi2_IP1_SM", {u"255", u"255", u"255", u"0"});
  t.push_back({u"WiFi_EN_Gateway", u"CB_WiFi2_IP1_En_GAT", pskNumberFlag, u"0"});
  AddOctetElements(t, u"WiFi_GAT", u"E_WiFi2_IP1_GAT", {u"192", u"168", u"0", u"1"});
  AddOctetElements(t, u"WiFi_IP2_IP", u"E_WiFi2_IP2_IP", {u"192", u"168", u"0", u"110"});
  AddOctetElements(t, u"WiFi_IP2_SM", u"E_WiFi2_IP2_SM", {u"255", u"255", u"255", u"0"});
  t.push_back({u"WiFi_IP2_EN_Gateway", u"CB_WiFi2_IP2_En_GAT", pskNumberFlag, u"0"});
  AddOctetElements(t, u"WiFi_IP2_GAT", u"E_WiFi2_IP2_GAT", {u"192", u"168", u"0", u"1"});
  t.push_back({u"WiFi_SSID", u"E_WiFi2_SSID", pskText, u""});
  t.push_back({u"WiFi_PWD", u"E_WiFi2_Password", pskText, u""});
  t.push_back({u"WiFi_Secure_Type", u"CB_WiFi2_Secure_Type", pskIndex, u"0"});
  t.push_back({u"WiFi_EN_DHCP", u"CB_WiFi2_En_DHCP", pskNumberFlag, u"0"});
  AddOctetElements(t, u"WiFi_DHCP_First_IP", u"E_WiFi2_DHCP_First_IP", {u"192", u"168", u"0", u"200"});
  AddOctetElements(t, u"WiFi_DHCP_SM", u"E_WiFi2_DHCP_SM", {u"255", u"255", u"255", u"0"});
  t.push_back({u"WiFi_Lease_Time", u"E_WiFi2_Lease_Time", pskText, u"86400"});
  t.push_back({u"WiFi_Max_Client", u"CB_WiFi2_Max_Client", pskIndex, u"0"});
  t.push_back({u"WiFi_Channel", u"CB_WiFi2_Channel", pskIndex, u"1"});
  AddOctetElements(t, u"SNMP_Agent_IP", u"E_SNMP_Agent_IP", {u"192", u"168", u"0", u"5"});
  AddOctetElements(t, u"SNMP_Agent_SM", u"E_SNMP_Agent_SM", {u"255", u"255", u"255", u"0"});
  AddOctetElements(t, u"SNMP_Agent_GAT", u"E_SNMP_Agent_GAT", {u"192", u"168", u"0", u"1"});
  t.push_back({u"SNMP_Agent_EN_GAT", u"CB_SNMP_Agent_GAT", pskFlag, u"0"});
  t.push_back({u"SNMP_Agent_Name_of_Station", u"E_SNMP_Agent_NameStation", pskText, u"devicename1"});
  t.push_back({u"SNMP_Agent_Contact", u"E_SNMP_Agent_Contact", pskText, u""});
  t.push_back({u"SNMP_Agent_Location", u"E_SNMP_Agent_Location", pskText, u""});
  t.push_back({u"SNMP_Agent_VERSION1", u"CB_SNMP_Agent_Version1", pskFlag, u"0"});
  t.push_back({u"SNMP_Agent_VERSION2", u"CB_SNMP_Agent_Version2", pskFlag, u"0"});
  t.push_back({u"SNMP_Agent_VERSION3", u"CB_SNMP_Agent_Version3", pskFlag, u"0"});
  t.push_back({u"SNMP_Agent_VER3_USER", u"E_SNMP_Agent_User", pskText, u""});
  t.push_back({u"SNMP_Agent_VER3_SECURITY_LEVEL", u"CB_SNMP_Agent_SecurityLevel", pskSNMPName, u"0"});
  t.push_back({u"SNMP_Agent_VER3_AUTHORITY", u"E_SNMP_Agent_Authority", pskText, u""});
  t.push_back({u"SNMP_Agent_VER3_AUTHORITY_MODE", u"CB_SNMP_Agent_AuthorityMode", pskSNMPName, u"0"});
  t.push_back({u"SNMP_Agent_VER3_PRIVACY", u"E_SNMP_Agent_Privacy", pskText, u""});
  t.push_back({u"SNMP_Agent_VER3_PRIVACY_MODE", u"CB_SNMP_Agent_PrivacyMode", pskSNMPName, u"0"});
  return t;
}

}  // namespace

const std::vector<TParElementDef>& ParGen_Element_Table() {
  static const std::vector<TParElementDef> table = BuildElements();
  return table;
}
