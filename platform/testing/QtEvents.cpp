#include "platform/testing/QtEvents.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include "platform/qt/ControlBackend.h"

namespace qtevents {
namespace {
Qt::KeyboardModifiers Mods(unsigned m) {
  Qt::KeyboardModifiers r;
  if (m & Shift) r |= Qt::ShiftModifier;
  if (m & Ctrl) r |= Qt::ControlModifier;
  if (m & Alt) r |= Qt::AltModifier;
  if (m & GroupSwitch) r |= Qt::GroupSwitchModifier;
  if (m & Keypad) r |= Qt::KeypadModifier;
  return r;
}

int QtKeyOf(Word vk) {
  if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
  if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
  if (vk >= VK_F1 && vk <= VK_F12) return Qt::Key_F1 + (vk - VK_F1);
  switch (vk) {
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_BACK: return Qt::Key_Backspace;
    case VK_SPACE: return Qt::Key_Space;
    case VK_LEFT: return Qt::Key_Left;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_UP: return Qt::Key_Up;
    case VK_DOWN: return Qt::Key_Down;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_OEM_PERIOD: case VK_DECIMAL: return Qt::Key_Period;
    case VK_RMENU: return Qt::Key_AltGr;
    default: return Qt::Key_unknown;
  }
}

QWidget* W(TControl* c) { return c->Widget(); }

void SendMouse(TControl* c, QEvent::Type type, int x, int y, unsigned long ts, Qt::MouseButtons held) {
  QWidget* w = W(c);
  QPointF p(x + c->ClientInset(), y + c->ClientInset());  // the widget covers the frame too
  QMouseEvent e(type, p, w->mapToGlobal(p), Qt::LeftButton, held, Qt::NoModifier);
  e.setTimestamp(ts);
  QCoreApplication::sendEvent(w, &e);
}
}  // namespace

void KeyPress(TControl* target, Word vk, unsigned modifiers, const String& text) {
  QKeyEvent e(QEvent::KeyPress, QtKeyOf(vk), Mods(modifiers), QString::fromStdU16String(text));
  QCoreApplication::sendEvent(W(target), &e);
}

void KeyRelease(TControl* target, Word vk, unsigned modifiers) {
  QKeyEvent e(QEvent::KeyRelease, QtKeyOf(vk), Mods(modifiers));
  QCoreApplication::sendEvent(W(target), &e);
}

void MousePress(TControl* target, int x, int y, unsigned long timestamp) {
  SendMouse(target, QEvent::MouseButtonPress, x, y, timestamp, Qt::LeftButton);
}
void MouseRelease(TControl* target, int x, int y, unsigned long timestamp) {
  SendMouse(target, QEvent::MouseButtonRelease, x, y, timestamp, Qt::NoButton);
}
void MouseDoubleClick(TControl* target, int x, int y, unsigned long timestamp) {
  SendMouse(target, QEvent::MouseButtonDblClick, x, y, timestamp, Qt::LeftButton);
}

void Wheel(TControl* target, int angleDelta, int x, int y) {
  QWidget* w = W(target);
  QPointF p(x + target->ClientInset(), y + target->ClientInset());
  QWheelEvent e(p, w->mapToGlobal(p), QPoint(), QPoint(0, angleDelta), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(w, &e);
}

void CloseWindow(TForm* form) {
  QCloseEvent e;
  QCoreApplication::sendEvent(W(form), &e);
}
ShownFileDialog ExecuteFileDialogAndCancel(TOpenDialog& dialog) {
  ShownFileDialog shown;
  confqt::EnsureApp();  // the poll needs the application before the dialog makes it
  TModalSeam* seam = Application->ModalSeam();
  Application->SetModalSeam(nullptr);
  QTimer poll;
  poll.setInterval(10);
  int polls = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    // A dialog that never shows as a file dialog must not hang the test.
    if (++polls > 1000) {
      if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) modal->reject();
      return;
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* fd = qobject_cast<QFileDialog*>(w);
      if (!fd || !fd->isVisible()) continue;
      shown.Shown = true;
      shown.Folder = fd->directory().absolutePath().toStdU16String();
      if (auto* edit = fd->findChild<QLineEdit*>("fileNameEdit")) shown.Name = edit->text().toStdU16String();
      poll.stop();
      fd->reject();
      return;
    }
  });
  poll.start();
  dialog.Execute();
  Application->SetModalSeam(seam);
  return shown;
}

}  // namespace qtevents
