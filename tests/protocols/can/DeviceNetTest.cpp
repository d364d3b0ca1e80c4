// The DeviceNet network and offsets forms: the network's check and file, the offsets form's slave
// list, byte grids, check and nested file, and the main window's hidden steps that show them.
#include <filesystem>

#include "platform/testing/PaintToPng.h"
#include "protocols/can/UDNet.h"
#include "protocols/can/UDefOffset.h"
#include "tests/protocols/can/FrameFormTestSupport.h"

using namespace frame_form_test;

namespace {

Cells Slave(const String& ID, const String& In = u"2", const String& Out = u"2", const String& Mnemonic = u"m") {
  return {ID, In, Out, Mnemonic};
}

String Net_Error(int Row, int Text) { return UI_Text(2923) + IntToStr(Row) + UI_Text(Text); }

class DNetTest : public FrameFormTest<TFDNet> {
 protected:
  DNetTest() : FrameFormTest("dnet_program", u"TFDNet", FDNet) {}
};

// DNETM_Net.xml with one row per slave (ID, NB_IN, NB_OUT).
std::string Net_File(const std::vector<std::array<const char*, 3>>& Slaves) {
  std::string rows;
  for (const auto& s : Slaves)
    rows += std::string("<row ID=\"") + s[0] + "\" NB_IN=\"" + s[1] + "\" NB_OUT=\"" + s[2] + "\" Mnemonic=\"s" +
            s[0] + "\"/>";
  return "<DNET_Net>" + rows + "</DNET_Net><!--SW_VERSION = 1.000-->";
}

// One Nodo_DNET with the given input and output positions (mnemonics "iN" and "oN").
std::string Node(const std::vector<const char*>& In, const std::vector<const char*>& Out) {
  auto rows = [](const std::vector<const char*>& P, const char* Prefix) {
    std::string s;
    for (size_t j = 0; j < P.size(); ++j)
      s += std::string("<row Offset=\"") + P[j] + "\" Mnemonic=\"" + Prefix + std::to_string(j) + "\"/>";
    return s;
  };
  return "<Nodo_DNET><ByteIN>" + rows(In, "i") + "</ByteIN><ByteOUT>" + rows(Out, "o") + "</ByteOUT></Nodo_DNET>";
}

std::string Off_File(const std::vector<std::string>& Nodes) {
  std::string s;
  for (const std::string& n : Nodes) s += n;
  return "<Define_Offset>" + s + "</Define_Offset><!--SW_VERSION = 1.000-->";
}

class DefOffsetTest : public FrameFormTest<TFDefOffset> {
 protected:
  DefOffsetTest() : FrameFormTest("defoffset_program", u"TFDefOffset", FDefOffset) {}

