// Range operations: clearing (properties, text only, hidden columns), trimming, merging runs and
// columns, splitting, finding a cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::Utf8;

TAdvStringGrid* FilledGrid(int Cols, int Rows) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetColCount(Cols);
  g->SetRowCount(Rows);
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) g->SetCellEx(c, r, IntToStr(c) + u":" + IntToStr(r));
  return g;
}

TEST(AdvGridRanges, ClearRectOverAllDropsEveryPropertiesObjectAndTheFlag) {
  TAdvStringGrid* g = FilledGrid(4, 5);
  g->SetColors(1, 1, clRed);
  g->SetColors(3, 4, clBlue);
  g->ClearRect(0, 0, 3, 4);
  EXPECT_FALSE(g->HasCellProps());
  EXPECT_EQ(g->OwnedCellPropertiesCount(), 0u);
  EXPECT_EQ(Utf8(g->GetCellEx(2, 2)), "");
  delete g;
}

TEST(AdvGridRanges, ClearRectOverAPartKeepsTheFlagAndTheOtherCells) {
  TAdvStringGrid* g = FilledGrid(4, 5);
  g->SetColors(1, 1, clRed);
  g->SetColors(3, 4, clBlue);
  g->ClearRect(0, 0, 1, 2);
  EXPECT_TRUE(g->HasCellProps());
  EXPECT_EQ(g->OwnedCellPropertiesCount(), 1u);
  EXPECT_EQ(g->GetColors(3, 4), clBlue);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 2)), "");
  EXPECT_EQ(Utf8(g->GetCellEx(2, 2)), "2:2");
  delete g;
}

TEST(AdvGridRanges, ClearTextOnlyKeepsColoursAndCheckBoxes) {
  TAdvStringGrid* g = FilledGrid(4, 5);
  g->SetColors(1, 1, clRed);
  g->AddCheckBox(2, 2, true, false);
  g->ClearTextOnly = true;
  g->ClearRect(0, 0, 3, 4);
  EXPECT_EQ(g->GetColors(1, 1), clRed);
  EXPECT_TRUE(g->HasCheckBox(2, 2));
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "");
  EXPECT_EQ(Utf8(g->GetCellEx(3, 3)), "");
  delete g;
}

TEST(AdvGridRanges, ClearRectWithAHiddenColumn) {
  struct Case {
    bool saveHidden;
    int clearedReal;
  };
  for (const Case c : {Case{true, 2}, Case{false, 1}}) {
    TAdvStringGrid* g = FilledGrid(4, 6);
    g->HideColumn(1);
    int changes = 0;
    g->OnCellsChanged = [&](TObject*, const TRect&) { ++changes; };
    g->SaveHiddenCells = c.saveHidden;
    g->ClearRect(1, 0, 1, 5);
    for (int k = 0; k < 4; ++k)
      EXPECT_EQ(g->GetCellEx(k, 3).empty(), k == c.clearedReal) << c.saveHidden << " real " << k;
    EXPECT_EQ(changes, 1);
    delete g;
  }
}

TEST(AdvGridRanges, ClearRectWithSaveHiddenCellsRepaintsTheDisplayedCells) {
  advgrid_test::GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetColCount(4);
  g->SetRowCount(6);
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 4; ++c) g->SetCellEx(c, r, IntToStr(c) + u":" + IntToStr(r));
  g->HideColumn(1);
  g->SaveHiddenCells = true;
  g->TakeInvalidatedRects();
  g->ClearRect(1, 0, 1, 5);
  const auto rects = g->TakeInvalidatedRects();
  for (int r = 0; r <= 5; ++r) {
    const TRect shown = g->TCustomGrid::CellRect(1, r);  // real column 2 is shown at 1
    EXPECT_NE(std::find(rects.begin(), rects.end(), shown), rects.end()) << "row " << r;
  }
  EXPECT_EQ(Utf8(g->GetCellEx(2, 4)), "");
  EXPECT_EQ(Utf8(g->GetCellEx(1, 4)), "1:4");
}

