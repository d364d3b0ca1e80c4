#pragma once
// Objects the string grid owns whose behaviour belongs to later parts of the grid (footer,
// search bar, printing, sorting, filtering, drag and drop, look, editors). Each holds the
// settings the grid's creation and copying rely on; the parts that give them behaviour extend
// these classes in place. Settings objects copy from their own class only (Assign).
#include <memory>

#include "grid/core/AdvCellGraphic.h"
#include "grid/core/AdvGridControlLook.h"
#include "grid/core/AdvGridFilter.h"
#include "grid/core/AdvGridSearchPanel.h"
#include "grid/core/AdvGridComboEditor.h"
#include "grid/core/AdvGridEditors.h"
#include "grid/core/AdvGridTrans.h"
#include "grid/foundation/AdvObj.h"
#include "grid/foundation/AdvObjOverlay.h"
#include "grid/foundation/AdvObjSettings.h"
#include "grid/foundation/BaseGrid.h"
#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/DragDrop.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/Grids.h"
#include "grid/core/HTMLHintWindow.h"
#include "platform/StdCtrls.h"

enum TColumnSizeLocation : uint8_t { clRegistry, clIniFile };
// The rows a column's auto-size measures.
enum TAutoSizeRows : uint8_t { arAll, arNormal, arFixed };
enum TFooterStyle : uint8_t { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };
enum TBackGroundDisplay : uint8_t { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells : uint8_t { bcNormal, bcFixed, bcAll };
enum TProgressStyle : uint8_t { psXP, psClassic };

// A settings object whose Assign copies every field of the same class.
template <class TSelf>
class TGridSettings : public TPersistent {
 public:
  void Assign(TPersistent* Source) override {
    if (auto* s = dynamic_cast<TSelf*>(Source)) {
      if (s != this) static_cast<TSelf&>(*this).CopyFrom(*s);
    }
  }
  TNotifyEvent OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }
};

enum TSortDirection : uint8_t { sdAscending, sdDescending };

#define CONF_GRID_SETTING(Type, Name, Default) \
 public:                                       \
  Type Name() const { return F##Name; }        \
  void Set##Name(Type v) { F##Name = v; }      \
                                               \
 private:                                      \
  Type F##Name = Default;

class TAdvStringGrid;

// The strip under the rows (AdvGridFooter.cpp): in the default style it shows the grid's last
// row, whose cells hold the column calculations.
class TFloatingFooter : public TGridSettings<TFloatingFooter> {
 public:
  explicit TFloatingFooter(TAdvStringGrid* AGrid = nullptr) : FGrid(AGrid) {}
  // Copies the visible settings; Height, BorderColor, EnableCalculation and OnCalcFooter stay.
  void CopyFrom(const TFloatingFooter& s);
  void Invalidate();
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  TFooterStyle FooterStyle() const { return FFooterStyle; }
  void SetFooterStyle(TFooterStyle v);
  int Height() const { return FHeight; }
  void SetHeight(int v);
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  int Column() const { return FColumn; }
  void SetColumn(int v);
  String CustomTemplate() const { return FCustomTemplate; }
  void SetCustomTemplate(const String& v);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor v);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v);
  bool CalculateHiddenRows() const { return FCalculateHiddenRows; }
  void SetCalculateHiddenRows(bool v) { FCalculateHiddenRows = v; }
  bool EnableCalculation() const { return FEnableCalculation; }
  void SetEnableCalculation(bool v) { FEnableCalculation = v; }
  // Kept in the properties of the footer cell (c, RowCount - 1).
  TColumnCalcType ColumnCalc(int c) const;
  void SetColumnCalc(int c, TColumnCalcType v);
  std::function<void(TObject* Sender, int ACol, int ARow, String& Value)> OnCalcFooter;

 private:
  TAdvStringGrid* FGrid;
  int FHeight = 22;
  bool FVisible = false;
  TColor FColor = clBtnFace;
  TFooterStyle FFooterStyle = fsFixedLastRow;
  int FColumn = 0;
  String FCustomTemplate;
  bool FCalculateHiddenRows = true;
  bool FEnableCalculation = true;
  bool FShowHint = false;
  TColor FBorderColor = clNone;
};

