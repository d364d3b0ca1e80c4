#pragma once
// The class library's grids: TCustomGrid (geometry, current cell, selection, keyboard and mouse,
// sizing and moving, the inplace editor frame), TDrawGrid (cells drawn by an event) and
// TStringGrid (a text and an object per cell). docs/grid-contract.md lists what the grid pack
// relies on.
//
// Indices are the grid's display indices (0-based column, row) everywhere in this header.
// The cell store of TStringGrid is independent of ColCount/RowCount: cells beyond either count
// are kept, readable and writable, and survive count changes. Memory follows what is stored
// (a sorted run of cells per stored row), never the grid's extent.
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <unordered_map>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Mask.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

class TCustomGrid;

class EInvalidGridOperation : public Exception {
 public:
  using Exception::Exception;
};

// Flat scroll bar properties and looks (TCustomGrid::FlatSB_SetScrollProp).
enum : unsigned {
  WSB_PROP_CYVSCROLL = 0x1, WSB_PROP_CXHSCROLL = 0x2, WSB_PROP_CYHSCROLL = 0x4, WSB_PROP_CXVSCROLL = 0x8,
  WSB_PROP_VSTYLE = 0x100, WSB_PROP_HSTYLE = 0x200, WSB_PROP_VBKGCOLOR = 0x400, WSB_PROP_HBKGCOLOR = 0x800,
};
enum : int { FSB_REGULAR_MODE = 0, FSB_ENCARTA_MODE = 1, FSB_FLAT_MODE = 2 };

enum TGridOption {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
  goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
  goAlwaysShowEditor, goThumbTracking
};
using TGridOptions = TSmallSet<TGridOption>;

enum TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSmallSet<TGridDrawStateFlag>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TGridCoord {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// Inclusive cell rectangle (Left..Right columns, Top..Bottom rows).
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

inline bool PointInGridRect(int Col, int Row, const TGridRect& Rect) {
  return Col >= Rect.Left && Col <= Rect.Right && Row >= Rect.Top && Row <= Rect.Bottom;
}

using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

// The editor the grid lays over its current cell. Multi-line (wrapping) unless made single-line
// (the grid pack uses single-line editors for password and mask cells).
class TInplaceEdit : public TCustomMaskEdit {
 public:
  explicit TInplaceEdit(TComponent* AOwner);
  String ClassName() const override { return u"TInplaceEdit"; }
  TCustomGrid* Grid() const { return grid_; }

  void Deselect();
  void Hide();  // hides without touching the text; the grid's edit cycle reads it
  void Invalidate() override;
  void Move(const TRect& Loc);
  bool PosEqual(const TRect& Rect) const;
  void SetFocus() override;
  void UpdateLoc(const TRect& Loc);
  // Puts a text into the editor without writing it into the grid's cell (the grid's own
  // corrections of what the editor shows).
  void SetTextKeepCell(const String& s);
  bool Visible() const { return TControl::Visible(); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v) { wordWrap_ = v; }
  bool MultiLineEditor() const { return multiLine_; }
  void SetMultiLineEditor(bool v) { multiLine_ = v; }
  // Milliseconds within which a second click on the editor counts as the grid's double click.
  unsigned ClickTime() const { return clickTime_; }

 protected:
  friend class TCustomGrid;
  virtual void BoundsChanged();
  virtual void UpdateContents();
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  bool MultiLine() const override { return multiLine_; }
  bool WrapsLines() const override { return multiLine_ && wordWrap_; }
  unsigned DialogCode() const override;
  void WndProc(TMessage& Message) override;
  void Change() override;
  void SetGrid(TCustomGrid* g) { grid_ = g; }

  TCustomGrid* grid_ = nullptr;
  bool wordWrap_ = true;
  bool multiLine_ = true;
  unsigned clickTime_ = 500;
  // Set while the editor's focus goes elsewhere: hiding it then leaves the focus going there.
  bool losingFocus_ = false;
  uint32_t lastClick_ = 0;
  bool lastClickValid_ = false;
};

class TCustomGrid : public TCustomControl {
 public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;
  String ClassName() const override { return u"TCustomGrid"; }

