#pragma once
// TBaseGrid: the first grid of the pack. Cell text through merged ranges and the display-text
// events, per-cell properties kept in the string grid's object slot, merging and splitting,
// merge-aware geometry, the one cell painter and navigation that steps over merged ranges.
//
// Coordinates are the string grid's own (column, row) indices unless a routine says otherwise.
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

// Per-cell properties. The grid that creates one owns it for its whole life: a properties
// object detached from its slot (rows being shifted, hidden rows) is still freed with the grid.
// Rarely used fields live in a block allocated on first use, and the font face is interned, so
// a cell that only carries colours or merge state costs one small object.
class TCellProperties : public TPersistent {
 public:
  // Registers with AOwner (which then owns the object) and sets its has-properties flag.
  TCellProperties(TBaseGrid* AOwner, int ACol, int ARow);
  ~TCellProperties() override;
  String ClassName() const override { return u"TCellProperties"; }
  void Assign(TPersistent* Source) override;

  TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
  int OwnerCol() const { return FOwnerCol; }
  void SetOwnerCol(int v) { FOwnerCol = v; }
  int OwnerRow() const { return FOwnerRow; }
  void SetOwnerRow(int v) { FOwnerRow = v; }
  // (ACol, ARow) are the cell's own coordinates.
  TPoint GetBaseCell(int ACol, int ARow) const;

  TObject* CellObject() const { return extra_ ? extra_->Object : nullptr; }
  void SetCellObject(TObject* v) { if (v || extra_) Extra().Object = v; }
  TObject* GraphicObject() const { return extra_ ? extra_->GraphicObject : nullptr; }
  void SetGraphicObject(TObject* v) { if (v || extra_) Extra().GraphicObject = v; }
  TObject* CalcObject() const { return extra_ ? extra_->CalcObject : nullptr; }
  void SetCalcObject(TObject* v) { if (v || extra_) Extra().CalcObject = v; }
  TControl* Control() const { return extra_ ? extra_->Control : nullptr; }
  void SetControl(TControl* v) { if (v || extra_) Extra().Control = v; }
  int BorderWidth() const { return extra_ ? extra_->BorderWidth : 0; }
  void SetBorderWidth(int v) { if (v || extra_) Extra().BorderWidth = v; }
  TColor BorderColor() const { return extra_ ? extra_->BorderColor : 0; }
  void SetBorderColor(TColor v) { if (v || extra_) Extra().BorderColor = v; }
  int NodeLevel() const { return extra_ ? extra_->NodeLevel : 0; }
  void SetNodeLevel(int v) { if (v || extra_) Extra().NodeLevel = v; }

  TBrushStyle BrushStyle() const { return static_cast<TBrushStyle>(FBrushStyle); }
  void SetBrushStyle(TBrushStyle v) { FBrushStyle = static_cast<uint8_t>(v); }
  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor v);
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
  std::unique_ptr<TExtra> extra_;
  int FOwnerCol = 0;
  int FOwnerRow = 0;
  TColor FBrushColor = clNone;
  TColor FBrushColorTo = clNone;
  TColor FFontColor = clNone;
  int FFontSize = 0;
  int FCellSpanY = -1;
  int FCellSpanX = -1;
  int FPaintID = 0;
  uint32_t ownIndex_ = 0;   // position in the owner's list of owned objects
  uint16_t fontName_ = 0;   // interned face, 0 = empty
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