  // The position and mnemonic columns of a byte grid.
  static std::vector<std::pair<String, String>> Bytes(TAdvColumnGrid* G) {
    std::vector<std::pair<String, String>> b;
    for (int r = 1; r < G->RowCount(); ++r) b.emplace_back(G->GetCellEx(1, r), G->GetCellEx(2, r));
    return b;
  }
  void Click_Slave(TFDefOffset* F, int Row) {
    const TRect r = F->ACG_DN_Slaves->CellRect(0, Row);
    driver_.Click(F->ACG_DN_Slaves, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  // Shows the form, presses OK and returns the message texts it showed.
  std::vector<String> Ok_Messages() {
    std::vector<String> texts;
    Show([&](TFDefOffset* f) {
      Take_Messages();
      driver_.Click(f->Btn_OK);
      for (const auto& m : Take_Messages()) texts.push_back(m.Text);
    });
    return texts;
  }
};

}  // namespace

TEST_F(DNetTest, TheCheckTestsTheRowsUpToTheFirstEmptyID) {
  Run_Cases({
      {"IDs 0 and 63 and byte counts 0 and 65535", {Slave(u"0", u"0", u"65535"), Slave(u"63", u"65535", u"0")}, u""},
      {"ID 64", {Slave(u"1"), Slave(u"64")}, Net_Error(2, 2924)},
      {"an ID of letters", {Slave(u"ab")}, Net_Error(1, 2924)},
      {"an ID of blanks is not empty", {Slave(u"1"), Slave(u"  ")}, Net_Error(2, 2924)},
      {"Num Byte In 65536", {Slave(u"1", u"65536")}, Net_Error(1, 2925)},
      {"Num Byte Out -1", {Slave(u"1", u"1", u"-1")}, Net_Error(1, 2926)},
      {"the ID is tested first", {Slave(u"99", u"x", u"x")}, Net_Error(1, 2924)},
      {"rows after an empty ID are not tested", {Slave(u"1"), Slave(u"2"), Slave(u"3"), Slave(u""), Slave(u"99")}, u""},
      {"two rows may share an ID", {Slave(u"5"), Slave(u"5")}, u""},
      {"the 64th row is tested", Repeat(Slave(u"1"), 63, {Slave(u"64")}), Net_Error(64, 2924)},
  });
}

TEST_F(DNetTest, TheFileKeepsTheRowsUpToTheFirstEmptyID) {
  Save_And_Reload({Slave(u"1", u"4", u"2", u"valve"), Slave(u"63", u"0", u"8", u"a<b & \"c\""), Slave(u" 7", u"1", u"1", u""),
                   Slave(u""), Slave(u"9")},
                  3, Path_DNETM_Net, "DNETM_Net.xml");
}

TEST_F(DNetTest, AllSixtyFourRowsAreWritten) {
  Show([&](TFDNet* f) {
    for (int r = 1; r <= 64; ++r) Put_Row(f->ASG, r, Slave(IntToStr(r - 1)));
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(f->ModalResult(), mrOk);
  });
  const std::string text = File_Text(Path_DNETM_Net);
  size_t rows = 0;
  for (size_t at = text.find("<row "); at != std::string::npos; at = text.find("<row ", at + 1)) ++rows;
  EXPECT_EQ(rows, 64u);
  EXPECT_NE(text.find("<row ID=\"63\" NB_IN=\"2\" NB_OUT=\"2\" Mnemonic=\"m\"/></DNET_Net>"), std::string::npos);
}

TEST_F(DNetTest, RowOperationsAndReopeningShowOnlyTheFile) {
  Write("DNETM_Net.xml", Net_File({{"1", "2", "3"}, {"2", "4", "6"}}));
  Show([&](TFDNet* f) {
    EXPECT_EQ(Row_Of(f->ASG, 2), (Cells{u"2", u"4", u"6", u"s2"}));
    EXPECT_EQ(f->ASG->GetCellEx(TFDNet::ID_Col, 3), u"");
    Click_Cell(TFDNet::ID_Col, 1);
    driver_.Click(f->Btn_InsRow);
    // No Enable column: the new row's ID stays empty, so the rows after it stop counting.
    EXPECT_EQ(Row_Of(f->ASG, 1), (Cells{u"", u"", u"", u""}));
    EXPECT_EQ(f->ASG->GetCellEx(TFDNet::ID_Col, 2), u"1");
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_DelRow);
    const auto asked = Take_Messages();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Text, u"Are you sure to delete the Row number 1");
    driver_.Click(f->Btn_CopyRow);
    EXPECT_TRUE(f->Do_Copy());
    driver_.Click(f->Btn_Cancel);
  });
  Show([&](TFDNet* f) {
    EXPECT_EQ(Row_Of(f->ASG, 1), (Cells{u"1", u"2", u"3", u"s1"}));
    EXPECT_EQ(Row_Of(f->ASG, 3), (Cells{u"", u"", u"", u""}));
    EXPECT_FALSE(f->Do_Copy());
    EXPECT_EQ(f->Caption(), u"DeviceNet Network");
    EXPECT_EQ(f->ASG->Columns()->Items(TFDNet::NB_OUT_Col)->Header(), u"Num Byte Out");
    EXPECT_EQ(f->Hint_DeviceNet->Count(), 4);
  });
}

TEST_F(DNetTest, ARowLackingAnAttributeStopsTheLoadAndOkAsksFirst) {
  Write("DNETM_Net.xml", "<DNET_Net><row ID=\"1\" NB_IN=\"1\" NB_OUT=\"1\" Mnemonic=\"a\"/>"
                         "<row ID=\"2\" NB_IN=\"1\" Mnemonic=\"b\"/><row ID=\"3\" NB_IN=\"1\" NB_OUT=\"1\" Mnemonic=\"c\"/>"
                         "</DNET_Net>");
  const std::string before = File_Text(Path_DNETM_Net);
  Show([&](TFDNet* f) {
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Type, mtError);
    EXPECT_EQ(m[0].Text, u"Error in file DNETM_Net.xml: row 2 of \"DNET_Net\" has no attribute \"NB_OUT\"");
    EXPECT_EQ(f->ASG->GetCellEx(TFDNet::ID_Col, 1), u"1");
    EXPECT_EQ(f->ASG->GetCellEx(TFDNet::ID_Col, 3), u"");
    EXPECT_TRUE(f->Load_Incomplete());
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(Take_Messages().size(), 1u);
    EXPECT_EQ(f->ModalResult(), mrNone);
  });
  EXPECT_EQ(File_Text(Path_DNETM_Net), before);
}

