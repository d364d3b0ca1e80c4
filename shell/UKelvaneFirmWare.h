#pragma once
// The main window: the configurator's wizard. Its creation handler is the program's
// initialisation; its one click handler dispatches every button and refuses the configuration
// steps while no configuration is open.
//
// The step forms and writers of the other subsystems sit in libraries above this one, so the
// window reaches them through links that the program entry fills in (Register_Form and
// Step_Routines). A step whose form or routine is not linked stops after the step guard.
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/HttpClient.h"
#include "platform/StdCtrls.h"
#include "platform/XMLDoc.h"
#include "shell/UVersionCheck.h"

class TLbButton;

// The forms whose text-setting routine Change_Language calls, in its order (41 forms).
const std::vector<String>& Language_Change_Order();

// What the main window knows of a form of another unit.
struct TFormLink {
  TForm* Form = nullptr;
  std::function<void()> Set_Lang;
  std::function<TForm*()> Create;  // a form made on its first use: makes it
};

// Routines of other subsystems that the step buttons run. An empty one stops the step.
struct TStepRoutines {
  std::function<bool()> Compile_Bin;                      // false: refused, already reported
  std::function<bool()> Save_Bin;                         // false: failed, already reported
  std::function<void(int)> Set_Boot_Form_Type;            // the update dialog's Form_Type
  std::function<void(TSaveDialog&)> Create_SNMP_MIB;      // the MIB step on SaveMIB
  std::function<void(const String&)> Create_EDE_File;
  std::function<void(const String&)> Create_EDS_File;
  std::function<String()> Profinet_File_Name;             // FProfinetFileName's Name_File_XML
  std::function<void(const String&)> Create_PROFINET_XML;
  std::function<void()> Create_PROFIBUS_GSD;
};

class TFKelvaneFirmWare : public TForm {
 public:
  explicit TFKelvaneFirmWare(TComponent* AOwner);
  ~TFKelvaneFirmWare() override;
  String ClassName() const override { return u"TFKelvaneFirmWare"; }

  // ---- header ----
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TLinkLabel* LL_Update = nullptr;
  TLbButton* Btn_Info = nullptr;
  TLbButton* Btn_Opz = nullptr;
  TLbButton* Btn_Close = nullptr;
  TShape* Shape2 = nullptr;
  TLabel* L_Name_Conf = nullptr;
  TLabel* L_Name_Conf_L2 = nullptr;
  TLabel* L_Begin = nullptr;
  TLabel* L_Step_1 = nullptr;
  TLabel* L_Step_2 = nullptr;
  TLabel* L_Step_3 = nullptr;
  TLabel* L_Step_4 = nullptr;
  TLabel* L_Step_5 = nullptr;
  TLabel* L_Step_6 = nullptr;
  TLabel* L_Step_7 = nullptr;
  TLabel* L_Step_8 = nullptr;
  TLabel* L_Brenix = nullptr;
  TShape* Shape1 = nullptr;

  // ---- step buttons of this model ----
  TLbButton* Btn_New = nullptr;
  TLbButton* Btn_Open = nullptr;
  TLbButton* Btn_Prm_Gen = nullptr;
  TLbButton* Btn_LoRaWAN_Access = nullptr;
  TLbButton* Btn_SNMP_Trap = nullptr;
  TLbButton* Btn_SNMP_MIB = nullptr;
  TLbButton* Btn_CreateBin = nullptr;

  // ---- step buttons of the family's other models (hidden) ----
  TLbButton* Btn_Modbus_Set_Access = nullptr;
  TLbButton* Btn_BACnet_SetAccess = nullptr;
  TLbButton* Btn_BACnet_EDE_File = nullptr;
  TLbButton* Btn_CAN_Rec_Frame = nullptr;
  TLbButton* Btn_CAN_Send_Frame = nullptr;
  TLbButton* Btn_SDO_Server_CANopen = nullptr;
  TLbButton* Btn_SDO_Client_CANopen = nullptr;
  TLbButton* Btn_PDO_CANopen = nullptr;
  TLbButton* Btn_CANopen_EDS = nullptr;
  TLbButton* Btn_DNet_Net = nullptr;
  TLbButton* Btn_DNet_Offset = nullptr;
  TLbButton* Btn_DMX_Default = nullptr;
  TLbButton* Btn_IEC61850_Client = nullptr;
  TLbButton* Btn_IEC61850_Access = nullptr;
  TLbButton* Btn_TLS_List_Certificates = nullptr;
  TLbButton* Btn_MQTT_Set_Topic = nullptr;
  TLbButton* Btn_OPC_UA_Client_Access = nullptr;
  TLbButton* Btn_OPC_UA_Server_Access = nullptr;
  TLbButton* Btn_SNMP_Manager_Access = nullptr;
  TLbButton* Btn_PROFINET_XML = nullptr;
  TLbButton* Btn_EtherNetIP_Access = nullptr;
  TLbButton* Btn_S7_Protocol_Access = nullptr;
  TLbButton* Btn_KNX_Access = nullptr;
  TLbButton* Btn_PROFIBUS_GSD = nullptr;

  // ---- non-visual components other units borrow ----
  TTimer* Timer_Update = nullptr;
  std::unique_ptr<TXMLDocument> XML1;
  THTTPClient* HTTP1 = nullptr;
  TSaveDialog* SaveMIB = nullptr;
  TSaveDialog* SaveEDS = nullptr;
  TSaveDialog* SD1 = nullptr;

  // The 34 buttons in the dispatch order of Btn_Click.
  std::vector<TLbButton*> Buttons() const;
  TLbButton* ButtonByName(const String& Name) const;

  // ---- event handlers ----
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Btn_Click(TObject* Sender);
  void Timer_UpdateTimer(TObject* Sender);
  // The timer's check runs off the UI thread; its verdict shows when it arrives, and the timer
  // starts again then.
  TVersionCheck Version_Check;
  void Show_Version_Verdict(bool Newer);
  void LL_UpdateLinkClick(TObject* Sender, const String& Link, TSysLinkType LinkType);
  void L_BrenixClick(TObject* Sender);

  // ---- own routines ----
  void Set_Lang();
  void Change_Language();
  void Create_New_Project();
  void Open_Project();
  void Update_Device();
  void Build_EDS_File();
  void BACnet_EDE_File();
  void PROFINET_XML();
  // The configuration labels: open (UI 11 and the name) or none (UI 9 and 10).
  void Set_Conf_Labels();

  // ---- links to the other units' forms and routines ----
  void Register_Form(const String& ClassName, TForm* Form, std::function<void()> SetLang);
  // A form made on its first use: Linked_Form calls Create the first time it is asked.
  void Register_Form(const String& ClassName, std::function<TForm*()> Create, std::function<void()> SetLang);
  TForm* Linked_Form(const String& ClassName) const;
  TStepRoutines Step_Routines;

 protected:
  void WndProc(TMessage& Message) override;

 private:
  void BuildControls();
  TLbButton* MakeButton(const String& Name, int Left, int Top, int Width, int Height);
  // Shows a linked form modally; nothing when it is not linked. Returns its modal result.
  int ShowLinked(const String& ClassName);
  mutable std::map<String, TFormLink> links_;  // Linked_Form fills in forms made on first use
  std::vector<TLbButton*> buttons_;
};

extern TFKelvaneFirmWare* FKelvaneFirmWare;

// The interval of the update check before its first tick and after every tick.
constexpr unsigned Update_First_Interval_Ms = 60000;
constexpr unsigned Update_Repeat_Interval_Ms = 7200000;
