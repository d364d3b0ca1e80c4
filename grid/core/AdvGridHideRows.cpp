// Hiding and showing rows: a hidden row's cells (with their objects) and height go into a
// TGridItem record kept in ascending real-row order; showing it inserts the row back at its place.
// Filter levels hide a list of rows as one level and restore the latest level as a whole.
#include <algorithm>
#include <vector>

#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridItemPool.h"

namespace {

TGridItem* ItemAt(TCollection* Items, int i) { return static_cast<TGridItem*>(Items->Items(i)); }

// Shows the cell modifications off for a scope (rows are rewritten, not edited).
class TShowModifiedOff {
 public:
  explicit TShowModifiedOff(TShowModified* S) : FS(S), FWas(S->Enabled()) { S->SetEnabled(false); }
  ~TShowModifiedOff() { FS->SetEnabled(FWas); }
  TShowModifiedOff(const TShowModifiedOff&) = delete;
  TShowModifiedOff& operator=(const TShowModifiedOff&) = delete;

 private:
  TShowModified* FS;
  bool FWas;
};

// Gathers the repaints of a bulk move of rows into one.
class THideRowsRepaintBatch {
 public:
  explicit THideRowsRepaintBatch(TCustomGrid* G) : FG(G) { G->BeginInvalidateBatch(); }
  ~THideRowsRepaintBatch() { FG->EndInvalidateBatch(); }
  THideRowsRepaintBatch(const THideRowsRepaintBatch&) = delete;
  THideRowsRepaintBatch& operator=(const THideRowsRepaintBatch&) = delete;

 private:
  TCustomGrid* FG;
};

}  // namespace

int TAdvStringGrid::HiddenRecordsBelow(int RRow) const {
  int n = 0;
  for (int i = 0; i < FGridItems->Count(); ++i)
    if (ItemAt(FGridItems.get(), i)->Idx() < RRow) ++n;
  return n;
}

void TAdvStringGrid::StoreRowInRecord(int DRow, TGridItem* Item) {
  // The cells leave the store as they are; the row is taken out of the grid right after.
  const int n = TotalColCount();
  Item->SetStoredCells(TakeRowCells(DRow, n), n);
}

void TAdvStringGrid::RestoreRowFromRecord(TGridItem* Item, int DRow) {
  if (Item->HoldsStoredCells()) {
    const int n = std::max(TotalColCount(), Item->StoredCount());
    TStringGrid::TStoredRow cells = Item->TakeStoredCells();
    for (int i = 0; cells.MayHoldObjects() && i < cells.Count(); ++i)
      if (TCellProperties* p = AsCellProperties(cells.Object(i))) {
        p->SetOwnerCol(cells.Col(i));
        p->SetOwnerRow(DRow);
      }
    PutRowCells(DRow, std::move(cells), n);
    if (Item->Height() > 0) SetRowHeights(DRow, Item->Height());
    return;
  }
  TStrings* items = Item->Items();
  const int n = std::max(TotalColCount(), items->Count());
  for (int c = 0; c < n; ++c) {
    const bool in = c < items->Count();
    SetGridCell(c, DRow, in ? items->Strings(c) : String());
    TObject* o = in ? items->Objects(c) : nullptr;
    SetGridObject(c, DRow, o);
    if (TCellProperties* p = AsCellProperties(o)) {
      p->SetOwnerCol(c);
      p->SetOwnerRow(DRow);
    }
  }
  // The record no longer holds the objects: freeing it must not touch them.
  for (int c = 0; c < items->Count(); ++c) items->SetObjects(c, nullptr);
  if (Item->Height() > 0) SetRowHeights(DRow, Item->Height());
}

void TAdvStringGrid::ShowRecord(TGridItem* Item) {
  const int d = Item->Idx() - HiddenRecordsBelow(Item->Idx());
  InsertRows(d, 1, false);
  RestoreRowFromRecord(Item, d);
  delete Item;
}

void TAdvStringGrid::HideRow(int ARow) { HideRows(ARow, ARow); }

