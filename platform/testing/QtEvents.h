#pragma once
// Sends real Qt input events to a control's widget, so tests can check the translation from Qt
// into the platform's messages (double clicks, AltGr, keypad, wheel notches, close box) without
// including Qt headers themselves.
#include <cstdint>

#include "platform/Dialogs.h"
#include "platform/Forms.h"

namespace qtevents {
enum Modifier : unsigned { Shift = 1, Ctrl = 2, Alt = 4, GroupSwitch = 8, Keypad = 16 };
// A key press (and release) as Qt reports it: vk picks the Qt key (letters, digits, Tab, Return,
// Escape, Back, arrows, Delete, ".", F1-F12), text is what the layout types ("" for none).
void KeyPress(TControl* target, Word vk, unsigned modifiers, const String& text);
void KeyRelease(TControl* target, Word vk, unsigned modifiers);
// Mouse events at client (x, y) of the control, with Qt's timestamps in milliseconds.
void MousePress(TControl* target, int x, int y, unsigned long timestamp);
void MouseRelease(TControl* target, int x, int y, unsigned long timestamp);
void MouseDoubleClick(TControl* target, int x, int y, unsigned long timestamp);
// A wheel event with an angle delta in eighths of a degree (120 per notch; high-resolution wheels
// send less).
void Wheel(TControl* target, int angleDelta, int x, int y);
// The window manager's close request for the form's window.
void CloseWindow(TForm* form);
// Runs the dialog's Execute with no modal seam, so the real file dialog comes up; reads the
// folder it shows and the name in its file name box, then cancels it.
struct ShownFileDialog {
  String Folder;
  String Name;
  bool Shown = false;
};
ShownFileDialog ExecuteFileDialogAndCancel(TOpenDialog& dialog);
}  // namespace qtevents
