#include "grid/foundation/BaseGrid.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "grid/foundation/AdvUndo.h"
#include "grid/foundation/ZazAdez.h"

namespace {

// Font faces are few; cells keep a 16-bit index into one process-wide table.
struct FontNameTable {
  std::mutex lock;
  std::vector<String> names{String()};
  std::unordered_map<String, uint16_t> index{{String(), 0}};
};
FontNameTable& FontNames() {
  static FontNameTable* t = new FontNameTable;  // lives for the process
  return *t;
}

}  // namespace

// =============================================================================================
// TCellProperties

TCellProperties::TCellProperties(TBaseGrid* AOwner, int ACol, int ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow) {
  if (AOwner) {
    FWordWrap = AOwner->FWordWrap;
    AOwner->Adopt(this);
    AOwner->FHasCellProps = true;
  }
}

TCellProperties::~TCellProperties() {
  if (!FOwnerGrid) return;
  // Freed directly while still in its slot: empty the slot rather than leave it dangling.
  if (FOwnerCol >= 0 && FOwnerRow >= 0 && FOwnerGrid->GetGridObject(FOwnerCol, FOwnerRow) == this)
    FOwnerGrid->SetGridObject(FOwnerCol, FOwnerRow, nullptr);
  FOwnerGrid->Release(this);
}

TCellProperties::TExtra& TCellProperties::Extra() {
  if (!extra_) extra_ = std::make_unique<TExtra>();
  return *extra_;
}

void TCellProperties::Repaint() {
  if (FOwnerGrid) FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor v) {
  FBrushColor = v;
  Repaint();
}

void TCellProperties::SetBrushColorTo(TColor v) {
  FBrushColorTo = v;
  Repaint();
}

void TCellProperties::SetVAlignment(TVAlignment v) {
  FVAlignment = v;
  Repaint();
}

void TCellProperties::SetWordWrap(bool v) {
  FWordWrap = v;
  Repaint();
}

TFontStyles TCellProperties::FontStyle() const {
  TFontStyles s;
  for (TFontStyle f : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
    if (FFontStyle & (1u << f)) s |= f;
  return s;
}

const String& TCellProperties::FontName() const {
  FontNameTable& t = FontNames();
  std::lock_guard<std::mutex> g(t.lock);
  return t.names[fontName_];
}

void TCellProperties::SetFontName(const String& v) {
  FontNameTable& t = FontNames();
  std::lock_guard<std::mutex> g(t.lock);
  auto it = t.index.find(v);
  if (it != t.index.end()) {
    fontName_ = it->second;
    return;
  }
  if (t.names.size() >= 0xFFFF) return;  // a pathological number of faces: keep the old one
  t.names.push_back(v);
  uint16_t i = static_cast<uint16_t>(t.names.size() - 1);
  t.index.emplace(v, i);
  fontName_ = i;
}

TPoint TCellProperties::GetBaseCell(int ACol, int ARow) const {
  if (FIsBaseCell) return Point(ACol, ARow);
  if (FCellSpanX != -1 && FCellSpanY != -1) return Point(ACol - FCellSpanX, ARow - FCellSpanY);
  return Point(ACol, ARow);
}

void TCellProperties::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TCellProperties*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  if (s == this) return;
  FIsBaseCell = s->FIsBaseCell;
  FCellSpanX = s->FCellSpanX;
  FCellSpanY = s->FCellSpanY;
  FOwnerRow = s->FOwnerRow;
  FOwnerCol = s->FOwnerCol;
  SetCellObject(s->CellObject());
  FAlignment = s->FAlignment;
  SetBorderColor(s->BorderColor());
  SetBorderWidth(s->BorderWidth());
  FBrushColor = s->FBrushColor;
  FBrushStyle = s->FBrushStyle;
  FFontColor = s->FFontColor;
  FFontStyle = s->FFontStyle;
  fontName_ = s->fontName_;
  FFontSize = s->FFontSize;
  FReadOnly = s->FReadOnly;
  FEditor = s->FEditor;
  FVAlignment = s->FVAlignment;
  FWordWrap = s->FWordWrap;
  SetNodeLevel(s->NodeLevel());
  SetControl(s->Control());
}

