#include "grid/dropdown/AdvItemSelector.h"

#include <algorithm>
#include <array>

#include "grid/dropdown/AdvDropDownDraw.h"
#include "grid/dropdown/AdvDropDownForm.h"
#include "grid/foundation/AsgHTMLE.h"
#include "grid/foundation/ZazAdezDraw.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"

bool AppendTypeAheadKey(String& Search, Word Key) {
  if ((Key >= u'A' && Key <= u'Z') || (Key >= u'0' && Key <= u'9')) {
    Search += static_cast<Char>(Key);
    return true;
  }
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9) {
    Search += static_cast<Char>(u'0' + (Key - VK_NUMPAD0));
    return true;
  }
  return false;
}

int ListStepIndex(TListStep Step, int Current, int Count) {
  if (Count <= 0) return -1;
  switch (Step) {
    case TListStep::First: return 0;
    case TListStep::Last: return Count - 1;
    case TListStep::Next: return Current == -1 ? 0 : Current + 1 < Count ? Current + 1 : -1;
    case TListStep::Previous: return Current == -1 ? 0 : Current - 1;
  }
  return -1;
}

TTypeAheadSearch::TTypeAheadSearch(TComponent* Owner) : FTimer(new TTimer(Owner)) {
  FTimer->SetEnabled(false);
  FTimer->SetInterval(500);
  FTimer->OnTimer = [this](TObject*) {
    FTimer->SetEnabled(false);
    FText.clear();
  };
}

TTypeAheadSearch::~TTypeAheadSearch() {
  FTimer->SetEnabled(false);
  FTimer->OnTimer = nullptr;
}

bool TTypeAheadSearch::Add(Word Key) {
  if (!AppendTypeAheadKey(FText, Key)) return false;
  FTimer->SetEnabled(true);  // a running timer goes on: the search ends 500 ms after its first key
  return true;
}

// ---- items --------------------------------------------------------------------------------------

TSelectorItem::TSelectorItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>()) {}

TSelectorItem::~TSelectorItem() = default;

void TSelectorItem::SetCaption(const String& Value) {
  StoreItemAndNotify(FCaption, Value, Collection());
}
void TSelectorItem::SetColor(TColor Value) { StoreItemAndNotify(FColor, Value, Collection()); }
void TSelectorItem::SetImageIndex(int Value) {
  StoreItemAndNotify(FImageIndex, Value, Collection());
}

void TSelectorItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TSelectorItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetCaption(s->FCaption);
  SetColor(s->FColor);
  SetImageIndex(s->FImageIndex);
  FImage->Assign(s->FImage.get());
  FEnabled = s->FEnabled;
  FHint = s->FHint;
}

// ---- appearance -----------------------------------------------------------------------------------

TItemAppearance::TItemAppearance(TPersistent* AOwner) : FOwner(AOwner), FFont(std::make_unique<TFont>()) {
  FFont->SetName(u"Tahoma");
  SetColorStyle(scOffice2007);
  ColorSelectedText = clBlack;
  ColorHotText = clBlack;
  BorderColorHot = clNone;
  BorderColorSelected = clNone;
}

TItemAppearance::~TItemAppearance() = default;

namespace {

struct TItemPreset {
  TColor Hot, HotTo, MirrorHot, MirrorHotTo, Top, Bottom, Border, Edge, Selected, SelectedTo, MirrorSelected,
      MirrorSelectedTo;
};

constexpr TItemPreset kItemPresetOffice2007{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF,
                                            0x8DD7D3, 0xC3D9DF, 0xA6FFFB, 0x04B9F4, 0x15C1FB, 0x68E3F9};
constexpr TItemPreset kItemPresetVista{0xFDF8F1, 0xFCEFD5, clNone,   clNone,   0xFDFBF6, 0xFDF5E7,
                                       0xFDDE99, 0xFCEDCB, 0xFAEEDE, 0xFAE3B4, clNone,   clNone};
constexpr TItemPreset kItemPresetWindows7{0xFCEBDC, 0xFCDBC1, clNone,   clNone,   0xFDF4EB, 0xFDEADB,
                                          0xCEA27D, 0xE0C5AE, 0xF9D8B9, 0xFBCAA2, clNone,   clNone};

}  // namespace

