#include "platform/SysUtils.h"

#include <QChar>
#include <QCollator>
#include <QString>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <langinfo.h>
#include <limits>
#include <string>
#include <locale.h>

#include "platform/TimeSource.h"

// ---------------------------------------------------------------------------------------------
// Exceptions

Exception::Exception(String msg) : message_(std::move(msg)), utf8_(StringToUtf8(message_)) {}

void Exception::SetMessage(String msg) {
  message_ = std::move(msg);
  utf8_ = StringToUtf8(message_);
}

namespace {

String Quoted(const String& s) { return u"'" + s + u"'"; }

[[noreturn]] void InvalidOp() { throw EInvalidOp(u"Invalid floating point operation"); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Strings

int Length(const String& s) { return static_cast<int>(s.size()); }

String Copy(const String& s, int index1, int count) {
  const int64_t len = static_cast<int64_t>(s.size());
  int64_t start = index1 < 1 ? 0 : static_cast<int64_t>(index1) - 1;
  if (start >= len || count <= 0) return String();
  int64_t n = std::min<int64_t>(count, len - start);
  return s.substr(static_cast<size_t>(start), static_cast<size_t>(n));
}

int Pos(const String& sub, const String& s) {
  if (sub.empty()) return 0;
  size_t p = s.find(sub);
  return p == String::npos ? 0 : static_cast<int>(p) + 1;
}

String Trim(const String& s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] <= u' ') ++b;
  while (e > b && s[e - 1] <= u' ') --e;
  return s.substr(b, e - b);
}

String TrimLeft(const String& s) {
  size_t b = 0;
  while (b < s.size() && s[b] <= u' ') ++b;
  return s.substr(b);
}

String TrimRight(const String& s) {
  size_t e = s.size();
  while (e > 0 && s[e - 1] <= u' ') --e;
  return s.substr(0, e);
}

String UpperCase(const String& s) {
  String r = s;
  for (Char& c : r)
    if (c >= u'a' && c <= u'z') c = static_cast<Char>(c - 32);
  return r;
}

String LowerCase(const String& s) {
  String r = s;
  for (Char& c : r)
    if (c >= u'A' && c <= u'Z') c = static_cast<Char>(c + 32);
  return r;
}

namespace {

// Simple one-to-one mapping on BMP characters; surrogate halves stay as they are so the length
// in code units never changes.
Char UnicodeUpper(Char c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<Char>(c - 32) : c;
  if (c >= 0xD800 && c <= 0xDFFF) return c;
  char32_t u = QChar::toUpper(static_cast<char32_t>(c));
  return u > 0xFFFF ? c : static_cast<Char>(u);
}

Char UnicodeLower(Char c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<Char>(c + 32) : c;
  if (c >= 0xD800 && c <= 0xDFFF) return c;
  char32_t u = QChar::toLower(static_cast<char32_t>(c));
  return u > 0xFFFF ? c : static_cast<Char>(u);
}

Char AsciiUpper(Char c) { return (c >= u'a' && c <= u'z') ? static_cast<Char>(c - 32) : c; }

}  // namespace

String AnsiUpperCase(const String& s) {
  String r = s;
  for (Char& c : r) c = UnicodeUpper(c);
  return r;
}

Char AnsiUpperCaseChar(Char c) { return UnicodeUpper(c); }

String AnsiLowerCase(const String& s) {
  String r = s;
  for (Char& c : r) c = UnicodeLower(c);
  return r;
}

