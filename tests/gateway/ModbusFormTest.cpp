// The Modbus master and Modbus TCP master request tables: the shared check routine with each
// form's columns and texts, the files they write and read, and each form's departures from the
// frame (button captions, Enter, hints), the TCP master form through the main window's Modbus step.
#include <fstream>
#include <sstream>

#include "gateway/UModbusSetAccess.h"
#include "tests/gateway/SnmpTrapFormTestSupport.h"

using snmp_form_test::Cells;
using snmp_form_test::Put_Row;
using snmp_form_test::Row_Of;
using snmp_form_test::TableFormTest;
using snmp_form_test::With;

namespace {

// Columns of the Modbus master form; the TCP master form's lie two to the right.
enum ModbusReadCol { mrEnable = 1, mrSlave = 2, mrType, mrAddress, mrNPoint, mrPoll, mrMaxError, mrPosition, mrBit,
                     mrSwap, mrSwapWord, mrTopic, mrMnemonic };
enum ModbusWriteCol { mwEnable = 1, mwSlave = 2, mwType, mwAddress, mwNPoint, mwPoll, mwOnChange, mwOnCMD,
                      mwMaxError, mwPosition, mwBit, mwSwap, mwSwapWord, mwMnemonic };

Cells Modbus_Read(const String& Type = u"Holding Register", const String& NPoint = u"10",
                  const String& Position = u"0", const String& Bit = u"") {
  return {u"Y", u"1", Type, u"0", NPoint, u"1000", u"0", Position, Bit, u"N", u"N", u"", u"temp"};
}
Cells Modbus_Write(const String& Type = u"Holding Register", const String& NPoint = u"10",
                   const String& Position = u"0", const String& Bit = u"") {
  return {u"Y", u"1", Type, u"0", NPoint, u"0", u"Y", u"N", u"0", Position, Bit, u"N", u"N", u"setp"};
}

// The same row with the TCP master's Slave IP Address and Port after Enable.
Cells Tcp(const Cells& Row, const String& IP = u"192.168.1.125", const String& Port = u"502") {
  Cells c{Row[0], IP, Port};
  c.insert(c.end(), Row.begin() + 1, Row.end());
  return c;
}

std::string File_Text(const String& Path) {
  std::ifstream in(StringToUtf8(Path), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Fixture(const std::string& Name) { return File_Text(Utf8ToString(std::string(CONF_FIXTURES) + "/modbus/" + Name)); }

struct ModbusCase {
  const char* Name;
  std::vector<Cells> Read;
  std::vector<Cells> Write;
  int Text;         // 0: the tables pass
  int Row = 1;
  String Suffix{};  // appended to the text (a limit)
};

template <class TFormT>
class ModbusFormTestBase : public TableFormTest<TFormT> {
 protected:
  using Base = TableFormTest<TFormT>;
  ModbusFormTestBase(const std::string& Folder, String ClassName, TFormT*& Global)
      : Base(Folder, std::move(ClassName), Global) {}
  void SetUp() override {
    Base::SetUp();
    Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = false;
  }
  void Run_Cases(const std::vector<ModbusCase>& Cases, int ErrorRow) {
    for (const ModbusCase& k : Cases) {
      SCOPED_TRACE(k.Name);
      this->form_->Reset_Grids();
      for (size_t i = 0; i < k.Read.size(); ++i) Put_Row(this->form_->ACG_Modbus_Read, int(i) + 1, k.Read[i]);
      for (size_t i = 0; i < k.Write.size(); ++i) Put_Row(this->form_->ACG_Modbus_Write, int(i) + 1, k.Write[i]);
      EXPECT_EQ(this->form_->Controllo_dati(), k.Text == 0);
      const auto messages = this->Take_Messages();
      if (k.Text == 0) {
        EXPECT_TRUE(messages.empty());
      } else {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Text, UI_Text(ErrorRow) + IntToStr(k.Row) + UI_Text(k.Text) + k.Suffix);
        EXPECT_EQ(messages[0].Type, mtError);
      }
    }
  }
  // Shows the form as a modal dialog; Drive runs while it is shown. Returns its modal result.
  int Show(const std::function<void(TFormT*)>& Drive) {
    this->script_.AnswerModal(this->form_->Name(), [&](TForm*) {
      Drive(this->form_);
      return mrNone;
    });
    this->form_->ShowModal();
    return this->script_.ModalForms().empty() ? mrNone : this->script_.ModalForms().back().Result;
  }
  void Click_Cell(TAdvColumnGrid* Grid, int Col, int Row) {
    Grid->ScrollInView(Col, Row);
    const TRect r = Grid->CellRect(Col, Row);
    this->driver_.Click(Grid, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
};

class ModbusMasterTest : public ModbusFormTestBase<TFSetAccess> {
 protected:
  ModbusMasterTest() : ModbusFormTestBase("modbus_form_program", u"TFSetAccess", FSetAccess) {}
};

class ModbusTcpMasterTest : public ModbusFormTestBase<TFModbus_TCP_Master_Set_Access> {
 protected:
  ModbusTcpMasterTest()
      : ModbusFormTestBase("modbus_tcp_form_program", u"TFModbus_TCP_Master_Set_Access",
                           FModbus_TCP_Master_Set_Access) {}
  // Presses the main window's Modbus step.
  int Open(const std::function<void(TFModbus_TCP_Master_Set_Access*)>& Drive) {
    script_.AnswerModal(u"FModbus_TCP_Master_Set_Access", [&](TForm*) {
      Drive(form_);
      return mrNone;
    });
    const size_t before = script_.ModalForms().size();
    main_->Btn_Click(main_->Btn_Modbus_Set_Access);
    EXPECT_EQ(script_.ModalForms().size(), before + 1);
    return script_.ModalForms().empty() ? mrNone : script_.ModalForms().back().Result;
  }
};

}  // namespace

TEST_F(ModbusMasterTest, TheCheckRoutineShowsTheFirstFailureOnly) {
  const Cells reg = Modbus_Read();
  const Cells wreg = Modbus_Write();
  Run_Cases(
      {
          {"valid rows", {reg}, {wreg}, 0},
          {"holding registers up to the last byte", {Modbus_Read(u"Holding Register", u"125", u"1250")}, {}, 0},
          {"one byte past the array", {reg, Modbus_Read(u"Holding Register", u"125", u"1251")}, {}, 1777, 2},
          {"coils up to the last byte", {Modbus_Read(u"Coil Status", u"2000", u"1249", u"7")}, {}, 0},
          {"coils one byte past", {Modbus_Read(u"Coil Status", u"2000", u"1250", u"7")}, {}, 1777},
          {"input status is a bit type", {Modbus_Read(u" input status ", u"2000", u"0", u"0")}, {}, 0},
          {"126 input registers", {Modbus_Read(u"Input Register", u"126")}, {}, 1772, 1, u"125"},
          {"2001 coils", {Modbus_Read(u"Coil Status", u"2001", u"0", u"0")}, {}, 1772, 1, u"2000"},
          {"NPoint 0", {Modbus_Read(u"Holding Register", u"0")}, {}, 1772, 1, u"125"},
          {"Poll Time 0 on the read page", {With(reg, mrPoll, u"0")}, {}, 1773},
          {"Poll Time 0 on the write page", {}, {With(wreg, mwPoll, u"0")}, 0},
          {"Slave ID abc", {With(reg, mrSlave, u"abc")}, {}, 1769},
          {"Slave ID 248", {With(reg, mrSlave, u"248")}, {}, 1769},
          {"Slave ID 0x10 reads as 16", {With(reg, mrSlave, u"0x10")}, {}, 0},
          {"Type empty", {With(reg, mrType, u" ")}, {}, 1770},
          {"Address 65536", {With(reg, mrAddress, u"65536")}, {}, 1771},
          {"Max Error 100000001", {With(reg, mrMaxError, u"100000001")}, {}, 1774},
          {"Position 1500", {With(reg, mrPosition, u"1500")}, {}, 1775, 1, u"1499"},
          {"Position empty", {With(reg, mrPosition, u"")}, {}, 1775, 1, u"1499"},
          {"status row without a Start Bit", {Modbus_Read(u"Input Status", u"8")}, {}, 1776},
          {"register row with any Start Bit", {Modbus_Read(u"Input Register", u"8", u"0", u"x")}, {}, 0},
          {"status row with Start Bit 8 from an edited file", {Modbus_Read(u"Coil Status", u"8", u"0", u"8")}, {}, 1776},
          {"status row with Start Bit -1", {Modbus_Read(u"Coil Status", u"8", u"0", u"-1")}, {}, 1776},
          {"overlapping byte ranges", {reg, reg, Modbus_Read(u"Coil Status", u"16", u"0", u"0")}, {}, 0},
          {"a disabled row is not tested", {With(With(reg, mrEnable, u"N"), mrType, u"")}, {}, 0},
          {"an empty Slave ID ends the table", {reg, With(reg, mrSlave, u" "), With(reg, mrType, u"")}, {}, 0},
          {"write: 1969 coils", {}, {Modbus_Write(u"Coil Status", u"1969", u"0", u"0")}, 1782, 1, u"1968"},
          {"write: 124 registers", {}, {Modbus_Write(u"Holding Register", u"124")}, 1782, 1, u"123"},
          {"write: coil without a Start Bit", {}, {wreg, Modbus_Write(u"Coil Status", u"8")}, 1786, 2},
          {"write: coil with Start Bit 9", {}, {Modbus_Write(u"Coil Status", u"8", u"0", u"9")}, 1786},
          {"write: input status is a register type here", {}, {Modbus_Write(u"Input Status", u"124")}, 1782, 1,
           u"123"},
          {"write: one byte past", {}, {Modbus_Write(u"Holding Register", u"1", u"1498"), Modbus_Write(u"Holding Register", u"1", u"1499")},
           1787, 2},
          {"write: Slave ID 0", {}, {With(wreg, mwSlave, u"0")}, 1779},
          {"write: Max Error -1", {}, {With(wreg, mwMaxError, u"-1")}, 1784},
          {"write: Position 1500", {}, {With(wreg, mwPosition, u"1500")}, 1785, 1, u"1499"},
          {"the read page is checked first", {With(reg, mrSlave, u"0")}, {With(wreg, mwSlave, u"0")}, 1769},
      },
      1768);
}

TEST_F(ModbusMasterTest, TheReadPollTimeMessageFollowsTheWorkingMode) {
  form_->Working_Mode = 1;
  Run_Cases({{"Poll Time 0", {With(Modbus_Read(), mrPoll, u"0")}, {}, 1789}}, 1768);
}

TEST_F(ModbusMasterTest, ADisabledWriteRowIsSavedUnchangedAndFailsOnceEnabled) {
  const Cells wrong = {u"N", u"300", u"Coil Status", u"-5", u"5000", u"-1", u"Y", u"N", u"x", u"9999", u"", u"N", u"N", u"bad"};
  const int result = Show([&](TFSetAccess* f) {
    Put_Row(f->ACG_Modbus_Write, 1, wrong);
    Put_Row(f->ACG_Modbus_Write, 2, With(wrong, mwEnable, u"Y"));
    driver_.Click(f->Btn_OK);
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, UI_Text(1768) + u"2" + UI_Text(1779));
    EXPECT_FALSE(FileExists(Path_ModbusM_SetAccess));
    f->ACG_Modbus_Write->SetCellEx(mwSlave, 2, u"");
    driver_.Click(f->Btn_OK);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(Take_Messages().empty());
  Show([&](TFSetAccess* f) {
    EXPECT_EQ(Row_Of(f->ACG_Modbus_Write, 1), wrong);
    EXPECT_EQ(f->ACG_Modbus_Write->GetCellEx(mwEnable, 2), u"Y");
    EXPECT_EQ(f->ACG_Modbus_Write->GetCellEx(mwSlave, 2), u"");
  });
}

TEST_F(ModbusMasterTest, TheFileIsWrittenWholeAndTwoSavesAreIdentical) {
  const Cells coils = {u"Y", u"0x10", u"Coil Status", u"100", u"16", u"500", u"3", u"12", u"7", u"Y", u"N", u"", u"valve"};
  auto fill = [&](TFSetAccess* f) {
    Put_Row(f->ACG_Modbus_Read, 1, Modbus_Read());
    Put_Row(f->ACG_Modbus_Read, 2, coils);
    Put_Row(f->ACG_Modbus_Read, 4, Modbus_Read());  // below the empty key of row 3: gone
    Put_Row(f->ACG_Modbus_Write, 1, With(Modbus_Write(u"Coil Status", u"8", u"20", u"1"), mwEnable, u"N"));
    driver_.Click(f->Btn_OK);
  };
  EXPECT_EQ(Show(fill), mrOk);
  const std::string first = File_Text(Path_ModbusM_SetAccess);
  EXPECT_EQ(first, Fixture("ModbusM_SetAccess.xml"));
  // Shown again and saved unchanged: the same bytes; the row below the empty key is gone.
  EXPECT_EQ(Show([&](TFSetAccess* f) {
              EXPECT_EQ(Row_Of(f->ACG_Modbus_Read, 2), coils);
              EXPECT_EQ(f->ACG_Modbus_Read->GetCellEx(mrSlave, 4), u"");
              EXPECT_EQ(f->ACG_Modbus_Read->GetCellEx(mrEnable, 4), u"Y");
              EXPECT_EQ(f->ComboItem_Topic[1], -1);
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  EXPECT_EQ(File_Text(Path_ModbusM_SetAccess), first);
}

TEST_F(ModbusMasterTest, AFileMissingARequiredAttributeIsReportedAndOkAsksFirst) {
  Write("ModbusM_SetAccess.xml",
        "<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"5\" Type=\"Holding Register\" Address=\"1\" NPoint=\"2\" "
        "PollTime=\"10\" MaxError=\"0\" Position=\"0\" Bit=\"\" Index_Topic=\"\" Mnemonic=\"a\"/>"
        "<row Slave_ID=\"6\"/></Modbus_Read><Modbus_Write/></EtherNetIP_to_Modbus>");
  const auto before = File_Text(Path_ModbusM_SetAccess);
  Show([&](TFSetAccess* f) {
    auto shown = Take_Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Type, mtError);
    EXPECT_TRUE(f->Load_Incomplete());
    // Defaults where the row lacks a flag.
    EXPECT_EQ(Row_Of(f->ACG_Modbus_Read, 1),
              (Cells{u"Y", u"5", u"Holding Register", u"1", u"2", u"10", u"0", u"0", u"", u"N", u"N", u"", u"a"}));
    EXPECT_EQ(f->ACG_Modbus_Read->GetCellEx(mrSlave, 2), u"6");
    f->ACG_Modbus_Read->SetCellEx(mrSlave, 2, u"");
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_OK);
    auto asked = Take_Messages();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Type, mtConfirmation);
    EXPECT_EQ(f->ModalResult(), mrNone);
  });
  EXPECT_EQ(File_Text(Path_ModbusM_SetAccess), before);
}

TEST_F(ModbusMasterTest, TopicsMapThroughTheTopicList) {
  form_->List_Publish_Topic->Add(u"a");
  form_->List_Publish_Topic->Add(u"b");
  form_->List_Publish_Topic->Add(u"a");
  EXPECT_EQ(form_->Get_Index_From_Topic(u"a", 2), 2);
  EXPECT_EQ(form_->Get_Index_From_Topic(u"a", 1), 0);
  EXPECT_EQ(form_->Get_Index_From_Topic(u"A", -1), -1);
  EXPECT_EQ(form_->Get_Index_From_Topic(u"b", 7), 1);
  EXPECT_EQ(form_->Get_Topic_From_Index(1), u"b");
  EXPECT_EQ(form_->Get_Topic_From_Index(3), u"");
  EXPECT_EQ(form_->Get_Topic_From_Index(-1), u"");
  form_->List_Publish_Topic->Clear();
}

TEST_F(ModbusMasterTest, HintsOnTheReadGridOnlyAndTheTopicColumnHiddenAtEveryShow) {
  Show([&](TFSetAccess* f) {
    EXPECT_EQ(f->Caption(), u"Set Modbus Access");
    EXPECT_EQ(f->TS_Modbus_Read->Caption(), u"Modbus Read");
    EXPECT_EQ(f->Btn_CopyRow->Caption(), u"Copy Row");
    EXPECT_TRUE(f->ACG_Modbus_Read->IsHiddenColumn(mrTopic));
    EXPECT_TRUE(f->ACG_Modbus_Read->ShowHint());
    EXPECT_FALSE(f->ACG_Modbus_Write->ShowHint());
    EXPECT_FALSE(f->Btn_OK->ShowHint());
    EXPECT_EQ(f->PageControl1->ActivePageIndex(), 0);
    EXPECT_EQ(f->ACG_Modbus_Read->Columns()->Items(mrPosition)->ComboItems()->Count(), 1500);
    EXPECT_EQ(f->ACG_Modbus_Write->Columns()->Items(mwPosition)->ComboItems()->Strings(1499), u"1499");
    ASSERT_EQ(f->Hint_Modbus_Set_Access_Read->Count(), 13);
    // The Mnemonic column is displayed at 12 with Topic hidden; its hint is still its own.
    f->Hint_Modbus_Set_Access_Read->SetStrings(mrMnemonic - 1, u"mnemonic hint");
    String hint;
    f->ACG_Modbus_Read->OnGridHint(f->ACG_Modbus_Read, 0, f->ACG_Modbus_Read->DisplColIndex(mrMnemonic), hint);
    EXPECT_EQ(hint, u"mnemonic hint");
  });
}

TEST_F(ModbusMasterTest, TheDeleteQuestionCarriesTheRowNumber) {
  Show([&](TFSetAccess* f) {
    Put_Row(f->ACG_Modbus_Read, 3, Modbus_Read());
    Click_Cell(f->ACG_Modbus_Read, 3, 3);
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_DelRow);
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Are you sure to delete the Row number 3");
    EXPECT_EQ(f->ACG_Modbus_Read->GetCellEx(mrSlave, 3), u"");
  });
}

TEST_F(ModbusTcpMasterTest, CheckIpAddress) {
  const std::pair<const char16_t*, bool> cases[] = {
      {u"192.168.1.125", false}, {u"0.0.0.0", false}, {u"255.255.255.255", false}, {u"192.168.1", true},
      {u"1.2.3.4.5", true},      {u"1..2.3", true},   {u"256.1.1.1", true},         {u"", true},
      {u"1.2.3.", true},         {u"a.b.c.d", true},
  };
  for (const auto& [ip, invalid] : cases) EXPECT_EQ(form_->Check_IP_Address(ip), invalid) << StringToUtf8(ip);
}

TEST_F(ModbusTcpMasterTest, TheCheckRoutineTestsTheSlaveAddressFirst) {
  const Cells reg = Tcp(Modbus_Read());
  const Cells wreg = Tcp(Modbus_Write());
  Run_Cases(
      {
          {"valid rows", {reg}, {wreg}, 0},
          {"three parts", {Tcp(Modbus_Read(), u"192.168.1")}, {}, 1839},
          {"five parts", {Tcp(Modbus_Read(), u"1.2.3.4.5")}, {}, 1839},
          {"a part of 256", {Tcp(Modbus_Read(), u"256.1.1.1")}, {}, 1839},
          {"Port 0", {Tcp(Modbus_Read(), u"10.0.0.1", u"0")}, {}, 0},
          {"Port 65535", {Tcp(Modbus_Read(), u"10.0.0.1", u"65535")}, {}, 0},
          {"Port 65536", {Tcp(Modbus_Read(), u"10.0.0.1", u"65536")}, {}, 1840},
          {"Port x", {Tcp(Modbus_Read(), u"10.0.0.1", u"x")}, {}, 1840},
          {"an empty address ends the table even with a Slave ID", {reg, Tcp(With(Modbus_Read(), mrType, u""), u"")}, {}, 0},
          {"Slave ID 0", {Tcp(With(Modbus_Read(), mrSlave, u"0"))}, {}, 1841},
          {"126 registers", {Tcp(Modbus_Read(u"Input Register", u"126"))}, {}, 1844, 1, u"125"},
          {"Poll Time 0", {Tcp(With(Modbus_Read(), mrPoll, u"0"))}, {}, 1899},
          {"coils one byte past", {Tcp(Modbus_Read(u"Coil Status", u"2000", u"1250", u"7"))}, {}, 1849},
          {"status row without a Start Bit", {Tcp(Modbus_Read(u"Coil Status", u"8"))}, {}, 1848},
          {"Position 1500", {Tcp(With(Modbus_Read(), mrPosition, u"1500"))}, {}, 1847, 1, u"1499"},
          {"write: a bad address", {}, {Tcp(Modbus_Write(), u"1..2.3")}, 1850},
          {"write: Port 65536", {}, {Tcp(Modbus_Write(), u"10.0.0.1", u"65536")}, 1851},
          {"write: disabled and wrong", {}, {Tcp(With(Modbus_Write(), mwEnable, u"N"), u"x", u"x")}, 0},
          {"write: 1969 coils", {}, {Tcp(Modbus_Write(u"Coil Status", u"1969", u"0", u"0"))}, 1855, 1, u"1968"},
          {"write: Max Error x", {}, {Tcp(With(Modbus_Write(), mwMaxError, u"x"))}, 1857},
          {"write: coil with Start Bit 8", {}, {Tcp(Modbus_Write(u"Coil Status", u"8", u"0", u"8"))}, 1859},
      },
      1838);
  EXPECT_EQ(UI_Text(1839), u"!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)");
}

TEST_F(ModbusTcpMasterTest, TheModbusStepOpensTheFormAndItsFileKeepsTopicIndexMinusOne) {
  EXPECT_EQ(Open([&](TFModbus_TCP_Master_Set_Access* f) {
              EXPECT_EQ(f->Caption(), u"Set Modbus TCP Master Access");
              EXPECT_TRUE(f->ACG_Modbus_Read->IsHiddenColumn(mrTopic + 2));
              EXPECT_EQ(f->Hint_Modbus_Set_Access_Read->Count(), 14);
              Put_Row(f->ACG_Modbus_Read, 1, Tcp(Modbus_Read()));
              Put_Row(f->ACG_Modbus_Read, 2, Tcp(Modbus_Read(u"Input Status", u"12", u"40", u"4"), u"10.0.0.7", u"1502"));
              Put_Row(f->ACG_Modbus_Write, 1, Tcp(Modbus_Write(u"Coil Status", u"8", u"3", u"0")));
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  const std::string first = File_Text(Path_ModbusTCPM_SetAccess);
  EXPECT_EQ(first, Fixture("ModbusTCPM_SetAccess.xml"));
  EXPECT_EQ(Open([&](TFModbus_TCP_Master_Set_Access* f) {
              EXPECT_EQ(f->ACG_Modbus_Read->GetCellEx(mrTopic + 2, 1), u"");  // "-1" names no topic
              EXPECT_EQ(f->ACG_Modbus_Read->GetCellEx(2, 2), u"10.0.0.7");
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  EXPECT_EQ(File_Text(Path_ModbusTCPM_SetAccess), first);
}

TEST_F(ModbusTcpMasterTest, CopyAndPasteKeepTheirCaptionsAfterALanguageChange) {
  Language_List->SetStrings(1802, u"Conferma");
  Language_List->SetStrings(1806, u"Lettura");
  main_->Change_Language();
  EXPECT_EQ(form_->Btn_OK->Caption(), u"Conferma");
  EXPECT_EQ(form_->TS_Modbus_Read->Caption(), u"Lettura");
  EXPECT_EQ(form_->Btn_CopyRow->Caption(), u"Copy Row");
  EXPECT_EQ(form_->Btn_PasteRow->Caption(), u"Paste Row");
  EXPECT_EQ(form_->Btn_InsRow->Caption(), u"Insert Row");
  EXPECT_EQ(form_->ACG_Modbus_Write->Columns()->Items(15)->Header(), u"Swap Word");
  Load_Default_Strings();
}

TEST_F(ModbusTcpMasterTest, EnterMovesOnInTheWriteGridOnly) {
  Open([&](TFModbus_TCP_Master_Set_Access* f) {
    Opt_Jump_Field_Tables = true;
    Click_Cell(f->ACG_Modbus_Read, 3, 2);
    driver_.Key(f, VK_RETURN);
    EXPECT_EQ(f->ACG_Modbus_Read->Col(), 3);
    EXPECT_EQ(f->ACG_Modbus_Read->Row(), 2);
    f->PageControl1->UserSelectPage(1);
    Click_Cell(f->ACG_Modbus_Write, 3, 2);
    driver_.Key(f, VK_RETURN);
    EXPECT_EQ(f->ACG_Modbus_Write->Col(), 4);
    EXPECT_EQ(f->ACG_Modbus_Write->Row(), 2);
    Opt_Jump_Field_Tables = false;
    EXPECT_FALSE(f->ACG_Modbus_Read->ShowHint());
    EXPECT_FALSE(f->ACG_Modbus_Write->ShowHint());
  });
}

TEST_F(ModbusTcpMasterTest, ARowCopiedOnOnePageDoesNotPasteOnTheOther) {
  Open([&](TFModbus_TCP_Master_Set_Access* f) {
    Put_Row(f->ACG_Modbus_Read, 1, Tcp(Modbus_Read()));
    Click_Cell(f->ACG_Modbus_Read, 3, 1);
    driver_.Click(f->Btn_CopyRow);
    EXPECT_TRUE(f->Do_Copy_In_Read());
    f->PageControl1->UserSelectPage(1);
    Click_Cell(f->ACG_Modbus_Write, 3, 2);
    driver_.Click(f->Btn_PasteRow);
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, UI_Text(1502));
    EXPECT_EQ(f->ACG_Modbus_Write->GetCellEx(2, 2), u"");
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_DelRow);
    const auto q = Take_Messages();
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].Text, UI_Text(1861) + u"2");
  });
}
