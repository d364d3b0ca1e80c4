// Bank 2, SNMP agent tables: entries read back from bin/bank2.bin, counts from bin/bank1.bin.
#include <numeric>

#include "tests/gateway/BankTestSupport.h"

using namespace bank_test;

namespace {

constexpr size_t Read_Entry(int i) { return size_t(i) * 48; }
constexpr size_t Write_Entry(int i) { return 12288 + size_t(i) * 48; }

Attrs Read_Row(const std::string& Enable, const std::string& Community, Attrs Extra = {}) {
  Attrs a = {{"Enable", Enable}, {"Community_Name", Community}};
  a.insert(a.end(), Extra.begin(), Extra.end());
  return a;
}

class BankSnmpTest : public BankTest {};

}  // namespace

TEST_F(BankSnmpTest, EnabledRowsFillTheTablesWithoutGapsAndCountsAreCoveredByTheChecksum) {
  Write_SNMP({Read_Row("Y", "first"), Read_Row("N", "second"), Read_Row("y", "third"), Read_Row("", "fourth"),
              {{"Community_Name", "no_enable"}}},
             {Read_Row("Y", "w1")});
  Build();
  EXPECT_EQ(U32(bank1, 1436), 2u);
  EXPECT_EQ(U32(bank1, 1440), 1u);
  EXPECT_EQ(Slot_Text(bank2, Read_Entry(0) + 12, 16), "first");
  EXPECT_EQ(Slot_Text(bank2, Read_Entry(1) + 12, 16), "third");
  EXPECT_EQ(Bytes(bank2.begin() + Read_Entry(2), bank2.begin() + 12288), Bytes(12288 - 96, 0));
  EXPECT_EQ(Slot_Text(bank2, Write_Entry(0) + 12, 16), "w1");
  EXPECT_EQ(U32(bank1, 2044), std::accumulate(bank1.begin(), bank1.begin() + 2044, 0u));
}

TEST_F(BankSnmpTest, ReadEntryFields) {
  Write_SNMP({Read_Row("Y", "c1",
                       {{"Type", "String"}, {"On_Change", "y"}, {"On_Command", "N"}, {"On_Timer", "Y"},
                        {"Time", "1000"}, {"Position", "1439"}, {"Bit", "7"}, {"NumBits", "4"},
                        {"Description", "temp1"}, {"IP_Address", "192.168.1.10"}, {"Conversion", "None"}}),
              Read_Row("Y", "c2", {{"Type", "Int"}, {"NumBits", "16"}, {"IP_Address", ""}}),
              Read_Row("Y", "c3", {{"Type", "int"}}),
              Read_Row("Y", "c4", {{"Type", "Int"}, {"NumBits", "abc"}}),
              Read_Row("Y", "c5", {{"Type", "String"}, {"NumBits", "abc"}})},
             {});
  Build();
  const size_t e = Read_Entry(0);
  EXPECT_EQ(U16(bank2, e + 0), 1439);
  EXPECT_EQ(U16(bank2, e + 2), 7);
  EXPECT_EQ(U16(bank2, e + 4), 32);  // 4 bytes of a string are 32 bits
  EXPECT_EQ(bank2[e + 6], 0);
  EXPECT_EQ(bank2[e + 7], 0x1 | 0x4);
  EXPECT_EQ(U32(bank2, e + 8), 1000u);
  EXPECT_EQ(Slot_Text(bank2, e + 28, 16), "temp1");
  EXPECT_EQ(Bytes(bank2.begin() + e + 44, bank2.begin() + e + 48), (Bytes{0x0A, 0x01, 0xA8, 0xC0}));

  const size_t i = Read_Entry(1);
  EXPECT_EQ(U16(bank2, i + 4), 16);
  EXPECT_EQ(bank2[i + 7], 0x8);
  EXPECT_EQ(U32(bank2, i + 44), 0u);  // no address: no trap receiver

  // Missing attributes keep their cleared fields; a size that is not a number counts as 1.
  const size_t m = Read_Entry(2);
  EXPECT_EQ(bank2[m + 7], 0x8);
  EXPECT_EQ(U16(bank2, m + 4), 0);
  EXPECT_EQ(Slot_Text(bank2, m + 28, 16), "");
  EXPECT_EQ(U16(bank2, Read_Entry(3) + 4), 1);
  EXPECT_EQ(U16(bank2, Read_Entry(4) + 4), 8);
}

