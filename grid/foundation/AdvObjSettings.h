#pragma once
// The string grid's settings objects: search bar, navigation, mouse actions, grid
// synchronisation, row bands and focus. Plain data holders; the grid code decides what the
// options do. Assign copies only from an object of the same class (anything else is ignored)
// and never raises a change event. Writers marked "notifies" call OnChange after storing;
// "notifies when changed" does both only for a different value.
#include <memory>

#include "grid/foundation/AdvObj.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/Grids.h"

// ---------------------------------------------------------------------------------------------
class TSearchFooter : public TPersistent {
 public:
  // InitDesign: the grid is being placed in a designer; only then are the captions and hints
  // filled in (at run time the stored form supplies them).
  TSearchFooter(TPersistent* AOwner, bool InitDesign);
  ~TSearchFooter() override;
  void Assign(TPersistent* Source) override;

  bool AlwaysHighLight() const { return FAlwaysHighLight; }
  void SetAlwaysHighLight(bool v) { FAlwaysHighLight = v; }
  bool AutoSearch() const { return FAutoSearch; }
  void SetAutoSearch(bool v) { FAutoSearch = v; }
  TColor Color() const { return FColor; }
  void SetColor(TColor v);  // notifies
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor v);  // notifies
  const String& FindNextCaption() const { return FFindNextCaption; }
  void SetFindNextCaption(const String& v);  // notifies
  const String& FindPrevCaption() const { return FFindPrevCaption; }
  void SetFindPrevCaption(const String& v);  // notifies
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* v);  // copies the font, notifies
  const String& HighLightCaption() const { return FHighLightCaption; }
  void SetHighLightCaption(const String& v);  // notifies
  const String& HintClose() const { return FHintClose; }
  void SetHintClose(const String& v);  // notifies
  const String& HintFindNext() const { return FHintFindNext; }
  void SetHintFindNext(const String& v);  // notifies
  const String& HintFindPrev() const { return FHintFindPrev; }
  void SetHintFindPrev(const String& v);  // notifies
  const String& HintHighlight() const { return FHintHighlight; }
  void SetHintHighlight(const String& v);  // notifies
  const String& MatchCaseCaption() const { return FMatchCaseCaption; }
  void SetMatchCaseCaption(const String& v);  // notifies
  bool SearchActiveColumnOnly() const { return FSearchActiveColumnOnly; }
  void SetSearchActiveColumnOnly(bool v) { FSearchActiveColumnOnly = v; }
  int SearchColumn() const { return FSearchColumn; }
  void SetSearchColumn(int v) { FSearchColumn = v; }
  bool SearchMatchStart() const { return FSearchMatchStart; }
  void SetSearchMatchStart(bool v) { FSearchMatchStart = v; }
  bool SearchFixedCells() const { return FSearchFixedCells; }
  void SetSearchFixedCells(bool v) { FSearchFixedCells = v; }
  bool SearchHiddenRows() const { return FSearchHiddenRows; }
  void SetSearchHiddenRows(bool v) { FSearchHiddenRows = v; }
  TSearchDirection SearchDirection() const { return FSearchDirection; }
  void SetSearchDirection(TSearchDirection v) { FSearchDirection = v; }
  bool ShowClose() const { return FShowClose; }
  void SetShowClose(bool v);  // notifies
  bool ShowFindNext() const { return FShowFindNext; }
  void SetShowFindNext(bool v);  // notifies when changed
  bool ShowFindPrev() const { return FShowFindPrev; }
  void SetShowFindPrev(bool v);  // notifies when changed
  bool ShowHighLight() const { return FShowHighLight; }
  void SetShowHighLight(bool v);  // notifies when changed
  bool ShowMatchCase() const { return FShowMatchCase; }
  void SetShowMatchCase(bool v);  // notifies when changed
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);  // notifies when changed

  // Public, not copied by Assign.
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool v);  // notifies
  String LastSearch;

  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  void Changed();
  void SetNotifying(String& field, const String& v);
  void SetNotifyingWhenChanged(bool& field, bool v);

  TPersistent* FOwner = nullptr;
  bool FAlwaysHighLight = false;
  bool FAutoSearch = true;
  TColor FColor = 0xFFFFFF;
  TColor FColorTo = clBtnFace;
  String FFindNextCaption;
  String FFindPrevCaption;
  std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
  String FHighLightCaption;
  String FHintClose;
  String FHintFindNext;
  String FHintFindPrev;
  String FHintHighlight;
  String FMatchCaseCaption;
  bool FSearchActiveColumnOnly = false;
  int FSearchColumn = -1;
  bool FSearchMatchStart = false;
  bool FSearchFixedCells = false;
  bool FSearchHiddenRows = false;
  TSearchDirection FSearchDirection = sdTopBottom;
  bool FShowClose = true;
  bool FShowFindNext = true;
  bool FShowFindPrev = true;
  bool FShowHighLight = true;
  bool FShowMatchCase = true;
  bool FVisible = false;
  bool FAutoThemeAdapt = false;
};

