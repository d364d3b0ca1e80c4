// Per-cell look by index: readers never create a cell's properties (except GetWordWraps);
// writers create them with the grid's defaults and repaint the cell.
#include "grid/core/AdvGrid.h"
#include "grid/foundation/ZazAdez.h"

namespace {

// The properties object of a cell, or none; never creates one.
const TCellProperties* Props(const TBaseGrid* g, int i, int j) {
  if (i < 0 || j < 0 || !g->HasCellProperties(i, j)) return nullptr;
  return dynamic_cast<const TCellProperties*>(g->GetGridObject(i, j));
}

}  // namespace

TColor TAdvStringGrid::GetColors(int i, int j) const {
  const TCellProperties* p = Props(this, i, j);
  return p ? p->BrushColor() : clNone;
}

void TAdvStringGrid::SetColors(int i, int j, TColor AColor) {
  if (FUpdateCount > 0) {
    GetCellProperties(i, j)->StoreBrushColor(AColor);
    return;
  }
  GetCellProperties(i, j)->SetBrushColor(AColor);
  RepaintRealCell(i, j);
}

TColor TAdvStringGrid::GetColorsTo(int i, int j) const {
  const TCellProperties* p = Props(this, i, j);
  return p ? p->BrushColorTo() : clNone;
}

void TAdvStringGrid::SetColorsTo(int i, int j, TColor AColor) {
  GetCellProperties(i, j)->SetBrushColorTo(AColor);
  RepaintRealCell(i, j);
}

TCellGradientDirection TAdvStringGrid::GetGradientDir(int i, int j) const {
  const TCellProperties* p = Props(this, i, j);
  return p ? p->GradientDirection() : GradientVertical;
}

void TAdvStringGrid::SetGradientDir(int i, int j, TCellGradientDirection ADirection) {
  GetCellProperties(i, j)->SetGradientDirection(ADirection);
  RepaintRealCell(i, j);
}

TColor TAdvStringGrid::GetFontColors(int i, int j) const {
  const TCellProperties* p = Props(this, i, j);
  return p ? p->FontColor() : clNone;
}

void TAdvStringGrid::SetFontColors(int i, int j, TColor Value) {
  GetCellProperties(i, j)->SetFontColor(Value);
  RepaintRealCell(i, j);
}

TFontStyles TAdvStringGrid::GetFontStyles(int i, int j) const {
  const TCellProperties* p = Props(this, i, j);
  return p ? p->FontStyle() : TFontStyles();
}

void TAdvStringGrid::SetFontStyles(int i, int j, TFontStyles Value) {
  GetCellProperties(i, j)->SetFontStyle(Value);
  RepaintRealCell(i, j);
}

int TAdvStringGrid::GetFontSizes(int i, int j) const {
  const TCellProperties* p = Props(this, i, j);
  return p ? p->FontSize() : 0;
}

void TAdvStringGrid::SetFontSizes(int i, int j, int Value) {
  GetCellProperties(i, j)->SetFontSize(Value);
  RepaintRealCell(i, j);
}

String TAdvStringGrid::GetFontNames(int i, int j) const {
  const TCellProperties* p = Props(this, i, j);
  return p ? p->FontName() : String();
}

void TAdvStringGrid::SetFontNames(int i, int j, const String& Value) {
  GetCellProperties(i, j)->SetFontName(Value);
  RepaintRealCell(i, j);
}

void TAdvStringGrid::SetCellFont(int i, int j, TFont* Value) {
  TCellProperties* p = GetCellProperties(i, j);
  p->SetFontName(Value->Name());
  p->SetFontSize(Value->Size());
  p->SetFontStyle(Value->Style());
  p->SetFontColor(Value->Color());
  if (FUpdateCount == 0) RepaintRealCell(i, j);
}

TAlignment TAdvStringGrid::GetAlignments(int i, int j) const {
  const TCellProperties* p = Props(this, i, j);
  return p ? p->Alignment() : taLeftJustify;
}

void TAdvStringGrid::SetAlignments(int i, int j, TAlignment Value) {
  GetCellProperties(i, j)->SetAlignment(Value);
  RepaintRealCell(i, j);
}

bool TAdvStringGrid::GetWordWraps(int i, int j) { return GetCellProperties(i, j)->WordWrap(); }

void TAdvStringGrid::SetWordWraps(int i, int j, bool AValue) {
  GetCellProperties(i, j)->SetWordWrap(AValue);
  RepaintRealCell(i, j);
}

bool TAdvStringGrid::GetReadOnly(int i, int j) const {
  const TCellProperties* p = Props(this, i, j);
  return p && p->ReadOnly();
}

void TAdvStringGrid::SetReadOnly(int i, int j, bool AValue) {
  GetCellProperties(i, j)->SetReadOnly(AValue);
  RepaintRealCell(i, j);
}

int TAdvStringGrid::GetLinesInCell(int i, int j) { return CountLines(GetCellEx(i, j), true); }

// The properties go with the cell object they carry: freeing them alone would lose it.
void TAdvStringGrid::FreeCellLook(int RCol, int DRow) {
  RemoveCellGraphic(RCol, DRow);
  FreeCellProperties(RCol, DRow);
}

void TAdvStringGrid::SetRowColor(int i, TColor AColor) {
  for (int c = FixedCols(); c < AllColCount(); ++c) {
    if (AColor == clNone && GetCellType(c, i) == ctNone)
      FreeCellLook(c, i);
    else
      GetCellProperties(c, i)->SetBrushColor(AColor);
  }
  InvalidateRow(i);
}

void TAdvStringGrid::SetRowColorTo(int i, TColor AColor) {
  for (int c = FixedCols(); c < AllColCount(); ++c) {
    if (AColor == clNone)
      FreeCellLook(c, i);
    else
      GetCellProperties(c, i)->SetBrushColorTo(AColor);
  }
  InvalidateRow(i);
}

void TAdvStringGrid::SetRowFontColor(int i, TColor AColor) {
  for (int c = FixedCols(); c < AllColCount(); ++c) {
    if (AColor != clNone)
      GetCellProperties(c, i)->SetFontColor(AColor);
    else if (GetColors(c, i) == clNone)
      FreeCellLook(c, i);
  }
  InvalidateRow(i);
}

void TAdvStringGrid::SetQELGradientFrom(TColor v) {
  FQELGradFrom = ColorToRGB(v);
  Invalidate();
}

void TAdvStringGrid::SetQELGradientTo(TColor v) {
  FQELGradTo = ColorToRGB(v);
  Invalidate();
}

void TAdvStringGrid::SetQELGradientMirrorFrom(TColor v) {
  FQELMirrorFrom = ColorToRGB(v);
  Invalidate();
}

void TAdvStringGrid::SetQELGradientMirrorTo(TColor v) {
  FQELMirrorTo = ColorToRGB(v);
  Invalidate();
}
