#include "shell/UKelvaneFirmWare.h"

#include "button/LbButton.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "shell/UAbout.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"
#include "shell/ULanguage.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/USettings.h"
#include "shell/UShellGlyphs.h"
#include "shell/USoftOptions.h"

TFKelvaneFirmWare* FKelvaneFirmWare = nullptr;

namespace {

// Buttons in the dispatch order, with their caption and hint texts (-1: none), whether this
// model shows them, whether they show their hint, and their place: the left and the step row
// (-1: the header, top right).
struct ButtonRow {
  const char16_t* name;
  int caption;
  int hint;
  bool shown;
  bool showHint;
  int left, row;
};

// Hidden buttons sit in a second column; they are never shown in this model.
constexpr int kHiddenLeft = 258;
constexpr int kHeaderTop = 8;
// One row per wizard step: its button, and its label 16 pixels lower.
constexpr TLayoutCursor kStepRows(112, 44);

const ButtonRow kButtons[] = {
    {u"Btn_New", 15, 22, true, true, 80, 0},
    {u"Btn_Open", 16, 23, true, true, 258, 0},
    {u"Btn_Close", -1, 14, true, true, 632, -1},
    {u"Btn_Info", -1, 12, true, true, 516, -1},
    {u"Btn_Opz", -1, 13, true, true, 574, -1},
    {u"Btn_Prm_Gen", 20, 24, true, true, 80, 1},
    {u"Btn_LoRaWAN_Access", 21, 25, true, true, 80, 2},
    {u"Btn_Modbus_Set_Access", 27, 28, false, false, kHiddenLeft, 1},
    {u"Btn_BACnet_SetAccess", 29, 30, false, false, kHiddenLeft, 1},
    {u"Btn_BACnet_EDE_File", 31, 32, false, false, kHiddenLeft, 2},
    {u"Btn_CAN_Rec_Frame", 33, 34, false, true, kHiddenLeft, 1},
    {u"Btn_CAN_Send_Frame", 35, 36, false, true, kHiddenLeft, 2},
    {u"Btn_PDO_CANopen", 45, 46, false, true, kHiddenLeft, 1},
    {u"Btn_SDO_Client_CANopen", 43, 44, false, true, kHiddenLeft, 2},
    {u"Btn_SDO_Server_CANopen", 41, 42, false, true, kHiddenLeft, 3},
    {u"Btn_CANopen_EDS", 47, 48, false, true, kHiddenLeft, 4},
    {u"Btn_DNet_Net", 49, 50, false, true, kHiddenLeft, 1},
    {u"Btn_DNet_Offset", 51, 52, false, true, kHiddenLeft, 2},
    {u"Btn_DMX_Default", 53, 54, false, false, kHiddenLeft, 1},
    {u"Btn_IEC61850_Client", 55, 56, false, true, kHiddenLeft, 1},
    {u"Btn_TLS_List_Certificates", 59, 60, false, true, kHiddenLeft, 2},
    {u"Btn_IEC61850_Access", 57, 58, false, true, kHiddenLeft, 3},
    {u"Btn_MQTT_Set_Topic", 61, 62, false, true, kHiddenLeft, 1},
    {u"Btn_OPC_UA_Client_Access", 69, 70, false, true, kHiddenLeft, 1},
    {u"Btn_OPC_UA_Server_Access", 71, 72, false, true, kHiddenLeft, 2},
    {u"Btn_SNMP_Manager_Access", 67, 68, false, true, kHiddenLeft, 1},
    {u"Btn_SNMP_Trap", 63, 64, true, false, 80, 3},
    {u"Btn_SNMP_MIB", 65, 66, true, false, 80, 4},
    {u"Btn_PROFINET_XML", 73, 74, false, true, kHiddenLeft, 1},
    {u"Btn_EtherNetIP_Access", 75, 76, false, true, kHiddenLeft, 1},
    {u"Btn_S7_Protocol_Access", 77, 78, false, true, kHiddenLeft, 1},
    {u"Btn_KNX_Access", 79, 80, false, true, kHiddenLeft, 1},
    {u"Btn_PROFIBUS_GSD", 81, 82, false, false, kHiddenLeft, 1},
    {u"Btn_CreateBin", 17, 26, true, true, 80, 5},
};

// Step buttons that show a form of another unit: button, form class.
const std::pair<const char16_t*, const char16_t*> kFormSteps[] = {
    {u"Btn_Prm_Gen", u"TFParGen"},
    {u"Btn_LoRaWAN_Access", u"TFLoRaWAN_Gateway"},
    {u"Btn_Modbus_Set_Access", u"TFModbus_TCP_Master_Set_Access"},
    {u"Btn_BACnet_SetAccess", u"TFBACnetAccess"},
    {u"Btn_CAN_Rec_Frame", u"TFReceiveCAN"},
    {u"Btn_CAN_Send_Frame", u"TFTransmitCAN"},
    {u"Btn_PDO_CANopen", u"TFSet_PDO_Access"},
    {u"Btn_SDO_Client_CANopen", u"TFSet_SDO_Client_Access"},
    {u"Btn_SDO_Server_CANopen", u"TFSet_SDO_Server_Access"},
    {u"Btn_DNet_Net", u"TFDNet"},
    {u"Btn_DNet_Offset", u"TFDefOffset"},
    {u"Btn_DMX_Default", u"TFDMXDefVal"},
    {u"Btn_IEC61850_Client", u"TFIEC_61850_Access"},
    {u"Btn_TLS_List_Certificates", u"TFTLS_Server_Known_Cert"},
    {u"Btn_IEC61850_Access", u"TFIEC61850_Variables"},
    {u"Btn_MQTT_Set_Topic", u"TFMQTT_Set_Topic"},
    {u"Btn_OPC_UA_Client_Access", u"TFOPC_UA_Client_Access"},
    {u"Btn_OPC_UA_Server_Access", u"TFOPC_UA_Server_Access"},
    {u"Btn_SNMP_Manager_Access", u"TFSNMPManagerAccess"},
    {u"Btn_SNMP_Trap", u"TFSNMP_Trap_Access"},
    {u"Btn_EtherNetIP_Access", u"TFEtherNetIP_Master_Access"},
    {u"Btn_S7_Protocol_Access", u"TFS7_Protocol_Set_Access"},
    {u"Btn_KNX_Access", u"TFKNXAccess"},
};

}  // namespace

