#pragma once
// UI text table and language files (unit ULanguage).
//
// Language_List holds exactly Builtin_Text_Count entries after every load; readers fetch a text with
// Language_List->Strings(i). Entries at or above Language_Count always keep their built-in text.
#include "platform/Classes.h"
#include "platform/UString.h"

extern TStringList* Language_List;
extern int Language_Count;

// Creates Language_List empty when it does not exist yet (the main window's first start-up step).
void Create_Language_List();

// Empties the table, appends the built-in texts in index order and sets Language_Count to 5500.
// Creates the table first when Create_Language_List has not run.
void Load_Default_Strings();

// Applies a ".lng" file over the loaded table. A file that cannot be read leaves the table as it is
// and returns false (the callers do not report it); lines that break the format are skipped.
bool Load_Language_File(const String& FileName);

// Built-in texts, then <Language_Folder>/<Language_Name>.lng; when that file is missing, or the
// name is no plain file name (empty, or holding "/", "\" or NUL), Language_Name becomes
// "English" and <Language_Folder>/English.lng is applied when present.
void Load_Language();

// Path of a language's file: Language_Folder joined with Name + ".lng".
String Language_File_Path(const String& Name);
