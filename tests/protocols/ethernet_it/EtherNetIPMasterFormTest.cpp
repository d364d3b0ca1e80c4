// The EtherNet/IP scanner form: its check (order, messages compared whole, totals), the file with
// its read defaults, the form's own button and hints, and the import through the EDS connection
// dialog.
#include "protocols/ethernet_it/UEtherNEtIP_EDS.h"
#include "protocols/ethernet_it/UEtherNetIP_Master_Access.h"
#include "tests/protocols/ethernet_it/EthernetItFormTestSupport.h"

using ethernet_it_test::Cells;
using ethernet_it_test::File_Text;
using ethernet_it_test::Put_Row;
using ethernet_it_test::Row_Of;
using ethernet_it_test::With;

namespace {

Cells Slave(const String& IP = u"192.168.1.10", const String& NumIn = u"100", const String& NumOut = u"100") {
  return {u"Y", IP, u"0", NumIn, u"0", NumOut, u"1000", u"1", u"100", u"1", u"101", u"Default", u"Default", u"slave"};
}

class EtherNetIPMasterTest : public ethernet_it_test::FormTest<TFEtherNetIP_Master_Access> {
 protected:
  EtherNetIPMasterTest()
      : FormTest(u"TFEtherNetIP_Master_Access", FEtherNetIP_Master_Access, &TFKelvaneFirmWare::Btn_EtherNetIP_Access) {}
  void TearDown() override {
    delete FEtherNEtIP_EDS;
    FormTest::TearDown();
  }

  // The step with the EDS dialog shown inside it: the form's own modal result.
  int Open_With_Dialogs(const std::function<void(TFEtherNetIP_Master_Access*)>& Drive) {
    script_.AnswerModal(form_->Name(), [&](TForm*) {
      Drive(form_);
      return mrNone;
    });
    const size_t before = script_.ModalForms().size();
    main_->Btn_Click(main_->Btn_EtherNetIP_Access);
    EXPECT_GT(script_.ModalForms().size(), before);
    return script_.ModalForms().size() > before ? script_.ModalForms()[before].Result : mrNone;
  }

  // One import of an EDS file of the given lines; Drive runs while the EDS dialog is shown and
  // answers its result.
  void Import(TFEtherNetIP_Master_Access* F, const std::string& Eds,
              const std::function<int(TFEtherNEtIP_EDS*)>& Drive) {
    Write("slave.eds", Eds);
    script_.AnswerFileDialog(PathJoin(Project_Folder, u"slave.eds"));
    script_.AnswerModal(u"FEtherNEtIP_EDS", [&](TForm*) { return Drive(FEtherNEtIP_EDS); });
    driver_.Click(F->Btn_Import_EDS);
  }
};

std::string EdsEntry(int N, const std::string& Path, const std::string& Params = "0x44240405") {
  return "Connection" + std::to_string(N) + " = 0x04010002, " + Params +
         ", Param1, 32, Assem100, Param2, 32, Assem101, , , , , \"Owner " + std::to_string(N) + "\", \"\", \"" + Path +
         "\";\r\n";
}

struct MasterCase {
  const char* Name;
  std::vector<std::pair<int, Cells>> Rows;
  const char16_t* Message;  // nullptr: the table passes
};

}  // namespace

