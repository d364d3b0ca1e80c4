#pragma once
// The BACnet server objects (unit UBACnetSlaveSetAccess, BACnet_Slave.xml): the objects that
// BACnet clients read ("BACnet in Read", placed in the 1500-byte input area) and write ("BACnet
// in Write", in the output area), each with its object type, engineering unit, place and name.
// A table form on the shared frame; a double click on an Eng. Unit cell opens the unit picker
// (UBACnet_Eng_Unit.h). The EDE export (UBACnet_EDE_File.h) reads the same file.
#include "shell/UTableForm.h"

// Real columns of both grids.
enum TBACnetServerCol { bsData_Type = 1, bsEng_Unit, bsPosition, bsStart_Bit, bsLength, bsSwap, bsMnemonic };

constexpr int BACnet_Server_Rows = 2000;        // data rows of each grid, and the object limit
constexpr int BACnet_Server_Rows_Short = 1000;  // the same with "BACnet_Desc_Chars_Limit" "1"
constexpr int BACnet_Server_Area_Bytes = 1500;  // size of the input and of the output area

class TFBACnetSlaveSetAccess : public TTableForm {
 public:
  explicit TFBACnetSlaveSetAccess(TComponent* AOwner);
  ~TFBACnetSlaveSetAccess() override;
  String ClassName() const override { return u"TFBACnetSlaveSetAccess"; }

  TTabSheet* TS_BACnet_in_Read = nullptr;
  TTabSheet* TS_BACnet_in_Write = nullptr;
  TAdvColumnGrid* ACG_BACnet_in_Read = nullptr;
  TAdvColumnGrid* ACG_BACnet_in_Write = nullptr;

  bool Desc_Lenght = false;  // the reduced object limit (1000 instead of 2000) is in force
  int NByte_IN = BACnet_Server_Area_Bytes;
  int NByte_OUT = BACnet_Server_Area_Bytes;
  // The copy-valid flags of the read and the write grid.
  bool Do_Copy_Read() const { return Copy_Flags[0]; }
  bool Do_Copy_Write() const { return Copy_Flags[1]; }
  // Data rows of each grid and the object limit of this showing.
  int Object_Limit() const { return Desc_Lenght ? BACnet_Server_Rows_Short : BACnet_Server_Rows; }

  void FormCreate(TObject* Sender) override;
  // Every row of the largest table, whatever the previous showing's row count.
  void Reset_Grids() override;
  // The pages, the areas, the Position lists, the object limit from ParGen.xml and the row count.
  void Set_Limits() override;
  bool Check_Tables() override { return Controllo_dati(); }
  void Save_Tables() override;
  String File_Path() const override;

  // Shows the first failure ("Error row " + row + text, or the object limit) and answers false.
  bool Controllo_dati();
  // The first failing test of a row of grid Index (0 read, 1 write): its text without the prefix
  // and row; empty: the row passes.
  String Row_Failure(int Index, int Row) const;

  // Double click: the unit picker on an Eng. Unit cell, then the frame's auto-size.
  void Grid_DblClickCell(TObject* Sender, int ARow, int ACol) override;
  void ACG_BACnet_in_WriteComboChange(TObject* Sender, int ACol, int ARow, int ItemIndex, const String& Text);
  // The Length a write object of this type takes ("4", "1", "8"), empty for a type without one.
  static String Write_Type_Length(const String& Data_Type);
  // Opens the unit picker on the Eng. Unit cell of Grid's Row; OK copies the chosen code back.
  void Pick_Eng_Unit(TAdvColumnGrid* Grid, int Row);
};

extern TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess;

const TTableFormDef& BACnet_Slave_Form_Def();
