// A window holding one string grid whose columns and rows move by their headers, to try the
// enhanced move look by hand or drive it with xdotool under Xvfb. Not part of the test run. The
// form is "GridMoveHarness"; every move is printed on standard output, one line a move. With
// "--scroll" the grid has 200 rows and 20 columns with proportional flat bars (16 pixels, light
// blue) and the row and column hints while a thumb is dragged.
#include <cstdio>
#include <string>

#include "grid/core/AdvGrid.h"
#include "platform/Forms.h"

int main(int argc, char** argv) {
  const bool scroll = argc > 1 && std::string(argv[1]) == "--scroll";
  Application->Initialize();
  TForm* form = nullptr;
  Application->CreateForm(form);
  form->SetCaption(u"GridMoveHarness");
  form->SetBounds(100, 100, 520, 320);
  auto* grid = New<TAdvStringGrid>(form);
  grid->SetParent(form);
  grid->SetBounds(10, 10, 480, 260);
  grid->SetOptions(grid->Options() | goColMoving | goRowMoving);
  const int cols = scroll ? 20 : 6, rows = scroll ? 200 : 12;
  grid->SetColCount(cols);
  grid->SetRowCount(rows);
  for (int c = 1; c < cols; ++c) grid->SetCellEx(c, 0, u"Head " + IntToStr(c));
  for (int r = 1; r < rows; ++r) {
    grid->SetCellEx(0, r, IntToStr(r));
    for (int c = 1; c < cols; ++c) grid->SetCellEx(c, r, String(1, static_cast<Char>(u'A' + (c - 1) % 26)) + IntToStr(r));
  }
  if (scroll) {
    grid->SetScrollType(ssFlat);
    grid->SetScrollWidth(16);
    grid->SetScrollColor(TColor(0xF0D0A0));
    grid->SetScrollProportional(true);
    grid->SetScrollHints(shBoth);
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
