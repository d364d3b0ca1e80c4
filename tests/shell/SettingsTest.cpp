#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "ShellTestSupport.h"
#include "platform/SysUtils.h"
#include "platform/testing/FailingWrites.h"
#include "shell/UComon.h"
#include "shell/USettings.h"

using shelltest::ReadBytes;
using shelltest::WriteBytes;

namespace {

struct Settings {
  std::string Project, Ip, Language;
  bool Internet, Update, Jump, AutoSize;
  bool operator==(const Settings&) const = default;
};

Settings Current() {
  return {StringToUtf8(Project_Name), StringToUtf8(Last_IP_Address), StringToUtf8(Language_Name),
          Opt_Enable_Internet, Opt_Enable_Update, Opt_Jump_Field_Tables, Opt_Double_Click_Auto_Size};
}

void PrintTo(const Settings& s, std::ostream* os) {
  *os << "{" << s.Project << ", " << s.Ip << ", " << s.Language << ", " << s.Internet << s.Update << s.Jump
      << s.AutoSize << "}";
}

const Settings kDefaults{"", "192.168.2.205", "English", false, false, false, false};

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    shelltest::ResetState(dir_.Folder());
    // Values a read must overwrite.
    Project_Name = u"stale";
    Project_Folder = u"/stale";
    Last_IP_Address = u"1.1.1.1";
    Language_Name = u"Klingon";
    Opt_Enable_Internet = Opt_Enable_Update = Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = true;
  }
  std::filesystem::path File() const { return dir_ / "Kelvane.xml"; }
  TScratchFolder dir_;
};

TEST_F(SettingsFile, WrittenByteForByteAsTheExample) {
  Project_Name = u"Plant1";
  Last_IP_Address = u"192.168.2.205";
  Language_Name = u"English";
  Opt_Enable_Internet = true;
  Opt_Enable_Update = true;
  Opt_Jump_Field_Tables = false;
  Opt_Double_Click_Auto_Size = false;
  Save_Setting();
  EXPECT_EQ(ReadBytes(File()), ReadBytes(shelltest::Fixture("Kelvane_example.xml")));
}

TEST_F(SettingsFile, MissingFileGivesDefaults) {
  Read_Settings();
  EXPECT_EQ(Current(), kDefaults);
  EXPECT_TRUE(Project_Folder.empty());
}

TEST_F(SettingsFile, MalformedFileGivesDefaults) {
  const char* const kBad[] = {"", "<Conf_Settings><lastproj>", "not xml at all", "\xFF\xFE<\0"};
  for (const char* bytes : kBad) {
    SCOPED_TRACE(bytes);
    SetUp();
    WriteBytes(File(), bytes);
    Read_Settings();
    EXPECT_EQ(Current(), kDefaults);
  }
}

// A file as read, and the settings it gives; every key falls back on its own.
struct ReadCase {
  const char* Name;
  const char* Xml;
  Settings Expected;
};

const ReadCase kReads[] = {
    {"complete",
     "<Conf_Settings><lastproj><projectname>Plant1</projectname></lastproj><lastipadd><ipaddress>10.0.0.9"
     "</ipaddress></lastipadd><lastlang><language>Deutsch</language></lastlang><lastinternet><enable_internet>1"
     "</enable_internet><enable_update>1</enable_update><enable_jump_field_tables>1</enable_jump_field_tables>"
     "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>",
     {"Plant1", "10.0.0.9", "Deutsch", true, true, true, true}},
    {"no lastinternet group",
     "<Conf_Settings><lastproj><projectname>P</projectname></lastproj><lastlang><language>Italiano</language>"
     "</lastlang></Conf_Settings>",
     {"P", "192.168.2.205", "Italiano", false, false, false, false}},
    {"other order, extra elements, declaration and comment first",
     "<?xml version=\"1.0\"?><!-- c --><Whatever><extra>1</extra><lastinternet><Double_Click_Auto_Size>1"
     "</Double_Click_Auto_Size><enable_internet>1</enable_internet></lastinternet><lastipadd><ipaddress>x.y"
     "</ipaddress><more/></lastipadd></Whatever>",
     {"", "x.y", "English", true, false, false, true}},
    {"flags other than exactly 1 are off",
     "<Conf_Settings><lastinternet><enable_internet>true</enable_internet><enable_update> 1</enable_update>"
     "<enable_jump_field_tables>01</enable_jump_field_tables><Double_Click_Auto_Size>yes</Double_Click_Auto_Size>"
     "</lastinternet></Conf_Settings>",
     {"", "192.168.2.205", "English", false, false, false, false}},
    {"empty elements and a leaf holding elements",
     "<Conf_Settings><lastproj><projectname/></lastproj><lastipadd><ipaddress><a>1</a></ipaddress></lastipadd>"
     "<lastlang><language></language></lastlang><lastinternet><enable_internet/></lastinternet></Conf_Settings>",
     {"", "192.168.2.205", "", false, false, false, false}},
    {"names are case-sensitive",
     "<Conf_Settings><LastProj><projectname>P</projectname></LastProj><lastinternet>"
     "<double_click_auto_size>1</double_click_auto_size></lastinternet></Conf_Settings>",
     {"", "192.168.2.205", "English", false, false, false, false}},
};

TEST_F(SettingsFile, ReadCaseTable) {
  for (const ReadCase& c : kReads) {
    SCOPED_TRACE(c.Name);
    SetUp();
    WriteBytes(File(), c.Xml);
    Read_Settings();
    EXPECT_EQ(Current(), c.Expected);
  }
}

TEST_F(SettingsFile, RoundTripKeepsEveryValue) {
  const Settings kSamples[] = {
      {"Plant 2 \xC3\xA4<&>\"", "not an address", "Fran\xC3\xA7" "ais", true, false, true, false},
      {"", "192.168.2.205", "English", false, true, false, true},
  };
  for (const Settings& s : kSamples) {
    Project_Name = Utf8ToString(s.Project);
    Last_IP_Address = Utf8ToString(s.Ip);
    Language_Name = Utf8ToString(s.Language);
    Opt_Enable_Internet = s.Internet;
    Opt_Enable_Update = s.Update;
    Opt_Jump_Field_Tables = s.Jump;
    Opt_Double_Click_Auto_Size = s.AutoSize;
    Save_Setting();
    const std::string firstBytes = ReadBytes(File());
    SetUp();
    Read_Settings();
    EXPECT_EQ(Current(), s);
    Save_Setting();
    EXPECT_EQ(ReadBytes(File()), firstBytes);
  }
}

TEST_F(SettingsFile, WriteFailureIsRaised) {
  // A folder in the file's place cannot be replaced by the file, whoever runs the test.
  std::filesystem::create_directories(File());
  EXPECT_THROW(Save_Setting(), EInOutError);
}

TEST_F(SettingsFile, SizeLimitKeepsThePreviousFile) {
  Project_Name = u"Plant1";
  Save_Setting();
  const std::string old = ReadBytes(File());
  Project_Name = String(2000, u'p');
  const TChildValues v = RunWithFileSizeLimit(1024, [&] {
    const std::string error = ErrorOf([] { Save_Setting(); });
    return TChildValues{error, ReadBytes(File())};
  });
  ASSERT_EQ(v.size(), 2u);
  EXPECT_NE(v[0].find("Cannot write the settings file"), std::string::npos) << v[0];
  EXPECT_NE(v[0].find("\"" + File().string() + "\": writing failed (File too large)."), std::string::npos) << v[0];
  EXPECT_EQ(v[1], old);
}

}  // namespace
