// The BACnet client tables form: the check routine over both tables (object types, properties,
// data types, sizes, destinations), the address column and key column that follow ParGen.xml's
// client type, the table file, the NByte hint and the frame's departures.
#include "tests/gateway/BACnetFormTestSupport.h"

using namespace bacnet_form_test;

TEST_F(BACnetFormTest, ObjectTypesPropertiesAndInstances) {
  const Cells read = BACnet_Read();
  Run_Cases({
      {"a valid row", {read}, {}, 0},
      {"Analog Input with Units (117)", {BACnet_Read(u"Analog Input", u"Units (117)")}, {}, 0},
      {"Binary Input with Units (117)", {BACnet_Read(u"Binary Input", u"Units (117)")}, {}, 2042},
      {"Scale of an accumulator", {BACnet_Read(u" accumulator ", u"scale (187)")}, {}, 0},
      {"Scale of an analog input", {BACnet_Read(u"Analog Input", u"Scale (187)")}, {}, 2042},
      {"Polarity of a binary value", {BACnet_Read(u"Binary Value", u"Polarity (84)")}, {}, 0},
      {"Number of States of an analog input", {BACnet_Read(u"Analog Input", u"Number of States (74)")}, {}, 2042},
      {"property 4194303", {BACnet_Read(u"Analog Input", u"4194303")}, {}, 0},
      {"property 4194304", {BACnet_Read(u"Analog Input", u"4194304")}, {}, 2042},
      {"property 511", {BACnet_Read(u"Analog Input", u"511")}, {}, 2042},
      {"proprietary object type 1023", {BACnet_Read(u"1023")}, {}, 0},
      {"object type 127", {BACnet_Read(u"127")}, {}, 2040},
      {"object type Device", {BACnet_Read(u"Device")}, {}, 2040},
      {"Instance 4294967295", {With(read, brInstance, u"4294967295")}, {}, 0},
      {"Instance 4294967296", {With(read, brInstance, u"4294967296")}, {}, 2041},
      {"Instance -1", {With(read, brInstance, u"-1")}, {}, 2041},
      {"NByte 256", {With(read, brNByte, u"256")}, {}, 2043},
      {"Poll Time 100000001", {With(read, brPoll_Time, u"100000001")}, {}, 2044},
      {"Max Err 65536", {With(read, brMax_Err, u"65536")}, {}, 2045},
      {"a bad IP address", {With(read, brAddress, u"192.168.0")}, {}, 2038},
      {"a disabled row is not tested", {With(With(read, brEnable, u"N"), brObject_Type, u"x")}, {}, 0},
      {"Enable must be exactly Y", {With(With(read, brEnable, u"y"), brObject_Type, u"x")}, {}, 0},
      {"the second row fails", {read, BACnet_Read(u"Binary Input", u"Units (117)")}, {}, 2042, 2},
      {"the read table is checked first", {With(read, brNByte, u"-1")}, {With(BACnet_Write(), bwPriority, u"17")}, 2043},
      {"MS/TP: Slave ID 254", {With(read, brAddress, u"254")}, {}, 0, 1, {}, 1},
      {"MS/TP: Slave ID 255", {With(read, brAddress, u"255")}, {}, 2039, 1, {}, 1},
      {"MS/TP: an IP address", {read}, {}, 2039, 1, {}, 1},
      {"type 2: no address test", {With(read, brAddress, u"")}, {With(BACnet_Write(), bwAddress, u"x")}, 0, 1, {}, 2},
      {"type 2: the table runs to the first empty Object Type",
       {With(read, brAddress, u""), With(BACnet_Read(u"Binary Input", u"Units (117)"), brAddress, u"")}, {}, 2042, 2, {}, 2},
      {"type 0: the table ends at the first empty address",
       {read, With(BACnet_Read(u"Binary Input", u"Units (117)"), brAddress, u" ")}, {}, 0},
  });
}

