#pragma once
// The typed-character filter of the drop-down edit, free of the window: given the edit's settings,
// its text and selection and one typed character, what the edit does with it. Enter, Esc and the
// clipboard keys are the edit's own business and never come here.
#include "grid/dropdown/AdvDropDownValue.h"

struct TDropDownTypingSettings {
  TDropDownEditType EditType = etString;
  String Prefix, Suffix;
  int Precision = 0;
  int LengthLimit = 0;
  bool Signed = false;
  bool ExcelStyleDecimalSeparator = false;
  String ValidChars;
};

struct TDropDownTypingState {
  String EditText;
  int SelStart = 0;
  int SelLength = 0;
};

struct TDropDownTypingResult {
  bool Pass = false;           // the character (Key) is inserted over the selection of State
  Char Key = 0;                // the character to insert (it may differ from the typed one)
  TDropDownTypingState State;  // text and selection before the insertion (or instead of it)
  bool RegroupMoney = false;   // after the insertion the money value is to be re-grouped
};

// KeypadDecimal: the character came from the numeric keypad's decimal key; Ctrl: a Ctrl key is down.
TDropDownTypingResult FilterDropDownChar(const TDropDownTypingSettings& Settings, const TDropDownTypingState& State,
                                         Char Key, bool KeypadDecimal, bool Ctrl);
