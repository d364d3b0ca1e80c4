#pragma once
// TBaseGrid: the first grid of the pack. Cell text through merged ranges and the display-text
// events, per-cell properties kept in the string grid's object slot, merging and splitting,
// merge-aware geometry, the one cell painter and navigation that steps over merged ranges.
//
// Index spaces (docs/grid-contract.md): a column is real (RCol: its place in the cell store,
// hidden columns included) or display (DCol: its place on screen); rows here are always display
// rows (DRow), as the store holds displayed rows only. The cell store, properties and merged
// ranges take (RCol, DRow); geometry, painting and navigation take (DCol, DRow). This grid hides
// no column, so both column spaces coincide in it; a grid that hides columns maps between them.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "grid/foundation/AdvObj.h"
#include "platform/Graphics.h"
#include "platform/Grids.h"

class TBaseGrid;
class TAdvGridUndoRedo;

enum TGridSelectionStyle : uint8_t { ssDefault, ssVista, ssWin7, ssOffice2007 };
enum THoverRowCell : uint8_t { hcNormal, hcFixed, hcSelected };
using THoverRowCells = TSmallSet<THoverRowCell>;
enum TColumnCalcType : uint8_t {
  acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV
};

using TGetDisplWideTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;

// One side's line of a cell border.
struct TCellBorderLine {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
};

// A cell's resolved look: the one value that painting (and printing and export) draw a cell
// with, so that they all show the same cell.
struct TCellStyle {
  TColor Color = clWindow;       // background, or the gradient's start
  TColor ColorTo = clNone;       // gradient end; clNone: solid
  TColor MirrorColor = clNone;   // the lower half's gradient, used when MirrorColorTo is a colour
  TColor MirrorColorTo = clNone;
  TCellGradientDirection GradientDirection = GradientVertical;
  TFont Font;
  TAlignment Alignment = taLeftJustify;
  TVAlignment VAlignment = vtaTop;
  bool WordWrap = true;
  // Sides that get a line, each with its own pen. The base grid has no cell borders
  // (HasCellBorders); a grid that has them fills and draws these.
  TCellBorders Borders;
  std::array<TCellBorderLine, 4> BorderLines{};  // by TCellBorder

  TCellStyle() = default;
  TCellStyle(const TCellStyle& Source) { *this = Source; }
  TCellStyle& operator=(const TCellStyle& Source);
};

// Per-cell properties. The grid that creates one owns it for its whole life: a properties
// object detached from its slot (rows being shifted, hidden rows) is still freed with the grid.
// Rarely used fields live in a block allocated on first use, and the font face is interned, so
// a cell that only carries colours or merge state costs one small object.
// Final: the grid tells properties from a user object in a cell's slot by their exact class.
class TCellProperties final : public TPersistent {
 public:
  // Registers with AOwner (which then owns the object) and sets its has-properties flag.
  TCellProperties(TBaseGrid* AOwner, int RCol, int DRow);
  ~TCellProperties() override;
  String ClassName() const override { return u"TCellProperties"; }
  void Assign(TPersistent* Source) override;

  TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
  int OwnerCol() const { return FOwnerCol; }
  void SetOwnerCol(int v) { FOwnerCol = v; }
  int OwnerRow() const { return FOwnerRow; }
  void SetOwnerRow(int v) { FOwnerRow = v; }
  // (RCol, DRow) are the cell's own coordinates.
  TPoint GetBaseCell(int RCol, int DRow) const;

  TObject* CellObject() const { return FExtra ? FExtra->Object : nullptr; }
  void SetCellObject(TObject* v) { if (v || FExtra) Extra().Object = v; }
  TObject* GraphicObject() const { return FExtra ? FExtra->GraphicObject : nullptr; }
  void SetGraphicObject(TObject* v) { if (v || FExtra) Extra().GraphicObject = v; }
  TObject* CalcObject() const { return FExtra ? FExtra->CalcObject : nullptr; }
  void SetCalcObject(TObject* v) { if (v || FExtra) Extra().CalcObject = v; }
  TControl* Control() const { return FExtra ? FExtra->Control : nullptr; }
  void SetControl(TControl* v) { if (v || FExtra) Extra().Control = v; }
  int BorderWidth() const { return FExtra ? FExtra->BorderWidth : 0; }
  void SetBorderWidth(int v) { if (v || FExtra) Extra().BorderWidth = v; }
  TColor BorderColor() const { return FExtra ? FExtra->BorderColor : 0; }
  void SetBorderColor(TColor v) { if (v || FExtra) Extra().BorderColor = v; }
  int NodeLevel() const { return FExtra ? FExtra->NodeLevel : 0; }
  void SetNodeLevel(int v) { if (v || FExtra) Extra().NodeLevel = v; }

