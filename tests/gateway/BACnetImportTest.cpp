// The EDE import: the dialog's list and choices, its address test, and the rows the client tables
// form appends after the rows in use, up to the last row and the end of the data area.
#include "gateway/UImportEDEFile.h"
#include "tests/gateway/BACnetEdeTestSupport.h"
#include "tests/gateway/BACnetFormTestSupport.h"

using namespace bacnet_form_test;
using bacnet_ede_test::EdeFile;
using bacnet_ede_test::EdeObject;

namespace {

class BACnetImportTest : public BACnetFormTest {
 protected:
  void TearDown() override {
    delete FImportEDEFile;
    EDE_Import_Folder.clear();
    BACnetFormTest::TearDown();
  }
  // Writes an EDE file of these data lines and presses Import EDE on the open form, choosing the
  // file; Drive runs while the dialog is shown (its result is the dialog's own).
  void Import(TFBACnetAccess* F, const std::vector<std::string>& Data, const std::function<void(TFImportEDEFile*)>& Drive,
              const std::string& Name = "remote.csv") {
    Write(Name, bacnet_ede_test::Ede_Joined(EdeFile(Data)));
    script_.AnswerFileDialog(dir_.File(Name));
    script_.AnswerModal(u"FImportEDEFile", [&](TForm*) {
      Drive(FImportEDEFile);
      return mrNone;
    });
    driver_.Click(F->Btn_Import_CSV);
  }
  // Types the address and presses OK.
  void Accept(TFImportEDEFile* D, const String& Address) {
    D->E_ID_IP->SetText(Address);
    driver_.Click(D->Btn_OK);
  }
  // Clicks the check box of a cell of the object list.
  void Tick(TFImportEDEFile* D, int Col, int Row) {
    D->ACG->SetFocus();
    D->ACG->SetCol(Col);
    D->ACG->SetRowEx(Row);
    driver_.Key(D, VK_SPACE, {}, u' ');
  }
  static std::vector<std::string> Three_Analog_Values() {
    return {EdeObject("AV1", 2, 1, "N", "", "first"), EdeObject("AV2", 2, 2, "Y", "", "second"),
            EdeObject("AV3", 2, 3, "N", "", "third")};
  }
};

}  // namespace

TEST_F(BACnetImportTest, ThreeAnalogValuesIntoEmptyTables) {
  Set_Type("0");
  Open([&](TFBACnetAccess* f) {
    Take_Messages();
    Import(f, Three_Analog_Values(), [&](TFImportEDEFile* d) {
      EXPECT_EQ(d->Caption(), u"Import BACnet EDE File");
      EXPECT_EQ(d->ClientWidth(), 863);
      EXPECT_EQ(d->ClientHeight(), 337);
      EXPECT_EQ(d->App_BACnet_Type, 0);
      ASSERT_EQ(d->ACG->RowCount(), 4);
      EXPECT_EQ(Row_Of(d->ACG, 2), (Cells{u"Y", u"Y", u"Y", u"AV2", u"2", u"2", u"second", u"Y"}));
      EXPECT_EQ(Row_Of(d->ACG, 3), (Cells{u"Y", u"Y", u"N", u"AV3", u"2", u"3", u"third", u"N"}));
      Accept(d, u"192.168.0.20");
    });
    EXPECT_TRUE(Take_Messages().empty());
    EXPECT_EQ(Row_Of(f->ACG1, 1), (Cells{u"Y", u"192.168.0.20", u"Analog Value", u"1", u"Present Value (85)", u"4", u"N",
                                         u"", u"", u"", u"1000", u"0", u"0", u"0", u"N", u"", u"AV1 - first"}));
    EXPECT_EQ(f->ACG1->GetCellEx(brPosition, 2), u"4");
    EXPECT_EQ(f->ACG1->GetCellEx(brPosition, 3), u"8");
    EXPECT_EQ(f->ACG1->GetCellEx(brAddress, 4), u"");
    EXPECT_EQ(Row_Of(f->ACG2, 1),
              (Cells{u"Y", u"192.168.0.20", u"Analog Value", u"Real", u"2", u"Present Value (85)", u"0", u"4", u"N", u"",
                     u"", u"", u"N", u"N", u"1000", u"0", u"0", u"0", u"N", u"", u"AV2 - second"}));
    EXPECT_EQ(f->ACG2->GetCellEx(bwAddress, 2), u"");
    // The imported rows pass the check and are saved with OK.
    driver_.Click(f->Btn_OK);
    EXPECT_TRUE(Take_Messages().empty());
  });
  EXPECT_EQ(EDE_Import_Folder, ExcludeTrailingPathDelimiter(dir_.Folder()));
  EXPECT_EQ(form_->OD_EDE_File->InitialDir(), EDE_Import_Folder);
  EXPECT_EQ(form_->OD_EDE_File->Filter(), u"BACnet EDE File (*.csv)|*.csv");
}