const std::vector<String>& Language_Change_Order() {
  static const std::vector<String> order = {
      u"TFKelvaneFirmWare", u"TFLoRaWAN_Gateway", u"TFNew_Project", u"TFOpenConf", u"TFSoftOptions",
      u"TFBoot", u"TFParGen", u"TFSetAccess", u"TFModbus_TCP_Master_Set_Access", u"TFBACnetAccess",
      u"TFImportEDEFile", u"TFBACnetSlaveSetAccess", u"TFBACnet_Eng_Unit", u"TFReceiveCAN",
      u"TFTransmitCAN", u"TFSet_PDO_Access", u"TFSet_SDO_Client_Access", u"TFSet_SDO_Server_Access",
      u"TFDNet", u"TFDefOffset", u"TFDMXDefVal", u"TFIEC_61850_Access", u"TFTLS_Server_Known_Cert",
      u"TFIEC61850_Variables", u"TFReceiveJ1939", u"TFTransmitJ1939", u"TFMQTT_Set_Topic",
      u"TFTopicTemplate", u"TFReceiveNMEA", u"TFTransmitNMEA", u"TFOPC_UA_Client_Access",
      u"TFOPC_UA_Add_Server", u"TFOPC_UA_Scan_Server", u"TFOPC_UA_Server_Access",
      u"TFSNMPManagerAccess", u"TFSNMP_Trap_Access", u"TFProfinetFileName",
      u"TFEtherNetIP_Master_Access", u"TFEtherNEtIP_EDS", u"TFS7_Protocol_Set_Access", u"TFKNXAccess"};
  return order;
}

