// Bank 1: the parameter block built from ParGen.xml, read back from bin/bank1.bin.
#include <numeric>

#include "tests/gateway/BankTestSupport.h"

using namespace bank_test;

namespace {

struct ExpectedBytes {
  int Offset;
  Bytes Values;
};

void Expect_Bytes(const Bytes& b, const std::vector<ExpectedBytes>& Table) {
  for (const auto& e : Table)
    for (size_t i = 0; i < e.Values.size(); ++i)
      EXPECT_EQ(b.at(e.Offset + i), e.Values[i]) << "offset " << e.Offset + i;
}

uint32_t Sum_0_2043(const Bytes& b) { return std::accumulate(b.begin(), b.begin() + 2044, 0u); }

class BankParamsTest : public BankTest {};

}  // namespace

TEST_F(BankParamsTest, WithoutInputFilesBlockHoldsItsDefaultsAndTheDeviceAddresses) {
  Build();
  ASSERT_EQ(bank1.size(), 2048u);
  Expect_Bytes(bank1, {
                          {0, {0x90, 0xD0, 0x03, 0x00, 0x90, 0xD0, 0x03, 0x00}},  // 250000 twice
                          {12, {0x80, 0x25, 0, 0}},                               // 9600
                          {40, {192, 168, 2, 205, 255, 255, 255, 0, 255, 255, 255, 255}},
                          {52, {0x10, 0x27, 0x11, 0x27, 0x11, 0x27}},
                          {436, {8, 8, 8, 8, 8, 8, 8, 8}},
                          {1436, {0, 0, 0, 0, 0, 0, 0, 0}},
                          {1444, {0x00, 0x00, 0x08, 0x00, 0x00, 0x30, 0x08, 0x00}},
                          {1644, {0, 0, 0, 0, 0, 0, 0, 0}},  // no version without ParGen.xml
                          {1652, {0x00, 0x60, 0x08, 0x00}},
                          {2044, {0x2A, 0x0E, 0x00, 0x00}},
                      });
  // Nothing else is set.
  Bytes other(bank1);
  for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 12, 13, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55,
                56, 57, 436, 437, 438, 439, 440, 441, 442, 443, 1444, 1445, 1446, 1447, 1448, 1449, 1450, 1451,
                1652, 1653, 1654, 1655, 2044, 2045})
    other[i] = 0;
  EXPECT_EQ(std::count(other.begin(), other.end(), 0), 2048);
}

TEST_F(BankParamsTest, ParGenWithOnlyItsRootGivesTheReaderDefaults) {
  Write_ParGen({});
  Build();
  Expect_Bytes(bank1, {
                          {40, {192, 168, 0, 5, 255, 255, 255, 0, 255, 255, 255, 255}},
                          {1256, {0, 0, 0, 0}},                        // DHCP flags, AP DHCP, security
                          {1260, {192, 168, 0, 200, 255, 255, 255, 0}},  // packed DHCP first address, mask
                          {1268, {0x80, 0x51, 0x01, 0x00}},            // lease 86400
                          {1272, {10, 0, 1, 0}},                       // clients, type, channel, auto
                          {1276, {192, 168, 0, 100, 255, 255, 255, 0, 255, 255, 255, 255}},
                          {1288, Bytes(12, 0)},
                          {1340, {0, 0, 0, 0}},
                          {1420, {0, 0, 0, 0}},
                          {1452, {0, 0, 0, 0}},
                          {1644, {'1', '.', '0', '0', '0', 0, 0, 0}},
                      });
  EXPECT_EQ(Slot_Text(bank1, 80, 16), "devicename1");
  EXPECT_EQ(U32(bank1, 2044), Sum_0_2043(bank1));
}