class TPrintSettings : public TGridSettings<TPrintSettings> {
 public:
  TPrintSettings() { FFixedFont.SetStyle(TFontStyles{fsBold}); }
  void CopyFrom(const TPrintSettings& s) {
    FUseDisplayFont = s.FUseDisplayFont;
    FFont.Assign(const_cast<TFont*>(&s.FFont));
    FFixedFont.Assign(const_cast<TFont*>(&s.FFixedFont));
  }
  TFont* Font() { return &FFont; }
  TFont* FixedFont() { return &FFixedFont; }
  CONF_GRID_SETTING(bool, UseDisplayFont, true)
 private:
  TFont FFont;
  TFont FFixedFont;
};

class THTMLSettings : public TGridSettings<THTMLSettings> {
 public:
  void CopyFrom(const THTMLSettings& s) { FWidth = s.FWidth; }
  CONF_GRID_SETTING(int, Width, 100)
};

enum TSortBlankPosition : uint8_t { blFirst, blLast };
enum TIndexSortKey : uint8_t { ikShift, ikCtrl };

// How the grid sorts (AdvGridSort.cpp); the operations that sort reach the grid it belongs to.
class TSortSettings : public TGridSettings<TSortSettings> {
 public:
  explicit TSortSettings(TAdvStringGrid* AGrid = nullptr);
  ~TSortSettings() override;
  // IgnoreCase and SortOnVirtualCells keep their values.
  void CopyFrom(const TSortSettings& s);
  // "i;" and the index list with IndexShow, else "u" or "d" and the column.
  String SaveToString() const;
  // The text form back, then the sort it names; "" changes nothing.
  void LoadFromString(const String& Value);
  void Remove();
  void ToggleDirection();
  CONF_GRID_SETTING(bool, AutoSortForGrouping, true)
  CONF_GRID_SETTING(bool, AutoColumnMerge, false)
  CONF_GRID_SETTING(int, Column, -1)
  CONF_GRID_SETTING(bool, IndexShow, false)
  CONF_GRID_SETTING(TColor, IndexColor, clYellow)
  CONF_GRID_SETTING(TIndexSortKey, IndexSortKey, ikShift)
  CONF_GRID_SETTING(bool, Full, true)
  CONF_GRID_SETTING(bool, SingleColumn, false)
  CONF_GRID_SETTING(bool, IgnoreBlanks, false)
  CONF_GRID_SETTING(TSortBlankPosition, BlankPos, blFirst)
  CONF_GRID_SETTING(bool, AutoFormat, true)
  CONF_GRID_SETTING(TSortDirection, Direction, sdAscending)
  CONF_GRID_SETTING(bool, IgnoreCase, false)
  CONF_GRID_SETTING(TSortDirection, InitSortDirection, sdAscending)
  CONF_GRID_SETTING(bool, FixedCols, false)
  CONF_GRID_SETTING(bool, NormalCellsOnly, false)
  CONF_GRID_SETTING(bool, UndoSort, false)
  CONF_GRID_SETTING(bool, SortOnVirtualCells, true)

 public:
  bool Show() const { return FShow; }
  void SetShow(bool v);
  int Row() const { return FRow; }
  // A row that is no fixed row raises.
  void SetRow(int v);
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor v) { SetHeaderLook(FHeaderColor, v); }
  TColor HeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor v) { SetHeaderLook(FHeaderColorTo, v); }
  TColor HeaderMirrorColor() const { return FHeaderMirrorColor; }
  void SetHeaderMirrorColor(TColor v) { SetHeaderLook(FHeaderMirrorColor, v); }
  TColor HeaderMirrorColorTo() const { return FHeaderMirrorColorTo; }
  void SetHeaderMirrorColorTo(TColor v) { SetHeaderLook(FHeaderMirrorColorTo, v); }
  TBitmap* UpGlyph() const { return FUpGlyph.get(); }
  void SetUpGlyph(TBitmap* v) { FUpGlyph->Assign(v); }
  TBitmap* DownGlyph() const { return FDownGlyph.get(); }
  void SetDownGlyph(TBitmap* v) { FDownGlyph->Assign(v); }
  TBitmap* IndexUpGlyph() const { return FIndexUpGlyph.get(); }
  void SetIndexUpGlyph(TBitmap* v) { FIndexUpGlyph->Assign(v); }
  TBitmap* IndexDownGlyph() const { return FIndexDownGlyph.get(); }
  void SetIndexDownGlyph(TBitmap* v) { FIndexDownGlyph->Assign(v); }

 private:
  // Stores a header colour; a change repaints the last fixed row.
  void SetHeaderLook(TColor& Field, TColor v);
  TAdvStringGrid* FGrid;
  bool FShow = false;
  int FRow = 0;
  TColor FHeaderColor = clNone;
  TColor FHeaderColorTo = clNone;
  TColor FHeaderMirrorColor = clNone;
  TColor FHeaderMirrorColorTo = clNone;
  std::unique_ptr<TBitmap> FUpGlyph;
  std::unique_ptr<TBitmap> FDownGlyph;
  std::unique_ptr<TBitmap> FIndexUpGlyph;
  std::unique_ptr<TBitmap> FIndexDownGlyph;
};

