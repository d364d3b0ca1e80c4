// Grouping: rows under node headers by the text of a column (the column itself leaves the
// grid), summary rows, a second level inside the groups, the way back, and the calculations
// written into each group's header or summary row.
#include <algorithm>
#include <utility>
#include <vector>

#include "grid/core/AdvGrid.h"

namespace {

// No cell holds it, so the first normal row always starts a group.
const char16_t kGroupMarker[] = u"\uFFFF\u0001group";

// Runs a cleanup on leaving the scope, also when an exception passes.
template <class F>
class TGroupFinally {
 public:
  explicit TGroupFinally(F Fn) : FFn(Fn) {}
  ~TGroupFinally() { FFn(); }
  TGroupFinally(const TGroupFinally&) = delete;
  TGroupFinally& operator=(const TGroupFinally&) = delete;

 private:
  F FFn;
};

}  // namespace

// =============================================================================================
// Looks of header and summary rows

void TAdvStringGrid::GroupRowColors(int DRow, TColor Color, TColor ColorTo, TColor TextColor) {
  if (Color != clNone) SetRowColor(DRow, ColorToRGB(Color));
  if (ColorTo != clNone) SetRowColorTo(DRow, ColorToRGB(ColorTo));
  if (TextColor != clNone) SetRowFontColor(DRow, ColorToRGB(TextColor));
}

void TAdvStringGrid::GroupMergeRow(int DRow, TColor Color, TColor ColorTo, TColor TextColor) {
  if (ColCount() < 3) return;  // nothing to merge over
  MergeCells(1, DRow, ColCount() - 1, 1);
  if (Color != clNone) SetColors(1, DRow, ColorToRGB(Color));
  if (ColorTo != clNone) SetColorsTo(1, DRow, ColorToRGB(ColorTo));
  if (TextColor != clNone) SetFontColors(1, DRow, ColorToRGB(TextColor));
}

void TAdvStringGrid::GroupUnLookRow(int DRow, bool Merged) {
  if (Merged) {
    SplitCells(1, DRow);
  } else {
    SetRowColor(DRow, clNone);
    SetRowFontColor(DRow, clNone);
  }
}

void TAdvStringGrid::GroupRemoveRow(int DRow) { RemoveRowsWithObjects(DRow, 1); }

// =============================================================================================
// Rows made in one pass

void TAdvStringGrid::GroupSpreadRows(int End, const std::vector<int>& Points) {
  const int k = static_cast<int>(Points.size());
  if (k == 0) return;
  // Row flags and cell controls as an InsertRows per point (first to last) leaves them.
  auto flags = [&](TIntList* L, bool On) {
    std::vector<int> v;
    if (!On) return v;
    for (int i = 0; i < L->Count(); ++i) v.push_back(L->Items(i));
    return v;
  };
  const bool modified = FShowModified->Enabled(), enabled = FUseEnabledRows;
  const std::vector<int> modifiedFlags = flags(FModifiedRows.get(), modified);
  const std::vector<int> enabledFlags = flags(FEnabledRows.get(), enabled);
  std::vector<int> controlRows;
  for (int i = 0; i < FControlList->Count(); ++i) controlRows.push_back(FControlList->GetControl(i)->Y);
  // The new rows come in below the rows, which then move down in blocks, the last block first:
  // rows from point i on (up to the next point) move down by i + 1.
  InsertRows(End, k, false);
  for (int i = k - 1; i >= 0; --i) {
    const int lo = Points[static_cast<size_t>(i)];
    const int hi = i + 1 < k ? Points[static_cast<size_t>(i) + 1] : End;
    if (hi > lo) ShiftStoreRows(lo, hi + i + 1, i + 1, true);
  }
  for (int i = 0; i < k; ++i) {
    const int r = Points[static_cast<size_t>(i)] + i;
    if (r < End + k) {
      EmptyStoreRow(r);
      if (RowHeights(r) != DefaultRowHeight()) SetRowHeights(r, DefaultRowHeight());
    }
  }
  auto spread = [&](TIntList* L, const std::vector<int>& Old) {
    std::vector<int> v = Old;
    for (int i = 0; i < k; ++i) {
      const int r = Points[static_cast<size_t>(i)];
      if (r < static_cast<int>(Old.size())) v.insert(v.begin() + (r + i), 0);
    }
    L->Clear();
    for (int x : v) L->Add(x);
  };
  if (modified) spread(FModifiedRows.get(), modifiedFlags);
  if (enabled) spread(FEnabledRows.get(), enabledFlags);
  if (!controlRows.empty()) {
    for (size_t c = 0; c < controlRows.size(); ++c) {
      int y = controlRows[c];
      for (int i = 0; i < k; ++i)
        if (y >= RealRowIndex(Points[static_cast<size_t>(i)] + i)) ++y;
      FControlList->GetControl(static_cast<int>(c))->Y = y;
    }
    RepositionCellControls();
  }
  if (!FDestroying) CellsChanged(Rect(0, Points.front(), ColCount() - 1, End + k));
}

