// Bank 2, LoRaWAN section: header, device and rule records, test bytes and addresses, read back
// from bin/bank2.bin.
#include "gateway/BankImageLoRaWAN.h"
#include "gateway/TableFile.h"
#include "tests/gateway/BankTestSupport.h"

using namespace bank_test;

namespace {

constexpr size_t H = 24576;  // the section's offset in bank 2
constexpr uint32_t B = 0x86000;
size_t Dev(int i) { return H + 36 + size_t(i) * 96; }

// Base attributes with some replaced (or added when new).
Attrs Merge(Attrs A, const Attrs& Over) {
  for (const auto& [k, v] : Over) {
    bool found = false;
    for (auto& kv : A)
      if (kv.first == k) kv.second = v, found = true;
    if (!found) A.emplace_back(k, v);
  }
  return A;
}

Attrs Device_Attrs(const Attrs& Over = {}) {
  return Merge({{"Enable", "Y"},
                {"DeviceEUI", "0011223344556677"},
                {"JoinEUI", "8899AABBCCDDEEFF"},
                {"DeviceName", "sensor"},
                {"ActivationMethod", "Activation by Personalization [ABP]"},
                {"NetworkSessionKey", "000102030405060708090A0B0C0D0E0F"},
                {"ApplicationSessionKey", "101112131415161718191A1B1C1D1E1F"},
                {"ApplicationKey", "202122232425262728292A2B2C2D2E2F"},
                {"DeviceAddress", "26011BDA"},
                {"Class", "A"},
                {"DiagTimeOut", "60000"},
                {"RX2_Datarate", ""},
                {"Mnemonic", "m"}},
               Over);
}

Attrs Without(Attrs A, const std::string& Name) {
  std::erase_if(A, [&](const auto& kv) { return kv.first == Name; });
  return A;
}

Attrs Up(const Attrs& Over = {}) {
  return Merge({{"Enable", "Y"}, {"Port", "10"}, {"StartBit", "1"}, {"NumberBits", "2"}, {"PositionBit", "3"},
                {"Mnemonic", "m"}},
               Over);
}

Attrs Down(const Attrs& Over = {}) {
  return Merge({{"Enable", "Y"}, {"Port", "20"}, {"StartBit", "4"}, {"NumberBits", "5"}, {"OnChange", "N"},
                {"OnCommand", "N"}, {"OnTimer", "N"}, {"Time", "0"}, {"PositionBit", "6"}, {"Mnemonic", "m"}},
               Over);
}

struct DeviceXml {
  Attrs A;
  std::vector<Attrs> Ups;
  std::vector<Attrs> Downs;
};

std::string Device_Element(const DeviceXml& D) {
  std::string up, down;
  for (const Attrs& r : D.Ups) up += Element("Rule", r);
  for (const Attrs& r : D.Downs) down += Element("Rule", r);
  return Element("LoRaWAN_Device", D.A,
                 Element("LoRaWAN_Rules", {},
                         Element("LoRaWAN_UpLink_Rules", {}, up) + Element("LoRaWAN_DownLink_Rules", {}, down)));
}

class BankLoRaWANTest : public BankTest {
 protected:
  void Write_LoRaWAN(const std::vector<DeviceXml>& Devices) {
    std::string list;
    for (const DeviceXml& d : Devices) list += Device_Element(d);
    Write("LoRaWAN_Gateway.xml", "<LoRaWAN_Gateway>" + Element("LoRaWAN_Devices_List", {}, list) +
                                     "</LoRaWAN_Gateway><!--SW_VERSION = 1.000-->");
  }
  Bytes Field(size_t At, size_t N) const { return Bytes(bank2.begin() + At, bank2.begin() + At + N); }
  size_t Rule(int i) const { return H + 36 + size_t(U32(bank2, H)) * 96 + size_t(i) * 24; }
};

}  // namespace

