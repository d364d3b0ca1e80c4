// Row comparison for sorting: the style of each comparison (column, OnGetFormat, detection from
// the texts), the rule of every style, blanks, ignored columns, ties decided by the next columns,
// and the comparison by an index of columns.
#include <cstdlib>
#include <string>

#include "grid/core/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"
#include "grid/foundation/ZazAdez.h"

namespace {

int SortSign(int V) { return V > 0 ? 1 : (V < 0 ? -1 : 0); }

int SortSign(double A, double B) { return A > B ? 1 : (A < B ? -1 : 0); }

bool SortIsDigit(Char C) { return C >= u'0' && C <= u'9'; }

// The separator at character 2 or 3 with a digit on both sides (a date or time written d/m...).
bool SortSeparatorNearStart(const String& S, Char Sep) {
  for (size_t p : {size_t{1}, size_t{2}}) {
    if (p + 1 < S.size() && S[p] == Sep && SortIsDigit(S[p - 1]) && SortIsDigit(S[p + 1])) return true;
  }
  return false;
}

bool SortIsNumberText(const String& S) {
  const int kind = ClassifyNumberText(S);
  return kind == 0 || kind == 1 || kind == 5;
}

// The value of the number the text begins with (after blanks): sign, digits, a fraction after
// ".", an exponent. False when no digit starts it; a text with more after the number keeps the
// value of what was read.
bool SortReadNumber(const String& S, double& Value) {
  size_t i = 0;
  while (i < S.size() && S[i] <= u' ') ++i;
  std::string a;
  if (i < S.size() && (S[i] == u'-' || S[i] == u'+')) a += static_cast<char>(S[i++]);
  size_t digits = 0;
  while (i < S.size() && SortIsDigit(S[i])) a += static_cast<char>(S[i++]), ++digits;
  if (i < S.size() && S[i] == u'.') {
    a += '.';
    ++i;
    while (i < S.size() && SortIsDigit(S[i])) a += static_cast<char>(S[i++]), ++digits;
  }
  if (digits == 0) return false;
  if (i < S.size() && (S[i] == u'e' || S[i] == u'E')) {
    size_t k = i + 1;
    std::string e = "e";
    if (k < S.size() && (S[k] == u'-' || S[k] == u'+')) e += static_cast<char>(S[k++]);
    size_t expDigits = 0;
    while (k < S.size() && SortIsDigit(S[k])) e += static_cast<char>(S[k++]), ++expDigits;
    if (expDigits > 0) a += e;
  }
  Value = std::strtod(a.c_str(), nullptr);
  return true;
}

void SortRemoveFirst(String& S, const String& Part) {
  if (Part.empty()) return;
  const size_t p = S.find(Part);
  if (p != String::npos) S.erase(p, Part.size());
}

// The numeric styles' reading: prefix and suffix out, thousand separators out (financial), the
// locale's decimal separator as ".".
bool SortNumericValue(String S, const String& Prefix, const String& Suffix, bool Financial, double& Value) {
  SortRemoveFirst(S, Prefix);
  SortRemoveFirst(S, Suffix);
  if (Financial) {
    const Char thousand = GetThousandSeparatorChar();
    String t;
    for (Char c : S)
      if (c != thousand) t += c;
    S = t;
  }
  const Char decimal = GetDecimalSeparatorChar();
  if (decimal != u'.') {
    const size_t p = S.find(decimal);
    if (p != String::npos) S[p] = u'.';
  }
  return SortReadNumber(S, Value);
}

TDateTime SortDateTimeValue(const String& S) {
  TDateTime v = 0;
  return !S.empty() && TryStrToDateTime(S, v) ? v : 0;
}

TDateTime SortTimeValue(const String& S) {
  TDateTime v = 0;
  return TryStrToTime(S, v) ? v : 0;
}

TDateTime SortShortDateValue(const String& S, bool DayFirst) {
  try {
    return DayFirst ? ParseDateDMY(S) : ParseDateMDY(S);
  } catch (const EConvertError&) {
    return 0;  // a day that does not exist
  }
}

}  // namespace

TSortStyle TAdvStringGrid::ResolveSortStyle(int ACol, int R1, const String& S1, const String& S2, TSortStyle Style) {
  const TSortStyle alpha = FSortSettings->IgnoreCase() ? ssAlphaNoCase : ssAlphabetic;
  if (Style == ssAutomatic) {
    const TCellType t = GetCellType(ACol, R1);
    if (t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox) return ssCheckBox;
    if (SortIsNumberText(S1)) return ssNumeric;
    const Char dateSep = GetDateSeparatorChar(), timeSep = GetTimeSeparatorChar();
    if (SortSeparatorNearStart(S1, dateSep)) {
      if (S2.find(dateSep) != String::npos) return S1.find(timeSep) != String::npos ? ssDateTime : ssDate;
      return alpha;
    }
    if (SortSeparatorNearStart(S1, timeSep) && S2.find(timeSep) != String::npos) return ssTime;
    return alpha;
  }
  if (Style == ssAlphaNumeric || Style == ssAlphaNumericNoCase) {
    if (SortIsNumberText(S1) && SortIsNumberText(S2)) return ssNumeric;
    return Style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
  }
  return Style;
}

