#pragma once
// What the grid's editor controls share when a key hands control back to the grid.
#include "platform/UString.h"

class TAdvStringGrid;

// The focus goes back to the grid with Navigation.AlwaysEdit held off, so that taking it does
// not open an editor again.
void EditorFocusGrid(TAdvStringGrid* Grid);

// The cursor walk of an editor whose caret stands at an end of its Text: towards the
// neighbouring cell (Right: the next), a control cell beside taken after a successful validation
// of Text, otherwise by the grid's left-right advance, reopening the editor with
// CursorWalkAlwaysEdit.
void EditorCursorWalk(TAdvStringGrid* Grid, bool Right, const String& Text);
