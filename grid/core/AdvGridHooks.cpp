// The string grid's cell hooks: each answers one cell-level question with the grid's default and
// then lets its event decide. A column grid overrides several of them.
#include "grid/core/AdvGrid.h"
#include "grid/foundation/ZazAdez.h"

bool TAdvStringGrid::IsFixed(int DCol, int DRow) {
  const int rc = RealColIndex(DCol);
  const TPoint bc = BaseCell(rc, DRow);
  if (FFixedFooters > 0 && bc.Y >= RowCount() - FFixedFooters) return true;
  if (FFixedRightCols > 0 && DisplColIndex(bc.X) >= ColCount() - FFixedRightCols) return true;
  bool fixed = false;
  DoIsFixedCell(DCol, DRow, fixed);
  return fixed;
}

TCellStyle TAdvStringGrid::GetDefaultCellProps(int RCol, int DRow) {
  TGridDrawState state;
  TCellStyle s = GetVisualProperties(RCol, DRow, state, false, false, false);
  const TBackGroundDisplay bd = FBackGround->Display();
  if (IsFixed(DisplColIndex(RCol), DRow) || FBands->Active() || bd == bdGradientHorz || bd == bdGradientVert ||
      state.Contains(gdSelected)) {
    s.Color = clNone;
    s.ColorTo = clNone;
  }
  return s;
}

void TAdvStringGrid::DoGridHint(int ACol, int ARow, String& Hint, String& WideHint) {
  if (OnGridHint) OnGridHint(this, ARow, ACol, Hint);
  if (OnGridWideHint) {
    OnGridWideHint(this, ARow, ACol, WideHint);
    if (!WideHint.empty()) Hint = PackUnicodeText(WideHint);
  }
}

