// The grid's window layer: the update lock, the grid timer's lookup reset, the edit-done notice,
// zooming by code and by Ctrl+wheel, and the version text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvColumnGrid.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

class TLookupGrid : public TAdvStringGrid {
 public:
  using TAdvStringGrid::TAdvStringGrid;
  const String& Lookup() const { return SearchInc; }
};

TEST(AdvGridInputWindow, UpdateLockPaintsOnceAfterTheOutermostEnd) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  int paints = 0;
  g->OnPainted = [&](TObject*) { ++paints; };
  auto paint = [&] {
    TRecordingCanvas cv;
    g->PaintOn(&cv);
    return cv.Calls().size();
  };
  g->SetColors(2, 2, clYellow);  // the cell has its properties: setting a colour writes no object
  g->BeginUpdate();
  g->BeginUpdate();
  EXPECT_TRUE(g->LockUpdate());
  g->TakeInvalidatedRects();
  g->SetColors(2, 2, clRed);
  EXPECT_TRUE(g->TakeInvalidatedRects().empty());  // no repaint asked for
  EXPECT_EQ(paint(), 0u);
  g->SetColorsTo(2, 2, clBlue);
  EXPECT_FALSE(g->TakeInvalidatedRects().empty());  // asks for one all the same
  EXPECT_EQ(paint(), 0u);
  g->EndUpdate();
  EXPECT_EQ(paint(), 0u);
  EXPECT_EQ(paints, 0);
  g->TakeInvalidatedRects();
  g->EndUpdate();
  EXPECT_FALSE(g->LockUpdate());
  const std::vector<TRect> rects = g->TakeInvalidatedRects();
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0], g->ClientRect());
  EXPECT_GT(paint(), 0u);
  EXPECT_EQ(paints, 1);
  g->EndUpdate();  // unmatched: stays at 0
  EXPECT_EQ(g->UpdateCount(), 0);
}

TEST(AdvGridInputWindow, UpdateLockEndsAlsoWhenTheGridWasHiddenMeanwhile) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->BeginUpdate();
  g->SetVisible(false);
  g->EndUpdate();
  EXPECT_FALSE(g->LockUpdate());
  g->SetVisible(true);
  int paints = 0;
  g->OnPainted = [&](TObject*) { ++paints; };
  TRecordingCanvas cv;
  g->PaintOn(&cv);
  EXPECT_EQ(paints, 1);
}

TEST(AdvGridInputWindow, TheLookupTextClearsAtTheFourthTickWithoutAKeystroke) {
  GridForm<TLookupGrid> f;
  TLookupGrid* g = f.grid;
  g->SetRowCount(5);
  g->SortSettings()->SetColumn(1);
  g->SetCellEx(1, 1, u"alpha");
  g->SetCellEx(1, 2, u"beta");
  g->Navigation()->SetAutoGotoWhenSorted(true);
  g->Navigation()->SetAutoGotoIncremental(true);
  g->SetFocus();
  f.driver.Type(f.form, u"b");
  EXPECT_EQ(Utf8(g->Lookup()), "b");
  f.driver.AdvanceTime(1500);  // three ticks
  EXPECT_EQ(Utf8(g->Lookup()), "b");
  f.driver.Type(f.form, u"e");  // restarts the count
  f.driver.AdvanceTime(1500);
  EXPECT_EQ(Utf8(g->Lookup()), "be");
  f.driver.AdvanceTime(500);
  EXPECT_EQ(Utf8(g->Lookup()), "");
  EXPECT_EQ(g->Row(), 2);
}

TEST(AdvGridInputWindow, EditCellDoneFiresWhenThePostedNoticeArrives) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  std::vector<std::pair<int, int>> done;
  g->OnEditCellDone = [&](TObject*, int ACol, int ARow) { done.emplace_back(ACol, ARow); };
  PostMessage(g, TAdvStringGrid::GridEditDoneMessage(), 3, 2);
  EXPECT_TRUE(done.empty());
  f.driver.DrainPosted();
  EXPECT_EQ(done, (std::vector<std::pair<int, int>>{{3, 2}}));
}

