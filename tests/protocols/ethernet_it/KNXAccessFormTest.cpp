// The KNX table: its row tests (messages compared whole), the priority read from the file, its
// own row deletion, the headers in row 0 and the file.
#include "protocols/ethernet_it/UKNXAccess.h"
#include "tests/protocols/ethernet_it/EthernetItFormTestSupport.h"

using ethernet_it_test::Cells;
using ethernet_it_test::File_Text;
using ethernet_it_test::Fixture;
using ethernet_it_test::Put_Row;
using ethernet_it_test::Row_Of;
using ethernet_it_test::With;

namespace {

// A row that passes: one byte at position 0, sent on change.
Cells Telegram(const String& Source = u"1.1.20", const String& Dest = u"1/2/3") {
  return {u"Y", Source, Dest, u"Write", u"Normal", u"None", u"",  u"N", u"N",
          u"N", u"Y",   u"N", u"",      u"0",      u"No",   u"1", u"0", u"lamp"};
}

class KnxTest : public ethernet_it_test::FormTest<TFKNXAccess> {
 protected:
  KnxTest() : FormTest(u"TFKNXAccess", FKNXAccess, &TFKelvaneFirmWare::Btn_KNX_Access) {}
  void TearDown() override {
    ResetFormatSettings();
    FormTest::TearDown();
  }
};

struct KnxCase {
  const char* Name;
  Cells Row;
  const char16_t* Message;  // nullptr: the row passes
};

constexpr const char16_t* kDestIndividual =
    u"Error row 1!! [KNX in Write] Destination Address must be a valid KNX Address (Ex. 1.1.20)";
constexpr const char16_t* kDestGroup =
    u"Error row 1!! [KNX in Write] Destination Address must be a valid KNX Address (Ex. 230.240)";
constexpr const char16_t* kSource =
    u"Error row 1!! [KNX in Write] Source Address must be a valid KNX Address (Ex. 1.1.20)";
constexpr const char16_t* kApci =
    u"Error row 1!! [KNX in Write] APCI must be between 0 and 1023 or use the value Read or Write";
constexpr const char16_t* kFactor = u"Error row 1!! [KNX in Write] Mul. Factor must be a valid Float";

Cells Bits(const String& BitMode, const String& Length, const String& Position, const String& Extended = u"N") {
  return With(With(With(With(Telegram(), knBitMode, BitMode), knLength, Length), knPosition, Position), knExtended,
              Extended);
}

}  // namespace

