#include "protocols/can/UDefOffset.h"

#include "button/LbButton.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/XMLDoc.h"
#include "protocols/can/FrameTableForms.h"
#include "shell/TableFile.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFDefOffset* FDefOffset = nullptr;

namespace {

constexpr int kSlavePanelHeight = 170;
constexpr int kBytesLabelsHeight = 44;
const String kNone = u"None";

TTableFormDef MakeDefOffsetDef() {
  TTableFormDef d = Frame_Form_Def(u"FDefOffset", 640, 560, 3000, 3001, -1, -1, -1, u"Define_Offset");
  d.ClickSelectsRow = false;
  auto bytes = [](const String& Name, const String& Sheet, int Caption, int Header) {
    TTableColumnDef position = Frame_Column(Header + 1, -1, String(), edComboList, 90);
    TTableColumnDef mnemonic = Frame_Column(Header + 2, -1, String(), edNormal, 300);
    TTableGridDef g = Frame_Grid(Name, Header, 1, TFDefOffset::Position_Col, {position, mnemonic});
    g.Sheet = Sheet;
    g.SheetCaption = Caption;
    g.EnableColumn = false;
    return g;
  };
  d.Grids = {bytes(u"ACG_ByteIN", u"TabSheet1", 3006, 3015), bytes(u"ACG_ByteOUT", u"TabSheet2", 3007, 3018)};
  return d;
}

// A grid of Rows data rows under its header. Without data rows the header is the grid's only row:
// the grid keeps it fixed (FixedRowAlways), and editing is off so that nothing can be typed.
void Set_Data_Rows(TAdvColumnGrid* Grid, int Rows, bool Editing) {
  if (!Grid->FixedRowAlways()) {
    Grid->SetFixedRowAlways(true);
    Grid->SetFixedRows(1);
  }
  Grid->SetRowCount(Rows + 1);
  TGridOptions options = Grid->Options();
  options = Editing && Rows > 0 ? options.Include(goEditing) : options.Exclude(goEditing);
  Grid->SetOptions(options);
}

template <class F>
void For_Each_Element(const TXMLNode& Parent, F&& f) {
  for (TXMLNode child = Parent.ChildNodes().First(); child; child = child.NextSibling())
    if (child.NodeType() == ntElement && !f(child)) return;
}

String Required(const TXMLNode& Element, const String& Name, const String& Path, const String& Section, int Row) {
  if (!Element.HasAttribute(Name)) throw ETableFileMissingAttribute(Path, Section, Row, Name);
  return Element.Attributes(Name);
}

// A slave field of DNETM_Net.xml: a number from 0 to High, else the load stops naming the row.
int Slave_Field(const String& Text, const String& Name, int High, const String& Path, int Row) {
  int32_t v = 0;
  if (!TryCellToInt(Text, v) || v < 0 || v > High)
    throw ETableFileError(u"Error in file " + ExtractFileName(Path) + u": row " + IntToStr(Row) + u" has " + Name +
                              u" \"" + Text + u"\"; it must be a number from 0 to " + IntToStr(High),
                          Path);
  return v;
}

void Fill(TStringList* List, int Count, const String& Text) {
  List->BeginUpdate();
  List->Clear();
  for (int i = 0; i < Count; ++i) List->Add(Text);
  List->EndUpdate();
}

}  // namespace

const TTableFormDef& Def_Offset_Form_Def() {
  static const TTableFormDef def = MakeDefOffsetDef();
  return def;
}

TSlave_DN::TSlave_DN()
    : SL_ByteIN(std::make_unique<TStringList>()),
      SL_ByteIN_M(std::make_unique<TStringList>()),
      SL_ByteOUT(std::make_unique<TStringList>()),
      SL_ByteOUT_M(std::make_unique<TStringList>()) {}

TFDefOffset::TFDefOffset(TComponent* AOwner)
    : TTableForm(AOwner, Def_Offset_Form_Def()),
      TabSheet1(Sheets[0]),
      TabSheet2(Sheets[1]),
      ACG_ByteIN(Grids[0]),
      ACG_ByteOUT(Grids[1]) {
  for (TLbButton* b : {Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow}) b->SetVisible(false);
  BuildSlaveControls();
}

TFDefOffset::~TFDefOffset() {
  if (FDefOffset == this) FDefOffset = nullptr;
}

