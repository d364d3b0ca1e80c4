#include "gateway/UBACnetAccess.h"

#include <algorithm>

#include "button/LbButton.h"
#include "gateway/UImportEDEFile.h"
#include "gateway/ULoRaWAN_Gateway.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFBACnetAccess* FBACnetAccess = nullptr;

namespace {

// UI texts.
constexpr int kBACnetErrorRead = 2037;
constexpr int kBACnetErrorWrite = 2046;
constexpr int kBACnetNoType = 2057;
constexpr int kBACnetLeftOut = 2092;

const std::vector<String> kBACnetReadObjects = {
    u"Accumulator",   u"Multi-State Input", u"Multi-State Output", u"Multi-State Value", u"Analog Input",
    u"Analog Output", u"Analog Value",      u"Binary Input",       u"Binary Output",     u"Binary Value",
    u"Integer Value", u"Large Analog Value", u"Positive Integer Value", u"Life Safety Point", u"Life Safety Zone"};
const std::vector<String> kBACnetWriteObjects = {
    u"Multi-State Output", u"Multi-State Value",  u"Analog Output", u"Analog Value", u"Binary Output",
    u"Binary Value",       u"Integer Value",      u"Large Analog Value", u"Positive Integer Value"};
const std::vector<String> kBACnetReadProperties = {
    u"Present Value (85)", u"Object Identifier (75)", u"Units (117)",   u"Scale (187)",     u"PreScale (185)",
    u"Polarity (84)",      u"Event State (36)",       u"Status Flags (111)", u"Object Type (79)",
    u"Number of States (74)"};
const std::vector<String> kBACnetDataTypes = {u"Null", u"Boolean", u"Unsigned Int", u"Signed Int", u"Real",
                                              u"Double", u"Octet String", u"Character String", u"Bit String",
                                              u"Enumerated", u"Date", u"Time", u"Object ID"};
const std::vector<String> kBACnetDestLengths = {u"1", u"2", u"6", u"M1", u"M2", u"M3", u"M4", u"M5", u"M6", u"M7", u"M8"};
const std::vector<String> kBACnetBits = {u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7"};
const std::vector<String> kBACnetReadConversions = {u"None", u"Float to Int", u"(Float to Int) * 10",
                                                    u"(Float to Int) * 100"};
const std::vector<String> kBACnetWriteConversions = {u"None", u"Int to Float", u"(Int to Float) / 10",
                                                     u"(Int to Float) / 100"};

TTableColumnDef BACnetColumn(int Header, const String& Attribute, TEditorType Editor = edNormal, int Width = 70,
                             std::vector<String> Items = {}) {
  TTableColumnDef c;
  c.Header = Header;
  c.Editor = Editor;
  c.Width = Width;
  c.Items = std::move(Items);
  c.Attribute = Attribute;
  c.Missing = TMissingAttr::Keep;  // read default: empty, as the reset left it
  return c;
}

// A flag column: Default when the row lacks it.
TTableColumnDef BACnetFlag(int Header, const String& Attribute, const String& Default, int Width = 55) {
  TTableColumnDef c = BACnetColumn(Header, Attribute, edDataCheckBox, Width);
  if (!Attribute.empty()) {
    c.Missing = TMissingAttr::Default;
    c.Default = Default;
  }
  return c;
}

TTableGridDef BACnetGrid(const String& Name, const String& Sheet, int SheetCaption, int NumberHeader,
                         const String& Section, std::vector<TTableColumnDef> Columns) {
  TTableGridDef g;
  g.Name = Name;
  g.Sheet = Sheet;
  g.SheetCaption = SheetCaption;
  g.NumberHeader = NumberHeader;
  g.Section = Section;
  g.KeyColumn = brAddress;
  g.DataRows = BACnet_Client_Rows;
  g.Columns = std::move(Columns);
  return g;
}

TTableFormDef MakeBACnetAccessDef() {
  TTableFormDef d;
  d.Name = u"FBACnetAccess";
  d.ClientWidth = 1305;
  d.ClientHeight = 420;
  d.Caption = 2000;
  d.Description = 2001;
  d.DeleteQuestion = 2036;
  d.ClickSelectsRow = false;
  d.Root = u"BACnet_Master_Access";
  // Swap and Convertion stay hidden and are never stored: no attribute.
  TTableGridDef read = BACnetGrid(
      u"ACG1", u"TS_BACnet_Read", 2006, 2008, u"BACnet_Read",
      {BACnetFlag(2090, u"Enable", u"Y"), BACnetColumn(2009, u"IP_Address_Slave_ID", edNormal, 100),
       BACnetColumn(2011, u"Object_Type", edComboEdit, 150, kBACnetReadObjects), BACnetColumn(2012, u"Instance"),
       BACnetColumn(2013, u"Property", edComboEdit, 150, kBACnetReadProperties), BACnetColumn(2014, u"NumByte", edNormal, 50),
       BACnetFlag(2062, u"Enable_Destination", u"N"), BACnetColumn(2063, u"Destination_Network", edNormal, 55),
       BACnetColumn(2064, u"Destination_Length", edComboList, 55, kBACnetDestLengths),
       BACnetColumn(2065, u"Destination_Address", edNormal, 110), BACnetColumn(2015, u"PollTime"),
       BACnetColumn(2016, u"MaxError", edNormal, 60), BACnetColumn(2017, u"Position", edComboList, 60),
       BACnetColumn(2018, u"StartBit", edComboList, 60, kBACnetBits), BACnetFlag(2060, String(), String()),
       BACnetColumn(2080, String(), edComboList, 120, kBACnetReadConversions),
       BACnetColumn(2019, u"Mnemonic", edNormal, 200)});
  TTableGridDef write = BACnetGrid(
      u"ACG2", u"TS_BACnet_Write", 2007, 2020, u"BACnet_Write",
      {BACnetFlag(2091, u"Enable", u"Y"), BACnetColumn(2021, u"IP_Address_Slave_ID", edNormal, 100),
       BACnetColumn(2023, u"Object_Type", edComboEdit, 150, kBACnetWriteObjects),
       BACnetColumn(2024, u"Data_Type", edComboList, 100, kBACnetDataTypes), BACnetColumn(2025, u"Instance"),
       BACnetColumn(2026, u"Property", edComboEdit, 130, {u"Present Value (85)"}),
       BACnetColumn(2027, u"Priority", edNormal, 50), BACnetColumn(2028, u"NumByte", edNormal, 50),
       BACnetFlag(2066, u"Enable_Destination", u"N"), BACnetColumn(2067, u"Destination_Network", edNormal, 55),
       BACnetColumn(2068, u"Destination_Length", edComboList, 55, kBACnetDestLengths),
       BACnetColumn(2069, u"Destination_Address", edNormal, 110), BACnetFlag(2029, u"OnChange", u"N"),
       BACnetFlag(2030, u"OnTimer", u"N"), BACnetColumn(2031, u"PollTime"), BACnetColumn(2032, u"MaxError", edNormal, 60),
       BACnetColumn(2033, u"Position", edComboList, 60), BACnetColumn(2034, u"StartBit", edComboList, 60, kBACnetBits),
       BACnetFlag(2061, String(), String()), BACnetColumn(2081, String(), edComboList, 120, kBACnetWriteConversions),
       BACnetColumn(2035, u"Mnemonic", edNormal, 200)});
  d.Grids = {read, write};
  return d;
}

String Normalised(const String& Text) { return UpperCase(Trim(Text)); }

// The cell read as a number; -1 when it is none or lies outside Low..High.
bool InRange(const String& Text, int64_t Low, int64_t High) {
  const int64_t v = CellToInt(Text);
  return v >= Low && v <= High;
}

bool InstanceInRange(const String& Text) {
  const int64_t v = CellToInt64(Text);
  return v >= 0 && v <= 4294967295LL;
}

// The address test of both tables: a dotted IPv4 address (type 0) or a station 0..254 (type 1).
int AddressFailure(int Type, const String& Text, int Ip_Text, int Slave_Text) {
  if (Type == 0) {
    uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
    if (IP_To_Bytes(Text, b1, b2, b3, b4)) return Ip_Text;
  } else if (Type == 1) {
    if (!InRange(Text, 0, 254)) return Slave_Text;
  }
  return -1;
}

}  // namespace

const TTableFormDef& BACnet_Access_Form_Def() {
  static const TTableFormDef def = MakeBACnetAccessDef();
  return def;
}

TFBACnetAccess::TFBACnetAccess(TComponent* AOwner) : TTableForm(AOwner, BACnet_Access_Form_Def()) {
  TS_BACnet_Read = Sheets[0];
  TS_BACnet_Write = Sheets[1];
  ACG1 = Grids[0];
  ACG2 = Grids[1];
  // Copy Row and Paste Row have no place on this form; Import EDE stands where Copy Row would.
  Btn_CopyRow->SetVisible(false);
  Btn_PasteRow->SetVisible(false);
  Btn_Import_CSV = Add_Control<TLbButton>(P_Button, u"Btn_Import_CSV");
  Btn_Import_CSV->SetBounds(Btn_CopyRow->Left(), Btn_CopyRow->Top(), Btn_CopyRow->Width(), Btn_CopyRow->Height());
  Apply_Dialog_Button_Look(Btn_Import_CSV);
  Btn_Import_CSV->OnClick = [this](TObject* s) { Btn_Import_CSVClick(s); };
  for (TLbButton* b : {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_Import_CSV}) b->SetShowHint(false);
  OD_EDE_File = New<TOpenDialog>(this);
  OD_EDE_File->SetName(u"OD_EDE_File");
  OD_EDE_File->SetFilter(u"BACnet EDE File (*.csv)|*.csv");
}

TFBACnetAccess::~TFBACnetAccess() {
  if (FBACnetAccess == this) FBACnetAccess = nullptr;
}

String TFBACnetAccess::File_Path() const { return Path_BACnet_Master_Access; }

void TFBACnetAccess::FormCreate(TObject* Sender) {
  TTableForm::FormCreate(Sender);
  SetClientWidth(Screen && Screen->Width() > 1270 ? 1305 : 1000);
  ACG1->HideColumn(brSwap);
  ACG1->HideColumn(brConvertion);
  ACG2->HideColumn(bwSwap);
  ACG2->HideColumn(bwConvertion);
  OD_EDE_File->SetInitialDir(EDE_Import_Folder);
}

void TFBACnetAccess::Set_Lang() {
  TTableForm::Set_Lang();
  Set_Texts({{Btn_OK, 2002}, {Btn_Cancel, 2003}, {Btn_DelRow, 2004}, {Btn_InsRow, 2005}, {Btn_Import_CSV, 2059}});
}

void TFBACnetAccess::Set_Limits() {
  PageControl1->SetActivePageIndex(0);
  String type;
  if (ParGenKey(Path_ParGen, u"BACnet_Master_Type", type)) {
    App_BACnet_Type = CellToInt(Trim(type), 0);
  } else {
    MessageDlg(UI_Text(kBACnetNoType), mtError, TMsgDlgButtons{mbOK});
    App_BACnet_Type = 0;
  }
  for (TAdvColumnGrid* g : {ACG1, ACG2}) {
    if (App_BACnet_Type == 0 || App_BACnet_Type == 1) {
      if (g->IsHiddenColumn(brAddress)) g->UnHideColumn(brAddress);
    } else if (!g->IsHiddenColumn(brAddress)) {
      g->HideColumn(brAddress);
    }
  }
  if (App_BACnet_Type == 0 || App_BACnet_Type == 1) {
    const bool ip = App_BACnet_Type == 0;
    ACG1->Columns()->Items(brAddress)->SetHeader(UI_Text(ip ? 2009 : 2010));
    ACG2->Columns()->Items(bwAddress)->SetHeader(UI_Text(ip ? 2021 : 2022));
  }
  Fill_Position_List(ACG1->Columns()->Items(brPosition)->ComboItems(), BACnet_Client_Data_Bytes);
  Fill_Position_List(ACG2->Columns()->Items(bwPosition)->ComboItems(), BACnet_Client_Data_Bytes);
}

void TFBACnetAccess::Save_Tables() {
  // The rows written run up to the first empty key, which follows the client type.
  TTableLayout layout = Layout();
  for (TTableSection& s : layout.Sections) s.KeyColumn = Key_Column();
  SaveTableFile(layout, {Cells(0), Cells(1)}, File_Path());
}

// ---- hints ----

// The grid asks with the displayed column; the NByte test needs the real one, since the address
// column before it is hidden for some BACnet types.
void TFBACnetAccess::ACG1GridHint(TObject* Sender, int ARow, int ACol, String& Hint) {
  if (Sender == ACG1)
    Hint = Str_Hint_Read(ARow, ACG1->RealColIndex(ACol));
  else
    Hint = Str_Hint_Write(ARow, ACol);
}

String TFBACnetAccess::Str_Hint_Read(int ARow, int ACol) const {
  if (ARow < 1 || ACol != brNByte) return String();
  const String type = ACG1->GetCellEx(brObject_Type, ARow);
  const String property = ACG1->GetCellEx(brProperty, ARow);
  if (Trim(type).empty() || Trim(property).empty()) return String();
  const int code = Check_Object_Type(type, false);
  const int r = Check_Property(property, false, code);
  if (r >= 1 && r <= 49) return IntToStr(r);
  if (r != BACnet_Present_Value) return String();
  switch (code) {
    case 1: case 2: case 3: case 4: case 5: case 8: case 10: return u"4";
    case 6: case 7: return u"1";
    case 9: return u"8";
    default: return String();
  }
}

String TFBACnetAccess::Str_Hint_Write(int, int) const { return String(); }

// ---- checks ----

int TFBACnetAccess::Check_Object_Type(const String& Text, bool Write) {
  static const std::pair<const char16_t*, int> kCodes[] = {
      {u"ACCUMULATOR", 1},        {u"MULTI-STATE INPUT", 2},  {u"MULTI-STATE OUTPUT", 3},      {u"ANALOG INPUT", 4},
      {u"ANALOG OUTPUT", 5},      {u"BINARY INPUT", 6},       {u"BINARY OUTPUT", 7},           {u"INTEGER VALUE", 8},
      {u"LARGE ANALOG VALUE", 9}, {u"POSITIVE INTEGER VALUE", 10}, {u"MULTI-STATE VALUE", 11}, {u"ANALOG VALUE", 12},
      {u"BINARY VALUE", 13},      {u"LIFE SAFETY POINT", 14}, {u"LIFE SAFETY ZONE", 15}};
  const String t = Normalised(Text);
  for (const auto& [name, code] : kCodes) {
    if (t != name) continue;
    // The input objects and the accumulator cannot be written.
    if (Write && (code == 1 || code == 2 || code == 4 || code == 6)) return -1;
    return code;
  }
  const int32_t n = CellToInt(t);
  return n >= 128 && n <= 1023 ? n : -1;
}

int TFBACnetAccess::Check_Property(const String& Text, bool Write, int Code) {
  const String t = Normalised(Text);
  if (t == u"PRESENT VALUE (85)") return BACnet_Present_Value;
  const int32_t n = CellToInt(t);
  if (n >= 512 && n <= 4194303) return BACnet_Proprietary_Property;
  if (Write) return -1;
  auto among = [Code](std::initializer_list<int> Codes) { return std::find(Codes.begin(), Codes.end(), Code) != Codes.end(); };
  if (t == u"OBJECT IDENTIFIER (75)") return 4;
  if (t == u"UNITS (117)") return among({2, 3, 11, 6, 7, 13}) ? -1 : 4;
  if (t == u"SCALE (187)") return Code == 1 ? 1 : -1;
  if (t == u"PRESCALE (185)") return Code == 1 ? 5 : -1;
  if (t == u"POLARITY (84)") return among({6, 7, 13}) ? 1 : -1;
  if (t == u"EVENT STATE (36)") return 4;
  if (t == u"STATUS FLAGS (111)") return 1;
  if (t == u"OBJECT TYPE (79)") return 2;
  if (t == u"NUMBER OF STATES (74)") return among({2, 3, 11}) ? 4 : -1;
  return -1;
}

int TFBACnetAccess::Check_Data_Type(const String& Text, int Code, int Property_Result) {
  if (Property_Result != BACnet_Present_Value) return 1000;
  if (Code >= 128 && Code <= 1023) return 1;
  const String t = Normalised(Text);
  switch (Code) {
    case 3: case 10: case 11: return t == u"UNSIGNED INT" ? 4 : -1;
    case 8: return t == u"SIGNED INT" ? 4 : -1;
    case 5: case 12: return t == u"REAL" ? 4 : -1;
    case 9: return t == u"DOUBLE" ? 8 : -1;
    case 7: case 13: return t == u"ENUMERATED" ? 1 : -1;
    default: return -1;
  }
}

String TFBACnetAccess::Aspected_Data_Type_Value(int Code, int Property_Result) {
  if (Property_Result != BACnet_Present_Value) return String();
  switch (Code) {
    case 3: case 10: case 11: return u"Unsigned Int";
    case 5: case 12: return u"Real";
    case 7: case 13: return u"Enumerated";
    case 8: return u"Signed Int";
    case 9: return u"Double";
    default: return String();
  }
}

int TFBACnetAccess::Check_Num_Byte_Max(const String& Text) {
  const String t = Normalised(Text);
  if (t == u"NULL") return 0;
  if (t == u"BOOLEAN") return 1;
  if (t == u"UNSIGNED INT" || t == u"SIGNED INT" || t == u"REAL") return 4;
  if (t == u"DOUBLE") return 8;
  if (t == u"BIT STRING") return 120;
  if (t == u"ENUMERATED" || t == u"DATE" || t == u"TIME" || t == u"OBJECT ID") return 4;
  return 255;  // the strings and any other text
}

String TFBACnetAccess::Dest_Add_Failure(const String& Text, int N, bool Read) {
  // An empty address has no bytes at all, so it fails as too short, with its message.
  String rest = Trim(Text);
  int count = 0;
  while (!rest.empty()) {
    const int comma = Pos(u",", rest);
    const String piece = comma == 0 ? rest : Trim(Copy(rest, 1, comma - 1));
    rest = comma == 0 ? String() : Trim(Copy(rest, comma + 1, static_cast<int>(rest.size())));
    if (!InRange(piece, 0, 255)) return UI_Text(Read ? 2082 : 2083);
    if (++count > N) return UI_Text(Read ? 2084 : 2085);
  }
  if (count < N) return UI_Text(Read ? 2088 : 2089);
  return String();
}

bool TFBACnetAccess::Check_Dest_Add(const String& Text, int N, bool Read, int Row) const {
  const String failure = Dest_Add_Failure(Text, N, Read);
  if (failure.empty()) return false;
  MessageDlg(UI_Text(Read ? kBACnetErrorRead : kBACnetErrorWrite) + IntToStr(Row) + failure, mtError,
             TMsgDlgButtons{mbOK});
  return true;
}

String TFBACnetAccess::Dest_Failure(const String& D_Net, const String& D_Len, const String& D_Add, bool Read) {
  if (!InRange(D_Net, 1, 65535)) return UI_Text(Read ? 2070 : 2075);
  int32_t len = 0;
  if (TryCellToInt(D_Len, len)) {
    switch (len) {
      case 1: return InRange(D_Add, 0, 255) ? String() : UI_Text(Read ? 2072 : 2077);
      case 2: return InRange(D_Add, 1, 65535) ? String() : UI_Text(Read ? 2073 : 2078);
      case 6: {
        uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
        uint16_t port = 0;
        return IP_Port_To_Bytes(Trim(D_Add), b1, b2, b3, b4, port) ? String() : UI_Text(Read ? 2074 : 2079);
      }
      default: return UI_Text(Read ? 2071 : 2076);
    }
  }
  const String m = Normalised(D_Len);
  if (m.size() != 2 || m[0] != u'M' || m[1] < u'1' || m[1] > u'8') return UI_Text(Read ? 2086 : 2087);
  return Dest_Add_Failure(D_Add, m[1] - u'0', Read);
}

String TFBACnetAccess::Read_Row_Failure(int R) const {
  auto cell = [this, R](int Col) { return ACG1->GetCellEx(Col, R); };
  const int address = AddressFailure(App_BACnet_Type, cell(brAddress), 2038, 2039);
  if (address >= 0) return UI_Text(address);
  const int code = Check_Object_Type(cell(brObject_Type), false);
  if (code == -1) return UI_Text(2040);
  if (!InstanceInRange(cell(brInstance))) return UI_Text(2041);
  if (Check_Property(cell(brProperty), false, code) == -1) return UI_Text(2042);
  if (!InRange(cell(brNByte), 0, 255)) return UI_Text(2043);
  if (Normalised(cell(brEn_Dest)) == u"Y") {
    const String dest = Dest_Failure(cell(brD_Net), cell(brD_Len), cell(brD_Add), true);
    if (!dest.empty()) return dest;
  }
  if (!InRange(cell(brPoll_Time), 0, 100000000)) return UI_Text(2044);
  if (!InRange(cell(brMax_Err), 0, 65535)) return UI_Text(2045);
  return String();
}

String TFBACnetAccess::Write_Row_Failure(int R) const {
  auto cell = [this, R](int Col) { return ACG2->GetCellEx(Col, R); };
  const int address = AddressFailure(App_BACnet_Type, cell(bwAddress), 2047, 2048);
  if (address >= 0) return UI_Text(address);
  const int code = Check_Object_Type(cell(bwObject_Type), true);
  if (code == -1) return UI_Text(2049);
  if (!InstanceInRange(cell(bwInstance))) return UI_Text(2050);
  const int property = Check_Property(cell(bwProperty), true, code);
  if (property == -1) return UI_Text(2051);
  if (Check_Data_Type(cell(bwData_Type), code, property) == -1) {
    const String expected = Aspected_Data_Type_Value(code, property);
    return expected.empty() ? UI_Text(2052) : UI_Text(2058) + expected;
  }
  if (!InRange(cell(bwPriority), 0, 16)) return UI_Text(2053);
  const int maxBytes = Check_Num_Byte_Max(cell(bwData_Type));
  if (!InRange(cell(bwNByte), 0, maxBytes)) return UI_Text(2054) + IntToStr(maxBytes);
  if (Normalised(cell(bwEn_Dest)) == u"Y") {
    const String dest = Dest_Failure(cell(bwD_Net), cell(bwD_Len), cell(bwD_Add), false);
    if (!dest.empty()) return dest;
  }
  if (UpperCase(cell(bwTimer)) == u"Y" && !InRange(cell(bwPoll_Time), 0, 100000000)) return UI_Text(2055);
  if (!InRange(cell(bwMax_Err), 0, 65535)) return UI_Text(2056);
  return String();
}

bool TFBACnetAccess::Controllo_dati() {
  const int key = Key_Column();
  for (int g = 0; g < 2; ++g) {
    TAdvColumnGrid* grid = Grids[static_cast<size_t>(g)];
    for (int r = 1; r <= BACnet_Client_Rows && !Trim(grid->GetCellEx(key, r)).empty(); ++r) {
      if (grid->GetCellEx(1, r) != u"Y") continue;
      const String failure = g == 0 ? Read_Row_Failure(r) : Write_Row_Failure(r);
      if (failure.empty()) continue;
      MessageDlg(UI_Text(g == 0 ? kBACnetErrorRead : kBACnetErrorWrite) + IntToStr(r) + failure, mtError,
                 TMsgDlgButtons{mbOK});
      return false;
    }
  }
  return true;
}

// ---- EDE import ----

namespace {

struct TBACnetEdeMap {
  int Type;
  const char16_t* Object;
  const char16_t* Data;
  int Bytes;
};

constexpr TBACnetEdeMap kBACnetEdeMap[] = {
    {0, u"Analog Input", u"Real", 4},           {1, u"Analog Output", u"Real", 4},
    {2, u"Analog Value", u"Real", 4},           {3, u"Binary Input", u"Enumerated", 1},
    {4, u"Binary Output", u"Enumerated", 1},    {5, u"Binary Value", u"Enumerated", 1},
    {13, u"Multi-State Input", u"Unsigned Int", 4}, {14, u"Multi-State Output", u"Unsigned Int", 4},
    {19, u"Multi-State Value", u"Unsigned Int", 4}, {21, u"Life Safety Point", u"Enumerated", 2},
    {22, u"Life Safety Zone", u"Enumerated", 2},    {23, u"Accumulator", u"Unsigned Int", 4},
    {45, u"Integer Value", u"Signed Int", 4},       {46, u"Large Analog Value", u"Double", 8},
    {48, u"Positive Integer Value", u"Unsigned Int", 4}};

const TBACnetEdeMap* BACnetEdeEntry(int Type) {
  for (const TBACnetEdeMap& m : kBACnetEdeMap)
    if (m.Type == Type) return &m;
  return nullptr;
}

// Where a table's next imported row goes and which byte it takes.
struct TBACnetImportCursor {
  TAdvColumnGrid* Grid;
  int Key;
  int Position_Col;
  int NByte_Col;
  int Row = 1;
  int64_t Position = 0;

