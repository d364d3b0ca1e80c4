#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/AppForms.h"
#include "button/LbButton.h"
#include "gateway/UBACnetSlaveSetAccess.h"
#include "gateway/UBACnet_Eng_Unit.h"
#include "gateway/UBoot.h"
#include "gateway/ULoRaWAN_GatewayForm.h"
#include "gateway/USNMP_Trap_AccessForm.h"
#include "parameters/UParGen.h"
#include "platform/Files.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/ScratchFolder.h"
#include "protocols/can/UReceiveCAN.h"
#include "protocols/can/UReceiveJ1939.h"
#include "protocols/can/UReceiveNMEA.h"
#include "protocols/can/UTransmitCAN.h"
#include "protocols/can/UTransmitJ1939.h"
#include "protocols/can/UTransmitNMEA.h"
#include "shell/UComon.h"
#include "shell/UKelvaneFirmWare.h"
#include "shell/UNew_Project.h"

namespace fs = std::filesystem;

// The forms live for the whole process, as in the program, so one test walks through a session.
TEST(ProgramStart, SessionFromAnEmptyFolderToTheBankFiles) {
  TScratchFolder folder("program_start");
  SetProgramFolderForTests(folder.Folder());

  Create_Program_Forms();
  ASSERT_NE(FKelvaneFirmWare, nullptr);
  EXPECT_EQ(Application->MainForm(), FKelvaneFirmWare);
  for (const char* d : {"MASTER", "PROJECTS", "LANGUAGE"}) EXPECT_TRUE(fs::is_directory(folder / d)) << d;
  EXPECT_EQ(FKelvaneFirmWare->Linked_Form(u"TFBoot"), FBoot);
  // The parameter form, the largest, is made when it is first needed.
  EXPECT_EQ(FParGen, nullptr);
  TForm* parGen = FKelvaneFirmWare->Linked_Form(u"TFParGen");
  ASSERT_NE(parGen, nullptr);
  EXPECT_EQ(parGen, FParGen);
  EXPECT_EQ(FKelvaneFirmWare->Linked_Form(u"TFParGen"), parGen);
  // So are the two table forms.
  EXPECT_EQ(FSNMP_Trap_Access, nullptr);
  EXPECT_EQ(FLoRaWAN_Gateway, nullptr);
  FKelvaneFirmWare->Change_Language();
  TForm* snmp = FKelvaneFirmWare->Linked_Form(u"TFSNMP_Trap_Access");
  ASSERT_NE(snmp, nullptr);
  EXPECT_EQ(snmp, FSNMP_Trap_Access);
  TForm* lora = FKelvaneFirmWare->Linked_Form(u"TFLoRaWAN_Gateway");
  ASSERT_NE(lora, nullptr);
  EXPECT_EQ(lora, FLoRaWAN_Gateway);
  EXPECT_EQ(FKelvaneFirmWare->Linked_Form(u"TFLoRaWAN_Gateway"), lora);
  // The CAN-family frame tables too; the J1939 and NMEA 2000 ones are shown by no step.
  EXPECT_EQ(FReceiveCAN, nullptr);
  EXPECT_EQ(FKelvaneFirmWare->Linked_Form(u"TFReceiveCAN"), FReceiveCAN);
  EXPECT_EQ(FKelvaneFirmWare->Linked_Form(u"TFTransmitCAN"), FTransmitCAN);
  EXPECT_EQ(FKelvaneFirmWare->Linked_Form(u"TFReceiveJ1939"), FReceiveJ1939);
  EXPECT_EQ(FKelvaneFirmWare->Linked_Form(u"TFTransmitJ1939"), FTransmitJ1939);
  EXPECT_EQ(FKelvaneFirmWare->Linked_Form(u"TFReceiveNMEA"), FReceiveNMEA);
  EXPECT_EQ(FKelvaneFirmWare->Linked_Form(u"TFTransmitNMEA"), FTransmitNMEA);
  for (TForm* f : std::initializer_list<TForm*>{FReceiveCAN, FTransmitCAN, FReceiveJ1939, FTransmitJ1939, FReceiveNMEA,
                                                FTransmitNMEA})
    EXPECT_NE(f, nullptr);

  ModalScript script;
  script.AnswerModal(u"FNew_Project", [](TForm*) {
    FNew_Project->E_New_Proj->SetText(u"Plant1");
    FNew_Project->Btn_OKClick(FNew_Project->Btn_OK);
    return mrNone;
  });
  FKelvaneFirmWare->Btn_Click(FKelvaneFirmWare->Btn_New);
  ASSERT_EQ(Project_Name, u"Plant1");

  // The parameter step shows the parameter form.
  script.AnswerModal(u"", mrCancel);
  FKelvaneFirmWare->Btn_Click(FKelvaneFirmWare->Btn_Prm_Gen);
  ASSERT_FALSE(script.ModalForms().empty());
  EXPECT_EQ(script.ModalForms().back().FormClass, u"TFParGen");

  // So do the hidden CAN steps.
  script.AnswerModal(u"", mrCancel);
  FKelvaneFirmWare->Btn_Click(FKelvaneFirmWare->Btn_CAN_Rec_Frame);
  EXPECT_EQ(script.ModalForms().back().FormClass, u"TFReceiveCAN");
  script.AnswerModal(u"", mrCancel);
  FKelvaneFirmWare->Btn_Click(FKelvaneFirmWare->Btn_CAN_Send_Frame);
  EXPECT_EQ(script.ModalForms().back().FormClass, u"TFTransmitCAN");
  // And the hidden MQTT, S7 and KNX steps.
  const std::pair<TLbButton*, const char16_t*> tableSteps[] = {
      {FKelvaneFirmWare->Btn_MQTT_Set_Topic, u"TFMQTT_Set_Topic"},
      {FKelvaneFirmWare->Btn_S7_Protocol_Access, u"TFS7_Protocol_Set_Access"},
      {FKelvaneFirmWare->Btn_KNX_Access, u"TFKNXAccess"}};
  for (const auto& [step, formClass] : tableSteps) {
    script.AnswerModal(u"", mrCancel);
    FKelvaneFirmWare->Btn_Click(step);
    EXPECT_EQ(script.ModalForms().back().FormClass, formClass);
  }

  // The BACnet server objects form and its unit picker are made on first use; no step shows them.
  EXPECT_EQ(FBACnetSlaveSetAccess, nullptr);
  EXPECT_EQ(FKelvaneFirmWare->Linked_Form(u"TFBACnetSlaveSetAccess"), FBACnetSlaveSetAccess);
  EXPECT_EQ(FKelvaneFirmWare->Linked_Form(u"TFBACnet_Eng_Unit"), FBACnet_Eng_Unit);
  EXPECT_NE(FBACnet_Eng_Unit, nullptr);

  // The hidden BACnet EDE File step exports the server objects; a Mnemonic that would shift the
  // fields of its line is refused and the file stays as it was.
  const fs::path plant = folder / "PROJECTS" / "Plant1";
  auto slave = [&](const std::string& Mnemonic) {
    std::ofstream(plant / "BACnet_Slave.xml")
        << "<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" "
           "Bit=\"\" Length=\"4\" Swap=\"N\" Mnemonic=\"" +
               Mnemonic + "\"/></BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>";
  };
  auto ede = [&] {
    std::ifstream in(plant / "objects.csv", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  slave("T");
  script.AnswerFileDialog(FromPath(plant / "objects"));
  FKelvaneFirmWare->Btn_Click(FKelvaneFirmWare->Btn_BACnet_EDE_File);
  EXPECT_NE(ede().find("\r\n_T_0;;T;0;0;T;62;\r\n"), std::string::npos) << ede();
  const std::string first = ede();
  slave("a;b");
  const size_t shown = script.Messages().size();
  script.AnswerFileDialog(FromPath(plant / "objects.csv"));
  script.ExpectMessage(mrYes);  // overwrite
  script.ExpectMessage(mrOk);
  FKelvaneFirmWare->Btn_Click(FKelvaneFirmWare->Btn_BACnet_EDE_File);
  ASSERT_EQ(script.Messages().size(), shown + 2);
  EXPECT_EQ(script.Messages().back().Type, mtError);
  EXPECT_NE(script.Messages().back().Text.find(u"BACnet_in_Read, row 1"), String::npos);
  EXPECT_EQ(ede(), first);

  // Update Device writes both banks before the dialog, which the user then cancels.
  FBoot->Form_Type = 0;
  script.AnswerModal(u"", mrCancel);
  FKelvaneFirmWare->Btn_Click(FKelvaneFirmWare->Btn_CreateBin);
  EXPECT_EQ(script.ModalForms().back().FormClass, u"TFBoot");
  EXPECT_EQ(FBoot->Form_Type, 1);
  EXPECT_TRUE(fs::is_regular_file(folder / "PROJECTS" / "Plant1" / "bin" / "bank1.bin"));
  EXPECT_TRUE(fs::is_regular_file(folder / "PROJECTS" / "Plant1" / "bin" / "bank2.bin"));
  EXPECT_EQ(fs::file_size(folder / "PROJECTS" / "Plant1" / "bin" / "bank1.bin"), 2048u);

  // Closing writes the settings file naming the configuration.
  TCloseAction action = caHide;
  FKelvaneFirmWare->FormClose(FKelvaneFirmWare, action);
  std::ifstream f(folder / "Kelvane.xml");
  const std::string xml((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  EXPECT_NE(xml.find("<projectname>Plant1</projectname>"), std::string::npos);

  SetProgramFolderForTests(String());
}
