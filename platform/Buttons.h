#pragma once
// The class library's speed button: a graphic control that presses down while the mouse holds
// it, can stay down in a group (exclusive), can look flat until hovered, and shows a glyph
// (up to four images side by side: up, disabled, clicked, down) beside its caption.
#include <memory>

#include "platform/Controls.h"
#include "platform/Graphics.h"

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;
  String ClassName() const override { return u"TSpeedButton"; }

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  // A flat button that is transparent fills no face: what lies below shows through, and its
  // raised or sunken edge is drawn without a middle. Buttons here start opaque.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);  // copies the picture
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  TButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }

  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // The release over the button; clicks it. A button that acts on the press leaves it out.
  virtual void ReleaseClick() { Click(); }

  TButtonState FState = bsUp;
  bool FMouseInControl = false;
  bool FDragging = false;

 private:
  bool Inside(int X, int Y) const { return X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight(); }
  // The glyph image for the state (the first one when the glyph holds fewer).
  std::unique_ptr<TBitmap> GlyphForState() const;

  std::unique_ptr<TBitmap> FGlyph;
  int FNumGlyphs = 1;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FFlat = false;
  bool FTransparent = false;
};
