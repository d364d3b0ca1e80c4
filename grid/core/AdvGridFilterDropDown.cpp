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

// An open list closes without a choice on the cancel-mode notification with the mouse outside
// it, on Escape, and when the focus goes elsewhere (nothing would close it afterwards).
// The list being hidden: hiding a focused list takes its focus, which must not close it again.
TControl* g_closingFilterList = nullptr;

bool FilterListCancelled(TControl* List, const TMessage& Message) {
  if (!List->Visible() || g_closingFilterList == List) return false;
  switch (Message.Msg) {
    case CM_CANCELMODE:
      return FilterListMouseOutside(List);
    case WM_KEYDOWN:
      return Message.WParam == VK_ESCAPE;
    case WM_KILLFOCUS:
      return true;
    default:
      return false;
  }
}

void CloseFilterList(TControl* List, const TNotifyEvent& OnCancel) {
  g_closingFilterList = List;
  List->Hide();
  g_closingFilterList = nullptr;
  if (OnCancel) OnCancel(List);
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
  g_closingFilterList = this;
  Hide();
  g_closingFilterList = nullptr;
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
  if (FilterListCancelled(this, Message)) CloseFilterList(this, OnCancel);
  TListBox::WndProc(Message);
}

TDropCheckList::TDropCheckList(TComponent* AOwner) : TCheckListBox(AOwner) {
  OnClickCheck = [this](TObject*) {
    if (OnSelect) OnSelect(this, -1);
  };
}

void TDropCheckList::WndProc(TMessage& Message) {
  if (FilterListCancelled(this, Message)) CloseFilterList(this, OnCancel);
  TCheckListBox::WndProc(Message);
}

// ---------------------------------------------------------------------------------------------
// Opening

void TAdvStringGrid::FilterDropDownMouseUp(int X, int Y, int DCol, int DRow) {
  if (DCol >= 0 && DRow >= 0 && DRow == FFilterDropDownRow && DRow < FixedRows()) {
    const int rcol = RealColIndex(DCol);
    // Right to left the button is painted mirrored, at the cell's left: test in layout space.
    const TRect lr = LayoutCellRect(DCol, DRow);
    const int lx = ClientToLayoutX(X);
    const bool onButton = lx > lr.Right - 16 && lx < lr.Right - 3 && Y < lr.Top + 19;
    const bool wasOpen = rcol == FFilterCol || rcol == FFilterColPressClosed;
    FFilterColPressClosed = -1;
    if (onButton && !wasOpen && DoGetColumnFilter(rcol)) {
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
      // Placed in layout space, then mirrored with the button right to left.
      int left = lr.Right - 16;
      const int top = lr.Top + 16;
      if (FFilterDropDown->ColumnWidth()) {
        left = lr.Left;
        w = lr.Right - lr.Left;
      }
      if (left + w > Width()) left = std::max(0, LayoutCellRect(DCol, 0).Right - w);
      const TRect placed = FlipGridRect(Rect(left, top, left + w, top + h));
      list->SetParent(this);
      list->SetBounds(placed.Left, placed.Top, w, h);
      list->Show();
      if (list->CanFocus()) list->SetFocus();
      return;
    }
  }
  if (FDropList->Visible()) FDropList->Hide();
  FFilterCol = -1;
  FFilterColPressClosed = -1;
}

void TAdvStringGrid::FilterListCancel() {
  // A press in the grid closed it: when the press is on its own button the release must not reopen it.
  const TPoint p = ScreenToClient(GetCursorPos());
  const bool inGrid = p.X >= 0 && p.Y >= 0 && p.X < Width() && p.Y < Height();
  FFilterColPressClosed = GetKeyState(VK_LBUTTON) < 0 && inGrid ? FFilterCol : -1;
  FFilterCol = -1;
}

// ---------------------------------------------------------------------------------------------
// Choices

void TAdvStringGrid::DoFilterSelect(int ItemIndex) {
  // Taken before the focus moves: an open list that loses it forgets the column.
  const int col = FFilterCol;
  if (CanFocus()) SetFocus();
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
