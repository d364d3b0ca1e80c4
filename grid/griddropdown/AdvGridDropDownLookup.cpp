// The grid drop-down's typing: the incremental lookup, the lookup list and auto-completion, the
// edit's keys, and the style presets.
#include <algorithm>

#include "grid/dropdown/AdvDropDownDraw.h"
#include "grid/dropdown/AdvDropDownForm.h"
#include "grid/griddropdown/AdvGridDropDownShared.h"
#include "grid/griddropdown/AdvGridDropDown.h"
#include "grid/griddropdown/AdvGridDropDownStyles.h"

namespace {
bool IsNavigationKey(Word Key) { return Key >= VK_PRIOR && Key <= VK_DOWN; }
}  // namespace

void TCustomAdvGridDropDown::RebuildLookupList() {
  if (FLookupColumn < 0 || FItems->Count() == 0) return;
  FLookupItems->Clear();
  for (int i = 0; i < FItems->Count(); ++i) FLookupItems->Add(ItemLookupText(i));
}

bool TCustomAdvGridDropDown::FindLookupRow(const String& S, String& FullText, int& Row) {
  Row = -1;
  FullText.clear();
  const String key = FCaseSensitive ? S : AnsiUpperCase(S);
  if (key.empty()) return false;
  const auto matches = [&](const String& Text) {
    return (FCaseSensitive ? Text : AnsiUpperCase(Text)).compare(0, key.size(), key) == 0;
  };
  if (FUseItems) {
    // An item with fewer texts than the lookup column counts as empty, as in the lookup list.
    for (int i = 0; i < FItems->Count(); ++i) {
      const String text = ItemLookupText(i);
      if (!matches(text)) continue;
      FullText = text;
      Row = i;
      return true;
    }
  } else if (FAdvColGrid) {
    for (int r = FAdvColGrid->FixedRows(); r < FAdvColGrid->RowCount(); ++r) {
      const String text = FAdvColGrid->Cells(FLookupColumn, r);
      if (!matches(text)) continue;
      FullText = text;
      Row = r;
      return true;
    }
  }
  return false;
}

void TCustomAdvGridDropDown::SelectCompletion(const String& Full, int TypedLength) {
  (void)Full;
  const int length = static_cast<int>(GetText().size());
  SetSelStart(TypedLength);
  SetSelLength(std::max(0, length - TypedLength));
}

void TCustomAdvGridDropDown::TakeLookupHit(int R, const String& T) {
  FItemIndex = FUseItems ? R : R - (FAdvColGrid ? FAdvColGrid->FixedRows() : 1);
  SetTextQuiet(T);
}

int TCustomAdvGridDropDown::LookupTypedChar(Char C) {
  if (FLookupMethod == lmNone) return -1;
  if (C != VK_BACK && C != VK_TAB) FLookupEntry += C;
  if (C == VK_BACK) {
    grid_dropdown_shared::LookupBackspace(*this, FLookupEntry);
    return -1;
  }
  const String entry = Trim(FLookupEntry);
  const int typed = static_cast<int>(FLookupEntry.size());
  if (FLookupMethod == lmNarrowDown) {
    TAdvColGrid* grid = FAdvColGrid;
    if (!grid) return -1;
    if (!entry.empty()) {
      grid->SetFixedRowAlways(true);
      grid->NarrowDown(entry, FLookupColumn);
      if (FStyle == dsDropDown && grid->RowCount() > grid->FixedRows()) {
        SetTextQuiet(grid->Cells(FLookupColumn, grid->FixedRows()));
        SelectCompletion(GetText(), typed);
      }
    } else {
      grid->RemoveAllFilters();
    }
    return grid->FixedRows();
  }
  String full;
  int row = -1;
  if (FindLookupRow(entry, full, row)) {
    TakeLookupHit(row, full);
    if (FStyle == dsDropDown) SelectCompletion(full, typed);
    return row;
  }
  if (FStyle == dsDropDown) return -1;
  // A list-only drop-down starts the lookup again with the last character alone.
  if (FindLookupRow(String(1, C), full, row)) {
    TakeLookupHit(row, full);
    FLookupEntry = String(1, C);
    return row;
  }
  FLookupEntry.clear();
  return -1;
}

