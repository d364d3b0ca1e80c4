#include <gtest/gtest.h>

#include <filesystem>

#include "gateway/ULoRaWAN_Gateway.h"
#include "platform/Files.h"
#include "platform/testing/ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

const std::string kFixture = std::string(CONF_FIXTURES) + "/gateway/lorawan/LoRaWAN_Gateway.xml";

class LoRaWANFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = FromPath(dir_ / "LoRaWAN_Gateway.xml");
  }

  void Write(const std::string& xml) { ASSERT_TRUE(WriteFileBytes(path_, xml)); }

  TScratchFolder dir_{"lorawan"};
  String path_;
};

// The devices the fixture holds, plus entries after a blank DeviceEUI that are never written.
void FillSample(TDeviceLoRaList& l) {
  TDeviceLoRa& a = *l[0];
  a.SetEnable(true);
  a.SetDeviceEUI(u"70b3d57ed0001234");
  a.SetJoinEUI(u"0000000000000001");
  a.SetDeviceName(u"Sensor A");
  a.SetActMethod(LoRaWAN_Act_ABP);
  a.SetNetSessKey(u"00112233445566778899AABBCCDDEEFF");
  a.SetAppSessKey(u"FFEEDDCCBBAA99887766554433221100");
  a.SetDevAdd(u"26011BDA");
  a.SetClassLoRa(u"C");
  a.SetDiagTimeOut(u"4294967295");
  a.SetRX2Datarate(u"SF9BW125");
  a.SetMnemonic(u"roof & <wall>");
  TRuleLoRa* u1 = a.UpLinkRules.Add();
  u1->SetPort(u"10");
  u1->SetStartTest(u"0");
  u1->SetLenTest(u"2");
  u1->SetHexTest(true);
  u1->SetValueTest(u"01FF");
  u1->SetStartBit(u"2");
  u1->SetNumBits(u"4");
  u1->SetPosBit(u"0");
  u1->SetMnemonic(u"temp");
  a.UpLinkRules.Add()->SetEnable(false);
  TRuleLoRa* d1 = a.DownLinkRules.Add();
  d1->SetPort(u"20");
  d1->SetStartBit(u"0");
  d1->SetNumBits(u"8");
  d1->SetOnChange(true);
  d1->SetOnTimer(true);
  d1->SetTime(u"5000");
  d1->SetPosBit(u"100");
  d1->SetMnemonic(u"out");

  TDeviceLoRa& b = *l[1];
  b.SetEnable(false);
  b.SetDeviceEUI(u" 0004A30B001C0530 ");
  b.SetActMethod(LoRaWAN_Act_OTAA);
  b.SetAppKey(u"2B7E151628AED2A6ABF7158809CF4F3C");

  l[2]->SetDeviceEUI(u"   ");  // ends the list
  l[2]->UpLinkRules.Add()->SetPort(u"1");
  l[3]->SetDeviceEUI(u"1111111111111111");
}

}  // namespace

TEST_F(LoRaWANFileTest, WriterGivesTheFixtureAndTheReaderGivesTheDevicesBack) {
  TDeviceLoRaList list;
  FillSample(list);
  Save_LoRaWAN_Gateway_File(path_, list);
  std::string written, golden;
  ASSERT_TRUE(ReadFileBytes(path_, written));
  ASSERT_TRUE(ReadFileBytes(S(kFixture), golden));
  EXPECT_EQ(written, golden);

  TDeviceLoRaList back;
  FillSample(back);  // whatever the list held before is replaced, not appended to
  ASSERT_TRUE(Load_LoRaWAN_Gateway_File(path_, back, true));
  EXPECT_TRUE(back.LoadComplete());
  EXPECT_EQ(back.LoadedDevices(), 2);
  EXPECT_TRUE(*back[0] == *list[0]);
  EXPECT_TRUE(*back[1] == *list[1]);
  TDeviceLoRa fresh;
  EXPECT_TRUE(*back[2] == fresh);
  EXPECT_TRUE(*back[3] == fresh);
}

