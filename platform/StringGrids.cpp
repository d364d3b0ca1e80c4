// The platform's draw grid and string grid on top of the custom grid (platform/Grids.cpp).
#include <algorithm>

#include "platform/Grids.h"

namespace {

[[noreturn]] void StringGridIndexError() { throw EInvalidGridOperation(u"Grid index out of range"); }

}  // namespace

// =============================================================================================
// TDrawGrid

void TDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TDrawGrid::SelectCell(int ACol, int ARow) {
  bool can = TCustomGrid::SelectCell(ACol, ARow);
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
  return can;
}

String TDrawGrid::GetEditText(int ACol, int ARow) {
  String s;
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, s);
  return s;
}

void TDrawGrid::SetEditText(int ACol, int ARow, const String& Value) {
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

String TDrawGrid::GetEditMask(int ACol, int ARow) {
  String s;
  if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, s);
  return s;
}

void TDrawGrid::ColumnMoved(int FromIndex, int ToIndex) {
  if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::RowMoved(int FromIndex, int ToIndex) {
  if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

// =============================================================================================
// TStringGridStrings

int TStringGridStrings::Count() const { return isRow_ ? grid_->ColCount() : grid_->RowCount(); }

void TStringGridStrings::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) Error(u"List index out of bounds (%d)", Index);
}

const String& TStringGridStrings::Strings(int Index) const {
  CheckIndex(Index);
  String& shown = shown_[Index];
  shown.assign(isRow_ ? grid_->CellText(Index, index_) : grid_->CellText(index_, Index));
  return shown;
}

void TStringGridStrings::SetStrings(int Index, const String& S) {
  CheckIndex(Index);
  if (isRow_) grid_->SetCells(Index, index_, S);
  else grid_->SetCells(index_, Index, S);
}

TObject* TStringGridStrings::Objects(int Index) const {
  CheckIndex(Index);
  return isRow_ ? grid_->Objects(Index, index_) : grid_->Objects(index_, Index);
}

void TStringGridStrings::SetObjects(int Index, TObject* AObject) {
  CheckIndex(Index);
  if (isRow_) grid_->SetObjects(Index, index_, AObject);
  else grid_->SetObjects(index_, Index, AObject);
}

int TStringGridStrings::Add(const String& S) { return AddObject(S, nullptr); }

int TStringGridStrings::AddObject(const String& S, TObject* AObject) {
  for (int i = 0; i < Count(); ++i) {
    if (Strings(i).empty()) {
      SetStrings(i, S.empty() ? String(u" ") : S);
      SetObjects(i, AObject);
      return i;
    }
  }
  return -1;
}

void TStringGridStrings::Insert(int, const String&) {
  throw EInvalidGridOperation(u"Cannot insert or delete rows from grid");
}

void TStringGridStrings::Delete(int) { throw EInvalidGridOperation(u"Cannot insert or delete rows from grid"); }

void TStringGridStrings::Clear() {
  for (int i = 0; i < Count(); ++i) {
    SetStrings(i, String());
    SetObjects(i, nullptr);
  }
}

void TStringGridStrings::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TStrings*>(Source);
  if (!src) {
    TStrings::Assign(Source);
    return;
  }
  if (src == this) return;
  // A source aliasing this row or column is read first.
  std::vector<std::pair<String, TObject*>> items;
  for (int i = 0; i < src->Count(); ++i) items.emplace_back(src->Strings(i), src->Objects(i));
  for (int i = 0; i < Count(); ++i) {
    if (static_cast<size_t>(i) < items.size()) {
      SetStrings(i, items[static_cast<size_t>(i)].first);
      SetObjects(i, items[static_cast<size_t>(i)].second);
    } else {
      SetStrings(i, String());
      SetObjects(i, nullptr);
    }
  }
}

// =============================================================================================
// TStringGrid

