#include "platform/UString.h"
#include <gtest/gtest.h>

TEST(UString, Utf8RoundTripIncludingSurrogatesAndBadBytes) {
  const std::string text = "A\xC2\xB6\xE2\x82\xAC\xF0\x9F\x98\x80";  // A ¶ € 😀
  String u = Utf8ToString(text);
  ASSERT_EQ(u.size(), 5u);
  EXPECT_EQ(u[1], 0x00B6);
  EXPECT_EQ(u[2], 0x20AC);
  EXPECT_EQ(u[3], 0xD83D);
  EXPECT_EQ(StringToUtf8(u), text);
  EXPECT_EQ(Utf8ToString("\xFF" "a"), String(u"\uFFFDa"));
  EXPECT_EQ(StringToUtf8(String(1, u'\xD800')), "\xEF\xBF\xBD");
}

TEST(UString, Utf16ToUtf8WritesOnlyWellFormedUtf8) {
  const String hi(1, u'\xD83D'), lo(1, u'\xDE00');
  const std::string fffd = "\xEF\xBF\xBD";
  const String longAscii(100, u'a');
  struct Case {
    String text;
    std::string utf8;
  } cases[] = {
      {u"", ""},
      {u"plain", "plain"},
      {hi + lo, "\xF0\x9F\x98\x80"},
      {hi, fffd},
      {lo, fffd},
      {lo + hi, fffd + fffd},
      {hi + u"x", fffd + "x"},
      {u"x" + hi + hi + lo, "x" + fffd + "\xF0\x9F\x98\x80"},
      {u"\u007f\u0080\u07ff\u0800\uffff", "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"},
      {longAscii + u"\u00e9" + longAscii, std::string(100, 'a') + "\xC3\xA9" + std::string(100, 'a')},
      {String(1, u'\0') + u"a", std::string("\0a", 2)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StringToUtf8(c.text), c.utf8) << c.utf8;
    if (c.utf8.find("\xEF\xBF\xBD") == std::string::npos) {
      EXPECT_EQ(Utf8ToString(c.utf8), c.text);
    }
  }
}
