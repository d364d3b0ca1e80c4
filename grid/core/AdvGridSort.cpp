// Sorting rows in place: the two quicksort engines, the sort by one column, by an index of
// columns and inside node groups, the way back to the unsorted order, and the sort settings.
// Rows move only through SortSwapRows (entries of the row store trade places).
#include <algorithm>
#include <utility>
#include <vector>

#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridSortKeys.h"

namespace {

const char16_t kSortNoIndexes[] = u"No indexes specified for indexed sort";
const char16_t kSortBadSpecifier[] = u"Invalid sort settings specifier";
const char16_t kSortBadRow[] = u"Sort row should be smaller than number of fixed rows";

// Column 0 of every row, put back after the rows moved (row numbers stay where they are).
class TSortFixedColumn {
 public:
  void Save(TAdvStringGrid* G, int Rows) {
    FSaved = true;
    for (int r = 0; r < Rows; ++r) FCells.emplace_back(G->GetGridCell(0, r), G->GetGridObject(0, r));
  }
  void Restore(TAdvStringGrid* G) {
    if (!FSaved) return;
    for (size_t r = 0; r < FCells.size(); ++r) {
      G->SetGridCell(0, static_cast<int>(r), FCells[r].first);
      G->SetGridObject(0, static_cast<int>(r), FCells[r].second);
      if (TCellProperties* p = AsCellProperties(FCells[r].second)) p->SetOwnerRow(static_cast<int>(r));
    }
  }

 private:
  bool FSaved = false;
  std::vector<std::pair<String, TObject*>> FCells;
};

}  // namespace

// =============================================================================================
// Engines

void TAdvStringGrid::CopySortPivot(int FromRow) {
  const int p = FSortPivotRow;
  if (!OnGetDisplText && !OnGetDisplWideText) {
    CopyRowCells(FromRow, p, TotalColCount());
    return;
  }
  // The shown texts are what the rows compare on: the pivot holds them, not the stored ones.
  const bool shown = FSortSettings->SortOnVirtualCells();
  for (int c = 0; c < TotalColCount(); ++c) {
    SetGridCell(c, p, shown ? GetCellEx(c, FromRow) : GetGridCell(c, FromRow));
    SetGridObject(c, p, GetGridObject(c, FromRow));
  }
}

namespace {

// The partition of both engines over positions Left .. Right: Cmp(P1, P2) compares two positions
// or the pivot (TSortKeys::kPivot), SetPivot(Pos) takes the row at Pos as the next pivot, Swap(A, B)
// exchanges two positions, Greater is the result that puts the first after the second.
template <class TCmp, class TSetPivot, class TSwap>
void SortPartitions(int Left, int Right, bool Indexed, int Greater, TCmp&& Cmp, TSetPivot&& SetPivot, TSwap&& Swap) {
  // A range the pivots keep failing on (an organ pipe puts its largest value in the middle) is
  // finished by a merge sort, which keeps equal rows in their order.
  auto stable = [&](int L, int R) {
    std::vector<int> order(static_cast<size_t>(R - L + 1));
    for (size_t k = 0; k < order.size(); ++k) order[k] = L + static_cast<int>(k);
    std::stable_sort(order.begin(), order.end(), [&](int A, int B) { return Cmp(A, B) == -Greater; });
    std::vector<int> dest(order.size());
    for (size_t k = 0; k < order.size(); ++k) dest[static_cast<size_t>(order[k] - L)] = L + static_cast<int>(k);
    for (size_t s = 0; s < dest.size(); ++s) {
      while (dest[s] != L + static_cast<int>(s)) {
        const int t = dest[s];
        Swap(L + static_cast<int>(s), t);
        std::swap(dest[s], dest[static_cast<size_t>(t - L)]);
      }
    }
  };
  // Partitions that split off less than an eighth of their range are allowed a few times along
  // one path (more with more rows); past that the range goes to the merge sort.
  int budget = 2;
  for (int n = Right - Left + 1; n > 1; n >>= 4) ++budget;
  // The smaller part is sorted by recursion and the larger one by the loop, so that the depth
  // stays below log2 of the rows whatever the order of the data.
  auto part = [&](auto& self, int L, int R, int Budget) -> void {
    while (L < R) {
      if (Budget < 0) {
        stable(L, R);
        return;
      }
      SetPivot((L + R) / 2);
      const int p = TSortKeys::kPivot;
      int i = L, j = R;
      do {
        while (Cmp(p, i) == Greater && i < R) ++i;
        while (Cmp(j, p) == Greater && j > L) --j;
        if (i <= j) {
          if (i != j && (Indexed || Cmp(i, j) != 0)) Swap(i, j);
          ++i;
          --j;
        }
      } while (i <= j);
      if (std::min(j - L, R - i) + 1 < (R - L + 1) / 8) --Budget;
      if (j - L < R - i) {
        if (L < j) self(self, L, j, Budget);
        L = i;
      } else {
        if (i < R) self(self, i, R, Budget);
        R = j;
      }
    }
  };
  part(part, Left, Right, budget);
}

}  // namespace