// ---- the edit's messages and key methods -------------------------------------------------------

void TCustomAdvGridDropDown::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN) {
    HandleKeyDownMessage(Message);
    return;
  }
  if (Message.Msg == WM_CHAR) {
    HandleCharMessage(Message);
    return;
  }
  TAdvCustomDropDown::WndProc(Message);
}

void TCustomAdvGridDropDown::HandleKeyDownMessage(TMessage& Message) {
  const Word key = static_cast<Word>(Message.WParam);
  if (key == VK_RETURN && FAdvColGrid) FAdvColGrid->SetConfirmSelection(true);
  TAdvCustomDropDown::WndProc(Message);
  if (!Enabled() || GetKeyState(VK_MENU) < 0) return;
  if (!IsNavigationKey(key) || key == VK_LEFT || key == VK_RIGHT) return;
  FLookupEntry.clear();
  switch (key) {
    case VK_PRIOR:
      SelectPreviousPage();
      break;
    case VK_NEXT:
      SelectNextPage();
      break;
    case VK_END:
      if (GetKeyState(VK_SHIFT) >= 0 && FStyle == dsDropDownList) SelectLast();
      break;
    case VK_HOME:
      if (GetKeyState(VK_SHIFT) >= 0 && FStyle == dsDropDownList) SelectFirst();
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

void TCustomAdvGridDropDown::HandleCharMessage(TMessage& Message) {
  TAdvCustomDropDown::WndProc(Message);
  LookupTypedChar(static_cast<Char>(Message.WParam));
  if (FAutoShowDropDown) ShowDropDown();
}

bool TCustomAdvGridDropDown::InEditMode() const {
  return FAdvColGrid && FAdvColGrid->Options().Contains(goEditing) && FAdvColGrid->InEditMode();
}

void TCustomAdvGridDropDown::KeyDown(Word& Key, TShiftState Shift) {
  TAdvColGrid* grid = FAdvColGrid;
  if (InEditMode() && Key == VK_RETURN && !Shift.Contains(ssShift)) {
    grid->HideInplaceEdit();
    SetTextQuiet(grid->Cells(FLookupColumn, grid->Row()));
    SetItemIndex(grid->Row() - grid->FixedRows());
    Key = 0;
    return;
  }
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
  if (Key == VK_ESCAPE || IsNavigationKey(Key)) FLookupEntry.clear();
  TAdvCustomDropDown::KeyDown(Key, Shift);
  if (Key == VK_ESCAPE) SetItemIndex(FLookupItems->IndexOf(GetText()));
}

void TCustomAdvGridDropDown::KeyPress(Char& Key) {
  if (Key == VK_RETURN && FReturnIsTab) {
    Key = 0;
    return;
  }
  TAdvCustomDropDown::KeyPress(Key);
}

void TCustomAdvGridDropDown::KeyUp(Word& Key, TShiftState Shift) {
  if (!(Key == VK_RETURN && FReturnIsTab)) TAdvCustomDropDown::KeyUp(Key, Shift);
  if (InEditMode() && Key == VK_RETURN && !Shift.Contains(ssShift)) {
    if (FAdvColGrid->Col() == FLookupColumn)
      HideDropDown(false);
    else
      FAdvColGrid->HideInplaceEdit();
  }
  if (!FItemChange) return;
  SetItemIndex(FItemIdx);
  SetSelStart(FItemSel);
  SetSelLength(std::max(0, static_cast<int>(EditText().size()) - FItemSel));
  FItemChange = false;
}

void TCustomAdvGridDropDown::Change() {
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

void TCustomAdvGridDropDown::SetSelectionColorStyle(TSelectionColorStyle Style) {
  ApplyGridDropDownSelectionLines(*this, Style);
  TAdvCustomDropDown::SetSelectionColorStyle(Style);
}

void TCustomAdvGridDropDown::SetComponentStyle(TQELStyle AStyle) {
  TAdvCustomDropDown::SetComponentStyle(AStyle);
  ApplyGridDropDownStyle(*this, AStyle, false);
}
