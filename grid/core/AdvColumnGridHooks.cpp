// The column grid's answers to the grid's per-cell questions, taken from the cell's column
// before the string grid's own rules and the application's events.
#include "grid/core/AdvColumnGrid.h"

namespace {

// The cell's own colours and font win over the column's where they are set.
void ApplyCellFont(const TCellProperties* P, TFont* AFont) {
  if (P->FontColor() != clNone) AFont->SetColor(P->FontColor());
  if (!P->FontStyle().Empty()) AFont->SetStyle(P->FontStyle());
  if (P->FontSize() != 0) AFont->SetSize(P->FontSize());
  if (!P->FontName().empty()) AFont->SetName(P->FontName());
}

}  // namespace

TCellStyle TAdvColumnGrid::GetDefaultCellProps(int RCol, int DRow) {
  TGridColumnItem* c = ColumnAt(RCol);
  if (!c) return TAdvStringGrid::GetDefaultCellProps(RCol, DRow);
  TCellStyle s = PlainCellStyle();
  s.Font.Assign(c->Font());
  s.Color = c->Color();
  s.ColorTo = clNone;
  s.Alignment = DRow < FixedRows() ? c->HeaderAlignment() : c->Alignment();
  s.VAlignment = VAlignment();
  s.WordWrap = WordWrap();
  s.GradientDirection = GradientVertical;
  if (IsFixed(DisplColIndex(RCol), DRow) || BandsApply(c)) {
    s.Color = clNone;
    s.ColorTo = clNone;
  }
  return s;
}

bool TAdvColumnGrid::BandsApply(const TGridColumnItem* C) const { return C->ShowBands() && Bands()->Active(); }

void TAdvColumnGrid::DoGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) {
  TGridColumnItem* c = ColumnAt(ACol);
  if (c && ACol >= FixedCols() && ACol < TotalColCount() - FixedRightCols() && ARow < RowCount() - FixedFooters()) {
    const bool fixedRow = ARow < FixedRows();
    if (c->Fixed())
      ABrush->SetColor(FixedColor());
    else if (!fixedRow && !BandsApply(c))
      ABrush->SetColor(c->Color());
    AFont->Assign(fixedRow ? c->HeaderFont() : c->Font());
    if (HasCellProperties(ACol, ARow)) {
      TCellProperties* p = GetCellProperties(ACol, ARow);
      if (p->BrushColor() != clNone) ABrush->SetColor(p->BrushColor());
      if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
    }
  }
  TAdvStringGrid::DoGetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TAdvColumnGrid::DoGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                         TFont* AFont) {
  if (TGridColumnItem* c = ColumnAt(ACol)) {
    const bool outer = ACol < FixedCols() || ARow < FixedRows() || ACol >= TotalColCount() - FixedRightCols() ||
                       ARow >= RowCount() - FixedFooters();
    if (outer) {
      AFont->Assign(PrintSettings()->FixedFont());
    } else {
      TCellProperties* p = HasCellProperties(ACol, ARow) ? GetCellProperties(ACol, ARow) : nullptr;
      if (c->Fixed())
        ABrush->SetColor(FixedColor());
      else if (!(BandsApply(c) && Bands()->Print()))
        ABrush->SetColor(c->PrintColor());
      if (p && p->BrushColor() != clNone) ABrush->SetColor(p->BrushColor());
      if (c->PrintFontCustom()) {
        AFont->Assign(c->PrintFont());
        if (p) ApplyCellFont(p, AFont);
      } else {
        AFont->Assign(PrintSettings()->Font());
      }
    }
  }
  TAdvStringGrid::DoGetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TAdvColumnGrid::DoGetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
  if (IsNormalColumnRow(ACol, ARow)) {
    TGridColumnItem* c = ColumnAt(ACol);
    Borders = c->Borders();
    APen->Assign(c->BorderPen());
  }
  TAdvStringGrid::DoGetCellBorder(ACol, ARow, APen, Borders);
}

void TAdvColumnGrid::DoGetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
  if (IsNormalColumnRow(ACol, ARow)) {
    TGridColumnItem* c = ColumnAt(ACol);
    if (c->PrintBorderCustom()) {
      Borders = c->PrintBorders();
      APen->Assign(c->PrintBorderPen());
    }
  }
  TAdvStringGrid::DoGetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TAdvColumnGrid::DoGetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) {
  if (TGridColumnItem* c = ColumnAt(ACol)) {
    if (HasCellProperties(ACol, ARow))
      HAlign = GetCellProperties(ACol, ARow)->Alignment();
    else
      HAlign = ARow < FixedRows() ? c->HeaderAlignment() : c->Alignment();
  }
  TAdvStringGrid::DoGetAlignment(ACol, ARow, HAlign, VAlign);
}

