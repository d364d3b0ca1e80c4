// The multi-column drop-down: construction, the item index, opening and closing the popup, the
// popup's handlers and keys, typing (lookup and auto-completion) and the style presets.
#include "grid/griddropdown/AdvMultiColumnDropDown.h"

#include <algorithm>

#include "grid/dropdown/AdvDropDownDraw.h"
#include "grid/dropdown/AdvDropDownForm.h"
#include "grid/griddropdown/AdvGridDropDownShared.h"
#include "grid/griddropdown/AdvGridDropDownStyles.h"
#include "platform/ScrollingWinControl.h"

TAdvMultiColumnDropDown::TAdvMultiColumnDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner),
      FItems(std::make_unique<TDropDownItems>(this)),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>()),
      FLookupItems(std::make_unique<TStringList>()) {
  // The base constructor ran its own versions of these before this class existed.
  if (!ComponentState().Contains(TComponentStateFlag::csDesigning)) CreateDropDownForm();
  SetSelectionColorStyle(scOffice2007);
  SetComponentStyle(tsOffice2007Luna);
  FHeaderColorTo = clGray;
  FHeaderColor = clWhite;
  FHeaderHeight = 25;
  FLineColor = clSilver;
  SetDropDownColor(clWhite);
  SetDropDownHeight(200);
  FItemIndex = -1;
  SetAutoSelect(true);
  SetSelectionColorStyle(scOffice2007);
  FSelectionTextColor = clBlack;
}

TAdvMultiColumnDropDown::~TAdvMultiColumnDropDown() = default;

void TAdvMultiColumnDropDown::CreateDropDownForm() {
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
}

void TAdvMultiColumnDropDown::PlaceDropDownControl() {
  SetControl(FAdvColGrid);
  TAdvCustomDropDown::PlaceDropDownControl();
}

void TAdvMultiColumnDropDown::Assign(TPersistent* Source) {
  TAdvCustomDropDown::Assign(Source);
  auto* s = dynamic_cast<TAdvMultiColumnDropDown*>(Source);
  if (!s) return;
  FCaseSensitive = s->FCaseSensitive;
  FDropDownAutoWidth = s->FDropDownAutoWidth;
  FDropDownRowHeight = s->FDropDownRowHeight;
  FLineColor = s->FLineColor;
  FFixedLineColor = s->FFixedLineColor;
  FColumnSizing = s->FColumnSizing;
  FColumnSizeWithDropDown = s->FColumnSizeWithDropDown;
  FColumns->Assign(s->FColumns.get());
  FHeaderColor = s->FHeaderColor;
  FHeaderColorTo = s->FHeaderColorTo;
  FHeaderHeight = s->FHeaderHeight;
  FHeaderFont->Assign(s->FHeaderFont.get());
  FLookupColumn = s->FLookupColumn;
  FSelectionTextColor = s->FSelectionTextColor;
  FItems->Assign(s->FItems.get());
  FItemIndex = s->FItemIndex;
}

void TAdvMultiColumnDropDown::Loaded() {
  TAdvCustomDropDown::Loaded();
  RebuildLookupList();
}

void TAdvMultiColumnDropDown::DoEnter() {
  TAdvCustomDropDown::DoEnter();
  FOldValue = GetText();
}

String TAdvMultiColumnDropDown::ItemLookupText(int Index) const {
  if (Index < 0 || Index >= FItems->Count()) return String();
  return FItems->Items(Index)->TextOf(FLookupColumn);
}

void TAdvMultiColumnDropDown::SetTextQuiet(const String& Value) {
  FCompleting = true;
  SetText(Value);
  FCompleting = false;
}

void TAdvMultiColumnDropDown::SetItemIndex(int Value) {
  if (Value >= FItems->Count()) return;
  FItemIndex = Value;
  SetTextQuiet(Value >= 0 && FLookupColumn >= 0 ? ItemLookupText(Value) : String());
}

int TAdvMultiColumnDropDown::GetItemIndex(const String& Value) const {
  // An item with fewer texts than the lookup column counts as empty, as in the lookup list.
  for (int i = 0; i < FItems->Count(); ++i)
    if (ItemLookupText(i) == Value) return i;
  return -1;
}

