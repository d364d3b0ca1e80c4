#pragma once
// The CAN transmit-frames table (unit UTransmitCAN): which CAN frames the gateway sends, when
// (on a data change, on command, on a timer) and where each data byte comes from in its transmit
// data area. File CAN_Send_Frames.xml.
#include "protocols/can/FrameTableForms.h"

class TFTransmitCAN : public TCANFramesForm {
 public:
  static constexpr int On_Timer_Col = 7, Time_Col = 8;

  explicit TFTransmitCAN(TComponent* AOwner);
  ~TFTransmitCAN() override;
  String ClassName() const override { return u"TFTransmitCAN"; }

  TAdvColumnGrid* ACG_CAN_Transmit = nullptr;
  TStringList* Hint_TransmitCAN = nullptr;  // the frame's hint list

  void FormCreate(TObject* Sender) override;
  // Rebuilds the header hints before the lists.
  void Set_Limits() override;
  String File_Path() const override;
};

extern TFTransmitCAN* FTransmitCAN;

const TTableFormDef& Transmit_CAN_Form_Def();
