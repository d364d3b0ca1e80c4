#include "grid/dropdown/AdvDropDownTyping.h"

#include "grid/dropdown/AdvDropDownDraw.h"
#include "platform/SysUtils.h"

namespace {

constexpr Char kTypingBackspace = 8, kTypingTab = 9, kTypingLineFeed = 10, kTypingEnter = 13;

bool TypingIsDigit(Char c) { return c >= u'0' && c <= u'9'; }
bool TypingIsControlKey(Char c) { return c == kTypingBackspace || c == kTypingTab || c == kTypingEnter; }
bool TypingIsNumberType(TDropDownEditType t) { return t == etNumeric || t == etFloat || t == etMoney; }

struct TTypingContext {
  const TDropDownTypingSettings& S;
  TDropDownTypingResult R;
  String Value;
  int PrefixLength;

  TDropDownTypingResult Drop() {
    R.Pass = false;
    return R;
  }
  TDropDownTypingResult Pass() {
    R.Pass = true;
    return R;
  }
  TDropDownTypingResult Rewrite(const String& NewValue, int Caret) {
    R.State = {S.Prefix + NewValue + S.Suffix, Caret, 0};
    return Drop();
  }
  TDropDownTypingResult ToggleSign() {
    TDropDownEditState t = ToggleDropDownSign(Value, S.Prefix, S.Suffix, R.State.SelStart);
    R.State = {t.EditText, t.Caret, 0};
    return Drop();
  }
  int DecimalPos() const {  // 1-based in the value, 0 without one
    return static_cast<int>(Value.find(FormatSettings().DecimalSeparator) + 1);
  }
  void CaretAfterDecimal() {
    const int dp = DecimalPos();
    R.State.SelStart = PrefixLength + dp;
    R.State.SelLength = 0;
  }
  int DecimalPosInEdit() const {
    const int dp = DecimalPos();
    return dp ? dp + PrefixLength
              : PrefixLength + static_cast<int>(Value.size()) + static_cast<int>(S.Suffix.size()) + 1;
  }
  String Selected() const {
    return R.State.EditText.substr(static_cast<size_t>(R.State.SelStart), static_cast<size_t>(R.State.SelLength));
  }
};

// Steps the float and the money rule share once the character is one they take.
bool TypingSharedNumberStep(TTypingContext& c, Char key, TDropDownTypingResult& out) {
  const Char decimal = FormatSettings().DecimalSeparator;
  const Char thousand = FormatSettings().ThousandSeparator;
  const int caret = c.R.State.SelStart;
  const bool selection = c.R.State.SelLength > 0;
  if ((key == thousand || key == decimal) && DropDownThousandGroupGuard(c.Value, caret, c.PrefixLength)) {
    out = c.Drop();
    return true;
  }
  if (!selection && (TypingIsDigit(key) || key == decimal) &&
      DropDownPrecisionFull(c.Value, caret, c.PrefixLength, c.S.Precision)) {
    const int b = caret - c.PrefixLength;
    if (TypingIsDigit(key) && c.DecimalPos() > 0 && b >= c.DecimalPos() && b < static_cast<int>(c.Value.size())) {
      c.R.State.SelLength = 1;  // overwrites the next digit
      out = c.Pass();
    } else {
      out = c.Drop();
    }
    return true;
  }
  if (key == decimal && c.Value.empty() && !selection) {
    out = c.Rewrite(String(u"0") + decimal, c.PrefixLength + 2);
    return true;
  }
  if (key == u'-' && !selection) {
    out = c.ToggleSign();
    return true;
  }
  return false;
}

TDropDownTypingResult TypingFloat(TTypingContext& c, Char key) {
  const Char decimal = FormatSettings().DecimalSeparator;
  const Char thousand = FormatSettings().ThousandSeparator;
  if ((key == u',' || key == u'.') && decimal != key && thousand != key) return c.Drop();
  if (!TypingIsControlKey(key) && key != u',' && key != u'-' && key != u'.' && !TypingIsDigit(key)) return c.Drop();
  if (key == decimal && c.Selected().find(decimal) == String::npos &&
      (c.DecimalPos() > 0 || c.S.Precision == 0)) {
    if (c.S.Precision > 0 && c.DecimalPos() > 0) c.CaretAfterDecimal();
    return c.Drop();
  }
  if (key == u',' && c.Value.find(u',') != String::npos && c.Selected().find(u',') == String::npos &&
      thousand != u',')
    return c.Drop();
  TDropDownTypingResult out;
  if (TypingSharedNumberStep(c, key, out)) return out;
  return c.Pass();
}

TDropDownTypingResult TypingMoney(TTypingContext& c, Char key) {
  const Char decimal = FormatSettings().DecimalSeparator;
  if (key == decimal && (c.DecimalPos() > 0 || c.S.Precision == 0)) {
    if (c.S.Precision > 0) {
      if (c.R.State.SelLength >= static_cast<int>(c.Value.size()) && !c.Value.empty()) {
        c.Value = FormatDropDownValue(u"0,0", etMoney, c.S.Precision);
        c.R.State.EditText = c.S.Prefix + c.Value + c.S.Suffix;
      }
      c.CaretAfterDecimal();
    }
    return c.Drop();
  }
  if (!TypingIsControlKey(key) && key != u'-' && key != decimal && !TypingIsDigit(key)) return c.Drop();
  TDropDownTypingResult out;
  if (TypingSharedNumberStep(c, key, out)) return out;
  c.R.RegroupMoney = key != decimal;
  return c.Pass();
}

TDropDownTypingResult TypingRange(TTypingContext& c, Char key) {
  if (!TypingIsControlKey(key) && !IsRangeSeparator(key) && !TypingIsDigit(key)) return c.Drop();
  if (IsRangeSeparator(key)) {
    const String& t = c.R.State.EditText;
    const int caret = c.R.State.SelStart;
    if (caret <= c.PrefixLength) return c.Drop();
    if (caret > 0 && caret <= static_cast<int>(t.size()) && IsRangeSeparator(t[static_cast<size_t>(caret - 1)]))
      return c.Drop();
    if (caret < static_cast<int>(t.size()) && IsRangeSeparator(t[static_cast<size_t>(caret)])) return c.Drop();
  }
  return c.Pass();
}

bool TypingAccepts(TDropDownEditType type, const String& validChars, Char key) {
  const bool letter = (key >= u'A' && key <= u'Z') || (key >= u'a' && key <= u'z');
  switch (type) {
    case etHex:
      return TypingIsControlKey(key) || key == u'-' || TypingIsDigit(key) || (key >= u'A' && key <= u'F') ||
             (key >= u'a' && key <= u'f');
    case etAlphaNumeric:
      return TypingIsControlKey(key) || TypingIsDigit(key) || letter;
    default:  // etValidChars
      return key == kTypingBackspace || validChars.find(key) != String::npos;
  }
}

}  // namespace

