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
