#include "gateway/ULoRaWAN_GatewayForm.h"

#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFLoRaWAN_Gateway* FLoRaWAN_Gateway = nullptr;

TFLoRaWAN_Gateway* FLoRaWAN_Gateway_On_Demand() { return Table_Form_On_Demand(FLoRaWAN_Gateway); }

namespace {

constexpr int kDeviceColumns = 14;
constexpr int kDeviceQuestion = 3346;
constexpr int kDevicePanelHeight = 300;
constexpr int kTitleHeight = 20;

// Device-grid columns.
constexpr int dcEnable = 1, dcDeviceEUI = 2, dcActMethod = 5, dcNetSessKey = 6, dcAppSessKey = 7, dcAppKey = 8,
              dcClass = 10, dcRX2 = 12, dcMnemonic = 13;
constexpr int kDeviceWidths[kDeviceColumns] = {40, 50, 130, 130, 110, 230, 240, 240, 240, 90, 50, 90, 90, 150};
// Header texts of device columns 0 .. 13 and hints of columns 1 .. 13.
constexpr int kDeviceHeaders[kDeviceColumns] = {5418, 5419, 5420, 5421, 5422, 5423, 5424,
                                                5425, 5426, 5427, 5428, 5429, 5515, 5430};
constexpr int kDeviceHints[kDeviceColumns - 1] = {5431, 5432, 5433, 5434, 5435, 5436, 5437,
                                                  5438, 5439, 5440, 5441, 5516, 5442};

// Rule-grid columns (both grids: Enable 1, Port 2, Position Byte 9, Mnemonic 10).
constexpr int rcEnable = 1, rcPort = 2, rcStartTest = 3, rcHex = 5;
constexpr int rcOnChange = 5, rcOnCMD = 6, rcOnTimer = 7;

TTableColumnDef Column(int Header, int Width, TEditorType Editor = edNormal) {
  TTableColumnDef c;
  c.Header = Header;
  c.Editor = Editor;
  c.Width = Width;
  return c;
}

TTableGridDef RuleGrid(const String& Name, const String& Sheet, int SheetCaption, int Headers, bool Uplink) {
  TTableGridDef g;
  g.Name = Name;
  g.Sheet = Sheet;
  g.SheetCaption = SheetCaption;
  g.NumberHeader = Headers;
  g.DataRows = LoRaWAN_Max_Rules;
  g.KeyColumn = rcPort;
  g.DeleteQuestion = Uplink ? 3347 : 3348;
  const int h = Headers + 1;
  if (Uplink)
    g.Columns = {Column(h, 50, edDataCheckBox), Column(h + 1, 70),  Column(h + 2, 70), Column(h + 3, 70),
                 Column(h + 4, 45, edDataCheckBox), Column(h + 5, 200), Column(h + 6, 80), Column(h + 7, 95),
                 Column(h + 8, 95), Column(h + 9, 300)};
  else
    g.Columns = {Column(h, 50, edDataCheckBox), Column(h + 1, 70), Column(h + 2, 80), Column(h + 3, 95),
                 Column(h + 4, 80, edDataCheckBox), Column(h + 5, 70, edDataCheckBox),
                 Column(h + 6, 75, edDataCheckBox), Column(h + 7, 80), Column(h + 8, 95), Column(h + 9, 300)};
  for (size_t i = 0; i < g.Columns.size(); ++i) g.Columns[i].Hint = (Uplink ? 5454 : 5475) + static_cast<int>(i);
  return g;
}

TTableFormDef MakeLoRaWANFormDef() {
  TTableFormDef d;
  d.Name = u"FLoRaWAN_Gateway";
  d.ClientWidth = 1256;
  d.ClientHeight = 720;
  d.Caption = 5400;
  d.Description = 5401;
  d.ButtonCaptions = 5402;
  d.ButtonHints = 5408;
  d.ClickSelectsRow = false;
  d.Grids = {RuleGrid(u"ACG_LoRaWAN_Uplink", u"TS_LoRaWAN_Uplink_Rules_List", 5416, 5443, true),
             RuleGrid(u"ACG_LoRaWAN_Downlink", u"TS_LoRaWAN_Downlink_Rules_List", 5417, 5464, false)};
  return d;
}

String YN(bool b) { return b ? u"Y" : u"N"; }
bool IsY(const String& s) { return UpperCase(s) == u"Y"; }

void Fill(TStringList* List, std::initializer_list<const char16_t*> Items) {
  List->Clear();
  for (const char16_t* s : Items) List->Add(s);
}

void SetReadOnly(TAdvStringGrid* Grid, int ACol, int ARow, bool ReadOnly) {
  if (!ReadOnly && !Grid->HasCellProperties(ACol, ARow)) return;
  Grid->GetCellProperties(ACol, ARow)->SetReadOnly(ReadOnly);
}

}  // namespace

