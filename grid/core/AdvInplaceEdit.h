#pragma once
// TAdvInplaceEdit: the grid's editor for the text kinds (edNormal, the number, float, case,
// password and valid-character kinds). On the class library's inplace editor it filters typed
// characters by kind, limits the length, validates on Enter, Tab and the arrows that leave the
// text, walks out of the text into the next cell, guards the clipboard with the grid's events,
// completes typed text from the lookup list and reports the end of the edit when it loses the
// focus.
#include "grid/core/AdvGrid.h"
#include "platform/Grids.h"

class TAdvInplaceEdit : public TInplaceEdit {
 public:
  explicit TAdvInplaceEdit(TComponent* AOwner);
  String ClassName() const override { return u"TAdvInplaceEdit"; }

  bool VAlign() const { return FValign; }
  void SetVAlign(bool v) { FValign = v; }
  int LengthLimit() const { return FLengthLimit; }
  void SetLengthLimit(int v) { FLengthLimit = static_cast<int16_t>(v); }
  // The lookup completion of the text typed up to the caret.
  void DoChange();
  TAdvStringGrid* AdvGrid() const { return FGrid; }
  void WndProc(TMessage& Message) override;

 protected:
  void UpdateContents() override;
  void BoundsChanged() override;
  void Change() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;

 private:
  // WM_KEYDOWN's steps before the default key handling; false when the key ends there.
  bool KeyDownMessage(Word Key, TShiftState Shift);
  // WM_CHAR's filter: false drops the character (Beep asks for the beep).
  bool AcceptChar(Char& Key, uint32_t KeyData, bool& Beep);
  void Paste();
  void KillFocus(TControl* NewFocus);
  void LoseFocus(TControl* NewFocus);
  void SetFocusMessage();
  // After a refused validation: the validated text, selected (or the caret at its end), and the
  // grid's old text back, so that the next validation compares against it again.
  void ShowRefused(const String& OldText);
  // The walk out of the text at its left or right end (key-up of Left or Right).
  void CursorWalk(bool Forward);
  int LineOf(int Pos) const;

  int FSelKeyDown = 0;
  int FOldSelStart = 0;
  int16_t FLengthLimit = 0;
  bool FValign = false;
  bool GotKey = false;
  bool FGotFocus = false;
  bool Workmode = true;
  TAdvStringGrid* FGrid = nullptr;
  int FColE = -1;
  int FRowE = -1;
  bool FAltBack = false;
  // The last Enter key-down validated (and was refused): its character does not validate again.
  bool FEnterValidated = false;
  bool FEnterRefused = false;
};