  // ---- counts ----
  int ColCount() const { return colCount_; }
  void SetColCount(int Value);
  int RowCount() const { return rowCount_; }
  void SetRowCount(int Value);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int Value);  // raises EInvalidGridOperation unless below ColCount
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int Value);  // raises EInvalidGridOperation unless below RowCount

  // ---- extents ----
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int Value);  // resets every column width
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int Value);  // resets every row height
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const;
  void SetRowHeights(int Index, int Value);
  // Spacing the grid leaves for its own lines (0: cells touch; the grid pack draws its lines).
  int GridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int Value);
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions Value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool v) { defaultDrawing_ = v; Invalidate(); }
  TColor FixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor c) { fixedColor_ = c; Invalidate(); }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle b);
  // bsSingle keeps a 2-pixel frame around the client area, painted by WM_NCPAINT.
  int ClientInset() const override;

  // ---- view ----
  int LeftCol() const { return topLeft_.X; }
  void SetLeftCol(int Value);  // clamped to FixedCols .. the largest useful left column
  int TopRow() const { return topLeft_.Y; }
  void SetTopRow(int Value);
  // Scrollable columns (rows) fully visible from LeftCol (TopRow); at least 1 when any exists.
  int VisibleColCount() const;
  int VisibleRowCount() const;
  // Client rectangle of a visible cell; a cell out of view gives an empty rectangle at (0, 0).
  // A partly visible last cell keeps its full extent. Right to left (UseRightToLeftAlignment)
  // the rectangle is the mirrored one, where the cell shows.
  TRect CellRect(int ACol, int ARow) const;
  // Client coordinates as the mouse gives them (mirrored back right to left).
  void MouseToCell(int X, int Y, int& ACol, int& ARow) const;  // -1 outside the cells
  TGridCoord MouseCoord(int X, int Y) const;
  int GridWidth() const;   // pixels up to the right edge of the last visible column
  int GridHeight() const;
  // The client rectangle less the scroll bars that are shown.
  TRect ClientRect() const override;

  // ---- current cell and selection ----
  int Col() const { return current_.X; }
  void SetCol(int Value);
  int Row() const { return current_.Y; }
  void SetRow(int Value);
  TGridRect Selection() const;
  // Anchor := (Left, Top), current cell := (Right, Bottom), as given; a rectangle outside the
  // grid is accepted (a parked selection). The view does not move.
  void SetSelection(const TGridRect& Value);
  TGridState GridState() const { return gridState_; }
  bool EditorMode() const { return editorMode_; }
  void SetEditorMode(bool Value);
  TInplaceEdit* InplaceEditor() const { return inplaceEdit_; }
  bool TabStops(int Index) const;
  void SetTabStops(int Index, bool Value);

  // ---- structure ----
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);
  virtual void DeleteColumn(int ACol);
  virtual void DeleteRow(int ARow);

  // ---- repainting ----
  void InvalidateCell(int ACol, int ARow);
  void InvalidateCol(int ACol);
  void InvalidateRow(int ARow);
  void InvalidateGrid();
  // The whole grid, recorded like InvalidateGrid.
  void Invalidate() override { InvalidateGrid(); }
  void InvalidateRect(const TGridRect& ARect);
  // Cell invalidations between these are gathered into one rectangle of cells, invalidated (with
  // the grid's geometry then) when the outermost batch ends: bulk row moves invalidate every row
  // they touch otherwise.
  void BeginInvalidateBatch() { ++invalidateBatch_; }
  void EndInvalidateBatch();
  void InvalidateEditor();
  // Client rectangles invalidated since the last call (kept for tests and offscreen paints).
  std::vector<TRect> TakeInvalidatedRects();

  // Paints on any canvas: the update rectangle (whole client area when null) limits the cells
  // drawn. The widget's paint event goes through the same routine.
  void PaintOn(TCanvas* ACanvas, const TRect* UpdateRect = nullptr);

  // ---- editor ----
  void ShowEditor();
  void HideEditor();
  void ShowEditorChar(Char Ch);
  void UpdateEditor();  // the editor takes the cell's text again

  // Thumb position of the vertical (horizontal) scroll bar on the 0..127 scale that the
  // WM_VSCROLL / WM_HSCROLL positions use.
  int ScrollPos(bool Vertical) const;

  // ---- scroll information (the window's SetScrollInfo / GetScrollInfo) ----
  // A bar's range is 0..Max (127 unless set) with a page (0 unless set): a page gives the thumb its
  // share of the track, and the thumb then takes the positions 0..Max - Page + 1. The position
  // follows the view (ScrollPos) again whenever the top-left changes.
  struct TGridScrollInfo {
    int Max = 127;
    int Page = 0;
    int Pos = 0;
  };
  void SetScrollInfo(bool Vertical, int Max, int Page, int Pos);
  TGridScrollInfo GetScrollInfo(bool Vertical) const;
  // Pixels of the columns (rows) From .. To - 1, lines not counted, from cached running sums.
  int64_t ExtentSum(bool Vertical, int From, int To) const;

  // ---- scroll bar state (the window's ShowScrollBar / EnableScrollBar) ----
  // Show: the bar stays shown although its cells fit; hide: it shows only while they do not.
  void ShowScrollBar(bool Vertical, bool Show);
  // A disabled bar draws its arrows inactive, has no thumb and ignores the mouse.
  void EnableScrollBar(bool Vertical, bool Enable);
  bool ScrollBarVisible(bool Vertical) const { return Vertical ? vertBarShown_ : horzBarShown_; }
  bool ScrollBarEnabled(bool Vertical) const { return Vertical ? vertBarEnabled_ : horzBarEnabled_; }

  // ---- flat scroll bars (the common controls' kind) ----
  // Once initialised, the bars take the thickness, track colour and look set by
  // FlatSB_SetScrollProp; uninitialised they are the standard ones again. Always available here.
  bool InitializeFlatSB();
  void UninitializeFlatSB();
  bool FlatSBInitialized() const { return flatSB_; }
  // Properties: WSB_PROP_CXVSCROLL / WSB_PROP_CYHSCROLL (thickness of the vertical / horizontal
  // bar), WSB_PROP_VBKGCOLOR / WSB_PROP_HBKGCOLOR (track colour, a TColor), WSB_PROP_VSTYLE /
  // WSB_PROP_HSTYLE (FSB_REGULAR_MODE, FSB_ENCARTA_MODE, FSB_FLAT_MODE). False when not
  // initialised or for an unknown property.
  bool FlatSB_SetScrollProp(unsigned Index, intptr_t NewValue);
  intptr_t FlatSB_GetScrollProp(unsigned Index) const;

  TSelectCellEvent OnSelectCell;
  TNotifyEvent OnTopLeftChanged;
  TGetEditEvent OnGetEditMask;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;
  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;

  void WndProc(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Loaded() override;
  void PaintTo(void* qpainter) override;

 protected:
  friend class TInplaceEdit;

  // ---- window frame ----
  // The canvas over the whole window (frame included, window coordinates) while WM_NCPAINT runs;
  // null otherwise.
  TCanvas* WindowCanvas() const { return windowCanvas_; }
  // Asks for the frame to be painted again (the client area is left alone).
  void InvalidateFrame();
  // Paints the frame (WM_NCPAINT) on a canvas over the whole window: tests and offscreen pictures.
  void PaintFrameOn(TCanvas* ACanvas);

  // ---- virtual operations for derived grids ----
  // Right to left, draws through the mirrored canvas orientation (ChangeGridOrientation).
  void Paint() override;
  virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) = 0;
  virtual bool SelectCell(int ACol, int ARow);
  virtual bool CanEditShow();
  virtual bool CanEditAcceptKey(Char Key);
  virtual bool CanEditModify();
  virtual bool CanGridAcceptKey(Word Key, TShiftState Shift);
  virtual TInplaceEdit* CreateEditor();
  virtual String GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const String& Value);
  virtual String GetEditMask(int ACol, int ARow);
  virtual int GetEditLimit();
  virtual void ColumnMoved(int FromIndex, int ToIndex);
  virtual void RowMoved(int FromIndex, int ToIndex);
  virtual void TopLeftChanged();
  virtual void SizeChanged(int OldColCount, int OldRowCount);
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  // Sizing or moving about to start at client (X, Y): state, index and the position and offset
  // of the grabbed border (in layout coordinates).
  virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                               int& SizingOfs);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void CreateWnd();
  virtual void ChangeScale(int M, int D);
  // Moves the data of a column (row); the grid moves the extents.
  virtual void ColumnMovedData(int FromIndex, int ToIndex) { (void)FromIndex; (void)ToIndex; }
  virtual void RowMovedData(int FromIndex, int ToIndex) { (void)FromIndex; (void)ToIndex; }
  virtual void DeleteColumnData(int ACol) { (void)ACol; }
  virtual void DeleteRowData(int ARow) { (void)ARow; }

  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void Click() override;
  void DblClick() override;
  void DoEnter() override;
  void DoExit() override;
  void Resize() override;
  unsigned DialogCode() const override;
  QWidget* CreateWidget(QWidget* parentWidget) override;

  // ---- right-to-left layout ----
  // The grid lays its cells out left to right and, when UseRightToLeftAlignment, shows that
  // layout mirrored over the whole client width (its own scroll bars included): layout x is
  // client x = GridMirrorWidth() - x. Paint draws through a mirrored canvas, so DrawCell gets
  // layout rectangles; this switches the canvas orientation (on: mirrored; off: client
  // coordinates) for drawing that must not be mirrored.
  void ChangeGridOrientation(bool RightToLeftOrientation);
  int GridMirrorWidth() const;
  // Layout <-> client rectangle (the same mapping both ways; identity left to right; an empty
  // rectangle stays as it is).
  TRect FlipGridRect(const TRect& r) const;
  // Layout x of the client pixel column X (identity left to right).
  int ClientToLayoutX(int X) const;
  // CellRect and MouseCoord in layout coordinates.
  TRect LayoutCellRect(int ACol, int ARow) const;
  TGridCoord LayoutCoord(int X, int Y) const;

  // ---- helpers for derived grids ----
  void FocusCell(int ACol, int ARow, bool MoveAnchor);
  // False when SelectCell refused the cell.
  bool MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
  void MoveTopLeft(int ALeft, int ATop);
  // Code may scroll past the last full page, up to the last row (the scroll bar's range ends at the
  // page): the grid does so to keep rows clear of the panels over its bottom.
  void ScrollTopRowPastPage(int ATop);
  // The move itself, without the clamp.
  void PlaceTopLeft(int ALeft, int ATop);
  // Extends the selection to the cell (moves the current cell without goRangeSelect).
  void MoveAnchor(TGridCoord NewAnchor);
  // Scrolls just enough to show the cell fully (a fixed column or row is always shown).
  void ClampInView(TGridCoord Cell);
  void ScrollBarMessage(bool Vertical, unsigned Code, int Pos);
  bool IsActiveControl() const;
  TGridCoord CalcMaxTopLeft() const;
  // Decides which scroll bars show (those of ScrollBars whose cells do not all fit).
  void UpdateScrollBars();
  void InvalidateClientRect(const TRect& r);
  // Scroll bar parts in client coordinates; an empty bar when it is not shown.
  struct ScrollBarLayout {
    TRect Bar, LineUp, LineDown, Thumb;
    int TrackStart = 0;  // first pixel the thumb can take
    int Movable = 0;     // pixels the thumb can move
  };
  ScrollBarLayout BarLayout(bool Vertical) const;
  bool ScrollBarMouseDown(int X, int Y);
  void RepeatScroll();
  void PaintLayout();  // Paint's drawing, in layout coordinates
  void PaintScrollBars(TCanvas* Canvas);
  int64_t TotalExtent(bool Vertical) const;

  // Column (row) starts, from the fixed ones, then LeftCol (TopRow) on.
  struct AxisInfo {
    int Extent = 0;      // client width or height
    int FixedCount = 0;
    int FirstScroll = 0;  // LeftCol or TopRow
    int Count = 0;
    int LineWidth = 0;
    int FixedExtent = 0;  // pixels of the fixed cells with their lines
    int LastFull = 0;     // last fully visible scrollable index
    int FullVisible = 0;  // VisibleColCount / VisibleRowCount
  };
  AxisInfo CalcAxis(bool Vertical) const;
  // Start pixel of a visible index, -1 when not visible.
  int AxisStart(bool Vertical, int Index) const;
  int AxisExtent(bool Vertical, int Index) const {
    return Vertical ? RowHeights(Index) : ColWidths(Index);
  }
  int AxisIndexAt(bool Vertical, int Pixel) const;

  int colCount_ = 5;
  int rowCount_ = 5;
  int fixedCols_ = 1;
  int fixedRows_ = 1;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  int gridLineWidth_ = 1;
  std::vector<int> colWidths_;   // empty: all default
  std::vector<int> rowHeights_;  // empty: all default
  std::vector<uint8_t> tabStops_;  // empty: all tab stops
  int64_t colSum_ = 0;  // sum of colWidths_ (rowHeights_) while the vector is in use
  int64_t rowSum_ = 0;
  // Running sums of colWidths_ (rowHeights_): entry i holds the extents before i; empty: stale.
  mutable std::vector<int64_t> colRunning_;
  mutable std::vector<int64_t> rowRunning_;
  void ExtentsChanged(bool Vertical) { (Vertical ? rowRunning_ : colRunning_).clear(); }
  TGridScrollInfo barInfo_[2];  // horizontal, vertical
  bool barPosSet_[2] = {false, false};  // Pos set by SetScrollInfo since the view last moved
  int BarPosRange(bool Vertical) const;
  // Thumb length in a track of Track pixels, and its offset in the Movable pixels it can take.
  int ThumbLength(bool Vertical, int Thickness, int Track) const;
  int ThumbOffset(bool Vertical, int Movable) const;
  static constexpr int kMinThumb = 8;
  bool vertBarShown_ = false;
  bool horzBarShown_ = false;
  bool vertBarForced_ = false;  // ShowScrollBar
  bool horzBarForced_ = false;
  bool vertBarEnabled_ = true;  // EnableScrollBar
  bool horzBarEnabled_ = true;
  bool flatSB_ = false;
  int flatBarWidth_[2] = {kScrollBarSize, kScrollBarSize};  // horizontal bar's height, vertical bar's width
  TColor flatBarColor_[2] = {clNone, clNone};
  int flatBarMode_[2] = {0, 0};
  int BarThickness(bool Vertical) const { return flatSB_ ? flatBarWidth_[Vertical ? 1 : 0] : kScrollBarSize; }
  bool updatingBars_ = false;
  int thumbDrag_ = 0;  // 1 vertical, 2 horizontal thumb being dragged
  int thumbGrab_ = 0;  // mouse offset inside the thumb
  int thumbPos_ = 0;   // last 0..127 position of the drag
  TGridOptions options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  TScrollStyle scrollBars_ = ssBoth;
  bool defaultDrawing_ = true;
  TColor fixedColor_ = clBtnFace;
  TBorderStyle borderStyle_ = bsSingle;
  TCanvas* windowCanvas_ = nullptr;
  TGridCoord topLeft_{1, 1};
  TGridCoord current_{1, 1};
  TGridCoord anchor_{1, 1};
  TGridState gridState_ = gsNormal;
  bool editorMode_ = false;
  TInplaceEdit* inplaceEdit_ = nullptr;
  int inplaceCol_ = -1, inplaceRow_ = -1;
  bool canEditModify_ = true;
  bool fillingEditor_ = false;
  // Sizing and moving drags.
  int sizingIndex_ = -1;
  int sizingPos_ = 0;
  int sizingOfs_ = 0;
  int moveIndex_ = -1;
  int movePos_ = -1;
  int wheelAccumulation_ = 0;
  TPoint lastMouse_{0, 0};
  std::vector<TRect> invalidated_;
  TRect paintUpdate_{};
  bool hasPaintUpdate_ = false;
  bool inSizeChange_ = false;
  int invalidateBatch_ = 0;
  bool batchPending_ = false;
  TGridRect batchRect_{};
  static constexpr uintptr_t kScrollTimer = 1;
  static constexpr uintptr_t kRepeatTimer = 2;  // a held scroll bar arrow or track
  unsigned repeatMsg_ = 0;   // WM_VSCROLL / WM_HSCROLL while an arrow or the track is held
  unsigned repeatCode_ = 0;
  static constexpr int kScrollBarSize = 17;  // scroll bar thickness (SM_CXVSCROLL)
};

