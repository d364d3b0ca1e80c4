#include "protocols/ethernet_it/UIEC_61850_Access.h"

#include <algorithm>
#include <filesystem>

#include "button/LbButton.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/TreeView.h"
#include "platform/XMLDoc.h"
#include "protocols/ethernet_it/EthernetItColumns.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"
#include "shell/UShellGlyphs.h"

TFIEC_61850_Access* FIEC_61850_Access = nullptr;

namespace {

constexpr int kPositions = 1400;  // the internal data array: Position 0 .. 1399
constexpr int kErrorRow = 3252;
constexpr int kMissingCatalogFiles = 3268;
const char16_t* const kCatalogFolder = u"ICD_Catalog";
const char16_t* const kOverwriteQuestion = u"File already exists in catalog directory. Do you want to overwrite file?";

// Tree images: device, logical device, logical node, data object, attribute, data set.
enum TreeImage { tiDevice, tiLDevice, tiLN, tiDO, tiDA, tiDataSet };

// The request table's file attributes, columns 1 .. 18 in order.
const char16_t* const kDAAttrs[] = {u"Index",     u"bType",    u"fc",        u"Reference",  u"StartByte", u"NumByte",
                                    u"IPAddress", u"Port",     u"OnChange",  u"OnCMD",      u"OnTimer",   u"Time",
                                    u"Position",  u"StartBit", u"ReadWrite", u"Convertion", u"MoltFact",  u"Mnemonic"};
const char16_t* const kDataSetAttrs[] = {u"Index",     u"Reference", u"GooseName", u"EnGoose",
                                         u"IPAddress", u"Port",      u"Time",      u"Mnemonic"};

TTableColumnDef Col(int Header, int Width, TEditorType Editor = edNormal, std::vector<String> Items = {}) {
  return Ethernet_It_Column(Header, -1, String(), Width, Editor, std::move(Items));
}

std::vector<String> Bits() {
  std::vector<String> v;
  for (int i = 0; i < 8; ++i) v.push_back(IntToStr(i));
  return v;
}

TTableFormDef MakeIecClientDef() {
  TTableFormDef d;
  d.Name = u"FIEC_61850_Access";
  d.ClientWidth = 1200;
  d.ClientHeight = 550;
  Use_Text_Block(d, 3200);
  d.ButtonsFromLeft = true;
  d.Root = u"IEC_68850_Client";
  TTableGridDef da;
  da.Name = u"ACG_DA";
  da.Sheet = u"TS_DA";
  da.NumberHeader = 3218;
  da.DataRows = 1;
  da.KeyColumn = daIndex;
  da.EnableColumn = false;
  da.Columns = {Col(3219, 40),
                Col(3220, 80),
                Col(3221, 30),
                Col(3222, 220),
                Col(3258, 60),
                Col(3259, 60),
                Col(3223, 95),
                Col(3224, 45),
                Col(3225, 65, edDataCheckBox),
                Col(3226, 55, edDataCheckBox),
                Col(3227, 60, edDataCheckBox),
                Col(3228, 60),
                Col(3229, 55),
                Col(3230, 55, edComboList, Bits()),
                Col(3231, 55, edComboList, {u"Read", u"Write"}),
                Col(3232, 75, edComboList, {u"None", u"ItoF/FtoI"}),
                Col(3233, 60),
                Col(3234, 90)};
  TTableGridDef ds;
  ds.Name = u"ACG_DataSet";
  ds.Sheet = u"TS_DataSet";
  ds.DataRows = 1;
  ds.KeyColumn = dsIndex;
  ds.EnableColumn = false;
  ds.Columns = {Col(-1, 40), Col(-1, 220), Col(-1, 100), Col(-1, 60, edDataCheckBox),
                Col(-1, 95), Col(-1, 45),  Col(-1, 60),  Col(-1, 90)};
  TTableGridDef dv;
  dv.Name = u"ACG_DS_Vars";
  dv.Sheet = u"TS_DS_Vars";  // the member table goes under the data sets; this page is dropped
  dv.DataRows = 1;
  dv.KeyColumn = dvBType;
  dv.EnableColumn = false;
  dv.Columns = {Col(-1, 80),
                Col(-1, 240),
                Col(-1, 55),
                Col(-1, 55, edComboList, Bits()),
                Col(-1, 75, edComboList, {u"None", u"ItoF/FtoI"}),
                Col(-1, 60),
                Col(-1, 90)};
  d.Grids = {da, ds, dv};
  return d;
}

void Set_Headers(TAdvColumnGrid* Grid, std::initializer_list<const char16_t*> Texts) {
  int c = 0;
  for (const char16_t* t : Texts) Grid->Columns()->Items(c++)->SetHeader(t);
}

// Six small pictures of the tree, drawn here: a square for the device, bars for the logical
// device and node, a blue dot for a data object, a grey dot for an attribute, a green list for a
// data set.
void Fill_Tree_Images(TImageList* List) {
  TBitmap strip;
  strip.SetPixelFormat(pf24bit);
  strip.SetSize(96, 16);
  TCanvas* c = strip.Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, 96, 16));
  const TColor colours[] = {clNavy, clTeal, clOlive, clBlue, clGray, clGreen};
  for (int i = 0; i < 6; ++i) {
    const int x = i * 16;
    c->Brush()->SetColor(colours[i]);
    c->Pen()->SetColor(clBlack);
    switch (i) {
      case tiDevice:
        c->Rectangle(x + 2, 2, x + 14, 14);
        break;
      case tiLDevice:
        c->Rectangle(x + 2, 4, x + 14, 12);
        break;
      case tiLN:
        c->Rectangle(x + 3, 3, x + 13, 13);
        break;
      case tiDO:
      case tiDA:
        c->Ellipse(x + 3, 3, x + 13, 13);
        break;
      default:
        for (int y = 3; y < 13; y += 4) c->Rectangle(x + 2, y, x + 14, y + 3);
        break;
    }
  }
  List->AddMasked(&strip, clWhite);
}

