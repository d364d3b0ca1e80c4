// The SNMP tables form, the LoRaWAN gateway form and the BACnet client tables form are made on
// their first use: a form made after a language change is, control by control and cell by cell,
// the form start-up would have made and the language change retexted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gateway/UBACnetAccess.h"
#include "gateway/ULoRaWAN_GatewayForm.h"
#include "gateway/USNMP_Trap_AccessForm.h"
#include "tests/gateway/SnmpTrapFormTestSupport.h"

namespace {

// What a user can see of a form and what its code reads back: every control's place, state and
// texts, every grid's cells, check boxes, widths and headers, and the header hint lists.
void Describe_Component(TComponent* C, std::vector<std::string>& Out) {
  std::string line = StringToUtf8(C->ClassName()) + " " + StringToUtf8(C->Name());
  if (auto* ctl = dynamic_cast<TControl*>(C)) {
    line += " " + std::to_string(ctl->Left()) + "," + std::to_string(ctl->Top()) + " " +
            std::to_string(ctl->Width()) + "x" + std::to_string(ctl->Height()) + (ctl->Visible() ? " shown" : " hidden") +
            " [" + StringToUtf8(ctl->Caption()) + "] {" + StringToUtf8(ctl->Hint()) + "}";
  }
  if (auto* sheet = dynamic_cast<TTabSheet*>(C)) line += " page " + std::to_string(sheet->PageIndex());
  Out.push_back(line);
  if (auto* grid = dynamic_cast<TAdvStringGrid*>(C)) {
    for (int c = 0; c < grid->ColCount(); ++c) Out.push_back("  width " + std::to_string(grid->ColWidths(c)));
    for (int r = 0; r < grid->RowCount(); ++r) {
      std::string row = "  row " + std::to_string(r);
      for (int c = 0; c < grid->ColCount(); ++c) {
        row += " |" + StringToUtf8(grid->GetCellEx(c, r));
        bool state = false;
        if (grid->GetCheckBoxState(c, r, state)) row += state ? "[x]" : "[ ]";
      }
      Out.push_back(row);
    }
  }
  if (auto* grid = dynamic_cast<TAdvColumnGrid*>(C)) {
    for (int c = 0; c < grid->Columns()->Count(); ++c)
      Out.push_back("  header " + StringToUtf8(grid->Columns()->Items(c)->Header()));
  }
  for (int i = 0; i < C->ComponentCount(); ++i) Describe_Component(C->Components(i), Out);
}

std::vector<std::string> Describe(TTableForm* Form) {
  std::vector<std::string> out;
  Describe_Component(Form, out);
  out.push_back("client " + std::to_string(Form->ClientWidth()) + "x" + std::to_string(Form->ClientHeight()));
  for (const auto& hints : Form->Hint_Lists) {
    for (int i = 0; i < hints->Count(); ++i) out.push_back("hint " + StringToUtf8(hints->Strings(i)));
  }
  return out;
}

// A form, its program global, its first-use entry and the block of its language texts.
struct SnmpFormKind {
  using Form = TFSNMP_Trap_Access;
  static constexpr const char* Folder = "snmp_on_demand";
  static constexpr const char16_t* Class = u"TFSNMP_Trap_Access";
  static Form*& Global() { return FSNMP_Trap_Access; }
  static Form* On_Demand() { return FSNMP_Trap_Access_On_Demand(); }
  static constexpr int FirstText = 4700, LastText = 4786;
};
struct LoRaWANFormKind {
  using Form = TFLoRaWAN_Gateway;
  static constexpr const char* Folder = "lorawan_on_demand";
  static constexpr const char16_t* Class = u"TFLoRaWAN_Gateway";
  static Form*& Global() { return FLoRaWAN_Gateway; }
  static Form* On_Demand() { return FLoRaWAN_Gateway_On_Demand(); }
  static constexpr int FirstText = 5400, LastText = 5516;
};

struct BACnetFormKind {
  using Form = TFBACnetAccess;
  static constexpr const char* Folder = "bacnet_on_demand";
  static constexpr const char16_t* Class = u"TFBACnetAccess";
  static Form*& Global() { return FBACnetAccess; }
  static Form* On_Demand() { return Table_Form_On_Demand(FBACnetAccess); }
  static constexpr int FirstText = 2000, LastText = 2092;
};

template <class Kind>
class TableFormOnDemandTest : public snmp_form_test::TableFormTest<typename Kind::Form> {
 protected:
  TableFormOnDemandTest()
      : snmp_form_test::TableFormTest<typename Kind::Form>(Kind::Folder, Kind::Class, Kind::Global()) {}
  void TearDown() override {
    Load_Default_Strings();
    snmp_form_test::TableFormTest<typename Kind::Form>::TearDown();
  }
};

using FormKinds = ::testing::Types<SnmpFormKind, LoRaWANFormKind, BACnetFormKind>;
TYPED_TEST_SUITE(TableFormOnDemandTest, FormKinds);

TYPED_TEST(TableFormOnDemandTest, MadeOnFirstUseAsIfMadeAtStartUp) {
  // The fixture's form is the one start-up made; the program global is left for the late one.
  typename TypeParam::Form* early = this->form_;
  TypeParam::Global() = nullptr;
  const String caption = early->Caption();
  for (int i = TypeParam::FirstText; i <= TypeParam::LastText; ++i)
    Language_List->SetStrings(i, u"T:" + Language_List->Strings(i));
  this->main_->Change_Language();

  typename TypeParam::Form* late = TypeParam::On_Demand();
  ASSERT_NE(late, nullptr);
  ASSERT_NE(late, early);
  EXPECT_EQ(TypeParam::Global(), late);
  EXPECT_EQ(TypeParam::On_Demand(), late);
  EXPECT_EQ(late->Caption(), u"T:" + caption);
  EXPECT_EQ(Describe(late), Describe(early));
  delete late;
  EXPECT_EQ(TypeParam::Global(), nullptr);
}

}  // namespace
