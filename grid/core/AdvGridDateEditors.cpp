// The date editors (edDateEdit, edDateEditUpDown, edTimeEdit on TGridDatePicker; edDateTimeEdit
// on TGridDateTimePicker) and their rows of the special-editor table, with the notifications
// the pickers send the grid.
#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridComboEditor.h"
#include "grid/core/AdvGridEditorKeys.h"
#include "platform/SysUtils.h"

namespace {

// The picker's value as the grid writes it into the cell: its time (time kind) or its date in
// the process-wide formats.
String DateEditorsPickerText(TDateTimePicker* Picker) {
  return Picker->Kind() == dtkTime ? TimeToStr(Picker->DateTime()) : DateToStr(Picker->DateTime());
}

// Puts a cell text into the picker: its time or date, the current date and time when it holds
// none.
void DateEditorsTakeText(TDateTimePicker* Picker, const String& Text) {
  TDateTime v = 0;
  const bool read = Picker->Kind() == dtkTime ? TryStrToTime(Text, v) : TryStrToDate(Text, v);
  if (!read) {
    Picker->SetDateTime(Now());
    return;
  }
  if (Picker->Kind() == dtkTime) Picker->SetTime(v);
  else Picker->SetDate(v);
}

// A date editor's calendar closing: the grid's event, and with DirectDateClose the end of the edit.
void DateEditorsCloseUp(TAdvStringGrid* Grid) {
  if (Grid->OnDatePickerCloseUp) Grid->OnDatePickerCloseUp(Grid, Grid->Row(), Grid->Col());
  if (Grid->MouseActions()->DirectDateClose()) Grid->HideInplaceEdit();
}

}  // namespace

// =============================================================================================
// TGridDatePicker

TGridDatePicker::TGridDatePicker(TComponent* AOwner) : TAsgDateTimePicker(AOwner), FGrid(EditorOwnerGrid(AOwner)) {}

void TGridDatePicker::PaintOverlay(TCanvas* Canvas) {
  TAsgDateTimePicker::PaintOverlay(Canvas);
  TRect r = ClientRect();
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(clWindow);
  Canvas->FrameRect(r);
  InflateRect(r, -1, -1);
  Canvas->FrameRect(r);
}

void TGridDatePicker::WndProc(TMessage& Message) {
  if (Message.Msg == CM_WANTSPECIALKEY) {
    TAsgDateTimePicker::WndProc(Message);
    const Word k = static_cast<Word>(Message.WParam);
    if (k == VK_RETURN || k == VK_ESCAPE || (k == VK_TAB && FGrid->EditorWantsTab())) Message.Result = 1;
    return;
  }
  // A notification from the calendar is answered 0 unless the picker's own handling answers it.
  if (Message.Msg == CN_NOTIFY) Message.Result = 0;
  TAsgDateTimePicker::WndProc(Message);
  if (Message.Msg == DTPShiftFocusMessage()) ShiftFocus();
}

