// The updater's operation script: golden bytes for every option and read-back choice, written
// by the dialog from its controls.
#include "gateway/UpdateScript.h"
#include "platform/XMLDoc.h"
#include "platform/testing/FailingWrites.h"
#include "tests/gateway/BootTestSupport.h"

using namespace boot_test;

namespace {

const std::filesystem::path kGolden = std::filesystem::path(CONF_FIXTURES) / "gateway" / "update";

class UpdateScript : public BootTest {
 protected:
  void SetUp() override {
    BootTest::SetUp();
    // The folders named in the golden files.
    Master_Folder = u"/opt/kelvane/MASTER";
    Project_Folder = u"/opt/kelvane/PROJECTS/Plant 7";
  }
};

}  // namespace

TEST_F(UpdateScript, EqualsItsGoldenBytesForEveryOptionAndReadBack) {
  const char* names[] = {"firmware_configuration", "firmware", "configuration"};
  Set_Address(u"10", u"0", u"0", u"7");
  for (int option = 0; option < 3; ++option) {
    for (int readBack = 0; readBack < 2; ++readBack) {
      const std::string golden = std::string(names[option]) + "_readback" + std::to_string(readBack) + ".xml";
      SCOPED_TRACE(golden);
      form->CB_Update_Options->SetItemIndex(option);
      form->CB_Update_Option_Read_Back->SetChecked(readBack == 1);
      form->Compile_XML_Parameter_New_Boot();
      const std::string expected = Read_File(kGolden / golden);
      ASSERT_FALSE(expected.empty());
      EXPECT_EQ(Read_File(Script_Path()), expected);
    }
  }
}

TEST_F(UpdateScript, OnlyTheLastOperationReturnsToTheApplication) {
  struct Case {
    int option;
    std::vector<std::string> files;
  } cases[] = {
      {0, {"/opt/kelvane/MASTER/Sim40001.sim", "/opt/kelvane/PROJECTS/Plant 7/bin/bank1.bin",
           "/opt/kelvane/PROJECTS/Plant 7/bin/bank2.bin"}},
      {1, {"/opt/kelvane/MASTER/Sim40001.sim"}},
      {2, {"/opt/kelvane/PROJECTS/Plant 7/bin/bank1.bin", "/opt/kelvane/PROJECTS/Plant 7/bin/bank2.bin"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option);
    TXMLDocument doc;
    TUpdate_Script_Input in;
    in.IP_Address = u"10.0.0.7";
    in.Update_Option = c.option;
    in.Master_Folder = Master_Folder;
    in.Project_Folder = Project_Folder;
    Build_Update_Script(doc, in);
    TXMLNode ops = doc.DocumentElement().ChildNodes().FindNode(u"Operations");
    ASSERT_EQ(ops.ChildNodes().Count(), static_cast<int>(c.files.size()));
    for (int i = 0; i < ops.ChildNodes().Count(); ++i) {
      TXMLNode op = ops.ChildNodes()[i];
      ASSERT_EQ(op.ChildNodes().Count(), 20);
      EXPECT_EQ(StringToUtf8(op.ChildNodes().FindNode(u"Ope_FileName").Text()), c.files[i]);
      const bool last = i + 1 == ops.ChildNodes().Count();
      EXPECT_EQ(op.ChildNodes().FindNode(u"Ope_GoToApp_After").Text(), last ? u"1" : u"0");
      const bool firmware = c.files[i].ends_with(".sim");
      EXPECT_EQ(op.ChildNodes().FindNode(u"Ope_Write_CSS").Text(), firmware ? u"1" : u"0");
    }
  }
}

TEST_F(UpdateScript, AddressIsWrittenAsTypedAndTheDocumentIsReplacedWhole) {
  Set_Address(u" 10", u"0 ", u"x", u"7");
  form->CB_Update_Options->SetItemIndex(0);
  form->Compile_XML_Parameter_New_Boot();
  form->CB_Update_Options->SetItemIndex(1);
  form->Compile_XML_Parameter_New_Boot();  // the same document, built again
  const std::string written = Read_File(Script_Path());
  EXPECT_NE(written.find("<IP_Address_Dev> 10.0 .x.7</IP_Address_Dev>"), std::string::npos);
  EXPECT_EQ(written.rfind("<Ethernet_Update>"), 0u);
  size_t operations = 0;
  for (size_t at = written.find("<Operation>"); at != std::string::npos; at = written.find("<Operation>", at + 1))
    ++operations;
  EXPECT_EQ(operations, 1u);
}

TEST_F(UpdateScript, ScriptThatCannotBeWrittenRaises) {
  Program_Folder = Utf8ToString((dir_ / "missing" / "folder").string());
  EXPECT_THROW(form->Compile_XML_Parameter_New_Boot(), EXMLDocError);
}

TEST_F(UpdateScript, SizeLimitKeepsThePreviousScript) {
  const std::string old = "<Ethernet_Update>old</Ethernet_Update>";
  ASSERT_TRUE(WriteFileBytes(FromPath(Script_Path()), old));
  Set_Address(u"10", u"0", u"0", u"7");
  const TChildValues v = RunWithFileSizeLimit(64, [&] {
    const std::string error = ErrorOf([&] { form->Compile_XML_Parameter_New_Boot(); });
    return TChildValues{error, Read_File(Script_Path())};
  });
  ASSERT_EQ(v.size(), 2u);
  EXPECT_NE(v[0].find("Cannot save file \"" + Script_Path().string() + "\": writing failed (File too large)."),
            std::string::npos)
      << v[0];
  EXPECT_EQ(v[1], old);
}
