#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>
#include <limits>

#include "platform/testing/ScratchFolder.h"

#if defined(__SANITIZE_ADDRESS__) && __has_include(<sanitizer/lsan_interface.h>)
#include <sanitizer/lsan_interface.h>
#define CONF_HAVE_LSAN 1
#endif

namespace {

// Restores the process-wide settings after a test changes them.
class SettingsGuard {
 public:
  SettingsGuard() : saved_(FormatSettings()) {}
  ~SettingsGuard() { FormatSettings() = saved_; }

 private:
  TFormatSettings saved_;
};

// The defaults the routines are documented against, independent of the machine's locale.
class SysUtils : public ::testing::Test {
 protected:
  void SetUp() override { FormatSettings() = TFormatSettings(); }
  SettingsGuard guard_;
};

}  // namespace

TEST_F(SysUtils, CopyPosLengthUseOneBasedClampedIndices) {
  const String s = u"Gateway";
  struct Case { int index, count; const char16_t* want; };
  const Case cases[] = {{1, 3, u"Gat"},  {4, 100, u"eway"}, {0, 2, u"Ga"},  {-5, 2, u"Ga"},
                        {7, 1, u"y"},    {8, 1, u""},       {3, 0, u""},    {3, -1, u""},
                        {100, 2, u""},   {2, 2147483647, u"ateway"}};
  for (const Case& c : cases)
    EXPECT_EQ(Copy(s, c.index, c.count), String(c.want)) << c.index << "," << c.count;
  EXPECT_EQ(Length(s), 7);
  EXPECT_EQ(Pos(u"way", s), 5);
  EXPECT_EQ(Pos(u"G", s), 1);
  EXPECT_EQ(Pos(u"x", s), 0);
  EXPECT_EQ(Pos(u"", s), 0);
  EXPECT_EQ(Pos(u"Gateways", s), 0);
}

TEST_F(SysUtils, TrimRemovesControlCharactersAndBlanksOnly) {
  const String s = String(u"\t \x01") + u"a b" + String(u"\r\n\0 ", 4);
  EXPECT_EQ(Trim(s), u"a b");
  EXPECT_EQ(TrimLeft(s), String(u"a b\r\n\0 ", 7));
  EXPECT_EQ(TrimRight(s), u"\t \x01" u"a b");
  EXPECT_EQ(Trim(u"\u00A0x\u00A0"), u"\u00A0x\u00A0");  // no-break space is above ' '
  EXPECT_EQ(Trim(u"   "), u"");
}

TEST_F(SysUtils, CaseMappingAsciiVersusUnicode) {
  EXPECT_EQ(UpperCase(u"abz\u00e9\u00df"), u"ABZ\u00e9\u00df");
  EXPECT_EQ(LowerCase(u"ABZ\u00c9"), u"abz\u00c9");
  EXPECT_EQ(AnsiUpperCase(u"abz\u00e9\u00df\u0432"), u"ABZ\u00c9\u00df\u0412");  // length kept
  EXPECT_EQ(AnsiLowerCase(u"\u00c9\u0412X"), u"\u00e9\u0432x");
  const String emoji = u"\U0001F600";
  EXPECT_EQ(AnsiUpperCase(emoji), emoji);
}

TEST_F(SysUtils, ComparisonsAndReplace) {
  EXPECT_EQ(CompareText(u"abc", u"ABC"), 0);
  EXPECT_LT(CompareText(u"abc", u"ABD"), 0);
  EXPECT_GT(CompareText(u"abcd", u"ABC"), 0);
  EXPECT_GT(CompareText(u"_", u"a"), 0);  // letters compare as upper case, which sorts before '_' 
  EXPECT_TRUE(SameText(u"Kelvane.XML", u"kelvane.xml"));
  EXPECT_FALSE(SameText(u"\u00e9", u"\u00c9"));
  EXPECT_GT(CompareStr(u"a", u"B"), 0);
  EXPECT_EQ(CompareStr(u"x", u"x"), 0);
  EXPECT_EQ(StringReplace(u"a.b.c", u".", u"::"), u"a::b::c");
  EXPECT_EQ(StringReplace(u"a.b.c", u".", u"", false), u"ab.c");
  EXPECT_EQ(StringReplace(u"One one ONE", u"one", u"1", true, true), u"1 1 1");
  EXPECT_EQ(StringReplace(u"One one ONE", u"one", u"1"), u"One 1 ONE");
  EXPECT_EQ(StringReplace(u"aaa", u"aa", u"a"), u"aa");
  EXPECT_EQ(StringReplace(u"abc", u"", u"x"), u"abc");
  EXPECT_EQ(StringOfChar(u'-', 3), u"---");
  EXPECT_EQ(StringOfChar(u'-', -1), u"");
}

