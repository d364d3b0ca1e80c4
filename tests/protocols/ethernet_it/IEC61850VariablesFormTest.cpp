// The IEC 61850 server variables form: its check routine, its file, and the table form frame's
// common behaviour (empty key, rows below it, disabled rows, foreign names, paste without copy,
// delete answered No, files with more rows than the table) shown on it.
#include "protocols/ethernet_it/UIEC61850_Variables.h"
#include "tests/protocols/ethernet_it/EthernetItFormTestSupport.h"

using ethernet_it_test::Cells;
using ethernet_it_test::File_Text;
using ethernet_it_test::Fixture;
using ethernet_it_test::Put_Row;
using ethernet_it_test::Row_Of;
using ethernet_it_test::With;

namespace {

enum IecCol { icEnable = 1, icName, icType, icLength, icReadOnly, icPosition, icStartBit, icConversion, icFactor,
              icSwap, icSwapWord, icMnemonic };

Cells Variable(const String& Name, const String& Type = u"Float", const String& Length = u"4",
               const String& Position = u"0") {
  return {u"Y", Name, Type, Length, u"N", Position, u"", u"None", u"None", u"N", u"N", u"note"};
}

class IecVariablesTest : public ethernet_it_test::FormTest<TFIEC61850_Variables> {
 protected:
  IecVariablesTest()
      : FormTest(u"TFIEC61850_Variables", FIEC61850_Variables, &TFKelvaneFirmWare::Btn_IEC61850_Access) {}
  void TearDown() override {
    ResetFormatSettings();
    FormTest::TearDown();
  }
};

struct IecCase {
  const char* Name;
  std::vector<Cells> Rows;
  const char16_t* Message;  // nullptr: the table passes
};

}  // namespace

TEST_F(IecVariablesTest, TheCheckShowsTheFirstFailureWhole) {
  const Cells v = Variable(u"temp");
  const IecCase cases[] = {
      {"a disabled row with Length 9", {With(With(v, icEnable, u"N"), icLength, u"9")}, nullptr},
      {"Length 4, Float, Position 1437", {Variable(u"t", u"Float", u"4", u"1437")}, nullptr},
      {"Position 1438", {Variable(u"t", u"Float", u"4", u"1438")}, u"Error row 1!! Position must be between 0 and 1437"},
      {"Position -1 in row 2", {v, With(v, icPosition, u"-1")}, u"Error row 2!! Position must be between 0 and 1437"},
      {"Position empty", {With(v, icPosition, u"")}, u"Error row 1!! Position must be between 0 and 1437"},
      {"Length 0", {With(v, icLength, u"0")}, u"Error row 1!! Length must be between 1 and 4"},
      {"Length 5", {With(v, icLength, u"5")}, u"Error row 1!! Length must be between 1 and 4"},
      {"Length x", {With(v, icLength, u"x")}, u"Error row 1!! Length must be between 1 and 4"},
      {"Digital (Bit) without Start Bit", {Variable(u"b", u"Digital (Bit)", u"1")}, u"Error row 1!! Start Bit must be Selected "},
      {"Digital (Bit) with Start Bit 3", {With(Variable(u"b", u"Digital (Bit)", u"1"), icStartBit, u"3")}, nullptr},
      {"Int without Start Bit", {Variable(u"i", u"Int")}, nullptr},
      {"Conversion empty", {With(v, icConversion, u" ")}, u"Error row 1!! Conversion must be Selected "},
      {"Conversion empty on an Int row", {With(Variable(u"i", u"Int"), icConversion, u"")},
       u"Error row 1!! Conversion must be Selected "},
      {"Molt. Factor none", {With(v, icFactor, u" none ")}, nullptr},
      {"Molt. Factor empty", {With(v, icFactor, u"")}, u"Error row 1!! Molt. Factor must be a valid Float"},
      {"Molt. Factor abc", {With(v, icFactor, u"abc")}, u"Error row 1!! Molt. Factor must be a valid Float"},
      {"Molt. Factor 1,5", {With(v, icFactor, u"1,5")}, nullptr},
      {"Molt. Factor 1.5", {With(v, icFactor, u"1.5")}, nullptr},
      {"Length is tested before Position", {With(With(v, icLength, u"9"), icPosition, u"9999")},
       u"Error row 1!! Length must be between 1 and 4"},
      {"an empty Name ends the table", {v, With(v, icName, u" "), With(v, icLength, u"9")}, nullptr},
  };
  for (const Char separator : {u',', u'.'}) {
    FormatSettings().DecimalSeparator = separator;
    for (const IecCase& k : cases) {
      SCOPED_TRACE(std::string(k.Name) + (separator == u',' ? " (comma)" : " (point)"));
      form_->Reset_Grids();
      for (size_t i = 0; i < k.Rows.size(); ++i) Put_Row(form_->ACG, static_cast<int>(i) + 1, k.Rows[i]);
      Expect_Check(form_->Controllo_dati(), k.Message);
    }
  }
}

