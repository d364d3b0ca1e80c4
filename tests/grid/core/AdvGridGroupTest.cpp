// Grouping: headers and nodes by a column's texts, summaries, merged headers, the second level,
// the way back, and the group calculations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::Utf8;

// One fixed row and one fixed footer; rows 1..3: column 1 p p q, column 2 A A B (captioned
// "Kind", footer "end"), column 3 1 2 3.
class AdvGridGroup : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = FormatSettings();
    FormatSettings() = FormatSettingsFromLocale("C");
    FormatSettings().DecimalSeparator = u'.';
    g = New<TAdvStringGrid>(nullptr);
    g->SetColCount(4);
    g->SetRowCount(5);
    g->SetFixedRows(1);
    g->SetFixedFooters(1);
    g->SetFloatFormat(u"%g");
    const char16_t* rows[][4] = {
        {u"", u"Name", u"Kind", u"Value"}, {u"", u"p", u"A", u"1"}, {u"", u"p", u"A", u"2"},
        {u"", u"q", u"B", u"3"},           {u"", u"", u"end", u""},
    };
    for (int r = 0; r < 5; ++r)
      for (int c = 0; c < 4; ++c) g->SetCellEx(c, r, rows[r][c]);
  }
  void TearDown() override {
    delete g;
    FormatSettings() = saved_;
  }
  std::string Rows() {
    std::string s;
    for (int r = 0; r < g->RowCount(); ++r) {
      s += r ? "|" : "";
      for (int c = 1; c < g->ColCount(); ++c) s += (c > 1 ? "," : "") + Utf8(g->GetGridCell(c, r));
    }
    return s;
  }
  TAdvStringGrid* g = nullptr;
  TFormatSettings saved_;
};

TEST_F(AdvGridGroup, HeadersAndNodesAndTheWayBack) {
  const std::string flat = Rows();
  g->Group(2);
  EXPECT_EQ(g->GroupColumn(), 2);
  EXPECT_EQ(Rows(), "Name,Value|A,|p,1|p,2|B,|q,3|,");
  EXPECT_TRUE(g->IsNode(1));
  EXPECT_EQ(g->GetNodeSpan(1), 3);
  EXPECT_TRUE(g->IsNode(4));
  EXPECT_EQ(g->GetNodeSpan(4), 2);
  g->UnGroup();
  EXPECT_EQ(g->GroupColumn(), -1);
  EXPECT_EQ(Rows(), flat);
  EXPECT_EQ(g->NumNodes(), 0);
}

TEST_F(AdvGridGroup, SummariesTakeTheGroupCalculations) {
  g->Grouping()->SetSummary(true);
  g->Group(2);
  EXPECT_EQ(Rows(), "Name,Value|A,|p,1|p,2|,|B,|q,3|,|,");
  EXPECT_TRUE(g->IsSummary(4));
  EXPECT_TRUE(g->IsSummary(7));
  g->GroupSum(2);
  EXPECT_EQ(Utf8(g->GetCellEx(2, 4)), "3");
  EXPECT_EQ(Utf8(g->GetCellEx(2, 7)), "3");
  g->GroupCount(2);
  EXPECT_EQ(Utf8(g->GetCellEx(2, 4)), "2");
  EXPECT_EQ(Utf8(g->GetCellEx(2, 7)), "1");
  // Grouped, header and summary rows hold no values of the column: 1 + 2 + 3.
  EXPECT_DOUBLE_EQ(g->ColumnSum(2, 1, 7), 6);
  g->UnGroup();
  EXPECT_EQ(Rows(), "Name,Kind,Value|p,A,1|p,A,2|q,B,3|,end,");
}

TEST_F(AdvGridGroup, WithoutSummaryTheHeaderTakesItAndContractedGroupsAreSkipped) {
  g->Group(2);
  g->ContractNode(4);
  const std::vector<std::pair<int, const char*>> methods = {
      {1, "3"}, {2, "1.5"}, {3, "1"}, {4, "2"}, {5, "2"}, {7, "2"}, {8, "0.5"}};
  for (const auto& [method, header] : methods) {
    g->GroupCalc(2, method);
    EXPECT_EQ(Utf8(g->GetCellEx(2, 1)), header) << method;
    EXPECT_EQ(Utf8(g->GetCellEx(2, 4)), "") << method;  // contracted
  }
  g->OnGroupCalc = [](TObject*, int, int From, int To, double& Res) { Res = From * 100 + To; };
  g->GroupCustomCalc(2);
  EXPECT_EQ(Utf8(g->GetCellEx(2, 1)), "203");
}

TEST_F(AdvGridGroup, AShownFloatingFooterTakesTheMatchingCalculation) {
  g->FloatingFooter()->SetVisible(true);  // its row: the last one ("end")
  g->Group(2);
  const std::vector<std::pair<void (TAdvStringGrid::*)(int), TColumnCalcType>> kinds = {
      {&TAdvStringGrid::GroupSum, acSUM},   {&TAdvStringGrid::GroupAvg, acAVG}, {&TAdvStringGrid::GroupMin, acMIN},
      {&TAdvStringGrid::GroupMax, acMAX}, {&TAdvStringGrid::GroupCount, acCOUNT}};
  for (const auto& [op, kind] : kinds) {
    (g->*op)(2);
    EXPECT_EQ(g->FloatingFooter()->ColumnCalc(2), kind);
  }
  EXPECT_EQ(Utf8(g->GetCellEx(2, 1)), "2");  // the last one, a count, in the first header
}

TEST_F(AdvGridGroup, NodeRowsCountInCalculationsOnlyWhenGrouped) {
  g->AddNode(1, 3);
  g->SetCellEx(3, 1, u"10");  // a node row of an ungrouped grid is a row like any other
  EXPECT_DOUBLE_EQ(g->ColumnSum(3, 1, 3), 15);
}

