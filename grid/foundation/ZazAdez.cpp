#include "grid/foundation/ZazAdez.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "platform/Encoding.h"

namespace {

constexpr Char kCR = u'\r';
constexpr Char kLF = u'\n';
constexpr Char kVTab = u'\x0B';

// Code units of the Unicode number categories (decimal digits, letter numbers, other numbers)
// in the Basic Multilingual Plane, Unicode 14.
struct CharRange {
  Char First, Last;
};
constexpr CharRange kNumberRanges[] = {
    {0x0030, 0x0039}, {0x00B2, 0x00B3}, {0x00B9, 0x00B9}, {0x00BC, 0x00BE}, {0x0660, 0x0669}, {0x06F0, 0x06F9},
    {0x07C0, 0x07C9}, {0x0966, 0x096F}, {0x09E6, 0x09EF}, {0x09F4, 0x09F9}, {0x0A66, 0x0A6F}, {0x0AE6, 0x0AEF},
    {0x0B66, 0x0B6F}, {0x0B72, 0x0B77}, {0x0BE6, 0x0BF2}, {0x0C66, 0x0C6F}, {0x0C78, 0x0C7E}, {0x0CE6, 0x0CEF},
    {0x0D58, 0x0D5E}, {0x0D66, 0x0D78}, {0x0DE6, 0x0DEF}, {0x0E50, 0x0E59}, {0x0ED0, 0x0ED9}, {0x0F20, 0x0F33},
    {0x1040, 0x1049}, {0x1090, 0x1099}, {0x1369, 0x137C}, {0x16EE, 0x16F0}, {0x17E0, 0x17E9}, {0x17F0, 0x17F9},
    {0x1810, 0x1819}, {0x1946, 0x194F}, {0x19D0, 0x19DA}, {0x1A80, 0x1A89}, {0x1A90, 0x1A99}, {0x1B50, 0x1B59},
    {0x1BB0, 0x1BB9}, {0x1C40, 0x1C49}, {0x1C50, 0x1C59}, {0x2070, 0x2070}, {0x2074, 0x2079}, {0x2080, 0x2089},
    {0x2150, 0x2182}, {0x2185, 0x2189}, {0x2460, 0x249B}, {0x24EA, 0x24FF}, {0x2776, 0x2793}, {0x2CFD, 0x2CFD},
    {0x3007, 0x3007}, {0x3021, 0x3029}, {0x3038, 0x303A}, {0x3192, 0x3195}, {0x3220, 0x3229}, {0x3248, 0x324F},
    {0x3251, 0x325F}, {0x3280, 0x3289}, {0x32B1, 0x32BF}, {0xA620, 0xA629}, {0xA6E6, 0xA6EF}, {0xA830, 0xA835},
    {0xA8D0, 0xA8D9}, {0xA900, 0xA909}, {0xA9D0, 0xA9D9}, {0xA9F0, 0xA9F9}, {0xAA50, 0xAA59}, {0xABF0, 0xABF9},
    {0xFF10, 0xFF19},
};

bool Contains(const String& s, Char c) { return s.find(c) != String::npos; }
bool Contains(const String& s, const char16_t* sub) { return s.find(sub) != String::npos; }

// 1-based position, 0 when absent.
int Pos1(const String& sub, const String& s, size_t from = 0) {
  size_t p = s.find(sub, from);
  return p == String::npos ? 0 : static_cast<int>(p) + 1;
}

String ReplaceAll(const String& s, const String& from, const String& to) {
  if (from.empty()) return s;
  String r;
  size_t i = 0;
  for (;;) {
    size_t p = s.find(from, i);
    if (p == String::npos) break;
    r.append(s, i, p - i);
    r += to;
    i = p + from.size();
  }
  r.append(s, i, String::npos);
  return r;
}

String MapChars(const String& s, Char from, Char to) {
  String r = s;
  std::replace(r.begin(), r.end(), from, to);
  return r;
}

Char UpperChar(Char c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<Char>(c - 32) : c;
  String u = AnsiUpperCase(String(1, c));
  return u.size() == 1 ? u[0] : c;
}

Char LowerChar(Char c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<Char>(c + 32) : c;
  String l = AnsiLowerCase(String(1, c));
  return l.size() == 1 ? l[0] : c;
}

// Number of UTF-8 bytes the text becomes on the clipboard.
int Utf8Length(const String& s) { return static_cast<int>(StringToUtf8(s).size()); }

String EightDigits(int v) { return Format(u"%.8d", {v}); }

}  // namespace