void TAdvStringGrid::DoGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) {
  if (FActiveCellShow) {
    const int d = DisplColIndex(ACol);
    const int fc = FixedCols(), fr = FixedRows();
    if ((ARow == Row() && d == fc - 1 && fc > 0) || (d == Col() && ARow == fr - 1 && fr > 0)) {
      AFont->Assign(FActiveCellFont.get());
      ABrush->SetColor(FActiveCellColor);
    }
  }
  if (HasCellProperties(ACol, ARow)) {
    TCellProperties* p = GetCellProperties(ACol, ARow);
    switch (GetCellType(ACol, ARow)) {
      case ctIcon:
      case ctNone:
      case ctImageList:
      case ctEmpty:
      case ctImages:
      case ctComment:
        if (p->BrushColor() != clNone) ABrush->SetColor(p->BrushColor());
        break;
      default:
        break;
    }
    if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
    if (!p->FontStyle().Empty()) AFont->SetStyle(p->FontStyle());
    if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
    if (!p->FontName().empty()) AFont->SetName(p->FontName());
  }
  if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TAdvStringGrid::DoGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) {
  if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TAdvStringGrid::DoGetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
  if (FGrouping->HeaderUnderline() && ACol > 0 && NodeObject(ARow)) {
    Borders = TCellBorders{cbBottom};
    APen->SetColor(FGrouping->HeaderLineColor());
    APen->SetWidth(FGrouping->HeaderLineWidth());
  }
  if (FGrouping->SummaryLine() && ACol > 0 && ARow >= 0 && GetCellType(0, ARow) == ctSummary) {
    Borders = TCellBorders{cbTop};
    APen->SetColor(FGrouping->SummaryLineColor());
    APen->SetWidth(FGrouping->SummaryLineWidth());
  }
  if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TAdvStringGrid::DoGetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
  if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TAdvStringGrid::DoGetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) {
  if (FMouseActions->HotmailRowSelect() && ACol == 0) HAlign = taCenter;
  if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TAdvStringGrid::DoGetFormat(int ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix) {
  if (OnGetFormat) OnGetFormat(this, ACol, AStyle, APrefix, ASuffix);
}

void TAdvStringGrid::DoGetEditorType(int ACol, int ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TAdvStringGrid::GetCellEditorType(int ACol, int ARow, TEditorType& AEditor) {
  DoGetEditorType(ACol, ARow, AEditor);
}

bool TAdvStringGrid::IsNoEditorCell(int ACol, int ARow) {
  if (!OnGetEditorType) return false;
  TEditorType ed = edNormal;
  OnGetEditorType(this, ACol, ARow, ed);
  return ed == edNone;
}

void TAdvStringGrid::DoIsFixedCell(int ACol, int ARow, bool& IsFixed) {
  if (IsFixed) return;
  IsFixed = ACol < FixedCols() || ARow < FixedRows() ||
            (FFixedRowAlways && RowCount() == FFixedRowsMin && ARow <= FFixedRowsMin) ||
            (FFixedColAlways && ColCount() == FFixedColsMin && ACol < FFixedColsMin);
  if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TAdvStringGrid::DoCanEditCell(int ACol, int ARow, bool& CanEdit) {
  if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TAdvStringGrid::CanEditCell(int ACol, int ARow, bool& CanEdit) {
  const TPoint b = BaseCell(ACol, ARow);
  if (HasCellProperties(b.X, b.Y) && CanEdit) {
    CanEdit = !GetCellProperties(b.X, b.Y)->ReadOnly();
    if (!Options().Contains(goEditing) && !EditMode && !FMouseActions->RangeSelectAndEdit()) CanEdit = false;
  }
  if (b.X < ColCount() + NumHiddenColumns())
    DoCanEditCell(b.X, b.Y, CanEdit);
  else
    CanEdit = true;
}

void TAdvStringGrid::DoIsPasswordCell(int ACol, int ARow, bool& IsPassword) {
  if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TAdvStringGrid::DoGetWordWrap(int ACol, int ARow, bool& WordWrap) {
  if (OnGetWordWrap) OnGetWordWrap(this, ACol, ARow, WordWrap);
}

bool TAdvStringGrid::DoHasComboBox(int ACol, int ARow) {
  bool has = false;
  if (OnHasComboBox) {
    OnHasComboBox(this, ACol, ARow, has);
  } else if (FControlLook->DropDownAlwaysVisible()) {
    TEditorType ed = FDefaultEditor;
    GetCellEditorType(ACol, ARow, ed);
    has = ed == edComboEdit || ed == edComboList;
  }
  return has;
}

bool TAdvStringGrid::DoHasSpinEdit(int ACol, int ARow) {
  if (ACol < FixedCols() || ARow < FixedRows()) return false;
  bool has = false;
  if (OnHasSpinEdit) {
    OnHasSpinEdit(this, ACol, ARow, has);
  } else if (FControlLook->SpinButtonsAlwaysVisible()) {
    // The plain dispatch, which a column grid leaves as it is.
    TEditorType ed = FDefaultEditor;
    DoGetEditorType(ACol, ARow, ed);
    has = ed == edSpinEdit || ed == edFloatSpinEdit || ed == edTimeSpinEdit || ed == edDateSpinEdit;
  }
  return has;
}

void TAdvStringGrid::DoGetCheckTrue(int ACol, int ARow, String& Value) {
  Value = FCheckTrue;
  if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
}

void TAdvStringGrid::DoGetCheckFalse(int ACol, int ARow, String& Value) {
  Value = FCheckFalse;
  if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
}

TFont* TAdvStringGrid::GetCellFont(int ACol, int ARow) {
  if (!HasCellProperties(ACol, ARow)) return Font();
  TCellProperties* p = GetCellProperties(ACol, ARow);
  cf->SetName(p->FontName());
  cf->SetSize(p->FontSize());
  cf->SetStyle(p->FontStyle());
  cf->SetColor(p->FontColor());
  return cf.get();
}

// ---- notification hooks ----

void TAdvStringGrid::DoSearchFooterAction(const String& Value, int ACol, int ARow, TSearchAction SearchAction) {
  if (OnSearchFooterAction) OnSearchFooterAction(this, Value, ACol, ARow, SearchAction);
}

void TAdvStringGrid::DoButtonClick(int ACol, int ARow) {
  if (OnButtonClick) OnButtonClick(this, ACol, ARow);
}

void TAdvStringGrid::DoExpandClick(int ACol, int ARow, bool Expanded) {
  if (OnExpandClick) OnExpandClick(this, ACol, ARow, Expanded);
  // The row takes the height the expand cell keeps for its new state.
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic* cg = GetCellGraphic(b.X, b.Y);
  int h = DefaultRowHeight();
  if (cg && cg->CellType() == ctExpand) h = Expanded ? cg->CellAngle() : cg->CellIndex();
  SetRowHeights(ARow, h);
}

void TAdvStringGrid::DoComboCloseUp(int ARow, int ACol) {
  if (OnComboCloseUp) OnComboCloseUp(this, ARow, ACol);
}

void TAdvStringGrid::DoComboDropDown(int ARow, int ACol) {
  if (OnComboDropDown) OnComboDropDown(this, ARow, ACol);
}

void TAdvStringGrid::DoGetCellCursor(int ACol, int ARow, int X, int Y) {
  if (!OnGetCellCursor) return;
  TCursor c = FRestoreCursor;
  OnGetCellCursor(this, ACol, ARow, X, Y, c);
  // The shown cursor only: the grid's Cursor property stays.
  TControl::SetCursor(c);
}

void TAdvStringGrid::DoCheckBoxClick(int ACol, int ARow, bool State) {
  if (OnCheckBoxClick) OnCheckBoxClick(this, ACol, ARow, State);
}

void TAdvStringGrid::DoCheckBoxChange(int ACol, int ARow, bool State) {
  if (OnCheckBoxChange) OnCheckBoxChange(this, ACol, ARow, State);
}

void TAdvStringGrid::DoClickSort(int ACol) {
  if (OnClickSort) OnClickSort(this, ACol);
}

void TAdvStringGrid::DoPrintGetPageNum(int PageNum, int PageColNum, String& PageNumString) {
  if (OnPrintGetPageNum) OnPrintGetPageNum(this, PageNum, PageColNum, PageNumString);
}

void TAdvStringGrid::DoScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax) {
  if (OnScrollCell) OnScrollCell(this, ACol, ARow, ScrollPosition, ScrollMin, ScrollMax);
}

bool TAdvStringGrid::DoCanShowFixedDropDown(int ACol) {
  bool can = true;
  if (OnCanShowFixedDropDown) OnCanShowFixedDropDown(this, ACol, can);
  return can;
}

void TAdvStringGrid::DoStartBlockFocus() {
  if (OnStartBlockFocus) OnStartBlockFocus(this);
}

void TAdvStringGrid::DoEndBlockFocus() {
  if (OnEndBlockFocus) OnEndBlockFocus(this);
}
