// The CANopen PDO, SDO client and SDO server forms: their check routines over both grids, the
// files they write and read, the row buttons across the two grids, headers and hints, and the
// main window's hidden steps that show them.
#include "protocols/can/USet_PDO_Access.h"
#include "protocols/can/USet_SDO_Client_Access.h"
#include "protocols/can/USet_SDO_Server_Access.h"
#include "tests/protocols/can/FrameFormTestSupport.h"

using namespace frame_form_test;

namespace {

// Receive PDO: COB-ID, Dimension, Add B1..B8, TimeOut, Mnemonic.
Cells Rx(const String& Cob = u"0x181", const String& Dim = u"2", const String& B1 = u"0", const String& B2 = u"1") {
  return {Cob, Dim, B1, B2, u"", u"", u"", u"", u"", u"", u"100", u"rx"};
}
// Transmit PDO: COB-ID, Dimension, Add B1..B8, Send Time, On Change, Mnemonic.
Cells Tx(const String& Cob = u"0x201", const String& Dim = u"1") {
  return {Cob, Dim, u"5", u"", u"", u"", u"", u"", u"", u"", u"1000", u"Y", u"tx"};
}
// SDO client read: ID Device, Index, SubIndex, N Byte, Poll Time, Add Byte1..4, Mnemonic.
Cells Cr(const String& Id = u"1", const String& Index = u"0x1000", const String& NByte = u"1", const String& Poll = u"10") {
  return {Id, Index, u"0", NByte, Poll, u"0", u"1", u"2", u"3", u"r"};
}
// SDO client write: ID Device, Index, SubIndex, N Byte, Poll Time, On Change, Add Byte1..4, Mnemonic.
Cells Cw(const String& Poll = u"0", const String& NByte = u"2") {
  return {u"127", u"0xFFFF", u"0xFF", NByte, Poll, u"N", u"0", u"1", u"x", u"x", u"w"};
}
// SDO server: Index, SubIndex, N Byte, Add Byte1..4, Mnemonic.
Cells Sv(const String& Index = u"0x2000", const String& NByte = u"1") {
  return {Index, u"1", NByte, u"7", u"x", u"x", u"x", u"s"};
}

struct TwoGridCase {
  const char* Name;
  std::vector<Cells> First, Second;
  String Message;  // empty: both grids pass
};

template <class TFormT>
class CANopenTest : public FrameFormTest<TFormT> {
 protected:
  using FrameFormTest<TFormT>::FrameFormTest;

  void Run(const std::vector<TwoGridCase>& Cases) {
    for (const TwoGridCase& k : Cases) {
      SCOPED_TRACE(k.Name);
      this->form_->Reset_Grids();
      this->form_->Set_Limits();
      for (size_t i = 0; i < k.First.size(); ++i) Put_Row(this->form_->sga, static_cast<int>(i) + 1, k.First[i]);
      for (size_t i = 0; i < k.Second.size(); ++i) Put_Row(this->form_->sgb, static_cast<int>(i) + 1, k.Second[i]);
      EXPECT_EQ(this->form_->Controllo_dati(), k.Message.empty());
      const auto m = this->Take_Messages();
      ASSERT_EQ(m.size(), k.Message.empty() ? 0u : 1u);
      if (!k.Message.empty()) {
        EXPECT_EQ(m[0].Text, k.Message);
        EXPECT_EQ(m[0].Type, mtError);
      }
    }
  }
};

class PdoTest : public CANopenTest<TFSet_PDO_Access> {
 protected:
  PdoTest() : CANopenTest("pdo_program", u"TFSet_PDO_Access", FSet_PDO_Access) {}
};
class SdoClientTest : public CANopenTest<TFSet_SDO_Client_Access> {
 protected:
  SdoClientTest() : CANopenTest("sdo_client_program", u"TFSet_SDO_Client_Access", FSet_SDO_Client_Access) {}
};
class SdoServerTest : public CANopenTest<TFSet_SDO_Server_Access> {
 protected:
  SdoServerTest() : CANopenTest("sdo_server_program", u"TFSet_SDO_Server_Access", FSet_SDO_Server_Access) {}
};

String Err(int Row, int Text, const String& Limit = String()) { return u"Error row " + IntToStr(Row) + UI_Text(Text) + Limit; }

}  // namespace

