// The table form frame on a one-grid form of its own: no page control, the table file built from
// the declared columns, the row selection by a click in column 0, the header double click, a
// grid's own delete question and the check-box family of row operations, and a failing save.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "button/LbButton.h"
#include "platform/Files.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/ScratchFolder.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"
#include "shell/ULanguage.h"
#include "shell/UTableForm.h"

namespace {

constexpr int kQuestionText = 5590;  // an index of the text table this test fills itself

TTableFormDef OneGridDef() {
  TTableFormDef d;
  d.Name = u"FTable_Test";
  d.ClientWidth = 640;
  d.ClientHeight = 320;
  d.Root = u"Table_Test";
  TTableGridDef g;
  g.Name = u"ACG_Test";
  g.DataRows = 6;
  g.KeyColumn = 2;
  g.CheckBoxCells = true;
  g.FreedRowEnabled = true;
  g.DeleteQuestion = kQuestionText;
  TTableColumnDef enable;
  enable.Editor = edDataCheckBox;
  enable.Attribute = u"Enable";
  enable.Missing = TMissingAttr::Default;
  enable.Default = u"Y";
  TTableColumnDef name;
  name.Attribute = u"Name";
  name.Width = 120;
  TTableColumnDef value;
  value.Attribute = u"Value";
  value.Missing = TMissingAttr::Default;
  value.Default = u"0";
  g.Columns = {enable, name, value};
  d.Grids = {g};
  return d;
}

class TTestTableForm : public TTableForm {
 public:
  explicit TTestTableForm(TComponent* AOwner) : TTableForm(AOwner, OneGridDef()) {}
  String File_Path() const override { return Path; }
  String Path;
};

std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class TableFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Strings();
    Language_List->SetStrings(kQuestionText, u"Delete row %d of the test list?");
    if (!Grid_Clipboard) Grid_Clipboard = new TStringList();
    form = New<TTestTableForm>(nullptr);
    form->Path = folder.Folder() + u"/Table_Test.xml";
    grid = form->Grids[0];
  }
  void TearDown() override {
    delete form;
    Opt_Double_Click_Auto_Size = false;
    Load_Default_Strings();
  }
  // Shows the form modally; Drive runs while it is shown.
  int Show(const std::function<void()>& Drive) {
    script.AnswerModal(u"FTable_Test", [&](TForm*) {
      Drive();
      return mrNone;
    });
    return form->ShowModal();
  }
  void ClickCell(int Col, int Row) {
    const TRect r = grid->CellRect(Col, Row);
    driver.Click(grid, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }

  TScratchFolder folder{"table_form"};
  ModalScript script;
  InputDriver driver;
  TTestTableForm* form = nullptr;
  TAdvColumnGrid* grid = nullptr;
};

}  // namespace

TEST_F(TableFormTest, OneGridWithoutPagesReadsAndWritesTheDeclaredColumns) {
  EXPECT_EQ(form->PageControl1, nullptr);
  EXPECT_EQ(form->ClientWidth(), 640);
  const TTableLayout& layout = form->Layout();
  ASSERT_EQ(layout.Sections.size(), 1u);
  EXPECT_EQ(layout.Sections[0].Name, u"");
  EXPECT_EQ(layout.Sections[0].KeyColumn, 2);
  ASSERT_EQ(layout.Sections[0].Attrs.size(), 3u);
  EXPECT_EQ(layout.Sections[0].Attrs[2].Column, 3);

  std::ofstream(folder / "Table_Test.xml")
      << "<Table_Test><row Enable=\"N\" Name=\"a\"/><row Name=\"b\" Value=\"7\"/></Table_Test>";
  const int result = Show([&] {
    EXPECT_EQ(grid->GetCellEx(1, 1), u"N");
    EXPECT_EQ(grid->GetCellEx(3, 1), u"0");  // the read default
    EXPECT_EQ(grid->GetCellEx(1, 2), u"Y");
    EXPECT_EQ(grid->GetCellEx(3, 2), u"7");
    EXPECT_EQ(grid->GetCellEx(1, 3), u"Y");  // reset
    EXPECT_EQ(grid->GetCellEx(0, 3), u"3");
    grid->SetCellEx(2, 4, u"after the blank key");
    driver.Click(form->Btn_OK);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(ReadAll(folder / "Table_Test.xml"),
            "<Table_Test><row Enable=\"N\" Name=\"a\" Value=\"0\"/><row Enable=\"Y\" Name=\"b\" Value=\"7\"/>"
            "</Table_Test><!--SW_VERSION = 1.000-->");
}

TEST_F(TableFormTest, AClickInColumnZeroSelectsTheRowAndAHeaderDoubleClickSizesTheColumn) {
  Show([&] {
    ClickCell(0, 3);
    const TGridRect s = grid->Selection();
    EXPECT_EQ((std::array<int, 4>{s.Left, s.Top, s.Right, s.Bottom}), (std::array<int, 4>{1, 3, 3, 3}));

    grid->SetCellEx(2, 2, u"a long name that needs a much wider column");
    const int before = grid->ColWidths(2);
    const TRect h = grid->CellRect(2, 0);
    Opt_Double_Click_Auto_Size = false;
    driver.DblClick(grid, (h.Left + h.Right) / 2, (h.Top + h.Bottom) / 2);
    EXPECT_EQ(grid->ColWidths(2), before);
    Opt_Double_Click_Auto_Size = true;
    driver.DblClick(grid, (h.Left + h.Right) / 2, (h.Top + h.Bottom) / 2);
    EXPECT_GT(grid->ColWidths(2), before);
  });
}

TEST_F(TableFormTest, DeleteAsksTheGridsOwnQuestionAndFreesTheLastRowAsDeclared) {
  Show([&] {
    for (int r = 1; r <= 6; ++r) grid->SetCellEx(2, r, u"n" + IntToStr(r));
    grid->SetCellEx(1, 6, u"N");
    ClickCell(2, 2);
    script.ExpectMessage(mrYes);
    driver.Click(form->Btn_DelRow);
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].Text, u"Delete row 2 of the test list?");
    EXPECT_EQ(grid->GetCellEx(2, 2), u"n3");
    EXPECT_EQ(grid->GetCellEx(1, 5), u"N");  // moved as a state
    // The freed last row: its box checked as declared, every cell read-only.
    EXPECT_EQ(grid->GetCellEx(1, 6), u"Y");
    EXPECT_EQ(grid->GetCellEx(2, 6), u"");
    EXPECT_TRUE(grid->GetCellProperties(2, 6)->ReadOnly());
    bool can = true;
    grid->CanEditCell(2, 6, can);
    EXPECT_FALSE(can);
  });
}

TEST_F(TableFormTest, AFailingSaveIsReportedAndTheFormStaysOpen) {
  std::filesystem::create_directories(folder / "Table_Test.xml" / "inside");
  const int result = Show([&] {
    grid->SetCellEx(2, 1, u"a");
    driver.Click(form->Btn_OK);
    ASSERT_FALSE(script.Messages().empty());
    EXPECT_EQ(script.Messages().back().Type, mtError);
    EXPECT_EQ(form->ModalResult(), mrNone);
  });
  EXPECT_EQ(result, mrNone);
  EXPECT_TRUE(std::filesystem::is_directory(folder / "Table_Test.xml" / "inside"));
}
