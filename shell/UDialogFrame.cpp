#include "shell/UDialogFrame.h"

#include "button/LbButton.h"
#include "shell/UFormKit.h"
#include "shell/UShellGlyphs.h"

TPanel* Add_Panel(TWinControl* Parent, const String& Name, TAlign Align, int Height) {
  auto* p = Add_Control<TPanel>(Parent, Name);
  p->SetAlign(Align);
  p->SetHeight(Height);
  p->SetBevelOuter(bvNone);
  p->SetShowCaption(false);
  p->SetParentColor(true);
  return p;
}

TLbButton* Add_Dialog_Button(TPanel* Row, const String& Name, int Left, int Width, const String& Glyph) {
  auto* b = Add_Control<TLbButton>(Row, Name);
  b->SetBounds(Left, 6, Width, 28);
  Apply_Dialog_Button_Look(b);
  b->SetGlyph(Create_Dialog_Glyph(Glyph).get());
  b->SetShowHint(true);
  return b;
}

void Build_Dialog_Frame(TForm* Form, TDialogFrame& Frame, const TDialogFrameLayout& Layout) {
  Frame.P_Title = Add_Panel(Form, u"P_Title", alTop, Dialog_Title_Height);
  Frame.L_SW_Code = Add_Label(Frame.P_Title, u"L_SW_Code", 16, 8);
  Apply_Title_Font(Frame.L_SW_Code, -32, false);
  Frame.L_SW_Desc = Add_Label(Frame.P_Title, u"L_SW_Desc", 16, 42);
  Apply_Title_Font(Frame.L_SW_Desc, -11, true);
  Frame.P_Button = Add_Panel(Form, u"P_Button", alBottom, Dialog_Button_Height);
  if (Layout.Ok) Frame.Btn_OK = Add_Dialog_Button(Frame.P_Button, u"Btn_OK", Layout.OkLeft, 110, u"ok");
  Frame.Btn_Cancel = Add_Dialog_Button(Frame.P_Button, u"Btn_Cancel", Layout.CancelLeft, 110, u"cancel");
}