// Cells painted by OnDrawCell.
class TDrawGrid : public TCustomGrid {
 public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}
  String ClassName() const override { return u"TDrawGrid"; }
  TDrawCellEvent OnDrawCell;

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  String GetEditMask(int ACol, int ARow) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  void TopLeftChanged() override;
};

class TStringGrid;

// A live view of one row (over ColCount cells) or one column (over RowCount cells).
class TStringGridStrings : public TStrings {
 public:
  TStringGridStrings(TStringGrid* Grid, bool IsRow, int Index) : grid_(Grid), isRow_(IsRow), index_(Index) {}
  String ClassName() const override { return u"TStringGridStrings"; }
  int Count() const override;
  const String& Strings(int Index) const override;
  void SetStrings(int Index, const String& S) override;
  TObject* Objects(int Index) const override;
  void SetObjects(int Index, TObject* AObject) override;
  // Fills the first empty entry (a blank for an empty text); -1 when none is empty.
  int Add(const String& S) override;
  int AddObject(const String& S, TObject* AObject) override;
  void Insert(int Index, const String& S) override;  // raises: rows and columns do not grow
  void Delete(int Index) override;                   // raises likewise
  void Clear() override;                             // empties texts and objects
  // Copies the source's entries over this view's entries; missing ones are emptied.
  void Assign(TPersistent* Source) override;

