#include "protocols/ethernet_it/UOPC_UA_Server_Access.h"

#include "platform/Dialogs.h"
#include "protocols/ethernet_it/EthernetItColumns.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFOPC_UA_Server_Access* FOPC_UA_Server_Access = nullptr;

namespace {

constexpr int kOpcPositionError = 4527;

struct TTypeLength {
  const char16_t* Type;
  const char16_t* Length;
  bool Fixed;
};
constexpr TTypeLength kOpcLengths[] = {
    {u"Boolean", u"1", true},     {u"Signed Byte", u"1", true}, {u"Byte", u"1", true},   {u"Int16", u"2", true},
    {u"UInt16", u"2", true},      {u"Int32", u"4", true},       {u"UInt32", u"4", true}, {u"Int64", u"8", true},
    {u"UInt64", u"8", true},      {u"Float", u"4", true},       {u"Double", u"8", true}, {u"String", u"10", false},
    {u"ByteString", u"10", false}};

// Cell colours of columns 1 .. 7.
constexpr TColor kOpcColours[] = {11589887, 16710368, 11075496, 11075496, 16045820, 16045820, 16777215};

TTableFormDef MakeServerVariablesDef() {
  TTableFormDef d;
  d.Name = u"FOPC_UA_Server_Access";
  d.ClientWidth = 1200;
  d.ClientHeight = 337;
  Use_Text_Block(d, 4500);
  d.DeleteQuestion = 4528;
  d.ButtonsFromLeft = true;
  d.ClickSelectsRow = false;
  d.Root = u"OPC_UA_Server";
  TTableGridDef g;
  g.Name = u"ASG";
  g.NumberHeader = 4514;
  g.DataRows = TFOPC_UA_Server_Access::Data_Rows;
  g.KeyColumn = TFOPC_UA_Server_Access::svType;
  g.StringGrid = true;
  g.FreedRowEnabled = true;
  g.Section = u"OPC_UA_Server_Variables";
  g.Columns = {Ethernet_It_Flag(4515, -1, u"Enable", 50, u"Y"), Ethernet_It_Column(4516, -1, u"Type", 120),
               Ethernet_It_Column(4517, -1, u"Position", 100),  Ethernet_It_Column(4518, -1, u"Length", 100),
               Ethernet_It_Column(4519, -1, u"Name", 280),      Ethernet_It_Column(4529, -1, u"ReadWrite", 100),
               Ethernet_It_Column(4520, -1, u"Mnemonic", 280)};
  d.Grids = {g};
  return d;
}

}  // namespace

const TTableFormDef& OPC_UA_Server_Access_Form_Def() {
  static const TTableFormDef def = MakeServerVariablesDef();
  return def;
}

TFOPC_UA_Server_Access::TFOPC_UA_Server_Access(TComponent* AOwner)
    : TTableForm(AOwner, OPC_UA_Server_Access_Form_Def()) {
  ASG = String_Grids[0];
  FVarType = std::make_unique<TStringList>();
  FRWType = std::make_unique<TStringList>();
  VarType = FVarType.get();
  RWType = FRWType.get();
  ASG->OnGetEditorType = [this](TObject* s, int c, int r, TEditorType& e) { ASGGetEditorType(s, c, r, e); };
  ASG->OnComboChange = [this](TObject* s, int c, int r, int i, const String& t) { ASGComboChange(s, c, r, i, t); };
}

TFOPC_UA_Server_Access::~TFOPC_UA_Server_Access() {
  if (FOPC_UA_Server_Access == this) FOPC_UA_Server_Access = nullptr;
}

void TFOPC_UA_Server_Access::FormCreate(TObject* Sender) {
  TTableForm::FormCreate(Sender);
  Init_Table();
}

void TFOPC_UA_Server_Access::Init_Table() {
  for (int r = 1; r <= Data_Rows; ++r) {
    ASG->SetCellEx(0, r, IntToStr(r));
    for (int c = svEnable; c <= svMnemonic; ++c) ASG->SetColors(c, r, kOpcColours[c - 1]);
    ASG->SetAlignments(svEnable, r, taCenter);
  }
  VarType->Clear();
  for (const TTypeLength& t : kOpcLengths) VarType->Add(t.Type);
  RWType->Clear();
  RWType->Add(u"Read Only");
  RWType->Add(u"Read/Write");
}

String TFOPC_UA_Server_Access::File_Path() const { return Path_OPC_UA_Server; }

void TFOPC_UA_Server_Access::VarSetLength(const String& Type, int Row) {
  for (const TTypeLength& t : kOpcLengths) {
    if (Type != t.Type) continue;
    ASG->SetCellEx(svLength, Row, t.Length);
    ASG->SetReadOnly(svLength, Row, t.Fixed);
    break;
  }
  if (ASG->GetCellEx(svReadWrite, Row).empty()) ASG->SetCellEx(svReadWrite, Row, u"Read/Write");
}

void TFOPC_UA_Server_Access::After_Load() {
  // A loaded row keeps its own Length and R/W; its type sets only whether Length is read-only.
  for (int r = 1; r <= Data_Rows; ++r) {
    const String length = ASG->GetCellEx(svLength, r), access = ASG->GetCellEx(svReadWrite, r);
    VarSetLength(ASG->GetCellEx(svType, r), r);
    ASG->SetCellEx(svLength, r, length);
    ASG->SetCellEx(svReadWrite, r, access);
  }
}

bool TFOPC_UA_Server_Access::Controllo_dati() {
  for (int r = 1; r <= Data_Rows; ++r) {
    bool enabled = false;
    if (Trim(ASG->GetCellEx(svType, r)).empty() || !ASG->GetCheckBoxState(svEnable, r, enabled) || !enabled) continue;
    const int32_t position = CellToInt(ASG->GetCellEx(svPosition, r), -1);
    if (position >= 0 && position <= Last_Position) continue;
    MessageDlg(FormatLiteralD(UI_Text(kOpcPositionError), {r, Last_Position}), mtError, TMsgDlgButtons{mbOK});
    return false;
  }
  return true;
}

void TFOPC_UA_Server_Access::ASGGetEditorType(TObject*, int ACol, int, TEditorType& AEditor) {
  TStringList* items = ACol == svType ? VarType : ACol == svReadWrite ? RWType : nullptr;
  if (!items) return;
  AEditor = edComboList;
  ASG->ClearComboString();
  for (int i = 0; i < items->Count(); ++i) ASG->AddComboString(items->Strings(i));
}

void TFOPC_UA_Server_Access::ASGComboChange(TObject*, int ACol, int ARow, int, const String& ASelection) {
  if (ACol == svType) VarSetLength(ASelection, ARow);
}

void TFOPC_UA_Server_Access::Btn_PasteRowClick(TObject* Sender) {
  TTableForm::Btn_PasteRowClick(Sender);
  const int r = ASG->GetRowEx();
  const String length = ASG->GetCellEx(svLength, r);
  VarSetLength(ASG->GetCellEx(svType, r), r);
  ASG->SetCellEx(svLength, r, length);
}
