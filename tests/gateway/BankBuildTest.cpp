// The build as a whole: bank files, rebuilds, the reset between builds and failures.
#include "gateway/BankImageLoRaWAN.h"
#include "gateway/ULoRaWAN_Gateway.h"
#include "gateway/USNMP_Trap_Access.h"
#include "platform/testing/FailingWrites.h"
#include "platform/testing/ModalScript.h"
#include "tests/gateway/BankTestSupport.h"

using namespace bank_test;

namespace {
class BankBuildTest : public BankTest {};
}  // namespace

TEST_F(BankBuildTest, WithoutInputFilesBank2IsEmptyTablesAndAnEmptyLoRaWANSection) {
  Build();
  ASSERT_GT(bank2.size(), 24576u + 36u);
  EXPECT_EQ(Bytes(bank2.begin(), bank2.begin() + 24576), Bytes(24576, 0));
  const size_t h = 24576;
  EXPECT_EQ(U32(bank2, h + 0), 0u);          // devices
  EXPECT_EQ(U32(bank2, h + 4), 0u);          // rules
  EXPECT_EQ(U32(bank2, h + 8), 0x86024u);    // device list
  EXPECT_EQ(U32(bank2, h + 12), 0x86024u);   // rule list
  EXPECT_EQ(U32(bank2, h + 16), 0x86024u);   // configuration text
  // The configuration text follows the header and is the default EU868 one.
  std::string text(bank2.begin() + h + 36, bank2.end());
  EXPECT_EQ(text.substr(text.size() - 2), std::string("\n\0", 2));
  EXPECT_NE(text.find("\"server_address\": \"eu1.cloud.thethings.network\","), std::string::npos);
  EXPECT_NE(text.find("\"serv_port_up\": 1780,"), std::string::npos);
  EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST_F(BankBuildTest, RebuildGivesIdenticalFilesAndReplacesOldOnes) {
  Write_ParGen({{"WiFi_SSID", "net"}, {"LoRaWAN_RF_Band", "US915"}});
  Write_SNMP({{{"Enable", "Y"}, {"Community_Name", "c"}, {"IP_Address", "1.2.3.4"}}}, {});
  // Longer leftovers of an earlier build must not survive.
  Write("bin/bank1.bin", std::string(5000, 'x'));
  Write("bin/bank2.bin", std::string(600000, 'x'));
  Build();
  Bytes first1 = bank1, first2 = bank2;
  EXPECT_EQ(first1.size(), 2048u);
  EXPECT_EQ(int32_t(first2.size()), Bank2_Length);
  Build();
  EXPECT_EQ(bank1, first1);
  EXPECT_EQ(bank2, first2);
}

TEST_F(BankBuildTest, LoRaWANSettingsDoNotCarryOverFromAnEarlierBuild) {
  Write_ParGen({{"LoRaWAN_RF_Band", "US915"},
                {"LoRaWAN_Server_Address", "ns.example.org"},
                {"LoRaWAN_Server_Port_Up", "1700"},
                {"LoRaWAN_Network_Type", "Public"}});
  Build();
  EXPECT_EQ(LoRaWAN_ParGen.RF_Band, 1);
  EXPECT_EQ(LoRaWAN_ParGen.Server_Add, u"ns.example.org");

  std::filesystem::remove(dir_ / "ParGen.xml");
  Build();
  const TLoRaWAN_ParGen d = Default_LoRaWAN_ParGen();
  EXPECT_EQ(LoRaWAN_ParGen.RF_Band, 0);
  EXPECT_EQ(LoRaWAN_ParGen.Server_Add, d.Server_Add);
  EXPECT_EQ(LoRaWAN_ParGen.Server_Port_Up, u"1780");
  EXPECT_EQ(LoRaWAN_ParGen.NetworkType, u"false");
  std::string text(bank2.begin() + 24576 + 36, bank2.end());
  EXPECT_EQ(text.find("ns.example.org"), std::string::npos);
  EXPECT_NE(text.find("\"lorawan_public\": false,"), std::string::npos);
}

TEST_F(BankBuildTest, MissingBinFolderIsCreated) {
  std::filesystem::remove_all(dir_ / "bin");
  Build();
  EXPECT_EQ(bank1.size(), 2048u);
}

TEST_F(BankBuildTest, WriteFailureIsReported) {
  // A file where the bin folder should be: nothing can be written below it.
  std::filesystem::remove_all(dir_ / "bin");
  Write("bin", "not a folder");
  Build_Bin_Banks();
  EXPECT_FALSE(Write_Bin_Files());

  std::filesystem::remove(dir_ / "bin");
  std::filesystem::create_directories(dir_ / "bin" / "bank2.bin" / "inner");  // a folder in the file's place
  String failure;
  EXPECT_FALSE(Write_Bin_Files(&failure));
  EXPECT_NE(failure.find(u"bank2.bin\": renaming the new file over it failed (Is a directory)"), String::npos)
      << StringToUtf8(failure);
  // Both or neither: no bank 1 without its bank 2, and nothing left beside them.
  std::vector<std::string> left;
  for (const auto& e : std::filesystem::directory_iterator(dir_ / "bin")) left.push_back(e.path().filename().string());
  EXPECT_EQ(left, std::vector<std::string>{"bank2.bin"});
}

TEST_F(BankBuildTest, PairStaysOldWhenTheSecondBankCannotBeReplaced) {
  Write("bin/bank1.bin", "old bank 1");
  std::filesystem::create_directories(dir_ / "bin" / "bank2.bin" / "inner");
  ModalScript script;
  ASSERT_TRUE(Compile_Bin());
  EXPECT_FALSE(Save_Bin());
  EXPECT_EQ(Read_File(dir_ / "bin" / "bank1.bin"), Bytes({'o', 'l', 'd', ' ', 'b', 'a', 'n', 'k', ' ', '1'}));
  ASSERT_EQ(script.Messages().size(), 1u);
  const String& text = script.Messages()[0].Text;
  EXPECT_EQ(text.rfind(Language_List->Strings(1651) + FromPath(dir_ / "bin") + u"\n", 0), 0u) << StringToUtf8(text);
  EXPECT_NE(text.find(u"renaming the new file over it failed (Is a directory)"), String::npos) << StringToUtf8(text);
}

TEST_F(BankBuildTest, PairStaysOldWhenTheDiskRefusesTheSecondBank) {
  ASSERT_TRUE(Compile_Bin());
  Write("bin/bank1.bin", "old bank 1");
  Write("bin/bank2.bin", "old bank 2");
  // Bank 1 (2,048 bytes) fits under the limit, bank 2 does not.
  const TChildValues v = RunWithFileSizeLimit(8192, [&] {
    String failure;
    const bool ok = Write_Bin_Files(&failure);
    std::string one, two;
    ReadFileBytes(FromPath(dir_ / "bin" / "bank1.bin"), one);
    ReadFileBytes(FromPath(dir_ / "bin" / "bank2.bin"), two);
    return TChildValues{ok ? "written" : StringToUtf8(failure), one, two};
  });
  ASSERT_EQ(v.size(), 3u);
  EXPECT_NE(v[0].find("bank2.bin\": writing failed (File too large)"), std::string::npos) << v[0];
  EXPECT_EQ(v[1], "old bank 1");
  EXPECT_EQ(v[2], "old bank 2");
}

TEST_F(BankBuildTest, NoConfigurationOpenWritesNothing) {
  Build_Bin_Banks();
  Project_Folder.clear();
  EXPECT_FALSE(Write_Bin_Files());
}

TEST_F(BankBuildTest, MalformedInputEndsTheBuildWithoutBanks) {
  Build();
  for (const char* name : {"ParGen.xml", "SNMP_Trap.xml", "LoRaWAN_Gateway.xml"}) {
    SCOPED_TRACE(name);
    Write(name, "<root><unclosed></root>");
    EXPECT_ANY_THROW(Build_Bin_Banks());
    EXPECT_FALSE(Bin_Banks_Ready());
    EXPECT_EQ(Bank1_Length, 0);
    EXPECT_FALSE(Write_Bin_Files());
    std::filesystem::remove(dir_ / name);
  }
}

TEST_F(BankBuildTest, RootIsTheFirstElementEvenAfterADeclaration) {
  Write("ParGen.xml", "<?xml version=\"1.0\"?><!-- note --><Par_Gen><SNMP_Agent_IP1>10</SNMP_Agent_IP1></Par_Gen>");
  Build();
  EXPECT_EQ(bank1[40], 10);
}

TEST_F(BankBuildTest, UpdateDeviceStepsReportSuccess) {
  ModalScript script;
  Write_SNMP({{{"Enable", "Y"}, {"Community_Name", "c"}}}, {});
  EXPECT_TRUE(Compile_Bin());
  EXPECT_TRUE(Save_Bin());
  EXPECT_TRUE(script.Messages().empty());
  EXPECT_EQ(Read_File(dir_ / "bin" / "bank1.bin").size(), 2048u);
  EXPECT_EQ(int32_t(Read_File(dir_ / "bin" / "bank2.bin").size()), Bank2_Length);
}

TEST_F(BankBuildTest, FailedWriteIsShownAndReportedToTheCaller) {
  ModalScript script;
  ASSERT_TRUE(Compile_Bin());
  std::filesystem::remove_all(dir_ / "bin");
  Write("bin", "not a folder");
  EXPECT_FALSE(Save_Bin());
  ASSERT_EQ(script.Messages().size(), 1u);
  EXPECT_EQ(script.Messages()[0].Type, mtError);
  EXPECT_EQ(script.Messages()[0].Text, Language_List->Strings(1651) + FromPath(dir_ / "bin") + u"\nThe folder \"" +
                                           FromPath(dir_ / "bin") + u"\" cannot be created.");
}

TEST_F(BankBuildTest, OversizedConfigurationIsRefusedWithAMessageAndNothingIsSaved) {
  ModalScript script;
  ASSERT_TRUE(Compile_Bin());
  ASSERT_TRUE(Save_Bin());
  const Bytes old2 = Read_File(dir_ / "bin" / "bank2.bin");
  const Attrs device = {{"Enable", "Y"},          {"DeviceEUI", "01"},   {"JoinEUI", "02"},
                        {"DeviceName", "d"},       {"ActivationMethod", ""}, {"NetworkSessionKey", ""},
                        {"ApplicationSessionKey", ""}, {"ApplicationKey", ""}, {"DeviceAddress", "03"}};
  Write("LoRaWAN_Gateway.xml",
        "<LoRaWAN_Gateway><LoRaWAN_Devices_List>" +
            Element("LoRaWAN_Device", device,
                    "<LoRaWAN_Rules><LoRaWAN_UpLink_Rules>" +
                        Element("Rule", {{"Enable", "Y"}, {"Port", "1"}, {"StartBit", "0"}, {"NumberBits", "1"},
                                         {"PositionBit", "0"}, {"ValueTest", std::string(600000, 'v')}}) +
                        "</LoRaWAN_UpLink_Rules><LoRaWAN_DownLink_Rules/></LoRaWAN_Rules>") +
            "</LoRaWAN_Devices_List></LoRaWAN_Gateway>");
  ModalScript refusal;
  EXPECT_FALSE(Compile_Bin());
  ASSERT_EQ(refusal.Messages().size(), 1u);
  EXPECT_EQ(refusal.Messages()[0].Type, mtError);
  EXPECT_NE(refusal.Messages()[0].Text.find(u"only 524288 are available"), String::npos);
  EXPECT_FALSE(Save_Bin());
  ASSERT_EQ(refusal.Messages().size(), 2u);
  EXPECT_EQ(refusal.Messages()[1].Text, Language_List->Strings(1652));
  EXPECT_EQ(Read_File(dir_ / "bin" / "bank2.bin"), old2);
}

TEST_F(BankBuildTest, FilesSavedByTheTableFormsBuildTheImage) {
  TSNMP_Trap_Tables snmp;
  snmp.Read.SetCell(srCommunity_Name, 1, u"public");
  snmp.Read.SetCell(srType, 1, u"Int");
  snmp.Read.SetCell(srNumBits, 1, u"16");
  snmp.Read.SetCell(srPosition, 1, u"0x20");
  snmp.Read.SetCell(srIP_Address, 1, u"192.168.1.10");
  snmp.Write.SetCell(swCommunity_Name, 1, u"private");
  snmp.Write.SetCell(swEnable, 1, u"N");
  Save_SNMP_Trap_File(Path_SNMP_Trap, snmp.Read, snmp.Write);

  TDeviceLoRaList devices(3);
  TDeviceLoRa& d = *devices[0];
  d.SetDeviceEUI(u"0011223344556677");
  d.SetJoinEUI(u"8899AABBCCDDEEFF");
  d.SetDeviceName(u"meter");
  d.SetActMethod(LoRaWAN_Act_OTAA);
  d.SetDevAdd(u"26011BDA");
  d.SetClassLoRa(u"C");
  d.SetDiagTimeOut(u"4000000000");
  TRuleLoRa& up = *d.UpLinkRules.Add();
  up.SetPort(u"2");
  up.SetStartBit(u"0");
  up.SetNumBits(u"4");
  up.SetPosBit(u"10");
  up.SetHexTest(true);
  up.SetValueTest(u"CAFE");
  Save_LoRaWAN_Gateway_File(Path_LoRaWAN_Gateway, devices);

  Build();
  EXPECT_EQ(U32(bank1, 1436), 1u);
  EXPECT_EQ(U32(bank1, 1440), 0u);
  EXPECT_EQ(U16(bank2, 0), 0x20);
  EXPECT_EQ(bank2[7], 0x8);
  EXPECT_EQ(U32(bank2, 44), 0xC0A8010Au);
  const size_t h = 24576;
  EXPECT_EQ(U32(bank2, h), 1u);
  EXPECT_EQ(U32(bank2, h + 4), 1u);
  EXPECT_EQ(bank2[h + 36 + 7], 0x00);  // DevEUI's first pair in the record's byte 7
  EXPECT_EQ(U32(bank2, h + 36 + 84), 0x122u);
  EXPECT_EQ(U32(bank2, h + 36 + 88), 4000000000u);
  EXPECT_EQ(Bytes(bank2.begin() + h + 36 + 96 + 24, bank2.begin() + h + 36 + 96 + 26), (Bytes{0xCA, 0xFE}));
}