const TTableFormDef& LoRaWAN_Gateway_Form_Def() {
  static const TTableFormDef def = MakeLoRaWANFormDef();
  return def;
}

TFLoRaWAN_Gateway::TFLoRaWAN_Gateway(TComponent* AOwner) : TTableForm(AOwner, LoRaWAN_Gateway_Form_Def()) {
  PC_LoRaWAN_Device_Rules_List = PageControl1;
  TS_LoRaWAN_Uplink_Rules_List = Sheets[0];
  TS_LoRaWAN_Downlink_Rules_List = Sheets[1];
  ACG_LoRaWAN_Uplink = Grids[0];
  ACG_LoRaWAN_Downlink = Grids[1];
  BuildDeviceControls();
}

TFLoRaWAN_Gateway::~TFLoRaWAN_Gateway() {
  if (FLoRaWAN_Gateway == this) FLoRaWAN_Gateway = nullptr;
}

// Top to bottom: title, device panel, splitter, rules panel (title and the frame's page control),
// buttons.
void TFLoRaWAN_Gateway::BuildDeviceControls() {
  // A panel with a title strip above what fills the rest of it.
  auto titled = [this](const String& Name, TAlign Align, int Height, const String& Label, TLabel*& Title) {
    TPanel* p = Add_Panel(this, Name, Align, Height);
    TPanel* strip = Add_Panel(p, Name + u"_Title", alTop, kTitleHeight);
    Title = Add_Label(strip, Label, 8, 3);
    Apply_Title_Font(Title, -11, true);
    return p;
  };
  PLoRaWAN_Device_List = titled(u"PLoRaWAN_Device_List", alTop, kDevicePanelHeight, u"LLoRaWAN_Device_List_Title",
                                LLoRaWAN_Device_List_Title);
  PLoRaWAN_Device_List->SetTop(Dialog_Title_Height);
  ASG_LoRaWAN_Device_List = Add_Control<TAdvStringGrid>(PLoRaWAN_Device_List, u"ASG_LoRaWAN_Device_List");
  ASG_LoRaWAN_Device_List->SetAlign(alClient);
  Splitter1 = Add_Control<TSplitter>(this, u"Splitter1");
  Splitter1->SetTop(Dialog_Title_Height + kDevicePanelHeight);
  Splitter1->SetHeight(5);
  Splitter1->SetAlign(alTop);
  PLoRaWAN_Rules_List =
      titled(u"PLoRaWAN_Rules_List", alClient, 0, u"LLoRaWAN_Rules_List_Title", LLoRaWAN_Rules_List_Title);
  PageControl1->SetName(u"PC_LoRaWAN_Device_Rules_List");
  PageControl1->SetParent(PLoRaWAN_Rules_List);

  TAdvStringGrid* g = ASG_LoRaWAN_Device_List;
  g->SetColCount(kDeviceColumns);
  g->SetRowCount(LoRaWAN_Max_Devices + 1);
  g->SetFixedCols(1);
  g->SetFixedRows(1);
  g->SetDefaultRowHeight(21);
  g->SetOptions(TGridOptions(g->Options()).Include(goEditing).Include(goColSizing));
  g->SetShowHint(true);
  BindGridEvents(g);
  g->OnGetEditorType = [this](TObject* s, int c, int r, TEditorType& e) {
    ASG_LoRaWAN_Device_ListGetEditorType(s, c, r, e);
  };
  g->OnClick = [this](TObject* s) { ASG_LoRaWAN_Device_ListClick(s); };
  g->OnComboChange = [this](TObject* s, int c, int r, int i, const String& t) {
    ASG_LoRaWAN_Device_ListComboChange(s, c, r, i, t);
  };
  TAdvStringGrid* grids[3] = {g, ACG_LoRaWAN_Uplink, ACG_LoRaWAN_Downlink};
  for (TAdvStringGrid* grid : grids) {
    grid->OnEnter = [this](TObject* s) { Grid_Enter(s); };
    grid->OnExit = [this](TObject* s) { Grid_Exit(s); };
  }
}

