#pragma once
// The CANopen SDO client table: up to 256 read and 256 write requests the
// gateway addresses to other devices (node, index, sub-index, 1, 2 or 4 bytes,
// poll time, byte positions). File SDO_Client_CANopen.xml.
#include "protocols/can/CANopenForms.h"

class TFSet_SDO_Client_Access : public TCANopenForm {
 public:
  explicit TFSet_SDO_Client_Access(TComponent* AOwner);
  ~TFSet_SDO_Client_Access() override;
  String ClassName() const override { return u"TFSet_SDO_Client_Access"; }

  TTabSheet* TS_SDO_Read = nullptr;
  TTabSheet* TS_SDO_Write = nullptr;
  TStringList* Hint_SDO_Client_Read = nullptr;  // the frame's hint lists
  TStringList* Hint_SDO_Client_Write = nullptr;
  bool Do_Copy_SDO_Read() const { return Copy_Flags[0]; }
  bool Do_Copy_SDO_Write() const { return Copy_Flags[1]; }

  void FormCreate(TObject* Sender) override;
  String File_Path() const override;
};

extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;

const TTableFormDef& Set_SDO_Client_Access_Form_Def();
