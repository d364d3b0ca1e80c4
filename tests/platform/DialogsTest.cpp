#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/QtEvents.h"
#include "platform/testing/ScratchFolder.h"

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

TEST(DialogsTest, TheFolderTheCallerSetWinsOverTheFolderOfTheFileName) {
  struct Case {
    const char* initialDir;
    const char* fileName;
    const char* folder;
    const char* name;
  } cases[] = {
      {"/work/PROJECTS/B", "/work/PROJECTS/A/GATEWAY.mib", "/work/PROJECTS/B", "GATEWAY.mib"},
      {"/work/PROJECTS/B", "GATEWAY.mib", "/work/PROJECTS/B", "GATEWAY.mib"},
      {"/work/PROJECTS/B", "", "/work/PROJECTS/B", ""},
      {"", "/work/PROJECTS/A/GATEWAY.mib", "/work/PROJECTS/A", "GATEWAY.mib"},
      {"", "/GATEWAY.mib", "/", "GATEWAY.mib"},
      {"", "GATEWAY.mib", "", "GATEWAY.mib"},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    const TFileDialogStart start = FileDialogStart(S(c.initialDir), S(c.fileName));
    EXPECT_EQ(start.Folder, S(c.folder)) << c.initialDir << " + " << c.fileName;
    EXPECT_EQ(start.Name, S(c.name)) << c.initialDir << " + " << c.fileName;
  }
}

TEST(DialogsTest, ASecondShowingOpensInTheFolderSetForIt) {
  ModalScript script;
  TSaveDialog dlg(nullptr);
  dlg.SetDefaultExt(u"*.mib");
  dlg.SetInitialDir(u"/work/PROJECTS/A");
  script.AnswerFileDialog(u"/elsewhere/agent");
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.FileName(), u"/elsewhere/agent.mib");
  dlg.SetInitialDir(u"/work/PROJECTS/B");
  script.CancelFileDialog();
  EXPECT_FALSE(dlg.Execute());
  ASSERT_EQ(script.FileDialogs().size(), 2u);
  const TFileDialogRequest& second = script.FileDialogs()[1];
  const TFileDialogStart start = FileDialogStart(second.InitialDir, second.FileName);
  EXPECT_EQ(start.Folder, u"/work/PROJECTS/B");
  EXPECT_EQ(start.Name, u"agent.mib");
}

TEST(DialogsTest, TheFileDialogShownOpensInTheFolderTheCallerSet) {
  namespace fs = std::filesystem;
  TScratchFolder root("dialog_start");
  const fs::path project = root / "PROJECTS" / "B";
  const fs::path last = root / "saved";
  fs::create_directories(project);
  fs::create_directories(last);
  struct Case {
    const char* what;
    fs::path initialDir;
    fs::path fileName;
    fs::path folder;
  } cases[] = {
      {"folder set, last file elsewhere", project, last / "GATEWAY.mib", project},
      {"folder set, bare name", project, "GATEWAY.mib", project},
      {"no folder set: the last file's", fs::path(), last / "GATEWAY.mib", last},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TSaveDialog dlg(nullptr);
    dlg.SetFilter(u"Management Information Base (*.mib)|*.mib");
    dlg.SetInitialDir(FromPath(c.initialDir));
    dlg.SetFileName(FromPath(c.fileName));
    const qtevents::ShownFileDialog shown = qtevents::ExecuteFileDialogAndCancel(dlg);
    ASSERT_TRUE(shown.Shown);
    EXPECT_EQ(StringToUtf8(shown.Folder), c.folder.string());
    EXPECT_EQ(shown.Name, u"GATEWAY.mib");
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
