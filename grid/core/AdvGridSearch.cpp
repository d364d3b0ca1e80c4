// Finding cells by text, replacing text in the cells found, and the incremental row lookup.
#include "grid/core/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"
#include "grid/foundation/ZazAdezFilter.h"

namespace {

// The rectangle a search walks and the cell it starts at.
struct TSearchArea {
  int C1 = 0, C2 = -1, R1 = 0, R2 = -1;
  bool HoldsCol(int c) const { return c >= C1 && c <= C2; }
  bool HoldsRow(int r) const { return r >= R1 && r <= R2; }
};

// One step from Start along the scan order. Major is the index the outer loop walks (rows when
// rows go first), Minor the inner one; Lo/Hi are their area bounds.
void SearchStepFrom(int& Minor, int& Major, int MinorLo, int MinorHi, int MajorLo, int MajorHi, bool Backward) {
  if (!Backward) {
    if (Minor <= MinorHi) {
      ++Minor;  // past the edge: nothing more in this line, the scan goes on with the next
    } else if (Major <= MajorHi) {
      ++Major;
      Minor = MinorLo;
    } else {
      Minor = MinorLo;
      Major = MajorLo;
    }
  } else {
    if (Minor >= MinorLo) {
      --Minor;
    } else if (Major >= MajorLo) {
      --Major;
      Minor = MinorHi;
    } else {
      Minor = MinorHi;
      Major = MajorHi;
    }
  }
}

// Position of Upper (upper-cased) in Hay read upper-cased.
size_t SearchFindUpper(const String& Hay, const String& Upper) {
  if (Upper.empty()) return 0;
  if (Hay.size() < Upper.size()) return String::npos;
  for (size_t i = 0; i + Upper.size() <= Hay.size(); ++i) {
    size_t k = 0;
    while (k < Upper.size() && AnsiUpperCaseChar(Hay[i + k]) == Upper[k]) ++k;
    if (k == Upper.size()) return i;
  }
  return String::npos;
}

}  // namespace

bool TAdvStringGrid::FindCellMatches(int DCol, int RowIndex, const String& Text, bool Wide) {
  const TFindParams& p = FFindParams;
  const int col = p.Contains(fnIncludeHiddenColumns) ? DCol : RealColIndex(DCol);
  String cell = p.Contains(fnIncludeHiddenRows) ? GetCellsEx(col, RowIndex) : GetCellEx(col, RowIndex);
  if (Wide) cell = GetWideCellsEx(col, p.Contains(fnIncludeHiddenRows) ? RowIndex : RealRowIndex(RowIndex));
  if (!Wide && p.Contains(fnIgnoreHTMLTags)) cell = StripHTMLTags(cell);
  const bool matchCase = p.Contains(fnMatchCase);
  if (p.Contains(fnMatchRegular))
    return MatchFilterExpression(Text, matchCase ? cell : AnsiUpperCase(cell), matchCase);
  if (Text == u"\"\"") return cell.empty();
  // The search text is upper-cased already; the cell is folded as it is read.
  const size_t at = matchCase ? cell.find(Text) : SearchFindUpper(cell, Text);
  const bool hit = p.Contains(fnMatchStart) ? at == 0 : at != String::npos;
  return hit && (!p.Contains(fnMatchFull) || cell.size() == Text.size());
}