String TFLoRaWAN_Gateway::File_Path() const { return Path_LoRaWAN_Gateway; }

// ---- creation and texts ----

void TFLoRaWAN_Gateway::FormCreate(TObject* Sender) {
  Hint_Dev_List = std::make_unique<TStringList>();
  Hint_Dev = Hint_Dev_List.get();
  TTableForm::FormCreate(Sender);  // code label, client size, hint lists, Set_Lang
  Hint_Uplink = Hint_Lists[0].get();
  Hint_Downlink = Hint_Lists[1].get();
  Init_Table();
  DeviceList = std::make_unique<TDeviceLoRaList>(LoRaWAN_Max_Devices);
  Act_Meth_SL = std::make_unique<TStringList>();
  Act_Meth_SL->Add(LoRaWAN_Act_ABP);
  Act_Meth_SL->Add(LoRaWAN_Act_OTAA);
  Class_SL = std::make_unique<TStringList>();
  Fill(Class_SL.get(), {u"A", u"C"});
  RX2_SL = std::make_unique<TStringList>();
  for (const String& s : LoRaWAN_RX2_Datarates(String())) RX2_SL->Add(s);
}

void TFLoRaWAN_Gateway::Set_Lang() {
  TTableForm::Set_Lang();
  Set_Texts({{LLoRaWAN_Device_List_Title, 5414}, {LLoRaWAN_Rules_List_Title, 5415}});
  Set_Device_Headers();
  if (Hint_Dev) {
    Hint_Dev->Clear();
    for (int h : kDeviceHints) Hint_Dev->Add(UI_Text(h));
  }
  // The mode decides which tab carries which caption.
  if (!ModeMaster) Set_Mode_Layout();
}

void TFLoRaWAN_Gateway::Set_Device_Headers() {
  for (int c = 0; c < kDeviceColumns; ++c) ASG_LoRaWAN_Device_List->SetCellEx(c, 0, UI_Text(kDeviceHeaders[c]));
}

void TFLoRaWAN_Gateway::Init_Table() {
  TAdvStringGrid* g = ASG_LoRaWAN_Device_List;
  g->SetColCount(kDeviceColumns);
  g->SetRowCount(LoRaWAN_Max_Devices + 1);
  Set_Device_Headers();
  g->AddCheckBoxColumn(dcEnable, false, false);
  for (int r = 1; r <= LoRaWAN_Max_Devices; ++r) {
    g->SetCellEx(0, r, IntToStr(r));
    g->GetCellProperties(dcEnable, r)->SetAlignment(taCenter);
  }
  for (int c = 0; c < kDeviceColumns; ++c) g->SetColWidths(c, kDeviceWidths[c]);
}

// ---- show ----

void TFLoRaWAN_Gateway::Reset_Grids() {
  Clear_Rules_List();
  Clear_Devices_Table();
  Clear_Rules_Tables();
}

void TFLoRaWAN_Gateway::Clear_Rules_List() {
  DeviceList->ClearAll();
  FRules_Device = -1;
}

void TFLoRaWAN_Gateway::Clear_Devices_Table() {
  TAdvStringGrid* g = ASG_LoRaWAN_Device_List;
  for (int r = 1; r <= LoRaWAN_Max_Devices; ++r) {
    g->SetCheckBoxState(dcEnable, r, true);
    for (int c = dcDeviceEUI; c <= dcMnemonic; ++c) g->SetCellEx(c, r, String());
  }
}

void TFLoRaWAN_Gateway::Clear_Rules_Tables() {
  Clear_Rules_Uplink_Tables();
  Clear_Rules_Downlink_Tables();
}

