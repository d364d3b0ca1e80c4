#include "protocols/can/UReceiveCAN.h"

#include "shell/UComon.h"

TFReceiveCAN* FReceiveCAN = nullptr;

namespace {

TTableFormDef MakeReceiveCanDef() {
  TTableFormDef d = Frame_Form_Def(u"FReceiveCAN", 1100, 420, 2400, 2401, 2402, 2423, 2458, u"Receive_Frames");
  d.ClickSelectsRow = false;
  std::vector<TTableColumnDef> cols = {
      Frame_Flag(2409, 2429, u"Enable", u"Y", 50),
      Frame_Column(2410, 2430, u"COBID", edNormal, 90),
      Frame_Column(2411, 2431, u"CAN_Type", edComboList, 110, CAN_Frame_Types()),
      Frame_Column(2412, 2432, u"Dim"),
      With_Default(Frame_Column(2413, 2434, u"TimeOut"), u"0"),
  };
  for (int n = 0; n < 8; ++n) cols.push_back(Frame_Column(2414 + n, 2435 + n, u"Byte" + IntToStr(n + 1), edComboList, 60));
  cols.push_back(Frame_Column(2422, 2443, u"Mnemonic", edNormal, 200));
  d.Grids = {Frame_Grid(u"ACG_CAN_Receive", 2408, 512, TCANFramesForm::CobID_Col, cols)};
  return d;
}

constexpr TCANFrameRules kCanReceiveRules{-1, 5, 6, 2000, 2444, 2445, 2446, 2447, 2448, 2449, 2451, 2450};

}  // namespace

const TTableFormDef& Receive_CAN_Form_Def() {
  static const TTableFormDef def = MakeReceiveCanDef();
  return def;
}

TFReceiveCAN::TFReceiveCAN(TComponent* AOwner)
    : TCANFramesForm(AOwner, Receive_CAN_Form_Def(), kCanReceiveRules), ACG_CAN_Receive(Grids[0]) {}

TFReceiveCAN::~TFReceiveCAN() {
  if (FReceiveCAN == this) FReceiveCAN = nullptr;
}

void TFReceiveCAN::FormCreate(TObject* Sender) {
  TCANFramesForm::FormCreate(Sender);
  Hint_ReceiveCAN = Hint_Lists[0].get();
}

String TFReceiveCAN::File_Path() const { return Path_CAN_Rec_Frames; }