TEST_F(PdoTest, TheCheckTestsBothGridsUpToTheirFirstEmptyCobID) {
  const String cob = UI_Text(2669);
  Run({
      {"COB-ID 0x7FF", {Rx(u"0x7FF")}, {}, u""},
      {"0x800", {Rx(u"0x800")}, {}, Err(1, 2669)},
      {"2048", {Rx(u"2048")}, {}, Err(1, 2669)},
      {"-1", {Rx(u"-1")}, {}, Err(1, 2669)},
      {"7ff without a prefix", {Rx(u"7ff")}, {}, Err(1, 2669)},
      {"$101 and x101", {Rx(u"$101"), Rx(u"x101")}, {}, u""},
      {"leading blanks pass", {Rx(u"  257")}, {}, u""},
      {"a trailing blank fails", {Rx(u"257 ")}, {}, Err(1, 2669)},
      {"Dimension 0", {Rx(u"1", u"0")}, {}, Err(1, 2670)},
      {"Dimension 9", {Rx(u"1", u"9")}, {}, Err(1, 2670)},
      {"Dimension 3 tests Add B1-B3 only", {With(Rx(u"1", u"3", u"0", u"1"), 5, u"2")}, {}, u""},
      {"Add B3 missing with Dimension 3", {Rx(u"1", u"3")}, {}, Err(1, 2673, u"1499")},
      {"address 1499", {Rx(u"1", u"1", u"1499")}, {}, u""},
      {"address 1500", {Rx(u"1", u"1", u"1500")}, {}, Err(1, 2671, u"1499")},
      {"TimeOut 65535", {With(Rx(), 11, u"65535")}, {}, u""},
      {"TimeOut 65536", {With(Rx(), 11, u"65536")}, {}, Err(1, 2679)},
      {"a row below an empty COB-ID is not tested", {Rx(), Rx(u" "), Rx(u"9999")}, {}, u""},
      {"the transmit grid after the receive grid", {Rx()}, {Tx(), Tx(u"0x800")}, Err(2, 2680)},
      {"transmit Dimension", {}, {Tx(u"1", u"")}, Err(1, 2681)},
      {"transmit address", {}, {With(Tx(), 3, u"1500")}, Err(1, 2682, u"1499")},
      {"Send Time 100000000", {}, {With(Tx(), 11, u"100000000")}, u""},
      {"Send Time 100000001", {}, {With(Tx(), 11, u"100000001")}, Err(1, 2690)},
      {"On Change and Mnemonic are not tested", {}, {With(With(Tx(), 12, u"?"), 13, u"")}, u""},
  });
}

