#pragma once
// The EtherNet/IP scanner table (EtherNetIP_Master_Rules.xml): per slave connection its IP
// address, where its input and output bytes go in the gateway's data arrays, the poll time and
// the CIP connection values of both directions. A one-table form on the table form frame that
// can also take a slave's connection values from its EDS file (the EDS connection dialog).
#include "platform/Dialogs.h"
#include "shell/UTableForm.h"

enum TEtherNetIPMasterCol {
  emEnable = 1,
  emIP_Address,
  emStart_Input,
  emNum_Input,
  emStart_Output,
  emNum_Output,
  emTime_Poll,
  emInstance_T_O,
  emConn_Point_T_O,
  emInstance_O_T,
  emConn_Point_O_T,
  emDim_Header_T_O,
  emDim_Header_O_T,
  emMnemonic
};

class TFEtherNetIP_Master_Access : public TTableForm {
 public:
  explicit TFEtherNetIP_Master_Access(TComponent* AOwner);
  ~TFEtherNetIP_Master_Access() override;
  String ClassName() const override { return u"TFEtherNetIP_Master_Access"; }

  TAdvColumnGrid* ACG = nullptr;
  TLbButton* Btn_Import_EDS = nullptr;
  TOpenDialog* OD_EDS = nullptr;
  TStringList* Hint = nullptr;  // the frame's hint list
  int Num_Byte_In = 1438;
  int Num_Byte_Out = 1438;

  bool Do_Copy() const { return Copy_Flags[0]; }

  void FormCreate(TObject* Sender) override;
  void Set_Lang() override;
  void Set_Limits() override;
  bool Check_Tables() override { return Controllo_dati(); }
  String File_Path() const override;
  void Grid_Hint(TObject* Sender, int ARow, int ACol, String& Hint) override;

  // The rows in order (Enable first, then the key), then the input and output totals; shows the
  // first failure and answers false.
  bool Controllo_dati();
  void Btn_Import_EDSClick(TObject* Sender);
  // A data path of comma-separated hexadecimal bytes: 0 valid, 1 a bad piece, 2 too few pieces.
  static int Err_Check_Data_Path(const String& Data_Path, int Num_DP);

 private:
  // The first failing test of an enabled row: its message without "Error row " + row.
  String Row_Failure(int Row, int& Total_In, int& Total_Out) const;
};

extern TFEtherNetIP_Master_Access* FEtherNetIP_Master_Access;

const TTableFormDef& EtherNetIP_Master_Form_Def();