// ---- locale ---------------------------------------------------------------------------------
Char GetDateSeparatorChar() { return FormatSettings().DateSeparator; }
Char GetTimeSeparatorChar() { return FormatSettings().TimeSeparator; }
Char GetThousandSeparatorChar() { return FormatSettings().ThousandSeparator; }
Char GetDecimalSeparatorChar() { return FormatSettings().DecimalSeparator; }
String GetShortDateFormatText() { return FormatSettings().ShortDateFormat; }

// ---- numbers --------------------------------------------------------------------------------
int LimitValue(int Value, int Min, int Max) {
  if (Min == Max) return Value;
  int r = Value;
  if (Min > 0 && Value < Min) r = Min;
  if (Max > 0 && Value > Max) r = Max;
  return r;
}

// ---- character tests ------------------------------------------------------------------------
bool IsNumberChar(Char Ch) {
  if (Ch < 0x80) return Ch >= u'0' && Ch <= u'9';
  auto it = std::upper_bound(std::begin(kNumberRanges), std::end(kNumberRanges), Ch,
                             [](Char c, const CharRange& r) { return c < r.First; });
  if (it == std::begin(kNumberRanges)) return false;
  --it;
  return Ch >= it->First && Ch <= it->Last;
}

bool IsNumberOrMinusChar(Char Ch) { return IsNumberChar(Ch) || Ch == u'-'; }

bool IsFloatChar(Char Ch) {
  return IsNumberChar(Ch) || Ch == GetThousandSeparatorChar() || Ch == GetDecimalSeparatorChar() ||
         Ch == u'e' || Ch == u'E';
}

bool IsSignedFloatChar(Char Ch) { return IsFloatChar(Ch) || Ch == u'+' || Ch == u'-'; }

bool IsNumericTextChar(Char Ch) {
  return IsNumberChar(Ch) || Ch == u'.' || Ch == u'-' || Ch == u'e' || Ch == u'E' || Ch == u'+';
}

bool IsNameSeparator(Char Ch) {
  return Ch == u' ' || Ch == u'\'' || Ch == u',' || Ch == u'-' || Ch == u'.';
}

// ---- searching and cutting ------------------------------------------------------------------
int CharPos(Char Ch, const String& Text) {
  size_t p = Text.find(Ch);
  return p == String::npos ? 0 : static_cast<int>(p) + 1;
}

int VarCharPos(Char Ch, const String& Text, int& Position) {
  int p = CharPos(Ch, Text);
  if (p > 0) Position = p;
  return p;
}

int VarPos(const String& SubText, const String& Text, int& Position) {
  Position = Pos1(SubText, Text);
  return Position;
}

int PosInUpperCase(const String& SubText, const String& Text) {
  return Pos1(SubText, UpperCase(Text));
}

int WidePos(const String& SubText, const String& Text) { return Pos1(SubText, Text); }

int CountChar(Char Ch, const String& Text) {
  return static_cast<int>(std::count(Text.begin(), Text.end(), Ch));
}

namespace {
int UnpairedAt(Char Quote, const String& Text) {
  const int n = static_cast<int>(Text.size());
  int run = 0;
  for (int i = 1; i <= n; ++i) {
    if (Text[static_cast<size_t>(i - 1)] == Quote) {
      if (i == n) return n;
      ++run;
    } else {
      if (run % 2 == 1) return i - 1;
      run = 0;
    }
  }
  return 0;
}
}  // namespace

int FindUnpairedChar(Char Quote, const String& Text, int& Position) {
  Position = UnpairedAt(Quote, Text);
  return Position;
}

int CountUnpairedChar(Char Quote, const String& Text) {
  String s = Text;
  int count = 0;
  for (int p = UnpairedAt(Quote, s); p > 0; p = UnpairedAt(Quote, s)) {
    ++count;
    s.erase(0, static_cast<size_t>(p));
  }
  return count;
}

