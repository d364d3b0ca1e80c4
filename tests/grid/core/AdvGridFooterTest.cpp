// The floating footer: settings, the footer row's calculations, the footer row in structure
// changes, painting on a recording canvas, template expansion, hints and clicks.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "AdvGridTestSupport.h"
#include "platform/HintWindow.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

using advgrid_test::Utf8;

// RowCount 6, one fixed row, column 1 holding 1, 2, 3, 4 in rows 1..4, the footer (row 5) shown.
class AdvGridFooter : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = FormatSettings();
    FormatSettings() = FormatSettingsFromLocale("C");
    FormatSettings().DecimalSeparator = u'.';
    g = New<TAdvStringGrid>(nullptr);
    g->SetColCount(4);
    g->SetRowCount(6);
    g->SetFixedRows(1);
    g->SetFloatFormat(u"%g");
    for (int r = 1; r <= 4; ++r) g->SetCellEx(1, r, IntToStr(r));
    g->FloatingFooter()->SetVisible(true);
  }
  void TearDown() override {
    delete g;
    FormatSettings() = saved_;
  }
  String FooterCell(int c) { return g->GetCellEx(c, g->RowCount() - 1); }
  TAdvStringGrid* g = nullptr;
  TFormatSettings saved_;
};

TEST_F(AdvGridFooter, VisibilityDecidesFixedFootersAndTheHiddenLastRow) {
  EXPECT_EQ(g->FixedFooters(), 1);
  EXPECT_TRUE(g->HideLastRow());
  g->FloatingFooter()->SetVisible(false);
  EXPECT_EQ(g->FixedFooters(), 0);
  EXPECT_FALSE(g->HideLastRow());
  g->FloatingFooter()->SetFooterStyle(fsColumnPreview);
  g->FloatingFooter()->SetVisible(true);
  EXPECT_EQ(g->FixedFooters(), 0);
  EXPECT_FALSE(g->HideLastRow());
}

TEST_F(AdvGridFooter, SumAndCountOverTheNormalRows) {
  EXPECT_EQ(g->FloatingFooter()->ColumnCalc(1), acNONE);
  g->FloatingFooter()->SetColumnCalc(1, acSUM);
  g->FloatingFooter()->SetColumnCalc(2, acCOUNT);
  EXPECT_EQ(g->FloatingFooter()->ColumnCalc(1), acSUM);
  EXPECT_EQ(Utf8(FooterCell(1)), "10");
  EXPECT_EQ(Utf8(FooterCell(2)), "4");
}

TEST_F(AdvGridFooter, HiddenRowsCountWhenAskedAndTheFooterNever) {
  g->FloatingFooter()->SetColumnCalc(1, acSUM);
  g->FloatingFooter()->SetColumnCalc(2, acCOUNT);
  g->HideRow(2);  // value 2
  g->CalcFooter(-1);
  EXPECT_EQ(Utf8(FooterCell(2)), "4");  // real rows 1..4 (5 is the footer)
  EXPECT_EQ(Utf8(FooterCell(1)), "10");
  g->FloatingFooter()->SetCalculateHiddenRows(false);
  g->CalcFooter(-1);
  EXPECT_EQ(Utf8(FooterCell(2)), "3");
  EXPECT_EQ(Utf8(FooterCell(1)), "8");
}

TEST_F(AdvGridFooter, OneHiddenRowOfFiveNormalRowsCountsFive) {
  g->SetRowCount(7);  // normal rows 1..5, the footer row 6
  g->SetCellEx(1, 5, u"5");
  g->FloatingFooter()->SetColumnCalc(1, acSUM);
  g->FloatingFooter()->SetColumnCalc(2, acCOUNT);
  g->HideRow(3);
  g->CalcFooter(-1);
  EXPECT_EQ(Utf8(FooterCell(2)), "5");
  EXPECT_EQ(Utf8(FooterCell(1)), "15");
  g->FloatingFooter()->SetCalculateHiddenRows(false);
  g->CalcFooter(-1);
  EXPECT_EQ(Utf8(FooterCell(2)), "4");
  EXPECT_EQ(Utf8(FooterCell(1)), "12");
}

