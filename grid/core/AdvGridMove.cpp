// Moving rows and columns by program and by the mouse, with everything that must follow a move
// (column order, hidden-column tables, hidden rows' cells, sort column and indexes, cell
// controls, a partner grid), and the column order itself.
#include <algorithm>
#include <utility>
#include <vector>

#include "grid/core/AdvGrid.h"

namespace {

// Where position P ends up when the entry at From is taken out and inserted at To.
int FollowMove(int P, int From, int To) {
  if (P == From) return To;
  if (From < To && P > From && P <= To) return P - 1;
  if (To < From && P >= To && P < From) return P + 1;
  return P;
}

// Takes the element at From out and inserts it at To.
template <class T, size_t N>
void RotateEntry(std::array<T, N>& A, int From, int To) {
  if (From < 0 || To < 0 || From >= static_cast<int>(N) || To >= static_cast<int>(N) || From == To) return;
  auto f = A.begin() + From, t = A.begin() + To;
  if (From < To) std::rotate(f, f + 1, t + 1);
  else std::rotate(t, f, f + 1);
}

// Sets a flag for a scope, also when an exception passes.
class TFlagScope {
 public:
  explicit TFlagScope(bool& Flag) : FFlag(Flag) { Flag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
};

}  // namespace

// =============================================================================================
// Moving columns

void TAdvStringGrid::MoveColumn(int FromIndex, int ToIndex) {
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() || ToIndex >= ColCount()) return;
  if (FColumnOrder->Count() == 0) SetColumnOrder();
  const int RF = RealColIndex(FromIndex), RT = RealColIndex(ToIndex);
  if (RF < FColumnOrder->Count() && RT < FColumnOrder->Count()) {
    const int home = FColumnOrder->Items(RF);
    FColumnOrder->Delete(RF);
    FColumnOrder->Insert(RT, home);
  }
  // The visibility table and the saved widths are by real column, as the cells are: the hidden
  // columns between the two travel one place with their cells.
  if (FNumHidden > 0) {
    RotateEntry(FVisibleCol, RF, RT);
    RotateEntry(FAllColWidths, RF, RT);
  }
  FMoveRF = RF;
  FMoveRT = RT;
  {
    TFlagScope moving(FColumnMoving);
    // Widths, the cells (by real column, ColumnMovedData), the current column and OnColumnMoved.
    TCustomGrid::MoveColumn(FromIndex, ToIndex);
  }
  FollowMovedColumn(RF, RT, FromIndex, ToIndex);
  RenumberCellControls(true, FromIndex, ToIndex);
  FMoveRF = FMoveRT = -1;
}

void TAdvStringGrid::ColumnMovedData(int FromIndex, int ToIndex) {
  if (FColumnMoving) TBaseGrid::ColumnMovedData(FMoveRF, FMoveRT);
  else TBaseGrid::ColumnMovedData(FromIndex, ToIndex);
}

void TAdvStringGrid::FollowMovedColumn(int RF, int RT, int From, int To) {
  if (FEnhRowColMove) ColMoveFlg = true;
  // Hidden rows keep their cells by real column.
  for (int i = 0; i < FGridItems->Count(); ++i) {
    auto* item = static_cast<TGridItem*>(FGridItems->Items(i));
    TStrings* cells = item->Items();
    const int need = std::max(RF, RT) + 1;
    if (cells->Count() < need && cells->Count() <= std::min(RF, RT)) continue;  // nothing stored there
    while (cells->Count() < need) cells->Add(String());
    cells->Move(RF, RT);
  }
  if (FSortSettings->Column() >= 0) FSortSettings->SetColumn(FollowMove(FSortSettings->Column(), RF, RT));
  if (FSortSettings->IndexShow())
    for (int i = 0; i < FSortIndexes->Count(); ++i)
      FSortIndexes->SetSortColumns(i, FollowMove(FSortIndexes->GetSortColumns(i) & 0xFFFF, RF, RT));
  if (FFloatingFooter->Visible()) RepaintFooterPanel();
  auto* partner = dynamic_cast<TAdvStringGrid*>(FSyncGrid->Grid());
  if (partner && FSyncGrid->MoveColumn() && !FSyncedMove) {
    TFlagScope repeating(partner->FSyncedMove);
    partner->MoveColumn(From, To);
  }
}

// =============================================================================================
// Moving rows

