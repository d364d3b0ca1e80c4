#pragma once
// The grid drop-down: a drop-down edit whose popup holds a full string grid. A picked row's
// lookup-column text becomes the value; typing looks the text up, completes it or narrows the
// grid down. In item mode the rows are the drop-down's Items; in grid mode whatever the owner put
// into the popup grid. The popup grid's events are republished as OnGrid... events.
#include <memory>
#include <utility>

#include "grid/dropdown/AdvDropDown.h"
#include "grid/griddropdown/AdvColGrid.h"
#include "grid/griddropdown/AdvGridDropDownShared.h"
#include "grid/griddropdown/AdvGridDropDownEvents.h"

enum TLookupMethod : uint8_t { lmLookup, lmNarrowDown, lmNone };
enum TDropDownStyle : uint8_t { dsDropDown, dsDropDownList };
enum TGridSorting : uint8_t { gsNone, gsSingleColumn, gsMultiColumn };

namespace grid_dropdown_events {
// What a forwarder adds (AdvGridDropDownEvents.h).
struct Plain {};
struct Block {};
struct Align {};
struct CellColor {};
struct FloatFmt {};
struct Balloon {};
struct OwnSender {};
struct Keys {};
struct Sort {};
struct Never {};
struct IfAssigned {};
}  // namespace grid_dropdown_events

class TCustomAdvGridDropDown : public TAdvCustomDropDown {
 public:
  explicit TCustomAdvGridDropDown(TComponent* AOwner);
  ~TCustomAdvGridDropDown() override;
  String ClassName() const override { return u"TCustomAdvGridDropDown"; }

  TAdvColGrid* GetPopupGrid() const { return FDesignTime ? nullptr : FAdvColGrid; }
  void BeginUpdate() {}
  void EndUpdate() { RebuildLookupList(); }
  bool FindLookupRow(const String& S, String& FullText, int& Row);
  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  void SelectNextPage();
  void SelectPreviousPage();
  int GetItemCount() const;
  int RowCount() const { return FItems->Count(); }

  // ---- published properties ----
  bool AutoShowDropDown() const { return FAutoShowDropDown; }
  void SetAutoShowDropDown(bool Value) { FAutoShowDropDown = Value; }
  bool AutoSizeColumns() const { return FAutoSizeColumns; }
  void SetAutoSizeColumns(bool Value) { FAutoSizeColumns = Value; }
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
  TBands* Bands() const { return FBands.get(); }
  void SetBands(TBands* Value) { FBands->Assign(Value); }
  bool ColumnSizing() const { return FColumnSizing; }
  void SetColumnSizing(bool Value) { FColumnSizing = Value; }
  bool ColumnMoving() const { return FColumnMoving; }
  void SetColumnMoving(bool Value) { FColumnMoving = Value; }
  bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
  void SetColumnSizeWithDropDown(bool Value) { FColumnSizeWithDropDown = Value; }
  TDropDownColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
  bool GridEditable() const { return FGridEditable; }
  void SetGridEditable(bool Value) { FGridEditable = Value; }
  TImageList* GridImages() const { return FGridImages; }
  void SetGridImages(TImageList* Value);
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
  TColor HeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
  int HeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(int Value) { FHeaderHeight = Value; }
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
  bool HoverRow() const { return FHoverRow; }
  void SetHoverRow(bool Value) { FHoverRow = Value; }
  TColor HoverRowColor() const { return FHoverRowColor; }
  void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
  TColor HoverRowColorTo() const { return FHoverRowColorTo; }
  void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
  TDropDownItems* Items() const { return FItems.get(); }
  void SetItems(TDropDownItems* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int LookupColumn() const { return FLookupColumn; }
  void SetLookupColumn(int Value) { FLookupColumn = Value; }
  TLookupMethod LookupMethod() const { return FLookupMethod; }
  void SetLookupMethod(TLookupMethod Value) { FLookupMethod = Value; }
  TMouseActions* MouseActions() const { return FMouseActions.get(); }
  void SetMouseActions(TMouseActions* Value) { FMouseActions->Assign(Value); }
  TNavigation* Navigation() const { return FNavigation.get(); }
  void SetNavigation(TNavigation* Value) { FNavigation->Assign(Value); }
  bool RowSizing() const { return FRowSizing; }
  void SetRowSizing(bool Value) { FRowSizing = Value; }
  bool RowMoving() const { return FRowMoving; }
  void SetRowMoving(bool Value) { FRowMoving = Value; }
  TColor SelectionTextColor() const { return FSelectionTextColor; }
  void SetSelectionTextColor(TColor Value) { FSelectionTextColor = Value; }
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value) { FRowSelect = Value; }
  TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
  void SetSearchFooter(TSearchFooter* Value) { FSearchFooter->Assign(Value); }
  TGridSorting Sorting() const { return FSorting; }
  void SetSorting(TGridSorting Value) { FSorting = Value; }
  TDropDownStyle Style() const { return FStyle; }
  void SetStyle(TDropDownStyle Value);
  bool UseItems() const { return FUseItems; }
  void SetUseItems(bool Value) { FUseItems = Value; }
  // Enter in the edit acts as Tab (this class's own switch).
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  bool MatchCase() const { return FMatchCase; }
  void SetMatchCase(bool Value) { FMatchCase = Value; }
  bool MatchStart() const { return FMatchStart; }
  void SetMatchStart(bool Value) { FMatchStart = Value; }
  // The characters typed so far for the incremental lookup.
  const String& LookupEntry() const { return FLookupEntry; }
  TStringList* LookupItems() const { return FLookupItems.get(); }

