// The OPC UA client form behind the main window's step: the server table and the two variable
// tables as views of the objects, the server entry dialog and the browse form through the modal
// seam, the row buttons, automatic positions, OK and the file.
#include "platform/Dialogs.h"
#include "protocols/ethernet_it/UOPC_UA_Add_Server.h"
#include "protocols/ethernet_it/UOPC_UA_Client_Access.h"
#include "protocols/ethernet_it/UOPC_UA_Scan_Server.h"
#include "tests/protocols/ethernet_it/EthernetItFormTestSupport.h"

using ethernet_it_test::Cells;
using ethernet_it_test::File_Text;
using ethernet_it_test::Put_Row;
using ethernet_it_test::Row_Of;

namespace {

const std::string kServer =
    " Authorization=\"Anonymous\" UserName=\"\" Password=\"\" Certificate=\"\" PrivateKey=\"\" "
    "SecurityType=\"None\" SecurityPolicy=\"None\" Mnemonic=\"\"";

std::string Variable_Xml(const std::string& Name, const std::string& Position, bool Write) {
  return "<Variable Enable=\"1\" DisplayName=\"" + Name +
         "\" NodeType=\"Numeric\" NodeID=\"7\" VarType=\"Int32\" NameSpaceIndex=\"1\" VarArray=\"" +
         (Write ? "Var" : "Variable") +
         "\" Start=\"0\" Length=\"0\" OnChange=\"0\" OnCMD=\"0\" OnTimer=\"0\" Time=\"100\" Position=\"" + Position +
         "\" Mnemonic=\"\"/>";
}

// Servers "A", "B" (and more) with read and write variables named after them.
std::string Client_Xml(const std::vector<std::pair<std::string, int>>& Servers) {
  std::string s = "<OPC_UA_Client><OPC_UA_Server_List>";
  for (const auto& [name, count] : Servers) {
    s += "<OPC_UA_Server Enable=\"1\" ServerAddress=\"opc.tcp://127.0.0.1/" + name + "\"" + kServer +
         "><OPC_UA_Variables><OPC_UA_Read_Var>";
    for (int i = 1; i <= count; ++i) s += Variable_Xml(name + "r" + std::to_string(i), std::to_string(4 * i), false);
    s += "</OPC_UA_Read_Var><OPC_UA_Write_Var>";
    for (int i = 1; i <= count; ++i) s += Variable_Xml(name + "w" + std::to_string(i), std::to_string(4 * i), true);
    s += "</OPC_UA_Write_Var></OPC_UA_Variables></OPC_UA_Server>";
  }
  return s + "</OPC_UA_Server_List></OPC_UA_Client>";
}

class OpcUaClientTest : public ethernet_it_test::FormTest<TFOPC_UA_Client_Access> {
 protected:
  OpcUaClientTest()
      : FormTest(u"TFOPC_UA_Client_Access", FOPC_UA_Client_Access, &TFKelvaneFirmWare::Btn_OPC_UA_Client_Access) {}
  void SetUp() override {
    FormTest::SetUp();
    FOPC_UA_Add_Server = New<TFOPC_UA_Add_Server>(nullptr);
    FOPC_UA_Scan_Server = New<TFOPC_UA_Scan_Server>(nullptr);
  }
  void TearDown() override {
    delete FOPC_UA_Scan_Server;
    delete FOPC_UA_Add_Server;
    FormTest::TearDown();
  }