void TGridDatePicker::KeyPress(Char& Key) {
  if (Key >= u'0' && Key <= u'9') {
    DecodeDate(DateTime(), Fy, Fm, Fd);
    DecodeTime(DateTime(), Fth, Ftm, Fts, Ftms);
    TAsgDateTimePicker::KeyPress(Key);
    PostMessage(this, DTPShiftFocusMessage(), 0, 0);
  } else {
    TAsgDateTimePicker::KeyPress(Key);
  }
  if (FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
}

void TGridDatePicker::ShiftFocus() {
  uint16_t y, m, d, h, n, s, ms;
  DecodeDate(DateTime(), y, m, d);
  DecodeTime(DateTime(), h, n, s, ms);
  bool shift;
  if (Kind() == dtkTime) {
    shift = h != Fth || n != Ftm || s != Fts;
  } else if (!Format().empty()) {
    const Char last = Format().back();
    const bool dayChanged = d != Fd, monthChanged = m != Fm, yearChanged = y != Fy;
    // The field that changed is the last one: there is nothing to move to.
    if ((dayChanged && (last == u'd' || last == u'D')) || (monthChanged && (last == u'm' || last == u'M')) ||
        (yearChanged && (last == u'y' || last == u'Y')))
      shift = false;
    else
      shift = dayChanged || monthChanged || yearChanged;
  } else {
    shift = d != Fd || m != Fm;
  }
  if (shift) Perform(WM_KEYDOWN, VK_RIGHT, 0);
}

void TGridDatePicker::KeyDown(Word& Key, TShiftState Shift) {
  if (Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE && Key != VK_PRIOR && Key != VK_NEXT && Key != VK_END) {
    TAsgDateTimePicker::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) DateEditorsTakeText(this, FGrid->CurrentCell());
  if (Key == VK_RETURN) {
    // Takes over a field that is being typed.
    Perform(WM_KEYDOWN, VK_RIGHT, 0);
    Perform(WM_KEYUP, VK_RIGHT, 0);
    String text = DateEditorsPickerText(this);
    const bool accepted = EditorLeaveCheck(FGrid, text);
    DateEditorsTakeText(this, text);
    if (!accepted) {
      Invalidate();
      Key = 0;
      return;
    }
  }
  if (Key == VK_TAB && FGrid->EditorWantsTab()) {
    String text = DateEditorsPickerText(this);
    const bool accepted = EditorLeaveCheck(FGrid, text);
    DateEditorsTakeText(this, text);
    if (!accepted) {
      Invalidate();
      Key = 0;
      return;
    }
    if (EditorTabLeave(FGrid, Shift)) {
      Key = 0;
      return;
    }
  }
  // With the calendar open, Enter and Escape act in the calendar and the editor stays.
  if (DroppedDown()) {
    TAsgDateTimePicker::KeyDown(Key, Shift);
    return;
  }
  FGrid->DoneInplaceEdit(Key, Shift);
  Key = 0;
}

void TGridDatePicker::DoExit() {
  FGrid->HideInplaceEdit();
  TAsgDateTimePicker::DoExit();
}

// =============================================================================================
// TGridDateTimePicker

TGridDateTimePicker::TGridDateTimePicker(TComponent* AOwner)
    : TAdvDateTimePicker(AOwner), FGrid(EditorOwnerGrid(AOwner)) {}

void TGridDateTimePicker::KeyDown(Word& Key, TShiftState Shift) {
  const bool wantsTab = Key == VK_TAB && FGrid->EditorWantsTab();
  if (Key != VK_ESCAPE && Key != VK_RETURN && !wantsTab) {
    TAdvDateTimePicker::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) SetDateTime(FGrid->OriginalDateTime());
  const String text = DateTimeToStr(DateTime());
  FGrid->HideInplaceEdit();
  EditorFocusGrid(FGrid);
  if (Key == VK_RETURN && FGrid->Navigation()->AdvanceOnEnter())
    FGrid->AdvanceToNextCell(FGrid->Col(), FGrid->Row(), true, false, true, true, false);
  if (wantsTab) {
    FGrid->SetCurrentCell(text);
    FGrid->TabAdvance(Shift.Contains(ssShift));
  }
  Key = 0;
}

// =============================================================================================
// The grid's side

TGridDatePicker* TAdvStringGrid::DateTimePicker() {
  if (!FDatePicker) {
    FDatePicker = New<TGridDatePicker>(this);
    EditorHideControl(FDatePicker);
    FDatePicker->SetParent(this);
    TGridDatePicker* p = FDatePicker;
    p->OnCloseUp = [this](TObject*) { DateEditorsCloseUp(this); };
    p->OnDropDown = [this, p](TObject*) {
      p->SetCalShowToday(p->ShowToday());
      p->SetCalShowTodayCircle(p->ShowTodayCircle());
      p->SetCalWeekNumbers(p->Weeknumbers());
      if (OnDatePickerDropDown) OnDatePickerDropDown(this, Row(), Col());
    };
    p->OnChange = [this, p](TObject*) {
      if (OnEditChange) OnEditChange(this, Col(), Row(), DateEditorsPickerText(p));
    };
  }
  return FDatePicker;
}

TGridDateTimePicker* TAdvStringGrid::DateAndTimePicker() {
  if (!FDateTimePicker) {
    FDateTimePicker = New<TGridDateTimePicker>(this);
    EditorHideControl(FDateTimePicker);
    FDateTimePicker->SetParent(this);
    FDateTimePicker->SetAutoTab(true);
    TGridDateTimePicker* p = FDateTimePicker;
    p->OnCloseUp = [this](TObject*) { DateEditorsCloseUp(this); };
    // The date part tells the grid itself (DTN_DATETIMECHANGE); the inner time picker does not.
    p->OnTimeChange = [this, p](TObject*) {
      if (OnDateTimeChange) OnDateTimeChange(this, Col(), Row(), p->DateTime());
    };
  }
  return FDateTimePicker;
}

TSpecialEditorOpened TAdvStringGrid::OpenDateRow(const TSpecialEditorCell& Cell) {
  if (!DatePickerSupported()) return {};
  TGridDatePicker* p = DateTimePicker();
  const String text = GetEditText(Cell.DCol, Cell.DRow);
  TDateTime d = Now();
  if (OnCustomStrToDate) {
    OnCustomStrToDate(this, text, d);
  } else if (!Trim(text).empty()) {
    TDateTime v = 0;
    if (TryStrToDateTime(text, v) || TryStrToDate(text, v)) {
      d = v;
      // Only a date outside the limits moves, to the nearest one: the limits themselves are
      // valid dates, and moving them would change a cell that was only opened and closed.
      if (p->MaxDate() != 0 && d > p->MaxDate()) d = p->MaxDate();
      if (p->MinDate() != 0 && d < p->MinDate()) d = p->MinDate();
    }
  }
  p->SetDateTime(d);
  p->SetKind(dtkDate);
  p->SetDateMode(EditControl == edDateEditUpDown ? dmUpDown : dmComboBox);
  DoGetEditorProp(Cell.RCol, Cell.DRow, FEditLink);
  p->SetBounds(Cell.R.Left, Cell.R.Top, Cell.W, Cell.H);
  EditorShowControl(p, Cell.Color);
  if (p->CanFocus()) p->SetFocus();
  if (FMouseActions->DirectDateDrop()) p->Perform(WM_KEYDOWN, VK_F4, 0);
  return {p, p};
}

void TAdvStringGrid::CommitDateRow(int RCol, int DRow) {
  if (!DatePickerSupported() || !FDatePicker) return;
  TGridDatePicker* p = FDatePicker;
  StoreEditText(RCol, DRow, p->Checked() ? DateToStr(p->DateTime()) : String());
  EditMode = false;
  EditorHideControl(p);
}

TSpecialEditorOpened TAdvStringGrid::OpenTimeRow(const TSpecialEditorCell& Cell) {
  if (!DatePickerSupported()) return {};
  TGridDatePicker* p = DateTimePicker();
  const String text = GetEditText(Cell.DCol, Cell.DRow);
  TDateTime t = 0;
  if (Trim(text).empty() || !TryStrToTime(text, t)) t = Now();
  p->SetKind(dtkTime);
  p->SetDateTime(t);
  p->SetBounds(Cell.R.Left, Cell.R.Top, Cell.W, Cell.H);
  EditorShowControl(p, Cell.Color);
  DoGetEditorProp(Cell.RCol, Cell.DRow, FEditLink);
  if (p->CanFocus()) p->SetFocus();
  return {p, nullptr};
}

void TAdvStringGrid::CommitTimeRow(int RCol, int DRow) {
  if (!DatePickerSupported() || !FDatePicker) return;
  TGridDatePicker* p = FDatePicker;
  TFormatSettings& fs = FormatSettings();
  const String longTime = fs.LongTimeFormat;
  if (!p->Format().empty()) fs.LongTimeFormat = p->Format();
  String text;
  try {
    text = TimeToStr(p->DateTime());
  } catch (...) {
    fs.LongTimeFormat = longTime;
    throw;
  }
  fs.LongTimeFormat = longTime;
  StoreEditText(RCol, DRow, text);
  EditMode = false;
  EditorHideControl(p);
}

TSpecialEditorOpened TAdvStringGrid::OpenDateTimeRow(const TSpecialEditorCell& Cell) {
  if (!DatePickerSupported()) return {};
  TGridDateTimePicker* p = DateAndTimePicker();
  const String text = GetEditText(Cell.DCol, Cell.DRow);
  TDateTime d = 0;
  if (Trim(text).empty() || !TryStrToDateTime(text, d)) d = Now();
  p->SetDateTime(d);
  FOriginalDateTime = p->DateTime();
  p->SetKind(dkDateTime);
  p->SetBorderStyle(bsNone);
  p->SetBounds(Cell.R.Left, Cell.R.Top, Cell.W, std::max(p->Height(), Cell.H));
  DoGetEditorProp(Cell.RCol, Cell.DRow, FEditLink);
  EditorShowControl(p, Cell.Color);
  if (p->CanFocus()) p->SetFocus();
  return {p, nullptr};
}

void TAdvStringGrid::CommitDateTimeRow(int RCol, int DRow) {
  if (!DatePickerSupported() || !FDateTimePicker) return;
  TGridDateTimePicker* p = FDateTimePicker;
  const TFormatSettings& fs = FormatSettings();
  StoreEditText(RCol, DRow,
                p->Checked() ? FormatDateTime(fs.ShortDateFormat + u" " + fs.ShortTimeFormat, p->DateTime()) : String());
  EditMode = false;
  EditorHideControl(p);
}
