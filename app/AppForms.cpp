#include "app/AppForms.h"

#include "gateway/UBACnetAccess.h"
#include "gateway/UBACnetSlaveSetAccess.h"
#include "gateway/UBACnet_EDE_File.h"
#include "gateway/UBACnet_Eng_Unit.h"
#include "gateway/UBoot.h"
#include "gateway/UImportEDEFile.h"
#include "gateway/ULoRaWAN_GatewayForm.h"
#include "gateway/UModbusSetAccess.h"
#include "gateway/USNMP_MIB.h"
#include "gateway/USNMP_Trap_AccessForm.h"
#include "gateway/USaveBincc.h"
#include "parameters/UParGen.h"
#include "platform/Forms.h"
#include "protocols/can/UDMXDefVal.h"
#include "protocols/can/UDNet.h"
#include "protocols/can/UDefOffset.h"
#include "protocols/can/UEds.h"
#include "protocols/can/UReceiveCAN.h"
#include "protocols/can/UReceiveJ1939.h"
#include "protocols/can/UReceiveNMEA.h"
#include "protocols/can/USet_PDO_Access.h"
#include "protocols/can/USet_SDO_Client_Access.h"
#include "protocols/can/USet_SDO_Server_Access.h"
#include "protocols/can/UTransmitCAN.h"
#include "protocols/can/UTransmitJ1939.h"
#include "protocols/can/UTransmitNMEA.h"
#include "protocols/ethernet_it/UEtherNEtIP_EDS.h"
#include "protocols/ethernet_it/UEtherNetIP_Master_Access.h"
#include "protocols/ethernet_it/UIEC61850_Variables.h"
#include "protocols/ethernet_it/UIEC_61850_Access.h"
#include "protocols/ethernet_it/UKNXAccess.h"
#include "protocols/ethernet_it/UMQTT_Set_Topic.h"
#include "protocols/ethernet_it/UOPC_UA_Add_Server.h"
#include "protocols/ethernet_it/UOPC_UA_Client_Access.h"
#include "protocols/ethernet_it/UOPC_UA_Scan_Server.h"
#include "protocols/ethernet_it/UOPC_UA_Server_Access.h"
#include "protocols/ethernet_it/UProfibus_GSD.h"
#include "protocols/ethernet_it/UProfinetFileName.h"
#include "protocols/ethernet_it/UProfinet_GSDML.h"
#include "protocols/ethernet_it/US7_Protocol_Set_Access.h"
#include "protocols/ethernet_it/USNMPManagerAccess.h"
#include "protocols/ethernet_it/UTLS_Server_Known_Cert.h"
#include "protocols/ethernet_it/UTopicTemplate.h"
#include "shell/UAbout.h"
#include "shell/UKelvaneFirmWare.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/USoftOptions.h"

