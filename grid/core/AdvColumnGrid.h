#pragma once
// TAdvColumnGrid: the string grid with one column object per real column. Every per-column
// setting (header, width, alignment, colours, fonts, editor kind with its combo items and spin
// limits, check texts, read-only) lives in a TGridColumnItem; the grid answers its per-cell
// questions from the column of the cell and keeps the collection in step with the column count.
//
// Index spaces: Columns item i describes real column i (hidden columns included). The per-cell
// hooks take real columns; GetEditMask and the class library's column moves take display ones.
//
// Sources: AdvColumnGrid.cpp (columns, collection, grid object, structure), AdvColumnGridHooks.cpp
// (the per-cell answers).
#include <cstdint>
#include <functional>
#include <memory>

#include "grid/core/AdvGrid.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"

class TAdvColumnGrid;
class TGridColumnCollection;

enum TColumnPopupType : uint8_t {
  cpFixedCellsRClick,
  cpFixedCellsLClick,
  cpNormalCellsRClick,
  cpNormalCellsLClick,
  cpAllCellsRClick,
  cpAllCellsLClick
};

using TColumnPopupEvent = std::function<void(TObject* Sender, int ACol, int ARow, TPopupMenu* PopupMenu)>;
using TAfterColumnMoved = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

class TGridColumnItem : public TCollectionItem {
 public:
  // Inside a collection the column starts from its grid's font and colour and reports font and
  // pen changes to the collection; without one it has the plain defaults and no links.
  explicit TGridColumnItem(TCollection* ACollection);
  ~TGridColumnItem() override;
  String ClassName() const override { return u"TGridColumnItem"; }
  // From another column: every setting but Width, ColumnPopupType, PrintBorderCustom and
  // PrintFontCustom, into the fields (nothing repaints). Anything else is ignored.
  void Assign(TPersistent* Source) override;
  // The look and editing settings only; Color and Font go back to the grid's.
  void AssignVisuals(TPersistent* Source);
  String GetDisplayName() const override;

  // The column grid this column belongs to, or none.
  TAdvColumnGrid* Grid() const;