void TItemAppearance::SetColorStyle(TSelectionColorStyle Value) {
  if (Value == FColorStyle) return;
  FColorStyle = Value;
  const TItemPreset* p = Value == scOffice2007     ? &kItemPresetOffice2007
                         : Value == scWindowsVista ? &kItemPresetVista
                         : Value == scWindows7     ? &kItemPresetWindows7
                                                   : nullptr;
  if (!p) return;
  ColorHot = p->Hot;
  ColorHotTo = p->HotTo;
  ColorMirrorHot = p->MirrorHot;
  ColorMirrorHotTo = p->MirrorHotTo;
  BorderColorTop = p->Top;
  BorderColorBottom = p->Bottom;
  BorderColor = p->Border;
  EdgeColor = p->Edge;
  ColorSelected = p->Selected;
  ColorSelectedTo = p->SelectedTo;
  ColorMirrorSelected = p->MirrorSelected;
  ColorMirrorSelectedTo = p->MirrorSelectedTo;
}

void TItemAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TItemAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  ColorHot = s->ColorHot;
  ColorHotTo = s->ColorHotTo;
  ColorMirrorHot = s->ColorMirrorHot;
  ColorMirrorHotTo = s->ColorMirrorHotTo;
  BorderColorTop = s->BorderColorTop;
  BorderColorBottom = s->BorderColorBottom;
  BorderColor = s->BorderColor;
  EdgeColor = s->EdgeColor;
  ColorSelected = s->ColorSelected;
  ColorSelectedTo = s->ColorSelectedTo;
  ColorMirrorSelected = s->ColorMirrorSelected;
  ColorMirrorSelectedTo = s->ColorMirrorSelectedTo;
  FFont->Assign(s->FFont.get());
  SetColorStyle(s->FColorStyle);
  ColorSelectedText = s->ColorSelectedText;
  ColorHotText = s->ColorHotText;
  BorderColorHot = s->BorderColorHot;
  BorderColorSelected = s->BorderColorSelected;
}

void SetItemAppearanceStyle(TItemAppearance* A, TQELStyle Style) {
  if (!A || Style == tsCustom) return;
  A->BorderColorHot = clNone;
  A->BorderColorSelected = clNone;
  A->ColorSelectedText = clBlack;
  A->ColorHotText = clBlack;
  // Hot, HotTo, MirrorHot, MirrorHotTo, Selected, SelectedTo, MirrorSelected, MirrorSelectedTo,
  // Border, Top, Bottom, Edge.
  const auto set = [A](std::array<TColor, 12> c) {
    A->ColorHot = c[0];
    A->ColorHotTo = c[1];
    A->ColorMirrorHot = c[2];
    A->ColorMirrorHotTo = c[3];
    A->ColorSelected = c[4];
    A->ColorSelectedTo = c[5];
    A->ColorMirrorSelected = c[6];
    A->ColorMirrorSelectedTo = c[7];
    A->BorderColor = c[8];
    A->BorderColorTop = c[9];
    A->BorderColorBottom = c[10];
    A->EdgeColor = c[11];
  };
  switch (Style) {
    case tsOffice2003Blue:
    case tsOffice2003Silver:
    case tsOffice2003Olive:
    case tsWhidbey:
      set({0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE, clNone, clNone,
           clNone});
      break;
    case tsOffice2007Luna:
    case tsOffice2007Obsidian:
    case tsOffice2007Silver:
      set({0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE, 0xF4FEFF,
           0xCAF8FF, 0xC3D9DF});
      break;
    case tsOffice2003Classic:
      set({0xD2BDB6, 0xD2BDB6, clNone, clNone, 0xB59285, 0xB59285, clNone, clNone, 0x808080, clNone, clNone, clNone});
      break;
    case tsWindowsXP:
      set({0xEFD3C6, 0xEFD3C6, clNone, clNone, clHighlight, clNone, clNone, clNone, clHighlight, clNone, clNone,
           clNone});
      A->ColorSelectedText = clHighlightText;
      break;
    case tsWindowsVista:
      set({0xFFFDF9, 0xFFFAF0, clNone, clNone, 0xFEF9F0, 0xFDF0D7, clNone, clNone, 0xFEDF9A, 0xFDFBF6, 0xFDF5E7,
           0xFCEDCB});
      break;
    case tsWindows7:
      set({0xFDFBFA, 0xFDF3EB, clNone, clNone, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB,
           0xE0C5AE});
      break;
    case tsTerminal:
      set({0xC0C0C0, 0xC0C0C0, clNone, clNone, clHighlight, clNone, clNone, clNone, 0x808080, clNone, clNone, clNone});
      A->ColorSelectedText = clHighlightText;
      break;
    case tsOffice2010Blue:
    case tsOffice2010Silver:
    case tsOffice2010Black:
      set({0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2, clNone, clNone,
           clNone});
      A->ColorSelectedText = clBlack;
      break;
    default: break;
  }
}

