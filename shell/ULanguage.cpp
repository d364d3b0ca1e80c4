#include "shell/ULanguage.h"

#include <string>
#include <string_view>

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

}  // namespace

void Create_Language_List() {
  if (!Language_List) Language_List = New<TStringList>();
}

void Load_Default_Strings() {
  Create_Language_List();
  const std::vector<String>& texts = Builtin_Texts();
  Language_List->BeginUpdate();
  Language_List->Clear();
  for (const String& t : texts) Language_List->Add(t);
  Language_List->EndUpdate();
  Language_Count = Builtin_Language_Count;
}

bool Load_Language_File(const String& FileName) {
  std::string bytes;
  if (!ReadFileBytes(FileName, bytes)) return false;
  Create_Language_List();
  const String text = DecodeText(bytes);
  // Lines end at CR, LF or CR LF; each is looked at in place, only its text is copied.
  const std::u16string_view all(text);
  String scratch;
  size_t i = 0;
  const size_t n = all.size();
  while (i < n) {
    const size_t start = i;
    while (i < n && all[i] != u'\r' && all[i] != u'\n') ++i;
    Apply_Language_Line(all.substr(start, i - start), scratch);
    if (i < n && all[i] == u'\r') ++i;
    if (i < n && all[i] == u'\n') ++i;
  }
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