TEST_F(LoRaWANFileTest, NoDevicesGiveAnEmptyDeviceList) {
  TDeviceLoRaList list;
  EXPECT_EQ(LoRaWAN_Gateway_Bytes(list),
            "<LoRaWAN_Gateway><LoRaWAN_Devices_List/></LoRaWAN_Gateway><!--SW_VERSION = 1.000-->");
}

TEST_F(LoRaWANFileTest, DisabledDeviceIsWrittenWithAllItsRules) {
  TDeviceLoRaList list(2);
  TDeviceLoRa& d = *list[0];
  d.SetEnable(false);
  d.SetDeviceEUI(u"1");
  d.UpLinkRules.Add()->SetPort(u"7");
  d.DownLinkRules.Add()->SetEnable(false);
  EXPECT_EQ(LoRaWAN_Gateway_Bytes(list),
            "<LoRaWAN_Gateway><LoRaWAN_Devices_List><LoRaWAN_Device Enable=\"N\" DeviceEUI=\"1\" JoinEUI=\"\" "
            "DeviceName=\"\" ActivationMethod=\"\" NetworkSessionKey=\"\" ApplicationSessionKey=\"\" "
            "ApplicationKey=\"\" DeviceAddress=\"\" Class=\"\" DiagTimeOut=\"\" RX2_Datarate=\"\" Mnemonic=\"\">"
            "<LoRaWAN_Rules><LoRaWAN_UpLink_Rules><Rule Enable=\"Y\" Port=\"7\" StartTest=\"\" LenTest=\"\" "
            "HexTest=\"N\" ValueTest=\"\" StartBit=\"\" NumberBits=\"\" PositionBit=\"\" Mnemonic=\"\"/>"
            "</LoRaWAN_UpLink_Rules><LoRaWAN_DownLink_Rules><Rule Enable=\"N\" Port=\"\" StartBit=\"\" "
            "NumberBits=\"\" OnChange=\"N\" OnCommand=\"N\" OnTimer=\"N\" Time=\"\" PositionBit=\"\" "
            "Mnemonic=\"\"/></LoRaWAN_DownLink_Rules></LoRaWAN_Rules></LoRaWAN_Device></LoRaWAN_Devices_List>"
            "</LoRaWAN_Gateway><!--SW_VERSION = 1.000-->");
}

TEST_F(LoRaWANFileTest, ReaderEdgeCases) {
  const std::string dev =
      "DeviceEUI=\"E\" JoinEUI=\"J\" DeviceName=\"N\" ActivationMethod=\"A\" NetworkSessionKey=\"\" "
      "ApplicationSessionKey=\"\" ApplicationKey=\"\" DeviceAddress=\"D\" Mnemonic=\"M\"";
  Write("<Other/><!--x--><LoRaWAN_Gateway><LoRaWAN_Devices_List>"
        "<LoRaWAN_Device Enable=\"y\" " + dev + "><LoRaWAN_Rules><LoRaWAN_UpLink_Rules>"
        "<Rule Enable=\" y \" Port=\"1\" StartBit=\"2\" NumberBits=\"3\" PositionBit=\"4\" Mnemonic=\"m\"/>"
        "</LoRaWAN_UpLink_Rules><LoRaWAN_DownLink_Rules>"
        "<Rule Enable=\"n\" Port=\"5\" StartBit=\"6\" NumberBits=\"7\" OnChange=\"y\" OnCommand=\" Y\" OnTimer=\"N\" "
        "Time=\"8\" PositionBit=\"9\" Mnemonic=\"\"/>"
        "</LoRaWAN_DownLink_Rules></LoRaWAN_Rules></LoRaWAN_Device>"
        "<AnyName " + dev + "><LoRaWAN_Rules><LoRaWAN_UpLink_Rules/><LoRaWAN_DownLink_Rules/></LoRaWAN_Rules></AnyName>"
        "</LoRaWAN_Devices_List></LoRaWAN_Gateway>");
  TDeviceLoRaList l;
  ASSERT_TRUE(Load_LoRaWAN_Gateway_File(path_, l, true));
  EXPECT_EQ(l.LoadedDevices(), 2);
  const TDeviceLoRa& d = *l[0];
  EXPECT_FALSE(d.Enable());  // device Enable is compared exactly
  EXPECT_EQ(d.ClassLoRa(), u"");
  EXPECT_EQ(d.DiagTimeOut(), u"");
  EXPECT_EQ(d.RX2Datarate(), u"");
  ASSERT_EQ(d.UpLinkRules.Count(), 1);
  const TRuleLoRa& u = *d.UpLinkRules[0];
  EXPECT_TRUE(u.Enable());  // rule flags are trimmed and upper-cased
  EXPECT_EQ(u.StartTest(), u"");
  EXPECT_EQ(u.LenTest(), u"");
  EXPECT_FALSE(u.HexTest());
  EXPECT_EQ(u.ValueTest(), u"");
  EXPECT_EQ(u.PosBit(), u"4");
  const TRuleLoRa& dn = *d.DownLinkRules[0];
  EXPECT_FALSE(dn.Enable());
  EXPECT_TRUE(dn.OnChange());
  EXPECT_TRUE(dn.OnCMD());
  EXPECT_FALSE(dn.OnTimer());
  EXPECT_FALSE(l[1]->Enable());  // no Enable attribute
  EXPECT_EQ(l[1]->DeviceEUI(), u"E");

  // End-node mode reads the first device only.
  TDeviceLoRaList one;
  ASSERT_TRUE(Load_LoRaWAN_Gateway_File(path_, one, false));
  EXPECT_EQ(one.LoadedDevices(), 1);
  EXPECT_EQ(one[1]->DeviceEUI(), u"");
}

