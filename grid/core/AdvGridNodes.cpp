// Tree nodes: a ctNode object in column 0 heads a span of rows; contracting hides the span's rows
// as hidden-row records, expanding shows them again. A row's level is the NodeLevel of its column-0
// cell properties: how many nodes' spans cover it.
#include <algorithm>
#include <climits>
#include <vector>

#include "grid/core/AdvGrid.h"

namespace {

TGridItem* NodesItemAt(TCollection* Items, int i) { return static_cast<TGridItem*>(Items->Items(i)); }

}  // namespace

// =============================================================================================
// Helpers

int TAdvStringGrid::RowNodeLevel(int DRow) {
  if (DRow < 0 || DRow >= RowCount() || !HasCellProperties(0, DRow)) return 0;
  return GetCellProperties(0, DRow)->NodeLevel();
}

void TAdvStringGrid::ChangeRowNodeLevel(int DRow, int Delta) {
  if (DRow < 0 || DRow >= RowCount()) return;
  if (Delta < 0 && !HasCellProperties(0, DRow)) return;
  TCellProperties* p = GetCellProperties(0, DRow);
  p->SetNodeLevel(std::max(0, p->NodeLevel() + Delta));
}

void TAdvStringGrid::ShiftHiddenRowsAbove(int RRow, int Delta) {
  for (int i = 0; i < FGridItems->Count(); ++i) {
    TGridItem* it = NodesItemAt(FGridItems.get(), i);
    if (it->Idx() > RRow) it->SetIdx(it->Idx() + Delta);
  }
}

int TAdvStringGrid::NodeSpanEnd(int DRow) {
  // The displayed row after the node's children; a span past the last row ends there.
  TCellGraphic* node = NodeObject(DRow);
  if (!node) return DRow + 1;
  return std::min(RowCount(), DRow + NodeSpan(DRow));
}

void TAdvStringGrid::HideDisplayedRows(const std::vector<int>& DRows) {
  if (DRows.empty()) return;
  // Real index of each row: the hidden records are in ascending order.
  const std::vector<int> hidden = HiddenRowIdxs();
  std::vector<int> reals;
  reals.reserve(DRows.size());
  size_t h = 0;
  for (int d : DRows) {
    int r = d + static_cast<int>(h);
    while (h < hidden.size() && hidden[h] <= r) r = d + static_cast<int>(++h);
    reals.push_back(r);
  }
  // Records go in among the others in Idx order.
  int pos = 0;
  for (size_t k = 0; k < DRows.size(); ++k) {
    while (pos < FGridItems->Count() && NodesItemAt(FGridItems.get(), pos)->Idx() < reals[k]) ++pos;
    auto* item = static_cast<TGridItem*>(pos == FGridItems->Count() ? FGridItems->Add() : FGridItems->Insert(pos));
    StoreRowInRecord(DRows[k], item);
    item->SetIdx(reals[k]);
    item->SetHeight(RowHeights(DRows[k]));
    ++pos;
  }
  // The per-row lists lose the hidden rows' entries, as a removal of each row would take them.
  const bool modified = FShowModified->Enabled(), disjunct = FMouseActions->DisjunctRowSelect();
  for (auto it = DRows.rbegin(); it != DRows.rend(); ++it) {
    const int d = *it;
    if (modified && d < FModifiedRows->Count()) FModifiedRows->Delete(d);
    if (FUseEnabledRows && d < FEnabledRows->Count()) FEnabledRows->Delete(d);
    if (disjunct && d < FRowSelect->Count()) FRowSelect->Delete(d);
  }
  // The rows left close up in one pass. The row count setter would move the footer row to the new
  // last row over what this pass put there: the footer is off meanwhile.
  const bool footer = FFloatingFooter->Visible();
  const int footers = FFixedFooters;
  if (footer) FFloatingFooter->SetVisible(false);
  int to = DRows.front();
  size_t next = 0;
  for (int r = DRows.front(); r < RowCount(); ++r) {
    if (next < DRows.size() && DRows[next] == r) {
      ++next;
      continue;
    }
    MoveStoreRow(r, to, true);
    ++to;
  }
  for (int r = to; r < RowCount(); ++r) EmptyStoreRow(r);
  SetRowCount(RowCount() - static_cast<int>(DRows.size()));
  if (footer) FFloatingFooter->SetVisible(true);
  FFixedFooters = footers;
  if (FControlList->Count() > 0) RepositionCellControls();
}

