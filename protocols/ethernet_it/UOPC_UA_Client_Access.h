#pragma once
// The gateway as an OPC UA client (OPC_UA_Client.xml): the servers in the upper table, and the read
// and write variables of the selected server on two pages below. The tables are views: the data
// lives in OPC_UA_Server_List; a variable table is stored back into the server that was current
// when the table was entered, when it is left or after a row button. Servers come from the entry
// dialog, variables from typing or from a browse of the server.
#include <memory>

#include "protocols/ethernet_it/UOPC_UA_Client_Model.h"
#include "shell/UTableForm.h"

class TSplitter;

// Columns of the variable tables (the write table's 7 to 9 are the three write triggers).
enum TOPC_UA_Var_Col {
  vcEnable = 1,
  vcDisplayName,
  vcNodeType,
  vcNodeID,
  vcVarType,
  vcNameSpace,
  vcVarArray,
  vcStart,
  vcLength,
  vcTime,
  vcPosition,
  vcMnemonic,
  vcOnChange = vcVarArray,
  vcOnCMD = vcStart,
  vcOnTimer = vcLength
};

class TFOPC_UA_Client_Access : public TTableForm {
 public:
  explicit TFOPC_UA_Client_Access(TComponent* AOwner);
  ~TFOPC_UA_Client_Access() override;
  String ClassName() const override { return u"TFOPC_UA_Client_Access"; }

  TPanel* P_OPC_UA_Server_List = nullptr;
  TPanel* P_OPC_UA_Server_List_Title = nullptr;
  TLabel* L_Server_List_Title = nullptr;
  TAdvColumnGrid* ACG_OPC_UA_Server = nullptr;
  TPanel* Panel2 = nullptr;
  TLbButton* Btn_Add_Server = nullptr;
  TLbButton* Btn_Modify_Server = nullptr;
  TLbButton* Btn_Delete_Server = nullptr;
  TLbButton* Btn_Scan_Server = nullptr;
  TSplitter* Splitter1 = nullptr;
  TPanel* P_OPC_UA_Var_List = nullptr;
  TPanel* Panel4 = nullptr;
  TLabel* L_Variables_List_Title = nullptr;
  TPageControl* PC_OPC_UA_Vars = nullptr;
  TTabSheet* TS_OPC_UA_Var_Read = nullptr;
  TTabSheet* TS_OPC_UA_Var_Write = nullptr;
  TAdvColumnGrid* ACG_OPC_UA_Var_R = nullptr;
  TAdvColumnGrid* ACG_OPC_UA_Var_W = nullptr;
  TLbButton* Btn_AutoPosition = nullptr;

  TStringList* Hint_Server_List = nullptr;
  TStringList* Hint_Var_R_List = nullptr;
  TStringList* Hint_Var_W_List = nullptr;
  TOPC_UA_Server_List OPC_UA_Server_List;
  int Ind_Server = -1;  // the server whose variable table is being edited

  bool Do_Copy_Read() const { return Copy_Flags[0]; }
  bool Do_Copy_Write() const { return Copy_Flags[1]; }

  void FormCreate(TObject* Sender) override;
  void Set_Lang() override;
  void FormShow(TObject* Sender) override;
  String File_Path() const override;
  void Load_Tables() override;
  bool Check_Tables() override { return Controllo_Dati(); }
  void Save_Tables() override;
  void After_Row_Change(int Index) override;
  void Grid_Hint(TObject* Sender, int ARow, int ACol, String& Hint) override;

  // Shows the first failure of the whole configuration and answers false.
  bool Controllo_Dati();
  void Delete_Server_Var_OPC_UA();
  // The server of the server table's current row, or -1.
  int Current_Server() const;

  void Add_Server();
  void Modify_Server();
  void Delete_Server();
  void Scan_Server();
  void Btn_AutoPositionClick(TObject* Sender);
  void ACG_OPC_UA_ServerClickCell(TObject* Sender, int ARow, int ACol);
  void ACG_OPC_UA_ServerDblClickCell(TObject* Sender, int ARow, int ACol);
  void ACG_OPC_UA_Var_Enter(TObject* Sender);
  void ACG_OPC_UA_Var_Exit(TObject* Sender);

  void Show_OPC_UA_Server_List();
  void Show_OPC_UA_Var_List();
  void Erase_OPC_UA_Var_R_List();
  void Erase_OPC_UA_Var_W_List();
  void Save_Variable_in_Read();
  void Save_Variable_in_Write();
  // Append the browsed variables ticked for reading or writing to the current server, as many as
  // its list has room for; answer how many did not fit.
  int Add_Variables_In_Read();
  int Add_Variables_In_Write();

 private:
  void BuildServerPart();
  void Erase_Var_List(TAdvColumnGrid* Grid);
  void Store(int Grid_Index);
  int Add_Variables(std::vector<std::unique_ptr<TOPC_UA_Variable>>& List, int Tick_Column);
  std::unique_ptr<TStringList> FHint_Server_List;
};

extern TFOPC_UA_Client_Access* FOPC_UA_Client_Access;

const TTableFormDef& OPC_UA_Client_Access_Form_Def();