// Top to bottom: title, slave panel, splitter, byte panel (two labels over the frame's pages),
// buttons.
void TFDefOffset::BuildSlaveControls() {
  Panel1 = Add_Panel(this, u"Panel1", alTop, kSlavePanelHeight);
  Panel1->SetTop(Dialog_Title_Height);
  TPanel* strip = Add_Panel(Panel1, u"Panel2", alTop, 22);
  Label1 = Add_Label(strip, u"Label1", 8, 4);
  ACG_DN_Slaves = Add_Control<TAdvColumnGrid>(Panel1, u"ACG_DN_Slaves");
  ACG_DN_Slaves->SetAlign(alClient);
  Splitter1 = Add_Control<TSplitter>(this, u"Splitter1");
  Splitter1->SetTop(Dialog_Title_Height + kSlavePanelHeight);
  Splitter1->SetHeight(5);
  Splitter1->SetAlign(alTop);
  Panel3 = Add_Panel(this, u"Panel3", alClient, 0);
  TPanel* labels = Add_Panel(Panel3, u"Panel4", alTop, kBytesLabelsHeight);
  Label2 = Add_Label(labels, u"Label2", 8, 4);
  Label3 = Add_Label(labels, u"Label3", 8, 24);
  PageControl1->SetParent(Panel3);

  TAdvColumnGrid* g = ACG_DN_Slaves;
  g->SetColCount(4);
  g->SetFixedCols(0);
  Set_Data_Rows(g, 0, false);
  g->SetDefaultRowHeight(21);
  g->SetOptions(TGridOptions(g->Options()).Exclude(goEditing).Include(goColSizing));
  const int widths[4] = {80, 100, 100, 300};
  for (int c = 0; c < 4; ++c) {
    g->Columns()->Items(c)->SetWidth(widths[c]);
    g->Columns()->Items(c)->SetReadOnly(true);
  }
  g->OnClick = [this](TObject* s) { ACG_DN_SlavesClick(s); };
  for (TAdvColumnGrid* bytes : {ACG_ByteIN, ACG_ByteOUT}) Set_Data_Rows(bytes, 0, true);
}

String TFDefOffset::File_Path() const { return Path_DNETM_DefOff; }

void TFDefOffset::FormCreate(TObject* Sender) {
  TTableForm::FormCreate(Sender);  // code label, client size, first page, Set_Lang
}

void TFDefOffset::Set_Lang() {
  TTableForm::Set_Lang();
  Set_Texts({{Btn_OK, 3002, 3004}, {Btn_Cancel, 3003, 3005}, {Label1, 3008}, {Label2, 3009}, {Label3, 3010}});
  for (int c = 0; c < 4; ++c) ACG_DN_Slaves->Columns()->Items(c)->SetHeader(UI_Text(3011 + c));
}

void TFDefOffset::Reset_Grids() {
  List_Slaves_DN.clear();
  Slave_Before_Select = -1;
}

void TFDefOffset::Set_Limits() {
  MAX_BYTE_IN = MAX_BYTE_OUT = Positions;
  for (TAdvColumnGrid* g : {ACG_ByteIN, ACG_ByteOUT}) {
    TStrings* items = g->Columns()->Items(Position_Col)->ComboItems();
    Fill_Position_List(items, g == ACG_ByteIN ? MAX_BYTE_IN : MAX_BYTE_OUT);
    items->Insert(0, kNone);
  }
}

void TFDefOffset::Load_Tables() {
  Set_Load_Incomplete(false);
  try {
    Load_Slave_DN();
    Load_Offset_Slave_DN();
  } catch (const std::exception& E) {
    // The slave grid keeps one row per slave made before the failure.
    Set_Data_Rows(ACG_DN_Slaves, static_cast<int>(List_Slaves_DN.size()), false);
    Set_Load_Incomplete(true);
    Application->ShowException(E);
  }
}

