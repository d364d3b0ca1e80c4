// The DMX default values form: the channel count from ParGen.xml, the check of every channel, the
// file of one Row per channel, and the main window's hidden step that shows it.
#include "protocols/can/UDMXDefVal.h"
#include "platform/Files.h"
#include "tests/protocols/can/FrameFormTestSupport.h"

using namespace frame_form_test;

namespace {

const String kValueError = u"!! Default Value must be between 0 and 255";

class DmxTest : public FrameFormTest<TFDMXDefVal> {
 protected:
  DmxTest() : FrameFormTest("dmx_program", u"TFDMXDefVal", FDMXDefVal) {}
  void Channels(const std::string& Text) { Write_ParGen({{"Device_Name", "gw"}, {"DMX_Num_Channels", Text}}); }
};

}  // namespace

TEST_F(DmxTest, TheChannelCountComesFromParGen) {
  struct Case {
    const char* Name;
    std::string ParGen;  // "-": no file; else DMX_Num_Channels
    int Rows;
    String Message;
  } cases[] = {
      {"no ParGen.xml", "-", 512, u""},
      {"24 channels", "24", 24, u""},
      {"65535 channels", "65535", 65535, u""},
      {"no number", "many", 512, u""},
      {"an empty element", "", 512, u""},
      {"a negative count", "-5", 512,
       u"The number of DMX channels \"-5\" is not between 1 and 65535: 512 channels are used."},
      {"no channel", "0", 512, u"The number of DMX channels \"0\" is not between 1 and 65535: 512 channels are used."},
      {"more than a grid may hold", "4294967296", 512,
       u"The number of DMX channels \"4294967296\" is not between 1 and 65535: 512 channels are used."},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    if (k.ParGen == "-")
      DeleteFile(Path_ParGen);
    else
      Channels(k.ParGen);
    Show([&](TFDMXDefVal* f) {
      const auto m = Take_Messages();
      ASSERT_EQ(m.size(), k.Message.empty() ? 0u : 1u);
      if (!k.Message.empty()) {
        EXPECT_EQ(m[0].Text, k.Message);
      }
      EXPECT_EQ(f->ACG_DMX_Def_Val->RowCount(), k.Rows + 1);
      EXPECT_EQ(Row_Of(f->ACG_DMX_Def_Val, k.Rows), (Cells{u"0", u""}));
      EXPECT_EQ(f->ACG_DMX_Def_Val->GetCellEx(0, k.Rows), IntToStr(k.Rows));
      EXPECT_EQ(f->ACG_DMX_Def_Val->GetCellEx(0, 1), u"1");
    });
  }
}

TEST_F(DmxTest, TheCheckTestsEveryChannel) {
  Channels("4");
  Show([&](TFDMXDefVal* f) {
    struct Case {
      const char* Name;
      int Row;
      String Value;
      String Message;
    } cases[] = {
        {"255 passes", 4, u"255", u""},
        {"hexadecimal $FF passes", 2, u"$FF", u""},
        {"256 fails", 3, u"256", u"Error row 3" + kValueError},
        {"-1 fails", 1, u"-1", u"Error row 1" + kValueError},
        {"an emptied cell fails, the last row too", 4, u"", u"Error row 4" + kValueError},
        {"letters fail", 2, u"ab", u"Error row 2" + kValueError},
    };
    for (const Case& k : cases) {
      SCOPED_TRACE(k.Name);
      for (int r = 1; r <= 4; ++r) f->ACG_DMX_Def_Val->SetCellEx(1, r, u"0");
      f->ACG_DMX_Def_Val->SetCellEx(1, k.Row, k.Value);
      EXPECT_EQ(f->Check_Tables(), k.Message.empty());
      const auto m = Take_Messages();
      ASSERT_EQ(m.size(), k.Message.empty() ? 0u : 1u);
      if (!k.Message.empty()) {
        EXPECT_EQ(m[0].Text, k.Message);
        EXPECT_EQ(m[0].Type, mtError);
      }
    }
  });
}

