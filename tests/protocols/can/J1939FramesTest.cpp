// The J1939 receive and transmit tables: the check routines with their byte totals, the files and
// the older transmit layout with one send mode in "T_Type".
#include "protocols/can/UReceiveJ1939.h"
#include "protocols/can/UTransmitJ1939.h"
#include "tests/protocols/can/FrameFormTestSupport.h"

using namespace frame_form_test;

namespace {

enum J1939RxCol { jrxDataPage = 1, jrxPGN, jrxSource, jrxTransport, jrxStart, jrxNByte, jrxCancel, jrxOnRequest,
                  jrxTime, jrxMnemonic };
enum J1939TxCol { jtxPriority = 1, jtxDataPage, jtxPGN, jtxSource, jtxNBytes, jtxRequest, jtxDataChange, jtxOnTimer,
                  jtxSendTimer, jtxMnemonic };

// A single frame taken whole (8 bytes), or with Start Byte and N Byte.
Cells J1939_Single(const String& Start = u"", const String& NByte = u"") {
  return {u"0", u"0xFEF1", u"0", u"N", Start, NByte, u"N", u"N", u"1000", u"speed"};
}
Cells J1939_Transport(const String& Start, const String& NByte) { return With(J1939_Single(Start, NByte), jrxTransport, u"Y"); }

Cells J1939_Group(const String& NBytes = u"8") {
  return {u"6", u"0", u"0x1FFFF", u"255", NBytes, u"N", u"Y", u"N", u"", u"out"};
}


class ReceiveJ1939Test : public FrameFormTest<TFReceiveJ1939> {
 protected:
  ReceiveJ1939Test() : FrameFormTest("j1939_receive_program", u"TFReceiveJ1939", FReceiveJ1939) {}
};

class TransmitJ1939Test : public FrameFormTest<TFTransmitJ1939> {
 protected:
  TransmitJ1939Test() : FrameFormTest("j1939_transmit_program", u"TFTransmitJ1939", FTransmitJ1939) {}
};

}  // namespace

TEST_F(ReceiveJ1939Test, TheRowsTakeAtMost1440Bytes) {
  const String sum = Pgn_Row_Error(1, u"!! Start Byte plus Number Bytes must be between 0 and 1785");
  const String minor = Pgn_Row_Error(1, u"!! The Number Bytes plus Start Byte must be minor of 9");
  Run_Cases({
      {"180 whole frames", Repeat(J1939_Single(), 180), u""},
      {"a 181st", Repeat(J1939_Single(), 181), u"Error!! Too many bytes of data, the max number is 1440"},
      {"a single frame with Start Byte counts its N Byte", Repeat(J1939_Single(), 179, {J1939_Single(u"1", u"7"), J1939_Single(u"1", u"1")}),
       u""},
      {"and one byte more is too many", Repeat(J1939_Single(), 179, {J1939_Single(u"1", u"7"), J1939_Single(u"1", u"2")}),
       u"Error!! Too many bytes of data, the max number is 1440"},
      {"transport 1780 + 5", {J1939_Transport(u"1780", u"5")}, u""},
      {"transport 1780 + 6", {J1939_Transport(u"1780", u"6")}, sum},
      {"transport N Byte 0 takes no byte", Repeat(J1939_Single(), 180, {J1939_Transport(u"0", u"0")}), u""},
      {"transport N Byte empty", {J1939_Transport(u"0", u"")}, sum},
      {"transport Start Byte 1786", {J1939_Transport(u"1786", u"0")}, Pgn_Row_Error(1, u"!! Start Byte must be between 0 and 1785")},
      {"single 2 and nothing", {J1939_Single(u"2", u"")}, Pgn_Row_Error(1, u"!! Start Byte and Number Bytes must be both compiled")},
      {"single 0 + 4", {J1939_Single(u"0", u"4")}, Pgn_Row_Error(1, u"!! The Start Byte must be between 1 and 8")},
      {"single 1 + 9", {J1939_Single(u"1", u"9")}, Pgn_Row_Error(1, u"!! The Number Bytes must be between 1 and 8")},
      {"single 3 + 6", {J1939_Single(u"3", u"6")}, minor},
      {"single 1 + 7", {J1939_Single(u"1", u"7")}, u""},
      {"single 1 + 8", {J1939_Single(u"1", u"8")}, minor},
      {"J1939_Transport Protocol y is a single frame", {With(J1939_Single(u"1780", u"5"), jrxTransport, u"y")},
       Pgn_Row_Error(1, u"!! The Start Byte must be between 1 and 8")},
      {"On Request with Time 0", {With(With(J1939_Single(), jrxOnRequest, u"Y"), jrxTime, u"0")}, u""},
      {"On Request with Time 10000001", {J1939_Single(), With(With(J1939_Single(), jrxOnRequest, u"Y"), jrxTime, u"10000001")},
       Pgn_Row_Error(2, u"!! Time(ms) must be between 0 and 10000000")},
      {"without On Request the time is ignored", {With(J1939_Single(), jrxTime, u"x")}, u""},
      {"PGN 0xFFFF", {With(J1939_Single(), jrxPGN, u"0xFFFF")}, u""},
      {"PGN 65536", {With(J1939_Single(), jrxPGN, u"65536")}, Pgn_Row_Error(1, u"!! PGN must be between 0x0000 and 0xFFFF")},
      {"a PGN of blanks is in the table", {With(J1939_Single(), jrxPGN, u" ")},
       Pgn_Row_Error(1, u"!! PGN must be between 0x0000 and 0xFFFF")},
      {"Source Address 240", {With(J1939_Single(), jrxSource, u"240")},
       Pgn_Row_Error(1, u"!! Source Address must be between 0 and 239")},
      {"an empty Data Page", {With(J1939_Single(), jrxDataPage, u"")}, Pgn_Row_Error(1, u"!! Data Page must be 0 or 1")},
      {"an empty PGN ends the table", {J1939_Single(), With(J1939_Single(), jrxPGN, u""), With(J1939_Single(), jrxSource, u"999")}, u""},
  });
}

