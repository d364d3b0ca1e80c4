// The drop-down edit's typed-character filter, per edit type.
#include <gtest/gtest.h>

#include "grid/dropdown/AdvDropDownTyping.h"
#include "platform/SysUtils.h"

namespace {

class DropDownTypingTest : public ::testing::Test {
 protected:
  void SetUp() override { FormatSettings() = TFormatSettings{}; }  // '.' decimal, ',' thousand
  void TearDown() override { FormatSettings() = saved; }

  TDropDownTypingResult Type(const String& text, int selStart, int selLength, Char key, bool keypad = false,
                             bool ctrl = false) {
    return FilterDropDownChar(settings, {text, selStart, selLength}, key, keypad, ctrl);
  }

  TFormatSettings saved = FormatSettings();
  TDropDownTypingSettings settings;
};

TEST_F(DropDownTypingTest, MinusTogglesTheSignOfANumberKeepingThePrefix) {
  settings.EditType = etNumeric;
  settings.Signed = true;
  settings.Prefix = u"$ ";
  TDropDownTypingResult r = Type(u"$ 12", 4, 0, u'-');
  EXPECT_FALSE(r.Pass);
  EXPECT_EQ(r.State.EditText, u"$ -12");
  r = Type(r.State.EditText, r.State.SelStart, 0, u'-');
  EXPECT_EQ(r.State.EditText, u"$ 12");
  // A whole selected value becomes a lone minus behind the prefix.
  r = Type(u"$ 12", 2, 2, u'-');
  EXPECT_EQ(r.State.EditText, u"$ -");
  EXPECT_EQ(r.State.SelStart, 3);
  settings.Signed = false;
  r = Type(u"$ 12", 4, 0, u'-');
  EXPECT_FALSE(r.Pass);
  EXPECT_EQ(r.State.EditText, u"$ 12");
}

TEST_F(DropDownTypingTest, FullFractionOverwritesAfterTheSeparatorAndRefusesAtTheEnd) {
  settings.EditType = etFloat;
  settings.Precision = 2;
  TDropDownTypingResult r = Type(u"1.23", 2, 0, u'5');
  EXPECT_TRUE(r.Pass);
  EXPECT_EQ(r.State.SelStart, 2);
  EXPECT_EQ(r.State.SelLength, 1);  // the '2' is overwritten
  r = Type(u"1.23", 4, 0, u'5');
  EXPECT_FALSE(r.Pass);
  EXPECT_EQ(r.State.EditText, u"1.23");
  // A second separator jumps behind the first.
  r = Type(u"1.2", 0, 0, u'.');
  EXPECT_FALSE(r.Pass);
  EXPECT_EQ(r.State.SelStart, 2);
}

TEST_F(DropDownTypingTest, SeparatorInAnEmptyValueWritesZeroAndSeparator) {
  for (TDropDownEditType type : {etFloat, etMoney}) {
    settings.EditType = type;
    settings.Precision = 2;
    TDropDownTypingResult r = Type(u"", 0, 0, u'.');
    EXPECT_FALSE(r.Pass);
    EXPECT_EQ(r.State.EditText, u"0.") << int(type);
    EXPECT_EQ(r.State.SelStart, 2) << int(type);
  }
}

TEST_F(DropDownTypingTest, CharactersAcceptedPerType) {
  const struct {
    TDropDownEditType Type;
    const char16_t* Text;
    int Caret;
    Char Key;
    bool Pass;
  } cases[] = {
      {etNumeric, u"12", 2, u'a', false}, {etNumeric, u"12", 2, u'3', true},  {etNumeric, u"12", 2, 9, true},
      {etRange, u"1,", 2, u',', false},   {etRange, u"1,", 2, u'-', false},   {etRange, u"", 0, u';', false},
      {etRange, u"1", 1, u'-', true},     {etRange, u"1", 0, u',', false},    {etRange, u"12", 1, u';', true},
      {etRange, u"1", 1, u'x', false},    {etHex, u"", 0, u'f', true},        {etHex, u"", 0, u'g', false},
      {etAlphaNumeric, u"", 0, u'z', true}, {etAlphaNumeric, u"", 0, u'-', false},
      {etValidChars, u"", 0, u'x', true}, {etValidChars, u"", 0, u'y', false}, {etValidChars, u"a", 1, 8, true},
      {etFloat, u"1", 1, u'a', false},    {etMoney, u"1", 1, u',', false},    {etString, u"", 0, 10, false},
  };
  settings.ValidChars = u"x";
  for (const auto& c : cases) {
    settings.EditType = c.Type;
    EXPECT_EQ(Type(c.Text, c.Caret, 0, c.Key).Pass, c.Pass) << int(c.Type) << " " << int(c.Key) << " " << c.Caret;
  }
  settings.EditType = etNumeric;
  EXPECT_TRUE(Type(u"12", 2, 0, u'a', false, true).Pass);  // with Ctrl down
  settings.EditType = etUppercase;
  EXPECT_EQ(Type(u"", 0, 0, u'q').Key, u'Q');
  settings.EditType = etLowerCase;
  EXPECT_EQ(Type(u"", 0, 0, u'Q').Key, u'q');
}

TEST_F(DropDownTypingTest, KeypadDecimalTypesTheLocalesSeparator) {
  FormatSettings().DecimalSeparator = u',';
  FormatSettings().ThousandSeparator = u'.';
  settings.EditType = etFloat;
  settings.Precision = 2;
  settings.ExcelStyleDecimalSeparator = true;
  EXPECT_EQ(Type(u"12", 2, 0, u'.', true).Key, u',');
  EXPECT_EQ(Type(u"12", 2, 0, u'.', false).Key, u'.');
  settings.ExcelStyleDecimalSeparator = false;
  EXPECT_EQ(Type(u"12", 2, 0, u'.', true).Key, u'.');
}

TEST_F(DropDownTypingTest, GuardsOfPrefixLengthLimitAndGroups) {
  settings.EditType = etNumeric;
  settings.Prefix = u"$";
  EXPECT_FALSE(Type(u"$12", 1, 0, 8).Pass);  // Backspace into the prefix
  EXPECT_TRUE(Type(u"$12", 2, 0, 8).Pass);
  settings.Prefix.clear();
  settings.EditType = etFloat;
  settings.Precision = 2;
  settings.LengthLimit = 3;
  EXPECT_FALSE(Type(u"123", 3, 0, u'4').Pass);
  EXPECT_TRUE(Type(u"123", 3, 0, u'.').Pass);
  EXPECT_TRUE(Type(u"12", 2, 0, u'3').Pass);
  settings.LengthLimit = 0;
  EXPECT_FALSE(Type(u"1,23", 4, 0, u',').Pass);  // a separator two digits after another
  EXPECT_TRUE(Type(u"1,234", 5, 0, u',').Pass);
}

TEST_F(DropDownTypingTest, MoneyDigitsAreRegroupedAndASecondSeparatorMovesTheCaret) {
  settings.EditType = etMoney;
  settings.Precision = 2;
  TDropDownTypingResult r = Type(u"123", 3, 0, u'4');
  EXPECT_TRUE(r.Pass);
  EXPECT_TRUE(r.RegroupMoney);
  r = Type(u"1.25", 0, 0, u'.');
  EXPECT_FALSE(r.Pass);
  EXPECT_EQ(r.State.SelStart, 2);
  // A fully selected value is replaced by a zero amount first.
  r = Type(u"1.25", 0, 4, u'.');
  EXPECT_EQ(r.State.EditText, u"0.00");
  EXPECT_EQ(r.State.SelStart, 2);
}

}  // namespace