TEST_F(BankParamsTest, SnmpAgentFlagsAndVersion3Slots) {
  struct Case {
    const char* v1;
    const char* v2;
    const char* v3;
    const char* level;
    const char* auth;
    const char* priv;
    uint32_t flags;
    bool user, auth_slot, priv_slot;
  } cases[] = {
      {"1", "1", "1", "Authority Privacy", "SHA", "AES", 0x2B7, true, true, true},
      {"1", "1", "0", "Authority Privacy", "SHA", "AES", 0x3, false, false, false},
      {"0", "0", "1", " authority noprivacy ", "md5", "AES", 0x54, true, true, false},
      {"0", "0", "1", "Authority Privacy", "MD5", "DES", 0x174, true, true, true},
      {"0", "0", "1", "NoAuthority NoPrivacy", "SHA", "AES", 0x4, true, false, false},
      {"01", "", "1", "Authority Privacy", " sha ", " aes", 0x2B4, true, true, true},
  };
  for (const Case& c : cases) {
    Write_ParGen({{"SNMP_Agent_VERSION1", c.v1},
                  {"SNMP_Agent_VERSION2", c.v2},
                  {"SNMP_Agent_VERSION3", c.v3},
                  {"SNMP_Agent_VER3_USER", "operator"},
                  {"SNMP_Agent_VER3_SECURITY_LEVEL", c.level},
                  {"SNMP_Agent_VER3_AUTHORITY", "authpass"},
                  {"SNMP_Agent_VER3_AUTHORITY_MODE", c.auth},
                  {"SNMP_Agent_VER3_PRIVACY", "privpass"},
                  {"SNMP_Agent_VER3_PRIVACY_MODE", c.priv}});
    Build();
    SCOPED_TRACE(std::string(c.v3) + " " + c.level + " " + c.auth + " " + c.priv);
    EXPECT_EQ(U32(bank1, 1452), c.flags);
    EXPECT_EQ(Slot_Text(bank1, 1456, 20), c.user ? "operator" : "");
    EXPECT_EQ(Slot_Text(bank1, 1476, 16), c.auth_slot ? "authpass" : "");
    EXPECT_EQ(Slot_Text(bank1, 1492, 16), c.priv_slot ? "privpass" : "");
  }
}

TEST_F(BankParamsTest, WiFiAccessPointFieldsAndChannelAutoSearch) {
  struct Case {
    const char* channel;
    uint8_t b1274, b1275;
  } cases[] = {{"0", 0, 1}, {"1", 1, 0}, {"11", 11, 0}, {"x", 1, 0}};
  for (const Case& c : cases) {
    Write_ParGen({{"WiFi_Type", "0"},
                  {"WiFi_Secure_Type", "2"},
                  {"WiFi_EN_DHCP", "1"},
                  {"WiFi_DHCP_First_IP1", "10"},
                  {"WiFi_DHCP_First_IP2", "1"},
                  {"WiFi_DHCP_First_IP3", "2"},
                  {"WiFi_DHCP_First_IP4", "3"},
                  {"WiFi_Lease_Time", "3600"},
                  {"WiFi_Max_Client", "4"},
                  {"WiFi_Channel", c.channel}});
    Build();
    SCOPED_TRACE(c.channel);
    Expect_Bytes(bank1, {{1258, {1, 2, 10, 1, 2, 3}}, {1268, {0x10, 0x0E, 0, 0}}, {1272, {5, 0, c.b1274, c.b1275}}});
  }
}

TEST_F(BankParamsTest, StationModeLeavesAccessPointBytesAndSecondAddressZero) {
  Write_ParGen({{"WiFi_Type", "1"},
                {"WiFi_Secure_Type", "2"},
                {"WiFi_EN_DHCP", "1"},
                {"WiFi_Lease_Time", "3600"},
                {"WiFi_Channel", "0"},
                {"WiFi_IP1", "10"},
                {"WiFi_EN_Gateway", "1"},
                {"WiFi_IP2_IP1", "10"},
                {"WiFi_IP2_EN_Gateway", "1"}});
  Build();
  Expect_Bytes(bank1, {{1258, Bytes(15, 0)},  // 1258..1272
                       {1273, {1, 0, 0}},
                       {1276, {10, 168, 0, 100, 255, 255, 255, 0, 192, 168, 0, 1}},
                       {1288, Bytes(12, 0)}});
}

