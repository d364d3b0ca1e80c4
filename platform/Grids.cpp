#include "platform/Grids.h"

#include <QPainter>
#include <QWidget>
#include "platform/qt/QtCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "platform/Forms.h"
#include "platform/TimeSource.h"

namespace {

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

[[noreturn]] void GridIndexError() { throw EInvalidGridOperation(u"Grid index out of range"); }

// 64-bit a * b / c, truncating; c = 0 gives 0.
int MulDivTrunc(int a, int b, int c) {
  if (c == 0) return 0;
  return static_cast<int>(static_cast<int64_t>(a) * b / c);
}

// Moves element From to position To in a vector, shifting those between.
template <class T>
void MoveElement(std::vector<T>& v, int From, int To) {
  if (From == To) return;
  T x = std::move(v[static_cast<size_t>(From)]);
  v.erase(v.begin() + From);
  v.insert(v.begin() + To, std::move(x));
}

}  // namespace

// =============================================================================================
// TInplaceEdit

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  // Made by the grid's editor factory with the grid as owner: the grid is known from the start.
  grid_ = dynamic_cast<TCustomGrid*>(AOwner);
  visible_ = false;
  tabStop_ = false;
}

void TInplaceEdit::Deselect() { SetSelLength(0); }

void TInplaceEdit::SetTextKeepCell(const String& s) {
  if (!grid_) {
    SetText(s);
    return;
  }
  const bool was = grid_->fillingEditor_;
  grid_->fillingEditor_ = true;
  try {
    SetText(s);
  } catch (...) {
    grid_->fillingEditor_ = was;
    throw;
  }
  grid_->fillingEditor_ = was;
}

void TInplaceEdit::Hide() {
  if (!TControl::Visible()) return;
  // The focus goes back to the grid first, so that it never leaves the grid on the way.
  if (grid_ && Focused() && !losingFocus_ && grid_->CanFocus()) grid_->SetFocus();
  TControl::SetVisible(false);
}

void TInplaceEdit::Invalidate() {
  TControl::Invalidate();
  if (grid_) grid_->InvalidateClientRect(BoundsRect());
}

void TInplaceEdit::Move(const TRect& Loc) {
  // A cell out of view has no place for the editor.
  if (Loc.IsEmpty()) {
    Hide();
    return;
  }
  SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
  BoundsChanged();
  if (!TControl::Visible()) TControl::SetVisible(true);
}

bool TInplaceEdit::PosEqual(const TRect& Rect) const { return BoundsRect() == Rect; }

void TInplaceEdit::SetFocus() {
  if (TControl::Visible() && CanFocus()) TWinControl::SetFocus();
}

void TInplaceEdit::UpdateLoc(const TRect& Loc) { Move(Loc); }

void TInplaceEdit::BoundsChanged() {}

void TInplaceEdit::UpdateContents() {
  if (!grid_) return;
  SetEditMask(grid_->GetEditMask(grid_->Col(), grid_->Row()));
  grid_->fillingEditor_ = true;
  try {
    SetText(grid_->GetEditText(grid_->Col(), grid_->Row()));
  } catch (...) {
    grid_->fillingEditor_ = false;
    throw;
  }
  grid_->fillingEditor_ = false;
  SetMaxLength(grid_->GetEditLimit());
  SetModified(false);
}

unsigned TInplaceEdit::DialogCode() const {
  unsigned code = TCustomMaskEdit::DialogCode() | DLGC_WANTARROWS;
  if (grid_ && grid_->Options().Contains(goTabs)) code |= DLGC_WANTTAB;
  return code;
}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomMaskEdit::KeyDown(Key, Shift);
  if (Key == 0 || !grid_) return;
  // Keys that leave the cell go to the grid; the others stay with the text.
  auto sendToGrid = [&] {
    grid_->KeyDown(Key, Shift);
    Key = 0;
  };
  bool multi = multiLine_ && wordWrap_;
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
      sendToGrid();
      break;
    case VK_TAB:
      if (!Shift.Contains(ssAlt)) sendToGrid();
      break;
    case VK_LEFT:
      if (SelStart() == 0 && SelLength() == 0 && !Shift.Contains(ssShift)) sendToGrid();
      break;
    case VK_RIGHT:
      if (SelStart() >= static_cast<int>(Text().size()) && SelLength() == 0 && !Shift.Contains(ssShift))
        sendToGrid();
      break;
    case VK_HOME:
    case VK_END:
      if (Shift.Contains(ssCtrl)) sendToGrid();
      break;
    case VK_F2:
      Key = 0;
      break;
    default:
      break;
  }
  (void)multi;
}

void TInplaceEdit::KeyPress(Char& Key) {
  // The grid hears every key first (its key press toggles the editor on Enter).
  if (grid_) grid_->KeyPress(Key);
  if (Key >= 32 && grid_ && !grid_->CanEditAcceptKey(Key)) Key = 0;
  switch (Key) {
    case 9:
    case 27:
      Key = 0;
      break;
    case 13:
      if (SelStart() == 0 && SelLength() == static_cast<int>(Text().size())) {
        if (grid_) grid_->SetEditorMode(false);
      } else {
        SelectAll();
      }
      Key = 0;
      break;
    default:
      if ((Key == 8 || Key == 22 || Key == 24 || Key >= 32) && grid_ && !grid_->CanEditModify()) Key = 0;
      break;
  }
  if (Key != 0) TCustomMaskEdit::KeyPress(Key);
}

void TInplaceEdit::KeyUp(Word& Key, TShiftState Shift) {
  TCustomMaskEdit::KeyUp(Key, Shift);
  if (Key != 0 && grid_) grid_->KeyUp(Key, Shift);
}


void TInplaceEdit::Change() {
  TCustomMaskEdit::Change();
  if (grid_ && grid_->editorMode_ && !grid_->fillingEditor_) grid_->SetEditText(grid_->Col(), grid_->Row(), Text());
}

void TInplaceEdit::WndProc(TMessage& m) {
  if (m.Msg == WM_KILLFOCUS) {
    const bool was = losingFocus_;
    losingFocus_ = true;
    try {
      TCustomMaskEdit::WndProc(m);
    } catch (...) {
      losingFocus_ = was;
      throw;
    }
    losingFocus_ = was;
    return;
  }
  if (m.Msg == WM_LBUTTONDOWN && grid_) {
    // A second click soon after the first is the grid's double click.
    uint32_t now = GetTickCount();
    if (lastClickValid_ && TicksElapsed(lastClick_, now) < clickTime_) {
      lastClickValid_ = false;
      grid_->DblClick();
    } else {
      lastClick_ = now;
      lastClickValid_ = true;
    }
  }
  TCustomMaskEdit::WndProc(m);
}

// =============================================================================================
// TCustomGrid: construction, counts, extents

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  controlStyle_ = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csNeedsBorderPaint};
  tabStop_ = true;
  color_ = clWindow;
  width_ = 320;
  height_ = 120;
}

TCustomGrid::~TCustomGrid() {
  if (GetCapture() == this) ReleaseCapture();
  KillTimer(this, kScrollTimer);
  KillTimer(this, kRepeatTimer);
}

void TCustomGrid::SetColCount(int Value) {
  if (Value < 1) Value = 1;
  if (Value == colCount_) return;
  if (Value <= fixedCols_) fixedCols_ = Value - 1;
  int old = colCount_;
  colCount_ = Value;
  if (!colWidths_.empty()) {
    for (size_t i = static_cast<size_t>(Value); i < colWidths_.size(); ++i) colSum_ -= colWidths_[i];
    if (Value > old) colSum_ += static_cast<int64_t>(Value - old) * defaultColWidth_;
    colWidths_.resize(static_cast<size_t>(Value), defaultColWidth_);
  }
  ExtentsChanged(false);
  if (!tabStops_.empty()) tabStops_.resize(static_cast<size_t>(Value), 1);
  // The current cell, anchor and view stay inside the grid.
  // A current cell or anchor inside the old grid stays inside; a parked one stays parked.
  if (current_.X >= 0 && current_.X < old) current_.X = Clamp(current_.X, fixedCols_, colCount_ - 1);
  if (anchor_.X >= 0 && anchor_.X < old) anchor_.X = Clamp(anchor_.X, fixedCols_, colCount_ - 1);
  if (options_.Contains(goRowSelect) && anchor_.X >= 0 && anchor_.X < colCount_) anchor_.X = colCount_ - 1;
  TGridCoord max = CalcMaxTopLeft();
  topLeft_.X = Clamp(topLeft_.X, fixedCols_, std::max(fixedCols_, max.X));
  SizeChanged(old, rowCount_);
  UpdateScrollBars();
  InvalidateGrid();
}

void TCustomGrid::SetRowCount(int Value) {
  if (Value < 1) Value = 1;
  if (Value == rowCount_) return;
  if (Value <= fixedRows_) fixedRows_ = Value - 1;
  int old = rowCount_;
  rowCount_ = Value;
  if (!rowHeights_.empty()) {
    for (size_t i = static_cast<size_t>(Value); i < rowHeights_.size(); ++i) rowSum_ -= rowHeights_[i];
    if (Value > old) rowSum_ += static_cast<int64_t>(Value - old) * defaultRowHeight_;
    rowHeights_.resize(static_cast<size_t>(Value), defaultRowHeight_);
  }
  ExtentsChanged(true);
  if (current_.Y >= 0 && current_.Y < old) current_.Y = Clamp(current_.Y, fixedRows_, rowCount_ - 1);
  if (anchor_.Y >= 0 && anchor_.Y < old) anchor_.Y = Clamp(anchor_.Y, fixedRows_, rowCount_ - 1);
  TGridCoord max = CalcMaxTopLeft();
  topLeft_.Y = Clamp(topLeft_.Y, fixedRows_, std::max(fixedRows_, max.Y));
  SizeChanged(colCount_, old);
  UpdateScrollBars();
  InvalidateGrid();
}

