#pragma once
// The multi-column drop-down: a drop-down edit whose popup lists its items in columns under a
// header row, on a light owner-drawn string grid (not the grid pack's) that paints every cell
// from the items. The lookup column's text of the chosen item is the value. Its columns, items
// and popup grid are its own classes, in their own namespace beside the grid drop-down's alike.
#include <memory>

#include "grid/dropdown/AdvDropDown.h"
#include "grid/griddropdown/AdvColGrid.h"
#include "grid/griddropdown/AdvGridDropDownShared.h"
#include "platform/Grids.h"

class TAdvMultiColumnDropDown;

namespace multicolumn_dropdown {

// The same settings as the grid drop-down's column; here Ellipsis is painted.
class TDropDownColumn : public ::TDropDownColumn {
 public:
  using ::TDropDownColumn::TDropDownColumn;
  String ClassName() const override { return u"TDropDownColumn"; }
};

class TDropDownColumns : public TListItems<TDropDownColumn> {
 public:
  using TListItems::TListItems;
  String ClassName() const override { return u"TDropDownColumns"; }
  void SetItems(int Index, TDropDownColumn* Value) { Items(Index)->Assign(Value); }
};

class TDropDownItem : public ::TDropDownItem {
 public:
  using ::TDropDownItem::TDropDownItem;
  String ClassName() const override { return u"TDropDownItem"; }
};

class TDropDownItems : public TListItems<TDropDownItem> {
 public:
  using TListItems::TListItems;
  String ClassName() const override { return u"TDropDownItems"; }
  void SetItems(int Index, TDropDownItem* Value) { Items(Index)->Assign(Value); }
  // The first item with a text in Column equal to Value (with case), -1 when none.
  int IndexInColumn(int Column, const String& Value) const;
};

using TDrawCellEvent = std::function<void(TObject* Sender, int Column, int Row, TCanvas* ACanvas, TRect ARect)>;

// The popup grid: the class library's string grid drawing every cell itself.
class TAdvColGrid : public TStringGrid {
 public:
  explicit TAdvColGrid(TComponent* AOwner);
  ~TAdvColGrid() override;
  String ClassName() const override { return u"TAdvColGrid"; }
  void AfterConstruction() override;

  void SetDropDown(TAdvMultiColumnDropDown* DropDown) { FAdvDropDown = DropDown; }
  TAdvMultiColumnDropDown* DropDown() const { return FAdvDropDown; }
  void ApplyDropDownSettings(TAdvMultiColumnDropDown* D);
  void AutoSizeItemColumn(int Index);
  void AutoSizeItemColumns();
  void UpdateWordWrapRowHeights();
  int GetNeededWidth();
  // The cell's rectangle with the column's width and the row's height.
  TRect CellBounds(int ACol, int ARow) const;

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
  // The kept line width the painting uses; the string grid's own stays 0, so cells touch.
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value) { FImages = Value; }
  bool ConfirmSelection() const { return FConfirmSelection; }
  void SetConfirmSelection(bool Value) { FConfirmSelection = Value; }
  bool MouseWheelSelection() const { return FMouseWheelSelection; }
  int OldRow() const { return FOldRow; }

  // Carried for the drop-down's settings; the painting never calls them.
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
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  unsigned DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTTAB; }

 private:
  bool OnPopupForm() const;
  TDropDownSizingSource ItemSource() const;

  TAdvMultiColumnDropDown* FAdvDropDown = nullptr;
  std::unique_ptr<TDropDownColumns> FColumns;
  TColor FHeaderColor = clWhite;
  TColor FHeaderColorTo = clGray;
  TColor FLineColor = clGray;
  TImageList* FImages = nullptr;
  int FHeaderHeight = 25;
  std::unique_ptr<TFont> FHeaderFont;
  TColor FFixedLineColor = clGray;
  int FGridLineWidth = 1;
  int FOldRow = 0;
  bool FMouseWheelSelection = false;
  bool FConfirmSelection = false;
  // The auto-sized columns' measured item widths, one memo a column.
  std::vector<dropdown_sizing::TItemWidthMemo> FWidthMemos;
};

}  // namespace multicolumn_dropdown

class TAdvMultiColumnDropDown : public TAdvCustomDropDown {
 public:
  using TDropDownColumns = multicolumn_dropdown::TDropDownColumns;
  using TDropDownItems = multicolumn_dropdown::TDropDownItems;
  using TAdvColGrid = multicolumn_dropdown::TAdvColGrid;

  explicit TAdvMultiColumnDropDown(TComponent* AOwner);
  ~TAdvMultiColumnDropDown() override;
  String ClassName() const override { return u"TAdvMultiColumnDropDown"; }

  TAdvColGrid* PopupGrid() const { return FAdvColGrid; }
  void BeginUpdate() {}
  void EndUpdate() { RebuildLookupList(); }
  // The first item whose lookup-column text equals Value (with case), -1 when none.
  int GetItemIndex(const String& Value) const;
  // The first item whose lookup-column text begins with S (CaseSensitive); false without popup grid.
  bool FindLookupItem(const String& S, String& FullText, int& Index) const;
  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  void SelectNextPage();
  void SelectPreviousPage();
  int RowCount() const { return FItems->Count(); }
  void Assign(TPersistent* Source) override;

