#include "grid/foundation/AdvObjSettings.h"

// ---------------------------------------------------------------------------------------------
// TSearchFooter

TSearchFooter::TSearchFooter(TPersistent* AOwner, bool InitDesign) : FOwner(AOwner) {
  if (InitDesign) {
    FFindPrevCaption = u"Find &previous";
    FFindNextCaption = u"Find &next";
    FMatchCaseCaption = u"Match case";
    FHighLightCaption = u"Highlight";
    FHintClose = u"Close";
    FHintFindNext = u"Find next occurrence";
    FHintFindPrev = u"Find previous occurrence";
    FHintHighlight = u"Highlight occurrences";
  }
}

TSearchFooter::~TSearchFooter() = default;

void TSearchFooter::Changed() {
  if (OnChange) OnChange(this);
}

void TSearchFooter::SetNotifying(String& field, const String& v) {
  field = v;
  Changed();
}

void TSearchFooter::SetNotifyingWhenChanged(bool& field, bool v) {
  if (field == v) return;
  field = v;
  Changed();
}

void TSearchFooter::SetColor(TColor v) {
  FColor = v;
  Changed();
}
void TSearchFooter::SetColorTo(TColor v) {
  FColorTo = v;
  Changed();
}
void TSearchFooter::SetFindNextCaption(const String& v) { SetNotifying(FFindNextCaption, v); }
void TSearchFooter::SetFindPrevCaption(const String& v) { SetNotifying(FFindPrevCaption, v); }
void TSearchFooter::SetFont(TFont* v) {
  FFont->Assign(v);
  Changed();
}
void TSearchFooter::SetHighLightCaption(const String& v) { SetNotifying(FHighLightCaption, v); }
void TSearchFooter::SetHintClose(const String& v) { SetNotifying(FHintClose, v); }
void TSearchFooter::SetHintFindNext(const String& v) { SetNotifying(FHintFindNext, v); }
void TSearchFooter::SetHintFindPrev(const String& v) { SetNotifying(FHintFindPrev, v); }
void TSearchFooter::SetHintHighlight(const String& v) { SetNotifying(FHintHighlight, v); }
void TSearchFooter::SetMatchCaseCaption(const String& v) { SetNotifying(FMatchCaseCaption, v); }
void TSearchFooter::SetShowClose(bool v) {
  FShowClose = v;
  Changed();
}
void TSearchFooter::SetShowFindNext(bool v) { SetNotifyingWhenChanged(FShowFindNext, v); }
void TSearchFooter::SetShowFindPrev(bool v) { SetNotifyingWhenChanged(FShowFindPrev, v); }
void TSearchFooter::SetShowHighLight(bool v) { SetNotifyingWhenChanged(FShowHighLight, v); }
void TSearchFooter::SetShowMatchCase(bool v) { SetNotifyingWhenChanged(FShowMatchCase, v); }
void TSearchFooter::SetVisible(bool v) { SetNotifyingWhenChanged(FVisible, v); }
void TSearchFooter::SetAutoThemeAdapt(bool v) {
  FAutoThemeAdapt = v;
  Changed();
}

void TSearchFooter::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TSearchFooter*>(Source);
  if (!s || s == this) return;
  FAlwaysHighLight = s->FAlwaysHighLight;
  FAutoSearch = s->FAutoSearch;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FFindNextCaption = s->FFindNextCaption;
  FFindPrevCaption = s->FFindPrevCaption;
  FFont->Assign(s->FFont.get());
  FHighLightCaption = s->FHighLightCaption;
  FHintClose = s->FHintClose;
  FHintFindNext = s->FHintFindNext;
  FHintFindPrev = s->FHintFindPrev;
  FHintHighlight = s->FHintHighlight;
  FMatchCaseCaption = s->FMatchCaseCaption;
  FSearchActiveColumnOnly = s->FSearchActiveColumnOnly;
  FSearchColumn = s->FSearchColumn;
  FSearchMatchStart = s->FSearchMatchStart;
  FSearchFixedCells = s->FSearchFixedCells;
  FSearchHiddenRows = s->FSearchHiddenRows;
  FSearchDirection = s->FSearchDirection;
  FShowClose = s->FShowClose;
  FShowFindNext = s->FShowFindNext;
  FShowFindPrev = s->FShowFindPrev;
  FShowHighLight = s->FShowHighLight;
  FShowMatchCase = s->FShowMatchCase;
  FVisible = s->FVisible;
}

// ---------------------------------------------------------------------------------------------
// TNavigation

void TNavigation::Changed() {
  if (OnChange) OnChange(this);
}

void TNavigation::SetAdvanceInsert(bool v) {
  if (FAdvanceInsert == v) return;
  FAdvanceInsert = v;
  Changed();
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection v) {
  if (FAdvanceDirection == v) return;
  FAdvanceDirection = v;
  Changed();
}

void TNavigation::SetAdvanceAuto(bool v) {
  if (FAdvanceAuto == v) return;
  FAdvanceAuto = v;
  if (v) FAdvanceOnEnter = true;
}

