// Filtering: the row match, the value lists, filter levels, narrowing and the filter drop-down.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvGrid.h"
#include "platform/StdCtrls.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/ScopedLocale.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

// One fixed row; column 1 holds Texts, column 2 "c2-<row>".
TAdvStringGrid* FilterGrid(std::initializer_list<const char16_t*> Texts) {
  auto* g = New<TAdvStringGrid>(nullptr);
  g->SetColCount(3);
  g->SetRowCount(static_cast<int>(Texts.size()) + 1);
  g->SetFixedRows(1);
  int r = 1;
  for (const char16_t* t : Texts) {
    g->SetCellEx(1, r, t);
    g->SetCellEx(2, r, u"c2-" + IntToStr(r));
    ++r;
  }
  return g;
}

std::string Column1(TAdvStringGrid* g) {
  std::string s;
  for (int r = g->FixedRows(); r < g->RowCount(); ++r) s += (s.empty() ? "" : " ") + Utf8(g->GetCellEx(1, r));
  return s;
}

std::vector<std::string> Lines(TStrings* l) {
  std::vector<std::string> v;
  for (int i = 0; i < l->Count(); ++i) v.push_back(Utf8(l->Strings(i)));
  return v;
}

TEST(AdvGridFilter, CollectionOperationsAndColumnFilters) {
  TFilter f(nullptr);
  TFilterData* a = f.Add();
  EXPECT_EQ(a->Operation(), foNONE);
  EXPECT_TRUE(a->CaseSensitive());
  EXPECT_EQ(a->Method(), fmExpression);
  EXPECT_EQ(f.Add()->Operation(), foAND);
  EXPECT_EQ(f.Insert(0)->Operation(), foSHORT);
  EXPECT_EQ(f.Items(2)->Index(), 2);  // appended
  a->SetColumn(4);
  EXPECT_TRUE(f.HasFilter(4));
  EXPECT_EQ(f.ColumnFilter(4), a);
  TFilterData* b = f.ColumnFilter(7);  // made for the column
  EXPECT_EQ(b->Column(), 7);
  EXPECT_EQ(f.Count(), 4);
  f.Items(1)->SetColumn(4);
  f.RemoveColumnFilter(4);
  EXPECT_FALSE(f.HasFilter(4));
  EXPECT_EQ(f.Count(), 2);
  // Assign copies all but the method.
  TFilterData* c = f.Add();
  c->SetMethod(fmLiteral);
  b->SetCondition(u"x*");
  b->SetPrefix(u"p");
  b->SetCaseSensitive(false);
  b->SetData(fcRow);
  c->Assign(b);
  EXPECT_EQ(Utf8(c->Condition()), "x*");
  EXPECT_EQ(Utf8(c->Prefix()), "p");
  EXPECT_FALSE(c->CaseSensitive());
  EXPECT_EQ(c->Data(), fcRow);
  EXPECT_EQ(c->Method(), fmLiteral);
}

TEST(AdvGridFilter, ShortConditionEndsTheWalkButTheCustomHandlerDecides) {
  TAdvStringGrid* g = FilterGrid({u"x", u"y"});
  TFilterData* first = g->Filter()->Insert(0);  // foSHORT
  first->SetColumn(1);
  first->SetCondition(u"x");
  TFilterData* second = g->Filter()->Insert(0);
  second->SetColumn(2);
  second->SetCondition(u"*");
  second->SetOperation(foOR);  // would pass every row
  EXPECT_TRUE(g->MatchFilter(1));
  EXPECT_FALSE(g->MatchFilter(2));
  std::vector<std::pair<int, bool>> asked;
  g->OnCustomFilter = [&](TObject*, int ARow, bool& Accept) {
    asked.emplace_back(ARow, Accept);
    Accept = true;
  };
  EXPECT_TRUE(g->MatchFilter(2));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], std::make_pair(2, false));
  delete g;
}

