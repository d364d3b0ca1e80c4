// Keys through the window's key path: Space on data check boxes, Enter on cells that cannot be
// edited, typed characters opening the editor, Tab navigation, Home, fixed cells and wrapping.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvColumnGrid.h"
#include "platform/StdCtrls.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

struct KeyCheckCase {
  bool readOnly;
  bool alwaysActive;
  const char* after;  // the cell after one Space
  int clicks;         // OnCheckBoxClick calls
};

class AdvGridKeyDownCheck : public ::testing::TestWithParam<KeyCheckCase> {};

TEST_P(AdvGridKeyDownCheck, SpaceOnADataCheckBoxOfAColumnGrid) {
  const KeyCheckCase k = GetParam();
  GridForm<TAdvColumnGrid> f;
  TAdvColumnGrid* g = f.grid;
  g->SetColCount(5);
  g->Columns()->Items(3)->SetEditor(edDataCheckBox);
  g->Columns()->Items(3)->SetReadOnly(k.readOnly);
  g->ControlLook()->SetCheckAlwaysActive(k.alwaysActive);
  g->HideColumn(1);  // real column 3 shows at display column 2
  g->SetCellEx(3, 1, u"N");
  std::vector<int> cols;
  g->OnCheckBoxClick = [&](TObject*, int ACol, int, bool) { cols.push_back(ACol); };
  g->SetFocus();
  g->FocusCell(2, 1);
  f.driver.Key(f.form, VK_SPACE);
  EXPECT_EQ(Utf8(g->GetCellEx(3, 1)), k.after);
  EXPECT_EQ(static_cast<int>(cols.size()), k.clicks);
  if (!cols.empty()) {
    EXPECT_EQ(cols[0], 3);  // the real column
  }
  if (k.clicks == 1) {
    f.driver.Key(f.form, VK_SPACE);
    EXPECT_EQ(Utf8(g->GetCellEx(3, 1)), "N");
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, AdvGridKeyDownCheck,
                         ::testing::Values(KeyCheckCase{false, false, "Y", 1}, KeyCheckCase{true, false, "N", 0},
                                           KeyCheckCase{true, true, "Y", 1}));

TEST(AdvGridKeyDown, EnterOnACellThatCannotBeEditedReachesAPreviewingForm) {
  for (bool preview : {true, false}) {
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    std::vector<std::string> log;
    f.form->SetKeyPreview(preview);
    f.form->OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
      if (Key == VK_RETURN) log.push_back("form");
    };
    g->OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
      if (Key == VK_RETURN) log.push_back("grid");
    };
    g->SetFocus();
    f.driver.Key(f.form, VK_RETURN);
    EXPECT_EQ(log, preview ? (std::vector<std::string>{"form", "grid"}) : (std::vector<std::string>{"grid"}))
        << preview;
    EXPECT_FALSE(g->EditorMode());
  }
}

TEST(AdvGridKeyDown, ATypedCharacterChangedByOnKeyPressOpensTheEditorWithIt) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetOptions(g->Options() | goEditing);
  g->SetCellEx(2, 2, u"old");
  g->SetFocus();
  g->FocusCell(2, 2);
  std::vector<Char> seen;
  g->OnKeyPress = [&](TObject*, Char& Key) {
    seen.push_back(Key);
    if (Key == u'x') Key = u'y';
  };
  f.driver.Type(f.form, u"x");
  f.driver.DrainPosted();
  ASSERT_TRUE(g->EditorMode());
  EXPECT_EQ(Utf8(g->InplaceEditor()->Text()), "y");
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen[0], u'x');  // the editor hands its key presses to the grid too
}

// ---- Tab ----

struct TabCase {
  const char* name;
  int fromCol, fromRow;
  int toCol, toRow;
  int rowCount;        // after the Tab
  bool postsTab;       // the parent received a Tab
};

struct TabGrid {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  TEdit* next = New<TEdit>(f.form);
  TabGrid() {
    g->SetColCount(5);
    g->SetRowCount(4);
    g->SetOptions(g->Options() | goTabs);
    next->SetParent(f.form);
    next->SetBounds(450, 10, 80, 20);
    next->SetTabStop(true);
    g->SetTabStop(true);
    g->SetFocus();
  }
  void Tab(int c, int r, bool back = false) {
    g->HideEditor();  // keys go to the grid, not to an editor a previous Tab opened
    g->SetFocus();
    g->FocusCell(c, r);
    f.driver.Key(f.form, VK_TAB, back ? TShiftState{ssShift} : TShiftState{});
    f.driver.DrainPosted();
  }
};

