#pragma once
// The colour blends and fills of the grid pack's drawing utilities, apart from the rest so that a
// unit whose own style names clash with the style interface can still fill cells.
#include "platform/Graphics.h"

// ---- colours ----------------------------------------------------------------------------------
// From + (To - From) / (RangeEnd - RangeStart) x Position per channel; To = clNone gives From
// unconverted, an empty range (RangeEnd = RangeStart) the converted From.
TColor BlendColorAt(TColor FromColor, TColor ToColor, int RangeStart, int RangeEnd, int Position);
TColor HalveColor(TColor Color);
// ChangeColorPercent is declared with the text utilities (ZazAdez.h).

// ---- fills ------------------------------------------------------------------------------------
// Linear gradient in at most min(Steps, span) + 1 solid bands drawn with Rectangle; a clNone end
// fills solid in the other colour (nothing when both are clNone).
void FillGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R, bool Horizontal);
// Direction 0: left/right halves and horizontal gradients; 1: top/bottom halves and vertical.
void DrawGradientBackground(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor MirrorColor,
                            TColor MirrorColorTo, int Direction, TColor BorderColor, bool SideLines, bool Fill);
void FillRectColor(TCanvas* Canvas, const TRect& R, TColor Color);