void TNavigation::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TNavigation*>(Source);
  if (!s || s == this) return;
  FAllowInsertRow = s->FAllowInsertRow;
  FAllowDeleteRow = s->FAllowDeleteRow;
  FAlwaysEdit = s->FAlwaysEdit;
  FAdvanceOnEnter = s->FAdvanceOnEnter;
  FAdvanceOnEnterLoop = s->FAdvanceOnEnterLoop;
  FAdvanceInsert = s->FAdvanceInsert;
  FAdvanceAutoEdit = s->FAdvanceAutoEdit;
  FAdvanceSkipReadOnlyCells = s->FAdvanceSkipReadOnlyCells;
  FAutoGotoWhenSorted = s->FAutoGotoWhenSorted;
  FAutoGotoIncremental = s->FAutoGotoIncremental;
  FAutoComboDropSize = s->FAutoComboDropSize;
  FAdvanceDirection = s->FAdvanceDirection;
  FAllowClipboardShortCuts = s->FAllowClipboardShortCuts;
  FAllowCtrlEnter = s->FAllowCtrlEnter;
  FAllowSmartClipboard = s->FAllowSmartClipboard;
  FAllowRTFClipboard = s->FAllowRTFClipboard;
  FAllowFmtClipboard = s->FAllowFmtClipboard;
  FAllowClipboardAlways = s->FAllowClipboardAlways;
  FAllowClipboardRowGrow = s->FAllowClipboardRowGrow;
  FAllowClipboardColGrow = s->FAllowClipboardColGrow;
  FAdvanceAuto = s->FAdvanceAuto;
  FAppendOnArrowDown = s->FAppendOnArrowDown;
  FEditSelectAll = s->FEditSelectAll;
  FInsertPosition = s->FInsertPosition;
  FClipboardPasteAction = s->FClipboardPasteAction;
  FComboGetUpDown = s->FComboGetUpDown;
  FCursorAdvance = s->FCursorAdvance;
  FCursorWalkEditor = s->FCursorWalkEditor;
  FCursorWalkAlwaysEdit = s->FCursorWalkAlwaysEdit;
  FCursorMoveRows = s->FCursorMoveRows;
  FMoveRowOnSort = s->FMoveRowOnSort;
  FKeepScrollOnSort = s->FKeepScrollOnSort;
  FMoveScrollOnly = s->FMoveScrollOnly;
  FImproveMaskSel = s->FImproveMaskSel;
  FLeftRightRowSelect = s->FLeftRightRowSelect;
  FCopyHTMLTagsToClipboard = s->FCopyHTMLTagsToClipboard;
  FKeepHorizScroll = s->FKeepHorizScroll;
  FLineFeedOnEnter = s->FLineFeedOnEnter;
  FHomeEndKey = s->FHomeEndKey;
  FSkipFixedCells = s->FSkipFixedCells;
  FSkipDisabledRows = s->FSkipDisabledRows;
  FTabToNextAtEnd = s->FTabToNextAtEnd;
  FTabAdvanceDirection = s->FTabAdvanceDirection;
}

// ---------------------------------------------------------------------------------------------
// TMouseActions

TMouseActions::TMouseActions(TPersistent* AOwner) : FOwner(AOwner) {}
TMouseActions::~TMouseActions() = default;

bool TMouseActions::Designing() {
  bool designing = false;
  if (OnIsDesigning) OnIsDesigning(this, designing);
  return designing;
}

void TMouseActions::SetDisjunctRowSelect(bool v) {
  FDisjunctRowSelect = v;
  if (v && Designing()) {
    FDisjunctColSelect = false;
    FDisjunctCellSelect = false;
  }
}

void TMouseActions::SetDisjunctColSelect(bool v) {
  FDisjunctColSelect = v;
  if (v && Designing()) {
    FDisjunctRowSelect = false;
    FDisjunctCellSelect = false;
  }
}

void TMouseActions::SetDisjunctCellSelect(bool v) {
  FDisjunctCellSelect = v;
  if (v && Designing()) {
    FDisjunctRowSelect = false;
    FDisjunctColSelect = false;
  }
}

void TMouseActions::SetEditOnDblClickOnly(bool v) {
  FEditOnDblClickOnly = v;
  if (v && OnDisableEdit) OnDisableEdit(this);
}

void TMouseActions::SetFixedComboValues(TStrings* v) {
  if (v == FFixedComboValues.get()) return;
  if (v) FFixedComboValues->Assign(v);
  else FFixedComboValues->Clear();
}

void TMouseActions::SetHotmailRowSelect(bool v) {
  FHotmailRowSelect = v;
  if (v) {
    FDisjunctRowSelect = true;
    FCheckAllCheck = true;
  }
  if (OnInvalidate) OnInvalidate(this);
}

void TMouseActions::SetWheelAction(TWheelAction v) {
  if (FWheelAction == v) return;
  FWheelAction = v;
  if (OnChange) OnChange(this);
}

