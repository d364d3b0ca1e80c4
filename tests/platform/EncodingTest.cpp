#include "platform/Classes.h"
#include "platform/Encoding.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

const String kPilcrowFile = u"Pilcrow \u00b6 first\r\nsecond \u00b6\nthird\rlast \u00e9\u20ac\r\n";

String Fixture(const char* name) { return Utf8ToString(std::string(CONF_FIXTURES) + "/platform/" + name); }

std::string AllBytes() {
  std::string b;
  for (int i = 0; i < 256; ++i) b.push_back(static_cast<char>(i));
  return b;
}

TEST(Encoding, TextFilesInEveryEncodingReadIdentically) {
  struct Case {
    const char* file;
    TTextEncoding detected;
  } cases[] = {
      {"pilcrow_utf8bom.txt", teUTF8BOM}, {"pilcrow_utf16le.txt", teUTF16LE}, {"pilcrow_utf16be.txt", teUTF16BE},
      {"pilcrow_win1252.txt", teAnsi},    {"pilcrow_utf8.txt", teUTF8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    TTextEncoding detected = teOEM;
    EXPECT_EQ(ReadTextFile(Fixture(c.file), &detected), kPilcrowFile);
    EXPECT_EQ(detected, c.detected);
    std::vector<String> lines = SplitLines(ReadTextFile(Fixture(c.file)));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], u"Pilcrow \u00b6 first");
    EXPECT_EQ(lines[1], u"second \u00b6");
    EXPECT_EQ(lines[2], u"third");
    EXPECT_EQ(lines[3], u"last \u00e9\u20ac");
  }
}

TEST(Encoding, Win1252TableCoversEveryByteAndRoundTrips) {
  String all = Win1252ToString(AllBytes());
  ASSERT_EQ(all.size(), 256u);
  std::set<char16_t> distinct(all.begin(), all.end());
  EXPECT_EQ(distinct.size(), 256u);
  EXPECT_EQ(StringToWin1252(all), AllBytes());

  struct Case {
    unsigned char byte;
    char16_t ch;
  } cases[] = {{0x41, u'A'},     {0x80, 0x20AC}, {0x81, 0x0081}, {0x8A, 0x0160}, {0x8D, 0x008D}, {0x8F, 0x008F},
               {0x90, 0x0090},   {0x92, 0x2019}, {0x96, 0x2013}, {0x99, 0x2122}, {0x9D, 0x009D}, {0x9F, 0x0178},
               {0xA0, 0x00A0},   {0xB6, 0x00B6}, {0xE9, 0x00E9}, {0xFF, 0x00FF}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.byte);
    EXPECT_EQ(Win1252ToString(std::string(1, static_cast<char>(c.byte))), String(1, c.ch));
  }
}

TEST(Encoding, Cp850TableCoversEveryByteAndRoundTrips) {
  String all = Cp850ToString(AllBytes());
  ASSERT_EQ(all.size(), 256u);
  std::set<char16_t> distinct(all.begin(), all.end());
  EXPECT_EQ(distinct.size(), 256u);
  EXPECT_EQ(StringToCp850(all), AllBytes());
  // Every Latin-1 letter and sign has a place in code page 850.
  for (char16_t c = 0xA0; c <= 0xFF; ++c) EXPECT_TRUE(distinct.count(c)) << int(c);

  struct Case {
    unsigned char byte;
    char16_t ch;
  } cases[] = {{0x80, 0x00C7}, {0x81, 0x00FC}, {0x9C, 0x00A3}, {0x9E, 0x00D7}, {0x9F, 0x0192}, {0xB0, 0x2591},
               {0xC4, 0x2500}, {0xD5, 0x0131}, {0xE1, 0x00DF}, {0xF0, 0x00AD}, {0xF2, 0x2017}, {0xF4, 0x00B6},
               {0xFE, 0x25A0}, {0xFF, 0x00A0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.byte);
    EXPECT_EQ(Cp850ToString(std::string(1, static_cast<char>(c.byte))), String(1, c.ch));
  }
}

