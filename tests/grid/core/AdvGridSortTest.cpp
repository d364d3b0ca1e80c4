// Sorting: the comparison rules, the sorts by column, index and group, unsorting, the sort
// settings, what stays in place, failure handling, and the depth of the engines.
#include <gtest/gtest.h>

#include <pthread.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::Utf8;

// A dd/mm/yyyy locale with "," as decimal and "." as thousand separator; one fixed row.
class AdvGridSort : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = FormatSettings();
    FormatSettings() = FormatSettingsFromLocale("C");
    FormatSettings().DecimalSeparator = u',';
    FormatSettings().ThousandSeparator = u'.';
    FormatSettings().DateSeparator = u'/';
    FormatSettings().ShortDateFormat = u"dd/mm/yyyy";
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
  std::string ColumnText(int Col) {
    std::string s;
    for (int r = g->FixedRows(); r < g->RowCount(); ++r) s += (r > g->FixedRows() ? "," : "") + Utf8(g->GetCellEx(Col, r));
    return s;
  }
  advgrid_test::TRecordGrid* g = nullptr;
  TFormatSettings saved_;
};

TEST_F(AdvGridSort, ComparisonRules) {
  struct Case {
    const char* what;
    const char16_t* t1;
    const char16_t* t2;
    TSortStyle style;  // through OnGetFormat; ssAutomatic leaves the detection
    std::function<void(TAdvStringGrid*)> setup;
    int ascending;
  };
  const std::vector<Case> cases = {
      {"automatic: numbers", u"10", u"9", ssAutomatic, nullptr, 1},
      {"automatic: dd/mm/yyyy dates", u"12/05/2020", u"03/01/2021", ssAutomatic, nullptr, -1},
      {"automatic: a first cell of letters is alphabetic", u"abc", u"10", ssAutomatic, nullptr, 1},
      {"numeric: the same texts as numbers", u"abc", u"10", ssNumeric, nullptr, -1},
      {"numeric: two non-numbers are equal", u"x", u"y", ssNumeric, nullptr, 0},
      {"numeric: an empty cell is 0", u"", u"-1", ssNumeric, nullptr, 1},
      {"numeric: reads up to the thousand separator", u"1.234,5", u"999", ssNumeric, nullptr, -1},
      {"financial: drops thousand separators", u"1.234,5", u"999", ssFinancial, nullptr, 1},
      {"alphabetic: ordinal", u"a", u"B", ssAlphabetic, nullptr, 1},
      {"alpha no case: a-z upper-cased", u"a", u"B", ssAlphaNoCase, nullptr, -1},
      {"alpha no case: other letters keep their case", u"\u00e9", u"\u00c9", ssAlphaNoCase, nullptr, 1},
      {"alpha numeric: both numbers", u"10", u"9", ssAlphaNumeric, nullptr, 1},
      {"alpha numeric: else alphabetic", u"10", u"9a", ssAlphaNumeric, nullptr, -1},
      {"html: tags removed", u"<b>b</b>", u"a", ssHTML, nullptr, 1},
      {"short date EU", u"02/01/2020", u"01/02/2020", ssShortDateEU, nullptr, -1},
      {"short date US", u"02/01/2020", u"01/02/2020", ssShortDateUS, nullptr, 1},
      {"time", u"10:00:00", u"9:30:00", ssTime, nullptr, 1},
      {"check boxes: unchecked first", u"", u"", ssAutomatic,
       [](TAdvStringGrid* G) {
         G->AddCheckBox(1, 1, true, false);
         G->AddCheckBox(1, 2, false, false);
       },
       1},
      {"blanks last, ascending", u"", u"a", ssAlphabetic,
       [](TAdvStringGrid* G) {
         G->SortSettings()->SetIgnoreBlanks(true);
         G->SortSettings()->SetBlankPos(blLast);
       },
       1},
      {"custom: the event decides", u"aaa", u"b", ssCustom,
       [](TAdvStringGrid* G) {
         G->OnCustomCompare = [](TObject*, const String& a, const String& b, int& Res) {
           Res = static_cast<int>(a.size()) - static_cast<int>(b.size());
         };
       },
       1},
      {"raw: the event gets the rows", u"", u"", ssRaw,
       [](TAdvStringGrid* G) {
         G->OnRawCompare = [](TObject*, int ACol, int R1, int R2, int& Res) { Res = ACol == 1 ? R2 - R1 : 0; };
       },
       1},
  };
  for (const Case& c : cases) {
    delete g;
    g = New<advgrid_test::TRecordGrid>(nullptr);
    g->SetColCount(4);
    g->SetRowCount(5);
    g->SetFixedRows(1);
    Column(1, {c.t1, c.t2});
    if (c.style != ssAutomatic)
      g->OnGetFormat = [&c](TObject*, int, TSortStyle& S, String&, String&) { S = c.style; };
    if (c.setup) c.setup(g);
    EXPECT_EQ(g->CompareCells(1, 1, 2, sdAscending), c.ascending) << c.what;
  }
}

