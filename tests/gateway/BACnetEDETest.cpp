// EDE files: where the reader finds the data, how it splits a line and which objects it keeps, the
// three text encodings, and the writer's header and lines. python3's csv module reads the same
// files as an independent check of the field positions.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "gateway/BACnetEDE.h"
#include "platform/Encoding.h"
#include "platform/TimeSource.h"
#include "platform/testing/ScratchFolder.h"
#include "tests/gateway/BACnetEdeTestSupport.h"
#include "shell/UComon.h"

using namespace bacnet_ede_test;

namespace {

std::vector<String> EdeStrings(const std::vector<std::string>& Lines) {
  std::vector<String> s;
  for (const std::string& l : Lines) s.push_back(Utf8ToString(l));
  return s;
}

// What the checks compare of an object: name, type, instance, description, commandable, the three
// choices, unit code, present-value default and vendor-specific address.
std::string EdeDescribe(const TBACnet_Var& V) {
  return StringToUtf8(V.object_name) + "|" + std::to_string(V.object_type) + "|" + std::to_string(V.object_instance) +
         "|" + StringToUtf8(V.description) + "|" + (V.commandable ? "C" : "-") + (V.import ? "i" : "-") +
         (V.read ? "r" : "-") + (V.write ? "w" : "-") + "|" + StringToUtf8(V.unit_code) + "|" +
         StringToUtf8(V.present_value_default) + "|" + StringToUtf8(V.vendor_specific_address);
}

std::vector<std::string> EdeRead(const std::vector<std::string>& Lines) {
  std::vector<TBACnet_Var> list;
  Read_EDE_Lines(EdeStrings(Lines), list);
  std::vector<std::string> out;
  for (const TBACnet_Var& v : list) out.push_back(EdeDescribe(v));
  return out;
}

const char* const kEdeCsvProbe = R"PY(
import codecs, csv, sys
data = open(sys.argv[1], 'rb').read()
if data.startswith(codecs.BOM_UTF8):
    text = data[3:].decode('utf-8')
elif data.startswith(codecs.BOM_UTF16_LE):
    text = data[2:].decode('utf-16-le')
else:
    try:
        text = data.decode('utf-8')
    except UnicodeDecodeError:
        text = data.decode('cp1252')
rows = list(csv.reader(text.splitlines(), delimiter=';'))
if sys.argv[2] == 'objects':
    kept = {0, 1, 2, 3, 4, 5, 13, 14, 19, 21, 22, 23, 45, 46, 48}
    for r in rows:
        if len(r) < 16 or r[0].startswith('#'):
            continue
        try:
            t = int(r[3].strip())
        except ValueError:
            continue
        if t in kept:
            print('|'.join(x.strip() for x in (r[2], r[3], r[4], r[5], r[9], r[14])))
else:
    for r in rows:
        print(len(r), '|'.join(r))
)PY";

class EDEFileTest : public ::testing::Test {
 protected:
  void TearDown() override { Project_Name.clear(); }

  String Put(const std::string& Name, const std::string& Bytes) {
    std::ofstream(dir_ / Name, std::ios::binary) << Bytes;
    return dir_.File(Name);
  }
  // python3's reading of a file: "objects" (name, type, instance, description, commandable and
  // unit code of each kept data row) or "rows" (field count and fields of every row).
  std::vector<std::string> Python(const String& File, const char* Mode) {
    std::ofstream(dir_ / "probe.py") << kEdeCsvProbe;
    return Run_Python(dir_ / "probe.py", "'" + StringToUtf8(File) + "' " + Mode);
  }
  // The reader's objects in the probe's "objects" form.
  static std::vector<std::string> AsProbe(const std::vector<TBACnet_Var>& List) {
    std::vector<std::string> out;
    for (const TBACnet_Var& v : List)
      out.push_back(StringToUtf8(v.object_name) + "|" + std::to_string(v.object_type) + "|" +
                    std::to_string(v.object_instance) + "|" + StringToUtf8(v.description) + "|" +
                    (v.commandable ? "Y" : "N") + "|" + StringToUtf8(v.unit_code));
    return out;
  }

  TScratchFolder dir_{"ede_file"};
};

struct EdeReadCase {
  const char* Name;
  std::vector<std::string> Lines;
  std::vector<std::string> Objects;  // EdeDescribe() of each object read
};

}  // namespace

