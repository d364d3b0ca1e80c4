// The grid's window as a drop target: registered by DragDropSettings, told what it accepts when
// the grid is loaded, revoked when switched off, destroyed or freed.
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvGrid.h"
#include "platform/DragDrop.h"
#include "platform/Messages.h"

namespace {

TEST(AdvGridDropTarget, SettingRegistersAndLoadedPassesWhatItAccepts) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  EXPECT_EQ(RegisteredDropTarget(g), nullptr);
  EXPECT_EQ(g->GridDropTarget(), nullptr);
  TDragDropSettings* dd = g->DragDropSettings();
  EXPECT_TRUE(dd->OleAcceptText());
  EXPECT_TRUE(dd->OleAcceptFiles());
  EXPECT_TRUE(dd->OleAcceptURLs());
  dd->SetOleDropTarget(true);
  ASSERT_NE(g->GridDropTarget(), nullptr);
  EXPECT_EQ(RegisteredDropTarget(g), g->GridDropTarget());
  EXPECT_EQ(g->GridDropTarget()->Grid(), g);
  dd->SetOleDropTarget(true);  // once
  EXPECT_EQ(RegisteredDropTarget(g), g->GridDropTarget());

  dd->SetOleAcceptText(false);
  dd->SetOleAcceptURLs(false);
  EXPECT_TRUE(g->GridDropTarget()->AcceptText());  // until loaded
  g->Loaded();
  EXPECT_FALSE(g->GridDropTarget()->AcceptText());
  EXPECT_TRUE(g->GridDropTarget()->AcceptFiles());
  EXPECT_FALSE(g->GridDropTarget()->AcceptURLs());

  dd->SetOleDropTarget(false);
  EXPECT_EQ(RegisteredDropTarget(g), nullptr);
  EXPECT_EQ(g->GridDropTarget(), nullptr);
  dd->SetOleDropTarget(true);
  const TWinControl* key = g;
  delete g;  // a freed grid leaves no registration behind
  EXPECT_EQ(RegisteredDropTarget(key), nullptr);
}

TEST(AdvGridDropTarget, DestroyedWindowRevokesAndAssignCopiesTheSetting) {
  advgrid_test::GridForm<> f;
  f.grid->DragDropSettings()->SetOleDropTarget(true);
  TAdvStringGrid* other = New<TAdvStringGrid>(nullptr);
  other->Assign(f.grid);
  EXPECT_TRUE(other->DragDropSettings()->OleDropTarget());
  EXPECT_NE(RegisteredDropTarget(other), nullptr);  // each grid its own
  EXPECT_NE(RegisteredDropTarget(other), RegisteredDropTarget(f.grid));
  delete other;
  f.grid->Perform(WM_DESTROY, 0, 0);
  EXPECT_EQ(RegisteredDropTarget(f.grid), nullptr);
}

}  // namespace
