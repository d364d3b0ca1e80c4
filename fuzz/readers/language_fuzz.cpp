// libFuzzer target for language files: any file applies over the built-in texts without
// changing the table's size or the texts past the language's count.
#include <cstddef>
#include <cstdint>

#include "fuzz/readers/FuzzSupport.h"
#include "shell/UBuiltinTexts.h"
#include "shell/ULanguage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const String path = fuzz::ScratchFile(u"Fuzz.lng");
  fuzz::Write(path, std::string_view(reinterpret_cast<const char*>(data), size));
  Load_Default_Strings();
  const int count = Language_List->Count();
  if (!Load_Language_File(path)) fuzz::Fail("a readable language file applies");
  if (Language_List->Count() != count) fuzz::Fail("a language file keeps the table's size");
  const std::vector<String>& builtin = Builtin_Texts();
  for (int i = Language_Count; i < count; ++i)
    if (Language_List->Strings(i) != builtin[static_cast<size_t>(i)]) fuzz::Fail("texts past the count stay built in");
  return 0;
}
