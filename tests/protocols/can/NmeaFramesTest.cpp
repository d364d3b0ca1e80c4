// The NMEA 2000 receive and transmit tables: single frames, fast packets and the transport
// protocol against a 512-byte data area, the files (the transmit file keeps the receive file's
// root) and the guard against a file longer than the grid.
#include "protocols/can/UReceiveNMEA.h"
#include "protocols/can/UTransmitNMEA.h"
#include "tests/protocols/can/FrameFormTestSupport.h"

using namespace frame_form_test;

namespace {

enum NmeaRxCol { nrxPGN = 1, nrxSource, nrxTransport, nrxFastPacket, nrxStart, nrxNByte, nrxCancel, nrxMnemonic };
enum NmeaTxCol { ntxPriority = 1, ntxPGN, ntxSource, ntxFastPacket, ntxNumByte, ntxRequest, ntxDataChange, ntxOnTimer,
                 ntxSendTimer, ntxMnemonic };

Cells Nmea_Frame(const String& Start = u"", const String& NByte = u"") {
  return {u"127250", u"1", u"N", u"N", Start, NByte, u"N", u"heading"};
}
Cells Nmea_Transport(const String& Start, const String& NByte) { return With(Nmea_Frame(Start, NByte), nrxTransport, u"Y"); }
Cells Nmea_Fast(const String& Start, const String& NByte) { return With(Nmea_Frame(Start, NByte), nrxFastPacket, u"Y"); }

Cells Nmea_Group(const String& NumByte = u"8") {
  return {u"3", u"0x1FFFF", u"239", u"Y", NumByte, u"N", u"Y", u"N", u"", u"depth"};
}

const String kNmeaTooMany = u"Error!! Too many bytes of data, the max number is 512";

class ReceiveNmeaTest : public FrameFormTest<TFReceiveNMEA> {
 protected:
  ReceiveNmeaTest() : FrameFormTest("nmea_receive_program", u"TFReceiveNMEA", FReceiveNMEA) {}
};

class TransmitNmeaTest : public FrameFormTest<TFTransmitNMEA> {
 protected:
  TransmitNmeaTest() : FrameFormTest("nmea_transmit_program", u"TFTransmitNMEA", FTransmitNMEA) {}
};

}  // namespace