void CutToDelimiter(String& Text, const String& Delimiter, String& Part) {
  size_t p = Delimiter.empty() ? String::npos : Text.find(Delimiter);
  if (p == String::npos) {
    Part.clear();
    return;
  }
  Part = Text.substr(0, p);
  Text.erase(0, p + 1);
}

void CutFirstLine(String& Text, bool KeepRest, String& Line) {
  size_t p = Text.find(kCR);
  if (p == String::npos) {
    Line = Text;
    Text.clear();
    return;
  }
  Line = Text.substr(0, p);
  if (!KeepRest) {
    Text.clear();
    return;
  }
  size_t rest = p + 1;
  if (rest < Text.size() && Text[rest] == kLF) ++rest;
  Text.erase(0, rest);
}

int CountLines(const String& Text, bool Multiline) {
  return Multiline ? 1 + CountChar(kCR, Text) : 1;
}

String ConcatLines(TStrings* Lines) {
  String r;
  for (int i = 0; i < Lines->Count(); ++i) r += Lines->Strings(i);
  return r;
}

// ---- text kinds and numbers -----------------------------------------------------------------
int ClassifyCellText(const String& Text, bool HTMLAllowed) {
  if (Text.empty()) return 0;
  // Read as the text with a blank after it (no copy: every cell of a page is classified).
  auto at = [&](size_t i) -> Char { return i < Text.size() ? Text[i] : u' '; };
  if (at(0) == u'=') return 3;
  if (at(0) == u'|' && at(1) == u'\\') {
    if (Text.size() >= 3 && at(2) == 0 && at(3) == u'=') return 3;
    return 5;
  }
  if (at(0) == u'{' && at(1) == u'\\') return 2;
  if (HTMLAllowed && (Contains(Text, u"</") || Contains(Text, u"<B") || Contains(Text, u"<I") || Contains(Text, u"<C")))
    return 1;
  return 0;
}

int ClassifyNumberText(const String& Text) {
  return ClassifyNumberText(Text, GetThousandSeparatorChar(), GetDecimalSeparatorChar());
}

int ClassifyNumberText(const String& Text, Char Thousand, Char Decimal) {
  if (Text.empty()) return 2;
  const Char thousand = Thousand, decimal = Decimal;
  // IsSignedFloatChar with the separators read once.
  auto signedFloatChar = [&](Char c, bool digit) {
    return digit || c == thousand || c == decimal || c == u'e' || c == u'E' || c == u'+' || c == u'-';
  };
  const int n = static_cast<int>(Text.size());
  bool isInteger = true, isDecimal = true, isScientific = true, hasE = false;
  int decimalCount = 0, minusCount = 0, lastThousand = 0;
  for (int i = 1; i <= n; ++i) {
    const Char c = Text[static_cast<size_t>(i - 1)];
    const bool digit = IsNumberChar(c);
    if (!digit && c != u'-') isInteger = false;
    if (c == u'e' || c == u'E') {
      if (hasE) isScientific = false;
      hasE = true;
      if (i == 1) isScientific = false;
    }
    if (c == u'-' && i > 1) {
      isInteger = false;
      isDecimal = false;
    }
    if ((c == u'e' || c == u'E' || c == u'+' || c == u'-') && i == n) isScientific = false;
    if (!digit && c != u'-' && c != thousand && c != decimal) isDecimal = false;
    if (!signedFloatChar(c, digit) || c == thousand) isScientific = false;
    if (c == thousand) {
      if (lastThousand > 0 && i - lastThousand < 4) isDecimal = false;
      lastThousand = i;
    }
    if (c == decimal) ++decimalCount;
    if (c == u'-') ++minusCount;
  }
  int result = 2;
  if (isInteger) result = 0;
  else if (isDecimal && !hasE) result = 1;
  if (isScientific && hasE) {
    if (minusCount == 2) minusCount = 1;  // one in the mantissa, one in the exponent
    result = 5;
  }
  if (minusCount > 1 || decimalCount > 1) result = 2;
  return result;
}