  // ---- events: OnSelect and the popup grid's republished events ----
  TNotifyEvent OnSelect;
#define CONF_GDD_EVENT_FIELD(Event, GridEvent, Extra) decltype(TAdvStringGrid::GridEvent) On##Event;
  CONF_GRID_DROPDOWN_EVENTS(CONF_GDD_EVENT_FIELD)
#undef CONF_GDD_EVENT_FIELD

  // ---- the forwarders (DoGridAnchorClick ... DoGridCheckBoxClick) ----
#define CONF_GDD_FORWARDER(Event, GridEvent, Extra)                              \
  template <class... A>                                                          \
  void Do##Event(A&&... Args) {                                                  \
    Forward(grid_dropdown_events::Extra{}, On##Event, std::forward<A>(Args)...); \
  }
  CONF_GRID_DROPDOWN_EVENTS(CONF_GDD_FORWARDER)
#undef CONF_GDD_FORWARDER

  // ---- overridable operations ----
  virtual std::unique_ptr<TDropDownItems> CreateItems(TPersistent* AOwner);
  uint32_t GetVersionNr() const override { return 0x06000101; }
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
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;

  // Scales the popup grid's columns to the popup's width.
  void SizeColumnsToDropDown();
  // The item a popup row shows (item mode), and the row that shows an item.
  int ItemOfRow(int R) const;
  int RowOfItem(int I) const;
  // A typed character's lookup: the row found or -1.
  int LookupTypedChar(Char C);
  void RebuildLookupList();

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void Change() override;
  void DoEnter() override;

 private:
  void StepTo(grid_dropdown_shared::TItemStep Step, int Count);
  void HandleKeyDownMessage(TMessage& Message);
  void HandleCharMessage(TMessage& Message);
  void ConnectGridEvents();
  void GridSelectCell(int ARow);
  void GridSelect();
  void GridCanSort();
  void GridClickSort();
  void GridEndBlockFocus();
  void SetItemIndexDirect(int Value) { FItemIndex = Value; }
  // The text typed so far with the rest of Full after it selected (dsDropDown).
  void SelectCompletion(const String& Full, int TypedLength);
  // ItemIndex and Text for a lookup hit on row R with text T.
  void TakeLookupHit(int R, const String& T);
  String ItemLookupText(int Index) const;
  bool InEditMode() const;
  void SetTextQuiet(const String& Value);

