#include "protocols/ethernet_it/UOPC_UA_Client_Access.h"

#include <algorithm>
#include <string>

#include "button/LbButton.h"
#include "platform/Dialogs.h"
#include "platform/Encoding.h"
#include "platform/ExtCtrls.h"
#include "protocols/ethernet_it/UOPC_UA_Add_Server.h"
#include "protocols/ethernet_it/UOPC_UA_Scan_Server.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"
#include "shell/UShellGlyphs.h"

TFOPC_UA_Client_Access* FOPC_UA_Client_Access = nullptr;

namespace {

constexpr int kServerColumns = 11;
constexpr int kServerWidths[kServerColumns] = {40, 50, 200, 100, 100, 90, 100, 100, 100, 100, 140};
constexpr int kServerPanelHeight = 220;
constexpr int kOpcTitleHeight = 17;

const std::vector<String> kOpcNodeTypes = {u"Numeric", u"String", u"Guid", u"ByteString"};
const std::vector<String> kOpcVarTypes = {u"Boolean", u"Int8",   u"UInt8",    u"Int16",  u"UInt16",
                                          u"Int32",   u"UInt32", u"Int64",    u"UInt64", u"Float",
                                          u"Double",  u"String", u"DateTime", u"Guid",   u"ByteString"};

TTableColumnDef Var_Column(int Header, int Hint, int Width, TEditorType Editor = edNormal,
                           std::vector<String> Items = {}) {
  TTableColumnDef c;
  c.Header = Header;
  c.Hint = Hint;
  c.Width = Width;
  c.Editor = Editor;
  c.Items = std::move(Items);
  return c;
}

TTableGridDef Var_Grid(bool Write) {
  TTableGridDef g;
  g.Name = Write ? u"ACG_OPC_UA_Var_W" : u"ACG_OPC_UA_Var_R";
  g.Sheet = Write ? u"TS_OPC_UA_Var_Write" : u"TS_OPC_UA_Var_Read";
  g.NumberHeader = Write ? 4164 : 4145;
  g.DataRows = OPC_UA_Max_Variables;
  g.KeyColumn = vcDisplayName;
  const int h = Write ? 4165 : 4146;  // headers of columns 1 .. 6
  const int t = Write ? 4177 : 4155;  // hints of columns 1 .. 6
  g.Columns = {Var_Column(h, t, 50, edDataCheckBox),
               Var_Column(h + 1, t + 1, 100),
               Var_Column(h + 2, t + 2, 90, edComboList, kOpcNodeTypes),
               Var_Column(h + 3, t + 3, 100),
               Var_Column(h + 4, t + 4, 90, edComboList, kOpcVarTypes),
               Var_Column(h + 5, t + 5, 120)};
  if (Write) {
    g.Columns.push_back(Var_Column(4171, 4184, 68, edDataCheckBox));
    g.Columns.push_back(Var_Column(4172, 4183, 52, edDataCheckBox));
    g.Columns.push_back(Var_Column(4173, 4185, 70, edDataCheckBox));
    g.Columns.push_back(Var_Column(4174, 4186, 80));
    g.Columns.push_back(Var_Column(4175, 4187, 70));
    g.Columns.push_back(Var_Column(4176, 4188, 182));
  } else {
    g.Columns.push_back(Var_Column(4205, 4208, 75, edComboList, {u"Variable", u"Array"}));
    g.Columns.push_back(Var_Column(4206, 4209, 55));
    g.Columns.push_back(Var_Column(4207, 4210, 55));
    g.Columns.push_back(Var_Column(4152, 4161, 80));
    g.Columns.push_back(Var_Column(4153, 4162, 70));
    g.Columns.push_back(Var_Column(4154, 4163, 187));
  }
  return g;
}

TTableFormDef MakeOpcClientDef() {
  TTableFormDef d;
  d.Name = u"FOPC_UA_Client_Access";
  d.ClientWidth = 1150;
  d.ClientHeight = 660;
  d.Caption = 4100;
  d.Description = 4101;
  d.ButtonCaptions = 4133;
  d.ButtonHints = 4139;
  d.DeleteQuestion = 4193;
  d.ButtonsFromLeft = true;
  d.HintByDisplayedColumn = true;
  d.Root = u"OPC_UA_Client";
  d.Grids = {Var_Grid(false), Var_Grid(true)};
  return d;
}

// A browse that brings more variables than a list has room for says how many were left out.
const char16_t* const kOpcLeftOut =
    u"The list of the server holds at most %d variables: %d browsed variables were not added to ";

String Opc_YN(bool b) { return b ? u"Y" : u"N"; }

}  // namespace

