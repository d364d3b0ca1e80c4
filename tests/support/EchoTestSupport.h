#pragma once
// Support shared by the tests that send real ICMP echoes: they stay on a loopback, either this
// machine's or that of a network namespace the test makes itself.
#include <fcntl.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace echo_test {

// Moves the calling thread into a fresh network namespace with its loopback up, and back out
// at the end of the scope. Needs root (CAP_SYS_ADMIN); Enter says why when it cannot.
class ScopedNetNamespace {
 public:
  ScopedNetNamespace() = default;
  ScopedNetNamespace(const ScopedNetNamespace&) = delete;
  ScopedNetNamespace& operator=(const ScopedNetNamespace&) = delete;
  ~ScopedNetNamespace() {
    if (original_ >= 0) {
      if (entered_ && ::setns(original_, CLONE_NEWNET) != 0) std::abort();  // never run on in a test namespace
      ::close(original_);
    }
  }
  bool Enter(std::string& why) {
    if (::geteuid() != 0) return why = "needs root to make a network namespace", false;
    original_ = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    if (original_ < 0) return why = "cannot open the current network namespace", false;
    if (::unshare(CLONE_NEWNET) != 0) return why = "unshare(CLONE_NEWNET) refused", false;
    entered_ = true;
    const int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ifreq ifr{};
    std::strncpy(ifr.ifr_name, "lo", IFNAMSIZ - 1);
    bool up = s >= 0 && ::ioctl(s, SIOCGIFFLAGS, &ifr) == 0;
    ifr.ifr_flags |= IFF_UP;
    up = up && ::ioctl(s, SIOCSIFFLAGS, &ifr) == 0;
    if (s >= 0) ::close(s);
    if (!up) return why = "cannot bring the namespace's loopback up", false;
    return true;
  }
  // Sysctls under /proc/sys/net belong to the namespace of the thread that opens them.
  static bool Sysctl(const char* path, const char* value) {
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::write(fd, value, std::strlen(value)) == static_cast<ssize_t>(std::strlen(value));
    ::close(fd);
    return ok;
  }

 private:
  int original_ = -1;
  bool entered_ = false;
};

}  // namespace echo_test