TEST_F(SysUtils, IntToStrAndIntToHex) {
  EXPECT_EQ(IntToStr(0), u"0");
  EXPECT_EQ(IntToStr(-42), u"-42");
  EXPECT_EQ(IntToStr(std::numeric_limits<int64_t>::min()), u"-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4), u"00FF");
  EXPECT_EQ(IntToHex(0x1ABCD, 2), u"1ABCD");
  EXPECT_EQ(IntToHex(0, 0), u"0");
  EXPECT_EQ(IntToHex(-1, 2), u"FFFFFFFF");
  EXPECT_EQ(IntToHex(int64_t{-1}, 2), u"FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(uint64_t{0x8000000000000000ull}, 1), u"8000000000000000");
  EXPECT_EQ(IntToHex(0xFFFFFFFFu, 10), u"00FFFFFFFF");
}

TEST_F(SysUtils, StrToIntDefFollowsTheIntegerSyntax) {
  struct Case { const char16_t* text; int want; };
  const Case cases[] = {
      {u"  12", 12},        {u"+7", 7},           {u"$1F", 31},          {u"0x1F", 31},
      {u"12 ", -1},         {u"", -1},            {u"2147483648", -1},   {u"2147483647", 2147483647},
      {u"-2147483648", -2147483647 - 1},          {u"-2147483649", -1},  {u"0X1f", 31},
      {u"x10", 16},         {u"X10", 16},         {u"-$10", -16},        {u"$FFFFFFFF", -1},
      {u"$100000000", -1},  {u"$", -1},           {u"0x", -1},           {u"-", -1},
      {u"+", -1},           {u" -5", -5},         {u"\t5", -1},          {u"1 2", -1},
      {u"007", 7},          {u"1e3", -1},         {u"12.0", -1},         {u"$G", -1},
      {u"--1", -1},         {u"\uFF11", -1},      {u"0", 0},             {u"$7FFFFFFF", 2147483647},
  };
  for (const Case& c : cases) EXPECT_EQ(StrToIntDef(c.text, -1), c.want) << StringToUtf8(c.text);
  // -1 as the default cannot tell "$FFFFFFFF" from a failure: check that one directly.
  int v = 0;
  EXPECT_TRUE(TryStrToInt(u"$FFFFFFFF", v));
  EXPECT_EQ(v, -1);
  EXPECT_FALSE(TryStrToInt(u"12 ", v));
}

TEST_F(SysUtils, StrToInt64Range) {
  struct Case { const char16_t* text; bool ok; int64_t want; };
  const Case cases[] = {
      {u"9223372036854775807", true, std::numeric_limits<int64_t>::max()},
      {u"-9223372036854775808", true, std::numeric_limits<int64_t>::min()},
      {u"9223372036854775808", false, 0},
      {u"99999999999999999999999", false, 0},
      {u"2147483648", true, 2147483648LL},
      {u"$FFFFFFFFFFFFFFFF", true, -1},
      {u"$10000000000000000", false, 0},
      {u"0x7fffffffffffffff", true, std::numeric_limits<int64_t>::max()},
  };
  for (const Case& c : cases) {
    int64_t v = 0;
    EXPECT_EQ(TryStrToInt64(c.text, v), c.ok) << StringToUtf8(c.text);
    if (c.ok) {
      EXPECT_EQ(v, c.want) << StringToUtf8(c.text);
    }
  }
  EXPECT_EQ(StrToInt64Def(u"x", 5), 5);
}

TEST_F(SysUtils, StrToIntRaisesWithTheText) {
  try {
    StrToInt(u"12a");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'12a' is not a valid integer value");
    EXPECT_STREQ(e.what(), "'12a' is not a valid integer value");
  }
  EXPECT_THROW(StrToInt64(u""), EConvertError);
  EXPECT_EQ(StrToInt(u"-0x10"), -16);
}

TEST_F(SysUtils, StrToFloatUsesTheDecimalSeparator) {
  struct Case { Char sep; const char16_t* text; bool ok; double want; };
  const Case cases[] = {
      {u'.', u"1.5", true, 1.5},       {u'.', u" -2.25 ", true, -2.25}, {u'.', u"1,5", false, 0},
      {u',', u"1,5", true, 1.5},       {u',', u"1.5", false, 0},        {u'.', u"1e3", true, 1000},
      {u'.', u"2.5E-2", true, 0.025},  {u'.', u".5", true, 0.5},        {u'.', u"5.", true, 5},
      {u'.', u"+3", true, 3},          {u'.', u"", false, 0},           {u'.', u".", false, 0},
      {u'.', u"1e", false, 0},         {u'.', u"1,000.5", false, 0},    {u'.', u"INF", false, 0},
      {u'.', u"NAN", false, 0},        {u'.', u"0x10", false, 0},       {u'.', u"1e999", false, 0},
      {u'.', u"1e-999", true, 0},      {u'.', u"-1e-99999999999999999999", true, 0},
      {u'.', u"1e99999999999999999999", false, 0},      {u'.', u"0.0001e-400", true, 0},      {u'.', u"1.5x", false, 0},       {u'.', u"- 1", false, 0},
  };
  for (const Case& c : cases) {
    FormatSettings().DecimalSeparator = c.sep;
    double v = -99;
    EXPECT_EQ(TryStrToFloat(c.text, v), c.ok) << StringToUtf8(c.text) << " sep " << char(c.sep);
    if (c.ok) {
      EXPECT_DOUBLE_EQ(v, c.want) << StringToUtf8(c.text);
    }
  }
  FormatSettings().DecimalSeparator = u'.';
  EXPECT_EQ(StrToFloat(u"0.1"), 0.1);  // correctly rounded
  try {
    StrToFloat(u"abc");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'abc' is not a valid floating point value");
  }
}

TEST_F(SysUtils, FloatToStrGeneralFormWithFifteenDigits) {
  struct Case { double v; const char16_t* want; };
  const Case cases[] = {
      {0.1 + 0.2, u"0.3"},
      {0, u"0"},
      {-0.0, u"0"},
      {1.5, u"1.5"},
      {-2.25, u"-2.25"},
      {100, u"100"},
      {1.0 / 3, u"0.333333333333333"},
      {2.0 / 3, u"0.666666666666667"},
      {123456789012345.0, u"123456789012345"},
      {1e15, u"1E15"},
      {1.5e20, u"1.5E20"},
      {1234567890123456.0, u"1.23456789012346E15"},
      {0.0001, u"0.0001"},
      {1e-5, u"1E-5"},
      {-1.25e-7, u"-1.25E-7"},
      {0.00012345, u"0.00012345"},
      {999999999999999.9, u"1E15"},
      {std::numeric_limits<double>::infinity(), u"INF"},
      {-std::numeric_limits<double>::infinity(), u"-INF"},
      {std::nan(""), u"NAN"},
  };
  for (const Case& c : cases) EXPECT_EQ(FloatToStr(c.v), String(c.want)) << c.v;
  FormatSettings().DecimalSeparator = u',';
  EXPECT_EQ(FloatToStr(-1.5), u"-1,5");
  EXPECT_EQ(FloatToStr(2.5e-9), u"2,5E-9");
}

TEST_F(SysUtils, FloatTextRoundTripsThroughStrToFloat) {
  for (double v : {0.3, 1.0 / 7, 123.456, 1e-5, 6.02214076e23, -42.0}) {
    double back = 0;
    ASSERT_TRUE(TryStrToFloat(FloatToStr(v), back)) << v;
    EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << v;
  }
}

TEST_F(SysUtils, RoundTiesToEvenAndTruncTowardsZero) {
  struct Case { double v; int64_t round, trunc; };
  const Case cases[] = {{0.5, 0, 0},   {1.5, 2, 1},    {2.5, 2, 2},     {-0.5, 0, 0},
                        {-1.5, -2, -1}, {-2.5, -2, -2}, {2.4999, 2, 2},  {2.5001, 3, 2},
                        {-2.7, -3, -2}, {1e15 + 0.5, 1000000000000000, 1000000000000000}};
  for (const Case& c : cases) {
    EXPECT_EQ(Round(c.v), c.round) << c.v;
    EXPECT_EQ(Trunc(c.v), c.trunc) << c.v;
  }
  EXPECT_THROW(Round(std::nan("")), EInvalidOp);
  EXPECT_THROW(Round(1e19), EInvalidOp);
  EXPECT_THROW(Trunc(-std::numeric_limits<double>::infinity()), EInvalidOp);
}

TEST_F(SysUtils, FormatDirectives) {
  struct Case { const char16_t* fmt; std::vector<TVarRec> args; const char16_t* want; };
  const std::vector<Case> cases = {
      {u"%d", {42}, u"42"},
      {u"[%5d]", {42}, u"[   42]"},
      {u"[%-5d]", {42}, u"[42   ]"},
      {u"%.4d", {-42}, u"-0042"},
      {u"%d", {int64_t{-9000000000}}, u"-9000000000"},
      {u"%u", {-1}, u"4294967295"},
      {u"%u", {int64_t{-1}}, u"18446744073709551615"},
      {u"%x", {255}, u"FF"},
      {u"%.4x", {255}, u"00FF"},
      {u"%x", {-1}, u"FFFFFFFF"},
      {u"%X", {int64_t{0x123456789}}, u"123456789"},
      {u"%s and %s", {u"a", String(u"b")}, u"a and b"},
      {u"[%6s|%-6s]", {u"ab", u"cd"}, u"[    ab|cd    ]"},
      {u"%.2s", {u"abcdef"}, u"ab"},
      {u"%s", {u'c'}, u"c"},
      {u"%f", {1.0}, u"1.00"},
      {u"%.3f", {-2.5}, u"-2.500"},
      {u"%.0f", {2.5}, u"3"},
      {u"%.2f", {2.675}, u"2.68"},
      {u"%.2f", {1.005}, u"1.01"},
      {u"%.2f", {-0.001}, u"0.00"},
      {u"%8.2f", {3.14159}, u"    3.14"},
      {u"%.20f", {0.1}, u"0.10000000000000000000"},
      {u"%f", {1e16}, u"1E16"},
      {u"%n", {1234567.891}, u"1,234,567.89"},
      {u"%.0n", {-1234567.5}, u"-1,234,568"},
      {u"%.1n", {999.95}, u"1,000.0"},
      {u"%n", {12.0}, u"12.00"},
      {u"%m", {-1234.5}, u"-$1,234.50"},
      {u"%e", {1.0}, u"1.00000000000000E+000"},
      {u"%.3e", {1234.5}, u"1.23E+003"},
      {u"%.3e", {-0.00012345}, u"-1.23E-004"},
      {u"%.1e", {0.0}, u"0E+000"},
      {u"%g", {0.1 + 0.2}, u"0.3"},
      {u"%.3g", {1234.5}, u"1.23E3"},
      {u"%g", {1e-5}, u"1E-5"},
      {u"%%%d%%", {5}, u"%5%"},
      {u"%1:s %0:s %s", {u"a", u"b"}, u"b a b"},
      {u"%*d|%-*d|%.*f", {4, 7, 3, 8, 1, 2.25}, u"   7|8  |2.3"},
      {u"%0:s-%0:s", {u"x"}, u"x-x"},
      {u"no directives", {}, u"no directives"},
      {u"%D %S", {1, u"s"}, u"1 s"},
  };
  for (const Case& c : cases) EXPECT_EQ(Format(c.fmt, c.args), String(c.want)) << StringToUtf8(c.fmt);
}

TEST_F(SysUtils, FormatFixedFollowsTheSeparators) {
  struct Case { Char dec, thou; const char16_t* fmt; double v; const char16_t* want; };
  const Case cases[] = {
      {u'.', u',', u"%.2f", 1234.5, u"1234.50"},    {u',', u'.', u"%.2f", 1234.5, u"1234,50"},
      {u'.', u',', u"%.2n", 1234.5, u"1,234.50"},   {u',', u'.', u"%.2n", 1234.5, u"1.234,50"},
      {u',', u' ', u"%.1n", -1234567.0, u"-1 234 567,0"},
      {u',', u'.', u"%.3e", 1.5, u"1,50E+000"},     {u',', u'.', u"%g", 0.25, u"0,25"},
  };
  for (const Case& c : cases) {
    FormatSettings().DecimalSeparator = c.dec;
    FormatSettings().ThousandSeparator = c.thou;
    EXPECT_EQ(Format(c.fmt, {c.v}), String(c.want)) << StringToUtf8(c.fmt) << " " << char(c.dec);
  }
}

TEST_F(SysUtils, FormatMoneyPlacesTheCurrency) {
  FormatSettings().CurrencyString = u"EUR";
  FormatSettings().CurrencyDecimals = 1;
  const char16_t* want[] = {u"EUR2.5", u"2.5EUR", u"EUR 2.5", u"2.5 EUR"};
  for (uint8_t f = 0; f < 4; ++f) {
    FormatSettings().CurrencyFormat = f;
    EXPECT_EQ(Format(u"%m", {2.5}), String(want[f])) << int(f);
  }
  EXPECT_EQ(Format(u"%.3m", {-2.5}), u"-2.500 EUR");
}

TEST_F(SysUtils, FormatRejectsBadDirectivesAndMismatches) {
  struct Case { const char16_t* fmt; std::vector<TVarRec> args; };
  const std::vector<Case> cases = {
      {u"%x", {1.5}},   {u"%d", {u"1"}},  {u"%s", {1}},     {u"%f", {1}},    {u"%d", {}},
      {u"%d %d", {1}},  {u"%q", {1}},     {u"%", {1}},      {u"%5", {1}},    {u"%2:d", {1, 2}},
      {u"%*d", {u"a", 1}},               {u"%99999999999d", {1}},           {u"%p", {1}},
      {u"%.*f", {-1, 1.0}},
  };
  for (const Case& c : cases) {
    try {
      Format(c.fmt, c.args);
      ADD_FAILURE() << "accepted " << StringToUtf8(c.fmt);
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), u"Format '" + String(c.fmt) + u"' invalid or incompatible with argument");
    }
  }
}

