// Find, find next, replace, the sort-column lookup and the search footer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvGrid.h"
#include "platform/testing/ScopedLocale.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

// 4 columns x 4 rows, one fixed row and column; cells (c, r) of Texts row by row from (1, 1).
TAdvStringGrid* SearchGrid(std::initializer_list<std::initializer_list<const char16_t*>> Rows) {
  auto* g = New<TAdvStringGrid>(nullptr);
  g->SetColCount(4);
  g->SetRowCount(static_cast<int>(Rows.size()) + 1);
  int r = 1;
  for (auto row : Rows) {
    int c = 1;
    for (const char16_t* t : row) g->SetCellEx(c++, r, t);
    ++r;
  }
  return g;
}

std::string At(TPoint p) { return std::to_string(p.X) + "," + std::to_string(p.Y); }

TEST(AdvGridSearch, CellTestOptions) {
  TAdvStringGrid* g = SearchGrid({{u"abc", u"cab", u"x"}, {u"AB", u"", u"<b>ab</b>"}});
  struct Case {
    const char16_t* text;
    TFindParams params;
    const char* first;
  };
  const Case cases[] = {
      {u"ab", {}, "1,1"},                      // columns first: (1,1) then (1,2)
      {u"ab", {fnDirectionLeftRight}, "1,1"},
      {u"\"\"", {}, "2,2"},                    // the first empty cell
      {u"ab", {fnMatchFull}, "1,2"},           // not abc
      {u"ab", {fnMatchFull, fnMatchCase}, "-1,-1"},
      {u"ab", {fnMatchStart}, "1,1"},
      {u"ab", {fnMatchStart, fnFindInPresetCol}, "-1,-1"},  // FindCol 2: "cab" misses
      {u"ab", {fnMatchCase}, "1,1"},
      {u"AB", {fnMatchCase}, "1,2"},
      {u"c?b", {fnMatchRegular}, "2,1"},
      {u"<b>", {}, "3,2"},
      {u"<b>", {fnIgnoreHTMLTags}, "-1,-1"},
      {u"ab", {fnBackward}, "3,2"},            // from the bottom-right
      {u"ab", {fnIncludeFixed}, "1,1"},
  };
  g->SetFindCol(2);
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.text) + " " + std::to_string(c.params.Bits()));
    EXPECT_EQ(At(g->Find(TPoint(-1, -1), c.text, c.params)), c.first);
  }
  g->SetCellEx(0, 2, u"ab");
  EXPECT_EQ(At(g->Find(TPoint(-1, -1), u"ab", {fnIncludeFixed})), "0,2");
  delete g;
}

TEST(AdvGridSearch, FindNextWalksToTheEndThenStartsOver) {
  TAdvStringGrid* g = SearchGrid({{u"a1", u"x", u"a3"}, {u"y", u"a2", u"z"}});
  for (auto [params, order] :
       {std::pair{TFindParams{}, std::vector<std::string>{"1,1", "2,2", "3,1", "-1,-1", "1,1"}},
        {TFindParams{fnDirectionLeftRight}, {"1,1", "3,1", "2,2", "-1,-1", "1,1"}},
        {TFindParams{fnBackward}, {"3,1", "2,2", "1,1", "-1,-1", "3,1"}}}) {
    SCOPED_TRACE(params.Bits());
    std::vector<std::string> seen{At(g->FindFirst(u"A", params))};
    for (int i = 0; i < 4; ++i) seen.push_back(At(g->FindNext()));
    EXPECT_EQ(seen, order);
  }
  delete g;
}

TEST(AdvGridSearch, NotificationsAndBusyState) {
  struct TNotes : TAdvStringGrid {
    using TAdvStringGrid::TAdvStringGrid;
    std::vector<int> States;
    bool BusyInside = false;
    void ExportNotification(TGridExportState S, int) override {
      States.push_back(S);
      if (S == esExportNewRow) BusyInside = FindBusy();
    }
  };
  auto* g = New<TNotes>(nullptr);
  g->SetColCount(2);
  g->SetRowCount(3);
  g->SetCellEx(1, 2, u"hit");
  g->Find(TPoint(-1, -1), u"hit", {});
  EXPECT_EQ(g->States, (std::vector<int>{esExportStart, esExportNewRow, esExportNewRow, esExportFail}));
  EXPECT_TRUE(g->BusyInside);
  EXPECT_FALSE(g->FindBusy());
  g->States.clear();
  g->Find(TPoint(-1, -1), u"miss", {});
  EXPECT_EQ(g->States.back(), esExportDone);
  delete g;
}

