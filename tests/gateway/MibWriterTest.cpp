#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <sys/wait.h>

#include "gateway/TableFile.h"
#include "gateway/USNMP_MIB.h"
#include "platform/Classes.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/testing/ModalScript.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "platform/testing/ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

const std::string kMib = std::string(CONF_FIXTURES) + "/gateway/mib/";

std::string ReadAll(const fs::path& p) {
  std::string out;
  ReadFileBytes(FromPath(p), out);
  return out;
}

struct RunResult {
  int rc = -1;
  std::string output;
};

// Runs a shell command, stdout and stderr together.
RunResult RunTool(const std::string& cmd) {
  RunResult r;
  FILE* p = popen((cmd + " 2>&1").c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf{};
  size_t n = 0;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.output.append(buf.data(), n);
  const int status = pclose(p);
  r.rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

bool HaveTool(const char* name) { return RunTool(std::string("command -v ") + name).rc == 0; }

class MibWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Strings();
    savedPath_ = Path_SNMP_Trap;
    Path_SNMP_Trap = S(kMib + "SNMP_Trap.xml");
  }
  void TearDown() override {
    Path_SNMP_Trap = savedPath_;
  }

  // Replaces the description lists as if they had been read from a file.
  static void SetLists(std::vector<String> read, std::vector<String> write) {
    Read_SNMP_Trap_Descriptions_From(u"/nonexistent/SNMP_Trap.xml");
    for (const String& d : read) {
      MIB_Read_Descriptions->Add(d);
      MIB_Read_Int_Flags.push_back(1);
    }
    for (const String& d : write) {
      MIB_Write_Descriptions->Add(d);
      MIB_Write_Int_Flags.push_back(0);
    }
  }

  TScratchFolder dir_{"mib"};
  String savedPath_;
};

}  // namespace

TEST_F(MibWriterTest, ModuleFromTheFixtureEqualsTheGoldenFile) {
  const fs::path out = dir_ / "out.mib";
  Create_SNMP_MIB_File(FromPath(out));
  EXPECT_EQ(ReadAll(out), ReadAll(kMib + "GATEWAY.mib"));

  // Enabled rows in file order, also past a row with an empty community.
  ASSERT_EQ(MIB_Read_Descriptions->Count(), 5);
  EXPECT_EQ(MIB_Read_Descriptions->Strings(4), u"afterBlank");
  EXPECT_EQ(MIB_Read_Int_Flags, (std::vector<uint8_t>{1, 0, 1, 0, 1}));
  ASSERT_EQ(MIB_Write_Descriptions->Count(), 2);
  EXPECT_EQ(MIB_Write_Int_Flags, (std::vector<uint8_t>{1, 0}));
}

TEST_F(MibWriterTest, NoObjectsGiveTheFixedLinesAndEnd) {
  const std::string golden = ReadAll(kMib + "GATEWAY_empty.mib");
  // No file at all, then a file whose rows are all disabled.
  Path_SNMP_Trap = FromPath(dir_ / "SNMP_Trap.xml");
  Create_SNMP_MIB_File(FromPath(dir_ / "a.mib"));
  EXPECT_EQ(ReadAll(dir_ / "a.mib"), golden);

  ASSERT_TRUE(WriteFileBytes(Path_SNMP_Trap,
                             "<SNMP_Trap><SNMP_Trap_Read><row Enable=\"N\" Description=\"x\"/></SNMP_Trap_Read>"
                             "<SNMP_Trap_Write/></SNMP_Trap>"));
  Create_SNMP_MIB_File(FromPath(dir_ / "b.mib"));
  EXPECT_EQ(ReadAll(dir_ / "b.mib"), golden);
}

