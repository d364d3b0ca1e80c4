#include "protocols/can/UReceiveJ1939.h"

#include "shell/UComon.h"

TFReceiveJ1939* FReceiveJ1939 = nullptr;

namespace {

enum J1939ReceiveCol { jrDataPage = 1, jrPGN, jrSource, jrTransport, jrStart, jrNByte, jrCancel, jrOnRequest, jrTime,
                       jrMnemonic };

TTableFormDef MakeReceiveJ1939Def() {
  TTableFormDef d = Frame_Form_Def(u"FReceiveJ1939", 980, 420, 3500, 3501, 3502, 3508, 3547, u"Receive_J1939");
  TTableGridDef g = Frame_Grid(u"sga", 3514, 512, jrPGN,
                               {
                                   Frame_Column(3515, 3525, u"DP", edComboList, 75, {u"0", u"1"}),
                                   Frame_Column(3516, 3526, u"PGN", edNormal, 80),
                                   Frame_Column(3517, 3527, u"SA", edNormal, 100),
                                   Frame_Flag(3518, 3528, u"TP", u"N", 120),
                                   Frame_Column(3519, 3529, u"TP_Start"),
                                   Frame_Column(3520, 3530, u"TP_NByte"),
                                   Frame_Flag(3521, 3531, u"Delete", u"N", 85),
                                   Frame_Flag(3522, 3532, u"OnRequest", u"N", 85),
                                   With_Default(Frame_Column(3523, 3533, u"OnReq_Time"), u"1000"),
                                   Frame_Column(3524, 3534, u"Mnemonic", edNormal, 200),
                               });
  g.EnableColumn = false;
  g.TrimKey = false;
  d.Grids = {g};
  return d;
}

constexpr TPGNReceiveRules kJ1939ReceiveRules{
    jrDataPage, jrPGN, jrSource, jrTransport, -1,   jrStart, jrNByte, jrOnRequest, jrTime, 0xFFFF,
    3536,       3537,  3538,     3539,        3540, -1,      -1,      3541,        3542,   3543, 3544, 3546};

}  // namespace

const TTableFormDef& Receive_J1939_Form_Def() {
  static const TTableFormDef def = MakeReceiveJ1939Def();
  return def;
}

TFReceiveJ1939::TFReceiveJ1939(TComponent* AOwner)
    : TPGNReceiveForm(AOwner, Receive_J1939_Form_Def(), 3535, 3545, 1440, kJ1939ReceiveRules), sga(Grids[0]) {}

TFReceiveJ1939::~TFReceiveJ1939() {
  if (FReceiveJ1939 == this) FReceiveJ1939 = nullptr;
}

void TFReceiveJ1939::FormCreate(TObject* Sender) {
  TPGNReceiveForm::FormCreate(Sender);
  Hint_ReceiveJ1939 = Hint_Lists[0].get();
}

String TFReceiveJ1939::File_Path() const { return Path_J1939_Rec_Frames; }
