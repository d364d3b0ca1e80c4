// The RTF subset of rich-text cells: what the writer below produces, and what word processors
// write for plain formatted text (font and colour tables, \* parts and other destinations skipped).
#include <algorithm>
#include <array>
#include <cstdint>
#include <map>

#include "platform/Encoding.h"
#include "platform/RichText.h"

void AppendRichText(TRichRuns& Runs, const String& Text, const TRichCharFormat& Format) {
  if (Text.empty()) return;
  if (!Runs.empty() && Runs.back().Format == Format)
    Runs.back().Text += Text;
  else
    Runs.push_back(TRichRun{Text, Format});
}

String RichPlainText(const TRichRuns& Runs) {
  String out;
  for (const TRichRun& r : Runs)
    for (Char c : r.Text) {
      if (c == kRichParagraph || c == kRichLineBreak)
        out += u"\r\n";
      else
        out += c;
    }
  return out;
}

TRichRuns RichRunsFromPlainText(const String& Text, const TRichCharFormat& Format) {
  String t;
  t.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    const Char c = Text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < Text.size() && Text[i + 1] == u'\n') ++i;
      t += kRichParagraph;
    } else {
      t += c;
    }
  }
  TRichRuns runs;
  AppendRichText(runs, t, Format);
  return runs;
}

bool LooksLikeRtf(std::string_view Bytes) { return Bytes.substr(0, 5) == "{\\rtf"; }

TRichRuns LoadRichBytes(std::string_view Bytes, const TRichCharFormat& Default) {
  TRichRuns runs;
  if (LooksLikeRtf(Bytes) && ReadRtf(Bytes, Default, runs)) return runs;
  return RichRunsFromPlainText(DecodeUtf8OrAnsi(Bytes), Default);
}

// =============================================================================================
// Reader

namespace {

enum TRtfDest { rdText, rdSkip, rdFontTable, rdColorTable };

struct TRtfGroupState {
  TRtfDest Dest = rdText;
  int Font = -1;  // font number; -1 for the default font
  int HalfPoints = 24;
  bool Bold = false, Italic = false, Underline = false, Strike = false;
  int Color = 0, Highlight = 0;  // colour table indices, 0 automatic
  int OffsetHalfPoints = 0;
  TRichScript Script = rsNone;
  int UnicodeSkip = 1;

  void Plain() {
    Font = -1;
    HalfPoints = 24;
    Bold = Italic = Underline = Strike = false;
    Color = Highlight = 0;
    OffsetHalfPoints = 0;
    Script = rsNone;
  }
};

// Destinations whose content is not text of the document.
bool RtfSkippedDestination(std::string_view w) {
  static const std::string_view kSkipped[] = {
      "stylesheet", "info", "pict", "object", "header", "headerl", "headerr", "headerf", "footer",
      "footerl", "footerr", "footerf", "footnote", "annotation", "listtable", "listoverridetable",
      "revtbl", "rsidtbl", "generator", "themedata", "colorschememapping", "latentstyles",
      "datastore", "xmlnstbl", "filetbl", "fldinst", "pntext", "pntxta", "pntxtb", "bkmkstart",
      "bkmkend", "nonshppict", "shp", "shpinst", "template", "userprops", "docvar", "atnid",
      "atnauthor", "txe", "xe", "tc", "mmathPr", "pgdsctbl", "listtext", "fchars", "lchars",
      "private", "author", "operator", "title", "subject", "comment", "doccomm", "keywords"};
  for (std::string_view s : kSkipped)
    if (s == w) return true;
  return false;
}

// Single characters named by a control word.
Char RtfNamedCharacter(std::string_view w) {
  if (w == "emdash") return 0x2014;
  if (w == "endash") return 0x2013;
  if (w == "bullet") return 0x2022;
  if (w == "lquote") return 0x2018;
  if (w == "rquote") return 0x2019;
  if (w == "ldblquote") return 0x201C;
  if (w == "rdblquote") return 0x201D;
  if (w == "emspace") return 0x2003;
  if (w == "enspace") return 0x2002;
  return 0;
}

class TRtfReader {
 public:
  TRtfReader(std::string_view Bytes, const TRichCharFormat& Default, TRichRuns& Runs)
      : FIn(Bytes), FDefault(Default), FRuns(Runs) {
    SetCodePage(1252);
  }

