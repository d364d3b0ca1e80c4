#include "protocols/ethernet_it/UMQTT_Set_Topic.h"

#include <algorithm>

#include "protocols/ethernet_it/EthernetItColumns.h"
#include "protocols/ethernet_it/UTopicTemplate.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFMQTT_Set_Topic* FMQTT_Set_Topic = nullptr;

namespace {

constexpr int kMqttRows = 1024;
constexpr int kMqttBytes = 1500;
constexpr int kMqttErrorRow = 3751;

const std::vector<String> kMqttQoS = {u"0", u"1", u"2"};
const std::vector<String> kMqttDataTypes = {u"Int", u"Float", u"String", u"Base64"};

// A column whose attribute a row must have: without it the load stops and says so.
TTableColumnDef Mqtt_Required(int Header, int Hint, const String& Attribute, int Width, TEditorType Editor = edNormal,
                              std::vector<String> Items = {}) {
  TTableColumnDef c = Ethernet_It_Column(Header, Hint, Attribute, Width, Editor, std::move(Items));
  c.Missing = TMissingAttr::Fail;
  return c;
}

// A column the file does not keep; IfEmpty is what every loaded row gets in it.
TTableColumnDef Mqtt_Unsaved(int Header, int Hint, int Width, TEditorType Editor, std::vector<String> Items = {},
                             const String& IfEmpty = String()) {
  TTableColumnDef c = Ethernet_It_Column(Header, Hint, String(), Width, Editor, std::move(Items));
  c.IfEmpty = IfEmpty;
  return c;
}

std::vector<String> Mqtt_Channels() {
  std::vector<String> items;
  for (int i = 0; i <= 63; ++i) items.push_back(IntToStr(i));
  items.push_back(u"All");
  return items;
}

TTableGridDef Mqtt_Grid(const String& Name, const String& Sheet, int Caption, int Number, const String& Section,
                        std::vector<TTableColumnDef> Columns) {
  TTableGridDef g;
  g.Name = Name;
  g.Sheet = Sheet;
  g.SheetCaption = Caption;
  g.NumberHeader = Number;
  g.Section = Section;
  g.SectionOptional = true;
  g.DataRows = kMqttRows;
  g.KeyColumn = 1;
  g.EnableColumn = false;
  g.Columns = std::move(Columns);
  return g;
}

TTableFormDef MakeMqttDef() {
  TTableFormDef d;
  d.Name = u"FMQTT_Set_Topic";
  d.ClientWidth = 1100;
  d.ClientHeight = 337;
  Use_Text_Block(d, 3700);
  d.DeleteQuestion = 3723;
  d.ClickSelectsRow = false;
  d.ButtonsFromLeft = true;
  d.Root = u"MQTT_Set_Topic";
  TTableGridDef pub = Mqtt_Grid(
      u"ACG_Pub", u"TS_MQTT_Publish", 3733, 3714, u"MQTT_Publish",
      {Mqtt_Required(3715, 3719, u"Topic", 300), Mqtt_Required(3716, 3720, u"Retained", 60, edDataCheckBox),
       Mqtt_Required(3717, 3721, u"QoS", 80, edComboList, kMqttQoS),
       Ethernet_It_Column(3737, 3740, u"DataType", 80, edComboList, kMqttDataTypes),
       Ethernet_It_Column(3738, 3741, u"Dimension", 80), Ethernet_It_Column(3739, 3742, u"Position", 80),
       Ethernet_It_Column(3762, 3764, u"IPAddress", 100), Ethernet_It_Column(3763, 3765, u"InputTemplate", 120),
       Ethernet_It_Column(3735, 3736, u"Template", 130, edComboEdit, {u"$VALUE$"}),
       Ethernet_It_Flag(3781, 3782, u"OnChange", 75, u"N"), Mqtt_Unsaved(3783, 3786, 55, edDataCheckBox),
       Ethernet_It_Flag(3784, 3787, u"OnTimer", 64, u"N"), Ethernet_It_Column(3785, 3788, u"Time", 70),
       Mqtt_Unsaved(3790, 3791, 60, edComboList, Mqtt_Channels()),
       Mqtt_Unsaved(3793, 3795, 40, edDataCheckBox, {}, u"N"), Mqtt_Unsaved(3794, 3796, 80, edDataCheckBox, {}, u"N"),
       Mqtt_Required(3718, 3722, u"Mnemonic", 170)});
  TTableGridDef sub =
      Mqtt_Grid(u"ACG_Sub", u"TS_MQTT_Subscribe", 3734, 3724, u"MQTT_Subscribe",
                {Mqtt_Required(3725, 3729, u"Topic", 300), Mqtt_Required(3726, 3730, u"Retained", 60, edDataCheckBox),
                 Mqtt_Required(3727, 3731, u"QoS", 80, edComboList, kMqttQoS),
                 Ethernet_It_Column(3743, 3747, u"DataType", 80, edComboList, kMqttDataTypes),
                 Ethernet_It_Column(3744, 3748, u"Dimension", 80), Ethernet_It_Column(3745, 3749, u"Position", 80),
                 Ethernet_It_Column(3766, 3770, u"IPAddress", 100), Ethernet_It_Column(3767, 3771, u"Port", 50),
                 Ethernet_It_Column(3768, 3772, u"EthType", 64, edComboList, {u"TCP", u"UDP"}),
                 Ethernet_It_Column(3769, 3773, u"InputTemplate", 130),
                 // Template: a row without it keeps the reset (empty) cell.
                 [] {
                   TTableColumnDef c = Ethernet_It_Column(3746, 3750, u"Template", 130, edComboEdit, {u"$VALUE$"});
                   c.Missing = TMissingAttr::Keep;
                   return c;
                 }(),
                 Mqtt_Unsaved(3793, 3797, 40, edDataCheckBox, {}, u"N"),
                 Mqtt_Unsaved(3794, 3798, 80, edDataCheckBox, {}, u"N"), Mqtt_Required(3728, 3732, u"Mnemonic", 220)});
  d.Grids = {pub, sub};
  return d;
}

// Columns hidden in working mode 1.
const int kMqttPubHidden[] = {mpIPAddress, mpInputTemplate, mpOnCMD, mpChannel, mpSwap, mpSwapWord};
const int kMqttSubHidden[] = {msRetained, msIPAddress, msPort, msEthType, msInputTemplate, msSwap, msSwapWord};

}  // namespace

