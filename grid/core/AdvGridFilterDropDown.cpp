// The header filter drop-down: a list (or a check list) of a column's values under the filter
// button of a filter-row cell; choosing sets the column's condition.
#include <algorithm>

#include "grid/core/AdvGrid.h"

namespace {

// The system edge of a sunken list frame (SM_CXEDGE, SM_CYEDGE).
constexpr int kFilterListEdge = 2;

bool FilterListMouseOutside(TControl* List) {
  const TPoint p = List->ScreenToClient(GetCursorPos());
  return p.X < 0 || p.Y < 0 || p.X >= List->Width() || p.Y >= List->Height();
}

// The part before the first "=", or the whole entry.
String FilterFriendlyName(const String& Entry) {
  const size_t eq = Entry.find(u'=');
  return eq == String::npos ? Entry : Entry.substr(0, eq);
}

// The part after the first "=", or the whole entry.
String FilterEntryCondition(const String& Entry) {
  const size_t eq = Entry.find(u'=');
  return eq == String::npos ? Entry : Entry.substr(eq + 1);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The two lists

void TDropList::Choose() {
  Hide();
  if (OnSelect) OnSelect(this, ItemIndex());
}

void TDropList::KeyPress(Char& Key) {
  TListBox::KeyPress(Key);
  if (Key != 13) return;
  Key = 0;
  Choose();
}

void TDropList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TListBox::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) Choose();
}

void TDropList::WndProc(TMessage& Message) {
  if (Message.Msg == CM_CANCELMODE && Visible() && FilterListMouseOutside(this)) {
    Hide();
    if (OnCancel) OnCancel(this);
  }
  TListBox::WndProc(Message);
}

TDropCheckList::TDropCheckList(TComponent* AOwner) : TCheckListBox(AOwner) {
  OnClickCheck = [this](TObject*) {
    if (OnSelect) OnSelect(this, -1);
  };
}

void TDropCheckList::WndProc(TMessage& Message) {
  if (Message.Msg == CM_CANCELMODE && Visible() && FilterListMouseOutside(this)) {
    Hide();
    if (OnCancel) OnCancel(this);
  }
  TCheckListBox::WndProc(Message);
}

// ---------------------------------------------------------------------------------------------
// Opening

void TAdvStringGrid::FilterDropDownMouseUp(int X, int Y, int DCol, int DRow) {
  if (DCol >= 0 && DRow >= 0 && DRow == FFilterDropDownRow && DRow < FixedRows()) {
    const TRect cr = CellRect(DCol, DRow);
    const int rcol = RealColIndex(DCol);
    const bool onButton = X > cr.Right - 16 && X < cr.Right - 3 && Y < cr.Top + 19;
    if (onButton && rcol != FFilterCol && DoGetColumnFilter(rcol)) {
      FFilterCol = rcol;
      TListBox* list = FFilterDropDownCheck ? static_cast<TListBox*>(FDropCheckList) : FDropList;
      list->SetColor(FFilterDropDown->Color());
      list->Font()->Assign(FFilterDropDown->Font());
      Canvas()->Font()->Assign(FFilterDropDown->Font());
      list->Clear();
      int widest = 0;
      for (int i = 0; i < FFilterList->Count(); ++i) {
        const String text = FilterFriendlyName(FFilterList->Strings(i));
        list->Items()->Add(text);
        if (FFilterDropDownCheck) {
          const String cond = text.find(u' ') == String::npos ? text : u"\"" + text + u"\"";
          bool checked = false;
          for (int k = 0; k < FFilter->Count() && !checked; ++k)
            checked = FFilter->Items(k)->Column() == rcol && FFilter->Items(k)->Condition() == cond;
          FDropCheckList->SetChecked(i, checked);
        }
        widest = std::max(widest, Canvas()->TextWidth(text) + 8);
      }
      if (!FFilterDropDownCheck) list->SetItemIndex(0);
      int w = FFilterDropDown->Width(), h = FFilterDropDown->Height();
      if (FFilterDropDown->AutoSize()) {
        h = list->Count() * list->ItemHeight() + 2 * kFilterListEdge;
        w = widest + 2 * kFilterListEdge;
      }
      int left = cr.Right - 16;
      const int top = cr.Top + 16;
      if (FFilterDropDown->ColumnWidth()) {
        left = cr.Left;
        w = cr.Right - cr.Left;
      }
      if (left + w > Width()) left = std::max(0, CellRect(DCol, 0).Right - w);
      list->SetParent(this);
      list->SetBounds(left, top, w, h);
      list->Show();
      if (list->CanFocus()) list->SetFocus();
      return;
    }
  }
  if (FDropList->Visible()) FDropList->Hide();
  FFilterCol = -1;
}

// ---------------------------------------------------------------------------------------------
// Choices

void TAdvStringGrid::DoFilterSelect(int ItemIndex) {
  if (CanFocus()) SetFocus();
  const int col = FFilterCol;
  FFilterCol = -1;
  if (col < 0 || col >= AllColCount() || ItemIndex < 0) return;
  DoGetColumnFilter(col);
  if (ItemIndex >= FFilterList->Count()) return;
  const String entry = FFilterList->Strings(ItemIndex);
  const String friendly = FilterFriendlyName(entry);
  if (FAutoFilterUpdate) SetFilterActive(false);
  String cond = entry == FFilterDropDownClear ? String() : FilterEntryCondition(entry);
  if (OnFilterSelect) OnFilterSelect(this, col, ItemIndex, friendly, cond);
  if (!cond.empty())
    FFilter->ColumnFilter(col)->SetCondition(cond);
  else
    FFilter->RemoveColumnFilter(col);
  if (!FAutoFilterUpdate) return;
  FFixedRowAlways = true;
  SetFilterActive(true);
  if (RowCount() != FixedRows() && RowCount() != 1) SetRowEx(FixedRows());
  DoFilterDone();
}

void TAdvStringGrid::DoFilterCheck(int ItemIndex) {
  (void)ItemIndex;  // the check list's state says which items count
  const int col = FFilterCol;
  if (col < 0 || col >= AllColCount()) return;
  DoGetColumnFilter(col);
  if (FAutoFilterUpdate) SetFilterActive(false);
  FFilter->Clear();
  bool first = true;
  for (int i = 0; i < FDropCheckList->Count() && i < FFilterList->Count(); ++i) {
    if (!FDropCheckList->Checked(i)) continue;
    const String entry = FFilterList->Strings(i);
    String cond = entry == FFilterDropDownClear ? String() : FilterEntryCondition(entry);
    if (OnFilterCheck) OnFilterCheck(this, col, i, FilterFriendlyName(entry), cond, FDropCheckList);
    TFilterData* f = FFilter->Add();
    f->SetCondition(cond);
    f->SetColumn(static_cast<int16_t>(col));
    f->SetOperation(first ? foNONE : foOR);
    first = false;
  }
  SetFilterActive(true);
  FDropCheckList->Invalidate();
}
