// A window holding one drop-down edit, to try the popup by hand or drive it with xdotool under
// Xvfb (tests/manual/drive_dropdown.sh). Not part of the test run. The form is "DropDownHarness";
// the popup's window is titled "DropDownPopup" so that a script can find it; what happens is
// printed on standard output, one line an event.
#include <cstdio>
#include <string>

#include "grid/dropdown/AdvDropDown.h"
#include "grid/dropdown/AdvDropDownForm.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

namespace {
void HarnessSay(const std::string& Line) {
  std::printf("%s\n", Line.c_str());
  std::fflush(stdout);
}
}  // namespace

int main() {
  Application->Initialize();
  TForm* form = nullptr;
  Application->CreateForm(form);
  form->SetCaption(u"DropDownHarness");
  form->SetBounds(100, 100, 360, 220);
  auto* edit = new TAdvCustomDropDown(form);
  edit->SetParent(form);
  edit->SetBounds(20, 20, 200, 21);
  edit->SetText(u"start");
  auto* list = new TListBox(form);
  list->SetBounds(0, 0, 200, 120);
  list->Items()->Add(u"alpha");
  list->Items()->Add(u"beta");
  edit->SetControl(list);
  edit->DropDownHeader()->SetCaption(u"<b>Pick</b> a value");
  TFooterButton* ok = edit->DropDownFooter()->Buttons()->Add();
  ok->SetCaption(u"OK");
  ok->SetModalResult(mrOk);
  TFooterButton* cancel = edit->DropDownFooter()->Buttons()->Add();
  cancel->SetCaption(u"Cancel");
  cancel->SetModalResult(mrCancel);
  edit->DropDownFooter()->SetButtonAlignment(baLeft);
  edit->DropDownForm()->SetCaption(u"DropDownPopup");
  edit->OnDropDown = [](TObject*, bool&) { HarnessSay("dropdown"); };
  edit->OnDropUp = [edit](TObject*, bool Cancelled) {
    HarnessSay(std::string(Cancelled ? "dropup cancelled" : "dropup") + " text=" + StringToUtf8(edit->Text()));
  };
  edit->OnDropDownFooterButtonClick = [](TObject*, int Index) { HarnessSay("footer " + std::to_string(Index)); };
  list->OnClick = [edit, list](TObject*) {
    if (list->ItemIndex() >= 0) edit->SetTextDirect(list->Items()->Strings(list->ItemIndex()));
  };
  Application->Run();
  return 0;
}
