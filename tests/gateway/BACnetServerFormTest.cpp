// The BACnet server objects form: its row count and object limit from ParGen.xml, the check
// routine's tests and messages, the Length set by a write-grid type, the unit picker on a double
// click, the copy flags, and BACnet_Slave.xml as it is loaded and saved.
#include "gateway/UBACnetSlaveSetAccess.h"
#include "gateway/UBACnet_Eng_Unit.h"
#include "tests/gateway/BACnetFormTestSupport.h"

using snmp_form_test::Cells;
using snmp_form_test::Put_Row;
using snmp_form_test::Row_Of;
using snmp_form_test::TableFormTest;
using snmp_form_test::With;

namespace {

// Data Type, Eng. Unit, Position, Start Bit, Length, Swap, Mnemonic.
Cells Server_Row(const String& Type, const String& Position = u"0", const String& Length = u"4",
                 const String& Bit = u"", const String& Unit = u"62") {
  return {Type, Unit, Position, Bit, Length, u"N", u"obj"};
}

struct ServerCase {
  const char* Name;
  int Grid;  // 0 read, 1 write
  Cells Row;
  String Message;  // empty: passes; else the whole text after "Error row 1"
};

class BACnetServerFormTest : public TableFormTest<TFBACnetSlaveSetAccess> {
 protected:
  BACnetServerFormTest() : TableFormTest("bacnet_server_program", u"TFBACnetSlaveSetAccess", FBACnetSlaveSetAccess) {}
  void SetUp() override {
    TableFormTest::SetUp();
    Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = false;
  }
  void TearDown() override {
    delete FBACnet_Eng_Unit;
    TableFormTest::TearDown();
  }
  // Shows the form modally (no step button opens it); Drive runs while it is shown.
  int Open(const std::function<void(TFBACnetSlaveSetAccess*)>& Drive) {
    script_.AnswerModal(u"FBACnetSlaveSetAccess", [&](TForm*) {
      Drive(form_);
      return mrNone;
    });
    return form_->ShowModal();
  }
  TAdvColumnGrid* Grid(int Index) { return form_->Grids[static_cast<size_t>(Index)]; }
  void Set_Limit(const std::string& Text) { Write_ParGen({{"Device_Name", "gw"}, {"BACnet_Desc_Chars_Limit", Text}}); }
  std::string File() { return bacnet_form_test::BACnet_File_Text(Path_BACnet_Slave); }
  static std::string Slave_Row(const std::string& Type, const std::string& Swap = "N") {
    bank_test::Attrs a = {{"Data_Type", Type}, {"Eng_Unit", "62"}, {"Position", "0"}, {"Bit", ""}, {"Length", "4"}};
    if (!Swap.empty()) a.push_back({"Swap", Swap});
    a.push_back({"Mnemonic", "m"});
    return bank_test::Element("row", a);
  }
  void Write_Slave(const std::string& Read, const std::string& Write_Rows) {
    Write("BACnet_Slave.xml", "<BACnet_to_Modbus><BACnet_in_Read>" + Read + "</BACnet_in_Read><BACnet_in_Write>" +
                                  Write_Rows + "</BACnet_in_Write></BACnet_to_Modbus><!--SW_VERSION = 1.002-->");
  }
  // Double-clicks a cell with the mouse.
  void Double_Click(TAdvColumnGrid* G, int Col, int Row) {
    G->ScrollInView(Col, Row);
    const TRect r = G->CellRect(Col, Row);
    driver_.DblClick(G, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
};

}  // namespace

TEST_F(BACnetServerFormTest, RowCountAndObjectLimitFollowTheDescriptionLimit) {
  const struct {
    const char* Text;  // nullptr: no ParGen.xml
    int Rows;
  } cases[] = {{"1", 1000}, {"0", 2000}, {"1 ", 2000}, {"true", 2000}, {nullptr, 2000}, {"1", 1000}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.Text ? k.Text : "no ParGen.xml");
    if (k.Text)
      Set_Limit(k.Text);
    else
      std::filesystem::remove(dir_ / "ParGen.xml");
    Open([&](TFBACnetSlaveSetAccess* f) {
      EXPECT_EQ(f->Desc_Lenght, k.Rows == 1000);
      EXPECT_EQ(f->Object_Limit(), k.Rows);
      for (int g = 0; g < 2; ++g) {
        EXPECT_EQ(Grid(g)->RowCount(), k.Rows + 1);
        EXPECT_EQ(Grid(g)->GetCellEx(0, k.Rows), IntToStr(k.Rows));
        EXPECT_EQ(Grid(g)->Columns()->Items(bsPosition)->ComboItems()->Count(), 1500);
        EXPECT_EQ(Grid(g)->Columns()->Items(bsPosition)->ComboItems()->Strings(1499), u"1499");
        EXPECT_TRUE(Grid(g)->IsHiddenColumn(bsSwap));
      }
      EXPECT_EQ(f->PageControl1->ActivePageIndex(), 0);
    });
  }
  EXPECT_TRUE(Take_Messages().empty());
}

TEST_F(BACnetServerFormTest, TheFormsTextsAndSize) {
  EXPECT_EQ(form_->Caption(), u"BACnet Set Access");
  EXPECT_EQ(form_->ClientWidth(), 764);
  EXPECT_EQ(form_->ClientHeight(), 337);
  EXPECT_EQ(form_->TS_BACnet_in_Read->Caption(), u"BACnet in Read");
  EXPECT_EQ(form_->TS_BACnet_in_Write->Caption(), u"BACnet in Write");
  for (int g = 0; g < 2; ++g) EXPECT_EQ(Grid(g)->Columns()->Items(bsLength)->Header(), u"Length");
  EXPECT_EQ(Grid(0)->Columns()->Items(bsData_Type)->ComboItems()->Count(), 13);
  EXPECT_EQ(Grid(1)->Columns()->Items(bsData_Type)->ComboItems()->Strings(2), u"Binary Out");
}

TEST_F(BACnetServerFormTest, EachRowTestWithItsWholeMessage) {
  const String r = u"Error row 1!! [BACnet in Read] ";
  const String w = u"Error row 1!! [BACnet in Write] ";
  const std::vector<ServerCase> cases = {
      {"large analog value ends at 1499", 0, Server_Row(u"Large Analog Value", u"1492", u"8"), u""},
      {"large analog value one byte further", 0, Server_Row(u"Large Analog Value", u"1493", u"8"),
       r + u"Too many bytes to save starting from the Position indicate"},
      {"binary input without a start bit", 0, Server_Row(u"Binary Input", u"0", u"99"),
       r + u"Bit must be between 0 and 7"},
      {"binary input at the last byte, bit 7", 0, Server_Row(u"Binary Input", u"1499", u"", u"7"), u""},
      {"binary input with bit 8 from an edited file", 0, Server_Row(u"Binary Input", u"0", u"", u"8"),
       r + u"Bit must be between 0 and 7"},
      {"binary out with bit 9 from an edited file", 1, Server_Row(u"Binary Out", u"0", u"", u"9"),
       w + u"Bit must be between 0 and 7"},
      {"binary value of the write grid", 1, Server_Row(u"Binary Value", u"3", u"", u"0"), u""},
      {"read integer value: Length untested", 0, Server_Row(u"Integer Value", u"1499", u""), u""},
      {"read integer value: only the area bounds it", 0, Server_Row(u"Integer Value", u"1498", u"3"),
       r + u"Too many bytes to save starting from the Position indicate"},
      {"write access door of 2 bytes", 1, Server_Row(u"Access Door", u"0", u"2"),
       w + u"Length with variable \"Access Door\" must be equal to 1"},
      {"read life safety zone of 3 bytes", 0, Server_Row(u"Life Safety Zone", u"0", u"3"),
       r + u"Length with variable \"Life Safety Zone\" must be 1 or 2"},
      {"read analog input without a length", 0, Server_Row(u"Analog Input", u"0", u""),
       r + u"Length with variable \"Analog Input\" must be between 1 and 4"},
      {"write integer value of 5 bytes", 1, Server_Row(u"Integer Value", u"0", u"5"),
       w + u"Length with variable \"Integer Value\" must be between 1 and 4"},
      {"the type is compared with its case", 0, Server_Row(u"analog input", u"0", u"9"), u""},
      {"Eng. Unit 65536", 0, Server_Row(u"Analog Input", u"0", u"4", u"", u"65536"),
       r + u"Eng. Unit must be between 0 and 65535"},
      {"Eng. Unit empty", 1, Server_Row(u"Analog Out", u"0", u"4", u"", u""),
       w + u"Eng. Unit must be between 0 and 65535"},
      {"Eng. Unit 65535 in hexadecimal", 1, Server_Row(u"Analog Out", u"0", u"4", u"", u"$FFFF"), u""},
      {"position 1500", 0, Server_Row(u"Analog Input", u"1500"), r + u"Position must be between 0 and 1499"},
      {"position empty", 1, Server_Row(u"Analog Value", u""), w + u"Position must be between 0 and 1499"},
  };
  for (const ServerCase& k : cases) {
    SCOPED_TRACE(k.Name);
    form_->Reset_Grids();
    Put_Row(Grid(k.Grid), 1, k.Row);
    Expect_Check(form_->Controllo_dati(), k.Message);
  }
}

TEST_F(BACnetServerFormTest, TheObjectLimitCountsBothGridsAndTheFirstEmptyTypeEndsAGrid) {
  Set_Limit("1");
  Open([&](TFBACnetSlaveSetAccess* f) {
    for (int r = 1; r <= 600; ++r) Put_Row(f->ACG_BACnet_in_Read, r, Server_Row(u"Binary Value", u"0", u"", u"0"));
    for (int r = 1; r <= 400; ++r) Put_Row(f->ACG_BACnet_in_Write, r, Server_Row(u"Binary Value", u"0", u"", u"0"));
    EXPECT_TRUE(f->Controllo_dati());
    EXPECT_TRUE(Take_Messages().empty());
    Put_Row(f->ACG_BACnet_in_Write, 401, Server_Row(u"Binary Value", u"0", u"", u"0"));
    EXPECT_FALSE(f->Controllo_dati());
    const auto messages = Take_Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, u"Error!! Too many Requests. Max requests 1000");
    // A row after the first empty type is neither counted nor tested.
    f->ACG_BACnet_in_Write->SetCellEx(bsData_Type, 400, u"  ");
    EXPECT_TRUE(f->Controllo_dati());
    Put_Row(f->ACG_BACnet_in_Write, 402, Server_Row(u"Analog Out", u"9999"));
    EXPECT_TRUE(f->Controllo_dati());
  });
}

