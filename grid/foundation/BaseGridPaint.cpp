// The base grid's cell painter, selection repaint, and keyboard and wheel navigation over
// merged ranges.
#include <algorithm>

#include "grid/foundation/BaseGrid.h"
#include "grid/foundation/ZazAdezDraw.h"

namespace {

struct TSelectionFace {
  TColor Fill, FillTo, Mirror, MirrorTo, Border, UpperLine, LowerLine, InnerCorner;
};

constexpr TSelectionFace kVistaFace{0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB};
constexpr TSelectionFace kWin7Face{0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE};
constexpr TSelectionFace kOffice2007Face{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC,
                                         0x8DD7D3, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF};
constexpr TSelectionFace kUnfocusedFace{0xF8F8F8, 0xE5E5E5, clNone, clNone, 0xD9D9D9, 0xFBFAFA, 0xF0F0F0, 0xEFEFEF};

const TSelectionFace& FaceOf(TGridSelectionStyle s) {
  switch (s) {
    case ssVista: return kVistaFace;
    case ssOffice2007: return kOffice2007Face;
    default: return kWin7Face;
  }
}

}  // namespace

void TBaseGrid::Paint() {
  TObjStringGrid::Paint();
  ++FPaintID;
}

void TBaseGrid::DrawCell(int DCol, int DRow, const TRect& ARect, TGridDrawState AState) {
  DoPaintCell(Canvas(), DCol, DRow, ARect, AState, true, true);
}

