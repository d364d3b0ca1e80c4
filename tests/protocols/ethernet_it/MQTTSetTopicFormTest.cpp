// The MQTT topic tables: the check of the visible columns (messages compared whole), the template
// rule, the working mode's hidden columns, the file with its unsaved columns and missing parts,
// and the topic template editor behind a double-click.
#include "platform/ComCtrls.h"
#include "protocols/ethernet_it/UMQTT_Set_Topic.h"
#include "protocols/ethernet_it/UTopicTemplate.h"
#include "tests/protocols/ethernet_it/EthernetItFormTestSupport.h"

using ethernet_it_test::Cells;
using ethernet_it_test::File_Text;
using ethernet_it_test::Fixture;
using ethernet_it_test::Put_Row;
using ethernet_it_test::Row_Of;
using ethernet_it_test::With;

namespace {

// A publish row that passes: Int of 4 bytes at position 0, on change.
Cells Publish(const String& Topic = u"plant/temp") {
  return {Topic, u"N", u"0", u"Int", u"4", u"0", u"", u"", u"$VALUE$", u"Y", u"", u"N", u"", u"", u"", u"", u"temp"};
}
Cells Subscribe(const String& Topic = u"plant/set") {
  return {Topic, u"", u"1", u"Float", u"4", u"10", u"", u"", u"", u"", u"$VALUE$", u"", u"", u"setpoint"};
}

class MqttTest : public ethernet_it_test::FormTest<TFMQTT_Set_Topic> {
 protected:
  MqttTest() : FormTest(u"TFMQTT_Set_Topic", FMQTT_Set_Topic, &TFKelvaneFirmWare::Btn_MQTT_Set_Topic) {}
  void TearDown() override {
    delete FTopicTemplate;
    FormTest::TearDown();
  }
};

struct MqttCase {
  const char* Name;
  std::vector<Cells> Pub, Sub;
  const char16_t* Message;  // nullptr: both tables pass
};

}  // namespace

TEST(MqttTemplateRule, AnOddNumberOfDollarsIsAnError) {
  const std::pair<const char16_t*, bool> cases[] = {{u"$VALUE$", false}, {u"", false},      {u"plain/topic", false},
                                                    {u"a$b", true},      {u"$A$ $B", true}, {u"$$$$", false}};
  for (const auto& [text, error] : cases) EXPECT_EQ(Error_In_Topic_Template(text), error) << StringToUtf8(text);
}