void TStringGrid::Cell::SetText(std::u16string_view s) {
  static_assert(sizeof(void*) != 8 || sizeof(Cell) == 32);
  const auto n = static_cast<uint32_t>(s.size());
  if (n <= kInline) {
    Char kept[kInline];
    std::copy(s.begin(), s.end(), kept);  // s may be this text
    FreeText();
    std::copy(kept, kept + n, Inline);
  } else {
    Char* block = new Char[n];
    std::copy(s.begin(), s.end(), block);
    FreeText();
    Heap = block;
  }
  Len = n;
}

void TStringGrid::Cell::TakeText(Cell& o) noexcept {
  if (Len > kInline)
    Heap = o.Heap;
  else
    std::copy(o.Inline, o.Inline + Len, Inline);
  o.Len = 0;
}

TStringGrid::Cell& TStringGrid::Cell::operator=(const Cell& o) {
  if (this != &o) {
    Col = o.Col;
    Object = o.Object;
    SetText(o.Text());
  }
  return *this;
}

TStringGrid::Cell& TStringGrid::Cell::operator=(Cell&& o) noexcept {
  if (this != &o) {
    FreeText();
    Col = o.Col;
    Object = o.Object;
    Len = o.Len;
    TakeText(o);
  }
  return *this;
}

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}
TStringGrid::~TStringGrid() = default;

namespace {
template <class Cells>
auto CellAt(Cells& rc, int ACol) {
  // Dense rows hold column c at position c: no search then.
  if (static_cast<size_t>(ACol) < rc.size() && rc[static_cast<size_t>(ACol)].Col == ACol)
    return rc.begin() + ACol;
  return std::lower_bound(rc.begin(), rc.end(), ACol, [](const auto& p, int col) { return p.Col < col; });
}
}  // namespace

TStringGrid::RowCells* TStringGrid::FindRow(int ARow) const {
  if (ARow < 0) return nullptr;
  if (static_cast<size_t>(ARow) < dense_.size()) {
    RowCells& rc = const_cast<RowCells&>(dense_[static_cast<size_t>(ARow)]);
    return rc.empty() ? nullptr : &rc;
  }
  if (ARow == cachedRow_ && cachedCells_) return cachedCells_;
  auto it = far_.find(ARow);
  if (it == far_.end()) return nullptr;
  cachedRow_ = ARow;
  cachedCells_ = const_cast<RowCells*>(&it->second);
  return cachedCells_;
}

int TStringGrid::DenseLimit() const {
  // Rows up to about twice the grid (or the rows stored by position) are kept by position; a
  // cell written far beyond them costs no room for the rows between.
  const size_t lim = std::max<size_t>({1024, dense_.size() * 2, static_cast<size_t>(rowCount_) * 2});
  return static_cast<int>(std::min<size_t>(lim, static_cast<size_t>(std::numeric_limits<int>::max())));
}

void TStringGrid::GrowDense(size_t Size) {
  if (Size <= dense_.size()) return;
  // Geometric steps: far rows that come within reach are moved over once per step.
  Size = std::max(Size, std::min(dense_.size() * 2, static_cast<size_t>(DenseLimit())));
  dense_.resize(Size);
  if (far_.empty()) return;
  ForgetCachedRow();
  for (auto it = far_.begin(); it != far_.end();) {
    if (static_cast<size_t>(it->first) < Size) {
      dense_[static_cast<size_t>(it->first)] = std::move(it->second);
      it = far_.erase(it);
    } else {
      ++it;
    }
  }
}

TStringGrid::RowCells& TStringGrid::RowFor(int ARow) {
  if (static_cast<size_t>(ARow) >= dense_.size() && ARow < DenseLimit()) GrowDense(static_cast<size_t>(ARow) + 1);
  if (static_cast<size_t>(ARow) < dense_.size()) return dense_[static_cast<size_t>(ARow)];
  if (ARow == cachedRow_ && cachedCells_) return *cachedCells_;
  RowCells& rc = far_[ARow];
  cachedRow_ = ARow;
  cachedCells_ = &rc;
  return rc;
}