class TBaseGrid : public TObjStringGrid {
 public:
  explicit TBaseGrid(TComponent* AOwner);
  ~TBaseGrid() override;
  String ClassName() const override { return u"TBaseGrid"; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // ---- cells ----
  String GetCellEx(int ACol, int ARow);
  void SetCellEx(int ACol, int ARow, const String& Value);
  String Cells(int ACol, int ARow) { return GetCellEx(ACol, ARow); }
  void SetCells(int ACol, int ARow, const String& Value) { SetCellEx(ACol, ARow, Value); }
  String GetGridCell(int ACol, int ARow) const { return TStringGrid::Cells(ACol, ARow); }
  void SetGridCell(int ACol, int ARow, const String& Value) { TStringGrid::SetCells(ACol, ARow, Value); }
  TObject* GetGridObject(int ACol, int ARow) const { return TStringGrid::Objects(ACol, ARow); }
  // Overwrites the raw slot; a properties object it held stays owned by this grid.
  void SetGridObject(int ACol, int ARow, TObject* Value) { TStringGrid::SetObjects(ACol, ARow, Value); }

  // ---- cell properties ----
  bool HasCellProperties(int ACol, int ARow) const;
  // Created on first use with the grid's defaults. For a cell outside the grid the answer is a
  // scratch object that belongs to no cell (reset on every such call), so nothing is written
  // outside the cell store.
  TCellProperties* GetCellProperties(int ACol, int ARow);
  // Frees the cell's current properties and stores Value, which this grid then owns; the object
  // already in the slot is kept as it is.
  void SetCellProperties(int ACol, int ARow, TCellProperties* Value);
  void FreeCellProperties(int ACol, int ARow);
  void FreeCellPropertiesRange(int ACol1, int ARow1, int ACol2, int ARow2);
  void FreeAllCellProperties();
  // Empty the slot(s) without freeing (the caller has moved the objects) and blank the text(s).
  void ResetColumn(int ACol);
  void ResetRow(int ARow);
  void ResetCell(int ACol, int ARow);

  TObject* GetObjectEx(int ACol, int ARow) const;
  void SetObjectEx(int ACol, int ARow, TObject* Value);
  TObject* GetGraphicObjectEx(int ACol, int ARow) const;
  void SetGraphicObjectEx(int ACol, int ARow, TObject* Value);
  static TObject* PropertiesGraphic(const TCellProperties* Props) { return Props ? Props->GraphicObject() : nullptr; }
  TObject* Objects(int ACol, int ARow) const { return GetObjectEx(ACol, ARow); }
  void SetObjects(int ACol, int ARow, TObject* Value) { SetObjectEx(ACol, ARow, Value); }

  // ---- merged ranges ----
  virtual void MergeCells(int ACol, int ARow, int SpanX, int SpanY);
  virtual void SplitCells(int ACol, int ARow);
  TPoint BaseCell(int ACol, int ARow) const;
  bool IsBaseCell(int ACol, int ARow) const;
  bool BaseCellInfo(int ACol, int ARow, int& BaseCol, int& BaseRow) const;
  bool IsMergedCell(int ACol, int ARow) const;
  bool IsMergedNonBaseCell(int ACol, int ARow) const;
  bool IsXMergedCell(int ACol, int ARow) const;
  bool IsYMergedCell(int ACol, int ARow) const;
  TPoint CellSpan(int ACol, int ARow) const;
  TPoint CellExt(int ACol, int ARow) const;
  TRect FullCell(int ACol, int ARow) const;  // inclusive cell coordinates
  int MinRowSpan(int ARow) const;
  int MaxRowSpan(int ARow) const;
  bool RowSpanIdentical(int ARow1, int ARow2) const;
  bool ColSpanIdentical(int ACol1, int ACol2) const;
  int MergeCount() const { return FMergeCount; }

  // ---- geometry ----
  // Client coordinates: mirrored when the grid lays out right to left (UseRightToLeftAlignment).
  // Defined also for cells scrolled out of view (coordinates may be negative).
  TRect VirtualCellRect(int ACol, int ARow) const;
  TRect CellRect(int ACol, int ARow) const;
  TPoint CellSize(int ACol, int ARow) const;
  void RepaintCell(int ACol, int ARow);
  int FixedColsWidth() const;
  int FixedRowsHeight() const;

  // ---- painting ----
  void PaintCell(TCanvas* ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
  void PaintCellExt(TCanvas* ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
  void DoPaintCell(TCanvas* ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState, bool Resolve);
  void SnapToBaseCell();
  void RepaintMergedFixedCols();
  void RepaintMergedFixedRows();
  int PaintID() const { return FPaintID; }

  // ---- virtual operations ----
  virtual bool IsFixed(int ACol, int ARow);
  virtual int GetRowIndent(int ARow);
  virtual bool HasNodes();
  virtual void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
  virtual void LastRowChanged();
  virtual void DoGetDisplText(int ACol, int ARow, String& Value);
  virtual void DoGetDisplWideText(int ACol, int ARow, String& Value);
  virtual void GetDefaultCellProps(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                   TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA,
                                   TVAlignment& VA, bool& WW, TCellGradientDirection& GD);
  virtual void CellChanged(int ACol, int ARow);
  virtual bool HasCellBorders();
  virtual bool UseVCLStyles();
  virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                   bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                   TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                   bool& WW, TCellGradientDirection& GD);
  virtual int DisplColIndex(int ACol);
  virtual int TotalColCount() const;

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
  int HoverRowIdx() const { return FHoverRowIdx; }
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
  size_t OwnedCellPropertiesCount() const { return ownedProps_.size(); }

 protected:
  void Paint() override;
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  void ChangeScale(int M, int D) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void TopLeftChanged() override;

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
  TCellProperties* PropsAt(int ACol, int ARow) const;  // null without properties or outside
  // VirtualCellRect and CellRect before mirroring (the layout the grid paints in).
  TRect VirtualLayoutRect(int ACol, int ARow) const;
  TRect CellLayoutRect(int ACol, int ARow) const;
  bool Inside(int ACol, int ARow) const;
  void InitCellProperties(TCellProperties* P, int ACol, int ARow);
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
  bool destroying_ = false;
  std::vector<TCellProperties*> ownedProps_;
  TCellProperties* scratch_ = nullptr;  // owned through ownedProps_
};
