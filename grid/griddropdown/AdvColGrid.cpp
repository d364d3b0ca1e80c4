#include "grid/griddropdown/AdvColGrid.h"

#include <algorithm>

#include "grid/dropdown/AdvDropDownForm.h"
#include "grid/griddropdown/AdvGridDropDown.h"

// ---- columns and items -------------------------------------------------------------------------

TDropDownColumn::TDropDownColumn(TCollection* ACollection)
    : TCollectionItem(ACollection), FFont(std::make_unique<TFont>()) {}

TDropDownColumn::~TDropDownColumn() = default;

void TDropDownColumn::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TDropDownColumn*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  FWordwrap = s->FWordwrap;
  FWidth = s->FWidth;
  FAutoSize = s->FAutoSize;
  FHeader = s->FHeader;
  FAlignment = s->FAlignment;
  FColor = s->FColor;
  FColumnType = s->FColumnType;
  FFont->Assign(s->FFont.get());
  FEllipsis = s->FEllipsis;
}

TDropDownItem::TDropDownItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FText(std::make_unique<TStringList>()) {}

TDropDownItem::~TDropDownItem() = default;

void TDropDownItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TDropDownItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  FImageIndex = s->FImageIndex;
  FText->Assign(s->FText.get());
}

const String& TDropDownItem::TextOf(int Index) const {
  static const String kEmpty;
  return HasText(Index) ? FText->Strings(Index) : kEmpty;
}

TDropDownItems::TDropDownItems(TPersistent* AOwner)
    : TListItemsBase([](TCollection* c) { return static_cast<TDropDownItems*>(c)->GetItemClass()(c); }),
      FOwner(AOwner) {}

TDropDownItems::TItemFactory TDropDownItems::GetItemClass() const {
  return [](TCollection* c) -> TCollectionItem* { return New<TDropDownItem>(c); };
}

// ---- sizing ------------------------------------------------------------------------------------

namespace dropdown_sizing {

void TItemWidthMemo::Begin(TCanvas* Canvas, int Items) {
  TTextMetricsSource* metrics = Canvas->Metrics();
  const TFont& f = *Canvas->Font();
  if (metrics != FMetrics || f.Name() != FFontName || f.Height() != FFontHeight || f.Style().Bits() != FFontStyle ||
      f.Pitch() != FFontPitch) {
    FEntries.clear();
    FMetrics = metrics;
    FFontName = f.Name();
    FFontHeight = f.Height();
    FFontStyle = f.Style().Bits();
    FFontPitch = f.Pitch();
  }
  FEntries.resize(static_cast<size_t>(std::max(0, Items)));
}

int TItemWidthMemo::Width(TCanvas* Canvas, int Item, const String& Text) {
  if (Item < 0 || static_cast<size_t>(Item) >= FEntries.size()) return Canvas->TextWidth(Text);
  TEntry& e = FEntries[static_cast<size_t>(Item)];
  if (e.Width < 0 || e.Text != Text) {
    e.Text = Text;
    e.Width = Canvas->TextWidth(Text);
  }
  return e.Width;
}

int ItemColumnWidth(TCanvas* Canvas, const TDropDownSizingSource& Source, int Column, TFont* Font, TImageList* Images,
                    TItemWidthMemo* Memo) {
  Canvas->Font()->Assign(Font);
  if (Memo) Memo->Begin(Canvas, Source.Rows);
  int widest = 0;
  String text;  // one buffer for all rows
  for (int item = 0; item < Source.Rows; ++item) {
    text.clear();
    bool image = false;
    Source.Cell(item, Column, text, image);
    int w = image && Images ? Images->Width() + 4 : 0;
    // A single line without prefixes is as wide as its text.
    if (!text.empty()) w += (Memo ? Memo->Width(Canvas, item, text) : Canvas->TextWidth(text)) + 6;
    widest = std::max(widest, w);
  }
  return widest;
}

int WordWrapRowHeight(TCanvas* Canvas, const TDropDownSizingSource& Source, int Row,
                      const std::vector<std::pair<int, int>>& ColumnWidths,
                      const std::function<TFont*(int Column)>& ColumnFont, TImageList* Images) {
  int h = 24;
  for (const auto& [column, width] : ColumnWidths) {
    String text;
    bool image = false;
    // Rows past the items (grid mode) measure as empty.
    if (Row - 1 < Source.Rows) Source.Cell(Row - 1, column, text, image);
    int need = image && Images ? Images->Height() + 6 : 0;
    if (!text.empty()) {
      Canvas->Font()->Assign(ColumnFont(column));
      TRect r = Rect(0, 0, width, 500);
      DrawText(Canvas, text, r, DT_CALCRECT | DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
      need = std::max(need, r.Height() + 6);
    }
    h = std::max(h, need);
  }
  return h;
}

}  // namespace dropdown_sizing

// ---- the popup grid ----------------------------------------------------------------------------

TAdvColGrid::TAdvColGrid(TComponent* AOwner)
    : TAdvStringGrid(AOwner),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>()) {}

