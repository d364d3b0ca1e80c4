#include "shell/USoftOptions.h"

#include <filesystem>

#include "button/LbButton.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"
#include "shell/ULanguage.h"

TFSoftOptions* FSoftOptions = nullptr;
std::function<void()> Change_Language_Of_Forms;

TFSoftOptions::TFSoftOptions(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"FSoftOptions");
  BuildControls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TFSoftOptions::~TFSoftOptions() {
  if (FSoftOptions == this) FSoftOptions = nullptr;
}

void TFSoftOptions::BuildControls() {
  Apply_Form_Look(this);
  SetClientWidth(509);
  SetClientHeight(373);

  auto button = [](TWinControl* parent, const String& name, int l, int t, int w) {
    auto* b = Add_Control<TLbButton>(parent, name);
    b->SetBounds(l, t, w, 28);
    Apply_Dialog_Button_Look(b);
    return b;
  };

  Build_Dialog_Frame(this, *this, {.OkLeft = 16, .CancelLeft = 134});
  // These two have no hints of their own: they follow the form, as before the shared frame.
  Btn_OK->SetParentShowHint(true);
  Btn_Cancel->SetParentShowHint(true);
  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
  Btn_Cancel->SetModalResult(mrCancel);

  PC_Options = Add_Control<TPageControl>(this, u"PC_Options");
  PC_Options->SetAlign(alClient);
  auto sheet = [this](const String& name) {
    auto* ts = New<TTabSheet>(this);
    ts->SetName(name);
    ts->SetPageControl(PC_Options);
    return ts;
  };
  TS_Language = sheet(u"TS_Language");
  TS_Con_Options = sheet(u"TS_Con_Options");
  TS_Soft_Settings = sheet(u"TS_Soft_Settings");

  L_Sel_Lang = Add_Label(TS_Language, u"L_Sel_Lang", 12, 11);
  // Two columns of three flags with their names beside them.
  const int pictureLeft[6] = {24, 26, 24, 254, 254, 254};
  const TLayoutCursor flagRows(40, 54);
  for (int k = 0; k < 6; ++k) {
    auto* img = Add_Control<TImage>(TS_Language, u"I_L" + IntToStr(k + 1));
    img->SetBounds(pictureLeft[k], flagRows.Row(k % 3), 48, 48);
    img->SetTransparent(true);
    img->SetCursor(crHandPoint);
    img->OnClick = [this](TObject* s) { LangClick(s); };
    I_L[k] = img;
    auto* lb = Add_Label(TS_Language, u"L_L" + IntToStr(k + 1), k < 3 ? 80 : 310, flagRows.Row(k % 3) + 16);
    lb->SetCursor(crHandPoint);
    lb->OnClick = [this](TObject* s) { LangClick(s); };
    L_L[k] = lb;
  }
  L_Page_Lang = Add_Label(TS_Language, u"L_Page_Lang", 220, 212);
  Btn_Prev = button(TS_Language, u"Btn_Prev", 12, 204, 110);
  Btn_Prev->SetGlyph(Create_Dialog_Glyph(u"prev").get());
  Btn_Prev->OnClick = [this](TObject* s) { Btn_NextClick(s); };
  Btn_Next = button(TS_Language, u"Btn_Next", 379, 205, 110);
  Btn_Next->SetGlyph(Create_Dialog_Glyph(u"next").get());
  Btn_Next->SetLayout(blGlyphRight);
  Btn_Next->OnClick = [this](TObject* s) { Btn_NextClick(s); };

  auto check = [this](TWinControl* parent, const String& name, int l, int t, int w) {
    auto* cb = Add_Control<TCheckBox>(parent, name);
    cb->SetBounds(l, t, w, 17);
    cb->OnClick = [this](TObject* s) { CB_En_ConClick(s); };
    return cb;
  };
  TLayoutCursor rows(16, 31);
  CB_En_Con = check(TS_Con_Options, u"CB_En_Con", 12, rows.Next(), 440);
  CB_Update = check(TS_Con_Options, u"CB_Update", 36, rows.Next(), 416);
  Btn_Check_Update = button(TS_Con_Options, u"Btn_Check_Update", 36, rows.Next(), 204);
  Btn_Check_Update->SetGlyph(Create_Main_Glyph(u"Btn_CreateBin").get());
  Btn_Check_Update->OnClick = [this](TObject* s) { Btn_Check_UpdateClick(s); };
  LL_Check_Update = Add_Control<TLinkLabel>(TS_Con_Options, u"LL_Check_Update");
  LL_Check_Update->SetBounds(40, 120, 400, 17);
  LL_Check_Update->OnLinkClick = [this](TObject* s, const String& link, TSysLinkType type) {
    LL_Check_UpdateLinkClick(s, link, type);
  };
  rows = TLayoutCursor(16, 31);
  CB_Soft_Set_Jump_Table = check(TS_Soft_Settings, u"CB_Soft_Set_Jump_Table", 12, rows.Next(), 470);
  CB_DoubleClick_Auto_Size = check(TS_Soft_Settings, u"CB_DoubleClick_Auto_Size", 12, rows.Next(), 470);
}