TEST(AdvGridFilter, ConditionKindsPrefixSuffixAndOperations) {
  TAdvStringGrid* g = FilterGrid({u"Abc", u"EUR 12", u"12 kg", u"  <b>bold</b> "});
  TFilterData* f = g->Filter()->Add();
  f->SetColumn(1);
  struct Case {
    TFilterCells data;
    TFilterMethod method;
    const char16_t* cond;
    const char16_t* prefix;
    const char16_t* suffix;
    int row;
    bool match;
  };
  const Case cases[] = {
      {fcNormal, fmLiteral, u"abc", u"", u"", 1, false},    // a literal takes the case as it is
      {fcNormal, fmLiteral, u"Abc", u"", u"", 1, true},
      {fcRow, fmLiteral, u"abc", u"", u"", 1, true},        // the row: any case, contained
      {fcRow, fmLiteral, u"c2-1", u"", u"", 1, true},
      {fcNormal, fmLiteral, u"12", u"EUR ", u"", 2, true},  // prefix removed
      {fcNormal, fmLiteral, u"12", u"", u" kg", 3, true},   // suffix removed
      {fcNormal, fmExpression, u">10", u"EUR ", u"", 2, true},
      {fcNormal, fmExpression, u"", u"", u"", 2, true},     // an empty condition matches
      {fcNormal, fmLiteral, u"<b>bold</b>", u"", u"", 4, true},  // trimmed
      {fcStripHTML, fmLiteral, u"bold", u"", u"", 4, true},
      {fcVirtual, fmExpression, u"*bo*", u"", u"", 4, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.cond));
    f->SetData(c.data);
    f->SetMethod(c.method);
    f->SetCondition(c.cond);
    f->SetPrefix(c.prefix);
    f->SetSuffix(c.suffix);
    EXPECT_EQ(g->MatchFilter(c.row), c.match);
  }
  // Joining: AND, XOR, OR after a first condition that matches row 1 only.
  g->Filter()->Clear();
  TFilterData* a = g->Filter()->Add();
  a->SetColumn(1);
  a->SetCondition(u"Abc");
  TFilterData* b = g->Filter()->Add();
  b->SetColumn(2);
  b->SetCondition(u"c2-1");
  for (auto [op, row1, row2] : {std::tuple{foAND, true, false}, {foXOR, false, false}, {foOR, true, false}}) {
    b->SetOperation(op);
    EXPECT_EQ(g->MatchFilter(1), row1) << int(op);
    EXPECT_EQ(g->MatchFilter(2), row2) << int(op);
  }
  delete g;
}

TEST(AdvGridFilter, ValueListIsOrderedOnceWithTheClearEntryFirst) {
  TAdvStringGrid* g = FilterGrid({u"b", u"a", u"b", u"New York"});
  EXPECT_FALSE(g->DoGetColumnFilter(1));  // auto off, no handler
  EXPECT_EQ(g->FilterList()->Count(), 0);
  g->SetFilterDropDownAuto(true);
  EXPECT_TRUE(g->DoGetColumnFilter(1));
  EXPECT_EQ(Lines(g->FilterList()), (std::vector<std::string>{"(All)", "New York=\"New York\"", "a", "b"}));
  EXPECT_FALSE(g->DoGetColumnFilter(0) && g->FilterList()->Count() > 0);  // a fixed column
  g->SetFilterDropDownColumns(fdAll);
  EXPECT_TRUE(g->DoGetColumnFilter(0));
  // Hidden rows are listed unless incremental; the handler may change the list.
  g->SetFilterDropDownColumns(fdNormal);
  g->HideRow(2);
  g->DoGetColumnFilter(1);
  EXPECT_EQ(g->FilterList()->Count(), 4);
  g->SetFilterIncremental(true);
  g->SetCellEx(1, 1, u"z");
  g->DoGetColumnFilter(1);
  EXPECT_EQ(Lines(g->FilterList()), (std::vector<std::string>{"(All)", "New York=\"New York\"", "b", "z"}));
  g->SetFilterDropDownAuto(false);
  g->OnGetColumnFilter = [](TObject*, int, TStrings* L) { L->Add(u"mine"); };
  EXPECT_TRUE(g->DoGetColumnFilter(1));
  EXPECT_EQ(Lines(g->FilterList()), (std::vector<std::string>{"mine"}));
  delete g;
}

