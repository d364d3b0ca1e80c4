#pragma once
// Starting an external program and waiting for it. A child still running when its TProcess
// is destroyed is left running and reaped later from a process-wide list, polled on every
// Start and Running (WaitFor polls through Running) and by ReapLeftChildren(); no SIGCHLD
// handler is installed, so other waits in the program are not disturbed.
#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/UString.h"

class TProcess {
 public:
  // `exe` with a '/' is run as given, otherwise looked up in PATH. An empty `workDir` keeps
  // the current folder. nullptr on failure, with the reason in *error when given.
  static std::unique_ptr<TProcess> Start(const String& exe, const std::vector<String>& args,
                                         const String& workDir, String* error);
  ~TProcess();  // never kills; a running child goes to the reaper list
  TProcess(const TProcess&) = delete;
  TProcess& operator=(const TProcess&) = delete;

  bool Running();                // polls without blocking, reaps when ended
  // Exit status; 128 + signal when killed; -1 while running (or when something else reaped it).
  int ExitCode() const;
  bool WaitFor(uint32_t ms);     // true when ended within `ms`
  pid_t Pid() const { return pid_; }

  // Reaps the left-running children that have ended; returns how many are still running.
  static int ReapLeftChildren();

 private:
  explicit TProcess(pid_t pid) : pid_(pid) {}
  pid_t pid_ = -1;
  bool ended_ = false;
  int exitCode_ = -1;
};