class TDragDropSettings : public TGridSettings<TDragDropSettings> {
 public:
  void CopyFrom(const TDragDropSettings& s) {
    FOleAcceptText = s.FOleAcceptText;
    FOleAcceptFiles = s.FOleAcceptFiles;
    FOleAcceptURLs = s.FOleAcceptURLs;
    FShowCells = s.FShowCells;
    SetOleDropTarget(s.FOleDropTarget);
  }
  CONF_GRID_SETTING(bool, OleAcceptText, true)
  CONF_GRID_SETTING(bool, OleAcceptFiles, true)
  CONF_GRID_SETTING(bool, OleAcceptURLs, true)
  // A column or row move shows a translucent picture of its cells instead of the header image.
  CONF_GRID_SETTING(bool, ShowCells, false)

 public:
  bool OleDropTarget() const { return FOleDropTarget; }
  // The grid registers its window as a drop target (on) or revokes it (off).
  void SetOleDropTarget(bool v) {
    FOleDropTarget = v;
    if (OnOleDropTargetChange) OnOleDropTargetChange(v);
  }
  std::function<void(bool)> OnOleDropTargetChange;

 private:
  bool FOleDropTarget = false;
};

// The grid's drop target; what it accepts is taken from DragDropSettings when the grid is loaded.
class TGridDropTarget : public TDropTarget {
 public:
  explicit TGridDropTarget(TWinControl* AGrid) : FGrid(AGrid) {}
  String ClassName() const override { return u"TGridDropTarget"; }
  TWinControl* Grid() const { return FGrid; }
  bool AcceptText() const { return FAcceptText; }
  void SetAcceptText(bool v) { FAcceptText = v; }
  bool AcceptFiles() const { return FAcceptFiles; }
  void SetAcceptFiles(bool v) { FAcceptFiles = v; }
  bool AcceptURLs() const { return FAcceptURLs; }
  void SetAcceptURLs(bool v) { FAcceptURLs = v; }

 private:
  TWinControl* FGrid;
  bool FAcceptText = true;
  bool FAcceptFiles = true;
  bool FAcceptURLs = true;
};

class TDragScrollDelays : public TGridSettings<TDragScrollDelays> {
 public:
  void CopyFrom(const TDragScrollDelays& s) {
    FInitialDelay = s.FInitialDelay;
    FRepeatDelay = s.FRepeatDelay;
  }
  CONF_GRID_SETTING(int, InitialDelay, 1000)
  CONF_GRID_SETTING(int, RepeatDelay, 250)
};

class TDragScrollMargins : public TGridSettings<TDragScrollMargins> {
 public:
  void CopyFrom(const TDragScrollMargins& s) {
    FTopMargin = s.FTopMargin;
    FBottomMargin = s.FBottomMargin;
    FLeftMargin = s.FLeftMargin;
    FRightMargin = s.FRightMargin;
  }
  CONF_GRID_SETTING(int, TopMargin, 50)
  CONF_GRID_SETTING(int, BottomMargin, 50)
  CONF_GRID_SETTING(int, LeftMargin, 50)
  CONF_GRID_SETTING(int, RightMargin, 50)
};

