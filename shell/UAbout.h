#pragma once
// The about box: fixed English texts, the logo and the maker's web address. It has no
// text-setting routine, so a language change leaves it as it is.
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TLbButton;

class TFAbout : public TForm {
 public:
  explicit TFAbout(TComponent* AOwner);
  ~TFAbout() override;
  String ClassName() const override { return u"TFAbout"; }

  TImage* Image2 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label6 = nullptr;
  TLabel* Label9 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label10 = nullptr;
  TLabel* Label8 = nullptr;
  TLabel* Label12 = nullptr;
  TLabel* Label4 = nullptr;
  TLbButton* LbButton1 = nullptr;

  void FormShow(TObject* Sender);
  void Label4Click(TObject* Sender);

 private:
  void BuildControls();
};

extern TFAbout* FAbout;
