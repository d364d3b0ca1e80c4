#pragma once
// Between the grid and its drop-down editors. The drop-down pack and the grid each define some
// names of their own alike (TLabelPosition, TClipboardEvent, tasButton), so the editors
// (AdvGridDropDownEditors.cpp) and the grid (AdvGridDropDownRows.cpp) never meet in one
// translation unit: each side reaches the other through the functions below.
#include <cstdint>
#include <functional>

#include "grid/foundation/AdvStyleIF.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/UString.h"

class TAdvStringGrid;
class TAdvCustomDropDown;
class THeaderAppearance;
class TFooterAppearance;

// ---- what a drop-down editor asks of its grid (AdvGridDropDownRows.cpp) ----

String DropDownGridCurrentCell(TAdvStringGrid* Grid);
// The cell's text when the editor opened.
String DropDownGridCellCache(TAdvStringGrid* Grid);
void DropDownGridHideEdit(TAdvStringGrid* Grid);
bool DropDownGridWantsTab(TAdvStringGrid* Grid);
// The edit ends on Key (DoneInplaceEdit); with Navigation.AdvanceOnEnter and AdvanceAutoEdit the
// editor opens again on the cell then current.
void DropDownGridKeyDone(TAdvStringGrid* Grid, Word Key, TShiftState Shift);
// The grid's OnKeyPress with the editor as Sender.
void DropDownGridKeyPress(TAdvStringGrid* Grid, TObject* Sender, Char& Key);
// The grid's OnEditChange for the current cell.
void DropDownGridEditChange(TAdvStringGrid* Grid, const String& Text);
// A click that opened the editor, for the caret to go under the mouse; taken once.
bool DropDownGridClickPending(TAdvStringGrid* Grid);
void DropDownGridClickTaken(TAdvStringGrid* Grid);
// Whether the current cell holds a data image (its text is an image index).
bool DropDownGridCurrentDataImage(TAdvStringGrid* Grid);

// ---- what the grid asks of its drop-down editors (AdvGridDropDownEditors.cpp) ----

// The drop-down kinds of TEditorType, in their order from edTrackbarDropDown.
enum TGridDropDownKind : uint8_t {
  gdkTrackbar,
  gdkMemo,
  gdkCalculator,
  gdkTimePicker,
  gdkDetail,
  gdkGrid,
  gdkColor,
  gdkImage,
  gdkAdvGrid
};
constexpr int kGridDropDownKinds = gdkAdvGrid + 1;

// The editor's notifications that go to the grid.
struct TGridDropDownEvents {
  std::function<void()> Selected;                      // colour and image pickers
  std::function<void(const String& Text)> MemoChange;  // memo
  std::function<void(int ButtonIndex)> HeaderButtonClick;
  std::function<void(int ButtonIndex)> FooterButtonClick;
};

// A hidden, disabled editor of Kind, child of Grid, in the grid's style and tones; nullptr for a
// kind without an editor.
TWinControl* NewGridDropDownEditor(TWinControl* Grid, TGridDropDownKind Kind, TQELStyle Style, const TColorTones& Tones,
                                   const TGridDropDownEvents& Events);
void SetGridDropDownStyle(TWinControl* Editor, TQELStyle Style);
void SetGridDropDownTones(TWinControl* Editor, const TColorTones& Tones);

// What an editor opens over a cell with.
struct TGridDropDownOpening {
  TRect R{};
  int W = 0, H = 0;
  TColor Color = clWindow;
  String Text;                // the edit text
  TColor PickColor = clNone;  // the colour picker's colour
  bool ShowImages = false;    // the image picker shows Images on ImageIndex
  TImageList* Images = nullptr;
  int ImageIndex = -1;
  THeaderAppearance* Header = nullptr;
  TFooterAppearance* Footer = nullptr;
  TQELStyle Style = tsWindowsXP;
  bool DropDown = false;  // drops the popup once focused
  std::function<void()> GetEditorProp;
};
void OpenGridDropDownEditor(TWinControl* Editor, TGridDropDownKind Kind, const TGridDropDownOpening& Opening);

// An editor's value: its text (the colour picker: its colour's text), colour and image index.
struct TGridDropDownValue {
  String Text;
  TColor Color = clNone;
  int ImageIndex = -1;
  int ItemIndex = -1;
};
TGridDropDownValue GridDropDownValue(TWinControl* Editor, TGridDropDownKind Kind);
// Closes an open popup, keeping what it holds.
void CloseGridDropDownPopup(TWinControl* Editor);
// The open popup of an editor (the window its keys go to), nullptr while it is closed.
TForm* GridDropDownPopup(TWinControl* Editor);
// The component style an editor paints in.
TQELStyle GridDropDownStyle(TWinControl* Editor);

// The multi-column and grid drop-downs are built on the grid, so their editors come from their
// own library, which registers what only it can do for its kind (gdkGrid, gdkAdvGrid) before a
// grid needs them. An unregistered kind has no editor.
struct TGridDropDownKindMaker {
  // A new editor of the kind owned by Grid (the caller hides it and parents it to Grid).
  std::function<TAdvCustomDropDown*(TWinControl* Grid)> Make;
  // After the editor-property event: the lookup list rebuilt from what a handler filled in.
  std::function<void(TAdvCustomDropDown* Editor)> EndUpdate;
  // The opening value from the cell's edit text.
  std::function<void(TAdvCustomDropDown* Editor, const String& Text)> Open;
};
void RegisterGridDropDownKind(TGridDropDownKind Kind, const TGridDropDownKindMaker& Maker);

// The editor as its own class (defined for the wrapper classes).
template <class T>
T* GridDropDownAs(TWinControl* Editor);
