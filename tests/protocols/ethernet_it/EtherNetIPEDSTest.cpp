// The EDS connection reader: the line scanner (comments, continuation lines, keys, sections, line
// breaks and encodings), the decoding of one entry (fields, header formats, instance segments and
// connection points), and the data-path check.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/testing/ScratchFolder.h"
#include "protocols/ethernet_it/UEtherNetIP_EDS_Decode.h"

namespace {

// An entry whose name, help string and path are given; the connection parameters put 4 in bits
// 8 to 10 and 0 in bits 12 to 14.
std::string Entry(const std::string& Path, const std::string& Name = "\"Exclusive Owner\"",
                  const std::string& Help = "\"Help\"", const std::string& Params = "0x44240405") {
  return "0x04010002, " + Params + ", Param1, 32, Assem100, Param2, 32, Assem101, , , , , " + Name + ", " + Help +
         ", \"" + Path + "\";";
}

const std::string kCommonPath = "20 04 24 80 2C 96 2C 64";

struct TPathCase {
  const char* Path;
  bool Usable;
  int InstanceOT, ConnPointOT, InstanceTO, ConnPointTO;
};

}  // namespace

TEST(EDSDecodeTest, PathsGiveInstancesAndConnectionPointsOrAreRefused) {
  const TPathCase cases[] = {
      {"20 04 24 80 2C 96 2C 64", true, 128, 150, 128, 100},
      {"20 04 24 01 2C 65", false, 0, 0, 0, 0},
      {"20 04 24 01 2C 65 2C", false, 0, 0, 0, 0},
      {"20 04 24 05 2C 70 24 06 2C 71", true, 5, 112, 6, 113},
      {"20 04 24 05 2C 70 24 06", false, 0, 0, 0, 0},
      // A 16-bit instance after its pad byte, low byte first.
      {"20 04 25 00 2C 01 2C 96 2C 64", true, 300, 150, 300, 100},
      // A 32-bit one likewise, usable up to 65535.
      {"20 04 26 00 2C 01 00 00 2C 96 2C 64", true, 300, 150, 300, 100},
      {"20 04 26 00 FF FF 00 00 2C 96 2C 64", true, 65535, 150, 65535, 100},
      {"20 04 26 00 00 00 01 00 2C 96 2C 64", false, 0, 0, 0, 0},
      {"20 04 25 00 2C 01", false, 0, 0, 0, 0},
      {"20 04 26 00 2C 01 00", false, 0, 0, 0, 0},
      // No instance segment: instance 1, the connection points searched from the third byte.
      {"20 04 2C 96 2C 64", true, 1, 150, 1, 100},
      {"21 04 24 80 2C 96 2C 64", false, 0, 0, 0, 0},
      {"20 04 24 80 2C", false, 0, 0, 0, 0},
      // Parameter references, prefixed numbers and values above FF are no path bytes.
      {"20 04 [Param3] 24 80 0x20 2C 100 96 2C 64", true, 128, 150, 128, 100},
      {"  20   04 24\t80 2c 96 2C 64  ", true, 128, 150, 128, 100},
  };
  for (const TPathCase& k : cases) {
    SCOPED_TRACE(k.Path);
    TConnData d;
    d.ConnIndex = 7;
    ASSERT_EQ(Decode_EDS_Connection(String(Utf8ToString(Entry(k.Path))), d), k.Usable);
    if (!k.Usable) {
      EXPECT_EQ(d.InstanceOT, 30);  // untouched
      continue;
    }
    EXPECT_EQ(d.ConnIndex, 7);
    EXPECT_EQ(d.InstanceOT, k.InstanceOT);
    EXPECT_EQ(d.ConnPointOT, k.ConnPointOT);
    EXPECT_EQ(d.InstanceTO, k.InstanceTO);
    EXPECT_EQ(d.ConnPointTO, k.ConnPointTO);
    EXPECT_EQ(d.NumClass, 0);
  }
}

