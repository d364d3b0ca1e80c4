#include "shell/ULanguage.h"

#include <string>
#include <string_view>
#include <vector>

#include "platform/Encoding.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "shell/UBuiltinTexts.h"
#include "shell/UComon.h"

TStringList* Language_List = nullptr;
int Language_Count = 0;

namespace {

constexpr Char kPilcrow = u'\u00B6';

std::u16string_view TrimView(std::u16string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] <= u' ') ++b;
  while (e > b && s[e - 1] <= u' ') --e;
  return s.substr(b, e - b);
}

// One line of a language file; Scratch keeps its buffer from line to line.
void Apply_Language_Line(std::u16string_view Raw, String& Scratch) {
  const std::u16string_view line = TrimView(Raw);
  if (line.size() < 3 || line.substr(0, 3) != u"STR") return;
  const size_t eq = line.find(u'=');
  if (eq == std::u16string_view::npos) return;
  // The one character in front of "=" is never part of the index.
  const std::u16string_view piece = eq > 4 ? TrimView(line.substr(3, eq - 4)) : std::u16string_view();
  int index = 0;
  if (piece.empty()) return;
  Scratch.assign(piece);
  if (!TryStrToInt(Scratch, index)) return;
  if (index < 0 || index >= Language_Count || index >= Language_List->Count()) return;
  std::u16string_view value = TrimView(line.substr(eq + 1));
  if (value.empty()) return;
  const size_t note = value.find(u"/#/");
  if (note != std::u16string_view::npos) value = TrimView(value.substr(0, note));
  if (!value.empty() && value.front() == kPilcrow) value.remove_prefix(1);
  const size_t close = value.find(kPilcrow);
  if (close != std::u16string_view::npos) value = value.substr(0, close);
  Scratch.assign(value);
  Language_List->SetStrings(index, Scratch);
}

// Lines end at CR, LF or CR LF; each is looked at in place, only its text is copied.
void Apply_Language_Text(std::u16string_view All) {
  String scratch;
  size_t i = 0;
  const size_t n = All.size();
  while (i < n) {
    const size_t start = i;
    while (i < n && All[i] != u'\r' && All[i] != u'\n') ++i;
    Apply_Language_Line(All.substr(start, i - start), scratch);
    if (i < n && All[i] == u'\r') ++i;
    if (i < n && All[i] == u'\n') ++i;
  }
}