TEST_F(ReceiveJ1939Test, TheFileKeepsCellsAsTypedAndMissingFlagsLoadAsN) {
  Save_And_Reload({J1939_Single(), J1939_Transport(u"10", u"100"), With(J1939_Single(u"1", u"4"), jrxDataPage, u" "),
                   With(J1939_Single(), jrxPGN, u""), J1939_Single()},
                  3, Path_J1939_Rec_Frames, "J1939_Rec_Frames.xml");
  Write("J1939_Rec_Frames.xml", "<Receive_J1939><row PGN=\"1\" TP_Start=\"\"/></Receive_J1939>");
  Show([&](TFReceiveJ1939* f) {
    EXPECT_EQ(Row_Of(f->sga, 1), (Cells{u"", u"1", u"", u"N", u"", u"", u"N", u"N", u"1000", u""}));
    EXPECT_EQ(Row_Of(f->sga, 2), Cells(10, u""));
    EXPECT_EQ(f->NUM_BYTE_IN, 1440);
  });
}

TEST_F(ReceiveJ1939Test, InsertLeavesTheRowEmptyAndAClickOnTheNumberSelectsTheRow) {
  Show([&](TFReceiveJ1939* f) {
    Put_Row(f->sga, 1, J1939_Single());
    Click_Cell(jrxPGN, 1);
    driver_.Click(f->Btn_InsRow);
    EXPECT_EQ(Row_Of(f->sga, 1), Cells(10, u""));
    EXPECT_EQ(Row_Of(f->sga, 2), J1939_Single());
    Click_Cell(0, 2);
    EXPECT_EQ(f->sga->Row(), 2);
    driver_.Click(f->Btn_CopyRow);
    EXPECT_TRUE(f->Do_Copy());
    Click_Cell(jrxPGN, 4);
    driver_.Click(f->Btn_PasteRow);
    EXPECT_EQ(Row_Of(f->sga, 4), J1939_Single());
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_DelRow);
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Are you sure to delete the Row number 4");
    EXPECT_EQ(Row_Of(f->sga, 4), Cells(10, u""));
  });
}

