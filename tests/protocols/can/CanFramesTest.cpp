// The raw CAN receive and transmit frames forms: their check routines, the files they write and
// read, and the main window's hidden steps that show them.
#include "protocols/can/UReceiveCAN.h"
#include "protocols/can/UTransmitCAN.h"
#include "tests/protocols/can/FrameFormTestSupport.h"

using namespace frame_form_test;

namespace {

enum CanReceiveCol { crEnable = 1, crCobID, crType, crDim, crTimeOut, crByte1, crByte2, crByte3, crByte4,
                     crByte8 = 13, crMnemonic };
enum CanTransmitCol { ctEnable = 1, ctCobID, ctType, ctDim, ctOnChange, ctOnCMD, ctOnTimer, ctTime, ctByte1,
                      ctMnemonic = 17 };

const String k11 = u"2.0A (11 bits)";
const String k29 = u"2.0B (29 bits)";

Cells Can_Rx(const String& CobID = u"0x100", const String& Type = k11, const String& Dim = u"2") {
  return {u"Y", CobID, Type, Dim, u"0", u"0", u"1", u"", u"", u"", u"", u"", u"", u"speed"};
}
Cells Can_Tx(const String& OnTimer = u"N", const String& Time = u"") {
  return {u"Y", u"0x200", k11, u"1", u"Y", u"N", OnTimer, Time, u"10", u"", u"", u"", u"", u"", u"", u"", u"cmd"};
}

class ReceiveCanTest : public FrameFormTest<TFReceiveCAN> {
 protected:
  ReceiveCanTest() : FrameFormTest("can_receive_program", u"TFReceiveCAN", FReceiveCAN) {}
};

class TransmitCanTest : public FrameFormTest<TFTransmitCAN> {
 protected:
  TransmitCanTest() : FrameFormTest("can_transmit_program", u"TFTransmitCAN", FTransmitCAN) {}
};

}  // namespace

