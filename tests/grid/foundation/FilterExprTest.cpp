#include <gtest/gtest.h>

#include "grid/foundation/ZazAdezFilter.h"
#include "platform/SysUtils.h"

namespace {

class FilterExprTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = FormatSettings();
    FormatSettings().DecimalSeparator = u'.';
    FormatSettings().ThousandSeparator = u',';
    FormatSettings().DateSeparator = u'/';
    FormatSettings().TimeSeparator = u':';
    FormatSettings().ShortDateFormat = u"dd/MM/yyyy";
  }
  void TearDown() override { FormatSettings() = saved_; }
  TFormatSettings saved_;
};

struct ExprCase {
  const char16_t* expr;
  const char16_t* cell;
  bool caseSensitive;
  bool expected;
};

TEST_F(FilterExprTest, ExpressionTable) {
  const ExprCase cases[] = {
      {u"=>5", u"7", false, true},
      {u">5", u"7", false, true},
      {u"=>5", u"3", false, false},
      {u">5", u"3", false, false},
      {u"  > 5 ", u"7", false, true},
      {u">=10", u"10", false, true},
      {u">=10", u"10.5", false, true},
      {u">=10", u"9", false, false},
      {u">5", u"abc", false, true},       // text order: "5" before "ABC"
      {u"<5", u"abc", false, false},
      {u"A*", u"apple", false, true},
      {u"A*", u"apple", true, false},
      {u"!A*", u"apple", false, false},
      {u"!A*", u"banana", false, true},
      {u"?b", u"ab", false, true},
      {u"?b", u"b", false, false},
      {u"x|y&z", u"x", false, false},     // left to right: (x or y) and z
      {u"x|y", u"y", false, true},
      {u"x;y", u"y", false, true},
      {u"x^y", u"x", false, true},
      {u"(a|b)&c", u"c", false, false},
      {u"(a|b)&c", u"a", false, false},
      {u"c&(a|c)", u"c", false, true},
      {u">5&<10", u"7", false, true},
      {u">5&<10", u"12", false, false},
      {u"\">5&<10\"", u"7", false, true},  // one condition inside quotes
      {u"\">5&<10\"", u"3", false, false},
      {u">01/02/2020", u"15/02/2020", false, true},
      {u">01/02/2020", u"15/01/2020", false, false},
      {u"<\"15/02/2020 11:00\"", u"15/02/2020 10:30", false, true},
      {u">\"15/02/2020 11:00\"", u"15/02/2020 10:30", false, false},
      {u"*an*", u"banana", false, true},
      {u"*x*", u"banana", false, false},
      {u"b*a", u"banana", false, true},
      {u"b*n", u"banana", false, false},
      {u"\"a|b\"", u"a|b", false, true},   // quoted operator is not split
      {u"", u"", false, true},
      {u"abc", u"ab", false, false},
      {u"ab", u"abc", false, false},       // the pattern ends before the value
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchFilterExpression(c.expr, c.cell, c.caseSensitive), c.expected)
        << StringToUtf8(c.expr) << " against " << StringToUtf8(c.cell);
  }
}

TEST_F(FilterExprTest, UnbalancedGroupRunsToTheEnd) {
  // Whatever follows an unclosed "(" is the group's inside; the call always returns.
  EXPECT_TRUE(MatchFilterExpression(u"(a|b", u"b", false));
  EXPECT_FALSE(MatchFilterExpression(u"(a|b", u"c", false));
  EXPECT_TRUE(MatchFilterExpression(u"x|((((y", u"y", false));
  EXPECT_FALSE(MatchFilterExpression(u"((((", u"y", false));
}

TEST_F(FilterExprTest, NumbersFollowTheLocaleSeparators) {
  FormatSettings().DecimalSeparator = u',';
  FormatSettings().ThousandSeparator = u'.';
  EXPECT_EQ(NormalizeLocaleNumber(u"1.234,5"), u"1234.5");
  EXPECT_TRUE(MatchFilterExpression(u">1000", u"1.234,5", false));
  EXPECT_FALSE(MatchFilterExpression(u">1234,6", u"1.234,5", false));
}

