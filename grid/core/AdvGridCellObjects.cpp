// Cell object families: the Add, Create, Get, Set, Has and Remove operations of every kind a cell
// can carry besides check boxes, radios and nodes; markers, button rectangles and the rating hook.
#include <cmath>

#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridControlLook.h"

namespace {

// Kinds that keep their own data in the marker fields (range, minimum and maximum, sub-node
// count): a marker there would overwrite it, so they carry none.
constexpr TCellTypes kCellObjectsNoMarker{ctProgress, ctXPProgress, ctScrollbar, ctNode, ctSummary};

int CellObjectsLow16(int v) { return v & 0xFFFF; }
int CellObjectsHigh16(int v) { return static_cast<int>((static_cast<uint32_t>(v) >> 16) & 0xFFFF); }

// Whether the object frees a held object when it goes (by the rules of its destructor).
bool CellObjectsOwnsHeld(const TCellGraphic* Cg) {
  switch (Cg->CellType()) {
    case ctBitmap:
    case ctRadio:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
      return Cg->CellCreated() && Cg->CellBitmap();
    case ctImages:
    case ctBalloon:
      return Cg->CellBitmap() != nullptr;
    case ctIcon:
      return Cg->CellCreated() && Cg->CellIcon();
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadioButton:
      return Cg->CellAngle() == 1 && Cg->CellBitmap();
    default:
      return false;
  }
}

}  // namespace

// ---- bitmaps, pictures, icons ----

void TAdvStringGrid::AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal,
                               TCellVAlign val) {
  CreateCellGraphic(ACol, ARow)->SetBitmap(ABmp, Transparent, hal, val);
  RepaintRealCell(ACol, ARow);
}

TBitmap* TAdvStringGrid::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* cg = CreateCellGraphic(ACol, ARow);
  auto* bmp = new TBitmap;
  cg->SetBitmap(bmp, Transparent, hal, val);
  cg->SetCellCreated(true);
  RepaintRealCell(ACol, ARow);
  return bmp;
}

TBitmap* TAdvStringGrid::GetBitmap(int ACol, int ARow) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  return cg && cg->CellType() == ctBitmap ? dynamic_cast<TBitmap*>(cg->CellBitmap()) : nullptr;
}

void TAdvStringGrid::AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                                int Padding, TCellHAlign hal, TCellVAlign val) {
  CreateCellGraphic(ACol, ARow)->SetPicture(APicture, Transparent, StretchMode, Padding, hal, val);
  RepaintRealCell(ACol, ARow);
}

TPicture* TAdvStringGrid::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                        TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* cg = CreateCellGraphic(ACol, ARow);
  auto* pic = new TPicture;
  cg->SetPicture(pic, Transparent, StretchMode, Padding, hal, val);
  cg->SetCellCreated(true);
  RepaintRealCell(ACol, ARow);
  return pic;
}

TPicture* TAdvStringGrid::GetPicture(int ACol, int ARow) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  return cg && cg->CellType() == ctPicture ? dynamic_cast<TPicture*>(cg->CellBitmap()) : nullptr;
}

void TAdvStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool Transparent,
                                    TStretchMode StretchMode, int Padding, TCellHAlign hal, TCellVAlign val) {
  CreateCellGraphic(ACol, ARow)->SetFilePicture(APicture, Transparent, StretchMode, Padding, hal, val);
  RepaintRealCell(ACol, ARow);
}

TFilePicture* TAdvStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                                int Padding, TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* cg = CreateCellGraphic(ACol, ARow);
  auto* pic = new TFilePicture;
  cg->SetFilePicture(pic, Transparent, StretchMode, Padding, hal, val);
  cg->SetCellCreated(true);
  RepaintRealCell(ACol, ARow);
  return pic;
}

TFilePicture* TAdvStringGrid::GetFilePicture(int ACol, int ARow) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  return cg && cg->CellType() == ctFilePicture ? dynamic_cast<TFilePicture*>(cg->CellBitmap()) : nullptr;
}

void TAdvStringGrid::AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val) {
  CreateCellGraphic(ACol, ARow)->SetIcon(AIcon, hal, val);
  RepaintRealCell(ACol, ARow);
}

