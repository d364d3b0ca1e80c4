// Column and row calculations, numbering, fitting the columns to the width, swaps.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::Utf8;

// A grid with one fixed row and a comma as the decimal separator.
class AdvGridCalc : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = FormatSettings();
    FormatSettings() = FormatSettingsFromLocale("C");
    FormatSettings().DecimalSeparator = u',';
    FormatSettings().ThousandSeparator = u'.';
    g = New<advgrid_test::TRecordGrid>(nullptr);
    g->SetColCount(4);
    g->SetRowCount(5);
    g->SetFixedRows(1);
  }
  void TearDown() override {
    delete g;
    FormatSettings() = saved_;
  }
  void Column(int Col, std::initializer_list<const char16_t*> Texts) {
    int r = 1;
    for (const char16_t* t : Texts) g->SetCellEx(Col, r++, t);
  }
  advgrid_test::TRecordGrid* g = nullptr;
  TFormatSettings saved_;
};

TEST_F(AdvGridCalc, SumAndAverageSkipTextsAndReadEmptyCellsAsZero) {
  Column(1, {u"1", u"2,5", u"abc", u""});
  EXPECT_DOUBLE_EQ(g->ColumnSum(1, 1, 4), 3.5);
  EXPECT_DOUBLE_EQ(g->ColumnAvg(1, 1, 4), 0.875);
  EXPECT_DOUBLE_EQ(g->ColumnSum(1), 3.5);  // the default range: the normal rows
  EXPECT_DOUBLE_EQ(g->ColumnAvg(1, 3, 2), 0);
  EXPECT_DOUBLE_EQ(g->ColumnStdDev(1, 3, 2), 0);  // an empty range: no division by its count
}

TEST_F(AdvGridCalc, MinAndMaxRaiseOnlyForTheFirstRow) {
  for (const char16_t* letters : {u"abc", u"e"}) {
    Column(1, {letters, u"4", u"2", u"9"});
    EXPECT_THROW(g->ColumnMin(1, 1, 4), EAdvGridError) << Utf8(letters);
    try {
      g->ColumnMax(1, 1, 4);
      ADD_FAILURE() << "no error for " << Utf8(letters);
    } catch (const EAdvGridError& e) {
      EXPECT_EQ(Utf8(e.Message()), "Cell does not contain a float value");
    }
    Column(1, {u"4", letters, u"2", u"9"});
    EXPECT_DOUBLE_EQ(g->ColumnMin(1, 1, 4), 2);
    EXPECT_DOUBLE_EQ(g->ColumnMax(1, 1, 4), 9);
  }
}

TEST_F(AdvGridCalc, StdDevRaisesOnTextsAndIsThePopulationSpread) {
  Column(1, {u"2", u"4", u"4", u"6"});
  EXPECT_DOUBLE_EQ(g->ColumnStdDev(1, 1, 4), std::sqrt(2.0));
  g->SetCellEx(1, 3, u"abc");
  EXPECT_THROW(g->ColumnStdDev(1, 1, 4), EAdvGridError);
}

TEST_F(AdvGridCalc, DistinctIgnoresCaseAndMergedNonBaseCellsAreNotCounted) {
  Column(2, {u"A", u"a", u"B", u""});
  EXPECT_DOUBLE_EQ(g->ColumnDistinct(2, 1, 3), 2);
  Column(1, {u"1", u"2", u"4", u"8"});
  g->MergeCells(1, 2, 1, 2);  // rows 2 and 3: row 3 is not a base cell
  EXPECT_DOUBLE_EQ(g->ColumnSum(1, 1, 4), 11);
}

TEST_F(AdvGridCalc, ARangeBeyondTheDisplayedRowsReadsHiddenRowsByRealIndex) {
  Column(1, {u"1", u"2", u"4", u"8"});
  g->HideRow(2);  // real rows 0..4, row 2 (value 2) hidden: 4 displayed rows
  EXPECT_DOUBLE_EQ(g->ColumnSum(1, 1, 3), 13);  // display rows 1..3: 1, 4, 8
  EXPECT_DOUBLE_EQ(g->ColumnSum(1, 1, 4), 15);  // real rows 1..4
}

TEST_F(AdvGridCalc, CustomCalculationsAskTheirHandlers) {
  EXPECT_DOUBLE_EQ(g->ColumnCustomCalc(1, 1, 4), 0);
  g->OnColumnCalc = [](TObject*, int ACol, int FromRow, int ToRow, double& Res) { Res = ACol * 100 + FromRow * 10 + ToRow; };
  g->OnGroupCalc = [](TObject*, int, int, int, double& Res) { Res = 7; };
  EXPECT_DOUBLE_EQ(g->ColumnCustomCalc(1, 2, 3), 123);
  EXPECT_DOUBLE_EQ(g->GroupRangeCustomCalc(1, 2, 3), 7);
}

TEST_F(AdvGridCalc, RowCalculations) {
  for (int c = 0; c < 4; ++c) g->SetCellEx(c, 2, std::vector<const char16_t*>{u"3", u"e", u"1,5", u"6"}[static_cast<size_t>(c)]);
  EXPECT_DOUBLE_EQ(g->RowSum(2, 0, 3), 10.5);
  EXPECT_DOUBLE_EQ(g->RowAvg(2, 0, 3), 10.5 / 4);
  EXPECT_DOUBLE_EQ(g->RowAvg(2, 3, 2), 0);
  EXPECT_DOUBLE_EQ(g->RowMin(2, 0, 3), 1.5);
  EXPECT_DOUBLE_EQ(g->RowMax(2, 0, 3), 6);
  EXPECT_THROW(g->RowMin(2, 1, 3), EAdvGridError);
}