TEST_F(AdvGridSort, BlanksStayLastInBothDirectionsAndFullDecidesTies) {
  g->SortSettings()->SetIgnoreBlanks(true);
  g->SortSettings()->SetBlankPos(blLast);
  Column(1, {u"b", u"", u"c", u"a"});
  g->Sort(1, sdAscending);
  EXPECT_EQ(ColumnText(1), "a,b,c,");
  g->Sort(1, sdDescending);
  EXPECT_EQ(ColumnText(1), "c,b,a,");

  Column(1, {u"x", u"x", u"a", u"x"});
  Column(2, {u"3", u"1", u"9", u"2"});
  g->Sort(1, sdAscending);
  EXPECT_EQ(ColumnText(2), "9,1,2,3");
  g->SortSettings()->SetFull(false);
  EXPECT_EQ(g->CompareRows(1, 2, 3), 0);
}

TEST_F(AdvGridSort, FixedAndFooterRowsNeverMoveAndHiddenColumnsTravel) {
  g->SetRowCount(7);
  g->SetFixedFooters(1);
  g->SetCellEx(1, 0, u"head");
  Column(1, {u"d", u"b", u"c", u"a", u"e", u"0"});  // row 6: the footer
  for (int r = 1; r <= 5; ++r) g->SetCellEx(3, r, g->GetCellEx(1, r) + u"!");
  g->HideColumn(3);
  g->Sort(1, sdAscending);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 0)), "head");
  EXPECT_EQ(ColumnText(1), "a,b,c,d,e,0");
  g->UnHideColumn(3);
  EXPECT_EQ(ColumnText(3), "a!,b!,c!,d!,e!,");
  EXPECT_EQ(g->RowCount(), 7);  // the scratch rows are gone
}

TEST_F(AdvGridSort, NormalCellsOnlyKeepsRowNumbersAndHiddenRowsStayOut) {
  g->SetRowCount(6);
  g->SetFixedCols(1);
  g->SortSettings()->SetNormalCellsOnly(true);
  Column(1, {u"c", u"a", u"e", u"b", u"d"});
  g->AutoNumberCol(0);
  g->HideRow(3);  // "e"
  g->Sort(1, sdAscending);
  EXPECT_EQ(ColumnText(0), "1,2,4,5");
  EXPECT_EQ(ColumnText(1), "a,b,c,d");
  g->UnHideRow(3);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 3)), "e");
}

TEST_F(AdvGridSort, FloatingFooterStaysLastAndVisible) {
  g->SetRowCount(6);
  g->FloatingFooter()->SetVisible(true);
  Column(1, {u"3", u"1", u"2", u"0", u"total"});
  g->Sort(1, sdAscending);
  EXPECT_EQ(ColumnText(1), "0,1,2,3,total");
  EXPECT_TRUE(g->FloatingFooter()->Visible());
  EXPECT_EQ(g->FixedFooters(), 1);
}

TEST_F(AdvGridSort, MoveRowOnSortFollowsTheDataAndKeepScrollKeepsTheTopRow) {
  g->SetRowCount(101);
  for (int r = 1; r <= 100; ++r) g->SetCellEx(1, r, IntToStr(1000 - r));
  g->SetRow(95);  // "905", first after sorting
  g->Navigation()->SetMoveRowOnSort(true);
  g->Sort(1, sdAscending);
  EXPECT_EQ(Utf8(g->GetCellEx(1, g->Row())), "905");
  EXPECT_EQ(g->Row(), 6);

  g->Navigation()->SetMoveRowOnSort(false);
  g->Navigation()->SetKeepScrollOnSort(true);
  g->SetRow(50);
  g->SetTopRow(40);
  const int top = g->TopRow();
  g->Sort(1, sdDescending);
  EXPECT_EQ(g->Row(), 50);
  EXPECT_EQ(g->TopRow(), top);
}

TEST_F(AdvGridSort, UnSortRestoresTheOrderAndCountsCompares) {
  Column(1, {u"c", u"a", u"d", u"b"});
  g->QUnSort();  // never sorted: nothing to undo
  EXPECT_EQ(ColumnText(1), "c,a,d,b");
  g->Compares = 0;
  g->Swaps = 0;
  g->Sort(1, sdAscending);
  EXPECT_GT(g->Compares, 0);
  EXPECT_GT(g->Swaps, 0);
  g->Sort(1, sdDescending);
  EXPECT_EQ(ColumnText(1), "d,c,b,a");
  g->QUnSort();
  EXPECT_EQ(ColumnText(1), "c,a,d,b");
  EXPECT_EQ(g->SortedRowIndex(2), 2);
}

