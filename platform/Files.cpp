#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
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
  std::string bytes;
  if (!ReadFileBytes(src, bytes) || TrySaveFileWhole(dst, bytes)) return false;
  fs::permissions(to, fs::status(ToPath(src), ec).permissions(), ec);  // as a copy does
  return true;
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

// ---------------------------------------------------------------------------------------------
// Whole-file saves

namespace {

std::atomic<unsigned> g_saveCounter{0};

// The file a save replaces: a link is followed, so the file it names is written, not the link.
fs::path SaveTarget(const String& path) {
  const fs::path p = ToPath(path);
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(p, ec))) {
    const fs::path real = fs::weakly_canonical(p, ec);
    if (!ec && !real.empty()) return real;
  }
  return p;
}

fs::path FolderOf(const fs::path& target) {
  const fs::path dir = target.parent_path();
  return dir.empty() ? fs::path(".") : dir;
}

// A name beside the target no other save uses at the same time; hidden, and never ending in the
// target's extension, so a listing of the folder's files of that kind does not pick it up.
fs::path SideName(const fs::path& target, const char* kind) {
  const unsigned n = g_saveCounter.fetch_add(1, std::memory_order_relaxed);
  return FolderOf(target) / ("." + target.filename().string() + "." + kind + "-" +
                             std::to_string(::getpid()) + "-" + std::to_string(n));
}