TEST_F(AdvGridCalc, AutoNumberCol) {
  struct Case {
    int start;
    TSortDirection dir;
    std::vector<std::string> rows;  // rows 1..5
  };
  const Case cases[] = {
      {0, sdAscending, {"1", "2", "3", "4", "5"}},
      {2, sdAscending, {"", "", "3", "4", "5"}},
      {0, sdDescending, {"5", "4", "3", "2", "1"}},
  };
  for (const Case& c : cases) {
    g->SetRowCount(6);
    g->Clear();
    g->AutoNumberStart = c.start;
    g->AutoNumberDirection = c.dir;
    g->AutoNumberCol(0);
    std::vector<std::string> got;
    for (int r = 1; r <= 5; ++r) got.push_back(Utf8(g->GetCellEx(0, r)));
    EXPECT_EQ(got, c.rows) << c.start << " " << int(c.dir);
  }
}

TEST_F(AdvGridCalc, AutoFitColumnsSpreadsTheRestAndLeavesAFittingGridAlone) {
  g->SetBounds(0, 0, 300, 200);
  g->SetScrollBars(ssNone);
  g->SetBorderStyle(bsNone);
  g->SetOptions(TGridOptions(g->Options()).Exclude(goVertLine));
  g->SetColCount(3);
  g->SetFixedCols(0);
  for (int c : {0, 1, 2}) g->SetColWidths(c, 100);
  g->AutoFitColumns(false);  // already 300: nothing
  EXPECT_EQ(g->ColWidths(0) + g->ColWidths(1) + g->ColWidths(2), 300);
  EXPECT_EQ(g->ColWidths(1), 100);
  g->SetColWidths(0, 50);
  g->SetColWidths(1, 100);
  g->SetColWidths(2, 50);
  g->AutoFitColumns(false);
  EXPECT_EQ(g->ColWidths(0) + g->ColWidths(1) + g->ColWidths(2), 300);
  EXPECT_EQ(g->ColWidths(1), 150);
  for (int c : {0, 1, 2}) g->SetColWidths(c, 0);
  g->AutoFitColumns(false);  // widths adding up to 0: nothing to divide by
  EXPECT_EQ(g->ColWidths(1), 0);
}

TEST_F(AdvGridCalc, SwapColumnsKeepsObjectsWidthsSortColumnAndControls) {
  g->SetCellEx(1, 1, u"one");
  g->SetCellEx(2, 1, u"two");
  g->SetColors(1, 2, clRed);
  TCellProperties* p = g->GetCellProperties(1, 2);
  g->SetColWidths(1, 40);
  g->SetColWidths(2, 90);
  g->SortSettings()->SetColumn(1);
  g->SwapColumns(1, 2);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "two");
  EXPECT_EQ(Utf8(g->GetCellEx(2, 1)), "one");
  EXPECT_EQ(g->GetCellProperties(2, 2), p);
  EXPECT_EQ(p->OwnerCol(), 2);
  EXPECT_EQ(g->GetColors(2, 2), clRed);
  EXPECT_FALSE(g->HasCellProperties(1, 2));
  EXPECT_EQ(g->ColWidths(1), 90);
  EXPECT_EQ(g->ColWidths(2), 40);
  EXPECT_EQ(g->SortSettings()->Column(), 2);
}

TEST_F(AdvGridCalc, SwapRowsAndCells) {
  g->SetCellEx(0, 1, u"a");
  g->SetCellEx(0, 3, u"b");
  g->SetRowHeights(1, 30);
  g->SwapRows(1, 3);
  EXPECT_EQ(Utf8(g->GetCellEx(0, 1)), "b");
  EXPECT_EQ(Utf8(g->GetCellEx(0, 3)), "a");
  EXPECT_EQ(g->RowHeights(3), 30);
  g->SwapCells(TPoint{0, 1}, TPoint{2, 2});
  EXPECT_EQ(Utf8(g->GetCellEx(2, 2)), "b");
  EXPECT_EQ(Utf8(g->GetCellEx(0, 1)), "");
}

TEST_F(AdvGridCalc, SortSwapRowsKeepsCrossReferenceSelectAndModifiedFlags) {
  for (int r = 0; r < 5; ++r) {
    g->SetCellEx(1, r, u"r" + IntToStr(r));
    g->XRef()->Add(r);
  }
  g->MouseActions()->SetDisjunctRowSelect(true);
  g->Navigation()->SetMoveRowOnSort(true);
  g->ShowModified()->SetEnabled(true);
  g->SetRowSelect(1, true);
  g->SetRowModified(1, true);
  g->SortRow = 1;
  g->Swaps = 0;
  g->SortSwapRows(1, 3);
  EXPECT_EQ(g->Swaps, 1);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 3)), "r1");
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "r3");
  EXPECT_EQ(g->XRef()->Items(1), 3);
  EXPECT_EQ(g->XRef()->Items(3), 1);
  EXPECT_TRUE(g->GetRowSelect(3));
  EXPECT_FALSE(g->GetRowSelect(1));
  EXPECT_TRUE(g->GetRowModified(3));
  EXPECT_FALSE(g->GetRowModified(1));
  EXPECT_EQ(g->SortRow, 3);
}

}  // namespace
