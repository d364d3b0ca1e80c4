#include "grid/dropdown/AdvDropDownValue.h"

#include <algorithm>
#include <cstdlib>

#include "grid/dropdown/AdvDropDownDraw.h"
#include "platform/SysUtils.h"

namespace {

String DropDownValueNumberFormat(int Precision, Char Kind) {
  return u"%." + IntToStr(Precision) + String(1, Kind);
}

bool DropDownValueIsDigits(const String& S) {
  return std::all_of(S.begin(), S.end(), [](Char c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

String DropDownValueOf(const String& EditText, const String& Prefix, const String& Suffix) {
  String v = EditText;
  if (!Prefix.empty() && v.compare(0, Prefix.size(), Prefix) == 0) v.erase(0, Prefix.size());
  if (!Suffix.empty()) v.erase(v.size() - std::min(v.size(), Suffix.size()));
  return v;
}

double DropDownTextToFloat(const String& S) {
  double d = 0;
  return TryStrToFloat(StripThousandSeparators(S), d) ? d : 0;
}

double DropDownFloatValue(const String& Value, TDropDownEditType EditType) {
  switch (EditType) {
    case etString: {
      // The leading number only: the longest prefix that converts.
      for (size_t n = Value.size(); n > 0; --n) {
        double d = 0;
        if (TryStrToFloat(Value.substr(0, n), d)) return d;
      }
      return 0;
    }
    case etNumeric:
    case etFloat:
      if (Value.empty() || Value == u"Error" || Value == u"-") return 0;
      return DropDownTextToFloat(Value);
    case etMoney: {
      if (Value.empty()) return 0;
      String s = StripThousandSeparators(Value);
      if (!s.empty() && s.back() == FormatSettings().DecimalSeparator) s.pop_back();
      if (s.empty() || s == u"-") return 0;
      return DropDownTextToFloat(s);
    }
    case etHex:
      return Value.empty() ? 0 : HexToInt(Value);
    default:
      return 0;
  }
}

String FormatDropDownValue(const String& Value, TDropDownEditType EditType, int Precision) {
  String v = Value;
  if (v.empty() && (EditType == etNumeric || EditType == etFloat || EditType == etMoney || EditType == etHex)) v = u"0";
  if (Precision > 0 && !v.empty() && v != u"Error") {
    if (EditType == etMoney) v = Format(DropDownValueNumberFormat(Precision, u'n'), {DropDownTextToFloat(v)});
    else if (EditType == etFloat) v = Format(DropDownValueNumberFormat(Precision, u'f'), {DropDownTextToFloat(v)});
  }
  if (EditType == etHex) v = UpperCase(v);
  return v;
}

String GroupMoneyValue(const String& Value, bool AutoThousandSeparator) {
  if (Value.empty()) return Value;
  const Char decimal = FormatSettings().DecimalSeparator;
  String rest = Value;
  String sign;
  if (rest[0] == u'-') {
    sign = u"-";
    rest.erase(0, 1);
  }
  const size_t dp = rest.find(decimal);
  String fraction = dp == String::npos ? String() : rest.substr(dp, 255);
  String digits = StripThousandSeparators(rest.substr(0, dp));
  // A number that is no number counts as 0, as its value does.
  if (!DropDownValueIsDigits(digits)) digits.clear();
  digits.erase(0, std::min(digits.find_first_not_of(u'0'), digits.size()));
  if (digits.empty()) digits = u"0";
  String grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (AutoThousandSeparator && i > 0 && (digits.size() - i) % 3 == 0) grouped += FormatSettings().ThousandSeparator;
    grouped += digits[i];
  }
  return sign + grouped + fraction;
}

TDropDownEditState ToggleDropDownSign(const String& Value, const String& Prefix, const String& Suffix, int Caret) {
  const int prefixLength = static_cast<int>(Prefix.size());
  const size_t minus = Value.find(u'-');
  if (minus != String::npos) {
    String v = Value;
    v.erase(minus, 1);
    return {Prefix + v + Suffix, Caret > prefixLength ? Caret - 1 : prefixLength};
  }
  return {Prefix + u"-" + Value + Suffix, std::max(Caret, prefixLength) + 1};
}

bool DropDownPrecisionFull(const String& Value, int Caret, int PrefixLength, int Precision) {
  if (Precision <= 0) return false;
  const int b = Caret - PrefixLength;
  const int length = static_cast<int>(Value.size());
  if (length - b > Precision) return false;
  const size_t dp = Value.find(FormatSettings().DecimalSeparator);
  if (dp == String::npos) return false;
  const int position = static_cast<int>(dp) + 1;
  return b >= position && length - position >= Precision;
}

bool DropDownThousandGroupGuard(const String& Value, int Caret, int PrefixLength) {
  const Char thousand = FormatSettings().ThousandSeparator;
  String s = Value;
  if (s.find(thousand) == String::npos) return false;
  int b = Caret - PrefixLength;
  int m = static_cast<int>(s.size());
  for (size_t found = s.find(thousand); found != String::npos; found = s.find(thousand)) {
    const int p = static_cast<int>(found) + 1;
    m = std::min(m, std::abs(p - b));
    if (std::abs(p - b) < 3) return true;
    if (b > p) b -= p;
    s.erase(0, static_cast<size_t>(p));
  }
  return m > 3;
}

int DropDownIntegerPartEnd(const String& S, bool SignedNumber) {
  const String s = StripThousandSeparators(S);
  const size_t dp = s.find(FormatSettings().DecimalSeparator);
  int end = dp == String::npos ? static_cast<int>(s.size()) + 1 : static_cast<int>(dp) + 1;
  if (SignedNumber && s.find(u'-') != String::npos) --end;
  return end;
}

TDropDownEditState RegroupMoneyEdit(const String& EditText, const String& Prefix, const String& Suffix, int Caret,
                                    bool AutoThousandSeparator) {
  const String value = DropDownValueOf(EditText, Prefix, Suffix);
  if (value.empty()) return {EditText, Caret};
  const String grouped = GroupMoneyValue(value, AutoThousandSeparator);
  const int moved = Caret + static_cast<int>(grouped.size()) - static_cast<int>(value.size());
  return {Prefix + grouped + Suffix, std::max(moved, 0)};
}

bool DropDownPasteAccepted(TDropDownEditType EditType, const String& Pasted, const String& Clipboard, int Precision,
                           bool Signed, const String& ValidChars) {
  const bool minus = Pasted.find(u'-') != String::npos;
  const auto letterOrDigit = [](Char c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
  };
  switch (EditType) {
    case etNumeric:
      return ClassifyEditText(Pasted) == 0 && (Signed || !minus);
    case etFloat:
    case etMoney: {
      const int kind = ClassifyEditText(Pasted);
      if (kind != 0 && kind != 1) return false;
      if (Precision == 0 && Clipboard.find(FormatSettings().DecimalSeparator) != String::npos) return false;
      return Signed || !minus;
    }
    case etAlphaNumeric:
      return std::all_of(Pasted.begin(), Pasted.end(), letterOrDigit);
    case etValidChars:
      return std::all_of(Pasted.begin(), Pasted.end(), [&](Char c) { return ValidChars.find(c) != String::npos; });
    case etRange:
    case etHex:
      return false;
    default:
      return true;
  }
}
