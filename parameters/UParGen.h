#pragma once
// The communication-parameters form (unit UParGen): the wizard's "Set Communication" step. One
// scrolling column of collapsible category panels; the form carries the 36 panels of the whole
// model family, and this model shows Select Device, Ethernet Connection, LoRaWAN, SNMP Agent and
// Wi-Fi. The form loads ParGen.xml on every show and writes it on OK once Controllo_Dati passes.
// The other models' panel orders and layouts (UParGenSiblings.cpp) run only in a form created
// while a test holds a TParSiblingModel.
//
// The panel controls are built from one declarative table (Par_Control_Table); code reaches them
// by their component names through the typed look-ups below.
#include <functional>
#include <unordered_map>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/XMLDoc.h"
#include "shell/UDialogFrame.h"
#include "shell/UTableBuilder.h"

class TLbButton;

// ---- the declarative control table (the kit's, under the form's names) ----
using TParControlKind = TControlDefKind;
constexpr TParControlKind pckLabel = cdLabel, pckEdit = cdEdit, pckCombo = cdCombo, pckCheck = cdCheck;
using TParControlDef = TControlDef;

// The controls of all 36 panels, panel by panel in row order: this model's five panels first,
// then the panels of the sibling models.
const std::vector<TParControlDef>& Par_Control_Table();

// A category panel with its header text.
struct TParPanelDef {
  String Name;
  int HeaderIndex = -1;  // UI text after the number
};
// The 36 panels of the model family in the form's order.
const std::vector<TParPanelDef>& Par_Panel_Table();

// ---- the model family ----
// What a model's layout does after its panel layouts.
enum TParAvailability {
  paNone,
  paWiFi,              // Select Device governs the Wi-Fi panel
  paEthernetByBACnet,  // the BACnet type governs the Ethernet panel, then paWiFi
  paWiFiMobile         // Select Device governs the Wi-Fi and the GSM / GPRS / LTE panels
};
struct TParModelDef {
  int Model = 0;
  std::vector<String> Panels;  // in their order
  TParAvailability Availability = paNone;
  String BACnetType;           // the type list of paEthernetByBACnet
};
// Models 1 to 28 of the family.
const std::vector<TParModelDef>& Par_Model_Table();
const TParModelDef& Par_Model(int Model);
// The model this program is (code 40001).
constexpr int Par_Program_Model = 28;

// Test seam: a parameter form created while one of these lives runs the panel order and layout
// of the given sibling model instead of the program's. The program itself never installs one.
class TParSiblingModel {
 public:
  explicit TParSiblingModel(int Model);
  ~TParSiblingModel();
  TParSiblingModel(const TParSiblingModel&) = delete;
  TParSiblingModel& operator=(const TParSiblingModel&) = delete;

 private:
  int previous_;
};

// Test seam: while one lives, the Wi-Fi station layout asks Names instead of Get_Protocol_Names
// for the protocol sides that own a Wi-Fi address.
class TParProtocolNames {
 public:
  explicit TParProtocolNames(std::function<int(String&, String&)> Names);
  ~TParProtocolNames();
  TParProtocolNames(const TParProtocolNames&) = delete;
  TParProtocolNames& operator=(const TParProtocolNames&) = delete;

 private:
  std::function<int(String&, String&)> previous_;
};

// "." jump chain: each octet edit and the next one.
struct TParOctetLink {
  String From, To;
};
const std::vector<TParOctetLink>& Par_Octet_Links();

// ---- the LoRaWAN data-rate lists (their texts are part of ParGen.xml) ----
const std::vector<String>& DataRate_Items_EU868();
const std::vector<String>& DataRate_Items_US915();
const std::vector<String>& RX2_Items_EU868();
const std::vector<String>& RX2_Items_US915();

// ---- ParGen.xml ----
enum TParStoreKind { pskIndex, pskItem, pskFlag, pskNumberFlag, pskText, pskSNMPName, pskShownText, pskConstant };

struct TParElementDef {
  String Element;
  String Control;
  TParStoreKind Kind = pskText;
  String Default;  // text for texts and the constant; the position for index and item kinds; "1"/"0" for flags
};
// The 100 elements in file order.
const std::vector<TParElementDef>& ParGen_Element_Table();

