// Marking a text in cells with the "hi" (highlight) and "e" (error) tags and taking the marks
// away, running the cell checker over cells, the bulk fills, and the owned fonts' and lists'
// setters.
#include <random>

#include "grid/core/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"

namespace {

const String kMarkHighlightTag = u"hi";
const String kMarkErrorTag = u"e";

const String& OtherMarkTag(const String& Tag) { return Tag == kMarkHighlightTag ? kMarkErrorTag : kMarkHighlightTag; }

// Position of Tag's opening or closing form in S (any case), from From; npos when none.
size_t FindMarkTag(const String& S, const String& Tag, size_t From, size_t& Length) {
  const String upper = AnsiUpperCase(S);
  const String open = u"<" + AnsiUpperCase(Tag) + u">", close = u"</" + AnsiUpperCase(Tag) + u">";
  const size_t a = upper.find(open, From), b = upper.find(close, From);
  if (a == String::npos && b == String::npos) return String::npos;
  if (b == String::npos || (a != String::npos && a < b)) {
    Length = open.size();
    return a;
  }
  Length = close.size();
  return b;
}

bool HoldsMarkTag(const String& S, const String& Tag) {
  size_t len = 0;
  return FindMarkTag(S, Tag, 0, len) != String::npos;
}

// S without Tag's tags; entities stay as they are.
String StripMarkTag(String S, const String& Tag) {
  size_t len = 0, at = 0;
  while ((at = FindMarkTag(S, Tag, at, len)) != String::npos) S.erase(at, len);
  return S;
}

// A marked cell holds its text HTML-encoded; the marks of a cell that holds some already are
// renewed on that encoded text, so that marking twice equals marking once. A cell without a hit
// stays as it is.
String MarkCellText(const String& S, const String& Tag, const String& EncodedSearch, bool DoCase) {
  const bool encoded = HoldsMarkTag(S, Tag) || HoldsMarkTag(S, OtherMarkTag(Tag));
  const String base = encoded ? StripMarkTag(S, Tag) : EncodeHTMLEntities(S, false);
  const String marked = InsertHighlightTags(base, EncodedSearch, Tag, DoCase);
  return marked == base ? S : marked;
}

// Only a cell that holds the tag changes: it loses the tags and, unless it still carries the
// other kind of mark, its encoding.
String UnMarkCellText(const String& S, const String& Tag) {
  if (!HoldsMarkTag(S, Tag)) return S;
  const String plain = StripMarkTag(S, Tag);
  return HoldsMarkTag(plain, OtherMarkTag(Tag)) ? plain : DecodeHTMLEntities(plain, false);
}

std::mt19937& FillRandomEngine() {
  static std::mt19937 engine{std::random_device{}()};
  return engine;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Texts

String TAdvStringGrid::HilightText(bool DoCase, const String& S, const String& Text) {
  return InsertHighlightTags(S, Text, kMarkHighlightTag, DoCase);
}

String TAdvStringGrid::UnHilightText(const String& S) { return RemoveHighlightTags(S, kMarkHighlightTag); }

String TAdvStringGrid::MarkText(bool DoCase, const String& S, const String& Text) {
  return InsertHighlightTags(S, Text, kMarkErrorTag, DoCase);
}

String TAdvStringGrid::UnMarkText(const String& S) { return RemoveHighlightTags(S, kMarkErrorTag); }

// ---------------------------------------------------------------------------------------------
// Ranges

TAdvStringGrid::TMarkRange TAdvStringGrid::NormalRowsRange(bool DoFixed, int FromCol, int ToCol) const {
  if (DoFixed) return {FromCol, ToCol, 0, RowCount() - 1};
  return {FromCol, ToCol, FixedRows(), RowCount() - FFixedFooters - 1};
}

void TAdvStringGrid::MarkRange(const TMarkRange& R, const String& Tag, bool DoCase, const String& HiText) {
  const String search = EncodeHTMLEntities(HiText, false);
  for (int r = R.FromRow; r <= R.ToRow; ++r)
    for (int c = R.FromCol; c <= R.ToCol; ++c) {
      if (!IsBaseCell(c, r)) continue;
      const String s = OnGetDisplText ? GetCellEx(c, r) : GetGridCell(c, r);
      const String marked = MarkCellText(s, Tag, search, DoCase);
      if (marked != s) SetCellEx(c, r, marked);
    }
}

void TAdvStringGrid::UnMarkRange(const TMarkRange& R, const String& Tag) {
  for (int r = R.FromRow; r <= R.ToRow; ++r)
    for (int c = R.FromCol; c <= R.ToCol; ++c) {
      if (!IsBaseCell(c, r)) continue;
      const String s = OnGetDisplText ? GetCellEx(c, r) : GetGridCell(c, r);
      const String plain = UnMarkCellText(s, Tag);
      if (plain != s) SetCellEx(c, r, plain);
    }
}

void TAdvStringGrid::HilightInCell(bool DoCase, int Col, int Row, const String& HiText) {
  MarkRange({Col, Col, Row, Row}, kMarkHighlightTag, DoCase, HiText);
}

void TAdvStringGrid::MarkInCell(bool DoCase, int Col, int Row, const String& HiText) {
  MarkRange({Col, Col, Row, Row}, kMarkErrorTag, DoCase, HiText);
}

void TAdvStringGrid::HilightInCol(bool DoFixed, bool DoCase, int Col, const String& HiText) {
  MarkRange(NormalRowsRange(DoFixed, Col, Col), kMarkHighlightTag, DoCase, HiText);
}

void TAdvStringGrid::MarkInCol(bool DoFixed, bool DoCase, int Col, const String& HiText) {
  MarkRange(NormalRowsRange(DoFixed, Col, Col), kMarkErrorTag, DoCase, HiText);
}

void TAdvStringGrid::HilightInRow(bool DoFixed, bool DoCase, int Row, const String& HiText) {
  const int from = DoFixed ? 0 : FixedCols(), to = DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
  MarkRange({from, to, Row, Row}, kMarkHighlightTag, DoCase, HiText);
}

void TAdvStringGrid::MarkInRow(bool DoFixed, bool DoCase, int Row, const String& HiText) {
  const int from = DoFixed ? 0 : FixedCols(), to = DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
  MarkRange({from, to, Row, Row}, kMarkErrorTag, DoCase, HiText);
}

void TAdvStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const String& HiText) {
  const int from = DoFixed ? 0 : FixedCols();
  const int to = DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1 + NumHiddenColumns();
  MarkRange(NormalRowsRange(DoFixed, from, to), kMarkHighlightTag, DoCase, HiText);
}

void TAdvStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const String& HiText) {
  const int from = DoFixed ? 0 : FixedCols(), to = DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
  MarkRange(NormalRowsRange(DoFixed, from, to), kMarkErrorTag, DoCase, HiText);
}

