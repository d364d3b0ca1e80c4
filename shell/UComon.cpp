#include "shell/UComon.h"

#include "platform/Files.h"

// ---- State ----
String Program_Folder;
String Master_Folder;
String Projects_Folder;
String Language_Folder;
String Project_Name;
String Project_Folder;

const String Soft_Code_Init = u"MS40001";
const String Soft_Desc_Init = u"SNMP Agent / LoRaWAN Gateway - Converter";
const String Update_Soft_Code = u"MS40001";
const String Main_Caption_Init = u"Brenix - Configurator MS40001 SNMP Agent / LoRaWAN Gateway ";
String Main_Caption;
String Soft_Code;
String Soft_Desc;

String Last_IP_Address;
int32_t Last_Update_Option = 0;
bool Last_Read_Back = false;

String Language_Name;
bool Opt_Enable_Internet = false;
bool Opt_Enable_Update = false;
bool Opt_Jump_Field_Tables = false;
bool Opt_Double_Click_Auto_Size = false;

String EDE_Import_Folder;
TStringList* Grid_Clipboard = nullptr;
std::vector<bool> Grid_Clipboard_CB_Mask;
TStringList* MIB_Read_Descriptions = nullptr;
TStringList* MIB_Write_Descriptions = nullptr;

const String Default_IP_Address = u"192.168.2.205";

String Path_ParGen;
String Path_LoRaWAN_Gateway;
String Path_ModbusM_SetAccess;
String Path_ModbusTCPM_SetAccess;
String Path_BACnet_Master_Access;
String Path_BACnet_Slave;
String Path_CAN_Rec_Frames;
String Path_CAN_Send_Frames;
String Path_SDO_Server_CANopen;
String Path_SDO_Client_CANopen;
String Path_PDO_CANopen;
String Path_DNETM_Net;
String Path_DNETM_DefOff;
String Path_DMX_Default_Values;
String Path_IEC_61850_Client;
String Path_TLS_Known_Cert;
String Path_IEC61850_Variables;
String Path_J1939_Rec_Frames;
String Path_J1939_Send_Frames;
String Path_MQTT_Set_Topic;
String Path_NMEA_Rec_Frames;
String Path_NMEA_Send_Frames;
String Path_OPC_UA_Client;
String Path_OPC_UA_Server;
String Path_SNMP_Manager;
String Path_SNMP_Trap;
String Path_EtherNetIP_Master_Rules;
String Path_S7_Protocol;
String Path_KNX_SetAccess;

void Set_Files() {
  struct Entry {
    String* Path;
    const char16_t* File;
  };
  static const Entry kFiles[] = {
      {&Path_ParGen, u"ParGen.xml"},
      {&Path_LoRaWAN_Gateway, u"LoRaWAN_Gateway.xml"},
      {&Path_ModbusM_SetAccess, u"ModbusM_SetAccess.xml"},
      {&Path_ModbusTCPM_SetAccess, u"ModbusTCPM_SetAccess.xml"},
      {&Path_BACnet_Master_Access, u"BACnet_Master_Access.xml"},
      {&Path_BACnet_Slave, u"BACnet_Slave.xml"},
      {&Path_CAN_Rec_Frames, u"CAN_Rec_Frames.xml"},
      {&Path_CAN_Send_Frames, u"CAN_Send_Frames.xml"},
      {&Path_SDO_Server_CANopen, u"SDO_Server_CANopen.xml"},
      {&Path_SDO_Client_CANopen, u"SDO_Client_CANopen.xml"},
      {&Path_PDO_CANopen, u"PDO_CANopen.xml"},
      {&Path_DNETM_Net, u"DNETM_Net.xml"},
      {&Path_DNETM_DefOff, u"DNETM_DefOff.xml"},
      {&Path_DMX_Default_Values, u"DMX_Default_Values.xml"},
      {&Path_IEC_61850_Client, u"IEC_61850_Client.xml"},
      {&Path_TLS_Known_Cert, u"TLS_Known_Cert.xml"},
      {&Path_IEC61850_Variables, u"IEC61850_Variables.xml"},
      {&Path_J1939_Rec_Frames, u"J1939_Rec_Frames.xml"},
      {&Path_J1939_Send_Frames, u"J1939_Send_Frames.xml"},
      {&Path_MQTT_Set_Topic, u"MQTT_Set_Topic.xml"},
      {&Path_NMEA_Rec_Frames, u"NMEA_Rec_Frames.xml"},
      {&Path_NMEA_Send_Frames, u"NMEA_Send_Frames.xml"},
      {&Path_OPC_UA_Client, u"OPC_UA_Client.xml"},
      {&Path_OPC_UA_Server, u"OPC_UA_Server.xml"},
      {&Path_SNMP_Manager, u"SNMP_Manager.xml"},
      {&Path_SNMP_Trap, u"SNMP_Trap.xml"},
      {&Path_EtherNetIP_Master_Rules, u"EtherNetIP_Master_Rules.xml"},
      {&Path_S7_Protocol, u"S7_Protocol.xml"},
      {&Path_KNX_SetAccess, u"KNX_SetAccess.xml"},
  };
  // A plain join on purpose: with no configuration open every path is "/<file>", never a
  // file of the current folder.
  for (const Entry& e : kFiles) *e.Path = Project_Folder + u"/" + e.File;
}

void Set_Folders(const String& Folder) {
  Program_Folder = Folder.size() > 1 ? ExcludeTrailingPathDelimiter(Folder) : Folder;
  Master_Folder = Program_Folder + u"/MASTER";
  Projects_Folder = Program_Folder + u"/PROJECTS";
  Language_Folder = Program_Folder + u"/LANGUAGE";
}
