#pragma once
// The value model of the drop-down edit, free of the window: an edit text is a fixed prefix, the
// value and a fixed suffix; the edit type decides how numbers are written. The locale's
// separators are read at every call. Positions are 0-based caret positions in the edit text.
#include <cstdint>

#include "platform/UString.h"

enum TDropDownEditType : uint8_t {
  etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword, etMoney, etRange, etHex,
  etAlphaNumeric, etValidChars
};

// The edit text without a leading Prefix (when it starts with it) and without its last
// Length(Suffix) characters (whatever they are).
String DropDownValueOf(const String& EditText, const String& Prefix, const String& Suffix);
// Thousand separators removed, then read with the locale's decimal separator; 0 when it does not
// convert.
double DropDownTextToFloat(const String& S);
// The value as a number by edit type; 0 for an empty value, "Error" and a lone "-".
double DropDownFloatValue(const String& Value, TDropDownEditType EditType);
// What writing Text shows between prefix and suffix: "0" for an empty number, the number of
// decimals (grouped for money) when Precision > 0, hexadecimal in upper case.
String FormatDropDownValue(const String& Value, TDropDownEditType EditType, int Precision);
// A money value re-grouped from its typed integer digits (sign and fraction kept as typed), so
// that no digit is lost or altered however long the number grows. Thousand separators only with
// AutoThousandSeparator. An empty value stays empty.
String GroupMoneyValue(const String& Value, bool AutoThousandSeparator);

struct TDropDownEditState {
  String EditText;
  int Caret;
};
// The sign toggle of a '-' typed into a number: removes the value's minus sign, or puts one in
// front of the value; prefix and suffix stay where they are.
TDropDownEditState ToggleDropDownSign(const String& Value, const String& Prefix, const String& Suffix, int Caret);

// The fraction is complete: a digit typed at Caret has no room left (Precision > 0 only).
bool DropDownPrecisionFull(const String& Value, int Caret, int PrefixLength, int Precision);
// A separator typed at Caret would break a group of three digits.
bool DropDownThousandGroupGuard(const String& Value, int Caret, int PrefixLength);
// 1-based position of the decimal separator in the value without thousand separators (length + 1
// without one), one less when SignedNumber and the text holds a '-'.
int DropDownIntegerPartEnd(const String& S, bool SignedNumber);

// The money edit after typing or deleting: its value re-grouped, the caret moved by the change of
// the value's length, no selection.
TDropDownEditState RegroupMoneyEdit(const String& EditText, const String& Prefix, const String& Suffix, int Caret,
                                    bool AutoThousandSeparator);

// Whether the edit type takes a paste whose resulting value is Pasted (Clipboard: the pasted text
// itself). Precision and Signed as set on the edit.
bool DropDownPasteAccepted(TDropDownEditType EditType, const String& Pasted, const String& Clipboard, int Precision,
                           bool Signed, const String& ValidChars);
