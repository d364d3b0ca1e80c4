// The background picture or gradient behind the cells and in the client area no cell covers,
// and the settings objects of the background and of the styled progress bars.
#include <algorithm>
#include <cmath>

#include "grid/core/AdvGrid.h"
#include "grid/dropdown/AdvDropDownDraw.h"

namespace {

bool BackGroundIsGradient(TBackGroundDisplay d) { return d == bdGradientHorz || d == bdGradientVert; }

// Copies of the picture from (X, Y) on, each row and column of tiles cut at Right and Bottom; the
// first tile is taken from (SrcX, SrcY) of the picture, the others from its origin.
void BackGroundTile(TCanvas* C, TBitmap* B, int X, int Y, int SrcX, int SrcY, int Right, int Bottom) {
  const int pw = B->Width(), ph = B->Height();
  for (int y = Y, sy = SrcY; y < Bottom; sy = 0) {
    const int h = std::min(ph - sy, Bottom - y);
    for (int x = X, sx = SrcX; x < Right; sx = 0) {
      const int w = std::min(pw - sx, Right - x);
      C->CopyRect(Rect(x, y, x + w, y + h), B->Canvas(), Rect(sx, sy, sx + w, sy + h));
      x += w;
    }
    y += h;
  }
}

// The part of the picture placed with its top-left corner at (Left, Top) that lies inside Area.
void BackGroundPlace(TCanvas* C, TBitmap* B, int Left, int Top, const TRect& Area) {
  TRect part;
  if (!IntersectRect(part, Rect(Left, Top, Left + B->Width(), Top + B->Height()), Area)) return;
  C->CopyRect(part, B->Canvas(), Rect(part.Left - Left, part.Top - Top, part.Right - Left, part.Bottom - Top));
}

// The colour of a gradient over Extent pixels at Pos: each channel of From moved towards To.
TColor BackGroundGradientAt(TColor From, TColor To, int Extent, int Pos) {
  const TColor f = ColorToRGB(From), t = ColorToRGB(To);
  const auto channel = [&](int a, int b) {
    return std::clamp(a + static_cast<int>(std::nearbyint(static_cast<double>(b - a) / Extent * Pos)), 0, 255);
  };
  return RGB(channel(GetRValue(f), GetRValue(t)), channel(GetGValue(f), GetGValue(t)),
             channel(GetBValue(f), GetBValue(t)));
}

}  // namespace

// ---- TBackGround ----

TBackGround::TBackGround(TAdvStringGrid* AGrid) : FGrid(AGrid), FBitmap(std::make_unique<TBitmap>()) {}

TBackGround::~TBackGround() = default;

void TBackGround::Changed() {
  if (FGrid) FGrid->Invalidate();
}

void TBackGround::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TBackGround*>(Source);
  if (!s || s == this) return;
  FTop = s->FTop;
  FLeft = s->FLeft;
  FDisplay = s->FDisplay;
  FBackgroundCells = s->FBackgroundCells;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FBitmap->Assign(s->FBitmap.get());
}

void TBackGround::SetTop(int v) {
  FTop = v;
  Changed();
}

void TBackGround::SetLeft(int v) {
  FLeft = v;
  Changed();
}

void TBackGround::SetDisplay(TBackGroundDisplay v) {
  FDisplay = v;
  Changed();
}

void TBackGround::SetBitmap(TBitmap* v) {
  FBitmap->Assign(v);
  Changed();
}

void TBackGround::SetCells(TBackGroundCells v) {
  FBackgroundCells = v;
  Changed();
}

void TBackGround::SetColor(TColor v) {
  FColor = v;
  Changed();
}

void TBackGround::SetColorTo(TColor v) {
  FColorTo = v;
  Changed();
}

// ---- TGridProgressAppearance ----

void TGridProgressAppearance::CopyFrom(const TGridProgressAppearance& s) {
  FUnCompleteFontColor = s.FUnCompleteFontColor;
  FCompleteColor = s.FCompleteColor;
  FUnCompleteColor = s.FUnCompleteColor;
  FCompleteFontColor = s.FCompleteFontColor;
  FStacked = s.FStacked;
  FShowPercentage = s.FShowPercentage;
  FShowBorder = s.FShowBorder;
  FCompletionSmooth = s.FCompletionSmooth;
  FShowGradient = s.FShowGradient;
  FLevel2Perc = s.FLevel2Perc;
  FLevel1Perc = s.FLevel1Perc;
  FSteps = s.FSteps;
  FLevel3Color = s.FLevel3Color;
  FLevel1Color = s.FLevel1Color;
  FLevel0Color = s.FLevel0Color;
  FLevel3ColorTo = s.FLevel3ColorTo;
  FLevel2ColorTo = s.FLevel2ColorTo;
  FLevel0ColorTo = s.FLevel0ColorTo;
  FLevel1ColorTo = s.FLevel1ColorTo;
  FBorderColor = s.FBorderColor;
  FLevel2Color = s.FLevel2Color;
  FStyle = s.FStyle;
  Changed();
}

// ---- the grid's side ----

void TAdvStringGrid::SetBackGround(TBackGround* Value) {
  FBackGround->Assign(Value);
  Invalidate();
}

void TAdvStringGrid::SetProgressAppearance(TGridProgressAppearance* Value) { FProgressAppearance->Assign(Value); }

