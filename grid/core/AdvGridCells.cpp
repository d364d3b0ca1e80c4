// Cell access: by real row (hidden rows read and write their records), cell content, the current
// cell, the edit text, cell controls, and the grid's own dimension accessors.
#include <algorithm>

#include "grid/core/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"

namespace {

// Item RCol of a hidden row's record; beyond the record's length there is no text and no object.
bool InRecord(const TGridItem* Item, int RCol) { return RCol >= 0 && RCol < Item->Items()->Count(); }

}  // namespace

// =============================================================================================
// By real row

String TAdvStringGrid::GetCellsEx(int RCol, int RRow) {
  if (RCol < 0 || RRow < 0) return String();
  if (TGridItem* item = HiddenRowItem(RRow)) {
    if (!InRecord(item, RCol)) return String();
    String s = item->Items()->Strings(RCol);
    DoGetDisplText(RCol, RRow, s);
    return s;
  }
  return GetCellEx(RCol, DisplRowIndex(RRow));
}

String TAdvStringGrid::GetGridCellsEx(int RCol, int RRow) const {
  if (RCol < 0 || RRow < 0) return String();
  if (TGridItem* item = HiddenRowItem(RRow)) return InRecord(item, RCol) ? item->Items()->Strings(RCol) : String();
  return GetGridCell(RCol, DisplRowIndex(RRow));
}

void TAdvStringGrid::SetCellsEx(int RCol, int RRow, const String& Value) {
  if (TGridItem* item = HiddenRowItem(RRow)) {
    if (RCol < 0) return;
    while (item->Items()->Count() <= RCol) item->Items()->Add(String());
    item->Items()->SetStrings(RCol, Value);
    return;
  }
  SetCellEx(RCol, DisplRowIndex(RRow), Value);
  int d = DisplColIndex(RCol);
  if (d != RCol) RepaintCell(d, DisplRowIndex(RRow));
}

void TAdvStringGrid::SetGridCellsEx(int RCol, int RRow, const String& Value) {
  if (TGridItem* item = HiddenRowItem(RRow)) {
    item->Items()->SetStrings(RCol, Value);  // no padding: the list's index error beyond it
    return;
  }
  SetGridCell(RCol, DisplRowIndex(RRow), Value);
  int d = DisplColIndex(RCol);
  if (d != RCol) RepaintCell(d, DisplRowIndex(RRow));
}

TObject* TAdvStringGrid::GetRawObjectEx(int RCol, int RRow) const {
  if (RCol < 0 || RRow < 0) return nullptr;
  if (TGridItem* item = HiddenRowItem(RRow)) return InRecord(item, RCol) ? item->Items()->Objects(RCol) : nullptr;
  return GetGridObject(RCol, DisplRowIndex(RRow));
}

TObject* TAdvStringGrid::GetObjectsEx(int RCol, int RRow) const {
  if (RCol < 0 || RRow < 0) return nullptr;
  if (TGridItem* item = HiddenRowItem(RRow)) {
    if (!InRecord(item, RCol)) return nullptr;
    TObject* o = item->Items()->Objects(RCol);
    if (TCellProperties* p = AsCellProperties(o)) return p->CellObject();
    return o;
  }
  return GetObjectEx(RCol, DisplRowIndex(RRow));
}

void TAdvStringGrid::SetObjectsEx(int RCol, int RRow, TObject* AObject) {
  if (TGridItem* item = HiddenRowItem(RRow)) {
    TObject* o = item->Items()->Objects(RCol);  // the list's index error beyond it
    if (TCellProperties* p = AsCellProperties(o))
      p->SetCellObject(AObject);
    else
      item->Items()->SetObjects(RCol, AObject);
    return;
  }
  SetObjectEx(RCol, DisplRowIndex(RRow), AObject);
}

// =============================================================================================
// Cell content

String TAdvStringGrid::GetStrippedCell(int RCol, int DRow) { return StripHTMLTags(GetCellEx(RCol, DRow)); }

void TAdvStringGrid::CellToRich(int RCol, int DRow, TRichEdit* RichEdit) {
  // RTF goes over as its bytes; any other text, and RTF that cannot be read, as every UTF-16 unit
  // it holds (one byte per character would lose all beyond Latin-1).
  String s = GetCellEx(RCol, DRow);
  RichEdit->SetText(s);
}

