#pragma once
// A windowed control that scrolls its children: with AutoScroll on, a scroll bar appears on a side
// whose children reach beyond the client area, and the children move by the bar's Position. The
// bars are drawn by the control itself and take their thickness off the client area.
#include "platform/Controls.h"
#include "platform/StdCtrls.h"

class TScrollingWinControl;
class TScrollBarStrip;

class TControlScrollBar {
 public:
  TControlScrollBar(TScrollingWinControl* Control, TScrollBarKind Kind) : FControl(Control), FKind(Kind) {}
  TScrollBarKind Kind() const { return FKind; }
  // Scroll offset of the contents (0 at the start), kept within 0..Range - the client extent.
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  // Extent of the contents along the bar (the children's far edge, scrolled back to 0).
  int Range() const { return FRange; }
  // Extra pixels around a control that ScrollInView keeps visible.
  int Margin() const { return FMargin; }
  void SetMargin(int Value) { FMargin = Value; }
  // Pixels scrolled by a line step.
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value > 0 ? Value : 1; }
  // The contents follow the thumb while it is dragged.
  bool Tracking() const { return FTracking; }
  void SetTracking(bool Value) { FTracking = Value; }
  bool IsScrollBarVisible() const { return FShown; }

 private:
  friend class TScrollingWinControl;
class TScrollBarStrip;
  TScrollingWinControl* FControl;
  TScrollBarKind FKind;
  int FPosition = 0;
  int FRange = 0;
  int FMargin = 0;
  int FIncrement = 8;
  bool FTracking = false;
  bool FShown = false;
};

class TScrollingWinControl : public TCustomControl {
 public:
  static constexpr int kScrollBarSize = 17;  // thickness of a bar (SM_CXVSCROLL)

  explicit TScrollingWinControl(TComponent* AOwner);
  ~TScrollingWinControl() override;
  String ClassName() const override { return u"TScrollingWinControl"; }

  TControlScrollBar* VertScrollBar() { return &FVert; }
  TControlScrollBar* HorzScrollBar() { return &FHorz; }
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value);
  // Recomputes the ranges from the children and shows or hides the bars; call after a child
  // changed its size.
  void UpdateScrollBars();
  // Scrolls the least that shows the control with the bars' margins.
  void ScrollInView(TControl* AControl);

  TRect ClientRect() const override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

 private:
  friend class TControlScrollBar;
  friend class TScrollBarStrip;
  bool IsStrip(const TControl* Control) const;
  void PlaceStrips();
  void PaintBar(TCanvas* Canvas, const TControlScrollBar& Bar, TPoint Origin);
  void MoveContents(int Dx, int Dy);
  void ScrollMessage(TControlScrollBar& Bar, unsigned Code, int Pos);
  int PageOf(const TControlScrollBar& Bar) const;
  int MaxPosition(const TControlScrollBar& Bar) const;
  TRect TrackRect(const TControlScrollBar& Bar) const;
  TRect ThumbRect(const TControlScrollBar& Bar) const;

  TControlScrollBar FVert{this, sbVertical};
  TControlScrollBar FHorz{this, sbHorizontal};
  bool FAutoScroll = true;
  bool FUpdating = false;
  // The bars are drawn by two strips lying over the children, so scrolled contents never cover them.
  TScrollBarStrip* FVertStrip = nullptr;
  TScrollBarStrip* FHorzStrip = nullptr;
  TControlScrollBar* FDragBar = nullptr;
  int FDragOffset = 0;
};
