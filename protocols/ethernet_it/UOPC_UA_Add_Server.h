#pragma once
// The dialog in which the user enters a new OPC UA server of the client configuration or changes
// one: address, use, authorization with its credentials, message security and a description. The
// client form fills it before a change and reads its controls after OK; it holds no server.
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "shell/UDialogFrame.h"

class TFOPC_UA_Add_Server : public TForm, public TDialogFrame {
 public:
  explicit TFOPC_UA_Add_Server(TComponent* AOwner);
  ~TFOPC_UA_Add_Server() override;
  String ClassName() const override { return u"TFOPC_UA_Add_Server"; }

  int FormType = 1;  // 1 a new server, 2 a change of the current one

  TCheckBox* CB_OPC_UA_Server_Enable = nullptr;
  TLabel* L_Server_Add = nullptr;
  TEdit* E_Server_Add = nullptr;
  TLabel* L_Auth = nullptr;
  TComboBox* CB_Auth = nullptr;
  TLabel* L_User = nullptr;
  TEdit* E_User = nullptr;
  TLabel* L_Pass = nullptr;
  TEdit* E_Pass = nullptr;
  TLabel* L_Certificate = nullptr;
  TRichEdit* RE_Certificate = nullptr;
  TLabel* L_Priv_Key = nullptr;
  TRichEdit* RE_Priv_Key = nullptr;
  TLabel* L_Sec_Type = nullptr;
  TComboBox* CB_Sec_Type = nullptr;
  TLabel* L_Sec_Policy = nullptr;
  TComboBox* CB_Sec_Policy = nullptr;
  TLabel* L_Mnemonic = nullptr;
  TEdit* E_Mnemonic = nullptr;

  void FormCreate(TObject* Sender);
  void Set_Lang();
  void FormShow(TObject* Sender);
  void CB_AuthChange(TObject* Sender);
  void CB_Sec_TypeChange(TObject* Sender);
  // Shows the fields the chosen authorization needs and sizes the dialog to them.
  void Change_Fields();
  // The policy is chosen only with a security mode; without one it is "None".
  void Check_Authorization();
  // Shows the first missing entry and answers false.
  bool Controlla_Dati();
  void Btn_OKClick(TObject* Sender);

 private:
  void BuildControls();
};

extern TFOPC_UA_Add_Server* FOPC_UA_Add_Server;
