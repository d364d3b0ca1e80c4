// The multi-column drop-down's items and popup grid: sizing through the grid drop-down's shared
// rules, the popup's keys and mouse, and the painting of its cells from the items.
#include <algorithm>

#include "grid/dropdown/AdvDropDownForm.h"
#include "grid/griddropdown/AdvMultiColumnDropDown.h"

namespace multicolumn_dropdown {

int TDropDownItems::IndexInColumn(int Column, const String& Value) const {
  for (int i = 0; i < Count(); ++i) {
    const TDropDownItem* item = Items(i);
    if (item->HasText(Column) && item->Text()->Strings(Column) == Value) return i;
  }
  return -1;
}

TAdvColGrid::TAdvColGrid(TComponent* AOwner)
    : TStringGrid(AOwner), FColumns(std::make_unique<TDropDownColumns>(this)), FHeaderFont(std::make_unique<TFont>()) {}

TAdvColGrid::~TAdvColGrid() = default;

void TAdvColGrid::AfterConstruction() {
  TStringGrid::AfterConstruction();
  SetFixedRows(1);
  SetFixedCols(0);
  TGridOptions o = Options();
  o.Exclude(goRangeSelect).Exclude(goDrawFocusSelected).Include(goHorzLine).Include(goRowSelect);
  SetOptions(o);
  SetDefaultDrawing(false);
  SetCtl3D(false);
  SetGridLineWidth(0);
  SetBorderStyle(bsNone);
  FGridLineWidth = 1;
  FOldRow = Row();
}

void TAdvColGrid::SetGridLineWidth(int Value) {
  FGridLineWidth = Value;
  TStringGrid::SetGridLineWidth(0);
  Invalidate();
}

void TAdvColGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TStringGrid::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages && !ComponentState().Contains(TComponentStateFlag::csDestroying))
    FImages = nullptr;
}

bool TAdvColGrid::OnPopupForm() const { return dynamic_cast<TDropDownForm*>(Parent()) != nullptr; }

TRect TAdvColGrid::CellBounds(int ACol, int ARow) const {
  TRect r = CellRect(ACol, ARow);
  r.Right = r.Left + ColWidths(ACol);
  r.Bottom = r.Top + RowHeights(ARow);
  return r;
}

void TAdvColGrid::ApplyDropDownSettings(TAdvMultiColumnDropDown* D) {
  if (!D) return;
  FAdvDropDown = D;
  FColumns->Assign(D->Columns());
  const int columns = D->Columns()->Count();
  // The grid needs one column; without settings it shows one empty column.
  SetColCount(std::max(1, columns));
  const int rows = D->Items()->Count() + 1;
  SetRowCount(rows);
  if (rows > 1) {
    SetFixedRows(1);
    SetRow(1);
    SetRowCount(rows);
  }
  for (int i = 0; i < columns; ++i) SetColWidths(i, D->Columns()->Items(i)->Width());
  FLineColor = D->LineColor();
  FFixedLineColor = D->FixedLineColor();
  FHeaderColor = D->HeaderColor();
  FHeaderColorTo = D->HeaderColorTo();
  FHeaderHeight = D->HeaderHeight();
  FHeaderFont->Assign(D->HeaderFont());
  FImages = D->Images();
  SetDefaultRowHeight(std::max(1, D->DropDownRowHeight()));
  SetRowHeights(0, D->HeaderHeight());
  TGridOptions o = Options();
  D->ColumnSizing() ? o.Include(goColSizing) : o.Exclude(goColSizing);
  SetOptions(o);
  AutoSizeItemColumns();
  UpdateWordWrapRowHeights();
}

TDropDownSizingSource TAdvColGrid::ItemSource() const {
  TDropDownSizingSource source;
  TDropDownItems* items = FAdvDropDown ? FAdvDropDown->Items() : nullptr;
  source.Rows = items ? std::min(items->Count(), std::max(0, RowCount() - 1)) : 0;
  source.Cell = [this, items](int Item, int Column, String& Text, bool& HasImage) {
    const TDropDownItem* item = items->Items(Item);
    Text = item->TextOf(Column);
    HasImage = item->HasText(Column) && Column < FColumns->Count() &&
               FColumns->Items(Column)->ColumnType() == ctImage && item->ImageIndex() >= 0;
    return true;
  };
  return source;
}