// =============================================================================================
// Group and UnGroup

void TAdvStringGrid::SetGroupColumn(int Value) {
  if (Value == -1) {
    UnGroup();
  } else if (Value > 0) {
    Group(Value);
  }
}

void TAdvStringGrid::Group(int Colindex) {
  // Column 0 holds the nodes: grouping by it could never be undone.
  if (Colindex < FixedCols() || Colindex <= 0) return;
  if (FGroupColumn > 0) UnGroup();
  if (RowCount() - FFixedFooters - FixedRows() <= 0) return;
  BeginUpdate();
  FIsGrouping = true;
  TGroupFinally done([this] {
    FIsGrouping = false;
    EndUpdate();
    if (FSearchFooter->Visible() && FSearchPanel) {
      FSearchPanel->SetWidth(FSearchPanel->Width() + 1);
      FSearchPanel->SetWidth(FSearchPanel->Width() - 1);
    }
  });
  FGroupColumn = Colindex;
  FGroupWidth = GetAllColWidths(Colindex);
  FGroupCaption = FixedRows() > 0 ? GetGridCell(Colindex, 0) : String();
  FGroupFooter = FFixedFooters > 0 ? GetGridCell(Colindex, RowCount() - 1) : String();
  if (FSortSettings->AutoSortForGrouping()) {
    FSortSettings->SetColumn(Colindex);
    QSort();
  }
  TGrouping* gr = FGrouping.get();
  const bool summary = gr->Summary();
  const int textCol = Colindex == 1 ? 2 : 1;
  // The runs of equal texts, then every header and summary row made in one pass.
  const int from = FixedRows(), end = RowCount() - FFixedFooters;
  std::vector<int> starts;
  std::vector<String> texts;
  String last = kGroupMarker;
  for (int r = from; r < end; ++r) {
    String t = GetGridCell(Colindex, r);
    if (t == last) continue;
    starts.push_back(r);
    last = t;
    texts.push_back(std::move(t));
  }
  const int groups = static_cast<int>(starts.size());
  std::vector<int> points;  // a header before each run, a summary after each
  for (int g = 0; g < groups; ++g) {
    if (summary && g > 0) points.push_back(starts[static_cast<size_t>(g)]);
    points.push_back(starts[static_cast<size_t>(g)]);
  }
  if (summary && groups > 0) points.push_back(end);
  GroupSpreadRows(end, points);
  const int extra = summary ? 2 : 1;
  for (int g = 0; g < groups; ++g) {
    const int run = (g + 1 < groups ? starts[static_cast<size_t>(g) + 1] : end) - starts[static_cast<size_t>(g)];
    const int header = starts[static_cast<size_t>(g)] + g * extra;
    SetGridCell(textCol, header, texts[static_cast<size_t>(g)]);
    if (!gr->MergeHeader()) GroupRowColors(header, gr->HeaderColor(), gr->HeaderColorTo(), gr->HeaderTextColor());
    if (summary) {
      const int sum = header + run + 1;
      AddSummaryRow(RealRowIndex(sum));
      if (!gr->MergeSummary()) GroupRowColors(sum, gr->SummaryColor(), gr->SummaryColorTo(), gr->SummaryTextColor());
    }
    AddNode(RealRowIndex(header), run + 1);
  }
  RemoveCols(Colindex, 1);
  if (gr->MergeHeader() || (gr->MergeSummary() && summary)) {
    for (int row = FixedRows(); row < RowCount(); ++row) {
      if (IsNode(row) && gr->MergeHeader()) {
        GroupMergeRow(row, gr->HeaderColor(), gr->HeaderColorTo(), gr->HeaderTextColor());
      } else if (IsSummary(row) && gr->MergeSummary() && summary) {
        GroupMergeRow(row, gr->SummaryColor(), gr->SummaryColorTo(), gr->SummaryTextColor());
      }
    }
  }
  if (FCellNode->ExpandOne()) {
    for (int row = FixedRows(); row < RowCount(); ++row) {
      if (IsNode(row)) {
        ExpandNode(RealRowIndex(row));
        break;
      }
    }
  }
  if (Col() >= ColCount() || Row() >= RowCount()) FocusCell(FixedCols(), FixedRows(), true);
  if (FixedRows() < RowCount()) SetRowEx(FixedRows());
}

