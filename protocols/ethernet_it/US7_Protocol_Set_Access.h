#pragma once
// The gateway's S7 communication with PLCs (S7_Protocol.xml): a read table (values fetched from
// PLCs into the internal data array) and a write table (values sent to PLCs), each row naming the
// PLC, the data item, the timing and the place in the data array. Two tables on the table form
// frame; the check counts the PLC connections over both tables, of which the device holds ten.
#include <vector>

#include "shell/UTableForm.h"

enum TS7_Col {
  s7Enable = 1,
  s7PLC_Address,
  s7PLC_Port,
  s7PLC_Type,
  s7Rack,
  s7Slot,
  s7Data_Type,
  s7Data_Identifier,
  s7DB_Number,
  s7PLC_Area,
  s7PLC_Add,
  s7PLC_Bit,
  s7PollTime,
  // Read table from here; the write table has On Change and On CMD first.
  s7ReadPosition,
  s7ReadBit,
  s7ReadSwap,
  s7ReadSwapWord,
  s7ReadMnemonic
};
enum TS7_Write_Col {
  s7OnChange = 14,
  s7OnCMD,
  s7WritePosition,
  s7WriteBit,
  s7WriteSwap,
  s7WriteSwapWord,
  s7WriteMnemonic
};

// One PLC connection: an address and a port; -1 in every field marks a free entry.
struct TIPPort {
  int IP1 = -1, IP2 = -1, IP3 = -1, IP4 = -1;
  int Port = -1;
};

class TFS7_Protocol_Set_Access : public TTableForm {
 public:
  explicit TFS7_Protocol_Set_Access(TComponent* AOwner);
  ~TFS7_Protocol_Set_Access() override;
  String ClassName() const override { return u"TFS7_Protocol_Set_Access"; }

  TTabSheet* TS_S7_Read = nullptr;
  TTabSheet* TS_S7_Write = nullptr;
  TAdvColumnGrid* ACG_S7_Read = nullptr;
  TAdvColumnGrid* ACG_S7_Write = nullptr;
  TStringList* Hint_S7_Set_Access_Read = nullptr;  // the frame's hint lists
  TStringList* Hint_S7_Set_Access_Write = nullptr;
  int NByte_IN = 1500;  // set at every show
  int NByte_OUT = 1500;
  std::vector<TIPPort> array_ip_Port;

  bool Do_Copy_In_Read() const { return Copy_Flags[0]; }
  bool Do_Copy_In_Write() const { return Copy_Flags[1]; }

  void FormCreate(TObject* Sender) override;
  void Set_Limits() override;
  bool Check_Tables() override { return Controllo_dati(); }
  String File_Path() const override;

  // Shows the first failure and answers false; true when both tables may be saved.
  bool Controllo_dati();
  // The entry of array_ip_Port holding this connection, or the first free one, which takes it;
  // -1 when every entry holds another connection.
  int Check_IP_Port(int IP1, int IP2, int IP3, int IP4, int Port);

 private:
  // The first failing test of a row of table Table (0 read, 1 write): its message, or empty.
  String Row_Failure(int Table, int Row);
};

extern TFS7_Protocol_Set_Access* FS7_Protocol_Set_Access;

const TTableFormDef& S7_Protocol_Form_Def();
