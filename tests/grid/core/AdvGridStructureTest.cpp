// Row and column structure: what travels with an inserted or removed row or column, the
// hidden-row records and hidden columns behind them, the parked selection, the bulk removals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AdvGridTestSupport.h"
#include "platform/ExtCtrls.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

// The records of hidden rows, visible to the tests.
class TExposedGrid : public TAdvStringGrid {
 public:
  using TAdvStringGrid::TAdvStringGrid;
  using TAdvStringGrid::GridItems;
};

TExposedGrid* RowGrid(int Rows, int Cols = 3) {
  TExposedGrid* g = New<TExposedGrid>(nullptr);
  g->SetColCount(Cols);
  g->SetRowCount(Rows);
  for (int r = 0; r < Rows; ++r) g->SetCellEx(1, r, u"r" + IntToStr(r));
  return g;
}

std::vector<std::string> Column(TAdvStringGrid* g, int RCol) {
  std::vector<std::string> v;
  for (int r = 0; r < g->RowCount(); ++r) v.push_back(Utf8(g->GetCellEx(RCol, r)));
  return v;
}

std::vector<std::string> Texts(std::initializer_list<int> Rows) {
  std::vector<std::string> v;
  for (int r : Rows) v.push_back("r" + std::to_string(r));
  return v;
}

TEST(AdvGridStructure, RemoveRowsMovesEachRecordByTheRemovedRowsBeforeIt) {
  struct Case {
    int hidden;
    int recordAfter;
    std::vector<std::string> shownAfter;
  };
  // Real rows 0..6; display rows 1 and 2 removed.
  const Case cases[] = {
      {5, 3, Texts({0, 3, 4, 6})},     // real 1 and 2 removed, the record behind the block
      {2, 1, Texts({0, 4, 5, 6})},     // real 1 and 3 removed, the record between them
      {0, 0, Texts({1, 4, 5, 6})},     // the record before the block keeps its place
  };
  for (const Case& c : cases) {
    TExposedGrid* g = RowGrid(7);
    g->HideRow(c.hidden);
    g->RemoveRows(1, 2);
    ASSERT_EQ(g->NumHiddenRows(), 1);
    EXPECT_EQ(static_cast<TGridItem*>(g->GridItems()->Items(0))->Idx(), c.recordAfter) << c.hidden;
    EXPECT_EQ(Utf8(g->GetCellsEx(1, c.recordAfter)), "r" + std::to_string(c.hidden));
    EXPECT_EQ(Column(g, 1), c.shownAfter) << c.hidden;
    delete g;
  }
}

TEST(AdvGridStructure, RemoveRowsTakesOnlyRowsThatExist) {
  struct Case {
    int index, count, rowsAfter;
  };
  const Case cases[] = {{10, 1, 10}, {8, 5, 8}, {3, 0, 10}, {3, -2, 10}, {-1, 2, 10}};
  for (const Case& c : cases) {
    TExposedGrid* g = RowGrid(10);
    const int maxBefore = g->MaxRowCount();
    g->RemoveRows(c.index, c.count);
    EXPECT_EQ(g->RowCount(), c.rowsAfter) << c.index << "," << c.count;
    EXPECT_EQ(g->MaxRowCount(), maxBefore - (10 - c.rowsAfter)) << c.index << "," << c.count;
    delete g;
  }
}

TEST(AdvGridStructure, RemoveRowsCarriesObjectsAndHeightsAndFreesTheRemovedOnes) {
  TExposedGrid* g = RowGrid(6);
  g->SetColors(2, 4, clRed);
  g->SetColors(2, 1, clBlue);
  g->SetRowHeights(4, 37);
  const size_t propsBefore = g->OwnedCellPropertiesCount();
  g->RemoveRows(1, 2);
  EXPECT_EQ(Column(g, 1), Texts({0, 3, 4, 5}));
  EXPECT_EQ(g->GetColors(2, 2), clRed);
  EXPECT_EQ(g->RowHeights(2), 37);
  EXPECT_EQ(g->OwnedCellPropertiesCount(), propsBefore - 1);
  delete g;
}