TEST_F(PdoTest, TheFileHoldsBothSectionsAndReloads) {
  Show([&](TFSet_PDO_Access* f) {
    EXPECT_EQ(f->sga->GetCellEx(1, 0), u"COB-ID");
    EXPECT_EQ(f->sgb->GetCellEx(11, 0), u"Send Time");
    EXPECT_EQ(f->sgb->GetCellEx(0, 0), u"N");
    EXPECT_EQ(f->TS_Transmit_PDO->Caption(), u"Transmit PDO");
    EXPECT_EQ(f->Hint_PDO_Receive->Count(), 12);
    EXPECT_EQ(f->Hint_PDO_Transmit->Count(), 13);
    EXPECT_EQ(f->PROFINET_NByte_IN, 1500);
    EXPECT_EQ(f->sgb->Columns()->Items(12)->Alignment(), taCenter);
    EXPECT_EQ(f->sga->RowCount(), 31);
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(f->ModalResult(), mrOk);
  });
  EXPECT_EQ(File_Text(Path_PDO_CANopen), "<PDO_CANopen><Receive_PDO/><Transmit_PDO/></PDO_CANopen><!--SW_VERSION = 1.000-->");
  Show([&](TFSet_PDO_Access* f) {
    Put_Row(f->sga, 1, With(Rx(u"0x181", u"1"), 5, u"junk"));
    Put_Row(f->sga, 3, Rx(u"9"));  // below an empty COB-ID: not saved
    Put_Row(f->sgb, 1, Tx());
    driver_.Click(f->Btn_OK);
  });
  const std::string text = File_Text(Path_PDO_CANopen);
  EXPECT_EQ(text,
            "<PDO_CANopen><Receive_PDO><row COB-ID=\"0x181\" Dimension=\"1\" Address_B1=\"0\" Address_B2=\"1\" "
            "Address_B3=\"junk\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" "
            "TimeOut=\"100\" Mnemonic=\"rx\"/></Receive_PDO><Transmit_PDO><row COB-ID=\"0x201\" Dimension=\"1\" "
            "Address_B1=\"5\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" "
            "Address_B7=\"\" Address_B8=\"\" Send_Time=\"1000\" On_Change=\"Y\" Mnemonic=\"tx\"/></Transmit_PDO>"
            "</PDO_CANopen><!--SW_VERSION = 1.000-->");
  Show([&](TFSet_PDO_Access* f) {
    EXPECT_EQ(Row_Of(f->sga, 1), With(Rx(u"0x181", u"1"), 5, u"junk"));
    EXPECT_EQ(Row_Of(f->sga, 3), Cells(12, String()));
    EXPECT_EQ(Row_Of(f->sgb, 1), Tx());
    driver_.Click(f->Btn_OK);
  });
  EXPECT_EQ(File_Text(Path_PDO_CANopen), text);
}

TEST_F(PdoTest, RowButtonsActOnTheShownGridAndCopiesStayInTheirGrid) {
  Show([&](TFSet_PDO_Access* f) {
    for (int r = 1; r <= 30; ++r) Put_Row(f->sga, r, Rx(IntToStr(r)));
    Click_Cell(1, 1);
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_DelRow);
    ASSERT_EQ(Take_Messages().size(), 1u);
    EXPECT_EQ(f->sga->GetCellEx(1, 1), u"2");
    EXPECT_EQ(Row_Of(f->sga, 30), Cells(12, String()));
    EXPECT_EQ(f->sga->GetCellEx(0, 30), u"30");
    driver_.Click(f->Btn_CopyRow);
    EXPECT_TRUE(f->Do_Copy_Receive_PDO());
    f->PageControl1->UserSelectPage(1);
    driver_.Click(f->Btn_PasteRow);
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, UI_Text(1502));
    EXPECT_EQ(f->sgb->GetCellEx(1, 1), u"");
  });
}

TEST_F(PdoTest, ARowLackingAnAttributeIsReportedAndOkAsksFirst) {
  Write("PDO_CANopen.xml", "<PDO_CANopen><Receive_PDO><row COB-ID=\"1\" Dimension=\"1\"/></Receive_PDO><Transmit_PDO/>"
                           "</PDO_CANopen>");
  const std::string before = File_Text(Path_PDO_CANopen);
  Show([&](TFSet_PDO_Access* f) {
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Error in file PDO_CANopen.xml: row 1 of \"Receive_PDO\" has no attribute \"Address_B1\"");
    EXPECT_EQ(f->sga->GetCellEx(2, 1), u"1");
    EXPECT_TRUE(f->Load_Incomplete());
    script_.ExpectMessage(mrNo);
    f->sga->SetCellEx(1, 1, u"");
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(Take_Messages().size(), 1u);
    EXPECT_EQ(f->ModalResult(), mrNone);
  });
  EXPECT_EQ(File_Text(Path_PDO_CANopen), before);
}

