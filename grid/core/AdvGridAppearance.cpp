// Setters that store and repaint, stretching a column to the client width, the reactions to
// width, height and count changes, the grid's own scroll messages, and the listeners.
#include <algorithm>
#include <cmath>

#include "grid/core/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"

namespace {

// The first index a thumb position (0..127) stands for, rounded as the system's MulDiv does.
int MulDiv(int Number, int Numerator, int Denominator) {
  if (Denominator == 0) return -1;
  const long long p = static_cast<long long>(Number) * Numerator;
  return static_cast<int>((p >= 0 ? p + Denominator / 2 : p - Denominator / 2) / Denominator);
}

}  // namespace

void TAdvStringGrid::SetHighlightColor(TColor Value) {
  if (FHighlightColor == Value) return;
  FHighlightColor = Value;
  // The renderer's highlight colours are process-wide: the grid that set them last wins.
  SetHighlightColors(FHighlightColor, FHighlightTextColor);
  Invalidate();
}

void TAdvStringGrid::SetHighlightTextColor(TColor Value) {
  if (FHighlightTextColor == Value) return;
  FHighlightTextColor = Value;
  SetHighlightColors(FHighlightColor, FHighlightTextColor);
  Invalidate();
}

void TAdvStringGrid::SetShowDesignHelper(bool Value) { StoreAndRepaint(FShowDesignHelper, Value); }

void TAdvStringGrid::SetRowIndicator(TBitmap* Value) {
  FRowIndicator->Assign(Value);
  RepaintCell(0, Row());
}

// ---------------------------------------------------------------------------------------------
// Stretching and sizing

void TAdvStringGrid::StretchColumn(int Index) {
  if (Loading() || FDestroying || ComponentState().Contains(TComponentStateFlag::csDestroying)) return;
  if (Index == -1) Index = ColCount() - 1;
  if (Index >= ColCount()) throw Exception(u"Stretch column index out of range");
  if (ColCount() == 0 || !FColumnSize->Stretch() || FIsColChanging || Index < 0) return;
  FIsColChanging = true;
  ColchgFlg = false;
  const TRect client = ClientRect();
  const int clientWidth = client.Right - client.Left;
  if (ColCount() == 1) {
    SetColWidths(Index, clientWidth);
  } else {
    int sum = 0;
    for (int i = 0; i < ColCount(); ++i)
      if (i != Index) sum += ColWidths(i);
    if (sum < clientWidth)
      SetColWidths(Index, clientWidth - sum - 1);
    else if (LeftCol() == FixedCols())
      SetColWidths(Index, DefaultColWidth());
  }
  ColchgFlg = true;
  FIsColChanging = false;
}

void TAdvStringGrid::DoUpdateColumnSize(int ACol, int& AWidth) {
  if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

bool TAdvStringGrid::SizingReady() const {
  // The constructor sets counts and extents before it has made every owned object.
  return FColumnSize && FMouseActions && FCellGraphic && FFloatingFooter && !FDestroying;
}

void TAdvStringGrid::ScaleOtherExtents(bool Rows, int Sized, int OldSize) {
  const int first = Rows ? FixedRows() : FixedCols();
  const int count = Rows ? RowCount() : ColCount();
  const double f = static_cast<double>(Rows ? RowHeights(Sized) : ColWidths(Sized)) / OldSize;
  for (int i = first; i < count; ++i) {
    if (i == Sized) continue;
    const int v = static_cast<int>(std::lround((Rows ? RowHeights(i) : ColWidths(i)) * f));
    if (Rows)
      SetRowHeights(i, v);
    else
      SetColWidths(i, v);
  }
}

void TAdvStringGrid::ColWidthsChanged() {
  if (!SizingReady()) {
    TBaseGrid::ColWidthsChanged();
    return;
  }
  if (ColchgFlg) StretchColumn(FColumnSize->StretchColumn());
  TBaseGrid::ColWidthsChanged();
  ColSizeFlg = true;
  if (ColSized && FMouseActions->AllColumnSize() && Colclickedsize > 0 && Colclicked >= 0 && Colclicked < ColCount()) {
    ColSized = false;
    ScaleOtherExtents(false, Colclicked, Colclickedsize);
    ColSized = true;
  }
  if (ColSized) {
    if (OnEndColumnSize) OnEndColumnSize(this, Colclicked);
    if (Colclicked >= 0 && Colclicked < ColCount()) {
      int w = ColWidths(Colclicked);
      const int before = w;
      DoUpdateColumnSize(Colclicked, w);
      if (w != before) {
        ColSized = false;
        SetColWidths(Colclicked, w);
        ColSized = true;
      }
    }
    if (ColSized) {
      Colclicked = -1;
      Rowclicked = -1;
    }
  }
  ColSized = false;
  if (HasCheckBox(GetRealCol(), Row())) HideInplaceEdit();
  RepaintFooterPanel();
}

void TAdvStringGrid::RowHeightsChanged() {
  if (!SizingReady()) {
    TBaseGrid::RowHeightsChanged();
    return;
  }
  TBaseGrid::RowHeightsChanged();
  if (Rowsized && FMouseActions->AllRowSize() && Rowclickedsize > 0 && Rowclicked >= 0 && Rowclicked < RowCount()) {
    Rowsized = false;
    ScaleOtherExtents(true, Rowclicked, Rowclickedsize);
    Rowsized = true;
  }
  if (Rowsized) {
    if (OnEndRowSize) OnEndRowSize(this, Rowclicked);
    Colclicked = -1;
    Rowclicked = -1;
  }
  Rowsized = false;
  if (HasCheckBox(GetRealCol(), Row())) HideInplaceEdit();
}

void TAdvStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
  if (!SizingReady() || !Parent() || Loading()) return;
  if (FColumnSize->Stretch()) StretchColumn(FColumnSize->StretchColumn());
  TBaseGrid::SizeChanged(OldColCount, OldRowCount);
}

