#include "platform/testing/InputDriver.h"

#include "platform/qt/ControlBackend.h"
#include "platform/qt/Timers.h"

namespace {
// The key and character a character is typed with on a US keyboard.
Word KeyOfChar(Char ch, bool& shift) {
  shift = false;
  if (ch >= u'a' && ch <= u'z') return static_cast<Word>(ch - u'a' + 'A');
  if (ch >= u'A' && ch <= u'Z') {
    shift = true;
    return static_cast<Word>(ch);
  }
  if (ch >= u'0' && ch <= u'9') return static_cast<Word>(ch);
  switch (ch) {
    case u' ': return VK_SPACE;
    case u'.': return VK_OEM_PERIOD;
    case u',': return VK_OEM_COMMA;
    case u'-': return VK_OEM_MINUS;
    case u'\r': return VK_RETURN;
    case u'\t': return VK_TAB;
    case u'\b': return VK_BACK;
    default: return 0;
  }
}

Char CharOfKey(Word vk, TShiftState shift) {
  if (shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return 0;
  bool up = shift.Contains(ssShift);
  if (vk >= 'A' && vk <= 'Z') return up ? static_cast<Char>(vk) : static_cast<Char>(vk - 'A' + u'a');
  if (vk >= '0' && vk <= '9' && !up) return static_cast<Char>(vk);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<Char>(u'0' + (vk - VK_NUMPAD0));
  switch (vk) {
    case VK_SPACE: return u' ';
    case VK_OEM_PERIOD: return up ? u'>' : u'.';
    case VK_DECIMAL: return u'.';
    case VK_OEM_COMMA: return up ? u'<' : u',';
    case VK_OEM_MINUS: return up ? u'_' : u'-';
    default: return 0;
  }
}

TPoint Middle(TControl* c, int x, int y) {
  return Point(x < 0 ? c->Width() / 2 : x, y < 0 ? c->Height() / 2 : y);
}
}  // namespace

InputDriver::InputDriver() : clock_(std::make_unique<VirtualClock>()) {
  confqt::EnsureApp();
  clock_->Install();
  previousVirtual_ = conftimers::Virtual();
  conftimers::SetVirtual(true);
}

InputDriver::~InputDriver() {
  conftimers::SetVirtual(previousVirtual_);
  confinput::SetModifiers({}, false);
}

void InputDriver::KeyDown(TForm* form, Word vk, TShiftState shift, Char ch) {
  confinput::SetModifiers(shift, false);
  uint32_t keyData = 1;
  if (vk == VK_DECIMAL || (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)) keyData |= KF_KEYPAD;
  if (vk == VK_DECIMAL) keyData |= KF_SCANBIT22;
  if (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN || vk == VK_HOME || vk == VK_END ||
      vk == VK_PRIOR || vk == VK_NEXT || vk == VK_INSERT || vk == VK_DELETE) {
    keyData |= KF_EXTENDED;
  }
  if (!ch) ch = CharOfKey(vk, shift);
  confinput::KeyDown(form, vk, shift, keyData, ch);
}

void InputDriver::KeyUp(TForm* form, Word vk, TShiftState shift) {
  confinput::SetModifiers(shift, false);
  confinput::KeyUp(form, vk, shift, 1u | KF_UP);
  confinput::SetModifiers({}, false);
}

void InputDriver::Key(TForm* form, Word vk, TShiftState shift, Char ch) {
  KeyDown(form, vk, shift, ch);
  KeyUp(form, vk, shift);
}

void InputDriver::KeypadDecimal(TForm* form) { Key(form, VK_DECIMAL); }

void InputDriver::Type(TForm* form, const String& text) {
  for (Char ch : text) {
    bool shift = false;
    Word vk = KeyOfChar(ch, shift);
    TShiftState s = shift ? TShiftState{ssShift} : TShiftState{};
    if (vk) {
      Key(form, vk, s, ch == u'\r' || ch == u'\t' || ch == u'\b' ? 0 : ch);
    } else {
      Character(form, ch);
    }
  }
}

void InputDriver::Character(TForm* form, Char ch) { confinput::Character(form, ch); }

void InputDriver::MouseDown(TControl* c, int x, int y, TMouseButton b, TShiftState shift) {
  confinput::SetModifiers(shift, false);
  confinput::MouseDown(c, b, shift, x, y, false);
}

void InputDriver::MouseUp(TControl* c, int x, int y, TMouseButton b, TShiftState shift) {
  confinput::SetModifiers(shift, false);
  confinput::MouseUp(c, b, shift, x, y);
}

void InputDriver::MouseMove(TControl* c, int x, int y, TShiftState shift) {
  confinput::MouseMove(c, shift, x, y);
}

void InputDriver::Click(TControl* c, int x, int y) {
  TPoint p = Middle(c, x, y);
  MouseDown(c, p.X, p.Y);
  if (confqt::IsAlive(c)) MouseUp(c, p.X, p.Y);
}

void InputDriver::DblClick(TControl* c, int x, int y) {
  TPoint p = Middle(c, x, y);
  MouseDown(c, p.X, p.Y);
  if (confqt::IsAlive(c)) MouseUp(c, p.X, p.Y);
  if (confqt::IsAlive(c)) confinput::MouseDown(c, mbLeft, {}, p.X, p.Y, true);
  if (confqt::IsAlive(c)) MouseUp(c, p.X, p.Y);
}

void InputDriver::MouseEnter(TControl* c) {
  confqt::Dispatch(c, [&] { c->Perform(CM_MOUSEENTER, 0, 0); });
}

void InputDriver::MouseLeave(TControl* c) {
  confqt::Dispatch(c, [&] { c->Perform(CM_MOUSELEAVE, 0, 0); });
}

void InputDriver::Wheel(TControl* c, int delta, int x, int y, TShiftState shift) {
  TPoint p = Middle(c, x, y);
  confinput::Wheel(c, delta, shift, c->ClientToScreen(p));
}

void InputDriver::CloseBox(TForm* form) {
  confqt::Dispatch(form, [&] { form->Perform(WM_CLOSE, 0, 0); });
}

void InputDriver::AdvanceTime(uint32_t ms) {
  uint32_t end = clock_->Ticks() + ms;
  uint32_t due = 0;
  while (conftimers::PeekNext(due) && static_cast<int32_t>(due - end) <= 0) {
    if (static_cast<int32_t>(due - clock_->Ticks()) > 0) clock_->Advance(due - clock_->Ticks());
    conftimers::FireNext();
  }
  if (static_cast<int32_t>(end - clock_->Ticks()) > 0) clock_->Advance(end - clock_->Ticks());
}

int InputDriver::DrainPosted() {
  confqt::DispatchScope scope;
  return DeliverPostedMessages();
}
