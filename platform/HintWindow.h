#pragma once
// The class library's hint machinery for controls that answer CM_HINTSHOW themselves (those
// that call SetCustomHintShow(true)): after the mouse rests HintPause ms on such a control the
// application sends it CM_HINTSHOW with a THintInfo record (LParam points at it), which the
// control may change; a zero answer and a non-empty HintStr show the hint in a window of the
// record's HintWindowClass (CalcHintRect, then ActivateHintData). Every other control keeps
// its Qt tooltip. Timing runs on the program's timers, so a test clock drives it.
#include "platform/Controls.h"

class THintWindow;
// A hint window class: makes a window of that class.
using THintWindowClass = THintWindow* (*)(TComponent* AOwner);

template <class T>
THintWindow* MakeHintWindow(TComponent* AOwner) {
  return New<T>(AOwner);
}

struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass = nullptr;
  TPoint HintPos;        // screen position of the hint window's top-left corner
  int HintMaxWidth = 0;  // the width text may take before it wraps
  TColor HintColor = clInfoBk;
  TRect CursorRect;      // client rectangle of HintControl within which the hint stays
  TPoint CursorPos;      // client position of the mouse
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  String HintStr;
  TObject* HintData = nullptr;
};

// A borderless pop-up showing a hint text: framed, filled with its Color, text inset 2 pixels.
class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* AOwner);
  String ClassName() const override { return u"THintWindow"; }
  // The rectangle (0, 0, width, height) the text needs, margins included.
  virtual TRect CalcHintRect(int MaxWidth, const String& AHint, TObject* AData);
  // Shows the window at Rect (screen pixels) with the text.
  virtual void ActivateHint(TRect Rect, const String& AHint);
  virtual void ActivateHintData(TRect Rect, const String& AHint, TObject* AData);
  // Hides the window.
  void ReleaseHandle();
  bool Active() const { return Visible(); }

 protected:
  void Paint() override;
  // Puts the window at R (screen pixels), shown on top without taking the focus.
  void ShowAt(const TRect& R);
};

// The class of the hint windows the application makes (the class library's global).
extern THintWindowClass HintWindowClass;

// The geometry of the monitor nearest to a screen point.
TRect MonitorRectAt(TPoint P);
