// The PROFINET GSDML and PROFIBUS GSD writers: the written files byte for byte against golden
// files, what they take from ParGen.xml, what they refuse, the file-name dialog and the two steps
// with their save dialogs and overwrite questions. The files are also read by independent tools:
// xmllint and python3 scripts that resolve the GSDML references and parse the GSD keyword lines.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/TimeSource.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/ScratchFolder.h"
#include "protocols/ethernet_it/UProfibus_GSD.h"
#include "protocols/ethernet_it/UProfinetFileName.h"
#include "protocols/ethernet_it/UProfinet_GSDML.h"
#include "shell/UComon.h"
#include "shell/UKelvaneFirmWare.h"
#include "shell/ULanguage.h"
#include "tests/gateway/BACnetEdeTestSupport.h"
#include "tests/protocols/ethernet_it/EthernetItFormTestSupport.h"

using bacnet_ede_test::Run_Python;
using ethernet_it_test::File_Text;
using ethernet_it_test::Fixture;

namespace {

std::filesystem::path Script(const std::string& Name) {
  return std::filesystem::path(CONF_FIXTURES) / "ethernet_it" / Name;
}

int Count(const std::string& Text, const std::string& What) {
  int n = 0;
  for (size_t at = Text.find(What); at != std::string::npos; at = Text.find(What, at + What.size())) ++n;
  return n;
}

std::vector<std::string> Split_Lines(const std::string& Text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = Text.find("\r\n", start)) != std::string::npos; start = at + 2)
    lines.push_back(Text.substr(start, at - start));
  return lines;
}

class WriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Strings();
    SetProgramFolderForTests(program_.Folder());
    Set_Folders(program_.Folder());
    Project_Name = u"Plant";
    Project_Folder = project_.Folder();
    Set_Files();
  }
  void TearDown() override {
    delete FProfinetFileName;
    Project_Folder.clear();
    Set_Files();
    SetProgramFolderForTests(String());
  }
  void ParGen(const std::string& Body) {
    std::ofstream(project_ / "ParGen.xml", std::ios::binary) << "<Par_Gen>" + Body + "</Par_Gen>";
  }
  String Out(const std::string& Name) const { return Utf8ToString((out_ / Name).string()); }
  // The messages shown since the last call.
  std::vector<ModalScript::RecordedMessage> Take_Messages() {
    std::vector<ModalScript::RecordedMessage> m(script_.Messages().begin() + static_cast<long>(seen_),
                                                script_.Messages().end());
    seen_ = script_.Messages().size();
    return m;
  }

  TScratchFolder program_{"writer_program"};
  TScratchFolder project_{"writer_project"};
  TScratchFolder out_{"writer_out"};
  ModalScript script_;
  size_t seen_ = 0;
};

// What the GSDML reader script found in a file, after xmllint has read it.
std::vector<std::string> Gsdml_Reading(const String& Path) {
  const std::string file = StringToUtf8(Path);
  EXPECT_EQ(std::system(("xmllint --noout '" + file + "' 2>&1").c_str()), 0) << "xmllint refused " << file;
  return Run_Python(Script("gsdml_check.py"), "'" + file + "'");
}

}  // namespace

TEST_F(WriterTest, WithoutParGenTheGsdmlIsTheGoldenFile) {
  Save_PROFINET_XML(Out("default.xml"));
  const std::string bytes = File_Text(Out("default.xml"));
  EXPECT_EQ(bytes, Fixture("GSDML_default.xml"));
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(Count(bytes, "\r\n"), 167);
  EXPECT_EQ(Count(bytes, "\n"), 167);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  EXPECT_EQ(Count(bytes, "=\"SERIAL\""), 2);
  EXPECT_EQ(Gsdml_Reading(Out("default.xml")),
            (std::vector<std::string>{"input=1438", "output=1438", "station=[SERIAL][SERIAL]", "texts=40", "ok"}));
}

