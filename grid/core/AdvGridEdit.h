#pragma once
// Vocabulary of the string grid's edit cycle: the editing events, the cell checker, and the
// rows of the special-editor table (how one editor kind opens over a cell and commits).
#include <functional>

#include "grid/foundation/AdvObj.h"
#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"

using TEditCellDoneEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TEditChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TCellValidateEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value, bool& Valid)>;
using TRowChangingEvent = std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)>;
using TColChangingEvent = std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)>;
using TRowChangedEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TComboChangeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const String& ASelection)>;
using TComboObjectChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                                   const String& ASelection, TObject* AObject)>;
using TClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TClipboardBeforePasteCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, String& Value, bool& Allow)>;
using TClipboardAfterPasteCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TDropDownButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ButtonIndex)>;
using TUnitChangedEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& NewUnit)>;

// Corrects and marks cell texts for the grid (validation and the grid's cell checks). The base
// changes nothing; a checker derives from it.
class TAdvStringGridCheck : public TComponent {
 public:
  explicit TAdvStringGridCheck(TComponent* AOwner) : TComponent(AOwner) {}
  String ClassName() const override { return u"TAdvStringGridCheck"; }
  virtual String MarkError(int ACol, int ARow, const String& s) {
    (void)ACol;
    (void)ARow;
    return s;
  }
  virtual String Correct(int ACol, int ARow, const String& s) {
    (void)ACol;
    (void)ARow;
    return s;
  }
  virtual void StartCheck() {}
  virtual void StopCheck() {}

  bool GotoCell = false;
  bool AutoCorrect = false;
  bool AutoMarkError = false;
  bool UseCorrect = false;
  bool UseMarkError = false;
};

// Where a special editor opens: the base cell (display and real column, row), its rectangle R,
// the editor's size W x H (one pixel inside the cell's right and bottom edges), the editor colour
// (the cell's brush) and the cell's font for edit links.
struct TSpecialEditorCell {
  int DCol = 0;
  int RCol = 0;
  int DRow = 0;
  TRect R{};
  int W = 0;
  int H = 0;
  TColor Color = clWindow;
  TFont* Font = nullptr;
};

// What an opening row answers: the control that now edits the cell (EditCtrl; none for the kinds
// that keep it nil) and the window that takes a typed start character (none: the kind drops it).
struct TSpecialEditorOpened {
  TWinControl* Control = nullptr;
  TWinControl* StartCharTarget = nullptr;
};
