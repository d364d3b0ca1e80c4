#pragma once
// Window messages, virtual key codes and input states of the visual platform. The numbers are
// this platform's own; code compares them only by name.
#include <cstdint>
#include <initializer_list>

#include "platform/UString.h"

using Word = uint16_t;

struct TMessage {
  unsigned Msg = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

// Small bit set over an enumeration with values below 32.
template <class E>
class TSmallSet {
 public:
  constexpr TSmallSet() = default;
  constexpr TSmallSet(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSmallSet& Include(E e) { bits_ |= Bit(e); return *this; }
  constexpr TSmallSet& Exclude(E e) { bits_ &= ~Bit(e); return *this; }
  constexpr TSmallSet operator|(TSmallSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSmallSet operator&(TSmallSet o) const { return FromBits(bits_ & o.bits_); }
  constexpr TSmallSet operator-(TSmallSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSmallSet operator|(E e) const { return FromBits(bits_ | Bit(e)); }
  constexpr TSmallSet& operator|=(TSmallSet o) { bits_ |= o.bits_; return *this; }
  constexpr bool operator==(const TSmallSet&) const = default;
  constexpr uint32_t Bits() const { return bits_; }
  static constexpr TSmallSet FromBits(uint32_t b) { TSmallSet s; s.bits_ = b; return s; }

 private:
  static constexpr uint32_t Bit(E e) { return uint32_t{1} << static_cast<unsigned>(e); }
  uint32_t bits_ = 0;
};

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSmallSet<TShiftStateFlag>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// ---- message numbers -------------------------------------------------------------------------
enum : unsigned {
  WM_NULL = 0x0000,
  WM_CREATE = 0x0001,
  WM_DESTROY = 0x0002,
  WM_MOVE = 0x0003,
  WM_SIZE = 0x0005,
  WM_ACTIVATE = 0x0006,
  WM_SETFOCUS = 0x0007,
  WM_KILLFOCUS = 0x0008,
  WM_ENABLE = 0x000A,
  WM_SETREDRAW = 0x000B,
  WM_SETTEXT = 0x000C,
  WM_GETTEXT = 0x000D,
  WM_PAINT = 0x000F,
  WM_CLOSE = 0x0010,
  WM_ERASEBKGND = 0x0014,
  WM_SYSCOLORCHANGE = 0x0015,
  WM_SHOWWINDOW = 0x0018,
  WM_SETCURSOR = 0x0020,
  WM_NOTIFY = 0x004E,
  WM_WINDOWPOSCHANGING = 0x0046,
  WM_WINDOWPOSCHANGED = 0x0047,
  WM_CONTEXTMENU = 0x007B,
  WM_NCHITTEST = 0x0084,
  WM_NCPAINT = 0x0085,
  WM_NCACTIVATE = 0x0086,
  WM_GETDLGCODE = 0x0087,
  WM_NCLBUTTONDOWN = 0x00A1,
  WM_KEYDOWN = 0x0100,
  WM_KEYUP = 0x0101,
  WM_CHAR = 0x0102,
  WM_SYSKEYDOWN = 0x0104,
  WM_SYSKEYUP = 0x0105,
  WM_SYSCHAR = 0x0106,
  WM_COMMAND = 0x0111,
  WM_TIMER = 0x0113,
  WM_HSCROLL = 0x0114,
  WM_VSCROLL = 0x0115,
  WM_MOUSEMOVE = 0x0200,
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203,
  WM_RBUTTONDOWN = 0x0204,
  WM_RBUTTONUP = 0x0205,
  WM_RBUTTONDBLCLK = 0x0206,
  WM_MBUTTONDOWN = 0x0207,
  WM_MBUTTONUP = 0x0208,
  WM_MBUTTONDBLCLK = 0x0209,
  WM_MOUSEWHEEL = 0x020A,
  WM_SIZING = 0x0214,
  WM_CAPTURECHANGED = 0x0215,
  WM_MOUSELEAVE = 0x02A3,
  WM_CUT = 0x0300,
  WM_COPY = 0x0301,
  WM_PASTE = 0x0302,
  WM_CLEAR = 0x0303,
  WM_UNDO = 0x0304,
  WM_THEMECHANGED = 0x031A,
  WM_USER = 0x0400,
  WM_APP = 0x8000,

  // Control messages of the class library.
  CM_BASE = 0xB000,
  CM_ACTIVATE = CM_BASE + 0,
  CM_DEACTIVATE = CM_BASE + 1,
  CM_CANCELMODE = CM_BASE + 4,
  CM_FOCUSCHANGED = CM_BASE + 7,
  CM_PARENTFONTCHANGED = CM_BASE + 8,
  CM_PARENTCOLORCHANGED = CM_BASE + 9,
  CM_HITTEST = CM_BASE + 10,
  CM_VISIBLECHANGED = CM_BASE + 11,
  CM_ENABLEDCHANGED = CM_BASE + 12,
  CM_COLORCHANGED = CM_BASE + 13,
  CM_FONTCHANGED = CM_BASE + 14,
  CM_CURSORCHANGED = CM_BASE + 15,
  CM_SYSCOLORCHANGE = CM_BASE + 16,
  CM_TEXTCHANGED = CM_BASE + 18,
  CM_MOUSEENTER = CM_BASE + 19,
  CM_MOUSELEAVE = CM_BASE + 20,
  CM_BUTTONPRESSED = CM_BASE + 24,
  CM_SHOWINGCHANGED = CM_BASE + 25,
  CM_ENTER = CM_BASE + 26,
  CM_EXIT = CM_BASE + 27,
  CM_DIALOGKEY = CM_BASE + 36,
  CM_DIALOGCHAR = CM_BASE + 37,
  CM_WANTSPECIALKEY = CM_BASE + 46,
  CM_CHILDKEY = CM_BASE + 47,
  CM_HINTSHOW = CM_BASE + 48,
  CM_SHOWHINTCHANGED = CM_BASE + 55,
  CM_SYSFONTCHANGED = CM_BASE + 53,
  CM_BIDIMODECHANGED = CM_BASE + 60,
  CM_PARENTBIDIMODECHANGED = CM_BASE + 61,
  CM_MOUSEWHEEL = CM_BASE + 67,

  // Notifications reflected back to the control that caused them.
  CN_BASE = 0xBC00,
  CN_COMMAND = CN_BASE + WM_COMMAND,
  CN_NOTIFY = CN_BASE + WM_NOTIFY,
  CN_HSCROLL = CN_BASE + WM_HSCROLL,
  CN_VSCROLL = CN_BASE + WM_VSCROLL,
  CN_KEYDOWN = CN_BASE + WM_KEYDOWN,
  CN_KEYUP = CN_BASE + WM_KEYUP,
  CN_CHAR = CN_BASE + WM_CHAR,
  CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN,
  CN_SYSCHAR = CN_BASE + WM_SYSCHAR,

  // RegisterWindowMessage hands out numbers from here on.
  WM_REGISTERED_FIRST = 0xC000,
};

// WM_HSCROLL / WM_VSCROLL request codes (low word of WParam; the high word carries the position
// for SB_THUMBPOSITION and SB_THUMBTRACK).
enum : unsigned {
  SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2, SB_PAGELEFT = 2,
  SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6,
  SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8,
};

// Hit-test codes (WM_SETCURSOR's low word of LParam, WM_NCHITTEST's answer, WM_NCLBUTTONDOWN's
// WParam).
enum : int { HTNOWHERE = 0, HTCLIENT = 1, HTBOTTOMRIGHT = 17 };
// WM_ACTIVATE: WParam WA_INACTIVE when the form loses activation, else WA_ACTIVE; LParam the
// form on the other side of the change (the one being activated, or the one losing activation),
// 0 when none.
enum : unsigned { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };

// Edit-control messages. EM_GETSEL: start and end of the selection in the low and high word of the
// result; EM_SETSEL: WParam start, LParam end. EM_GETRECT: LParam a TRect* that receives the text
// rectangle; EM_SETRECT and EM_SETRECTNP: LParam a TRect* (nullptr: the client area).
// EM_CHARFROMPOS: LParam the client point (x low, y high); the result's low word is the character
// index nearest to it. EM_SETREADONLY: WParam the flag.
enum : unsigned {
  EM_GETSEL = 0x00B0,
  EM_SETSEL = 0x00B1,
  EM_GETRECT = 0x00B2,
  EM_SETRECT = 0x00B3,
  EM_SETRECTNP = 0x00B4,
  EM_SCROLLCARET = 0x00B7,
  EM_SETREADONLY = 0x00CF,
  EM_CHARFROMPOS = 0x00D7,
};
// Edit notification (high word of WM_COMMAND's WParam, reflected back as CN_COMMAND): the text
// changed.
enum : unsigned { EN_CHANGE = 0x0300 };
// Combo box notifications (high word of a WM_COMMAND's WParam; LParam the combo). A combo sends
// them for what the user does and for its list opening and closing, never when code fills it or
// sets its selection or text.
enum : unsigned {
  CBN_SELCHANGE = 1,
  CBN_EDITCHANGE = 5,
  CBN_DROPDOWN = 7,
  CBN_CLOSEUP = 8,
};
inline uintptr_t MakeWParam(unsigned lo, unsigned hi) {
  return static_cast<uintptr_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16));
}
inline unsigned WParamHi(uintptr_t w) { return static_cast<unsigned>((w >> 16) & 0xFFFF); }

// WM_GETDLGCODE answers.
enum : unsigned {
  DLGC_WANTARROWS = 0x0001,
  DLGC_WANTTAB = 0x0002,
  DLGC_WANTALLKEYS = 0x0004,
  DLGC_WANTMESSAGE = 0x0004,
  DLGC_HASSETSEL = 0x0008,
  DLGC_DEFPUSHBUTTON = 0x0010,
  DLGC_UNDEFPUSHBUTTON = 0x0020,
  DLGC_RADIOBUTTON = 0x0040,
  DLGC_WANTCHARS = 0x0080,
  DLGC_STATIC = 0x0100,
  DLGC_BUTTON = 0x2000,
};

// Key data (LParam of key messages): bits 0-15 repeat count, bits 16-23 the scan code, these flags
// above. Of the scan code only what code tests is given: bit 22 is set by the numeric keypad's
// decimal key (its scan code $53), never by the main keyboard's "." and "," keys.
enum : uint32_t {
  KF_SCANBIT22 = 1u << 22,
  KF_EXTENDED = 1u << 24,  // cursor block, not the keypad
  KF_KEYPAD = 1u << 25,    // typed on the numeric keypad (the keypad "." in particular)
  KF_ALTDOWN = 1u << 29,
  KF_REPEAT = 1u << 30,
  KF_UP = 1u << 31,
};

// WM_TIMER: WParam is the timer id. WM_MOUSEWHEEL: WParam low word the key state (MK_*), high word
// the signed delta (120 per notch); LParam the screen position (x low, y high, both signed 16 bit).
// Mouse button messages: WParam MK_* key state, LParam the client position (x low, y high).
enum : unsigned {
  MK_LBUTTON = 0x0001,
  MK_RBUTTON = 0x0002,
  MK_SHIFT = 0x0004,
  MK_CONTROL = 0x0008,
  MK_MBUTTON = 0x0010,
};
constexpr int WHEEL_DELTA = 120;

inline intptr_t MakeLParam(int lo, int hi) {
  return static_cast<intptr_t>(static_cast<uint32_t>(static_cast<uint16_t>(lo)) |
                               (static_cast<uint32_t>(static_cast<uint16_t>(hi)) << 16));
}
inline int LParamX(intptr_t l) { return static_cast<int16_t>(static_cast<uint32_t>(l) & 0xFFFF); }
inline int LParamY(intptr_t l) { return static_cast<int16_t>((static_cast<uint32_t>(l) >> 16) & 0xFFFF); }

// ---- virtual keys ----------------------------------------------------------------------------
enum : Word {
  VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04,
  VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D,
  VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14,
  VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24,
  VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_SELECT = 0x29, VK_PRINT = 0x2A,
  VK_EXECUTE = 0x2B, VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_HELP = 0x2F,
  // '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A.
  VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D,
  VK_NUMPAD0 = 0x60, VK_NUMPAD1, VK_NUMPAD2, VK_NUMPAD3, VK_NUMPAD4, VK_NUMPAD5, VK_NUMPAD6,
  VK_NUMPAD7, VK_NUMPAD8, VK_NUMPAD9,
  VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SEPARATOR = 0x6C, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E,
  VK_DIVIDE = 0x6F,
  VK_F1 = 0x70, VK_F2, VK_F3, VK_F4, VK_F5, VK_F6, VK_F7, VK_F8, VK_F9, VK_F10, VK_F11, VK_F12,
  VK_NUMLOCK = 0x90, VK_SCROLL = 0x91,
  VK_LSHIFT = 0xA0, VK_RSHIFT = 0xA1, VK_LCONTROL = 0xA2, VK_RCONTROL = 0xA3, VK_LMENU = 0xA4,
  VK_RMENU = 0xA5,
  VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD,
  VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC,
  VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE,
};

// Key state as the input pipeline last saw it: negative while the key is down (VK_SHIFT,
// VK_CONTROL, VK_MENU = left Alt only, VK_RMENU = AltGr, mouse buttons).
short GetKeyState(int vk);
// Shift state of the keyboard and mouse now (ssAlt only for the left Alt key).
TShiftState CurrentShiftState();
// Shift state from the key data of a key message plus the current Shift/Ctrl state.
TShiftState KeyDataToShiftState(intptr_t keyData);
// Shift state from the MK_* key state of a mouse message.
TShiftState KeysToShiftState(unsigned keys);
