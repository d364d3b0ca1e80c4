#pragma once
// The NMEA 2000 receive table (unit UReceiveNMEA): which parameter groups the gateway takes from
// the NMEA 2000 network, as single frames, fast packets or by the transport protocol, and which
// of their bytes it keeps in its receive data area. File NMEA_Rec_Frames.xml; no step of this
// model shows it.
#include "protocols/can/FrameTableForms.h"

class TFReceiveNMEA : public TPGNReceiveForm {
 public:
  explicit TFReceiveNMEA(TComponent* AOwner);
  ~TFReceiveNMEA() override;
  String ClassName() const override { return u"TFReceiveNMEA"; }

  TAdvColumnGrid* sga = nullptr;
  TStringList* Hint_ReceiveNMEA = nullptr;  // the frame's hint list

  void FormCreate(TObject* Sender) override;
  String File_Path() const override;
};

extern TFReceiveNMEA* FReceiveNMEA;

const TTableFormDef& Receive_NMEA_Form_Def();
