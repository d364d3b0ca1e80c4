// The controls of the panels that only the sibling models show. Rows stand on the 28-pixel pitch
// from y = 12 in the form's row order; the layouts of the option and BACnet panels move them.
#include "parameters/UParGenTableBuilder.h"

namespace pargen_detail {

void Add_Sibling_Controls(TTableBuilder& b) {
  b.SetPanel(u"CP_Ethernet");
  b.Block(u"Ethernet_", u"CB_Ethernet_En_GAT", 12, 426);
  b.LabelEdit(u"L_Ethernet_TCP_Port", u"E_Ethernet_TCP_Port", 96, 442);
  b.LabelEdit(u"L_Ethernet_UDP_Port", u"E_Ethernet_UDP_Port", 124, 444);

  b.SetPanel(u"CP_Serial");
  b.LabelCombo(u"L_Serial_Serial", u"CB_Serial_Serial", 12, 447);
  b.LabelCombo(u"L_Serial_Baudrate", u"CB_Serial_Baudrate", 40, 449);
  b.LabelCombo(u"L_Serial_Parity", u"Cb_Serial_Parity", 68, 451);
  b.LabelCombo(u"L_Serial_StopBits", u"CB_Serial_StopBits", 96, 453);

  b.SetPanel(u"CP_Modbus_Master");
  b.LabelCombo(u"L_ModbusMaster_Serial", u"CB_ModbusMaster_Serial", 12, 456);
  b.LabelCombo(u"L_ModbusMaster_Baudrate", u"CB_ModbusMaster_Baudrate", 40, 458);
  b.LabelCombo(u"L_ModbusMaster_Parity", u"CB_ModbusMaster_Parity", 68, 460);
  b.LabelCombo(u"L_ModbusMaster_StopBits", u"CB_ModbusMaster_StopBits", 96, 462);
  b.LabelEdit(u"L_ModbusMaster_TimeOut", u"E_ModbusMaster_TimeOut", 124, 464);
  b.LabelEdit(u"L_ModbusMaster_CyclicDelay", u"E_ModbusMaster_CyclicDelay", 152, 466);

  b.SetPanel(u"CP_Modbus_Slave");
  b.LabelCombo(u"L_ModbusSlave_Serial", u"CB_ModbusSlave_Serial", 12, 469);
  b.LabelCombo(u"L_ModbusSlave_Baudrate", u"CB_ModbusSlave_Baudrate", 40, 471);
  b.LabelCombo(u"L_ModbusSlave_Parity", u"CB_ModbusSlave_Parity", 68, 473);
  b.LabelCombo(u"L_ModbusSlave_StopBits", u"CB_ModbusSlave_StopBits", 96, 475);
  b.LabelEdit(u"L_ModbusSlave_IDDevice", u"E_ModbusSlave_IDDevice", 124, 477);
  b.Check(u"CB_ModbusSlave_ReadInput", kLabelX, 152, kCheckW, 479, 480);

  b.SetPanel(u"CP_Modbus_TCP_Master");
  b.Block(u"ModbusTCPMaster_", u"CB_ModbusTCPMaster_En_GAT", 12, 482);
  b.LabelEdit(u"L_ModbusTCPMaster_TimeOut", u"E_ModbusTCPMaster_TimeOut", 96, 498);
  b.LabelEdit(u"L_ModbusTCPMaster_CyclicDelay", u"E_ModbusTCPMaster_CyclicDelay", 124, 500);

  b.SetPanel(u"CP_Modbus_TCP_Slave");
  b.Block(u"ModbusTCPSlave_", u"CB_ModbusTCPSlave_En_GAT", 12, 503);
  b.LabelEdit(u"L_ModbusTCPSlave_Port", u"E_ModbusTCPSlave_Port", 96, 519);

  // The MS/TP rows start below the IP rows; the layout moves them up in MS/TP.
  b.SetPanel(u"CP_BACnet_Master");
  b.LabelCombo(u"L_BACnet_Master_Type", u"CB_BACnet_Master_Type", 12, 522, {u"BACnet/IP", u"MS/TP"});
  b.Block(u"BACnet_IP_Master_", u"CB_BACnet_IP_Master_GAT", 40, 524);
  b.LabelEdit(u"L_BACnet_IP_Master_Port", u"E_BACnet_IP_Master_Port", 124, 540);
  b.LabelEdit(u"L_BACnet_IP_Master_Device_Name", u"E_BACnet_IP_Master_Device_Name", 152, 542);
  b.LabelEdit(u"L_BACnet_IP_Master_Device_Identifier", u"E_BACnet_IP_Master_Device_Identifier", 180, 544);
  b.LabelEdit(u"L_BACnet_IP_Master_TimeOut_Polling", u"E_BACnet_IP_Master_TimeOut_Polling", 208, 546);
  b.LabelCombo(u"L_BACnet_MSTP_Master_Baudrate", u"CB_BACnet_MSTP_Master_Baudrate", 236, 548);
  b.LabelCombo(u"L_BACnet_MSTP_Master_Parity", u"CB_BACnet_MSTP_Master_Parity", 264, 550);
  b.LabelEdit(u"L_BACnet_MSTP_Master_Device_Name", u"E_BACnet_MSTP_Master_Device_Name", 292, 552);
  b.LabelEdit(u"L_BACnet_MSTP_Master_MAC_Address", u"E_BACnet_MSTP_Master_MAC_Address", 320, 554);
  b.LabelEdit(u"L_BACnet_MSTP_Master_Max_Master", u"E_BACnet_MSTP_Master_Max_Master", 348, 556);
  b.LabelEdit(u"L_BACnet_MSTP_Master_Max_Info_Frame", u"E_BACnet_MSTP_Master_Max_Info_Frame", 376, 558);
  b.LabelEdit(u"L_BACnet_MSTP_Master_Device_Instance", u"E_BACnet_MSTP_Master_Device_Instance", 404, 560);

  b.SetPanel(u"CP_BACnet_Slave");
  b.LabelCombo(u"L_BACnet_Slave_Type", u"CB_BACnet_Slave_Type", 12, 563, {u"BACnet/IP", u"MS/TP"});
  b.Block(u"BACnet_IP_Slave_", u"CB_BACnet_IP_Slave_GAT", 40, 565);
  b.LabelEdit(u"L_BACnet_IP_Slave_Port", u"E_BACnet_IP_Slave_Port", 124, 581);
  b.LabelEdit(u"L_BACnet_IP_Slave_Device_Name", u"E_BACnet_IP_Slave_Device_Name", 152, 583);
  b.LabelEdit(u"L_BACnet_IP_Slave_Device_Identifier", u"E_BACnet_IP_Slave_Device_Identifier", 180, 585);
  b.LabelCombo(u"L_BACnet_MSTP_Slave_Baudrate", u"CB_BACnet_MSTP_Slave_Baudrate", 236, 587);
  b.LabelCombo(u"L_BACnet_MSTP_Slave_Parity", u"CB_BACnet_MSTP_Slave_Parity", 264, 589);
  b.LabelEdit(u"L_BACnet_MSTP_Slave_Device_Name", u"E_BACnet_MSTP_Slave_Device_Name", 292, 591);
  b.LabelEdit(u"L_BACnet_MSTP_Slave_MAC_Address", u"E_BACnet_MSTP_Slave_MAC_Address", 320, 593);
  b.LabelEdit(u"L_BACnet_MSTP_Slave_Max_Master", u"E_BACnet_MSTP_Slave_Max_Master", 348, 595);
  b.LabelEdit(u"L_BACnet_MSTP_Slave_Max_Info_Frame", u"E_BACnet_MSTP_Slave_Max_Info_Frame", 376, 597);
  b.LabelEdit(u"L_BACnet_MSTP_Slave_Device_Instance", u"E_BACnet_MSTP_Slave_Device_Instance", 404, 599);
  b.LabelEdit(u"L_BACnet_MSTP_Slave_Network", u"E_BACnet_MSTP_Slave_Network", 432, 601);
  b.Check(u"CB_BACnet_Slave_Desc_32_Chars", kLabelX, 208, kCheckW, 603, 604);

  b.SetPanel(u"CP_CAN");
  b.LabelCombo(u"L_CAN_Baudrate", u"CB_CAN_Baudrate", 12, 606);

  b.SetPanel(u"CP_CANopen");
  b.LabelEdit(u"L_CANopen_IDDevice", u"E_CANopen_IDDevice", 12, 609);
  b.LabelCombo(u"L_CANopen_Baudrate", u"CB_CANopen_Baudrate", 40, 611);
  b.Check(u"CB_CANopen_SetOpe", kLabelX, 68, kCheckW, 613, 614);
  b.CheckEdit(u"CB_CANopen_NetOpe", 615, 616, u"E_CANopen_NetOpe_Delay", 96, 617);
  b.LabelEdit(u"L_CANopen_SDO_Timeout", u"E_CANopen_SDO_Timeout", 124, 618);

  b.SetPanel(u"CP_DeviceNet_Master");
  b.LabelEdit(u"L_DeviceNet_Master_IDDevice", u"E_DeviceNet_Master_IDDevice", 12, 621);
  b.LabelCombo(u"L_DeviceNet_Master_Baudrate", u"CB_DeviceNet_Master_Baudrate", 40, 623);

  b.SetPanel(u"CP_DeviceNet_Slave");
  b.LabelEdit(u"L_DeviceNet_Slave_IDDevice", u"E_DeviceNet_Slave_IDDevice", 12, 626);
  b.LabelCombo(u"L_DeviceNet_Slave_Baudrate", u"CB_DeviceNet_Slave_Baudrate", 40, 628);
  b.LabelEdit(u"L_DeviceNet_Slave_NumByteIn", u"E_DeviceNet_Slave_NumByteIn", 68, 630);
  b.LabelEdit(u"L_DeviceNet_Slave_NumByteOut", u"E_DeviceNet_Slave_NumByteOut", 96, 632);

  b.SetPanel(u"CP_DMX");
  b.LabelCombo(u"L_DMX_DMX", u"CB_DMX_DMX", 12, 635);
  b.LabelEdit(u"L_DMX_ChannelNum", u"E_DMX_ChannelNum", 40, 637);

  b.SetPanel(u"CP_IEC61850_Client");
  b.Block(u"IEC61850_Client_", u"CB_IEC61850_Client_En_GAT", 12, 640);
  b.LabelEdit(u"L_IEC61850_Client_VLAN", u"E_IEC61850_Client_VLAN", 96, 656);
  b.LabelEdit(u"L_IEC61850_Client_AppID", u"E_IEC61850_Client_AppID", 124, 658);

  // Port and Password stand below the address block although their texts come first.
  b.SetPanel(u"CP_IEC61850_Server");
  b.LabelEdit(u"L_IEC61850_Server_Port", u"E_IEC61850_Server_Port", 96, 661);
  b.LabelEdit(u"L_IEC61850_Server_Password", u"E_IEC61850_Server_Password", 124, 663);
  b.Block(u"IEC61850_Server_", u"CB_IEC61850_Server_En_GAT", 12, 665);

  b.SetPanel(u"CP_J1939");
  b.LabelCombo(u"L_J1939_Baudrate", u"CB_J1939_Baudrate", 12, 682);
  b.LabelEdit(u"L_J1939_TimeOut", u"E_J1939_TimeOut", 40, 684);
  b.Check(u"CB_J1939_Enable_Peer_To_Peer", kLabelX, 68, kCheckW, 686, 687);
  b.LabelEdit(u"L_J1939_ID_Device", u"E_J1939_ID_Device", 96, 688);

  b.SetPanel(u"CP_MQTT");
  b.LabelEdit(u"L_MQTT_Server", u"E_MQTT_Server", 12, 691);
  b.LabelEdit(u"L_MQTT_Server_Port", u"E_MQTT_Server_Port", 40, 693);
  b.LabelEdit(u"L_MQTT_Client_ID", u"E_MQTT_Client_ID", 68, 695);
  b.LabelEdit(u"L_MQTT_Keep_Alive", u"E_MQTT_Keep_Alive", 96, 697);
  b.Check(u"CB_MQTT_Clean_Session", kLabelX, 124, kCheckW, 699, 700);
  b.Check(u"CB_MQTT_WillFlag", kLabelX, 152, kCheckW, 701, 702);
  b.LabelEdit(u"L_MQTT_Will_TopicName", u"E_MQTT_Will_TopicName", 180, 703);
  b.LabelEdit(u"L_MQTT_Will_Message", u"E_MQTT_Will_Message", 208, 705);
  b.Check(u"CB_MQTT_Will_Retained", kLabelX, 236, kCheckW, 707, 708);
  b.LabelCombo(u"L_MQTT_Will_QoS", u"CB_MQTT_Will_QoS", 264, 709);
  b.Check(u"CB_MQTT_PublishTopicConnection", kLabelX, 292, kCheckW, 711, 712);
  b.LabelEdit(u"L_MQTT_Connection_TopicName", u"E_MQTT_Connection_TopicName", 320, 713);
  b.LabelEdit(u"L_MQTT_Connection_Message", u"E_MQTT_Connection_Message", 348, 715);
  b.Check(u"CB_MQTT_Connection_Retained", kLabelX, 376, kCheckW, 717, 718);
  b.LabelEdit(u"L_MQTT_Username", u"E_MQTT_Username", 404, 719);
  b.LabelEdit(u"L_MQTT_Password", u"E_MQTT_Password", 432, 721);
  b.LabelEdit(u"L_MQTT_ASync_Send_Time", u"E_MQTT_ASync_Send_Time", 460, 723);
  b.LabelEdit(u"L_MQTT_TopicDALIAns", u"E_MQTT_TopicDALIAns", 488, 725);
  b.Check(u"CB_MQTT_Enable_ReProgram", kLabelX, 516, kCheckW, 727, 728);
  b.LabelEdit(u"L_MQTT_Reprogram_Topic", u"E_MQTT_Reprogram_Topic", 544, 729);
  b.LabelEdit(u"L_MQTT_Reproram_Value", u"E_MQTT_Reproram_Value", 572, 731);

  b.SetPanel(u"CP_TLS");
  b.Check(u"CB_TLS_Enable", kLabelX, 12, kCheckW, 813, 814);
  b.Check(u"CB_TLS_En_Server_Auth", kLabelX, 40, kCheckW, 815, 816);
  b.LabelEdit(u"L_TLS_Server_Cert", u"E_TLS_Server_Cert", 68, 817);
  b.Check(u"CB_TLS_En_Client_Auth", kLabelX, 96, kCheckW, 819, 820);
  b.LabelEdit(u"L_TLS_Client_Cert", u"E_TLS_Client_Cert", 124, 821);
  b.LabelEdit(u"L_TLS_Client_Cert_Key", u"E_TLS_Client_Cert_Key", 152, 823);
  b.LabelEdit(u"L_TLS_Client_Cert_Key_Pass", u"E_TLS_Client_Cert_Key_Pass", 180, 825);

  b.SetPanel(u"CP_NTP");
  b.LabelEdit(u"L_NTP_Server_URL", u"E_NTP_Server_URL", 12, 828);
  b.LabelEdit(u"L_NTP_Poll_Time", u"E_NTP_Poll_Time", 40, 830);

  b.SetPanel(u"CP_NMEA2000");
  b.LabelCombo(u"L_NMEA2000_Baudrate", u"CB_NMEA2000_Baudrate", 12, 833);
  b.LabelEdit(u"L_NMEA2000_TimeOut", u"E_NMEA2000_TimeOut", 40, 835);
  b.Check(u"CB_NMEA2000_Peer_To_Peer", kLabelX, 68, kCheckW, 837, 838);

  b.SetPanel(u"CP_OPC_UA_Client");
  b.Block(u"OPC_UA_Client_", u"CB_OPC_UA_Client_En_GAT", 12, 840);

  b.SetPanel(u"CP_OPC_UA_Server");
  b.Block(u"OPC_UA_Server_", u"CB_OPC_UA_Server_En_GAT", 12, 857);
  b.LabelEdit(u"L_OPC_UA_Server_Port", u"E_OPC_UA_Server_Port", 96, 873);

  b.SetPanel(u"CP_PROFINET");
  b.Block(u"PROFINET_", u"CB_PROFINET_GAT", 12, 876);
  b.LabelEdit(u"L_PROFINET_TunnelPort", u"E_PROFINET_TunnelPort", 96, 892);
  b.LabelEdit(u"L_PROFINET_NameStation", u"E_PROFINET_NameStation", 124, 894);
  b.LabelEdit(u"L_PROFINET_NByte_In", u"E_PROFINET_NByte_In", 152, 896);
  b.LabelEdit(u"L_PROFINET_NByte_Out", u"E_PROFINET_NByte_Out", 180, 898);
  b.CheckEdit(u"CB_PROFINET_Diagnostic", 900, 901, u"E_PROFINET_Diagnostic", 208, 902);

  // The station name edit has no hint of its own.
  b.SetPanel(u"CP_SNMP_Manager");
  b.Block(u"SNMP_Manager_", u"CB_SNMP_Manager_GAT", 12, 904);
  b.Label(u"L_SNMP_Manager_NameStation", 96, 920);
  b.Edit(u"E_SNMP_Manager_NameStation", 96, -1);

  b.SetPanel(u"CP_TLS_Server");
  b.Check(u"CB_TLS_Server_Enable", kLabelX, 12, kCheckW, 961, 962);
  b.LabelEdit(u"L_TLS_Server_Key", u"E_TLS_Server_Key", 40, 963);
  b.LabelEdit(u"L_TLS_Server_Key_Pass", u"E_TLS_Server_Key_Pass", 68, 965);
  b.LabelEdit(u"L_TLS_Server_Server_Cert", u"E_TLS_Server_Server_Cert", 96, 967);
  b.LabelEdit(u"L_TLS_Server_Root_Cert", u"E_TLS_Server_Root_Cert", 124, 969);
  b.Check(u"CB_TLS_Server_En_Known_Cert", kLabelX, 152, kCheckW, 971, 972);

  b.SetPanel(u"CP_EtherNetIP_Master");
  b.Block(u"EtherNetIP_Master_", u"CB_EtherNetIP_Master_GAT", 12, 974);
  b.LabelEdit(u"L_EtherNetIP_Master_TunnelPort", u"E_EtherNetIP_Master_Port", 96, 990);

  b.SetPanel(u"CP_EtherNetIP");
  b.Block(u"EtherNetIP_", u"CB_EtherNetIP_GAT", 12, 993);
  b.LabelEdit(u"L_EtherNetIP_TunnelPort", u"E_EtherNetIP_TunnelPort", 96, 1009);
  b.LabelEdit(u"L_EtherNetIP_NByte_In", u"E_EtherNetIP_NByte_In", 124, 1011);
  b.LabelEdit(u"L_EtherNetIP_NByte_Out", u"E_EtherNetIP_NByte_Out", 152, 1013);

  b.SetPanel(u"CP_S7_Protocol");
  b.Block(u"S7_Protocol_", u"CB_S7_Protocol_En_GAT", 12, 1019);

  b.SetPanel(u"CP_GSM_GPRS");
  b.LabelEdit(u"L_GSM_GPRS_PIN", u"E_GSM_GPRS_PIN", 12, 1039);
  b.LabelEdit(u"L_GSM_GPRS_APN", u"E_GSM_GPRS_APN", 40, 1041);
  b.LabelCombo(u"L_GSM_GPRS_AuthType", u"CB_GSM_GPRS_AuthType", 68, 1043);
  b.LabelEdit(u"L_GSM_GPRS_UserName", u"E_GSM_GPRS_UserName", 96, 1045);
  b.LabelEdit(u"L_GSM_GPRS_Password", u"E_GSM_GPRS_Password", 124, 1047);

  b.SetPanel(u"CP_KNX");
  b.LabelCombo(u"L_KNX_Type", u"CB_KNX_Type", 12, 1350);
  b.LabelEdit(u"L_KNX_IDDevice", u"E_KNX_IDDevice", 40, 1352);

  b.SetPanel(u"CP_PROFIBUS");
  b.LabelEdit(u"L_PROFIBUS_IDDevice", u"E_PROFIBUS_IDDevice", 12, 1356);
  b.LabelCombo(u"L_PROFIBUS_Baudrate", u"CB_PROFIBUS_Baudrate", 40, 1358);
  b.LabelEdit(u"L_PROFIBUS_NByte_In", u"E_PROFIBUS_NByte_In", 68, 1360);
  b.LabelEdit(u"L_PROFIBUS_NByte_Out", u"E_PROFIBUS_NByte_Out", 96, 1362);
}

}  // namespace pargen_detail