std::shared_ptr<TSortScratch> TAdvStringGrid::SortScratch() {
  if (!FSortScratch) FSortScratch = std::make_shared<TSortScratch>();
  if (FSortScratch.use_count() > 1) return std::make_shared<TSortScratch>();
  // Room for every row at once: a buffer grown by a row later would move all it holds.
  const size_t rows = static_cast<size_t>(RowCount());
  for (std::vector<int>* v :
       {&FSortScratch->Ranks, &FSortScratch->Ids, &FSortScratch->Keys, &FSortScratch->From, &FSortScratch->Moved})
    v->reserve(rows);
  return FSortScratch;
}

void TAdvStringGrid::SortRange(int ACol, int Left, int Right, bool Indexed) {
  if (Left >= Right) return;
  // Each cell is read once into a key, and the sort orders the keys; the rows then move in one
  // permutation. An event that reads the rows themselves (ssRaw) needs them in place while it
  // runs: then every exchange moves the rows too, and the pivot is copied to its scratch row.
  const std::shared_ptr<TSortScratch> scratch = SortScratch();
  TSortKeys keys(this, Left, Right, *scratch);
  const int reach = Indexed ? -1 : ACol;
  const bool rowsMove = keys.ReachesStyle(reach, ssRaw);
  const int greater = Indexed ? 1 : SortDir;
  int swaps = 0;
  std::vector<int>& ranks = scratch->Ranks;
  if (!rowsMove && keys.Rank(reach, ranks)) {
    // The comparison is an order of values: the partition compares the rows' ranks.
    std::vector<int>& ids = scratch->Ids;
    ids.resize(ranks.size());
    for (size_t k = 0; k < ids.size(); ++k) ids[k] = static_cast<int>(k);
    int pivot = 0;
    auto rank = [&](int P) { return P == TSortKeys::kPivot ? pivot : ranks[static_cast<size_t>(P - Left)]; };
    SortPartitions(
        Left, Right, Indexed, greater,
        [&](int P1, int P2) {
          ++Compares;
          const int a = rank(P1), b = rank(P2);
          return a < b ? -1 : (a > b ? 1 : 0);
        },
        [&](int Pos) { pivot = ranks[static_cast<size_t>(Pos - Left)]; },
        [&](int A, int B) {
          ++swaps;
          std::swap(ranks[static_cast<size_t>(A - Left)], ranks[static_cast<size_t>(B - Left)]);
          std::swap(ids[static_cast<size_t>(A - Left)], ids[static_cast<size_t>(B - Left)]);
        });
    if (swaps > 0) {
      Swaps += swaps;
      SortMoveRows(Left, ids, *scratch);
    }
    return;
  }
  keys.SetRowsMove(rowsMove);
  keys.SetSelfEqual(!rowsMove && !FSortSettings->SingleColumn() && !keys.ReachesStyle(reach, ssCustom));
  SortPartitions(
      Left, Right, Indexed, greater,
      [&](int P1, int P2) { return Indexed ? keys.CompareRowsIndexed(P1, P2) : keys.CompareRows(ACol, P1, P2); },
      [&](int Pos) {
        keys.SetPivot(Pos, FSortPivotRow);
        if (rowsMove) CopySortPivot(Pos);
      },
      [&](int A, int B) {
        if (rowsMove) {
          SortSwapRows(A, B);
        } else {
          ++swaps;
        }
        keys.Swap(A, B);
      });
  if (!rowsMove && swaps > 0) {
    Swaps += swaps;
    SortMoveRows(Left, keys.Ids(), *scratch);
  }
}