// The rows follow the sorted keys in one permutation, with what travels with a row: its height,
// modified flag and cell objects; with SingleColumn only the sort column's cells move.
TEST_F(AdvGridSort, WhatTravelsWithARowAndSingleColumn) {
  g->SetRowCount(7);
  Column(1, {u"e", u"c", u"a", u"f", u"b", u"d"});
  Column(2, {u"5", u"3", u"1", u"6", u"2", u"4"});
  g->ShowModified()->SetEnabled(true);
  g->SetRowModified(2, true);  // "c"
  g->SetRowHeights(4, 33);     // "f"
  g->SetColors(2, 5, clRed);   // "b"
  g->Sort(1, sdAscending);
  EXPECT_EQ(ColumnText(1), "a,b,c,d,e,f");
  EXPECT_EQ(ColumnText(2), "1,2,3,4,5,6");
  for (int r = 1; r <= 6; ++r) EXPECT_EQ(g->GetRowModified(r), r == 3) << r;
  EXPECT_EQ(g->RowHeights(6), 33);
  EXPECT_EQ(g->RowHeights(4), g->DefaultRowHeight());
  EXPECT_EQ(g->GetColors(2, 2), clRed);
  const int before[] = {0, 3, 5, 2, 6, 1, 4};  // where each row was
  for (int r = 0; r <= 6; ++r) EXPECT_EQ(g->SortedRowIndex(r), before[r]) << r;
  g->QUnSort();
  EXPECT_EQ(ColumnText(1), "e,c,a,f,b,d");
  EXPECT_EQ(g->RowHeights(4), 33);

  g->SortSettings()->SetSingleColumn(true);
  g->Sort(1, sdDescending);
  EXPECT_EQ(ColumnText(1), "f,e,d,c,b,a");
  EXPECT_EQ(ColumnText(2), "5,3,1,6,2,4");  // stays
  EXPECT_EQ(g->RowHeights(4), 33);
}

// Rows go back in one permutation: every exchange puts a row in its place.
TEST_F(AdvGridSort, UnSortOfManyRowsTakesFewerSwapsThanRows) {
  const int n = 1000;
  g->SetRowCount(n + 1);
  for (int r = 1; r <= n; ++r) g->SetCellEx(1, r, IntToStr(static_cast<int>((r * 7919u) % 1009u)));
  const std::string before = ColumnText(1);
  g->Sort(1, sdDescending);
  ASSERT_NE(ColumnText(1), before);
  g->Swaps = 0;
  g->QUnSort();
  EXPECT_EQ(ColumnText(1), before);
  EXPECT_LT(g->Swaps, n);
  for (int r = 0; r <= n; ++r) ASSERT_EQ(g->SortedRowIndex(r), r);
}

// Each cell is read once per sort; what the sort leaves is in order by the comparison of two
// cells (CompareRows), in both directions, for every style that reads the texts.
TEST_F(AdvGridSort, SortedRowsAreInOrderByTheComparisonOfTwoCells) {
  struct Case {
    const char* what;
    TSortStyle style;  // through OnGetFormat; ssAutomatic leaves the detection
    std::vector<const char16_t*> texts;
    std::function<void(TAdvStringGrid*)> setup;
  };
  const std::vector<Case> cases = {
      {"automatic numbers", ssAutomatic, {u"10", u"9", u"-3", u"2,5", u"100", u"0,5", u"7", u"9"}, nullptr},
      {"automatic dates", ssAutomatic, {u"12/05/2020", u"03/01/2021", u"01/01/2019", u"31/12/2020", u"03/01/2021"},
       nullptr},
      {"automatic words", ssAutomatic, {u"pear", u"Apple", u"fig", u"apple", u"Fig"}, nullptr},
      {"automatic, ignoring case", ssAutomatic, {u"pear", u"Apple", u"fig", u"apple", u"Fig"},
       [](TAdvStringGrid* G) { G->SortSettings()->SetIgnoreCase(true); }},
      {"numeric with prefix and suffix", ssNumeric, {u"$12 kg", u"$3 kg", u"x", u"", u"$-1 kg", u"$100 kg"},
       [](TAdvStringGrid* G) {
         G->OnGetFormat = [](TObject*, int, TSortStyle& S, String& P, String& Q) {
           S = ssNumeric;
           P = u"$";
           Q = u" kg";
         };
       }},
      {"financial", ssFinancial, {u"1.234,5", u"999", u"12.000", u"-1,5", u"0"}, nullptr},
      {"alpha numeric", ssAlphaNumeric, {u"10", u"9", u"8", u"100"}, nullptr},
      {"html", ssHTML, {u"<b>c</b>", u"a", u"<i>b</i>", u"ab"}, nullptr},
      {"time", ssTime, {u"10:00:00", u"9:30:00", u"23:59:00", u"00:01:00"}, nullptr},
      {"short date US", ssShortDateUS, {u"02/01/2020", u"01/02/2020", u"12/31/2019", u"13/45/2020"}, nullptr},
      {"custom", ssCustom, {u"aaa", u"b", u"cc", u"dddd", u""},
       [](TAdvStringGrid* G) {
         G->OnCustomCompare = [](TObject*, const String& a, const String& b, int& Res) {
           Res = static_cast<int>(a.size()) - static_cast<int>(b.size());
         };
       }},
      {"blanks last", ssAlphabetic, {u"b", u"", u"a", u"", u"c"},
       [](TAdvStringGrid* G) {
         G->SortSettings()->SetIgnoreBlanks(true);
         G->SortSettings()->SetBlankPos(blLast);
       }},
      {"check boxes", ssAutomatic, {u"", u"", u"", u"", u""},
       [](TAdvStringGrid* G) {
         for (int r = 1; r <= 5; ++r) G->AddCheckBox(1, r, r % 2 == 0, false);
       }},
  };
  for (const Case& c : cases) {
    for (TSortDirection dir : {sdAscending, sdDescending}) {
      delete g;
      g = New<advgrid_test::TRecordGrid>(nullptr);
      const int n = static_cast<int>(c.texts.size());
      g->SetColCount(3);
      g->SetRowCount(n + 1);
      g->SetFixedRows(1);
      for (int r = 1; r <= n; ++r) {
        g->SetCellEx(1, r, c.texts[static_cast<size_t>(r - 1)]);
        g->SetCellEx(2, r, IntToStr(n - r));
      }
      if (c.style != ssAutomatic)
        g->OnGetFormat = [&c](TObject*, int, TSortStyle& S, String&, String&) { S = c.style; };
      if (c.setup) c.setup(g);
      std::vector<std::string> texts;
      for (int r = 1; r <= n; ++r) texts.push_back(Utf8(g->GetCellEx(1, r)));
      g->Sort(1, dir);
      std::vector<std::string> after;
      for (int r = 1; r <= n; ++r) after.push_back(Utf8(g->GetCellEx(1, r)));
      std::sort(texts.begin(), texts.end());
      std::sort(after.begin(), after.end());
      EXPECT_EQ(after, texts) << c.what;
      for (int r = 1; r < n; ++r)
        EXPECT_NE(g->CompareRows(1, r, r + 1), g->SortDir) << c.what << (dir == sdAscending ? " up" : " down") << ", rows "
                                                           << r << "/" << r + 1 << ": " << ColumnText(1);
    }
  }
}