int CompareText(const String& a, const String& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int ca = AsciiUpper(a[i]), cb = AsciiUpper(b[i]);
    if (ca != cb) return ca - cb;
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameText(const String& a, const String& b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

int CompareStr(const String& a, const String& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return static_cast<int>(a[i]) - static_cast<int>(b[i]);
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

String StringReplace(const String& s, const String& oldPattern, const String& newPattern, bool all,
                     bool ignoreCase) {
  if (oldPattern.empty()) return s;
  const String hay = ignoreCase ? AnsiUpperCase(s) : s;
  const String needle = ignoreCase ? AnsiUpperCase(oldPattern) : oldPattern;
  String r;
  size_t from = 0;
  while (true) {
    size_t p = hay.find(needle, from);
    if (p == String::npos) break;
    r.append(s, from, p - from);
    r += newPattern;
    from = p + needle.size();
    if (!all) break;
  }
  r.append(s, from, String::npos);
  return r;
}

String StringOfChar(Char c, int n) { return n <= 0 ? String() : String(static_cast<size_t>(n), c); }

// ---------------------------------------------------------------------------------------------
// Integers

String IntToStr(int64_t v) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return String(buf, r.ptr);
}

namespace {

String HexDigits(uint64_t v, int digits) {
  static const char kHex[] = "0123456789ABCDEF";
  String r;
  do {
    r.push_back(static_cast<Char>(kHex[v & 15]));
    v >>= 4;
  } while (v != 0);
  while (static_cast<int>(r.size()) < digits) r.push_back(u'0');
  std::reverse(r.begin(), r.end());
  return r;
}

// Parses the class library's integer syntax; `bits` is 32 or 64.
bool ParseInteger(const String& s, int bits, int64_t& out) {
  size_t i = 0;
  const size_t n = s.size();
  while (i < n && s[i] == u' ') ++i;
  bool neg = false;
  if (i < n && (s[i] == u'+' || s[i] == u'-')) {
    neg = s[i] == u'-';
    ++i;
  }
  bool hex = false;
  if (i < n && s[i] == u'$') {
    hex = true;
    ++i;
  } else if (i < n && (s[i] == u'x' || s[i] == u'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < n && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return false;
  uint64_t mag = 0;
  if (hex) {
    const uint64_t maxBits = bits == 32 ? 0xFFFFFFFFull : ~0ull;
    for (; i < n; ++i) {
      Char c = s[i];
      unsigned d;
      if (c >= u'0' && c <= u'9') d = c - u'0';
      else if (c >= u'a' && c <= u'f') d = c - u'a' + 10;
      else if (c >= u'A' && c <= u'F') d = c - u'A' + 10;
      else return false;
      if (mag > (maxBits >> 4)) return false;
      mag = (mag << 4) | d;
    }
    int64_t v = bits == 32 ? static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(mag)))
                           : static_cast<int64_t>(mag);
    if (neg) {
      // Negating the bit pattern wraps like the class library (and never overflows here).
      v = bits == 32 ? static_cast<int32_t>(0u - static_cast<uint32_t>(v))
                     : static_cast<int64_t>(0ull - static_cast<uint64_t>(v));
    }
    out = v;
    return true;
  }
  const uint64_t limit = bits == 32 ? (neg ? 2147483648ull : 2147483647ull)
                                    : (neg ? 9223372036854775808ull : 9223372036854775807ull);
  for (; i < n; ++i) {
    Char c = s[i];
    if (c < u'0' || c > u'9') return false;
    unsigned d = c - u'0';
    if (mag > (limit - d) / 10) return false;
    mag = mag * 10 + d;
  }
  out = neg ? static_cast<int64_t>(0ull - mag) : static_cast<int64_t>(mag);
  return true;
}

[[noreturn]] void NotInteger(const String& s) {
  throw EConvertError(Quoted(s) + u" is not a valid integer value");
}

}  // namespace

String IntToHex(int v, int digits) { return HexDigits(static_cast<uint32_t>(v), digits); }
String IntToHex(unsigned v, int digits) { return HexDigits(v, digits); }
String IntToHex(int64_t v, int digits) { return HexDigits(static_cast<uint64_t>(v), digits); }
String IntToHex(uint64_t v, int digits) { return HexDigits(v, digits); }

bool TryStrToInt(const String& s, int& out) {
  int64_t v;
  if (!ParseInteger(s, 32, v)) return false;
  out = static_cast<int>(v);
  return true;
}

int StrToInt(const String& s) {
  int v;
  if (!TryStrToInt(s, v)) NotInteger(s);
  return v;
}

int StrToIntDef(const String& s, int def) {
  int v;
  return TryStrToInt(s, v) ? v : def;
}

bool TryStrToInt64(const String& s, int64_t& out) { return ParseInteger(s, 64, out); }

int64_t StrToInt64(const String& s) {
  int64_t v;
  if (!TryStrToInt64(s, v)) NotInteger(s);
  return v;
}

int64_t StrToInt64Def(const String& s, int64_t def) {
  int64_t v;
  return TryStrToInt64(s, v) ? v : def;
}

// ---------------------------------------------------------------------------------------------
// Floating point

bool TryStrToFloat(const String& s, double& out) {
  const Char sep = FormatSettings().DecimalSeparator;
  size_t i = 0;
  const size_t n = s.size();
  while (i < n && s[i] == u' ') ++i;
  std::string text;
  if (i < n && (s[i] == u'+' || s[i] == u'-')) {
    if (s[i] == u'-') text.push_back('-');
    ++i;
  }
  int intDigits = 0, fracDigits = 0;
  while (i < n && s[i] >= u'0' && s[i] <= u'9') {
    text.push_back(static_cast<char>(s[i++]));
    ++intDigits;
  }
  if (i < n && s[i] == sep) {
    text.push_back('.');
    ++i;
    while (i < n && s[i] >= u'0' && s[i] <= u'9') {
      text.push_back(static_cast<char>(s[i++]));
      ++fracDigits;
    }
  }
  if (intDigits + fracDigits == 0) return false;
  if (i < n && (s[i] == u'e' || s[i] == u'E')) {
    text.push_back('e');
    ++i;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) text.push_back(static_cast<char>(s[i++]));
    int expDigits = 0;
    while (i < n && s[i] >= u'0' && s[i] <= u'9') {
      text.push_back(static_cast<char>(s[i++]));
      ++expDigits;
    }
    if (expDigits == 0) return false;
  }
  while (i < n && s[i] == u' ') ++i;
  if (i != n) return false;
  double v = 0;
  auto r = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) {
    // Out of range either way: a negative decimal exponent of the leading digit is underflow.
    size_t e = text.find('e');
    long exp10 = 0;
    if (e != std::string::npos) {
      const char* b = text.data() + e + 1;
      if (*b == '+') ++b;
      if (std::from_chars(b, text.data() + text.size(), exp10).ec != std::errc())
        exp10 = *b == '-' ? -1000000000L : 1000000000L;  // an exponent beyond any double
    }
    std::string mant = text.substr(0, e);
    size_t point = mant.find('.');
    long pointPos = static_cast<long>(point == std::string::npos ? mant.size() : point);
    long first = -1;
    for (size_t k = 0; k < mant.size(); ++k)
      if (mant[k] >= '1' && mant[k] <= '9') { first = static_cast<long>(k); break; }
    long lead = first < 0 ? 0 : (first < pointPos ? pointPos - first - 1 : pointPos - first);
    if (first >= 0 && lead + exp10 >= 0) return false;
    v = text[0] == '-' ? -0.0 : 0.0;
    r.ptr = text.data() + text.size();
  } else if (r.ec != std::errc() || r.ptr != text.data() + text.size()) {
    return false;
  }
  if (!std::isfinite(v)) return false;
  out = v;
  return true;
}

double StrToFloat(const String& s) {
  double v;
  if (!TryStrToFloat(s, v)) throw EConvertError(Quoted(s) + u" is not a valid floating point value");
  return v;
}

double StrToFloatDef(const String& s, double def) {
  double v;
  return TryStrToFloat(s, v) ? v : def;
}

namespace {

// value = 0.d1d2d3... x 10^exp; digits has no trailing zeros; zero has no digits.
struct Decimal {
  bool neg = false;
  std::string digits;
  int exp = 0;
};

void StripZeros(Decimal& d) {
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.exp = 0;
}

// Correctly rounded to 15 significant digits.
Decimal ToDecimal(double v) {
  Decimal d;
  d.neg = std::signbit(v);
  if (v == 0) {
    d.neg = false;
    return d;
  }
  char buf[40];
  auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 14);
  std::string_view t(buf, static_cast<size_t>(r.ptr - buf));
  size_t e = t.find('e');
  for (size_t i = 0; i < e; ++i)
    if (t[i] != '.') d.digits.push_back(t[i]);
  int x = 0;
  std::from_chars(t.data() + e + 1 + (t[e + 1] == '+' ? 1 : 0), t.data() + t.size(), x);
  d.exp = x + 1;
  StripZeros(d);
  return d;
}

