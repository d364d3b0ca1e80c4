// The OPC UA server variables form: the Length a type gives, the Type and R/W lists, its check of
// every row, the check-box row operations and OPC_UA_Server.xml.
#include "protocols/ethernet_it/UOPC_UA_Server_Access.h"
#include "tests/protocols/ethernet_it/EthernetItFormTestSupport.h"

using ethernet_it_test::Cells;
using ethernet_it_test::File_Text;
using ethernet_it_test::Fixture;

namespace {

using F = TFOPC_UA_Server_Access;

class OpcUaServerAccessTest : public ethernet_it_test::FormTest<TFOPC_UA_Server_Access> {
 protected:
  OpcUaServerAccessTest()
      : FormTest(u"TFOPC_UA_Server_Access", FOPC_UA_Server_Access, &TFKelvaneFirmWare::Btn_OPC_UA_Server_Access) {}

  TAdvStringGrid* Grid() const { return form_->ASG; }
  // Columns 1 .. 7 with the Enable box as "Y" or "N".
  Cells Row(int R) const {
    bool on = false;
    Cells c{Grid()->GetCheckBoxState(F::svEnable, R, on) ? (on ? u"Y" : u"N") : u"?"};
    for (int col = F::svType; col <= F::svMnemonic; ++col) c.push_back(Grid()->GetCellEx(col, R));
    return c;
  }
  void Put(int R, const Cells& C) {
    Grid()->SetCheckBoxState(F::svEnable, R, C[0] == u"Y");
    for (int col = F::svType; col <= F::svMnemonic; ++col) Grid()->SetCellEx(col, R, C[static_cast<size_t>(col) - 1]);
  }
  // A type picked from the Type list, as the grid's list editor reports it.
  void Pick_Type(int R, const String& Type) {
    Grid()->SetCellEx(F::svType, R, Type);
    Grid()->OnComboChange(Grid(), F::svType, R, 0, Type);
  }
  bool Length_Read_Only(int R) const { return Grid()->GetReadOnly(F::svLength, R); }
};

}  // namespace

TEST_F(OpcUaServerAccessTest, TheTableIsBuiltInCodeWithItsListsAndColours) {
  Open([&](TFOPC_UA_Server_Access* f) {
    EXPECT_EQ(f->Caption(), u"Definition of OPC UA Server Variables");
    EXPECT_EQ((std::pair{f->ClientWidth(), f->ClientHeight()}), (std::pair{1200, 337}));
    EXPECT_EQ(Grid()->RowCount(), 251);
    EXPECT_EQ(Grid()->GetCellEx(F::svReadWrite, 0), u"R/W");
    EXPECT_EQ(Grid()->GetCellEx(F::svMnemonic, 0), u"Mnemonic");
    EXPECT_EQ(Grid()->GetCellEx(0, 250), u"250");
    EXPECT_EQ(Grid()->GetColors(F::svType, 7), TColor(16710368));
    EXPECT_EQ(Grid()->GetColors(F::svEnable, 250), TColor(11589887));
    EXPECT_EQ(f->VarType->Count(), 13);
    EXPECT_EQ(f->VarType->Strings(1), u"Signed Byte");
    EXPECT_EQ(f->RWType->Strings(0), u"Read Only");
    TEditorType kind = edNormal;
    Grid()->OnGetEditorType(Grid(), F::svReadWrite, 1, kind);
    EXPECT_EQ(kind, edComboList);
    kind = edNormal;
    Grid()->OnGetEditorType(Grid(), F::svName, 1, kind);
    EXPECT_EQ(kind, edNormal);
    EXPECT_EQ(Row(1), (Cells{u"Y", u"", u"", u"", u"", u"", u""}));
  });
}

TEST_F(OpcUaServerAccessTest, TheTypeGivesTheLength) {
  Open([&](TFOPC_UA_Server_Access*) {
    Pick_Type(1, u"Float");
    EXPECT_EQ(Row(1), (Cells{u"Y", u"Float", u"", u"4", u"", u"Read/Write", u""}));
    EXPECT_TRUE(Length_Read_Only(1));
    Pick_Type(2, u"String");
    Grid()->SetCellEx(F::svLength, 2, u"25");
    Grid()->SetCellEx(F::svReadWrite, 2, u"Read Only");
    EXPECT_FALSE(Length_Read_Only(2));
    Pick_Type(2, u"Int16");
    EXPECT_EQ(Row(2), (Cells{u"Y", u"Int16", u"", u"2", u"", u"Read Only", u""}));
    EXPECT_TRUE(Length_Read_Only(2));
    Pick_Type(2, u"String");
    EXPECT_EQ(Grid()->GetCellEx(F::svLength, 2), u"10");
    EXPECT_FALSE(Length_Read_Only(2));
  });
}

