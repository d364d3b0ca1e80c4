#pragma once
// Libraries loaded at run time by name, as the class library's LoadLibrary, GetProcAddress and
// FreeLibrary do: a name without a folder is lib<name>.so in the program's folder.
#include "platform/UString.h"

using HMODULE = void*;

// The file a library name stands for: lib<Name>.so beside the executable, or Name itself when it
// names a folder or ends in ".so".
String Library_File_Name(const String& Name);
// nullptr when the library cannot be loaded.
HMODULE LoadLibraryW(const String& Name);
// nullptr when the library has no export of that name.
void* GetProcAddress(HMODULE Module, const char* Name);
bool FreeLibrary(HMODULE Module);
// Why the last LoadLibraryW or GetProcAddress of this thread failed.
String Library_Last_Error();
