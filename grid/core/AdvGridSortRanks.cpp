// Ranks of the rows under a sort's whole comparison. Where every column compares by one style among
// the rows it meets, the comparison is a fixed order of values: the rows are ordered column by
// column (each column only inside the runs the columns before left tied) and each row gets the
// number of its run. The quicksort then compares two integers and takes exactly the decisions the
// cells would give it.
#include <algorithm>
#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridSortKeys.h"

namespace {

struct TRankColumn {
  int Col;
  TSortDirection Direction;  // the one the blanks are placed for
  bool Reverse;              // a descending index entry turns the column's order round
};

// Sorts Items (value, row) by value and appends the start of each run of equal values, from Offset.
template <class T, class Less>
void RankSortRuns(std::vector<std::pair<T, int>>& Items, Less&& IsLess, size_t Offset, std::vector<size_t>& Starts) {
  auto less = [&](const std::pair<T, int>& A, const std::pair<T, int>& B) { return IsLess(A.first, B.first); };
  if (!std::is_sorted(Items.begin(), Items.end(), less)) std::sort(Items.begin(), Items.end(), less);
  for (size_t k = 0; k < Items.size(); ++k)
    if (k == 0 || IsLess(Items[k - 1].first, Items[k].first)) Starts.push_back(Offset + k);
}

}  // namespace

bool TSortKeys::RankRun(int Col, TSortDirection Direction, bool Reverse, int* Rows, size_t N, size_t Offset,
                        std::vector<size_t>& Starts) {
  TSortKeyColumn& c = FColumns[static_cast<size_t>(Col)];
  const TSortSettings* s = FGrid->SortSettings();
  std::vector<TSortCellKey> keys;
  if (!MakeKeys(FGrid, Col, c, FLeft, Rows, N, keys)) {
    Starts.push_back(Offset);
    return true;
  }
  // Blanks placed by BlankPos form a bucket of their own before or after the others.
  std::vector<TSortCellKey*> buckets[2];
  const bool blanks = s->IgnoreBlanks();
  const bool blanksFirst = (s->BlankPos() == blFirst) != (Direction == sdDescending);
  for (TSortCellKey& k : keys) {
    const bool before = blanks && (k.Text.empty() ? blanksFirst : !blanksFirst);
    buckets[before ? 0 : 1].push_back(&k);
  }
  const size_t firstStart = Starts.size();
  std::vector<int> ordered;
  ordered.reserve(N);
  for (std::vector<TSortCellKey*>& b : buckets) {
    if (b.empty()) continue;
    TSortStyle style = ssAlphabetic;
    if (!UniformStyle(c, s->IgnoreCase(), b.data(), b.size(), style)) return false;
    const TOrderBy by = OrderBy(style);
    if (by == TOrderBy::None) return false;
    auto row = [&](const TSortCellKey* k) { return Rows[k - keys.data()]; };
    const size_t at = Offset + ordered.size();
    if (by == TOrderBy::Number) {
      std::vector<std::pair<double, int>> items;
      items.reserve(b.size());
      for (TSortCellKey* k : b) items.emplace_back(OrderNumber(c, style, *k), row(k));
      RankSortRuns(items, [](double A, double B) { return A < B; }, at, Starts);
      for (const auto& i : items) ordered.push_back(i.second);
    } else {
      std::vector<std::pair<const String*, int>> items;
      items.reserve(b.size());
      for (TSortCellKey* k : b) items.emplace_back(&OrderText(style, *k), row(k));
      RankSortRuns(items, [](const String* A, const String* B) { return *A < *B; }, at, Starts);
      for (const auto& i : items) ordered.push_back(i.second);
    }
  }
  std::copy(ordered.begin(), ordered.end(), Rows);
  if (Reverse) {
    // The runs in the opposite order: rows and run starts mirrored within the range.
    std::reverse(Rows, Rows + N);
    std::vector<size_t> runs(Starts.begin() + static_cast<std::ptrdiff_t>(firstStart), Starts.end());
    runs.push_back(Offset + N);
    Starts.resize(firstStart);
    for (size_t r = runs.size() - 1; r > 0; --r) Starts.push_back(Offset + (Offset + N - runs[r]));
  }
  return true;
}

bool TSortKeys::Rank(int ACol, std::vector<int>& Ranks) {
  std::vector<TRankColumn> columns;
  if (ACol >= 0) {
    const int last = FFull ? FColumnsToCompare - 1 : ACol;
    for (int c = ACol; c <= last; ++c) columns.push_back({c, FDirection, false});
  } else {
    const TSortIndexList* idx = FGrid->SortIndexes();
    for (int k = 0; k < idx->Count() && (FFull || k == 0); ++k) {
      const int entry = idx->Items(k);
      const bool descending = (static_cast<uint32_t>(entry) & 0x80000000u) != 0;
      columns.push_back({entry & 0x7FFFFFFF, descending ? sdDescending : sdAscending, descending});
    }
  }
  // Ignored columns compare equal; the others must travel with the rows and order by values.
  std::vector<TRankColumn> used;
  for (const TRankColumn& rc : columns) {
    const TSortKeyColumn& c = Resolved(rc.Col);
    if (c.Ignored) continue;
    if (!Travels(rc.Col)) return false;
    if (c.Style == ssCustom || c.Style == ssRaw || c.Style == ssAnsiAlphaCase || c.Style == ssAnsiAlphaNoCase)
      return false;
    used.push_back(rc);
  }
  const size_t n = FIds.size();
  std::vector<int> rows(n);
  std::iota(rows.begin(), rows.end(), 0);
  std::vector<size_t> starts{0}, next;  // the runs of rows tied so far: [starts[i], starts[i + 1])
  for (const TRankColumn& rc : used) {
    starts.push_back(n);
    next.clear();
    for (size_t r = 0; r + 1 < starts.size(); ++r) {
      const size_t from = starts[r], len = starts[r + 1] - from;
      if (len < 2) {
        next.push_back(from);
        continue;
      }
      if (!RankRun(rc.Col, rc.Direction, rc.Reverse, rows.data() + from, len, from, next)) return false;
    }
    starts.swap(next);
    if (starts.size() == n) break;  // every row alone
  }
  Ranks.assign(n, 0);
  starts.push_back(n);
  for (size_t r = 0; r + 1 < starts.size(); ++r)
    for (size_t k = starts[r]; k < starts[r + 1]; ++k) Ranks[static_cast<size_t>(rows[k])] = static_cast<int>(r);
  return true;
}