TEST_F(EtherNetIPMasterTest, TheCheckTestsEnabledRowsInOrderThenTheTotals) {
  const Cells s = Slave();
  auto one = [](const Cells& Row) { return std::vector<std::pair<int, Cells>>{{1, Row}}; };
  const MasterCase cases[] = {
      {"a valid slave", one(s), nullptr},
      {"a bad address", one(With(s, emIP_Address, u"192.168.1.300")),
       u"Error row 1!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {"Start Input empty", one(With(s, emStart_Input, u"")), u"Error row 1!! Start Input must be major or equal to 0"},
      {"Num Input not a number", one(With(s, emNum_Input, u"x")),
       u"Error row 1!! Num Input must be major or equal to 0"},
      {"Start Output 65536", one(With(s, emStart_Output, u"65536")),
       u"Error row 1!! Start Output must be major or equal to 0"},
      {"Num Output -1", one(With(s, emNum_Output, u"-1")), u"Error row 1!! Num Output must be major or equal to 0"},
      {"Time Poll 0", one(With(s, emTime_Poll, u"0")), u"Error row 1!! Poll Time must be between 1 and 100000000"},
      {"Time Poll 100000000", one(With(s, emTime_Poll, u"100000000")), nullptr},
      {"Time Poll with a blank after it", one(With(s, emTime_Poll, u"10 ")),
       u"Error row 1!! Poll Time must be between 1 and 100000000"},
      {"Instance T > O 65536", one(With(s, emInstance_T_O, u"65536")),
       u"Error row 1!! Instance T > O must be between 0 and 65535. Default Value 1"},
      {"Conn. Point T > O empty", one(With(s, emConn_Point_T_O, u"")),
       u"Error row 1!! Connection Point T > O must be between 0 and 65535. Default Value 100"},
      {"Instance O > T -1", one(With(s, emInstance_O_T, u"-1")),
       u"Error row 1!! Instance O > T must be between 0 and 65535. Default Value 1"},
      {"Conn. Point O > T 70000", one(With(s, emConn_Point_O_T, u"70000")),
       u"Error row 1!! Connection Point O > T must be between 0 and 65535. Default Value 101"},
      {"Instance 65535 and Conn. Point 0", one(With(With(s, emInstance_O_T, u"65535"), emConn_Point_O_T, u"0")),
       nullptr},
      {"Dim Header default", one(With(s, emDim_Header_T_O, u"default")), nullptr},
      {"Dim Header \" Default \"", one(With(s, emDim_Header_O_T, u" Default ")), nullptr},
      {"Dim Header 3", one(With(With(s, emDim_Header_T_O, u"3"), emDim_Header_O_T, u"0")), nullptr},
      {"Dim Header T > O 8", one(With(s, emDim_Header_T_O, u"8")),
       u"Error row 1!! Dimension Header T > O must be between 0 and 7. Default Value 0"},
      {"Dim Header O > T x", one(With(s, emDim_Header_O_T, u"x")),
       u"Error row 1!! Dimension Header O > T must be between 0 and 7. Default Value 4"},
      {"Enable y enables", one(With(With(s, emEnable, u"y"), emIP_Address, u"bad")),
       u"Error row 1!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {"a disabled bad row with an empty address ends nothing",
       {{1, s},
        {2, With(With(With(s, emEnable, u"N"), emIP_Address, u""), emTime_Poll, u"x")},
        {3, With(s, emIP_Address, u"10.0.0")}},
       u"Error row 3!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {"an enabled row with an empty address ends the rows",
       {{1, With(s, emIP_Address, u" ")}, {2, With(s, emTime_Poll, u"0")}},
       nullptr},
      {"Num Input 1000 and 500",
       {{1, Slave(u"10.0.0.1", u"1000")}, {2, Slave(u"10.0.0.2", u"500")}},
       u"Error!! The Total Number of Input Bytes must be between 0 and 1438"},
      {"Num Input 1000 and 438", {{1, Slave(u"10.0.0.1", u"1000")}, {2, Slave(u"10.0.0.2", u"438")}}, nullptr},
      {"a disabled row takes no part in the totals",
       {{1, Slave(u"10.0.0.1", u"1000")}, {2, With(Slave(u"10.0.0.2", u"1000"), emEnable, u"N")}},
       nullptr},
      {"Num Output 1400 and 39",
       {{1, Slave(u"10.0.0.1", u"0", u"1400")}, {2, Slave(u"10.0.0.2", u"0", u"39")}},
       u"Error!! The Total Number of Output Bytes must be between 0 and 1438"},
      {"row tests come before the totals",
       {{1, Slave(u"10.0.0.1", u"1438")}, {2, With(Slave(), emMnemonic, u"")}, {3, Slave(u"10.0.0.3", u"1", u"x")}},
       u"Error row 3!! Num Output must be major or equal to 0"},
  };
  Open([&](TFEtherNetIP_Master_Access* f) {
    EXPECT_EQ(f->Num_Byte_In, 1438);
    EXPECT_EQ(f->Num_Byte_Out, 1438);
    for (const MasterCase& k : cases) {
      SCOPED_TRACE(k.Name);
      f->Reset_Grids();
      for (const auto& [row, cells] : k.Rows) Put_Row(f->ACG, row, cells);
      Expect_Check(f->Controllo_dati(), k.Message);
    }
  });
}

TEST_F(EtherNetIPMasterTest, TheFormSavesUpToTheFirstEmptyAddressAndLoadsItsDefaults) {
  Write("EtherNetIP_Master_Rules.xml",
        "<Other><row IP_Address=\"10.0.0.1\" Start_Input=\"0\"/><row Enable=\"Y\" IP_Address=\"10.0.0.2\" "
        "Dim_Header_T_O=\"3\"/></Other>");
  EXPECT_EQ(Open([&](TFEtherNetIP_Master_Access* f) {
              EXPECT_EQ(f->Caption(), u"Set EtherNet/IP Slaves Access");
              EXPECT_EQ(f->ClientWidth(), 1180);
              EXPECT_EQ(f->ClientHeight(), 337);
              EXPECT_EQ(f->ACG->RowCount(), 11);
              EXPECT_EQ(f->Btn_Import_EDS->Left(), 724);
              EXPECT_EQ(f->Btn_Import_EDS->Width(), 110);
              EXPECT_EQ(f->Btn_Import_EDS->Caption(), u"Import EDS");
              EXPECT_EQ(f->Btn_Import_EDS->Hint(), u"Import a slave EtherNet/IP from EDS File");
              EXPECT_EQ(f->OD_EDS->Filter(), u"EtherNet/IP EDS (*.eds)|*.eds");
              EXPECT_EQ(f->ACG->Columns()->Items(emConn_Point_O_T)->Header(), u"Conn. Point O > T");
              EXPECT_EQ(f->ACG->Columns()->Items(emDim_Header_O_T)->Header(), u"Dim Header O > T");
              EXPECT_EQ(f->ACG->Columns()->Items(emMnemonic)->Header(), u"Mnemonic");
              // Header hints by the real column; other cells keep their hint.
              String hint = u"kept";
              f->ACG->OnGridHint(f->ACG, 0, emConn_Point_T_O, hint);
              EXPECT_EQ(hint, u"Insert the Connection Point Target To Oginator (T > O). Default Value 100");
              hint = u"kept";
              f->ACG->OnGridHint(f->ACG, 3, emConn_Point_T_O, hint);
              EXPECT_EQ(hint, u"kept");
              // A row without Enable loads disabled; without the header formats, "Default".
              EXPECT_EQ(Row_Of(f->ACG, 1), (Cells{u"N", u"10.0.0.1", u"0", u"", u"", u"", u"", u"", u"", u"", u"",
                                                  u"Default", u"Default", u""}));
              EXPECT_EQ(f->ACG->GetCellEx(emDim_Header_T_O, 2), u"3");
              EXPECT_EQ(f->ACG->GetCellEx(emEnable, 3), u"Y");
              Put_Row(f->ACG, 1, With(Slave(u"192.168.1.10"), emMnemonic, u"A & <B>"));
              Put_Row(f->ACG, 2, With(With(Slave(u""), emEnable, u"N"), emTime_Poll, u"x"));
              Put_Row(f->ACG, 3, Slave(u"192.168.1.11"));
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  EXPECT_TRUE(Take_Messages().empty());
  EXPECT_EQ(
      File_Text(Path_EtherNetIP_Master_Rules),
      "<EtherNetIP_Master_Access><row Enable=\"Y\" IP_Address=\"192.168.1.10\" Start_Input=\"0\" Num_Input=\"100\" "
      "Start_Output=\"0\" Num_Output=\"100\" Time_Poll=\"1000\" Instance_T_O=\"1\" Connection_Point_T_O=\"100\" "
      "Instance_O_T=\"1\" Connection_Point_O_T=\"101\" Dim_Header_T_O=\"Default\" Dim_Header_O_T=\"Default\" "
      "Mnemonic=\"A &amp; &lt;B&gt;\"/></EtherNetIP_Master_Access><!--SW_VERSION = 1.000-->");
}

TEST_F(EtherNetIPMasterTest, ImportsFillConsecutiveFreeRowsFromThePickedConnection) {
  const std::string eds = "[Connection Manager]\r\n" + EdsEntry(1, "20 04 24 80 2C 96 2C 64") +
                          EdsEntry(2, "20 04 24 01 2C 65") + EdsEntry(3, "20 04 24 05 2C 70 24 06 2C 71", "0x00003200");
  Open_With_Dialogs([&](TFEtherNetIP_Master_Access* f) {
    Put_Row(f->ACG, 1, Slave());
    Import(f, eds, [&](TFEtherNEtIP_EDS* d) {
      EXPECT_EQ(d->Caption(), u"EtherNet/IP EDS Decode - Select the Connection to use");
      EXPECT_EQ(d->ClientWidth(), 1150);
      EXPECT_EQ(d->ClientHeight(), 337);
      EXPECT_FALSE(d->TClose->Enabled());
      EXPECT_EQ(d->ACG->FixedCols(), 0);
      EXPECT_EQ(d->ACG->RowCount(), 3);
      EXPECT_EQ(d->ACG->GetRowEx(), 1);
      EXPECT_EQ(Row_Of(d->ACG, 1),
                (Cells{u"\"Owner 1\"", u"\"\"", u"128", u"150", u"128", u"100", u"Default", u"Default"}));
      EXPECT_EQ(d->ACG->GetCellEx(ecConnection, 1), u"Connection1");
      EXPECT_EQ(d->ACG->GetCellEx(ecConnection, 2), u"Connection2");
      EXPECT_EQ(Row_Of(d->ACG, 2), (Cells{u"\"Owner 3\"", u"\"\"", u"5", u"112", u"6", u"113", u"2", u"3"}));
      d->ACG->SetRowEx(2);
      driver_.Click(d->Btn_OK);
      return mrNone;
    });
    // Row 1 has an address: the import takes row 2, and the next one row 3.
    EXPECT_EQ(Row_Of(f->ACG, 2),
              (Cells{u"Y", u"", u"", u"", u"", u"", u"", u"6", u"113", u"5", u"112", u"3", u"2", u""}));
    Import(f, eds, [&](TFEtherNEtIP_EDS* d) {
      EXPECT_EQ(d->ACG->RowCount(), 3);
      driver_.Click(d->Btn_OK);
      return mrNone;
    });
    EXPECT_EQ(Row_Of(f->ACG, 3),
              (Cells{u"Y", u"", u"", u"", u"", u"", u"", u"128", u"100", u"128", u"150", u"Default", u"Default", u""}));
    EXPECT_EQ(Row_Of(f->ACG, 1), Slave());
    EXPECT_TRUE(Take_Messages().empty());
    // Cancel in the dialog changes nothing.
    Import(f, eds, [&](TFEtherNEtIP_EDS*) { return mrCancel; });
    EXPECT_EQ(f->ACG->GetCellEx(emInstance_T_O, 4), u"");
  });
}

TEST_F(EtherNetIPMasterTest, AFileWithoutUsableConnectionsIsReportedAndTheDialogCloses) {
  Open_With_Dialogs([&](TFEtherNetIP_Master_Access* f) {
    for (const std::string& eds : {std::string("[Connection Manager]\r\n") + EdsEntry(1, "20 04 24 01 2C 65 2C"),
                                   std::string("[Device]\r\n") + EdsEntry(1, "20 04 24 80 2C 96 2C 64")}) {
      Import(f, eds, [&](TFEtherNEtIP_EDS* d) {
        EXPECT_TRUE(d->TClose->Enabled());
        EXPECT_EQ(d->TClose->Interval(), 10u);
        EXPECT_EQ(d->ACG->RowCount(), 2);
        EXPECT_EQ(Row_Of(d->ACG, 1), Cells(8, String()));
        EXPECT_TRUE(Take_Messages().empty());
        d->TClose->Fire();
        EXPECT_FALSE(d->TClose->Enabled());
        const auto m = Take_Messages();
        EXPECT_EQ(m.size(), 1u);
        if (!m.empty()) EXPECT_EQ(m[0].Text, u"Error!! No Valid Connection found");
        EXPECT_EQ(d->ModalResult(), mrCancel);
        return mrNone;
      });
      EXPECT_EQ(script_.ModalForms().back().Result, mrCancel);
      EXPECT_EQ(f->ACG->GetCellEx(emInstance_T_O, 1), u"");
    }
    // A dialog closed before its report was due reports nothing later.
    Import(f, std::string("[Connection Manager]\r\n"), [&](TFEtherNEtIP_EDS*) { return mrCancel; });
    EXPECT_FALSE(FEtherNEtIP_EDS->TClose->Enabled());
  });
}

TEST_F(EtherNetIPMasterTest, AnImportWithoutAFreeRowSaysSo) {
  const std::string eds = "[Connection Manager]\r\n" + EdsEntry(1, "20 04 24 80 2C 96 2C 64");
  Open_With_Dialogs([&](TFEtherNetIP_Master_Access* f) {
    for (int r = 1; r <= 10; ++r) f->ACG->SetCellEx(r % 2 ? emIP_Address : emInstance_T_O, r, u"x");
    Import(f, eds, [&](TFEtherNEtIP_EDS*) { return mrOk; });
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text,
              u"Error!! No free row for the imported connection: every row has an IP Address or an "
              u"Instance T > O");
    EXPECT_EQ(m[0].Type, mtError);
    EXPECT_EQ(f->ACG->GetCellEx(emConn_Point_O_T, 1), u"");
  });
}