TFKelvaneFirmWare::TFKelvaneFirmWare(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"FKelvaneFirmWare");
  BuildControls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

TFKelvaneFirmWare::~TFKelvaneFirmWare() {
  if (FKelvaneFirmWare == this) {
    FKelvaneFirmWare = nullptr;
    Version_Client = nullptr;
    Change_Language_Of_Forms = nullptr;
  }
}

TLbButton* TFKelvaneFirmWare::MakeButton(const String& Name, int Left, int Top, int Width, int Height) {
  auto* b = Add_Control<TLbButton>(this, Name);
  b->SetBounds(Left, Top, Width, Height);
  b->SetColor(Shell_Window_Color);
  b->SetColorWhenDown(0x0080FF);
  b->SetLightColor(clGray);
  b->LoadStoredGlyph(Create_Main_Glyph(Name).get());
  b->SetNumGlyphs(1);
  b->OnClick = [this](TObject* s) { Btn_Click(s); };
  return b;
}

void TFKelvaneFirmWare::BuildControls() {
  Apply_Form_Look(this);

  // Grey captions on the window's ground.
  auto label = [this](const String& name, int l, int t, int height, bool bold) {
    TLabel* lb = Add_Label(this, name, l, t);
    Apply_Title_Font(lb, height, bold);
    return lb;
  };
  L_SW_Code = label(u"L_SW_Code", 16, 8, -32, false);
  L_SW_Desc = label(u"L_SW_Desc", 16, 42, -11, true);
  LL_Update = Add_Control<TLinkLabel>(this, u"LL_Update");
  LL_Update->SetAutoSize(false);
  LL_Update->SetBounds(208, 19, 294, 17);
  LL_Update->SetVisible(false);
  LL_Update->OnLinkClick = [this](TObject* s, const String& link, TSysLinkType type) {
    LL_UpdateLinkClick(s, link, type);
  };

  Shape2 = Add_Control<TShape>(this, u"Shape2");
  Shape2->SetBounds(80, 70, 348, 36);
  Shape2->Brush()->SetStyle(bsClear);
  Shape2->Pen()->SetColor(clSilver);
  L_Name_Conf = label(u"L_Name_Conf", 87, 75, -11, false);
  L_Name_Conf_L2 = label(u"L_Name_Conf_L2", 87, 88, -11, false);
  L_Begin = label(u"L_Begin", 16, 84, -11, true);
  TLabel** steps[8] = {&L_Step_1, &L_Step_2, &L_Step_3, &L_Step_4, &L_Step_5, &L_Step_6, &L_Step_7, &L_Step_8};
  for (int i = 0; i < 8; ++i) *steps[i] = label(u"L_Step_" + IntToStr(i + 1), 16, kStepRows.Row(i) + 16, -11, true);
  L_Brenix = label(u"L_Brenix", 565, 348, -11, true);
  L_Brenix->SetCursor(crHandPoint);
  L_Brenix->SetCaption(Maker_Web_Server);
  L_Brenix->OnClick = [this](TObject* s) { L_BrenixClick(s); };
  Shape1 = Add_Control<TShape>(this, u"Shape1");

  for (const ButtonRow& row : kButtons) {
    const bool header = row.caption < 0;
    const int top = header ? kHeaderTop : kStepRows.Row(row.row);
    TLbButton* b = MakeButton(row.name, row.left, top, header ? 50 : 170, header ? 50 : 36);
    if (!header) {
      b->SetAlignment(taLeftJustify);
      b->SetStyle(String(row.name) == u"Btn_Prm_Gen" ? bsNormal : bsEncarta);
    }
    const String name = row.name;
    const bool sky = name == u"Btn_New" || name == u"Btn_Open" || name == u"Btn_CreateBin";
    b->SetHotTrackColor(sky ? clSkyBlue : clYellow);
    b->SetShowHint(row.showHint);
    buttons_.push_back(b);
  }
  Btn_New = ButtonByName(u"Btn_New");
  Btn_Open = ButtonByName(u"Btn_Open");
  Btn_Close = ButtonByName(u"Btn_Close");
  Btn_Info = ButtonByName(u"Btn_Info");
  Btn_Opz = ButtonByName(u"Btn_Opz");
  Btn_Prm_Gen = ButtonByName(u"Btn_Prm_Gen");
  Btn_LoRaWAN_Access = ButtonByName(u"Btn_LoRaWAN_Access");
  Btn_Modbus_Set_Access = ButtonByName(u"Btn_Modbus_Set_Access");
  Btn_BACnet_SetAccess = ButtonByName(u"Btn_BACnet_SetAccess");
  Btn_BACnet_EDE_File = ButtonByName(u"Btn_BACnet_EDE_File");
  Btn_CAN_Rec_Frame = ButtonByName(u"Btn_CAN_Rec_Frame");
  Btn_CAN_Send_Frame = ButtonByName(u"Btn_CAN_Send_Frame");
  Btn_PDO_CANopen = ButtonByName(u"Btn_PDO_CANopen");
  Btn_SDO_Client_CANopen = ButtonByName(u"Btn_SDO_Client_CANopen");
  Btn_SDO_Server_CANopen = ButtonByName(u"Btn_SDO_Server_CANopen");
  Btn_CANopen_EDS = ButtonByName(u"Btn_CANopen_EDS");
  Btn_DNet_Net = ButtonByName(u"Btn_DNet_Net");
  Btn_DNet_Offset = ButtonByName(u"Btn_DNet_Offset");
  Btn_DMX_Default = ButtonByName(u"Btn_DMX_Default");
  Btn_IEC61850_Client = ButtonByName(u"Btn_IEC61850_Client");
  Btn_TLS_List_Certificates = ButtonByName(u"Btn_TLS_List_Certificates");
  Btn_IEC61850_Access = ButtonByName(u"Btn_IEC61850_Access");
  Btn_MQTT_Set_Topic = ButtonByName(u"Btn_MQTT_Set_Topic");
  Btn_OPC_UA_Client_Access = ButtonByName(u"Btn_OPC_UA_Client_Access");
  Btn_OPC_UA_Server_Access = ButtonByName(u"Btn_OPC_UA_Server_Access");
  Btn_SNMP_Manager_Access = ButtonByName(u"Btn_SNMP_Manager_Access");
  Btn_SNMP_Trap = ButtonByName(u"Btn_SNMP_Trap");
  Btn_SNMP_MIB = ButtonByName(u"Btn_SNMP_MIB");
  Btn_PROFINET_XML = ButtonByName(u"Btn_PROFINET_XML");
  Btn_EtherNetIP_Access = ButtonByName(u"Btn_EtherNetIP_Access");
  Btn_S7_Protocol_Access = ButtonByName(u"Btn_S7_Protocol_Access");
  Btn_KNX_Access = ButtonByName(u"Btn_KNX_Access");
  Btn_PROFIBUS_GSD = ButtonByName(u"Btn_PROFIBUS_GSD");
  Btn_CreateBin = ButtonByName(u"Btn_CreateBin");

  Timer_Update = New<TTimer>(this);
  Timer_Update->SetName(u"Timer_Update");
  Timer_Update->SetEnabled(false);
  Timer_Update->SetInterval(Update_First_Interval_Ms);
  Timer_Update->OnTimer = [this](TObject* s) { Timer_UpdateTimer(s); };
  XML1 = std::make_unique<TXMLDocument>();
  HTTP1 = New<THTTPClient>(this);
  HTTP1->SetName(u"HTTP1");
  Configure_Version_Client(HTTP1);
  auto saveDialog = [this](const String& name, const String& filter, const String& ext) {
    auto* d = New<TSaveDialog>(this);
    d->SetName(name);
    d->SetFilter(filter);
    d->SetDefaultExt(ext);
    return d;
  };
  SaveMIB = saveDialog(u"SaveMIB", u"Management Information Base (*.mib)|*.mib", u"*.mib");
  SaveEDS = saveDialog(u"SaveEDS", u"Electronic Data Sheet (*.eds)|*.eds", u"*.eds");
  SD1 = saveDialog(u"SD1", u"CSV (MS-DOS) (*.csv)|*.csv", String());
}

