#pragma once
// The PROFINET step's file-name dialog (unit UProfinetFileName): a fixed prefix, a part the user
// types (kept for the whole run) and the date of the program's start make the GSDML file name.
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"
#include "shell/UDialogFrame.h"

// "-" + year + month + day (two digits each) + ".xml".
String PROFINET_Date_Part(TDateTime Date);
// Prefix + date part without a user part, else with the user part, which gets a leading "_"
// unless it has one; the user part is taken as typed.
String PROFINET_Compose_Name(const String& Prefix, const String& User, const String& Date_Part);

class TFProfinetFileName : public TForm, public TDialogFrame {
 public:
  explicit TFProfinetFileName(TComponent* AOwner);
  ~TFProfinetFileName() override;
  String ClassName() const override { return u"TFProfinetFileName"; }

  TLabel* L_Select_Name = nullptr;
  TLabel* L_FixPart_1 = nullptr;
  TLabel* L_XML_Fix1 = nullptr;
  TLabel* L_UsedPart = nullptr;
  TEdit* E_XML_User = nullptr;
  TLabel* L_FixPart_2 = nullptr;
  TLabel* L_XML_Fix2 = nullptr;  // the date part, fixed at creation
  String Name_File_XML;          // the composed name, set by OK

  void FormCreate(TObject* Sender);
  void Set_Lang();
  void Btn_OK_Click(TObject* Sender);

 private:
  void BuildControls();
};

extern TFProfinetFileName* FProfinetFileName;
