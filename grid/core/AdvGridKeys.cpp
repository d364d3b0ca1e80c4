// Typed characters: Escape and Enter take their grid meaning, and the incremental row lookup in
// the sorted column, before the class library grid's own handling.
#include "grid/core/AdvGrid.h"

void TAdvStringGrid::KeyPress(Char& Key) {
  if (Key == 27) {
    if (Options().Contains(goEditing) && EditorMode()) {
      RestoreCurrentCell();
      HideInplaceEdit();
    }
    if (OnKeyPress) OnKeyPress(this, Key);
    return;
  }
  const int c = GetRealCol();
  if (Key == 13 && !FNavigation->AdvanceOnEnter() && !IsEditable(Col(), Row())) {
    if (OnKeyPress) OnKeyPress(this, Key);
    Key = 0;
    return;
  }
  if (Key == 13 && (!Focused() || IsControlCell(c, Row()))) {
    AdvanceToNextCell(Col(), Row(), EditorMode(), false, true, false, false);
    if (!FNavigation->AdvanceAutoEdit()) {
      if (OnKeyPress) OnKeyPress(this, Key);
      Key = 0;
      return;
    }
    if (IsControlCell(c, Row())) {
      if (OnKeyPress) OnKeyPress(this, Key);
      if (FNavigation->AdvanceOnEnter()) ShowEditor();
      return;
    }
  }
  if (!Options().Contains(goEditing) && FNavigation->AutoGotoWhenSorted()) {
    if (FNavigation->AutoGotoIncremental()) {
      if (Key == 8) {
        if (!SearchInc.empty()) SearchInc.pop_back();
      } else {
        SearchInc += Key;
      }
      SearchTics = 0;
    } else {
      SearchInc = String(1, Key);
    }
    const int r = Search(AnsiUpperCase(SearchInc));
    if (r < 0)
      SearchInc.clear();
    else
      SetRowEx(r);
  }
  TBaseGrid::KeyPress(Key);
}