TEST_F(DNetTest, TheHiddenStepShowsTheForm) {
  script_.AnswerModal(u"FDNet", [](TForm*) { return mrCancel; });
  main_->Btn_Click(main_->Btn_DNet_Net);
  ASSERT_EQ(script_.ModalForms().size(), 1u);
  EXPECT_EQ(script_.ModalForms()[0].FormClass, u"TFDNet");
  EXPECT_FALSE(FileExists(Path_DNETM_Net));
}

// ---- offsets ----

TEST_F(DefOffsetTest, WithoutTheNetworkFileTheGridsAreEmptyAndOkWritesRootAndComment) {
  Show([&](TFDefOffset* f) {
    EXPECT_TRUE(f->List_Slaves_DN.empty());
    EXPECT_EQ(f->ACG_DN_Slaves->RowCount(), 1);
    EXPECT_EQ(f->ACG_ByteIN->RowCount(), 1);
    EXPECT_EQ(f->ACG_ByteOUT->RowCount(), 1);
    EXPECT_EQ(f->ACG_ByteIN->Columns()->Items(1)->ComboItems()->Count(), 1441);
    EXPECT_EQ(f->ACG_ByteIN->Columns()->Items(1)->ComboItems()->Strings(1440), u"1439");
    EXPECT_FALSE(f->Btn_DelRow->Visible());
    EXPECT_EQ(f->Caption(), u"Define Offset");
    EXPECT_EQ(f->ACG_DN_Slaves->Columns()->Items(0)->Header(), u"ID Slave");
    EXPECT_EQ(f->TabSheet2->Caption(), u"Byte Out");
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(f->ModalResult(), mrOk);
  });
  EXPECT_EQ(File_Text(Path_DNETM_DefOff), "<Define_Offset/><!--SW_VERSION = 1.000-->");
}

TEST_F(DefOffsetTest, SlavesGetTheirStoredBytesByPosition) {
  Write("DNETM_Net.xml", Net_File({{"5", "0", "3"}, {"7", "2", "1"}}));
  // The first node has one output byte more than slave 5 holds; the second fewer input bytes.
  Write("DNETM_DefOff.xml", Off_File({Node({}, {"10", "None", "11", "12"}), Node({"4"}, {"20"}), Node({"1"}, {"1"})}));
  Show([&](TFDefOffset* f) {
    ASSERT_EQ(f->List_Slaves_DN.size(), 2u);
    EXPECT_EQ(f->ACG_DN_Slaves->GetCellEx(3, 2), u"s7");
    EXPECT_EQ(f->ACG_DN_Slaves->Row(), 1);
    EXPECT_EQ(f->ACG_ByteIN->RowCount(), 1);  // slave 5 has no input bytes
    EXPECT_EQ(Bytes(f->ACG_ByteOUT), (std::vector<std::pair<String, String>>{{u"10", u"o0"}, {u"None", u"o1"}, {u"11", u"o2"}}));
    EXPECT_EQ(f->ACG_ByteOUT->GetCellEx(0, 3), u"2");
    Click_Slave(f, 2);
    EXPECT_EQ(Bytes(f->ACG_ByteIN), (std::vector<std::pair<String, String>>{{u"4", u"i0"}, {u"None", u""}}));
    EXPECT_EQ(Take_Messages().size(), 0u);
  });
  // Without the first slave the second takes the first node's positions.
  Write("DNETM_Net.xml", Net_File({{"7", "2", "1"}}));
  Show([&](TFDefOffset* f) {
    EXPECT_EQ(Bytes(f->ACG_ByteIN), (std::vector<std::pair<String, String>>{{u"None", u""}, {u"None", u""}}));
    EXPECT_EQ(Bytes(f->ACG_ByteOUT), (std::vector<std::pair<String, String>>{{u"10", u"o0"}}));
  });
}

