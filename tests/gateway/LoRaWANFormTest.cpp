// The LoRaWAN gateway form through the main window's LoRaWAN Access step: rows typed into the grids,
// focus moves by mouse and keyboard, the row buttons, OK and Cancel, the modes and data-rate lists,
// and the written file compared whole and fed to the image builder.
#include "gateway/ULoRaWAN_GatewayForm.h"
#include "platform/ExtCtrls.h"
#include "tests/gateway/SnmpTrapFormTestSupport.h"

using snmp_form_test::Cells;

namespace {

String Hex(int Digits, char16_t Fill) { return String(static_cast<size_t>(Digits), Fill); }

// Device-grid columns 2 .. 13 of a device that passes every check.
Cells Good_Device(const String& Eui, const String& Name) {
  return {Eui, u"8899AABBCCDDEEFF", Name, LoRaWAN_Act_ABP, Hex(32, u'1'), Hex(32, u'2'), u"", u"26011BDA",
          u"A", u"1000", u"", u"m-" + Name};
}
// Rule-grid columns 1 .. 10.
Cells Up_Rule(const String& Port, const String& Mnemonic) {
  return {u"Y", Port, u"", u"", u"N", u"", u"0", u"4", u"0", Mnemonic};
}
Cells Down_Rule(const String& Port, const String& Mnemonic) {
  return {u"Y", Port, u"0", u"4", u"N", u"N", u"N", u"", u"10", Mnemonic};
}

// What the list holds for those rows.
void Fill_Device(TDeviceLoRa& D, const Cells& C, bool Enable = true) {
  D.SetEnable(Enable);
  for (int f = 0; f < 12; ++f) D.SetField(f, C[static_cast<size_t>(f)]);
}
void Add_Up(TDeviceLoRa& D, const Cells& C) {
  TRuleLoRa& r = *D.UpLinkRules.Add();
  r.SetEnable(C[0] == u"Y");
  r.SetPort(C[1]);
  r.SetStartTest(C[2]);
  r.SetLenTest(C[3]);
  r.SetHexTest(C[4] == u"Y");
  r.SetValueTest(C[5]);
  r.SetStartBit(C[6]);
  r.SetNumBits(C[7]);
  r.SetPosBit(C[8]);
  r.SetMnemonic(C[9]);
}
void Add_Down(TDeviceLoRa& D, const Cells& C) {
  TRuleLoRa& r = *D.DownLinkRules.Add();
  r.SetEnable(C[0] == u"Y");
  r.SetPort(C[1]);
  r.SetStartBit(C[2]);
  r.SetNumBits(C[3]);
  r.SetOnChange(C[4] == u"Y");
  r.SetOnCMD(C[5] == u"Y");
  r.SetOnTimer(C[6] == u"Y");
  r.SetTime(C[7]);
  r.SetPosBit(C[8]);
  r.SetMnemonic(C[9]);
}

std::string File_Bytes(const String& Path) {
  std::ifstream in(ToPath(Path), std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class LoRaWANFormTest : public snmp_form_test::TableFormTest<TFLoRaWAN_Gateway> {
 public:
  LoRaWANFormTest() : TableFormTest("lorawan_form_program", u"TFLoRaWAN_Gateway", FLoRaWAN_Gateway) {}

  // Presses LoRaWAN Access; Drive runs while the form is shown. The form's modal result.
  int Open(const std::function<void(TFLoRaWAN_Gateway*)>& Drive) {
    script_.AnswerModal(u"FLoRaWAN_Gateway", [&](TForm*) {
      Drive(form_);
      return mrNone;
    });
    main_->Btn_Click(main_->Btn_LoRaWAN_Access);
    return script_.ModalForms().empty() ? mrNone : script_.ModalForms().back().Result;
  }

  TAdvStringGrid* Dev() const { return form_->ASG_LoRaWAN_Device_List; }
  TAdvColumnGrid* Up() const { return form_->ACG_LoRaWAN_Uplink; }
  TAdvColumnGrid* Down() const { return form_->ACG_LoRaWAN_Downlink; }

  // A mouse click on a cell: the grid takes the focus (the grid left stores itself), then moves.
  void Click_Cell(TAdvStringGrid* Grid, int Col, int Row) {
    if (Grid != Dev()) form_->PageControl1->UserSelectPage(Grid == Up() ? Up_Page() : 1 - Up_Page());
    // A click on the current cell would open its editor: come from the next cell instead.
    if (Grid->Col() == Col && Grid->GetRowEx() == Row) Press_Cell(Grid, Col == 1 ? 2 : Col - 1, Row);
    Press_Cell(Grid, Col, Row);
  }
  void Press_Cell(TAdvStringGrid* Grid, int Col, int Row) {
    Grid->ScrollInView(Col, Row);
    const TRect r = Grid->CellRect(Col, Row);
    driver_.Click(Grid, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  int Up_Page() const { return form_->TS_LoRaWAN_Uplink_Rules_List->PageIndex(); }
  // Types a row as the editor would leave it: cells from column First on.
  static void Put(TAdvStringGrid* Grid, int Row, const Cells& C, int First) {
    for (size_t i = 0; i < C.size(); ++i) Grid->SetCellEx(First + static_cast<int>(i), Row, C[i]);
  }
  // Clicks a device row and types it (columns 2 .. 13), then its rules into the rule grids.
  void Type_Device(int Row, const Cells& Device, const std::vector<Cells>& Ups = {},
                   const std::vector<Cells>& Downs = {}) {
    Click_Cell(Dev(), 2, Row);
    Put(Dev(), Row, Device, 2);
    if (!Ups.empty()) {
      Click_Cell(Up(), 2, 1);
      for (size_t i = 0; i < Ups.size(); ++i) Put(Up(), static_cast<int>(i) + 1, Ups[i], 1);
    }
    if (!Downs.empty()) {
      Click_Cell(Down(), 2, 1);
      for (size_t i = 0; i < Downs.size(); ++i) Put(Down(), static_cast<int>(i) + 1, Downs[i], 1);
    }
  }
  void Press(TControl* Button) { driver_.Click(Button); }
};

}  // namespace

TEST_F(LoRaWANFormTest, OkChecksAndWritesTheDevicesBeforeTheFirstBlankRow) {
  const Cells d1 = Good_Device(u"0000000000000001", u"one"), d2 = Good_Device(u"0000000000000002", u"two"),
              d3 = Good_Device(u"0000000000000003", u"three");
  Cells bad5 = Good_Device(u"0000000000000005", u"five");
  bad5[1] = u"not hex";  // would fail the check if row 5 were checked
  const int result = Open([&](TFLoRaWAN_Gateway* f) {
    EXPECT_EQ(f->Caption(), u"LoRaWAN Gateway Access");
    Type_Device(1, d1, {Up_Rule(u"1", u"u1")}, {Down_Rule(u"2", u"d1")});
    Type_Device(2, d2);
    Type_Device(3, d3, {Up_Rule(u"3", u"u3"), Up_Rule(u"4", u"u3b")});
    Type_Device(5, bad5, {Up_Rule(u"5", u"u5")});
    Press(f->Btn_OK);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(Take_Messages().empty());
  TDeviceLoRaList expected;
  Fill_Device(*expected[0], d1);
  Add_Up(*expected[0], Up_Rule(u"1", u"u1"));
  Add_Down(*expected[0], Down_Rule(u"2", u"d1"));
  Fill_Device(*expected[1], d2);
  Fill_Device(*expected[2], d3);
  Add_Up(*expected[2], Up_Rule(u"3", u"u3"));
  Add_Up(*expected[2], Up_Rule(u"4", u"u3b"));
  EXPECT_EQ(File_Bytes(Path_LoRaWAN_Gateway), LoRaWAN_Gateway_Bytes(expected));
}

TEST_F(LoRaWANFormTest, AnUplinkRowWithAStartTestAndNoPortIsStoredABlankDownlinkPortEndsTheRules) {
  Open([&](TFLoRaWAN_Gateway* f) {
    Cells up = Up_Rule(u"", u"test-only");
    up[0] = u"N";
    up[2] = u"3";
    Type_Device(1, Good_Device(u"0000000000000001", u"one"), {Up_Rule(u"1", u"a"), up, Up_Rule(u"7", u"b")},
                {Down_Rule(u"2", u"x"), Down_Rule(u"", u"gap"), Down_Rule(u"9", u"after")});
    Click_Cell(Dev(), 2, 1);
    const TDeviceLoRa& d = *f->DeviceList->Items(0);
    ASSERT_EQ(d.UpLinkRules.Count(), 3);
    EXPECT_EQ(d.UpLinkRules[1]->StartTest(), u"3");
    EXPECT_EQ(d.UpLinkRules[1]->Port(), u"");
    ASSERT_EQ(d.DownLinkRules.Count(), 1);
    EXPECT_EQ(d.DownLinkRules[0]->Mnemonic(), u"x");
  });
}

TEST_F(LoRaWANFormTest, TheBandGivesTheDataRateListAndTheModeTheLayout) {
  struct Case {
    const char* Name;
    std::vector<std::pair<std::string, std::string>> ParGen;  // empty: no ParGen.xml
    bool Master;
    String FirstRate;
  };
  const Case cases[] = {
      {"no ParGen.xml", {}, true, u"SF12BW125"},
      {"US915 exactly", {{"LoRaWAN_RF_Band", "US915"}}, true, u"SF12BW500"},
      {"us915", {{"LoRaWAN_RF_Band", "us915"}}, true, u"SF12BW125"},
      {"leading blank", {{"LoRaWAN_RF_Band", " US915"}}, true, u"SF12BW125"},
      {"END NODE", {{"LoRaWAN_Mode", "END NODE"}}, false, u"SF12BW125"},
      {"end node", {{"LoRaWAN_Mode", "end node"}, {"LoRaWAN_RF_Band", "US915"}}, false, u"SF12BW500"},
      {"End Node with a trailing blank", {{"LoRaWAN_Mode", "End Node "}}, true, u"SF12BW125"},
      {"Gateway", {{"LoRaWAN_Mode", "Gateway"}}, true, u"SF12BW125"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    std::filesystem::remove(dir_ / "ParGen.xml");
    if (!k.ParGen.empty()) Write_ParGen(k.ParGen);
    Open([&](TFLoRaWAN_Gateway* f) {
      EXPECT_EQ(f->ModeMaster, k.Master);
      ASSERT_EQ(f->RX2_SL->Count(), k.FirstRate == u"SF12BW500" ? 7 : 8);
      EXPECT_EQ(f->RX2_SL->Strings(0), k.FirstRate);
      EXPECT_EQ(f->RX2_SL->Strings(f->RX2_SL->Count() - 1), u"");
      EXPECT_EQ(f->PLoRaWAN_Device_List->Visible(), k.Master);
      EXPECT_EQ(f->Splitter1->Visible(), k.Master);
      TTabSheet* first = f->PC_LoRaWAN_Device_Rules_List->Pages(0);
      EXPECT_EQ(first, k.Master ? f->TS_LoRaWAN_Uplink_Rules_List : f->TS_LoRaWAN_Downlink_Rules_List);
      EXPECT_EQ(first->Caption(), UI_Text(5416));
      EXPECT_EQ(f->PC_LoRaWAN_Device_Rules_List->Pages(1)->Caption(), UI_Text(5417));
      EXPECT_EQ(f->PC_LoRaWAN_Device_Rules_List->ActivePageIndex(), 0);
      // Without a file the end node is entry 0 with a made-up EUI, so that it is written.
      EXPECT_EQ(f->DeviceList->Items(0)->DeviceEUI(), k.Master ? u"" : u"0001020304050607");
    });
  }
}

TEST_F(LoRaWANFormTest, AnEndNodeIsWrittenWithItsRulesAndItsRowButtonsActOnTheVisibleGrid) {
  Write_ParGen({{"LoRaWAN_Mode", "End Node"}});
  const int result = Open([&](TFLoRaWAN_Gateway* f) {
    // Before any grid was entered the buttons act on the first page's grid, not the hidden devices.
    Press(f->Btn_InsRow);
    EXPECT_EQ(f->DeviceList->Items(0)->DeviceEUI(), u"0001020304050607");
    Click_Cell(Down(), 2, 1);
    Put(Down(), 1, Down_Rule(u"2", u"sent"), 1);
    Click_Cell(Up(), 2, 1);
    Put(Up(), 1, Up_Rule(u"1", u"received"), 1);
    Press(f->Btn_OK);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(Take_Messages().empty());
  TDeviceLoRaList expected;
  expected[0]->SetDeviceEUI(u"0001020304050607");
  Add_Up(*expected[0], Up_Rule(u"1", u"received"));
  Add_Down(*expected[0], Down_Rule(u"2", u"sent"));
  EXPECT_EQ(File_Bytes(Path_LoRaWAN_Gateway), LoRaWAN_Gateway_Bytes(expected));
}

TEST_F(LoRaWANFormTest, APasteNeedsACopyFromTheSameGrid) {
  Open([&](TFLoRaWAN_Gateway* f) {
    Type_Device(1, Good_Device(u"0000000000000001", u"one"), {Up_Rule(u"1", u"u")}, {Down_Rule(u"2", u"d")});
    Click_Cell(Up(), 2, 1);
    Press(f->Btn_CopyRow);
    EXPECT_TRUE(f->DoCopy_Up());
    Click_Cell(Down(), 2, 3);
    Press(f->Btn_PasteRow);
    auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, UI_Text(1502));
    EXPECT_EQ(Down()->GetCellEx(2, 3), u"");
    // A device row pasted into a rule grid: the same.
    Click_Cell(Dev(), 2, 1);
    Press(f->Btn_CopyRow);
    EXPECT_TRUE(f->DoCopy_Dev);
    EXPECT_FALSE(f->DoCopy_Up());
    Click_Cell(Up(), 2, 4);
    Press(f->Btn_PasteRow);
    m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, UI_Text(1502));
    EXPECT_EQ(f->DeviceList->Items(0)->UpLinkRules.Count(), 1);
  });
}

TEST_F(LoRaWANFormTest, DeleteRowAsksWithTheRowNumberOfTheGridEnteredLast) {
  Open([&](TFLoRaWAN_Gateway* f) {
    std::vector<Cells> ups;
    for (int i = 1; i <= 8; ++i) ups.push_back(Up_Rule(IntToStr(i), u"r" + IntToStr(i)));
    Type_Device(1, Good_Device(u"0000000000000001", u"one"), ups);
    Click_Cell(Up(), 2, 7);
    script_.ExpectMessage(mrNo);
    Press(f->Btn_DelRow);
    auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    String q = UI_Text(3347);
    q.replace(q.find(u"%d"), 2, u"7");
    EXPECT_EQ(m[0].Text, q);
    EXPECT_EQ(m[0].Type, mtConfirmation);
    EXPECT_EQ(Up()->GetCellEx(10, 7), u"r7");
    EXPECT_EQ(f->DeviceList->Items(0)->UpLinkRules.Count(), 8);
    // The device grid asks its own question.
    Click_Cell(Dev(), 3, 1);
    script_.ExpectMessage(mrNo);
    Press(f->Btn_DelRow);
    m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    q = UI_Text(3346);
    q.replace(q.find(u"%d"), 2, u"1");
    EXPECT_EQ(m[0].Text, q);
    EXPECT_EQ(Dev()->GetCellEx(2, 1), u"0000000000000001");
  });
}

TEST_F(LoRaWANFormTest, RulesStayWithTheirDevice) {
  const Cells dA = Good_Device(u"00000000000000AA", u"a"), dB = Good_Device(u"00000000000000BB", u"b"),
              dC = Good_Device(u"00000000000000CC", u"c");
  const Cells uA = Up_Rule(u"1", u"ua"), uB = Up_Rule(u"2", u"ub"), uC = Up_Rule(u"3", u"uc");
  const Cells wA = Down_Rule(u"11", u"da"), wC = Down_Rule(u"33", u"dc");
  struct Sequence {
    const char* Name;
    std::function<void(LoRaWANFormTest&, TFLoRaWAN_Gateway*)> Steps;
    std::vector<std::tuple<Cells, std::vector<Cells>, std::vector<Cells>>> Expected;  // device, ups, downs
  };
  const Sequence sequences[] = {
      {"insert before B",
       [](LoRaWANFormTest& t, TFLoRaWAN_Gateway* f) {
         t.Click_Cell(t.Dev(), 3, 2);
         t.Press(f->Btn_InsRow);
         EXPECT_EQ(f->Rules_Device(), 1);
         EXPECT_EQ(t.Up()->GetCellEx(2, 1), u"");  // the new device has no rules
         t.Click_Cell(t.Dev(), 2, 2);
         t.Put(t.Dev(), 2, Good_Device(u"00000000000000DD", u"d"), 2);
       },
       {{dA, {uA}, {wA}}, {Good_Device(u"00000000000000DD", u"d"), {}, {}}, {dB, {uB}, {}}, {dC, {uC}, {wC}}}},
      {"delete A",
       [](LoRaWANFormTest& t, TFLoRaWAN_Gateway* f) {
         t.Click_Cell(t.Dev(), 3, 1);
         t.script_.ExpectMessage(mrYes);
         t.Press(f->Btn_DelRow);
         EXPECT_EQ(t.Up()->GetCellEx(10, 1), u"ub");  // B moved up with its rules, and is shown
       },
       {{dB, {uB}, {}}, {dC, {uC}, {wC}}}},
      {"copy C, paste over A",
       [](LoRaWANFormTest& t, TFLoRaWAN_Gateway* f) {
         t.Click_Cell(t.Dev(), 3, 3);
         t.Press(f->Btn_CopyRow);
         t.Click_Cell(t.Dev(), 3, 1);
         t.script_.ExpectMessage(mrYes);  // row in use
         t.Press(f->Btn_PasteRow);
         EXPECT_EQ(t.Down()->GetCellEx(10, 1), u"dc");
       },
       {{dC, {uC}, {wC}}, {dB, {uB}, {}}, {dC, {uC}, {wC}}}},
      {"paste refused keeps A's rules",
       [](LoRaWANFormTest& t, TFLoRaWAN_Gateway* f) {
         t.Click_Cell(t.Dev(), 3, 3);
         t.Press(f->Btn_CopyRow);
         t.Click_Cell(t.Dev(), 3, 1);
         t.script_.ExpectMessage(mrNo);
         t.Press(f->Btn_PasteRow);
       },
       {{dA, {uA}, {wA}}, {dB, {uB}, {}}, {dC, {uC}, {wC}}}},
      {"keyboard moves, then an edit of the rules shown",
       [&](LoRaWANFormTest& t, TFLoRaWAN_Gateway* f) {
         t.Click_Cell(t.Dev(), 3, 1);
         t.driver_.Key(f, VK_DOWN);
         t.driver_.Key(f, VK_DOWN);
         EXPECT_EQ(t.Dev()->GetRowEx(), 3);
         EXPECT_EQ(t.Up()->GetCellEx(10, 1), u"uc");
         t.driver_.Key(f, VK_UP);
         EXPECT_EQ(t.Up()->GetCellEx(10, 1), u"ub");
         t.Click_Cell(t.Up(), 2, 2);
         t.Put(t.Up(), 2, Up_Rule(u"22", u"ub2"), 1);
         t.Click_Cell(t.Dev(), 3, 3);  // B's rules are stored into B, then C's are shown
         EXPECT_EQ(t.Up()->GetCellEx(10, 1), u"uc");
       },
       {{dA, {uA}, {wA}}, {dB, {uB, Up_Rule(u"22", u"ub2")}, {}}, {dC, {uC}, {wC}}}},
      {"a rule row moved in code while its grid has the focus",
       [](LoRaWANFormTest& t, TFLoRaWAN_Gateway* f) {
         t.Click_Cell(t.Dev(), 3, 3);
         t.Click_Cell(t.Up(), 2, 1);
         t.Put(t.Up(), 1, Up_Rule(u"30", u"uc2"), 1);
         t.Dev()->SetRowEx(1);  // stores C's rules first
         EXPECT_EQ(f->Rules_Device(), 0);
       },
       {{dA, {uA}, {wA}}, {dB, {uB}, {}}, {dC, {Up_Rule(u"30", u"uc2")}, {wC}}}},
  };
  for (const Sequence& s : sequences) {
    SCOPED_TRACE(s.Name);
    std::filesystem::remove(ToPath(Path_LoRaWAN_Gateway));
    const int result = Open([&](TFLoRaWAN_Gateway* f) {
      Type_Device(1, dA, {uA}, {wA});
      Type_Device(2, dB, {uB});
      Type_Device(3, dC, {uC}, {wC});
      s.Steps(*this, f);
      Press(f->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    for (const auto& m : Take_Messages()) EXPECT_NE(m.Type, mtError) << StringToUtf8(m.Text);
    TDeviceLoRaList expected;
    for (size_t i = 0; i < s.Expected.size(); ++i) {
      const auto& [device, ups, downs] = s.Expected[i];
      Fill_Device(*expected[static_cast<int>(i)], device);
      for (const Cells& u : ups) Add_Up(*expected[static_cast<int>(i)], u);
      for (const Cells& d : downs) Add_Down(*expected[static_cast<int>(i)], d);
    }
    EXPECT_EQ(File_Bytes(Path_LoRaWAN_Gateway), LoRaWAN_Gateway_Bytes(expected));
  }
}

TEST_F(LoRaWANFormTest, TheActivationMethodSetsTheKeyColumnsOfItsRowAndIsRebuiltOnShow) {
  auto readOnly = [&](int Col, int Row) {
    return Dev()->HasCellProperties(Col, Row) && Dev()->GetCellProperties(Col, Row)->ReadOnly();
  };
  Open([&](TFLoRaWAN_Gateway* f) {
    TEditorType editor = edNormal;
    f->ASG_LoRaWAN_Device_ListGetEditorType(Dev(), 5, 2, editor);
    EXPECT_EQ(editor, edComboList);
    EXPECT_EQ(Dev()->GetComboCount(), 2);
    Cells otaa = Good_Device(u"0000000000000002", u"two");
    otaa[3] = LoRaWAN_Act_OTAA;
    otaa[4] = otaa[5] = u"";
    otaa[6] = Hex(32, u'3');
    Type_Device(1, Good_Device(u"0000000000000001", u"one"));
    Type_Device(2, otaa);
    // Through the grid's event, as the list editor reports a choice.
    ASSERT_TRUE(Dev()->OnComboChange);
    Dev()->OnComboChange(Dev(), 5, 2, 1, LoRaWAN_Act_OTAA);
    EXPECT_TRUE(readOnly(6, 2));
    EXPECT_TRUE(readOnly(7, 2));
    EXPECT_FALSE(readOnly(8, 2));
    EXPECT_FALSE(readOnly(6, 1));
    Dev()->OnComboChange(Dev(), 5, 1, 0, LoRaWAN_Act_ABP);
    EXPECT_TRUE(readOnly(8, 1));
    Press(f->Btn_OK);
  });
  EXPECT_TRUE(Take_Messages().empty());
  Open([&](TFLoRaWAN_Gateway*) {
    EXPECT_TRUE(readOnly(6, 2));
    EXPECT_FALSE(readOnly(8, 2));
    EXPECT_TRUE(readOnly(8, 1));
    EXPECT_TRUE(readOnly(8, 3));  // an empty method: the session keys are the editable ones
    EXPECT_FALSE(readOnly(6, 3));
  });
}

TEST_F(LoRaWANFormTest, AFailingCheckOrCancelWritesNothing) {
  Cells bad = Good_Device(u"0000000000000001", u"one");
  bad[7] = u"123";  // Device Address of three characters
  Open([&](TFLoRaWAN_Gateway* f) {
    Type_Device(1, bad);
    Press(f->Btn_OK);
    EXPECT_EQ(f->ModalResult(), mrNone);
    Press(f->Btn_Cancel);
  });
  auto m = Take_Messages();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].Text, FormatLiteralD(UI_Text(5496), {1}));
  EXPECT_FALSE(FileExists(Path_LoRaWAN_Gateway));
}

TEST_F(LoRaWANFormTest, AFileTooLongForTheGridIsReportedAndOkAsksBeforeReplacingIt) {
  TDeviceLoRaList big(LoRaWAN_Max_Devices + 1);
  for (int i = 0; i < big.Count(); ++i) Fill_Device(*big[i], Good_Device(u"00000000000000" + IntToStr(10 + i % 90), u"n"));
  const std::string original = LoRaWAN_Gateway_Bytes(big);
  Write("LoRaWAN_Gateway.xml", original);
  Open([&](TFLoRaWAN_Gateway* f) {
    auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);  // reported when the form opens
    EXPECT_EQ(m[0].Type, mtError);
    EXPECT_EQ(Dev()->GetCellEx(2, 1000), u"0000000000000019");  // what was read is shown
    script_.ExpectMessage(mrNo);
    Press(f->Btn_OK);
    m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Type, mtConfirmation);
    EXPECT_EQ(f->ModalResult(), mrNone);
  });
  EXPECT_EQ(File_Bytes(Path_LoRaWAN_Gateway), original);
}

TEST_F(LoRaWANFormTest, TheImageBuiltFromTheFormsFileEqualsTheOneFromTheSameModelWrittenDirectly) {
  TDeviceLoRaList model;
  Cells otaa = Good_Device(u"0000000000000002", u"two");
  otaa[3] = LoRaWAN_Act_OTAA;
  otaa[6] = Hex(32, u'A');
  Fill_Device(*model[0], Good_Device(u"0000000000000001", u"one"));
  Add_Up(*model[0], Up_Rule(u"1", u"u1"));
  Add_Down(*model[0], Down_Rule(u"2", u"d1"));
  Fill_Device(*model[1], otaa, false);
  Add_Up(*model[1], Up_Rule(u"3", u"u2"));
  Fill_Device(*model[2], Good_Device(u"0000000000000003", u"three"));
  Add_Down(*model[2], Down_Rule(u"4", u"d3"));

  Save_LoRaWAN_Gateway_File(Path_LoRaWAN_Gateway, model);
  Build();
  const bank_test::Bytes direct = bank2;
  std::filesystem::remove(ToPath(Path_LoRaWAN_Gateway));

  const int result = Open([&](TFLoRaWAN_Gateway* f) {
    Type_Device(1, Good_Device(u"0000000000000001", u"one"), {Up_Rule(u"1", u"u1")}, {Down_Rule(u"2", u"d1")});
    Type_Device(2, otaa, {Up_Rule(u"3", u"u2")});
    Dev()->SetCheckBoxState(1, 2, false);
    Type_Device(3, Good_Device(u"0000000000000003", u"three"), {}, {Down_Rule(u"4", u"d3")});
    Press(f->Btn_OK);
  });
  ASSERT_EQ(result, mrOk);
  Build();
  EXPECT_EQ(bank2, direct);
}

TEST_F(LoRaWANFormTest, HeaderHintsComeFromTheHintLists) {
  Open([&](TFLoRaWAN_Gateway* f) {
    String hint;
    f->Grid_Hint(Dev(), 0, 12, hint);
    EXPECT_EQ(hint, UI_Text(5516));
    f->Grid_Hint(Dev(), 3, 12, hint);
    EXPECT_EQ(hint, u"");
    f->Grid_Hint(Up(), 0, 1, hint);
    EXPECT_EQ(hint, UI_Text(5454));
    f->Grid_Hint(Down(), 0, 10, hint);
    EXPECT_EQ(hint, UI_Text(5484));
    EXPECT_EQ(Dev()->GetCellEx(12, 0), UI_Text(5515));
    EXPECT_EQ(Up()->Columns()->Items(0)->Header(), UI_Text(5443));
  });
}
