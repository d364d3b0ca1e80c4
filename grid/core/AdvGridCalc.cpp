// Numbers computed over cells (sums, averages, extremes, spread, distinct texts, custom values by
// column and row), numbering a column or row, sizing the control to its cells, spreading the
// columns over its width, and swapping columns, rows and cells.
#include <algorithm>
#include <cmath>
#include <vector>

#include "grid/core/AdvGrid.h"

namespace {

// Reports the rows of a calculation to the export hooks, the end also when a read raises.
class TCalcNotification {
 public:
  TCalcNotification(TAdvStringGrid* G, int FromRow, void (TAdvStringGrid::*Notify)(TGridExportState, int))
      : FG(G), FNotify(Notify) {
    (FG->*FNotify)(esExportStart, FromRow);
  }
  ~TCalcNotification() { (FG->*FNotify)(esExportDone, -1); }
  TCalcNotification(const TCalcNotification&) = delete;
  TCalcNotification& operator=(const TCalcNotification&) = delete;

 private:
  TAdvStringGrid* FG;
  void (TAdvStringGrid::*FNotify)(TGridExportState, int);
};

}  // namespace

// =============================================================================================
// Column calculations

void TAdvStringGrid::DefaultCalcRange(int& FromRow, int& ToRow) const {
  if (FromRow == -1 || ToRow == -1) {
    FromRow = FixedRows();
    ToRow = RowCount() - FFixedFooters - 1;
  }
}

bool TAdvStringGrid::CalcReachesHiddenRows(int ToRow) const {
  const bool footer = FFloatingFooter && FFloatingFooter->Visible();
  return footer ? ToRow > RowCount() - 2 : ToRow > RowCount() - 1;
}

bool TAdvStringGrid::CalcValue(int ACol, int R, bool RealRows, double& Value) {
  const int d = RealRows ? DisplRowIndex(R) : R;
  // A hidden row has no merged range in the store: it counts as its own base cell.
  const bool hidden = RealRows && IsHiddenRow(R);
  // Node and summary rows of a grouped grid hold no values of their own.
  if (FGroupColumn != -1 && !hidden && d >= 0 && (IsNode(d) || IsSummary(d))) return false;
  if (!hidden && d >= 0 && !IsBaseCell(ACol, d)) return false;
  ExportNotification(esExportNextRow, R);
  try {
    Value = RealRows ? GetAllFloats(ACol, R) : GetFloats(ACol, R);
  } catch (const EAdvGridError&) {
    return false;  // not a number: skipped
  }
  return true;
}

double TAdvStringGrid::ColumnSum(int ACol, int FromRow, int ToRow) {
  DefaultCalcRange(FromRow, ToRow);
  const bool real = CalcReachesHiddenRows(ToRow);
  TCalcNotification note(this, FromRow, &TAdvStringGrid::ExportNotification);
  double sum = 0;
  for (int r = FromRow; r <= ToRow; ++r) {
    double v = 0;
    if (CalcValue(ACol, r, real, v)) sum += v;
  }
  return sum;
}

double TAdvStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow) {
  DefaultCalcRange(FromRow, ToRow);
  if (ToRow < FromRow) return 0;
  return ColumnSum(ACol, FromRow, ToRow) / (ToRow - FromRow + 1);
}

double TAdvStringGrid::ColumnMinMax(int ACol, int FromRow, int ToRow, bool Max) {
  DefaultCalcRange(FromRow, ToRow);
  const bool real = CalcReachesHiddenRows(ToRow);
  // The first row seeds the result: a text there that is no number raises.
  double res = real ? GetAllFloats(ACol, FromRow) : GetFloats(ACol, FromRow);
  TCalcNotification note(this, FromRow, &TAdvStringGrid::ExportNotification);
  for (int r = FromRow; r <= ToRow; ++r) {
    double v = 0;
    if (!CalcValue(ACol, r, real, v)) continue;
    if (Max ? v > res : v < res) res = v;
  }
  return res;
}

double TAdvStringGrid::ColumnMin(int ACol, int FromRow, int ToRow) { return ColumnMinMax(ACol, FromRow, ToRow, false); }

double TAdvStringGrid::ColumnMax(int ACol, int FromRow, int ToRow) { return ColumnMinMax(ACol, FromRow, ToRow, true); }

double TAdvStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow) {
  DefaultCalcRange(FromRow, ToRow);
  // An empty range has no spread (and no count to divide by).
  if (ToRow < FromRow) return 0;
  const bool real = CalcReachesHiddenRows(ToRow);
  const double avg = ColumnAvg(ACol, FromRow, ToRow);
  double sq = 0;
  for (int r = FromRow; r <= ToRow; ++r) {
    const double v = (real ? GetAllFloats(ACol, r) : GetFloats(ACol, r)) - avg;
    sq += v * v;
  }
  return std::sqrt(sq / (ToRow - FromRow + 1));
}

double TAdvStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow) {
  DefaultCalcRange(FromRow, ToRow);
  const bool real = CalcReachesHiddenRows(ToRow);
  TCalcNotification note(this, FromRow, &TAdvStringGrid::ExportNotification);
  std::vector<String> seen;
  for (int r = FromRow; r <= ToRow; ++r) {
    ExportNotification(esExportNextRow, r);
    seen.push_back(AnsiUpperCase(real ? GetCellsEx(ACol, r) : GetCellEx(ACol, r)));
  }
  std::sort(seen.begin(), seen.end());
  return static_cast<double>(std::unique(seen.begin(), seen.end()) - seen.begin());
}

double TAdvStringGrid::ColumnCustomCalc(int ACol, int FromRow, int ToRow) {
  double res = 0;
  if (OnColumnCalc) OnColumnCalc(this, ACol, FromRow, ToRow, res);
  return res;
}

double TAdvStringGrid::GroupRangeCustomCalc(int ACol, int FromRow, int ToRow) {
  double res = 0;
  if (OnGroupCalc) OnGroupCalc(this, ACol, FromRow, ToRow, res);
  return res;
}

// =============================================================================================
// Row calculations

double TAdvStringGrid::RowSum(int ARow, int FromCol, int ToCol) {
  double sum = 0;
  for (int c = FromCol; c <= ToCol; ++c) {
    if (!IsBaseCell(c, ARow)) continue;
    try {
      sum += GetFloats(c, ARow);
    } catch (const EAdvGridError&) {
    }
  }
  return sum;
}

double TAdvStringGrid::RowAvg(int ARow, int FromCol, int ToCol) {
  if (ToCol < FromCol) return 0;
  return RowSum(ARow, FromCol, ToCol) / (ToCol - FromCol + 1);
}

double TAdvStringGrid::RowMinMax(int ARow, int FromCol, int ToCol, bool Max) {
  double res = GetFloats(FromCol, ARow);
  for (int c = FromCol; c <= ToCol; ++c) {
    if (!IsBaseCell(c, ARow)) continue;
    double v = 0;
    try {
      v = GetFloats(c, ARow);
    } catch (const EAdvGridError&) {
      continue;
    }
    if (Max ? v > res : v < res) res = v;
  }
  return res;
}

double TAdvStringGrid::RowMin(int ARow, int FromCol, int ToCol) { return RowMinMax(ARow, FromCol, ToCol, false); }

double TAdvStringGrid::RowMax(int ARow, int FromCol, int ToCol) { return RowMinMax(ARow, FromCol, ToCol, true); }

// =============================================================================================
// Numbering

void TAdvStringGrid::AutoNumberCol(int ACol) {
  if (RowCount() <= 0) return;
  const int first = FixedRows() + AutoNumberStart;
  const int last = RowCount() - FFixedFooters - 1;
  for (int k = 0; k <= last - first; ++k) {
    const int row = AutoNumberDirection == sdAscending ? first + k : last - AutoNumberStart - k;
    SetInts(ACol, row, AutoNumberStart + k + 1 + AutoNumberOffset);
  }
}

void TAdvStringGrid::AutoNumberRow(int ARow) {
  if (ColCount() <= 0) return;
  const int first = FixedCols() + AutoNumberStart;
  const int last = ColCount() - FFixedRightCols - 1;
  for (int k = 0; k <= last - first; ++k) {
    const int col = AutoNumberDirection == sdAscending ? first + k : last - AutoNumberStart - k;
    SetInts(col, ARow, AutoNumberStart + k + 1 + AutoNumberOffset);
  }
}