// =============================================================================================
// TBaseGrid: life

TBaseGrid::TBaseGrid(TComponent* AOwner) : TObjStringGrid(AOwner) {
  SetGridLineWidth(1);
  TCustomGrid::SetDefaultDrawing(false);
}

TBaseGrid::~TBaseGrid() {
  destroying_ = true;
  if (FUndoRedo) {
    FUndoRedo->RemoveFreeNotification(this);
    if (FUndoRedo->Grid() == this) FUndoRedo->SetGrid(nullptr);
    FUndoRedo = nullptr;
  }
  FHasCellProps = true;  // detached objects too: free whatever the slots still hold
  FreeAllCellProperties();
  // Objects that were detached from their slots (moved rows, hidden rows) are still ours.
  std::vector<TCellProperties*> rest;
  rest.swap(ownedProps_);
  for (TCellProperties* p : rest) p->FOwnerGrid = nullptr;
  for (TCellProperties* p : rest) {
    TObject* g = p->GraphicObject();
    if (g && p != scratch_ && g->ClassName() == u"TCellGraphic") delete g;
    delete p;
  }
  scratch_ = nullptr;
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent && AComponent == FUndoRedo) FUndoRedo = nullptr;
  TObjStringGrid::Notification(AComponent, Operation);
}

void TBaseGrid::Adopt(TCellProperties* P) {
  P->FOwnerGrid = this;
  P->ownIndex_ = static_cast<uint32_t>(ownedProps_.size());
  ownedProps_.push_back(P);
}

void TBaseGrid::Release(TCellProperties* P) {
  uint32_t i = P->ownIndex_;
  if (i >= ownedProps_.size() || ownedProps_[i] != P) return;
  TCellProperties* last = ownedProps_.back();
  ownedProps_[i] = last;
  last->ownIndex_ = i;
  ownedProps_.pop_back();
  P->FOwnerGrid = nullptr;
}

void TBaseGrid::DestroyProps(TCellProperties* P) { delete P; }

// =============================================================================================
// Cells

bool TBaseGrid::Inside(int ACol, int ARow) const {
  return ACol >= 0 && ARow >= 0 && ACol < TotalColCount() && ARow < RowCount();
}

TCellProperties* TBaseGrid::PropsAt(int ACol, int ARow) const {
  if (!Inside(ACol, ARow)) return nullptr;
  return static_cast<TCellProperties*>(TStringGrid::Objects(ACol, ARow));
}

bool TBaseGrid::HasCellProperties(int ACol, int ARow) const { return PropsAt(ACol, ARow) != nullptr; }

String TBaseGrid::GetCellEx(int ACol, int ARow) {
  int bc = ACol, br = ARow;
  if (TCellProperties* p = PropsAt(ACol, ARow)) {
    TPoint b = p->GetBaseCell(ACol, ARow);
    bc = b.X;
    br = b.Y;
  }
  String s = TStringGrid::Cells(bc, br);
  if (br < FNormalRowCount) {
    DoGetDisplText(bc, br, s);
    if (OnGetDisplWideText) {
      String wide = UnpackUnicodeText(s);
      DoGetDisplWideText(bc, br, wide);
      s = PackUnicodeText(wide);
    }
  }
  return s;
}

void TBaseGrid::SetCellEx(int ACol, int ARow, const String& Value) {
  if (TCellProperties* p = PropsAt(ACol, ARow)) {
    TPoint b = p->GetBaseCell(ACol, ARow);
    TStringGrid::SetCells(b.X, b.Y, Value);
    CellChanged(b.X, b.Y);
    if (Parent()) RepaintCell(ACol, ARow);
  } else {
    TStringGrid::SetCells(ACol, ARow, Value);
  }
  if (FHideLastRow && ARow == RowCount() - 1) LastRowChanged();
}