int TAdvStringGrid::CompareCells(int ACol, int R1, int R2, TSortDirection Direction) {
  TSortStyle style = FSortSettings->AutoFormat() ? ssAutomatic
                                                 : (FSortSettings->IgnoreCase() ? ssAlphaNoCase : ssAlphabetic);
  String prefix, suffix;
  DoGetFormat(ACol, style, prefix, suffix);
  const bool shown = FSortSettings->SortOnVirtualCells();
  const String s1 = shown ? GetCellEx(ACol, R1) : GetGridCell(ACol, R1);
  const String s2 = shown ? GetCellEx(ACol, R2) : GetGridCell(ACol, R2);
  if (FSortSettings->IgnoreBlanks() && s1.empty() != s2.empty()) {
    // Blanks keep their place whichever way the rows go.
    const bool first = FSortSettings->BlankPos() == blFirst;
    int r = s1.empty() ? (first ? -1 : 1) : (first ? 1 : -1);
    return Direction == sdDescending ? -r : r;
  }
  switch (ResolveSortStyle(ACol, R1, s1, s2, style)) {
    case ssAlphaNoCase:
      return SortSign(CompareStr(UpperCase(s1), UpperCase(s2)));
    case ssAnsiAlphaCase:
      return SortSign(AnsiCompareStr(s1, s2));
    case ssAnsiAlphaNoCase:
      return SortSign(AnsiCompareText(s1, s2));
    case ssHTML:
      return SortSign(CompareStr(StripHTMLTags(s1), StripHTMLTags(s2)));
    case ssNumeric:
    case ssFinancial: {
      const bool financial = style == ssFinancial;
      double v1 = 0, v2 = 0;
      const bool ok1 = SortNumericValue(s1, prefix, suffix, financial, v1);
      const bool ok2 = SortNumericValue(s2, prefix, suffix, financial, v2);
      if (!ok1 && !ok2) return 0;
      // A text that is no number at all counts as 0.
      return SortSign(ok1 ? v1 : 0.0, ok2 ? v2 : 0.0);
    }
    case ssDate:
    case ssDateTime:
      return SortSign(SortDateTimeValue(s1), SortDateTimeValue(s2));
    case ssShortDateEU:
    case ssShortDateUS:
      return SortSign(SortShortDateValue(s1, style == ssShortDateEU), SortShortDateValue(s2, style == ssShortDateEU));
    case ssTime:
      return SortSign(SortTimeValue(s1), SortTimeValue(s2));
    case ssCheckBox: {
      bool c1 = false, c2 = false;
      const bool hidden = NumHiddenRows() > 0;
      GetCheckBoxState(ACol, hidden ? RealRowIndex(R1) : R1, c1);
      GetCheckBoxState(ACol, hidden ? RealRowIndex(R2) : R2, c2);
      return c1 == c2 ? 0 : (c1 ? 1 : -1);
    }
    case ssImages:
      return SortSign(GetCellGraphicKey(ACol, R1), GetCellGraphicKey(ACol, R2));
    case ssCustom: {
      int res = 0;
      if (OnCustomCompare) OnCustomCompare(this, s1, s2, res);
      return SortSign(res);
    }
    case ssRaw: {
      int res = 0;
      if (OnRawCompare) OnRawCompare(this, ACol, R1, R2, res);
      return SortSign(res);
    }
    default:  // ssAlphabetic, ssAlphaCase
      return SortSign(CompareStr(s1, s2));
  }
}

int TAdvStringGrid::CompareRows(int ACol, int R1, int R2) {
  ++Compares;
  const TSortDirection dir = FSortSettings->Direction();
  int r = IsIgnoredColumn(ACol) ? 0 : CompareCells(ACol, R1, R2, dir);
  if (!FSortSettings->Full()) return r;
  // Every real column to the right decides a tie, hidden ones included (their cells travel).
  for (int c = ACol + 1; r == 0 && c < TotalColCount(); ++c) r = IsIgnoredColumn(c) ? 0 : CompareCells(c, R1, R2, dir);
  return r;
}

int TAdvStringGrid::CompareRowsIndexed(int R1, int R2) {
  ++Compares;
  const TSortIndexList* idx = FSortIndexes.get();
  for (int k = 0; k < idx->Count(); ++k) {
    const int entry = idx->Items(k);
    const int col = entry & 0x7FFFFFFF;
    const bool descending = (static_cast<uint32_t>(entry) & 0x80000000u) != 0;
    const int r = IsIgnoredColumn(col) ? 0 : CompareCells(col, R1, R2, descending ? sdDescending : sdAscending);
    if (r != 0 || !FSortSettings->Full()) return descending ? -r : r;
  }
  return 0;
}
