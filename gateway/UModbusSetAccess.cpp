#include "gateway/UModbusSetAccess.h"

#include <functional>

#include "button/LbButton.h"
#include "platform/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFSetAccess* FSetAccess = nullptr;
TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access = nullptr;

namespace {

constexpr int kModbusRows = 512;
constexpr int kModbusBytes = 1500;

const std::vector<String> kModbusReadTypes = {u"Coil Status", u"Input Status", u"Holding Register",
                                              u"Input Register"};
const std::vector<String> kModbusWriteTypes = {u"Coil Status", u"Holding Register"};
const std::vector<String> kModbusBits = {u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7"};

TTableColumnDef ModbusColumn(int Header, int Hint, const String& Attribute, TEditorType Editor = edNormal,
                             int Width = 70, std::vector<String> Items = {}) {
  TTableColumnDef c;
  c.Header = Header;
  c.Hint = Hint;
  c.Editor = Editor;
  c.Width = Width;
  c.Items = std::move(Items);
  c.Attribute = Attribute;
  c.Missing = TMissingAttr::Fail;
  return c;
}

// A flag column: read as Default when the row lacks it.
TTableColumnDef ModbusFlag(int Header, int Hint, const String& Attribute, const String& Default, int Width = 60) {
  TTableColumnDef c = ModbusColumn(Header, Hint, Attribute, edDataCheckBox, Width);
  c.Missing = TMissingAttr::Default;
  c.Default = Default;
  return c;
}

// A row without a topic keeps its topic cell empty.
TTableColumnDef ModbusTopic(int Header, int Hint) {
  TTableColumnDef c = ModbusColumn(Header, Hint, u"Index_Topic", edComboList, 90);
  c.Missing = TMissingAttr::Keep;
  return c;
}

TTableGridDef ModbusGrid(const String& Name, const String& Sheet, int SheetCaption, int NumberHeader,
                         const String& Section, int KeyColumn, std::vector<TTableColumnDef> Columns) {
  TTableGridDef g;
  g.Name = Name;
  g.Sheet = Sheet;
  g.SheetCaption = SheetCaption;
  g.NumberHeader = NumberHeader;
  g.Section = Section;
  g.KeyColumn = KeyColumn;
  g.DataRows = kModbusRows;
  g.Columns = std::move(Columns);
  return g;
}

// The columns from Slave ID on of a read grid: headers run on from First and hints from FirstHint,
// except Swap Word's, Topic's and Mnemonic's, which are given.
std::vector<TTableColumnDef> ReadColumns(int First, int FirstHint, int SwapWord, int SwapWordHint, int Topic,
                                         int TopicHint, int Mnemonic, int MnemonicHint) {
  return {ModbusColumn(First, FirstHint, u"Slave_ID"),
          ModbusColumn(First + 1, FirstHint + 1, u"Type", edComboList, 120, kModbusReadTypes),
          ModbusColumn(First + 2, FirstHint + 2, u"Address"),
          ModbusColumn(First + 3, FirstHint + 3, u"NPoint"),
          ModbusColumn(First + 4, FirstHint + 4, u"PollTime"),
          ModbusColumn(First + 5, FirstHint + 5, u"MaxError"),
          ModbusColumn(First + 6, FirstHint + 6, u"Position", edComboList),
          ModbusColumn(First + 7, FirstHint + 7, u"Bit", edComboList, 60, kModbusBits),
          ModbusFlag(First + 8, FirstHint + 8, u"Swap", u"N"),
          ModbusFlag(SwapWord, SwapWordHint, u"SwapWord", u"N", 75),
          ModbusTopic(Topic, TopicHint),
          ModbusColumn(Mnemonic, MnemonicHint, u"Mnemonic", edNormal, 200)};
}

std::vector<TTableColumnDef> WriteColumns(int First, int FirstHint, int SwapWord, int SwapWordHint) {
  TTableColumnDef onChange = ModbusColumn(First + 5, FirstHint + 5, u"OnChange", edDataCheckBox, 75);
  return {ModbusColumn(First, FirstHint, u"Slave_ID"),
          ModbusColumn(First + 1, FirstHint + 1, u"Type", edComboList, 120, kModbusWriteTypes),
          ModbusColumn(First + 2, FirstHint + 2, u"Address"),
          ModbusColumn(First + 3, FirstHint + 3, u"NPoint"),
          ModbusColumn(First + 4, FirstHint + 4, u"PollTime"),
          onChange,
          ModbusFlag(First + 6, FirstHint + 6, u"OnCMD", u"N"),
          ModbusColumn(First + 7, FirstHint + 7, u"MaxError"),
          ModbusColumn(First + 8, FirstHint + 8, u"Position", edComboList),
          ModbusColumn(First + 9, FirstHint + 9, u"Bit", edComboList, 60, kModbusBits),
          ModbusFlag(First + 10, FirstHint + 10, u"Swap", u"N"),
          ModbusFlag(SwapWord, SwapWordHint, u"SwapWord", u"N", 75),
          ModbusColumn(First + 11, FirstHint + 11, u"Mnemonic", edNormal, 200)};
}

template <class T>
std::vector<T> Joined(std::vector<T> A, const std::vector<T>& B) {
  A.insert(A.end(), B.begin(), B.end());
  return A;
}

TTableFormDef MakeModbusMasterDef() {
  TTableFormDef d;
  d.Name = u"FSetAccess";
  d.ClientWidth = 1100;
  d.ClientHeight = 420;
  d.Caption = 1700;
  d.Description = 1701;
  d.ButtonCaptions = 1702;
  d.ButtonHints = 1708;
  d.DeleteQuestion = 1788;
  d.Root = u"EtherNetIP_to_Modbus";
  TTableGridDef read = ModbusGrid(u"ACG_Modbus_Read", u"TS_Modbus_Read", 1714, 1716, u"Modbus_Read", 2,
                                  Joined({ModbusFlag(1717, 1743, u"Enable", u"Y", 50)},
                                         ReadColumns(1718, 1744, 1790, 1792, 1742, 1753, 1727, 1754)));
  TTableGridDef write = ModbusGrid(u"ACG_Modbus_Write", u"TS_Modbus_Write", 1715, 1728, u"Modbus_Write", 2,
                                   Joined({ModbusFlag(1729, 1755, u"Enable", u"Y", 50)},
                                          WriteColumns(1730, 1756, 1791, 1793)));
  d.Grids = {read, write};
  return d;
}

TTableFormDef MakeModbusTcpMasterDef() {
  TTableFormDef d;
  d.Name = u"FModbus_TCP_Master_Set_Access";
  d.ClientWidth = 1250;
  d.ClientHeight = 420;
  d.Caption = 1800;
  d.Description = 1801;
  d.ButtonCaptions = 1802;  // Copy Row and Paste Row keep their own captions (Set_Lang)
  d.ButtonHints = 1863;
  d.DeleteQuestion = 1861;
  d.Root = u"PROFINET_Master_to_Modbus_TCP_Master";
  auto slave = [](int Header, int Hint) {
    return std::vector<TTableColumnDef>{ModbusColumn(Header, Hint, u"IP_Address", edNormal, 110),
                                        ModbusColumn(Header + 1, Hint + 1, u"Port", edNormal, 60)};
  };
  TTableGridDef read =
      ModbusGrid(u"ACG_Modbus_Read", u"TS_Modbus_Read", 1806, 1808, u"Modbus_Read", 2,
                 Joined(Joined({ModbusFlag(1809, 1869, u"Enable", u"Y", 50)}, slave(1810, 1870)),
                        ReadColumns(1812, 1872, 1900, 1902, 1862, 1881, 1821, 1882)));
  TTableGridDef write = ModbusGrid(u"ACG_Modbus_Write", u"TS_Modbus_Write", 1807, 1822, u"Modbus_Write", 2,
                                   Joined(Joined({ModbusFlag(1823, 1883, u"Enable", u"Y", 50)}, slave(1824, 1884)),
                                          WriteColumns(1826, 1886, 1901, 1903)));
  d.Grids = {read, write};
  return d;
}

// Column maps and message texts of both forms; the TCP master's columns lie two to the right.
TModbusColumns ShiftedColumns(TModbusColumns C, int By) {
  int* all[] = {&C.Slave_ID, &C.Type, &C.Address, &C.NPoint, &C.Poll_Time, &C.Max_Error, &C.Position, &C.Bit, &C.Topic};
  for (int* c : all)
    if (*c >= 0) *c += By;
  return C;
}

constexpr TModbusColumns kMasterReadCols{1, -1, -1, 2, 3, 4, 5, 6, 7, 8, 9, 12};
constexpr TModbusColumns kMasterWriteCols{1, -1, -1, 2, 3, 4, 5, 6, 9, 10, 11, -1};

std::vector<TModbusGridRules> MasterRules() {
  return {{kMasterReadCols, {-1, -1, 1769, 1770, 1771, 1772, 1773, 1789, 1774, 1775, 1776, 1777, 1778}, 1, 2000, 125, true},
          {kMasterWriteCols, {-1, -1, 1779, 1780, 1781, 1782, 1783, 1783, 1784, 1785, 1786, 1787, -1}, 0, 1968, 123, false}};
}

std::vector<TModbusGridRules> TcpMasterRules() {
  TModbusColumns read = ShiftedColumns(kMasterReadCols, 2);
  TModbusColumns write = ShiftedColumns(kMasterWriteCols, 2);
  read.IP = write.IP = 2;
  read.Port = write.Port = 3;
  return {{read, {1839, 1840, 1841, 1842, 1843, 1844, 1899, 1845, 1846, 1847, 1848, 1849, 1898}, 1, 2000, 125, true},
          {write, {1850, 1851, 1852, 1853, 1854, 1855, 1856, 1856, 1857, 1858, 1859, 1860, -1}, 0, 1968, 123, false}};
}

// True when Text is not four dot-separated whole numbers 0 to 255. All four parts are always
// taken; the fourth is whatever follows the third dot.
bool ModbusInvalidIp(const String& Text) {
  if (Text.empty()) return true;
  String t = Text;
  bool invalid = false;
  for (int part = 0; part < 4; ++part) {
    const int p = Pos(u".", t);
    const String piece = part == 3 ? t : (p == 0 ? String() : Copy(t, 1, p - 1));
    int32_t v = -1;
    if (!TryCellToInt(piece, v) || v < 0 || v > 255) invalid = true;
    if (p > 0) t = Copy(t, p + 1, static_cast<int>(t.size()));
  }
  return invalid;
}

// The read grid's cells with the Topic column replaced by what the file keeps for it.
class TModbusTopicCells : public TTableCells {
 public:
  TModbusTopicCells(const TTableCells& Cells, int Topic, std::function<String(int)> Attribute)
      : FCells(Cells), FTopic(Topic), FAttribute(std::move(Attribute)) {}
  int RowCount() const override { return FCells.RowCount(); }
  String Cell(int Col, int Row) const override { return Col == FTopic ? FAttribute(Row) : FCells.Cell(Col, Row); }
  void SetCell(int, int, const String&) override {}

 private:
  const TTableCells& FCells;
  int FTopic;
  std::function<String(int)> FAttribute;
};

}  // namespace

const TTableFormDef& Modbus_Master_Form_Def() {
  static const TTableFormDef def = MakeModbusMasterDef();
  return def;
}

const TTableFormDef& Modbus_TCP_Master_Form_Def() {
  static const TTableFormDef def = MakeModbusTcpMasterDef();
  return def;
}

// ---- what both forms share ----

TModbusSetAccessForm::TModbusSetAccessForm(TComponent* AOwner, const TTableFormDef& Def, int Error_Row_Text,
                                           std::vector<TModbusGridRules> Rules)
    : TTableForm(AOwner, Def),
      List_Publish_Topic(std::make_unique<TStringList>()),
      FError_Row(Error_Row_Text),
      FRules(std::move(Rules)) {
  TS_Modbus_Read = Sheets[0];
  TS_Modbus_Write = Sheets[1];
  ACG_Modbus_Read = Grids[0];
  ACG_Modbus_Write = Grids[1];
}

TModbusSetAccessForm::~TModbusSetAccessForm() = default;

void TModbusSetAccessForm::FormCreate(TObject* Sender) {
  TTableForm::FormCreate(Sender);
  Hint_Modbus_Set_Access_Read = Hint_Lists[0].get();
  Hint_Modbus_Set_Access_Write = Hint_Lists[1].get();
  List_Publish_Topic->Clear();
}

void TModbusSetAccessForm::Reset_Grids() {
  const TModbusColumns& c = FRules[0].Cols;
  TS_Modbus_Write->SetTabVisible(true);
  ACG_Modbus_Read->HideColumn(c.Topic);
  for (int col : {c.Position, c.Bit})
    if (ACG_Modbus_Read->IsHiddenColumn(col)) ACG_Modbus_Read->UnHideColumn(col);
  TTableForm::Reset_Grids();
  PageControl1->SetActivePageIndex(0);
}

void TModbusSetAccessForm::Set_Limits() {
  NByte_IN = kModbusBytes;
  NByte_OUT = kModbusBytes;
  for (size_t g = 0; g < 2; ++g) {
    Fill_Position_List(Grids[g]->Columns()->Items(FRules[g].Cols.Position)->ComboItems(),
                       g == 0 ? NByte_IN : NByte_OUT);
  }
}

String TModbusSetAccessForm::Get_Topic_From_Index(int Index) const {
  return Index >= 0 && Index < List_Publish_Topic->Count() ? List_Publish_Topic->Strings(Index) : String();
}

int TModbusSetAccessForm::First_Topic_Index(const String& Topic) const {
  for (int i = 0; i < List_Publish_Topic->Count(); ++i)
    if (List_Publish_Topic->Strings(i) == Topic) return i;
  return -1;
}

void TModbusSetAccessForm::Topics_From_Indices(const std::function<void(int, int)>& Index) {
  const int topic = FRules[0].Cols.Topic;
  for (int r = 1; r <= kModbusRows; ++r) {
    const String text = ACG_Modbus_Read->GetCellEx(topic, r);
    if (text.empty()) continue;  // the row lacks the attribute (or was not read)
    int32_t n = -1;
    if (!TryCellToInt(text, n)) n = -1;
    Index(r, n);
    ACG_Modbus_Read->SetCellEx(topic, r, Get_Topic_From_Index(n));
  }
}

void TModbusSetAccessForm::Save_With_Topic(const std::function<String(int)>& Topic_Attribute) {
  const TModbusTopicCells read(*Cells(0), FRules[0].Cols.Topic, Topic_Attribute);
  SaveTableFile(Layout(), {&read, Cells(1)}, File_Path());
}

String TModbusSetAccessForm::Row_Failure(TAdvColumnGrid* G, int R, const TModbusGridRules& Rules) const {
  const TModbusColumns& c = Rules.Cols;
  const TModbusTexts& t = Rules.Texts;
  auto number = [&](int Col) { return CellToInt(G->GetCellEx(Col, R)); };
  auto outside = [&](int Col, int32_t Low, int32_t High) {
    const int32_t v = number(Col);
    return v < Low || v > High;
  };
  if (c.IP >= 0 && ModbusInvalidIp(G->GetCellEx(c.IP, R))) return UI_Text(t.IP);
  if (c.Port >= 0 && outside(c.Port, 0, 65535)) return UI_Text(t.Port);
  if (outside(c.Slave_ID, 1, 247)) return UI_Text(t.Slave_ID);
  const String type = UpperCase(Trim(G->GetCellEx(c.Type, R)));
  if (type.empty()) return UI_Text(t.Type);
  const bool bits = type == u"COIL STATUS" || (Rules.Read && type == u"INPUT STATUS");
  if (outside(c.Address, 0, 65535)) return UI_Text(t.Address);
  const int32_t maxPoints = bits ? Rules.Bit_Max_Points : Rules.Word_Max_Points;
  if (outside(c.NPoint, 1, maxPoints)) return UI_Text(t.NPoint) + IntToStr(maxPoints);
  if (outside(c.Poll_Time, Rules.Min_Poll_Time, 100000000))
    return UI_Text(Working_Mode == 0 ? t.Poll_Time : t.Poll_Time_Mode);
  if (outside(c.Max_Error, 0, 100000000)) return UI_Text(t.Max_Error);
  const int32_t bytes = Rules.Read ? NByte_IN : NByte_OUT;
  if (outside(c.Position, 0, bytes - 1)) return UI_Text(t.Position) + IntToStr(bytes - 1);
  const int64_t position = number(c.Position);
  const int64_t points = number(c.NPoint);
  int64_t last = position + 2 * points - 1;
  if (bits) {
    // A Start Bit outside 0..7 can come only from an edited file; it would place the data
    // outside the Position byte.
    if (Trim(G->GetCellEx(c.Bit, R)).empty() || outside(c.Bit, 0, 7)) return UI_Text(t.Bit);
    last = position + (points + number(c.Bit) - 1) / 8;
  }
  if (last >= bytes) return UI_Text(t.Bytes);
  if (t.Topic >= 0 && !G->IsHiddenColumn(c.Topic) && Trim(G->GetCellEx(c.Topic, R)).empty())
    return UI_Text(t.Topic);
  return String();
}

bool TModbusSetAccessForm::Controllo_dati() {
  for (size_t g = 0; g < 2; ++g) {
    const TModbusGridRules& rules = FRules[g];
    TAdvColumnGrid* grid = Grids[g];
    const int key = Def().Grids[g].KeyColumn;
    for (int r = 1; r <= kModbusRows && !Trim(grid->GetCellEx(key, r)).empty(); ++r) {
      if (Trim(grid->GetCellEx(rules.Cols.Enable, r)) != u"Y") continue;
      const String failure = Row_Failure(grid, r, rules);
      if (!failure.empty()) {
        MessageDlg(UI_Text(FError_Row) + IntToStr(r) + failure, mtError, TMsgDlgButtons{mbOK});
        return false;
      }
    }
  }
  return true;
}

// ---- the Modbus master form ----

TFSetAccess::TFSetAccess(TComponent* AOwner)
    : TModbusSetAccessForm(AOwner, Modbus_Master_Form_Def(), 1768, MasterRules()) {
  // Hints only on the read grid.
  ACG_Modbus_Write->SetShowHint(false);
  for (TLbButton* b : {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow}) b->SetShowHint(false);
  ACG_Modbus_Read->OnComboChange = [this](TObject* s, int c, int r, int i, const String& t) {
    ComboChange(s, c, r, i, t);
  };
}

TFSetAccess::~TFSetAccess() {
  if (FSetAccess == this) FSetAccess = nullptr;
}

String TFSetAccess::File_Path() const { return Path_ModbusM_SetAccess; }

void TFSetAccess::Reset_Grids() {
  TModbusSetAccessForm::Reset_Grids();
  ComboItem_Topic.assign(kModbusRows, -1);
}

void TFSetAccess::After_Load() {
  Topics_From_Indices([this](int Row, int Index) { ComboItem_Topic[static_cast<size_t>(Row) - 1] = Index; });
}

void TFSetAccess::Save_Tables() {
  const int topic = FRules[0].Cols.Topic;
  // Stored files keep "" while the Topic column is hidden.
  Save_With_Topic([this, topic](int Row) {
    if (ACG_Modbus_Read->IsHiddenColumn(topic)) return String();
    return IntToStr(Get_Index_From_Topic(ACG_Modbus_Read->GetCellEx(topic, Row),
                                         ComboItem_Topic[static_cast<size_t>(Row) - 1]));
  });
}

int TFSetAccess::Get_Index_From_Topic(const String& Topic, int index) const {
  if (index >= 0 && index < List_Publish_Topic->Count() && List_Publish_Topic->Strings(index) == Topic) return index;
  return First_Topic_Index(Topic);
}

void TFSetAccess::ComboChange(TObject*, int ACol, int ARow, int AItemIndex, const String&) {
  if (ACol == FRules[0].Cols.Topic && ARow >= 1 && ARow <= kModbusRows)
    ComboItem_Topic[static_cast<size_t>(ARow) - 1] = AItemIndex;
}

// ---- the Modbus TCP master form ----

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access(TComponent* AOwner)
    : TModbusSetAccessForm(AOwner, Modbus_TCP_Master_Form_Def(), 1838, TcpMasterRules()) {
  // No grid and no button of this form shows hints.
  ACG_Modbus_Read->SetShowHint(false);
  ACG_Modbus_Write->SetShowHint(false);
  for (TLbButton* b : {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow}) b->SetShowHint(false);
}

TFModbus_TCP_Master_Set_Access::~TFModbus_TCP_Master_Set_Access() {
  if (FModbus_TCP_Master_Set_Access == this) FModbus_TCP_Master_Set_Access = nullptr;
}

String TFModbus_TCP_Master_Set_Access::File_Path() const { return Path_ModbusTCPM_SetAccess; }

void TFModbus_TCP_Master_Set_Access::Set_Lang() {
  TModbusSetAccessForm::Set_Lang();
  Btn_CopyRow->SetCaption(u"Copy Row");
  Btn_PasteRow->SetCaption(u"Paste Row");
}

void TFModbus_TCP_Master_Set_Access::Reset_Grids() {
  // Without the Topic hint, so that with the Topic column hidden each entry belongs to the
  // displayed column it is looked up by.
  if (Hint_Modbus_Set_Access_Read) {
    Hint_Modbus_Set_Access_Read->Clear();
    for (int i = 1869; i <= 1880; ++i) Hint_Modbus_Set_Access_Read->Add(UI_Text(i));
    Hint_Modbus_Set_Access_Read->Add(UI_Text(1902));
    Hint_Modbus_Set_Access_Read->Add(UI_Text(1882));
  }
  TModbusSetAccessForm::Reset_Grids();
}

void TFModbus_TCP_Master_Set_Access::After_Load() {
  Topics_From_Indices([](int, int) {});
}

void TFModbus_TCP_Master_Set_Access::Save_Tables() {
  const int topic = FRules[0].Cols.Topic;
  // Stored files keep the index (-1 with no topics) whether or not the column is shown.
  Save_With_Topic([this, topic](int Row) {
    return IntToStr(Get_Index_From_Topic(ACG_Modbus_Read->GetCellEx(topic, Row)));
  });
}

void TFModbus_TCP_Master_Set_Access::Grid_KeyPress(TObject* Sender, Char& Key) {
  if (Sender == ACG_Modbus_Write) TModbusSetAccessForm::Grid_KeyPress(Sender, Key);
}

void TFModbus_TCP_Master_Set_Access::Grid_Hint(TObject* Sender, int ARow, int ACol, String& Hint) {
  Hint.clear();
  if (Sender != ACG_Modbus_Write || ARow != 0 || ACol < 1 || ACol - 1 >= Hint_Modbus_Set_Access_Write->Count()) return;
  Hint = Hint_Modbus_Set_Access_Write->Strings(ACol - 1);
}

bool TFModbus_TCP_Master_Set_Access::Check_IP_Address(const String& IP_Address) const {
  return ModbusInvalidIp(IP_Address);
}
