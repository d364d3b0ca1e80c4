// The S7 request tables: the row tests and the connection count over both tables (messages
// compared whole), the show, and the file with its required attributes and sections.
#include "protocols/ethernet_it/US7_Protocol_Set_Access.h"
#include "tests/protocols/ethernet_it/EthernetItFormTestSupport.h"

using ethernet_it_test::Cells;
using ethernet_it_test::File_Text;
using ethernet_it_test::Fixture;
using ethernet_it_test::Put_Row;
using ethernet_it_test::Row_Of;
using ethernet_it_test::With;

namespace {

Cells Read_Row(const String& Address = u"192.168.1.10", const String& Port = u"102") {
  return {u"Y", Address, Port,    u"S71200", u"0", u"1", u"Int", u"DB",  u"1", u"Flags (M) (Merker)",
          u"0", u"0",    u"1000", u"0",      u"0", u"N", u"N",   u"read"};
}
Cells Write_Row(const String& Address = u"192.168.1.10", const String& Port = u"102") {
  return {u"Y", Address, Port, u"S71500", u"0", u"1",   u"Real", u"DB", u"2", u"Output (Q)",
          u"4", u"0",    u"0", u"Y",      u"N", u"100", u"0",    u"N",  u"N", u"write"};
}

class S7Test : public ethernet_it_test::FormTest<TFS7_Protocol_Set_Access> {
 protected:
  S7Test()
      : FormTest(u"TFS7_Protocol_Set_Access", FS7_Protocol_Set_Access, &TFKelvaneFirmWare::Btn_S7_Protocol_Access) {}
};

struct S7Case {
  const char* Name;
  std::vector<Cells> Read, Write;
  const char16_t* Message;  // nullptr: both tables pass
};

std::vector<Cells> Ten_Plcs() {
  std::vector<Cells> rows;
  for (int i = 1; i <= 10; ++i) rows.push_back(Read_Row(u"10.0.0." + IntToStr(i)));
  return rows;
}

}  // namespace

TEST_F(S7Test, TheCheckShowsTheFirstFailureWhole) {
  const Cells r = Read_Row(), w = Write_Row();
  std::vector<Cells> nine_and_two_ports = Ten_Plcs();
  nine_and_two_ports[9] = Read_Row(u"10.0.0.1", u"103");
  const S7Case cases[] = {
      {"valid rows", {r}, {w}, nullptr},
      {"ten PLCs read, an eleventh written",
       Ten_Plcs(),
       {Write_Row(u"10.0.0.11")},
       u"Error row 1!! [S7comm Write] Device support 10 connection"},
      {"ten PLCs read, one of them written", Ten_Plcs(), {Write_Row(u"10.0.0.7")}, nullptr},
      {"ports 102 and 103 of one PLC count twice",
       nine_and_two_ports,
       {Write_Row(u"10.0.0.10")},
       u"Error row 1!! [S7comm Write] Device support 10 connection"},
      {"an eleventh read PLC",
       [] {
         auto v = Ten_Plcs();
         v.push_back(Read_Row(u"10.0.0.11"));
         return v;
       }(),
       {},
       u"Error row 11!! [S7comm Read] Device support 10 connection"},
      {"a disabled eleventh PLC", Ten_Plcs(), {With(Write_Row(u"10.0.0.11"), s7Enable, u"N")}, nullptr},
      {"Enable y disables (exact test)", {With(With(r, s7Enable, u"y"), s7PLC_Port, u"x")}, {}, nullptr},
      {"a bad address",
       {With(r, s7PLC_Address, u"192.168.1")},
       {},
       u"Error row 1!! [S7comm Read] PLC Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {"port 65536",
       {With(r, s7PLC_Port, u"65536")},
       {},
       u"Error row 1!! [S7comm Read] PLC Port must be between 0 and 65535"},
      {"no PLC Type", {With(r, s7PLC_Type, u" ")}, {}, u"Error row 1!! [S7comm Read] PLC Type cannot be empty"},
      {"Rack 4", {With(r, s7Rack, u"4")}, {}, u"Error row 1!! [S7comm Read] Rack must be between 0 and 3"},
      {"Slot 32 written", {}, {With(w, s7Slot, u"32")}, u"Error row 1!! [S7comm Write] Slot must be between 0 and 31"},
      {"Slot empty", {With(r, s7Slot, u"")}, {}, u"Error row 1!! [S7comm Read] Slot must be between 0 and 31"},
      {"no Data Type", {With(r, s7Data_Type, u"")}, {}, u"Error row 1!! [S7comm Read] Data Type cannot be empty"},
      {"no Data Identifier written",
       {},
       {With(w, s7Data_Identifier, u"")},
       u"Error row 1!! [S7comm Write] Data Identifier cannot be empty"},
      {"DB Number 65536",
       {With(r, s7DB_Number, u"65536")},
       {},
       u"Error row 1!! [S7comm Read] DB Number must be between 0 and 65535"},
      {"no PLC Area", {With(r, s7PLC_Area, u"")}, {}, u"Error row 1!! [S7comm Read] PLC Area cannot be empty"},
      {"PLC Add -1 written",
       {},
       {With(w, s7PLC_Add, u"-1")},
       u"Error row 1!! [S7comm Write] PLC Address must be between 0 and 65535"},
      {"no PLC Bit", {With(r, s7PLC_Bit, u"")}, {}, u"Error row 1!! [S7comm Read] PLC Bit cannot be empty"},
      {"read Poll Time 0",
       {With(r, s7PollTime, u"0")},
       {},
       u"Error row 1!! [S7comm Read] Poll Time must be between 1 and 100000000"},
      {"write Poll Time 0", {}, {With(w, s7PollTime, u"0")}, nullptr},
      {"write Poll Time empty",
       {},
       {With(w, s7PollTime, u"")},
       u"Error row 1!! [S7comm Write] Poll Time must be between 0 and 100000000"},
      {"read Position 1499", {With(r, s7ReadPosition, u"1499")}, {}, nullptr},
      {"read Position 1500",
       {With(r, s7ReadPosition, u"1500")},
       {},
       u"Error row 1!! [S7comm Read] Position must be between 0 and 1499"},
      {"write Position 1500",
       {},
       {With(w, s7WritePosition, u"1500")},
       u"Error row 1!! [S7comm Write] Position must be between 0 and 1499"},
      {"no Start Bit written",
       {},
       {With(w, s7WriteBit, u"")},
       u"Error row 1!! [S7comm Write] Start Bit cannot be empty"},
      {"an empty read table and a valid write table", {}, {w}, nullptr},
      {"an empty address ends the read table", {r, With(r, s7PLC_Address, u" "), With(r, s7Rack, u"9")}, {}, nullptr},
  };
  Open([&](TFS7_Protocol_Set_Access* f) {
    for (const S7Case& k : cases) {
      SCOPED_TRACE(k.Name);
      f->Reset_Grids();
      for (size_t i = 0; i < k.Read.size(); ++i) Put_Row(f->ACG_S7_Read, static_cast<int>(i) + 1, k.Read[i]);
      for (size_t i = 0; i < k.Write.size(); ++i) Put_Row(f->ACG_S7_Write, static_cast<int>(i) + 1, k.Write[i]);
      Expect_Check(f->Controllo_dati(), k.Message);
    }
  });
}