std::vector<TLbButton*> TFKelvaneFirmWare::Buttons() const { return buttons_; }

TLbButton* TFKelvaneFirmWare::ButtonByName(const String& Name) const {
  for (TLbButton* b : buttons_) {
    if (b->Name() == Name) return b;
  }
  return nullptr;
}

void TFKelvaneFirmWare::FormCreate(TObject*) {
  FKelvaneFirmWare = this;
  Version_Client = HTTP1;
  Change_Language_Of_Forms = [this] { Change_Language(); };
  // 1. The text table exists before anything reads it.
  Create_Language_List();

  // 2. Layout.
  for (size_t i = 0; i < std::size(kButtons); ++i) buttons_[i]->SetVisible(kButtons[i].shown);
  L_Step_7->SetVisible(false);
  L_Step_8->SetVisible(false);
  L_Brenix->SetTop(L_Step_6->Top());
  Shape1->SetBounds(10, Btn_CreateBin->Top() + 51, 674, 1);
  SetClientWidth(694);
  SetClientHeight(Btn_CreateBin->Top() + 152);

  // 3. Folders beside the executable; a failure shows later, where a folder is used.
  Set_Folders(ProgramFolder());
  for (const String* folder : {&Master_Folder, &Projects_Folder, &Language_Folder}) {
    if (!DirectoryExists(*folder)) CreateDir(*folder);
  }

  // 4, 5. Settings.
  Project_Name.clear();
  Last_Read_Back = true;
  Read_Settings();

  // 6. The first version check one minute after start.
  Timer_Update->SetEnabled(Opt_Enable_Internet && Opt_Enable_Update);

  // 7. Fixed texts.
  Main_Caption = Main_Caption_Init;
  Soft_Code = Soft_Code_Init;
  Soft_Desc = Soft_Desc_Init;
  SetCaption(Main_Caption);
  L_SW_Code->SetCaption(Soft_Code);
  L_SW_Desc->SetCaption(Soft_Desc);

  // 8. Language.
  Load_Language();

  // 9. Reopen the last configuration when its folder is still there. A saved name that is no
  // plain folder name would lead outside PROJECTS, so it opens nothing.
  if (!Project_Name.empty() && Is_Valid_Configuration_Name(Project_Name) &&
      DirectoryExists(PathJoin(Projects_Folder, Project_Name))) {
    Project_Folder = PathJoin(Projects_Folder, Project_Name);
  } else {
    Project_Folder.clear();
  }
  Set_Conf_Labels();

  // 10 - 12.
  Set_Lang();
  Set_Files();
  delete Grid_Clipboard;
  Grid_Clipboard = new TStringList();
  delete MIB_Read_Descriptions;
  MIB_Read_Descriptions = new TStringList();
  delete MIB_Write_Descriptions;
  MIB_Write_Descriptions = new TStringList();
}