TEST_F(BACnetServerFormTest, AWriteTypeSetsItsLengthTheReadGridLeavesIt) {
  Open([&](TFBACnetSlaveSetAccess* f) {
    TAdvColumnGrid* w = f->ACG_BACnet_in_Write;
    ASSERT_TRUE(w->OnComboChange);
    EXPECT_FALSE(f->ACG_BACnet_in_Read->OnComboChange);
    const struct {
      String Type;
      String Length;
    } cases[] = {{u"Large Analog Value", u"8"}, {u"Analog Out", u"4"},         {u"Binary Out", u"1"},
                 {u"access door", u"1"},        {u"Multi State Output", u"4"}, {u"Binary Value", u"1"}};
    for (const auto& k : cases) {
      w->SetCellEx(bsLength, 3, u"x");
      w->OnComboChange(w, bsData_Type, 3, 0, k.Type);
      EXPECT_EQ(w->GetCellEx(bsLength, 3), k.Length) << StringToUtf8(k.Type);
    }
    // Another column's list leaves the Length alone.
    w->SetCellEx(bsLength, 3, u"x");
    w->OnComboChange(w, bsStart_Bit, 3, 0, u"Large Analog Value");
    EXPECT_EQ(w->GetCellEx(bsLength, 3), u"x");
  });
}