bool Error_In_Topic_Template(const String& Str) { return std::count(Str.begin(), Str.end(), u'$') % 2 != 0; }

const TTableFormDef& MQTT_Set_Topic_Form_Def() {
  static const TTableFormDef def = MakeMqttDef();
  return def;
}

TFMQTT_Set_Topic::TFMQTT_Set_Topic(TComponent* AOwner) : TTableForm(AOwner, MQTT_Set_Topic_Form_Def()) {
  ACG_Pub = Grids[0];
  ACG_Sub = Grids[1];
  TS_MQTT_Publish = Sheets[0];
  TS_MQTT_Subscribe = Sheets[1];
}

TFMQTT_Set_Topic::~TFMQTT_Set_Topic() {
  if (FMQTT_Set_Topic == this) FMQTT_Set_Topic = nullptr;
}

void TFMQTT_Set_Topic::FormCreate(TObject* Sender) {
  TTableForm::FormCreate(Sender);
  Hint_MQTT_Set_Topic_Pub = Hint_Lists[0].get();
  Hint_MQTT_Set_Topic_Sub = Hint_Lists[1].get();
}

String TFMQTT_Set_Topic::File_Path() const { return Path_MQTT_Set_Topic; }

void TFMQTT_Set_Topic::Set_Limits() {
  Working_Mode = 1;
  Byte_IN = kMqttBytes;
  Byte_OUT = kMqttBytes;
  ACG_Pub->UnHideColumnsAll();
  ACG_Sub->UnHideColumnsAll();
  for (int c : kMqttPubHidden) ACG_Pub->HideColumn(c);
  for (int c : kMqttSubHidden) ACG_Sub->HideColumn(c);
  TS_MQTT_Subscribe->SetTabVisible(true);
  PageControl1->SetActivePageIndex(0);
}