// ---- the scrolling selector --------------------------------------------------------------------------

TAdvCustomItemSelector::TAdvCustomItemSelector(TComponent* AOwner)
    : TScrollingWinControl(AOwner),
      FItems(std::make_unique<TSelectorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)) {
  FItems->OnChange = [this](TObject*) { UpdateSelectorPanel(); };
  FItemLayout = ilCaptionRight;
  FItemAppearance->OnChange = [](TObject*) {};
  FColumns = 1;
  FColorBoxWidth = 14;
  FColorBoxHeight = 14;
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 150, 150);
  SetAutoScroll(true);
  CreateSelectorPanel();
  UpdateSelectorPanel();
}

TAdvCustomItemSelector::~TAdvCustomItemSelector() {
  FItems->OnChange = nullptr;
  if (FImages) FImages->RemoveFreeNotification(this);
}

void TAdvCustomItemSelector::CreateSelectorPanel() {
  if (FSelectorPanel) return;
  FSelectorPanel = new TCustomItemSelector(this);
  FSelectorPanel->SetParent(this);
  FSelectorPanel->OnItemSelect = [this](TObject*) {
    if (OnItemSelect) OnItemSelect(this);
  };
}

void TAdvCustomItemSelector::SetColumns(int Value) {
  if (Value < 1 || Value == FColumns) return;
  FColumns = Value;
  UpdateSelectorPanel();
}

int TAdvCustomItemSelector::ItemIndex() const { return FSelectorPanel ? FSelectorPanel->ItemIndex() : -1; }
int TAdvCustomItemSelector::ItemHot() const { return FSelectorPanel ? FSelectorPanel->ItemHot() : -1; }

void TAdvCustomItemSelector::SetItemIndex(int Value) {
  if (!FSelectorPanel) return;
  FSelectorPanel->SetItemIndex(Value);
  ScrollItemInView(Value);
}

void TAdvCustomItemSelector::SetSelectorType(TSelectorType Value) {
  if (Value == FSelectorType) return;
  FSelectorType = Value;
  UpdateSelectorPanel();
}

void TAdvCustomItemSelector::SetImages(TImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  UpdateSelectorPanel();
}

void TAdvCustomItemSelector::SetColorBoxWidth(int Value) {
  if (Value == FColorBoxWidth) return;
  FColorBoxWidth = Value;
  UpdateSelectorPanel();
}

void TAdvCustomItemSelector::SetColorBoxHeight(int Value) {
  if (Value == FColorBoxHeight) return;
  FColorBoxHeight = Value;
  UpdateSelectorPanel();
}

void TAdvCustomItemSelector::Notification(TComponent* AComponent, TOperation Operation) {
  TScrollingWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages && !IsDestroying()) FImages = nullptr;
}

void TAdvCustomItemSelector::UpdateSelectorPanel() {
  if (FSelectorPanel) FSelectorPanel->UpdateItemRects();
}

void TAdvCustomItemSelector::SelectFirst() {
  if (!FSelectorPanel) return;
  FSelectorPanel->SelectFirst();
  ScrollItemInView(FSelectorPanel->ItemIndex());
}