// Numbers compare by the values the general reading gives them (the first decimal separator as
// ".", then strtod), plain ones read on a shorter path included: one comparison per pair of
// texts, and a sorted column in order by those values.
TEST_F(AdvGridSort, NumbersHaveTheValuesOfTheGeneralReading) {
  const std::vector<const char16_t*> texts = {u"5,",
                                              u",5",
                                              u"0,5",
                                              u"0,50",
                                              u"-0",
                                              u"0",
                                              u"+5",
                                              u"-,5",
                                              u"0,1",
                                              u"0,10000000000001",
                                              u"0,1000000000000001",
                                              u"123456789012345",
                                              u"123456789012346",
                                              u"1234567890123456",
                                              u"1234567890123457",
                                              u" 7",
                                              u"1e2",
                                              u"1,2,3",
                                              u"-12,75",
                                              u"x",
                                              u"",
                                              u"99,99",
                                              u"100"};
  auto value = [](const char16_t* T) {
    std::string a = Utf8(T);
    const size_t p = a.find(',');
    if (p != std::string::npos) a[p] = '.';
    return std::strtod(a.c_str(), nullptr);
  };
  g->OnGetFormat = [](TObject*, int, TSortStyle& S, String&, String&) { S = ssNumeric; };
  for (const char16_t* a : texts)
    for (const char16_t* b : texts) {
      Column(1, {a, b});
      const double va = value(a), vb = value(b);
      EXPECT_EQ(g->CompareCells(1, 1, 2, sdAscending), va < vb ? -1 : (va > vb ? 1 : 0)) << Utf8(a) << " / " << Utf8(b);
    }
  const int n = static_cast<int>(texts.size());
  g->SetRowCount(n + 1);
  for (int r = 1; r <= n; ++r) g->SetCellEx(1, r, texts[static_cast<size_t>(r - 1)]);
  g->Sort(1, sdAscending);
  for (int r = 1; r < n; ++r)
    EXPECT_LE(value(g->GetCellEx(1, r).c_str()), value(g->GetCellEx(1, r + 1).c_str())) << ColumnText(1);
}

// A grid keeps its sort buffers from one sort to the next: what a sort leaves does not depend on
// the sorts before it (longer texts, more rows, another column).
TEST_F(AdvGridSort, ASortAfterOthersLeavesWhatAFirstSortLeaves) {
  auto fill = [](TAdvStringGrid* G, int Rows, int Seed) {
    G->SetColCount(4);
    G->SetRowCount(Rows + 1);
    G->SetFixedRows(1);
    for (int r = 1; r <= Rows; ++r) {
      const unsigned h = static_cast<unsigned>(r + Seed) * 2654435761u;
      G->SetCellEx(1, r, String(static_cast<size_t>(1 + h % 23), static_cast<Char>(u'a' + (h >> 8) % 3)));
      G->SetCellEx(2, r, IntToStr(static_cast<int>((h >> 12) % 7)) + u"," + IntToStr(static_cast<int>(h % 10)));
      G->SetCellEx(3, r, IntToStr(static_cast<int>((h >> 16) % 28) + 1) + u"/01/2020");
    }
  };
  auto rows = [](TAdvStringGrid* G) {
    std::vector<std::string> out;
    for (int r = 1; r < G->RowCount(); ++r)
      out.push_back(Utf8(G->GetCellEx(1, r) + u"|" + G->GetCellEx(2, r) + u"|" + G->GetCellEx(3, r)));
    return out;
  };
  fill(g, 150, 1);
  g->Sort(1, sdDescending);
  g->Sort(3, sdAscending);
  g->QUnSort();
  fill(g, 400, 2);  // more rows, other texts
  g->Sort(2, sdAscending);
  auto* fresh = New<TAdvStringGrid>(nullptr);
  fill(fresh, 400, 2);
  fresh->Sort(2, sdAscending);
  EXPECT_EQ(rows(g), rows(fresh));
  g->QUnSort();
  fresh->QUnSort();
  EXPECT_EQ(rows(g), rows(fresh));
  delete fresh;
}

