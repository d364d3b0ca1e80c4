#include <gtest/gtest.h>

#include "platform/Dialogs.h"
#include "platform/testing/ModalScript.h"

namespace {

TEST(DialogsTest, FilterStringsSplitIntoDescriptionsAndPatterns) {
  auto f = ParseFileFilter(u"Management Information Base (*.mib)|*.mib|Text|*.txt;*.log|All|*.*");
  ASSERT_EQ(f.size(), 3u);
  EXPECT_EQ(f[0].Description, u"Management Information Base (*.mib)");
  EXPECT_EQ(f[0].Patterns, std::vector<String>{u"*.mib"});
  EXPECT_EQ(f[1].Patterns, (std::vector<String>{u"*.txt", u"*.log"}));
  EXPECT_EQ(f[2].Patterns, std::vector<String>{u"*.*"});
  EXPECT_TRUE(ParseFileFilter(u"").empty());
}

TEST(DialogsTest, SaveDialogAddsTheDefaultExtensionOnlyWhenMissing) {
  struct Case {
    const char* defaultExt;
    const char* chosen;
    const char* expected;
  } cases[] = {
      {"*.mib", "/tmp/agent", "/tmp/agent.mib"},
      {".mib", "/tmp/agent", "/tmp/agent.mib"},
      {"mib", "/tmp/agent", "/tmp/agent.mib"},
      {"*.mib", "/tmp/agent.txt", "/tmp/agent.txt"},
      {"*.mib", "/tmp/dir.d/agent", "/tmp/dir.d/agent.mib"},
      {"", "/tmp/agent", "/tmp/agent"},
  };
  for (const Case& c : cases) {
    ModalScript script;
    TSaveDialog dlg(nullptr);
    dlg.SetFilter(u"Management Information Base (*.mib)|*.mib");
    dlg.SetDefaultExt(S(c.defaultExt));
    dlg.SetInitialDir(u"/tmp");
    script.AnswerFileDialog(S(c.chosen));
    ASSERT_TRUE(dlg.Execute()) << c.chosen;
    EXPECT_EQ(dlg.FileName(), S(c.expected)) << c.defaultExt << " " << c.chosen;
    ASSERT_EQ(script.FileDialogs().size(), 1u);
    EXPECT_TRUE(script.FileDialogs()[0].Save);
    EXPECT_EQ(script.FileDialogs()[0].InitialDir, u"/tmp");
  }
}

TEST(DialogsTest, CancelledDialogKeepsTheFileName) {
  ModalScript script;
  TOpenDialog dlg(nullptr);
  dlg.SetFileName(u"before.csv");
  script.CancelFileDialog();
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(dlg.FileName(), u"before.csv");
  EXPECT_FALSE(script.FileDialogs()[0].Save);
}

TEST(DialogsTest, UrlsAndProgramsGoThroughTheSeam) {
  ModalScript script;
  EXPECT_TRUE(OpenURL(u"http://example.invalid/Home/download/download.asp#MX40001"));
  script.AnswerProgram(TProgramResult{true, false, -1, String()});
  TProgramResult r = Application->StartProgram(u"/opt/Ethernet_Update.exe", {u"a"}, u"/opt", 150000);
  EXPECT_TRUE(r.Started);
  EXPECT_FALSE(r.Finished);
  ASSERT_EQ(script.OpenedUrls().size(), 1u);
  EXPECT_EQ(script.OpenedUrls()[0], u"http://example.invalid/Home/download/download.asp#MX40001");
  ASSERT_EQ(script.StartedPrograms().size(), 1u);
  EXPECT_EQ(script.StartedPrograms()[0].Exe, u"/opt/Ethernet_Update.exe");
  EXPECT_EQ(script.StartedPrograms()[0].WaitMs, 150000u);
}

TEST(DialogsTest, UnansweredBoxesTakeTheirSafeButton) {
  ModalScript script;
  EXPECT_EQ(MessageDlg(u"a", mtConfirmation, mbYesNoCancel), mrCancel);
  EXPECT_EQ(MessageDlg(u"b", mtConfirmation, mbYesNo), mrNo);
  EXPECT_EQ(MessageDlg(u"c", mtWarning, TMsgDlgButtons{mbOK}), mrOk);
  ShowMessage(u"d");
  EXPECT_EQ(script.Unanswered(), 4);
  EXPECT_EQ(script.Messages().back().Text, u"d");
}

TEST(DialogsTest, ScriptsNestAndRestoreThePreviousSeam) {
  ModalScript outer;
  {
    ModalScript inner;
    EXPECT_EQ(Application->ModalSeam(), &inner);
  }
  EXPECT_EQ(Application->ModalSeam(), &outer);
}

}  // namespace
