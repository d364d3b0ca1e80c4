// The IEC 61850 client form: the SCL catalog, the device tree, picking attributes and data sets,
// the member settings, the check routine and IEC_61850_Client.xml.
#include <cstdlib>
#include <functional>
#include <map>

#include "platform/StdCtrls.h"
#include "platform/TreeView.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/PaintToPng.h"
#include "protocols/ethernet_it/UIEC_61850_Access.h"
#include "tests/protocols/ethernet_it/EthernetItFormTestSupport.h"

using ethernet_it_test::File_Text;

namespace {

// One server: a GGIO with a leaf of every kind the table treats apart, a structure, and a data set
// of two of its leaves with a GOOSE control block.
std::string Scl(const std::string& Ied, const std::string& SecondMember = "q") {
  return R"(<SCL><IED name=")" + Ied + R"("><AccessPoint name="AP"><Server><LDevice inst="LD0">
<LN0 lnClass="LLN0" inst="" lnType="L0"><DataSet name="DS1">
<FCDA ldInst="LD0" lnClass="GGIO" lnInst="1" doName="Ind1" daName="stVal" fc="ST"/>
<FCDA ldInst="LD0" lnClass="GGIO" lnInst="1" doName="Ind1" daName=")" +
         SecondMember + R"(" fc="ST"/>
</DataSet><GSEControl name="GC1" datSet="DS1"/></LN0>
<LN lnClass="GGIO" inst="1" lnType="G"/></LDevice></Server></AccessPoint></IED>
<DataTypeTemplates><LNodeType id="L0" lnClass="LLN0"/>
<LNodeType id="G" lnClass="GGIO"><DO name="Ind1" type="SPS"/></LNodeType>
<DOType id="SPS" cdc="SPS"><DA name="stVal" bType="BOOLEAN" fc="ST"/><DA name="q" bType="Quality" fc="ST"/>
<DA name="t" bType="Timestamp" fc="ST"/><DA name="d" bType="VisString255" fc="DC"/>
<DA name="s" bType="Struct" type="ST" fc="ST"/></DOType>
<DAType id="ST"><BDA name="v" bType="INT8"/></DAType></DataTypeTemplates></SCL>)";
}

class IecClientTest : public ethernet_it_test::FormTest<TFIEC_61850_Access> {
 protected:
  IecClientTest() : FormTest(u"TFIEC_61850_Access", FIEC_61850_Access, &TFKelvaneFirmWare::Btn_IEC61850_Client) {}

  // Writes an SCL file outside the configuration and adds it through the open dialog.
  void Add_Catalog(TFIEC_61850_Access* f, const std::string& Name, const std::string& Text) {
    std::ofstream(source_ / Name, std::ios::binary) << Text;
    script_.AnswerFileDialog(source_.File(Name));
    f->Btn_Add_IEC_DeviceClick(nullptr);
  }
  // Shows catalog device Device and selects the node at the end of Path (texts below the root).
  static void Select(TFIEC_61850_Access* f, int Device, std::initializer_list<const char16_t*> Path) {
    f->LB_IEC_Devices->SetItemIndex(Device);
    f->LB_IEC_DevicesClick(nullptr);
    TTreeNode* n = f->NODE_ORIG;
    for (const char16_t* step : Path) {
      TTreeNode* next = nullptr;
      for (int i = 0; n && i < n->Count() && !next; ++i)
        if (n->Item(i)->Text() == step) next = n->Item(i);
      n = next;
    }
    ASSERT_NE(n, nullptr);
    f->TV_IEC_Device->SetSelected(n);
    f->TV_IEC_DeviceClick(nullptr);
  }
  static void Add(TFIEC_61850_Access* f, int Device, std::initializer_list<const char16_t*> Path) {
    Select(f, Device, Path);
    f->Btn_AddVarClick(nullptr);
  }
  static std::string Row(TAdvStringGrid* g, int R, int From, int To) {
    std::string s;
    for (int c = From; c <= To; ++c) s += (c > From ? "|" : "") + StringToUtf8(g->GetCellEx(c, R));
    return s;
  }
  String Catalog(const std::string& Name) const {
    return PathJoin(PathJoin(Project_Folder, u"ICD_Catalog"), Utf8ToString(Name));
  }
  // A request row that passes the check.
  static void Fill_Request(TAdvStringGrid* g, int R) {
    g->SetCellEx(daIPAddress, R, u"192.168.1.10");
    g->SetCellEx(daPort, R, u"102");
    g->SetCellEx(daPosition, R, u"0");
    g->SetCellEx(daMoltFact, R, u"none");
  }