TEST_F(DefOffsetTest, EditsFollowTheSlaveAndTheFileReloadsAsSaved) {
  Write("DNETM_Net.xml", Net_File({{"5", "2", "2"}, {"7", "1", "0"}}));
  Show([&](TFDefOffset* f) {
    f->ACG_ByteIN->SetCellEx(1, 2, u"100");
    f->ACG_ByteOUT->SetCellEx(2, 1, u"out <0>");
    Click_Slave(f, 2);
    EXPECT_EQ(Bytes(f->ACG_ByteIN), (std::vector<std::pair<String, String>>{{u"None", u""}}));
    f->ACG_ByteIN->SetCellEx(1, 1, u"1439");
    Click_Slave(f, 1);
    EXPECT_EQ(Bytes(f->ACG_ByteIN), (std::vector<std::pair<String, String>>{{u"None", u""}, {u"100", u""}}));
    EXPECT_EQ(f->List_Slaves_DN[1]->SL_ByteIN->Strings(0), u"1439");
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(f->ModalResult(), mrOk);
  });
  const std::string first = File_Text(Path_DNETM_DefOff);
  EXPECT_EQ(first, Fixture("DNETM_DefOff.xml"));
  Show([&](TFDefOffset* f) {
    EXPECT_EQ(Bytes(f->ACG_ByteOUT), (std::vector<std::pair<String, String>>{{u"None", u"out <0>"}, {u"None", u""}}));
    EXPECT_EQ(f->List_Slaves_DN[1]->SL_ByteIN->Strings(0), u"1439");
    driver_.Click(f->Btn_OK);
  });
  EXPECT_EQ(File_Text(Path_DNETM_DefOff), first);
}

TEST_F(DefOffsetTest, TheCheckFindsOutputBytesSharingAPosition) {
  Write("DNETM_Net.xml", Net_File({{"5", "2", "2"}, {"7", "2", "2"}}));
  struct Case {
    const char* Name;
    std::vector<const char*> In5, Out5, In7, Out7;
    String Message;
  } cases[] = {
      {"two output bytes on 10", {"None", "None"}, {"3", "10"}, {"None", "None"}, {"None", "10"},
       u"Error in ByteOUT! The same byte of LoRaWAN is used in two bytes DeviceNet.\n\r( First ID = 5 Byte = 1, Second ID "
       u"= 7 Byte = 1)"},
      {"in one slave", {"None", "None"}, {"10", "10"}, {"None", "None"}, {"None", "None"},
       u"Error in ByteOUT! The same byte of LoRaWAN is used in two bytes DeviceNet.\n\r( First ID = 5 Byte = 0, Second ID "
       u"= 5 Byte = 1)"},
      {"two input bytes on 10", {"10", "10"}, {"None", "None"}, {"10", "abc"}, {"None", "None"}, u""},
      {"None never conflicts", {"None", "None"}, {"None", "None"}, {"None", "None"}, {"None", "None"}, u""},
      {"position 0 and 1439", {"0", "1439"}, {"0", "1439"}, {"None", "None"}, {"None", "None"}, u""},
      {"a stored output position of 1500",
       {"None", "None"}, {"None", "1500"}, {"None", "None"}, {"None", "None"},
       u"Error in ByteOUT! Slave ID 5, byte 1: the position 1500 is not between 0 and 1439."},
      {"a negative input position", {"None", "None"}, {"None", "None"}, {"-3", "None"}, {"None", "None"},
       u"Error in ByteIN! Slave ID 7, byte 0: the position -3 is not between 0 and 1439."},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    Write("DNETM_DefOff.xml", Off_File({Node(k.In5, k.Out5), Node(k.In7, k.Out7)}));
    const std::vector<String> shown = Ok_Messages();
    EXPECT_EQ(shown, k.Message.empty() ? std::vector<String>{} : std::vector<String>{k.Message});
  }
}

