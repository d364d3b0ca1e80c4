#pragma once
// The CAN receive-frames table (unit UReceiveCAN): which CAN frames the gateway takes from the bus
// and where each data byte goes in its receive data area. File CAN_Rec_Frames.xml.
#include "protocols/can/FrameTableForms.h"

class TFReceiveCAN : public TCANFramesForm {
 public:
  explicit TFReceiveCAN(TComponent* AOwner);
  ~TFReceiveCAN() override;
  String ClassName() const override { return u"TFReceiveCAN"; }

  TAdvColumnGrid* ACG_CAN_Receive = nullptr;
  TStringList* Hint_ReceiveCAN = nullptr;  // the frame's hint list

  void FormCreate(TObject* Sender) override;
  String File_Path() const override;
};

extern TFReceiveCAN* FReceiveCAN;

const TTableFormDef& Receive_CAN_Form_Def();