TEST_F(BankLoRaWANTest, HeaderFromTheCommunicationParameters) {
  Write_ParGen({{"LoRaWAN_RF_Band", "US915"},
                {"LoRaWAN_RX2_Datarate", " sf10bw500 "},
                {"LoRaWAN_Diagostic_Position", "1200"},
                {"LoRaWAN_Frequency_Sub_Band", "2"}});
  Write_LoRaWAN({{Device_Attrs(), {}, {}}});
  Build();
  EXPECT_EQ(U32(bank2, H + 0), 1u);
  EXPECT_EQ(U32(bank2, H + 8), 0x86024u);
  EXPECT_EQ(U32(bank2, H + 12), 0x86024u + 96);
  EXPECT_EQ(U32(bank2, H + 20), 0x1111u);
  EXPECT_EQ(Field(H + 24, 4), (Bytes{1, 10, 0, 0}));
  EXPECT_EQ(U32(bank2, H + 28), 1200u);
  EXPECT_EQ(Field(H + 32, 4), (Bytes{2, 0, 0, 0}));
}

TEST_F(BankLoRaWANTest, DeviceRecordLayout) {
  Write_ParGen({{"LoRaWAN_RX2_Datarate", "SF10BW125"}});
  Write_LoRaWAN({{Device_Attrs({{"DeviceName", "a-very-long-device-name"}}), {}, {}}});
  Build();
  const size_t d = Dev(0);
  EXPECT_EQ(Field(d + 0, 8), (Bytes{0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11, 0x00}));  // first pair in byte 7
  EXPECT_EQ(Field(d + 8, 8), (Bytes{0xFF, 0xEE, 0xDD, 0xCC, 0xBB, 0xAA, 0x99, 0x88}));
  EXPECT_EQ(Text_At(bank2, d + 16, 16), "a-very-long-devi");
  EXPECT_EQ(Field(d + 32, 16), (Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(bank2[d + 48], 0x10);
  EXPECT_EQ(bank2[d + 64], 0x20);
  EXPECT_EQ(bank2[d + 79], 0x2F);
  EXPECT_EQ(Field(d + 80, 4), (Bytes{0xDA, 0x1B, 0x01, 0x26}));  // first pair in byte 83
  EXPECT_EQ(U32(bank2, d + 84), 0x20u);
  EXPECT_EQ(U32(bank2, d + 88), 60000u);
  EXPECT_EQ(Field(d + 92, 4), (Bytes{2, 0, 0, 0}));  // empty RX2 text: the header's data rate
}

TEST_F(BankLoRaWANTest, DeviceOptionsAndDownlinkDataRate) {
  struct Case {
    const char* cls;
    const char* activation;
    const char* rx2;
    uint32_t options;
    uint8_t dl;
  } cases[] = {
      {"C", "Over-the-Air Activation [OTAA]", "SF9BW125", 0x122, 3},
      {"C", "  over-the-air activation [otaa] ", "sf7bw250", 0x122, 6},
      {"A", "Over-the-Air Activation [OTAA]", "SF9BW500", 0x120, 5},  // a US915 name in EU868
      {"c", "Activation by Personalization [ABP]", "unknown", 0x20, 5},
      {"", "", "SF12BW125", 0x20, 0},
  };
  std::vector<DeviceXml> devices;
  for (const Case& c : cases)
    devices.push_back({Device_Attrs({{"Class", c.cls}, {"ActivationMethod", c.activation}, {"RX2_Datarate", c.rx2}}), {}, {}});
  devices.push_back({Without(Without(Device_Attrs(), "Class"), "RX2_Datarate"), {}, {}});
  Write_ParGen({{"LoRaWAN_RX2_Datarate", "SF7BW125"}});
  Write_LoRaWAN(devices);
  Build();
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(U32(bank2, Dev(int(i)) + 84), cases[i].options);
    EXPECT_EQ(bank2[Dev(int(i)) + 92], cases[i].dl);
  }
  EXPECT_EQ(U32(bank2, Dev(5) + 84), 0x20u);  // missing class: A
  EXPECT_EQ(bank2[Dev(5) + 92], 5);          // missing data rate: the header's
}

TEST_F(BankLoRaWANTest, HexTextsArePaddedAndNeverLeaveTheirField) {
  Write_LoRaWAN({{Device_Attrs({{"DeviceEUI", "11223344556677"},          // 14 digits
                                {"JoinEUI", "0102030405060708090A"},      // 20 digits
                                {"NetworkSessionKey", "zz0102"},           // not hex, short
                                {"DeviceAddress", "123456789ABC"},
                                {"ApplicationSessionKey", " 101112131415161718191a1b1c1d1e1f "},
                                {"ApplicationKey", std::string(40, 'F')}}),
                  {},
                  {}}});
  Build();
  const size_t d = Dev(0);
  EXPECT_EQ(Field(d + 0, 8), (Bytes{0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11, 0x00}));
  EXPECT_EQ(Field(d + 8, 8), (Bytes{0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01}));
  EXPECT_EQ(Field(d + 32, 16), (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x02}));
  EXPECT_EQ(Field(d + 48, 16), (Bytes{0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B,
                                      0x1C, 0x1D, 0x1E, 0x1F}));  // blanks around the digits, lower case
  EXPECT_EQ(Field(d + 64, 16), Bytes(16, 0xFF));
  EXPECT_EQ(Field(d + 80, 4), (Bytes{0x78, 0x56, 0x34, 0x12}));
  EXPECT_EQ(U32(bank2, d + 84), 0x20u);  // options untouched by the long address
}

