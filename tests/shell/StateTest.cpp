#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ShellTestSupport.h"
#include "platform/Files.h"
#include "shell/UComon.h"

namespace {

struct PathCase {
  String* Path;
  const char* File;
};

const PathCase kPaths[] = {
    {&Path_ParGen, "ParGen.xml"},
    {&Path_LoRaWAN_Gateway, "LoRaWAN_Gateway.xml"},
    {&Path_ModbusM_SetAccess, "ModbusM_SetAccess.xml"},
    {&Path_ModbusTCPM_SetAccess, "ModbusTCPM_SetAccess.xml"},
    {&Path_BACnet_Master_Access, "BACnet_Master_Access.xml"},
    {&Path_BACnet_Slave, "BACnet_Slave.xml"},
    {&Path_CAN_Rec_Frames, "CAN_Rec_Frames.xml"},
    {&Path_CAN_Send_Frames, "CAN_Send_Frames.xml"},
    {&Path_SDO_Server_CANopen, "SDO_Server_CANopen.xml"},
    {&Path_SDO_Client_CANopen, "SDO_Client_CANopen.xml"},
    {&Path_PDO_CANopen, "PDO_CANopen.xml"},
    {&Path_DNETM_Net, "DNETM_Net.xml"},
    {&Path_DNETM_DefOff, "DNETM_DefOff.xml"},
    {&Path_DMX_Default_Values, "DMX_Default_Values.xml"},
    {&Path_IEC_61850_Client, "IEC_61850_Client.xml"},
    {&Path_TLS_Known_Cert, "TLS_Known_Cert.xml"},
    {&Path_IEC61850_Variables, "IEC61850_Variables.xml"},
    {&Path_J1939_Rec_Frames, "J1939_Rec_Frames.xml"},
    {&Path_J1939_Send_Frames, "J1939_Send_Frames.xml"},
    {&Path_MQTT_Set_Topic, "MQTT_Set_Topic.xml"},
    {&Path_NMEA_Rec_Frames, "NMEA_Rec_Frames.xml"},
    {&Path_NMEA_Send_Frames, "NMEA_Send_Frames.xml"},
    {&Path_OPC_UA_Client, "OPC_UA_Client.xml"},
    {&Path_OPC_UA_Server, "OPC_UA_Server.xml"},
    {&Path_SNMP_Manager, "SNMP_Manager.xml"},
    {&Path_SNMP_Trap, "SNMP_Trap.xml"},
    {&Path_EtherNetIP_Master_Rules, "EtherNetIP_Master_Rules.xml"},
    {&Path_S7_Protocol, "S7_Protocol.xml"},
    {&Path_KNX_SetAccess, "KNX_SetAccess.xml"},
};

// Every test here changes the process-wide folders and paths; each puts them back afterwards.
class SharedState : public ::testing::Test {
 protected:
  void SetUp() override {
    savedFolders_ = {Program_Folder, Master_Folder, Projects_Folder, Language_Folder, Project_Name, Project_Folder};
    for (const PathCase& c : kPaths) savedPaths_.push_back(*c.Path);
  }
  void TearDown() override {
    Program_Folder = savedFolders_[0];
    Master_Folder = savedFolders_[1];
    Projects_Folder = savedFolders_[2];
    Language_Folder = savedFolders_[3];
    Project_Name = savedFolders_[4];
    Project_Folder = savedFolders_[5];
    for (size_t i = 0; i < std::size(kPaths); ++i) *kPaths[i].Path = savedPaths_[i];
  }

 private:
  std::vector<String> savedFolders_;
  std::vector<String> savedPaths_;
};

TEST_F(SharedState, FoldersDeriveFromTheProgramFolder) {
  Set_Folders(u"/opt/conf/");
  EXPECT_EQ(Program_Folder, u"/opt/conf");
  EXPECT_EQ(Master_Folder, u"/opt/conf/MASTER");
  EXPECT_EQ(Projects_Folder, u"/opt/conf/PROJECTS");
  EXPECT_EQ(Language_Folder, u"/opt/conf/LANGUAGE");
}

TEST_F(SharedState, SetFilesAfterNewConfigurationPlant1) {
  Set_Folders(u"/opt/conf");
  Project_Name = u"Plant1";
  Project_Folder = Projects_Folder + u"/" + Project_Name;
  Set_Files();
  EXPECT_EQ(Project_Folder, u"/opt/conf/PROJECTS/Plant1");
  ASSERT_EQ(std::size(kPaths), 29u);
  for (const PathCase& c : kPaths)
    EXPECT_EQ(StringToUtf8(*c.Path), std::string("/opt/conf/PROJECTS/Plant1/") + c.File);
  EXPECT_EQ(Path_SNMP_Trap, u"/opt/conf/PROJECTS/Plant1/SNMP_Trap.xml");
}

// With no configuration open no step reads these paths (the main window refuses every step that
// needs one), but should one slip through it must not read or write a file of whatever folder
// the program was started in: each name stands at the root instead.
TEST_F(SharedState, SetFilesWithNoConfigurationPutsEveryFileAtTheRoot) {
  Set_Folders(u"/opt/conf");
  Project_Name = u"Plant1";
  Project_Folder = Projects_Folder + u"/" + Project_Name;
  Set_Files();
  Project_Folder.clear();
  Set_Files();
  for (const PathCase& c : kPaths) {
    SCOPED_TRACE(c.File);
    const std::filesystem::path path = ToPath(*c.Path);
    EXPECT_TRUE(path.is_absolute());
    EXPECT_EQ(path.parent_path(), std::filesystem::path("/"));
    EXPECT_EQ(path.filename(), c.File);
  }
}

}  // namespace