void TStringGrid::DropRow(int ARow) {
  // An emptied row gives its room back.
  if (static_cast<size_t>(ARow) < dense_.size()) {
    RowCells().swap(dense_[static_cast<size_t>(ARow)]);
    return;
  }
  if (ARow == cachedRow_) ForgetCachedRow();
  far_.erase(ARow);
}

TStringGrid::RowCells TStringGrid::TakeCells(int ARow, int NumCols) {
  RowCells* rc = FindRow(ARow);
  if (!rc) return {};
  if (NumCols > maxCol_ || rc->back().Col < NumCols) {
    RowCells out = std::move(*rc);
    DropRow(ARow);
    return out;
  }
  auto split = std::lower_bound(rc->begin(), rc->end(), NumCols, [](const Cell& p, int col) { return p.Col < col; });
  RowCells out(std::make_move_iterator(rc->begin()), std::make_move_iterator(split));
  rc->erase(rc->begin(), split);
  return out;
}

void TStringGrid::PutCells(int ARow, RowCells&& Cells, int NumCols) {
  RowCells* rc = FindRow(ARow);
  if (!rc || NumCols > maxCol_ || rc->back().Col < NumCols) {
    // The row holds nothing beyond NumCols: the cells replace it as a whole.
    if (Cells.empty()) {
      if (rc) DropRow(ARow);
      return;
    }
    RowFor(ARow) = std::move(Cells);
    return;
  }
  auto split = std::lower_bound(rc->begin(), rc->end(), NumCols, [](const Cell& p, int col) { return p.Col < col; });
  rc->erase(rc->begin(), split);
  rc->insert(rc->begin(), std::make_move_iterator(Cells.begin()), std::make_move_iterator(Cells.end()));
}

void TStringGrid::ShiftRowCells(int Lo, int Hi, int Delta, int NumCols) {
  CheckWrite(0, Lo);
  if (Delta == 0 || Hi <= Lo || NumCols <= 0) return;
  ShiftRows(Lo, Hi, Delta, NumCols);
  InvalidateRect(TGridRect{0, Lo, colCount_ - 1, Hi - 1});
}

void TStringGrid::ShiftRows(int Lo, int Hi, int Delta, int NumCols) {
  if (static_cast<size_t>(Hi) > dense_.size() && Hi <= DenseLimit()) GrowDense(static_cast<size_t>(Hi));
  if (NumCols > maxCol_ && static_cast<size_t>(Hi) <= dense_.size()) {
    // Whole rows travel: the overwritten ones are dropped, the rest rotated into place.
    const int d = std::abs(Delta);
    auto at = [&](int r) { return dense_.begin() + r; };
    if (d >= Hi - Lo) {
      for (int r = Lo; r < Hi; ++r) RowCells().swap(dense_[static_cast<size_t>(r)]);
    } else if (Delta < 0) {
      for (int r = Lo; r < Lo + d; ++r) RowCells().swap(dense_[static_cast<size_t>(r)]);
      std::rotate(at(Lo), at(Lo + d), at(Hi));
    } else {
      for (int r = Hi - d; r < Hi; ++r) RowCells().swap(dense_[static_cast<size_t>(r)]);
      std::rotate(at(Lo), at(Hi - d), at(Hi));
    }
    ForgetCachedRow();
    return;
  }
  if (Delta < 0) {
    for (int r = Lo; r < Hi + Delta; ++r) PutCells(r, TakeCells(r - Delta, NumCols), NumCols);
    for (int r = std::max(Lo, Hi + Delta); r < Hi; ++r) PutCells(r, {}, NumCols);
  } else {
    for (int r = Hi - 1; r >= Lo + Delta; --r) PutCells(r, TakeCells(r - Delta, NumCols), NumCols);
    for (int r = Lo; r < std::min(Hi, Lo + Delta); ++r) PutCells(r, {}, NumCols);
  }
  ForgetCachedRow();
}