void TAdvCustomItemSelector::SelectLast() {
  if (!FSelectorPanel) return;
  FSelectorPanel->SelectLast();
  ScrollItemInView(FSelectorPanel->ItemIndex());
}

void TAdvCustomItemSelector::SelectNext() {
  if (!FSelectorPanel) return;
  FSelectorPanel->SelectNext();
  ScrollItemInView(FSelectorPanel->ItemIndex());
}

void TAdvCustomItemSelector::SelectPrevious() {
  if (!FSelectorPanel) return;
  FSelectorPanel->SelectPrevious();
  ScrollItemInView(FSelectorPanel->ItemIndex());
}

void TAdvCustomItemSelector::HotNext() {
  if (!FSelectorPanel) return;
  FSelectorPanel->HotNext();
  ScrollItemInView(FSelectorPanel->ItemHot());
}

void TAdvCustomItemSelector::HotPrevious() {
  if (!FSelectorPanel) return;
  FSelectorPanel->HotPrevious();
  ScrollItemInView(FSelectorPanel->ItemHot());
}

bool TAdvCustomItemSelector::LookupItem(const String& S) {
  return FSelectorPanel ? FSelectorPanel->LookupItem(S) : false;
}

void TAdvCustomItemSelector::ScrollItemInView(int Index) {
  if (!FSelectorPanel || Index < 0 || Index >= FItems->Count() || !VertScrollBar()->IsScrollBarVisible()) return;
  TRect r = FSelectorPanel->GetItemRect(Index);
  const int margin = VertScrollBar()->Margin();
  r.Top -= margin;
  r.Bottom += margin;
  OffsetRect(r, FSelectorPanel->Left(), FSelectorPanel->Top());
  const int client = ClientHeight();
  if (r.Top < 0) {
    VertScrollBar()->SetPosition(VertScrollBar()->Position() + r.Top);
  } else if (r.Bottom > client) {
    if (r.Height() > client) r.Bottom = r.Top + client;
    VertScrollBar()->SetPosition(VertScrollBar()->Position() + r.Bottom - client);
  }
}

int TAdvCustomItemSelector::GetVisibleItemCount() {
  if (!FSelectorPanel || FItems->Count() == 0) return 0;
  const int cell = FSelectorPanel->GetItemRect(0).Height();
  // A sizing event may make the cells 0 high: no row counts as visible then.
  if (cell <= 0) return 0;
  const int h = Height() - (HorzScrollBar()->IsScrollBarVisible() ? 20 : 0);
  return h / cell * FColumns;
}

void TAdvCustomItemSelector::GetSelectorPanelSize(int& W, int& H) const {
  if (!FSelectorPanel) {
    W = 100;
    H = 50;
    return;
  }
  W = FSelectorPanel->Width();
  H = FSelectorPanel->Height();
}

void TAdvCustomItemSelector::WndProc(TMessage& Message) {
  if (Message.Msg == WM_VSCROLL) {
    TScrollingWinControl::WndProc(Message);
    // The items follow the thumb while it is dragged.
    if ((Message.WParam & 0xFFFF) == SB_THUMBTRACK) VertScrollBar()->SetPosition(static_cast<int>(WParamHi(Message.WParam)));
    return;
  }
  TScrollingWinControl::WndProc(Message);
}

void SizeItemSelectorPopup(TAdvCustomDropDown* DropDown, TAdvCustomItemSelector* Selector,
                           const std::function<void()>& BaseSizing) {
  Selector->SetAlign(alNone);
  int w = 0, h = 0;
  Selector->GetSelectorPanelSize(w, h);
  if (DropDown->DropDownWidth() < 1) Selector->SetWidth(w);
  if (DropDown->DropDownHeight() < 1) Selector->SetHeight(h);
  BaseSizing();
  TDropDownForm* form = DropDown->DropDownForm();
  if (!form) return;
  const int border = 2 * DropDown->DropDownBorderWidth();
  // The panel goes inside the popup's border, not under it.
  if (DropDown->DropDownWidth() < 1) form->SetWidth(std::max(form->Width(), w + border));
  const int strips = (form->Header() && form->Header()->Visible() ? form->Header()->Height() : 0) +
                     (form->Footer() && form->Footer()->Visible() ? form->Footer()->Height() : 0);
  if (h > form->Height() - border - strips) form->SetWidth(form->Width() + TScrollingWinControl::kScrollBarSize);
}