  TScratchFolder source_{"scl_source"};
};

TEST_F(IecClientTest, PicksFillTheTablesByTheTypeRules) {
  Open([&](TFIEC_61850_Access* f) {
    Add_Catalog(f, "a.icd", Scl("SRV"));
    ASSERT_EQ(f->LB_IEC_Devices->Count(), 1);
    EXPECT_EQ(f->LB_IEC_Devices->Items()->Strings(0), u"SRV");
    EXPECT_TRUE(FileExists(Catalog("a.icd")));
    // A data object and an attribute with sub-attributes add nothing.
    Add(f, 0, {u"LD0", u"GGIO1", u"Ind1"});
    Add(f, 0, {u"LD0", u"GGIO1", u"Ind1", u"s"});
    EXPECT_EQ(Row(f->ACG_DA, 1, 1, 4), "|||");
    EXPECT_EQ(f->ACG_DA->RowCount(), 2);
    Add(f, 0, {u"LD0", u"GGIO1", u"Ind1", u"q"});
    Add(f, 0, {u"LD0", u"GGIO1", u"Ind1", u"d"});
    Add(f, 0, {u"LD0", u"GGIO1", u"Ind1", u"s", u"v"});
    EXPECT_EQ(Row(f->ACG_DA, 1, 0, 11), "1|0|Quality|ST|SRVLD0/GGIO1.Ind1.q|0|4|||N|N|N");
    EXPECT_TRUE(f->ACG_DA->GetReadOnly(daStartByte, 1));
    EXPECT_TRUE(f->ACG_DA->GetReadOnly(daNumByte, 1));
    EXPECT_EQ(Row(f->ACG_DA, 2, 2, 6), "VisString255|DC|SRVLD0/GGIO1.Ind1.d||");
    EXPECT_FALSE(f->ACG_DA->GetReadOnly(daStartByte, 2));
    EXPECT_EQ(Row(f->ACG_DA, 3, 2, 6), "INT8|ST|SRVLD0/GGIO1.Ind1.s.v|0|1");
    // Removing: the rows move up and are renumbered; the only row left empty, then filled again.
    f->PageControl1->SetActivePageIndex(0);
    for (int i = 0; i < 3; ++i) {
      f->ACG_DA->SetRow(1);
      f->Btn_RemoveVarClick(nullptr);
    }
    EXPECT_EQ(f->ACG_DA->RowCount(), 2);
    EXPECT_EQ(Row(f->ACG_DA, 1, 0, 6), "1||||||");
    EXPECT_FALSE(f->ACG_DA->GetReadOnly(daStartByte, 1));
    Add(f, 0, {u"LD0", u"GGIO1", u"Ind1", u"stVal"});
    EXPECT_EQ(Row(f->ACG_DA, 1, 1, 6), "0|BOOLEAN|ST|SRVLD0/GGIO1.Ind1.stVal|0|1");
    // A data set with its GOOSE name and one member setting per member.
    Add(f, 0, {u"LD0", u"LLN0", u"DS1"});
    EXPECT_EQ(f->PageControl1->ActivePageIndex(), 1);
    EXPECT_EQ(Row(f->ACG_DataSet, 1, 0, 4), "1|0|SRVLD0/LLN0.DS1|GC1|Y");
    ASSERT_EQ(f->List_DataSet.size(), 1u);
    EXPECT_EQ(f->List_DataSet[0]->List_DAs.size(), 2u);
  });
}

