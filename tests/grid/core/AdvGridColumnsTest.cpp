// Hidden columns: the count, the two index mappings, widths kept aside and restored, texts that
// never move, and the table's bounds.
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::Utf8;

// Real columns 0..5, each with a width and a text of its own.
TAdvStringGrid* SixColumns() {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetColCount(6);
  for (int c = 0; c < 6; ++c) {
    g->SetColWidths(c, 40 + c);
    g->SetCellEx(c, 1, u"c" + IntToStr(c));
  }
  return g;
}

TEST(AdvGridColumns, HidingTwoOfSixMapsBothWays) {
  TAdvStringGrid* g = SixColumns();
  g->HideColumn(2);
  g->HideColumn(4);
  EXPECT_EQ(g->ColCount(), 4);
  EXPECT_EQ(g->NumHiddenColumns(), 2);
  EXPECT_EQ(g->TotalColCount(), 6);
  const int real[] = {0, 1, 3, 5};
  for (int d = 0; d < 4; ++d) {
    EXPECT_EQ(g->RealColIndex(d), real[d]) << d;
    EXPECT_EQ(g->DisplColIndex(real[d]), d) << d;
    EXPECT_EQ(g->ColWidths(d), 40 + real[d]) << d;
  }
  EXPECT_EQ(g->DisplColIndex(2), 2);  // a hidden column: the next shown one's place
  EXPECT_EQ(g->DisplColIndex(4), 3);
  EXPECT_EQ(g->RealColIndex(4), 6);  // beyond the shown columns: as if the grid had more
  EXPECT_TRUE(g->IsHiddenColumn(2));
  EXPECT_FALSE(g->IsHiddenColumn(3));
  EXPECT_EQ(g->GetAllColWidths(2), 42);
  EXPECT_EQ(g->GetAllColWidths(3), 43);
  // Texts stay at their real columns, hidden ones included.
  for (int c = 0; c < 6; ++c) EXPECT_EQ(Utf8(g->GetCellEx(c, 1)), "c" + std::to_string(c));
  delete g;
}

TEST(AdvGridColumns, ShowingAgainRestoresWidthsAndTexts) {
  TAdvStringGrid* g = SixColumns();
  g->HideColumns(2, 4);
  EXPECT_EQ(g->ColCount(), 3);
  g->SetAllColWidths(3, 77);  // a hidden column's width is kept aside
  g->UnHideColumnsAll();
  EXPECT_EQ(g->ColCount(), 6);
  EXPECT_EQ(g->NumHiddenColumns(), 0);
  for (int c = 0; c < 6; ++c) {
    EXPECT_EQ(g->ColWidths(c), c == 3 ? 77 : 40 + c) << c;
    EXPECT_EQ(g->RealColIndex(c), c);
    EXPECT_EQ(Utf8(g->GetCellEx(c, 1)), "c" + std::to_string(c));
  }
  delete g;
}

TEST(AdvGridColumns, HidingEveryColumnKeepsOne) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetColCount(3);
  g->HideColumns(0, 2);
  EXPECT_EQ(g->ColCount(), 1);
  EXPECT_EQ(g->NumHiddenColumns(), 2);
  EXPECT_FALSE(g->IsHiddenColumn(2));
  EXPECT_EQ(g->RealColIndex(0), 2);
  delete g;
}

TEST(AdvGridColumns, HidingTheCurrentLastColumnMovesTheCurrentColumnLeft) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetCol(4);
  g->HideColumn(4);
  EXPECT_EQ(g->ColCount(), 4);
  EXPECT_EQ(g->Col(), 3);
  delete g;
}

TEST(AdvGridColumns, RequestsThatCannotApplyAreIgnored) {
  TAdvStringGrid* g = SixColumns();
  g->HideColumn(2);
  g->HideColumn(2);   // already hidden
  g->HideColumn(9);   // beyond the last real column
  g->UnHideColumn(3);  // not hidden
  g->HideColumn(-1);
  g->UnHideColumn(-5);
  EXPECT_EQ(g->ColCount(), 5);
  EXPECT_EQ(g->NumHiddenColumns(), 1);
  const int outside[] = {-1, -100, 512, 600};
  for (int c : outside) EXPECT_FALSE(g->IsHiddenColumn(c)) << c;
  EXPECT_EQ(g->RealColIndex(512), 512);
  EXPECT_EQ(g->DisplColIndex(600), 600);
  delete g;
}

TEST(AdvGridColumns, FiveHundredTwentyRealColumnsStayInsideTheTable) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetColCount(520);
  g->SetCellEx(519, 1, u"last");
  g->HideColumns(505, 519);  // 512 and beyond cannot be hidden
  EXPECT_EQ(g->NumHiddenColumns(), 7);
  EXPECT_EQ(g->ColCount(), 513);
  EXPECT_TRUE(g->IsHiddenColumn(511));
  EXPECT_FALSE(g->IsHiddenColumn(512));
  EXPECT_EQ(g->RealColIndex(504), 504);
  EXPECT_EQ(g->DisplColIndex(511), 505);
  EXPECT_EQ(Utf8(g->GetCellEx(519, 1)), "last");
  g->UnHideColumns(0, 1000);
  EXPECT_EQ(g->ColCount(), 520);
  EXPECT_EQ(g->NumHiddenColumns(), 0);
  g->HideColumns(-10, 3);
  EXPECT_EQ(g->NumHiddenColumns(), 4);
  delete g;  // shows them again before the cells are freed
}

}  // namespace