void TFLoRaWAN_Gateway::Clear_Rules_Uplink_Tables() {
  TAdvColumnGrid* g = ACG_LoRaWAN_Uplink;
  for (int r = 1; r <= LoRaWAN_Max_Rules; ++r) {
    g->SetCellEx(0, r, IntToStr(r));
    for (int c = 1; c <= 10; ++c) g->SetCellEx(c, r, c == rcEnable ? String(u"Y") : c == rcHex ? String(u"N") : String());
  }
}

void TFLoRaWAN_Gateway::Clear_Rules_Downlink_Tables() {
  TAdvColumnGrid* g = ACG_LoRaWAN_Downlink;
  for (int r = 1; r <= LoRaWAN_Max_Rules; ++r) {
    g->SetCellEx(0, r, IntToStr(r));
    for (int c = 1; c <= 10; ++c) {
      const bool no = c == rcOnChange || c == rcOnCMD || c == rcOnTimer;
      g->SetCellEx(c, r, c == rcEnable ? String(u"Y") : no ? String(u"N") : String());
    }
  }
}

bool TFLoRaWAN_Gateway::Is_a_Master() const { return ::Is_a_Master(Path_ParGen); }

void TFLoRaWAN_Gateway::Set_Limits() {
  ModeMaster = Is_a_Master();
  Set_Mode_Layout();
  PageControl1->SetActivePageIndex(0);
}

// Gateway: the device list above the rules, uplink first. End node: no device list, and the
// downlink grid (what the node sends) comes first as "Uplink Rules".
void TFLoRaWAN_Gateway::Set_Mode_Layout() {
  PLoRaWAN_Device_List->SetVisible(ModeMaster);
  Splitter1->SetVisible(ModeMaster);
  TTabSheet* first = ModeMaster ? TS_LoRaWAN_Uplink_Rules_List : TS_LoRaWAN_Downlink_Rules_List;
  TTabSheet* second = ModeMaster ? TS_LoRaWAN_Downlink_Rules_List : TS_LoRaWAN_Uplink_Rules_List;
  first->SetPageIndex(0);
  second->SetPageIndex(1);
  Set_Texts({{first, 5416}, {second, 5417}});
}

void TFLoRaWAN_Gateway::Load_Configuration() {
  const std::vector<String> rates = LoRaWAN_RX2_Datarates(Path_ParGen);
  RX2_SL->Clear();
  for (const String& s : rates) RX2_SL->Add(s);
  Set_Load_Incomplete(false);
  try {
    Load_LoRaWAN_Gateway_File(Path_LoRaWAN_Gateway, *DeviceList, ModeMaster);
  } catch (const std::exception& E) {
    // What was read before the failure is shown; OK asks before it replaces the file.
    Set_Load_Incomplete(true);
    Application->ShowException(E);
  }
}

void TFLoRaWAN_Gateway::After_Load() {
  Show_Data_Devices_Table();
  Show_Rules_Data();
  Last_Grid = 0;
  DoCopy_Dev = false;
}

void TFLoRaWAN_Gateway::Show_Data_Devices_Table() {
  TAdvStringGrid* g = ASG_LoRaWAN_Device_List;
  for (int i = 0; i < DeviceList->Count(); ++i) {
    const TDeviceLoRa& d = *DeviceList->Items(i);
    g->SetCheckBoxState(dcEnable, i + 1, d.Enable());
    for (int f = 0; f < 12; ++f) g->SetCellEx(dcDeviceEUI + f, i + 1, d.Field(f));
    Set_Key_Columns(i + 1);
  }
}

void TFLoRaWAN_Gateway::Set_Key_Columns(int ARow) {
  TAdvStringGrid* g = ASG_LoRaWAN_Device_List;
  const bool otaa = g->GetCellEx(dcActMethod, ARow) == LoRaWAN_Act_OTAA;
  SetReadOnly(g, dcNetSessKey, ARow, otaa);
  SetReadOnly(g, dcAppSessKey, ARow, otaa);
  SetReadOnly(g, dcAppKey, ARow, !otaa);
}

void TFLoRaWAN_Gateway::Editable_Row(int ARow) {
  for (int c = dcEnable; c <= dcMnemonic; ++c) SetReadOnly(ASG_LoRaWAN_Device_List, c, ARow, false);
  Set_Key_Columns(ARow);
}

