// Hiding and showing rows: records in real-row order, what a hidden row keeps, filter levels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::Utf8;

// A grid of Rows rows whose column 1 holds "r<real row>".
// The records of hidden rows, visible to the tests.
class TExposedGrid : public TAdvStringGrid {
 public:
  using TAdvStringGrid::TAdvStringGrid;
  using TAdvStringGrid::GridItems;
};

TExposedGrid* RowGrid(int Rows) {
  TExposedGrid* g = New<TExposedGrid>(nullptr);
  g->SetColCount(3);
  g->SetRowCount(Rows);
  for (int r = 0; r < Rows; ++r) g->SetCellEx(1, r, u"r" + IntToStr(r));
  return g;
}

std::vector<std::string> Shown(TAdvStringGrid* g) {
  std::vector<std::string> v;
  for (int r = 0; r < g->RowCount(); ++r) v.push_back(Utf8(g->GetCellEx(1, r)));
  return v;
}

std::vector<int> RecordIdx(TExposedGrid* g) {
  std::vector<int> v;
  for (int i = 0; i < g->GridItems()->Count(); ++i) v.push_back(static_cast<TGridItem*>(g->GridItems()->Items(i))->Idx());
  return v;
}

std::vector<std::string> Texts(std::initializer_list<int> Rows) {
  std::vector<std::string> v;
  for (int r : Rows) v.push_back("r" + std::to_string(r));
  return v;
}

TEST(AdvGridHideRows, MappingsAndCellAccessOverHiddenRows) {
  TExposedGrid* g = RowGrid(10);
  g->HideRows(3, 4);
  EXPECT_EQ(g->RowCount(), 8);
  EXPECT_EQ(g->TotalRowCount(), 10);
  EXPECT_EQ(g->RealRowIndex(3), 5);
  EXPECT_EQ(g->DisplRowIndex(5), 3);
  EXPECT_EQ(g->DisplRowIndex(4), 3);
  EXPECT_EQ(Utf8(g->GetCellsEx(1, 5)), "r5");
  EXPECT_EQ(Utf8(g->GetCellEx(1, 3)), "r5");
  EXPECT_EQ(Utf8(g->GetCellsEx(1, 3)), "r3");
  g->SetCellsEx(1, 3, u"changed");
  EXPECT_EQ(Utf8(g->GetCellsEx(1, 3)), "changed");
  EXPECT_EQ(Shown(g), Texts({0, 1, 2, 5, 6, 7, 8, 9}));
  delete g;
}

