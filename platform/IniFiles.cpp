#include "platform/IniFiles.h"

#include <algorithm>

#include "platform/Classes.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"

namespace {

bool IsComment(const String& line) { return !line.empty() && (line[0] == u';' || line[0] == u'#'); }

}  // namespace

TMemIniFile::TMemIniFile(const String& path) : path_(path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return;
  const String text = DecodeText(bytes, &encoding_);
  Section* current = nullptr;
  for (const String& raw : SplitLines(text)) {
    const String line = Trim(raw);
    if (line.empty()) continue;
    if (line.front() == u'[' && line.back() == u']' && line.size() >= 2) {
      const String name = Trim(line.substr(1, line.size() - 2));
      current = FindSection(name);
      if (!current) {
        sections_.push_back(Section{name, {}});
        current = &sections_.back();
      }
      continue;
    }
    if (!current) continue;  // text before the first section belongs to no section
    const size_t eq = line.find(u'=');
    if (IsComment(line) || eq == String::npos)
      current->Entries.push_back(Entry{line, String(), false});
    else
      current->Entries.push_back(Entry{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)), true});
  }
}

TMemIniFile::Section* TMemIniFile::FindSection(const String& name) {
  for (Section& s : sections_)
    if (SameText(s.Name, name)) return &s;
  return nullptr;
}

const TMemIniFile::Section* TMemIniFile::FindSection(const String& name) const {
  for (const Section& s : sections_)
    if (SameText(s.Name, name)) return &s;
  return nullptr;
}

String TMemIniFile::ReadString(const String& section, const String& key, const String& def) const {
  if (const Section* s = FindSection(section))
    for (const Entry& e : s->Entries)
      if (e.HasValue && SameText(e.Key, key)) return e.Value;
  return def;
}

void TMemIniFile::WriteString(const String& section, const String& key, const String& value) {
  Section* s = FindSection(section);
  if (!s) {
    sections_.push_back(Section{section, {}});
    s = &sections_.back();
  }
  for (Entry& e : s->Entries)
    if (e.HasValue && SameText(e.Key, key)) {
      e.Value = value;
      return;
    }
  s->Entries.push_back(Entry{key, value, true});
}

int TMemIniFile::ReadInteger(const String& section, const String& key, int def) const {
  return StrToIntDef(ReadString(section, key, String()), def);
}

void TMemIniFile::WriteInteger(const String& section, const String& key, int value) {
  WriteString(section, key, IntToStr(value));
}

bool TMemIniFile::ReadBool(const String& section, const String& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TMemIniFile::WriteBool(const String& section, const String& key, bool value) {
  WriteString(section, key, value ? u"1" : u"0");
}

bool TMemIniFile::SectionExists(const String& section) const { return FindSection(section) != nullptr; }

bool TMemIniFile::ValueExists(const String& section, const String& key) const {
  if (const Section* s = FindSection(section))
    for (const Entry& e : s->Entries)
      if (e.HasValue && SameText(e.Key, key)) return true;
  return false;
}

std::vector<String> TMemIniFile::SectionKeys(const String& section) const {
  std::vector<String> keys;
  if (const Section* s = FindSection(section))
    for (const Entry& e : s->Entries)
      if (e.HasValue) keys.push_back(e.Key);
  return keys;
}

std::vector<String> TMemIniFile::SectionNames() const {
  std::vector<String> names;
  for (const Section& s : sections_) names.push_back(s.Name);
  return names;
}

void TMemIniFile::ReadSection(const String& section, TStrings* keys) const {
  if (!keys) return;
  keys->BeginUpdate();
  keys->Clear();
  for (const String& k : SectionKeys(section)) keys->Add(k);
  keys->EndUpdate();
}

void TMemIniFile::ReadSections(TStrings* sections) const {
  if (!sections) return;
  sections->BeginUpdate();
  sections->Clear();
  for (const String& n : SectionNames()) sections->Add(n);
  sections->EndUpdate();
}

void TMemIniFile::EraseSection(const String& section) {
  sections_.erase(std::remove_if(sections_.begin(), sections_.end(),
                                 [&](const Section& s) { return SameText(s.Name, section); }),
                  sections_.end());
}

void TMemIniFile::DeleteKey(const String& section, const String& key) {
  if (Section* s = FindSection(section)) {
    auto& v = s->Entries;
    v.erase(std::remove_if(v.begin(), v.end(),
                           [&](const Entry& e) { return e.HasValue && SameText(e.Key, key); }),
            v.end());
  }
}

String TMemIniFile::ToText() const {
  String text;
  for (const Section& s : sections_) {
    text += u"[" + s.Name + u"]\r\n";
    for (const Entry& e : s.Entries) text += (e.HasValue ? e.Key + u"=" + e.Value : e.Key) + u"\r\n";
    text += u"\r\n";
  }
  return text;
}

void TMemIniFile::UpdateFile() {
  const String text = ToText();
  TTextEncoding enc = encoding_;
  // A file read as ANSI keeps its code page unless a written value does not fit in it.
  if (enc == teAnsi && Win1252ToString(StringToWin1252(text)) != text) enc = teUTF8;
  if (const auto error = TrySaveFileWhole(path_, EncodeText(text, enc))) throw EFileSaveError(*error);
  encoding_ = enc;
}

void TIniFile::WriteString(const String& section, const String& key, const String& value) {
  TMemIniFile::WriteString(section, key, value);
  UpdateFile();
}

void TIniFile::EraseSection(const String& section) {
  TMemIniFile::EraseSection(section);
  UpdateFile();
}

void TIniFile::DeleteKey(const String& section, const String& key) {
  TMemIniFile::DeleteKey(section, key);
  UpdateFile();
}