void TCustomGrid::SetFixedCols(int Value) {
  if (Value < 0) throw EInvalidGridOperation(u"Grid index out of range");
  if (Value >= colCount_) throw EInvalidGridOperation(u"Fixed column count must be less than column count");
  fixedCols_ = Value;
  if (current_.X < Value) current_.X = Value;
  if (anchor_.X < Value) anchor_.X = Value;
  topLeft_.X = std::max(topLeft_.X, Value);
  if (topLeft_.X > Value) topLeft_.X = Clamp(topLeft_.X, Value, std::max(Value, CalcMaxTopLeft().X));
  if (options_.Contains(goRowSelect)) current_.X = Value;
  UpdateScrollBars();
  InvalidateGrid();
}

void TCustomGrid::SetFixedRows(int Value) {
  if (Value < 0) throw EInvalidGridOperation(u"Grid index out of range");
  if (Value >= rowCount_) throw EInvalidGridOperation(u"Fixed row count must be less than row count");
  fixedRows_ = Value;
  if (current_.Y < Value) current_.Y = Value;
  if (anchor_.Y < Value) anchor_.Y = Value;
  topLeft_.Y = std::max(topLeft_.Y, Value);
  if (topLeft_.Y > Value) topLeft_.Y = Clamp(topLeft_.Y, Value, std::max(Value, CalcMaxTopLeft().Y));
  UpdateScrollBars();
  InvalidateGrid();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  if (Value < 0) Value = 0;
  defaultColWidth_ = Value;
  colWidths_.clear();
  ExtentsChanged(false);
  ColWidthsChanged();
  UpdateScrollBars();
  InvalidateGrid();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  if (Value < 0) Value = 0;
  defaultRowHeight_ = Value;
  rowHeights_.clear();
  ExtentsChanged(true);
  RowHeightsChanged();
  UpdateScrollBars();
  InvalidateGrid();
}

int TCustomGrid::ColWidths(int Index) const {
  if (Index < 0 || Index >= colCount_) return defaultColWidth_;
  return colWidths_.empty() ? defaultColWidth_ : colWidths_[static_cast<size_t>(Index)];
}

int TCustomGrid::RowHeights(int Index) const {
  if (Index < 0 || Index >= rowCount_) return defaultRowHeight_;
  return rowHeights_.empty() ? defaultRowHeight_ : rowHeights_[static_cast<size_t>(Index)];
}

void TCustomGrid::SetColWidths(int Index, int Value) {
  if (Index < 0 || Index >= colCount_) GridIndexError();
  if (Value < 0) Value = 0;
  if (colWidths_.empty()) {
    if (Value == defaultColWidth_) return;
    colWidths_.assign(static_cast<size_t>(colCount_), defaultColWidth_);
    colSum_ = static_cast<int64_t>(colCount_) * defaultColWidth_;
  }
  if (colWidths_[static_cast<size_t>(Index)] == Value) return;
  colSum_ += Value - colWidths_[static_cast<size_t>(Index)];
  colWidths_[static_cast<size_t>(Index)] = Value;
  ExtentsChanged(false);
  ColWidthsChanged();
  UpdateScrollBars();
  InvalidateGrid();
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
  if (Index < 0 || Index >= rowCount_) GridIndexError();
  if (Value < 0) Value = 0;
  if (rowHeights_.empty()) {
    if (Value == defaultRowHeight_) return;
    rowHeights_.assign(static_cast<size_t>(rowCount_), defaultRowHeight_);
    rowSum_ = static_cast<int64_t>(rowCount_) * defaultRowHeight_;
  }
  if (rowHeights_[static_cast<size_t>(Index)] == Value) return;
  rowSum_ += Value - rowHeights_[static_cast<size_t>(Index)];
  rowHeights_[static_cast<size_t>(Index)] = Value;
  ExtentsChanged(true);
  RowHeightsChanged();
  UpdateScrollBars();
  InvalidateGrid();
}

void TCustomGrid::SetGridLineWidth(int Value) {
  if (Value < 0) Value = 0;
  if (Value == gridLineWidth_) return;
  gridLineWidth_ = Value;
  UpdateScrollBars();
  InvalidateGrid();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value == options_) return;
  if (Value.Contains(goRowSelect)) Value.Exclude(goAlwaysShowEditor);
  options_ = Value;
  if (!options_.Contains(goEditing)) HideEditor();
  if (options_.Contains(goRowSelect) && current_.X >= 0 && current_.X < colCount_) {
    current_.X = fixedCols_;
    anchor_.X = colCount_ - 1;
  }
  if (options_.Contains(goAlwaysShowEditor) && options_.Contains(goEditing) && IsActiveControl()) ShowEditor();
  UpdateScrollBars();
  InvalidateGrid();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == scrollBars_) return;
  scrollBars_ = Value;
  UpdateScrollBars();
  InvalidateGrid();
}

void TCustomGrid::SetBorderStyle(TBorderStyle b) {
  if (b == borderStyle_) return;
  borderStyle_ = b;
  // The client area grows or shrinks by the frame: children sit inside it, the view refits.
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->SyncGeometry();
  UpdateScrollBars();
  InvalidateEditor();
  if (QWidget* w = ExistingWidget()) w->update();
}

int TCustomGrid::ClientInset() const { return borderStyle_ == bsSingle ? 2 : 0; }

void TCustomGrid::InvalidateFrame() {
  QWidget* w = ExistingWidget();
  const int inset = ClientInset();
  if (!w || inset == 0) return;
  QRegion frame(0, 0, Width(), Height());
  frame -= QRegion(inset, inset, std::max(0, Width() - 2 * inset), std::max(0, Height() - 2 * inset));
  w->update(frame);
}

void TCustomGrid::PaintFrameOn(TCanvas* ACanvas) {
  TCanvas* saved = windowCanvas_;
  windowCanvas_ = ACanvas;
  try {
    Perform(WM_NCPAINT, 0, 0);
  } catch (...) {
    windowCanvas_ = saved;
    throw;
  }
  windowCanvas_ = saved;
}

bool TCustomGrid::TabStops(int Index) const {
  if (Index < 0 || Index >= colCount_) return true;
  return tabStops_.empty() || tabStops_[static_cast<size_t>(Index)] != 0;
}

void TCustomGrid::SetTabStops(int Index, bool Value) {
  if (Index < 0 || Index >= colCount_) GridIndexError();
  if (tabStops_.empty()) {
    if (Value) return;
    tabStops_.assign(static_cast<size_t>(colCount_), 1);
  }
  tabStops_[static_cast<size_t>(Index)] = Value ? 1 : 0;
}

// =============================================================================================
// Geometry

TRect TCustomGrid::ClientRect() const {
  TRect r = TCustomControl::ClientRect();
  if (vertBarShown_) r.Right = std::max(0, r.Right - BarThickness(true));
  if (horzBarShown_) r.Bottom = std::max(0, r.Bottom - BarThickness(false));
  return r;
}

TCustomGrid::AxisInfo TCustomGrid::CalcAxis(bool Vertical) const {
  AxisInfo a;
  TRect cr = ClientRect();
  a.Extent = Vertical ? cr.Height() : cr.Width();
  a.FixedCount = Vertical ? fixedRows_ : fixedCols_;
  a.FirstScroll = Vertical ? topLeft_.Y : topLeft_.X;
  a.Count = Vertical ? rowCount_ : colCount_;
  bool lines = Vertical ? options_.Contains(goHorzLine) : options_.Contains(goVertLine);
  a.LineWidth = lines ? gridLineWidth_ : 0;
  int pos = 0;
  for (int i = 0; i < a.FixedCount; ++i) pos += AxisExtent(Vertical, i) + a.LineWidth;
  a.FixedExtent = pos;
  a.LastFull = a.FirstScroll - 1;
  for (int i = a.FirstScroll; i < a.Count; ++i) {
    pos += AxisExtent(Vertical, i) + a.LineWidth;
    if (pos - a.LineWidth > a.Extent) break;  // the line itself may fall outside
    a.LastFull = i;
  }
  a.FullVisible = std::max(0, a.LastFull - a.FirstScroll + 1);
  if (a.FullVisible == 0 && a.FirstScroll < a.Count) a.FullVisible = 1;
  return a;
}

int TCustomGrid::VisibleColCount() const { return CalcAxis(false).FullVisible; }
int TCustomGrid::VisibleRowCount() const { return CalcAxis(true).FullVisible; }

int TCustomGrid::AxisStart(bool Vertical, int Index) const {
  AxisInfo a = CalcAxis(Vertical);
  if (Index < 0 || Index >= a.Count) return -1;
  int pos = 0;
  if (Index < a.FixedCount) {
    for (int i = 0; i < Index; ++i) pos += AxisExtent(Vertical, i) + a.LineWidth;
    return pos;
  }
  if (Index < a.FirstScroll) return -1;
  pos = a.FixedExtent;
  for (int i = a.FirstScroll; i < Index; ++i) {
    pos += AxisExtent(Vertical, i) + a.LineWidth;
    if (pos >= a.Extent) return -1;
  }
  return pos < a.Extent ? pos : -1;
}

int TCustomGrid::AxisIndexAt(bool Vertical, int Pixel) const {
  AxisInfo a = CalcAxis(Vertical);
  if (Pixel < 0 || Pixel >= a.Extent) return -1;
  int pos = 0;
  for (int i = 0; i < a.FixedCount; ++i) {
    int next = pos + AxisExtent(Vertical, i) + a.LineWidth;
    if (Pixel < next) return i;
    pos = next;
  }
  for (int i = a.FirstScroll; i < a.Count && pos < a.Extent; ++i) {
    int next = pos + AxisExtent(Vertical, i) + a.LineWidth;
    if (Pixel < next) return i;
    pos = next;
  }
  return -1;
}

TRect TCustomGrid::LayoutCellRect(int ACol, int ARow) const {
  int x = AxisStart(false, ACol);
  int y = AxisStart(true, ARow);
  if (x < 0 || y < 0) return TRect{};
  return Rect(x, y, x + ColWidths(ACol), y + RowHeights(ARow));
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const { return FlipGridRect(LayoutCellRect(ACol, ARow)); }

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
  TGridCoord c = MouseCoord(X, Y);
  ACol = c.X;
  ARow = c.Y;
}