TIcon* TAdvStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* cg = CreateCellGraphic(ACol, ARow);
  auto* icon = new TIcon;
  cg->SetIcon(icon, hal, val);
  cg->SetCellCreated(true);
  RepaintRealCell(ACol, ARow);
  return icon;
}

// ---- images of the grid's image list ----

void TAdvStringGrid::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val) {
  if (!FGridImages) return;
  CreateCellGraphic(ACol, ARow)->SetImageIdx(Aidx, hal, val);
  RepaintRealCell(ACol, ARow);
}

bool TAdvStringGrid::GetImageIdx(int ACol, int ARow, int& idx) {
  if (!FGridImages) return false;
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg || cg->CellType() != ctImageList) return false;
  idx = cg->CellIndex();
  return true;
}

void TAdvStringGrid::SetImageIdx(int ACol, int ARow, int Idx) {
  if (!FGridImages) return;
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (cg && cg->CellType() == ctImageList) cg->SetCellIndex(Idx);
}

void TAdvStringGrid::RemoveImageIdx(int ACol, int ARow) {
  if (FGridImages) RemoveCellGraphicOfType(ACol, ARow, ctImageList);
}

void TAdvStringGrid::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val) {
  if (!FGridImages) return;
  CreateCellGraphic(ACol, ARow)->SetDataImage(Aidx, hal, val);
  if (GetCellEx(ACol, ARow).empty()) SetInts(ACol, ARow, Aidx);
  RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::RemoveDataImage(int ACol, int ARow) {
  if (RemoveCellGraphicOfType(ACol, ARow, ctDataImage)) SetCellEx(ACol, ARow, u"");
}

void TAdvStringGrid::AddMultiImage(int ACol, int ARow, bool Dir, TCellHAlign hal, TCellVAlign val) {
  if (!FGridImages) return;
  CreateCellGraphic(ACol, ARow)->SetMultiImage(ACol, ARow, Dir, hal, val, [this](TObject*, int c, int r) {
    RepaintRealCell(c, r);
  });
  RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::RemoveMultiImage(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImages); }

// ---- progress bars, pies, range indicators ----

void TAdvStringGrid::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor) {
  AddProgressFormatted(ACol, ARow, FGColor, BKColor, clNone, clNone, u"", 0, 100);
  GetCellGraphic(ACol, ARow)->SetCellBoolean(false);
}

void TAdvStringGrid::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor BKColor, TColor FGTextColor,
                                   TColor BKTextColor) {
  AddProgressFormatted(ACol, ARow, FGColor, BKColor, FGTextColor, BKTextColor, u"", 0, 100);
}

