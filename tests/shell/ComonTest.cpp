#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "ShellTestSupport.h"
#include "platform/Classes.h"
#include "platform/SysUtils.h"
#include "shell/UComon.h"

using shelltest::WriteBytes;

namespace {

String U(const char* s) { return Utf8ToString(s); }

struct SplitCase {
  const char* Text;
  bool Result;
  const char* Parts[4];  // expected outputs ("?" = left as it was)
};

TEST(CommonChecks, SplitIPAddress) {
  const SplitCase kCases[] = {
      {"192.168.2.205", true, {"192", "168", "2", "205"}},
      {" 192 . 168 .0. 5 ", true, {"192", "168", "0", "5"}},
      {"\t10.0.0.1\r", true, {"10", "0", "0", "1"}},
      {"0.0.0.0", true, {"0", "0", "0", "0"}},
      {"192.168.1", false, {"192", "168", "?", "?"}},
      {"192.168.1.256", false, {"192", "168", "1", "256"}},
      {"a.b.c.d", false, {"a", "b", "c", "d"}},
      {"1.2.3.4.5", false, {"1", "2", "3", "4.5"}},
      {"1.2.3.", false, {"1", "2", "3", ""}},
      {"-1.2.3.4", false, {"-1", "2", "3", "4"}},
      {"1234", false, {"?", "?", "?", "?"}},
      {"", false, {"?", "?", "?", "?"}},
      {"1.", false, {"1", "?", "?", "?"}},
  };
  for (const SplitCase& c : kCases) {
    SCOPED_TRACE(c.Text);
    String p[4] = {u"?", u"?", u"?", u"?"};
    EXPECT_EQ(Split_IP_Address(U(c.Text), p[0], p[1], p[2], p[3]), c.Result);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(StringToUtf8(p[i]), c.Parts[i]) << "part " << i + 1;
  }
}

struct BytesCase {
  const char* Text;
  bool Error;
  int Bytes[4];  // -1 = not written
};

TEST(CommonChecks, IPToBytes) {
  const BytesCase kCases[] = {
      {"", true, {-1, -1, -1, -1}},
      {"1.2.3.4", false, {1, 2, 3, 4}},
      {"10.0.0.7", false, {10, 0, 0, 7}},
      {"1.2.3.400", true, {1, 2, 3, 0}},
      {"10.0.0", true, {10, 0, 0, 0}},
      {"a.2.3.4", true, {0, 2, 3, 4}},
      {"255.255.255.255", false, {255, 255, 255, 255}},
      {"1.2.3.4.5", true, {1, 2, 3, 0}},
      {"7", true, {0, 0, 0, 7}},
  };
  for (const BytesCase& c : kCases) {
    SCOPED_TRACE(c.Text);
    uint8_t b[4] = {99, 99, 99, 99};
    EXPECT_EQ(IP_To_Bytes(U(c.Text), b[0], b[1], b[2], b[3]), c.Error);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(int(b[i]), c.Bytes[i] < 0 ? 99 : c.Bytes[i]) << "byte " << i + 1;
  }
}

struct PortCase {
  const char* Text;
  bool Result;
  int Bytes[4];
  int Port;
};

TEST(CommonChecks, IPPortToBytes) {
  const PortCase kCases[] = {
      {"10.1.2.3:47808", true, {10, 1, 2, 3}, 47808},
      {" 10 . 1 . 2 . 3 : 0 ", true, {10, 1, 2, 3}, 0},
      {"255.255.255.255:65535", true, {255, 255, 255, 255}, 65535},
      {"10.1.2.3", false, {0, 0, 0, 0}, 0},
      {"10.1.2.3:70000", false, {0, 0, 0, 0}, 0},
      {"10.1.2.3:", false, {0, 0, 0, 0}, 0},
      {"10.1.2:80", false, {0, 0, 0, 0}, 0},
      {"10.1.256.3:80", false, {0, 0, 0, 0}, 0},
      {"", false, {0, 0, 0, 0}, 0},
      {"1:2", false, {0, 0, 0, 0}, 0},
  };
  for (const PortCase& c : kCases) {
    SCOPED_TRACE(c.Text);
    uint8_t b[4] = {99, 99, 99, 99};
    uint16_t port = 99;
    EXPECT_EQ(IP_Port_To_Bytes(U(c.Text), b[0], b[1], b[2], b[3], port), c.Result);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(int(b[i]), c.Bytes[i]) << "byte " << i + 1;
    EXPECT_EQ(int(port), c.Port);
  }
}

class LocaleTest : public ::testing::Test {
 protected:
  void TearDown() override { ResetFormatSettings(); }
};

TEST_F(LocaleTest, DecimalSeparatorFromFormatSettings) {
  const struct {
    Char Locale, Expected;
  } kCases[] = {{u'.', u'.'}, {u',', u','}, {u'\u066B', u','}, {u' ', u','}};
  for (const auto& c : kCases) {
    FormatSettings().DecimalSeparator = c.Locale;
    EXPECT_EQ(Get_Decimal_Separator(), c.Expected);
  }
}

TEST_F(LocaleTest, TextToFloat) {
  const struct {
    Char Locale;
    Char Separator;
    const char* Text;
    bool Result;
    float Value;
  } kCases[] = {
      {u',', u',', "1.5", true, 1.5f},
      {u',', u',', "1,5", true, 1.5f},
      {u'.', u'.', "1,5", true, 1.5f},
      {u'.', u'.', "-0.25", true, -0.25f},
      {u'.', u'.', "", false, 1.0f},
      {u'.', u'.', "abc", false, 1.0f},
      {u',', u',', "abc", false, 1.0f},
      {u'.', u'.', "1e39", false, 1.0f},
      // The locale decides the conversion: a "." separator under a "," locale fails.
      {u',', u'.', "1,5", false, 1.0f},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Text);
    FormatSettings().DecimalSeparator = c.Locale;
    float v = -7.0f;
    EXPECT_EQ(Text_To_Float(U(c.Text), c.Separator, v), c.Result);
    EXPECT_FLOAT_EQ(v, c.Value);
  }
}