void TFSoftOptions::FormCreate(TObject*) {
  FSoftOptions = this;
  SL_Languages = std::make_unique<TStringList>();
  L_SW_Code->SetCaption(Soft_Code);
  PC_Options->SetActivePage(TS_Con_Options);
  Set_Lang();
}

void TFSoftOptions::Set_Lang() {
  Set_Texts({{this, 300}, {L_SW_Desc, 301}, {TS_Language, 302}, {TS_Con_Options, 303}, {L_Sel_Lang, 304},
             {Btn_Prev, 307}, {Btn_Next, 308}, {CB_En_Con, 309}, {CB_Update, 310}, {Btn_Check_Update, 311},
             {Btn_OK, 312}, {Btn_Cancel, 313}, {TS_Soft_Settings, 319}, {CB_Soft_Set_Jump_Table, 320},
             {CB_DoubleClick_Auto_Size, 321}});
  L_Page_Lang->SetCaption(UI_Text(305) + u"1" + UI_Text(306) + u"1");
}

void TFSoftOptions::FormShow(TObject*) {
  // A verdict asked for while the dialog was shown before would land on a fresh page.
  Version_Check.Cancel();
  Language_In_Use = Language_Name;
  Create_Lang_List();
  Update_CheckBox();
  LL_Check_Update->SetVisible(false);
  PC_Options->SetActivePage(TS_Language);
  CB_En_Con->SetChecked(Opt_Enable_Internet);
  CB_Update->SetChecked(Opt_Enable_Update);
  CB_Soft_Set_Jump_Table->SetChecked(Opt_Jump_Field_Tables);
  CB_DoubleClick_Auto_Size->SetChecked(Opt_Double_Click_Auto_Size);
}

void TFSoftOptions::Create_Lang_List() {
  if (!SL_Languages) SL_Languages = std::make_unique<TStringList>();
  SL_Languages->Clear();
  namespace fs = std::filesystem;
  for (const TSearchEntry& e : ListDirectory(Language_Folder)) {
    if (e.IsDirectory || e.Name.size() < 4) continue;
    if (UpperCase(ExtractFileExt(e.Name)) != u".LNG") continue;
    // A read-only file is left out, as the attribute mask of the file search does.
    std::error_code ec;
    const fs::perms p = fs::status(ToPath(PathJoin(Language_Folder, e.Name)), ec).permissions();
    if (ec || (p & fs::perms::owner_write) == fs::perms::none) continue;
    if (!fs::is_regular_file(ToPath(PathJoin(Language_Folder, e.Name)), ec)) continue;
    SL_Languages->Add(e.Name);
  }
  SL_Languages->Sort();
  Show_Page = 1;
  Update_Lang_Page(1);
}

int TFSoftOptions::Page_Count() const { return (SL_Languages->Count() + 5) / 6; }

String TFSoftOptions::Slot_Language(int Slot) const {
  const int i = (Show_Page - 1) * 6 + Slot;
  if (i < 0 || i >= SL_Languages->Count()) return String();
  const String& file = SL_Languages->Strings(i);
  return file.substr(0, file.size() - 4);
}