TPoint TAdvStringGrid::FindCore(TPoint StartCell, const String& S, TFindParams FindParams, bool Wide) {
  TPoint result(-1, -1);
  FFindParams = FindParams;
  FFindBusy = true;
  const String text = FindParams.Contains(fnMatchCase) ? S : AnsiUpperCase(S);
  SearchCache = text;
  SearchCacheWide = text;
  if (ColCount() == FixedCols() || ColCount() == 0 || TotalRowCount() == FixedRows() || RowCount() == 0) {
    FFindBusy = false;
    return result;
  }
  TSearchArea a;
  if (FindParams.Contains(fnIncludeFixed)) {
    a = {0, ColCount() - 1, 0, RowCount() - 1};
  } else {
    a = {FixedCols(), ColCount() - FFixedRightCols - 1, FixedRows(), RowCount() - FFixedFooters - 1};
  }
  if (FindParams.Contains(fnSelectedCells)) {
    const TGridRect s = Selection();
    a = {std::min(s.Left, s.Right), std::max(s.Left, s.Right), std::min(s.Top, s.Bottom), std::max(s.Top, s.Bottom)};
  }
  if (FindParams.Contains(fnIncludeHiddenColumns)) a.C2 += NumHiddenColumns();
  if (FindParams.Contains(fnIncludeHiddenRows)) a.R2 += NumHiddenRows();
  if (FindParams.Contains(fnFindInCurrentRow)) a.R1 = a.R2 = Row();
  if (FindParams.Contains(fnFindInPresetRow)) a.R1 = a.R2 = FFindRow;
  if (FindParams.Contains(fnFindInCurrentCol)) a.C1 = a.C2 = Col();
  if (FindParams.Contains(fnFindInPresetCol)) a.C1 = a.C2 = FFindCol;

  const bool back = FindParams.Contains(fnBackward);
  const bool rowsFirst = FindParams.Contains(fnDirectionLeftRight);
  int sc = StartCell.X, sr = StartCell.Y;
  if (sc == -1 && sr == -1) {
    sc = back ? a.C2 : a.C1;
    sr = back ? a.R2 : a.R1;
  } else if (rowsFirst) {
    SearchStepFrom(sc, sr, a.C1, a.C2, a.R1, a.R2, back);
  } else {
    SearchStepFrom(sr, sc, a.R1, a.R2, a.C1, a.C2, back);
  }
  const int step = back ? -1 : 1;
  ExportNotification(esExportStart, sr);
  auto test = [&](int c, int r) {
    ExportNotification(esExportNewRow, r);
    return FindCellMatches(c, r, text, Wide);
  };
  if (rowsFirst) {
    for (int r = sr; a.HoldsRow(r) && result.X < 0; r += step) {
      for (int c = r == sr ? sc : (back ? a.C2 : a.C1); a.HoldsCol(c); c += step) {
        if (IsIgnoredColumn(FindParams.Contains(fnIncludeHiddenColumns) ? c : RealColIndex(c))) continue;
        if (test(c, r)) {
          result = TPoint(c, r);
          break;
        }
      }
    }
  } else {
    for (int c = sc; a.HoldsCol(c) && result.X < 0; c += step) {
      for (int r = c == sc ? sr : (back ? a.R2 : a.R1); a.HoldsRow(r); r += step) {
        if (test(c, r)) {
          result = TPoint(c, r);
          break;
        }
      }
    }
  }
  if (result.X >= 0) {
    FSearchCell = result;
    if (FindParams.Contains(fnAutoGoto)) {
      int row = result.Y;
      if (FindParams.Contains(fnIncludeHiddenRows)) {
        // A hidden row: show it by expanding the node whose span holds it.
        if (FNumNodes > 0 && IsHiddenRow(row)) {
          for (int d = FixedRows(); d < RowCount(); ++d) {
            if (!IsNode(d)) continue;
            const int real = RealRowIndex(d), span = GetNodeSpan(d);
            if (row > real && row < real + span) {
              ExpandNode(real);
              break;
            }
          }
        }
        row = DisplRowIndex(row);
      }
      if (row >= 0 && row < RowCount()) {
        if (FMouseActions->DisjunctRowSelect()) {
          ClearRowSelect();
          SetRowSelect(row, true);
          SetRowEx(row);
        } else {
          FocusCell(result.X, row);
        }
      }
    }
  }
  FFindBusy = false;
  return result;
}

TPoint TAdvStringGrid::Find(TPoint StartCell, const String& S, TFindParams FindParams) {
  const TPoint result = FindCore(StartCell, S, FindParams, false);
  ExportNotification(result.X < 0 ? esExportDone : esExportFail, -1);
  if (result.X >= 0 && FindParams.Contains(fnAutoGoto)) {
    const int a = FFloatingFooter->Visible() ? 2 : 0;
    if (Row() > TopRow() + VisibleRowCount() - a - 2 && RowCount() > VisibleRowCount() + FixedRows() + a)
      SetTopRow(TopRow() + a + 1);
  }
  return result;
}

TPoint TAdvStringGrid::FindWide(TPoint StartCell, const String& S, TFindParams FindParams) {
  const TPoint result = FindCore(StartCell, S, FindParams, true);
  ExportNotification(result.X < 0 ? esExportDone : esExportFail, -1);
  return result;
}

TPoint TAdvStringGrid::FindFirst(const String& S, TFindParams FindParams) {
  FSearchCell = Find(TPoint(-1, -1), S, FindParams);
  return FSearchCell;
}

TPoint TAdvStringGrid::FindNext() {
  FSearchCell = Find(FSearchCell, SearchCache, FFindParams);
  return FSearchCell;
}

int TAdvStringGrid::Replace(const String& OrigStr, const String& NewStr, TFindParams FindParams) {
  int changed = 0;
  TPoint at = Find(TPoint(-1, -1), OrigStr, FindParams);
  while (at.X >= 0) {
    const int col = FindParams.Contains(fnIncludeHiddenColumns) ? at.X : RealColIndex(at.X);
    if (FindParams.Contains(fnIncludeHiddenRows)) {
      SetCellsEx(col, at.Y, StringReplace(GetCellsEx(col, at.Y), OrigStr, NewStr, true, true));
    } else {
      SetCellEx(col, at.Y, StringReplace(GetCellEx(col, at.Y), OrigStr, NewStr, true, true));
      if (FShowModified->Enabled()) SetRowModified(at.Y, true);
    }
    ++changed;
    at = Find(at, OrigStr, FindParams);
  }
  return changed;
}

int TAdvStringGrid::Search(const String& S) {
  if (RowCount() < 2) return -1;
  int col = FixedCols();
  if (FSortSettings->Show()) {
    if (FSortSettings->IndexShow())
      col = FSortIndexes->Count() > 0 ? FSortIndexes->GetSortColumns(0) : FixedCols();
    else
      col = FSortSettings->Column();
  }
  if (col < 0) return -1;
  for (int r = FixedRows(); r < RowCount(); ++r) {
    const String cell = StripHTMLTags(GetCellEx(col, r));
    if (AnsiUpperCase(cell.substr(0, S.size())) == S) return r;
  }
  return -1;
}
