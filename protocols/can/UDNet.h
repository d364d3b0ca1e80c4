#pragma once
// The DeviceNet network table (unit UDNet): the slaves the gateway's DeviceNet master serves, with
// their MAC ID and the numbers of input and output bytes. File DNETM_Net.xml, which is also the
// slave list of the DeviceNet offsets form.
#include "shell/UTableForm.h"

class TFDNet : public TTableForm {
 public:
  enum { ID_Col = 1, NB_IN_Col, NB_OUT_Col, Mnemonic_Col };

  explicit TFDNet(TComponent* AOwner);
  ~TFDNet() override;
  String ClassName() const override { return u"TFDNet"; }

  TAdvColumnGrid* ASG = nullptr;
  TStringList* Hint_DeviceNet = nullptr;  // the frame's hint list
  bool Do_Copy() const { return Copy_Flags[0]; }

  void FormCreate(TObject* Sender) override;
  bool Check_Tables() override { return controllo_dati(); }
  String File_Path() const override;

  // Shows the first failure of a row up to the first empty ID and answers false.
  bool controllo_dati();
};

extern TFDNet* FDNet;

const TTableFormDef& DNet_Form_Def();
