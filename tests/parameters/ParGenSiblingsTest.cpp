// The parameter form across the model family: every text assignment by index, the 28 panel
// orders, the panel layouts of the sibling models and their availability rules.
#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "ParGenFixture.h"
#include "button/LbButton.h"
#include "platform/testing/PaintToPng.h"

namespace {

// ---- text assignments ------------------------------------------------------------------------

// One entry of a text block: what the next index (or indices) of the block is assigned to.
enum TextKind {
  kCaption,  // one index: the control's caption
  kHint,     // one index: the control's hint
  kBoth,     // two indices: caption, then hint
  kOctets,   // four indices: hints of <name>1 to <name>4
  kItems     // Count indices: the list's items
};
struct TextItem {
  TextKind Kind;
  const char16_t* Name;
  int Count = 0;
};
struct TextBlock {
  int First, Last;  // indices the block spans
  std::vector<TextItem> Items;
};

const TextItem C(const char16_t* n) { return {kCaption, n}; }
const TextItem H(const char16_t* n) { return {kHint, n}; }
const TextItem CH(const char16_t* n) { return {kBoth, n}; }
const TextItem O(const char16_t* n) { return {kOctets, n}; }
const TextItem I(const char16_t* n, int count) { return {kItems, n, count}; }

// Blocks in their order of execution; the frame's captions and hints are checked apart.
const std::vector<TextBlock>& Blocks() {
  static const std::vector<TextBlock> b = {
      {407, 424,
       {C(u"L_EthConn_Device_Name"), H(u"E_EthConn_Device_Name"), CH(u"CB_EthConn_En_DHCP_Cable"),
        CH(u"CB_EthConn_En_DHCP_WiFi"), CH(u"CB_EthConn_Enable_DNS"), C(u"L_EthConn_Primary_DNS"),
        O(u"E_EthConn_Pri_DNS_IP"), C(u"L_EthConn_Secondary_DNS"), O(u"E_EthConn_Sec_DNS_IP")}},
      {426, 445,
       {C(u"L_Ethernet_IP"), O(u"E_Ethernet_IP"), C(u"L_Ethernet_SM"), O(u"E_Ethernet_SM"), CH(u"CB_Ethernet_En_GAT"),
        O(u"E_Ethernet_GAT"), C(u"L_Ethernet_TCP_Port"), H(u"E_Ethernet_TCP_Port"), C(u"L_Ethernet_UDP_Port"),
        H(u"E_Ethernet_UDP_Port")}},
      {447, 454,
       {C(u"L_Serial_Serial"), H(u"CB_Serial_Serial"), C(u"L_Serial_Baudrate"), H(u"CB_Serial_Baudrate"),
        C(u"L_Serial_Parity"), H(u"Cb_Serial_Parity"), C(u"L_Serial_StopBits"), H(u"CB_Serial_StopBits")}},
      {456, 467,
       {C(u"L_ModbusMaster_Serial"), H(u"CB_ModbusMaster_Serial"), C(u"L_ModbusMaster_Baudrate"),
        H(u"CB_ModbusMaster_Baudrate"), C(u"L_ModbusMaster_Parity"), H(u"CB_ModbusMaster_Parity"),
        C(u"L_ModbusMaster_StopBits"), H(u"CB_ModbusMaster_StopBits"), C(u"L_ModbusMaster_TimeOut"),
        H(u"E_ModbusMaster_TimeOut"), C(u"L_ModbusMaster_CyclicDelay"), H(u"E_ModbusMaster_CyclicDelay")}},
      {469, 480,
       {C(u"L_ModbusSlave_Serial"), H(u"CB_ModbusSlave_Serial"), C(u"L_ModbusSlave_Baudrate"),
        H(u"CB_ModbusSlave_Baudrate"), C(u"L_ModbusSlave_Parity"), H(u"CB_ModbusSlave_Parity"),
        C(u"L_ModbusSlave_StopBits"), H(u"CB_ModbusSlave_StopBits"), C(u"L_ModbusSlave_IDDevice"),
        H(u"E_ModbusSlave_IDDevice"), CH(u"CB_ModbusSlave_ReadInput")}},
      {482, 501,
       {C(u"L_ModbusTCPMaster_IP"), O(u"E_ModbusTCPMaster_IP"), C(u"L_ModbusTCPMaster_SM"),
        O(u"E_ModbusTCPMaster_SM"), CH(u"CB_ModbusTCPMaster_En_GAT"), O(u"E_ModbusTCPMaster_GAT"),
        C(u"L_ModbusTCPMaster_TimeOut"), H(u"E_ModbusTCPMaster_TimeOut"), C(u"L_ModbusTCPMaster_CyclicDelay"),
        H(u"E_ModbusTCPMaster_CyclicDelay")}},
      {503, 520,
       {C(u"L_ModbusTCPSlave_IP"), O(u"E_ModbusTCPSlave_IP"), C(u"L_ModbusTCPSlave_SM"), O(u"E_ModbusTCPSlave_SM"),
        CH(u"CB_ModbusTCPSlave_En_GAT"), O(u"E_ModbusTCPSlave_GAT"), C(u"L_ModbusTCPSlave_Port"),
        H(u"E_ModbusTCPSlave_Port")}},
      {522, 561,
       {C(u"L_BACnet_Master_Type"), H(u"CB_BACnet_Master_Type"), C(u"L_BACnet_IP_Master_IP"),
        O(u"E_BACnet_IP_Master_IP"), C(u"L_BACnet_IP_Master_SM"), O(u"E_BACnet_IP_Master_SM"),
        CH(u"CB_BACnet_IP_Master_GAT"), O(u"E_BACnet_IP_Master_GAT"), C(u"L_BACnet_IP_Master_Port"),
        H(u"E_BACnet_IP_Master_Port"), C(u"L_BACnet_IP_Master_Device_Name"), H(u"E_BACnet_IP_Master_Device_Name"),
        C(u"L_BACnet_IP_Master_Device_Identifier"), H(u"E_BACnet_IP_Master_Device_Identifier"),
        C(u"L_BACnet_IP_Master_TimeOut_Polling"), H(u"E_BACnet_IP_Master_TimeOut_Polling"),
        C(u"L_BACnet_MSTP_Master_Baudrate"), H(u"CB_BACnet_MSTP_Master_Baudrate"),
        C(u"L_BACnet_MSTP_Master_Parity"), H(u"CB_BACnet_MSTP_Master_Parity"),
        C(u"L_BACnet_MSTP_Master_Device_Name"), H(u"E_BACnet_MSTP_Master_Device_Name"),
        C(u"L_BACnet_MSTP_Master_MAC_Address"), H(u"E_BACnet_MSTP_Master_MAC_Address"),
        C(u"L_BACnet_MSTP_Master_Max_Master"), H(u"E_BACnet_MSTP_Master_Max_Master"),
        C(u"L_BACnet_MSTP_Master_Max_Info_Frame"), H(u"E_BACnet_MSTP_Master_Max_Info_Frame"),
        C(u"L_BACnet_MSTP_Master_Device_Instance"), H(u"E_BACnet_MSTP_Master_Device_Instance")}},
      {563, 604,
       {C(u"L_BACnet_Slave_Type"), H(u"CB_BACnet_Slave_Type"), C(u"L_BACnet_IP_Slave_IP"),
        O(u"E_BACnet_IP_Slave_IP"), C(u"L_BACnet_IP_Slave_SM"), O(u"E_BACnet_IP_Slave_SM"),
        CH(u"CB_BACnet_IP_Slave_GAT"), O(u"E_BACnet_IP_Slave_GAT"), C(u"L_BACnet_IP_Slave_Port"),
        H(u"E_BACnet_IP_Slave_Port"), C(u"L_BACnet_IP_Slave_Device_Name"), H(u"E_BACnet_IP_Slave_Device_Name"),
        C(u"L_BACnet_IP_Slave_Device_Identifier"), H(u"E_BACnet_IP_Slave_Device_Identifier"),
        C(u"L_BACnet_MSTP_Slave_Baudrate"), H(u"CB_BACnet_MSTP_Slave_Baudrate"), C(u"L_BACnet_MSTP_Slave_Parity"),
        H(u"CB_BACnet_MSTP_Slave_Parity"), C(u"L_BACnet_MSTP_Slave_Device_Name"),
        H(u"E_BACnet_MSTP_Slave_Device_Name"), C(u"L_BACnet_MSTP_Slave_MAC_Address"),
        H(u"E_BACnet_MSTP_Slave_MAC_Address"), C(u"L_BACnet_MSTP_Slave_Max_Master"),
        H(u"E_BACnet_MSTP_Slave_Max_Master"), C(u"L_BACnet_MSTP_Slave_Max_Info_Frame"),
        H(u"E_BACnet_MSTP_Slave_Max_Info_Frame"), C(u"L_BACnet_MSTP_Slave_Device_Instance"),
        H(u"E_BACnet_MSTP_Slave_Device_Instance"), C(u"L_BACnet_MSTP_Slave_Network"),
        H(u"E_BACnet_MSTP_Slave_Network"), CH(u"CB_BACnet_Slave_Desc_32_Chars")}},
      {606, 607, {C(u"L_CAN_Baudrate"), H(u"CB_CAN_Baudrate")}},
      {609, 619,
       {C(u"L_CANopen_IDDevice"), H(u"E_CANopen_IDDevice"), C(u"L_CANopen_Baudrate"), H(u"CB_CANopen_Baudrate"),
        CH(u"CB_CANopen_SetOpe"), CH(u"CB_CANopen_NetOpe"), H(u"E_CANopen_NetOpe_Delay"),
        C(u"L_CANopen_SDO_Timeout"), H(u"E_CANopen_SDO_Timeout")}},
      {621, 624,
       {C(u"L_DeviceNet_Master_IDDevice"), H(u"E_DeviceNet_Master_IDDevice"), C(u"L_DeviceNet_Master_Baudrate"),
        H(u"CB_DeviceNet_Master_Baudrate")}},
      {626, 633,
       {C(u"L_DeviceNet_Slave_IDDevice"), H(u"E_DeviceNet_Slave_IDDevice"), C(u"L_DeviceNet_Slave_Baudrate"),
        H(u"CB_DeviceNet_Slave_Baudrate"), C(u"L_DeviceNet_Slave_NumByteIn"), H(u"E_DeviceNet_Slave_NumByteIn"),
        C(u"L_DeviceNet_Slave_NumByteOut"), H(u"E_DeviceNet_Slave_NumByteOut")}},
      {635, 638, {C(u"L_DMX_DMX"), H(u"CB_DMX_DMX"), C(u"L_DMX_ChannelNum"), H(u"E_DMX_ChannelNum")}},
      {640, 659,
       {C(u"L_IEC61850_Client_IP"), O(u"E_IEC61850_Client_IP"), C(u"L_IEC61850_Client_SM"),
        O(u"E_IEC61850_Client_SM"), CH(u"CB_IEC61850_Client_En_GAT"), O(u"E_IEC61850_Client_GAT"),
        C(u"L_IEC61850_Client_VLAN"), H(u"E_IEC61850_Client_VLAN"), C(u"L_IEC61850_Client_AppID"),
        H(u"E_IEC61850_Client_AppID")}},
      {661, 680,
       {C(u"L_IEC61850_Server_Port"), H(u"E_IEC61850_Server_Port"), C(u"L_IEC61850_Server_Password"),
        H(u"E_IEC61850_Server_Password"), C(u"L_IEC61850_Server_IP"), O(u"E_IEC61850_Server_IP"),
        C(u"L_IEC61850_Server_SM"), O(u"E_IEC61850_Server_SM"), CH(u"CB_IEC61850_Server_En_GAT"),
        O(u"E_IEC61850_Server_GAT")}},
      {682, 689,
       {C(u"L_J1939_Baudrate"), H(u"CB_J1939_Baudrate"), C(u"L_J1939_TimeOut"), H(u"E_J1939_TimeOut"),
        CH(u"CB_J1939_Enable_Peer_To_Peer"), C(u"L_J1939_ID_Device"), H(u"E_J1939_ID_Device")}},
      {691, 732,
       {C(u"L_MQTT_Server"), H(u"E_MQTT_Server"), C(u"L_MQTT_Server_Port"), H(u"E_MQTT_Server_Port"),
        C(u"L_MQTT_Client_ID"), H(u"E_MQTT_Client_ID"), C(u"L_MQTT_Keep_Alive"), H(u"E_MQTT_Keep_Alive"),
        CH(u"CB_MQTT_Clean_Session"), CH(u"CB_MQTT_WillFlag"), C(u"L_MQTT_Will_TopicName"),
        H(u"E_MQTT_Will_TopicName"), C(u"L_MQTT_Will_Message"), H(u"E_MQTT_Will_Message"),
        CH(u"CB_MQTT_Will_Retained"), C(u"L_MQTT_Will_QoS"), H(u"CB_MQTT_Will_QoS"),
        CH(u"CB_MQTT_PublishTopicConnection"), C(u"L_MQTT_Connection_TopicName"), H(u"E_MQTT_Connection_TopicName"),
        C(u"L_MQTT_Connection_Message"), H(u"E_MQTT_Connection_Message"), CH(u"CB_MQTT_Connection_Retained"),
        C(u"L_MQTT_Username"), H(u"E_MQTT_Username"), C(u"L_MQTT_Password"), H(u"E_MQTT_Password"),
        C(u"L_MQTT_ASync_Send_Time"), H(u"E_MQTT_ASync_Send_Time"), C(u"L_MQTT_TopicDALIAns"),
        H(u"E_MQTT_TopicDALIAns"), CH(u"CB_MQTT_Enable_ReProgram"), C(u"L_MQTT_Reprogram_Topic"),
        H(u"E_MQTT_Reprogram_Topic"), C(u"L_MQTT_Reproram_Value"), H(u"E_MQTT_Reproram_Value")}},
      {734, 811,
       {C(u"L_WiFi2_Type"), H(u"CB_WiFi2_Type"), I(u"CB_WiFi2_Type", 2), C(u"L_WiFi2_IP1"), C(u"L_WiFi2_IP1_IP"),
        O(u"E_WiFi2_IP1_IP"), C(u"L_WiFi2_IP1_SM"), O(u"E_WiFi2_IP1_SM"), CH(u"CB_WiFi2_IP1_En_GAT"),
        O(u"E_WiFi2_IP1_GAT"), C(u"L_WiFi2_IP2"), C(u"L_WiFi2_IP2_IP"), O(u"E_WiFi2_IP2_IP"), C(u"L_WiFi2_IP2_SM"),
        O(u"E_WiFi2_IP2_SM"), CH(u"CB_WiFi2_IP2_En_GAT"), O(u"E_WiFi2_IP2_GAT"), C(u"L_WiFi2_SSID"),
        H(u"E_WiFi2_SSID"), C(u"L_WiFi2_Password"), H(u"E_WiFi2_Password"), C(u"L_WiFi2_Secure_Type"),
        H(u"CB_WiFi2_Secure_Type"), I(u"CB_WiFi2_Secure_Type", 4), CH(u"CB_WiFi2_En_DHCP"),
        C(u"L_WiFi2_DHCP_First_IP"), O(u"E_WiFi2_DHCP_First_IP"), C(u"L_WiFi2_DHCP_SM"), O(u"E_WiFi2_DHCP_SM"),
        C(u"L_WiFi2_Lease_Time"), H(u"E_WiFi2_Lease_Time"), C(u"L_WiFi2_Max_Client"), H(u"CB_WiFi2_Max_Client"),
        C(u"L_WiFi2_Channel"), H(u"CB_WiFi2_Channel"), I(u"CB_WiFi2_Channel", 12)}},
      {813, 826,
       {CH(u"CB_TLS_Enable"), CH(u"CB_TLS_En_Server_Auth"), C(u"L_TLS_Server_Cert"), H(u"E_TLS_Server_Cert"),
        CH(u"CB_TLS_En_Client_Auth"), C(u"L_TLS_Client_Cert"), H(u"E_TLS_Client_Cert"), C(u"L_TLS_Client_Cert_Key"),
        H(u"E_TLS_Client_Cert_Key"), C(u"L_TLS_Client_Cert_Key_Pass"), H(u"E_TLS_Client_Cert_Key_Pass")}},
      {828, 831, {C(u"L_NTP_Server_URL"), H(u"E_NTP_Server_URL"), C(u"L_NTP_Poll_Time"), H(u"E_NTP_Poll_Time")}},
      {833, 838,
       {C(u"L_NMEA2000_Baudrate"), H(u"CB_NMEA2000_Baudrate"), C(u"L_NMEA2000_TimeOut"), H(u"E_NMEA2000_TimeOut"),
        CH(u"CB_NMEA2000_Peer_To_Peer")}},
      {840, 855,
       {C(u"L_OPC_UA_Client_IP"), O(u"E_OPC_UA_Client_IP"), C(u"L_OPC_UA_Client_SM"), O(u"E_OPC_UA_Client_SM"),
        CH(u"CB_OPC_UA_Client_En_GAT"), O(u"E_OPC_UA_Client_GAT")}},
      {857, 874,
       {C(u"L_OPC_UA_Server_IP"), O(u"E_OPC_UA_Server_IP"), C(u"L_OPC_UA_Server_SM"), O(u"E_OPC_UA_Server_SM"),
        CH(u"CB_OPC_UA_Server_En_GAT"), O(u"E_OPC_UA_Server_GAT"), C(u"L_OPC_UA_Server_Port"),
        H(u"E_OPC_UA_Server_Port")}},
      {876, 902,
       {C(u"L_PROFINET_IP"), O(u"E_PROFINET_IP"), C(u"L_PROFINET_SM"), O(u"E_PROFINET_SM"), CH(u"CB_PROFINET_GAT"),
        O(u"E_PROFINET_GAT"), C(u"L_PROFINET_TunnelPort"), H(u"E_PROFINET_TunnelPort"), C(u"L_PROFINET_NameStation"),
        H(u"E_PROFINET_NameStation"), C(u"L_PROFINET_NByte_In"), H(u"E_PROFINET_NByte_In"),
        C(u"L_PROFINET_NByte_Out"), H(u"E_PROFINET_NByte_Out"), CH(u"CB_PROFINET_Diagnostic"),
        H(u"E_PROFINET_Diagnostic")}},
      {904, 920,
       {C(u"L_SNMP_Manager_IP"), O(u"E_SNMP_Manager_IP"), C(u"L_SNMP_Manager_SM"), O(u"E_SNMP_Manager_SM"),
        CH(u"CB_SNMP_Manager_GAT"), O(u"E_SNMP_Manager_GAT"), C(u"L_SNMP_Manager_NameStation")}},
      {922, 959,
       {C(u"L_SNMP_Agent_IP"), O(u"E_SNMP_Agent_IP"), C(u"L_SNMP_Agent_SM"), O(u"E_SNMP_Agent_SM"),
        CH(u"CB_SNMP_Agent_GAT"), O(u"E_SNMP_Agent_GAT"), C(u"L_SNMP_Agent_NameStation"),
        H(u"E_SNMP_Agent_NameStation"), C(u"L_SNMP_Agent_Contact"), H(u"E_SNMP_Agent_Contact"),
        C(u"L_SNMP_Agent_Location"), H(u"E_SNMP_Agent_Location"), C(u"L_SNMP_Agent_Version"),
        H(u"CB_SNMP_Agent_Version1"), H(u"CB_SNMP_Agent_Version2"), H(u"CB_SNMP_Agent_Version3"),
        C(u"L_SNMP_Agent_User"), H(u"E_SNMP_Agent_User"), C(u"L_SNMP_Agent_SecurityLevel"),
        H(u"CB_SNMP_Agent_SecurityLevel"), C(u"L_SNMP_Agent_Authority"), H(u"E_SNMP_Agent_Authority"),
        C(u"L_SNMP_Agent_AuthorityMode"), H(u"CB_SNMP_Agent_AuthorityMode"), C(u"L_SNMP_Agent_Privacy"),
        H(u"E_SNMP_Agent_Privacy"), C(u"L_SNMP_Agent_PrivacyMode"), H(u"CB_SNMP_Agent_PrivacyMode")}},
      {961, 972,
       {CH(u"CB_TLS_Server_Enable"), C(u"L_TLS_Server_Key"), H(u"E_TLS_Server_Key"), C(u"L_TLS_Server_Key_Pass"),
        H(u"E_TLS_Server_Key_Pass"), C(u"L_TLS_Server_Server_Cert"), H(u"E_TLS_Server_Server_Cert"),
        C(u"L_TLS_Server_Root_Cert"), H(u"E_TLS_Server_Root_Cert"), CH(u"CB_TLS_Server_En_Known_Cert")}},
      {974, 991,
       {C(u"L_EtherNetIP_Master_IP"), O(u"E_EtherNetIP_Master_IP"), C(u"L_EtherNetIP_Master_SM"),
        O(u"E_EtherNetIP_Master_SM"), CH(u"CB_EtherNetIP_Master_GAT"), O(u"E_EtherNetIP_Master_GAT"),
        C(u"L_EtherNetIP_Master_TunnelPort"), H(u"E_EtherNetIP_Master_Port")}},
      {993, 1014,
       {C(u"L_EtherNetIP_IP"), O(u"E_EtherNetIP_IP"), C(u"L_EtherNetIP_SM"), O(u"E_EtherNetIP_SM"),
        CH(u"CB_EtherNetIP_GAT"), O(u"E_EtherNetIP_GAT"), C(u"L_EtherNetIP_TunnelPort"),
        H(u"E_EtherNetIP_TunnelPort"), C(u"L_EtherNetIP_NByte_In"), H(u"E_EtherNetIP_NByte_In"),
        C(u"L_EtherNetIP_NByte_Out"), H(u"E_EtherNetIP_NByte_Out")}},
      {1019, 1034,
       {C(u"L_S7_Protocol_IP"), O(u"E_S7_Protocol_IP"), C(u"L_S7_Protocol_SM"), O(u"E_S7_Protocol_SM"),
        CH(u"CB_S7_Protocol_En_GAT"), O(u"E_S7_Protocol_GAT")}},
      {1036, 1037, {C(u"L_Select_Device_Device"), H(u"CB_Select_Device_Device")}},
      {1039, 1048,
       {C(u"L_GSM_GPRS_PIN"), H(u"E_GSM_GPRS_PIN"), C(u"L_GSM_GPRS_APN"), H(u"E_GSM_GPRS_APN"),
        C(u"L_GSM_GPRS_AuthType"), H(u"CB_GSM_GPRS_AuthType"), C(u"L_GSM_GPRS_UserName"),
        H(u"E_GSM_GPRS_UserName"), C(u"L_GSM_GPRS_Password"), H(u"E_GSM_GPRS_Password")}},
      // The LoRaWAN captions of the server rows lie apart from the rest of the panel's texts.
      {1338, 1342,
       {C(u"L_LoRaWAN_RF_Band"), C(u"L_LoRaWAN_Server_Address"), C(u"L_LoRaWAN_Server_Port_Up"),
        C(u"L_LoRaWAN_Server_Port_Down"), C(u"L_LoRaWAN_KeepAlive_Interval")}},
      {1367, 1395,
       {C(u"L_LoRaWAN_Mode"), H(u"CB_LoRaWAN_Mode"), H(u"CB_LoRaWAN_RF_Band"), H(u"E_LoRaWAN_Server_Address"),
        H(u"E_LoRaWAN_Server_Port_Up"), H(u"E_LoRaWAN_Server_Port_Down"), H(u"E_LoRaWAN_KeepAlive_Interval"),
        C(u"L_LoRaWAN_Network_Type"), H(u"CB_LoRaWAN_Network_Type"), CH(u"CB_LoRaWAN_Adaptive_DataRate"),
        C(u"L_LoRaWAN_DataRate"), H(u"CB_LoRaWAN_DataRate"), C(u"L_LoRaWAN_Transmission_Type"),
        H(u"CB_LoRaWAN_Transmission_Type"), C(u"L_LoRaWAN_Join_EUI"), H(u"E_LoRaWAN_Join_EUI"),
        C(u"L_LoRaWAN_Activation_Method"), H(u"CB_LoRaWAN_Activation_Method"), C(u"L_LoRaWAN_Device_Address"),
        H(u"E_LoRaWAN_Device_Address"), C(u"L_LoRaWAN_Network_Session_Key"), H(u"E_LoRaWAN_Network_Session_Key"),
        C(u"L_LoRaWAN_Application_Session_Key"), H(u"E_LoRaWAN_Application_Session_Key"),
        C(u"L_LoRaWAN_Application_Key"), H(u"E_LoRaWAN_Application_Key"), C(u"L_LoRaWAN_Class"),
        H(u"CB_LoRaWAN_Class")}},
      {1406, 1407, {C(u"L_LoRaWAN_Diag_Pos"), H(u"E_LoRaWAN_Diag_Pos")}},
      {1409, 1412,
       {C(u"L_LoRaWAN_RX2_Datarate"), H(u"CB_LoRaWAN_RX2_Datarate"), C(u"L_LoRaWAN_FreqSubBand"),
        H(u"CB_LoRaWAN_FreqSubBand")}},
      {1350, 1353, {C(u"L_KNX_Type"), H(u"CB_KNX_Type"), C(u"L_KNX_IDDevice"), H(u"E_KNX_IDDevice")}},
      {1356, 1363,
       {C(u"L_PROFIBUS_IDDevice"), H(u"E_PROFIBUS_IDDevice"), C(u"L_PROFIBUS_Baudrate"), H(u"CB_PROFIBUS_Baudrate"),
        C(u"L_PROFIBUS_NByte_In"), H(u"E_PROFIBUS_NByte_In"), C(u"L_PROFIBUS_NByte_Out"),
        H(u"E_PROFIBUS_NByte_Out")}}};
  return b;
}

enum Property { kCaptionProp, kHintProp, kItemProp };
struct Assignment {
  int Index;
  String Control;
  Property Prop;
  int Item = 0;  // position in the list for kItemProp
};

// Unrolls the blocks into one assignment per index; fails when a block's items do not fill it.
std::vector<Assignment> Unroll() {
  std::vector<Assignment> v;
  for (const TextBlock& b : Blocks()) {
    int i = b.First;
    for (const TextItem& t : b.Items) {
      switch (t.Kind) {
        case kCaption: v.push_back({i++, t.Name, kCaptionProp}); break;
        case kHint: v.push_back({i++, t.Name, kHintProp}); break;
        case kBoth:
          v.push_back({i++, t.Name, kCaptionProp});
          v.push_back({i++, t.Name, kHintProp});
          break;
        case kOctets:
          for (int k = 1; k <= 4; ++k) v.push_back({i++, String(t.Name) + IntToStr(k), kHintProp});
          break;
        case kItems:
          for (int k = 0; k < t.Count; ++k) v.push_back({i++, t.Name, kItemProp, k});
          break;
      }
    }
    EXPECT_EQ(i, b.Last + 1) << "block " << b.First << "-" << b.Last;
  }
  return v;
}

// Texts "#<index>" for the form's whole block.
void Load_Marker_Language(const std::filesystem::path& folder) {
  std::string file;
  for (int i = 400; i <= 1412; ++i) file += "STR" + std::to_string(i) + " =#" + std::to_string(i) + "\r\n";
  const std::filesystem::path lng = folder / "Markers.lng";
  ASSERT_TRUE(WriteFileBytes(FromPath(lng), file));
  ASSERT_TRUE(Load_Language_File(FromPath(lng)));
}

String Marker(int i) { return u"#" + IntToStr(i); }

}  // namespace