TEST_F(DefOffsetTest, ValuesTheSlavesCannotHoldStopTheLoadAndOkAsksFirst) {
  struct Case {
    const char* Name;
    std::string Net, Off;
    String Message;
    size_t Slaves;
  } cases[] = {
      {"an ID above 255", Net_File({{"1", "1", "1"}, {"300", "1", "1"}}), "",
       u"Error in file DNETM_Net.xml: row 2 has ID \"300\"; it must be a number from 0 to 255.", 1},
      {"a byte count above 65535", Net_File({{"1", "65536", "1"}}), "",
       u"Error in file DNETM_Net.xml: row 1 has NB_IN \"65536\"; it must be a number from 0 to 65535.", 0},
      {"a count that is no number", Net_File({{"1", "1", "two"}}), "",
       u"Error in file DNETM_Net.xml: row 1 has NB_OUT \"two\"; it must be a number from 0 to 65535.", 0},
      {"a node without ByteOUT", Net_File({{"1", "1", "1"}}), "<Define_Offset><Nodo_DNET><ByteIN/></Nodo_DNET></Define_Offset>",
       u"Error in file DNETM_DefOff.xml: the element \"ByteOUT\" is missing.", 1},
      {"a byte without Mnemonic", Net_File({{"1", "1", "1"}}),
       "<Define_Offset><Nodo_DNET><ByteIN><row Offset=\"1\"/></ByteIN><ByteOUT/></Nodo_DNET></Define_Offset>",
       u"Error in file DNETM_DefOff.xml: row 1 of \"ByteIN\" has no attribute \"Mnemonic\"", 1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    Write("DNETM_Net.xml", k.Net);
    Write("DNETM_DefOff.xml", k.Off.empty() ? Off_File({Node({"1"}, {"2"})}) : k.Off);
    const std::string before = File_Text(Path_DNETM_DefOff);
    Show([&](TFDefOffset* f) {
      const auto m = Take_Messages();
      ASSERT_EQ(m.size(), 1u);
      EXPECT_EQ(m[0].Type, mtError);
      EXPECT_EQ(m[0].Text, k.Message);
      EXPECT_EQ(f->List_Slaves_DN.size(), k.Slaves);
      EXPECT_EQ(f->ACG_DN_Slaves->RowCount(), static_cast<int>(k.Slaves) + 1);
      EXPECT_TRUE(f->Load_Incomplete());
      script_.ExpectMessage(mrNo);
      driver_.Click(f->Btn_OK);
      EXPECT_EQ(Take_Messages().size(), 1u);
      EXPECT_EQ(f->ModalResult(), mrNone);
    });
    EXPECT_EQ(File_Text(Path_DNETM_DefOff), before);
  }
}

TEST_F(DefOffsetTest, TheHiddenStepShowsTheForm) {
  script_.AnswerModal(u"FDefOffset", [](TForm*) { return mrCancel; });
  main_->Btn_Click(main_->Btn_DNet_Offset);
  ASSERT_EQ(script_.ModalForms().size(), 1u);
  EXPECT_EQ(script_.ModalForms()[0].FormClass, u"TFDefOffset");
}

TEST_F(DefOffsetTest, TheSelectedSlaveAndTheByteHeadersArePainted) {
  Write("DNETM_Net.xml", Net_File({{"5", "3", "1"}, {"7", "0", "0"}}));
  Show([&](TFDefOffset* f) {
    std::unique_ptr<TBitmap> picture = PaintToBitmap(f);
    const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "can_windows";
    std::filesystem::create_directories(folder);
    SavePng(picture.get(), FromPath(folder / "devicenet_offsets.png"));
    // The middle pixel row of a cell, as colours from its left to its right edge.
    auto colours = [&](TAdvColumnGrid* G, int Col, int Row) {
      const TRect g = PaintedRect(G, f);
      const TRect c = G->CellRect(Col, Row);
      std::vector<TColor> line;
      for (int x = c.Left + 2; x < c.Right - 2; ++x)
        line.push_back(picture->Canvas()->Pixels(g.Left + x, g.Top + (c.Top + c.Bottom) / 2));
      return line;
    };
    // The shown slave's row is painted selected, the other slave's is not.
    EXPECT_NE(colours(f->ACG_DN_Slaves, 3, 1), colours(f->ACG_DN_Slaves, 3, 2));
    // The headers carry their texts (dark text pixels across the cell's middle), the empty
    // mnemonic cell none.
    auto dark = [](const std::vector<TColor>& Line) {
      return std::count_if(Line.begin(), Line.end(),
                           [](TColor c) { return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 0x80; });
    };
    EXPECT_GT(dark(colours(f->ACG_ByteIN, 2, 0)), 0);
    EXPECT_GT(dark(colours(f->ACG_DN_Slaves, 0, 0)), 0);
    EXPECT_EQ(dark(colours(f->ACG_ByteIN, 2, 3)), 0);
    // A slave without bytes: the grids keep their headers only, painted as headers.
    const auto header_look = colours(f->ACG_ByteIN, 1, 0);
    Click_Slave(f, 2);
    picture = PaintToBitmap(f);
    SavePng(picture.get(), FromPath(folder / "devicenet_offsets_no_bytes.png"));
    EXPECT_EQ(f->ACG_ByteIN->RowCount(), 1);
    EXPECT_GT(dark(colours(f->ACG_ByteIN, 2, 0)), 0);
    EXPECT_EQ(colours(f->ACG_ByteIN, 1, 0), header_look);
  });
}
