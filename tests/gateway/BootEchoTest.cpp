// The update dialog against real echoes (this machine's loopback, or the loopback of a network
// namespace made here whose echo is switched off) and a stand-in updater program.
#include <signal.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "platform/testing/ModalScript.h"
#include "tests/gateway/BootTestSupport.h"
#include "tests/support/EchoTestSupport.h"

using namespace boot_test;
using echo_test::ScopedNetNamespace;

namespace {

// Whether this user may send ICMP echo here and the loopback answers it.
bool Loopback_Echo_Works(std::string& why) {
  TIcmpEchoClient probe(nullptr);
  probe.SetHost(u"127.0.0.1");
  probe.SetReceiveTimeout(1000);
  bool answered = false;
  probe.OnReply = [&](TComponent*, const TReplyStatus& r) { answered = r.ReplyStatusType == rsEcho; };
  try {
    probe.Ping(u"127.0.0.1");
  } catch (const EIcmpError& e) {
    why = "no ICMP socket for this user: " + StringToUtf8(e.Message());
    return false;
  }
  if (!answered) why = "the loopback of this machine ignores echo";
  return answered;
}

// Answers the message boxes like ModalScript, but really starts the program.
class RealProgramScript : public ModalScript {
 public:
  TProgramResult StartProgram(const TProgramRequest& Request) override {
    ModalScript::StartProgram(Request);  // recorded
    TModalSeam* self = Application->ModalSeam();
    Application->SetModalSeam(nullptr);
    TProgramResult r = Application->StartProgram(Request.Exe, Request.Args, Request.WorkDir, Request.WaitMs);
    Application->SetModalSeam(self);
    return r;
  }
};

}  // namespace

TEST_F(BootTest, LoopbackAnswersAndTheCheckPasses) {
  std::string why;
  if (!Loopback_Echo_Works(why)) GTEST_SKIP() << why;
  Set_Address(u"127", u"0", u"0", u"1");
  const uint32_t start = GetTickCount();
  EXPECT_TRUE(form->Send_Ping());
  EXPECT_EQ(form->ping_res, 1);
  EXPECT_EQ(form->Ping->EchoesSent(), 2);
  // Two answered echoes end the check long before its 5 s.
  EXPECT_LT(TicksElapsed(start, GetTickCount()), Boot_Echo_Total_Ms);
}

TEST_F(BootTest, SilentTargetFailsAfterFiveSecondsWithTheWarning) {
  ScopedNetNamespace ns;
  std::string why;
  if (!ns.Enter(why)) GTEST_SKIP() << why;
  ASSERT_TRUE(ScopedNetNamespace::Sysctl("/proc/sys/net/ipv4/icmp_echo_ignore_all", "1"));
  Set_Address(u"127", u"0", u"0", u"1");
  ModalScript script;
  const uint32_t start = GetTickCount();
  form->Btn_UpdateClick(form->Btn_Update);
  EXPECT_GT(TicksElapsed(start, GetTickCount()), Boot_Echo_Total_Ms);
  EXPECT_EQ(form->ping_res, 2);
  EXPECT_GE(form->Ping->EchoesSent(), 2);
  EXPECT_LE(form->Ping->EchoesSent(), 14);  // at least 400 ms per unanswered echo
  ASSERT_EQ(script.Messages().size(), 1u);
  EXPECT_EQ(script.Messages()[0].Type, mtWarning);
  EXPECT_EQ(StringToUtf8(script.Messages()[0].Text), Text(1636));
  EXPECT_FALSE(std::filesystem::exists(Script_Path()));
  EXPECT_TRUE(script.StartedPrograms().empty());
}

TEST_F(BootTest, NameInTheFirstEditFailsAtOnceAndSendsNothing) {
  Set_Address(u"abc", u"0", u"0", u"1");
  ModalScript script;
  const uint32_t start = GetTickCount();
  form->Btn_UpdateClick(form->Btn_Update);
  EXPECT_LT(TicksElapsed(start, GetTickCount()), Boot_Echo_Timeout_Ms);
  EXPECT_EQ(form->Ping->EchoesSent(), 0);
  EXPECT_EQ(form->Ping->SocketKind(), iskNone);
  EXPECT_EQ(form->ping_res, 0);
  ASSERT_EQ(script.Messages().size(), 1u);
  EXPECT_EQ(script.Messages()[0].Type, mtError);
  EXPECT_EQ(StringToUtf8(script.Messages()[0].Text), Text(1637));
  EXPECT_FALSE(std::filesystem::exists(Script_Path()));
}

