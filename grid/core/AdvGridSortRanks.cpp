// Ranks of the rows under a sort's whole comparison. Where every column compares by one style among
// the rows it meets, the comparison is a fixed order of values: the rows are ordered column by
// column (each column only inside the runs the columns before left tied) and each row gets the
// number of its run. The quicksort then compares two integers and takes exactly the decisions the
// cells would give it.
#include <algorithm>
#include <cstdint>
#include <numeric>
#include <unordered_map>
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

bool TSortKeys::RankRun(int Col, TSortDirection Direction, bool Reverse, int* Rows, String* Texts,
                        const char* CheckCells, size_t N, size_t Offset, std::vector<size_t>& Starts) {
  TSortScratch& Scratch = FScratch;
  TSortKeyColumn& c = FColumns[static_cast<size_t>(Col)];
  if (AllTie(c, Texts, CheckCells, N)) {
    Starts.push_back(Offset);
    return true;
  }
  std::vector<TSortRankCell>& cells = Scratch.Cells;
  cells.resize(N);
  FillCells(FGrid, Col, c, FLeft, Rows, Texts, CheckCells, cells.data(), N);
  const TSortSettings* s = FGrid->SortSettings();
  // Blanks placed by BlankPos form a bucket of their own before or after the others.
  const bool blanks = s->IgnoreBlanks();
  const bool blanksFirst = (s->BlankPos() == blFirst) != (Direction == sdDescending);
  for (std::vector<int>& b : Scratch.Buckets) b.clear();
  for (size_t i = 0; i < N; ++i) {
    const bool before = blanks && (Texts[i].empty() ? blanksFirst : !blanksFirst);
    Scratch.Buckets[before ? 0 : 1].push_back(static_cast<int>(i));
  }
  const size_t firstStart = Starts.size();
  std::vector<int>& ordered = Scratch.Ordered;
  ordered.clear();
  ordered.reserve(N);
  for (std::vector<int>& b : Scratch.Buckets) {
    if (b.empty()) continue;
    TSortStyle style = ssAlphabetic;
    if (!UniformStyle(c, s->IgnoreCase(), cells.data(), b.data(), b.size(), style)) return false;
    const TOrderBy by = OrderBy(style);
    if (by == TOrderBy::None) return false;
    const size_t at = Offset + ordered.size();
    if (by == TOrderBy::Number) {
      const bool date =
          style == ssDate || style == ssDateTime || style == ssTime || style == ssShortDateEU || style == ssShortDateUS;
      auto& items = Scratch.Numbers;
      items.clear();
      items.reserve(b.size());
      for (int i : b) {
        String& text = Texts[i];
        double v = 0;
        auto found = date ? Scratch.Dates.find(text) : Scratch.Dates.end();
        if (found != Scratch.Dates.end() && found->second.first == style) {
          v = found->second.second;
        } else {
          v = OrderNumber(c, style, text, cells[static_cast<size_t>(i)]);
          if (date) Scratch.Dates[text] = {style, v};
        }
        items.emplace_back(v, Rows[i]);
      }
      RankSortRuns(
          items, [](double A, double B) { return A < B; }, at, Starts);
      for (const auto& i : items) ordered.push_back(i.second);
    } else {
      auto& items = Scratch.TextItems;
      items.clear();
      items.reserve(b.size());
      for (int i : b) items.emplace_back(&OrderText(style, Texts[i]), Rows[i]);
      RankSortRuns(
          items, [](const String* A, const String* B) { return *A < *B; }, at, Starts);
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
  std::vector<int>& rows = FScratch.Rows;
  rows.resize(n);
  std::iota(rows.begin(), rows.end(), 0);
  // The runs of rows tied so far: [starts[i], starts[i + 1]).
  std::vector<size_t>& starts = FScratch.Starts;
  std::vector<size_t>& next = FScratch.Next;
  starts.assign(1, 0);
  std::vector<String>& texts = FScratch.Texts;
  std::vector<char>& checkCells = FScratch.CheckCells;
  std::vector<int>& slot = FScratch.Slot;
  slot.resize(n);
  // The texts of long cells are not kept for the next sort: a column of long texts would keep
  // memory as large as itself.
  size_t longest = 0;
  struct TRelease {
    TSortScratch& Scratch;
    const size_t& Longest;
    ~TRelease() {
      Scratch.Dates.clear();
      if (Longest > 32) Scratch.Texts.clear();
    }
  } release{FScratch, longest};
  for (const TRankColumn& rc : used) {
    starts.push_back(n);
    // The cells of every row that still ties with another, read in the order of the rows.
    std::fill(slot.begin(), slot.end(), -1);
    int tied = 0;
    for (size_t r = 0; r + 1 < starts.size(); ++r)
      if (starts[r + 1] - starts[r] > 1)
        for (size_t k = starts[r]; k < starts[r + 1]; ++k) slot[static_cast<size_t>(rows[k])] = tied++;
    if (tied == 0) {
      starts.pop_back();
      break;
    }
    const bool automatic = FColumns[static_cast<size_t>(rc.Col)].Style == ssAutomatic;
    if (texts.size() < static_cast<size_t>(tied)) texts.resize(static_cast<size_t>(tied));
    checkCells.assign(static_cast<size_t>(tied), 0);
    for (size_t p = 0; p < n; ++p) {
      const int j = slot[p];
      if (j < 0) continue;
      const int row = FLeft + static_cast<int>(p);
      ReadCellText(FGrid, rc.Col, row, texts[static_cast<size_t>(j)]);
      longest = std::max(longest, texts[static_cast<size_t>(j)].size());
      if (automatic) checkCells[static_cast<size_t>(j)] = IsCheckCell(FGrid, rc.Col, row) ? 1 : 0;
    }
    FScratch.Dates.clear();
    next.clear();
    next.reserve(n);
    size_t j = 0;
    for (size_t r = 0; r + 1 < starts.size(); ++r) {
      const size_t from = starts[r], len = starts[r + 1] - from;
      if (len < 2) {
        next.push_back(from);
        continue;
      }
      if (!RankRun(rc.Col, rc.Direction, rc.Reverse, rows.data() + from, texts.data() + j, checkCells.data() + j, len,
                   from, next))
        return false;
      j += len;
    }
    starts.swap(next);
  }
  Ranks.assign(n, 0);
  starts.push_back(n);
  for (size_t r = 0; r + 1 < starts.size(); ++r)
    for (size_t k = starts[r]; k < starts[r + 1]; ++k) Ranks[static_cast<size_t>(rows[k])] = static_cast<int>(r);
  return true;
}
