#include "shell/UNew_Project.h"

#include "button/LbButton.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UShellGlyphs.h"

TFNew_Project* FNew_Project = nullptr;

namespace {

const String& T(int i) { return Language_List->Strings(i); }

// Whether PROJECTS holds an entry of this name in any letter case, and whether it is a folder.
bool Find_Case_Blind(const String& Name, bool& IsFolder) {
  const String upper = AnsiUpperCase(Name);
  for (const TSearchEntry& e : ListDirectory(Projects_Folder)) {
    if (AnsiUpperCase(e.Name) == upper) {
      IsFolder = e.IsDirectory;
      return true;
    }
  }
  return false;
}

}  // namespace

bool Is_Valid_Configuration_Name(const String& Name) {
  if (Name.empty() || Name == u"." || Name == u"..") return false;
  return Name.find_first_of(String(u"/\\\0", 3)) == String::npos;
}

TDialogFrame Build_Dialog_Frame(TForm* Form, int OkLeft, int CancelLeft) {
  TDialogFrame f;
  Form->SetColor(Shell_Window_Color);
  Form->Font()->SetName(u"Verdana");
  Form->Font()->SetHeight(-11);
  Form->SetPosition(poScreenCenter);
  auto panel = [Form](const String& name, TAlign align, int height) {
    auto* p = New<TPanel>(Form);
    p->SetName(name);
    p->SetParent(Form);
    p->SetAlign(align);
    p->SetHeight(height);
    p->SetBevelOuter(bvNone);
    p->SetShowCaption(false);
    p->SetParentColor(true);
    return p;
  };
  f.P_Title = panel(u"P_Title", alTop, 69);
  auto label = [&f](const String& name, int top, int height, bool bold) {
    auto* l = New<TLabel>(f.P_Title);
    l->SetName(name);
    l->SetParent(f.P_Title);
    l->SetLeft(16);
    l->SetTop(top);
    l->SetParentFont(false);
    l->Font()->SetName(u"Verdana");
    l->Font()->SetHeight(height);
    l->Font()->SetColor(clGray);
    if (bold) l->Font()->SetStyle(TFontStyles(fsBold));
    return l;
  };
  f.L_SW_Code = label(u"L_SW_Code", 8, -32, false);
  f.L_SW_Desc = label(u"L_SW_Desc", 42, -11, true);
  f.P_Button = panel(u"P_Button", alBottom, 40);
  auto button = [&f](const String& name, int left, const String& glyph) {
    auto* b = New<TLbButton>(f.P_Button);
    b->SetName(name);
    b->SetParent(f.P_Button);
    b->SetBounds(left, 6, 110, 28);
    Apply_Dialog_Button_Look(b);
    b->SetGlyph(Create_Dialog_Glyph(glyph).get());
    b->SetShowHint(true);
    return b;
  };
  f.Btn_OK = button(u"Btn_OK", OkLeft, u"ok");
  f.Btn_Cancel = button(u"Btn_Cancel", CancelLeft, u"cancel");
  return f;
}

TFNew_Project::TFNew_Project(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"FNew_Project");
  BuildControls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TFNew_Project::~TFNew_Project() {
  if (FNew_Project == this) FNew_Project = nullptr;
}

void TFNew_Project::BuildControls() {
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetClientWidth(331);
  SetClientHeight(162);
  Build_Dialog_Frame_Into(this, 85, 203);
  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
  Btn_Cancel->SetModalResult(mrCancel);

  Label1 = New<TLabel>(this);
  Label1->SetName(u"Label1");
  Label1->SetParent(this);
  Label1->SetBounds(16, 70, 200, 13);
  E_New_Proj = New<TEdit>(this);
  E_New_Proj->SetName(u"E_New_Proj");
  E_New_Proj->SetParent(this);
  E_New_Proj->SetBounds(16, 94, 297, 21);
  E_New_Proj->SetTabOrder(0);
  E_New_Proj->SetShowHint(true);
  E_New_Proj->OnKeyPress = [this](TObject* s, Char& k) { E_New_ProjKeyPress(s, k); };
}

void TFNew_Project::FormCreate(TObject*) {
  FNew_Project = this;
  L_SW_Code->SetCaption(Soft_Code);
  SetClientHeight(162);
  SetClientWidth(331);
  Set_Lang();
}

void TFNew_Project::Set_Lang() {
  SetCaption(T(100));
  L_SW_Desc->SetCaption(T(101));
  Label1->SetCaption(T(102));
  E_New_Proj->SetHint(T(108));
  Btn_OK->SetCaption(T(103));
  Btn_OK->SetHint(T(109));
  Btn_Cancel->SetCaption(T(104));
  Btn_Cancel->SetHint(T(110));
}

void TFNew_Project::FormShow(TObject*) {
  E_New_Proj->SetText(String());
  if (E_New_Proj->CanFocus()) E_New_Proj->SetFocus();
}

void TFNew_Project::E_New_ProjKeyPress(TObject* Sender, Char& Key) {
  if (Key == 13) {
    Key = 0;
    Btn_OKClick(Sender);
  }
}

void TFNew_Project::Btn_OKClick(TObject*) {
  const String name = E_New_Proj->Text();
  if (name.empty()) {
    MessageDlg(T(107), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  if (!Is_Valid_Configuration_Name(name)) {
    MessageDlg(T(105), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  bool isFolder = false;
  const bool found = Find_Case_Blind(name, isFolder);
  if (found && isFolder) {
    MessageDlg(T(106), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  const String folder = PathJoin(Projects_Folder, name);
  if (found || !CreateDir(folder)) {
    MessageDlg(T(105), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  ForceDirectories(PathJoin(folder, u"bin"));
  Project_Name = name;
  Project_Folder = PathJoin(Projects_Folder, Project_Name);
  Set_Files();
  SetModalResult(mrOk);
}
