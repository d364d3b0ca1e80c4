// The packet-forwarder configuration text: its lines per band, and its JSON checked by an
// independent parser (python3's json module).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gateway/BankImageLoRaWAN.h"
#include "gateway/PacketForwarderConf.h"
#include "gateway/USaveBincc.h"
#include "platform/testing/ScratchFolder.h"

namespace {

// Removes /* */ comments outside strings, parses the rest as JSON and prints the values the
// configurator puts in, plus a few fixed ones per band.
const char* const Json_Probe = R"PY(
import json, sys
t = open(sys.argv[1], encoding='latin-1').read()
out, i, ins = [], 0, False
while i < len(t):
    c = t[i]
    if ins:
        out.append(c)
        if c == '\\':
            out.append(t[i + 1]); i += 2; continue
        if c == '"':
            ins = False
        i += 1; continue
    if c == '"':
        ins = True; out.append(c); i += 1; continue
    if t.startswith('/*', i):
        i = t.index('*/', i + 2) + 2; continue
    out.append(c); i += 1
d = json.loads(''.join(out))
s, g = d['SX130x_conf'], d['gateway_conf']
print(json.dumps([sorted(d.keys()), s['lorawan_public'], g['server_address'], g['serv_port_up'],
                  g['serv_port_down'], g['keepalive_interval'], s['radio_0']['freq'], g['gateway_ID'],
                  s['chan_FSK']['enable'], len(s['sx1261_conf']['lbt'])]))
)PY";

class PacketForwarderConfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = LoRaWAN_ParGen;
    LoRaWAN_ParGen = Default_LoRaWAN_ParGen();
  }
  void TearDown() override {
    LoRaWAN_ParGen = saved_;
  }

  // The probe's output for the configuration text as the image stores it.
  std::string Probe(const std::vector<String>& Lines) {
    std::string bytes = Conf_File_Bytes(Lines);
    bytes.pop_back();  // the terminating zero
    std::ofstream(dir_ / "conf.json", std::ios::binary) << bytes;
    std::ofstream(dir_ / "probe.py") << Json_Probe;
    std::string cmd = "python3 " + (dir_ / "probe.py").string() + " " + (dir_ / "conf.json").string() + " 2>&1";
    std::string out;
    if (FILE* p = ::popen(cmd.c_str(), "r")) {
      char buf[512];
      while (size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
      ::pclose(p);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
  }

  TLoRaWAN_ParGen saved_;
  TScratchFolder dir_{"pf_conf"};
};

bool Have_Python() { return std::system("python3 -c 'import json' >/dev/null 2>&1") == 0; }

}  // namespace

TEST_F(PacketForwarderConfTest, LinesPerBand) {
  std::vector<String> lines;
  Build_Packet_Forwarder_Conf(lines);
  ASSERT_EQ(lines.size(), 125u);
  EXPECT_EQ(lines[0], u"{");
  EXPECT_EQ(lines[4], u"        \"lorawan_public\": false,");
  EXPECT_EQ(lines[116], u"");
  EXPECT_EQ(lines[124], u"}");
  EXPECT_EQ(lines[95], u"        \"keepalive_interval\": 10,");

  LoRaWAN_ParGen.RF_Band = 1;
  Build_Packet_Forwarder_Conf(lines);
  ASSERT_EQ(lines.size(), 113u);
  EXPECT_EQ(lines[23], u"                \"enable\": false /* LBT for 500 Khz channels is not supported */");
  EXPECT_EQ(lines[24], u"            }");
  EXPECT_EQ(lines[74], u"    },");
  EXPECT_EQ(lines[75], u"");
  EXPECT_EQ(lines[76], u"    \"gateway_conf\": {");

  LoRaWAN_ParGen.RF_Band = 2;
  lines.assign(3, u"old");
  Build_Packet_Forwarder_Conf(lines);
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(Conf_File_Bytes(lines), std::string("\n\0", 2));
}

TEST_F(PacketForwarderConfTest, ValuesAreInsertedAsTyped) {
  LoRaWAN_ParGen.NetworkType = u"true";
  LoRaWAN_ParGen.Server_Add = u"ns.example.org";
  LoRaWAN_ParGen.Server_Port_Up = u"1700";
  LoRaWAN_ParGen.Server_Port_Down = u"1701";
  LoRaWAN_ParGen.KA_Interval = u"10";
  std::vector<String> lines;
  Build_Packet_Forwarder_Conf(lines);
  EXPECT_EQ(lines[4], u"        \"lorawan_public\": true,");
  EXPECT_EQ(lines[91], u"        \"server_address\": \"ns.example.org\",");
  EXPECT_EQ(lines[92], u"        \"serv_port_up\": 1700,");
  EXPECT_EQ(lines[93], u"        \"serv_port_down\": 1701,");
  EXPECT_EQ(lines[95], u"        \"keepalive_interval\": 10,");
}

TEST_F(PacketForwarderConfTest, ImageTextHasNoCarriageReturnAndEndsWithLineFeedAndZero) {
  std::vector<String> lines = {u"a\r", u"", u"b\u010Dc"};
  EXPECT_EQ(Conf_File_Bytes(lines), std::string("a\n\nbc\n\0", 7));
}

TEST_F(PacketForwarderConfTest, TextIsValidJsonWithTheValuesInPlace) {
  if (!Have_Python()) GTEST_SKIP() << "python3 not available";
  struct Case {
    int band;
    String network, server, up, down, keepalive;
    std::string expected;
  } cases[] = {
      {0, u"false", Default_LoRaWAN_Server_Address, u"1780", u"1780", u"10",
       R"([["SX130x_conf", "debug_conf", "gateway_conf"], false, "eu1.cloud.thethings.network", 1780, 1780, 10, 867500000, "DCA632FFFFB3DC2B", true, 3])"},
      {1, u"true", u"ns.example.org", u"1700", u"1701", u"30",
       R"([["SX130x_conf", "debug_conf", "gateway_conf"], true, "ns.example.org", 1700, 1701, 30, 904300000, "AA555A0000000000", false, 1])"},
      // A host holding a quote, a backslash, a comment opener and a control character stays a
      // string and comes back unchanged.
      {0, u"false", u"a\"b\\c/*d\te\u00E9", u"1", u"2", u"3",
       R"([["SX130x_conf", "debug_conf", "gateway_conf"], false, "a\"b\\c/*d\te\u00e9", 1, 2, 3, 867500000, "DCA632FFFFB3DC2B", true, 3])"},
  };
  for (const Case& c : cases) {
    LoRaWAN_ParGen.RF_Band = c.band;
    LoRaWAN_ParGen.NetworkType = c.network;
    LoRaWAN_ParGen.Server_Add = c.server;
    LoRaWAN_ParGen.Server_Port_Up = c.up;
    LoRaWAN_ParGen.Server_Port_Down = c.down;
    LoRaWAN_ParGen.KA_Interval = c.keepalive;
    std::vector<String> lines;
    Build_Packet_Forwarder_Conf(lines);
    EXPECT_EQ(Probe(lines), c.expected) << "band " << c.band;
  }
}

TEST_F(PacketForwarderConfTest, JsonStringEscape) {
  const std::vector<std::pair<String, String>> cases = {
      {u"plain.host-1", u"plain.host-1"},
      {u"a\"b", u"a\\\"b"},
      {u"a\\b", u"a\\\\b"},
      {u"tab\there", u"tab\\u0009here"},
      {u"\u00E9\u20AC", u"\\u00E9\\u20AC"},
      {u"", u""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(Json_String_Escape(in), out);
}
