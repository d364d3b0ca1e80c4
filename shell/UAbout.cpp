#include "shell/UAbout.h"

#include "button/LbButton.h"
#include "platform/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"
#include "shell/UVersionCheck.h"

TFAbout* FAbout = nullptr;

TFAbout::TFAbout(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"FAbout");
  BuildControls();
  OnCreate = [this](TObject*) { FAbout = this; };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TFAbout::~TFAbout() {
  if (FAbout == this) FAbout = nullptr;
}

void TFAbout::BuildControls() {
  SetCaption(u"About...");
  Apply_Form_Look(this, {.FontColor = 0x333333});
  SetClientWidth(425);
  SetClientHeight(148);

  Image2 = Add_Control<TImage>(this, u"Image2");
  Image2->SetBounds(32, 24, 81, 81);
  Image2->SetStretch(true);
  Image2->SetCursor(crHandPoint);
  Image2->Picture()->SetGraphic(Create_Logo(162).get());
  Image2->OnClick = [this](TObject* s) { Label4Click(s); };

  auto label = [this](const String& name, int l, int t, const String& text) {
    TLabel* lb = Add_Label(this, name, l, t);
    lb->SetCaption(text);
    return lb;
  };
  Label1 = label(u"Label1", 128, 24, u"Software Kelvane ");
  Apply_Label_Font(Label1, -13, 0x333333, fsBold);
  Label2 = label(u"Label2", 128, 39, String());
  Label6 = label(u"Label6", 128, 62, u"Software Code : ");
  Label9 = label(u"Label9", 240, 62, String());
  Label3 = label(u"Label3", 128, 77, u"Version :");
  Label10 = label(u"Label10", 240, 77, String());
  Label8 = label(u"Label8", 128, 93, u"Document Code :");
  Label12 = label(u"Label12", 240, 93, String());
  Label4 = label(u"Label4", 316, 131, Maker_Web_Server);
  Apply_Label_Font(Label4, -11, clBlue, fsUnderline);
  Label4->SetCursor(crHandPoint);
  Label4->OnClick = [this](TObject* s) { Label4Click(s); };

  LbButton1 = Add_Control<TLbButton>(this, u"LbButton1");
  LbButton1->SetBounds(32, 115, 81, 22);
  Apply_Dialog_Button_Look(LbButton1);
  LbButton1->SetColorWhenDown(clYellow);
  LbButton1->SetGlyph(Create_Dialog_Glyph(u"ok").get());
  LbButton1->SetCaption(u"OK");
  LbButton1->SetModalResult(mrOk);
}

void TFAbout::FormShow(TObject*) {
  Label2->SetCaption(Soft_Desc_Init);
  Label9->SetCaption(u"MS40001");
  Label10->SetCaption(Soft_Version);
  Label12->SetCaption(u"MM40001");
  SetClientHeight(148);
  SetClientWidth(425);
}

void TFAbout::Label4Click(TObject*) { OpenURL(Maker_Home_Page_URL()); }