TEST_F(EDEFileTest, WhereTheDataBeginAndWhichLinesBecomeObjects) {
  const std::string av = "AV|2|1|desc|-ir-|62|0|";
  std::vector<std::string> secondMandatory(std::begin(kEdeHeader), std::begin(kEdeHeader) + 5);
  for (const std::string& l : {std::string("# mandatory;mandatory"), kEdeKeynames, EdeObject("first", 2, 9),
                               std::string("# mandatory;again"), kEdeKeynames, EdeObject("AV", 2, 1)})
    secondMandatory.push_back(l);
  std::vector<std::string> upper = EdeFile({EdeObject("AV", 2, 1)});
  upper[6] = "# MANDATORY;MANDATORY";
  std::vector<std::string> line8 = EdeFile({EdeObject("AV", 2, 1)});
  line8[7] = EdeObject("line8", 2, 8);  // a data line in the column-name row is never read
  const std::vector<EdeReadCase> cases = {
      {"#mandatory on line 7: data from line 9", line8, {av}},
      {"# MANDATORY is not recognised", upper, {}},
      {"no mandatory line at all", {"a;b", "c;d", "e", "f", "g", "h", "i", EdeObject("AV", 2, 1)}, {}},
      {"two mandatory lines: two below the second", secondMandatory, {av}},
      {"blank lines skipped", EdeFile({"", EdeObject("AV", 2, 1), "   \t ", EdeObject("B", 5, 2)}),
       {av, "B|5|2|desc|-ir-|62|0|"}},
      {"commandable y is writable, Yes is not",
       EdeFile({EdeObject("AV", 2, 1, " y "), EdeObject("B", 2, 2, "Yes")}),
       {"AV|2|1|desc|Cirw|62|0|", "B|2|2|desc|-ir-|62|0|"}},
      {"vendor-specific address: one field after the unit code, then two",
       EdeFile({EdeObject("AV", 2, 1, "N", "V1;"), EdeObject("B", 2, 2, "N", " V1 ; V2 ;")}),
       {"AV|2|1|desc|-ir-|62|0|V1", "B|2|2|desc|-ir-|62|0|V1 ; V2"}},
      {"device (8) and schedule (17) dropped, the kept types kept",
       EdeFile({EdeObject("dev", 8, 1), EdeObject("sch", 17, 1), EdeObject("ai", 0, 1), EdeObject("pi", 48, 3),
                EdeObject("x", 47, 1), EdeObject("neg", -1, 1), "trailer;;;"}),
       {"ai|0|1|desc|-ir-|62|0|", "pi|48|3|desc|-ir-|62|0|"}},
      {"a short line keeps what a ';' closed", EdeFile({"K;1;short;2;5;"}), {"short|2|5||-ir-|||"}},
  };
  for (const EdeReadCase& k : cases) {
    SCOPED_TRACE(k.Name);
    EXPECT_EQ(EdeRead(k.Lines), k.Objects);
  }
}

TEST_F(EDEFileTest, AFileOfFewerThanSevenLinesIsReported) {
  std::vector<TBACnet_Var> list;
  const std::vector<std::string> six(std::begin(kEdeHeader), std::end(kEdeHeader));
  EXPECT_THROW(Read_EDE_Lines(EdeStrings(six), list), EEDEFileError);
  EXPECT_THROW(Read_EDE_File(Put("six.csv", Ede_Joined(six)), list), EEDEFileError);
  EXPECT_THROW(Read_EDE_File(dir_.File("missing.csv"), list), EEDEFileError);
  EXPECT_TRUE(list.empty());
  // Seven lines are enough to be read (and hold no data).
  std::vector<std::string> seven = six;
  seven.push_back(kEdeMandatory);
  EXPECT_NO_THROW(Read_EDE_Lines(EdeStrings(seven), list));
  EXPECT_TRUE(list.empty());
}

TEST_F(EDEFileTest, UTF8WithBomUTF16LEWithBomAndWindows1252ReadAlike) {
  const std::string text =
      Ede_Joined(EdeFile({EdeObject("Température", 2, 1, "Y", "", "Eau °C"), EdeObject("Pompe", 5, 7, "N", "", "Marche")}));
  const String utf = Utf8ToString(text);
  const String files[] = {Put("bom8.csv", "\xEF\xBB\xBF" + text), Put("bom16.csv", EncodeText(utf, teUTF16LE)),
                          Put("ansi.csv", StringToWin1252(utf))};
  std::vector<std::string> first;
  for (const String& f : files) {
    SCOPED_TRACE(StringToUtf8(f));
    std::vector<TBACnet_Var> list;
    Read_EDE_File(f, list);
    const std::vector<std::string> got = AsProbe(list);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], "Température|2|1|Eau °C|Y|62");
    if (first.empty()) first = got;
    EXPECT_EQ(got, first);
    EXPECT_EQ(Python(f, "objects"), got);
  }
}

