// Row indices: real and display rows around hidden records, the current and top row accessors,
// the sort cross-references, and scrolling a cell into view.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::TRecordGrid;
using advgrid_test::Utf8;

TEST(AdvGridRows, MappingsAroundHiddenRows) {
  TRecordGrid* g = New<TRecordGrid>(nullptr);
  g->SetRowCount(8);
  g->AddHiddenRecord(3, {});
  g->AddHiddenRecord(4, {});
  EXPECT_EQ(g->NumHiddenRows(), 2);
  EXPECT_EQ(g->TotalRowCount(), 10);
  const std::pair<int, int> displToReal[] = {{0, 0}, {2, 2}, {3, 5}, {7, 9}, {8, 10}};
  for (auto [d, r] : displToReal) EXPECT_EQ(g->RealRowIndex(d), r) << d;
  const std::pair<int, int> realToDispl[] = {{2, 2}, {3, 3}, {4, 3}, {5, 3}, {9, 7}};
  for (auto [r, d] : realToDispl) EXPECT_EQ(g->DisplRowIndex(r), d) << r;
  EXPECT_TRUE(g->IsHiddenRow(3));
  EXPECT_FALSE(g->IsHiddenRow(5));
  TIntList* list = nullptr;
  EXPECT_TRUE(g->IsHiddenRow(4, list));
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(g->IsHiddenRow(6, list));
  delete list;
  delete g;
}

TEST(AdvGridRows, SetRowExReportsOnlyARealChange) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  std::vector<std::pair<int, int>> updates;
  g->OnRowUpdate = [&](TObject*, int OldRow, int NewRow) { updates.emplace_back(OldRow, NewRow); };
  g->SetRowEx(4);
  g->SetRowEx(4);
  g->SetRow(6);
  const std::vector<std::pair<int, int>> expected = {{-1, 4}, {4, 6}};
  EXPECT_EQ(updates, expected);
  EXPECT_EQ(g->Row(), 6);
  delete g;
}

TEST(AdvGridRows, TopRowIgnoresValuesOutsideTheNormalRows) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetRowCount(100);
  g->SetTopRow(30);
  EXPECT_EQ(g->TopRow(), 30);
  g->SetTopRow(0);  // a fixed row
  g->SetTopRow(100);
  EXPECT_EQ(g->TopRow(), 30);
}

TEST(AdvGridRows, SortCrossReferences) {
  TRecordGrid* g = New<TRecordGrid>(nullptr);
  for (int v : {2, 0, 1}) g->XRef()->Add(v);
  g->SetCellEx(1, 1, u"one");
  EXPECT_EQ(g->SortedRowIndex(0), 2);
  EXPECT_EQ(g->SortedRowIndex(5), 5);
  EXPECT_EQ(g->UnSortedRowIndex(1), 2);
  EXPECT_EQ(g->UnSortedRowIndex(7), 3);  // no entry: the list's count
  EXPECT_EQ(Utf8(g->GetUnSortedCell(1, 0)), "one");
  g->SetUnSortedCell(1, 2, u"two");
  EXPECT_EQ(Utf8(g->GetCellEx(1, 0)), "two");
  delete g;
}

struct ScrollForm : GridForm<> {
  ScrollForm() {
    grid->SetScrollBars(ssVertical);
    grid->SetFixedCols(0);
    grid->SetRowCount(100);
    // A client area of 21 rows of 22 pixels (the frame lies outside it).
    grid->SetBounds(10, 10, 400 + 2 * grid->ClientInset(), 22 * 21 + 2 * grid->ClientInset());
  }
};

TEST(AdvGridRows, ScrollInViewCentresACellOutOfView) {
  ScrollForm f;
  TAdvStringGrid* g = f.grid;
  ASSERT_EQ(g->VisibleRowCount(), 20);
  ASSERT_EQ(g->TopRow(), 1);
  g->ScrollInView(0, 50);
  EXPECT_EQ(g->Row(), 50);
  EXPECT_EQ(g->TopRow(), 40);
}

TEST(AdvGridRows, ScrollInViewLeavesAVisibleCellAlone) {
  ScrollForm f;
  TAdvStringGrid* g = f.grid;
  g->SetRow(3);
  g->SetCol(1);
  const std::pair<int, int> cells[] = {{2, 5}, {0, 20}, {4, 1}};
  for (auto [c, r] : cells) {
    g->ScrollInView(c, r);
    EXPECT_EQ(g->TopRow(), 1) << c << "," << r;
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(g->Col(), 1);
  }
  g->ScrollInView(0, 100);  // beyond the rows
  g->ScrollInView(5, 50);   // beyond the columns
  EXPECT_EQ(g->TopRow(), 1);
  EXPECT_EQ(g->Row(), 3);
}

// The room above the search panel is measured in the client area, which the frame does not cover.
TEST(AdvGridRows, ScrollInViewKeepsTheCellAboveTheSearchPanelInsideTheFrame) {
  ScrollForm f;
  TAdvStringGrid* g = f.grid;
  g->SearchFooter()->SetVisible(true);
  g->SearchPanel()->SetHeight(200);  // leaves 262 client pixels above it
  g->ScrollInView(0, 50);            // centred, row 50 would end at 264
  EXPECT_EQ(g->TopRow(), 41);
  EXPECT_LE(g->CellRect(0, 50).Bottom, g->ClientHeight() - 200);
}

TEST(AdvGridRows, ScrollInViewStopsWhenTheTopRowCannotGrow) {
  ScrollForm f;
  TAdvStringGrid* g = f.grid;
  g->SearchFooter()->SetVisible(true);
  g->SearchPanel()->SetHeight(32);
  g->SetRowHeights(99, 2000);  // taller than the view: the top row can never bring it fully in
  g->ScrollInView(0, 99);
  EXPECT_EQ(g->Row(), 99);
  EXPECT_GE(g->TopRow(), 80);
}

}  // namespace