  bool Run() {
    std::vector<TRtfGroupState> stack;
    TRtfGroupState st;
    bool started = false, closed = false;
    while (FPos < FIn.size()) {
      const char c = FIn[FPos];
      if (closed) {
        // Only blanks and terminating zeros may follow the document.
        if (c != ' ' && c != '\r' && c != '\n' && c != '\t' && c != '\0') return false;
        ++FPos;
        continue;
      }
      if (c == '{') {
        ++FPos;
        FPendingSkip = 0;
        if (started) stack.push_back(st);
        started = true;
        continue;
      }
      if (!started) return false;
      if (c == '}') {
        ++FPos;
        FPendingSkip = 0;
        Flush(st);
        if (st.Dest == rdFontTable && FFontNumber >= 0) EndFontName();
        if (stack.empty()) {
          closed = true;
          continue;
        }
        st = stack.back();
        stack.pop_back();
        continue;
      }
      if (c == '\\') {
        if (!ControlSequence(st)) return false;
        continue;
      }
      ++FPos;
      if (c == '\r' || c == '\n') continue;
      if (FPendingSkip > 0) {
        --FPendingSkip;
        continue;
      }
      if (st.Dest == rdFontTable && c == ';') {
        EndFontName();
        continue;
      }
      if (st.Dest == rdColorTable) {
        if (c == ';') EndColor();
        continue;
      }
      if (static_cast<unsigned char>(c) < 0x20 && c != '\t') continue;
      Text(st, FByteChars[static_cast<unsigned char>(c)]);
    }
    if (!closed) return false;
    return true;
  }

 private:
  void SetCodePage(int cp) {
    std::string all(256, '\0');
    for (int i = 0; i < 256; ++i) all[static_cast<size_t>(i)] = static_cast<char>(i);
    const String chars = cp == 850 ? Cp850ToString(all) : Win1252ToString(all);
    for (size_t i = 0; i < 256 && i < chars.size(); ++i) FByteChars[i] = chars[i];
  }

  TRichCharFormat FormatOf(const TRtfGroupState& st) const {
    TRichCharFormat f;
    auto font = FFonts.find(st.Font >= 0 ? st.Font : FDefaultFont);
    if (font == FFonts.end()) font = FFonts.find(FDefaultFont);
    f.FontName = font != FFonts.end() && !font->second.empty() ? font->second : FDefault.FontName;
    f.HalfPoints = st.HalfPoints;
    f.Bold = st.Bold;
    f.Italic = st.Italic;
    f.Underline = st.Underline;
    f.Strike = st.Strike;
    f.Color = ColorAt(st.Color);
    f.BackColor = ColorAt(st.Highlight);
    f.OffsetTwips = st.OffsetHalfPoints * 10;
    f.Script = st.Script;
    return f;
  }

  TColor ColorAt(int i) const {
    return i > 0 && static_cast<size_t>(i) < FColors.size() ? FColors[static_cast<size_t>(i)] : clNone;
  }

  void Text(const TRtfGroupState& st, Char c) {
    if (st.Dest == rdSkip || st.Dest == rdColorTable) return;
    if (st.Dest == rdFontTable) {
      // A control character in a name would be written back as a control word, which names no font.
      if (FFontNumber >= 0 && c >= 0x20) FFontName += c;
      return;
    }
    FText += c;
  }

  // Text gathered so far goes out in the format it was gathered in.
  void Flush(const TRtfGroupState& st) {
    if (FText.empty()) return;
    AppendRichText(FRuns, FText, FormatOf(st));
    FText.clear();
  }

  void EndFontName() {
    if (FFontNumber < 0) return;
    String name = FFontName;
    while (!name.empty() && name.back() == u' ') name.pop_back();
    FFonts[FFontNumber] = name;
    FFontNumber = -1;
    FFontName.clear();
  }

  void EndColor() {
    FColors.push_back(FColorSet ? RGB(FRed, FGreen, FBlue) : clNone);
    FColorSet = false;
    FRed = FGreen = FBlue = 0;
  }

  // Reads after a backslash; false for a bad sequence.
  bool ControlSequence(TRtfGroupState& st) {
    ++FPos;
    if (FPos >= FIn.size()) return false;
    const char c = FIn[FPos];
    if (IsLetter(c)) return ControlWord(st);
    ++FPos;
    if (c == '\'') {
      if (FPos + 2 > FIn.size()) return false;
      const int hi = HexValue(FIn[FPos]), lo = HexValue(FIn[FPos + 1]);
      if (hi < 0 || lo < 0) return false;
      FPos += 2;
      if (FPendingSkip > 0) {
        --FPendingSkip;
        return true;
      }
      Text(st, FByteChars[static_cast<size_t>(hi * 16 + lo)]);
      return true;
    }
    if (FPendingSkip > 0) {
      --FPendingSkip;
      return true;
    }
    switch (c) {
      case '\\':
      case '{':
      case '}': Text(st, static_cast<Char>(c)); return true;
      case '~': Text(st, 0x00A0); return true;
      case '_': Text(st, 0x2011); return true;
      case '*':
        Flush(st);
        st.Dest = rdSkip;
        return true;
      case '\r':
      case '\n': return Word(st, "par", false, 0);
      default: return true;  // optional hyphen, index marks and the like: nothing to show
    }
  }