void TFDefOffset::Load_Slave_DN() {
  Set_Data_Rows(ACG_DN_Slaves, 0, false);
  const String path = Path_DNETM_Net;
  if (!FileExists(path)) return;
  TXMLDocument doc;
  const TXMLNode root = LoadTableRoot(doc, path);
  std::vector<TXMLNode> rows;
  For_Each_Element(root, [&](const TXMLNode& e) {
    rows.push_back(e);
    return true;
  });
  TAdvColumnGrid* g = ACG_DN_Slaves;
  Set_Data_Rows(g, static_cast<int>(rows.size()), false);
  const String section = root.NodeName();
  for (size_t i = 0; i < rows.size(); ++i) {
    const int r = static_cast<int>(i) + 1;
    const String names[4] = {u"ID", u"NB_IN", u"NB_OUT", u"Mnemonic"};
    String values[4];
    for (int c = 0; c < 4; ++c) {
      values[c] = Required(rows[i], names[c], path, section, r);
      g->SetCellEx(c, r, values[c]);
    }
    auto slave = std::make_unique<TSlave_DN>();
    slave->ID = static_cast<uint8_t>(Slave_Field(values[0], names[0], 255, path, r));
    slave->ByteIN = static_cast<uint16_t>(Slave_Field(values[1], names[1], 65535, path, r));
    slave->ByteOUT = static_cast<uint16_t>(Slave_Field(values[2], names[2], 65535, path, r));
    Fill(slave->SL_ByteIN.get(), slave->ByteIN, kNone);
    Fill(slave->SL_ByteIN_M.get(), slave->ByteIN, String());
    Fill(slave->SL_ByteOUT.get(), slave->ByteOUT, kNone);
    Fill(slave->SL_ByteOUT_M.get(), slave->ByteOUT, String());
    List_Slaves_DN.push_back(std::move(slave));
  }
}

void TFDefOffset::Load_Offset_Slave_DN() {
  const String path = Path_DNETM_DefOff;
  if (!FileExists(path)) return;
  TXMLDocument doc;
  const TXMLNode root = LoadTableRoot(doc, path);
  size_t i = 0;
  For_Each_Element(root, [&](const TXMLNode& node) {
    if (i >= List_Slaves_DN.size()) return false;
    TSlave_DN& slave = *List_Slaves_DN[i++];
    auto bytes = [&](const String& Name, int Count, TStringList* Positions, TStringList* Mnemonics) {
      const TXMLNode section = node.ChildNodes().FindNode(Name);
      if (!section) throw ETableFileMissingSection(path, Name);
      int j = 0;
      For_Each_Element(section, [&](const TXMLNode& row) {
        if (j >= Count) return false;
        Positions->SetStrings(j, Required(row, u"Offset", path, Name, j + 1));
        Mnemonics->SetStrings(j, Required(row, u"Mnemonic", path, Name, j + 1));
        ++j;
        return true;
      });
    };
    bytes(u"ByteIN", slave.ByteIN, slave.SL_ByteIN.get(), slave.SL_ByteIN_M.get());
    bytes(u"ByteOUT", slave.ByteOUT, slave.SL_ByteOUT.get(), slave.SL_ByteOUT_M.get());
    return true;
  });
}

void TFDefOffset::Select_First() {
  if (List_Slaves_DN.empty()) {
    Update_Slave_DN();
    return;
  }
  ACG_DN_Slaves->SetRow(1);
  ACG_DN_SlavesClick(ACG_DN_Slaves);
}

void TFDefOffset::ACG_DN_SlavesClick(TObject*) {
  Save_Data_ByteIN_ByteOUT();
  TAdvColumnGrid* g = ACG_DN_Slaves;
  const int row = g->Row();
  if (row < 1 || row > static_cast<int>(List_Slaves_DN.size())) return;
  g->SetSelection(TGridRect{0, row, g->ColCount() - 1, row});
  Slave_Before_Select = row - 1;
  Update_Slave_DN();
}

void TFDefOffset::Update_Slave_DN() {
  const int index = ACG_DN_Slaves->Row() - 1;
  if (List_Slaves_DN.empty() || index < 0 || index >= static_cast<int>(List_Slaves_DN.size())) {
    for (TAdvColumnGrid* g : {ACG_ByteIN, ACG_ByteOUT}) Set_Data_Rows(g, 0, true);
    return;
  }
  const TSlave_DN& slave = *List_Slaves_DN[static_cast<size_t>(index)];
  auto show = [](TAdvColumnGrid* g, int Count, const TStringList* Positions, const TStringList* Mnemonics) {
    g->BeginUpdate();
    Set_Data_Rows(g, Count, true);
    for (int j = 0; j < Count; ++j) {
      g->SetCellEx(0, j + 1, IntToStr(j));
      g->SetCellEx(Position_Col, j + 1, Positions->Strings(j));
      g->SetCellEx(Mnemonic_Col, j + 1, Mnemonics->Strings(j));
    }
    g->EndUpdate();
  };
  show(ACG_ByteIN, slave.ByteIN, slave.SL_ByteIN.get(), slave.SL_ByteIN_M.get());
  show(ACG_ByteOUT, slave.ByteOUT, slave.SL_ByteOUT.get(), slave.SL_ByteOUT_M.get());
}

