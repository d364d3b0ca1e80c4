#pragma once
// The popup grid of the grid drop-down: a string grid parented to the drop-down's popup form,
// re-configured from the drop-down before every opening, with the columns and (in item mode) the
// rows through which the drop-down describes it. The sizing operations here also serve the
// multi-column drop-down.
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "grid/core/AdvGrid.h"
#include "grid/dropdown/AdvItemSelector.h"

class TCustomAdvGridDropDown;

enum TColumnType : uint8_t { ctText, ctImage };

class TDropDownColumn : public TCollectionItem {
 public:
  explicit TDropDownColumn(TCollection* ACollection);
  ~TDropDownColumn() override;
  String ClassName() const override { return u"TDropDownColumn"; }
  void Assign(TPersistent* Source) override;

  bool Wordwrap() const { return FWordwrap; }
  void SetWordwrap(bool Value) { FWordwrap = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  const String& Header() const { return FHeader; }
  void SetHeader(const String& Value) { FHeader = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TColumnType ColumnType() const { return FColumnType; }
  void SetColumnType(TColumnType Value) { FColumnType = Value; }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool Ellipsis() const { return FEllipsis; }
  void SetEllipsis(bool Value) { FEllipsis = Value; }

 private:
  bool FWordwrap = false;
  int FWidth = 80;
  bool FAutoSize = false;
  String FHeader;
  TAlignment FAlignment = taLeftJustify;
  TColor FColor = clWhite;
  TColumnType FColumnType = ctText;
  std::unique_ptr<TFont> FFont;
  bool FEllipsis = false;
};

class TDropDownColumns : public TListItems<TDropDownColumn> {
 public:
  using TListItems::TListItems;
  String ClassName() const override { return u"TDropDownColumns"; }
  void SetItems(int Index, TDropDownColumn* Value) { Items(Index)->Assign(Value); }
};

class TDropDownItem : public TCollectionItem {
 public:
  explicit TDropDownItem(TCollection* ACollection);
  ~TDropDownItem() override;
  String ClassName() const override { return u"TDropDownItem"; }
  void Assign(TPersistent* Source) override;

  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  TStringList* Text() const { return FText.get(); }
  void SetText(TStrings* Value) { FText->Assign(Value); }
  // Text Index of the item; empty when the item has fewer texts.
  const String& TextOf(int Index) const;
  bool HasText(int Index) const { return Index >= 0 && Index < FText->Count(); }

 private:
  int FImageIndex = -1;
  std::unique_ptr<TStringList> FText;
};

class TDropDownItems : public TListItemsBase {
 public:
  using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
  explicit TDropDownItems(TPersistent* AOwner);
  String ClassName() const override { return u"TDropDownItems"; }
  // What Add creates: a descendant collection supplies its own item class here.
  virtual TItemFactory GetItemClass() const;
  TDropDownItem* Add() { return static_cast<TDropDownItem*>(TCollection::Add()); }
  TDropDownItem* Insert(int Index) { return static_cast<TDropDownItem*>(TCollection::Insert(Index)); }
  TDropDownItem* Items(int Index) const { return static_cast<TDropDownItem*>(TCollection::Items(Index)); }
  void SetItems(int Index, TDropDownItem* Value) { Items(Index)->Assign(Value); }

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

using TGetCellPropEvent =
    std::function<void(TObject* Sender, int Column, int Row, TFont* Font, TColor& AColor, TColor& AColorTo)>;
using TGetCellTextEvent = std::function<void(TObject* Sender, int Column, int Row, String& Text)>;

// What the sizing operations read of one item row: the item's text in a column and whether it
// shows an image there. Both drop-downs answer it for their own items.
struct TDropDownSizingSource {
  int Rows = 0;  // data rows, item r - 1 on row r
  std::function<bool(int Item, int Column, String& Text, bool& HasImage)> Cell;
};

// The sizing rules shared by the grid and the multi-column drop-down, on a measuring canvas.
namespace dropdown_sizing {
// The text widths of one column's items, kept from one sizing to the next: shaping a text is what
// auto-sizing costs, and an item whose text and font are unchanged measures the same again.
class TItemWidthMemo {
 public:
  // Forgets every width when the canvas measures with another font or metrics source.
  void Begin(TCanvas* Canvas, int Items);
  // The width of Text, item Item's text, in the canvas's font.
  int Width(TCanvas* Canvas, int Item, const String& Text);

 private:
  struct TEntry {
    String Text;
    int Width = -1;
  };
  std::vector<TEntry> FEntries;
  TTextMetricsSource* FMetrics = nullptr;
  String FFontName;
  int FFontHeight = 0;
  unsigned FFontStyle = 0;
  TFontPitch FFontPitch = fpDefault;
};

// The widest row of Column: image width + 4 for a row with an image, text width + 6 for a text.
int ItemColumnWidth(TCanvas* Canvas, const TDropDownSizingSource& Source, int Column, TFont* Font, TImageList* Images,
                    TItemWidthMemo* Memo = nullptr);
// The height a word-wrapped row needs over the given columns, at least 24.
int WordWrapRowHeight(TCanvas* Canvas, const TDropDownSizingSource& Source, int Row,
                      const std::vector<std::pair<int, int>>& ColumnWidths,
                      const std::function<TFont*(int Column)>& ColumnFont, TImageList* Images);
// Column Index of a popup grid sized to its widest row, written to the grid, to its copy of the
// columns and to the drop-down's own setting (the popup's columns are scaled from that).
template <class TGrid, class TColumns, class TDropDownClass>
void AutoSizeItemColumnOf(TGrid& Grid, TColumns* Columns, TDropDownClass* DropDown, const TDropDownSizingSource& Source,
                          int Index, TImageList* Images, TItemWidthMemo* Memo = nullptr) {
  const int width = ItemColumnWidth(Grid.Canvas(), Source, Index, Columns->Items(Index)->Font(), Images, Memo);
  Columns->Items(Index)->SetWidth(width);
  if (DropDown && Index < DropDown->Columns()->Count()) DropDown->Columns()->Items(Index)->SetWidth(width);
  Grid.SetColWidths(Index, width);
}

// The data rows of a popup grid as high as their word-wrapped columns need.
template <class TGrid, class TColumns>
void UpdateWordWrapRowHeightsOf(TGrid& Grid, TColumns* Columns, const TDropDownSizingSource& Source,
                                TImageList* Images) {
  std::vector<std::pair<int, int>> wrapped;
  for (int c = 0; c < Grid.ColCount() && c < Columns->Count(); ++c)
    if (Columns->Items(c)->Wordwrap()) wrapped.emplace_back(c, Grid.ColWidths(c));
  if (wrapped.empty()) return;
  const auto font = [Columns](int Column) { return Columns->Items(Column)->Font(); };
  for (int r = Grid.FixedRows(); r < Grid.RowCount(); ++r)
    Grid.SetRowHeights(r, WordWrapRowHeight(Grid.Canvas(), Source, r, wrapped, font, Images));
}

// The width a popup grid needs for all its columns, with room for the vertical scroll bar when
// not every row shows.
template <class TGrid>
int NeededWidthOf(TGrid& Grid, int ScrollBarSize) {
  int w = Grid.BorderStyle() == bsNone ? 0 : 2;
  for (int c = 0; c < Grid.ColCount(); ++c) w += Grid.ColWidths(c);
  if (Grid.VisibleRowCount() + Grid.FixedRows() != Grid.RowCount()) w += ScrollBarSize;
  return w;
}

// Scales the grid's column widths from the columns' Width settings to fill W pixels, halves to
// even, the rounding remainder carried on from column to column.
template <class TGrid, class TColumns>
void ScaleColumnsToWidth(TGrid* Grid, TColumns* Columns, int W) {
  int total = 1;
  for (int i = 0; i < Columns->Count(); ++i) total += Columns->Items(i)->Width();
  const double f = static_cast<double>(W) / total;
  double carry = 0;
  for (int i = 0; i < Grid->ColCount() && i < Columns->Count(); ++i) {
    const double x = f * Columns->Items(i)->Width();
    int cw = static_cast<int>(std::nearbyint(x));
    carry += x - cw;
    if (carry > 1) {
      carry -= 1;
      ++cw;
    }
    Grid->SetColWidths(i, cw);
  }
}
}  // namespace dropdown_sizing

namespace popup_grid {
// The wheel over a popup grid moves its current row, which the grid's own handling (Base) does;
// the popup form, which would take the wheel first and step the edit's value, is set aside
// meanwhile. The row it moves to is no confirmed choice.
template <class TBaseHandling>
void PopupGridWheel(TControl* Grid, bool& WheelSelection, bool& ConfirmSelection, TBaseHandling&& Base) {
  WheelSelection = true;
  ConfirmSelection = false;
  TControl* form = Grid->Parent();
  TMouseWheelEvent formWheel = form ? form->OnMouseWheel : nullptr;
  if (form) form->OnMouseWheel = nullptr;
  Base();
  if (form) form->OnMouseWheel = formWheel;
  WheelSelection = false;
}
}  // namespace popup_grid

// The user object that ties a popup row to its item; it travels with the row when the grid sorts.
class TDropDownRowItem : public TObject {
 public:
  explicit TDropDownRowItem(int AIndex) : Index(AIndex) {}
  int Index;
};

class TAdvColGrid : public TAdvStringGrid {
 public:
  explicit TAdvColGrid(TComponent* AOwner);
  ~TAdvColGrid() override;
  String ClassName() const override { return u"TAdvColGrid"; }
  void AfterConstruction() override;

  void SetDropDown(TCustomAdvGridDropDown* DropDown) { FAdvDropDown = DropDown; }
  TCustomAdvGridDropDown* DropDown() const { return FAdvDropDown; }
  void ApplyDropDownSettings(TCustomAdvGridDropDown* D);
  void LoadItems();
  void AutoSizeItemColumn(int Index);
  void AutoSizeItemColumns();
  void UpdateWordWrapRowHeights();
  int GetNeededWidth();
  // The item index a row carries (its user object in column 0), -1 when none.
  int RowItemIndex(int DRow) const;

  TDropDownColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
  TColor LineColor() const { return FLineColor; }
  void SetLineColor(TColor Value) { FLineColor = Value; }
  TColor FixedLineColor() const { return FFixedLineColor; }
  void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
  TColor HeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
  int HeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(int Value) { FHeaderHeight = Value; }
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
  // The kept line width; setting it leaves the string grid's own line width at 0.
  int GridLineWidth() const { return FKeptLineWidth; }
  void SetGridLineWidth(int Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value) { FImages = Value; }
  bool ConfirmSelection() const { return FConfirmSelection; }
  void SetConfirmSelection(bool Value) { FConfirmSelection = Value; }
  bool MouseWheelSelection() const { return FMouseWheelSelection; }
  int OldRow() const { return FOldRow; }

  // The popup's own cell-drawing event (not the string grid's of the same name).
  using TDrawCellEvent = std::function<void(TObject* Sender, int Column, int Row, TCanvas* ACanvas, TRect ARect)>;
  TGetCellTextEvent OnGetCellText;
  TDrawCellEvent OnDrawCell;
  TGetCellPropEvent OnGetCellProp;
  TNotifyEvent OnSelect;

  virtual void DoSelect();

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 protected:
  unsigned DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTTAB; }

 private:
  bool OnPopupForm() const;
  TDropDownSizingSource ItemSource() const;
  TDropDownRowItem* RowItem(int Index);

  TCustomAdvGridDropDown* FAdvDropDown = nullptr;
  std::unique_ptr<TDropDownColumns> FColumns;
  TColor FHeaderColor = clWhite;
  TColor FHeaderColorTo = clGray;
  TColor FLineColor = clGray;
  TImageList* FImages = nullptr;
  int FHeaderHeight = 25;
  std::unique_ptr<TFont> FHeaderFont;
  TColor FFixedLineColor = clGray;
  int FKeptLineWidth = 1;
  int FOldRow = 0;
  bool FMouseWheelSelection = false;
  bool FConfirmSelection = false;
  // The row-to-item objects, index + 1 (the header's -1 first); owned here, the cells only point.
  std::vector<std::unique_ptr<TDropDownRowItem>> FRowItems;
  // The auto-sized columns' measured item widths, one memo a column.
  std::vector<dropdown_sizing::TItemWidthMemo> FWidthMemos;
};