TEST_F(ReceiveNmeaTest, TheRowsTakeAtMost512Bytes) {
  const std::vector<Cells> full = {Nmea_Transport(u"0", u"256"), Nmea_Transport(u"0", u"256")};
  Run_Cases({
      {"62 whole frames", Repeat(Nmea_Frame(), 62), u""},
      {"two transport rows of 256", full, u""},
      {"then a whole frame", Repeat(Nmea_Frame(), 0, {full[0], full[1], Nmea_Frame()}), kNmeaTooMany},
      {"then a single byte", Repeat(Nmea_Frame(), 0, {full[0], full[1], Nmea_Frame(u"1", u"1")}), kNmeaTooMany},
      {"then a fast packet of 1", Repeat(Nmea_Frame(), 0, {full[0], full[1], Nmea_Fast(u"0", u"1")}), kNmeaTooMany},
      {"then transport and fast packet rows of 0", Repeat(Nmea_Frame(), 0, {full[0], full[1], Nmea_Transport(u"5", u"0"), Nmea_Fast(u"5", u"0")}),
       u""},
      {"transport 1780 + 5", {Nmea_Transport(u"1780", u"5")}, u""},
      {"transport 1780 + 6", {Nmea_Transport(u"1780", u"6")},
       Pgn_Row_Error(1, u"!! Start Byte plus Number Bytes must be between 0 and 1785")},
      {"transport Start Byte -1", {Nmea_Transport(u"-1", u"0")}, Pgn_Row_Error(1, u"!! Start Byte must be between 0 and 1785")},
      {"fast packet 220 + 3", {Nmea_Fast(u"220", u"3")}, u""},
      {"fast packet 220 + 4", {Nmea_Fast(u"220", u"4")},
       Pgn_Row_Error(1, u"!! Start Byte plus Number Bytes must be between 0 and 223")},
      {"fast packet Start Byte 224", {Nmea_Fast(u"224", u"0")}, Pgn_Row_Error(1, u"!! Start Byte must be between 0 and 223")},
      {"both flags take the transport rule", {With(Nmea_Transport(u"1780", u"5"), nrxFastPacket, u"Y")}, u""},
      {"Nmea_Fast Packet y is a single frame", {With(Nmea_Frame(u"220", u"3"), nrxFastPacket, u"y")},
       Pgn_Row_Error(1, u"!! The Start Byte must be between 1 and 8")},
      {"single 2 and nothing", {Nmea_Frame(u"2", u"")}, Pgn_Row_Error(1, u"!! Start Byte and Number Bytes must be both compiled")},
      {"single nothing and 2", {Nmea_Frame(u" ", u"2")}, Pgn_Row_Error(1, u"!! Start Byte and Number Bytes must be both compiled")},
      {"single 0 + 4", {Nmea_Frame(u"0", u"4")}, Pgn_Row_Error(1, u"!! The Start Byte must be between 1 and 8")},
      {"single 1 + 0", {Nmea_Frame(u"1", u"0")}, Pgn_Row_Error(1, u"!! The Number Bytes must be between 1 and 8")},
      {"single 3 + 6", {Nmea_Frame(u"3", u"6")}, Pgn_Row_Error(1, u"!! The Number Bytes plus Start Byte must be minor of 9")},
      {"single 1 + 7", {Nmea_Frame(u"1", u"7")}, u""},
      {"PGN 0x1FFFF", {With(Nmea_Frame(), nrxPGN, u"0x1FFFF")}, u""},
      {"PGN 131072", {With(Nmea_Frame(), nrxPGN, u"131072")}, Pgn_Row_Error(1, u"!! PGN must be between 0x00000 and 0x1FFFF")},
      {"Source Address 240", {With(Nmea_Frame(), nrxSource, u"240")},
       Pgn_Row_Error(1, u"!! Source Address must be between 0 and 239")},
      {"an empty PGN in row 5 ends the table", Repeat(Nmea_Frame(), 4, {With(Nmea_Frame(), nrxPGN, u""), With(Nmea_Frame(), nrxSource, u"x")}),
       u""},
  });
}

TEST_F(ReceiveNmeaTest, TheFileHoldsTheRowsUpToTheFirstEmptyPGN) {
  Save_And_Reload({Nmea_Frame(), Nmea_Fast(u"0", u"200"), Nmea_Transport(u"1000", u"100"), With(Nmea_Frame(), nrxPGN, u""), Nmea_Frame()}, 3,
                  Path_NMEA_Rec_Frames, "NMEA_Rec_Frames.xml");
  Write("NMEA_Rec_Frames.xml", "<Receive_NMEA_2000><row PGN=\"1\" SA=\"2\" TP_NByte=\"3\"/></Receive_NMEA_2000>");
  Show([&](TFReceiveNMEA* f) {
    EXPECT_EQ(Row_Of(f->sga, 1), (Cells{u"1", u"2", u"N", u"N", u"", u"3", u"N", u""}));
    EXPECT_EQ(f->sga->RowCount(), 63);
    EXPECT_EQ(f->NUM_BYTE_IN, 512);
    EXPECT_EQ(f->Caption(), u"Receive NMEA 2000 Frames");
    EXPECT_EQ(f->ClientWidth(), 810);
    EXPECT_EQ(f->ClientHeight(), 337);
  });
}

