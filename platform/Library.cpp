#include "platform/Library.h"

#include <dlfcn.h>

#include "platform/Files.h"

namespace {
thread_local String library_last_error;

void Take_Library_Error() {
  const char* e = dlerror();
  library_last_error = e ? Utf8ToString(e) : String();
}
}  // namespace

String Library_File_Name(const String& Name) {
  const bool has_folder = Name.find(u'/') != String::npos;
  const bool has_suffix = Name.size() >= 3 && Name.compare(Name.size() - 3, 3, u".so") == 0;
  if (has_folder || has_suffix) return Name;
  return PathJoin(ProgramFolder(), u"lib" + Name + u".so");
}

HMODULE LoadLibraryW(const String& Name) {
  dlerror();
  HMODULE m = dlopen(StringToUtf8(Library_File_Name(Name)).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!m) Take_Library_Error();
  return m;
}

void* GetProcAddress(HMODULE Module, const char* Name) {
  if (!Module) return nullptr;
  dlerror();
  void* p = dlsym(Module, Name);
  if (!p) Take_Library_Error();
  return p;
}

bool FreeLibrary(HMODULE Module) { return Module && dlclose(Module) == 0; }

String Library_Last_Error() { return library_last_error; }