void TFLoRaWAN_Gateway::Show_Rules_Data() {
  Clear_Rules_Tables();
  const int row = ASG_LoRaWAN_Device_List->GetRowEx();
  FRules_Device = ModeMaster ? (row >= 1 ? row - 1 : -1) : 0;
  if (FRules_Device < 0) return;
  const TDeviceLoRa& d = *DeviceList->Items(FRules_Device);
  Show_Rules(ACG_LoRaWAN_Uplink, d.UpLinkRules, TLoRaRuleKind::Uplink);
  Show_Rules(ACG_LoRaWAN_Downlink, d.DownLinkRules, TLoRaRuleKind::Downlink);
}

void TFLoRaWAN_Gateway::Show_Rules(TAdvColumnGrid* Grid, const TRuleLoRaList& Rules, TLoRaRuleKind Kind) {
  for (int i = 0; i < Rules.Count() && i < LoRaWAN_Max_Rules; ++i) {
    const TRuleLoRa& r = *Rules.Items(i);
    const int row = i + 1;
    Grid->SetCellEx(rcEnable, row, YN(r.Enable()));
    Grid->SetCellEx(rcPort, row, r.Port());
    if (Kind == TLoRaRuleKind::Uplink) {
      const String cells[] = {r.StartTest(), r.LenTest(), YN(r.HexTest()), r.ValueTest(),
                              r.StartBit(),  r.NumBits(), r.PosBit(),      r.Mnemonic()};
      for (int c = 0; c < 8; ++c) Grid->SetCellEx(3 + c, row, cells[c]);
    } else {
      const String cells[] = {r.StartBit(),      r.NumBits(), YN(r.OnChange()), YN(r.OnCMD()),
                              YN(r.OnTimer()),   r.Time(),    r.PosBit(),       r.Mnemonic()};
      for (int c = 0; c < 8; ++c) Grid->SetCellEx(3 + c, row, cells[c]);
    }
  }
}

// ---- storing the grids ----

void TFLoRaWAN_Gateway::Grid_Enter(TObject* Sender) {
  if (Sender == ASG_LoRaWAN_Device_List) Last_Grid = 0;
  else if (Sender == ACG_LoRaWAN_Uplink) Last_Grid = 1;
  else if (Sender == ACG_LoRaWAN_Downlink) Last_Grid = 2;
}

void TFLoRaWAN_Gateway::Grid_Exit(TObject* Sender) {
  if (Sender == ASG_LoRaWAN_Device_List) Save_Device_List();
  else if (Sender == ACG_LoRaWAN_Uplink) Save_UpLink_Rules_List();
  else if (Sender == ACG_LoRaWAN_Downlink) Save_DownLink_Rules_List();
}

void TFLoRaWAN_Gateway::Save_Device_List() {
  TAdvStringGrid* g = ASG_LoRaWAN_Device_List;
  int r = 1;
  for (; r <= LoRaWAN_Max_Devices && !Trim(g->GetCellEx(dcDeviceEUI, r)).empty(); ++r) {
    TDeviceLoRa& d = *DeviceList->Items(r - 1);
    bool state = false;
    d.SetEnable(g->GetCheckBoxState(dcEnable, r, state) && state);
    for (int f = 0; f < 12; ++f) d.SetField(f, g->GetCellEx(dcDeviceEUI + f, r));
  }
  // Past the first blank Device EUI the grid alone holds the texts: the rows there are neither
  // checked nor written, and are copied once the gap is filled.
  for (; r <= LoRaWAN_Max_Devices; ++r) {
    TDeviceLoRa& d = *DeviceList->Items(r - 1);
    for (int f = 0; f < 12; ++f) d.SetField(f, String());
  }
}

void TFLoRaWAN_Gateway::Save_UpLink_Rules_List() { Store_Rules(ACG_LoRaWAN_Uplink, TLoRaRuleKind::Uplink); }

void TFLoRaWAN_Gateway::Save_DownLink_Rules_List() { Store_Rules(ACG_LoRaWAN_Downlink, TLoRaRuleKind::Downlink); }

