#pragma once
// Formatted text as runs of equally formatted characters, and the RTF subset that rich-text cells
// are stored in, read and written without any widget (so the reader can be fuzzed on its own).
#include <string>
#include <string_view>
#include <vector>

#include "platform/Graphics.h"
#include "platform/UString.h"

enum TRichScript { rsNone, rsSuperscript, rsSubscript };

struct TRichCharFormat {
  String FontName;
  int HalfPoints = 24;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strike = false;
  TColor Color = clNone;      // clNone: the control's own text colour
  TColor BackColor = clNone;  // clNone: no highlight
  int OffsetTwips = 0;        // raised above (+) or lowered below (-) the baseline
  TRichScript Script = rsNone;
  bool operator==(const TRichCharFormat&) const = default;
};

// A paragraph ends with kRichParagraph; kRichLineBreak breaks a line inside a paragraph.
constexpr Char kRichParagraph = 0x2029;
constexpr Char kRichLineBreak = 0x2028;

struct TRichRun {
  String Text;
  TRichCharFormat Format;
};
using TRichRuns = std::vector<TRichRun>;

// Appends Text in Format, joined to the last run when that one has the same format.
void AppendRichText(TRichRuns& Runs, const String& Text, const TRichCharFormat& Format);

// The text with every paragraph end and line break as CR LF.
String RichPlainText(const TRichRuns& Runs);

// Plain text as runs in one format: CR LF, LF or CR end a paragraph.
TRichRuns RichRunsFromPlainText(const String& Text, const TRichCharFormat& Format);

// Whether the bytes start as RTF does ("{\rtf").
bool LooksLikeRtf(std::string_view Bytes);

// Reads RTF into Runs (replacing them). False, with Runs emptied, when the bytes are not readable
// RTF: unbalanced braces, cut short, a bad \'hh or \uN, a number beyond 32 bits, text after the
// last brace. Characters take Default's font name where the font table names none. Linear in the
// length of the input.
bool ReadRtf(std::string_view Bytes, const TRichCharFormat& Default, TRichRuns& Runs);

// The runs as RTF: ASCII only (every other character as \uN with a "?" fallback, so any UTF-16
// text comes back, a lone surrogate included), a font and a colour table of the fonts and colours
// used (Default's font name when no run names one), one \plain group of attributes per run.
// Reading the result gives the runs back (adjacent runs of one format joined).
std::string WriteRtf(const TRichRuns& Runs, const TRichCharFormat& Default);

// Loads bytes as a rich edit does: readable RTF as its formatting, anything else as its plain
// text (UTF-8 when valid, else Windows-1252) in Default, nothing dropped.
TRichRuns LoadRichBytes(std::string_view Bytes, const TRichCharFormat& Default);
