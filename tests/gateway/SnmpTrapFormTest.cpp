// The SNMP agent tables form through the main window's Set SNMP Access step: its check routine,
// the row buttons, Cancel and OK, and the saved file read back by the MIB writer and the image
// builder.
#include "gateway/USNMP_MIB.h"
#include "tests/gateway/SnmpTrapFormTestSupport.h"

using namespace snmp_form_test;
using bank_test::Slot_Text;
using bank_test::U16;

namespace {

constexpr size_t Trap_Read_Entry(int i) { return size_t(i) * 48; }
constexpr size_t Trap_Write_Entry(int i) { return 12288 + size_t(i) * 48; }

// One case of the check routine: what is put into the tables and the one message expected ("" =
// the tables pass).
struct CheckCase {
  const char* Name;
  std::vector<Cells> Read;
  std::vector<Cells> Write;
  String Message;
};

}  // namespace

TEST_F(SnmpFormTest, TheCheckRoutineShowsTheFirstFailureOnly) {
  const Cells good = Good_Read(u"temp");
  const Cells str = With(good, srType, u"String");
  const CheckCase cases[] = {
      {"valid rows", {good, Good_Read(u"hum")}, {Good_Write(u"setp")}, u""},
      {"a disabled row with invalid values passes",
       {good, With(With(With(good, srEnable, u"N"), srType, u""), srDescription, u"Bad Desc")},
       {},
       u""},
      {"String with Start Bit 3", {With(str, srBit, u"3")}, {}, Error_Row(1, 4765)},
      {"Int with Start Bit 3 and 64 bits", {With(With(good, srBit, u"3"), srNumBits, u"64")}, {}, u""},
      {"Int with 65 bits", {good, With(good, srNumBits, u"65")}, {}, Error_Row(2, 4766)},
      {"String of 17 bytes", {With(str, srNumBits, u"17")}, {}, Error_Row(1, 4767)},
      {"0x10 reads as 16", {With(str, srNumBits, u"0x10")}, {}, u""},
      {"On Timer N with an empty Time", {With(good, srOn_Timer, u"N")}, {}, u""},
      {"On Timer Y with Time 0", {With(With(good, srOn_Timer, u"Y"), srTime, u"0")}, {}, Error_Row(1, 4762)},
      {"On Timer y with Time 1000", {With(With(good, srOn_Timer, u"y"), srTime, u"1000")}, {}, u""},
      {"Type not chosen", {With(good, srType, u" ")}, {}, Error_Row(1, 4761)},
      {"Position not chosen", {With(good, srPosition, u"")}, {}, Error_Row(1, 4763)},
      {"Start Bit not chosen", {With(good, srBit, u"")}, {}, Error_Row(1, 4764)},
      {"Description with an upper-case first letter", {With(good, srDescription, u"Temp")}, {}, Error_Row(1, 4777)},
      {"Description with a digit first", {With(good, srDescription, u"1temp")}, {}, Error_Row(1, 4777)},
      {"Description with an underscore", {With(good, srDescription, u"te_mp")}, {}, Error_Row(1, 4777)},
      {"Description with a blank", {With(good, srDescription, u"te mp")}, {}, Error_Row(1, 4777)},
      {"one empty Description", {With(good, srDescription, u"")}, {Good_Write(u"setp")}, u""},
      {"two empty Descriptions across the tables",
       {With(good, srDescription, u"")},
       {Good_Write(u"")},
       UI_Text(4780)},
      {"the same Description read and write", {good}, {Good_Write(u"temp")}, UI_Text(4780)},
      {"Descriptions differing in case", {good}, {Good_Write(u"tEmp")}, u""},
      {"Community Name with a blank inside", {With(good, srCommunity_Name, u"pub lic")}, {}, Error_Row(1, 4776)},
      {"a Community Name of blanks ends the table",
       {good, With(good, srCommunity_Name, u"   "), With(good, srType, u"")},
       {},
       u""},
      {"IP Address of three parts", {With(good, srIP_Address, u"192.168.1")}, {}, Error_Row(1, 4768)},
      {"IP Address with a part of 256", {With(good, srIP_Address, u"192.168.1.256")}, {}, Error_Row(1, 4768)},
      {"IP Address with blanks around the parts", {With(good, srIP_Address, u" 192 . 168 .1. 7 ")}, {}, u""},
      {"Conversion not chosen", {With(good, srConversion, u"")}, {}, Error_Row(1, 4785)},
      {"write: String with Start Bit 3",
       {good},
       {Good_Write(u"a"), With(With(Good_Write(u"b"), swType, u"String"), swBit, u"3")},
       Error_Row(2, 4772)},
      {"write: Community Name with a dot", {}, {With(Good_Write(u"a"), swCommunity_Name, u"pri.vate")},
       Error_Row(1, 4778)},
      {"write: Description with an upper-case first letter", {}, {Good_Write(u"Abc")}, Error_Row(1, 4779)},
      {"write: String of 17 bytes", {}, {With(Good_Write(u"a", u"String"), swNumBits, u"17")}, Error_Row(1, 4774)},
      {"write: Conversion not chosen", {}, {With(Good_Write(u"a"), swConversion, u" ")}, Error_Row(1, 4786)},
  };
  for (const CheckCase& k : cases) {
    SCOPED_TRACE(k.Name);
    form_->Reset_Grids();
    for (size_t i = 0; i < k.Read.size(); ++i) Put_Row(form_->ACG_SNMP_Read, int(i) + 1, k.Read[i]);
    for (size_t i = 0; i < k.Write.size(); ++i) Put_Row(form_->ACG_SNMP_Write, int(i) + 1, k.Write[i]);
    Expect_Check(form_->Controllo_dati(), k.Message);
  }
}