TEST_F(BACnetImportTest, TheNextPositionFollowsTheUsedRowsAndASecondImportContinues) {
  Set_Type("0");
  Open([&](TFBACnetAccess* f) {
    Put_Row(f->ACG1, 1, With(BACnet_Read(), brPosition, u"0"));
    Put_Row(f->ACG1, 2, With(BACnet_Read(), brPosition, u"10"));
    Put_Row(f->ACG1, 3, With(With(BACnet_Read(), brPosition, u"2"), brNByte, u"2"));
    Put_Row(f->ACG1, 5, With(BACnet_Read(), brPosition, u"x"));  // a used row after a free one
    Import(f, Three_Analog_Values(), [&](TFImportEDEFile* d) { Accept(d, u"10.0.0.1"); });
    EXPECT_EQ(f->ACG1->GetCellEx(brPosition, 4), u"14");
    EXPECT_EQ(f->ACG1->GetCellEx(brPosition, 5), u"x");  // stepped over, never overwritten
    EXPECT_EQ(f->ACG1->GetCellEx(brPosition, 6), u"18");
    EXPECT_EQ(f->ACG1->GetCellEx(brPosition, 7), u"22");
    Import(f, Three_Analog_Values(), [&](TFImportEDEFile* d) {
      EXPECT_EQ(d->E_ID_IP->Text(), u"10.0.0.1");  // kept between showings
      driver_.Click(d->Btn_OK);
    });
    EXPECT_EQ(f->ACG1->GetCellEx(brPosition, 8), u"26");
    EXPECT_EQ(f->ACG1->GetCellEx(brMnemonic, 10), u"AV3 - third");
    EXPECT_EQ(f->ACG1->GetCellEx(brPosition, 10), u"34");
    EXPECT_EQ(f->ACG2->GetCellEx(bwPosition, 2), u"4");
    EXPECT_EQ(f->ACG2->GetCellEx(bwAddress, 3), u"");
  });
}

TEST_F(BACnetImportTest, TheChoicesOfTheDialog) {
  Set_Type("0");
  Open([&](TFBACnetAccess* f) {
    // Unselect All, then one tick: one object.
    Import(f, Three_Analog_Values(), [&](TFImportEDEFile* d) {
      driver_.Click(d->Btn_Unselect_All);
      EXPECT_EQ(d->ACG->GetCellEx(eiImport, 1), u"N");
      EXPECT_FALSE(d->List_EDE_Var[2].import);
      Tick(d, eiImport, 3);
      EXPECT_TRUE(d->List_EDE_Var[2].import);
      Accept(d, u"10.0.0.1");
    });
    EXPECT_EQ(f->ACG1->GetCellEx(brMnemonic, 1), u"AV3 - third");
    EXPECT_EQ(f->ACG1->GetCellEx(brAddress, 2), u"");
    EXPECT_EQ(f->ACG2->GetCellEx(bwAddress, 1), u"");
    // Read and Write cleared, Import kept: nothing; a Write tick on a read-only object is refused.
    Import(f, Three_Analog_Values(), [&](TFImportEDEFile* d) {
      Tick(d, eiRead, 2);
      Tick(d, eiWrite, 2);
      EXPECT_FALSE(d->List_EDE_Var[1].read || d->List_EDE_Var[1].write);
      Tick(d, eiWrite, 1);
      const auto m = Take_Messages();
      ASSERT_EQ(m.size(), 1u);
      EXPECT_EQ(m[0].Text, u"Error line 1!! The Variable is only in read");
      EXPECT_EQ(m[0].Type, mtError);
      EXPECT_EQ(d->ACG->GetCellEx(eiWrite, 1), u"N");
      EXPECT_FALSE(d->List_EDE_Var[0].write);
      Tick(d, eiRead, 1);
      Tick(d, eiRead, 3);
      Accept(d, u"10.0.0.1");
    });
    EXPECT_EQ(f->ACG1->GetCellEx(brAddress, 2), u"");
    EXPECT_EQ(f->ACG2->GetCellEx(bwAddress, 1), u"");
    // Select All after Unselect All: every object again; Cancel imports nothing.
    Import(f, Three_Analog_Values(), [&](TFImportEDEFile* d) {
      driver_.Click(d->Btn_Unselect_All);
      driver_.Click(d->Btn_Select_All);
      EXPECT_TRUE(d->List_EDE_Var[0].import && d->ACG->GetCellEx(eiImport, 3) == u"Y");
      driver_.Click(d->Btn_Cancel);
    });
    EXPECT_EQ(f->ACG1->GetCellEx(brAddress, 2), u"");
  });
}