// =============================================================================================
// Sizing the control to its cells and the columns to the control

void TAdvStringGrid::SizeToCols() {
  int w = 0;
  for (int c = 0; c < ColCount(); ++c) w += ColWidths(c);
  SetClientWidth(w);
}

void TAdvStringGrid::SizeToRows() {
  int h = 0;
  for (int r = 0; r < RowCount(); ++r) h += RowHeights(r);
  SetClientHeight(h);
}

void TAdvStringGrid::SizeToCells() {
  const TScrollStyle was = ScrollBars();
  SetScrollBars(ssNone);
  SizeToCols();
  SizeToRows();
  SetScrollBars(was);
}

void TAdvStringGrid::AutoFitColumns(bool DoFixedCells) {
  const bool vbar = FScrollBarAlways == saVert ||
                    (ScrollBars() != ssNone && VisibleRowCount() + FixedRows() < RowCount());
  const int s = vbar ? kScrollBarSize : 0;
  int b = 0;
  if (BorderStyle() == bsSingle) b = Ctl3D() ? 4 : 2;
  int from = 0, to = ColCount() - 1, w = Width();
  if (!DoFixedCells) {
    from = FixedCols();
    to = ColCount() - FFixedRightCols - 1;
    for (int c = 0; c < ColCount(); ++c)
      if (c < from || c > to) w -= ColWidths(c);
  }
  int l = Options().Contains(goVertLine) ? GridLineWidth() * (ColCount() - FixedCols() - FFixedRightCols) : 0;
  if (Options().Contains(goFixedVertLine) && DoFixedCells) l += FixedCols() + FFixedRightCols;
  const int n = to - from + 1;
  if (n <= 0) return;
  if (ColCount() < 2) {
    SetColWidths(0, Width() - s - 5);
  } else {
    int sum = 0;
    for (int c = from; c <= to; ++c) sum += ColWidths(c);
    // Nothing to spread in proportion to (and nothing to divide by).
    if (sum <= 0 || sum == w - s - b) return;
    const double f = static_cast<double>(w - s - b - l) / sum;
    int t = 0;
    for (int c = from; c <= to; ++c) t += static_cast<int>(std::nearbyint(ColWidths(c) * f));
    std::vector<int> widths;
    for (int c = from; c <= to; ++c) widths.push_back(ColWidths(c));
    for (int c = from; c <= to; ++c)
      SetColWidths(c, static_cast<int>(std::nearbyint(static_cast<double>(widths[static_cast<size_t>(c - from)]) * t / sum)));
  }
  int now = 0;
  for (int c = from; c <= to; ++c) now += ColWidths(c);
  int r = w - (s + b + now);
  if (n >= 2 && n < r) {
    for (int c = from; c <= to; ++c) SetColWidths(c, ColWidths(c) + r / n);
    r %= n;
  }
  int widest = from;
  for (int c = from; c <= to; ++c)
    if (ColWidths(c) > ColWidths(widest)) widest = c;
  if (r != 0) SetColWidths(widest, ColWidths(widest) + r);
}

// =============================================================================================
// Swaps

void TAdvStringGrid::SwapColumns(int ACol1, int ACol2) {
  if (ACol1 == ACol2 || ACol1 < 0 || ACol2 < 0) return;
  // The cells of both columns trade places in the store; the objects go with them, none freed.
  const int rows = std::max(RowCount(), 0);
  for (int r = 0; r < rows; ++r) {
    const String t1 = GetGridCell(ACol1, r), t2 = GetGridCell(ACol2, r);
    TObject* o1 = GetGridObject(ACol1, r);
    TObject* o2 = GetGridObject(ACol2, r);
    SetGridCell(ACol1, r, t2);
    SetGridObject(ACol1, r, o2);
    SetGridCell(ACol2, r, t1);
    SetGridObject(ACol2, r, o1);
    if (TCellProperties* p = AsCellProperties(o1)) p->SetOwnerCol(ACol2);
    if (TCellProperties* p = AsCellProperties(o2)) p->SetOwnerCol(ACol1);
  }
  const int w1 = ColWidths(ACol1);
  SetColWidths(ACol1, ColWidths(ACol2));
  SetColWidths(ACol2, w1);
  if (FSortSettings->Column() == ACol1) {
    FSortSettings->SetColumn(ACol2);
  } else if (FSortSettings->Column() == ACol2) {
    FSortSettings->SetColumn(ACol1);
  }
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem* it = FControlList->GetControl(i);
    if (it->X == ACol1) {
      it->X = ACol2;
    } else if (it->X == ACol2) {
      it->X = ACol1;
    }
  }
  if (FControlList->Count() > 0) RepositionCellControls();
}