TEST_F(BankLoRaWANTest, DisabledDevicesContributeNothing) {
  Write_LoRaWAN({{Device_Attrs(), {Up()}, {}},
                 {Device_Attrs({{"Enable", "N"}}), {Up(), Up()}, {Down()}},
                 {Device_Attrs({{"Enable", "y"}}), {Up()}, {}},
                 {Without(Device_Attrs(), "Enable"), {Up()}, {}},
                 {Device_Attrs({{"DeviceName", "second"}}), {Up({{"Port", "77"}})}, {Down()}}});
  Build();
  EXPECT_EQ(U32(bank2, H + 0), 2u);
  EXPECT_EQ(U32(bank2, H + 4), 3u);
  EXPECT_EQ(Slot_Text(bank2, Dev(1) + 16, 16), "second");
  EXPECT_EQ(U16(bank2, Rule(0)), 0);
  EXPECT_EQ(U16(bank2, Rule(1)), 1);
  EXPECT_EQ(U16(bank2, Rule(1) + 2), 77);
  EXPECT_EQ(U16(bank2, Rule(2)), 1);
}

TEST_F(BankLoRaWANTest, UplinkRuleRecordAndTestBytes) {
  Write_LoRaWAN({{Device_Attrs(),
                  {Up({{"StartTest", "3"}, {"LenTest", "2"}, {"HexTest", "Y"}, {"ValueTest", "ABC"}}),
                   Up({{"Enable", " y "}, {"StartTest", ""}, {"LenTest", "x"}, {"HexTest", "N"}, {"ValueTest", "AB"}}),
                   Up({{"Port", "abc"}, {"HexTest", " y"}, {"ValueTest", "0g1F"}}),
                   Up({{"Enable", "N"}})},
                  {}}});
  Build();
  ASSERT_EQ(U32(bank2, H + 4), 3u);
  const size_t r = Rule(0);
  EXPECT_EQ(U16(bank2, r + 0), 0);
  EXPECT_EQ(U16(bank2, r + 2), 10);
  EXPECT_EQ(U16(bank2, r + 4), 3);
  EXPECT_EQ(U16(bank2, r + 6), 2);
  EXPECT_EQ(U32(bank2, r + 12), 0u);
  EXPECT_EQ(U16(bank2, r + 16), 1);
  EXPECT_EQ(U16(bank2, r + 18), 3);
  EXPECT_EQ(U16(bank2, r + 20), 2);
  EXPECT_EQ(U16(bank2, r + 22), 0);
  // Empty or non-numeric test positions mean "none"; so does a port that is not a number.
  EXPECT_EQ(U16(bank2, Rule(1) + 4), 0xFFFF);
  EXPECT_EQ(U16(bank2, Rule(1) + 6), 0xFFFF);
  EXPECT_EQ(U16(bank2, Rule(2) + 2), 0xFFFF);
  EXPECT_EQ(U16(bank2, Rule(2) + 4), 0xFFFF);

  const size_t tests = Rule(3);
  const uint32_t tests_address = B + uint32_t(tests - H);
  EXPECT_EQ(U32(bank2, r + 8), tests_address);
  EXPECT_EQ(U32(bank2, Rule(1) + 8), tests_address + 2);
  EXPECT_EQ(U32(bank2, Rule(2) + 8), tests_address + 4);
  EXPECT_EQ(Field(tests, 6), (Bytes{0x0A, 0xBC, 0x41, 0x42, 0x00, 0x1F}));
  EXPECT_EQ(U32(bank2, H + 16), tests_address + 6);
}

