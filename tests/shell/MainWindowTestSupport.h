#pragma once
// Helpers of the shell window tests: a loopback HTTP server (127.0.0.1 only), the shell's forms
// created in the program's order over a scratch program folder, and a PNG output folder.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "ShellTestSupport.h"
#include "button/LbButton.h"
#include "platform/Files.h"
#include "shell/UAbout.h"
#include "shell/UKelvaneFirmWare.h"
#include "shell/ULanguage.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/USoftOptions.h"

namespace shellwin {

// Answers one canned reply to every request, or holds the connection open without a word.
class LoopbackHttpServer {
 public:
  enum Mode { kReply, kStall };
  explicit LoopbackHttpServer(std::string reply, Mode mode = kReply) : reply_(std::move(reply)), mode_(mode) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    int one = 1;
    ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(fd_, 8);
    socklen_t len = sizeof a;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackHttpServer() {
    stop_ = true;
    thread_.join();
    ::close(fd_);
  }
  int Port() const { return port_; }
  String Host() const { return Utf8ToString("127.0.0.1:" + std::to_string(port_)); }
  std::string Request() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return request_;
  }
  int Requests() const { return requests_; }
  // Connections the client closed while the server held them silent.
  int Hangups() const { return hangups_; }

  static std::string Ok(const std::string& body) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
  }

 private:
  void Serve() {
    while (!stop_) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      const int c = ::accept(fd_, nullptr, nullptr);
      if (c < 0) continue;
      std::string got;
      char buf[1024];
      while (!stop_ && got.find("\r\n\r\n") == std::string::npos) {
        pollfd q{c, POLLIN, 0};
        if (::poll(&q, 1, 20) <= 0) continue;
        const ssize_t n = ::recv(c, buf, sizeof buf, 0);
        if (n <= 0) break;
        got.append(buf, static_cast<size_t>(n));
      }
      {
        std::lock_guard<std::mutex> lock(mutex_);
        request_ = got;
      }
      ++requests_;
      if (mode_ == kReply) {
        ::send(c, reply_.data(), reply_.size(), MSG_NOSIGNAL);
      } else {
        while (!stop_) {
          pollfd q{c, POLLIN, 0};
          ::poll(&q, 1, 20);
          if ((q.revents & (POLLHUP | POLLERR)) || ((q.revents & POLLIN) && ::recv(c, buf, sizeof buf, 0) <= 0)) {
            ++hangups_;
            break;
          }
        }
      }
      ::close(c);
    }
  }

  std::string reply_;
  Mode mode_;
  int fd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> requests_{0};
  std::atomic<int> hangups_{0};
  mutable std::mutex mutex_;
  std::string request_;
  std::thread thread_;
};

// A loopback port where nothing listens: a bound socket without listen refuses connections.
class RefusingPort {
 public:
  RefusingPort() {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
  }
  ~RefusingPort() { ::close(fd_); }
  String Host() const { return Utf8ToString("127.0.0.1:" + std::to_string(port_)); }

 private:
  int fd_ = -1;
  int port_ = 0;
};

// Points the maker's server somewhere for one test.
class MakerServerScope {
 public:
  explicit MakerServerScope(const String& host) : saved_(Maker_Web_Server) { Maker_Web_Server = host; }
  ~MakerServerScope() { Maker_Web_Server = saved_; }

 private:
  String saved_;
};

inline const String& Text(int i) { return Language_List->Strings(i); }

// The shell's forms over a scratch program folder, created in the program's order.
class ShellWindows {
 public:
  explicit ShellWindows(bool create = true) {
    shelltest::ResetState(folder.Folder());
    SetProgramFolderForTests(folder.Folder());
    if (create) Create();
  }
  ~ShellWindows() { Destroy(); SetProgramFolderForTests(String()); }

  void Create() {
    main = New<TFKelvaneFirmWare>(nullptr);
    newProject = New<TFNew_Project>(nullptr);
    openConf = New<TFOpenConf>(nullptr);
    about = New<TFAbout>(nullptr);
    options = New<TFSoftOptions>(nullptr);
  }
  void Destroy() {
    delete options;
    delete about;
    delete openConf;
    delete newProject;
    delete main;
    options = nullptr;
    about = nullptr;
    openConf = nullptr;
    newProject = nullptr;
    main = nullptr;
  }
  // Closes as the program does (FormClose writes the settings) and starts again.
  void Restart() {
    TCloseAction action = caHide;
    main->FormClose(main, action);
    Destroy();
    shelltest::ResetState(folder.Folder());
    Create();
  }
  std::filesystem::path Projects() const { return folder.Path() / "PROJECTS"; }
  std::filesystem::path Languages() const { return folder.Path() / "LANGUAGE"; }

  TScratchFolder folder;
  TFKelvaneFirmWare* main = nullptr;
  TFNew_Project* newProject = nullptr;
  TFOpenConf* openConf = nullptr;
  TFAbout* about = nullptr;
  TFSoftOptions* options = nullptr;
};

// Pictures for a person to look at go beside the test executable.
inline std::filesystem::path PictureFolder() {
  std::filesystem::path p = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "shell_windows";
  std::filesystem::create_directories(p);
  return p;
}

}  // namespace shellwin