TEST_F(ReceiveCanTest, TheCheckTestsEnabledRowsUpToTheFirstEmptyCobID) {
  const String dimension = u"Error row 1!! Dimension must be between 1 and 8";
  Run_Cases({
      {"a disabled row is not tested", {With(Can_Rx(u"99999"), crEnable, u"N")}, u""},
      {"Enable is trimmed and upper-cased", {With(Can_Rx(u"99999"), crEnable, u" y ")},
       u"Error row 1!! CobID must be between 0 and 2047"},
      {"0x7FF is a standard identifier", {Can_Rx(u"0x7FF")}, u""},
      {"2048 is not", {Can_Rx(u"2048")}, u"Error row 1!! CobID must be between 0 and 2047"},
      {"the type is trimmed", {Can_Rx(u"2048", u" 2.0A (11 bits) ")}, u"Error row 1!! CobID must be between 0 and 2047"},
      {"without a type 2048 is extended", {Can_Rx(u"2048", u"")}, u""},
      {"$1FFFFFFF is extended", {Can_Rx(u"$1FFFFFFF", k29)}, u""},
      {"536870912 is too big", {Can_Rx(u"536870912", k29)},
       u"Error row 1!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
      {"a CobID that is no number", {Can_Rx(u"1A", k29)}, u"Error row 1!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
      {"Dimension 0", {Can_Rx(u"1", k11, u"0")}, dimension},
      {"Dimension 9", {Can_Rx(u"1", k11, u"9")}, dimension},
      {"Dimension empty", {Can_Rx(u"1", k11, u"")}, dimension},
      {"TimeOut 0", {With(Can_Rx(), crTimeOut, u"0")}, u""},
      {"TimeOut 100000000", {With(Can_Rx(), crTimeOut, u"100000000")}, u""},
      {"TimeOut empty", {With(Can_Rx(), crTimeOut, u"")}, u"Error row 1!! TimeOut must be between 0 and 100000000 milliseconds"},
      {"a byte beyond the Dimension is not tested", {With(Can_Rx(u"1", k11, u"3"), crByte4, u"5000")}, u""},
      {"Byte3 2000 in row 7", Repeat(Can_Rx(), 6, {With(Can_Rx(u"1", k11, u"3"), crByte3, u"2000")}),
       u"Error row 7!! Byte3 must be between 0 and 1999 or None"},
      {"Byte1 1999", {With(Can_Rx(), crByte1, u"1999")}, u""},
      {"Byte1 -1", {With(Can_Rx(), crByte1, u"-1")}, u"Error row 1!! Byte1 must be between 0 and 1999 or None"},
      {"Byte8 abc", {With(Can_Rx(u"1", k11, u"8"), crByte8, u"abc")}, u"Error row 1!! Byte8 must be between 0 and 1999 or None"},
      {"None and empty bytes", {With(With(Can_Rx(u"1", k11, u"8"), crByte1, u"None"), crByte2, u" None ")}, u""},
      {"the same CobID and positions twice", {Can_Rx(), Can_Rx()}, u""},
      {"an empty CobID in row 5 ends the table", Repeat(Can_Rx(), 4, {Can_Rx(u" "), Can_Rx(u"99999")}), u""},
  });
}

TEST_F(ReceiveCanTest, TheFileKeepsTheRowsUpToTheFirstEmptyCobID) {
  std::vector<Cells> put = Repeat(Can_Rx(), 2, {With(Can_Rx(u"99999", k29, u"x"), crEnable, u"N"),
                                            With(With(Can_Rx(u"$1FFFFFFF", k29, u"8"), crByte8, u"None"), crMnemonic, u"a<b & \"c\""),
                                            Can_Rx(u""), Can_Rx(u"0x7FF")});
  Save_And_Reload(put, 4, Path_CAN_Rec_Frames, "CAN_Rec_Frames.xml");
}

TEST_F(ReceiveCanTest, ARowLackingAnAttributeTakesItsDefault) {
  Write("CAN_Rec_Frames.xml",
        "<Receive_Frames><row COBID=\"5\" CAN_Type=\"x\" Dim=\"1\"/>"
        "<row Enable=\"N\" COBID=\"6\" TimeOut=\"\" Mnemonic=\"m\"/></Receive_Frames><!--SW_VERSION = 1.000-->");
  Show([&](TFReceiveCAN* f) {
    EXPECT_TRUE(Take_Messages().empty());
    EXPECT_EQ(Row_Of(f->ACG_CAN_Receive, 1),
              (Cells{u"Y", u"5", u"x", u"1", u"0", u"", u"", u"", u"", u"", u"", u"", u"", u""}));
    EXPECT_EQ(Row_Of(f->ACG_CAN_Receive, 2),
              (Cells{u"N", u"6", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"m"}));
    EXPECT_EQ(f->ACG_CAN_Receive->GetCellEx(crEnable, 3), u"Y");
  });
}

TEST_F(ReceiveCanTest, AFileWithMoreRowsThanTheGridIsReportedAndOkAsksFirst) {
  std::string rows;
  for (int i = 0; i < 513; ++i) rows += "<row COBID=\"" + std::to_string(i) + "\"/>";
  Write("CAN_Rec_Frames.xml", "<Receive_Frames>" + rows + "</Receive_Frames>");
  const std::string before = File_Text(Path_CAN_Rec_Frames);
  Show([&](TFReceiveCAN* f) {
    const auto shown = Take_Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Type, mtError);
    EXPECT_TRUE(f->Load_Incomplete());
    EXPECT_EQ(f->ACG_CAN_Receive->GetCellEx(crCobID, 512), u"511");
    // Rows that pass the check: only the question stands between OK and the shorter file.
    for (int r = 1; r <= 512; ++r) Put_Row(f->ACG_CAN_Receive, r, Can_Rx(IntToStr(r - 1)));
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_OK);
    const auto asked = Take_Messages();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Type, mtConfirmation);
    EXPECT_EQ(f->ModalResult(), mrNone);
  });
  EXPECT_EQ(File_Text(Path_CAN_Rec_Frames), before);
}