void TAdvStringGrid::AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor BKColor, TColor FGTextColor,
                                          TColor BKTextColor, const String& Fmt, int Min, int Max) {
  TCellGraphic* cg = CreateCellGraphic(ACol, ARow);
  cg->SetCellType(ctProgress);
  cg->SetCellHAlign(haLeft);
  cg->SetCellVAlign(vaTop);
  cg->SetCellBitmapColor(FGColor);
  cg->SetCellIconColor(BKColor);
  cg->SetCellIndex(static_cast<int>(FGTextColor));
  cg->SetCellAngle(static_cast<int>(BKTextColor));
  cg->SetCellErrFrom(Min);
  cg->SetCellErrLen(Max);
  cg->SetCellText(Fmt);
  cg->SetCellBoolean(true);
  if (FAutoNumAlign) SetAlignments(ACol, ARow, taRightJustify);
  RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::AddAdvProgress(int ACol, int ARow, int Min, int Max) {
  TCellGraphic* cg = CreateCellGraphic(ACol, ARow);
  cg->SetCellType(ctXPProgress);
  cg->SetCellHAlign(haLeft);
  cg->SetCellVAlign(vaTop);
  cg->SetCellErrFrom(Min);
  cg->SetCellErrLen(Max);
  RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::AddProgressPie(int ACol, int ARow, TColor Color, int Value) {
  TCellGraphic* cg = CreateCellGraphic(ACol, ARow);
  cg->SetCellType(ctProgressPie);
  cg->SetCellHAlign(haBeforeText);
  cg->SetCellVAlign(vaTop);
  cg->SetCellBitmapColor(Color);
  cg->SetCellAngle(Value);
  RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::SetProgressPie(int ACol, int ARow, int Value) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg || cg->CellType() != ctProgressPie) return;
  cg->SetCellAngle(Value);
  RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor,
                                       bool ShowValue) {
  TCellGraphic* cg = CreateCellGraphic(ACol, ARow);
  cg->SetCellType(ctRangeIndicator);
  cg->SetCellIndex(Range);
  cg->SetCellBitmapColor(NegColor);
  cg->SetCellIconColor(PosColor);
  cg->SetCellBoolean(ShowValue);
  RepaintRealCell(ACol, ARow);
}

// ---- comments ----

void TAdvStringGrid::AddComment(int ACol, int ARow, const String& Comment) {
  AddColorComment(ACol, ARow, Comment, FControlLook->CommentColor());
}

void TAdvStringGrid::AddColorComment(int ACol, int ARow, const String& Comment, TColor Color) {
  TCellGraphic* cg = CreateCellGraphic(ACol, ARow);
  cg->SetCellType(ctComment);
  cg->SetCellHAlign(haLeft);
  cg->SetCellVAlign(vaTop);
  cg->SetCellText(Comment);
  cg->SetCellIndex(static_cast<int>(Color));
  RepaintRealCell(ACol, ARow);
}

String TAdvStringGrid::GetComment(int ACol, int ARow) {
  String c;
  IsComment(ACol, ARow, c);
  return c;
}

void TAdvStringGrid::SetComment(int ACol, int ARow, const String& Comment) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg) {
    AddComment(ACol, ARow, Comment);
  } else if (cg->CellType() == ctComment) {
    cg->SetCellText(Comment);
    RepaintRealCell(ACol, ARow);
  }
}

bool TAdvStringGrid::IsComment(int ACol, int ARow, String& Comment) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg || cg->CellType() != ctComment) return false;
  Comment = cg->CellText();
  return true;
}

void TAdvStringGrid::RemoveAllComments() {
  for (int c = 0; c < ColCount(); ++c)
    for (int r = 0; r < RowCount(); ++r) RemoveComment(RealColIndex(c), r);
}

// ---- shapes and ratings ----

void TAdvStringGrid::AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor,
                              TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* cg = CreateCellGraphic(ACol, ARow);
  cg->SetCellType(ctShape);
  cg->SetCellHAlign(hal);
  cg->SetCellVAlign(val);
  cg->SetCellAngle(Shape);
  cg->SetCellIndex(static_cast<int>(FillColor));
  cg->SetCellBitmapColor(LineColor);
  RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::SetShapeColor(int ACol, int ARow, TColor FillColor) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (cg && cg->CellType() == ctShape) cg->SetCellIndex(static_cast<int>(FillColor));
}

TColor TAdvStringGrid::GetShapeColor(int ACol, int ARow) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  return cg && cg->CellType() == ctShape ? static_cast<TColor>(cg->CellIndex()) : clNone;
}

void TAdvStringGrid::AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor) {
  TCellGraphic* cg = CreateCellGraphic(ACol, ARow);
  cg->SetCellType(ctRating);
  cg->SetCellHAlign(haFull);
  cg->SetCellAngle(Scale);
  cg->SetCellIndex(static_cast<int>(FillColor));
  cg->SetCellBitmapColor(EmptyColor);
  RepaintRealCell(ACol, ARow);
}

bool TAdvStringGrid::DoRatingChange(int ACol, int ARow, double& NewRate) {
  bool allow = true;
  if (OnRatingChange) OnRatingChange(this, ACol, ARow, NewRate, allow);
  return allow;
}

// ---- in-cell scroll bars ----

void TAdvStringGrid::AddScrollBar(int ACol, int ARow, bool AutoRange) {
  TCellGraphic* cg = CreateCellGraphic(ACol, ARow);
  cg->SetCellType(ctScrollbar);
  cg->SetCellIndex(0);
  cg->SetCellAngle(0);
  cg->SetCellErrFrom(100);
  cg->SetCellBoolean(AutoRange);
  if (AutoRange) CellChanged(ACol, ARow);
  RepaintRealCell(ACol, ARow);
}

