#include "protocols/can/FrameTableForms.h"

#include "platform/Dialogs.h"
#include "shell/TableFile.h"
#include "shell/UFormKit.h"

const std::vector<String>& CAN_Frame_Types() {
  static const std::vector<String> types = {CAN_Type_11_Bits, u"2.0B (29 bits)"};
  return types;
}

TTableColumnDef Frame_Column(int Header, int Hint, const String& Attribute, TEditorType Editor, int Width,
                             std::vector<String> Items) {
  TTableColumnDef c;
  c.Header = Header, c.Hint = Hint, c.Editor = Editor, c.Width = Width;
  c.Items = std::move(Items), c.Attribute = Attribute;
  return c;
}

TTableColumnDef Frame_Flag(int Header, int Hint, const String& Attribute, const String& Default, int Width) {
  return With_Default(Frame_Column(Header, Hint, Attribute, edDataCheckBox, Width), Default);
}

TTableColumnDef With_Default(TTableColumnDef Column, const String& Default) {
  Column.Missing = TMissingAttr::Default;
  Column.Default = Default;
  return Column;
}

TTableFormDef Frame_Form_Def(const String& Name, int Width, int Height, int Caption, int Description,
                             int ButtonCaptions, int ButtonHints, int DeleteQuestion, const String& Root) {
  TTableFormDef d;
  d.Name = Name, d.Root = Root, d.ClientWidth = Width, d.ClientHeight = Height;
  d.Caption = Caption, d.Description = Description, d.DeleteQuestion = DeleteQuestion;
  d.ButtonCaptions = ButtonCaptions, d.ButtonHints = ButtonHints;
  return d;
}

TTableGridDef Frame_Grid(const String& Name, int NumberHeader, int DataRows, int KeyColumn,
                         std::vector<TTableColumnDef> Columns) {
  TTableGridDef g;
  g.Name = Name, g.NumberHeader = NumberHeader, g.DataRows = DataRows, g.KeyColumn = KeyColumn;
  g.Columns = std::move(Columns);
  return g;
}

void Show_Frame_Error(const String& Text) { MessageDlg(Text, mtError, TMsgDlgButtons{mbOK}); }

// ---- raw CAN frames ----

TCANFramesForm::TCANFramesForm(TComponent* AOwner, const TTableFormDef& Def, const TCANFrameRules& Rules)
    : TTableForm(AOwner, Def), FRules(Rules) {}

void TCANFramesForm::Set_Limits() {
  MAX_Byte = FRules.Max_Byte;
  for (int n = 0; n < 8; ++n) {
    TStrings* items = Grids[0]->Columns()->Items(FRules.First_Byte + n)->ComboItems();
    Fill_Position_List(items, MAX_Byte);
    items->Insert(0, u"None");
  }
}

void TCANFramesForm::After_Load() {
  if (Grids[0]->CanFocus()) Grids[0]->SetFocus();
}

String TCANFramesForm::Row_Failure(int Row) const {
  TAdvColumnGrid* g = Grids[0];
  auto number = [&](int Col) { return CellToInt(g->GetCellEx(Col, Row)); };
  auto outside = [&](int Col, int32_t Low, int32_t High) {
    const int32_t v = number(Col);
    return v < Low || v > High;
  };
  const bool standard = Trim(g->GetCellEx(Type_Col, Row)) == CAN_Type_11_Bits;
  if (standard && outside(CobID_Col, 0, 0x7FF)) return UI_Text(FRules.CobID_11);
  if (!standard && outside(CobID_Col, 0, 0x1FFFFFFF)) return UI_Text(FRules.CobID_29);
  if (outside(Dimension_Col, 1, 8)) return UI_Text(FRules.Dimension);
  const bool timed = FRules.On_Timer < 0 || UpperCase(Trim(g->GetCellEx(FRules.On_Timer, Row))) == u"Y";
  if (timed && outside(FRules.Time, 0, 100000000)) return UI_Text(FRules.Time_Text);
  const int32_t dimension = number(Dimension_Col);
  for (int n = 1; n <= dimension; ++n) {
    const int col = FRules.First_Byte + n - 1;
    const String position = Trim(g->GetCellEx(col, Row));
    if (position.empty() || position == u"None") continue;
    if (outside(col, 0, MAX_Byte - 1))
      return UI_Text(n == 1 ? FRules.Byte1 : FRules.Byte2 + n - 2) + IntToStr(MAX_Byte - 1) + UI_Text(FRules.Or_None);
  }
  return String();
}

bool TCANFramesForm::Controllo_dati() {
  TAdvColumnGrid* g = Grids[0];
  const int rows = Def().Grids[0].DataRows;
  for (int r = 1; r <= rows && !Trim(g->GetCellEx(CobID_Col, r)).empty(); ++r) {
    if (UpperCase(Trim(g->GetCellEx(Enable_Col, r))) != u"Y") continue;
    const String failure = Row_Failure(r);
    if (!failure.empty()) {
      Show_Frame_Error(UI_Text(FRules.Error_Row) + IntToStr(r) + failure);
      return false;
    }
  }
  return true;
}

// ---- J1939 and NMEA 2000 parameter groups ----

TPGNFramesForm::TPGNFramesForm(TComponent* AOwner, const TTableFormDef& Def, int Error_Row, int Too_Many)
    : TTableForm(AOwner, Def), FError_Row(Error_Row), FToo_Many(Too_Many) {}

