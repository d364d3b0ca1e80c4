#pragma once
// The CAN-family frame forms behind the real main window (the table-form test support of the
// gateway tests): case tables for the check routines, a modal show, the files they write.
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/gateway/SnmpTrapFormTestSupport.h"

namespace frame_form_test {

using snmp_form_test::Cells;
using snmp_form_test::Put_Row;
using snmp_form_test::Row_Of;
using snmp_form_test::With;

// Rows put into the grid from row 1, and the whole message the check shows (empty: it passes).
struct FrameCase {
  const char* Name;
  std::vector<Cells> Rows;
  String Message;
};

inline std::vector<Cells> Repeat(const Cells& Row, int Count, std::vector<Cells> Then = {}) {
  std::vector<Cells> rows(static_cast<size_t>(Count), Row);
  rows.insert(rows.end(), Then.begin(), Then.end());
  return rows;
}

inline std::string File_Text(const String& Path) {
  std::ifstream in(StringToUtf8(Path), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::string Fixture(const std::string& Name) {
  return File_Text(Utf8ToString(std::string(CONF_FIXTURES) + "/can/" + Name));
}

// A check message of the J1939 and NMEA 2000 tables.
inline String Pgn_Row_Error(int Row, const String& Text) { return u"Error in row " + IntToStr(Row) + Text; }

template <class TFormT>
class FrameFormTest : public snmp_form_test::TableFormTest<TFormT> {
 protected:
  using Base = snmp_form_test::TableFormTest<TFormT>;
  FrameFormTest(const std::string& Folder, String ClassName, TFormT*& Global)
      : Base(Folder, std::move(ClassName), Global) {}
  void SetUp() override {
    Base::SetUp();
    Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = false;
  }

  TAdvColumnGrid* Grid() const { return this->form_->Grids[0]; }

  void Run_Cases(const std::vector<FrameCase>& Cases) {
    for (const FrameCase& k : Cases) {
      SCOPED_TRACE(k.Name);
      this->form_->Reset_Grids();
      this->form_->Set_Limits();
      for (size_t i = 0; i < k.Rows.size(); ++i) Put_Row(Grid(), static_cast<int>(i) + 1, k.Rows[i]);
      EXPECT_EQ(this->form_->Check_Tables(), k.Message.empty());
      const auto messages = this->Take_Messages();
      if (k.Message.empty()) {
        EXPECT_TRUE(messages.empty());
      } else {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Text, k.Message);
        EXPECT_EQ(messages[0].Type, mtError);
      }
    }
  }

  // Shows the form modally; Drive runs while it is shown. Returns its modal result.
  int Show(const std::function<void(TFormT*)>& Drive) {
    this->script_.AnswerModal(this->form_->Name(), [&](TForm*) {
      Drive(this->form_);
      return mrNone;
    });
    const size_t before = this->script_.ModalForms().size();
    this->form_->ShowModal();
    EXPECT_EQ(this->script_.ModalForms().size(), before + 1);
    return this->script_.ModalForms().empty() ? mrNone : this->script_.ModalForms().back().Result;
  }

  // Every data row of the grid.
  std::vector<Cells> Rows() const {
    std::vector<Cells> rows;
    for (int r = 1; r < Grid()->RowCount(); ++r) rows.push_back(Row_Of(Grid(), r));
    return rows;
  }

  // Fills the rows, presses OK and expects the golden file; shown again, the first Saved rows are
  // what was put, every other row is as the reset left it, and OK writes the same bytes.
  void Save_And_Reload(const std::vector<Cells>& Put, size_t Saved, const String& Path, const std::string& Golden) {
    EXPECT_EQ(Show([&](TFormT* f) {
                for (size_t i = 0; i < Put.size(); ++i) Put_Row(Grid(), static_cast<int>(i) + 1, Put[i]);
                this->driver_.Click(f->Btn_OK);
              }),
              mrOk);
    EXPECT_TRUE(this->Take_Messages().empty());
    const std::string first = File_Text(Path);
    EXPECT_EQ(first, Fixture(Golden));
    EXPECT_EQ(Show([&](TFormT* f) {
                const std::vector<Cells> shown = Rows();
                const Cells reset = shown.back();
                for (size_t i = 0; i < shown.size(); ++i) {
                  SCOPED_TRACE(i + 1);
                  EXPECT_EQ(shown[i], i < Saved ? Put[i] : reset);
                }
                this->driver_.Click(f->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(File_Text(Path), first);
  }

  void Click_Cell(int Col, int Row) {
    Grid()->ScrollInView(Col, Row);
    const TRect r = Grid()->CellRect(Col, Row);
    this->driver_.Click(Grid(), (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
};

}  // namespace frame_form_test