TEST_F(ParGenTest, EveryTextAssignmentTakesItsIndex) {
  Load_Marker_Language(folder.Path());
  form->Set_Lang();
  const std::vector<Assignment> all = Unroll();
  // The frame: form caption, description, button captions and hints.
  const std::vector<std::pair<int, String>> frame = {
      {400, form->Caption()},          {401, form->L_SW_Desc->Caption()}, {402, form->Btn_OK->Caption()},
      {403, form->Btn_Cancel->Caption()}, {404, form->Btn_OK->Hint()},  {405, form->Btn_Cancel->Hint()}};
  for (const auto& [index, shown] : frame) EXPECT_EQ(shown, Marker(index));
  EXPECT_EQ(all.size() + frame.size(), 665u);

  std::set<int> indices;
  std::set<std::pair<String, Property>> assigned;
  for (const Assignment& a : all) {
    SCOPED_TRACE(std::to_string(a.Index) + " " + StringToUtf8(a.Control));
    EXPECT_TRUE(indices.insert(a.Index).second) << "index assigned twice";
    TControl* c = form->Ctl(a.Control);
    ASSERT_NE(c, nullptr);
    switch (a.Prop) {
      case kCaptionProp: EXPECT_EQ(c->Caption(), Marker(a.Index)); break;
      case kHintProp: EXPECT_EQ(c->Hint(), Marker(a.Index)); break;
      case kItemProp: {
        TComboBox* cb = form->Combo(a.Control);
        ASSERT_NE(cb, nullptr);
        ASSERT_LT(a.Item, cb->Items()->Count());
        EXPECT_EQ(cb->Items()->Strings(a.Item), Marker(a.Index));
        EXPECT_EQ(cb->ItemIndex(), 0);
        break;
      }
    }
    if (a.Prop != kItemProp) assigned.insert({a.Control, a.Prop});
  }
  // No other caption or hint of the panels comes from the block.
  for (const TParControlDef& d : Par_Control_Table()) {
    TControl* c = form->Ctl(d.Name);
    for (Property p : {kCaptionProp, kHintProp}) {
      if (p == kCaptionProp && d.Kind == pckCombo) continue;  // a list's caption is its selected item
      const String shown = p == kCaptionProp ? c->Caption() : c->Hint();
      if (!shown.empty() && shown[0] == u'#') {
        EXPECT_TRUE(assigned.count({d.Name, p})) << StringToUtf8(d.Name) << " shows " << StringToUtf8(shown);
      }
    }
  }
  // Headers and the Select Device items keep the start-up language.
  EXPECT_EQ(form->CP_SNMP_Agent->Caption(), u"4. SNMP Agent");
  EXPECT_EQ(form->CB_Select_Device_Device->Items()->Strings(1), u"Ethernet Cable + Wi-Fi");
}

