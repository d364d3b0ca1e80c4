#include "platform/testing/FailingWrites.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <exception>

namespace {

constexpr int kNotPermitted = 77;

void WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

// Each value as its decimal length, a newline, then its bytes.
std::string Pack(const TChildValues& values) {
  std::string out;
  for (const std::string& v : values) out += std::to_string(v.size()) + "\n" + v;
  return out;
}

TChildValues Unpack(const std::string& data) {
  TChildValues values;
  size_t at = 0;
  while (at < data.size()) {
    const size_t nl = data.find('\n', at);
    if (nl == std::string::npos) break;
    const size_t len = std::stoul(data.substr(at, nl - at));
    values.push_back(data.substr(nl + 1, len));
    at = nl + 1 + len;
  }
  return values;
}

// Forks; the child runs Prepare (a non-zero result ends it with that exit code) and then Body.
// The exit code of the child, or -1 when it did not exit normally.
int RunInChild(const std::function<int()>& Prepare, const std::function<TChildValues()>& Body,
               TChildValues& Values) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return -1;
  }
  if (pid == 0) {
    ::close(fds[0]);
    if (const int code = Prepare()) ::_exit(code);
    TChildValues values;
    try {
      values = Body();
    } catch (const std::exception& e) {
      values = {std::string("exception escaped: ") + e.what()};
    } catch (...) {
      values = {"exception escaped"};
    }
    WriteAll(fds[1], Pack(values));
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string data;
  char buf[4096];
  for (;;) {
    const ssize_t n = ::read(fds[0], buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    data.append(buf, static_cast<size_t>(n));
  }
  ::close(fds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status)) return -1;
  Values = Unpack(data);
  return WEXITSTATUS(status);
}

bool WriteProcFile(const char* path, const std::string& text) {
  const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ::close(fd);
  return ok;
}

// A mount namespace of our own; without the privilege for it, inside a new user namespace where
// this user is root.
bool OwnMountNamespace() {
  if (::unshare(CLONE_NEWNS) == 0) return true;
  const uid_t uid = ::getuid();
  const gid_t gid = ::getgid();
  if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
  WriteProcFile("/proc/self/setgroups", "deny");
  return WriteProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") &&
         WriteProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
}

}  // namespace

TChildValues RunWithFileSizeLimit(uint64_t Limit, const std::function<TChildValues()>& Body) {
  TChildValues values;
  const int code = RunInChild(
      [Limit] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit lim{static_cast<rlim_t>(Limit), static_cast<rlim_t>(Limit)};
        return ::setrlimit(RLIMIT_FSIZE, &lim) == 0 ? 0 : 1;
      },
      Body, values);
  return code == 0 ? values : TChildValues{};
}

std::optional<TChildValues> RunOnSmallTmpfs(const std::string& Folder, uint64_t SizeBytes,
                                            const std::function<TChildValues()>& Body) {
  TChildValues values;
  const int code = RunInChild(
      [&] {
        if (!OwnMountNamespace()) return kNotPermitted;
        // Mounts made here must not reach the test process's namespace.
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return kNotPermitted;
        const std::string options = "size=" + std::to_string(SizeBytes) + ",mode=0777";
        if (::mount("tmpfs", Folder.c_str(), "tmpfs", 0, options.c_str()) != 0) return kNotPermitted;
        return 0;
      },
      Body, values);
  if (code == kNotPermitted) return std::nullopt;
  return code == 0 ? values : TChildValues{};
}

bool FillFileSystem(const std::string& Folder) {
  const std::string path = Folder + "/filler";
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return errno == ENOSPC;
  const std::string block(4096, 'f');
  bool full = false;
  for (int i = 0; i < (1 << 20) && !full; ++i) {
    size_t done = 0;
    while (done < block.size()) {
      const ssize_t n = ::write(fd, block.data() + done, block.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        full = errno == ENOSPC;
        break;
      }
      done += static_cast<size_t>(n);
    }
    if (done < block.size()) break;
  }
  ::close(fd);
  return full;
}

std::string ErrorOf(const std::function<void()>& Body) {
  try {
    Body();
  } catch (const std::exception& e) {
    return e.what();
  }
  return std::string();
}