TEST_F(SnmpFormTest, OkWithAFailingRowWritesNothingAndKeepsTheFormOpen) {
  const int result = Open([&](TFSNMP_Trap_Access* f) {
    Put_Row(f->ACG_SNMP_Read, 1, With(Good_Read(u"temp"), srBit, u""));
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(f->ModalResult(), mrNone);
  });
  EXPECT_EQ(result, mrNone);  // still open when the script closed it
  const auto messages = Take_Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].Text, Error_Row(1, 4764));
  EXPECT_FALSE(FileExists(Path_SNMP_Trap));
}

TEST_F(SnmpFormTest, OkWritesTheFileThatTheMibWriterAndTheImageBuilderReadBack) {
  const int result = Open([&](TFSNMP_Trap_Access* f) {
    EXPECT_EQ(f->Caption(), u"Set SNMP Trap Access");
    Put_Row(f->ACG_SNMP_Read, 1, With(With(Good_Read(u"temp"), srPosition, u"10"), srOn_Change, u"Y"));
    Put_Row(f->ACG_SNMP_Read, 2, With(With(Good_Read(u"Bad Desc"), srEnable, u"N"), srType, u""));
    Put_Row(f->ACG_SNMP_Read, 3, With(With(Good_Read(u"label", u"String"), srNumBits, u"0x10"), srPosition, u"1439"));
    Put_Row(f->ACG_SNMP_Write, 1, With(Good_Write(u"setp"), swConversion, u"Float * 10"));
    driver_.Click(f->Btn_OK);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(Take_Messages().empty());
  ASSERT_TRUE(FileExists(Path_SNMP_Trap));

  // The file holds every row up to the first blank Community Name, the disabled one too.
  TSNMP_Trap_File file;
  ASSERT_TRUE(Read_SNMP_Trap_File(Path_SNMP_Trap, file));
  ASSERT_EQ(file.Read.size(), 3u);
  ASSERT_EQ(file.Write.size(), 1u);
  EXPECT_EQ(file.Read[1].Value(u"Enable"), u"N");
  EXPECT_EQ(file.Read[2].Value(u"NumBits"), u"0x10");  // kept as typed

  // The MIB names the enabled rows in their order.
  Read_SNMP_Trap_Descriptions();
  ASSERT_EQ(MIB_Read_Descriptions->Count(), 2);
  EXPECT_EQ(MIB_Read_Descriptions->Strings(0), u"temp");
  EXPECT_EQ(MIB_Read_Descriptions->Strings(1), u"label");
  ASSERT_EQ(MIB_Write_Descriptions->Count(), 1);
  const std::string mib = SNMP_MIB_Text();
  EXPECT_NE(mib.find("temp OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"temp\" "
                     "::= { bufferinval 1 }"),
            std::string::npos);
  EXPECT_NE(mib.find("label OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION "
                     "\"label\" ::= { bufferinval 2 }"),
            std::string::npos);
  EXPECT_NE(mib.find("setp OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write"), std::string::npos);

  // Bank 2 holds the enabled rows in the same order.
  Build();
  EXPECT_EQ(U16(bank2, Trap_Read_Entry(0) + 0), 10);
  EXPECT_EQ(bank2[Trap_Read_Entry(0) + 7] & 0x1, 0x1);  // on change
  EXPECT_EQ(Slot_Text(bank2, Trap_Read_Entry(0) + 12, 16), "public");
  EXPECT_EQ(Slot_Text(bank2, Trap_Read_Entry(0) + 28, 16), "temp");
  EXPECT_EQ(U16(bank2, Trap_Read_Entry(1) + 0), 1439);
  EXPECT_EQ(U16(bank2, Trap_Read_Entry(1) + 4), 128);  // 16 bytes
  EXPECT_EQ(Slot_Text(bank2, Trap_Read_Entry(1) + 28, 16), "label");
  EXPECT_EQ(Slot_Text(bank2, Trap_Read_Entry(2) + 12, 16), "");
  EXPECT_EQ(Slot_Text(bank2, Trap_Write_Entry(0) + 12, 16), "private");

  // Shown again: the file's rows, numbered among the enabled ones.
  Open([&](TFSNMP_Trap_Access* f) {
    EXPECT_EQ(Row_Of(f->ACG_SNMP_Read, 2), With(With(Good_Read(u"Bad Desc"), srEnable, u"N"), srType, u""));
    EXPECT_EQ(f->ACG_SNMP_Read->GetCellEx(0, 1), u"1");
    EXPECT_EQ(f->ACG_SNMP_Read->GetCellEx(0, 2), u"");
    EXPECT_EQ(f->ACG_SNMP_Read->GetCellEx(0, 3), u"2");
    EXPECT_EQ(f->ACG_SNMP_Read->GetCellEx(0, 4), u"3");  // reset rows are enabled
    EXPECT_EQ(f->ACG_SNMP_Write->GetCellEx(swConversion, 1), u"Float * 10");
  });
}

TEST_F(SnmpFormTest, CancelAfterEditsWritesNothingAndTheNextShowingHasTheFile) {
  Open([&](TFSNMP_Trap_Access* f) {
    Put_Row(f->ACG_SNMP_Read, 1, Good_Read(u"temp"));
    driver_.Click(f->Btn_OK);
  });
  ASSERT_TRUE(FileExists(Path_SNMP_Trap));
  const auto bytes = Read_File(dir_ / "SNMP_Trap.xml");
  const int result = Open([&](TFSNMP_Trap_Access* f) {
    f->ACG_SNMP_Read->SetCellEx(srDescription, 1, u"changed");
    Put_Row(f->ACG_SNMP_Write, 1, Good_Write(u"other"));
    driver_.Click(f->Btn_Cancel);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_TRUE(Take_Messages().empty());
  EXPECT_EQ(Read_File(dir_ / "SNMP_Trap.xml"), bytes);
  Open([&](TFSNMP_Trap_Access* f) {
    EXPECT_EQ(f->ACG_SNMP_Read->GetCellEx(srDescription, 1), u"temp");
    EXPECT_EQ(f->ACG_SNMP_Write->GetCellEx(swCommunity_Name, 1), u"");
    EXPECT_EQ(f->ACG_SNMP_Write->GetCellEx(swEnable, 1), u"Y");
  });
}

TEST_F(SnmpFormTest, ACopyOnTheReadPageDoesNotPasteOnTheWritePage) {
  Open([&](TFSNMP_Trap_Access* f) {
    // Nothing copied during this showing: a row copied earlier does not count.
    Grid_Clipboard->Clear();
    for (int i = 0; i < 13; ++i) Grid_Clipboard->Add(u"x");
    Show_Page(0);
    Click_Cell(f->ACG_SNMP_Read, 3, 2);
    driver_.Click(f->Btn_PasteRow);
    EXPECT_EQ(Take_Messages().back().Text, UI_Text(1502));

    Put_Row(f->ACG_SNMP_Read, 2, Good_Read(u"temp"));
    driver_.Click(f->Btn_CopyRow);
    EXPECT_TRUE(f->Do_Copy_In_Read());
    EXPECT_FALSE(f->Do_Copy_In_Write());
    Show_Page(1);
    Click_Cell(f->ACG_SNMP_Write, 2, 3);
    driver_.Click(f->Btn_PasteRow);
    auto messages = Take_Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, UI_Text(1502));
    EXPECT_EQ(f->ACG_SNMP_Write->GetCellEx(swCommunity_Name, 3), u"");

    // Back on the read page the copy pastes into a free row without a question.
    Show_Page(0);
    Click_Cell(f->ACG_SNMP_Read, 4, 5);
    driver_.Click(f->Btn_PasteRow);
    EXPECT_TRUE(Take_Messages().empty());
    EXPECT_EQ(Row_Of(f->ACG_SNMP_Read, 5), Good_Read(u"temp"));
  });
}

TEST_F(SnmpFormTest, RowButtonsMoveRowsAndOnlyAnEnableClickRenumbers) {
  Open([&](TFSNMP_Trap_Access* f) {
    TAdvColumnGrid* g = f->ACG_SNMP_Read;
    for (int r = 1; r <= 3; ++r) Put_Row(g, r, Good_Read(u"d" + IntToStr(r)));
    // An Enable click renumbers its grid.
    g->SetCellEx(srEnable, 2, u"N");
    g->OnCheckBoxClick(g, srEnable, 2, false);
    EXPECT_EQ((Cells{g->GetCellEx(0, 1), g->GetCellEx(0, 2), g->GetCellEx(0, 3)}), (Cells{u"1", u"", u"2"}));
    // A click in another check-box column does not.
    g->SetCellEx(srEnable, 3, u"N");
    g->OnCheckBoxClick(g, srOn_Change, 3, true);
    EXPECT_EQ(g->GetCellEx(0, 3), u"2");

    // Insert at row 1: rows move down, Enable "Y" in the new row, column 0 unchanged.
    Click_Cell(g, 3, 1);
    driver_.Click(f->Btn_InsRow);
    EXPECT_EQ(g->GetCellEx(srEnable, 1), u"Y");
    EXPECT_EQ(g->GetCellEx(srCommunity_Name, 1), u"");
    EXPECT_EQ(g->GetCellEx(srDescription, 2), u"d1");
    EXPECT_EQ(g->GetCellEx(0, 2), u"");

    // Delete asks with the row number; No leaves the grid, Yes moves the rows up.
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_DelRow);
    auto messages = Take_Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, UI_Text(4775) + u"1");
    EXPECT_EQ(messages[0].Type, mtConfirmation);
    EXPECT_EQ(g->GetCellEx(srDescription, 2), u"d1");
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_DelRow);
    Take_Messages();
    EXPECT_EQ(g->GetCellEx(srDescription, 1), u"d1");
    EXPECT_EQ(g->GetCellEx(srEnable, SNMP_Trap_Rows), u"");  // the freed last row
  });
}

