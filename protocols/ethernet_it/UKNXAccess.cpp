#include "protocols/ethernet_it/UKNXAccess.h"

#include "protocols/ethernet_it/EthernetItColumns.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFKNXAccess* FKNXAccess = nullptr;

namespace {

constexpr int kKnxRows = 1024;
constexpr int kKnxBytes = 1500;
constexpr int kKnxErrorRow = 5348;
constexpr int kKnxDeleteQuestion = 5360;

const String kKnxPriorities[] = {u"System", u"Urgent", u"Normal", u"Low"};

// Header text of each column from 0; the form writes them into row 0.
const int kKnxHeaders[] = {5314, 5315, 5316, 5317, 5318, 5319, 5320, 5361, 5321, 5322,
                           5323, 5324, 5325, 5326, 5327, 5328, 5329, 5362, 5330};

// A column whose attribute a row must have: without it the load stops and says so.
TTableColumnDef Knx_Column(int Hint, const String& Attribute, int Width = 70, TEditorType Editor = edNormal,
                           std::vector<String> Items = {}) {
  TTableColumnDef c = Ethernet_It_Column(-1, Hint, Attribute, Width, Editor, std::move(Items));
  c.Missing = TMissingAttr::Fail;
  return c;
}

TTableColumnDef Knx_Default(int Hint, const String& Attribute, const String& Default, int Width = 70,
                            TEditorType Editor = edNormal, std::vector<String> Items = {}) {
  return Ethernet_It_Column(-1, Hint, Attribute, Width, Editor, std::move(Items), Default);
}

TTableFormDef MakeKnxDef() {
  TTableFormDef d;
  d.Name = u"FKNXAccess";
  d.ClientWidth = 1250;
  d.ClientHeight = 337;
  Use_Text_Block(d, 5300);
  d.DeleteQuestion = kKnxDeleteQuestion;
  d.ButtonsFromLeft = true;
  d.HintByDisplayedColumn = true;
  d.Root = u"BACnet_to_KNX";
  TTableGridDef g;
  g.Name = u"ACG_KNX_in_Write";
  g.Section = u"KNX_in_Write";
  g.DataRows = kKnxRows;
  g.KeyColumn = knSource;
  TTableColumnDef priority = Knx_Default(5335, u"Priority", u"Normal", 70, edComboList,
                                         {kKnxPriorities[0], kKnxPriorities[1], kKnxPriorities[2], kKnxPriorities[3]});
  priority.IfEmpty = u"Normal";
  g.Columns = {
      Knx_Default(5331, u"Enable", u"Y", 50, edDataCheckBox),
      Knx_Column(5332, u"Source_Address", 80),
      Knx_Column(5333, u"Destination_Address", 80),
      Knx_Column(5334, u"APCI", 60, edComboEdit, {u"Read", u"Write"}),
      priority,
      Knx_Default(5336, u"Format", u"None", 110, edComboList,
                  {u"None", u"Swap16", u"Swap32", u"Swap All", u"Int to Float", u"Float to Int", u"Float16 to Float32",
                   u"Float16 to Int"}),
      Knx_Default(5363, u"MultiplicationFactor", String(), 75),
      Knx_Column(5337, u"Extended", 60, edDataCheckBox),
      Knx_Column(5338, u"ReTest", 55, edDataCheckBox),
      Knx_Default(5340, u"On_Command", u"N", 55, edDataCheckBox),
      Knx_Column(5341, u"On_Change", 65, edDataCheckBox),
      Knx_Default(5342, u"On_Timer", u"N", 60, edDataCheckBox),
      Knx_Column(5343, u"Poll_Time", 65),
      Knx_Column(5344, u"Position", 60, edComboList),
      Knx_Column(5345, u"Bit_Mode", 60, edComboList, {u"No", u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7"}),
      Knx_Column(5346, u"Length", 55),
      Knx_Default(5364, u"TimeOut", u"0", 96),
      Knx_Column(5347, u"Mnemonic", 150),
  };
  d.Grids = {g};
  return d;
}

bool Knx_In_Range(const String& Text, int32_t Low, int32_t High, int32_t& Value) {
  return TryCellToInt(Text, Value) && Value >= Low && Value <= High;
}

bool Knx_Priority(const String& Text) {
  for (const String& p : kKnxPriorities)
    if (Text == p) return true;
  return false;
}

}  // namespace

const TTableFormDef& KNX_Access_Form_Def() {
  static const TTableFormDef def = MakeKnxDef();
  return def;
}

TFKNXAccess::TFKNXAccess(TComponent* AOwner) : TTableForm(AOwner, KNX_Access_Form_Def()) {
  ACG_KNX_in_Write = Grids[0];
}

TFKNXAccess::~TFKNXAccess() {
  if (FKNXAccess == this) FKNXAccess = nullptr;
}

void TFKNXAccess::FormCreate(TObject* Sender) {
  TTableForm::FormCreate(Sender);
  for (int c : {knAPCI, knOnCMD, knOnChange})
    if (ACG_KNX_in_Write->IsHiddenColumn(c)) ACG_KNX_in_Write->UnHideColumn(c);
  Hint = Hint_Lists[0].get();
}

void TFKNXAccess::Set_Lang() {
  TTableForm::Set_Lang();
  for (int c = 0; c <= knMnemonic; ++c) ACG_KNX_in_Write->SetCellEx(c, 0, UI_Text(kKnxHeaders[c]));
}

String TFKNXAccess::File_Path() const { return Path_KNX_SetAccess; }

void TFKNXAccess::Set_Limits() {
  Max_Num_Byte = kKnxBytes;
  Fill_Position_List(ACG_KNX_in_Write->Columns()->Items(knPosition)->ComboItems(), Max_Num_Byte);
}

void TFKNXAccess::After_Load() {
  // A priority the table does not offer reads as "Normal" (an empty one already did).
  for (int r = 1; r <= kKnxRows; ++r) {
    const String p = ACG_KNX_in_Write->GetCellEx(knPriority, r);
    if (!p.empty() && !Knx_Priority(p)) ACG_KNX_in_Write->SetCellEx(knPriority, r, u"Normal");
  }
}

String TFKNXAccess::Row_Failure(int R, Char Separator) const {
  auto cell = [&](int Col) { return ACG_KNX_in_Write->GetCellEx(Col, R); };
  if (Check_KNX_Address(Trim(cell(knSource)), false, true) != 0) return UI_Text(5349);
  const String dest = Trim(cell(knDest));
  if (Is_KNX_Group_Address(dest)) {
    if (Check_KNX_Address(dest, true, false) != 0) return UI_Text(5351);
  } else if (Check_KNX_Address(dest, false, true) != 0) {
    return UI_Text(5350);
  }
  int32_t v = 0;
  const String apci = UpperCase(Trim(cell(knAPCI)));
  if (apci != u"READ" && apci != u"WRITE" && !Knx_In_Range(cell(knAPCI), 0, 1023, v)) return UI_Text(5352);
  if (!Knx_Priority(cell(knPriority))) return UI_Text(5353);
  if (Trim(cell(knFormat)).empty()) return UI_Text(5354);
  float factor = 0;
  const String mul = Trim(cell(knMulFactor));
  if (!mul.empty() && !Text_To_Float(mul, Separator, factor)) return UI_Text(5365);
  if (UpperCase(cell(knOnTimer)) == u"Y" && !Knx_In_Range(cell(knPollTime), 1, 100000000, v)) return UI_Text(5355);
  int32_t position = 0;
  if (!Knx_In_Range(cell(knPosition), 0, Max_Num_Byte - 1, position)) return UI_Text(5356) + IntToStr(Max_Num_Byte - 1);
  const bool byteMode = UpperCase(cell(knBitMode)) == u"NO";
  int32_t bit = 0;
  if (!byteMode && !Knx_In_Range(cell(knBitMode), 0, 7, bit)) return UI_Text(5357);
  const bool extended = UpperCase(cell(knExtended)) == u"Y";
  const int32_t limit = byteMode ? (extended ? 255 : 14) : (extended ? 2040 : 112);
  int32_t length = 0;
  if (!Knx_In_Range(cell(knLength), 1, limit, length)) return UI_Text(5358) + IntToStr(limit);
  const int32_t used = byteMode ? length : (length + bit + 7) / 8;
  if (position + used > Max_Num_Byte) return UI_Text(5359) + IntToStr(Max_Num_Byte);
  if (!Knx_In_Range(cell(knTimeOut), 0, 100000000, v)) return UI_Text(5366);
  return String();
}

bool TFKNXAccess::Controllo_dati() {
  const Char separator = Get_Decimal_Separator();
  for (int r = 1; r <= kKnxRows; ++r) {
    if (Trim(ACG_KNX_in_Write->GetCellEx(knSource, r)).empty()) return true;
    if (Trim(ACG_KNX_in_Write->GetCellEx(knEnable, r)) != u"Y") continue;
    const String failure = Row_Failure(r, separator);
    if (!failure.empty()) {
      Show_Row_Error(kKnxErrorRow, r, failure);
      return false;
    }
  }
  return true;
}

void TFKNXAccess::Delete_Row(int Row, TAdvStringGrid* Grid) {
  const int last = Grid->RowCount() - 1;
  const int cols = Grid->ColCount();
  if (Row < 1 || Row > last) return;
  for (int r = Row; r < last; ++r)
    for (int c = 1; c < cols; ++c) Grid->SetCellEx(c, r, Grid->GetCellEx(c, r + 1));
  for (int c = 1; c < cols; ++c) Grid->SetCellEx(c, last, String());
}

void TFKNXAccess::Btn_DelRowClick(TObject*) {
  const int row = ACG_KNX_in_Write->GetRowEx();
  if (!Confirm_Delete_Row(kKnxDeleteQuestion, row)) return;
  Delete_Row(row, ACG_KNX_in_Write);
}