  TAdvColumnGrid* Servers() const { return form_->ACG_OPC_UA_Server; }
  TAdvColumnGrid* Read() const { return form_->ACG_OPC_UA_Var_R; }
  TAdvColumnGrid* Writes() const { return form_->ACG_OPC_UA_Var_W; }
  String Name(TAdvColumnGrid* Grid, int Row) const { return Grid->GetCellEx(vcDisplayName, Row); }
  std::vector<String> Names(const std::vector<std::unique_ptr<TOPC_UA_Variable>>& List) const {
    std::vector<String> v;
    for (const auto& x : List) v.push_back(x->DispalyName);
    return v;
  }
  // A click on a cell as the user makes it: the grid takes the focus (the grid left stores
  // itself), then the cell becomes current.
  void Click(TAdvStringGrid* Grid, int Col, int Row) {
    if (Grid == Read() || Grid == Writes())
      form_->PC_OPC_UA_Vars->SetActivePage(Grid == Read() ? form_->TS_OPC_UA_Var_Read : form_->TS_OPC_UA_Var_Write);
    if (Grid->Col() == Col && Grid->GetRowEx() == Row) Click_Cell(Grid, Col == 1 ? 2 : Col - 1, Row);
    Click_Cell(Grid, Col, Row);
  }
  // The browse form answers OK with these records, ticks as the library's access levels give.
  void Browse_Returns(std::vector<std::pair<String, uint8_t>> Vars) {
    script_.AnswerModal(u"FOPC_UA_Scan_Server", [Vars](TForm* f) {
      auto* scan = static_cast<TFOPC_UA_Scan_Server*>(f);
      std::vector<opcua_structure> records;
      std::vector<TOPC_UA_Scan_Texts> texts;
      for (const auto& [name, access] : Vars) {
        opcua_structure r;
        r.identifierType = 3;
        r.nameSpaceIndex = 2;
        r.dataType = 10;
        r.accessLevel = access;
        records.push_back(r);
        texts.push_back({name, u"ns2." + name, String()});
      }
      scan->Set_Variables(records, texts);
      scan->Show_Variables_List();
      return mrOk;
    });
  }
};

}  // namespace

TEST_F(OpcUaClientTest, TheStepShowsTheServersAndTheFirstServersVariables) {
  Write("OPC_UA_Client.xml", Client_Xml({{"A", 2}, {"B", 1}}));
  EXPECT_EQ(
      Open([&](TFOPC_UA_Client_Access* f) {
        EXPECT_EQ(f->Caption(), u"OPC UA Client Access");
        EXPECT_EQ((std::pair{f->ClientWidth(), f->ClientHeight()}), (std::pair{1150, 660}));
        EXPECT_EQ(f->P_OPC_UA_Server_List->Height(), 220);
        EXPECT_EQ(Servers()->RowCount(), 3);
        EXPECT_EQ(Row_Of(Servers(), 2),
                  (Cells{u"Y", u"opc.tcp://127.0.0.1/B", u"Anonymous", u"", u"", u"", u"", u"None", u"None", u""}));
        EXPECT_EQ(Read()->RowCount(), 1025);
        EXPECT_EQ(Row_Of(Read(), 2),
                  (Cells{u"Y", u"Ar2", u"Numeric", u"7", u"Int32", u"1", u"Variable", u"0", u"0", u"100", u"8", u""}));
        EXPECT_EQ(Row_Of(Read(), 3), (Cells{u"Y", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u""}));
        EXPECT_EQ(Row_Of(Writes(), 1),
                  (Cells{u"Y", u"Aw1", u"Numeric", u"7", u"Int32", u"1", u"N", u"N", u"N", u"100", u"4", u""}));
        EXPECT_EQ(f->Btn_AutoPosition->Left(), 724);
        EXPECT_EQ(Writes()->Columns()->Items(vcOnChange)->Header(), u"On Change");
        EXPECT_EQ(Read()->Columns()->Items(vcVarArray)->Editor(), edComboList);
        String hint;
        Writes()->OnGridHint(Writes(), 0, vcOnChange, hint);
        EXPECT_EQ(hint, u"Write the Variable when the Data changes");
        Servers()->OnGridHint(Servers(), 0, 2, hint);
        EXPECT_EQ(hint, u"URL of the OPC UA Server");
        Servers()->OnGridHint(Servers(), 1, 2, hint);
        EXPECT_EQ(hint, u"");
      }),
      mrNone);
}

