#include "grid/dropdown/AdvColorSelector.h"

#include <algorithm>
#include <array>

namespace {

// The palette, ten boxes a row: a row standing alone, then five rows joined into strips.
constexpr std::array<std::array<TColor, 10>, 6> kPaletteRows = {{
    {0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7},
    {0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD},
    {0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB},
    {0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA},
    {0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3},
    {0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897},
}};
constexpr std::array<TItemPos, 6> kPaletteRowPos = {ipStandAlone, ipTop, ipMiddle, ipMiddle, ipMiddle, ipBottom};

}  // namespace

void TColorBoxItem::SetColor(TColor Value) { StoreItemAndNotify(FColor, Value, Collection()); }

void TColorBoxItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TColorBoxItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetColor(s->FColor);
  FEnabled = s->FEnabled;
}

void TColorBoxAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TColorBoxAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  BorderColor = s->BorderColor;
  OuterBorderColorHot = s->OuterBorderColorHot;
  InnerBorderColorHot = s->InnerBorderColorHot;
  OuterBorderColorSelected = s->OuterBorderColorSelected;
  InnerBorderColorSelected = s->InnerBorderColorSelected;
}

// ---- the palette chooser ---------------------------------------------------------------------------

TCustomColorSelector::TCustomColorSelector(TComponent* AOwner)
    : TAdvCustomColorSelectorPanel(AOwner),
      FColorBoxAppearance(std::make_unique<TColorBoxAppearance>()),
      FItems(std::make_unique<TColorBoxItems>(this)) {
  SetItemColorStyle(scOffice2007);
  SetParentColor(true);
}

TCustomColorSelector::~TCustomColorSelector() = default;

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle Value) {
  if (Value == FItemColorStyle) return;
  FItemColorStyle = Value;
  if (Value == scCustom) return;
  FColorBoxAppearance->OuterBorderColorSelected = 0x0000FF;
  FColorBoxAppearance->InnerBorderColorSelected = 0x94E2FF;
  FColorBoxAppearance->OuterBorderColorHot = 0x3694F2;
  FColorBoxAppearance->InnerBorderColorHot = 0x94E2FF;
  FColorBoxAppearance->BorderColor = 0xC5C5C5;
}

void TCustomColorSelector::SetColumns(int Value) {
  if (Value == FColumns) return;
  FColumns = Value;
  UpdateItemRects();
}
void TCustomColorSelector::SetColumnGap(int Value) {
  if (Value == FColumnGap) return;
  FColumnGap = Value;
  UpdateItemRects();
}
void TCustomColorSelector::SetColorBoxHeight(int Value) {
  if (Value == FColorBoxHeight) return;
  FColorBoxHeight = Value;
  UpdateItemRects();
}
void TCustomColorSelector::SetColorBoxWidth(int Value) {
  if (Value == FColorBoxWidth) return;
  FColorBoxWidth = Value;
  UpdateItemRects();
}

void TCustomColorSelector::AddPaletteColors() {
  FItems->Clear();
  for (size_t r = 0; r < kPaletteRows.size(); ++r)
    for (TColor c : kPaletteRows[r]) {
      TColorBoxItem* item = FItems->Add();
      item->SetColor(c);
      item->SetColorBoxPos(kPaletteRowPos[r]);
    }
}

void TCustomColorSelector::SetItemIndex(int Index) {
  if (ValidIndex(Index) && !FItems->Items(Index)->Enabled()) return;
  // Only an existing box or none can be selected.
  if (Index < -1 || Index >= FItems->Count()) return;
  if (FItemIndex >= 0 && Index != FItemIndex) {
    const int old = FItemIndex;
    FItemIndex = -1;
    InvalidateItem(old);
  }
  FItemIndex = Index;
  if (Index < 0) return;
  FSelectedColor = FItems->Items(Index)->Color();
  InvalidateRect(this, GetItemRect(Index), false);
  if (OnItemSelect) OnItemSelect(this);
}

void TCustomColorSelector::SetItemHot(int Index) {
  if (Index == FItemHot) return;
  if (ValidIndex(Index) && !FItems->Items(Index)->Enabled()) return;
  if (FItemHot >= 0) {
    const int old = FItemHot;
    FItemHot = -1;
    InvalidateItem(old);
  }
  FItemHot = Index;
  if (Index >= 0) InvalidateRect(this, GetItemRect(Index), false);
}

