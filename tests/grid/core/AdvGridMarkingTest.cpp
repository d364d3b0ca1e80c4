// Marking texts in cells, cell checks and fills.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvGrid.h"

namespace {

using advgrid_test::Utf8;

TAdvStringGrid* MarkGrid() {
  auto* g = New<TAdvStringGrid>(nullptr);
  g->SetColCount(3);
  g->SetRowCount(3);
  return g;
}

TEST(AdvGridMarking, HighlightInACellFollowsTheCaseChoice) {
  TAdvStringGrid* g = MarkGrid();
  g->SetCellEx(1, 1, u"xAby");
  g->HilightInCell(true, 1, 1, u"ab");
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "xAby");
  g->HilightInCell(false, 1, 1, u"ab");
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "x<hi>Ab</hi>y");
  g->UnHilightInCell(1, 1);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "xAby");
  g->MarkInCell(false, 1, 1, u"y");
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "xAb<e>y</e>");
  g->UnMarkInCell(1, 1);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "xAby");
  delete g;
}

TEST(AdvGridMarking, MarkedTextIsEncodedOnceAndComesBackWhole) {
  TAdvStringGrid* g = MarkGrid();
  g->SetCellEx(1, 1, u"a<b");
  g->HilightInCell(false, 1, 1, u"a");
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "<hi>a</hi>&lt;b");
  g->HilightInCell(false, 1, 1, u"a");  // again: the same
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "<hi>a</hi>&lt;b");
  g->MarkInCell(false, 1, 1, u"b");  // both kinds of mark on one encoded text
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "<hi>a</hi>&lt;<e>b</e>");
  g->UnHilightInCell(1, 1);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "a&lt;<e>b</e>");
  g->UnMarkInCell(1, 1);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "a<b");
  // A search text with a "<" meets the encoded text.
  g->HilightInCell(false, 1, 1, u"a<");
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "<hi>a&lt;</hi>b");
  g->UnHilightInCell(1, 1);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "a<b");
  // A cell without a hit, and one never marked, are left alone.
  g->SetCellEx(2, 1, u"&lt;typed");
  g->HilightInCell(false, 2, 1, u"zz");
  g->UnHilightInCell(2, 1);
  EXPECT_EQ(Utf8(g->GetCellEx(2, 1)), "&lt;typed");
  delete g;
}

TEST(AdvGridMarking, RangesOfColumnRowAndGrid) {
  TAdvStringGrid* g = MarkGrid();
  for (int c = 0; c < 3; ++c)
    for (int r = 0; r < 3; ++r) g->SetCellEx(c, r, u"q");
  auto marked = [&] {
    std::string s;
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 3; ++c) s += g->GetCellEx(c, r) == u"q" ? '.' : 'x';
      s += '/';
    }
    return s;
  };
  g->HilightInCol(false, false, 1, u"q");
  EXPECT_EQ(marked(), ".../.x./.x./");
  g->UnHilightInGrid(true);
  g->HilightInCol(true, false, 1, u"q");
  EXPECT_EQ(marked(), ".x./.x./.x./");
  g->UnHilightInCol(false, 1);
  EXPECT_EQ(marked(), ".x./.../.../");
  g->UnHilightInGrid(true);
  g->HilightInRow(false, false, 2, u"q");
  EXPECT_EQ(marked(), ".../.../.xx/");
  g->MarkInGrid(false, false, u"q");
  EXPECT_EQ(marked(), ".../.xx/.xx/");
  g->UnMarkInGrid(false);
  g->UnHilightInRow(false, 2);
  EXPECT_EQ(marked(), ".../.../.../");
  g->HilightInGrid(true, false, u"q");
  EXPECT_EQ(marked(), "xxx/xxx/xxx/");
  g->UnHilightInGrid(false);
  EXPECT_EQ(marked(), "xxx/x../x../");
  delete g;
}

TEST(AdvGridMarking, TextFunctions) {
  TAdvStringGrid* g = MarkGrid();
  EXPECT_EQ(Utf8(g->HilightText(false, u"aXa", u"x")), "a<hi>X</hi>a");
  EXPECT_EQ(Utf8(g->UnHilightText(u"a<hi>X</hi>a")), "aXa");
  EXPECT_EQ(Utf8(g->MarkText(true, u"aXa", u"x")), "aXa");
  EXPECT_EQ(Utf8(g->UnMarkText(u"<e>b</e>")), "b");
  delete g;
}

