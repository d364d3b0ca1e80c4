#include "protocols/ethernet_it/US7_Protocol_Set_Access.h"

#include "protocols/ethernet_it/EthernetItColumns.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFS7_Protocol_Set_Access* FS7_Protocol_Set_Access = nullptr;

namespace {

constexpr int kS7Rows = 512;
constexpr int kS7Bytes = 1500;
constexpr int kS7Connections = 10;
constexpr int kS7ErrorRow = 5170;
// The form's own block has no delete question; the KNX table's reads the same.
constexpr int kS7DeleteQuestion = 5360;

const std::vector<String> kS7Bits = {u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7"};

// A column whose attribute a row must have: without it the load stops and says so.
TTableColumnDef S7_Column(int Header, int Hint, const String& Attribute, int Width = 75, TEditorType Editor = edNormal,
                          std::vector<String> Items = {}) {
  TTableColumnDef c = Ethernet_It_Column(Header, Hint, Attribute, Width, Editor, std::move(Items));
  c.Missing = TMissingAttr::Fail;
  return c;
}

// Texts of one table: headers of columns 0 .. 4, 5 and 6, 7 and 8, 9 .. 12 and from 13 on; hints
// of columns 1 .. 4, 5 and 6, 7 and 8, 9 .. 12 and from 13 on.
struct TS7Texts {
  int Head0, Head5, Head7, Head9, Head13;
  int Hint1, Hint5, Hint7, Hint9, Hint13;
};

std::vector<TTableColumnDef> S7_Common(const TS7Texts& t) {
  return {Ethernet_It_Flag(t.Head0 + 1, t.Hint1, u"Enable", 50, u"Y"),
          S7_Column(t.Head0 + 2, t.Hint1 + 1, u"PLC_Address", 100),
          S7_Column(t.Head0 + 3, t.Hint1 + 2, u"PLC_Port", 60),
          S7_Column(t.Head0 + 4, t.Hint1 + 3, u"PLC_Type", 80, edComboList,
                    {u"Logo0BA8", u"S7200", u"S7300", u"S7400", u"S71200", u"S71500"}),
          Ethernet_It_Column(t.Head5, t.Hint5, u"Rack", 45, edNormal, {}, u"0"),
          Ethernet_It_Column(t.Head5 + 1, t.Hint5 + 1, u"Slot", 45, edNormal, {}, u"0"),
          S7_Column(t.Head7, t.Hint7, u"Data_Type", 75, edComboList,
                    {u"Bit", u"Byte", u"Char", u"Word", u"Int", u"DWord", u"DInt", u"Real"}),
          S7_Column(t.Head7 + 1, t.Hint7 + 1, u"Data_Identifier", 90, edComboList,
                    {u"OB", u"DB", u"SDB", u"FC", u"SFC", u"FB", u"SFB"}),
          S7_Column(t.Head9, t.Hint9, u"DB_Number", 75),
          S7_Column(t.Head9 + 1, t.Hint9 + 1, u"PLC_Area", 160, edComboList,
                    {u"Direct peripheral access (P)", u"Inputs (I)", u"Output (Q)", u"Flags (M) (Merker)"}),
          S7_Column(t.Head9 + 2, t.Hint9 + 2, u"PLC_Add", 60),
          S7_Column(t.Head9 + 3, t.Hint9 + 3, u"PLC_Bit", 55, edComboList, kS7Bits),
          S7_Column(t.Head13, t.Hint13, u"PollTime", 70)};
}

TTableGridDef S7_Grid(const String& Name, const String& Sheet, int Caption, int NumberHeader, const String& Section,
                      std::vector<TTableColumnDef> Columns) {
  TTableGridDef g;
  g.Name = Name;
  g.Sheet = Sheet;
  g.SheetCaption = Caption;
  g.NumberHeader = NumberHeader;
  g.Section = Section;
  g.DataRows = kS7Rows;
  g.KeyColumn = s7PLC_Address;
  g.Columns = std::move(Columns);
  return g;
}

TTableFormDef MakeS7Def() {
  TTableFormDef d;
  d.Name = u"FS7_Protocol_Set_Access";
  d.ClientWidth = 1350;
  d.ClientHeight = 337;
  Use_Text_Block(d, 5100);
  d.DeleteQuestion = kS7DeleteQuestion;
  d.ButtonsFromLeft = true;
  d.Root = u"S7_Protocol";
  std::vector<TTableColumnDef> read = S7_Common({5116, 5213, 5121, 5189, 5123, 5144, 5217, 5148, 5197, 5150});
  for (TTableColumnDef c :
       {S7_Column(5124, 5151, u"Position", 70, edComboList), S7_Column(5125, 5152, u"Bit", 60, edComboList, kS7Bits),
        S7_Column(5126, 5153, u"Swap", 45, edDataCheckBox), S7_Column(5127, 5154, u"SwapWord", 75, edDataCheckBox),
        S7_Column(5128, 5155, u"Mnemonic", 150)})
    read.push_back(c);
  std::vector<TTableColumnDef> write = S7_Common({5129, 5215, 5134, 5193, 5136, 5156, 5219, 5160, 5201, 5162});
  for (TTableColumnDef c :
       {S7_Column(5137, 5163, u"OnChange", 70, edDataCheckBox), S7_Column(5138, 5164, u"OnCMD", 60, edDataCheckBox),
        S7_Column(5139, 5165, u"Position", 70, edComboList), S7_Column(5140, 5166, u"Bit", 60, edComboList, kS7Bits),
        S7_Column(5141, 5167, u"Swap", 45, edDataCheckBox), S7_Column(5142, 5168, u"SwapWord", 75, edDataCheckBox),
        S7_Column(5143, 5169, u"Mnemonic", 150)})
    write.push_back(c);
  d.Grids = {S7_Grid(u"ACG_S7_Read", u"TS_S7_Read", 5114, 5116, u"S7_Protocol_Read", read),
             S7_Grid(u"ACG_S7_Write", u"TS_S7_Write", 5115, 5129, u"S7_Protocol_Write", write)};
  return d;
}

bool S7_In_Range(const String& Text, int32_t Low, int32_t High) {
  int32_t v = 0;
  return TryCellToInt(Text, v) && v >= Low && v <= High;
}

}  // namespace

const TTableFormDef& S7_Protocol_Form_Def() {
  static const TTableFormDef def = MakeS7Def();
  return def;
}

TFS7_Protocol_Set_Access::TFS7_Protocol_Set_Access(TComponent* AOwner) : TTableForm(AOwner, S7_Protocol_Form_Def()) {
  ACG_S7_Read = Grids[0];
  ACG_S7_Write = Grids[1];
  TS_S7_Read = Sheets[0];
  TS_S7_Write = Sheets[1];
}

TFS7_Protocol_Set_Access::~TFS7_Protocol_Set_Access() {
  if (FS7_Protocol_Set_Access == this) FS7_Protocol_Set_Access = nullptr;
}

void TFS7_Protocol_Set_Access::FormCreate(TObject* Sender) {
  TTableForm::FormCreate(Sender);
  Hint_S7_Set_Access_Read = Hint_Lists[0].get();
  Hint_S7_Set_Access_Write = Hint_Lists[1].get();
}

String TFS7_Protocol_Set_Access::File_Path() const { return Path_S7_Protocol; }

void TFS7_Protocol_Set_Access::Set_Limits() {
  PageControl1->SetActivePageIndex(0);
  NByte_IN = kS7Bytes;
  NByte_OUT = kS7Bytes;
  Fill_Position_List(ACG_S7_Read->Columns()->Items(s7ReadPosition)->ComboItems(), NByte_IN);
  Fill_Position_List(ACG_S7_Write->Columns()->Items(s7WritePosition)->ComboItems(), NByte_OUT);
}

int TFS7_Protocol_Set_Access::Check_IP_Port(int IP1, int IP2, int IP3, int IP4, int Port) {
  for (size_t i = 0; i < array_ip_Port.size(); ++i) {
    TIPPort& e = array_ip_Port[i];
    if (e.IP1 == IP1 && e.IP2 == IP2 && e.IP3 == IP3 && e.IP4 == IP4 && e.Port == Port) return static_cast<int>(i);
    if (e.IP1 == -1 && e.IP2 == -1 && e.IP3 == -1 && e.IP4 == -1 && e.Port == -1) {
      e = {IP1, IP2, IP3, IP4, Port};
      return static_cast<int>(i);
    }
  }
  return -1;
}

String TFS7_Protocol_Set_Access::Row_Failure(int Table, int R) {
  const bool read = Table == 0;
  TAdvColumnGrid* g = read ? ACG_S7_Read : ACG_S7_Write;
  auto cell = [&](int Col) { return g->GetCellEx(Col, R); };
  auto filled = [&](int Col) { return !Trim(cell(Col)).empty(); };
  // The write table's messages follow the read table's by eight (5171 .. 5178), by one (the
  // connections), by four (5205 .. 5208) and by two (Rack, Slot).
  auto text = [&](int ReadIndex) {
    int index = ReadIndex;
    if (!read) index += ReadIndex == 5187 ? 1 : ReadIndex >= 5221 ? 2 : ReadIndex >= 5205 ? 4 : 8;
    return UI_Text(index);
  };
  uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
  if (IP_To_Bytes(cell(s7PLC_Address), b1, b2, b3, b4)) return text(5171);
  if (!S7_In_Range(cell(s7PLC_Port), 0, 65535)) return text(5172);
  if (Check_IP_Port(b1, b2, b3, b4, CellToInt(cell(s7PLC_Port))) == -1) return text(5187);
  if (!filled(s7PLC_Type)) return text(5173);
  if (!S7_In_Range(cell(s7Rack), 0, 3)) return text(5221);
  if (!S7_In_Range(cell(s7Slot), 0, 31)) return text(5222);
  if (!filled(s7Data_Type)) return text(5174);
  if (!filled(s7Data_Identifier)) return text(5175);
  if (!S7_In_Range(cell(s7DB_Number), 0, 65535)) return text(5205);
  if (!filled(s7PLC_Area)) return text(5206);
  if (!S7_In_Range(cell(s7PLC_Add), 0, 65535)) return text(5207);
  if (!filled(s7PLC_Bit)) return text(5208);
  if (!S7_In_Range(cell(s7PollTime), read ? 1 : 0, 100000000)) return text(5176);
  const int bytes = read ? NByte_IN : NByte_OUT;
  if (!S7_In_Range(cell(read ? int{s7ReadPosition} : int{s7WritePosition}), 0, bytes - 1))
    return text(5177) + IntToStr(bytes - 1);
  if (!filled(read ? int{s7ReadBit} : int{s7WriteBit})) return text(5178);
  return String();
}

bool TFS7_Protocol_Set_Access::Controllo_dati() {
  array_ip_Port.assign(kS7Connections, TIPPort());
  for (int t = 0; t < 2; ++t) {
    TAdvColumnGrid* g = t == 0 ? ACG_S7_Read : ACG_S7_Write;
    for (int r = 1; r <= kS7Rows && !Trim(g->GetCellEx(s7PLC_Address, r)).empty(); ++r) {
      if (Trim(g->GetCellEx(s7Enable, r)) != u"Y") continue;
      const String failure = Row_Failure(t, r);
      if (!failure.empty()) {
        Show_Row_Error(kS7ErrorRow, r, failure);
        return false;
      }
    }
  }
  return true;
}
