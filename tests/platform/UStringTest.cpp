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