TEST_F(IecClientTest, MemberSettingsFollowTheShownDataSetOnly) {
  Open([&](TFIEC_61850_Access* f) {
    Add_Catalog(f, "a.icd", Scl("SRV"));
    Add(f, 0, {u"LD0", u"LLN0", u"DS1"});
    Add(f, 0, {u"LD0", u"LLN0", u"DS1"});
    Click_Cell(f->ACG_DataSet, 2, 1);
    EXPECT_EQ(Row(f->ACG_DS_Vars, 2, 0, 2), "2|Quality|SRVLD0/GGIO1.Ind1.q");
    Click_Cell(f->ACG_DS_Vars, dvPosition, 2);
    EXPECT_EQ(f->DataSet_Row_Select, 1);
    f->ACG_DS_Vars->SetCellEx(dvPosition, 2, u"17");
    f->ACG_DS_VarsEditCellDone(f->ACG_DS_Vars, dvPosition, 2);
    EXPECT_EQ(f->List_DataSet[0]->List_DAs[1]->Position, u"17");
    // Another data set row becomes current: the members shown are gone, an edit reaches nothing.
    f->ACG_DataSet->SetRow(2);
    EXPECT_EQ(Row(f->ACG_DS_Vars, 1, 1, 2), "|");
    EXPECT_EQ(f->DataSet_Row_Select, 0);
    f->ACG_DS_Vars->SetCellEx(dvPosition, 2, u"99");
    f->ACG_DS_VarsEditCellDone(f->ACG_DS_Vars, dvPosition, 2);
    EXPECT_EQ(f->List_DataSet[1]->List_DAs[1]->Position, u"");
    EXPECT_EQ(f->List_DataSet[0]->List_DAs[1]->Position, u"17");
    // Removing a data set row empties the member table too.
    Click_Cell(f->ACG_DataSet, 2, 1);
    f->PageControl1->SetActivePageIndex(1);
    f->ACG_DataSet->SetRow(1);
    f->Btn_RemoveVarClick(nullptr);
    EXPECT_EQ(f->List_DataSet.size(), 1u);
    EXPECT_EQ(Row(f->ACG_DS_Vars, 1, 1, 2), "|");
  });
}

TEST_F(IecClientTest, CatalogRemovalIsRefusedWhileUsedAndShiftsLaterIndexes) {
  Open([&](TFIEC_61850_Access* f) {
    for (const char* n : {"a.icd", "b.icd", "c.icd"}) Add_Catalog(f, n, Scl(std::string("S") + n[0]));
    Add(f, 2, {u"LD0", u"GGIO1", u"Ind1", u"q"});
    Add(f, 2, {u"LD0", u"LLN0", u"DS1"});
    f->LB_IEC_Devices->SetItemIndex(2);
    f->Btn_Remove_IEC_DeviceClick(nullptr);
    EXPECT_EQ(f->List_IEC_Dev.size(), 3u);  // used: refused
    f->LB_IEC_Devices->SetItemIndex(0);
    f->Btn_Remove_IEC_DeviceClick(nullptr);
    ASSERT_EQ(f->List_IEC_Dev.size(), 2u);
    EXPECT_EQ(f->LB_IEC_Devices->Items()->Strings(0), u"Sb");
    EXPECT_EQ(f->ACG_DA->GetCellEx(daIndex, 1), u"1");
    EXPECT_EQ(f->ACG_DataSet->GetCellEx(dsIndex, 1), u"1");
    // The same file again: Cancel adds nothing, No keeps the catalog's copy, Yes replaces it.
    std::ofstream(source_ / "b.icd", std::ios::binary) << Scl("NEW");
    script_.AnswerFileDialog(source_.File("b.icd"));
    script_.ExpectMessage(mrCancel);
    f->Btn_Add_IEC_DeviceClick(nullptr);
    EXPECT_EQ(f->List_IEC_Dev.size(), 2u);
    script_.AnswerFileDialog(source_.File("b.icd"));
    script_.ExpectMessage(mrNo);
    f->Btn_Add_IEC_DeviceClick(nullptr);
    EXPECT_EQ(f->List_IEC_Dev.back()->Name(), u"Sb");
    script_.AnswerFileDialog(source_.File("b.icd"));
    script_.ExpectMessage(mrYes);
    f->Btn_Add_IEC_DeviceClick(nullptr);
    EXPECT_EQ(f->List_IEC_Dev.back()->Name(), u"NEW");
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].Text, u"File already exists in catalog directory. Do you want to overwrite file?");
    // A copy that fails is told, and adds no device.
    std::filesystem::create_directories(ToPath(Catalog("d.icd")));
    Add_Catalog(f, "d.icd", Scl("D"));
    EXPECT_EQ(f->List_IEC_Dev.size(), 4u);
    const auto failed = Take_Messages();
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].Type, mtError);
    EXPECT_FALSE(failed[0].Text.empty());
  });
}

