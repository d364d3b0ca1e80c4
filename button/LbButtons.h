#pragma once
// Types of the owner-drawn push button and the routines that paint it: the whole face, frame,
// glyph and caption are drawn by DrawLbButton into any canvas, so the control's Paint only adds
// the off-screen bitmap, the bsOld outline and the focus rectangle.
#include <memory>

#include "platform/Controls.h"
#include "platform/Graphics.h"

enum TLbColorStyle {
  lcsCustom, lcsGold, lcsChrome, lcsBlue, lcsRed, lcsUltraFlat1, lcsUltraFlat2, lcsUltraFlatXP,
  lcsAqua, lcsDefault, lcsQuicken
};
enum TLbButtonKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TLbButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TLbButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };

// One row of the colour-preset table.
struct TLbColorPreset {
  TColor Color = clBtnFace;
  TColor LightColor = clWhite;
  TColor ShadowColor = clGray;
  TColor ColorWhenDown = clNone;
  TColor HotTrackColor = clNone;
  TColor FontColor = clBlack;
  bool Flat = false;
  bool Modern = false;   // take bsModern
  bool Quicken = false;  // take bsQuicken
};
// lcsCustom has no row: it returns the defaults above, which the ColorStyle setter never applies.
TLbColorPreset GetColorStylePreset(TLbColorStyle style);

// Color blended toward HotTrackColor by step / 8 (step 0 to 8), per channel, truncated.
TColor BlendHotTrackColor(TColor color, TColor hotTrackColor, int hotTrackStep);

// Vertical gradient in 32 solid bands from fromColor (top) to toColor over l..r x t..b.
void DrawLbGradient(TCanvas* canvas, TColor fromColor, TColor toColor, int l, int t, int r, int b);

// Copies the cell at (srcX, srcY) of the strip to (x, y), its bottom-left pixel colour left out.
// A cell beyond the strip leaves cell 0 in place (a one-cell strip of a disabled button).
void DrawGlyphCell(TCanvas* canvas, TBitmap* glyph, int x, int y, int srcX, int srcY, int cellW, int cellH);

// What the painter draws: the button's size, look and state, its glyph strip and its caption.
// The defaults are those of a fresh button.
struct TLbButtonFace {
  int Width = 0;
  int Height = 0;
  int HotTrackStep = 0;  // 0 to 8: how far the face has blended toward HotTrackColor
  int NumGlyphs = 0;
  TBitmap* Glyph = nullptr;
  bool Pressed = false;
  bool Hot = false;
  bool Enabled = true;
  bool Flat = false;
  bool WordWrap = false;
  bool PopupAttached = false;  // draws the drop-down arrow
  TLbButtonStyle Style = bsNormal;
  TColor Color = clBtnFace;
  TColor ColorWhenDown = clNone;
  TColor HotTrackColor = clNone;
  TColor LightColor = clWhite;
  TColor ShadowColor = clGray;
  TFont* Font = nullptr;  // null keeps the canvas font
  TLbButtonLayout Layout = blGlyphLeft;
  String Caption;
  TAlignment Alignment = taCenter;
};

void DrawLbButton(TCanvas* canvas, const TLbButtonFace& face);
// The same with every part of the face as a parameter of its own.
void DrawLbButton(TCanvas* canvas, int W, int H, int hotTrackStep, int numGlyphs, TBitmap* glyph,
                  bool pressed, bool hot, bool enabled, bool flat, bool wordWrap, bool popupAttached,
                  TLbButtonStyle style, TColor color, TColor colorWhenDown, TColor hotTrackColor,
                  TColor lightColor, TColor shadowColor, TFont* font, TLbButtonLayout layout,
                  const String& caption, TAlignment alignment);

// Index of the glyph cell the painter draws (0 normal, 1 disabled, 2 pressed, 3 hot); a cell the
// strip lacks falls back to cell 0 when it is drawn.
int GlyphCellIndex(int numGlyphs, bool enabled, bool hot, bool pressed);

// The stock glyph strips, drawn by this program: two 18-pixel cells (normal, disabled) on a
// clOlive background, 36 x 18 (bkAll 36 x 19). bkCustom gives an empty bitmap.
std::unique_ptr<TBitmap> CreateStockGlyph(TLbButtonKind kind);
// The drop-down arrow: 5 x 3, a black downward triangle on white.
std::unique_ptr<TBitmap> CreateDropDownArrow();