TEST(AdvGridInputWindow, EditCellDoneFollowsAnEditLeftByTabOrByAClick) {
  for (bool byTab : {true, false}) {
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetOptions(g->Options() | goEditing | goTabs);
    std::vector<std::pair<int, int>> done;
    std::vector<std::string> texts;
    g->OnEditCellDone = [&](TObject*, int ACol, int ARow) {
      done.emplace_back(ACol, ARow);
      texts.push_back(Utf8(g->GetCellEx(ACol, ARow)));
    };
    g->SetFocus();
    g->FocusCell(1, 1);
    f.driver.Type(f.form, u"ab");
    f.driver.DrainPosted();
    ASSERT_TRUE(g->EditorMode()) << byTab;
    if (byTab) {
      f.driver.Key(f.form, VK_TAB);
    } else {
      const TRect cr = g->CellRect(3, 3);
      f.driver.Click(g, cr.Left + 5, cr.Top + 5);
    }
    f.driver.DrainPosted();
    EXPECT_EQ(done, (std::vector<std::pair<int, int>>{{1, 1}})) << byTab;
    EXPECT_EQ(texts, (std::vector<std::string>{"ab"})) << byTab;
  }
}

TEST(AdvGridInputWindow, EditCellDoneEndsTheEditingSwitchedOnByDoubleClick) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->MouseActions()->SetEditOnDblClickOnly(true);
  g->SetOptions(g->Options() | goEditing);
  g->Perform(TAdvStringGrid::GridEditDoneMessage(), 1, 1);
  EXPECT_FALSE(g->Options().Contains(goEditing));
}

TEST(AdvGridInputWindow, ZoomStopsAtTenAndLeavesHiddenColumnsAtZero) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetColWidths(3, 0);
  const int w1 = g->ColWidths(1), h1 = g->RowHeights(1);
  for (int i = 0; i < 11; ++i) g->Zoom(1);
  EXPECT_EQ(g->ZoomFactor(), 10);
  EXPECT_EQ(g->ColWidths(1), w1 + 10);
  EXPECT_EQ(g->RowHeights(1), h1 + 10);
  EXPECT_EQ(g->ColWidths(3), 0);
  for (int i = 0; i < 25; ++i) g->Zoom(-1);
  EXPECT_EQ(g->ZoomFactor(), -10);
}

TEST(AdvGridInputWindow, CtrlWheelZoomsOnlyWithIntelliZoom) {
  for (bool intelli : {true, false}) {
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetRowCount(20);
    g->SetIntelliZoom(intelli);
    g->SetFocus();
    g->FocusCell(1, 1);
    f.driver.Wheel(g, -WHEEL_DELTA, 50, 50, {ssCtrl});
    if (intelli) {
      EXPECT_EQ(g->ZoomFactor(), g->WheelScrollLineCount());
      EXPECT_EQ(g->Row(), 1);
    } else {
      EXPECT_EQ(g->ZoomFactor(), 0);
      EXPECT_EQ(g->Row(), 1 + g->WheelScrollLineCount());  // moves like the plain wheel
    }
  }
}

TEST(AdvGridInputWindow, WheelMovesTheCurrentRowOrScrollsAndStopsAtTheData) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetRowCount(30);
  g->SetFixedFooters(1);
  g->SetFocus();
  g->FocusCell(1, 27);
  f.driver.Wheel(g, -WHEEL_DELTA);
  EXPECT_EQ(g->Row(), 28);  // the last data row, not the footer
  g->MouseActions()->SetWheelAction(waScroll);
  const int top = g->TopRow();
  f.driver.Wheel(g, WHEEL_DELTA);
  EXPECT_LT(g->TopRow(), top);
  EXPECT_EQ(g->Row(), 28);
  g->SetEnableWheel(false);
  g->MouseActions()->SetWheelAction(waMoveSelection);
  f.driver.Wheel(g, WHEEL_DELTA);
  EXPECT_EQ(g->Row(), 28);
}

TEST(AdvGridInputWindow, VersionText) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  EXPECT_EQ(Utf8(g->GetVersionString()), "6.2.1.3 Sep, 2012");
  delete g;
}

}  // namespace
