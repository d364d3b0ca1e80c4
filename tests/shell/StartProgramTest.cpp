#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "ShellTestSupport.h"
#include "platform/Process.h"
#include "platform/TimeSource.h"
#include "shell/UComon.h"

using shelltest::ReadBytes;
using shelltest::WriteBytes;

namespace {

// Each tick read advances a virtual counter by 10 ms, so the wait limit is reached after a known
// number of polls whatever the machine's speed; the count of reads tells how long the wait was.
class StartProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    shelltest::ResetState(dir_.Folder());
    SetTestTicks([this] {
      ++reads_;
      ticks_ += 10;
      return ticks_;
    });
  }
  void TearDown() override {
    ResetTimeSources();
    Set_Start_Program_Limit(Start_Program_Default_Limit_Ms);
  }
  String Script(const std::string& name, const std::string& body) {
    const auto p = dir_ / name;
    WriteBytes(p, "#!/bin/sh\n" + body);
    ::chmod(p.c_str(), 0755);
    return Utf8ToString(p.string());
  }
  TScratchFolder dir_;
  uint32_t ticks_ = 0xFFFFFF00u;  // the counter wraps past zero during the wait
  int reads_ = 0;
};

bool Alive(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const auto close = line.rfind(')');
  return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

TEST_F(StartProgram, QuickChildReturnsWithinAFewPolls) {
  const String exe = Script("quick.sh", "pwd > \"$1\"\necho \"$2|$3\" >> \"$1\"\n");
  const auto out = dir_ / "out file.txt";
  Start_Program(exe, u"\"" + Utf8ToString(out.string()) + u"\" two \"three and \"\"four\"\"\"", 0);
  EXPECT_LT(reads_, 50);  // a few polls: the program ended long before any limit
  // Started in the program folder, with the parameter text split into arguments.
  EXPECT_EQ(ReadBytes(out), dir_.Path().string() + "\ntwo|three and \"four\"\n");
}

TEST_F(StartProgram, SlowChildIsLeftRunningAtTheLimitAndReapedLater) {
  Set_Start_Program_Limit(300);
  // The child runs until the test releases it through a pipe.
  const auto gate = dir_ / "gate";
  ASSERT_EQ(::mkfifo(gate.c_str(), 0600), 0);
  const auto pidFile = dir_ / "pid";
  const String exe = Script("slow.sh", "echo $$ > \"$1.tmp\" && mv \"$1.tmp\" \"$1\"\nexec cat \"$2\" > /dev/null\n");
  Start_Program(exe, Utf8ToString(pidFile.string()) + u" " + Utf8ToString(gate.string()), 1);
  // Returned once 300 virtual ms had passed (about 30 polls), across the counter's wrap.
  EXPECT_GE(reads_, 30);
  EXPECT_LE(reads_, 40);
  ResetTimeSources();
  for (int i = 0; i < 1000 && !std::filesystem::exists(pidFile); ++i) ::usleep(10000);
  const pid_t pid = std::stoi(ReadBytes(pidFile));
  EXPECT_TRUE(Alive(pid));
  EXPECT_GE(TProcess::ReapLeftChildren(), 1);
  // Release it; once it ends the platform reaps it and no zombie stays behind.
  { std::ofstream(gate) << "go"; }
  for (int i = 0; i < 1000 && TProcess::ReapLeftChildren() > 0; ++i) ::usleep(10000);
  EXPECT_EQ(TProcess::ReapLeftChildren(), 0);
  EXPECT_FALSE(std::filesystem::exists("/proc/" + std::to_string(pid)));
}

TEST_F(StartProgram, MissingProgramReturnsAtOnce) {
  Start_Program(Utf8ToString((dir_ / "Ethernet_Update.exe").string()), u"", 0);
  EXPECT_EQ(reads_, 0);
}

TEST(StartProgramParameters, SplitLikeACommandLine) {
  const struct {
    const char16_t* Text;
    std::vector<String> Args;
  } kCases[] = {
      {u"", {}},
      {u"   ", {}},
      {u"a b  c", {u"a", u"b", u"c"}},
      {u"\"a b\" c", {u"a b", u"c"}},
      {u"x\"y z\"w", {u"xy zw"}},
      {u"\"\"", {u""}},
      {u"\"say \"\"hi\"\"\"", {u"say \"hi\""}},
      {u"\"open", {u"open"}},
  };
  for (const auto& c : kCases) EXPECT_EQ(Split_Parameters(c.Text), c.Args) << StringToUtf8(c.Text);
}

}  // namespace
