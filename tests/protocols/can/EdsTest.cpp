// The CANopen EDS writer: the sheet built from PDO_CANopen.xml and SDO_Server_CANopen.xml, its
// time keys, the rows it refuses, and every written sheet checked by an independent reader (python's
// configparser in strict mode and the CiA 306 rules of tests/fixtures/can/eds_rules.py).
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/TimeSource.h"
#include "protocols/can/UEds.h"
#include "tests/gateway/BankTestSupport.h"

namespace {

class EdsTest : public bank_test::BankTest {
 protected:
  void SetUp() override {
    BankTest::SetUp();
    SetTestClock([this] { return now_; });
  }
  void TearDown() override {
    ResetTimeSources();
    BankTest::TearDown();
  }

  // Writes the sheet into the scratch folder under Name and returns its text.
  std::string Sheet(const std::string& Name = "gateway.eds") {
    const std::filesystem::path p = dir_ / Name;
    Create_EDS_File(FromPath(p));
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // The independent reader's verdict on a written sheet: empty when every rule holds.
  std::string Rules(const std::string& Name = "gateway.eds") {
    const std::filesystem::path out = dir_ / "rules.txt";
    const std::string command = "python3 '" + std::string(CONF_FIXTURES) + "/can/eds_rules.py' '" +
                                (dir_ / Name).string() + "' > '" + out.string() + "' 2>&1";
    const int rc = std::system(command.c_str());
    std::ifstream in(out);
    std::stringstream s;
    s << in.rdbuf();
    return rc == 0 ? std::string() : "rules failed: " + s.str();
  }
  // The block of Section: its lines up to the empty line, CR LF removed.
  static std::vector<std::string> Block(const std::string& Text, const std::string& Section) {
    std::vector<std::string> lines;
    const std::string header = "[" + Section + "]\r\n";
    size_t at = Text.rfind(header, 0) == 0 ? 0 : Text.find("\r\n" + header);
    if (at == std::string::npos) return lines;
    at += (at == 0 ? 0 : 2) + header.size();
    for (;;) {
      const size_t end = Text.find("\r\n", at);
      const std::string line = Text.substr(at, end - at);
      if (line.empty()) break;
      lines.push_back(line);
      at = end + 2;
    }
    return lines;
  }
  static bool Has(const std::vector<std::string>& Block, const std::string& Line) {
    return std::find(Block.begin(), Block.end(), Line) != Block.end();
  }
  void Pdo(const std::string& Receive, const std::string& Transmit) {
    Write("PDO_CANopen.xml", "<PDO_CANopen><Receive_PDO>" + Receive + "</Receive_PDO><Transmit_PDO>" + Transmit +
                                 "</Transmit_PDO></PDO_CANopen><!--SW_VERSION = 1.000-->");
  }
  static std::string PdoRow(const std::string& Cob, const std::string& Dim) {
    return "<row COB-ID=\"" + Cob + "\" Dimension=\"" + Dim + "\"/>";
  }
  void Sdo(const std::string& Read, const std::string& Write_Rows) {
    Write("SDO_Server_CANopen.xml", "<SDO_Server_CANopen><SDO_Read>" + Read + "</SDO_Read><SDO_Write>" + Write_Rows +
                                        "</SDO_Write></SDO_Server_CANopen><!--SW_VERSION = 1.000-->");
  }
  static std::string SdoRow(const std::string& Index, const std::string& Sub, const std::string& NByte = "1") {
    return "<row Index=\"" + Index + "\" SubIndex=\"" + Sub + "\" NByte=\"" + NByte + "\"/>";
  }

  static std::string Fixture_Text(const std::string& Name) {
    std::ifstream in(std::string(CONF_FIXTURES) + "/can/" + Name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  TDateTime now_ = EncodeDate(2026, 3, 4) + EncodeTime(9, 7, 0, 0);
};

}  // namespace

TEST_F(EdsTest, WithoutTableFilesTheSheetHoldsTheFixedObjects) {
  const std::string text = Sheet("other_name.eds");
  EXPECT_EQ(text, Fixture_Text("EDS_no_tables.eds"));
  EXPECT_EQ(Rules("other_name.eds"), "");
}

TEST_F(EdsTest, OneReceivePdoGivesItsThreeObjects) {
  Pdo(PdoRow("0x201", "2"), "");
  const std::string text = Sheet();
  EXPECT_TRUE(Has(Block(text, "DeviceInfo"), "NrOfRXPDO=1"));
  const auto optional = Block(text, "OptionalObjects");
  EXPECT_TRUE(Has(optional, "SupportedObjects=11"));
  EXPECT_TRUE(Has(optional, "9=0x1400"));
  EXPECT_TRUE(Has(optional, "10=0x1600"));
  EXPECT_TRUE(Has(optional, "11=0x7000"));
  EXPECT_TRUE(Has(Block(text, "1400sub1"), "DefaultValue=0x00000201"));
  EXPECT_TRUE(Has(Block(text, "1600"), "SubNumber=3"));
  EXPECT_TRUE(Has(Block(text, "1600"), "ParameterName=Receive PDO Mapping Parameter"));
  EXPECT_TRUE(Has(Block(text, "1600sub0"), "DefaultValue=0x02"));
  EXPECT_TRUE(Has(Block(text, "1600sub1"), "DefaultValue=0x70000108"));
  EXPECT_TRUE(Has(Block(text, "1600sub2"), "DefaultValue=0x70000208"));
  EXPECT_TRUE(Has(Block(text, "7000"), "ParameterName=RPDO1"));
  EXPECT_TRUE(Has(Block(text, "7000sub1"), "ParameterName=b1"));
  EXPECT_TRUE(Has(Block(text, "7000sub2"), "ParameterName=b2"));
  EXPECT_TRUE(Block(text, "7000sub3").empty());
  EXPECT_EQ(Rules(), "");
}

TEST_F(EdsTest, PdoNamesAndTransmitObjects) {
  std::string rx, tx;
  for (int n = 0; n < 11; ++n) rx += PdoRow(std::to_string(0x200 + n), "1");
  Pdo(rx, PdoRow("$181", "8") + PdoRow("abc", "x"));  // not numbers: COB-ID 0, Dimension 8
  const std::string text = Sheet();
  EXPECT_TRUE(Has(Block(text, "7009sub1"), "ParameterName=i1"));
  EXPECT_TRUE(Has(Block(text, "700Asub1"), "ParameterName=aa1"));
  EXPECT_TRUE(Has(Block(text, "1A00"), "ParameterName=Transmit PDO Mapping Parameter 1"));
  EXPECT_TRUE(Has(Block(text, "1A00sub8"), "DefaultValue=0x70500808"));
  EXPECT_TRUE(Has(Block(text, "1801sub1"), "DefaultValue=0x00000000"));
  EXPECT_TRUE(Has(Block(text, "1801"), "ParameterName=Transmit PDO Communication Parameter 2"));
  EXPECT_TRUE(Has(Block(text, "7051sub8"), "ParameterName=m8"));
  EXPECT_TRUE(Has(Block(text, "7051sub8"), "AccessType=rwr"));
  EXPECT_TRUE(Has(Block(text, "7050sub0"), "AccessType=rw"));
  EXPECT_TRUE(Has(Block(text, "OptionalObjects"), "SupportedObjects=47"));
  EXPECT_EQ(Rules(), "");
}

TEST_F(EdsTest, ManufacturerObjectsAreSortedBySubIndex) {
  Sdo(SdoRow("0x2000", "3") + SdoRow("0x2000", "1", "2") + SdoRow("8192", "2", "4") + SdoRow("$3000", "0"),
      SdoRow("0x3000", "10") + SdoRow("0x3000", "255", "2") + SdoRow("0x2001", "1"));
  const std::string text = Sheet();
  const auto list = Block(text, "ManufacturerObjects");
  EXPECT_EQ(list, (std::vector<std::string>{"SupportedObjects=3", "1=0x2000", "2=0x3000", "3=0x2001"}));
  EXPECT_TRUE(Has(Block(text, "2000"), "SubNumber=4"));
  EXPECT_TRUE(Has(Block(text, "2000sub0"), "DefaultValue=0x03"));
  EXPECT_TRUE(Has(Block(text, "2000sub1"), "DataType=0x0006"));
  EXPECT_TRUE(Has(Block(text, "2000sub2"), "HighLimit=0xFFFFFFFF"));
  EXPECT_TRUE(Has(Block(text, "2000sub3"), "AccessType=ro"));
  EXPECT_LT(text.find("[2000sub1]"), text.find("[2000sub2]"));
  EXPECT_LT(text.find("[2000sub2]"), text.find("[2000sub3]"));
  // Sub-index 0 is a variable itself: no "largest sub-index" entry.
  EXPECT_TRUE(Has(Block(text, "3000"), "SubNumber=3"));
  EXPECT_TRUE(Has(Block(text, "3000sub0"), "ParameterName=Application Variable"));
  EXPECT_TRUE(Has(Block(text, "3000sub0"), "AccessType=ro"));
  EXPECT_TRUE(Has(Block(text, "3000subA"), "AccessType=rw"));
  EXPECT_TRUE(Has(Block(text, "3000subFF"), "DataType=0x0006"));
  EXPECT_EQ(text.find("Largest Sub-Index supported\r\nObjectType=0x7\r\nDataType=0x0005\r\nAccessType=ro\r\nDefaultValue=0xFF"),
            std::string::npos);
  EXPECT_EQ(Rules(), "");
}

TEST_F(EdsTest, TimeKeysFollowTheTwelveHourClock) {
  const std::pair<std::pair<int, int>, const char*> cases[] = {
      {{9, 7}, "09:07AM"},  {{0, 15}, "12:15AM"}, {{12, 0}, "12:00PM"},
      {{12, 30}, "12:30PM"}, {{13, 5}, "01:05PM"}, {{23, 59}, "11:59PM"}};
  for (const auto& [hm, text] : cases) EXPECT_EQ(EDS_Time_Text(hm.first, hm.second), Utf8ToString(text)) << text;
  now_ = EncodeDate(2026, 12, 31) + EncodeTime(12, 30, 0, 0);
  const auto info = Block(Sheet(), "FileInfo");
  EXPECT_TRUE(Has(info, "CreationTime=12:30PM"));
  EXPECT_TRUE(Has(info, "ModificationDate=12-31-2026"));
  EXPECT_TRUE(Has(info, "FileName=CANopen_LoRaWAN_Gateway.eds"));
}

TEST_F(EdsTest, RowsTheSheetCannotDescribeAreRefusedAndNothingIsWritten) {
  struct Case {
    const char* Name;
    std::string Pdo, Sdo;
    std::string Message;
  } cases[] = {
      {"one sub-index twice across the tables", "", "R:" + SdoRow("0x2000", "1") + "|W:" + SdoRow("0x2000", "1"),
       "Error in file SDO_Server_CANopen.xml: row 1 of \"SDO_Write\" repeats index 0x2000 sub-index 0x01; an EDS file "
       "can describe it only once"},
      {"a Dimension of 9", PdoRow("1", "9"), "",
       "Error in file PDO_CANopen.xml: row 1 of \"Receive_PDO\" has Dimension \"9\"; it must be between 1 and 8"},
      {"31 receive PDOs", "31", "", "Error in file PDO_CANopen.xml: \"Receive_PDO\" holds 31 rows; at most 30 PDOs fit"},
      {"an Index that is no number", "", "R:" + SdoRow("abc", "1"),
       "Error in file SDO_Server_CANopen.xml: row 1 of \"SDO_Read\" has Index \"abc\"; it must be a number from 0 to "
       "65535"},
      {"a row without NByte", "", "R:<row Index=\"0x2000\" SubIndex=\"1\"/>",
       "Error in file SDO_Server_CANopen.xml: row 1 of \"SDO_Read\" has no attribute \"NByte\""},
      {"a PDO row without Dimension", "<row COB-ID=\"1\"/>", "",
       "Error in file PDO_CANopen.xml: row 1 of \"Receive_PDO\" has no attribute \"Dimension\""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    DeleteFile(Path_PDO_CANopen);
    DeleteFile(Path_SDO_Server_CANopen);
    if (k.Pdo == "31") {
      std::string rows;
      for (int i = 0; i < 31; ++i) rows += PdoRow(std::to_string(i + 1), "1");
      Pdo(rows, "");
    } else if (!k.Pdo.empty()) {
      Pdo(k.Pdo, "");
    }
    if (!k.Sdo.empty()) {
      const size_t bar = k.Sdo.find("|W:");
      Sdo(k.Sdo.substr(2, bar == std::string::npos ? std::string::npos : bar - 2),
          bar == std::string::npos ? "" : k.Sdo.substr(bar + 3));
    }
    const String target = FromPath(dir_ / "refused.eds");
    try {
      Create_EDS_File(target);
      ADD_FAILURE() << "not refused";
    } catch (const Exception& E) {
      EXPECT_EQ(StringToUtf8(E.Message()), k.Message);
    }
    EXPECT_FALSE(FileExists(target));
  }
  // A section missing from the file.
  DeleteFile(Path_PDO_CANopen);
  Write("SDO_Server_CANopen.xml", "<SDO_Server_CANopen><SDO_Read/></SDO_Server_CANopen>");
  EXPECT_THROW(Create_EDS_File(FromPath(dir_ / "refused.eds")), ETableFileMissingSection);
}

TEST_F(EdsTest, AFullSheetPassesTheIndependentReader) {
  std::string rx, tx;
  for (int n = 0; n < 30; ++n) {
    rx += PdoRow(std::to_string(0x180 + n), "8");
    tx += PdoRow(std::to_string(0x200 + n), "8");
  }
  Pdo(rx, tx);
  std::string read, write;
  for (int r = 0; r < 500; ++r) {
    read += SdoRow(std::to_string(0x2000 + r / 100), std::to_string(r % 100), std::to_string(r % 3 == 0 ? 1 : r % 3 == 1 ? 2 : 4));
    write += SdoRow(std::to_string(0x5000 + r / 200), std::to_string(r % 200 + 1), "4");
  }
  Sdo(read, write);
  const std::string text = Sheet("full.eds");
  EXPECT_TRUE(Has(Block(text, "DeviceInfo"), "NrOfTXPDO=30"));
  EXPECT_TRUE(Has(Block(text, "OptionalObjects"), "SupportedObjects=188"));
  EXPECT_TRUE(Has(Block(text, "ManufacturerObjects"), "SupportedObjects=8"));
  EXPECT_EQ(Rules("full.eds"), "");
}
