// Column widths and row heights fitted to the cells' contents.
#include <algorithm>

#include "grid/core/AdvGrid.h"
#include "grid/core/AdvInplaceEdit.h"
#include "grid/foundation/ZazAdez.h"

void TAdvStringGrid::AutoSizeCol(int ACol, int Padding) {
  const int rcol = RealColIndex(ACol);
  int first = 0, last = RowCount() - 1;
  if (FColumnSize->Rows() == arNormal) {
    first = FixedRows();
    last = RowCount() - FFixedFooters - 1;
  } else if (FColumnSize->Rows() == arFixed) {
    last = FixedRows() - 1;
  }
  int most = 0;
  for (int r = first; r <= last; ++r) {
    if (IsXMergedCell(rcol, r)) continue;
    int w = GetCellGraphicSize(rcol, r).X + MeasureCellText(rcol, ACol, r, false, false).cx;
    if (FControlLook->DropDownAlwaysVisible() && DoHasComboBox(rcol, r)) w += 16;
    if (FFilterDropDownAuto && r == FFilterDropDownRow && DoGetColumnFilter(rcol)) w += 12;
    if (IsSortIndicatorCell(ACol, r) && ACol == FSortSettings->Column()) w += 10;
    TCellGraphic* cg = GetCellGraphic(rcol, r);
    if (cg && cg->CellHAlign() == haFull)
      w = GetCellGraphicSize(rcol, r).X - (2 * GridLineWidth() + FXYOffset.X + 2);
    most = std::max(most, w);
  }
  int width = most + TotalXOffset() + 2 * GridLineWidth() + 2;
  if (FSizeGrowOnly && ColWidths(ACol) >= width) return;
  DoUpdateAutoColumnSize(rcol, width);
  SetColWidths(ACol, LimitValue(width, FMinColWidth, FMaxColWidth));
  if (Padding != 0) SetColWidths(ACol, LimitValue(ColWidths(ACol) + Padding, FMinColWidth, FMaxColWidth));
}

void TAdvStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding) {
  const int last = DoFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
  for (int c = DoFixedCols ? 0 : FixedCols(); c <= last; ++c) {
    AutoSizeCol(c, 0);
    if (Padding != 0) SetColWidths(c, LimitValue(ColWidths(c) + Padding, FMinColWidth, FMaxColWidth));
  }
}

void TAdvStringGrid::AutoSizeRow(int ARow, int Padding) {
  int most = 0;
  for (int c = 0; c < ColCount(); ++c) {
    const int rcol = RealColIndex(c);
    if (IsYMergedCell(rcol, ARow) || IsIgnoredColumn(rcol)) continue;
    int textH = GetCellTextSize(rcol, ARow, false, FWordWrapEx).cy;
    TPoint g;
    MeasureCellGraphic(rcol, ARow, g, Padding);
    int graphicH = g.Y;
    TCellGraphic* cg = GetCellGraphic(rcol, ARow);
    if (cg && cg->CellVAlign() == vaFull) graphicH = textH > 0 ? 0 : DefaultRowHeight();
    if (cg && (cg->CellType() == ctDataCheckBox || cg->CellType() == ctVirtCheckBox) && graphicH > 0) textH = 0;
    int h = textH + graphicH;
    if (IsMergedNonBaseCell(rcol, ARow)) h = 0;
    if (cg && (cg->CellType() == ctCheckBox || cg->CellType() == ctDataCheckBox ||
               cg->CellType() == ctVirtCheckBox || cg->CellType() == ctRadioButton))
      h = DefaultRowHeight();
    most = std::max(most, h);
  }
  int height = TotalYOffset() + most + 2 * GridLineWidth();
  if (FXYOffsetTopLeftOnly) height += 2;
  auto allRowsInView = [this] { return TopRow() == FixedRows() && TopRow() + VisibleRowCount() >= RowCount(); };
  const bool allInView = allRowsInView();
  if (!(FSizeGrowOnly && RowHeights(ARow) >= height))
    SetRowHeights(ARow, LimitValue(height, FMinRowHeight, FMaxRowHeight));
  if (allInView && EditorMode() && FSizeWhileTyping->Height() && !allRowsInView()) {
    // The grown row pushed rows out of view: the editor follows its cell with the caret at the end.
    ShowInplaceEdit();
    if (TAdvInplaceEdit* e = NormalEdit()) e->SetSelStart(static_cast<int>(e->Text().size()));
  }
  if (Padding != 0) SetRowHeights(ARow, LimitValue(RowHeights(ARow) + Padding, FMinRowHeight, FMaxRowHeight));
}

void TAdvStringGrid::AutoSizeRows(bool DoFixedRows, int Padding) {
  if (RowCount() == 0) return;
  for (int r = DoFixedRows ? 0 : FixedRows(); r < RowCount(); ++r) {
    if (FWordWrapEx) {
      AutoSizeRow(r, 0);
      if (Padding != 0) SetRowHeights(r, RowHeights(r) + Padding);
    } else {
      SetRowHeightForLines(r, GetMaxLinesInRow(r), Padding);
    }
  }
}

void TAdvStringGrid::SetRowHeightForLines(int ARow, int Lines, int Extra) {
  TCanvas* cv = Canvas();
  cv->Font()->Assign(Font());
  TBrush brush;
  DoGetCellColor(FixedCols(), ARow, TGridDrawState{}, &brush, cv->Font());
  const int h = cv->TextHeight(u"gh");
  SetRowHeights(ARow, LimitValue(Extra + Lines * (h + h / 8), FMinRowHeight, FMaxRowHeight));
}

void TAdvStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY) {
  ++FUpdateCount;
  const int firstCol = DoFixedCells ? 0 : FixedCols(), firstRow = DoFixedCells ? 0 : FixedRows();
  for (int c = firstCol; c < ColCount(); ++c) {
    const int rcol = RealColIndex(c);
    int width = FSizeGrowOnly ? ColWidths(c) : 0;
    for (int r = firstRow; r < RowCount(); ++r) {
      const TSize t = MeasureCellText(rcol, c, r, false, false);
      const TPoint g = GetCellGraphicSize(rcol, r);
      int w = t.cx + g.X + PaddingX + FXYOffset.X;
      int h = t.cy + g.Y + PaddingY + FXYOffset.Y;
      if (!IsXMergedCell(rcol, r) && w > width) {
        w = LimitValue(w, FMinColWidth, FMaxColWidth);
        if (w > width) {
          SetColWidths(c, w);
          width = w;
        }
      }
      if (!IsYMergedCell(rcol, r) && h > RowHeights(r)) {
        h = LimitValue(h, FMinRowHeight, FMaxRowHeight);
        if (h > RowHeights(r)) SetRowHeights(r, h);
      }
    }
  }
  --FUpdateCount;
  Invalidate();
}
