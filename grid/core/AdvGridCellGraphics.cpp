// Cell objects: finding a cell's object and its type, attaching and removing it, measuring its
// graphic; and the display hooks that read cell objects (node indent, group counts, URL
// anchors, sort indicator, password cells).
#include <algorithm>
#include <cmath>

#include "grid/core/AdvGrid.h"
#include "grid/foundation/ZazAdez.h"
#include "platform/SysUtils.h"

namespace {

constexpr TCellTypes kControlTypes{ctCheckBox,    ctDataCheckBox, ctRadio,         ctButton,
                                   ctVirtCheckBox, ctRowCheckBox, ctRadioButton, ctTriStateCheckBox};
constexpr TCellTypes kDataGraphicTypes{ctDataCheckBox, ctDataImage, ctVirtCheckBox, ctRowCheckBox};

bool BesideText(TCellHAlign h) { return h == haBeforeText || h == haAfterText; }
bool OverText(TCellVAlign v) { return v == vaUnderText || v == vaAboveText; }
int Low16(int v) { return v & 0xFFFF; }
int High16(int v) { return static_cast<int>((static_cast<uint32_t>(v) >> 16) & 0xFFFF); }

// Check boxes and radio buttons: a square glyph of the control look's size.
void ControlGlyphSize(TCellType Type, const TControlLook* Look, TPoint& Size) {
  if (CheckBoxCellTypes.Contains(Type)) Size = TPoint(Look->CheckSize(), Look->CheckSize());
  if (Type == ctRadioButton) Size = TPoint(Look->RadioSize(), Look->RadioSize());
}

TPoint GraphicSize(TObject* Obj) {
  if (auto* g = dynamic_cast<TGraphic*>(Obj)) return TPoint(g->Width(), g->Height());
  if (auto* p = dynamic_cast<TPicture*>(Obj)) return TPoint(p->Width(), p->Height());
  return TPoint(0, 0);
}

}  // namespace

TCellGraphic* TAdvStringGrid::GetCellGraphic(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return nullptr;
  TObject* obj = GetGraphicObjectEx(ACol, ARow);
  auto* cg = dynamic_cast<TCellGraphic*>(obj);
  if (obj && !cg) return nullptr;
  if (ACol == 0 && FMouseActions->HotmailRowSelect()) {
    TCellGraphic* s = FCellGraphic.get();
    s->SetCellType(ctRowCheckBox);
    if (ARow == 0) {
      const int normal = RowCount() - FixedRows();
      const int selected = RowSelectCount();
      s->SetCellAngle(selected > 0 && selected < normal ? 1 : 0);
      s->SetCellBoolean(selected >= normal);
    } else {
      s->SetCellAngle(0);
      // A row beyond the grid has no flag to read (the reader would raise).
      const int rr = RealRowIndex(ARow);
      s->SetCellBoolean(rr < AllRowCount() && GetRowSelect(rr));
    }
    s->SetCellTransparent(FControlLook->ControlStyle() == csFlat);
    return s;
  }
  return cg;
}

TCellType TAdvStringGrid::GetCellType(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return ctEmpty;
  TObject* obj = GetGraphicObjectEx(ACol, ARow);
  auto* cg = dynamic_cast<TCellGraphic*>(obj);
  if (obj && !cg) return ctEmpty;
  if (ACol == 0 && FMouseActions->HotmailRowSelect()) return ctRowCheckBox;
  return cg ? cg->CellType() : ctEmpty;
}

TCellGraphic* TAdvStringGrid::CreateCellGraphic(int ACol, int ARow) {
  if (auto* own = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow))) {
    if (own != FCellGraphic.get()) {
      GetCellProperties(ACol, ARow)->SetGraphicObject(nullptr);
      delete own;
    }
  }
  auto* cg = new TCellGraphic;
  // Keeps an empty cell's text empty while the object is attached.
  SetGraphicObjectEx(ACol, ARow, cg);
  const int d = DisplColIndex(ACol);
  if (FNumHidden > 0 && d != ACol) RepaintCell(d, ARow);
  return cg;
}

bool TAdvStringGrid::RemoveCellGraphic(int ACol, int ARow) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg) return false;
  if (HasCellProperties(ACol, ARow)) {
    TCellProperties* p = GetCellProperties(ACol, ARow);
    if (p->GraphicObject() == cg) p->SetGraphicObject(nullptr);
  }
  // The shared object of virtual and row check boxes is the grid's, never a cell's.
  const bool shared = cg == FCellGraphic.get() || cg->CellType() == ctVirtCheckBox ||
                      cg->CellType() == ctRowCheckBox;
  if (!shared) delete cg;
  if (!FDestroying) RepaintRealCell(ACol, ARow);
  return true;
}