bool In_Range(const String& Text, int Low, int High) {
  const int32_t v = CellToInt(Text);
  return v >= Low && v <= High;
}

}  // namespace

const TTableFormDef& IEC_61850_Access_Form_Def() {
  static const TTableFormDef def = MakeIecClientDef();
  return def;
}

TFIEC_61850_Access::TFIEC_61850_Access(TComponent* AOwner) : TTableForm(AOwner, IEC_61850_Access_Form_Def()) {
  ACG_DA = Grids[0];
  ACG_DataSet = Grids[1];
  ACG_DS_Vars = Grids[2];
  Btn_AddVar = Btn_DelRow;
  Btn_RemoveVar = Btn_InsRow;
  Btn_MoveUp = Btn_CopyRow;
  Btn_ModeDown = Btn_PasteRow;
  Btn_AddVar->SetName(u"Btn_AddVar");
  Btn_RemoveVar->SetName(u"Btn_RemoveVar");
  Btn_MoveUp->SetName(u"Btn_MoveUp");
  Btn_ModeDown->SetName(u"Btn_ModeDown");
  Btn_MoveUp->SetVisible(false);
  Btn_ModeDown->SetVisible(false);
  // The member table stands under the data set table on its page.
  TTabSheet* spare = Sheets[2];
  spare->RemoveComponent(ACG_DS_Vars);
  Sheets[1]->InsertComponent(ACG_DS_Vars);
  ACG_DS_Vars->SetParent(Sheets[1]);
  Sheets.pop_back();
  delete spare;
  ACG_DataSet->SetAlign(alTop);
  ACG_DataSet->SetHeight(185);
  ACG_DataSet->OnSelectCell = [this](TObject*, int, int ARow, bool&) {
    // Another data set row: the member table no longer belongs to the one shown.
    if (ARow != ACG_DataSet->Row()) Clear_Member_Table();
  };
  ACG_DS_Vars->OnSelectCell = [this](TObject* s, int c, int r, bool& can) { ACG_DS_VarsSelectCell(s, c, r, can); };
  ACG_DS_Vars->OnEditCellDone = [this](TObject* s, int c, int r) { ACG_DS_VarsEditCellDone(s, c, r); };
  FHint = std::make_unique<TStringList>();
  Hint = FHint.get();
  BuildDevicePanel();
}

TFIEC_61850_Access::~TFIEC_61850_Access() {
  // The tree's nodes and the picks point into the devices: they go first.
  if (TV_IEC_Device) TV_IEC_Device->Items()->Clear();
  List_DataSet.clear();
  List_IEC_Dev.clear();
  if (FIEC_61850_Access == this) FIEC_61850_Access = nullptr;
}