TEST(Encoding, UnmappableCharactersBecomeOneQuestionMarkPerCodePoint) {
  struct Case {
    String text;
    std::string ansi;
    std::string oem;
  } cases[] = {
      {u"\u20ac", "\x80", "?"},
      {u"\u0100x", "?x", "?x"},
      {u"\U0001F600", "?", "?"},
      {u"a\u00b6", "a\xb6", "a\xf4"},
      {String(1, u'\xD800') + u"z", "?z", "?z"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StringToWin1252(c.text), c.ansi);
    EXPECT_EQ(StringToCp850(c.text), c.oem);
  }
}

TEST(Encoding, StrictUtf8Validation) {
  struct Case {
    std::string bytes;
    bool valid;
  } cases[] = {
      {"", true},
      {"plain ascii", true},
      {"\xC2\xB6", true},
      {"\xE2\x82\xAC", true},
      {"\xF0\x9F\x98\x80", true},
      {"\xF4\x8F\xBF\xBF", true},
      {"\xB6", false},              // lone continuation byte
      {"\xC0\x80", false},          // overlong NUL
      {"\xC1\xBF", false},          // overlong
      {"\xE0\x80\x80", false},      // overlong three-byte
      {"\xED\xA0\x80", false},      // surrogate
      {"\xF0\x80\x80\x80", false},  // overlong four-byte
      {"\xF4\x90\x80\x80", false},  // above U+10FFFF
      {"\xE2\x82", false},          // cut at the end
      {"\xE2\x82x", false},         // cut in the middle
      {"\xFE", false},
      {"caf\xE9", false},  // Windows-1252 text
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(Encoding, DecodeDetectsByteOrderMarksAndFallsBackToAnsi) {
  struct Case {
    std::string bytes;
    String text;
    TTextEncoding detected;
  } cases[] = {
      {"", u"", teUTF8},
      {"abc", u"abc", teUTF8},
      {"\xEF\xBB\xBF", u"", teUTF8BOM},
      {"\xEF\xBB\xBF\xC2\xB6", u"\u00b6", teUTF8BOM},
      {std::string("\xFF\xFE\xB6\x00", 4), u"\u00b6", teUTF16LE},
      {std::string("\xFE\xFF\x00\xB6", 4), u"\u00b6", teUTF16BE},
      {std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), u"\U0001F600", teUTF16LE},
      {std::string("\xFF\xFE\x41\x00\x42", 5), u"A\uFFFD", teUTF16LE},  // odd last byte is not dropped
      {"\xB6\x80", u"\u00b6\u20ac", teAnsi},
      {"\xEF\xBB", u"\u00ef\u00bb", teAnsi},  // half a mark is ordinary text
  };
  for (const auto& c : cases) {
    TTextEncoding detected = teOEM;
    EXPECT_EQ(DecodeText(c.bytes, &detected), c.text);
    EXPECT_EQ(detected, c.detected);
  }
}

// Without a mark, text is UTF-8 when its well-formed multi-byte sequences are at least as many as
// its malformed ones; ANSI text, whose accents are followed by plain letters, is not.
TEST(Encoding, StrayBadSequencesInUtf8TextKeepItUtf8) {
  struct Case {
    std::string bytes;
    String text;
    TTextEncoding detected;
  } cases[] = {
      {"Caf\xC3\xA9 \xED\xA0\x80", u"Caf\u00e9 \uFFFD", teUTF8},  // an encoded lone surrogate
      {"\xED\xB0\x80 only", u"\uFFFD only", teUTF8},
      {"Caf\xC3\xA9 \xE9", u"Caf\u00e9 \uFFFD", teUTF8},
      {"\xE2\x82\xAC \xE2\x82 x", u"\u20ac \uFFFD\uFFFD x", teUTF8},  // a cut sequence counts once
      {"\xC3\xA9 \xE9t\xE9", u"\u00c3\u00a9 \u00e9t\u00e9", teAnsi},
      {"caf\xE9", u"caf\u00e9", teAnsi},
      {"\xE9t\xE9 \x80", u"\u00e9t\u00e9 \u20ac", teAnsi},
      {"\xC0\x80 \xC3\xA9", u"\uFFFD\uFFFD \u00e9", teUTF8},  // overlong
      {"\xF4\x90\x80\x80", u"\u00f4\u0090\u20ac\u20ac", teAnsi},  // above U+10FFFF, nothing good
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    TTextEncoding detected = teOEM;
    EXPECT_EQ(DecodeText(c.bytes, &detected), c.text);
    EXPECT_EQ(detected, c.detected);
    EXPECT_EQ(IsMostlyUtf8(c.bytes), c.detected == teUTF8);
  }
}

TEST(Encoding, Utf8SequenceLengthIsStrict) {
  struct Case {
    std::string bytes;
    size_t at;
    size_t length;
  } cases[] = {
      {"a", 0, 1},          {"", 0, 0},          {"a", 1, 0},          {"\xC2\x80", 0, 2},
      {"\xC2\x80", 1, 0}, {"\xC2", 0, 0},     {"\xC1\xBF", 0, 0}, {"\xE0\xA0\x80", 0, 3},
      {"\xE0\x9F\xBF", 0, 0},                 {"\xED\x9F\xBF", 0, 3},
      {"\xED\xA0\x80", 0, 0},                 {"\xEF\xBF\xBD", 0, 3},
      {"\xF0\x90\x80\x80", 0, 4},            {"\xF0\x8F\xBF\xBF", 0, 0},
      {"\xF4\x8F\xBF\xBF", 0, 4},            {"\xF4\x90\x80\x80", 0, 0},
      {"\xF0\x90\x80", 0, 0},                 {"x\xE2\x82\xAC", 1, 3},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8SequenceLength(c.bytes, c.at), c.length) << c.bytes << " at " << c.at;
}

TEST(Encoding, EncodeWritesMarksAndByteOrderAndDecodesBack) {
  const String text = u"A\u00b6\U0001F600";
  struct Case {
    TTextEncoding enc;
    std::string bytes;
  } cases[] = {
      {teUTF8, "A\xC2\xB6\xF0\x9F\x98\x80"},
      {teUTF8BOM, "\xEF\xBB\xBF" "A\xC2\xB6\xF0\x9F\x98\x80"},
      {teUTF16LE, std::string("\xFF\xFE\x41\x00\xB6\x00\x3D\xD8\x00\xDE", 10)},
      {teUTF16BE, std::string("\xFE\xFF\x00\x41\x00\xB6\xD8\x3D\xDE\x00", 10)},
      {teAnsi, "A\xB6?"},
      {teOEM, "A\xF4?"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.enc));
    EXPECT_EQ(EncodeText(text, c.enc), c.bytes);
    if (c.enc != teAnsi && c.enc != teOEM) {
      EXPECT_EQ(DecodeText(c.bytes), text);
    }
  }
}

TEST(Encoding, SplitLinesAtEveryKindOfLineEnd) {
  struct Case {
    String text;
    std::vector<String> lines;
  } cases[] = {
      {u"", {}},
      {u"a", {u"a"}},
      {u"a\r\n", {u"a"}},
      {u"a\r\nb", {u"a", u"b"}},
      {u"a\nb\rc\r\nd", {u"a", u"b", u"c", u"d"}},
      {u"a\n\rb", {u"a", u"", u"b"}},  // LF then CR are two line ends
      {u"\r\n\r\n", {u"", u""}},
      {u"a\r\n\r\nb\n", {u"a", u"", u"b"}},
      {String(u"x\0y", 3), {String(u"x\0y", 3)}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << StringToUtf8(c.text);
}

TEST(Encoding, ReadingAMissingFileRaisesOpenErrorNamingIt) {
  String path = Fixture("no_such_file.txt");
  try {
    ReadTextFile(path);
    FAIL() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message().find(u"Cannot open file \"" + path + u"\""), String::npos);
  }
}

TEST(Encoding, ReadingAFolderRaisesOpenError) {
  EXPECT_THROW(ReadTextFile(Utf8ToString(CONF_FIXTURES)), EFOpenError);
}

}  // namespace