TEST_F(MqttTest, TheCheckTestsTheVisibleColumnsOfBothTables) {
  const Cells p = Publish(), s = Subscribe();
  const MqttCase cases[] = {
      {"valid rows", {p}, {s}, nullptr},
      {"Int with Dimension 3",
       {With(p, mpDimension, u"3")},
       {},
       u"Error row 1!! [MQTT Publish] Dimension must be equal to 1 or 2 or 4 or 8"},
      {"Int with Dimension 8", {With(p, mpDimension, u"8")}, {}, nullptr},
      {"Float with Dimension 2",
       {With(With(p, mpDataType, u"Float"), mpDimension, u"2")},
       {},
       u"Error row 1!! [MQTT Publish] Dimension must be equal to 4 or 8"},
      {"String with Dimension 0",
       {With(With(p, mpDataType, u"String"), mpDimension, u"0")},
       {},
       u"Error row 1!! [MQTT Publish] Dimension must be major of 0"},
      {"Base64 with Dimension 100", {With(With(p, mpDataType, u"Base64"), mpDimension, u"100")}, {}, nullptr},
      {"no Data Type", {With(p, mpDataType, u" ")}, {}, u"Error row 1!! [MQTT Publish] Data Type must be selected"},
      {"Position 1499", {With(p, mpPosition, u"1499")}, {}, nullptr},
      {"Position 1500",
       {With(p, mpPosition, u"1500")},
       {},
       u"Error row 1!! [MQTT Publish] Position must be beetween 0 and 1499"},
      {"a Template with one $",
       {With(p, mpTemplate, u"a$b")},
       {},
       u"Error row 1!! [MQTT Publish] Template not Correct, Check the Keywords"},
      {"OnTimer with Time 1000000000", {With(With(p, mpOnTimer, u"Y"), mpTime, u"1000000000")}, {}, nullptr},
      {"OnTimer with Time 0",
       {With(With(p, mpOnTimer, u"y "), mpTime, u"0")},
       {},
       u"Error row 1!! [MQTT Publish] Time(ms) must be between 1 and 1000000000"},
      {"Time not tested without OnTimer", {With(p, mpTime, u"x")}, {}, nullptr},
      {"an invalid address and input template in hidden columns",
       {With(With(p, mpIPAddress, u"not an address"), mpInputTemplate, u"$")},
       {},
       nullptr},
      {"a hidden subscribe Port", {p}, {With(s, msPort, u"70000")}, nullptr},
      {"a blank publish Topic ends the publish list only",
       {p, With(p, mpTopic, u" "), With(p, mpDimension, u"3")},
       {s, With(s, msDimension, u"2")},
       u"Error row 2!! [MQTT Subscribe] Dimension must be equal to 4 or 8"},
      {"subscribe Int with Dimension 3",
       {},
       {With(With(s, msDataType, u"int"), msDimension, u"3")},
       u"Error row 1!! [MQTT Subscribe] Dimension must be equal to 1 or 2 or 4 or 8"},
      {"subscribe without Data Type",
       {},
       {With(s, msDataType, u"")},
       u"Error row 1!! [MQTT Subscribe] Data Type must be selected"},
      {"subscribe Position -1",
       {},
       {With(s, msPosition, u"-1")},
       u"Error row 1!! [MQTT Subscribe] Position must be beetween 0 and 1499"},
      {"subscribe Template $",
       {},
       {With(s, msTemplate, u"$")},
       u"Error row 1!! [MQTT Subscribe] Template not Correct, Check the Keywords"},
      {"publish before subscribe",
       {With(p, mpPosition, u"x")},
       {With(s, msPosition, u"x")},
       u"Error row 1!! [MQTT Publish] Position must be beetween 0 and 1499"},
  };
  Open([&](TFMQTT_Set_Topic* f) {
    for (const MqttCase& k : cases) {
      SCOPED_TRACE(k.Name);
      f->Reset_Grids();
      for (size_t i = 0; i < k.Pub.size(); ++i) Put_Row(f->ACG_Pub, static_cast<int>(i) + 1, k.Pub[i]);
      for (size_t i = 0; i < k.Sub.size(); ++i) Put_Row(f->ACG_Sub, static_cast<int>(i) + 1, k.Sub[i]);
      Expect_Check(f->Controllo_dati(), k.Message);
    }
    // A column shown again is tested again.
    f->Reset_Grids();
    Put_Row(f->ACG_Sub, 1, With(s, msPort, u"70000"));
    f->ACG_Sub->UnHideColumn(msPort);
    Expect_Check(f->Controllo_dati(), u"Error row 1!! [MQTT Subscribe] Port must be between 0 and 65535");
    // OnTimer is tested even while its columns are hidden.
    f->Reset_Grids();
    Put_Row(f->ACG_Pub, 1, With(With(p, mpOnTimer, u"Y"), mpTime, u"0"));
    f->ACG_Pub->HideColumn(mpOnTimer);
    f->ACG_Pub->HideColumn(mpTime);
    Expect_Check(f->Controllo_dati(), u"Error row 1!! [MQTT Publish] Time(ms) must be between 1 and 1000000000");
  });
}