// Scrolling while something is dragged near the grid's edges.
class TDragScrollOptions : public TGridSettings<TDragScrollOptions> {
 public:
  void CopyFrom(const TDragScrollOptions& s) {
    FActive = s.FActive;
    FDelays.CopyFrom(s.FDelays);
    FMargins.CopyFrom(s.FMargins);
  }
  TDragScrollDelays* Delays() { return &FDelays; }
  TDragScrollMargins* Margins() { return &FMargins; }
  CONF_GRID_SETTING(bool, Active, false)
 private:
  TDragScrollDelays FDelays;
  TDragScrollMargins FMargins;
};

enum TDragScrollDirection : uint8_t { dsdUp, dsdDown, dsdLeft, dsdRight };
using TDragScrollDirections = TSmallSet<TDragScrollDirection>;


// Where and whether the column widths persist, and column stretching.
class TColumnSize : public TGridSettings<TColumnSize> {
 public:
  void CopyFrom(const TColumnSize& s) {
    FSave = s.FSave;
    FKey = s.FKey;
    FSection = s.FSection;
    FLocation = s.FLocation;
    FStretch = s.FStretch;
    FStretchColumn = s.FStretchColumn;
    FSynchWithGrid = s.FSynchWithGrid;
    FSynchNormalCellsOnly = s.FSynchNormalCellsOnly;
    FRows = s.FRows;
  }
  CONF_GRID_SETTING(bool, Save, false)
  CONF_GRID_SETTING(String, Key, String())
  CONF_GRID_SETTING(String, Section, String())
  CONF_GRID_SETTING(TColumnSizeLocation, Location, clRegistry)
  CONF_GRID_SETTING(int, StretchColumn, -1)
  // Column widths follow the grid's width from the widths InitOrigColSizes recorded.
  CONF_GRID_SETTING(bool, SynchWithGrid, false)
  CONF_GRID_SETTING(bool, SynchNormalCellsOnly, false)
  CONF_GRID_SETTING(TAutoSizeRows, Rows, arAll)
 public:
  bool Stretch() const { return FStretch; }
  // Tells the grid, which stretches at once when it has a parent.
  void SetStretch(bool v) {
    FStretch = v;
    Changed();
  }

 private:
  bool FStretch = false;
};

// The node look's TNodeType; named apart from the XML document's node types.
enum TCellNodeType : uint8_t { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

// The look of node rows; the look setters repaint (OnChange) when the value changed.
class TCellNode : public TGridSettings<TCellNode> {
 public:
  TCellNode() : FExpandGlyph(std::make_unique<TBitmap>()), FContractGlyph(std::make_unique<TBitmap>()) {}
  void CopyFrom(const TCellNode& s) {
    FColor = s.FColor;
    FNodeType = s.FNodeType;
    FNodeColor = s.FNodeColor;
    FExpandGlyph->Assign(s.FExpandGlyph.get());
    FExpandOne = s.FExpandOne;
    FContractGlyph->Assign(s.FContractGlyph.get());
    FShowTree = s.FShowTree;
    FShowTreeFull = s.FShowTreeFull;
    FNodeIndent = s.FNodeIndent;
    FTreeColor = s.FTreeColor;
  }
  CONF_GRID_SETTING(TColor, Color, clSilver)
  CONF_GRID_SETTING(TColor, NodeColor, clBlack)
  CONF_GRID_SETTING(bool, ExpandOne, false)

 public:
  TCellNodeType NodeType() const { return FNodeType; }
  void SetNodeType(TCellNodeType v) { StoreAndChange(FNodeType, v); }
  bool ShowTree() const { return FShowTree; }
  void SetShowTree(bool v) { StoreAndChange(FShowTree, v); }
  bool ShowTreeFull() const { return FShowTreeFull; }
  void SetShowTreeFull(bool v) { StoreAndChange(FShowTreeFull, v); }
  int NodeIndent() const { return FNodeIndent; }
  void SetNodeIndent(int v) { StoreAndChange(FNodeIndent, v); }
  TColor TreeColor() const { return FTreeColor; }
  void SetTreeColor(TColor v) { StoreAndChange(FTreeColor, v); }
  TBitmap* ExpandGlyph() const { return FExpandGlyph.get(); }
  void SetExpandGlyph(TBitmap* v) { FExpandGlyph->Assign(v); }
  TBitmap* ContractGlyph() const { return FContractGlyph.get(); }
  void SetContractGlyph(TBitmap* v) { FContractGlyph->Assign(v); }

