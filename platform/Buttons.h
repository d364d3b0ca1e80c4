#pragma once
// The class library's speed button: a graphic control that shows a glyph and a caption, is
// pressed by the left mouse button and clicks when released over itself.
#include <memory>

#include "platform/Controls.h"

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;
  String ClassName() const override { return u"TSpeedButton"; }

  TBitmap* Glyph() const { return FGlyph.get(); }
  // Copies the picture; nullptr or an empty bitmap leaves no glyph.
  void SetGlyph(TBitmap* Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  // A button of a group (GroupIndex above 0) stays down until another of its group goes down.
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  TButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }
  void WndProc(TMessage& Message) override;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Paint() override;
  // The release over the button; clicks the button.
  virtual void ReleaseClick() { Click(); }
  // The glyph's first image (of NumGlyphs side by side) and where it lands, centred in R.
  void PaintGlyph(const TRect& R, int Offset);
  void PaintCaption(const TRect& R, int Offset);

  TButtonState FState = bsUp;
  bool FDragging = false;

 private:
  std::unique_ptr<TBitmap> FGlyph;
  int FNumGlyphs = 1;
  bool FFlat = false;
  bool FDown = false;
  int FGroupIndex = 0;
  bool FMouseInControl = false;
};