// Opens a new file of its own beside the target; -1 with errno set on failure.
int CreateSideFile(const fs::path& target, const char* kind, fs::path& made) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    made = SideName(target, kind);
    const int fd = ::open(made.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

bool WriteAllTo(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

int SyncFd(int fd) {
  int rc;
  do rc = ::fsync(fd);
  while (rc != 0 && errno == EINTR);
  return rc == 0 ? 0 : errno;
}

// Flushes the folder's entries (the renames); 0 on success. A folder that cannot be opened or a
// file system that does not flush folders leaves nothing to report.
int SyncFolder(const fs::path& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return 0;
  int err = SyncFd(fd);
  ::close(fd);
  if (err == EINVAL || err == EROFS || err == ENOTSUP) err = 0;
  return err;
}

// The new content of one target, written aside and flushed.
struct TPending {
  String Path;
  fs::path Target;
  fs::path Temp;
  fs::path Previous;  // a second name of the old file while the group is renamed; empty when none
  bool Renamed = false;
};

std::optional<TSaveError> Fail(TSaveStep step, const String& path, int code) {
  return TSaveError{step, path, code != 0 ? code : EIO};
}

std::optional<TSaveError> WriteAside(const TSaveItem& item, TPending& out) {
  out.Path = item.Path;
  if (item.Path.empty()) return Fail(TSaveStep::Create, item.Path, ENOENT);
  out.Target = SaveTarget(item.Path);
  struct stat old {};
  const bool exists = ::stat(out.Target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  // A file the user may not write stays as it is, as it would if it were written in place.
  if (exists && ::access(out.Target.c_str(), W_OK) != 0) return Fail(TSaveStep::Create, item.Path, errno);
  const int fd = CreateSideFile(out.Target, "saving", out.Temp);
  if (fd < 0) {
    const int err = errno;
    out.Temp.clear();
    return Fail(TSaveStep::Create, item.Path, err);
  }
  if (exists) (void)::fchmod(fd, old.st_mode & 07777);
  std::optional<TSaveError> error;
  if (!WriteAllTo(fd, item.Bytes)) {
    error = Fail(TSaveStep::Write, item.Path, errno);
  } else if (const int err = SyncFd(fd)) {
    error = Fail(TSaveStep::Flush, item.Path, err);
  }
  if (::close(fd) != 0 && !error) error = Fail(TSaveStep::Flush, item.Path, errno);
  return error;
}

// A second name for the old file, so it can be put back after a later rename of the group fails:
// a hard link where the file system has them, else a copy. 0, or the error number.
int KeepPrevious(TPending& p) {
  struct stat st {};
  if (::stat(p.Target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path name = SideName(p.Target, "previous");
    if (::link(p.Target.c_str(), name.c_str()) == 0) {
      p.Previous = name;
      return 0;
    }
    if (errno != EEXIST) break;
  }
  std::string bytes;
  if (!ReadFileBytes(FromPath(p.Target), bytes)) return errno != 0 ? errno : EIO;
  fs::path name;
  const int fd = CreateSideFile(p.Target, "previous", name);
  if (fd < 0) return errno;
  int err = WriteAllTo(fd, bytes) ? 0 : errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) {
    ::unlink(name.c_str());
    return err;
  }
  p.Previous = name;
  return 0;
}

void RemoveSideFiles(const std::vector<TPending>& pending) {
  for (const TPending& p : pending) {
    if (!p.Temp.empty() && !p.Renamed) ::unlink(p.Temp.c_str());
    if (!p.Previous.empty()) ::unlink(p.Previous.c_str());
  }
}

}  // namespace

String TSaveError::Message() const {
  String what;
  switch (Step) {
    case TSaveStep::Create: what = u"creating the new file beside it failed"; break;
    case TSaveStep::Write: what = u"writing failed"; break;
    case TSaveStep::Flush: what = u"flushing to disk failed"; break;
    case TSaveStep::Rename: what = u"renaming the new file over it failed"; break;
    case TSaveStep::FlushFolder: what = u"the new file is in place, but flushing its folder to disk failed"; break;
  }
  String text = u"Cannot save file \"" + Path + u"\": " + what + u" (" +
                Utf8ToString(std::generic_category().message(Code)) + u").";
  if (Step != TSaveStep::FlushFolder) text += u" The previous file is unchanged.";
  return text;
}

EFileSaveError::EFileSaveError(TSaveError Error) : EInOutError(Error.Message()), error_(std::move(Error)) {}

std::optional<TSaveError> TrySaveFilesTogether(const std::vector<TSaveItem>& Items) {
  std::vector<TPending> pending(Items.size());
  for (size_t i = 0; i < Items.size(); ++i) {
    if (auto error = WriteAside(Items[i], pending[i])) {
      RemoveSideFiles(pending);
      return error;
    }
  }
  // Only a file that a later rename could still fail after needs its old content kept; when it
  // cannot be kept, nothing is replaced.
  for (size_t i = 0; i + 1 < pending.size(); ++i) {
    if (const int err = KeepPrevious(pending[i])) {
      RemoveSideFiles(pending);
      return Fail(TSaveStep::Create, pending[i].Path, err);
    }
  }
  for (size_t i = 0; i < pending.size(); ++i) {
    TPending& p = pending[i];
    if (::rename(p.Temp.c_str(), p.Target.c_str()) == 0) {
      p.Renamed = true;
      continue;
    }
    const int err = errno;
    for (size_t j = 0; j < i; ++j) {
      TPending& back = pending[j];
      if (!back.Previous.empty()) {
        // Should even this fail, the old content stays under its second name rather than go.
        (void)::rename(back.Previous.c_str(), back.Target.c_str());
        back.Previous.clear();
      } else {
        ::unlink(back.Target.c_str());
      }
    }
    RemoveSideFiles(pending);
    return Fail(TSaveStep::Rename, p.Path, err);
  }
  RemoveSideFiles(pending);
  std::vector<fs::path> folders;
  for (const TPending& p : pending) {
    const fs::path dir = FolderOf(p.Target);
    if (std::find(folders.begin(), folders.end(), dir) != folders.end()) continue;
    folders.push_back(dir);
    if (const int err = SyncFolder(dir)) return Fail(TSaveStep::FlushFolder, p.Path, err);
  }
  return std::nullopt;
}

std::optional<TSaveError> TrySaveFileWhole(const String& Path, std::string_view Bytes) {
  return TrySaveFilesTogether({TSaveItem{Path, Bytes}});
}

void SaveFileWhole(const String& Path, std::string_view Bytes) {
  if (auto error = TrySaveFileWhole(Path, Bytes)) throw EFileSaveError(std::move(*error));
}

bool WriteFileBytes(const String& path, std::string_view bytes) { return !TrySaveFileWhole(path, bytes); }

bool ReadFileBytes(const String& path, std::string& out) {
  out.clear();
  if (!FileExists(path)) return false;
  std::ifstream f(ToPath(path), std::ios::binary);
  if (!f) return false;
  // In large blocks, not character by character; the size is only a hint (a file may grow,
  // and some report none).
  std::string data;
  std::error_code ec;
  const auto size = fs::file_size(ToPath(path), ec);
  if (!ec && size > 0) {
    data.resize(static_cast<size_t>(size));
    f.read(data.data(), static_cast<std::streamsize>(size));
    data.resize(static_cast<size_t>(f.gcount()));
  }
  char block[16384];
  while (f && (f.read(block, sizeof block) || f.gcount() > 0))
    data.append(block, static_cast<size_t>(f.gcount()));
  if (f.bad()) return false;
  out = std::move(data);
  return true;
}

bool MatchesFileMask(const String& name, const String& mask) {
  const auto fold = [](Char c) { return c >= u'a' && c <= u'z' ? static_cast<Char>(c - 32) : c; };
  size_t n = 0, m = 0, starM = String::npos, starN = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == u'?' || (mask[m] != u'*' && fold(mask[m]) == fold(name[n])))) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == u'*') {
      starM = m++;
      starN = n;
    } else if (starM != String::npos) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == u'*') ++m;
  return m == mask.size();
}

std::vector<TSearchEntry> ListDirectoryMatching(const String& pathWithMask) {
  const String folder = ExtractFileDir(pathWithMask);
  const String mask = ExtractFileName(pathWithMask);
  std::vector<TSearchEntry> out;
  for (TSearchEntry& e : ListDirectory(folder.empty() ? String(u".") : folder))
    if (MatchesFileMask(e.Name, mask)) out.push_back(std::move(e));
  return out;
}