TEST(AdvGridSearch, RestrictionsToTheCurrentRowAndColumnAndTheSelection) {
  TAdvStringGrid* g = SearchGrid({{u"a", u"a", u"a"}, {u"a", u"a", u"a"}, {u"a", u"a", u"a"}});
  g->FocusCell(2, 2);
  EXPECT_EQ(At(g->Find(TPoint(-1, -1), u"a", {fnFindInCurrentRow})), "1,2");
  EXPECT_EQ(At(g->Find(TPoint(-1, -1), u"a", {fnFindInCurrentCol})), "2,1");
  g->SetFindRow(3);
  EXPECT_EQ(At(g->Find(TPoint(3, 3), u"a", {fnFindInPresetRow})), "-1,-1");  // past the last
  g->SetSelection(TGridRect{2, 2, 3, 3});
  EXPECT_EQ(At(g->Find(TPoint(-1, -1), u"a", {fnSelectedCells, fnBackward})), "3,3");
  delete g;
}

TEST(AdvGridSearch, ReplaceChangesEveryCellFoundIgnoringCase) {
  TAdvStringGrid* g = SearchGrid({{u"aXa", u"q"}, {u"A", u"B"}});
  EXPECT_EQ(g->Replace(u"a", u"b", {}), 2);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "bXb");
  EXPECT_EQ(Utf8(g->GetCellEx(1, 2)), "b");
  EXPECT_EQ(Utf8(g->GetCellEx(2, 2)), "B");
  EXPECT_EQ(g->Replace(u"none", u"x", {}), 0);
  delete g;
}

TEST(AdvGridSearch, SearchLooksUpTheSortColumn) {
  TAdvStringGrid* g = SearchGrid({{u"<b>Beta</b>", u"zz"}, {u"alpha", u"aa"}});
  EXPECT_EQ(g->Search(u"AL"), 2);
  EXPECT_EQ(g->Search(u"BET"), 1);  // tags aside
  EXPECT_EQ(g->Search(u"Q"), -1);
  g->SortSettings()->SetShow(true);
  g->SortSettings()->SetColumn(2);
  EXPECT_EQ(g->Search(u"A"), 2);
  g->SortSettings()->SetColumn(-1);
  EXPECT_EQ(g->Search(u"A"), -1);
  g->SetRowCount(1);
  EXPECT_EQ(g->Search(u""), -1);
  delete g;
}

TEST(AdvGridSearch, AutoGotoExpandsTheNodeOfAHiddenRow) {
  TAdvStringGrid* g = SearchGrid({{u"head"}, {u"one"}, {u"needle"}, {u"after"}});
  g->AddNode(1, 3);
  g->ContractNode(1);
  EXPECT_EQ(g->RowCount(), 3);
  const TPoint p = g->Find(TPoint(-1, -1), u"needle", {fnIncludeHiddenRows, fnAutoGoto});
  EXPECT_EQ(At(p), "1,3");  // the real row
  EXPECT_FALSE(g->GetNodeState(1));
  EXPECT_EQ(g->RowCount(), 5);
  EXPECT_EQ(g->Row(), 3);
  EXPECT_EQ(g->Col(), 1);
  delete g;
}

// The search footer on a shown grid.
class AdvGridSearchFooter : public ::testing::Test {
 protected:
  void SetUp() override {
    g = f.grid;
    g->SetColCount(3);
    g->SetRowCount(5);
    g->SetCellEx(1, 2, u"apple");
    g->SetCellEx(2, 3, u"Apple pie");
    g->SearchFooter()->SetVisible(true);
    p = g->SearchPanel();
  }
  GridForm<> f;
  TAdvStringGrid* g = nullptr;
  TSearchPanel* p = nullptr;
};

TEST_F(AdvGridSearchFooter, LayoutAtTheBottomWithItsControls) {
  ASSERT_TRUE(p->Visible());
  EXPECT_EQ(p->Height(), 32);
  EXPECT_EQ(p->Top(), g->ClientHeight() - 32);
  TRetEdit* e = p->EditControl();
  EXPECT_EQ(std::vector<int>({e->Left(), e->Top(), e->Width()}), std::vector<int>({25, 6, 110}));
  EXPECT_EQ(p->ForwardButton()->Left(), 140);
  EXPECT_EQ(p->BackwardButton()->Left(), 235);
  EXPECT_EQ(p->HiliteButton()->Left(), 330);
  EXPECT_EQ(p->MatchCase()->Left(), 425);
  EXPECT_EQ(p->ExitButton()->BoundsRect(), Rect(5, 7, 19, 21));
  for (TAdvGridButton* b : {p->ForwardButton(), p->BackwardButton(), p->HiliteButton()}) {
    EXPECT_FALSE(b->Enabled());
    EXPECT_FALSE(b->Glyph()->Empty());
  }
  g->SearchFooter()->SetShowHighLight(false);
  EXPECT_FALSE(p->HiliteButton()->Visible());
  EXPECT_EQ(p->MatchCase()->Left(), 330);
  // Right to left: mirrored.
  {
    TScopedMiddleEastLocale locale(true);
    g->SetBiDiMode(bdRightToLeft);
    ASSERT_TRUE(g->UseRightToLeftAlignment());
    p->PlaceControls();
    EXPECT_EQ(e->Left(), p->Width() - 110 - 25);
    EXPECT_EQ(p->ForwardButton()->Left(), p->Width() - 90 - 140);
    EXPECT_EQ(p->MatchCase()->Left(), p->Width() - p->MatchCase()->Width() - 330);
    EXPECT_EQ(p->ExitButton()->Left(), p->Width() - 14 - 5);
    g->SetBiDiMode(bdLeftToRight);
    p->PlaceControls();
  }
  g->SearchFooter()->SetFindNextCaption(u"Next");
  g->SearchFooter()->SetHintFindNext(u"");
  EXPECT_EQ(Utf8(p->ForwardButton()->Caption()), "Next");
  EXPECT_FALSE(p->ForwardButton()->ShowHint());
}