void RebuildSelectorItems(TAdvCustomItemSelector* Selector, int Count,
                          const std::function<void(int Index, TSelectorItem* Item)>& Fill) {
  TSelectorItems* items = Selector->Items();
  const TNotifyEvent changed = items->OnChange;
  items->OnChange = nullptr;
  items->Clear();
  for (int i = 0; i < Count; ++i) Fill(i, items->Add());
  items->OnChange = changed;
  Selector->UpdateSelectorPanel();
}

void ShowSelectedItem(TAdvCustomItemSelector* Selector) {
  if (!Selector) return;
  Selector->VertScrollBar()->SetPosition(0);
  Selector->ScrollItemInView(Selector->ItemIndex());
}

void HandleSelectorKey(Word Key, bool Ctrl, const TSelectorKeyTarget& T) {
  TAdvCustomItemSelector* sel = T.Selector;
  if (!sel) return;
  const auto internal = [&T](auto&& Step) {
    *T.InternalCall = true;
    Step();
    *T.InternalCall = false;
  };
  // Selects v in the selector and scrolls it into view.
  const auto select = [&](int v) {
    if (v >= sel->Items()->Count()) return;
    internal([&] { sel->SetItemIndex(v); });
    sel->ScrollItemInView(v);
  };
  switch (Key) {
    case VK_PRIOR:
    case VK_NEXT: {
      if (sel->Items()->Count() != T.Count) T.Sync();
      const int n = sel->GetVisibleItemCount();
      if (n < 1) break;
      if (Key == VK_PRIOR) {
        select(std::max(0, sel->ItemIndex() - n));
      } else {
        const int v = std::min(sel->ItemIndex() + n, T.Count - 1);
        if (v >= 0) select(v);
      }
      break;
    }
    case VK_END:
    case VK_HOME:
      if (T.DroppedDown) internal([&] { Key == VK_END ? sel->SelectLast() : sel->SelectFirst(); });
      else if (T.HomeEndWhileClosed || !T.EditorEnabled) T.Own(Key == VK_END ? TListStep::Last : TListStep::First);
      break;
    case VK_LEFT:
    case VK_RIGHT:
      if (!T.EditorEnabled && T.DroppedDown)
        internal([&] { Key == VK_LEFT ? sel->SelectPrevious() : sel->SelectNext(); });
      break;
    case VK_UP:
    case VK_DOWN:
      if (T.DroppedDown) {
        const int v = sel->ItemIndex() < 0 ? 0 : sel->ItemIndex() + (Key == VK_UP ? -T.Columns : T.Columns);
        if (v >= 0) select(v);
      } else {
        T.Own(Key == VK_UP ? TListStep::Previous : TListStep::Next);
      }
      break;
    default:
      // Only keys that give a letter or a digit join the search (not the Shift of a capital).
      if (!Ctrl && T.Search && (T.DroppedDown || T.SearchWhileClosed) && T.Search->Add(Key)) {
        if (sel->Items()->Count() != T.Count) T.Sync();
        internal([&] { sel->LookupItem(T.Search->Text()); });
      }
      break;
  }
}

// ---- the panel ------------------------------------------------------------------------------------

TCustomItemSelector::TCustomItemSelector(TComponent* AOwner) : TCustomControl(AOwner) {
  FAdvItemSelector = dynamic_cast<TAdvCustomItemSelector*>(AOwner);
  if (!FAdvItemSelector) throw Exception(u"Invalid parent");
  SetParentColor(true);
}

void TCustomItemSelector::DrawItemNow(int Index) { InvalidateRect(this, GetItemRect(Index), false); }

