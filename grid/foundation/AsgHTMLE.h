#pragma once
// Mini-HTML: the one routine that draws, measures and hit-tests the grid's small markup, and the
// text routines around it (tag stripping, entities, search highlighting, in-cell form controls).
#include <cstdint>

#include "grid/foundation/PictureContainer.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"
#include "platform/UString.h"


// ---- text routines ---------------------------------------------------------------------------
// Colours of the HI tag for every renderer call in the process (initially clHighlight and
// clHighlightText).
void SetHighlightColors(TColor Background, TColor Text);
TColor HighlightBackgroundColor();
TColor HighlightTextColor();

String StripHTMLTags(const String& Text);
// Both work in one left-to-right pass with exact case, so Decode(Encode(x)) == x for any x.
String DecodeHTMLEntities(const String& Text, bool WithAccents);
String EncodeHTMLEntities(const String& Text, bool WithAccents);
String SpacesToNbsp(const String& Text);
// Every hit of SearchText in the visible text is enclosed in <Tag>...</Tag>; a hit directly
// after another is marked too.
String InsertHighlightTags(const String& Text, const String& SearchText, const String& Tag,
                           bool CaseSensitive);
String RemoveHighlightTags(const String& Text, const String& Tag);

struct TControlTag {
  String Type;  // upper case
  String ID;
  String Value;  // entities decoded
  String Width;
  String Height;
  String Prop;  // entities decoded
  String MaxLen;
};
TControlTag ParseControlTag(const String& TagText);
bool HasControlTag(const String& Text);
String NextEditControlID(const String& Text, const String& ID);
String ResetRadioControls(const String& Text);
bool GetControlValue(const String& Text, const String& ID, String& Value);
String GetControlProp(const String& Text, const String& ID);
int GetControlMaxLen(const String& Text, const String& ID);
bool SetControlValue(String& Text, const String& ID, const String& NewValue);

// The leading integer of a tag value: blanks, sign, decimal digits or hexadecimal after "$" or
// "0x". Returns whether the whole value was read; Value is what was read (0 for nothing).
bool ReadLeadingInt(const String& Text, int& Value);
// A FONT/P/BODY colour value: '#RRGGBB' or a colour name of the class library (any case);
// anything else is black.
TColor HTMLColorValue(const String& Value);

// ---- renderer ---------------------------------------------------------------------------------
// What one call of the renderer is asked, besides the canvas and the markup. The defaults draw
// plainly: no point to test, no link focused or hot, words wrapped, blinking text shown.
struct TMiniHTMLRequest {
  TRect Area;
  TImageList* ImageList = nullptr;  // pictures of <IMG SRC="idx:n">
  int TestX = -1, TestY = -1;       // the point a hit test asks about
  int FocusedLink = -1;             // 0-based; gets the focus rectangle
  int HotLink = 0;                  // 1-based; with UnderlineHotOnly the one link underlined
  int ShadowDepth = 1;
  bool HitTestOnly = false;
  bool MeasureOnly = false;
  bool Printing = false;
  bool InSelection = false;  // colours of links and FONT tags give way to the selection's
  bool BlinkOn = true;       // false hides <BLINK> text
  bool UnderlineHotOnly = false;
  bool WrapWords = true;
  bool ControlPressed = false;
  double PrintScale = 1.0;
  TColor LinkColor = clBlue;
  TColor HotBackColor = clNone;
  TColor HotTextColor = clNone;
  TColor ShadowColor = clGray;
  THTMLPictureCache* UrlPictures = nullptr;
  TPictureContainer* NamedPictures = nullptr;
  TWinControl* ThemeWindow = nullptr;
  TBiDiMode ReadingOrder = bdLeftToRight;
};

// What the renderer answers. HitAnchor and HitLinkRect are written only when a link is hit, so
// they keep what they held before otherwise. On a hit test HitControlID is asked
// as well: the control of that ID counts as hit wherever the point is, and the ID is kept when
// nothing is hit.
struct TMiniHTMLResult {
  String HitAnchor;
  String PlainText;
  String FocusedAnchor;
  String HitTitle;
  int ExtentX = 0, ExtentY = 0;
  int LinkCount = 0;
  int HitLink = -1;  // 1-based; -1 for none
  TRect HitLinkRect;
  TRect HitControlRect;
  String HitControlID;
  String HitControlValue;
  String HitControlType;
};

// Draws (or, with MeasureOnly, only measures; with HitTestOnly, only hit-tests) Markup in
// Request.Area. Returns whether a link or control was hit (always false when measuring).
// The canvas font, pen colour and width and brush colour are the same on return.
bool RenderMiniHTML(TCanvas* Canvas, const String& Markup, const TMiniHTMLRequest& Request,
                    TMiniHTMLResult& Result);

// The same with every input and answer as a parameter of its own.
bool RenderMiniHTML(TCanvas* Canvas, const String& Markup, TRect Area, TImageList* ImageList, int TestX,
                    int TestY, int FocusedLink, int HotLink, int ShadowDepth, bool HitTestOnly,
                    bool MeasureOnly, bool Printing, bool InSelection, bool BlinkOn, bool UnderlineHotOnly,
                    bool WrapWords, bool ControlPressed, double PrintScale, TColor LinkColor,
                    TColor HotBackColor, TColor HotTextColor, TColor ShadowColor, String& HitAnchor,
                    String& PlainText, String& FocusedAnchor, String& HitTitle, int& ExtentX, int& ExtentY,
                    int& LinkCount, int& HitLink, TRect& HitLinkRect, TRect& HitControlRect,
                    String& HitControlID, String& HitControlValue, String& HitControlType,
                    THTMLPictureCache* UrlPictures, TPictureContainer* NamedPictures,
                    TWinControl* ThemeWindow, TBiDiMode ReadingOrder);
