#pragma once
// The device update dialog (unit UBoot): takes the device's address and the update option,
// checks with ICMP echo that the device answers, writes the updater's operation script and runs
// Ethernet_Update.exe from the program folder, waiting for it.
//
// The echo check keeps the dialog responsive: each echo waits for its reply in 10 ms steps that
// process the window messages. The Update button is disabled meanwhile, so a second click cannot
// start a second check; closing the dialog during the check stops it and updates nothing.
#include <functional>
#include <memory>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/IcmpEcho.h"
#include "platform/StdCtrls.h"
#include "platform/XMLDoc.h"
#include "shell/UDialogFrame.h"

class TLbButton;

// Echo timing of the check.
constexpr uint32_t Boot_Echo_Timeout_Ms = 400;
constexpr uint32_t Boot_Echo_Total_Ms = 5000;
constexpr uint32_t Boot_Echo_Step_Ms = 10;
constexpr int Boot_Echo_Answers_Needed = 2;
constexpr int Boot_Echo_Data_Size = 1024;

// The frame has no OK button here: Btn_Update takes its place in the button row.
class TFBoot : public TForm, public TDialogFrame {
 public:
  explicit TFBoot(TComponent* AOwner);
  ~TFBoot() override;
  String ClassName() const override { return u"TFBoot"; }

  TPanel* P_IP_Address = nullptr;
  TLabel* L_IP_Address = nullptr;
  TEdit* E_IP1 = nullptr;
  TEdit* E_IP2 = nullptr;
  TEdit* E_IP3 = nullptr;
  TEdit* E_IP4 = nullptr;
  TLabel* L_Dot1 = nullptr;
  TLabel* L_Dot2 = nullptr;
  TLabel* L_Dot3 = nullptr;
  TPanel* P_Eth_Search = nullptr;   // never shown in this model
  TPanel* P_Options = nullptr;
  TLabel* L_Update_Option = nullptr;
  TComboBox* CB_Update_Options = nullptr;
  TCheckBox* CB_Update_Option_Read_Back = nullptr;
  TLbButton* Btn_Update = nullptr;
  TPanel* P_Serial = nullptr;       // never shown in this model
  TIcmpEchoClient* Ping = nullptr;
  std::unique_ptr<TXMLDocument> XML1;

  // Which update the dialog offers; the main window sets 1 (update through Ethernet).
  int Form_Type = 1;
  // State of the last echo: 0 none yet, 1 answered, 2 not answered.
  int ping_res = 0;

  void FormShow(TObject* Sender);
  void Set_Lang();
  void KeyPress(TObject* Sender, Char& Key);
  void Btn_UpdateClick(TObject* Sender);
  // The echo check on the address of the four edits: true when the last echo was answered.
  bool Send_Ping();
  void PingReply(TComponent* ASender, const TReplyStatus& AReplyStatus);
  // Writes Ethernet_Update.xml into the program folder (raises when it cannot be written).
  void Compile_XML_Parameter_New_Boot();

  // The four edits joined with "." as typed.
  String Address_Text() const;

  // ---- seams for tests ----
  // Replaces the echo client (the dialog does not take ownership and never touches the
  // client it replaced; nullptr restores its own).
  void Use_Echo_Client(TIcmpEchoClient* Client);
  // One wait step of the echo check: production sleeps 10 ms, then processes the window
  // messages. Tests move a virtual clock instead.
  std::function<void()> Echo_Wait_Step;

 private:
  void BuildControls();
  TIcmpEchoClient* ownPing_ = nullptr;
  bool echoReported_ = false;
  bool checking_ = false;
};

extern TFBoot* FBoot;
