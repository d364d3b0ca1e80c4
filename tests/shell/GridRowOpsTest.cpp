#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/core/AdvColumnGrid.h"
#include "platform/testing/ModalScript.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"
#include "shell/ULanguage.h"

namespace {

constexpr int kRows = 10;  // header row and 9 data rows

String CellText(int c, int r) { return u"r" + IntToStr(r) + u"c" + IntToStr(c); }

// A column grid: column 1 an Enable data check box, every other cell "r<row>c<col>", column 1
// "Y" on odd rows and "N" on even ones; the real columns in Hidden are hidden.
std::unique_ptr<TAdvColumnGrid> ColumnGrid(int Cols, std::vector<int> Hidden = {}) {
  std::unique_ptr<TAdvColumnGrid> g(New<TAdvColumnGrid>(nullptr));
  g->SetColCount(Cols);
  g->SetRowCount(kRows);
  g->SetFixedCols(1);
  g->SetFixedRows(1);
  g->Columns()->Items(1)->SetEditor(edDataCheckBox);
  for (int r = 1; r < kRows; ++r) {
    g->SetCellEx(0, r, IntToStr(r));
    g->SetCellEx(1, r, r % 2 ? u"Y" : u"N");
    for (int c = 2; c < Cols; ++c) g->SetCellEx(c, r, CellText(c, r));
  }
  for (int c : Hidden) g->HideColumn(c);
  return g;
}

// A string grid whose column 1 holds plain cell check boxes (checked on odd rows).
std::unique_ptr<TAdvStringGrid> CheckBoxGrid(int Cols) {
  std::unique_ptr<TAdvStringGrid> g(New<TAdvStringGrid>(nullptr));
  g->SetColCount(Cols);
  g->SetRowCount(kRows);
  g->SetFixedCols(1);
  g->SetFixedRows(1);
  g->AddCheckBoxColumn(1, false, false);
  for (int r = 1; r < kRows; ++r) {
    g->SetCheckBoxState(1, r, r % 2 == 1);
    for (int c = 2; c < Cols; ++c) g->SetCellEx(c, r, CellText(c, r));
  }
  return g;
}

// Everything a row operation may change in a row: texts, box states, read-only flags.
struct TRowState {
  std::vector<String> Texts;
  std::vector<int> Boxes;  // -1 no box, 0 unchecked, 1 checked
  std::vector<bool> ReadOnly;
  bool operator==(const TRowState&) const = default;
};

TRowState RowState(TAdvStringGrid* g, int r) {
  TRowState s;
  for (int c = 1; c < g->ColCount() + g->NumHiddenColumns(); ++c) {
    s.Texts.push_back(g->GetCellEx(c, r));
    bool b = false;
    s.Boxes.push_back(g->GetCheckBoxState(c, r, b) ? int(b) : -1);
    s.ReadOnly.push_back(g->HasCellProperties(c, r) && g->GetCellProperties(c, r)->ReadOnly());
  }
  return s;
}

std::vector<TRowState> Rows(TAdvStringGrid* g) {
  std::vector<TRowState> rows(1);
  for (int r = 1; r < kRows; ++r) rows.push_back(RowState(g, r));
  return rows;
}

class GridRowOps : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Strings();
    if (!Grid_Clipboard) Grid_Clipboard = new TStringList();
    Grid_Clipboard->Clear();
    Grid_Clipboard_CB_Mask.clear();
    Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = false;
  }
  void TearDown() override { Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = false; }
};

TEST_F(GridRowOps, CopyAndPasteCarryEveryColumnHiddenOnesIncluded) {
  auto g = ColumnGrid(8, {3, 6});
  ASSERT_EQ(g->ColCount(), 6);
  ASSERT_EQ(g->NumHiddenColumns(), 2);
  ModalScript script;
  Grid_Copy_Row(g.get(), 3);
  ASSERT_EQ(Grid_Clipboard->Count(), 7);
  EXPECT_EQ(Grid_Clipboard->Strings(0), u"Y");
  EXPECT_EQ(Grid_Clipboard->Strings(2), CellText(3, 3));  // the hidden column, at its real place
  for (int c = 1; c < 8; ++c) g->SetCellEx(c, 6, String());
  Grid_Paste_Row(g.get(), 6, true);
  EXPECT_TRUE(script.Messages().empty());
  for (int c = 1; c < 8; ++c) EXPECT_EQ(g->GetCellEx(c, 6), g->GetCellEx(c, 3)) << "column " << c;
  EXPECT_EQ(g->GetCellEx(0, 6), u"6");
  // The clipboard stays: the same row pastes again.
  script.ExpectMessage(mrYes);
  Grid_Paste_Row(g.get(), 8, true);
  ASSERT_EQ(script.Messages().size(), 1u);  // row 8 is in use
  EXPECT_EQ(g->GetCellEx(6, 8), CellText(6, 3));
}

