// The enhanced look of a column or row moved with the mouse: the floating header image or the
// translucent picture of the cells, the drop arrows, auto-scroll and the drag cursors, and how
// the move ends (drop, cancel). Also the small windows these use and the slim scroll indicators.
#include <algorithm>
#include <cmath>

#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridControlLook.h"
#include "grid/core/AdvGridMoveControls.h"
#include "grid/foundation/AdvObjOverlay.h"
#include "grid/foundation/ZazAdezFill.h"
#include "platform/Forms.h"
#include "platform/Overlay.h"

namespace {

constexpr int kArrowSize = 11;

int RoundDiv(double Value) { return static_cast<int>(std::lround(Value)); }

}  // namespace

// =============================================================================================
// Header image

void THeaderDragButton::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Invalidate();
}

void THeaderDragButton::EnsureOverlay() {
  if (FOverlay || !Grid) return;
  // A pop-up over the grid's form: it never takes the focus and is not clipped by the grid.
  if (!Parent()) SetParent(Grid);
  MakeOverlayWindow(this, false);
  FOverlay = true;
}

void THeaderDragButton::PlaceAt(int ScreenX, int ScreenY, int AWidth, int AHeight) {
  EnsureOverlay();
  TPoint p = Point(ScreenX, ScreenY);
  if (TForm* form = GetParentForm(this)) p = form->ScreenToClient(p);
  SetBounds(p.X, p.Y, AWidth, AHeight);
}

void THeaderDragButton::SetVisible(bool Value) {
  if (Value) EnsureOverlay();
  TCustomControl::SetVisible(Value);
  if (Value) AttachOverlayToForm(this);
}