TEST_F(BankSnmpTest, WriteEntryIgnoresSendFlagsTimeAndAddress) {
  Write_SNMP({}, {{{"Enable", "Y"}, {"Community_Name", "w"}, {"Type", "String"}, {"On_Timer", "Y"},
                   {"On_Change", "Y"}, {"Time", "1000"}, {"IP_Address", "10.0.0.1"}, {"Position", "5"},
                   {"NumBits", "2"}, {"Conversion", "Float"}}});
  Build();
  const size_t w = Write_Entry(0);
  EXPECT_EQ(U16(bank2, w), 5);
  EXPECT_EQ(U16(bank2, w + 4), 16);
  EXPECT_EQ(bank2[w + 6], 1);
  EXPECT_EQ(bank2[w + 7], 0);
  EXPECT_EQ(U32(bank2, w + 8), 0u);
  EXPECT_EQ(U32(bank2, w + 44), 0u);
}

TEST_F(BankSnmpTest, ConversionCodes) {
  const std::vector<std::pair<std::string, uint8_t>> cases = {
      {"None", 0},         {"Float", 1},         {"float * 10", 2}, {" FLOAT * 100 ", 3},
      {"Float / 10", 4},   {"  float / 100  ", 5}, {"Float*10", 0},  {"", 0}};
  std::vector<Attrs> rows;
  for (const auto& [text, code] : cases) rows.push_back(Read_Row("Y", "c", {{"Conversion", text}}));
  Write_SNMP(rows, rows);
  Build();
  for (size_t k = 0; k < cases.size(); ++k) {
    EXPECT_EQ(bank2[Read_Entry(int(k)) + 6], cases[k].second) << cases[k].first;
    EXPECT_EQ(bank2[Write_Entry(int(k)) + 6], cases[k].second) << cases[k].first;
  }
}

TEST_F(BankSnmpTest, NumbersUseTheSameParseAsTheTableCheck) {
  // What the check accepts reaches the device with the same value; what it refuses gets the
  // field's default.
  struct Case {
    const char* text;
    uint16_t position;
  } cases[] = {{"0x10", 16}, {"$10", 16}, {"  12", 12}, {"12 ", 0}, {"1e2", 0}, {"-1", 0xFFFF}, {"", 0}};
  std::vector<Attrs> rows;
  for (const Case& c : cases)
    rows.push_back(Read_Row("Y", "c", {{"Position", c.text}, {"Bit", c.text}, {"Time", c.text}}));
  Write_SNMP(rows, {});
  Build();
  for (size_t k = 0; k < std::size(cases); ++k) {
    SCOPED_TRACE(cases[k].text);
    EXPECT_EQ(U16(bank2, Read_Entry(int(k))), cases[k].position);
    EXPECT_EQ(U16(bank2, Read_Entry(int(k)) + 2), cases[k].position);
    EXPECT_EQ(U32(bank2, Read_Entry(int(k)) + 8), cases[k].position == 0xFFFF ? 0xFFFFFFFFu : cases[k].position);
  }
}