String TAdvStringGrid::RichToString(TRichEdit* RichEdit) {
  if (FDestroying || ComponentState().Contains(TComponentStateFlag::csDestroying)) return String();
  // Plain text saved as UTF-16 and widened byte by byte would be its bytes, not its text.
  if (RichEdit->PlainText()) return RichEdit->Text();
  TMemoryStream ms;
  RichEdit->Lines()->SaveToStream(&ms, teUTF16LE);
  String s;
  s.reserve(static_cast<size_t>(ms.Size()));
  for (char c : ms.Bytes()) s.push_back(static_cast<unsigned char>(c));
  return s;
}

bool TAdvStringGrid::IsWideCell(int RCol, int DRow) {
  String s = GetCellEx(RCol, DRow);
  return s.size() >= 2 && s[0] == u'|' && s[1] == u'\\';
}

String TAdvStringGrid::GetOriginalCells(int RCol, int DRow) { return GetCellEx(ColumnPosition(RCol), DRow); }

void TAdvStringGrid::SetOriginalCells(int RCol, int DRow, const String& Value) {
  SetCellEx(ColumnPosition(RCol), DRow, Value);
}

TControl* TAdvStringGrid::GetCellControls(int RCol, int DRow) {
  if (!HasCellProperties(RCol, DRow)) return nullptr;
  return GetCellProperties(RCol, DRow)->Control();
}