TEST_F(EDEFileTest, TheTimestampIsZeroPaddedOnA24HourClock) {
  VirtualClock clock(EncodeDate(2026, 2, 3) + EncodeTime(9, 5, 7, 0));
  clock.Install();
  EXPECT_EQ(Get_EDE_Timestamp(), u"09:05:07 03/02/2026");
  VirtualClock evening(EncodeDate(2027, 12, 31) + EncodeTime(23, 59, 58, 999));
  evening.Install();
  EXPECT_EQ(Get_EDE_Timestamp(), u"23:59:58 31/12/2027");
}

TEST_F(EDEFileTest, TheWriterMatchesTheGoldenFileAndItsOwnReaderAndPython) {
  VirtualClock clock(EncodeDate(2026, 2, 3) + EncodeTime(9, 5, 7, 0));
  clock.Install();
  Project_Name = u"Plant";
  const std::vector<TBACnet_EDE_Obj> objects = {
      {u"AV_1", u"1234", u"Boiler Temp", u"2", u"1", u"Température eau", u"62"},
      {u"BI_7", u"1234", u"Pump", u"3", u"7", u"", u"95"}};
  const String file = dir_.File("export.csv");
  Write_EDE_File(file, objects);
  std::ifstream in(StringToUtf8(file), std::ios::binary), golden(std::string(CONF_FIXTURES) + "/bacnet/export.csv",
                                                                 std::ios::binary);
  std::stringstream a, b;
  a << in.rdbuf();
  b << golden.rdbuf();
  EXPECT_EQ(a.str(), b.str());

  // Read back: the unit code lands in the present-value default, nothing is writable.
  std::vector<TBACnet_Var> list;
  Read_EDE_File(file, list);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(EdeDescribe(list[0]), "Boiler Temp|2|1|Température eau|-ir-||62|");
  EXPECT_EQ(EdeDescribe(list[1]), "Pump|3|7||-ir-||95|");

  const std::vector<std::string> rows = Python(file, "rows");
  ASSERT_EQ(rows.size(), 9u);
  EXPECT_EQ(rows[0], "8 PROJECT_NAME| Brenix--Plant||||||");
  EXPECT_EQ(rows[2], "8 TIMESTAMP_OF_LAST_CHANGE|09:05:07 03/02/2026||||||");
  EXPECT_EQ(rows[6], "8 # keyname|device obj.-instance|object-name|object-type|object-instance|description|unit-code|");
  EXPECT_EQ(rows[7], "8 AV_1|1234|Boiler Temp|2|1|Température eau|62|");
  EXPECT_EQ(rows[8], "8 BI_7|1234|Pump|3|7||95|");
}

TEST_F(EDEFileTest, AnEmptyListWritesExactlyTheSevenHeaderLines) {
  VirtualClock clock(EncodeDate(2026, 2, 3) + EncodeTime(9, 5, 7, 0));
  clock.Install();
  Project_Name = u"Plant";
  const String file = dir_.File("empty.csv");
  Write_EDE_File(file, {});
  std::ifstream in(StringToUtf8(file), std::ios::binary);
  std::stringstream a;
  a << in.rdbuf();
  std::ifstream golden(std::string(CONF_FIXTURES) + "/bacnet/export.csv", std::ios::binary);
  std::string header, line;
  for (int i = 0; i < 7 && std::getline(golden, line); ++i) header += line + "\n";
  EXPECT_EQ(a.str(), header);
  EXPECT_EQ(Python(file, "rows").size(), 7u);
  // A name the code page lacks is written as "?", never as UTF-8.
  Write_EDE_File(file, {{u"K", u"1", u"\u4E2D", u"2", u"1", u"", u""}});
  std::ifstream again(StringToUtf8(file), std::ios::binary);
  std::stringstream b;
  b << again.rdbuf();
  EXPECT_NE(b.str().find("K;1;?;2;1;;;\r\n"), std::string::npos);
}