 private:
  template <class T>
  void StoreAndChange(T& Field, T v) {
    if (Field == v) return;
    Field = v;
    Changed();
  }
  TCellNodeType FNodeType = cnXP;
  std::unique_ptr<TBitmap> FExpandGlyph;
  std::unique_ptr<TBitmap> FContractGlyph;
  bool FShowTree = true;
  bool FShowTreeFull = true;
  int FNodeIndent = 12;
  TColor FTreeColor = clGray;
};

class TSizeWhileTyping : public TGridSettings<TSizeWhileTyping> {
 public:
  void CopyFrom(const TSizeWhileTyping& s) {
    FHeight = s.FHeight;
    FWidth = s.FWidth;
  }
  CONF_GRID_SETTING(bool, Height, false)
  CONF_GRID_SETTING(bool, Width, false)
};

class TGrouping : public TGridSettings<TGrouping> {
 public:
  // Summary and the line colours and widths keep their values.
  void CopyFrom(const TGrouping& s) {
    FGroupCountFormat = s.FGroupCountFormat;
    FHeaderColor = s.FHeaderColor;
    FHeaderColorTo = s.FHeaderColorTo;
    FHeaderTextColor = s.FHeaderTextColor;
    FHeaderUnderline = s.FHeaderUnderline;
    FMergeHeader = s.FMergeHeader;
    FMergeSummary = s.FMergeSummary;
    FShowGroupCount = s.FShowGroupCount;
    FSummaryColor = s.FSummaryColor;
    FSummaryColorTo = s.FSummaryColorTo;
    FSummaryTextColor = s.FSummaryTextColor;
    FSummaryLine = s.FSummaryLine;
    FAutoCheckGroup = s.FAutoCheckGroup;
    FAutoSelectGroup = s.FAutoSelectGroup;
  }
  CONF_GRID_SETTING(bool, MergeHeader, false)
  CONF_GRID_SETTING(bool, MergeSummary, false)
  CONF_GRID_SETTING(TColor, HeaderColor, clNone)
  CONF_GRID_SETTING(TColor, HeaderColorTo, clNone)
  CONF_GRID_SETTING(TColor, HeaderTextColor, clNone)
  CONF_GRID_SETTING(TColor, SummaryColor, clNone)
  CONF_GRID_SETTING(TColor, SummaryColorTo, clNone)
  CONF_GRID_SETTING(TColor, SummaryTextColor, clNone)
  CONF_GRID_SETTING(bool, AutoSelectGroup, false)
  CONF_GRID_SETTING(bool, Summary, false)
  CONF_GRID_SETTING(bool, HeaderUnderline, false)
  CONF_GRID_SETTING(TColor, HeaderLineColor, clBlue)
  CONF_GRID_SETTING(int, HeaderLineWidth, 2)
  CONF_GRID_SETTING(bool, SummaryLine, false)
  CONF_GRID_SETTING(TColor, SummaryLineColor, clBlue)
  CONF_GRID_SETTING(int, SummaryLineWidth, 2)
  CONF_GRID_SETTING(bool, ShowGroupCount, false)
  CONF_GRID_SETTING(String, GroupCountFormat, String())
  CONF_GRID_SETTING(bool, AutoCheckGroup, false)
};

// A picture (tiled or at a fixed place) or a two-colour gradient behind the chosen cells and in
// the client area no cell covers (AdvGridBackground.cpp). Every setter repaints the grid.
class TBackGround : public TPersistent {
 public:
  explicit TBackGround(TAdvStringGrid* AGrid);
  ~TBackGround() override;
  TBackGround(const TBackGround&) = delete;
  TBackGround& operator=(const TBackGround&) = delete;
  String ClassName() const override { return u"TBackGround"; }
  // From another background only: the places, display, cells, colours and the picture.
  void Assign(TPersistent* Source) override;

  int Top() const { return FTop; }
  void SetTop(int v);
  int Left() const { return FLeft; }
  void SetLeft(int v);
  TBackGroundDisplay Display() const { return FDisplay; }
  void SetDisplay(TBackGroundDisplay v);
  TBitmap* Bitmap() const { return FBitmap.get(); }
  // The background keeps its own copy of the picture.
  void SetBitmap(TBitmap* v);
  TBackGroundCells Cells() const { return FBackgroundCells; }
  void SetCells(TBackGroundCells v);
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor v);