void TFKelvaneFirmWare::Set_Conf_Labels() {
  if (!Project_Folder.empty()) {
    L_Name_Conf->SetCaption(UI_Text(11));
    L_Name_Conf_L2->SetCaption(Project_Name);
  } else {
    L_Name_Conf->SetCaption(UI_Text(9));
    L_Name_Conf_L2->SetCaption(UI_Text(10));
  }
}

void TFKelvaneFirmWare::Set_Lang() {
  std::vector<TTextEntry> texts{{L_Begin, 0}};
  TLabel* steps[8] = {L_Step_1, L_Step_2, L_Step_3, L_Step_4, L_Step_5, L_Step_6, L_Step_7, L_Step_8};
  for (int i = 0; i < 8; ++i) texts.push_back({steps[i], i + 1});
  for (size_t i = 0; i < std::size(kButtons); ++i) texts.push_back({buttons_[i], kButtons[i].caption, kButtons[i].hint});
  Set_Texts(texts);
  Set_Conf_Labels();
}

void TFKelvaneFirmWare::Change_Language() {
  for (const String& name : Language_Change_Order()) {
    if (name == u"TFKelvaneFirmWare") {
      Set_Lang();
    } else if (name == u"TFNew_Project") {
      if (FNew_Project) FNew_Project->Set_Lang();
    } else if (name == u"TFOpenConf") {
      if (FOpenConf) FOpenConf->Set_Lang();
    } else if (name == u"TFSoftOptions") {
      if (FSoftOptions) FSoftOptions->Set_Lang();
    } else {
      auto it = links_.find(name);
      if (it != links_.end() && it->second.Set_Lang) it->second.Set_Lang();
    }
  }
}