void TAdvStringGrid::MoveRow(int FromIndex, int ToIndex) {
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount() || ToIndex >= RowCount()) return;
  // The fixed footer row stays the last row.
  if (FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow && ToIndex == RowCount() - 1)
    return;
  {
    // The event fires below, once the heights have moved too.
    TMovedEvent handler = std::move(OnRowMoved);
    OnRowMoved = nullptr;
    struct TRestore {
      TMovedEvent& Slot;
      TMovedEvent& Saved;
      ~TRestore() { Slot = std::move(Saved); }
    } restore{OnRowMoved, handler};
    TCustomGrid::MoveRow(FromIndex, ToIndex);
  }
  SetPropsOwnerRows(std::min(FromIndex, ToIndex), std::max(FromIndex, ToIndex));
  if (FEnhRowColMove) ColMoveFlg = true;
  if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
  auto* partner = dynamic_cast<TAdvStringGrid*>(FSyncGrid->Grid());
  if (partner && FSyncGrid->MoveRow() && !FSyncedMove) {
    TFlagScope repeating(partner->FSyncedMove);
    partner->MoveRow(FromIndex, ToIndex);
  }
  RenumberCellControls(false, FromIndex, ToIndex);
}

void TAdvStringGrid::MoveRows(int FromIndex, int ToIndex, int Count) {
  if (FromIndex == ToIndex || Count <= 0) return;
  // Only a block inside the rows moves, and only to a place among them outside the block.
  if (FromIndex < 0 || FromIndex + Count > RowCount() || ToIndex < 0 || ToIndex > RowCount()) return;
  if (ToIndex >= FromIndex && ToIndex <= FromIndex + Count) return;
  const int cols = TotalColCount();
  std::vector<TStringGrid::TStoredRow> block;
  block.reserve(static_cast<size_t>(Count));
  // Taken out as they are: the cell objects travel with the rows and are never freed.
  for (int k = 0; k < Count; ++k) block.push_back(TakeRowCells(FromIndex + k, cols));
  const int to = ToIndex > FromIndex ? ToIndex - Count : ToIndex;
  BeginUpdate();
  try {
    RemoveRowsEx(FromIndex, Count);
    InsertRows(to, Count, true);
    for (int k = 0; k < Count; ++k) PutRowCells(to + k, std::move(block[static_cast<size_t>(k)]), cols);
    SetPropsOwnerRows(to, to + Count - 1);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TAdvStringGrid::RenumberCellControls(bool Columns, int FromIndex, int ToIndex) {
  if (FControlList->Count() == 0) return;
  const int from = Columns ? FMoveRF : RealRowIndex(FromIndex);
  const int to = Columns ? FMoveRT : RealRowIndex(ToIndex);
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem* it = FControlList->GetControl(i);
    int& v = Columns ? it->X : it->Y;
    v = FollowMove(v, from, to);
  }
  CellControlsUpdate(false);
}

// =============================================================================================
// Column order

void TAdvStringGrid::SetColumnOrder() {
  FColumnOrder->Clear();
  for (int i = 0; i < ColCount(); ++i) FColumnOrder->Add(i);
}

int TAdvStringGrid::ColumnPosition(int RCol) const {
  if (FColumnOrder->Count() == 0) return RCol;
  int pos = RCol;
  const int n = std::min(FColumnOrder->Count(), ColCount() + NumHiddenColumns());
  for (int p = 0; p < n; ++p) {
    if (FColumnOrder->Items(p) == RCol) {
      pos = p;
      break;
    }
  }
  if (FGroupColumn >= 0 && RCol >= FGroupColumn) --pos;
  return pos;
}

int TAdvStringGrid::ColumnAtPosition(int APos) {
  if (FColumnOrder->Count() == 0) {
    if (ColCount() == 0) return APos;
    SetColumnOrder();
  }
  if (APos < 0 || APos >= FColumnOrder->Count()) return APos;
  int home = FColumnOrder->Items(APos);
  if (FGroupColumn >= 0 && home >= FGroupColumn) ++home;
  return home;
}

void TAdvStringGrid::ResetColumnOrder() {
  UnHideColumnsAll();
  if (FColumnOrder->Count() == 0) {
    SetColumnOrder();
    return;
  }
  // A recorded order that is no permutation would move columns back and forth for ever: one
  // pass per column is more than any real order needs.
  const int n = std::min(ColCount(), FColumnOrder->Count());
  for (int pass = 0; pass <= n; ++pass) {
    bool moved = false;
    for (int i = 0; i < n; ++i) {
      const int home = FColumnOrder->Items(i);
      if (home < i && home >= 0) {
        MoveColumn(i, home);
        moved = true;
      }
    }
    if (!moved) break;
  }
}

int TAdvStringGrid::ColumnByHeader(const String& AValue) {
  const int all = ColCount() + NumHiddenColumns();
  for (int c = 0; c < all; ++c)
    if (GetCellsEx(c, 0) == AValue) return c;
  return -1;
}