bool IsBlankByte(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimBytes(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlankByte(s[b])) ++b;
  while (e > b && IsBlankByte(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// The index of "STR<index> =" from ASCII text; plain digits need no String.
bool ParseIndex(std::string_view Piece, int& Index, String& Scratch) {
  if (Piece.empty()) return false;
  if (Piece.size() <= 9) {
    int v = 0;
    bool digits = true;
    for (char c : Piece) {
      if (c < '0' || c > '9') {
        digits = false;
        break;
      }
      v = v * 10 + (c - '0');
    }
    if (digits) {
      Index = v;
      return true;
    }
  }
  Scratch.assign(Piece.begin(), Piece.end());
  return TryStrToInt(Scratch, Index);
}

// UTF-8 into Out, reusing its buffer. ASCII and well-formed two- and three-byte sequences are
// decoded here; a text holding anything else goes through Utf8ToString whole.
void DecodeUtf8Into(std::string_view In, String& Out) {
  const size_t n = In.size();
  Out.resize(n);  // never more units than bytes
  Char* o = Out.data();
  const auto* s = reinterpret_cast<const unsigned char*>(In.data());
  size_t i = 0;
  while (i < n) {
    const unsigned c = s[i];
    if (c < 0x80) {
      *o++ = static_cast<Char>(c);
      ++i;
    } else if (c >= 0xC2 && c < 0xE0 && i + 1 < n && (s[i + 1] & 0xC0) == 0x80) {
      *o++ = static_cast<Char>(((c & 0x1Fu) << 6) | (s[i + 1] & 0x3Fu));
      i += 2;
    } else if (c >= 0xE0 && c < 0xF0 && i + 2 < n && (s[i + 1] & 0xC0) == 0x80 && (s[i + 2] & 0xC0) == 0x80) {
      const unsigned cp = ((c & 0x0Fu) << 12) | ((s[i + 1] & 0x3Fu) << 6) | (s[i + 2] & 0x3Fu);
      if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) break;
      *o++ = static_cast<Char>(cp);
      i += 3;
    } else {
      break;
    }
  }
  if (i < n) {
    Out = Utf8ToString(In);
    return;
  }
  Out.resize(static_cast<size_t>(o - Out.data()));
}

// A file without a byte order mark (or with the UTF-8 one), read on its bytes in one pass. Every
// character the grammar looks for is ASCII, and neither UTF-8 nor ANSI decoding turns an ASCII byte
// into anything else or joins it to its neighbours, so what is found in the bytes is what is found
// in the decoded text; only the entries' texts are decoded. Whether the bytes are UTF-8 is known at
// the end of the pass (the rule of IsMostlyUtf8), so the entries are applied after it. The one rule
// that counts characters (the one in front of "=") is left to the UTF-16 reading of a line whose
// index holds a non-ASCII byte.
class TByteLines {
 public:
  void Apply(std::string_view All, bool KnownUtf8) {
    Read(All);
    Utf8 = KnownUtf8 || Malformed == 0 || (WellFormed > 0 && WellFormed >= Malformed);
    for (const TEntry& e : Entries) {
      const std::string_view bytes = All.substr(e.Begin, e.End - e.Begin);
      if (e.Index < 0)
        Apply_Language_Line(Decode(bytes), Scratch);
      else
        Set(e.Index, bytes);
    }
  }

 private:
  // An entry whose index is known (its text not yet cut at pilcrows), or with Index -1 a whole
  // line for the UTF-16 reading.
  struct TEntry {
    int Index;
    size_t Begin, End;
  };
  std::vector<TEntry> Entries;
  size_t WellFormed = 0, Malformed = 0;
  bool Utf8 = true;
  String Scratch;

  String Decode(std::string_view Bytes) const { return Utf8 ? Utf8ToString(Bytes) : Win1252ToString(Bytes); }

  // The sequence of non-ASCII bytes at All[i], counted as IsMostlyUtf8 counts it; returns its end.
  // No sequence holds an ASCII byte, so none reaches past a line end.
  size_t Tally(std::string_view All, size_t i) {
    const size_t n = All.size();
    auto cont = [&](size_t k) { return k < n && (static_cast<unsigned char>(All[k]) & 0xC0) == 0x80; };
    const auto b = static_cast<unsigned char>(All[i]);
    if (const size_t len = Utf8SequenceLength(All, i)) {
      ++WellFormed;
      return i + len;
    }
    if (b == 0xED && cont(i + 1) && cont(i + 2)) {
      ++WellFormed;
      return i + 3;
    }
    ++Malformed;
    ++i;
    if (b >= 0xC0)
      for (int k = 0; k < 3 && cont(i); ++k) ++i;
    return i;
  }

  // Lines end at CR, LF or CR LF.
  void Read(std::string_view All) {
    const size_t n = All.size();
    const char* d = All.data();
    size_t i = 0;
    while (i < n) {
      const size_t start = i;
      bool ascii = true;
      while (i < n) {
        const char c = d[i];
        if (c == '\r' || c == '\n') break;
        if (static_cast<unsigned char>(c) >= 0x80) {
          ascii = false;
          i = Tally(All, i);
        } else {
          ++i;
        }
      }
      Line(All, start, i, ascii);
      if (i < n && d[i] == '\r') ++i;
      if (i < n && d[i] == '\n') ++i;
    }
  }

  void Line(std::string_view All, size_t Start, size_t End, bool Ascii) {
    const std::string_view raw = All.substr(Start, End - Start);
    const std::string_view line = TrimBytes(raw);
    if (line.size() < 3 || line.substr(0, 3) != "STR") return;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return;
    const size_t at = Start + static_cast<size_t>(line.data() - raw.data());
    if (!Ascii && !IsAscii(line.substr(3, eq - 3))) {
      Entries.push_back({-1, at, at + line.size()});
      return;
    }
    // The one character in front of "=" is never part of the index.
    int index = 0;
    if (eq <= 4 || !ParseIndex(TrimBytes(line.substr(3, eq - 4)), index, Scratch)) return;
    if (index < 0 || index >= Language_Count || index >= Language_List->Count()) return;
    std::string_view value = TrimBytes(line.substr(eq + 1));
    if (value.empty()) return;
    const size_t note = value.find("/#/");
    if (note != std::string_view::npos) value = TrimBytes(value.substr(0, note));
    const size_t from = at + static_cast<size_t>(value.data() - line.data());
    Entries.push_back({index, from, from + value.size()});
  }

  void Set(int Index, std::string_view Value) {
    // The pilcrow is C2 B6 in UTF-8 (C2 only ever starts a sequence) and B6 in ANSI.
    const std::string_view pilcrow = Utf8 ? std::string_view("\xC2\xB6") : std::string_view("\xB6");
    if (Value.substr(0, pilcrow.size()) == pilcrow) Value.remove_prefix(pilcrow.size());
    const size_t close = Value.find(pilcrow);
    if (close != std::string_view::npos) Value = Value.substr(0, close);
    if (Utf8)
      DecodeUtf8Into(Value, Scratch);
    else
      Scratch = Win1252ToString(Value);
    Language_List->SetStrings(Index, Scratch);
  }
};

}  // namespace

void Create_Language_List() {
  if (!Language_List) Language_List = New<TStringList>();
}

void Load_Default_Strings() {
  Create_Language_List();
  // The list owns the only copy of the texts at start-up.
  Language_List->BeginUpdate();
  Language_List->Clear();
  Language_List->TakeStrings(Builtin_Texts_Copy());
  Language_List->EndUpdate();
  Language_Count = Builtin_Language_Count;
}

bool Load_Language_File(const String& FileName) {
  std::string bytes;
  if (!ReadFileBytes(FileName, bytes)) return false;
  Create_Language_List();
  const std::string_view all(bytes);
  if (all.substr(0, 2) == "\xFF\xFE" || all.substr(0, 2) == "\xFE\xFF") {
    Apply_Language_Text(DecodeText(all));
    return true;
  }
  const bool bom = all.substr(0, 3) == "\xEF\xBB\xBF";
  TByteLines().Apply(bom ? all.substr(3) : all, bom);
  return true;
}

String Language_File_Path(const String& Name) { return Language_Folder + u"/" + Name + u".lng"; }

namespace {
// The name comes from the settings file: only a plain file name may name a file, so that
// "../x" or an absolute path never loads a file outside LANGUAGE.
bool Is_Plain_Language_Name(const String& Name) {
  return !Name.empty() && Name.find_first_of(String(u"/\\\0", 3)) == String::npos;
}
}  // namespace

void Load_Language() {
  Load_Default_Strings();
  String file = Language_File_Path(Language_Name);
  if (Is_Plain_Language_Name(Language_Name) && FileExists(file)) {
    Load_Language_File(file);
    return;
  }
  Language_Name = u"English";
  file = Language_File_Path(Language_Name);
  if (FileExists(file)) Load_Language_File(file);
}
