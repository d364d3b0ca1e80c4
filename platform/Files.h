#pragma once
// Files and folders. Paths are String with '/' separators; callers join with PathJoin.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/UString.h"

// The executable's folder, no trailing separator.
String ProgramFolder();
// Overrides ProgramFolder() (empty restores the real one).
void SetProgramFolderForTests(String folder);

bool FileExists(const String& path);       // a regular file (or a link to one)
bool DirectoryExists(const String& path);
bool CreateDir(const String& path);        // one level; false when it exists or the parent is missing
bool ForceDirectories(const String& path); // with parents; true when it exists already
bool CopyFile(const String& src, const String& dst, bool failIfExists);
bool DeleteFile(const String& path);       // files only
bool RenameFile(const String& from, const String& to);
bool RemoveDir(const String& path);        // empty folders only

struct TSearchEntry {
  String Name;
  bool IsDirectory = false;
  bool Hidden = false;  // name starts with "."
  int64_t Size = 0;     // 0 for folders
};
// Sorted by a case-blind ordinal compare (ASCII letters folded), without "." and "..".
// Empty when the folder cannot be read.
std::vector<TSearchEntry> ListDirectory(const String& folder);

String IncludeTrailingPathDelimiter(const String& path);
String ExcludeTrailingPathDelimiter(const String& path);
String PathJoin(const String& a, const String& b);
String ExtractFilePath(const String& path);  // with the trailing '/'
String ExtractFileDir(const String& path);   // without it
String ExtractFileName(const String& path);
String ExtractFileExt(const String& path);   // with the '.', "" when none
String ChangeFileExt(const String& path, const String& ext);

std::filesystem::path ToPath(const String& path);
String FromPath(const std::filesystem::path& path);

bool WriteFileBytes(const String& path, std::string_view bytes);  // replaces the file
bool ReadFileBytes(const String& path, std::string& out);
