#pragma once
// The open-configuration dialog: lists the configuration folders and returns the chosen name.
#include <memory>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "shell/UDialogFrame.h"

class TLbButton;

class TFOpenConf : public TForm, public TDialogFrame {
 public:
  explicit TFOpenConf(TComponent* AOwner);
  ~TFOpenConf() override;
  String ClassName() const override { return u"TFOpenConf"; }

  TLabel* Label1 = nullptr;
  TListBox* ListBox1 = nullptr;

  // Folder names found at the last showing.
  std::unique_ptr<TStringList> SL;
  // The chosen name; empty when the last showing found no configuration.
  String Name_Conf;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void Set_Lang();
  void Load_Existing_Configuration();
  // Position in SL of the first name equal to snc (letters a-z compared case-blind), or -1.
  int Search_Open_Conf(const String& snc) const;
  void ListBox1Click(TObject* Sender);

 private:
  void BuildControls();
};

extern TFOpenConf* FOpenConf;
