// Column widths and row heights fitted to the cells' contents.
#include <gtest/gtest.h>

#include "AdvGridCellTestSupport.h"
#include "AdvGridTestSupport.h"
#include "platform/testing/FakeMetrics.h"

namespace {

using advgrid_test::GridOwner;

TEST(AdvGridAutoSize, EmptyColumnGetsLinesMarginsAndTwo) {
  TScopedFakeMetrics m;
  GridOwner g;
  g->AutoSizeCol(2);
  EXPECT_EQ(g->ColWidths(2), 2 * g->GridLineWidth() + 2 + g->TotalXOffset());
  g->SetGridLineWidth(2);
  g->SetXYOffsetTopLeftOnly(true);
  g->AutoSizeCol(2);
  EXPECT_EQ(g->ColWidths(2), 4 + 2 + 2);
}

TEST(AdvGridAutoSize, ColumnFitsItsWidestTextWithinTheLimits) {
  TScopedFakeMetrics m;
  GridOwner g;
  g->SetCellEx(1, 1, u"abcd");        // 28
  g->SetCellEx(1, 2, u"abcdefghij");  // 70
  g->AutoSizeCol(1);
  EXPECT_EQ(g->ColWidths(1), 70 + 4 + 2 + 2);
  struct Case {
    int Min, Max;
    const char16_t* Text;
    int Expected;
  };
  const Case cases[] = {
      {20, 100, u"a", 20},                                    // 7 + 8 grows to the minimum
      {20, 100, u"abcdefghijabcdefghij", 100},                // 148 is cut to the maximum
      {50, 50, u"a", 15},                                     // equal limits are ignored
      {20, 100, u"abcdef", 50},                               // inside the limits
  };
  for (const Case& c : cases) {
    GridOwner h;
    h->SetMinColWidth(c.Min);
    h->SetMaxColWidth(c.Max);
    h->SetCellEx(1, 1, c.Text);
    h->AutoSizeCol(1);
    EXPECT_EQ(h->ColWidths(1), c.Expected) << StringToUtf8(c.Text);
  }
}

TEST(AdvGridAutoSize, SizeGrowOnlyNeverNarrows) {
  TScopedFakeMetrics m;
  GridOwner g;
  g->SetColWidths(1, 120);
  g->SetCellEx(1, 1, u"ab");
  g->SetSizeGrowOnly(true);
  g->AutoSizeCol(1);
  EXPECT_EQ(g->ColWidths(1), 120);
  g->SetCellEx(1, 1, u"abcdefghijabcdefghij");
  g->AutoSizeCol(1);
  EXPECT_EQ(g->ColWidths(1), 140 + 8);
  g->SetSizeGrowOnly(false);
  g->SetCellEx(1, 1, u"ab");
  g->AutoSizeCol(1);
  EXPECT_EQ(g->ColWidths(1), 14 + 8);
}

TEST(AdvGridAutoSize, AlwaysVisibleComboAddsItsButton) {
  TScopedFakeMetrics m;
  GridOwner g;
  g->SetCellEx(1, 1, u"ab");
  g->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& Ed) {
    if (ACol == 1) Ed = edComboList;
  };
  g->AutoSizeCol(1);
  EXPECT_EQ(g->ColWidths(1), 14 + 8);
  g->ControlLook()->SetDropDownAlwaysVisible(true);
  g->AutoSizeCol(1);
  EXPECT_EQ(g->ColWidths(1), 14 + 16 + 8);
}

TEST(AdvGridAutoSize, RowFitsWrappedTextAndPaddingRespectsTheLimits) {
  TScopedFakeMetrics m;
  GridOwner g;
  g->SetColWidths(1, 50);
  g->SetCellEx(1, 1, u"aaa bbb ccc ddd");  // wraps into several lines in 50 - 8 pixels
  g->AutoSizeRow(1);
  const int wrapped = g->RowHeights(1);
  EXPECT_GT(wrapped, 13 + 4 + 2);
  EXPECT_EQ((wrapped - 4 - 2) % 13, 0);
  g->SetWordWrap(false);
  g->AutoSizeRow(1);
  EXPECT_EQ(g->RowHeights(1), 13 + 4 + 2);
  g->SetMaxRowHeight(20);
  g->SetMinRowHeight(5);
  g->AutoSizeRow(1, 10);
  EXPECT_EQ(g->RowHeights(1), 20);
}

