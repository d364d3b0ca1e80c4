#include "shell/ULanguage.h"

#include <string>

#include "platform/Encoding.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "shell/UBuiltinTexts.h"
#include "shell/UComon.h"

TStringList* Language_List = nullptr;
int Language_Count = 0;

namespace {
constexpr Char kPilcrow = u'\u00B6';
}

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
  for (const String& raw : SplitLines(text)) {
    const String line = Trim(raw);
    if (line.compare(0, 3, u"STR") != 0 || line.size() < 3) continue;
    const int eq = Pos(u"=", line);
    if (eq == 0) continue;
    // The one character in front of "=" is never part of the index.
    const String piece = Trim(Copy(line, 4, eq - 5));
    int index = 0;
    if (piece.empty() || !TryStrToInt(piece, index)) continue;
    if (index < 0 || index >= Language_Count || index >= Language_List->Count()) continue;
    String value = Trim(Copy(line, eq + 1, Length(line)));
    if (value.empty()) continue;
    const int note = Pos(u"/#/", value);
    if (note > 0) value = Trim(Copy(value, 1, note - 1));
    if (!value.empty() && value.front() == kPilcrow) value.erase(0, 1);
    const std::size_t close = value.find(kPilcrow);
    if (close != String::npos) value.erase(close);
    Language_List->SetStrings(index, value);
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