TGridCoord TCustomGrid::LayoutCoord(int X, int Y) const {
  TGridCoord c{AxisIndexAt(false, X), AxisIndexAt(true, Y)};
  if (c.X < 0 || c.Y < 0) return {-1, -1};
  return c;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const { return LayoutCoord(ClientToLayoutX(X), Y); }

// =============================================================================================
// Right-to-left layout

int TCustomGrid::GridMirrorWidth() const { return TCustomControl::ClientRect().Width(); }

TRect TCustomGrid::FlipGridRect(const TRect& r) const {
  if (!UseRightToLeftAlignment() || r == TRect{}) return r;
  return MirrorRect(r, GridMirrorWidth());
}

int TCustomGrid::ClientToLayoutX(int X) const {
  // A client pixel column covers the layout pixel column mirrored onto it (w - 1 - X), so a
  // click lands in the cell whose CellRect holds it.
  return UseRightToLeftAlignment() ? GridMirrorWidth() - 1 - X : X;
}

void TCustomGrid::ChangeGridOrientation(bool RightToLeftOrientation) {
  TCanvas* cv = Canvas();
  if (!cv) return;
  if (RightToLeftOrientation) cv->SetMirrored(GridMirrorWidth());
  else cv->ClearMirrored();
}

int TCustomGrid::GridWidth() const {
  AxisInfo a = CalcAxis(false);
  int pos = a.FixedExtent;
  for (int i = a.FirstScroll; i < a.Count && pos < a.Extent; ++i) pos += ColWidths(i) + a.LineWidth;
  return std::min(pos, a.Extent);
}

int TCustomGrid::GridHeight() const {
  AxisInfo a = CalcAxis(true);
  int pos = a.FixedExtent;
  for (int i = a.FirstScroll; i < a.Count && pos < a.Extent; ++i) pos += RowHeights(i) + a.LineWidth;
  return std::min(pos, a.Extent);
}

TGridCoord TCustomGrid::CalcMaxTopLeft() const {
  // The largest first scrollable index whose cells up to the last one still fill the view.
  auto axis = [&](bool vertical) {
    AxisInfo a = CalcAxis(vertical);
    int room = a.Extent - a.FixedExtent;
    int result = a.Count - 1;
    int used = 0;
    for (int i = a.Count - 1; i >= a.FixedCount; --i) {
      used += AxisExtent(vertical, i) + a.LineWidth;
      if (used - a.LineWidth > room) break;
      result = i;
    }
    return std::max(result, a.FixedCount);
  };
  return {axis(false), axis(true)};
}

// =============================================================================================
// View

void TCustomGrid::MoveTopLeft(int ALeft, int ATop) {
  TGridCoord max = CalcMaxTopLeft();
  ALeft = Clamp(ALeft, fixedCols_, std::max(fixedCols_, max.X));
  ATop = Clamp(ATop, fixedRows_, std::max(fixedRows_, max.Y));
  PlaceTopLeft(ALeft, ATop);
}

void TCustomGrid::ScrollTopRowPastPage(int ATop) {
  PlaceTopLeft(topLeft_.X, Clamp(ATop, fixedRows_, std::max(fixedRows_, RowCount() - 1)));
}

void TCustomGrid::PlaceTopLeft(int ALeft, int ATop) {
  if (ALeft == topLeft_.X && ATop == topLeft_.Y) return;
  topLeft_ = {ALeft, ATop};
  barPosSet_[0] = barPosSet_[1] = false;
  // The editor stays over its cell only while that cell is in view.
  if (editorMode_ && inplaceEdit_) {
    TRect r = CellRect(current_.X, current_.Y);
    if (r.IsEmpty()) inplaceEdit_->Hide();
    else inplaceEdit_->Move(r);
  }
  UpdateScrollBars();
  InvalidateGrid();
  TopLeftChanged();
}

void TCustomGrid::SetLeftCol(int Value) { MoveTopLeft(Value, topLeft_.Y); }
void TCustomGrid::SetTopRow(int Value) { MoveTopLeft(topLeft_.X, Value); }

int TCustomGrid::ScrollPos(bool Vertical) const {
  TGridCoord max = CalcMaxTopLeft();
  int fixed = Vertical ? fixedRows_ : fixedCols_;
  int range = (Vertical ? max.Y : max.X) - fixed;
  if (range <= 0) return 0;
  return std::min(127, MulDivTrunc((Vertical ? topLeft_.Y : topLeft_.X) - fixed, 127, range));
}

void TCustomGrid::SetScrollInfo(bool Vertical, int Max, int Page, int Pos) {
  const TGridScrollInfo was = GetScrollInfo(Vertical);
  TGridScrollInfo& info = barInfo_[Vertical ? 1 : 0];
  info.Max = std::max(0, Max);
  info.Page = Clamp(Page, 0, info.Max + 1);
  info.Pos = Clamp(Pos, 0, BarPosRange(Vertical));
  barPosSet_[Vertical ? 1 : 0] = true;
  const bool changed = was.Max != info.Max || was.Page != info.Page || was.Pos != info.Pos;
  if (changed && ScrollBarVisible(Vertical)) InvalidateClientRect(BarLayout(Vertical).Bar);
}

TCustomGrid::TGridScrollInfo TCustomGrid::GetScrollInfo(bool Vertical) const {
  TGridScrollInfo info = barInfo_[Vertical ? 1 : 0];
  if (!barPosSet_[Vertical ? 1 : 0]) info.Pos = std::min(ScrollPos(Vertical), BarPosRange(Vertical));
  return info;
}

int TCustomGrid::BarPosRange(bool Vertical) const {
  const TGridScrollInfo& info = barInfo_[Vertical ? 1 : 0];
  return info.Page > 0 ? std::max(0, info.Max - info.Page + 1) : info.Max;
}

int64_t TCustomGrid::ExtentSum(bool Vertical, int From, int To) const {
  const int count = Vertical ? rowCount_ : colCount_;
  From = Clamp(From, 0, count);
  To = Clamp(To, From, count);
  const std::vector<int>& extents = Vertical ? rowHeights_ : colWidths_;
  if (extents.empty()) return static_cast<int64_t>(To - From) * (Vertical ? defaultRowHeight_ : defaultColWidth_);
  std::vector<int64_t>& running = Vertical ? rowRunning_ : colRunning_;
  if (running.size() != extents.size() + 1) {
    running.assign(extents.size() + 1, 0);
    for (size_t i = 0; i < extents.size(); ++i) running[i + 1] = running[i] + extents[i];
  }
  return running[static_cast<size_t>(To)] - running[static_cast<size_t>(From)];
}

void TCustomGrid::ScrollBarMessage(bool Vertical, unsigned Code, int Pos) {
  TGridCoord max = CalcMaxTopLeft();
  int fixed = Vertical ? fixedRows_ : fixedCols_;
  int maxFirst = Vertical ? max.Y : max.X;
  int first = Vertical ? topLeft_.Y : topLeft_.X;
  int page = Vertical ? VisibleRowCount() : VisibleColCount();
  int target = first;
  switch (Code) {
    case SB_LINEUP: target = first - 1; break;
    case SB_LINEDOWN: target = first + 1; break;
    case SB_PAGEUP: target = first - std::max(1, page); break;
    case SB_PAGEDOWN: target = first + std::max(1, page); break;
    case SB_THUMBPOSITION:
      target = fixed + MulDivTrunc(Clamp(Pos, 0, 127), maxFirst - fixed, 127);
      break;
    case SB_THUMBTRACK:
      if (!options_.Contains(goThumbTracking)) return;
      target = fixed + MulDivTrunc(Clamp(Pos, 0, 127), maxFirst - fixed, 127);
      break;
    case SB_TOP: target = fixed; break;
    case SB_BOTTOM: target = maxFirst; break;
    default: return;
  }
  if (Vertical) MoveTopLeft(topLeft_.X, target);
  else MoveTopLeft(target, topLeft_.Y);
}

int64_t TCustomGrid::TotalExtent(bool Vertical) const {
  bool lines = Vertical ? options_.Contains(goHorzLine) : options_.Contains(goVertLine);
  int line = lines ? gridLineWidth_ : 0;
  int count = Vertical ? rowCount_ : colCount_;
  int64_t sum = Vertical ? (rowHeights_.empty() ? static_cast<int64_t>(count) * defaultRowHeight_ : rowSum_)
                         : (colWidths_.empty() ? static_cast<int64_t>(count) * defaultColWidth_ : colSum_);
  return sum + static_cast<int64_t>(count - 1) * line;  // the last line may fall outside
}

void TCustomGrid::UpdateScrollBars() {
  if (updatingBars_) return;
  TRect raw = TCustomControl::ClientRect();
  bool allowV = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
  bool allowH = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
  int64_t needH = TotalExtent(false), needV = TotalExtent(true);
  bool v = vertBarForced_ || (allowV && needV > raw.Height());
  bool h = horzBarForced_ || (allowH && needH > raw.Width() - (v ? BarThickness(true) : 0));
  if (h && !v) v = allowV && needV > raw.Height() - BarThickness(false);
  if (v == vertBarShown_ && h == horzBarShown_) return;
  vertBarShown_ = v;
  horzBarShown_ = h;
  // The view changed size: keep the top-left within its range.
  updatingBars_ = true;
  try {
    MoveTopLeft(topLeft_.X, topLeft_.Y);
  } catch (...) {
    updatingBars_ = false;
    throw;
  }
  updatingBars_ = false;
  InvalidateGrid();
}

void TCustomGrid::ShowScrollBar(bool Vertical, bool Show) {
  bool& forced = Vertical ? vertBarForced_ : horzBarForced_;
  if (forced == Show) return;
  forced = Show;
  UpdateScrollBars();
}

void TCustomGrid::EnableScrollBar(bool Vertical, bool Enable) {
  bool& enabled = Vertical ? vertBarEnabled_ : horzBarEnabled_;
  if (enabled == Enable) return;
  enabled = Enable;
  if (ScrollBarVisible(Vertical)) InvalidateGrid();
}

bool TCustomGrid::InitializeFlatSB() {
  if (!flatSB_) {
    flatSB_ = true;
    UpdateScrollBars();
    InvalidateGrid();
  }
  return true;
}

void TCustomGrid::UninitializeFlatSB() {
  if (!flatSB_) return;
  flatSB_ = false;
  // A different thickness changes the view: the bars are decided again.
  vertBarShown_ = horzBarShown_ = false;
  UpdateScrollBars();
  InvalidateGrid();
}

bool TCustomGrid::FlatSB_SetScrollProp(unsigned Index, intptr_t NewValue) {
  if (!flatSB_) return false;
  switch (Index) {
    case WSB_PROP_CXVSCROLL: flatBarWidth_[1] = std::max(0, static_cast<int>(NewValue)); break;
    case WSB_PROP_CYHSCROLL: flatBarWidth_[0] = std::max(0, static_cast<int>(NewValue)); break;
    case WSB_PROP_VBKGCOLOR: flatBarColor_[1] = static_cast<TColor>(NewValue); break;
    case WSB_PROP_HBKGCOLOR: flatBarColor_[0] = static_cast<TColor>(NewValue); break;
    case WSB_PROP_VSTYLE: flatBarMode_[1] = static_cast<int>(NewValue); break;
    case WSB_PROP_HSTYLE: flatBarMode_[0] = static_cast<int>(NewValue); break;
    default: return false;
  }
  if (Index == WSB_PROP_CXVSCROLL || Index == WSB_PROP_CYHSCROLL) {
    vertBarShown_ = horzBarShown_ = false;
    UpdateScrollBars();
  }
  InvalidateGrid();
  return true;
}

intptr_t TCustomGrid::FlatSB_GetScrollProp(unsigned Index) const {
  switch (Index) {
    case WSB_PROP_CXVSCROLL: return BarThickness(true);
    case WSB_PROP_CYHSCROLL: return BarThickness(false);
    case WSB_PROP_VBKGCOLOR: return flatBarColor_[1];
    case WSB_PROP_HBKGCOLOR: return flatBarColor_[0];
    case WSB_PROP_VSTYLE: return flatBarMode_[1];
    case WSB_PROP_HSTYLE: return flatBarMode_[0];
    default: return 0;
  }
}

int TCustomGrid::ThumbLength(bool Vertical, int Thickness, int Track) const {
  Track = std::max(0, Track);
  const TGridScrollInfo& info = barInfo_[Vertical ? 1 : 0];
  if (info.Page <= 0) return std::min(Thickness, Track);
  // The page's share of the range, never thinner than a grip can be.
  const int share = MulDivTrunc(Track, info.Page, info.Max + 1);
  return std::min(Track, std::max(share, std::min(kMinThumb, Thickness)));
}

int TCustomGrid::ThumbOffset(bool Vertical, int Movable) const {
  const int range = BarPosRange(Vertical);
  if (range <= 0) return 0;
  return MulDivTrunc(GetScrollInfo(Vertical).Pos, Movable, range);
}

TCustomGrid::ScrollBarLayout TCustomGrid::BarLayout(bool Vertical) const {
  ScrollBarLayout l;
  TRect raw = TCustomControl::ClientRect();
  TRect view = ClientRect();
  if (Vertical ? !vertBarShown_ : !horzBarShown_) return l;
  const int b = BarThickness(Vertical);
  if (Vertical) {
    l.Bar = Rect(view.Right, 0, raw.Right, view.Bottom);
    int arrow = std::min(b, l.Bar.Height() / 2);
    l.LineUp = Rect(l.Bar.Left, l.Bar.Top, l.Bar.Right, l.Bar.Top + arrow);
    l.LineDown = Rect(l.Bar.Left, l.Bar.Bottom - arrow, l.Bar.Right, l.Bar.Bottom);
    int track = l.LineDown.Top - l.LineUp.Bottom;
    int thumb = ThumbLength(true, b, track);
    l.TrackStart = l.LineUp.Bottom;
    l.Movable = std::max(0, track - thumb);
    int off = l.TrackStart + ThumbOffset(true, l.Movable);
    if (thumb > 0) l.Thumb = Rect(l.Bar.Left, off, l.Bar.Right, off + thumb);
  } else {
    l.Bar = Rect(0, view.Bottom, view.Right, raw.Bottom);
    int arrow = std::min(b, l.Bar.Width() / 2);
    l.LineUp = Rect(l.Bar.Left, l.Bar.Top, l.Bar.Left + arrow, l.Bar.Bottom);
    l.LineDown = Rect(l.Bar.Right - arrow, l.Bar.Top, l.Bar.Right, l.Bar.Bottom);
    int track = l.LineDown.Left - l.LineUp.Right;
    int thumb = ThumbLength(false, b, track);
    l.TrackStart = l.LineUp.Right;
    l.Movable = std::max(0, track - thumb);
    int off = l.TrackStart + ThumbOffset(false, l.Movable);
    if (thumb > 0) l.Thumb = Rect(off, l.Bar.Top, off + thumb, l.Bar.Bottom);
  }
  return l;
}

bool TCustomGrid::ScrollBarMouseDown(int X, int Y) {
  for (bool vertical : {true, false}) {
    ScrollBarLayout l = BarLayout(vertical);
    if (l.Bar.IsEmpty() || !PtInRect(l.Bar, Point(X, Y))) continue;
    if (!ScrollBarEnabled(vertical)) return true;  // a disabled bar takes the press and does nothing
    unsigned msg = vertical ? WM_VSCROLL : WM_HSCROLL;
    int along = vertical ? Y : X;
    unsigned code;
    if (PtInRect(l.LineUp, Point(X, Y))) code = SB_LINEUP;
    else if (PtInRect(l.LineDown, Point(X, Y))) code = SB_LINEDOWN;
    else if (!l.Thumb.IsEmpty() && PtInRect(l.Thumb, Point(X, Y))) {
      thumbDrag_ = vertical ? 1 : 2;
      thumbGrab_ = along - (vertical ? l.Thumb.Top : l.Thumb.Left);
      thumbPos_ = GetScrollInfo(vertical).Pos;
      return true;
    } else if (along < (vertical ? l.Thumb.Top : l.Thumb.Left)) {
      code = SB_PAGEUP;
    } else {
      code = SB_PAGEDOWN;
    }
    Perform(msg, code, 0);
    // Held down, the part repeats: first after 400 ms, then every 50 ms, until the release.
    repeatMsg_ = msg;
    repeatCode_ = code;
    SetTimer(this, kRepeatTimer, 400);
    return true;
  }
  return false;
}

void TCustomGrid::RepeatScroll() {
  bool vertical = repeatMsg_ == WM_VSCROLL;
  if (repeatCode_ == SB_PAGEUP || repeatCode_ == SB_PAGEDOWN) {
    // Paging stops once the thumb reaches the mouse.
    ScrollBarLayout l = BarLayout(vertical);
    int along = vertical ? lastMouse_.Y : lastMouse_.X;
    int thumbStart = vertical ? l.Thumb.Top : l.Thumb.Left;
    int thumbEnd = vertical ? l.Thumb.Bottom : l.Thumb.Right;
    if (!PtInRect(l.Bar, lastMouse_) || (repeatCode_ == SB_PAGEUP ? along >= thumbStart : along < thumbEnd))
      return;
  }
  Perform(repeatMsg_, repeatCode_, 0);
  SetTimer(this, kRepeatTimer, 50);
}

void TCustomGrid::PaintScrollBars(TCanvas* cv) {
  for (bool vertical : {true, false}) {
    ScrollBarLayout l = BarLayout(vertical);
    if (l.Bar.IsEmpty()) continue;
    const int side = vertical ? 1 : 0;
    const bool enabled = ScrollBarEnabled(vertical);
    unsigned look = enabled ? 0u : DFCS_INACTIVE;
    if (flatSB_ && flatBarMode_[side] != FSB_REGULAR_MODE) look |= DFCS_FLAT;
    cv->Brush()->SetStyle(bsSolid);
    cv->Brush()->SetColor(flatSB_ && flatBarColor_[side] != clNone ? flatBarColor_[side] : clScrollBar);
    cv->FillRect(l.Bar);
    // Mirrored, the horizontal bar's ends swap sides: their arrows point outwards still.
    bool swap = !vertical && cv->Mirrored();
    DrawFrameControl(cv, l.LineUp, DFC_SCROLL,
                     look | (vertical ? DFCS_SCROLLUP : (swap ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT)));
    DrawFrameControl(cv, l.LineDown, DFC_SCROLL,
                     look | (vertical ? DFCS_SCROLLDOWN : (swap ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT)));
    if (enabled && !l.Thumb.IsEmpty()) DrawFrameControl(cv, l.Thumb, DFC_BUTTON, DFCS_BUTTONPUSH | (look & DFCS_FLAT));
  }
  if (vertBarShown_ && horzBarShown_) {
    TRect raw = TCustomControl::ClientRect();
    TRect view = ClientRect();
    cv->Brush()->SetColor(clBtnFace);
    cv->FillRect(Rect(view.Right, view.Bottom, raw.Right, raw.Bottom));
  }
}

// =============================================================================================
// Current cell and selection

bool TCustomGrid::SelectCell(int ACol, int ARow) {
  (void)ACol;
  (void)ARow;
  return true;
}

void TCustomGrid::ClampInView(TGridCoord Cell) {
  // Scroll just enough to bring the cell fully into view.
  int left = topLeft_.X, top = topLeft_.Y;
  if (Cell.X >= fixedCols_) {
    if (Cell.X < left) left = Cell.X;
    else {
      while (left < Cell.X) {
        int save = topLeft_.X;
        topLeft_.X = left;
        bool fits = Cell.X <= CalcAxis(false).LastFull;
        topLeft_.X = save;
        if (fits) break;
        ++left;
      }
    }
  }
  if (Cell.Y >= fixedRows_) {
    if (Cell.Y < top) top = Cell.Y;
    else {
      AxisInfo a = CalcAxis(true);
      if (Cell.Y > a.LastFull) {
        // Walk back from the row until the view is full.
        int room = a.Extent - a.FixedExtent;
        int used = 0;
        top = Cell.Y;
        for (int i = Cell.Y; i >= fixedRows_; --i) {
          used += RowHeights(i) + a.LineWidth;
          if (used - a.LineWidth > room) break;
          top = i;
        }
      }
    }
  }
  // A view already showing the cell stays, also one scrolled past the last page by code.
  if (left == topLeft_.X && top == topLeft_.Y) return;
  MoveTopLeft(left, top);
}

void TCustomGrid::MoveAnchor(TGridCoord NewAnchor) {
  if (!options_.Contains(goRangeSelect)) {
    MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
    return;
  }
  TGridRect oldSel = Selection();
  anchor_ = NewAnchor;
  if (options_.Contains(goRowSelect)) anchor_.X = colCount_ - 1;
  ClampInView(NewAnchor);
  TGridRect sel = Selection();
  if (!(sel == oldSel)) {
    InvalidateRect(oldSel);
    InvalidateRect(sel);
  }
}

bool TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show) {
  if (ACol < 0 || ARow < 0 || ACol >= colCount_ || ARow >= rowCount_) GridIndexError();
  if (!SelectCell(ACol, ARow)) return false;
  TGridRect oldSel = Selection();
  TGridCoord old = current_;
  current_ = {ACol, ARow};
  if (!options_.Contains(goAlwaysShowEditor)) HideEditor();
  if (MoveAnchor || !options_.Contains(goRangeSelect)) {
    anchor_ = current_;
    if (options_.Contains(goRowSelect)) anchor_.X = colCount_ - 1;
  }
  if (options_.Contains(goRowSelect)) current_.X = fixedCols_;
  if (Show) ClampInView(current_);
  InvalidateRect(oldSel);
  InvalidateRect(Selection());
  InvalidateCell(old.X, old.Y);
  InvalidateCell(current_.X, current_.Y);
  if (options_.Contains(goAlwaysShowEditor) && options_.Contains(goEditing) && IsActiveControl()) {
    ShowEditor();
    UpdateEditor();
  }
  return true;
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
  if (MoveCurrent(ACol, ARow, MoveAnchor, true)) Click();
}