String TFMQTT_Set_Topic::Row_Failure(int Table, int R) const {
  const bool pub = Table == 0;
  TAdvColumnGrid* g = pub ? ACG_Pub : ACG_Sub;
  auto cell = [&](int Col) { return g->GetCellEx(Col, R); };
  auto shown = [&](int Col) { return !g->IsHiddenColumn(Col); };
  // The subscribe messages follow the publish ones by five (Data Type .. Position), by one
  // (IP Address) and by two (the templates).
  const int typeBase = pub ? 3752 : 3757;
  const int dataType = pub ? int{mpDataType} : int{msDataType};
  const String type = UpperCase(Trim(cell(dataType)));
  if (shown(dataType) && type.empty()) return UI_Text(typeBase);
  if (shown(dataType + 1)) {
    const int32_t dim = CellToInt(cell(dataType + 1));
    if (type == u"INT") {
      if (dim != 1 && dim != 2 && dim != 4 && dim != 8) return UI_Text(typeBase + 1);
    } else if (type == u"FLOAT") {
      if (dim != 4 && dim != 8) return UI_Text(typeBase + 2);
    } else if (dim <= 0) {
      return UI_Text(typeBase + 3);
    }
  }
  const int bytes = pub ? Byte_IN : Byte_OUT;
  const int32_t position = CellToInt(cell(dataType + 2));
  if (shown(dataType + 2) && (position < 0 || position > bytes - 1)) return UI_Text(typeBase + 4) + IntToStr(bytes - 1);
  const int ip = pub ? int{mpIPAddress} : int{msIPAddress};
  String ip1, ip2, ip3, ip4;
  if (shown(ip) && !Split_IP_Address(Trim(cell(ip)), ip1, ip2, ip3, ip4)) return UI_Text(pub ? 3774 : 3775);
  if (!pub && shown(msPort)) {
    const int32_t port = CellToInt(cell(msPort));
    if (port < 0 || port > 65535) return UI_Text(3776);
  }
  const int input = pub ? int{mpInputTemplate} : int{msInputTemplate};
  if (shown(input) && Error_In_Topic_Template(Trim(cell(input)))) return UI_Text(pub ? 3777 : 3779);
  const int tmpl = pub ? int{mpTemplate} : int{msTemplate};
  if (shown(tmpl) && Error_In_Topic_Template(Trim(cell(tmpl)))) return UI_Text(pub ? 3778 : 3780);
  // OnTimer is tested whatever the columns' visibility.
  if (pub && UpperCase(Trim(cell(mpOnTimer))) == u"Y") {
    const int32_t time = CellToInt(cell(mpTime));
    if (time < 1 || time > 1000000000) return UI_Text(3789);
  }
  return String();
}

bool TFMQTT_Set_Topic::Controllo_dati() {
  for (int t = 0; t < 2; ++t) {
    TAdvColumnGrid* g = t == 0 ? ACG_Pub : ACG_Sub;
    for (int r = 1; r <= kMqttRows && !Trim(g->GetCellEx(1, r)).empty(); ++r) {
      const String failure = Row_Failure(t, r);
      if (!failure.empty()) {
        Show_Row_Error(kMqttErrorRow, r, failure);
        return false;
      }
    }
  }
  return true;
}

void TFMQTT_Set_Topic::Grid_DblClickCell(TObject* Sender, int ARow, int ACol) {
  TTableForm::Grid_DblClickCell(Sender, ARow, ACol);
  const int g = Grid_Index(Sender);
  if (g < 0) return;
  TAdvStringGrid* grid = String_Grids[static_cast<size_t>(g)];
  const int col = grid->GetRealCol();
  if (col == (g == 0 ? int{mpTemplate} : int{msTemplate})) Show_Form_Topic(Sender, grid->GetRowEx(), col);
}

void TFMQTT_Set_Topic::Show_Form_Topic(TObject* Sender, int ARow, int ACol) {
  const int g = Grid_Index(Sender);
  if (g < 0 || ARow < 1) return;
  TAdvStringGrid* grid = String_Grids[static_cast<size_t>(g)];
  TFTopicTemplate* editor = Table_Form_On_Demand(FTopicTemplate);
  editor->TopicTemplate = ACol == (g == 0 ? int{mpTemplate} : int{msTemplate}) ? 1 : 0;
  editor->Working_Mode = Working_Mode;
  editor->Pub_Sub = g;
  editor->RE_TopicTemplate->Clear();
  editor->RE_TopicTemplate->SetText(grid->GetCellEx(ACol, ARow));
  if (editor->ShowModal() == mrOk) grid->SetCellEx(ACol, ARow, editor->RE_TopicTemplate->GetText());
}

void TFMQTT_Set_Topic::Grid_Hint(TObject* Sender, int ARow, int ACol, String& Hint) {
  // Cells below the header keep the hint the grid passes.
  if (ARow == 0) TTableForm::Grid_Hint(Sender, ARow, ACol, Hint);
}