// Fails the cells whose text holds "bad", marking them.
class TBadChecker : public TAdvStringGridCheck {
 public:
  using TAdvStringGridCheck::TAdvStringGridCheck;
  String MarkError(int ACol, int ARow, const String& s) override {
    Visited.push_back(std::to_string(ACol) + "," + std::to_string(ARow));
    return s.find(u"bad") == String::npos ? s : u"<e>" + s + u"</e>";
  }
  void StartCheck() override { ++Starts; }
  void StopCheck() override { ++Stops; }
  std::vector<std::string> Visited;
  int Starts = 0, Stops = 0;
};

TEST(AdvGridMarking, CheckCellsVisitsEveryCellAndAnswersTheConjunction) {
  TAdvStringGrid* g = MarkGrid();
  g->SetColCount(4);
  EXPECT_TRUE(g->CheckCells(1, 1, 3, 1));  // no checker
  TBadChecker checker(nullptr);
  checker.UseMarkError = true;
  g->SetCellChecker(&checker);
  g->SetCellEx(1, 1, u"ok");
  g->SetCellEx(2, 1, u"bad");
  g->SetCellEx(3, 1, u"ok");
  EXPECT_FALSE(g->CheckCells(1, 1, 3, 1));
  EXPECT_EQ(checker.Visited, (std::vector<std::string>{"1,1", "2,1", "3,1"}));
  EXPECT_EQ(Utf8(g->GetCellEx(2, 1)), "<e>bad</e>");
  EXPECT_EQ(checker.Starts, 1);
  EXPECT_EQ(checker.Stops, 1);
  // Checked again: the old mark is taken off first.
  EXPECT_FALSE(g->CheckCell(2, 1));
  EXPECT_EQ(Utf8(g->GetCellEx(2, 1)), "<e>bad</e>");
  g->SetCellEx(2, 1, u"fine");
  EXPECT_TRUE(g->CheckRow(false, 1));
  checker.Visited.clear();
  g->CheckCol(false, 1);
  EXPECT_EQ(checker.Visited, (std::vector<std::string>{"1,1", "1,2"}));
  // GotoCell visits and returns.
  checker.GotoCell = true;
  g->FocusCell(1, 2);
  g->CheckGrid(false);
  EXPECT_EQ(g->Col(), 1);
  EXPECT_EQ(g->Row(), 2);
  g->SetCellChecker(nullptr);
  delete g;
}

TEST(AdvGridMarking, FillsCoverTheNormalCellsOrAll) {
  TAdvStringGrid* g = MarkGrid();
  g->LinearFill(false);
  std::vector<std::string> cells;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) cells.push_back(Utf8(g->GetCellEx(c, r)));
  EXPECT_EQ(cells, (std::vector<std::string>{"", "", "", "", "1:1", "2:1", "", "1:2", "2:2"}));
  g->TextFill(true, u"t");
  EXPECT_EQ(Utf8(g->GetCellEx(0, 0)), "t");
  g->FormatFill(false, u"%d-%d");
  EXPECT_EQ(Utf8(g->GetCellEx(2, 1)), "2-1");
  g->RandomFill(false, 5);
  for (int r = 1; r < 3; ++r)
    for (int c = 1; c < 3; ++c) {
      const int v = g->Ints(c, r);
      EXPECT_TRUE(v >= 0 && v < 5) << v;
    }
  // A format that does not take two integers raises; what was written stays.
  g->TextFill(false, u"old");
  EXPECT_THROW(g->FormatFill(false, u"%d %s"), EConvertError);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "old");
  delete g;
}

TEST(AdvGridMarking, FontAndLookupSetters) {
  TAdvStringGrid* g = MarkGrid();
  TFont font;
  font.SetSize(17);
  g->SetFixedFont(&font);
  EXPECT_EQ(g->FixedFont()->Size(), 17);
  TStringList items;
  items.Add(u"one");
  g->SetLookupItems(&items);
  g->SetLookupItems(nullptr);  // ignored
  ASSERT_EQ(g->LookupItems()->Count(), 1);
  EXPECT_EQ(Utf8(g->LookupItems()->Strings(0)), "one");
  delete g;
}

}  // namespace
