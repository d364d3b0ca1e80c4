#pragma once
// The drawing and text routines the drop-down controls share: a banded gradient (which the grid's
// painting uses too), colour arithmetic, framed fills, image and text, text measuring and
// shortening, mini-HTML text, and the character and number-text tests of the value types.
// The locale's separators are read from the format settings at every call.
#include <cstdint>

#include "grid/dropdown/AdvDropDownAppearance.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"

// Steps solid bands (0 counts as 1) over R, left to right when Horizontal, else top to bottom;
// neighbouring bands overlap by up to one pixel; pen and brush keep the last band's colour.
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, uint16_t Steps, TRect R, bool Horizontal);
// Percent of Color1 against Color2; 100 or more gives Color1 and 0 or less Color2 unresolved.
TColor BlendColor(TColor Color1, TColor Color2, int Percent);
// Each channel scaled by (100 + its percentage) / 100 (at most 1); a zero channel becomes
// max(0, percentage).
TColor ShadeColor(TColor Color, int RedPercent, int GreenPercent, int BluePercent);
// A gradient of 80 bands (ColorTo set) or a solid fill (Color set), then a border of BorderWidth.
void DrawFilledRect(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor BorderColor, int BorderWidth,
                    TGradientDirection Direction);
// The image at the left, the text on one line with an end ellipsis (centred without an image).
void DrawImageAndText(TCanvas* Canvas, TRect R, const String& Text, TImageList* Images, int ImageIndex);
// The glyph over BackgroundColor, its top-left pixel's colour taken as transparent.
void DrawTransparentGlyph(TCanvas* Canvas, TBitmap* Glyph, TColor BackgroundColor, const TRect& R);
// The size of one line of text in the canvas font ((0, 0) for an empty text).
TSize GetTextSize(TCanvas* Canvas, const String& Text);
// Text, or its longest shortened form (with "..." when Ellipsis) narrower than MaxWidth; the whole
// text when no shortened form is narrow enough. Result receives the same text.
String FitTextToWidth(TCanvas* Canvas, const String& Text, int MaxWidth, String& Result, bool Ellipsis);
// Draws (or with Draw false only measures) mini-HTML text; Size receives the rendered extent.
void DrawHTMLText(TCanvas* Canvas, const String& Text, const TRect& R, TPoint& Size, TWinControl* OwnerWindow,
                  bool Draw, TImageList* Images);
bool IsRangeSeparator(Char Ch);
// 0 integer, 1 decimal, 5 hexadecimal, 2 not a number.
int ClassifyEditText(const String& Text);
String StripThousandSeparators(const String& Text);
int HexDigitValue(Char Ch);
// Digits beyond the eighth from the right count for nothing; eight digits of $80000000 or more
// give a negative result (32-bit wrap, computed unsigned).
int32_t HexToInt(const String& Text);
String CaseFoldText(const String& Text, bool CaseSensitive);
