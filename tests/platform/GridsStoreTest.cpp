#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Grids.h"
#include "tests/support/Utf8Text.h"

namespace {

struct MoveLog {
  std::vector<std::pair<int, int>> columns, rows;
};

TStringGrid* MakeGrid(MoveLog* log = nullptr) {
  auto* g = New<TStringGrid>(nullptr);
  g->SetScrollBars(ssNone);
  if (log) {
    g->OnColumnMoved = [log](TObject*, int f, int t) { log->columns.emplace_back(f, t); };
    g->OnRowMoved = [log](TObject*, int f, int t) { log->rows.emplace_back(f, t); };
  }
  return g;
}

TEST(GridsStoreTest, CellsBeyondTheCountsAreKeptThroughCountChanges) {
  std::unique_ptr<TStringGrid> g(MakeGrid());
  g->SetRowCount(10);
  TObject obj;
  g->SetCells(3, 2000, u"far");
  g->SetCells(7, 1, u"hidden col");  // ColCount is 5
  g->SetObjects(9, 4, &obj);
  g->SetRowCount(5);
  EXPECT_EQ(Utf8(g->Cells(3, 2000)), "far");
  g->SetRowCount(10);
  g->SetColCount(2);
  g->SetColCount(5);
  EXPECT_EQ(Utf8(g->Cells(3, 2000)), "far");
  EXPECT_EQ(Utf8(g->Cells(7, 1)), "hidden col");
  EXPECT_EQ(g->Objects(9, 4), &obj);
  // Text and object of a cell are independent: clearing one keeps the other.
  g->SetCells(9, 4, u"t");
  g->SetObjects(9, 4, nullptr);
  EXPECT_EQ(Utf8(g->Cells(9, 4)), "t");
  g->SetObjects(9, 4, &obj);
  g->SetCells(9, 4, u"");
  EXPECT_EQ(g->Objects(9, 4), &obj);
  // Empty cells are not stored.
  g->SetObjects(9, 4, nullptr);
  EXPECT_EQ(g->StoredCellCount(), 2u);
}

TEST(GridsStoreTest, NegativeIndicesReadEmptyAndRefuseWrites) {
  std::unique_ptr<TStringGrid> g(MakeGrid());
  EXPECT_EQ(Utf8(g->Cells(-1, 0)), "");
  EXPECT_EQ(g->Objects(0, -3), nullptr);
  EXPECT_THROW(g->SetCells(-1, 0, u"x"), EInvalidGridOperation);
  EXPECT_THROW(g->SetObjects(0, -1, nullptr), EInvalidGridOperation);
}

TEST(GridsStoreTest, CountsKeepFixedCountsBelowThem) {
  std::unique_ptr<TStringGrid> g(MakeGrid());
  ASSERT_EQ(g->FixedRows(), 1);
  g->SetRowCount(1);
  EXPECT_EQ(g->FixedRows(), 0);
  g->SetColCount(1);
  EXPECT_EQ(g->FixedCols(), 0);
  g->SetRowCount(0);  // raised to the minimum
  EXPECT_EQ(g->RowCount(), 1);

  g->SetRowCount(4);
  g->SetColCount(3);
  try {
    g->SetFixedRows(4);
    FAIL() << "no exception";
  } catch (const EInvalidGridOperation& e) {
    EXPECT_EQ(Utf8(e.Message()), "Fixed row count must be less than row count");
  }
  EXPECT_THROW(g->SetFixedCols(3), EInvalidGridOperation);
  g->SetFixedRows(3);
  g->SetFixedCols(2);
  EXPECT_EQ(g->Row(), 3);  // the current cell moves out of the fixed area
  EXPECT_EQ(g->Col(), 2);
}

class SizeSpy : public TStringGrid {
 public:
  using TStringGrid::TStringGrid;
  std::vector<std::pair<int, int>> sizes;
  int colWidthsChanged = 0, rowHeightsChanged = 0;