void TFIEC_61850_Access::BuildDevicePanel() {
  PTable = Add_Panel(this, u"PTable", alClient, 0);
  PageControl1->SetParent(PTable);
  PDevIEC = Add_Panel(this, u"PDevIEC", alLeft, 0);
  PDevIEC->SetWidth(465);
  Splitter1 = Add_Control<TSplitter>(this, u"Splitter1");
  Splitter1->SetAlign(alLeft);
  Splitter1->SetBounds(PDevIEC->Width(), 0, 4, Height());
  PDevIECList = Add_Panel(PDevIEC, u"PDevIECList", alLeft, 0);
  PDevIECList->SetWidth(161);
  Splitter2 = Add_Control<TSplitter>(PDevIEC, u"Splitter2");
  Splitter2->SetAlign(alLeft);
  Splitter2->SetBounds(PDevIECList->Width(), 0, 4, PDevIEC->Height());
  PDevIECTree = Add_Panel(PDevIEC, u"PDevIECTree", alClient, 0);
  Btn_Add_IEC_Device = Add_Control<TLbButton>(PDevIECList, u"Btn_Add_IEC_Device");
  Btn_Add_IEC_Device->SetAlign(alTop);
  Btn_Add_IEC_Device->SetHeight(28);
  Btn_Remove_IEC_Device = Add_Control<TLbButton>(PDevIECList, u"Btn_Remove_IEC_Device");
  Btn_Remove_IEC_Device->SetAlign(alBottom);
  Btn_Remove_IEC_Device->SetHeight(28);
  for (TLbButton* b : {Btn_Add_IEC_Device, Btn_Remove_IEC_Device}) {
    Apply_Dialog_Button_Look(b);
    b->SetShowHint(true);
  }
  LB_IEC_Devices = Add_Control<TListBox>(PDevIECList, u"LB_IEC_Devices");
  LB_IEC_Devices->SetAlign(alClient);
  TV_IEC_Device = Add_Control<TTreeView>(PDevIECTree, u"TV_IEC_Device");
  TV_IEC_Device->SetAlign(alClient);
  TV_IEC_Device->SetReadOnly(true);
  IL_IEC = New<TImageList>(this);
  IL_IEC->SetName(u"IL_IEC");
  Fill_Tree_Images(IL_IEC);
  TV_IEC_Device->SetImages(IL_IEC);
  TV_IEC_Device->OnCustomDrawItem = [](TTreeView* Sender, TTreeNode* Node, TCustomDrawState State, bool&) {
    // The highlighted node keeps the highlight text colour: black or blue on it cannot be read.
    if (State.Contains(cdsFocused)) return;
    const TColor c = Node->ImageIndex == tiDO ? clBlue : Node->ImageIndex == tiDataSet ? clGreen : clBlack;
    Sender->Canvas()->Font()->SetColor(c);
  };
  OD_IcdFile = New<TOpenDialog>(this);
  OD_IcdFile->SetName(u"OD_IcdFile");
  OD_IcdFile->SetFilter(
      u"SCL Files (*.scd, *.ssd, *.sed, *.icd, *.iid, *.cid)|*.scd; *.ssd; *.sed; *.icd; *.iid; *.cid;|Any File "
      u"(*.*)|*.*");
  Btn_Add_IEC_Device->OnClick = [this](TObject* s) { Btn_Add_IEC_DeviceClick(s); };
  Btn_Remove_IEC_Device->OnClick = [this](TObject* s) { Btn_Remove_IEC_DeviceClick(s); };
  LB_IEC_Devices->OnClick = [this](TObject* s) { LB_IEC_DevicesClick(s); };
  TV_IEC_Device->OnClick = [this](TObject* s) { TV_IEC_DeviceClick(s); };
}

void TFIEC_61850_Access::FormCreate(TObject* Sender) {
  // The column items exist once the grids are constructed whole.
  for (int c : {daBType, daFC, daReference}) ACG_DA->Columns()->Items(c)->SetReadOnly(true);
  for (int c : {dsReference, dsGooseName}) ACG_DataSet->Columns()->Items(c)->SetReadOnly(true);
  for (int c : {dvBType, dvReference}) ACG_DS_Vars->Columns()->Items(c)->SetReadOnly(true);
  TTableForm::FormCreate(Sender);
}

void TFIEC_61850_Access::Set_Lang() {
  TTableForm::Set_Lang();
  Set_Texts({{Btn_Add_IEC_Device, 3208, 3216}, {Btn_Remove_IEC_Device, 3209, 3217}});
  Sheets[0]->SetCaption(u"Variables");
  Sheets[1]->SetCaption(u"DataSet");
  Set_Headers(ACG_DataSet, {u"N", u"Index", u"Reference", u"Goose Name", u"En. Goose", u"IP Address", u"Port",
                            u"Time (ms)", u"Mnemonic"});
  Set_Headers(ACG_DS_Vars,
              {u"N", u"bType", u"Reference", u"Position", u"Start Bit", u"Convertion", u"Mult Fact", u"Mnemonic"});
  if (!Hint) return;
  Hint->Clear();
  for (int i = 3235; i <= 3239; ++i) Hint->Add(UI_Text(i));
  Hint->Add(UI_Text(3260));
  Hint->Add(UI_Text(3261));
  for (int i = 3240; i <= 3251; ++i) Hint->Add(UI_Text(i));
}

String TFIEC_61850_Access::File_Path() const { return Path_IEC_61850_Client; }

// ---- show and load ----

void TFIEC_61850_Access::Clear_Table(TAdvStringGrid* Grid) {
  const int last = Grid->ColCount() + Grid->NumHiddenColumns() - 1;
  Grid->SetRowCount(2);
  Grid->SetCellEx(0, 1, u"1");
  for (int c = 1; c <= last; ++c) {
    Grid->SetCellEx(c, 1, String());
    Grid->SetReadOnly(c, 1, false);
  }
}

void TFIEC_61850_Access::Clear_Member_Table() {
  Clear_Table(ACG_DS_Vars);
  DataSet_Row_Select = 0;
}

void TFIEC_61850_Access::Clear_Selection() {
  Selected_IEC_DA = nullptr;
  Selected_IEC_DS = nullptr;
}

void TFIEC_61850_Access::FormShow(TObject*) {
  DataSet_Row_Select = 0;
  Clear_Selection();
  TV_IEC_Device->Items()->Clear();
  NODE_ORIG = nullptr;
  List_DataSet.clear();
  List_IEC_Dev.clear();
  LB_IEC_Devices->Clear();
  for (TAdvStringGrid* g : {ACG_DA, ACG_DataSet, ACG_DS_Vars}) Clear_Table(g);
  Set_Load_Incomplete(false);
  Load_Tables();
  Show_IEC_Devices();
  for (size_t i = 0; i < Copy_Flags.size(); ++i) Copy_Flags[i] = false;
}