void TCustomColorSelector::SetSelectedColor(TColor Value) {
  if (Value == FSelectedColor) return;
  FSelectedColor = Value;
  if (Value == clNone) SetItemIndex(-1);
  for (int i = 0; i < FItems->Count(); ++i) {
    if (FItems->Items(i)->Color() == Value) {
      SetItemIndex(i);
      return;
    }
  }
  SetItemIndex(-1);
}

void TCustomColorSelector::SelectFirst() {
  if (FItems->Count() > 0) SetItemIndex(0);
}
void TCustomColorSelector::SelectLast() {
  if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}
void TCustomColorSelector::SelectNext() {
  if (FItems->Count() > 0 && FItemIndex + 1 < FItems->Count()) SetItemIndex(FItemIndex + 1);
}
void TCustomColorSelector::SelectPrevious() {
  if (FItems->Count() > 0 && FItemIndex - 1 >= 0) SetItemIndex(FItemIndex - 1);
}
void TCustomColorSelector::HotNext() {
  if (FItems->Count() > 0 && FItemHot + 1 < FItems->Count()) SetItemHot(FItemHot + 1);
}
void TCustomColorSelector::HotPrevious() {
  if (FItems->Count() > 0 && FItemHot - 1 >= 0) SetItemHot(FItemHot - 1);
}

void TCustomColorSelector::HandleKey(Word Key, bool EditorEnabled, bool DroppedDown) {
  if (!Enabled()) return;
  switch (Key) {
    case VK_PRIOR:
    case VK_HOME: SelectFirst(); break;
    case VK_NEXT:
    case VK_END: SelectLast(); break;
    case VK_LEFT:
    case VK_RIGHT:
      if (EditorEnabled && !DroppedDown) break;
      Key == VK_LEFT ? SelectPrevious() : SelectNext();
      break;
    case VK_UP:
    case VK_DOWN:
      if (!DroppedDown) {
        Key == VK_UP ? SelectPrevious() : SelectNext();
      } else {
        const int v = FItemIndex < 0 ? 0 : FItemIndex + (Key == VK_UP ? -FColumns : FColumns);
        if (ValidIndex(v)) SetItemIndex(v);
      }
      break;
    default: break;
  }
}

int TCustomColorSelector::ItemAtPos(int X, int Y) const {
  for (int i = 0; i < FItems->Count(); ++i)
    if (PtInRect(FItems->Items(i)->Rect(), Point(X, Y))) return i;
  return -1;
}

TRect TCustomColorSelector::GetItemRect(int Index) const {
  return ValidIndex(Index) ? FItems->Items(Index)->Rect() : TRect{-1, -1, -1, -1};
}

void TCustomColorSelector::InvalidateItem(int Index) {
  if (!ValidIndex(Index)) return;
  const TRect r = GetItemRect(Index);
  // The frame lines run through the right and bottom edges (one pixel further down at a strip's end).
  InvalidateRect(this, Rect(r.Left, r.Top, r.Right + 1, r.Bottom + 2), true);
}

void TCustomColorSelector::GetItemArea(TRect& R) const {
  const TRect c = ClientRect();
  R = Rect(c.Left + FOffSetX, c.Top + FOffSetY, c.Right - FOffSetX, c.Bottom - FOffSetY);
}

void TCustomColorSelector::GetItemSize(int& Width, int& Height) const {
  Width = FColorBoxWidth;
  Height = FColorBoxHeight;
}

void TCustomColorSelector::UpdateItemRects() {
  if (FItems->Count() == 0) {
    SetBounds(Left(), Top(), 100, 50);
    return;
  }
  FItemHot = -1;
  int w = 0, h = 0;
  GetItemSize(w, h);
  TRect area;
  GetItemArea(area);
  const int x0 = area.Left, y0 = area.Top;
  int x = x0, y = y0, widest = 0, inRow = 0;
  bool gap = false;
  for (int i = 0; i < FItems->Count(); ++i) {
    TColorBoxItem* item = FItems->Items(i);
    item->SetRect(Rect(x, y, x + w, y + h));
    ++inRow;
    if (i == FItems->Count() - 1) break;
    if (item->ColorBoxPos() == ipStandAlone) gap = true;
    if (inRow < FColumns) {
      x += w + FColumnGap;
    } else {
      if (gap) {
        y += FColumnGap;
        gap = false;
      }
      y += h;
      widest = std::max(widest, x);
      x = x0;
      inRow = 0;
    }
  }
  SetBounds(Left(), Top(), std::max(x, widest) + w + x0 + 1, y + h + y0);
  Invalidate();
}

