#pragma once
// The SNMP agent tables form (unit USNMP_Trap_Access): the "Set SNMP Access" step. The read table
// lists the values the agent takes from the gateway's input data area (each optionally sent as a
// trap), the write table the values an SNMP manager may set in the output data area. A table form
// on the shared frame; its file is SNMP_Trap.xml (USNMP_Trap_Access.h).
#include <memory>

#include "gateway/USNMP_Trap_Access.h"
#include "shell/UTableForm.h"

class TFSNMP_Trap_Access : public TTableForm {
 public:
  explicit TFSNMP_Trap_Access(TComponent* AOwner);
  ~TFSNMP_Trap_Access() override;
  String ClassName() const override { return u"TFSNMP_Trap_Access"; }

  TTabSheet* TS_SNMP_Read = nullptr;
  TTabSheet* TS_SNMP_Write = nullptr;
  TAdvColumnGrid* ACG_SNMP_Read = nullptr;
  TAdvColumnGrid* ACG_SNMP_Write = nullptr;
  TStringList* Hint_SNMP_Read = nullptr;   // the frame's hint list of the read grid
  TStringList* Hint_SNMP_Write = nullptr;
  int NByte_IN = 1440;   // the input data area the read rows point into
  int NByte_OUT = 1440;  // the output data area the write rows point into
  std::unique_ptr<TStringList> SL_Check_Desc;

  // The copy flags of the two grids (the frame's Copy_Flags).
  bool Do_Copy_In_Read() const { return Copy_Flags[0]; }
  bool Do_Copy_In_Write() const { return Copy_Flags[1]; }

  void FormCreate(TObject* Sender) override;
  void Set_Limits() override;
  void After_Load() override;
  bool Check_Tables() override { return Controllo_dati(); }
  String File_Path() const override;
  void Grid_CheckBoxClick(TObject* Sender, int ACol, int ARow, bool State) override {
    ACG_SNMP_ReadCheckBoxClick(Sender, ACol, ARow, State);
  }

  // Shows the first failure ("Error row " + row + text, or the duplicate message) and answers
  // false; true when both tables may be saved.
  bool Controllo_dati();
  // True (an error) when Text holds a character outside the allowed set: mode 0 letters and
  // digits; mode 1 the same with a lower-case letter first. An empty text passes.
  bool Check_Error_CommName_Desc(const String& Text, int Mode) const;
  // Column 0 numbers the enabled rows 1, 2, ...; other rows get an empty number.
  void Index_Row_Build(TAdvColumnGrid* Grid);
  void ACG_SNMP_ReadCheckBoxClick(TObject* Sender, int ACol, int ARow, bool State);
};

extern TFSNMP_Trap_Access* FSNMP_Trap_Access;
// FSNMP_Trap_Access, created the first time (the program entry makes the form on first use).
TFSNMP_Trap_Access* FSNMP_Trap_Access_On_Demand();

// The form's declaration: grids, columns, texts and the file's layout.
const TTableFormDef& SNMP_Trap_Form_Def();