void TFIEC_61850_Access::Load_Tables() {
  if (!FileExists(File_Path())) return;
  try {
    Load_File(File_Path());
  } catch (const std::exception& E) {
    // What was read stays; OK asks before it replaces the file.
    Set_Load_Incomplete(true);
    Application->ShowException(E);
  }
}

void TFIEC_61850_Access::Load_File(const String& Path) {
  TXMLDocument doc;
  doc.LoadFromFile(Path);
  TXMLNode root;
  for (TXMLNode n = doc.ChildNodes().First(); n && !root; n = n.NextSibling())
    if (n.NodeType() == ntElement && n.NodeName() == u"IEC_68850_Client") root = n;
  if (!root) return;
  auto section = [&](const char16_t* Name) { return root.ChildNodes().FindNode(Name); };
  auto items = [](TXMLNode Section, const char16_t* Name) {
    std::vector<TXMLNode> v;
    for (TXMLNode n = Section ? Section.ChildNodes().First() : TXMLNode(); n; n = n.NextSibling())
      if (n.NodeType() == ntElement && n.NodeName() == Name) v.push_back(n);
    return v;
  };
  // Catalog. A device whose file is gone keeps its place under its stored name, so that the
  // Index of later rows still names the right device.
  String missing;
  const String folder = PathJoin(Project_Folder, kCatalogFolder);
  for (TXMLNode f : items(section(u"List_ICD_Files"), u"ICD_File")) {
    const String file = PathJoin(folder, f.AttributeDef(u"FileName", String()));
    List_IEC_Dev.push_back(std::make_unique<TIEC_Device>(file));
    if (!FileExists(file)) {
      List_IEC_Dev.back()->SetName(f.AttributeDef(u"Name", String()));
      missing += (missing.empty() ? u"" : u", ") + ExtractFileName(file);
    }
  }
  if (!missing.empty()) MessageDlg(UI_Text(kMissingCatalogFiles) + missing, mtError, {mbOK});
  // Requests.
  const std::vector<TXMLNode> das = items(section(u"List_DA_Selected"), u"DA_Item");
  if (!das.empty()) ACG_DA->SetRowCount(static_cast<int>(das.size()) + 1);
  for (size_t k = 0; k < das.size(); ++k) {
    const int r = static_cast<int>(k) + 1;
    ACG_DA->SetCellEx(0, r, IntToStr(r));
    for (int c = daIndex; c <= daMnemonic; ++c) {
      const String attr = kDAAttrs[c - 1];
      const bool optional = c == daStartByte || c == daNumByte;
      ACG_DA->SetCellEx(c, r, optional ? das[k].AttributeDef(attr, String()) : das[k].Attributes(attr));
    }
  }
  Set_Start_Num_Byte();
  // Data sets, reconnected to the trees; a member's settings only while the member is the same.
  const std::vector<TXMLNode> sets = items(section(u"List_DataSet_Selected"), u"DataSet_Item");
  if (!sets.empty()) ACG_DataSet->SetRowCount(static_cast<int>(sets.size()) + 1);
  for (size_t k = 0; k < sets.size(); ++k) {
    const int r = static_cast<int>(k) + 1;
    ACG_DataSet->SetCellEx(0, r, IntToStr(r));
    for (int c = dsIndex; c <= dsMnemonic; ++c) ACG_DataSet->SetCellEx(c, r, sets[k].Attributes(kDataSetAttrs[c - 1]));
    auto set = std::make_unique<TDataSet>();
    set->Select_DataSet =
        Get_DataSet(StrToInt(ACG_DataSet->GetCellEx(dsIndex, r)), ACG_DataSet->GetCellEx(dsReference, r));
    const std::vector<TXMLNode> members = items(sets[k].ChildNodes().FindNode(u"DataSet_List_DAs"), u"DataSet_DA_Item");
    for (size_t m = 0; m < members.size(); ++m) {
      const TXMLNode it = members[m];
      if (!set->Select_DataSet || m >= set->Select_DataSet->List_DA().size()) continue;
      TIEC_DA* da = set->Select_DataSet->List_DA()[m];
      if (da->bType() != it.AttributeDef(u"bType", String()) ||
          da->Reference() != it.AttributeDef(u"Reference", String()))
        continue;
      auto s = std::make_unique<TDataSet_DA>();
      s->Select_DA = da;
      s->Position = it.AttributeDef(u"Position", String());
      s->bitAddress = it.AttributeDef(u"StartBit", String());
      s->conversion = it.AttributeDef(u"Convertion", String());
      s->multFactor = it.AttributeDef(u"MoltFact", String());
      s->Mnemonic = it.AttributeDef(u"Mnemonic", String());
      set->List_DAs.push_back(std::move(s));
    }
    List_DataSet.push_back(std::move(set));
  }
}

