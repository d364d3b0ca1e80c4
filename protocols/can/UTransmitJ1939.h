#pragma once
// The J1939 transmit table (unit UTransmitJ1939): which parameter groups the gateway sends, with
// which priority, data page and source address, how many bytes of its transmit data area each
// takes, and when each is sent. File J1939_Send_Frames.xml; no step of this model shows it.
#include "protocols/can/FrameTableForms.h"

class TFTransmitJ1939 : public TPGNTransmitForm {
 public:
  explicit TFTransmitJ1939(TComponent* AOwner);
  ~TFTransmitJ1939() override;
  String ClassName() const override { return u"TFTransmitJ1939"; }

  TAdvColumnGrid* sga = nullptr;
  TStringList* Hint_TransmitJ1939 = nullptr;  // the frame's hint list

  void FormCreate(TObject* Sender) override;
  String File_Path() const override;
};

extern TFTransmitJ1939* FTransmitJ1939;

const TTableFormDef& Transmit_J1939_Form_Def();