TEST(AdvGridFilter, ActiveFilterHidesFailingRowsAsOneLevelAndReportsProgress) {
  TAdvStringGrid* g = FilterGrid({u"apple", u"pear", u"apricot", u"plum"});
  g->SetRowCount(g->RowCount() + 1);  // the footer's row
  g->SetFloatFormat(u"%g");
  g->FloatingFooter()->SetVisible(true);
  for (int r = 1; r <= 4; ++r) g->SetCellEx(2, r, IntToStr(r));
  g->FloatingFooter()->SetColumnCalc(2, acSUM);
  g->FloatingFooter()->SetCalculateHiddenRows(false);
  TFilterData* f = g->Filter()->Add();
  f->SetColumn(1);
  f->SetCondition(u"ap*");
  std::vector<int> progress;
  g->OnFilterProgress = [&](TObject*, int16_t P) { progress.push_back(P); };
  g->SetFilterActive(true);
  EXPECT_EQ(Column1(g), "apple apricot ");  // the footer row's empty cell last
  EXPECT_EQ(g->FilterLevel(), 1);
  EXPECT_EQ(progress, (std::vector<int>{25, 50, 75, 100, 100}));
  EXPECT_EQ(Utf8(g->GetCellEx(2, g->RowCount() - 1)), "4");  // footers recalculated: 1 + 3
  g->SetFilterActive(false);
  EXPECT_EQ(Column1(g), "apple pear apricot plum ");
  EXPECT_EQ(g->FilterLevel(), 0);
  EXPECT_EQ(Utf8(g->GetCellEx(2, g->RowCount() - 1)), "10");
  EXPECT_EQ(g->Filter()->Count(), 1);  // conditions stay
  delete g;
}

TEST(AdvGridFilter, RemoveAllFiltersKeepsConditionsWithLevelsAndClearsThemWithout) {
  TAdvStringGrid* g = FilterGrid({u"a", u"b", u"c"});
  TFilterData* f = g->Filter()->Add();
  f->SetColumn(1);
  f->SetCondition(u"a");
  g->SetFilterActive(true);
  EXPECT_EQ(g->RowCount(), 2);
  g->RemoveAllFilters();
  EXPECT_EQ(g->RowCount(), 4);
  EXPECT_EQ(g->FilterLevel(), 0);
  EXPECT_EQ(g->Filter()->Count(), 1);
  EXPECT_FALSE(g->FilterActive());
  g->RemoveAllFilters();
  EXPECT_EQ(g->Filter()->Count(), 0);
  EXPECT_FALSE(g->RemoveLastFilter());  // nothing to restore
  delete g;
}

TEST(AdvGridFilter, RemoveLastFilterPopsOneLevelAndFilterRowHidesOneRow) {
  TAdvStringGrid* g = FilterGrid({u"ab", u"a", u"b", u"abc"});
  TFilterData* f = g->Filter()->Add();
  f->SetColumn(1);
  f->SetCondition(u"*a*");
  g->ApplyFilter();
  f->SetCondition(u"*b*");
  g->ApplyFilter();
  EXPECT_EQ(Column1(g), "ab abc");
  EXPECT_TRUE(g->RemoveLastFilter());  // one level left
  EXPECT_EQ(Column1(g), "ab a abc");
  EXPECT_FALSE(g->RemoveLastFilter());
  EXPECT_EQ(Column1(g), "ab a b abc");
  f->SetCondition(u"b");
  g->FilterRow(1);  // "ab" fails
  EXPECT_EQ(Column1(g), "a b abc");
  EXPECT_TRUE(g->IsHiddenRow(1));
  g->FilterRow(2);  // "b" passes
  EXPECT_EQ(Column1(g), "a b abc");
  delete g;
}

