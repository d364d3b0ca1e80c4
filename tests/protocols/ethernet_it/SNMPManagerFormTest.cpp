// The SNMP manager form: its row tests and the duplicate test (messages compared whole), the file,
// the Position list, the focus after a show and the header hints by displayed column.
#include "protocols/ethernet_it/USNMPManagerAccess.h"
#include "tests/protocols/ethernet_it/EthernetItFormTestSupport.h"

using ethernet_it_test::Cells;
using ethernet_it_test::File_Text;
using ethernet_it_test::Fixture;
using ethernet_it_test::Put_Row;
using ethernet_it_test::Row_Of;
using ethernet_it_test::With;

namespace {

enum SnmpCol { mgrEnable = 1, mgrIP, mgrVersion, mgrCommunity, mgrOID, mgrType, mgrMode, mgrOnChange, mgrOnCMD, mgrOnTimer,
               mgrTime, mgrPosition, mgrNumBytes, mgrConversion, mgrCancel, mgrUser, mgrAuthPass, mgrPrivPass, mgrLevel,
               mgrAuthMode, mgrPrivMode, mgrMnemonic };

Cells Request(const String& IP = u"192.168.1.10", const String& Version = u"2", const String& OID = u"1.3.6.1.2.1.1.3.0") {
  return {u"Y", IP, Version, u"Public", OID, u"Int", u"Get", u"N", u"N", u"N", u"", u"0", u"4", u"None", u"N",
          u"", u"", u"", u"", u"", u"", u"uptime"};
}

Cells V3(const String& Level, const String& AuthMode = u"", const String& PrivMode = u"") {
  Cells c = Request(u"10.0.0.1", u"3");
  c[mgrUser - 1] = u"admin";
  c[mgrAuthPass - 1] = u"authpass1";
  c[mgrPrivPass - 1] = u"privpass1";
  c[mgrLevel - 1] = Level;
  c[mgrAuthMode - 1] = AuthMode;
  c[mgrPrivMode - 1] = PrivMode;
  return c;
}

class SnmpManagerTest : public ethernet_it_test::FormTest<TFSNMPManagerAccess> {
 protected:
  SnmpManagerTest()
      : FormTest(u"TFSNMPManagerAccess", FSNMPManagerAccess, &TFKelvaneFirmWare::Btn_SNMP_Manager_Access) {}
};

struct SnmpCase {
  const char* Name;
  std::vector<std::pair<int, Cells>> Rows;  // row number, cells
  const char16_t* Message;                  // nullptr: the table passes
};

std::vector<std::pair<int, Cells>> One(const Cells& Row) { return {{1, Row}}; }

}  // namespace