TEST_F(GridRowOps, PasteAsksAndRefusesInItsOrder) {
  struct Case {
    const char* Name;
    bool CB;                  // the check-box family on a string grid with cell boxes
    bool Valid;               // the form's copy flag
    int SourceCols;           // columns of the grid the row was copied from
    std::function<void(TAdvStringGrid*)> Target;  // makes row 5 what the case needs
    int Answer;               // to the question, when one comes
    int Message;              // the UI text shown, -1 none
    bool Pasted;
  };
  auto empty = [](TAdvStringGrid* g) {
    for (int c = 2; c < g->ColCount(); ++c) g->SetCellEx(c, 5, String());
  };
  auto used = [](TAdvStringGrid* g) { g->SetCellEx(3, 5, u"used"); };
  auto onlyBoxes = [&](TAdvStringGrid* g) {
    empty(g);
    g->SetCellEx(1, 5, u"N");
  };
  auto blanks = [&](TAdvStringGrid* g) {
    empty(g);
    g->SetCellEx(3, 5, u"   ");
  };
  const Case cases[] = {
      {"no valid copy", false, false, 6, used, mrYes, 1502, false},
      {"another column count", false, true, 8, empty, mrYes, 1501, false},
      {"used row, No", false, true, 6, used, mrNo, 1500, false},
      {"used row, Yes", false, true, 6, used, mrYes, 1500, true},
      {"empty row", false, true, 6, empty, mrYes, -1, true},
      {"only a data check box holds text", false, true, 6, onlyBoxes, mrYes, -1, true},
      {"three blanks, plain", false, true, 6, blanks, mrYes, -1, true},
      {"three blanks, check-box family", true, true, 6, blanks, mrNo, 1500, false},
      {"empty row, check-box family", true, true, 6, empty, mrYes, -1, true},
      {"no valid copy, check-box family", true, false, 6, empty, mrYes, 1502, false},
      {"another column count, check-box family", true, true, 5, empty, mrYes, 1501, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    std::unique_ptr<TAdvStringGrid> source, target;
    if (k.CB) {
      source = CheckBoxGrid(k.SourceCols);
      target = CheckBoxGrid(6);
      source->SetCheckBoxState(1, 2, true);
      Grid_Copy_Row_CB(source.get(), 2);
      ASSERT_EQ(Grid_Clipboard_CB_Mask.size(), size_t(k.SourceCols - 1));
      EXPECT_TRUE(Grid_Clipboard_CB_Mask[0]);
      EXPECT_FALSE(Grid_Clipboard_CB_Mask[1]);
    } else {
      source = ColumnGrid(k.SourceCols);
      target = ColumnGrid(6);
      Grid_Copy_Row(static_cast<TAdvColumnGrid*>(source.get()), 2);
    }
    k.Target(target.get());
    const TRowState before = RowState(target.get(), 5);
    ModalScript script;
    script.ExpectMessage(k.Answer);
    if (k.CB)
      Grid_Paste_Row_CB(target.get(), 5, k.Valid);
    else
      Grid_Paste_Row(static_cast<TAdvColumnGrid*>(target.get()), 5, k.Valid);
    if (k.Message < 0) {
      EXPECT_TRUE(script.Messages().empty());
    } else {
      ASSERT_EQ(script.Messages().size(), 1u);
      EXPECT_EQ(script.Messages()[0].Text, UI_Text(k.Message));
      EXPECT_EQ(script.Messages()[0].Type, k.Message == 1500 ? mtConfirmation : mtError);
    }
    if (k.Pasted) {
      EXPECT_EQ(RowState(target.get(), 5), RowState(source.get(), 2));
    } else {
      EXPECT_EQ(RowState(target.get(), 5), before);
    }
  }
}

TEST_F(GridRowOps, InsertAndDeleteAtRowThreeOfTen) {
  enum Op { Insert, Delete };
  struct Case {
    const char* Name;
    Op Kind;
    bool CB;
    bool Flag;
  };
  const Case cases[] = {
      {"insert with Enable", Insert, false, true},   {"insert without Enable", Insert, false, false},
      {"delete", Delete, false, false},              {"insert, check boxes", Insert, true, true},
      {"delete, check boxes, box on", Delete, true, true}, {"delete, check boxes, box off", Delete, true, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    std::unique_ptr<TAdvStringGrid> g;
    if (k.CB) {
      g = CheckBoxGrid(5);
      g->GetCellProperties(3, 5)->SetReadOnly(true);  // the flag travels with its cell
    } else {
      g = ColumnGrid(5, {3});
    }
    const std::vector<TRowState> before = Rows(g.get());
    auto* cg = dynamic_cast<TAdvColumnGrid*>(g.get());
    if (k.Kind == Insert) {
      if (k.CB)
        Grid_Insert_Row_CB(3, g.get(), k.Flag);
      else
        Grid_Insert_Row(3, cg, k.Flag);
    } else {
      if (k.CB)
        Grid_Delete_Row_CB(3, g.get(), k.Flag);
      else
        Grid_Delete_Row(3, cg);
    }
    const std::vector<TRowState> after = Rows(g.get());
    const int freed = k.Kind == Insert ? 3 : kRows - 1;
    for (int r = 1; r < kRows; ++r) {
      if (r == freed) continue;
      const int from = r < 3 ? r : k.Kind == Insert ? r - 1 : r + 1;
      EXPECT_EQ(after[r], before[from]) << "row " << r;
    }
    const TRowState& f = after[freed];
    for (size_t i = 0; i < f.Texts.size(); ++i) {
      const int c = int(i) + 1;
      if (k.CB && c == 1) {
        EXPECT_EQ(f.Boxes[i], int(k.Flag));
      } else if (!k.CB && c == 1) {
        EXPECT_EQ(f.Texts[i], k.Flag ? u"Y" : u"");
      } else {
        EXPECT_EQ(f.Texts[i], u"") << "column " << c;
      }
      // An inserted row is editable; the freed last row of the check-box family is read-only.
      EXPECT_EQ(f.ReadOnly[i], k.CB && k.Kind == Delete) << "column " << c;
    }
    for (int r = 1; r < kRows; ++r) EXPECT_EQ(g->GetCellEx(0, r), k.CB ? u"" : IntToStr(r));
  }
}

TEST_F(GridRowOps, InsertAndDeleteAtTheLastRowOnlyClearIt) {
  auto g = ColumnGrid(5);
  const std::vector<TRowState> before = Rows(g.get());
  Grid_Insert_Row(kRows - 1, g.get(), true);
  std::vector<TRowState> after = Rows(g.get());
  for (int r = 1; r < kRows - 1; ++r) EXPECT_EQ(after[r], before[r]);
  EXPECT_EQ(after[kRows - 1].Texts, (std::vector<String>{u"Y", u"", u"", u""}));
  Grid_Delete_Row(kRows - 1, g.get());
  after = Rows(g.get());
  EXPECT_EQ(after[kRows - 1].Texts, (std::vector<String>{u"", u"", u"", u""}));
}

TEST_F(GridRowOps, EnterMovesToTheNextCellWhileTheOptionIsOn) {
  struct Case {
    const char* Name;
    bool Option;
    Char Key;
    int Col, Row;
    int ExpCol, ExpRow;
    Char ExpKey;
  };
  const Case cases[] = {
      {"next column", true, 13, 2, 3, 3, 3, 0},
      {"last column to the next row", true, 13, 4, 3, 1, 4, 0},
      {"last cell to the first", true, 13, 4, kRows - 1, 1, 1, 0},
      {"option off: the key passes", false, 13, 4, kRows - 1, 4, kRows - 1, 13},
      {"another key passes", true, u'a', 2, 3, 2, 3, u'a'},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    auto g = ColumnGrid(5);
    Opt_Jump_Field_Tables = k.Option;
    g->SetCol(k.Col);
    g->SetRowEx(k.Row);
    Char key = k.Key;
    Grid_Enter_Next_Cell(g.get(), key);
    EXPECT_EQ(key, k.ExpKey);
    EXPECT_EQ(g->Col(), k.ExpCol);
    EXPECT_EQ(g->GetRowEx(), k.ExpRow);
  }
}

TEST_F(GridRowOps, DoubleClickSizesOnlyAHeaderColumnWhileTheOptionIsOn) {
  struct Case {
    const char* Name;
    bool Option;
    int Row;
    bool Sized;
  };
  const Case cases[] = {
      {"header, option on", true, 0, true},
      {"data cell, option on", true, 2, false},
      {"header, option off", false, 0, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    auto g = ColumnGrid(5);
    g->SetColWidths(2, 5);
    g->SetCellEx(2, 4, u"a rather long text that needs a wide column");
    Opt_Double_Click_Auto_Size = k.Option;
    Grid_Auto_Size_Col(g.get(), k.Row, 2);
    EXPECT_EQ(g->ColWidths(2) > 5, k.Sized);
  }
}

}  // namespace
