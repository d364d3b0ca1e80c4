#pragma once
// Feedback an edit gives beside its text: the message beep, the clipboard's text, and the
// balloon tip an edit shows under itself (EM_SHOWBALLOONTIP): a top-level window with a title,
// an icon and a text that never takes the focus.
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

// A balloon tooltip window over a control (TTS_BALLOON, one tool covering the control whose
// text the control answers when the tip shows): its title and icon, delays and transparency.
enum : int { TTDT_RESHOW = 1, TTDT_AUTOPOP = 2, TTDT_INITIAL = 3 };

class TBalloonToolTip {
 public:
  explicit TBalloonToolTip(TWinControl* Owner) : FOwner(Owner) {}
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

 private:
  TWinControl* FOwner;
  String FTitle;
  int FIcon = TTI_NONE;
  int FDelays[3] = {-1, -1, -1};
  uint8_t FAlpha = 255;
};