TEST_F(BACnetServerFormTest, ADoubleClickOnEngUnitOpensThePicker) {
  Open([&](TFBACnetSlaveSetAccess* f) {
    TAdvColumnGrid* r = f->ACG_BACnet_in_Read;
    r->SetCellEx(bsEng_Unit, 2, u"62");
    r->SetCellEx(bsEng_Unit, 3, u"abc");
    const struct {
      TAdvColumnGrid* Grid;
      int Row;
      String Shown;
      String Label;
      int Answer;
      String After;
    } cases[] = {{r, 2, u"62", u"-> degrees-Celsius", mrCancel, u"62"},
                 {r, 3, u"abc", u"-> unknown", mrOk, u"98"},
                 {f->ACG_BACnet_in_Write, 1, u"", u"-> unknown", mrOk, u"98"}};
    for (const auto& k : cases) {
      String shown, label;
      script_.AnswerModal(u"FBACnet_Eng_Unit", [&](TForm*) {
        shown = FBACnet_Eng_Unit->E_Selected_EU->Text();
        label = FBACnet_Eng_Unit->Label5->Caption();
        FBACnet_Eng_Unit->E_Selected_EU->SetText(u"98");
        return k.Answer;
      });
      Double_Click(k.Grid, bsEng_Unit, k.Row);
      EXPECT_EQ(script_.ModalForms().back().FormName, u"FBACnet_Eng_Unit");
      EXPECT_EQ(shown, k.Shown);
      EXPECT_EQ(label, k.Label);
      EXPECT_EQ(k.Grid->GetCellEx(bsEng_Unit, k.Row), k.After);
    }
    // Another column, or the header, opens nothing.
    const size_t before = script_.ModalForms().size();
    Double_Click(r, bsMnemonic, 2);
    f->Grid_DblClickCell(r, 0, bsEng_Unit);
    EXPECT_EQ(script_.ModalForms().size(), before);
    EXPECT_EQ(r->Columns()->Items(bsEng_Unit)->Header(), u"Eng. Unit");
  });
}