TEST_F(BACnetImportTest, TheAddressOfAnMSTPDevice) {
  Set_Type("1");
  Open([&](TFBACnetAccess* f) {
    Import(f, {EdeObject("BV", 5, 9, "Y")}, [&](TFImportEDEFile* d) {
      EXPECT_EQ(d->App_BACnet_Type, 1);
      Accept(d, u"255");
      auto m = Take_Messages();
      ASSERT_EQ(m.size(), 1u);
      EXPECT_EQ(m[0].Text, u"Error!! Slave ID must be between 0 and 254");
      EXPECT_EQ(d->ModalResult(), mrNone);
      Accept(d, u"254");
    });
    EXPECT_EQ(f->ACG1->GetCellEx(brAddress, 1), u"254");
    EXPECT_EQ(f->ACG2->GetCellEx(bwAddress, 1), u"254");
    // A binary value: one byte, Enumerated.
    EXPECT_EQ(f->ACG1->GetCellEx(brObject_Type, 1), u"Binary Value");
    EXPECT_EQ(f->ACG1->GetCellEx(brNByte, 1), u"1");
    EXPECT_EQ(f->ACG2->GetCellEx(bwData_Type, 1), u"Enumerated");
    EXPECT_EQ(f->ACG2->GetCellEx(bwNByte, 1), u"1");
  });
}

TEST_F(BACnetImportTest, AWrongIPAddressKeepsTheDialogOpen) {
  Set_Type("0");
  Open([&](TFBACnetAccess* f) {
    Import(f, {EdeObject("BV", 5, 9)}, [&](TFImportEDEFile* d) {
      Accept(d, u"300.1.1.1");
      auto m = Take_Messages();
      ASSERT_EQ(m.size(), 1u);
      EXPECT_EQ(m[0].Text, u"Error!! IP Address is not correct");
      EXPECT_EQ(d->ModalResult(), mrNone);
    });
    EXPECT_EQ(f->ACG1->GetCellEx(brAddress, 1), u"");
  });
}

TEST_F(BACnetImportTest, ObjectsBeyondTheLastRowOrTheDataAreaAreLeftOutAndCounted) {
  Set_Type("0");
  std::vector<std::string> many;
  for (int i = 0; i < 600; ++i) many.push_back(EdeObject("AI" + std::to_string(i), 0, i));
  Open([&](TFBACnetAccess* f) {
    for (int r = 1; r <= 500; ++r) Put_Row(f->ACG1, r, With(With(BACnet_Read(), brPosition, u"0"), brNByte, u"1"));
    Import(f, many, [&](TFImportEDEFile* d) {
      EXPECT_EQ(d->ACG->RowCount(), 601);
      Accept(d, u"10.0.0.1");
    });
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"588 objects of the EDE file were not imported: no free row or no room left in the data area");
    EXPECT_EQ(m[0].Type, mtWarning);
    EXPECT_EQ(f->ACG1->GetCellEx(brMnemonic, 512), u"AI11 - desc");
    EXPECT_EQ(f->ACG1->GetCellEx(brPosition, 512), u"45");
  });
}

