#pragma once
// The BACnet client request tables (unit UBACnetAccess, BACnet_Master_Access.xml): the read table
// lists the properties of remote objects the gateway polls into its data area, the write table
// the data-area values it writes to remote objects' Present Value. A table form on the shared
// frame without Copy Row and Paste Row; the remote device is addressed by IPv4 address or MS/TP
// station as ParGen.xml's client type says. "Import EDE" fills rows from a remote device's EDE
// file (UImportEDEFile.h).
#include <vector>

#include "gateway/BACnetEDE.h"
#include "shell/UTableForm.h"

class TOpenDialog;

// Real columns of the read table (ACG1) and the write table (ACG2).
enum TBACnetReadCol {
  brEnable = 1, brAddress, brObject_Type, brInstance, brProperty, brNByte, brEn_Dest, brD_Net, brD_Len, brD_Add,
  brPoll_Time, brMax_Err, brPosition, brStart_Bit, brSwap, brConvertion, brMnemonic
};
enum TBACnetWriteCol {
  bwEnable = 1, bwAddress, bwObject_Type, bwData_Type, bwInstance, bwProperty, bwPriority, bwNByte, bwEn_Dest,
  bwD_Net, bwD_Len, bwD_Add, bwChange, bwTimer, bwPoll_Time, bwMax_Err, bwPosition, bwStart_Bit, bwSwap,
  bwConvertion, bwMnemonic
};

constexpr int BACnet_Client_Rows = 512;
constexpr int BACnet_Client_Data_Bytes = 1440;

// What Check_Property answers for the Present Value and for a proprietary property.
constexpr int BACnet_Present_Value = 100;
constexpr int BACnet_Proprietary_Property = 200;

class TFBACnetAccess : public TTableForm {
 public:
  explicit TFBACnetAccess(TComponent* AOwner);
  ~TFBACnetAccess() override;
  String ClassName() const override { return u"TFBACnetAccess"; }

  TLbButton* Btn_Import_CSV = nullptr;
  TTabSheet* TS_BACnet_Read = nullptr;
  TTabSheet* TS_BACnet_Write = nullptr;
  TAdvColumnGrid* ACG1 = nullptr;  // read table
  TAdvColumnGrid* ACG2 = nullptr;  // write table
  TOpenDialog* OD_EDE_File = nullptr;
  int App_BACnet_Type = 0;  // 0 BACnet/IP, 1 BACnet MS/TP; another number stays as read

  void FormCreate(TObject* Sender) override;
  void Set_Lang() override;
  // The client type from ParGen.xml, the address column and the Position lists.
  void Set_Limits() override;
  bool Check_Tables() override { return Controllo_dati(); }
  void Save_Tables() override;
  String File_Path() const override;

  // No auto-size, Enter navigation or row selection; the only hint is the read table's NByte hint.
  void Grid_KeyPress(TObject*, Char&) override {}
  void Grid_DblClickCell(TObject*, int, int) override {}
  void Grid_ClickCell(TObject*, int, int) override {}
  void Grid_Hint(TObject* Sender, int ARow, int ACol, String& Hint) override { ACG1GridHint(Sender, ARow, ACol, Hint); }
  void ACG1GridHint(TObject* Sender, int ARow, int ACol, String& Hint);
  String Str_Hint_Read(int ARow, int ACol) const;
  String Str_Hint_Write(int ARow, int ACol) const;

  // The table's key column: the address with type 0 or 1, else Object Type.
  int Key_Column() const { return App_BACnet_Type == 0 || App_BACnet_Type == 1 ? brAddress : brObject_Type; }

  // Shows the first failure ("Error in Read, row " / "Error in Write, row " + row + text) and
  // answers false; true when both tables may be saved.
  bool Controllo_dati();
  // The first failing test of an enabled row: its text without the prefix and row; empty: passes.
  String Read_Row_Failure(int Row) const;
  String Write_Row_Failure(int Row) const;

  // The checks over the tables' values (cells trimmed, compared without letter case).
  static int Check_Object_Type(const String& Text, bool Write);
  static int Check_Property(const String& Text, bool Write, int Object_Code);
  static int Check_Data_Type(const String& Text, int Object_Code, int Property_Result);
  static String Aspected_Data_Type_Value(int Object_Code, int Property_Result);
  static int Check_Num_Byte_Max(const String& Text);
  // A destination of a routed row: its failure text (read or write texts), empty when it passes.
  static String Dest_Failure(const String& D_Net, const String& D_Len, const String& D_Add, bool Read);
  // A destination address of N comma-separated bytes: its failure text, empty when it passes.
  static String Dest_Add_Failure(const String& Text, int N, bool Read);
  // True when the address is wrong, its message shown with the prefix and Row.
  bool Check_Dest_Add(const String& Text, int N, bool Read, int Row) const;

  // ---- EDE import ----
  void Btn_Import_CSVClick(TObject* Sender);
  static String Get_ObjType_EDE(int Type);
  static String Get_DataType_EDE(int Type);
  static int Get_NumByte_EDE(int Type);
  // Appends a read row and/or a write row per chosen object after the rows in use, Address in the
  // address column. Stops at the last row and at the end of the data area; answers how many
  // chosen objects were left out (they are reported).
  int Import_EDE_Objects(const std::vector<TBACnet_Var>& Objects, const String& Address);
};

extern TFBACnetAccess* FBACnetAccess;

// The form's declaration: grids, columns, texts and the file's layout.
const TTableFormDef& BACnet_Access_Form_Def();
