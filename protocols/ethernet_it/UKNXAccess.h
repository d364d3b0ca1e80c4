#pragma once
// The gateway's KNX telegram rules (KNX_SetAccess.xml): per row a value of the internal data
// array sent from a source address to a group or individual address, with APCI, priority, value
// format and factor, frame options, triggers, and its place and size in the data array. A
// one-table form on the table form frame with its own row deletion.
#include "shell/UTableForm.h"

enum TKNX_Col {
  knEnable = 1,
  knSource,
  knDest,
  knAPCI,
  knPriority,
  knFormat,
  knMulFactor,
  knExtended,
  knReTest,
  knOnCMD,
  knOnChange,
  knOnTimer,
  knPollTime,
  knPosition,
  knBitMode,
  knLength,
  knTimeOut,
  knMnemonic
};

class TFKNXAccess : public TTableForm {
 public:
  explicit TFKNXAccess(TComponent* AOwner);
  ~TFKNXAccess() override;
  String ClassName() const override { return u"TFKNXAccess"; }

  TAdvColumnGrid* ACG_KNX_in_Write = nullptr;
  TStringList* Hint = nullptr;  // the frame's hint list
  int Max_Num_Byte = 1500;      // set at every show

  // Copy Row marks the write flag; the read flag is never set.
  bool Do_Copy_In_Read() const { return false; }
  bool Do_Copy_In_Write() const { return Copy_Flags[0]; }

  void FormCreate(TObject* Sender) override;
  void Set_Lang() override;
  void Set_Limits() override;
  void After_Load() override;
  bool Check_Tables() override { return Controllo_dati(); }
  String File_Path() const override;

  // Shows the first failure and answers false; true when the table may be saved.
  bool Controllo_dati();
  // Rows below Row move up one over the visible columns; the last row is emptied. Column 0 keeps
  // its numbers.
  void Delete_Row(int Row, TAdvStringGrid* Grid);
  void Btn_DelRowClick(TObject* Sender) override;

 private:
  String Row_Failure(int Row, Char Separator) const;
};

extern TFKNXAccess* FKNXAccess;

const TTableFormDef& KNX_Access_Form_Def();