 private:
  void CheckIndex(int Index) const;
  TStringGrid* grid_;
  bool isRow_;
  int index_;
  // The texts Strings has handed out, by index: the grid keeps no String to refer to.
  mutable std::unordered_map<int, String> shown_;
};

class TStringGrid : public TDrawGrid {
  friend class TStringGridStrings;

 public:
  explicit TStringGrid(TComponent* AOwner);
  ~TStringGrid() override;
  String ClassName() const override { return u"TStringGrid"; }

  // Any non-negative (column, row): beyond ColCount/RowCount too. A negative index reads as
  // empty and raises on write. Writing invalidates the cell.
  // By value: a reference into the store would not survive the next write.
  String Cells(int ACol, int ARow) const;
  // The stored text without a copy, valid until the next write to the grid.
  std::u16string_view CellView(int ACol, int ARow) const { return CellText(ACol, ARow); }
  void SetCells(int ACol, int ARow, const String& Value);
  TObject* Objects(int ACol, int ARow) const;
  void SetObjects(int ACol, int ARow, TObject* Value);
  TStrings* Rows(int Index);
  void SetRows(int Index, TStrings* Value);
  TStrings* Cols(int Index);
  void SetCols(int Index, TStrings* Value);
  // Copies texts and objects of columns 0 .. NumCols - 1 from one row to another (NumCols may
  // exceed ColCount: cells beyond it travel too).
  void CopyRowCells(int FromRow, int ToRow, int NumCols);
  // Number of stored cells (a cell with an empty text and no object is not stored).
  size_t StoredCellCount() const;
  // Block moves of rows for structure changes; only columns 0 .. NumCols - 1 travel (cells beyond
  // stay at their row, as with CopyRowCells), objects are never freed. Within rows [Lo, Hi) the
  // cells of row r go to row r + Delta when that lies in the window; rows left without a source
  // are emptied and cells moved out of the window or overwritten are dropped.
  void ShiftRowCells(int Lo, int Hi, int Delta, int NumCols);
  // Moves the cells of one row onto another (replacing its cells), leaving the source empty.
  void MoveRowCells(int FromRow, int ToRow, int NumCols);
  // Exchanges the cells of two rows (columns 0 .. NumCols - 1) without copying a text.
  void SwapRowCells(int Row1, int Row2, int NumCols);
  // Row First + i receives the cells row First + From[i] had (From a permutation of 0 .. n - 1),
  // in one pass without copying a text.
  void PermuteRowCells(int First, const std::vector<int>& From, int NumCols);
  class TStoredRow;
  // Takes a row's cells out of the store as they are (no text copied) and puts them back.
  TStoredRow TakeRowCells(int ARow, int NumCols);
  void PutRowCells(int ARow, TStoredRow&& Cells, int NumCols);

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  void ColumnMovedData(int FromIndex, int ToIndex) override;
  void RowMovedData(int FromIndex, int ToIndex) override;
  void DeleteColumnData(int ACol) override;
  void DeleteRowData(int ARow) override;