TEST_F(SdoClientTest, TheCheckTestsReadThenWriteRows) {
  Run({
      {"a read row with Poll Time 0", {Cr(u"1", u"0x1000", u"1", u"0")}, {}, Err(1, 2765)},
      {"a write row with Poll Time 0", {}, {Cw(u"0")}, u""},
      {"Index 0x0FFF", {Cr(u"1", u"0x0FFF")}, {}, Err(1, 2762)},
      {"Index 0x10000", {Cr(u"1", u"0x10000")}, {}, Err(1, 2762)},
      {"Index 0x1000 and 4096", {Cr(u"1", u"0x1000"), Cr(u"1", u"4096")}, {}, u""},
      {"N Byte 3", {Cr(u"1", u"0x1000", u"3")}, {}, Err(1, 2764)},
      {"N Byte 2 leaves Add Byte3 and 4 untested", {}, {Cw(u"5", u"2")}, u""},
      {"N Byte 4 tests Add Byte3", {}, {Cw(u"5", u"4")}, Err(1, 2777, u"1499")},
      {"ID Device 0", {Cr(u"0")}, {}, Err(1, 2761)},
      {"ID Device 128", {Cr(u"128")}, {}, Err(1, 2761)},
      {"a blank ID Device ends the table", {Cr(), Cr(u"  "), Cr(u"999")}, {}, u""},
      {"write SubIndex 256", {}, {With(Cw(), 3, u"256")}, Err(1, 2772)},
      {"read address 1500", {With(Cr(), 6, u"1500")}, {}, Err(1, 2766, u"1499")},
  });
}

TEST_F(SdoClientTest, TheFileKeepsUntestedBytesAndOnChangeAsTyped) {
  Show([&](TFSet_SDO_Client_Access* f) {
    EXPECT_EQ(f->sga->RowCount(), 257);
    EXPECT_EQ(f->sgb->GetCellEx(6, 0), u"On Change");
    EXPECT_EQ(f->TS_SDO_Read->Caption(), u"SDO Read");
    Put_Row(f->sga, 1, Cr());
    Put_Row(f->sgb, 1, Cw());
    Put_Row(f->sgb, 2, With(Cw(), 6, u""));
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(f->ModalResult(), mrOk);
  });
  const std::string text = File_Text(Path_SDO_Client_CANopen);
  EXPECT_EQ(text,
            "<SDO_Client_CANopen><SDO_Read><row Device_ID=\"1\" Index=\"0x1000\" SubIndex=\"0\" NByte=\"1\" "
            "Poll_Time=\"10\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"2\" Address_B4=\"3\" Mnemonic=\"r\"/>"
            "</SDO_Read><SDO_Write><row Device_ID=\"127\" Index=\"0xFFFF\" SubIndex=\"0xFF\" NByte=\"2\" Poll_Time=\"0\" "
            "On_Change=\"N\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"x\" Address_B4=\"x\" Mnemonic=\"w\"/>"
            "<row Device_ID=\"127\" Index=\"0xFFFF\" SubIndex=\"0xFF\" NByte=\"2\" Poll_Time=\"0\" On_Change=\"\" "
            "Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"x\" Address_B4=\"x\" Mnemonic=\"w\"/></SDO_Write>"
            "</SDO_Client_CANopen><!--SW_VERSION = 1.000-->");
  Show([&](TFSet_SDO_Client_Access* f) {
    EXPECT_EQ(Row_Of(f->sgb, 2), With(Cw(), 6, u""));
    driver_.Click(f->Btn_OK);
  });
  EXPECT_EQ(File_Text(Path_SDO_Client_CANopen), text);
}