TEST(CommonChecks, SNMPv3NameMaps) {
  const struct {
    int (*Map)(const String&);
    const char* Text;
    int Expected;
  } kCases[] = {
      {SNMP_Level_From_Text, "Authority NoPrivacy", 1},
      {SNMP_Level_From_Text, "  authority privacy ", 2},
      {SNMP_Level_From_Text, "NoAuthority NoPrivacy", 0},
      {SNMP_Level_From_Text, "", 0},
      {SNMP_Auth_From_Text, " sha", 1},
      {SNMP_Auth_From_Text, "MD5", 0},
      {SNMP_Priv_From_Text, "aes ", 1},
      {SNMP_Priv_From_Text, "DES", 0},
      {SNMP_Level_From_Short_Text, "auth nopriv", 1},
      {SNMP_Level_From_Short_Text, " AUTH PRIV ", 3},
      {SNMP_Level_From_Short_Text, "", -1},
      {SNMP_Level_From_Short_Text, "   ", -1},
      {SNMP_Level_From_Short_Text, "noauth nopriv", 0},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.Map(U(c.Text)), c.Expected) << c.Text;
}

TEST(CommonChecks, CheckSNMPOID) {
  const std::string long128 = "1." + std::string(126, '1');
  const std::string long129 = "1." + std::string(127, '1');
  const struct {
    std::string Text;
    int Code;
  } kCases[] = {
      {"1.3.6.1.4.1", 0},
      {"1", 0},
      {"1.3.4294967295", 0},
      {"1.3.0004294967295", 0},
      {long129, 1},
      {"1.3.a", 2},
      {"1.3 .6", 2},
      {"-1.3", 2},
      {".1.3", 3},
      {"1.3.", 4},
      {".", 3},
      {"1..3", 5},
      {"1.3.4294967296", 6},
      // Arcs that do not convert at all are out of range as well.
      {"1.3.99999999999999999999", 6},
      {long128, 6},
      {"", 6},
  };
  for (const auto& c : kCases) EXPECT_EQ(Check_SNMP_OID(U(c.Text.c_str())), c.Code) << c.Text;
}

TEST(CommonChecks, CheckSNMPUser) {
  const struct {
    const char* Text;
    bool IsUser;
    int Code;
  } kCases[] = {
      {"admin", true, 0},
      {"a", true, 0},
      {"", true, 2},
      {"pass123", false, 2},
      {"pass1234", false, 0},
      {"abcdefghijklmno", true, 0},
      {"abcdefghijklmnop", true, 1},
      {"abcdefghijklmnop", false, 1},
      {"user_name", true, 3},
      {"pass word", false, 3},
      {"p\xC3\xA4sswort1", false, 3},
  };
  for (const auto& c : kCases) EXPECT_EQ(Check_SNMP_User(U(c.Text), c.IsUser), c.Code) << c.Text;
}

