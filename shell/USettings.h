#pragma once
// The settings file Kelvane.xml beside the executable (root Conf_Settings).
#include "platform/UString.h"

// Program_Folder joined with "Kelvane.xml".
String Settings_File_Path();

// Sets Project_Name, Last_IP_Address, Language_Name and the four option flags from the settings
// file, each key on its own with its default; a missing or malformed file gives all defaults.
// Project_Folder is cleared when the file is missing (the reopen step decides it otherwise).
void Read_Settings();

// Writes the settings file from the shared variables, replacing it. Raises EInOutError when the
// file cannot be written (the caller's default error box reports it).
void Save_Setting();