TAdvColGrid::~TAdvColGrid() = default;

void TAdvColGrid::AfterConstruction() {
  TAdvStringGrid::AfterConstruction();
  SetFixedRowAlways(true);
  SetFixedRows(1);
  SetFixedCols(0);
  TGridOptions o = Options();
  o.Exclude(goRangeSelect).Include(goHorzLine).Include(goRowSelect);
  SetOptions(o);
  SetCtl3D(false);
  SetBorderStyle(bsNone);
  FOldRow = Row();
}

void TAdvColGrid::SetGridLineWidth(int Value) {
  FKeptLineWidth = Value;
  TAdvStringGrid::SetGridLineWidth(0);
  Invalidate();
}

void TAdvColGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TAdvStringGrid::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages && !ComponentState().Contains(TComponentStateFlag::csDestroying))
    FImages = nullptr;
}

bool TAdvColGrid::OnPopupForm() const { return dynamic_cast<TDropDownForm*>(Parent()) != nullptr; }

void TAdvColGrid::ApplyDropDownSettings(TCustomAdvGridDropDown* D) {
  if (!D) return;
  FAdvDropDown = D;
  FColumns->Assign(D->Columns());
  const int columns = D->Columns()->Count();
  if (ColCount() < columns) SetColCount(columns);
  if (D->UseItems()) SetRowCount(D->Items()->Count() + 1);
  for (int i = 0; i < columns; ++i) SetColWidths(i, D->Columns()->Items(i)->Width());
  FLineColor = D->LineColor();
  FFixedLineColor = D->FixedLineColor();
  FHeaderColor = D->HeaderColor();
  FHeaderColorTo = D->HeaderColorTo();
  FHeaderHeight = D->HeaderHeight();
  FHeaderFont->Assign(D->HeaderFont());
  TAdvStringGrid::SetHoverRow(D->HoverRow());
  SetHoverRowColor(D->HoverRowColor());
  SetHoverRowColorTo(D->HoverRowColorTo());
  FImages = D->Images();
  SetDefaultRowHeight(D->DropDownRowHeight());
  SetRowHeights(0, D->HeaderHeight());
  TGridOptions o = Options();
  const auto follow = [&o](TGridOption Option, bool On) { On ? o.Include(Option) : o.Exclude(Option); };
  follow(goColSizing, D->ColumnSizing());
  follow(goColMoving, D->ColumnMoving());
  follow(goRowSizing, D->RowSizing());
  follow(goRowMoving, D->RowMoving());
  SetOptions(o);
  if (D->AutoSizeColumns()) {
    if (D->UseItems())
      AutoSizeItemColumns();
    else
      TAdvStringGrid::AutoSizeColumns(true, 4);
  }
  UpdateWordWrapRowHeights();
}

TDropDownRowItem* TAdvColGrid::RowItem(int Index) {
  const size_t slot = static_cast<size_t>(Index + 1);
  if (FRowItems.size() <= slot) FRowItems.resize(slot + 1);
  if (!FRowItems[slot]) FRowItems[slot] = std::make_unique<TDropDownRowItem>(Index);
  return FRowItems[slot].get();
}

int TAdvColGrid::RowItemIndex(int DRow) const {
  if (DRow < 0 || DRow >= RowCount()) return -1;
  auto* item = dynamic_cast<TDropDownRowItem*>(Objects(0, DRow));
  return item ? item->Index : -1;
}