bool TFDefOffset::Save_Data_ByteIN_ByteOUT() {
  if (Slave_Before_Select < 0 || Slave_Before_Select >= static_cast<int>(List_Slaves_DN.size())) return true;
  TSlave_DN& slave = *List_Slaves_DN[static_cast<size_t>(Slave_Before_Select)];
  auto store = [](TAdvColumnGrid* g, int Count, TStringList* Positions, TStringList* Mnemonics) {
    for (int j = 0; j < Count && j + 1 < g->RowCount(); ++j) {
      Positions->SetStrings(j, g->GetCellEx(Position_Col, j + 1));
      Mnemonics->SetStrings(j, g->GetCellEx(Mnemonic_Col, j + 1));
    }
  };
  store(ACG_ByteIN, slave.ByteIN, slave.SL_ByteIN.get(), slave.SL_ByteIN_M.get());
  store(ACG_ByteOUT, slave.ByteOUT, slave.SL_ByteOUT.get(), slave.SL_ByteOUT_M.get());
  return true;
}

void TFDefOffset::Reset_Array_Check() { Check_Byte_Offset.fill({-1, -1}); }

bool TFDefOffset::Check_Data() {
  Reset_Array_Check();
  auto fail = [](const String& Text) {
    MessageDlg(Text, mtError, TMsgDlgButtons{mbOK});
    return false;
  };
  // A position the lists do not offer (a file written by hand) cannot be checked against the
  // table of positions: it is reported, for input bytes too, and never used as an index.
  // -1: "None" or no number (not passed on); -2: a number outside the positions.
  auto position = [](const String& Text) {
    int32_t v = 0;
    if (!TryCellToInt(Text, v)) return -1;
    return v >= 0 && v < Positions ? static_cast<int>(v) : -2;
  };
  for (const auto& s : List_Slaves_DN)
    for (int j = 0; j < s->ByteIN; ++j)
      if (position(s->SL_ByteIN->Strings(j)) == -2)
        return fail(Format(UI_Text(3026), {int(s->ID), j, s->SL_ByteIN->Strings(j)}));
  for (const auto& s : List_Slaves_DN) {
    for (int j = 0; j < s->ByteOUT; ++j) {
      const int p = position(s->SL_ByteOUT->Strings(j));
      if (p == -2) return fail(Format(UI_Text(3027), {int(s->ID), j, s->SL_ByteOUT->Strings(j)}));
      if (p < 0) continue;
      std::pair<int, int>& used = Check_Byte_Offset[static_cast<size_t>(p)];
      if (used.first == -1 && used.second == -1) {
        used = {s->ID, j};
        continue;
      }
      return fail(UI_Text(3021) + u"\n\r( " + UI_Text(3022) + IntToStr(used.first) + UI_Text(3023) +
                  IntToStr(used.second) + UI_Text(3024) + IntToStr(s->ID) + UI_Text(3025) + IntToStr(j) + u")");
    }
  }
  return true;
}

std::string TFDefOffset::Offset_File_Bytes() const {
  TXMLDocument doc;
  doc.SetActive(true);
  TXMLNode root = doc.AddRoot(u"Define_Offset");
  doc.AddComment(u"SW_VERSION = 1.000");
  for (const auto& s : List_Slaves_DN) {
    TXMLNode node = root.AddChild(u"Nodo_DNET");
    auto bytes = [&](const String& Name, int Count, const TStringList* Positions, const TStringList* Mnemonics) {
      TXMLNode section = node.AddChild(Name);
      for (int j = 0; j < Count; ++j) {
        TXMLNode row = section.AddChild(u"row");
        row.SetAttribute(u"Offset", Positions->Strings(j));
        row.SetAttribute(u"Mnemonic", Mnemonics->Strings(j));
      }
    };
    bytes(u"ByteIN", s->ByteIN, s->SL_ByteIN.get(), s->SL_ByteIN_M.get());
    bytes(u"ByteOUT", s->ByteOUT, s->SL_ByteOUT.get(), s->SL_ByteOUT_M.get());
  }
  return doc.SaveToUtf8();
}

void TFDefOffset::Save_Offset_Slave_DN() { WriteFileWhole(Path_DNETM_DefOff, Offset_File_Bytes()); }

void TFDefOffset::Btn_OKClick(TObject* Sender) {
  Save_Data_ByteIN_ByteOUT();
  TTableForm::Btn_OKClick(Sender);
}
