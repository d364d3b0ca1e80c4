#pragma once
// What the CAN-family frame tables share. Each is a one-grid table form whose rows sit directly
// under the file's root. The raw CAN forms check identifier, length and byte positions of the
// enabled rows; the J1939 and NMEA 2000 forms have no Enable column, check every row and add up
// the bytes the rows take against the size of the gateway's data area.
#include <vector>

#include "shell/UTableForm.h"

// ---- column declarations ----

// A data column read as the file has it (a missing attribute keeps the reset cell).
TTableColumnDef Frame_Column(int Header, int Hint, const String& Attribute, TEditorType Editor = edNormal,
                             int Width = 70, std::vector<String> Items = {});
// A "Y"/"N" check-box column; Default when the row lacks the attribute.
TTableColumnDef Frame_Flag(int Header, int Hint, const String& Attribute, const String& Default, int Width = 70);
// Column with Default when the row lacks the attribute.
TTableColumnDef With_Default(TTableColumnDef Column, const String& Default);

// A one-grid frame form: the six buttons' captions and hints from two runs of UI texts, rows
// directly under Root.
TTableFormDef Frame_Form_Def(const String& Name, int Width, int Height, int Caption, int Description,
                             int ButtonCaptions, int ButtonHints, int DeleteQuestion, const String& Root);
TTableGridDef Frame_Grid(const String& Name, int NumberHeader, int DataRows, int KeyColumn,
                         std::vector<TTableColumnDef> Columns);

// Shows a failed check's message (error icon, OK button).
void Show_Frame_Error(const String& Text);

// ---- raw CAN frames ----

// The identifier formats of the Type column; any Type but the first allows 29-bit identifiers.
inline const String CAN_Type_11_Bits = u"2.0A (11 bits)";
const std::vector<String>& CAN_Frame_Types();

// Where the two raw CAN forms differ: the Time column (receive: TimeOut, always tested; transmit:
// Time, tested only with OnTimer "Y"), the first byte-position column, the data area and the texts.
struct TCANFrameRules {
  int On_Timer;     // column; -1: the time is always tested
  int Time;         // column
  int First_Byte;   // column of Byte1; Byte2 .. Byte8 follow
  int Max_Byte;     // bytes of the data area
  int Error_Row, CobID_11, CobID_29, Dimension, Time_Text, Byte1, Byte2, Or_None;  // UI texts
};

class TCANFramesForm : public TTableForm {
 public:
  static constexpr int Enable_Col = 1, CobID_Col = 2, Type_Col = 3, Dimension_Col = 4;

  TCANFramesForm(TComponent* AOwner, const TTableFormDef& Def, const TCANFrameRules& Rules);

  int MAX_Byte = 0;  // byte positions run 0 .. MAX_Byte - 1

  bool Do_Copy() const { return Copy_Flags[0]; }

  // MAX_Byte and the byte columns' lists: "None", then "0" .. MAX_Byte - 1.
  void Set_Limits() override;
  void After_Load() override;
  bool Check_Tables() override { return Controllo_dati(); }

  // Shows the first failure of an enabled row ("Error row " + row + text) and answers false.
  bool Controllo_dati();

 protected:
  // The first failing test of an enabled row, without the row prefix; empty when it passes.
  String Row_Failure(int Row) const;

  TCANFrameRules FRules;
};

// ---- J1939 and NMEA 2000 parameter groups ----

// A table whose rows take bytes of one data area: the check adds them up and fails, naming no
// row, once the total is above the area's size. The key cell is not trimmed: blanks are not empty.
class TPGNFramesForm : public TTableForm {
 public:
  TPGNFramesForm(TComponent* AOwner, const TTableFormDef& Def, int Error_Row, int Too_Many);

  bool Do_Copy() const { return Copy_Flags[0]; }
  bool Check_Tables() override { return Controllo_Dati(); }
  // Asks only on a data row.
  void Btn_DelRowClick(TObject* Sender) override;

  bool Controllo_Dati();

 protected:
  virtual int Byte_Limit() const = 0;
  // Row belongs to the checked table.
  virtual bool In_Table(int Row) const = 0;
  // The tests before the byte total; Bytes gets what the row takes. Empty when they pass.
  virtual String Head_Failure(int Row, int& Bytes) const = 0;
  // The tests after the byte total.
  virtual String Tail_Failure(int Row) const = 0;

  String Cell(int Col, int Row) const { return Grids[0]->GetCellEx(Col, Row); }
  // The cell's number is outside Low .. High (a cell that is not a number is -1).
  bool Outside(int Col, int Row, int32_t Low, int32_t High) const;

 private:
  int FError_Row, FToo_Many;
};

// Receive tables: which groups are captured and which bytes of each. A transport-protocol row
// (exactly "Y") or a fast-packet row takes N Byte bytes from Start Byte within its message; a
// single frame takes the whole frame (8 bytes) when neither Start Byte nor N Byte is given, else
// its N Byte bytes from Start Byte 1 .. 8.
struct TPGNReceiveRules {
  int Data_Page, PGN, Source, Transport, Fast_Packet, Start, NByte, On_Request, Time;  // columns, -1 none
  int32_t PGN_Max;
  // UI texts of the tests, in their order.
  int Data_Page_Text, PGN_Text, Source_Text, TP_Start, TP_Sum, FP_Start, FP_Sum, Both, SF_Start, SF_NByte, SF_Sum,
      Time_Text;
};

class TPGNReceiveForm : public TPGNFramesForm {
 public:
  TPGNReceiveForm(TComponent* AOwner, const TTableFormDef& Def, int Error_Row, int Too_Many, int Area_Size,
                  const TPGNReceiveRules& Rules);

  int NUM_BYTE_IN = 0;  // bytes of the receive data area

  void Set_Limits() override { NUM_BYTE_IN = FArea_Size; }

 protected:
  int Byte_Limit() const override { return NUM_BYTE_IN; }
  bool In_Table(int Row) const override { return !Cell(FRules.PGN, Row).empty(); }
  String Head_Failure(int Row, int& Bytes) const override;
  String Tail_Failure(int Row) const override;

  TPGNReceiveRules FRules;
  int FArea_Size;
};

// Transmit tables: the save writes the rows up to the first empty Priority, so the check covers
// those rows and, beyond them, the rows up to the first empty PGN.
struct TPGNTransmitRules {
  int Priority, Data_Page, PGN, Source, NBytes, On_Timer, Send_Timer;  // columns, -1 none
  int32_t Source_Max;
  int Priority_Text, Data_Page_Text, PGN_Text, Source_Text, NBytes_Text, Send_Timer_Text;
};

class TPGNTransmitForm : public TPGNFramesForm {
 public:
  TPGNTransmitForm(TComponent* AOwner, const TTableFormDef& Def, int Error_Row, int Too_Many, int Area_Size,
                   const TPGNTransmitRules& Rules);

  int NUM_BYTE_OUT = 0;  // bytes of the transmit data area

  void Set_Limits() override { NUM_BYTE_OUT = FArea_Size; }

 protected:
  int Byte_Limit() const override { return NUM_BYTE_OUT; }
  bool In_Table(int Row) const override {
    return !Cell(FRules.Priority, Row).empty() || !Cell(FRules.PGN, Row).empty();
  }
  String Head_Failure(int Row, int& Bytes) const override;
  String Tail_Failure(int Row) const override;

  TPGNTransmitRules FRules;
  int FArea_Size;
};