// The style of a column is asked for once per sort, not on every comparison.
TEST_F(AdvGridSort, TheFormatHookIsAskedOncePerColumn) {
  const int n = 500;
  g->SetRowCount(n + 1);
  for (int r = 1; r <= n; ++r) {
    g->SetCellEx(1, r, IntToStr(r % 10));
    g->SetCellEx(2, r, IntToStr(r % 7));
  }
  std::vector<int> asked(4, 0);
  g->OnGetFormat = [&](TObject*, int ACol, TSortStyle&, String&, String&) { ++asked[static_cast<size_t>(ACol)]; };
  g->Sort(1, sdAscending);
  EXPECT_EQ(asked[1], 1);
  EXPECT_LE(asked[2], 1);
  EXPECT_LE(asked[3], 1);
  for (int r = 1; r < n; ++r) ASSERT_NE(g->CompareRows(1, r, r + 1), 1) << r;
}

TEST_F(AdvGridSort, IndexedSortOnTwoKeysAndItsEmptyIndexError) {
  Column(1, {u"b", u"a", u"b", u"a"});
  Column(2, {u"1", u"2", u"3", u"4"});
  try {
    g->QSortIndexed();
    ADD_FAILURE() << "no error";
  } catch (const EAdvGridError& e) {
    EXPECT_EQ(Utf8(e.Message()), "No indexes specified for indexed sort");
  }
  EXPECT_EQ(ColumnText(1), "b,a,b,a");
  g->SortIndexes()->AddIndex(1, true);
  g->SortIndexes()->AddIndex(2, false);
  g->QSortIndexed();
  EXPECT_EQ(ColumnText(1), "a,a,b,b");
  EXPECT_EQ(ColumnText(2), "4,2,3,1");
  EXPECT_EQ(g->SortIndexes()->Count(), 2);  // kept
}

TEST_F(AdvGridSort, SettingsFromText) {
  struct Case {
    const char16_t* text;
    const char* col1;
    const char* col2;
    bool raises;
  };
  const Case cases[] = {
      {u"d3", "b,a,b,a", "1,1,2,2", false},  // column 3 descending: 4 3 2 1
      {u"i;u1;d2", "a,a,b,b", "2,1,2,1", false},
      {u"", "b,b,a,a", "2,1,2,1", false},
      {u"x", "b,b,a,a", "2,1,2,1", true},
  };
  for (const Case& c : cases) {
    Column(1, {u"b", u"b", u"a", u"a"});
    Column(2, {u"2", u"1", u"2", u"1"});
    Column(3, {u"1", u"2", u"3", u"4"});
    if (c.raises) {
      try {
        g->SortSettings()->LoadFromString(c.text);
        ADD_FAILURE() << Utf8(c.text);
      } catch (const EAdvGridError& e) {
        EXPECT_EQ(Utf8(e.Message()), "Invalid sort settings specifier");
      }
    } else {
      g->SortSettings()->LoadFromString(c.text);
    }
    if (std::u16string(c.text) == u"d3") {
      EXPECT_EQ(ColumnText(3), "4,3,2,1");
      EXPECT_EQ(Utf8(g->SortSettings()->SaveToString()), "d3");
      continue;
    }
    EXPECT_EQ(ColumnText(1), c.col1) << Utf8(c.text);
    EXPECT_EQ(ColumnText(2), c.col2) << Utf8(c.text);
  }
  g->SortSettings()->LoadFromString(u"i;u1;d2");
  EXPECT_EQ(Utf8(g->SortSettings()->SaveToString()), "i;u1;d2");
}

TEST_F(AdvGridSort, SettingsRowAssignRemoveAndToggle) {
  try {
    g->SortSettings()->SetRow(2);
    ADD_FAILURE() << "no error";
  } catch (const EAdvGridError& e) {
    EXPECT_EQ(Utf8(e.Message()), "Sort row should be smaller than number of fixed rows");
  }
  TSortSettings other;
  other.SetColumn(2);
  other.SetFull(false);
  other.SetBlankPos(blLast);
  other.SetIgnoreCase(true);
  other.SetSortOnVirtualCells(false);
  g->SortSettings()->Assign(&other);
  EXPECT_EQ(g->SortSettings()->Column(), 2);
  EXPECT_FALSE(g->SortSettings()->Full());
  EXPECT_EQ(g->SortSettings()->BlankPos(), blLast);
  EXPECT_FALSE(g->SortSettings()->IgnoreCase());
  EXPECT_TRUE(g->SortSettings()->SortOnVirtualCells());
  g->SortSettings()->ToggleDirection();
  EXPECT_EQ(g->SortSettings()->Direction(), sdDescending);
  g->SortIndexes()->AddIndex(1, true);
  g->SortSettings()->Remove();
  EXPECT_EQ(g->SortSettings()->Column(), -1);
  EXPECT_EQ(g->SortIndexes()->Count(), 0);
}