void TAdvStringGrid::SwapRows(int ARow1, int ARow2) {
  if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0) return;
  SwapRowCells(ARow1, ARow2, TotalColCount());
  SetPropsOwnerRows(ARow1, ARow1);
  SetPropsOwnerRows(ARow2, ARow2);
  if (ARow1 < RowCount() && ARow2 < RowCount()) {
    const int h1 = RowHeights(ARow1);
    SetRowHeights(ARow1, RowHeights(ARow2));
    SetRowHeights(ARow2, h1);
  }
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem* it = FControlList->GetControl(i);
    if (it->Y == ARow1) {
      it->Y = ARow2;
    } else if (it->Y == ARow2) {
      it->Y = ARow1;
    }
  }
  if (FControlList->Count() > 0) RepositionCellControls();
}

void TAdvStringGrid::SwapCells(TPoint FromCell, TPoint ToCell) {
  const String t = GetGridCell(FromCell.X, FromCell.Y);
  TObject* o = GetGridObject(FromCell.X, FromCell.Y);
  SetGridCell(FromCell.X, FromCell.Y, GetGridCell(ToCell.X, ToCell.Y));
  SetGridObject(FromCell.X, FromCell.Y, GetGridObject(ToCell.X, ToCell.Y));
  SetGridCell(ToCell.X, ToCell.Y, t);
  SetGridObject(ToCell.X, ToCell.Y, o);
}

void TAdvStringGrid::SortSwapRows(int ARow1, int ARow2) {
  ++Swaps;
  if (ARow1 == ARow2) return;
  TIntList* x = FSortRowXRef.get();
  if (ARow1 >= 0 && ARow2 >= 0 && ARow1 < x->Count() && ARow2 < x->Count()) {
    const int v = x->Items(ARow1);
    x->SetInteger(ARow1, x->Items(ARow2));
    x->SetInteger(ARow2, v);
  }
  if (FSortSettings->SingleColumn()) {
    const int c = FSortSettings->Column();
    if (c < 0) return;
    SwapCells(TPoint{c, ARow1}, TPoint{c, ARow2});
    return;
  }
  // The rows' entries trade places in the store: no text is copied.
  SwapRowCells(ARow1, ARow2, TotalColCount());
  SetPropsOwnerRows(ARow1, ARow1);
  SetPropsOwnerRows(ARow2, ARow2);
  if (ARow1 < RowCount() && ARow2 < RowCount() && RowHeights(ARow1) != RowHeights(ARow2)) {
    const int h1 = RowHeights(ARow1);
    SetRowHeights(ARow1, RowHeights(ARow2));
    SetRowHeights(ARow2, h1);
  }
  if (FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort()) {
    const int s1 = NumHiddenRows() > 0 ? RealRowIndex(ARow1) : ARow1;
    const int s2 = NumHiddenRows() > 0 ? RealRowIndex(ARow2) : ARow2;
    // A flag beyond the list is off: the list grows to hold both.
    if (s1 >= 0 && s2 >= 0) {
      if (std::max(s1, s2) >= FRowSelect->Count()) FRowSelect->SetCount(std::max(s1, s2) + 1);
      void* p = FRowSelect->Items(s1);
      FRowSelect->SetItems(s1, FRowSelect->Items(s2));
      FRowSelect->SetItems(s2, p);
    }
  }
  if (FShowModified->Enabled() && ARow1 >= 0 && ARow2 >= 0) {
    const bool m1 = GetRowModified(ARow1), m2 = GetRowModified(ARow2);
    if (m1 != m2) {
      SetRowModified(ARow1, m2);
      SetRowModified(ARow2, m1);
    }
  }
  if (SortRow == ARow1) {
    SortRow = ARow2;
  } else if (SortRow == ARow2) {
    SortRow = ARow1;
  }
}