TEST_F(AdvGridFooter, OtherStylesOrAnInvisibleFooterCalculateNothing) {
  g->FloatingFooter()->SetColumnCalc(1, acSUM);
  g->SetCellEx(1, 5, u"keep");
  for (int variant = 0; variant < 2; ++variant) {
    if (variant == 0) g->FloatingFooter()->SetVisible(false);
    if (variant == 1) {
      g->FloatingFooter()->SetVisible(true);
      g->FloatingFooter()->SetFooterStyle(fsCustomPreview);
    }
    g->CalcFooter(-1);
    EXPECT_EQ(Utf8(g->GetCellEx(1, 5)), "keep") << variant;
  }
}

TEST_F(AdvGridFooter, CustomCalculationAsksTheGridThenTheFooterElseEmpties) {
  g->SetCellEx(3, 5, u"old");
  g->FloatingFooter()->SetColumnCalc(3, acCUSTOM);
  EXPECT_EQ(Utf8(FooterCell(3)), "");
  g->FloatingFooter()->OnCalcFooter = [](TObject*, int, int, String& v) { v = u"footer"; };
  g->CalcFooter(3);
  EXPECT_EQ(Utf8(FooterCell(3)), "footer");
  int row = -1;
  g->OnFooterCalc = [&](TObject*, int ACol, int ARow, String& v) {
    row = ARow;
    v = u"grid " + IntToStr(ACol);
  };
  g->CalcFooter(3);
  EXPECT_EQ(Utf8(FooterCell(3)), "grid 3");
  EXPECT_EQ(row, 5);
}

TEST_F(AdvGridFooter, EveryReportedChangeRecalculates) {
  g->FloatingFooter()->SetColumnCalc(1, acSUM);
  g->SetCellEx(1, 4, u"40");
  g->CellsChanged(TRect{1, 4, 1, 4});
  EXPECT_EQ(Utf8(FooterCell(1)), "46");
}

TEST_F(AdvGridFooter, TheFooterRowStaysLastThroughStructureChanges) {
  g->SetRowCount(5);  // rows 1..3 normal, 4 the footer
  g->SetCellEx(0, 4, u"F");
  g->SetCellEx(0, 2, u"two");
  g->SetCellEx(0, 3, u"three");
  g->InsertRows(2, 1, true);
  EXPECT_EQ(g->RowCount(), 6);
  EXPECT_EQ(Utf8(g->GetCellEx(0, 5)), "F");
  EXPECT_EQ(Utf8(g->GetCellEx(0, 2)), "");
  EXPECT_EQ(Utf8(g->GetCellEx(0, 3)), "two");
  EXPECT_EQ(Utf8(g->GetCellEx(0, 4)), "three");
  EXPECT_EQ(g->RowHeights(2), g->DefaultRowHeight());
  g->AddRow();
  EXPECT_EQ(Utf8(g->GetCellEx(0, 6)), "F");
  EXPECT_EQ(Utf8(g->GetCellEx(0, 5)), "");
  g->SetRowCount(20);
  EXPECT_EQ(Utf8(g->GetCellEx(0, 19)), "F");
  g->RemoveRows(3, 2);
  EXPECT_EQ(g->RowCount(), 18);
  EXPECT_EQ(Utf8(g->GetCellEx(0, 17)), "F");
  EXPECT_TRUE(g->FloatingFooter()->Visible());
  EXPECT_EQ(g->FixedFooters(), 1);
}

TEST_F(AdvGridFooter, TemplateExpansion) {
  g->SetCellEx(2, 1, u"42");
  g->SetRow(1);
  struct Case {
    const char16_t* tmpl;
    const char* shown;
  };
  const Case cases[] = {
      {u"Total: <#2>", "Total: 42"},
      {u"a<#ab>b", "ab"},
      {u"no placeholder", "no placeholder"},
      {u"open <#2", "open <#2"},  // no closing bracket: copied as text
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8(g->ExpandFooterTemplate(c.tmpl)), c.shown) << Utf8(c.tmpl);
}

TEST_F(AdvGridFooter, AssignCopiesVisibleAndKeepsHeightAndBorderColor) {
  TAdvStringGrid* other = New<TAdvStringGrid>(nullptr);
  TFloatingFooter* f = other->FloatingFooter();
  f->SetHeight(40);
  f->SetBorderColor(clRed);
  TFloatingFooter* src = g->FloatingFooter();
  src->SetHeight(30);
  src->SetBorderColor(clBlue);
  src->SetColumn(2);
  f->Assign(src);
  EXPECT_TRUE(f->Visible());
  EXPECT_EQ(f->Column(), 2);
  EXPECT_EQ(f->Height(), 40);
  EXPECT_EQ(f->BorderColor(), clRed);
  delete other;
}