void TAdvStringGrid::HideRows(int FromRow, int ToRow) {
  if (FromRow < 0 || ToRow < FromRow) return;
  const std::vector<int> hidden = HiddenRowIdxs();
  const int before = static_cast<int>(std::lower_bound(hidden.begin(), hidden.end(), FromRow) - hidden.begin());
  const int d = FromRow - before;
  std::vector<int> rows;
  for (int r = FromRow; r <= ToRow; ++r)
    if (!std::binary_search(hidden.begin(), hidden.end(), r)) rows.push_back(r);
  // Only rows that exist: the displayed ones run from d on.
  const int avail = std::max(0, RowCount() - d);
  if (static_cast<int>(rows.size()) > avail) rows.resize(static_cast<size_t>(avail));
  if (rows.empty()) return;
  if (TControl* c = GetCellControls(1, d)) c->Hide();
  for (size_t k = 0; k < rows.size(); ++k) {
    // The records stay in ascending Idx order: after those below this row, hidden earlier or now.
    const int pos = static_cast<int>(std::lower_bound(hidden.begin(), hidden.end(), rows[k]) - hidden.begin()) + static_cast<int>(k);
    auto* item = static_cast<TGridItem*>(FGridItems->Insert(pos));
    const int drow = d + static_cast<int>(k);
    StoreRowInRecord(drow, item);
    item->SetIdx(rows[k]);
    item->SetHeight(RowHeights(drow));
  }
  DeleteRowsCore(d, static_cast<int>(rows.size()), false);
  if (FControlList->Count() > 0) RepositionCellControls();
}

void TAdvStringGrid::HideRowsEx(int FromRow, int ToRow) {
  if (FromRow < 0 || ToRow < FromRow) return;
  int before = 0;
  for (int i = 0; i < FGridItems->Count(); ++i) {
    const int idx = ItemAt(FGridItems.get(), i)->Idx();
    if (idx == FromRow) return;
    if (idx < FromRow) ++before;
  }
  const int d = FromRow - before;
  const int count = std::min(ToRow - FromRow + 1, RowCount() - d);
  if (count <= 0) return;
  // Inserted in Idx order (the mappings read them in that order), and taken out of the grid by
  // a removal that leaves the records alone: they already hold the real indexes.
  std::vector<int> idxs = HiddenRowIdxs();
  int pos = static_cast<int>(std::lower_bound(idxs.begin(), idxs.end(), FromRow) - idxs.begin());
  int r = FromRow;
  for (int k = 0; k < count; ++k, ++r) {
    while (std::binary_search(idxs.begin(), idxs.end(), r)) {
      ++r;
      ++pos;
    }
    auto* item = static_cast<TGridItem*>(FGridItems->Insert(pos++));
    StoreRowInRecord(d + k, item);
    item->SetIdx(r);
  }
  TCutRows how;
  how.MoveHeights = false;
  how.AdjustRecords = false;  // hiding changes no real index
  CutRows(d, count, how);
  if (FControlList->Count() > 0) RepositionCellControls();
}

void TAdvStringGrid::HideRowList(TIntList* RowList) {
  THideRowsRepaintBatch batch(this);
  std::vector<int> heights(static_cast<size_t>(RowCount()));
  for (int r = 0; r < RowCount(); ++r) heights[static_cast<size_t>(r)] = RowHeights(r);
  std::vector<int> listed;
  if (RowList) ReserveGridItems(RowList->Count());
  for (int i = 0; RowList && i < RowList->Count(); ++i) {
    const int r = RowList->Items(i);
    if (r < 0 || r >= RowCount()) continue;
    auto* item = static_cast<TGridItem*>(FGridItems->Add());
    StoreRowInRecord(r, item);
    item->SetIdx(r);
    item->SetHeight(heights[static_cast<size_t>(r)]);
    item->SetLevel(FFilterLevel + 1);  // 1-based: level 0 is a row hidden by other means
    listed.push_back(r);
  }
  ++FFilterLevel;
  if (!std::is_sorted(listed.begin(), listed.end())) std::sort(listed.begin(), listed.end());
  listed.erase(std::unique(listed.begin(), listed.end()), listed.end());
  // The footer row closes up with the others; the row count setter would then move the emptied
  // old last row over it, so the footer is off meanwhile.
  const bool footer = FFloatingFooter->Visible();
  const int footers = FFixedFooters;
  if (footer) FFloatingFooter->SetVisible(false);
  int to = 0;
  auto next = listed.begin();
  for (int r = 0; r < RowCount(); ++r) {
    if (next != listed.end() && *next == r) {
      ++next;
      continue;
    }
    if (r != to) {
      MoveStoreRowCells(r, to);
      if (RowHeights(to) != heights[static_cast<size_t>(r)]) SetRowHeights(to, heights[static_cast<size_t>(r)]);
    }
    ++to;
  }
  for (int r = to; r < RowCount(); ++r) EmptyStoreRow(r);
  if (!listed.empty()) SetRowCount(RowCount() - static_cast<int>(listed.size()));
  if (footer) FFloatingFooter->SetVisible(true);
  FFixedFooters = footers;
  if (FControlList->Count() > 0) RepositionCellControls();
  // The row count changed while the footer was off, so its own recalculation did not run.
  if (footer) CalcFooter(-1);
}