// ---- sibling models --------------------------------------------------------------------------

namespace {

class ParGenSiblingTest : public ParGenTest {
 protected:
  bool WantsForm() const override { return false; }
  void TearDown() override {
    if (sibling_) TearDownSibling();
    ParGenTest::TearDown();
  }
  // A form of the given model, shown (so its show handler has loaded the defaults). The rows of
  // the other models are not in ParGen.xml, so a show does not bring them back: every ask gets a
  // new form.
  TFParGen* Model(int model) {
    if (sibling_) TearDownSibling();
    {
      TParSiblingModel use(model);
      sibling_ = New<TFParGen>(nullptr);
    }
    sibling_->Show();
    return sibling_;
  }
  void TearDownSibling() {
    sibling_->Hide();
    delete sibling_;
    sibling_ = nullptr;
  }
  TFParGen* sibling_ = nullptr;
};

std::vector<TCategoryPanel*> Shown_Panels(TFParGen* f) {
  std::vector<TCategoryPanel*> v;
  for (TCategoryPanel* p : f->CPG->Panels()) {
    if (p->Visible()) v.push_back(p);
  }
  return v;
}

int Top(TFParGen* f, const String& n) { return f->Ctl(n)->Top(); }
bool Shown(TFParGen* f, const String& n) { return f->Ctl(n)->Visible(); }
int Height(TFParGen* f, const char16_t* panel) { return f->Panel(panel)->Height(); }

}  // namespace