  int Width() const;
  void SetWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  const String& Header() const { return FColumnHeader; }
  void SetHeader(const String& Value);
  TSortStyle SortStyle() const { return FSortStyle; }
  void SetSortStyle(TSortStyle v) { FSortStyle = v; }
  const String& SortPrefix() const { return FSortPrefix; }
  void SetSortPrefix(const String& v) { FSortPrefix = v; }
  const String& SortSuffix() const { return FSortSuffix; }
  void SetSortSuffix(const String& v) { FSortSuffix = v; }
  const String& EditMask() const { return FEditMask; }
  void SetEditMask(const String& v) { FEditMask = v; }
  int EditLength() const { return FEditLength; }
  void SetEditLength(int v) { FEditLength = v; }
  TEditLink* EditLink() const { return FEditLink; }
  void SetEditLink(TEditLink* v) { FEditLink = v; }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TEditorType Editor() const { return FEditorType; }
  void SetEditor(TEditorType Value);
  bool Fixed() const { return FFixed; }
  void SetFixed(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v) { FReadOnly = v; }
  TStringList* ComboItems() const { return FComboList.get(); }
  void SetComboItems(TStrings* Value) { FComboList->Assign(Value); }
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int v) { FDropDownCount = v; }
  int SpinMin() const { return FSpinMin; }
  void SetSpinMin(int v) { FSpinMin = v; }
  int SpinMax() const { return FSpinMax; }
  void SetSpinMax(int v) { FSpinMax = v; }
  int SpinStep() const { return FSpinStep; }
  void SetSpinStep(int v) { FSpinStep = v; }
  bool Password() const { return FPassword; }
  void SetPassword(bool Value);
  TFont* PrintFont() const { return FPrintFont.get(); }
  void SetPrintFont(TFont* Value) { FPrintFont->Assign(Value); }
  TColor PrintColor() const { return FPrintColor; }
  void SetPrintColor(TColor v) { FPrintColor = v; }
  TCellBorders Borders() const { return FBorders; }
  void SetBorders(TCellBorders Value);
  TPen* BorderPen() const { return FBorderPen.get(); }
  void SetBorderPen(TPen* Value);
  TCellBorders PrintBorders() const { return FPrintBorders; }
  void SetPrintBorders(TCellBorders v) { FPrintBorders = v; }
  TPen* PrintBorderPen() const { return FPrintBorderPen.get(); }
  void SetPrintBorderPen(TPen* Value) { FPrintBorderPen->Assign(Value); }
  int Tag() const { return FTag; }
  void SetTag(int v) { FTag = v; }
  int DefIdx() const { return FDefIdx; }
  void SetDefIdx(int v) { FDefIdx = v; }
  const String& Name() const { return FName; }
  void SetName(const String& v) { FName = v; }
  const String& CheckFalse() const { return FCheckFalse; }
  void SetCheckFalse(const String& v) { FCheckFalse = v; }
  const String& CheckTrue() const { return FCheckTrue; }
  void SetCheckTrue(const String& v) { FCheckTrue = v; }
  bool ShowBands() const { return FShowBands; }
  void SetShowBands(bool Value);
  TStringList* Filter() const { return FFilter.get(); }
  void SetFilter(TStrings* Value) { FFilter->Assign(Value); }
  int MaxSize() const { return FMaxSize; }
  void SetMaxSize(int v) { FMaxSize = v; }
  int MinSize() const { return FMinSize; }
  void SetMinSize(int v) { FMinSize = v; }
  int AutoMinSize() const { return FAutoMinSize; }
  void SetAutoMinSize(int v) { FAutoMinSize = v; }
  int AutoMaxSize() const { return FAutoMaxSize; }
  void SetAutoMaxSize(int v) { FAutoMaxSize = v; }
  TColumnPopupType ColumnPopupType() const { return FColumnPopupType; }
  void SetColumnPopupType(TColumnPopupType v) { FColumnPopupType = v; }
  TPopupMenu* ColumnPopup() const { return FColumnPopup; }
  void SetColumnPopup(TPopupMenu* v) { FColumnPopup = v; }
  bool FilterCaseSensitive() const { return FFilterCaseSensitive; }
  void SetFilterCaseSensitive(bool v) { FFilterCaseSensitive = v; }
  const String& FloatFormat() const { return FFloatFormat; }
  void SetFloatFormat(const String& Value);
  TAlignment HeaderAlignment() const { return FHeaderAlignment; }
  void SetHeaderAlignment(TAlignment Value);
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value);
  bool PrintBorderCustom() const { return FPrintBorderCustom; }
  void SetPrintBorderCustom(bool v) { FPrintBorderCustom = v; }
  bool PrintFontCustom() const { return FPrintFontCustom; }
  void SetPrintFontCustom(bool v) { FPrintFontCustom = v; }

  // The column's cells by display row, through the grid's cell and typed access.
  String GetRows(int DRow) const;
  void SetRows(int DRow, const String& Value);
  int GetInts(int DRow) const;
  void SetInts(int DRow, int Value);
  double GetFloats(int DRow) const;
  void SetFloats(int DRow, double Value);
  TDateTime GetDates(int DRow) const;
  void SetDates(int DRow, TDateTime Value);
  TDateTime GetTimes(int DRow) const;
  void SetTimes(int DRow, TDateTime Value);

 private:
  friend class TAdvColumnGrid;
  friend class TGridColumnCollection;
  void CopySettings(const TGridColumnItem& s, bool Visuals);
  void UpdateInCollection();  // the collection's Update for this column
  void Repaint();             // the grid's Invalidate

  TGridColumnCollection* FOwnerCollection = nullptr;  // set only when made inside one
  TAlignment FAlignment = taLeftJustify;
  String FColumnHeader;
  TSortStyle FSortStyle = ssAutomatic;
  String FSortPrefix;
  String FSortSuffix;
  String FEditMask;
  int FEditLength = 0;
  TEditLink* FEditLink = nullptr;
  std::unique_ptr<TFont> FFont;
  TColor FColor = clWindow;
  TEditorType FEditorType = edNormal;
  bool FFixed = false;
  bool FReadOnly = false;
  std::unique_ptr<TStringList> FComboList;
  int FDropDownCount = 8;
  int FSpinMin = 0;
  int FSpinMax = 0;
  int FSpinStep = 1;
  bool FPassword = false;
  std::unique_ptr<TFont> FPrintFont;
  TColor FPrintColor = clWhite;
  TCellBorders FBorders;
  std::unique_ptr<TPen> FBorderPen;
  TCellBorders FPrintBorders{cbTop, cbLeft, cbRight, cbBottom};
  std::unique_ptr<TPen> FPrintBorderPen;
  int FTag = 0;
  int FDefIdx = 0;
  String FName;
  String FCheckFalse = u"N";
  String FCheckTrue = u"Y";
  bool FShowBands = false;
  std::unique_ptr<TStringList> FFilter;
  int FMaxSize = 0;
  int FMinSize = 0;
  int FAutoMinSize = 0;
  int FAutoMaxSize = 0;
  TColumnPopupType FColumnPopupType = cpFixedCellsRClick;
  TPopupMenu* FColumnPopup = nullptr;
  bool FFilterCaseSensitive = false;
  String FFloatFormat;
  TAlignment FHeaderAlignment = taLeftJustify;
  std::unique_ptr<TFont> FHeaderFont;
  bool FPrintBorderCustom = true;
  bool FPrintFontCustom = true;
};

