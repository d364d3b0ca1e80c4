#pragma once
// Feedback an edit gives beside its text: the message beep, the clipboard's text, and the
// balloon tip an edit shows under itself (EM_SHOWBALLOONTIP): a top-level window with a title,
// an icon and a text that never takes the focus.
#include <memory>

#include "platform/Controls.h"

// The sound of a refused key; counted, so that tests can tell a beep from a silent drop.
void MessageBeep(unsigned Type);
int MessageBeepCount();

// The clipboard's text as Unicode (no code page in between); empty when it holds none.
bool ClipboardHasText();
String ClipboardText();
void SetClipboardText(const String& Text);

// Balloon icons (EDITBALLOONTIP's ttiIcon).
enum : int { TTI_NONE = 0, TTI_INFO = 1, TTI_WARNING = 2, TTI_ERROR = 3 };

struct TEditBalloonTip {
  String Title;
  String Text;
  int Icon = TTI_NONE;
};

// Shows the tip under the control (replacing one it shows already); it stays until
// Edit_HideBalloonTip, the next tip, or the control is freed.
bool Edit_ShowBalloonTip(TWinControl* Edit, const TEditBalloonTip& Tip);
void Edit_HideBalloonTip(TWinControl* Edit);
// The tip the control shows now, if any (Tip receives it).
bool Edit_BalloonTipShown(TWinControl* Edit, TEditBalloonTip* Tip = nullptr);
// The balloon's own window: a top-level widget that does not take the focus (for tests).
bool Edit_BalloonTipTakesFocus(TWinControl* Edit);

// The notifications of a tooltip window to its owner (WM_NOTIFY; lParam a TNMHdr, or a record
// that starts with one).
constexpr int TTN_GETDISPINFO = -530;  // the tip asks for its text (lParam: a TToolTipText)
constexpr int TTN_SHOW = -521;
constexpr int TTN_POP = -522;
struct TNMHdr {
  TControl* From = nullptr;
  uintptr_t IdFrom = 0;
  int Code = 0;
};
// The request for a tip's text: the owner points Text at characters that outlive the request.
struct TToolTipText {
  TNMHdr Hdr;
  const Char* Text = nullptr;
};

// A balloon tooltip window over a control (TTS_BALLOON, one tool covering the control whose
// text the control answers when the tip shows): its title and icon, delays and transparency.
// When the mouse has rested on the control for the initial delay, the tip asks the control for
// its text and shows it in a balloon at the mouse (nothing when the text is empty) until the
// automatic-hide delay, a press, the mouse leaving, or Pop.
enum : int { TTDT_RESHOW = 1, TTDT_AUTOPOP = 2, TTDT_INITIAL = 3 };

class TBalloonToolTip {
 public:
  explicit TBalloonToolTip(TWinControl* Owner);
  ~TBalloonToolTip();
  TBalloonToolTip(const TBalloonToolTip&) = delete;
  TBalloonToolTip& operator=(const TBalloonToolTip&) = delete;
  TWinControl* Owner() const { return FOwner; }
  // An icon outside TTI_NONE .. TTI_ERROR is taken as TTI_NONE.
  void SetTitle(const String& Title, int Icon);
  const String& Title() const { return FTitle; }
  int Icon() const { return FIcon; }
  // Which is TTDT_RESHOW, TTDT_AUTOPOP or TTDT_INITIAL; -1 (the default) is the system's delay.
  void SetDelayTime(int Which, int Milliseconds);
  int DelayTime(int Which) const;
  // A layered window drawn with constant alpha; 255 is opaque.
  void SetAlpha(uint8_t Alpha) { FAlpha = Alpha; }
  uint8_t Alpha() const { return FAlpha; }
  // The widest a line of text may be before it wraps (TTM_SETMAXTIPWIDTH); -1: no limit.
  void SetMaxTipWidth(int Pixels) { FMaxTipWidth = Pixels; }
  int MaxTipWidth() const { return FMaxTipWidth; }
  // Colours of the text and the ground (TTM_SETTIPTEXTCOLOR, TTM_SETTIPBKCOLOR); clNone: the
  // system's.
  void SetTipTextColor(TColor Value) { FTextColor = Value; }
  TColor TipTextColor() const { return FTextColor; }
  void SetTipBkColor(TColor Value) { FBkColor = Value; }
  TColor TipBkColor() const { return FBkColor; }

  // The initial delay has run out with the mouse at ScreenPos: asks the owner for the text and
  // shows the balloon there unless the text is empty. Whether it shows.
  bool Activate(TPoint ScreenPos);
  // Hides the balloon (TTM_POP).
  void Pop();
  // Whether the balloon shows, and what (title, text with line breaks as LF, icon).
  bool Showing(TEditBalloonTip* Tip = nullptr) const;

 private:
  struct THover;
  TWinControl* FOwner;
  String FTitle;
  int FIcon = TTI_NONE;
  int FDelays[3] = {-1, -1, -1};
  uint8_t FAlpha = 255;
  int FMaxTipWidth = -1;
  TColor FTextColor = clNone;
  TColor FBkColor = clNone;
  std::unique_ptr<THover> FHover;
};