TEST(AdvGridRanges, ClearRemovesTheNodesFirst) {
  TAdvStringGrid* g = FilledGrid(3, 8);
  g->AddNode(1, 3);
  g->AddNode(5, 2);
  g->ContractNode(1);
  ASSERT_EQ(g->NumNodes(), 2);
  g->Clear();
  EXPECT_EQ(g->NumNodes(), 0);
  EXPECT_FALSE(g->IsNode(5));
  for (int r = 0; r < g->RowCount(); ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(Utf8(g->GetCellEx(c, r)), "") << c << "," << r;
  delete g;
}

TEST(AdvGridRanges, ClearNormalCellsRemovesNodesOnlyWithoutAFixedColumn) {
  for (const int fixedCols : {0, 1}) {
    TAdvStringGrid* g = FilledGrid(3, 8);
    g->SetFixedCols(fixedCols);
    g->AddNode(2, 2);
    g->ClearNormalCells();
    EXPECT_EQ(g->NumNodes(), fixedCols == 0 ? 0 : 1) << fixedCols;
    delete g;
  }
}

TEST(AdvGridRanges, ClearRowsClearsHiddenColumnsToo) {
  TAdvStringGrid* g = FilledGrid(4, 6);
  g->HideColumn(3);
  g->ClearRows(3, 2);
  for (int r : {3, 4})
    for (int c = 0; c < 4; ++c) EXPECT_EQ(Utf8(g->GetCellEx(c, r)), "") << c << "," << r;
  EXPECT_EQ(Utf8(g->GetCellEx(3, 5)), "3:5");
  EXPECT_EQ(Utf8(g->GetCellEx(3, 2)), "3:2");
  delete g;
}

TEST(AdvGridRanges, TrimAllAndTrimColumn) {
  TAdvStringGrid* g = FilledGrid(3, 3);
  g->SetCellEx(1, 1, u"  x  ");
  g->SetCellEx(2, 2, u"\ty\r\n");
  g->TrimAll();
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "x");
  EXPECT_EQ(Utf8(g->GetCellEx(2, 2)), "y");
  delete g;
}

TEST(AdvGridRanges, MergeColumnCellsMergesRunsOfEqualTexts) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetColCount(3);
  g->SetRowCount(6);
  const char16_t* texts[] = {u"x", u"x", u"y", u"y", u"y"};
  for (int r = 1; r < 6; ++r) g->SetCellEx(1, r, texts[r - 1]);
  g->MergeColumnCells(1, true);
  EXPECT_EQ(g->CellSpan(1, 1).Y, 1);
  EXPECT_EQ(g->CellSpan(1, 3).Y, 2);
  EXPECT_TRUE(g->IsMergedNonBaseCell(1, 5));
  g->SplitColumnCells(1);
  EXPECT_FALSE(g->IsMergedCell(1, 1));
  EXPECT_FALSE(g->IsMergedCell(1, 3));
  delete g;
}

TEST(AdvGridRanges, MergedColumnsListMergesAgainOnEveryChange) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetColCount(3);
  g->SetRowCount(5);
  const char16_t* texts[] = {u"x", u"x", u"y", u"y"};
  for (int r = 1; r < 5; ++r) g->SetCellEx(1, r, texts[r - 1]);
  g->MergedColumns()->Add(1);
  EXPECT_EQ(g->CellSpan(1, 1).Y, 1);
  g->MergedColumns()->Delete(0);
  EXPECT_FALSE(g->IsMergedCell(1, 1));
  delete g;
}

TEST(AdvGridRanges, MergeColsJoinsWithTheSeparatorAndTrims) {
  struct Case {
    const char16_t *a, *sep, *b;
    std::string joined;
  };
  const Case cases[] = {{u"a", u" ", u"b", "a b"}, {u"a", u" ", u"", "a"}, {u"a", u"", u"b", "ab"}};
  for (const Case& c : cases) {
    TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
    g->SetColCount(4);
    g->SetRowCount(2);
    g->SetCellEx(1, 1, c.a);
    g->SetCellEx(2, 1, c.b);
    g->SetCellEx(3, 1, u"tail");
    g->MergeCols(1, 2, c.sep);
    EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), c.joined);
    EXPECT_EQ(Utf8(g->GetCellEx(2, 1)), "tail");
    EXPECT_EQ(g->ColCount(), 3);
    delete g;
  }
}

TEST(AdvGridRanges, IsCellIsCaseSensitive) {
  TAdvStringGrid* g = FilledGrid(3, 4);
  g->SetCellEx(2, 3, u"Target");
  int c = -1, r = -1;
  EXPECT_FALSE(g->IsCell(u"target", c, r));
  EXPECT_EQ(c, -1);
  EXPECT_TRUE(g->IsCell(u"Target", c, r));
  EXPECT_EQ(c, 2);
  EXPECT_EQ(r, 3);
  delete g;
}

TEST(AdvGridRanges, MergeRowCellsMergesRunsAndSplitRowCellsUndoesThem) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetColCount(6);
  g->SetRowCount(3);
  const char16_t* texts[] = {u"a", u"a", u"a", u"b", u"c"};
  for (int c = 1; c < 6; ++c) g->SetCellEx(c, 1, texts[c - 1]);
  g->MergeRowCells(1, true);
  EXPECT_EQ(g->CellSpan(1, 1).X, 2);
  EXPECT_TRUE(g->IsMergedNonBaseCell(3, 1));
  EXPECT_FALSE(g->IsMergedNonBaseCell(4, 1));
  g->SplitRowCells(1);
  EXPECT_FALSE(g->IsMergedCell(1, 1));
  delete g;
}

TEST(AdvGridRanges, ColorRectColoursEveryCellOfTheRectangle) {
  TAdvStringGrid* g = FilledGrid(4, 4);
  g->ColorRect(1, 1, 2, 2, clYellow);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      EXPECT_EQ(g->GetColors(c, r) == clYellow, c >= 1 && c <= 2 && r >= 1 && r <= 2) << c << "," << r;
  delete g;
}

}  // namespace