void TAdvColumnGrid::DoGetFormat(int ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix) {
  if (TGridColumnItem* c = ColumnAt(ACol)) {
    AStyle = c->SortStyle();
    APrefix = c->SortPrefix();
    ASuffix = c->SortSuffix();
  }
  TAdvStringGrid::DoGetFormat(ACol, AStyle, APrefix, ASuffix);
}

void TAdvColumnGrid::GetCellEditorType(int ACol, int ARow, TEditorType& AEditor) {
  // The column's number format is answered per cell (GetCellFloatFormat); asking for the editor
  // leaves the grid's own FloatFormat alone, so one column never reformats the others.
  if (IsNormalColumnRow(ACol, ARow)) {
    TGridColumnItem* c = ColumnAt(ACol);
    AEditor = c->Editor();
    if (TGridCombo* combo = Combobox()) {
      combo->Items()->Assign(c->ComboItems());
      combo->SetDropDownCount(c->DropDownCount());
    }
    ControlLook()->SetDropDownCount(c->DropDownCount());
  }
  TAdvStringGrid::GetCellEditorType(ACol, ARow, AEditor);
}

void TAdvColumnGrid::DoIsFixedCell(int ACol, int ARow, bool& IsFixed) {
  const int rcol = RealColIndex(ACol);
  if (IsNormalColumnRow(rcol, ARow) && ColumnAt(rcol)->Fixed()) IsFixed = true;
  TAdvStringGrid::DoIsFixedCell(ACol, ARow, IsFixed);
}

void TAdvColumnGrid::CanEditCell(int ACol, int ARow, bool& CanEdit) {
  if (Loading()) {
    CanEdit = false;
    return;
  }
  // The column decides, whatever goEditing says; the cell's own read-only flag can only refuse.
  CanEdit = false;
  if (IsNormalColumnRow(ACol, ARow)) {
    TGridColumnItem* c = ColumnAt(ACol);
    CanEdit = !(c->ReadOnly() || c->Fixed());
  }
  if (CanEdit && HasCellProperties(ACol, ARow) && GetCellProperties(ACol, ARow)->ReadOnly()) CanEdit = false;
  const TPoint base = BaseCell(ACol, ARow);
  DoCanEditCell(base.X, base.Y, CanEdit);
}

void TAdvColumnGrid::DoIsPasswordCell(int ACol, int ARow, bool& IsPassword) {
  if (TGridColumnItem* c = ColumnAt(ACol)) IsPassword = c->Password();
  TAdvStringGrid::DoIsPasswordCell(ACol, ARow, IsPassword);
}

bool TAdvColumnGrid::DoHasComboBox(int ACol, int ARow) {
  bool has = false;
  if (IsNormalColumnRow(ACol, ARow)) {
    const TEditorType e = ColumnAt(ACol)->Editor();
    has = e == edComboEdit || e == edComboList;
  }
  if (OnHasComboBox) OnHasComboBox(this, ACol, ARow, has);
  return has;
}

void TAdvColumnGrid::DoGetCheckTrue(int ACol, int ARow, String& Value) {
  TAdvStringGrid::DoGetCheckTrue(ACol, ARow, Value);
  if (IsNormalCell(ACol, ARow)) Value = ColumnAt(ACol)->CheckTrue();
}

void TAdvColumnGrid::DoGetCheckFalse(int ACol, int ARow, String& Value) {
  TAdvStringGrid::DoGetCheckFalse(ACol, ARow, Value);
  if (IsNormalCell(ACol, ARow)) Value = ColumnAt(ACol)->CheckFalse();
}

bool TAdvColumnGrid::IsDataCheckBoxColumnCell(int ACol, int ARow) const {
  return IsNormalCell(ACol, ARow) && ColumnAt(ACol)->Editor() == edDataCheckBox;
}

TCellType TAdvColumnGrid::GetCellType(int ACol, int ARow) {
  TCellType t = TAdvStringGrid::GetCellType(ACol, ARow);
  if (FDestroyingColumns || !FColumnCollection) return t;
  if (t == ctEmpty && IsDataCheckBoxColumnCell(ACol, ARow)) return ctDataCheckBox;
  return t;
}

TCellGraphic* TAdvColumnGrid::GetCellGraphic(int ACol, int ARow) {
  TCellGraphic* g = TAdvStringGrid::GetCellGraphic(ACol, ARow);
  if (FDestroyingColumns || !FColumnCollection || g) return g;
  if (!IsDataCheckBoxColumnCell(ACol, ARow)) return g;
  // One shared object answers for every such cell; it is never attached to a cell.
  TCellGraphic* shared = SharedCellGraphic();
  shared->SetCellType(ctVirtCheckBox);
  shared->SetCellTransparent(ControlLook()->ControlStyle() == csFlat);
  return shared;
}
