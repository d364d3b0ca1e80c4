#include "grid/foundation/ZazAdezFilter.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unordered_map>

#include "grid/foundation/ZazAdez.h"

namespace {

constexpr size_t kOperandMax = 255;  // operands live in a 256-character buffer

bool Has(const String& s, Char c) { return s.find(c) != String::npos; }

// Decimal floating point: sign, digits, ".", exponent; anything else is not a number.
bool ParsePlainNumber(const String& s, double& out) {
  if (s.empty()) return false;
  std::string a;
  size_t i = 0;
  const size_t n = s.size();
  if (s[i] == u'+' || s[i] == u'-') a += static_cast<char>(s[i++]);
  bool digits = false;
  while (i < n && s[i] >= u'0' && s[i] <= u'9') { a += static_cast<char>(s[i++]); digits = true; }
  if (i < n && s[i] == u'.') {
    a += '.';
    ++i;
    while (i < n && s[i] >= u'0' && s[i] <= u'9') { a += static_cast<char>(s[i++]); digits = true; }
  }
  if (!digits) return false;
  if (i < n && (s[i] == u'e' || s[i] == u'E')) {
    a += 'e';
    ++i;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) a += static_cast<char>(s[i++]);
    bool expDigits = false;
    while (i < n && s[i] >= u'0' && s[i] <= u'9') { a += static_cast<char>(s[i++]); expDigits = true; }
    if (!expDigits) return false;
  }
  if (i != n) return false;
  out = std::strtod(a.c_str(), nullptr);
  return true;
}

bool AsNumber(const String& text, double& out) {
  TDateTime dummy;
  if (ParseLocaleDateTime(text, dummy)) return false;
  return ParsePlainNumber(NormalizeLocaleNumber(text), out);
}

template <class T>
int Order(T a, T b) { return a < b ? -1 : (b < a ? 1 : 0); }

// Value against operand: numbers, then date-times, then the texts (first 255 characters).
int CompareFilterValues(const String& value, const String& operand) {
  double v = 0, o = 0;
  if (AsNumber(value, v) && AsNumber(operand, o)) return Order(v, o);
  TDateTime dv = 0, dox = 0;
  if (ParseLocaleDateTime(value, dv) && ParseLocaleDateTime(operand, dox)) return Order(dv, dox);
  const String a = value.substr(0, kOperandMax);
  const String b = operand.substr(0, kOperandMax);
  return a.compare(b) < 0 ? -1 : (a.compare(b) > 0 ? 1 : 0);
}

// The operand after the comparison operator at index `at` (0-based, just past the operator).
// Spaces inside double quotes belong to the operand, so a quoted text with blanks is kept whole.
String OperandAt(const String& p, size_t at) {
  size_t i = at;
  while (i < p.size() && p[i] == u' ') ++i;
  bool quoted = false;
  size_t end = i;
  while (end < p.size()) {
    const Char c = p[end];
    if (c == u'"') quoted = !quoted;
    else if (!quoted && (c == u' ' || c == u'&' || c == u'|')) break;
    ++end;
  }
  String op = p.substr(i, end - i);
  if (!op.empty() && op.front() == u'"') op.erase(0, 1);
  if (!op.empty() && op.back() == u'"') op.pop_back();
  if (op.size() > kOperandMax) op.resize(kOperandMax);
  return op;
}

// Wildcard walk of P from pi against V from vi. Results of the walks that "*" starts are kept
// per starting pair, so patterns with many stars stay polynomial.
class WildcardMatcher {
 public:
  WildcardMatcher(const String& p, const String& v) : p_(p), v_(v) {}
  bool Match(size_t pi, size_t vi) {
    bool negate = false;
    bool result = true;
    while (result && !(pi >= p_.size() && vi >= v_.size())) {
      if (pi >= p_.size()) { result = false; break; }  // the pattern ends before the value
      const Char c = p_[pi];
      if (c == u'!') { negate = true; ++pi; continue; }
      if (c == u'"') { ++pi; continue; }
      if (c == u'*') {
        while (pi < p_.size() && p_[pi] == u'*') ++pi;
        bool found = false;
        for (size_t j = v_.size() + 1; j-- > vi;) {
          if (Rest(pi, j)) { found = true; break; }
        }
        if (found) break;  // the walk ends matched
        result = false;
        break;
      }
      if (vi >= v_.size()) { result = false; break; }
      if (c != u'?' && c != v_[vi]) { result = false; break; }
      ++pi;
      ++vi;
    }
    return negate ? !result : result;
  }

