#include "shell/UOpenConf.h"

#include "button/LbButton.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFOpenConf* FOpenConf = nullptr;

TFOpenConf::TFOpenConf(TComponent* AOwner) : TForm(AOwner), SL(std::make_unique<TStringList>()) {
  SetName(u"FOpenConf");
  BuildControls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TFOpenConf::~TFOpenConf() {
  if (FOpenConf == this) FOpenConf = nullptr;
}

void TFOpenConf::BuildControls() {
  // Sizeable, with the window's usual icons: the list grows with it.
  Apply_Form_Look(this, {.BorderStyle = bsSizeable, .BorderIcons = {biSystemMenu, biMinimize, biMaximize}});
  SetClientWidth(377);
  SetClientHeight(351);
  Build_Dialog_Frame(this, *this, {.OkLeft = 135, .CancelLeft = 253});
  Btn_OK->SetModalResult(mrOk);
  Btn_Cancel->SetModalResult(mrCancel);
  Btn_OK->SetAnchors(TAnchors{akTop, akRight});
  Btn_Cancel->SetAnchors(TAnchors{akTop, akRight});

  Label1 = Add_Control<TLabel>(this, u"Label1");
  Label1->SetBounds(16, 70, 200, 13);
  ListBox1 = Add_Control<TListBox>(this, u"ListBox1");
  ListBox1->SetBounds(16, 94, 345, 351 - 40 - 94 - 8);
  ListBox1->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  ListBox1->SetShowHint(true);
  ListBox1->OnClick = [this](TObject* s) { ListBox1Click(s); };
}

void TFOpenConf::FormCreate(TObject*) {
  FOpenConf = this;
  L_SW_Code->SetCaption(Soft_Code);
  SetClientHeight(351);
  SetClientWidth(377);
  Set_Lang();
}

void TFOpenConf::Set_Lang() {
  Set_Texts({{this, 200}, {L_SW_Desc, 201}, {Label1, 202}, {ListBox1, -1, 205}, {Btn_OK, 203, 206},
             {Btn_Cancel, 204, 207}});
}

void TFOpenConf::Load_Existing_Configuration() {
  SL->Clear();
  for (const TSearchEntry& e : ListDirectory(Projects_Folder)) {
    if (!e.IsDirectory || e.Hidden || e.Name == u"." || e.Name == u"..") continue;
    SL->Add(e.Name);
  }
}

int TFOpenConf::Search_Open_Conf(const String& snc) const {
  const String key = UpperCase(snc);
  for (int i = 0; i < SL->Count(); ++i) {
    if (UpperCase(SL->Strings(i)) == key) return i;
  }
  return -1;
}

void TFOpenConf::FormShow(TObject*) {
  Load_Existing_Configuration();
  ListBox1->Clear();
  for (int i = 0; i < SL->Count(); ++i) ListBox1->Items()->Add(SL->Strings(i));
  String open;
  if (!Project_Folder.empty() && Project_Folder.size() > Projects_Folder.size() + 1)
    open = Project_Folder.substr(Projects_Folder.size() + 1);
  const int found = Search_Open_Conf(open);
  if (found >= 0) {
    ListBox1->SetItemIndex(found);
    Name_Conf = SL->Strings(found);
  } else if (SL->Count() > 0) {
    ListBox1->SetItemIndex(0);
    Name_Conf = SL->Strings(0);
  } else {
    // An empty list must not hand back a name chosen at an earlier showing.
    ListBox1->SetItemIndex(-1);
    Name_Conf.clear();
  }
}

void TFOpenConf::ListBox1Click(TObject*) {
  const int i = ListBox1->ItemIndex();
  if (i >= 0 && i < ListBox1->Items()->Count()) Name_Conf = ListBox1->Items()->Strings(i);
}
