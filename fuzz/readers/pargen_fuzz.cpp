// libFuzzer target for ParGen.xml through the parameter form: any file loads into the form
// (or raises EXMLDocError), the form's checks run, and what the form then saves loads again
// to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/readers/FuzzSupport.h"
#include "parameters/UParGen.h"
#include "platform/XMLDoc.h"
#include "platform/testing/ModalScript.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TFParGen* form = [] {
    Load_Default_Strings();
    Soft_Code = Soft_Code_Init;
    Project_Folder = fuzz::ScratchFolder();
    Set_Files();
    return New<TFParGen>(nullptr);
  }();
  static const String in = fuzz::ScratchFile(u"in_ParGen.xml");
  static const String out = fuzz::ScratchFile(u"out_ParGen.xml");
  static const String again = fuzz::ScratchFile(u"again_ParGen.xml");
  ModalScript script;  // the checks' error boxes are answered
  fuzz::Write(in, std::string_view(reinterpret_cast<const char*>(data), size));
  try {
    form->Load_ParGen(in);
  } catch (const EXMLDocError&) {
    return 0;
  }
  form->Controllo_Dati();
  form->Save_ParGen(out);
  form->Load_ParGen(out);
  form->Save_ParGen(again);
  std::string first, second;
  if (!ReadFileBytes(out, first) || !ReadFileBytes(again, second)) std::abort();
  if (first != second) fuzz::Fail("a saved ParGen.xml loads and saves to the same bytes");
  return 0;
}
