#include "platform/Process.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/Files.h"
#include "platform/testing/ScratchFolder.h"

namespace {

class ProcessTest : public ::testing::Test {
 protected:
  std::string Read(const char* name) {
    std::string out;
    EXPECT_TRUE(ReadFileBytes(PathJoin(dir_, S(name)), out));
    return out;
  }
  TScratchFolder scratch_{"process"};
  String dir_ = scratch_.Folder();
};

// Only the read end reaches the child; it sees end of file once the test closes the write end.
void ChildReadablePipe(int fds[2]) {
  ASSERT_EQ(pipe2(fds, O_CLOEXEC), 0);
  ASSERT_EQ(fcntl(fds[0], F_SETFD, 0), 0);
}

bool ProcEntryExists(pid_t pid) {
  return DirectoryExists(S("/proc/" + std::to_string(pid)));
}

TEST_F(ProcessTest, ExitingChildReportsItsExitCode) {
  struct Case {
    const char* script;
    int code;
  } cases[] = {{"exit 0", 0}, {"exit 3", 3}, {"exit 255", 255}, {"kill -9 $$", 128 + SIGKILL}};
  for (const Case& c : cases) {
    String error;
    auto p = TProcess::Start(u"/bin/sh", {u"-c", S(c.script)}, dir_, &error);
    ASSERT_TRUE(p) << StringToUtf8(error);
    EXPECT_TRUE(p->WaitFor(60000)) << c.script;
    EXPECT_FALSE(p->Running());
    EXPECT_EQ(p->ExitCode(), c.code) << c.script;
    // Reaped: the pid is no longer our child.
    EXPECT_EQ(waitpid(p->Pid(), nullptr, WNOHANG), -1);
  }
}

TEST_F(ProcessTest, ArgumentsAndWorkingFolderReachTheChild) {
  String error;
  auto p = TProcess::Start(u"sh", {u"-c", u"pwd > out.txt; printf '%s|' \"$@\" >> out.txt", u"sh",
                                   u"a b", u"", S("\xc3\xa9")},
                           dir_, &error);
  ASSERT_TRUE(p) << StringToUtf8(error);
  ASSERT_TRUE(p->WaitFor(60000));
  EXPECT_EQ(p->ExitCode(), 0);
  char real[4096];
  ASSERT_TRUE(realpath(StringToUtf8(dir_).c_str(), real));
  EXPECT_EQ(Read("out.txt"), std::string(real) + "\na b||\xc3\xa9|");
}

TEST_F(ProcessTest, StartFailuresAreReportedWithTheReason) {
  struct Case {
    String exe;
    String dir;
    const char* mention;
  } cases[] = {
      {u"/no/such/program", u"", "/no/such/program"},
      {u"no-such-program-in-path", u"", "no-such-program-in-path"},
      {u"/bin/sh", u"/no/such/folder", "/no/such/folder"},
      {u"", u"", ""},
  };
  for (const Case& c : cases) {
    String error;
    auto p = TProcess::Start(c.exe, {u"-c", u"exit 0"}, c.dir, &error);
    EXPECT_FALSE(p);
    EXPECT_FALSE(error.empty());
    EXPECT_NE(StringToUtf8(error).find(c.mention), std::string::npos) << StringToUtf8(error);
  }
}

TEST_F(ProcessTest, ChildOutlivingTheLimitIsLeftRunningAndReapedLater) {
  // The child blocks until the test closes the write end of this pipe.
  int fds[2] = {-1, -1};
  ChildReadablePipe(fds);
  ASSERT_GE(fds[1], 0);
  const std::string script = "read line <&" + std::to_string(fds[0]) + "; exit 5";
  String error;
  auto p = TProcess::Start(u"/bin/sh", {u"-c", S(script)}, u"", &error);
  ASSERT_TRUE(p) << StringToUtf8(error);
  const pid_t pid = p->Pid();

  EXPECT_FALSE(p->WaitFor(20));  // the limit passes, the child goes on
  EXPECT_TRUE(p->Running());
  EXPECT_EQ(p->ExitCode(), -1);
  p.reset();  // left running, not killed
  EXPECT_TRUE(ProcEntryExists(pid));
  EXPECT_EQ(TProcess::ReapLeftChildren(), 1);

  close(fds[1]);
  close(fds[0]);
  // Wait for the end without reaping, so the reaper has work to do.
  siginfo_t info{};
  ASSERT_EQ(waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT), 0);
  EXPECT_EQ(info.si_status, 5);
  EXPECT_TRUE(ProcEntryExists(pid));  // a zombie until reaped

  EXPECT_EQ(TProcess::ReapLeftChildren(), 0);
  EXPECT_FALSE(ProcEntryExists(pid));
  EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), -1);
}

TEST_F(ProcessTest, LeftChildrenAreReapedByTheNextStart) {
  int fds[2] = {-1, -1};
  ChildReadablePipe(fds);
  ASSERT_GE(fds[1], 0);
  String error;
  auto p = TProcess::Start(u"/bin/sh", {u"-c", S("read line <&" + std::to_string(fds[0]))}, u"", &error);
  ASSERT_TRUE(p) << StringToUtf8(error);
  const pid_t pid = p->Pid();
  p.reset();
  close(fds[1]);
  close(fds[0]);
  siginfo_t info{};
  ASSERT_EQ(waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT), 0);

  auto next = TProcess::Start(u"/bin/sh", {u"-c", u"exit 0"}, u"", &error);
  ASSERT_TRUE(next);
  EXPECT_FALSE(ProcEntryExists(pid));
  EXPECT_TRUE(next->WaitFor(60000));
}

}  // namespace