TEST_F(ReceiveCanTest, TheReceiveFramesStepShowsTheFormWithItsByteLists) {
  script_.AnswerModal(u"FReceiveCAN", [&](TForm*) {
    TFReceiveCAN* f = form_;
    EXPECT_EQ(f->MAX_Byte, 2000);
    TStrings* items = f->ACG_CAN_Receive->Columns()->Items(crByte1)->ComboItems();
    EXPECT_EQ(items->Count(), 2001);
    EXPECT_EQ(items->Strings(0), u"None");
    EXPECT_EQ(items->Strings(2000), u"1999");
    EXPECT_EQ(f->ACG_CAN_Receive->Columns()->Items(crByte8)->ComboItems()->Count(), 2001);
    EXPECT_EQ(f->ACG_CAN_Receive->Columns()->Items(crType)->ComboItems()->Count(), 2);
    EXPECT_EQ(f->ACG_CAN_Receive->RowCount(), 513);
    EXPECT_EQ(f->ACG_CAN_Receive->GetCellEx(0, 512), u"512");
    EXPECT_EQ(f->ACG_CAN_Receive->Columns()->Items(crTimeOut)->Header(), u"TimeOut");
    EXPECT_EQ(f->Btn_DelRow->Caption(), u"Delete Row");
    EXPECT_EQ(f->Hint_ReceiveCAN->Count(), 14);
    EXPECT_FALSE(f->Do_Copy());
    return mrCancel;
  });
  main_->Btn_Click(main_->Btn_CAN_Rec_Frame);
  ASSERT_EQ(script_.ModalForms().size(), 1u);
  EXPECT_EQ(script_.ModalForms()[0].FormClass, u"TFReceiveCAN");
  EXPECT_FALSE(FileExists(Path_CAN_Rec_Frames));
}

TEST_F(ReceiveCanTest, InsertGivesAnEnabledEmptyRowAndDeleteAsksFirst) {
  Show([&](TFReceiveCAN* f) {
    Put_Row(f->ACG_CAN_Receive, 1, Can_Rx(u"1"));
    Put_Row(f->ACG_CAN_Receive, 2, Can_Rx(u"2"));
    Click_Cell(crCobID, 2);
    driver_.Click(f->Btn_InsRow);
    EXPECT_EQ(f->ACG_CAN_Receive->GetCellEx(crEnable, 2), u"Y");
    EXPECT_EQ(f->ACG_CAN_Receive->GetCellEx(crCobID, 2), u"");
    EXPECT_EQ(f->ACG_CAN_Receive->GetCellEx(crCobID, 3), u"2");
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_DelRow);
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Are you sure to delete the Row number 2");
    EXPECT_EQ(f->ACG_CAN_Receive->GetCellEx(crCobID, 2), u"2");
    EXPECT_EQ(f->ACG_CAN_Receive->GetCellEx(crEnable, 512), u"");
  });
}

