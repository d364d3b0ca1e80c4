#include "protocols/can/UReceiveNMEA.h"

#include "shell/UComon.h"

TFReceiveNMEA* FReceiveNMEA = nullptr;

namespace {

enum NmeaReceiveCol { nrPGN = 1, nrSource, nrTransport, nrFastPacket, nrStart, nrNByte, nrCancel, nrMnemonic };

TTableFormDef MakeReceiveNmeaDef() {
  TTableFormDef d = Frame_Form_Def(u"FReceiveNMEA", 810, 337, 3900, 3901, 3902, 3908, 3943, u"Receive_NMEA_2000");
  TTableGridDef g = Frame_Grid(u"sga", 3914, 62, nrPGN,
                               {
                                   Frame_Column(3915, 3923, u"PGN", edNormal, 80),
                                   Frame_Column(3916, 3924, u"SA", edNormal, 100),
                                   Frame_Flag(3917, 3925, u"TP", u"N", 120),
                                   Frame_Flag(3918, 3926, u"FP", u"N", 80),
                                   Frame_Column(3919, 3927, u"TP_Start"),
                                   Frame_Column(3920, 3928, u"TP_NByte"),
                                   Frame_Flag(3921, 3929, u"Delete", u"N", 85),
                                   Frame_Column(3922, 3930, u"Mnemonic", edNormal, 200),
                               });
  g.EnableColumn = false;
  g.TrimKey = false;
  d.Grids = {g};
  return d;
}

constexpr TPGNReceiveRules kNmeaReceiveRules{
    -1, nrPGN, nrSource, nrTransport, nrFastPacket, nrStart, nrNByte, -1,   -1,   0x1FFFF,
    -1, 3932,  3933,     3934,        3935,         3936,    3937,    3938, 3939, 3940, 3941, -1};

}  // namespace

const TTableFormDef& Receive_NMEA_Form_Def() {
  static const TTableFormDef def = MakeReceiveNmeaDef();
  return def;
}

TFReceiveNMEA::TFReceiveNMEA(TComponent* AOwner)
    : TPGNReceiveForm(AOwner, Receive_NMEA_Form_Def(), 3931, 3942, 512, kNmeaReceiveRules), sga(Grids[0]) {}

TFReceiveNMEA::~TFReceiveNMEA() {
  if (FReceiveNMEA == this) FReceiveNMEA = nullptr;
}

void TFReceiveNMEA::FormCreate(TObject* Sender) {
  TPGNReceiveForm::FormCreate(Sender);
  Hint_ReceiveNMEA = Hint_Lists[0].get();
}

String TFReceiveNMEA::File_Path() const { return Path_NMEA_Rec_Frames; }