TEST(AdvGridFilter, NarrowDownPushesAndPopsLevels) {
  TAdvStringGrid* g = FilterGrid({u"x", u"y", u"z", u"w"});
  for (auto [r, t] : {std::pair{1, u"ab"}, {2, u"a"}, {3, u"b"}, {4, u"xaby"}}) g->SetCellEx(2, r, t);
  g->NarrowDown(u"a", 2);
  EXPECT_EQ(Column1(g), "x y w");
  EXPECT_EQ(Utf8(g->Filter()->Items(0)->Condition()), "*a*");
  EXPECT_EQ(g->Filter()->Items(0)->Data(), fcNormal);
  EXPECT_FALSE(g->Filter()->Items(0)->CaseSensitive());
  g->NarrowDown(u"ab", 2);
  EXPECT_EQ(g->FilterLevel(), 2);
  EXPECT_EQ(Column1(g), "x w");
  g->NarrowDown(u"a", 2);
  EXPECT_EQ(g->FilterLevel(), 1);
  EXPECT_EQ(Column1(g), "x y w");
  EXPECT_TRUE(g->FixedRowAlways());
  // The whole row, any case.
  g->NarrowDown(u"", 2);
  g->NarrowDown(u"XAB", -1);
  EXPECT_EQ(g->Filter()->Items(0)->Data(), fcRow);
  EXPECT_EQ(Column1(g), "w");
  // A jump that is neither one more nor one less character starts again.
  g->NarrowDown(u"z", 1);
  EXPECT_EQ(g->FilterLevel(), 1);
  EXPECT_EQ(Column1(g), "z");
  delete g;
}

TEST(AdvGridFilter, NarrowDownQuotesATextWithABlank) {
  TAdvStringGrid* g = FilterGrid({u"New York", u"New Yorker", u"Newark"});
  g->NarrowDown(u"w Y", 1);  // from empty: a new start
  EXPECT_EQ(Utf8(g->Filter()->Items(0)->Condition()), "\"*w Y*\"");
  EXPECT_EQ(Column1(g), "New York New Yorker");
  g->NarrowDown(u"w Yo", 1);  // narrowing
  EXPECT_EQ(Utf8(g->Filter()->Items(0)->Condition()), "\"*w Yo*\"");
  EXPECT_EQ(g->FilterLevel(), 2);
  EXPECT_EQ(Column1(g), "New York New Yorker");
  delete g;
}

TEST(AdvGridFilter, EmptyNarrowingRemovesTheLevelsButKeepsRowsHiddenOtherwise) {
  TAdvStringGrid* g = FilterGrid({u"a1", u"b", u"a2", u"a3"});
  g->HideRow(4);  // "a3", hidden by hand
  g->NarrowDown(u"a", 1);
  g->NarrowDown(u"a2", 1);
  EXPECT_EQ(Column1(g), "a2");
  g->NarrowDown(u"", 1);
  EXPECT_EQ(g->FilterLevel(), 0);
  EXPECT_EQ(Column1(g), "a1 b a2");
  EXPECT_EQ(g->NumHiddenRows(), 1);
  g->UnHideRow(4);
  EXPECT_EQ(Column1(g), "a1 b a2 a3");  // with its cells
  delete g;
}

TEST(AdvGridFilter, NodeRowsStayWithNormalCellsOnly) {
  TAdvStringGrid* g = FilterGrid({u"head", u"a", u"b", u"a"});
  g->AddNode(1, 4);
  TFilterData* f = g->Filter()->Add();
  f->SetColumn(1);
  f->SetCondition(u"a");
  g->SetFilterActive(true);
  EXPECT_EQ(Column1(g), "head a a");
  g->SetFilterActive(false);
  g->SetFilterNormalCellsOnly(false);
  g->SetFilterActive(true);
  EXPECT_EQ(Column1(g), "a a");
  delete g;
}