TEST_F(SnmpManagerTest, TheCheckShowsTheFirstFailureWhole) {
  const Cells r = Request();
  // Rows 1 .. 9 filled; rows 4 and 9 are the pair under test.
  auto nine = [&](const Cells& Four, const Cells& Nine) {
    std::vector<std::pair<int, Cells>> rows;
    for (int i = 1; i <= 9; ++i) rows.push_back({i, Request(u"10.1.1." + IntToStr(i))});
    rows[3].second = Four;
    rows[8].second = Nine;
    return rows;
  };
  const SnmpCase cases[] = {
      {"a valid request", One(r), nullptr},
      {"a disabled row with a bad address", One(With(With(r, mgrEnable, u"N"), mgrIP, u"300.1.1.1")), nullptr},
      {"a bad address", One(With(r, mgrIP, u"192.168.1")),
       u"Error row 1!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {"an address part of 256", One(With(r, mgrIP, u"10.0.0.256")),
       u"Error row 1!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {"OID of 129 characters", One(With(r, mgrOID, String(129, u'1'))), u"Error row 1!! OID string is too much length"},
      {"OID 1..3", One(With(r, mgrOID, u"1..3")), u"Error row 1!! OID string cannot contains two or more consecutive \".\""},
      {"OID .1.3", One(With(r, mgrOID, u".1.3")), u"Error row 1!! OID string cannot start with a \".\""},
      {"OID 1.3.", One(With(r, mgrOID, u"1.3.")), u"Error row 1!! OID string cannot finish with a \".\""},
      {"OID 1.3.a", One(With(r, mgrOID, u"1.3.a")), u"Error row 1!! OID string can contains only number and \".\""},
      {"OID arc 4294967296", One(With(r, mgrOID, u"1.3.4294967296")),
       u"Error row 1!! OID string cannot contains number major of $FFFFFFFF between two \".\""},
      {"OID arc 4294967295", One(With(r, mgrOID, u"1.3.4294967295")), nullptr},
      {"an empty OID", One(With(r, mgrOID, u"")),
       u"Error row 1!! OID string cannot contains number major of $FFFFFFFF between two \".\""},
      {"OnTimer without a Time", One(With(r, mgrOnTimer, u"Y")), u"Error row 1!! Time must be between 1 and 100000000 ms"},
      {"OnTimer with Time 100000000", One(With(With(r, mgrOnTimer, u"Y"), mgrTime, u"100000000")), nullptr},
      {"Time not tested without OnTimer", One(With(r, mgrTime, u"x")), nullptr},
      {"Num Bytes 1024", One(With(r, mgrNumBytes, u"1024")), nullptr},
      {"Num Bytes 1025", One(With(r, mgrNumBytes, u"1025")), u"Error row 1!! Number bytes must be between 0 and 1024"},
      {"Num Bytes empty", One(With(r, mgrNumBytes, u"")), u"Error row 1!! Number bytes must be between 0 and 1024"},
      {"Conversion empty", One(With(r, mgrConversion, u" ")), u"Error row 1!! Conversion not selected"},
      {"version 3, NoAuth NoPriv, no modes", One(V3(u"NoAuth NoPriv")), nullptr},
      {"version 3 without an Auth Pass", One(With(V3(u"NoAuth NoPriv"), mgrAuthPass, u"")),
       u"Error row 1!! Auth Pass string must have at least 8 characters"},
      {"version 3 with a Priv Pass of 7", One(With(V3(u"NoAuth NoPriv"), mgrPrivPass, u"abcdefg")),
       u"Error row 1!! Priv Pass string must have at least 8 characters"},
      {"version 3 with a Priv Pass of 16", One(With(V3(u"NoAuth NoPriv"), mgrPrivPass, u"abcdefgh12345678")),
       u"Error row 1!! Priv Pass string is too much length"},
      {"version 3 with an Auth Pass holding a blank", One(With(V3(u"NoAuth NoPriv"), mgrAuthPass, u"auth pass")),
       u"Error row 1!! Auth Pass string can contains only number and letters"},
      {"version 3 without a User", One(With(V3(u"NoAuth NoPriv"), mgrUser, u"")),
       u"Error row 1!! User string can not be empty"},
      {"version 3 with a User of 16", One(With(V3(u"NoAuth NoPriv"), mgrUser, u"u123456789012345")),
       u"Error row 1!! User string is too much length"},
      {"version 3 with a User admin_1", One(With(V3(u"NoAuth NoPriv"), mgrUser, u"admin_1")),
       u"Error row 1!! User string can contains only number and letters"},
      {"version 3 with an empty level", One(V3(u"")), u"Error row 1!! Security Level must be selected"},
      {"version 3, Auth NoPriv without Auth Mode", One(V3(u"Auth NoPriv")), u"Error row 1!! Auth Mode must be selected"},
      {"version 3, Auth NoPriv with Auth Mode only", One(V3(u"Auth NoPriv", u"SHA")), nullptr},
      {"version 3, Auth Priv without Priv Mode", One(V3(u"auth priv", u"MD5")), u"Error row 1!! Priv Mode must be selected"},
      {"version 3, Auth Priv with both modes", One(V3(u"Auth Priv", u"MD5", u"AES")), nullptr},
      {"version 2 needs no user", One(With(V3(u""), mgrVersion, u"2")), nullptr},
      {"the same request in rows 4 and 9", nine(Request(u"10.9.9.9"), With(Request(u" 10.9.9.9 "), mgrVersion, u" 2")),
       u"Error in rows 4 and 9!! Same IP Address, Version and OID used"},
      {"another Community and Mode still collide",
       nine(Request(u"10.9.9.9"), With(With(Request(u"10.9.9.9"), mgrCommunity, u"Private"), mgrMode, u"Set")),
       u"Error in rows 4 and 9!! Same IP Address, Version and OID used"},
      {"another version does not collide", nine(Request(u"10.9.9.9"), Request(u"10.9.9.9", u"1")), nullptr},
      {"a disabled row takes no part", nine(Request(u"10.9.9.9"), With(Request(u"10.9.9.9"), mgrEnable, u"N")), nullptr},
      {"a disabled bad row and its duplicate",
       {{1, With(With(r, mgrEnable, u"N"), mgrIP, u"bad")}, {2, With(With(r, mgrEnable, u"N"), mgrIP, u"bad")}}, nullptr},
      {"row tests come before the duplicate test", {{1, r}, {2, r}, {3, With(r, mgrNumBytes, u"-1")}},
       u"Error row 3!! Number bytes must be between 0 and 1024"},
      {"rows below an empty address are not tested", {{1, r}, {3, r}, {4, With(r, mgrOID, u"x")}}, nullptr},
  };
  for (const SnmpCase& k : cases) {
    SCOPED_TRACE(k.Name);
    form_->Reset_Grids();
    for (const auto& [row, cells] : k.Rows) Put_Row(form_->ACG_SNMP, row, cells);
    Expect_Check(form_->Controllo_dati(), k.Message);
  }
}

TEST_F(SnmpManagerTest, TheStepShowsTheFormWithTheTableFocusedAndThePositionList) {
  EXPECT_EQ(Open([&](TFSNMPManagerAccess* f) {
              EXPECT_EQ(f->Caption(), u"Set SNMP Manager Access");
              EXPECT_EQ(f->ClientWidth(), 1230);
              EXPECT_EQ(f->ClientHeight(), 337);
              EXPECT_EQ(f->ACG_SNMP->RowCount(), 513);
              EXPECT_EQ(f->ActiveControl(), f->ACG_SNMP);
              TStrings* positions = f->ACG_SNMP->Columns()->Items(mgrPosition)->ComboItems();
              ASSERT_EQ(positions->Count(), 1440);
              EXPECT_EQ(positions->Strings(0), u"0");
              EXPECT_EQ(positions->Strings(1439), u"1439");
              EXPECT_EQ(f->ACG_SNMP->Columns()->Items(mgrConversion)->Header(), u"Conversion");
              EXPECT_EQ(f->Btn_PasteRow->Left(), 606);
              // Hints by the displayed column: with Version hidden, the OID header (displayed at
              // 4) shows the hint of column 4.
              ASSERT_EQ(f->Hint_SNMP->Count(), 22);
              f->Hint_SNMP->SetStrings(mgrCommunity - 1, u"hint of column 4");
              f->ACG_SNMP->HideColumn(mgrVersion);
              String hint;
              f->ACG_SNMP->OnGridHint(f->ACG_SNMP, 0, f->ACG_SNMP->RealToDisplCol(mgrOID), hint);
              EXPECT_EQ(hint, u"hint of column 4");
              f->ACG_SNMP->OnGridHint(f->ACG_SNMP, 0, mgrCancel, hint);
              EXPECT_EQ(hint, f->Hint_SNMP->Strings(mgrCancel - 1));
              f->ACG_SNMP->UnHideColumn(mgrVersion);
              f->ACG_SNMP->OnGridHint(f->ACG_SNMP, 0, mgrCancel, hint);
              EXPECT_EQ(hint, u"Enable/Disable Cancel Data if no answer from Agent");
              f->ACG_SNMP->OnGridHint(f->ACG_SNMP, 2, mgrCancel, hint);
              EXPECT_EQ(hint, u"");
              // A click in column 0 selects nothing.
              Click_Cell(f->ACG_SNMP, mgrOID, 2);
              Click_Cell(f->ACG_SNMP, 0, 5);
              EXPECT_EQ(f->ACG_SNMP->Selection().Top, 2);
              EXPECT_EQ(f->ACG_SNMP->Selection().Bottom, 2);
            }),
            mrNone);
}

TEST_F(SnmpManagerTest, AMissingConvertFromLoadsNoneAndTheFileIsWrittenAsTheGoldenFile) {
  Write("SNMP_Manager.xml",
        "<SNMP_Manager_Access><row IP_Address=\"192.168.1.10\" Version=\"2\" Community_String=\"Public\" "
        "OID=\"1.3.6.1.2.1.1.3.0\" Type=\"Int\" Mode=\"Get\" Time=\"\" Position=\"0\" Number_Bytes=\"4\"/>"
        "</SNMP_Manager_Access>");
  EXPECT_EQ(Open([&](TFSNMPManagerAccess* f) {
              EXPECT_EQ(Row_Of(f->ACG_SNMP, 1),
                        (Cells{u"Y", u"192.168.1.10", u"2", u"Public", u"1.3.6.1.2.1.1.3.0", u"Int", u"Get", u"N", u"N",
                               u"N", u"", u"0", u"4", u"None", u"N", u"", u"", u"", u"", u"", u"", u""}));
              Put_Row(f->ACG_SNMP, 2, V3(u"Auth Priv", u"SHA", u"AES"));
              Put_Row(f->ACG_SNMP, 3, With(With(Request(u"not an address"), mgrEnable, u"N"), mgrMnemonic, u"<off> & \"on\""));
              Put_Row(f->ACG_SNMP, 4, With(With(Request(u"10.0.0.2", u"1"), mgrOnTimer, u"Y"), mgrTime, u"5000"));
              Put_Row(f->ACG_SNMP, 6, Request(u"below the empty address"));
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  EXPECT_TRUE(Take_Messages().empty());
  const std::string first = File_Text(Path_SNMP_Manager);
  EXPECT_EQ(first, Fixture("SNMP_Manager.xml"));
  EXPECT_EQ(Open([&](TFSNMPManagerAccess* f) {
              EXPECT_EQ(Row_Of(f->ACG_SNMP, 2), V3(u"Auth Priv", u"SHA", u"AES"));
              EXPECT_EQ(f->ACG_SNMP->GetCellEx(mgrIP, 6), u"");
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  EXPECT_EQ(File_Text(Path_SNMP_Manager), first);
}

TEST_F(SnmpManagerTest, AFileWithMoreThan512RowsIsReportedAndOkAsks) {
  std::string rows;
  for (int i = 1; i <= 513; ++i) rows += "<row Enable=\"N\" IP_Address=\"r" + std::to_string(i) + "\"/>";
  Write("SNMP_Manager.xml", "<SNMP_Manager_Access>" + rows + "</SNMP_Manager_Access>");
  Open([&](TFSNMPManagerAccess* f) {
    auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Error in file SNMP_Manager.xml: \"SNMP_Manager_Access\" holds more than 512 rows; only "
                         u"the first 512 were loaded.");
    EXPECT_EQ(f->ACG_SNMP->GetCellEx(mgrIP, 512), u"r512");
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_OK);
    EXPECT_EQ(Take_Messages().size(), 1u);
  });
  const std::string saved = File_Text(Path_SNMP_Manager);
  EXPECT_NE(saved.find("IP_Address=\"r512\""), std::string::npos);
  EXPECT_EQ(saved.find("IP_Address=\"r513\""), std::string::npos);
}