TEST_F(AdvGridSort, ARaisingSortRestoresTheGrid) {
  g->SetRowCount(40);
  g->SetFixedCols(1);
  g->SortSettings()->SetNormalCellsOnly(true);
  g->Navigation()->SetKeepScrollOnSort(true);
  g->FloatingFooter()->SetVisible(true);
  for (int r = 1; r <= 38; ++r) g->SetCellEx(1, r, IntToStr(r % 7));
  g->AutoNumberCol(0);
  const std::string numbers = ColumnText(0);
  g->SetTopRow(10);
  const int top = g->TopRow();
  int calls = 0;
  g->OnGetFormat = [](TObject*, int, TSortStyle& S, String&, String&) { S = ssRaw; };
  g->OnRawCompare = [&](TObject*, int, int R1, int R2, int& Res) {
    if (++calls == 50) throw std::runtime_error("compare failed");
    Res = CompareStr(g->GetCellEx(1, R1), g->GetCellEx(1, R2));
  };
  EXPECT_THROW(g->Sort(1, sdAscending), std::runtime_error);
  EXPECT_EQ(ColumnText(0), numbers);
  EXPECT_EQ(g->TopRow(), top);
  EXPECT_TRUE(g->FloatingFooter()->Visible());
  EXPECT_EQ(g->FixedFooters(), 1);
  EXPECT_EQ(g->UpdateCount(), 0);
  EXPECT_EQ(g->RowCount(), 40);
}

TEST_F(AdvGridSort, SortLineSortByColumnAndPictures) {
  Column(1, {u"b", u"a", u"a", u"c"});
  Column(2, {u"1", u"2", u"1", u"0"});
  g->SortSettings()->SetDirection(sdAscending);
  g->SortDir = 1;
  EXPECT_TRUE(g->SortLine(1, 1, 2));  // b after a: swapped
  EXPECT_EQ(ColumnText(1), "a,b,a,c");
  EXPECT_FALSE(g->SortLine(1, 1, 2));
  EXPECT_TRUE(g->SortLine(1, 2, 3));  // b after a
  EXPECT_TRUE(g->SortLine(1, 1, 2));  // a/2 after a/1: the next column decides
  EXPECT_EQ(ColumnText(2), "1,2,1,0");

  g->SortByColumn(2);
  EXPECT_EQ(ColumnText(2), "0,1,1,2");

  // Pictures sort by the order in which they were made.
  TBitmap first, second;
  for (int r = 1; r <= 4; ++r) g->SetCellEx(3, r, IntToStr(r));
  g->CreateCellGraphic(3, 1)->SetCellType(ctBitmap);
  g->GetCellGraphic(3, 1)->SetCellBitmap(&second);
  g->CreateCellGraphic(3, 2)->SetCellType(ctBitmap);
  g->GetCellGraphic(3, 2)->SetCellBitmap(&first);
  g->OnGetFormat = [](TObject*, int, TSortStyle& S, String&, String&) { S = ssImages; };
  g->SortSettings()->SetFull(false);
  g->Sort(3, sdAscending);
  // Rows without a picture (key -1) first, then the earlier picture, then the later one.
  EXPECT_EQ(ColumnText(3).substr(4), "2,1");
  ASSERT_NE(g->GetCellGraphic(3, 3), nullptr);
  EXPECT_EQ(g->GetCellGraphic(3, 3)->CellBitmap(), &first);  // the object travelled with its row
  g->RemoveCellGraphic(3, 3);
  g->RemoveCellGraphic(3, 4);
}

TEST_F(AdvGridSort, GroupSortSortsInsideExpandedNodesOfTheDeepestLevel) {
  g->SetRowCount(9);
  Column(1, {u"G1", u"c", u"a", u"b", u"G2", u"z", u"y", u"x"});
  g->AddNode(1, 4);
  g->AddNode(5, 4);
  g->ContractNode(5);
  g->SortSettings()->SetColumn(1);
  g->QSortGroup();
  EXPECT_EQ(ColumnText(1), "G1,a,b,c,G2");
  g->ExpandNode(5);
  EXPECT_EQ(ColumnText(1), "G1,a,b,c,G2,z,y,x");  // contracted while sorting: untouched
  g->SortIndexes()->AddIndex(1, false);
  g->QSortGroupIndexed();
  EXPECT_EQ(ColumnText(1), "G1,c,b,a,G2,z,y,x");

  g->SetRowCount(10);
  g->FloatingFooter()->SetVisible(true);
  g->SetCellEx(1, 9, u"total");
  g->QSortGroup();
  EXPECT_EQ(ColumnText(1), "G1,a,b,c,G2,x,y,z,total");
}

// ---- the order a sort leaves ------------------------------------------------------------------