TEST_F(SnmpFormTest, EnterWalksTheCellsAndTheHeaderHintsComeFromTheLists) {
  Open([&](TFSNMP_Trap_Access* f) {
    TAdvColumnGrid* g = f->ACG_SNMP_Read;
    Opt_Jump_Field_Tables = true;
    Click_Cell(g, 13, 4);
    driver_.Key(f, VK_RETURN);
    EXPECT_EQ(g->Col(), 14);
    EXPECT_EQ(g->Row(), 4);
    driver_.Key(f, VK_RETURN);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 5);
    Opt_Jump_Field_Tables = false;

    String hint = u"x";
    g->OnGridHint(g, 0, srConversion, hint);
    EXPECT_EQ(hint, UI_Text(4783));
    g->OnGridHint(g, 3, srConversion, hint);
    EXPECT_EQ(hint, u"");
    ASSERT_EQ(f->Hint_SNMP_Write->Count(), 9);
    EXPECT_EQ(f->Hint_SNMP_Write->Strings(7), UI_Text(4784));
    EXPECT_EQ(f->Hint_SNMP_Read->Strings(0), UI_Text(4739));
  });
}

TEST_F(SnmpFormTest, AFileTheGridsCannotHoldIsReportedAndOkAsksBeforeOverwritingIt) {
  std::vector<bank_test::Attrs> rows;
  for (int i = 0; i < SNMP_Trap_Rows + 1; ++i)
    rows.push_back({{"Enable", "Y"}, {"Community_Name", "c" + std::to_string(i)}, {"Type", "Int"}});
  Write_SNMP(rows, {});
  const auto before = Read_File(dir_ / "SNMP_Trap.xml");
  for (int answer : {mrNo, mrYes}) {
    SCOPED_TRACE(answer == mrNo ? "No" : "Yes");
    const int result = Open([&](TFSNMP_Trap_Access* f) {
      auto shown = Take_Messages();
      ASSERT_EQ(shown.size(), 1u);
      EXPECT_EQ(shown[0].Type, mtError);
      EXPECT_NE(shown[0].Text.find(u"256"), String::npos);
      EXPECT_TRUE(f->Load_Incomplete());
      EXPECT_EQ(f->ACG_SNMP_Read->GetCellEx(srCommunity_Name, 256), u"c255");
      EXPECT_EQ(f->ACG_SNMP_Read->GetCellEx(0, 256), u"256");  // the show went on
      // Valid rows, so only the question stands between OK and the file.
      for (int r = 1; r <= SNMP_Trap_Rows; ++r) {
        Put_Row(f->ACG_SNMP_Read, r, With(Good_Read(u"d" + IntToStr(r)), srCommunity_Name, u"c" + IntToStr(r - 1)));
      }
      script_.ExpectMessage(answer);
      driver_.Click(f->Btn_OK);
      auto asked = Take_Messages();
      ASSERT_EQ(asked.size(), 1u);
      EXPECT_EQ(asked[0].Type, mtConfirmation);
    });
    if (answer == mrNo) {
      EXPECT_EQ(result, mrNone);
      EXPECT_EQ(Read_File(dir_ / "SNMP_Trap.xml"), before);
    } else {
      EXPECT_EQ(result, mrOk);
      TSNMP_Trap_File file;
      ASSERT_TRUE(Read_SNMP_Trap_File(Path_SNMP_Trap, file));
      EXPECT_EQ(file.Read.size(), size_t(SNMP_Trap_Rows));
    }
  }
}

