#pragma once
// Platform-internal: the Qt side of the controls. Include only from platform .cpp files.
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

#include "platform/Controls.h"
#include "platform/qt/QtCanvas.h"

// What a control's widget was given of the look. A widget whose font (or colours) equal its
// parent's is given none: Qt hands the parent's down, which spares a font or palette change
// event on it and every widget below it.
struct TAppliedLook {
  bool ownFont = false;     // a font was set on the widget itself
  bool ownPalette = false;  // likewise its colours
  String fontName;
  int fontHeight = 0;
  TFontStyles fontStyle;
  TFontPitch fontPitch = fpDefault;
  TColor ground = clNone, ink = clNone;
};

struct TControlBackend {
  QPointer<QWidget> widget;
  TAppliedLook look;
  // The parent control is being destroyed and its widget, which holds this one, goes next.
  bool goesWithParentWidget = false;
  std::unique_ptr<TQtCanvas> canvas;
  bool creating = false;
  // Made while the control was hidden: its children get their widgets when it is first shown
  // (or one of them is asked for its own), as the class library makes handles on showing.
  bool childrenDeferred = false;
  // Makes the widgets of Control's children left unmade while it was hidden (Control's widget
  // exists), in their stacking order.
  static void CreateDeferredChildren(TControl* Control);
  int wheelRemainder = 0;
  bool nativeInput = false;
  uint32_t exStyle = 0;  // extended window styles (WS_EX_*)
  bool syncingGeometry = false;  // the platform itself moves or sizes the window  // Qt also handles the mouse (text selection, drop-down lists)
};

// The widget of every control that paints itself: paintEvent hands the painter to the control.
// Input never reaches these handlers: the application-wide filter turns it into messages.
class ConfWidget : public QWidget {
 public:
  ConfWidget(TControl* control, QWidget* parent);
  TControl* Control() const { return control_; }
  void Detach() { control_ = nullptr; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  TControl* control_;
};

namespace confqt {
// Gives the widget the cursor its control shows now (SetCursorNow's, else its Cursor).
void ApplyCursor(const TControl* c, QWidget* w);
// Makes sure the Qt application exists (no pixel-density scaling) and the input filter is in place.
void EnsureApp();
// Installs the application-wide filter that turns Qt input into messages (once).
void InstallInputFilter();
// Tags a widget (and later its native children) as belonging to the control.
void Register(QWidget* w, TControl* c);
// Forgets the tag of a widget whose control goes.
void Unregister(QWidget* w);
// The control a widget (or its nearest tagged ancestor) belongs to; nullptr when none.
TControl* ControlOf(QObject* w);
bool IsAlive(const TControl* c);
// Runs fn; an escaping exception goes to Application->HandleException.
void Guarded(TObject* sender, const std::function<void()>& fn);
// Depth of message handling from outside (Qt events, input driver); posted messages are
// delivered when the outermost level ends.
struct DispatchScope {
  DispatchScope();
  ~DispatchScope();
};
// One message from outside (a Qt event, a timer, the input driver): fn runs inside a
// DispatchScope and Guarded, so posted messages follow it and an escaping exception becomes the
// application's error box.
void Dispatch(TObject* sender, const std::function<void()>& fn);
// Whether a DispatchScope is open (a widget must then outlive the Qt event being handled).
bool InDispatch();
// Forgets the messages posted to a control that is being destroyed.
void DropPostedMessages(const TControl* Target);
// Lets other threads wake the UI thread's loop for the messages they post (the application
// exists from here on).
void SetMessageWaker();
// Whether QWidget windows should be shown on screen (false under a modal script).
bool Headless();
// The thread's call-window-procedure hooks (SetCallWndProcHook): whether any is set, and running
// them for a message sent to Target.
bool HasCallWndProcHooks();
void RunCallWndProcHooks(TControl* Target, const TMessage& Message);
}  // namespace confqt

// ---- in-process drag and drop, fed by the input pipeline ----
namespace confdrag {
bool Pending();
// A move (a left release) at a screen position: true when the drag took it, so the control
// under the mouse does not see it.
bool MouseMoved(TPoint ScreenPos);
bool MouseReleased(TPoint ScreenPos);
// A control being freed leaves the drag.
void ControlGone(TControl* Control);
}  // namespace confdrag

// ---- the input pipeline, shared by the Qt event filter and the test input driver ----
namespace confinput {
// Key pressed on the form's focused control (or the form when nothing has the focus).
// ch = the character the key types (0: none; control characters are computed here).
void KeyDown(TForm* form, Word vk, TShiftState shift, uint32_t keyData, Char ch);
void KeyUp(TForm* form, Word vk, TShiftState shift, uint32_t keyData);
// A character without its key (input methods).
void Character(TForm* form, Char ch);
// Mouse at client coordinates of the control under it.
void MouseDown(TControl* c, TMouseButton b, TShiftState shift, int x, int y, bool dbl);
void MouseUp(TControl* c, TMouseButton b, TShiftState shift, int x, int y);
void MouseMove(TControl* c, TShiftState shift, int x, int y);
void Wheel(TControl* c, int delta, TShiftState shift, TPoint screenPos);
// Sets the state GetKeyState reports.
void SetModifiers(TShiftState shift, bool altGr);
// Sets the position GetCursorPos reports (screen coordinates).
void SetCursorPos(TPoint p);
// The character a key types without text from the keyboard layout (Ctrl+letter, Enter, ...).
Char ControlChar(Word vk, TShiftState shift);
}  // namespace confinput