// =============================================================================================
// Adding and removing nodes

void TAdvStringGrid::AddNode(int ARow, int Span) {
  const int d = DisplRowIndex(ARow);
  if (d < 0 || d >= RowCount()) return;
  TCellGraphic* cg = CreateCellGraphic(0, d);
  cg->SetCellType(ctNode);
  cg->SetCellBoolean(false);
  cg->SetCellIndex(Span);
  cg->SetCellErrFrom(0);
  cg->SetCellAngle(d);
  cg->SetCellHAlign(haBeforeText);
  cg->SetCellVAlign(vaCenter);
  cg->SetCellVar(-1);
  // A span reaching past the last row covers up to the last row.
  for (int r = d; r < std::min(d + Span, RowCount()); ++r) ChangeRowNodeLevel(r, 1);
  if (FNumNodes == 0) RepaintCol(0);
  ++FNumNodes;
  if (Col() == 0 && ColCount() > 1) SetCol(1);
}

void TAdvStringGrid::AddSummaryRow(int ARow) {
  const int d = DisplRowIndex(ARow);
  if (d < 0 || d >= RowCount()) return;
  CreateCellGraphic(0, d)->SetCellType(ctSummary);
}

void TAdvStringGrid::RemoveNode(int ARow) {
  ExpandNode(ARow);
  const int d = DisplRowIndex(ARow);
  TCellGraphic* node = NodeObject(d);
  if (!node) return;
  const int span = node->CellIndex();
  for (int r = d; r < std::min(d + span, RowCount()); ++r) ChangeRowNodeLevel(r, -1);
  RemoveCellGraphic(0, d);
  FNumNodes = std::max(0, FNumNodes - 1);
}

void TAdvStringGrid::RemoveAllNodes() {
  for (int r = 0; r < RowCount(); ++r)
    if (NodeObject(r)) RemoveNode(RealRowIndex(r));
  Invalidate();
}

// =============================================================================================
// Questions and settings of one node (displayed rows)

bool TAdvStringGrid::IsNode(int ARow) { return ARow >= 0 && GetCellType(0, ARow) == ctNode; }

bool TAdvStringGrid::IsSummary(int ARow) { return ARow >= 0 && GetCellType(0, ARow) == ctSummary; }

bool TAdvStringGrid::GetNodeState(int ARow) {
  TCellGraphic* node = NodeObject(ARow);
  return node && node->CellBoolean();
}

void TAdvStringGrid::SetNodeState(int ARow, bool Value) {
  TCellGraphic* node = NodeObject(ARow);
  if (!node || node->CellBoolean() == Value) return;
  if (Value)
    ContractNode(RealRowIndex(ARow));
  else
    ExpandNode(RealRowIndex(ARow));
}

int TAdvStringGrid::GetNodeLevel(int ARow) { return IsNode(ARow) ? RowNodeLevel(ARow) : -1; }

int TAdvStringGrid::GetNodeSpan(int ARow) {
  TCellGraphic* node = NodeObject(ARow);
  return node ? node->CellIndex() : -1;
}

void TAdvStringGrid::SetNodeSpan(int ARow, int Span) {
  if (TCellGraphic* node = NodeObject(ARow)) node->SetCellIndex(Span);
}

void TAdvStringGrid::UpdateNodeSpan(int ARow, int Delta) {
  if (TCellGraphic* node = NodeObject(ARow)) node->SetCellIndex(node->CellIndex() + Delta);
}

int TAdvStringGrid::GetSubNodeCount(int ARow) {
  TCellGraphic* node = NodeObject(ARow);
  return node ? node->CellErrFrom() : 0;
}

void TAdvStringGrid::UpdateSubNodeCount(int ARow, int Delta) {
  if (TCellGraphic* node = NodeObject(ARow)) node->SetCellErrFrom(node->CellErrFrom() + Delta);
}