// Keeps `keep` leading digits, rounding half away from zero.
void RoundToDigits(Decimal& d, int keep) {
  if (keep >= static_cast<int>(d.digits.size())) return;
  if (keep < 0) {
    d.digits.clear();
    StripZeros(d);
    return;
  }
  bool up = d.digits[static_cast<size_t>(keep)] >= '5';
  d.digits.resize(static_cast<size_t>(keep));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') d.digits[static_cast<size_t>(i--)] = '0';
    if (i >= 0) {
      ++d.digits[static_cast<size_t>(i)];
    } else {
      d.digits.insert(d.digits.begin(), '1');
      ++d.exp;
    }
  }
  StripZeros(d);
}

String GeneralText(double v, int precision, int minExpDigits) {
  if (std::isnan(v)) return u"NAN";
  if (std::isinf(v)) return v > 0 ? u"INF" : u"-INF";
  Decimal d = ToDecimal(v);
  RoundToDigits(d, precision);
  if (d.digits.empty()) return u"0";
  const Char sep = FormatSettings().DecimalSeparator;
  String r;
  if (d.neg) r.push_back(u'-');
  if (d.exp > precision || d.exp < -3) {
    r.push_back(static_cast<Char>(d.digits[0]));
    if (d.digits.size() > 1) {
      r.push_back(sep);
      for (size_t i = 1; i < d.digits.size(); ++i) r.push_back(static_cast<Char>(d.digits[i]));
    }
    int x = d.exp - 1;
    r.push_back(u'E');
    if (x < 0) r.push_back(u'-');
    String ex = IntToStr(std::abs(x));
    while (static_cast<int>(ex.size()) < minExpDigits) ex.insert(ex.begin(), u'0');
    r += ex;
    return r;
  }
  if (d.exp <= 0) {
    r += u"0";
    r.push_back(sep);
    r.append(static_cast<size_t>(-d.exp), u'0');
    for (char c : d.digits) r.push_back(static_cast<Char>(c));
    return r;
  }
  for (int i = 0; i < d.exp; ++i)
    r.push_back(i < static_cast<int>(d.digits.size()) ? static_cast<Char>(d.digits[static_cast<size_t>(i)]) : u'0');
  if (static_cast<int>(d.digits.size()) > d.exp) {
    r.push_back(sep);
    for (size_t i = static_cast<size_t>(d.exp); i < d.digits.size(); ++i) r.push_back(static_cast<Char>(d.digits[i]));
  }
  return r;
}

// Fixed notation with `decimals` digits after the separator; thousand separators on request.
// `negative` reports the sign separately; it is set only when the rounded value is not zero,
// so -0.001 under two decimals is "0.00", not "-0.00".
String FixedText(double v, int decimals, bool thousands, bool& negative) {
  negative = false;
  if (!std::isfinite(v)) return GeneralText(v, 15, 0);
  Decimal d = ToDecimal(v);
  if (d.exp > 15) return GeneralText(v, 15, 0);
  RoundToDigits(d, d.exp + decimals);
  negative = d.neg && !d.digits.empty();
  const TFormatSettings& fs = FormatSettings();
  String intPart;
  if (d.exp <= 0) {
    intPart = u"0";
  } else {
    for (int i = 0; i < d.exp; ++i)
      intPart.push_back(i < static_cast<int>(d.digits.size()) ? static_cast<Char>(d.digits[static_cast<size_t>(i)]) : u'0');
  }
  String r;
  if (thousands && fs.ThousandSeparator != 0) {
    const size_t n = intPart.size();
    for (size_t i = 0; i < n; ++i) {
      if (i > 0 && (n - i) % 3 == 0) r.push_back(fs.ThousandSeparator);
      r.push_back(intPart[i]);
    }
  } else {
    r = intPart;
  }
  if (decimals > 0) {
    r.push_back(fs.DecimalSeparator);
    for (int i = 0; i < decimals; ++i) {
      int idx = d.exp + i;
      r.push_back(idx >= 0 && idx < static_cast<int>(d.digits.size()) ? static_cast<Char>(d.digits[static_cast<size_t>(idx)]) : u'0');
    }
  }
  return r;
}

String ExponentText(double v, int precision) {
  if (!std::isfinite(v)) return GeneralText(v, 15, 0);
  precision = std::clamp(precision, 1, 15);
  Decimal d = ToDecimal(v);
  RoundToDigits(d, precision);
  String r;
  if (d.neg && !d.digits.empty()) r.push_back(u'-');
  std::string digits = d.digits;
  digits.resize(static_cast<size_t>(precision), '0');
  r.push_back(static_cast<Char>(digits[0]));
  if (precision > 1) {
    r.push_back(FormatSettings().DecimalSeparator);
    for (size_t i = 1; i < digits.size(); ++i) r.push_back(static_cast<Char>(digits[i]));
  }
  int x = d.digits.empty() ? 0 : d.exp - 1;
  r.push_back(u'E');
  r.push_back(x < 0 ? u'-' : u'+');
  String ex = IntToStr(std::abs(x));
  while (ex.size() < 3) ex.insert(ex.begin(), u'0');
  return r + ex;
}

}  // namespace

String FloatToStr(double v) { return GeneralText(v, 15, 0); }

int64_t Round(double v) {
  if (!std::isfinite(v)) InvalidOp();
  // The default rounding mode rounds halves to even.
  const double r = std::nearbyint(v);
  if (r < -9223372036854775808.0 || r >= 9223372036854775808.0) InvalidOp();
  return static_cast<int64_t>(r);
}

int64_t Trunc(double v) {
  if (!std::isfinite(v)) InvalidOp();
  double r = std::trunc(v);
  if (r < -9223372036854775808.0 || r >= 9223372036854775808.0) InvalidOp();
  return static_cast<int64_t>(r);
}

// ---------------------------------------------------------------------------------------------
// Format

namespace {

constexpr int kMaxFormatNumber = 1 << 20;  // widths and precisions beyond this are refused

[[noreturn]] void BadFormat(const String& fmt) {
  throw EConvertError(u"Format " + Quoted(fmt) + u" invalid or incompatible with argument");
}

bool IsIntegerArg(const TVarRec& a) {
  return a.kind == TVarRec::vtInteger || a.kind == TVarRec::vtInt64 || a.kind == TVarRec::vtUInt64;
}

String UnsignedText(uint64_t v) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return String(buf, r.ptr);
}

}  // namespace