void TAdvStringGrid::SortMoveRows(int Left, const std::vector<int>& From, TSortScratch& Scratch) {
  const int n = static_cast<int>(From.size());
  TIntList* x = FSortRowXRef.get();
  if (Left < 0 || Left + n > x->Count()) {
    // Rows the cross-reference does not cover: one exchange at a time, as SortSwapRows keeps it.
    std::vector<int> at(From.size()), where(From.size());  // original row at position, and back
    for (int i = 0; i < n; ++i) at[static_cast<size_t>(i)] = where[static_cast<size_t>(i)] = i;
    for (int i = 0; i < n; ++i) {
      const int want = From[static_cast<size_t>(i)], p = where[static_cast<size_t>(want)];
      if (p == i) continue;
      SortSwapRows(Left + i, Left + p);
      --Swaps;  // counted by the sort already
      const int other = at[static_cast<size_t>(i)];
      std::swap(at[static_cast<size_t>(i)], at[static_cast<size_t>(p)]);
      where[static_cast<size_t>(want)] = i;
      where[static_cast<size_t>(other)] = p;
    }
    return;
  }
  auto permute = [&](auto Get, auto Set) {
    using T = decltype(Get(0));
    std::vector<T> old;
    old.reserve(From.size());
    for (int i = 0; i < n; ++i) old.push_back(Get(Left + i));
    for (int i = 0; i < n; ++i) {
      const T& v = old[static_cast<size_t>(From[static_cast<size_t>(i)])];
      if (!(v == old[static_cast<size_t>(i)])) Set(Left + i, v);
    }
  };
  {
    std::vector<int>& old = Scratch.Moved;
    old.resize(From.size());
    for (int i = 0; i < n; ++i) old[static_cast<size_t>(i)] = x->Items(Left + i);
    for (int i = 0; i < n; ++i) {
      const int v = old[static_cast<size_t>(From[static_cast<size_t>(i)])];
      if (v != old[static_cast<size_t>(i)]) x->SetInteger(Left + i, v);
    }
  }
  if (SortRow >= Left && SortRow < Left + n) {
    for (int i = 0; i < n; ++i)
      if (Left + From[static_cast<size_t>(i)] == SortRow) {
        SortRow = Left + i;
        break;
      }
  }
  if (FSortSettings->SingleColumn()) {
    const int c = FSortSettings->Column();
    if (c < 0) return;
    permute([&](int r) { return std::make_pair(GetGridCell(c, r), GetGridObject(c, r)); },
            [&](int r, const std::pair<String, TObject*>& v) {
              SetGridCell(c, r, v.first);
              SetGridObject(c, r, v.second);
            });
    return;
  }
  PermuteRowCells(Left, From, TotalColCount());
  SetPropsOwnerRows(Left, Left + n - 1);
  if (Left + n <= RowCount())
    permute([&](int r) { return RowHeights(r); }, [&](int r, int h) { SetRowHeights(r, h); });
  if (FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort()) {
    auto real = [&](int r) { return NumHiddenRows() > 0 ? RealRowIndex(r) : r; };
    int top = 0;
    for (int i = 0; i < n; ++i) top = std::max(top, real(Left + i));
    if (top >= FRowSelect->Count()) FRowSelect->SetCount(top + 1);
    permute([&](int r) { return FRowSelect->Items(real(r)); }, [&](int r, void* v) { FRowSelect->SetItems(real(r), v); });
  }
  if (FShowModified->Enabled())
    permute([&](int r) { return GetRowModified(r); }, [&](int r, bool v) { SetRowModified(r, v); });
}