TEST_F(SysUtils, FormatLiteralDReplacesOnlyPercentD) {
  EXPECT_EQ(FormatLiteralD(u"Port %d of %d", {2, 8}), u"Port 2 of 8");
  // Other directives in a translated text are plain text and cannot reach any formatter.
  EXPECT_EQ(FormatLiteralD(u"%s %n %x 100% %d%%", {-3}), u"%s %n %x 100% -3%%");
  EXPECT_EQ(FormatLiteralD(u"%d and %d", {1}), u"1 and %d");
  EXPECT_EQ(FormatLiteralD(u"none", {1, 2}), u"none");
  EXPECT_EQ(FormatLiteralD(u"%d", {int64_t{-9000000000}}), u"-9000000000");
  EXPECT_EQ(FormatLiteralD(u"%%d", {7}), u"%7");
}

TEST(SysUtilsSettings, CLocaleGivesTheDocumentedDefaults) {
  for (const char* name : {"C", "POSIX", "C.UTF-8", "no_SUCH.locale"}) {
    TFormatSettings fs = FormatSettingsFromLocale(name);
    EXPECT_EQ(fs.DecimalSeparator, u'.') << name;
    EXPECT_EQ(fs.ThousandSeparator, u',') << name;
    EXPECT_EQ(fs.DateSeparator, u'/') << name;
    EXPECT_EQ(fs.TimeSeparator, u':') << name;
    EXPECT_EQ(fs.ShortDateFormat, u"M/d/yyyy") << name;
    EXPECT_EQ(fs.LongTimeFormat, u"h:mm:ss AMPM") << name;
  }
}

