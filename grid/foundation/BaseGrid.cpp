#include "grid/foundation/BaseGrid.h"

#include <algorithm>
#include <mutex>
#include <typeinfo>
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
// TCellStyle

TCellStyle& TCellStyle::operator=(const TCellStyle& Source) {
  if (this == &Source) return *this;
  Color = Source.Color;
  ColorTo = Source.ColorTo;
  MirrorColor = Source.MirrorColor;
  MirrorColorTo = Source.MirrorColorTo;
  GradientDirection = Source.GradientDirection;
  Font.Assign(const_cast<TFont*>(&Source.Font));  // Assign only reads its source
  Alignment = Source.Alignment;
  VAlignment = Source.VAlignment;
  WordWrap = Source.WordWrap;
  Borders = Source.Borders;
  BorderLines = Source.BorderLines;
  return *this;
}

// =============================================================================================
// TCellProperties

TCellProperties::TCellProperties(TBaseGrid* AOwner, int RCol, int DRow)
    : FOwnerGrid(AOwner), FOwnerCol(RCol), FOwnerRow(DRow) {
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
  if (!FExtra) FExtra = std::make_unique<TExtra>();
  return *FExtra;
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
  return t.names[FFontNameIndex];
}

void TCellProperties::SetFontName(const String& v) {
  FontNameTable& t = FontNames();
  std::lock_guard<std::mutex> g(t.lock);
  auto it = t.index.find(v);
  if (it != t.index.end()) {
    FFontNameIndex = it->second;
    return;
  }
  if (t.names.size() >= 0xFFFF) return;  // a pathological number of faces: keep the old one
  t.names.push_back(v);
  uint16_t i = static_cast<uint16_t>(t.names.size() - 1);
  t.index.emplace(v, i);
  FFontNameIndex = i;
}

TPoint TCellProperties::GetBaseCell(int RCol, int DRow) const {
  if (FIsBaseCell) return Point(RCol, DRow);
  if (FCellSpanX != -1 && FCellSpanY != -1) return Point(RCol - FCellSpanX, DRow - FCellSpanY);
  return Point(RCol, DRow);
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
  FFontNameIndex = s->FFontNameIndex;
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
  FDestroying = true;
  if (FUndoRedo) {
    FUndoRedo->RemoveFreeNotification(this);
    if (FUndoRedo->Grid() == this) FUndoRedo->SetGrid(nullptr);
    FUndoRedo = nullptr;
  }
  FHasCellProps = true;  // detached objects too: free whatever the slots still hold
  FreeAllCellProperties();
  // Objects that were detached from their slots (moved rows, hidden rows) are still ours.
  std::vector<TCellProperties*> rest;
  rest.swap(FOwnedProps);
  for (TCellProperties* p : rest) p->FOwnerGrid = nullptr;
  for (TCellProperties* p : rest) {
    TObject* g = p->GraphicObject();
    if (g && p != FScratch && g->ClassName() == u"TCellGraphic") delete g;
    delete p;
  }
  FScratch = nullptr;
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent && AComponent == FUndoRedo) FUndoRedo = nullptr;
  TObjStringGrid::Notification(AComponent, Operation);
}

void TBaseGrid::Adopt(TCellProperties* P) {
  P->FOwnerGrid = this;
  P->FOwnIndex = static_cast<uint32_t>(FOwnedProps.size());
  FOwnedProps.push_back(P);
}

void TBaseGrid::Release(TCellProperties* P) {
  uint32_t i = P->FOwnIndex;
  if (i >= FOwnedProps.size() || FOwnedProps[i] != P) return;
  TCellProperties* last = FOwnedProps.back();
  FOwnedProps[i] = last;
  last->FOwnIndex = i;
  FOwnedProps.pop_back();
  P->FOwnerGrid = nullptr;
}

void TBaseGrid::DestroyProps(TCellProperties* P) { delete P; }

// =============================================================================================
// Cells

bool TBaseGrid::Inside(int RCol, int DRow) const {
  return RCol >= 0 && DRow >= 0 && RCol < TotalColCount() && DRow < RowCount();
}

TCellProperties* TBaseGrid::SlotProps(int RCol, int DRow) const {
  TObject* o = TStringGrid::Objects(RCol, DRow);
  // TCellProperties is final, so its exact class is the whole kind check; cheaper than a
  // dynamic_cast for a read made several times per painted cell.
  return o && typeid(*o) == typeid(TCellProperties) ? static_cast<TCellProperties*>(o) : nullptr;
}

