// Stretching a column, notifiers, the process-wide highlight colour and thumb tracking.
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"
#include "grid/foundation/AsgHTMLE.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

TEST(AdvGridAppearance, StretchFillsTheClientWidth) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetBounds(10, 10, 300 + 2 * g->ClientInset(), 200 + 2 * g->ClientInset());  // inside the frame
  g->SetRowCount(3);  // no vertical bar: the client is 300 pixels wide
  g->SetColCount(3);
  g->ColumnSize()->SetStretch(true);
  g->StretchColumn(-1);
  EXPECT_EQ(g->ColWidths(2), 171);
  EXPECT_EQ(g->ColWidths(0), 64);
}

TEST(AdvGridAppearance, StretchOfWiderColumnsDependsOnScrolling) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetBounds(10, 10, 300, 200);
  g->SetColCount(6);
  for (int i = 0; i < 6; ++i) g->SetColWidths(i, 100);
  g->SetLeftCol(3);
  ASSERT_EQ(g->LeftCol(), 3);
  g->ColumnSize()->SetStretch(true);
  g->StretchColumn(-1);
  EXPECT_EQ(g->ColWidths(5), 100);  // scrolled right: unchanged
  g->SetLeftCol(1);
  g->StretchColumn(-1);
  EXPECT_EQ(g->ColWidths(5), g->DefaultColWidth());
}

TEST(AdvGridAppearance, StretchIndexOutOfRangeRaises) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetColCount(3);
  try {
    g->StretchColumn(3);
    ADD_FAILURE() << "nothing raised";
  } catch (const Exception& e) {
    EXPECT_EQ(Utf8(e.Message()), "Stretch column index out of range");
  }
  delete g;
}

TEST(AdvGridAppearance, NotifierIsKeptOnce) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  TGridChangeNotifier* n = New<TGridChangeNotifier>(nullptr);
  g->RegisterNotifier(n);
  g->RegisterNotifier(n);
  EXPECT_EQ(g->NotifierCount(), 1);
  g->UnRegisterNotifier(n);
  EXPECT_EQ(g->NotifierCount(), 0);
  delete n;
  delete g;
}

TEST(AdvGridAppearance, HighlightColourReachesEveryGridsRenderer) {
  TAdvStringGrid* a = New<TAdvStringGrid>(nullptr);
  TAdvStringGrid* b = New<TAdvStringGrid>(nullptr);
  a->SetHighlightColor(clRed);
  EXPECT_EQ(HighlightBackgroundColor(), clRed);
  b->SetHighlightTextColor(clYellow);
  EXPECT_EQ(HighlightBackgroundColor(), b->HighlightColor());  // the last grid wins
  EXPECT_EQ(HighlightTextColor(), clYellow);
  SetHighlightColors(clHighlight, clHighlightText);
  delete a;
  delete b;
}

TEST(AdvGridAppearance, ThumbTrackScrollsOnlyWithScrollSynch) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetRowCount(100);
  const uintptr_t track = SB_THUMBTRACK | (static_cast<uintptr_t>(64) << 16);
  g->Perform(WM_VSCROLL, track);
  EXPECT_EQ(g->TopRow(), 1);
  g->SetScrollSynch(true);
  g->Perform(WM_VSCROLL, track);
  const int span = g->RowCount() - g->VisibleRowCount() - g->FixedRows();
  EXPECT_EQ(g->TopRow(), g->FixedRows() + (64 * span + 63) / 127);
}

}  // namespace