// Into the device the grid shows, which is the current row's: a row move refreshes the rule grids.
void TFLoRaWAN_Gateway::Store_Rules(TAdvColumnGrid* Grid, TLoRaRuleKind Kind) {
  const int target = ModeMaster ? FRules_Device : 0;
  if (target < 0) return;
  TRuleLoRaList& rules = TDeviceLoRaList::Rules(*DeviceList->Items(target), Kind);
  rules.Clear();
  const bool up = Kind == TLoRaRuleKind::Uplink;
  for (int row = 1; row <= LoRaWAN_Max_Rules; ++row) {
    // An uplink row with a Start Test and no Port is still a rule.
    if (Trim(Grid->GetCellEx(rcPort, row)).empty() && (!up || Trim(Grid->GetCellEx(rcStartTest, row)).empty()))
      break;
    TRuleLoRa& r = *rules.Add();
    r.SetEnable(IsY(Grid->GetCellEx(rcEnable, row)));
    r.SetPort(Grid->GetCellEx(rcPort, row));
    if (up) {
      r.SetStartTest(Grid->GetCellEx(3, row));
      r.SetLenTest(Grid->GetCellEx(4, row));
      r.SetHexTest(IsY(Grid->GetCellEx(5, row)));
      r.SetValueTest(Grid->GetCellEx(6, row));
      r.SetStartBit(Grid->GetCellEx(7, row));
      r.SetNumBits(Grid->GetCellEx(8, row));
    } else {
      r.SetStartBit(Grid->GetCellEx(3, row));
      r.SetNumBits(Grid->GetCellEx(4, row));
      r.SetOnChange(IsY(Grid->GetCellEx(5, row)));
      r.SetOnCMD(IsY(Grid->GetCellEx(6, row)));
      r.SetOnTimer(IsY(Grid->GetCellEx(7, row)));
      r.SetTime(Grid->GetCellEx(8, row));
    }
    r.SetPosBit(Grid->GetCellEx(9, row));
    r.SetMnemonic(Grid->GetCellEx(10, row));
  }
}

void TFLoRaWAN_Gateway::Save_Configuration() {
  Save_LoRaWAN_Gateway_File(Path_LoRaWAN_Gateway, *DeviceList);
  SetModalResult(mrOk);
}

bool TFLoRaWAN_Gateway::Check_Tables() { return Check_Data(); }

bool TFLoRaWAN_Gateway::Check_Data() {
  if (ModeMaster) return ::Check_Data(*DeviceList);
  // The end node's identity is the communication parameters'; the form shows only its rules.
  const TDeviceLoRa& node = *DeviceList->Items(0);
  String message;
  if (Trim(node.DeviceEUI()).empty() || Check_LoRaWAN_Rules(node, 1, message)) return true;
  MessageDlg(message, mtError, TMsgDlgButtons{mbOK});
  return false;
}

// ---- device grid events ----

void TFLoRaWAN_Gateway::ASG_LoRaWAN_Device_ListGetEditorType(TObject*, int ACol, int, TEditorType& AEditor) {
  TStringList* items = ACol == dcActMethod ? Act_Meth_SL.get()
                       : ACol == dcClass   ? Class_SL.get()
                       : ACol == dcRX2     ? RX2_SL.get()
                                           : nullptr;
  if (!items) return;
  AEditor = edComboList;
  ASG_LoRaWAN_Device_List->ClearComboString();
  for (int i = 0; i < items->Count(); ++i) ASG_LoRaWAN_Device_List->AddComboString(items->Strings(i));
}

void TFLoRaWAN_Gateway::ASG_LoRaWAN_Device_ListComboChange(TObject*, int ACol, int ARow, int, const String& ASelection) {
  if (ASG_LoRaWAN_Device_List->RealColIndex(ACol) != dcActMethod) return;
  TAdvStringGrid* g = ASG_LoRaWAN_Device_List;
  const bool otaa = ASelection == LoRaWAN_Act_OTAA;
  SetReadOnly(g, dcNetSessKey, ARow, otaa);
  SetReadOnly(g, dcAppSessKey, ARow, otaa);
  SetReadOnly(g, dcAppKey, ARow, !otaa);
  g->Invalidate();
}

void TFLoRaWAN_Gateway::ASG_LoRaWAN_Device_ListClick(TObject*) {
  const int row = ASG_LoRaWAN_Device_List->GetRowEx();
  if (!ModeMaster || row - 1 == FRules_Device) return;
  // The rules shown belong to the device being left.
  Save_UpLink_Rules_List();
  Save_DownLink_Rules_List();
  Show_Rules_Data();
  FMoved_To_Row = row;
}

