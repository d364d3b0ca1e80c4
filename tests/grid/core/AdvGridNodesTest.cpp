// Tree nodes: spans contracted into hidden rows and expanded back, nested nodes, one expanded
// node at a time, spans up to the next node, parents, child rows, glyph hits and group checks.
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvGrid.h"
#include "platform/StdCtrls.h"
#include "platform/testing/ScopedLocale.h"

namespace {

using advgrid_test::Utf8;

struct NodeGrid {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  explicit NodeGrid(int Rows = 10) {
    g->SetRowCount(Rows);
    for (int r = 0; r < Rows; ++r) {
      g->SetCellEx(1, r, u"r" + IntToStr(r));
      g->SetRowHeights(r, 20 + r);
    }
  }
  ~NodeGrid() { delete g; }
  // Column 1 of the displayed rows.
  std::string Shown() const {
    std::string s;
    for (int r = 0; r < g->RowCount(); ++r) s += Utf8(g->GetCellEx(1, r)) + " ";
    return s;
  }
};

TEST(AdvGridNodes, ContractHidesTheSpanAndExpandShowsItBack) {
  NodeGrid t;
  t.g->AddNode(1, 3);
  EXPECT_TRUE(t.g->IsNode(1));
  EXPECT_EQ(t.g->NumNodes(), 1);
  EXPECT_EQ(t.g->GetNodeLevel(1), 1);
  EXPECT_EQ(t.g->GetNodeLevel(2), -1);  // inside the span but no node
  EXPECT_EQ(t.g->Col(), 1);             // moved off the node column
  t.g->ContractNode(1);
  EXPECT_EQ(t.g->RowCount(), 8);
  EXPECT_TRUE(t.g->GetNodeState(1));
  EXPECT_EQ(t.Shown(), "r0 r1 r4 r5 r6 r7 r8 r9 ");
  EXPECT_TRUE(t.g->IsHiddenRow(2));
  t.g->ExpandNode(1);
  EXPECT_FALSE(t.g->GetNodeState(1));
  EXPECT_EQ(t.g->RowCount(), 10);
  EXPECT_EQ(t.Shown(), "r0 r1 r2 r3 r4 r5 r6 r7 r8 r9 ");
  for (int r = 0; r < 10; ++r) EXPECT_EQ(t.g->RowHeights(r), 20 + r) << r;
  t.g->SetNodeState(1, true);
  EXPECT_EQ(t.g->RowCount(), 8);
  t.g->SetNodeState(1, false);
  EXPECT_EQ(t.g->RowCount(), 10);
}

TEST(AdvGridNodes, ParentOverAContractedChildKeepsItsRowsHidden) {
  NodeGrid t;
  t.g->AddNode(1, 5);  // rows 1..5
  t.g->AddNode(2, 3);  // rows 2..4
  EXPECT_EQ(t.g->GetNodeLevel(2), 2);
  t.g->ContractNode(2);
  EXPECT_EQ(t.Shown(), "r0 r1 r2 r5 r6 r7 r8 r9 ");
  t.g->ContractNode(1);
  EXPECT_EQ(t.Shown(), "r0 r1 r6 r7 r8 r9 ");
  t.g->ExpandNode(1);
  EXPECT_EQ(t.Shown(), "r0 r1 r2 r3 r4 r5 r6 r7 r8 r9 ");
  EXPECT_FALSE(t.g->GetNodeState(2));  // the whole span shows: the child reads expanded
}

TEST(AdvGridNodes, ExpandOneContractsTheOthers) {
  NodeGrid t;
  t.g->AddNode(1, 3);
  t.g->AddNode(4, 3);
  t.g->CellNode()->SetExpandOne(true);
  t.g->ContractNode(1);
  t.g->ExpandNode(1);
  EXPECT_FALSE(t.g->GetNodeState(1));
  EXPECT_TRUE(t.g->GetNodeState(4));
  EXPECT_EQ(t.Shown(), "r0 r1 r2 r3 r4 r7 r8 r9 ");
}

TEST(AdvGridNodes, SpanZeroReachesTheNextNodeAndSpansStopAtTheLastRow) {
  NodeGrid t;
  t.g->AddNode(1, 0);
  t.g->AddNode(5, 2);
  t.g->ContractNode(1);
  EXPECT_EQ(t.Shown(), "r0 r1 r5 r6 r7 r8 r9 ");
  t.g->ExpandAll();
  EXPECT_EQ(t.g->RowCount(), 10);
  EXPECT_FALSE(t.g->GetNodeState(1));
  t.g->ContractAll();
  EXPECT_EQ(t.Shown(), "r0 r1 r5 r7 r8 r9 ");
  EXPECT_TRUE(t.g->GetNodeState(1));
  EXPECT_TRUE(t.g->GetNodeState(2));
  t.g->ExpandAll();
  EXPECT_EQ(t.Shown(), "r0 r1 r2 r3 r4 r5 r6 r7 r8 r9 ");

  NodeGrid u;
  u.g->AddNode(8, 5);  // past the last row: covers row 9 only
  u.g->ContractNode(8);
  EXPECT_EQ(u.g->RowCount(), 9);
  EXPECT_EQ(u.g->NumHiddenRows(), 1);
  u.g->ExpandNode(8);
  EXPECT_EQ(u.Shown(), "r0 r1 r2 r3 r4 r5 r6 r7 r8 r9 ");
}

TEST(AdvGridNodes, LevelsParentsAndSpanTypes) {
  NodeGrid t;
  EXPECT_EQ(t.g->GetParentRow(3), -1);  // no nodes
  t.g->AddNode(1, 4);                   // rows 1..4
  t.g->AddNode(2, 2);                   // rows 2..3
  EXPECT_EQ(t.g->GetParentRow(3), 2);
  EXPECT_EQ(t.g->GetParentRow(4), 1);
  EXPECT_EQ(t.g->GetParentRow(2), 1);
  EXPECT_EQ(t.g->GetParentRow(7), -1);
  struct Case { int row, type; };
  for (const Case c : {Case{1, 0}, Case{2, 0}, Case{3, 1}, Case{4, 1}, Case{9, 1}}) 
    EXPECT_EQ(t.g->GetNodeSpanType(c.row), c.type) << c.row;
  t.g->SetCellEx(1, 5, u"x");
  t.g->GetCellProperties(0, 5);  // a row after with properties of its own at level 0
  EXPECT_EQ(t.g->GetNodeSpanType(4), 1);
  NodeGrid u;
  u.g->AddNode(1, 4);
  EXPECT_EQ(u.g->GetNodeSpanType(2), 2);  // the branch goes on below
  EXPECT_EQ(u.g->GetNodeSpan(1), 4);
  EXPECT_EQ(u.g->GetNodeSpan(2), -1);
  u.g->RemoveNode(1);
  EXPECT_FALSE(u.g->IsNode(1));
  EXPECT_EQ(u.g->NumNodes(), 0);
  EXPECT_EQ(u.g->GetCellProperties(0, 2)->NodeLevel(), 0);
}

TEST(AdvGridNodes, ExpandingAlwaysShowsTheRowsAndRestoresTheOptions) {
  advgrid_test::GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->SetRowCount(10);
  auto* edit = New<TEdit>(f.form);
  g->SetCellControls(1, 3, edit);
  g->AddNode(1, 4);
  g->MouseActions()->SetDisjunctRowSelect(true);
  g->SetOptions(g->Options() | goRowSelect);
  g->ContractNode(1);
  EXPECT_EQ(g->RowCount(), 7);
  g->ExpandNode(1);
  EXPECT_EQ(g->RowCount(), 10);
  EXPECT_FALSE(g->GetNodeState(1));
  EXPECT_TRUE(g->MouseActions()->DisjunctRowSelect());
  EXPECT_TRUE(g->Options().Contains(goRowSelect));
}

TEST(AdvGridNodes, ChildRowsAdjustSpansUpTheParentsAndMoveHiddenRecords) {
  NodeGrid t;
  t.g->AddNode(1, 4);  // rows 1..4
  t.g->AddNode(2, 2);  // rows 2..3
  t.g->HideRow(8);
  t.g->InsertChildRow(3, 0);
  EXPECT_EQ(t.g->GetNodeSpan(2), 3);
  EXPECT_EQ(t.g->GetNodeSpan(1), 5);
  EXPECT_EQ(t.g->GetSubNodeCount(2), 2);
  EXPECT_TRUE(t.g->IsHiddenRow(9));
  EXPECT_FALSE(t.g->IsHiddenRow(8));
  EXPECT_EQ(t.g->GetCellProperties(0, 3)->NodeLevel(), 2);
  EXPECT_EQ(t.Shown(), "r0 r1 r2  r3 r4 r5 r6 r7 r9 ");
  t.g->RemoveChildRow(3);
  EXPECT_EQ(t.g->GetNodeSpan(2), 2);
  EXPECT_EQ(t.g->GetNodeSpan(1), 4);
  EXPECT_TRUE(t.g->IsHiddenRow(8));
  EXPECT_EQ(t.Shown(), "r0 r1 r2 r3 r4 r5 r6 r7 r9 ");

  // A child under a node row itself takes the node row's texts; the node stays.
  NodeGrid u;
  u.g->AddNode(1, 2);
  u.g->InsertChildRow(1, 0);
  EXPECT_TRUE(u.g->IsNode(1));
  EXPECT_EQ(Utf8(u.g->GetCellEx(1, 1)), "");
  EXPECT_EQ(Utf8(u.g->GetCellEx(1, 2)), "r1");
  EXPECT_EQ(u.g->GetNodeSpan(1), 3);
}

TEST(AdvGridNodes, NormalRowsMoveHiddenRecordsToo) {
  NodeGrid t;
  t.g->HideRow(6);
  t.g->InsertNormalRow(2);
  EXPECT_TRUE(t.g->IsHiddenRow(7));
  EXPECT_EQ(t.g->RowCount(), 10);
  t.g->Loaded();
  const int max = t.g->MaxRowCount();
  t.g->RemoveNormalRow(2);
  EXPECT_EQ(t.g->MaxRowCount(), max - 1);  // once, not once more for the node bookkeeping
  EXPECT_TRUE(t.g->IsHiddenRow(6));
}

TEST(AdvGridNodes, NodeGlyphHits) {
  NodeGrid t;
  t.g->AddNode(1, 2);
  t.g->MouseActions()->SetPreciseNodeClick(true);
  t.g->CellNode()->SetNodeType(cnXP);
  struct Case { int x; bool in; };
  for (const Case c : {Case{3, false}, Case{4, false}, Case{5, true}, Case{15, true}, Case{16, false}})
    EXPECT_EQ(t.g->IsInNodeGlyph(1, c.x), c.in) << c.x;
  t.g->CellNode()->SetNodeType(cnLeaf);
  EXPECT_TRUE(t.g->IsInNodeGlyph(1, 19));  // 2 < X < 20
  t.g->MouseActions()->SetPreciseNodeClick(false);
  EXPECT_TRUE(t.g->IsInNodeGlyph(1, 500));
}

// Right to left, column 0 ends at the right edge of the client area inside the frame; the
// vertical bar sits on the left of that area and moves nothing on the right.
TEST(AdvGridNodes, NodeGlyphHitsRightToLeftInsideTheFrame) {
  TScopedMiddleEastLocale locale(true);
  for (const int rows : {4, 60}) {
    NodeGrid t(rows);
    t.g->SetBounds(0, 0, 300 + 2 * t.g->ClientInset(), 200 + 2 * t.g->ClientInset());
    t.g->AddNode(1, 2);
    t.g->MouseActions()->SetPreciseNodeClick(true);
    t.g->CellNode()->SetNodeType(cnXP);
    t.g->SetBiDiMode(bdRightToLeft);
    const int right = t.g->CellRect(0, 1).Right;
    ASSERT_EQ(right, 300) << rows;
    const int indent = t.g->CellNode()->NodeIndent();
    // level 1, cnXP: right - indent - 4 - 2 <= X < right
    struct Case { int x; bool in; };
    for (const Case c : {Case{right - indent - 7, false}, Case{right - indent - 6, true}, Case{right - 1, true},
                         Case{right, false}})
      EXPECT_EQ(t.g->IsInNodeGlyph(1, c.x), c.in) << rows << " rows, x " << c.x;
  }
}

TEST(AdvGridNodes, GroupChecksFollowTheNode) {
  NodeGrid t;
  t.g->AddNode(1, 4);
  t.g->AddCheckBox(2, 1, cbUnchecked);
  for (int r = 2; r <= 4; ++r) t.g->AddCheckBox(2, r, false, false);
  t.g->Grouping()->SetAutoCheckGroup(true);
  t.g->ToggleCheckBoxCell(2, 1, false);
  for (int r = 1; r <= 4; ++r) {
    TCheckBoxState s = cbUnchecked;
    t.g->GetCheckBoxState(2, r, s);
    EXPECT_EQ(s, cbChecked) << r;
  }
  t.g->ToggleCheckBoxCell(2, 3, false);  // checked -> unchecked
  TCheckBoxState node = cbUnchecked;
  t.g->GetCheckBoxState(2, 1, node);
  EXPECT_EQ(node, cbGrayed);
}

TEST(AdvGridNodes, NodeLookAndGroupingCopies) {
  TCellNode a, b;
  int changes = 0;
  a.OnChange = [&](TObject*) { ++changes; };
  a.SetNodeIndent(12);  // unchanged: no repaint
  EXPECT_EQ(changes, 0);
  a.SetTreeColor(clRed);
  a.SetNodeType(cnFlat);
  EXPECT_EQ(changes, 2);
  a.SetExpandOne(true);
  b.Assign(&a);
  EXPECT_EQ(b.TreeColor(), clRed);
  EXPECT_EQ(b.NodeType(), cnFlat);
  EXPECT_TRUE(b.ExpandOne());
  TCellNode fresh;
  EXPECT_EQ(fresh.TreeColor(), clGray);
  EXPECT_EQ(fresh.Color(), clSilver);
  EXPECT_EQ(fresh.NodeType(), cnXP);
  EXPECT_TRUE(fresh.ShowTree());
}

// The per-row lists of every displayed row: modified, enabled, selected.
std::string NodesRowFlags(TAdvStringGrid* g) {
  std::string s;
  for (int r = 0; r < g->RowCount(); ++r) {
    s += g->GetRowModified(r) ? 'm' : '-';
    s += g->GetRowEnabled(r) ? '-' : 'd';
    s += g->GetRowSelect(r) ? 's' : '-';
    s += ' ';
  }
  return s;
}

// Nodes at 1 (span 4), 6 (up to the next node), 12 (span 5, holding 13 of span 2) and 20 (past
// the last row); rows flagged modified, disabled and selected here and there.
void NodesFlaggedTree(TAdvStringGrid* g) {
  g->ShowModified()->SetEnabled(true);
  g->MouseActions()->SetDisjunctRowSelect(true);
  g->AddNode(1, 4);
  g->AddNode(6, 0);
  g->AddNode(12, 5);
  g->AddNode(13, 2);
  g->AddNode(20, 15);
  for (int r : {2, 7, 11, 14, 18, 21, 25}) g->SetRowModified(r, true);
  for (int r : {3, 9, 15, 19, 24}) g->SetRowEnabled(r, false);
  for (int r : {4, 8, 16, 17, 22}) g->SetRowSelect(r, true);
}

TEST(AdvGridNodes, BulkContractAndExpandKeepTheRowListsAsSingleNodesDo) {
  NodeGrid bulk(30), single(30);
  NodesFlaggedTree(bulk.g);
  NodesFlaggedTree(single.g);
  const std::string before = NodesRowFlags(bulk.g);
  bulk.g->ContractAll();
  for (int node : {1, 6, 12, 20}) single.g->ContractNode(node);
  EXPECT_EQ(bulk.Shown(), single.Shown());
  EXPECT_EQ(bulk.Shown(), "r0 r1 r5 r6 r12 r17 r18 r19 r20 ");
  EXPECT_EQ(NodesRowFlags(bulk.g), NodesRowFlags(single.g));
  // The flags stayed with their rows: r18 modified, r19 disabled, r5 plain.
  EXPECT_TRUE(bulk.g->GetRowModified(6));
  EXPECT_FALSE(bulk.g->GetRowEnabled(7));
  EXPECT_EQ(NodesRowFlags(bulk.g).substr(8, 4), "--- ");

  bulk.g->ExpandAll();
  for (int node : {1, 6, 12, 20}) single.g->ExpandNode(node);
  EXPECT_EQ(bulk.Shown(), single.Shown());
  EXPECT_EQ(bulk.g->RowCount(), 30);
  EXPECT_EQ(NodesRowFlags(bulk.g), NodesRowFlags(single.g));
  EXPECT_NE(NodesRowFlags(bulk.g), before);  // hidden rows' entries are not carried back
}

}  // namespace

