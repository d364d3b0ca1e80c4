// Cell text measuring and placement: alignment by number texts and cell properties, measured
// sizes of plain, multi-line and rotated text, margins and the line count of a row.
#include <gtest/gtest.h>

#include "AdvGridCellTestSupport.h"
#include "AdvGridTestSupport.h"
#include "platform/testing/FakeMetrics.h"

namespace {

using advgrid_test::GridOwner;

struct AlignCase {
  const char16_t* Text;
  TAlignment Expected;
};

TEST(AdvGridMeasure, AutoNumAlignRightAlignsNumbersOnly) {
  GridOwner g;
  g->SetAutoNumAlign(true);
  const AlignCase cases[] = {
      {u"-12", taRightJustify}, {u"1.5", taRightJustify}, {u"1E3", taRightJustify},
      {u"12a", taLeftJustify},  {u"=1+2", taLeftJustify}, {u"", taLeftJustify},
  };
  for (const AlignCase& c : cases) {
    g->SetCellEx(1, 1, c.Text);
    EXPECT_EQ(g->GetCellAlignment(1, 1).HAlign, c.Expected) << StringToUtf8(c.Text);
  }
  g->SetAutoNumAlign(false);
  g->SetCellEx(1, 1, u"-12");
  EXPECT_EQ(g->GetCellAlignment(1, 1).HAlign, taLeftJustify);
}

TEST(AdvGridMeasure, CellPropertiesWinExceptForAFormula) {
  GridOwner g;
  g->SetAutoNumAlign(true);
  g->SetCellEx(1, 1, u"42");
  g->SetAlignments(1, 1, taCenter);
  EXPECT_EQ(g->GetCellAlignment(1, 1).HAlign, taCenter);
  g->SetDefaultAlignment(taRightJustify);
  g->SetCellEx(1, 1, u"=A1");
  EXPECT_EQ(g->GetCellAlignment(1, 1).HAlign, taRightJustify);
  g->OnGetAlignment = [](TObject*, int, int, TAlignment& H, TVAlignment& V) {
    H = taLeftJustify;
    V = vtaBottom;
  };
  const TCellAlignment a = g->GetCellAlignment(1, 1);
  EXPECT_EQ(a.HAlign, taLeftJustify);
  EXPECT_EQ(a.VAlign, vtaBottom);
}

TEST(AdvGridMeasure, OnlyTheFirstLineCountsWithoutMultilineCells) {
  TScopedFakeMetrics m;
  GridOwner g;
  g->SetCellEx(1, 1, u"ab\r\ncdef");
  EXPECT_EQ(g->GetCellTextSize(1, 1, false, false), (TSize{14, 13}));
  g->Multilinecells = true;
  EXPECT_EQ(g->GetCellTextSize(1, 1, false, false), (TSize{28, 26}));
}

TEST(AdvGridMeasure, RotatedTextTakesItsTurnedExtentPlusTwelve) {
  TScopedFakeMetrics m;
  GridOwner g;
  g->SetCellEx(1, 1, u"abc");  // 21 x 13
  g->CreateCellGraphic(1, 1)->SetAngle(0);
  EXPECT_EQ(g->GetCellTextSize(1, 1, false, false), (TSize{21 + 12, 13 + 12}));
  g->GetCellGraphic(1, 1)->SetAngle(90);
  EXPECT_EQ(g->GetCellTextSize(1, 1, false, false), (TSize{13 + 12, 21 + 12}));
}

TEST(AdvGridMeasure, ScrollBarRoomNarrowsTheBoundedWidth) {
  TScopedFakeMetrics m;
  GridOwner g;
  g->SetColWidths(1, 100);
  g->SetCellEx(1, 1, u"x");
  const TSize plain = g->GetCellTextSize(1, 1, false, true);
  const TSize room = g->GetCellTextSize(1, 1, true, true);
  EXPECT_EQ(plain.cx - room.cx, 17);
  // Margins of 2 on both sides, then 2 more each side for the bounded measure.
  EXPECT_EQ(plain.cx, 100 - 4 - 4);
}

TEST(AdvGridMeasure, MarginTotalsFollowTopLeftOnly) {
  GridOwner g;
  EXPECT_EQ(g->TotalXOffset(), 4);
  EXPECT_EQ(g->TotalYOffset(), 4);
  g->SetXYOffset(TPoint{3, 5});
  g->SetXYOffsetTopLeftOnly(true);
  EXPECT_EQ(g->TotalXOffset(), 3);
  EXPECT_EQ(g->TotalYOffset(), 5);
}

TEST(AdvGridMeasure, RotatedTextStartsByQuadrantAndAlignment) {
  // A 100 x 40 rectangle; the text's unsigned products chosen freely.
  struct Case {
    int Angle;
    TAlignment HA;
    TVAlignment VA;
    int Left, Top;
  };
  const int HCos = 10, WSin = 20, HSin = 5, WCos = 30;
  const Case cases[] = {
      {45, taLeftJustify, vtaTop, 0, 20},       {45, taRightJustify, vtaBottom, 65, 30},
      {45, taCenter, vtaCenter, 32, 25},        {135, taLeftJustify, vtaTop, 30, 30},
      {200, taRightJustify, vtaBottom, 100, 20}, {300, taLeftJustify, vtaTop, 5, 0},
  };
  for (const Case& c : cases) {
    TRect r = Rect(0, 0, 100, 40);
    AlignRotatedTextRect(r, c.HA, c.VA, HCos, WSin, HSin, WCos, c.Angle);
    EXPECT_EQ(r.Left, c.Left) << c.Angle;
    EXPECT_EQ(r.Top, c.Top) << c.Angle;
  }
}

TEST(AdvGridMeasure, MaxLinesCountsTheShownColumnsWithMultilineCells) {
  GridOwner g;
  g->SetCellEx(2, 1, u"a\rb\rc");
  EXPECT_EQ(g->GetMaxLinesInRow(1), 1);
  g->Multilinecells = true;
  EXPECT_EQ(g->GetMaxLinesInRow(1), 3);
  EXPECT_EQ(g->GetMaxLinesInRow(2), 1);
}

}  // namespace