const TTableFormDef& OPC_UA_Client_Access_Form_Def() {
  static const TTableFormDef def = MakeOpcClientDef();
  return def;
}

TFOPC_UA_Client_Access::TFOPC_UA_Client_Access(TComponent* AOwner)
    : TTableForm(AOwner, OPC_UA_Client_Access_Form_Def()) {
  PC_OPC_UA_Vars = PageControl1;
  TS_OPC_UA_Var_Read = Sheets[0];
  TS_OPC_UA_Var_Write = Sheets[1];
  ACG_OPC_UA_Var_R = Grids[0];
  ACG_OPC_UA_Var_W = Grids[1];
  for (TAdvColumnGrid* g : {ACG_OPC_UA_Var_R, ACG_OPC_UA_Var_W}) {
    g->OnEnter = [this](TObject* s) { ACG_OPC_UA_Var_Enter(s); };
    g->OnExit = [this](TObject* s) { ACG_OPC_UA_Var_Exit(s); };
  }
  FHint_Server_List = std::make_unique<TStringList>();
  Hint_Server_List = FHint_Server_List.get();
  BuildServerPart();
}

TFOPC_UA_Client_Access::~TFOPC_UA_Client_Access() {
  if (FOPC_UA_Client_Access == this) FOPC_UA_Client_Access = nullptr;
}

// Top to bottom: title, server part (title strip, table, server buttons), splitter, variable
// part (title strip and the frame's page control), button row.
void TFOPC_UA_Client_Access::BuildServerPart() {
  auto title = [this](TWinControl* Parent, const String& Panel, const String& Label, TLabel*& Out) {
    TPanel* strip = Add_Panel(Parent, Panel, alTop, kOpcTitleHeight);
    Out = Add_Label(strip, Label, 8, 2);
    Apply_Title_Font(Out, -11, true);
    return strip;
  };
  P_OPC_UA_Server_List = Add_Panel(this, u"P_OPC_UA_Server_List", alTop, kServerPanelHeight);
  P_OPC_UA_Server_List->SetTop(Dialog_Title_Height);
  P_OPC_UA_Server_List_Title =
      title(P_OPC_UA_Server_List, u"P_OPC_UA_Server_List_Title", u"L_Server_List_Title", L_Server_List_Title);
  Panel2 = Add_Panel(P_OPC_UA_Server_List, u"Panel2", alBottom, 40);
  auto button = [this](const String& Name, int Left) {
    auto* b = Add_Control<TLbButton>(Panel2, Name);
    b->SetBounds(Left, 6, 110, 28);
    Apply_Dialog_Button_Look(b);
    b->SetShowHint(true);
    return b;
  };
  Btn_Add_Server = button(u"Btn_Add_Server", 16);
  Btn_Modify_Server = button(u"Btn_Modify_Server", 134);
  Btn_Delete_Server = button(u"Btn_Delete_Server", 252);
  Btn_Scan_Server = button(u"Btn_Scan_Server", 370);
  Btn_Add_Server->OnClick = [this](TObject*) { Add_Server(); };
  Btn_Modify_Server->OnClick = [this](TObject*) { Modify_Server(); };
  Btn_Delete_Server->OnClick = [this](TObject*) { Delete_Server(); };
  Btn_Scan_Server->OnClick = [this](TObject*) { Scan_Server(); };

  TAdvColumnGrid* g = ACG_OPC_UA_Server = Add_Control<TAdvColumnGrid>(P_OPC_UA_Server_List, u"ACG_OPC_UA_Server");
  g->SetAlign(alClient);
  g->SetColCount(kServerColumns);
  g->SetRowCount(2);
  g->SetFixedCols(1);
  g->SetFixedRows(1);
  g->SetDefaultRowHeight(21);
  g->SetOptions(TGridOptions(g->Options()).Include(goRowSelect).Include(goColSizing).Exclude(goEditing));
  g->SetShowHint(true);
  for (int c = 0; c < kServerColumns; ++c) {
    TGridColumnItem* item = g->Columns()->Items(c);
    item->SetWidth(kServerWidths[c]);
    item->SetReadOnly(true);
  }
  g->Columns()->Items(1)->SetEditor(edDataCheckBox);
  g->OnGridHint = [this](TObject* s, int r, int c, String& h) { Grid_Hint(s, r, c, h); };
  g->OnClickCell = [this](TObject* s, int r, int c) { ACG_OPC_UA_ServerClickCell(s, r, c); };
  g->OnDblClickCell = [this](TObject* s, int r, int c) { ACG_OPC_UA_ServerDblClickCell(s, r, c); };

  Splitter1 = Add_Control<TSplitter>(this, u"Splitter1");
  Splitter1->SetTop(Dialog_Title_Height + kServerPanelHeight);
  Splitter1->SetHeight(3);
  Splitter1->SetAlign(alTop);
  P_OPC_UA_Var_List = Add_Panel(this, u"P_OPC_UA_Var_List", alClient, 0);
  Panel4 = title(P_OPC_UA_Var_List, u"Panel4", u"L_Variables_List_Title", L_Variables_List_Title);
  PC_OPC_UA_Vars->SetName(u"PC_OPC_UA_Vars");
  PC_OPC_UA_Vars->SetParent(P_OPC_UA_Var_List);

  Btn_AutoPosition = Add_Control<TLbButton>(P_Button, u"Btn_AutoPosition");
  Btn_AutoPosition->SetBounds(724, 6, 110, 28);
  Apply_Dialog_Button_Look(Btn_AutoPosition);
  Btn_AutoPosition->SetCaption(u"Auto Pos");
  Btn_AutoPosition->OnClick = [this](TObject* s) { Btn_AutoPositionClick(s); };
}