TCellProperties* TBaseGrid::PropsAt(int RCol, int DRow) const {
  return Inside(RCol, DRow) ? SlotProps(RCol, DRow) : nullptr;
}

bool TBaseGrid::HasCellProperties(int RCol, int DRow) const { return PropsAt(RCol, DRow) != nullptr; }

String TBaseGrid::GetCellEx(int RCol, int DRow) {
  String s;
  ReadCellEx(RCol, DRow, s);
  return s;
}

void TBaseGrid::ReadCellEx(int RCol, int DRow, String& Out) {
  int bc = RCol, br = DRow;
  if (TCellProperties* p = PropsAt(RCol, DRow)) {
    TPoint b = p->GetBaseCell(RCol, DRow);
    bc = b.X;
    br = b.Y;
  }
  Out.assign(CellView(bc, br));
  if (br < FNormalRowCount) {
    DoGetDisplText(bc, br, Out);
    if (OnGetDisplWideText) {
      String wide = UnpackUnicodeText(Out);
      DoGetDisplWideText(bc, br, wide);
      Out = PackUnicodeText(wide);
    }
  }
}

void TBaseGrid::SetCellEx(int RCol, int DRow, const String& Value) {
  if (TCellProperties* p = PropsAt(RCol, DRow)) {
    TPoint b = p->GetBaseCell(RCol, DRow);
    TStringGrid::SetCells(b.X, b.Y, Value);
    CellChanged(b.X, b.Y);
    if (Parent()) RepaintCell(RCol, DRow);
  } else {
    TStringGrid::SetCells(RCol, DRow, Value);
  }
  if (FHideLastRow && DRow == RowCount() - 1) LastRowChanged();
}

void TBaseGrid::InitCellProperties(TCellProperties* P, int RCol, int DRow) {
  // The mirror colours and borders are not kept: properties have no place for them.
  TCellStyle s = GetDefaultCellProps(RCol, DRow);
  P->FCalcType = acNONE;
  P->FAlignment = static_cast<uint8_t>(s.Alignment);
  P->FVAlignment = s.VAlignment;
  P->FWordWrap = s.WordWrap;
  P->SetFontName(s.Font.Name());
  P->FFontSize = s.Font.Size();
  P->SetFontStyle(s.Font.Style());
  P->FFontColor = s.Font.Color();
  P->FBrushColor = s.Color;
  P->FBrushColorTo = s.ColorTo;
  P->FGradientDirection = s.GradientDirection;
}

TCellProperties* TBaseGrid::GetCellProperties(int RCol, int DRow) {
  if (!Inside(RCol, DRow)) {
    // Outside the grid: a scratch object that no cell holds.
    if (FScratch) delete FScratch;
    FScratch = new TCellProperties(this, RCol, DRow);
    InitCellProperties(FScratch, RCol, DRow);
    return FScratch;
  }
  TObject* held = TStringGrid::Objects(RCol, DRow);
  if (TCellProperties* p = SlotProps(RCol, DRow)) return p;
  auto* p = new TCellProperties(this, RCol, DRow);
  TStringGrid::SetObjects(RCol, DRow, p);
  InitCellProperties(p, RCol, DRow);
  p->SetCellObject(held);  // a user object stored through the string grid's own interface
  return p;
}

void TBaseGrid::SetCellProperties(int RCol, int DRow, TCellProperties* Value) {
  if (RCol < 0 || DRow < 0) return;
  TCellProperties* cur = SlotProps(RCol, DRow);
  if (Value && cur == Value) return;  // freeing it first would leave a dangling slot
  if (Value && Value->FOwnerGrid != this) {
    if (Value->FOwnerGrid) Value->FOwnerGrid->Release(Value);
    Adopt(Value);
    FHasCellProps = true;
  }
  TStringGrid::SetObjects(RCol, DRow, Value);
  if (cur) DestroyProps(cur);
}

void TBaseGrid::FreeCellProperties(int RCol, int DRow) {
  if (RCol < 0 || DRow < 0) return;
  TCellProperties* cur = SlotProps(RCol, DRow);
  if (!cur) return;
  TStringGrid::SetObjects(RCol, DRow, nullptr);
  DestroyProps(cur);
}

