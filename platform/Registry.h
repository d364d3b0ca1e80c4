#pragma once
// The current user's registry on this platform: our own small store of keys, each with named
// integer and text values, kept in one INI-form file ("[key path]" sections, "name=value" lines).
// Key paths use "\" between their parts and compare case-blind. The file is read when a key is
// opened and written back whole by CloseKey (and the destructor) when anything was written.
#include "platform/SysUtils.h"
#include "platform/UString.h"

class TMemIniFile;

class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

// The store's file: a file of its own under the user's configuration folder
// ($XDG_CONFIG_HOME, else ~/.config) unless set; tests point it at a scratch folder.
String RegistryStoreFile();
void SetRegistryStoreFile(const String& Path);  // empty: back to the default

class TRegistry {
 public:
  TRegistry();
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // Opens Key (leading and trailing "\" ignored); a missing key is created when CanCreate,
  // otherwise the answer is false. An empty key is refused.
  bool OpenKey(const String& Key, bool CanCreate);
  bool KeyExists(const String& Key);
  // Writes the store back when anything was written, and releases the key.
  void CloseKey();
  const String& CurrentPath() const { return FCurrentPath; }

  bool ValueExists(const String& Name) const;
  // Raise ERegistryException without an open key, and when the value is missing or not an integer.
  int ReadInteger(const String& Name) const;
  void WriteInteger(const String& Name, int Value);
  String ReadString(const String& Name) const;  // empty when missing
  void WriteString(const String& Name, const String& Value);

 private:
  void Load();
  void CheckOpen() const;
  TMemIniFile* FStore = nullptr;
  String FCurrentPath;
  bool FChanged = false;
};
