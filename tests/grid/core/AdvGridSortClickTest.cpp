// The header click that sorts, through the grid's own mouse messages.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::GridForm;

struct SortClickGrid {
  GridForm<TAdvStringGrid> f;
  TAdvStringGrid* g = f.grid;
  std::vector<int> clickSorts;
  SortClickGrid() {
    g->SetColCount(3);
    g->SetRowCount(4);
    const std::vector<std::vector<String>> rows = {{u"b", u"3"}, {u"c", u"1"}, {u"a", u"2"}};
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 2; ++c) g->SetCells(c + 1, r + 1, rows[r][c]);
    g->SortSettings()->SetShow(true);
    g->OnClickSort = [this](TObject*, int ACol) { clickSorts.push_back(ACol); };
  }
  std::vector<String> Column(int c) const {
    std::vector<String> v;
    for (int r = 1; r < g->RowCount(); ++r) v.push_back(g->Cells(c, r));
    return v;
  }
  // A click DX pixels from the middle of the header cell of column C.
  void ClickHeader(int C, int DX = 0, TShiftState Shift = {}) {
    const TRect cr = g->CellRect(C, 0);
    const int x = (cr.Left + cr.Right) / 2 + DX, y = (cr.Top + cr.Bottom) / 2;
    f.driver.MouseDown(g, x, y, mbLeft, Shift);
    f.driver.MouseUp(g, x, y, mbLeft, Shift);
  }
};

TEST(AdvGridSortClick, AscendingDescendingAndUndone) {
  SortClickGrid s;
  s.g->SortSettings()->SetUndoSort(true);
  const struct {
    std::vector<String> Order;
    int Column;
    TSortDirection Direction;
  } clicks[] = {{{u"a", u"b", u"c"}, 1, sdAscending},
                {{u"c", u"b", u"a"}, 1, sdDescending},
                {{u"b", u"c", u"a"}, -1, sdAscending}};
  int n = 0;
  for (const auto& click : clicks) {
    s.ClickHeader(1);
    ++n;
    EXPECT_EQ(s.Column(1), click.Order) << n;
    EXPECT_EQ(s.g->SortSettings()->Column(), click.Column) << n;
    EXPECT_EQ(s.g->SortSettings()->Direction(), click.Direction) << n;
  }
  EXPECT_EQ(s.clickSorts, (std::vector<int>{1, 1, -1}));
}

TEST(AdvGridSortClick, ClicksThatSortNothing) {
  const struct {
    const char* What;
    std::function<void(SortClickGrid&)> Setup;
    std::function<void(SortClickGrid&)> Act;
  } cases[] = {
      {"refused by OnCanSort",
       [](SortClickGrid& s) { s.g->OnCanSort = [](TObject*, int, bool& DoSort) { DoSort = false; }; },
       [](SortClickGrid& s) { s.ClickHeader(1); }},
      {"sort indicators off", [](SortClickGrid& s) { s.g->SortSettings()->SetShow(false); },
       [](SortClickGrid& s) { s.ClickHeader(1); }},
      {"at a column edge while columns size", [](SortClickGrid& s) { s.g->SetOptions(s.g->Options() | goColSizing); },
       [](SortClickGrid& s) { s.ClickHeader(1, s.g->ColWidths(1) / 2 - 2); }},
      {"pressed on a data row", [](SortClickGrid&) {},
       [](SortClickGrid& s) {
         const TRect data = s.g->CellRect(1, 2), header = s.g->CellRect(1, 0);
         s.f.driver.MouseDown(s.g, data.Left + 5, data.Top + 5);
         s.f.driver.MouseUp(s.g, header.Left + 5, header.Top + 5);
       }},
  };
  for (const auto& c : cases) {
    SortClickGrid s;
    s.ClickHeader(2);  // sorted by column 2 first: that sort must stay
    c.Setup(s);
    s.clickSorts.clear();
    c.Act(s);
    EXPECT_EQ(s.Column(1), (std::vector<String>{u"c", u"a", u"b"})) << c.What;
    EXPECT_EQ(s.g->SortSettings()->Column(), 2) << c.What;
    EXPECT_TRUE(s.clickSorts.empty()) << c.What;
  }
}

TEST(AdvGridSortClick, ShiftAddsAnIndexKey) {
  SortClickGrid s;
  s.g->SortSettings()->SetIndexShow(true);
  s.ClickHeader(2);
  s.ClickHeader(1, 0, TShiftState{ssShift});
  TSortIndexList* index = s.g->SortIndexes();
  ASSERT_EQ(index->Count(), 2);
  EXPECT_EQ(index->GetSortColumns(0), 2);
  EXPECT_EQ(index->GetSortColumns(1), 1);
  EXPECT_EQ(s.g->SortSettings()->Column(), 2);
  EXPECT_EQ(s.Column(1), (std::vector<String>{u"c", u"a", u"b"}));
  // Without the key the index starts again with the clicked column.
  s.ClickHeader(1);
  ASSERT_EQ(index->Count(), 1);
  EXPECT_EQ(s.g->SortSettings()->Column(), 1);
  EXPECT_EQ(s.Column(1), (std::vector<String>{u"a", u"b", u"c"}));
}

}  // namespace