TEST(SysUtilsSettings, SettingsAreReadOnEveryCall) {
  SettingsGuard guard;
  FormatSettings().DecimalSeparator = u'.';
  const String before = FloatToStr(0.5);
  FormatSettings().DecimalSeparator = u',';
  EXPECT_EQ(before, u"0.5");
  EXPECT_EQ(FloatToStr(0.5), u"0,5");
  ResetFormatSettings();
  EXPECT_EQ(FormatSettings().DecimalSeparator, FormatSettingsFromLocale("").DecimalSeparator);
}

TEST(SysUtilsExceptions, MessageCanBeChangedAndClassesAreExceptions) {
  EConvertError e(u"first");
  e.SetMessage(u"second \u00e9");
  EXPECT_EQ(e.Message(), u"second \u00e9");
  EXPECT_STREQ(e.what(), "second \xC3\xA9");
  const Exception* base = &e;
  EXPECT_NE(dynamic_cast<const EConvertError*>(base), nullptr);
  EXPECT_THROW(throw EAbort(u""), Exception);
  EXPECT_THROW(throw EInOutError(u""), Exception);
  EXPECT_THROW(throw EArgumentOutOfRangeException(u""), std::exception);
}

namespace {

// Sets environment variables for one scope and puts the old values back.
class EnvGuard {
 public:
  void Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old ? old : "", old != nullptr});
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~EnvGuard() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->had) setenv(it->name.c_str(), it->value.c_str(), 1);
      else unsetenv(it->name.c_str());
    }
  }

 private:
  struct Saved { std::string name, value; bool had; };
  std::vector<Saved> saved_;
};

}  // namespace