TEST_F(DmxTest, EveryChannelIsWrittenAndReloads) {
  Channels("5");
  Show([&](TFDMXDefVal* f) {
    EXPECT_EQ(f->Caption(), u"DMX Default Value");
    EXPECT_EQ(f->Btn_OK->Caption(), u"OK");
    EXPECT_EQ(f->Btn_Cancel->Caption(), u"Cancel");
    EXPECT_FALSE(f->Btn_InsRow->Visible());
    EXPECT_EQ(f->ACG_DMX_Def_Val->Columns()->Items(1)->Header(), u"Default Value");
    EXPECT_EQ(f->Hint->Count(), 2);
    Put_Row(f->ACG_DMX_Def_Val, 2, {u"255", u"dimmer <1>"});
    Put_Row(f->ACG_DMX_Def_Val, 4, {u" 7", u""});
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(f->ModalResult(), mrOk);
  });
  const std::string first = File_Text(Path_DMX_Default_Values);
  EXPECT_EQ(first, Fixture("DMX_Default_Values.xml"));
  Show([&](TFDMXDefVal* f) {
    EXPECT_EQ(Row_Of(f->ACG_DMX_Def_Val, 2), (Cells{u"255", u"dimmer <1>"}));
    EXPECT_EQ(Row_Of(f->ACG_DMX_Def_Val, 4), (Cells{u" 7", u""}));
    EXPECT_EQ(Row_Of(f->ACG_DMX_Def_Val, 5), (Cells{u"0", u""}));
    driver_.Click(f->Btn_OK);
  });
  EXPECT_EQ(File_Text(Path_DMX_Default_Values), first);
  // 24 channels give 24 Row elements.
  Channels("24");
  Show([&](TFDMXDefVal* f) { driver_.Click(f->Btn_OK); });
  const std::string text = File_Text(Path_DMX_Default_Values);
  size_t rows = 0;
  for (size_t at = text.find("<Row "); at != std::string::npos; at = text.find("<Row ", at + 1)) ++rows;
  EXPECT_EQ(rows, 24u);
}

TEST_F(DmxTest, RowsLackingAttributesAndFilesOfOtherLengths) {
  Channels("3");
  // Fewer elements than channels.
  Write("DMX_Default_Values.xml",
        "<DMX_Default_Values><Row Mnemonic=\"a\"/><Row Default_Value=\"9\"/></DMX_Default_Values>");
  Show([&](TFDMXDefVal* f) {
    EXPECT_TRUE(Take_Messages().empty());
    EXPECT_EQ(Row_Of(f->ACG_DMX_Def_Val, 1), (Cells{u"0", u"a"}));
    EXPECT_EQ(Row_Of(f->ACG_DMX_Def_Val, 2), (Cells{u"9", u""}));
    EXPECT_EQ(Row_Of(f->ACG_DMX_Def_Val, 3), (Cells{u"0", u""}));
  });
  // More elements than channels: the surplus is ignored, nothing is reported.
  Write("DMX_Default_Values.xml", "<DMX_Default_Values><Row Default_Value=\"1\" Mnemonic=\"\"/><Row Default_Value=\"2\" "
                                  "Mnemonic=\"\"/><Row Default_Value=\"3\" Mnemonic=\"\"/><Row Default_Value=\"4\" "
                                  "Mnemonic=\"x\"/></DMX_Default_Values>");
  Show([&](TFDMXDefVal* f) {
    EXPECT_TRUE(Take_Messages().empty());
    EXPECT_FALSE(f->Load_Incomplete());
    EXPECT_EQ(f->ACG_DMX_Def_Val->GetCellEx(1, 3), u"3");
  });
  // A file that cannot be read is reported and OK asks before overwriting it.
  Write("DMX_Default_Values.xml", "<DMX_Default_Values><Row Default_Value=\"5\"/><Row");
  const std::string before = File_Text(Path_DMX_Default_Values);
  Show([&](TFDMXDefVal* f) {
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Type, mtError);
    EXPECT_TRUE(f->Load_Incomplete());
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(Take_Messages().size(), 1u);
    EXPECT_EQ(f->ModalResult(), mrNone);
  });
  EXPECT_EQ(File_Text(Path_DMX_Default_Values), before);
}

TEST_F(DmxTest, TheHiddenStepShowsTheForm) {
  script_.AnswerModal(u"FDMXDefVal", [](TForm*) { return mrCancel; });
  main_->Btn_Click(main_->Btn_DMX_Default);
  ASSERT_EQ(script_.ModalForms().size(), 1u);
  EXPECT_EQ(script_.ModalForms()[0].FormClass, u"TFDMXDefVal");
  EXPECT_FALSE(FileExists(Path_DMX_Default_Values));
}