namespace {

class BootUpdater : public BootTest {
 protected:
  void SetUp() override {
    BootTest::SetUp();
    fake = std::make_unique<TFakeEcho>(std::vector<int>{0, 0});
    form->Use_Echo_Client(fake.get());
    Set_Address(u"10", u"0", u"0", u"7");
  }
  void TearDown() override {
    if (leftPid_ > 0) {
      ::kill(leftPid_, SIGKILL);
      // The shell's sleep outlives it and holds the test's output open for its whole length.
      const int sleeper = std::atoi(Read_File(dir_ / "sleeper").c_str());
      if (sleeper > 0) ::kill(sleeper, SIGKILL);
    }
    form->Use_Echo_Client(nullptr);
    BootTest::TearDown();
  }
  // A stand-in updater: notes its folder and the script it finds, sleeps, then notes its end. The
  // sleep's own id is noted before the shell's, so a test that saw "pid" can end both.
  void Install_Updater(const std::string& sleepSeconds) {
    const auto exe = dir_ / "Ethernet_Update.exe";
    std::ofstream(exe) << "#!/bin/sh\n"
                          "sleep " << sleepSeconds << " &\n"
                          "echo $! > sleeper\n"
                          "echo $$ > pid\n"
                          "pwd > cwd\n"
                          "cp Ethernet_Update.xml seen.xml\n"
                          "wait $!\n"
                          "echo done > ended\n";
    ::chmod(exe.c_str(), 0755);
  }
  void Wait_For_File(const std::filesystem::path& p) {
    for (int i = 0; i < 500 && !std::filesystem::exists(p); ++i) ::usleep(10000);
  }
  std::unique_ptr<TFakeEcho> fake;
  pid_t leftPid_ = -1;
};

}  // namespace

TEST_F(BootUpdater, StartedAfterTheScriptIsWrittenAndAwaited) {
  Install_Updater("0.2");
  RealProgramScript script;
  form->Btn_UpdateClick(form->Btn_Update);
  EXPECT_TRUE(script.Messages().empty());
  ASSERT_EQ(script.StartedPrograms().size(), 1u);
  // The wait lasted until the updater's end.
  EXPECT_EQ(Read_File(dir_ / "ended"), "done\n");
  EXPECT_EQ(Read_File(dir_ / "cwd"), dir_.Path().string() + "\n");
  const std::string script_text = Read_File(Script_Path());
  ASSERT_FALSE(script_text.empty());
  EXPECT_EQ(Read_File(dir_ / "seen.xml"), script_text);
}

TEST_F(BootUpdater, ShortLimitReturnsWhileTheUpdaterStillRuns) {
  Install_Updater("30");
  Set_Start_Program_Limit(300);
  RealProgramScript script;
  form->Btn_UpdateClick(form->Btn_Update);
  ASSERT_EQ(script.StartedPrograms().size(), 1u);
  EXPECT_EQ(script.StartedPrograms()[0].WaitMs, 300u);
  EXPECT_TRUE(script.Messages().empty());
  Wait_For_File(dir_ / "pid");
  leftPid_ = std::atoi(Read_File(dir_ / "pid").c_str());
  ASSERT_GT(leftPid_, 0);
  EXPECT_EQ(::kill(leftPid_, 0), 0) << "the updater is left running";
  EXPECT_FALSE(std::filesystem::exists(dir_ / "ended"));
}

TEST_F(BootUpdater, MissingUpdaterGivesTheErrorBox) {
  RealProgramScript script;
  form->Btn_UpdateClick(form->Btn_Update);
  ASSERT_EQ(script.Messages().size(), 1u);
  EXPECT_EQ(script.Messages()[0].Type, mtError);
  EXPECT_EQ(StringToUtf8(script.Messages()[0].Text).rfind(Text(1638) + dir_.Path().string() + "/Ethernet_Update.exe", 0), 0u);
  EXPECT_TRUE(std::filesystem::exists(Script_Path()));
}

TEST_F(BootUpdater, ScriptThatCannotBeWrittenIsReportedAndNothingStarts) {
  Install_Updater("0");
  std::filesystem::create_directory(Script_Path());  // a folder where the script should go
  RealProgramScript script;
  Application->Guard(form->Btn_Update, [&] { form->Btn_UpdateClick(form->Btn_Update); });
  ASSERT_EQ(script.Messages().size(), 1u);
  EXPECT_EQ(script.Messages()[0].Type, mtError);
  EXPECT_TRUE(script.StartedPrograms().empty());
  EXPECT_TRUE(form->Btn_Update->Enabled());
}