void TAdvStringGrid::UnGroup() {
  // The second level first: its headers are nodes too, and the group fields are its own.
  if (FSubGroupColumn > 0) SubUnGroup(FSubGroupColumn);
  if (FGroupColumn <= 0) return;
  const bool expandOne = FCellNode->ExpandOne();
  FCellNode->SetExpandOne(false);
  TGroupFinally done([this, expandOne] {
    FIsGrouping = false;
    FCellNode->SetExpandOne(expandOne);
    Invalidate();
  });
  ExpandAll();
  const int col = FGroupColumn;
  InsertCols(col, 1);
  SetAllColWidths(col, FGroupWidth);
  if (FixedRows() > 0) SetGridCell(col, 0, FGroupCaption);
  if (FFixedFooters > 0) SetGridCell(col, RowCount() - 1, FGroupFooter);
  TGrouping* gr = FGrouping.get();
  const int textCol = col == 1 ? 2 : 1;
  FIsGrouping = true;
  String text;
  int r = FixedRows();
  while (r < RowCount() - FFixedFooters) {
    if (!IsNode(r)) {
      if (!IsSummary(r)) SetGridCell(col, r, text);
      ++r;
      continue;
    }
    const int span = NodeSpan(r);
    if (gr->Summary() && IsSummary(r + span)) {
      GroupUnLookRow(r + span, gr->MergeSummary());
      GroupRemoveRow(r + span);
    }
    text = GetGridCell(textCol, r);
    RemoveNode(RealRowIndex(r));
    FreeCellProperties(0, r);
    GroupUnLookRow(r, gr->MergeHeader());
    GroupRemoveRow(r);
  }
  FGroupColumn = -1;
}

// =============================================================================================
// The second level

void TAdvStringGrid::SubGroup(int Colindex) {
  if (Colindex < FixedCols() || Colindex <= 0) return;
  BeginUpdate();
  TGroupFinally done([this] { EndUpdate(); });
  // The first level's column, width and texts are what UnGroup needs to give the rows back:
  // kept while the second level holds the group fields.
  if (FSubGroupColumn < 0) {
    FOuterGroupColumn = FGroupColumn;
    FOuterGroupWidth = FGroupWidth;
    FOuterGroupCaption = FGroupCaption;
    FOuterGroupFooter = FGroupFooter;
  }
  FSubGroupColumn = Colindex;
  FGroupColumn = Colindex;
  FGroupWidth = GetAllColWidths(Colindex);
  FGroupCaption = FixedRows() > 0 ? GetGridCell(Colindex, 0) : String();
  FGroupFooter = FFixedFooters > 0 ? GetGridCell(Colindex, RowCount() - 1) : String();
  TGrouping* gr = FGrouping.get();
  auto close = [&](int& Header, int End) {
    if (Header == -1) return;
    AddNode(RealRowIndex(Header), End - Header);
    if (TCellGraphic* node = NodeObject(Header)) node->SetCellVar(Colindex);
    Header = -1;
  };
  String last = kGroupMarker;
  int header = -1;
  int r = FixedRows() + 1;
  while (r <= RowCount() - FFixedFooters - 1) {
    if (IsNode(r) || IsSummary(r)) {
      close(header, r);
      last = kGroupMarker;
      ++r;
      continue;
    }
    const String t = GetGridCell(Colindex, r);
    if (t != last) {
      close(header, r);
      InsertChildRow(RealRowIndex(r), 0);
      SetGridCell(Colindex + 1, r, t);
      if (gr->MergeHeader()) {
        GroupMergeRow(r, gr->HeaderColor(), gr->HeaderColorTo(), gr->HeaderTextColor());
      } else {
        GroupRowColors(r, gr->HeaderColor(), gr->HeaderColorTo(), gr->HeaderTextColor());
      }
      header = r;
      last = t;
      ++r;
    }
    SetGridCell(Colindex, r, String());
    ++r;
  }
  close(header, r);
  if (gr->Summary()) {
    InsertRows(r, 1);
    AddSummaryRow(RealRowIndex(r));
    if (gr->MergeSummary()) {
      GroupMergeRow(r, gr->SummaryColor(), gr->SummaryColorTo(), gr->SummaryTextColor());
    } else {
      GroupRowColors(r, gr->SummaryColor(), gr->SummaryColorTo(), gr->SummaryTextColor());
    }
  }
  if (FixedRows() < RowCount()) SetRowEx(FixedRows());
}

