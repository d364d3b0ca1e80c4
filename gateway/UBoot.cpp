#include "gateway/UBoot.h"

#include <chrono>
#include <thread>

#include "button/LbButton.h"
#include "gateway/UpdateScript.h"
#include "platform/Dialogs.h"
#include "platform/TimeSource.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFBoot* FBoot = nullptr;

namespace {

constexpr int Client_Width = 449;
constexpr int Address_Height = 49;
constexpr int Options_Height = 72;
constexpr int Serial_Height = 49;
constexpr int Search_Height = 49;

// A row of the dialog under the title.
TPanel* Make_Panel(TForm* Form, const String& Name, int Top, int Height) {
  TPanel* p = Add_Panel(Form, Name, alTop, Height);
  p->SetTop(Top);
  return p;
}

}  // namespace

TFBoot::TFBoot(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"FBoot");
  FBoot = this;
  XML1 = std::make_unique<TXMLDocument>();
  BuildControls();
  OnShow = [this](TObject* s) { FormShow(s); };
  Echo_Wait_Step = [] {
    std::this_thread::sleep_for(std::chrono::milliseconds(Boot_Echo_Step_Ms));
    Application->ProcessMessages();
  };
}

TFBoot::~TFBoot() {
  if (FBoot == this) FBoot = nullptr;
}

void TFBoot::BuildControls() {
  Apply_Form_Look(this);
  SetClientWidth(Client_Width);
  SetClientHeight(Dialog_Title_Height + Address_Height + Options_Height + Dialog_Button_Height);
  // No OK button: the update is the dialog's own action, first in the button row.
  Build_Dialog_Frame(this, *this, {.CancelLeft = 323, .Ok = false});
  Btn_Update = Add_Dialog_Button(P_Button, u"Btn_Update", 16, 200, u"ok");
  Btn_Update->SetTabOrder(0);
  Btn_Update->OnClick = [this](TObject* s) { Btn_UpdateClick(s); };
  Btn_Cancel->SetModalResult(mrCancel);

  TLayoutCursor rows(Dialog_Title_Height);
  P_IP_Address = Make_Panel(this, u"P_IP_Address", rows.Take(Address_Height), Address_Height);
  L_IP_Address = Add_Label(P_IP_Address, u"L_IP_Address", 16, 2);
  TEdit** edits[] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
  TLabel** dots[] = {&L_Dot1, &L_Dot2, &L_Dot3};
  for (int i = 0; i < 4; ++i) {
    auto* e = Add_Control<TEdit>(P_IP_Address, u"E_IP" + IntToStr(i + 1));
    e->SetBounds(16 + i * 64, 20, 50, 21);
    e->SetText(u"0");
    e->SetTabOrder(i);
    e->SetShowHint(true);
    e->OnKeyPress = [this](TObject* s, Char& k) { KeyPress(s, k); };
    *edits[i] = e;
    if (i < 3) {
      TLabel* dot = Add_Label(P_IP_Address, u"L_Dot" + IntToStr(i + 1), 16 + i * 64 + 55, 24);
      dot->SetCaption(u".");
      *dots[i] = dot;
    }
  }

  // The device search of other models stands where the options are; it is never shown here.
  P_Eth_Search = Make_Panel(this, u"P_Eth_Search", rows.Top(), Search_Height);
  P_Eth_Search->SetVisible(false);

  P_Options = Make_Panel(this, u"P_Options", rows.Take(Options_Height), Options_Height);
  L_Update_Option = Add_Label(P_Options, u"L_Update_Option", 16, 2);
  CB_Update_Options = Add_Control<TComboBox>(P_Options, u"CB_Update_Options");
  CB_Update_Options->SetStyle(csDropDownList);
  CB_Update_Options->SetBounds(16, 20, 240, 21);
  CB_Update_Options->SetTabOrder(0);
  CB_Update_Options->SetShowHint(true);
  CB_Update_Option_Read_Back = Add_Control<TCheckBox>(P_Options, u"CB_Update_Option_Read_Back");
  CB_Update_Option_Read_Back->SetBounds(16, 48, 240, 17);
  CB_Update_Option_Read_Back->SetTabOrder(1);
  CB_Update_Option_Read_Back->SetShowHint(true);

  P_Serial = Make_Panel(this, u"P_Serial", rows.Take(Serial_Height), Serial_Height);
  P_Serial->SetVisible(false);

  ownPing_ = New<TIcmpEchoClient>(this);
  ownPing_->SetName(u"Ping");
  ownPing_->SetReceiveTimeout(Boot_Echo_Timeout_Ms);
  ownPing_->SetPacketSize(Boot_Echo_Data_Size);
  Use_Echo_Client(nullptr);
}

void TFBoot::Use_Echo_Client(TIcmpEchoClient* Client) {
  Ping = Client ? Client : ownPing_;
  Ping->OnReply = [this](TComponent* s, const TReplyStatus& r) { PingReply(s, r); };
}

void TFBoot::Set_Lang() {
  const bool ethernet = Form_Type == 1;
  Set_Texts({{this, ethernet ? 1602 : 1600}, {L_SW_Desc, ethernet ? 1603 : 1601}, {L_IP_Address, 1606},
             {L_Update_Option, 1614}, {CB_Update_Option_Read_Back, 1618, 1633}, {Btn_Cancel, 1619, 1634},
             {Btn_Update, 1620, 1635}, {E_IP1, -1, 1621}, {E_IP2, -1, 1622}, {E_IP3, -1, 1623},
             {E_IP4, -1, 1624}, {CB_Update_Options, -1, 1632}});
  Set_Text_Items(CB_Update_Options, 1615, 3);
}