class TGridColumnCollection : public TCollection {
 public:
  explicit TGridColumnCollection(TAdvColumnGrid* AOwner);
  String ClassName() const override { return u"TGridColumnCollection"; }

  // Appends a column; from the second on, a new column takes the look of the one before it.
  TGridColumnItem* Add();
  // A column with its creation values at Index.
  TGridColumnItem* Insert(int Index);
  TGridColumnItem* Items(int Index) const { return static_cast<TGridColumnItem*>(TCollection::Items(Index)); }
  TGridColumnItem* GetItem(int Index) const { return Items(Index); }
  void SetItem(int Index, TGridColumnItem* Value) { Items(Index)->Assign(Value); }
  void Update(TCollectionItem* Item) override;
  // Records the current order as the columns' home order (DefIdx).
  void SetOrganization();
  // Moves the columns back to their home order.
  void ResetOrganization();

  TAdvColumnGrid* Grid() const { return FOwner; }
  bool NoRecursiveUpdate() const { return FNoRecursiveUpdate; }
  void SetNoRecursiveUpdate(bool v) { FNoRecursiveUpdate = v; }

 protected:
  TPersistent* GetOwner() override;

 private:
  TAdvColumnGrid* FOwner = nullptr;
  bool FNoRecursiveUpdate = false;
};

class TAdvColumnGrid : public TAdvStringGrid {
 public:
  explicit TAdvColumnGrid(TComponent* AOwner);
  ~TAdvColumnGrid() override;
  String ClassName() const override { return u"TAdvColumnGrid"; }
  void AfterConstruction() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TGridColumnCollection* Columns() const { return FColumnCollection.get(); }
  TGridColumnCollection* GetColumns() const { return Columns(); }
  // Takes over the given collection's columns.
  void SetColumns(TGridColumnCollection* Value);
  int ColCount() const { return TAdvStringGrid::ColCount(); }
  int GetColCount() const { return ColCount(); }
  // The string grid's count, then the collection follows.
  void SetColCount(int Value);
  // The string grid's insertion, then CCount columns with their creation values at ColIndex
  // (real), so that every column item stays with its cells.
  void InsertCols(int ColIndex, int CCount) override;
  // The string grid's removal, then the removed columns' items.
  void RemoveCols(int ColIndex, int CCount) override;
  // The first column of that name, or none.
  TGridColumnItem* GetColumnByName(const String& AValue) const;
  bool AutoFilterDisplay() const { return FAutoFilterDisplay; }
  void SetAutoFilterDisplay(bool v) { FAutoFilterDisplay = v; }
  bool ColMoving() const { return FColMoving; }

  int GetVersionNr() override;
  String GetVersionString() override;

