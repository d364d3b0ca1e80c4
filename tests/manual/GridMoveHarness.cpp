// A window holding one string grid whose columns and rows move by their headers, to try the
// enhanced move look by hand or drive it with xdotool under Xvfb. Not part of the test run. The
// form is "GridMoveHarness"; every move is printed on standard output, one line a move.
#include <cstdio>
#include <string>

#include "grid/core/AdvGrid.h"
#include "platform/Forms.h"

int main() {
  Application->Initialize();
  TForm* form = nullptr;
  Application->CreateForm(form);
  form->SetCaption(u"GridMoveHarness");
  form->SetBounds(100, 100, 520, 320);
  auto* grid = New<TAdvStringGrid>(form);
  grid->SetParent(form);
  grid->SetBounds(10, 10, 480, 260);
  grid->SetOptions(grid->Options() | goColMoving | goRowMoving);
  grid->SetColCount(6);
  grid->SetRowCount(12);
  for (int c = 1; c < 6; ++c) grid->SetCellEx(c, 0, u"Head " + IntToStr(c));
  for (int r = 1; r < 12; ++r) {
    grid->SetCellEx(0, r, IntToStr(r));
    for (int c = 1; c < 6; ++c) grid->SetCellEx(c, r, String(1, static_cast<Char>(u'A' + c - 1)) + IntToStr(r));
  }
  grid->OnColumnMoved = [](TObject*, int From, int To) {
    std::printf("column %d -> %d\n", From, To);
    std::fflush(stdout);
  };
  grid->OnRowMoved = [](TObject*, int From, int To) {
    std::printf("row %d -> %d\n", From, To);
    std::fflush(stdout);
  };
  Application->Run();
  return 0;
}
