#include "protocols/can/UTransmitNMEA.h"

#include "shell/UComon.h"

TFTransmitNMEA* FTransmitNMEA = nullptr;

namespace {

enum NmeaTransmitCol { ntPriority = 1, ntPGN, ntSource, ntFastPacket, ntNumByte, ntRequest, ntDataChange, ntOnTimer,
                       ntSendTimer, ntMnemonic };

TTableFormDef MakeTransmitNmeaDef() {
  // Stored files carry the receive file's root.
  TTableFormDef d = Frame_Form_Def(u"FTransmitNMEA", 810, 337, 4000, 4001, 4002, 4008, 4042, u"Receive_NMEA_2000");
  TTableGridDef g = Frame_Grid(u"sga", 4014, 62, ntPriority,
                               {
                                   Frame_Column(4015, 4025, u"Priority", edNormal, 60),
                                   Frame_Column(4016, 4026, u"PGN", edNormal, 80),
                                   Frame_Column(4017, 4027, u"SA", edNormal, 100),
                                   Frame_Flag(4018, 4028, u"FP", u"N", 80),
                                   Frame_Column(4019, 4029, u"TP_NByte"),
                                   Frame_Flag(4020, 4030, u"On_Request", u"N"),
                                   Frame_Flag(4021, 4031, u"On_Data_Change", u"N", 85),
                                   Frame_Flag(4022, 4032, u"On_Timer", u"N"),
                                   Frame_Column(4023, 4033, u"SendTimer", edNormal, 80),
                                   Frame_Column(4024, 4034, u"Mnemonic", edNormal, 200),
                               });
  g.EnableColumn = false;
  g.TrimKey = false;
  d.Grids = {g};
  return d;
}

constexpr TPGNTransmitRules kNmeaTransmitRules{ntPriority, -1, ntPGN, ntSource, ntNumByte, ntOnTimer, ntSendTimer,
                                               239, 4036, -1, 4037, 4038, 4039, 4041};

}  // namespace

const TTableFormDef& Transmit_NMEA_Form_Def() {
  static const TTableFormDef def = MakeTransmitNmeaDef();
  return def;
}

TFTransmitNMEA::TFTransmitNMEA(TComponent* AOwner)
    : TPGNTransmitForm(AOwner, Transmit_NMEA_Form_Def(), 4035, 4040, 512, kNmeaTransmitRules), sga(Grids[0]) {}

TFTransmitNMEA::~TFTransmitNMEA() {
  if (FTransmitNMEA == this) FTransmitNMEA = nullptr;
}

void TFTransmitNMEA::FormCreate(TObject* Sender) {
  TPGNTransmitForm::FormCreate(Sender);
  Hint_TransmitNMEA = Hint_Lists[0].get();
}

String TFTransmitNMEA::File_Path() const { return Path_NMEA_Send_Frames; }
