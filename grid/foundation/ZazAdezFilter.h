#pragma once
// The grid pack's filter test: does a cell text pass a filter expression? Terms are joined by
// "&" (and) and "|", ";", "^" (or), strictly left to right; "(" opens a group; text in double
// quotes is never split. A term is a comparison (">", ">=", "<", "<=") against a number, a date
// or a text, or a wildcard pattern with "*", "?" and "!" (negation). Stateless; positions are
// 1-based; the locale's separators and short date format are read on every call.
#include "platform/SysUtils.h"
#include "platform/UString.h"

bool MatchFilterExpression(const String& Expression, const String& CellText, bool CaseSensitive);
bool MatchFilterTerm(const String& Term, const String& CellText, bool CaseSensitive);
bool MatchFilterCondition(const String& Pattern, const String& Value);

// The first character of Operators that stands outside double quotes, its position in
// Position; the character 0 and Position -1 when there is none.
Char FindFirstOperator(const String& Operators, const String& Text, int& Position);
// Position of the ")" at which the counts of ")" and "(" from the start are equal; 0 when none.
int FindClosingParenthesis(const String& Text);
// Spaces after an odd number of double quotes are kept; all others go.
String RemoveSpacesOutsideQuotes(const String& Text);
// Date fields in the order of the short date format, split at the date separator, then an
// optional time after a space (hours, minutes, optional seconds). The year is taken as written.
bool ParseLocaleDateTime(const String& Text, TDateTime& Result);
// The locale's decimal separator becomes "." and its thousand separators go.
String NormalizeLocaleNumber(const String& Text);
