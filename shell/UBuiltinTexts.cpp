#include "shell/UBuiltinTexts.h"

#include <string>
#include <string_view>
#include <utility>

#include "platform/Encoding.h"

namespace {

String Ascii(std::string_view s) { return String(s.begin(), s.end()); }

// Undoes \t \n \r \\; false on any other escape or a lone backslash at the end.
bool Unescape(std::string_view in, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < in.size(); ++i) {
    char c = in[i];
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i == in.size()) return false;
    switch (in[i]) {
      case 't': out += '\t'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default: return false;
    }
  }
  return true;
}

struct TBuiltinTable {
  std::vector<String> Texts;
  std::vector<TBuiltinTextIssue> Issues;
};

bool g_TableBuilt = false;

const TBuiltinTable& Table() {
  static const TBuiltinTable table = [] {
    TBuiltinTable t;
    t.Texts = Build_Builtin_Texts(Builtin_Text_Files, Builtin_Text_File_Count, t.Issues);
    g_TableBuilt = true;
    return t;
  }();
  return table;
}

}  // namespace

std::vector<String> Build_Builtin_Texts(const TBuiltinTextFile* Files, int Count,
                                        std::vector<TBuiltinTextIssue>& Issues) {
  std::vector<String> texts(Builtin_Text_Count, String(u" "));
  // File and line that gave each index (file -1: none yet); written out only for an issue, as
  // the program builds this table at every start.
  std::vector<std::pair<int, int>> owner(Builtin_Text_Count, {-1, 0});
  auto fileName = [&](int f) { return Ascii(Files[f].Name ? Files[f].Name : ""); };
  for (int f = 0; f < Count; ++f) {
    std::vector<TBuiltinTextEntry> entries;
    Parse_Builtin_Text_File(Files[f], entries, Issues);
    for (TBuiltinTextEntry& e : entries) {
      if (e.Index < 0 || e.Index >= Builtin_Text_Count) {
        Issues.push_back({fileName(f), e.Line, u"index " + Ascii(std::to_string(e.Index)) + u" out of range"});
      } else if (const auto [of, line] = owner[e.Index]; of >= 0) {
        Issues.push_back({fileName(f), e.Line,
                          u"index " + Ascii(std::to_string(e.Index)) + u" already given at " + fileName(of) + u":" +
                              Ascii(std::to_string(line))});
      } else {
        owner[e.Index] = {f, e.Line};
        texts[e.Index] = std::move(e.Text);
      }
    }
  }
  return texts;
}

void Parse_Builtin_Text_File(const TBuiltinTextFile& File, std::vector<TBuiltinTextEntry>& Entries,
                             std::vector<TBuiltinTextIssue>& Issues) {
  const String name = Ascii(File.Name ? File.Name : "");
  std::string_view data(reinterpret_cast<const char*>(File.Data), File.Data ? File.Size : 0);
  if (!IsValidUtf8(data)) {
    Issues.push_back({name, 0, u"not valid UTF-8"});
    return;
  }
  int lineNo = 0;
  std::size_t start = 0;
  while (start < data.size()) {
    std::size_t end = data.find('\n', start);
    if (end == std::string_view::npos) end = data.size();
    std::string_view line = data.substr(start, end - start);
    start = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    std::size_t tab = line.find('\t');
    std::string_view digits = line.substr(0, tab);
    bool numeric = !digits.empty() && digits.size() <= 5 && tab != std::string_view::npos;
    for (char c : digits) numeric = numeric && c >= '0' && c <= '9';
    if (!numeric) {
      Issues.push_back({name, lineNo, u"expected <index><TAB><text>"});
      continue;
    }
    std::string text;
    if (!Unescape(line.substr(tab + 1), text)) {
      Issues.push_back({name, lineNo, u"bad escape"});
      continue;
    }
    Entries.push_back({std::stoi(std::string(digits)), Utf8ToString(text), lineNo});
  }
}

const std::vector<String>& Builtin_Texts() { return Table().Texts; }

const std::vector<TBuiltinTextIssue>& Builtin_Text_Issues() { return Table().Issues; }

std::vector<String> Builtin_Texts_Copy() {
  if (g_TableBuilt) return Table().Texts;
  std::vector<TBuiltinTextIssue> issues;  // reported through Builtin_Text_Issues()
  return Build_Builtin_Texts(Builtin_Text_Files, Builtin_Text_File_Count, issues);
}