TEST_F(AdvGridGroup, MergedHeadersAndSummariesWithTheirColours) {
  g->Grouping()->SetMergeHeader(true);
  g->Grouping()->SetHeaderColor(clYellow);
  g->Grouping()->SetSummary(true);
  g->Grouping()->SetMergeSummary(true);
  g->Grouping()->SetSummaryColor(clAqua);
  g->Group(2);
  EXPECT_TRUE(g->IsMergedCell(1, 1));
  EXPECT_TRUE(g->IsMergedNonBaseCell(2, 1));
  EXPECT_EQ(g->GetColors(1, 1), ColorToRGB(clYellow));
  EXPECT_TRUE(g->IsMergedNonBaseCell(2, 4));
  EXPECT_EQ(g->GetColors(1, 4), ColorToRGB(clAqua));
  g->UnGroup();
  EXPECT_EQ(Rows(), "Name,Kind,Value|p,A,1|p,A,2|q,B,3|,end,");
  EXPECT_FALSE(g->IsMergedCell(1, 1));
}

TEST_F(AdvGridGroup, SecondLevelRoundTrip) {
  g->Group(2);
  const std::string grouped = Rows();
  g->SubGroup(1);
  EXPECT_EQ(Rows(), "Name,Value|A,|,p|,1|,2|B,|,q|,3|,");
  EXPECT_EQ(g->GetNodeLevel(2), 2);
  g->SubUnGroup(1);
  EXPECT_EQ(Rows(), grouped);
  EXPECT_EQ(g->GetNodeSpan(1), 3);
}

// SubGroup takes over the group fields; UnGroup still gives the flat rows back, with the first
// level's column, caption and footer.
TEST_F(AdvGridGroup, UnGroupAfterSubGroupRestoresTheRows) {
  const std::string flat = Rows();
  g->Group(2);
  g->SubGroup(1);
  EXPECT_EQ(g->GroupColumn(), 1);
  g->UnGroup();
  EXPECT_EQ(Rows(), flat);
  EXPECT_EQ(g->GroupColumn(), -1);
  EXPECT_EQ(g->NumNodes(), 0);

  g->Group(2);
  g->SubGroup(1);
  g->SubUnGroup(1);
  EXPECT_EQ(g->GroupColumn(), 2);
  g->SetGroupColumn(-1);
  EXPECT_EQ(Rows(), flat);
}

// Many runs, unsorted, with summaries: each header before its run, each summary after it, and
// what travels with a row (its height, its modified flag, its cell colours) lands with it.
TEST_F(AdvGridGroup, ManyGroupsInOnePassKeepWhatTravelsWithTheRows) {
  const char16_t* kinds[] = {u"C", u"A", u"B", u"A", u"C", u"C", u"B"};
  g->SetRowCount(9);
  for (int r = 1; r <= 7; ++r) {
    g->SetCellEx(1, r, u"n" + IntToStr(r));
    g->SetCellEx(2, r, kinds[r - 1]);
    g->SetCellEx(3, r, IntToStr(r));
  }
  g->SetCellEx(2, 8, u"end");
  g->ShowModified()->SetEnabled(true);
  g->SetRowModified(3, true);  // n3
  g->SetRowHeights(6, 40);     // n6
  g->SetColors(3, 5, clRed);   // n5
  g->Grouping()->SetSummary(true);
  g->Group(2);
  // Sorted by kind, ties by the next column (3): A n2 n4, B n3 n7, C n1 n5 n6.
  EXPECT_EQ(Rows(), "Name,Value|A,|n2,2|n4,4|,|B,|n3,3|n7,7|,|C,|n1,1|n5,5|n6,6|,|,");
  for (int h : {1, 5, 9}) {
    EXPECT_TRUE(g->IsNode(h)) << h;
    EXPECT_EQ(g->GetNodeSpan(h), 3 + (h == 9)) << h;
  }
  for (int s : {4, 8, 13}) EXPECT_TRUE(g->IsSummary(s)) << s;
  EXPECT_EQ(g->RowHeights(12), 40);
  EXPECT_EQ(g->RowHeights(9), g->DefaultRowHeight());
  EXPECT_EQ(g->GetColors(2, 11), clRed);  // column 3 is column 2 once the group column left
  for (int r = 1; r < g->RowCount(); ++r) EXPECT_EQ(g->GetRowModified(r), r == 6) << r;
  g->UnGroup();
  EXPECT_EQ(Rows(), "Name,Kind,Value|n2,A,2|n4,A,4|n3,B,3|n7,B,7|n1,C,1|n5,C,5|n6,C,6|,end,");
  EXPECT_EQ(g->RowHeights(7), 40);
}

TEST_F(AdvGridGroup, RefusedColumnsAndGridsWithoutRowsChangeNothing) {
  const std::string flat = Rows();
  g->SetGroupColumn(0);
  g->Group(0);
  EXPECT_EQ(Rows(), flat);
  EXPECT_EQ(g->GroupColumn(), -1);
  g->SetGroupColumn(2);
  EXPECT_EQ(g->GroupColumn(), 2);
  g->SetGroupColumn(-1);
  EXPECT_EQ(Rows(), flat);

  auto* empty = New<TAdvStringGrid>(nullptr);
  empty->SetColCount(3);
  empty->SetRowCount(2);
  empty->SetFixedRows(1);
  empty->SetFixedFooters(1);  // a header row and a footer row: no normal row
  empty->SetCellEx(1, 0, u"head");
  empty->Group(1);
  EXPECT_EQ(empty->GroupColumn(), -1);
  EXPECT_EQ(empty->ColCount(), 3);
  delete empty;
}

}  // namespace