void TCustomItemSelector::SetItemIndex(int Value) {
  if (ValidIndex(Value) && !Items()->Items(Value)->Enabled()) return;
  // Only an existing item or none can be selected: a stored index past the end would report a
  // selection of nothing.
  if (Value < -1 || Value >= Count()) return;
  if (FItemIndex >= 0 && Value != FItemIndex) {
    const int old = FItemIndex;
    FItemIndex = -1;
    InvalidateItem(old);
  }
  FItemIndex = Value;
  if (Value >= 0) {
    DrawItemNow(Value);
    if (OnItemSelect) OnItemSelect(this);
  }
}

void TCustomItemSelector::SetItemHot(int Index) {
  if (Index == FItemHot) return;
  if (ValidIndex(Index) && !Items()->Items(Index)->Enabled()) return;
  if (FItemHot >= 0) {
    const int old = FItemHot;
    FItemHot = -1;
    InvalidateItem(old);
  }
  FItemHot = Index;
  if (Index >= 0) DrawItemNow(Index);
}

void TCustomItemSelector::SelectFirst() { Step(TListStep::First, false); }
void TCustomItemSelector::SelectLast() { Step(TListStep::Last, false); }
void TCustomItemSelector::SelectNext() { Step(TListStep::Next, false); }
void TCustomItemSelector::SelectPrevious() { Step(TListStep::Previous, false); }
void TCustomItemSelector::HotNext() { Step(TListStep::Next, true); }
void TCustomItemSelector::HotPrevious() { Step(TListStep::Previous, true); }

void TCustomItemSelector::Step(TListStep Step, bool Hot) {
  const int v = ListStepIndex(Step, Hot ? FItemHot : FItemIndex, Count());
  if (v < 0) return;
  if (Hot) SetItemHot(v);
  else SetItemIndex(v);
}

bool TCustomItemSelector::LookupItem(const String& S) {
  if (S.empty()) return false;
  for (int i = 0; i < Count(); ++i) {
    const String text = CaseFoldText(Trim(StripHTMLTags(Items()->Items(i)->Caption())), false);
    if (text.compare(0, S.size(), S) == 0) {
      SetItemIndex(i);
      return true;
    }
  }
  return false;
}

TRect TCustomItemSelector::GetItemRect(int Index) const {
  return ValidIndex(Index) ? Items()->Items(Index)->Rect() : TRect{-1, -1, -1, -1};
}

int TCustomItemSelector::ItemAtPos(int X, int Y) const {
  for (int i = 0; i < Count(); ++i)
    if (PtInRect(Items()->Items(i)->Rect(), Point(X, Y))) return i;
  return -1;
}

void TCustomItemSelector::InvalidateItem(int Index) {
  if (ValidIndex(Index)) InvalidateRect(this, GetItemRect(Index), true);
}

TRect TCustomItemSelector::GetItemArea() const {
  TRect r = ClientRect();
  return Rect(r.Left + OffSetX, r.Top + OffSetY, r.Right - OffSetX, r.Bottom - OffSetY);
}

void TCustomItemSelector::GetItemSize(int& W, int& H) {
  if (FAdvItemSelector->OnItemSize) {
    TSize size{0, 0};
    FAdvItemSelector->OnItemSize(this, size);
    W = size.cx;
    H = size.cy;
    return;
  }
  int cw = 0, ch = 0;
  if (SelectorType() == stColor) {
    cw = ColorBoxWidth();
    ch = ColorBoxHeight();
  }
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(FAdvItemSelector->ItemAppearance()->Font());
  int tw = 0, th = 0;
  for (int i = 0; i < Count(); ++i) {
    TSelectorItem* item = Items()->Items(i);
    if (SelectorType() == stImage) {
      TGraphic* g = item->Image()->Graphic();
      if (g && !g->Empty()) {
        cw = std::max(cw, g->Width());
        ch = std::max(ch, g->Height());
      } else if (Images() && item->ImageIndex() >= 0) {
        cw = std::max(cw, Images()->Width());
        ch = std::max(ch, Images()->Height());
      }
    }
    TPoint size{0, 0};
    DrawHTMLText(canvas, item->Caption(), Rect(0, 0, 1000, 500), size, this, false, Images());
    tw = std::max(tw, size.X);
    th = std::max(th, size.Y);
  }
  if (tw > 0) tw += 4;
  if (ItemLayout() == ilCaptionLeft || ItemLayout() == ilCaptionRight) {
    W = 2 * ItemOffSetX + (cw > 0 ? cw : 0) + (cw > 0 && tw > 0 ? CaptionGap : 0) + tw;
    H = std::max(th, ch) + 2 * ItemOffSetY;
  } else {
    W = std::max(tw, cw) + 2 * ItemOffSetX;
    H = 2 * ItemOffSetY + (ch > 0 ? ch : 0) + (ch > 0 && th >= 1 ? CaptionGap : 0) + (th >= 1 ? th : 0);
  }
}