TEST_F(IecVariablesTest, TheStepOpensTheFormOnTheFrame) {
  EXPECT_EQ(Open([&](TFIEC61850_Variables* f) {
              EXPECT_EQ(f->Caption(), u"Set Variables Access for IEC61850");
              EXPECT_EQ(f->L_SW_Desc->Caption(), u"Set Variables Access for IEC61850");
              EXPECT_EQ(f->ClientWidth(), 1155);
              EXPECT_EQ(f->ClientHeight(), 337);
              EXPECT_EQ(f->ACG->RowCount(), 51);
              EXPECT_EQ(f->NByte_IN, 1438);
              int left = 16;
              for (TLbButton* b : {f->Btn_OK, f->Btn_Cancel, f->Btn_DelRow, f->Btn_InsRow, f->Btn_CopyRow, f->Btn_PasteRow}) {
                EXPECT_EQ((std::vector<int>{b->Left(), b->Top(), b->Width(), b->Height()}),
                          (std::vector<int>{left, 6, 110, 28}));
                left += 118;
              }
              EXPECT_EQ(f->Btn_PasteRow->Caption(), u"Paste Row");
              EXPECT_EQ(f->Btn_PasteRow->Hint(), u"Paste the Copied Fields in the Selected Row");
              EXPECT_EQ(f->ACG->Columns()->Items(icFactor)->Header(), u"Molt. Factor");
              EXPECT_EQ(f->ACG->Columns()->Items(icSwapWord)->Header(), u"Swap Word");
              EXPECT_EQ(f->ACG->Columns()->Items(icFactor)->Editor(), edComboEdit);
              ASSERT_EQ(f->Hint_List->Count(), 12);
              // Header hints by the real column, also with a column hidden before it.
              f->ACG->HideColumn(icType);
              String hint;
              f->ACG->OnGridHint(f->ACG, 0, f->ACG->RealToDisplCol(icMnemonic), hint);
              EXPECT_EQ(hint, u"Insert the Description of IEC61850 Variable");
              f->ACG->UnHideColumn(icType);
              // Choosing a combo item changes nothing of the form's own.
              Put_Row(f->ACG, 1, Variable(u"a"));
              f->ACG->OnComboChange(f->ACG, icType, 1, 0, u"Int");
              EXPECT_EQ(Row_Of(f->ACG, 1), Variable(u"a"));
            }),
            mrNone);
}

