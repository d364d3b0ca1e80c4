#pragma once
// Files and folders. Paths are String with '/' separators; callers join with PathJoin.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SysUtils.h"
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
// The entries of a folder that a path with a file mask names ("dir/*.png"): the mask's '*' and
// '?' are matched without regard to case, so "*.png" also finds "A.PNG". In ListDirectory's order.
std::vector<TSearchEntry> ListDirectoryMatching(const String& pathWithMask);
// Wildcard match of a whole name ('*' any run, '?' one character), ASCII letters case-blind.
bool MatchesFileMask(const String& name, const String& mask);

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

// ---------------------------------------------------------------------------------------------
// Whole-file saves. Every file the program writes goes through these, so a full disk, a size
// limit or a failing rename never leaves a cut file behind: the bytes go to a temporary file in
// the target's folder, which is flushed to disk and then renamed over the target; the folder is
// flushed after the rename. A link is followed, so the file it names is the one replaced; an
// existing file's permission bits carry over to its replacement.

enum class TSaveStep { Create, Write, Flush, Rename, FlushFolder };

// What went wrong in a save: the step, the target and the system's error number.
struct TSaveError {
  TSaveStep Step = TSaveStep::Create;
  String Path;
  int Code = 0;
  // "Cannot save file "<Path>": <what failed> (<system's reason>)." plus, for every step before
  // the folder flush, that the previous file is unchanged.
  String Message() const;
};

class EFileSaveError : public EInOutError {
 public:
  explicit EFileSaveError(TSaveError Error);
  const TSaveError& Error() const { return error_; }

 private:
  TSaveError error_;
};

// Replaces Path with Bytes. On failure the temporary file is gone, the old file (or its absence)
// is as it was - except after a failed folder flush, when the new file is already in place - and
// the error is returned; std::nullopt on success.
std::optional<TSaveError> TrySaveFileWhole(const String& Path, std::string_view Bytes);
// The same, raising EFileSaveError.
void SaveFileWhole(const String& Path, std::string_view Bytes);

// Several files that belong together (the two bank images): every temporary file is written and
// flushed before any target is touched; then they are renamed in order, and when a rename fails
// the targets already replaced get their previous content back (or are removed when they did not
// exist), so either all files are new or none is.
struct TSaveItem {
  String Path;
  std::string_view Bytes;
};
std::optional<TSaveError> TrySaveFilesTogether(const std::vector<TSaveItem>& Items);

bool WriteFileBytes(const String& path, std::string_view bytes);  // TrySaveFileWhole; false on failure
bool ReadFileBytes(const String& path, std::string& out);
