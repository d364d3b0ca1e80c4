// The spin, check-box and push-button editors and their rows of the special-editor table: how
// each opens over a cell, what it writes back, and how its keys hand control back to the grid.
#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridComboEditor.h"
#include "grid/core/AdvGridEditorKeys.h"
#include "grid/foundation/ZazAdez.h"
#include "platform/SysUtils.h"

namespace {

// An optional sign and the leading digits, up to the first other character; 0 when there are none.
int SpinEditorsLeadingInt(const String& Text) {
  const String t = Trim(Text);
  size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) negative = t[i++] == u'-';
  int64_t v = 0;
  for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i) {
    v = v * 10 + (t[i] - u'0');
    if (v > INT32_MAX) break;
  }
  if (v > INT32_MAX) v = INT32_MAX;
  return static_cast<int>(negative ? -v : v);
}

// The number of a cell text as the grid writes float cells: in the locale's format (decimal
// separator, thousand separators skipped); 0 when it holds none.
double SpinEditorsCellFloat(const String& Text) {
  String n = ExtractNumberText(Text);
  for (Char& c : n)
    if (c == u'.') c = FormatSettings().DecimalSeparator;
  double v = 0;
  return TryStrToFloat(n, v) ? v : 0.0;
}

}  // namespace

// =============================================================================================
// TGridSpin

TGridSpin::TGridSpin(TComponent* AOwner) : TAsgSpinEdit(AOwner), FGrid(EditorOwnerGrid(AOwner)) {
  SetMaxValue(100);
  SetMinValue(0);
  SetIncrement(1);
}

void TGridSpin::FireSpinClick(bool Up) {
  const int col = FGrid->Col(), row = FGrid->Row();
  switch (SpinType()) {
    case sptNormal:
      if (FGrid->OnSpinClick) FGrid->OnSpinClick(FGrid, col, row, Value(), Up);
      break;
    case sptFloat:
      if (FGrid->OnFloatSpinClick) FGrid->OnFloatSpinClick(FGrid, col, row, FloatValue(), Up);
      break;
    case sptDate:
      if (FGrid->OnDateSpinClick) FGrid->OnDateSpinClick(FGrid, col, row, DateValue(), Up);
      break;
    case sptTime:
      if (FGrid->OnTimeSpinClick) FGrid->OnTimeSpinClick(FGrid, col, row, TimeValue(), Up);
      break;
  }
}

void TGridSpin::UpClick(TObject* Sender) {
  TAsgSpinEdit::UpClick(Sender);
  FireSpinClick(true);
}

void TGridSpin::DownClick(TObject* Sender) {
  TAsgSpinEdit::DownClick(Sender);
  FireSpinClick(false);
}

void TGridSpin::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_HOME || Key == VK_END) {
    const bool home = Key == VK_HOME;
    if (SpinType() == sptNormal) SetValue(home ? MaxValue() : MinValue());
    if (SpinType() == sptFloat) SetFloatValue(home ? MaxFloatValue() : MinFloatValue());
    if (FGrid->OnSpinClick) FGrid->OnSpinClick(FGrid, FGrid->Col(), FGrid->Row(), Value(), false);
  }
  if (Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE) {
    TAsgSpinEdit::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    const String cached = FGrid->CellCache();
    SetText(cached);
    if (SpinType() == sptNormal) SetValue(SpinEditorsLeadingInt(cached));
    // Read as the grid writes float cells: a point-only reading stops at a "," separator.
    if (SpinType() == sptFloat) SetFloatValue(SpinEditorsCellFloat(cached));
  } else {
    String text = Text();
    if (!EditorLeaveCheck(FGrid, text)) {
      SetText(FGrid->CurrentCell());
      SetSelStart(static_cast<int>(Text().size()));
      Key = 0;
      Invalidate();
      return;
    }
    SetText(text);
  }
  if (Key == VK_TAB && FGrid->Options().Contains(goTabs)) {
    FGrid->HideInplaceEdit();
    EditorFocusGrid(FGrid);
    FGrid->TabAdvance(Shift.Contains(ssShift));
    Key = 0;
    return;
  }
  FGrid->DoneInplaceEdit(Key, Shift);
  TNavigation* nav = FGrid->Navigation();
  if (nav->AdvanceOnEnter() && nav->AdvanceAutoEdit()) FGrid->ShowInplaceEdit();
  Key = 0;
  TAsgSpinEdit::KeyDown(Key, Shift);
}

void TGridSpin::KeyPress(Char& Key) {
  if (Key == VK_ESCAPE) Key = 0;
  if (Key == VK_RETURN) Key = 0;
  if (Key == 0) return;
  TAsgSpinEdit::KeyPress(Key);
}

