#pragma once
// The variables the gateway publishes as an OPC UA server (OPC_UA_Server.xml): type, position and
// length in the internal data array, name, the access clients get, and a description. A one-table
// form on the table form frame, with a plain string grid whose Type and R/W lists come from the
// form and whose type choice fills in the length.
#include <memory>

#include "shell/UTableForm.h"

class TFOPC_UA_Server_Access : public TTableForm {
 public:
  explicit TFOPC_UA_Server_Access(TComponent* AOwner);
  ~TFOPC_UA_Server_Access() override;
  String ClassName() const override { return u"TFOPC_UA_Server_Access"; }

  enum { svEnable = 1, svType, svPosition, svLength, svName, svReadWrite, svMnemonic };
  static constexpr int Data_Rows = 250;
  static constexpr int Last_Position = 1999;

  TAdvStringGrid* ASG = nullptr;
  TStringList* VarType = nullptr;
  TStringList* RWType = nullptr;

  bool Do_Copy() const { return Copy_Flags[0]; }

  void FormCreate(TObject* Sender) override;
  void Init_Table();
  void After_Load() override;
  bool Check_Tables() override { return Controllo_dati(); }
  String File_Path() const override;
  // Shows the first enabled typed row whose Position is outside 0 .. 1999 and answers false.
  bool Controllo_dati();
  // The Length a type gives (read-only for fixed sizes), and "Read/Write" for an empty R/W.
  void VarSetLength(const String& Type, int Row);
  void ASGGetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor);
  void ASGComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const String& ASelection);
  void Btn_PasteRowClick(TObject* Sender) override;
  // The table has no key, click or double-click handling of its own.
  void Grid_KeyPress(TObject*, Char&) override {}
  void Grid_DblClickCell(TObject*, int, int) override {}

 private:
  std::unique_ptr<TStringList> FVarType;
  std::unique_ptr<TStringList> FRWType;
};

extern TFOPC_UA_Server_Access* FOPC_UA_Server_Access;

const TTableFormDef& OPC_UA_Server_Access_Form_Def();