TEST(AdvGridStructure, InsertRowsShiftsRowsDownAndEmptiesTheNewOnes) {
  TExposedGrid* g = RowGrid(5);
  g->SetColors(2, 3, clRed);
  g->SetRowHeights(2, 30);
  g->InsertRows(2, 1, true);
  EXPECT_EQ(g->RowCount(), 6);
  EXPECT_EQ(Column(g, 1), (std::vector<std::string>{"r0", "r1", "", "r2", "r3", "r4"}));
  EXPECT_EQ(g->RowHeights(2), g->DefaultRowHeight());
  EXPECT_EQ(g->RowHeights(3), 30);
  EXPECT_EQ(g->GetColors(2, 4), clRed);
  EXPECT_NE(g->GetColors(2, 3), clRed);
  delete g;
}

TEST(AdvGridStructure, RemovingEveryNormalRowParksTheSelectionAndInsertRowsRestoresIt) {
  TExposedGrid* g = RowGrid(5);
  g->SetFixedRowAlways(true);  // the header row stays when no normal row is left
  g->SetRow(3);
  g->RemoveRows(1, 4);
  EXPECT_EQ(g->RowCount(), 1);
  EXPECT_GE(g->Selection().Top, g->RowCount());
  g->InsertRows(1, 2, true);
  EXPECT_LT(g->Selection().Top, g->RowCount());
  EXPECT_GE(g->Selection().Top, g->FixedRows());
  EXPECT_LT(g->Row(), g->RowCount());
  delete g;
}

TEST(AdvGridStructure, ControlsBehindARemovedBlockMoveUp) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetColCount(3);
  g->SetRowCount(8);
  TPanel* p = New<TPanel>(f.form);
  g->SetCellControls(1, 5, p);
  g->RemoveRows(1, 2);
  EXPECT_EQ(g->GetCellControls(1, 3), p);
  EXPECT_EQ(g->GetCellControls(1, 5), nullptr);
  EXPECT_EQ(p->Top(), g->CellRect(1, 3).Top - 1);
}

TEST(AdvGridStructure, RemoveDuplicatesKeepsFirstOccurrences) {
  struct Case {
    std::vector<const char16_t*> texts;
    bool doCase;
    std::vector<std::string> after;
  };
  const Case cases[] = {
      {{u"a", u"b", u"a", u"c", u"b"}, false, {"a", "b", "c"}},
      {{u"A", u"a", u"b"}, true, {"A", "a", "b"}},
      {{u"A", u"a", u"b"}, false, {"A", "b"}},
  };
  for (const Case& c : cases) {
    TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
    g->SetRowCount(static_cast<int>(c.texts.size()) + 1);
    for (size_t i = 0; i < c.texts.size(); ++i) g->SetCellEx(1, static_cast<int>(i) + 1, c.texts[i]);
    g->RemoveDuplicates(1, c.doCase);
    std::vector<std::string> got = Column(g, 1);
    got.erase(got.begin());
    EXPECT_EQ(got, c.after) << c.doCase;
    delete g;
  }
}

TEST(AdvGridStructure, RemoveCheckedRowsKeepsTheOthersInOrder) {
  TExposedGrid* g = RowGrid(6);
  for (int r = 1; r < 6; ++r) g->AddCheckBox(2, r, r % 2 == 1, false);
  g->RemoveCheckedRows(2, true);
  EXPECT_EQ(Column(g, 1), Texts({0, 2, 4}));
  delete g;
}