void TAdvStringGrid::QuickSort(int ACol, int Left, int Right) {
  SortDir = FSortSettings->Direction() == sdAscending ? 1 : -1;
  SortRange(ACol, Left, Right, false);
}

void TAdvStringGrid::QuickSortIndexed(int Left, int Right) { SortRange(-1, Left, Right, true); }

// =============================================================================================
// The sorts

void TAdvStringGrid::InitSortXRef() {
  FSortRowXRef->Clear();
  for (int r = 0; r < RowCount(); ++r) FSortRowXRef->Add(r);
}

void TAdvStringGrid::SortGroups(bool Indexed, int FromRow, int ToRow) {
  int deepest = 0;
  for (int r = FromRow; r <= ToRow; ++r) deepest = std::max(deepest, GetNodeLevel(r));
  if (deepest <= 0) return;
  for (int r = FromRow; r <= ToRow; ++r) {
    if (GetNodeLevel(r) != deepest || GetNodeState(r)) continue;
    const int span = NodeSpan(r);
    if (span - 1 <= 1) continue;
    const int last = std::min(r + span - 1, ToRow);
    if (Indexed) {
      QuickSortIndexed(r + 1, last);
    } else {
      QuickSort(FSortSettings->Column(), r + 1, last);
    }
  }
}

void TAdvStringGrid::RunSort(bool Indexed, bool Groups, bool Footer) {
  if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
  TSortFixedColumn column0;
  if (FSortSettings->NormalCellsOnly() && FixedCols() > 0) column0.Save(this, RowCount());
  const int top = TopRow();
  const int oldRow = Row();
  const bool moveRow = FNavigation->MoveRowOnSort();
  const bool disjunct = FMouseActions->DisjunctRowSelect();
  const bool footerShown = Footer && FFloatingFooter->Visible();
  const int footers = FFixedFooters;
  const int rows = RowCount();
  bool scratch = false;
  BeginUpdate();
  auto setRow = [&](int r) {
    const bool entered = FEntered;
    FEntered = false;
    if (r >= 0 && r < RowCount() && r != TCustomGrid::Row()) TCustomGrid::SetRow(r);
    FEntered = entered;
  };
  // Whatever raises, the grid leaves with its rows, column 0, view, footer and update count.
  auto restore = [&] {
    if (scratch) {
      for (int r = rows; r < rows + 3; ++r) EmptyStoreRow(r);
      SetRowCount(rows);
      scratch = false;
    }
    FSortPivotRow = -1;
    column0.Restore(this);
    if (FNavigation->KeepScrollOnSort()) SetTopRowEx(top);
    if (footerShown) FFloatingFooter->SetVisible(true);
    FFixedFooters = footers;
    EndUpdate();
  };
  try {
    if (footerShown) FFloatingFooter->SetVisible(false);
    // Three scratch rows below the data, the second holding the pivot; left-overs of a longer
    // grid are cleared first (without freeing: the objects belong to no row of the grid).
    if (FMaxRowCount - NumHiddenRows() > rows)
      for (int r = rows; r < rows + 3; ++r) EmptyStoreRow(r);
    SetRowCount(rows + 3);
    SetNormalRowCount(rows);
    scratch = true;
    FSortPivotRow = rows + 1;
    SortRow = oldRow;
    // The plain sort parks the current row on the last row, the others just below the data.
    const bool plain = !Indexed && !Groups;
    if (moveRow) setRow(plain ? RowCount() - 1 : rows);
    const int from = FixedRows(), to = rows - footers - 1;
    if (Groups) {
      SortGroups(Indexed, from, to);
    } else if (Indexed) {
      QuickSortIndexed(from, to);
    } else {
      QuickSort(FSortSettings->Column(), from, to);
    }
    for (int r = rows; r < rows + 3; ++r) EmptyStoreRow(r);
    if (!disjunct || !plain) setRow(moveRow ? SortRow : oldRow);
    SetRowCount(rows);
    scratch = false;
    if (!moveRow && plain && OnRowUpdate) OnRowUpdate(this, oldRow, Row());
  } catch (...) {
    restore();
    throw;
  }
  restore();
  RepaintFooterPanel();
  if (!Indexed && !Groups && FSearchPanel && FSearchFooter->Visible()) FSearchPanel->Invalidate();
}

