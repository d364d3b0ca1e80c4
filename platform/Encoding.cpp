#include "platform/Encoding.h"

#include <cstdint>
#include <cstring>

#include "platform/Classes.h"

namespace {

// Windows-1252 0x80-0x9F; 0xA0-0xFF equal Latin-1.
constexpr char16_t kWin1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

// Code page 850 0x80-0xFF.
constexpr char16_t kCp850High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,  // B0
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,  // C8
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,  // D0
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,  // D8
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,  // E0
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,  // E8
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,  // F0
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,  // F8
};

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Single-byte encoder; `high` maps bytes 0x80+i, `count` entries, bytes above stay Latin-1.
std::string EncodeSingleByte(const String& text, const char16_t* high, int count) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      out.push_back('?');  // one replacement per code point
      ++i;
      continue;
    }
    int found = -1;
    for (int k = 0; k < count; ++k) {
      if (high[k] == c) {
        found = k;
        break;
      }
    }
    if (found < 0 && count < 128 && c >= 0x80 + count && c <= 0xFF) found = c - 0x80;
    out.push_back(found >= 0 ? static_cast<char>(0x80 + found) : '?');
  }
  return out;
}


void EncodeUtf16(const String& text, bool bigEndian, std::string& out) {
  for (char16_t c : text) {
    char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
    if (bigEndian) {
      out.push_back(hi);
      out.push_back(lo);
    } else {
      out.push_back(lo);
      out.push_back(hi);
    }
  }
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && s.substr(0, prefix.size()) == prefix;
}

}  // namespace

String DecodeUtf16(std::string_view bytes, bool bigEndian) {
  String out;
  out.reserve(bytes.size() / 2 + 1);
  size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    auto b0 = static_cast<unsigned char>(bytes[i]);
    auto b1 = static_cast<unsigned char>(bytes[i + 1]);
    out.push_back(bigEndian ? static_cast<char16_t>((b0 << 8) | b1) : static_cast<char16_t>((b1 << 8) | b0));
  }
  if (i < bytes.size()) out.push_back(u'\uFFFD');
  return out;
}

String Win1252ToString(std::string_view bytes) {
  String out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    auto b = static_cast<unsigned char>(ch);
    out.push_back(b >= 0x80 && b < 0xA0 ? kWin1252High[b - 0x80] : static_cast<char16_t>(b));
  }
  return out;
}

std::string StringToWin1252(const String& text) { return EncodeSingleByte(text, kWin1252High, 32); }

String Cp850ToString(std::string_view bytes) {
  String out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    auto b = static_cast<unsigned char>(ch);
    out.push_back(b >= 0x80 ? kCp850High[b - 0x80] : static_cast<char16_t>(b));
  }
  return out;
}

std::string StringToCp850(const String& text) { return EncodeSingleByte(text, kCp850High, 128); }

size_t Utf8SequenceLength(std::string_view bytes, size_t at) {
  const size_t n = bytes.size();
  if (at >= n) return 0;
  const auto b = static_cast<unsigned char>(bytes[at]);
  if (b < 0x80) return 1;
  size_t extra;
  // The first continuation byte's range excludes overlong forms, surrogates and values above
  // U+10FFFF; the others take any continuation byte.
  unsigned char lo = 0x80, hi = 0xBF;
  if (b >= 0xC2 && b <= 0xDF) {
    extra = 1;
  } else if (b >= 0xE0 && b <= 0xEF) {
    extra = 2;
    if (b == 0xE0) lo = 0xA0;
    if (b == 0xED) hi = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    extra = 3;
    if (b == 0xF0) lo = 0x90;
    if (b == 0xF4) hi = 0x8F;
  } else {
    return 0;  // continuation byte, overlong lead C0/C1, or F5..FF
  }
  if (at + extra >= n) return 0;
  const auto first = static_cast<unsigned char>(bytes[at + 1]);
  if (first < lo || first > hi) return 0;
  for (size_t k = 2; k <= extra; ++k)
    if ((static_cast<unsigned char>(bytes[at + k]) & 0xC0) != 0x80) return 0;
  return extra + 1;
}

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  const size_t n = bytes.size();
  while (i < n) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    const size_t len = Utf8SequenceLength(bytes, i);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