  // ---- published properties ----
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
  bool DropDownAutoWidth() const { return FDropDownAutoWidth; }
  void SetDropDownAutoWidth(bool Value) { FDropDownAutoWidth = Value; }
  int DropDownRowHeight() const { return FDropDownRowHeight; }
  void SetDropDownRowHeight(int Value) { FDropDownRowHeight = Value; }
  TColor LineColor() const { return FLineColor; }
  void SetLineColor(TColor Value) { FLineColor = Value; }
  TColor FixedLineColor() const { return FFixedLineColor; }
  void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
  bool ColumnSizing() const { return FColumnSizing; }
  void SetColumnSizing(bool Value) { FColumnSizing = Value; }
  bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
  void SetColumnSizeWithDropDown(bool Value) { FColumnSizeWithDropDown = Value; }
  TDropDownColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
  TColor HeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
  int HeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(int Value) { FHeaderHeight = Value; }
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
  int LookupColumn() const { return FLookupColumn; }
  void SetLookupColumn(int Value) { FLookupColumn = Value; }
  TColor SelectionTextColor() const { return FSelectionTextColor; }
  void SetSelectionTextColor(TColor Value) { FSelectionTextColor = Value; }
  TDropDownItems* Items() const { return FItems.get(); }
  void SetItems(TDropDownItems* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  bool MatchCase() const { return FMatchCase; }
  void SetMatchCase(bool Value) { FMatchCase = Value; }
  bool MatchStart() const { return FMatchStart; }
  void SetMatchStart(bool Value) { FMatchStart = Value; }
  const String& LookupEntry() const { return FLookupEntry; }
  TStringList* LookupItems() const { return FLookupItems.get(); }

  // ---- events ----
  TNotifyEvent OnSelect;
  multicolumn_dropdown::TDrawCellEvent OnDropDownDrawItem;
  TGetCellPropEvent OnDropDownGetItemProp;  // never fired
  TGetCellTextEvent OnDropDownGetItemText;

  // ---- overridable operations ----
  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void AdjustDropDownHeight(int& Height) override;
  void DoShowDropDown() override;
  void PlaceDropDownControl() override;
  void UpdateDropDownSize() override;
  void DoHideDropDown(bool Cancel) override;
  void ControlKeyDown(Word& Key, TShiftState Shift) override;
  void ControlKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyPress(Char& Key) override;
  void DropDownSizing() override;
  void EditMouseWheelDown() override;
  void EditMouseWheelUp() override;
  void SetSelectionColorStyle(TSelectionColorStyle Style) override;
  void SetComponentStyle(TQELStyle AStyle) override;
  void Loaded() override;
  void WndProc(TMessage& Message) override;

  void SizeColumnsToDropDown();
  // A typed character's lookup: the item found or -1.
  int LookupTypedChar(Char C);
  void RebuildLookupList();
  // Paints the popup cell (ACol, ARow) on Canvas (the popup grid's painting).
  void DrawCell(TCanvas* Canvas, int ACol, int ARow, TGridDrawState AState);

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void Change() override;
  void DoEnter() override;

 private:
  void StepTo(grid_dropdown_shared::TItemStep Step, int Count);
  void HandleKeyDownMessage(TMessage& Message);
  void GridSelectCell(int ARow);
  void GridSelect();
  String ItemLookupText(int Index) const;
  void SetTextQuiet(const String& Value);

  bool FShowing = false;
  bool FColumnSizing = false;
  int FLookupColumn = 0;
  TColor FHeaderColorTo = clGray;
  TColor FHeaderColor = clWhite;
  TColor FLineColor = clSilver;
  std::unique_ptr<TDropDownItems> FItems;
  std::unique_ptr<TDropDownColumns> FColumns;
  int FItemIndex = -1;
  int FHeaderHeight = 25;
  std::unique_ptr<TFont> FHeaderFont;
  TAdvColGrid* FAdvColGrid = nullptr;  // owned as a component
  TColor FFixedLineColor = clGray;
  bool FWorkMode = true;
  // The text when the control was entered: the modified flag compares with it.
  String FOldValue;
  bool FReturnIsTab = false;
  std::unique_ptr<TStringList> FLookupItems;
  bool FMatchCase = false;
  bool FMatchStart = true;
  bool FItemChange = false;
  int FItemIdx = -1;
  int FItemSel = 0;
  int FOldItemIndex = -1;
  bool FDropDownAutoWidth = true;
  bool FColumnSizeWithDropDown = true;
  TColor FSelectionTextColor = clBlack;
  int FDropDownRowHeight = 22;
  String FLookupEntry;
  bool FCaseSensitive = false;
  // Writing Text from inside the change handling (completion) must not complete again.
  bool FCompleting = false;
};
