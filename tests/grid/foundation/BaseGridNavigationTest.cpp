#include <gtest/gtest.h>

#include <string>

#include "BaseGridTestSupport.h"

namespace {

using basegrid_test::GridForm;

std::string Cell(TBaseGrid* g) { return std::to_string(g->Col()) + "," + std::to_string(g->Row()); }

TEST(BaseGridNavigationTest, ArrowKeysStepOverAMergedRange) {
  struct Case {
    int col, row;
    Word key;
    const char* want;
  } cases[] = {
      {1, 1, VK_RIGHT, "4,1"},
      {1, 1, VK_DOWN, "1,3"},
      {3, 2, VK_LEFT, "0,2"},
      {3, 2, VK_UP, "3,0"},
      {2, 2, VK_RIGHT, "4,2"},
      {0, 1, VK_RIGHT, "1,1"},  // entering lands on the base cell
      {2, 3, VK_UP, "1,1"},
      {4, 2, VK_LEFT, "1,1"},
      {2, 0, VK_DOWN, "1,1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.col) + "," + std::to_string(c.row) + " key " + std::to_string(c.key));
    GridForm f;
    f.grid->MergeCells(1, 1, 3, 2);
    f.grid->SetCol(c.col);
    f.grid->SetRow(c.row);
    f.Key(c.key);
    EXPECT_EQ(Cell(f.grid), c.want);
  }
}

// Ranges that end at the grid's last column or row: the keys stay inside the grid.
// A range may also outlast a lowered count.
TEST(BaseGridNavigationTest, RangesAtTheGridEdge) {
  struct Case {
    int mc, mr, sx, sy;
    int cols, rows;  // counts after merging
    Word key;
    const char* want;
  } cases[] = {
      {4, 1, 2, 1, 6, 6, VK_RIGHT, "4,1"},
      {1, 4, 1, 2, 6, 6, VK_DOWN, "1,4"},
      {3, 1, 3, 1, 5, 6, VK_RIGHT, "3,1"},
      {1, 3, 1, 3, 6, 5, VK_DOWN, "1,3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.mc) + "," + std::to_string(c.mr));
    GridForm f;
    f.grid->MergeCells(c.mc, c.mr, c.sx, c.sy);
    f.grid->SetColCount(c.cols);
    f.grid->SetRowCount(c.rows);
    f.grid->SetCol(c.mc);
    f.grid->SetRow(c.mr);
    f.Key(c.key);
    EXPECT_TRUE(f.script.Messages().empty());  // no error box from the dispatch
    EXPECT_EQ(Cell(f.grid), c.want);
  }
}

TEST(BaseGridNavigationTest, PageDownAndWheelKeepOffTheHiddenLastRow) {
  // 10 rows of 20 pixels in a 100 pixel high grid: five visible rows, row 9 the placeholder.
  GridForm f(4, 10, 0, 0, 200, 100);
  TBaseGrid* g = f.grid;
  g->SetHideLastRow(true);
  g->SetCol(1);
  g->SetRow(0);
  f.Key(VK_NEXT);
  EXPECT_EQ(g->Row(), 5);
  f.Key(VK_NEXT);
  EXPECT_EQ(g->Row(), 8);
  f.Key(VK_NEXT);
  EXPECT_EQ(g->Row(), 8);
  f.Key(VK_DOWN);
  EXPECT_EQ(g->Row(), 8);

  g->SetRow(6);
  for (int i = 0; i < 4; ++i) f.driver.Wheel(g, -120, 20, 20);
  EXPECT_EQ(g->Row(), 8);
  f.driver.Wheel(g, 120, 20, 20);
  EXPECT_EQ(g->Row(), 7);

  // Without the placeholder the last row is reachable.
  g->SetHideLastRow(false);
  f.Key(VK_NEXT);
  EXPECT_EQ(g->Row(), 9);
}

TEST(BaseGridNavigationTest, WheelSnapsToTheBaseCellOfARange) {
  GridForm f;
  f.grid->MergeCells(2, 2, 2, 3);
  f.grid->SetCol(3);
  f.grid->SetRow(1);
  f.driver.Wheel(f.grid, -120, 20, 20);
  EXPECT_EQ(Cell(f.grid), "2,2");
  f.grid->SetCol(3);
  f.grid->SetRow(5);
  f.driver.Wheel(f.grid, 120, 20, 20);
  EXPECT_EQ(Cell(f.grid), "2,2");
}

}  // namespace
