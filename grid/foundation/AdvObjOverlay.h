#pragma once
// Small windows that float over the grid (the column/row move arrows and the focus window) and
// the alpha masks from which the grid builds its focus glow.
#include <array>
#include <cstdint>
#include <vector>

#include "grid/foundation/AdvObj.h"
#include "platform/Controls.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"

// Both windows float over their form as pop-ups do: SetBounds, SetLeft and SetTop take screen
// coordinates, and a shown window lies in the form's window above everything else, unclipped by
// the grid; Left and Top then read in the form's client pixels. SetWidth and SetHeight keep the
// window where it is.

// A solid arrow-shaped window (its window colour) pointing at an insertion line. The grid moves,
// sizes and shows it; an 11 x 11 window holds every outline.
class TArrowWindow : public TPanel {
 public:
  TArrowWindow(TWinControl* AOwner, TArrowDirection Direction);
  String ClassName() const override { return u"TArrowWindow"; }

  // The seven outline points of a direction, in the window's own pixels.
  static std::vector<TPoint> Outline(TArrowDirection Direction);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetLeft(int ScreenX);
  void SetTop(int ScreenY);
  void SetWidth(int AWidth);
  void SetHeight(int AHeight);
  void SetVisible(bool Value) override;

  TArrowDirection Dir = arrUp;
  std::vector<TPoint> Arrow;

 protected:
  void Paint() override;
};

// The window the grid turns into a translucent frame around the focused cell. It never takes
// the focus and lets the mouse through to the grid. The glow itself is a TGridAlphaMask shown
// with UpdateOverlayLayered (platform/Overlay.h) at the mask's Opacity.
class TGridFocusWindow : public TCustomControl {
 public:
  explicit TGridFocusWindow(TWinControl* AOwner);
  String ClassName() const override { return u"TGridFocusWindow"; }
  // Shows only the frame between Outer and Hole (both in the window's own pixels).
  void SetFrameShape(const TRect& Outer, const TRect& Hole);
  // The whole window's opacity; once it shows a layered image, that image's constant alpha.
  void SetOpacity(uint8_t Opacity);
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetLeft(int ScreenX);
  void SetTop(int ScreenY);
  void SetWidth(int AWidth);
  void SetHeight(int AHeight);
  void SetVisible(bool Value) override;
};

// A 32-bit bitmap of premultiplied blue, green, red, alpha pixels plus a constant opacity.
class TGridAlphaMask : public TBitmap {
 public:
  TGridAlphaMask();
  String ClassName() const override { return u"TGridAlphaMask"; }
  // From another mask: Opacity and the pixels of the area both masks cover (this mask keeps
  // its size); from anything else, the bitmap copy. Always 32 bits per pixel afterwards.
  void Assign(TPersistent* Source) override;
  // Takes Bitmap's size; alpha := the red byte of Mask, colour := Bitmap premultiplied by it.
  // Pixels that Mask does not cover are fully transparent. Nothing happens unless Bitmap is 24
  // bits per pixel. Color takes no part.
  void MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor Color);

  uint8_t Opacity = 255;
};

// Bitmap := Width x Height, 24 bits, black, with a white round rectangle inset by 2 pixels
// (outlined with a PenWidth pen, filled when PenWidth is 0), then blurred when Radius > 0.
void MakeRoundRectMask(TBitmap* Bitmap, int Width, int Height, int PenWidth, int Corner, double Radius);

// The blur's weights: Weights[10 + j] for j = -Size..Size (the others are unused).
struct TBlurKernel {
  int Size = 1;
  std::array<float, 21> Weights{};
};
// Radius must be above 0.
TBlurKernel MakeBlurKernel(double Radius);
// Blurs one line of Count blue, green, red pixels into Out (Count x 3 bytes).
void BlurLine(const TBlurKernel& Kernel, const uint8_t* Line, int Count, uint8_t* Out);
// Separable Gaussian blur in place. Rows and columns farther than 20 pixels from every edge are
// copied from row or column 15, which is exact for the uniform interior of the glow masks.
// Raises Exception("Blur only works for 24-bit bitmaps") for any other pixel format; a Radius
// of 0 or less leaves the bitmap as it is.
void BlurBitmap(TBitmap* Bitmap, double Radius);