String TFOPC_UA_Client_Access::File_Path() const { return Path_OPC_UA_Client; }

// ---- creation and texts ----

void TFOPC_UA_Client_Access::FormCreate(TObject* Sender) {
  TTableForm::FormCreate(Sender);
  Hint_Var_R_List = Hint_Lists[0].get();
  Hint_Var_W_List = Hint_Lists[1].get();
}

void TFOPC_UA_Client_Access::Set_Lang() {
  TTableForm::Set_Lang();
  Set_Texts({{L_Server_List_Title, 4102},
             {Btn_Add_Server, 4103, 4107},
             {Btn_Modify_Server, 4104, 4108},
             {Btn_Delete_Server, 4105, 4109},
             {Btn_Scan_Server, 4106, 4110},
             {L_Variables_List_Title, 4132}});
  for (int c = 0; c < kServerColumns; ++c) ACG_OPC_UA_Server->Columns()->Items(c)->SetHeader(UI_Text(4111 + c));
  Hint_Server_List->Clear();
  for (int i = 4122; i <= 4131; ++i) Hint_Server_List->Add(UI_Text(i));
  TS_OPC_UA_Var_Read->SetCaption(u"Variables in Read");
  TS_OPC_UA_Var_Write->SetCaption(u"Variables in Write");
}

void TFOPC_UA_Client_Access::Grid_Hint(TObject* Sender, int ARow, int ACol, String& Hint) {
  if (Sender != ACG_OPC_UA_Server) {
    TTableForm::Grid_Hint(Sender, ARow, ACol, Hint);
    return;
  }
  Hint.clear();
  if (ARow == 0 && ACol >= 1 && ACol - 1 < Hint_Server_List->Count()) Hint = Hint_Server_List->Strings(ACol - 1);
}

// ---- show, load, save ----

void TFOPC_UA_Client_Access::FormShow(TObject*) {
  ACG_OPC_UA_Server->SetRowCount(2);
  for (int c = 0; c < kServerColumns; ++c) ACG_OPC_UA_Server->SetCellEx(c, 1, String());
  Erase_OPC_UA_Var_R_List();
  Erase_OPC_UA_Var_W_List();
  Delete_Server_Var_OPC_UA();
  Load_Tables();
  Show_OPC_UA_Server_List();
  Show_OPC_UA_Var_List();
  for (size_t i = 0; i < Copy_Flags.size(); ++i) Copy_Flags[i] = false;
  Ind_Server = -1;
}

void TFOPC_UA_Client_Access::Load_Tables() {
  Set_Load_Incomplete(false);
  try {
    Load_OPC_UA_Client(File_Path(), OPC_UA_Server_List);
  } catch (const std::exception& E) {
    // What was read stays; OK asks before it replaces the file.
    Set_Load_Incomplete(true);
    Application->ShowException(E);
  }
}