 private:
  // One stored cell in 32 bytes: its column, its object and its text, up to kInline code units in
  // place (most cell texts are short), a longer one in a heap block of its exact length. A String
  // per cell would cost as much again.
  struct Cell {
    static constexpr uint32_t kInline = 8;
    int Col = 0;
    uint32_t Len = 0;  // code units of the text
    TObject* Object = nullptr;
    union {
      Char Inline[kInline];
      Char* Heap;
    };

    explicit Cell(int ACol) : Col(ACol) {}
    Cell(const Cell& o) : Col(o.Col), Object(o.Object) { SetText(o.Text()); }
    Cell(Cell&& o) noexcept : Col(o.Col), Len(o.Len), Object(o.Object) { TakeText(o); }
    Cell& operator=(const Cell& o);
    Cell& operator=(Cell&& o) noexcept;
    ~Cell() { FreeText(); }
    std::u16string_view Text() const { return {Len <= kInline ? Inline : Heap, Len}; }
    void SetText(std::u16string_view s);  // s may be this cell's own text
    bool Unused() const { return Len == 0 && !Object; }

   private:
    void FreeText() {
      if (Len > kInline) delete[] Heap;
    }
    void TakeText(Cell& o) noexcept;  // Len already copied; o is left without text
  };
  using RowCells = std::vector<Cell>;  // sorted by column