TEST(CommonChecks, CheckKNXAddress) {
  const struct {
    const char* Text;
    bool Group, AllowZero;
    int Code;
  } kCases[] = {
      {"1.1.20", false, false, 0},
      {"15.15.255", false, false, 0},
      {" 1 . 1 . 20 ", false, false, 0},
      {"16.1.1", false, false, 1},
      {"1.16.1", false, false, 1},
      {"1.1.256", false, false, 1},
      {"0.0.0", false, false, 1},
      {"0.0.0", false, true, 0},
      {"1.2", false, false, 1},
      {"1.2.3.4", false, false, 1},
      {"1/2", false, false, 1},
      {"1.1/2", false, false, 1},
      {"1.1/2", true, false, 1},
      {"4096", false, false, 0},
      {"4096", true, false, 0},
      {"0", false, true, 1},
      {"0", true, true, 1},
      {"65536", false, false, 1},
      {"65536", true, false, 1},
      // A raw address is converted as typed: blanks may lead, nothing may follow.
      {" 4096", false, false, 0},
      {" 4096", true, false, 0},
      {"4096 ", false, false, 1},
      {"4096 ", true, false, 1},
      {"31/2047", true, false, 0},
      {"31/7/255", true, false, 0},
      {"0/1", true, false, 0},
      {"0/0", true, true, 1},
      {"0/0/0", true, true, 1},
      {"32/1", true, false, 1},
      {"1/2048", true, false, 1},
      {"1/8/1", true, false, 1},
      {"1/1/256", true, false, 1},
      {"1/1/1/1", true, false, 1},
      {"a/b", true, false, 1},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(Check_KNX_Address(U(c.Text), c.Group, c.AllowZero), c.Code)
        << c.Text << (c.Group ? " group" : " individual") << (c.AllowZero ? " zero allowed" : "");
}

TEST(CommonChecks, KNXGroupAddressIsOneWithoutDot) {
  EXPECT_TRUE(Is_KNX_Group_Address(u"1/2/3"));
  EXPECT_TRUE(Is_KNX_Group_Address(u"4096"));
  EXPECT_FALSE(Is_KNX_Group_Address(u"1.1.2"));
}

TEST(CommonChecks, ProtocolNamesOfThisModel) {
  String a = u"x", b = u"y";
  EXPECT_EQ(Get_Protocol_Names(a, b), 1);
  EXPECT_EQ(a, u"SNMP Agent");
  EXPECT_EQ(b, u"");
}

std::vector<std::string> Names(TStringList* list) {
  std::vector<std::string> v;
  for (int i = 0; i < list->Count(); ++i) v.push_back(StringToUtf8(list->Strings(i)));
  return v;
}

TEST(ComPorts, PresentOpenableAndRefusedDevicesAreListed) {
  TScratchFolder dev;
  for (const char* name : {"ttyS0", "ttyS2", "ttyUSB1", "ttyACM0", "ttyS256", "ttyS01", "ttyX1", "tty0"})
    WriteBytes(dev / name, "");
  std::filesystem::create_directories(dev / "ttyS5");  // a folder does not open as a device
  // A device that refuses access counts as present: a protected file for an ordinary user, a
  // write-protected kernel attribute for root (who is not refused by file modes).
  const std::filesystem::path refused = dev / "ttyUSB3";
  if (::geteuid() != 0) {
    WriteBytes(refused, "");
    ::chmod(refused.c_str(), 0);
  } else {
    std::filesystem::create_symlink("/sys/devices/system/cpu/online", refused);
  }
  const int fd = ::open(refused.c_str(), O_RDWR | O_NONBLOCK);
  if (fd >= 0 || (errno != EACCES && errno != EPERM)) {
    if (fd >= 0) ::close(fd);
    GTEST_SKIP() << "cannot make a device that refuses access here";
  }
  std::unique_ptr<TStringList> ports(Find_COM_Ports_In(dev.Folder()));
  EXPECT_EQ(Names(ports.get()), (std::vector<std::string>{"ttyS0", "ttyS2", "ttyUSB1", "ttyUSB3", "ttyACM0"}));
}

TEST(ComPorts, EmptyFolderGivesAnEmptyList) {
  TScratchFolder dev;
  std::unique_ptr<TStringList> ports(Find_COM_Ports_In(dev.Folder()));
  EXPECT_EQ(ports->Count(), 0);
}

}  // namespace
