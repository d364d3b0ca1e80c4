// The grid drop-down: construction, the item index, opening and closing the popup grid, the popup
// grid's handlers, navigation and the event forwarders' additions.
#include "grid/griddropdown/AdvGridDropDown.h"

#include <cmath>

#include "grid/dropdown/AdvDropDownForm.h"
#include "grid/griddropdown/AdvGridDropDownShared.h"
#include "platform/ScrollingWinControl.h"

TCustomAdvGridDropDown::TCustomAdvGridDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner),
      FHeaderFont(std::make_unique<TFont>()),
      FLookupItems(std::make_unique<TStringList>()),
      FBands(std::make_unique<TBands>()),
      FNavigation(std::make_unique<TNavigation>()),
      FMouseActions(std::make_unique<TMouseActions>(this)) {
  // The base constructor ran its own versions of these before this class existed.
  if (!ComponentState().Contains(TComponentStateFlag::csDesigning)) CreateDropDownForm();
  SetSelectionColorStyle(scOffice2007);
  SetComponentStyle(tsOffice2007Luna);
  const TComponent* owner = Owner();
  FDesignTime = ComponentState().Contains(TComponentStateFlag::csDesigning) &&
                !(owner && (owner->ComponentState().Contains(TComponentStateFlag::csReading) ||
                            owner->ComponentState().Contains(TComponentStateFlag::csLoading)));
  FHeaderColorTo = clGray;
  FHeaderColor = clWhite;
  FHeaderHeight = 25;
  FLineColor = clSilver;
  FItems = CreateItems(this);
  FColumns = std::make_unique<TDropDownColumns>(this);
  SetDropDownColor(clWhite);
  SetDropDownHeight(200);
  FItemIndex = -1;
  SetAutoSelect(true);
  SetSelectionColorStyle(scOffice2007);
  FSelectionTextColor = clBlack;
  FSearchFooter = std::make_unique<TSearchFooter>(this, FDesignTime);
  FNavigation->SetHomeEndKey(heFirstLastRow);
  if (FDesignTime) {
    FColumns->Clear();
    for (int i = 0; i < 3; ++i) FColumns->Add();
  }
}

TCustomAdvGridDropDown::~TCustomAdvGridDropDown() = default;

std::unique_ptr<TDropDownItems> TCustomAdvGridDropDown::CreateItems(TPersistent* AOwner) {
  return std::make_unique<TDropDownItems>(AOwner);
}

void TCustomAdvGridDropDown::CreateDropDownForm() {
  TAdvCustomDropDown::CreateDropDownForm();
  if (!DropDownForm()) return;
  if (!FAdvColGrid) {
    FAdvColGrid = New<TAdvColGrid>(this);
    FAdvColGrid->SetParent(DropDownForm());
  }
  FAdvColGrid->SetDropDown(this);
  FAdvColGrid->SetBounds(0, 0, FAdvColGrid->Width(), 180);
  FAdvColGrid->SetColor(DropDownColor());
  FAdvColGrid->SetDoubleBuffered(true);
  FAdvColGrid->Navigation()->SetHomeEndKey(heFirstLastRow);
}

void TCustomAdvGridDropDown::PlaceDropDownControl() {
  SetControl(FAdvColGrid);
  TAdvCustomDropDown::PlaceDropDownControl();
}

void TCustomAdvGridDropDown::SetStyle(TDropDownStyle Value) {
  FStyle = Value;
  SetEditorEnabled(Value == dsDropDown);
}

void TCustomAdvGridDropDown::SetGridImages(TImageList* Value) {
  FGridImages = Value;
  if (FAdvColGrid) FAdvColGrid->SetGridImages(Value);
}

void TCustomAdvGridDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  TAdvCustomDropDown::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FGridImages) {
    FGridImages = nullptr;
    if (FAdvColGrid) FAdvColGrid->SetGridImages(nullptr);
  }
}

