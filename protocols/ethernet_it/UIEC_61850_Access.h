#pragma once
// The gateway as an IEC 61850 client (IEC_61850_Client.xml): a catalog of the servers' SCL files
// copied into the configuration's ICD_Catalog folder, each server's model in a tree, and the data
// attributes and data sets picked from it into a request table and a data set table with the
// addressing and conversion settings of the gateway. On the table form frame, with its own device
// panel, a third (member) table under the data sets, and a nested file of its own.
#include <memory>
#include <vector>

#include "protocols/ethernet_it/UIEC_Client_Decode.h"
#include "shell/UTableForm.h"

class TListBox;
class TOpenDialog;
class TSplitter;
class TTreeView;
class TTreeNode;
class TImageList;
class TPanel;

// The settings of one member of a picked data set.
class TDataSet_DA {
 public:
  TIEC_DA* Select_DA = nullptr;  // in the device tree, not owned
  String Position, bitAddress, conversion, multFactor, Mnemonic;
};

// A picked data set and its members' settings, in member order.
class TDataSet {
 public:
  TIEC_DataSet* Select_DataSet = nullptr;  // in the device tree, not owned
  std::vector<std::unique_ptr<TDataSet_DA>> List_DAs;
};

enum TIEC_DA_Col {
  daIndex = 1,
  daBType,
  daFC,
  daReference,
  daStartByte,
  daNumByte,
  daIPAddress,
  daPort,
  daOnChange,
  daOnCMD,
  daOnTimer,
  daTime,
  daPosition,
  daStartBit,
  daReadWrite,
  daConvertion,
  daMoltFact,
  daMnemonic
};
enum TIEC_DataSet_Col { dsIndex = 1, dsReference, dsGooseName, dsEnGoose, dsIPAddress, dsPort, dsTime, dsMnemonic };
enum TIEC_DS_Vars_Col { dvBType = 1, dvReference, dvPosition, dvStartBit, dvConvertion, dvMultFact, dvMnemonic };

class TFIEC_61850_Access : public TTableForm {
 public:
  explicit TFIEC_61850_Access(TComponent* AOwner);
  ~TFIEC_61850_Access() override;
  String ClassName() const override { return u"TFIEC_61850_Access"; }

  TAdvColumnGrid* ACG_DA = nullptr;
  TAdvColumnGrid* ACG_DataSet = nullptr;
  TAdvColumnGrid* ACG_DS_Vars = nullptr;
  TLbButton* Btn_AddVar = nullptr;
  TLbButton* Btn_RemoveVar = nullptr;
  TLbButton* Btn_MoveUp = nullptr;
  TLbButton* Btn_ModeDown = nullptr;
  TLbButton* Btn_Add_IEC_Device = nullptr;
  TLbButton* Btn_Remove_IEC_Device = nullptr;
  TPanel* PDevIEC = nullptr;
  TPanel* PDevIECList = nullptr;
  TPanel* PDevIECTree = nullptr;
  TPanel* PTable = nullptr;
  TSplitter* Splitter1 = nullptr;
  TSplitter* Splitter2 = nullptr;
  TListBox* LB_IEC_Devices = nullptr;
  TTreeView* TV_IEC_Device = nullptr;
  TImageList* IL_IEC = nullptr;
  TOpenDialog* OD_IcdFile = nullptr;

  std::vector<std::unique_ptr<TIEC_Device>> List_IEC_Dev;
  TTreeNode* NODE_ORIG = nullptr;
  TIEC_DA* Selected_IEC_DA = nullptr;
  TIEC_DataSet* Selected_IEC_DS = nullptr;
  TStringList* Hint = nullptr;  // one header hint per request column, from column 0
  std::vector<std::unique_ptr<TDataSet>> List_DataSet;
  int DataSet_Row_Select = 0;

  void FormCreate(TObject* Sender) override;
  void Set_Lang() override;
  void FormShow(TObject* Sender) override;
  String File_Path() const override;
  void Load_Tables() override;
  bool Check_Tables() override { return Controllo_dati(); }
  void Save_Tables() override;

  void Btn_Add_IEC_DeviceClick(TObject* Sender);
  void Btn_Remove_IEC_DeviceClick(TObject* Sender);
  void LB_IEC_DevicesClick(TObject* Sender);
  void TV_IEC_DeviceClick(TObject* Sender);
  void Btn_AddVarClick(TObject* Sender);
  void Btn_RemoveVarClick(TObject* Sender);
  void Show_IEC_Devices();
  void Show_Tree_IEC_Device(TIEC_Device* app_IEC_Dev);
  void Show_DataSet_DAs();
  void Set_Start_Num_Byte();
  // A data set of catalog device index by its reference, or nullptr.
  TIEC_DataSet* Get_DataSet(int index, const String& reference) const;
  // Shows the first failure and answers false; true when the request table may be saved.
  bool Controllo_dati();
  void ACG_DS_VarsSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
  void ACG_DS_VarsEditCellDone(TObject* Sender, int ACol, int ARow);

  // The frame's row buttons are Add Var and Remove Var here; Move Up and Move Down do nothing.
  void Btn_DelRowClick(TObject* Sender) override { Btn_AddVarClick(Sender); }
  void Btn_InsRowClick(TObject* Sender) override { Btn_RemoveVarClick(Sender); }
  void Btn_CopyRowClick(TObject*) override {}
  void Btn_PasteRowClick(TObject*) override {}
  void Grid_ClickCell(TObject* Sender, int ARow, int ACol) override;
  void Grid_Hint(TObject* Sender, int ARow, int ACol, String& Hint) override;

 private:
  void BuildDevicePanel();
  // Data rows of a table: 1 while it holds its one empty row.
  static int Data_Rows(TAdvStringGrid* Grid) { return Grid->RowCount() - 1; }
  // The row an added pick goes to: the one empty row, or a new last row.
  static int Row_For_Add(TAdvStringGrid* Grid);
  static void Remove_Table_Row(TAdvStringGrid* Grid, int Row);
  static void Clear_Table(TAdvStringGrid* Grid);
  void Clear_Member_Table();
  void Clear_Selection();
  void Load_File(const String& Path);
  std::unique_ptr<TStringList> FHint;
};

extern TFIEC_61850_Access* FIEC_61850_Access;

const TTableFormDef& IEC_61850_Access_Form_Def();