void TStringGrid::MoveRowCells(int FromRow, int ToRow, int NumCols) {
  CheckWrite(0, FromRow);
  CheckWrite(0, ToRow);
  if (FromRow == ToRow || NumCols <= 0) return;
  PutCells(ToRow, TakeCells(FromRow, NumCols), NumCols);
  InvalidateRow(FromRow);
  InvalidateRow(ToRow);
}

void TStringGrid::SwapRowCells(int Row1, int Row2, int NumCols) {
  CheckWrite(0, Row1);
  CheckWrite(0, Row2);
  if (Row1 == Row2 || NumCols <= 0) return;
  RowCells a = TakeCells(Row1, NumCols);
  RowCells b = TakeCells(Row2, NumCols);
  PutCells(Row1, std::move(b), NumCols);
  PutCells(Row2, std::move(a), NumCols);
  InvalidateRow(Row1);
  InvalidateRow(Row2);
}

void TStringGrid::PermuteRowCells(int First, const std::vector<int>& From, int NumCols) {
  const int n = static_cast<int>(From.size());
  if (n == 0 || NumCols <= 0) return;
  CheckWrite(0, First);
  const int hi = First + n;
  if (static_cast<size_t>(hi) > dense_.size() && hi <= DenseLimit()) GrowDense(static_cast<size_t>(hi));
  if (NumCols > maxCol_ && static_cast<size_t>(hi) <= dense_.size()) {
    // Whole rows travel: only the row vectors' headers move, through a buffer the grid keeps
    // (a fresh one would cost its pages on every sort of a large grid).
    std::vector<RowCells>& taken = permuteRows_;
    if (taken.size() < static_cast<size_t>(n)) taken.resize(static_cast<size_t>(std::max(n, rowCount_)));
    for (int i = 0; i < n; ++i) taken[static_cast<size_t>(i)].swap(dense_[static_cast<size_t>(First + i)]);
    for (int i = 0; i < n; ++i)
      dense_[static_cast<size_t>(First + i)].swap(taken[static_cast<size_t>(From[static_cast<size_t>(i)])]);
  } else {
    std::vector<RowCells> taken(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) taken[static_cast<size_t>(i)] = TakeCells(First + i, NumCols);
    for (int i = 0; i < n; ++i)
      PutCells(First + i, std::move(taken[static_cast<size_t>(From[static_cast<size_t>(i)])]), NumCols);
  }
  ForgetCachedRow();
  InvalidateRect(TGridRect{0, First, colCount_ - 1, hi - 1});
}

TStringGrid::TStoredRow TStringGrid::TakeRowCells(int ARow, int NumCols) {
  CheckWrite(0, ARow);
  TStoredRow out;
  if (NumCols <= 0) return out;
  out.FCells = TakeCells(ARow, NumCols);
  out.FMayHoldObjects = objectsStored_;
  out.FMaxCol = std::min(maxCol_, NumCols - 1);
  InvalidateRow(ARow);
  return out;
}

void TStringGrid::PutRowCells(int ARow, TStoredRow&& Cells, int NumCols) {
  CheckWrite(0, ARow);
  // Cells at or beyond NumCols would break the row's column order: they are not put.
  RowCells in = std::move(Cells.FCells);
  const int maxCol = Cells.FMaxCol;
  if (!in.empty()) {
    objectsStored_ = objectsStored_ || Cells.FMayHoldObjects;
    maxCol_ = std::max(maxCol_, std::min(maxCol, NumCols - 1));
  }
  Cells.Clear();
  // When no cell can lie at NumCols or beyond, the cells are not read (a bulk move of rows then
  // never touches their memory).
  if (maxCol >= NumCols)
    in.erase(std::lower_bound(in.begin(), in.end(), NumCols, [](const Cell& p, int col) { return p.Col < col; }), in.end());
  if (NumCols > 0) PutCells(ARow, std::move(in), NumCols);
  InvalidateRow(ARow);
}