void TAdvStringGrid::PaintBackGround(TCanvas* ACanvas) {
  const TBackGround* bg = FBackGround.get();
  TBitmap* pic = bg->Bitmap();
  const bool gradient = BackGroundIsGradient(bg->Display());
  if (pic->Empty() && (!gradient || bg->ColorTo() == clNone)) return;  // nothing would be drawn
  const int lastCol = ColCount() - 1, lastRow = RowCount() - 1;
  const bool colsFit = LeftCol() + VisibleColCount() >= ColCount();
  const bool rowsFit = TopRow() + VisibleRowCount() >= RowCount();
  if (!colsFit && !rowsFit) return;  // the cells cover the client area

  TRect C = ClientRect();
  const int lw = GridLineWidth();
  TRect lastColRect = CellRect(lastCol, TopRow()), lastRowRect = CellRect(LeftCol(), lastRow);
  InflateRect(lastColRect, lw, lw);
  InflateRect(lastRowRect, lw, lw);
  TRect strips[2];
  int count = 0;
  if (lastColRect.Right < C.Right && colsFit) strips[count++] = Rect(lastColRect.Right, C.Top, C.Right, C.Bottom);
  if (lastRowRect.Bottom < C.Bottom && rowsFit) strips[count++] = Rect(C.Left, lastRowRect.Bottom, C.Right, C.Bottom);
  if (count == 0) return;
  // The search and footer panels lie over the bottom of the client area.
  if (FSearchFooter->Visible()) C.Bottom -= 32;
  if (FFloatingFooter->Visible() && FFooterPanel) C.Bottom -= FFooterPanel->Height();

  for (int i = 0; i < count; ++i) {
    ACanvas->SetClipRect(strips[i]);
    if (pic->Empty()) {
      DrawGradient(ACanvas, bg->Color(), bg->ColorTo(), 128, C, bg->Display() == bdGradientHorz);
    } else if (bg->Display() != bdTile) {
      BackGroundPlace(ACanvas, pic, bg->Left(), bg->Top(), C);
    } else if (bg->Cells() != bcFixed) {
      TPoint origin{C.Left, C.Top};
      if (bg->Cells() == bcNormal) {
        const TRect first = CellRect(FixedCols(), FixedRows());
        origin = TPoint{first.Left, first.Top};
      }
      origin.X += FXYOffset.X;
      origin.Y += FXYOffset.Y;
      BackGroundTile(ACanvas, pic, origin.X - 1, origin.Y - 1, 0, 0, C.Right, C.Bottom);
    }
  }
  ACanvas->SelectClipRgn(nullptr);
}

void TAdvStringGrid::DrawCellBackGround(TCanvas* ACanvas, int RCol, int DCol, int DRow, const TRect& R,
                                        TGridDrawState AState) {
  const TBackGround* bg = FBackGround.get();
  const TBackGroundCells cells = bg->Cells();
  const bool qualifies = AState.Contains(gdFixed) ? cells != bcNormal : cells != bcFixed;
  if (!qualifies) return;
  const TColor own = GetColors(RCol, DRow);
  const int lw = GridLineWidth();
  TBitmap* pic = bg->Bitmap();
  if (!pic->Empty() && own == clNone && !(FShowSelection && AState.Contains(gdSelected))) {
    const TRect area = Rect(R.Left - lw + 1, R.Top - lw + 1, R.Right, R.Bottom);
    if (bg->Display() == bdTile) {
      // Tiles continue the picture of the cells before: the displayed columns' widths and the
      // rows' heights above, so that hidden columns leave no seam.
      const int colFrom = cells == bcNormal ? FixedCols() : 0, rowFrom = cells == bcNormal ? FixedRows() : 0;
      int64_t w = 0, h = 0;
      for (int c = colFrom; c < DCol; ++c) w += ColWidths(c);
      for (int r = rowFrom; r < DRow; ++r) h += RowHeights(r);
      BackGroundTile(ACanvas, pic, area.Left - 1, area.Top - 1, static_cast<int>(w % pic->Width()),
                     static_cast<int>(h % pic->Height()), area.Right, area.Bottom);
    } else {
      BackGroundPlace(ACanvas, pic, bg->Left(), bg->Top(), area);
    }
  }

  if (!BackGroundIsGradient(bg->Display())) return;
  if (own != clNone) {
    const TCellType t = GetCellType(RCol, DRow);
    if (t != ctCheckBox && t != ctDataCheckBox && t != ctRadio && t != ctButton && t != ctRadioButton) return;
  }
  const bool shownSelected = (AState.Contains(gdSelected) && !AState.Contains(gdFocused)) ||
                             (AState.Contains(gdFocused) && Options().Contains(goDrawFocusSelected));
  if (FShowSelection && shownSelected) return;
  const bool horz = bg->Display() == bdGradientHorz;
  // The slice's colours are taken along the grid's extent; a grid without one shows nothing.
  const int extent = horz ? Width() : Height();
  if (extent <= 0) return;
  const TRect area = Rect(R.Left - 1, R.Top - lw, R.Right, R.Bottom + lw - 1);
  const TColor to = bg->ColorTo() == clNone ? bg->Color() : bg->ColorTo();
  const TColor from = BackGroundGradientAt(bg->Color(), to, extent, horz ? area.Left : area.Top);
  const TColor end = BackGroundGradientAt(bg->Color(), to, extent, horz ? area.Right : area.Bottom);
  DrawGradient(ACanvas, from, end, 128, area, horz);
}
