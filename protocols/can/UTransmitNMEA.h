#pragma once
// The NMEA 2000 transmit table (unit UTransmitNMEA): which parameter groups the gateway sends,
// with which priority and source address, how many bytes of its transmit data area each takes,
// and when each is sent. File NMEA_Send_Frames.xml; no step of this model shows it.
#include "protocols/can/FrameTableForms.h"

class TFTransmitNMEA : public TPGNTransmitForm {
 public:
  explicit TFTransmitNMEA(TComponent* AOwner);
  ~TFTransmitNMEA() override;
  String ClassName() const override { return u"TFTransmitNMEA"; }

  TAdvColumnGrid* sga = nullptr;
  TStringList* Hint_TransmitNMEA = nullptr;  // the frame's hint list

  void FormCreate(TObject* Sender) override;
  String File_Path() const override;
};

extern TFTransmitNMEA* FTransmitNMEA;

const TTableFormDef& Transmit_NMEA_Form_Def();
