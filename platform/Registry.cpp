// The registry stand-in over an INI-form file.
#include "platform/Registry.h"

#include <cstdlib>
#include <filesystem>

#include "platform/IniFiles.h"

namespace {

String& StoreFileSetting() {
  static String path;
  return path;
}

String NormaliseKey(const String& Key) {
  size_t b = 0, e = Key.size();
  while (b < e && Key[b] == u'\\') ++b;
  while (e > b && Key[e - 1] == u'\\') --e;
  return Key.substr(b, e - b);
}

}  // namespace

String RegistryStoreFile() {
  if (!StoreFileSetting().empty()) return StoreFileSetting();
  std::filesystem::path dir;
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
    dir = x;
  else if (const char* h = std::getenv("HOME"); h && *h)
    dir = std::filesystem::path(h) / ".config";
  else
    dir = std::filesystem::temp_directory_path();
  return Utf8ToString((dir / "Configurator" / "registry.ini").string());
}

void SetRegistryStoreFile(const String& Path) { StoreFileSetting() = Path; }

TRegistry::TRegistry() = default;

TRegistry::~TRegistry() {
  try {
    CloseKey();
  } catch (...) {
    // A destructor does not raise; CloseKey reports a failed write to a caller that asks.
  }
}

void TRegistry::Load() {
  if (FStore) return;
  FStore = new TMemIniFile(RegistryStoreFile());
}

bool TRegistry::KeyExists(const String& Key) {
  Load();
  String k = NormaliseKey(Key);
  return !k.empty() && FStore->SectionExists(k);
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate) {
  CloseKey();
  String k = NormaliseKey(Key);
  if (k.empty()) return false;
  Load();
  if (!FStore->SectionExists(k)) {
    if (!CanCreate) return false;
    // A key without values is kept as an empty section.
    FStore->WriteString(k, u"", u"");
    FStore->DeleteKey(k, u"");
    FChanged = true;
  }
  FCurrentPath = k;
  return true;
}

void TRegistry::CloseKey() {
  if (FStore && FChanged) {
    std::filesystem::path file = std::filesystem::path(StringToUtf8(FStore->FileName()));
    std::error_code ec;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
    FStore->UpdateFile();
  }
  delete FStore;
  FStore = nullptr;
  FChanged = false;
  FCurrentPath.clear();
}

void TRegistry::CheckOpen() const {
  if (!FStore || FCurrentPath.empty()) throw ERegistryException(u"No registry key is open");
}

bool TRegistry::ValueExists(const String& Name) const {
  return FStore && !FCurrentPath.empty() && FStore->ValueExists(FCurrentPath, Name);
}

int TRegistry::ReadInteger(const String& Name) const {
  CheckOpen();
  if (!FStore->ValueExists(FCurrentPath, Name)) throw ERegistryException(u"Invalid data type for '" + Name + u"'");
  int v = 0;
  if (!TryStrToInt(FStore->ReadString(FCurrentPath, Name, String()), v))
    throw ERegistryException(u"Invalid data type for '" + Name + u"'");
  return v;
}

void TRegistry::WriteInteger(const String& Name, int Value) {
  CheckOpen();
  FStore->WriteInteger(FCurrentPath, Name, Value);
  FChanged = true;
}

String TRegistry::ReadString(const String& Name) const {
  CheckOpen();
  return FStore->ReadString(FCurrentPath, Name, String());
}

void TRegistry::WriteString(const String& Name, const String& Value) {
  CheckOpen();
  FStore->WriteString(FCurrentPath, Name, Value);
  FChanged = true;
}
