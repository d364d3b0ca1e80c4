// The application-wide Qt event filter: keyboard and mouse input becomes the platform's
// messages before any widget sees it; window events (enter, leave, close box, resize, theme)
// reach the controls as their messages.
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>

#include "platform/Forms.h"
#include "platform/qt/ControlBackend.h"

namespace {

Word VkFromQtKey(int key, Qt::KeyboardModifiers mods, uint32_t& keyData) {
  keyData = 1;
  bool keypad = mods & Qt::KeypadModifier;
  if (keypad) keyData |= KF_KEYPAD;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<Word>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    return keypad ? static_cast<Word>(VK_NUMPAD0 + (key - Qt::Key_0)) : static_cast<Word>('0' + (key - Qt::Key_0));
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return static_cast<Word>(VK_F1 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return: return VK_RETURN;
    case Qt::Key_Enter: keyData |= KF_EXTENDED; return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_AltGr: return VK_RMENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: keyData |= keypad ? 0u : static_cast<uint32_t>(KF_EXTENDED); return VK_PRIOR;
    case Qt::Key_PageDown: keyData |= keypad ? 0u : static_cast<uint32_t>(KF_EXTENDED); return VK_NEXT;
    case Qt::Key_End: keyData |= keypad ? 0u : static_cast<uint32_t>(KF_EXTENDED); return VK_END;
    case Qt::Key_Home: keyData |= keypad ? 0u : static_cast<uint32_t>(KF_EXTENDED); return VK_HOME;
    case Qt::Key_Left: keyData |= keypad ? 0u : static_cast<uint32_t>(KF_EXTENDED); return VK_LEFT;
    case Qt::Key_Up: keyData |= keypad ? 0u : static_cast<uint32_t>(KF_EXTENDED); return VK_UP;
    case Qt::Key_Right: keyData |= keypad ? 0u : static_cast<uint32_t>(KF_EXTENDED); return VK_RIGHT;
    case Qt::Key_Down: keyData |= keypad ? 0u : static_cast<uint32_t>(KF_EXTENDED); return VK_DOWN;
    case Qt::Key_Insert: keyData |= keypad ? 0u : static_cast<uint32_t>(KF_EXTENDED); return VK_INSERT;
    case Qt::Key_Delete: keyData |= keypad ? 0u : static_cast<uint32_t>(KF_EXTENDED); return VK_DELETE;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Period:
    case Qt::Key_Comma:
      if (!keypad) return key == Qt::Key_Period ? VK_OEM_PERIOD : VK_OEM_COMMA;
      keyData |= KF_SCANBIT22;
      return VK_DECIMAL;
    case Qt::Key_Asterisk: return keypad ? VK_MULTIPLY : 0;
    case Qt::Key_Plus: return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Minus: return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Slash: return keypad ? VK_DIVIDE : VK_OEM_2;
    case Qt::Key_Semicolon: return VK_OEM_1;
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_BracketLeft: return VK_OEM_4;
    case Qt::Key_Backslash: return VK_OEM_5;
    case Qt::Key_BracketRight: return VK_OEM_6;
    case Qt::Key_Apostrophe: return VK_OEM_7;
    case Qt::Key_QuoteLeft: return VK_OEM_3;
    default: return 0;
  }
}

TShiftState ShiftFromQt(Qt::KeyboardModifiers m, Qt::MouseButtons b = Qt::NoButton) {
  TShiftState s;
  if (m & Qt::ShiftModifier) s.Include(ssShift);
  // AltGr arrives as Ctrl+Alt on some systems and as Key_AltGr/GroupSwitch on others; only the
  // plain Alt key is the Alt shift state.
  bool altGr = (m & Qt::GroupSwitchModifier) != 0;
  if ((m & Qt::ControlModifier) && !altGr) s.Include(ssCtrl);
  if ((m & Qt::AltModifier) && !altGr) s.Include(ssAlt);
  if (b & Qt::LeftButton) s.Include(ssLeft);
  if (b & Qt::RightButton) s.Include(ssRight);
  if (b & Qt::MiddleButton) s.Include(ssMiddle);
  return s;
}

TForm* FormOfWidget(QObject* o) {
  TControl* c = confqt::ControlOf(o);
  return c ? GetParentForm(c) : nullptr;
}

// Turns Qt input into the platform's messages before any widget sees it.
class InputFilter : public QObject {
 public:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    switch (ev->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease: return Key(obj, static_cast<QKeyEvent*>(ev));
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove: return Mouse(obj, static_cast<QMouseEvent*>(ev));
      case QEvent::Wheel: return WheelEv(obj, static_cast<QWheelEvent*>(ev));
      case QEvent::ApplicationPaletteChange:
        if (obj == qApp && Application) Application->NotifySystemColorsChanged();
        return false;
      case QEvent::ApplicationFontChange:
        if (obj == qApp && Application) Application->NotifySystemFontChanged();
        return false;
      case QEvent::ThemeChange: {
        auto* f = dynamic_cast<TForm*>(confqt::ControlOf(obj));
        if (f && f->ExistingWidget() == obj) {
          confqt::Dispatch(f, [&] { f->Perform(WM_THEMECHANGED, 0, 0); });
        }
        return false;
      }
      case QEvent::Enter: {
        TControl* c = confqt::ControlOf(obj);
        if (c && c->ExistingWidget() == obj) {
          confqt::Dispatch(c, [&] { c->Perform(CM_MOUSEENTER, 0, 0); });
        }
        return false;
      }
      case QEvent::Leave: {
        TControl* c = confqt::ControlOf(obj);
        if (c && c->ExistingWidget() == obj) {
          confqt::Dispatch(c, [&] { c->Perform(CM_MOUSELEAVE, 0, 0); });
        }
        return false;
      }
      case QEvent::Close: {
        auto* f = dynamic_cast<TForm*>(confqt::ControlOf(obj));
        if (!f || f->ExistingWidget() != obj) return false;
        // The close box: the form decides (modal result mrCancel, OnCloseQuery, OnClose).
        ev->ignore();
        confqt::Dispatch(f, [&] { f->Perform(WM_CLOSE, 0, 0); });
        return true;
      }
      case QEvent::Resize: {
        auto* f = dynamic_cast<TForm*>(confqt::ControlOf(obj));
        if (!f || f->ExistingWidget() != obj || f->Backend()->syncingGeometry) return false;
        QSize sz = static_cast<QResizeEvent*>(ev)->size();
        if (sz.width() == f->ClientWidth() && sz.height() == f->ClientHeight()) return false;
        TRect fr = f->FrameExtents();
        confqt::Dispatch(f, [&] {
          f->SetBounds(f->Left(), f->Top(), sz.width() + fr.Left + fr.Right, sz.height() + fr.Top + fr.Bottom);
        });
        return false;
      }
      default: return false;
    }
  }