// The filter drop-down on a shown grid: the filter row is row 0.
class AdvGridFilterDropDown : public ::testing::Test {
 protected:
  void SetUp() override {
    g = f.grid;
    g->SetColCount(3);
    g->SetRowCount(6);
    g->SetFixedRows(1);
    g->SetFilterDropDownAuto(true);
    const char16_t* texts[] = {u"b", u"a", u"b", u"New York", u"a"};
    for (int r = 1; r <= 5; ++r) {
      g->SetCellEx(1, r, texts[r - 1]);
      g->SetCellEx(2, r, u"v" + IntToStr(r % 2));
    }
  }
  // Releases the mouse on the filter button of display column C.
  void ReleaseOnButton(int C) {
    const TRect cr = g->CellRect(C, 0);
    g->FilterDropDownMouseUp(cr.Right - 8, cr.Top + 4, C, 0);
  }
  GridForm<> f;
  TAdvStringGrid* g = nullptr;
};

TEST_F(AdvGridFilterDropDown, OpensWithTheValuesUnderTheButton) {
  g->FilterDropDown()->SetWidth(120);
  g->FilterDropDown()->SetHeight(90);
  g->FilterDropDown()->SetColor(clYellow);
  ReleaseOnButton(1);
  TDropList* list = g->DropList();
  ASSERT_TRUE(list->Visible());
  EXPECT_EQ(g->FilterColumn(), 1);
  EXPECT_EQ(Lines(list->Items()), (std::vector<std::string>{"(All)", "New York", "a", "b"}));
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(list->Color(), clYellow);
  const TRect cr = g->CellRect(1, 0);
  EXPECT_EQ(list->Left(), cr.Right - 16);
  EXPECT_EQ(list->Top(), cr.Top + 16);
  EXPECT_EQ(list->Width(), 120);
  EXPECT_EQ(list->Height(), 90);
  // A release on the same button, or elsewhere, closes it.
  ReleaseOnButton(1);
  EXPECT_FALSE(list->Visible());
  EXPECT_EQ(g->FilterColumn(), -1);
  // Outside the button: nothing opens.
  g->FilterDropDownMouseUp(cr.Left + 2, cr.Top + 4, 1, 0);
  EXPECT_FALSE(list->Visible());
}

TEST_F(AdvGridFilterDropDown, ListAtTheRightmostColumnEndsAtItsRightEdgeNeverLeftOfZero) {
  g->SetBounds(10, 10, 150, 200);
  g->SetDefaultColWidth(40);
  g->FilterDropDown()->SetWidth(100);
  ReleaseOnButton(2);
  TDropList* list = g->DropList();
  ASSERT_TRUE(list->Visible());
  EXPECT_EQ(list->Left() + list->Width(), g->CellRect(2, 0).Right);
  g->FilterDropDownMouseUp(0, 0, 0, 1);
  g->FilterDropDown()->SetWidth(400);
  ReleaseOnButton(2);
  EXPECT_EQ(list->Left(), 0);
}

TEST_F(AdvGridFilterDropDown, ChoosingSetsTheConditionAndAllRemovesIt) {
  int done = 0;
  g->OnFilterDone = [&](TObject*) { ++done; };
  std::vector<std::string> friendly;
  g->OnFilterSelect = [&](TObject*, int Column, int, const String& Name, String& Cond) {
    EXPECT_EQ(Column, 1);
    friendly.push_back(Utf8(Name) + "|" + Utf8(Cond));
  };
  // A condition on column 2 that stays.
  g->Filter()->ColumnFilter(2)->SetCondition(u"v1");
  ReleaseOnButton(1);
  g->DropList()->SetItemIndex(1);  // New York
  char16_t enter = 13;
  g->DropList()->Perform(WM_CHAR, enter, 0);
  EXPECT_FALSE(g->DropList()->Visible());
  EXPECT_EQ(friendly.back(), "New York|\"New York\"");
  EXPECT_TRUE(g->FilterActive());
  EXPECT_EQ(Column1(g), "");  // New York is in row 4, whose column 2 is v0
  EXPECT_EQ(done, 1);
  EXPECT_EQ(g->FilterColumn(), -1);
  ReleaseOnButton(1);
  g->DoFilterSelect(3);  // b
  EXPECT_EQ(Column1(g), "b b");
  ReleaseOnButton(1);
  g->DoFilterSelect(0);  // (All)
  EXPECT_EQ(friendly.back(), "(All)|");
  EXPECT_FALSE(g->Filter()->HasFilter(1));
  EXPECT_TRUE(g->Filter()->HasFilter(2));
  EXPECT_EQ(Column1(g), "b b a");  // column 2's v1 still applies
  EXPECT_EQ(g->FilterLevel(), 1);
  // Invalid choices do nothing but close.
  ReleaseOnButton(1);
  g->DoFilterSelect(17);
  EXPECT_EQ(g->FilterColumn(), -1);
  EXPECT_EQ(g->FilterLevel(), 1);
}