  TBrushStyle BrushStyle() const { return static_cast<TBrushStyle>(FBrushStyle); }
  void SetBrushStyle(TBrushStyle v) { FBrushStyle = static_cast<uint8_t>(v); }
  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor v);
  // The colour alone, no repaint asked for (a grid inside BeginUpdate).
  void StoreBrushColor(TColor v) { FBrushColor = v; }
  TColor BrushColorTo() const { return FBrushColorTo; }
  void SetBrushColorTo(TColor v);
  int FontSize() const { return FFontSize; }
  void SetFontSize(int v) { FFontSize = v; }
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor v) { FFontColor = v; }
  TFontStyles FontStyle() const;
  void SetFontStyle(TFontStyles v) { FFontStyle = static_cast<uint8_t>(v.Bits()); }
  const String& FontName() const;
  void SetFontName(const String& v);
  int CellSpanX() const { return FCellSpanX; }
  void SetCellSpanX(int v) { FCellSpanX = v; }
  int CellSpanY() const { return FCellSpanY; }
  void SetCellSpanY(int v) { FCellSpanY = v; }
  // Takes effect at the cell's next repaint (no repaint of its own).
  TAlignment Alignment() const { return static_cast<TAlignment>(FAlignment); }
  void SetAlignment(TAlignment v) { FAlignment = static_cast<uint8_t>(v); }
  TVAlignment VAlignment() const { return static_cast<TVAlignment>(FVAlignment); }
  void SetVAlignment(TVAlignment v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  bool IsBaseCell() const { return FIsBaseCell; }
  void SetIsBaseCell(bool v) { FIsBaseCell = v; }
  TColumnCalcType CalcType() const { return static_cast<TColumnCalcType>(FCalcType); }
  void SetCalcType(TColumnCalcType v) { FCalcType = v; }
  TEditorType Editor() const { return static_cast<TEditorType>(FEditor); }
  void SetEditor(TEditorType v) { FEditor = v; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v) { FReadOnly = v; }
  TCellGradientDirection GradientDirection() const { return static_cast<TCellGradientDirection>(FGradientDirection); }
  void SetGradientDirection(TCellGradientDirection v) { FGradientDirection = v; }
  // Paint pass in which the range was last painted through one of its other cells.
  int PaintID() const { return FPaintID; }
  void SetPaintID(int v) { FPaintID = v; }

 private:
  friend class TBaseGrid;
  struct TExtra {
    TObject* Object = nullptr;         // user object, not owned
    TObject* GraphicObject = nullptr;  // owned by the grid only when it is a "TCellGraphic"
    TObject* CalcObject = nullptr;     // not owned
    TControl* Control = nullptr;       // not owned
    int BorderWidth = 0;
    TColor BorderColor = 0;
    int NodeLevel = 0;
  };
  TExtra& Extra();
  void Repaint();

  TBaseGrid* FOwnerGrid = nullptr;
  std::unique_ptr<TExtra> FExtra;
  int FOwnerCol = 0;
  int FOwnerRow = 0;
  TColor FBrushColor = clNone;
  TColor FBrushColorTo = clNone;
  TColor FFontColor = clNone;
  int FFontSize = 0;
  int FCellSpanY = -1;
  int FCellSpanX = -1;
  int FPaintID = 0;
  uint32_t FOwnIndex = 0;       // position in the owner's list of owned objects
  uint16_t FFontNameIndex = 0;  // interned face, 0 = empty
  uint8_t FBrushStyle = bsSolid;
  uint8_t FFontStyle = 0;
  uint8_t FAlignment = taLeftJustify;
  uint8_t FVAlignment = vtaTop;
  TColumnCalcType FCalcType = acNONE;
  TEditorType FEditor = edNormal;
  TCellGradientDirection FGradientDirection = GradientVertical;
  bool FWordWrap = true;
  bool FIsBaseCell = true;
  bool FReadOnly = false;
};

