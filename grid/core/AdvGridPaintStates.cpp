// Header cells in their hovered and pressed states, the guide lines of a fixed border being
// dragged, the block-focus frame around the edited cell, and the grid's small hooks (fixed-cell
// editing, selection changes, caret, filter, formula text, export and import progress).
#include <algorithm>

#include "grid/core/AdvGrid.h"
#include "grid/foundation/AdvObjOverlay.h"
#include "grid/foundation/ZazAdez.h"
#include "grid/foundation/ZazAdezDraw.h"
#include "platform/Overlay.h"

// ---- header hover and pressed states ----

bool TAdvStringGrid::IsHoverFixedCell(int DCol, int DRow) const {
  switch (FHoverFixedCells) {
    case hfAll:
      return true;
    case hfFixedRows:
      return DRow < TCustomGrid::FixedRows();
    case hfFixedColumns:
      return DCol < TCustomGrid::FixedCols();
    default:
      return false;
  }
}

bool TAdvStringGrid::DrawHeaderState(TCanvas* ACanvas, int RCol, int DCol, int DRow, TRect& R) {
  if (Designing() || !IsHoverFixedCell(DCol, DRow)) return false;
  const bool moving = FMovingColumn >= 0;
  const bool hovered = moving ? DCol == FMovingColumn : DCol == FHoverFixedX && DRow == FHoverFixedY;
  if (!hovered) return false;
  R.Bottom += 1;
  const bool pressed = FMouseDownOnFixed || moving;
  const bool button = FControlLook->FixedDropDownButton() && DoCanShowFixedDropDown(RCol);
  auto hover = [&](TRect r) {
    DrawGradientBackground(ACanvas, r, FQELHoverFrom, FQELHoverTo, FQELHoverMirrorFrom, FQELHoverMirrorTo, 1,
                           FQELHoverBorder, false, true);
  };
  auto down = [&](TRect r) {
    DrawGradientBackground(ACanvas, r, FQELDownFrom, FQELDownTo, FQELDownMirrorFrom, FQELDownMirrorTo, 1,
                           FQELDownBorder, false, true);
  };
  const TRect body = Rect(R.Left, R.Top, R.Right - 16, R.Bottom);
  const TRect zone = Rect(R.Right - 16, R.Top, R.Right, R.Bottom);
  if (!pressed) {
    hover(R);
  } else if (button) {
    if (FFixedDropDownDown) {
      hover(body);
      down(zone);
    } else {
      down(body);
      hover(zone);
    }
  } else {
    down(R);
  }
  if (button) {
    ACanvas->Pen()->SetColor(FMouseDownOnFixed ? FQELDownBorder : FQELHoverBorder);
    ACanvas->MoveTo(R.Right - 16, R.Top);
    ACanvas->LineTo(R.Right - 16, R.Bottom);
    DrawDownTriangle(ACanvas, R.Right - 8, R.Top + 8, clBlack);
    R.Right -= 16;
  }
  return true;
}

// ---- sizing guide lines ----

// The system draws a black dotted line in XOR mode, which leaves every pixel as it was: the line
// would never show. A white pen in XOR inverts the pixels and drawing it again still restores them.
namespace {
void GuideLine(TCanvas* C, int X1, int Y1, int X2, int Y2) {
  TPen saved;
  saved.Assign(C->Pen());
  C->Pen()->SetColor(clWhite);
  C->Pen()->SetStyle(psDot);
  C->Pen()->SetWidth(1);
  C->Pen()->SetMode(pmXor);
  C->MoveTo(X1, Y1);
  C->LineTo(X2, Y2);
  C->Pen()->Assign(&saved);
}
}  // namespace

void TAdvStringGrid::DrawColSizingLine(int X, TCanvas* ACanvas) {
  TCanvas* c = ACanvas ? ACanvas : Canvas();
  const int bottom = std::max(ClientHeight(), TCustomGrid::CellRect(0, RowCount() - 1).Bottom);
  GuideLine(c, X, 0, X, bottom);
}

void TAdvStringGrid::DrawRowSizingLine(int Y, TCanvas* ACanvas) {
  TCanvas* c = ACanvas ? ACanvas : Canvas();
  const int right = std::max(ClientWidth(), TCustomGrid::CellRect(ColCount() - 1, 0).Right);
  GuideLine(c, 0, Y, right, Y);
}

// ---- block-focus frame ----

void TAdvStringGrid::ShowFocusWindow(TRect ARect) {
  TGridFocusWindow* w = FocusWindow();
  if (!w) return;
  w->SetVisible(false);
  const int W = ARect.Width() + 9, H = ARect.Height() + 9;
  TBitmap mask;
  MakeRoundRectMask(&mask, W, H, 4, 5, 3);
  TBitmap colour;
  colour.SetPixelFormat(pf24bit);
  colour.SetSize(W, H);
  colour.Canvas()->Brush()->SetColor(kFocusFrameColor);
  colour.Canvas()->FillRect(Rect(0, 0, W, H));
  TGridAlphaMask glow;
  glow.MergeMask(&mask, &colour, kFocusFrameColor);
  glow.Opacity = kFocusFrameAlpha;
  const TPoint tl = ClientToScreen(Point(ARect.Left, ARect.Top));
  w->SetBounds(tl.X - 4, tl.Y - 4, W, H);
  UpdateOverlayLayered(w, &glow, kFocusFrameAlpha);
  w->SetFrameShape(Rect(0, 0, W, H), Rect(4, 4, 4 + ARect.Width(), 4 + ARect.Height()));
  SetFocusWindowGrid(this);
  w->SetVisible(true);
}

void TAdvStringGrid::MoveFocusWindow() {
  if (FFocusWindow) FFocusWindow->SetBoundsRect(FocusWindowRect());
}

void TAdvStringGrid::HideFocusWindow() {
  SetFocusWindowGrid(nullptr);
  if (FFocusWindow) FFocusWindow->SetVisible(false);
}

// ---- hooks ----

void TAdvStringGrid::DoFixedCellEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values) {
  if (OnFixedEdit) OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

void TAdvStringGrid::DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom) {
  if (FLook == glVista || FLook == glWin7 || FLook == glOffice2007) {
    const TGridRect s = Selection();
    RepaintRect(Rect(s.Left, s.Top, s.Right, s.Bottom));
  }
  FSelChange = true;
  if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void TAdvStringGrid::DoEditorCaret(const String& AText, TPoint ACaretXY, int ACaretPos) {
  (void)AText;
  (void)ACaretXY;
  (void)ACaretPos;
}

void TAdvStringGrid::DoFilterDone() {
  if (OnFilterDone) OnFilterDone(this);
}

void TAdvStringGrid::GetCalcCellText(int ACol, int ARow, String& Text) { Text = GetCellEx(ACol, ARow); }

void TAdvStringGrid::ExportNotification(TGridExportState AState, int ARow) {
  (void)AState;
  (void)ARow;
}

void TAdvStringGrid::ImportNotification(TGridImportState AState, int ARow) {
  (void)AState;
  (void)ARow;
}