String ExtractNumberText(const String& Text) {
  String s = Trim(Text);
  if (s.empty()) return String();
  bool negative = s.front() == u'(' && s.back() == u')';
  // A number does not begin with its exponent letter ("EUR 12" is 12).
  auto startsNumber = [](Char c) { return IsFloatChar(c) && c != u'e' && c != u'E'; };
  while (s.size() >= 2 && !startsNumber(s[0])) {
    if (s[0] == u'-') negative = true;
    s.erase(0, 1);
  }
  const Char thousand = GetThousandSeparatorChar();
  const Char decimal = GetDecimalSeparatorChar();
  String r;
  for (Char c : s) {
    if (c == thousand) continue;
    if (c == decimal) r += u'.';
    else if (IsNumericTextChar(c)) r += c;
    else break;
  }
  if (negative) r.insert(r.begin(), u'-');
  return r;
}

bool LooksLikeDate(const String& Text) {
  const Char sep = GetDateSeparatorChar();
  size_t first = Text.find(sep);
  if (first == String::npos || first < 1) return false;
  return Text.find(sep, first + 2) != String::npos;
}

// ---- codecs ---------------------------------------------------------------------------------
String DoubleQuoteChars(const String& Text) { return ReplaceAll(Text, u"\"", u"\"\""); }

String CollapseDoubledChar(Char Ch, const String& Text) {
  if (!Contains(Text, Ch)) return Text;
  String r;
  for (size_t i = 0; i < Text.size(); ++i) {
    r += Text[i];
    if (Text[i] == Ch && i + 1 < Text.size() && Text[i + 1] == Ch) ++i;
  }
  return r;
}

void QuoteMultiLineCSV(String& Text) {
  Text = u"\"" + ReplaceAll(Text, u"\r\n", String(1, kVTab)) + u"\"";
}

void VTabToCRLF(String& Text) {
  if (Contains(Text, kVTab)) Text = ReplaceAll(Text, String(1, kVTab), u"\r\n");
}

void CRLFToLF(String& Text) { Text = ReplaceAll(Text, u"\r\n", u"\n"); }

void LineBreaksToTilde(String& Text) {
  String r;
  for (Char c : Text) {
    if (c == kCR) r += u'~';
    else if (c != kLF) r += c;
  }
  Text = r;
}

void TildeToLineBreaks(String& Text) {
  Text = ReplaceAll(Text, u"~", u"\r\n");
  if (Text == u"^") Text.clear();
}

String MaskLineBreaks(const String& Text) {
  if (!Contains(Text, kCR)) return Text;
  String r = Text;
  for (Char& c : r) {
    if (c == 13) c = 9;
    else if (c == 10) c = 8;
    else if (c == 0) c = 1;
  }
  return r;
}

String UnmaskLineBreaks(const String& Text, bool All) {
  // Only a masked text (one holding #8) is touched; any other text passes through whole.
  if (!Contains(Text, u'\x08')) return Text;
  String r = Text;
  for (Char& c : r) {
    if (c == 9) c = 13;
    else if (c == 8) c = 10;
    else if (c == 1) c = 0;
  }
  if (All) return r;
  String line;
  CutFirstLine(r, false, line);
  return line;
}

String CRToBR(const String& Text) {
  if (!Contains(Text, kCR)) return Text;
  return ReplaceAll(Text, String(1, kCR), u"<br>");
}

String EscapeNewlines(const String& Text) {
  String r;
  for (Char c : Text) {
    if (c == kCR) r += u"\\n";
    else if (c != kLF) r += c;
  }
  return r;
}

String UnescapeNewlines(const String& Text) { return ReplaceAll(Text, u"\\n", String(1, kCR)); }

String RemoveCRs(const String& Text) {
  String r = Text;
  r.erase(std::remove(r.begin(), r.end(), kCR), r.end());
  return r;
}

String CRToLF(const String& Text) { return MapChars(Text, kCR, kLF); }

void FillWithChar(String& Text, Char Ch) { std::fill(Text.begin(), Text.end(), Ch); }

void ToOemText(String& Text) {
  std::string bytes = StringToCp850(Text);
  String r;
  r.reserve(bytes.size());
  for (unsigned char b : bytes) r += static_cast<Char>(b);
  Text = r;
}