TEST_F(WriterTest, TheGsdmlTakesTheStationAndTheCrossedLengthsFromParGen) {
  const struct {
    const char* Name;
    std::string Body;
    std::vector<std::string> Reading;
  } cases[] = {
      {"lengths cross over",
       "<PROFINET_NB_OUT>100</PROFINET_NB_OUT><PROFINET_NB_IN>200</PROFINET_NB_IN>"
       "<PROFINET_NAME_STA>gw-1</PROFINET_NAME_STA>",
       {"input=100", "output=200", "station=[gw-1][gw-1]", "texts=40", "ok"}},
      {"a blank name",
       "<PROFINET_NAME_STA>   </PROFINET_NAME_STA><PROFINET_NB_IN>x</PROFINET_NB_IN>",
       {"input=1438", "output=1438", "station=[SERIAL][SERIAL]", "texts=40", "ok"}},
      {"spaces kept",
       "<PROFINET_NAME_STA>  gw 1  </PROFINET_NAME_STA><PROFINET_NB_OUT>0</PROFINET_NB_OUT>"
       "<PROFINET_NB_IN>1440</PROFINET_NB_IN>",
       {"input=0", "output=1440", "station=[  gw 1  ][  gw 1  ]", "texts=40", "ok"}},
      {"markup in the name",
       "<PROFINET_NAME_STA>A&amp;B &lt;\"x\"&gt;</PROFINET_NAME_STA>",
       {"input=1438", "output=1438", "station=[A&B <\"x\">][A&B <\"x\">]", "texts=40", "ok"}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.Name);
    ParGen(k.Body);
    Save_PROFINET_XML(Out("gsdml.xml"));
    EXPECT_EQ(Gsdml_Reading(Out("gsdml.xml")), k.Reading);
  }
  EXPECT_NE(File_Text(Out("gsdml.xml")).find("ImplementationType=\"A&amp;B &lt;&quot;x&quot;&gt;\""),
            std::string::npos);
}

TEST_F(WriterTest, GsdmlLengthsOutsideTheDeclaredRangeAndControlCharactersAreRefused) {
  for (const char* body : {"<PROFINET_NB_IN>-1</PROFINET_NB_IN>", "<PROFINET_NB_OUT>1441</PROFINET_NB_OUT>"}) {
    SCOPED_TRACE(body);
    ParGen(body);
    try {
      Save_PROFINET_XML(Out("refused.xml"));
      ADD_FAILURE() << "written";
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), u"Error! The PROFINET input and output byte counts must be between 0 and 1440");
    }
    EXPECT_FALSE(FileExists(Out("refused.xml")));
  }
  TProfinetParameters p;
  p.Station_Name = u"a\u0001b";
  EXPECT_THROW(PROFINET_XML_Bytes(p), Exception);
  p.Station_Name = u"a\tb\nc";
  EXPECT_NE(PROFINET_XML_Bytes(p).find("ImplementationType=\"a&#9;b&#10;c\""), std::string::npos);
}

