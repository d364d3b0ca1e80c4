// The drop-down edit's value model: value of an edit text, number reading and writing, money
// grouping, the sign toggle and the typing guards.
#include <gtest/gtest.h>

#include <string>

#include "grid/dropdown/AdvDropDownValue.h"
#include "platform/SysUtils.h"

namespace {

// The ASCII test texts for failure messages.
std::string DropDownValueNarrow(const char16_t* S) { return std::string(S, S + std::char_traits<char16_t>::length(S)); }

class DropDownValueTest : public ::testing::Test {
 protected:
  void SetUp() override { FormatSettings() = TFormatSettings{}; }  // '.' decimal, ',' thousand
  void TearDown() override { FormatSettings() = saved; }
  TFormatSettings saved = FormatSettings();
};

TEST_F(DropDownValueTest, ValueOfAnEditText) {
  const struct {
    const char16_t *Text, *Prefix, *Suffix, *Value;
  } cases[] = {
      {u"$ 12 kg", u"$ ", u" kg", u"12"},
      {u"$ 12ab", u"$ ", u"xy", u"12"},  // the suffix's length counts, not its characters
      {u"12 kg", u"$ ", u" kg", u"12"},  // no prefix at the start: nothing taken off there
      {u"kg", u"", u" kg", u""},
      {u"", u"$", u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(DropDownValueOf(c.Text, c.Prefix, c.Suffix), String(c.Value)) << DropDownValueNarrow(c.Text);
}

TEST_F(DropDownValueTest, WrittenValues) {
  const struct {
    const char16_t* Value;
    TDropDownEditType Type;
    int Precision;
    const char16_t* Shown;
  } cases[] = {
      {u"", etFloat, 2, u"0.00"},       {u"1234.5", etMoney, 2, u"1,234.50"}, {u"", etNumeric, 0, u"0"},
      {u"", etHex, 0, u"0"},            {u"ff", etHex, 0, u"FF"},             {u"", etString, 2, u""},
      {u"Error", etFloat, 2, u"Error"}, {u"abc", etFloat, 1, u"0.0"},         {u"1.5", etFloat, 0, u"1.5"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatDropDownValue(c.Value, c.Type, c.Precision), String(c.Shown)) << DropDownValueNarrow(c.Value) << " " << int(c.Type);
}

TEST_F(DropDownValueTest, NumberOfAValueByType) {
  const struct {
    const char16_t* Value;
    TDropDownEditType Type;
    double Number;
  } cases[] = {
      {u"12abc", etString, 12}, {u"abc", etString, 0},   {u"-", etNumeric, 0},     {u"Error", etFloat, 0},
      {u"", etFloat, 0},        {u"1,234.", etMoney, 1234}, {u"-", etMoney, 0},    {u"ff", etHex, 255},
      {u"-2.5", etFloat, -2.5}, {u"12", etRange, 0},     {u"x", etNumeric, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(DropDownFloatValue(c.Value, c.Type), c.Number) << DropDownValueNarrow(c.Value);
}

TEST_F(DropDownValueTest, MoneyIsGroupedFromItsTypedDigits) {
  const struct {
    const char16_t* Value;
    bool Auto;
    const char16_t* Grouped;
  } cases[] = {
      {u"1234.5", true, u"1,234.5"},
      {u"-12,34", true, u"-1,234"},
      {u"1234", false, u"1234"},
      {u".5", true, u"0.5"},
      {u"007", true, u"7"},
      {u"", true, u""},
      // Past what a double holds exactly: every typed digit stays.
      {u"12345678901234567890123.45", true, u"12,345,678,901,234,567,890,123.45"},
  };
  for (const auto& c : cases) EXPECT_EQ(GroupMoneyValue(c.Value, c.Auto), String(c.Grouped)) << DropDownValueNarrow(c.Value);
  FormatSettings().ThousandSeparator = u'.';
  FormatSettings().DecimalSeparator = u',';
  EXPECT_EQ(GroupMoneyValue(u"1.2345,6", true), u"12.345,6");
}

TEST_F(DropDownValueTest, SignToggleKeepsPrefixAndSuffixAndRemovesTheMinus) {
  TDropDownEditState on = ToggleDropDownSign(u"12", u"$ ", u" kg", 4);
  EXPECT_EQ(on.EditText, u"$ -12 kg");
  EXPECT_EQ(on.Caret, 5);
  TDropDownEditState off = ToggleDropDownSign(u"-12", u"$ ", u" kg", 5);
  EXPECT_EQ(off.EditText, u"$ 12 kg");
  EXPECT_EQ(off.Caret, 4);
  // The minus is what goes, wherever it stands, and a caret in the prefix lands after it.
  TDropDownEditState odd = ToggleDropDownSign(u"1-2", u"$ ", u"", 1);
  EXPECT_EQ(odd.EditText, u"$ 12");
  EXPECT_EQ(odd.Caret, 2);
  EXPECT_EQ(ToggleDropDownSign(u"", u"", u"", 0).EditText, u"-");
}

TEST_F(DropDownValueTest, PrecisionFull) {
  const struct {
    const char16_t* Value;
    int Caret, Precision;
    bool Full;
  } cases[] = {
      {u"1.23", 2, 2, true},  {u"1.23", 4, 2, true},   {u"1.2", 3, 2, false}, {u"1.23", 1, 2, false},
      {u"123", 3, 2, false},  {u"1.23", 4, 0, false},  {u"1.234", 2, 2, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DropDownPrecisionFull(c.Value, c.Caret, 0, c.Precision), c.Full) << DropDownValueNarrow(c.Value) << " " << c.Caret;
  EXPECT_TRUE(DropDownPrecisionFull(u"1.23", 5, 1, 2));  // behind a one-character prefix
}

TEST_F(DropDownValueTest, ThousandGroupGuard) {
  const struct {
    const char16_t* Value;
    int Caret;
    bool Objects;
  } cases[] = {
      {u"1234", 1, false},  {u"1,234", 5, false}, {u"1,234", 4, true},
      {u"1,2345", 6, true}, {u"1,234,567", 9, false}, {u"1,234,567", 8, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DropDownThousandGroupGuard(c.Value, c.Caret, 0), c.Objects) << DropDownValueNarrow(c.Value) << " " << c.Caret;
}

TEST_F(DropDownValueTest, MoneyEditRegroupedMovesTheCaretByTheGrowth) {
  TDropDownEditState r = RegroupMoneyEdit(u"$ 1234 kg", u"$ ", u" kg", 6, true);
  EXPECT_EQ(r.EditText, u"$ 1,234 kg");
  EXPECT_EQ(r.Caret, 7);
  r = RegroupMoneyEdit(u"1,23", u"", u"", 4, true);  // a digit deleted
  EXPECT_EQ(r.EditText, u"123");
  EXPECT_EQ(r.Caret, 3);
  r = RegroupMoneyEdit(u"$ ", u"$ ", u"", 2, true);
  EXPECT_EQ(r.EditText, u"$ ");
  EXPECT_EQ(r.Caret, 2);
}

TEST_F(DropDownValueTest, PasteAcceptedByType) {
  const struct {
    TDropDownEditType Type;
    const char16_t *Pasted, *Clipboard;
    int Precision;
    bool Signed, Accepted;
  } cases[] = {
      {etNumeric, u"12ab", u"ab", 0, true, false},   {etNumeric, u"123", u"3", 0, false, true},
      {etNumeric, u"-12", u"-", 0, false, false},    {etNumeric, u"-12", u"-", 0, true, true},
      {etFloat, u"1.5", u"1.5", 0, true, false},     {etFloat, u"1.5", u"1.5", 2, true, true},
      {etMoney, u"1,234.5", u"1,234.5", 2, true, true}, {etFloat, u"1x", u"x", 2, true, false},
      {etRange, u"1-2", u"1-2", 0, true, false},     {etHex, u"ff", u"ff", 0, true, false},
      {etAlphaNumeric, u"ab1", u"b1", 0, true, true}, {etAlphaNumeric, u"a-b", u"-", 0, true, false},
      {etValidChars, u"xx", u"x", 0, true, true},    {etValidChars, u"xy", u"y", 0, true, false},
      {etString, u"any text", u"text", 0, true, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DropDownPasteAccepted(c.Type, c.Pasted, c.Clipboard, c.Precision, c.Signed, u"x"), c.Accepted)
        << DropDownValueNarrow(c.Pasted) << " " << int(c.Type);
}

TEST_F(DropDownValueTest, IntegerPartEnd) {
  EXPECT_EQ(DropDownIntegerPartEnd(u"1,234.5", false), 5);
  EXPECT_EQ(DropDownIntegerPartEnd(u"12", false), 3);
  EXPECT_EQ(DropDownIntegerPartEnd(u"-12", true), 3);
  EXPECT_EQ(DropDownIntegerPartEnd(u"-12", false), 4);
}

}  // namespace
