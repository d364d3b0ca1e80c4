// An attached grid that is freed is let go; switching column stretching on stretches at once;
// advancing onto a cell with a control clicks it.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvColumnGrid.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

TEST(AdvGridSyncStretch, AFreedSyncGridIsLetGo) {
  GridForm<> f;
  TAdvStringGrid* other = New<TAdvStringGrid>(nullptr);
  other->SetRowCount(10);
  f.grid->SetRowCount(10);
  f.grid->SyncGrid()->SetGrid(other);
  f.grid->SyncGrid()->SetSelectionRow(true);
  f.grid->FocusCell(1, 3);
  f.grid->SetRow(4);
  EXPECT_EQ(other->Row(), 4);
  delete other;
  EXPECT_EQ(f.grid->SyncGrid()->Grid(), nullptr);
  f.grid->SetRow(5);  // nothing left to follow
  EXPECT_EQ(f.grid->Row(), 5);
}

TEST(AdvGridSyncStretch, ReplacingTheSyncGridStopsListeningToTheOldOne) {
  GridForm<> f;
  TAdvStringGrid* a = New<TAdvStringGrid>(nullptr);
  TAdvStringGrid* b = New<TAdvStringGrid>(nullptr);
  f.grid->SyncGrid()->SetGrid(a);
  f.grid->SyncGrid()->SetGrid(b);
  delete a;
  EXPECT_EQ(f.grid->SyncGrid()->Grid(), b);
  delete b;
  EXPECT_EQ(f.grid->SyncGrid()->Grid(), nullptr);
}

TEST(AdvGridSyncStretch, SwitchingStretchOnStretchesAtOnce) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetColCount(3);
  const int before = g->ColWidths(2);
  g->ColumnSize()->SetStretch(true);
  EXPECT_GT(g->ColWidths(2), before);
  int sum = 0;
  for (int c = 0; c < 3; ++c) sum += g->ColWidths(c);
  EXPECT_EQ(sum, g->ClientWidth() - 1);
  // Without a parent nothing is stretched yet.
  TAdvStringGrid* loose = New<TAdvStringGrid>(nullptr);
  const int w = loose->ColWidths(loose->ColCount() - 1);
  loose->ColumnSize()->SetStretch(true);
  EXPECT_EQ(loose->ColWidths(loose->ColCount() - 1), w);
  delete loose;
}

TEST(AdvGridSyncStretch, AdvancingOntoADataCheckBoxClicksIt) {
  GridForm<TAdvColumnGrid> f;
  TAdvColumnGrid* g = f.grid;
  g->Columns()->Items(2)->SetEditor(edDataCheckBox);
  g->SetCellEx(2, 1, u"N");
  std::vector<std::tuple<int, int, int, int>> changing;
  g->OnCellChanging = [&](TObject*, int OldRow, int OldCol, int NewRow, int NewCol, bool&) {
    changing.emplace_back(OldRow, OldCol, NewRow, NewCol);
  };
  g->SetFocus();
  g->FocusCell(1, 1);
  g->AdvanceToNextCell(1, 1, true, false, true, false, true);
  EXPECT_EQ(g->Col(), 2);
  EXPECT_EQ(Utf8(g->GetCellEx(2, 1)), "Y");
  ASSERT_FALSE(changing.empty());
  EXPECT_EQ(changing.back(), std::make_tuple(1, 1, 1, 2));
  // From one control cell to the next nothing is clicked.
  g->Columns()->Items(3)->SetEditor(edDataCheckBox);
  g->SetCellEx(3, 1, u"N");
  g->AdvanceToNextCell(2, 1, true, false, true, false, true);
  EXPECT_EQ(g->Col(), 3);
  EXPECT_EQ(Utf8(g->GetCellEx(3, 1)), "N");
}

}  // namespace