TEST_F(KnxTest, TheCheckShowsTheFirstFailureWhole) {
  const Cells t = Telegram();
  const KnxCase cases[] = {
      {"a valid row", t, nullptr},
      {"Source 0.0.0", With(t, knSource, u"0.0.0"), nullptr},
      {"Source 4660", With(t, knSource, u"4660"), nullptr},
      {"Source 1/2/3", With(t, knSource, u"1/2/3"), kSource},
      {"Source 16.1.1", With(t, knSource, u"16.1.1"), kSource},
      {"Source 1.1", With(t, knSource, u"1.1"), kSource},
      {"Dest 31/2047", With(t, knDest, u"31/2047"), nullptr},
      {"Dest 4660", With(t, knDest, u"4660"), nullptr},
      {"Dest 1.1.20", With(t, knDest, u"1.1.20"), nullptr},
      {"Dest 0/0", With(t, knDest, u"0/0"), kDestGroup},
      {"Dest 32/1", With(t, knDest, u"32/1"), kDestGroup},
      {"Dest 1.1.300", With(t, knDest, u"1.1.300"), kDestIndividual},
      {"APCI Read", With(t, knAPCI, u"Read"), nullptr},
      {"APCI write", With(t, knAPCI, u"write"), nullptr},
      {"APCI 1023", With(t, knAPCI, u"1023"), nullptr},
      {"APCI 1024", With(t, knAPCI, u"1024"), kApci},
      {"APCI x", With(t, knAPCI, u"x"), kApci},
      {"Priority normal", With(t, knPriority, u"normal"),
       u"Error row 1!! [KNX in Write] Priority must be System or Urgent or Normal or Low"},
      {"no Format", With(t, knFormat, u" "), u"Error row 1!! [KNX in Write] Format is not correct"},
      {"Mul. Factor 1,5", With(t, knMulFactor, u"1,5"), nullptr},
      {"Mul. Factor 1.5", With(t, knMulFactor, u"1.5"), nullptr},
      {"Mul. Factor 1.5.2", With(t, knMulFactor, u"1.5.2"), kFactor},
      {"Mul. Factor empty", With(t, knMulFactor, u""), nullptr},
      {"OnTimer without Poll Time", With(t, knOnTimer, u"Y"),
       u"Error row 1!! [KNX in Write] Poll Time must be between 1 and 100000000"},
      {"Poll Time not tested without OnTimer", With(t, knPollTime, u"0"), nullptr},
      {"Position 1500", With(t, knPosition, u"1500"),
       u"Error row 1!! [KNX in Write] Position must be between 0 and 1499"},
      {"Bit Mode 8", With(t, knBitMode, u"8"),
       u"Error row 1!! [KNX in Write] Bit Mode must be \"No\" or between 0 and 7"},
      {"Bit Mode no", Bits(u"no", u"14", u"0"), nullptr},
      {"Bit Mode 3, Length 112", Bits(u"3", u"112", u"0"), nullptr},
      {"Bit Mode 3, Length 113", Bits(u"3", u"113", u"0"),
       u"Error row 1!! [KNX in Write] Length must be between 1 and 112"},
      {"Bit Mode 3 Extended, Length 2040", Bits(u"3", u"2040", u"0", u"Y"), nullptr},
      {"byte mode, Length 15", Bits(u"No", u"15", u"0"),
       u"Error row 1!! [KNX in Write] Length must be between 1 and 14"},
      {"byte mode Extended, Length 256", Bits(u"No", u"256", u"0", u"Y"),
       u"Error row 1!! [KNX in Write] Length must be between 1 and 255"},
      {"Position 1499, byte mode, Length 1", Bits(u"No", u"1", u"1499"), nullptr},
      {"Position 1499, byte mode, Length 2", Bits(u"No", u"2", u"1499"),
       u"Error row 1!! [KNX in Write] Position plus Length must be minor or equal to 1500"},
      {"Bit Mode 7, Length 10, Position 1498", Bits(u"7", u"10", u"1498"),
       u"Error row 1!! [KNX in Write] Position plus Length must be minor or equal to 1500"},
      {"Bit Mode 0, Length 16, Position 1498", Bits(u"0", u"16", u"1498"), nullptr},
      {"TimeOut -1", With(t, knTimeOut, u"-1"),
       u"Error row 1!! [KNX in Write] TimeOut must be between 0 and 100000000 milliseconds"},
      {"a disabled row", With(With(t, knEnable, u"N"), knSource, u"bad"), nullptr},
  };
  for (const Char separator : {u',', u'.'}) {
    FormatSettings().DecimalSeparator = separator;
    for (const KnxCase& k : cases) {
      SCOPED_TRACE(std::string(k.Name) + (separator == u',' ? " (comma)" : " (point)"));
      form_->Reset_Grids();
      Put_Row(form_->ACG_KNX_in_Write, 1, k.Row);
      Expect_Check(form_->Controllo_dati(), k.Message);
    }
  }
  // An empty Source Add ends the table.
  form_->Reset_Grids();
  Put_Row(form_->ACG_KNX_in_Write, 1, t);
  Put_Row(form_->ACG_KNX_in_Write, 3, With(t, knSource, u"bad"));
  Expect_Check(form_->Controllo_dati(), nullptr);
}

