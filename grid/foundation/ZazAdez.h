#pragma once
// Text and value utilities of the grid pack. Stateless; positions are 1-based as the class
// library's; the locale's separators and short date format are read from FormatSettings() on
// every call, never cached.
#include <cstdint>

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"
#include "platform/UString.h"

// ---- locale ---------------------------------------------------------------------------------
Char GetDateSeparatorChar();
Char GetTimeSeparatorChar();
Char GetThousandSeparatorChar();
Char GetDecimalSeparatorChar();
String GetShortDateFormatText();

// ---- numbers and rectangles -----------------------------------------------------------------
// A bound of 0 or less is no bound; when both apply the maximum wins; Min = Max leaves Value.
int LimitValue(int Value, int Min, int Max);
inline int IntMax(int A, int B) { return A > B ? A : B; }
inline int IntMin(int A, int B) { return A < B ? A : B; }
// Any rectangle with Left, Top, Right, Bottom (the grid's TGridRect among them), bounds inclusive.
template <class TGridRectLike>
bool CellInGridRect(const TGridRectLike& R, int ACol, int ARow) {
  return R.Left <= ACol && ACol <= R.Right && R.Top <= ARow && ARow <= R.Bottom;
}

// ---- character tests (a Unicode number counts as a digit) -----------------------------------
bool IsNumberChar(Char Ch);
bool IsNumberOrMinusChar(Char Ch);
bool IsFloatChar(Char Ch);        // digits, thousand and decimal separators, e, E
bool IsSignedFloatChar(Char Ch);  // IsFloatChar, + and -
bool IsNumericTextChar(Char Ch);  // digits . - e E +
bool IsNameSeparator(Char Ch);    // blank ' , - .

// ---- searching and cutting ------------------------------------------------------------------
int CharPos(Char Ch, const String& Text);
// As CharPos; Position is written only when found.
int VarCharPos(Char Ch, const String& Text, int& Position);
int VarPos(const String& SubText, const String& Text, int& Position);
// The caller passes an upper-case SubText; only a..z of Text are upper-cased.
int PosInUpperCase(const String& SubText, const String& Text);
int WidePos(const String& SubText, const String& Text);
int CountChar(Char Ch, const String& Text);
// Position of the last quote of an odd run followed by another character, or n for a quote as
// the last character; 0 when every quote is paired. Position receives the same value.
int FindUnpairedChar(Char Quote, const String& Text, int& Position);
int CountUnpairedChar(Char Quote, const String& Text);
// Part := text before the first Delimiter; Text loses everything up to and including the
// delimiter's first character. Without a delimiter Part is empty and Text unchanged.
void CutToDelimiter(String& Text, const String& Delimiter, String& Part);
// Line := text before the first CR (all of it without a CR, Text then empty). KeepRest: Text
// keeps what follows that CR (and a LF right after it); otherwise Text becomes empty.
void CutFirstLine(String& Text, bool KeepRest, String& Line);
int CountLines(const String& Text, bool Multiline);
String ConcatLines(TStrings* Lines);

// ---- text kinds and numbers -----------------------------------------------------------------
// 0 plain, 1 HTML, 2 rich text, 3 formula, 5 packed Unicode.
int ClassifyCellText(const String& Text, bool HTMLAllowed);
// 0 integer, 1 decimal, 2 not a number, 5 scientific.
int ClassifyNumberText(const String& Text);
// The same with the locale's separators given (code that classifies many texts reads them once).
int ClassifyNumberText(const String& Text, Char Thousand, Char Decimal);
// A number text with "." as decimal point; "(x)" and a leading "-" make it negative.
String ExtractNumberText(const String& Text);
bool LooksLikeDate(const String& Text);

// ---- codecs ---------------------------------------------------------------------------------
String DoubleQuoteChars(const String& Text);
String CollapseDoubledChar(Char Ch, const String& Text);
void QuoteMultiLineCSV(String& Text);   // CR LF -> #11, then enclosed in double quotes
void VTabToCRLF(String& Text);          // #11 -> CR LF
void CRLFToLF(String& Text);            // CR of each CR LF removed
void LineBreaksToTilde(String& Text);   // CR -> "~", LF removed
void TildeToLineBreaks(String& Text);   // "~" -> CR LF; "^" alone becomes empty
String MaskLineBreaks(const String& Text);               // when it holds a CR: 13->9 10->8 0->1
// When it holds #8: 9->13 8->10 1->0, then the whole text (All) or its first line; a text
// without #8 is returned unchanged.
String UnmaskLineBreaks(const String& Text, bool All);
String CRToBR(const String& Text);
String EscapeNewlines(const String& Text);    // CR -> "\n", LF removed
String UnescapeNewlines(const String& Text);  // "\n" -> CR
String RemoveCRs(const String& Text);
String CRToLF(const String& Text);
void FillWithChar(String& Text, Char Ch);
// To and from the OEM code page (850): the OEM text holds one byte value per character.
void ToOemText(String& Text);
void FromOemText(String& Text);
// "|\" then, per UTF-16 unit, a character with its high byte and one with its low byte.
String PackUnicodeText(const String& Text);
String UnpackUnicodeText(const String& Text);
// Six upper-case hex digits, red first; system colours are taken as they are.
String ColorToHexRGB(TColor Color);
String ToMixedCase(const String& Text);

// Each RGB channel c of the resolved colour becomes round(c + Percent x c / 100) (half to
// even), held within 0..255 so that brightening never darkens a channel.
TColor ChangeColorPercent(TColor Color, int Percent);

// ---- URLs, HTML and references --------------------------------------------------------------
bool IsURL(const String& Text);
void StripURLProtocol(String& Text);
// Escapes < and >, then wraps the URL starting at Prefix (upper case) in an anchor.
bool InsertURLAnchor(const String& Text, const String& Prefix, String& Result);
// Wraps the fragment in the CF_HTML envelope; the offsets count bytes of the UTF-8 form the
// clipboard carries, and the document declares charset utf-8: StartHTML 97, StartFragment 269,
// EndFragment 269 + the fragment's UTF-8 length, EndHTML EndFragment + 32.
void BuildClipboardHTML(String& Fragment);
// "R<row>C<col>", any letter case, longer than 3 characters; Cell.X the column, Cell.Y the row.
bool ParseRCCellRef(const String& Text, TPoint& Cell);
// Short dates with "/", "." or "-"; 0 when the text does not parse. A one- or two-digit year
// below 26 is 20xx, else 19xx; longer years stay as written. A date that does not exist raises
// EConvertError.
TDateTime ParseDateMDY(const String& Text);
TDateTime ParseDateDMY(const String& Text);
// Exactly one of Years, Months, Days non-zero moves the date by it. The steps are 16-bit values
// taken with their sign (65535 is one back); a month of 0 or 13 rolls the year once; the day is
// held within the target month and the time of day is kept. Any other combination adds
// Increment.
TDateTime AddToDate(uint16_t Years, uint16_t Months, uint16_t Days, TDateTime Date,
                    TDateTime Increment);
