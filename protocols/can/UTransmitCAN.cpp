#include "protocols/can/UTransmitCAN.h"

#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFTransmitCAN* FTransmitCAN = nullptr;

namespace {

TTableFormDef MakeTransmitCanDef() {
  TTableFormDef d = Frame_Form_Def(u"FTransmitCAN", 1320, 420, 2500, 2501, 2502, 2525, 2561, u"Transmit_Frames");
  d.ClickSelectsRow = false;
  TTableColumnDef time = With_Default(Frame_Column(2515, 2537, u"Time"), u"0");
  time.DefaultWhenColumn = TFTransmitCAN::On_Timer_Col;  // a row sent on a timer needs a time
  time.DefaultWhenText = u"Y";
  std::vector<TTableColumnDef> cols = {
      Frame_Flag(2509, 2531, u"Enable", u"Y", 50),
      Frame_Column(2510, 2532, u"COBID", edNormal, 90),
      With_Default(Frame_Column(2511, 2533, u"CAN_Type", edComboList, 110, CAN_Frame_Types()), CAN_Type_11_Bits),
      Frame_Column(2512, 2534, u"Dim"),
      Frame_Flag(2513, 2535, u"OnChange", u"Y"),
      Frame_Flag(2562, 2563, u"OnCMD", u"N", 60),
      Frame_Flag(2514, 2536, u"OnTimer", u"N", 60),
      time,
  };
  for (int n = 0; n < 8; ++n) cols.push_back(Frame_Column(2516 + n, 2538 + n, u"Byte" + IntToStr(n + 1), edComboList, 60));
  cols.push_back(Frame_Column(2524, 2546, u"Mnemonic", edNormal, 200));
  d.Grids = {Frame_Grid(u"ACG_CAN_Transmit", 2508, 512, TCANFramesForm::CobID_Col, cols)};
  return d;
}

constexpr TCANFrameRules kCanTransmitRules{TFTransmitCAN::On_Timer_Col, TFTransmitCAN::Time_Col, 9, 2500, 2547, 2548,
                                        2549, 2550, 2551, 2552, 2554, 2553};

}  // namespace

const TTableFormDef& Transmit_CAN_Form_Def() {
  static const TTableFormDef def = MakeTransmitCanDef();
  return def;
}

TFTransmitCAN::TFTransmitCAN(TComponent* AOwner)
    : TCANFramesForm(AOwner, Transmit_CAN_Form_Def(), kCanTransmitRules), ACG_CAN_Transmit(Grids[0]) {}

TFTransmitCAN::~TFTransmitCAN() {
  if (FTransmitCAN == this) FTransmitCAN = nullptr;
}

void TFTransmitCAN::FormCreate(TObject* Sender) {
  TCANFramesForm::FormCreate(Sender);
  Hint_TransmitCAN = Hint_Lists[0].get();
}

void TFTransmitCAN::Set_Limits() {
  if (Hint_TransmitCAN) {
    Hint_TransmitCAN->Clear();
    for (const TTableColumnDef& c : Def().Grids[0].Columns) Hint_TransmitCAN->Add(UI_Text(c.Hint));
  }
  TCANFramesForm::Set_Limits();
}

String TFTransmitCAN::File_Path() const { return Path_CAN_Send_Frames; }
