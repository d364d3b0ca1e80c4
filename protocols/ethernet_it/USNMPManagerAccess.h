#pragma once
// The requests of a gateway that acts as an SNMP manager (SNMP_Manager.xml): per row the agent's
// address, SNMP version, community and OID, data type and request kind, when it is sent, where its
// data lies in the internal data array, a conversion, and the version-3 user and security. A
// one-table form on the table form frame; its check ends with a test for duplicate requests.
#include <vector>

#include "shell/UTableForm.h"

class TFSNMPManagerAccess : public TTableForm {
 public:
  explicit TFSNMPManagerAccess(TComponent* AOwner);
  ~TFSNMPManagerAccess() override;
  String ClassName() const override { return u"TFSNMPManagerAccess"; }

  TAdvColumnGrid* ACG_SNMP = nullptr;
  TStringList* Hint_SNMP = nullptr;  // the frame's hint list

  bool Do_Copy_SNMP() const { return Copy_Flags[0]; }

  void FormCreate(TObject* Sender) override;
  void FormShow(TObject* Sender) override;
  void Set_Limits() override;
  bool Check_Tables() override { return Controllo_dati(); }
  String File_Path() const override;

  // The row tests, then the duplicate test; shows the first failure and answers false.
  bool Controllo_dati();

 private:
  // The first failing test of an enabled row: its message without "Error row " + row.
  String Row_Failure(int Row) const;
};

extern TFSNMPManagerAccess* FSNMPManagerAccess;

const TTableFormDef& SNMP_Manager_Form_Def();
