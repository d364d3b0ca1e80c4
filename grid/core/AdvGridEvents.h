#pragma once
// Event types of the string grid's cell hooks and cell objects (the ones the base grid's
// vocabulary in AdvObj.h does not already declare). Parameter orders are binding.
#include <cstdint>
#include <functional>

#include "grid/foundation/AdvObj.h"
#include "platform/Controls.h"
#include "platform/StdCtrls.h"

enum TSearchAction : uint8_t { saFindFirst, saFindPrevious, saFindNext };

using TGridWideHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, String& hintstr)>;
using TIsFixedCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsFixed)>;
using TIsPasswordCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsPassword)>;
using TWordWrapEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& WordWrap)>;
using THasComboEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasComboBox)>;
using THasSpinEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasSpinEdit)>;
using TGetCheckEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TCellCursorEvent = std::function<void(TObject* Sender, int ACol, int ARow, int X, int Y, TCursor& ACursor)>;
using TSearchFooterActionEvent =
    std::function<void(TObject* Sender, const String& Value, int ACol, int ARow, TSearchAction SearchAction)>;
using TCheckBoxChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TPrintPageNumEvent =
    std::function<void(TObject* Sender, int PageNum, int PageColNum, String& PageNumString)>;
using TScrollCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ScrollPosition,
                                            int ScrollMin, int ScrollMax)>;
using TCanShowFixedDropDownEvent = std::function<void(TObject* Sender, int ACol, bool& CanShow)>;
using TRowDisjunctSelectEvent = std::function<void(TObject* Sender, int ARow, bool Value, bool& Allow)>;
using TRowDisjunctSelectedEvent = std::function<void(TObject* Sender, int ARow)>;
using TAutoAdvanceEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int& NewRow, int& NewCol, bool& Allow)>;
using TCellChangingEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>;

// Told the cells that changed (real columns and rows); the base does nothing.
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TCanClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
using TFixedEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values)>;
using TSelectionChangedEvent = std::function<void(TObject* Sender, int ALeft, int ATop, int ARight, int ABottom)>;

class TGridChangeNotifier : public TComponent {
 public:
  explicit TGridChangeNotifier(TComponent* AOwner) : TComponent(AOwner) {}
  String ClassName() const override { return u"TGridChangeNotifier"; }
  virtual void CellsChanged(const TRect& R) { (void)R; }
};

// The one selection listener of a grid, told (current column, new row) on every cell selection.
class ITAdvStringGridSelect {
 public:
  virtual ~ITAdvStringGridSelect() = default;
  virtual void SelectionChanged(int ACol, int ARow) = 0;
};

// A cell's horizontal and vertical text alignment.
struct TCellAlignment {
  TAlignment HAlign = taLeftJustify;
  TVAlignment VAlign = vtaTop;
};

// Progress of a file export or import, reported row by row.
enum TGridExportState : uint8_t {
  esExportStart,
  esExportNewRow,
  esExportDone,
  esExportSelRow,
  esExportFail,
  esExportNextRow
};
enum TGridImportState : uint8_t { isImportStart, isImportNextRow, isImportDone };
enum TFilterDropDownColumns : uint8_t { fdNormal, fdAll };
using TGetColumnFilterEvent = std::function<void(TObject* Sender, int Column, TStrings* Filter)>;
// A calculation of cells FromRow .. ToRow of a column, Res starting at 0.
using TColumnCalcEvent = std::function<void(TObject* Sender, int ACol, int FromRow, int ToRow, double& Res)>;
// The value of a footer cell with a custom calculation.
using TCalcFooterEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
// Paints one footer column (or the whole footer) on the footer panel's canvas.
using TFooterPaintEvent = std::function<void(TObject* Sender, int AColumn, TCanvas* Canvas, const TRect& ARect)>;
