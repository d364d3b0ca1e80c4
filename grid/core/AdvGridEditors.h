#pragma once
// The grid's editor controls beside the combo: the spin editor, the check-box and push-button
// editors, the edit-button and unit editors, the date and date-and-time pickers. Each is a child
// of its grid, placed over the current cell by the edit cycle, and hands Enter, Esc, Tab and the
// navigation keys back to the grid.
#include "grid/core/AsgDateTimePicker.h"
#include "grid/core/AsgEditBtn.h"
#include "grid/core/AsgSpin.h"
#include "platform/StdCtrls.h"

class TAdvStringGrid;

// The spin editor of edSpinEdit, edFloatSpinEdit, edTimeSpinEdit and edDateSpinEdit.
class TGridSpin : public TAsgSpinEdit {
 public:
  explicit TGridSpin(TComponent* AOwner);
  String ClassName() const override { return u"TGridSpin"; }
  void WndProc(TMessage& Message) override;
  void UpClick(TObject* Sender) override;
  void DownClick(TObject* Sender) override;
  void Change() override;
  TAdvStringGrid* Grid() const { return FGrid; }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;

 private:
  void FireSpinClick(bool Up);
  TAdvStringGrid* FGrid = nullptr;
};

// The check-box editor of edCheckBox: it toggles once per press and writes nothing back.
class TGridCheckBox : public TCheckBox {
 public:
  explicit TGridCheckBox(TComponent* AOwner);
  String ClassName() const override { return u"TGridCheckBox"; }
  void WndProc(TMessage& Message) override;
  TAdvStringGrid* Grid() const { return FGrid; }

 protected:
  // The press toggled already; the platform's click after it must not toggle again.
  void UserClicked() override {}
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DoExit() override;

 private:
  TAdvStringGrid* FGrid = nullptr;
};

// The push-button editor of edButton: its click asks OnEllipsClick for the caption, which also
// becomes the cell text, then fires the grid's OnButtonClick.
class TGridButton : public TButton {
 public:
  explicit TGridButton(TComponent* AOwner);
  String ClassName() const override { return u"TGridButton"; }
  void WndProc(TMessage& Message) override;
  TAdvStringGrid* Grid() const { return FGrid; }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void DoExit() override;

 private:
  void TakeEllipsCaption();
  // Hides the button and leaves edit mode without a commit.
  void LeaveWithoutCommit();
  TAdvStringGrid* FGrid = nullptr;
};

// The edit-button editor of edEditBtn, edNumericEditBtn, edFloatEditBtn and edMaskEditBtn.
class TGridEditBtn : public TAsgEditBtn {
 public:
  explicit TGridEditBtn(TComponent* AOwner);
  String ClassName() const override { return u"TGridEditBtn"; }
  void WndProc(TMessage& Message) override;
  void Change() override;
  TAdvStringGrid* Grid() const { return FGrid; }
  bool StopEditAfterClick() const { return FStopEditAfterClick; }
  void SetStopEditAfterClick(bool v) { FStopEditAfterClick = v; }

  bool WorkMode = true;  // typing completion armed; Backspace and Delete disarm it

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;

 private:
  void ClickButton();
  void Paste();
  void CursorWalk(Word& Key);
  void Complete();
  TAdvStringGrid* FGrid = nullptr;
  int FSelKeyDown = 0;
  bool FStopEditAfterClick = false;
};

// The unit editor of edUnitEditBtn, edNumericUnitEditBtn and edFloatUnitEditBtn: it commits its
// text followed by its unit.
class TGridUnitEditBtn : public TAsgUnitEditBtn {
 public:
  explicit TGridUnitEditBtn(TComponent* AOwner);
  String ClassName() const override { return u"TGridUnitEditBtn"; }
  void WndProc(TMessage& Message) override;
  void BtnClick(TObject* Sender) override;
  TAdvStringGrid* Grid() const { return FGrid; }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DoExit() override;

 private:
  TAdvStringGrid* FGrid = nullptr;
};

// The character filters of the numeric and float button editors: whether Key may be typed into
// Edit (Ctrl held tells the float filter to let control characters of shortcuts pass). A refused
// character of the numeric filter, and a misplaced "-" of the float filter, beep.
bool GridNumericCharAllowed(TCustomEdit* Edit, Char Key);
bool GridFloatCharAllowed(TCustomEdit* Edit, Char Key, bool CtrlHeld);

// The date editor of edDateEdit, edDateEditUpDown and edTimeEdit.
class TGridDatePicker : public TAsgDateTimePicker {
 public:
  explicit TGridDatePicker(TComponent* AOwner);
  String ClassName() const override { return u"TGridDatePicker"; }
  void WndProc(TMessage& Message) override;
  // No 3D border inside the cell: the outer edge is painted over in the window colour.
  void PaintOverlay(TCanvas* Canvas) override;
  // Moves to the next field when the digit just typed completed one.
  virtual void ShiftFocus();
  bool Weeknumbers() const { return FWeekNumbers; }
  void SetWeeknumbers(bool v) { FWeekNumbers = v; }
  bool ShowToday() const { return FShowToday; }
  void SetShowToday(bool v) { FShowToday = v; }
  bool ShowTodayCircle() const { return FShowTodayCircle; }
  void SetShowTodayCircle(bool v) { FShowTodayCircle = v; }
  TAdvStringGrid* Grid() const { return FGrid; }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;

 private:
  uint16_t Fy = 0, Fm = 0, Fd = 0;
  uint16_t Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;
  bool FWeekNumbers = false;
  bool FShowToday = true;
  bool FShowTodayCircle = true;
  TAdvStringGrid* FGrid = nullptr;
};

// The date-and-time editor of edDateTimeEdit.
class TGridDateTimePicker : public TAdvDateTimePicker {
 public:
  explicit TGridDateTimePicker(TComponent* AOwner);
  String ClassName() const override { return u"TGridDateTimePicker"; }
  TAdvStringGrid* Grid() const { return FGrid; }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;

 private:
  TAdvStringGrid* FGrid = nullptr;
};