TEST_F(S7Test, CheckIPPortCountsTenConnections) {
  TFS7_Protocol_Set_Access* f = form_;
  f->array_ip_Port.assign(10, TIPPort());
  for (int i = 0; i < 10; ++i) EXPECT_EQ(f->Check_IP_Port(10, 0, 0, 1, 100 + i), i);
  EXPECT_EQ(f->Check_IP_Port(10, 0, 0, 1, 105), 5);
  EXPECT_EQ(f->Check_IP_Port(10, 0, 0, 2, 100), -1);
}

TEST_F(S7Test, TheShowAndTheRowButtons) {
  Open([&](TFS7_Protocol_Set_Access* f) {
    EXPECT_EQ(f->Caption(), u"S7comm Access");
    EXPECT_EQ(f->ClientWidth(), 1350);
    EXPECT_EQ(f->ACG_S7_Read->RowCount(), 513);
    EXPECT_EQ(f->ACG_S7_Write->ColCount(), 21);
    EXPECT_EQ(f->TS_S7_Write->Caption(), u"S7comm Write");
    EXPECT_EQ(f->ACG_S7_Read->GetCellEx(s7Enable, 7), u"Y");
    EXPECT_EQ(f->ACG_S7_Read->Columns()->Items(s7Slot)->Header(), u"Slot");
    EXPECT_EQ(f->ACG_S7_Write->Columns()->Items(s7OnCMD)->Header(), u"On CMD");
    TStrings* positions = f->ACG_S7_Write->Columns()->Items(s7WritePosition)->ComboItems();
    ASSERT_EQ(positions->Count(), 1500);
    EXPECT_EQ(positions->Strings(1499), u"1499");
    String hint;
    f->ACG_S7_Write->OnGridHint(f->ACG_S7_Write, 0, s7OnChange, hint);
    EXPECT_EQ(hint, u"Enable or Disable the Possibility to Send the Write S7 Request when Data Change");
    f->ACG_S7_Read->OnGridHint(f->ACG_S7_Read, 0, s7Rack, hint);
    EXPECT_EQ(hint, u"Insert the Rack number (0..3)");
    // Copy on the read tab, paste on the write tab: no copy in this table yet.
    Put_Row(f->ACG_S7_Read, 1, Read_Row());
    f->ACG_S7_Read->SetRow(1);
    driver_.Click(f->Btn_CopyRow);
    EXPECT_TRUE(f->Do_Copy_In_Read());
    f->PageControl1->SetActivePageIndex(1);
    f->ACG_S7_Write->SetRow(1);
    driver_.Click(f->Btn_PasteRow);
    auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Error!!! Copy a valid row before Paste it");
    // Insert on the write tab sets Enable; the delete question names the row.
    Put_Row(f->ACG_S7_Write, 1, Write_Row());
    driver_.Click(f->Btn_InsRow);
    EXPECT_EQ(f->ACG_S7_Write->GetCellEx(s7Enable, 1), u"Y");
    EXPECT_EQ(f->ACG_S7_Write->GetCellEx(s7PLC_Address, 2), u"192.168.1.10");
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_DelRow);
    m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Are you sure to delete the Row number 1");
    EXPECT_EQ(Row_Of(f->ACG_S7_Write, 1), Write_Row());
    EXPECT_EQ(Row_Of(f->ACG_S7_Read, 1), Read_Row());
  });
}