TEST_F(BACnetFormTest, DataTypesAndSizesOfTheWriteTable) {
  const Cells write = BACnet_Write();
  Run_Cases({
      {"a valid row", {}, {write}, 0},
      {"Positive Integer Value written as Real",
       {}, {BACnet_Write(u"Positive Integer Value", u"Real")}, 2058, 1, u"Unsigned Int"},
      {"property 600 takes any data type", {}, {BACnet_Write(u"Positive Integer Value", u"Real", u"600")}, 0},
      {"Life Safety Point has no expected type", {}, {BACnet_Write(u"Life Safety Point", u"Enumerated")}, 2052},
      {"a proprietary object takes any type", {}, {BACnet_Write(u"200", u"Octet String", u"Present Value (85)", u"255")}, 0},
      {"Boolean NByte 0", {}, {BACnet_Write(u"Analog Value", u"Boolean", u"600", u"0")}, 0},
      {"Boolean NByte 1", {}, {BACnet_Write(u"Analog Value", u"Boolean", u"600", u"1")}, 0},
      {"Boolean NByte 2", {}, {BACnet_Write(u"Analog Value", u"Boolean", u"600", u"2")}, 2054, 1, u"1"},
      {"Bit String NByte 120", {}, {BACnet_Write(u"Analog Value", u"Bit String", u"600", u"120")}, 0},
      {"Bit String NByte 121", {}, {BACnet_Write(u"Analog Value", u"Bit String", u"600", u"121")}, 2054, 1, u"120"},
      {"Double NByte 9", {}, {BACnet_Write(u"Large Analog Value", u"Double", u"Present Value (85)", u"9")}, 2054, 1, u"8"},
      {"an input object cannot be written", {}, {BACnet_Write(u"Analog Input")}, 2049},
      {"a read-only property", {}, {BACnet_Write(u"Analog Value", u"Real", u"Units (117)")}, 2051},
      {"Priority 17", {}, {With(write, bwPriority, u"17")}, 2053},
      {"Timer N with any Poll Time", {}, {With(write, bwPoll_Time, u"soon")}, 0},
      {"Timer Y with a bad Poll Time", {}, {With(With(write, bwTimer, u"Y"), bwPoll_Time, u"soon")}, 2055},
      {"Max Err -1", {}, {With(write, bwMax_Err, u"-1")}, 2056},
      {"Slave ID 255 on MS/TP", {}, {With(write, bwAddress, u"255")}, 2048, 1, {}, 1},
      {"Instance x", {}, {With(write, bwInstance, u"x")}, 2050},
  });
}

TEST_F(BACnetFormTest, DestinationsOfRoutedRows) {
  Run_Cases({
      {"M3 with three bytes and blanks", {Routed(u"M3", u" 1 , 2 ,3")}, {}, 0},
      {"M3 with two bytes", {Routed(u"M3", u"1,2")}, {}, 2088},
      {"M3 with four bytes", {Routed(u"M3", u"1,2,3,4")}, {}, 2084},
      {"M3 with an empty byte", {Routed(u"M3", u"1,,2")}, {}, 2082},
      {"M3 with a byte of 256", {Routed(u"M3", u"1,256,2")}, {}, 2082},
      {"M3 with an empty address", {Routed(u"M3", u"")}, {}, 2088},
      {"M9", {Routed(u"M9", u"1")}, {}, 2086},
      {"M0", {Routed(u"M0", u"")}, {}, 2086},
      {"empty D Len", {Routed(u"", u"1")}, {}, 2086},
      {"m1 is M1", {Routed(u" m1 ", u"7")}, {}, 0},
      {"D Len 3", {Routed(u"3", u"1")}, {}, 2071},
      {"D Len 0", {Routed(u"0", u"1")}, {}, 2071},
      {"D Len 1 with 255", {Routed(u"1", u"255")}, {}, 0},
      {"D Len 1 with 256", {Routed(u"1", u"256")}, {}, 2072},
      {"D Len 2 with 0", {Routed(u"2", u"0")}, {}, 2073},
      {"D Len 2 with 65535", {Routed(u"2", u"65535")}, {}, 0},
      {"D Len 6 with an address and port", {Routed(u"6", u"192.168.0.15:47808")}, {}, 0},
      {"D Len 6 without a port", {Routed(u"6", u"192.168.0.15")}, {}, 2074},
      {"D Net 0", {With(Routed(u"1", u"1"), brD_Net, u"0")}, {}, 2070},
      {"not routed: the destination is not tested", {With(Routed(u"M9", u""), brEn_Dest, u"N")}, {}, 0},
      {"routed with a lower-case y", {With(Routed(u"M9", u""), brEn_Dest, u" y")}, {}, 2086},
      {"write: M9", {}, {Routed_Write(u"M9", u"1")}, 2087},
      {"write: M2 with an empty address", {}, {Routed_Write(u"M2", u" ")}, 2089},
      {"write: too many bytes", {}, {Routed_Write(u"M1", u"1,2")}, 2085},
      {"write: D Len 3", {}, {Routed_Write(u"3", u"1")}, 2076},
  });
}