  // The first row with an empty key, and the end of the bytes the used rows take.
  void Scan() {
    Row = BACnet_Client_Rows + 1;
    Position = 0;
    for (int r = 1; r <= BACnet_Client_Rows; ++r) {
      if (Trim(Grid->GetCellEx(Key, r)).empty()) {
        Row = std::min(Row, r);
        continue;
      }
      const int32_t p = CellToInt(Grid->GetCellEx(Position_Col, r));
      const int32_t n = CellToInt(Grid->GetCellEx(NByte_Col, r));
      if (p >= 0 && n >= 0) Position = std::max<int64_t>(Position, int64_t(p) + n);
    }
  }
  // The row for an object of Bytes bytes, or 0 when the table or the data area is full. Used
  // rows below the first free one are stepped over, never overwritten.
  int Take(int Bytes) {
    while (Row <= BACnet_Client_Rows && !Trim(Grid->GetCellEx(Key, Row)).empty()) ++Row;
    if (Row > BACnet_Client_Rows || Position + Bytes > BACnet_Client_Data_Bytes) return 0;
    return Row;
  }
};

}  // namespace

String TFBACnetAccess::Get_ObjType_EDE(int Type) {
  const TBACnetEdeMap* m = BACnetEdeEntry(Type);
  return m ? String(m->Object) : String();
}

String TFBACnetAccess::Get_DataType_EDE(int Type) {
  const TBACnetEdeMap* m = BACnetEdeEntry(Type);
  return m ? String(m->Data) : String(u"Null");
}

int TFBACnetAccess::Get_NumByte_EDE(int Type) {
  const TBACnetEdeMap* m = BACnetEdeEntry(Type);
  return m ? m->Bytes : 4;
}

int TFBACnetAccess::Import_EDE_Objects(const std::vector<TBACnet_Var>& Objects, const String& Address) {
  TBACnetImportCursor read{ACG1, Key_Column(), brPosition, brNByte};
  TBACnetImportCursor write{ACG2, Key_Column(), bwPosition, bwNByte};
  read.Scan();
  write.Scan();
  int leftOut = 0;
  for (const TBACnet_Var& v : Objects) {
    if (!v.import || (!v.read && !v.write)) continue;
    const int bytes = Get_NumByte_EDE(v.object_type);
    const String mnemonic = v.object_name + u" - " + v.description;
    bool missed = false;
    if (v.read) {
      if (const int r = read.Take(bytes)) {
        const String cells[] = {u"Y", Address, Get_ObjType_EDE(v.object_type), IntToStr(v.object_instance),
                                u"Present Value (85)", IntToStr(bytes), u"N", u"", u"", u"", u"1000", u"0",
                                IntToStr(read.Position), u"0", u"N", u"", mnemonic};
        for (int c = brEnable; c <= brMnemonic; ++c) ACG1->SetCellEx(c, r, cells[c - 1]);
        ++read.Row;
        read.Position += bytes;
      } else {
        missed = true;
      }
    }
    if (v.write) {
      if (const int r = write.Take(bytes)) {
        const String cells[] = {u"Y", Address, Get_ObjType_EDE(v.object_type), Get_DataType_EDE(v.object_type),
                                IntToStr(v.object_instance), u"Present Value (85)", u"0", IntToStr(bytes), u"N",
                                u"", u"", u"", u"N", u"N", u"1000", u"0", IntToStr(write.Position), u"0", u"N",
                                u"", mnemonic};
        for (int c = bwEnable; c <= bwMnemonic; ++c) ACG2->SetCellEx(c, r, cells[c - 1]);
        ++write.Row;
        write.Position += bytes;
      } else {
        missed = true;
      }
    }
    if (missed) ++leftOut;
  }
  if (leftOut > 0) MessageDlg(FormatLiteralD(UI_Text(kBACnetLeftOut), {leftOut}), mtWarning, TMsgDlgButtons{mbOK});
  return leftOut;
}

void TFBACnetAccess::Btn_Import_CSVClick(TObject*) {
  TFImportEDEFile* dialog = Table_Form_On_Demand(FImportEDEFile);
  dialog->App_BACnet_Type = App_BACnet_Type;
  if (!OD_EDE_File->Execute()) return;
  const String file = OD_EDE_File->FileName();
  if (FileExists(file)) {
    dialog->EDE_File = file;
    if (dialog->ShowModal() == mrOk) Import_EDE_Objects(dialog->List_EDE_Var, dialog->E_ID_IP->Text());
  }
  EDE_Import_Folder = ExcludeTrailingPathDelimiter(ExtractFileDir(file));
  OD_EDE_File->SetInitialDir(EDE_Import_Folder);
}
