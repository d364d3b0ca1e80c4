// The TLS known certificates form: a plain string grid whose Enable column holds cell check boxes,
// row operations that move box states and read-only cells, no check, certificates with line breaks
// kept through save and load.
#include "protocols/ethernet_it/UTLS_Server_Known_Cert.h"
#include "tests/protocols/ethernet_it/EthernetItFormTestSupport.h"

using ethernet_it_test::File_Text;
using ethernet_it_test::Fixture;

namespace {

const String kPem = u"-----BEGIN CERTIFICATE-----\nMIIBszCCAVmgAwIBAgIUQ2VydGlmaWNhdGU=\n-----END CERTIFICATE-----";

class TlsCertTest : public ethernet_it_test::FormTest<TFTLS_Server_Known_Cert> {
 protected:
  TlsCertTest()
      : FormTest(u"TFTLS_Server_Known_Cert", FTLS_Server_Known_Cert, &TFKelvaneFirmWare::Btn_TLS_List_Certificates) {}
  static bool Box(TAdvStringGrid* Grid, int Row) {
    bool state = false;
    EXPECT_TRUE(Grid->GetCheckBoxState(1, Row, state)) << "row " << Row << " has no box";
    return state;
  }
  static bool Read_Only(TAdvStringGrid* Grid, int Col, int Row) {
    return Grid->HasCellProperties(Col, Row) && Grid->GetCellProperties(Col, Row)->ReadOnly();
  }
};

}  // namespace

TEST_F(TlsCertTest, TheTableIsAPlainStringGridWithBoxesTallRowsAndColours) {
  EXPECT_EQ(form_->ASG->ClassName(), u"TAdvStringGrid");
  EXPECT_EQ(form_->Grids[0], nullptr);
  EXPECT_EQ(form_->ClientWidth(), 800);
  EXPECT_EQ(form_->ClientHeight(), 337);
  EXPECT_EQ(form_->ASG->RowCount(), 11);
  EXPECT_EQ(form_->ASG->ColCount(), 4);
  EXPECT_EQ((std::vector<String>{form_->ASG->GetCellEx(0, 0), form_->ASG->GetCellEx(1, 0), form_->ASG->GetCellEx(2, 0),
                                 form_->ASG->GetCellEx(3, 0)}),
            (std::vector<String>{u"N", u"Enable", u"Certificate", u"Mnemonic"}));
  EXPECT_EQ((std::vector<int>{form_->ASG->ColWidths(0), form_->ASG->ColWidths(1), form_->ASG->ColWidths(2),
                              form_->ASG->ColWidths(3)}),
            (std::vector<int>{40, 50, 500, 160}));
  for (int r = 1; r <= 10; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(form_->ASG->RowHeights(r), 60);
    EXPECT_EQ(form_->ASG->GetCellEx(0, r), IntToStr(r));
    EXPECT_FALSE(Box(form_->ASG, r));  // cleared at creation, set by every show
    EXPECT_EQ(form_->ASG->GetColors(1, r), TColor(0x00B0D8FF));
    EXPECT_EQ(form_->ASG->GetColors(2, r), TColor(0x00FEFAE0));
    EXPECT_EQ(form_->ASG->GetColors(3, r), clWhite);
    EXPECT_EQ(form_->ASG->GetAlignments(1, r), taCenter);
  }
  ASSERT_EQ(form_->Hint_List->Count(), 3);
  String hint;
  form_->ASG->OnGridHint(form_->ASG, 0, 2, hint);
  EXPECT_EQ(hint, u"Insert the TLS Certificate");
  EXPECT_EQ(form_->Btn_OK->Hint(), u"Confirm and save the TLS Certificates List");
  EXPECT_EQ(form_->Btn_CopyRow->Left(), 488);
}

TEST_F(TlsCertTest, EnableReadsAsSetUnlessExactlyNAndABlankCertificateEndsTheList) {
  Write("TLS_Known_Cert.xml",
        "<TLS_Server_Known_Cert><row Enable=\"n\" Certificate=\"a\" Mnemonic=\"lower\"/>"
        "<row Enable=\"N\" Certificate=\"b\"/><row Certificate=\"c\"/><row Enable=\"x\" Certificate=\"   \"/>"
        "<row Enable=\"Y\" Certificate=\"e\" Mnemonic=\"below\"/></TLS_Server_Known_Cert>");
  EXPECT_EQ(Open([&](TFTLS_Server_Known_Cert* f) {
              EXPECT_TRUE(Take_Messages().empty());
              EXPECT_EQ((std::vector<bool>{Box(f->ASG, 1), Box(f->ASG, 2), Box(f->ASG, 3), Box(f->ASG, 4),
                                           Box(f->ASG, 5), Box(f->ASG, 6)}),
                        (std::vector<bool>{true, false, true, true, true, true}));
              EXPECT_EQ(f->ASG->GetCellEx(3, 1), u"lower");
              EXPECT_EQ(f->ASG->GetCellEx(3, 3), u"");
              EXPECT_EQ(f->ASG->GetCellEx(2, 5), u"e");
              driver_.Click(f->Btn_OK);
              EXPECT_TRUE(Take_Messages().empty());  // nothing is checked
            }),
            mrOk);
  EXPECT_EQ(File_Text(Path_TLS_Known_Cert),
            "<TLS_Server_Known_Cert><row Enable=\"Y\" Certificate=\"a\" Mnemonic=\"lower\"/>"
            "<row Enable=\"N\" Certificate=\"b\" Mnemonic=\"\"/><row Enable=\"Y\" Certificate=\"c\" Mnemonic=\"\"/>"
            "</TLS_Server_Known_Cert><!--SW_VERSION = 1.000-->");
}