TEST_F(OpcUaClientTest, EditsGoToTheServerCurrentWhenTheTableWasEntered) {
  Write("OPC_UA_Client.xml", Client_Xml({{"A", 3}, {"B", 1}}));
  Open([&](TFOPC_UA_Client_Access* f) {
    Click(Read(), vcMnemonic, 1);
    EXPECT_EQ(f->Ind_Server, 0);
    Read()->SetCellEx(vcMnemonic, 1, u"typed");
    Click(Servers(), 2, 2);  // leaves the read table: stored into A, then B is shown
    EXPECT_EQ(f->Ind_Server, -1);
    EXPECT_EQ(f->OPC_UA_Server_List[0]->Var_List_R[0]->Mnemonic, u"typed");
    EXPECT_EQ(Name(Read(), 1), u"Br1");
    EXPECT_EQ(Name(Read(), 2), u"");
    // Row 2's Display Name emptied: only row 1 stays.
    Click(Servers(), 2, 1);
    EXPECT_EQ(Read()->GetCellEx(vcMnemonic, 1), u"typed");
    Click(Read(), vcDisplayName, 2);
    Read()->SetCellEx(vcDisplayName, 2, String());
    Click(Servers(), 2, 1);
    EXPECT_EQ(Names(f->OPC_UA_Server_List[0]->Var_List_R), (std::vector<String>{u"Ar1"}));
    EXPECT_EQ(Name(Read(), 3), u"");
    // A write variable's triggers come from its check boxes.
    Click(Writes(), vcOnTimer, 1);
    Writes()->SetCellEx(vcOnTimer, 1, u"Y");
    Click(Servers(), 2, 2);
    EXPECT_EQ(f->OPC_UA_Server_List[0]->Var_List_W[0]->OnTimer, u"Y");
    EXPECT_EQ(f->OPC_UA_Server_List[0]->Var_List_W[0]->VarArray, u"");
  });
}

TEST_F(OpcUaClientTest, RowButtonsStoreTheVisibleTableIntoTheCurrentServer) {
  Write("OPC_UA_Client.xml", Client_Xml({{"A", 2}}));
  Open([&](TFOPC_UA_Client_Access* f) {
    f->PC_OPC_UA_Vars->SetActivePage(f->TS_OPC_UA_Var_Write);
    Writes()->SetRowEx(1);
    driver_.Click(f->Btn_InsRow);
    EXPECT_EQ(Row_Of(Writes(), 1)[0], u"Y");  // the new row starts enabled
    Writes()->SetCellEx(vcDisplayName, 1, u"new");
    driver_.Click(f->Btn_CopyRow);
    EXPECT_TRUE(f->Do_Copy_Write());
    EXPECT_FALSE(f->Do_Copy_Read());
    Writes()->SetRowEx(4);
    driver_.Click(f->Btn_PasteRow);
    EXPECT_EQ(Names(f->OPC_UA_Server_List[0]->Var_List_W), (std::vector<String>{u"new", u"Aw1", u"Aw2", u"new"}));
    script_.ExpectMessage(mrYes);
    Writes()->SetRowEx(2);
    driver_.Click(f->Btn_DelRow);
    EXPECT_EQ(Take_Messages().back().Text, u"Are you sure to delete the Row number 2");
    EXPECT_EQ(Names(f->OPC_UA_Server_List[0]->Var_List_W), (std::vector<String>{u"new", u"Aw2", u"new"}));
    EXPECT_EQ(Names(f->OPC_UA_Server_List[0]->Var_List_R), (std::vector<String>{u"Ar1", u"Ar2"}));
  });
}