void THeaderDragButton::Paint() {
  TCanvas* c = Canvas();
  const TRect r = ClientRect();
  auto* grid = dynamic_cast<TAdvStringGrid*>(Grid);
  TColor from = clBtnFace, to = clNone, mirror = clNone, mirrorTo = clNone;
  if (grid) {
    TControlLook* look = grid->ControlLook();
    from = look->FixedGradientFrom() != clNone ? look->FixedGradientFrom() : grid->FixedColor();
    to = look->FixedGradientTo();
    mirror = look->FixedGradientMirrorFrom();
    mirrorTo = look->FixedGradientMirrorTo();
  }
  DrawGradientBackground(c, r, from, to, mirror, mirrorTo, 1, clNone, false, true);
  // The border a pop-up with WS_BORDER gets.
  c->Brush()->SetStyle(bsClear);
  c->Pen()->SetColor(clWindowFrame);
  c->Rectangle(r);
  if (grid) c->Font()->Assign(grid->FixedFont());
  TRect tr = r;
  DrawText(c, FCaption, tr, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

// =============================================================================================
// Move form

TNoActiveForm::TNoActiveForm(TComponent* AOwner) : TCustomControl(AOwner), FPicture(std::make_unique<TBitmap>()) {
  SetVisible(false);
  SetEnabled(false);
}

TNoActiveForm::~TNoActiveForm() = default;

void TNoActiveForm::MoveTo(int ScreenX, int ScreenY) {
  TPoint p = Point(ScreenX, ScreenY);
  if (TForm* form = GetParentForm(this)) p = form->ScreenToClient(p);
  SetBounds(p.X, p.Y, FPicture->Width(), FPicture->Height());
}

void TNoActiveForm::Show() {
  if (!FOverlay) {
    MakeOverlayWindow(this, true);
    FOverlay = true;
  }
  SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
  UpdateOverlayLayered(this, FPicture.get(), kAlpha);
  SetVisible(true);
  AttachOverlayToForm(this);
}

void TNoActiveForm::WndProc(TMessage& Message) {
  if (Message.Msg == WM_MOUSEACTIVATE) {
    Message.Result = MA_NOACTIVATE;
    return;
  }
  if (Message.Msg == WM_ACTIVATE) {
    TCustomControl::WndProc(Message);
    Message.Result = 1;
    return;
  }
  TCustomControl::WndProc(Message);
}

void TNoActiveForm::Paint() { Canvas()->Draw(0, 0, FPicture.get()); }

// =============================================================================================
// Grid: pictures, arrows, feedback, drop and cancel

TArrowWindow* TAdvStringGrid::MoveArrow(TArrowDirection Direction) const {
  switch (Direction) {
    case arrUp: return ArwU;
    case arrDown: return ArwD;
    case arrLeft: return ArwL;
    case arrRight: return ArwR;
  }
  return nullptr;
}

TNoActiveForm* TAdvStringGrid::SelectionToForm(int ACol, int ARow, int BCol, int BRow) {
  TRect area{};
  UnionRect(area, CellRect(ACol, ARow), CellRect(BCol, BRow));
  if (area.IsEmpty()) return nullptr;
  TBitmap whole;
  whole.SetPixelFormat(pf24bit);
  whole.SetSize(ClientWidth(), ClientHeight());
  PaintOn(whole.Canvas(), &area);
  auto* form = new TNoActiveForm(this);
  form->SetParent(this);
  TBitmap* pic = form->Picture();
  pic->SetPixelFormat(pf24bit);
  pic->SetSize(area.Width(), area.Height());
  pic->Canvas()->CopyRect(Rect(0, 0, area.Width(), area.Height()), whole.Canvas(), area);
  // The grid's own lines where the picture starts at the grid's first column or row.
  TCanvas* c = pic->Canvas();
  c->Pen()->SetColor(HalveColor(FixedColor()));
  if (ACol == 0) {
    c->MoveTo(0, 0);
    c->LineTo(0, area.Height());
  }
  if (ARow == 0) {
    c->MoveTo(0, 0);
    c->LineTo(area.Width(), 0);
  }
  const TPoint at = ClientToScreen(Point(area.Left, area.Top));
  form->MoveTo(at.X, at.Y);
  return form;
}

bool TAdvStringGrid::EnhancedMoveRunning() const {
  const TCursor cur = Screen ? Screen->Cursor() : crDefault;
  return (cur == crDrag || cur == crNoDrop) && (GridState() == gsColMoving || GridState() == gsRowMoving) &&
         FEnhRowColMove;
}

void TAdvStringGrid::MoveFeedback(int X, int Y) {
  bool allow = true;
  DoStartBlockFocus();
  const bool cols = GridState() == gsColMoving;
  const bool showCells = FDragDropSettings->ShowCells();
  int c = -1, r = -1;
  MouseToCell(X, Y, c, r);
  const int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
  const int lastCol = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
  if (cols && Movecell >= FixedCols() && r >= 0) {
    if (showCells && !FMoveForm) {
      FMoveForm = SelectionToForm(Movecell, 0, Movecell, lastRow);
      if (FMoveForm) FMoveForm->Show();
    }
    MoveButton->SetCaption(GetCellEx(RealColIndex(Movecell), 0));
    MoveButton->SetWidth(ColWidths(Movecell));
    MoveButton->SetHeight(RowHeights(r));
    MoveButton->Invalidate();
  } else if (!cols && Movecell >= FixedRows()) {
    if (showCells && !FMoveForm) {
      FMoveForm = SelectionToForm(0, Movecell, lastCol, Movecell);
      if (FMoveForm) FMoveForm->Show();
    }
    MoveButton->SetCaption(GetCellEx(RealColIndex(0), Movecell));
    MoveButton->SetHeight(RowHeights(Movecell));
    MoveButton->SetWidth(ColWidths(c >= 0 ? c : 0));
    MoveButton->Invalidate();
  }
  const TPoint at = ClientToScreen(Point(X - MoveOfsX, Y - MoveOfsY));
  if (showCells && FMoveForm) {
    int left = at.X;
    if (UseRightToLeftAlignment()) left += ColWidths(0) - FMoveForm->Width();
    FMoveForm->MoveTo(left, at.Y);
  } else {
    MoveButton->PlaceAt(at.X, at.Y, MoveButton->Width(), MoveButton->Height());
  }
  if (cols) {
    FMoveColInd = c;
    FMoveRowInd = 0;
    PlaceMoveArrows(true);
    if (OnColumnMoving) OnColumnMoving(this, c, allow);
  } else {
    FMoveRowInd = r;
    FMoveColInd = 0;
    PlaceMoveArrows(false);
    if (OnRowMoving) OnRowMoving(this, r, allow);
  }
  // Auto-scroll while the mouse is beyond the scrollable cells: one column (row) a move.
  const int count = cols ? ColCount() : RowCount(), fixed = cols ? FixedCols() : FixedRows();
  const int visible = cols ? VisibleColCount() : VisibleRowCount(), first = cols ? LeftCol() : TopRow();
  if (visible + fixed < count) {
    int fixedExtent = 0;
    for (int i = 0; i < fixed; ++i) fixedExtent += (cols ? ColWidths(i) : RowHeights(i)) + GridLineWidth();
    const int at = cols ? X : Y, end = cols ? ClientWidth() : ClientHeight();
    int next = first;
    if (at < fixedExtent && first > fixed) next = first - 1;
    else if (at > end && first + visible < count) next = first + 1;
    if (next != first) {
      if (cols) SetLeftCol(next);
      else SetTopRow(next);
      Repaint();
    }
  }
  if (!MoveButton->Visible() && !showCells) MoveButton->SetVisible(true);
  MoveButton->SetEnabled(true);
  if (Screen) Screen->SetCursor(allow ? crDrag : crNoDrop);
}

void TAdvStringGrid::PlaceMoveArrows(bool Columns) {
  if (Columns) {
    const bool shown = FMoveColInd >= FixedCols() && FMoveColInd >= LeftCol() &&
                       FMoveColInd <= LeftCol() + VisibleColCount() && FMoveColInd < ColCount();
    if (!shown) {
      if (ArwU) ArwU->SetVisible(false);
      if (ArwD) ArwD->SetVisible(false);
      return;
    }
    if (!ArwU) ArwU = new TArrowWindow(this, arrUp);
    if (!ArwD) ArwD = new TArrowWindow(this, arrDown);
    const TRect header = CellRect(FMoveColInd, std::max(0, FixedRows() - 1));
    const TRect top = CellRect(FMoveColInd, 0);
    const int border = FMoveColInd < Movecell ? header.Left : header.Right;
    const TPoint up = ClientToScreen(Point(border - 5, header.Bottom));
    const TPoint down = ClientToScreen(Point(border - 5, top.Top - 8));
    ArwU->SetBounds(up.X, up.Y, kArrowSize, kArrowSize);
    ArwD->SetBounds(down.X, down.Y, kArrowSize, kArrowSize);
    ArwU->SetVisible(true);
    ArwD->SetVisible(true);
    return;
  }
  const bool footerRow = FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow &&
                         FMoveRowInd == RowCount() - 1;
  const bool shown = FMoveRowInd >= FixedRows() && FMoveRowInd >= TopRow() &&
                     FMoveRowInd <= TopRow() + VisibleRowCount() && FMoveRowInd < RowCount() && !footerRow;
  if (!shown) {
    if (ArwL) ArwL->SetVisible(false);
    if (ArwR) ArwR->SetVisible(false);
    return;
  }
  if (!ArwL) ArwL = new TArrowWindow(this, arrRight);  // left of the row, pointing at it
  if (!ArwR) ArwR = new TArrowWindow(this, arrLeft);
  const TRect row = CellRect(0, FMoveRowInd);
  const int border = FMoveRowInd < Movecell ? row.Top : row.Bottom;
  const TPoint left = ClientToScreen(Point(row.Left - 10, border - 5));
  const TPoint right = ClientToScreen(Point(std::min(GridWidth(), ClientWidth()), border - 5));
  ArwL->SetBounds(left.X, left.Y, kArrowSize, kArrowSize);
  ArwR->SetBounds(right.X, right.Y, kArrowSize, kArrowSize);
  ArwL->SetVisible(true);
  ArwR->SetVisible(true);
}

void TAdvStringGrid::HideMoveArrows() {
  for (TArrowWindow* a : {ArwU, ArwD, ArwL, ArwR})
    if (a) a->SetVisible(false);
}

void TAdvStringGrid::EndMoveImages() {
  if (MoveButton) {
    MoveButton->SetEnabled(false);
    MoveButton->SetVisible(false);
  }
  delete FMoveForm;
  FMoveForm = nullptr;
  HideMoveArrows();
}

bool TAdvStringGrid::DropEnhancedMove(int DCol, int DRow) {
  if (!EnhancedMoveRunning()) return false;
  const bool cols = GridState() == gsColMoving;
  const bool noDrop = Screen->Cursor() == crNoDrop;
  EndMoveImages();
  DoEndBlockFocus();
  Screen->SetCursor(crDefault);
  // The move ends here: the class library's release must not move again.
  gridState_ = gsNormal;
  KillTimer(this, kScrollTimer);
  if (noDrop) {
    if (Movecell >= 0) {
      if (cols) RepaintRow(0);
      else RepaintCol(0);
    }
  } else if (cols && Movecell >= 0 && DCol >= FixedCols() && DCol != Movecell) {
    MoveColumn(Movecell, DCol);
  } else if (!cols && Movecell >= 0 && DRow >= FixedRows() && DRow != Movecell) {
    MoveRow(Movecell, DRow);
  }
  return true;
}

void TAdvStringGrid::DropPlainMove() {
  const TGridState state = GridState();
  if ((state != gsColMoving && state != gsRowMoving) || moveIndex_ < 0 || movePos_ < 0 || movePos_ == moveIndex_)
    return;
  const int from = moveIndex_, to = movePos_;
  gridState_ = gsNormal;
  if (state == gsColMoving) MoveColumn(from, to);
  else MoveRow(from, to);
}

void TAdvStringGrid::CancelEnhancedMove() {
  if (!EnhancedMoveRunning()) return;
  Screen->SetCursor(crDefault);
  EndMoveImages();
  KillTimer(this, kScrollTimer);
  gridState_ = gsNormal;
}

// =============================================================================================
// Slim scroll indicators

TScrollControl::TScrollControl(TComponent* AOwner) : TCustomControl(AOwner) {}

TAdvStringGrid* TScrollControl::GridParent() const { return dynamic_cast<TAdvStringGrid*>(Parent()); }

void TScrollControl::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Invalidate();
}

bool TScrollControl::ThumbSpan(int& Start, int& Size) const {
  TAdvStringGrid* g = GridParent();
  if (!g) return false;
  const bool vert = FDirection == sdVertical;
  const int count = vert ? g->RowCount() : g->ColCount();
  const int fixed = vert ? g->FixedRows() : g->FixedCols();
  const int visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
  const int first = vert ? g->TopRow() : g->LeftCol();
  if (count <= fixed || visible + fixed >= count) return false;
  int lead = 0, trail = 0;
  if (vert) {
    for (int i = 0; i < fixed; ++i) lead += g->RowHeights(i);
    for (int i = 0; i < g->FixedFooters(); ++i) trail += g->RowHeights(count - 1 - i);
  } else {
    for (int i = 0; i < fixed; ++i) lead += g->ColWidths(i);
    for (int i = 0; i < g->FixedRightCols(); ++i) trail += g->ColWidths(count - 1 - i);
  }
  const int length = vert ? Height() : Width();
  const int track = length - lead - trail;
  if (track <= 0) return false;
  Start = lead + RoundDiv(static_cast<double>(track) * (first - fixed) / (count - fixed));
  Size = std::max(20, RoundDiv(static_cast<double>(track) * visible / count));
  if (Start + Size > length) Start = length - Size;
  return true;
}

void TScrollControl::Paint() {
  int start = 0, size = 0;
  if (!ThumbSpan(start, size)) return;
  TCanvas* c = Canvas();
  c->Pen()->SetColor(FColor);
  c->Brush()->SetColor(FColor);
  if (FDirection == sdVertical) c->Rectangle(Rect(0, start, FScrollWidth, start + size));
  else c->Rectangle(Rect(start, 0, start + size, FScrollWidth));
}

void TScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  TAdvStringGrid* g = GridParent();
  int start = 0, size = 0;
  if (!g || !ThumbSpan(start, size)) return;
  const bool vert = FDirection == sdVertical;
  const int pos = vert ? Y : X;
  const int fixed = vert ? g->FixedRows() : g->FixedCols();
  const int count = vert ? g->RowCount() : g->ColCount();
  const int visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
  const int first = vert ? g->TopRow() : g->LeftCol();
  int next = first;
  if (pos < start) {
    next = std::max(fixed, first - visible);
  } else if (pos >= start + size) {
    next = std::min(first + visible, count - visible);
  } else {
    FDownOnScroller = true;
    FDownPos = pos;
    FDownRow = first;
    return;
  }
  if (vert) g->SetTopRow(next);
  else g->SetLeftCol(next);
  Invalidate();
}