TEST_F(SnmpFormTest, AFileThatFailsPartWayIsReportedAndKeepsTheRowsReadBeforeIt) {
  Write("SNMP_Trap.xml",
        "<SNMP_Trap><SNMP_Trap_Read><row Enable=\"Y\" Community_Name=\"first\"/></SNMP_Trap_Read></SNMP_Trap>");
  Open([&](TFSNMP_Trap_Access* f) {
    auto shown = Take_Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].Text.find(u"SNMP_Trap_Write"), String::npos);
    EXPECT_EQ(f->ACG_SNMP_Read->GetCellEx(srCommunity_Name, 1), u"first");
    EXPECT_TRUE(f->Load_Incomplete());
    EXPECT_FALSE(f->Do_Copy_In_Read());
  });
}

TEST_F(SnmpFormTest, TheLanguageChangeRetextsTheForm) {
  Language_List->SetStrings(4708, u"Lettura");
  Language_List->SetStrings(4718, u"Comunita");
  Language_List->SetStrings(4740, u"Suggerimento");
  main_->Change_Language();
  EXPECT_EQ(form_->TS_SNMP_Read->Caption(), u"Lettura");
  EXPECT_EQ(form_->ACG_SNMP_Read->Columns()->Items(srCommunity_Name)->Header(), u"Comunita");
  EXPECT_EQ(form_->Hint_SNMP_Read->Strings(1), u"Suggerimento");
  EXPECT_EQ(form_->ACG_SNMP_Read->GetCellEx(srCommunity_Name, 0), u"Comunita");
  Load_Default_Strings();
}

