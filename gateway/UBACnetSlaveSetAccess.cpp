#include "gateway/UBACnetSlaveSetAccess.h"

#include <span>

#include "gateway/UBACnet_Eng_Unit.h"
#include "gateway/ULoRaWAN_Gateway.h"
#include "platform/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess = nullptr;

namespace {

constexpr int kServerErrorRow = 2232;
constexpr int kServerTooMany = 2259;

const std::vector<String> kServerReadTypes = {
    u"Analog Input",       u"Analog Value",  u"Binary Input",      u"Binary Value",      u"Positive Integer Value",
    u"Large Analog Value", u"Integer Value", u"Multi State Input", u"Multi State Value", u"Life Safety Point",
    u"Life Safety Zone",   u"Access Door",   u"Accumulator"};
const std::vector<String> kServerWriteTypes = {
    u"Analog Out",         u"Analog Value",  u"Binary Out",         u"Binary Value",      u"Positive Integer Value",
    u"Large Analog Value", u"Integer Value", u"Multi State Output", u"Multi State Value", u"Access Door"};
const std::vector<String> kServerBits = {u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7"};

// The Length rule of a type (1 .. Max) and the text shown when it fails.
struct TServerLengthRule {
  const char16_t* Type;
  int Max;
  int Text;
};
constexpr TServerLengthRule kReadLengths[] = {{u"Analog Input", 4, 2235},       {u"Positive Integer Value", 4, 2236},
                                              {u"Large Analog Value", 8, 2237}, {u"Analog Value", 4, 2238},
                                              {u"Multi State Input", 4, 2239},  {u"Multi State Value", 4, 2240},
                                              {u"Life Safety Point", 2, 2241},  {u"Life Safety Zone", 2, 2242},
                                              {u"Access Door", 1, 2243},        {u"Accumulator", 4, 2244}};
constexpr TServerLengthRule kWriteLengths[] = {
    {u"Analog Out", 4, 2249},         {u"Analog Value", 4, 2250},  {u"Positive Integer Value", 4, 2251},
    {u"Large Analog Value", 8, 2252}, {u"Integer Value", 4, 2253}, {u"Multi State Output", 4, 2254},
    {u"Multi State Value", 4, 2255},  {u"Access Door", 1, 2256}};

// The texts of one grid's tests.
struct TServerTexts {
  int Eng_Unit, Position, Bit, Too_Many_Bytes;
  const char16_t* Binary[2];
};
constexpr TServerTexts kReadTexts{2233, 2234, 2245, 2246, {u"Binary Input", u"Binary Value"}};
constexpr TServerTexts kWriteTexts{2247, 2248, 2257, 2258, {u"Binary Out", u"Binary Value"}};

TTableColumnDef ServerColumn(int Header, const String& Attribute, TEditorType Editor, int Width,
                             std::vector<String> Items = {}) {
  TTableColumnDef c;
  c.Header = Header;
  c.Editor = Editor;
  c.Width = Width;
  c.Items = std::move(Items);
  c.Attribute = Attribute;
  c.Missing = TMissingAttr::Fail;  // the form always writes them; only Swap has a default
  return c;
}

TTableGridDef ServerGrid(const String& Name, const String& Sheet, int SheetCaption, int Header, const String& Section,
                         const std::vector<String>& Types) {
  TTableGridDef g;
  g.Name = Name;
  g.Sheet = Sheet;
  g.SheetCaption = SheetCaption;
  g.NumberHeader = Header;
  g.Section = Section;
  g.KeyColumn = bsData_Type;
  g.EnableColumn = false;
  g.DataRows = BACnet_Server_Rows;
  g.RowsFollowGrid = true;
  TTableColumnDef swap = ServerColumn(Header + 6, u"Swap", edDataCheckBox, 50);
  swap.Missing = TMissingAttr::Default;
  swap.Default = u"N";
  g.Columns = {ServerColumn(Header + 1, u"Data_Type", edComboList, 170, Types),
               ServerColumn(Header + 2, u"Eng_Unit", edNormal, 70),
               ServerColumn(Header + 3, u"Position", edComboList, 70),
               ServerColumn(Header + 4, u"Bit", edComboList, 70, kServerBits),
               ServerColumn(Header + 5, u"Length", edNormal, 60),
               swap,
               ServerColumn(Header + 7, u"Mnemonic", edNormal, 260)};
  return g;
}

TTableFormDef MakeServerDef() {
  TTableFormDef d;
  d.Name = u"FBACnetSlaveSetAccess";
  d.ClientWidth = 764;
  d.ClientHeight = 337;
  d.Caption = 2200;
  d.Description = 2201;
  d.ButtonCaptions = 2202;
  d.ButtonHints = 2210;
  d.DeleteQuestion = 2260;
  d.Root = u"BACnet_to_Modbus";
  d.Grids = {
      ServerGrid(u"ACG_BACnet_in_Read", u"TS_BACnet_in_Read", 2208, 2216, u"BACnet_in_Read", kServerReadTypes),
      ServerGrid(u"ACG_BACnet_in_Write", u"TS_BACnet_in_Write", 2209, 2224, u"BACnet_in_Write", kServerWriteTypes)};
  return d;
}

}  // namespace

const TTableFormDef& BACnet_Slave_Form_Def() {
  static const TTableFormDef def = MakeServerDef();
  return def;
}

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(TComponent* AOwner) : TTableForm(AOwner, BACnet_Slave_Form_Def()) {
  TS_BACnet_in_Read = Sheets[0];
  TS_BACnet_in_Write = Sheets[1];
  ACG_BACnet_in_Read = Grids[0];
  ACG_BACnet_in_Write = Grids[1];
  ACG_BACnet_in_Write->OnComboChange = [this](TObject* s, int c, int r, int i, const String& t) {
    ACG_BACnet_in_WriteComboChange(s, c, r, i, t);
  };
}

TFBACnetSlaveSetAccess::~TFBACnetSlaveSetAccess() {
  if (FBACnetSlaveSetAccess == this) FBACnetSlaveSetAccess = nullptr;
}

String TFBACnetSlaveSetAccess::File_Path() const { return Path_BACnet_Slave; }

void TFBACnetSlaveSetAccess::FormCreate(TObject* Sender) {
  TTableForm::FormCreate(Sender);
  ACG_BACnet_in_Read->HideColumn(bsSwap);
  ACG_BACnet_in_Write->HideColumn(bsSwap);
}

void TFBACnetSlaveSetAccess::Reset_Grids() {
  for (TAdvColumnGrid* g : Grids) g->SetRowCount(BACnet_Server_Rows + 1);
  TTableForm::Reset_Grids();
}

void TFBACnetSlaveSetAccess::Set_Limits() {
  for (TTabSheet* s : Sheets) s->SetTabVisible(true);
  PageControl1->SetActivePageIndex(0);
  NByte_IN = BACnet_Server_Area_Bytes;
  NByte_OUT = BACnet_Server_Area_Bytes;
  Fill_Position_List(ACG_BACnet_in_Read->Columns()->Items(bsPosition)->ComboItems(), NByte_IN);
  Fill_Position_List(ACG_BACnet_in_Write->Columns()->Items(bsPosition)->ComboItems(), NByte_OUT);
  String limit;
  Desc_Lenght = ParGenKey(Path_ParGen, u"BACnet_Desc_Chars_Limit", limit) && limit == u"1";
  for (TAdvColumnGrid* g : Grids) g->SetRowCount(Object_Limit() + 1);
}

void TFBACnetSlaveSetAccess::Save_Tables() {
  TTableLayout layout = Layout();
  layout.Comment = u"SW_VERSION = 1.002";
  SaveTableFile(layout, {Cells(0), Cells(1)}, File_Path());
}

// ---- check ----

String TFBACnetSlaveSetAccess::Row_Failure(int Index, int Row) const {
  const bool read = Index == 0;
  const TServerTexts& texts = read ? kReadTexts : kWriteTexts;
  TAdvColumnGrid* grid = Grids[static_cast<size_t>(Index)];
  const int area = read ? NByte_IN : NByte_OUT;
  auto cell = [grid, Row](int Col) { return grid->GetCellEx(Col, Row); };

  const int32_t unit = CellToInt(cell(bsEng_Unit));
  if (unit < 0 || unit > 65535) return UI_Text(texts.Eng_Unit);
  const int32_t position = CellToInt(cell(bsPosition));
  if (position < 0 || position >= area) return UI_Text(texts.Position) + IntToStr(area - 1);
  int64_t last = position;
  const String type = cell(bsData_Type);
  if (type == texts.Binary[0] || type == texts.Binary[1]) {
    // An empty Start Bit reads as -1; a bit outside the byte can only come from an edited file.
    const int32_t bit = CellToInt(cell(bsStart_Bit));
    if (bit < 0 || bit > 7) return UI_Text(texts.Bit);
  } else {
    const int64_t length = CellToInt(cell(bsLength), 0);
    const std::span<const TServerLengthRule> rules =
        read ? std::span<const TServerLengthRule>(kReadLengths) : std::span<const TServerLengthRule>(kWriteLengths);
    for (const TServerLengthRule& r : rules) {
      if (type != r.Type) continue;
      if (length < 1 || length > r.Max) return UI_Text(r.Text);
      break;
    }
    last = position + length - 1;
  }
  if (last >= area) return UI_Text(texts.Too_Many_Bytes);
  return String();
}

bool TFBACnetSlaveSetAccess::Controllo_dati() {
  int objects = 0;
  for (int g = 0; g < 2; ++g) {
    TAdvColumnGrid* grid = Grids[static_cast<size_t>(g)];
    const int rows = grid->RowCount() - 1;
    for (int r = 1; r <= rows && !Trim(grid->GetCellEx(bsData_Type, r)).empty(); ++r) {
      ++objects;
      const String failure = Row_Failure(g, r);
      if (failure.empty()) continue;
      Show_Row_Error(kServerErrorRow, r, failure);
      return false;
    }
  }
  if (objects > Object_Limit()) {
    MessageDlg(UI_Text(kServerTooMany) + IntToStr(Object_Limit()), mtError, TMsgDlgButtons{mbOK});
    return false;
  }
  return true;
}

// ---- grid events ----

String TFBACnetSlaveSetAccess::Write_Type_Length(const String& Data_Type) {
  static const std::pair<const char16_t*, const char16_t*> kLengths[] = {
      {u"ANALOG OUT", u"4"},    {u"ANALOG VALUE", u"4"},           {u"BINARY OUT", u"1"},
      {u"BINARY VALUE", u"1"},  {u"POSITIVE INTEGER VALUE", u"4"}, {u"LARGE ANALOG VALUE", u"8"},
      {u"INTEGER VALUE", u"4"}, {u"MULTI STATE OUTPUT", u"4"},     {u"MULTI STATE VALUE", u"4"},
      {u"ACCESS DOOR", u"1"}};
  const String t = UpperCase(Data_Type);
  for (const auto& [type, length] : kLengths)
    if (t == type) return length;
  return String();
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_WriteComboChange(TObject*, int ACol, int ARow, int, const String& Text) {
  if (ARow < 1 || ACG_BACnet_in_Write->RealColIndex(ACol) != bsData_Type) return;
  const String length = Write_Type_Length(Text);
  if (!length.empty()) ACG_BACnet_in_Write->SetCellEx(bsLength, ARow, length);
}

void TFBACnetSlaveSetAccess::Pick_Eng_Unit(TAdvColumnGrid* Grid, int Row) {
  TFBACnet_Eng_Unit* picker = Table_Form_On_Demand(FBACnet_Eng_Unit);
  const String text = Grid->GetCellEx(bsEng_Unit, Row);
  picker->E_Selected_EU->SetText(text);
  picker->Label5->SetCaption(u"-> " + Desc_Unit(CellToInt(text)));
  if (picker->ShowModal() == mrOk) Grid->SetCellEx(bsEng_Unit, Row, picker->E_Selected_EU->Text());
}

void TFBACnetSlaveSetAccess::Grid_DblClickCell(TObject* Sender, int ARow, int ACol) {
  const int g = Grid_Index(Sender);
  // The header cell keeps its caption: only a data cell takes a unit.
  if (g >= 0 && ARow >= 1 && Grids[static_cast<size_t>(g)]->RealColIndex(ACol) == bsEng_Unit)
    Pick_Eng_Unit(Grids[static_cast<size_t>(g)], ARow);
  TTableForm::Grid_DblClickCell(Sender, ARow, ACol);
}