TEST(EDSDecodeTest, FieldsSplitOnlyOutsideQuotationMarks) {
  TConnData d;
  ASSERT_TRUE(Decode_EDS_Connection(Utf8ToString(Entry(kCommonPath, "\"Owner, main; one\"", "\"a $ b\"")), d));
  EXPECT_EQ(d.ConnName, u"\"Owner, main; one\"");
  EXPECT_EQ(d.HelpStr, u"\"a $ b\"");
  EXPECT_EQ(d.DimHeaderOT, 4);
  EXPECT_EQ(d.DimHeaderTO, 0);
  EXPECT_EQ(d.InstanceOT, 128);

  ASSERT_TRUE(Decode_EDS_Connection(Utf8ToString(Entry(kCommonPath, "N", "H", "0x00003200")), d));
  EXPECT_EQ(d.DimHeaderOT, 2);
  EXPECT_EQ(d.DimHeaderTO, 3);
  ASSERT_TRUE(Decode_EDS_Connection(Utf8ToString(Entry(kCommonPath, "N", "H", "Param9")), d));
  EXPECT_EQ(d.DimHeaderOT, 7);
  EXPECT_EQ(d.DimHeaderTO, 7);

  // Fourteen fields, or no closing ";", are no entry.
  EXPECT_FALSE(Decode_EDS_Connection(
      u"0x04010002, 0x44240405, , , , , , , , , , \"N\", \"H\", \"20 04 24 80 2C 96 2C 64\";", d));
  std::string open = Entry(kCommonPath);
  open.pop_back();
  EXPECT_FALSE(Decode_EDS_Connection(Utf8ToString(open), d));
}

namespace {

class EDSFileTest : public ::testing::Test {
 protected:
  String Write(const std::string& Name, const std::string& Bytes) {
    const auto path = folder_ / Name;
    std::ofstream(path, std::ios::binary) << Bytes;
    return Utf8ToString(path.string());
  }
  TScratchFolder folder_{"eds_reader"};
};

std::string Lines(const std::vector<std::string>& L, const std::string& Eol) {
  std::string s;
  for (const std::string& l : L) s += l + Eol;
  return s;
}

// Windows-1252 of a UTF-8 text that holds only ASCII and "ü".
std::string Ansi(std::string Text) {
  for (size_t at; (at = Text.find("\xC3\xBC")) != std::string::npos;) Text.replace(at, 2, "\xFC");
  return Text;
}

bool Same(const TConnData& A, const TConnData& B) {
  return A.ConnIndex == B.ConnIndex && A.ConnName == B.ConnName && A.HelpStr == B.HelpStr &&
         A.DimHeaderTO == B.DimHeaderTO && A.DimHeaderOT == B.DimHeaderOT && A.NumClass == B.NumClass &&
         A.InstanceTO == B.InstanceTO && A.ConnPointTO == B.ConnPointTO && A.InstanceOT == B.InstanceOT &&
         A.ConnPointOT == B.ConnPointOT;
}

}  // namespace

