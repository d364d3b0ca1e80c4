// The controls of the panels that only the sibling models show, row by row in the form's row
// order; the layouts of the option and BACnet panels move them.
#include "parameters/UParGenDetail.h"

namespace pargen_detail {

void Add_Sibling_Controls(TTableBuilder& b) {
  b.SetPanel(u"CP_Ethernet");
  b.Block(u"Ethernet_", u"CB_Ethernet_En_GAT", b.NextRow(3), 426);
  b.LabelEdit(u"L_Ethernet_TCP_Port", u"E_Ethernet_TCP_Port", b.NextRow(), 442);
  b.LabelEdit(u"L_Ethernet_UDP_Port", u"E_Ethernet_UDP_Port", b.NextRow(), 444);

  b.SetPanel(u"CP_Serial");
  b.LabelCombo(u"L_Serial_Serial", u"CB_Serial_Serial", b.NextRow(), 447);
  b.LabelCombo(u"L_Serial_Baudrate", u"CB_Serial_Baudrate", b.NextRow(), 449);
  b.LabelCombo(u"L_Serial_Parity", u"Cb_Serial_Parity", b.NextRow(), 451);
  b.LabelCombo(u"L_Serial_StopBits", u"CB_Serial_StopBits", b.NextRow(), 453);

  b.SetPanel(u"CP_Modbus_Master");
  b.LabelCombo(u"L_ModbusMaster_Serial", u"CB_ModbusMaster_Serial", b.NextRow(), 456);
  b.LabelCombo(u"L_ModbusMaster_Baudrate", u"CB_ModbusMaster_Baudrate", b.NextRow(), 458);
  b.LabelCombo(u"L_ModbusMaster_Parity", u"CB_ModbusMaster_Parity", b.NextRow(), 460);
  b.LabelCombo(u"L_ModbusMaster_StopBits", u"CB_ModbusMaster_StopBits", b.NextRow(), 462);
  b.LabelEdit(u"L_ModbusMaster_TimeOut", u"E_ModbusMaster_TimeOut", b.NextRow(), 464);
  b.LabelEdit(u"L_ModbusMaster_CyclicDelay", u"E_ModbusMaster_CyclicDelay", b.NextRow(), 466);

  b.SetPanel(u"CP_Modbus_Slave");
  b.LabelCombo(u"L_ModbusSlave_Serial", u"CB_ModbusSlave_Serial", b.NextRow(), 469);
  b.LabelCombo(u"L_ModbusSlave_Baudrate", u"CB_ModbusSlave_Baudrate", b.NextRow(), 471);
  b.LabelCombo(u"L_ModbusSlave_Parity", u"CB_ModbusSlave_Parity", b.NextRow(), 473);
  b.LabelCombo(u"L_ModbusSlave_StopBits", u"CB_ModbusSlave_StopBits", b.NextRow(), 475);
  b.LabelEdit(u"L_ModbusSlave_IDDevice", u"E_ModbusSlave_IDDevice", b.NextRow(), 477);
  b.CheckRow(u"CB_ModbusSlave_ReadInput", b.NextRow(), 479, 480);

  b.SetPanel(u"CP_Modbus_TCP_Master");
  b.Block(u"ModbusTCPMaster_", u"CB_ModbusTCPMaster_En_GAT", b.NextRow(3), 482);
  b.LabelEdit(u"L_ModbusTCPMaster_TimeOut", u"E_ModbusTCPMaster_TimeOut", b.NextRow(), 498);
  b.LabelEdit(u"L_ModbusTCPMaster_CyclicDelay", u"E_ModbusTCPMaster_CyclicDelay", b.NextRow(), 500);

  b.SetPanel(u"CP_Modbus_TCP_Slave");
  b.Block(u"ModbusTCPSlave_", u"CB_ModbusTCPSlave_En_GAT", b.NextRow(3), 503);
  b.LabelEdit(u"L_ModbusTCPSlave_Port", u"E_ModbusTCPSlave_Port", b.NextRow(), 519);

  // The MS/TP rows start below the IP rows; the layout moves them up in MS/TP.
  b.SetPanel(u"CP_BACnet_Master");
  b.LabelCombo(u"L_BACnet_Master_Type", u"CB_BACnet_Master_Type", b.NextRow(), 522, {u"BACnet/IP", u"MS/TP"});
  b.Block(u"BACnet_IP_Master_", u"CB_BACnet_IP_Master_GAT", b.NextRow(3), 524);
  b.LabelEdit(u"L_BACnet_IP_Master_Port", u"E_BACnet_IP_Master_Port", b.NextRow(), 540);
  b.LabelEdit(u"L_BACnet_IP_Master_Device_Name", u"E_BACnet_IP_Master_Device_Name", b.NextRow(), 542);
  b.LabelEdit(u"L_BACnet_IP_Master_Device_Identifier", u"E_BACnet_IP_Master_Device_Identifier", b.NextRow(), 544);
  b.LabelEdit(u"L_BACnet_IP_Master_TimeOut_Polling", u"E_BACnet_IP_Master_TimeOut_Polling", b.NextRow(), 546);
  b.LabelCombo(u"L_BACnet_MSTP_Master_Baudrate", u"CB_BACnet_MSTP_Master_Baudrate", b.NextRow(), 548);
  b.LabelCombo(u"L_BACnet_MSTP_Master_Parity", u"CB_BACnet_MSTP_Master_Parity", b.NextRow(), 550);
  b.LabelEdit(u"L_BACnet_MSTP_Master_Device_Name", u"E_BACnet_MSTP_Master_Device_Name", b.NextRow(), 552);
  b.LabelEdit(u"L_BACnet_MSTP_Master_MAC_Address", u"E_BACnet_MSTP_Master_MAC_Address", b.NextRow(), 554);
  b.LabelEdit(u"L_BACnet_MSTP_Master_Max_Master", u"E_BACnet_MSTP_Master_Max_Master", b.NextRow(), 556);
  b.LabelEdit(u"L_BACnet_MSTP_Master_Max_Info_Frame", u"E_BACnet_MSTP_Master_Max_Info_Frame", b.NextRow(), 558);
  b.LabelEdit(u"L_BACnet_MSTP_Master_Device_Instance", u"E_BACnet_MSTP_Master_Device_Instance", b.NextRow(), 560);

  b.SetPanel(u"CP_BACnet_Slave");
  b.LabelCombo(u"L_BACnet_Slave_Type", u"CB_BACnet_Slave_Type", b.NextRow(), 563, {u"BACnet/IP", u"MS/TP"});
  b.Block(u"BACnet_IP_Slave_", u"CB_BACnet_IP_Slave_GAT", b.NextRow(3), 565);
  b.LabelEdit(u"L_BACnet_IP_Slave_Port", u"E_BACnet_IP_Slave_Port", b.NextRow(), 581);
  b.LabelEdit(u"L_BACnet_IP_Slave_Device_Name", u"E_BACnet_IP_Slave_Device_Name", b.NextRow(), 583);
  b.LabelEdit(u"L_BACnet_IP_Slave_Device_Identifier", u"E_BACnet_IP_Slave_Device_Identifier", b.NextRow(), 585);
  const int descriptionRow = b.NextRow();
  b.LabelCombo(u"L_BACnet_MSTP_Slave_Baudrate", u"CB_BACnet_MSTP_Slave_Baudrate", b.NextRow(), 587);
  b.LabelCombo(u"L_BACnet_MSTP_Slave_Parity", u"CB_BACnet_MSTP_Slave_Parity", b.NextRow(), 589);
  b.LabelEdit(u"L_BACnet_MSTP_Slave_Device_Name", u"E_BACnet_MSTP_Slave_Device_Name", b.NextRow(), 591);
  b.LabelEdit(u"L_BACnet_MSTP_Slave_MAC_Address", u"E_BACnet_MSTP_Slave_MAC_Address", b.NextRow(), 593);
  b.LabelEdit(u"L_BACnet_MSTP_Slave_Max_Master", u"E_BACnet_MSTP_Slave_Max_Master", b.NextRow(), 595);
  b.LabelEdit(u"L_BACnet_MSTP_Slave_Max_Info_Frame", u"E_BACnet_MSTP_Slave_Max_Info_Frame", b.NextRow(), 597);
  b.LabelEdit(u"L_BACnet_MSTP_Slave_Device_Instance", u"E_BACnet_MSTP_Slave_Device_Instance", b.NextRow(), 599);
  b.LabelEdit(u"L_BACnet_MSTP_Slave_Network", u"E_BACnet_MSTP_Slave_Network", b.NextRow(), 601);
  b.CheckRow(u"CB_BACnet_Slave_Desc_32_Chars", descriptionRow, 603, 604);

  b.SetPanel(u"CP_CAN");
  b.LabelCombo(u"L_CAN_Baudrate", u"CB_CAN_Baudrate", b.NextRow(), 606);

  b.SetPanel(u"CP_CANopen");
  b.LabelEdit(u"L_CANopen_IDDevice", u"E_CANopen_IDDevice", b.NextRow(), 609);
  b.LabelCombo(u"L_CANopen_Baudrate", u"CB_CANopen_Baudrate", b.NextRow(), 611);
  b.CheckRow(u"CB_CANopen_SetOpe", b.NextRow(), 613, 614);
  b.CheckEdit(u"CB_CANopen_NetOpe", 615, 616, u"E_CANopen_NetOpe_Delay", b.NextRow(), 617);
  b.LabelEdit(u"L_CANopen_SDO_Timeout", u"E_CANopen_SDO_Timeout", b.NextRow(), 618);

  b.SetPanel(u"CP_DeviceNet_Master");
  b.LabelEdit(u"L_DeviceNet_Master_IDDevice", u"E_DeviceNet_Master_IDDevice", b.NextRow(), 621);
  b.LabelCombo(u"L_DeviceNet_Master_Baudrate", u"CB_DeviceNet_Master_Baudrate", b.NextRow(), 623);

  b.SetPanel(u"CP_DeviceNet_Slave");
  b.LabelEdit(u"L_DeviceNet_Slave_IDDevice", u"E_DeviceNet_Slave_IDDevice", b.NextRow(), 626);
  b.LabelCombo(u"L_DeviceNet_Slave_Baudrate", u"CB_DeviceNet_Slave_Baudrate", b.NextRow(), 628);
  b.LabelEdit(u"L_DeviceNet_Slave_NumByteIn", u"E_DeviceNet_Slave_NumByteIn", b.NextRow(), 630);
  b.LabelEdit(u"L_DeviceNet_Slave_NumByteOut", u"E_DeviceNet_Slave_NumByteOut", b.NextRow(), 632);

  b.SetPanel(u"CP_DMX");
  b.LabelCombo(u"L_DMX_DMX", u"CB_DMX_DMX", b.NextRow(), 635);
  b.LabelEdit(u"L_DMX_ChannelNum", u"E_DMX_ChannelNum", b.NextRow(), 637);

  b.SetPanel(u"CP_IEC61850_Client");
  b.Block(u"IEC61850_Client_", u"CB_IEC61850_Client_En_GAT", b.NextRow(3), 640);
  b.LabelEdit(u"L_IEC61850_Client_VLAN", u"E_IEC61850_Client_VLAN", b.NextRow(), 656);
  b.LabelEdit(u"L_IEC61850_Client_AppID", u"E_IEC61850_Client_AppID", b.NextRow(), 658);

  // Port and Password stand below the address block although their texts come first.
  b.SetPanel(u"CP_IEC61850_Server");
  b.SeekRow(3);
  b.LabelEdit(u"L_IEC61850_Server_Port", u"E_IEC61850_Server_Port", b.NextRow(), 661);
  b.LabelEdit(u"L_IEC61850_Server_Password", u"E_IEC61850_Server_Password", b.NextRow(), 663);
  b.Block(u"IEC61850_Server_", u"CB_IEC61850_Server_En_GAT", b.RowTop(0), 665);

  b.SetPanel(u"CP_J1939");
  b.LabelCombo(u"L_J1939_Baudrate", u"CB_J1939_Baudrate", b.NextRow(), 682);
  b.LabelEdit(u"L_J1939_TimeOut", u"E_J1939_TimeOut", b.NextRow(), 684);
  b.CheckRow(u"CB_J1939_Enable_Peer_To_Peer", b.NextRow(), 686, 687);
  b.LabelEdit(u"L_J1939_ID_Device", u"E_J1939_ID_Device", b.NextRow(), 688);

  b.SetPanel(u"CP_MQTT");
  b.LabelEdit(u"L_MQTT_Server", u"E_MQTT_Server", b.NextRow(), 691);
  b.LabelEdit(u"L_MQTT_Server_Port", u"E_MQTT_Server_Port", b.NextRow(), 693);
  b.LabelEdit(u"L_MQTT_Client_ID", u"E_MQTT_Client_ID", b.NextRow(), 695);
  b.LabelEdit(u"L_MQTT_Keep_Alive", u"E_MQTT_Keep_Alive", b.NextRow(), 697);
  b.CheckRow(u"CB_MQTT_Clean_Session", b.NextRow(), 699, 700);
  b.CheckRow(u"CB_MQTT_WillFlag", b.NextRow(), 701, 702);
  b.LabelEdit(u"L_MQTT_Will_TopicName", u"E_MQTT_Will_TopicName", b.NextRow(), 703);
  b.LabelEdit(u"L_MQTT_Will_Message", u"E_MQTT_Will_Message", b.NextRow(), 705);
  b.CheckRow(u"CB_MQTT_Will_Retained", b.NextRow(), 707, 708);
  b.LabelCombo(u"L_MQTT_Will_QoS", u"CB_MQTT_Will_QoS", b.NextRow(), 709);
  b.CheckRow(u"CB_MQTT_PublishTopicConnection", b.NextRow(), 711, 712);
  b.LabelEdit(u"L_MQTT_Connection_TopicName", u"E_MQTT_Connection_TopicName", b.NextRow(), 713);
  b.LabelEdit(u"L_MQTT_Connection_Message", u"E_MQTT_Connection_Message", b.NextRow(), 715);
  b.CheckRow(u"CB_MQTT_Connection_Retained", b.NextRow(), 717, 718);
  b.LabelEdit(u"L_MQTT_Username", u"E_MQTT_Username", b.NextRow(), 719);
  b.LabelEdit(u"L_MQTT_Password", u"E_MQTT_Password", b.NextRow(), 721);
  b.LabelEdit(u"L_MQTT_ASync_Send_Time", u"E_MQTT_ASync_Send_Time", b.NextRow(), 723);
  b.LabelEdit(u"L_MQTT_TopicDALIAns", u"E_MQTT_TopicDALIAns", b.NextRow(), 725);
  b.CheckRow(u"CB_MQTT_Enable_ReProgram", b.NextRow(), 727, 728);
  b.LabelEdit(u"L_MQTT_Reprogram_Topic", u"E_MQTT_Reprogram_Topic", b.NextRow(), 729);
  b.LabelEdit(u"L_MQTT_Reproram_Value", u"E_MQTT_Reproram_Value", b.NextRow(), 731);

  b.SetPanel(u"CP_TLS");
  b.CheckRow(u"CB_TLS_Enable", b.NextRow(), 813, 814);
  b.CheckRow(u"CB_TLS_En_Server_Auth", b.NextRow(), 815, 816);
  b.LabelEdit(u"L_TLS_Server_Cert", u"E_TLS_Server_Cert", b.NextRow(), 817);
  b.CheckRow(u"CB_TLS_En_Client_Auth", b.NextRow(), 819, 820);
  b.LabelEdit(u"L_TLS_Client_Cert", u"E_TLS_Client_Cert", b.NextRow(), 821);
  b.LabelEdit(u"L_TLS_Client_Cert_Key", u"E_TLS_Client_Cert_Key", b.NextRow(), 823);
  b.LabelEdit(u"L_TLS_Client_Cert_Key_Pass", u"E_TLS_Client_Cert_Key_Pass", b.NextRow(), 825);

  b.SetPanel(u"CP_NTP");
  b.LabelEdit(u"L_NTP_Server_URL", u"E_NTP_Server_URL", b.NextRow(), 828);
  b.LabelEdit(u"L_NTP_Poll_Time", u"E_NTP_Poll_Time", b.NextRow(), 830);

  b.SetPanel(u"CP_NMEA2000");
  b.LabelCombo(u"L_NMEA2000_Baudrate", u"CB_NMEA2000_Baudrate", b.NextRow(), 833);
  b.LabelEdit(u"L_NMEA2000_TimeOut", u"E_NMEA2000_TimeOut", b.NextRow(), 835);
  b.CheckRow(u"CB_NMEA2000_Peer_To_Peer", b.NextRow(), 837, 838);

  b.SetPanel(u"CP_OPC_UA_Client");
  b.Block(u"OPC_UA_Client_", u"CB_OPC_UA_Client_En_GAT", b.NextRow(3), 840);

  b.SetPanel(u"CP_OPC_UA_Server");
  b.Block(u"OPC_UA_Server_", u"CB_OPC_UA_Server_En_GAT", b.NextRow(3), 857);
  b.LabelEdit(u"L_OPC_UA_Server_Port", u"E_OPC_UA_Server_Port", b.NextRow(), 873);

  b.SetPanel(u"CP_PROFINET");
  b.Block(u"PROFINET_", u"CB_PROFINET_GAT", b.NextRow(3), 876);
  b.LabelEdit(u"L_PROFINET_TunnelPort", u"E_PROFINET_TunnelPort", b.NextRow(), 892);
  b.LabelEdit(u"L_PROFINET_NameStation", u"E_PROFINET_NameStation", b.NextRow(), 894);
  b.LabelEdit(u"L_PROFINET_NByte_In", u"E_PROFINET_NByte_In", b.NextRow(), 896);
  b.LabelEdit(u"L_PROFINET_NByte_Out", u"E_PROFINET_NByte_Out", b.NextRow(), 898);
  b.CheckEdit(u"CB_PROFINET_Diagnostic", 900, 901, u"E_PROFINET_Diagnostic", b.NextRow(), 902);

  // The station name edit has no hint of its own.
  b.SetPanel(u"CP_SNMP_Manager");
  b.Block(u"SNMP_Manager_", u"CB_SNMP_Manager_GAT", b.NextRow(3), 904);
  b.Label(u"L_SNMP_Manager_NameStation", b.NextRow(), 920);
  b.Edit(u"E_SNMP_Manager_NameStation", b.LastRow(), -1);

  b.SetPanel(u"CP_TLS_Server");
  b.CheckRow(u"CB_TLS_Server_Enable", b.NextRow(), 961, 962);
  b.LabelEdit(u"L_TLS_Server_Key", u"E_TLS_Server_Key", b.NextRow(), 963);
  b.LabelEdit(u"L_TLS_Server_Key_Pass", u"E_TLS_Server_Key_Pass", b.NextRow(), 965);
  b.LabelEdit(u"L_TLS_Server_Server_Cert", u"E_TLS_Server_Server_Cert", b.NextRow(), 967);
  b.LabelEdit(u"L_TLS_Server_Root_Cert", u"E_TLS_Server_Root_Cert", b.NextRow(), 969);
  b.CheckRow(u"CB_TLS_Server_En_Known_Cert", b.NextRow(), 971, 972);

  b.SetPanel(u"CP_EtherNetIP_Master");
  b.Block(u"EtherNetIP_Master_", u"CB_EtherNetIP_Master_GAT", b.NextRow(3), 974);
  b.LabelEdit(u"L_EtherNetIP_Master_TunnelPort", u"E_EtherNetIP_Master_Port", b.NextRow(), 990);

  b.SetPanel(u"CP_EtherNetIP");
  b.Block(u"EtherNetIP_", u"CB_EtherNetIP_GAT", b.NextRow(3), 993);
  b.LabelEdit(u"L_EtherNetIP_TunnelPort", u"E_EtherNetIP_TunnelPort", b.NextRow(), 1009);
  b.LabelEdit(u"L_EtherNetIP_NByte_In", u"E_EtherNetIP_NByte_In", b.NextRow(), 1011);
  b.LabelEdit(u"L_EtherNetIP_NByte_Out", u"E_EtherNetIP_NByte_Out", b.NextRow(), 1013);

  b.SetPanel(u"CP_S7_Protocol");
  b.Block(u"S7_Protocol_", u"CB_S7_Protocol_En_GAT", b.NextRow(3), 1019);

  b.SetPanel(u"CP_GSM_GPRS");
  b.LabelEdit(u"L_GSM_GPRS_PIN", u"E_GSM_GPRS_PIN", b.NextRow(), 1039);
  b.LabelEdit(u"L_GSM_GPRS_APN", u"E_GSM_GPRS_APN", b.NextRow(), 1041);
  b.LabelCombo(u"L_GSM_GPRS_AuthType", u"CB_GSM_GPRS_AuthType", b.NextRow(), 1043);
  b.LabelEdit(u"L_GSM_GPRS_UserName", u"E_GSM_GPRS_UserName", b.NextRow(), 1045);
  b.LabelEdit(u"L_GSM_GPRS_Password", u"E_GSM_GPRS_Password", b.NextRow(), 1047);

  b.SetPanel(u"CP_KNX");
  b.LabelCombo(u"L_KNX_Type", u"CB_KNX_Type", b.NextRow(), 1350);
  b.LabelEdit(u"L_KNX_IDDevice", u"E_KNX_IDDevice", b.NextRow(), 1352);

  b.SetPanel(u"CP_PROFIBUS");
  b.LabelEdit(u"L_PROFIBUS_IDDevice", u"E_PROFIBUS_IDDevice", b.NextRow(), 1356);
  b.LabelCombo(u"L_PROFIBUS_Baudrate", u"CB_PROFIBUS_Baudrate", b.NextRow(), 1358);
  b.LabelEdit(u"L_PROFIBUS_NByte_In", u"E_PROFIBUS_NByte_In", b.NextRow(), 1360);
  b.LabelEdit(u"L_PROFIBUS_NByte_Out", u"E_PROFIBUS_NByte_Out", b.NextRow(), 1362);
}

}  // namespace pargen_detail