void TBaseGrid::FreeCellPropertiesRange(int RCol1, int DRow1, int RCol2, int DRow2) {
  if (!FHasCellProps) return;
  int c1 = std::max(0, RCol1), r1 = std::max(0, DRow1);
  for (int r = r1; r <= DRow2; ++r) {
    for (int c = c1; c <= RCol2; ++c) {
      TCellProperties* p = SlotProps(c, r);
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

void TBaseGrid::ResetColumn(int RCol) {
  for (int r = 0; r < RowCount(); ++r) {
    TStringGrid::SetObjects(RCol, r, nullptr);
    SetCellEx(RCol, r, String());
  }
}

void TBaseGrid::ResetRow(int DRow) {
  for (int c = 0; c < TotalColCount(); ++c) {
    TStringGrid::SetObjects(c, DRow, nullptr);
    SetCellEx(c, DRow, String());
  }
}

void TBaseGrid::ResetCell(int RCol, int DRow) {
  SetCellEx(RCol, DRow, String());
  TStringGrid::SetObjects(RCol, DRow, nullptr);
}

TObject* TBaseGrid::GetObjectEx(int RCol, int DRow) const {
  if (TCellProperties* p = SlotProps(RCol, DRow)) return p->CellObject();
  return TStringGrid::Objects(RCol, DRow);
}

TObject* TBaseGrid::GetGraphicObjectEx(int RCol, int DRow) const {
  TCellProperties* p = SlotProps(RCol, DRow);
  return p ? p->GraphicObject() : nullptr;
}

void TBaseGrid::SetObjectEx(int RCol, int DRow, TObject* Value) {
  String s = GetCellEx(RCol, DRow);
  bool empty = s.empty();
  if (empty) SetCellEx(RCol, DRow, u" ");
  GetCellProperties(RCol, DRow)->SetCellObject(Value);
  if (empty) SetCellEx(RCol, DRow, String());
}

void TBaseGrid::SetGraphicObjectEx(int RCol, int DRow, TObject* Value) {
  if (FDestroying || ComponentState().Contains(TComponentStateFlag::csDestroying)) return;
  String s = GetCellEx(RCol, DRow);
  bool empty = s.empty();
  if (empty) SetCellEx(RCol, DRow, u" ");
  GetCellProperties(RCol, DRow)->SetGraphicObject(Value);
  if (empty) SetCellEx(RCol, DRow, String());
}

// =============================================================================================
// Merged ranges

void TBaseGrid::MergeCells(int RCol, int DRow, int SpanX, int SpanY) {
  ++FMergeCount;
  if (SpanX < 1 || SpanY < 1) return;
  // Cells outside the grid are left alone: the range is cut to what lies inside.
  int lastC = std::min(RCol + SpanX - 1, TotalColCount() - 1);
  int lastR = std::min(DRow + SpanY - 1, RowCount() - 1);
  if (!Inside(RCol, DRow)) return;
  for (int i = RCol; i <= lastC; ++i) {
    for (int j = DRow; j <= lastR; ++j) {
      TCellProperties* p = GetCellProperties(i, j);
      p->FIsBaseCell = (i == RCol && j == DRow);
      if (p->FIsBaseCell) {
        p->FCellSpanX = lastC - RCol;
        p->FCellSpanY = lastR - DRow;
      } else {
        p->FCellSpanX = i - RCol;
        p->FCellSpanY = j - DRow;
      }
    }
  }
  for (int i = RCol; i <= lastC; ++i)
    for (int j = DRow; j <= lastR; ++j) RepaintCell(i, j);
}

void TBaseGrid::SplitCells(int RCol, int DRow) {
  if (Inside(RCol, DRow)) {
    TCellProperties* p = GetCellProperties(RCol, DRow);
    TPoint b = p->GetBaseCell(RCol, DRow);
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

TPoint TBaseGrid::BaseCell(int RCol, int DRow) const {
  if (TCellProperties* p = PropsAt(RCol, DRow)) return p->GetBaseCell(RCol, DRow);
  return Point(RCol, DRow);
}

bool TBaseGrid::IsBaseCell(int RCol, int DRow) const {
  TCellProperties* p = PropsAt(RCol, DRow);
  return !p || p->FIsBaseCell;
}

bool TBaseGrid::BaseCellInfo(int RCol, int DRow, int& BaseCol, int& BaseRow) const {
  BaseCol = RCol;
  BaseRow = DRow;
  TCellProperties* p = PropsAt(RCol, DRow);
  if (!p) return true;
  if (!p->FIsBaseCell) {
    TPoint b = p->GetBaseCell(RCol, DRow);
    BaseCol = b.X;
    BaseRow = b.Y;
  }
  return p->FIsBaseCell;
}

bool TBaseGrid::IsMergedCell(int RCol, int DRow) const {
  TCellProperties* p = PropsAt(RCol, DRow);
  return p && (p->FCellSpanX > 0 || p->FCellSpanY > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int RCol, int DRow) const {
  TCellProperties* p = PropsAt(RCol, DRow);
  return p && (p->FCellSpanX > 0 || p->FCellSpanY > 0) && !p->FIsBaseCell;
}

bool TBaseGrid::IsXMergedCell(int RCol, int DRow) const {
  if (!PropsAt(RCol, DRow)) return false;
  TPoint b = BaseCell(RCol, DRow);
  TCellProperties* bp = PropsAt(b.X, b.Y);
  return bp && bp->FCellSpanX > 0;
}

bool TBaseGrid::IsYMergedCell(int RCol, int DRow) const {
  if (!PropsAt(RCol, DRow)) return false;
  TPoint b = BaseCell(RCol, DRow);
  TCellProperties* bp = PropsAt(b.X, b.Y);
  return bp && bp->FCellSpanY > 0;
}

TPoint TBaseGrid::CellSpan(int RCol, int DRow) const {
  TCellProperties* p = PropsAt(RCol, DRow);
  if (!p || p->FCellSpanX == -1 || p->FCellSpanY == -1) return Point(0, 0);
  TPoint b = p->GetBaseCell(RCol, DRow);
  TCellProperties* bp = PropsAt(b.X, b.Y);
  if (!bp) return Point(0, 0);
  return Point(bp->FCellSpanX, bp->FCellSpanY);
}

TPoint TBaseGrid::CellExt(int RCol, int DRow) const {
  TCellProperties* p = PropsAt(RCol, DRow);
  if (!p || p->FCellSpanX == -1 || p->FCellSpanY == -1) return Point(0, 0);
  TPoint b = p->GetBaseCell(RCol, DRow);
  TCellProperties* bp = PropsAt(b.X, b.Y);
  if (!bp) return Point(0, 0);
  return Point(b.X + bp->FCellSpanX - RCol, b.Y + bp->FCellSpanY - DRow);
}

TRect TBaseGrid::FullCell(int RCol, int DRow) const {
  TPoint b = BaseCell(RCol, DRow);
  TPoint s = CellSpan(RCol, DRow);
  return Rect(b.X, b.Y, b.X + s.X, b.Y + s.Y);
}

int TBaseGrid::MinRowSpan(int DRow) const {
  int best = RowCount();
  for (int c = 0; c < ColCount(); ++c) {
    int y = CellSpan(c, DRow).Y;
    if (y > 0 && y < RowCount()) best = std::min(best, y);
  }
  return best;
}

int TBaseGrid::MaxRowSpan(int DRow) const {
  int best = 0;
  for (int c = 0; c < ColCount(); ++c) best = std::max(best, CellSpan(c, DRow).Y);
  return best;
}

bool TBaseGrid::RowSpanIdentical(int DRow1, int DRow2) const {
  bool found = false;
  for (int c = 0; c < ColCount(); ++c) {
    if (CellSpan(c, DRow1).Y > 0 && CellSpan(c, DRow2).Y > 0) {
      found = true;
      if (BaseCell(c, DRow1).Y != BaseCell(c, DRow2).Y) return false;
    }
  }
  return found;
}

bool TBaseGrid::ColSpanIdentical(int RCol1, int RCol2) const {
  bool found = false;
  for (int r = 0; r < RowCount(); ++r) {
    int x1 = CellSpan(RCol1, r).X, x2 = CellSpan(RCol2, r).X;
    if (x1 > 0 && x2 > 0) {
      found = true;
      if (BaseCell(RCol1, r).X != BaseCell(RCol2, r).X) return false;
    } else if (x1 != x2) {
      return false;
    }
  }
  return found;
}

// =============================================================================================
// Geometry

TRect TBaseGrid::VirtualCellRect(int DCol, int DRow) const { return FlipGridRect(VirtualLayoutRect(DCol, DRow)); }

TRect TBaseGrid::VirtualLayoutRect(int DCol, int DRow) const {
  int x = 0, y = 0;
  for (int i = 0; i < DCol; ++i) x += ColWidths(i);
  for (int j = 0; j < DRow; ++j) y += RowHeights(j);
  TRect r = Rect(x, y, x + ColWidths(DCol), y + RowHeights(DRow));
  int dx = 0, dy = 0;
  if (DCol >= FixedCols())
    for (int i = 0; i < LeftCol(); ++i) dx += ColWidths(i);
  if (DRow >= FixedRows())
    for (int j = 0; j < TopRow(); ++j) dy += RowHeights(j);
  OffsetRect(r, -dx, -dy);
  TRect t = LayoutCellRect(LeftCol(), TopRow());
  int tl = DCol < FixedCols() ? 0 : t.Left;
  int tt = DRow < FixedRows() ? 0 : t.Top;
  OffsetRect(r, tl, tt);
  return r;
}

TRect TBaseGrid::CellRect(int DCol, int DRow) const { return FlipGridRect(CellLayoutRect(DCol, DRow)); }

TRect TBaseGrid::CellLayoutRect(int DCol, int DRow) const {
  TCellProperties* p = PropsAt(DCol, DRow);
  if (p && (p->FCellSpanX != -1 || p->FCellSpanY != -1)) {
    TPoint b = p->GetBaseCell(DCol, DRow);
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
  if (p && p->Control()) return VirtualLayoutRect(DCol, DRow);
  TRect t = LayoutCellRect(DCol, DRow);
  return Rect(t.Left, t.Top, t.Left + ColWidths(DCol), t.Top + RowHeights(DRow));
}

TPoint TBaseGrid::CellSize(int DCol, int DRow) const {
  if (IsMergedCell(DCol, DRow)) {
    TPoint b = BaseCell(DCol, DRow);
    TPoint s = CellSpan(DCol, DRow);
    TRect r1 = VirtualLayoutRect(b.X, b.Y);
    TRect r2 = VirtualLayoutRect(b.X + s.X, b.Y + s.Y);
    return Point(std::max(r1.Right, r2.Right) - std::min(r1.Left, r2.Left),
                 std::max(r1.Bottom, r2.Bottom) - std::min(r1.Top, r2.Top));
  }
  TRect r = VirtualLayoutRect(DCol, DRow);
  return Point(r.Width(), r.Height());
}

void TBaseGrid::RepaintCell(int DCol, int DRow) {
  if (!HandleAllocated()) return;
  InvalidateClientRect(CellRect(DCol, DRow));
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

void TBaseGrid::DrawCellContent(TCanvas* ACanvas, int DCol, int DRow, TRect ARect, TGridDrawState) {
  DrawText(ACanvas, GetCellEx(DCol, DRow), ARect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TBaseGrid::LastRowChanged() {}

void TBaseGrid::DoGetDisplText(int RCol, int DRow, String& Value) {
  if (OnGetDisplText) OnGetDisplText(this, RCol, DRow, Value);
}

void TBaseGrid::DoGetDisplWideText(int RCol, int DRow, String& Value) {
  if (OnGetDisplWideText) OnGetDisplWideText(this, RCol, DRow, Value);
}

TCellStyle TBaseGrid::PlainCellStyle() const {
  TCellStyle s;
  s.Color = Color();
  s.Font.Assign(Font());
  s.WordWrap = FWordWrap;
  return s;
}

TCellStyle TBaseGrid::GetDefaultCellProps(int, int) { return PlainCellStyle(); }

void TBaseGrid::CellChanged(int, int) {}
bool TBaseGrid::HasCellBorders() { return false; }
bool TBaseGrid::UseVCLStyles() { return false; }

TCellStyle TBaseGrid::GetVisualProperties(int, int, TGridDrawState&, bool, bool, bool) { return PlainCellStyle(); }

int TBaseGrid::DisplColIndex(int RCol) { return RCol; }
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

String TBaseGrid::GetEditText(int DCol, int DRow) { return TStringGrid::GetEditText(DCol, DRow); }
void TBaseGrid::SetEditText(int DCol, int DRow, const String& Value) { TStringGrid::SetEditText(DCol, DRow, Value); }
void TBaseGrid::ChangeScale(int M, int D) { TObjStringGrid::ChangeScale(M, D); }