void TAdvStringGrid::UnHilightInCell(int Col, int Row) { UnMarkRange({Col, Col, Row, Row}, kMarkHighlightTag); }

void TAdvStringGrid::UnMarkInCell(int Col, int Row) { UnMarkRange({Col, Col, Row, Row}, kMarkErrorTag); }

void TAdvStringGrid::UnHilightInCol(bool DoFixed, int Col) {
  UnMarkRange(NormalRowsRange(DoFixed, Col, Col), kMarkHighlightTag);
}

void TAdvStringGrid::UnMarkInCol(bool DoFixed, int Col) { UnMarkRange(NormalRowsRange(DoFixed, Col, Col), kMarkErrorTag); }

void TAdvStringGrid::UnHilightInRow(bool DoFixed, int Row) {
  const int from = DoFixed ? 0 : FixedCols();
  const int to = (DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1) + NumHiddenColumns();
  UnMarkRange({from, to, Row, Row}, kMarkHighlightTag);
}

void TAdvStringGrid::UnMarkInRow(bool DoFixed, int Row) {
  const int from = DoFixed ? 0 : FixedCols();
  const int to = (DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1) + NumHiddenColumns();
  UnMarkRange({from, to, Row, Row}, kMarkErrorTag);
}

void TAdvStringGrid::UnHilightInGrid(bool DoFixed) {
  const int from = DoFixed ? 0 : FixedCols();
  const int to = ColCount() + NumHiddenColumns() - (DoFixed ? 0 : FFixedRightCols) - 1;
  UnMarkRange(NormalRowsRange(DoFixed, from, to), kMarkHighlightTag);
}

