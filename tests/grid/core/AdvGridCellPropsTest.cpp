// Per-cell look by index, the row colour setters and the small settings objects.
#include <gtest/gtest.h>

#include "AdvGridCellTestSupport.h"
#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::GridOwner;
using advgrid_test::Utf8;

// New cells of column 2 start from a column's own look, as in a column grid.
class ColumnDefaultsGrid : public TAdvStringGrid {
 public:
  using TAdvStringGrid::TAdvStringGrid;
  TCellStyle GetDefaultCellProps(int RCol, int DRow) override {
    TCellStyle s = TAdvStringGrid::GetDefaultCellProps(RCol, DRow);
    if (RCol == 2) {
      s.Font.SetColor(clNavy);
      s.Alignment = taRightJustify;
      s.Color = clWindow;
    }
    return s;
  }
};

TEST(AdvGridCellProps, ReadersCreateNothingExceptWordWraps) {
  GridOwner g;
  EXPECT_EQ(g->GetColors(1, 1), clNone);
  EXPECT_EQ(g->GetColorsTo(1, 1), clNone);
  EXPECT_EQ(g->GetFontColors(1, 1), clNone);
  EXPECT_TRUE(g->GetFontStyles(1, 1).Empty());
  EXPECT_EQ(g->GetFontSizes(1, 1), 0);
  EXPECT_EQ(Utf8(g->GetFontNames(1, 1)), "");
  EXPECT_EQ(g->GetAlignments(1, 1), taLeftJustify);
  EXPECT_EQ(g->GetGradientDir(1, 1), GradientVertical);
  EXPECT_FALSE(g->GetReadOnly(1, 1));
  EXPECT_FALSE(g->HasCellProperties(1, 1));
  EXPECT_TRUE(g->GetWordWraps(1, 1));
  EXPECT_TRUE(g->HasCellProperties(1, 1));
}

TEST(AdvGridCellProps, WritersStoreAndRepaintTheDisplayedCell) {
  advgrid_test::GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->HideColumn(1);
  g->TakeInvalidatedRects();
  g->SetColors(3, 2, clRed);
  g->SetFontStyles(3, 2, TFontStyles(fsBold));
  g->SetFontNames(3, 2, u"Mono");
  g->SetAlignments(3, 2, taCenter);
  g->SetGradientDir(3, 2, GradientHorizontal);
  EXPECT_EQ(g->GetColors(3, 2), clRed);
  EXPECT_TRUE(g->GetFontStyles(3, 2).Contains(fsBold));
  EXPECT_EQ(Utf8(g->GetFontNames(3, 2)), "Mono");
  EXPECT_EQ(g->GetAlignments(3, 2), taCenter);
  EXPECT_EQ(g->GetGradientDir(3, 2), GradientHorizontal);
  const auto rects = g->TakeInvalidatedRects();
  const TRect shown = g->TCustomGrid::CellRect(2, 2);  // real column 3 is shown at 2
  EXPECT_NE(std::find(rects.begin(), rects.end(), shown), rects.end());
  TFont font;
  font.SetName(u"Serif");
  font.SetSize(13);
  font.SetColor(clGreen);
  g->SetCellFont(4, 2, &font);
  EXPECT_EQ(Utf8(g->GetFontNames(4, 2)), "Serif");
  EXPECT_EQ(g->GetFontSizes(4, 2), 13);
  EXPECT_EQ(g->GetFontColors(4, 2), clGreen);
}

TEST(AdvGridCellProps, NewPropertiesStartFromTheCellsDefaults) {
  auto* g = New<ColumnDefaultsGrid>(nullptr);
  g->SetColors(2, 3, clYellow);
  EXPECT_EQ(g->GetColors(2, 3), clYellow);
  EXPECT_EQ(g->GetFontColors(2, 3), clNavy);
  EXPECT_EQ(g->GetAlignments(2, 3), taRightJustify);
  g->SetColors(1, 3, clYellow);
  EXPECT_NE(g->GetFontColors(1, 3), clNavy);
  delete g;
}

TEST(AdvGridCellProps, FixedCellsStartWithoutBackground) {
  GridOwner g;
  g->GetWordWraps(0, 2);
  g->GetWordWraps(2, 2);
  EXPECT_EQ(g->GetColors(0, 2), clNone);
  EXPECT_EQ(g->GetColors(2, 2), g->Color());
}