void TAdvStringGrid::SubUnGroup(int Colindex) {
  ExpandAll();
  TGrouping* gr = FGrouping.get();
  String text;
  int r = FixedRows();
  while (r < RowCount() - FFixedFooters) {
    TCellGraphic* node = NodeObject(r);
    if (node && node->CellVar() == Colindex) {
      text = GetGridCell(Colindex + 1, r);
      SetGridCell(Colindex + 1, r, String());
      RemoveNode(RealRowIndex(r));
      GroupUnLookRow(r, gr->MergeHeader());
      RemoveChildRow(RealRowIndex(r));
      continue;
    }
    // Rows of the outer level (headers, summaries) hold no sub-group text.
    if (node || IsSummary(r)) {
      text.clear();
    } else {
      SetGridCell(Colindex, r, text);
    }
    ++r;
  }
  if (FSubGroupColumn == Colindex) {
    FSubGroupColumn = -1;
    FGroupColumn = FOuterGroupColumn;
    FGroupWidth = FOuterGroupWidth;
    FGroupCaption = FOuterGroupCaption;
    FGroupFooter = FOuterGroupFooter;
  }
}

// =============================================================================================
// Calculations

void TAdvStringGrid::GroupCalc(int ACol, int Method) {
  const bool summary = FGrouping->Summary();
  int r = FixedRows();
  while (r < RowCount()) {
    if (!IsNode(r) || GetNodeState(r)) {
      ++r;
      continue;
    }
    const int span = NodeSpan(r);
    const int target = summary ? r + span : r;
    const int from = r + 1, to = r + span - 1;
    switch (Method) {
      case 1: SetFloats(ACol, target, ColumnSum(ACol, from, to)); break;
      case 2: SetFloats(ACol, target, ColumnAvg(ACol, from, to)); break;
      case 3: SetFloats(ACol, target, ColumnMin(ACol, from, to)); break;
      case 4: SetFloats(ACol, target, ColumnMax(ACol, from, to)); break;
      case 5: SetInts(ACol, target, span - 1); break;
      case 6: SetFloats(ACol, target, GroupRangeCustomCalc(ACol, from, to)); break;
      case 7: SetFloats(ACol, target, ColumnDistinct(ACol, from, to)); break;
      case 8: SetFloats(ACol, target, ColumnStdDev(ACol, from, to)); break;
      default: break;
    }
    r += std::max(span, 1);
  }
}

namespace {

void GroupFooterCalc(TAdvStringGrid* G, int ACol, TColumnCalcType Kind) {
  if (G->FloatingFooter()->Visible()) G->FloatingFooter()->SetColumnCalc(ACol, Kind);
}

}  // namespace

void TAdvStringGrid::GroupSum(int ACol) {
  GroupCalc(ACol, 1);
  GroupFooterCalc(this, ACol, acSUM);
}

void TAdvStringGrid::GroupAvg(int ACol) {
  GroupCalc(ACol, 2);
  GroupFooterCalc(this, ACol, acAVG);
}

void TAdvStringGrid::GroupMin(int ACol) {
  GroupCalc(ACol, 3);
  GroupFooterCalc(this, ACol, acMIN);
}

void TAdvStringGrid::GroupMax(int ACol) {
  GroupCalc(ACol, 4);
  GroupFooterCalc(this, ACol, acMAX);
}

void TAdvStringGrid::GroupCount(int ACol) {
  GroupCalc(ACol, 5);
  GroupFooterCalc(this, ACol, acCOUNT);
}

void TAdvStringGrid::GroupCustomCalc(int ACol) { GroupCalc(ACol, 6); }

void TAdvStringGrid::GroupDistinct(int ACol) { GroupCalc(ACol, 7); }

void TAdvStringGrid::GroupStdDev(int ACol) { GroupCalc(ACol, 8); }