bool IsMostlyUtf8(std::string_view bytes) {
  size_t i = 0, wellFormed = 0, malformed = 0;
  const size_t n = bytes.size();
  auto cont = [&](size_t k) { return k < n && (static_cast<unsigned char>(bytes[k]) & 0xC0) == 0x80; };
  while (i < n) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      ++i;
      // ASCII eight bytes at a time.
      uint64_t word;
      while (i + 8 <= n && (std::memcpy(&word, bytes.data() + i, 8), (word & 0x8080808080808080ULL) == 0)) i += 8;
      continue;
    }
    if (const size_t len = Utf8SequenceLength(bytes, i)) {
      ++wellFormed;
      i += len;
    } else if (b == 0xED && cont(i + 1) && cont(i + 2)) {
      ++wellFormed;  // an encoded surrogate
      i += 3;
    } else {
      // One malformed sequence: a lead byte with the continuation bytes that follow it.
      ++malformed;
      ++i;
      if (b >= 0xC0)
        for (int k = 0; k < 3 && cont(i); ++k) ++i;
    }
  }
  return malformed == 0 || (wellFormed > 0 && wellFormed >= malformed);
}

String DecodeUtf8OrAnsi(std::string_view bytes, TTextEncoding* detected) {
  const bool utf8 = IsMostlyUtf8(bytes);
  if (detected) *detected = utf8 ? teUTF8 : teAnsi;
  return utf8 ? Utf8ToString(bytes) : Win1252ToString(bytes);
}

String DecodeText(std::string_view bytes, TTextEncoding* detected) {
  TTextEncoding enc;
  String out;
  if (StartsWith(bytes, "\xEF\xBB\xBF")) {
    enc = teUTF8BOM;
    out = Utf8ToString(bytes.substr(3));
  } else if (StartsWith(bytes, "\xFF\xFE")) {
    enc = teUTF16LE;
    out = DecodeUtf16(bytes.substr(2), false);
  } else if (StartsWith(bytes, "\xFE\xFF")) {
    enc = teUTF16BE;
    out = DecodeUtf16(bytes.substr(2), true);
  } else {
    out = DecodeUtf8OrAnsi(bytes, &enc);
  }
  if (detected) *detected = enc;
  return out;
}

std::string EncodeText(const String& text, TTextEncoding encoding) {
  std::string out;
  switch (encoding) {
    case teAnsi:
      return StringToWin1252(text);
    case teOEM:
      return StringToCp850(text);
    case teUTF8:
      return StringToUtf8(text);
    case teUTF8BOM:
      return "\xEF\xBB\xBF" + StringToUtf8(text);
    case teUTF16LE:
      out = "\xFF\xFE";
      EncodeUtf16(text, false, out);
      return out;
    case teUTF16BE:
      out = "\xFE\xFF";
      EncodeUtf16(text, true, out);
      return out;
  }
  return StringToUtf8(text);
}

String ReadTextFile(const String& path, TTextEncoding* detected) {
  TFileStream file(path, fmOpenRead);  // raises EFOpenError, also for a folder
  TMemoryStream bytes;
  bytes.LoadFromStream(&file);
  return DecodeText(bytes.Bytes(), detected);
}

std::vector<String> SplitLines(const String& text) {
  std::vector<String> lines;
  size_t i = 0, n = text.size();
  while (i < n) {
    size_t start = i;
    while (i < n && text[i] != u'\r' && text[i] != u'\n') ++i;
    lines.emplace_back(text, start, i - start);
    if (i < n && text[i] == u'\r') ++i;
    if (i < n && text[i] == u'\n') ++i;
  }
  return lines;
}