TEST_F(ParGenSiblingTest, EveryModelStacksItsPanelsInOrder) {
  const std::map<int, std::vector<const char16_t*>> headers = {
      {1, {u"Ethernet Connection", u"LoRaWAN", u"Modbus Master", u"Ethernet"}},
      {2, {u"Ethernet Connection", u"LoRaWAN", u"Modbus Slave", u"Ethernet"}},
      {3, {u"Select Device", u"Ethernet Connection", u"LoRaWAN", u"Modbus TCP Master", u"Wi-Fi"}},
      {4, {u"Select Device", u"Ethernet Connection", u"LoRaWAN", u"Modbus TCP Slave", u"Wi-Fi"}},
      {5, {u"Ethernet Connection", u"LoRaWAN", u"Serial", u"Ethernet"}},
      {6, {u"Select Device", u"Ethernet Connection", u"LoRaWAN", u"BACnet Master", u"Ethernet", u"Wi-Fi"}},
      {7, {u"Select Device", u"Ethernet Connection", u"LoRaWAN", u"BACnet Slave", u"Ethernet", u"Wi-Fi"}},
      {8, {u"Select Device", u"Ethernet Connection", u"LoRaWAN", u"Ethernet", u"Wi-Fi"}},
      {9, {u"Ethernet Connection", u"LoRaWAN", u"CAN", u"Ethernet"}},
      {10, {u"Ethernet Connection", u"LoRaWAN", u"CANopen", u"Ethernet"}},
      {11, {u"Ethernet Connection", u"LoRaWAN", u"DeviceNet Master", u"Ethernet"}},
      {12, {u"Ethernet Connection", u"LoRaWAN", u"DeviceNet Slave", u"Ethernet"}},
      {13, {u"Ethernet Connection", u"LoRaWAN", u"DMX", u"Ethernet"}},
      {14, {u"Ethernet Connection", u"LoRaWAN", u"EtherNet/IP Master"}},
      {15, {u"Ethernet Connection", u"LoRaWAN", u"EtherNet/IP"}},
      {16, {u"Ethernet Connection", u"LoRaWAN", u"J1939", u"Ethernet"}},
      {17, {u"Ethernet Connection", u"LoRaWAN", u"KNX", u"Ethernet"}},
      {18, {u"Ethernet Connection", u"LoRaWAN", u"NMEA 2000", u"Ethernet"}},
      {19, {u"Ethernet Connection", u"LoRaWAN", u"PROFIBUS", u"Ethernet"}},
      {20, {u"Ethernet Connection", u"LoRaWAN", u"PROFINET"}},
      {21, {u"Select Device", u"Ethernet Connection", u"LoRaWAN", u"IEC61850 Client", u"Wi-Fi"}},
      {22,
       {u"Select Device", u"Ethernet Connection", u"LoRaWAN", u"IEC61850 Server",
        u"TLS (Transport Layer Security) Server", u"Wi-Fi"}},
      {23,
       {u"Select Device", u"Ethernet Connection", u"LoRaWAN", u"MQTT", u"Ethernet", u"TLS (Transport Layer Security)",
        u"NTP (Network Time Protocol)", u"Wi-Fi", u"GSM / GPRS / LTE"}},
      {24, {u"Select Device", u"Ethernet Connection", u"LoRaWAN", u"OPC UA Client", u"NTP (Network Time Protocol)",
            u"Wi-Fi"}},
      {25, {u"Select Device", u"Ethernet Connection", u"LoRaWAN", u"OPC UA Server", u"NTP (Network Time Protocol)",
            u"Wi-Fi"}},
      {26, {u"Ethernet Connection", u"LoRaWAN", u"S7comm"}},
      {27, {u"Select Device", u"Ethernet Connection", u"LoRaWAN", u"SNMP Manager", u"Wi-Fi"}},
      {28, {u"Select Device", u"Ethernet Connection", u"LoRaWAN", u"SNMP Agent", u"Wi-Fi"}}};
  ASSERT_EQ(headers.size(), 28u);
  for (const auto& [model, expected] : headers) {
    SCOPED_TRACE("model " + std::to_string(model));
    TFParGen* f = Model(model);
    EXPECT_EQ(f->Model(), model);
    const std::vector<TCategoryPanel*> panels = Shown_Panels(f);
    ASSERT_EQ(panels.size(), expected.size());
    int top = 0;
    for (size_t i = 0; i < panels.size(); ++i) {
      EXPECT_EQ(panels[i]->Caption(), IntToStr(static_cast<int>(i) + 1) + u". " + expected[i]);
      EXPECT_EQ(panels[i]->TabOrder(), static_cast<int>(i));
      EXPECT_EQ(panels[i]->Top(), top);
      top += panels[i]->Height();
    }
  }
  // Forms created after the seam is gone are the program's model again.
  TearDownSibling();
  TFParGen own(nullptr);
  EXPECT_EQ(own.Model(), Par_Program_Model);
  EXPECT_THROW(TParSiblingModel(29), std::out_of_range);
}