bool TAdvStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType AType) {
  if (GetCellType(ACol, ARow) != AType) return false;
  return RemoveCellGraphic(ACol, ARow);
}

TIntList* TAdvStringGrid::GetCellImages(int ACol, int ARow) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg || cg->CellType() != ctImages) return nullptr;
  return dynamic_cast<TIntList*>(cg->CellBitmap());
}

int TAdvStringGrid::GetCellGraphicKey(int ACol, int ARow) {
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg) return -1;
  switch (cg->CellType()) {
    case ctBitmap:
    case ctIcon: {
      // A picture's identity has no order of its own: pictures made earlier sort first.
      auto* g = dynamic_cast<TGraphic*>(cg->CellType() == ctBitmap ? cg->CellBitmap() : cg->CellIcon());
      return g ? static_cast<int>(g->CreationSerial() & 0x7FFFFFFF) : -1;
    }
    case ctImageList:
      return cg->CellIndex();
    default:
      return -1;
  }
}

bool TAdvStringGrid::HasCellTypeIn(int ACol, int ARow, TCellTypes Types) {
  if (ACol < 0 || ARow < 0) return false;
  const TPoint b = BaseCell(ACol, ARow);
  return Types.Contains(GetCellType(b.X, b.Y));
}

bool TAdvStringGrid::IsControlCell(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, kControlTypes); }

bool TAdvStringGrid::IsDataGraphicCell(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, kDataGraphicTypes); }

TImageList* TAdvStringGrid::GetCellImageList(int, int) { return FGridImages; }

void TAdvStringGrid::SetGridImages(TImageList* Value) {
  if (FGridImages == Value) return;
  if (FGridImages) FGridImages->RemoveFreeNotification(this);
  FGridImages = Value;
  if (FGridImages) FGridImages->FreeNotification(this);
}

TPoint TAdvStringGrid::GetCellGraphicSize(int ACol, int ARow) {
  TPoint size;
  MeasureCellGraphic(ACol, ARow, size, 0);
  return size;
}

void TAdvStringGrid::MeasureCellGraphic(int ACol, int ARow, TPoint& Size, int ExtraHeight) {
  Size = TPoint(0, 0);
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg) return;
  const bool noText = GetCellEx(ACol, ARow).empty();
  const TCellHAlign ha = cg->CellHAlign();
  const TCellVAlign va = cg->CellVAlign();
  const int d = DisplColIndex(ACol);
  TCanvas* cv = Canvas();
  cv->Font()->Assign(Font());
  switch (cg->CellType()) {
    case ctIcon:
    case ctBitmap: {
      TObject* held = cg->CellType() == ctIcon ? cg->CellIcon() : cg->CellBitmap();
      const TPoint g = GraphicSize(held);
      Size.X = BesideText(ha) || noText ? g.X : 0;
      Size.Y = cg->CellType() == ctBitmap && !noText && !OverText(va) ? 0 : g.Y;
      break;
    }
    case ctPicture:
    case ctFilePicture: {
      const TPoint cs = CellSize(d, ARow);
      const int tx = 2 * FXYOffset.X, ty = 2 * FXYOffset.Y;
      cg->GetPictureSize(cs.X - tx - 1, cs.Y - ty - ExtraHeight - 1, !noText, Size);
      break;
    }
    case ctButton:
    case ctBitButton: {
      Size = TPoint(Low16(cg->CellIndex()), High16(cg->CellIndex()));
      if (!noText) {
        if (ha == haCenter) Size.X = 0;
        if (ha == haFull) Size.X = cv->TextWidth(cg->CellText()) + 4;
        if (!OverText(va)) Size.Y = 0;
        if (OverText(va)) Size.X = 0;
      } else if (ha == haFull) {
        Size.X = cv->TextWidth(cg->CellText()) + 4;
      }
      break;
    }
    case ctInterface: {
      // A side the application object leaves at 0 is the cell's.
      const TPoint cs = CellSize(d, ARow);
      auto* draw = dynamic_cast<ICellDraw*>(cg->CellBitmap());
      Size = draw ? TPoint(draw->GetWidth(), draw->GetHeight()) : TPoint(0, 0);
      if (Size.X == 0 || Size.Y == 0) Size = cs;
      break;
    }
    case ctImageList:
    case ctDataImage:
      if (TImageList* il = GetCellImageList(ACol, ARow)) {
        Size.X = BesideText(ha) || noText ? il->Width() : 0;
        Size.Y = OverText(va) || noText ? il->Height() : 0;
      }
      break;
    case ctProgressPie:
      Size = TPoint(20, 20);
      break;
    case ctRadio:
      if (auto* items = dynamic_cast<TStrings*>(cg->CellBitmap())) {
        const int th = cv->TextHeight(u"gh");
        if (cg->CellBoolean()) {
          for (int i = 0; i < items->Count(); ++i) Size.X += cv->TextWidth(items->Strings(i)) + 12;
          Size.Y = th;
        } else {
          int widest = 0;
          for (int i = 0; i < items->Count(); ++i) widest = std::max(widest, cv->TextWidth(items->Strings(i)));
          Size.X = 12 + widest;
          Size.Y = std::max(16, th) * items->Count();
        }
      }
      break;
    case ctRating:
      Size = TPoint(cg->CellAngle() * 18, 16);
      break;
    case ctImages:
      if (TImageList* il = GetCellImageList(ACol, ARow)) {
        const int n = GetCellImages(ACol, ARow) ? GetCellImages(ACol, ARow)->Count() : 0;
        Size = cg->CellBoolean() ? TPoint(n * il->Width(), il->Height()) : TPoint(il->Width(), n * il->Height());
      }
      break;
    default:
      ControlGlyphSize(cg->CellType(), FControlLook.get(), Size);
      break;
  }
  const bool buttonCaptionOnly = (cg->CellType() == ctButton || cg->CellType() == ctBitButton) && noText &&
                                 !cg->CellText().empty();
  if (va == vaFull || (ha == haFull && cg->CellType() != ctRating && !buttonCaptionOnly)) {
    const TPoint cs = CellSize(d, ARow);
    if (va == vaFull) Size.Y = cs.Y;
    if (ha == haFull) Size.X = cs.X;
  }
}