void TAdvColGrid::LoadItems() {
  if (!FAdvDropDown) return;
  TDropDownItems* items = FAdvDropDown->Items();
  const int columns = FColumns->Count();
  if (ColCount() != columns) SetColCount(columns);
  for (int i = 0; i < columns; ++i) {
    SetCells(i, 0, FColumns->Items(i)->Header());
    SetObjects(i, 0, RowItem(-1));
  }
  if (items->Count() > 0) SetRowCount(FixedRows() + items->Count());
  for (int j = 0; j < items->Count(); ++j) {
    const TDropDownItem* item = items->Items(j);
    for (int i = 0; i < columns; ++i) SetCells(i, j + 1, item->TextOf(i));
    SetObjects(0, j + 1, RowItem(j));
  }
}

TDropDownSizingSource TAdvColGrid::ItemSource() const {
  TDropDownSizingSource source;
  TDropDownItems* items = FAdvDropDown ? FAdvDropDown->Items() : nullptr;
  source.Rows = items ? items->Count() : 0;
  source.Cell = [this, items](int Item, int Column, String& Text, bool& HasImage) {
    const TDropDownItem* item = items->Items(Item);
    Text = item->TextOf(Column);
    HasImage = item->HasText(Column) && Column < FColumns->Count() &&
               FColumns->Items(Column)->ColumnType() == ctImage && item->ImageIndex() >= 0;
    return true;
  };
  return source;
}

void TAdvColGrid::AutoSizeItemColumn(int Index) {
  if (Index < 0 || Index >= FColumns->Count() || !FColumns->Items(Index)->AutoSize() || !OnPopupForm()) return;
  TDropDownSizingSource source = ItemSource();
  // Only the data rows the grid has count; a row past the items measures as empty.
  source.Rows = std::min(source.Rows, std::max(0, RowCount() - 1));
  if (FWidthMemos.size() < static_cast<size_t>(FColumns->Count())) FWidthMemos.resize(FColumns->Count());
  dropdown_sizing::AutoSizeItemColumnOf(*this, FColumns.get(), FAdvDropDown, source, Index, FImages,
                                        &FWidthMemos[static_cast<size_t>(Index)]);
}

void TAdvColGrid::AutoSizeItemColumns() {
  for (int i = 0; i < FColumns->Count(); ++i)
    if (FColumns->Items(i)->AutoSize()) AutoSizeItemColumn(i);
}

void TAdvColGrid::UpdateWordWrapRowHeights() {
  if (OnPopupForm()) dropdown_sizing::UpdateWordWrapRowHeightsOf(*this, FColumns.get(), ItemSource(), FImages);
}

int TAdvColGrid::GetNeededWidth() { return dropdown_sizing::NeededWidthOf(*this, kScrollBarSize); }

void TAdvColGrid::DoSelect() {
  if (OnSelect) OnSelect(this);
}

// ---- keys and mouse ----------------------------------------------------------------------------

void TAdvColGrid::KeyDown(Word& Key, TShiftState Shift) {
  FConfirmSelection = true;
  if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
    if (FAdvDropDown) SendMessage(FAdvDropDown, WM_KEYDOWN, Key, 0);
    return;
  }
  if (Key == VK_RETURN) {
    Key = 0;
    TAdvStringGrid::KeyDown(Key, Shift);
    DoSelect();
    return;
  }
  TAdvStringGrid::KeyDown(Key, Shift);
}

void TAdvColGrid::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_TAB) return;
  if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_RETURN) {
    // The string grid consumes Enter on a cell it cannot edit before its key-down method runs:
    // the popup's Enter is the key-down method's.
    Word key = VK_RETURN;
    KeyDown(key, KeyDataToShiftState(Message.LParam));
    Message.Result = 1;
    return;
  }
  if (Message.Msg == WM_MOUSEWHEEL) {
    popup_grid::PopupGridWheel(this, FMouseWheelSelection, FConfirmSelection,
                               [&] { TAdvStringGrid::WndProc(Message); });
    return;
  }
  if (Message.Msg == WM_CHAR && Message.WParam == VK_RETURN) {
    Message.Result = 1;
    return;
  }
  TAdvStringGrid::WndProc(Message);
}

void TAdvColGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FConfirmSelection = true;
  FOldRow = Row();
  TAdvStringGrid::MouseDown(Button, Shift, X, Y);
}

void TAdvColGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TAdvStringGrid::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  int col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  if (col >= 0 && row >= 0 && HasCheckBox(col, row)) return;
  if (row >= FixedRows() && row < RowCount()) DoSelect();
}
