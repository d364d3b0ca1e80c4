#pragma once
// What a manual form harness does before it shows its form: the application, the built-in texts,
// the software code, the configuration folder given on the command line and the row clipboard.
#include "platform/Files.h"
#include "platform/Forms.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

inline void Harness_Setup(const char* Configuration_Folder) {
  Application->Initialize();
  Load_Default_Strings();
  Soft_Code = Soft_Code_Init;
  Project_Folder = Utf8ToString(Configuration_Folder);
  Set_Files();
  Grid_Clipboard = new TStringList();
}