// An HTML cell is measured as it is drawn: its tags take no room, and its words wrap only with
// EnhTextSize (the renderer's word-wrap switch), otherwise the line ends in an ellipsis.
TEST(AdvGridAutoSize, HTMLCellsAreMeasuredAsRenderedText) {
  TScopedFakeMetrics m;
  GridOwner g;
  g->SetCellEx(1, 1, u"<i>abcd</i>");
  g->SetCellEx(2, 1, u"abcd");
  g->AutoSizeCol(1);
  g->AutoSizeCol(2);
  EXPECT_LT(g->ColWidths(1), 11 * 7);  // not the width of the tags
  EXPECT_GE(g->ColWidths(1), g->ColWidths(2));
  EXPECT_LE(g->ColWidths(1), g->ColWidths(2) + 4);

  g->SetColWidths(1, 50);
  g->SetCellEx(1, 1, u"<i>aaa bbb ccc ddd</i>");
  g->AutoSizeRow(1);
  const int oneLine = g->RowHeights(1);
  g->SetEnhTextSize(true);
  g->AutoSizeRow(1);
  EXPECT_GE(g->RowHeights(1), oneLine + 2 * 13) << oneLine;  // three or four lines in 50 - 8 pixels
}

TEST(AdvGridAutoSize, RowsWithoutWordWrapTakeTheirLineCount) {
  TScopedFakeMetrics m;
  GridOwner g;
  g->SetWordWrap(false);
  g->Multilinecells = true;
  g->SetCellEx(2, 1, u"a\rb\rc");
  g->AutoSizeRows(false, 0);
  // h = 13: three lines of h + h div 8.
  EXPECT_EQ(g->RowHeights(1), 3 * (13 + 1));
  EXPECT_EQ(g->RowHeights(2), 13 + 1);
}

TEST(AdvGridAutoSize, ColumnHookMeasuredRowsAndFilterAllowance) {
  TScopedFakeMetrics m;
  GridOwner g;
  g->SetCellEx(1, 0, u"header text");  // 77
  g->SetCellEx(1, 1, u"ab");           // 14
  // The hook sees the real column and the proposed width, and has its way within the limits.
  int seenCol = -1, seenWidth = -1;
  g->OnUpdateColumnSize = [&](TObject*, int ACol, int& W) {
    seenCol = ACol;
    seenWidth = W;
    W += 5;
  };
  g->AutoSizeCol(1);
  EXPECT_EQ(seenCol, 1);
  EXPECT_EQ(seenWidth, 77 + 8);
  EXPECT_EQ(g->ColWidths(1), 77 + 8 + 5);
  g->OnUpdateColumnSize = nullptr;
  // Only the normal rows, then only the fixed ones.
  g->ColumnSize()->SetRows(arNormal);
  g->AutoSizeCol(1);
  EXPECT_EQ(g->ColWidths(1), 14 + 8);
  g->ColumnSize()->SetRows(arFixed);
  g->SetCellEx(1, 1, u"a longer normal text");
  g->AutoSizeCol(1);
  EXPECT_EQ(g->ColWidths(1), 77 + 8);
  // The filter row keeps room for its button when the column offers a filter list.
  g->ColumnSize()->SetRows(arAll);
  g->SetCellEx(1, 1, u"ab");
  g->SetFilterDropDownAuto(true);
  g->AutoSizeCol(1);
  EXPECT_EQ(g->ColWidths(1), 77 + 8 + 12);
  // A grow-only fit that finds the column wide enough stops before the hook.
  g->SetSizeGrowOnly(true);
  seenCol = -1;
  g->OnUpdateColumnSize = [&](TObject*, int ACol, int&) { seenCol = ACol; };
  g->AutoSizeCol(1, 30);
  EXPECT_EQ(seenCol, -1);
  EXPECT_EQ(g->ColWidths(1), 77 + 8 + 12);
}

}  // namespace