void TGridSpin::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_WANTSPECIALKEY: {
      TAsgSpinEdit::WndProc(Message);
      const Word k = static_cast<Word>(Message.WParam);
      if (k == VK_RETURN || k == VK_ESCAPE || (k == VK_TAB && FGrid->Options().Contains(goTabs))) Message.Result = 1;
      return;
    }
    case WM_CHAR:
      if (Message.WParam == VK_TAB || Message.WParam == VK_RETURN) {
        Message.Result = 0;
        return;
      }
      break;
    default:
      break;
  }
  TAsgSpinEdit::WndProc(Message);
}

void TGridSpin::Change() {
  TAsgSpinEdit::Change();
  if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridSpin::DoExit() {
  FGrid->HideInplaceEdit();
  TAsgSpinEdit::DoExit();
}

// =============================================================================================
// TGridCheckBox

TGridCheckBox::TGridCheckBox(TComponent* AOwner) : TCheckBox(AOwner), FGrid(EditorOwnerGrid(AOwner)) {}

void TGridCheckBox::WndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONDOWN) Toggle();
  // The arrows close the editor (the key down below); the form would take them to move the
  // focus among the grid's hidden editors and they would never arrive.
  if (Message.Msg == CM_WANTSPECIALKEY) {
    const Word k = static_cast<Word>(Message.WParam);
    if (k == VK_LEFT || k == VK_RIGHT || k == VK_UP || k == VK_DOWN) {
      Message.Result = 1;
      return;
    }
  }
  TCheckBox::WndProc(Message);
}

void TGridCheckBox::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_SPACE) Toggle();
  switch (Key) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      break;
    default:
      TCheckBox::KeyDown(Key, Shift);
      return;
  }
  if (Key == VK_ESCAPE) SetCaption(FGrid->CurrentCell());
  FGrid->HideInplaceEdit();
  EditorFocusGrid(FGrid);
  if (Key == VK_RETURN) FGrid->AdvanceToNextCell(FGrid->Col(), FGrid->Row(), true, false, true, true, false);
  if (Key == VK_UP || Key == VK_DOWN) {
    Word k = Key;
    FGrid->KeyDown(k, Shift);
  }
  Key = 0;
}

void TGridCheckBox::DoExit() {
  FGrid->HideInplaceEdit();
  TCheckBox::DoExit();
}

// =============================================================================================
// TGridButton

TGridButton::TGridButton(TComponent* AOwner) : TButton(AOwner), FGrid(EditorOwnerGrid(AOwner)) {
  OnClick = [this](TObject*) {
    if (FGrid->OnButtonClick) FGrid->OnButtonClick(FGrid, FGrid->Col(), FGrid->Row());
  };
}

void TGridButton::TakeEllipsCaption() {
  SetCaption(FGrid->EllipsClick(Caption()));
  FGrid->SetCurrentCell(Caption());
}

void TGridButton::LeaveWithoutCommit() {
  SetVisible(false);
  SetEnabled(false);
  FGrid->SetInEditMode(false);
  EditorFocusGrid(FGrid);
}

void TGridButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONUP:
      if (dynamic_cast<TAdvStringGrid*>(Parent())) TakeEllipsCaption();
      break;
    case CM_WANTSPECIALKEY: {
      const Word k = static_cast<Word>(Message.WParam);
      if (k == VK_ESCAPE || k == VK_LEFT || k == VK_RIGHT || k == VK_UP || k == VK_DOWN) {
        Message.Result = 1;
        return;
      }
      break;
    }
    default:
      break;
  }
  TButton::WndProc(Message);
}

void TGridButton::KeyUp(Word& Key, TShiftState Shift) {
  if (Key != VK_SPACE) return;
  TakeEllipsCaption();
  if (CanFocus()) SetFocus();
  Invalidate();
  TButton::KeyUp(Key, Shift);
}

void TGridButton::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
    const Word k = Key;
    // The grid moves its current cell while the button still shows.
    FGrid->Perform(WM_KEYDOWN, k, 0);
    LeaveWithoutCommit();
    FGrid->Perform(WM_KEYUP, k, 0);
    Key = 0;
    return;
  }
  if (Key == VK_ESCAPE) {
    LeaveWithoutCommit();
    FGrid->RestoreCurrentCell();
    FGrid->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
    Key = 0;
    return;
  }
  TButton::KeyDown(Key, Shift);
}

void TGridButton::DoExit() {
  FGrid->HideInplaceEdit();
  TButton::DoExit();
}

