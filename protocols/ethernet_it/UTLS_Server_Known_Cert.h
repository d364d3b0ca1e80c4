#pragma once
// The TLS server certificates the gateway trusts (TLS_Known_Cert.xml): up to ten, each with an
// enable box and a description. A one-table form on the table form frame with a plain string grid
// whose Enable column holds cell check boxes; it checks nothing.
#include "shell/UTableForm.h"

class TFTLS_Server_Known_Cert : public TTableForm {
 public:
  explicit TFTLS_Server_Known_Cert(TComponent* AOwner);
  ~TFTLS_Server_Known_Cert() override;
  String ClassName() const override { return u"TFTLS_Server_Known_Cert"; }

  TAdvStringGrid* ASG = nullptr;
  TStringList* Hint_List = nullptr;  // the frame's hint list

  bool Do_Copy() const { return Copy_Flags[0]; }

  // Row height, row numbers, the Enable boxes cleared, cell colours and alignment.
  void Init_Table();
  void FormCreate(TObject* Sender) override;
  bool Check_Tables() override { return Controllo_dati(); }
  String File_Path() const override;
  bool Controllo_dati() { return true; }
};

extern TFTLS_Server_Known_Cert* FTLS_Server_Known_Cert;

const TTableFormDef& TLS_Server_Known_Cert_Form_Def();