namespace {
TCellGraphic* CellObjectsScrollBar(TAdvStringGrid* G, int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return nullptr;
  const TPoint b = G->BaseCell(ACol, ARow);
  TCellGraphic* cg = G->GetCellGraphic(b.X, b.Y);
  return cg && cg->CellType() == ctScrollbar ? cg : nullptr;
}
}  // namespace

bool TAdvStringGrid::HasAutoRangeScrollBar(int ACol, int ARow) {
  TCellGraphic* cg = CellObjectsScrollBar(this, ACol, ARow);
  return cg && cg->CellBoolean();
}

void TAdvStringGrid::SetScrollPosition(int ACol, int ARow, int Pos) {
  TCellGraphic* cg = CellObjectsScrollBar(this, ACol, ARow);
  if (!cg) return;
  cg->SetCellIndex(Pos);
  const TPoint b = BaseCell(ACol, ARow);
  RepaintRealCell(b.X, b.Y);
}

int TAdvStringGrid::GetScrollPosition(int ACol, int ARow) {
  TCellGraphic* cg = CellObjectsScrollBar(this, ACol, ARow);
  return cg ? cg->CellIndex() : -1;
}

void TAdvStringGrid::SetScrollProp(int ACol, int ARow, TScrollProp Prop) {
  TCellGraphic* cg = CellObjectsScrollBar(this, ACol, ARow);
  if (!cg) return;
  cg->SetCellAngle(Prop.PageSize);
  cg->SetCellErrFrom(Prop.Range);
}

TScrollProp TAdvStringGrid::GetScrollProp(int ACol, int ARow) {
  TCellGraphic* cg = CellObjectsScrollBar(this, ACol, ARow);
  if (!cg) return TScrollProp{-1, -1};
  return TScrollProp{cg->CellAngle(), cg->CellErrFrom()};
}

void TAdvStringGrid::UpdateAutoRangeScrollBar(int RCol, int DRow) {
  if (RCol < 0 || DRow < 0 || DRow >= RowCount()) return;
  auto* cg = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(RCol, DRow));
  if (!cg || cg->CellType() != ctScrollbar || !cg->CellBoolean()) return;
  cg->SetCellAngle(RowHeights(DRow));
  cg->SetCellErrFrom(GetCellTextSize(RCol, DRow, true, true).cy);
}

// ---- markers ----

void TAdvStringGrid::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen) {
  if (ACol < 0 || ARow < 0) return;
  auto* cg = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
  if (!cg) {
    cg = CreateCellGraphic(ACol, ARow);
    cg->SetCellType(ctEmpty);
  }
  if (kCellObjectsNoMarker.Contains(cg->CellType())) return;
  cg->SetCellErrFrom(ErrPos);
  cg->SetCellErrLen(ErrLen);
  RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen) {
  ErrPos = 0;
  ErrLen = 0;
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg || kCellObjectsNoMarker.Contains(cg->CellType())) return;
  ErrPos = cg->CellErrFrom();
  ErrLen = cg->CellErrLen();
}

void TAdvStringGrid::RemoveMarker(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return;
  auto* cg = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
  if (!cg || kCellObjectsNoMarker.Contains(cg->CellType())) return;
  if (cg->CellType() == ctEmpty) {
    RemoveCellGraphic(ACol, ARow);
    return;
  }
  cg->SetCellErrFrom(0);
  cg->SetCellErrLen(0);
  RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::RemoveAllMarkers() {
  for (int c = 0; c < ColCount(); ++c)
    for (int r = 0; r < RowCount(); ++r) RemoveMarker(RealColIndex(c), r);
}

// ---- buttons ----

void TAdvStringGrid::AddButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                               TCellVAlign val) {
  CreateCellGraphic(ACol, ARow)->SetButton(bw, bh, Caption, hal, val);
  RepaintRealCell(ACol, ARow);
}