bool TAdvMultiColumnDropDown::FindLookupItem(const String& S, String& FullText, int& Index) const {
  Index = -1;
  FullText.clear();
  if (!FAdvColGrid) return false;
  const String key = FCaseSensitive ? S : AnsiUpperCase(S);
  if (key.empty()) return false;
  for (int i = 0; i < FItems->Count(); ++i) {
    // An item with fewer texts than the lookup column counts as empty: it never matches.
    const multicolumn_dropdown::TDropDownItem* item = FItems->Items(i);
    if (!item->HasText(FLookupColumn)) continue;
    const String& text = item->Text()->Strings(FLookupColumn);
    if (!grid_dropdown_shared::BeginsWithKey(text, key, FCaseSensitive)) continue;
    FullText = text;
    Index = i;
    return true;
  }
  return false;
}

void TAdvMultiColumnDropDown::RebuildLookupList() {
  if (FLookupColumn < 0 || FItems->Count() == 0) return;
  FLookupItems->Clear();
  for (int i = 0; i < FItems->Count(); ++i) FLookupItems->Add(ItemLookupText(i));
}

// ---- navigation --------------------------------------------------------------------------------

void TAdvMultiColumnDropDown::SelectFirst() { StepTo(grid_dropdown_shared::isFirst, FItems->Count()); }
void TAdvMultiColumnDropDown::SelectLast() { StepTo(grid_dropdown_shared::isLast, FItems->Count()); }
void TAdvMultiColumnDropDown::SelectNext() { StepTo(grid_dropdown_shared::isNext, FItems->Count()); }
void TAdvMultiColumnDropDown::SelectPrevious() { StepTo(grid_dropdown_shared::isPrevious, FItems->Count()); }
void TAdvMultiColumnDropDown::SelectNextPage() { StepTo(grid_dropdown_shared::isNextPage, FItems->Count()); }
void TAdvMultiColumnDropDown::SelectPreviousPage() { StepTo(grid_dropdown_shared::isPreviousPage, FItems->Count()); }

void TAdvMultiColumnDropDown::StepTo(grid_dropdown_shared::TItemStep Step, int Count) {
  const int target = grid_dropdown_shared::StepItem(Step, FItemIndex, Count);
  if (target != -2) SetItemIndex(target);
}

void TAdvMultiColumnDropDown::EditMouseWheelDown() {
  TAdvCustomDropDown::EditMouseWheelDown();
  SelectNext();
}

void TAdvMultiColumnDropDown::EditMouseWheelUp() {
  TAdvCustomDropDown::EditMouseWheelUp();
  SelectPrevious();
}

// ---- opening -----------------------------------------------------------------------------------

void TAdvMultiColumnDropDown::BeforeDropDown() {
  TAdvCustomDropDown::BeforeDropDown();
  if (DropDownForm()) DropDownForm()->SetCancelOnDeActivate(false);
  FShowing = true;
  if (TAdvColGrid* grid = FAdvColGrid) {
    grid->ApplyDropDownSettings(this);
    TGridOptions o = grid->Options();
    o.Include(goThumbTracking);
    grid->SetOptions(o);
    grid->SetColor(DropDownColor());
    grid->OnSelectCell = [this](TObject*, int, int ARow, bool&) { GridSelectCell(ARow); };
    grid->OnSelect = [this](TObject*) { GridSelect(); };
    const int row = FItemIndex + 1 < grid->FixedRows() ? 1 : FItemIndex + 1;
    if (row < grid->RowCount()) grid->SetRow(row);
  }
  FOldItemIndex = FItemIndex;
}

void TAdvMultiColumnDropDown::AdjustDropDownHeight(int& Height) {
  const int strips = (DropDownHeader()->Visible() ? DropDownHeader()->Height() : 0) +
                     (DropDownFooter()->Visible() ? DropDownFooter()->Height() : 0);
  // A row height below 1 counts as 1.
  const int row = std::max(1, FDropDownRowHeight);
  const int b = Height - strips - FHeaderHeight - 2;
  Height = strips + FHeaderHeight + (b / row) * row + 2;
}

void TAdvMultiColumnDropDown::UpdateDropDownSize() {
  TAdvCustomDropDown::UpdateDropDownSize();
  if (FDropDownAutoWidth) grid_dropdown_shared::FitPopupToGrid(*this, FAdvColGrid);
}