 private:
  bool Key(QObject* obj, QKeyEvent* e) {
    TForm* form = FormOfWidget(obj);
    if (!form) return false;
    uint32_t keyData = 0;
    Word vk = VkFromQtKey(e->key(), e->modifiers(), keyData);
    bool altGr = (e->modifiers() & Qt::GroupSwitchModifier) || e->key() == Qt::Key_AltGr;
    TShiftState shift = ShiftFromQt(e->modifiers());
    // Ctrl+Alt with a printable character is AltGr typing (as on Windows), not two shift keys.
    QString typed = e->text();
    if (shift.Contains(ssCtrl) && shift.Contains(ssAlt) && !typed.isEmpty() && typed.at(0).unicode() >= 0x20 &&
        typed.at(0).unicode() != 0x7F) {
      altGr = true;
      shift.Exclude(ssCtrl);
      shift.Exclude(ssAlt);
    }
    if (e->key() == Qt::Key_Backtab) shift.Include(ssShift);
    confinput::SetModifiers(shift, altGr);
    if (vk == 0 && e->text().isEmpty()) return true;
    if (e->isAutoRepeat()) keyData |= KF_REPEAT;
    if (shift.Contains(ssAlt)) keyData |= KF_ALTDOWN;
    if (e->type() == QEvent::KeyPress) {
      Char ch = 0;
      QString t = e->text();
      if (!t.isEmpty() && !shift.Contains(ssCtrl) && t.at(0).unicode() >= 0x20 && t.at(0).unicode() != 0x7F) {
        ch = t.at(0).unicode();
      }
      confinput::KeyDown(form, vk, shift, keyData, ch);
      for (qsizetype i = 1; i < t.size() && ch; ++i) confinput::Character(form, t.at(i).unicode());
    } else {
      confinput::KeyUp(form, vk, shift, keyData | KF_UP);
    }
    return true;
  }