TEST_F(SnmpFormTest, TheFormHasItsSizeGridsAndLists) {
  EXPECT_EQ(form_->ClientWidth(), 1256);
  EXPECT_EQ(form_->ClientHeight(), 337);
  EXPECT_EQ(form_->PageControl1->ActivePage(), form_->TS_SNMP_Read);
  for (auto [g, cols] : {std::pair{form_->ACG_SNMP_Read, 15}, std::pair{form_->ACG_SNMP_Write, 10}}) {
    EXPECT_EQ(g->RowCount(), 257);
    EXPECT_EQ(g->ColCount(), cols);
    EXPECT_EQ(g->Columns()->Items(1)->Editor(), edDataCheckBox);
    EXPECT_EQ(g->Columns()->Items(2)->EditLength(), 15);
  }
  Open([&](TFSNMP_Trap_Access* f) {
    TStringList* positions = f->ACG_SNMP_Read->Columns()->Items(srPosition)->ComboItems();
    ASSERT_EQ(positions->Count(), 1440);
    EXPECT_EQ(positions->Strings(0), u"0");
    EXPECT_EQ(positions->Strings(1439), u"1439");
    EXPECT_EQ(f->ACG_SNMP_Write->Columns()->Items(swPosition)->ComboItems()->Count(), 1440);
    EXPECT_EQ(f->ACG_SNMP_Read->Columns()->Items(srConversion)->ComboItems()->Count(), 6);
    Show_Page(1);
  });
  // The page chosen last stays for the next showing.
  EXPECT_EQ(form_->PageControl1->ActivePage(), form_->TS_SNMP_Write);
}