void TAdvStringGrid::AppendRowVirtual() { SetRowCount(RowCount() + 1); }

// ---------------------------------------------------------------------------------------------
// Scroll messages on the grid's own bars

void TAdvStringGrid::CellScrollBarMessage(TMessage& Message) {
  const unsigned code = Message.WParam & 0xFFFF;
  const int pos = static_cast<int>((Message.WParam >> 16) & 0xFFFF);
  const int old = FScrollBar->Position();
  TBaseGrid::WndProc(Message);  // the bar's own step
  int p = old;
  switch (code) {
    case SB_LINEUP:
      p = std::max(old - 10, FScrollBar->Min());
      break;
    case SB_LINEDOWN:
      p = std::min(old + 10, FScrollBar->Max());
      break;
    case SB_PAGEUP:
      p = old - 100;
      break;
    case SB_PAGEDOWN:
      p = old + 100;
      break;
    case SB_THUMBTRACK:
      p = pos;
      break;
    default:
      break;
  }
  FScrollBar->SetPosition(p);  // kept within the bar's range
  p = FScrollBar->Position();
  if (p == old || GetScrollPosition(FScrollCol, FScrollRow) < 0) return;
  Message.Result = 1;
  SetScrollPosition(FScrollCol, FScrollRow, p);
  DoScrollCell(FScrollCol, FScrollRow, p, FScrollBar->Min(), FScrollBar->Max());
}

void TAdvStringGrid::WMScroll(TMessage& Message) {
  if (FScrollBar && Message.LParam == reinterpret_cast<intptr_t>(FScrollBar) && !Designing()) {
    CellScrollBarMessage(Message);
    return;
  }
  if (Message.LParam != 0) {  // another child's bar: passed back to it
    TBaseGrid::WndProc(Message);
    return;
  }
  const bool vertical = Message.Msg == WM_VSCROLL;
  const unsigned code = Message.WParam & 0xFFFF;
  const int pos = static_cast<int>((Message.WParam >> 16) & 0xFFFF);
  if (!vertical) {
    const int c = FixedCols() + MulDiv(pos, ColCount() - VisibleColCount() - FixedCols(), 127);
    ScrollHint(false, code, c);
    if (code == SB_THUMBTRACK && FScrollSynch) SetLeftCol(c);
    if (FixedCols() == 0 && c >= Col()) HideInplaceEdit();
    TBaseGrid::WndProc(Message);
    RepaintFooterPanel();
  } else {
    const int r = FixedRows() + MulDiv(pos, RowCount() - VisibleRowCount() - FixedRows(), 127);
    ScrollHint(true, code, r);
    if (code == SB_THUMBTRACK && FScrollSynch) SetTopRowEx(r);
    const bool search = FSearchFooter->Visible();
    const bool down = code == SB_ENDSCROLL || code == SB_LINEDOWN;
    if (search && down && LastRowAboveSearchFooter()) {
      Message.Result = 1;
      return;
    }
    TBaseGrid::WndProc(Message);
    if (search && TopRow() == RowCount() - VisibleRowCount()) {
      if (code == SB_LINEUP) SetTopRow(TopRow() - 1);
      else if (down) AdjustTopRowForSearchFooter();
    }
  }
  if (HasCheckBox(GetRealCol(), Row())) HideEditor();
}

unsigned TAdvStringGrid::DialogCode() const {
  unsigned code = TBaseGrid::DialogCode();
  if (!FNavigation || FNavigation->AutoGotoWhenSorted() || !Options().Contains(goEditing)) code |= DLGC_WANTCHARS;
  return code;
}

// ---------------------------------------------------------------------------------------------
// Listeners

void TAdvStringGrid::RegisterSelListener(std::shared_ptr<ITAdvStringGridSelect> AListener) {
  FISelect = std::move(AListener);
}

void TAdvStringGrid::UnRegisterSelListener(std::shared_ptr<ITAdvStringGridSelect> AListener) {
  (void)AListener;
  FISelect.reset();
}

void TAdvStringGrid::RegisterNotifier(TGridChangeNotifier* ANotifier) {
  if (FNotifierList->IndexOf(ANotifier) < 0) FNotifierList->Add(ANotifier);
}

void TAdvStringGrid::UnRegisterNotifier(TGridChangeNotifier* ANotifier) { FNotifierList->Remove(ANotifier); }
