// The EDE export of the BACnet server objects: the golden file of a whole export, the instance
// numbering per object type, the name length, the device instance from ParGen.xml, and the
// failures that write nothing. Every written file is read back by the program's own EDE reader
// and by python3's csv module (";" as separator, the Windows-1252 code page).
#include <gtest/gtest.h>

#include "gateway/UBACnet_EDE_File.h"
#include "platform/TimeSource.h"
#include "shell/TableFile.h"
#include "shell/UFormKit.h"
#include "tests/gateway/BACnetEdeTestSupport.h"
#include "tests/gateway/BankTestSupport.h"

using bank_test::Attrs;
using bank_test::Element;

namespace {

// Every row of a file as python3's csv module reads it: the number of fields, then the fields.
const char* const kExportCsvProbe = R"PY(
import csv, sys
with open(sys.argv[1], encoding='cp1252', newline='') as f:
    for r in csv.reader(f, delimiter=';'):
        print(len(r), '|'.join(r))
)PY";

Attrs Object(const std::string& Type, const std::string& Unit, const std::string& Mnemonic) {
  return {{"Data_Type", Type}, {"Eng_Unit", Unit}, {"Position", "0"},     {"Bit", ""},
          {"Length", "4"},     {"Swap", "N"},      {"Mnemonic", Mnemonic}};
}