// Forms of subsystems that are not part of the program yet are not created; their step buttons
// stop after the step guard.
void Create_Program_Forms() {
  Application->CreateForm(FKelvaneFirmWare);
  Application->CreateForm(FNew_Project);
  Application->CreateForm(FOpenConf);
  Application->CreateForm(FAbout);
  Application->CreateForm(FSoftOptions);
  Application->CreateForm(FBoot);
  Prepare_FParGen();

  TFKelvaneFirmWare* main = FKelvaneFirmWare;
  main->Register_Form(u"TFBoot", FBoot, [] { FBoot->Set_Lang(); });
  main->Register_Form(u"TFParGen", [] { return FParGen_On_Demand(); }, [] {
    if (FParGen) FParGen->Set_Lang();
  });
  // The table forms, like the parameter form, are made on their first use.
  main->Register_Form(u"TFSNMP_Trap_Access", [] { return FSNMP_Trap_Access_On_Demand(); }, [] {
    if (FSNMP_Trap_Access) FSNMP_Trap_Access->Set_Lang();
  });
  main->Register_Form(u"TFLoRaWAN_Gateway", [] { return FLoRaWAN_Gateway_On_Demand(); }, [] {
    if (FLoRaWAN_Gateway) FLoRaWAN_Gateway->Set_Lang();
  });
  main->Register_Form(u"TFSetAccess", [] { return Table_Form_On_Demand(FSetAccess); }, [] {
    if (FSetAccess) FSetAccess->Set_Lang();
  });
  main->Register_Form(u"TFModbus_TCP_Master_Set_Access", [] { return Table_Form_On_Demand(FModbus_TCP_Master_Set_Access); },
                      [] {
                        if (FModbus_TCP_Master_Set_Access) FModbus_TCP_Master_Set_Access->Set_Lang();
                      });
  main->Register_Form(u"TFReceiveCAN", [] { return Table_Form_On_Demand(FReceiveCAN); }, [] {
    if (FReceiveCAN) FReceiveCAN->Set_Lang();
  });
  main->Register_Form(u"TFTransmitCAN", [] { return Table_Form_On_Demand(FTransmitCAN); }, [] {
    if (FTransmitCAN) FTransmitCAN->Set_Lang();
  });
  main->Register_Form(u"TFReceiveJ1939", [] { return Table_Form_On_Demand(FReceiveJ1939); }, [] {
    if (FReceiveJ1939) FReceiveJ1939->Set_Lang();
  });
  main->Register_Form(u"TFTransmitJ1939", [] { return Table_Form_On_Demand(FTransmitJ1939); }, [] {
    if (FTransmitJ1939) FTransmitJ1939->Set_Lang();
  });
  main->Register_Form(u"TFReceiveNMEA", [] { return Table_Form_On_Demand(FReceiveNMEA); }, [] {
    if (FReceiveNMEA) FReceiveNMEA->Set_Lang();
  });
  main->Register_Form(u"TFTransmitNMEA", [] { return Table_Form_On_Demand(FTransmitNMEA); }, [] {
    if (FTransmitNMEA) FTransmitNMEA->Set_Lang();
  });
  main->Register_Form(u"TFBACnetAccess", [] { return Table_Form_On_Demand(FBACnetAccess); }, [] {
    if (FBACnetAccess) FBACnetAccess->Set_Lang();
  });
  main->Register_Form(u"TFImportEDEFile", [] { return Table_Form_On_Demand(FImportEDEFile); }, [] {
    if (FImportEDEFile) FImportEDEFile->Set_Lang();
  });
  main->Register_Form(u"TFIEC_61850_Access", [] { return Table_Form_On_Demand(FIEC_61850_Access); }, [] {
    if (FIEC_61850_Access) FIEC_61850_Access->Set_Lang();
  });
  main->Register_Form(
      u"TFBACnetSlaveSetAccess", [] { return Table_Form_On_Demand(FBACnetSlaveSetAccess); },
      [] {
        if (FBACnetSlaveSetAccess) FBACnetSlaveSetAccess->Set_Lang();
      });
  main->Register_Form(
      u"TFBACnet_Eng_Unit", [] { return Table_Form_On_Demand(FBACnet_Eng_Unit); },
      [] {
        if (FBACnet_Eng_Unit) FBACnet_Eng_Unit->Set_Lang();
      });
  main->Register_Form(u"TFIEC61850_Variables", [] { return Table_Form_On_Demand(FIEC61850_Variables); }, [] {
    if (FIEC61850_Variables) FIEC61850_Variables->Set_Lang();
  });
  main->Register_Form(u"TFTLS_Server_Known_Cert", [] { return Table_Form_On_Demand(FTLS_Server_Known_Cert); }, [] {
    if (FTLS_Server_Known_Cert) FTLS_Server_Known_Cert->Set_Lang();
  });
  main->Register_Form(u"TFSNMPManagerAccess", [] { return Table_Form_On_Demand(FSNMPManagerAccess); }, [] {
    if (FSNMPManagerAccess) FSNMPManagerAccess->Set_Lang();
  });
  main->Register_Form(u"TFMQTT_Set_Topic", [] { return Table_Form_On_Demand(FMQTT_Set_Topic); }, [] {
    if (FMQTT_Set_Topic) FMQTT_Set_Topic->Set_Lang();
  });
  main->Register_Form(u"TFTopicTemplate", [] { return Table_Form_On_Demand(FTopicTemplate); }, [] {
    if (FTopicTemplate) FTopicTemplate->Set_Lang();
  });
  main->Register_Form(u"TFS7_Protocol_Set_Access", [] { return Table_Form_On_Demand(FS7_Protocol_Set_Access); }, [] {
    if (FS7_Protocol_Set_Access) FS7_Protocol_Set_Access->Set_Lang();
  });
  main->Register_Form(u"TFKNXAccess", [] { return Table_Form_On_Demand(FKNXAccess); }, [] {
    if (FKNXAccess) FKNXAccess->Set_Lang();
  });
  main->Register_Form(u"TFProfinetFileName", [] { return Table_Form_On_Demand(FProfinetFileName); }, [] {
    if (FProfinetFileName) FProfinetFileName->Set_Lang();
  });
  main->Register_Form(u"TFEtherNetIP_Master_Access", [] { return Table_Form_On_Demand(FEtherNetIP_Master_Access); },
                      [] {
                        if (FEtherNetIP_Master_Access) FEtherNetIP_Master_Access->Set_Lang();
                      });
  main->Register_Form(u"TFEtherNEtIP_EDS", [] { return Table_Form_On_Demand(FEtherNEtIP_EDS); }, [] {
    if (FEtherNEtIP_EDS) FEtherNEtIP_EDS->Set_Lang();
  });
  // The client form makes its entry dialog and browse form on their first use.
  main->Register_Form(u"TFOPC_UA_Client_Access", [] { return Table_Form_On_Demand(FOPC_UA_Client_Access); }, [] {
    if (FOPC_UA_Client_Access) FOPC_UA_Client_Access->Set_Lang();
    if (FOPC_UA_Add_Server) FOPC_UA_Add_Server->Set_Lang();
    if (FOPC_UA_Scan_Server) FOPC_UA_Scan_Server->Set_Lang();
  });
  main->Register_Form(u"TFOPC_UA_Server_Access", [] { return Table_Form_On_Demand(FOPC_UA_Server_Access); }, [] {
    if (FOPC_UA_Server_Access) FOPC_UA_Server_Access->Set_Lang();
  });
  main->Register_Form(u"TFDNet", [] { return Table_Form_On_Demand(FDNet); }, [] {
    if (FDNet) FDNet->Set_Lang();
  });
  main->Register_Form(u"TFDefOffset", [] { return Table_Form_On_Demand(FDefOffset); }, [] {
    if (FDefOffset) FDefOffset->Set_Lang();
  });
  main->Register_Form(u"TFDMXDefVal", [] { return Table_Form_On_Demand(FDMXDefVal); }, [] {
    if (FDMXDefVal) FDMXDefVal->Set_Lang();
  });
  main->Register_Form(u"TFSet_PDO_Access", [] { return Table_Form_On_Demand(FSet_PDO_Access); }, [] {
    if (FSet_PDO_Access) FSet_PDO_Access->Set_Lang();
  });
  main->Register_Form(u"TFSet_SDO_Client_Access", [] { return Table_Form_On_Demand(FSet_SDO_Client_Access); }, [] {
    if (FSet_SDO_Client_Access) FSet_SDO_Client_Access->Set_Lang();
  });
  main->Register_Form(u"TFSet_SDO_Server_Access", [] { return Table_Form_On_Demand(FSet_SDO_Server_Access); }, [] {
    if (FSet_SDO_Server_Access) FSet_SDO_Server_Access->Set_Lang();
  });

  TStepRoutines& steps = main->Step_Routines;
  steps.Compile_Bin = [] { return Compile_Bin(); };
  steps.Save_Bin = [] { return Save_Bin(); };
  steps.Set_Boot_Form_Type = [](int type) { FBoot->Form_Type = type; };
  steps.Create_SNMP_MIB = [](TSaveDialog& dialog) { Create_SNMP_MIB(dialog); };
  steps.Create_EDE_File = [](const String& file) {
    try {
      Create_EDE_File(file);
    } catch (const std::exception& E) {
      Application->ShowException(E);
    }
  };
  // The PROFINET and PROFIBUS writers report what they refuse or fail to write, and write nothing.
  steps.Profinet_File_Name = [] { return FProfinetFileName ? FProfinetFileName->Name_File_XML : String(); };
  steps.Create_PROFINET_XML = [](const String& name) {
    try {
      Create_PROFINET_XML(name);
    } catch (const std::exception& E) {
      Application->ShowException(E);
    }
  };
  steps.Create_PROFIBUS_GSD = [] {
    try {
      Create_PROFIBUS_GSD();
    } catch (const std::exception& E) {
      Application->ShowException(E);
    }
  };
  steps.Create_EDS_File = [](const String& file) {
    try {
      Create_EDS_File(file);
    } catch (const std::exception& E) {
      Application->ShowException(E);
    }
  };
}