TEST_F(ParGenSiblingTest, PanelsWhoseRowsStayInPlaceTakeTheHeightOfTheirLastRow) {
  struct Case {
    int Model;
    const char16_t* Panel;
    int Height;
  };
  const std::vector<Case> cases = {
      {5, u"CP_Serial", 151},           {1, u"CP_Modbus_Master", 206},   {2, u"CP_Modbus_Slave", 205},
      {9, u"CP_CAN", 67},               {10, u"CP_CANopen", 178},        {11, u"CP_DeviceNet_Master", 95},
      {12, u"CP_DeviceNet_Slave", 150}, {13, u"CP_DMX", 94},             {16, u"CP_J1939", 150},
      {18, u"CP_NMEA2000", 121},        {17, u"CP_KNX", 94},             {19, u"CP_PROFIBUS", 150},
      {24, u"CP_NTP", 94},              {1, u"CP_Ethernet", 123},        {3, u"CP_Modbus_TCP_Master", 178},
      {4, u"CP_Modbus_TCP_Slave", 150}, {14, u"CP_EtherNetIP_Master", 150}, {15, u"CP_EtherNetIP", 206},
      {20, u"CP_PROFINET", 234},        {21, u"CP_IEC61850_Client", 178}, {22, u"CP_IEC61850_Server", 178},
      {24, u"CP_OPC_UA_Client", 123},   {25, u"CP_OPC_UA_Server", 150},  {26, u"CP_S7_Protocol", 123},
      {27, u"CP_SNMP_Manager", 150}};
  for (const Case& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.Panel));
    TFParGen* f = Model(c.Model);
    ASSERT_FALSE(f->Panel(c.Panel)->Collapsed());
    EXPECT_EQ(Height(f, c.Panel), c.Height);
  }
  // Rows the address layouts always hide.
  TFParGen* f = Model(1);
  for (const char16_t* n : {u"L_Ethernet_TCP_Port", u"E_Ethernet_TCP_Port", u"L_Ethernet_UDP_Port", u"E_Ethernet_UDP_Port"})
    EXPECT_FALSE(Shown(f, n)) << StringToUtf8(n);
  EXPECT_TRUE(Shown(f, u"E_Ethernet_GAT4"));
  f = Model(20);
  EXPECT_FALSE(Shown(f, u"CB_PROFINET_Diagnostic"));
  EXPECT_FALSE(Shown(f, u"E_PROFINET_Diagnostic"));
  EXPECT_TRUE(Shown(f, u"E_PROFINET_NByte_Out"));
}