int TAdvStringGrid::GetParentRow(int ARow) {
  if (ARow < 0 || ARow >= RowCount() || !HasNodes()) return -1;
  const bool isNode = IsNode(ARow);
  const int answer = isNode ? ARow : -1;
  const int level = isNode ? RowNodeLevel(ARow) : INT_MAX;
  int hiddenTotal = 0;
  for (int r = ARow; r >= FixedRows(); --r) {
    TCellGraphic* node = NodeObject(r);
    if (!node || RowNodeLevel(r) >= level) continue;
    const int span = NodeSpan(r);
    if (node->CellBoolean()) hiddenTotal += span - 1;
    if (ARow < r + span - hiddenTotal) return r;
  }
  return answer;
}

int TAdvStringGrid::GetNodeSpanType(int ARow) {
  if (IsNode(ARow)) return 0;
  if (ARow >= RowCount() - FixedFooters() - 1) return 1;
  if (!HasCellProperties(0, ARow + 1)) return 1;
  if (RowNodeLevel(ARow + 1) < RowNodeLevel(ARow)) return 1;
  return 2;
}

bool TAdvStringGrid::IsInNodeGlyph(int ARow, int X) {
  if (!FMouseActions->PreciseNodeClick()) return true;
  const int level = RowNodeLevel(ARow);
  const int indent = FCellNode->NodeIndent();
  int w = 4, s = 4;
  switch (FCellNode->NodeType()) {
    case cn3D:
      w = 6;
      s = 0;
      break;
    case cnGlyph: {
      const bool glyph = !FCellNode->ExpandGlyph()->Empty();
      w = glyph ? FCellNode->ExpandGlyph()->Width() / 2 : 0;
      s = glyph ? 2 : 0;
      break;
    }
    case cnLeaf:
      w = 8;
      s = 2;
      break;
    case cnFlat:
    case cnXP:
      break;
  }
  if (BiDiMode() == bdRightToLeft) {
    // Column 0 ends at the right edge of the client area inside the frame; client x counts from
    // the left edge of that area, the vertical bar (on the left) included, so no bar width is added.
    const int right = GridMirrorWidth();
    return right - level * indent - w - 2 <= X && X < right - (level - 1) * indent;
  }
  return s + (level - 1) * indent < X && X < w + level * indent;
}

// =============================================================================================
// Contracting and expanding

void TAdvStringGrid::ContractNode(int ARow) {
  HideInplaceEdit();
  // The current row may have to leave the rows being hidden: the grid moves it itself.
  struct NodesForceSel {
    bool& flag;
    ~NodesForceSel() { flag = false; }
  } forced{FForceSel};
  FForceSel = true;
  const int d = DisplRowIndex(ARow);
  TCellGraphic* node = NodeObject(d);
  if (!node || node->CellBoolean()) return;
  node->SetCellBoolean(true);
  const int b = d + 1;
  int end = NodeSpanEnd(d);
  int r = b;
  while (r < end) {
    TCellGraphic* inner = NodeObject(r);
    if (!inner || !inner->CellBoolean()) {
      ++r;
      continue;
    }
    // Expanding the parent later shows the nested span whole: it must then read expanded.
    inner->SetCellBoolean(false);
    const int nested = std::max(1, inner->CellIndex() > 0 ? inner->CellIndex() : 1);
    if (TControl* c = GetCellControls(1, r + 1)) c->Hide();
    HideRows(RealRowIndex(b), RealRowIndex(r));
    end -= nested + (r - b);
    r = b;
  }
  if (r > b) HideRows(RealRowIndex(b), RealRowIndex(r - 1));
  CalcFooter(-1);
}