TEST_F(MqttTest, TheShowSetsWorkingModeOneAndTheRowButtonsFollowTheTab) {
  Open([&](TFMQTT_Set_Topic* f) {
    EXPECT_EQ(f->Caption(), u"Set MQTT Topics");
    EXPECT_EQ(f->ClientWidth(), 1100);
    EXPECT_EQ(f->Working_Mode, 1);
    EXPECT_EQ(f->Byte_IN, 1500);
    EXPECT_EQ(f->ACG_Pub->RowCount(), 1025);
    EXPECT_EQ(f->ACG_Sub->RowCount(), 1025);
    EXPECT_EQ(f->PageControl1->ActivePageIndex(), 0);
    EXPECT_EQ(f->TS_MQTT_Subscribe->Caption(), u"MQTT Subscribe");
    std::vector<int> hidden;
    for (int c = 1; c <= mpMnemonic; ++c)
      if (f->ACG_Pub->IsHiddenColumn(c)) hidden.push_back(c);
    EXPECT_EQ(hidden, (std::vector<int>{7, 8, 11, 14, 15, 16}));
    hidden.clear();
    for (int c = 1; c <= msMnemonic; ++c)
      if (f->ACG_Sub->IsHiddenColumn(c)) hidden.push_back(c);
    EXPECT_EQ(hidden, (std::vector<int>{2, 7, 8, 9, 10, 12, 13}));
    // Header hints by the real column.
    String hint;
    f->ACG_Pub->OnGridHint(f->ACG_Pub, 0, f->ACG_Pub->RealToDisplCol(mpTemplate), hint);
    EXPECT_EQ(hint, u"Insert the Template");
    // Insert Row on the subscribe tab.
    Put_Row(f->ACG_Pub, 1, Publish(u"p1"));
    Put_Row(f->ACG_Sub, 1, Subscribe(u"s1"));
    f->PageControl1->SetActivePageIndex(1);
    f->ACG_Sub->SetRow(1);
    driver_.Click(f->Btn_InsRow);
    EXPECT_EQ(f->ACG_Sub->GetCellEx(msTopic, 1), u"");
    EXPECT_EQ(f->ACG_Sub->GetCellEx(msTopic, 2), u"s1");
    EXPECT_EQ(Row_Of(f->ACG_Pub, 1), Publish(u"p1"));
    EXPECT_EQ(f->ACG_Pub->GetCellEx(mpTopic, 2), u"");
    // The delete question names the row.
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_DelRow);
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Are you sure to delete the Row number 1");
  });
}