TEST(AdvGridCellProps, RowColorToNoneFreesTheRowsObjects) {
  GridOwner g;
  g->AddCheckBox(1, 2, true, false);
  g->SetReadOnly(2, 2, true);
  g->SetColorsTo(3, 2, clRed);
  g->SetColors(0, 2, clBlue);
  g->SetRowColorTo(2, clLime);
  EXPECT_EQ(g->GetColorsTo(3, 2), clLime);
  g->SetRowColorTo(2, clNone);
  EXPECT_FALSE(g->HasCheckBox(1, 2));
  EXPECT_FALSE(g->GetReadOnly(2, 2));
  for (int c = 1; c < g->ColCount(); ++c) EXPECT_FALSE(g->HasCellProperties(c, 2)) << c;
  EXPECT_EQ(g->GetColors(0, 2), clBlue);  // the fixed column is left alone
}

TEST(AdvGridCellProps, RowColorNoneFreesOnlyCellsWithAnEmptyObject) {
  GridOwner g;
  g->SetRowColor(1, clRed);
  EXPECT_EQ(g->GetColors(3, 1), clRed);
  g->CreateCellGraphic(2, 1);  // type ctNone
  g->AddCheckBox(3, 1, true, false);
  g->SetRowColor(1, clNone);
  EXPECT_FALSE(g->HasCellProperties(2, 1));
  EXPECT_TRUE(g->HasCheckBox(3, 1));
  EXPECT_EQ(g->GetColors(3, 1), clNone);
}

TEST(AdvGridCellProps, RowFontColorNoneKeepsCellsWithBackground) {
  GridOwner g;
  g->SetColors(2, 1, clRed);
  g->SetFontColors(2, 1, clBlue);
  g->SetColors(3, 1, clNone);
  g->SetFontColors(3, 1, clBlue);
  g->SetRowFontColor(1, clNone);
  EXPECT_EQ(g->GetColors(2, 1), clRed);
  EXPECT_EQ(g->GetFontColors(2, 1), clBlue);
  EXPECT_FALSE(g->HasCellProperties(3, 1));  // no background of its own: freed
  g->SetRowFontColor(1, clGreen);
  EXPECT_EQ(g->GetFontColors(4, 1), clGreen);
}

TEST(AdvGridCellProps, RowSettersReachHiddenColumns) {
  GridOwner g;
  g->SetColCount(5);
  g->HideColumn(4);
  g->SetRowColorTo(1, clAqua);
  EXPECT_EQ(g->GetColorsTo(4, 1), clAqua);
  EXPECT_EQ(g->AllColCount(), 5);
}

TEST(AdvGridCellProps, LinesInCell) {
  GridOwner g;
  const struct {
    const char16_t* text;
    int lines;
  } cases[] = {{u"", 1}, {u"one", 1}, {u"a\rb\rc", 3}, {u"a\r\nb", 2}};
  for (const auto& c : cases) {
    g->SetCells(1, 1, c.text);
    EXPECT_EQ(g->GetLinesInCell(1, 1), c.lines) << Utf8(c.text);
  }
}

TEST(AdvGridCellProps, ShowModifiedColourNotifiesAndCopies) {
  GridOwner g;
  EXPECT_EQ(g->ShowModified()->Color(), clYellow);
  int changed = 0;
  TShowModified other;
  other.OnChange = [&](TObject*) { ++changed; };
  other.SetColor(clRed);
  other.SetEnabled(true);
  EXPECT_EQ(changed, 1);
  g->SetShowModified(&other);
  EXPECT_EQ(g->ShowModified()->Color(), clRed);
  EXPECT_TRUE(g->ShowModified()->Enabled());
  TSizeWhileTyping typing;
  typing.SetWidth(true);
  g->SetSizeWhileTyping(&typing);
  EXPECT_TRUE(g->SizeWhileTyping()->Width());
  EXPECT_FALSE(g->SizeWhileTyping()->Height());
}

TEST(AdvGridCellProps, QelGradientColoursAreStoredAsRgb) {
  GridOwner g;
  g->SetQELGradientFrom(clBtnFace);
  EXPECT_EQ(g->QELGradientFrom(), ColorToRGB(clBtnFace));
  g->SetQELGradientMirrorTo(clRed);
  EXPECT_EQ(g->QELGradientMirrorTo(), clRed);
}

}  // namespace
