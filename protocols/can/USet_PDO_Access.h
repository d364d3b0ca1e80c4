#pragma once
// The CANopen PDO table: up to 30 receive and 30 transmit PDOs, each a COB-ID,
// a Dimension and the position of every data byte in the gateway's byte arrays.
// File PDO_CANopen.xml, which the EDS writer reads too.
#include "protocols/can/CANopenForms.h"

class TFSet_PDO_Access : public TCANopenForm {
 public:
  explicit TFSet_PDO_Access(TComponent* AOwner);
  ~TFSet_PDO_Access() override;
  String ClassName() const override { return u"TFSet_PDO_Access"; }

  TTabSheet* TS_Receive_PDO = nullptr;
  TTabSheet* TS_Transmit_PDO = nullptr;
  TStringList* Hint_PDO_Receive = nullptr;  // the frame's hint lists
  TStringList* Hint_PDO_Transmit = nullptr;
  bool Do_Copy_Receive_PDO() const { return Copy_Flags[0]; }
  bool Do_Copy_Transmit_PDO() const { return Copy_Flags[1]; }

  void FormCreate(TObject* Sender) override;
  String File_Path() const override;
};

extern TFSet_PDO_Access* FSet_PDO_Access;

const TTableFormDef& Set_PDO_Access_Form_Def();