 private:
  bool Rest(size_t pi, size_t vi) {
    const uint64_t key = (static_cast<uint64_t>(pi) << 32) | vi;
    auto it = memo_.find(key);
    if (it != memo_.end()) return it->second;
    const bool r = Match(pi, vi);
    memo_.emplace(key, r);
    return r;
  }
  const String& p_;
  const String& v_;
  std::unordered_map<uint64_t, bool> memo_;
};

bool MatchExpression(String expr, const String& cell, bool caseSensitive) {
  expr = RemoveSpacesOutsideQuotes(Trim(expr));
  if (!expr.empty() && expr[0] == u'=') expr.erase(0, 1);

  bool result = true;
  Char pending = 0;
  auto combine = [&](bool value) {
    switch (pending) {
      case 0: result = value; break;
      case u'&': result = result && value; break;
      case u';': case u'^': case u'|': result = result || value; break;
      default: break;  // "(": the empty term after a group counts for nothing
    }
  };
  for (;;) {
    int pos = -1;
    const Char op = FindFirstOperator(u"(;^&|", expr, pos);
    if (op == 0) break;
    bool value = false;
    if (expr[0] == u'(') {
      const int close = FindClosingParenthesis(expr);
      // Without its ")" the group runs to the end of the expression.
      const size_t inner = close > 0 ? static_cast<size_t>(close) - 2 : expr.size() - 1;
      value = MatchExpression(expr.substr(1, inner), cell, caseSensitive);
      expr.erase(0, close > 0 ? static_cast<size_t>(close) : expr.size());
    } else {
      value = MatchFilterTerm(expr.substr(0, static_cast<size_t>(pos) - 1), cell, caseSensitive);
      expr.erase(0, static_cast<size_t>(pos));
    }
    combine(value);
    pending = op;
  }
  combine(MatchFilterTerm(expr, cell, caseSensitive));
  return result;
}

}  // namespace

bool MatchFilterExpression(const String& Expression, const String& CellText, bool CaseSensitive) {
  return MatchExpression(Expression, CellText, CaseSensitive);
}

bool MatchFilterTerm(const String& Term, const String& CellText, bool CaseSensitive) {
  if (CaseSensitive) return MatchFilterCondition(Term, CellText);
  return MatchFilterCondition(AnsiUpperCase(Term), AnsiUpperCase(CellText));
}

bool MatchFilterCondition(const String& Pattern, const String& Value) {
  const String& p = Pattern;
  bool greater = true, less = true;
  bool greaterSeen = false, lessSeen = false;
  const size_t gt = p.find(u'>');
  if (gt != String::npos) {
    const bool orEqual = gt + 1 < p.size() && p[gt + 1] == u'=';
    const int c = CompareFilterValues(Value, OperandAt(p, gt + (orEqual ? 2 : 1)));
    greater = orEqual ? c >= 0 : c > 0;
    greaterSeen = true;
  }
  const size_t lt = p.find(u'<');
  if (lt != String::npos) {
    const bool orEqual = lt + 1 < p.size() && p[lt + 1] == u'=';
    const int c = CompareFilterValues(Value, OperandAt(p, lt + (orEqual ? 2 : 1)));
    less = orEqual ? c <= 0 : c < 0;
    lessSeen = true;
  }
  if (Has(p, u'!')) {
    if (gt == String::npos) greaterSeen = true;
    if (lt == String::npos) lessSeen = true;
  }
  if (Has(p, u'^') && (greaterSeen || lessSeen)) return less || greater;
  if (Has(p, u'&') && greaterSeen && lessSeen) return less && greater;
  if (gt != String::npos && greater) return true;
  if (lt != String::npos && less) return true;
  WildcardMatcher m(p, Value);
  return m.Match(0, 0);
}