TEST_F(BankParamsTest, TextsAreCutToTheirSlots) {
  const std::string forty(40, 'n');
  Write_ParGen({{"Eth_Conn_Device_Name", forty},
                {"WiFi_SSID", std::string(40, 's')},
                {"WiFi_PWD", std::string(70, 'p')},
                {"SNMP_Agent_Name_of_Station", std::string(20, 'a')},
                {"SNMP_Agent_Contact", std::string(16, 'c')},
                {"SNMP_Agent_Location", std::string(30, 'l')},
                {"SNMP_Agent_VERSION3", "1"},
                {"SNMP_Agent_VER3_USER", std::string(25, 'u')},
                {"SNMP_Agent_VER3_SECURITY_LEVEL", "Authority Privacy"},
                {"SNMP_Agent_VER3_AUTHORITY", std::string(20, 'x')},
                {"SNMP_Agent_VER3_PRIVACY", std::string(20, 'y')}});
  Build();
  EXPECT_EQ(Text_At(bank1, 1300, 32), std::string(31, 'n') + '\0');
  EXPECT_EQ(Text_At(bank1, 1148, 32), std::string(32, 's'));
  EXPECT_EQ(Text_At(bank1, 1180, 64), std::string(64, 'p'));
  EXPECT_EQ(bank1[1244], 0);  // after the password slot
  EXPECT_EQ(Text_At(bank1, 80, 16), std::string(16, 'a'));
  EXPECT_EQ(bank1[96], 0);
  EXPECT_EQ(Text_At(bank1, 1456, 20), std::string(20, 'u'));
  EXPECT_EQ(Text_At(bank1, 1476, 16), std::string(16, 'x'));
  EXPECT_EQ(Text_At(bank1, 1492, 16), std::string(16, 'y'));
  EXPECT_EQ(Text_At(bank1, 1856, 16), std::string(16, 'c'));
  EXPECT_EQ(Text_At(bank1, 1872, 16), std::string(16, 'l'));
  EXPECT_EQ(bank1[1888], 0);
  EXPECT_EQ(U32(bank1, 2044), Sum_0_2043(bank1));
}

TEST_F(BankParamsTest, TextSlotKeepsTheLowByteOfEachCharacter) {
  Write_ParGen({{"SNMP_Agent_Location", "K\xC3\xB6ln \xE2\x82\xAC"}});  // "Köln €" in UTF-8
  Build();
  EXPECT_EQ(Text_At(bank1, 1872, 7), std::string("K\xF6ln \xAC\0", 7));
}

TEST_F(BankParamsTest, DnsServersOnlyWhenEnabledAndOctetsKeepTheirLowByte) {
  Write_ParGen({{"Eth_Conn_Enable_DNS", "1"},
                {"Eth_Conn_Primary_DNS1", "1"},
                {"Eth_Conn_Primary_DNS2", "256"},
                {"Eth_Conn_Primary_DNS3", "abc"},
                {"Eth_Conn_Secondary_DNS1", "9"},
                {"Eth_Conn_DHCP_Cable", "1"},
                {"Eth_Conn_DHCP_WiFi", "01"}});
  Build();
  Expect_Bytes(bank1, {{1420, {1, 0, 8, 8}}, {1340, {9, 8, 4, 4}}, {1256, {1, 0}}});

  Write_ParGen({{"Eth_Conn_Enable_DNS", "0"}, {"Eth_Conn_Primary_DNS1", "1"}});
  Build();
  Expect_Bytes(bank1, {{1420, {0, 0, 0, 0}}, {1340, {0, 0, 0, 0}}});
}

TEST_F(BankParamsTest, GatewayOctetsNeedTheirEnableFlagExactlyOne) {
  struct Case {
    const char* enable;
    Bytes gateway;
  } cases[] = {{"1", {10, 0, 0, 1}}, {"01", {255, 255, 255, 255}}, {"0", {255, 255, 255, 255}}};
  for (const Case& c : cases) {
    Write_ParGen({{"SNMP_Agent_GAT1", "10"},
                  {"SNMP_Agent_GAT2", "0"},
                  {"SNMP_Agent_GAT3", "0"},
                  {"SNMP_Agent_GAT4", "1"},
                  {"SNMP_Agent_EN_GAT", c.enable},
                  {"WiFi_GAT1", "10"},
                  {"WiFi_GAT2", "0"},
                  {"WiFi_GAT3", "0"},
                  {"WiFi_GAT4", "1"},
                  {"WiFi_EN_Gateway", c.enable}});
    Build();
    SCOPED_TRACE(c.enable);
    Expect_Bytes(bank1, {{48, c.gateway}, {1284, c.gateway}});
  }
}

TEST_F(BankParamsTest, ClientCountIsTheLowByteOfTheIndexPlusOne) {
  struct Case {
    const char* index;
    uint8_t clients;
  } cases[] = {{"0", 1}, {"9", 10}, {"x", 10}, {"", 10}, {"254", 255}, {"255", 0}, {"2147483647", 0}, {"-1", 0}};
  for (const Case& c : cases) {
    Write_ParGen({{"WiFi_Type", "0"}, {"WiFi_Max_Client", c.index}});
    Build();
    EXPECT_EQ(bank1[1272], c.clients) << c.index;
  }
}