TEST_F(ParGenSiblingTest, DhcpForCableDisablesEveryAddressBlock) {
  struct Case {
    int Model;
    const char16_t* Stem;
    const char16_t* GatewayCheck;
    bool CheckFollows;
  };
  const std::vector<Case> cases = {
      {1, u"Ethernet_", u"CB_Ethernet_En_GAT", true},
      {3, u"ModbusTCPMaster_", u"CB_ModbusTCPMaster_En_GAT", true},
      {4, u"ModbusTCPSlave_", u"CB_ModbusTCPSlave_En_GAT", true},
      {14, u"EtherNetIP_Master_", u"CB_EtherNetIP_Master_GAT", false},
      {15, u"EtherNetIP_", u"CB_EtherNetIP_GAT", false},
      {20, u"PROFINET_", u"CB_PROFINET_GAT", false},
      {21, u"IEC61850_Client_", u"CB_IEC61850_Client_En_GAT", false},
      {22, u"IEC61850_Server_", u"CB_IEC61850_Server_En_GAT", false},
      {24, u"OPC_UA_Client_", u"CB_OPC_UA_Client_En_GAT", false},
      {25, u"OPC_UA_Server_", u"CB_OPC_UA_Server_En_GAT", false},
      {26, u"S7_Protocol_", u"CB_S7_Protocol_En_GAT", false},
      {27, u"SNMP_Manager_", u"CB_SNMP_Manager_GAT", false},
      {28, u"SNMP_Agent_", u"CB_SNMP_Agent_GAT", false},
      {6, u"BACnet_IP_Master_", u"CB_BACnet_IP_Master_GAT", false},
      {7, u"BACnet_IP_Slave_", u"CB_BACnet_IP_Slave_GAT", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.Stem));
    TFParGen* f = Model(c.Model);
    if (c.Model == 6) f->Combo(u"CB_BACnet_Master_Type")->UserSelect(0);
    if (c.Model == 7) f->Combo(u"CB_BACnet_Slave_Type")->UserSelect(0);
    for (bool dhcp : {true, false}) {
      f->CB_EthConn_En_DHCP_Cable->SetChecked(dhcp);
      int octets = 0;
      for (const char16_t* part : {u"IP", u"SM", u"GAT"}) {
        for (const String& n : Octet_Names(u"E_" + String(c.Stem) + part)) {
          EXPECT_EQ(f->Ctl(n)->Enabled(), !dhcp) << StringToUtf8(n);
          ++octets;
        }
      }
      EXPECT_EQ(octets, 12);
      EXPECT_EQ(f->Ctl(c.GatewayCheck)->Enabled(), !(dhcp && c.CheckFollows));
    }
  }
}

TEST_F(ParGenSiblingTest, BACnetMasterTypeSwitchesRowsAndTheEthernetPanel) {
  TFParGen* f = Model(6);
  TComboBox* type = f->Combo(u"CB_BACnet_Master_Type");
  TCategoryPanel* eth = f->Panel(u"CP_Ethernet");
  const std::vector<String> ipRows = {u"E_BACnet_IP_Master_IP1", u"E_BACnet_IP_Master_SM4",
                                      u"CB_BACnet_IP_Master_GAT", u"E_BACnet_IP_Master_GAT2",
                                      u"E_BACnet_IP_Master_IP_Dot1", u"L_BACnet_IP_Master_Port",
                                      u"E_BACnet_IP_Master_Device_Name", u"E_BACnet_IP_Master_Device_Identifier",
                                      u"E_BACnet_IP_Master_TimeOut_Polling"};
  const std::vector<std::pair<String, String>> mstpRows = {
      {u"L_BACnet_MSTP_Master_Baudrate", u"CB_BACnet_MSTP_Master_Baudrate"},
      {u"L_BACnet_MSTP_Master_Parity", u"CB_BACnet_MSTP_Master_Parity"},
      {u"L_BACnet_MSTP_Master_Device_Name", u"E_BACnet_MSTP_Master_Device_Name"},
      {u"L_BACnet_MSTP_Master_MAC_Address", u"E_BACnet_MSTP_Master_MAC_Address"},
      {u"L_BACnet_MSTP_Master_Max_Master", u"E_BACnet_MSTP_Master_Max_Master"},
      {u"L_BACnet_MSTP_Master_Max_Info_Frame", u"E_BACnet_MSTP_Master_Max_Info_Frame"},
      {u"L_BACnet_MSTP_Master_Device_Instance", u"E_BACnet_MSTP_Master_Device_Instance"}};

  type->UserSelect(0);  // BACnet/IP
  EXPECT_EQ(type->Text(), u"BACnet/IP");
  for (const String& n : ipRows) EXPECT_TRUE(Shown(f, n)) << StringToUtf8(n);
  for (const auto& [label, control] : mstpRows) EXPECT_FALSE(Shown(f, control)) << StringToUtf8(control);
  EXPECT_EQ(Top(f, u"L_BACnet_IP_Master_IP"), 40);
  EXPECT_EQ(Height(f, u"CP_BACnet_Master"), 262);
  EXPECT_TRUE(eth->Collapsed());
  EXPECT_FALSE(eth->Enabled());
  driver.Click(eth, 100, 10);  // its header does not open it
  EXPECT_TRUE(eth->Collapsed());
  EXPECT_TRUE(f->Is_Change);

  type->UserSelect(1);  // MS/TP: its rows move up to the address block's place
  for (const String& n : ipRows) EXPECT_FALSE(Shown(f, n)) << StringToUtf8(n);
  int label = 40, control = 37;
  for (const auto& [l, c] : mstpRows) {
    SCOPED_TRACE(StringToUtf8(l));
    EXPECT_TRUE(Shown(f, l));
    EXPECT_TRUE(Shown(f, c));
    EXPECT_EQ(Top(f, l), label);
    EXPECT_EQ(Top(f, c), control);
    label += 28;
    control += 28;
  }
  EXPECT_EQ(Height(f, u"CP_BACnet_Master"), 262);
  EXPECT_FALSE(eth->Collapsed());
  EXPECT_TRUE(eth->Enabled());
  EXPECT_EQ(eth->Height(), 123);
}