Char FindFirstOperator(const String& Operators, const String& Text, int& Position) {
  bool quoted = false;
  for (size_t i = 0; i < Text.size(); ++i) {
    const Char c = Text[i];
    if (c == u'"') { quoted = !quoted; continue; }
    if (!quoted && Has(Operators, c)) {
      Position = static_cast<int>(i) + 1;
      return c;
    }
  }
  Position = -1;
  return 0;
}

int FindClosingParenthesis(const String& Text) {
  int open = 0, close = 0;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == u'(') ++open;
    else if (Text[i] == u')') {
      ++close;
      if (close == open) return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

String RemoveSpacesOutsideQuotes(const String& Text) {
  String r;
  r.reserve(Text.size());
  bool quoted = false;
  for (Char c : Text) {
    if (c == u'"') quoted = !quoted;
    if (c == u' ' && !quoted) continue;
    r += c;
  }
  return r;
}

String NormalizeLocaleNumber(const String& Text) {
  const Char decimal = GetDecimalSeparatorChar();
  const Char thousand = GetThousandSeparatorChar();
  String r;
  r.reserve(Text.size());
  for (Char c : Text) {
    if (c == decimal) r += u'.';
    else if (c != thousand) r += c;
  }
  return r;
}

bool ParseLocaleDateTime(const String& Text, TDateTime& Result) {
  const String fmt = UpperCase(GetShortDateFormatText());
  const size_t pd = fmt.find(u'D'), pm = fmt.find(u'M'), py = fmt.find(u'Y');
  if (pd == String::npos || pm == String::npos || py == String::npos) return false;
  // Which of day (0), month (1), year (2) each field holds, in the format's order.
  int order[3] = {0, 1, 2};
  const size_t where[3] = {pd, pm, py};
  std::sort(order, order + 3, [&](int a, int b) { return where[a] < where[b]; });

  const Char sep = GetDateSeparatorChar();
  const size_t s1 = Text.find(sep);
  if (s1 == String::npos) return false;
  const size_t s2 = Text.find(sep, s1 + 1);
  if (s2 == String::npos) return false;
  String fields[3] = {Text.substr(0, s1), Text.substr(s1 + 1, s2 - s1 - 1), Trim(Text.substr(s2 + 1))};
  String timeText;
  const size_t space = fields[2].find(u' ');
  if (space != String::npos) {
    timeText = fields[2].substr(space);
    fields[2].resize(space);
  }
  int dmy[3] = {0, 0, 0};
  for (int i = 0; i < 3; ++i) {
    int v = 0;
    if (!TryStrToInt(fields[i], v)) return false;
    dmy[order[i]] = v;
  }
  if (dmy[0] > 31 || dmy[1] > 12) return false;

  int hour = 0, minute = 0, second = 0;
  if (!timeText.empty()) {
    const Char tsep = GetTimeSeparatorChar();
    const size_t t1 = timeText.find(tsep);
    if (t1 == String::npos) return false;
    if (!TryStrToInt(timeText.substr(0, t1), hour) || hour > 23) return false;
    const size_t t2 = timeText.find(tsep, t1 + 1);
    if (t2 != String::npos) {
      if (!TryStrToInt(timeText.substr(t1 + 1, t2 - t1 - 1), minute)) return false;
      if (!TryStrToInt(timeText.substr(t2 + 1), second) || second > 60) return false;
    } else if (!TryStrToInt(timeText.substr(t1 + 1), minute)) {
      return false;
    }
    if (minute > 59) return false;
  }
  TDateTime date = 0, time = 0;
  if (!TryEncodeDate(dmy[2], dmy[1], dmy[0], date)) return false;
  if (!TryEncodeTime(hour, minute, second, 0, time)) return false;
  Result = date + time;
  return true;
}