void TAdvStringGrid::QSort() {
  if (FSortSettings->Column() < 0) return;
  FSortIndexes->Clear();
  RunSort(false, false, true);
}

void TAdvStringGrid::QSortIndexed() {
  if (FSortIndexes->Count() == 0) throw EAdvGridError(kSortNoIndexes);
  RunSort(true, false, true);
}

// The group sorts put the floating footer aside too: shown, its row would move onto the scratch
// rows with the row count and be cleared with them.
void TAdvStringGrid::QSortGroup() {
  if (FSortSettings->Column() < 0) return;
  RunSort(false, true, true);
}

void TAdvStringGrid::QSortGroupIndexed() {
  if (FSortIndexes->Count() == 0) throw EAdvGridError(kSortNoIndexes);
  RunSort(true, true, true);
}

void TAdvStringGrid::QUnSort() {
  const TIntList* key = FSortRowXRef.get();
  const int n = std::min(RowCount(), key->Count());
  if (n < 2) return;
  TSortFixedColumn column0;
  if (FSortSettings->NormalCellsOnly() && FixedCols() > 0) column0.Save(this, RowCount());
  BeginUpdate();
  // Each row goes back to the place its key names, all rows in one permutation (rows with equal
  // keys keep their order); Swaps counts the exchanges that permutation takes.
  auto unsort = [&] {
    const std::shared_ptr<TSortScratch> scratch = SortScratch();
    std::vector<int>& keys = scratch->Keys;
    keys.resize(static_cast<size_t>(n));
    for (int r = 0; r < n; ++r) keys[static_cast<size_t>(r)] = key->Items(r);
    std::vector<int>& from = scratch->From;  // the row that goes to each place
    from.assign(keys.size(), -1);
    bool permutation = true;
    for (int r = 0; r < n && permutation; ++r) {
      const int k = keys[static_cast<size_t>(r)];
      permutation = k >= 0 && k < n && from[static_cast<size_t>(k)] < 0;
      if (permutation) from[static_cast<size_t>(k)] = r;
    }
    if (!permutation) {
      for (int r = 0; r < n; ++r) from[static_cast<size_t>(r)] = r;
      std::stable_sort(from.begin(), from.end(),
                       [&](int a, int b) { return keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)]; });
    }
    std::vector<bool> seen(from.size(), false);
    int exchanges = 0;
    for (size_t s = 0; s < from.size(); ++s) {
      if (seen[s]) continue;
      for (size_t t = s; !seen[t]; t = static_cast<size_t>(from[t])) {
        seen[t] = true;
        ++exchanges;
      }
      --exchanges;  // a cycle of k rows takes k - 1 exchanges
    }
    if (exchanges == 0) return;
    Swaps += exchanges;
    SortMoveRows(0, from, *scratch);
  };
  try {
    unsort();
  } catch (...) {
    column0.Restore(this);
    EndUpdate();
    throw;
  }
  column0.Restore(this);
  EndUpdate();
}

void TAdvStringGrid::Sort(int ACol, TSortDirection Direction) {
  FSortSettings->SetColumn(ACol);
  FSortSettings->SetDirection(Direction);
  QSort();
}

void TAdvStringGrid::SortByColumn(int ACol) {
  if (RowCount() <= 1) return;
  FSortSettings->SetColumn(ACol);
  QSort();
}

bool TAdvStringGrid::SortLine(int ACol, int ARow1, int ARow2) {
  const TSortDirection dir = FSortSettings->Direction();
  for (int c = ACol;; ++c) {
    const int r = CompareCells(c, ARow1, ARow2, dir);
    if (r == SortDir) {
      SortSwapRows(ARow1, ARow2);
      return true;
    }
    if (r != 0 || c >= TotalColCount() - 1) return false;
  }
}

