#include "platform/Files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <mutex>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::mutex g_folderMutex;
String g_folderOverride;

Char FoldAscii(Char c) { return (c >= u'a' && c <= u'z') ? Char(c - 32) : c; }

int CompareBlind(const String& a, const String& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const Char x = FoldAscii(a[i]);
    const Char y = FoldAscii(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

String RealProgramFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) exe = fs::current_path(ec) / "x";
  return ExcludeTrailingPathDelimiter(FromPath(exe.parent_path()));
}

}  // namespace

String ProgramFolder() {
  {
    std::lock_guard<std::mutex> lock(g_folderMutex);
    if (!g_folderOverride.empty()) return g_folderOverride;
  }
  static const String real = RealProgramFolder();
  return real;
}

void SetProgramFolderForTests(String folder) {
  std::lock_guard<std::mutex> lock(g_folderMutex);
  g_folderOverride = ExcludeTrailingPathDelimiter(folder);
}

fs::path ToPath(const String& path) { return fs::path(StringToUtf8(path)); }

String FromPath(const fs::path& path) { return Utf8ToString(path.string()); }

bool FileExists(const String& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_regular_file(ToPath(path), ec);
}

bool DirectoryExists(const String& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_directory(ToPath(path), ec);
}

bool CreateDir(const String& path) {
  if (path.empty()) return false;
  return ::mkdir(StringToUtf8(path).c_str(), 0777) == 0;
}

bool ForceDirectories(const String& path) {
  if (path.empty()) return false;
  if (DirectoryExists(path)) return true;
  std::error_code ec;
  fs::create_directories(ToPath(ExcludeTrailingPathDelimiter(path)), ec);
  return !ec && DirectoryExists(path);
}

bool CopyFile(const String& src, const String& dst, bool failIfExists) {
  if (!FileExists(src)) return false;
  std::error_code ec;
  const fs::path to = ToPath(dst);
  if (fs::exists(to, ec)) {
    if (failIfExists || fs::is_directory(to, ec)) return false;
  }
  fs::copy_file(ToPath(src), to, fs::copy_options::overwrite_existing, ec);
  return !ec;
}

bool DeleteFile(const String& path) {
  if (path.empty() || DirectoryExists(path)) return false;
  return ::unlink(StringToUtf8(path).c_str()) == 0;
}

bool RenameFile(const String& from, const String& to) {
  if (from.empty() || to.empty()) return false;
  std::error_code ec;
  // Like the platform's rename: never silently replaces an existing target.
  if (fs::exists(fs::symlink_status(ToPath(to), ec))) return false;
  fs::rename(ToPath(from), ToPath(to), ec);
  return !ec;
}

bool RemoveDir(const String& path) {
  if (path.empty()) return false;
  return ::rmdir(StringToUtf8(path).c_str()) == 0;
}

std::vector<TSearchEntry> ListDirectory(const String& folder) {
  std::vector<TSearchEntry> out;
  std::error_code ec;
  fs::directory_iterator it(ToPath(folder), ec);
  if (ec) return out;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    TSearchEntry e;
    e.Name = FromPath(it->path().filename());
    if (e.Name == u"." || e.Name == u"..") continue;
    std::error_code ec2;
    e.IsDirectory = it->is_directory(ec2);
    e.Hidden = !e.Name.empty() && e.Name[0] == u'.';
    if (!e.IsDirectory) {
      const auto size = it->file_size(ec2);
      e.Size = ec2 ? 0 : static_cast<int64_t>(size);
    }
    out.push_back(std::move(e));
  }
  std::stable_sort(out.begin(), out.end(), [](const TSearchEntry& a, const TSearchEntry& b) {
    const int c = CompareBlind(a.Name, b.Name);
    return c != 0 ? c < 0 : a.Name < b.Name;
  });
  return out;
}

String IncludeTrailingPathDelimiter(const String& path) {
  if (!path.empty() && path.back() == u'/') return path;
  return path + u"/";
}

String ExcludeTrailingPathDelimiter(const String& path) {
  String p = path;
  while (p.size() > 1 && p.back() == u'/') p.pop_back();
  return p;
}

String PathJoin(const String& a, const String& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  String tail = b;
  size_t skip = 0;
  while (skip < tail.size() && tail[skip] == u'/') ++skip;
  return IncludeTrailingPathDelimiter(a) + tail.substr(skip);
}

String ExtractFilePath(const String& path) {
  const size_t p = path.rfind(u'/');
  return p == String::npos ? String() : path.substr(0, p + 1);
}

String ExtractFileDir(const String& path) {
  const size_t p = path.rfind(u'/');
  if (p == String::npos) return String();
  if (p == 0) return u"/";
  return path.substr(0, p);
}

String ExtractFileName(const String& path) {
  const size_t p = path.rfind(u'/');
  return p == String::npos ? path : path.substr(p + 1);
}

String ExtractFileExt(const String& path) {
  const size_t p = path.find_last_of(u"./");
  if (p == String::npos || path[p] != u'.') return String();
  return path.substr(p);
}

String ChangeFileExt(const String& path, const String& ext) {
  const size_t p = path.find_last_of(u"./");
  if (p == String::npos || path[p] != u'.') return path + ext;
  return path.substr(0, p) + ext;
}

bool WriteFileBytes(const String& path, std::string_view bytes) {
  std::ofstream f(ToPath(path), std::ios::binary | std::ios::trunc);
  if (!f) return false;
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  f.close();
  return !f.fail();
}

bool ReadFileBytes(const String& path, std::string& out) {
  out.clear();
  if (!FileExists(path)) return false;
  std::ifstream f(ToPath(path), std::ios::binary);
  if (!f) return false;
  std::string data((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (f.bad()) return false;
  out = std::move(data);
  return true;
}