TIEC_DataSet* TFIEC_61850_Access::Get_DataSet(int index, const String& reference) const {
  if (index < 0 || index >= static_cast<int>(List_IEC_Dev.size())) return nullptr;
  for (const auto& ld : List_IEC_Dev[static_cast<size_t>(index)]->List_LDevice())
    for (const auto& ln : ld->List_LN())
      for (const auto& ds : ln->List_DataSet())
        if (ds->Reference() == reference) return ds.get();
  return nullptr;
}

// ---- check and save ----

bool TFIEC_61850_Access::Controllo_dati() {
  const Char sep = Get_Decimal_Separator();
  for (int r = 1; r <= Data_Rows(ACG_DA); ++r) {
    auto cell = [&](int c) { return ACG_DA->GetCellEx(c, r); };
    const String type = UpperCase(cell(daBType));
    if (type.empty()) continue;
    int failure = 0;
    const String start = cell(daStartByte), count = cell(daNumByte);
    if (type == u"VISSTRING255") {
      if (!In_Range(start, 0, 254))
        failure = 3262;
      else if (!In_Range(count, 1, 255))
        failure = 3263;
      else if (CellToInt(start) + CellToInt(count) > 255)
        failure = 3264;
    } else if (type == u"OCTET64") {
      if (!In_Range(start, 0, 63))
        failure = 3265;
      else if (!In_Range(count, 1, 64))
        failure = 3266;
      else if (CellToInt(start) + CellToInt(count) > 64)
        failure = 3267;
    }
    String ip1, ip2, ip3, ip4;
    String tail;
    if (!failure && !Split_IP_Address(cell(daIPAddress), ip1, ip2, ip3, ip4)) failure = 3253;
    if (!failure && !In_Range(cell(daPort), 0, 65535)) failure = 3254;
    if (!failure && Trim(cell(daOnTimer)) == u"Y" && !In_Range(cell(daTime), 1, 100000000)) failure = 3255;
    if (!failure && !In_Range(cell(daPosition), 0, kPositions - 1)) {
      failure = 3256;
      tail = IntToStr(kPositions - 1);
    }
    if (!failure && UpperCase(Trim(cell(daMoltFact))) != u"NONE") {
      String t = cell(daMoltFact);
      std::replace(t.begin(), t.end(), u',', sep);
      std::replace(t.begin(), t.end(), u'.', sep);
      float v = 0;
      if (!Text_To_Float(t, sep, v)) failure = 3257;
    }
    if (failure) {
      Show_Row_Error(kErrorRow, r, UI_Text(failure) + tail);
      return false;
    }
  }
  return true;
}

void TFIEC_61850_Access::Save_Tables() {
  TXMLDocument doc;
  TXMLNode root = doc.AddRoot(u"IEC_68850_Client");
  doc.AddComment(u"SW_VERSION = 1.000");
  TXMLNode files = root.AddChild(u"List_ICD_Files");
  for (const auto& d : List_IEC_Dev) {
    TXMLNode f = files.AddChild(u"ICD_File");
    f.SetAttribute(u"Name", d->Name());
    f.SetAttribute(u"FileName", d->FileName());
  }
  auto used = [](TAdvStringGrid* g, int KeyCol) { return Data_Rows(g) > 1 || !g->GetCellEx(KeyCol, 1).empty(); };
  TXMLNode das = root.AddChild(u"List_DA_Selected");
  if (used(ACG_DA, daIndex))
    for (int r = 1; r <= Data_Rows(ACG_DA); ++r) {
      TXMLNode it = das.AddChild(u"DA_Item");
      for (int c = daIndex; c <= daMnemonic; ++c) it.SetAttribute(kDAAttrs[c - 1], ACG_DA->GetCellEx(c, r));
    }
  TXMLNode sets = root.AddChild(u"List_DataSet_Selected");
  if (used(ACG_DataSet, dsIndex))
    for (int r = 1; r <= Data_Rows(ACG_DataSet); ++r) {
      TXMLNode it = sets.AddChild(u"DataSet_Item");
      for (int c = dsIndex; c <= dsMnemonic; ++c) it.SetAttribute(kDataSetAttrs[c - 1], ACG_DataSet->GetCellEx(c, r));
      TXMLNode members = it.AddChild(u"DataSet_List_DAs");
      if (r - 1 >= static_cast<int>(List_DataSet.size())) continue;
      for (const auto& m : List_DataSet[static_cast<size_t>(r - 1)]->List_DAs) {
        TXMLNode e = members.AddChild(u"DataSet_DA_Item");
        e.SetAttribute(u"bType", m->Select_DA->bType());
        e.SetAttribute(u"Reference", m->Select_DA->Reference());
        e.SetAttribute(u"Position", m->Position);
        e.SetAttribute(u"StartBit", m->bitAddress);
        e.SetAttribute(u"Convertion", m->conversion);
        e.SetAttribute(u"MoltFact", m->multFactor);
        e.SetAttribute(u"Mnemonic", m->Mnemonic);
      }
    }
  doc.SaveToFile(File_Path());
}

// ---- catalog and tree ----

