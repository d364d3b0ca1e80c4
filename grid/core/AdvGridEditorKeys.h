#pragma once
// What the grid's editor controls share when a key hands control back to the grid.
#include "platform/Controls.h"
#include "platform/UString.h"

class TAdvStringGrid;

// The grid that owns an editor control; any other owner raises EInvalidCast.
TAdvStringGrid* EditorOwnerGrid(TComponent* AOwner);

// The leave check: the editor's text goes into the current cell and is validated. Accepted: Text
// becomes the current cell's text (a correction shows) and the answer is true. Rejected: Text
// becomes what validation left (FNewCellText) and the answer is false.
bool EditorLeaveCheck(TAdvStringGrid* Grid, String& Text);

// The focus goes back to the grid with Navigation.AlwaysEdit held off, so that taking it does
// not open an editor again.
void EditorFocusGrid(TAdvStringGrid* Grid);

// The cursor walk of an editor whose caret stands at an end of its Text: towards the
// neighbouring cell (Right: the next), a control cell beside taken after a successful validation
// of Text, otherwise by the grid's left-right advance, reopening the editor with
// CursorWalkAlwaysEdit.
void EditorCursorWalk(TAdvStringGrid* Grid, bool Right, const String& Text);

// Tab leaving an editor that took it: with goTabs the edit ends, the grid takes the focus and
// moves on (back with Shift) and the answer is true; otherwise the Tab is posted to the grid.
bool EditorTabLeave(TAdvStringGrid* Grid, TShiftState Shift);

// An editor control shown over its cell in the cell's colour, and hidden between edits.
void EditorShowControl(TWinControl* Control, TColor Color);
void EditorHideControl(TWinControl* Control);
