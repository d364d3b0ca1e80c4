#pragma once
// The SNMP agent tables form behind the real main window: a scratch program folder, an open
// configuration (the bank tests' folder), the form linked to the window's Set SNMP Access step
// as the program entry links it, and helpers that fill the grids row by row.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "button/LbButton.h"
#include "gateway/USNMP_Trap_AccessForm.h"
#include "platform/Files.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/ScratchFolder.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"
#include "shell/UKelvaneFirmWare.h"
#include "shell/ULanguage.h"
#include "tests/gateway/BankTestSupport.h"
#include "tests/support/TableRows.h"

namespace snmp_form_test {

using table_rows::Cells;

// A read row that passes every test of the check routine.
inline Cells Good_Read(const String& Desc, const String& Type = u"Int") {
  return {u"Y", u"public", Type, u"N", u"N", u"N", u"", u"0", u"0", u"16", Desc, u"192.168.1.10", u"None", u""};
}
inline Cells Good_Write(const String& Desc, const String& Type = u"Int") {
  return {u"Y", u"private", Type, u"4", u"0", u"8", Desc, u"None", u""};
}

using table_rows::Put_Row;
using table_rows::Row_Of;
using table_rows::With;

inline String Error_Row(int Row, int Text) { return UI_Text(4760) + IntToStr(Row) + UI_Text(Text); }

// A table form beside the main window that opens it, in a scratch program folder, with a modal
// script and an input driver.
template <class TFormT>
class TableFormTest : public bank_test::BankTest {
 public:
  TableFormTest(const std::string& ProgramFolder, String ClassName, TFormT*& Global)
      : program_(ProgramFolder), className_(std::move(ClassName)), global_(Global) {}
  void SetUp() override {
    bank_test::BankTest::SetUp();
    Load_Default_Strings();
    SetProgramFolderForTests(program_.Folder());
    Set_Folders(program_.Folder());
    main_ = New<TFKelvaneFirmWare>(nullptr);
    form_ = New<TFormT>(nullptr);
    global_ = form_;
    main_->Register_Form(className_, form_, [this] { form_->Set_Lang(); });
    Project_Name = u"Plant";
    Project_Folder = dir_.Folder();
    Set_Files();
    if (!Grid_Clipboard) Grid_Clipboard = new TStringList();
  }
  void TearDown() override {
    delete form_;
    delete main_;
    SetProgramFolderForTests(String());
    bank_test::BankTest::TearDown();
  }

  // The messages shown since the last call.
  std::vector<ModalScript::RecordedMessage> Take_Messages() {
    std::vector<ModalScript::RecordedMessage> m(script_.Messages().begin() + static_cast<long>(seen_),
                                                script_.Messages().end());
    seen_ = script_.Messages().size();
    return m;
  }

  // A check routine's answer: true with no message, or false with exactly this error message.
  void Expect_Check(bool Passed, const String& Message) {
    EXPECT_EQ(Passed, Message.empty());
    const auto messages = Take_Messages();
    if (Message.empty()) {
      EXPECT_TRUE(messages.empty());
      return;
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, Message);
    EXPECT_EQ(messages[0].Type, mtError);
  }

  TScratchFolder program_;
  ModalScript script_;
  InputDriver driver_;
  TFKelvaneFirmWare* main_ = nullptr;
  TFormT* form_ = nullptr;
  size_t seen_ = 0;

 private:
  String className_;
  TFormT*& global_;
};

class SnmpFormTest : public TableFormTest<TFSNMP_Trap_Access> {
 protected:
  SnmpFormTest() : TableFormTest("snmp_form_program", u"TFSNMP_Trap_Access", FSNMP_Trap_Access) {}
  void SetUp() override {
    TableFormTest::SetUp();
    Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = false;
  }

  // Presses Set SNMP Access on the main window; Drive runs while the form is shown. Returns the
  // form's modal result.
  int Open(const std::function<void(TFSNMP_Trap_Access*)>& Drive) {
    script_.AnswerModal(u"FSNMP_Trap_Access", [&](TForm*) {
      Drive(form_);
      return mrNone;
    });
    const size_t before = script_.ModalForms().size();
    main_->Btn_Click(main_->Btn_SNMP_Trap);
    EXPECT_EQ(script_.ModalForms().size(), before + 1);
    return script_.ModalForms().empty() ? mrNone : script_.ModalForms().back().Result;
  }

  // Clicks a cell of a grid with the mouse, making it the current cell.
  void Click_Cell(TAdvColumnGrid* Grid, int Col, int Row) {
    Grid->ScrollInView(Col, Row);
    const TRect r = Grid->CellRect(Col, Row);
    driver_.Click(Grid, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  // Shows the page of grid Index as a click on its tab does.
  void Show_Page(int Index) { form_->PageControl1->UserSelectPage(Index); }

};

}  // namespace snmp_form_test