void TFIEC_61850_Access::Show_IEC_Devices() {
  LB_IEC_Devices->Items()->BeginUpdate();
  LB_IEC_Devices->Items()->Clear();
  for (const auto& d : List_IEC_Dev) LB_IEC_Devices->Items()->Add(d->Name());
  LB_IEC_Devices->Items()->EndUpdate();
}

void TFIEC_61850_Access::Btn_Add_IEC_DeviceClick(TObject*) {
  if (!OD_IcdFile->Execute()) return;
  const String folder = PathJoin(Project_Folder, kCatalogFolder);
  ForceDirectories(folder);
  const String source = OD_IcdFile->FileName();
  const String target = PathJoin(folder, ExtractFileName(source));
  bool copy = true;
  if (FileExists(target)) {
    const int answer = MessageDlg(kOverwriteQuestion, mtConfirmation, mbYesNoCancel);
    if (answer == mrCancel) return;
    copy = answer == mrYes;
  }
  std::error_code ec;
  if (copy && !std::filesystem::equivalent(ToPath(source), ToPath(target), ec)) {
    // A device is added only from its catalog copy: a failed copy is told, with its reason.
    std::string bytes;
    String reason;
    if (!ReadFileBytes(source, bytes))
      reason = u"cannot read " + source;
    else if (const auto failed = TrySaveFileWhole(target, bytes))
      reason = failed->Message();
    if (!reason.empty()) {
      MessageDlg(reason, mtError, {mbOK});
      return;
    }
  }
  List_IEC_Dev.push_back(std::make_unique<TIEC_Device>(target));
  Show_IEC_Devices();
}

void TFIEC_61850_Access::Btn_Remove_IEC_DeviceClick(TObject*) {
  const int i = LB_IEC_Devices->ItemIndex();
  if (i < 0 || i >= static_cast<int>(List_IEC_Dev.size())) return;
  auto uses = [&](TAdvStringGrid* g, int Col) {
    for (int r = 1; r <= Data_Rows(g); ++r)
      if (CellToInt(g->GetCellEx(Col, r)) == i) return true;
    return false;
  };
  if (uses(ACG_DA, daIndex) || uses(ACG_DataSet, dsIndex)) return;
  TV_IEC_Device->Items()->Clear();
  NODE_ORIG = nullptr;
  Clear_Selection();
  List_IEC_Dev.erase(List_IEC_Dev.begin() + i);
  for (auto [g, col] : {std::pair<TAdvStringGrid*, int>{ACG_DA, daIndex}, {ACG_DataSet, dsIndex}})
    for (int r = 1; r <= Data_Rows(g); ++r) {
      const String cell = g->GetCellEx(col, r);
      int32_t v = 0;
      if (TryCellToInt(cell, v) && v > i) g->SetCellEx(col, r, IntToStr(v - 1));
    }
  Show_IEC_Devices();
}

namespace {

void Show_Tree_IEC_DA(TTreeView* Tree, TIEC_DA* DA, TTreeNode* NodeOrig) {
  TTreeNode* n = Tree->Items()->AddChild(NodeOrig, DA->Name());
  n->ImageIndex = n->SelectedIndex = tiDA;
  DA->TreeNode = n;
  for (const auto& s : DA->List_DA()) Show_Tree_IEC_DA(Tree, s.get(), n);
}

void Show_Tree_IEC_DO(TTreeView* Tree, TIEC_DO* DO, TTreeNode* NodeOrig) {
  TTreeNode* n = Tree->Items()->AddChild(NodeOrig, DO->Name());
  n->ImageIndex = n->SelectedIndex = tiDO;
  DO->TreeNode = n;
  for (const auto& s : DO->List_DO()) Show_Tree_IEC_DO(Tree, s.get(), n);
  for (const auto& a : DO->List_DA()) Show_Tree_IEC_DA(Tree, a.get(), n);
}

// The leaf attribute or the data set whose node is Node.
TIEC_DA* Search_Node_DA(const TIEC_DA* DA, const TTreeNode* Node) {
  for (const auto& a : DA->List_DA()) {
    if (a->TreeNode == Node) return a->List_DA().empty() ? a.get() : nullptr;
    if (TIEC_DA* found = Search_Node_DA(a.get(), Node)) return found;
  }
  return nullptr;
}

TIEC_DA* Search_Node_DO(const TIEC_DO* DO, const TTreeNode* Node) {
  for (const auto& s : DO->List_DO())
    if (TIEC_DA* found = Search_Node_DO(s.get(), Node)) return found;
  for (const auto& a : DO->List_DA()) {
    if (a->TreeNode == Node) return a->List_DA().empty() ? a.get() : nullptr;
    if (TIEC_DA* found = Search_Node_DA(a.get(), Node)) return found;
  }
  return nullptr;
}

}  // namespace