TEST_F(OpcUaClientTest, ServersAreAddedChangedAndDeletedThroughTheirDialog) {
  Write("OPC_UA_Client.xml", Client_Xml({{"A", 1}, {"B", 2}}));
  Open([&](TFOPC_UA_Client_Access* f) {
    script_.AnswerModal(u"FOPC_UA_Add_Server", [&](TForm*) {
      TFOPC_UA_Add_Server* d = FOPC_UA_Add_Server;
      EXPECT_EQ(d->Caption(), u"Add OPC UA Server");
      EXPECT_TRUE(d->CB_OPC_UA_Server_Enable->Checked());
      d->E_Server_Add->SetText(u" opc.tcp://127.0.0.1:4840 ");
      d->CB_Auth->UserSelect(1);
      d->E_User->SetText(u"op");
      d->E_Pass->SetText(u"secret");
      d->CB_Sec_Type->UserSelect(2);
      d->CB_Sec_Policy->UserSelect(3);
      driver_.Click(d->Btn_OK);
      return mrNone;
    });
    driver_.Click(f->Btn_Add_Server);
    ASSERT_EQ(f->OPC_UA_Server_List.size(), 3u);
    EXPECT_EQ(Row_Of(Servers(), 3), (Cells{u"Y", u" opc.tcp://127.0.0.1:4840 ", u"Username and Password", u"op",
                                           u"secret", u"", u"", u"Sign and Encrypt", u"Basic 256 SHA 256", u""}));
    // A change keeps the server's variables.
    Click(Servers(), 2, 2);
    script_.AnswerModal(u"FOPC_UA_Add_Server", [&](TForm*) {
      TFOPC_UA_Add_Server* d = FOPC_UA_Add_Server;
      EXPECT_EQ(d->Caption(), u"Modify OPC UA Server");
      EXPECT_EQ(d->E_Server_Add->Text(), u"opc.tcp://127.0.0.1/B");
      d->E_Mnemonic->SetText(u"second");
      driver_.Click(d->Btn_OK);
      return mrNone;
    });
    driver_.DblClick(Servers(), Servers()->CellRect(3, 2).Left + 5, Servers()->CellRect(3, 2).Top + 5);
    EXPECT_EQ(f->OPC_UA_Server_List[1]->Mnemonic, u"second");
    EXPECT_EQ(f->OPC_UA_Server_List[1]->Var_List_R.size(), 2u);
    // Deleting the shown server: the tables switch to the server now current.
    EXPECT_EQ(Name(Read(), 1), u"Br1");
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_Delete_Server);
    EXPECT_EQ(f->OPC_UA_Server_List.size(), 3u);
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_Delete_Server);
    const auto m = Take_Messages();
    EXPECT_EQ(m.back().Text, u"Do you really want to delete the selected OPC UA Server?");
    EXPECT_EQ(m.back().Buttons, (TMsgDlgButtons{mbYes, mbNo, mbCancel}));
    ASSERT_EQ(f->OPC_UA_Server_List.size(), 2u);
    EXPECT_EQ(Servers()->RowCount(), 3);
    EXPECT_EQ(Name(Read(), 1), f->Current_Server() == 1 ? u"" : u"Ar1");
    EXPECT_EQ(Name(Read(), 2), u"");
    EXPECT_EQ(Name(Writes(), 2), u"");
  });
}

TEST_F(OpcUaClientTest, ABrowseAppendsReplacesOrKeepsEachListAndOkWantsTimes) {
  Write("OPC_UA_Client.xml", Client_Xml({{"A", 1}}));
  Open([&](TFOPC_UA_Client_Access* f) {
    Browse_Returns({{u"x", 1}, {u"y", 3}, {u"z", 2}});
    script_.ExpectMessage(mrNo);      // read: replace
    script_.ExpectMessage(mrCancel);  // write: keep
    driver_.Click(f->Btn_Scan_Server);
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].Text, u"Do you want to append the new variables in Read?");
    EXPECT_EQ(m[1].Text, u"Do you want to append the new variables in Write?");
    EXPECT_EQ(Names(f->OPC_UA_Server_List[0]->Var_List_R), (std::vector<String>{u"x", u"y"}));
    EXPECT_EQ(Names(f->OPC_UA_Server_List[0]->Var_List_W), (std::vector<String>{u"Aw1"}));
    EXPECT_EQ(Row_Of(Read(), 2),
              (Cells{u"Y", u"y", u"String", u"ns2.y", u"Double", u"2", u"", u"", u"", u"", u"", u""}));
    Browse_Returns({{u"v", 0}});
    script_.ExpectMessage(mrYes);
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_Scan_Server);
    Take_Messages();
    EXPECT_EQ(Names(f->OPC_UA_Server_List[0]->Var_List_W), (std::vector<String>{u"Aw1", u"v"}));
    // Browsed variables come without array settings, time or position: OK fails until they are
    // filled.
    const String first = u"Error in Server Number 1 in Read Variable 1!! ";
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(Take_Messages().at(0).Text, first + u"Var/Array cannot be empty");
    Click(Read(), vcVarArray, 1);
    for (int r = 1; r <= 3; ++r) Read()->SetCellEx(vcVarArray, r, u"Variable");
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(Take_Messages().at(0).Text, first + u"Time cannot be empty");
    Click(Read(), vcTime, 1);
    for (int r = 1; r <= 3; ++r) Read()->SetCellEx(vcTime, r, u"500");
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(Take_Messages().at(0).Text, first + u"Position cannot be empty");
    // A browse that ends otherwise than with OK changes nothing.
    script_.AnswerModal(u"FOPC_UA_Scan_Server", mrCancel);
    driver_.Click(f->Btn_Scan_Server);
    EXPECT_TRUE(Take_Messages().empty());
  });
  EXPECT_EQ(File_Text(Path_OPC_UA_Client), Client_Xml({{"A", 1}}));  // nothing written
}