TEST_F(TransmitJ1939Test, TheCheckCoversEveryRowTheSaveWrites) {
  const String pgn = Pgn_Row_Error(2, u"!! PGN must be between 0x00000 and 0x1FFFF");
  const String timer = Pgn_Row_Error(1, u"!! Send Timer must be between 1 and 65535 ms");
  Run_Cases({
      {"N Bytes 0", {J1939_Group(u"0")}, u""},
      {"N Bytes 513", {J1939_Group(u"513")}, Pgn_Row_Error(1, u"!! Num Byte must be between 0 and 512")},
      {"256 + 256", {J1939_Group(u"256"), J1939_Group(u"256")}, u""},
      {"one byte more", {J1939_Group(u"256"), J1939_Group(u"256"), J1939_Group(u"1")},
       u"Error!! Too many bytes of data, the max number is 512"},
      {"Send Timer 0", {With(With(J1939_Group(), jtxOnTimer, u"Y"), jtxSendTimer, u"0")}, timer},
      {"Send Timer 65535", {With(With(J1939_Group(), jtxOnTimer, u"Y"), jtxSendTimer, u"65535")}, u""},
      {"Send Timer 65536", {With(With(J1939_Group(), jtxOnTimer, u"Y"), jtxSendTimer, u"65536")}, timer},
      {"Send Timer 0 is ignored with On Timer N", {With(J1939_Group(), jtxSendTimer, u"0")}, u""},
      {"On Timer y is not a timer", {With(With(J1939_Group(), jtxOnTimer, u"y"), jtxSendTimer, u"0")}, u""},
      {"PGN 131072", {With(J1939_Group(), jtxPGN, u"131072")}, Pgn_Row_Error(1, u"!! PGN must be between 0x00000 and 0x1FFFF")},
      {"Source Address 256", {With(J1939_Group(), jtxSource, u"256")},
       Pgn_Row_Error(1, u"!! Source Address must be between 0 and 255")},
      {"Priority 8", {With(J1939_Group(), jtxPriority, u"8")}, Pgn_Row_Error(1, u"!! Priority must be between 0 and 7")},
      {"a PGN without a Priority", {J1939_Group(), With(J1939_Group(), jtxPriority, u"")},
       Pgn_Row_Error(2, u"!! Priority must be between 0 and 7")},
      {"a Priority without a PGN", {J1939_Group(), With(J1939_Group(), jtxPGN, u"")}, pgn},
      {"a Priority-only row", {J1939_Group(), Cells{u"3"}}, Pgn_Row_Error(2, u"!! Data Page must be 0 or 1")},
      {"an empty Data Page", {With(J1939_Group(), jtxDataPage, u"")}, Pgn_Row_Error(1, u"!! Data Page must be 0 or 1")},
      {"a row without both ends the table", {J1939_Group(), Cells{}, With(J1939_Group(), jtxPriority, u"9")}, u""},
  });
}

TEST_F(TransmitJ1939Test, TheFileIsWrittenWithoutTTypeAndItsRowsReloadAsSaved) {
  Save_And_Reload({J1939_Group(), With(With(J1939_Group(u"0"), jtxOnTimer, u"Y"), jtxSendTimer, u"100"), Cells{}, J1939_Group()},
                  2, Path_J1939_Send_Frames, "J1939_Send_Frames.xml");
}

TEST_F(TransmitJ1939Test, TTypeNamesTheSendModeAndAnEmptyLengthLoadsAsEight) {
  Write("J1939_Send_Frames.xml",
        "<Transmit_J1939>"
        "<row Priority=\"1\" T_Type=\"On Timer\" On_Request=\"Y\" On_Data_Change=\"Y\" TP_NByte=\"4\"/>"
        "<row Priority=\"2\" T_Type=\"on data change\" On_Timer=\"Y\" TP_NByte=\"\"/>"
        "<row Priority=\"3\" T_Type=\"On Request\" On_Request=\"Y\"/>"
        "<row Priority=\"4\" On_Request=\"Y\" On_Timer=\"x\"/>"
        "<row Priority=\"5\" TP_NByte=\" \"/>"
        "</Transmit_J1939>");
  Show([&](TFTransmitJ1939* f) {
    auto modes = [&](int Row) {
      return Cells{f->sga->GetCellEx(jtxNBytes, Row), f->sga->GetCellEx(jtxRequest, Row),
                   f->sga->GetCellEx(jtxDataChange, Row), f->sga->GetCellEx(jtxOnTimer, Row)};
    };
    EXPECT_EQ(modes(1), (Cells{u"4", u"N", u"N", u"Y"}));
    EXPECT_EQ(modes(2), (Cells{u"8", u"N", u"Y", u"N"}));
    EXPECT_EQ(modes(3), (Cells{u"8", u"N", u"N", u"N"}));
    EXPECT_EQ(modes(4), (Cells{u"8", u"Y", u"N", u"x"}));
    EXPECT_EQ(modes(5), (Cells{u" ", u"N", u"N", u"N"}));
    EXPECT_EQ(modes(6), (Cells{u"", u"", u"", u""}));
    EXPECT_EQ(f->NUM_BYTE_OUT, 512);
  });
}
