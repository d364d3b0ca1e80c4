// Filter conditions, the row match and the filter levels: each application hides the failing
// rows as one level of the hidden-row store, and lifting a filter restores one level.
#include <algorithm>
#include <cmath>
#include <vector>

#include "grid/core/AdvGrid.h"
#include "grid/foundation/ZazAdez.h"
#include "grid/foundation/ZazAdezFilter.h"

// ---------------------------------------------------------------------------------------------
// TFilterData, TFilter

void TFilterData::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TFilterData*>(Source);
  if (!s) return;
  FColumn = s->FColumn;
  FCondition = s->FCondition;
  FCaseSensitive = s->FCaseSensitive;
  FData = s->FData;
  FPrefix = s->FPrefix;
  FSuffix = s->FSuffix;
  FOperation = s->FOperation;
}

TFilter::TFilter(TAdvStringGrid* AOwner)
    : TCollection([](TCollection* c) { return New<TFilterData>(c); }), FOwner(AOwner) {}

TFilterData* TFilter::Add() {
  auto* item = static_cast<TFilterData*>(TCollection::Add());
  item->SetOperation(Count() == 1 ? foNONE : foAND);
  return item;
}

TFilterData* TFilter::Insert(int Index) {
  (void)Index;  // appended, as the grid pack's own collection does
  return static_cast<TFilterData*>(TCollection::Add());
}

TFilterData* TFilter::ColumnFilter(int Col) {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Column() == Col) return Items(i);
  TFilterData* item = Add();
  item->SetColumn(static_cast<int16_t>(Col));
  return item;
}

void TFilter::RemoveColumnFilter(int Col) {
  for (int i = Count() - 1; i >= 0; --i)
    if (Items(i)->Column() == Col) Delete(i);
  if (FOwner && Col >= 0) FOwner->RepaintCell(FOwner->DisplColIndex(Col), 0);
}

bool TFilter::HasFilter(int Col) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Column() == Col) return true;
  return false;
}

// ---------------------------------------------------------------------------------------------
// The row match

namespace {

String FilterRowText(TAdvStringGrid& G, int ARow) {
  String text;
  for (int c = 0; c < G.ColCount(); ++c) {
    if (c > 0) text += u"\r\n";
    text += G.GetGridCell(c, ARow);
  }
  return text;
}

// A condition of letters, "*" and "?" only is one wildcard term of the expression matcher:
// matched here in place, case folded character by character, without the matcher's parsing and
// copies (filters run over every row). False when the condition is anything else.
bool FilterPlainWildcard(const String& Pattern, const String& Text, bool CaseSensitive, bool& Matched) {
  for (Char c : Pattern)
    if (c <= u' ' || c == u'(' || c == u')' || c == u';' || c == u'^' || c == u'&' || c == u'|' || c == u'<' ||
        c == u'>' || c == u'=' || c == u'!' || c == u'"')
      return false;
  auto same = [&](Char p, Char t) { return CaseSensitive ? p == t : AnsiUpperCaseChar(p) == AnsiUpperCaseChar(t); };
  // The greedy walk with one backtrack point per star.
  size_t pi = 0, ti = 0, star = String::npos, mark = 0;
  while (ti < Text.size()) {
    if (pi < Pattern.size() && Pattern[pi] == u'*') {
      star = pi++;
      mark = ti;
    } else if (pi < Pattern.size() && (Pattern[pi] == u'?' || same(Pattern[pi], Text[ti]))) {
      ++pi;
      ++ti;
    } else if (star != String::npos) {
      pi = star + 1;
      ti = ++mark;
    } else {
      Matched = false;
      return true;
    }
  }
  while (pi < Pattern.size() && Pattern[pi] == u'*') ++pi;
  Matched = pi == Pattern.size();
  return true;
}

bool FilterConditionMatches(TAdvStringGrid& G, TFilterData* F, int ARow) {
  String text;
  const int col = F->Column();
  switch (F->Data()) {
    case fcVirtual: text = G.GetCellEx(col, ARow); break;
    case fcNormal: text = G.GetGridCell(col, ARow); break;
    case fcStripHTML: text = G.GetStrippedCell(col, ARow); break;
    case fcCalculated: G.GetCalcCellText(col, ARow, text); break;
    case fcRow: text = FilterRowText(G, ARow); break;
  }
  text = Trim(text);
  if (text.find(u"|\\") != String::npos) text = UnpackUnicodeText(text);
  if (F->Data() == fcRow) return AnsiUpperCase(text).find(AnsiUpperCase(F->Condition())) != String::npos;
  const String& prefix = F->Prefix();
  if (!prefix.empty() && text.compare(0, prefix.size(), prefix) == 0) text.erase(0, prefix.size());
  const String& suffix = F->Suffix();
  if (!suffix.empty()) {
    const size_t at = text.find(suffix);
    if (at != String::npos && at + suffix.size() == text.size()) text.erase(at);
  }
  if (F->Condition().empty()) return true;
  if (F->Method() == fmLiteral) return text == F->Condition();
  bool matched = false;
  if (FilterPlainWildcard(F->Condition(), text, F->CaseSensitive(), matched)) return matched;
  return MatchFilterExpression(F->Condition(), text, F->CaseSensitive());
}

}  // namespace

bool TAdvStringGrid::MatchFilter(int ARow) {
  bool result = true;
  for (int i = 0; i < FFilter->Count(); ++i) {
    TFilterData* f = FFilter->Items(i);
    bool match = false;
    try {
      match = FilterConditionMatches(*this, f, ARow);
    } catch (const std::exception&) {
      match = false;
    }
    bool stop = false;
    switch (f->Operation()) {
      case foSHORT:
        result = match;
        stop = !match;
        break;
      case foNONE: result = match; break;
      case foAND: result = result && match; break;
      case foXOR: result = result != match; break;
      case foOR: result = result || match; break;
    }
    if (stop) break;
  }
  if (OnCustomFilter) OnCustomFilter(this, ARow, result);
  return result;
}

