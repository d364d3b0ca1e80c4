#pragma once
// The CANopen SDO server table: up to 500 objects a master reads and 500 it
// writes in the manufacturer range 0x2000..0x5FFF (index, sub-index, 1, 2 or 4
// bytes, byte positions). File SDO_Server_CANopen.xml, which the EDS writer
// reads too.
#include "protocols/can/CANopenForms.h"

class TFSet_SDO_Server_Access : public TCANopenForm {
 public:
  explicit TFSet_SDO_Server_Access(TComponent* AOwner);
  ~TFSet_SDO_Server_Access() override;
  String ClassName() const override { return u"TFSet_SDO_Server_Access"; }

  TTabSheet* TS_SDO_Read = nullptr;
  TTabSheet* TS_SDO_Write = nullptr;
  TStringList* Hint_SDO_Client_Read = nullptr;  // the frame's hint lists
  TStringList* Hint_SDO_Client_Write = nullptr;
  bool Do_Copy_SDO_Read() const { return Copy_Flags[0]; }
  bool Do_Copy_SDO_Write() const { return Copy_Flags[1]; }

  void FormCreate(TObject* Sender) override;
  String File_Path() const override;
};

extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;

const TTableFormDef& Set_SDO_Server_Access_Form_Def();