void TFOPC_UA_Client_Access::Save_Tables() { Save_OPC_UA_Client(OPC_UA_Server_List, File_Path()); }

bool TFOPC_UA_Client_Access::Controllo_Dati() {
  const String failure = Check_OPC_UA_Client(OPC_UA_Server_List);
  if (failure.empty()) return true;
  MessageDlg(failure, mtError, TMsgDlgButtons{mbOK});
  return false;
}

void TFOPC_UA_Client_Access::Delete_Server_Var_OPC_UA() { OPC_UA_Server_List.clear(); }

int TFOPC_UA_Client_Access::Current_Server() const {
  const int r = ACG_OPC_UA_Server->GetRowEx();
  return r >= 1 && r <= static_cast<int>(OPC_UA_Server_List.size()) ? r - 1 : -1;
}

// ---- redraw ----

void TFOPC_UA_Client_Access::Show_OPC_UA_Server_List() {
  TAdvColumnGrid* g = ACG_OPC_UA_Server;
  if (OPC_UA_Server_List.empty()) {
    g->SetRowCount(2);
    for (int c = 0; c < kServerColumns; ++c) g->SetCellEx(c, 1, String());
    return;
  }
  g->SetRowCount(static_cast<int>(OPC_UA_Server_List.size()) + 1);
  for (size_t i = 0; i < OPC_UA_Server_List.size(); ++i) {
    const TOPC_UA_Server& s = *OPC_UA_Server_List[i];
    const int r = static_cast<int>(i) + 1;
    const String cells[kServerColumns] = {IntToStr(r),    Opc_YN(s.Enable), s.ServerAddress, s.Authorization,
                                          s.UserName,     s.Password,       s.Certificate,   s.PrivateKey,
                                          s.SecurityType, s.SecurityPolicy, s.Mnemonic};
    for (int c = 0; c < kServerColumns; ++c) g->SetCellEx(c, r, cells[c]);
  }
}

void TFOPC_UA_Client_Access::Erase_Var_List(TAdvColumnGrid* Grid) {
  const int last = Grid->ColCount() + Grid->NumHiddenColumns() - 1;
  for (int r = 1; r <= OPC_UA_Max_Variables; ++r) {
    Grid->SetCellEx(0, r, IntToStr(r));
    Grid->SetCellEx(vcEnable, r, u"Y");
    for (int c = vcEnable + 1; c <= last; ++c) Grid->SetCellEx(c, r, String());
  }
}

void TFOPC_UA_Client_Access::Erase_OPC_UA_Var_R_List() { Erase_Var_List(ACG_OPC_UA_Var_R); }

void TFOPC_UA_Client_Access::Erase_OPC_UA_Var_W_List() { Erase_Var_List(ACG_OPC_UA_Var_W); }

void TFOPC_UA_Client_Access::Show_OPC_UA_Var_List() {
  Erase_OPC_UA_Var_R_List();
  Erase_OPC_UA_Var_W_List();
  const int s = Current_Server();
  if (s < 0) return;
  const TOPC_UA_Server& server = *OPC_UA_Server_List[static_cast<size_t>(s)];
  auto common = [](TAdvColumnGrid* g, int r, const TOPC_UA_Variable& v) {
    g->SetCellEx(vcEnable, r, Opc_YN(v.Enable));
    g->SetCellEx(vcDisplayName, r, v.DispalyName);
    g->SetCellEx(vcNodeType, r, v.NodeType());
    g->SetCellEx(vcNodeID, r, v.NodeID());
    g->SetCellEx(vcVarType, r, v.VarType());
    g->SetCellEx(vcNameSpace, r, IntToStr(v.nameSpaceIndex));
    g->SetCellEx(vcTime, r, v.Time);
    g->SetCellEx(vcPosition, r, v.Position);
    g->SetCellEx(vcMnemonic, r, v.Mnemonic);
  };
  for (size_t i = 0; i < server.Var_List_R.size() && i < OPC_UA_Max_Variables; ++i) {
    const TOPC_UA_Variable& v = *server.Var_List_R[i];
    const int r = static_cast<int>(i) + 1;
    common(ACG_OPC_UA_Var_R, r, v);
    ACG_OPC_UA_Var_R->SetCellEx(vcVarArray, r, v.VarArray);
    ACG_OPC_UA_Var_R->SetCellEx(vcStart, r, v.Start);
    ACG_OPC_UA_Var_R->SetCellEx(vcLength, r, v.Len);
  }
  for (size_t i = 0; i < server.Var_List_W.size() && i < OPC_UA_Max_Variables; ++i) {
    const TOPC_UA_Variable& v = *server.Var_List_W[i];
    const int r = static_cast<int>(i) + 1;
    common(ACG_OPC_UA_Var_W, r, v);
    ACG_OPC_UA_Var_W->SetCellEx(vcOnChange, r, v.OnChange);
    ACG_OPC_UA_Var_W->SetCellEx(vcOnCMD, r, v.OnCMD);
    ACG_OPC_UA_Var_W->SetCellEx(vcOnTimer, r, v.OnTimer);
  }
}