TEST_F(TransmitCanTest, TheTimeIsTestedOnlyForRowsSentOnATimer) {
  const String time = u"Error row 1!! Time must be between 0 and 100000000 milliseconds";
  Run_Cases({
      {"OnTimer N with Time abc", {Can_Tx(u"N", u"abc")}, u""},
      {"OnTimer Y with an empty Time", {Can_Tx(u"Y", u"")}, time},
      {"OnTimer y counts as Y", {Can_Tx(u"y", u"")}, time},
      {"and so does a padded one", {Can_Tx(u" y ", u"")}, time},
      {"OnTimer Y with Time 0", {Can_Tx(u"Y", u"0")}, u""},
      {"no send mode at all", {With(With(Can_Tx(), ctOnChange, u"N"), ctOnCMD, u"N")}, u""},
      {"Byte 2499", {With(Can_Tx(), ctByte1, u"2499")}, u""},
      {"Byte 2500", {With(Can_Tx(), ctByte1, u"2500")}, u"Error row 1!! Byte1 must be between 0 and 2499 or None"},
      {"CobID 2048 standard", {With(Can_Tx(), ctCobID, u"2048")}, u"Error row 1!! CobID must be between 0 and 2047"},
      {"CobID -1 extended", {With(With(Can_Tx(), ctType, k29), ctCobID, u"-1")},
       u"Error row 1!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
      {"Dimension 9", {Can_Tx(), With(Can_Tx(), ctDim, u"9")}, u"Error row 2!! Dimension must be between 1 and 8"},
  });
}

TEST_F(TransmitCanTest, MissingAttributesLoadTheirDefaultsAndTimeOnlyWithOnTimer) {
  Write("CAN_Send_Frames.xml",
        "<Transmit_Frames><row COBID=\"1\"/><row COBID=\"2\" OnTimer=\"Y\"/><row COBID=\"3\" OnTimer=\"Y\" Time=\"\"/>"
        "<row COBID=\"4\" OnTimer=\"y\"/><row COBID=\"5\" CAN_Type=\"\" OnChange=\"N\" OnCMD=\"Y\"/></Transmit_Frames>");
  Show([&](TFTransmitCAN* f) {
    EXPECT_TRUE(Take_Messages().empty());
    auto flags = [&](int Row) {
      return Cells{f->ACG_CAN_Transmit->GetCellEx(ctType, Row), f->ACG_CAN_Transmit->GetCellEx(ctOnChange, Row),
                   f->ACG_CAN_Transmit->GetCellEx(ctOnCMD, Row), f->ACG_CAN_Transmit->GetCellEx(ctOnTimer, Row),
                   f->ACG_CAN_Transmit->GetCellEx(ctTime, Row)};
    };
    EXPECT_EQ(flags(1), (Cells{k11, u"Y", u"N", u"N", u""}));
    EXPECT_EQ(flags(2), (Cells{k11, u"Y", u"N", u"Y", u"0"}));
    EXPECT_EQ(flags(3), (Cells{k11, u"Y", u"N", u"Y", u""}));
    EXPECT_EQ(flags(4), (Cells{k11, u"Y", u"N", u"y", u""}));
    EXPECT_EQ(flags(5), (Cells{u"", u"N", u"Y", u"N", u""}));
    EXPECT_EQ(f->ACG_CAN_Transmit->GetCellEx(ctEnable, 1), u"Y");
  });
}

TEST_F(TransmitCanTest, TheFileKeepsEveryColumnAsTyped) {
  std::vector<Cells> put = {Can_Tx(u"Y", u"250"), With(With(Can_Tx(), ctEnable, u"N"), ctByte1, u"None"), Can_Tx(u"N", u" 7 ")};
  put.push_back(With(Can_Tx(), ctCobID, u" "));
  put.push_back(Can_Tx());
  Save_And_Reload(put, 3, Path_CAN_Send_Frames, "CAN_Send_Frames.xml");
}

TEST_F(TransmitCanTest, TheSendFramesStepShowsTheFormWithItsHintsRebuilt) {
  script_.AnswerModal(u"FTransmitCAN", [&](TForm*) {
    TFTransmitCAN* f = form_;
    EXPECT_EQ(f->MAX_Byte, 2500);
    TStrings* items = f->ACG_CAN_Transmit->Columns()->Items(ctByte1 + 7)->ComboItems();
    EXPECT_EQ(items->Count(), 2501);
    EXPECT_EQ(items->Strings(2500), u"2499");
    EXPECT_EQ(f->ACG_CAN_Transmit->Columns()->Items(ctOnCMD)->Header(), u"OnCMD");
    EXPECT_EQ(f->ACG_CAN_Transmit->Columns()->Items(ctMnemonic)->Header(), u"Mnemonic");
    EXPECT_EQ(f->Hint_TransmitCAN->Count(), 17);
    EXPECT_EQ(f->Hint_TransmitCAN->Strings(ctOnCMD - 1), UI_Text(2563));
    return mrCancel;
  });
  form_->Hint_TransmitCAN->Clear();
  main_->Btn_Click(main_->Btn_CAN_Send_Frame);
  ASSERT_EQ(script_.ModalForms().size(), 1u);
  EXPECT_EQ(script_.ModalForms()[0].FormClass, u"TFTransmitCAN");
}

TEST_F(TransmitCanTest, ALanguageChangeRetextsHeadersAndHints) {
  Language_List->SetStrings(2562, u"Su comando");
  Language_List->SetStrings(2563, u"Invia su comando");
  main_->Change_Language();
  EXPECT_EQ(form_->ACG_CAN_Transmit->Columns()->Items(ctOnCMD)->Header(), u"Su comando");
  EXPECT_EQ(form_->Hint_TransmitCAN->Strings(ctOnCMD - 1), u"Invia su comando");
  Load_Default_Strings();
}
