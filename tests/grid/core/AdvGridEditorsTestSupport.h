#pragma once
// A string grid on a shown form whose cells open the editor kind a test names per column, with
// a log of the editing events and the "GridEditDone" messages the grid posts itself.
#include <map>
#include <string>
#include <vector>

#include "AdvGridTestSupport.h"
#include "platform/SysUtils.h"

namespace editors_test {

using advgrid_test::Utf8;

class TLogGrid : public TAdvStringGrid {
 public:
  using TAdvStringGrid::TAdvStringGrid;
  std::vector<std::pair<uintptr_t, intptr_t>> DoneMessages;
  void WndProc(TMessage& m) override {
    if (m.Msg == GridEditDoneMessage()) DoneMessages.emplace_back(m.WParam, m.LParam);
    TAdvStringGrid::WndProc(m);
  }
};

struct EditorForm : advgrid_test::GridForm<TLogGrid> {
  std::map<int, TEditorType> kinds;  // by real column; others edit as text
  std::vector<std::string> log;

  EditorForm() {
    grid->SetColCount(8);
    grid->SetRowCount(6);
    grid->SetOptions(grid->Options() | goEditing);
    grid->OnGetEditorType = [this](TObject*, int c, int, TEditorType& e) {
      auto it = kinds.find(c);
      if (it != kinds.end()) e = it->second;
    };
    grid->OnGetEditorProp = [this](TObject*, int c, int r, TEditLink*) {
      log.push_back("prop " + std::to_string(c) + "," + std::to_string(r));
    };
    grid->OnEditingDone = [this](TObject*) { log.push_back("done"); };
  }
  // Puts Text into (Col, Row) of kind Kind, makes it current and opens its editor.
  void Edit(int Col, int Row, TEditorType Kind, const String& Text) {
    kinds[Col] = Kind;
    grid->SetCellEx(Col, Row, Text);
    grid->GotoCell(Col, Row);
    grid->SetFocus();
    log.clear();
    grid->ShowInplaceEdit();
  }
  // Puts Text into (Col, Row) of kind Kind, makes it current and types Ch on the grid, which
  // opens the editor with Ch as its first keystroke.
  void TypeToEdit(int Col, int Row, TEditorType Kind, const String& Text, Char Ch) {
    kinds[Col] = Kind;
    grid->SetCellEx(Col, Row, Text);
    grid->GotoCell(Col, Row);
    grid->SetFocus();
    driver.Character(form, Ch);
    driver.DrainPosted();
  }
  void Key(Word vk, TShiftState shift = {}) { driver.Key(form, vk, shift); }
  void Type(const String& s) { driver.Type(form, s); }
  std::string Cell(int Col, int Row) const { return Utf8(grid->GetCellEx(Col, Row)); }
  bool Has(const std::string& entry) const {
    for (const std::string& e : log)
      if (e == entry) return true;
    return false;
  }
};

// Sets the process-wide decimal and thousand separators for one test.
struct LocaleSeparators {
  Char oldDec, oldThousand;
  LocaleSeparators(Char Dec, Char Thousand)
      : oldDec(FormatSettings().DecimalSeparator), oldThousand(FormatSettings().ThousandSeparator) {
    FormatSettings().DecimalSeparator = Dec;
    FormatSettings().ThousandSeparator = Thousand;
  }
  ~LocaleSeparators() {
    FormatSettings().DecimalSeparator = oldDec;
    FormatSettings().ThousandSeparator = oldThousand;
  }
};

}  // namespace editors_test
