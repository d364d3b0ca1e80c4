#pragma once
// The J1939 receive table (unit UReceiveJ1939): which parameter groups the gateway takes from the
// J1939 network, whole or by the transport protocol, which of their bytes it keeps in its receive
// data area, and which groups it requests. File J1939_Rec_Frames.xml; no step of this model shows it.
#include "protocols/can/FrameTableForms.h"

class TFReceiveJ1939 : public TPGNReceiveForm {
 public:
  explicit TFReceiveJ1939(TComponent* AOwner);
  ~TFReceiveJ1939() override;
  String ClassName() const override { return u"TFReceiveJ1939"; }

  TAdvColumnGrid* sga = nullptr;
  TStringList* Hint_ReceiveJ1939 = nullptr;  // the frame's hint list

  void FormCreate(TObject* Sender) override;
  String File_Path() const override;
};

extern TFReceiveJ1939* FReceiveJ1939;

const TTableFormDef& Receive_J1939_Form_Def();