TEST_F(BACnetServerFormTest, ACopiedRowPastesOnlyIntoItsOwnGrid) {
  Open([&](TFBACnetSlaveSetAccess* f) {
    Put_Row(f->ACG_BACnet_in_Read, 1, With(Server_Row(u"Analog Input"), bsSwap, u"Y"));
    f->ACG_BACnet_in_Read->SetRowEx(1);
    f->Btn_CopyRowClick(f->Btn_CopyRow);
    EXPECT_TRUE(f->Do_Copy_Read());
    EXPECT_FALSE(f->Do_Copy_Write());
    f->PageControl1->UserSelectPage(1);
    f->ACG_BACnet_in_Write->SetRowEx(2);
    f->Btn_PasteRowClick(f->Btn_PasteRow);
    const auto messages = Take_Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, UI_Text(1502));
    EXPECT_EQ(f->ACG_BACnet_in_Write->GetCellEx(bsData_Type, 2), u"");
    // In its own grid the row pastes whole, hidden Swap included.
    f->PageControl1->UserSelectPage(0);
    f->ACG_BACnet_in_Read->SetRowEx(4);
    f->Btn_PasteRowClick(f->Btn_PasteRow);
    EXPECT_EQ(Row_Of(f->ACG_BACnet_in_Read, 4), With(Server_Row(u"Analog Input"), bsSwap, u"Y"));
  });
}