void TCustomAdvGridDropDown::Loaded() {
  TAdvCustomDropDown::Loaded();
  RebuildLookupList();
  if (FAdvColGrid) FAdvColGrid->LoadItems();
}

void TCustomAdvGridDropDown::DoEnter() {
  TAdvCustomDropDown::DoEnter();
  if (FAdvColGrid) FAdvColGrid->RemoveAllFilters();
  FLookupEntry.clear();
  FOldValue = GetText();
}

String TCustomAdvGridDropDown::ItemLookupText(int Index) const {
  if (Index < 0 || Index >= FItems->Count()) return String();
  return FItems->Items(Index)->TextOf(FLookupColumn);
}

void TCustomAdvGridDropDown::SetTextQuiet(const String& Value) {
  FCompleting = true;
  SetText(Value);
  FCompleting = false;
}

void TCustomAdvGridDropDown::SetItemIndex(int Value) {
  if (FUseItems) {
    if (Value >= FItems->Count()) return;
    FItemIndex = Value;
    SetTextQuiet(Value >= 0 && FLookupColumn >= 0 ? ItemLookupText(Value) : String());
    return;
  }
  if (!FAdvColGrid) {
    FItemIndex = Value;
    return;
  }
  // Only data rows: a value past the last one would read the cell below the grid.
  if (Value == FItemIndex || Value + FAdvColGrid->FixedRows() >= FAdvColGrid->RowCount()) return;
  FItemIndex = Value;
  SetTextQuiet(Value < 0 ? String() : FAdvColGrid->Cells(FLookupColumn, Value + 1));
}

int TCustomAdvGridDropDown::GetItemCount() const {
  if (FUseItems) return FItems->Count();
  return FAdvColGrid ? FAdvColGrid->RowCount() - FAdvColGrid->FixedRows() : 0;
}

int TCustomAdvGridDropDown::ItemOfRow(int R) const {
  if (FAdvColGrid && R < FAdvColGrid->RowCount()) return FAdvColGrid->RowItemIndex(R);
  return R;
}

int TCustomAdvGridDropDown::RowOfItem(int I) const {
  if (!FAdvColGrid || I < 0) return FItemIndex;
  for (int r = FAdvColGrid->FixedRows(); r < FAdvColGrid->RowCount(); ++r)
    if (FAdvColGrid->RowItemIndex(r) == I) return r;
  return FItemIndex;
}

// ---- navigation --------------------------------------------------------------------------------

void TCustomAdvGridDropDown::SelectFirst() { StepTo(grid_dropdown_shared::isFirst, GetItemCount()); }
void TCustomAdvGridDropDown::SelectLast() { StepTo(grid_dropdown_shared::isLast, GetItemCount()); }
void TCustomAdvGridDropDown::SelectNext() { StepTo(grid_dropdown_shared::isNext, GetItemCount()); }
void TCustomAdvGridDropDown::SelectPrevious() { StepTo(grid_dropdown_shared::isPrevious, GetItemCount()); }
void TCustomAdvGridDropDown::SelectNextPage() { StepTo(grid_dropdown_shared::isNextPage, GetItemCount()); }
void TCustomAdvGridDropDown::SelectPreviousPage() { StepTo(grid_dropdown_shared::isPreviousPage, GetItemCount()); }

void TCustomAdvGridDropDown::StepTo(grid_dropdown_shared::TItemStep Step, int Count) {
  const int target = grid_dropdown_shared::StepItem(Step, FItemIndex, Count);
  if (target != -2) SetItemIndex(target);
}

void TCustomAdvGridDropDown::EditMouseWheelDown() {
  TAdvCustomDropDown::EditMouseWheelDown();
  SelectNext();
}

void TCustomAdvGridDropDown::EditMouseWheelUp() {
  TAdvCustomDropDown::EditMouseWheelUp();
  SelectPrevious();
}

// ---- opening -----------------------------------------------------------------------------------