TEST_F(AdvGridFilterDropDown, CheckListJoinsTheCheckedValuesAndAllPassesEveryRow) {
  g->SetFilterDropDownCheck(true);
  ReleaseOnButton(1);
  TDropCheckList* list = g->DropCheckList();
  ASSERT_TRUE(list->Visible());
  EXPECT_FALSE(g->DropList()->Visible());
  list->SetChecked(2, true);  // a
  list->SetChecked(1, true);  // New York
  g->DoFilterCheck(-1);
  ASSERT_EQ(g->Filter()->Count(), 2);
  EXPECT_EQ(g->Filter()->Items(0)->Operation(), foNONE);
  EXPECT_EQ(g->Filter()->Items(1)->Operation(), foOR);
  EXPECT_EQ(Column1(g), "a New York a");
  EXPECT_TRUE(list->Visible());  // stays open
  // Reopened, the items of the conditions come checked.
  g->FilterDropDownMouseUp(0, 0, 0, 2);
  ReleaseOnButton(1);
  EXPECT_TRUE(list->Checked(1));
  EXPECT_TRUE(list->Checked(2));
  EXPECT_FALSE(list->Checked(3));
  list->SetChecked(0, true);  // (All): an empty condition, every row passes
  g->DoFilterCheck(-1);
  EXPECT_EQ(Column1(g), "b a b New York a");
}

// The middle of item I of a list that shows its first item at the top, inside its 2-pixel edge.
int ItemMiddle(TListBox* List, int I) { return 2 + I * List->ItemHeight() + List->ItemHeight() / 2; }

TEST_F(AdvGridFilterDropDown, CheckListTogglesByABoxClickAndBySpace) {
  g->SetFilterDropDownCheck(true);
  const TRect cr = g->CellRect(1, 0);
  f.driver.Click(g, cr.Right - 8, cr.Top + 4);
  TDropCheckList* list = g->DropCheckList();
  ASSERT_TRUE(list->Visible());
  EXPECT_TRUE(list->Focused());
  f.driver.Click(list, 8, ItemMiddle(list, 2));  // the box of "a"
  EXPECT_TRUE(list->Checked(2));
  EXPECT_EQ(Column1(g), "a a");
  // A click on the text selects without toggling; Space toggles the selected entry.
  f.driver.Click(list, 60, ItemMiddle(list, 3));
  EXPECT_EQ(list->ItemIndex(), 3);
  EXPECT_FALSE(list->Checked(3));
  f.driver.Key(f.form, VK_SPACE);
  EXPECT_TRUE(list->Checked(3));
  EXPECT_EQ(Column1(g), "b a b a");
  f.driver.Key(f.form, VK_SPACE);
  EXPECT_FALSE(list->Checked(3));
  EXPECT_EQ(Column1(g), "a a");
  EXPECT_TRUE(list->Visible());
  EXPECT_EQ(g->FilterColumn(), 1);
}