TEST_F(BankSnmpTest, TrapReceiverAddresses) {
  const std::vector<std::pair<std::string, uint32_t>> cases = {
      {"192.168.1.10", 0xC0A8010A},
      {" 10 . 0 .0. 7 ", 0x0A000007},  // accepted by the table check, so stored as checked
      {"1.2.3.400", 0x01020300},
      {"10.0.0", 0x0A000000},
      {"", 0},
      {"a.b.c.d", 0},
  };
  std::vector<Attrs> rows;
  for (const auto& [text, packed] : cases) rows.push_back(Read_Row("Y", "c", {{"IP_Address", text}}));
  Write_SNMP(rows, {});
  Build();
  for (size_t k = 0; k < cases.size(); ++k) EXPECT_EQ(U32(bank2, Read_Entry(int(k)) + 44), cases[k].second) << cases[k].first;
}

TEST_F(BankSnmpTest, CommunityAndDescriptionStayInsideTheirSlots) {
  Write_SNMP({Read_Row("Y", std::string(15, 'a'), {{"Description", std::string(15, 'd')}}),
              Read_Row("Y", std::string(16, 'b'), {{"Description", std::string(16, 'e')}}),
              Read_Row("Y", std::string(40, 'c'), {{"Description", std::string(40, 'f')}, {"IP_Address", "1.2.3.4"}})},
             {});
  Build();
  EXPECT_EQ(Text_At(bank2, Read_Entry(0) + 12, 16), std::string(15, 'a') + '\0');
  EXPECT_EQ(Text_At(bank2, Read_Entry(1) + 12, 16), std::string(16, 'b'));
  EXPECT_EQ(Text_At(bank2, Read_Entry(1) + 28, 16), std::string(16, 'e'));
  EXPECT_EQ(Text_At(bank2, Read_Entry(2) + 12, 16), std::string(16, 'c'));
  EXPECT_EQ(Text_At(bank2, Read_Entry(2) + 28, 16), std::string(16, 'f'));
  EXPECT_EQ(U32(bank2, Read_Entry(2) + 44), 0x01020304u);
}

TEST_F(BankSnmpTest, RowsBeyond256AreIgnored) {
  std::vector<Attrs> rows;
  for (int i = 0; i < 300; ++i) rows.push_back(Read_Row("Y", "r" + std::to_string(i)));
  Write_SNMP(rows, {Read_Row("Y", "w0")});
  Build();
  EXPECT_EQ(U32(bank1, 1436), 256u);
  EXPECT_EQ(Slot_Text(bank2, Read_Entry(255) + 12, 16), "r255");
  EXPECT_EQ(Slot_Text(bank2, Write_Entry(0) + 12, 16), "w0");
  EXPECT_EQ(U32(bank1, 1440), 1u);
}

TEST_F(BankSnmpTest, FileWithoutASectionEndsTheBuild) {
  Write("SNMP_Trap.xml", "<SNMP_Trap><SNMP_Trap_Read/></SNMP_Trap>");
  EXPECT_ANY_THROW(Build_Bin_Banks());
  EXPECT_FALSE(Bin_Banks_Ready());
  EXPECT_FALSE(Write_Bin_Files());
}

TEST_F(BankSnmpTest, SizesKeepTheLow16BitsOfTheirBitCount) {
  struct Case {
    const char* type;
    const char* size;
    uint16_t bits;
  } cases[] = {{"String", "300000000", 0x1800},  // 2400000000 bits
               {"String", "2147483647", 0xFFF8},
               {"String", "-1", 0xFFF8},
               {"Int", "70000", 4464},
               {"Int", "-1", 0xFFFF}};
  std::vector<Attrs> rows;
  for (const Case& c : cases) rows.push_back(Read_Row("Y", "c", {{"Type", c.type}, {"NumBits", c.size}}));
  Write_SNMP(rows, rows);
  Build();
  for (size_t k = 0; k < std::size(cases); ++k) {
    SCOPED_TRACE(std::string(cases[k].type) + " " + cases[k].size);
    EXPECT_EQ(U16(bank2, Read_Entry(int(k)) + 4), cases[k].bits);
    EXPECT_EQ(U16(bank2, Write_Entry(int(k)) + 4), cases[k].bits);
  }
}
