#include "protocols/ethernet_it/UOPC_UA_Add_Server.h"

#include <type_traits>

#include "button/LbButton.h"
#include "platform/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFOPC_UA_Add_Server* FOPC_UA_Add_Server = nullptr;

namespace {

constexpr int kAddClientWidth = 407;
constexpr int kAddLabelLeft = 16;
constexpr int kAddInputLeft = 134;
constexpr int kAddInputWidth = 251;
constexpr int kAddRichHeight = 89;

// Label and input tops of the rows that move with the authorization: security type, policy,
// mnemonic; by authorization index.
struct TAuthLayout {
  int User, Certificate, Key, SecType, Policy, Mnemonic;  // label tops (the input stands 3 above)
};
constexpr TAuthLayout kAddLayouts[] = {
    {0, 0, 0, 171, 203, 235},
    {171, 0, 0, 235, 267, 299},
    {0, 171, 271, 371, 403, 435},
};

void Place_Row(TLabel* Label, TControl* Input, int Top, bool Visible) {
  Label->SetVisible(Visible);
  Input->SetVisible(Visible);
  if (!Visible) return;
  Label->SetTop(Top);
  Input->SetTop(Top - 3);
}

bool Blank_Text(const String& Text) { return Trim(Text).empty(); }

}  // namespace

TFOPC_UA_Add_Server::TFOPC_UA_Add_Server(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"FOPC_UA_Add_Server");
  BuildControls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TFOPC_UA_Add_Server::~TFOPC_UA_Add_Server() {
  if (FOPC_UA_Add_Server == this) FOPC_UA_Add_Server = nullptr;
}

void TFOPC_UA_Add_Server::BuildControls() {
  Apply_Form_Look(this);
  SetShowHint(true);
  SetClientWidth(kAddClientWidth);
  SetClientHeight(308);
  Build_Dialog_Frame(this, *this, {.OkLeft = 16, .CancelLeft = 134});
  Btn_OK->SetModalResult(mrNone);
  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
  Btn_Cancel->SetModalResult(mrCancel);

  CB_OPC_UA_Server_Enable = Add_Control<TCheckBox>(this, u"CB_OPC_UA_Server_Enable");
  CB_OPC_UA_Server_Enable->SetBounds(kAddLabelLeft, 75, 369, 17);
  auto row = [this](TLabel*& Label, const char16_t* LabelName, auto*& Input, const char16_t* InputName, int Top,
                    int Height) {
    Label = Add_Label(this, LabelName, kAddLabelLeft, Top);
    using TInput = std::remove_reference_t<decltype(*Input)>;
    Input = Add_Control<TInput>(this, InputName);
    Input->SetBounds(kAddInputLeft, Top - 3, kAddInputWidth, Height);
    Input->SetShowHint(true);
  };
  row(L_Server_Add, u"L_Server_Add", E_Server_Add, u"E_Server_Add", 107, 21);
  row(L_Auth, u"L_Auth", CB_Auth, u"CB_Auth", 139, 21);
  row(L_User, u"L_User", E_User, u"E_User", 171, 21);
  row(L_Pass, u"L_Pass", E_Pass, u"E_Pass", 203, 21);
  row(L_Certificate, u"L_Certificate", RE_Certificate, u"RE_Certificate", 235, kAddRichHeight);
  row(L_Priv_Key, u"L_Priv_Key", RE_Priv_Key, u"RE_Priv_Key", 335, kAddRichHeight);
  row(L_Sec_Type, u"L_Sec_Type", CB_Sec_Type, u"CB_Sec_Type", 435, 21);
  row(L_Sec_Policy, u"L_Sec_Policy", CB_Sec_Policy, u"CB_Sec_Policy", 467, 21);
  row(L_Mnemonic, u"L_Mnemonic", E_Mnemonic, u"E_Mnemonic", 499, 21);
  CB_OPC_UA_Server_Enable->SetShowHint(true);
  for (TRichEdit* r : {RE_Certificate, RE_Priv_Key}) r->SetScrollBars(ssVertical);
  // Lists only: a typed text that matches no item would leave an index the client form cannot
  // turn into a setting.
  for (TComboBox* c : {CB_Auth, CB_Sec_Type, CB_Sec_Policy}) c->SetStyle(csDropDownList);
  for (int i = 0; i < 3; ++i) CB_Auth->Items()->Add(OPC_UA_Auth_To_Text(i));
  for (int i = 0; i < 3; ++i) CB_Sec_Type->Items()->Add(OPC_UA_Mode_To_Text(i));
  for (int i = 0; i < 6; ++i) CB_Sec_Policy->Items()->Add(OPC_UA_Policy_To_Text(i));
  CB_Auth->SetItemIndex(0);
  CB_Sec_Type->SetItemIndex(0);
  CB_Sec_Policy->SetItemIndex(0);
  CB_Auth->OnChange = [this](TObject* s) { CB_AuthChange(s); };
  CB_Sec_Type->OnChange = [this](TObject* s) { CB_Sec_TypeChange(s); };
}