void TCustomAdvGridDropDown::ConnectGridEvents() {
  TAdvColGrid* grid = FAdvColGrid;
  namespace ev = grid_dropdown_events;
  const auto connect = [](auto Tag, auto& GridEvent, auto Forwarder, bool Assigned) {
    using Tag_t = decltype(Tag);
    if constexpr (std::is_same_v<Tag_t, ev::Keys> || std::is_same_v<Tag_t, ev::Sort> ||
                  std::is_same_v<Tag_t, ev::Never>) {
      (void)GridEvent, (void)Forwarder, (void)Assigned;
    } else if constexpr (std::is_same_v<Tag_t, ev::IfAssigned>) {
      if (Assigned) GridEvent = Forwarder;
    } else {
      (void)Assigned;
      GridEvent = Forwarder;
    }
  };
#define CONF_GDD_CONNECT(Event, GridEvent, Extra)                                                                 \
  connect(                                                                                                        \
      ev::Extra{}, grid->GridEvent, [this](auto&&... Args) { Do##Event(std::forward<decltype(Args)>(Args)...); }, \
      static_cast<bool>(On##Event));
  CONF_GRID_DROPDOWN_EVENTS(CONF_GDD_CONNECT)
#undef CONF_GDD_CONNECT
}

void TCustomAdvGridDropDown::BeforeDropDown() {
  if (DropDownForm()) DropDownForm()->SetCancelOnDeActivate(false);
  if (TAdvColGrid* grid = FAdvColGrid) {
    grid->ApplyDropDownSettings(this);
    grid->SetColor(DropDownColor());
    TSortSettings* sort = grid->SortSettings();
    sort->SetShow(FSorting != gsNone);
    sort->SetIndexShow(FSorting == gsMultiColumn);
    FBalloonInit = false;
    grid->SetGridImages(Images());
    grid->OnEndBlockFocus = [this](TObject*) { GridEndBlockFocus(); };
    grid->OnStartBlockFocus = [](TObject*) {};
    grid->OnSelectCell = nullptr;
    grid->OnSelect = [this](TObject*) { GridSelect(); };
    ConnectGridEvents();
    grid->SearchFooter()->Assign(FSearchFooter.get());
    grid->MouseActions()->Assign(FMouseActions.get());
    grid->Navigation()->Assign(FNavigation.get());
    grid->Bands()->Assign(FBands.get());
    TGridOptions o = grid->Options();
    o.Include(goThumbTracking);
    FRowSelect ? o.Include(goRowSelect) : o.Exclude(goRowSelect);
    FGridEditable ? o.Include(goEditing) : o.Exclude(goEditing);
    grid->SetOptions(o);
    grid->SetGridImages(FGridImages);
    grid->OnCanSort = [this](TObject*, int, bool&) { GridCanSort(); };
    grid->OnClickSort = [this](TObject*, int) { GridClickSort(); };
    grid->OnSelectCell = [this](TObject*, int, int ARow, bool&) { GridSelectCell(ARow); };
    grid->SetComponentStyle(GetComponentStyle());
    FPreparing = true;
    if (FUseItems) {
      TAdvCustomDropDown::BeforeDropDown();
      const int i = FItemIndex;
      grid->SetRowCount(FItems->Count() + 1);
      grid->SetFixedRows(1);
      grid->LoadItems();
      const int r = RowOfItem(i);
      if (r >= grid->FixedRows() && r < grid->RowCount()) grid->SetRowEx(r);
    } else {
      String full;
      int r = -1;
      if (FindLookupRow(GetText(), full, r))
        grid->SetRowEx(r);
      else if (grid->RowCount() > grid->FixedRows())
        grid->SetRowEx(grid->FixedRows());
    }
    if (sort->Column() >= 0 && sort->Show()) grid->QSort();
    FPreparing = false;
  }
  FOldItemIndex = FItemIndex;
  if (!FUseItems || !FAdvColGrid) TAdvCustomDropDown::BeforeDropDown();
}

void TCustomAdvGridDropDown::AdjustDropDownHeight(int& Height) {
  const int strips = (DropDownHeader()->Visible() ? DropDownHeader()->Height() : 0) +
                     (DropDownFooter()->Visible() ? DropDownFooter()->Height() : 0);
  // A row height below 1 counts as 1.
  const int row = std::max(1, FDropDownRowHeight);
  const int b = Height - strips - FHeaderHeight - 2;
  Height = strips + FHeaderHeight + (b / row) * row + 6;
}

void TCustomAdvGridDropDown::UpdateDropDownSize() {
  TAdvCustomDropDown::UpdateDropDownSize();
  if (FDropDownAutoWidth) grid_dropdown_shared::FitPopupToGrid(*this, FAdvColGrid);
}

void TCustomAdvGridDropDown::DoShowDropDown() {
  TAdvCustomDropDown::DoShowDropDown();
  TAdvColGrid* grid = FAdvColGrid;
  if (!grid) return;
  if (!FUseItems)
    while (FColumns->Count() < grid->ColCount()) FColumns->Add();
  if (!DroppedDown()) return;
  SizeColumnsToDropDown();
  const int visible = grid->VisibleRowCount();
  if (visible + grid->FixedRows() < grid->RowCount()) {
    if (grid->TopRow() + visible < grid->Row()) grid->SetTopRow(grid->Row());
    if (grid->Row() < grid->TopRow()) grid->SetTopRow(grid->Row());
  }
  FSelRow = grid->Row();
  grid->SetTabStop(true);
  if (grid->CanFocus()) grid->SetFocus();
}

void TCustomAdvGridDropDown::DropDownSizing() {
  TAdvCustomDropDown::DropDownSizing();
  SizeColumnsToDropDown();
}

void TCustomAdvGridDropDown::SizeColumnsToDropDown() {
  if (FColumnSizeWithDropDown && FAdvColGrid)
    grid_dropdown_shared::SizeColumnsToPopup(*this, FAdvColGrid, FColumns.get());
}

// ---- closing -----------------------------------------------------------------------------------

void TCustomAdvGridDropDown::DoHideDropDown(bool Cancel) {
  if (DropDownForm() && DropDownForm()->Visible()) {
    if (Cancel) {
      SetItemIndex(FOldItemIndex);
    } else if (FAdvColGrid && FAdvColGrid->ConfirmSelection()) {
      SetItemIndex(FUseItems ? ItemOfRow(FSelRow) : FSelRow - FAdvColGrid->FixedRows());
      FOldItemIndex = FItemIndex;
      FAdvColGrid->SetConfirmSelection(false);
    }
  }
  TAdvCustomDropDown::DoHideDropDown(Cancel);
}

// ---- the popup grid's handlers -----------------------------------------------------------------

void TCustomAdvGridDropDown::GridSelectCell(int ARow) {
  FSelRow = ARow;
  // Preparing the popup moves the current row to the item's row: that picks nothing.
  if (FPreparing || FAdvColGrid->MouseWheelSelection()) return;
  if (FUseItems) {
    SetItemIndex(ItemOfRow(ARow));
  } else {
    SetTextQuiet(FAdvColGrid->Cells(FLookupColumn, ARow));
    SetItemIndex(ARow - FAdvColGrid->FixedRows());
  }
}

void TCustomAdvGridDropDown::GridSelect() {
  TAdvColGrid* grid = FAdvColGrid;
  if (grid->ConfirmSelection()) SetItemIndex(FUseItems ? ItemOfRow(grid->Row()) : grid->Row() - 1);
  if (!FGridEditable) DoHideDropDown(false);
  if (OnSelect) OnSelect(this);
}

void TCustomAdvGridDropDown::GridCanSort() { FTempItemIndex = FItemIndex; }

void TCustomAdvGridDropDown::GridClickSort() {
  const int r = RowOfItem(FTempItemIndex);
  if (r >= 0) FAdvColGrid->SetRowEx(r);
}

void TCustomAdvGridDropDown::GridEndBlockFocus() {
  if (DropDownForm()) DropDownForm()->SetBlockActivate(false);
}

void TCustomAdvGridDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  const bool stays =
      (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN) &&
      !Shift.Contains(ssAlt);
  if (!stays) TAdvCustomDropDown::ControlKeyDown(Key, Shift);
  DoGridKeyDown(this, Key, Shift);
}

void TCustomAdvGridDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  const bool stays =
      (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN) &&
      !Shift.Contains(ssAlt);
  if (stays)
    FLookupEntry.clear();
  else
    TAdvCustomDropDown::ControlKeyUp(Key, Shift);
  DoGridKeyUp(this, Key, Shift);
}

void TCustomAdvGridDropDown::ControlKeyPress(Char& Key) {
  TAdvColGrid* grid = FAdvColGrid;
  const bool alt = GetKeyState(VK_MENU) < 0;
  if (((Key == VK_RETURN || Key == VK_ESCAPE) && !alt) || (grid && grid->Options().Contains(goEditing))) {
    FLookupEntry.clear();
  } else if (grid) {
    int r = LookupTypedChar(Key);
    // A lookup in item mode answers an item, whose row may have moved by sorting; narrowing down
    // answers the first remaining row itself.
    if (r >= 0 && FUseItems && FLookupMethod == lmLookup) r = RowOfItem(r);
    if (r >= grid->FixedRows() && r < grid->RowCount()) {
      if (grid->VisibleRowCount() + grid->FixedRows() < grid->RowCount()) grid->SetTopRow(r);
      grid->SetRowEx(r);
      grid->SetCol(0);
      grid->RepaintRow(r);
    } else {
      FLookupEntry.clear();
    }
  }
  DoGridKeyPress(this, Key);
}

// ---- what the forwarders add -------------------------------------------------------------------

void TCustomAdvGridDropDown::SetPopupBlockActivate(bool Value) {
  if (DropDownForm()) DropDownForm()->SetBlockActivate(Value);
}

void TCustomAdvGridDropDown::Forward(grid_dropdown_events::Align, const TGridAlignEvent& Event, TObject* Sender,
                                     int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign) {
  if (!Event) return;
  if (ACol >= 0 && ACol < FColumns->Count()) HAlign = FColumns->Items(ACol)->Alignment();
  Event(Sender, ARow, ACol, HAlign, VAlign);
}

void TCustomAdvGridDropDown::Forward(grid_dropdown_events::CellColor, const TGridColorEvent& Event, TObject* Sender,
                                     int ARow, int ACol, TGridDrawState AState, TBrush* ABrush, TFont* AFont) {
  if (!Event) return;
  if (ACol >= 0 && ACol < FColumns->Count()) ABrush->SetColor(FColumns->Items(ACol)->Color());
  Event(Sender, ARow, ACol, AState, ABrush, AFont);
}

void TCustomAdvGridDropDown::Forward(grid_dropdown_events::FloatFmt, const TFloatFormatEvent& Event, TObject* Sender,
                                     int ACol, int ARow, bool& IsFloat, String& FloatFormat) {
  // Emptied whether or not the event is assigned: the popup then shows numbers as stored, as a
  // grid without the event does.
  FloatFormat.clear();
  if (Event) Event(Sender, ACol, ARow, IsFloat, FloatFormat);
}

void TCustomAdvGridDropDown::Forward(grid_dropdown_events::Balloon, const TMouseMoveEvent& Event, TObject* Sender,
                                     TShiftState Shift, int X, int Y) {
  if (!FBalloonInit && FAdvColGrid && FAdvColGrid->Balloon()->Enable()) {
    // The balloon hints are set up anew for the popup's window.
    FAdvColGrid->Balloon()->SetEnable(false);
    FAdvColGrid->Balloon()->SetEnable(true);
    FBalloonInit = true;
  }
  if (Event) Event(Sender, Shift, X, Y);
}

void TCustomAdvGridDropDown::Forward(grid_dropdown_events::OwnSender, const TNotifyEvent& Event, TObject*) {
  if (Event) Event(this);
}