void TBaseGrid::InitCellProperties(TCellProperties* P, int ACol, int ARow) {
  TFont font;
  TBrush brush;
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = FWordWrap;
  TCellGradientDirection gd = GradientVertical;
  GetDefaultCellProps(ACol, ARow, &font, &brush, colorTo, mirror, mirrorTo, ha, va, ww, gd);
  P->FCalcType = acNONE;
  P->FAlignment = static_cast<uint8_t>(ha);
  P->FVAlignment = va;
  P->FWordWrap = ww;
  P->SetFontName(font.Name());
  P->FFontSize = font.Size();
  P->SetFontStyle(font.Style());
  P->FFontColor = font.Color();
  P->FBrushColor = brush.Color();
  P->FBrushColorTo = colorTo;
  P->FGradientDirection = gd;
}

TCellProperties* TBaseGrid::GetCellProperties(int ACol, int ARow) {
  if (!Inside(ACol, ARow)) {
    // Outside the grid: a scratch object that no cell holds.
    if (scratch_) delete scratch_;
    scratch_ = new TCellProperties(this, ACol, ARow);
    InitCellProperties(scratch_, ACol, ARow);
    return scratch_;
  }
  if (TCellProperties* p = PropsAt(ACol, ARow)) return p;
  auto* p = new TCellProperties(this, ACol, ARow);
  TStringGrid::SetObjects(ACol, ARow, p);
  InitCellProperties(p, ACol, ARow);
  return p;
}

void TBaseGrid::SetCellProperties(int ACol, int ARow, TCellProperties* Value) {
  if (ACol < 0 || ARow < 0) return;
  auto* cur = static_cast<TCellProperties*>(TStringGrid::Objects(ACol, ARow));
  if (cur == Value) return;  // freeing it first would leave a dangling slot
  if (Value && Value->FOwnerGrid != this) {
    if (Value->FOwnerGrid) Value->FOwnerGrid->Release(Value);
    Adopt(Value);
    FHasCellProps = true;
  }
  TStringGrid::SetObjects(ACol, ARow, Value);
  if (cur) DestroyProps(cur);
}

void TBaseGrid::FreeCellProperties(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return;
  auto* cur = static_cast<TCellProperties*>(TStringGrid::Objects(ACol, ARow));
  if (!cur) return;
  TStringGrid::SetObjects(ACol, ARow, nullptr);
  DestroyProps(cur);
}

void TBaseGrid::FreeCellPropertiesRange(int ACol1, int ARow1, int ACol2, int ARow2) {
  if (!FHasCellProps) return;
  int c1 = std::max(0, ACol1), r1 = std::max(0, ARow1);
  for (int r = r1; r <= ARow2; ++r) {
    for (int c = c1; c <= ACol2; ++c) {
      auto* p = static_cast<TCellProperties*>(TStringGrid::Objects(c, r));
      if (!p) continue;
      TObject* g = p->GraphicObject();
      if (g && g->ClassName() == u"TCellGraphic") {
        p->SetGraphicObject(nullptr);
        delete g;
      }
      TStringGrid::SetObjects(c, r, nullptr);
      DestroyProps(p);
    }
  }
}

void TBaseGrid::FreeAllCellProperties() {
  FreeCellPropertiesRange(0, 0, std::max(ColCount(), TotalColCount()) - 1, RowCount() - 1);
}

void TBaseGrid::ResetColumn(int ACol) {
  for (int r = 0; r < RowCount(); ++r) {
    TStringGrid::SetObjects(ACol, r, nullptr);
    SetCellEx(ACol, r, String());
  }
}

void TBaseGrid::ResetRow(int ARow) {
  for (int c = 0; c < TotalColCount(); ++c) {
    TStringGrid::SetObjects(c, ARow, nullptr);
    SetCellEx(c, ARow, String());
  }
}