TEST_F(ReceiveNmeaTest, AFileWithMoreRowsThanTheGridIsReportedAndTheRowsThatFitStay) {
  std::string rows;
  for (int i = 1; i <= 63; ++i) rows += "<row PGN=\"" + std::to_string(i) + "\"/>";
  Write("NMEA_Rec_Frames.xml", "<Receive_NMEA_2000>" + rows + "</Receive_NMEA_2000>");
  const std::string before = File_Text(Path_NMEA_Rec_Frames);
  Show([&](TFReceiveNMEA* f) {
    const auto shown = Take_Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Type, mtError);
    EXPECT_EQ(f->sga->GetCellEx(nrxPGN, 62), u"62");
    for (int r = 1; r <= 62; ++r) Put_Row(f->sga, r, Nmea_Frame());
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_OK);
    ASSERT_EQ(Take_Messages().size(), 1u);
  });
  EXPECT_EQ(File_Text(Path_NMEA_Rec_Frames), before);
  // Yes writes the rows the grid holds.
  Show([&](TFReceiveNMEA* f) {
    Take_Messages();
    for (int r = 1; r <= 62; ++r) Put_Row(f->sga, r, Nmea_Frame());
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(f->ModalResult(), mrOk);
  });
  EXPECT_NE(File_Text(Path_NMEA_Rec_Frames), before);
}

TEST_F(TransmitNmeaTest, TheCheckCoversEveryRowTheSaveWrites) {
  Run_Cases({
      {"Num Byte 0", {Nmea_Group(u"0")}, u""},
      {"Num Byte 513", {Nmea_Group(u"513")}, Pgn_Row_Error(1, u"!! Num Byte must be between 0 and 512")},
      {"256 + 256", {Nmea_Group(u"256"), Nmea_Group(u"256")}, u""},
      {"one byte more", {Nmea_Group(u"256"), Nmea_Group(u"256"), Nmea_Group(u"1")}, kNmeaTooMany},
      {"Nmea_Fast Packet N with 200 bytes", {With(Nmea_Group(u"200"), ntxFastPacket, u"N")}, u""},
      {"Source Address 239", {With(Nmea_Group(), ntxSource, u"239")}, u""},
      {"Source Address 240", {With(Nmea_Group(), ntxSource, u"240")},
       Pgn_Row_Error(1, u"!! Source Address must be between 0 and 239")},
      {"Send Timer 0", {With(With(Nmea_Group(), ntxOnTimer, u"Y"), ntxSendTimer, u"0")},
       Pgn_Row_Error(1, u"!! Send Timer must be between 1 and 65535 ms")},
      {"Send Timer 65535", {With(With(Nmea_Group(), ntxOnTimer, u"Y"), ntxSendTimer, u"65535")}, u""},
      {"Send Timer ignored without On Timer", {With(Nmea_Group(), ntxSendTimer, u"0")}, u""},
      {"a PGN without a Priority", {With(Nmea_Group(), ntxPriority, u"")}, Pgn_Row_Error(1, u"!! Priority must be between 0 and 7")},
      {"a Priority-only row", {Nmea_Group(), Cells{u"7"}}, Pgn_Row_Error(2, u"!! PGN must be between 0x00000 and 0x1FFFF")},
      {"a Priority of blanks is a Priority", {Cells{u" ", u"1"}}, Pgn_Row_Error(1, u"!! Priority must be between 0 and 7")},
  });
}

TEST_F(TransmitNmeaTest, TheFileHasTheReceiveRootAndMissingFlagsLoadAsN) {
  Save_And_Reload({Nmea_Group(), With(With(Nmea_Group(u"0"), ntxOnTimer, u"Y"), ntxSendTimer, u"1000"), Cells{}, Nmea_Group()}, 2,
                  Path_NMEA_Send_Frames, "NMEA_Send_Frames.xml");
  Write("NMEA_Send_Frames.xml",
        "<Receive_NMEA_2000><row Priority=\"1\" PGN=\"2\" TP_NByte=\"\" T_Type=\"On Timer\"/></Receive_NMEA_2000>");
  Show([&](TFTransmitNMEA* f) {
    EXPECT_EQ(Row_Of(f->sga, 1), (Cells{u"1", u"2", u"", u"N", u"", u"N", u"N", u"N", u"", u""}));
  });
}
