#pragma once
// TAdvStringGrid: the string grid of the grid pack, on the base grid. Its cells are addressed by
// real column and display row (the base grid's cell store); columns can be hidden without losing
// their cells, rows hidden into records (TGridItem) that keep their cells.
//
// Index spaces (docs/grid-contract.md): RCol/DCol, RRow/DRow. The routines whose names end in Ex
// and take a row (GetCellsEx ...) take a real row; Cells/GetCellEx/SetCellEx take a display row.
//
// Sources by topic: AdvGrid.cpp (object, defaults, copying, window, unit services),
// AdvGridColumns.cpp (hidden columns), AdvGridCells.cpp (cell access, dimensions),
// AdvGridRows.cpp (row index accessors, scrolling a cell into view), AdvGridStream.cpp (cell
// stream, column sizes), AdvGridWindow.cpp (message hook, scroll bars, wheel, repainting, the
// inplace editor, the theme notifier through AdvGridTheme.cpp), AdvGridHooks.cpp (cell hooks),
// AdvGridCellGraphics.cpp (cell objects, display hooks), AdvGridCheckBoxes.cpp (check boxes),
// AdvGridCellProps.cpp (per-cell look), AdvGridRowSelect.cpp (row selection flags),
// AdvGridSelection.cpp (selection, navigation, repainting), AdvGridKeys.cpp (key press),
// AdvGridAppearance.cpp (setters, stretching, sizing, scroll messages, listeners),
// AdvGridPaint.cpp (colour decision, cell content, header looks, text), AdvGridControlLook.cpp
// (control look, check-box and radio glyphs), AdvGridPaintObjects.cpp (cell object layout and
// boxes), AdvGridPaintStates.cpp (header states, guide lines, focus frame, hooks),
// AdvGridMeasure.cpp and AdvGridAutoSize.cpp (measuring, auto-size, filter value list).
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "grid/core/AdvCellGraphic.h"
#include "grid/core/AdvGridEdit.h"
#include "grid/core/AdvGridEvents.h"
#include "platform/EditTips.h"
#include "grid/core/AdvGridOwned.h"
#include "grid/core/AdvRichEdit.h"
#include "grid/foundation/AdvObj.h"
#include "grid/foundation/AdvObjSettings.h"
#include "grid/foundation/AdvStyleIF.h"
#include "grid/foundation/BaseGrid.h"
#include "grid/foundation/PictureContainer.h"
#include "grid/foundation/ZazAdezDraw.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/Grids.h"

class TAdvStringGrid;
class TNoActiveForm;   // AdvGridMoveControls.h
class TScrollControl;  // AdvGridMoveControls.h
class TEditLink;  // a component the application derives its custom editors from
class TGridTrackbarDropDown;
class TGridMemoDropDown;
class TGridCalculatorDropDown;
class TGridTimepickerDropDown;
class TGridDetailPickerDropDown;
class TGridColorDropDown;
class TGridImageDropDown;
class TGridGridDropDown;
class TGridAdvGridDropDown;
struct TSortScratch;  // AdvGridSortKeys.h

using TGetEditorPropEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditLink* AEditLink)>;

// Moves ARect's top-left to the start point of text rotated by Angle degrees whose extent gives
// the four unsigned products (used by painting and printing).
void AlignRotatedTextRect(TRect& ARect, TAlignment HA, TVAlignment VA, int HCos, int WSin, int HSin, int WCos,
                          int Angle);

// The process-wide format settings' separators and formats, for the date, time and number editors
// and the export operations.
Char LocaleTimeSeparator();
Char LocaleDateSeparator();
Char LocaleThousandSeparator();
Char LocaleDecimalSeparator();
String LocaleShortDateFormat();
String LocaleShortTimeFormat();
String LocaleLongTimeFormat();

// The file version of a library as its version block gives it (major << 16 | minor), or -1
// when it has none.
int GetDllFileVersion(const String& FileName);
// Lets the mouse through the window to what lies below it (the transparent extended style).
void MakeWindowTransparent(TWinControl* Wnd);

// Raised for a request the grid cannot serve, with a fixed English message.
class EAdvGridError : public Exception {
 public:
  using Exception::Exception;
};

enum TScrollType : uint8_t { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollHintType : uint8_t { shNone, shVertical, shHorizontal, shBoth };
enum TScrollBarAlways : uint8_t { saNone, saVert, saHorz, saBoth };
enum TGridLook : uint8_t {
  glStandard, glSoft, glClassic, glQEL, glXP, glListView, glVista, glWin7, glOffice2007, glCustom
};
// The whole colour schemes of SetStyle, in the order of the pack's TQELStyle.
enum TAdvGridStyle : uint8_t {
  gsOffice2003Blue, gsOffice2003Silver, gsOffice2003Olive, gsOffice2003Classic, gsOffice2007Luna,
  gsOffice2007Obsidian, gsWindowsXP, gsWhidbey, gsCustom, gsOffice2007Silver, gsWindowsVista,
  gsWindows7, gsTerminal, gsOffice2010Blue, gsOffice2010Silver, gsOffice2010Black
};
// The colour schemes of SetTheme.
enum TXPColorScheme : uint8_t { xpNone, xpBlue, xpGreen, xpGray, vistaAero };
// The identifier ("glXP") and the caption ("Windows XP") of a look; glCustom leaves Text as it is.
void LookToIdent(TGridLook Look, String& Text);
void LookToCaption(TGridLook Look, String& Text);
enum TInvalidEntryIcon : uint8_t { ieNone, ieInformation, ieWarning, ieError };
enum THoverFixedCells : uint8_t { hfNone, hfFixedRows, hfFixedColumns, hfAll };

using TRowUpdateEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, const TRect& R)>;
using TGridSaveCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;

// A hidden row: its cells (by real column, each with its slot's object), height and filter level.
class TGridItem : public TCollectionItem {
 public:
  explicit TGridItem(TCollection* ACollection);
  ~TGridItem() override;
  String ClassName() const override { return u"TGridItem"; }
  void Assign(TPersistent* Source) override;

  int Idx() const { return FIdx; }  // the row's real index
  void SetIdx(int v) { FIdx = v; }
  int Height() const { return FHeight; }
  void SetHeight(int v) { FHeight = v; }
  int Level() const { return FLevel; }
  void SetLevel(int v) { FLevel = v; }
  TStrings* Items() const;
  // Takes the list as its own (the old one is freed).
  void SetItems(TStrings* v);
  // The row's cells as the grid's store held them (Count real columns), kept so until Items is
  // read: hiding and showing rows then moves cells without copying a text.
  void SetStoredCells(TStringGrid::TStoredRow&& Cells, int Count);
  bool HoldsStoredCells() const { return FHoldsStored; }
  int StoredCount() const { return FStoredCount; }
  TStringGrid::TStoredRow TakeStoredCells();
  // Records come and go by the ten thousand when a filter hides rows: they are carved from
  // blocks of their own instead of one heap allocation each.
  static void* operator new(size_t Size);
  static void operator delete(void* P, size_t Size);

 private:
  int FIdx = 0;
  int FHeight = 0;
  int FLevel = 0;
  mutable TStrings* FItems = nullptr;  // made on first use
  mutable TStringGrid::TStoredRow FStored;
  mutable int FStoredCount = 0;
  mutable bool FHoldsStored = false;
};

class TAdvStringGrid : public TBaseGrid {
 public:
  static constexpr int kVisibleColEntries = 513;  // visibility and width table, by real column
  static constexpr int kMappedCols = 512;         // entries the index mappings read

  explicit TAdvStringGrid(TComponent* AOwner);
  ~TAdvStringGrid() override;
  String ClassName() const override { return u"TAdvStringGrid"; }
  void AfterConstruction() override;
  void Loaded() override;
  void Assign(TPersistent* Source) override;
  virtual void AssignCells(TPersistent* Source);
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;

  // ---- hidden columns (real columns) ----
  void HideColumn(int RCol) { HideColumns(RCol, RCol); }
  void HideColumns(int FromRCol, int ToRCol);
  void UnHideColumn(int RCol) { UnHideColumns(RCol, RCol); }
  void UnHideColumns(int FromRCol, int ToRCol);
  void UnHideColumnsAll();
  bool IsHiddenColumn(int RCol) const;
  int NumHiddenColumns() const { return FNumHidden; }
  int TotalColCount() const override;
  int RealColIndex(int DCol) const { return DisplToRealCol(DCol); }
  int DisplColIndex(int RCol) override { return RealToDisplCol(RCol); }
  int DisplToRealCol(int DCol) const;
  int RealToDisplCol(int RCol) const;
  int GetRealCol() const { return RealColIndex(Col()); }
  int RealCol() const { return GetRealCol(); }
  int GetAllColWidths(int RCol) const;
  void SetAllColWidths(int RCol, int Value);
  bool IsIgnoredColumn(int ACol) const;

  // ---- hidden rows and row indices ----
  bool IsHiddenRow(int RRow) const;
  // For repeated calls: builds ListHidden (the records' real rows) on the first call (nil);
  // the caller frees it.
  bool IsHiddenRow(int RRow, TIntList*& ListHidden) const;
  int NumHiddenRows() const { return FGridItems->Count(); }
  int TotalRowCount() const { return RowCount() + NumHiddenRows(); }
  int RealRowIndex(int DRow) const { return DisplToRealRow(DRow); }
  int DisplRowIndex(int RRow) const { return RealToDisplRow(RRow); }
  int DisplToRealRow(int DRow) const;
  int RealToDisplRow(int RRow) const;
  int GetRealRow() const { return RealRowIndex(Row()); }
  int RealRow() const { return GetRealRow(); }
  int GetRowEx() const { return TCustomGrid::Row(); }
  void SetRowEx(int DRow);
  int GetTopRowEx() const { return TCustomGrid::TopRow(); }
  void SetTopRowEx(int DRow);
  int SortedRowIndex(int ARow) const;
  int UnSortedRowIndex(int ARow) const;
  String GetUnSortedCell(int RCol, int ARow);
  void SetUnSortedCell(int RCol, int ARow, const String& Value);

  // ---- cell access by real row (RCol, RRow); a hidden row reads and writes its record ----
  String GetCellsEx(int RCol, int RRow);
  String GetGridCellsEx(int RCol, int RRow) const;
  String GetWideCellsEx(int RCol, int RRow) { return GetCellsEx(RCol, RRow); }
  void SetCellsEx(int RCol, int RRow, const String& Value);
  void SetGridCellsEx(int RCol, int RRow, const String& Value);
  void SetWideCellsEx(int RCol, int RRow, const String& Value) { SetCellsEx(RCol, RRow, Value); }
  TObject* GetRawObjectEx(int RCol, int RRow) const;
  TObject* GetObjectsEx(int RCol, int RRow) const;
  void SetObjectsEx(int RCol, int RRow, TObject* AObject);

  // ---- cell content (RCol, DRow) ----
  String GetStrippedCell(int RCol, int DRow);
  void CellToRich(int RCol, int DRow, TRichEdit* RichEdit);
  String RichToString(TRichEdit* RichEdit);
  void RichToCell(int RCol, int DRow, TRichEdit* RichEdit) { SetCellEx(RCol, DRow, RichToString(RichEdit)); }
  // Rich-text cells (AdvGridRich.cpp): the hidden rich edit through which they are converted,
  // measured and painted (created on first use), and painting one (display column ACol).
  TAdvRichEdit* RichEdit();
  void DrawRichTextCell(int ACol, int ARow, TRect ARect, TCanvas* ACanvas);
  // A selected rich-text cell keeps its own colours.
  bool SelectionRTFKeep = false;

 private:
  // The plain text of a rich-text cell, read through the hidden rich edit.
  String RichCellPlainText(int RCol, int DRow);
  TAdvRichEdit* FRichEdit = nullptr;