void TFKelvaneFirmWare::Register_Form(const String& ClassName, TForm* Form, std::function<void()> SetLang) {
  links_[ClassName] = TFormLink{Form, std::move(SetLang), {}};
}

void TFKelvaneFirmWare::Register_Form(const String& ClassName, std::function<TForm*()> Create,
                                      std::function<void()> SetLang) {
  links_[ClassName] = TFormLink{nullptr, std::move(SetLang), std::move(Create)};
}

TForm* TFKelvaneFirmWare::Linked_Form(const String& ClassName) const {
  auto it = links_.find(ClassName);
  if (it == links_.end()) return nullptr;
  TFormLink& link = it->second;
  if (!link.Form && link.Create) link.Form = link.Create();
  return link.Form;
}

int TFKelvaneFirmWare::ShowLinked(const String& ClassName) {
  TForm* f = Linked_Form(ClassName);
  return f ? f->ShowModal() : mrNone;
}

void TFKelvaneFirmWare::Btn_Click(TObject* Sender) {
  if (Sender == Btn_New) return Create_New_Project();
  if (Sender == Btn_Open) return Open_Project();
  if (Sender == Btn_Close) return Close();
  if (Sender == Btn_Info) {
    if (FAbout) FAbout->ShowModal();
    return;
  }
  if (Sender == Btn_Opz) {
    if (FSoftOptions && FSoftOptions->ShowModal() == mrOk) {
      Save_Setting();
      Timer_Update->SetEnabled(Opt_Enable_Internet && Opt_Enable_Update);
    }
    return;
  }
  if (Project_Folder.empty()) {
    MessageDlg(UI_Text(18), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  for (const auto& [button, form] : kFormSteps) {
    if (Sender == ButtonByName(button)) {
      ShowLinked(form);
      return;
    }
  }
  if (Sender == Btn_BACnet_EDE_File) return BACnet_EDE_File();
  if (Sender == Btn_CANopen_EDS) return Build_EDS_File();
  if (Sender == Btn_SNMP_MIB) {
    if (Step_Routines.Create_SNMP_MIB) Step_Routines.Create_SNMP_MIB(*SaveMIB);
    return;
  }
  if (Sender == Btn_PROFINET_XML) return PROFINET_XML();
  if (Sender == Btn_PROFIBUS_GSD) {
    if (Step_Routines.Create_PROFIBUS_GSD) Step_Routines.Create_PROFIBUS_GSD();
    return;
  }
  if (Sender == Btn_CreateBin) return Update_Device();
}

void TFKelvaneFirmWare::Create_New_Project() {
  if (!FNew_Project) return;
  if (FNew_Project->ShowModal() == mrOk) Set_Conf_Labels();
}

void TFKelvaneFirmWare::Open_Project() {
  if (!FOpenConf) return;
  if (FOpenConf->ShowModal() != mrOk) return;
  Project_Name = FOpenConf->Name_Conf;
  if (!Project_Name.empty()) Project_Folder = PathJoin(Projects_Folder, Project_Name);
  else Project_Folder.clear();
  Set_Conf_Labels();
  Set_Files();
}

void TFKelvaneFirmWare::Update_Device() {
  // The banks are rebuilt and written before the dialog, also when the update is then cancelled.
  if (!Step_Routines.Compile_Bin || !Step_Routines.Save_Bin) return;
  if (!Step_Routines.Compile_Bin()) return;
  if (!Step_Routines.Save_Bin()) return;
  if (!Linked_Form(u"TFBoot")) return;
  if (Step_Routines.Set_Boot_Form_Type) Step_Routines.Set_Boot_Form_Type(1);
  ShowLinked(u"TFBoot");
}

void TFKelvaneFirmWare::Build_EDS_File() {
  if (!Step_Routines.Create_EDS_File) return;
  SaveEDS->SetInitialDir(Project_Folder);
  if (SaveEDS->Execute()) Step_Routines.Create_EDS_File(SaveEDS->FileName());
}

void TFKelvaneFirmWare::BACnet_EDE_File() {
  if (!Step_Routines.Create_EDE_File) return;
  SD1->SetInitialDir(Project_Folder);
  if (!SD1->Execute()) return;
  String name = SD1->FileName();
  if (name.size() < 4 || UpperCase(name.substr(name.size() - 4)) != u".CSV") name += u".csv";
  if (FileExists(name)) {
    const String question = u"The file " + name + u" already exists. Do you want to overwrite it?";
    if (MessageDlg(question, mtConfirmation, mbYesNoCancel) != mrYes) return;
  }
  Step_Routines.Create_EDE_File(name);
}

void TFKelvaneFirmWare::PROFINET_XML() {
  if (!Step_Routines.Create_PROFINET_XML || !Step_Routines.Profinet_File_Name) return;
  if (ShowLinked(u"TFProfinetFileName") == mrOk) Step_Routines.Create_PROFINET_XML(Step_Routines.Profinet_File_Name());
}

void TFKelvaneFirmWare::Timer_UpdateTimer(TObject*) {
  Timer_Update->SetEnabled(false);
  Version_Check.Start(HTTP1, this);
}

void TFKelvaneFirmWare::Show_Version_Verdict(bool Newer) {
  if (Newer) {
    LL_Update->SetCaption(Html_Anchor(Maker_Download_URL(), UI_Text(19)));
    LL_Update->SetVisible(true);
  } else {
    LL_Update->SetVisible(false);
  }
  Timer_Update->SetInterval(Update_Repeat_Interval_Ms);
  Timer_Update->SetEnabled(true);
}

void TFKelvaneFirmWare::WndProc(TMessage& Message) {
  if (Message.Msg == Version_Verdict_Message()) {
    if (const std::optional<bool> newer = Version_Check.Take(Message)) Show_Version_Verdict(*newer);
    return;
  }
  TForm::WndProc(Message);
}

void TFKelvaneFirmWare::LL_UpdateLinkClick(TObject*, const String& Link, TSysLinkType) { OpenURL(Link); }

void TFKelvaneFirmWare::L_BrenixClick(TObject*) { OpenURL(Maker_Home_Page_URL()); }

void TFKelvaneFirmWare::FormClose(TObject*, TCloseAction&) {
  // The program ends with this window: a request still running is dropped, not waited for.
  Version_Check.Cancel();
  // A settings file that cannot be written is reported; the window closes all the same.
  try {
    Save_Setting();
  } catch (const std::exception& e) {
    Application->ShowException(e);
  }
}