void TScrollControl::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  TAdvStringGrid* g = GridParent();
  if (!g || !FDownOnScroller) return;
  const bool vert = FDirection == sdVertical;
  const int count = vert ? g->RowCount() : g->ColCount();
  const int fixed = vert ? g->FixedRows() : g->FixedCols();
  const int visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
  // Measured against the indicator less the first row (column); never a division by nothing.
  const int span = (vert ? Height() - g->RowHeights(0) : Width() - g->ColWidths(0));
  if (span <= 0) return;
  const int delta = RoundDiv(static_cast<double>((vert ? Y : X) - FDownPos) / span * count);
  const int next = std::max(fixed, std::min(delta + FDownRow, count - visible));
  if (vert) g->SetTopRow(next);
  else g->SetLeftCol(next);
  Invalidate();
}

void TScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FDownOnScroller = false;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TAdvStringGrid::MakeScrollIndicators() {
  if (FVertIndicator || Designing() || FDestroying) return;
  FVertIndicator = new TScrollControl(this);
  FVertIndicator->SetDirection(sdVertical);
  FVertIndicator->SetWidth(6);
  FVertIndicator->SetAlign(alRight);
  FVertIndicator->SetDoubleBuffered(true);
  FVertIndicator->SetParent(this);
  FHorzIndicator = new TScrollControl(this);
  FHorzIndicator->SetDirection(sdHorizontal);
  FHorzIndicator->SetHeight(6);
  FHorzIndicator->SetAlign(alBottom);
  FHorzIndicator->SetDoubleBuffered(true);
  FHorzIndicator->SetParent(this);
}

void TAdvStringGrid::FreeScrollIndicators() {
  delete FVertIndicator;
  delete FHorzIndicator;
  FVertIndicator = nullptr;
  FHorzIndicator = nullptr;
}

void TAdvStringGrid::UpdateScrollIndicators() {
  if (FScrollType != ssMetro) return;
  MakeScrollIndicators();
  if (FVertIndicator) FVertIndicator->Invalidate();
  if (FHorzIndicator) FHorzIndicator->Invalidate();
}