void TCustomGrid::SetCol(int Value) {
  if (Value == current_.X) return;
  FocusCell(Value, current_.Y, true);
}

void TCustomGrid::SetRow(int Value) {
  if (Value == current_.Y) return;
  FocusCell(current_.X, Value, true);
}

TGridRect TCustomGrid::Selection() const {
  TGridRect r;
  r.Left = std::min(current_.X, anchor_.X);
  r.Right = std::max(current_.X, anchor_.X);
  r.Top = std::min(current_.Y, anchor_.Y);
  r.Bottom = std::max(current_.Y, anchor_.Y);
  return r;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
  TGridRect old = Selection();
  // The anchor takes (Left, Top) and the current cell (Right, Bottom), as given and unordered:
  // a rectangle written right to left keeps its direction, and a parked rectangle outside the
  // grid is kept as it is (nothing there is painted selected). The view does not move.
  anchor_ = {Value.Left, Value.Top};
  current_ = {Value.Right, Value.Bottom};
  InvalidateRect(old);
  InvalidateRect(Selection());
}

bool TCustomGrid::IsActiveControl() const {
  if (Focused()) return true;
  return inplaceEdit_ && inplaceEdit_->Focused();
}

void TCustomGrid::Click() { TCustomControl::Click(); }
void TCustomGrid::DblClick() { TCustomControl::DblClick(); }