TEST_F(IecVariablesTest, TheFileIsWrittenAsTheGoldenFileAndTwoSavesAreIdentical) {
  const Cells bit = {u"Y", u"alarm", u"Digital (Bit)", u"1", u"Y", u"12", u"7", u"None", u"None", u"N", u"N", u""};
  const Cells scaled = {u"N", u"flow", u"Int", u"9", u"N", u"100", u"", u"Int to Float", u"0,25", u"Y", u"Y",
                        u"a \"quoted\" <note> & more"};
  EXPECT_EQ(Open([&](TFIEC61850_Variables* f) {
              Put_Row(f->ACG, 1, Variable(u"temp", u"Float", u"4", u"1437"));
              Put_Row(f->ACG, 2, bit);
              Put_Row(f->ACG, 3, scaled);
              Put_Row(f->ACG, 5, Variable(u"below the empty key"));
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  EXPECT_TRUE(Take_Messages().empty());
  const std::string first = File_Text(Path_IEC61850_Variables);
  EXPECT_EQ(first, Fixture("IEC61850_Variables.xml"));
  EXPECT_EQ(Open([&](TFIEC61850_Variables* f) {
              EXPECT_EQ(Row_Of(f->ACG, 1), Variable(u"temp", u"Float", u"4", u"1437"));
              EXPECT_EQ(Row_Of(f->ACG, 2), bit);
              EXPECT_EQ(Row_Of(f->ACG, 3), scaled);  // the disabled row kept its Length 9
              EXPECT_EQ(Row_Of(f->ACG, 5), (Cells{u"Y", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u""}));
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  EXPECT_EQ(File_Text(Path_IEC61850_Variables), first);
}

TEST_F(IecVariablesTest, AnEmptyKeyInRowOneWritesTheRootAlone) {
  EXPECT_EQ(Open([&](TFIEC61850_Variables* f) {
              Put_Row(f->ACG, 1, With(Variable(u"x", u"Int", u"99"), icName, u"  "));
              Put_Row(f->ACG, 2, Variable(u"x", u"Int", u"99"));
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  EXPECT_TRUE(Take_Messages().empty());
  EXPECT_EQ(File_Text(Path_IEC61850_Variables), "<IEC61850_Variables/><!--SW_VERSION = 1.000-->");
}

TEST_F(IecVariablesTest, AFileWithOtherNamesIsReadAndMissingAttributesTakeTheirDefaults) {
  Write("IEC61850_Variables.xml",
        "<Other_Root><variable Name=\"a\" Length=\"2\"/><!--note--><item Enable=\"N\" Name=\"b\" ReadOnly=\"Y\" "
        "Swap=\"Y\"/></Other_Root>");
  Open([&](TFIEC61850_Variables* f) {
    EXPECT_TRUE(Take_Messages().empty());
    EXPECT_FALSE(f->Load_Incomplete());
    EXPECT_EQ(Row_Of(f->ACG, 1), (Cells{u"Y", u"a", u"", u"2", u"N", u"", u"", u"", u"", u"N", u"N", u""}));
    EXPECT_EQ(Row_Of(f->ACG, 2), (Cells{u"N", u"b", u"", u"", u"Y", u"", u"", u"", u"", u"Y", u"N", u""}));
    EXPECT_EQ(f->ACG->GetCellEx(0, 2), u"2");
  });
}

TEST_F(IecVariablesTest, PasteRightAfterTheShowIsRefusedAndDeleteAnsweredNoChangesNothing) {
  Grid_Clipboard->Clear();
  for (int i = 0; i < 12; ++i) Grid_Clipboard->Add(u"from elsewhere");
  Open([&](TFIEC61850_Variables* f) {
    Put_Row(f->ACG, 1, Variable(u"a"));
    Put_Row(f->ACG, 2, Variable(u"b"));
    Click_Cell(f->ACG, icName, 2);
    driver_.Click(f->Btn_PasteRow);
    auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Error!!! Copy a valid row before Paste it");
    EXPECT_FALSE(f->Do_Copy());
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_DelRow);
    m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Are you sure to delete the Row number 2");
    EXPECT_EQ(Row_Of(f->ACG, 1), Variable(u"a"));
    EXPECT_EQ(Row_Of(f->ACG, 2), Variable(u"b"));
    // Copy, then paste into a used row after Yes; Insert gives an empty enabled row.
    driver_.Click(f->Btn_CopyRow);
    EXPECT_TRUE(f->Do_Copy());
    Click_Cell(f->ACG, icName, 1);
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_PasteRow);
    EXPECT_EQ(Take_Messages().size(), 1u);
    EXPECT_EQ(Row_Of(f->ACG, 1), Variable(u"b"));
    driver_.Click(f->Btn_InsRow);
    EXPECT_EQ(f->ACG->GetCellEx(icEnable, 1), u"Y");
    EXPECT_EQ(f->ACG->GetCellEx(icName, 1), u"");
    EXPECT_EQ(f->ACG->GetCellEx(icName, 2), u"b");
  });
}

TEST_F(IecVariablesTest, AFileWithMoreRowsThanTheTableIsReportedAndOkAsksBeforeDroppingThem) {
  std::string rows;
  for (int i = 1; i <= 51; ++i) rows += "<row Name=\"v" + std::to_string(i) + "\"/>";
  Write("IEC61850_Variables.xml", "<IEC61850_Variables>" + rows + "</IEC61850_Variables>");
  const std::string before = File_Text(Path_IEC61850_Variables);
  Open([&](TFIEC61850_Variables* f) {
    auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Type, mtError);
    EXPECT_EQ(m[0].Text, u"Error in file IEC61850_Variables.xml: \"IEC61850_Variables\" holds more than 50 rows; only "
                         u"the first 50 were loaded.");
    EXPECT_TRUE(f->Load_Incomplete());
    EXPECT_EQ(f->ACG->GetCellEx(icName, 50), u"v50");
    for (int r = 1; r <= 50; ++r) f->ACG->SetCellEx(icFactor, r, u"None");
    for (int r = 1; r <= 50; ++r) f->ACG->SetCellEx(icEnable, r, u"N");
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_OK);
    m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Type, mtConfirmation);
    EXPECT_EQ(f->ModalResult(), mrNone);
  });
  EXPECT_EQ(File_Text(Path_IEC61850_Variables), before);
  // A file that stops part-way: the rows read stay, the failure is reported, OK asks.
  Write("IEC61850_Variables.xml", "<IEC61850_Variables><row Name=\"a\"/><row Name=\"b\"");
  Open([&](TFIEC61850_Variables* f) {
    auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Type, mtError);
    EXPECT_TRUE(f->Load_Incomplete());
    f->ACG->SetCellEx(icName, 1, u"");
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(Take_Messages().size(), 1u);
  });
  EXPECT_EQ(File_Text(Path_IEC61850_Variables), "<IEC61850_Variables/><!--SW_VERSION = 1.000-->");
}