void TAdvStringGrid::UnHideRow(int ARow) {
  TShowModifiedOff off(FShowModified.get());
  TGridItem* item = HiddenRowItem(ARow);
  if (item) ShowRecord(item);
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem* it = FControlList->GetControl(i);
    if (it->Y == ARow && it->Control) it->Control->Show();
  }
  if (FControlList->Count() > 0) RepositionCellControls();
}

void TAdvStringGrid::UnHideRows(int FromRow, int ToRow) {
  if (!HiddenRowItem(FromRow)) return;
  TShowModifiedOff off(FShowModified.get());
  // Records of the range in ascending order; each lands at the display row its real index gives
  // once the rows before it are shown, so displayed rows of the range keep their cells.
  std::vector<TGridItem*> range;
  for (int i = 0; i < FGridItems->Count(); ++i) {
    TGridItem* it = ItemAt(FGridItems.get(), i);
    if (it->Idx() >= FromRow && it->Idx() <= ToRow) range.push_back(it);
  }
  for (TGridItem* it : range) ShowRecord(it);
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem* it = FControlList->GetControl(i);
    if (it->Y == FromRow && it->X == 1 && it->Control) it->Control->Show();
  }
  if (FControlList->Count() > 0) RepositionCellControls();
}

void TAdvStringGrid::UnHideRowsAll() {
  while (FGridItems->Count() > 0) {
    const int first = ItemAt(FGridItems.get(), 0)->Idx();
    int last = first;
    for (int i = 1; i < FGridItems->Count() && ItemAt(FGridItems.get(), i)->Idx() == last + 1; ++i) ++last;
    const int before = FGridItems->Count();
    UnHideRows(first, last);
    if (FGridItems->Count() == before) break;  // a record the grid cannot place: stop, not spin
  }
}

void TAdvStringGrid::UnHideRowList() {
  THideRowsRepaintBatch batch(this);
  const int level = FFilterLevel;
  std::vector<TGridItem*> recs;
  for (int i = 0; i < FGridItems->Count(); ++i)
    if (ItemAt(FGridItems.get(), i)->Level() == level) recs.push_back(ItemAt(FGridItems.get(), i));
  const int n = static_cast<int>(recs.size());
  if (Row() >= RowCount()) FocusCell(FixedCols(), FixedRows(), true);
  // Each record's Idx is the display row it had at its level: placing them in ascending order
  // rebuilds that level's rows.
  auto byIdx = [](TGridItem* a, TGridItem* b) { return a->Idx() < b->Idx(); };
  if (!std::is_sorted(recs.begin(), recs.end(), byIdx)) std::stable_sort(recs.begin(), recs.end(), byIdx);
  const int oldCount = RowCount();
  std::vector<int> heights(static_cast<size_t>(oldCount));
  for (int r = 0; r < oldCount; ++r) heights[static_cast<size_t>(r)] = RowHeights(r);
  if (n > 0) SetRowCount(oldCount + n);
  const int footerRows = FFloatingFooter->Visible() ? 1 : 0;
  int lastOld = oldCount - 1 - footerRows;
  int k = n - 1;
  for (int t = RowCount() - 1 - footerRows; t >= 0 && (k >= 0 || lastOld < t); --t) {
    if (k >= 0 && recs[static_cast<size_t>(k)]->Idx() == t) {
      EmptyStoreRow(t);
      RestoreRowFromRecord(recs[static_cast<size_t>(k)], t);
      --k;
    } else if (lastOld >= 0) {
      MoveStoreRowCells(lastOld, t);
      if (RowHeights(t) != heights[static_cast<size_t>(lastOld)]) SetRowHeights(t, heights[static_cast<size_t>(lastOld)]);
      --lastOld;
    }
  }
  // Only this level's records go: rows hidden by HideRow or by a contracted node keep theirs
  // (and with them their cells) under any number of filter levels.
  for (auto it = recs.rbegin(); it != recs.rend(); ++it) delete *it;
  if (FControlList->Count() > 0) RepositionCellControls();
  // The row count setter recalculated before the rows came back.
  if (FFloatingFooter->Visible()) CalcFooter(-1);
}