// =============================================================================================
// Virtual defaults

bool TCustomGrid::CanEditShow() {
  return options_.Contains(goEditing) && !options_.Contains(goRowSelect) && editorMode_ &&
         HandleAllocated() && (options_.Contains(goAlwaysShowEditor) || IsActiveControl()) &&
         current_.X >= fixedCols_ && current_.Y >= fixedRows_ && current_.X < colCount_ &&
         current_.Y < rowCount_;
}
bool TCustomGrid::CanEditAcceptKey(Char Key) { (void)Key; return true; }
bool TCustomGrid::CanEditModify() { return canEditModify_; }
bool TCustomGrid::CanGridAcceptKey(Word Key, TShiftState Shift) { (void)Key; (void)Shift; return true; }
TInplaceEdit* TCustomGrid::CreateEditor() { return New<TInplaceEdit>(this); }
String TCustomGrid::GetEditText(int ACol, int ARow) { (void)ACol; (void)ARow; return {}; }
void TCustomGrid::SetEditText(int ACol, int ARow, const String& Value) { (void)ACol; (void)ARow; (void)Value; }
String TCustomGrid::GetEditMask(int ACol, int ARow) { (void)ACol; (void)ARow; return {}; }
int TCustomGrid::GetEditLimit() { return 0; }
void TCustomGrid::ColumnMoved(int FromIndex, int ToIndex) { (void)FromIndex; (void)ToIndex; }
void TCustomGrid::RowMoved(int FromIndex, int ToIndex) { (void)FromIndex; (void)ToIndex; }
void TCustomGrid::TopLeftChanged() {}
void TCustomGrid::SizeChanged(int OldColCount, int OldRowCount) { (void)OldColCount; (void)OldRowCount; }
void TCustomGrid::ColWidthsChanged() {
  if (editorMode_ && inplaceEdit_ && inplaceEdit_->Visible()) inplaceEdit_->Move(CellRect(current_.X, current_.Y));
}
void TCustomGrid::RowHeightsChanged() {
  if (editorMode_ && inplaceEdit_ && inplaceEdit_->Visible()) inplaceEdit_->Move(CellRect(current_.X, current_.Y));
}
void TCustomGrid::CreateWnd() { UpdateScrollBars(); }

void TCustomGrid::ChangeScale(int M, int D) {
  if (M == D || D == 0) return;
  defaultColWidth_ = MulDivTrunc(defaultColWidth_, M, D);
  defaultRowHeight_ = MulDivTrunc(defaultRowHeight_, M, D);
  colSum_ = rowSum_ = 0;
  for (int& w : colWidths_) colSum_ += (w = MulDivTrunc(w, M, D));
  for (int& h : rowHeights_) rowSum_ += (h = MulDivTrunc(h, M, D));
  ExtentsChanged(false);
  ExtentsChanged(true);
  UpdateScrollBars();
  InvalidateGrid();
}

void TCustomGrid::Loaded() {
  TCustomControl::Loaded();
  UpdateScrollBars();
}

void TCustomGrid::Resize() {
  // A larger view may leave the top-left beyond its largest useful value.
  MoveTopLeft(topLeft_.X, topLeft_.Y);
  if (editorMode_ && inplaceEdit_ && inplaceEdit_->Visible()) inplaceEdit_->Move(CellRect(current_.X, current_.Y));
  TCustomControl::Resize();
}

void TCustomGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  UpdateScrollBars();
}

QWidget* TCustomGrid::CreateWidget(QWidget* parentWidget) {
  QWidget* w = TCustomControl::CreateWidget(parentWidget);
  CreateWnd();
  return w;
}

unsigned TCustomGrid::DialogCode() const {
  unsigned code = DLGC_WANTARROWS;
  if (options_.Contains(goTabs) && !options_.Contains(goRowSelect)) code |= DLGC_WANTTAB;
  if (options_.Contains(goEditing)) code |= DLGC_WANTCHARS;
  return code;
}

// =============================================================================================
// Structure

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
  if (FromIndex == ToIndex) return;
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= colCount_ || ToIndex >= colCount_) GridIndexError();
  HideEditor();
  if (!colWidths_.empty()) MoveElement(colWidths_, FromIndex, ToIndex);
  ExtentsChanged(false);
  if (!tabStops_.empty()) MoveElement(tabStops_, FromIndex, ToIndex);
  ColumnMovedData(FromIndex, ToIndex);
  // The current cell keeps its column.
  auto follow = [&](int x) {
    if (x == FromIndex) return ToIndex;
    if (FromIndex < ToIndex && x > FromIndex && x <= ToIndex) return x - 1;
    if (FromIndex > ToIndex && x >= ToIndex && x < FromIndex) return x + 1;
    return x;
  };
  current_.X = follow(current_.X);
  anchor_.X = follow(anchor_.X);
  InvalidateGrid();
  ColumnMoved(FromIndex, ToIndex);
  ColWidthsChanged();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
  if (FromIndex == ToIndex) return;
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= rowCount_ || ToIndex >= rowCount_) GridIndexError();
  HideEditor();
  if (!rowHeights_.empty()) MoveElement(rowHeights_, FromIndex, ToIndex);
  ExtentsChanged(true);
  RowMovedData(FromIndex, ToIndex);
  auto follow = [&](int y) {
    if (y == FromIndex) return ToIndex;
    if (FromIndex < ToIndex && y > FromIndex && y <= ToIndex) return y - 1;
    if (FromIndex > ToIndex && y >= ToIndex && y < FromIndex) return y + 1;
    return y;
  };
  current_.Y = follow(current_.Y);
  anchor_.Y = follow(anchor_.Y);
  InvalidateGrid();
  RowMoved(FromIndex, ToIndex);
  RowHeightsChanged();
}

void TCustomGrid::DeleteColumn(int ACol) {
  if (ACol < 0 || ACol >= colCount_) GridIndexError();
  // The column goes to the end and the count drops by one.
  MoveColumn(ACol, colCount_ - 1);
  DeleteColumnData(colCount_ - 1);
  SetColCount(colCount_ - 1);
}

void TCustomGrid::DeleteRow(int ARow) {
  if (ARow < 0 || ARow >= rowCount_) GridIndexError();
  MoveRow(ARow, rowCount_ - 1);
  DeleteRowData(rowCount_ - 1);
  SetRowCount(rowCount_ - 1);
}

