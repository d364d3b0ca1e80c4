#pragma once
// The variables the gateway publishes as an IEC 61850 server (IEC61850_Variables.xml): name, type,
// length and the place in the internal data array each one maps to, with bit addressing,
// conversion, scaling and byte or word swapping. A one-table form on the table form frame.
#include "shell/UTableForm.h"

class TFIEC61850_Variables : public TTableForm {
 public:
  explicit TFIEC61850_Variables(TComponent* AOwner);
  ~TFIEC61850_Variables() override;
  String ClassName() const override { return u"TFIEC61850_Variables"; }

  TAdvColumnGrid* ACG = nullptr;
  TStringList* Hint_List = nullptr;  // the frame's hint list
  int NByte_IN = 1438;               // bytes of the internal data array, set at every show

  bool Do_Copy() const { return Copy_Flags[0]; }

  void FormCreate(TObject* Sender) override;
  void Set_Limits() override;
  bool Check_Tables() override { return Controllo_dati(); }
  String File_Path() const override;

  // Shows the first failure ("Error row " + row + text) and answers false; true when the table
  // may be saved.
  bool Controllo_dati();
  // Bound to the table's combo change; choosing an item needs nothing more.
  void ComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const String& ASelection);
};

extern TFIEC61850_Variables* FIEC61850_Variables;

const TTableFormDef& IEC61850_Variables_Form_Def();