TEST_F(ParGenSiblingTest, BACnetSlaveKeepsItsDescriptionBoxBelowTheLastRow) {
  TFParGen* f = Model(7);
  TComboBox* type = f->Combo(u"CB_BACnet_Slave_Type");
  type->UserSelect(0);
  EXPECT_EQ(Top(f, u"CB_BACnet_Slave_Desc_32_Chars"), 208);  // below Device Identifier
  EXPECT_FALSE(Shown(f, u"E_BACnet_MSTP_Slave_Network"));
  EXPECT_FALSE(Shown(f, u"L_BACnet_MSTP_Slave_Baudrate"));
  EXPECT_TRUE(Shown(f, u"E_BACnet_IP_Slave_Device_Identifier"));
  EXPECT_EQ(Height(f, u"CP_BACnet_Slave"), 261);
  EXPECT_TRUE(f->Panel(u"CP_Ethernet")->Collapsed());

  type->UserSelect(1);
  EXPECT_EQ(Top(f, u"L_BACnet_MSTP_Slave_Device_Instance"), 208);
  EXPECT_EQ(Top(f, u"L_BACnet_MSTP_Slave_Network"), 236);
  EXPECT_EQ(Top(f, u"E_BACnet_MSTP_Slave_Network"), 233);
  EXPECT_EQ(Top(f, u"CB_BACnet_Slave_Desc_32_Chars"), 264);
  EXPECT_TRUE(Shown(f, u"CB_BACnet_Slave_Desc_32_Chars"));
  EXPECT_FALSE(Shown(f, u"E_BACnet_IP_Slave_Port"));
  EXPECT_EQ(Height(f, u"CP_BACnet_Slave"), 317);
  EXPECT_TRUE(f->Panel(u"CP_Ethernet")->Enabled());
  EXPECT_FALSE(f->Panel(u"CP_Ethernet")->Collapsed());
}

TEST_F(ParGenSiblingTest, MobileModelOffersThreeVariantsAndGovernsWiFiAndGsm) {
  TFParGen* f = Model(23);
  TComboBox* device = f->CB_Select_Device_Device;
  ASSERT_EQ(device->Items()->Count(), 3);
  EXPECT_EQ(device->Items()->Strings(2), u"Ethernet Cable + Mobile Connection");
  TCategoryPanel* wifi = f->CP_WiFi2;
  TCategoryPanel* gsm = f->Panel(u"CP_GSM_GPRS");
  struct Case {
    int Index;
    bool WiFiOpen, GsmOpen, DhcpWiFi;
  };
  for (const Case& c : {Case{2, false, true, false}, Case{1, true, false, true}, Case{0, false, false, false}}) {
    SCOPED_TRACE(c.Index);
    device->UserSelect(c.Index);
    EXPECT_EQ(wifi->Collapsed(), !c.WiFiOpen);
    EXPECT_EQ(wifi->Enabled(), c.WiFiOpen);
    EXPECT_EQ(gsm->Collapsed(), !c.GsmOpen);
    EXPECT_EQ(gsm->Enabled(), c.GsmOpen);
    EXPECT_EQ(f->CB_EthConn_En_DHCP_WiFi->Enabled(), c.DhcpWiFi);
  }
  device->UserSelect(2);
  EXPECT_EQ(gsm->Height(), 178);
  // The program's own model offers two variants only.
  std::unique_ptr<TFParGen> own(New<TFParGen>(nullptr));
  EXPECT_EQ(own->CB_Select_Device_Device->Items()->Count(), 2);
}

TEST_F(ParGenSiblingTest, ModelsWithoutSelectDeviceKeepDhcpForWiFiDisabled) {
  TFParGen* f = Model(1);
  EXPECT_FALSE(f->CP_Select_Device->Visible());
  EXPECT_EQ(f->CB_Select_Device_Device->ItemIndex(), 0);
  EXPECT_FALSE(f->CB_EthConn_En_DHCP_WiFi->Enabled());
  EXPECT_FALSE(f->CP_WiFi2->Visible());
}

TEST_F(ParGenSiblingTest, TlsRowsFollowItsThreeBoxes) {
  struct Case {
    const char* Name;
    bool Enable, Server, Client;
    int ClientAuthTop;       // -1: hidden
    int FirstClientLabel;    // -1: the client rows are hidden
    int Height;
  };
  const std::vector<Case> cases = {
      {"off", false, true, true, -1, -1, 65},
      {"no authentication", true, false, false, 68, -1, 121},
      {"server only", true, true, false, 93, -1, 146},
      {"client only", true, false, true, 68, 96, 206},
      {"both", true, true, true, 93, 121, 231}};
  TFParGen* f = Model(23);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    // Boxes below first, so every tick runs the layout with the final state last.
    f->Check(u"CB_TLS_En_Server_Auth")->SetChecked(c.Server);
    f->Check(u"CB_TLS_En_Client_Auth")->SetChecked(c.Client);
    f->Check(u"CB_TLS_Enable")->SetChecked(c.Enable);
    EXPECT_EQ(Height(f, u"CP_TLS"), c.Height);
    EXPECT_EQ(Shown(f, u"CB_TLS_En_Server_Auth"), c.Enable);
    EXPECT_EQ(Shown(f, u"E_TLS_Server_Cert"), c.Enable && c.Server);
    EXPECT_EQ(Shown(f, u"CB_TLS_En_Client_Auth"), c.ClientAuthTop >= 0);
    if (c.ClientAuthTop >= 0) {
      EXPECT_EQ(Top(f, u"CB_TLS_En_Client_Auth"), c.ClientAuthTop);
    }
    const bool client = c.FirstClientLabel >= 0;
    for (const char16_t* n : {u"L_TLS_Client_Cert", u"E_TLS_Client_Cert_Key", u"E_TLS_Client_Cert_Key_Pass"})
      EXPECT_EQ(Shown(f, n), client) << StringToUtf8(n);
    if (client) {
      EXPECT_EQ(Top(f, u"L_TLS_Client_Cert"), c.FirstClientLabel);
      EXPECT_EQ(Top(f, u"E_TLS_Client_Cert"), c.FirstClientLabel - 3);
      EXPECT_EQ(Top(f, u"L_TLS_Client_Cert_Key"), c.FirstClientLabel + 28);
      EXPECT_EQ(Top(f, u"L_TLS_Client_Cert_Key_Pass"), c.FirstClientLabel + 56);
    }
  }
}

TEST_F(ParGenSiblingTest, TlsServerRowsFollowItsEnableBox) {
  TFParGen* f = Model(22);
  const std::vector<const char16_t*> rows = {u"E_TLS_Server_Key", u"L_TLS_Server_Key_Pass", u"E_TLS_Server_Server_Cert",
                                             u"E_TLS_Server_Root_Cert", u"CB_TLS_Server_En_Known_Cert"};
  for (bool on : {true, false}) {
    SCOPED_TRACE(on);
    f->Check(u"CB_TLS_Server_Enable")->SetChecked(on);
    for (const char16_t* n : rows) EXPECT_EQ(Shown(f, n), on) << StringToUtf8(n);
    EXPECT_EQ(Height(f, u"CP_TLS_Server"), on ? 205 : 65);
  }
}