TEST_F(KnxTest, TheShowHeadersHintsAndItsOwnDelete) {
  Open([&](TFKNXAccess* f) {
    TAdvColumnGrid* g = f->ACG_KNX_in_Write;
    EXPECT_EQ(f->Caption(), u"KNX Set Access");
    EXPECT_EQ(f->ClientWidth(), 1250);
    EXPECT_EQ(g->RowCount(), 1025);
    EXPECT_EQ(g->GetCellEx(knMulFactor, 0), u"Mul. Factor");
    EXPECT_EQ(g->GetCellEx(knTimeOut, 0), u"TimeOut");
    EXPECT_EQ(g->GetCellEx(0, 0), u"N");
    EXPECT_EQ(g->Columns()->Items(knTimeOut)->Width(), 96);
    TStrings* positions = g->Columns()->Items(knPosition)->ComboItems();
    ASSERT_EQ(positions->Count(), 1500);
    String hint = u"x";
    g->OnGridHint(g, 0, knMulFactor, hint);
    EXPECT_EQ(hint, u"Insert the Multiplication Factor");
    g->OnGridHint(g, 3, knMulFactor, hint);
    EXPECT_EQ(hint, u"");
    // Delete Row: rows move up over the visible columns, the last is emptied, numbers stay.
    Put_Row(g, 1, Telegram(u"1.1.1"));
    Put_Row(g, 2, Telegram(u"1.1.2"));
    Put_Row(g, 1024, Telegram(u"1.1.9"));
    g->SetRow(1);
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_DelRow);
    auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Are you sure to delete the Row number 1");
    EXPECT_EQ(Row_Of(g, 1), Telegram(u"1.1.2"));
    EXPECT_EQ(Row_Of(g, 1023), Telegram(u"1.1.9"));
    EXPECT_EQ(Row_Of(g, 1024), Cells(18, String()));
    EXPECT_EQ(g->GetCellEx(0, 1024), u"1024");
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_DelRow);
    EXPECT_EQ(Row_Of(g, 1), Telegram(u"1.1.2"));
    // Copy Row marks the write flag.
    driver_.Click(f->Btn_CopyRow);
    EXPECT_TRUE(f->Do_Copy_In_Write());
    EXPECT_FALSE(f->Do_Copy_In_Read());
  });
}

TEST_F(KnxTest, TheFileWithDefaultsPriorityAndTheGoldenFile) {
  Write("KNX_SetAccess.xml",
        "<BACnet_to_KNX><KNX_in_Write>"
        "<row Source_Address=\"1.1.1\" Destination_Address=\"1/1/1\" APCI=\"Read\" Priority=\"normal\" Extended=\"N\" "
        "ReTest=\"N\" On_Change=\"Y\" Poll_Time=\"\" Position=\"3\" Bit_Mode=\"No\" Length=\"2\" Mnemonic=\"a\"/>"
        "<row Source_Address=\"1.1.2\" Destination_Address=\"1/1/2\" APCI=\"Write\" Priority=\"Low\" Extended=\"N\" "
        "ReTest=\"N\" On_Change=\"N\" Poll_Time=\"\" Position=\"5\" Bit_Mode=\"2\" Length=\"3\" Mnemonic=\"b\"/>"
        "</KNX_in_Write></BACnet_to_KNX>");
  EXPECT_EQ(Open([&](TFKNXAccess* f) {
              EXPECT_TRUE(Take_Messages().empty());
              TAdvColumnGrid* g = f->ACG_KNX_in_Write;
              EXPECT_EQ(Row_Of(g, 1), (Cells{u"Y", u"1.1.1", u"1/1/1", u"Read", u"Normal", u"None", u"", u"N", u"N",
                                             u"N", u"Y", u"N", u"", u"3", u"No", u"2", u"0", u"a"}));
              EXPECT_EQ(g->GetCellEx(knPriority, 2), u"Low");
              EXPECT_EQ(g->GetCellEx(knPriority, 3), u"");
              Put_Row(g, 3, With(With(Telegram(u"1.1.3"), knMulFactor, u"1,5"), knMnemonic, u"<c> & \"d\""));
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  const std::string first = File_Text(Path_KNX_SetAccess);
  EXPECT_EQ(first, Fixture("KNX_SetAccess.xml"));
  Open([&](TFKNXAccess* f) {
    EXPECT_EQ(Row_Of(f->ACG_KNX_in_Write, 3),
              With(With(Telegram(u"1.1.3"), knMulFactor, u"1,5"), knMnemonic, u"<c> & \"d\""));
    driver_.Click(f->Btn_OK);
  });
  EXPECT_EQ(File_Text(Path_KNX_SetAccess), first);
  // A row lacking a required attribute, and a file without the section, are reported.
  Write("KNX_SetAccess.xml",
        "<BACnet_to_KNX><KNX_in_Write><row Source_Address=\"1.1.1\"/></KNX_in_Write></BACnet_to_KNX>");
  Open([&](TFKNXAccess*) {
    auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text,
              u"Error in file KNX_SetAccess.xml: row 1 of \"KNX_in_Write\" has no attribute \"Destination_Address\"");
  });
  Write("KNX_SetAccess.xml", "<BACnet_to_KNX/>");
  Open([&](TFKNXAccess* f) {
    auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Error in file KNX_SetAccess.xml: the element \"KNX_in_Write\" is missing.");
    EXPECT_TRUE(f->Load_Incomplete());
  });
}