TEST_F(TlsCertTest, APemCertificateRoundTripsByteForByte) {
  EXPECT_EQ(Open([&](TFTLS_Server_Known_Cert* f) {
              f->ASG->SetCellEx(2, 1, kPem);
              f->ASG->SetCellEx(3, 1, u"root CA");
              f->ASG->SetCheckBoxState(1, 2, false);
              f->ASG->SetCellEx(2, 2, u"second\r\nwith CR LF");
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  const std::string first = File_Text(Path_TLS_Known_Cert);
  EXPECT_EQ(first, Fixture("TLS_Known_Cert.xml"));
  EXPECT_EQ(Open([&](TFTLS_Server_Known_Cert* f) {
              EXPECT_EQ(f->ASG->GetCellEx(2, 1), kPem);
              EXPECT_EQ(f->ASG->GetCellEx(2, 2), u"second\r\nwith CR LF");
              EXPECT_FALSE(Box(f->ASG, 2));
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  EXPECT_EQ(File_Text(Path_TLS_Known_Cert), first);
}

TEST_F(TlsCertTest, AfterDeleteTheLastRowIsReadOnlyUntilARowIsInsertedThere) {
  Open([&](TFTLS_Server_Known_Cert* f) {
    for (int r = 1; r <= 10; ++r) f->ASG->SetCellEx(2, r, u"cert " + IntToStr(r));
    f->ASG->SetCheckBoxState(1, 10, false);
    Click_Cell(f->ASG, 2, 3);
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_DelRow);
    auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Are you sure to delete the Row number 3");
    EXPECT_EQ(f->ASG->GetCellEx(2, 3), u"cert 4");
    EXPECT_FALSE(Box(f->ASG, 9));  // moved up as a state
    EXPECT_EQ(f->ASG->GetCellEx(2, 10), u"");
    EXPECT_TRUE(Box(f->ASG, 10));
    EXPECT_TRUE(Read_Only(f->ASG, 2, 10));
    EXPECT_TRUE(Read_Only(f->ASG, 3, 10));
    // An insert higher up moves the read-only row out of the table; the last row is still it.
    Click_Cell(f->ASG, 2, 5);
    driver_.Click(f->Btn_InsRow);
    EXPECT_TRUE(Box(f->ASG, 5));
    EXPECT_FALSE(Read_Only(f->ASG, 2, 5));
    EXPECT_FALSE(Read_Only(f->ASG, 2, 10));  // row 9 moved down, editable
    Click_Cell(f->ASG, 2, 1);
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_DelRow);
    Take_Messages();
    EXPECT_TRUE(Read_Only(f->ASG, 2, 10));
    Click_Cell(f->ASG, 2, 10);
    ASSERT_EQ(f->ASG->GetRowEx(), 10);
    driver_.Click(f->Btn_InsRow);
    EXPECT_FALSE(Read_Only(f->ASG, 2, 10));
    EXPECT_TRUE(Box(f->ASG, 10));
  });
}

TEST_F(TlsCertTest, CopyAndPasteCarryTheBoxState) {
  Grid_Clipboard->Clear();
  for (int i = 0; i < 3; ++i) Grid_Clipboard->Add(u"x");
  Open([&](TFTLS_Server_Known_Cert* f) {
    f->ASG->SetCellEx(2, 1, u"a");
    f->ASG->SetCheckBoxState(1, 1, false);
    Click_Cell(f->ASG, 2, 2);
    driver_.Click(f->Btn_PasteRow);
    auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Error!!! Copy a valid row before Paste it");
    Click_Cell(f->ASG, 2, 1);
    driver_.Click(f->Btn_CopyRow);
    EXPECT_EQ(Grid_Clipboard->Strings(0), u"N");
    Click_Cell(f->ASG, 2, 2);
    driver_.Click(f->Btn_PasteRow);
    EXPECT_TRUE(Take_Messages().empty());
    EXPECT_FALSE(Box(f->ASG, 2));
    EXPECT_EQ(f->ASG->GetCellEx(2, 2), u"a");
  });
}

TEST_F(TlsCertTest, AFileWithMoreThanTenCertificatesIsReportedAndOkAsks) {
  std::string rows;
  for (int i = 1; i <= 12; ++i) rows += "<row Certificate=\"c" + std::to_string(i) + "\"/>";
  Write("TLS_Known_Cert.xml", "<TLS_Server_Known_Cert>" + rows + "</TLS_Server_Known_Cert>");
  const std::string before = File_Text(Path_TLS_Known_Cert);
  Open([&](TFTLS_Server_Known_Cert* f) {
    auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Error in file TLS_Known_Cert.xml: \"TLS_Server_Known_Cert\" holds more than 10 rows; "
                         u"only the first 10 were loaded.");
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(Take_Messages().size(), 1u);
    EXPECT_EQ(f->ModalResult(), mrNone);
  });
  EXPECT_EQ(File_Text(Path_TLS_Known_Cert), before);
}