TEST_F(MqttTest, TheFileKeepsTheSavedColumnsAndIsWrittenAsTheGoldenFile) {
  Open([&](TFMQTT_Set_Topic* f) {
    // Every column filled, the unsaved ones included, and a bad address in the hidden column.
    Cells p = Publish(u"plant/a");
    p[mpIPAddress - 1] = u"999.1.1.1";
    p[mpInputTemplate - 1] = u"in";
    p[mpOnCMD - 1] = u"Y";
    p[mpOnTimer - 1] = u"Y";
    p[mpTime - 1] = u"1000";
    p[mpChannel - 1] = u"5";
    p[mpSwap - 1] = u"Y";
    p[mpSwapWord - 1] = u"Y";
    Put_Row(f->ACG_Pub, 1, p);
    Put_Row(f->ACG_Pub, 2, With(Publish(u"plant/<b> & \"c\""), mpDataType, u"Float"));
    Put_Row(f->ACG_Pub, 4, Publish(u"below the blank topic"));
    Cells s = Subscribe();
    s[msRetained - 1] = u"Y";
    s[msPort - 1] = u"502";
    s[msEthType - 1] = u"TCP";
    s[msSwap - 1] = u"Y";
    Put_Row(f->ACG_Sub, 1, s);
    driver_.Click(f->Btn_OK);
  });
  EXPECT_TRUE(Take_Messages().empty());
  const std::string first = File_Text(Path_MQTT_Set_Topic);
  EXPECT_EQ(first, Fixture("MQTT_Set_Topic.xml"));
  EXPECT_EQ(Open([&](TFMQTT_Set_Topic* f) {
              EXPECT_EQ(f->ACG_Pub->GetCellEx(mpIPAddress, 1), u"999.1.1.1");
              EXPECT_EQ(f->ACG_Pub->GetCellEx(mpOnCMD, 1), u"");
              EXPECT_EQ(f->ACG_Pub->GetCellEx(mpChannel, 1), u"");
              EXPECT_EQ(f->ACG_Pub->GetCellEx(mpSwap, 1), u"N");
              EXPECT_EQ(f->ACG_Pub->GetCellEx(mpSwapWord, 1), u"N");
              EXPECT_EQ(f->ACG_Pub->GetCellEx(mpTopic, 4), u"");
              EXPECT_EQ(f->ACG_Sub->GetCellEx(msSwap, 1), u"N");
              EXPECT_EQ(f->ACG_Sub->GetCellEx(msPort, 1), u"502");
              // Rows that were not loaded keep the reset cells.
              EXPECT_EQ(f->ACG_Pub->GetCellEx(mpSwap, 3), u"");
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  EXPECT_EQ(File_Text(Path_MQTT_Set_Topic), first);
}

TEST_F(MqttTest, MissingPartsOfTheFile) {
  // No subscribe section: that table stays empty; missing defaults read as the table says.
  Write("MQTT_Set_Topic.xml",
        "<MQTT_Set_Topic><MQTT_Publish><row Topic=\"t\" Retained=\"N\" QoS=\"0\" Mnemonic=\"m\"/></MQTT_Publish>"
        "</MQTT_Set_Topic>");
  Open([&](TFMQTT_Set_Topic* f) {
    EXPECT_TRUE(Take_Messages().empty());
    EXPECT_EQ(Row_Of(f->ACG_Pub, 1),
              (Cells{u"t", u"N", u"0", u"", u"", u"", u"", u"", u"", u"N", u"", u"N", u"", u"", u"N", u"N", u"m"}));
    EXPECT_EQ(f->ACG_Sub->GetCellEx(msTopic, 1), u"");
  });
  // A row without a required attribute: reported naming file, row and attribute; OK asks first.
  Write("MQTT_Set_Topic.xml",
        "<MQTT_Set_Topic><MQTT_Publish><row Topic=\"t\" Retained=\"N\" QoS=\"0\" Mnemonic=\"m\"/>"
        "<row Topic=\"u\" Retained=\"N\" Mnemonic=\"m\"/></MQTT_Publish><MQTT_Subscribe/></MQTT_Set_Topic>");
  const std::string before = File_Text(Path_MQTT_Set_Topic);
  Open([&](TFMQTT_Set_Topic* f) {
    auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Error in file MQTT_Set_Topic.xml: row 2 of \"MQTT_Publish\" has no attribute \"QoS\"");
    EXPECT_EQ(f->ACG_Pub->GetCellEx(mpTopic, 2), u"u");
    f->ACG_Pub->SetCellEx(mpQoS, 2, u"1");
    Put_Row(f->ACG_Pub, 1, Publish(u"t"));
    Put_Row(f->ACG_Pub, 2, Publish(u"u"));
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(Take_Messages().size(), 1u);
    EXPECT_EQ(f->ModalResult(), mrNone);
  });
  EXPECT_EQ(File_Text(Path_MQTT_Set_Topic), before);
}

TEST_F(MqttTest, TemplateCellsAreEditedInTheTemplateEditor) {
  FTopicTemplate = New<TFTopicTemplate>(nullptr);
  // The step shows the table form; the editor's shows come on top of it.
  script_.AnswerModal(u"FMQTT_Set_Topic", [&](TForm*) {
    TFMQTT_Set_Topic* f = form_;
    Put_Row(f->ACG_Pub, 1, With(Publish(u"plant/a"), mpTemplate, u"{\"v\":$VALUE$}"));
    Put_Row(f->ACG_Sub, 1, Subscribe(u"plant/b"));
    // A double-click on the publish Template cell: the editor shows the cell for a template.
    script_.AnswerModal(u"FTopicTemplate", [&](TForm*) {
      EXPECT_EQ(FTopicTemplate->Caption(), u"Set Template");
      EXPECT_EQ(FTopicTemplate->L_SW_Desc->Caption(), u"Set Template");
      EXPECT_EQ(FTopicTemplate->ClientWidth(), 635);
      EXPECT_EQ(FTopicTemplate->ClientHeight(), 396);
      // Edit, splitter and legend stack above the buttons.
      EXPECT_EQ(FTopicTemplate->P_Legend->Top() + FTopicTemplate->P_Legend->Height(), FTopicTemplate->P_Button->Top());
      EXPECT_EQ(FTopicTemplate->P_Legend->Height(), 108);
      EXPECT_EQ(FTopicTemplate->Splitter1->Top() + FTopicTemplate->Splitter1->Height(),
                FTopicTemplate->P_Legend->Top());
      EXPECT_EQ(FTopicTemplate->Panel1->Top() + FTopicTemplate->Panel1->Height(), FTopicTemplate->Splitter1->Top());
      EXPECT_EQ(FTopicTemplate->RE_TopicTemplate->GetText(), u"{\"v\":$VALUE$}");
      EXPECT_EQ(FTopicTemplate->Pub_Sub, 0);
      EXPECT_EQ(FTopicTemplate->Working_Mode, 1);
      // The legend: exactly one empty row, its description locked.
      TAdvStringGrid* legend = FTopicTemplate->ASG_Keywords;
      EXPECT_EQ(legend->RowCount(), 2);
      EXPECT_EQ(legend->GetCellEx(0, 0), u"Keyword");
      EXPECT_EQ(legend->GetCellEx(1, 0), u"Description of Keyword");
      EXPECT_EQ(legend->GetCellEx(0, 1) + legend->GetCellEx(1, 1), u"");
      EXPECT_FALSE(legend->GetReadOnly(0, 1));
      EXPECT_TRUE(legend->GetReadOnly(1, 1));
      FTopicTemplate->RE_TopicTemplate->SetText(u"line 1\r\nline $2$");
      return mrOk;
    });
    f->ACG_Pub->ScrollInView(mpTemplate, 1);
    const TRect r = f->ACG_Pub->CellRect(f->ACG_Pub->RealToDisplCol(mpTemplate), 1);
    driver_.DblClick(f->ACG_Pub, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(f->ACG_Pub->GetCellEx(mpTemplate, 1), u"line 1\r\nline $2$");
    // A double-click elsewhere opens nothing.
    const size_t shown = script_.ModalForms().size();
    const TRect t = f->ACG_Pub->CellRect(f->ACG_Pub->RealToDisplCol(mpTopic), 1);
    driver_.DblClick(f->ACG_Pub, (t.Left + t.Right) / 2, (t.Top + t.Bottom) / 2);
    EXPECT_EQ(script_.ModalForms().size(), shown);
    // The subscribe Template column is real column 11; Cancel leaves the cell.
    script_.AnswerModal(u"FTopicTemplate", [&](TForm*) {
      EXPECT_EQ(FTopicTemplate->Pub_Sub, 1);
      FTopicTemplate->RE_TopicTemplate->SetText(u"changed");
      return mrCancel;
    });
    f->Show_Form_Topic(f->ACG_Sub, 1, msTemplate);
    EXPECT_EQ(f->ACG_Sub->GetCellEx(msTemplate, 1), u"$VALUE$");
    // A Topic cell: the topic captions; a language change brings back the first caption.
    script_.AnswerModal(u"FTopicTemplate", [&](TForm*) {
      EXPECT_EQ(FTopicTemplate->Caption(), u"Set Topic");
      EXPECT_EQ(FTopicTemplate->RE_TopicTemplate->GetText(), u"plant/a");
      return mrOk;
    });
    f->Show_Form_Topic(f->ACG_Pub, 1, mpTopic);
    EXPECT_EQ(f->ACG_Pub->GetCellEx(mpTopic, 1), u"plant/a");
    script_.AnswerModal(u"FTopicTemplate", mrCancel);
    f->Show_Form_Topic(f->ACG_Pub, 1, mpTemplate);
    EXPECT_EQ(FTopicTemplate->Caption(), u"Set Template");
    FTopicTemplate->Set_Lang();
    EXPECT_EQ(FTopicTemplate->Caption(), u"Set Topic");
    return mrNone;
  });
  main_->Btn_Click(main_->Btn_MQTT_Set_Topic);
  EXPECT_EQ(script_.ModalForms().size(), 5u);
}