void TMouseActions::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TMouseActions*>(Source);
  if (!s || s == this) return;
  FAllColumnSize = s->FAllColumnSize;
  FAllRowSize = s->FAllRowSize;
  FAllSelect = s->FAllSelect;
  FAutoSizeColOnDblClick = s->FAutoSizeColOnDblClick;
  FCaretPositioning = s->FCaretPositioning;
  FCheckAllCheck = s->FCheckAllCheck;
  FColSelect = s->FColSelect;
  FDirectComboClose = s->FDirectComboClose;
  FDirectComboDrop = s->FDirectComboDrop;
  FDirectDateClose = s->FDirectDateClose;
  FDirectDateDrop = s->FDirectDateDrop;
  FDirectEdit = s->FDirectEdit;
  FDisjunctRowSelect = s->FDisjunctRowSelect;
  FDisjunctRowSelectNoCtrl = s->FDisjunctRowSelectNoCtrl;
  FDisjunctColSelect = s->FDisjunctColSelect;
  FDisjunctCellSelect = s->FDisjunctCellSelect;
  FEditOnDblClickOnly = s->FEditOnDblClickOnly;
  FFixedRowsEdit = s->FFixedRowsEdit;
  FFixedRowsEditor = s->FFixedRowsEditor;
  FFixedColsEditor = s->FFixedColsEditor;
  FFixedColsEdit = s->FFixedColsEdit;
  FFixedComboValues->Assign(s->FFixedComboValues.get());
  FHotmailRowSelect = s->FHotmailRowSelect;
  FMoveRowOnNodeClick = s->FMoveRowOnNodeClick;
  FNoAutoRangeScroll = s->FNoAutoRangeScroll;
  FNodeAllExpandContract = s->FNodeAllExpandContract;
  FNoScrollOnPartialRow = s->FNoScrollOnPartialRow;
  FPreciseCheckBoxCheck = s->FPreciseCheckBoxCheck;
  FPreciseNodeClick = s->FPreciseNodeClick;
  FRangeSelectAndEdit = s->FRangeSelectAndEdit;
  FRowSelect = s->FRowSelect;
  FRowSelectPersistent = s->FRowSelectPersistent;
  FSelectOnRightClick = s->FSelectOnRightClick;
  FSizeFixedCol = s->FSizeFixedCol;
  FSizeFixedRow = s->FSizeFixedRow;
  FWheelIncrement = s->FWheelIncrement;
  FWheelAction = s->FWheelAction;
}

// ---------------------------------------------------------------------------------------------
// TSyncGrid

void TSyncGrid::SetGrid(TStringGrid* v) {
  if (v != nullptr && v == FOwner) return;
  if (v == FGrid) return;
  // The owning grid hears when the attached one goes, so that it never keeps a freed grid.
  if (FGrid && FOwner) FGrid->RemoveFreeNotification(FOwner);
  FGrid = v;
  if (FGrid && FOwner) FGrid->FreeNotification(FOwner);
}

void TSyncGrid::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TSyncGrid*>(Source);
  if (!s || s == this) return;
  SetGrid(s->FGrid);
  FScrollVertical = s->FScrollVertical;
  FScrollHorizontal = s->FScrollHorizontal;
  FSelectionColumn = s->FSelectionColumn;
  FSelectionRow = s->FSelectionRow;
  FMoveColumn = s->FMoveColumn;
  FMoveRow = s->FMoveRow;
}

// ---------------------------------------------------------------------------------------------
// TBands

void TBands::ChangedWhileActive() {
  if (FActive && OnChange) OnChange(this);
}

void TBands::SetActive(bool v) {
  if (FActive == v) return;
  FActive = v;
  if (OnChange) OnChange(this);
}

void TBands::SetPrimaryColor(TColor v) {
  if (FPrimaryColor == v) return;
  FPrimaryColor = v;
  ChangedWhileActive();
}

void TBands::SetPrimaryLength(int v) {
  if (FPrimaryLength == v) return;
  FPrimaryLength = v;
  FTotalLength = FPrimaryLength + FSecondaryLength;
  ChangedWhileActive();
}

void TBands::SetSecondaryColor(TColor v) {
  if (FSecondaryColor == v) return;
  FSecondaryColor = v;
  ChangedWhileActive();
}

void TBands::SetSecondaryLength(int v) {
  if (FSecondaryLength == v) return;
  FSecondaryLength = v;
  FTotalLength = FPrimaryLength + FSecondaryLength;
  ChangedWhileActive();
}

void TBands::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TBands*>(Source);
  if (!s || s == this) return;
  FActive = s->FActive;
  FPrimaryColor = s->FPrimaryColor;
  FPrimaryLength = s->FPrimaryLength;
  FSecondaryColor = s->FSecondaryColor;
  FSecondaryLength = s->FSecondaryLength;
  FPrint = s->FPrint;
  FTotalLength = FPrimaryLength + FSecondaryLength;
}

// ---------------------------------------------------------------------------------------------
// TFocusHelper

void TFocusHelper::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TFocusHelper*>(Source)) FEnabled = s->FEnabled;
}
