#include "grid/foundation/ZazAdez.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "tests/support/Utf8Text.h"

namespace {

// Restores the process's format settings after each test.
class ZazAdezTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = FormatSettings();
    FormatSettings() = TFormatSettings{};  // '.' decimal, ',' thousand, '/' date
  }
  void TearDown() override { FormatSettings() = saved; }
  static void UseEuropeanNumbers() {
    FormatSettings().DecimalSeparator = u',';
    FormatSettings().ThousandSeparator = u'.';
  }
  TFormatSettings saved;
};

// ---- locale -------------------------------------------------------------------------------------

TEST_F(ZazAdezTest, SeparatorsAreReadAtEveryCall) {
  EXPECT_EQ(GetDecimalSeparatorChar(), u'.');
  EXPECT_EQ(ClassifyNumberText(u"1.5e3"), 5);
  EXPECT_EQ(ExtractNumberText(u"1,234.5"), u"1234.5");
  UseEuropeanNumbers();
  FormatSettings().DateSeparator = u'-';
  FormatSettings().TimeSeparator = u'.';
  FormatSettings().ShortDateFormat = u"dd-MM-yyyy";
  EXPECT_EQ(GetDecimalSeparatorChar(), u',');
  EXPECT_EQ(GetThousandSeparatorChar(), u'.');
  EXPECT_EQ(GetDateSeparatorChar(), u'-');
  EXPECT_EQ(GetTimeSeparatorChar(), u'.');
  EXPECT_EQ(GetShortDateFormatText(), u"dd-MM-yyyy");
  EXPECT_EQ(ClassifyNumberText(u"1.5e3"), 2);  // "." now groups thousands: no exponent form
  EXPECT_EQ(ExtractNumberText(u"1,234.5"), u"1.2345");
  EXPECT_TRUE(LooksLikeDate(u"1-2-2020"));
  EXPECT_FALSE(LooksLikeDate(u"1/2/2020"));
}

// ---- numbers and character tests ----------------------------------------------------------------

TEST_F(ZazAdezTest, LimitValue) {
  struct Case { int v, min, max, expected; };
  const Case cases[] = {{5, 10, 20, 10}, {25, 10, 20, 20}, {25, 0, 20, 20}, {5, 0, 0, 5},
                        {-5, 0, 20, -5}, {15, 10, 20, 15}, {7, 7, 7, 7},    {1, 5, 5, 1},
                        {30, 40, 20, 20}, {15, 40, 20, 40}};
  for (const Case& c : cases)
    EXPECT_EQ(LimitValue(c.v, c.min, c.max), c.expected) << c.v << " " << c.min << " " << c.max;
  EXPECT_EQ(IntMax(-3, 2), 2);
  EXPECT_EQ(IntMin(-3, 2), -3);
  TRect r = Rect(1, 2, 3, 4);
  EXPECT_TRUE(CellInGridRect(r, 1, 2));
  EXPECT_TRUE(CellInGridRect(r, 3, 4));
  EXPECT_FALSE(CellInGridRect(r, 4, 4));
  EXPECT_FALSE(CellInGridRect(r, 2, 1));
}

TEST_F(ZazAdezTest, CharacterTests) {
  struct Case { Char c; bool number, numberOrMinus, floatc, signedFloat, numericText, nameSep; };
  const Case cases[] = {
      {u'7', true, true, true, true, true, false},
      {u'-', false, true, false, true, true, true},
      {u'+', false, false, false, true, true, false},
      {u'.', false, false, true, true, true, true},
      {u',', false, false, true, true, false, true},
      {u'e', false, false, true, true, true, false},
      {u'E', false, false, true, true, true, false},
      {u'x', false, false, false, false, false, false},
      {u' ', false, false, false, false, false, true},
      {u'\'', false, false, false, false, false, true},
      {u'\u0663', true, true, true, true, true, false},  // Arabic-Indic three
      {u'\u00BD', true, true, true, true, true, false},  // one half: a number too
      {u'\uFF15', true, true, true, true, true, false},  // full-width five
      {u'\u00C9', false, false, false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.c));
    EXPECT_EQ(IsNumberChar(c.c), c.number);
    EXPECT_EQ(IsNumberOrMinusChar(c.c), c.numberOrMinus);
    EXPECT_EQ(IsFloatChar(c.c), c.floatc);
    EXPECT_EQ(IsSignedFloatChar(c.c), c.signedFloat);
    EXPECT_EQ(IsNumericTextChar(c.c), c.numericText);
    EXPECT_EQ(IsNameSeparator(c.c), c.nameSep);
  }
}