void TBaseGrid::ResetCell(int ACol, int ARow) {
  SetCellEx(ACol, ARow, String());
  TStringGrid::SetObjects(ACol, ARow, nullptr);
}

TObject* TBaseGrid::GetObjectEx(int ACol, int ARow) const {
  auto* p = static_cast<TCellProperties*>(TStringGrid::Objects(ACol, ARow));
  return p ? p->CellObject() : nullptr;
}

TObject* TBaseGrid::GetGraphicObjectEx(int ACol, int ARow) const {
  auto* p = static_cast<TCellProperties*>(TStringGrid::Objects(ACol, ARow));
  return p ? p->GraphicObject() : nullptr;
}

void TBaseGrid::SetObjectEx(int ACol, int ARow, TObject* Value) {
  String s = GetCellEx(ACol, ARow);
  bool empty = s.empty();
  if (empty) SetCellEx(ACol, ARow, u" ");
  GetCellProperties(ACol, ARow)->SetCellObject(Value);
  if (empty) SetCellEx(ACol, ARow, String());
}

void TBaseGrid::SetGraphicObjectEx(int ACol, int ARow, TObject* Value) {
  if (destroying_ || ComponentState().Contains(TComponentStateFlag::csDestroying)) return;
  String s = GetCellEx(ACol, ARow);
  bool empty = s.empty();
  if (empty) SetCellEx(ACol, ARow, u" ");
  GetCellProperties(ACol, ARow)->SetGraphicObject(Value);
  if (empty) SetCellEx(ACol, ARow, String());
}

// =============================================================================================
// Merged ranges

void TBaseGrid::MergeCells(int ACol, int ARow, int SpanX, int SpanY) {
  ++FMergeCount;
  if (SpanX < 1 || SpanY < 1) return;
  // Cells outside the grid are left alone: the range is cut to what lies inside.
  int lastC = std::min(ACol + SpanX - 1, TotalColCount() - 1);
  int lastR = std::min(ARow + SpanY - 1, RowCount() - 1);
  if (!Inside(ACol, ARow)) return;
  for (int i = ACol; i <= lastC; ++i) {
    for (int j = ARow; j <= lastR; ++j) {
      TCellProperties* p = GetCellProperties(i, j);
      p->FIsBaseCell = (i == ACol && j == ARow);
      if (p->FIsBaseCell) {
        p->FCellSpanX = lastC - ACol;
        p->FCellSpanY = lastR - ARow;
      } else {
        p->FCellSpanX = i - ACol;
        p->FCellSpanY = j - ARow;
      }
    }
  }
  for (int i = ACol; i <= lastC; ++i)
    for (int j = ARow; j <= lastR; ++j) RepaintCell(i, j);
}