// The partition of the grid's sorts as a model over the row numbers of an unsorted copy, comparing
// with the copy's CompareRows (CompareRowsIndexed), including the merge sort that finishes a range
// its pivots keep failing on: where each row goes, ties included.
std::vector<int> ModelSort(TAdvStringGrid* Ref, int Left, int Right, bool Indexed, int Col, int Greater) {
  std::vector<int> rows;
  for (int r = Left; r <= Right; ++r) rows.push_back(r);
  int pivot = 0;
  auto at = [&](int P) { return P < 0 ? pivot : rows[static_cast<size_t>(P - Left)]; };
  auto cmp = [&](int P1, int P2) {
    return Indexed ? Ref->CompareRowsIndexed(at(P1), at(P2)) : Ref->CompareRows(Col, at(P1), at(P2));
  };
  auto swap = [&](int A, int B) {
    std::swap(rows[static_cast<size_t>(A - Left)], rows[static_cast<size_t>(B - Left)]);
  };
  auto stable = [&](int L, int R) {
    std::vector<int> order;
    for (int p = L; p <= R; ++p) order.push_back(p);
    std::stable_sort(order.begin(), order.end(), [&](int A, int B) { return cmp(A, B) == -Greater; });
    std::vector<int> moved;
    for (int p : order) moved.push_back(at(p));
    std::copy(moved.begin(), moved.end(), rows.begin() + (L - Left));
  };
  int budget = 2;
  for (int n = Right - Left + 1; n > 1; n >>= 4) ++budget;
  std::function<void(int, int, int)> part = [&](int L, int R, int Budget) {
    if (L >= R) return;
    if (Budget < 0) return stable(L, R);
    pivot = at((L + R) / 2);
    int i = L, j = R;
    do {
      while (cmp(-1, i) == Greater && i < R) ++i;
      while (cmp(j, -1) == Greater && j > L) --j;
      if (i <= j) {
        if (i != j && (Indexed || cmp(i, j) != 0)) swap(i, j);
        ++i;
        --j;
      }
    } while (i <= j);
    if (std::min(j - L, R - i) + 1 < (R - L + 1) / 8) --Budget;
    part(L, j, Budget);
    part(i, R, Budget);
  };
  part(Left, Right, budget);
  return rows;
}

// Every sort leaves its rows where the partition over the cells' comparison puts them, ties in the
// partition's order, with the comparisons it counts: by one column with and without Full, in both
// directions, with blanks placed, by an index, and over columns whose style changes between rows.
TEST(AdvGridSortOrder, RowsGoWhereThePartitionOverTheCellComparisonPutsThem) {
  TFormatSettings saved = FormatSettings();
  FormatSettings() = FormatSettingsFromLocale("C");
  FormatSettings().DecimalSeparator = u',';
  FormatSettings().DateSeparator = u'/';
  FormatSettings().ShortDateFormat = u"dd/mm/yyyy";
  struct Case {
    const char* what;
    int col;  // -1: the index (column 2 descending, then 1 ascending)
    TSortDirection dir;
    bool full;
    std::function<void(TAdvStringGrid*)> setup;
  };
  const auto blanks = [](TSortBlankPosition Pos, bool NoCase) {
    return [=](TAdvStringGrid* G) {
      G->SortSettings()->SetIgnoreBlanks(true);
      G->SortSettings()->SetBlankPos(Pos);
      G->SortSettings()->SetAutoFormat(!NoCase);
      G->SortSettings()->SetIgnoreCase(NoCase);
    };
  };
  const Case cases[] = {
      {"numbers, ties on the next columns", 1, sdAscending, true, nullptr},
      {"numbers, ties left to the partition", 1, sdDescending, false, nullptr},
      {"dates", 4, sdAscending, false, nullptr},
      {"words, blanks last", 2, sdDescending, true, blanks(blLast, false)},
      {"words without case, blanks first", 2, sdAscending, false, blanks(blFirst, true)},
      {"by the index", -1, sdAscending, true, nullptr},
      {"by the index, first entry only", -1, sdAscending, false, nullptr},
      {"a column of numbers, dates and words", 3, sdAscending, true, nullptr},
      {"numbers as text", 1, sdAscending, true,
       [](TAdvStringGrid* G) {
         G->OnGetFormat = [](TObject*, int, TSortStyle& S, String&, String&) { S = ssAlphabetic; };
       }},
      {"an organ pipe of decimals, ties on the next columns", 1, sdAscending, true,
       [](TAdvStringGrid* G) {
         const int rows = G->RowCount() - 1;
         for (int r = 1; r <= rows; ++r) {
           const int v = r <= rows / 2 ? r : rows + 1 - r;
           G->SetCellEx(1, r, IntToStr(v / 10) + u"," + IntToStr(v % 10));
         }
       }},
      {"every cell equal", 2, sdDescending, true,
       [](TAdvStringGrid* G) {
         for (int r = 1; r < G->RowCount(); ++r)
           for (int c = 1; c < G->ColCount(); ++c) G->SetCellEx(c, r, u"7");
       }},
      {"few distinct dates, ties on the next columns", 1, sdDescending, true,
       [](TAdvStringGrid* G) {
         const char16_t* const dates[] = {u"03/01/2021", u"12/05/2020", u"01/01/2019"};
         for (int r = 1; r < G->RowCount(); ++r) G->SetCellEx(1, r, dates[r % 3]);
       }},
  };
  const char16_t* const words[] = {u"b", u"a", u"B", u"", u"c", u"a"};
  const char16_t* const mixed[] = {u"7", u"01/02/2020", u"x", u"12/01/2019", u"10", u"", u"2,5"};
  const int n = 120;
  auto make = [&](const Case& c) {
    auto* g = New<TAdvStringGrid>(nullptr);
    g->SetColCount(5);
    g->SetRowCount(n + 1);
    g->SetFixedRows(1);
    unsigned x = 12345;
    auto next = [&](unsigned Mod) {
      x = x * 1103515245u + 12345u;
      return (x >> 16) % Mod;
    };
    for (int r = 1; r <= n; ++r) {
      g->SetCellEx(1, r, IntToStr(static_cast<int>(next(5))));
      g->SetCellEx(2, r, words[next(6)]);
      g->SetCellEx(3, r, mixed[next(7)]);
      g->SetCellEx(
          4, r, IntToStr(10 + static_cast<int>(next(3))) + u"/0" + IntToStr(1 + static_cast<int>(next(2))) + u"/2020");
    }
    g->SortSettings()->SetFull(c.full);
    g->SortSettings()->SetDirection(c.dir);
    g->SortIndexes()->AddIndex(2, false);
    g->SortIndexes()->AddIndex(1, true);
    if (c.setup) c.setup(g);
    return std::unique_ptr<TAdvStringGrid>(g);
  };
  for (const Case& c : cases) {
    auto g = make(c), ref = make(c);
    const bool indexed = c.col < 0;
    const std::vector<int> expected =
        ModelSort(ref.get(), 1, n, indexed, c.col, indexed ? 1 : (c.dir == sdAscending ? 1 : -1));
    g->Compares = 0;
    if (indexed) {
      g->QSortIndexed();
    } else {
      g->Sort(c.col, c.dir);
    }
    std::vector<int> rows;
    for (int r = 1; r <= n; ++r) rows.push_back(g->SortedRowIndex(r));
    EXPECT_EQ(rows, expected) << c.what;
    EXPECT_EQ(g->Compares, ref->Compares) << c.what;
  }
  FormatSettings() = saved;
}