// On a shown form: painting, hints and clicks.
TEST(AdvGridFooterPanel, FooterRowFollowsTheColumnsScrolledIntoView) {
  advgrid_test::GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetColCount(8);
  g->SetFixedCols(1);
  g->SetRowCount(6);
  for (int c = 0; c < 8; ++c) g->SetColWidths(c, 60 + c);
  g->SetLook(glClassic);  // the raised looks inset each footer cell by a pixel
  g->FloatingFooter()->SetVisible(true);
  g->SetLeftCol(3);  // columns 1 and 2 scrolled out
  TRecordingCanvas cv;
  std::vector<int> painted;
  g->OnFooterPaint = [&](TObject*, int AColumn, TCanvas*, const TRect& R) {
    painted.push_back(AColumn);
    EXPECT_EQ(R.Left, g->CellRect(AColumn, 1).Left) << AColumn;  // aligned with the grid
  };
  const int w = g->PaintFooter(&cv, TRect{0, 0, 400, 22});
  ASSERT_FALSE(painted.empty());
  EXPECT_EQ(painted.front(), 3);
  int expected = g->ColWidths(0);
  for (int c = 3; c < 8; ++c) expected += g->ColWidths(c);
  EXPECT_EQ(w, expected);
}

TEST(AdvGridFooterPanel, ColumnPreviewPaintsTheCurrentRowsCell) {
  advgrid_test::GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetRowCount(6);
  g->SetCellEx(2, 3, u"preview me");
  g->SetRow(3);
  g->FloatingFooter()->SetFooterStyle(fsColumnPreview);
  g->FloatingFooter()->SetColumn(2);
  g->FloatingFooter()->SetVisible(true);
  TRecordingCanvas cv;
  g->PaintFooter(&cv, TRect{0, 0, 400, 22});
  EXPECT_NE(cv.Log().find("preview me"), std::string::npos) << cv.Log();
}

TEST(AdvGridFooterPanel, HintAndClickNameTheFooterColumn) {
  advgrid_test::GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetColCount(4);
  g->SetFixedCols(1);
  g->SetRowCount(6);
  for (int c = 0; c < 4; ++c) g->SetColWidths(c, 50);
  g->FloatingFooter()->SetVisible(true);
  g->FloatingFooter()->SetShowHint(true);
  int hintRow = -1, hintCol = -1, clickRow = -1, clickCol = -1;
  g->OnGridHint = [&](TObject*, int ARow, int ACol, String& h) {
    hintRow = ARow;
    hintCol = ACol;
    h = u"sum";
  };
  g->OnClickCell = [&](TObject*, int ARow, int ACol) {
    clickRow = ARow;
    clickCol = ACol;
  };
  THintInfo info;
  info.CursorPos = TPoint{120, 5};  // in column 2
  g->FooterPanel()->Perform(CM_HINTSHOW, 0, reinterpret_cast<intptr_t>(&info));
  EXPECT_EQ(hintRow, 5);
  EXPECT_EQ(hintCol, 2);
  EXPECT_EQ(Utf8(info.HintStr), "sum");
  EXPECT_EQ(g->FooterPanel()->LastHintX(), 2);
  f.driver.Click(g->FooterPanel(), 120, 5);
  EXPECT_EQ(clickRow, 5);
  EXPECT_EQ(clickCol, 2);
}

}  // namespace

TEST_F(AdvGridFooter, ContractingAndExpandingNodesRecalculateTheFooter) {
  g->AddNode(1, 3);
  g->FloatingFooter()->SetColumnCalc(3, acCUSTOM);
  int calls = 0;
  g->OnFooterCalc = [&](TObject*, int, int, String& v) { v = IntToStr(++calls); };
  const std::vector<std::pair<const char*, std::function<void()>>> steps = {
      {"ContractNode", [&] { g->ContractNode(1); }},
      {"ExpandNode", [&] { g->ExpandNode(1); }},
      {"ContractAll", [&] { g->ContractAll(); }},
      {"ExpandAll", [&] { g->ExpandAll(); }},
  };
  for (const auto& [name, step] : steps) {
    const int before = calls;
    step();
    EXPECT_GT(calls, before) << name;
    EXPECT_EQ(FooterCell(3), IntToStr(calls)) << name;
    // The footer row ends last with its calculation kind, whatever the bulk paths moved.
    EXPECT_TRUE(g->HasCellProperties(3, g->RowCount() - 1)) << name;
  }
}