// ---------------------------------------------------------------------------------------------
#define CONF_PLAIN_PROP(Type, Name, Default)        \
 public:                                            \
  Type Name() const { return F##Name; }             \
  void Set##Name(Type v) { F##Name = v; }           \
                                                    \
 private:                                           \
  Type F##Name = Default;

class TNavigation : public TPersistent {
 public:
  TNavigation() = default;
  void Assign(TPersistent* Source) override;

  CONF_PLAIN_PROP(bool, AllowInsertRow, false)
  CONF_PLAIN_PROP(bool, AllowDeleteRow, false)
  CONF_PLAIN_PROP(bool, AlwaysEdit, false)
  CONF_PLAIN_PROP(bool, AdvanceOnEnter, false)
  CONF_PLAIN_PROP(bool, AdvanceOnEnterLoop, true)
  CONF_PLAIN_PROP(bool, AdvanceAutoEdit, true)
  CONF_PLAIN_PROP(bool, AdvanceSkipReadOnlyCells, true)
  CONF_PLAIN_PROP(bool, AutoGotoWhenSorted, false)
  CONF_PLAIN_PROP(bool, AutoGotoIncremental, false)
  CONF_PLAIN_PROP(bool, AutoComboDropSize, false)
  CONF_PLAIN_PROP(bool, AllowClipboardShortCuts, false)
  CONF_PLAIN_PROP(bool, AllowCtrlEnter, true)
  CONF_PLAIN_PROP(bool, AllowSmartClipboard, false)
  CONF_PLAIN_PROP(bool, AllowRTFClipboard, false)
  CONF_PLAIN_PROP(bool, AllowFmtClipboard, false)
  CONF_PLAIN_PROP(bool, AllowClipboardAlways, false)
  CONF_PLAIN_PROP(bool, AllowClipboardRowGrow, true)
  CONF_PLAIN_PROP(bool, AllowClipboardColGrow, true)
  CONF_PLAIN_PROP(bool, AppendOnArrowDown, false)
  CONF_PLAIN_PROP(bool, EditSelectAll, true)
  CONF_PLAIN_PROP(TInsertPosition, InsertPosition, pInsertBefore)
  CONF_PLAIN_PROP(TClipboardPasteAction, ClipboardPasteAction, paReplace)
  CONF_PLAIN_PROP(bool, ComboGetUpDown, true)
  CONF_PLAIN_PROP(TCursorAdvance, CursorAdvance, caDefault)
  CONF_PLAIN_PROP(bool, CursorWalkEditor, false)
  CONF_PLAIN_PROP(bool, CursorWalkAlwaysEdit, true)
  CONF_PLAIN_PROP(bool, CursorMoveRows, false)
  CONF_PLAIN_PROP(bool, MoveRowOnSort, false)
  CONF_PLAIN_PROP(bool, KeepScrollOnSort, false)
  CONF_PLAIN_PROP(bool, MoveScrollOnly, false)
  CONF_PLAIN_PROP(bool, ImproveMaskSel, false)
  CONF_PLAIN_PROP(bool, LeftRightRowSelect, true)
  CONF_PLAIN_PROP(bool, CopyHTMLTagsToClipboard, true)
  CONF_PLAIN_PROP(bool, KeepHorizScroll, false)
  CONF_PLAIN_PROP(bool, LineFeedOnEnter, false)
  CONF_PLAIN_PROP(THomeEndAction, HomeEndKey, heFirstLastColumn)
  CONF_PLAIN_PROP(bool, SkipFixedCells, true)
  CONF_PLAIN_PROP(bool, SkipDisabledRows, true)
  CONF_PLAIN_PROP(bool, TabToNextAtEnd, false)
  CONF_PLAIN_PROP(TAdvanceDirection, TabAdvanceDirection, adLeftRight)

 public:
  bool AdvanceInsert() const { return FAdvanceInsert; }
  void SetAdvanceInsert(bool v);  // notifies when changed
  TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
  void SetAdvanceDirection(TAdvanceDirection v);  // notifies when changed
  bool AdvanceAuto() const { return FAdvanceAuto; }
  // When changed: stores, and switching it on also switches AdvanceOnEnter on; no notification.
  void SetAdvanceAuto(bool v);

  TNotifyEvent OnChange;

 private:
  void Changed();
  bool FAdvanceInsert = false;
  TAdvanceDirection FAdvanceDirection = adLeftRight;
  bool FAdvanceAuto = false;
};

// ---------------------------------------------------------------------------------------------
class TMouseActions : public TPersistent {
 public:
  explicit TMouseActions(TPersistent* AOwner);
  ~TMouseActions() override;
  void Assign(TPersistent* Source) override;

  CONF_PLAIN_PROP(bool, AllColumnSize, false)
  CONF_PLAIN_PROP(bool, AllRowSize, false)
  CONF_PLAIN_PROP(bool, AllSelect, false)
  CONF_PLAIN_PROP(bool, AutoSizeColOnDblClick, true)
  CONF_PLAIN_PROP(bool, CaretPositioning, false)
  CONF_PLAIN_PROP(bool, CheckAllCheck, false)
  CONF_PLAIN_PROP(bool, ColSelect, false)
  CONF_PLAIN_PROP(bool, DirectComboClose, false)
  CONF_PLAIN_PROP(bool, DirectComboDrop, false)
  CONF_PLAIN_PROP(bool, DirectDateClose, false)
  CONF_PLAIN_PROP(bool, DirectDateDrop, false)
  CONF_PLAIN_PROP(bool, DirectEdit, false)
  CONF_PLAIN_PROP(bool, DisjunctRowSelectNoCtrl, false)
  CONF_PLAIN_PROP(TGridFixedCellEdit, FixedRowsEdit, fceNone)
  CONF_PLAIN_PROP(TGridFixedCellEditor, FixedRowsEditor, fceEdit)
  CONF_PLAIN_PROP(TGridFixedCellEditor, FixedColsEditor, fceEdit)
  CONF_PLAIN_PROP(TGridFixedCellEdit, FixedColsEdit, fceNone)
  CONF_PLAIN_PROP(bool, MoveRowOnNodeClick, false)
  CONF_PLAIN_PROP(bool, NoAutoRangeScroll, false)
  CONF_PLAIN_PROP(bool, NodeAllExpandContract, false)
  CONF_PLAIN_PROP(bool, NoScrollOnPartialRow, false)
  CONF_PLAIN_PROP(bool, PreciseCheckBoxCheck, false)
  CONF_PLAIN_PROP(bool, PreciseNodeClick, true)
  CONF_PLAIN_PROP(bool, RangeSelectAndEdit, false)
  CONF_PLAIN_PROP(bool, RowSelect, false)
  CONF_PLAIN_PROP(bool, RowSelectPersistent, false)
  CONF_PLAIN_PROP(bool, SelectOnRightClick, false)
  CONF_PLAIN_PROP(bool, SizeFixedCol, false)
  CONF_PLAIN_PROP(bool, SizeFixedRow, false)
  CONF_PLAIN_PROP(int, WheelIncrement, 0)

 public:
  // The three disjunct selections exclude each other, but only while designing.
  bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
  void SetDisjunctRowSelect(bool v);
  bool DisjunctColSelect() const { return FDisjunctColSelect; }
  void SetDisjunctColSelect(bool v);
  bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
  void SetDisjunctCellSelect(bool v);
  // The same flag as DisjunctRowSelect, written without the exclusion rule.
  bool DisjunctRowSelectDirect() const { return FDisjunctRowSelect; }
  void SetDisjunctRowSelectDirect(bool v) { FDisjunctRowSelect = v; }
  bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
  void SetEditOnDblClickOnly(bool v);  // true raises OnDisableEdit
  TStrings* FixedComboValues() const { return FFixedComboValues.get(); }
  void SetFixedComboValues(TStrings* v);  // copies the lines
  bool HotmailRowSelect() const { return FHotmailRowSelect; }
  // True also sets DisjunctRowSelect and CheckAllCheck; OnInvalidate is raised either way.
  void SetHotmailRowSelect(bool v);
  TWheelAction WheelAction() const { return FWheelAction; }
  void SetWheelAction(TWheelAction v);  // notifies when changed

  TNotifyEvent OnChange;
  TNotifyEvent OnInvalidate;
  TNotifyEvent OnDisableEdit;
  // "Designing" in the writers is this event's answer; false without a handler.
  TIsDesigningEvent OnIsDesigning;

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  bool Designing();
  TPersistent* FOwner = nullptr;
  bool FDisjunctRowSelect = false;
  bool FDisjunctColSelect = false;
  bool FDisjunctCellSelect = false;
  bool FEditOnDblClickOnly = false;
  std::unique_ptr<TStringList> FFixedComboValues = std::make_unique<TStringList>();
  bool FHotmailRowSelect = false;
  TWheelAction FWheelAction = waMoveSelection;
};

// ---------------------------------------------------------------------------------------------
class TSyncGrid : public TPersistent {
 public:
  explicit TSyncGrid(TStringGrid* AOwner) : FOwner(AOwner) {}
  void Assign(TPersistent* Source) override;

  TStringGrid* Grid() const { return FGrid; }
  // The owning grid itself is refused (the previous value stays).
  void SetGrid(TStringGrid* v);

  CONF_PLAIN_PROP(bool, ScrollVertical, false)
  CONF_PLAIN_PROP(bool, ScrollHorizontal, false)
  CONF_PLAIN_PROP(bool, SelectionColumn, false)
  CONF_PLAIN_PROP(bool, SelectionRow, false)
  CONF_PLAIN_PROP(bool, MoveColumn, false)
  CONF_PLAIN_PROP(bool, MoveRow, false)

 private:
  TStringGrid* FOwner = nullptr;
  TStringGrid* FGrid = nullptr;
};

// ---------------------------------------------------------------------------------------------
class TBands : public TPersistent {
 public:
  TBands() = default;
  void Assign(TPersistent* Source) override;

  bool Active() const { return FActive; }
  void SetActive(bool v);  // notifies when changed
  TColor PrimaryColor() const { return FPrimaryColor; }
  void SetPrimaryColor(TColor v);  // when changed; notifies only while Active
  int PrimaryLength() const { return FPrimaryLength; }
  void SetPrimaryLength(int v);  // when changed; notifies only while Active
  TColor SecondaryColor() const { return FSecondaryColor; }
  void SetSecondaryColor(TColor v);  // when changed; notifies only while Active
  int SecondaryLength() const { return FSecondaryLength; }
  void SetSecondaryLength(int v);  // when changed; notifies only while Active
  bool Print() const { return FPrint; }
  void SetPrint(bool v) { FPrint = v; }
  int TotalLength() const { return FTotalLength; }

  TNotifyEvent OnChange;

 private:
  void ChangedWhileActive();
  bool FActive = false;
  TColor FPrimaryColor = clInfoBk;
  int FPrimaryLength = 1;
  TColor FSecondaryColor = clWindow;
  int FSecondaryLength = 1;
  bool FPrint = false;
  int FTotalLength = 2;
};

// ---------------------------------------------------------------------------------------------
class TFocusHelper : public TPersistent {
 public:
  explicit TFocusHelper(TPersistent* AOwner) { (void)AOwner; }
  void Assign(TPersistent* Source) override;
  CONF_PLAIN_PROP(bool, Enabled, false)
};

#undef CONF_PLAIN_PROP