 private:
  void Changed();
  TAdvStringGrid* FGrid = nullptr;
  int FTop = 0;
  int FLeft = 0;
  TBackGroundDisplay FDisplay = bdTile;
  TBackGroundCells FBackgroundCells = bcNormal;
  TColor FColorTo = clBtnFace;
  TColor FColor = clWindow;
  std::unique_ptr<TBitmap> FBitmap;
};

// A setting whose change (and only a change) fires OnChange.
#define CONF_PROGRESS_SETTING(Type, Name, Default) \
 public:                                           \
  Type Name() const { return F##Name; }            \
  void Set##Name(Type v) {                         \
    if (F##Name == v) return;                      \
    F##Name = v;                                   \
    Changed();                                     \
  }                                                \
                                                   \
 private:                                          \
  Type F##Name = Default;

// The colours and options of the styled progress bars of ctXPProgress cells.
class TGridProgressAppearance : public TGridSettings<TGridProgressAppearance> {
 public:
  String ClassName() const override { return u"TGridProgressAppearance"; }
  // Copies every setting (the style too), then fires OnChange once.
  void CopyFrom(const TGridProgressAppearance& s);
  CONF_PROGRESS_SETTING(TColor, UnCompleteFontColor, clWindowText)
  CONF_PROGRESS_SETTING(TColor, CompleteColor, 0x0000FF)
  CONF_PROGRESS_SETTING(TColor, UnCompleteColor, clNone)
  CONF_PROGRESS_SETTING(TColor, CompleteFontColor, 0xFF0000)
  CONF_PROGRESS_SETTING(bool, Stacked, false)
  CONF_PROGRESS_SETTING(bool, ShowPercentage, true)
  CONF_PROGRESS_SETTING(bool, ShowBorder, false)
  CONF_PROGRESS_SETTING(bool, CompletionSmooth, true)
  CONF_PROGRESS_SETTING(bool, ShowGradient, true)
  CONF_PROGRESS_SETTING(int, Level2Perc, 90)
  CONF_PROGRESS_SETTING(int, Level1Perc, 70)
  CONF_PROGRESS_SETTING(int, Steps, 11)
  CONF_PROGRESS_SETTING(TColor, Level3Color, 0x0000FF)
  CONF_PROGRESS_SETTING(TColor, Level1Color, 0x00FFFF)
  CONF_PROGRESS_SETTING(TColor, Level0Color, 0x00FF00)
  CONF_PROGRESS_SETTING(TColor, Level3ColorTo, 0xCACAFF)
  CONF_PROGRESS_SETTING(TColor, Level2ColorTo, 0xA8D3FF)
  CONF_PROGRESS_SETTING(TColor, Level0ColorTo, 0xE1FFE1)
  CONF_PROGRESS_SETTING(TColor, Level1ColorTo, 0xCAFFFF)
  CONF_PROGRESS_SETTING(TColor, BorderColor, 0x000000)
  CONF_PROGRESS_SETTING(TColor, Level2Color, 0x53A9FF)
  CONF_PROGRESS_SETTING(TProgressStyle, Style, psXP)
};
#undef CONF_PROGRESS_SETTING

enum TBalloonIcon : uint8_t { biNone, biInfo, biWarning, biError };

// How balloon hints of cells show; Transparency is not copied.
class TBalloonSettings : public TGridSettings<TBalloonSettings> {
 public:
  void CopyFrom(const TBalloonSettings& s) {
    FTextColor = s.FTextColor;
    FBackgroundColor = s.FBackgroundColor;
    FInitialDelay = s.FInitialDelay;
    FAutoHideDelay = s.FAutoHideDelay;
    FReshowDelay = s.FReshowDelay;
    SetEnable(s.FEnable);
  }
  CONF_GRID_SETTING(bool, Init, false)
  CONF_GRID_SETTING(TColor, BackgroundColor, clNone)
  CONF_GRID_SETTING(TColor, TextColor, clNone)
  CONF_GRID_SETTING(int, ReshowDelay, -1)
  CONF_GRID_SETTING(int, InitialDelay, -1)
  CONF_GRID_SETTING(int, AutoHideDelay, -1)
  CONF_GRID_SETTING(uint8_t, Transparency, 0)

 public:
  bool Enable() const { return FEnable; }
  // Stores the value and tells the grid (OnEnableChange).
  void SetEnable(bool v) {
    FEnable = v;
    if (OnEnableChange) OnEnableChange(this);
  }
  TNotifyEvent OnEnableChange;

 private:
  bool FEnable = false;
};

class TShowModified : public TGridSettings<TShowModified> {
 public:
  void CopyFrom(const TShowModified& s) {
    FColor = s.FColor;
    FEnabled = s.FEnabled;
  }
  CONF_GRID_SETTING(bool, Enabled, false)
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor v) {
    FColor = v;
    Changed();
  }

 private:
  TColor FColor = clYellow;
};