// =============================================================================================
// TSortSettings

TSortSettings::TSortSettings(TAdvStringGrid* AGrid)
    : FGrid(AGrid),
      FUpGlyph(std::make_unique<TBitmap>()),
      FDownGlyph(std::make_unique<TBitmap>()),
      FIndexUpGlyph(std::make_unique<TBitmap>()),
      FIndexDownGlyph(std::make_unique<TBitmap>()) {}

TSortSettings::~TSortSettings() = default;

void TSortSettings::CopyFrom(const TSortSettings& s) {
  FAutoSortForGrouping = s.FAutoSortForGrouping;
  FAutoColumnMerge = s.FAutoColumnMerge;
  FColumn = s.FColumn;
  FShow = s.FShow;
  FIndexShow = s.FIndexShow;
  FIndexColor = s.FIndexColor;
  FFull = s.FFull;
  FSingleColumn = s.FSingleColumn;
  FIgnoreBlanks = s.FIgnoreBlanks;
  FBlankPos = s.FBlankPos;
  FAutoFormat = s.FAutoFormat;
  FDirection = s.FDirection;
  FUpGlyph->Assign(s.FUpGlyph.get());
  FDownGlyph->Assign(s.FDownGlyph.get());
  FIndexUpGlyph->Assign(s.FIndexUpGlyph.get());
  FIndexDownGlyph->Assign(s.FIndexDownGlyph.get());
  FIndexSortKey = s.FIndexSortKey;
  FInitSortDirection = s.FInitSortDirection;
  FFixedCols = s.FFixedCols;
  FNormalCellsOnly = s.FNormalCellsOnly;
  FRow = s.FRow;
  FUndoSort = s.FUndoSort;
  FHeaderColor = s.FHeaderColor;
  FHeaderColorTo = s.FHeaderColorTo;
  FHeaderMirrorColor = s.FHeaderMirrorColor;
  FHeaderMirrorColorTo = s.FHeaderMirrorColorTo;
}

void TSortSettings::SetShow(bool v) {
  FShow = v;
  if (FGrid) FGrid->Invalidate();
}

void TSortSettings::SetRow(int v) {
  if (FGrid && v > FGrid->FixedRows()) throw EAdvGridError(kSortBadRow);
  FRow = v;
}

void TSortSettings::SetHeaderLook(TColor& Field, TColor v) {
  if (Field == v) return;
  Field = v;
  if (FGrid && FGrid->FixedRows() > 0) FGrid->RepaintRow(FGrid->FixedRows() - 1);
}

String TSortSettings::SaveToString() const {
  if (FIndexShow) return u"i;" + (FGrid ? FGrid->SortIndexes()->SaveToString() : String());
  return (FDirection == sdDescending ? u"d" : u"u") + IntToStr(FColumn);
}

void TSortSettings::LoadFromString(const String& Value) {
  if (Value.empty()) return;
  SetShow(true);
  if (Value.size() < 2) throw EAdvGridError(kSortBadSpecifier);
  if (Value.find(u"i;") != String::npos) {
    FIndexShow = true;
    const String rest = Value.substr(2);
    if (!rest.empty() && FGrid) {
      FGrid->SortIndexes()->LoadFromString(rest);
      FGrid->QSortIndexed();
    }
    return;
  }
  FIndexShow = false;
  FDirection = Value.find(u'u') != String::npos ? sdAscending : sdDescending;
  int col = 0;
  if (TryStrToInt(Value.substr(1), col)) {
    FColumn = col;
    if (FGrid) FGrid->QSort();
  }
}

void TSortSettings::Remove() {
  FColumn = -1;
  if (!FGrid) return;
  FGrid->SortIndexes()->Clear();
  if (FGrid->FixedRows() > 0) FGrid->RepaintRow(FGrid->FixedRows() - 1);
}

void TSortSettings::ToggleDirection() { FDirection = FDirection == sdAscending ? sdDescending : sdAscending; }