void TAdvMultiColumnDropDown::DoShowDropDown() {
  TAdvCustomDropDown::DoShowDropDown();
  TAdvColGrid* grid = FAdvColGrid;
  if (grid) {
    SizeColumnsToDropDown();
    if (grid->RowCount() > 1) {
      grid->SetRow(FItemIndex >= 0 ? FItemIndex + 1 : 1);
      const TRect r = grid->CellBounds(grid->FixedCols(), grid->Row());
      if (r.Left <= 0 && r.Top <= 0) grid->SetTopRow(grid->Row() - grid->VisibleRowCount() + 1);
    }
    // The popup's keys go to the grid.
    if (DroppedDown()) {
      grid->SetTabStop(true);
      if (grid->CanFocus()) grid->SetFocus();
    }
  }
  FShowing = false;
}

void TAdvMultiColumnDropDown::DropDownSizing() {
  TAdvCustomDropDown::DropDownSizing();
  SizeColumnsToDropDown();
}

void TAdvMultiColumnDropDown::SizeColumnsToDropDown() {
  if (FColumnSizeWithDropDown && FAdvColGrid)
    grid_dropdown_shared::SizeColumnsToPopup(*this, FAdvColGrid, FColumns.get());
}

// ---- closing and the popup grid's handlers -----------------------------------------------------

void TAdvMultiColumnDropDown::DoHideDropDown(bool Cancel) {
  if (!DropDownForm() || !DropDownForm()->Visible()) {
    TAdvCustomDropDown::DoHideDropDown(Cancel);
    return;
  }
  TAdvCustomDropDown::DoHideDropDown(Cancel);
  if (Cancel)
    SetItemIndex(FOldItemIndex);
  else if (FAdvColGrid && FAdvColGrid->ConfirmSelection())
    SetItemIndex(FAdvColGrid->Row() - 1);
  FOldItemIndex = FItemIndex;
}

void TAdvMultiColumnDropDown::GridSelectCell(int ARow) {
  if (FAdvColGrid && !FAdvColGrid->MouseWheelSelection() && !FShowing) SetItemIndex(ARow - 1);
}

void TAdvMultiColumnDropDown::GridSelect() {
  if (FAdvColGrid->ConfirmSelection()) SetItemIndex(FAdvColGrid->Row() - 1);
  DoHideDropDown(false);
  if (OnSelect) OnSelect(this);
}

namespace {
bool StaysInGrid(Word Key, TShiftState Shift) {
  return (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) && !Shift.Contains(ssAlt);
}
}  // namespace

void TAdvMultiColumnDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  if (!StaysInGrid(Key, Shift)) TAdvCustomDropDown::ControlKeyDown(Key, Shift);
}

void TAdvMultiColumnDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  if (!StaysInGrid(Key, Shift)) TAdvCustomDropDown::ControlKeyUp(Key, Shift);
}

void TAdvMultiColumnDropDown::ControlKeyPress(Char& Key) {
  TAdvColGrid* grid = FAdvColGrid;
  const bool alt = GetKeyState(VK_MENU) < 0;
  if (!grid || ((Key == VK_RETURN || Key == VK_ESCAPE) && !alt) || grid->Options().Contains(goEditing)) {
    FLookupEntry.clear();
    return;
  }
  const int i = LookupTypedChar(Key);
  if (i == -1) {
    FLookupEntry.clear();
    return;
  }
  const int r = i + grid->FixedRows();
  if (r > grid->TopRow() + grid->VisibleRowCount() || r < grid->TopRow()) grid->SetTopRow(r);
  grid->SetRow(r);
  grid->SetCol(0);
}

// ---- typing ------------------------------------------------------------------------------------

int TAdvMultiColumnDropDown::LookupTypedChar(Char C) {
  if (C != VK_BACK && C != VK_TAB) FLookupEntry += C;
  if (C == VK_BACK) {
    grid_dropdown_shared::LookupBackspace(*this, FLookupEntry);
    return -1;
  }
  String full;
  int index = -1;
  if (FindLookupItem(FLookupEntry, full, index)) {
    FItemIndex = index;
    SetTextQuiet(full);
    const int typed = static_cast<int>(FLookupEntry.size());
    SetSelStart(typed);
    SetSelLength(std::max(0, static_cast<int>(full.size()) - typed));
    return index;
  }
  // List-only: the lookup starts again with the last character alone.
  if (FindLookupItem(String(1, C), full, index)) {
    FItemIndex = index;
    SetTextQuiet(full);
    FLookupEntry = String(1, C);
    return index;
  }
  FLookupEntry.clear();
  return -1;
}