class TFilterDropDown : public TGridSettings<TFilterDropDown> {
 public:
  void CopyFrom(const TFilterDropDown& s) {
    FAutoSize = s.FAutoSize;
    FColor = s.FColor;
    FColumnWidth = s.FColumnWidth;
    FHeight = s.FHeight;
    FWidth = s.FWidth;
    FFont->Assign(s.FFont.get());
    SetGlyph(s.FGlyph.get());
    SetGlyphActive(s.FGlyphActive.get());
  }
  // The filter button's picture (empty: the grid's own "ASGFILT"); a copy is kept.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* v) {
    FGlyph->Assign(v);
    Changed();
  }
  // The button's picture while its column is filtered (empty: Glyph's rule).
  TBitmap* GlyphActive() const { return FGlyphActive.get(); }
  void SetGlyphActive(TBitmap* v) {
    FGlyphActive->Assign(v);
    Changed();
  }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* v) { FFont->Assign(v); }
  CONF_GRID_SETTING(bool, AutoSize, false)
  CONF_GRID_SETTING(TColor, Color, clWindow)
  CONF_GRID_SETTING(bool, ColumnWidth, false)
  CONF_GRID_SETTING(int, Height, 150)
  CONF_GRID_SETTING(int, Width, 150)

 private:
  std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
  std::unique_ptr<TBitmap> FGlyphActive = std::make_unique<TBitmap>();
  std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
};

#undef CONF_GRID_SETTING



// Panels under the cells: the floating footer's and the search bar's.
class TFooterPanel : public TPanel {
 public:
  explicit TFooterPanel(TComponent* AOwner);
  String ClassName() const override { return u"TFooterPanel"; }
  int LastHintX() const { return FLastHintX; }

 protected:
  void Paint() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void WndProc(TMessage& Message) override;

 private:
  TAdvStringGrid* FGrid;
  int FLastHintX = -1;
};


// Windowed helpers and editors the grid keeps hidden until a later part shows them.
#define CONF_GRID_CONTROL(Name, Base)                           \
  class Name : public Base {                                    \
   public:                                                      \
    explicit Name(TComponent* AOwner) : Base(AOwner) {}         \
    String ClassName() const override { return u## #Name; }     \
  };

CONF_GRID_CONTROL(TControlEdit, TCustomControl)
CONF_GRID_CONTROL(TControlCombo, TCustomControl)
#undef CONF_GRID_CONTROL

// The button shown while a column header is dragged; it knows the grid it moves columns of.
class THeaderDragButton : public TCustomControl {
 public:
  explicit THeaderDragButton(TComponent* AOwner) : TCustomControl(AOwner) {}
  String ClassName() const override { return u"THeaderDragButton"; }
  TWinControl* Grid = nullptr;
  String Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value) { FFlat = Value; }
  // Screen coordinates: the image floats over the grid's form (AdvGridMoveFeedback.cpp).
  void PlaceAt(int ScreenX, int ScreenY, int AWidth, int AHeight);
  void SetVisible(bool Value) override;

 protected:
  // The grid's fixed-cell look, then the caption centred on one line with an end ellipsis.
  void Paint() override;

 private:
  // Parented to the grid and made an overlay window of its form, once.
  void EnsureOverlay();
  String FCaption;
  bool FFlat = false;
  bool FOverlay = false;
};

class TAdvInplaceEdit;  // AdvInplaceEdit.h