  bool ControlWord(TRtfGroupState& st) {
    const size_t start = FPos;
    while (FPos < FIn.size() && IsLetter(FIn[FPos])) ++FPos;
    const std::string_view word = FIn.substr(start, FPos - start);
    if (word.size() > 32) return false;
    bool hasParam = false, negative = false;
    int64_t value = 0;
    if (FPos < FIn.size() && FIn[FPos] == '-') {
      negative = true;
      ++FPos;
    }
    const size_t digits = FPos;
    while (FPos < FIn.size() && FIn[FPos] >= '0' && FIn[FPos] <= '9') {
      value = value * 10 + (FIn[FPos] - '0');
      if (value > INT32_MAX) return false;
      ++FPos;
    }
    if (FPos > digits)
      hasParam = true;
    else if (negative)
      return false;
    if (FPos < FIn.size() && FIn[FPos] == ' ') ++FPos;
    const int param = static_cast<int>(negative ? -value : value);
    if (word == "bin") {
      // Binary data: skipped whole, whatever it holds.
      if (!hasParam || param < 0 || static_cast<size_t>(param) > FIn.size() - FPos) return false;
      FPos += static_cast<size_t>(param);
      return true;
    }
    if (FPendingSkip > 0) {
      --FPendingSkip;
      return true;
    }
    return Word(st, word, hasParam, param);
  }

  bool Word(TRtfGroupState& st, std::string_view w, bool hasParam, int param) {
    const bool on = !hasParam || param != 0;
    if (w == "u") {
      if (!hasParam || param < -32768 || param > 65535) return false;
      Text(st, static_cast<Char>(param < 0 ? param + 65536 : param));
      FPendingSkip = st.UnicodeSkip;
      return true;
    }
    if (w == "uc") {
      if (hasParam && param >= 0 && param <= 16) st.UnicodeSkip = param;
      return true;
    }
    if (st.Dest == rdColorTable) {
      if (w == "red" || w == "green" || w == "blue") {
        const int v = std::clamp(param, 0, 255);
        (w == "red" ? FRed : w == "green" ? FGreen : FBlue) = v;
        FColorSet = true;
      }
      return true;
    }
    if (st.Dest == rdFontTable) {
      if (w == "f" && hasParam) {
        EndFontName();
        FFontNumber = param;
      }
      return true;
    }
    if (st.Dest == rdSkip) return true;
    if (w == "fonttbl" || w == "colortbl" || RtfSkippedDestination(w)) {
      Flush(st);
      st.Dest = w == "fonttbl" ? rdFontTable : w == "colortbl" ? rdColorTable : rdSkip;
      return true;
    }
    if (w == "par" || w == "line" || w == "tab" || RtfNamedCharacter(w) != 0) {
      Text(st, w == "par" ? kRichParagraph : w == "line" ? kRichLineBreak : w == "tab" ? u'\t' : RtfNamedCharacter(w));
      return true;
    }
    if (w == "ansicpg") {
      if (hasParam) SetCodePage(param);
      return true;
    }
    if (w == "deff") {
      if (hasParam) FDefaultFont = param;
      return true;
    }
    // Character formatting: what is gathered so far keeps the format it had.
    TRtfGroupState next = st;
    if (w == "plain")
      next.Plain();
    else if (w == "f" && hasParam)
      next.Font = param;
    else if (w == "fs" && hasParam && param > 0)
      next.HalfPoints = std::min(param, 3276);
    else if (w == "b")
      next.Bold = on;
    else if (w == "i")
      next.Italic = on;
    else if (w == "ul")
      next.Underline = on;
    else if (w == "ulnone")
      next.Underline = false;
    else if (w == "strike")
      next.Strike = on;
    else if (w == "cf")
      next.Color = hasParam ? param : 0;
    else if (w == "highlight")
      next.Highlight = hasParam ? param : 0;
    else if (w == "up")
      next.OffsetHalfPoints = std::clamp(hasParam ? param : 6, -3276, 3276);
    else if (w == "dn")
      next.OffsetHalfPoints = -std::clamp(hasParam ? param : 6, -3276, 3276);
    else if (w == "super")
      next.Script = rsSuperscript;
    else if (w == "sub")
      next.Script = rsSubscript;
    else if (w == "nosupersub")
      next.Script = rsNone;
    else
      return true;  // unknown words change nothing
    Flush(st);
    next.Dest = st.Dest;
    st = next;
    return true;
  }