void TAdvStringGrid::SetCellControls(int RCol, int DRow, TControl* AControl) {
  if (!AControl) {
    if (!HasCellProperties(RCol, DRow)) return;
    TCellProperties* p = GetCellProperties(RCol, DRow);
    if (p->Control()) {
      int idx = FControlList->ControlIndex(RCol, RealRowIndex(DRow));
      if (idx >= 0) FControlList->RemoveControl(idx);
      --FNumCellControls;
    }
    p->SetControl(nullptr);
    return;
  }
  bool had = HasCellProperties(RCol, DRow) && GetCellProperties(RCol, DRow)->Control();
  int idx = FControlList->ControlIndex(RCol, RealRowIndex(DRow));
  if (idx >= 0) FControlList->RemoveControl(idx);
  if (!had) ++FNumCellControls;
  FControlList->AddControl(RCol, RealRowIndex(DRow), AControl);
  GetCellProperties(RCol, DRow)->SetControl(AControl);
  AControl->SetParent(this);
  TRect r = CellRect(DisplColIndex(RCol), DRow);
  AControl->SetBounds(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
}

TGridRect TAdvStringGrid::GetUsedCells() {
  int left = ColCount() - 1, top = RowCount() - 1, right = 0, bottom = 0;
  for (int c = 0; c < ColCount(); ++c) {
    for (int r = 0; r < RowCount(); ++r) {
      if (GetCellEx(c, r).empty()) continue;
      left = std::min(left, c);
      top = std::min(top, r);
      right = std::max(right, c);
      bottom = std::max(bottom, r);
    }
  }
  if (right < left || bottom < top) return TGridRect{0, 0, 0, 0};
  return TGridRect{left, top, right, bottom};
}

void TAdvStringGrid::CellChanged(int RCol, int DRow) {
  TBaseGrid::CellChanged(RCol, DRow);
  UpdateAutoRangeScrollBar(RCol, DRow);
}

// =============================================================================================
// Current cell and edit text

String TAdvStringGrid::GetCurrentCell() {
  TPoint b = BaseCell(GetRealCol(), Row());
  return GetGridCell(b.X, b.Y);
}

String TAdvStringGrid::GetCurrentDisplText() {
  TPoint b = BaseCell(GetRealCol(), Row());
  return GetCellEx(b.X, b.Y);
}

void TAdvStringGrid::SetCurrentCell(const String& Value) {
  TPoint b = BaseCell(GetRealCol(), Row());
  SetCellEx(b.X, b.Y, Value);
}

void TAdvStringGrid::SetCurrentEditText(const String& Value) {
  TPoint b = BaseCell(GetRealCol(), Row());
  TBaseGrid::SetEditText(DisplColIndex(b.X), b.Y, Value);
}

String TAdvStringGrid::GetEditText(int DCol, int DRow) {
  int rc = RealColIndex(DCol);
  TPoint b = BaseCell(rc, DRow);
  String s = GetCellEx(b.X, b.Y);
  return FEditWithTags ? s : StripHTMLTags(s);
}

void TAdvStringGrid::SetEditText(int DCol, int DRow, const String& Value) {
  int rc = RealColIndex(DCol);
  TPoint b = BaseCell(rc, DRow);
  SetCellEx(b.X, b.Y, Value);
}

// =============================================================================================
// Dimensions

void TAdvStringGrid::SetRowCount(int Value) {
  int old = RowCount();
  if (RowCount() == FixedRows() && FFixedRowAlways && FSelHidden) UnHideSelection();
  TCustomGrid::SetRowCount(Value);
  if (FFixedRowAlways && FFixedRowsMin < RowCount()) TCustomGrid::SetFixedRows(FFixedRowsMin);
  FMaxRowCount = std::max(FMaxRowCount, Value);
  SetNormalRowCount(Value);
  RepaintFooterPanel();
  UpdateVScrollBar();
  UpdateHScrollBar();
  UpdateScrollBarsAlways(false);
  if (FFloatingFooter && FFloatingFooter->Visible() && Value != old && old > 0 && RowCount() > 1) {
    // The footer row moves to the new last row. Its cells (with their slots' objects) are moved,
    // never left in two rows: a properties object has one owner slot.
    int from = old - 1, to = RowCount() - 1;
    CopyRowCells(from, to, TotalColCount());
    for (int c = 0; c < TotalColCount(); ++c) {
      if (auto* p = AsCellProperties(GetGridObject(c, to))) p->SetOwnerRow(to);
      SetGridObject(c, from, nullptr);
      SetGridCell(c, from, String());
    }
  }
  if (FFloatingFooter && FFloatingFooter->Visible() && RowCount() != old) CalcFooter(-1);
}

void TAdvStringGrid::HideSelection() {
  FHiddenSelection = Selection();
  SetSelection(TGridRect{ColCount(), RowCount(), ColCount(), RowCount()});
  FSelHidden = true;
}

void TAdvStringGrid::UnHideSelection() {
  FSelHidden = false;
  if (FHiddenSelection.Top < RowCount() && FHiddenSelection.Left < ColCount()) {
    SetSelection(FHiddenSelection);
    return;
  }
  int t = FFixedRowAlways && FixedRows() >= RowCount() ? 0 : FixedRows();
  int l = FFixedColAlways && FixedCols() >= ColCount() ? 0 : FixedCols();
  SetSelection(TGridRect{l, t, l, t});
}

void TAdvStringGrid::SetColCount(int Value) {
  TCustomGrid::SetColCount(Value);
  if (FFixedColAlways && FFixedColsMin < ColCount()) TCustomGrid::SetFixedCols(FFixedColsMin);
  FMaxColCount = std::max(FMaxColCount, Value);
  RepaintFooterPanel();
  SetBounds(Left(), Top(), Width(), Height());
  UpdateVScrollBar();
  UpdateHScrollBar();
  UpdateScrollBarsAlways(false);
}

void TAdvStringGrid::SetCol(int Value) {
  TCustomGrid::SetCol(Value);
  if (FSyncGrid->Grid() && FSyncGrid->SelectionColumn()) {
    if (auto* g = dynamic_cast<TAdvStringGrid*>(FSyncGrid->Grid()))
      g->SetCol(Value);
    else
      FSyncGrid->Grid()->SetCol(Value);
  }
}

int TAdvStringGrid::FixedRows() const {
  int v = TCustomGrid::FixedRows();
  return v == 0 && FFixedRowAlways ? 1 : v;
}

void TAdvStringGrid::SetFixedRows(int Value) {
  int v = Value;
  if (Value >= RowCount() && FFixedRowAlways) v = RowCount() - 1;
  TCustomGrid::SetFixedRows(v);
  if (!Loading()) FFixedRowsMin = Value;
}

int TAdvStringGrid::FixedCols() const {
  int v = TCustomGrid::FixedCols();
  return v == 0 && FFixedColAlways ? 1 : v;
}

void TAdvStringGrid::SetFixedCols(int Value) {
  int v = Value;
  if (Value >= ColCount() && FFixedColAlways) v = ColCount() - 1;
  TCustomGrid::SetFixedCols(v);
  if (!Loading()) FFixedColsMin = Value;
}

void TAdvStringGrid::SetFixedColWidth(int Value) {
  if (Loading() || Value == DefaultColWidth()) return;
  for (int i = 0; i < TCustomGrid::FixedCols(); ++i) SetColWidths(i, Value);
}

void TAdvStringGrid::SetFixedRowHeight(int Value) {
  FFixedRowHeight = Value;
  if (Loading()) return;
  if (Value == DefaultRowHeight()) {
    SetDefaultRowHeight(Value);
    return;
  }
  for (int j = 0; j < TCustomGrid::FixedRows(); ++j) SetRowHeights(j, Value);
}

void TAdvStringGrid::SetDefaultRowHeight(int Value) {
  TCustomGrid::SetDefaultRowHeight(Value);
  if (Designing()) FFixedRowHeight = Value;
  if (FFloatingFooter) {
    FFloatingFooter->SetHeight(Value);
    if (FFloatingFooter->Visible() && FFooterPanel) FFooterPanel->SetHeight(Value);
  }
}

void TAdvStringGrid::SetDefaultAlignment(TAlignment Value) { StoreAndRepaint(FDefaultAlignment, Value); }

void TAdvStringGrid::SetFixedFooters(int Value) {
  FFixedFooters = Value;
  Invalidate();
}

void TAdvStringGrid::SetFixedRightCols(int Value) {
  FFixedRightCols = Value;
  Invalidate();
}

void TAdvStringGrid::SetWordWrap(bool Value) {
  TBaseGrid::SetWordWrap(Value);
  FWordWrapEx = Value;
  if (InplaceEditor()) InplaceEditor()->SetWordWrap(Value);
  if (FUpdateCount == 0) Invalidate();
}

int TAdvStringGrid::SaveStartCol() const { return SaveFixedCells || SaveFixedCols ? 0 : TCustomGrid::FixedCols(); }
int TAdvStringGrid::SaveStartRow() const { return SaveFixedCells || SaveFixedRows ? 0 : TCustomGrid::FixedRows(); }

int TAdvStringGrid::SaveEndCol() const {
  return SaveFixedCells || SaveFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
}

int TAdvStringGrid::SaveEndRow() const {
  return SaveFixedCells || SaveFixedRows ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
}

int TAdvStringGrid::SaveColCount() const {
  return SaveFixedCells || SaveFixedCols ? ColCount() : ColCount() - TCustomGrid::FixedCols() - FFixedRightCols;
}

int TAdvStringGrid::SaveRowCount() const {
  return SaveFixedCells || SaveFixedRows ? RowCount() : RowCount() - TCustomGrid::FixedRows() - FFixedFooters;
}

// =============================================================================================
// Geometry

void TAdvStringGrid::ScreenToCell(TPoint Pt, int& DCol, int& DRow) const {
  TPoint p = ScreenToClient(Pt);
  MouseToCell(p.X, p.Y, DCol, DRow);
}

bool TAdvStringGrid::IsOnSizingEdge(int X, int Y) const {
  int c = -1, r = -1;
  MouseToCell(X, Y, c, r);
  if (c < 0 || r < 0) return false;
  TRect cr = TCustomGrid::CellRect(c, r);
  if (c <= TCustomGrid::FixedCols() && Options().Contains(goRowSizing))
    return std::abs(Y - cr.Top) <= 3 || std::abs(Y - cr.Bottom) <= 3;
  if (r <= TCustomGrid::FixedRows() && Options().Contains(goColSizing))
    return std::abs(X - cr.Left) <= 3 || std::abs(X - cr.Right) <= 3;
  return false;
}

void TAdvStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs) {
  TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs);
  int c = -1, r = -1;
  MouseToCell(X - 6, Y, c, r);
  if (r >= 0 && r < TCustomGrid::FixedRows() && c >= 0 && OnColumnSize) {
    bool allow = true;
    OnColumnSize(this, c, allow);
    if (!allow) State = gsNormal;
  }
  MouseToCell(X, Y - 6, c, r);
  if (c >= 0 && c < TCustomGrid::FixedCols() && r >= 0 && OnRowSize) {
    bool allow = true;
    OnRowSize(this, r, allow);
    if (!allow) State = gsNormal;
  }
}