TEST_F(S7Test, TheFileIsWrittenAsTheGoldenFileAndReadBack) {
  EXPECT_EQ(Open([&](TFS7_Protocol_Set_Access* f) {
              Put_Row(f->ACG_S7_Write, 1, Write_Row());
              Put_Row(f->ACG_S7_Write, 2,
                      With(With(Write_Row(u"10.0.0.2"), s7Enable, u"N"), s7WriteMnemonic, u"<off> & \"on\""));
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  EXPECT_TRUE(Take_Messages().empty());
  const std::string first = File_Text(Path_S7_Protocol);
  EXPECT_EQ(first, Fixture("S7_Protocol.xml"));
  EXPECT_EQ(Open([&](TFS7_Protocol_Set_Access* f) {
              EXPECT_EQ(f->ACG_S7_Read->GetCellEx(s7PLC_Address, 1), u"");
              EXPECT_EQ(Row_Of(f->ACG_S7_Write, 1), Write_Row());
              Put_Row(f->ACG_S7_Read, 1, Read_Row());
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  Open([&](TFS7_Protocol_Set_Access* f) {
    EXPECT_EQ(Row_Of(f->ACG_S7_Read, 1), Read_Row());
    EXPECT_EQ(Row_Of(f->ACG_S7_Write, 2),
              With(With(Write_Row(u"10.0.0.2"), s7Enable, u"N"), s7WriteMnemonic, u"<off> & \"on\""));
  });
}

TEST_F(S7Test, MissingAttributesAndSectionsAreReported) {
  struct {
    const char* File;
    const char16_t* Message;
    int RowsLoaded;
  } cases[] = {
      {"<S7_Protocol><S7_Protocol_Read><row PLC_Address=\"1.2.3.4\" PLC_Port=\"102\" PLC_Type=\"S7300\" "
       "Data_Type=\"Int\" Data_Identifier=\"DB\" DB_Number=\"1\" PLC_Area=\"Inputs (I)\" PLC_Add=\"0\" PLC_Bit=\"0\" "
       "PollTime=\"10\" Position=\"0\" Bit=\"0\" Swap=\"N\" SwapWord=\"N\" Mnemonic=\"m\"/><row PLC_Address=\"x\"/>"
       "</S7_Protocol_Read><S7_Protocol_Write/></S7_Protocol>",
       u"Error in file S7_Protocol.xml: row 2 of \"S7_Protocol_Read\" has no attribute \"PLC_Port\"", 1},
      {"<S7_Protocol><S7_Protocol_Read/></S7_Protocol>",
       u"Error in file S7_Protocol.xml: the element \"S7_Protocol_Write\" is missing.", 0},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.File);
    Write("S7_Protocol.xml", k.File);
    Open([&](TFS7_Protocol_Set_Access* f) {
      auto m = Take_Messages();
      ASSERT_EQ(m.size(), 1u);
      EXPECT_EQ(m[0].Text, k.Message);
      if (k.RowsLoaded) {
        // Rack and Slot took their defaults.
        EXPECT_EQ(f->ACG_S7_Read->GetCellEx(s7Rack, 1), u"0");
        EXPECT_EQ(f->ACG_S7_Read->GetCellEx(s7Slot, 1), u"0");
        EXPECT_EQ(f->ACG_S7_Read->GetCellEx(s7Enable, 1), u"Y");
      }
      EXPECT_TRUE(f->Load_Incomplete());
    });
  }
}