TEST(AdvGridKeyDown, TabAdvanceTable) {
  struct Setup {
    TabCase c;
    std::function<void(TabGrid&)> prepare;
  };
  const std::vector<Setup> cases = {
      {{"next cell", 1, 1, 2, 1, 4, false}, nullptr},
      {{"next row", 4, 1, 1, 2, 4, false}, nullptr},
      {{"wraps at the end", 4, 3, 1, 1, 4, false}, nullptr},
      {{"backward wraps", 1, 1, 4, 3, 4, false}, nullptr},
      {{"appends a row", 4, 3, 1, 4, 5, false},
       [](TabGrid& t) {
         t.g->Navigation()->SetAdvanceInsert(true);
         t.g->OnCanAddRow = [](TObject*, bool& CanAdd) { CanAdd = true; };
       }},
      {{"append refused wraps", 4, 3, 1, 1, 4, false},
       [](TabGrid& t) {
         t.g->Navigation()->SetAdvanceInsert(true);
         t.g->OnCanAddRow = [](TObject*, bool& CanAdd) { CanAdd = false; };
       }},
      {{"to the next control at the end", 4, 3, 1, 1, 4, true},
       [](TabGrid& t) { t.g->Navigation()->SetTabToNextAtEnd(true); }},
      {{"skips a refused cell", 1, 1, 3, 1, 4, false},
       [](TabGrid& t) {
         t.g->OnSelectCell = [](TObject*, int ACol, int, bool& Can) { Can = ACol != 2; };
       }},
      {{"skips a cell that cannot be edited", 1, 1, 3, 1, 4, false},
       [](TabGrid& t) {
         t.g->SetOptions(t.g->Options() | goEditing);
         t.g->SetReadOnly(2, 1, true);
       }},
      {{"OnKeyDown changing the key stops", 1, 1, 1, 1, 4, false},
       [](TabGrid& t) {
         t.g->OnKeyDown = [](TObject*, Word& Key, TShiftState) {
           if (Key == VK_TAB) Key = 0;
         };
       }},
  };
  for (const Setup& s : cases) {
    TabGrid t;
    if (s.prepare) s.prepare(t);
    t.Tab(s.c.fromCol, s.c.fromRow, std::string(s.c.name) == "backward wraps");
    EXPECT_EQ(t.g->Col(), s.c.toCol) << s.c.name;
    EXPECT_EQ(t.g->Row(), s.c.toRow) << s.c.name;
    EXPECT_EQ(t.g->RowCount(), s.c.rowCount) << s.c.name;
    // The Tab posted to the parent moves the focus on to the next control.
    EXPECT_EQ(t.next->Focused(), s.c.postsTab) << s.c.name;
  }
}

TEST(AdvGridKeyDown, TabInAGridWithoutAnEditableCellEnds) {
  TabGrid t;
  t.g->SetOptions(t.g->Options() | goEditing);
  for (int c = 1; c < 5; ++c)
    for (int r = 1; r < 4; ++r) t.g->SetReadOnly(c, r, true);
  t.Tab(1, 1);
  // It came back: one pass over the grid, and the guard of a later Tab was reset.
  EXPECT_GE(t.g->Col(), 1);
  EXPECT_GE(t.g->Row(), 1);
  t.g->SetReadOnly(3, 2, false);
  t.Tab(1, 1);
  EXPECT_EQ(t.g->Col(), 3);
  EXPECT_EQ(t.g->Row(), 2);
}

TEST(AdvGridKeyDown, HomeGoesToTheFirstCellTabMayEnterOrKeepsTheColumn) {
  TabGrid t;
  t.g->OnSelectCell = [](TObject*, int ACol, int ARow, bool& Can) { Can = ARow == 2 ? true : ACol >= 3; };
  t.g->FocusCell(4, 1);
  t.f.driver.Key(t.f.form, VK_HOME);
  EXPECT_EQ(t.g->Col(), 3);
  // A row without a cell Tab may enter keeps its column.
  t.g->OnSelectCell = [](TObject*, int, int ARow, bool& Can) { Can = ARow != 1; };
  t.g->FocusCell(4, 1);
  t.f.driver.Key(t.f.form, VK_HOME);
  EXPECT_EQ(t.g->Col(), 4);
  t.g->OnSelectCell = nullptr;
  t.f.driver.Key(t.f.form, VK_END);
  EXPECT_EQ(t.g->Col(), 4);
}

TEST(AdvGridKeyDown, ArrowsSkipCellsThatCountAsFixed) {
  struct Case {
    const char* name;
    int footers, rightCols;
    int fromCol, fromRow;
    Word key;
    int toCol, toRow;
  };
  const Case cases[] = {
      {"right before a fixed right column", 0, 1, 3, 1, VK_RIGHT, 3, 1},
      {"down above the footer", 1, 0, 2, 2, VK_DOWN, 2, 2},
      {"right past a fixed cell", 0, 0, 1, 1, VK_RIGHT, 3, 1},
  };
  for (const Case& c : cases) {
    TabGrid t;
    t.g->SetFixedFooters(c.footers);
    t.g->SetFixedRightCols(c.rightCols);
    if (std::string(c.name) == "right past a fixed cell")
      t.g->OnIsFixedCell = [](TObject*, int ARow, int ACol, bool& F) { F = ARow == 1 && ACol == 2; };
    t.g->FocusCell(c.fromCol, c.fromRow);
    t.f.driver.Key(t.f.form, c.key);
    EXPECT_EQ(t.g->Col(), c.toCol) << c.name;
    EXPECT_EQ(t.g->Row(), c.toRow) << c.name;
  }
}

TEST(AdvGridKeyDown, CursorAdvanceWraps) {
  struct Case {
    TCursorAdvance mode;
    int fromCol, fromRow;
    Word key;
    int toCol, toRow;
  };
  const Case cases[] = {
      {caLoop, 4, 2, VK_RIGHT, 1, 2}, {caSnake, 4, 2, VK_RIGHT, 1, 3}, {caLoop, 1, 2, VK_LEFT, 4, 2},
      {caSnake, 1, 2, VK_LEFT, 4, 1}, {caLoop, 2, 3, VK_DOWN, 2, 1},  {caSnake, 2, 3, VK_DOWN, 3, 1},
      {caLoop, 2, 1, VK_UP, 2, 3},    {caSnake, 2, 1, VK_UP, 1, 3},   {caDefault, 4, 2, VK_RIGHT, 4, 2},
  };
  for (const Case& c : cases) {
    TabGrid t;
    t.g->Navigation()->SetCursorAdvance(c.mode);
    t.g->FocusCell(c.fromCol, c.fromRow);
    t.f.driver.Key(t.f.form, c.key);
    EXPECT_EQ(t.g->Col(), c.toCol) << c.mode << " " << c.key;
    EXPECT_EQ(t.g->Row(), c.toRow) << c.mode << " " << c.key;
  }
}

}  // namespace