TEST(AdvGridNodes, GroupingAssignCopiesTheLooksButKeepsSummaryAndLines) {
  TGrouping a, b;
  a.SetGroupCountFormat(u" (%d)");
  a.SetHeaderColor(clRed);
  a.SetHeaderColorTo(clMaroon);
  a.SetHeaderTextColor(clWhite);
  a.SetHeaderUnderline(true);
  a.SetMergeHeader(true);
  a.SetMergeSummary(true);
  a.SetShowGroupCount(true);
  a.SetSummaryColor(clYellow);
  a.SetSummaryColorTo(clOlive);
  a.SetSummaryTextColor(clNavy);
  a.SetSummaryLine(true);
  a.SetAutoCheckGroup(true);
  a.SetAutoSelectGroup(true);
  a.SetSummary(true);
  a.SetHeaderLineColor(clGreen);
  a.SetHeaderLineWidth(5);
  a.SetSummaryLineColor(clGreen);
  a.SetSummaryLineWidth(5);
  b.Assign(&a);
  EXPECT_EQ(b.GroupCountFormat(), u" (%d)");
  EXPECT_EQ(b.HeaderColor(), clRed);
  EXPECT_EQ(b.HeaderColorTo(), clMaroon);
  EXPECT_EQ(b.HeaderTextColor(), clWhite);
  EXPECT_TRUE(b.HeaderUnderline() && b.MergeHeader() && b.MergeSummary() && b.ShowGroupCount());
  EXPECT_EQ(b.SummaryColor(), clYellow);
  EXPECT_EQ(b.SummaryColorTo(), clOlive);
  EXPECT_EQ(b.SummaryTextColor(), clNavy);
  EXPECT_TRUE(b.SummaryLine() && b.AutoCheckGroup() && b.AutoSelectGroup());
  // Summary and the header and summary line colours and widths keep their values.
  EXPECT_FALSE(b.Summary());
  EXPECT_EQ(b.HeaderLineColor(), clBlue);
  EXPECT_EQ(b.HeaderLineWidth(), 2);
  EXPECT_EQ(b.SummaryLineColor(), clBlue);
  EXPECT_EQ(b.SummaryLineWidth(), 2);
}
