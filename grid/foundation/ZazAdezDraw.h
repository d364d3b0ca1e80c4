#pragma once
// Drawing utilities of the grid pack: gradients, selection bars, in-cell buttons, progress bars,
// cell shapes, the error underline and bitmaps. Stateless; each routine draws on the canvas it is
// given and leaves the canvas's pen, brush and font as it last set them.
//
// Rounding is to nearest with ties to even; "div" truncates toward zero. No routine raises: a
// missing resource or an unusable format draws nothing of the part concerned.
#include <cstdint>

#include "grid/foundation/AdvStyleIF.h"
#include "grid/foundation/ZazAdezFill.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/UString.h"

enum TCellShape : uint8_t {
  csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown, csDiamond,
  csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar, csArrowUp,
  csArrowDown, csArrowLeft, csArrowRight, csHalfStar
};

struct TStyledProgressParams {
  TColor Level0Color = clNone;
  TColor Level0ColorTo = clNone;
  TColor Level1Color = clNone;
  TColor Level1ColorTo = clNone;
  TColor Level2Color = clNone;
  TColor Level2ColorTo = clNone;
  TColor Level3Color = clNone;
  TColor Level3ColorTo = clNone;
  int Level1Perc = 0;
  int Level2Perc = 0;
  TColor BorderColor = clNone;
  bool ShowBorder = false;
  bool Stacked = false;
  bool ShowPercentage = false;
  TFont* Font = nullptr;  // not owned; the canvas's font when nullptr
  TColor CompleteFontColor = clNone;
  bool CompletionSmooth = false;
  bool ShowGradient = false;
  int Steps = 0;
  int Spare = 0;
  TColor UnCompleteColor = clNone;
  bool Vertical = false;
};

// Colours and fills: ZazAdezFill.h.
// Kind: 0 whole bar, 1 left end, 2 right end, 3 middle.
void DrawSelectionBar(TCanvas* Canvas, TColor FillColor, TColor FillColorTo, TColor MirrorColor,
                      TColor MirrorColorTo, TColor UpperLineColor, TColor LowerLineColor, TColor BorderColor,
                      TColor InnerCornerColor, TColor OuterCornerColor, TRect R, int Kind);

// ---- buttons ----------------------------------------------------------------------------------
// Look: 0 themed, 1 classic frame control, 2 flat frame control, 3 drawn in the tones.
// State: 0 normal, 1 hot, 2 pressed, 3 disabled. Wnd is the window the style data is opened for
// (may be nullptr).
void DrawComboButton(TCanvas* Canvas, TWinControl* Wnd, TRect R, uint8_t Look, uint8_t State, TColorTones Tones);
void DrawPushButton(TCanvas* Canvas, TWinControl* Wnd, TRect R, uint8_t Look, uint8_t State, TColorTones Tones);
void DrawSpinButtons(TCanvas* Canvas, TWinControl* Wnd, TRect R, uint8_t Look, uint8_t State, TColorTones Tones);
void DrawDownTriangle(TCanvas* Canvas, int X, int Y, TColor Color);

// ---- progress ---------------------------------------------------------------------------------
// An empty Format shows round(Value) + "%" and fills round(Value) percent; otherwise Format is
// applied to round(Value) when it holds "d" or "u", else to Value, and the percentage comes from
// Minimum..Maximum (an empty range fills nothing).
void DrawProgressBar(TCanvas* Canvas, TRect R, TColor FilledColor, TColor FilledTextColor, TColor EmptyColor,
                     TColor EmptyTextColor, double Value, int MarginX, int MarginY, int Minimum, int Maximum,
                     const String& Format, TColor BorderColor, bool InvertedText);
void DrawProgressPie(TCanvas* Canvas, TRect R, TColor FillColor, int Percent, bool Outside);
// A bar from the middle; Maximum <= 0 draws a zero-length bar. ShowValue writes the value, as a
// decimal integer, centred over the bar with a transparent background.
void DrawBalanceBar(TCanvas* Canvas, TRect R, int Value, int Maximum, bool ShowValue, TColor NegativeColor,
                    TColor PositiveColor);
void DrawStyledProgressBar(TCanvas* Canvas, TRect R, int Percent, const TStyledProgressParams& P);

// ---- shapes, underline, bitmaps ---------------------------------------------------------------
void DrawCellShape(TCanvas* Canvas, int X, int Y, int W, int H, TCellShape Shape, TColor BrushColor,
                   TColor PenColor);
// Red zig-zag under Length characters of Text from the 0-based Start, the text laid out as one
// line at R's top-left in Parent's font (the canvas's font without a parent).
void DrawErrorUnderline(TControl* Parent, TCanvas* Canvas, const String& Text, TRect R, int Offset, int Start,
                        int Length);
// The bitmap at R's top-left, its top-left pixel's colour replaced by Background.
void DrawTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, TColor Background, TRect R);
// As DrawTransparentBitmap for a registered bitmap resource; an unknown name draws nothing.
void DrawResourceBitmap(TCanvas* Canvas, TColor Background, TRect R, const String& ResourceName);

// ---- layered windows ----------------------------------------------------------------------------
// The platform has no layered-window functions: both report success and do nothing, as on a
// system that lacks them.
struct TBlendFunction {
  uint8_t BlendOp = 0;
  uint8_t BlendFlags = 0;
  uint8_t SourceConstantAlpha = 255;
  uint8_t AlphaFormat = 0;
};
bool DynUpdateLayeredWindow(TWinControl* Wnd, TCanvas* DstCanvas, const TPoint* DstPoint, const TSize* Size,
                            TCanvas* SrcCanvas, const TPoint* SrcPoint, TColor Key, const TBlendFunction* Blend,
                            uint32_t Flags);
bool DynSetLayeredWindowAttributes(TWinControl* Wnd, TColor Key, uint8_t Alpha, uint32_t Flags);