// =============================================================================================
// Repainting

void TCustomGrid::InvalidateClientRect(const TRect& r) {
  if (r.IsEmpty()) return;
  // Nobody may be collecting: past a bound the record folds into one rectangle.
  if (invalidated_.size() >= 256) {
    TRect u = r;
    for (const TRect& x : invalidated_) UnionRect(u, u, x);
    invalidated_.assign(1, u);
  } else {
    invalidated_.push_back(r);
  }
  const int inset = ClientInset();
  if (QWidget* w = ExistingWidget()) w->update(r.Left + inset, r.Top + inset, r.Width(), r.Height());
}

std::vector<TRect> TCustomGrid::TakeInvalidatedRects() {
  std::vector<TRect> out;
  out.swap(invalidated_);
  return out;
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
  TGridRect r{ACol, ARow, ACol, ARow};
  InvalidateRect(r);
}

void TCustomGrid::InvalidateCol(int ACol) { InvalidateRect(TGridRect{ACol, 0, ACol, rowCount_ - 1}); }
void TCustomGrid::InvalidateRow(int ARow) { InvalidateRect(TGridRect{0, ARow, colCount_ - 1, ARow}); }

void TCustomGrid::InvalidateGrid() {
  TRect r = TCustomControl::ClientRect();
  InvalidateClientRect(r);
}

void TCustomGrid::EndInvalidateBatch() {
  if (invalidateBatch_ == 0 || --invalidateBatch_ > 0 || !batchPending_) return;
  batchPending_ = false;
  InvalidateRect(batchRect_);
}

void TCustomGrid::InvalidateRect(const TGridRect& ARect) {
  // Only the part in view matters: clamp to the visible columns and rows.
  TGridRect g = ARect;
  if (g.Left > g.Right) std::swap(g.Left, g.Right);
  if (g.Top > g.Bottom) std::swap(g.Top, g.Bottom);
  if (invalidateBatch_ > 0) {
    if (!batchPending_) {
      batchRect_ = g;
      batchPending_ = true;
    } else {
      batchRect_.Left = std::min(batchRect_.Left, g.Left);
      batchRect_.Top = std::min(batchRect_.Top, g.Top);
      batchRect_.Right = std::max(batchRect_.Right, g.Right);
      batchRect_.Bottom = std::max(batchRect_.Bottom, g.Bottom);
    }
    return;
  }
  if (g.Right < 0 || g.Bottom < 0 || g.Left >= colCount_ || g.Top >= rowCount_) return;
  g.Left = std::max(g.Left, 0);
  g.Top = std::max(g.Top, 0);
  g.Right = std::min(g.Right, colCount_ - 1);
  g.Bottom = std::min(g.Bottom, rowCount_ - 1);
  // Rows scrolled out above the view are common (fills, edits): no geometry for them.
  if (g.Top >= fixedRows_ && g.Bottom < topLeft_.Y) return;
  // So are rows below it; where all rows have one height that needs no walk over the rows.
  if (g.Top >= fixedRows_ && rowHeights_.empty()) {
    const int64_t pitch = int64_t{defaultRowHeight_} + (options_.Contains(goHorzLine) ? gridLineWidth_ : 0);
    if (int64_t{fixedRows_} * pitch + int64_t{g.Top - topLeft_.Y} * pitch >= ClientRect().Height()) return;
  }
  AxisInfo v = CalcAxis(true);
  if (g.Top > v.LastFull + 1 && g.Top >= fixedRows_) return;
  AxisInfo h = CalcAxis(false);
  auto span = [&](bool vertical, const AxisInfo& a, int lo, int hi, int& from, int& to) {
    from = -1;
    to = -1;
    int pos = 0;
    auto visit = [&](int i) {
      int e = AxisExtent(vertical, i) + a.LineWidth;
      if (i >= lo && i <= hi) {
        if (from < 0) from = pos;
        to = pos + e;
      }
      pos += e;
    };
    for (int i = 0; i < a.FixedCount; ++i) visit(i);
    for (int i = a.FirstScroll; i < a.Count && pos < a.Extent && i <= hi; ++i) visit(i);
  };
  int x0, x1, y0, y1;
  span(true, v, g.Top, g.Bottom, y0, y1);
  if (y0 < 0) return;
  span(false, h, g.Left, g.Right, x0, x1);
  if (x0 < 0) return;
  InvalidateClientRect(FlipGridRect(Rect(x0, y0, x1, y1)));
}

void TCustomGrid::InvalidateEditor() {
  inplaceCol_ = -1;
  inplaceRow_ = -1;
  UpdateEditor();
}

// =============================================================================================
// Painting

void TCustomGrid::PaintTo(void* qpainter) {
  auto* p = static_cast<QPainter*>(qpainter);
  if (!p) return;
  const int inset = ClientInset();
  const TRect client = TCustomControl::ClientRect();
  const QRect clientArea(inset, inset, client.Width(), client.Height());
  hasPaintUpdate_ = false;
  p->save();
  if (p->hasClipping()) {
    QRect c = p->clipBoundingRect().toAlignedRect().intersected(clientArea);
    paintUpdate_ = Rect(c.left() - inset, c.top() - inset, c.left() - inset + c.width(), c.top() - inset + c.height());
    hasPaintUpdate_ = true;
  }
  // The client area paints in client coordinates, kept inside the frame.
  p->setClipRect(clientArea, p->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  p->translate(inset, inset);
  try {
    if (!hasPaintUpdate_ || !paintUpdate_.IsEmpty()) TCustomControl::PaintTo(qpainter);
  } catch (...) {
    p->restore();
    hasPaintUpdate_ = false;
    throw;
  }
  p->restore();
  hasPaintUpdate_ = false;
  if (inset > 0) {
    auto frameCanvas = MakeQtCanvas(p);
    PaintFrameOn(frameCanvas.get());
  }
}

void TCustomGrid::PaintOn(TCanvas* ACanvas, const TRect* UpdateRect) {
  TCanvas* saved = paintCanvas_;
  bool savedHas = hasPaintUpdate_;
  TRect savedRect = paintUpdate_;
  paintCanvas_ = ACanvas;
  hasPaintUpdate_ = UpdateRect != nullptr;
  if (UpdateRect) paintUpdate_ = *UpdateRect;
  try {
    Paint();
  } catch (...) {
    paintCanvas_ = saved;
    hasPaintUpdate_ = savedHas;
    paintUpdate_ = savedRect;
    throw;
  }
  paintCanvas_ = saved;
  hasPaintUpdate_ = savedHas;
  paintUpdate_ = savedRect;
}

void TCustomGrid::Paint() {
  bool rtl = UseRightToLeftAlignment();
  if (rtl) ChangeGridOrientation(true);
  try {
    PaintLayout();
  } catch (...) {
    if (rtl) ChangeGridOrientation(false);
    throw;
  }
  if (rtl) ChangeGridOrientation(false);
}

void TCustomGrid::PaintLayout() {
  TCanvas* cv = Canvas();
  TRect client = TCustomControl::ClientRect();
  TRect view = ClientRect();
  TRect update = hasPaintUpdate_ ? FlipGridRect(paintUpdate_) : client;
  AxisInfo h = CalcAxis(false), v = CalcAxis(true);
  TGridRect sel = Selection();
  bool focused = IsActiveControl();
  bool editorShown = editorMode_ && options_.Contains(goEditing) && inplaceEdit_ && inplaceEdit_->Visible();

  // Visible indices with their start pixels, fixed first, then from LeftCol/TopRow on.
  auto visible = [&](bool vertical, const AxisInfo& a) {
    std::vector<std::pair<int, int>> out;
    int pos = 0;
    for (int i = 0; i < a.FixedCount && pos < a.Extent; ++i) {
      out.emplace_back(i, pos);
      pos += AxisExtent(vertical, i) + a.LineWidth;
    }
    for (int i = a.FirstScroll; i < a.Count && pos < a.Extent; ++i) {
      out.emplace_back(i, pos);
      pos += AxisExtent(vertical, i) + a.LineWidth;
    }
    return std::make_pair(out, pos);
  };
  auto [cols, gridRight] = visible(false, h);
  auto [rows, gridBottom] = visible(true, v);

  for (const auto& [r, y] : rows) {
    int rh = RowHeights(r);
    if (y >= update.Bottom || y + rh + v.LineWidth <= update.Top) continue;
    for (const auto& [c, x] : cols) {
      int cw = ColWidths(c);
      if (x >= update.Right || x + cw + h.LineWidth <= update.Left) continue;
      TRect where = Rect(x, y, x + cw, y + rh);
      TGridDrawState state;
      bool fixed = c < fixedCols_ || r < fixedRows_;
      if (fixed) state.Include(gdFixed);
      else {
        if (focused && c == current_.X && r == current_.Y) state.Include(gdFocused);
        if (PointInGridRect(c, r, sel)) state.Include(gdSelected);
      }
      // Under an open editor the focused cell is the editor's to draw.
      if (state.Contains(gdFocused) && editorShown) continue;
      if (defaultDrawing_) {
        cv->Font()->Assign(Font());
        if (fixed) {
          cv->Brush()->SetColor(fixedColor_);
        } else if (state.Contains(gdSelected) &&
                   (!state.Contains(gdFocused) || options_.Contains(goDrawFocusSelected) ||
                    options_.Contains(goRowSelect))) {
          cv->Brush()->SetColor(clHighlight);
          cv->Font()->SetColor(clHighlightText);
        } else {
          cv->Brush()->SetColor(Color());
        }
        cv->Brush()->SetStyle(bsSolid);
        cv->FillRect(where);
      }
      DrawCell(c, r, where, state);
      if (defaultDrawing_ && state.Contains(gdFocused) && !options_.Contains(goRowSelect) &&
          !(options_.Contains(goEditing) && options_.Contains(goAlwaysShowEditor))) {
        cv->DrawFocusRect(where);
      }
    }
  }

  // Grid lines in the spacing left for them.
  if (gridLineWidth_ > 0) {
    cv->Pen()->SetWidth(1);
    cv->Brush()->SetStyle(bsSolid);
    if (h.LineWidth > 0) {
      for (const auto& [c, x] : cols) {
        bool fixedCol = c < fixedCols_;
        bool want = fixedCol ? options_.Contains(goFixedVertLine) : options_.Contains(goVertLine);
        if (!want) continue;
        cv->Brush()->SetColor(fixedCol ? clGray : clSilver);
        int lx = x + ColWidths(c);
        cv->FillRect(Rect(lx, 0, lx + h.LineWidth, std::min(gridBottom, view.Bottom)));
      }
    }
    if (v.LineWidth > 0) {
      for (const auto& [r, y] : rows) {
        bool fixedRow = r < fixedRows_;
        bool want = fixedRow ? options_.Contains(goFixedHorzLine) : options_.Contains(goHorzLine);
        if (!want) continue;
        cv->Brush()->SetColor(fixedRow ? clGray : clSilver);
        int ly = y + RowHeights(r);
        cv->FillRect(Rect(0, ly, std::min(gridRight, view.Right), ly + v.LineWidth));
      }
    }
  }

  // Beyond the last cell: the grid's colour.
  cv->Brush()->SetColor(Color());
  cv->Brush()->SetStyle(bsSolid);
  gridRight = std::min(gridRight, view.Right);
  gridBottom = std::min(gridBottom, view.Bottom);
  if (gridRight < view.Right) cv->FillRect(Rect(gridRight, 0, view.Right, view.Bottom));
  if (gridBottom < view.Bottom) cv->FillRect(Rect(0, gridBottom, gridRight, view.Bottom));
  PaintScrollBars(cv);
}

// =============================================================================================
// Editor

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value == editorMode_) {
    if (Value) UpdateEditor();
    return;
  }
  if (Value) ShowEditor();
  else HideEditor();
}