void TFOPC_UA_Add_Server::FormCreate(TObject*) {
  L_SW_Code->SetCaption(Soft_Code);
  SetClientWidth(kAddClientWidth);
  Set_Lang();
}

void TFOPC_UA_Add_Server::Set_Lang() {
  Set_Texts({{this, 4300},
             {L_SW_Desc, 4301},
             {CB_OPC_UA_Server_Enable, 4304, 4305},
             {L_Server_Add, 4306},
             {E_Server_Add, -1, 4307},
             {L_Auth, 4308},
             {CB_Auth, -1, 4309},
             {L_User, 4310},
             {E_User, -1, 4311},
             {L_Pass, 4312},
             {E_Pass, -1, 4313},
             {L_Certificate, 4314},
             {RE_Certificate, -1, 4315},
             {L_Priv_Key, 4316},
             {RE_Priv_Key, -1, 4317},
             {L_Sec_Type, 4318},
             {CB_Sec_Type, -1, 4319},
             {L_Sec_Policy, 4320},
             {CB_Sec_Policy, -1, 4321},
             {L_Mnemonic, 4322},
             {E_Mnemonic, -1, 4323},
             {Btn_OK, 4324, 4325},
             {Btn_Cancel, 4326, 4327}});
}

void TFOPC_UA_Add_Server::FormShow(TObject*) {
  if (FormType == 2) {
    Set_Texts({{this, 4302}, {L_SW_Desc, 4303}});
  } else {
    Set_Texts({{this, 4300}, {L_SW_Desc, 4301}});
    CB_OPC_UA_Server_Enable->SetChecked(true);
    E_Server_Add->SetText(String());
    CB_Auth->SetItemIndex(0);
    E_User->SetText(String());
    E_Pass->SetText(String());
    RE_Certificate->SetText(String());
    RE_Priv_Key->SetText(String());
    CB_Sec_Type->SetItemIndex(0);
    E_Mnemonic->SetText(String());
  }
  Change_Fields();
  Check_Authorization();
}

void TFOPC_UA_Add_Server::CB_AuthChange(TObject*) { Change_Fields(); }

void TFOPC_UA_Add_Server::CB_Sec_TypeChange(TObject*) { Check_Authorization(); }

void TFOPC_UA_Add_Server::Change_Fields() {
  const int auth = CB_Auth->ItemIndex();
  if (auth >= 0 && auth <= 2) {
    const TAuthLayout& l = kAddLayouts[auth];
    Place_Row(L_User, E_User, l.User, auth == 1);
    Place_Row(L_Pass, E_Pass, l.User + 32, auth == 1);
    Place_Row(L_Certificate, RE_Certificate, l.Certificate, auth == 2);
    Place_Row(L_Priv_Key, RE_Priv_Key, l.Key, auth == 2);
    Place_Row(L_Sec_Type, CB_Sec_Type, l.SecType, true);
    Place_Row(L_Sec_Policy, CB_Sec_Policy, l.Policy, true);
    Place_Row(L_Mnemonic, E_Mnemonic, l.Mnemonic, true);
  }
  SetClientHeight(P_Button->Height() + E_Mnemonic->Top() + E_Mnemonic->Height() + 15);
}

void TFOPC_UA_Add_Server::Check_Authorization() {
  if (CB_Sec_Type->ItemIndex() == 0) {
    CB_Sec_Policy->SetItemIndex(0);
    CB_Sec_Policy->SetEnabled(false);
  } else {
    CB_Sec_Policy->SetEnabled(true);
  }
}

bool TFOPC_UA_Add_Server::Controlla_Dati() {
  int failure = 0;
  const int auth = CB_Auth->ItemIndex();
  if (Blank_Text(E_Server_Add->Text()))
    failure = 4328;
  else if (auth == 1 && Blank_Text(E_User->Text()))
    failure = 4329;
  else if (auth == 1 && Blank_Text(E_Pass->Text()))
    failure = 4330;
  else if (auth == 2 && Blank_Text(RE_Certificate->Text()))
    failure = 4331;
  else if (auth == 2 && Blank_Text(RE_Priv_Key->Text()))
    failure = 4332;
  if (failure == 0) return true;
  MessageDlg(UI_Text(failure), mtError, TMsgDlgButtons{mbOK});
  return false;
}

void TFOPC_UA_Add_Server::Btn_OKClick(TObject*) {
  if (Controlla_Dati()) SetModalResult(mrOk);
}
