#pragma once
// The BACnet client tables form behind the real main window (its Set BACnet Access step), with
// rows that pass the check routine and a runner for tables of check cases.
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "gateway/UBACnetAccess.h"
#include "tests/gateway/SnmpTrapFormTestSupport.h"

namespace bacnet_form_test {

using snmp_form_test::Cells;
using snmp_form_test::Put_Row;
using snmp_form_test::Row_Of;
using snmp_form_test::TableFormTest;
using snmp_form_test::With;

inline Cells BACnet_Read(const String& Type = u"Analog Input", const String& Property = u"Present Value (85)") {
  return {u"Y", u"192.168.0.10", Type, u"1", Property, u"4", u"N", u"", u"", u"", u"1000", u"0", u"0", u"0", u"", u"",
          u"temp"};
}
inline Cells BACnet_Write(const String& Type = u"Analog Value", const String& Data = u"Real",
                   const String& Property = u"Present Value (85)", const String& NByte = u"4") {
  return {u"Y", u"192.168.0.10", Type, Data, u"1", Property, u"0", NByte, u"N", u"", u"", u"", u"N", u"N", u"1000",
          u"0", u"0", u"0", u"", u"", u"setp"};
}
// Row routed to network 5 (En Dest "Y") with this D Len and D Add; En Dest is the first of the
// four destination columns.
inline Cells Routed_Row(Cells Row, int En_Dest, const String& Len, const String& Add) {
  const Cells dest = {u"Y", u"5", Len, Add};
  for (int i = 0; i < 4; ++i) Row[static_cast<size_t>(En_Dest + i) - 1] = dest[static_cast<size_t>(i)];
  return Row;
}
inline Cells Routed(const String& Len, const String& Add) { return Routed_Row(BACnet_Read(), brEn_Dest, Len, Add); }
inline Cells Routed_Write(const String& Len, const String& Add) {
  return Routed_Row(BACnet_Write(), bwEn_Dest, Len, Add);
}

inline std::string BACnet_File_Text(const String& Path) {
  std::ifstream in(StringToUtf8(Path), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct BACnetCase {
  const char* Name;
  std::vector<Cells> Read;
  std::vector<Cells> Write;
  int Text;  // 0: the tables pass
  int Row = 1;
  String Suffix{};
  int Type = 0;
};

class BACnetFormTest : public TableFormTest<TFBACnetAccess> {
 protected:
  BACnetFormTest() : TableFormTest("bacnet_form_program", u"TFBACnetAccess", FBACnetAccess) {}
  void SetUp() override {
    TableFormTest::SetUp();
    Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = false;
  }
  void Run_Cases(const std::vector<BACnetCase>& Cases) {
    for (const BACnetCase& k : Cases) {
      SCOPED_TRACE(k.Name);
      form_->Reset_Grids();
      form_->App_BACnet_Type = k.Type;
      for (size_t i = 0; i < k.Read.size(); ++i) Put_Row(form_->ACG1, int(i) + 1, k.Read[i]);
      for (size_t i = 0; i < k.Write.size(); ++i) Put_Row(form_->ACG2, int(i) + 1, k.Write[i]);
      EXPECT_EQ(form_->Controllo_dati(), k.Text == 0);
      const auto messages = Take_Messages();
      if (k.Text == 0) {
        EXPECT_TRUE(messages.empty());
      } else {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Text, UI_Text(Is_Write_Text(k.Text) ? 2046 : 2037) + IntToStr(k.Row) + UI_Text(k.Text) + k.Suffix);
        EXPECT_EQ(messages[0].Type, mtError);
      }
    }
  }
  // Texts of the write table's tests.
  static bool Is_Write_Text(int Text) {
    return (Text >= 2047 && Text <= 2056) || Text == 2058 || (Text >= 2075 && Text <= 2079) ||
           (Text >= 2083 && Text <= 2089 && Text % 2 == 1);
  }
  // Presses the main window's Set BACnet Access step; Drive runs while the form is shown.
  int Open(const std::function<void(TFBACnetAccess*)>& Drive) {
    script_.AnswerModal(u"FBACnetAccess", [&](TForm*) {
      Drive(form_);
      return mrNone;
    });
    const size_t before = script_.ModalForms().size();
    main_->Btn_Click(main_->Btn_BACnet_SetAccess);
    // The form's own showing comes first; dialogs it opened follow it.
    EXPECT_GT(script_.ModalForms().size(), before);
    if (script_.ModalForms().size() <= before) return mrNone;
    EXPECT_EQ(script_.ModalForms()[before].FormName, u"FBACnetAccess");
    return script_.ModalForms()[before].Result;
  }
  void Set_Type(const std::string& Type) { Write_ParGen({{"Device_Name", "gw"}, {"BACnet_Master_Type", Type}}); }
};

}  // namespace bacnet_form_test