  template <class E, class... A>
  void Forward(grid_dropdown_events::Plain, const E& Event, A&&... Args) {
    if (Event) Event(std::forward<A>(Args)...);
  }
  template <class E, class... A>
  void Forward(grid_dropdown_events::IfAssigned, const E& Event, A&&... Args) {
    Forward(grid_dropdown_events::Plain{}, Event, std::forward<A>(Args)...);
  }
  template <class E, class... A>
  void Forward(grid_dropdown_events::Keys, const E& Event, A&&... Args) {
    Forward(grid_dropdown_events::Plain{}, Event, std::forward<A>(Args)...);
  }
  template <class E, class... A>
  void Forward(grid_dropdown_events::Sort, const E& Event, A&&... Args) {
    Forward(grid_dropdown_events::Plain{}, Event, std::forward<A>(Args)...);
  }
  template <class E, class... A>
  void Forward(grid_dropdown_events::Never, const E& Event, A&&... Args) {
    Forward(grid_dropdown_events::Plain{}, Event, std::forward<A>(Args)...);
  }
  template <class E, class... A>
  void Forward(grid_dropdown_events::Block, const E& Event, A&&... Args) {
    if (!Event) return;
    SetPopupBlockActivate(true);
    Forward(grid_dropdown_events::Plain{}, Event, std::forward<A>(Args)...);
    SetPopupBlockActivate(false);
  }
  void Forward(grid_dropdown_events::Align, const TGridAlignEvent& Event, TObject* Sender, int ARow, int ACol,
               TAlignment& HAlign, TVAlignment& VAlign);
  void Forward(grid_dropdown_events::CellColor, const TGridColorEvent& Event, TObject* Sender, int ARow, int ACol,
               TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  void Forward(grid_dropdown_events::FloatFmt, const TFloatFormatEvent& Event, TObject* Sender, int ACol, int ARow,
               bool& IsFloat, String& FloatFormat);
  void Forward(grid_dropdown_events::Balloon, const TMouseMoveEvent& Event, TObject* Sender, TShiftState Shift, int X,
               int Y);
  void Forward(grid_dropdown_events::OwnSender, const TNotifyEvent& Event, TObject* Sender);
  void SetPopupBlockActivate(bool Value);

  bool FDesignTime = false;
  bool FBalloonInit = false;
  bool FCaseSensitive = false;
  bool FColumnSizing = false;
  bool FColumnMoving = false;
  int FLookupColumn = 0;
  TLookupMethod FLookupMethod = lmLookup;
  TColor FHeaderColorTo = clGray;
  TColor FHeaderColor = clWhite;
  TColor FLineColor = clSilver;
  bool FUseItems = true;
  std::unique_ptr<TDropDownItems> FItems;
  std::unique_ptr<TDropDownColumns> FColumns;
  int FItemIndex = -1;
  int FHeaderHeight = 25;
  std::unique_ptr<TFont> FHeaderFont;
  TAdvColGrid* FAdvColGrid = nullptr;  // owned as a component
  TColor FFixedLineColor = clGray;
  int FSelRow = 0;
  bool FWorkMode = true;
  // The text when the control was entered: the modified flag compares with it.
  String FOldValue;
  bool FRowSelect = true;
  bool FReturnIsTab = false;
  std::unique_ptr<TStringList> FLookupItems;
  bool FMatchCase = false;
  bool FMatchStart = true;
  bool FItemChange = false;
  int FItemIdx = -1;
  int FItemSel = 0;
  std::unique_ptr<TSearchFooter> FSearchFooter;
  std::unique_ptr<TBands> FBands;
  std::unique_ptr<TNavigation> FNavigation;
  std::unique_ptr<TMouseActions> FMouseActions;
  int FOldItemIndex = -1;
  bool FDropDownAutoWidth = true;
  bool FColumnSizeWithDropDown = true;
  TColor FSelectionTextColor = clBlack;
  int FDropDownRowHeight = 22;
  int FTempItemIndex = -1;
  TDropDownStyle FStyle = dsDropDown;
  String FLookupEntry;
  bool FHoverRow = false;
  TColor FHoverRowColor = clInfoBk;
  TColor FHoverRowColorTo = clNone;
  TGridSorting FSorting = gsNone;
  bool FGridEditable = false;
  TImageList* FGridImages = nullptr;
  bool FRowMoving = false;
  bool FRowSizing = false;
  bool FAutoShowDropDown = false;
  bool FAutoSizeColumns = true;
  // Writing Text from inside the change handling (completion) must not complete again.
  bool FCompleting = false;
  // BeforeDropDown moves the popup's current row to the item's: that selects nothing.
  bool FPreparing = false;
};
