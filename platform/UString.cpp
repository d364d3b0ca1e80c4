#include "platform/UString.h"

String Utf8ToString(std::string_view s) {
  String out;
  out.reserve(s.size());
  size_t i = 0, n = s.size();
  auto cont = [&](size_t k) { return k < n && (static_cast<unsigned char>(s[k]) & 0xC0) == 0x80; };
  while (i < n) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      // A run of ASCII widens as it is.
      size_t j = i + 1;
      while (j < n && static_cast<unsigned char>(s[j]) < 0x80) ++j;
      const size_t at = out.size();
      out.resize(at + (j - i));
      for (size_t k = i; k < j; ++k) out[at + (k - i)] = static_cast<Char>(s[k]);
      i = j;
      continue;
    }
    char32_t cp;
    size_t len;
    if (c < 0x80) { cp = c; len = 1; }
    else if (c >= 0xC2 && c < 0xE0 && cont(i + 1)) {
      cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu); len = 2;
    } else if (c >= 0xE0 && c < 0xF0 && cont(i + 1) && cont(i + 2)) {
      cp = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(s[i + 2]) & 0x3Fu);
      len = 3;
      if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) { cp = 0xFFFD; }
    } else if (c >= 0xF0 && c < 0xF5 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
      cp = ((c & 0x07u) << 18) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 12) |
           ((static_cast<unsigned char>(s[i + 2]) & 0x3Fu) << 6) | (static_cast<unsigned char>(s[i + 3]) & 0x3Fu);
      len = 4;
      if (cp < 0x10000 || cp > 0x10FFFF) cp = 0xFFFD;
    } else { cp = 0xFFFD; len = 1; }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<Char>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<Char>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<Char>(cp));
    }
    i += len;
  }
  return out;
}

std::string StringToUtf8(std::u16string_view s) {
  const size_t n = s.size();
  size_t i = 0;
  while (i < n && s[i] < 0x80) ++i;
  // Room for the worst case past the ASCII prefix: three bytes per unit (a pair gives four).
  std::string out(i + (n - i) * 3, '\0');
  char* d = out.data();
  for (size_t k = 0; k < i; ++k) *d++ = static_cast<char>(s[k]);
  while (i < n) {
    char32_t cp = s[i++];
    if (cp < 0x80) {
      *d++ = static_cast<char>(cp);
      continue;
    }
    if (cp >= 0xD800 && cp <= 0xDBFF && i < n && s[i] >= 0xDC00 && s[i] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // a lone surrogate has no UTF-8 form
    }
    if (cp < 0x800) {
      *d++ = static_cast<char>(0xC0 | (cp >> 6));
      *d++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      *d++ = static_cast<char>(0xE0 | (cp >> 12));
      *d++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      *d++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      *d++ = static_cast<char>(0xF0 | (cp >> 18));
      *d++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      *d++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      *d++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  out.resize(static_cast<size_t>(d - out.data()));
  return out;
}