TDropDownTypingResult FilterDropDownChar(const TDropDownTypingSettings& Settings, const TDropDownTypingState& State,
                                         Char Key, bool KeypadDecimal, bool Ctrl) {
  TTypingContext c{Settings, {}, DropDownValueOf(State.EditText, Settings.Prefix, Settings.Suffix),
                   static_cast<int>(Settings.Prefix.size())};
  c.R.State = State;
  if (Settings.ExcelStyleDecimalSeparator && KeypadDecimal && (Key == u'.' || Key == u','))
    Key = FormatSettings().DecimalSeparator;
  c.R.Key = Key;
  const bool selection = State.SelLength > 0;
  if (Key == kTypingBackspace && !Settings.Prefix.empty() && !selection && State.SelStart <= c.PrefixLength)
    return c.Drop();
  const bool number = TypingIsNumberType(Settings.EditType);
  if (Settings.LengthLimit > 0 && DropDownIntegerPartEnd(c.Value, Settings.Signed && number) > Settings.LengthLimit &&
      !selection && State.SelStart < c.DecimalPosInEdit() && Key != kTypingBackspace &&
      Key != FormatSettings().DecimalSeparator && !(Key == u'-' && Settings.Signed && number))
    return c.Drop();
  if (Key == kTypingBackspace) return c.Pass();
  if (Key == kTypingLineFeed) return c.Drop();
  if (number && Key == u'-' && !Settings.Signed) return c.Drop();

  switch (Settings.EditType) {
    case etNumeric:
      if (Key == u'-') {
        // A whole (or empty) value becomes a lone minus; prefix and suffix stay.
        if (State.SelLength >= static_cast<int>(c.Value.size())) return c.Rewrite(u"-", c.PrefixLength + 1);
        return c.ToggleSign();
      }
      if (Key == kTypingTab || Key == kTypingEnter || TypingIsDigit(Key) || Ctrl) return c.Pass();
      return c.Drop();
    case etFloat:
      return TypingFloat(c, Key);
    case etMoney:
      return TypingMoney(c, Key);
    case etUppercase:
      c.R.Key = AnsiUpperCase(String(1, Key))[0];
      return c.Pass();
    case etLowerCase:
      c.R.Key = AnsiLowerCase(String(1, Key))[0];
      return c.Pass();
    case etRange:
      return TypingRange(c, Key);
    case etHex:
    case etAlphaNumeric:
    case etValidChars:
      return TypingAccepts(Settings.EditType, Settings.ValidChars, Key) ? c.Pass() : c.Drop();
    default:  // etString, etPassword, etMixedCase
      return c.Pass();
  }
}