TEST_F(ParGenSiblingTest, MqttRowsFollowWillAndConnectionTopic) {
  struct Case {
    bool Will, Publish;
    int PublishTop, UsernameLabel, Height;
  };
  const std::vector<Case> cases = {
      {false, false, 180, 208, 290}, {true, false, 292, 320, 402}, {false, true, 180, 292, 374}, {true, true, 292, 404, 486}};
  TFParGen* f = Model(23);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Will) + std::to_string(c.Publish));
    f->Check(u"CB_MQTT_PublishTopicConnection")->SetChecked(c.Publish);
    f->Check(u"CB_MQTT_WillFlag")->SetChecked(c.Will);
    EXPECT_EQ(Top(f, u"CB_MQTT_PublishTopicConnection"), c.PublishTop);
    for (const char16_t* n : {u"E_MQTT_Will_TopicName", u"CB_MQTT_Will_Retained", u"CB_MQTT_Will_QoS"})
      EXPECT_EQ(Shown(f, n), c.Will) << StringToUtf8(n);
    for (const char16_t* n : {u"E_MQTT_Connection_TopicName", u"L_MQTT_Connection_Message", u"CB_MQTT_Connection_Retained"})
      EXPECT_EQ(Shown(f, n), c.Publish) << StringToUtf8(n);
    if (c.Publish) {
      EXPECT_EQ(Top(f, u"L_MQTT_Connection_TopicName"), c.PublishTop + 28);
      EXPECT_EQ(Top(f, u"CB_MQTT_Connection_Retained"), c.PublishTop + 84);
    }
    EXPECT_EQ(Top(f, u"L_MQTT_Username"), c.UsernameLabel);
    EXPECT_EQ(Top(f, u"E_MQTT_Username"), c.UsernameLabel - 3);
    EXPECT_EQ(Top(f, u"L_MQTT_Password"), c.UsernameLabel + 28);
    EXPECT_EQ(Height(f, u"CP_MQTT"), c.Height);
    for (const char16_t* n : {u"E_MQTT_ASync_Send_Time", u"E_MQTT_TopicDALIAns", u"CB_MQTT_Enable_ReProgram",
                              u"E_MQTT_Reprogram_Topic", u"E_MQTT_Reproram_Value"})
      EXPECT_FALSE(Shown(f, n)) << StringToUtf8(n);
  }
  EXPECT_EQ(Top(f, u"L_MQTT_Keep_Alive"), 96);  // the rows above stay
}

TEST_F(ParGenTest, StationWithTwoProtocolSidesShowsBothAddressBlocks) {
  TParProtocolNames two([](String& a, String& b) {
    a = u"BACnet Slave";
    b = u"Modbus TCP Slave";
    return 2;
  });
  form->Show();
  form->CB_Select_Device_Device->UserSelect(1);
  form->CB_WiFi2_Type->UserSelect(1);
  EXPECT_TRUE(form->Ctl(u"L_WiFi2_IP1")->Visible());
  EXPECT_EQ(form->Ctl(u"L_WiFi2_IP1")->Caption(), u"IP Address 1 - BACnet Slave");
  EXPECT_EQ(form->Ctl(u"L_WiFi2_IP1")->Top(), 40);
  EXPECT_EQ(form->Ctl(u"L_WiFi2_IP1_IP")->Top(), 68);
  EXPECT_EQ(form->Ctl(u"CB_WiFi2_IP1_En_GAT")->Top(), 124);
  EXPECT_EQ(form->Ctl(u"L_WiFi2_IP2")->Caption(), u"IP Address 2 - Modbus TCP Slave");
  EXPECT_EQ(form->Ctl(u"L_WiFi2_IP2")->Top(), 152);
  EXPECT_EQ(form->Ctl(u"L_WiFi2_IP2_IP")->Top(), 180);
  EXPECT_EQ(form->Ctl(u"E_WiFi2_IP2_IP1")->Top(), 177);
  EXPECT_EQ(form->Ctl(u"CB_WiFi2_IP2_En_GAT")->Top(), 236);
  EXPECT_EQ(form->Ctl(u"E_WiFi2_IP2_GAT4")->Top(), 234);
  EXPECT_TRUE(form->Ctl(u"E_WiFi2_IP2_GAT4")->Visible());
  EXPECT_EQ(form->Ctl(u"L_WiFi2_SSID")->Top(), 264);
  EXPECT_EQ(form->Ctl(u"L_WiFi2_Password")->Top(), 292);
  EXPECT_EQ(form->CP_WiFi2->Height(), 346);
  for (bool dhcp : {true, false}) {
    form->CB_EthConn_En_DHCP_WiFi->SetChecked(dhcp);
    for (const char16_t* n : {u"E_WiFi2_IP2_IP1", u"E_WiFi2_IP2_SM3", u"E_WiFi2_IP2_GAT4", u"CB_WiFi2_IP2_En_GAT",
                              u"E_WiFi2_IP1_IP2", u"CB_WiFi2_IP1_En_GAT"})
      EXPECT_EQ(form->Ctl(n)->Enabled(), !dhcp) << StringToUtf8(n);
  }
  form->Hide();
}

TEST_F(ParGenSiblingTest, SiblingOctetEditsOnlyDiscardTheDot) {
  size_t octets = 0;
  for (const TParControlDef& d : Par_Control_Table()) octets += d.Octet;
  EXPECT_EQ(octets, 220u);
  TFParGen* f = Model(1);
  TEdit* ip4 = f->Edit(u"E_Ethernet_IP4");
  ip4->SetText(u"7");
  ip4->SetFocus();
  ASSERT_EQ(f->FocusedControl(), ip4);
  driver.Type(f, u".");
  EXPECT_EQ(ip4->Text(), u"7");
  EXPECT_EQ(f->FocusedControl(), ip4);
}

TEST_F(ParGenTest, SiblingAddressBlocksCaptionTheirGatewayBox) {
  for (const char16_t* n :
       {u"CB_Ethernet_En_GAT", u"CB_ModbusTCPMaster_En_GAT", u"CB_ModbusTCPSlave_En_GAT", u"CB_BACnet_IP_Master_GAT",
        u"CB_BACnet_IP_Slave_GAT", u"CB_IEC61850_Client_En_GAT", u"CB_IEC61850_Server_En_GAT",
        u"CB_OPC_UA_Client_En_GAT", u"CB_OPC_UA_Server_En_GAT", u"CB_PROFINET_GAT", u"CB_SNMP_Manager_GAT",
        u"CB_EtherNetIP_Master_GAT", u"CB_EtherNetIP_GAT", u"CB_S7_Protocol_En_GAT"})
    EXPECT_EQ(form->Ctl(n)->Caption(), u"Gateway") << StringToUtf8(n);
  EXPECT_EQ(form->Ctl(u"CB_TLS_Server_En_Known_Cert")->Caption(), u"Enable Only Known Certificates");
}

TEST_F(ParGenSiblingTest, PaintedForAPersonToLookAt) {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  const std::filesystem::path out = ec ? std::filesystem::current_path() : exe.parent_path();
  struct Case {
    int Model;
    std::function<void(TFParGen*)> Set;
  };
  const std::vector<Case> cases = {
      {6, [](TFParGen* f) { f->Combo(u"CB_BACnet_Master_Type")->UserSelect(1); }},
      {23,
       [](TFParGen* f) {
         f->CB_Select_Device_Device->UserSelect(2);
         f->Check(u"CB_TLS_Enable")->SetChecked(true);
         f->Check(u"CB_TLS_En_Client_Auth")->SetChecked(true);
         f->CP_LoRaWAN->Collapse();
       }}};
  for (const Case& c : cases) {
    TFParGen* f = Model(c.Model);
    c.Set(f);
    SCOPED_TRACE("model " + std::to_string(c.Model));
    const std::unique_ptr<TBitmap> pic = PaintToBitmap(f);
    ASSERT_TRUE(SavePng(pic.get(), FromPath(out / ("pargen_model_" + std::to_string(c.Model) + ".png"))));
    ExpectPainted(f, pic.get());
  }
}
