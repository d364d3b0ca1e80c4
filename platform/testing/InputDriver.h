#pragma once
// Drives keyboard, mouse, wheel, close box and time into forms and controls through the same
// message path a real window uses, without Qt events. While a driver exists, window timers and
// TTimer run on its virtual clock: AdvanceTime fires the due timers in order.
#include <memory>

#include "platform/Forms.h"
#include "platform/TimeSource.h"

class InputDriver {
 public:
  InputDriver();
  ~InputDriver();
  InputDriver(const InputDriver&) = delete;
  InputDriver& operator=(const InputDriver&) = delete;

  VirtualClock& Clock() { return *clock_; }

  // Keys go to the form's focused control (the form when none has the focus). ch = 0 derives
  // the character from the key (letters, digits, space, ".", ",", "-", control characters).
  void KeyDown(TForm* form, Word vk, TShiftState shift = {}, Char ch = 0);
  void KeyUp(TForm* form, Word vk, TShiftState shift = {});
  void Key(TForm* form, Word vk, TShiftState shift = {}, Char ch = 0);  // down and up
  // The "." of the numeric keypad (VK_DECIMAL with the keypad flag).
  void KeypadDecimal(TForm* form);
  // Each character as typed on a US keyboard (down, character, up).
  void Type(TForm* form, const String& text);
  // The character typed by key down/up pairs (for characters without a key of their own).
  void Character(TForm* form, Char ch);

  // Mouse at client coordinates of the control.
  void MouseDown(TControl* c, int x, int y, TMouseButton b = mbLeft, TShiftState shift = {});
  void MouseUp(TControl* c, int x, int y, TMouseButton b = mbLeft, TShiftState shift = {});
  void MouseMove(TControl* c, int x, int y, TShiftState shift = {});
  void Click(TControl* c, int x = -1, int y = -1);  // -1: the middle of the control
  void DblClick(TControl* c, int x = -1, int y = -1);
  void MouseEnter(TControl* c);
  void MouseLeave(TControl* c);
  // Wheel notches (delta, 120 each) with the mouse at client (x, y) of the control.
  void Wheel(TControl* c, int delta, int x = -1, int y = -1, TShiftState shift = {});

  // The close box of the form's window.
  void CloseBox(TForm* form);

  // Moves the virtual clock on, firing each timer when its time comes.
  void AdvanceTime(uint32_t ms);
  // Delivers the posted messages; returns how many.
  int DrainPosted();

 private:
  std::unique_ptr<VirtualClock> clock_;
  bool previousVirtual_ = false;
};