  // ---- the per-cell answers taken from the column (AdvColumnGridHooks.cpp); ACol is real
  // except in DoIsFixedCell, which maps its display column ----
  TCellStyle GetDefaultCellProps(int RCol, int DRow) override;
  void DoGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
  void DoGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
  void DoGetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
  void DoGetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
  void DoGetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
  void DoGetFormat(int ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix) override;
  // The column's kind; the shared combo editor and ControlLook take the column's items and
  // drop-down count. The grid's own FloatFormat is left alone (GetCellFloatFormat answers per
  // column).
  void GetCellEditorType(int ACol, int ARow, TEditorType& AEditor) override;
  void DoIsFixedCell(int ACol, int ARow, bool& IsFixed) override;
  // The column decides (goEditing is not asked); a read-only cell can only refuse; then
  // OnCanEditCell for the merged range's base cell.
  void CanEditCell(int ACol, int ARow, bool& CanEdit) override;
  void DoIsPasswordCell(int ACol, int ARow, bool& IsPassword) override;
  bool DoHasComboBox(int ACol, int ARow) override;
  void DoGetCheckTrue(int ACol, int ARow, String& Value) override;
  void DoGetCheckFalse(int ACol, int ARow, String& Value) override;
  // A normal cell of an edDataCheckBox column without an object of its own is a data check box,
  // answered by the grid's one shared object.
  TCellType GetCellType(int ACol, int ARow) override;
  TCellGraphic* GetCellGraphic(int ACol, int ARow) override;

  TAfterColumnMoved OnAfterColumnMoved;
  TColumnPopupEvent OnColumnPopup;

  // ---- positions, column streams, popups, filters and grouping (AdvColumnGridIO.cpp) ----
  // With ColumnSize.Location clIniFile: "CP" + position = the DefIdx of the column there, in
  // the INI file Key, section Section; otherwise the string grid's own.
  void SaveColPositions() override;
  void LoadColPositions() override;
  void SaveColumnPositions(const String& Key, const String& Section);
  // Positions that are not each column once are refused: the order stays.
  void LoadColumnPositions(const String& Key, const String& Section);
  // Every published column property in the grid's own column stream; a stream that does not
  // hold one raises EReadError and the columns stay as they are.
  void SaveColumnsToStream(TStream* Stream);
  void LoadColumnsFromStream(TStream* Stream);
  // The grouped column keeps its settings for the ungrouping.
  void Group(int Colindex) override;
  void UnGroup() override;
  // A column's Filter lines ("caption=condition") make its filter drop-down.
  bool DoGetColumnFilter(int Column) override;
  void DoFilterSelect(int ItemIndex) override;
  // After the string grid's press handling, a press on a column with a ColumnPopup of the
  // button's kind fires OnColumnPopup and pops the menu where the kind covers the cell.
  void WndProc(TMessage& Message) override;

 protected:
  // The collection the grid uses: a new one bound to this grid.
  virtual std::unique_ptr<TGridColumnCollection> CreateColumns();
  // Appends or frees columns until there is one per real column.
  void SyncColumnCount();
  // Rebuilds ColumnHeaders from the columns (a header still empty takes its cell's text).
  void SyncHeaders();

  String GetFormattedCell(int RCol, int DRow) override;
  String GetCellFloatFormat(int RCol, int DRow) override;
  void ColumnHeadersChanged() override;
  // The proposed width held within the column's MinSize/MaxSize (AutoMinSize/AutoMaxSize for
  // an auto size) where those are above 0, then the event.
  void DoUpdateColumnSize(int ACol, int& AWidth) override;
  void DoUpdateAutoColumnSize(int ACol, int& AWidth) override;
  void CellsLoaded() override;
  void ChangeScale(int M, int D) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  int GetEditLimit() override;
  String GetEditMask(int DCol, int DRow) override;

  // A column of the collection at real index RCol, or none.
  TGridColumnItem* ColumnAt(int RCol) const;
  // Column below the count, at or after FixedCols, row at or after FixedRows (fixed-right
  // columns and footer rows included).
  bool IsNormalColumnRow(int RCol, int DRow) const;
  // As above, and neither a fixed-right column nor a footer row.
  bool IsNormalCell(int RCol, int DRow) const;
  bool IsDataCheckBoxColumnCell(int RCol, int DRow) const;
  // The column's ShowBands while the grid's bands are active.
  bool BandsApply(const TGridColumnItem* C) const;

 private:
  friend class TGridColumnItem;
  friend class TGridColumnCollection;

  std::unique_ptr<TGridColumnCollection> FColumnCollection;
  std::unique_ptr<TGridColumnItem> FSaveCol;
  bool FColMoving = false;
  bool FAutoFilterDisplay = false;
  bool FDestroyingColumns = false;
};