void TAdvStringGrid::UnMarkInGrid(bool DoFixed) {
  const int from = DoFixed ? 0 : FixedCols();
  const int to = ColCount() + NumHiddenColumns() - (DoFixed ? 0 : FFixedRightCols) - 1;
  UnMarkRange(NormalRowsRange(DoFixed, from, to), kMarkErrorTag);
}

// ---------------------------------------------------------------------------------------------
// Cell checks

bool TAdvStringGrid::CheckCell(int Col, int Row) {
  if (!FCellChecker) return true;
  const String plain = UnMarkText(GetCellEx(Col, Row));
  if (FCellChecker->GotoCell) TCustomGrid::FocusCell(DisplColIndex(Col), Row, true);
  String text = plain;
  if (FCellChecker->UseCorrect) text = FCellChecker->Correct(Col, Row, text);
  if (FCellChecker->UseMarkError) text = FCellChecker->MarkError(Col, Row, text);
  SetCellEx(Col, Row, text);
  return text == plain;
}

bool TAdvStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow) {
  if (!FCellChecker) return true;
  FCellChecker->StartCheck();
  const int col = Col(), row = Row();
  bool ok = true;
  for (int r = FromRow; r <= ToRow; ++r)
    for (int c = FromCol; c <= ToCol; ++c) ok = CheckCell(c, r) && ok;
  FCellChecker->StopCheck();
  if (FCellChecker->GotoCell) TCustomGrid::FocusCell(col, row, true);
  return ok;
}

bool TAdvStringGrid::CheckCol(bool DoFixed, int Col) {
  const TMarkRange r = NormalRowsRange(DoFixed, Col, Col);
  return CheckCells(Col, r.FromRow, Col, r.ToRow);
}

bool TAdvStringGrid::CheckRow(bool DoFixed, int Row) {
  const int from = DoFixed ? 0 : FixedCols(), to = DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
  return CheckCells(from, Row, to, Row);
}

bool TAdvStringGrid::CheckGrid(bool DoFixed) {
  const int from = DoFixed ? 0 : FixedCols(), to = DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
  const TMarkRange r = NormalRowsRange(DoFixed, from, to);
  return CheckCells(from, r.FromRow, to, r.ToRow);
}

// ---------------------------------------------------------------------------------------------
// Fills

void TAdvStringGrid::FillCells(bool DoFixed, const std::function<String(int, int)>& Text) {
  const int c1 = DoFixed ? 0 : FixedCols(), c2 = DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
  const TMarkRange rows = NormalRowsRange(DoFixed, c1, c2);
  for (int r = rows.FromRow; r <= rows.ToRow; ++r)
    for (int c = c1; c <= c2; ++c) SetCellEx(RealColIndex(c), r, Text(c, r));
  CellsLoaded();
}

void TAdvStringGrid::TextFill(bool DoFixed, const String& Txt) {
  FillCells(DoFixed, [&](int, int) { return Txt; });
}

void TAdvStringGrid::FormatFill(bool DoFixed, const String& Fmt) {
  FillCells(DoFixed, [&](int c, int r) { return Format(Fmt, {c, r}); });
}

void TAdvStringGrid::RandomFill(bool DoFixed, int Rnd) {
  std::uniform_int_distribution<int> pick(0, std::max(0, Rnd - 1));
  FillCells(DoFixed, [&](int, int) { return IntToStr(pick(FillRandomEngine())); });
}

void TAdvStringGrid::LinearFill(bool DoFixed) {
  FillCells(DoFixed, [](int c, int r) { return IntToStr(c) + u":" + IntToStr(r); });
}

// ---------------------------------------------------------------------------------------------
// Owned fonts and lists

void TAdvStringGrid::SetFixedFont(TFont* v) {
  FFixedFont->Assign(v);
  Invalidate();
}

void TAdvStringGrid::SetLookupItems(TStrings* v) {
  if (v) FLookupItems->Assign(v);
}