TEST_F(BACnetImportTest, TheDataAreaEndsAtByte1440) {
  Set_Type("0");
  Open([&](TFBACnetAccess* f) {
    Put_Row(f->ACG1, 1, With(BACnet_Read(), brPosition, u"1432"));
    Import(f, {EdeObject("AV1", 2, 1), EdeObject("AV2", 2, 2), EdeObject("BV", 5, 3), EdeObject("AV3", 2, 4)},
           [&](TFImportEDEFile* d) { Accept(d, u"10.0.0.1"); });
    EXPECT_EQ(f->ACG1->GetCellEx(brPosition, 2), u"1436");  // ends at 1440: fits
    EXPECT_EQ(f->ACG1->GetCellEx(brAddress, 3), u"");
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"3 objects of the EDE file were not imported: no free row or no room left in the data area");
  });
}

TEST_F(BACnetImportTest, WithAnotherClientTypeUsedRowsAreFoundByObjectType) {
  Set_Type("2");
  Open([&](TFBACnetAccess* f) {
    Put_Row(f->ACG1, 1, With(BACnet_Read(), brAddress, u""));
    Import(f, {EdeObject("AV1", 2, 1)}, [&](TFImportEDEFile* d) {
      Accept(d, u"anything");  // no address test
    });
    EXPECT_EQ(f->ACG1->GetCellEx(brMnemonic, 1), u"temp");
    EXPECT_EQ(f->ACG1->GetCellEx(brMnemonic, 2), u"AV1 - desc");
    EXPECT_EQ(f->ACG1->GetCellEx(brPosition, 2), u"4");
  });
}

TEST_F(BACnetImportTest, AnUnreadableFileIsReportedAndImportsNothing) {
  Set_Type("0");
  Open([&](TFBACnetAccess* f) {
    Take_Messages();
    Write("six.csv", "a;;;;;;\r\nb;;;;;;\r\nc;;;;;;\r\nd;;;;;;\r\ne;;;;;;\r\nf;;;;;;\r\n");
    script_.AnswerFileDialog(dir_.File("six.csv"));
    script_.AnswerModal(u"FImportEDEFile", [&](TForm*) {
      const auto m = Take_Messages();
      EXPECT_EQ(m.size(), 1u);
      EXPECT_TRUE(FImportEDEFile->List_EDE_Var.empty());
      EXPECT_EQ(FImportEDEFile->ACG->RowCount(), 2);
      Accept(FImportEDEFile, u"10.0.0.1");
      return mrNone;
    });
    driver_.Click(f->Btn_Import_CSV);
    EXPECT_EQ(f->ACG1->GetCellEx(brAddress, 1), u"");
    // A file that is gone: no dialog, but the folder is remembered.
    script_.AnswerFileDialog(dir_.File("gone.csv"));
    const size_t shown = script_.ModalForms().size();
    driver_.Click(f->Btn_Import_CSV);
    EXPECT_EQ(script_.ModalForms().size(), shown);
    EXPECT_EQ(EDE_Import_Folder, ExcludeTrailingPathDelimiter(dir_.Folder()));
  });
}

TEST_F(BACnetImportTest, MappingOfObjectTypes) {
  struct MapCase {
    int Type;
    const char16_t* Object;
    const char16_t* Data;
    int Bytes;
  };
  const MapCase cases[] = {{0, u"Analog Input", u"Real", 4},           {4, u"Binary Output", u"Enumerated", 1},
                           {19, u"Multi-State Value", u"Unsigned Int", 4}, {21, u"Life Safety Point", u"Enumerated", 2},
                           {23, u"Accumulator", u"Unsigned Int", 4},  {45, u"Integer Value", u"Signed Int", 4},
                           {46, u"Large Analog Value", u"Double", 8}, {48, u"Positive Integer Value", u"Unsigned Int", 4},
                           {8, u"", u"Null", 4}};
  for (const MapCase& k : cases) {
    SCOPED_TRACE(k.Type);
    EXPECT_EQ(TFBACnetAccess::Get_ObjType_EDE(k.Type), k.Object);
    EXPECT_EQ(TFBACnetAccess::Get_DataType_EDE(k.Type), k.Data);
    EXPECT_EQ(TFBACnetAccess::Get_NumByte_EDE(k.Type), k.Bytes);
  }
}