 public:
  bool IsWideCell(int RCol, int DRow);
  String GetOriginalCells(int RCol, int DRow);
  void SetOriginalCells(int RCol, int DRow, const String& Value);
  int ColumnPosition(int RCol) const;
  // ---- moving rows and columns, the column order (AdvGridMove.cpp) ----
  // Display indices; the cells, widths (heights), hidden-column tables, hidden rows' cells, sort
  // column and indexes, current column, cell controls and a partner grid follow the move. They
  // stand in for the class library's moves, which the grid's own mouse handling never reaches.
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);
  // Count rows from FromIndex placed before row ToIndex (numbered before the move). A block not
  // lying inside the rows, or a target outside them, changes nothing.
  void MoveRows(int FromIndex, int ToIndex, int Count);
  void SetColumnOrder();
  int ColumnAtPosition(int APos);
  // Hidden columns shown, then every column back at its home position.
  void ResetColumnOrder();
  // The first real column whose row-0 text is AValue (hidden columns too), -1 when none.
  int ColumnByHeader(const String& AValue);
  // The column order as "Pos" + i values where ColumnSize names them (AdvGridStream.cpp).
  virtual void SaveColPositions();
  virtual void LoadColPositions();
  // A column or row was moved during the present press (the release then fires no cell events).
  bool ColMoveFlg = false;
  // Header (fixed-column) cell grabbed by the press as a move candidate, -1 none, and the grab
  // offset inside it; the current drop column and row of a move.
  int Movecell = -1;
  int MoveOfsX = 0;
  int MoveOfsY = 0;
  int FMoveColInd = -1;
  int FMoveRowInd = -1;
  THeaderDragButton* HeaderDragButton() const { return MoveButton; }
  TNoActiveForm* MoveForm() const { return FMoveForm; }
  TArrowWindow* MoveArrow(TArrowDirection Direction) const;
  // A non-activating translucent picture of the cells (display) from (ACol, ARow) to (BCol, BRow).
  TNoActiveForm* SelectionToForm(int ACol, int ARow, int BCol, int BRow);
  // The slim indicators (ScrollType ssMetro), made with the window or when the type is set.
  TScrollControl* ScrollIndicator(bool Vertical) const { return Vertical ? FVertIndicator : FHorzIndicator; }
  void UpdateScrollIndicators();

 protected:
  void ColumnMovedData(int FromIndex, int ToIndex) override;
  // Real source and target of the column move under way (the column grid's items follow them).
  int FMoveRF = -1;
  int FMoveRT = -1;

 private:
  // Enhanced move (AdvGridMoveFeedback.cpp): the feedback on a mouse move, the drop and cancel.
  bool EnhancedMoveRunning() const;
  void MoveFeedback(int X, int Y);
  void PlaceMoveArrows(bool Columns);
  void HideMoveArrows();
  void EndMoveImages();
  bool DropEnhancedMove(int DCol, int DRow);
  // The class library's drop of a move without the enhanced look, through the grid's own moves.
  void DropPlainMove();
  void CancelEnhancedMove();
  void MakeScrollIndicators();
  void FreeScrollIndicators();
  void RenumberCellControls(bool Columns, int FromIndex, int ToIndex);
  void FollowMovedColumn(int RF, int RT, int From, int To);
  bool FSyncedMove = false;
  bool FColumnMoving = false;
  TNoActiveForm* FMoveForm = nullptr;
  TScrollControl* FVertIndicator = nullptr;
  TScrollControl* FHorzIndicator = nullptr;

 public:
  TControl* GetCellControls(int RCol, int DRow);
  void SetCellControls(int RCol, int DRow, TControl* AControl);
  int NumCellControls() const { return FNumCellControls; }
  virtual TGridRect GetUsedCells();
  TGridRect UsedCells() { return GetUsedCells(); }

  // ---- current cell (display Col/Row, mapped to the real column and the base cell) ----
  virtual String GetCurrentCell();
  virtual String GetCurrentDisplText();
  virtual void SetCurrentCell(const String& Value);
  virtual void SetCurrentEditText(const String& Value);
  String CurrentCell() { return GetCurrentCell(); }
  TEditorType CurrentEditor() const { return EditControl; }

  // ---- dimensions (the grid's own accessors over the class library's) ----
  int RowCount() const { return TCustomGrid::RowCount(); }
  void SetRowCount(int Value);
  int ColCount() const { return TCustomGrid::ColCount(); }
  void SetColCount(int Value);
  int Row() const { return GetRowEx(); }
  void SetRow(int Value) { SetRowEx(Value); }
  int Col() const { return TCustomGrid::Col(); }
  void SetCol(int Value);
  int TopRow() const { return GetTopRowEx(); }
  void SetTopRow(int Value) { SetTopRowEx(Value); }
  int FixedRows() const;
  void SetFixedRows(int Value);
  int FixedCols() const;
  void SetFixedCols(int Value);
  int FixedColWidth() const { return ColWidths(0); }
  void SetFixedColWidth(int Value);
  int FixedRowHeight() const { return FFixedRowHeight; }
  void SetFixedRowHeight(int Value);
  int DefaultRowHeight() const { return TCustomGrid::DefaultRowHeight(); }
  void SetDefaultRowHeight(int Value);
  TAlignment DefaultAlignment() const { return FDefaultAlignment; }
  void SetDefaultAlignment(TAlignment Value);
  int FixedFooters() const { return FFixedFooters; }
  void SetFixedFooters(int Value);
  int FixedRightCols() const { return FFixedRightCols; }
  void SetFixedRightCols(int Value);
  bool WordWrap() const { return FWordWrapEx; }
  void SetWordWrap(bool Value);
  bool FixedRowAlways() const { return FFixedRowAlways; }
  void SetFixedRowAlways(bool v) { FFixedRowAlways = v; }
  bool FixedColAlways() const { return FFixedColAlways; }
  void SetFixedColAlways(bool v) { FFixedColAlways = v; }
  int MaxRowCount() const { return FMaxRowCount; }
  int MaxColCount() const { return FMaxColCount; }
  int SaveStartCol() const;
  int SaveStartRow() const;
  int SaveEndCol() const;
  int SaveEndRow() const;
  int SaveColCount() const;
  int SaveRowCount() const;

  // ---- scrolling (display indices) ----
  void ScrollInView(int DCol, int DRow);
  // Shows, hides, enables and disables the scroll bars as ScrollBarAlways asks.
  void UpdateScrollBarsAlways(bool HideWhenFit);
  // Flat scroll bars (ScrollType other than ssNormal, once the window exists): their look,
  // track colour (ScrollColor) and thickness (ScrollWidth); each does nothing without them.
  void SetFlatScrollStyle();
  void SetFlatScrollColor();
  void SetFlatScrollWidth();
  bool IsFlat() const { return FIsFlat; }
  // What the window's creation found for the mouse wheel: its message and the rows a notch scrolls.
  unsigned WheelMessage() const { return FWheelMsg; }
  int WheelScrollLineCount() const { return FWheelScrollLines; }
  // The selection parked outside the grid (no normal row left) and brought back.
  void HideSelection();
  void UnHideSelection();
  bool SelectionHidden() const { return FSelHidden; }
  void ScreenToCell(TPoint Pt, int& DCol, int& DRow) const;
  bool IsOnSizingEdge(int X, int Y) const;

  // ---- bounds ----
  bool IntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  bool SizeWithForm() const { return FSizeWithForm; }
  void SetSizeWithForm(bool v) { FSizeWithForm = v; }
  int UpdateCount() const { return FUpdateCount; }

  // ---- cell stream and column sizes ----
  void SaveToStream(TStream* Stream);
  void LoadFromStream(TStream* Stream);
  void SaveColSizes();
  void LoadColSizes();
  // The text the grid saves (RCol, DRow) and the one it stores when loading.
  String SaveCell(int RCol, int DRow);
  void LoadCell(int RCol, int DRow, const String& Value);
  virtual void CellsChanged(const TRect& R);
  virtual void CellsLoaded();

  // ---- combo strings: the item list of the shared combo editor (AdvGridCombo.cpp) ----
  TGridCombo* Combobox() const { return EditCombo; }
  void ClearComboString();
  void AddComboString(const String& S);
  void AddComboStringObject(const String& S, TObject* AObject);
  // The first item equal to S (the list's own comparison); false when there is none.
  bool RemoveComboString(const String& S);
  bool SetComboSelectionString(const String& S);
  // The item the combo editor preselects when it opens; -1: none. Not range checked.
  void SetComboSelection(int idx) { FComboIdx = idx; }
  int ComboSelection() const { return FComboIdx; }
  int GetComboCount() const;
  // Both let the application fill the list for the cell first (DoGetEditorProp). SetComboIndex
  // raises the list's index error for a Value outside it and then writes nothing.
  void SetComboIndex(int RCol, int DRow, int Value);
  int GetComboIndex(int RCol, int DRow);

  // ---- the combo editor's rows of the special-editor table and its notifications
  // (AdvGridComboEdit.cpp) ----
  TSpecialEditorOpened OpenComboEditRow(const TSpecialEditorCell& Cell);
  TSpecialEditorOpened OpenComboListRow(const TSpecialEditorCell& Cell);
  // Stores the combo's text (while EditMode) and hides and disables the combo.
  void CommitComboRow(int RCol, int DRow);
  TSpecialEditorOpened OpenComboRow(const TSpecialEditorCell& Cell, bool List);
  // WM_COMMAND from the combo editor: the selection and edit changes while an edit runs, the
  // list's closing (DirectComboClose ends the edit) and opening. Processing goes on afterwards.
  void ComboEditorCommand(const TMessage& Message);
  // Set by the left-button handling when a click opens the editor; the combo editor clears it
  // once it has put the caret at the click.
  bool LButFlg = false;
  friend class TGridCombo;
  // Fires OnGetEditorProp, then OnGetEditorPropInt (column, row).
  virtual void DoGetEditorProp(int RCol, int DRow, TEditLink* AEditLink);
  TGetEditorPropEvent OnGetEditorProp;
  TClickCellEvent OnGetEditorPropInt;

  // ---- typed cell values (AdvGridTyped.cpp): (RCol, DRow); the All variants (RCol, RRow) ----
  // Integers read from the text without HTML tags (All: the raw text), trimmed; "" and "-" are 0;
  // anything else that does not convert raises EAdvGridError.
  int GetInts(int RCol, int DRow);
  void SetInts(int RCol, int DRow, int Value);
  int Ints(int RCol, int DRow) { return GetInts(RCol, DRow); }
  int GetAllInts(int RCol, int RRow);
  void SetAllInts(int RCol, int RRow, int Value);
  double GetFloats(int RCol, int DRow);
  // Formatted with the cell's float format (GetCellFloatFormat).
  void SetFloats(int RCol, int DRow, double Value);
  double Floats(int RCol, int DRow) { return GetFloats(RCol, DRow); }
  double GetAllFloats(int RCol, int RRow);
  // Formatted with the grid's FloatFormat.
  void SetAllFloats(int RCol, int RRow, double Value);
  TDateTime GetDates(int RCol, int DRow);
  // Date 0 is an empty cell unless ShowNullDates.
  void SetDates(int RCol, int DRow, TDateTime Value);
  TDateTime GetTimes(int RCol, int DRow);
  void SetTimes(int RCol, int DRow, TDateTime Value);
  // The VALUE of the cell's mini-HTML CONTROL tag of that ID; empty (get) or nothing (set) when
  // the cell has none.
  String GetCtrlVal(int RCol, int DRow, const String& ID);
  void SetCtrlVal(int RCol, int DRow, const String& ID, const String& Value);
  // The version number's four bytes, highest first, joined by "."; writing is ignored.
  String Version();
  void SetVersion(const String& Value) { (void)Value; }
  virtual int GetVersionNr();
  virtual String GetVersionString();
  // The width and left offset of a column as the last print run computed them (0..511); any
  // other column raises EAdvGridError.
  int PrintColWidth(int ACol) const;
  int PrintColOffset(int ACol) const;
  // The format floats of the cell are written with: the grid's FloatFormat.
  virtual String GetCellFloatFormat(int RCol, int DRow);
  // The cell's text as shown: with OnGetFloatFormat, a number text in the format it asks for.
  virtual String GetFormattedCell(int RCol, int DRow);
  TFloatFormatEvent OnGetFloatFormat;

  // ---- column size hooks (AdvGridHeaders.cpp): a user's resize and an auto size propose a
  // width for real column ACol, which OnUpdateColumnSize may change ----
  virtual void DoUpdateColumnSize(int ACol, int& AWidth);
  virtual void DoUpdateAutoColumnSize(int ACol, int& AWidth);
  TUpdateColumnSizeEvent OnUpdateColumnSize;

  // ---- header lists (AdvGridHeaders.cpp); "\n" in a line is a line break in the cell ----
  void SetColumnHeaders(TStrings* Value);
  // Line i into cell (i, 0) for every real column that has a line; nothing without fixed rows.
  void ShowColumnHeaders();
  void ClearColumnHeaders();
  void SetRowHeaders(TStrings* Value);
  void ShowRowHeaders();
  void ClearRowHeaders();

  // ---- unit-level services ----
  // Window messages posted when an edit ends ("GridEditDone") and by the date editors
  // ("DTPShiftFocus"), and the private cell clipboard format ("TAdvStringGrid Cells").
  static unsigned GridEditDoneMessage();
  static unsigned DTPShiftFocusMessage();
  static unsigned CellsClipboardFormat();
  // The grid whose block-focus frame follows window moves, or none.
  static TAdvStringGrid* FocusWindowGrid();
  static void SetFocusWindowGrid(TAdvStringGrid* Grid);
  // The frame's place around the current cell (4 pixels out, screen pixels).
  TRect FocusWindowRect() const;
  static TForm* FindParentForm(TControl* Control);
  // The unit's thread message hook: a window moved or sized moves the block-focus frame of the
  // unit's focus-window grid over that grid's current cell.
  static void GridCallWndProcHook(TControl* Target, const TMessage& Message);
  // Whether the date editors can work (common controls above 4.69).
  static bool DatePickerSupported();

  // Repaints, unless an inplace-edit change asked for no repaint (EditChange, cleared here);
  // a visible floating footer's panel is repainted with the grid.
  void Invalidate() override;
  bool EditChange() const { return FEditChange; }
  void SetEditChange(bool v) { FEditChange = v; }
  // The mask the inplace editor takes; OnGetEditMask may change it per cell.
  const String& EditMask() const { return FEditMask; }
  void SetEditMask(const String& v) { FEditMask = v; }

  // ---- properties set at creation ----
  TColor ActiveCellColor() const { return FActiveCellColor; }
  void SetActiveCellColor(TColor v) { StoreAndRepaint(FActiveCellColor, v); }
  TColor ActiveCellColorTo() const { return FActiveCellColorTo; }
  void SetActiveCellColorTo(TColor v) { StoreAndRepaint(FActiveCellColorTo, v); }
  TFont* ActiveCellFont() const { return FActiveCellFont.get(); }
  bool ActiveCellShow() const { return FActiveCellShow; }
  void SetActiveCellShow(bool v) { StoreAndRepaint(FActiveCellShow, v); }
  TFont* FixedFont() const { return FFixedFont.get(); }
  TColor SelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor v) { StoreAndRepaint(FSelectionColor, v); }
  TColor SelectionColorTo() const { return FSelectionColorTo; }
  TColor SelectionMirrorColor() const { return FSelectionMirrorColor; }
  TColor SelectionMirrorColorTo() const { return FSelectionMirrorColorTo; }
  TColor SelectionTextColor() const { return FSelectionTextColor; }
  int SelectionColorMixerFactor() const { return FSelectionColorMixerFactor; }
  TColor HintColor() const { return FHintColor; }
  TColor HighlightColor() const { return FHighlightColor; }
  TColor HighlightTextColor() const { return FHighlightTextColor; }
  TColor URLColor() const { return FURLColor; }
  TColor DisabledFontColor() const { return FDisabledFontColor; }
  int ScrollWidth() const { return FScrollWidth; }
  void SetScrollWidth(int v);
  TScrollType ScrollType() const { return FScrollType; }
  void SetScrollType(TScrollType v);
  TColor ScrollColor() const { return FScrollColor; }
  void SetScrollColor(TColor v);
  bool ScrollProportional() const { return FScrollProportional; }
  void SetScrollProportional(bool v);
  // The thumbs sized by the visible share of the columns (rows), on the bars' 128-step scale.
  void UpdateHScrollBar();
  void UpdateVScrollBar();
  bool ScrollSynch() const { return FScrollSynch; }
  void SetScrollSynch(bool v) { FScrollSynch = v; }
  TScrollHintType ScrollHints() const { return FScrollHints; }
  void SetScrollHints(TScrollHintType v) { FScrollHints = v; }
  TScrollBarAlways ScrollBarAlways() const { return FScrollBarAlways; }
  void SetScrollBarAlways(TScrollBarAlways v);
  const String& FloatFormat() const { return FFloatFormat; }
  void SetFloatFormat(const String& v) { FFloatFormat = v; }
  const String& CheckTrue() const { return FCheckTrue; }
  void SetCheckTrue(const String& v) { FCheckTrue = v; }
  const String& CheckFalse() const { return FCheckFalse; }
  void SetCheckFalse(const String& v) { FCheckFalse = v; }
  const String& FilterDropDownClear() const { return FFilterDropDownClear; }
  const String& XMLEncoding() const { return FXMLEncoding; }
  void SetXMLEncoding(const String& v) { FXMLEncoding = v; }
  TInvalidEntryIcon InvalidEntryIcon() const { return FInvalidEntryIcon; }
  void SetInvalidEntryIcon(TInvalidEntryIcon v) { FInvalidEntryIcon = v; }
  const String& InvalidEntryTitle() const { return FInvalidEntryTitle; }
  void SetInvalidEntryTitle(const String& v) { FInvalidEntryTitle = v; }
  const String& InvalidEntryText() const { return FInvalidEntryText; }
  void SetInvalidEntryText(const String& v) { FInvalidEntryText = v; }
  TEditorType DefaultEditor() const { return FDefaultEditor; }
  void SetDefaultEditor(TEditorType v) { FDefaultEditor = v; }
  TVAlignment VAlignment() const { return FVAlignment; }
  // Also the current vertical text flag; no repaint while an update is pending.
  void SetVAlignment(TVAlignment v);
  TGridLook Look() const { return FLook; }
  // A new look applies its colour preset (AdvGridLook.cpp).
  void SetLook(TGridLook v);
  // ---- visual styles and the office theme (AdvGridStyles.cpp) ----
  // Applies one preset colour scheme, then repaints.
  virtual void SetStyle(TAdvGridStyle AStyle);
  // Remembers the style and applies the preset of the same ordinal; a style other than tsCustom
  // leaves the slim scroll bars.
  void SetComponentStyle(TQELStyle AStyle);
  TQELStyle ComponentStyle() const { return FStyle; }
  // The drop target the window is registered with, or none.
  TGridDropTarget* GridDropTarget() const { return FDropTargetRegistered ? FGridDropTarget.get() : nullptr; }
  // At run time: the office suite's colour theme, when it changed since the last one followed,
  // becomes the grid's component style.
  void FollowOfficeTheme();
  TOfficeTheme FollowedOfficeTheme() const { return FOldOfficeTheme; }
  // A flat look from five colour pairs, passed on to the editors that exist.
  void SetColorTones(TColorTones ATones);
  const TColorTones& ColorTones() const { return FColorTones; }
  // Gradient, active cell, control look gradient and search footer colours; no repaint.
  void SetTheme(TXPColorScheme Scheme);
  // The style last handed to the drop-down editors; an editor made later takes it when created.
  TQELStyle DropDownEditorStyle() const { return FDropDownStyle; }
  // Background picture or gradient (AdvGridBackground.cpp): the client area no cell covers, and
  // one cell's rectangle R (as the text stage has it).
  TBackGround* BackGround() const { return FBackGround.get(); }
  void SetBackGround(TBackGround* Value);
  void SetProgressAppearance(TGridProgressAppearance* Value);
  void PaintBackGround(TCanvas* ACanvas);
  void DrawCellBackGround(TCanvas* ACanvas, int RCol, int DCol, int DRow, const TRect& R, TGridDrawState AState);
  bool EnableHTML() const { return FEnableHTML; }
  bool EnableWheel() const { return FEnableWheel; }
  bool EnhRowColMove() const { return FEnhRowColMove; }
  bool IntelliZoom() const { return FIntelliZoom; }
  bool ShowSelection() const { return FShowSelection; }
  void SetShowSelection(bool v);
  bool ShowDesignHelper() const { return FShowDesignHelper; }
  bool UseInternalHintClass() const { return FUseInternalHintClass; }
  bool AutoFilterUpdate() const { return FAutoFilterUpdate; }
  void SetAutoFilterUpdate(bool v) { FAutoFilterUpdate = v; }
  bool FilterNormalCellsOnly() const { return FFilterNormalCellsOnly; }
  Char PasswordChar() const { return FPasswordChar; }
  Char Delimiter() const { return FDelimiter; }
  void SetDelimiter(Char v) { FDelimiter = v; }
  bool AutoSize() const { return FAutoSize; }
  // Switched on outside loading, the columns fit their contents at once.
  void SetAutoSize(bool v);
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  // Passed to the search footer; with a window (not designing or loading) the grid joins or
  // leaves the office theme notifier.
  void SetAutoThemeAdapt(bool v);
  bool AutoNumAlign() const { return FAutoNumAlign; }
  void SetAutoNumAlign(bool v) { FAutoNumAlign = v; }
  bool AnchorHint() const { return FAnchorHint; }
  void SetAnchorHint(bool v) { FAnchorHint = v; }
  bool EditWithTags() const { return FEditWithTags; }
  void SetEditWithTags(bool v) { FEditWithTags = v; }
  TCursor Cursor() const { return TControl::Cursor(); }
  void SetCursor(TCursor Value);

  // Load and save switches.
  bool SaveFixedCells = true;
  bool SaveVirtCells = true;
  bool SaveWithHTML = true;
  bool SaveWithRTF = false;
  bool LoadFirstRow = true;
  bool QuoteEmptyCells = true;
  bool ShowNullDates = true;
  bool SaveFixedRows = false;
  bool SaveFixedCols = false;
  bool SaveHiddenCells = false;
  bool AlwaysQuotes = false;
  bool JavaCSV = false;
  bool ExcelClipboardFormat = false;
  bool ClearTextOnly = false;
  bool Multilinecells = false;

  // ---- owned settings ----
  TNavigation* Navigation() const { return FNavigation.get(); }
  TMouseActions* MouseActions() const { return FMouseActions.get(); }
  TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
  TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
  TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
  THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
  TSortSettings* SortSettings() const { return FSortSettings.get(); }
  TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
  TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions.get(); }
  // Scrolls while something is dragged near the edges (DragScrollOptions), then asks as any control.
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  // Before each scroll step while dragging: (TopRow, LeftCol, directions, false stops this step).
  std::function<void(TObject* Sender, int ARow, int ACol, TDragScrollDirections& DragScrollDir, bool& CanScroll)>
      OnDragScroll;
  TTimer* DragScrollTimer() const { return FDragTmr; }
  TDragScrollDirections DragScrollDirection() const { return FDragScrollDirection; }
  TControlLook* ControlLook() const { return FControlLook.get(); }
  TColumnSize* ColumnSize() const { return FColumnSize.get(); }
  TCellNode* CellNode() const { return FCellNode.get(); }
  TBands* Bands() const { return FBands.get(); }
  TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
  TGrouping* Grouping() const { return FGrouping.get(); }
  TStringList* ColumnHeaders() const { return FColumnHeaders.get(); }
  TStringList* RowHeaders() const { return FRowHeaders.get(); }
  TFocusHelper* FocusHelper() const { return FFocusHelper.get(); }
  TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }
  TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance.get(); }
  TFilter* Filter() const { return FFilter.get(); }
  TBalloonSettings* Balloon() const { return FBalloonSettings.get(); }
  TShowModified* ShowModified() const { return FShowModified.get(); }
  TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
  TIntList* IgnoreColumns() const { return FIgnoreColumns.get(); }
  TCellGraphic* SharedCellGraphic() const { return FCellGraphic.get(); }
  TFooterPanel* FooterPanel() const { return FFooterPanel; }
  TSearchPanel* SearchPanel() const { return FSearchPanel; }
  // The block-focus frame, made on first use at run time.
  TGridFocusWindow* FocusWindow();
  TGridCombo* GridCombo() const { return EditCombo; }

  TRowUpdateEvent OnRowUpdate;
  TNotifyEvent OnGridResize;  // the grid's own resize event
  TCellsChangedEvent OnCellsChanged;
  TGridSaveCellEvent OnSaveCell;
  TGridSaveCellEvent OnLoadCell;
  TColumnSizeEvent OnColumnSize;
  TRowSizeEvent OnRowSize;

  // ---- cell hooks (AdvGridHooks.cpp). Every cell-level question goes through these; a column
  // grid overrides them to answer from the cell's column. ACol is real unless said. ----
  bool IsFixed(int DCol, int DRow) override;
  TCellStyle GetDefaultCellProps(int RCol, int DRow) override;
  virtual void DoGridHint(int ACol, int ARow, String& Hint, String& WideHint);
  virtual void DoGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  virtual void DoGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  virtual void DoGetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
  virtual void DoGetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
  virtual void DoGetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
  virtual void DoGetFormat(int ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix);
  virtual void DoGetEditorType(int ACol, int ARow, TEditorType& AEditor);
  virtual void GetCellEditorType(int ACol, int ARow, TEditorType& AEditor);
  virtual bool IsNoEditorCell(int ACol, int ARow);
  virtual void DoIsFixedCell(int ACol, int ARow, bool& IsFixed);
  virtual void DoCanEditCell(int ACol, int ARow, bool& CanEdit);
  // CanEdit comes in true when editing is on (goEditing, or switched on for the moment).
  virtual void CanEditCell(int ACol, int ARow, bool& CanEdit);
  virtual void DoIsPasswordCell(int ACol, int ARow, bool& IsPassword);
  virtual void DoGetWordWrap(int ACol, int ARow, bool& WordWrap);
  virtual bool DoHasComboBox(int ACol, int ARow);
  virtual bool DoHasSpinEdit(int ACol, int ARow);
  virtual void DoGetCheckTrue(int ACol, int ARow, String& Value);
  virtual void DoGetCheckFalse(int ACol, int ARow, String& Value);
  // The grid's Font for a cell without properties, else a scratch font shared by every call
  // (the next call overwrites it: copy what you need).
  virtual TFont* GetCellFont(int ACol, int ARow);
  // Notification hooks.
  virtual void DoF2Key() {}
  virtual void DoSearchFooterAction(const String& Value, int ACol, int ARow, TSearchAction SearchAction);
  virtual void DoButtonClick(int ACol, int ARow);
  virtual void DoExpandClick(int ACol, int ARow, bool Expanded);
  virtual void DoComboCloseUp(int ARow, int ACol);
  virtual void DoComboDropDown(int ARow, int ACol);
  virtual void DoGetCellCursor(int ACol, int ARow, int X, int Y);
  virtual void DoCheckBoxClick(int ACol, int ARow, bool State);
  virtual void DoCheckBoxChange(int ACol, int ARow, bool State);
  virtual void DoClickSort(int ACol);
  virtual void DoPrintGetPageNum(int PageNum, int PageColNum, String& PageNumString);
  void DoScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax);
  bool DoCanShowFixedDropDown(int ACol);
  void DoStartBlockFocus();
  void DoEndBlockFocus();

  // ---- cell objects (AdvGridCellGraphics.cpp): (RCol, DRow) ----
  virtual TCellType GetCellType(int ACol, int ARow);
  virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
  virtual TPoint GetCellGraphicSize(int ACol, int ARow);
  virtual void MeasureCellGraphic(int ACol, int ARow, TPoint& Size, int ExtraHeight);
  virtual void MeasurePrintGraphic(int ACol, int ARow, TPoint& Size, double Scale, int MaxWidth, int MaxHeight);
  virtual TImageList* GetCellImageList(int ACol, int ARow);
  TCellGraphic* CreateCellGraphic(int ACol, int ARow);
  bool RemoveCellGraphic(int ACol, int ARow);
  bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType AType);
  TIntList* GetCellImages(int ACol, int ARow);
  int GetCellGraphicKey(int ACol, int ARow);
  bool HasCellTypeIn(int ACol, int ARow, TCellTypes Types);
  bool HasBalloon(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctBalloon}); }
  bool IsRadio(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctRadio}); }
  bool HasExpand(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctExpand}); }
  bool HasProgress(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctProgress}); }
  bool HasRating(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctRating}); }
  bool HasScrollBar(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctScrollbar}); }
  bool HasButton(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctButton, ctBitButton}); }
  // Clicks act on the control; no inplace editor opens there.
  bool IsControlCell(int ACol, int ARow);
  // The cell text is data shown as a graphic (printing leaves it out).
  bool IsDataGraphicCell(int ACol, int ARow);
  void DoGetDisplText(int RCol, int DRow, String& Value) override;
  int GetRowIndent(int DRow) override;
  bool HasNodes() override;
  bool IsSortIndicatorCell(int ACol, int ARow);
  bool IsPasswordCell(int ACol, int ARow);
  void ApplyActiveStyleColors();
  bool ActiveStyleInUse() const { return FActiveStyleInUse; }
  TImageList* GridImages() const { return FGridImages; }
  void SetGridImages(TImageList* Value);
  bool URLShowInText() const { return FURLShowInText; }
  void SetURLShowInText(bool v) { StoreAndRepaint(FURLShowInText, v); }

  // ---- cell object families (AdvGridCellObjects.cpp): real column and displayed row unless
  // said. Every Add replaces the cell's object; every Create also makes the held object, which the
  // cell then owns; a Get on a cell holding another kind answers nil, -1 or clNone ----
  void AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
  TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val);
  TBitmap* GetBitmap(int ACol, int ARow);
  bool HasBitmap(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctBitmap}); }
  void RemoveBitmap(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitmap); }
  void AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                  TCellHAlign hal, TCellVAlign val);
  TPicture* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                          TCellHAlign hal, TCellVAlign val);
  TPicture* GetPicture(int ACol, int ARow);
  bool HasPicture(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctPicture}); }
  void RemovePicture(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctPicture); }
  void AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool Transparent, TStretchMode StretchMode,
                      int Padding, TCellHAlign hal, TCellVAlign val);
  TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                  TCellHAlign hal, TCellVAlign val);
  TFilePicture* GetFilePicture(int ACol, int ARow);
  void RemoveFilePicture(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctFilePicture); }
  void AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
  TIcon* CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val);
  void RemoveIcon(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctIcon); }
  // The image kinds need GridImages; without it they leave the cell as it is.
  void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
  bool GetImageIdx(int ACol, int ARow, int& idx);
  void SetImageIdx(int ACol, int ARow, int Idx);
  void RemoveImageIdx(int ACol, int ARow);
  // An empty cell's text becomes the index; removing empties the text.
  void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
  bool HasDataImage(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctDataImage}); }
  void RemoveDataImage(int ACol, int ARow);
  void AddMultiImage(int ACol, int ARow, bool Dir, TCellHAlign hal, TCellVAlign val);
  void RemoveMultiImage(int ACol, int ARow);
  // Minimum 0 and maximum 100 unless given; AutoNumAlign right-aligns the cell.
  void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
  void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor BKColor, TColor FGTextColor, TColor BKTextColor);
  void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor BKColor, TColor FGTextColor,
                            TColor BKTextColor, const String& Fmt, int Min, int Max);
  void RemoveProgress(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgress); }
  void AddAdvProgress(int ACol, int ARow, int Min, int Max);
  void RemoveAdvProgress(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctXPProgress); }
  void AddProgressPie(int ACol, int ARow, TColor Color, int Value);
  void SetProgressPie(int ACol, int ARow, int Value);
  void RemoveProgressPie(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgressPie); }
  void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
  void RemoveRangeIndicator(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator); }
  void AddComment(int ACol, int ARow, const String& Comment);
  void AddColorComment(int ACol, int ARow, const String& Comment, TColor Color);
  String GetComment(int ACol, int ARow);
  // A cell without object gets a comment; another kind of object is left alone.
  void SetComment(int ACol, int ARow, const String& Comment);
  bool IsComment(int ACol, int ARow, String& Comment);
  void RemoveComment(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctComment); }
  void RemoveAllComments();
  void AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                TCellVAlign val);
  void SetShapeColor(int ACol, int ARow, TColor FillColor);
  TColor GetShapeColor(int ACol, int ARow);
  void RemoveShape(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctShape); }
  void AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
  void RemoveRating(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRating); }
  // Fires OnRatingChange (Allow preset true); answers Allow.
  virtual bool DoRatingChange(int ACol, int ARow, double& NewRate);
  std::function<void(TObject* Sender, int ACol, int ARow, double& NewRate, bool& Allow)> OnRatingChange;
  // Position, page and range act on the base cell; -1 and (-1, -1) without a scroll bar.
  void AddScrollBar(int ACol, int ARow, bool AutoRange);
  bool HasAutoRangeScrollBar(int ACol, int ARow);
  void SetScrollPosition(int ACol, int ARow, int Pos);
  int GetScrollPosition(int ACol, int ARow);
  void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
  TScrollProp GetScrollProp(int ACol, int ARow);
  void RemoveScrollBar(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctScrollbar); }
  // A marker rides on any object; a cell without one gets a ctEmpty holder.
  void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
  void GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen);
  void RemoveMarker(int ACol, int ARow);
  void RemoveAllMarkers();
  void AddButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal, TCellVAlign val);
  void AddBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal,
                    TCellVAlign val);
  TBitmap* CreateBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                           TCellVAlign val);
  // Displayed column: the object of its real column, whatever its kind (not a node for PushButton).
  void SetButtonText(int ACol, int ARow, const String& Caption);
  String GetButtonText(int ACol, int ARow);
  void PushButton(int ACol, int ARow, bool Push);
  void RemoveButton(int ACol, int ARow);
  void RemoveBitButton(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitButton); }
  void RemoveAllButtons();
  // The object paints itself through ICellDraw; the grid never frees it.
  void AddInterfacedCell(int ACol, int ARow, TObject* AObject);
  TObject* GetInterfacedCell(int ACol, int ARow);
  void RemoveInterfacedCell(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctInterface); }
  // AddRotated also writes s into the cell; SetRotated turns any object into rotated text.
  void AddRotated(int ACol, int ARow, int AAngle, const String& s);
  void SetRotated(int ACol, int ARow, int AAngle);
  bool IsRotated(int ACol, int ARow, int& aAngle);
  void RemoveRotated(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRotated); }
  // A cell's button for hit tests (displayed column): the position painting recorded.
  TRect GetCellButtonRect(int ACol, int ARow);
  // Row hooks, nodes-aware (display rows): insertion, and deletion that empties the only normal
  // row instead of removing it (unless FixedRowAlways), then fires OnAutoDeleteRow.
  virtual void DoInsertRow(int ARow);
  virtual void DoDeleteRow(int ARow);
  TAutoDeleteRowEvent OnAutoDeleteRow;
  TCanInsertRowEvent OnCanInsertRow;
  TCanDeleteRowEvent OnCanDeleteRow;
  TAutoInsertRowEvent OnAutoInsertRow;
  std::function<void(TObject* Sender, int ACol, int ARow, TDateTime ADateTime)> OnDateTimeChange;

 protected:
  // Cell object painting (AdvGridCellObjectsPaint.cpp): the kinds after the check boxes and radios,
  // in O placed within R; tree lines of column 0 before the object; application-drawn cells
  // before or after their text.
  void DrawCellObject(TCanvas* ACanvas, TRect ARect, TRect R, TRect O, TCellGraphic* AObject, int RCol, int DRow,
                      TGridDrawState AState, TAlignment HA, TVAlignment VA);
  void DrawCellButton(TCanvas* ACanvas, TRect ARect, TRect R, TRect O, TCellGraphic* AObject, int RCol, int DRow);
  void DrawCellProgress(TCanvas* ACanvas, TRect R, TCellGraphic* AObject, int RCol, int DRow);
  void DrawCellRotated(TCanvas* ACanvas, TRect ARect, TRect R, TCellGraphic* AObject, int RCol, int DRow,
                       TAlignment HA, TVAlignment VA);
  void DrawNodeGlyph(TCanvas* ACanvas, TRect R, TCellGraphic* AObject, int RCol, int DRow, TGridDrawState AState);
  void DrawTreeLines(TCanvas* ACanvas, TRect R, int RCol, int DRow);
  void DrawInterfacedCell(TCanvas* ACanvas, TRect R, TCellGraphic* AObject, int RCol, int DRow,
                          TGridDrawState AState, bool BeforeText);
  // The Insert and Delete keys with Navigation's AllowInsertRow / AllowDeleteRow, from the row
  // DRow the key found current.
  void InsertRowByKey(int DRow);
  void DeleteRowByKey(int DRow);
  // The date picker notification of WM_NOTIFY; false for other codes.
  bool DateTimeNotify(TMessage& Message);
  // Auto-range scroll bar of a changed cell: page the row height, range the text's height.
  void UpdateAutoRangeScrollBar(int RCol, int DRow);

 public:

  // ---- tree nodes (AdvGridNodes.cpp): a node is a ctNode object in column 0 heading a span of
  // rows; contracting hides the span's rows. Row kinds as noted ----
  // Real rows.
  void AddNode(int ARow, int Span);
  void AddSummaryRow(int ARow);
  void RemoveNode(int ARow);
  void RemoveAllNodes();
  void ExpandNode(int ARow);
  void ContractNode(int ARow);
  void InsertChildRow(int ARow, int InsertAt = 0);
  void RemoveChildRow(int ARow);
  void InsertNormalRow(int ARow);
  void ExpandAll();
  void ContractAll();
  int NumNodes() const { return FNumNodes; }
  // Displayed rows.
  bool IsNode(int ARow);
  bool IsSummary(int ARow);
  bool GetNodeState(int ARow);
  void SetNodeState(int ARow, bool Value);
  int GetNodeLevel(int ARow);
  int GetNodeSpan(int ARow);
  void SetNodeSpan(int ARow, int Span);
  void UpdateNodeSpan(int ARow, int Delta);
  int GetSubNodeCount(int ARow);
  void UpdateSubNodeCount(int ARow, int Delta);
  int GetParentRow(int ARow);
  void RemoveNormalRow(int ARow);
  // 0 a node row, 1 the last row of a branch, 2 a row the branch goes on below.
  int GetNodeSpanType(int ARow);
  bool IsInNodeGlyph(int ARow, int X);

  // ---- radio groups, radio buttons, balloons and expand cells (AdvGridRadios.cpp): real
  // column, displayed row ----
  void AddRadio(int ACol, int ARow, bool DirRadio, int IdxRadio, TStrings* sl);
  TStrings* CreateRadio(int ACol, int ARow, bool DirRadio, int IdxRadio);
  bool GetRadioIdx(int ACol, int ARow, int& IdxRadio);
  // Radio groups only: any other object keeps its index.
  bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
  TStrings* GetRadioStrings(int ACol, int ARow);
  void RemoveRadio(int ACol, int ARow);
  void AdvanceRadioIndex(int ACol, int ARow, bool CheckEditable);
  void AddRadioButton(int ACol, int ARow, bool State = false);
  void AddRadioButtonColumn(int ACol);
  void RemoveRadioButton(int ACol, int ARow);
  void RemoveRadioButtonColumn(int ACol);
  bool HasRadioButton(int ACol, int ARow) { return HasCellTypeIn(ACol, ARow, {ctRadioButton}); }
  bool IsRadioButtonChecked(int ACol, int ARow);
  bool SetRadioButtonState(int ACol, int ARow, bool State);
  void SetRadioButtonColumnIndex(int ACol, int Index);
  int GetRadioButtonColumnIndex(int ACol);
  virtual bool ToggleRadioButtonCell(int ACol, int ARow, bool CheckEditable);
  void AddBalloon(int ACol, int ARow, const String& Title, const String& Text, TBalloonIcon Icon);
  void RemoveBalloon(int ACol, int ARow);
  bool IsBalloon(int ACol, int ARow, String& Title, String& Text, TBalloonIcon& Icon);
  void AddExpand(int ACol, int ARow, int ExpandedHeight);
  void RemoveExpand(int ACol, int ARow);
  bool ToggleExpand(int ACol, int ARow);
  bool GetExpandState(int ACol, int ARow);
  int GetExpandHeight(int ACol, int ARow, bool Expanded);
  TRect GetExpandButtonRect(int ACol, int ARow);

  // ---- check boxes (AdvGridCheckBoxes.cpp): real column; row kinds as noted ----
  void AddCheckBox(int ACol, int ARow, bool State, bool Data);
  void AddCheckBox(int ACol, int ARow, TCheckBoxState State);
  void AddCheckBoxColumn(int ACol, bool DefaultState = false, bool DataCheckBox = false);
  void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State);
  void RemoveCheckBox(int ACol, int ARow);
  void RemoveCheckBoxColumn(int ACol);
  bool HasCheckBox(int ACol, int ARow);
  bool HasDataCheckBox(int ACol, int ARow);
  // Real row.
  bool GetCheckBoxState(int ACol, int ARow, bool& State);
  bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State);
  bool IsChecked(int ACol, int ARow);
  bool SetCheckBoxState(int ACol, int ARow, bool State);
  bool SetCheckBoxState(int ACol, int ARow, TCheckBoxState State);
  // Displayed row from here on.
  bool SetCheckBoxStateNotify(int ACol, int ARow, bool State);
  void CheckAll(int ACol);
  void UnCheckAll(int ACol);
  virtual bool ToggleCheckBoxCell(int ACol, int ARow, bool CheckEditable);
  bool ToggleCheckBox(int ACol, int ARow) { return ToggleCheckBoxCell(ACol, ARow, false); }
  bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);
  static TCheckBoxState BoolToCheckBoxState(bool bChecked) { return bChecked ? cbChecked : cbUnchecked; }

  // ---- disjunct row selection flags (AdvGridRowSelect.cpp) ----
  bool GetRowSelect(int ARow);
  void SetRowSelect(int ARow, bool Value);
  int RowSelectCount();

  // ---- selection, navigation and repainting (AdvGridSelection.cpp): display indices ----
  // Also moves the current cell to (Right, Bottom); the active cell and row marks follow.
  void SetSelection(const TGridRect& Value);
  TGridRect Selection() const { return TCustomGrid::Selection(); }
  void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow);
  void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
  void FocusCell(int ACol, int ARow);
  void GotoCell(int ACol, int ARow);
  void EditCell(int ACol, int ARow);
  void MoveCurrentCell(int ACol, int ARow) { MoveCurrent(ACol, ARow, true, true); }
  void SelectRows(int RowIndex, int RCount);
  void UnSelectRows(int RowIndex, int RCount);
  void SelectCols(int ColIndex, int CCount);
  void UnSelectCols(int ColIndex, int CCount);
  bool GetColSelect(int ACol);
  void SetColSelect(int ACol, bool Value);
  void ClearRowSelect();
  void ClearColSelect();
  int ColSelectCount();
  void SelectionToRowSelect(bool AllRows);
  void SelectionToColSelect(bool AllCols);
  bool IsSelected(int ACol, int ARow);
  String SelectedText();
  TIntList* SelectedRows() const { return FSelectedRows.get(); }
  TIntList* SelectedCells() const { return FSelectedCells.get(); }
  bool GetRowModified(int ARow) const;
  void SetRowModified(int ARow, bool Value);
  int ModifiedRowCount() const;
  bool GetRowEnabled(int ARow) const;
  void SetRowEnabled(int ARow, bool Value);
  // Nothing for a normal cell out of view.
  void RepaintCell(int DCol, int DRow);
  void RepaintRow(int DRow);
  void RepaintCol(int DCol);
  // R holds a cell range (columns Left..Right, rows Top..Bottom).
  void RepaintRect(const TRect& R);
  void AdvanceToNextCell(int ACol, int ARow, bool GoEdit, bool Skipping, bool Forward, bool AutoEdit, bool Force);
  TBitmap* RowIndicator() const { return FRowIndicator.get(); }
  bool ActiveRowShow() const { return FActiveRowShow; }
  void SetActiveRowShow(bool v) { StoreAndRepaint(FActiveRowShow, v); }

  // ---- appearance, stretching, sizing, scrolling, listeners (AdvGridAppearance.cpp) ----
  void SetHighlightColor(TColor Value);
  void SetHighlightTextColor(TColor Value);
  void SetShowDesignHelper(bool Value);
  void SetRowIndicator(TBitmap* Value);
  void UpdateXYOffset(int X, int Y) { FXYOffset = TPoint{X, Y}; }
  // Index -1 is the last column; an index at or beyond ColCount raises.
  void StretchColumn(int Index);
  void StretchRightColumn() { StretchColumn(-1); }
  // The append-on-arrow-down key handling adds its row through this.
  virtual void AppendRowVirtual();
  void RegisterSelListener(std::shared_ptr<ITAdvStringGridSelect> AListener);
  void UnRegisterSelListener(std::shared_ptr<ITAdvStringGridSelect> AListener);
  ITAdvStringGridSelect* SelListener() const { return FISelect.get(); }
  void RegisterNotifier(TGridChangeNotifier* ANotifier);
  void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
  int NotifierCount() const { return FNotifierList->Count(); }

  TEndColumnSizeEvent OnEndColumnSize;
  TEndRowSizeEvent OnEndRowSize;
  TAutoAdvanceEvent OnAutoAdvance;
  TCellChangingEvent OnCellChanging;
  TCanAddRowEvent OnCanAddRow;
  TAutoAddRowEvent OnAutoAddRow;
  TAutoInsertColEvent OnAutoInsertCol;

  // ---- per-cell look (AdvGridCellProps.cpp): real column i, displayed row j ----
  TColor GetColors(int i, int j) const;
  void SetColors(int i, int j, TColor AColor);
  TColor GetColorsTo(int i, int j) const;
  void SetColorsTo(int i, int j, TColor AColor);
  TCellGradientDirection GetGradientDir(int i, int j) const;
  void SetGradientDir(int i, int j, TCellGradientDirection ADirection);
  TColor GetFontColors(int i, int j) const;
  void SetFontColors(int i, int j, TColor Value);
  TFontStyles GetFontStyles(int i, int j) const;
  void SetFontStyles(int i, int j, TFontStyles Value);
  int GetFontSizes(int i, int j) const;
  void SetFontSizes(int i, int j, int Value);
  String GetFontNames(int i, int j) const;
  void SetFontNames(int i, int j, const String& Value);
  void SetCellFont(int i, int j, TFont* Value);
  TAlignment GetAlignments(int i, int j) const;
  void SetAlignments(int i, int j, TAlignment Value);
  bool GetWordWraps(int i, int j);
  void SetWordWraps(int i, int j, bool AValue);
  bool GetReadOnly(int i, int j) const;
  void SetReadOnly(int i, int j, bool AValue);
  int GetLinesInCell(int i, int j);
  String GetWideCells(int i, int j) { return GetCellEx(i, j); }
  void SetWideCells(int i, int j, const String& Value) { SetCellEx(i, j, Value); }
  // Row setters: i is a displayed row; real columns FixedCols..AllColCount-1.
  void SetRowColor(int i, TColor AColor);
  void SetRowColorTo(int i, TColor AColor);
  void SetRowFontColor(int i, TColor AColor);
  int AllColCount() const { return ColCount() + NumHiddenColumns(); }
  int AllRowCount() const { return RowCount() + NumHiddenRows(); }
  TColor QELGradientFrom() const { return FQELGradFrom; }
  void SetQELGradientFrom(TColor v);
  TColor QELGradientTo() const { return FQELGradTo; }
  void SetQELGradientTo(TColor v);
  TColor QELGradientMirrorFrom() const { return FQELMirrorFrom; }
  void SetQELGradientMirrorFrom(TColor v);
  TColor QELGradientMirrorTo() const { return FQELMirrorTo; }
  void SetQELGradientMirrorTo(TColor v);
  void SetFocusHelper(TFocusHelper* Value) { FFocusHelper->Assign(Value); }
  void SetShowModified(TShowModified* Value) { FShowModified->Assign(Value); }
  void SetSizeWhileTyping(TSizeWhileTyping* Value) { FSizeWhileTyping->Assign(Value); }

  // ---- painting (AdvGridPaint.cpp) ----
  // Remap: ACol is a display column. Print asks for the printed look; Select allows selection.
  TCellStyle GetVisualProperties(int ACol, int DRow, TGridDrawState& AState, bool Print, bool Select,
                                 bool Remap) override;
  void DrawCellContent(TCanvas* ACanvas, int DCol, int DRow, TRect ARect, TGridDrawState AState) override;
  // The lighter look used for measuring (RCol real, ACol display).
  void GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont, TBrush* ABrush,
                         bool Remap);
  void DrawSortGlyph(TCanvas* ACanvas, int ACol, int X, int Y);
  // The selection colour over a cell colour, as the mixer settings blend them.
  TColor SelectionMix(TColor CellColor) const;
  bool SelectionColorMixer() const { return FSelectionColorMixer; }
  void SetSelectionColorMixer(bool v) { StoreAndRepaint(FSelectionColorMixer, v); }
  void SetSelectionColorMixerFactor(int v);
  void SetSelectionColorTo(TColor v) { StoreAndRepaint(FSelectionColorTo, v); }
  void SetSelectionMirrorColor(TColor v) { StoreAndRepaint(FSelectionMirrorColor, v); }
  void SetSelectionMirrorColorTo(TColor v) { StoreAndRepaint(FSelectionMirrorColorTo, v); }
  void SetSelectionTextColor(TColor v) { StoreAndRepaint(FSelectionTextColor, v); }
  bool UseDisabledFont() const { return FUseDisabledFont; }
  void SetUseDisabledFont(bool v) { StoreAndRepaint(FUseDisabledFont, v); }
  void SetDisabledFontColor(TColor v) { StoreAndRepaint(FDisabledFontColor, v); }
  void SetPasswordChar(Char v) { StoreAndRepaint(FPasswordChar, v); }
  // Flat cells and headers (not the flat scroll bars, IsFlat).
  bool Flat() const { return FFlat; }
  void SetFlat(bool v);
  bool EnhTextSize() const { return FEnhTextSize; }
  void SetEnhTextSize(bool v) { StoreAndRepaint(FEnhTextSize, v); }
  bool HideFocusRect() const { return FHideFocusRect; }
  void SetHideFocusRect(bool v) { StoreAndRepaint(FHideFocusRect, v); }
  int ZoomFactor() const { return FZoomFactor; }
  void SetZoomFactor(int v) { StoreAndRepaint(FZoomFactor, v); }
  TPoint XYOffset() const { return FXYOffset; }
  void SetXYOffset(TPoint v);
  bool XYOffsetTopLeftOnly() const { return FXYOffsetTopLeftOnly; }
  void SetXYOffsetTopLeftOnly(bool v) { StoreAndRepaint(FXYOffsetTopLeftOnly, v); }
  bool SelectionRectangle() const { return FSelectionRectangle; }
  void SetSelectionRectangle(bool v) { StoreAndRepaint(FSelectionRectangle, v); }
  TColor SelectionRectangleColor() const { return FSelectionRectangleColor; }
  void SetSelectionRectangleColor(TColor v) { StoreAndRepaint(FSelectionRectangleColor, v); }
  bool SelectionResizer() const { return FSelectionResizer; }
  void SetSelectionResizer(bool v) { StoreAndRepaint(FSelectionResizer, v); }
  // Whatever the value, switches the spreadsheet behaviour's settings on.
  bool SpreadSheet() const { return FSpreadSheet; }
  void SetSpreadSheet(bool v);
  bool FitCellsInGrid() const { return FFitCellsInGrid; }
  void SetFitCellsInGrid(bool v) { FFitCellsInGrid = v; }
  // The one-pixel look border, drawn on a canvas of the whole window (frame included) of the
  // control's width and height.
  void DrawLookBorder(TCanvas* WindowCanvas);
  // Draws the look border during the frame paint; otherwise asks for the frame to be repainted.
  void PaintLookBorder();
  bool NoDefaultDraw = false;
  TGridGradientEvent OnGetCellGradient;
  TCustomCellDrawEvent OnCustomCellBkgDraw;
  TCustomCellDrawEvent OnCustomCellDraw;
  TGridBorderPropEvent OnGetCellBorderProp;
  TNotifyEvent OnPainted;

  // ---- control glyphs, cell objects, header states, guide lines, focus frame and hooks
  // (AdvGridControlLook.cpp, AdvGridPaintObjects.cpp, AdvGridPaintStates.cpp) ----
  // One check box in ARect (Style: the control look's style; State counts with TriState).
  void DrawCheckGlyph(TCanvas* ACanvas, TRect ARect, bool Checked, bool Enabled, bool Grayed,
                      TControlLookStyle Style, bool TriState = false, TCheckBoxState State = cbUnchecked);
  // Count radio buttons with their texts (Items may be null); ItemIndex -1 selects the item equal to
  // the cell text of (ACol real, ARow).
  void DrawRadioGroup(TCanvas* ACanvas, TRect ARect, int Count, int ItemIndex, bool Horizontal, bool Disabled,
                      TStrings* Items, bool Selected, int ACol, int ARow, TControlLookStyle Style, double Scale,
                      bool Upward);
  // Size, text permission and alignment of a cell's object (real column, display row); the
  // object, or none.
  TCellGraphic* GetCellGraphicLayout(int ACol, int ARow, int& W, int& H, bool& TextAllowed, TCellHAlign& HAlign,
                                     TCellVAlign& VAlign);
  // A cell object's vertical place for a text alignment.
  static TCellVAlign CellVAlignFromText(TVAlignment V);
  // Draws the object of the cell being painted into ARect; VA is the cell text's alignment.
  void DrawCellGraphic(TCanvas* ACanvas, TRect ARect, TCellGraphic* AObject, TVAlignment VA, int RCol, int DRow,
                       TGridDrawState AState, TAlignment HA);
  // Guide lines of a fixed border being dragged: XOR, so the same call again removes the line.
  // (The window's canvas unless another is given.)
  void DrawColSizingLine(int X, TCanvas* ACanvas = nullptr);
  void DrawRowSizingLine(int Y, TCanvas* ACanvas = nullptr);
  TColor QELGradientHoverFrom() const { return FQELHoverFrom; }
  void SetQELGradientHoverFrom(TColor v) { FQELHoverFrom = v; }
  TColor QELGradientHoverTo() const { return FQELHoverTo; }
  void SetQELGradientHoverTo(TColor v) { FQELHoverTo = v; }
  TColor QELGradientHoverMirrorFrom() const { return FQELHoverMirrorFrom; }
  void SetQELGradientHoverMirrorFrom(TColor v) { FQELHoverMirrorFrom = v; }
  TColor QELGradientHoverMirrorTo() const { return FQELHoverMirrorTo; }
  void SetQELGradientHoverMirrorTo(TColor v) { FQELHoverMirrorTo = v; }
  TColor QELGradientHoverBorder() const { return FQELHoverBorder; }
  void SetQELGradientHoverBorder(TColor v) { FQELHoverBorder = v; }
  TColor QELGradientDownFrom() const { return FQELDownFrom; }
  void SetQELGradientDownFrom(TColor v) { FQELDownFrom = v; }
  TColor QELGradientDownTo() const { return FQELDownTo; }
  void SetQELGradientDownTo(TColor v) { FQELDownTo = v; }
  TColor QELGradientDownMirrorFrom() const { return FQELDownMirrorFrom; }
  void SetQELGradientDownMirrorFrom(TColor v) { FQELDownMirrorFrom = v; }
  TColor QELGradientDownMirrorTo() const { return FQELDownMirrorTo; }
  void SetQELGradientDownMirrorTo(TColor v) { FQELDownMirrorTo = v; }
  TColor QELGradientDownBorder() const { return FQELDownBorder; }
  void SetQELGradientDownBorder(TColor v) { FQELDownBorder = v; }
  // Header hover and pressed states as the mouse code records them (display cell, -1: none).
  THoverFixedCells HoverFixedCells() const { return FHoverFixedCells; }
  void SetHoverFixedCells(THoverFixedCells v) { FHoverFixedCells = v; }
  void SetHoverFixedCell(int DCol, int DRow) {
    FHoverFixedX = DCol;
    FHoverFixedY = DRow;
  }
  TPoint HoverFixedCell() const { return TPoint(FHoverFixedX, FHoverFixedY); }
  bool IsHoverFixedCell(int DCol, int DRow) const;
  bool MouseDownOnFixed() const { return FMouseDownOnFixed; }
  void SetMouseDownOnFixed(bool v) { FMouseDownOnFixed = v; }
  // Records the link under the mouse (1-based, -1 none) in display cell (DCol, DRow) and repaints
  // the cells whose hover look changes.
  void SetHotLink(int Link, int DCol, int DRow);
  // The filter button of a cell of the filter row (real column RCol), at the right of its text box.
  void DrawFilterButton(TCanvas* ACanvas, const TRect& T, int RCol);
  int HotLink() const { return FHoverlink; }
  // The column being moved (display index), -1 when none.
  int MovingColumn() const { return FMovingColumn; }
  void SetMovingColumn(int v) { FMovingColumn = v; }
  bool FixedDropDownDown() const { return FFixedDropDownDown; }
  void SetFixedDropDownDown(bool v) { FFixedDropDownDown = v; }
  // The block-focus frame: shown around ARect (client pixels), moved to the current cell, hidden.
  static constexpr TColor kFocusFrameColor = 0xFDD397;
  static constexpr uint8_t kFocusFrameAlpha = 230;
  void ShowFocusWindow(TRect ARect);
  void MoveFocusWindow();
  void HideFocusWindow();
  // Hooks of the grid (display indices unless said).
  virtual void DoFixedCellEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values);
  virtual void DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
  virtual void DoEditorCaret(const String& AText, TPoint ACaretXY, int ACaretPos);
  virtual void DoFilterDone();
  virtual void GetCalcCellText(int ACol, int ARow, String& Text);
  virtual void ExportNotification(TGridExportState AState, int ARow);
  virtual void ImportNotification(TGridImportState AState, int ARow);
  // The filter drop-down's value list of a real column (kept in the grid's filter list); true
  // when it holds an entry.
  virtual bool DoGetColumnFilter(int Column);
  TStringList* FilterList() const { return FFilterList.get(); }
  bool FilterDropDownAuto() const { return FFilterDropDownAuto; }
  void SetFilterDropDownAuto(bool v) { FFilterDropDownAuto = v; }
  int FilterDropDownRow() const { return FFilterDropDownRow; }
  void SetFilterDropDownRow(int v) { StoreAndRepaint(FFilterDropDownRow, v); }
  TFilterDropDownColumns FilterDropDownColumns() const { return FFilterDropDownColumns; }
  void SetFilterDropDownColumns(TFilterDropDownColumns v) { FFilterDropDownColumns = v; }
  bool FilterIncremental() const { return FFilterIncremental; }
  void SetFilterIncremental(bool v) { FFilterIncremental = v; }
  TGetColumnFilterEvent OnGetColumnFilter;
  // Cell texts that are addresses drawn as links (without their protocol unless URLFull).
  bool URLShow() const { return FURLShow; }
  void SetURLShow(bool v) { StoreAndRepaint(FURLShow, v); }
  bool URLFull() const { return FURLFull; }
  void SetURLFull(bool v) {
    FURLFull = v;
    if (FURLShow) Invalidate();
  }
  void SetURLColor(TColor v) {
    if (FURLColor == v) return;
    FURLColor = v;
    if (FURLShow) Invalidate();
  }
  bool URLUnderlineOnHover = false;
  bool URLEdit = false;
  // Named pictures of HTML cells (not owned).
  TPictureContainer* PictureContainer() const { return FPictureContainer; }
  void SetPictureContainer(TPictureContainer* v) { StoreAndRepaint(FPictureContainer, v); }
  TFixedEditEvent OnFixedEdit;
  TSelectionChangedEvent OnSelectionChanged;
  TNotifyEvent OnFilterDone;

  // ---- text measuring and placement (AdvGridMeasure.cpp) ----
  TCellAlignment GetCellAlignment(int RCol, int DRow);
  int TotalXOffset() const { return FXYOffsetTopLeftOnly ? FXYOffset.X : 2 * FXYOffset.X; }
  int TotalYOffset() const { return FXYOffsetTopLeftOnly ? FXYOffset.Y : 2 * FXYOffset.Y; }
  // RCol real; VS keeps 17 pixels for a vertical scroll bar, SB measures within the cell's width.
  TSize GetCellTextSize(int RCol, int DRow, bool VS, bool SB);
  // Moves ARect's top-left to where text rotated by Angle starts.
  void PlaceRotatedText(TCanvas* ACanvas, TRect& ARect, int Angle, TVAlignment VA, TAlignment HA,
                        const String& Text);
  int GetMaxLinesInRow(int DRow);

  // ---- auto-size (AdvGridAutoSize.cpp): display columns and rows ----
  void AutoSizeCol(int ACol, int Padding = 0);
  void AutoSizeColumns(bool DoFixedCols, int Padding = 0);
  void AutoSizeRow(int ARow, int Padding = 0);
  void AutoSizeRows(bool DoFixedRows, int Padding = 0);
  void SetRowHeightForLines(int ARow, int Lines, int Extra);
  void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
  bool SizeGrowOnly() const { return FSizeGrowOnly; }
  void SetSizeGrowOnly(bool v) { FSizeGrowOnly = v; }
  int MinColWidth() const { return FMinColWidth; }
  void SetMinColWidth(int v) { FMinColWidth = v; }
  int MaxColWidth() const { return FMaxColWidth; }
  void SetMaxColWidth(int v) { FMaxColWidth = v; }
  int MinRowHeight() const { return FMinRowHeight; }
  void SetMinRowHeight(int v) { FMinRowHeight = v; }
  int MaxRowHeight() const { return FMaxRowHeight; }
  void SetMaxRowHeight(int v) { FMaxRowHeight = v; }

  TGridHintEvent OnGridHint;
  TGridWideHintEvent OnGridWideHint;
  TGridColorEvent OnGetCellColor;
  TGridColorEvent OnGetCellPrintColor;
  TGridBorderEvent OnGetCellBorder;
  TGridBorderEvent OnGetCellPrintBorder;
  TGridAlignEvent OnGetAlignment;
  TGridFormatEvent OnGetFormat;
  TGetEditorTypeEvent OnGetEditorType;
  TIsFixedCellEvent OnIsFixedCell;
  TCanEditCellEvent OnCanEditCell;
  TIsPasswordCellEvent OnIsPasswordCell;
  TWordWrapEvent OnGetWordWrap;
  THasComboEvent OnHasComboBox;
  THasSpinEditEvent OnHasSpinEdit;
  TGetCheckEvent OnGetCheckTrue;
  TGetCheckEvent OnGetCheckFalse;
  TSearchFooterActionEvent OnSearchFooterAction;
  TButtonClickEvent OnButtonClick;
  TExpandClickEvent OnExpandClick;
  TClickCellEvent OnComboCloseUp;
  TClickCellEvent OnComboDropDown;
  TCellCursorEvent OnGetCellCursor;
  TCheckBoxClickEvent OnCheckBoxClick;
  TCheckBoxChangeEvent OnCheckBoxChange;
  TClickSortEvent OnClickSort;
  TCanSortEvent OnCanSort;
  TPrintPageNumEvent OnPrintGetPageNum;
  TScrollCellEvent OnScrollCell;
  TCanShowFixedDropDownEvent OnCanShowFixedDropDown;
  TNotifyEvent OnStartBlockFocus;
  TNotifyEvent OnEndBlockFocus;
  TRowDisjunctSelectEvent OnRowDisjunctSelect;
  TRowDisjunctSelectedEvent OnRowDisjunctSelected;

  // ---- filtering (AdvGridFilter.cpp), the filter drop-down (AdvGridFilterDropDown.cpp) ----
  // Whether display row ARow passes Filter; OnCustomFilter has the last word.
  virtual bool MatchFilter(int ARow);
  bool FilterActive() const { return FFilterActive; }
  void SetFilterActive(bool Value);
  // Hides the rows that fail as one new level.
  void ApplyFilter();
  void FilterRow(int ARow);
  // Restores the latest level; true when more than one level remained.
  bool RemoveLastFilter();
  void RemoveAllFilters();
  // AColumn -1: the whole row's text.
  void NarrowDown(const String& ACondition, int AColumn = -1);
  void SetFilterNormalCellsOnly(bool v) { FFilterNormalCellsOnly = v; }
  void SetFilterDropDownClear(const String& v) { FFilterDropDownClear = v; }
  bool FilterDropDownCheck() const { return FFilterDropDownCheck; }
  void SetFilterDropDownCheck(bool v) { FFilterDropDownCheck = v; }
  void SetFilterDropDown(TFilterDropDown* v) { FFilterDropDown->Assign(v); }
  TDropList* DropList() const { return FDropList; }
  TDropCheckList* DropCheckList() const { return FDropCheckList; }
  // Real column whose drop-down is open, -1 none.
  int FilterColumn() const { return FFilterCol; }
  void SetFilterColumn(int v) { FFilterCol = v; }
  // A left-button release at client (X, Y) over display cell (DCol, DRow): opens the drop-down on
  // a filter button, hides an open list elsewhere.
  void FilterDropDownMouseUp(int X, int Y, int DCol, int DRow);
  // The list's and the check list's choices.
  virtual void DoFilterSelect(int ItemIndex);
  virtual void DoFilterCheck(int ItemIndex);
  // An open list closed without a choice.
  void FilterListCancel();
  TFilterProgressEvent OnFilterProgress;
  TFilterSelectEvent OnFilterSelect;
  TFilterCheckEvent OnFilterCheck;
  TCustomFilterEvent OnCustomFilter;

  // ---- search and replace (AdvGridSearch.cpp), the search footer (AdvGridSearchPanel.cpp) ----
  // Cells are (display column, display row); (-1, -1) is none.
  TPoint Find(TPoint StartCell, const String& S, TFindParams FindParams);
  TPoint FindWide(TPoint StartCell, const String& S, TFindParams FindParams);
  TPoint FindFirst(const String& S, TFindParams FindParams);
  TPoint FindNext();
  // Cells changed.
  int Replace(const String& OrigStr, const String& NewStr, TFindParams FindParams);
  // The first normal row whose sort-column text starts with S (given upper-cased), or -1.
  int Search(const String& S);
  int FindCol() const { return FFindCol; }
  void SetFindCol(int v) { FFindCol = v; }
  int FindRow() const { return FFindRow; }
  void SetFindRow(int v) { FFindRow = v; }
  bool FindBusy() const { return FFindBusy; }
  TPoint SearchCell() const { return FSearchCell; }
  // The footer's actions: the edit's change, find next, find previous, the highlight toggle, close.
  void SearchFooterEditChange();
  void SearchFooterForward();
  void SearchFooterBackward();
  void SearchFooterHighlight();
  void SearchFooterExit();
  // SearchFooter's settings onto the panel.
  void UpdateSearchPanel();
  TSearchEditChangeEvent OnSearchEditChange;
  TNotifyEvent OnSearchFooterClose;
  TNotifyEvent OnCreatedSearchFooter;

  // ---- text marking, cell checks, fills (AdvGridMarking.cpp); columns real, rows display ----
  String HilightText(bool DoCase, const String& S, const String& Text);
  String UnHilightText(const String& S);
  String MarkText(bool DoCase, const String& S, const String& Text);
  String UnMarkText(const String& S);
  void HilightInCell(bool DoCase, int Col, int Row, const String& HiText);
  void MarkInCell(bool DoCase, int Col, int Row, const String& HiText);
  void HilightInCol(bool DoFixed, bool DoCase, int Col, const String& HiText);
  void MarkInCol(bool DoFixed, bool DoCase, int Col, const String& HiText);
  void HilightInRow(bool DoFixed, bool DoCase, int Row, const String& HiText);
  void MarkInRow(bool DoFixed, bool DoCase, int Row, const String& HiText);
  void HilightInGrid(bool DoFixed, bool DoCase, const String& HiText);
  void MarkInGrid(bool DoFixed, bool DoCase, const String& HiText);
  void UnHilightInCell(int Col, int Row);
  void UnMarkInCell(int Col, int Row);
  void UnHilightInCol(bool DoFixed, int Col);
  void UnMarkInCol(bool DoFixed, int Col);
  void UnHilightInRow(bool DoFixed, int Row);
  void UnMarkInRow(bool DoFixed, int Row);
  void UnHilightInGrid(bool DoFixed);
  void UnMarkInGrid(bool DoFixed);
  // True without a CellChecker.
  bool CheckCell(int Col, int Row);
  bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
  bool CheckCol(bool DoFixed, int Col);
  bool CheckRow(bool DoFixed, int Row);
  bool CheckGrid(bool DoFixed);
  void TextFill(bool DoFixed, const String& Txt);
  // Fmt takes the column and the row as two integers; a format that does not raises.
  void FormatFill(bool DoFixed, const String& Fmt);
  void RandomFill(bool DoFixed, int Rnd);
  void LinearFill(bool DoFixed);
  void SetFixedFont(TFont* v);
  void SetLookupItems(TStrings* v);

 private:
  // Filtering state.
  bool FFilterActive = false;
  bool FFilterDropDownCheck = false;
  int FFilterFixedRows = 0;
  String FLastFilter;
  // Search state.
  int FFindCol = 0;
  int FFindRow = 0;
  bool FFindBusy = false;
  TFindParams FFindParams;
  String SearchCache;
  String SearchCacheWide;
  TPoint FSearchCell{-1, -1};
  struct TMarkRange {
    int FromCol, ToCol, FromRow, ToRow;
  };
  void MarkRange(const TMarkRange& R, const String& Tag, bool DoCase, const String& HiText);
  void UnMarkRange(const TMarkRange& R, const String& Tag);
  TMarkRange NormalRowsRange(bool DoFixed, int FromCol, int ToCol) const;
  void FillCells(bool DoFixed, const std::function<String(int, int)>& Text);
  bool FindCellMatches(int DCol, int RowIndex, const String& Text, bool Wide);
  TPoint FindCore(TPoint StartCell, const String& S, TFindParams FindParams, bool Wide);
  TFindParams SearchFooterParams(bool Backward, bool Forward);
  void SearchFooterHighlightText(const String& Text);
  void SearchFooterUnHighlight();
  void SearchFooterStep(bool Backward);
  void BuildFilterItem(const String& ACondition, int AColumn);

 public:

  // ---- input: window messages and timers (AdvGridInput.cpp), keys (AdvGridKeyDown.cpp), mouse
  // buttons, move and hover (AdvGridMouse.cpp), cell hints (AdvGridHints.cpp) ----
  // A counter of nested bulk changes: painting stops at the first BeginUpdate and the outermost
  // EndUpdate repaints once. Both count whether or not the grid is visible.
  void BeginUpdate();
  void EndUpdate();
  void StartUpdate() { ++FUpdateCount; }
  void ResetUpdate() { FUpdateCount = 0; }
  bool LockUpdate() const { return FUpdateCount > 0; }
  void SetLockUpdate(bool v) { v ? BeginUpdate() : EndUpdate(); }
  // Every positive column width and row height grows by Delta while the zoom stays in -10..10.
  void Zoom(int Delta);
  int GridTimerTicks() const { return FTimerTicks; }
  bool GridBlink() const { return FGridBlink; }
  bool EnableBlink() const { return FEnableBlink; }
  void SetEnableBlink(bool v) { FEnableBlink = v; }
  void SetEnableWheel(bool v) { FEnableWheel = v; }
  void SetIntelliZoom(bool v) { FIntelliZoom = v; }
  // Tab navigation; false only when the Tab was handed to the parent window.
  bool TabAdvance(bool Backward);
  bool CanTabToCell(int DCol, int DRow);
  // The first (last) column Tab may enter in the row; -1 when none.
  int FirstTabCol(int DRow);
  int LastTabCol(int DRow);
  int VisibleFixedRightCols();
  bool IsLastDataRow();
  // The selected-cells API (display cells; disjunct lists or the selection rectangle).
  int SelectedCellsCount();
  TGridCoord GetSelectedCell(int Index);
  bool GetSelectedCells(int DCol, int DRow);
  void SetSelectedCells(int DCol, int DRow, bool Value);
  void ClearSelectedCells();
  int SelectedColCount();
  int SelectedRowCount();
  int GetSelectedRow(int Index);
  void ClearModifiedRows();
  bool IsHoverFixedCell(int DCol, int DRow);
  void ResetFixedCellHighlight();
  // Makes THTMLHintWindow (or the platform's THintWindow) the hint window of every control.
  bool UseHTMLHints() const { return FUseHTMLHints; }
  void SetUseHTMLHints(bool v);
  void SetUseInternalHintClass(bool v) { FUseInternalHintClass = v; }
  void SetHintColor(TColor v) { FHintColor = v; }
  bool HintShowCells() const { return FHintShowCells; }
  void SetHintShowCells(bool v) { FHintShowCells = v; }
  bool HintShowLargeText() const { return FHintShowLargeText; }
  void SetHintShowLargeText(bool v) { FHintShowLargeText = v; }
  bool HintShowSizing() const { return FHintShowSizing; }
  void SetHintShowSizing(bool v) { FHintShowSizing = v; }
  bool HTMLHint() const { return FHTMLHint; }
  void SetHTMLHint(bool v) { FHTMLHint = v; }
  TPoint LastHintPos() const { return FLastHintPos; }
  // The grid's hint window for sizing and scroll hints.
  THTMLHintWindow* ScrollHintWindow() const { return FScrollHintWnd; }
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TCanClickCellEvent OnCanClickCell;
  TClickCellEvent OnClickCell;
  TClickCellEvent OnRightClickCell;
  TCheckBoxClickEvent OnCheckBoxMouseUp;
  TColumnSizingEvent OnColumnSizing;
  TRowSizingEvent OnRowSizing;
  TAnchorEvent OnAnchorEnter;
  TAnchorEvent OnAnchorExit;
  TAnchorClickEvent OnAnchorClick;
  TScrollHintEvent OnScrollHint;

  // ---- edit cycle (AdvGridEdit.cpp), show and hide (AdvGridEditShow.cpp), validation and
  // change notification (AdvGridValidate.cpp). Display indices unless a parameter says RCol. ----
  // Whether the cell may be edited now: editing on (goEditing, RangeSelectAndEdit or the editing
  // latch) and IsEditableCell.
  bool IsEditable(int DCol, int DRow);
  // The base cell can be edited (CanEditCell) and is not fixed (DoIsFixedCell).
  bool IsEditableCell(int DCol, int DRow);
  // Commits the open special edit of the current cell.
  void HideCellEdit();
  // As pressing F2 on the grid.
  void ShowCellEdit();
  // Writes through the edit-text write, then into the cell store. Every special editor commits
  // through it.
  virtual void StoreEditText(int RCol, int DRow, const String& Value);
  // The current cell takes back its text from when it became current (Escape).
  virtual void RestoreCurrentCell();
  // Editors take Tab for themselves when this answers true.
  bool EditorWantsTab();
  // OnRowChanging, OnColChanging, OnCellChanging, in that order, with one Allow.
  virtual void CellChanging(int NewCol, int NewRow, bool& Allow);
  // The only ways key, mouse and editor code open and close a cell editor.
  void ShowInplaceEdit();
  void HideInplaceEdit();
  void DoneInplaceEdit(Word Key, TShiftState Shift);
  // OnEditingDone now; "GridEditDone" (wParam RCol, lParam DRow) posted for later.
  void NotifyEditDone(int RCol, int DRow);
  // Relays the grid attaches to its editor controls.
  void DropDownHeaderButtonClick(int ButtonIndex);
  void DropDownFooterButtonClick(int ButtonIndex);
  void MemoDropDownChange(const String& Text);
  virtual String EllipsClick(const String& S);
  void UnitChanged(const String& NewUnit);
  // Installs the editor-link window hook on a custom editor's control (once per control).
  void HookEditLinkControl(TWinControl* Control);
  // Whether the edited cell may take NewValue; a refusal restores the old text and reopens the
  // editor on the old cell.
  virtual bool ValidateCell(const String& NewValue);
  virtual bool ValidateCellWide(const String& NewValue);
  void ReopenRefusedEdit();
  // Records the edited cell, its stored text and Modified.
  virtual void SaveOldCell(int DCol, int DRow);
  virtual void UpdateFooterColumn(int RCol);
  bool Modified() const { return FModified; }
  void SetModified(bool v) { FModified = v; }
  bool GridModified() const { return FGridModified; }
  bool AlwaysValidate() const { return FAlwaysValidate; }
  void SetAlwaysValidate(bool v) { FAlwaysValidate = v; }
  TAdvStringGridCheck* CellChecker() const { return FCellChecker; }
  void SetCellChecker(TAdvStringGridCheck* Value);
  int MaxEditLength() const { return FMaxEditLength; }
  void SetMaxEditLength(int v);
  int MaxComboLength() const { return FMaxComboLength; }
  void SetMaxComboLength(int v) { FMaxComboLength = v; }
  bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool v) { FExcelStyleDecimalSeparator = v; }
  const String& ValidChars() const { return FValidChars; }
  void SetValidChars(const String& v) { FValidChars = v; }
  bool Lookup() const { return FLookup; }
  void SetLookup(bool v) { FLookup = v; }
  bool LookupCaseSensitive() const { return FLookupCaseSensitive; }
  void SetLookupCaseSensitive(bool v) { FLookupCaseSensitive = v; }
  bool LookupHistory() const { return FLookupHistory; }
  void SetLookupHistory(bool v) { FLookupHistory = v; }
  TStringList* LookupItems() const { return FLookupItems.get(); }
  TAdvInplaceEdit* NormalEdit() const;
  TGridTransEdit* FixedCellEdit() const { return EditTrans; }
  TGridTransCombo* FixedCellCombo() const { return ComboTrans; }
  TEditLink* EditLink() const { return FEditLink; }
  void SetEditLink(TEditLink* v) { FEditLink = v; }
  // Edit state, read by the editors, the key and mouse handling and the tests.
  bool Editing() const { return FEditing; }
  void SetEditing(bool v) { FEditing = v; }
  bool Validating() const { return FValidating; }
  bool EditActive() const { return FEditActive; }
  bool SpecialEditorOpen() const { return FSpecialEditor; }
  bool InEditMode() const { return EditMode; }
  void SetInEditMode(bool v) { EditMode = v; }
  bool LastValidation() const { return FLastValidation; }
  TWinControl* EditCtrl() const { return FEditCtrl; }
  const String& OldCellText() const { return FOldCellText; }
  void SetOldCellText(const String& v) { FOldCellText = v; }
  const String& NewCellText() const { return FNewCellText; }
  const String& CellCache() const { return FCellCache; }
  Char StartEditChar() const { return FStartEditChar; }
  void SetStartEditChar(Char v) { FStartEditChar = v; }
  bool BlockFocus() const { return FBlockFocus; }
  bool SuppressEditChange() const { return FSuppressEditChange; }
  void SetSuppressEditChange(bool v) { FSuppressEditChange = v; }
  int OldCol() const { return FOldCol; }
  int OldRow() const { return FOldRow; }
  // The item a list combo editor selects for the cell (the stored text, then the edit text, then
  // item 0, or the preselection of SetComboSelection); Report tells whether the opening must
  // report the chosen item (ReportComboListChoice, after the combo has been focused and dropped).
  int ChooseComboListItem(int RCol, int DRow, TStrings* Items, bool& Report);
  void ReportComboListChoice(int RCol, int DRow, TStrings* Items, int Index);
  // One row of the special-editor table per kind (AdvGridEditRows.cpp): Open places, fills,
  // shows and focuses the kind's control; Commit writes its value back through StoreEditText and
  // hides and disables it (both leave EditMode to the frame). A kind without a row opens nothing
  // and writes nothing.
  using TSpecialEditorOpenRow = TSpecialEditorOpened (TAdvStringGrid::*)(const TSpecialEditorCell& Cell);
  using TSpecialEditorCommitRow = void (TAdvStringGrid::*)(int RCol, int DRow);
  struct TSpecialEditorRow {
    TSpecialEditorOpenRow Open = nullptr;
    TSpecialEditorCommitRow Commit = nullptr;
  };
  static const TSpecialEditorRow& SpecialEditorRow(TEditorType Kind);
  // The inplace text kinds (edNormal, the filtered text kinds, edPassword, edValidChars).
  static bool IsInplaceEditorKind(TEditorType Kind);

  TNotifyEvent OnEditingDone;
  TEditCellDoneEvent OnEditCellDone;
  TEditChangeEvent OnEditChange;
  TCellValidateEvent OnCellValidate;
  TCellValidateEvent OnCellValidateWide;
  TRowChangingEvent OnRowChanging;
  TColChangingEvent OnColChanging;
  TRowChangedEvent OnRowChanged;
  TComboChangeEvent OnComboChange;
  TComboObjectChangeEvent OnComboObjectChange;
  TClipboardEvent OnClipboardCopy;
  TClipboardEvent OnClipboardCut;
  TClipboardEvent OnClipboardPaste;
  TClipboardBeforePasteCellEvent OnClipboardBeforePasteCell;
  TClipboardAfterPasteCellEvent OnClipboardAfterPasteCell;
  TDblClickCellEvent OnDblClickCell;
  TDropDownButtonClickEvent OnDropDownHeaderButtonClick;
  TDropDownButtonClickEvent OnDropDownFooterButtonClick;
  TEllipsClickEvent OnEllipsClick;
  TUnitChangedEvent OnUnitChanged;

  // ---- the special editors beside the combo and their rows of the special-editor table
  // (AdvGridSpinEditors.cpp, AdvGridBtnEditors.cpp, AdvGridDateEditors.cpp, AdvEditLink.cpp,
  // AdvGridRichEditor.cpp) ----
  TGridSpin* SpinEdit();
  TGridEditBtn* BtnEdit() const { return EditBtn; }
  TGridUnitEditBtn* BtnUnitEdit() const { return UnitEditBtn; }
  TGridButton* Btn() const { return GridButton; }
  TGridCheckBox* CheckBoxEditor() const { return EditCheck; }
  TGridDatePicker* DateTimePicker();
  TGridDateTimePicker* DateAndTimePicker();
  TAdvRichEdit* InplaceRichEdit();
  TDateTime OriginalDateTime() const { return FOriginalDateTime; }
  // A press on a cell's own spin button that opens the spin editor: the opening replays it as one
  // step (Up true: up).
  void SetPendingSpinClick(bool Up) { FPendingSpinClick = Up ? 1 : -1; }
  TSpecialEditorOpened OpenSpinRow(const TSpecialEditorCell& Cell);
  void CommitSpinRow(int RCol, int DRow);
  TSpecialEditorOpened OpenCheckBoxRow(const TSpecialEditorCell& Cell);
  TSpecialEditorOpened OpenButtonRow(const TSpecialEditorCell& Cell);
  void CommitHideOnlyRow(int RCol, int DRow);
  TSpecialEditorOpened OpenEditBtnRow(const TSpecialEditorCell& Cell);
  void CommitEditBtnRow(int RCol, int DRow);
  TSpecialEditorOpened OpenUnitEditRow(const TSpecialEditorCell& Cell);
  void CommitUnitEditRow(int RCol, int DRow);
  TSpecialEditorOpened OpenDateRow(const TSpecialEditorCell& Cell);
  void CommitDateRow(int RCol, int DRow);
  TSpecialEditorOpened OpenTimeRow(const TSpecialEditorCell& Cell);
  void CommitTimeRow(int RCol, int DRow);
  TSpecialEditorOpened OpenDateTimeRow(const TSpecialEditorCell& Cell);
  void CommitDateTimeRow(int RCol, int DRow);
  TSpecialEditorOpened OpenCustomRow(const TSpecialEditorCell& Cell);
  void CommitCustomRow(int RCol, int DRow);
  TSpecialEditorOpened OpenRichEditRow(const TSpecialEditorCell& Cell);
  void CommitRichEditRow(int RCol, int DRow);
  // Whether a focus change is the grid's own (an edit link ending, the rich editor's Tab).
  bool InvokedFocusChange() const { return FInvokedFocusChange; }
  void SetInvokedFocusChange(bool v) { FInvokedFocusChange = v; }

  TSpinClickEvent OnSpinClick;
  std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)> OnFloatSpinClick;
  std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)> OnDateSpinClick;
  std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)> OnTimeSpinClick;
  TClickCellEvent OnDatePickerCloseUp;   // (Sender, ARow, ACol)
  TClickCellEvent OnDatePickerDropDown;  // (Sender, ARow, ACol)
  std::function<void(TObject* Sender, const String& Value, TDateTime& ADate)> OnCustomStrToDate;
  TNotifyEvent OnRichEditSelectionChange;

 private:
  friend class TGridSpin;
  friend class TGridCheckBox;
  friend class TGridButton;
  friend class TGridEditBtn;
  friend class TGridUnitEditBtn;
  friend class TGridDatePicker;
  friend class TGridDateTimePicker;
  friend class TEditLink;
  friend class TAdvColGrid;  // the drop-down's popup grid runs the input handling under its own
  friend class TAdvRichEdit;
  TGridSpin* FSpinEdit = nullptr;
  TGridDatePicker* FDatePicker = nullptr;
  TGridDateTimePicker* FDateTimePicker = nullptr;
  TAdvRichEdit* FInplaceRichEdit = nullptr;
  TDateTime FOriginalDateTime = 0;
  int FPendingSpinClick = 0;
  bool FInvokedFocusChange = false;
  TForm* FLinkPopupForm = nullptr;

 public:
  // ---- the drop-down editors and their rows of the special-editor table
  // (AdvGridDropDownRows.cpp); each is made on first use with the grid's style and tones ----
  TGridTrackbarDropDown* TrackbarDropDown();
  TGridMemoDropDown* MemoDropDown();
  TGridCalculatorDropDown* CalculatorDropDown();
  TGridTimepickerDropDown* TimePickerDropDown();
  TGridDetailPickerDropDown* DetailPickerDropDown();
  TGridColorDropDown* ColorPickerDropDown();
  TGridImageDropDown* ImagePickerDropDown();
  // The multi-column and grid drop-down editors sit in the grid drop-downs' library, which
  // defines these two with them.
  TGridGridDropDown* GridDropDown();
  TGridAdvGridDropDown* AdvGridDropDown();
  TSpecialEditorOpened OpenDropDownRow(const TSpecialEditorCell& Cell);
  void CommitDropDownRow(int RCol, int DRow);
  void CommitColorPickerRow(int RCol, int DRow);
  void CommitImagePickerRow(int RCol, int DRow);
  // Fire OnColorSelect and OnImageSelect for the picker's choice.
  virtual void DoColorSelect();
  virtual void DoImageSelect();

  std::function<void(TObject* Sender, int ACol, int ARow, TColor Color, const String& Value)> OnColorSelect;
  std::function<void(TObject* Sender, int ACol, int ARow, int Index)> OnImageSelect;
  std::function<void(TObject* Sender, int ACol, int ARow, TColor& Color, String& Value)> OnColorSelected;
  std::function<void(TObject* Sender, int ACol, int ARow, int& Index)> OnImageSelected;

 private:
  // The drop-down editor of a drop-down kind, made on first use; nullptr for any other kind.
  TWinControl* DropDownEditor(TEditorType Kind);
  // The drop-down editors made so far, by kind from edTrackbarDropDown.
  std::array<TWinControl*, 9> FDropDownEditors{};

 public:

  // ---- row and column structure (AdvGridStructure.cpp), hidden rows (AdvGridHideRows.cpp),
  // range clearing, trimming and merging (AdvGridRanges.cpp). ----
  // Display rows; the records of hidden rows keep their real index on insertion.
  virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls = true);
  void AddRow();
  // Removes only rows that exist; each hidden-row record moves up by the removed rows before it.
  virtual void RemoveRows(int RowIndex, int RCount);
  // As RemoveRows without freeing cell objects, moving heights or cell controls.
  virtual void RemoveRowsEx(int RowIndex, int RCount);
  virtual void RemoveRowsWithObjects(int ARow, int Count);
  // Real columns; the cells, widths and visibility of hidden columns travel with them.
  virtual void InsertCols(int ColIndex, int CCount);
  void AddColumn();
  virtual void RemoveCols(int ColIndex, int CCount);
  void UpdateEditMode();
  // Real rows.
  void HideRow(int ARow);
  void HideRows(int FromRow, int ToRow);
  void HideRowsEx(int FromRow, int ToRow);
  // Display rows, ascending: one filter level.
  void HideRowList(TIntList* RowList);
  void UnHideRow(int ARow);
  void UnHideRows(int FromRow, int ToRow);
  void UnHideRowsAll();
  // Restores the latest filter level; the caller then lowers the level.
  void UnHideRowList();
  int FilterLevel() const { return FFilterLevel; }
  void SetFilterLevel(int v) { FFilterLevel = v; }
  virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
  void ClearRows(int RowIndex, int RCount);
  void ClearCols(int ColIndex, int CCount);
  void ClearNormalCols(int ColIndex, int CCount);
  void ClearNormalRows(int RowIndex, int RCount);
  void ClearNormalCells();
  void Clear();
  void ClearAll();
  void ClearSelection();
  virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);
  void TrimColumn(int ACol);
  void TrimRow(int ARow);
  void TrimAll();
  void ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor);
  void MergeColumnCells(int ColIndex, bool MainMerge);
  void MergeRowCells(int RowIndex, bool MainMerge);
  void MergeCols(int ColIndex1, int ColIndex2, const String& Separator);
  void SplitColumnCells(int ColIndex);
  void SplitRowCells(int RowIndex);
  void SplitAllCells();
  // Every change of the list splits the vertical merges and merges the listed columns again.
  TIntList* MergedColumns() const { return FMergedColumns.get(); }
  // Exact, case-sensitive text match; rows from 0, then columns.
  bool IsCell(const String& SubStr, int& ACol, int& ARow);
  void RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked);
  // The first occurrence of each text stays; DoCase tells "A" from "a".
  void RemoveDuplicates(int ACol, bool DoCase);
  void RemoveSelectedRows();
  void RemoveUnSelectedRows();
  void RemoveSelectedCols();
  void RemoveUnSelectedCols();
  void HideSelectedRows();
  void HideUnSelectedRows();
  bool NilObjects() const { return FNilObjects; }
  void SetNilObjects(bool v) { FNilObjects = v; }
  bool BlockCellChange() const { return FBlockCellChange; }
  void SetBlockCellChange(bool v) { FBlockCellChange = v; }

  // ---- column and row calculations, numbering, fitting, swaps (AdvGridCalc.cpp) ----
  // Columns are real; FromRow or ToRow -1 is FixedRows .. RowCount - FixedFooters - 1. A range
  // beyond the displayed normal rows is a range of real rows (hidden ones included).
  double ColumnSum(int ACol, int FromRow = -1, int ToRow = -1);
  double ColumnAvg(int ACol, int FromRow = -1, int ToRow = -1);
  double ColumnMin(int ACol, int FromRow = -1, int ToRow = -1);
  double ColumnMax(int ACol, int FromRow = -1, int ToRow = -1);
  double ColumnStdDev(int ACol, int FromRow = -1, int ToRow = -1);
  double ColumnDistinct(int ACol, int FromRow = -1, int ToRow = -1);
  double ColumnCustomCalc(int ACol, int FromRow = -1, int ToRow = -1);
  double GroupRangeCustomCalc(int ACol, int FromRow, int ToRow);
  double RowSum(int ARow, int FromCol, int ToCol);
  double RowAvg(int ARow, int FromCol, int ToCol);
  double RowMin(int ARow, int FromCol, int ToCol);
  double RowMax(int ARow, int FromCol, int ToCol);
  TColumnCalcEvent OnColumnCalc;
  TColumnCalcEvent OnGroupCalc;
  void AutoNumberCol(int ACol);
  void AutoNumberRow(int ARow);
  int AutoNumberStart = 0;
  int AutoNumberOffset = 0;
  TSortDirection AutoNumberDirection = sdAscending;
  void SizeToCols();
  void SizeToRows();
  void SizeToCells();
  void AutoFitColumns(bool DoFixedCells);
  void SwapColumns(int ACol1, int ACol2);
  void SwapRows(int ARow1, int ARow2);
  void SwapCells(TPoint FromCell, TPoint ToCell);
  virtual void SortSwapRows(int ARow1, int ARow2);
  int Swaps = 0;    // row exchanges of the running sort
  int SortRow = 0;  // the row a sort follows

  // ---- footer calculation (AdvGridFooter.cpp) ----
  virtual void CalcFooter(int ACol);
  void UpdateFooter();
  TCalcFooterEvent OnFooterCalc;
  TFooterPaintEvent OnFooterPaint;
  TNotifyEvent OnCreatedFloatingFooter;
  // The footer panel's hit test: the column under client X, -1 beyond the columns.
  int FooterColumnAt(int X);
  // Paints the footer panel on a canvas of its size; the painted width.
  int PaintFooter(TCanvas* ACanvas, const TRect& AClient);
  String ExpandFooterTemplate(const String& Template);

 protected:
  virtual void DoCalcFooter(int ACol);
  bool CalcReachesHiddenRows(int ToRow) const;
  void DefaultCalcRange(int& FromRow, int& ToRow) const;
  // A calculation's value of one row: false when the cell is not counted or not a number.
  bool CalcValue(int ACol, int R, bool RealRows, double& Value);
  double ColumnMinMax(int ACol, int FromRow, int ToRow, bool Max);
  double RowMinMax(int ARow, int FromCol, int ToCol, bool Max);
  int PaintFooterRow(TCanvas* ACanvas, const TRect& AClient);
  int PaintFooterPreview(TCanvas* ACanvas, const TRect& AClient);
  void PaintFooterCell(TCanvas* ACanvas, int DCol, const TRect& R);
  int FooterWidth();
  bool FooterRightToLeft();

 protected:
  struct TCutRows {
    bool FreeObjects = false;
    bool MoveControls = false;
    bool DropControls = false;
    bool AdjustRecords = true;
    bool MoveHeights = true;
    bool Validate = false;
  };
  // The row-deletion core (display rows).
  void DeleteRowsCore(int ARow, int Count, bool Adjust);
  void CutRows(int DRow, int Count, const TCutRows& How);
  void MoveStoreRow(int FromRow, int ToRow, bool WithHeight);
  void EmptyStoreRow(int DRow);
  // Rows [Lo, Hi) move by Delta as a block (cells of every real column, heights when asked).
  void ShiftStoreRows(int Lo, int Hi, int Delta, bool WithHeights);
  // Moves a row's cells onto another row, the source left empty; owners follow.
  void MoveStoreRowCells(int FromRow, int ToRow);
  void SetPropsOwnerRows(int FromDRow, int ToDRow);
  std::vector<int> RealRowsOf(int DRow, int Count) const;
  std::vector<int> HiddenRowIdxs() const;
  int HiddenRecordsBelow(int RRow) const;
  void ShiftRecordsAfterRemoval(const std::vector<int>& RemovedReal);
  void ShiftControlsAfterRemoval(const std::vector<int>& RemovedReal);
  void RepositionCellControls();
  void ShiftColumns(int FromRCol, int Delta);
  void StoreRowInRecord(int DRow, TGridItem* Item);
  void RestoreRowFromRecord(TGridItem* Item, int DRow);
  // Inserts the record's row back at its place and frees the record.
  void ShowRecord(TGridItem* Item);
  void ClearStoreCell(int RCol, int DRow);
  void ClearRealRect(int RCol1, int DRow1, int RCol2, int DRow2);
  void MergedColumnsChanged();
  // The row's selection flag, by real row with persistent row selection.
  bool RowSelectedForBulk(int DRow);
  bool FNilObjects = false;
  bool FBlockCellChange = false;

 protected:
  friend class TAdvInplaceEdit;
  using TCustomGrid::FocusCell;
  // Visual styles with common controls 6, as the window found them (the themed glyph styles fall
  // back to classic drawing without them).
  virtual bool ThemesAvailable() const { return FIsWinXP && FIsComCtl6; }
  // ---- edit cycle overrides and steps ----
  bool CanEditShow() override;
  bool SelectCell(int DCol, int DRow) override;
  // The select-cell question of the edit cycle (validation, changing events, editing latch).
  virtual bool CanSelectCell(int DCol, int DRow);
  void OpenSpecialEditor(int DCol, int DRow);
  void CommitSpecialEditor(int DCol, int DRow);
  int GetEditLimit() override;
  void Click() override;
  void DoEnter() override;
  void DoExit() override;
  // WM_SETFOCUS, WM_KILLFOCUS and WM_SETCURSOR of the grid; true when handled whole.
  bool EditFocusMessage(TMessage& Message);
  // The cursor for the mouse-selection mode, the cell selector or the cell (AdvGridCursors.cpp).
  void SelectionCursor(TMessage& Message);
 public:
  // The program's selection cursors, drawn here and registered once under their numbers.
  static constexpr TCursor kRowSelectCursor = 8010;     // an arrow pointing right
  static constexpr TCursor kColumnSelectCursor = 8011;  // an arrow pointing down
  static constexpr TCursor kAllSelectCursor = 8012;     // a thick plus
  static constexpr TCursor kCellSelectorCursor = 8014;  // an outlined plus
  static void RegisterGridCursors();
  // Set by the mouse-move handling over fixed cells and links.
  enum TMouseSelectMode : uint8_t { msNormal, msColumn, msRow, msAll, msURL, msResize };
  void SetMouseSelectMode(TMouseSelectMode v) { FMouseSelectMode = v; }
  void SetCellSelectorMode(bool v) { FCellSelectorMode = v; }

 protected:
  TMouseSelectMode FMouseSelectMode = msNormal;
  bool FCellSelectorMode = false;
  bool FForceSel = false;
  bool FBlockKill = false;
  void Paint() override;
  void CreateWnd() override;
  void Resize() override;
  TInplaceEdit* CreateEditor() override;
  String GetEditMask(int DCol, int DRow) override;
  void CellChanged(int RCol, int DRow) override;
  String GetEditText(int DCol, int DRow) override;
  void SetEditText(int DCol, int DRow, const String& Value) override;
  // After the class library's decision, OnColumnSize (a fixed row's cell) and OnRowSize (a fixed
  // column's cell) may forbid the sizing.
  void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs) override;
  // ColumnHeaders changed (before they are shown again).
  virtual void ColumnHeadersChanged();
  std::array<int, kMappedCols> FPrintColWidth{};
  std::array<int, kMappedCols> FPrintColOffset{};
  TCollection* GridItems() const { return FGridItems.get(); }
  TIntList* SortRowXRef() const { return FSortRowXRef.get(); }
  TIntList* ColumnOrder() const { return FColumnOrder.get(); }
  bool Loading() const { return ComponentState().Contains(TComponentStateFlag::csLoading); }
  bool Designing() const { return ComponentState().Contains(TComponentStateFlag::csDesigning); }
  // The record of a hidden real row, or none.
  TGridItem* HiddenRowItem(int RRow) const;
  // Re-applies ColumnHeaders (RowHeaders) to the fixed row (column).
  void ApplyColumnHeaders();
  void ApplyRowHeaders();
  void RepaintFooterPanel();
  void KeyPress(Char& Key) override;
  void ColWidthsChanged() override;
  void RowHeightsChanged() override;
  void SizeChanged(int OldColCount, int OldRowCount) override;
  unsigned DialogCode() const override;
  // WM_HSCROLL / WM_VSCROLL on the grid's own bars.
  void WMScroll(TMessage& Message);
  // The row (column) hint beside the mouse while a thumb is dragged, hidden at the scroll's end.
  void ScrollHint(bool Vertical, unsigned Code, int Index);
  bool FScrollLock = false;  // proportional updates wait while zooming
  void DragScrollTick();
  void StopDragScroll();
  TTimer* FDragTmr = nullptr;  // owned by the grid: it dies with it
  TDragScrollDirections FDragScrollDirection;
  // WM_VSCROLL from the in-cell scroll bar: moves the position of the cell it is shown over.
  void CellScrollBarMessage(TMessage& Message);
  // The in-cell scroll bar of a cell at the right edge of R, which loses its width; answers the
  // cell's scroll position (0 without a bar).
  int DrawCellScrollBar(TCanvas* ACanvas, int RCol, int DRow, TRect& R);
  bool SizingReady() const;
  // After the user sized one column (row) from OldSize: every other normal one by the same factor.
  void ScaleOtherExtents(bool Rows, int Sized, int OldSize);
  // Set by the mouse handling while the user sizes a column (row).
  bool FIsColChanging = false;
  bool ColSizeFlg = false;
  bool ColSized = false;
  bool Rowsized = false;
  int Colclickedsize = 0;
  int Rowclickedsize = 0;
  // The incremental lookup text and the grid timer's ticks since its last keystroke.
  String SearchInc;
  int SearchTics = 0;

  template <class T>
  void StoreAndRepaint(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Invalidate();
  }

  // Unit visibility table (real columns 0..512): read and written only through these.
  bool VisibleColEntry(int RCol) const;
  void SetVisibleColEntry(int RCol, bool Value);

  std::array<bool, kVisibleColEntries> FVisibleCol;
  std::array<int16_t, kVisibleColEntries> FAllColWidths{};
  int FNumHidden = 0;

 private:
  void FollowForm(TForm* Form);
  void LeaveForm();
  void FormResized(TControl* Form);
  void AttachSearchFooter();
  unsigned ScrollBarHeight() const;
  void SetUpWheel();
  void FollowThemeNotifier(bool Register);
  // DragDropSettings.OleDropTarget: registers the window with a new drop target or revokes it.
  void OleDropTargetChanged(bool Value);
  void RevokeGridDropTarget();

  // Owned objects, in the order the grid creates them.
  TFooterPanel* FFooterPanel = nullptr;  // child control, freed with the grid's children
  TSearchPanel* FSearchPanel = nullptr;
  std::unique_ptr<TFont> cf;
  std::unique_ptr<TFocusHelper> FFocusHelper;
  std::unique_ptr<TSearchFooter> FSearchFooter;
  std::unique_ptr<TFloatingFooter> FFloatingFooter;
  std::unique_ptr<TPrintSettings> FPrintSettings;
  std::unique_ptr<THTMLSettings> FHTMLSettings;
  std::unique_ptr<TSortSettings> FSortSettings;
  std::unique_ptr<TDragDropSettings> FDragDropSettings;
  std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
  std::unique_ptr<TControlLook> FControlLook;
  std::unique_ptr<TNavigation> FNavigation;
  std::unique_ptr<TColumnSize> FColumnSize;
  std::unique_ptr<TCellNode> FCellNode;
  std::unique_ptr<TBands> FBands;
  std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
  std::unique_ptr<TMouseActions> FMouseActions;
  std::unique_ptr<TGrouping> FGrouping;
  std::unique_ptr<TStringList> FColumnHeaders;
  std::unique_ptr<THTMLPictureCache> FImageCache;
  std::unique_ptr<TIntList> FOrigColSizes;
  std::unique_ptr<TFont> FFixedFont;
  std::unique_ptr<TFont> FActiveCellFont;
  std::unique_ptr<TStringList> FRowHeaders;
  std::unique_ptr<TStringList> Sortlist;
  std::unique_ptr<TStringList> FLookupItems;
  std::unique_ptr<TList> FRowSelect;
  std::unique_ptr<TList> FColSelect;
  std::unique_ptr<TSortIndexList> FSortIndexes;
  std::unique_ptr<TIntList> FSortRowXRef;
  std::shared_ptr<TSortScratch> FSortScratch;  // shared_ptr: deleted where the type is complete
  std::unique_ptr<TIntList> FMergedColumns;
  std::unique_ptr<TIntList> FSelectedCells;
  std::unique_ptr<TIntList> FSelectedRows;
  std::unique_ptr<TIntList> FModifiedRows;
  std::unique_ptr<TIntList> FEnabledRows;
  std::unique_ptr<TBitmap> FRowIndicator;
  std::unique_ptr<TBackGround> FBackGround;
  THTMLHintWindow* FScrollHintWnd = nullptr;  // child control
  std::unique_ptr<TControlList> FControlList;
  std::unique_ptr<TGridProgressAppearance> FProgressAppearance;
  std::unique_ptr<TSyncGrid> FSyncGrid;
  std::unique_ptr<TCollection> FGridItems;
  std::unique_ptr<TFilter> FFilter;
  std::unique_ptr<TBalloonSettings> FBalloonSettings;
  std::unique_ptr<TShowModified> FShowModified;
  std::unique_ptr<TList> FNotifierList;
  std::unique_ptr<TIntList> FColumnOrder;
  std::unique_ptr<TCellGraphic> FCellGraphic;
  std::unique_ptr<TIntList> FIgnoreColumns;
  std::unique_ptr<TFilterDropDown> FFilterDropDown;
  TDropList* FDropList = nullptr;  // child controls from here on
  TDropCheckList* FDropCheckList = nullptr;
  std::unique_ptr<TStringList> FFilterList;
  // Run time only.
  TGridFocusWindow* FFocusWindow = nullptr;
  TArrowWindow* ArwU = nullptr;
  TArrowWindow* ArwD = nullptr;
  TArrowWindow* ArwL = nullptr;
  TArrowWindow* ArwR = nullptr;
  TGridCombo* EditCombo = nullptr;
  TGridTransEdit* EditTrans = nullptr;
  TGridTransCombo* ComboTrans = nullptr;
  TGridCheckBox* EditCheck = nullptr;
  TGridEditBtn* EditBtn = nullptr;
  TGridUnitEditBtn* UnitEditBtn = nullptr;
  TGridButton* GridButton = nullptr;
  THeaderDragButton* MoveButton = nullptr;
  TControlEdit* FEditControl = nullptr;
  TControlCombo* FComboControl = nullptr;
  TScrollBar* FScrollBar = nullptr;
  TScrollBar* FPaintScrollBar = nullptr;

  // Scalar state.
  bool FNewAtDesign = false;
  bool FLoaded = false;
  bool FDestroying = false;
  int FFixedRowsMin = 1;
  int FFixedColsMin = 1;
  int FMaxRowCount = 0;
  int FMaxColCount = 0;
  int FFixedRowHeight = 22;
  int FFixedFooters = 0;
  int FFixedRightCols = 0;
  bool FFixedRowAlways = false;
  bool FFixedColAlways = false;
  bool FWordWrapEx = true;
  TAlignment FDefaultAlignment = taLeftJustify;
  TVAlignment FVAlignment = vtaTop;
  TEditorType FDefaultEditor = edNormal;
  TEditorType EditControl = edNormal;  // the edit cycle's state
  bool EditMode = false;
  int FOldRowUpdate = -1;  // the row OnRowUpdate last reported
  int FNumCellControls = 0;
  int FUpdateCount = 0;
  bool FIntegralHeight = false;
  bool FSizeWithForm = false;
  TColor FBorderColor = 0xB99D7F;
  TColor FActiveCellColor = 0x808080;
  TColor FActiveCellColorTo = clNone;
  bool FActiveCellShow = false;
  TColor FSelectionColor = 0xEACAB6;
  TColor FSelectionColorTo = clNone;
  TColor FSelectionMirrorColor = clNone;
  TColor FSelectionMirrorColorTo = clNone;
  TColor FSelectionTextColor = clBlack;
  int FSelectionColorMixerFactor = 50;
  TColor FHintColor = clInfoBk;
  TColor FHighlightColor = clHighlight;
  TColor FHighlightTextColor = clHighlightText;
  TColor FURLColor = clBlue;
  TColor FDisabledFontColor = clSilver;
  int FScrollWidth = 17;
  TScrollType FScrollType = ssNormal;
  TColor FScrollColor = clNone;
  bool FScrollProportional = false;
  bool FScrollSynch = false;
  TScrollHintType FScrollHints = shNone;
  TScrollBarAlways FScrollBarAlways = saNone;
  String FFloatFormat;
  String FCheckTrue;
  String FCheckFalse;
  String FFilterDropDownClear = u"(All)";
  String FXMLEncoding = u"ISO-8859-1";
  TInvalidEntryIcon FInvalidEntryIcon = ieWarning;
  String FInvalidEntryTitle;
  String FInvalidEntryText;
  TGridLook FLook = glXP;
  bool FEnableHTML = true;
  bool FEnableWheel = true;
  bool FEnhRowColMove = true;
  bool FIntelliZoom = true;
  bool FShowSelection = true;
  bool FShowDesignHelper = true;
  bool FUseInternalHintClass = true;
  bool FAutoFilterUpdate = true;
  bool FFilterNormalCellsOnly = true;
  Char FPasswordChar = u'*';
  Char FDelimiter = 0;
  bool FAutoSize = false;
  bool FAutoThemeAdapt = false;
  bool FAutoNumAlign = false;
  bool FAnchorHint = false;
  bool FEditWithTags = false;
  int FGroupColumn = -1;
  int FFilterCol = -1;
  // The column whose list a press closed: its release on that button does not open it again.
  int FFilterColPressClosed = -1;
  int FComboIdx = -1;
  int FOldRowSel = -1;
  int FMouseSelectStart = -1;
  int FOldSize = -1;
  int FLastTabCol = -1;
  int FLastTabRow = -1;
  int FHoverlink = -1;
  int FOleDragCol = -1;
  int FHoverFixedX = -1;
  int FHoverFixedY = -1;
  THoverFixedCells FHoverFixedCells = hfNone;
  int FLastDesignChoice = -1;
  TPoint FPushedCellButton{-1, -1};
  TPoint FClipTopLeft{-1, -1};
  TPoint FLastHintPos{-1, -1};
  TPoint FXYOffset{2, 2};
  int FPrintPageFrom = 1;
  int FPrintPageTo = 1;
  int FZoomFactor = 0;
  int FFilterLevel = 0;
  int FMinRowHeight = 0;
  int FMaxRowHeight = 0;
  int FMinColWidth = 0;
  int FMaxColWidth = 0;
  TColor FQELGradFrom = clWhite;
  TColor FQELGradTo = clNone;
  TColor FQELMirrorFrom = clNone;
  TColor FQELMirrorTo = clNone;
  TQELStyle FStyle = tsCustom;  // the last component style
  TOfficeTheme FOldOfficeTheme = otUnknown;  // the last office theme followed
  TColorTones FColorTones;
  TQELStyle FDropDownStyle = tsWindowsXP;
  void PassStyleToDropDowns(TQELStyle AStyle);
  bool FShowColNrs = true;
  bool FFitCellsInGrid = true;
  bool FLastValidation = true;
  bool FUseDisabledFont = true;
  bool ColchgFlg = true;
  bool FIsFlat = false;
  int Colclicked = -1;
  int Rowclicked = -1;
  bool FIsWinXP = false;
  bool FIsWin7 = false;
  bool FIsWinVista = false;
  bool FIsComCtl6 = false;
  int FInitLeftCol = 0;
  int FInitTopRow = 0;
  TCursor FRestoreCursor = crDefault;
  // Painting state and settings (AdvGridPaint.cpp).
  bool FSelectionColorMixer = false;
  bool FEnhTextSize = false;
  bool FHideFocusRect = false;
  bool FXYOffsetTopLeftOnly = false;
  bool FSizeGrowOnly = false;
  bool FSelectionRectangle = false;
  TColor FSelectionRectangleColor = clHighlight;
  bool FSelectionResizer = false;
  bool FSpreadSheet = false;
  unsigned FVAlignFlag = 0;  // the vertical text flag last used
  int FTextWidth = 0;        // of the last painted cell's text, for its cell object
  int FTextHeight = 0;
  TSize MeasureCellText(int RCol, int DCol, int DRow, bool VS, bool SB);
  // The object of the cell being painted and the room it takes from the text.
  struct TCellObjectLayout {
    TCellGraphic* Object = nullptr;
    int W = 0;
    int H = 0;
    bool TextAllowed = true;
    TCellHAlign HAlign = haLeft;
    TCellVAlign VAlign = vaTop;
    int ScrollPos = 0;  // of an in-cell scroll bar: the text moves up by it
  };
  void DrawCellText(TCanvas* ACanvas, int RCol, int DCol, int DRow, TRect R, TGridDrawState AState,
                    const TCellStyle& Style, TColor OwnBrush, TColor OwnFont, bool Header,
                    const TCellObjectLayout& Layout);
  void DrawHeaderLook(TCanvas* ACanvas, int RCol, int DCol, int DRow, TRect& R, const TCellStyle& Style);
  void DrawCellBorders(TCanvas* ACanvas, int RCol, int DRow, TRect R);
  // Header hover and pressed colours and states, and the focus frame (AdvGridPaintStates.cpp).
  // The hover and pressed colours start zero-filled; the control look writes them through.
  TColor FQELHoverFrom = 0;
  TColor FQELHoverTo = 0;
  TColor FQELHoverMirrorFrom = clNone;
  TColor FQELHoverMirrorTo = clNone;
  TColor FQELHoverBorder = 0;
  TColor FQELDownFrom = 0;
  TColor FQELDownTo = 0;
  TColor FQELDownMirrorFrom = clNone;
  TColor FQELDownMirrorTo = clNone;
  TColor FQELDownBorder = 0;
  bool FFlat = false;
  bool FURLShow = false;
  bool FURLFull = false;
  TPictureContainer* FPictureContainer = nullptr;
  bool FFilterDropDownAuto = false;
  int FFilterDropDownRow = 0;
  TFilterDropDownColumns FFilterDropDownColumns = fdNormal;
  bool FFilterIncremental = false;
  bool FMouseDownOnFixed = false;
  int FMovingColumn = -1;
  bool FFixedDropDownDown = false;
  // Draws the hovered or pressed look of a header cell; false when the cell has neither.
  bool DrawHeaderState(TCanvas* ACanvas, int RCol, int DCol, int DRow, TRect& R);
  void DrawHeaderLines(TCanvas* ACanvas, TRect R);
  void DrawHTMLText(TCanvas* ACanvas, const String& Text, TRect T, bool Selected, TColor URLColor, bool SortCell,
                    TVAlignment VA, int DCol, int HotLink = 0);
  void DrawSelectionRectangle(TCanvas* ACanvas, int DCol, int DRow, const TRect& R, bool Header);
  void DrawListViewHeader(TCanvas* ACanvas, int DCol, int DRow, const TRect& R);
  static void OuterLines(TCanvas* ACanvas, const TRect& R, bool Horz, bool Vert);
  // The form whose size the grid follows (through a resize filter of its own), and its size.
  TForm* FResizeForm = nullptr;
  int FFormWidth = 0;
  int FFormHeight = 0;

  // ---- cell objects and check boxes: helpers (AdvGridCellGraphics.cpp, AdvGridCheckBoxes.cpp) ----
  // The object a check-box read or write acts on: a hidden real row's record, else the cell's
  // object as GetCellGraphic gives it at the displayed row.
  TCellGraphic* CheckBoxObject(int ACol, int RRow);
  // The node object of a displayed row (column 0), or none.
  TCellGraphic* NodeObject(int DRow);
  // The rows a node heads, its own row included (span 0 or less: up to the next node row).
  int NodeSpan(int DRow);
  // Nodes (AdvGridNodes.cpp): a row's level, changed by Delta (never below 0); hidden records
  // above a real row moved by Delta; displayed rows hidden in one pass (ascending).
  int RowNodeLevel(int DRow);
  void ChangeRowNodeLevel(int DRow, int Delta);
  void ShiftHiddenRowsAbove(int RRow, int Delta);
  void HideDisplayedRows(const std::vector<int>& DRows);
  int NodeSpanEnd(int DRow);
  // The nearest node row above DRow whose span covers it, or -1.
  int ParentNodeRow(int DRow);
  void RepaintRealCell(int RCol, int DRow);
  void FreeCellLook(int RCol, int DRow);
  TImageList* FGridImages = nullptr;
  bool FURLShowInText = false;
  bool FActiveStyleInUse = false;
  // Window, wheel, editing and selection state.
  bool FEditChange = false;
  String FEditMask;
  unsigned FWheelMsg = 0;
  int FWheelScrollLines = 0;
  bool FWheelPan = false;
  bool FThemeRegistered = false;
  std::unique_ptr<TGridDropTarget> FGridDropTarget;  // while DragDropSettings.OleDropTarget
  bool FDropTargetRegistered = false;
  int FNumNodes = 0;  // nodes added less nodes removed
  bool FSelHidden = false;
  TGridRect FHiddenSelection{};

  // ---- input state (AdvGridInput.cpp, AdvGridKeyDown.cpp, AdvGridMouse.cpp, AdvGridHints.cpp) ----
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void HandleKeyDownMessage(TMessage& Message);
  void HandleCharMessage(TMessage& Message);
  void WMTimer(TMessage& Message);
  void WMMouseWheel(TMessage& Message);
  void WMLButtonDown(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  // The release of a left press on the sort row's cell (DCol, DRow) sorts by its column
  // (AdvGridSortClick.cpp); Dropped: the release ended a move.
  void HeaderSortClick(int X, int Y, int DCol, int DRow, bool Dropped);
  void WMLButtonDblClk(TMessage& Message);
  void WMRButtonDown(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMHintShow(TMessage& Message);
  void SelectionChangedHook(const TGridRect& Sel);
  bool InputCanEdit(int RCol, int DRow);
  bool ControlCanEdit(int RCol, int DRow);
  void SimulateCellClick(int DCol, int DRow);
  void TabEndOfGrid(bool& Result);
  void OpenFixedCellEditor(int DCol, int DRow);
  void SkipFixedMove(Word Key, int& Col, int& Row);
  void ShowSizingHint(const String& Text, int DCol, int DRow);
  int FixedBorderAt(bool Rows, int Pos);
  int FTimerTicks = 0;
  bool FGridBlink = false;
  bool FEnableBlink = false;
  bool FUseHTMLHints = false;
  bool FHintShowCells = false;
  bool FHintShowLargeText = false;
  bool FHintShowSizing = false;
  bool FHTMLHint = false;
  int FTabPasses = 0;  // repeated advances of one Tab over cells it may not enter
  TGridRect FMoveSelection{};
  TGridRect FPressSelection{};
  TPoint FLastKeyCell{-1, -1};
  bool FDoOnClick = false;
  bool FMouseDownMove = false;
  bool FMouseKeepDown = false;
  bool FDblClk = false;
  bool FSizeFixed = false;
  bool FSizeFixedR = false;
  bool FSizingFixed = false;
  bool FSizingFixedR = false;
  int FSizeFixedX = 0;
  int FSizeFixedY = 0;
  int FSizingFixedCol = -1;
  int FSizingFixedRow = -1;
  bool FScrollHintShow = false;
  int Clickposx = 0;
  int Clickposy = 0;
  int Clickposdx = 0;
  int Clickposdy = 0;
  bool FNoMouseLeave = false;
  String FAnchor;
  int FFixedColEdit = -1;
  int FFixedRowEdit = -1;

  // ---- selection and navigation state (AdvGridSelection.cpp) ----
  // One pass of AdvanceToNextCell; false when the skip of read-only cells found no end.
  bool AdvanceStep(int& ACol, int& ARow, bool Forward, int SpanX, bool& Stop);
  // The end of an advance onto a cell with a clickable control (display start cell).
  void AdvanceOntoControlCell(int StartCol, int StartRow);
  int FirstNavigableCol();
  void AppendRow();
  bool FActiveRowShow = false;
  bool FUseEnabledRows = false;
  int FAECol = -1;
  int FAERow = -1;
  bool FDisableChange = false;
  bool FSelChange = false;
  Char FStartEditChar = 0;
  std::shared_ptr<ITAdvStringGridSelect> FISelect;

  // ---- edit cycle state (AdvGridEdit.cpp, AdvGridValidate.cpp) ----
  String FOldCellText;      // the edited cell's stored text when the edit began
  String FNewCellText;      // what the last validation produced
  String FCellCache;        // the current cell's text when it became current; Escape restores it
  String FEditText;
  int FOldCol = -1;         // the edited cell (display column, row)
  int FOldRow = -1;
  bool FOldModifiedValue = false;
  bool FEntered = false;
  bool FEditing = false;
  bool FSpecialEditor = false;
  bool FEditActive = false;
  bool FValidating = false;
  bool FEditDisable = false;
  bool FBlockFocus = false;
  bool FSuppressEditChange = false;
  bool FInplaceEditRunning = false;
  bool FModified = false;
  bool FGridModified = false;
  bool FAlwaysValidate = false;
  bool FExcelStyleDecimalSeparator = false;
  bool FLookup = false;
  bool FLookupCaseSensitive = false;
  bool FLookupHistory = false;
  int FMaxEditLength = 0;
  int FMaxComboLength = 0;
  int FLastRowChanged = -1;  // the row OnRowChanged last reported
  String FValidChars;
  TWinControl* FEditCtrl = nullptr;
  TEditLink* FEditLink = nullptr;
  TAdvStringGridCheck* FCellChecker = nullptr;
  TWinControl* FHookedLinkControl = nullptr;

  // ---- scrolling, sizing and cell controls following the view (AdvGridScrollFollow.cpp) ----
 public:
  // Records every column's width and the grid's width, from which ColumnSize.SynchWithGrid
  // scales the columns when the grid is sized.
  void InitOrigColSizes();
  // Places the controls held by cells (and the in-cell scroll bar) over the cells in view;
  // RebuildList collects them from the cells first.
  void CellControlsUpdate(bool RebuildList);
  // Where the hint of a text too large for its cell shows: over the cell or at the cursor.
  enum THintShowLargeTextPos : uint8_t { hpCell, hpCursor };
  THintShowLargeTextPos HintShowLargeTextPos() const { return FHintShowLargeTextPos; }
  void SetHintShowLargeTextPos(THintShowLargeTextPos v) { FHintShowLargeTextPos = v; }
  // Asked on every mouse move while a column (row) is dragged to a new place, with the column
  // (row) taken; false ends the drag.
  using TGridMoveAllowEvent = std::function<void(TObject* Sender, int Index, bool& Allow)>;
  TGridMoveAllowEvent OnColumnMove;
  TGridMoveAllowEvent OnRowMove;
  // During a move, the column (row) under the mouse: Allow false shows the no-drop cursor.
  TGridMoveAllowEvent OnColumnMoving;
  TGridMoveAllowEvent OnRowMoving;

 protected:
  void TopLeftChanged() override;

 private:
  // The block-focus frame around the current cell when FocusHelper asks for it.
  void ShowEditFocusFrame();
  // The column half of WM_SIZE: synchronised widths, then the stretch; true when it stretched.
  bool SizeColumnsToWidth();
  // The cursor for the select mode, the cell selector or the cell (the split cursors follow).
  void ChooseSelectionCursor(TMessage& Message);
  // Whole rows, columns or all cells chosen from the fixed cells (AdvGridMouseSelect.cpp).
  void UpdateMouseSelectMode(int X, int Y, int DCol, int DRow);
  bool PressHeaderSelection(int DCol, int DRow, bool Shift);
  void DragHeaderSelection(int Y, int DCol, int DRow);
  void EndHeaderSelection();
  int LastRowSelectRow() const;
  void AskMoveAllowed();
 public:
  // Keeps a cell about to become current clear of the floating footer and the search panel;
  // false when the cell may not be selected (AdvGridFooter.cpp).
  bool KeepSelectionClearOfPanels(int DCol, int DRow);
  // The last row ends above the search panel, the bottom of the grid being in view.
  bool LastRowAboveSearchFooter() const;
  // Scrolls one row at a time until the last row ends above the search panel.
  void AdjustTopRowForSearchFooter();
 private:
  int FOldLeftCol = -1;
  int FOldTopRow = -1;
  bool FRowSelectScrolledUp = false;
  THintShowLargeTextPos FHintShowLargeTextPos = hpCell;

  // Link hover, anchor hints and the list-view hot header (AdvGridHover.cpp).
 public:
  TAnchorHintEvent OnAnchorHint;
  TPoint HoverLinkCell() const { return FHoverCell; }
  int HoverLink() const { return FHoverlink; }
  TPoint HotFixedCell() const { return FHotFixedCell; }

 private:
  // The anchor of an HTML cell under (X, Y), its title and its 1-based link number; false when
  // the cell is not HTML or no link is there.
  bool LinkAt(int DCol, int DRow, int X, int Y, String& Anchor, String& Title, int& Link);
  // A title stands for itself; without one the anchor text, which OnAnchorHint may change.
  String AnchorHintText(int DCol, int DRow, const String& Anchor, const String& Title);
  void TrackLinks(int DCol, int DRow, int X, int Y);
  void TrackHotFixedCell(int DCol, int DRow);
  void RepaintHotFixedCell();
  TPoint FHoverCell{-1, -1};
  TPoint FHotFixedCell{-1, -1};
  String FLastAnchorHint;
  // ---- balloon tooltip window (AdvGridBalloonTip.cpp) ----
 public:
  // Sets the balloon tooltip window up once (Balloon.Init marks it); BalloonDone destroys it.
  void BalloonInit();
  void BalloonDone();
  // The balloon tooltip window while it is set up, else null.
  TBalloonToolTip* BalloonToolTip() const { return FHToolTip.get(); }
  // The base cell (display column, row) of the balloon asked for last; (-1, -1) none.
  TPoint LastBalloonPos() const { return FLastBalloonPos; }
  // May change the title, text and icon of the balloon of a cell (real column, row).
  std::function<void(TObject* Sender, int ACol, int ARow, String& ATitle, String& AText, int& AIcon)> OnCellBalloon;

 private:
  void BalloonEnableChanged();
  // WM_NOTIFY from the balloon tooltip window; false for notifications of others.
  bool BalloonNotify(TMessage& Message);
  // The text, title and colours of the balloon of the cell under the mouse.
  void BalloonAnswer(TToolTipText& Info);
  // The mouse moved to another base cell (or off the cells) than the balloon's: the balloon goes.
  void BalloonFollow(TPoint BaseCell);
  std::unique_ptr<TBalloonToolTip> FHToolTip;
  TPoint FLastBalloonPos{-1, -1};
  String FToolTipBuffer;  // the text handed to the tooltip window; outlives the request

  // ---- sorting (AdvGridSort.cpp, AdvGridSortCompare.cpp) and grouping (AdvGridGroup.cpp) ----
 public:
  using TCustomCompareEvent = std::function<void(TObject* Sender, const String& Str1, const String& Str2, int& Res)>;
  using TRawCompareEvent = std::function<void(TObject* Sender, int ACol, int Row1, int Row2, int& Res)>;
  // Rows FixedRows .. RowCount - FixedFooters - 1 (display rows) move through SortSwapRows.
  virtual void QSort();
  // Raises "No indexes specified for indexed sort" for an empty SortIndexes.
  virtual void QSortIndexed();
  // Inside the expanded nodes of the deepest level.
  virtual void QSortGroup();
  virtual void QSortGroupIndexed();
  // Back to the order of the last InitSortXRef.
  virtual void QUnSort();
  void Sort(int ACol, TSortDirection Direction);
  void SortByColumn(int ACol);
  // One compare-and-swap step of two display rows on ACol (the next columns decide ties).
  bool SortLine(int ACol, int ARow1, int ARow2);
  void InitSortXRef();
  // Display rows Left .. Right by ACol in SortSettings' direction; by SortIndexes.
  void QuickSort(int ACol, int Left, int Right);
  void QuickSortIndexed(int Left, int Right);
  // +1 when display row R1 sorts after R2, -1 before, 0 equal: one column (blanks placed for
  // Direction), with SortSettings.Full the columns to the right deciding ties, and by the index.
  int CompareCells(int ACol, int R1, int R2, TSortDirection Direction);
  int CompareRows(int ACol, int R1, int R2);
  int CompareRowsIndexed(int R1, int R2);
  // The style a comparison of ACol uses once automatic detection looked at the two texts.
  TSortStyle ResolveSortStyle(int ACol, int R1, const String& S1, const String& S2, TSortStyle Style);
  TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
  int Compares = 0;  // row comparisons
  int SortTime = 0;  // milliseconds of the last header-click sort
  int SortDir = 1;   // +1 ascending, -1 descending
  TCustomCompareEvent OnCustomCompare;
  TRawCompareEvent OnRawCompare;

  int GroupColumn() const { return FGroupColumn; }
  // -1 ungroups, a column above 0 groups by it; 0 holds the nodes and is refused.
  void SetGroupColumn(int Value);
  virtual void Group(int Colindex);
  virtual void UnGroup();
  virtual void SubGroup(int Colindex);
  virtual void SubUnGroup(int Colindex);
  // Method 1 sum, 2 average, 3 minimum, 4 maximum, 5 count, 6 OnGroupCalc, 7 distinct count,
  // 8 standard deviation, into each expanded group's header (or summary) row.
  void GroupCalc(int ACol, int Method);
  void GroupSum(int ACol);
  void GroupAvg(int ACol);
  void GroupMin(int ACol);
  void GroupMax(int ACol);
  void GroupCount(int ACol);
  void GroupCustomCalc(int ACol);
  void GroupDistinct(int ACol);
  void GroupStdDev(int ACol);

 private:
  using TSortCompare = int (TAdvStringGrid::*)(int, int, int);
  // The partition of both engines over keys read once per cell (AdvGridSortKeys.h); recurses into
  // the smaller part, loops on the larger one, and finishes a range its pivots keep failing on
  // with a merge sort.
  void SortRange(int ACol, int Left, int Right, bool Indexed);
  // Copies a row into the pivot row (the second scratch row).
  void CopySortPivot(int FromRow);
  // Display row Left + i receives row Left + From[i] with all that SortSwapRows moves with a row
  // (cross-reference, height, select and modified flags, SortRow), in one permutation.
  void SortMoveRows(int Left, const std::vector<int>& From, TSortScratch& Scratch);
  // The buffers sorts reuse from one to the next (made on first use), held while a sort runs;
  // a sort started inside another one gets buffers of its own.
  std::shared_ptr<TSortScratch> SortScratch();
  // The bookkeeping around a sort of rows From .. To by Engine.
  struct TSortRun;
  void RunSort(bool Indexed, bool Groups, bool Footer);
  void SortGroups(bool Indexed, int FromRow, int ToRow);
  // Header and summary looks of grouping.
  void GroupRowColors(int DRow, TColor Color, TColor ColorTo, TColor TextColor);
  void GroupMergeRow(int DRow, TColor Color, TColor ColorTo, TColor TextColor);
  void GroupUnLookRow(int DRow, bool Merged);
  void GroupRemoveRow(int DRow);
  int FSortPivotRow = -1;  // the pivot's scratch row while a sort runs
  // Display rows before End get a blank row before each of Points (ascending, repeats allowed,
  // in the rows' places before the call), as an InsertRows per point would leave them.
  void GroupSpreadRows(int End, const std::vector<int>& Points);
  // The first level's group fields while SubGroup's second level holds them.
  int FSubGroupColumn = -1;
  int FOuterGroupColumn = -1;
  int FOuterGroupWidth = 0;
  String FOuterGroupCaption;
  String FOuterGroupFooter;
  int FGroupWidth = 0;
  String FGroupCaption;
  String FGroupFooter;
  bool FIsGrouping = false;

  // ---- press, release and move feedback (AdvGridMouseFeedback.cpp) ----
 public:
  // Pops up over a fixed cell's drop-down button; its Tag is the pressed column.
  TPopupMenu* FixedDropDownMenu() const { return FFixedDropDownMenu; }
  void SetFixedDropDownMenu(TPopupMenu* Value);
  std::function<void(TObject* Sender, int ACol, int ARow, TPopupMenu*& AMenu, bool& KeepFixedCellHighlighted)>
      OnFixedDropDownClick;
  // The cell whose in-cell button or expand button is under the mouse; (-1, -1) none.
  TPoint HoverButton() const { return FHoverButton; }
  // The scroll bar shown over the in-cell scroll bar cell under the mouse, and that cell.
  TScrollBar* CellScrollBar() const { return FScrollBar; }
  TPoint CellScrollBarCell() const { return TPoint{FScrollCol, FScrollRow}; }
  void SetEnhRowColMove(bool v) { FEnhRowColMove = v; }
  // The last selection the selection-frame repaint saw while selecting.
  TGridRect SizeSelection() const { return FSizeSelection; }

 private:
  // Press on the drop-down button of a hover-highlighted fixed cell; true when the press ends there.
  bool PressFixedDropDown(int DCol, int DRow, int X);
  // A hover-highlighted cell of the last fixed row with a pressed gradient.
  bool HasPressedLook(int DCol, int DRow);
  void TrackCellScrollBar(int DCol, int DRow);
  void TrackHoverButton(int DCol, int DRow, int X, int Y);
  // The visible rows (columns) of the selected band before and after a drag step changed it.
  void RepaintSizeSelection(const TGridRect& Before, bool Rows);
  TPopupMenu* FFixedDropDownMenu = nullptr;
  TPoint FHoverButton{-1, -1};
  TGridRect FSizeSelection{};
  int FScrollCol = -1;
  int FScrollRow = -1;
};