TEST_F(WriterTest, TheFileNameDialogKeepsTheStartDayAndComposesTheName) {
  VirtualClock clock(EncodeDate(2026, 12, 8) + (23 * 3600 + 59 * 60 + 30) / 86400.0);
  clock.Install();
  Application->CreateForm(FProfinetFileName);
  clock.Advance(60 * 1000);  // past midnight
  TFProfinetFileName* d = FProfinetFileName;
  EXPECT_EQ(d->Caption(), u"PROFINET XML File Name");
  EXPECT_EQ(d->ClientWidth(), 540);
  EXPECT_EQ(d->ClientHeight(), 205);
  EXPECT_EQ(d->E_XML_User->Left(), 179);
  EXPECT_EQ(d->E_XML_User->Width(), 267);
  EXPECT_EQ(d->L_UsedPart->Left(), 179);
  EXPECT_EQ(d->L_XML_Fix2->Left(), 447);
  EXPECT_EQ(d->L_FixPart_2->Caption(), u"Fixed Part");
  EXPECT_EQ(d->L_XML_Fix2->Caption(), u"-20261208.xml");
  const struct {
    const char16_t* User;
    const char16_t* Name;
  } cases[] = {{u"", u"GSDML-V2.25-Brenix--20261208.xml"},
               {u"  ", u"GSDML-V2.25-Brenix--20261208.xml"},
               {u"x", u"GSDML-V2.25-Brenix-_x-20261208.xml"},
               {u"_x", u"GSDML-V2.25-Brenix-_x-20261208.xml"},
               {u" x ", u"GSDML-V2.25-Brenix-_ x -20261208.xml"}};
  for (const auto& k : cases) {
    d->E_XML_User->SetText(k.User);
    d->Btn_OK_Click(nullptr);
    EXPECT_EQ(d->Name_File_XML, k.Name);
    EXPECT_EQ(d->ModalResult(), mrOk);
    d->SetModalResult(mrNone);
  }
  EXPECT_EQ(PROFINET_Date_Part(EncodeDate(2027, 1, 31)), u"-20270131.xml");
}

TEST_F(WriterTest, TheProfinetStepWritesTheComposedNameIntoTheChosenFolder) {
  auto* main = New<TFKelvaneFirmWare>(nullptr);
  // The main window's start-up opens the last configuration, which is none here.
  Project_Folder = project_.Folder();
  Set_Files();
  Application->CreateForm(FProfinetFileName);
  main->Register_Form(u"TFProfinetFileName", FProfinetFileName, [] { FProfinetFileName->Set_Lang(); });
  main->Step_Routines.Profinet_File_Name = [] { return FProfinetFileName->Name_File_XML; };
  main->Step_Routines.Create_PROFINET_XML = [](const String& Name) { Create_PROFINET_XML(Name); };
  const String name = u"GSDML-V2.25-Brenix-_x" + FProfinetFileName->L_XML_Fix2->Caption();
  const String target = PathJoin(out_.Folder(), name);
  auto step = [&](const String& User) {
    script_.AnswerModal(u"FProfinetFileName", [&](TForm*) {
      FProfinetFileName->E_XML_User->SetText(User);
      FProfinetFileName->Btn_OK_Click(nullptr);
      return mrNone;
    });
    main->Btn_Click(main->Btn_PROFINET_XML);
  };
  ParGen("<PROFINET_NB_OUT>100</PROFINET_NB_OUT>");
  // Whatever name is typed in the save dialog, only its folder is used.
  script_.AnswerFileDialog(PathJoin(out_.Folder(), u"typed.xml"));
  step(u"x");
  ASSERT_EQ(script_.FileDialogs().size(), 1u);
  const TFileDialogRequest& r = script_.FileDialogs()[0];
  EXPECT_TRUE(r.Save);
  EXPECT_EQ(r.Filter, u"PROFINET XML (*.xml)|" + name);
  EXPECT_EQ(r.FileName, name);
  EXPECT_EQ(r.InitialDir, Project_Folder);
  EXPECT_FALSE(FileExists(PathJoin(out_.Folder(), u"typed.xml")));
  EXPECT_NE(File_Text(target).find("Length=\"100\""), std::string::npos);
  EXPECT_TRUE(Take_Messages().empty());

  // An existing file: No keeps it, Yes replaces it; Cancel in a dialog writes nothing.
  std::ofstream(StringToUtf8(target), std::ios::binary) << "old";
  script_.AnswerFileDialog(target);
  script_.ExpectMessage(mrNo);
  step(u"_x");
  auto m = Take_Messages();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].Text, u"File already exists! Do you want to overwrite the file?");
  EXPECT_EQ(m[0].Type, mtConfirmation);
  EXPECT_EQ(File_Text(target), "old");
  script_.CancelFileDialog();
  step(u"x");
  script_.AnswerModal(u"FProfinetFileName", mrCancel);
  main->Btn_Click(main->Btn_PROFINET_XML);
  EXPECT_EQ(script_.FileDialogs().size(), 3u);
  EXPECT_EQ(File_Text(target), "old");
  script_.AnswerFileDialog(target);
  script_.ExpectMessage(mrYes);
  step(u"x");
  EXPECT_EQ(Take_Messages().size(), 1u);
  EXPECT_NE(File_Text(target).find("Length=\"100\""), std::string::npos);
  delete main;
}