void TAdvStringGrid::MeasurePrintGraphic(int ACol, int ARow, TPoint& Size, double Scale, int MaxWidth,
                                         int MaxHeight) {
  Size = TPoint(0, 0);
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg) return;
  const int d = DisplColIndex(ACol);
  switch (cg->CellType()) {
    case ctBitmap:
      Size = GraphicSize(cg->CellBitmap());
      break;
    case ctIcon:
      Size = GraphicSize(cg->CellIcon());
      break;
    case ctImageList:
      if (TImageList* il = GetCellImageList(ACol, ARow)) {
        const bool noText = GetCellEx(ACol, ARow).empty();
        Size = TPoint(BesideText(cg->CellHAlign()) || noText ? il->Width() : 0, il->Height());
      }
      break;
    case ctDataImage:
      if (TImageList* il = GetCellImageList(ACol, ARow)) Size = TPoint(il->Width(), il->Height());
      break;
    case ctNode:
    case ctProgressPie:
      Size = TPoint(20, 20);
      break;
    case ctRadio:
    case ctImages: {
      // As on screen, without the full-width rule.
      const TCellHAlign ha = cg->CellHAlign();
      const TCellVAlign va = cg->CellVAlign();
      cg->SetCellHAlign(haLeft);
      cg->SetCellVAlign(vaTop);
      MeasureCellGraphic(ACol, ARow, Size, 0);
      cg->SetCellHAlign(ha);
      cg->SetCellVAlign(va);
      break;
    }
    case ctPicture:
    case ctFilePicture: {
      TPoint s;
      cg->GetPictureSize(MaxWidth, MaxHeight, !GetCellEx(ACol, ARow).empty(), s);
      if (Scale > 0) Size = TPoint(static_cast<int>(std::lround(s.X / Scale)), static_cast<int>(std::lround(s.Y / Scale)));
      break;
    }
    case ctProgress:
    case ctXPProgress:
      Size = TPoint(ColWidths(d), RowHeights(ARow));
      break;
    case ctButton:
    case ctBitButton:
      Size = TPoint(Low16(cg->CellIndex()), High16(cg->CellIndex()));
      break;
    case ctInterface: {
      const TPoint cs = CellSize(d, ARow);
      auto* draw = dynamic_cast<ICellDraw*>(cg->CellBitmap());
      Size = draw ? TPoint(draw->GetWidth(), draw->GetHeight()) : TPoint(0, 0);
      if (Size.X == 0) Size.X = cs.X;
      if (Size.Y == 0) Size.Y = cs.Y;
      break;
    }
    case ctShape: {
      const int s = RowHeights(ARow) - 2 * FXYOffset.Y;
      Size = TPoint(s, s);
      break;
    }
    default:
      ControlGlyphSize(cg->CellType(), FControlLook.get(), Size);
      break;
  }
}