TEST_F(BankLoRaWANTest, DownlinkRuleRecord) {
  Write_LoRaWAN({{Device_Attrs(),
                  {},
                  {Down({{"OnTimer", "Y"}, {"Time", "5000"}}),
                   Down({{"OnChange", " y"}, {"OnCommand", "Y"}, {"Time", "later"}, {"Port", "0x21"}})}}});
  Build();
  const size_t r = Rule(0);
  EXPECT_EQ(U16(bank2, r + 2), 20);
  EXPECT_EQ(U16(bank2, r + 4), 0);
  EXPECT_EQ(U16(bank2, r + 6), 0);
  EXPECT_EQ(U32(bank2, r + 8), U32(bank2, H + 16));  // where its (empty) test data would start
  EXPECT_EQ(U32(bank2, r + 12), 5000u);
  EXPECT_EQ(U16(bank2, r + 16), 4);
  EXPECT_EQ(U16(bank2, r + 18), 6);
  EXPECT_EQ(U16(bank2, r + 20), 5);
  EXPECT_EQ(U16(bank2, r + 22), 0xC);
  EXPECT_EQ(U16(bank2, Rule(1) + 2), 0x21);
  EXPECT_EQ(U32(bank2, Rule(1) + 12), 0u);
  EXPECT_EQ(U16(bank2, Rule(1) + 22), 0xB);
}

TEST_F(BankLoRaWANTest, AddressesOfTwoDevicesAndThreeRules) {
  Write_LoRaWAN({{Device_Attrs(), {Up({{"HexTest", "Y"}, {"ValueTest", "0102"}}), Up()}, {}},
                 {Device_Attrs(), {Up({{"ValueTest", "abcd"}})}, {}}});
  Build();
  EXPECT_EQ(U32(bank2, H + 12), B + 228);
  EXPECT_EQ(U32(bank2, Rule(0) + 8), B + 300);
  EXPECT_EQ(U32(bank2, Rule(1) + 8), B + 302);
  EXPECT_EQ(U32(bank2, Rule(2) + 8), B + 302);
  EXPECT_EQ(U32(bank2, H + 16), B + 306);
  EXPECT_EQ(std::string(bank2.begin() + H + 306, bank2.begin() + H + 307), "{");
}

TEST_F(BankLoRaWANTest, Bank2LengthAndTail) {
  for (const char* band : {"EU868", "US915"}) {
    Write_ParGen({{"LoRaWAN_RF_Band", band}});
    Write_LoRaWAN({{Device_Attrs(), {Up({{"ValueTest", "xyz"}}), Up()}, {Down()}},
                   {Device_Attrs(), {}, {Down(), Down()}},
                   {Device_Attrs(), {}, {}}});
    Build();
    SCOPED_TRACE(band);
    const size_t text = bank2.size() - (H + 36 + 3 * 96 + 5 * 24 + 3) - 2;
    std::string conf(bank2.end() - int(text) - 2, bank2.end() - 2);
    EXPECT_EQ(conf.front(), '{');
    EXPECT_EQ(conf.back(), '}');
    EXPECT_EQ(std::count(conf.begin(), conf.end(), '\n'), band == std::string("EU868") ? 124 : 112);
    EXPECT_EQ(bank2[bank2.size() - 2], 0x0A);
    EXPECT_EQ(bank2[bank2.size() - 1], 0x00);
    EXPECT_EQ(std::count(conf.begin(), conf.end(), 0x0D), 0);
    EXPECT_EQ(int32_t(bank2.size()), Bank2_Length);
  }
}

