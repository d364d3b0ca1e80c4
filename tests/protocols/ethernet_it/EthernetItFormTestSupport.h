#pragma once
// An Ethernet and IT protocol table form behind the real main window: a scratch program folder,
// an open configuration, the form linked to the window's step as the program entry links it, and
// helpers that fill and read rows and files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "button/LbButton.h"
#include "platform/Files.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/ScratchFolder.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"
#include "shell/UKelvaneFirmWare.h"
#include "shell/ULanguage.h"
#include "shell/UTableForm.h"
#include "tests/support/TableRows.h"

namespace ethernet_it_test {

using table_rows::Cells;
using table_rows::Put_Row;
using table_rows::Row_Of;
using table_rows::With;

inline std::string File_Text(const String& Path) {
  std::ifstream in(StringToUtf8(Path), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::string Fixture(const std::string& Name) {
  return File_Text(Utf8ToString(std::string(CONF_FIXTURES) + "/ethernet_it/" + Name));
}

template <class TFormT>
class FormTest : public ::testing::Test {
 public:
  FormTest(String ClassName, TFormT*& Global, TLbButton* TFKelvaneFirmWare::*Step)
      : className_(std::move(ClassName)), global_(Global), step_(Step) {}
  void SetUp() override {
    Load_Default_Strings();
    SetProgramFolderForTests(program_.Folder());
    Set_Folders(program_.Folder());
    main_ = New<TFKelvaneFirmWare>(nullptr);
    form_ = New<TFormT>(nullptr);
    global_ = form_;
    main_->Register_Form(className_, form_, [this] { form_->Set_Lang(); });
    Project_Name = u"Plant";
    Project_Folder = project_.Folder();
    Set_Files();
    if (!Grid_Clipboard) Grid_Clipboard = new TStringList();
    Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = false;
  }
  void TearDown() override {
    delete form_;
    delete main_;
    Project_Folder.clear();
    Set_Files();
    SetProgramFolderForTests(String());
    Load_Default_Strings();
  }

  // Presses the form's step on the main window; Drive runs while the form is shown. Returns the
  // form's modal result.
  int Open(const std::function<void(TFormT*)>& Drive) {
    script_.AnswerModal(form_->Name(), [&](TForm*) {
      Drive(form_);
      return mrNone;
    });
    const size_t before = script_.ModalForms().size();
    main_->Btn_Click(main_->*step_);
    // The form's own record comes first; dialogs it showed follow it.
    EXPECT_GT(script_.ModalForms().size(), before);
    if (script_.ModalForms().size() <= before) return mrNone;
    EXPECT_EQ(script_.ModalForms()[before].FormName, form_->Name());
    return script_.ModalForms()[before].Result;
  }

  // The messages shown since the last call.
  std::vector<ModalScript::RecordedMessage> Take_Messages() {
    std::vector<ModalScript::RecordedMessage> m(script_.Messages().begin() + static_cast<long>(seen_),
                                                script_.Messages().end());
    seen_ = script_.Messages().size();
    return m;
  }

  // After a check routine that answered Passed: no message when Expected is nullptr, else exactly
  // one error box reading Expected.
  void Expect_Check(bool Passed, const char16_t* Expected) {
    EXPECT_EQ(Passed, Expected == nullptr);
    const auto m = Take_Messages();
    if (!Expected) {
      EXPECT_TRUE(m.empty());
      return;
    }
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Text, Expected);
    EXPECT_EQ(m[0].Type, mtError);
  }

  void Write(const std::string& Name, const std::string& Content) {
    std::ofstream(project_ / Name, std::ios::binary) << Content;
  }

  void Click_Cell(TAdvStringGrid* Grid, int Col, int Row) {
    Grid->ScrollInView(Col, Row);
    const TRect r = Grid->CellRect(Col, Row);
    driver_.Click(Grid, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }

  TScratchFolder program_{"ethernet_it_program"};
  TScratchFolder project_{"ethernet_it_project"};
  ModalScript script_;
  InputDriver driver_;
  TFKelvaneFirmWare* main_ = nullptr;
  TFormT* form_ = nullptr;
  size_t seen_ = 0;

 private:
  String className_;
  TFormT*& global_;
  TLbButton* TFKelvaneFirmWare::*step_;
};

}  // namespace ethernet_it_test