constexpr int Par_Form_Client_Width = 460;
constexpr int Par_Form_Client_Height = 700;
constexpr int Par_Diag_Pos_Max = 1536;

class TFParGen : public TForm, public TDialogFrame {
 public:
  explicit TFParGen(TComponent* AOwner);
  ~TFParGen() override;
  String ClassName() const override { return u"TFParGen"; }

  // ---- frame (the title and button panels come with TDialogFrame) ----
  TCategoryPanelGroup* CPG = nullptr;
  TImageList* ImageList1 = nullptr;
  TXMLDocument* XML1 = nullptr;

  // ---- this model's panels ----
  TCategoryPanel* CP_Select_Device = nullptr;
  TCategoryPanel* CP_Ethernet_Connection = nullptr;
  TCategoryPanel* CP_LoRaWAN = nullptr;
  TCategoryPanel* CP_SNMP_Agent = nullptr;
  TCategoryPanel* CP_WiFi2 = nullptr;

  // ---- controls the form's logic names directly (all others: the look-ups below) ----
  TComboBox* CB_Select_Device_Device = nullptr;
  TCheckBox* CB_EthConn_En_DHCP_Cable = nullptr;
  TCheckBox* CB_EthConn_En_DHCP_WiFi = nullptr;
  TCheckBox* CB_EthConn_Enable_DNS = nullptr;
  TComboBox* CB_LoRaWAN_Mode = nullptr;
  TComboBox* CB_LoRaWAN_RF_Band = nullptr;
  TComboBox* CB_LoRaWAN_DataRate = nullptr;
  TComboBox* CB_LoRaWAN_RX2_Datarate = nullptr;
  TComboBox* CB_LoRaWAN_Activation_Method = nullptr;
  TComboBox* CB_LoRaWAN_FreqSubBand = nullptr;
  TCheckBox* CB_SNMP_Agent_GAT = nullptr;
  TCheckBox* CB_SNMP_Agent_Version3 = nullptr;
  TComboBox* CB_SNMP_Agent_SecurityLevel = nullptr;
  TComboBox* CB_WiFi2_Type = nullptr;
  TComboBox* CB_WiFi2_Secure_Type = nullptr;
  TCheckBox* CB_WiFi2_En_DHCP = nullptr;
  TCheckBox* CB_WiFi2_IP1_En_GAT = nullptr;
  TCheckBox* CB_WiFi2_IP2_En_GAT = nullptr;

  // Look-ups by component name; nullptr when there is no such control of that kind.
  TControl* Ctl(const String& Name) const;
  TEdit* Edit(const String& Name) const;
  TComboBox* Combo(const String& Name) const;
  TCheckBox* Check(const String& Name) const;
  TLabel* Label(const String& Name) const;
  TCategoryPanel* Panel(const String& Name) const;

  // The modified flag: set by every change or click of a panel control, cleared by the show.
  bool Is_Change = false;
  // Set while the controls hold defaults because ParGen.xml exists but could not be read: OK
  // then asks before replacing the file.
  bool ParGen_Unread = false;