const TStringGrid::Cell* TStringGrid::Find(int ACol, int ARow) const {
  RowCells* rc = FindRow(ARow);
  if (!rc) return nullptr;
  auto c = CellAt(*rc, ACol);
  if (c == rc->end() || c->Col != ACol) return nullptr;
  return &*c;
}

TStringGrid::Cell& TStringGrid::Slot(int ACol, int ARow) {
  RowCells& rc = RowFor(ARow);
  maxCol_ = std::max(maxCol_, ACol);
  auto c = rc.end();  // rows are mostly filled left to right
  if (!rc.empty() && rc.back().Col >= ACol) {
    c = CellAt(rc, ACol);
    if (c != rc.end() && c->Col == ACol) return *c;
  }
  if (rc.size() == rc.capacity()) {
    // Growth stops at ColCount, so a full row carries no spare room.
    const auto at = c - rc.begin();
    size_t room = std::max<size_t>(4, rc.size() * 2);
    if (static_cast<size_t>(colCount_) > rc.size()) room = std::min(room, static_cast<size_t>(colCount_));
    rc.reserve(room);
    c = rc.begin() + at;
  }
  return *rc.emplace(c, ACol);
}

void TStringGrid::Prune(int ACol, int ARow) {
  RowCells* rc = FindRow(ARow);
  if (!rc) return;
  auto c = CellAt(*rc, ACol);
  if (c == rc->end() || c->Col != ACol) return;
  if (!c->Unused()) return;
  rc->erase(c);
  if (rc->empty()) DropRow(ARow);
}

void TStringGrid::CheckWrite(int ACol, int ARow) const {
  if (ACol < 0 || ARow < 0) StringGridIndexError();
}

std::u16string_view TStringGrid::CellText(int ACol, int ARow) const {
  const Cell* c = Find(ACol, ARow);
  return c ? c->Text() : std::u16string_view();
}

String TStringGrid::Cells(int ACol, int ARow) const { return String(CellText(ACol, ARow)); }

void TStringGrid::SetCells(int ACol, int ARow, const String& Value) {
  CheckWrite(ACol, ARow);
  if (Value.empty()) {
    if (const Cell* c = Find(ACol, ARow)) {
      const_cast<Cell*>(c)->SetText({});
      Prune(ACol, ARow);
    }
  } else {
    Slot(ACol, ARow).SetText(Value);
  }
  InvalidateCell(ACol, ARow);
}

TObject* TStringGrid::Objects(int ACol, int ARow) const {
  const Cell* c = Find(ACol, ARow);
  return c ? c->Object : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) {
  CheckWrite(ACol, ARow);
  if (!Value) {
    if (const Cell* c = Find(ACol, ARow)) {
      const_cast<Cell*>(c)->Object = nullptr;
      Prune(ACol, ARow);
    }
  } else {
    Slot(ACol, ARow).Object = Value;
    objectsStored_ = true;
  }
}

TStrings* TStringGrid::Rows(int Index) {
  if (Index < 0) StringGridIndexError();
  auto& v = rowViews_[Index];
  if (!v) v = std::make_unique<TStringGridStrings>(this, true, Index);
  return v.get();
}

TStrings* TStringGrid::Cols(int Index) {
  if (Index < 0) StringGridIndexError();
  auto& v = colViews_[Index];
  if (!v) v = std::make_unique<TStringGridStrings>(this, false, Index);
  return v.get();
}

void TStringGrid::SetRows(int Index, TStrings* Value) { Rows(Index)->Assign(Value); }
void TStringGrid::SetCols(int Index, TStrings* Value) { Cols(Index)->Assign(Value); }