void TAdvStringGrid::ExpandNode(int ARow) {
  if (FCellNode->ExpandOne()) {
    for (int r = FixedRows(); r < RowCount(); ++r) {
      TCellGraphic* other = NodeObject(r);
      if (other && !other->CellBoolean()) ContractNode(RealRowIndex(r));
    }
  }
  const int d = DisplRowIndex(ARow);
  TCellGraphic* node = NodeObject(d);
  if (!node || !node->CellBoolean()) return;
  node->SetCellBoolean(false);
  int next = d + 1;
  if (node->CellIndex() <= 0)
    while (next < RowCount() && !NodeObject(next)) ++next;
  const int lastHidden = (next < RowCount() ? RealRowIndex(next) : TotalRowCount()) - 1;

  const int top = TopRow(), row = Row();
  const bool disjunct = FMouseActions->DisjunctRowSelect();
  FMouseActions->SetDisjunctRowSelect(false);
  const bool rowSelect = Options().Contains(goRowSelect);
  if (rowSelect) SetOptions(Options() - TGridOptions{goRowSelect});
  // Also with cell controls: a node marked expanded always shows its rows, and the options
  // switched off for the duration always come back.
  BeginUpdate();
  UnHideRows(ARow + 1, lastHidden);
  EndUpdate();
  FMouseActions->SetDisjunctRowSelect(disjunct);
  if (rowSelect) {
    SetOptions(Options() | goRowSelect);
    if (row < RowCount()) SetRow(row);
    if (top < RowCount()) SetTopRow(top);
  }
  CalcFooter(-1);
}

void TAdvStringGrid::ExpandAll() {
  BeginUpdate();
  // Every contracted node's hidden rows come back in one pass (the rows of nested nodes are
  // among them), then every node reads expanded.
  const std::vector<int> hidden = HiddenRowIdxs();
  const int n = RowCount();
  std::vector<int> reals(static_cast<size_t>(n));
  size_t h = 0;
  for (int d = 0; d < n; ++d) {
    int r = d + static_cast<int>(h);
    while (h < hidden.size() && hidden[h] <= r) r = d + static_cast<int>(++h);
    reals[static_cast<size_t>(d)] = r;
  }
  std::vector<int> show;
  for (int r = FixedRows(); r < n; ++r) {
    TCellGraphic* node = NodeObject(r);
    if (!node || !node->CellBoolean()) continue;
    int next = r + 1;
    if (node->CellIndex() <= 0)
      while (next < n && !NodeObject(next)) ++next;
    const int from = reals[static_cast<size_t>(r)] + 1;
    const int to = (next < n ? reals[static_cast<size_t>(next)] : TotalRowCount()) - 1;
    auto it = std::lower_bound(hidden.begin(), hidden.end(), from);
    for (; it != hidden.end() && *it <= to; ++it) show.push_back(*it);
  }
  if (!show.empty()) {
    std::sort(show.begin(), show.end());
    show.erase(std::unique(show.begin(), show.end()), show.end());
    // The displayed rows and the shown records merge by real index, from the bottom up.
    std::vector<TGridItem*> items;
    items.reserve(show.size());
    for (int i = 0, k = 0; i < FGridItems->Count() && k < static_cast<int>(show.size()); ++i) {
      TGridItem* it = NodesItemAt(FGridItems.get(), i);
      if (it->Idx() == show[static_cast<size_t>(k)]) {
        items.push_back(it);
        ++k;
      }
    }
    // As in hiding: the footer row is placed by the merge below, not by the row count setter.
    const bool footer = FFloatingFooter->Visible();
    const int footers = FFixedFooters;
    if (footer) FFloatingFooter->SetVisible(false);
    SetRowCount(n + static_cast<int>(items.size()));
    std::vector<int> shownAt;  // display rows of the shown records, bottom up
    shownAt.reserve(items.size());
    int i = n - 1, j = static_cast<int>(items.size()) - 1;
    for (int f = RowCount() - 1; f >= 0 && (i >= 0 || j >= 0); --f) {
      if (j >= 0 && (i < 0 || items[static_cast<size_t>(j)]->Idx() > reals[static_cast<size_t>(i)])) {
        shownAt.push_back(f);
        RestoreRowFromRecord(items[static_cast<size_t>(j)], f);
        delete items[static_cast<size_t>(j)];  // the last records first: cheap to take out
        --j;
      } else {
        if (i != f) MoveStoreRow(i, f, true);
        --i;
      }
    }
    // Each shown row gets a fresh enabled entry, as showing it alone would give it.
    if (FUseEnabledRows)
      for (auto it = shownAt.rbegin(); it != shownAt.rend() && *it < FEnabledRows->Count(); ++it)
        FEnabledRows->Insert(*it, 0);
    if (footer) FFloatingFooter->SetVisible(true);
    FFixedFooters = footers;
    if (FControlList->Count() > 0) RepositionCellControls();
  }
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (TCellGraphic* node = NodeObject(r)) node->SetCellBoolean(false);
  EndUpdate();
  CalcFooter(-1);
}

