#include "platform/IniFiles.h"

#include <gtest/gtest.h>

#include "platform/Classes.h"
#include "platform/Files.h"
#include "platform/testing/ScratchFolder.h"

namespace {

class IniFilesTest : public ::testing::Test {
 protected:
  std::string Bytes() {
    std::string out;
    EXPECT_TRUE(ReadFileBytes(file_, out));
    return out;
  }
  TScratchFolder scratch_{"ini"};
  String dir_ = scratch_.Folder();
  String file_ = PathJoin(dir_, u"settings.ini");
};

TEST_F(IniFilesTest, WritesSectionsWithCrLfAndReadsThemBackCaseBlind) {
  {
    TMemIniFile ini(file_);
    ini.WriteString(u"Main", u"LastProj", u"/home/u/PROJECTS/one");
    ini.WriteInteger(u"Main", u"Count", -12);
    ini.WriteBool(u"Options", u"Beep", true);
    ini.WriteString(u"MAIN", u"lastproj", u"/home/u/PROJECTS/two");  // same key, other case
    EXPECT_FALSE(FileExists(file_));  // nothing written before UpdateFile
    ini.UpdateFile();
  }
  EXPECT_EQ(Bytes(),
            "[Main]\r\nLastProj=/home/u/PROJECTS/two\r\nCount=-12\r\n\r\n"
            "[Options]\r\nBeep=1\r\n\r\n");
  TMemIniFile ini(file_);
  EXPECT_EQ(ini.ReadString(u"main", u"LASTPROJ", u"x"), u"/home/u/PROJECTS/two");
  EXPECT_EQ(ini.ReadInteger(u"Main", u"count", 0), -12);
  EXPECT_TRUE(ini.ReadBool(u"options", u"beep", false));
  EXPECT_EQ(ini.ReadString(u"Main", u"Missing", u"dflt"), u"dflt");
  EXPECT_EQ(ini.ReadString(u"Nowhere", u"LastProj", u"dflt"), u"dflt");
}

TEST_F(IniFilesTest, ReadsHandWrittenFiles) {
  ASSERT_TRUE(WriteFileBytes(file_,
                             "stray=line\n"
                             "; comment\n"
                             "[ General ]\n"
                             "  Name = Gateway One  \n"
                             "empty=\n"
                             "hex=0x1F\n"
                             "dollar=$10\n"
                             "bad=12abc\n"
                             "flag=0\n"
                             "eq=a=b\n"
                             "\n"
                             "[Other]\r\n"
                             "Name=second\r"));
  TMemIniFile ini(file_);
  EXPECT_EQ(ini.ReadString(u"General", u"Name", u""), u"Gateway One");
  EXPECT_EQ(ini.ReadString(u"General", u"empty", u"dflt"), u"");
  EXPECT_EQ(ini.ReadString(u"General", u"eq", u""), u"a=b");
  EXPECT_EQ(ini.ReadString(u"Other", u"Name", u""), u"second");
  EXPECT_FALSE(ini.ValueExists(u"General", u"stray"));

  struct IntCase {
    const char16_t* key;
    int def;
    int expected;
  } ints[] = {{u"hex", 0, 31}, {u"dollar", 0, 16}, {u"bad", 7, 7}, {u"empty", 9, 9}, {u"none", -1, -1}};
  for (const IntCase& c : ints) EXPECT_EQ(ini.ReadInteger(u"General", c.key, c.def), c.expected);
  EXPECT_FALSE(ini.ReadBool(u"General", u"flag", true));
  EXPECT_TRUE(ini.ReadBool(u"General", u"none", true));
  EXPECT_TRUE(ini.ReadBool(u"General", u"hex", false));
}

TEST_F(IniFilesTest, SectionsAndKeysCanBeListedAndRemoved) {
  TMemIniFile ini(file_);
  ini.WriteString(u"A", u"one", u"1");
  ini.WriteString(u"A", u"Two", u"2");
  ini.WriteString(u"B", u"x", u"3");
  EXPECT_TRUE(ini.SectionExists(u"a"));
  EXPECT_FALSE(ini.SectionExists(u"C"));
  EXPECT_TRUE(ini.ValueExists(u"a", u"TWO"));

  TStringList keys;
  ini.ReadSection(u"a", &keys);
  ASSERT_EQ(keys.Count(), 2);
  EXPECT_EQ(keys[0], u"one");
  EXPECT_EQ(keys[1], u"Two");
  TStringList sections;
  ini.ReadSections(&sections);
  EXPECT_EQ(sections.Text(), u"A\r\nB\r\n");

  ini.DeleteKey(u"a", u"ONE");
  EXPECT_FALSE(ini.ValueExists(u"A", u"one"));
  ini.EraseSection(u"b");
  EXPECT_FALSE(ini.SectionExists(u"B"));
  ini.UpdateFile();
  EXPECT_EQ(Bytes(), "[A]\r\nTwo=2\r\n\r\n");
}

TEST_F(IniFilesTest, IniFileWritesThroughAtOnce) {
  TIniFile ini(file_);
  ini.WriteString(u"S", u"k", u"v");
  EXPECT_EQ(Bytes(), "[S]\r\nk=v\r\n\r\n");
  ini.DeleteKey(u"S", u"k");
  EXPECT_EQ(Bytes(), "[S]\r\n\r\n");
  ini.EraseSection(u"S");
  EXPECT_EQ(Bytes(), "");
}

TEST_F(IniFilesTest, KeepsTheFilesEncodingUnlessAValueDoesNotFit) {
  ASSERT_TRUE(WriteFileBytes(file_, "[S]\r\nname=caf\xe9\r\n"));  // Windows-1252
  {
    TMemIniFile ini(file_);
    EXPECT_EQ(ini.ReadString(u"S", u"name", u""), S("caf\xc3\xa9"));
    ini.WriteString(u"S", u"other", S("na\xc3\xafve"));
    ini.UpdateFile();
  }
  EXPECT_EQ(Bytes(), "[S]\r\nname=caf\xe9\r\nother=na\xefve\r\n\r\n");
  {
    TMemIniFile ini(file_);
    ini.WriteString(u"S", u"greek", S("\xce\xa9"));  // not in Windows-1252
    ini.UpdateFile();
  }
  TMemIniFile ini(file_);
  EXPECT_EQ(ini.ReadString(u"S", u"name", u""), S("caf\xc3\xa9"));
  EXPECT_EQ(ini.ReadString(u"S", u"greek", u""), S("\xce\xa9"));
}

TEST_F(IniFilesTest, UnwritableFileRaises) {
  TMemIniFile ini(PathJoin(dir_, u"no/such/folder/x.ini"));
  ini.WriteString(u"S", u"k", u"v");
  EXPECT_THROW(ini.UpdateFile(), EInOutError);
}

}  // namespace