void TFIEC_61850_Access::Show_Tree_IEC_Device(TIEC_Device* app_IEC_Dev) {
  TTreeView* tree = TV_IEC_Device;
  tree->Items()->BeginUpdate();
  TTreeNode* root = tree->Items()->Add(nullptr, app_IEC_Dev->Name());
  root->ImageIndex = root->SelectedIndex = tiDevice;
  app_IEC_Dev->TreeNode = root;
  NODE_ORIG = root;
  for (const auto& ld : app_IEC_Dev->List_LDevice()) {
    TTreeNode* ldn = tree->Items()->AddChild(root, ld->Name());
    ldn->ImageIndex = ldn->SelectedIndex = tiLDevice;
    ld->TreeNode = ldn;
    for (const auto& ln : ld->List_LN()) {
      TTreeNode* lnn = tree->Items()->AddChild(ldn, ln->Prefix() + ln->lnClass() + ln->Inst());
      lnn->ImageIndex = lnn->SelectedIndex = tiLN;
      ln->TreeNode = lnn;
      for (const auto& d : ln->List_DO()) Show_Tree_IEC_DO(tree, d.get(), lnn);
      for (const auto& ds : ln->List_DataSet()) {
        TTreeNode* dsn = tree->Items()->AddChild(lnn, ds->Name());
        dsn->ImageIndex = dsn->SelectedIndex = tiDataSet;
        ds->TreeNode = dsn;
      }
      lnn->Expand(false);
    }
    ldn->Expand(false);
  }
  root->Expand(false);
  tree->Items()->EndUpdate();
}

void TFIEC_61850_Access::LB_IEC_DevicesClick(TObject*) {
  const int i = LB_IEC_Devices->ItemIndex();
  if (i < 0 || i >= static_cast<int>(List_IEC_Dev.size())) return;
  TV_IEC_Device->Items()->Clear();
  Show_Tree_IEC_Device(List_IEC_Dev[static_cast<size_t>(i)].get());
  Clear_Selection();
}

void TFIEC_61850_Access::TV_IEC_DeviceClick(TObject*) {
  Clear_Selection();
  const int i = LB_IEC_Devices->ItemIndex();
  const TTreeNode* node = TV_IEC_Device->Selected();
  if (i < 0 || i >= static_cast<int>(List_IEC_Dev.size()) || !node) return;
  for (const auto& ld : List_IEC_Dev[static_cast<size_t>(i)]->List_LDevice())
    for (const auto& ln : ld->List_LN()) {
      for (const auto& d : ln->List_DO())
        if ((Selected_IEC_DA = Search_Node_DO(d.get(), node))) return;
      for (const auto& ds : ln->List_DataSet())
        if (ds->TreeNode == node) {
          Selected_IEC_DS = ds.get();
          return;
        }
    }
}

// ---- picks ----

int TFIEC_61850_Access::Row_For_Add(TAdvStringGrid* Grid) {
  if (Data_Rows(Grid) == 1 && Grid->GetCellEx(1, 1).empty()) return 1;
  Grid->SetRowCount(Grid->RowCount() + 1);
  return Grid->RowCount() - 1;
}

void TFIEC_61850_Access::Btn_AddVarClick(TObject*) {
  const String index = IntToStr(LB_IEC_Devices->ItemIndex());
  if (Selected_IEC_DA) {
    PageControl1->SetActivePageIndex(0);
    const int r = Row_For_Add(ACG_DA);
    const String texts[] = {IntToStr(r), index, Selected_IEC_DA->bType(), Selected_IEC_DA->FC(),
                            Selected_IEC_DA->Reference()};
    for (int c = 0; c <= daMnemonic; ++c) ACG_DA->SetCellEx(c, r, c <= daReference ? texts[c] : String());
    for (int c : {daOnChange, daOnCMD, daOnTimer}) ACG_DA->SetCellEx(c, r, u"N");
    Set_Start_Num_Byte();
  } else if (Selected_IEC_DS) {
    PageControl1->SetActivePageIndex(1);
    const int r = Row_For_Add(ACG_DataSet);
    const String& goose = Selected_IEC_DS->GooseName();
    const String texts[] = {IntToStr(r), index, Selected_IEC_DS->Reference(), goose, goose.empty() ? u"N" : u"Y"};
    for (int c = 0; c <= dsMnemonic; ++c) ACG_DataSet->SetCellEx(c, r, c <= dsEnGoose ? texts[c] : String());
    auto set = std::make_unique<TDataSet>();
    set->Select_DataSet = Selected_IEC_DS;
    for (TIEC_DA* m : Selected_IEC_DS->List_DA()) {
      set->List_DAs.push_back(std::make_unique<TDataSet_DA>());
      set->List_DAs.back()->Select_DA = m;
    }
    List_DataSet.push_back(std::move(set));
  }
}

void TFIEC_61850_Access::Set_Start_Num_Byte() {
  for (int r = 1; r <= Data_Rows(ACG_DA); ++r) {
    const String type = UpperCase(ACG_DA->GetCellEx(daBType, r));
    String size;
    if (type == u"FLOAT32" || type == u"INT32U" || type == u"INT32" || type == u"QUALITY")
      size = u"4";
    else if (type == u"FLOAT64" || type == u"INT64")
      size = u"8";
    else if (type == u"INT8U" || type == u"INT8" || type == u"BOOLEAN" || type == u"TIMESTAMP" || type == u"ENUM")
      size = u"1";
    else if (type == u"INT16U" || type == u"INT16")
      size = u"2";
    if (!size.empty()) {
      ACG_DA->SetCellEx(daStartByte, r, u"0");
      ACG_DA->SetCellEx(daNumByte, r, size);
    }
    ACG_DA->SetReadOnly(daStartByte, r, !size.empty());
    ACG_DA->SetReadOnly(daNumByte, r, !size.empty());
  }
}