void TCustomColorSelector::DrawItem(int Index, TCanvas* Canvas) {
  if (!ValidIndex(Index) || !Canvas) return;
  TColorBoxItem* item = FItems->Items(Index);
  TRect r = item->Rect();
  if (r.Left < 0 && r.Right < 0) return;
  const TColorBoxAppearance* a = FColorBoxAppearance.get();
  TColor outer = a->BorderColor, inner = clNone;
  const bool selected = Index == FItemIndex, hot = Index == FItemHot;
  if (hot) {
    outer = a->OuterBorderColorHot;
    inner = a->InnerBorderColorHot;
  }
  if (selected) {
    outer = a->OuterBorderColorSelected;
    inner = a->InnerBorderColorSelected;
  }
  Canvas->Pen()->SetWidth(1);
  if (item->Color() != clNone) {
    Canvas->Pen()->SetColor(item->Color());
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(item->Color());
    Canvas->Rectangle(r);
  }
  if (hot || selected) {
    Canvas->Brush()->SetStyle(bsClear);
    if (outer != clNone) {
      Canvas->Pen()->SetColor(outer);
      Canvas->Rectangle(r);
      r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    if (inner != clNone) {
      Canvas->Pen()->SetColor(inner);
      Canvas->Rectangle(r);
    }
    return;
  }
  Canvas->Pen()->SetColor(a->BorderColor);
  switch (item->ColorBoxPos()) {
    case ipStandAlone:
      Canvas->MoveTo(r.Left, r.Bottom);
      Canvas->LineTo(r.Left, r.Top);
      Canvas->LineTo(r.Right, r.Top);
      Canvas->LineTo(r.Right, r.Bottom);
      Canvas->LineTo(r.Left, r.Bottom);
      break;
    case ipTop:
      Canvas->MoveTo(r.Left, r.Bottom);
      Canvas->LineTo(r.Left, r.Top);
      Canvas->LineTo(r.Right, r.Top);
      Canvas->LineTo(r.Right, r.Bottom);
      break;
    case ipMiddle:
      Canvas->MoveTo(r.Left, r.Top);
      Canvas->LineTo(r.Left, r.Bottom);
      Canvas->MoveTo(r.Right, r.Top);
      Canvas->LineTo(r.Right, r.Bottom);
      break;
    case ipBottom:
      Canvas->MoveTo(r.Left, r.Top);
      Canvas->LineTo(r.Left, r.Bottom);
      Canvas->LineTo(r.Right, r.Bottom);
      Canvas->MoveTo(r.Right, r.Top);
      Canvas->LineTo(r.Right, r.Bottom + 1);
      break;
  }
}

void TCustomColorSelector::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  for (int i = 0; i < FItems->Count(); ++i) DrawItem(i, c);
}

void TCustomColorSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TAdvCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
  const int k = ItemAtPos(X, Y);
  if (k >= 0 && FItems->Items(k)->Enabled()) SetItemIndex(k);
}

void TCustomColorSelector::MouseMove(TShiftState Shift, int X, int Y) {
  TAdvCustomColorSelectorPanel::MouseMove(Shift, X, Y);
  const int k = ItemAtPos(X, Y);
  if (k < 0) {
    if (FItemHot >= 0) SetItemHot(-1);
  } else if (k != FItemHot) {
    SetItemHot(FItems->Items(k)->Enabled() ? k : -1);
  }
}

void TCustomColorSelector::WndProc(TMessage& Message) {
  TAdvCustomColorSelectorPanel::WndProc(Message);
  if (Message.Msg == CM_MOUSELEAVE && FItemHot >= 0) SetItemHot(-1);
}