TEST(AdvGridStructure, InsertColsMovesHiddenColumnsWithTheirCells) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetColCount(5);
  g->SetRowCount(3);
  for (int c = 0; c < 5; ++c) g->SetCellEx(c, 1, u"c" + IntToStr(c));
  g->HideColumn(3);
  g->InsertCols(1, 1);
  EXPECT_EQ(g->ColCount(), 5);
  EXPECT_EQ(g->NumHiddenColumns(), 1);
  EXPECT_TRUE(g->IsHiddenColumn(4));
  EXPECT_FALSE(g->IsHiddenColumn(3));
  EXPECT_EQ(Utf8(g->GetCellEx(4, 1)), "c3");
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "");
  EXPECT_EQ(Utf8(g->GetCellEx(2, 1)), "c1");
  EXPECT_EQ(g->ColWidths(1), g->DefaultColWidth());
  delete g;
}

TEST(AdvGridStructure, RemoveColsCountsHiddenAndShownColumnsApart) {
  struct Case {
    int index, count;
    int colCountAfter, hiddenAfter;
    std::vector<std::string> realAfter;  // row 1 of every real column
  };
  // Real columns c0..c5 with real 3 hidden: ColCount 5.
  const Case cases[] = {
      {3, 1, 5, 0, {"c0", "c1", "c2", "c4", "c5"}},
      {2, 2, 4, 0, {"c0", "c1", "c4", "c5"}},
      {1, 1, 4, 1, {"c0", "c2", "c3", "c4", "c5"}},
      {4, 9, 3, 1, {"c0", "c1", "c2", "c3"}},
  };
  for (const Case& c : cases) {
    TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
    g->SetColCount(6);
    g->SetRowCount(3);
    for (int k = 0; k < 6; ++k) g->SetCellEx(k, 1, u"c" + IntToStr(k));
    g->HideColumn(3);
    g->RemoveCols(c.index, c.count);
    EXPECT_EQ(g->ColCount(), c.colCountAfter) << c.index;
    EXPECT_EQ(g->NumHiddenColumns(), c.hiddenAfter) << c.index;
    std::vector<std::string> got;
    for (int k = 0; k < g->TotalColCount(); ++k) got.push_back(Utf8(g->GetCellEx(k, 1)));
    EXPECT_EQ(got, c.realAfter) << c.index;
    delete g;
  }
}

TEST(AdvGridStructure, SelectionDrivenRemovalsAndHidings) {
  enum TOp { kRemoveSelected, kRemoveUnSelected, kHideSelected, kHideUnSelected };
  struct Case {
    TOp op;
    std::vector<std::string> shownAfter;
    int hiddenAfter;
  };
  // Rows 2 and 4 of r0..r5 selected (disjunct row selection).
  const Case cases[] = {
      {kRemoveSelected, Texts({0, 1, 3, 5}), 0},
      {kRemoveUnSelected, Texts({0, 2, 4}), 0},
      {kHideSelected, Texts({0, 1, 3, 5}), 2},
      {kHideUnSelected, Texts({0, 2, 4}), 3},
  };
  for (const Case& c : cases) {
    TExposedGrid* g = RowGrid(6);
    g->MouseActions()->SetDisjunctRowSelect(true);
    g->SetRowSelect(2, true);
    g->SetRowSelect(4, true);
    switch (c.op) {
      case kRemoveSelected: g->RemoveSelectedRows(); break;
      case kRemoveUnSelected: g->RemoveUnSelectedRows(); break;
      case kHideSelected: g->HideSelectedRows(); break;
      case kHideUnSelected: g->HideUnSelectedRows(); break;
    }
    EXPECT_EQ(Column(g, 1), c.shownAfter) << static_cast<int>(c.op);
    EXPECT_EQ(g->NumHiddenRows(), c.hiddenAfter) << static_cast<int>(c.op);
    delete g;
  }
}

TEST(AdvGridStructure, AddRowGoesBeforeTheFloatingFooter) {
  TExposedGrid* g = RowGrid(5);
  g->FloatingFooter()->SetVisible(true);
  g->SetCellEx(1, 4, u"footer");
  g->AddRow();
  EXPECT_EQ(g->RowCount(), 6);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 5)), "footer");
  EXPECT_EQ(Utf8(g->GetCellEx(1, 4)), "");
  EXPECT_EQ(Utf8(g->GetCellEx(1, 3)), "r3");
  delete g;
}

}  // namespace
