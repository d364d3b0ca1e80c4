#include "shell/UNew_Project.h"

#include "button/LbButton.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFNew_Project* FNew_Project = nullptr;

namespace {

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
  // Blanks alone are saved as blanks and read back as no name at all.
  if (Trim(Name).empty() || Name == u"." || Name == u"..") return false;
  for (const Char c : Name) {
    if (c == u'/' || c == u'\\') return false;
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;  // would become part of a folder name
  }
  return true;
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
  Apply_Form_Look(this);
  SetClientWidth(331);
  SetClientHeight(162);
  Build_Dialog_Frame(this, *this, {.OkLeft = 85, .CancelLeft = 203});
  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
  Btn_Cancel->SetModalResult(mrCancel);

  Label1 = Add_Control<TLabel>(this, u"Label1");
  Label1->SetBounds(16, 70, 200, 13);
  E_New_Proj = Add_Control<TEdit>(this, u"E_New_Proj");
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
  Set_Texts({{this, 100}, {L_SW_Desc, 101}, {Label1, 102}, {E_New_Proj, -1, 108}, {Btn_OK, 103, 109},
             {Btn_Cancel, 104, 110}});
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
    MessageDlg(UI_Text(107), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  if (!Is_Valid_Configuration_Name(name)) {
    MessageDlg(UI_Text(105), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  bool isFolder = false;
  const bool found = Find_Case_Blind(name, isFolder);
  if (found && isFolder) {
    MessageDlg(UI_Text(106), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  const String folder = PathJoin(Projects_Folder, name);
  if (found || !CreateDir(folder)) {
    MessageDlg(UI_Text(105), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  ForceDirectories(PathJoin(folder, u"bin"));
  Project_Name = name;
  Project_Folder = PathJoin(Projects_Folder, Project_Name);
  Set_Files();
  SetModalResult(mrOk);
}