TEST_F(FilterExprTest, HelperRoutines) {
  int pos = 0;
  EXPECT_EQ(FindFirstOperator(u"&|", u"\"a&b\"|c", pos), u'|');
  EXPECT_EQ(pos, 6);
  EXPECT_EQ(FindFirstOperator(u"&|", u"abc", pos), 0);
  EXPECT_EQ(pos, -1);
  EXPECT_EQ(FindClosingParenthesis(u"(a(b)c)d"), 7);
  EXPECT_EQ(FindClosingParenthesis(u"(a(b)c"), 0);
  EXPECT_EQ(RemoveSpacesOutsideQuotes(u" a b \" c d \" e"), u"ab\" c d \"e");
}

TEST_F(FilterExprTest, LocaleDateTimes) {
  struct DateCase {
    const char16_t* format;
    const char16_t* text;
    bool ok;
    int y = 0, m = 0, d = 0, hh = 0, mm = 0, ss = 0;
  };
  const DateCase cases[] = {
      {u"dd/MM/yyyy", u"15/02/2020", true, 2020, 2, 15, 0, 0, 0},
      {u"dd/MM/yyyy", u"15/02/2020 10:30", true, 2020, 2, 15, 10, 30, 0},
      {u"dd/MM/yyyy", u"15/02/2020 10:30:45", true, 2020, 2, 15, 10, 30, 45},
      {u"M/d/yyyy", u"2/15/2020", true, 2020, 2, 15, 0, 0, 0},
      {u"yyyy/MM/dd", u"2020/02/15", true, 2020, 2, 15, 0, 0, 0},
      {u"dd/MM/yyyy", u"15/02/20", true, 20, 2, 15, 0, 0, 0},  // no century added
      {u"dd/MM/yyyy", u"31/02/2020", false},
      {u"dd/MM/yyyy", u"32/01/2020", false},
      {u"dd/MM/yyyy", u"15/13/2020", false},
      {u"dd/MM/yyyy", u"15/02", false},
      {u"dd/MM/yyyy", u"aa/02/2020", false},
      {u"dd/MM/yyyy", u"15/02/2020 24:00", false},
      {u"dd/MM/yyyy", u"15/02/2020 10:60", false},
      {u"dd/MM/yyyy", u"15/02/2020 10:30:60", false},  // second 60 does not encode
      {u"dd/MM/yyyy", u"15/02/2020 1030", false},
  };
  for (const auto& c : cases) {
    FormatSettings().ShortDateFormat = c.format;
    TDateTime dt = -1;
    ASSERT_EQ(ParseLocaleDateTime(c.text, dt), c.ok) << StringToUtf8(c.text);
    if (c.ok) {
      EXPECT_DOUBLE_EQ(dt, EncodeDate(c.y, c.m, c.d) + EncodeTime(c.hh, c.mm, c.ss, 0)) << StringToUtf8(c.text);
    }
  }
}

TEST_F(FilterExprTest, ManyStarsStayFast) {
  // Backtracking without memory would take exponential time here.
  String value(200, u'a');
  EXPECT_FALSE(MatchFilterExpression(u"*a*a*a*a*a*a*a*a*a*a*a*a*b", value, true));
  EXPECT_TRUE(MatchFilterExpression(u"*a*a*a*a*a*a*a*a*a*a*a*a*", value, true));
}

TEST_F(FilterExprTest, OperandsAreCutTo255Characters) {
  const String longA(300, u'a');
  // The value and the operand agree on their first 255 characters: equal, not greater.
  EXPECT_FALSE(MatchFilterCondition(u">" + longA + u"b", longA + u"c"));
  EXPECT_TRUE(MatchFilterCondition(u">=" + longA + u"b", longA));
}

}  // namespace