void TAdvStringGrid::AddBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TBitmap* Glyph,
                                  TCellHAlign hal, TCellVAlign val) {
  CreateCellGraphic(ACol, ARow)->SetBitButton(bw, bh, Caption, Glyph, hal, val);
  RepaintRealCell(ACol, ARow);
}

TBitmap* TAdvStringGrid::CreateBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                                         TCellVAlign val) {
  TCellGraphic* cg = CreateCellGraphic(ACol, ARow);
  auto* glyph = new TBitmap;
  cg->SetBitButton(bw, bh, Caption, glyph, hal, val);
  cg->SetCellCreated(true);
  RepaintRealCell(ACol, ARow);
  return glyph;
}

void TAdvStringGrid::SetButtonText(int ACol, int ARow, const String& Caption) {
  TCellGraphic* cg = GetCellGraphic(RealColIndex(ACol), ARow);
  if (!cg) return;
  cg->SetCellText(Caption);
  RepaintCell(ACol, ARow);
}

String TAdvStringGrid::GetButtonText(int ACol, int ARow) {
  TCellGraphic* cg = GetCellGraphic(RealColIndex(ACol), ARow);
  return cg ? cg->CellText() : String();
}

void TAdvStringGrid::PushButton(int ACol, int ARow, bool Push) {
  TCellGraphic* cg = GetCellGraphic(RealColIndex(ACol), ARow);
  if (!cg || cg->CellType() == ctNode) return;
  cg->SetCellBoolean(Push);
  RepaintCell(ACol, ARow);
}

void TAdvStringGrid::RemoveButton(int ACol, int ARow) {
  RemoveCellGraphicOfType(ACol, ARow, ctButton);
  RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TAdvStringGrid::RemoveAllButtons() {
  for (int c = 0; c < ColCount(); ++c)
    for (int r = 0; r < RowCount(); ++r) RemoveButton(RealColIndex(c), r);
}

TRect TAdvStringGrid::GetCellButtonRect(int ACol, int ARow) {
  TCellGraphic* cg = GetCellGraphic(RealColIndex(ACol), ARow);
  if (!cg) return TRect();
  const TRect cell = CellRect(ACol, ARow);
  const int pos = static_cast<int>(std::lround(cg->CellValue()));
  const int x = cell.Left + CellObjectsLow16(pos), y = cell.Top + CellObjectsHigh16(pos);
  TRect r(x, y, x + CellObjectsLow16(cg->CellIndex()), y + CellObjectsHigh16(cg->CellIndex()));
  if (cg->CellVAlign() == vaFull) {
    r.Top = cell.Top;
    r.Bottom = cell.Bottom;
  }
  if (cg->CellHAlign() == haFull) {
    r.Left = cell.Left;
    r.Right = cell.Right;
  }
  return r;
}

// ---- application objects and rotated text ----

void TAdvStringGrid::AddInterfacedCell(int ACol, int ARow, TObject* AObject) {
  CreateCellGraphic(ACol, ARow)->SetInterfacedCell(AObject);
  RepaintRealCell(ACol, ARow);
}

TObject* TAdvStringGrid::GetInterfacedCell(int ACol, int ARow) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  return cg && cg->CellType() == ctInterface ? cg->CellBitmap() : nullptr;
}

void TAdvStringGrid::AddRotated(int ACol, int ARow, int AAngle, const String& s) {
  CreateCellGraphic(ACol, ARow)->SetAngle(AAngle);
  SetCellEx(ACol, ARow, s);
}

void TAdvStringGrid::SetRotated(int ACol, int ARow, int AAngle) {
  if (ACol < 0 || ARow < 0) return;
  auto* cg = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
  // An object that owns what it holds is replaced: as rotated text it would never free it.
  if (!cg || CellObjectsOwnsHeld(cg)) cg = CreateCellGraphic(ACol, ARow);
  cg->SetAngle(AAngle);
  RepaintRealCell(ACol, ARow);
}

bool TAdvStringGrid::IsRotated(int ACol, int ARow, int& aAngle) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg || cg->CellType() != ctRotated) return false;
  aAngle = cg->CellAngle();
  return true;
}