void TAdvColGrid::AutoSizeItemColumn(int Index) {
  if (Index < 0 || Index >= FColumns->Count() || !FColumns->Items(Index)->AutoSize() || !OnPopupForm()) return;
  if (FWidthMemos.size() < static_cast<size_t>(FColumns->Count())) FWidthMemos.resize(FColumns->Count());
  dropdown_sizing::AutoSizeItemColumnOf(*this, FColumns.get(), FAdvDropDown, ItemSource(), Index, FImages,
                                        &FWidthMemos[static_cast<size_t>(Index)]);
}

void TAdvColGrid::AutoSizeItemColumns() {
  for (int i = 0; i < FColumns->Count(); ++i)
    if (FColumns->Items(i)->AutoSize()) AutoSizeItemColumn(i);
}

void TAdvColGrid::UpdateWordWrapRowHeights() {
  if (OnPopupForm()) dropdown_sizing::UpdateWordWrapRowHeightsOf(*this, FColumns.get(), ItemSource(), FImages);
}

int TAdvColGrid::GetNeededWidth() { return dropdown_sizing::NeededWidthOf(*this, kScrollBarSize); }

void TAdvColGrid::DoSelect() {
  if (OnSelect) OnSelect(this);
}

void TAdvColGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  (void)ARect;
  if (FAdvDropDown) FAdvDropDown->DrawCell(Canvas(), ACol, ARow, AState);
}

// ---- keys and mouse ----------------------------------------------------------------------------

void TAdvColGrid::KeyDown(Word& Key, TShiftState Shift) {
  FConfirmSelection = true;
  if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
    if (FAdvDropDown) SendMessage(FAdvDropDown, WM_KEYDOWN, Key, 0);
    return;
  }
  TStringGrid::KeyDown(Key, Shift);
  if (Key == VK_RETURN) DoSelect();
}

void TAdvColGrid::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_TAB) return;
  if (Message.Msg == WM_MOUSEWHEEL) {
    popup_grid::PopupGridWheel(this, FMouseWheelSelection, FConfirmSelection, [&] { TStringGrid::WndProc(Message); });
    return;
  }
  if (Message.Msg == WM_CHAR && Message.WParam == VK_RETURN) {
    Message.Result = 1;
    return;
  }
  TStringGrid::WndProc(Message);
}

void TAdvColGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FConfirmSelection = true;
  FOldRow = Row();
  TStringGrid::MouseDown(Button, Shift, X, Y);
}

void TAdvColGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TStringGrid::MouseUp(Button, Shift, X, Y);
  int col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  if (row >= FixedRows() && row < RowCount()) DoSelect();
}

}  // namespace multicolumn_dropdown

// ---- painting ----------------------------------------------------------------------------------