TEST_F(BACnetFormTest, TheTableChecksAsFunctions) {
  EXPECT_EQ(TFBACnetAccess::Check_Object_Type(u"Analog Input", false), 4);
  EXPECT_EQ(TFBACnetAccess::Check_Object_Type(u"Analog Input", true), -1);
  EXPECT_EQ(TFBACnetAccess::Check_Object_Type(u" binary value ", true), 13);
  EXPECT_EQ(TFBACnetAccess::Check_Object_Type(u"128", true), 128);
  EXPECT_EQ(TFBACnetAccess::Check_Property(u"Present Value (85)", true, 12), 100);
  EXPECT_EQ(TFBACnetAccess::Check_Property(u"Object Type (79)", false, 12), 2);
  EXPECT_EQ(TFBACnetAccess::Check_Property(u"PreScale (185)", false, 1), 5);
  EXPECT_EQ(TFBACnetAccess::Check_Property(u"512", false, 12), 200);
  EXPECT_EQ(TFBACnetAccess::Check_Data_Type(u"double", 9, 100), 8);
  EXPECT_EQ(TFBACnetAccess::Check_Data_Type(u"x", 9, 200), 1000);
  EXPECT_EQ(TFBACnetAccess::Aspected_Data_Type_Value(9, 200), u"");
  EXPECT_EQ(TFBACnetAccess::Aspected_Data_Type_Value(8, 100), u"Signed Int");
  EXPECT_EQ(TFBACnetAccess::Check_Num_Byte_Max(u" character string "), 255);
  EXPECT_EQ(TFBACnetAccess::Check_Num_Byte_Max(u"Null"), 0);
  EXPECT_EQ(TFBACnetAccess::Check_Num_Byte_Max(u"Object ID"), 4);
  // The address check names the row it was given.
  EXPECT_TRUE(form_->Check_Dest_Add(u"1,2", 3, false, 7));
  const auto m = Take_Messages();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].Text, u"Error in Write, row 7!! Destination Address has too few bytes");
  EXPECT_FALSE(form_->Check_Dest_Add(u"1,2,3", 3, true, 1));
  EXPECT_TRUE(Take_Messages().empty());
}

