#pragma once
// The grid's own check box: a themed or classic check mark box with a caption beside it, an
// optional background taken from the parent, a read-only mode and Enter as Tab. A click (a mouse
// release inside, or Space released) toggles first and then raises OnClick.
#include <memory>

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

using TLeftRight = TAlignment;  // taLeftJustify: box left of the caption; taRightJustify: right

class TAdvCheckBox : public TCustomControl {
 public:
  explicit TAdvCheckBox(TComponent* AOwner);
  ~TAdvCheckBox() override;
  String ClassName() const override { return u"TAdvCheckBox"; }

  TLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TLeftRight Value);
  TTextLayout ButtonVertAlign() const { return FBtnVAlign; }
  void SetButtonVertAlign(TTextLayout Value);
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value);
  bool Ellipsis() const { return FEllipsis; }
  void SetEllipsis(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value) { FDown = Value; }
  bool TransparentChaching() const { return FTransparentCaching; }
  void SetTransparentChaching(bool Value) { FTransparentCaching = Value; }
  // Whether the mouse is over the control / the control has the focus, as last told.
  bool Hot() const { return FHot; }
  bool HasFocus() const { return FFocused; }

  virtual void Toggle();
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;
  void DoEnter() override;
  void DoExit() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;

 private:
  bool InsideInclusive(int X, int Y) const { return X >= 0 && X <= Width() && Y >= 0 && Y <= Height(); }

  TCheckBoxState FState = cbUnchecked;
  bool FDown = false;
  bool FHot = false;
  bool FFocused = false;
  bool FMouseDown = false;
  String FCaption;
  TTextLayout FBtnVAlign = tlTop;
  TLeftRight FAlignment = taLeftJustify;
  bool FEllipsis = false;
  bool FReadOnly = false;
  bool FReturnIsTab = false;
  bool FTransparent = false;
  bool FTransparentCaching = false;
  bool FIsWinXP = false;
  std::unique_ptr<TBitmap> FBkgBmp;
  bool FBkgCache = false;
};