// ---- storing a variable table ----

void TFOPC_UA_Client_Access::ACG_OPC_UA_Var_Enter(TObject*) { Ind_Server = Current_Server(); }

void TFOPC_UA_Client_Access::ACG_OPC_UA_Var_Exit(TObject* Sender) {
  if (Ind_Server >= 0) {
    if (Sender == ACG_OPC_UA_Var_R) Save_Variable_in_Read();
    if (Sender == ACG_OPC_UA_Var_W) Save_Variable_in_Write();
  }
  Ind_Server = -1;
}

namespace {

// The columns both variable tables share, of row R.
std::unique_ptr<TOPC_UA_Variable> Opc_Row_Variable(TAdvColumnGrid* g, int r) {
  auto v = std::make_unique<TOPC_UA_Variable>();
  v->Enable = g->GetCellEx(vcEnable, r) == u"Y";
  v->DispalyName = g->GetCellEx(vcDisplayName, r);
  v->SetNodeType(g->GetCellEx(vcNodeType, r));
  v->SetNodeID(g->GetCellEx(vcNodeID, r));
  v->SetVarType(g->GetCellEx(vcVarType, r));
  v->nameSpaceIndex = static_cast<uint16_t>(CellToInt(g->GetCellEx(vcNameSpace, r), 0));
  v->Time = g->GetCellEx(vcTime, r);
  v->Position = g->GetCellEx(vcPosition, r);
  v->Mnemonic = g->GetCellEx(vcMnemonic, r);
  return v;
}

}  // namespace

void TFOPC_UA_Client_Access::Save_Variable_in_Read() {
  if (Ind_Server < 0 || Ind_Server >= static_cast<int>(OPC_UA_Server_List.size())) return;
  auto& list = OPC_UA_Server_List[static_cast<size_t>(Ind_Server)]->Var_List_R;
  list.clear();
  TAdvColumnGrid* g = ACG_OPC_UA_Var_R;
  for (int r = 1; r <= OPC_UA_Max_Variables && !g->GetCellEx(vcDisplayName, r).empty(); ++r) {
    auto v = Opc_Row_Variable(g, r);
    v->OnChange = v->OnCMD = v->OnTimer = u"N";
    v->VarArray = g->GetCellEx(vcVarArray, r);
    v->Start = g->GetCellEx(vcStart, r);
    v->Len = g->GetCellEx(vcLength, r);
    list.push_back(std::move(v));
  }
}

void TFOPC_UA_Client_Access::Save_Variable_in_Write() {
  if (Ind_Server < 0 || Ind_Server >= static_cast<int>(OPC_UA_Server_List.size())) return;
  auto& list = OPC_UA_Server_List[static_cast<size_t>(Ind_Server)]->Var_List_W;
  list.clear();
  TAdvColumnGrid* g = ACG_OPC_UA_Var_W;
  for (int r = 1; r <= OPC_UA_Max_Variables && !g->GetCellEx(vcDisplayName, r).empty(); ++r) {
    auto v = Opc_Row_Variable(g, r);
    v->OnChange = g->GetCellEx(vcOnChange, r);
    v->OnCMD = g->GetCellEx(vcOnCMD, r);
    v->OnTimer = g->GetCellEx(vcOnTimer, r);
    list.push_back(std::move(v));
  }
}

void TFOPC_UA_Client_Access::Store(int Grid_Index) {
  const int s = Current_Server();
  if (s < 0) return;
  Ind_Server = s;
  if (Grid_Index == 0)
    Save_Variable_in_Read();
  else
    Save_Variable_in_Write();
  Ind_Server = -1;
}