void TFBoot::FormShow(TObject*) {
  Set_Lang();
  L_SW_Code->SetCaption(Soft_Code);
  const bool ethernet = Form_Type == 1;
  P_IP_Address->SetVisible(ethernet);
  P_Options->SetVisible(true);
  P_Eth_Search->SetVisible(false);
  P_Serial->SetVisible(!ethernet);
  // Stack from the top: title, address (or serial), options; the buttons sit at the bottom.
  TLayoutCursor rows(Dialog_Title_Height);
  P_Title->SetTop(0);
  for (TPanel* p : {P_IP_Address, P_Serial, P_Options}) {
    if (p->Visible()) p->SetTop(rows.Take(p->Height()));
  }
  SetClientWidth(Client_Width);
  SetClientHeight(rows.Top() + Dialog_Button_Height);
  int order = 0;
  for (TPanel* p : {P_Title, P_IP_Address, P_Eth_Search, P_Options, P_Button, P_Serial}) p->SetTabOrder(order++);

  if (ethernet) {
    String ip1, ip2, ip3, ip4;
    if (!Last_IP_Address.empty() && Split_IP_Address(Last_IP_Address, ip1, ip2, ip3, ip4)) {
      E_IP1->SetText(Trim(ip1));
      E_IP2->SetText(Trim(ip2));
      E_IP3->SetText(Trim(ip3));
      E_IP4->SetText(Trim(ip4));
    }
  }
  CB_Update_Options->SetItemIndex(Last_Update_Option);
  CB_Update_Option_Read_Back->SetChecked(Last_Read_Back);
  if (ethernet && E_IP1->CanFocus()) E_IP1->SetFocus();
}

void TFBoot::KeyPress(TObject* Sender, Char& Key) {
  if (Key != u'.') return;
  Key = 0;
  TEdit* next = Sender == E_IP1 ? E_IP2 : Sender == E_IP2 ? E_IP3 : Sender == E_IP3 ? E_IP4 : nullptr;
  if (next && next->CanFocus()) next->SetFocus();
}

String TFBoot::Address_Text() const {
  return E_IP1->Text() + u"." + E_IP2->Text() + u"." + E_IP3->Text() + u"." + E_IP4->Text();
}

void TFBoot::PingReply(TComponent*, const TReplyStatus& AReplyStatus) {
  // Only our echo's reply with data is an answer; a time-out or any other report is not.
  ping_res = AReplyStatus.ReplyStatusType == rsEcho && AReplyStatus.BytesReceived > 0 ? 1 : 2;
  echoReported_ = true;
}

bool TFBoot::Send_Ping() {
  ping_res = 0;
  const uint32_t start = GetTickCount();
  const String address = Address_Text();
  int answered = 0;
  try {
    Ping->SetHost(address);
    for (;;) {
      const uint32_t cycle = GetTickCount();
      echoReported_ = false;
      Ping->Send(address);
      for (;;) {
        Ping->Poll();
        if (echoReported_) break;
        if (ModalResult() != mrNone || TicksElapsed(cycle, GetTickCount()) > Boot_Echo_Timeout_Ms) {
          Ping->Cancel();
          break;
        }
        Echo_Wait_Step();
      }
      // The dialog was closed while the echo ran: the check ends unanswered.
      if (ModalResult() != mrNone) return false;
      if (ping_res == 1 && ++answered >= Boot_Echo_Answers_Needed) break;
      if (TicksElapsed(start, GetTickCount()) > Boot_Echo_Total_Ms) break;
    }
  } catch (const std::exception&) {
    return false;
  }
  return ping_res == 1;
}

void TFBoot::Compile_XML_Parameter_New_Boot() {
  TUpdate_Script_Input in;
  in.IP_Address = Address_Text();
  in.Update_Option = CB_Update_Options->ItemIndex();
  in.Read_Back = CB_Update_Option_Read_Back->Checked();
  in.Master_Folder = Master_Folder;
  in.Project_Folder = Project_Folder;
  Build_Update_Script(*XML1, in);
  XML1->SaveToFile(Update_Script_Path());
}

void TFBoot::Btn_UpdateClick(TObject*) {
  if (Form_Type != 1 || checking_) return;
  // While the check and the updater run, neither a second click nor an edit of the address
  // may slip in: the script must name the address that answered.
  TWinControl* locked[] = {Btn_Update, E_IP1, E_IP2, E_IP3, E_IP4};
  struct Unlock {
    TFBoot* self;
    TWinControl* const* controls;
    ~Unlock() {
      // Clicks queued while the window was blocked meet a disabled button.
      Application->ProcessMessages();
      for (int i = 0; i < 5; ++i) controls[i]->SetEnabled(true);
      self->checking_ = false;
    }
  };
  checking_ = true;
  for (TWinControl* c : locked) c->SetEnabled(false);
  Unlock unlock{this, locked};

  const bool answered = Send_Ping();
  if (ModalResult() != mrNone) return;
  if (answered) {
    Last_IP_Address = Address_Text();
    Last_Update_Option = CB_Update_Options->ItemIndex();
    Last_Read_Back = CB_Update_Option_Read_Back->Checked();
    Compile_XML_Parameter_New_Boot();
    const String updater = Updater_Program_Path();
    const TProgramResult run = Application->StartProgram(updater, {}, Program_Folder, Start_Program_Limit());
    if (!run.Started) {
      String text = UI_Text(1638) + updater;
      if (!run.Error.empty()) text += u"\n" + run.Error;
      MessageDlg(text, mtError, TMsgDlgButtons{mbOK});
    }
  } else if (ping_res == 2) {
    MessageDlg(UI_Text(1636), mtWarning, TMsgDlgButtons{mbOK});
  } else {
    MessageDlg(UI_Text(1637), mtError, TMsgDlgButtons{mbOK});
  }
}