void TAdvStringGrid::ContractAll() {
  BeginUpdate();
  ExpandAll();
  std::vector<int> rows;
  int r = FixedRows();
  while (r < RowCount()) {
    TCellGraphic* node = NodeObject(r);
    if (!node) {
      ++r;
      continue;
    }
    node->SetCellBoolean(true);
    const int end = NodeSpanEnd(r);
    for (int c = r + 1; c < end; ++c) rows.push_back(c);
    r = std::max(end, r + 1);
  }
  HideDisplayedRows(rows);
  CalcFooter(-1);
  EndUpdate();
}

// =============================================================================================
// Rows inside and outside nodes

void TAdvStringGrid::InsertChildRow(int ARow, int InsertAt) {
  const int d = DisplRowIndex(ARow);
  if (d < 0 || d >= RowCount()) return;
  const int p = GetParentRow(d);
  if (p >= 0) {
    UpdateNodeSpan(p, 1);
    UpdateSubNodeCount(p, 1);
    ExpandNode(RealRowIndex(p));
    int level = RowNodeLevel(p);
    int handled = p;
    while (level > 1) {
      const int a = GetParentRow(handled);
      if (a < FixedRows() || a == handled || RowNodeLevel(a) >= level) break;
      UpdateNodeSpan(a, 1);
      UpdateSubNodeCount(p, 1);
      ExpandNode(RealRowIndex(a));
      level = RowNodeLevel(a);
      handled = a;
    }
  }
  const bool onNode = IsNode(d);
  const int at = onNode && InsertAt == 0 ? d + 1 : d + InsertAt;
  const int pReal = p >= 0 ? RealRowIndex(p) : -1;
  InsertRows(at, 1);
  if (onNode && InsertAt == 0) {
    for (int c = 0; c < ColCount(); ++c) {
      const int rc = RealColIndex(c);
      SetCellEx(rc, at, GetCellEx(rc, d));
      SetCellEx(rc, d, String());
    }
    for (int rc = 1; rc < TotalColCount(); ++rc) {
      TObject* o = GetObjectEx(rc, d);
      if (!o) continue;
      SetObjectEx(rc, at, o);
      SetObjectEx(rc, d, nullptr);
    }
  }
  if (p >= 0) {
    const int level = RowNodeLevel(p);
    if (level != RowNodeLevel(at)) ChangeRowNodeLevel(at, level - RowNodeLevel(at));
  }
  if (pReal >= 0) ShiftHiddenRowsAbove(pReal, 1);
}

void TAdvStringGrid::RemoveChildRow(int ARow) {
  const int d = DisplRowIndex(ARow);
  if (d < 0 || d >= RowCount()) return;
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem* it = FControlList->GetControl(i);
    if (it->Y > ARow) --it->Y;  // one in the removed row goes with it
  }
  int p = GetParentRow(d);
  if (p >= 0) {
    const int level = RowNodeLevel(p);
    if (GetNodeSpan(p) > 1) {
      UpdateNodeSpan(p, -1);
      UpdateSubNodeCount(p, -1);
    }
    for (;;) {
      ExpandNode(RealRowIndex(p));
      if (RowNodeLevel(p) <= 1) break;
      const int a = GetParentRow(p);
      if (a < 0 || a == p || RowNodeLevel(a) >= level) break;
      p = a;
      if (GetNodeSpan(p) > 1) {
        UpdateNodeSpan(p, -1);
        UpdateSubNodeCount(p, -1);
      }
    }
  }
  // The removal lowers the largest row count reached by the row it takes.
  RemoveRowsWithObjects(DisplRowIndex(ARow), 1);
}

void TAdvStringGrid::InsertNormalRow(int ARow) {
  const int d = DisplRowIndex(ARow);
  if (d < 0 || d > RowCount()) return;
  InsertRows(d, 1);
  ShiftHiddenRowsAbove(ARow, 1);
}

void TAdvStringGrid::RemoveNormalRow(int ARow) {
  if (ARow < 0 || ARow >= RowCount()) return;
  RemoveRows(ARow, 1);  // lowers the largest row count reached too
}