void TFOPC_UA_Client_Access::After_Row_Change(int Index) { Store(Index); }

// ---- server table ----

void TFOPC_UA_Client_Access::ACG_OPC_UA_ServerClickCell(TObject*, int ARow, int) {
  if (ARow > 0) Show_OPC_UA_Var_List();
}

void TFOPC_UA_Client_Access::ACG_OPC_UA_ServerDblClickCell(TObject*, int ARow, int) {
  if (ARow == -1)
    Add_Server();
  else
    Modify_Server();
}

namespace {

TFOPC_UA_Add_Server* Opc_Entry_Dialog() { return Table_Form_On_Demand(FOPC_UA_Add_Server); }

void Opc_Take_Entry(const TFOPC_UA_Add_Server& d, TOPC_UA_Server& s) {
  s.Enable = d.CB_OPC_UA_Server_Enable->Checked();
  s.ServerAddress = d.E_Server_Add->Text();
  s.Authorization = OPC_UA_Auth_To_Text(d.CB_Auth->ItemIndex());
  s.UserName = d.E_User->Text();
  s.Password = d.E_Pass->Text();
  s.Certificate = d.RE_Certificate->Text();
  s.PrivateKey = d.RE_Priv_Key->Text();
  s.SecurityType = OPC_UA_Mode_To_Text(d.CB_Sec_Type->ItemIndex());
  s.SecurityPolicy = OPC_UA_Policy_To_Text(d.CB_Sec_Policy->ItemIndex());
  s.Mnemonic = d.E_Mnemonic->Text();
}

}  // namespace

void TFOPC_UA_Client_Access::Add_Server() {
  TFOPC_UA_Add_Server* d = Opc_Entry_Dialog();
  d->FormType = 1;
  if (d->ShowModal() == mrOk) {
    auto s = std::make_unique<TOPC_UA_Server>();
    Opc_Take_Entry(*d, *s);
    OPC_UA_Server_List.push_back(std::move(s));
  }
  Show_OPC_UA_Server_List();
}

void TFOPC_UA_Client_Access::Modify_Server() {
  const int i = Current_Server();
  if (i < 0) return;
  TOPC_UA_Server& s = *OPC_UA_Server_List[static_cast<size_t>(i)];
  TFOPC_UA_Add_Server* d = Opc_Entry_Dialog();
  d->FormType = 2;
  d->CB_OPC_UA_Server_Enable->SetChecked(s.Enable);
  d->E_Server_Add->SetText(s.ServerAddress);
  d->CB_Auth->SetItemIndex(OPC_UA_Text_To_Auth(s.Authorization));
  d->E_User->SetText(s.UserName);
  d->E_Pass->SetText(s.Password);
  d->RE_Certificate->SetText(s.Certificate);
  d->RE_Priv_Key->SetText(s.PrivateKey);
  d->CB_Sec_Type->SetItemIndex(OPC_UA_Text_To_Mode(s.SecurityType));
  d->CB_Sec_Policy->SetItemIndex(OPC_UA_Text_To_Policy(s.SecurityPolicy));
  d->E_Mnemonic->SetText(s.Mnemonic);
  if (d->ShowModal() == mrOk) Opc_Take_Entry(*d, s);
  Show_OPC_UA_Server_List();
}

void TFOPC_UA_Client_Access::Delete_Server() {
  const int i = Current_Server();
  if (i < 0) return;
  if (MessageDlg(UI_Text(4189), mtConfirmation, TMsgDlgButtons{mbYes, mbNo, mbCancel}) != mrYes) return;
  OPC_UA_Server_List.erase(OPC_UA_Server_List.begin() + i);
  Show_OPC_UA_Server_List();
  Show_OPC_UA_Var_List();
}

void TFOPC_UA_Client_Access::Btn_AutoPositionClick(TObject*) {
  const int i = Current_Server();
  if (i < 0) return;
  if (MessageDlg(UI_Text(4194), mtConfirmation, TMsgDlgButtons{mbYes, mbNo}) != mrYes) return;
  int read = 0, write = 0;
  Start_Position(OPC_UA_Server_List, i + 1, read, write);
  Auto_Position(*OPC_UA_Server_List[static_cast<size_t>(i)], read, write);
  Show_OPC_UA_Var_List();
}

// ---- browse ----