// The properties object in a cell slot, or null when the slot holds none (or something else).
inline TCellProperties* AsCellProperties(TObject* o) { return dynamic_cast<TCellProperties*>(o); }

class TBaseGrid : public TObjStringGrid {
 public:
  explicit TBaseGrid(TComponent* AOwner);
  ~TBaseGrid() override;
  String ClassName() const override { return u"TBaseGrid"; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // ---- cells: (RCol, DRow) ----
  String GetCellEx(int RCol, int DRow);
  // GetCellEx into Out, whose buffer is reused (code that reads many cells allocates nothing).
  void ReadCellEx(int RCol, int DRow, String& Out);
  void SetCellEx(int RCol, int DRow, const String& Value);
  String Cells(int RCol, int DRow) { return GetCellEx(RCol, DRow); }
  void SetCells(int RCol, int DRow, const String& Value) { SetCellEx(RCol, DRow, Value); }
  String GetGridCell(int RCol, int DRow) const { return TStringGrid::Cells(RCol, DRow); }
  void SetGridCell(int RCol, int DRow, const String& Value) { TStringGrid::SetCells(RCol, DRow, Value); }
  // The raw slot: the cell's properties, a user object stored through the string grid's own
  // interface, or nothing.
  TObject* GetGridObject(int RCol, int DRow) const { return TStringGrid::Objects(RCol, DRow); }
  // Overwrites the raw slot; a properties object it held stays owned by this grid.
  void SetGridObject(int RCol, int DRow, TObject* Value) { TStringGrid::SetObjects(RCol, DRow, Value); }

  // ---- cell properties: (RCol, DRow) ----
  bool HasCellProperties(int RCol, int DRow) const;
  // Created on first use with the grid's defaults, carrying the user object the slot held. For a
  // cell outside the grid the answer is a scratch object that belongs to no cell (reset on every
  // such call), so nothing is written outside the cell store.
  TCellProperties* GetCellProperties(int RCol, int DRow);
  // Frees the cell's current properties and stores Value, which this grid then owns; a user
  // object in the slot is not freed.
  void SetCellProperties(int RCol, int DRow, TCellProperties* Value);
  // Frees properties only; a user object stays in its slot.
  void FreeCellProperties(int RCol, int DRow);
  void FreeCellPropertiesRange(int RCol1, int DRow1, int RCol2, int DRow2);
  void FreeAllCellProperties();
  // Empty the slot(s) without freeing (the caller has moved the objects) and blank the text(s).
  void ResetColumn(int RCol);
  void ResetRow(int DRow);
  void ResetCell(int RCol, int DRow);

  // The user object: the one the properties carry, or the one the slot holds itself.
  TObject* GetObjectEx(int RCol, int DRow) const;
  void SetObjectEx(int RCol, int DRow, TObject* Value);
  TObject* GetGraphicObjectEx(int RCol, int DRow) const;
  void SetGraphicObjectEx(int RCol, int DRow, TObject* Value);
  static TObject* PropertiesGraphic(const TCellProperties* Props) { return Props ? Props->GraphicObject() : nullptr; }
  TObject* Objects(int RCol, int DRow) const { return GetObjectEx(RCol, DRow); }
  void SetObjects(int RCol, int DRow, TObject* Value) { SetObjectEx(RCol, DRow, Value); }

  // ---- merged ranges: (RCol, DRow) ----
  virtual void MergeCells(int RCol, int DRow, int SpanX, int SpanY);
  virtual void SplitCells(int RCol, int DRow);
  TPoint BaseCell(int RCol, int DRow) const;
  bool IsBaseCell(int RCol, int DRow) const;
  bool BaseCellInfo(int RCol, int DRow, int& BaseCol, int& BaseRow) const;
  bool IsMergedCell(int RCol, int DRow) const;
  bool IsMergedNonBaseCell(int RCol, int DRow) const;
  bool IsXMergedCell(int RCol, int DRow) const;
  bool IsYMergedCell(int RCol, int DRow) const;
  TPoint CellSpan(int RCol, int DRow) const;
  TPoint CellExt(int RCol, int DRow) const;
  TRect FullCell(int RCol, int DRow) const;  // inclusive cell coordinates
  int MinRowSpan(int DRow) const;
  int MaxRowSpan(int DRow) const;
  bool RowSpanIdentical(int DRow1, int DRow2) const;
  bool ColSpanIdentical(int RCol1, int RCol2) const;
  int MergeCount() const { return FMergeCount; }

  // ---- geometry: (DCol, DRow) ----
  // Client coordinates: mirrored when the grid lays out right to left (UseRightToLeftAlignment).
  // Defined also for cells scrolled out of view (coordinates may be negative).
  TRect VirtualCellRect(int DCol, int DRow) const;
  // A merged range's rectangle; the merge state is read at (DCol, DRow) as a store cell.
  TRect CellRect(int DCol, int DRow) const;
  TPoint CellSize(int DCol, int DRow) const;
  void RepaintCell(int DCol, int DRow);
  int FixedColsWidth() const;
  int FixedRowsHeight() const;

  // ---- painting: (DCol, DRow) ----
  void PaintCell(TCanvas* ACanvas, int DCol, int DRow, const TRect& ARect, TGridDrawState AState);
  void PaintCellExt(TCanvas* ACanvas, int DCol, int DRow, const TRect& ARect, TGridDrawState AState);
  // LaidOut: ARect is the cell's place in the class library grid's paint (a plain cell keeps it).
  void DoPaintCell(TCanvas* ACanvas, int DCol, int DRow, const TRect& ARect, TGridDrawState AState, bool Resolve,
                   bool LaidOut = false);
  void SnapToBaseCell();
  void RepaintMergedFixedCols();
  void RepaintMergedFixedRows();
  int PaintID() const { return FPaintID; }

  // ---- virtual operations ----
  virtual bool IsFixed(int DCol, int DRow);
  virtual int GetRowIndent(int DRow);
  virtual bool HasNodes();
  virtual void DrawCellContent(TCanvas* ACanvas, int DCol, int DRow, TRect ARect, TGridDrawState AState);
  virtual void LastRowChanged();
  virtual void DoGetDisplText(int RCol, int DRow, String& Value);
  virtual void DoGetDisplWideText(int RCol, int DRow, String& Value);
  // The look a new cell's properties start from.
  virtual TCellStyle GetDefaultCellProps(int RCol, int DRow);
  virtual void CellChanged(int RCol, int DRow);
  virtual bool HasCellBorders();
  virtual bool UseVCLStyles();
  // A cell's look; may change AState. ACol is a display column when Remap is set (the painter's
  // call), else a real one. Print asks for the printed look, Select allows selection colours.
  virtual TCellStyle GetVisualProperties(int ACol, int DRow, TGridDrawState& AState, bool Print, bool Select,
                                         bool Remap);
  virtual int DisplColIndex(int RCol);  // the display column of a real one
  virtual int TotalColCount() const;    // real columns, hidden ones included

  // ---- properties ----
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool v);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int v);
  int GetGridLineWidth() const { return FGridLineWidth; }
  TColor GridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(TColor v);
  TColor GridFixedLineColor() const { return FGridFixedLineColor; }
  void SetGridFixedLineColor(TColor v);
  bool ActiveRowShow() const { return FActiveRowShow; }
  void SetActiveRowShow(bool v);
  TColor ActiveRowColor() const { return FActiveRowColor; }
  void SetActiveRowColor(TColor v);
  TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
  void SetActiveRowColorTo(TColor v);
  TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
  void SetActiveRowMirrorColor(TColor v);
  TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
  void SetActiveRowMirrorColorTo(TColor v);
  TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
  void SetSelectionStyle(TGridSelectionStyle v);
  bool HoverRow() const { return FHoverRow; }
  void SetHoverRow(bool v) { FHoverRow = v; }
  TColor HoverRowColor() const { return FHoverRowColor; }
  void SetHoverRowColor(TColor v) { FHoverRowColor = v; }
  TColor HoverRowColorTo() const { return FHoverRowColorTo; }
  void SetHoverRowColorTo(TColor v) { FHoverRowColorTo = v; }
  THoverRowCells HoverRowCells() const { return FHoverRowCells; }
  void SetHoverRowCells(THoverRowCells v) { FHoverRowCells = v; }
  int HoverRowIdx() const { return FHoverRowIdx; }  // a display row
  void SetHoverRowIdx(int v) { FHoverRowIdx = v; }
  bool ShowSel() const { return FShowSel; }
  void SetShowSel(bool v) { FShowSel = v; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v) { FWordWrap = v; }
  bool HideLastRow() const { return FHideLastRow; }
  void SetHideLastRow(bool v) { FHideLastRow = v; }
  int NormalRowCount() const { return FNormalRowCount; }
  void SetNormalRowCount(int v) { FNormalRowCount = v; }
  bool HasCellProps() const { return FHasCellProps; }
  void SetHasCellProps(bool v) { FHasCellProps = v; }
  TAdvGridUndoRedo* UndoRedo() const { return FUndoRedo; }
  void SetUndoRedo(TAdvGridUndoRedo* v);
  // The current cell (in display columns); public for the undo component.
  using TCustomGrid::SetCol;
  using TCustomGrid::SetRow;

  TGetDisplTextEvent OnGetDisplText;
  TGetDisplWideTextEvent OnGetDisplWideText;

  // Number of properties objects this grid owns (in slots or detached).
  size_t OwnedCellPropertiesCount() const { return FOwnedProps.size(); }
  // Every properties object the grid owns, in no particular order.
  const std::vector<TCellProperties*>& OwnedCellProperties() const { return FOwnedProps; }

 protected:
  // The class library grid's own routines: (DCol, DRow).
  void Paint() override;
  void DrawCell(int DCol, int DRow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int DCol, int DRow) override;
  void ChangeScale(int M, int D) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  String GetEditText(int DCol, int DRow) override;
  void SetEditText(int DCol, int DRow, const String& Value) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void TopLeftChanged() override;

  // The grid's own look (Color, Font, WordWrap; no gradient, left and top aligned): what both
  // style operations answer in this grid.
  TCellStyle PlainCellStyle() const;

  int FHoverRowIdx = -1;
  bool FHoverRow = false;
  THoverRowCells FHoverRowCells{hcNormal, hcSelected};
  TColor FHoverRowColor = clInfoBk;
  TColor FHoverRowColorTo = clNone;
  bool FShowSel = true;
  bool FHasCellProps = false;
  int FMergeCount = 0;

 private:
  friend class TCellProperties;
  // The slot's properties, null when it holds a user object or nothing.
  TCellProperties* SlotProps(int RCol, int DRow) const;
  TCellProperties* PropsAt(int RCol, int DRow) const;  // as SlotProps, null outside the grid too
  // VirtualCellRect and CellRect before mirroring (the layout the grid paints in).
  TRect VirtualLayoutRect(int DCol, int DRow) const;
  TRect CellLayoutRect(int DCol, int DRow) const;
  bool Inside(int RCol, int DRow) const;
  void InitCellProperties(TCellProperties* P, int RCol, int DRow);
  void Adopt(TCellProperties* P);
  void Release(TCellProperties* P);  // leaves the owned list (the object is being destroyed)
  void DestroyProps(TCellProperties* P);
  // Keeps the current cell off the placeholder last row.
  void KeepOffHiddenRow();

  bool FDefaultDrawing = false;
  int FGridLineWidth = 1;
  TColor FGridLineColor = clSilver;
  TColor FGridFixedLineColor = clGray;
  int FPaintID = 1;
  bool FHideLastRow = false;
  int FNormalRowCount = 0;
  TAdvGridUndoRedo* FUndoRedo = nullptr;
  bool FWordWrap = true;
  bool FActiveRowShow = false;
  TColor FActiveRowColor = clInfoBk;
  TColor FActiveRowColorTo = clNone;
  TColor FActiveRowMirrorColor = clNone;
  TColor FActiveRowMirrorColorTo = clNone;
  TGridSelectionStyle FSelectionStyle = ssDefault;
  bool FDestroying = false;
  std::vector<TCellProperties*> FOwnedProps;
  TCellProperties* FScratch = nullptr;  // owned through FOwnedProps
};