// =============================================================================================
// The grid's side

TGridSpin* TAdvStringGrid::SpinEdit() {
  if (!FSpinEdit) {
    FSpinEdit = New<TGridSpin>(this);
    FSpinEdit->SetVisible(false);
    FSpinEdit->SetEnabled(false);
    FSpinEdit->SetBorderStyle(bsNone);
    FSpinEdit->SetIsWinXP(FIsWinXP);
    FSpinEdit->SetParent(this);
  }
  return FSpinEdit;
}

TSpecialEditorOpened TAdvStringGrid::OpenSpinRow(const TSpecialEditorCell& Cell) {
  TGridSpin* spin = SpinEdit();
  spin->SetBounds(Cell.R.Left, Cell.R.Top, Cell.W, Cell.H);
  EditorShowControl(spin, Cell.Color);
  spin->SetExcelStyleDecimalSeparator(FExcelStyleDecimalSeparator);
  DoGetEditorProp(Cell.RCol, Cell.DRow, FEditLink);
  const String text = GetEditText(Cell.DCol, Cell.DRow);
  switch (EditControl) {
    case edFloatSpinEdit:
      spin->SetSpinType(sptFloat);
      spin->SetFloatValue(SpinEditorsCellFloat(text));
      break;
    case edTimeSpinEdit:
      spin->SetSpinType(sptTime);
      spin->SetText(text);
      break;
    case edDateSpinEdit: {
      spin->SetSpinType(sptDate);
      TDateTime d = 0;
      if (Trim(text).empty() || !TryStrToDate(text, d)) d = Now();
      spin->SetDateValue(d);
      break;
    }
    default:
      spin->SetSpinType(sptNormal);
      // A blank cell that may stay blank opens blank: a 0 put in would be committed.
      if (spin->AllowEmptyValue() && Trim(text).empty()) spin->SetText(String());
      else spin->SetValue(SpinEditorsLeadingInt(text));
      break;
  }
  if (spin->CanFocus()) spin->SetFocus();
  if (FPendingSpinClick != 0) {
    if (FPendingSpinClick > 0) spin->UpClick(spin);
    else spin->DownClick(spin);
    FPendingSpinClick = 0;
  }
  return {spin, spin};
}

void TAdvStringGrid::CommitSpinRow(int RCol, int DRow) {
  TGridSpin* spin = FSpinEdit;
  if (!spin) return;
  if (spin->AllowEmptyValue() && Trim(spin->Text()).empty()) {
    StoreEditText(RCol, DRow, String());
  } else {
    switch (EditControl) {
      case edFloatSpinEdit: SetFloats(RCol, DRow, spin->FloatValue()); break;
      case edDateSpinEdit: SetDates(RCol, DRow, spin->DateValue()); break;
      case edTimeSpinEdit: StoreEditText(RCol, DRow, spin->Text()); break;
      default: SetInts(RCol, DRow, spin->Value()); break;
    }
  }
  // Hiding the focused spin ends its focus, and its exit would commit a second time.
  EditMode = false;
  EditorHideControl(spin);
}

TSpecialEditorOpened TAdvStringGrid::OpenCheckBoxRow(const TSpecialEditorCell& Cell) {
  TGridCheckBox* check = EditCheck;
  if (!check) return {};
  if (check->Parent() != this) check->SetParent(this);
  check->SetBounds(Cell.R.Left, Cell.R.Top, Cell.W, Cell.H);
  check->SetCaption(GetEditText(Cell.DCol, Cell.DRow));
  check->SetEnabled(true);
  check->SetState(cbUnchecked);
  check->SetVisible(true);
  if (check->CanFocus()) check->SetFocus();
  return {check, nullptr};
}

TSpecialEditorOpened TAdvStringGrid::OpenButtonRow(const TSpecialEditorCell& Cell) {
  TGridButton* button = GridButton;
  if (!button) return {};
  if (button->Parent() != this) button->SetParent(this);
  button->SetBounds(Cell.R.Left - 1, Cell.R.Top - 1, Cell.W + 2, Cell.H + 2);
  button->SetCaption(GetEditText(Cell.DCol, Cell.DRow));
  button->SetVisible(true);
  button->SetEnabled(true);
  if (button->CanFocus()) button->SetFocus();
  return {button, nullptr};
}

void TAdvStringGrid::CommitHideOnlyRow(int RCol, int DRow) {
  (void)RCol;
  (void)DRow;
  TWinControl* control = EditControl == edButton ? static_cast<TWinControl*>(GridButton) : EditCheck;
  if (!control) return;
  EditMode = false;
  EditorHideControl(control);
}