void TCustomGrid::ShowEditor() {
  if (!options_.Contains(goEditing) || options_.Contains(goRowSelect)) return;
  editorMode_ = true;
  if (!CanEditShow()) {
    editorMode_ = false;
    return;
  }
  // The editor opens over a cell the user can see.
  if (CellRect(current_.X, current_.Y).IsEmpty()) ClampInView(current_);
  UpdateEditor();
}

void TCustomGrid::UpdateEditor() {
  if (!editorMode_) return;
  if (!inplaceEdit_) {
    inplaceEdit_ = CreateEditor();
    inplaceEdit_->SetGrid(this);
    inplaceEdit_->SetParent(this);
  }
  TRect r = CellRect(current_.X, current_.Y);
  if (inplaceCol_ != current_.X || inplaceRow_ != current_.Y) {
    inplaceEdit_->UpdateContents();
    inplaceCol_ = current_.X;
    inplaceRow_ = current_.Y;
  }
  canEditModify_ = true;
  if (r.IsEmpty()) {
    inplaceEdit_->Hide();
  } else {
    inplaceEdit_->Move(r);
    if (IsActiveControl() || Focused()) inplaceEdit_->SetFocus();
  }
  InvalidateCell(current_.X, current_.Y);
}

void TCustomGrid::HideEditor() {
  if (!editorMode_) return;
  editorMode_ = false;
  // The text stays in the editor: the edit cycle of the grid reads it from there.
  if (inplaceEdit_) inplaceEdit_->Hide();
  inplaceCol_ = -1;
  inplaceRow_ = -1;
  InvalidateCell(current_.X, current_.Y);
}

void TCustomGrid::ShowEditorChar(Char Ch) {
  ShowEditor();
  if (!editorMode_ || !inplaceEdit_) return;
  // The typed character replaces the text, as the posted key would.
  inplaceEdit_->SelectAll();
  PostMessage(inplaceEdit_, WM_CHAR, Ch, 0);
}

// =============================================================================================
// Keyboard

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  if (!CanGridAcceptKey(Key, Shift)) {
    Key = 0;
    return;
  }
  TGridCoord newTopLeft = topLeft_;
  TGridCoord newCurrent = current_;
  int pageWidth = std::max(1, VisibleColCount());
  int pageHeight = std::max(1, VisibleRowCount());
  bool rowSelect = options_.Contains(goRowSelect);
  bool handled = true;
  if (Shift.Contains(ssCtrl)) {
    switch (Key) {
      case VK_UP: --newTopLeft.Y; break;
      case VK_DOWN: ++newTopLeft.Y; break;
      case VK_LEFT:
        if (!rowSelect) { newCurrent.X -= pageWidth; newTopLeft.X -= pageWidth; }
        break;
      case VK_RIGHT:
        if (!rowSelect) { newCurrent.X += pageWidth; newTopLeft.X += pageWidth; }
        break;
      case VK_PRIOR: newCurrent.Y = topLeft_.Y; break;
      case VK_NEXT: newCurrent.Y = topLeft_.Y + pageHeight - 1; break;
      case VK_HOME: newCurrent = {fixedCols_, fixedRows_}; break;
      case VK_END: newCurrent = {colCount_ - 1, rowCount_ - 1}; break;
      default: handled = false; break;
    }
  } else {
    switch (Key) {
      case VK_UP: --newCurrent.Y; break;
      case VK_DOWN: ++newCurrent.Y; break;
      case VK_LEFT:
        if (rowSelect) --newTopLeft.X; else --newCurrent.X;
        break;
      case VK_RIGHT:
        if (rowSelect) ++newTopLeft.X; else ++newCurrent.X;
        break;
      case VK_NEXT:
        newCurrent.Y += pageHeight;
        newTopLeft.Y += pageHeight;
        break;
      case VK_PRIOR:
        newCurrent.Y -= pageHeight;
        newTopLeft.Y -= pageHeight;
        break;
      case VK_HOME:
        if (rowSelect) newCurrent.Y = fixedRows_; else newCurrent.X = fixedCols_;
        break;
      case VK_END:
        if (rowSelect) newCurrent.Y = rowCount_ - 1; else newCurrent.X = colCount_ - 1;
        break;
      case VK_TAB:
        if (!options_.Contains(goTabs) || Shift.Contains(ssAlt)) { handled = false; break; }
        {
          // Next (previous) tab stop, wrapping over rows; stays when none is found.
          TGridCoord c = current_;
          bool back = Shift.Contains(ssShift);
          for (int guard = 0; guard < colCount_ * 2; ++guard) {
            if (back) {
              if (--c.X < fixedCols_) {
                c.X = colCount_ - 1;
                if (--c.Y < fixedRows_) c.Y = rowCount_ - 1;
              }
            } else if (++c.X >= colCount_) {
              c.X = fixedCols_;
              if (++c.Y >= rowCount_) c.Y = fixedRows_;
            }
            if (TabStops(c.X)) break;
          }
          newCurrent = c;
        }
        break;
      case VK_F2:
        SetEditorMode(true);
        break;
      default: handled = false; break;
    }
  }
  if (!handled) return;
  TGridCoord max = CalcMaxTopLeft();
  newTopLeft.X = Clamp(newTopLeft.X, fixedCols_, std::max(fixedCols_, max.X));
  newTopLeft.Y = Clamp(newTopLeft.Y, fixedRows_, std::max(fixedRows_, max.Y));
  if (newTopLeft.X != topLeft_.X || newTopLeft.Y != topLeft_.Y) MoveTopLeft(newTopLeft.X, newTopLeft.Y);
  newCurrent.X = Clamp(newCurrent.X, fixedCols_, colCount_ - 1);
  newCurrent.Y = Clamp(newCurrent.Y, fixedRows_, rowCount_ - 1);
  if (newCurrent.X != current_.X || newCurrent.Y != current_.Y)
    FocusCell(newCurrent.X, newCurrent.Y, !Shift.Contains(ssShift) || Key == VK_TAB);
}

void TCustomGrid::KeyPress(Char& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0) return;
  if (!options_.Contains(goAlwaysShowEditor) && Key == 13) {
    if (editorMode_) HideEditor();
    else ShowEditor();
    Key = 0;
    return;
  }
}

void TCustomGrid::KeyUp(Word& Key, TShiftState Shift) { TCustomControl::KeyUp(Key, Shift); }