void TCustomItemSelector::UpdateItemRects() {
  if (Count() == 0) {
    SetBounds(Left(), Top(), 100, 50);
    FAdvItemSelector->UpdateScrollBars();
    return;
  }
  FItemHot = -1;
  int w = 0, h = 0;
  GetItemSize(w, h);
  const TRect area = GetItemArea();
  const int x0 = area.Left, y0 = area.Top;
  int x = x0, y = y0, right = 0, inRow = 0;
  const int columns = std::max(1, Columns());
  for (int i = 0; i < Count(); ++i) {
    Items()->Items(i)->SetRect(Rect(x, y, x + w, y + h));
    right = std::max(right, x);
    ++inRow;
    if (i == Count() - 1) break;
    if (inRow < columns) {
      x += w;
    } else {
      y += h;
      x = x0;
      inRow = 0;
    }
  }
  SetBounds(Left(), Top(), right + w + x0, y + h + y0);
  FAdvItemSelector->UpdateScrollBars();
  Invalidate();
}

void TCustomItemSelector::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  for (int i = 0; i < Count(); ++i) DrawItem(i, c);
}

void TCustomItemSelector::DrawItem(int Index, TCanvas* Canvas) {
  if (!ValidIndex(Index) || !Canvas || !FAdvItemSelector) return;
  TSelectorItem* item = Items()->Items(Index);
  const TRect r = item->Rect();
  if (r.Left < 0 && r.Right < 0) return;
  const TItemAppearance* ap = FAdvItemSelector->ItemAppearance();
  const bool hot = Index == FItemHot, selected = Index == FItemIndex;
  TColor border = ap->BorderColor, top = ap->BorderColorTop, bottom = ap->BorderColorBottom, edge = ap->EdgeColor;
  TColor fill = clNone, fillTo = clNone, mirror = clNone, mirrorTo = clNone;
  const auto take = [&](TColor f, TColor t, TColor m, TColor mt, TColor b) {
    fill = f;
    fillTo = t;
    mirror = m;
    mirrorTo = mt;
    if (b != clNone) {
      border = b;
      top = bottom = edge = clNone;
    }
  };
  if (hot) take(ap->ColorHot, ap->ColorHotTo, ap->ColorMirrorHot, ap->ColorMirrorHotTo, ap->BorderColorHot);
  if (selected)
    take(ap->ColorSelected, ap->ColorSelectedTo, ap->ColorMirrorSelected, ap->ColorMirrorSelectedTo,
         ap->BorderColorSelected);
  if (!hot && !selected) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color());
    Canvas->FillRect(r);
  } else if (top == clNone) {
    DrawFilledRect(Canvas, r, fill, fillTo, border, 1, gdVertical);
  } else {
    DrawSelectionBar(Canvas, fill, fillTo, mirror, mirrorTo, top, bottom, border, edge, Color(), r, 0);
  }
  if (FAdvItemSelector->OnDrawItem) {
    FAdvItemSelector->OnDrawItem(this, Canvas, r, Index);
    return;
  }
  DrawContent(item, Canvas, r, hot, selected);
}

