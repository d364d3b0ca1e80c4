// A window holding a string grid whose columns edit through the drop-down editors, to try them
// by hand or drive them with xdotool under Xvfb. Not part of the test run. The form is
// "GridDropDownHarness"; every committed edit is printed on standard output, one line each.
#include <cstdio>
#include <string>

#include "grid/core/AdvGrid.h"
#include "platform/Forms.h"

int main() {
  Application->Initialize();
  TForm* form = nullptr;
  Application->CreateForm(form);
  form->SetCaption(u"GridDropDownHarness");
  form->SetBounds(100, 100, 720, 300);
  auto* grid = New<TAdvStringGrid>(form);
  grid->SetParent(form);
  grid->SetBounds(10, 10, 690, 240);
  grid->SetColCount(8);
  grid->SetRowCount(5);
  grid->SetOptions(grid->Options() | goEditing);
  const TEditorType kinds[] = {
      edNormal,         edTrackbarDropDown,    edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown,
      edDetailDropDown, edColorPickerDropDown, edNormal};
  const char16_t* heads[] = {u"", u"track bar", u"memo", u"calculator", u"time", u"detail", u"colour", u""};
  for (int c = 0; c < 8; ++c) grid->SetCellEx(c, 0, heads[c]);
  for (int r = 1; r < 5; ++r) {
    grid->SetCellEx(1, r, IntToStr(r * 2));
    grid->SetCellEx(2, r, u"line one");
    grid->SetCellEx(3, r, IntToStr(r));
    grid->SetCellEx(4, r, u"12:30:00");
    grid->SetCellEx(5, r, u"item");
    grid->AddShape(6, r, csRectangle, 0x0000FF, 0, haLeft, vaCenter);
  }
  grid->OnGetEditorType = [kinds](TObject*, int c, int, TEditorType& e) {
    if (c >= 0 && c < 8) e = kinds[c];
  };
  grid->OnEditCellDone = [grid](TObject*, int c, int r) {
    std::string line =
        "done " + std::to_string(c) + "," + std::to_string(r) + " " + StringToUtf8(grid->GetCellEx(c, r));
    if (c == 6) line += " shape=" + std::to_string(grid->GetShapeColor(c, r));
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  };
  Application->Run();
  return 0;
}