 public:
  // Cells taken out of the store, in column order; Col(i) is the column of entry i.
  class TStoredRow {
   public:
    TStoredRow() = default;
    bool Empty() const { return FCells.empty(); }
    int Count() const { return static_cast<int>(FCells.size()); }
    int Col(int i) const { return FCells[static_cast<size_t>(i)].Col; }
    String Text(int i) const { return String(FCells[static_cast<size_t>(i)].Text()); }
    TObject* Object(int i) const { return FCells[static_cast<size_t>(i)].Object; }
    void SetObject(int i, TObject* o) {
      FCells[static_cast<size_t>(i)].Object = o;
      if (o) FMayHoldObjects = true;
    }
    // False when no cell holds an object, known without reading the cells (whose memory a
    // bulk move of rows otherwise never touches).
    bool MayHoldObjects() const { return FMayHoldObjects && !FCells.empty(); }
    void Clear() {
      RowCells().swap(FCells);
      FMayHoldObjects = false;
      FMaxCol = std::numeric_limits<int>::max();
    }

   private:
    friend class TStringGrid;
    RowCells FCells;
    bool FMayHoldObjects = false;
    int FMaxCol = std::numeric_limits<int>::max();  // no cell lies beyond this column
  };

 private:
  const Cell* Find(int ACol, int ARow) const;
  std::u16string_view CellText(int ACol, int ARow) const;  // valid until the next write
  RowCells* FindRow(int ARow) const;
  RowCells& RowFor(int ARow);  // the row's storage, made when missing
  int DenseLimit() const;
  void GrowDense(size_t Size);
  RowCells TakeCells(int ARow, int NumCols);
  void PutCells(int ARow, RowCells&& Cells, int NumCols);
  void DropRow(int ARow);
  void ShiftRows(int Lo, int Hi, int Delta, int NumCols);  // ShiftRowCells without repainting
  Cell& Slot(int ACol, int ARow);
  void Prune(int ACol, int ARow);
  void CheckWrite(int ACol, int ARow) const;
  void ForgetCachedRow() const { cachedRow_ = -1; cachedCells_ = nullptr; }
  // Stored rows, a row's cells sorted by column: rows below dense_.size() by position (a row
  // without cells is an empty vector, no allocation), rows far beyond the others by key. Moving
  // a block of rows moves vector headers, never cells.
  std::vector<RowCells> dense_;
  std::vector<RowCells> permuteRows_;  // PermuteRowCells' buffer, empty rows between its uses
  // No cell was ever stored at a column above this: a block move over more columns need not
  // look into a row's cells.
  int maxCol_ = -1;
  // No object was ever stored in a cell: rows taken out say they hold none.
  bool objectsStored_ = false;
  std::unordered_map<int, RowCells> far_;
  // The far row last looked up (fills and reads go row by row); element pointers of the map stay
  // valid until that row is erased.
  mutable int cachedRow_ = -1;
  mutable RowCells* cachedCells_ = nullptr;
  std::map<int, std::unique_ptr<TStringGridStrings>> rowViews_;
  std::map<int, std::unique_ptr<TStringGridStrings>> colViews_;
};