// Builds a German locale into a private folder, so the test does not depend on the locales the
// machine has installed.
TEST(SysUtilsSettings, ReadsSeparatorsFormatsAndNamesFromALocale) {
  TScratchFolder scratch("sysutils_locale");
  const std::string folder = scratch.Path().string();
  const std::string target = folder + "/de_DE.UTF-8";
  const std::string cmd = "localedef -i de_DE -f UTF-8 '" + target + "' >/dev/null 2>&1";
  const bool built = std::system(cmd.c_str()) == 0;
  TFormatSettings fs, mixed;
  {
    EnvGuard env;
    env.Set("LOCPATH", folder.c_str());
#ifdef CONF_HAVE_LSAN
    // glibc keeps the LOCPATH search list of a loaded locale for good.
    __lsan::ScopedDisabler keepGlibcLocaleData;
#endif
    if (built) {
      fs = FormatSettingsFromLocale("de_DE.UTF-8");
      // The system settings take numbers and times from their own categories.
      env.Set("LC_ALL", nullptr);
      env.Set("LANG", "C");
      env.Set("LC_NUMERIC", "de_DE.UTF-8");
      env.Set("LC_TIME", "C");
      mixed = FormatSettingsFromLocale("");
    }
  }
  if (!built) GTEST_SKIP() << "localedef could not build de_DE";
  EXPECT_EQ(fs.DecimalSeparator, u',');
  EXPECT_EQ(fs.ThousandSeparator, u'.');
  EXPECT_EQ(fs.DateSeparator, u'.');
  EXPECT_EQ(fs.TimeSeparator, u':');
  EXPECT_EQ(fs.ShortDateFormat, u"dd.MM.yyyy");
  EXPECT_EQ(fs.LongTimeFormat, u"hh:nn:ss");
  EXPECT_EQ(fs.ShortTimeFormat, u"hh:nn");
  EXPECT_EQ(fs.LongMonthNames[2], u"M\u00e4rz");
  EXPECT_EQ(fs.ShortDayNames[0], u"So");
  EXPECT_EQ(mixed.DecimalSeparator, u',');
  EXPECT_EQ(mixed.ShortDateFormat, u"M/d/yyyy");
  EXPECT_EQ(mixed.LongMonthNames[2], u"March");
}