TEST_F(BACnetFormTest, TheNByteHintFollowsObjectTypeAndProperty) {
  struct HintCase {
    const char16_t* Type;
    const char16_t* Property;
    const char16_t* Hint;
  };
  const HintCase cases[] = {
      {u"Analog Input", u"Present Value (85)", u"4"},  {u"Binary Output", u"Present Value (85)", u"1"},
      {u"Large Analog Value", u"Present Value (85)", u"8"}, {u"Analog Value", u"Present Value (85)", u""},
      {u"Accumulator", u"PreScale (185)", u"5"},       {u"Binary Input", u"Units (117)", u""},
      {u"Analog Input", u"600", u""},                  {u"", u"Present Value (85)", u""},
  };
  Open([&](TFBACnetAccess* f) {
    for (const HintCase& k : cases) {
      SCOPED_TRACE(StringToUtf8(k.Type) + " " + StringToUtf8(k.Property));
      f->ACG1->SetCellEx(brObject_Type, 3, k.Type);
      f->ACG1->SetCellEx(brProperty, 3, k.Property);
      String hint = u"stale";
      f->ACG1->OnGridHint(f->ACG1, 3, f->ACG1->DisplColIndex(brNByte), hint);
      EXPECT_EQ(hint, k.Hint);
    }
    String hint = u"stale";
    f->ACG1->OnGridHint(f->ACG1, 0, f->ACG1->DisplColIndex(brNByte), hint);
    EXPECT_EQ(hint, u"");
    hint = u"stale";
    f->ACG2->OnGridHint(f->ACG2, 3, bwNByte, hint);
    EXPECT_EQ(hint, u"");
  });
  // The grid asks with the displayed column: with the address column hidden the hint still
  // belongs to the NByte column.
  Set_Type("2");
  Open([&](TFBACnetAccess* f) {
    f->ACG1->SetCellEx(brObject_Type, 1, u"Binary Input");
    f->ACG1->SetCellEx(brProperty, 1, u"Present Value (85)");
    ASSERT_EQ(f->ACG1->DisplColIndex(brNByte), brNByte - 1);
    String hint;
    f->ACG1->OnGridHint(f->ACG1, 1, f->ACG1->DisplColIndex(brNByte), hint);
    EXPECT_EQ(hint, u"1");
  });
}