void FromOemText(String& Text) {
  std::string bytes;
  bytes.reserve(Text.size());
  for (Char c : Text) bytes += static_cast<char>(c <= 0xFF ? c : u'?');
  Text = Cp850ToString(bytes);
}

String PackUnicodeText(const String& Text) {
  String r = u"|\\";
  r.reserve(2 + Text.size() * 2);
  for (Char c : Text) {
    r += static_cast<Char>(c >> 8);
    r += static_cast<Char>(c & 0xFF);
  }
  return r;
}

String UnpackUnicodeText(const String& Text) {
  if (Text.size() < 2 || Text[0] != u'|' || Text[1] != u'\\') return Text;
  String r;
  for (size_t i = 2; i + 1 < Text.size(); i += 2)
    r += static_cast<Char>(((Text[i] & 0xFF) << 8) | (Text[i + 1] & 0xFF));
  return r;
}

String ColorToHexRGB(TColor Color) {
  static const char16_t kHex[] = u"0123456789ABCDEF";
  const uint32_t v = static_cast<uint32_t>(Color);
  String r;
  for (int shift = 0; shift <= 16; shift += 8) {
    uint32_t b = (v >> shift) & 0xFF;
    r += kHex[b >> 4];
    r += kHex[b & 0xF];
  }
  return r;
}

String ToMixedCase(const String& Text) {
  String s = Text;
  const size_t n = s.size();
  bool capitalise = true;
  for (size_t i = 1; i <= n; ++i) {
    Char& c = s[i - 1];
    if (IsNameSeparator(c)) {
      capitalise = true;
    } else if (capitalise) {
      c = UpperChar(c);
      capitalise = false;
    } else {
      c = LowerChar(c);
    }
    if (i == 2 && s.compare(0, 2, u"Mc") == 0) capitalise = true;
    size_t mc = s.find(u" Mc");
    if (i > 2 && mc != String::npos && mc + 3 == i) capitalise = true;
    if (i + 2 >= n) {  // the last three positions
      if (i >= 2 && s.compare(i - 2, 2, u" I") == 0) capitalise = true;
      if (i >= 3 && s.compare(i - 3, 3, u" II") == 0) capitalise = true;
    }
  }
  return s;
}

TColor ChangeColorPercent(TColor Color, int Percent) {
  const TColor c = ColorToRGB(Color);
  auto channel = [Percent](int v) {
    int64_t r = Round(v + static_cast<double>(Percent) * v / 100.0);
    return static_cast<int>(std::clamp<int64_t>(r, 0, 255));
  };
  return RGB(channel(GetRValue(c)), channel(GetGValue(c)), channel(GetBValue(c)));
}

// ---- URLs, HTML and references --------------------------------------------------------------
bool IsURL(const String& Text) { return Contains(Text, u"://") || Contains(Text, u"mailto:"); }

void StripURLProtocol(String& Text) {
  size_t p = Text.find(u"://");
  if (p != String::npos) {
    Text.erase(0, p + 3);
    return;
  }
  p = Text.find(u"mailto:");
  if (p != String::npos) Text.erase(0, p + 7);
}

namespace {
bool IsURLChar(Char c) {
  if (c > 255) return false;
  if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) return true;
  switch (c) {
    case u'%': case u'(': case u')': case u'-': case u'.': case u'/': case u':': case u'@':
    case u'\\': case u'_': case u'{': case u'}':
      return true;
    default:
      return false;
  }
}
}  // namespace

bool InsertURLAnchor(const String& Text, const String& Prefix, String& Result) {
  if (Pos1(Prefix, UpperCase(Text)) == 0) return false;
  Result = ReplaceAll(ReplaceAll(Text, u"<", u"&lt;"), u">", u"&gt;");
  const size_t from = static_cast<size_t>(Pos1(Prefix, UpperCase(Result)) - 1);
  size_t to = from;
  while (to < Result.size() && IsURLChar(Result[to])) ++to;
  const String url = Result.substr(from, to - from);
  Result.insert(to, u"</a>");
  Result.insert(from, u"<a href=\"" + url + u"\">");
  return true;
}