  // ---- event handlers ----
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormResize(TObject* Sender);
  void FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);
  void On_Change(TObject* Sender);
  void On_Click(TObject* Sender);
  void OnKeyPress(TObject* Sender, Char& Key);  // hexadecimal filter
  void KeyPress(TObject* Sender, Char& Key);    // "." jump of the octet edits
  void Btn_OKClick(TObject* Sender);
  void Btn_CancelClick(TObject* Sender);

  // ---- routines ----
  void Set_Lang();
  void Order_TAB_Panels();
  void Order_TAB_Panels_40001();
  void Move_GroupBoxs();
  void RePosition_Objects_40001();
  void RePosition_Object_Select_Device();
  void RePosition_Object_Ethernet_Connection();
  void RePosition_Object_LoRaWAN();
  void RePosition_Object_SNMP_Agent();
  void RePosition_Object_WiFi2();
  // The family's other panel layouts.
  void RePosition_Object_Ethernet();
  void RePosition_Object_Serial();
  void RePosition_Object_Modbus_Master();
  void RePosition_Object_Modbus_Slave();
  void RePosition_Object_Modbus_TCP_Master();
  void RePosition_Object_Modbus_TCP_Slave();
  void RePosition_Object_BACnet_Master();
  void RePosition_Object_BACnet_Slave();
  void RePosition_Object_CAN();
  void RePosition_Object_CANopen();
  void RePosition_Object_DeviceNet_Master();
  void RePosition_Object_DeviceNet_Slave();
  void RePosition_Object_DMX();
  void RePosition_Object_J1939();
  void RePosition_Object_NMEA2000();
  void RePosition_Object_KNX();
  void RePosition_Object_PROFIBUS();
  void RePosition_Object_PROFINET();
  void RePosition_Object_EtherNetIP();
  void RePosition_Object_EtherNetIP_Master();
  void RePosition_Object_IEC61850_Client();
  void RePosition_Object_IEC61850_Server();
  void RePosition_Object_OPC_UA_Client();
  void RePosition_Object_OPC_UA_Server();
  void RePosition_Object_S7comm();
  void RePosition_Object_SNMP_Manager();
  void RePosition_Object_MQTT();
  void RePosition_Object_TLS();
  void RePosition_Object_TLS_Server();
  void RePosition_Object_NTP();
  void RePosition_Object_GSM_GPRS();
  // The panel-order and layout pair of any model of the family (the program runs model 28's).
  void Order_TAB_Panels_Model(const TParModelDef& M);
  void RePosition_Objects_Model(const TParModelDef& M);
  // The model whose pair this form runs.
  int Model() const { return model_; }
  void Change_LoRaWAN_DataRate();
  bool Controllo_Dati();

  // ParGen.xml: load into the controls (defaults when the file is missing) and save from them.
  // Load raises EXMLDocError for a file that is not well-formed; the controls then hold the
  // defaults. Save raises when the file cannot be written.
  void Load_ParGen(const String& Path);
  void Save_ParGen(const String& Path);
  // False when the user declines to replace a ParGen.xml that could not be read.
  bool May_Save_ParGen();
  // Every control at its default (as for a missing file).
  void Load_Defaults();

 protected:
  using TWinControl::KeyPress;

 private:
  void BuildFrame();
  void BuildPanels();
  void Apply_Element(const TParElementDef& E, const String* Value);
  String Element_Value(const TParElementDef& E) const;
  // Sets the panel's height from its last visible control (height rule).
  void Fit_Panel(TCategoryPanel* P, const String& LastControl);
  // Shows or hides one row and, when shown, puts it at the cursor and advances it.
  void Row(const std::vector<String>& Names, bool Show, TLayoutCursor& Rows);
  void Set_Visible(const std::vector<String>& Names, bool Show);
  void Set_Enabled(const std::vector<String>& Names, bool On);
  void Error_Box(int Index);
  bool Octets_In_Range(const String& Prefix, int FirstMessage);
  // Sibling panel helpers.
  void Height_Only(const String& Panel, const String& LastControl);
  void Address_Layout(const String& Panel, const String& Stem, const std::vector<String>& Hidden,
                      const String& LastControl, const String& FollowingGatewayCheck);
  void BACnet_Layout(bool Slave);
  void Collapse_Disable(TCategoryPanel* P);
  void Enable_Expand(TCategoryPanel* P);
  int model_ = Par_Program_Model;
  // The panels and table controls by exact name: the form owns over a thousand components, and
  // every layout pass looks up hundreds of them.
  std::unordered_map<String, TComponent*> byName_;
  TComponent* Find(const String& Name) const;
};

extern TFParGen* FParGen;

// Creates the single instance FParGen as a form of the application.
void Create_FParGen();
// The program entry makes the form on its first use instead of at start-up (over 800 components).
// Prepare_FParGen, called where the form would have been created, keeps what its creation takes
// from the language then in force (the device list, which a language change leaves as it is), so
// the form made later is the one start-up would have made. FParGen_On_Demand returns FParGen,
// creating it the first time.
void Prepare_FParGen();
TFParGen* FParGen_On_Demand();

// Names of the four octet edits of a group ("E_SNMP_Agent_IP" gives E_SNMP_Agent_IP1 to ..._IP4).
std::vector<String> Octet_Names(const String& Prefix);