void TAdvMultiColumnDropDown::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN) {
    HandleKeyDownMessage(Message);
    return;
  }
  TAdvCustomDropDown::WndProc(Message);
}

void TAdvMultiColumnDropDown::HandleKeyDownMessage(TMessage& Message) {
  const Word key = static_cast<Word>(Message.WParam);
  TAdvCustomDropDown::WndProc(Message);
  if (!Enabled() || GetKeyState(VK_MENU) < 0) return;
  switch (key) {
    case VK_PRIOR:
      SelectPreviousPage();
      break;
    case VK_NEXT:
      SelectNextPage();
      break;
    case VK_END:
      if (!EditorEnabled()) SelectLast();
      break;
    case VK_HOME:
      if (!EditorEnabled()) SelectFirst();
      break;
    case VK_UP:
      SelectPrevious();
      break;
    case VK_DOWN:
      SelectNext();
      break;
    default:
      break;
  }
}

void TAdvMultiColumnDropDown::KeyDown(Word& Key, TShiftState Shift) {
  if (FLookupColumn < 0 || FItems->Count() == 0) {
    TAdvCustomDropDown::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE) {
    FWorkMode = false;
  } else if (Key == VK_RETURN) {
    const int found = FLookupItems->IndexOf(GetText());
    if (found >= 0) {
      SetTextQuiet(FLookupItems->Strings(found));
      SetItemIndex(found);
      Change();
    }
    if (FReturnIsTab) {
      PostMessage(this, WM_KEYDOWN, VK_TAB, 0);
      Key = 0;
    }
  } else {
    FWorkMode = true;
  }
  TAdvCustomDropDown::KeyDown(Key, Shift);
  if (Key == VK_ESCAPE) SetItemIndex(FLookupItems->IndexOf(GetText()));
}

void TAdvMultiColumnDropDown::KeyPress(Char& Key) {
  if (Key == VK_RETURN && FReturnIsTab) {
    Key = 0;
    return;
  }
  TAdvCustomDropDown::KeyPress(Key);
}

void TAdvMultiColumnDropDown::KeyUp(Word& Key, TShiftState Shift) {
  if (!(Key == VK_RETURN && FReturnIsTab)) TAdvCustomDropDown::KeyUp(Key, Shift);
  if (!FItemChange) return;
  SetItemIndex(FItemIdx);
  SetSelStart(FItemSel);
  SetSelLength(std::max(0, static_cast<int>(EditText().size()) - FItemSel));
  FItemChange = false;
}

void TAdvMultiColumnDropDown::Change() {
  if (FCompleting) {
    // A text written by the drop-down itself: only the change event.
    TAdvCustomDropDown::Change();
    return;
  }
  FItemChange = false;
  TAdvCustomDropDown::Change();
  if (ComponentState().Contains(TComponentStateFlag::csDesigning) || !FWorkMode) return;
  SetModifiedFlag(GetText() != FOldValue);
  int typed = 0;
  grid_dropdown_shared::CompleteFromLookupList(
      *this, FLookupItems.get(), FMatchCase,
      [this, &typed](const String& Text, int Entry) {
        if (Entry >= 0) {
          FItemIndex = Entry;
          FItemIdx = Entry;
          FItemSel = typed;
          FItemChange = true;
        }
        SetTextQuiet(Text);
      },
      typed);
}

// ---- style presets -----------------------------------------------------------------------------

void TAdvMultiColumnDropDown::SetSelectionColorStyle(TSelectionColorStyle Style) {
  ApplyGridDropDownSelectionLines(*this, Style);
  TAdvCustomDropDown::SetSelectionColorStyle(Style);
}

void TAdvMultiColumnDropDown::SetComponentStyle(TQELStyle AStyle) {
  TAdvCustomDropDown::SetComponentStyle(AStyle);
  ApplyGridDropDownStyle(*this, AStyle, true);
}