TEST(AdvGridHideRows, HidingAndShowingARowRestoresTextsObjectsAndHeight) {
  TExposedGrid* g = RowGrid(10);
  g->SetColors(2, 5, clRed);
  g->SetRowHeights(5, 41);
  g->SetRowHeights(6, 33);
  g->HideRow(5);
  EXPECT_EQ(g->RowCount(), 9);
  EXPECT_EQ(g->RowHeights(5), 33);
  EXPECT_NE(g->GetColors(2, 5), clRed);
  g->UnHideRow(5);
  EXPECT_EQ(g->RowCount(), 10);
  EXPECT_EQ(g->NumHiddenRows(), 0);
  EXPECT_EQ(Shown(g), Texts({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(g->GetColors(2, 5), clRed);
  EXPECT_EQ(g->RowHeights(5), 41);
  EXPECT_EQ(g->RowHeights(6), 33);
  delete g;
}

TEST(AdvGridHideRows, HideRowsOverHiddenOnesAddsRecordsInOrder) {
  TExposedGrid* g = RowGrid(10);
  g->HideRows(3, 4);
  g->HideRows(2, 6);
  EXPECT_EQ(RecordIdx(g), (std::vector<int>{2, 3, 4, 5, 6}));
  EXPECT_EQ(g->RowCount(), 5);
  for (int r : {2, 5, 6}) EXPECT_EQ(Utf8(g->GetCellsEx(1, r)), "r" + std::to_string(r));
  EXPECT_EQ(Shown(g), Texts({0, 1, 7, 8, 9}));
  g->HideRows(3, 4);  // all hidden already
  EXPECT_EQ(g->NumHiddenRows(), 5);
  delete g;
}

TEST(AdvGridHideRows, UnHideRowsCases) {
  struct Case {
    std::vector<int> hidden;
    int from, to;
    std::vector<int> recordsAfter;
    std::vector<std::string> shownAfter;
  };
  const Case cases[] = {
      {{4}, 3, 4, {4}, Texts({0, 1, 2, 3, 5, 6, 7, 8, 9})},  // the first row of the range is shown: nothing
      {{3, 5}, 3, 6, {}, Texts({0, 1, 2, 3, 4, 5, 6, 7, 8, 9})},
      {{3, 4, 5}, 3, 5, {}, Texts({0, 1, 2, 3, 4, 5, 6, 7, 8, 9})},
      {{3, 4, 8}, 3, 4, {8}, Texts({0, 1, 2, 3, 4, 5, 6, 7, 9})},
  };
  for (const Case& c : cases) {
    TExposedGrid* g = RowGrid(10);
    for (int r : c.hidden) g->HideRow(r);
    g->UnHideRows(c.from, c.to);
    EXPECT_EQ(RecordIdx(g), c.recordsAfter) << c.from << ".." << c.to;
    EXPECT_EQ(Shown(g), c.shownAfter) << c.from << ".." << c.to;
    delete g;
  }
}

TEST(AdvGridHideRows, UnHideRowsAllShowsEveryRun) {
  TExposedGrid* g = RowGrid(10);
  g->HideRows(2, 3);
  g->HideRow(7);
  EXPECT_EQ(RecordIdx(g), (std::vector<int>{2, 3, 7}));
  g->UnHideRowsAll();
  EXPECT_EQ(g->NumHiddenRows(), 0);
  EXPECT_EQ(Shown(g), Texts({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  delete g;
}

TEST(AdvGridHideRows, UnHideRowsAllShowsARunOfRecordsInOneStep) {
  // Records 2, 3, 7: runs 2..3 and 7. Each step shows the cell control of its first row only, so
  // the control of row 3 stays hidden exactly when 2 and 3 came back in one step.
  advgrid_test::GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetColCount(3);
  g->SetRowCount(10);
  for (int r = 0; r < 10; ++r) g->SetCellEx(1, r, u"r" + IntToStr(r));
  TPanel* p2 = New<TPanel>(f.form);
  TPanel* p3 = New<TPanel>(f.form);
  TPanel* p7 = New<TPanel>(f.form);
  g->SetCellControls(1, 2, p2);
  g->SetCellControls(1, 3, p3);
  g->SetCellControls(1, 7, p7);
  g->HideRow(2);
  g->HideRow(3);
  g->HideRow(7);
  ASSERT_FALSE(p2->Visible());
  ASSERT_FALSE(p3->Visible());
  ASSERT_FALSE(p7->Visible());
  g->UnHideRowsAll();
  EXPECT_EQ(g->NumHiddenRows(), 0);
  EXPECT_EQ(Shown(g), Texts({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_TRUE(p2->Visible());
  EXPECT_FALSE(p3->Visible());
  EXPECT_TRUE(p7->Visible());
}

TEST(AdvGridHideRows, HideRowsExKeepsRecordsInOrder) {
  TExposedGrid* g = RowGrid(10);
  g->HideRow(7);
  g->HideRowsEx(2, 3);
  EXPECT_EQ(RecordIdx(g), (std::vector<int>{2, 3, 7}));
  EXPECT_EQ(Shown(g), Texts({0, 1, 4, 5, 6, 8, 9}));
  EXPECT_EQ(g->RealRowIndex(2), 4);
  EXPECT_EQ(Utf8(g->GetCellsEx(1, 3)), "r3");
  g->HideRowsEx(2, 2);  // its first row is hidden already: nothing
  EXPECT_EQ(g->NumHiddenRows(), 3);
  delete g;
}

TEST(AdvGridHideRows, FilterLevelsAreUndoneInOrder) {
  TExposedGrid* g = RowGrid(10);
  TIntList none(0, 0);
  g->HideRowList(&none);
  EXPECT_EQ(g->FilterLevel(), 1);
  EXPECT_EQ(g->RowCount(), 10);
  g->SetFilterLevel(0);

  TIntList first(0, 0);
  first.Add(1);
  first.Add(3);
  g->HideRowList(&first);
  EXPECT_EQ(Shown(g), Texts({0, 2, 4, 5, 6, 7, 8, 9}));
  TIntList second(0, 0);
  second.Add(0);
  second.Add(2);
  g->HideRowList(&second);
  EXPECT_EQ(g->FilterLevel(), 2);
  EXPECT_EQ(Shown(g), Texts({2, 5, 6, 7, 8, 9}));
  g->UnHideRowList();
  g->SetFilterLevel(1);
  EXPECT_EQ(Shown(g), Texts({0, 2, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(g->NumHiddenRows(), 2);
  g->UnHideRowList();
  g->SetFilterLevel(0);
  EXPECT_EQ(Shown(g), Texts({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(g->NumHiddenRows(), 0);
  delete g;
}

// Hiding moves the rows' cell properties with them: a filter level's displayed rows closing up
// over the hidden ones and back, the hidden rows into their records and back.
TEST(AdvGridHideRows, CellPropertiesFollowTheirRowsThroughHidingAndShowing) {
  TExposedGrid* g = RowGrid(10);
  g->SetColors(2, 3, clRed);
  g->SetColors(2, 6, clBlue);
  TIntList list(0, 0);
  list.Add(1);
  list.Add(3);
  g->HideRowList(&list);
  EXPECT_EQ(g->GetColors(2, 4), clBlue);
  ASSERT_NE(g->GetCellProperties(2, 4), nullptr);
  EXPECT_EQ(g->GetCellProperties(2, 4)->OwnerRow(), 4);
  EXPECT_EQ(g->GetColors(2, 3), g->GetColors(2, 0));  // real row 5 there now, no colour of its own
  g->UnHideRowList();
  g->SetFilterLevel(0);
  EXPECT_EQ(Shown(g), Texts({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  for (int r : {3, 6}) {
    SCOPED_TRACE(r);
    ASSERT_NE(g->GetCellProperties(2, r), nullptr);
    EXPECT_EQ(g->GetCellProperties(2, r)->OwnerRow(), r);
  }
  EXPECT_EQ(g->GetColors(2, 3), clRed);
  EXPECT_EQ(g->GetColors(2, 6), clBlue);
  // A hidden row shown at another row than it left (rows above it removed meanwhile): its
  // properties name the row it is shown at.
  g->HideRow(6);
  g->RemoveRows(1, 2);
  g->UnHideRow(4);
  EXPECT_EQ(g->GetColors(2, 4), clBlue);
  ASSERT_NE(g->GetCellProperties(2, 4), nullptr);
  EXPECT_EQ(g->GetCellProperties(2, 4)->OwnerRow(), 4);
  delete g;
}

// Records of several grids share their room: a grid that goes while another still hides rows
// leaves that grid's records whole, and the room is made again for the next filter.
TEST(AdvGridHideRows, RecordsOutliveAnotherGridsFilter) {
  TExposedGrid* a = RowGrid(6);
  TExposedGrid* b = RowGrid(6);
  TIntList listA(0, 0);
  listA.Add(1);
  listA.Add(4);
  a->HideRowList(&listA);
  TIntList listB(0, 0);
  listB.Add(0);
  b->HideRowList(&listB);
  delete b;
  EXPECT_EQ(Shown(a), Texts({0, 2, 3, 5}));
  a->UnHideRowList();
  a->SetFilterLevel(0);
  EXPECT_EQ(Shown(a), Texts({0, 1, 2, 3, 4, 5}));
  TExposedGrid* c = RowGrid(4);
  delete c;  // no record alive: the room goes now
  TIntList again(0, 0);
  again.Add(2);
  a->HideRowList(&again);
  EXPECT_EQ(Shown(a), Texts({0, 1, 3, 4, 5}));
  EXPECT_EQ(RecordIdx(a), (std::vector<int>{2}));
  delete a;
}

}  // namespace
