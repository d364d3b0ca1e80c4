#pragma once
// The software options dialog (language pages, connection and table options, the version
// check on demand).
#include <array>
#include <functional>
#include <memory>

#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "shell/UDialogFrame.h"
#include "shell/UVersionCheck.h"

class TLbButton;

// Gives every form its texts again after the dialog loaded another language: the main window's
// Change_Language while the main window exists. Empty, the dialog retexts only itself.
extern std::function<void()> Change_Language_Of_Forms;

class TFSoftOptions : public TForm, public TDialogFrame {
 public:
  explicit TFSoftOptions(TComponent* AOwner);
  ~TFSoftOptions() override;
  String ClassName() const override { return u"TFSoftOptions"; }

  TPageControl* PC_Options = nullptr;
  TTabSheet* TS_Language = nullptr;
  TLabel* L_Sel_Lang = nullptr;
  std::array<TImage*, 6> I_L{};   // I_L1 .. I_L6
  std::array<TLabel*, 6> L_L{};   // L_L1 .. L_L6
  TLabel* L_Page_Lang = nullptr;
  TLbButton* Btn_Prev = nullptr;
  TLbButton* Btn_Next = nullptr;
  TTabSheet* TS_Con_Options = nullptr;
  TCheckBox* CB_En_Con = nullptr;
  TCheckBox* CB_Update = nullptr;
  TLbButton* Btn_Check_Update = nullptr;
  TLinkLabel* LL_Check_Update = nullptr;
  TTabSheet* TS_Soft_Settings = nullptr;
  TCheckBox* CB_Soft_Set_Jump_Table = nullptr;
  TCheckBox* CB_DoubleClick_Auto_Size = nullptr;

  int Show_Page = 1;
  std::unique_ptr<TStringList> SL_Languages;
  String Language_In_Use;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void LangClick(TObject* Sender);
  void Btn_NextClick(TObject* Sender);
  void CB_En_ConClick(TObject* Sender);
  void Btn_Check_UpdateClick(TObject* Sender);
  void LL_Check_UpdateLinkClick(TObject* Sender, const String& Link, TSysLinkType LinkType);
  void Btn_OKClick(TObject* Sender);

  void Set_Lang();
  // True when the maker's server names a newer version. Blocking; any failure is false.
  bool Check_Version();
  // The check on demand runs off the UI thread; its verdict shows when it arrives.
  TVersionCheck Version_Check;
  void Show_Version_Verdict(bool Newer);
  void Create_Lang_List();
  void Update_Lang_Page(int Num_Page);
  void Update_CheckBox();
  int Page_Count() const;
  // The language of a slot (0..5) on the shown page.
  String Slot_Language(int Slot) const;
  // The client of the version request: the main window's HTTP1, or the dialog's own when there
  // is no main window.
  THTTPClient* Http();

 protected:
  void WndProc(TMessage& Message) override;

 private:
  void BuildControls();

  THTTPClient* ownHttp_ = nullptr;
};

extern TFSoftOptions* FSoftOptions;