TEST_F(BACnetServerFormTest, TheFileIsWrittenWithItsVersionAndSwapDefaultsToN) {
  Write_Slave(Slave_Row("Analog Input", "") + Slave_Row("Binary Input", "Y"), Slave_Row("Analog Out", ""));
  EXPECT_EQ(Open([&](TFBACnetSlaveSetAccess* f) {
              EXPECT_EQ(f->ACG_BACnet_in_Read->GetCellEx(bsSwap, 1), u"N");
              EXPECT_EQ(f->ACG_BACnet_in_Read->GetCellEx(bsSwap, 2), u"Y");
              EXPECT_EQ(f->ACG_BACnet_in_Write->GetCellEx(bsSwap, 1), u"N");
              f->ACG_BACnet_in_Read->SetCellEx(bsStart_Bit, 2, u"3");
              f->ACG_BACnet_in_Write->SetCellEx(bsMnemonic, 1, u"Set <\"1\"> & more");
              f->Btn_OKClick(f->Btn_OK);
            }),
            mrOk);
  EXPECT_TRUE(Take_Messages().empty());
  EXPECT_EQ(File(),
            "<BACnet_to_Modbus><BACnet_in_Read>"
            "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" "
            "Mnemonic=\"m\"/>"
            "<row Data_Type=\"Binary Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"3\" Length=\"4\" Swap=\"Y\" "
            "Mnemonic=\"m\"/></BACnet_in_Read><BACnet_in_Write>"
            "<row Data_Type=\"Analog Out\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" "
            "Mnemonic=\"Set &lt;&quot;1&quot;&gt; &amp; more\"/></BACnet_in_Write></BACnet_to_Modbus>"
            "<!--SW_VERSION = 1.002-->");
  // An empty table still writes both sections.
  std::filesystem::remove(dir_ / "BACnet_Slave.xml");
  Open([&](TFBACnetSlaveSetAccess* f) { f->Btn_OKClick(f->Btn_OK); });
  EXPECT_EQ(File(),
            "<BACnet_to_Modbus><BACnet_in_Read/><BACnet_in_Write/></BACnet_to_Modbus><!--SW_VERSION = 1.002-->");
}

TEST_F(BACnetServerFormTest, MoreFileRowsThanGridRowsAreReportedAndNotOverwrittenUnasked) {
  Set_Limit("1");
  std::string rows;
  for (int i = 0; i < 1500; ++i) rows += Slave_Row("Binary Value");
  Write_Slave(rows, "");
  const std::string before = File();
  Open([&](TFBACnetSlaveSetAccess* f) {
    const auto messages = Take_Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].Text.find(u"holds more than 1000 rows"), String::npos) << StringToUtf8(messages[0].Text);
    EXPECT_EQ(f->ACG_BACnet_in_Read->GetCellEx(bsData_Type, 1000), u"Binary Value");
    EXPECT_TRUE(f->Load_Incomplete());
    // The rows also pass no check: a Bit is missing. Fill it, then OK asks before it writes.
    for (int r = 1; r <= 1000; ++r) f->ACG_BACnet_in_Read->SetCellEx(bsStart_Bit, r, u"0");
    script_.ExpectMessage(mrNo);
    f->Btn_OKClick(f->Btn_OK);
    EXPECT_EQ(Take_Messages().size(), 1u);
  });
  EXPECT_EQ(File(), before);
}

TEST_F(BACnetServerFormTest, ARowWithoutARequiredAttributeEndsTheLoadThere) {
  Write_Slave(Slave_Row("Analog Input") +
                  "<row Data_Type=\"Analog Value\" Position=\"1\" Bit=\"\" Length=\"4\" "
                  "Mnemonic=\"x\"/>" +
                  Slave_Row("Access Door"),
              Slave_Row("Analog Out"));
  Open([&](TFBACnetSlaveSetAccess* f) {
    const auto messages = Take_Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].Text.find(u"Eng_Unit"), String::npos) << StringToUtf8(messages[0].Text);
    EXPECT_EQ(f->ACG_BACnet_in_Read->GetCellEx(bsData_Type, 1), u"Analog Input");
    EXPECT_EQ(f->ACG_BACnet_in_Read->GetCellEx(bsData_Type, 3), u"");
    EXPECT_EQ(f->ACG_BACnet_in_Write->GetCellEx(bsData_Type, 1), u"");
    EXPECT_TRUE(f->Load_Incomplete());
  });
}