void TFIEC_61850_Access::Remove_Table_Row(TAdvStringGrid* Grid, int Row) {
  const int last = Grid->ColCount() + Grid->NumHiddenColumns() - 1;
  if (Data_Rows(Grid) == 1) {
    for (int c = 1; c <= last; ++c) Grid->SetCellEx(c, 1, String());
    return;
  }
  for (int r = Row; r < Data_Rows(Grid); ++r)
    for (int c = 1; c <= last; ++c) {
      Grid->SetCellEx(c, r, Grid->GetCellEx(c, r + 1));
      Grid->SetReadOnly(c, r, Grid->GetReadOnly(c, r + 1));
    }
  Grid->SetRowCount(Grid->RowCount() - 1);
  for (int r = 1; r <= Data_Rows(Grid); ++r) Grid->SetCellEx(0, r, IntToStr(r));
}

void TFIEC_61850_Access::Btn_RemoveVarClick(TObject*) {
  if (PageControl1->ActivePageIndex() == 0) {
    const int r = ACG_DA->Row();
    if (r < 1 || r > Data_Rows(ACG_DA)) return;
    Remove_Table_Row(ACG_DA, r);
    Set_Start_Num_Byte();
    return;
  }
  const int r = ACG_DataSet->Row();
  if (r < 1 || r > Data_Rows(ACG_DataSet)) return;
  if (r - 1 < static_cast<int>(List_DataSet.size())) List_DataSet.erase(List_DataSet.begin() + (r - 1));
  if (!List_DataSet.empty()) {
    Remove_Table_Row(ACG_DataSet, r);
  } else {
    const int last = ACG_DataSet->ColCount() - 1;
    for (int c = 1; c <= last; ++c) ACG_DataSet->SetCellEx(c, 1, String());
  }
  // The members shown may belong to the removed data set.
  Clear_Member_Table();
}

void TFIEC_61850_Access::Show_DataSet_DAs() {
  const int r = ACG_DataSet->Row();
  Clear_Table(ACG_DS_Vars);
  if (r < 1 || r - 1 >= static_cast<int>(List_DataSet.size())) return;
  const auto& members = List_DataSet[static_cast<size_t>(r - 1)]->List_DAs;
  if (members.empty()) return;
  ACG_DS_Vars->SetRowCount(static_cast<int>(members.size()) + 1);
  for (size_t m = 0; m < members.size(); ++m) {
    const TDataSet_DA& s = *members[m];
    const int row = static_cast<int>(m) + 1;
    const String texts[] = {IntToStr(row),
                            s.Select_DA->bType(),
                            s.Select_DA->Reference(),
                            s.Position,
                            s.bitAddress,
                            s.conversion,
                            s.multFactor,
                            s.Mnemonic};
    for (int c = 0; c <= dvMnemonic; ++c) ACG_DS_Vars->SetCellEx(c, row, texts[c]);
  }
}

void TFIEC_61850_Access::ACG_DS_VarsSelectCell(TObject*, int, int, bool&) { DataSet_Row_Select = ACG_DataSet->Row(); }

void TFIEC_61850_Access::ACG_DS_VarsEditCellDone(TObject*, int ACol, int ARow) {
  if (DataSet_Row_Select < 1 || DataSet_Row_Select - 1 >= static_cast<int>(List_DataSet.size())) return;
  auto& members = List_DataSet[static_cast<size_t>(DataSet_Row_Select - 1)]->List_DAs;
  if (ARow < 1 || ARow - 1 >= static_cast<int>(members.size())) return;
  TDataSet_DA& s = *members[static_cast<size_t>(ARow - 1)];
  const String text = ACG_DS_Vars->GetCellEx(ACol, ARow);
  switch (ACol) {
    case dvPosition:
      s.Position = text;
      break;
    case dvStartBit:
      s.bitAddress = text;
      break;
    case dvConvertion:
      s.conversion = text;
      break;
    case dvMultFact:
      s.multFactor = text;
      break;
    case dvMnemonic:
      s.Mnemonic = text;
      break;
    default:
      break;
  }
}

// ---- grid events ----

void TFIEC_61850_Access::Grid_ClickCell(TObject* Sender, int ARow, int ACol) {
  TTableForm::Grid_ClickCell(Sender, ARow, ACol);
  if (Sender == ACG_DataSet) Show_DataSet_DAs();
}

void TFIEC_61850_Access::Grid_Hint(TObject* Sender, int ARow, int ACol, String& Text) {
  Text.clear();
  (void)Sender;
  if (ARow == 0 && ACol >= 1 && Hint && ACol < Hint->Count()) Text = Hint->Strings(ACol);
}
