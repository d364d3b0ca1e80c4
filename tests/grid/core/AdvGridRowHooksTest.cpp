// The grid's row insertion and deletion hooks with and without nodes, its answer to a date
// picker's change notification, and a balloon asked for outside the cells.
#include <gtest/gtest.h>

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