struct CheckCase {
  const char* Name;
  const char16_t* bType;
  std::vector<std::pair<int, const char16_t*>> Cells;
  const char16_t* Message;  // nullptr: passes
};

TEST_F(IecClientTest, TheCheckShowsTheFirstFailure) {
  const CheckCase cases[] = {
      {"Octet64 60 + 5",
       u"Octet64",
       {{daStartByte, u"60"}, {daNumByte, u"5"}},
       u"Error row 1!! Start Byte plus Num Byte must be minor of 64"},
      {"Octet64 60 + 4", u"OCTET64", {{daStartByte, u"60"}, {daNumByte, u"4"}}, nullptr},
      {"Octet64 64",
       u"Octet64",
       {{daStartByte, u"64"}, {daNumByte, u"1"}},
       u"Error row 1!! Start Byte must be between 0 and 63"},
      {"VisString255 0 + 255", u"VisString255", {{daStartByte, u"0"}, {daNumByte, u"255"}}, nullptr},
      {"VisString255 0 + 256",
       u"VisString255",
       {{daStartByte, u"0"}, {daNumByte, u"256"}},
       u"Error row 1!! Num Byte must be between 1 and 255"},
      {"empty bType skipped", u"", {{daIPAddress, u"x"}}, nullptr},
      {"bad address",
       u"INT32",
       {{daIPAddress, u"192.168.1"}},
       u"Error row 1!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {"port", u"INT32", {{daPort, u"65536"}}, u"Error row 1!! Port must be between 0 and 65535"},
      {"On Timer N, Time 0", u"INT32", {{daOnTimer, u"N"}, {daTime, u"0"}}, nullptr},
      {"On Timer Y, Time 0",
       u"INT32",
       {{daOnTimer, u" Y"}, {daTime, u"0"}},
       u"Error row 1!! Time must be between 1 and 100000000 ms"},
      {"Position 1400", u"INT32", {{daPosition, u"1400"}}, u"Error row 1!! Position must be between 0 and 1399"},
      {"Molt Fact 1,5", u"INT32", {{daMoltFact, u"1,5"}}, nullptr},
      {"Molt Fact 1.5", u"INT32", {{daMoltFact, u"1.5"}}, nullptr},
      {"Molt Fact NONE", u"INT32", {{daMoltFact, u" NONE "}}, nullptr},
      {"Molt Fact abc", u"INT32", {{daMoltFact, u"abc"}}, u"Error row 1!! Mult. Factor must be a valid Float"},
  };
  Open([&](TFIEC_61850_Access* f) {
    for (const CheckCase& c : cases) {
      SCOPED_TRACE(c.Name);
      TAdvStringGrid* g = f->ACG_DA;
      for (int col = 1; col <= daMnemonic; ++col) g->SetCellEx(col, 1, String());
      g->SetCellEx(daBType, 1, c.bType);
      Fill_Request(g, 1);
      for (const auto& [col, text] : c.Cells) g->SetCellEx(col, 1, text);
      Expect_Check(f->Controllo_dati(), c.Message);
    }
  });
}

// The file as OK writes it for a catalog of two devices, one request and one data set with a
// member setting.
std::string Golden() {
  return "<IEC_68850_Client><List_ICD_Files><ICD_File Name=\"SA\" FileName=\"a.icd\"/>"
         "<ICD_File Name=\"SB\" FileName=\"b.icd\"/></List_ICD_Files><List_DA_Selected>"
         "<DA_Item Index=\"1\" bType=\"Quality\" fc=\"ST\" Reference=\"SBLD0/GGIO1.Ind1.q\" StartByte=\"0\" "
         "NumByte=\"4\" IPAddress=\"192.168.1.10\" Port=\"102\" OnChange=\"N\" OnCMD=\"N\" OnTimer=\"N\" Time=\"\" "
         "Position=\"0\" StartBit=\"\" ReadWrite=\"\" Convertion=\"\" MoltFact=\"none\" Mnemonic=\"\"/>"
         "</List_DA_Selected><List_DataSet_Selected><DataSet_Item Index=\"1\" Reference=\"SBLD0/LLN0.DS1\" "
         "GooseName=\"GC1\" EnGoose=\"Y\" IPAddress=\"\" Port=\"\" Time=\"\" Mnemonic=\"\"><DataSet_List_DAs>"
         "<DataSet_DA_Item bType=\"BOOLEAN\" Reference=\"SBLD0/GGIO1.Ind1.stVal\" Position=\"\" StartBit=\"\" "
         "Convertion=\"\" MoltFact=\"\" Mnemonic=\"\"/><DataSet_DA_Item bType=\"Quality\" "
         "Reference=\"SBLD0/GGIO1.Ind1.q\" Position=\"7\" StartBit=\"2\" Convertion=\"None\" MoltFact=\"1.5\" "
         "Mnemonic=\"m\"/></DataSet_List_DAs></DataSet_Item></List_DataSet_Selected></IEC_68850_Client>"
         "<!--SW_VERSION = 1.000-->";
}

TEST_F(IecClientTest, OkWritesTheNestedFileAndShowReadsItBack) {
  int result = Open([&](TFIEC_61850_Access* f) {
    Add_Catalog(f, "a.icd", Scl("SA"));
    Add_Catalog(f, "b.icd", Scl("SB"));
    Add(f, 1, {u"LD0", u"GGIO1", u"Ind1", u"q"});
    Fill_Request(f->ACG_DA, 1);
    Add(f, 1, {u"LD0", u"LLN0", u"DS1"});
    TDataSet_DA& m = *f->List_DataSet[0]->List_DAs[1];
    m.Position = u"7", m.bitAddress = u"2", m.conversion = u"None", m.multFactor = u"1.5", m.Mnemonic = u"m";
    f->Btn_OK->Click();
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(File_Text(Path_IEC_61850_Client), Golden());
  // Shown again: the same file comes out of OK.
  result = Open([&](TFIEC_61850_Access* f) {
    EXPECT_EQ(f->LB_IEC_Devices->Count(), 2);
    f->ACG_DataSet->SetRow(1);
    f->Show_DataSet_DAs();
    EXPECT_EQ(Row(f->ACG_DS_Vars, 2, 1, 7), "Quality|SBLD0/GGIO1.Ind1.q|7|2|None|1.5|m");
    f->Btn_OK->Click();
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(File_Text(Path_IEC_61850_Client), Golden());
  EXPECT_TRUE(Take_Messages().empty());
}

TEST_F(IecClientTest, AChangedMemberDropsItsSettingsAndAMissingFileKeepsItsPlace) {
  Write("IEC_61850_Client.xml", Golden());
  std::filesystem::create_directories(ToPath(PathJoin(Project_Folder, u"ICD_Catalog")));
  std::ofstream(ToPath(Catalog("b.icd")), std::ios::binary) << Scl("SB", "t");  // member 2 is now t
  Open([&](TFIEC_61850_Access* f) {
    // a.icd is gone: its place holds its stored name, so Index 1 still names SB.
    ASSERT_EQ(f->List_IEC_Dev.size(), 2u);
    EXPECT_EQ(f->LB_IEC_Devices->Items()->Strings(0), u"SA");
    EXPECT_EQ(f->LB_IEC_Devices->Items()->Strings(1), u"SB");
    ASSERT_EQ(f->List_DataSet.size(), 1u);
    ASSERT_NE(f->List_DataSet[0]->Select_DataSet, nullptr);
    ASSERT_EQ(f->List_DataSet[0]->List_DAs.size(), 1u);  // the changed second member is dropped
    EXPECT_EQ(f->List_DataSet[0]->List_DAs[0]->Select_DA->Reference(), u"SBLD0/GGIO1.Ind1.stVal");
    EXPECT_EQ(Row(f->ACG_DA, 1, 1, 2), "1|Quality");
    f->Btn_OK->Click();
  });
  const auto m = Take_Messages();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].Text, u"Catalog files not found in ICD_Catalog: a.icd");
  EXPECT_NE(File_Text(Path_IEC_61850_Client).find("<ICD_File Name=\"SA\" FileName=\"a.icd\"/>"), std::string::npos);
}

TEST_F(IecClientTest, AnItemThatFailsToLoadIsToldAndOkAsksBeforeOverwriting) {
  Write("IEC_61850_Client.xml",
        "<IEC_68850_Client><List_DA_Selected><DA_Item Index=\"0\"/></List_DA_Selected>"
        "</IEC_68850_Client>");
  Open([&](TFIEC_61850_Access* f) {
    EXPECT_EQ(Take_Messages().size(), 1u);  // the missing attribute
    script_.ExpectMessage(mrNo);
    f->ACG_DA->SetCellEx(daBType, 1, String());
    f->Btn_OK->Click();
    EXPECT_EQ(Take_Messages().size(), 1u);  // the question
  });
  EXPECT_NE(File_Text(Path_IEC_61850_Client).find("Index=\"0\"/>"), std::string::npos);  // kept
}

TEST_F(IecClientTest, TheFormPaintsItsTreeInItsColours) {
  Open([&](TFIEC_61850_Access* f) {
    Add_Catalog(f, "a.icd", Scl("SRV"));
    Select(f, 0, {u"LD0", u"LLN0", u"DS1"});
    f->TV_IEC_Device->SetSelected(nullptr);
    std::unique_ptr<TBitmap> shot = PaintToBitmap(f);
    ASSERT_GT(shot->Width(), 0);
    auto colours = [&](const char16_t* Text) {
      for (TTreeNode* n : f->TV_IEC_Device->ShownNodes())
        if (n->Text() == Text) {
          TRect r = f->TV_IEC_Device->NodeRect(n);
          const TRect at = PaintedRect(f->TV_IEC_Device, f);
          OffsetRect(r, at.Left, at.Top);
          return BitmapColors(shot.get(), r);
        }
      return std::map<TColor, int>{};
    };
    EXPECT_GT(colours(u"Ind1").count(clBlue), 0u);   // a data object
    EXPECT_GT(colours(u"DS1").count(clGreen), 0u);   // a data set
    EXPECT_EQ(colours(u"stVal").count(clBlue), 0u);  // an attribute: black
    EXPECT_GT(colours(u"SRV").count(clNavy), 0u);    // the device's picture
    // The device panel: the list 161 wide, the tree beside it, the tables beside the panel.
    EXPECT_EQ(PaintedRect(f->LB_IEC_Devices, f).Width(), 161);
    EXPECT_EQ(PaintedRect(f->PTable, f).Left, 465 + 4);
    if (const char* out = std::getenv("CONF_FORM_PNG")) SavePng(shot.get(), Utf8ToString(out));
    // The highlighted data object is written in the highlight text colour: only its picture
    // stays blue.
    const int blueText = colours(u"Ind1")[clBlue];
    Select(f, 0, {u"LD0", u"GGIO1", u"Ind1"});
    f->TV_IEC_Device->SetFocus();
    ASSERT_TRUE(f->TV_IEC_Device->Focused());
    shot = PaintToBitmap(f);
    auto selected = colours(u"Ind1");
    EXPECT_LT(selected[clBlue], blueText);
    EXPECT_GT(selected[clWhite], 0);
  });
}

}  // namespace
