#include "gateway/USNMP_Trap_AccessForm.h"

#include <unordered_set>

#include "platform/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;

TFSNMP_Trap_Access* FSNMP_Trap_Access_On_Demand() { return Table_Form_On_Demand(FSNMP_Trap_Access); }

namespace {

// UI texts of the check routine.
constexpr int kErrorRow = 4760;
constexpr int kDuplicateDescriptions = 4780;

const std::vector<String> kConversions = {u"None",       u"Float",      u"Float * 10",
                                          u"Float * 100", u"Float / 10", u"Float / 100"};
const std::vector<String> kTypes = {u"Int", u"String"};
const std::vector<String> kCommunities = {u"public", u"private"};
const std::vector<String> kBits = {u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7"};

TTableColumnDef Column(int Header, int Hint, TEditorType Editor, int Width, std::vector<String> Items = {},
                       int MaxLength = 0) {
  TTableColumnDef c;
  c.Header = Header;
  c.Hint = Hint;
  c.Editor = Editor;
  c.Width = Width;
  c.Items = std::move(Items);
  c.MaxLength = MaxLength;
  return c;
}

// The file's attributes and read defaults come from the file's own description.
void TakeAttributes(TTableGridDef& Grid, const TTableSection& Section) {
  Grid.Section = Section.Name;
  Grid.KeyColumn = Section.KeyColumn;
  for (const TTableAttr& a : Section.Attrs) {
    TTableColumnDef& c = Grid.Columns[static_cast<size_t>(a.Column) - 1];
    c.Attribute = a.Name;
    c.Missing = a.Missing;
    c.Default = a.Default;
  }
}

TTableFormDef MakeSnmpFormDef() {
  TTableFormDef d;
  d.Name = u"FSNMP_Trap_Access";
  d.ClientWidth = 1256;
  d.ClientHeight = 337;
  d.Caption = 4700;
  d.Description = 4701;
  d.ButtonCaptions = 4702;
  d.ButtonHints = 4710;
  d.DeleteQuestion = 4775;
  d.ClickSelectsRow = false;
  const TTableLayout& file = SNMP_Trap_Layout();
  d.Root = file.Root;

  TTableGridDef read;
  read.Name = u"ACG_SNMP_Read";
  read.Sheet = u"TS_SNMP_Read";
  read.SheetCaption = 4708;
  read.NumberHeader = 4716;
  read.DataRows = SNMP_Trap_Rows;
  read.Columns = {
      Column(4717, 4739, edDataCheckBox, 50),
      Column(4718, 4740, edComboEdit, 110, kCommunities, 15),
      Column(4719, 4741, edComboList, 60, kTypes),
      Column(4720, 4742, edDataCheckBox, 75),
      Column(4721, 4743, edDataCheckBox, 60),
      Column(4722, 4744, edDataCheckBox, 65),
      Column(4723, 4745, edNormal, 70),
      Column(4724, 4746, edComboList, 65),
      Column(4725, 4747, edComboList, 60, kBits),
      Column(4726, 4748, edNormal, 100),
      Column(4727, 4749, edNormal, 120, {}, 15),
      Column(4728, 4750, edNormal, 110),
      Column(4781, 4783, edComboList, 90, kConversions),
      Column(4729, 4751, edNormal, 150),
  };
  TakeAttributes(read, file.Sections[0]);

  TTableGridDef write;
  write.Name = u"ACG_SNMP_Write";
  write.Sheet = u"TS_SNMP_Write";
  write.SheetCaption = 4709;
  write.NumberHeader = 4730;
  write.DataRows = SNMP_Trap_Rows;
  write.Columns = {
      Column(4731, 4752, edDataCheckBox, 50),
      Column(4732, 4753, edComboEdit, 130, kCommunities, 15),
      Column(4733, 4754, edComboList, 70, kTypes),
      Column(4734, 4755, edComboList, 80),
      Column(4735, 4756, edComboList, 70, kBits),
      Column(4736, 4757, edNormal, 110),
      Column(4737, 4758, edNormal, 150, {}, 15),
      Column(4782, 4784, edComboList, 110, kConversions),
      Column(4738, 4759, edNormal, 420),
  };
  TakeAttributes(write, file.Sections[1]);
  d.Grids = {read, write};
  return d;
}

bool IsDigit(Char c) { return c >= u'0' && c <= u'9'; }
bool IsUpper(Char c) { return c >= u'A' && c <= u'Z'; }
bool IsLower(Char c) { return c >= u'a' && c <= u'z'; }

bool IsInt(const String& Type) { return UpperCase(Type) == u"INT"; }

// The tests of one table, in their order; the first failing one's text, or -1.
struct TRowTexts {
  int CommName, Type, Time, Position, StartBit, StartBitString, BitsInt, BytesString, Description, IP, Conversion;
};
constexpr TRowTexts kReadTexts{4776, 4761, 4762, 4763, 4764, 4765, 4766, 4767, 4777, 4768, 4785};
constexpr TRowTexts kWriteTexts{4778, 4769, -1, 4770, 4771, 4772, 4773, 4774, 4779, -1, 4786};

struct TRowColumns {
  int Enable, CommName, Type, OnTimer, Time, Position, Bit, NumBits, Description, IP, Conversion;
};
constexpr TRowColumns kReadColumns{srEnable, srCommunity_Name, srType,        srOn_Timer,   srTime,      srPosition,
                                   srBit,    srNumBits,        srDescription, srIP_Address, srConversion};
constexpr TRowColumns kWriteColumns{swEnable, swCommunity_Name, swType,        -1, -1,          swPosition,
                                    swBit,    swNumBits,        swDescription, -1, swConversion};

}  // namespace

const TTableFormDef& SNMP_Trap_Form_Def() {
  static const TTableFormDef def = MakeSnmpFormDef();
  return def;
}

TFSNMP_Trap_Access::TFSNMP_Trap_Access(TComponent* AOwner)
    : TTableForm(AOwner, SNMP_Trap_Form_Def()), SL_Check_Desc(std::make_unique<TStringList>()) {
  TS_SNMP_Read = Sheets[0];
  TS_SNMP_Write = Sheets[1];
  ACG_SNMP_Read = Grids[0];
  ACG_SNMP_Write = Grids[1];
}

TFSNMP_Trap_Access::~TFSNMP_Trap_Access() {
  if (FSNMP_Trap_Access == this) FSNMP_Trap_Access = nullptr;
}

void TFSNMP_Trap_Access::FormCreate(TObject* Sender) {
  TTableForm::FormCreate(Sender);
  Hint_SNMP_Read = Hint_Lists[0].get();
  Hint_SNMP_Write = Hint_Lists[1].get();
}

String TFSNMP_Trap_Access::File_Path() const { return Path_SNMP_Trap; }

void TFSNMP_Trap_Access::Set_Limits() {
  NByte_IN = 1440;
  NByte_OUT = 1440;
  const std::pair<TAdvColumnGrid*, int> lists[] = {{ACG_SNMP_Read, srPosition}, {ACG_SNMP_Write, swPosition}};
  for (const auto& [grid, col] : lists)
    Fill_Position_List(grid->Columns()->Items(col)->ComboItems(), grid == ACG_SNMP_Read ? NByte_IN : NByte_OUT);
}

void TFSNMP_Trap_Access::After_Load() {
  Index_Row_Build(ACG_SNMP_Read);
  Index_Row_Build(ACG_SNMP_Write);
}

void TFSNMP_Trap_Access::Index_Row_Build(TAdvColumnGrid* Grid) {
  int n = 1;
  for (int r = 1; r <= SNMP_Trap_Rows; ++r) {
    if (UpperCase(Grid->GetCellEx(1, r)) == u"Y")
      Grid->SetCellEx(0, r, IntToStr(n++));
    else
      Grid->SetCellEx(0, r, String());
  }
}

void TFSNMP_Trap_Access::ACG_SNMP_ReadCheckBoxClick(TObject* Sender, int ACol, int, bool) {
  if (ACol != 1) return;
  if (auto* grid = dynamic_cast<TAdvColumnGrid*>(Sender)) Index_Row_Build(grid);
}

bool TFSNMP_Trap_Access::Check_Error_CommName_Desc(const String& Text, int Mode) const {
  for (size_t i = 0; i < Text.size(); ++i) {
    const Char c = Text[i];
    if (Mode == 1 && i == 0) {
      if (!IsLower(c)) return true;
    } else if (!IsDigit(c) && !IsUpper(c) && !IsLower(c)) {
      return true;
    }
  }
  return false;
}

bool TFSNMP_Trap_Access::Controllo_dati() {
  SL_Check_Desc->Clear();
  // Each row's tests in their order: the UI text of the first that fails, or 0.
  auto rowFailure = [this](TAdvColumnGrid* g, int r, const TRowColumns& col, const TRowTexts& text) {
    if (Check_Error_CommName_Desc(g->GetCellEx(col.CommName, r), 0)) return text.CommName;
    const String type = g->GetCellEx(col.Type, r);
    if (Trim(type).empty()) return text.Type;
    if (col.OnTimer >= 0 && UpperCase(g->GetCellEx(col.OnTimer, r)) == u"Y") {
      const int32_t t = CellToInt(g->GetCellEx(col.Time, r));
      if (t < 1 || t > 1000000000) return text.Time;
    }
    if (Trim(g->GetCellEx(col.Position, r)).empty()) return text.Position;
    const String bit = Trim(g->GetCellEx(col.Bit, r));
    if (bit.empty()) return text.StartBit;
    if (!IsInt(type) && bit != u"0") return text.StartBitString;
    const int32_t bits = CellToInt(g->GetCellEx(col.NumBits, r));
    if (IsInt(type) && (bits < 1 || bits > 64)) return text.BitsInt;
    if (!IsInt(type) && (bits < 1 || bits > 16)) return text.BytesString;
    const String desc = g->GetCellEx(col.Description, r);
    if (Check_Error_CommName_Desc(desc, 1)) return text.Description;
    SL_Check_Desc->Add(desc);
    if (col.IP >= 0) {
      String a, b, c, d;
      if (!Split_IP_Address(g->GetCellEx(col.IP, r), a, b, c, d)) return text.IP;
    }
    if (Trim(g->GetCellEx(col.Conversion, r)).empty()) return text.Conversion;
    return 0;
  };
  const std::tuple<TAdvColumnGrid*, TRowColumns, TRowTexts> tables[] = {
      {ACG_SNMP_Read, kReadColumns, kReadTexts}, {ACG_SNMP_Write, kWriteColumns, kWriteTexts}};
  for (const auto& [grid, cols, texts] : tables) {
    for (int r = 1; r <= SNMP_Trap_Rows && !Trim(grid->GetCellEx(cols.CommName, r)).empty(); ++r) {
      if (UpperCase(grid->GetCellEx(cols.Enable, r)) != u"Y") continue;
      if (const int failure = rowFailure(grid, r, cols, texts)) {
        MessageDlg(UI_Text(kErrorRow) + IntToStr(r) + UI_Text(failure), mtError, TMsgDlgButtons{mbOK});
        return false;
      }
    }
  }
  std::unordered_set<String> seen;
  for (int i = 0; i < SL_Check_Desc->Count(); ++i) {
    if (!seen.insert(SL_Check_Desc->Strings(i)).second) {
      MessageDlg(UI_Text(kDuplicateDescriptions), mtError, TMsgDlgButtons{mbOK});
      return false;
    }
  }
  return true;
}