TEST_F(AdvGridSearchFooter, TypingSearchesAndColoursTheEditRedOnNoMatch) {
  std::vector<std::string> actions;
  g->OnSearchFooterAction = [&](TObject*, const String& V, int C, int R, TSearchAction A) {
    actions.push_back(Utf8(V) + "@" + std::to_string(C) + "," + std::to_string(R) + "#" + std::to_string(A));
  };
  TRetEdit* e = p->EditControl();
  e->SetText(u"app");
  EXPECT_TRUE(p->ForwardButton()->Enabled());
  EXPECT_EQ(actions.back(), "app@1,2#" + std::to_string(saFindFirst));
  EXPECT_EQ(e->Color(), clWindow);
  EXPECT_EQ(g->Row(), 2);
  e->SetText(u"zzz");
  EXPECT_EQ(e->Color(), clRed);
  e->SetText(u"");
  EXPECT_EQ(e->Color(), clWindow);
  EXPECT_FALSE(p->ForwardButton()->Enabled());
  // The handler may keep the grid from searching.
  g->OnSearchEditChange = [](TObject*, const String&, bool& D) { D = false; };
  actions.clear();
  e->SetText(u"zzz");
  EXPECT_TRUE(actions.empty());
}

TEST_F(AdvGridSearchFooter, ForwardBackwardHighlightAndExit) {
  TRetEdit* e = p->EditControl();
  e->SetText(u"apple");
  g->SearchFooterForward();
  EXPECT_EQ(At(g->SearchCell()), "2,3");
  g->SearchFooterBackward();
  EXPECT_EQ(At(g->SearchCell()), "1,2");
  // Match case from the check box.
  p->MatchCase()->SetChecked(true);
  g->SearchFooterForward();
  EXPECT_EQ(At(g->SearchCell()), "-1,-1");
  p->MatchCase()->SetChecked(false);
  // Highlight down marks the occurrences, up takes the marks away.
  p->HiliteButton()->SetDown(true);
  g->SearchFooterHighlight();
  EXPECT_EQ(Utf8(g->GetCellEx(2, 3)), "<hi>Apple</hi> pie");
  p->HiliteButton()->SetDown(false);
  g->SearchFooterHighlight();
  EXPECT_EQ(Utf8(g->GetCellEx(2, 3)), "Apple pie");
  int closed = 0;
  g->OnSearchFooterClose = [&](TObject*) { ++closed; };
  g->SearchFooterExit();
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(g->SearchFooter()->Visible());
  EXPECT_FALSE(p->Visible());
  EXPECT_EQ(p->Height(), 0);
}

TEST_F(AdvGridSearchFooter, CtrlFPutsTheFocusInTheEditWhileTheFooterShows) {
  g->SetFocus();
  f.driver.Key(f.form, 'F', {ssCtrl});
  EXPECT_TRUE(p->EditControl()->Focused());
  f.driver.Type(f.form, u"pie");
  EXPECT_EQ(Utf8(p->EditControl()->GetText()), "pie");
  EXPECT_EQ(At(g->SearchCell()), "2,3");
  // Hidden, the footer takes nothing.
  g->SearchFooter()->SetVisible(false);
  g->SetFocus();
  f.driver.Key(f.form, 'F', {ssCtrl});
  EXPECT_TRUE(g->Focused());
}

TEST(AdvGridSearchEdit, EnterAndCtrlEnterAreReportedNotTyped) {
  TRetEdit e(nullptr);
  int ret = 0, ctrl = 0;
  e.OnReturn = [&](TObject*) { ++ret; };
  e.OnCtrlReturn = [&](TObject*) { ++ctrl; };
  e.Perform(WM_CHAR, 13, 0);
  e.Perform(WM_CHAR, 10, 0);
  EXPECT_EQ(ret, 1);
  EXPECT_EQ(ctrl, 1);
  EXPECT_TRUE(e.GetText().empty());
}

}  // namespace