String Format(const String& fmt, std::initializer_list<TVarRec> args) {
  return Format(fmt, std::vector<TVarRec>(args));
}

String Format(const String& fmt, const std::vector<TVarRec>& args) {
  String out;
  size_t argIndex = 0;
  const size_t n = fmt.size();
  size_t i = 0;
  auto nextArg = [&]() -> const TVarRec& {
    if (argIndex >= args.size()) BadFormat(fmt);
    return args[argIndex++];
  };
  // A number or '*'; returns -1 when neither is there.
  auto readNumber = [&]() -> int {
    if (i < n && fmt[i] == u'*') {
      ++i;
      const TVarRec& a = nextArg();
      if (a.kind != TVarRec::vtInteger && a.kind != TVarRec::vtInt64) BadFormat(fmt);
      if (a.i < 0 || a.i > kMaxFormatNumber) BadFormat(fmt);
      return static_cast<int>(a.i);
    }
    if (i >= n || fmt[i] < u'0' || fmt[i] > u'9') return -1;
    int64_t v = 0;
    while (i < n && fmt[i] >= u'0' && fmt[i] <= u'9') {
      v = v * 10 + (fmt[i++] - u'0');
      if (v > kMaxFormatNumber) BadFormat(fmt);
    }
    return static_cast<int>(v);
  };
  while (i < n) {
    Char c = fmt[i++];
    if (c != u'%') {
      out.push_back(c);
      continue;
    }
    if (i < n && fmt[i] == u'%') {
      out.push_back(u'%');
      ++i;
      continue;
    }
    bool left = false;
    int width = -1, prec = -1;
    if (i < n && fmt[i] == u'-') {
      left = true;
      ++i;
      width = readNumber();
    } else {
      int num = readNumber();
      if (num >= 0 && i < n && fmt[i] == u':') {
        ++i;
        argIndex = static_cast<size_t>(num);
        if (i < n && fmt[i] == u'-') {
          left = true;
          ++i;
        }
        width = readNumber();
      } else {
        width = num;
      }
    }
    if (i < n && fmt[i] == u'.') {
      ++i;
      prec = readNumber();
      if (prec < 0) prec = 0;
    }
    if (i >= n) BadFormat(fmt);
    const Char type = AsciiUpper(fmt[i++]);
    const TVarRec& a = nextArg();
    String text;
    switch (type) {
      case u'D':
      case u'U': {
        if (!IsIntegerArg(a)) BadFormat(fmt);
        bool neg = false;
        uint64_t mag;
        if (type == u'U') {
          mag = a.kind == TVarRec::vtInteger ? static_cast<uint32_t>(a.i) : static_cast<uint64_t>(a.i);
        } else if (a.kind == TVarRec::vtUInt64) {
          mag = static_cast<uint64_t>(a.i);
        } else {
          neg = a.i < 0;
          mag = neg ? 0ull - static_cast<uint64_t>(a.i) : static_cast<uint64_t>(a.i);
        }
        text = UnsignedText(mag);
        if (prec > static_cast<int>(text.size())) text.insert(0, static_cast<size_t>(prec) - text.size(), u'0');
        if (neg) text.insert(text.begin(), u'-');
        break;
      }
      case u'X': {
        if (!IsIntegerArg(a)) BadFormat(fmt);
        uint64_t bits = a.kind == TVarRec::vtInteger ? static_cast<uint32_t>(a.i) : static_cast<uint64_t>(a.i);
        text = HexDigits(bits, std::max(prec, 0));
        break;
      }
      case u'S': {
        if (a.kind != TVarRec::vtString) BadFormat(fmt);
        text = a.s;
        if (prec >= 0 && static_cast<size_t>(prec) < text.size()) text.resize(static_cast<size_t>(prec));
        break;
      }
      case u'F':
      case u'N':
      case u'M':
      case u'E':
      case u'G': {
        if (a.kind != TVarRec::vtExtended) BadFormat(fmt);
        if (type == u'E') {
          text = ExponentText(a.d, prec < 0 ? 15 : prec);
        } else if (type == u'G') {
          text = GeneralText(a.d, prec < 0 ? 15 : std::clamp(prec, 1, 15), 0);
        } else {
          const TFormatSettings& fs = FormatSettings();
          int decimals = prec >= 0 ? prec : (type == u'M' ? fs.CurrencyDecimals : 2);
          bool neg = false;
          text = FixedText(a.d, decimals, type != u'F', neg);
          if (type == u'M' && std::isfinite(a.d)) {
            switch (fs.CurrencyFormat) {
              case 1: text = text + fs.CurrencyString; break;
              case 2: text = fs.CurrencyString + u" " + text; break;
              case 3: text = text + u" " + fs.CurrencyString; break;
              default: text = fs.CurrencyString + text; break;
            }
          }
          if (neg) text.insert(text.begin(), u'-');
        }
        break;
      }
      default:
        BadFormat(fmt);
    }
    if (width > static_cast<int>(text.size())) {
      const size_t pad = static_cast<size_t>(width) - text.size();
      if (left) text.append(pad, u' ');
      else text.insert(0, pad, u' ');
    }
    out += text;
  }
  return out;
}

