#include "shell/UFormKit.h"

#include "shell/ULanguage.h"

void Apply_Form_Look(TForm* Form, const TFormLook& Look) {
  Form->SetBorderStyle(Look.BorderStyle);
  Form->SetBorderIcons(Look.BorderIcons);
  Form->SetPosition(poScreenCenter);
  Form->SetColor(Look.Color);
  Form->Font()->SetName(u"Verdana");
  Form->Font()->SetHeight(-11);
  Form->Font()->SetColor(Look.FontColor);
}

void Apply_Label_Font(TLabel* Label, int Height, TColor Color, TFontStyles Style) {
  Label->SetParentFont(false);
  Label->Font()->SetName(u"Verdana");
  Label->Font()->SetHeight(Height);
  Label->Font()->SetColor(Color);
  Label->Font()->SetStyle(Style);
}

void Apply_Title_Font(TLabel* Label, int Height, bool Bold) {
  Apply_Label_Font(Label, Height, clGray, Bold ? TFontStyles(fsBold) : TFontStyles());
}

TLabel* Add_Label(TWinControl* Parent, const String& Name, int Left, int Top) {
  auto* l = Add_Control<TLabel>(Parent, Name);
  l->SetLeft(Left);
  l->SetTop(Top);
  return l;
}

String UI_Text(int Index) {
  if (Language_List && Index >= 0 && Index < Language_List->Count()) return Language_List->Strings(Index);
  return String();
}

void Set_Text(const TTextEntry& Entry) {
  if (Entry.Caption >= 0) Entry.Control->SetCaption(UI_Text(Entry.Caption));
  if (Entry.Hint >= 0) Entry.Control->SetHint(UI_Text(Entry.Hint));
}

void Set_Texts(std::initializer_list<TTextEntry> Table) {
  for (const TTextEntry& e : Table) Set_Text(e);
}

void Set_Texts(const std::vector<TTextEntry>& Table) {
  for (const TTextEntry& e : Table) Set_Text(e);
}

void Set_Text_Items(TComboBox* Combo, int First, int Count) {
  Combo->Items()->Clear();
  for (int i = 0; i < Count; ++i) Combo->Items()->Add(UI_Text(First + i));
  Combo->SetItemIndex(0);
}