void TPGNFramesForm::Btn_DelRowClick(TObject* Sender) {
  const int row = Grids[0]->GetRowEx();
  if (row > 0 && row < Grids[0]->RowCount()) TTableForm::Btn_DelRowClick(Sender);
}

bool TPGNFramesForm::Outside(int Col, int Row, int32_t Low, int32_t High) const {
  const int32_t v = CellToInt(Cell(Col, Row));
  return v < Low || v > High;
}

bool TPGNFramesForm::Controllo_Dati() {
  const int rows = Def().Grids[0].DataRows;
  int64_t total = 0;
  for (int r = 1; r <= rows && In_Table(r); ++r) {
    int bytes = 0;
    String failure = Head_Failure(r, bytes);
    if (failure.empty()) {
      total += bytes;
      if (total > Byte_Limit()) {
        Show_Frame_Error(UI_Text(FToo_Many) + IntToStr(Byte_Limit()));
        return false;
      }
      failure = Tail_Failure(r);
    }
    if (!failure.empty()) {
      Show_Frame_Error(UI_Text(FError_Row) + IntToStr(r) + failure);
      return false;
    }
  }
  return true;
}

TPGNReceiveForm::TPGNReceiveForm(TComponent* AOwner, const TTableFormDef& Def, int Error_Row, int Too_Many,
                                 int Area_Size, const TPGNReceiveRules& Rules)
    : TPGNFramesForm(AOwner, Def, Error_Row, Too_Many), FRules(Rules), FArea_Size(Area_Size) {}

String TPGNReceiveForm::Head_Failure(int Row, int& Bytes) const {
  const TPGNReceiveRules& k = FRules;
  if (k.Data_Page >= 0 && Cell(k.Data_Page, Row).empty()) return UI_Text(k.Data_Page_Text);
  if (Outside(k.PGN, Row, 0, k.PGN_Max)) return UI_Text(k.PGN_Text);
  if (Outside(k.Source, Row, 0, 239)) return UI_Text(k.Source_Text);
  const int32_t start = CellToInt(Cell(k.Start, Row));
  const int32_t count = CellToInt(Cell(k.NByte, Row));
  // Transport protocol and fast packet: the bytes from Start Byte within a message of Last + 1.
  auto message = [&](int32_t Last, int StartText, int SumText) {
    if (start < 0 || start > Last) return UI_Text(StartText);
    if (count < 0 || int64_t(start) + count > Last) return UI_Text(SumText);
    Bytes = count;
    return String();
  };
  if (Cell(k.Transport, Row) == u"Y") return message(1785, k.TP_Start, k.TP_Sum);
  if (k.Fast_Packet >= 0 && Cell(k.Fast_Packet, Row) == u"Y") return message(223, k.FP_Start, k.FP_Sum);
  const bool noStart = Trim(Cell(k.Start, Row)).empty();
  const bool noCount = Trim(Cell(k.NByte, Row)).empty();
  if (noStart && noCount) {
    Bytes = 8;
    return String();
  }
  if (noStart || noCount) return UI_Text(k.Both);
  if (start < 1 || start > 8) return UI_Text(k.SF_Start);
  if (count < 1 || count > 8) return UI_Text(k.SF_NByte);
  if (start + count > 8) return UI_Text(k.SF_Sum);
  // The row captures only its N Byte bytes of the frame.
  Bytes = count;
  return String();
}

String TPGNReceiveForm::Tail_Failure(int Row) const {
  const TPGNReceiveRules& k = FRules;
  if (k.On_Request >= 0 && Cell(k.On_Request, Row) == u"Y" && Outside(k.Time, Row, 0, 10000000))
    return UI_Text(k.Time_Text);
  return String();
}

TPGNTransmitForm::TPGNTransmitForm(TComponent* AOwner, const TTableFormDef& Def, int Error_Row, int Too_Many,
                                   int Area_Size, const TPGNTransmitRules& Rules)
    : TPGNFramesForm(AOwner, Def, Error_Row, Too_Many), FRules(Rules), FArea_Size(Area_Size) {}

String TPGNTransmitForm::Head_Failure(int Row, int& Bytes) const {
  const TPGNTransmitRules& k = FRules;
  if (Outside(k.Priority, Row, 0, 7)) return UI_Text(k.Priority_Text);
  if (k.Data_Page >= 0 && Cell(k.Data_Page, Row).empty()) return UI_Text(k.Data_Page_Text);
  if (Outside(k.PGN, Row, 0, 0x1FFFF)) return UI_Text(k.PGN_Text);
  if (Outside(k.Source, Row, 0, k.Source_Max)) return UI_Text(k.Source_Text);
  if (Outside(k.NBytes, Row, 0, NUM_BYTE_OUT)) return UI_Text(k.NBytes_Text) + IntToStr(NUM_BYTE_OUT);
  Bytes = CellToInt(Cell(k.NBytes, Row));
  return String();
}

String TPGNTransmitForm::Tail_Failure(int Row) const {
  const TPGNTransmitRules& k = FRules;
  if (Cell(k.On_Timer, Row) == u"Y" && Outside(k.Send_Timer, Row, 1, 65535)) return UI_Text(k.Send_Timer_Text);
  return String();
}
