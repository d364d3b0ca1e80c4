#pragma once
// INI files: sections and keys compare case-blind, lines end in CR LF when written.
// The file is read once at construction; TMemIniFile writes it back on UpdateFile,
// TIniFile after every change.
#include <vector>

#include "platform/Encoding.h"
#include "platform/UString.h"

class TStrings;

class TMemIniFile {
 public:
  explicit TMemIniFile(const String& path);
  virtual ~TMemIniFile() = default;

  const String& FileName() const { return path_; }

  String ReadString(const String& section, const String& key, const String& def) const;
  virtual void WriteString(const String& section, const String& key, const String& value);
  int ReadInteger(const String& section, const String& key, int def) const;  // def when not a number
  void WriteInteger(const String& section, const String& key, int value);
  bool ReadBool(const String& section, const String& key, bool def) const;  // integer, non-zero is true
  void WriteBool(const String& section, const String& key, bool value);     // "1" / "0"

  bool SectionExists(const String& section) const;
  bool ValueExists(const String& section, const String& key) const;
  void ReadSection(const String& section, TStrings* keys) const;  // the key names, in file order
  void ReadSections(TStrings* sections) const;
  std::vector<String> SectionKeys(const String& section) const;
  std::vector<String> SectionNames() const;
  virtual void EraseSection(const String& section);
  virtual void DeleteKey(const String& section, const String& key);

  // Writes the whole file: "[Section]", "key=value" lines, an empty line after each section.
  // The file is replaced whole; raises EFileSaveError (an EInOutError) when it cannot be.
  virtual void UpdateFile();
  String ToText() const;  // the text UpdateFile writes

 protected:
  struct Entry {
    String Key;
    String Value;
    bool HasValue = true;  // a line without '=' is kept as written
  };
  struct Section {
    String Name;
    std::vector<Entry> Entries;
  };
  Section* FindSection(const String& name);
  const Section* FindSection(const String& name) const;

  String path_;
  std::vector<Section> sections_;
  TTextEncoding encoding_ = teUTF8;
};

class TIniFile : public TMemIniFile {
 public:
  explicit TIniFile(const String& path) : TMemIniFile(path) {}
  void WriteString(const String& section, const String& key, const String& value) override;
  void EraseSection(const String& section) override;
  void DeleteKey(const String& section, const String& key) override;
};