TEST_F(OpcUaClientTest, TheBrowseRecordCarriesTheServerAndAListNeverPassesItsTable) {
  Write("OPC_UA_Client.xml", Client_Xml({{"A", 1020}}));
  Open([&](TFOPC_UA_Client_Access* f) {
    f->OPC_UA_Server_List[0]->Authorization = u"Certificate";
    f->OPC_UA_Server_List[0]->Certificate = u"CERT";
    f->OPC_UA_Server_List[0]->SecurityType = u"Sign";
    f->OPC_UA_Server_List[0]->SecurityPolicy = u"Basic 256";
    std::vector<std::pair<String, uint8_t>> many;
    for (int i = 0; i < 10; ++i) many.push_back({u"n" + IntToStr(i), 1});
    script_.AnswerModal(u"FOPC_UA_Scan_Server", [&](TForm* form) {
      auto* scan = static_cast<TFOPC_UA_Scan_Server*>(form);
      EXPECT_STREQ(scan->Server.server_address, "opc.tcp://127.0.0.1/A");
      EXPECT_STREQ(scan->Server.cert, "CERT");
      EXPECT_STREQ(scan->Server.username, "");
      EXPECT_EQ((std::vector<int>{scan->Server.user_pass_auth_flag, scan->Server.security_type,
                                  scan->Server.security_policy}),
                (std::vector<int>{2, 1, 2}));
      std::vector<opcua_structure> records(many.size());
      std::vector<TOPC_UA_Scan_Texts> texts;
      for (auto& [name, access] : many) texts.push_back({name, String(), String()});
      for (auto& r : records) r.accessLevel = 1;
      scan->Set_Variables(records, texts);
      scan->Show_Variables_List();
      return mrOk;
    });
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_Scan_Server);
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 3u);  // the write question comes all the same
    EXPECT_EQ(m[1].Text,
              u"The list of the server holds at most 1024 variables: 6 browsed variables were not added to Read.");
    EXPECT_EQ(f->OPC_UA_Server_List[0]->Var_List_R.size(), 1024u);
    EXPECT_EQ(Name(Read(), 1024), u"n3");
  });
}

TEST_F(OpcUaClientTest, ScanWithoutAServerAndAutomaticPositionsAsk) {
  Open([&](TFOPC_UA_Client_Access* f) {
    driver_.Click(f->Btn_Scan_Server);
    EXPECT_EQ(Take_Messages().at(0).Text, u"Error!! Select one Server OPC UA before use the Scan operation");
    driver_.Click(f->Btn_AutoPosition);  // no server: no question
    EXPECT_TRUE(Take_Messages().empty());
  });
  Write("OPC_UA_Client.xml", Client_Xml({{"A", 2}, {"B", 2}}));
  Open([&](TFOPC_UA_Client_Access* f) {
    Click(Servers(), 2, 2);
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_AutoPosition);
    EXPECT_EQ(Read()->GetCellEx(vcPosition, 1), u"4");
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_AutoPosition);
    EXPECT_EQ(Take_Messages().back().Text,
              u"With this operation all the positions for this Server OPC UA will be overwritten. Do you want to "
              u"continue?");
    // A's lists end at 8 + 4: B's positions start there.
    EXPECT_EQ(Read()->GetCellEx(vcPosition, 1), u"12");
    EXPECT_EQ(Read()->GetCellEx(vcPosition, 2), u"16");
    EXPECT_EQ(Writes()->GetCellEx(vcPosition, 2), u"16");
  });
}