TEST_F(SdoServerTest, TheCheckTestsTheManufacturerRange) {
  Run({
      {"Index 0x1FFF", {Sv(u"0x1FFF")}, {}, Err(1, 2851)},
      {"Index 0x6000", {Sv(u"0x6000")}, {}, Err(1, 2851)},
      {"Index 0x2000 and 0x5FFF", {Sv(u"0x2000"), Sv(u"0x5FFF")}, {}, u""},
      {"N Byte 3", {Sv(u"0x2000", u"3")}, {}, Err(1, 2853)},
      {"N Byte 1 tests Add Byte1 only", {Sv(u"0x2000", u"1")}, {}, u""},
      {"N Byte 2 tests Add Byte2", {Sv(u"0x2000", u"2")}, {}, Err(1, 2855, u"1499")},
      {"the same object read and written", {Sv()}, {Sv()}, u""},
      {"write Index", {}, {Sv(u"24576")}, Err(1, 2858)},
      {"write SubIndex", {}, {With(Sv(), 2, u"-1")}, Err(1, 2859)},
  });
}

TEST_F(SdoServerTest, TheWriteGridShowsTheWriteHintsAndTheFileReloads) {
  for (int i = 0; i < 16; ++i) Language_List->SetStrings(2834 + i, (i < 8 ? u"read " : u"write ") + IntToStr(i % 8 + 1));
  form_->Set_Lang();  // as after a language change
  Show([&](TFSet_SDO_Server_Access* f) {
    EXPECT_EQ(f->ClientWidth(), 749);
    for (int c = 1; c <= 8; ++c) {
      String hint;
      f->sgb->OnGridHint(f->sgb, 0, c, hint);
      EXPECT_EQ(hint, u"write " + IntToStr(c));
      f->sga->OnGridHint(f->sga, 0, c, hint);
      EXPECT_EQ(hint, u"read " + IntToStr(c));
    }
    Put_Row(f->sga, 1, Sv(u"8192"));
    Put_Row(f->sgb, 1, Sv(u"$2001", u"4"));
    for (int c = 4; c <= 7; ++c) f->sgb->SetCellEx(c, 1, IntToStr(c));
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(f->ModalResult(), mrOk);
  });
  const std::string text = File_Text(Path_SDO_Server_CANopen);
  EXPECT_NE(text.find("<SDO_Write><row Index=\"$2001\" SubIndex=\"1\" NByte=\"4\" Address_B1=\"4\""), std::string::npos);
  Show([&](TFSet_SDO_Server_Access* f) {
    EXPECT_EQ(Row_Of(f->sga, 1), Sv(u"8192"));
    driver_.Click(f->Btn_OK);
  });
  EXPECT_EQ(File_Text(Path_SDO_Server_CANopen), text);
  Load_Default_Strings();
}

TEST_F(SdoServerTest, TheHiddenStepsShowTheThreeForms) {
  const std::pair<TLbButton*, String> steps[] = {{main_->Btn_PDO_CANopen, u"TFSet_PDO_Access"},
                                                 {main_->Btn_SDO_Client_CANopen, u"TFSet_SDO_Client_Access"},
                                                 {main_->Btn_SDO_Server_CANopen, u"TFSet_SDO_Server_Access"}};
  TFSet_PDO_Access pdo(nullptr);
  TFSet_SDO_Client_Access client(nullptr);
  FSet_PDO_Access = &pdo;
  FSet_SDO_Client_Access = &client;
  main_->Register_Form(u"TFSet_PDO_Access", &pdo, [] {});
  main_->Register_Form(u"TFSet_SDO_Client_Access", &client, [] {});
  for (const auto& [button, form] : steps) {
    SCOPED_TRACE(StringToUtf8(form));
    script_.AnswerModal(form == u"TFSet_PDO_Access" ? u"FSet_PDO_Access"
                        : form == u"TFSet_SDO_Client_Access" ? u"FSet_SDO_Client_Access"
                                                             : u"FSet_SDO_Server_Access",
                        [](TForm*) { return mrCancel; });
    const size_t before = script_.ModalForms().size();
    main_->Btn_Click(button);
    ASSERT_EQ(script_.ModalForms().size(), before + 1);
    EXPECT_EQ(script_.ModalForms().back().FormClass, form);
  }
}