// ---- depth ------------------------------------------------------------------------------------

// Runs Body on a thread whose stack is 256 KiB.
void RunOnSmallStack(const std::function<void()>& Body) {
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, 256 * 1024);
  auto* fn = new std::function<void()>(Body);
  pthread_t t;
  ASSERT_EQ(pthread_create(
                &t, &attr,
                [](void* p) -> void* {
                  std::unique_ptr<std::function<void()>> f(static_cast<std::function<void()>*>(p));
                  (*f)();
                  return nullptr;
                },
                fn),
            0);
  pthread_join(t, nullptr);
  pthread_attr_destroy(&attr);
}

// The partition takes the middle row as its pivot, which for an organ pipe (largest value in
// the middle) splits off one row per level: such a range is finished by a merge sort, so the
// comparisons stay near n log n and the depth low, by the keys and by a raw compare event alike.
TEST(AdvGridSortDepth, SortedReversedAndOrganPipeColumnsOnASmallStack) {
  struct Case {
    const char* what;
    bool raw;
    std::function<int(int, int)> value;  // of row r of n
  };
  const auto organPipe = [](int r, int n) { return r < n / 2 ? r : n - r; };
  const Case cases[] = {
      {"sorted", true, [](int r, int) { return r; }},
      {"reversed", true, [](int r, int n) { return n - r; }},
      {"organ pipe", true, organPipe},
      {"organ pipe, keys", false, organPipe},
  };
  const int n = 100000;
  for (const Case& c : cases) {
    auto* g = New<TAdvStringGrid>(nullptr);
    g->SetColCount(2);
    g->SetRowCount(n + 1);
    for (int r = 0; r < n; ++r) g->SetCellEx(1, r + 1, IntToStr(c.value(r, n)));
    if (c.raw) {
      g->OnGetFormat = [](TObject*, int, TSortStyle& S, String&, String&) { S = ssRaw; };
      g->OnRawCompare = [&](TObject*, int, int R1, int R2, int& Res) {
        const int a = StrToInt(g->GetCellEx(1, R1)), b = StrToInt(g->GetCellEx(1, R2));
        Res = a < b ? -1 : (a > b ? 1 : 0);
      };
    }
    g->Compares = 0;
    bool sorted = false;
    RunOnSmallStack([&] {
      g->Sort(1, sdAscending);
      sorted = true;
    });
    ASSERT_TRUE(sorted) << c.what;
    EXPECT_LT(g->Compares, 100 * n) << c.what;  // the middle pivot alone would take some 2.5e9
    int previous = -1;
    for (int r = 1; r <= n; ++r) {
      const int v = StrToInt(g->GetCellEx(1, r));
      ASSERT_LE(previous, v) << c.what << " row " << r;
      previous = v;
    }
    delete g;
  }
}

}  // namespace