TEST_F(BankLoRaWANTest, EndNodeModeTakesItsIdentityFromTheParameters) {
  Write_ParGen({{"LoRaWAN_Mode", "End Node"},
                {"LoRaWAN_Server_Address", "ignored.example"},
                {"LoRaWAN_Adaptive_DataRate", "1"},
                {"LoRaWAN_Transmission_Type", "Confirmed"},
                {"LoRaWAN_Join_EUI", "0102030405060708"},
                {"LoRaWAN_Activation_Method", "Activation by Personalization [ABP]"},
                {"LoRaWAN_Device_Address", "A1B2C3D4"},
                {"LoRaWAN_Network_Session_Key", "000102030405060708090A0B0C0D0E0F"},
                {"LoRaWAN_Application_Session_Key", "F0"},
                {"LoRaWAN_Application_Key", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
                {"LoRaWAN_Class", " c "}});
  // Every device element is taken in end-node mode, enabled or not, without its attributes.
  Write_LoRaWAN({{{{"Enable", "N"}}, {Up()}, {}}});
  Build();
  EXPECT_EQ(U32(bank2, H + 20), 0x2100u);
  EXPECT_EQ(Field(H + 26, 2), (Bytes{1, 1}));
  ASSERT_EQ(U32(bank2, H + 0), 1u);
  const size_t d = Dev(0);
  EXPECT_EQ(Field(d + 0, 8), Bytes(8, 0));
  EXPECT_EQ(Field(d + 8, 8), (Bytes{8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(Field(d + 16, 16), Bytes(16, 0));
  EXPECT_EQ(bank2[d + 32 + 15], 0x0F);
  EXPECT_EQ(bank2[d + 48 + 15], 0xF0);
  EXPECT_EQ(Field(d + 64, 16), Bytes(16, 0));  // ABP: no application key
  EXPECT_EQ(Field(d + 80, 4), (Bytes{0xD4, 0xC3, 0xB2, 0xA1}));
  EXPECT_EQ(U32(bank2, d + 84), 0x22u);
  EXPECT_EQ(U32(bank2, d + 88), 0u);
  EXPECT_EQ(U32(bank2, H + 4), 1u);
  std::string conf(bank2.begin() + U32(bank2, H + 16) - B + H, bank2.end());
  EXPECT_EQ(conf.find("ignored.example"), std::string::npos);
}

TEST_F(BankLoRaWANTest, DiagnosticTimeOutCoversTheUnsignedRange) {
  struct Case {
    const char* text;
    uint32_t timeout;
  } cases[] = {{"4294967295", 0xFFFFFFFFu}, {"2147483648", 0x80000000u}, {"4294967296", 0},
               {"1000", 1000},             {"x", 0},                    {"", 0},
               {"-1", 0},                  {"0x10", 16}};
  std::vector<DeviceXml> devices;
  for (const Case& c : cases) devices.push_back({Device_Attrs({{"DiagTimeOut", c.text}}), {}, {}});
  Write_LoRaWAN(devices);
  Build();
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(U32(bank2, Dev(int(i)) + 88), cases[i].timeout) << cases[i].text;
}

TEST_F(BankLoRaWANTest, BrokenFilesEndTheBuild) {
  struct Case {
    const char* what;
    std::string xml;
  };
  auto file = [](const std::string& Devices) {
    return "<LoRaWAN_Gateway><LoRaWAN_Devices_List>" + Devices + "</LoRaWAN_Devices_List></LoRaWAN_Gateway>";
  };
  const std::vector<Case> cases = {
      {"no root", "<Other><LoRaWAN_Devices_List/></Other>"},
      {"no device list", "<LoRaWAN_Gateway/>"},
      {"no rules section", file(Element("LoRaWAN_Device", Device_Attrs()))},
      {"device without its EUI", file(Device_Element({Without(Device_Attrs(), "DeviceEUI"), {}, {}}))},
      {"up-link rule without StartBit", file(Device_Element({Device_Attrs(), {Without(Up(), "StartBit")}, {}}))},
      {"up-link rule with a text size", file(Device_Element({Device_Attrs(), {Up({{"NumberBits", "two"}})}, {}}))},
      {"down-link rule without Time", file(Device_Element({Device_Attrs(), {}, {Without(Down(), "Time")}}))},
      {"down-link rule with a text port", file(Device_Element({Device_Attrs(), {}, {Down({{"Port", "p"}})}}))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Write("LoRaWAN_Gateway.xml", c.xml);
    EXPECT_ANY_THROW(Build_Bin_Banks());
    EXPECT_FALSE(Bin_Banks_Ready());
  }
  // A disabled rule or device is still checked for nothing but its Enable.
  Write("LoRaWAN_Gateway.xml", file(Device_Element({Device_Attrs(), {{{"Enable", "N"}}}, {{{"Enable", "N"}}}}) +
                                    Element("LoRaWAN_Device", {{"Enable", "N"}},
                                            Element("LoRaWAN_Rules", {}, "<LoRaWAN_UpLink_Rules/><LoRaWAN_DownLink_Rules/>"))));
  EXPECT_NO_THROW(Build_Bin_Banks());
  // A device the image does not take is not asked for its rules, so lacking them is no error;
  // a taken one lacking any of the three sections still ends the build.
  Write("LoRaWAN_Gateway.xml", file(Device_Element({Device_Attrs(), {Up()}, {}}) +
                                    Element("LoRaWAN_Device", {{"Enable", "N"}}) +
                                    Element("LoRaWAN_Device", {{"Enable", "N"}}, Element("LoRaWAN_Rules", {}))));
  EXPECT_NO_THROW(Build_Bin_Banks());
  EXPECT_TRUE(Bin_Banks_Ready());
  Write("LoRaWAN_Gateway.xml",
        file(Element("LoRaWAN_Device", Device_Attrs(), Element("LoRaWAN_Rules", {}, "<LoRaWAN_UpLink_Rules/>"))));
  EXPECT_ANY_THROW(Build_Bin_Banks());
  EXPECT_FALSE(Bin_Banks_Ready());
}

TEST_F(BankLoRaWANTest, MissingAttributeIsReportedWithItsPlace) {
  Write_LoRaWAN({{Device_Attrs(), {Up(), Without(Up(), "PositionBit")}, {}}});
  try {
    Build_Bin_Banks();
    FAIL() << "no error";
  } catch (const ETableFileMissingAttribute& e) {
    EXPECT_EQ(e.Section(), u"LoRaWAN_UpLink_Rules");
    EXPECT_EQ(e.Row(), 2);
    EXPECT_EQ(e.Attribute(), u"PositionBit");
  }
}

TEST_F(BankLoRaWANTest, ConfigurationThatDoesNotFitIsRefusedWhole) {
  const size_t n = 480000;
  Write_LoRaWAN({{Device_Attrs(), {Up({{"ValueTest", std::string(n, 'x')}})}, {}}});
  Build();  // an earlier, good image
  const Bytes good2 = bank2;
  const int64_t text = int64_t(good2.size() - (H + 36 + 96 + 24 + n));

  Write_LoRaWAN({{Device_Attrs(), {Up({{"ValueTest", std::string(n, 'x')}}), Up({{"ValueTest", std::string(50000, 'y')}})}, {}}});
  try {
    Build_Bin_Banks();
    ADD_FAILURE() << "no refusal";
  } catch (const EBankOverflow& e) {
    EXPECT_NE(e.Message().find(u"bank 2 would need " + IntToStr(int64_t(H + 36 + 96 + 48 + n + 50000) + text) +
                               u" bytes, only 524288 are available"),
              String::npos)
        << StringToUtf8(e.Message());
  }
  EXPECT_FALSE(Bin_Banks_Ready());
  EXPECT_EQ(Bank2_Length, 0);
  EXPECT_FALSE(Write_Bin_Files());
  EXPECT_EQ(Read_File(dir_ / "bin" / "bank2.bin"), good2);

  // Exactly full still fits; one byte more does not.
  const int64_t room = 524288 - int64_t(H) - 36 - 96 - 24 - text;
  Write_LoRaWAN({{Device_Attrs(), {Up({{"ValueTest", std::string(size_t(room), 'x')}})}, {}}});
  Build();
  EXPECT_EQ(bank2.size(), 524288u);
  Write_LoRaWAN({{Device_Attrs(), {Up({{"ValueTest", std::string(size_t(room) + 1, 'x')}})}, {}}});
  EXPECT_THROW(Build_Bin_Banks(), EBankOverflow);
}

TEST_F(BankLoRaWANTest, CommunicationParametersReachTheHeaderAndTheConfigurationText) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> keys;
    Bytes header_20_36;  // opzioni_funzionamento .. spare
    std::vector<std::string> lines;
  } cases[] = {
      {"root only",
       {},
       {0x11, 0x11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0},
       {"        \"lorawan_public\": false,", "        \"server_address\": \"eu1.cloud.thethings.network\",",
        "        \"serv_port_up\": 1780,", "        \"serv_port_down\": 1780,", "        \"keepalive_interval\": 10,"}},
      {"texts as typed, band and mode compared exactly",
       {{"LoRaWAN_Mode", "END NODE "},
        {"LoRaWAN_RF_Band", "us915"},
        {"LoRaWAN_Network_Type", " public "},
        {"LoRaWAN_Server_Address", " ns.example "},
        {"LoRaWAN_Server_Port_Up", "1700"},
        {"LoRaWAN_Server_Port_Down", ""},
        {"LoRaWAN_KeepAlive_Interval", "30"},
        {"LoRaWAN_Adaptive_DataRate", "1"},
        {"LoRaWAN_Transmission_Type", "Confirmed"},
        {"LoRaWAN_RX2_Datarate", "SF8BW125"},
        {"LoRaWAN_Diagostic_Position", "258"},
        {"LoRaWAN_Frequency_Sub_Band", "x"}},
       {0x11, 0x11, 0, 0, 0, 4, 0, 0, 2, 1, 0, 0, 1, 0, 0, 0},
       {"        \"lorawan_public\": true,", "        \"server_address\": \" ns.example \",",
        "        \"serv_port_up\": 1700,", "        \"serv_port_down\": ,", "        \"keepalive_interval\": 30,"}},
      {"end node: server keys not read",
       {{"LoRaWAN_Mode", "end node"},
        {"LoRaWAN_RF_Band", "US915"},
        {"LoRaWAN_Server_Address", "ns.example"},
        {"LoRaWAN_KeepAlive_Interval", "30"},
        {"LoRaWAN_Adaptive_DataRate", "x"},
        {"LoRaWAN_Transmission_Type", "confirmed"},
        {"LoRaWAN_RX2_Datarate", "SF8BW500"},
        {"LoRaWAN_Frequency_Sub_Band", "3"}},
       {0x00, 0x21, 0, 0, 1, 12, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0},
       {"        \"lorawan_public\": false,", "        \"server_address\": \"eu1.cloud.thethings.network\",",
        "        \"keepalive_interval\": 10,", "        \"gateway_ID\": \"AA555A0000000000\","}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Write_ParGen(c.keys);
    Build();
    EXPECT_EQ(Field(H + 20, 16), c.header_20_36);
    const std::string conf(bank2.begin() + (U32(bank2, H + 16) - B + H), bank2.end());
    for (const std::string& line : c.lines) EXPECT_NE(conf.find("\n" + line + "\n"), std::string::npos) << line;
  }
}

TEST_F(BankLoRaWANTest, EndNodeIdentityIsNotInheritedFromAnEarlierBuild) {
  Write_LoRaWAN({{{{"Enable", "Y"}}, {}, {}}});
  Write_ParGen({{"LoRaWAN_Mode", "End Node"},
                {"LoRaWAN_Activation_Method", "Activation by Personalization [ABP]"},
                {"LoRaWAN_Device_Address", "A1B2C3D4"},
                {"LoRaWAN_Network_Session_Key", "11"},
                {"LoRaWAN_Application_Key", "22"}});
  Build();
  EXPECT_EQ(Field(Dev(0) + 80, 4), (Bytes{0xD4, 0xC3, 0xB2, 0xA1}));
  EXPECT_EQ(bank2[Dev(0) + 32 + 15], 0x11);
  EXPECT_EQ(Field(Dev(0) + 64, 16), Bytes(16, 0));

  // Over the air the device address and session keys are not read; none of the earlier ones
  // may reach the new image.
  Write_ParGen({{"LoRaWAN_Mode", "End Node"},
                {"LoRaWAN_Activation_Method", " over-the-air activation [otaa]"},
                {"LoRaWAN_Device_Address", "A1B2C3D4"},
                {"LoRaWAN_Network_Session_Key", "11"},
                {"LoRaWAN_Application_Key", "22"}});
  Build();
  EXPECT_EQ(Field(Dev(0) + 80, 4), Bytes(4, 0));
  EXPECT_EQ(Field(Dev(0) + 32, 16), Bytes(16, 0));
  EXPECT_EQ(bank2[Dev(0) + 64 + 15], 0x22);
  EXPECT_EQ(U32(bank2, Dev(0) + 84), 0x120u);
}