// ---- searching and cutting ----------------------------------------------------------------------

TEST_F(ZazAdezTest, PositionsAreOneBased) {
  int p = 99;
  EXPECT_EQ(CharPos(u'b', u"abcb"), 2);
  EXPECT_EQ(CharPos(u'z', u"abc"), 0);
  EXPECT_EQ(VarCharPos(u'z', u"abc", p), 0);
  EXPECT_EQ(p, 99);  // untouched when absent
  EXPECT_EQ(VarCharPos(u'c', u"abc", p), 3);
  EXPECT_EQ(p, 3);
  EXPECT_EQ(VarPos(u"zz", u"abc", p), 0);
  EXPECT_EQ(p, 0);
  EXPECT_EQ(VarPos(u"bc", u"abc", p), 2);
  EXPECT_EQ(p, 2);
  EXPECT_EQ(PosInUpperCase(u"CELL://", u"see cell://A1"), 5);
  EXPECT_EQ(PosInUpperCase(u"<BLI", u"x<bli>"), 2);
  EXPECT_EQ(PosInUpperCase(u"cell", u"cell"), 0);  // the caller gives upper case
  EXPECT_EQ(WidePos(u"\u00E9t\u00E9", u"l'\u00E9t\u00E9"), 3);
  EXPECT_EQ(CountChar(u'a', u"banana"), 3);
}

TEST_F(ZazAdezTest, UnpairedQuotes) {
  struct Case { const char16_t* text; int find, count; };
  const Case cases[] = {
      {u"a\"\"b", 0, 0},  // a balanced pair
      {u"a\"b", 2, 1},
      {u"ab\"", 3, 1},    // a quote as the last character is always unpaired
      {u"\"\"\"x", 3, 1}, // an odd run ends unpaired at its last quote
      {u"\"a\"b", 1, 2},
      {u"", 0, 0},
      {u"abc", 0, 0},
  };
  for (const Case& c : cases) {
    int position = -1;
    EXPECT_EQ(FindUnpairedChar(u'"', c.text, position), c.find) << Utf8(c.text);
    EXPECT_EQ(position, c.find) << Utf8(c.text);
    EXPECT_EQ(CountUnpairedChar(u'"', c.text), c.count) << Utf8(c.text);
  }
}

TEST_F(ZazAdezTest, CutToDelimiterAndCutFirstLine) {
  String text = u"ab;cd;e", part = u"old";
  CutToDelimiter(text, u";", part);
  EXPECT_EQ(part, u"ab");
  EXPECT_EQ(text, u"cd;e");
  text = u"abc";
  CutToDelimiter(text, u";", part);
  EXPECT_EQ(part, u"");
  EXPECT_EQ(text, u"abc");

  struct Case { const char16_t* text; bool keep; const char16_t* line; const char16_t* rest; };
  const Case cases[] = {
      {u"one\r\ntwo\r\nthree", true, u"one", u"two\r\nthree"},
      {u"one\rtwo", true, u"one", u"two"},
      {u"one\r\ntwo", false, u"one", u""},
      {u"single", true, u"single", u""},
      {u"a\nb", true, u"a\nb", u""},  // only a CR ends a line
      {u"", true, u"", u""},
  };
  for (const Case& c : cases) {
    String t = c.text, line;
    CutFirstLine(t, c.keep, line);
    EXPECT_EQ(line, c.line) << Utf8(c.text);
    EXPECT_EQ(t, c.rest) << Utf8(c.text);
  }
  EXPECT_EQ(CountLines(u"a\rb\r\nc", true), 3);
  EXPECT_EQ(CountLines(u"a\rb\r\nc", false), 1);
  TStringList lines;
  lines.Add(u"ab");
  lines.Add(u"c");
  EXPECT_EQ(ConcatLines(&lines), u"abc");
}

// ---- text kinds ---------------------------------------------------------------------------------