// ---- PROFIBUS GSD ----

TEST_F(WriterTest, GsdSizesGiveModulesOfAtMost64BytesEachInItsSlot) {
  const struct {
    int32_t In, Out;
    std::vector<std::string> Modules;  // the first line of each module
    std::string Reading;
  } cases[] = {
      {0, 0, {}, "modules=0 slots=0 input=0 output=0"},
      {64, 0, {"Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01"}, "modules=1 slots=1 input=64 output=0"},
      {65,
       1,
       {"Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01", "Module=\"DI  (PORT2)    \" 0x42,0x00,0x00,0x02",
        "Module=\"DO  (PORT3)    \" 0x82,0x00,0x00,0x03"},
       "modules=3 slots=3 input=65 output=1"},
      {0,
       100,
       {"Module=\"DO  (PORT1)    \" 0x82,0x3F,0x00,0x01", "Module=\"DO  (PORT2)    \" 0x82,0x23,0x00,0x02"},
       "modules=2 slots=2 input=0 output=100"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(std::to_string(k.In) + "/" + std::to_string(k.Out));
    const std::string bytes = PROFIBUS_GSD_Bytes(k.In, k.Out);
    const std::vector<std::string> lines = Split_Lines(bytes);
    std::vector<std::string> modules;
    for (const std::string& l : lines)
      if (l.rfind("Module=", 0) == 0) modules.push_back(l);
    EXPECT_EQ(modules, k.Modules);
    ASSERT_GE(lines.size(), 190u);
    const int n = static_cast<int>(k.Modules.size());
    EXPECT_EQ(lines[152], "Max_Module=" + std::to_string(n));
    EXPECT_EQ(lines[154], "Max_Input_Len=" + std::to_string(k.In));
    EXPECT_EQ(lines[155], "Max_Output_Len=" + std::to_string(k.Out));
    EXPECT_EQ(lines[156], "Max_Data_Len=" + std::to_string(k.In + k.Out));
    // Modules from line 190, three lines each; then three empty lines and the slots.
    EXPECT_EQ(lines.size(), 189u + 3 * n + 3 + 2 + n + 4);
    EXPECT_EQ(lines[189 + 3 * n + 3], "SlotDefinition");
    EXPECT_EQ(lines[189 + 3 * n + 4 + n], "EndSlotDefinition");
    if (n > 0) EXPECT_EQ(lines[189 + 3 * n + 4], "Slot(1) = \"Slot 1\" 1 1");
    std::ofstream(out_ / "sizes.gsd", std::ios::binary) << bytes;
    EXPECT_EQ(Run_Python(Script("gsd_check.py"), (out_ / "sizes.gsd").string()),
              (std::vector<std::string>{k.Reading, "ok"}));
  }
  const std::string big = PROFIBUS_GSD_Bytes(1438, 0);
  EXPECT_EQ(Count(big, "Module=\"DI"), 23);
  EXPECT_NE(big.find("Module=\"DI  (PORT23)    \" 0x42,0x1D,0x00,0x17\r\n23\r\nEndModule\r\n"), std::string::npos);
  const std::string most = PROFIBUS_GSD_Bytes(200 * 64, 55 * 64);
  EXPECT_NE(most.find("Module=\"DO  (PORT255)    \" 0x82,0x3F,0x00,0xFF\r\n"), std::string::npos);
  // The header comment's frame is 85 characters wide.
  const std::vector<std::string> lines = Split_Lines(big);
  for (size_t i = 1; i < 21; ++i) EXPECT_EQ(lines[i].size(), 85u) << "line " << i + 1;
  EXPECT_EQ(lines[26], ";" + std::string(84, '='));
  EXPECT_EQ(lines[27], ";==== Prm-Text-Def-List " + std::string(61, '='));
  EXPECT_EQ(lines[23], "#Profibus_DP");
}

TEST_F(WriterTest, GsdSizesThatCannotBeDescribedAreRefused) {
  for (const auto& [in, out] :
       {std::pair{-1, 0}, std::pair{0, -1}, std::pair{255 * 64 + 1, 0}, std::pair{128 * 64, 127 * 64 + 1}}) {
    SCOPED_TRACE(std::to_string(in) + "/" + std::to_string(out));
    EXPECT_EQ(GSD_Size_Refusal(in, out),
              u"Error! The PROFIBUS byte counts must not be negative and must fit in 255 modules of 64 bytes");
    EXPECT_THROW(PROFIBUS_GSD_Bytes(in, out), Exception);
  }
}

TEST_F(WriterTest, TheProfibusStepReadsParGenAndNamesTheFile) {
  // No ParGen.xml: the message and no dialog.
  Create_PROFIBUS_GSD();
  auto m = Take_Messages();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].Text, u"Error! Please set the Set Communication Parameter before to create the GSD file");
  EXPECT_TRUE(script_.FileDialogs().empty());

  ParGen("<PROFINET_NB_OUT>65</PROFINET_NB_OUT><PROFINET_NB_IN>1</PROFINET_NB_IN>");
  const struct {
    const char* Chosen;
    const char* Written;
  } names[] = {{"a.GSD", "a.GSD"}, {"plain", "plain.gsd"}, {"a.gsd.gsd", "a.gsd.gsd"}, {"b.gsd.txt", "b.gsd.txt.gsd"}};
  for (const auto& k : names) {
    SCOPED_TRACE(k.Chosen);
    script_.AnswerFileDialog(Out(k.Chosen));
    Create_PROFIBUS_GSD();
    EXPECT_EQ(File_Text(Out(k.Written)), Fixture("PROFIBUS_65_1.gsd"));
  }
  EXPECT_FALSE(FileExists(Out("a.gsd.gsd.gsd")));
  const TFileDialogRequest& r = script_.FileDialogs()[0];
  EXPECT_TRUE(r.Save);
  EXPECT_EQ(r.Filter, u"Generic Station Description (*.gsd)|*.gsd");
  EXPECT_EQ(r.InitialDir, Project_Folder);
  EXPECT_EQ(r.FileName, u"");
  EXPECT_TRUE(Take_Messages().empty());
  EXPECT_EQ(GSD_Input_Bytes, 65);
  EXPECT_EQ(GSD_Output_Bytes, 1);

  // An existing file and No: kept. Sizes read as nothing: 0.
  ParGen("<PROFINET_NB_OUT>x</PROFINET_NB_OUT>");
  script_.AnswerFileDialog(Out("plain"));
  script_.ExpectMessage(mrNo);
  Create_PROFIBUS_GSD();
  m = Take_Messages();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].Text, u"File already exists! Do you want to overwrite the file?");
  EXPECT_EQ(File_Text(Out("plain.gsd")), Fixture("PROFIBUS_65_1.gsd"));
  script_.AnswerFileDialog(Out("plain"));
  script_.ExpectMessage(mrYes);
  Create_PROFIBUS_GSD();
  EXPECT_NE(File_Text(Out("plain.gsd")).find("Max_Data_Len=0\r\n"), std::string::npos);

  // Sizes the file cannot describe: the message, no dialog.
  ParGen("<PROFINET_NB_IN>-5</PROFINET_NB_IN>");
  const size_t dialogs = script_.FileDialogs().size();
  Take_Messages();
  Create_PROFIBUS_GSD();
  m = Take_Messages();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].Text, u"Error! The PROFIBUS byte counts must not be negative and must fit in 255 modules of 64 bytes");
  EXPECT_EQ(script_.FileDialogs().size(), dialogs);
}