void TBaseGrid::PaintCell(TCanvas* ACanvas, int DCol, int DRow, const TRect& ARect, TGridDrawState AState) {
  DoPaintCell(ACanvas, DCol, DRow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas* ACanvas, int DCol, int DRow, const TRect& ARect, TGridDrawState AState) {
  DoPaintCell(ACanvas, DCol, DRow, ARect, AState, false);
}

void TBaseGrid::DoPaintCell(TCanvas* ACanvas, int DCol, int DRow, const TRect& ARect, TGridDrawState AState,
                            bool Resolve, bool LaidOut) {
  TRect R = ARect;
  // The placeholder last row shows the grid colour only.
  if (DRow == RowCount() - 1 && FHideLastRow) {
    ACanvas->Brush()->SetColor(Color());
    ACanvas->Pen()->SetColor(Color());
    ACanvas->Rectangle(R);
    return;
  }

  // Merge state is read at the display cell as a store cell: the two column spaces coincide here.
  int bc = DCol, br = DRow;
  if (!BaseCellInfo(DCol, DRow, bc, br)) {
    // A member of a merged range paints its whole range once per pass.
    TCellProperties* bp = PropsAt(bc, br);
    if (!bp || bp->FPaintID == FPaintID) return;
    bp->FPaintID = FPaintID;
    PaintCell(ACanvas, bc, br, R, AState);
    return;
  }

  if (Resolve && IsFixed(DCol, DRow)) {
    AState.Include(gdFixed);
    AState.Exclude(gdSelected);
  }
  // CellRect answers in client coordinates; a mirrored canvas takes layout coordinates.
  // A cell without properties (not merged, no control) is where the paint laid it out; finding
  // its rectangle again walks the rows and columns before it.
  if (Resolve && !(LaidOut && !UseRightToLeftAlignment() && !PropsAt(DCol, DRow))) {
    R = CellRect(DCol, DRow);
    if (ACanvas->Mirrored()) R = MirrorRect(R, ACanvas->MirrorWidth());
  }
  // Right to left on a canvas that is not mirrored (another canvas, or the orientation switched
  // off), the layout's fixed area lies at the client's right.
  bool flipLayout = UseRightToLeftAlignment() && !ACanvas->Mirrored();

  // A range scrolled partly under the fixed cells must not paint over them.
  int fx = DCol >= FixedCols() ? FixedColsWidth() : 0;
  int fy = DRow >= FixedRows() ? FixedRowsHeight() : 0;
  TRect layoutR = flipLayout ? FlipGridRect(R) : R;
  bool clipped = false;
  int savedDC = 0;
  if ((DCol >= FixedCols() && FixedCols() > 0 && fx > layoutR.Left) ||
      (DRow >= FixedRows() && FixedRows() > 0 && R.Top < fy)) {
    savedDC = ACanvas->SaveDC();
    TRect clip = Rect(fx, fy, ClientWidth(), ClientHeight());
    ACanvas->IntersectClipRect(flipLayout ? FlipGridRect(clip) : clip);
    clipped = true;
  }

  ACanvas->Pen()->SetWidth(1);
  TCellStyle style = GetVisualProperties(DCol, DRow, AState, false, true, true);
  ACanvas->Font()->Assign(&style.Font);
  ACanvas->Brush()->SetColor(style.Color);
  ACanvas->Pen()->SetColor(style.Color);

  bool selected = AState.Contains(gdSelected);
  bool fixed = AState.Contains(gdFixed);
  if (DRow == FHoverRowIdx && FHoverRow && !(selected && !FHoverRowCells.Contains(hcSelected)) &&
      !(fixed && !FHoverRowCells.Contains(hcFixed))) {
    style.Color = FHoverRowColor;
    style.ColorTo = FHoverRowColorTo;
    style.MirrorColor = clNone;
    style.MirrorColorTo = clNone;
    style.GradientDirection = GradientVertical;
    ACanvas->Brush()->SetColor(style.Color);
  }

  if ((FActiveRowShow && DRow == Row() && (DCol != Col() || !FShowSel) && DCol >= FixedCols()) ||
      (!Resolve && selected)) {
    style.Color = FActiveRowColor;
    style.ColorTo = FActiveRowColorTo;
    style.MirrorColor = FActiveRowMirrorColor;
    style.MirrorColorTo = FActiveRowMirrorColorTo;
    ACanvas->Brush()->SetColor(style.Color);
    ACanvas->Pen()->SetColor(style.Color);
  }

  if (selected && FSelectionStyle != ssDefault && FShowSel) {
    TGridRect sel = Selection();
    int first = std::min(sel.Left, sel.Right), last = std::max(sel.Left, sel.Right);
    bool several = last > first;
    int kind = 0;
    if (DCol == first && several) kind = 1;
    else if (DCol == last && several) kind = 2;
    else if (DCol > first && DCol < last) kind = 3;
    TRect bar = R;
    if (!Options().Contains(goHorzLine)) bar.Bottom += 1;
    if (!Options().Contains(goVertLine)) bar.Right += 1;
    if (BiDiMode() == bdRightToLeft) {
      bar.Right += 1;
      bar.Bottom += 1;
    }
    // The focused face needs the grid's own window focused (not its inplace editor).
    bool focusLook = Focused() || Options().Contains(goDrawFocusSelected);
    const TSelectionFace& f = focusLook ? FaceOf(FSelectionStyle) : kUnfocusedFace;
    DrawSelectionBar(ACanvas, f.Fill, f.FillTo, f.Mirror, f.MirrorTo, f.UpperLine, f.LowerLine, f.Border,
                     f.InnerCorner, Color(), bar, kind);
  } else if (!(UseVCLStyles() && (fixed || selected))) {
    if (style.MirrorColorTo != clNone) {
      DrawGradientBackground(ACanvas, R, style.Color, style.ColorTo, style.MirrorColor, style.MirrorColorTo, 1,
                             clNone, false, true);
    } else {
      FillGradient(ACanvas, style.Color, style.ColorTo, 64, R, style.GradientDirection == GradientHorizontal);
    }
  }

  // Lines are drawn inside the cell: the inherited grid leaves no room for its own.
  int d;
  if (fixed) {
    ACanvas->Pen()->SetColor(FGridFixedLineColor);
    ACanvas->Pen()->SetWidth(1);
    d = 1;
  } else {
    if (FGridLineWidth > 0) ACanvas->Pen()->SetColor(FGridLineColor);
    ACanvas->Pen()->SetWidth(FGridLineWidth);
    d = (FGridLineWidth + 1) / 2;
  }
  TGridOptions opt = Options();
  if ((DCol != 0 || !HasNodes()) &&
      ((opt.Contains(goHorzLine) && !fixed) || (opt.Contains(goFixedHorzLine) && fixed))) {
    ACanvas->MoveTo(R.Left - d + 1, R.Bottom - d);
    ACanvas->LineTo(R.Right - d + 1, R.Bottom - d);
  }
  if ((opt.Contains(goVertLine) && !fixed) || (opt.Contains(goFixedVertLine) && fixed)) {
    // A mirrored canvas puts a line at x on device x' = width - x, one pixel off the cell's
    // mirrored area: one more keeps the line on the cell's far edge.
    int x = UseRightToLeftAlignment() ? R.Right - d + 1 : R.Right - d;
    ACanvas->MoveTo(x, R.Bottom - d);
    ACanvas->LineTo(x, R.Top - d);
  }

  TRect content = R;
  if (fixed) {
    content.Right -= 1;
    content.Bottom -= 2;
  } else {
    InflateRect(content, -FGridLineWidth, -FGridLineWidth);
  }
  if (Resolve) DrawCellContent(ACanvas, DCol, DRow, content, AState);

  if (clipped) ACanvas->RestoreDC(savedDC);
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Pen()->SetStyle(psSolid);
}

bool TBaseGrid::SelectCell(int DCol, int DRow) {
  if (BiDiMode() == bdRightToLeft) {
    // Mirrored cells are repainted as a whole grid.
    bool can = TObjStringGrid::SelectCell(DCol, DRow);
    if (HandleAllocated()) InvalidateGrid();
    return can;
  }
  RepaintCell(Col(), Row());
  bool can = TObjStringGrid::SelectCell(DCol, DRow);
  RepaintCell(DCol, DRow);
  return can;
}

void TBaseGrid::KeepOffHiddenRow() {
  if (FHideLastRow && RowCount() > 1 && Row() == RowCount() - 1 && RowCount() - 2 >= FixedRows())
    SetRow(RowCount() - 2);
}

void TBaseGrid::KeyDown(Word& Key, TShiftState Shift) {
  TCellProperties* p = PropsAt(Col(), Row());
  int bc = Col(), br = Row();
  TCellProperties* bp = nullptr;
  if (p) {
    TPoint b = p->GetBaseCell(Col(), Row());
    bc = b.X;
    br = b.Y;
    bp = PropsAt(bc, br);
  }
  bool hiddenRowGuard = false;
  switch (Key) {
    case VK_LEFT:
      if (p && bc < Col() && Col() > FixedCols() && bc > 0) SetCol(bc);
      break;
    case VK_RIGHT:
      if (p) {
        int e = bc + (bp ? std::max(0, bp->FCellSpanX) : 0);
        if (e >= Col() && Col() < ColCount() - 1 && bc < ColCount() - 1 && e < ColCount()) SetCol(e);
      }
      break;
    case VK_UP:
      if (p && br < Row() && Row() > FixedRows() && br > 0) SetRow(br);
      break;
    case VK_DOWN:
      if (p) {
        int e = br + (bp ? std::max(0, bp->FCellSpanY) : 0);
        if (e >= Row() && Row() < RowCount() - 1 && br < RowCount() - 1 && e < RowCount()) SetRow(e);
      }
      hiddenRowGuard = true;
      break;
    case VK_NEXT:
      if (TopRow() + VisibleRowCount() - FixedRows() == RowCount() - 1 && FHideLastRow && RowCount() > 1) {
        SetRow(RowCount() - 2);
      }
      hiddenRowGuard = true;
      break;
    case VK_END:
      hiddenRowGuard = true;
      break;
    default:
      break;
  }
  TObjStringGrid::KeyDown(Key, Shift);
  if (hiddenRowGuard) KeepOffHiddenRow();
  SnapToBaseCell();
}

void TBaseGrid::SnapToBaseCell() {
  TCellProperties* p = PropsAt(Col(), Row());
  if (!p) return;
  TPoint b = p->GetBaseCell(Col(), Row());
  if (b.X != Col() && b.X >= 0 && b.X < ColCount()) SetCol(b.X);
  if (b.Y != Row() && b.Y >= 0 && b.Y < RowCount()) SetRow(b.Y);
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool res = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
  if (VisibleRowCount() < Row() - TopRow() && Row() < RowCount() - 1 && FHideLastRow) SetTopRow(TopRow() + 1);
  KeepOffHiddenRow();
  SnapToBaseCell();
  return res;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool res = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
  SnapToBaseCell();
  return res;
}

void TBaseGrid::TopLeftChanged() {
  TObjStringGrid::TopLeftChanged();
  RepaintMergedFixedCols();
  RepaintMergedFixedRows();
}

void TBaseGrid::RepaintMergedFixedCols() {
  if (FixedCols() == 0) return;
  int last = std::min(TopRow() + VisibleRowCount(), RowCount() - 1);
  for (int r = TopRow(); r <= last; ++r)
    for (int c = 0; c < FixedCols(); ++c)
      if (IsMergedCell(c, r)) RepaintCell(c, r);
}

void TBaseGrid::RepaintMergedFixedRows() {
  if (FixedRows() == 0) return;
  int last = std::min(LeftCol() + VisibleColCount(), ColCount() - 1);
  for (int c = LeftCol(); c <= last; ++c)
    for (int r = 0; r < FixedRows(); ++r)
      if (IsMergedCell(c, r)) RepaintCell(c, r);
}