void TFLoRaWAN_Gateway::Grid_ClickCell(TObject* Sender, int ARow, int) {
  if (Sender != ASG_LoRaWAN_Device_List) return;
  // A click that moved the row has refreshed the rules already.
  const bool refreshed = FMoved_To_Row == ARow;
  FMoved_To_Row = -1;
  if (!refreshed && ARow >= 1) Show_Rules_Data();
}

void TFLoRaWAN_Gateway::Grid_Hint(TObject* Sender, int ARow, int ACol, String& Hint) {
  if (Sender != ASG_LoRaWAN_Device_List) return TTableForm::Grid_Hint(Sender, ARow, ACol, Hint);
  Hint.clear();
  const int c = ASG_LoRaWAN_Device_List->RealColIndex(ACol);
  if (ARow == 0 && c >= 1 && c - 1 < Hint_Dev->Count()) Hint = Hint_Dev->Strings(c - 1);
}

// ---- row buttons: on the grid entered last ----

void TFLoRaWAN_Gateway::After_Row_Change(int Index) {
  if (Index == 0)
    Save_UpLink_Rules_List();
  else
    Save_DownLink_Rules_List();
}

int TFLoRaWAN_Gateway::Row_Target() const {
  if (ModeMaster || Last_Grid != 0) return Last_Grid;
  // An end node has no device grid: before a rule grid was entered, the visible one.
  return PageControl1->ActivePage() == TS_LoRaWAN_Downlink_Rules_List ? 2 : 1;
}

void TFLoRaWAN_Gateway::Btn_CopyRowClick(TObject* Sender) {
  if (Row_Target() != 0) {
    DoCopy_Dev = false;
    return TTableForm::Btn_CopyRowClick(Sender);
  }
  const int row = ASG_LoRaWAN_Device_List->GetRowEx();
  Grid_Copy_Row_CB(ASG_LoRaWAN_Device_List, row);
  DeviceList->CopyDevice(row - 1);  // the rules travel with the copied row
  DoCopy_Dev = true;
  for (size_t i = 0; i < Copy_Flags.size(); ++i) Copy_Flags[i] = false;
}

void TFLoRaWAN_Gateway::Btn_PasteRowClick(TObject* Sender) {
  if (Row_Target() != 0) return TTableForm::Btn_PasteRowClick(Sender);
  const int row = ASG_LoRaWAN_Device_List->GetRowEx();
  if (Grid_Paste_Row_CB(ASG_LoRaWAN_Device_List, row, DoCopy_Dev)) {
    DeviceList->PasteDevice(row - 1);
    Set_Key_Columns(row);
  }
  Save_Device_List();
  Show_Rules_Data();
}

void TFLoRaWAN_Gateway::Btn_InsRowClick(TObject* Sender) {
  if (Row_Target() != 0) return TTableForm::Btn_InsRowClick(Sender);
  const int row = ASG_LoRaWAN_Device_List->GetRowEx();
  Grid_Insert_Row_CB(row, ASG_LoRaWAN_Device_List, true);
  // The grid's last row dropped out: so does its device, with its rules.
  const int last = DeviceList->Count() - 1;
  if (!Trim(DeviceList->Items(last)->DeviceEUI()).empty()) DeviceList->DeleteDevice(last);
  DeviceList->InsertDevice(row - 1, true);
  Set_Key_Columns(row);
  Save_Device_List();
  Show_Rules_Data();
}

void TFLoRaWAN_Gateway::Btn_DelRowClick(TObject* Sender) {
  if (Row_Target() != 0) return TTableForm::Btn_DelRowClick(Sender);
  const int row = ASG_LoRaWAN_Device_List->GetRowEx();
  if (!Confirm_Delete_Row(kDeviceQuestion, row)) return;
  Grid_Delete_Row_CB(row, ASG_LoRaWAN_Device_List, true);
  // The freed row takes a new device: editable like every empty row.
  Editable_Row(LoRaWAN_Max_Devices);
  DeviceList->DeleteDevice(row - 1, true);
  Save_Device_List();
  Show_Rules_Data();
}