TEST_F(MibWriterTest, BrokenTableFileWritesNoModule) {
  Path_SNMP_Trap = FromPath(dir_ / "SNMP_Trap.xml");
  const fs::path out = dir_ / "out.mib";
  ASSERT_TRUE(WriteFileBytes(Path_SNMP_Trap, "<SNMP_Trap><SNMP_Trap_Read/></SNMP_Trap>"));
  EXPECT_THROW(Create_SNMP_MIB_File(FromPath(out)), ETableFileMissingSection);
  ASSERT_TRUE(WriteFileBytes(Path_SNMP_Trap, "<SNMP_Trap><SNMP_Trap_Read>"));
  EXPECT_THROW(Create_SNMP_MIB_File(FromPath(out)), ETableFileMalformed);
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(MibWriterTest, DescriptionsThatWouldBreakTheModuleAreRefused) {
  struct Case {
    std::vector<String> read, write;
    int text;  // UI text of the refusal, 0 = accepted
    const char16_t* named;
  };
  const Case cases[] = {
      {{u"temp", u"label"}, {u"setp"}, 0, u""},
      {{u"tempA", u"tempa"}, {}, 0, u""},              // differ in case only: distinct names
      {{u"trapval3"}, {}, 0, u""},                     // no third notification exists
      {{u"", u"x"}, {u""}, 0, u""},                    // empty ones get bufferinval1 / bufferoutval1
      {{u"data"}, {}, 1508, u"data"},
      {{u"traps"}, {}, 1508, u"traps"},
      {{u"bufferinblk3"}, {}, 1508, u"bufferinblk3"},
      {{u"identity"}, {}, 1508, u"identity"},
      {{u"a", u"trapval1"}, {}, 1508, u"trapval1"},
      {{u"bufferinval2", u""}, {}, 1508, u"bufferinval2"},
      {{u"temp"}, {u"temp"}, 1508, u"temp"},          // read and write share one name space
      {{}, {u"bufferoutval1", u""}, 0, u""},          // write row 2 is bufferoutval2
      {{}, {u"bufferoutval2", u""}, 1508, u"bufferoutval2"},
      {{u"current"}, {}, 1507, u"current"},
      {{u"mandatory"}, {}, 1507, u"mandatory"},
      {{u"enterprises"}, {}, 1507, u"enterprises"},
      {{u"iso"}, {}, 1507, u"iso"},
      {{u"Temp"}, {}, 1506, u"Temp"},
      {{u"9lives"}, {}, 1506, u"9lives"},
      {{u"a_b"}, {}, 1506, u"a_b"},
      {{u"a b"}, {}, 1506, u"a b"},
      {{u"quo\"te"}, {}, 1506, u"quo\"te"},
      {{String(64, u'a')}, {}, 0, u""},
      {{String(65, u'a')}, {}, 1506, u""},
  };
  for (const Case& c : cases) {
    SetLists(c.read, c.write);
    SCOPED_TRACE(StringToUtf8(c.read.empty() ? String() : c.read.back()));
    const String msg = Check_MIB_Descriptions();
    const fs::path out = dir_ / "out.mib";
    fs::remove(out);
    if (c.text == 0) {
      EXPECT_EQ(msg, u"");
      EXPECT_NO_THROW(Save_SNMP_MIB(FromPath(out)));
      EXPECT_TRUE(fs::exists(out));
    } else {
      String expected = Language_List->Strings(c.text);
      const size_t p = expected.find(u"%s");
      ASSERT_NE(p, String::npos);
      if (*c.named) {
        expected.replace(p, 2, u"\"" + String(c.named) + u"\"");
        EXPECT_EQ(msg, expected);
      } else {
        EXPECT_EQ(msg.substr(0, p), expected.substr(0, p));
      }
      EXPECT_THROW(Save_SNMP_MIB(FromPath(out)), EMIBDescriptionError);
      EXPECT_FALSE(fs::exists(out));
    }
  }
}

TEST_F(MibWriterTest, EnabledRowsBeyondTheAgentTableHaveNoObject) {
  std::string xml = "<SNMP_Trap><SNMP_Trap_Read>";
  for (int i = 1; i <= MIB_Max_Objects + 3; ++i)
    xml += "<row Enable=\"Y\" Type=\"Int\" Description=\"v" + std::to_string(i) + "\"/>";
  xml += "</SNMP_Trap_Read><SNMP_Trap_Write/></SNMP_Trap>";
  Path_SNMP_Trap = FromPath(dir_ / "SNMP_Trap.xml");
  ASSERT_TRUE(WriteFileBytes(Path_SNMP_Trap, xml));
  Read_SNMP_Trap_Descriptions();
  EXPECT_EQ(MIB_Read_Descriptions->Count(), MIB_Max_Objects);
  EXPECT_EQ(MIB_Read_Int_Flags.size(), static_cast<size_t>(MIB_Max_Objects));
}

// ---- the written module checked by independent SMI parsers ----

TEST_F(MibWriterTest, SmilintFindsNoErrorInTheModule) {
  if (!HaveTool("smilint")) GTEST_SKIP() << "smilint is not installed";
  const fs::path out = dir_ / "GATEWAY.mib";
  Create_SNMP_MIB_File(FromPath(out));
  const std::string env = "SMIPATH=" + kMib + "base ";
  const RunResult ok = RunTool(env + "smilint -s -l 2 " + out.string());
  EXPECT_EQ(ok.output, "");
  EXPECT_EQ(ok.rc, 0);

  // The same check does catch a module that redefines its own identifiers.
  SetLists({u"data", u"x"}, {});
  const fs::path bad = dir_ / "BAD.mib";
  ASSERT_TRUE(WriteFileBytes(FromPath(bad), SNMP_MIB_Text()));
  const RunResult broken = RunTool(env + "smilint -s -l 2 " + bad.string());
  EXPECT_NE(broken.output.find("redefinition of identifier `data'"), std::string::npos) << broken.output;
}

TEST_F(MibWriterTest, SnmptranslateResolvesObjectsAndNotifications) {
  if (!HaveTool("snmptranslate")) GTEST_SKIP() << "snmptranslate is not installed";
  // net-snmp finds a module by the file's name in its search path.
  const fs::path mibs = dir_ / "mibs";
  fs::create_directories(mibs);
  fs::create_directories(dir_ / "persist" / "cert_indexes");  // else it reports creating them
  Create_SNMP_MIB_File(FromPath(mibs / "GATEWAY"));
  const std::string cmd = "SNMPCONFPATH=" + dir_.Path().string() + " SNMP_PERSISTENT_DIR=" + (dir_ / "persist").string() +
                          " snmptranslate -M " + kMib + "base:" + mibs.string() + " -m GATEWAY ";

  struct Case {
    const char* name;
    const char* oid;
  };
  const Case cases[] = {
      {"GATEWAY::identity", ".1.3.6.1.4.1.49314.2"},
      {"GATEWAY::countout", ".1.3.6.1.4.1.49314.1.1.1.3"},
      {"GATEWAY::temp", ".1.3.6.1.4.1.49314.1.1.1.4.9.1"},
      {"GATEWAY::afterBlank", ".1.3.6.1.4.1.49314.1.1.1.4.9.5"},
      {"GATEWAY::bufferinval3", ".1.3.6.1.4.1.49314.1.1.1.4.9.3"},
      {"GATEWAY::bufferoutblk8", ".1.3.6.1.4.1.49314.1.1.1.5.8"},
      {"GATEWAY::setp", ".1.3.6.1.4.1.49314.1.1.1.5.9.1"},
      {"GATEWAY::bufferoutval2", ".1.3.6.1.4.1.49314.1.1.1.5.9.2"},
      {"GATEWAY::trapval1", ".1.3.6.1.4.1.49314.1.1.2.1.1"},
      {"GATEWAY::trapval5", ".1.3.6.1.4.1.49314.1.1.2.1.5"},
  };
  for (const Case& c : cases) {
    const RunResult r = RunTool(cmd + "-On " + c.name);
    EXPECT_EQ(r.rc, 0) << c.name << ": " << r.output;
    EXPECT_EQ(r.output, std::string(c.oid) + "\n") << c.name;
  }
  // A notification carries the read object of its number.
  const RunResult d = RunTool(cmd + "-Td GATEWAY::trapval2");
  EXPECT_EQ(d.rc, 0) << d.output;
  EXPECT_NE(d.output.find("NOTIFICATION-TYPE"), std::string::npos) << d.output;
  EXPECT_NE(d.output.find("OBJECTS\t{ label }"), std::string::npos) << d.output;
  EXPECT_EQ(d.output.find("Cannot"), std::string::npos) << d.output;
}

// ---- the step with its dialogs ----

TEST_F(MibWriterTest, StepAsksForTheFileAndBeforeOverwriting) {
  struct FolderGuard {
    String saved = Project_Folder;
    ~FolderGuard() { Project_Folder = saved; }
  } guard;
  Project_Folder = dir_.Folder();
  const fs::path out = dir_ / "GATEWAY.mib";
  const std::string golden = ReadAll(kMib + "GATEWAY.mib");
  TSaveDialog SaveMIB(nullptr);

  {  // Cancel: nothing happens.
    ModalScript script;
    script.CancelFileDialog();
    Create_SNMP_MIB(SaveMIB);
    ASSERT_EQ(script.FileDialogs().size(), 1u);
    EXPECT_TRUE(script.FileDialogs()[0].Save);
    EXPECT_EQ(script.FileDialogs()[0].InitialDir, dir_.Folder());
    EXPECT_EQ(script.FileDialogs()[0].Filter, u"Management Information Base (*.mib)|*.mib");
    EXPECT_TRUE(script.Messages().empty());
    EXPECT_FALSE(fs::exists(out));
  }
  {  // A new file is written without a question.
    ModalScript script;
    script.AnswerFileDialog(FromPath(out));
    Create_SNMP_MIB(SaveMIB);
    EXPECT_TRUE(script.Messages().empty());
    EXPECT_EQ(ReadAll(out), golden);
  }
  {  // An existing file: No leaves it untouched.
    ASSERT_TRUE(WriteFileBytes(FromPath(out), "old"));
    ModalScript script;
    script.AnswerFileDialog(FromPath(out));
    script.ExpectMessage(mrNo);
    Create_SNMP_MIB(SaveMIB);
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].Type, mtConfirmation);
    EXPECT_EQ(script.Messages()[0].Text, u"File already exists. Do you want to overwrite?");
    EXPECT_TRUE(script.Messages()[0].Buttons == mbYesNo);
    EXPECT_EQ(ReadAll(out), "old");
  }
  {  // Yes overwrites it.
    ModalScript script;
    script.AnswerFileDialog(FromPath(out));
    script.ExpectMessage(mrYes);
    Create_SNMP_MIB(SaveMIB);
    EXPECT_EQ(ReadAll(out), golden);
  }
  {  // A description that would break the module: error box, old file kept.
    ASSERT_TRUE(WriteFileBytes(FromPath(out), "old"));
    Path_SNMP_Trap = FromPath(dir_ / "SNMP_Trap.xml");
    ASSERT_TRUE(WriteFileBytes(Path_SNMP_Trap,
                               "<SNMP_Trap><SNMP_Trap_Read><row Enable=\"Y\" Description=\"traps\"/></SNMP_Trap_Read>"
                               "<SNMP_Trap_Write/></SNMP_Trap>"));
    ModalScript script;
    script.AnswerFileDialog(FromPath(out));
    script.ExpectMessage(mrYes);
    Create_SNMP_MIB(SaveMIB);
    ASSERT_EQ(script.Messages().size(), 2u);
    EXPECT_EQ(script.Messages()[1].Type, mtError);
    EXPECT_NE(script.Messages()[1].Text.find(u"\"traps\""), String::npos);
    EXPECT_EQ(ReadAll(out), "old");
  }
}