TEST_F(EDSFileTest, AnEntryOverSeveralLinesWithCommentsReadsAsItsOneLineForm) {
  // The name stands on a line of its own, holds the word Connection and a comma.
  const std::string name = "\"Listen Only Connection, D\xC3\xBCsseldorf\"";
  const std::vector<std::string> oneLine = {"[Device]", "ProdName = \"Node\";", "[Connection Manager]",
                                            "Connection1 = " + Entry(kCommonPath, name)};
  const std::vector<std::string> spread = {"$ an adapter",
                                           "[Device]",
                                           "  ProdName = \"Connection Node\";  $ not in the section",
                                           "[Connection Manager]",
                                           "  Object_Name = \"Connection Manager Object\";  $ holds the word",
                                           "  Object_Class_Code = 0x06;",
                                           "  Connection1 =",
                                           "    0x04010002,      $ trigger and transport",
                                           "    0x44240405,      $ connection parameters",
                                           "    Param1, 32, Assem100,   $ O > T",
                                           "    Param2, 32, Assem101,   $ T > O",
                                           "    ,,  $ configuration part 1",
                                           "    ,,",
                                           "    " + name + ",",
                                           "    \"Help\",",
                                           "    \"" + kCommonPath + "\";  $ path, \"quoted\"",
                                           "  Revision = 1;",
                                           "[Params]"};
  for (const char* eol : {"\r\n", "\n"}) {
    for (bool ansi : {false, true}) {
      SCOPED_TRACE(std::string(eol[0] == '\n' ? "LF" : "CR LF") + (ansi ? ", Windows-1252" : ", UTF-8"));
      auto bytes = [&](const std::vector<std::string>& L) { return ansi ? Ansi(Lines(L, eol)) : Lines(L, eol); };
      const std::vector<TConnData> one = Read_EDS_Connections(Write("one.eds", bytes(oneLine)));
      const std::vector<TConnData> many = Read_EDS_Connections(Write("many.eds", bytes(spread)));
      ASSERT_EQ(one.size(), 1u);
      ASSERT_EQ(many.size(), 1u);
      EXPECT_EQ(one[0].ConnName, u"\"Listen Only Connection, D\u00FCsseldorf\"");
      EXPECT_EQ(one[0].HelpStr, u"\"Help\"");
      EXPECT_EQ(one[0].ConnIndex, 1);
      EXPECT_EQ(one[0].InstanceOT, 128);
      EXPECT_EQ(one[0].ConnPointOT, 150);
      EXPECT_EQ(one[0].ConnPointTO, 100);
      EXPECT_TRUE(Same(one[0], many[0]));
    }
  }
}

TEST_F(EDSFileTest, OnlyUsableConnectionKeysOfTheSectionAreListedAndNumberedInOrder) {
  const String file = Write(
      "keys.eds",
      Lines({"Connection9 = " + Entry(kCommonPath),  // before any section
             "[connection manager]",                 // another letter case
             "Connection8 = " + Entry("20 04 24 08 2C 01 2C 02"), "[Connection Manager]",
             "Connection1 = " + Entry("20 04 24 01 2C 65 2C 66"), "Connection2 = " + Entry("20 04 24 01 2C 65"),
             "ConnectionX = " + Entry("20 04 24 09 2C 01 2C 02"), "Connection = " + Entry("20 04 24 09 2C 01 2C 02"),
             "connection3=" + Entry("20 04 24 03 2C 67 2C 68"), "[Params]",
             "Connection4 = " + Entry("20 04 24 09 2C 01 2C 02"), "[Connection Manager]",
             "Connection5 = " + Entry("20 04 24 05 2C 69 2C 6A")},
            "\r\n"));
  const std::vector<TConnData> list = Read_EDS_Connections(file);
  ASSERT_EQ(list.size(), 3u);
  const int instances[] = {1, 3, 5};
  for (size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(list[i].ConnIndex, static_cast<int>(i) + 1);
    EXPECT_EQ(list[i].InstanceOT, instances[i]);
  }
  EXPECT_TRUE(Read_EDS_Connections(Utf8ToString((folder_ / "missing.eds").string())).empty());
}

TEST(EDSDecodeTest, DataPathCheck) {
  const struct {
    const char16_t* Path;
    int Count;
    int Result;
  } cases[] = {{u"20,04,24,80", 4, 0}, {u" 20 , 4 ,FF", 3, 0}, {u"20,04", 3, 2}, {u"20,,04", 2, 1},
               {u"20,100", 2, 1},      {u"0x20,04", 2, 1},     {u"", 0, 1},      {u"2G", 1, 1}};
  for (const auto& k : cases) EXPECT_EQ(Err_Check_Data_Path(k.Path, k.Count), k.Result) << StringToUtf8(k.Path);
}