TEST_F(OpcUaServerAccessTest, TheFileLoadsWithItsDefaultsAndIsWrittenAsTheGoldenFile) {
  Write("OPC_UA_Server.xml",
        "<Other><OPC_UA_Server_Variables>"
        "<row Enable=\"N\" Type=\"String\" Position=\"10\" Length=\"32\" Name=\"text\" ReadWrite=\"Read Only\" "
        "Mnemonic=\"m\"/>"
        "<x Type=\"Double\" Position=\"abc\" Length=\"8\" Name=\"d\"/>"
        "<row Enable=\"Y\" Type=\"UInt16\" Position=\"1999\" Length=\"2\" Name=\"&lt;u&gt;\" ReadWrite=\"Read/Write\" "
        "Mnemonic=\"\"/>"
        "</OPC_UA_Server_Variables></Other>");
  EXPECT_EQ(Open([&](TFOPC_UA_Server_Access* f) {
              EXPECT_EQ(Row(1), (Cells{u"N", u"String", u"10", u"32", u"text", u"Read Only", u"m"}));
              EXPECT_FALSE(Length_Read_Only(1));
              // No Enable: ticked; no ReadWrite: an empty R/W.
              EXPECT_EQ(Row(2), (Cells{u"Y", u"Double", u"abc", u"8", u"d", u"", u""}));
              EXPECT_TRUE(Length_Read_Only(2));
              Grid()->SetCheckBoxState(F::svEnable, 2, false);  // a disabled row with Position "abc" passes
              Put(5, {u"Y", u"Int8", u"0", u"1", u"below the empty Type", u"", u""});
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  EXPECT_TRUE(Take_Messages().empty());
  const std::string first = File_Text(Path_OPC_UA_Server);
  EXPECT_EQ(first, Fixture("OPC_UA_Server.xml"));
  EXPECT_EQ(Open([&](TFOPC_UA_Server_Access* f) { driver_.Click(f->Btn_OK); }), mrOk);
  EXPECT_EQ(File_Text(Path_OPC_UA_Server), first);
}

TEST_F(OpcUaServerAccessTest, TheCheckLooksAtEveryEnabledTypedRow) {
  struct Case {
    const char* Name;
    std::vector<std::pair<int, Cells>> Rows;
    const char16_t* Message;
  };
  const Cells good = {u"Y", u"Int32", u"1999", u"4", u"n", u"Read/Write", u""};
  const Case cases[] = {
      {"Position 1999", {{1, good}}, nullptr},
      {"Position 2000",
       {{1, table_rows::With(good, F::svPosition, u"2000")}},
       u"Error row 1!! Position Must be Between 0 and 1999"},
      {"Position -1",
       {{1, table_rows::With(good, F::svPosition, u"-1")}},
       u"Error row 1!! Position Must be Between 0 and 1999"},
      {"a disabled row with Position abc",
       {{1, table_rows::With(table_rows::With(good, 1, u"N"), 3, u"abc")}},
       nullptr},
      {"a row without Type", {{1, table_rows::With(table_rows::With(good, 2, u" "), 3, u"abc")}}, nullptr},
      {"an enabled typed row below an empty Type",
       {{1, good}, {3, table_rows::With(good, F::svPosition, u"")}},
       u"Error row 3!! Position Must be Between 0 and 1999"},
  };
  Open([&](TFOPC_UA_Server_Access* f) {
    for (const Case& k : cases) {
      SCOPED_TRACE(k.Name);
      f->Reset_Grids();
      for (const auto& [r, cells] : k.Rows) Put(r, cells);
      Expect_Check(f->Controllo_dati(), k.Message);
    }
    // OK refuses what it would not even save.
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(Take_Messages().size(), 1u);
  });
  EXPECT_FALSE(std::filesystem::exists(project_ / "OPC_UA_Server.xml"));
}

TEST_F(OpcUaServerAccessTest, RowButtonsMoveBoxesAndAPasteKeepsItsLength) {
  Open([&](TFOPC_UA_Server_Access* f) {
    Pick_Type(1, u"String");
    Grid()->SetCellEx(F::svLength, 1, u"40");
    Grid()->SetCheckBoxState(F::svEnable, 1, false);
    Pick_Type(2, u"Float");
    Grid()->SetRowEx(1);
    driver_.Click(f->Btn_CopyRow);
    EXPECT_TRUE(f->Do_Copy());
    Grid()->SetRowEx(3);
    driver_.Click(f->Btn_PasteRow);
    EXPECT_EQ(Row(3), (Cells{u"N", u"String", u"", u"40", u"", u"Read/Write", u""}));
    EXPECT_FALSE(Length_Read_Only(3));
    Grid()->SetRowEx(1);
    driver_.Click(f->Btn_InsRow);
    EXPECT_EQ(Row(1), (Cells{u"Y", u"", u"", u"", u"", u"", u""}));
    EXPECT_EQ(Row(3)[1], u"Float");
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_DelRow);
    EXPECT_EQ(Take_Messages().back().Text, u"Are you sure to delete the Row number 1");
    EXPECT_EQ(Row(1)[1], u"String");
    EXPECT_EQ(Row(250), (Cells{u"Y", u"", u"", u"", u"", u"", u""}));
  });
}