TEST_F(BACnetFormTest, TheFileIsWrittenWithoutTheHiddenColumnsAndTwoSavesAreIdentical) {
  Set_Type("0");
  const Cells wrong = {u"N", u"bad", u"Binary Input", u"x", u"Units (117)", u"999", u"Y", u"0", u"M9", u"", u"-5",
                       u"70000", u"12", u"3", u"", u"", u"disabled"};
  const Cells routedWrite = {u"Y", u"192.168.0.11", u"Analog Value", u"Real", u"7", u"Present Value (85)", u"8", u"4",
                             u"Y", u"5", u"M3", u"1,2,3", u"Y", u"N", u"", u"0", u"20", u"0", u"", u"", u"setpoint"};
  EXPECT_EQ(Open([&](TFBACnetAccess* f) {
              EXPECT_TRUE(Take_Messages().empty());
              Put_Row(f->ACG1, 1, With(BACnet_Read(), brMnemonic, u"boiler & pump"));
              Put_Row(f->ACG1, 2, wrong);
              Put_Row(f->ACG1, 4, BACnet_Read());  // below the empty address of row 3: not written
              Put_Row(f->ACG1, 1, With(With(Row_Of(f->ACG1, 1), brSwap, u"Y"), brConvertion, u"Float to Int"));
              Put_Row(f->ACG2, 1, routedWrite);
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  const std::string first = BACnet_File_Text(Path_BACnet_Master_Access);
  EXPECT_EQ(first, BACnet_File_Text(Utf8ToString(std::string(CONF_FIXTURES) + "/bacnet/BACnet_Master_Access.xml")));
  EXPECT_EQ(Open([&](TFBACnetAccess* f) {
              EXPECT_EQ(Row_Of(f->ACG1, 2), wrong);
              EXPECT_EQ(f->ACG1->GetCellEx(brSwap, 1), u"");
              EXPECT_EQ(f->ACG1->GetCellEx(brAddress, 4), u"");
              EXPECT_EQ(Row_Of(f->ACG2, 1), routedWrite);
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  EXPECT_EQ(BACnet_File_Text(Path_BACnet_Master_Access), first);
}

TEST_F(BACnetFormTest, MissingAttributesTakeTheirDefaults) {
  Set_Type("0");
  Write("BACnet_Master_Access.xml",
        "<BACnet_Master_Access><BACnet_Read><row IP_Address_Slave_ID=\"10.0.0.1\" Mnemonic=\"m\"/></BACnet_Read>"
        "<BACnet_Write><row IP_Address_Slave_ID=\"10.0.0.2\"/></BACnet_Write></BACnet_Master_Access>");
  Open([&](TFBACnetAccess* f) {
    EXPECT_TRUE(Take_Messages().empty());
    EXPECT_FALSE(f->Load_Incomplete());
    EXPECT_EQ(Row_Of(f->ACG1, 1), (Cells{u"Y", u"10.0.0.1", u"", u"", u"", u"", u"N", u"", u"", u"", u"", u"", u"", u"",
                                         u"", u"", u"m"}));
    EXPECT_EQ(f->ACG2->GetCellEx(bwEn_Dest, 1), u"N");
    EXPECT_EQ(f->ACG2->GetCellEx(bwChange, 1), u"N");
    EXPECT_EQ(f->ACG2->GetCellEx(bwTimer, 1), u"N");
    EXPECT_EQ(f->ACG2->GetCellEx(bwEnable, 1), u"Y");
  });
}

TEST_F(BACnetFormTest, APartlyLoadedFileIsReportedAndNotOverwrittenSilently) {
  Set_Type("0");
  Write("BACnet_Master_Access.xml",
        "<BACnet_Master_Access><BACnet_Read><row IP_Address_Slave_ID=\"10.0.0.1\"/></BACnet_Read></BACnet_Master_Access>");
  const std::string before = BACnet_File_Text(Path_BACnet_Master_Access);
  Open([&](TFBACnetAccess* f) {
    const auto shown = Take_Messages();
    ASSERT_EQ(shown.size(), 1u);  // the missing write section
    EXPECT_EQ(shown[0].Type, mtError);
    EXPECT_TRUE(f->Load_Incomplete());
    EXPECT_EQ(f->ACG1->GetCellEx(brAddress, 1), u"10.0.0.1");
    f->ACG1->SetCellEx(brAddress, 1, u"");
    script_.ExpectMessage(mrNo);
    driver_.Click(f->Btn_OK);
    const auto asked = Take_Messages();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Type, mtConfirmation);
    EXPECT_EQ(f->ModalResult(), mrNone);
  });
  EXPECT_EQ(BACnet_File_Text(Path_BACnet_Master_Access), before);
}

TEST_F(BACnetFormTest, TheClientTypeSetsTheAddressColumnAtEveryShow) {
  // No ParGen.xml: the message, then BACnet/IP.
  Open([&](TFBACnetAccess* f) {
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Select the BACnet Type in the \"Set Communication\" section");
    EXPECT_EQ(m[0].Type, mtError);
    EXPECT_EQ(f->App_BACnet_Type, 0);
    EXPECT_EQ(f->ACG1->Columns()->Items(brAddress)->Header(), u"IP Address");
    EXPECT_FALSE(f->ACG1->IsHiddenColumn(brAddress));
  });
  // An element missing from an existing file: the same message.
  Write_ParGen({{"Device_Name", "gw"}});
  Open([&](TFBACnetAccess*) { EXPECT_EQ(Take_Messages().size(), 1u); });
  Set_Type("1");
  Open([&](TFBACnetAccess* f) {
    EXPECT_TRUE(Take_Messages().empty());
    EXPECT_EQ(f->ACG1->Columns()->Items(brAddress)->Header(), u"Slave ID");
    EXPECT_EQ(f->ACG2->Columns()->Items(bwAddress)->Header(), u"Slave ID");
    EXPECT_EQ(f->Key_Column(), brAddress);
  });
  // Type 2: the address column hidden in both tables, the rows up to the first empty Object Type.
  Set_Type("2");
  EXPECT_EQ(Open([&](TFBACnetAccess* f) {
              EXPECT_TRUE(Take_Messages().empty());
              EXPECT_EQ(f->App_BACnet_Type, 2);
              EXPECT_TRUE(f->ACG1->IsHiddenColumn(brAddress));
              EXPECT_TRUE(f->ACG2->IsHiddenColumn(bwAddress));
              Put_Row(f->ACG1, 1, With(BACnet_Read(), brAddress, u""));
              Put_Row(f->ACG1, 2, With(BACnet_Read(u"Analog Value"), brAddress, u""));
              Put_Row(f->ACG1, 4, With(BACnet_Read(), brAddress, u""));
              driver_.Click(f->Btn_OK);
            }),
            mrOk);
  const std::string file = BACnet_File_Text(Path_BACnet_Master_Access);
  EXPECT_NE(file.find("Object_Type=\"Analog Value\""), std::string::npos);
  size_t rows = 0;
  for (size_t at = file.find("<row "); at != std::string::npos; at = file.find("<row ", at + 1)) ++rows;
  EXPECT_EQ(rows, 2u);
  // Back to BACnet/IP: the column is shown again, and a text that is no number reads as 0.
  Set_Type("abc");
  Open([&](TFBACnetAccess* f) {
    EXPECT_EQ(f->App_BACnet_Type, 0);
    EXPECT_FALSE(f->ACG1->IsHiddenColumn(brAddress));
    EXPECT_FALSE(f->ACG2->IsHiddenColumn(bwAddress));
    EXPECT_EQ(f->Key_Column(), brAddress);
  });
}

TEST_F(BACnetFormTest, TheFormHasNoCopyOrPasteAndListsTheDataArea) {
  Set_Type("0");
  Open([&](TFBACnetAccess* f) {
    EXPECT_EQ(f->Caption(), u"Set BACnet Access");
    EXPECT_EQ(f->TS_BACnet_Read->Caption(), u"BACnet Read");
    EXPECT_EQ(f->TS_BACnet_Write->Caption(), u"BACnet Write");
    EXPECT_EQ(f->Btn_Import_CSV->Caption(), u"Import EDE");
    EXPECT_EQ(f->Btn_DelRow->Caption(), u"Delete Row");
    EXPECT_FALSE(f->Btn_CopyRow->Visible());
    EXPECT_FALSE(f->Btn_PasteRow->Visible());
    EXPECT_TRUE(f->Btn_Import_CSV->Visible());
    EXPECT_EQ(f->PageControl1->ActivePageIndex(), 0);
    EXPECT_EQ(f->ACG1->RowCount(), 513);
    EXPECT_EQ(f->ACG2->ColCount() + f->ACG2->NumHiddenColumns(), 22);
    EXPECT_TRUE(f->ACG1->IsHiddenColumn(brSwap) && f->ACG1->IsHiddenColumn(brConvertion));
    EXPECT_TRUE(f->ACG2->IsHiddenColumn(bwSwap) && f->ACG2->IsHiddenColumn(bwConvertion));
    TStrings* positions = f->ACG2->Columns()->Items(bwPosition)->ComboItems();
    ASSERT_EQ(positions->Count(), 1440);
    EXPECT_EQ(positions->Strings(1439), u"1439");
    EXPECT_EQ(f->ACG1->Columns()->Items(brPosition)->ComboItems()->Count(), 1440);
    EXPECT_EQ(f->ACG1->Columns()->Items(brMnemonic)->Header(), u"Mnemonic");
    EXPECT_EQ(f->ACG2->Columns()->Items(bwData_Type)->ComboItems()->Count(), 13);
    // Insert on the write page, then delete after the question.
    f->PageControl1->UserSelectPage(1);
    Put_Row(f->ACG2, 2, BACnet_Write());
    f->ACG2->SetRowEx(2);
    driver_.Click(f->Btn_InsRow);
    EXPECT_EQ(f->ACG2->GetCellEx(bwAddress, 3), u"192.168.0.10");
    EXPECT_EQ(f->ACG2->GetCellEx(bwEnable, 2), u"Y");
    EXPECT_EQ(f->ACG2->GetCellEx(bwAddress, 2), u"");
    script_.ExpectMessage(mrYes);
    driver_.Click(f->Btn_DelRow);
    const auto m = Take_Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, u"Are you sure to delete the Row number 2");
    EXPECT_EQ(f->ACG2->GetCellEx(bwAddress, 2), u"192.168.0.10");
  });
}

TEST_F(BACnetFormTest, CancelWritesNothing) {
  Set_Type("0");
  EXPECT_EQ(Open([&](TFBACnetAccess* f) {
              Put_Row(f->ACG1, 1, BACnet_Read());
              driver_.Click(f->Btn_Cancel);
            }),
            mrCancel);
  EXPECT_FALSE(FileExists(Path_BACnet_Master_Access));
}