  static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
  static int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  std::string_view FIn;
  size_t FPos = 0;
  const TRichCharFormat& FDefault;
  TRichRuns& FRuns;
  std::array<Char, 256> FByteChars{};
  String FText;
  int FPendingSkip = 0;
  std::map<int, String> FFonts;
  int FDefaultFont = 0;
  int FFontNumber = -1;
  String FFontName;
  std::vector<TColor> FColors;
  bool FColorSet = false;
  int FRed = 0, FGreen = 0, FBlue = 0;
};

}  // namespace

bool ReadRtf(std::string_view Bytes, const TRichCharFormat& Default, TRichRuns& Runs) {
  Runs.clear();
  if (!LooksLikeRtf(Bytes)) return false;
  TRtfReader reader(Bytes, Default, Runs);
  if (reader.Run()) return true;
  Runs.clear();
  return false;
}

// =============================================================================================
// Writer

namespace {

void RtfWriteText(std::string& out, const String& Text, bool InTable) {
  for (Char c : Text) {
    if (c == u'\\' || c == u'{' || c == u'}') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == u'\t') {
      out += "\\tab ";
    } else if (c == kRichLineBreak) {
      out += "\\line ";
    } else if (c == kRichParagraph) {
      out += "\\par\r\n";
    } else if (c < 0x20 || (InTable && c == u';')) {
      static const char kHex[] = "0123456789abcdef";
      out += "\\'";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += "\\u" + std::to_string(c > 32767 ? static_cast<int>(c) - 65536 : static_cast<int>(c)) + "?";
    }
  }
}

// The table of distinct values in order of first use; the index of a value.
template <class T>
struct TRtfTable {
  std::vector<T> Items;
  std::map<T, int> Index;
  int Of(const T& v) {
    auto it = Index.find(v);
    if (it != Index.end()) return it->second;
    Items.push_back(v);
    return Index[v] = static_cast<int>(Items.size() - 1);
  }
};

}  // namespace

std::string WriteRtf(const TRichRuns& Runs, const TRichCharFormat& Default) {
  TRtfTable<String> fonts;
  TRtfTable<TColor> colors;
  for (const TRichRun& r : Runs) {
    fonts.Of(r.Format.FontName);
    if (r.Format.Color != clNone) colors.Of(r.Format.Color);
    if (r.Format.BackColor != clNone) colors.Of(r.Format.BackColor);
  }
  if (fonts.Items.empty()) fonts.Of(Default.FontName);
  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
  for (size_t i = 0; i < fonts.Items.size(); ++i) {
    out += "{\\f" + std::to_string(i) + "\\fnil ";
    RtfWriteText(out, fonts.Items[i], true);
    out += ";}";
  }
  out += "}\r\n{\\colortbl ;";
  for (TColor c : colors.Items)
    out += "\\red" + std::to_string(GetRValue(c)) + "\\green" + std::to_string(GetGValue(c)) + "\\blue" +
           std::to_string(GetBValue(c)) + ";";
  out += "}\r\n\\pard";
  for (const TRichRun& r : Runs) {
    const TRichCharFormat& f = r.Format;
    out += "\\plain\\f" + std::to_string(fonts.Of(f.FontName)) + "\\fs" + std::to_string(f.HalfPoints);
    if (f.Bold) out += "\\b";
    if (f.Italic) out += "\\i";
    if (f.Underline) out += "\\ul";
    if (f.Strike) out += "\\strike";
    if (f.Color != clNone) out += "\\cf" + std::to_string(colors.Of(f.Color) + 1);
    if (f.BackColor != clNone) out += "\\highlight" + std::to_string(colors.Of(f.BackColor) + 1);
    const int half = f.OffsetTwips / 10;
    if (half > 0) out += "\\up" + std::to_string(half);
    if (half < 0) out += "\\dn" + std::to_string(-half);
    if (f.Script == rsSuperscript) out += "\\super";
    if (f.Script == rsSubscript) out += "\\sub";
    out += ' ';
    RtfWriteText(out, r.Text, false);
  }
  out += "}\r\n";
  return out;
}