// ---------------------------------------------------------------------------------------------
// Levels

void TAdvStringGrid::ApplyFilter() {
  FFilterFixedRows = FixedRows();
  const int total = RowCount() - FFixedFooters - FixedRows();
  TIntList failing(0, 0);
  int n = 0;
  const int last = RowCount() - FFixedFooters - 1;
  for (int r = FixedRows(); r <= last; ++r) {
    if (FFilterNormalCellsOnly && (IsNode(r) || IsSummary(r))) continue;
    ++n;
    if (!MatchFilter(r)) failing.Add(r);
    if (total > 0 && OnFilterProgress)
      OnFilterProgress(this, static_cast<int16_t>(std::lround(100.0 * n / total)));
  }
  HideRowList(&failing);
  if (OnFilterProgress) OnFilterProgress(this, static_cast<int16_t>(total > 0 ? std::lround(100.0 * n / total) : 100));
}

void TAdvStringGrid::SetFilterActive(bool Value) {
  if (Value != FFilterActive) {
    FFilterActive = Value;
    if (Value) {
      if (Row() >= RowCount() || Col() >= ColCount()) FocusCell(FixedCols(), FixedRows());
      BeginUpdate();
      ApplyFilter();
      EndUpdate();
      FSelHidden = false;
    } else if (FFilterLevel > 0) {
      UnHideRowList();
      --FFilterLevel;
      if (FFilterFixedRows < RowCount()) SetFixedRows(FFilterFixedRows);
      if (FSelHidden) UnHideSelection();
    }
    if (FixedRows() < RowCount()) SetTopRow(FixedRows());
  }
  CalcFooter(-1);
}

void TAdvStringGrid::FilterRow(int ARow) {
  if (ARow < 0 || ARow >= RowCount()) return;
  if (!MatchFilter(ARow)) HideRow(RealRowIndex(ARow));
}

bool TAdvStringGrid::RemoveLastFilter() {
  if (FFilterLevel == 0) return false;
  UnHideRowList();
  if (FFilterFixedRows < RowCount()) SetFixedRows(FFilterFixedRows);
  if (FSelHidden) UnHideSelection();
  CalcFooter(-1);
  --FFilterLevel;
  if (FFilterLevel == 0) FFilterActive = false;
  return FFilterLevel > 0;
}

void TAdvStringGrid::RemoveAllFilters() {
  if (FFilterLevel == 0) {
    FFilter->Clear();
    return;
  }
  while (FFilterLevel > 0) RemoveLastFilter();
}

void TAdvStringGrid::BuildFilterItem(const String& ACondition, int AColumn) {
  FFilter->Clear();
  TFilterData* f = FFilter->Add();
  if (AColumn == -1) {
    f->SetData(fcRow);
    f->SetCondition(ACondition);
  } else {
    f->SetData(fcNormal);
    String cond = u"*" + ACondition + u"*";
    if (ACondition.find(u' ') != String::npos) cond = u"\"" + cond + u"\"";
    f->SetCondition(cond);
  }
  f->SetCaseSensitive(false);
  f->SetColumn(static_cast<int16_t>(AColumn));
}

void TAdvStringGrid::NarrowDown(const String& ACondition, int AColumn) {
  FFixedRowAlways = true;
  const size_t n = ACondition.size(), last = FLastFilter.size();
  const bool narrowing = n == last + 1 && ACondition.compare(0, last, FLastFilter) == 0;
  const bool widening = !ACondition.empty() && last == n + 1 && FLastFilter.compare(0, n, ACondition) == 0;
  if (narrowing) {
    BuildFilterItem(ACondition, AColumn);
    ApplyFilter();
  } else if (widening) {
    RemoveLastFilter();
  } else {
    RemoveAllFilters();
    if (!ACondition.empty()) {
      BuildFilterItem(ACondition, AColumn);
      ApplyFilter();
    }
  }
  FLastFilter = ACondition;
  // The levels are gone; rows hidden by HideRow or by contracted nodes stay hidden with their
  // cells (emptying the whole store would lose them).
}

// ---------------------------------------------------------------------------------------------
// The value list of the filter drop-down

bool TAdvStringGrid::DoGetColumnFilter(int Column) {
  TStringList* list = FFilterList.get();
  list->BeginUpdate();
  list->SetSorted(false);
  list->Clear();
  if (FFilterDropDownAuto && (Column >= FixedCols() || FFilterDropDownColumns == fdAll)) {
    // Ordinal order of the entries, each once: "New York" before "a".
    std::vector<String> values;
    auto add = [&](const String& T) { values.push_back(T.find(u' ') == String::npos ? T : T + u"=\"" + T + u"\""); };
    for (int r = FixedRows(); r <= RowCount() - FFixedFooters - 1; ++r) add(Trim(GetCellEx(Column, r)));
    if (!FFilterIncremental) {
      for (int i = 0; i < NumHiddenRows(); ++i) {
        auto* item = static_cast<TGridItem*>(FGridItems->Items(i));
        if (Column < item->Items()->Count()) add(item->Items()->Strings(Column));
      }
    }
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    if (!FFilterDropDownClear.empty()) list->Add(FFilterDropDownClear);
    for (const String& v : values) list->Add(v);
  }
  list->EndUpdate();
  if (OnGetColumnFilter) OnGetColumnFilter(this, Column, list);
  return list->Count() > 0;
}
