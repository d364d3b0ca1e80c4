#include "protocols/ethernet_it/UEtherNetIP_EDS_Decode.h"

#include <algorithm>
#include <initializer_list>

#include "platform/Encoding.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "shell/TableFile.h"

namespace {

const String kEdsSection = u"[Connection Manager]";
constexpr int kEdsPathField = 15;

// Walks Text and calls Stop(c, i) at each character outside quotation marks until it answers true;
// returns that index or npos. A backslash inside quotation marks escapes the next character.
template <class TStop>
size_t EdsFindOutsideQuotes(const String& Text, TStop Stop) {
  bool quoted = false;
  for (size_t i = 0; i < Text.size(); ++i) {
    const char16_t c = Text[i];
    if (quoted) {
      if (c == u'\\')
        ++i;
      else if (c == u'"')
        quoted = false;
      continue;
    }
    if (c == u'"')
      quoted = true;
    else if (Stop(c, i))
      return i;
  }
  return String::npos;
}

String EdsWithoutComment(const String& Line) {
  const size_t at = EdsFindOutsideQuotes(Line, [](char16_t c, size_t) { return c == u'$'; });
  return at == String::npos ? Line : Trim(Line.substr(0, at));
}

bool EdsTerminated(const String& Entry) {
  return EdsFindOutsideQuotes(Entry, [](char16_t c, size_t) { return c == u';'; }) != String::npos;
}

// True when Line is "ConnectionN = ..."; Value gets the text after the "=", trimmed.
bool EdsConnectionKey(const String& Line, String& Value) {
  const size_t eq = EdsFindOutsideQuotes(Line, [](char16_t c, size_t) { return c == u'='; });
  if (eq == String::npos) return false;
  const String key = UpperCase(Trim(Line.substr(0, eq)));
  const String word = u"CONNECTION";
  if (key.size() <= word.size() || key.compare(0, word.size(), word) != 0) return false;
  for (size_t i = word.size(); i < key.size(); ++i)
    if (key[i] < u'0' || key[i] > u'9') return false;
  Value = Trim(Line.substr(eq + 1));
  return true;
}

// The fields of an entry up to its closing ";"; false when there is none.
bool EdsFields(const String& Entry, std::vector<String>& Fields) {
  Fields.clear();
  size_t start = 0;
  const size_t end = EdsFindOutsideQuotes(Entry, [&](char16_t c, size_t i) {
    if (c != u',' && c != u';') return false;
    Fields.push_back(Trim(Entry.substr(start, i - start)));
    start = i + 1;
    return c == u';';
  });
  return end != String::npos;
}

bool EdsHexByte(const String& Piece, uint8_t& Value) {
  if (Piece.empty()) return false;
  uint32_t v = 0;
  for (char16_t c : Piece) {
    int d = -1;
    if (c >= u'0' && c <= u'9')
      d = c - u'0';
    else if (c >= u'A' && c <= u'F')
      d = c - u'A' + 10;
    else if (c >= u'a' && c <= u'f')
      d = c - u'a' + 10;
    if (d < 0) return false;
    v = std::min<uint32_t>(v * 16 + static_cast<uint32_t>(d), 256);
  }
  if (v > 255) return false;
  Value = static_cast<uint8_t>(v);
  return true;
}

// The first index from From below the end whose byte is one of Wanted and that has a byte after
// it; npos when there is none.
size_t EdsFindSegment(const std::vector<uint8_t>& B, size_t From, std::initializer_list<uint8_t> Wanted) {
  for (size_t i = From; i < B.size(); ++i) {
    for (uint8_t w : Wanted)
      if (B[i] == w) return i + 1 < B.size() ? i : String::npos;
  }
  return String::npos;
}

}  // namespace

std::vector<String> EDS_Connection_Entries(const String& Text) {
  std::vector<String> entries;
  bool inSection = false;
  bool open = false;
  String collected;
  auto flush = [&] {
    if (open) entries.push_back(collected);
    open = false;
    collected.clear();
  };
  for (const String& raw : SplitLines(Text)) {
    const String line = EdsWithoutComment(Trim(raw));
    if (line.empty()) continue;
    if (!inSection) {
      inSection = line.find(kEdsSection) != String::npos;
      continue;
    }
    if (line[0] == u'[') {
      flush();
      inSection = line.find(kEdsSection) != String::npos;
      continue;
    }
    String value;
    if (EdsConnectionKey(line, value)) {
      flush();
      open = true;
      collected = value;
    } else if (open && !EdsTerminated(collected)) {
      collected += line;
    }
  }
  flush();
  return entries;
}