void TFOPC_UA_Client_Access::Scan_Server() {
  const int i = Current_Server();
  if (i < 0) {
    MessageDlg(UI_Text(4190), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  TOPC_UA_Server& s = *OPC_UA_Server_List[static_cast<size_t>(i)];
  // The record's texts live until this routine ends.
  const std::string address = StringToUtf8(s.ServerAddress), user = StringToUtf8(s.UserName),
                    password = StringToUtf8(s.Password), cert = StringToUtf8(s.Certificate),
                    key = StringToUtf8(s.PrivateKey);
  TFOPC_UA_Scan_Server* scan = Table_Form_On_Demand(FOPC_UA_Scan_Server);
  scan->Server.server_address = address.c_str();
  scan->Server.username = user.c_str();
  scan->Server.password = password.c_str();
  scan->Server.cert = cert.c_str();
  scan->Server.priv_key = key.c_str();
  scan->Server.user_pass_auth_flag = OPC_UA_Text_To_Auth(s.Authorization);
  scan->Server.security_type = OPC_UA_Text_To_Mode(s.SecurityType);
  scan->Server.security_policy = OPC_UA_Text_To_Policy(s.SecurityPolicy);
  const int result = scan->ShowModal();
  scan->Server = opcua_server_to_discover();
  if (result != mrOk) return;
  if (!scan->List_Var.empty()) {
    const String sides[2] = {u"Read", u"Write"};
    for (int side = 0; side < 2; ++side) {
      auto& list = side == 0 ? s.Var_List_R : s.Var_List_W;
      int answer = mrYes;
      if (!list.empty())
        answer = MessageDlg(UI_Text(side == 0 ? 4191 : 4192), mtConfirmation, TMsgDlgButtons{mbYes, mbNo, mbCancel});
      if (answer == mrCancel) continue;
      if (answer == mrNo) list.clear();
      const int left_out = side == 0 ? Add_Variables_In_Read() : Add_Variables_In_Write();
      if (left_out > 0)
        MessageDlg(FormatLiteralD(kOpcLeftOut, {OPC_UA_Max_Variables, left_out}) + sides[side] + u".", mtWarning,
                   TMsgDlgButtons{mbOK});
    }
  }
  Show_OPC_UA_Var_List();
}

int TFOPC_UA_Client_Access::Add_Variables(std::vector<std::unique_ptr<TOPC_UA_Variable>>& List, int Tick_Column) {
  const TFOPC_UA_Scan_Server* scan = FOPC_UA_Scan_Server;
  if (!scan) return 0;
  TAdvColumnGrid* g = scan->ACG_OPC_UA_Scan_Var;
  int left_out = 0;
  for (int r = 1; r < g->RowCount() && r - 1 < static_cast<int>(scan->List_Var.size()); ++r) {
    if (g->GetCellEx(Tick_Column, r) != u"Y") continue;
    if (static_cast<int>(List.size()) >= OPC_UA_Max_Variables) {
      ++left_out;
      continue;
    }
    const opcua_structure& rec = scan->List_Var[static_cast<size_t>(r - 1)];
    const TOPC_UA_Scan_Texts& texts = scan->List_Var_Texts[static_cast<size_t>(r - 1)];
    auto v = std::make_unique<TOPC_UA_Variable>();
    v->Enable = true;
    v->nameSpaceIndex = rec.nameSpaceIndex;
    v->identifierType = rec.identifierType;
    v->numeric = rec.numeric;
    v->guide1 = rec.guide1;
    v->guide2 = rec.guide2;
    v->guide3 = rec.guide3;
    std::copy(std::begin(rec.guide4), std::end(rec.guide4), std::begin(v->guide4));
    v->dataType = rec.dataType;
    v->DispalyName = texts.DisplayName;
    v->stringname = texts.StringName;
    v->byteString = texts.ByteString;
    List.push_back(std::move(v));
  }
  return left_out;
}

int TFOPC_UA_Client_Access::Add_Variables_In_Read() {
  const int s = Current_Server();
  return s < 0 ? 0
               : Add_Variables(OPC_UA_Server_List[static_cast<size_t>(s)]->Var_List_R, TFOPC_UA_Scan_Server::scRead);
}

int TFOPC_UA_Client_Access::Add_Variables_In_Write() {
  const int s = Current_Server();
  return s < 0 ? 0
               : Add_Variables(OPC_UA_Server_List[static_cast<size_t>(s)]->Var_List_W, TFOPC_UA_Scan_Server::scWrite);
}