void TAdvMultiColumnDropDown::DrawCell(TCanvas* Canvas, int ACol, int ARow, TGridDrawState AState) {
  TAdvColGrid* grid = FAdvColGrid;
  if (!grid || !Canvas) return;
  const TRect cell = grid->CellRect(ACol, ARow);
  if (OnDropDownDrawItem) {
    OnDropDownDrawItem(this, ACol, ARow, Canvas, cell);
    return;
  }
  const bool first = ACol == grid->FixedCols(), last = ACol == grid->ColCount() - 1;
  const int kind = first && last ? 0 : first ? 1 : last ? 2 : 3;
  TRect r = grid->CellBounds(ACol, ARow);
  String text = ARow < 0 ? String() : grid->Cells(ACol, ARow);
  int image = -1;
  TColor background;
  TAlignment alignment = taLeftJustify;
  bool wrap = false, ellipsis = false;
  const bool hasColumn = ACol < FColumns->Count() && ACol >= grid->FixedCols();
  if (hasColumn) {
    const multicolumn_dropdown::TDropDownColumn* column = FColumns->Items(ACol);
    background = column->Color();
    alignment = column->Alignment();
    wrap = column->Wordwrap();
    ellipsis = column->Ellipsis();
    Canvas->Font()->Assign(column->Font());
    if (ARow > 0 && ARow - 1 < FItems->Count()) {
      const multicolumn_dropdown::TDropDownItem* item = FItems->Items(ARow - 1);
      if (column->ColumnType() == ctImage) image = item->ImageIndex();
      if (item->HasText(ACol)) text = item->TextOf(ACol);
    }
  } else {
    background = grid->Color();
    Canvas->Font()->Assign(grid->HeaderFont());
  }
  if (OnDropDownGetItemText) OnDropDownGetItemText(this, ACol, ARow, text);

  const bool fixed = AState.Contains(gdFixed);
  const bool selected = AState.Contains(gdSelected);
  if (!fixed) {
    if (!selected) {
      Canvas->Pen()->SetColor(background);
      Canvas->Pen()->SetWidth(1);
      Canvas->Brush()->SetColor(background);
      Canvas->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
    } else {
      DrawSelection(Canvas, r, background, kind);
    }
  } else {
    text = ACol < FColumns->Count() ? FColumns->Items(ACol)->Header() : text;
    image = -1;
    if (grid->HeaderColor() == clNone || grid->HeaderColorTo() == clNone) {
      Canvas->Brush()->SetColor(grid->HeaderColor());
      Canvas->FillRect(r);
    } else {
      DrawGradientFill(Canvas, grid->HeaderColor(), grid->HeaderColorTo(), 80, r, gdVertical);
    }
  }

  const int w = grid->GridLineWidth();
  int c = 0;
  bool lines = true;
  if (!fixed) {
    lines = w > 0;
    if (lines) {
      Canvas->Pen()->SetColor(grid->LineColor());
      Canvas->Pen()->SetWidth(w);
      c = (w + 1) / 2;
    }
  } else {
    Canvas->Pen()->SetColor(grid->FixedLineColor());
    Canvas->Pen()->SetWidth(1);
    c = 1;
  }
  const TGridOptions o = grid->Options();
  if (lines && ((!fixed && o.Contains(goHorzLine)) || (fixed && o.Contains(goFixedHorzLine)))) {
    Canvas->MoveTo(r.Left - c + 1, r.Bottom - c);
    Canvas->LineTo(r.Right - c + 1, r.Bottom - c);
  }
  if (lines && ((!fixed && o.Contains(goVertLine)) || (fixed && o.Contains(goFixedVertLine)))) {
    const int x = grid->UseRightToLeftAlignment() ? r.Right - c + 1 : r.Right - c;
    Canvas->MoveTo(x, r.Bottom - c);
    Canvas->LineTo(x, r.Top - c);
  }

  r = Rect(r.Left + w, r.Top + w, r.Right - w, r.Bottom - w);
  TRect textRect = r;
  if (Images() && image >= 0) {
    int y = r.Top;
    if (Images()->Height() < r.Height()) y += (r.Height() - Images()->Height()) / 2;
    Images()->Draw(Canvas, r.Left + 2, y, image, true);
    textRect.Left = r.Left + Images()->Width() + 4;
  } else {
    textRect.Left = r.Left + 2;
  }
  if (text.empty()) return;
  Canvas->Brush()->SetStyle(bsClear);
  if (selected && !fixed) Canvas->Font()->SetColor(FSelectionTextColor);
  if (fixed) Canvas->Font()->Assign(grid->HeaderFont());
  unsigned flags = wrap ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE;
  flags |= alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
  if (ellipsis) flags |= DT_END_ELLIPSIS;
  flags |= DT_NOPREFIX | DT_EXPANDTABS | DT_VCENTER;
  DrawText(Canvas, text, textRect, flags);
  Canvas->Brush()->SetStyle(bsSolid);
}