TEST_F(LoRaWANFileTest, ReadFailuresStopTheLoadAndMarkItIncomplete) {
  const std::string dev =
      "Enable=\"Y\" DeviceEUI=\"E\" JoinEUI=\"J\" DeviceName=\"N\" ActivationMethod=\"A\" NetworkSessionKey=\"\" "
      "ApplicationSessionKey=\"\" ApplicationKey=\"\" DeviceAddress=\"D\" Mnemonic=\"M\"";
  const std::string good = "<LoRaWAN_Device " + dev +
                           "><LoRaWAN_Rules><LoRaWAN_UpLink_Rules/><LoRaWAN_DownLink_Rules/></LoRaWAN_Rules>"
                           "</LoRaWAN_Device>";
  auto file = [](const std::string& devices) {
    return "<LoRaWAN_Gateway><LoRaWAN_Devices_List>" + devices + "</LoRaWAN_Devices_List></LoRaWAN_Gateway>";
  };
  struct Case {
    const char* name;
    std::string xml;
    const char* missing;  // attribute or element named by the error
    int loaded;           // devices read completely before the failure
  };
  const Case cases[] = {
      {"downlink rule without Time",
       file(good + "<LoRaWAN_Device " + dev +
            "><LoRaWAN_Rules><LoRaWAN_UpLink_Rules/><LoRaWAN_DownLink_Rules>"
            "<Rule Enable=\"Y\" Port=\"1\" StartBit=\"0\" NumberBits=\"1\" OnChange=\"N\" OnCommand=\"N\" "
            "OnTimer=\"N\" PositionBit=\"0\" Mnemonic=\"\"/></LoRaWAN_DownLink_Rules></LoRaWAN_Rules></LoRaWAN_Device>"),
       "Time", 1},
      {"device without Mnemonic", file(good + "<LoRaWAN_Device Enable=\"Y\" DeviceEUI=\"E\" JoinEUI=\"J\" "
                                              "DeviceName=\"N\" ActivationMethod=\"A\" NetworkSessionKey=\"\" "
                                              "ApplicationSessionKey=\"\" ApplicationKey=\"\" DeviceAddress=\"D\"/>"),
       "Mnemonic", 1},
      {"uplink rule without Port",
       file(good + "<LoRaWAN_Device " + dev +
            "><LoRaWAN_Rules><LoRaWAN_UpLink_Rules><Rule Enable=\"Y\" StartBit=\"0\" NumberBits=\"1\" "
            "PositionBit=\"0\" Mnemonic=\"\"/></LoRaWAN_UpLink_Rules><LoRaWAN_DownLink_Rules/></LoRaWAN_Rules>"
            "</LoRaWAN_Device>"),
       "Port", 1},
      {"no downlink section",
       file(good + "<LoRaWAN_Device " + dev + "><LoRaWAN_Rules><LoRaWAN_UpLink_Rules/></LoRaWAN_Rules></LoRaWAN_Device>"),
       "LoRaWAN_DownLink_Rules", 1},
      {"no rules element", file(good + "<LoRaWAN_Device " + dev + "/>"), "LoRaWAN_Rules", 1},
      {"no device list", "<LoRaWAN_Gateway/>", "LoRaWAN_Devices_List", 0},
      {"no root", "<SNMP_Trap/>", "LoRaWAN_Gateway", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Write(c.xml);
    TDeviceLoRaList l;
    try {
      Load_LoRaWAN_Gateway_File(path_, l, true);
      ADD_FAILURE() << "no error";
    } catch (const ETableFileMissingAttribute& e) {
      EXPECT_EQ(e.Attribute(), S(c.missing));
    } catch (const ETableFileMissingSection& e) {
      EXPECT_EQ(e.Section(), S(c.missing));
    }
    EXPECT_FALSE(l.LoadComplete());
    EXPECT_EQ(l.LoadedDevices(), c.loaded);
    EXPECT_EQ(l[0]->DeviceEUI(), c.loaded ? u"E" : u"");
  }

  Write("<LoRaWAN_Gateway><LoRaWAN_Devices_List>");
  TDeviceLoRaList l;
  EXPECT_THROW(Load_LoRaWAN_Gateway_File(path_, l, true), ETableFileMalformed);
  EXPECT_FALSE(l.LoadComplete());
}

TEST_F(LoRaWANFileTest, MoreDevicesThanTheListHoldsIsAReadFailure) {
  std::string devices;
  for (int i = 0; i < 4; ++i)
    devices += "<LoRaWAN_Device Enable=\"Y\" DeviceEUI=\"" + std::to_string(i) +
               "\" JoinEUI=\"\" DeviceName=\"\" ActivationMethod=\"\" NetworkSessionKey=\"\" "
               "ApplicationSessionKey=\"\" ApplicationKey=\"\" DeviceAddress=\"\" Mnemonic=\"\">"
               "<LoRaWAN_Rules><LoRaWAN_UpLink_Rules/><LoRaWAN_DownLink_Rules/></LoRaWAN_Rules></LoRaWAN_Device>";
  Write("<LoRaWAN_Gateway><LoRaWAN_Devices_List>" + devices + "</LoRaWAN_Devices_List></LoRaWAN_Gateway>");
  TDeviceLoRaList l(3);
  EXPECT_THROW(Load_LoRaWAN_Gateway_File(path_, l, true), ETableFileTooManyRows);
  EXPECT_EQ(l.LoadedDevices(), 3);
  EXPECT_EQ(l[2]->DeviceEUI(), u"2");
  EXPECT_FALSE(l.LoadComplete());
}

TEST_F(LoRaWANFileTest, MissingFile) {
  TDeviceLoRaList gw;
  EXPECT_FALSE(Load_LoRaWAN_Gateway_File(path_, gw, true));
  EXPECT_TRUE(gw.LoadComplete());
  EXPECT_EQ(gw[0]->DeviceEUI(), u"");
  TDeviceLoRaList node;
  EXPECT_FALSE(Load_LoRaWAN_Gateway_File(path_, node, false));
  EXPECT_EQ(node[0]->DeviceEUI(), u"0001020304050607");
  std::vector<TLoRaWAN_File_Device> raw;
  EXPECT_FALSE(Read_LoRaWAN_Gateway_File(path_, raw));
  EXPECT_TRUE(raw.empty());
}

TEST_F(LoRaWANFileTest, RawReaderGivesEveryDeviceWithThePresentAttributes) {
  std::vector<TLoRaWAN_File_Device> raw;
  ASSERT_TRUE(Read_LoRaWAN_Gateway_File(S(kFixture), raw));
  ASSERT_EQ(raw.size(), 2u);
  EXPECT_EQ(raw[0].Attrs.Value(u"DiagTimeOut"), u"4294967295");
  EXPECT_EQ(raw[0].Attrs.Attrs.size(), LoRaWAN_Device_Attributes().size());
  ASSERT_EQ(raw[0].UpLinkRules.size(), 2u);
  EXPECT_EQ(raw[0].UpLinkRules[0].Value(u"ValueTest"), u"01FF");
  ASSERT_EQ(raw[0].DownLinkRules.size(), 1u);
  EXPECT_EQ(raw[0].DownLinkRules[0].Value(u"Time"), u"5000");
  EXPECT_EQ(raw[1].Attrs.Value(u"Enable"), u"N");
  EXPECT_TRUE(raw[1].UpLinkRules.empty());

  Write("<LoRaWAN_Gateway><LoRaWAN_Devices_List><D Enable=\"Y\"><LoRaWAN_Rules><LoRaWAN_UpLink_Rules>"
        "<Rule Port=\"1\"/></LoRaWAN_UpLink_Rules><LoRaWAN_DownLink_Rules/></LoRaWAN_Rules></D>"
        "</LoRaWAN_Devices_List></LoRaWAN_Gateway>");
  ASSERT_TRUE(Read_LoRaWAN_Gateway_File(path_, raw));
  ASSERT_EQ(raw.size(), 1u);
  EXPECT_FALSE(raw[0].Attrs.Has(u"DeviceEUI"));
  EXPECT_FALSE(raw[0].UpLinkRules[0].Has(u"Enable"));
  // Missing rule sections are noted per device; only a reader that needs them fails.
  Write("<LoRaWAN_Gateway><LoRaWAN_Devices_List><D/><D><LoRaWAN_Rules><LoRaWAN_UpLink_Rules/></LoRaWAN_Rules></D>"
        "</LoRaWAN_Devices_List></LoRaWAN_Gateway>");
  ASSERT_TRUE(Read_LoRaWAN_Gateway_File(path_, raw));
  ASSERT_EQ(raw.size(), 2u);
  EXPECT_EQ(raw[0].MissingRulesSection, u"LoRaWAN_Rules");
  EXPECT_EQ(raw[1].MissingRulesSection, u"LoRaWAN_DownLink_Rules");
  Write("<LoRaWAN_Gateway/>");
  EXPECT_THROW(Read_LoRaWAN_Gateway_File(path_, raw), ETableFileMissingSection);
}

// Devices read one after another keep nothing of the device before: fewer rules, other
// attributes, attributes in another order than the list names them.
TEST_F(LoRaWANFileTest, EachDeviceHasOnlyItsOwnRulesAndAttributes) {
  Write("<LoRaWAN_Gateway><LoRaWAN_Devices_List>"
        "<D Enable=\"Y\" DeviceEUI=\"0011223344556677\" Mnemonic=\"first device\"><LoRaWAN_Rules>"
        "<LoRaWAN_UpLink_Rules><Rule Enable=\"Y\" Port=\"1\" ValueTest=\"ABCDEF0123\"/><Rule Port=\"2\"/>"
        "<Rule Port=\"3\"/></LoRaWAN_UpLink_Rules><LoRaWAN_DownLink_Rules><Rule Time=\"10\"/></LoRaWAN_DownLink_Rules>"
        "</LoRaWAN_Rules></D>"
        "<D Mnemonic=\"m\" Enable=\"N\"><LoRaWAN_Rules><LoRaWAN_UpLink_Rules><Rule Mnemonic=\"x\" Enable=\"N\"/>"
        "</LoRaWAN_UpLink_Rules><LoRaWAN_DownLink_Rules/></LoRaWAN_Rules></D>"
        "<D/></LoRaWAN_Devices_List></LoRaWAN_Gateway>");
  using Attrs = std::vector<std::pair<String, String>>;
  std::vector<TLoRaWAN_File_Device> raw;
  ASSERT_TRUE(Read_LoRaWAN_Gateway_File(path_, raw));
  ASSERT_EQ(raw.size(), 3u);
  EXPECT_EQ(raw[0].Attrs.Attrs, (Attrs{{u"Enable", u"Y"}, {u"DeviceEUI", u"0011223344556677"}, {u"Mnemonic", u"first device"}}));
  ASSERT_EQ(raw[0].UpLinkRules.size(), 3u);
  EXPECT_EQ(raw[0].UpLinkRules[0].Attrs, (Attrs{{u"Enable", u"Y"}, {u"Port", u"1"}, {u"ValueTest", u"ABCDEF0123"}}));
  EXPECT_EQ(raw[0].UpLinkRules[2].Attrs, (Attrs{{u"Port", u"3"}}));
  EXPECT_EQ(raw[0].DownLinkRules[0].Attrs, (Attrs{{u"Time", u"10"}}));
  // Listed in the names' order, whatever the element's order.
  EXPECT_EQ(raw[1].Attrs.Attrs, (Attrs{{u"Enable", u"N"}, {u"Mnemonic", u"m"}}));
  ASSERT_EQ(raw[1].UpLinkRules.size(), 1u);
  EXPECT_EQ(raw[1].UpLinkRules[0].Attrs, (Attrs{{u"Enable", u"N"}, {u"Mnemonic", u"x"}}));
  EXPECT_TRUE(raw[1].DownLinkRules.empty());
  EXPECT_TRUE(raw[1].MissingRulesSection.empty());
  EXPECT_TRUE(raw[2].Attrs.Attrs.empty());
  EXPECT_TRUE(raw[2].UpLinkRules.empty());
  EXPECT_EQ(raw[2].MissingRulesSection, u"LoRaWAN_Rules");
}

TEST_F(LoRaWANFileTest, ParGenSelectsModeAndDataRates) {
  const String pargen = FromPath(dir_ / "ParGen.xml");
  const std::vector<String> eu = {u"SF12BW125", u"SF11BW125", u"SF10BW125", u"SF9BW125",
                                  u"SF8BW125",  u"SF7BW125",  u"SF7BW250",  u""};
  const std::vector<String> us = {u"SF12BW500", u"SF11BW500", u"SF10BW500", u"SF9BW500",
                                  u"SF8BW500",  u"SF7BW500",  u""};
  EXPECT_TRUE(Is_a_Master(pargen));  // no file
  EXPECT_EQ(LoRaWAN_RX2_Datarates(pargen), eu);
  struct Case {
    const char* xml;
    bool master;
    bool us915;
  };
  const Case cases[] = {
      {"<Par_Gen><LoRaWAN_Mode>Gateway</LoRaWAN_Mode><LoRaWAN_RF_Band>US915</LoRaWAN_RF_Band></Par_Gen>", true, true},
      {"<Par_Gen><LoRaWAN_Mode>end node</LoRaWAN_Mode><LoRaWAN_RF_Band>us915</LoRaWAN_RF_Band></Par_Gen>", false, false},
      {"<Par_Gen><LoRaWAN_Mode>END NODE </LoRaWAN_Mode><LoRaWAN_RF_Band> US915</LoRaWAN_RF_Band></Par_Gen>", true, false},
      {"<Par_Gen><LoRaWAN_Mode>End Node</LoRaWAN_Mode></Par_Gen>", false, false},
      {"<Par_Gen/>", true, false},
      {"<Par_Gen>", true, false},  // unreadable: the defaults
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    ASSERT_TRUE(WriteFileBytes(pargen, c.xml));
    EXPECT_EQ(Is_a_Master(pargen), c.master);
    EXPECT_EQ(LoRaWAN_RX2_Datarates(pargen), c.us915 ? us : eu);
  }
}

TEST(LoRaWANDiagTimeOutTest, IsAnUnsigned32BitNumber) {
  struct Case {
    const char* text;
    bool ok;
    uint32_t value;
  };
  const Case cases[] = {{"0", true, 0},          {"4294967295", true, 4294967295u}, {"2147483648", true, 2147483648u},
                        {"4294967296", false, 0}, {"-1", false, 0},                  {"", false, 0},
                        {" 1000", true, 1000},   {"1000 ", false, 0},               {"$FFFFFFFF", true, 4294967295u}};
  for (const Case& c : cases) {
    uint32_t v = 7;
    EXPECT_EQ(LoRaWAN_DiagTimeOut(S(c.text), v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}
