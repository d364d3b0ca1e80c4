#pragma once
// What every manual form harness does before it shows its form: the application, the built-in
// texts, and Folder as the open configuration.
#include "platform/Files.h"
#include "platform/Forms.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

inline void Start_Harness(const char* Folder) {
  Application->Initialize();
  Load_Default_Strings();
  Soft_Code = Soft_Code_Init;
  Project_Folder = Utf8ToString(Folder);
  Set_Files();
  Grid_Clipboard = new TStringList();
}