TEST_F(ZazAdezTest, ClassifyCellText) {
  struct Case { String text; bool html; int kind; };
  const std::vector<Case> cases = {
      {u"=SUM(A1)", false, 3},
      {u"", true, 0},
      {u"{\\rtf1 x}", false, 2},
      {u"<B>x", true, 1},
      {u"<B>x", false, 0},
      {u"a</i>", true, 1},
      {u"<b>x", true, 0},  // the tags are matched as written
      {u"<C", true, 1},
      {u"plain", true, 0},
      {PackUnicodeText(u"AB"), true, 5},
      {PackUnicodeText(u"=A1"), true, 3},
      {u"|\\", true, 5},
      {u"|", true, 0},
      {u"=", false, 3},
      {u"{", false, 0},
      {String(u"|\\\0", 3), true, 5},  // the marker's third character, nothing after it
      {String(u"|\\\0=", 4), true, 3},
      {u"<", true, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifyCellText(c.text, c.html), c.kind) << Utf8(c.text);
}

TEST_F(ZazAdezTest, ClassifyNumberText) {
  struct Case { const char16_t* text; int kind; };
  const Case cases[] = {
      {u"-12", 0},   {u"123", 0},     {u"-", 0},       {u"", 2},        {u"12-3", 2},
      {u"1.5", 1},   {u"1,234.5", 1}, {u"1,2,3", 2},   {u"1,234,567", 1}, {u"1.2.3", 2},
      {u"1e-5", 5},  {u"1.5E3", 5},   {u"-1e-5", 5},   {u"1e5e5", 2},   {u"e5", 2},
      {u"1e", 2},    {u"1e+", 2},     {u"--1", 2},     {u"12a", 2},     {u"1,5e3", 2},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifyNumberText(c.text), c.kind) << Utf8(c.text);

  UseEuropeanNumbers();
  EXPECT_EQ(ClassifyNumberText(u"1.234,5"), 1);
  EXPECT_EQ(ClassifyNumberText(u"1,5e3"), 5);
  EXPECT_EQ(ClassifyNumberText(u"1,2,3"), 2);
}

TEST_F(ZazAdezTest, ExtractNumberText) {
  struct Case { const char16_t* text; const char16_t* number; };
  const Case cases[] = {
      {u"$ 12", u"12"},        {u"12 kg", u"12"},      {u"EUR 12", u"12"},
      {u"-12", u"-12"},        {u"(5)", u"-5"},        {u"", u""},
      {u"   ", u""},           {u"x", u""},           {u"1,234.50", u"1234.50"},
      {u"abc 1e-3 m", u"1e-3"}, {u"USD -7.25", u"-7.25"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExtractNumberText(c.text), c.number) << Utf8(c.text);
  UseEuropeanNumbers();
  EXPECT_EQ(ExtractNumberText(u"  (1.234,50)  "), u"-1234.50");
  EXPECT_EQ(ExtractNumberText(u"3,5 %"), u"3.5");
}

TEST_F(ZazAdezTest, LooksLikeDate) {
  struct Case { const char16_t* text; bool date; };
  const Case cases[] = {{u"1/2/2020", true}, {u"12/31/99", true}, {u"/1/2", false},
                        {u"1/2", false},     {u"1//", false},     {u"1//2", false},
                        {u"1/2/", true},
                        {u"abc", false}};
  for (const Case& c : cases) EXPECT_EQ(LooksLikeDate(c.text), c.date) << Utf8(c.text);
}

// ---- codecs -------------------------------------------------------------------------------------

TEST_F(ZazAdezTest, QuoteAndLineBreakCodecs) {
  EXPECT_EQ(DoubleQuoteChars(u"a\"b\"\""), u"a\"\"b\"\"\"\"");
  struct Collapse { const char16_t* text; const char16_t* result; };
  const Collapse collapses[] = {{u"a\"\"b", u"a\"b"}, {u"\"\"\"", u"\"\""}, {u"\"", u"\""},
                                {u"abc", u"abc"}};
  for (const Collapse& c : collapses) EXPECT_EQ(CollapseDoubledChar(u'"', c.text), c.result);

  String t = u"a\r\nb";
  QuoteMultiLineCSV(t);
  EXPECT_EQ(t, u"\"a\x0B" u"b\"");
  t = u"plain";
  QuoteMultiLineCSV(t);
  EXPECT_EQ(t, u"\"plain\"");
  t = u"a\x0B" u"b";
  VTabToCRLF(t);
  EXPECT_EQ(t, u"a\r\nb");
  t = u"a\r\nb\rc";
  CRLFToLF(t);
  EXPECT_EQ(t, u"a\nb\rc");
  t = u"a\r\nb\rc\n";
  LineBreaksToTilde(t);
  EXPECT_EQ(t, u"a~b~c");
  t = u"a~b";
  TildeToLineBreaks(t);
  EXPECT_EQ(t, u"a\r\nb");
  t = u"^";
  TildeToLineBreaks(t);
  EXPECT_EQ(t, u"");

  const String multi(u"a\r\nb\0c", 6);
  const String masked = MaskLineBreaks(multi);
  EXPECT_EQ(masked, String(u"a\x09\x08" u"b\x01" u"c"));
  EXPECT_EQ(UnmaskLineBreaks(masked, true), multi);
  EXPECT_EQ(UnmaskLineBreaks(masked, false), u"a");
  EXPECT_EQ(MaskLineBreaks(u"a\nb"), u"a\nb");          // no CR: unchanged
  EXPECT_EQ(UnmaskLineBreaks(u"a\x09" u"b", true), u"a\x09" u"b");  // no #8: unchanged
  EXPECT_EQ(UnmaskLineBreaks(u"a\r\nb", false), u"a\r\nb");  // not masked: not cut either
  EXPECT_EQ(UnmaskLineBreaks(String(u"a\x09\x08" u"b\x09\x08" u"c"), false), u"a");

  EXPECT_EQ(CRToBR(u"a\r\nb"), u"a<br>\nb");
  EXPECT_EQ(EscapeNewlines(u"a\r\nb"), u"a\\nb");
  EXPECT_EQ(UnescapeNewlines(u"a\\nb\\n"), u"a\rb\r");
  EXPECT_EQ(RemoveCRs(u"a\r\nb\r"), u"a\nb");
  EXPECT_EQ(CRToLF(u"a\r\nb"), u"a\n\nb");
  t = u"secret";
  FillWithChar(t, u'*');
  EXPECT_EQ(t, u"******");
}

TEST_F(ZazAdezTest, OemTextRoundTrip) {
  String t = u"\u00C4rger \u00E9t\u00E9";
  ToOemText(t);
  EXPECT_EQ(t[0], 0x8E);  // code page 850
  EXPECT_EQ(t[6], 0x82);
  FromOemText(t);
  EXPECT_EQ(t, u"\u00C4rger \u00E9t\u00E9");
  t = u"\u20AC";  // not in the OEM page
  ToOemText(t);
  EXPECT_EQ(t, u"?");
}

TEST_F(ZazAdezTest, PackedUnicode) {
  EXPECT_EQ(PackUnicodeText(u"A"), String(u"|\\\0A", 4));
  EXPECT_EQ(UnpackUnicodeText(String(u"|\\\0A", 4)), u"A");
  EXPECT_EQ(UnpackUnicodeText(u"abc"), u"abc");
  const String wide = u"\u20AC\u00E9x\u4E2D";
  const String packed = PackUnicodeText(wide);
  EXPECT_EQ(packed.size(), 2 + 2 * wide.size());
  EXPECT_EQ(packed[2], 0x20);
  EXPECT_EQ(packed[3], 0xAC);
  for (size_t i = 2; i < packed.size(); ++i) EXPECT_LE(packed[i], 0xFF);  // 8-bit storage
  EXPECT_EQ(UnpackUnicodeText(packed), wide);
  EXPECT_EQ(UnpackUnicodeText(packed + u"\x41"), wide);  // an odd last character is dropped
}

TEST_F(ZazAdezTest, ColorToHexRGBWritesRedFirst) {
  EXPECT_EQ(ColorToHexRGB(0x00C08040), u"4080C0");
  EXPECT_EQ(ColorToHexRGB(clRed), u"FF0000");
  EXPECT_EQ(ColorToHexRGB(clBtnFace), u"0F0000");  // system colours are not resolved
}

TEST_F(ZazAdezTest, ToMixedCase) {
  struct Case { const char16_t* text; const char16_t* mixed; };
  const Case cases[] = {
      {u"MCDONALD", u"McDonald"},       {u"louis iii", u"Louis III"},
      {u"henry viii", u"Henry Viii"},   {u"john o'neil-smith", u"John O'Neil-Smith"},
      {u"ronald mcdonald", u"Ronald McDonald"}, {u"pope john ii", u"Pope John II"},
      {u"charles i", u"Charles I"},     {u"", u""},
      {u"\u00E9MILE ZOLA", u"\u00C9mile Zola"},
  };
  for (const Case& c : cases) EXPECT_EQ(ToMixedCase(c.text), c.mixed) << Utf8(c.text);
}

TEST_F(ZazAdezTest, ChangeColorPercentHoldsChannelsInRange) {
  struct Case { TColor color; int percent; TColor expected; };
  const Case cases[] = {
      {0x0000C8, 50, 0x0000FF},  // 300 is held at 255 instead of wrapping to 44
      {0x000064, 50, 0x000096},
      {0x102030, -20, 0x0D1A26},  // 48-9.6, 32-6.4, 16-3.2 rounded
      {0x808080, -150, 0x000000},
      {0x0A0A0A, 5, 0x0A0A0A},    // 10.5 rounds to even
      {0x0E0E0E, 25, 0x121212},   // 17.5 rounds to even: 18
      {0x191919, 2, 0x1A1A1A},    // 25.5 rounds as a whole: 26
      {clBtnFace, 0, ColorToRGB(clBtnFace)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChangeColorPercent(c.color, c.percent), c.expected)
        << std::hex << c.color << " " << std::dec << c.percent;
}

// ---- URLs, HTML, references ---------------------------------------------------------------------

TEST_F(ZazAdezTest, URLs) {
  EXPECT_TRUE(IsURL(u"see http://x.org"));
  EXPECT_TRUE(IsURL(u"mailto:a@b.c"));
  EXPECT_FALSE(IsURL(u"www.x.org"));
  String t = u"http://x.org/a";
  StripURLProtocol(t);
  EXPECT_EQ(t, u"x.org/a");
  t = u"write mailto:a@b.c";
  StripURLProtocol(t);
  EXPECT_EQ(t, u"a@b.c");
  t = u"plain";
  StripURLProtocol(t);
  EXPECT_EQ(t, u"plain");

  struct Case { const char16_t* text; const char16_t* prefix; bool found; const char16_t* result; };
  const Case cases[] = {
      {u"go to http://x.org/a_b now", u"HTTP://", true,
       u"go to <a href=\"http://x.org/a_b\">http://x.org/a_b</a> now"},
      {u"<b>HTTP://X.ORG</b>", u"HTTP://", true,
       u"&lt;b&gt;<a href=\"HTTP://X.ORG\">HTTP://X.ORG</a>&lt;/b&gt;"},
      {u"mail mailto:a@b.c", u"MAILTO:", true, u"mail <a href=\"mailto:a@b.c\">mailto:a@b.c</a>"},
      {u"http://x.org?q=1", u"HTTP://", true, u"<a href=\"http://x.org\">http://x.org</a>?q=1"},
      {u"http://x.\u00E9", u"HTTP://", true, u"<a href=\"http://x.\">http://x.</a>\u00E9"},
      {u"no link", u"HTTP://", false, u"unchanged"},
  };
  for (const Case& c : cases) {
    String result = u"unchanged";
    EXPECT_EQ(InsertURLAnchor(c.text, c.prefix, result), c.found) << Utf8(c.text);
    EXPECT_EQ(result, c.result) << Utf8(c.text);
  }
}

// Reads the 8-digit value after a key of the clipboard header.
int HeaderValue(const std::string& doc, const std::string& key) {
  size_t p = doc.find(key);
  EXPECT_NE(p, std::string::npos) << key;
  return std::stoi(doc.substr(p + key.size(), 8));
}

TEST_F(ZazAdezTest, ClipboardHTMLOffsetsPointIntoTheUtf8Document) {
  const std::vector<String> fragments = {u"0123456789", u"", u"<td>K\u00F6ln \u20AC</td>",
                                         u"\u4E2D\u6587"};
  for (const String& f : fragments) {
    String doc = f;
    BuildClipboardHTML(doc);
    const std::string bytes = StringToUtf8(doc);
    SCOPED_TRACE(bytes);
    EXPECT_EQ(bytes.substr(0, 13), "Version:1.0\r\n");
    const int startHTML = HeaderValue(bytes, "StartHTML:");
    const int endHTML = HeaderValue(bytes, "EndHTML:");
    const int startFragment = HeaderValue(bytes, "StartFragment:");
    const int endFragment = HeaderValue(bytes, "EndFragment:");
    EXPECT_EQ(startHTML, 97);
    EXPECT_EQ(bytes.substr(startHTML, 10), "<!DOCTYPE ");
    EXPECT_EQ(bytes.substr(startFragment - 20, 20), "<!--StartFragment-->");
    EXPECT_EQ(bytes.substr(startFragment, endFragment - startFragment), StringToUtf8(f));
    EXPECT_EQ(bytes.substr(endFragment, 18), "<!--EndFragment-->");
    EXPECT_EQ(static_cast<size_t>(endHTML), bytes.size());
    EXPECT_NE(bytes.find("charset=utf-8"), std::string::npos);
  }
}

TEST_F(ZazAdezTest, ClipboardHTMLHeaderForATenCharacterFragment) {
  String doc = u"0123456789";
  BuildClipboardHTML(doc);
  EXPECT_EQ(Utf8(doc.substr(0, 97)),
            "Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000311\r\n"
            "StartFragment:00000269\r\nEndFragment:00000279\r\n");
}

TEST_F(ZazAdezTest, ParseRCCellRef) {
  struct Case { const char16_t* text; bool ok; int col, row; };
  const Case cases[] = {
      {u"R1C2", true, 2, 1},    {u"r10c3", true, 3, 10},  {u"R1C", false, 0, 0},
      {u"RC12", false, 0, 0},   {u"R12", false, 0, 0},    {u"X1C2", false, 0, 0},
      {u"R1Cx", false, 0, 0},   {u"R-1C5", true, 5, -1},  {u"R2C3C", false, 0, 0},
  };
  for (const Case& c : cases) {
    TPoint cell{-7, -7};
    EXPECT_EQ(ParseRCCellRef(c.text, cell), c.ok) << Utf8(c.text);
    if (c.ok) {
      EXPECT_EQ(cell.X, c.col) << Utf8(c.text);
      EXPECT_EQ(cell.Y, c.row) << Utf8(c.text);
    } else {
      EXPECT_EQ(cell.X, -7) << Utf8(c.text);
    }
  }
}

TEST_F(ZazAdezTest, ShortDates) {
  struct Case { const char16_t* text; bool dmy; int y, m, d; };
  const Case cases[] = {
      {u"3.4.25", true, 2025, 4, 3},   {u"3.4.26", true, 1926, 4, 3},
      {u"4/3/25", false, 2025, 4, 3},  {u"12-31-99", false, 1999, 12, 31},
      {u"1/2/0", false, 2000, 1, 2},   {u"3.4.2020", true, 2020, 4, 3},  // a full year stays
      {u"3.4.1926", true, 1926, 4, 3}, {u"3/4.2020", true, 0, 0, 0},     // "/" chosen, no second
      {u"3.4", true, 0, 0, 0},         {u"a.4.20", true, 0, 0, 0},
      {u"3 4 20", true, 0, 0, 0},      {u"", false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    TDateTime got = c.dmy ? ParseDateDMY(c.text) : ParseDateMDY(c.text);
    TDateTime expected = c.y ? EncodeDate(c.y, c.m, c.d) : 0;
    EXPECT_EQ(got, expected) << Utf8(c.text);
  }
  EXPECT_THROW(ParseDateDMY(u"31.4.20"), EConvertError);
  EXPECT_THROW(ParseDateMDY(u"13/1/20"), EConvertError);
}

TEST_F(ZazAdezTest, AddToDate) {
  const TDateTime noon = 0.5;
  struct Case { uint16_t years, months, days; TDateTime date; TDateTime expected; };
  const Case cases[] = {
      {0, 1, 0, EncodeDate(2020, 12, 15), EncodeDate(2021, 1, 15)},
      {0, 1, 0, EncodeDate(2021, 1, 31), EncodeDate(2021, 2, 28)},  // held in February
      {0, 1, 0, EncodeDate(2024, 1, 31), EncodeDate(2024, 2, 29)},
      {0, 65535, 0, EncodeDate(2021, 1, 15), EncodeDate(2020, 12, 15)},  // one month back
      {0, 65535, 0, EncodeDate(2021, 3, 31), EncodeDate(2021, 2, 28)},
      {1, 0, 0, EncodeDate(2020, 2, 29), EncodeDate(2021, 2, 28)},
      {65535, 0, 0, EncodeDate(2020, 6, 1), EncodeDate(2019, 6, 1)},
      {0, 0, 10, EncodeDate(2020, 12, 25), EncodeDate(2021, 1, 4)},
      {0, 0, 65535, EncodeDate(2021, 1, 1), EncodeDate(2020, 12, 31)},  // one day back
      {0, 2, 0, EncodeDate(2020, 5, 20) + noon, EncodeDate(2020, 7, 20) + noon},  // time kept
      {0, 0, 0, 100.25, 107.25},  // no step: the fallback increment of 7
      {1, 1, 0, 100.25, 107.25},  // more than one step: the fallback too
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(AddToDate(c.years, c.months, c.days, c.date, 7), c.expected)
        << c.years << " " << c.months << " " << c.days << " " << c.date;
  EXPECT_THROW(AddToDate(0, 13, 0, EncodeDate(2020, 12, 1), 0), EConvertError);
}

}  // namespace