// =============================================================================================
// Mouse

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                  int& SizingOfs) {
  State = gsNormal;
  Index = -1;
  SizingPos = 0;
  SizingOfs = 0;
  X = ClientToLayoutX(X);
  AxisInfo h = CalcAxis(false), v = CalcAxis(true);
  const int grip = 3;  // pixels either side of a border that grab it
  if (options_.Contains(goColSizing) && Y < v.FixedExtent && fixedRows_ > 0) {
    int pos = 0;
    auto check = [&](int i) {
      int border = pos + ColWidths(i);
      if (X >= border - grip && X <= border + grip) {
        State = gsColSizing;
        Index = i;
        SizingPos = border;
        SizingOfs = border - X;
      }
      pos = border + h.LineWidth;
    };
    for (int i = 0; i < h.FixedCount; ++i) check(i);
    for (int i = h.FirstScroll; i < h.Count && pos < h.Extent; ++i) check(i);
    if (State != gsNormal) return;
  }
  if (options_.Contains(goRowSizing) && X < h.FixedExtent && fixedCols_ > 0) {
    int pos = 0;
    auto check = [&](int i) {
      int border = pos + RowHeights(i);
      if (Y >= border - grip && Y <= border + grip) {
        State = gsRowSizing;
        Index = i;
        SizingPos = border;
        SizingOfs = border - Y;
      }
      pos = border + v.LineWidth;
    };
    for (int i = 0; i < v.FixedCount; ++i) check(i);
    for (int i = v.FirstScroll; i < v.Count && pos < v.Extent; ++i) check(i);
  }
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  int lx = ClientToLayoutX(X);
  lastMouse_ = Point(lx, Y);
  if (CanFocus() && !IsActiveControl()) SetFocus();
  if (Button == mbLeft && ScrollBarMouseDown(lx, Y)) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    return;
  }
  if (Button == mbLeft && Shift.Contains(ssDouble)) {
    DblClick();
  } else if (Button == mbLeft) {
    TGridState state;
    int index, pos, ofs;
    CalcSizingState(X, Y, state, index, pos, ofs);
    if (state != gsNormal) {
      gridState_ = state;
      sizingIndex_ = index;
      sizingPos_ = pos;
      sizingOfs_ = ofs;
      HideEditor();
    } else {
      TGridCoord cell = MouseCoord(X, Y);
      if (cell.X >= 0) {
        bool fixedRowHit = cell.Y < fixedRows_ && cell.X >= fixedCols_;
        bool fixedColHit = cell.X < fixedCols_ && cell.Y >= fixedRows_;
        if (fixedRowHit && options_.Contains(goColMoving)) {
          gridState_ = gsColMoving;
          moveIndex_ = cell.X;
          movePos_ = cell.X;
          HideEditor();
        } else if (fixedColHit && options_.Contains(goRowMoving)) {
          gridState_ = gsRowMoving;
          moveIndex_ = cell.Y;
          movePos_ = cell.Y;
          HideEditor();
        } else if (cell.X >= fixedCols_ && cell.Y >= fixedRows_) {
          if (options_.Contains(goEditing)) {
            // A click on the current cell opens the editor; elsewhere it moves there.
            if (cell.X == current_.X && cell.Y == current_.Y) {
              ShowEditor();
            } else {
              MoveCurrent(cell.X, cell.Y, true, true);
              UpdateEditor();
            }
            Click();
          } else {
            // Selecting: the press fixes the current cell, dragging moves the anchor.
            gridState_ = gsSelecting;
            SetTimer(this, kScrollTimer, 60);
            if (Shift.Contains(ssShift)) MoveAnchor(cell);
            else MoveCurrent(cell.X, cell.Y, true, true);
          }
        }
      }
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  int lx = ClientToLayoutX(X);
  lastMouse_ = Point(lx, Y);
  if (thumbDrag_ != 0) {
    bool vertical = thumbDrag_ == 1;
    ScrollBarLayout l = BarLayout(vertical);
    int along = (vertical ? Y : lx) - thumbGrab_ - l.TrackStart;
    const int range = BarPosRange(vertical);
    int pos = l.Movable > 0 ? Clamp(MulDivTrunc(along, range, l.Movable), 0, range) : 0;
    if (pos != thumbPos_) {
      thumbPos_ = pos;
      Perform(vertical ? WM_VSCROLL : WM_HSCROLL, SB_THUMBTRACK | (static_cast<unsigned>(pos) << 16), 0);
    }
    TCustomControl::MouseMove(Shift, X, Y);
    return;
  }
  switch (gridState_) {
    case gsSelecting: {
      TGridCoord cell = MouseCoord(X, Y);
      if (cell.X >= fixedCols_ && cell.Y >= fixedRows_) MoveAnchor(cell);
      break;
    }
    case gsColSizing: {
      TRect r = LayoutCellRect(sizingIndex_, std::min(topLeft_.Y, rowCount_ - 1));
      int left = r.IsEmpty() ? AxisStart(false, sizingIndex_) : r.Left;
      if (left >= 0) {
        int w = std::max(0, lx + sizingOfs_ - left);
        if (w != ColWidths(sizingIndex_)) SetColWidths(sizingIndex_, w);
      }
      break;
    }
    case gsRowSizing: {
      int top = AxisStart(true, sizingIndex_);
      if (top >= 0) {
        int hgt = std::max(0, Y + sizingOfs_ - top);
        if (hgt != RowHeights(sizingIndex_)) SetRowHeights(sizingIndex_, hgt);
      }
      break;
    }
    case gsColMoving: {
      int c = AxisIndexAt(false, lx);
      if (c >= fixedCols_) movePos_ = c;
      break;
    }
    case gsRowMoving: {
      int r = AxisIndexAt(true, Y);
      if (r >= fixedRows_) movePos_ = r;
      break;
    }
    default:
      break;
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  lastMouse_ = Point(ClientToLayoutX(X), Y);
  if (repeatMsg_ != 0) {
    unsigned msg = repeatMsg_;
    repeatMsg_ = 0;
    KillTimer(this, kRepeatTimer);
    Perform(msg, SB_ENDSCROLL, 0);
    TCustomControl::MouseUp(Button, Shift, X, Y);
    return;
  }
  if (thumbDrag_ != 0) {
    unsigned msg = thumbDrag_ == 1 ? WM_VSCROLL : WM_HSCROLL;
    thumbDrag_ = 0;
    Perform(msg, SB_THUMBPOSITION | (static_cast<unsigned>(thumbPos_) << 16), 0);
    Perform(msg, SB_ENDSCROLL, 0);
    TCustomControl::MouseUp(Button, Shift, X, Y);
    return;
  }
  TGridState state = gridState_;
  gridState_ = gsNormal;
  KillTimer(this, kScrollTimer);
  if (state == gsColMoving && moveIndex_ >= 0 && movePos_ >= 0 && movePos_ != moveIndex_) {
    MoveColumn(moveIndex_, movePos_);
  } else if (state == gsRowMoving && moveIndex_ >= 0 && movePos_ >= 0 && movePos_ != moveIndex_) {
    MoveRow(moveIndex_, movePos_);
  } else if (state == gsSelecting) {
    UpdateEditor();
    Click();
  }
  moveIndex_ = movePos_ = sizingIndex_ = -1;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

bool TCustomGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  // Partial deltas add up; each whole notch moves one row.
  wheelAccumulation_ += WheelDelta;
  bool handled = false;
  while (wheelAccumulation_ >= WHEEL_DELTA) {
    wheelAccumulation_ -= WHEEL_DELTA;
    handled = DoMouseWheelUp(Shift, MousePos) || handled;
  }
  while (wheelAccumulation_ <= -WHEEL_DELTA) {
    wheelAccumulation_ += WHEEL_DELTA;
    handled = DoMouseWheelDown(Shift, MousePos) || handled;
  }
  return handled || WheelDelta != 0;
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  (void)Shift;
  (void)MousePos;
  if (current_.Y < rowCount_ - 1) FocusCell(current_.X, current_.Y + 1, true);
  return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  (void)Shift;
  (void)MousePos;
  if (current_.Y > fixedRows_) FocusCell(current_.X, current_.Y - 1, true);
  return true;
}

void TCustomGrid::DoEnter() {
  TCustomControl::DoEnter();
  if (options_.Contains(goAlwaysShowEditor) && options_.Contains(goEditing)) ShowEditor();
  InvalidateCell(current_.X, current_.Y);
}

void TCustomGrid::DoExit() {
  TCustomControl::DoExit();
  if (!options_.Contains(goAlwaysShowEditor)) HideEditor();
  InvalidateCell(current_.X, current_.Y);
}

void TCustomGrid::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCPAINT:
      // A single border: the sunken two-pixel edge around the client area.
      if (windowCanvas_ && ClientInset() > 0) {
        TRect r = Rect(0, 0, Width(), Height());
        DrawEdge(windowCanvas_, r, EDGE_SUNKEN, BF_RECT);
      }
      m.Result = 0;
      return;
    case WM_TIMER:
      if (m.WParam == kRepeatTimer) {
        if (repeatMsg_ != 0) RepeatScroll();
        else KillTimer(this, kRepeatTimer);
        return;
      }
      if (m.WParam == kScrollTimer && gridState_ == gsSelecting) {
        // Selecting with the mouse beyond the fully visible cells moves the anchor and the
        // view one cell toward it.
        AxisInfo h = CalcAxis(false), v = CalcAxis(true);
        auto fullEnd = [&](bool vertical, const AxisInfo& a) {
          int pos = a.FixedExtent;
          for (int i = a.FirstScroll; i <= a.LastFull; ++i) pos += AxisExtent(vertical, i) + a.LineWidth;
          return pos;
        };
        TGridCoord anchor = anchor_, topLeft = topLeft_;
        if (lastMouse_.X < h.FixedExtent) {
          if (anchor.X > fixedCols_) { --anchor.X; --topLeft.X; }
        } else if (lastMouse_.X > fullEnd(false, h)) {
          if (anchor.X < colCount_ - 1) { ++anchor.X; ++topLeft.X; }
        }
        if (lastMouse_.Y < v.FixedExtent) {
          if (anchor.Y > fixedRows_) { --anchor.Y; --topLeft.Y; }
        } else if (lastMouse_.Y > fullEnd(true, v)) {
          if (anchor.Y < rowCount_ - 1) { ++anchor.Y; ++topLeft.Y; }
        }
        if (!(anchor == anchor_)) {
          MoveTopLeft(topLeft.X, topLeft.Y);
          MoveAnchor(anchor);
        }
        return;
      }
      break;
    case WM_CHAR:
      // Under goEditing a typed character opens the editor and goes to it; the grid's own
      // key press does not see it (the form's key preview still does).
      if (options_.Contains(goEditing) && (m.WParam == 8 || m.WParam >= 32)) {
        Char ch = static_cast<Char>(m.WParam);
        TForm* f = GetParentForm(this);
        if (f && f != static_cast<TControl*>(this) && f->KeyPreview() && f->DoKeyPress(ch)) return;
        if (ch != 0) ShowEditorChar(ch);
        return;
      }
      break;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (m.LParam != 0) break;  // a child scroll bar's: passed back to it
      ScrollBarMessage(m.Msg == WM_VSCROLL, static_cast<unsigned>(m.WParam & 0xFFFF),
                       static_cast<int>((m.WParam >> 16) & 0xFFFF));
      return;
    case CM_BIDIMODECHANGED:
      // The cells change sides: the editor follows its cell.
      TCustomControl::WndProc(m);
      if (editorMode_ && inplaceEdit_ && inplaceEdit_->Visible()) inplaceEdit_->Move(CellRect(current_.X, current_.Y));
      InvalidateGrid();
      return;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}