void TCustomItemSelector::DrawContent(TSelectorItem* Item, TCanvas* Canvas, TRect R, bool Hot, bool Selected) {
  const TItemAppearance* ap = FAdvItemSelector->ItemAppearance();
  TGraphic* picture = Item->Image()->Graphic();
  if (picture && picture->Empty()) picture = nullptr;
  const bool color = SelectorType() == stColor;
  const bool listImage = !color && !picture && Images() && Item->ImageIndex() >= 0;
  int w = 0, h = 0;
  if (color) {
    w = ColorBoxWidth();
    h = ColorBoxHeight();
  } else if (picture) {
    w = picture->Width();
    h = picture->Height();
  } else if (listImage) {
    w = Images()->Width();
    h = Images()->Height();
  }
  const TRect cell = Rect(R.Left + ItemOffSetX, R.Top + ItemOffSetY, R.Right - ItemOffSetX, R.Bottom - ItemOffSetY);
  TRect t = cell;
  int left = t.Left, top = t.Top;
  Canvas->Font()->Assign(ap->Font());
  if (Selected) Canvas->Font()->SetColor(ap->ColorSelectedText);
  else if (Hot) Canvas->Font()->SetColor(ap->ColorHotText);
  Canvas->Brush()->SetStyle(bsClear);
  const String& caption = Item->Caption();
  TPoint size{0, 0};
  const auto drawCaption = [&](TRect area, bool centred) {
    if (centred) {
      DrawHTMLText(Canvas, caption, area, size, this, false, Images());
      if (size.Y < area.Height()) area.Top += (area.Height() - size.Y) / 2;
    }
    DrawHTMLText(Canvas, caption, area, size, this, true, Images());
  };
  const auto drawContent = [&](int x, int y) {
    if (color) {
      Canvas->Pen()->SetColor(clBlack);
      Canvas->Pen()->SetWidth(1);
      Canvas->Brush()->SetStyle(bsSolid);
      Canvas->Brush()->SetColor(Item->Color());
      Canvas->Rectangle(x, y, x + w, y + h);
      Canvas->Brush()->SetStyle(bsClear);
    } else if (picture) {
      Canvas->Draw(x, y, picture);
    } else if (listImage) {
      Images()->Draw(Canvas, x, y, Item->ImageIndex(), Item->Enabled());
    }
  };
  const int middleY = cell.Top + (cell.Height() - h) / 2;
  switch (ItemLayout()) {
    case ilCaptionLeft:
      if (!caption.empty()) {
        t.Right -= w;
        drawCaption(t, true);
        left = t.Left + size.X + CaptionGap;
      }
      drawContent(left, color ? top : middleY);
      break;
    case ilCaptionRight:
      if (w > 0) {
        drawContent(left, color ? top : middleY);
        t.Left = left + w + CaptionGap;
      }
      drawCaption(t, true);
      break;
    case ilCaptionTop:
      if (!caption.empty()) {
        t.Bottom -= h;
        drawCaption(t, false);
        top = t.Top + size.Y + CaptionGap;
      } else {
        top = cell.Top + (cell.Height() - h) / 2;
      }
      left = cell.Left + (cell.Width() - w) / 2;
      drawContent(left, top);
      break;
    case ilCaptionBottom:
      if (caption.empty()) top = cell.Top + (cell.Height() - h) / 2;
      left = cell.Left + (cell.Width() - w) / 2;
      drawContent(left, top);
      t.Top = top + h + CaptionGap;
      drawCaption(t, false);
      break;
  }
}

void TCustomItemSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  const int k = ItemAtPos(X, Y);
  if (k >= 0 && Items()->Items(k)->Enabled()) SetItemIndex(k);
}

void TCustomItemSelector::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  const int k = ItemAtPos(X, Y);
  if (k >= 0) {
    if (k == FItemHot) return;
    TSelectorItem* item = Items()->Items(k);
    SetItemHot(item->Enabled() ? k : -1);
    SetHint(item->Hint());
    if (Application) Application->CancelHint();
  } else if (FItemHot >= 0) {
    SetItemHot(-1);
  }
}

void TCustomItemSelector::WndProc(TMessage& Message) {
  TCustomControl::WndProc(Message);
  if (Message.Msg == CM_MOUSELEAVE && FItemHot >= 0) SetItemHot(-1);
}