TEST_F(OpcUaClientTest, OkWritesTheObjectsAndAFileReadInPartIsNotReplacedUnasked) {
  Write("OPC_UA_Client.xml", Client_Xml({{"A", 1}, {"B", 1}}));
  EXPECT_EQ(Open([&](TFOPC_UA_Client_Access* f) {
              Click(Read(), vcMnemonic, 1);
              Read()->SetCellEx(vcMnemonic, 1, u"note");
              driver_.Click(f->Btn_OK);  // the button takes the focus: the table is stored first
            }),
            mrOk);
  std::string expected = Client_Xml({{"A", 1}, {"B", 1}});
  expected.replace(expected.find("Mnemonic=\"\"/>"), 13, "Mnemonic=\"note\"/>");
  EXPECT_EQ(File_Text(Path_OPC_UA_Client), expected);

  std::string broken = Client_Xml({{"A", 1}, {"B", 1}});
  broken.erase(broken.rfind(" Time=\"100\""), 11);
  Write("OPC_UA_Client.xml", broken);
  EXPECT_EQ(Open([&](TFOPC_UA_Client_Access* f) {
              const auto m = Take_Messages();
              ASSERT_EQ(m.size(), 1u);
              EXPECT_NE(StringToUtf8(m[0].Text).find("has no attribute \"Time\""), std::string::npos);
              EXPECT_EQ(f->OPC_UA_Server_List.size(), 2u);  // B came before its variable
              script_.ExpectMessage(mrNo);
              driver_.Click(f->Btn_OK);
              EXPECT_EQ(Take_Messages().size(), 1u);
            }),
            mrNone);
  EXPECT_EQ(File_Text(Path_OPC_UA_Client), broken);
}

TEST_F(OpcUaClientTest, AScanThroughTheLibraryTakesTheTickedVariablesAfterItsRelease) {
  const std::string log = (project_ / "double.log").string();
  setenv("OPCUA_DOUBLE_LOG", log.c_str(), 1);
  SetProgramFolderForTests(Utf8ToString(OPCUA_DOUBLE_DIR));
  Write("OPC_UA_Client.xml", Client_Xml({{"A", 0}}));
  EXPECT_EQ(Open([&](TFOPC_UA_Client_Access* f) {
              script_.AnswerModal(u"FOPC_UA_Scan_Server", [&](TForm*) {
                driver_.AdvanceTime(100);
                return mrOk;
              });
              driver_.Click(f->Btn_Scan_Server);
              EXPECT_TRUE(Take_Messages().empty());  // both lists were empty: no question
              EXPECT_NE(File_Text(Utf8ToString(log)).find("release"), std::string::npos);
              TOPC_UA_Server& s = *f->OPC_UA_Server_List[0];
              EXPECT_EQ(Names(s.Var_List_R), (std::vector<String>{u"var0", u"Grüße", u"var4"}));
              EXPECT_EQ(Names(s.Var_List_W), (std::vector<String>{u"var0", u"var2", u"var4"}));
              EXPECT_EQ(Row_Of(Read(), 2), (Cells{u"Y", u"Grüße", u"String", u"Plant.Temp", u"Int16", u"2", u"", u"",
                                                  u"", u"", u"", u""}));
              EXPECT_EQ(Writes()->GetCellEx(vcNodeID, 2), u"0123ABCD-EF01-2345-6789-ABCDEF113355");
              for (auto& v : s.Var_List_R) v->VarArray = u"Variable", v->Time = u"100", v->Position = u"0";
              for (auto& v : s.Var_List_W) v->Position = u"0";
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  const std::string file = File_Text(Path_OPC_UA_Client);
  EXPECT_NE(file.find("DisplayName=\"Grüße\" NodeType=\"String\" NodeID=\"Plant.Temp\" VarType=\"Int16\""),
            std::string::npos);
  unsetenv("OPCUA_DOUBLE_LOG");
}