TEST_F(MibWriterTest, StepOpensInTheOpenConfigurationNotWhereTheLastModuleWent) {
  struct FolderGuard {
    String saved = Project_Folder;
    ~FolderGuard() { Project_Folder = saved; }
  } guard;
  const fs::path first = dir_ / "first";
  const fs::path second = dir_ / "second";
  const fs::path elsewhere = dir_ / "elsewhere";
  for (const fs::path& d : {first, second, elsewhere}) fs::create_directories(d);
  TSaveDialog SaveMIB(nullptr);  // one dialog for the program's life, as the main window has
  ModalScript script;
  Project_Folder = FromPath(first);
  script.AnswerFileDialog(FromPath(elsewhere / "GATEWAY.mib"));
  Create_SNMP_MIB(SaveMIB);
  ASSERT_TRUE(fs::exists(elsewhere / "GATEWAY.mib"));
  // Another configuration is opened; the next module is offered in its folder.
  Project_Folder = FromPath(second);
  script.CancelFileDialog();
  Create_SNMP_MIB(SaveMIB);
  ASSERT_EQ(script.FileDialogs().size(), 2u);
  const TFileDialogRequest& r = script.FileDialogs()[1];
  const TFileDialogStart start = FileDialogStart(r.InitialDir, r.FileName);
  EXPECT_EQ(start.Folder, FromPath(second));
  EXPECT_EQ(start.Name, u"GATEWAY.mib");
}

TEST_F(MibWriterTest, RefusalNeedsNoLoadedText) {
  SetLists({u"data"}, {});
  Language_List->SetStrings(1508, String());  // a language file may empty a text
  const String msg = Check_MIB_Descriptions();
  EXPECT_EQ(msg, u"Error!! The Description \"data\" cannot be used as a name in the MIB: the name is already used by "
                 u"another object of the MIB");
  EXPECT_THROW(Save_SNMP_MIB(FromPath(dir_ / "out.mib")), EMIBDescriptionError);
  EXPECT_FALSE(fs::exists(dir_ / "out.mib"));
}