TEST_F(AdvGridFooter, AFilterLevelKeepsTheFooterRowLast) {
  g->FloatingFooter()->SetColumnCalc(1, acSUM);
  TIntList rows(0, 0);
  rows.Add(2);
  rows.Add(3);
  g->HideRowList(&rows);
  EXPECT_EQ(g->RowCount(), 4);
  EXPECT_TRUE(g->HasCellProperties(1, g->RowCount() - 1));
  g->UnHideRowList();
  EXPECT_EQ(g->RowCount(), 6);
  EXPECT_TRUE(g->HasCellProperties(1, g->RowCount() - 1));
}

// Walking down a long grid, the current row never hides under the footer (nor under the search panel
// below it); with the footer-row style the last row, which the footer shows, cannot become current.
TEST(AdvGridFooterSelect, TheCurrentRowStaysClearOfTheFooterAndTheSearchPanel) {
  for (TFooterStyle style : {fsFixedLastRow, fsColumnPreview}) {
    for (bool search : {false, true}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(style)) + (search ? " with search panel" : ""));
      advgrid_test::GridForm<> f;
      TAdvStringGrid* g = f.grid;
      g->SetRowCount(40);
      g->FloatingFooter()->SetFooterStyle(style);
      g->FloatingFooter()->SetVisible(true);
      if (search) {
        g->SearchFooter()->SetVisible(true);
        g->SearchPanel()->SetVisible(true);
        g->SearchPanel()->SetHeight(32);
      }
      ASSERT_TRUE(g->FooterPanel()->Visible());
      const int clearBottom = g->ClientHeight() - g->FloatingFooter()->Height() - (search ? 32 : 0);
      const int last = style == fsFixedLastRow ? g->RowCount() - 2 : g->RowCount() - 1;
      for (int r = 2; r <= last; ++r) {
        g->SetRow(r);
        ASSERT_EQ(g->Row(), r);
        EXPECT_LE(g->CellRect(1, r).Bottom, clearBottom) << "row " << r << " top " << g->TopRow();
      }
      g->SetRow(g->RowCount() - 1);
      EXPECT_EQ(g->Row(), style == fsFixedLastRow ? last : g->RowCount() - 1);
    }
  }
}

// With the search panel shown, keys, the scroll bar and code all end with the last row above the
// panel, and a further step down of the scroll bar leaves it there.
TEST(AdvGridFooterSelect, TheLastRowEndsAboveTheSearchPanelByEveryRoute) {
  const std::vector<std::pair<const char*, std::function<void(advgrid_test::GridForm<>&)>>> routes = {
      {"keys", [](advgrid_test::GridForm<>& f) {
         for (int i = 0; i < 45; ++i) f.driver.Key(f.form, VK_DOWN);
       }},
      {"scroll bar", [](advgrid_test::GridForm<>& f) {
         for (int i = 0; i < 45; ++i) f.grid->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
       }},
      {"code", [](advgrid_test::GridForm<>& f) { f.grid->SetRow(f.grid->RowCount() - 1); }},
  };
  for (const auto& [name, route] : routes) {
    SCOPED_TRACE(name);
    advgrid_test::GridForm<> f;
    TAdvStringGrid* g = f.grid;
    g->SetRowCount(40);
    g->SearchFooter()->SetVisible(true);
    g->SearchPanel()->SetVisible(true);
    g->SearchPanel()->SetHeight(32);
    g->SetFocus();
    route(f);
    const int limit = g->ClientHeight() - 32 + 2;
    const TRect last = g->CellRect(0, g->RowCount() - 1);
    ASSERT_FALSE(last.IsEmpty()) << "top " << g->TopRow();
    EXPECT_LE(last.Bottom, limit);
    EXPECT_GT(last.Bottom + g->DefaultRowHeight() + g->GridLineWidth(), limit) << "scrolled further than needed";
    const int top = g->TopRow();
    g->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(g->TopRow(), top);
  }
}
