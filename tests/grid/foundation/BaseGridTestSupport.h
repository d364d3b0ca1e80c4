#pragma once
// A shown form holding a focused base grid of 6 x 6 cells of 50 x 20 pixels without fixed cells
// or scroll bars. width and height are of the client area (the single border's frame lies outside it).
#include <memory>
#include <string>

#include "grid/foundation/BaseGrid.h"
#include "platform/Forms.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"

namespace basegrid_test {

inline std::string Utf8(const String& s) { return StringToUtf8(s); }

struct GridForm {
  ModalScript script;
  InputDriver driver;
  TForm* form = nullptr;
  TBaseGrid* grid = nullptr;

  explicit GridForm(int cols = 6, int rows = 6, int fixedCols = 0, int fixedRows = 0, int width = 300,
                    int height = 120) {
    form = New<TForm>(nullptr);
    form->SetClientWidth(500);
    form->SetClientHeight(400);
    grid = New<TBaseGrid>(form);
    grid->SetParent(form);
    grid->SetScrollBars(ssNone);
    grid->SetDefaultColWidth(50);
    grid->SetDefaultRowHeight(20);
    grid->SetColCount(cols);
    grid->SetRowCount(rows);
    grid->SetFixedCols(fixedCols);
    grid->SetFixedRows(fixedRows);
    grid->SetBounds(10, 10, width, height);
    grid->SetClientWidth(width);
    grid->SetClientHeight(height);
    form->Show();
    grid->SetFocus();
    grid->TakeInvalidatedRects();
  }
  ~GridForm() { delete form; }
  void Key(Word vk, TShiftState s = {}) { driver.Key(form, vk, s); }
};

}  // namespace basegrid_test