  bool Mouse(QObject* obj, QMouseEvent* e) {
    TControl* c = confqt::ControlOf(obj);
    if (!c) return false;
    QWidget* w = c->ExistingWidget();
    if (!w) return false;
    QPoint gp = e->globalPosition().toPoint();
    QPoint lp = w->mapFromGlobal(gp) - QPoint(c->ClientInset(), c->ClientInset());
    confinput::SetCursorPos(TPoint{gp.x(), gp.y()});
    TShiftState shift = ShiftFromQt(e->modifiers(), e->buttons());
    TMouseButton b = e->button() == Qt::RightButton ? mbRight : e->button() == Qt::MiddleButton ? mbMiddle : mbLeft;
    bool native = c->Backend() && c->Backend()->nativeInput;
    switch (e->type()) {
      case QEvent::MouseButtonPress: {
        // Qt delivers the second press of a double click before the double-click event itself.
        int interval = QApplication::doubleClickInterval();
        bool second = lastPressTarget_ == c && lastButton_ == e->button() &&
                      e->timestamp() - lastPressTime_ <= static_cast<ulong>(interval) &&
                      (gp - lastPressPos_).manhattanLength() <= 4;
        lastPressTarget_ = c;
        lastButton_ = e->button();
        lastPressTime_ = e->timestamp();
        lastPressPos_ = gp;
        if (second) return !native;
        confinput::MouseDown(c, b, shift, lp.x(), lp.y(), false);
        return !native;
      }
      case QEvent::MouseButtonDblClick:
        lastPressTarget_ = nullptr;
        confinput::MouseDown(c, b, shift, lp.x(), lp.y(), true);
        return !native;
      case QEvent::MouseButtonRelease:
        confinput::MouseUp(c, b, shift, lp.x(), lp.y());
        return !native;
      default:
        confinput::MouseMove(c, shift, lp.x(), lp.y());
        return !native;
    }
  }

  bool WheelEv(QObject* obj, QWheelEvent* e) {
    TControl* c = confqt::ControlOf(obj);
    if (!c || !c->Backend()) return false;
    int& rest = c->Backend()->wheelRemainder;
    int d = e->angleDelta().y();
    // A turn the other way starts a new notch instead of paying off the old remainder.
    if ((rest < 0 && d > 0) || (rest > 0 && d < 0)) rest = 0;
    rest += d;
    int notches = rest / WHEEL_DELTA;
    if (notches == 0) return true;
    rest -= notches * WHEEL_DELTA;
    QPoint gp = e->globalPosition().toPoint();
    confinput::Wheel(c, notches * WHEEL_DELTA, ShiftFromQt(e->modifiers(), e->buttons()), TPoint{gp.x(), gp.y()});
    return true;
  }

  TControl* lastPressTarget_ = nullptr;
  Qt::MouseButton lastButton_ = Qt::NoButton;
  ulong lastPressTime_ = 0;
  QPoint lastPressPos_;
};

QObject* g_filter = nullptr;

}  // namespace

namespace confqt {

void InstallInputFilter() {
  if (g_filter || !qApp) return;
  g_filter = new InputFilter();
  qApp->installEventFilter(g_filter);
}

}  // namespace confqt