// ---- display hooks ----

void TAdvStringGrid::DoGetDisplText(int RCol, int DRow, String& Value) {
  TBaseGrid::DoGetDisplText(RCol, DRow, Value);
  if (FURLShowInText) {
    static const char16_t* const kPrefixes[] = {u"HTTP://", u"WWW.",    u"MAILTO:", u"HTTPS://",
                                                u"NNTP://", u"FILE://", u"FTP://"};
    for (const char16_t* prefix : kPrefixes) {
      String anchored;
      if (InsertURLAnchor(Value, prefix, anchored)) {
        Value = anchored;
        break;
      }
    }
  }
  if (FGrouping->ShowGroupCount() && RCol == 1) {
    if (TCellGraphic* node = NodeObject(DRow)) {
      const int n = NodeSpan(DRow) - node->CellErrFrom() - 1;
      const String& fmt = FGrouping->GroupCountFormat();
      String count = u" (" + IntToStr(n) + u")";
      if (!fmt.empty()) {
        // A format that does not fit one integer must not break painting: the plain count.
        try {
          count = Format(fmt, {n});
        } catch (const EConvertError&) {
        }
      }
      Value += count;
    }
  }
}

int TAdvStringGrid::GetRowIndent(int DRow) {
  if (DRow < 0 || !HasNodes() || !HasCellProperties(0, DRow)) return 0;
  return GetCellProperties(0, DRow)->NodeLevel() * FCellNode->NodeIndent();
}

bool TAdvStringGrid::HasNodes() {
  // Painting asks for every cell: a grid whose properties hold no node object (every cell object
  // hangs on properties the grid owns) answers without walking its rows.
  bool any = false;
  for (TCellProperties* p : OwnedCellProperties()) {
    auto* cg = dynamic_cast<TCellGraphic*>(p->GraphicObject());
    if (cg && cg->CellType() == ctNode) {
      any = true;
      break;
    }
  }
  if (!any) return false;
  for (int r = 0; r < RowCount(); ++r)
    if (NodeObject(r)) return true;
  for (int i = 0; i < FGridItems->Count(); ++i) {
    TStrings* items = static_cast<TGridItem*>(FGridItems->Items(i))->Items();
    if (items->Count() == 0) continue;
    auto* p = dynamic_cast<TCellProperties*>(items->Objects(0));
    auto* cg = p ? dynamic_cast<TCellGraphic*>(p->GraphicObject()) : nullptr;
    if (cg && cg->CellType() == ctNode) return true;
  }
  return false;
}

bool TAdvStringGrid::IsSortIndicatorCell(int ACol, int ARow) {
  int r = ARow;
  if (ACol >= 0 && ARow >= 0 && IsMergedCell(ACol, ARow)) r += CellSpan(ACol, ARow).Y;
  return r == FSortSettings->Row() && FSortSettings->Show() && RowCount() > FixedRows() + 1;
}

bool TAdvStringGrid::IsPasswordCell(int ACol, int ARow) {
  bool pw = false;
  DoIsPasswordCell(ACol, ARow, pw);
  return pw;
}

void TAdvStringGrid::ApplyActiveStyleColors() {
  // No application style manager exists here, so no style is ever in use.
  FActiveStyleInUse = false;
}

// ---- helpers ----

TCellGraphic* TAdvStringGrid::NodeObject(int DRow) {
  if (DRow < 0 || DRow >= RowCount()) return nullptr;
  auto* cg = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(0, DRow));
  return cg && cg->CellType() == ctNode ? cg : nullptr;
}

int TAdvStringGrid::NodeSpan(int DRow) {
  TCellGraphic* node = NodeObject(DRow);
  if (!node) return 0;
  if (node->CellIndex() > 0) return node->CellIndex();
  int r = DRow + 1;
  while (r < RowCount() && !NodeObject(r)) ++r;
  return r - DRow;
}

int TAdvStringGrid::ParentNodeRow(int DRow) {
  for (int r = DRow - 1; r >= 0; --r)
    if (NodeObject(r) && r + NodeSpan(r) > DRow) return r;
  return -1;
}

void TAdvStringGrid::RepaintRealCell(int RCol, int DRow) { RepaintCell(DisplColIndex(RCol), DRow); }
