#include <gtest/gtest.h>

#include <filesystem>

#include "gateway/USNMP_Trap_Access.h"
#include "platform/Files.h"
#include "platform/testing/ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

const std::string kFixtures = std::string(CONF_FIXTURES) + "/gateway/snmp/";

class SnmpTrapFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = FromPath(dir_ / "SNMP_Trap.xml");
  }

  static std::string ReadAll(const String& path) {
    std::string out;
    ReadFileBytes(path, out);
    return out;
  }

  TScratchFolder dir_{"snmptrap"};
  String path_;
};

void SetRow(TTableData& t, int row, std::initializer_list<const char*> cells) {
  int c = 1;
  for (const char* s : cells) t.SetCell(c++, row, S(s));
}

// The tables the fixture file was written from.
void FillSample(TSNMP_Trap_Tables& t) {
  //                 En   Community  Type      OnChg OnCmd OnTim Time    Pos     Bit  Num    Desc      IP                Conv           Mnemonic
  SetRow(t.Read, 1, {"Y", "public", "Int", "Y", "N", "Y", "1000", "0", "0", "16", "temp", "192.168.1.10", "None", "room"});
  SetRow(t.Read, 2, {"N", "public", "String", "N", "N", "N", "", "2", "3", "", "", "", "Float", ""});
  SetRow(t.Read, 3, {"Y", "private", "String", "N", "Y", "N", " 0x10 ", "4", "0", "4", "label", " 10.0.0.1 ", "Float / 100",
                     "a \"quoted\" <note>"});
  SetRow(t.Read, 4, {"Y", " ", "Int"});  // a blank community ends the table
  SetRow(t.Read, 5, {"Y", "after", "Int"});
  SetRow(t.Write, 1, {"Y", "private", "Int", "10", "0", "32", "setp", "Float * 10", ""});
}

}  // namespace

TEST_F(SnmpTrapFileTest, WritesTheFixtureAndReadsItBack) {
  TSNMP_Trap_Tables t;
  FillSample(t);
  Save_SNMP_Trap_File(path_, t.Read, t.Write);
  std::string golden;
  ASSERT_TRUE(ReadFileBytes(S(kFixtures + "SNMP_Trap.xml"), golden));
  EXPECT_EQ(ReadAll(path_), golden);

  TSNMP_Trap_Tables back;
  ASSERT_TRUE(Load_SNMP_Trap_File(path_, back.Read, back.Write));
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c < SNMP_Read_ColCount; ++c) EXPECT_EQ(back.Read.Cell(c, r), t.Read.Cell(c, r)) << r << "," << c;
  for (int c = 1; c < SNMP_Write_ColCount; ++c) EXPECT_EQ(back.Write.Cell(c, 1), t.Write.Cell(c, 1)) << c;
  // Row 5 was below the blank key: not written, so reset after loading.
  EXPECT_EQ(back.Read.Cell(srCommunity_Name, 5), u"");
  EXPECT_EQ(back.Read.Cell(srEnable, 5), u"Y");
  EXPECT_EQ(back.Read.Cell(0, 5), u"5");
}

TEST_F(SnmpTrapFileTest, EmptyTablesGiveTwoEmptySections) {
  TSNMP_Trap_Tables t;
  Save_SNMP_Trap_File(path_, t.Read, t.Write);
  EXPECT_EQ(ReadAll(path_), "<SNMP_Trap><SNMP_Trap_Read/><SNMP_Trap_Write/></SNMP_Trap><!--SW_VERSION = 1.000-->");
  TSNMP_Trap_File rows;
  ASSERT_TRUE(Read_SNMP_Trap_File(path_, rows));
  EXPECT_TRUE(rows.Read.empty());
  EXPECT_TRUE(rows.Write.empty());
}

TEST_F(SnmpTrapFileTest, MissingAttributesTakeTheColumnDefaults) {
  ASSERT_TRUE(WriteFileBytes(path_,
                             "<SNMP_Trap><SNMP_Trap_Read><row Community_Name=\"c\"/></SNMP_Trap_Read>"
                             "<SNMP_Trap_Write><row Enable=\"N\" Community_Name=\"w\"/></SNMP_Trap_Write></SNMP_Trap>"));
  TSNMP_Trap_Tables t;
  ASSERT_TRUE(Load_SNMP_Trap_File(path_, t.Read, t.Write));
  struct Expect {
    int col;
    const char16_t* text;
  };
  const Expect read[] = {{srEnable, u"Y"},  {srCommunity_Name, u"c"}, {srType, u""},      {srOn_Change, u"N"},
                         {srOn_Command, u"N"}, {srOn_Timer, u"N"},     {srTime, u""},      {srPosition, u""},
                         {srBit, u""},      {srNumBits, u""},         {srDescription, u""}, {srIP_Address, u""},
                         {srConversion, u"None"}, {srMnemonic, u""}};
  for (const Expect& e : read) EXPECT_EQ(t.Read.Cell(e.col, 1), String(e.text)) << e.col;
  EXPECT_EQ(t.Write.Cell(swEnable, 1), u"N");
  EXPECT_EQ(t.Write.Cell(swConversion, 1), u"None");
  EXPECT_EQ(t.Write.Cell(swMnemonic, 1), u"");
}

TEST_F(SnmpTrapFileTest, RowReaderKeepsEveryRowAndTellsTheEnabledOnes) {
  ASSERT_TRUE(WriteFileBytes(path_,
                             "<SNMP_Trap><SNMP_Trap_Read>"
                             "<row Enable=\"Y\" Community_Name=\"\" Description=\"a\"/>"
                             "<row Enable=\"y\" Description=\"b\"/>"
                             "<row Enable=\" Y\" Description=\"c\"/>"
                             "<row Description=\"d\"/>"
                             "<row Enable=\"N\"/>"
                             "</SNMP_Trap_Read><SNMP_Trap_Write/></SNMP_Trap>"));
  TSNMP_Trap_File f;
  ASSERT_TRUE(Read_SNMP_Trap_File(path_, f));
  ASSERT_EQ(f.Read.size(), 5u);
  const bool enabled[] = {true, true, false, false, false};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(SNMP_Trap_Row_Enabled(f.Read[i]), enabled[i]) << i;
  EXPECT_FALSE(f.Read[3].Has(u"Enable"));

  ASSERT_TRUE(WriteFileBytes(path_, "<SNMP_Trap><SNMP_Trap_Read/></SNMP_Trap>"));
  EXPECT_THROW(Read_SNMP_Trap_File(path_, f), ETableFileMissingSection);
  EXPECT_FALSE(Read_SNMP_Trap_File(FromPath(dir_ / "none.xml"), f));
  EXPECT_TRUE(f.Read.empty());
}

TEST_F(SnmpTrapFileTest, LoadStopsAtAMissingWriteSectionKeepingTheReadRows) {
  ASSERT_TRUE(WriteFileBytes(path_, "<SNMP_Trap><SNMP_Trap_Read><row Community_Name=\"kept\"/></SNMP_Trap_Read></SNMP_Trap>"));
  TSNMP_Trap_Tables t;
  EXPECT_THROW(Load_SNMP_Trap_File(path_, t.Read, t.Write), ETableFileMissingSection);
  EXPECT_EQ(t.Read.Cell(srCommunity_Name, 1), u"kept");
}