std::vector<uint8_t> EDS_Path_Bytes(const String& Path) {
  std::vector<uint8_t> bytes;
  size_t i = 0;
  while (i < Path.size() && bytes.size() < static_cast<size_t>(EDS_Path_Capacity)) {
    while (i < Path.size() && Path[i] <= u' ') ++i;
    const size_t start = i;
    while (i < Path.size() && Path[i] > u' ') ++i;
    uint8_t b = 0;
    if (i > start && EdsHexByte(Path.substr(start, i - start), b)) bytes.push_back(b);
  }
  return bytes;
}

bool Decode_EDS_Connection(const String& ConnStr, TConnData& Data) {
  std::vector<String> f;
  if (!EdsFields(ConnStr, f) || f.size() < static_cast<size_t>(kEdsPathField)) return false;
  int32_t params = -1;
  if (!TryCellToInt(f[1], params)) params = -1;
  const uint32_t bits = static_cast<uint32_t>(params);
  String path = f[kEdsPathField - 1];
  path.erase(std::remove(path.begin(), path.end(), u'"'), path.end());
  const std::vector<uint8_t> b = EDS_Path_Bytes(Trim(path));
  const size_t n = b.size();
  if (n < 6 || b[0] != 0x20) return false;
  // The instance segment: 8, 16 or 32 bits, the wider ones little-endian after a pad byte.
  uint32_t instance = 1;
  size_t p = 1;
  if (b[2] == 0x24) {
    instance = b[3];
    p = 3;
  } else if (b[2] == 0x25) {
    instance = b[4] | (static_cast<uint32_t>(b[5]) << 8);
    p = 5;
  } else if (b[2] == 0x26) {
    if (n < 8) return false;
    instance = b[4] | (static_cast<uint32_t>(b[5]) << 8) | (static_cast<uint32_t>(b[6]) << 16) |
               (static_cast<uint32_t>(b[7]) << 24);
    p = 7;
  }
  if (instance > 65535) return false;
  TConnData d;
  d.InstanceOT = d.InstanceTO = static_cast<uint16_t>(instance);
  const size_t ot = EdsFindSegment(b, p + 1, {0x2C});
  if (ot == String::npos) return false;
  d.ConnPointOT = b[ot + 1];
  const size_t to = EdsFindSegment(b, ot + 2, {0x24, 0x2C});
  if (to == String::npos) return false;
  if (b[to] == 0x24) {
    d.InstanceTO = b[to + 1];
    const size_t cp = EdsFindSegment(b, to + 2, {0x2C});
    if (cp == String::npos) return false;
    d.ConnPointTO = b[cp + 1];
  } else {
    d.ConnPointTO = b[to + 1];
  }
  d.ConnIndex = Data.ConnIndex;
  d.ConnName = f[12];
  d.HelpStr = f[13];
  d.DimHeaderOT = static_cast<uint8_t>((bits >> 8) & 7);
  d.DimHeaderTO = static_cast<uint8_t>((bits >> 12) & 7);
  d.NumClass = 0;
  Data = d;
  return true;
}

std::vector<TConnData> Read_EDS_Connections(const String& FileName) {
  std::vector<TConnData> list;
  if (!FileExists(FileName)) return list;
  for (const String& entry : EDS_Connection_Entries(ReadTextFile(FileName))) {
    TConnData d;
    d.ConnIndex = static_cast<int32_t>(list.size()) + 1;
    if (Decode_EDS_Connection(entry, d)) list.push_back(d);
  }
  return list;
}

int Err_Check_Data_Path(const String& Data_Path, int Num_DP) {
  int read = 0;
  size_t start = 0;
  for (;;) {
    const size_t comma = Data_Path.find(u',', start);
    const String piece = Trim(Data_Path.substr(start, comma == String::npos ? String::npos : comma - start));
    uint8_t b = 0;
    if (!EdsHexByte(piece, b)) return 1;
    ++read;
    if (comma == String::npos) break;
    start = comma + 1;
  }
  return read < Num_DP ? 2 : 0;
}