void TFSoftOptions::Update_Lang_Page(int Num_Page) {
  const int count = SL_Languages->Count();
  const int pages = (count + 5) / 6;
  L_Sel_Lang->SetCaption(UI_Text(304) + Language_In_Use);
  L_Page_Lang->SetCaption(UI_Text(305) + IntToStr(Num_Page) + UI_Text(306) + IntToStr(pages));
  Btn_Prev->SetVisible(Num_Page != 1);
  Btn_Next->SetVisible(Num_Page != pages);
  int n = count - (Num_Page - 1) * 6;
  if (n > 6) n = 6;
  for (int k = 0; k < 6; ++k) {
    const bool shown = k < n;
    L_L[k]->SetVisible(shown);
    I_L[k]->SetVisible(shown);
    if (!shown) continue;
    const String& file = SL_Languages->Strings((Num_Page - 1) * 6 + k);
    const String name = file.substr(0, file.size() - 4);
    L_L[k]->SetCaption(name);
    String flag = PathJoin(Language_Folder, name + u".bmp");
    if (!FileExists(flag)) flag = PathJoin(Language_Folder, u"DefaultFlag.bmp");
    bool loaded = false;
    if (FileExists(flag)) {
      try {
        I_L[k]->Picture()->LoadFromFile(flag);
        if (I_L[k]->Picture()->Graphic()) I_L[k]->Picture()->Graphic()->SetTransparent(true);
        loaded = true;
      } catch (const std::exception&) {
        // An unreadable flag leaves the slot with its name only.
      }
    }
    if (!loaded) I_L[k]->Picture()->SetGraphic(nullptr);
    I_L[k]->SetVisible(loaded);
  }
}

void TFSoftOptions::Btn_NextClick(TObject* Sender) {
  const int pages = Page_Count();
  if (Sender == Btn_Next) {
    if (pages >= Show_Page + 1) ++Show_Page;
  } else if (Show_Page >= 2) {
    --Show_Page;
  }
  Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(TObject* Sender) {
  int slot = -1;
  for (int k = 0; k < 6; ++k) {
    if (Sender == I_L[k] || Sender == L_L[k]) slot = k;
  }
  const String language = Slot_Language(slot);
  if (slot < 0 || language.empty()) return;
  const String question = UI_Text(316) + Language_In_Use + UI_Text(317) + language + UI_Text(318);
  if (MessageDlg(question, mtConfirmation, mbYesNo) != mrYes) return;
  Language_In_Use = language;
  const String saved = Language_Name;
  Language_Name = language;
  Load_Language();
  Language_Name = saved;
  if (Change_Language_Of_Forms) Change_Language_Of_Forms();
  else Set_Lang();
  L_Sel_Lang->SetCaption(UI_Text(304) + Language_In_Use);
  L_Page_Lang->SetCaption(UI_Text(305) + IntToStr(Show_Page) + UI_Text(306) + IntToStr(Page_Count()));
}

void TFSoftOptions::CB_En_ConClick(TObject*) { Update_CheckBox(); }

void TFSoftOptions::Update_CheckBox() {
  CB_Update->SetEnabled(CB_En_Con->Checked());
  Btn_Check_Update->SetEnabled(CB_Update->Enabled() && CB_Update->Checked());
}

THTTPClient* TFSoftOptions::Http() {
  if (Version_Client) return Version_Client;
  if (!ownHttp_) {
    ownHttp_ = New<THTTPClient>(this);
    Configure_Version_Client(ownHttp_);
  }
  return ownHttp_;
}

bool TFSoftOptions::Check_Version() { return Request_Newer_Version(Http()->Request(Version_Request_URL())); }

void TFSoftOptions::Btn_Check_UpdateClick(TObject*) { Version_Check.Start(Http(), this); }

void TFSoftOptions::Show_Version_Verdict(bool Newer) {
  if (Newer) LL_Check_Update->SetCaption(Html_Anchor(Maker_Download_URL(), UI_Text(314)));
  else LL_Check_Update->SetCaption(UI_Text(315));
  LL_Check_Update->SetVisible(true);
}

void TFSoftOptions::WndProc(TMessage& Message) {
  if (Message.Msg == Version_Verdict_Message()) {
    if (const std::optional<bool> newer = Version_Check.Take(Message)) Show_Version_Verdict(*newer);
    return;
  }
  TForm::WndProc(Message);
}

void TFSoftOptions::LL_Check_UpdateLinkClick(TObject*, const String& Link, TSysLinkType) { OpenURL(Link); }

void TFSoftOptions::Btn_OKClick(TObject*) {
  Language_Name = Language_In_Use;
  Opt_Enable_Internet = CB_En_Con->Checked();
  Opt_Enable_Update = CB_Update->Checked();
  Opt_Jump_Field_Tables = CB_Soft_Set_Jump_Table->Checked();
  Opt_Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->Checked();
  SetModalResult(mrOk);
}
