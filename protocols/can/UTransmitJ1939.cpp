#include "protocols/can/UTransmitJ1939.h"

#include "shell/UComon.h"

TFTransmitJ1939* FTransmitJ1939 = nullptr;

namespace {

enum J1939TransmitCol { jtPriority = 1, jtDataPage, jtPGN, jtSource, jtNBytes, jtRequest, jtDataChange, jtOnTimer,
                        jtSendTimer, jtMnemonic };

TTableFormDef MakeTransmitJ1939Def() {
  TTableFormDef d = Frame_Form_Def(u"FTransmitJ1939", 980, 420, 3600, 3601, 3602, 3608, 3643, u"Transmit_J1939");
  TTableColumnDef nBytes = Frame_Column(3619, 3629, u"TP_NByte");
  nBytes.IfEmpty = u"8";  // a group without a length is a single frame
  TTableGridDef g = Frame_Grid(u"sga", 3614, 512, jtPriority,
                               {
                                   Frame_Column(3615, 3625, u"Priority", edNormal, 60),
                                   Frame_Column(3616, 3626, u"DP", edComboList, 75, {u"0", u"1"}),
                                   Frame_Column(3617, 3627, u"PGN", edNormal, 80),
                                   Frame_Column(3618, 3628, u"SA", edNormal, 100),
                                   nBytes,
                                   Frame_Flag(3620, 3630, u"On_Request", u"N"),
                                   Frame_Flag(3621, 3631, u"On_Data_Change", u"N", 85),
                                   Frame_Flag(3622, 3632, u"On_Timer", u"N"),
                                   Frame_Column(3623, 3633, u"SendTimer", edNormal, 80),
                                   Frame_Column(3624, 3634, u"Mnemonic", edNormal, 200),
                               });
  g.EnableColumn = false;
  g.TrimKey = false;
  // An older layout names one send mode in "T_Type" instead of the three flags.
  g.Choices = {{u"T_Type",
                {jtRequest, jtDataChange, jtOnTimer},
                {{u"ON DATA CHANGE", jtDataChange}, {u"ON TIMER", jtOnTimer}}}};
  d.Grids = {g};
  return d;
}

constexpr TPGNTransmitRules kJ1939TransmitRules{jtPriority, jtDataPage, jtPGN, jtSource, jtNBytes, jtOnTimer,
                                                jtSendTimer, 255, 3636, 3637, 3638, 3639, 3640, 3642};

}  // namespace

const TTableFormDef& Transmit_J1939_Form_Def() {
  static const TTableFormDef def = MakeTransmitJ1939Def();
  return def;
}

TFTransmitJ1939::TFTransmitJ1939(TComponent* AOwner)
    : TPGNTransmitForm(AOwner, Transmit_J1939_Form_Def(), 3635, 3641, 512, kJ1939TransmitRules), sga(Grids[0]) {}

TFTransmitJ1939::~TFTransmitJ1939() {
  if (FTransmitJ1939 == this) FTransmitJ1939 = nullptr;
}

void TFTransmitJ1939::FormCreate(TObject* Sender) {
  TPGNTransmitForm::FormCreate(Sender);
  Hint_TransmitJ1939 = Hint_Lists[0].get();
}

String TFTransmitJ1939::File_Path() const { return Path_J1939_Send_Frames; }
