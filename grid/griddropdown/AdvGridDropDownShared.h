#pragma once
// What the grid drop-down and the multi-column drop-down do alike over their own popup grids and
// items: the popup's width and column scaling, item navigation, Backspace in the incremental
// lookup and auto-completion from the lookup list.
#include <functional>

#include "grid/dropdown/AdvDropDown.h"
#include "grid/dropdown/AdvDropDownForm.h"
#include "grid/griddropdown/AdvColGrid.h"
#include "platform/ScrollingWinControl.h"

namespace grid_dropdown_shared {

// With automatic width, the popup takes the width its grid needs.
template <class TGrid>
void FitPopupToGrid(TAdvCustomDropDown& D, TGrid* Grid) {
  TDropDownForm* form = D.DropDownForm();
  if (!form || !Grid) return;
  const int w = Grid->GetNeededWidth();
  Grid->SetAlign(alNone);
  Grid->SetWidth(w);
  form->SetBounds(form->Left(), form->Top(), Grid->Width() + 2 * D.DropDownBorderWidth(), form->Height());
  Grid->SetAlign(alClient);
}

// The grid's columns scaled to the popup's width (less the scroll bar when rows are hidden).
template <class TGrid, class TColumns>
void SizeColumnsToPopup(TAdvCustomDropDown& D, TGrid* Grid, TColumns* Columns) {
  Grid->SetScrollBars(ssVertical);
  if (Columns->Count() == 0) return;
  int w = D.DropDownForm() ? D.DropDownForm()->Width() : Grid->Width();
  if (Grid->VisibleRowCount() < Grid->RowCount() - Grid->FixedRows()) w -= TScrollingWinControl::kScrollBarSize;
  dropdown_sizing::ScaleColumnsToWidth(Grid, Columns, w);
}

enum TItemStep : uint8_t { isFirst, isLast, isNext, isPrevious, isNextPage, isPreviousPage };
// The item a step goes to from ItemIndex among Count items; -2 when it goes nowhere.
int StepItem(TItemStep Step, int ItemIndex, int Count);

// Whether Text begins with Key, Key upper-cased already unless CaseSensitive; no copy is made.
bool BeginsWithKey(const String& Text, const String& Key, bool CaseSensitive);

// Backspace in the incremental lookup: without a selection the entry loses its last character and
// becomes the text; with one, the selected text goes. The caret ends at the end of the text.
void LookupBackspace(TAdvCustomDropDown& Edit, String& Entry);

// Auto-completion of the edit's text from the lookup list: the first entry that the text before
// the caret begins (case-folded by MatchCase) completes it, the typed part kept as typed and the
// rest selected. SetText writes a text without completing again, told the entry it completes to
// (-1: none matched and the text is cut at the caret). Typed: the typed length.
void CompleteFromLookupList(TAdvCustomDropDown& Edit, TStringList* Entries, bool MatchCase,
                            const std::function<void(const String& Text, int Entry)>& SetText, int& Typed);

}  // namespace grid_dropdown_shared
