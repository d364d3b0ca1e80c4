#pragma once
// The Modbus master request tables: TFSetAccess (unit USetAccess, ModbusM_SetAccess.xml) and the
// Modbus TCP master's TFModbus_TCP_Master_Set_Access (ModbusTCPM_SetAccess.xml), which is the same
// form with the slave's IP address and port after Enable. Both are table forms on the shared
// frame; one check routine serves both, driven by each form's column map.
#include <memory>
#include <vector>

#include "shell/UTableForm.h"

// Real columns of one grid of a Modbus master form; -1 where the grid has no such column.
struct TModbusColumns {
  int Enable, IP, Port, Slave_ID, Type, Address, NPoint, Poll_Time, Max_Error, Position, Bit, Topic;
};

// UI texts of one grid's check messages, in the order the tests run; -1 where the grid has none.
struct TModbusTexts {
  int IP, Port, Slave_ID, Type, Address, NPoint, Poll_Time, Poll_Time_Mode, Max_Error, Position, Bit, Bytes,
      Topic;
};

// What tells the two grids of a form apart in the check.
struct TModbusGridRules {
  TModbusColumns Cols;
  TModbusTexts Texts;
  int Min_Poll_Time;     // 1 on the read grid, 0 on the write grid
  int Bit_Max_Points;    // NPoint limit of a status (read) or coil (write) row
  int Word_Max_Points;   // NPoint limit of a register row
  bool Read;             // bit rows: the two status types (read) or coils only (write)
};

// The frame's form with what both Modbus master forms share: the byte arrays, the Position lists,
// the hidden Topic column, the check and the topic mapping.
class TModbusSetAccessForm : public TTableForm {
 public:
  TModbusSetAccessForm(TComponent* AOwner, const TTableFormDef& Def, int Error_Row_Text,
                       std::vector<TModbusGridRules> Rules);
  ~TModbusSetAccessForm() override;

  TTabSheet* TS_Modbus_Read = nullptr;
  TTabSheet* TS_Modbus_Write = nullptr;
  TAdvColumnGrid* ACG_Modbus_Read = nullptr;
  TAdvColumnGrid* ACG_Modbus_Write = nullptr;
  TStringList* Hint_Modbus_Set_Access_Read = nullptr;   // the frame's hint lists
  TStringList* Hint_Modbus_Set_Access_Write = nullptr;
  std::unique_ptr<TStringList> List_Publish_Topic;      // stays empty: nothing fills it
  int Working_Mode = 0;  // chooses only the Poll Time message of the read grid
  int NByte_IN = 1500;   // the input array the read rows fill
  int NByte_OUT = 1500;  // the output array the write rows take their data from

  bool Do_Copy_In_Read() const { return Copy_Flags[0]; }
  bool Do_Copy_In_Write() const { return Copy_Flags[1]; }

  void FormCreate(TObject* Sender) override;
  void Reset_Grids() override;
  void Set_Limits() override;
  bool Check_Tables() override { return Controllo_dati(); }

  // Shows the first failure ("Error row " + row + text) and answers false; true when both tables
  // may be saved.
  bool Controllo_dati();
  // The entry at Index of List_Publish_Topic; empty outside the list.
  String Get_Topic_From_Index(int Index) const;

 protected:
  // The first failing test of an enabled row: its message without the "Error row " + row prefix.
  String Row_Failure(TAdvColumnGrid* Grid, int Row, const TModbusGridRules& Rules) const;
  // The position of the first entry equal to Topic (exact), -1 when none.
  int First_Topic_Index(const String& Topic) const;
  // Saves with the read grid's Topic column written as Topic_Attribute gives it.
  void Save_With_Topic(const std::function<String(int Row)>& Topic_Attribute);
  // Turns the loaded "Index_Topic" numbers of the read grid into topics; Index gets each number.
  void Topics_From_Indices(const std::function<void(int Row, int Index)>& Index);

  int FError_Row;
  std::vector<TModbusGridRules> FRules;
};

class TFSetAccess : public TModbusSetAccessForm {
 public:
  explicit TFSetAccess(TComponent* AOwner);
  ~TFSetAccess() override;
  String ClassName() const override { return u"TFSetAccess"; }

  std::vector<int> ComboItem_Topic;  // per read row: the Topic item last chosen, -1 for none

  void Reset_Grids() override;
  void After_Load() override;
  void Save_Tables() override;
  String File_Path() const override;

  // index when it still names Topic, else the first entry equal to Topic; -1 when none.
  int Get_Index_From_Topic(const String& Topic, int index) const;
  void ComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const String& ASelection);
};

class TFModbus_TCP_Master_Set_Access : public TModbusSetAccessForm {
 public:
  explicit TFModbus_TCP_Master_Set_Access(TComponent* AOwner);
  ~TFModbus_TCP_Master_Set_Access() override;
  String ClassName() const override { return u"TFModbus_TCP_Master_Set_Access"; }

  void Set_Lang() override;
  void Reset_Grids() override;
  void After_Load() override;
  void Save_Tables() override;
  String File_Path() const override;
  // Enter moves on in the write grid only; hints are looked up by the displayed column.
  void Grid_KeyPress(TObject* Sender, Char& Key) override;
  void Grid_Hint(TObject* Sender, int ARow, int ACol, String& Hint) override;

  int Get_Index_From_Topic(const String& Topic) const { return First_Topic_Index(Topic); }
  // True when IP_Address is not a valid dotted IPv4 address.
  bool Check_IP_Address(const String& IP_Address) const;
};

extern TFSetAccess* FSetAccess;
extern TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access;

// The forms' declarations: grids, columns, texts and the files' layouts.
const TTableFormDef& Modbus_Master_Form_Def();
const TTableFormDef& Modbus_TCP_Master_Form_Def();