void BuildClipboardHTML(String& Fragment) {
  static const String kDocType =
      u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
  static const String kHead =
      u"<html><head><META http-equiv=Content-Type content=\"text/html; charset=utf-8\">"
      u"</head><body><!--StartFragment-->";
  static const String kTail = u"<!--EndFragment--></body></html>";
  // The header has a fixed length: five lines, four of them with 8-digit numbers.
  const int startHTML = Utf8Length(u"Version:1.0\r\nStartHTML:00000000\r\nEndHTML:00000000\r\n"
                                   u"StartFragment:00000000\r\nEndFragment:00000000\r\n");
  const int startFragment = startHTML + Utf8Length(kDocType) + Utf8Length(kHead);
  const int endFragment = startFragment + Utf8Length(Fragment);
  const int endHTML = endFragment + Utf8Length(kTail);
  String header = u"Version:1.0\r\n";
  header += u"StartHTML:" + EightDigits(startHTML) + u"\r\n";
  header += u"EndHTML:" + EightDigits(endHTML) + u"\r\n";
  header += u"StartFragment:" + EightDigits(startFragment) + u"\r\n";
  header += u"EndFragment:" + EightDigits(endFragment) + u"\r\n";
  Fragment = header + kDocType + kHead + Fragment + kTail;
}

bool ParseRCCellRef(const String& Text, TPoint& Cell) {
  String s = UpperCase(Text);
  if (s.size() <= 3 || s[0] != u'R') return false;
  s.erase(0, 1);
  size_t c = s.find(u'C');
  if (c == String::npos) return false;
  int row = 0, col = 0;
  if (!TryStrToInt(s.substr(0, c), row) || !TryStrToInt(s.substr(c + 1), col)) return false;
  Cell = TPoint{col, row};
  return true;
}

namespace {
TDateTime ParseShortDate(const String& Text, bool monthFirst) {
  Char sep;
  if (Contains(Text, u'/')) sep = u'/';
  else if (Contains(Text, u'.')) sep = u'.';
  else if (Contains(Text, u'-')) sep = u'-';
  else return 0;
  size_t p = Text.find(sep);
  const String first = Text.substr(0, p);
  const String rest = Text.substr(p + 1);
  size_t q = rest.find(sep);
  if (q == String::npos) return 0;
  const String second = rest.substr(0, q);
  const String yearText = rest.substr(q + 1);
  int a = 0, b = 0, year = 0;
  if (!TryStrToInt(first, a) || !TryStrToInt(second, b) || !TryStrToInt(yearText, year)) return 0;
  // Only a short year takes a century; a written-out year is already complete.
  if (Trim(yearText).size() <= 2) year += year < 26 ? 2000 : 1900;
  return monthFirst ? EncodeDate(year, a, b) : EncodeDate(year, b, a);
}
}  // namespace

TDateTime ParseDateMDY(const String& Text) { return ParseShortDate(Text, true); }
TDateTime ParseDateDMY(const String& Text) { return ParseShortDate(Text, false); }

TDateTime AddToDate(uint16_t Years, uint16_t Months, uint16_t Days, TDateTime Date,
                    TDateTime Increment) {
  const int nonZero = (Years != 0) + (Months != 0) + (Days != 0);
  if (nonZero != 1) return Date + Increment;
  // A day step back arrives as 65535; adding it unsigned would jump 179 years ahead.
  if (Days != 0) return Date + static_cast<int16_t>(Days);
  uint16_t y, m, d;
  DecodeDate(Date, y, m, d);
  const double timeOfDay = std::fabs(Date - std::trunc(Date));
  if (Years != 0) {
    y = static_cast<uint16_t>(y + Years);
  } else {
    m = static_cast<uint16_t>(m + Months);
    if (m == 0) {
      m = 12;
      --y;
    } else if (m > 12) {
      m = static_cast<uint16_t>(m - 12);
      ++y;
    }
  }
  // 31 January + 1 month is the last day of February, not an error.
  if (m >= 1 && m <= 12 && y >= 1 && y <= 9999) d = std::min<uint16_t>(d, DaysInAMonth(y, m));
  const TDateTime day = EncodeDate(y, m, d);
  return day >= 0 ? day + timeOfDay : day - timeOfDay;
}