class BACnetEDEExportTest : public bank_test::BankTest {
 protected:
  void SetUp() override {
    BankTest::SetUp();
    clock_.Install();
    Project_Name = u"Plant";
  }
  void TearDown() override {
    Project_Name.clear();
    BankTest::TearDown();
  }
  void Write_Slave(const std::vector<Attrs>& Read, const std::vector<Attrs>& Write_Rows) {
    std::string r, w;
    for (const Attrs& a : Read) r += Element("row", a);
    for (const Attrs& a : Write_Rows) w += Element("row", a);
    Write("BACnet_Slave.xml", "<BACnet_to_Modbus>" + Element("BACnet_in_Read", {}, r) +
                                  Element("BACnet_in_Write", {}, w) + "</BACnet_to_Modbus><!--SW_VERSION = 1.002-->");
  }
  void MSTP_Device(const std::string& Limit = "") {
    std::vector<std::pair<std::string, std::string>> keys = {
        {"BACnet_Type", "1"}, {"BACnet_DEV_IDE", "99"}, {"BACnet_Ser_DEV_IDE", "1234"}};
    if (!Limit.empty()) keys.push_back({"BACnet_Desc_Chars_Limit", Limit});
    Write_ParGen(keys);
  }
  // Exports to out.csv and returns its data lines (the file's lines after the seven header lines),
  // having checked that python3 reads every line with seven fields.
  std::vector<std::string> Export() {
    const String file = dir_.File("out.csv");
    Create_EDE_File(file);
    std::ifstream in(dir_ / "out.csv", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) {
      EXPECT_TRUE(!l.empty() && l.back() == '\r') << l;
      lines.push_back(l.substr(0, l.size() - 1));
    }
    EXPECT_GE(lines.size(), 7u);
    const std::vector<std::string> rows = Python_Rows(file);
    EXPECT_EQ(rows.size(), lines.size());
    for (const std::string& r : rows) EXPECT_EQ(r.rfind("8 ", 0), 0u) << r;
    return lines.size() < 7 ? lines : std::vector<std::string>(lines.begin() + 7, lines.end());
  }
  std::vector<std::string> Python_Rows(const String& File) {
    std::ofstream(dir_ / "probe.py") << kExportCsvProbe;
    return bacnet_ede_test::Run_Python(dir_ / "probe.py", "'" + StringToUtf8(File) + "'");
  }
  std::string Bytes_Of(const std::filesystem::path& P) {
    std::ifstream in(P, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  VirtualClock clock_{EncodeDate(2026, 2, 3) + EncodeTime(9, 5, 7, 0)};
};

}  // namespace

TEST_F(BACnetEDEExportTest, AWholeExportMatchesTheGoldenFileAndReadsBack) {
  MSTP_Device();
  Write_Slave({Object("Analog Input", "62", "Temp_1"), Object("Multi State Value", "", "Mode"),
               Object("Analog Value", "98", "Level_A"), Object(" analog value ", "98", "Level_B"),
               Object("", "95", "Spare"), Object("Binary Input", "", "Pump_Running_Feedback")},
              {Object("Analog Value", "98", "Setpoint"), Object("Analog Out", "62", "Valve"),
               Object("Binary Out", "95", "Température"), Object("Access Door", "", "Door")});
  const String file = dir_.File("golden.csv");
  Create_EDE_File(file);
  EXPECT_EQ(Bytes_Of(dir_ / "golden.csv"), Bytes_Of(std::string(CONF_FIXTURES) + "/bacnet/server_export.csv"));

  // The program's own reader: the unit code lands in the present-value default; the access door
  // (type 30) is not a type the client tables take.
  std::vector<TBACnet_Var> list;
  Read_EDE_File(file, list);
  std::vector<std::string> got;
  for (const TBACnet_Var& v : list)
    got.push_back(StringToUtf8(v.keyname) + "|" + std::to_string(v.device_obj_instance) + "|" +
                  StringToUtf8(v.object_name) + "|" + std::to_string(v.object_type) + "|" +
                  std::to_string(v.object_instance) + "|" + StringToUtf8(v.present_value_default));
  EXPECT_EQ(got,
            (std::vector<std::string>{
                "1234_Temp_1_0|1234|Temp_1|0|0|62", "1234_Mode_0|1234|Mode|19|0|", "1234_Level_A_0|1234|Level_A|2|0|98",
                "1234_Level_B_1|1234|Level_B|2|1|98", "1234_Spare_1|1234|Spare|0|1|95",
                "1234_Pump_Running_Feedback_0|1234|Pump_Running_Fee|3|0|", "1234_Setpoint_2|1234|Setpoint|2|2|98",
                "1234_Valve_0|1234|Valve|1|0|62", "1234_Température_0|1234|Température|4|0|95"}));

  const std::vector<std::string> rows = Python_Rows(file);
  ASSERT_EQ(rows.size(), 17u);
  EXPECT_EQ(rows[0], "8 PROJECT_NAME| Brenix--Plant||||||");
  EXPECT_EQ(rows[2], "8 TIMESTAMP_OF_LAST_CHANGE|09:05:07 03/02/2026||||||");
  EXPECT_EQ(rows[15], "8 1234_Température_0|1234|Température|4|0|Température|95|");
}

TEST_F(BACnetEDEExportTest, InstancesCountPerTypeAcrossBothSections) {
  MSTP_Device();
  const struct {
    const char* Name;
    std::vector<Attrs> Read, Write;
    std::vector<std::string> Lines;
  } cases[] = {
      {"two read objects",
       {Object("Analog Input", "62", "Temp_1"), Object("Multi State Value", "", "Mode")},
       {},
       {"1234_Temp_1_0;1234;Temp_1;0;0;Temp_1;62;", "1234_Mode_0;1234;Mode;19;0;Mode;;"}},
      {"a write analog value after two read ones",
       {Object("Analog Value", "1", "A"), Object("Analog Value", "1", "B")},
       {Object("Analog Value", "1", "C")},
       {"1234_A_0;1234;A;2;0;A;1;", "1234_B_1;1234;B;2;1;B;1;", "1234_C_2;1234;C;2;2;C;1;"}},
      {"analog out and analog value count apart",
       {},
       {Object("Analog Out", "1", "O"), Object("Analog Value", "1", "V"), Object("ANALOG OUT", "1", "P")},
       {"1234_O_0;1234;O;1;0;O;1;", "1234_V_0;1234;V;2;0;V;1;", "1234_P_1;1234;P;1;1;P;1;"}},
      {"an empty or unknown type is analog input",
       {Object("Analog Input", "1", "A"), Object("", "1", "E"), Object("Thermostat", "1", "T")},
       {},
       {"1234_A_0;1234;A;0;0;A;1;", "1234_E_1;1234;E;0;1;E;1;", "1234_T_2;1234;T;0;2;T;1;"}},
      {"an empty table", {}, {}, {}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.Name);
    Write_Slave(k.Read, k.Write);
    EXPECT_EQ(Export(), k.Lines);
  }
}

TEST_F(BACnetEDEExportTest, TheTypeNamesAndTheirCounters) {
  const struct {
    String Text;
    int Type;
  } cases[] = {{u"Analog Input", 0},
               {u"analog out", 1},
               {u"Analog Value", 2},
               {u"Binary Input", 3},
               {u"Binary Out", 4},
               {u"Binary Value", 5},
               {u"Multi State Input", 13},
               {u"Multi State Output", 14},
               {u"Multi State Value", 19},
               {u"Life Safety Point", 21},
               {u"Life Safety Zone", 22},
               {u"Accumulator", 23},
               {u"Access Door", 30},
               {u"CharacterString Value", 40},
               {u"DateTime Value", 44},
               {u"Integer Value", 45},
               {u" Large Analog Value ", 46},
               {u"Positive Integer Value", 48},
               {u"Multi-State Value", 0},
               {u"Analog Output", 0},
               {u"", 0}};
  for (const auto& k : cases) EXPECT_EQ(EDE_Object_Type_From_Name(k.Text), k.Type) << StringToUtf8(k.Text);
  TBACnetEDEExport e;
  e.Clear_EDE_Instance_Counters();
  for (int type : TBACnetEDEExport::Counted_Types) {
    EXPECT_EQ(e.Next_EDE_Instance(type), 0);
    EXPECT_EQ(e.Next_EDE_Instance(type), 1);
  }
  EXPECT_EQ(e.Next_EDE_Instance(8), 0);
  EXPECT_EQ(e.Next_EDE_Instance(8), 0);
  e.Clear_EDE_Instance_Counters();
  EXPECT_EQ(e.Next_EDE_Instance(48), 0);
}

TEST_F(BACnetEDEExportTest, NamesAreCutTo16Or32CharactersTheKeynameNever) {
  const std::string twenty = "ABCDEFGHIJKLMNOPQRST";
  const std::string forty = twenty + "abcdefghijklmnopqrst";
  Write_Slave({Object("Analog Input", "62", twenty), Object("Analog Input", "62", forty)}, {});
  const struct {
    const char* Limit;
    std::vector<std::string> Lines;
  } cases[] = {
      {"1",
       {"1234_" + twenty + "_0;1234;" + twenty + ";0;0;" + twenty + ";62;",
        "1234_" + forty + "_1;1234;" + forty.substr(0, 32) + ";0;1;" + forty.substr(0, 32) + ";62;"}},
      // The setting of the export before does not stay.
      {"0",
       {"1234_" + twenty + "_0;1234;ABCDEFGHIJKLMNOP;0;0;ABCDEFGHIJKLMNOP;62;",
        "1234_" + forty + "_1;1234;ABCDEFGHIJKLMNOP;0;1;ABCDEFGHIJKLMNOP;62;"}},
      {"1 ",
       {"1234_" + twenty + "_0;1234;ABCDEFGHIJKLMNOP;0;0;ABCDEFGHIJKLMNOP;62;",
        "1234_" + forty + "_1;1234;ABCDEFGHIJKLMNOP;0;1;ABCDEFGHIJKLMNOP;62;"}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.Limit);
    MSTP_Device(k.Limit);
    EXPECT_EQ(Export(), k.Lines);
  }
}

TEST_F(BACnetEDEExportTest, TheDeviceInstanceComesFromTheServersTypeAndIsNotCarriedOver) {
  Write_Slave({Object("Analog Input", "62", "T")}, {});
  const struct {
    const char* Name;
    std::vector<std::pair<std::string, std::string>> Keys;  // empty: no ParGen.xml
    std::string Line;
  } cases[] = {
      {"MS/TP",
       {{"BACnet_Type", "1"}, {"BACnet_DEV_IDE", "99"}, {"BACnet_Ser_DEV_IDE", "1234"}},
       "1234_T_0;1234;T;0;0;T;62;"},
      {"BACnet/IP",
       {{"BACnet_Type", "0"}, {"BACnet_DEV_IDE", "99"}, {"BACnet_Ser_DEV_IDE", "1234"}},
       "99_T_0;99;T;0;0;T;62;"},
      {"no type: BACnet/IP", {{"BACnet_DEV_IDE", "7"}}, "7_T_0;7;T;0;0;T;62;"},
      {"a type that is no number: BACnet/IP",
       {{"BACnet_Type", "MS/TP"}, {"BACnet_DEV_IDE", "8"}},
       "8_T_0;8;T;0;0;T;62;"},
      {"MS/TP without its key", {{"BACnet_Type", "1"}, {"BACnet_DEV_IDE", "99"}}, "_T_0;;T;0;0;T;62;"},
      {"MS/TP again", {{"BACnet_Type", "1"}, {"BACnet_Ser_DEV_IDE", "1234"}}, "1234_T_0;1234;T;0;0;T;62;"},
      {"no ParGen.xml", {}, "_T_0;;T;0;0;T;62;"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.Name);
    if (k.Keys.empty())
      std::filesystem::remove(dir_ / "ParGen.xml");
    else
      Write_ParGen(k.Keys);
    EXPECT_EQ(Export(), std::vector<std::string>{k.Line});
  }
}

TEST_F(BACnetEDEExportTest, WithoutTheServerFileOnlyTheHeaderIsWritten) {
  MSTP_Device();
  EXPECT_TRUE(Export().empty());
  std::ifstream golden(std::string(CONF_FIXTURES) + "/bacnet/server_export.csv", std::ios::binary);
  std::string header, line;
  for (int i = 0; i < 7 && std::getline(golden, line); ++i) header += line + "\n";
  EXPECT_EQ(Bytes_Of(dir_ / "out.csv"), header);
}

TEST_F(BACnetEDEExportTest, AFaultyServerFileWritesNothingAndSaysWhy) {
  MSTP_Device();
  const std::string old = "the previous export\r\n";
  const std::string rows = Element("row", Object("Analog Input", "62", "ok"));
  const struct {
    const char* Name;
    std::string Slave;
    std::string Message;  // the whole message, or a part of it after "~"
  } cases[] = {
      {"a ';' in a read Mnemonic",
       "<BACnet_to_Modbus><BACnet_in_Read>" + rows + Element("row", Object("Analog Input", "62", "a;b")) +
           "</BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>",
       "Error!! The EDE file was not written. In section BACnet_in_Read, row 2 the Mnemonic or the Eng. Unit "
       "holds a \";\" or a line break, which would shift the fields of its line"},
      {"a line break in a write Eng. Unit",
       "<BACnet_to_Modbus><BACnet_in_Read/><BACnet_in_Write><row Data_Type=\"Analog Out\" Eng_Unit=\"6&#10;2\" "
       "Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" Mnemonic=\"v\"/></BACnet_in_Write></BACnet_to_Modbus>",
       "Error!! The EDE file was not written. In section BACnet_in_Write, row 1 the Mnemonic or the Eng. Unit "
       "holds a \";\" or a line break, which would shift the fields of its line"},
      {"no write section", "<BACnet_to_Modbus><BACnet_in_Read>" + rows + "</BACnet_in_Read></BACnet_to_Modbus>",
       "~BACnet_in_Write"},
      {"a row without Eng_Unit",
       "<BACnet_to_Modbus><BACnet_in_Read/><BACnet_in_Write>" + rows +
           "<row Data_Type=\"Analog Out\" Mnemonic=\"m\"/></BACnet_in_Write></BACnet_to_Modbus>",
       "~Eng_Unit"},
      {"not well-formed", "<BACnet_to_Modbus><BACnet_in_Read>", "~BACnet_Slave.xml"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.Name);
    Write("BACnet_Slave.xml", k.Slave);
    Write("out.csv", old);
    try {
      Create_EDE_File(dir_.File("out.csv"));
      ADD_FAILURE() << "no failure";
    } catch (const Exception& E) {
      const std::string text = StringToUtf8(E.Message());
      if (k.Message[0] == '~')
        EXPECT_NE(text.find(k.Message.substr(1)), std::string::npos) << text;
      else
        EXPECT_EQ(text, k.Message);
    }
    EXPECT_EQ(Bytes_Of(dir_ / "out.csv"), old);
  }
  // A ParGen.xml that is not well-formed is reported too.
  Write_Slave({Object("Analog Input", "62", "ok")}, {});
  Write("ParGen.xml", "<Par_Gen><BACnet_Type>1</Par_Gen>");
  EXPECT_THROW(Create_EDE_File(dir_.File("out.csv")), ETableFileMalformed);
  EXPECT_EQ(Bytes_Of(dir_ / "out.csv"), old);
}