void TBaseGrid::SplitCells(int ACol, int ARow) {
  if (Inside(ACol, ARow)) {
    TCellProperties* p = GetCellProperties(ACol, ARow);
    TPoint b = p->GetBaseCell(ACol, ARow);
    int sx = -1, sy = -1;
    if (TCellProperties* bp = PropsAt(b.X, b.Y)) {
      sx = bp->FCellSpanX;
      sy = bp->FCellSpanY;
    }
    int lastC = std::min(b.X + sx, TotalColCount() - 1);
    int lastR = std::min(b.Y + sy, RowCount() - 1);
    for (int i = std::max(0, b.X); i <= lastC; ++i) {
      for (int j = std::max(0, b.Y); j <= lastR; ++j) {
        TCellProperties* q = GetCellProperties(i, j);
        q->FIsBaseCell = true;
        q->FCellSpanX = -1;
        q->FCellSpanY = -1;
      }
    }
    for (int i = std::max(0, b.X); i <= lastC; ++i)
      for (int j = std::max(0, b.Y); j <= lastR; ++j) RepaintCell(i, j);
  }
  --FMergeCount;
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const {
  if (TCellProperties* p = PropsAt(ACol, ARow)) return p->GetBaseCell(ACol, ARow);
  return Point(ACol, ARow);
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const {
  TCellProperties* p = PropsAt(ACol, ARow);
  return !p || p->FIsBaseCell;
}

bool TBaseGrid::BaseCellInfo(int ACol, int ARow, int& BaseCol, int& BaseRow) const {
  BaseCol = ACol;
  BaseRow = ARow;
  TCellProperties* p = PropsAt(ACol, ARow);
  if (!p) return true;
  if (!p->FIsBaseCell) {
    TPoint b = p->GetBaseCell(ACol, ARow);
    BaseCol = b.X;
    BaseRow = b.Y;
  }
  return p->FIsBaseCell;
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const {
  TCellProperties* p = PropsAt(ACol, ARow);
  return p && (p->FCellSpanX > 0 || p->FCellSpanY > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow) const {
  TCellProperties* p = PropsAt(ACol, ARow);
  return p && (p->FCellSpanX > 0 || p->FCellSpanY > 0) && !p->FIsBaseCell;
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const {
  if (!PropsAt(ACol, ARow)) return false;
  TPoint b = BaseCell(ACol, ARow);
  TCellProperties* bp = PropsAt(b.X, b.Y);
  return bp && bp->FCellSpanX > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const {
  if (!PropsAt(ACol, ARow)) return false;
  TPoint b = BaseCell(ACol, ARow);
  TCellProperties* bp = PropsAt(b.X, b.Y);
  return bp && bp->FCellSpanY > 0;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const {
  TCellProperties* p = PropsAt(ACol, ARow);
  if (!p || p->FCellSpanX == -1 || p->FCellSpanY == -1) return Point(0, 0);
  TPoint b = p->GetBaseCell(ACol, ARow);
  TCellProperties* bp = PropsAt(b.X, b.Y);
  if (!bp) return Point(0, 0);
  return Point(bp->FCellSpanX, bp->FCellSpanY);
}

TPoint TBaseGrid::CellExt(int ACol, int ARow) const {
  TCellProperties* p = PropsAt(ACol, ARow);
  if (!p || p->FCellSpanX == -1 || p->FCellSpanY == -1) return Point(0, 0);
  TPoint b = p->GetBaseCell(ACol, ARow);
  TCellProperties* bp = PropsAt(b.X, b.Y);
  if (!bp) return Point(0, 0);
  return Point(b.X + bp->FCellSpanX - ACol, b.Y + bp->FCellSpanY - ARow);
}

TRect TBaseGrid::FullCell(int ACol, int ARow) const {
  TPoint b = BaseCell(ACol, ARow);
  TPoint s = CellSpan(ACol, ARow);
  return Rect(b.X, b.Y, b.X + s.X, b.Y + s.Y);
}

int TBaseGrid::MinRowSpan(int ARow) const {
  int best = RowCount();
  for (int c = 0; c < ColCount(); ++c) {
    int y = CellSpan(c, ARow).Y;
    if (y > 0 && y < RowCount()) best = std::min(best, y);
  }
  return best;
}

int TBaseGrid::MaxRowSpan(int ARow) const {
  int best = 0;
  for (int c = 0; c < ColCount(); ++c) best = std::max(best, CellSpan(c, ARow).Y);
  return best;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const {
  bool found = false;
  for (int c = 0; c < ColCount(); ++c) {
    if (CellSpan(c, ARow1).Y > 0 && CellSpan(c, ARow2).Y > 0) {
      found = true;
      if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y) return false;
    }
  }
  return found;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const {
  bool found = false;
  for (int r = 0; r < RowCount(); ++r) {
    int x1 = CellSpan(ACol1, r).X, x2 = CellSpan(ACol2, r).X;
    if (x1 > 0 && x2 > 0) {
      found = true;
      if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X) return false;
    } else if (x1 != x2) {
      return false;
    }
  }
  return found;
}

// =============================================================================================
// Geometry

TRect TBaseGrid::VirtualCellRect(int ACol, int ARow) const { return FlipGridRect(VirtualLayoutRect(ACol, ARow)); }

TRect TBaseGrid::VirtualLayoutRect(int ACol, int ARow) const {
  int x = 0, y = 0;
  for (int i = 0; i < ACol; ++i) x += ColWidths(i);
  for (int j = 0; j < ARow; ++j) y += RowHeights(j);
  TRect r = Rect(x, y, x + ColWidths(ACol), y + RowHeights(ARow));
  int dx = 0, dy = 0;
  if (ACol >= FixedCols())
    for (int i = 0; i < LeftCol(); ++i) dx += ColWidths(i);
  if (ARow >= FixedRows())
    for (int j = 0; j < TopRow(); ++j) dy += RowHeights(j);
  OffsetRect(r, -dx, -dy);
  TRect t = LayoutCellRect(LeftCol(), TopRow());
  int tl = ACol < FixedCols() ? 0 : t.Left;
  int tt = ARow < FixedRows() ? 0 : t.Top;
  OffsetRect(r, tl, tt);
  return r;
}

TRect TBaseGrid::CellRect(int ACol, int ARow) const { return FlipGridRect(CellLayoutRect(ACol, ARow)); }

TRect TBaseGrid::CellLayoutRect(int ACol, int ARow) const {
  TCellProperties* p = PropsAt(ACol, ARow);
  if (p && (p->FCellSpanX != -1 || p->FCellSpanY != -1)) {
    TPoint b = p->GetBaseCell(ACol, ARow);
    TCellProperties* bp = PropsAt(b.X, b.Y);
    int sx = bp ? std::max(0, bp->FCellSpanX) : 0;
    int sy = bp ? std::max(0, bp->FCellSpanY) : 0;
    TRect r1 = VirtualLayoutRect(b.X, b.Y);
    if (r1.Width() == 0) r1.Right += 1;
    TRect r2 = VirtualLayoutRect(b.X + sx, b.Y + sy);
    if (r2.Width() == 0) r2.Left -= 1;
    return Rect(std::min(r1.Left, r2.Left), std::min(r1.Top, r2.Top), std::max(r1.Right, r2.Right),
                std::max(r1.Bottom, r2.Bottom));
  }
  if (p && p->Control()) return VirtualLayoutRect(ACol, ARow);
  TRect t = LayoutCellRect(ACol, ARow);
  return Rect(t.Left, t.Top, t.Left + ColWidths(ACol), t.Top + RowHeights(ARow));
}

TPoint TBaseGrid::CellSize(int ACol, int ARow) const {
  if (IsMergedCell(ACol, ARow)) {
    TPoint b = BaseCell(ACol, ARow);
    TPoint s = CellSpan(ACol, ARow);
    TRect r1 = VirtualLayoutRect(b.X, b.Y);
    TRect r2 = VirtualLayoutRect(b.X + s.X, b.Y + s.Y);
    return Point(std::max(r1.Right, r2.Right) - std::min(r1.Left, r2.Left),
                 std::max(r1.Bottom, r2.Bottom) - std::min(r1.Top, r2.Top));
  }
  TRect r = VirtualLayoutRect(ACol, ARow);
  return Point(r.Width(), r.Height());
}

void TBaseGrid::RepaintCell(int ACol, int ARow) {
  if (!HandleAllocated()) return;
  InvalidateClientRect(CellRect(ACol, ARow));
}

int TBaseGrid::FixedColsWidth() const {
  int w = 0;
  for (int i = 0; i < FixedCols(); ++i) w += ColWidths(i);
  return w;
}

int TBaseGrid::FixedRowsHeight() const {
  int h = 0;
  for (int j = 0; j < FixedRows(); ++j) h += RowHeights(j);
  return h;
}

// =============================================================================================
// Virtual operations: base behaviour

bool TBaseGrid::IsFixed(int, int) { return false; }
int TBaseGrid::GetRowIndent(int) { return 0; }
bool TBaseGrid::HasNodes() { return false; }

void TBaseGrid::DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState) {
  DrawText(ACanvas, GetCellEx(ACol, ARow), ARect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TBaseGrid::LastRowChanged() {}

void TBaseGrid::DoGetDisplText(int ACol, int ARow, String& Value) {
  if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::DoGetDisplWideText(int ACol, int ARow, String& Value) {
  if (OnGetDisplWideText) OnGetDisplWideText(this, ACol, ARow, Value);
}

void TBaseGrid::GetDefaultCellProps(int, int, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                    TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA,
                                    TVAlignment& VA, bool& WW, TCellGradientDirection& GD) {
  AFont->Assign(Font());
  ABrush->SetColor(Color());
  AColorTo = clNone;
  AMirrorColor = clNone;
  AMirrorColorTo = clNone;
  HA = taLeftJustify;
  VA = vtaTop;
  WW = FWordWrap;
  GD = GradientVertical;
}

void TBaseGrid::CellChanged(int, int) {}
bool TBaseGrid::HasCellBorders() { return false; }
bool TBaseGrid::UseVCLStyles() { return false; }

void TBaseGrid::GetVisualProperties(int, int, TGridDrawState&, bool, bool, bool, TBrush*, TColor&, TColor&,
                                    TColor&, TFont*, TAlignment&, TVAlignment&, bool&,
                                    TCellGradientDirection&) {}

int TBaseGrid::DisplColIndex(int ACol) { return ACol; }
int TBaseGrid::TotalColCount() const { return ColCount(); }

// =============================================================================================
// Properties

void TBaseGrid::SetDefaultDrawing(bool v) {
  FDefaultDrawing = v;
  TCustomGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int v) {
  FGridLineWidth = v;
  TCustomGrid::SetGridLineWidth(0);
  InvalidateGrid();
}

void TBaseGrid::SetGridLineColor(TColor v) {
  FGridLineColor = v;
  InvalidateGrid();
}

void TBaseGrid::SetGridFixedLineColor(TColor v) {
  FGridFixedLineColor = v;
  InvalidateGrid();
}

#define BASEGRID_SETTER(Name, Field, Type) \
  void TBaseGrid::Name(Type v) {           \
    if (Field == v) return;                \
    Field = v;                             \
    InvalidateGrid();                      \
  }
BASEGRID_SETTER(SetActiveRowShow, FActiveRowShow, bool)
BASEGRID_SETTER(SetActiveRowColor, FActiveRowColor, TColor)
BASEGRID_SETTER(SetActiveRowColorTo, FActiveRowColorTo, TColor)
BASEGRID_SETTER(SetActiveRowMirrorColor, FActiveRowMirrorColor, TColor)
BASEGRID_SETTER(SetActiveRowMirrorColorTo, FActiveRowMirrorColorTo, TColor)
BASEGRID_SETTER(SetSelectionStyle, FSelectionStyle, TGridSelectionStyle)
#undef BASEGRID_SETTER

void TBaseGrid::SetUndoRedo(TAdvGridUndoRedo* v) {
  if (FUndoRedo != v) {
    // Kept while the old component still points at this grid, so it hears of the grid's end.
    if (FUndoRedo && FUndoRedo->Grid() != this) FUndoRedo->RemoveFreeNotification(this);
    FUndoRedo = v;
    if (v) v->FreeNotification(this);
  }
  // Also when unchanged: the component may have been pointed at another grid meanwhile.
  if (v) v->SetGrid(this);
}

String TBaseGrid::GetEditText(int ACol, int ARow) { return TStringGrid::GetEditText(ACol, ARow); }
void TBaseGrid::SetEditText(int ACol, int ARow, const String& Value) { TStringGrid::SetEditText(ACol, ARow, Value); }
void TBaseGrid::ChangeScale(int M, int D) { TObjStringGrid::ChangeScale(M, D); }
