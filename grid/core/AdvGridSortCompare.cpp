// Row comparison for sorting: the style of each comparison (column, OnGetFormat, detection from
// the texts), the rule of every style, blanks, ignored columns, ties decided by the next columns,
// and the comparison by an index of columns. The sorts read each cell once into a key
// (AdvGridSortKeys.h); a comparison of two cells outside a sort reads them the same way.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridSortKeys.h"
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

bool SortIsNumberText(const String& S, Char Thousand, Char Decimal) {
  const int kind = ClassifyNumberText(S, Thousand, Decimal);
  return kind == 0 || kind == 1 || kind == 5;
}

// The locale's separators detection reads, taken once for many cells.
struct TSortSeparators {
  Char Thousand = GetThousandSeparatorChar();
  Char Decimal = GetDecimalSeparatorChar();
  Char Date = GetDateSeparatorChar();
  Char Time = GetTimeSeparatorChar();
};

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

// A text of a sign, at most 15 digits and the decimal separator, read without a copy. Such an
// integer and a power of ten are exact doubles, so their quotient is the correctly rounded value
// strtod gives for the same text. False for any other text.
bool SortPlainNumber(const String& S, Char Decimal, double& Value) {
  static const double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (SortIsDigit(Decimal) || Decimal == u'-' || Decimal == u'+') return false;
  size_t i = 0;
  const bool negative = !S.empty() && S[0] == u'-';
  if (!S.empty() && (S[0] == u'-' || S[0] == u'+')) ++i;
  int64_t m = 0;
  int digits = 0, fraction = -1;
  for (; i < S.size(); ++i) {
    const Char c = S[i];
    if (SortIsDigit(c)) {
      if (++digits > 15) return false;
      m = m * 10 + (c - u'0');
      if (fraction >= 0) ++fraction;
    } else if (c == Decimal && fraction < 0) {
      fraction = 0;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  double v = static_cast<double>(m);
  if (fraction > 0) v /= kPow10[fraction];
  Value = negative ? -v : v;
  return true;
}

// The numeric styles' reading: prefix and suffix out, thousand separators out (financial), the
// locale's decimal separator as ".".
bool SortNumericValue(const String& Text, const String& Prefix, const String& Suffix, bool Financial, double& Value) {
  const Char decimal = GetDecimalSeparatorChar();
  if (Prefix.empty() && Suffix.empty() && (!Financial || GetThousandSeparatorChar() != decimal) &&
      SortPlainNumber(Text, decimal, Value))
    return true;
  String S = Text;
  SortRemoveFirst(S, Prefix);
  SortRemoveFirst(S, Suffix);
  if (Financial) {
    const Char thousand = GetThousandSeparatorChar();
    String t;
    for (Char c : S)
      if (c != thousand) t += c;
    S = t;
  }
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

// What a key knows of its text (the Is/Has bits) and which derived values it holds (the Done bits).
enum : uint32_t {
  kSortIsNumber = 1u << 0,
  kSortDateNear = 1u << 1,
  kSortHasDate = 1u << 2,
  kSortHasTime = 1u << 3,
  kSortTimeNear = 1u << 4,
  kSortCheckCell = 1u << 5,
  kSortChecked = 1u << 6,
  kSortCheckedDone = 1u << 7,
  kSortNumberDone = 1u << 8,
  kSortNumberOk = 1u << 9,
  kSortDateDone = 1u << 10,
  kSortTimeDone = 1u << 11,
  kSortShortDone = 1u << 12,
  kSortFoldedDone = 1u << 13,
};

bool SortKeyNumber(const TSortKeyColumn& C, TSortCellKey& K, double& Value) {
  if (!(K.Flags & kSortNumberDone)) {
    K.Flags |= kSortNumberDone;
    if (SortNumericValue(K.Text, C.Prefix, C.Suffix, C.Style == ssFinancial, K.Number)) K.Flags |= kSortNumberOk;
  }
  Value = K.Number;
  return (K.Flags & kSortNumberOk) != 0;
}

double SortKeyDateTime(TSortCellKey& K) {
  if (!(K.Flags & kSortDateDone)) {
    K.Flags |= kSortDateDone;
    K.Date = SortDateTimeValue(K.Text);
  }
  return K.Date;
}

double SortKeyTime(TSortCellKey& K) {
  if (!(K.Flags & kSortTimeDone)) {
    K.Flags |= kSortTimeDone;
    K.Time = SortTimeValue(K.Text);
  }
  return K.Time;
}

double SortKeyShortDate(TSortCellKey& K, bool DayFirst) {
  if (!(K.Flags & kSortShortDone)) {
    K.Flags |= kSortShortDone;
    K.Date = SortShortDateValue(K.Text, DayFirst);
  }
  return K.Date;
}

// A column holds one resolved kind of folded text: upper-cased, or without tags (ssHTML).
const String& SortKeyFolded(TSortCellKey& K, bool Html) {
  if (!(K.Flags & kSortFoldedDone)) {
    K.Flags |= kSortFoldedDone;
    K.Folded = std::make_unique<String>(Html ? StripHTMLTags(K.Text) : UpperCase(K.Text));
  }
  return *K.Folded;
}

bool SortIsCheckBoxType(TCellType T) {
  return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

}  // namespace

// =============================================================================================
// The rules

void TSortKeys::ResolveColumn(TAdvStringGrid* G, int ACol, TSortKeyColumn& C) {
  const TSortSettings* s = G->SortSettings();
  C.Style = s->AutoFormat() ? ssAutomatic : (s->IgnoreCase() ? ssAlphaNoCase : ssAlphabetic);
  C.Prefix.clear();
  C.Suffix.clear();
  G->DoGetFormat(ACol, C.Style, C.Prefix, C.Suffix);
  C.Resolved = true;
}

namespace {

void SortClassify(const TSortSeparators& Sep, const TSortKeyColumn& C, TSortCellKey& K) {
  if (C.Style == ssAlphaNumeric || C.Style == ssAlphaNumericNoCase) {
    if (SortIsNumberText(K.Text, Sep.Thousand, Sep.Decimal)) K.Flags |= kSortIsNumber;
    return;
  }
  if (C.Style != ssAutomatic) return;
  if (SortIsNumberText(K.Text, Sep.Thousand, Sep.Decimal)) K.Flags |= kSortIsNumber;
  if (SortSeparatorNearStart(K.Text, Sep.Date)) K.Flags |= kSortDateNear;
  if (K.Text.find(Sep.Date) != String::npos) K.Flags |= kSortHasDate;
  if (K.Text.find(Sep.Time) != String::npos) K.Flags |= kSortHasTime;
  if (SortSeparatorNearStart(K.Text, Sep.Time)) K.Flags |= kSortTimeNear;
}

}  // namespace

void TSortKeys::Classify(TAdvStringGrid* G, int ACol, int Row, const TSortKeyColumn& C, TSortCellKey& K) {
  if (C.Style == ssAutomatic && Row >= 0 && SortIsCheckBoxType(G->GetCellType(ACol, Row))) K.Flags |= kSortCheckCell;
  SortClassify(TSortSeparators(), C, K);
}

void TSortKeys::ReadCheckBox(TAdvStringGrid* G, int ACol, int Row, TSortCellKey& K) {
  bool checked = false;
  G->GetCheckBoxState(ACol, G->NumHiddenRows() > 0 ? G->RealRowIndex(Row) : Row, checked);
  K.Flags |= kSortCheckedDone | (checked ? kSortChecked : 0u);
}

void TSortKeys::FillKey(TAdvStringGrid* G, int ACol, int Row, const TSortKeyColumn& C, TSortCellKey& K) {
  Classify(G, ACol, Row, C, K);
  if (C.Style == ssCheckBox || (K.Flags & kSortCheckCell)) ReadCheckBox(G, ACol, Row, K);
  if (C.Style == ssImages) K.Graphic = G->GetCellGraphicKey(ACol, Row);
}

TSortCellKey TSortKeys::MakeKey(TAdvStringGrid* G, int ACol, int Row, const TSortKeyColumn& C) {
  TSortCellKey k;
  k.Text = CellText(G, ACol, Row);
  FillKey(G, ACol, Row, C, k);
  return k;
}

TSortStyle TSortKeys::ResolveStyle(const TSortKeyColumn& C, bool IgnoreCase, const TSortCellKey& K1,
                                   const TSortCellKey& K2) {
  const TSortStyle alpha = IgnoreCase ? ssAlphaNoCase : ssAlphabetic;
  if (C.Style == ssAutomatic) {
    // Detected from the first cell; a date or time also needs a separator in the second.
    if (K1.Flags & kSortCheckCell) return ssCheckBox;
    if (K1.Flags & kSortIsNumber) return ssNumeric;
    if (K1.Flags & kSortDateNear) {
      if (K2.Flags & kSortHasDate) return (K1.Flags & kSortHasTime) ? ssDateTime : ssDate;
      return alpha;
    }
    if ((K1.Flags & kSortTimeNear) && (K2.Flags & kSortHasTime)) return ssTime;
    return alpha;
  }
  if (C.Style == ssAlphaNumeric || C.Style == ssAlphaNumericNoCase) {
    if ((K1.Flags & kSortIsNumber) && (K2.Flags & kSortIsNumber)) return ssNumeric;
    return C.Style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
  }
  return C.Style;
}

int TSortKeys::CompareKeys(TAdvStringGrid* G, int ACol, TSortKeyColumn& C, TSortCellKey& K1, int Row1,
                           TSortCellKey& K2, int Row2, TSortDirection Direction) {
  const TSortSettings* s = G->SortSettings();
  if (s->IgnoreBlanks() && K1.Text.empty() != K2.Text.empty()) {
    // Blanks keep their place whichever way the rows go.
    const bool first = s->BlankPos() == blFirst;
    int r = K1.Text.empty() ? (first ? -1 : 1) : (first ? 1 : -1);
    return Direction == sdDescending ? -r : r;
  }
  switch (ResolveStyle(C, s->IgnoreCase(), K1, K2)) {
    case ssAlphaNoCase:
      return SortSign(CompareStr(SortKeyFolded(K1, false), SortKeyFolded(K2, false)));
    case ssAnsiAlphaCase:
      return SortSign(AnsiCompareStr(K1.Text, K2.Text));
    case ssAnsiAlphaNoCase:
      return SortSign(AnsiCompareText(K1.Text, K2.Text));
    case ssHTML:
      return SortSign(CompareStr(SortKeyFolded(K1, true), SortKeyFolded(K2, true)));
    case ssNumeric:
    case ssFinancial: {
      double v1 = 0, v2 = 0;
      const bool ok1 = SortKeyNumber(C, K1, v1);
      const bool ok2 = SortKeyNumber(C, K2, v2);
      if (!ok1 && !ok2) return 0;
      // A text that is no number at all counts as 0.
      return SortSign(ok1 ? v1 : 0.0, ok2 ? v2 : 0.0);
    }
    case ssDate:
    case ssDateTime:
      return SortSign(SortKeyDateTime(K1), SortKeyDateTime(K2));
    case ssShortDateEU:
    case ssShortDateUS: {
      const bool dayFirst = C.Style == ssShortDateEU;
      return SortSign(SortKeyShortDate(K1, dayFirst), SortKeyShortDate(K2, dayFirst));
    }
    case ssTime:
      return SortSign(SortKeyTime(K1), SortKeyTime(K2));
    case ssCheckBox: {
      const bool c1 = (K1.Flags & kSortChecked) != 0, c2 = (K2.Flags & kSortChecked) != 0;
      return c1 == c2 ? 0 : (c1 ? 1 : -1);
    }
    case ssImages:
      return SortSign(K1.Graphic, K2.Graphic);
    case ssCustom: {
      int res = 0;
      if (G->OnCustomCompare) G->OnCustomCompare(G, K1.Text, K2.Text, res);
      return SortSign(res);
    }
    case ssRaw: {
      int res = 0;
      if (G->OnRawCompare) G->OnRawCompare(G, ACol, Row1, Row2, res);
      return SortSign(res);
    }
    default:  // ssAlphabetic, ssAlphaCase
      return SortSign(CompareStr(K1.Text, K2.Text));
  }
}

String TSortKeys::CellText(TAdvStringGrid* G, int ACol, int Row) {
  String s;
  ReadCellText(G, ACol, Row, s);
  return s;
}

void TSortKeys::ReadCellText(TAdvStringGrid* G, int ACol, int Row, String& Text) {
  if (G->SortSettings()->SortOnVirtualCells()) {
    G->ReadCellEx(ACol, Row, Text);
  } else {
    Text.assign(G->CellView(ACol, Row));
  }
}

bool TSortKeys::IsCheckCell(TAdvStringGrid* G, int ACol, int Row) {
  return SortIsCheckBoxType(G->GetCellType(ACol, Row));
}

bool TSortKeys::AllTie(const TSortKeyColumn& C, const String* Texts, const char* CheckCells, size_t N) {
  if (C.Style == ssCheckBox || C.Style == ssImages) return false;
  for (size_t i = 1; i < N; ++i)
    if (Texts[i] != Texts[0]) return false;
  if (C.Style == ssAutomatic)
    for (size_t i = 0; i < N; ++i)
      if (CheckCells[i]) return false;
  return true;
}

void TSortKeys::FillCells(TAdvStringGrid* G, int ACol, const TSortKeyColumn& C, int First, const int* Positions,
                          String* Texts, const char* CheckCells, TSortRankCell* Cells, size_t N) {
  TSortCellKey k;
  bool checkCells = false;
  const TSortSeparators sep;
  for (size_t i = 0; i < N; ++i) {
    const int row = First + Positions[i];
    k.Flags = 0;
    k.Graphic = -1;
    k.Text.swap(Texts[i]);
    // As FillKey, with the cell type already read.
    SortClassify(sep, C, k);
    if (C.Style == ssAutomatic && CheckCells[i]) k.Flags |= kSortCheckCell;
    if (C.Style == ssCheckBox || (k.Flags & kSortCheckCell)) ReadCheckBox(G, ACol, row, k);
    if (C.Style == ssImages) k.Graphic = G->GetCellGraphicKey(ACol, row);
    k.Text.swap(Texts[i]);
    Cells[i] = TSortRankCell{k.Flags, k.Graphic};
    checkCells = checkCells || (k.Flags & kSortCheckCell);
  }
  if (!checkCells) return;
  for (size_t i = 0; i < N; ++i) {
    if (Cells[i].Flags & kSortCheckedDone) continue;
    k.Flags = 0;
    ReadCheckBox(G, ACol, First + Positions[i], k);
    Cells[i].Flags |= k.Flags;
  }
}

bool TSortKeys::UniformStyle(const TSortKeyColumn& C, bool IgnoreCase, const TSortRankCell* Cells, const int* Index,
                             size_t N, TSortStyle& Style) {
  const TSortStyle alpha = IgnoreCase ? ssAlphaNoCase : ssAlphabetic;
  auto count = [&](uint32_t Bit) {
    size_t k = 0;
    for (size_t i = 0; i < N; ++i) k += (Cells[Index[i]].Flags & Bit) ? 1 : 0;
    return k;
  };
  auto none = [&](uint32_t Bit) { return count(Bit) == 0; };
  auto all = [&](uint32_t Bit) { return count(Bit) == N; };
  if (C.Style == ssAlphaNumeric || C.Style == ssAlphaNumericNoCase) {
    const TSortStyle text = C.Style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
    if (!all(kSortIsNumber) && !none(kSortIsNumber)) return false;
    Style = all(kSortIsNumber) ? ssNumeric : text;
    return true;
  }
  if (C.Style != ssAutomatic) {
    Style = C.Style;
    return true;
  }
  // As ResolveStyle reads the first key (and for dates and times the second), for every pair.
  if (all(kSortCheckCell)) {
    Style = ssCheckBox;
    return true;
  }
  if (!none(kSortCheckCell)) return false;
  if (all(kSortIsNumber)) {
    Style = ssNumeric;
    return true;
  }
  if (!none(kSortIsNumber)) return false;
  // A separator near the start is a separator in the text: ssDate and ssDateTime read alike.
  if (all(kSortDateNear)) {
    Style = ssDate;
    return true;
  }
  if (!none(kSortDateNear)) return false;
  if (all(kSortTimeNear)) {
    Style = ssTime;
    return true;
  }
  if (!none(kSortTimeNear)) return false;
  Style = alpha;
  return true;
}

TSortKeys::TOrderBy TSortKeys::OrderBy(TSortStyle Style) {
  switch (Style) {
    case ssCustom:
    case ssRaw:
    case ssAnsiAlphaCase:
    case ssAnsiAlphaNoCase:
    case ssAutomatic:
    case ssAlphaNumeric:
    case ssAlphaNumericNoCase:
      return TOrderBy::None;
    case ssNumeric:
    case ssFinancial:
    case ssDate:
    case ssDateTime:
    case ssShortDateEU:
    case ssShortDateUS:
    case ssTime:
    case ssCheckBox:
    case ssImages:
      return TOrderBy::Number;
    default:
      return TOrderBy::Text;
  }
}

double TSortKeys::OrderNumber(const TSortKeyColumn& C, TSortStyle Style, String& Text, const TSortRankCell& Cell) {
  TSortCellKey k;
  k.Text.swap(Text);
  k.Flags = Cell.Flags;
  k.Graphic = Cell.Graphic;
  double v = 0;
  switch (Style) {
    case ssNumeric:
    case ssFinancial:
      v = SortKeyNumber(C, k, v) ? v : 0.0;
      break;
    case ssDate:
    case ssDateTime:
      v = SortKeyDateTime(k);
      break;
    case ssShortDateEU:
    case ssShortDateUS:
      v = SortKeyShortDate(k, C.Style == ssShortDateEU);
      break;
    case ssTime:
      v = SortKeyTime(k);
      break;
    case ssCheckBox:
      v = (k.Flags & kSortChecked) ? 1 : 0;
      break;
    default:  // ssImages
      v = k.Graphic;
  }
  k.Text.swap(Text);
  return v;
}

const String& TSortKeys::OrderText(TSortStyle Style, String& Text) {
  if (Style == ssAlphaNoCase) Text = UpperCase(Text);
  if (Style == ssHTML) Text = StripHTMLTags(Text);
  return Text;
}

// =============================================================================================
// The keys of a sort

TSortKeys::TSortKeys(TAdvStringGrid* AGrid, int Left, int Right, TSortScratch& Scratch)
    : FGrid(AGrid), FScratch(Scratch), FLeft(Left) {
  FIds.resize(static_cast<size_t>(std::max(Right - Left + 1, 0)));
  for (size_t i = 0; i < FIds.size(); ++i) FIds[i] = static_cast<int>(i);
  FAllTravel = !AGrid->SortSettings()->SingleColumn();
  FTravelCol = FAllTravel ? -1 : AGrid->SortSettings()->Column();
  FFull = AGrid->SortSettings()->Full();
  FDirection = AGrid->SortSettings()->Direction();
  FColumnsToCompare = AGrid->TotalColCount();
}

void TSortKeys::Swap(int Pos1, int Pos2) {
  std::swap(FIds[static_cast<size_t>(Pos1 - FLeft)], FIds[static_cast<size_t>(Pos2 - FLeft)]);
}

void TSortKeys::SetPivot(int Pos, int Row) { FPivot = TSortAt{Id(Pos), Pos, Row}; }

TSortKeyColumn& TSortKeys::Resolved(int ACol) {
  if (static_cast<size_t>(ACol) >= FColumns.size()) FColumns.resize(static_cast<size_t>(ACol) + 1);
  TSortKeyColumn& c = FColumns[static_cast<size_t>(ACol)];
  if (!c.Resolved) {
    c.Ignored = FGrid->IsIgnoredColumn(ACol);
    if (c.Ignored) {
      c.Resolved = true;
    } else {
      ResolveColumn(FGrid, ACol, c);
    }
  }
  return c;
}

TSortKeyColumn& TSortKeys::Prepare(int ACol) {
  TSortKeyColumn& c = Resolved(ACol);
  if (c.Prepared || c.Ignored) return c;
  c.Prepared = true;
  // Keys by id for a column that travels, by position for one that stays; the row of each.
  // Until rows move, an id is the position the row still has: the keys are made in order.
  const bool byId = Travels(ACol);
  const bool inOrder = !byId || !FRowsMove;
  auto slot = [&](size_t p) -> TSortCellKey& { return c.Keys[inOrder ? p : static_cast<size_t>(FIds[p])]; };
  bool checkCells = false;
  if (inOrder) {
    c.Keys.reserve(FIds.size());
    for (size_t p = 0; p < FIds.size(); ++p) {
      c.Keys.push_back(MakeKey(FGrid, ACol, FLeft + static_cast<int>(p), c));
      checkCells = checkCells || (c.Keys.back().Flags & kSortCheckCell);
    }
  } else {
    c.Keys.resize(FIds.size());
    for (size_t p = 0; p < FIds.size(); ++p) {
      TSortCellKey& k = slot(p);
      k = MakeKey(FGrid, ACol, FLeft + static_cast<int>(p), c);
      checkCells = checkCells || (k.Flags & kSortCheckCell);
    }
  }
  // A check box cell compares its state with whatever cell it meets.
  if (checkCells) {
    for (size_t p = 0; p < FIds.size(); ++p) {
      TSortCellKey& k = slot(p);
      if (!(k.Flags & kSortCheckedDone)) ReadCheckBox(FGrid, ACol, FLeft + static_cast<int>(p), k);
    }
  }
  return c;
}

bool TSortKeys::ReachesStyle(int ACol, TSortStyle Style) {
  const bool full = FFull;
  auto is = [&](int c) {
    const TSortKeyColumn& k = Resolved(c);
    return !k.Ignored && k.Style == Style;
  };
  if (ACol >= 0) {
    const int last = full ? FColumnsToCompare - 1 : ACol;
    for (int c = ACol; c <= last; ++c)
      if (is(c)) return true;
    return false;
  }
  const TSortIndexList* idx = FGrid->SortIndexes();
  for (int k = 0; k < idx->Count() && (full || k == 0); ++k)
    if (is(idx->Items(k) & 0x7FFFFFFF)) return true;
  return false;
}

int TSortKeys::CompareColumn(int ACol, const TSortAt& A, const TSortAt& B, TSortDirection Direction) {
  TSortKeyColumn& c = Column(ACol);
  if (c.Ignored) return 0;
  const bool byId = Travels(ACol);
  TSortCellKey& k1 = c.Keys[static_cast<size_t>(byId ? A.Id : A.Pos - FLeft)];
  TSortCellKey& k2 = c.Keys[static_cast<size_t>(byId ? B.Id : B.Pos - FLeft)];
  return CompareKeys(FGrid, ACol, c, k1, A.Row, k2, B.Row, Direction);
}

int TSortKeys::CompareRows(int ACol, int Pos1, int Pos2) {
  ++FGrid->Compares;
  const TSortAt a = At(Pos1), b = At(Pos2);
  if (a.Id == b.Id && FSelfEqual) return 0;
  int r = CompareColumn(ACol, a, b, FDirection);
  if (!FFull) return r;
  for (int c = ACol + 1; r == 0 && c < FColumnsToCompare; ++c) r = CompareColumn(c, a, b, FDirection);
  return r;
}

int TSortKeys::CompareRowsIndexed(int Pos1, int Pos2) {
  ++FGrid->Compares;
  const TSortAt a = At(Pos1), b = At(Pos2);
  if (a.Id == b.Id && FSelfEqual) return 0;
  const TSortIndexList* idx = FGrid->SortIndexes();
  for (int k = 0; k < idx->Count(); ++k) {
    const int entry = idx->Items(k);
    const int col = entry & 0x7FFFFFFF;
    const bool descending = (static_cast<uint32_t>(entry) & 0x80000000u) != 0;
    const int r = CompareColumn(col, a, b, descending ? sdDescending : sdAscending);
    if (r != 0 || !FFull) return descending ? -r : r;
  }
  return 0;
}

// =============================================================================================
// Two cells or rows outside a sort

TSortStyle TAdvStringGrid::ResolveSortStyle(int ACol, int R1, const String& S1, const String& S2, TSortStyle Style) {
  TSortKeyColumn c;
  c.Style = Style;
  TSortCellKey k1, k2;
  k1.Text = S1;
  k2.Text = S2;
  TSortKeys::Classify(this, ACol, R1, c, k1);
  TSortKeys::Classify(this, ACol, -1, c, k2);
  return TSortKeys::ResolveStyle(c, FSortSettings->IgnoreCase(), k1, k2);
}

int TAdvStringGrid::CompareCells(int ACol, int R1, int R2, TSortDirection Direction) {
  TSortKeyColumn c;
  TSortKeys::ResolveColumn(this, ACol, c);
  TSortCellKey k1 = TSortKeys::MakeKey(this, ACol, R1, c);
  TSortCellKey k2 = TSortKeys::MakeKey(this, ACol, R2, c);
  if (!(k1.Flags & kSortCheckedDone) && (k2.Flags & kSortCheckCell)) TSortKeys::ReadCheckBox(this, ACol, R1, k1);
  if (!(k2.Flags & kSortCheckedDone) && (k1.Flags & kSortCheckCell)) TSortKeys::ReadCheckBox(this, ACol, R2, k2);
  return TSortKeys::CompareKeys(this, ACol, c, k1, R1, k2, R2, Direction);
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