void TStringGrid::CopyRowCells(int FromRow, int ToRow, int NumCols) {
  CheckWrite(0, FromRow);
  CheckWrite(0, ToRow);
  if (FromRow == ToRow || NumCols <= 0) return;
  // Read first: the source row's storage may move while the target is written.
  RowCells src;
  if (RowCells* from = FindRow(FromRow)) {
    for (const Cell& p : *from) {
      if (p.Col < NumCols) src.push_back(p);
    }
  }
  if (RowCells* rc = FindRow(ToRow)) {
    rc->erase(std::remove_if(rc->begin(), rc->end(), [&](const Cell& p) { return p.Col < NumCols; }), rc->end());
    if (rc->empty()) DropRow(ToRow);
  }
  for (Cell& p : src) Slot(p.Col, ToRow) = std::move(p);
  InvalidateRow(ToRow);
}

size_t TStringGrid::StoredCellCount() const {
  size_t n = 0;
  for (const RowCells& rc : dense_) n += rc.size();
  for (const auto& [r, rc] : far_) n += rc.size();
  return n;
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (!defaultDrawing_) {
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
    return;
  }
  TCanvas* cv = Canvas();
  const std::u16string_view s = CellText(ACol, ARow);
  if (!s.empty()) cv->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, String(s));
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

String TStringGrid::GetEditText(int ACol, int ARow) {
  String s = Cells(ACol, ARow);
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, s);
  return s;
}

void TStringGrid::SetEditText(int ACol, int ARow, const String& Value) {
  SetCells(ACol, ARow, Value);
  TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::ColumnMovedData(int FromIndex, int ToIndex) {
  // Every stored row moves its cell at FromIndex to ToIndex; those between shift by one.
  int lo = std::min(FromIndex, ToIndex), hi = std::max(FromIndex, ToIndex);
  auto follow = [&](int x) {
    if (x == FromIndex) return ToIndex;
    if (x < lo || x > hi) return x;
    return FromIndex < ToIndex ? x - 1 : x + 1;
  };
  maxCol_ = std::max(maxCol_, hi);
  auto moveIn = [&](RowCells& rc) {
    bool touched = false;
    for (Cell& p : rc) {
      if (p.Col >= lo && p.Col <= hi) {
        p.Col = follow(p.Col);
        touched = true;
      }
    }
    if (touched) std::sort(rc.begin(), rc.end(), [](const Cell& a, const Cell& b) { return a.Col < b.Col; });
  };
  for (RowCells& rc : dense_) moveIn(rc);
  for (auto& [r, rc] : far_) moveIn(rc);
}

void TStringGrid::RowMovedData(int FromIndex, int ToIndex) {
  // Every column travels: the row at FromIndex goes to ToIndex, those between shift by one.
  const int all = std::numeric_limits<int>::max();
  RowCells moving = TakeCells(FromIndex, all);
  if (FromIndex < ToIndex) {
    ShiftRows(FromIndex, ToIndex + 1, -1, all);
  } else {
    ShiftRows(ToIndex, FromIndex + 1, 1, all);
  }
  PutCells(ToIndex, std::move(moving), all);
  ForgetCachedRow();
}

void TStringGrid::DeleteColumnData(int ACol) {
  // Columns up to ColCount - 1 have been rotated so that ACol is the deleted one; its cells go.
  ForgetCachedRow();
  auto drop = [&](RowCells& rc) {
    rc.erase(std::remove_if(rc.begin(), rc.end(), [&](const Cell& p) { return p.Col == ACol; }), rc.end());
  };
  for (RowCells& rc : dense_) {
    drop(rc);
    if (rc.empty()) RowCells().swap(rc);
  }
  for (auto it = far_.begin(); it != far_.end();) {
    drop(it->second);
    it = it->second.empty() ? far_.erase(it) : std::next(it);
  }
}

void TStringGrid::DeleteRowData(int ARow) {
  if (FindRow(ARow)) DropRow(ARow);
}
