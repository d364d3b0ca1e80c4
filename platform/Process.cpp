#include "platform/Process.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <string.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <string>

namespace {

std::mutex g_leftMutex;
std::vector<pid_t>& LeftChildren() {
  static std::vector<pid_t> list;
  return list;
}

int DecodeStatus(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

uint64_t MonotonicMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

String ProcessErrnoText(const std::string& what, int err) {
  return Utf8ToString(what + ": " + strerror(err));
}

// Writes all of `buf` from the child; only async-signal-safe calls.
void WriteAll(int fd, const void* buf, size_t len) {
  const char* p = static_cast<const char*>(buf);
  while (len > 0) {
    const ssize_t n = ::write(fd, p, len);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    p += n;
    len -= static_cast<size_t>(n);
  }
}

}  // namespace

int TProcess::ReapLeftChildren() {
  std::lock_guard<std::mutex> lock(g_leftMutex);
  auto& list = LeftChildren();
  list.erase(std::remove_if(list.begin(), list.end(),
                            [](pid_t pid) {
                              int status = 0;
                              const pid_t r = ::waitpid(pid, &status, WNOHANG);
                              // ECHILD: someone else reaped it; nothing left to wait for.
                              return r == pid || (r < 0 && errno == ECHILD);
                            }),
             list.end());
  return static_cast<int>(list.size());
}

std::unique_ptr<TProcess> TProcess::Start(const String& exe, const std::vector<String>& args,
                                          const String& workDir, String* error) {
  ReapLeftChildren();
  if (exe.empty()) {
    if (error) *error = u"No program given";
    return nullptr;
  }
  // Everything the child needs is prepared before fork: after it only async-signal-safe calls.
  const std::string exe8 = StringToUtf8(exe);
  const std::string dir8 = StringToUtf8(workDir);
  std::vector<std::string> args8;
  args8.reserve(args.size() + 1);
  args8.push_back(exe8);
  for (const String& a : args) args8.push_back(StringToUtf8(a));
  std::vector<char*> argv;
  for (std::string& a : args8) argv.push_back(a.data());
  argv.push_back(nullptr);
  const bool usePath = exe8.find('/') == std::string::npos;

  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) {
    if (error) *error = ProcessErrnoText("pipe", errno);
    return nullptr;
  }
  const pid_t pid = ::fork();
  if (pid < 0) {
    const int err = errno;
    ::close(fds[0]);
    ::close(fds[1]);
    if (error) *error = ProcessErrnoText("fork", err);
    return nullptr;
  }
  if (pid == 0) {
    ::close(fds[0]);
    // Stage 1 = chdir, 2 = exec; the parent reads the stage and errno.
    int report[2] = {0, 0};
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (!dir8.empty() && ::chdir(dir8.c_str()) != 0) {
      report[0] = 1;
      report[1] = errno;
      WriteAll(fds[1], report, sizeof report);
      ::_exit(127);
    }
    if (usePath)
      ::execvp(argv[0], argv.data());
    else
      ::execv(argv[0], argv.data());
    report[0] = 2;
    report[1] = errno;
    WriteAll(fds[1], report, sizeof report);
    ::_exit(127);
  }
  ::close(fds[1]);
  int report[2] = {0, 0};
  size_t got = 0;
  while (got < sizeof report) {
    const ssize_t n = ::read(fds[0], reinterpret_cast<char*>(report) + got, sizeof report - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fds[0]);
  if (got == 0) return std::unique_ptr<TProcess>(new TProcess(pid));  // exec succeeded

  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (error) {
    if (got == sizeof report && report[0] == 1)
      *error = ProcessErrnoText("Cannot enter folder \"" + dir8 + "\"", report[1]);
    else if (got == sizeof report)
      *error = ProcessErrnoText("Cannot run \"" + exe8 + "\"", report[1]);
    else
      *error = Utf8ToString("Cannot run \"" + exe8 + "\"");
  }
  return nullptr;
}

TProcess::~TProcess() {
  if (ended_ || pid_ <= 0) return;
  if (Running()) {
    std::lock_guard<std::mutex> lock(g_leftMutex);
    LeftChildren().push_back(pid_);
  }
}

bool TProcess::Running() {
  if (ended_) return false;
  int status = 0;
  pid_t r;
  do {
    r = ::waitpid(pid_, &status, WNOHANG);
  } while (r < 0 && errno == EINTR);
  if (r == pid_) {
    ended_ = true;
    exitCode_ = DecodeStatus(status);
  } else if (r < 0) {
    // Reaped elsewhere: the status is lost, but the child is gone.
    ended_ = true;
    exitCode_ = -1;
  }
  ReapLeftChildren();
  return !ended_;
}

int TProcess::ExitCode() const { return ended_ ? exitCode_ : -1; }

bool TProcess::WaitFor(uint32_t ms) {
  if (!Running()) return true;
  const uint64_t deadline = MonotonicMs() + ms;
  // A pidfd becomes readable when the child ends, without needing SIGCHLD.
  int pidfd = -1;
#ifdef SYS_pidfd_open
  pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
#endif
  bool running = true;
  for (;;) {
    running = Running();
    if (!running) break;
    const uint64_t now = MonotonicMs();
    if (now >= deadline) break;
    const int left = static_cast<int>(std::min<uint64_t>(deadline - now, 1000));
    if (pidfd >= 0) {
      pollfd p{pidfd, POLLIN, 0};
      ::poll(&p, 1, left);
    } else {
      const int step = std::min(left, 10);
      timespec ts{0, static_cast<long>(step) * 1000000L};
      ::nanosleep(&ts, nullptr);
    }
  }
  if (pidfd >= 0) ::close(pidfd);
  return !running;
}
