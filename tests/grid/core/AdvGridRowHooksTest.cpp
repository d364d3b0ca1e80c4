// The grid's row insertion and deletion hooks with and without nodes, by code and by the Insert and
// Delete keys, its answer to a date picker's change notification, and a balloon asked for outside
// the cells.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AdvGridTestSupport.h"
#include "platform/SysUtils.h"

namespace {

using advgrid_test::GridForm;

struct HookForm : GridForm<> {
  HookForm() {
    grid->SetScrollBars(ssNone);
    grid->SetColCount(3);
    grid->SetDefaultColWidth(60);
    grid->SetDefaultRowHeight(20);
  }
};

TEST(AdvGridRowHooks, DeletingTheOnlyNormalRowEmptiesItUnlessFixedRowAlways) {
  HookForm f;
  f.grid->SetRowCount(2);
  f.grid->SetCellEx(1, 1, u"data");
  f.grid->AddComment(2, 1, u"note");
  int deleted = -1;
  f.grid->OnAutoDeleteRow = [&](TObject*, int ARow) { deleted = ARow; };
  f.grid->DoDeleteRow(1);
  EXPECT_EQ(f.grid->RowCount(), 2);
  EXPECT_EQ(f.grid->GetCellEx(1, 1), u"");
  EXPECT_EQ(deleted, 1);

  f.grid->SetCellEx(1, 1, u"again");
  f.grid->SetFixedRowAlways(true);
  deleted = -1;
  f.grid->DoDeleteRow(1);
  EXPECT_EQ(f.grid->RowCount(), 1);
  EXPECT_EQ(deleted, 1);
}

TEST(AdvGridRowHooks, PlainRowsAreInsertedAndRemoved) {
  HookForm f;
  f.grid->SetRowCount(4);
  for (int r = 1; r < 4; ++r) f.grid->SetCellEx(1, r, IntToStr(r));
  f.grid->DoInsertRow(2);
  EXPECT_EQ(f.grid->RowCount(), 5);
  EXPECT_EQ(f.grid->GetCellEx(1, 2), u"");
  EXPECT_EQ(f.grid->GetCellEx(1, 3), u"2");
  f.grid->DoDeleteRow(3);
  EXPECT_EQ(f.grid->RowCount(), 4);
  EXPECT_EQ(f.grid->GetCellEx(1, 3), u"3");
}

TEST(AdvGridRowHooks, InsideANodeRowsGoThroughTheChildRowOperations) {
  HookForm f;
  f.grid->SetRowCount(7);
  f.grid->AddNode(1, 3);  // rows 1..3
  ASSERT_EQ(f.grid->GetNodeSpan(1), 3);
  f.grid->DoInsertRow(2);
  EXPECT_EQ(f.grid->RowCount(), 8);
  EXPECT_EQ(f.grid->GetNodeSpan(1), 4);
  EXPECT_EQ(f.grid->GetParentRow(2), 1);
  f.grid->DoDeleteRow(3);
  EXPECT_EQ(f.grid->RowCount(), 7);
  EXPECT_EQ(f.grid->GetNodeSpan(1), 3);
  // Outside the node a normal row: the node keeps its span.
  f.grid->DoInsertRow(5);
  EXPECT_EQ(f.grid->RowCount(), 8);
  EXPECT_EQ(f.grid->GetNodeSpan(1), 3);
  f.grid->DoDeleteRow(5);
  EXPECT_EQ(f.grid->RowCount(), 7);
  EXPECT_EQ(f.grid->GetNodeSpan(1), 3);
}

struct KeyForm : HookForm {
  explicit KeyForm(int Rows) {
    grid->SetRowCount(Rows);
    for (int r = 1; r < Rows; ++r) grid->SetCellEx(1, r, IntToStr(r));
  }
  void Press(int Row, Word Key, TShiftState Shift = {}) {
    grid->SetRow(Row);
    grid->SetFocus();
    driver.Key(form, Key, Shift);
  }
  std::string Column1() const {
    std::string s;
    for (int r = 1; r < grid->RowCount(); ++r) s += (s.empty() ? "" : ",") + StringToUtf8(grid->GetCellEx(1, r));
    return s;
  }
};

TEST(AdvGridRowHooks, InsertKeyAddsARowBeforeOrAfterTheCurrentOne) {
  struct Case {
    const char* name;
    TInsertPosition position;
    TShiftState shift;
    const char* cells;
    int row;  // current afterwards
  };
  const Case cases[] = {
      {"before", pInsertBefore, {}, "1,,2,3", 2},
      {"after", pInsertAfter, {}, "1,2,,3", 3},
      {"Shift+Insert is no insertion", pInsertBefore, TShiftState{ssShift}, "1,2,3", 2},
      {"Ctrl+Insert is no insertion", pInsertBefore, TShiftState{ssCtrl}, "1,2,3", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KeyForm f(4);
    f.grid->Navigation()->SetAllowInsertRow(true);
    f.grid->Navigation()->SetInsertPosition(c.position);
    int inserted = -1;
    f.grid->OnAutoInsertRow = [&](TObject*, int ARow) { inserted = ARow; };
    f.Press(2, VK_INSERT, c.shift);
    EXPECT_EQ(f.Column1(), c.cells);
    EXPECT_EQ(f.grid->Row(), c.row);
    EXPECT_EQ(inserted, c.shift == TShiftState{} ? c.row : -1);
    EXPECT_EQ(f.grid->GridModified(), c.shift == TShiftState{});
  }
}

TEST(AdvGridRowHooks, InsertAndDeleteKeysNeedTheirNavigationSwitchAndConsent) {
  KeyForm f(4);
  f.Press(2, VK_INSERT);
  f.Press(2, VK_DELETE);
  EXPECT_EQ(f.Column1(), "1,2,3");
  f.grid->Navigation()->SetAllowInsertRow(true);
  f.grid->Navigation()->SetAllowDeleteRow(true);
  std::vector<int> asked;
  f.grid->OnCanInsertRow = [&](TObject*, int ARow, bool& Can) {
    asked.push_back(ARow);
    Can = false;
  };
  f.grid->OnCanDeleteRow = [&](TObject*, int ARow, bool& Can) {
    asked.push_back(ARow);
    Can = false;
  };
  f.Press(2, VK_INSERT);
  f.Press(3, VK_DELETE);
  EXPECT_EQ(asked, (std::vector<int>{2, 3}));
  EXPECT_EQ(f.Column1(), "1,2,3");
  EXPECT_FALSE(f.grid->GridModified());
  f.Press(3, VK_DELETE, TShiftState{ssAlt});
  EXPECT_EQ(asked.size(), 2u);  // Alt+Delete is not asked about
}

TEST(AdvGridRowHooks, DeleteKeyRemovesTheCurrentRowAndEmptiesTheOnlyOne) {
  KeyForm f(3);
  f.grid->Navigation()->SetAllowDeleteRow(true);
  std::vector<int> deleted;
  f.grid->OnAutoDeleteRow = [&](TObject*, int ARow) { deleted.push_back(ARow); };
  f.Press(1, VK_DELETE);
  EXPECT_EQ(f.Column1(), "2");
  EXPECT_TRUE(f.grid->GridModified());
  f.Press(1, VK_DELETE);  // the only normal row stays, emptied
  EXPECT_EQ(f.grid->RowCount(), 2);
  EXPECT_EQ(f.Column1(), "");
  EXPECT_EQ(deleted, (std::vector<int>{1, 1}));
  // Shift+Delete is the cut shortcut once clipboard shortcuts are on.
  f.grid->SetCellEx(1, 1, u"kept");
  f.grid->Navigation()->SetAllowClipboardShortCuts(true);
  f.Press(1, VK_DELETE, TShiftState{ssShift});
  EXPECT_EQ(f.Column1(), "kept");
}

TEST(AdvGridRowHooks, InsertAndDeleteKeysInsideANodeWorkOnItsChildRows) {
  KeyForm f(7);
  f.grid->AddNode(1, 3);  // rows 1..3
  f.grid->Navigation()->SetAllowInsertRow(true);
  f.grid->Navigation()->SetAllowDeleteRow(true);
  f.Press(2, VK_INSERT);
  EXPECT_EQ(f.grid->RowCount(), 8);
  EXPECT_EQ(f.grid->GetNodeSpan(1), 4);
  EXPECT_EQ(f.grid->GetParentRow(2), 1);
  f.Press(3, VK_DELETE);
  EXPECT_EQ(f.grid->RowCount(), 7);
  EXPECT_EQ(f.grid->GetNodeSpan(1), 3);
  // Below the node the rows are normal ones: the node keeps its span.
  f.Press(5, VK_INSERT);
  EXPECT_EQ(f.grid->RowCount(), 8);
  EXPECT_EQ(f.grid->GetNodeSpan(1), 3);
  f.Press(5, VK_DELETE);
  EXPECT_EQ(f.grid->RowCount(), 7);
  EXPECT_EQ(f.grid->GetNodeSpan(1), 3);
}

TEST(AdvGridRowHooks, DatePickerChangeReportsTheDateOrZero) {
  HookForm f;
  f.grid->SetRowCount(4);
  f.grid->SetCol(2);
  f.grid->SetRow(3);
  TDateTime got = -1;
  int col = -1, row = -1;
  f.grid->OnDateTimeChange = [&](TObject*, int ACol, int ARow, TDateTime D) {
    got = D;
    col = ACol;
    row = ARow;
  };
  TNMDateTimeChange n;
  n.Hdr.Code = DTN_DATETIMECHANGE;
  n.St = DateTimeToSystemTime(EncodeDate(2026, 12, 11));
  f.grid->Perform(WM_NOTIFY, 0, reinterpret_cast<intptr_t>(&n));
  EXPECT_EQ(got, EncodeDate(2026, 12, 11));
  EXPECT_EQ(col, 2);
  EXPECT_EQ(row, 3);
  // Cleared: no date.
  n.Flags = GDT_NONE;
  n.St = TSystemTime{};
  f.grid->Perform(WM_NOTIFY, 0, reinterpret_cast<intptr_t>(&n));
  EXPECT_EQ(got, 0);
}

TEST(AdvGridRowHooks, BalloonOutsideTheCellsIsEmptyWithABlankTitle) {
  HookForm f;
  f.grid->SetRowCount(3);
  f.grid->Balloon()->SetEnable(true);
  f.grid->SetCellEx(1, 1, u"text");
  // Right of the last column.
  f.driver.MouseMove(f.grid, 3 * 60 + 30, 10);
  TToolTipText info;
  info.Hdr.Code = TTN_GETDISPINFO;
  f.grid->Perform(WM_NOTIFY, 0, reinterpret_cast<intptr_t>(&info));
  ASSERT_NE(info.Text, nullptr);
  EXPECT_EQ(String(info.Text), u"");
  ASSERT_NE(f.grid->BalloonToolTip(), nullptr);
  EXPECT_EQ(f.grid->BalloonToolTip()->Title(), u" ");
}

}  // namespace