TEST_F(AdvGridFilterDropDown, ListsCloseOnAPressOutsideEscapeAndFocusLoss) {
  auto* other = New<TEdit>(f.form);
  other->SetParent(f.form);
  other->SetBounds(450, 10, 100, 21);
  auto* label = New<TLabel>(f.form);
  label->SetParent(f.form);
  label->SetBounds(450, 300, 100, 21);
  enum Way { kPressOnLabel, kEscape, kFocusElsewhere };
  const TRect cr = g->CellRect(1, 0);
  for (const bool check : {false, true}) {
    g->SetFilterDropDownCheck(check);
    TListBox* list = check ? static_cast<TListBox*>(g->DropCheckList()) : g->DropList();
    for (const Way way : {kPressOnLabel, kEscape, kFocusElsewhere}) {
      SCOPED_TRACE(std::to_string(check) + " " + std::to_string(way));
      g->SetFocus();
      f.driver.Click(g, cr.Right - 8, cr.Top + 4);
      ASSERT_TRUE(list->Visible());
      if (check) {  // a press inside leaves it open (a release in the plain list chooses)
        f.driver.Click(list, 60, ItemMiddle(list, 1));
        ASSERT_TRUE(list->Visible());
      }
      switch (way) {
        case kPressOnLabel:
          f.driver.Click(label, 5, 5);
          break;
        case kEscape:
          f.driver.Key(f.form, VK_ESCAPE);
          break;
        case kFocusElsewhere:
          other->SetFocus();
          break;
      }
      EXPECT_FALSE(list->Visible());
      EXPECT_EQ(g->FilterColumn(), -1);
    }
    // The open column's button closes its list, and the next click opens it again.
    g->SetFocus();
    f.driver.Click(g, cr.Right - 8, cr.Top + 4);
    ASSERT_TRUE(list->Visible());
    f.driver.Click(g, cr.Right - 8, cr.Top + 4);
    EXPECT_FALSE(list->Visible());
    EXPECT_EQ(g->FilterColumn(), -1);
    f.driver.Click(g, cr.Right - 8, cr.Top + 4);
    EXPECT_TRUE(list->Visible());
    f.driver.Key(f.form, VK_ESCAPE);
  }
}

TEST_F(AdvGridFilterDropDown, RightToLeftTheButtonHitsWhereItIsPainted) {
  TScopedMiddleEastLocale locale(true);
  g->SetBiDiMode(bdRightToLeft);
  ASSERT_TRUE(g->UseRightToLeftAlignment());
  std::unique_ptr<TBitmap> glyph = PatternBitmap(16, 16, {clFuchsia, clRed});
  g->FilterDropDown()->SetGlyph(glyph.get());
  const TRect cr = g->CellRect(1, 0);
  TImageCanvas shot(g->Width(), g->Height());
  g->PaintOn(shot.Canvas());
  int minX = cr.Right, maxX = cr.Left - 1;
  for (int x = cr.Left; x < cr.Right; ++x)
    if (BitmapPixel(shot.Bitmap(), x, cr.Top + 5) == clRed) {
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
    }
  ASSERT_LE(minX, maxX);
  EXPECT_LE(maxX, cr.Left + 16);  // mirrored: at the cell's left
  // Where it is not painted nothing opens; where it is, the list opens below it, ending at its outer edge.
  f.driver.Click(g, cr.Right - 8, cr.Top + 4);
  EXPECT_FALSE(g->DropList()->Visible());
  f.driver.Click(g, (minX + maxX) / 2, cr.Top + 4);
  TDropList* list = g->DropList();
  ASSERT_TRUE(list->Visible());
  EXPECT_EQ(g->FilterColumn(), 1);
  EXPECT_EQ(list->Left() + list->Width(), cr.Left + 16);
  EXPECT_EQ(list->Top(), cr.Top + 16);
}

TEST_F(AdvGridFilterDropDown, ActiveGlyphPaintsForAFilteredColumn) {
  // Red over the transparent colour (the bottom-left pixel's).
  std::unique_ptr<TBitmap> active = PatternBitmap(16, 16, {clFuchsia, clRed});
  g->FilterDropDown()->SetGlyphActive(active.get());
  auto redIn = [&](int C) {
    TImageCanvas shot(g->Width(), g->Height());
    g->PaintOn(shot.Canvas());
    return BitmapColors(shot.Bitmap(), g->CellRect(C, 0)).count(clRed) > 0;
  };
  EXPECT_FALSE(redIn(1));
  g->Filter()->ColumnFilter(1)->SetCondition(u"a");
  EXPECT_FALSE(redIn(2));
  EXPECT_TRUE(redIn(1));
}

}  // namespace