 protected:
  void SizeChanged(int c, int r) override { sizes.emplace_back(c, r); }
  void ColWidthsChanged() override { ++colWidthsChanged; TStringGrid::ColWidthsChanged(); }
  void RowHeightsChanged() override { ++rowHeightsChanged; TStringGrid::RowHeightsChanged(); }
};

TEST(GridsStoreTest, SizeAndExtentNotifications) {
  std::unique_ptr<SizeSpy> g(New<SizeSpy>(nullptr));
  g->SetColCount(8);
  g->SetRowCount(3);
  g->SetRowCount(3);  // unchanged: no call
  ASSERT_EQ(g->sizes.size(), 2u);
  EXPECT_EQ(g->sizes[0], std::make_pair(5, 5));
  EXPECT_EQ(g->sizes[1], std::make_pair(8, 5));

  g->SetColWidths(2, 90);
  EXPECT_EQ(g->ColWidths(2), 90);
  EXPECT_EQ(g->colWidthsChanged, 1);
  g->SetRowHeights(1, 40);
  EXPECT_EQ(g->rowHeightsChanged, 1);
  // The default extent resets every column (row).
  g->SetDefaultColWidth(30);
  EXPECT_EQ(g->ColWidths(2), 30);
  g->SetDefaultRowHeight(18);
  EXPECT_EQ(g->RowHeights(1), 18);
  EXPECT_THROW(g->SetColWidths(8, 10), EInvalidGridOperation);
}

TEST(GridsStoreTest, DeleteRowMovesTheRowsBelowWithObjectsAndHeights) {
  MoveLog log;
  std::unique_ptr<TStringGrid> g(MakeGrid(&log));
  g->SetRowCount(6);
  TObject objs[6];
  for (int r = 0; r < 6; ++r) {
    g->SetCells(1, r, u"r" + IntToStr(r));
    g->SetCells(6, r, u"h" + IntToStr(r));  // beyond ColCount
    g->SetObjects(2, r, &objs[r]);
    g->SetRowHeights(r, 20 + r);
  }
  g->DeleteRow(2);
  ASSERT_EQ(g->RowCount(), 5);
  const int from[] = {0, 1, 3, 4, 5};
  for (int r = 0; r < 5; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(Utf8(g->Cells(1, r)), "r" + std::to_string(from[r]));
    EXPECT_EQ(Utf8(g->Cells(6, r)), "h" + std::to_string(from[r]));
    EXPECT_EQ(g->Objects(2, r), &objs[from[r]]);
    EXPECT_EQ(g->RowHeights(r), 20 + from[r]);
  }
  // The deleted row does not come back when the count grows again.
  g->SetRowCount(6);
  EXPECT_EQ(Utf8(g->Cells(1, 5)), "");
  EXPECT_EQ(g->Objects(2, 5), nullptr);
}

TEST(GridsStoreTest, MoveColumnShiftsCellsObjectsAndWidths) {
  MoveLog log;
  std::unique_ptr<TStringGrid> g(MakeGrid(&log));
  g->SetColCount(6);
  TObject objs[6];
  for (int c = 0; c < 6; ++c) {
    g->SetCells(c, 2, u"c" + IntToStr(c));
    g->SetObjects(c, 3, &objs[c]);
    g->SetColWidths(c, 40 + c);
  }
  g->MoveColumn(4, 1);
  const int from[] = {0, 4, 1, 2, 3, 5};
  for (int c = 0; c < 6; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(Utf8(g->Cells(c, 2)), "c" + std::to_string(from[c]));
    EXPECT_EQ(g->Objects(c, 3), &objs[from[c]]);
    EXPECT_EQ(g->ColWidths(c), 40 + from[c]);
  }
  ASSERT_EQ(log.columns.size(), 1u);
  EXPECT_EQ(log.columns[0], std::make_pair(4, 1));

  // And back the other way, with the row move too.
  g->MoveColumn(1, 4);
  for (int c = 0; c < 6; ++c) EXPECT_EQ(Utf8(g->Cells(c, 2)), "c" + std::to_string(c));
  g->MoveRow(3, 1);
  EXPECT_EQ(g->Objects(0, 1), &objs[0]);
  EXPECT_EQ(Utf8(g->Cells(0, 3)), "c0");
  ASSERT_EQ(log.rows.size(), 1u);
  EXPECT_EQ(log.rows[0], std::make_pair(3, 1));
}

TEST(GridsStoreTest, DeleteColumnKeepsCellsBeyondTheCount) {
  std::unique_ptr<TStringGrid> g(MakeGrid());
  for (int c = 0; c < 7; ++c) g->SetCells(c, 1, u"c" + IntToStr(c));
  g->DeleteColumn(1);
  ASSERT_EQ(g->ColCount(), 4);
  const char* expect[] = {"c0", "c2", "c3", "c4", "", "c5", "c6"};
  for (int c = 0; c < 7; ++c) EXPECT_EQ(Utf8(g->Cells(c, 1)), expect[c]) << c;
}

TEST(GridsStoreTest, RowAndColumnViewsReadAndWriteThrough) {
  std::unique_ptr<TStringGrid> g(MakeGrid());
  TObject a;
  g->SetCells(1, 2, u"x");
  g->SetObjects(1, 2, &a);
  g->SetCells(6, 2, u"beyond");  // not part of the row view
  TStrings* row = g->Rows(2);
  ASSERT_EQ(row->Count(), 5);
  EXPECT_EQ(Utf8(row->Strings(1)), "x");
  EXPECT_EQ(row->Objects(1), &a);
  EXPECT_EQ(g->Cols(1)->Count(), 5);
  EXPECT_EQ(Utf8(g->Cols(1)->Strings(2)), "x");

  row->SetStrings(3, u"y");
  EXPECT_EQ(Utf8(g->Cells(3, 2)), "y");
  // An entry written from another entry of the same row (the store grows under it).
  row->SetStrings(0, row->Strings(1) + u"");
  row->SetStrings(2, row->Strings(3));
  row->SetStrings(4, row->Strings(1));
  EXPECT_EQ(Utf8(g->Cells(0, 2)), "x");
  EXPECT_EQ(Utf8(g->Cells(2, 2)), "y");
  EXPECT_EQ(Utf8(g->Cells(4, 2)), "x");
  for (int c : {0, 2, 4}) row->SetStrings(c, u"");
  EXPECT_THROW(row->Insert(0, u"z"), EInvalidGridOperation);
  EXPECT_THROW(row->Strings(5), EListError);

  // Assigning a row copies ColCount entries with their objects only.
  g->Rows(4)->Assign(g->Rows(2));
  EXPECT_EQ(Utf8(g->Cells(1, 4)), "x");
  EXPECT_EQ(g->Objects(1, 4), &a);
  EXPECT_EQ(Utf8(g->Cells(3, 4)), "y");
  EXPECT_EQ(Utf8(g->Cells(6, 4)), "");

  TStringList list;
  list.Add(u"p");
  list.Add(u"q");
  g->SetCols(0, &list);
  EXPECT_EQ(Utf8(g->Cells(0, 0)), "p");
  EXPECT_EQ(Utf8(g->Cells(0, 1)), "q");
  EXPECT_EQ(Utf8(g->Cells(0, 2)), "");  // entries the source lacks are emptied
  g->Rows(2)->Clear();
  EXPECT_EQ(g->Objects(1, 2), nullptr);
  EXPECT_EQ(Utf8(g->Cells(6, 2)), "beyond");
}

TEST(GridsStoreTest, CopyRowCellsCarriesColumnsBeyondTheCount) {
  std::unique_ptr<TStringGrid> g(MakeGrid());
  TObject a;
  for (int c = 0; c < 8; ++c) g->SetCells(c, 1, u"s" + IntToStr(c));
  g->SetObjects(6, 1, &a);
  g->SetCells(2, 3, u"old");
  g->SetCells(9, 3, u"keep");
  g->CopyRowCells(1, 3, 8);
  for (int c = 0; c < 8; ++c) EXPECT_EQ(Utf8(g->Cells(c, 3)), "s" + std::to_string(c));
  EXPECT_EQ(g->Objects(6, 3), &a);
  EXPECT_EQ(Utf8(g->Cells(9, 3)), "keep");  // beyond the copied columns
  // A shorter copy empties the target's cells within its span.
  g->SetCells(0, 5, u"only");
  g->CopyRowCells(5, 3, 3);
  EXPECT_EQ(Utf8(g->Cells(0, 3)), "only");
  EXPECT_EQ(Utf8(g->Cells(1, 3)), "");
  EXPECT_EQ(Utf8(g->Cells(3, 3)), "s3");
}

// Texts short enough to be kept in the cell and longer ones, through every path that moves them.
TEST(GridsStoreTest, TextsOfEveryLengthSurviveWritesMovesAndCopies) {
  const String texts[] = {u"a", u"1234567", u"12345678", u"123456789", u"\u00e9t\u00e9 \U0001F600 long text, longer than any cell slot"};
  std::unique_ptr<TStringGrid> g(MakeGrid());
  g->SetColCount(6);
  g->SetRowCount(6);
  for (int c = 0; c < 5; ++c) g->SetCells(c, 1, texts[c]);
  for (int c = 0; c < 5; ++c) EXPECT_EQ(g->Cells(c, 1), texts[c]) << c;
  // Each text replaced by every other, short by long and long by short.
  for (const String& from : texts)
    for (const String& to : texts) {
      g->SetCells(5, 2, from);
      g->SetCells(5, 2, to);
      EXPECT_EQ(g->Cells(5, 2), to);
    }
  // A cell written with its own text, through a view.
  g->Rows(1)->SetStrings(4, g->Rows(1)->Strings(4));
  EXPECT_EQ(g->Cells(4, 1), texts[4]);
  g->CopyRowCells(1, 3, 5);
  g->MoveColumn(0, 4);  // every column of both rows shifts
  g->MoveRow(3, 5);
  for (int c = 0; c < 5; ++c) {
    const String& want = texts[c == 4 ? 0 : c + 1];
    EXPECT_EQ(g->Cells(c, 1), want) << c;
    EXPECT_EQ(g->Cells(c, 5), want) << c;
  }
  g->DeleteColumn(0);
  EXPECT_EQ(g->Cells(0, 1), texts[2]);
  EXPECT_EQ(g->Cells(3, 5), texts[0]);
  // A view hands out texts that stay put while other entries are read.
  const String& first = g->Rows(1)->Strings(0);
  const String& second = g->Rows(1)->Strings(1);
  EXPECT_EQ(first, texts[2]);
  EXPECT_EQ(second, texts[3]);
}

TEST(GridsStoreTest, MemoryFollowsStoredCellsNotExtent) {
  std::unique_ptr<TStringGrid> g(MakeGrid());
  g->SetRowCount(100000);
  g->SetColCount(20);
  EXPECT_EQ(g->StoredCellCount(), 0u);
  g->SetCells(19, 99999, u"last");
  g->SetCells(2, 50000, u"mid");
  EXPECT_EQ(g->StoredCellCount(), 2u);
  g->MoveRow(99999, 1);
  EXPECT_EQ(Utf8(g->Cells(19, 1)), "last");
  EXPECT_EQ(Utf8(g->Cells(2, 50001)), "mid");
  EXPECT_EQ(g->StoredCellCount(), 2u);
}

// A row taken out of the store and put back elsewhere keeps its texts and objects; a narrower
// put leaves the cells beyond it out, in a grid whose own cells never reached them too.
TEST(GridsStoreTest, TakenRowsGoBackWithTheirCellsAndObjects) {
  std::unique_ptr<TStringGrid> g(MakeGrid());
  for (int c = 0; c < 5; ++c) g->SetCells(c, 1, u"t" + IntToStr(c));
  TStringGrid::TStoredRow row = g->TakeRowCells(1, 5);
  EXPECT_EQ(row.Count(), 5);
  EXPECT_FALSE(row.MayHoldObjects());  // no object was ever stored
  EXPECT_EQ(Utf8(g->Cells(0, 1)), "");
  g->SetCells(7, 2, u"keep");
  g->PutRowCells(2, std::move(row), 3);
  EXPECT_TRUE(row.Empty());
  for (int c = 0; c < 3; ++c) EXPECT_EQ(Utf8(g->Cells(c, 2)), "t" + std::to_string(c));
  EXPECT_EQ(Utf8(g->Cells(3, 2)), "");
  EXPECT_EQ(Utf8(g->Cells(7, 2)), "keep");  // beyond the put columns

  TObject a;
  g->SetObjects(1, 4, &a);
  g->SetCells(4, 4, u"wide");
  TStringGrid::TStoredRow withObject = g->TakeRowCells(4, 5);
  EXPECT_TRUE(withObject.MayHoldObjects());
  std::unique_ptr<TStringGrid> narrow(MakeGrid());
  narrow->SetCells(0, 0, u"n");
  narrow->PutRowCells(3, std::move(withObject), 2);
  EXPECT_EQ(narrow->Objects(1, 3), &a);
  EXPECT_EQ(Utf8(narrow->Cells(4, 3)), "");
  EXPECT_EQ(narrow->StoredCellCount(), 2u);
  // The object came in with the row: what the grid hands out again says it may hold one.
  EXPECT_TRUE(narrow->TakeRowCells(3, 2).MayHoldObjects());
}

}  // namespace