String FormatLiteralD(const String& text, std::initializer_list<int64_t> values) {
  String out;
  auto it = values.begin();
  size_t i = 0;
  while (i < text.size()) {
    if (it != values.end() && text[i] == u'%' && i + 1 < text.size() && text[i + 1] == u'd') {
      out += IntToStr(*it++);
      i += 2;
    } else {
      out.push_back(text[i++]);
    }
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// Format settings

namespace {

bool IsDefaultLocaleName(std::string_view name) {
  return name.empty() || name == "C" || name == "POSIX" || name.substr(0, 2) == "C.";
}

// strftime directives to the class library's letters; other text is quoted.
String FromStrftime(std::string_view f, bool& twelveHour) {
  String r;
  String literal;
  auto flush = [&] {
    if (literal.empty()) return;
    // Letters would be read as format letters; '/' and ':' stay bare since they mean separators.
    bool needsQuotes = std::any_of(literal.begin(), literal.end(), [](Char c) {
      return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c > 0x7F;
    });
    r += needsQuotes ? u"\"" + literal + u"\"" : literal;
    literal.clear();
  };
  String text = Utf8ToString(f);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'%' || i + 1 >= text.size()) {
      literal.push_back(text[i]);
      continue;
    }
    Char d = text[++i];
    while ((d == u'-' || d == u'_' || d == u'0' || d == u'^' || d == u'#' || d == u'E' || d == u'O') &&
           i + 1 < text.size())
      d = text[++i];
    const char16_t* rep = nullptr;
    switch (d) {
      case u'd': rep = u"dd"; break;
      case u'e': rep = u"d"; break;
      case u'm': rep = u"MM"; break;
      case u'y': rep = u"yy"; break;
      case u'Y': rep = u"yyyy"; break;
      case u'H': rep = u"hh"; break;
      case u'k': rep = u"h"; break;
      case u'I': rep = u"hh"; twelveHour = true; break;
      case u'l': rep = u"h"; twelveHour = true; break;
      case u'M': rep = u"nn"; break;
      case u'S': rep = u"ss"; break;
      case u'p': rep = u"AMPM"; twelveHour = true; break;
      case u'b': case u'h': rep = u"MMM"; break;
      case u'B': rep = u"MMMM"; break;
      case u'a': rep = u"ddd"; break;
      case u'A': rep = u"dddd"; break;
      case u'D': rep = u"MM/dd/yy"; break;
      case u'F': rep = u"yyyy-MM-dd"; break;
      case u'T': rep = u"hh:nn:ss"; break;
      case u'R': rep = u"hh:nn"; break;
      case u'r': rep = u"hh:nn:ss AMPM"; twelveHour = true; break;
      case u'n': case u't': literal.push_back(u' '); break;
      case u'%': literal.push_back(u'%'); break;
      default: break;  // zone, week numbers and the like have no counterpart
    }
    if (rep) {
      flush();
      r += rep;
    }
  }
  flush();
  return Trim(r);
}

// The first character of a converted format that is neither a letter, a digit, a quote nor a blank.
Char SeparatorOf(const String& f, Char def) {
  bool quoted = false;
  for (Char c : f) {
    if (c == u'"' || c == u'\'') quoted = !quoted;
    else if (!quoted && !((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c <= u' '))
      return c;
  }
  return def;
}

// Removes the seconds (and the separator before them) from a time format.
String WithoutSeconds(const String& f) {
  size_t p = f.find(u"ss");
  if (p == String::npos) return f;
  size_t b = p;
  if (b > 0 && !(f[b - 1] >= u'a' && f[b - 1] <= u'z') && f[b - 1] != u' ') --b;
  return f.substr(0, b) + f.substr(p + 2);
}

}  // namespace

TFormatSettings FormatSettingsFromLocale(const char* localeName) {
  TFormatSettings fs;
  const std::string name = localeName ? localeName : "";
  if (!name.empty() && IsDefaultLocaleName(name)) return fs;
  // "" lets the C library pick each category from LC_ALL, LC_NUMERIC / LC_TIME and LANG.
  locale_t loc = newlocale(LC_ALL_MASK, name.c_str(), static_cast<locale_t>(nullptr));
  if (loc == static_cast<locale_t>(nullptr)) return fs;
  auto info = [&](nl_item item) { return std::string(nl_langinfo_l(item, loc)); };
  auto isDefault = [&](int category) {
#ifdef _NL_LOCALE_NAME
    return IsDefaultLocaleName(info(_NL_LOCALE_NAME(category)));
#else
    (void)category;
    return IsDefaultLocaleName(name);
#endif
  };
  if (!isDefault(LC_NUMERIC)) {
    String radix = Utf8ToString(info(RADIXCHAR));
    String thousands = Utf8ToString(info(THOUSEP));
    if (radix.size() == 1) fs.DecimalSeparator = radix[0];
    if (thousands.size() == 1) fs.ThousandSeparator = thousands[0];
    else fs.ThousandSeparator = fs.DecimalSeparator == u',' ? u'.' : u',';
  }
  if (isDefault(LC_TIME)) {
    freelocale(loc);
    return fs;
  }
  bool twelve = false;
  String date = FromStrftime(info(D_FMT), twelve);
  if (!date.empty()) {
    fs.ShortDateFormat = date;
    fs.DateSeparator = SeparatorOf(date, u'/');
  }
  twelve = false;
  String time = FromStrftime(info(T_FMT), twelve);
  if (twelve || info(T_FMT).empty()) {
    String t12 = FromStrftime(info(T_FMT_AMPM), twelve);
    if (!t12.empty() && twelve) time = t12;
  }
  if (!time.empty()) {
    fs.LongTimeFormat = time;
    fs.ShortTimeFormat = WithoutSeconds(time);
    fs.TimeSeparator = SeparatorOf(time, u':');
  }
  String am = Utf8ToString(info(AM_STR)), pm = Utf8ToString(info(PM_STR));
  if (!am.empty() && !pm.empty()) {
    fs.TimeAMString = am;
    fs.TimePMString = pm;
  }
  static const nl_item kAbMon[12] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4, ABMON_5, ABMON_6,
                                     ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
  static const nl_item kMon[12] = {MON_1, MON_2, MON_3, MON_4, MON_5, MON_6,
                                   MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
  static const nl_item kAbDay[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
  static const nl_item kDay[7] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
  for (int k = 0; k < 12; ++k) {
    fs.ShortMonthNames[k] = Utf8ToString(info(kAbMon[k]));
    fs.LongMonthNames[k] = Utf8ToString(info(kMon[k]));
  }
  for (int k = 0; k < 7; ++k) {
    fs.ShortDayNames[k] = Utf8ToString(info(kAbDay[k]));
    fs.LongDayNames[k] = Utf8ToString(info(kDay[k]));
  }
  freelocale(loc);
  return fs;
}

TFormatSettings& FormatSettings() {
  static TFormatSettings settings = FormatSettingsFromLocale("");
  return settings;
}

void ResetFormatSettings() {
  FormatSettings() = FormatSettingsFromLocale("");
}

namespace {

bool LocaleIsMiddleEast() {
  const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  for (const char* n : names) {
    const char* v = std::getenv(n);
    if (!v || !*v) continue;
    std::string lang(v);
    lang = lang.substr(0, lang.find_first_of("_.@"));
    static const char* rtl[] = {"ar", "he", "iw", "fa", "ur", "yi", "ps", "sd", "ug", "ckb", "dv", "syr"};
    for (const char* r : rtl) {
      if (lang == r) return true;
    }
    return false;
  }
  return false;
}

int& MiddleEastState() {
  static int state = -1;  // not read yet
  return state;
}

}  // namespace

bool IsMiddleEastLocale() {
  int& st = MiddleEastState();
  if (st < 0) st = LocaleIsMiddleEast() ? 1 : 0;
  return st == 1;
}

void SetMiddleEastLocale(bool On) { MiddleEastState() = On ? 1 : 0; }

// ---------------------------------------------------------------------------------------------
// Dates and times

namespace {

constexpr int64_t kUnixDayOfEpoch = 25569;  // 1970-01-01 as a day number
constexpr int64_t kFirstDay = -693593;      // 0001-01-01
constexpr int64_t kLastDay = 2958465;       // 9999-12-31
constexpr int64_t kMsPerDay = 86400000;

// Civil calendar to and from days since 1970-01-01 (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

// A TDateTime split into a day number and milliseconds of the day.
struct Stamp {
  bool ok = false;
  int64_t days = 0;
  int64_t ms = 0;
};

Stamp Split(TDateTime dt) {
  Stamp st;
  if (!std::isfinite(dt) || dt < kFirstDay - 1 || dt > kLastDay + 1) return st;
  st.days = static_cast<int64_t>(std::trunc(dt));
  st.ms = std::llround(std::fabs(dt - static_cast<double>(st.days)) * MSecsPerDay);
  if (st.ms >= kMsPerDay) {  // rounds up to midnight: the next calendar day
    st.ms -= kMsPerDay;
    st.days += 1;
  }
  st.ok = st.days >= kFirstDay && st.days <= kLastDay;
  return st;
}

TDateTime Compose(int64_t days, int64_t ms) {
  const double t = static_cast<double>(ms) / MSecsPerDay;
  return days < 0 ? static_cast<double>(days) - t : static_cast<double>(days) + t;
}

struct Parts {
  int year = 0, month = 0, day = 0, hour = 0, min = 0, sec = 0, msec = 0, dow = 0;
};

Parts PartsOf(TDateTime dt) {
  Parts p;
  Stamp st = Split(dt);
  if (!st.ok) return p;
  CivilFromDays(st.days - kUnixDayOfEpoch, p.year, p.month, p.day);
  p.hour = static_cast<int>(st.ms / 3600000);
  p.min = static_cast<int>(st.ms / 60000 % 60);
  p.sec = static_cast<int>(st.ms / 1000 % 60);
  p.msec = static_cast<int>(st.ms % 1000);
  p.dow = static_cast<int>(((st.days % 7) + 7 + 6) % 7 + 1);
  return p;
}

[[noreturn]] void BadDateEncode() { throw EConvertError(u"Invalid argument to date encode"); }

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month))
    return false;
  out = static_cast<double>(DaysFromCivil(year, month, day) + kUnixDayOfEpoch);
  return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& out) {
  if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
    return false;
  out = (hour * 3600000.0 + min * 60000.0 + sec * 1000.0 + msec) / MSecsPerDay;
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime r;
  if (!TryEncodeDate(year, month, day, r)) BadDateEncode();
  return r;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  TDateTime r;
  if (!TryEncodeTime(hour, min, sec, msec, r)) throw EConvertError(u"Invalid argument to time encode");
  return r;
}

void DecodeDate(TDateTime dt, uint16_t& year, uint16_t& month, uint16_t& day) {
  Parts p = PartsOf(dt);
  year = static_cast<uint16_t>(p.year);
  month = static_cast<uint16_t>(p.month);
  day = static_cast<uint16_t>(p.day);
}

void DecodeTime(TDateTime dt, uint16_t& hour, uint16_t& min, uint16_t& sec, uint16_t& msec) {
  Parts p = PartsOf(dt);
  hour = static_cast<uint16_t>(p.hour);
  min = static_cast<uint16_t>(p.min);
  sec = static_cast<uint16_t>(p.sec);
  msec = static_cast<uint16_t>(p.msec);
}

void DecodeDateTime(TDateTime dt, uint16_t& year, uint16_t& month, uint16_t& day, uint16_t& hour,
                    uint16_t& min, uint16_t& sec, uint16_t& msec) {
  DecodeDate(dt, year, month, day);
  DecodeTime(dt, hour, min, sec, msec);
}

int DayOfWeek(TDateTime dt) { return PartsOf(dt).dow; }

TDateTime Now() { return ClockNow(); }

TDateTime Date() {
  Stamp st = Split(Now());
  return static_cast<double>(st.days);
}

TDateTime Time() {
  Stamp st = Split(Now());
  return static_cast<double>(st.ms) / MSecsPerDay;
}

TDateTime IncMonth(TDateTime dt, int months) {
  Stamp st = Split(dt);
  if (!st.ok) BadDateEncode();
  int y, m, d;
  CivilFromDays(st.days - kUnixDayOfEpoch, y, m, d);
  const int64_t total = static_cast<int64_t>(y) * 12 + (m - 1) + months;
  const int64_t ny = total >= 0 ? total / 12 : (total - 11) / 12;
  const int nm = static_cast<int>(total - ny * 12) + 1;
  if (ny < 1 || ny > 9999) BadDateEncode();
  const int nd = std::min(d, DaysInAMonth(static_cast<int>(ny), nm));
  return Compose(DaysFromCivil(ny, nm, nd) + kUnixDayOfEpoch, st.ms);
}

namespace {

String Padded(int v, int width) {
  String r = IntToStr(v);
  while (static_cast<int>(r.size()) < width) r.insert(r.begin(), u'0');
  return r;
}

bool StartsWithNoCase(const String& s, size_t at, std::u16string_view what) {
  if (at + what.size() > s.size()) return false;
  for (size_t k = 0; k < what.size(); ++k)
    if (AsciiUpper(s[at + k]) != AsciiUpper(what[k])) return false;
  return true;
}

// `i` is just past the 'h': a 12-hour clock applies when an am/pm letter follows before the next h.
bool AmPmFollows(const String& f, size_t i) {
  bool quoted = false;
  for (; i < f.size(); ++i) {
    Char c = f[i];
    if (c == u'\'' || c == u'"') quoted = !quoted;
    else if (!quoted && (c == u'h' || c == u'H')) return false;
    else if (!quoted && (c == u'a' || c == u'A'))
      return StartsWithNoCase(f, i, u"AM/PM") || StartsWithNoCase(f, i, u"A/P") || StartsWithNoCase(f, i, u"AMPM");
  }
  return false;
}

void AppendDateTime(String& out, const String& f, const Parts& p, const TFormatSettings& fs, int level) {
  if (level >= 2) return;  // settings that name themselves ("ddddd" in ShortDateFormat) stop here
  ++level;
  Char lastToken = u' ';
  bool use12 = false;
  size_t i = 0;
  const size_t n = f.size();
  while (i < n) {
    const Char starter = f[i++];
    Char token = AsciiUpper(starter);
    if (token >= u'A' && token <= u'Z') {
      if (token == u'M' && lastToken == u'H') token = u'N';
      lastToken = token;
    }
    auto count = [&] {
      int c = 1;
      while (i < n && f[i] == starter) {
        ++i;
        ++c;
      }
      return c;
    };
    switch (token) {
      case u'Y': {
        int c = count();
        out += c <= 2 ? Padded(p.year % 100, 2) : Padded(p.year, 4);
        break;
      }
      case u'M': {
        int c = count();
        if (c == 1) out += IntToStr(p.month);
        else if (c == 2) out += Padded(p.month, 2);
        else if (p.month >= 1) out += (c == 3 ? fs.ShortMonthNames : fs.LongMonthNames)[static_cast<size_t>(p.month - 1)];
        break;
      }
      case u'D': {
        int c = count();
        if (c == 1) out += IntToStr(p.day);
        else if (c == 2) out += Padded(p.day, 2);
        else if (c == 5) AppendDateTime(out, fs.ShortDateFormat, p, fs, level);
        else if (c >= 6) AppendDateTime(out, fs.LongDateFormat, p, fs, level);
        else if (p.dow >= 1) out += (c == 3 ? fs.ShortDayNames : fs.LongDayNames)[static_cast<size_t>(p.dow - 1)];
        break;
      }
      case u'H': {
        int c = count();
        use12 = AmPmFollows(f, i);
        int h = p.hour;
        if (use12) h = h % 12 == 0 ? 12 : h % 12;
        out += c == 1 ? IntToStr(h) : Padded(h, 2);
        break;
      }
      case u'N':
      case u'S': {
        int c = count();
        int v = token == u'N' ? p.min : p.sec;
        out += c == 1 ? IntToStr(v) : Padded(v, 2);
        break;
      }
      case u'Z': {
        int c = count();
        out += c <= 2 ? IntToStr(p.msec) : Padded(p.msec, 3);
        break;
      }
      case u'T': {
        int c = count();
        AppendDateTime(out, c == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, p, fs, level);
        break;
      }
      case u'C': {
        count();
        AppendDateTime(out, fs.ShortDateFormat, p, fs, level);
        if (p.hour != 0 || p.min != 0 || p.sec != 0) {
          out.push_back(u' ');
          AppendDateTime(out, fs.LongTimeFormat, p, fs, level);
        }
        break;
      }
      case u'A': {
        const size_t at = i - 1;
        const bool pm = p.hour >= 12;
        if (StartsWithNoCase(f, at, u"AM/PM")) {
          out += f.substr(pm ? at + 3 : at, 2);  // keeps the case written in the format
          i = at + 5;
        } else if (StartsWithNoCase(f, at, u"A/P")) {
          out += f.substr(pm ? at + 2 : at, 1);
          i = at + 3;
        } else if (StartsWithNoCase(f, at, u"AMPM")) {
          out += pm ? fs.TimePMString : fs.TimeAMString;
          i = at + 4;
        } else {
          out.push_back(starter);
        }
        break;
      }
      case u'/':
        if (fs.DateSeparator != 0) out.push_back(fs.DateSeparator);
        break;
      case u':':
        if (fs.TimeSeparator != 0) out.push_back(fs.TimeSeparator);
        break;
      case u'\'':
      case u'"': {
        size_t close = f.find(starter, i);
        if (close == String::npos) close = n;
        out.append(f, i, close - i);
        i = close < n ? close + 1 : n;
        break;
      }
      default:
        out.push_back(starter);
    }
  }
}

// Reads the class library's date and time texts.
struct DateScanner {
  const String& s;
  size_t pos = 0;

  void Blanks() {
    while (pos < s.size() && s[pos] == u' ') ++pos;
  }
  bool AtEnd() {
    Blanks();
    return pos == s.size();
  }
  bool Number(int& v, int& digits) {
    Blanks();
    size_t start = pos;
    v = 0;
    while (pos < s.size() && pos - start < 4 && s[pos] >= u'0' && s[pos] <= u'9') v = v * 10 + (s[pos++] - u'0');
    digits = static_cast<int>(pos - start);
    return digits > 0;
  }
  bool Sep(Char c) {
    Blanks();
    if (c == 0 || pos >= s.size() || s[pos] != c) return false;
    ++pos;
    return true;
  }
  bool Word(const String& w) {
    Blanks();
    if (w.empty() || !StartsWithNoCase(s, pos, w)) return false;
    pos += w.size();
    return true;
  }
};

enum class DateOrder { MDY, DMY, YMD };

DateOrder OrderOf(const String& f) {
  bool quoted = false;
  for (Char c : f) {
    if (c == u'\'' || c == u'"') quoted = !quoted;
    if (quoted) continue;
    switch (AsciiUpper(c)) {
      case u'Y': return DateOrder::YMD;
      case u'D': return DateOrder::DMY;
      case u'M': return DateOrder::MDY;
      default: break;
    }
  }
  return DateOrder::MDY;
}

bool ScanDate(DateScanner& sc, const TFormatSettings& fs, TDateTime& out) {
  int n1, n2, n3 = 0, l1, l2, l3 = 0;
  if (!sc.Number(n1, l1) || !sc.Sep(fs.DateSeparator) || !sc.Number(n2, l2)) return false;
  const bool three = sc.Sep(fs.DateSeparator);
  if (three && !sc.Number(n3, l3)) return false;
  const DateOrder order = OrderOf(fs.ShortDateFormat);
  int y, m, d, yearDigits = 4;
  if (three) {
    switch (order) {
      case DateOrder::MDY: m = n1; d = n2; y = n3; yearDigits = l3; break;
      case DateOrder::DMY: d = n1; m = n2; y = n3; yearDigits = l3; break;
      default: y = n1; m = n2; d = n3; yearDigits = l1; break;
    }
  } else {
    uint16_t cy, cm, cd;
    DecodeDate(Now(), cy, cm, cd);
    y = cy;
    if (order == DateOrder::DMY) { d = n1; m = n2; }
    else { m = n1; d = n2; }
  }
  if (yearDigits <= 2 && y <= 99) {
    uint16_t cy, cm, cd;
    DecodeDate(Now(), cy, cm, cd);
    const int base = cy - fs.TwoDigitYearCenturyWindow;
    y += base / 100 * 100;
    if (fs.TwoDigitYearCenturyWindow > 0 && y < base) y += 100;
  }
  return TryEncodeDate(y, m, d, out);
}

bool ScanAmPm(DateScanner& sc, const TFormatSettings& fs, int& ampm) {
  if (sc.Word(fs.TimeAMString) || sc.Word(u"AM")) ampm = 0;
  else if (sc.Word(fs.TimePMString) || sc.Word(u"PM")) ampm = 1;
  else return false;
  return true;
}

bool ScanTime(DateScanner& sc, const TFormatSettings& fs, int64_t& ms) {
  int ampm = -1, digits;
  ScanAmPm(sc, fs, ampm);  // some locales put it first
  int h, n = 0, s = 0, z = 0;
  if (!sc.Number(h, digits)) return false;
  if (sc.Sep(fs.TimeSeparator)) {
    if (!sc.Number(n, digits)) return false;
    if (sc.Sep(fs.TimeSeparator)) {
      if (!sc.Number(s, digits)) return false;
      if (sc.Sep(fs.DecimalSeparator) && !sc.Number(z, digits)) return false;
    }
  }
  if (ampm < 0) ScanAmPm(sc, fs, ampm);
  if (ampm >= 0) {
    if (h == 0 || h > 12) return false;
    if (ampm == 0 && h == 12) h = 0;
    else if (ampm == 1 && h < 12) h += 12;
  }
  TDateTime t;
  if (!TryEncodeTime(h, n, s, z, t)) return false;
  ms = h * 3600000LL + n * 60000LL + s * 1000LL + z;
  return true;
}

}  // namespace

String FormatDateTime(const String& fmt, TDateTime dt) {
  String out;
  AppendDateTime(out, fmt, PartsOf(dt), FormatSettings(), 0);
  return out;
}

String DateToStr(TDateTime dt) { return FormatDateTime(u"ddddd", dt); }
String TimeToStr(TDateTime dt) { return FormatDateTime(u"tt", dt); }
String DateTimeToStr(TDateTime dt) { return FormatDateTime(u"c", dt); }

bool TryStrToDate(const String& s, TDateTime& out) {
  DateScanner sc{s};
  TDateTime d;
  if (!ScanDate(sc, FormatSettings(), d) || !sc.AtEnd()) return false;
  out = d;
  return true;
}

bool TryStrToTime(const String& s, TDateTime& out) {
  DateScanner sc{s};
  int64_t ms;
  if (!ScanTime(sc, FormatSettings(), ms) || !sc.AtEnd()) return false;
  out = static_cast<double>(ms) / MSecsPerDay;
  return true;
}

bool TryStrToDateTime(const String& s, TDateTime& out) {
  const TFormatSettings& fs = FormatSettings();
  DateScanner sc{s};
  TDateTime d;
  if (ScanDate(sc, fs, d)) {
    if (sc.AtEnd()) {
      out = d;
      return true;
    }
    int64_t ms;
    if (!ScanTime(sc, fs, ms) || !sc.AtEnd()) return false;
    out = Compose(static_cast<int64_t>(d), ms);
    return true;
  }
  return TryStrToTime(s, out);
}

TDateTime StrToDate(const String& s) {
  TDateTime r;
  if (!TryStrToDate(s, r)) throw EConvertError(Quoted(s) + u" is not a valid date");
  return r;
}

TDateTime StrToDateDef(const String& s, TDateTime def) {
  TDateTime r;
  return TryStrToDate(s, r) ? r : def;
}

TDateTime StrToTime(const String& s) {
  TDateTime r;
  if (!TryStrToTime(s, r)) throw EConvertError(Quoted(s) + u" is not a valid time");
  return r;
}

TDateTime StrToTimeDef(const String& s, TDateTime def) {
  TDateTime r;
  return TryStrToTime(s, r) ? r : def;
}

TDateTime StrToDateTime(const String& s) {
  TDateTime r;
  if (!TryStrToDateTime(s, r)) throw EConvertError(Quoted(s) + u" is not a valid date and time");
  return r;
}

TDateTime StrToDateTimeDef(const String& s, TDateTime def) {
  TDateTime r;
  return TryStrToDateTime(s, r) ? r : def;
}

// ---------------------------------------------------------------------------------------------
// Collation

namespace {

int CollatedCompare(const String& a, const String& b, Qt::CaseSensitivity cs) {
  // One collator per thread and case rule: making one per comparison costs more than comparing.
  thread_local QCollator caseSensitive, caseBlind;
  QCollator& c = cs == Qt::CaseSensitive ? caseSensitive : caseBlind;
  c.setCaseSensitivity(cs);
  const QStringView va(reinterpret_cast<const QChar*>(a.data()), static_cast<qsizetype>(a.size()));
  const QStringView vb(reinterpret_cast<const QChar*>(b.data()), static_cast<qsizetype>(b.size()));
  return c.compare(va, vb);
}

}  // namespace

int AnsiCompareStr(const String& a, const String& b) { return CollatedCompare(a, b, Qt::CaseSensitive); }

int AnsiCompareText(const String& a, const String& b) { return CollatedCompare(a, b, Qt::CaseInsensitive); }
