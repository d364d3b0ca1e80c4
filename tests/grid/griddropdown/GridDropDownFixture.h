#pragma once
// A grid drop-down on a shown form (the list drop-down fixture), with helpers that fill its items
// and columns.
#include <initializer_list>
#include <vector>

#include "grid/griddropdown/AdvGridDropDown.h"
#include "tests/grid/dropdown/ListDropDownFixture.h"

namespace griddropdown_test {

class GridDropDownTest : public dropdown_test::ListDropDownFixture<TCustomAdvGridDropDown> {
 protected:
  TAdvColGrid* Grid() const { return edit->GetPopupGrid(); }
  // One item a row, one text a column.
  void SetItems(std::initializer_list<std::vector<String>> Rows) {
    edit->Items()->Clear();
    for (const auto& row : Rows) {
      TDropDownItem* item = edit->Items()->Add();
      for (const String& s : row) item->Text()->Add(s);
    }
    edit->EndUpdate();
  }
  void SetColumns(std::initializer_list<int> Widths) {
    edit->Columns()->Clear();
    for (int w : Widths) edit->Columns()->Add()->SetWidth(w);
  }
  using ListDropDownFixture::PopupKey;
  // A key typing Ch while the popup has the keyboard.
  void PopupKey(Word Key, TShiftState Shift, Char Ch) { driver.Key(Popup(), Key, Shift, Ch); }
  // A key pressed in the closed edit.
  void EditKey(Word Key, TShiftState Shift = {}, Char Ch = 0) { driver.Key(form, Key, Shift, Ch); }
  // The items' lookup texts in the order the popup shows them.
  std::vector<String> RowTexts() const {
    std::vector<String> texts;
    for (int r = Grid()->FixedRows(); r < Grid()->RowCount(); ++r) texts.push_back(Grid()->Cells(0, r));
    return texts;
  }
};

}  // namespace griddropdown_test
