#include "gateway/UBoot.h"

#include <chrono>
#include <thread>

#include "button/LbButton.h"
#include "gateway/UpdateScript.h"
#include "platform/Dialogs.h"
#include "platform/TimeSource.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UShellGlyphs.h"

TFBoot* FBoot = nullptr;

namespace {

const String& T(int i) { return Language_List->Strings(i); }

constexpr int Client_Width = 449;
constexpr int Title_Height = 69;
constexpr int Address_Height = 49;
constexpr int Options_Height = 72;
constexpr int Button_Height = 40;
constexpr int Serial_Height = 49;
constexpr int Search_Height = 49;

TPanel* Make_Panel(TForm* Form, const String& Name, int Top, int Height) {
  auto* p = New<TPanel>(Form);
  p->SetName(Name);
  p->SetParent(Form);
  p->SetAlign(alTop);
  p->SetTop(Top);
  p->SetHeight(Height);
  p->SetBevelOuter(bvNone);
  p->SetShowCaption(false);
  return p;
}

TLabel* Make_Label(TWinControl* Parent, const String& Name, int Left, int Top) {
  auto* l = New<TLabel>(Parent);
  l->SetName(Name);
  l->SetParent(Parent);
  l->SetLeft(Left);
  l->SetTop(Top);
  return l;
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
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetClientWidth(Client_Width);
  SetClientHeight(Title_Height + Address_Height + Options_Height + Button_Height);
  SetColor(Shell_Window_Color);
  Font()->SetName(u"Verdana");
  Font()->SetHeight(-11);
  SetPosition(poScreenCenter);
  P_Title = Make_Panel(this, u"P_Title", 0, Title_Height);
  auto title = [this](const String& name, int top, int height, bool bold) {
    TLabel* l = Make_Label(P_Title, name, 16, top);
    l->SetParentFont(false);
    l->Font()->SetName(u"Verdana");
    l->Font()->SetHeight(height);
    l->Font()->SetColor(clGray);
    if (bold) l->Font()->SetStyle(TFontStyles(fsBold));
    return l;
  };
  L_SW_Code = title(u"L_SW_Code", 8, -32, false);
  L_SW_Desc = title(u"L_SW_Desc", 42, -11, true);
  P_Button = Make_Panel(this, u"P_Button", 0, Button_Height);
  P_Button->SetAlign(alBottom);
  auto button = [this](const String& name, int left, int width, const String& glyph) {
    auto* b = New<TLbButton>(P_Button);
    b->SetName(name);
    b->SetParent(P_Button);
    b->SetBounds(left, 6, width, 28);
    Apply_Dialog_Button_Look(b);
    b->SetGlyph(Create_Dialog_Glyph(glyph).get());
    b->SetShowHint(true);
    return b;
  };
  Btn_Update = button(u"Btn_Update", 16, 200, u"ok");
  Btn_Update->OnClick = [this](TObject* s) { Btn_UpdateClick(s); };
  Btn_Cancel = button(u"Btn_Cancel", 323, 110, u"cancel");
  Btn_Cancel->SetModalResult(mrCancel);

  P_IP_Address = Make_Panel(this, u"P_IP_Address", Title_Height, Address_Height);
  L_IP_Address = Make_Label(P_IP_Address, u"L_IP_Address", 16, 2);
  TEdit** edits[] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
  TLabel** dots[] = {&L_Dot1, &L_Dot2, &L_Dot3};
  for (int i = 0; i < 4; ++i) {
    auto* e = New<TEdit>(P_IP_Address);
    e->SetName(u"E_IP" + IntToStr(i + 1));
    e->SetParent(P_IP_Address);
    e->SetBounds(16 + i * 64, 20, 50, 21);
    e->SetText(u"0");
    e->SetTabOrder(i);
    e->SetShowHint(true);
    e->OnKeyPress = [this](TObject* s, Char& k) { KeyPress(s, k); };
    *edits[i] = e;
    if (i < 3) {
      TLabel* dot = Make_Label(P_IP_Address, u"L_Dot" + IntToStr(i + 1), 16 + i * 64 + 55, 24);
      dot->SetCaption(u".");
      *dots[i] = dot;
    }
  }

  P_Eth_Search = Make_Panel(this, u"P_Eth_Search", Title_Height + Address_Height, Search_Height);
  P_Eth_Search->SetVisible(false);

  P_Options = Make_Panel(this, u"P_Options", Title_Height + Address_Height, Options_Height);
  L_Update_Option = Make_Label(P_Options, u"L_Update_Option", 16, 2);
  CB_Update_Options = New<TComboBox>(P_Options);
  CB_Update_Options->SetName(u"CB_Update_Options");
  CB_Update_Options->SetParent(P_Options);
  CB_Update_Options->SetStyle(csDropDownList);
  CB_Update_Options->SetBounds(16, 20, 240, 21);
  CB_Update_Options->SetTabOrder(0);
  CB_Update_Options->SetShowHint(true);
  CB_Update_Option_Read_Back = New<TCheckBox>(P_Options);
  CB_Update_Option_Read_Back->SetName(u"CB_Update_Option_Read_Back");
  CB_Update_Option_Read_Back->SetParent(P_Options);
  CB_Update_Option_Read_Back->SetBounds(16, 48, 240, 17);
  CB_Update_Option_Read_Back->SetTabOrder(1);
  CB_Update_Option_Read_Back->SetShowHint(true);

  P_Serial = Make_Panel(this, u"P_Serial", Title_Height + Address_Height + Options_Height, Serial_Height);
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
  SetCaption(T(ethernet ? 1602 : 1600));
  L_SW_Desc->SetCaption(T(ethernet ? 1603 : 1601));
  L_IP_Address->SetCaption(T(1606));
  L_Update_Option->SetCaption(T(1614));
  CB_Update_Options->Items()->Clear();
  for (int i = 1615; i <= 1617; ++i) CB_Update_Options->Items()->Add(T(i));
  CB_Update_Options->SetItemIndex(0);
  CB_Update_Option_Read_Back->SetCaption(T(1618));
  Btn_Cancel->SetCaption(T(1619));
  Btn_Update->SetCaption(T(1620));
  E_IP1->SetHint(T(1621));
  E_IP2->SetHint(T(1622));
  E_IP3->SetHint(T(1623));
  E_IP4->SetHint(T(1624));
  CB_Update_Options->SetHint(T(1632));
  CB_Update_Option_Read_Back->SetHint(T(1633));
  Btn_Cancel->SetHint(T(1634));
  Btn_Update->SetHint(T(1635));
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
  int top = Title_Height;
  P_Title->SetTop(0);
  for (TPanel* p : {P_IP_Address, P_Serial, P_Options}) {
    if (!p->Visible()) continue;
    p->SetTop(top);
    top += p->Height();
  }
  SetClientWidth(Client_Width);
  SetClientHeight(top + Button_Height);
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
      String text = T(1638) + updater;
      if (!run.Error.empty()) text += u"\n" + run.Error;
      MessageDlg(text, mtError, TMsgDlgButtons{mbOK});
    }
  } else if (ping_res == 2) {
    MessageDlg(T(1636), mtWarning, TMsgDlgButtons{mbOK});
  } else {
    MessageDlg(T(1637), mtError, TMsgDlgButtons{mbOK});
  }
}
