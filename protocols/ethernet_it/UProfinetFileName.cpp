#include "protocols/ethernet_it/UProfinetFileName.h"

#include "button/LbButton.h"
#include "platform/TimeSource.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFProfinetFileName* FProfinetFileName = nullptr;

namespace {

constexpr int kProfinetUserLeft = 179;
constexpr int kProfinetDateLeft = 447;

String ProfinetTwoDigits(int Value) { return (Value < 10 ? String(u"0") : String()) + IntToStr(Value); }

}  // namespace

String PROFINET_Date_Part(TDateTime Date) {
  uint16_t y = 0, m = 0, d = 0;
  DecodeDate(Date, y, m, d);
  return u"-" + IntToStr(y) + ProfinetTwoDigits(m) + ProfinetTwoDigits(d) + u".xml";
}

String PROFINET_Compose_Name(const String& Prefix, const String& User, const String& Date_Part) {
  if (Trim(User).empty()) return Prefix + Date_Part;
  if (User[0] == u'_') return Prefix + User + Date_Part;
  return Prefix + u"_" + User + Date_Part;
}

TFProfinetFileName::TFProfinetFileName(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"FProfinetFileName");
  Apply_Form_Look(this);
  BuildControls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
}

TFProfinetFileName::~TFProfinetFileName() {
  if (FProfinetFileName == this) FProfinetFileName = nullptr;
}

void TFProfinetFileName::BuildControls() {
  Build_Dialog_Frame(this, *this, {.OkLeft = 16, .CancelLeft = 134});
  Btn_OK->SetModalResult(mrNone);
  Btn_Cancel->SetModalResult(mrCancel);
  Btn_OK->OnClick = [this](TObject* s) { Btn_OK_Click(s); };
  TLayoutCursor rows(Dialog_Title_Height + 12, 26);
  L_Select_Name = Add_Label(this, u"L_Select_Name", 16, rows.Next());
  const int captions = rows.Next();
  const int values = rows.Next();
  L_FixPart_1 = Add_Label(this, u"L_FixPart_1", 16, captions);
  L_XML_Fix1 = Add_Label(this, u"L_XML_Fix1", 16, values + 3);
  L_XML_Fix1->SetCaption(u"GSDML-V2.25-Brenix-");
  L_UsedPart = Add_Label(this, u"L_UsedPart", 0, captions);
  E_XML_User = Add_Control<TEdit>(this, u"E_XML_User");
  E_XML_User->SetBounds(0, values, 267, 21);
  E_XML_User->SetTabOrder(0);
  L_FixPart_2 = Add_Label(this, u"L_FixPart_2", 0, captions);
  L_XML_Fix2 = Add_Label(this, u"L_XML_Fix2", 0, values + 3);
}

void TFProfinetFileName::FormCreate(TObject*) {
  L_SW_Code->SetCaption(Soft_Code);
  SetClientHeight(205);
  SetClientWidth(540);
  L_UsedPart->SetLeft(kProfinetUserLeft);
  E_XML_User->SetLeft(kProfinetUserLeft);
  L_FixPart_2->SetLeft(kProfinetDateLeft);
  L_XML_Fix2->SetLeft(kProfinetDateLeft);
  // Fixed for the run: a program started before midnight still names its files by that day.
  L_XML_Fix2->SetCaption(PROFINET_Date_Part(ClockNow()));
  Set_Lang();
}

void TFProfinetFileName::Set_Lang() {
  Set_Texts({{this, 4800},
             {L_SW_Desc, 4801},
             {L_Select_Name, 4802},
             {L_FixPart_1, 4803},
             {L_UsedPart, 4804},
             {L_FixPart_2, 4805},
             {Btn_OK, 4806},
             {Btn_Cancel, 4807}});
}

void TFProfinetFileName::Btn_OK_Click(TObject*) {
  Name_File_XML = PROFINET_Compose_Name(L_XML_Fix1->Caption(), E_XML_User->Text(), L_XML_Fix2->Caption());
  SetModalResult(mrOk);
}
