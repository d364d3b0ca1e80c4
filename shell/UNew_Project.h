#pragma once
// The new-configuration dialog: asks for a name, creates PROJECTS/<name>/bin and makes it the
// open configuration.
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "shell/UDialogFrame.h"

class TLbButton;

// A configuration name is one plain folder name: not empty or blanks only, no "/" or "\", no
// control character (C0, DEL, C1), not "." or "..". Anything else would reach outside PROJECTS,
// make a folder with control characters, or not read back from the settings as it was given.
bool Is_Valid_Configuration_Name(const String& Name);

class TFNew_Project : public TForm, public TDialogFrame {
 public:
  explicit TFNew_Project(TComponent* AOwner);
  ~TFNew_Project() override;
  String ClassName() const override { return u"TFNew_Project"; }

  TLabel* Label1 = nullptr;
  TEdit* E_New_Proj = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void Set_Lang();
  void E_New_ProjKeyPress(TObject* Sender, Char& Key);
  void Btn_OKClick(TObject* Sender);

 private:
  void BuildControls();
};

extern TFNew_Project* FNew_Project;
