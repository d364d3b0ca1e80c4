// Header lists: ColumnHeaders into the first row (hidden columns too), RowHeaders into the
// first column, "\n" as a line break, and clearing.
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::Utf8;

std::unique_ptr<TStringList> Lines(std::initializer_list<const char16_t*> Texts) {
  auto l = std::make_unique<TStringList>();
  for (const char16_t* t : Texts) l->Add(t);
  return l;
}

TEST(AdvGridHeaders, ColumnHeaderLinesBecomeRowZeroWithLineBreaks) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  auto l = Lines({u"N", u"A\\nB", u"C"});
  g->SetColumnHeaders(l.get());
  EXPECT_EQ(Utf8(g->GetCellEx(0, 0)), "N");
  EXPECT_EQ(Utf8(g->GetCellEx(1, 0)), "A\rB");
  EXPECT_EQ(Utf8(g->ColumnHeaders()->Strings(1)), "A\\nB");  // the list keeps its text
  // A shorter list leaves no stale header behind.
  auto s = Lines({u"X"});
  g->SetColumnHeaders(s.get());
  EXPECT_EQ(Utf8(g->GetCellEx(0, 0)), "X");
  EXPECT_TRUE(g->GetCellEx(1, 0).empty());
  EXPECT_TRUE(g->GetCellEx(2, 0).empty());
  delete g;
}

TEST(AdvGridHeaders, HeadersReachHiddenColumns) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->HideColumn(2);
  auto l = Lines({u"h0", u"h1", u"h2", u"h3", u"h4", u"h5"});
  g->ColumnHeaders()->Assign(l.get());  // the list's change shows them
  for (int c = 0; c < 5; ++c) EXPECT_EQ(Utf8(g->GetCellEx(c, 0)), "h" + std::to_string(c)) << c;
  EXPECT_TRUE(g->GetCellEx(5, 0).empty());  // beyond the real columns
  delete g;
}

TEST(AdvGridHeaders, NoFixedRowNoColumnHeaders) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetFixedRows(0);
  g->SetCellEx(1, 0, u"data");
  auto l = Lines({u"a", u"b"});
  g->SetColumnHeaders(l.get());
  EXPECT_EQ(Utf8(g->GetCellEx(1, 0)), "data");
  EXPECT_EQ(g->ColumnHeaders()->Count(), 2);
  delete g;
}

TEST(AdvGridHeaders, RowHeadersAndClearing) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  auto l = Lines({u"", u"r1", u"two\\nlines"});
  g->SetRowHeaders(l.get());
  EXPECT_EQ(Utf8(g->GetCellEx(0, 1)), "r1");
  EXPECT_EQ(Utf8(g->GetCellEx(0, 2)), "two\rlines");
  g->ClearRowHeaders();
  EXPECT_TRUE(g->GetCellEx(0, 1).empty());
  g->ShowRowHeaders();
  EXPECT_EQ(Utf8(g->GetCellEx(0, 1)), "r1");
  g->ClearColumnHeaders();
  EXPECT_TRUE(g->GetCellEx(0, 0).empty());

  g->SetFixedCols(0);
  g->SetCellEx(0, 1, u"data");
  g->RowHeaders()->Add(u"r3");  // without fixed columns nothing is shown
  EXPECT_EQ(Utf8(g->GetCellEx(0, 1)), "data");
  delete g;
}

}  // namespace
