// Cell access by real row and column, the dimension accessors, rich text, the cell stream and
// the ownership of cell properties when counts change.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "AdvGridTestSupport.h"
#include "platform/IniFiles.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::TRecordGrid;
using advgrid_test::Utf8;

bool Contains(const std::vector<TRect>& rects, const TRect& r) {
  return std::find(rects.begin(), rects.end(), r) != rects.end();
}

TEST(AdvGridCells, WritingARealColumnRepaintsItsDisplayColumn) {
  GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->HideColumn(2);
  g->TakeInvalidatedRects();
  g->SetCellsEx(3, 1, u"x");
  EXPECT_EQ(Utf8(g->GetCellEx(3, 1)), "x");
  EXPECT_EQ(Utf8(g->GetCellsEx(3, 1)), "x");
  TRect shown = g->TCustomGrid::CellRect(2, 1);
  ASSERT_FALSE(IsRectEmpty(shown));
  EXPECT_TRUE(Contains(g->TakeInvalidatedRects(), shown));
}

// Real rows 0..9 with rows 3 and 4 hidden: display rows 0..7 hold real rows 0, 1, 2, 5, ... 9.
TRecordGrid* HiddenThreeAndFour(TObject* ObjOfRow3 = nullptr) {
  TRecordGrid* g = New<TRecordGrid>(nullptr);
  g->SetRowCount(8);
  const int real[] = {0, 1, 2, 5, 6, 7, 8, 9};
  for (int d = 0; d < 8; ++d) g->SetCellEx(1, d, u"r" + IntToStr(real[d]));
  g->AddHiddenRecord(4, {u"a4", u"r4"});
  g->AddHiddenRecord(3, {u"a3", u"r3"}, ObjOfRow3);
  return g;
}

TEST(AdvGridCells, RealRowsReachHiddenRecords) {
  TObject user;
  TRecordGrid* g = HiddenThreeAndFour(&user);
  EXPECT_EQ(Utf8(g->GetCellsEx(1, 5)), "r5");
  EXPECT_EQ(Utf8(g->GetCellsEx(1, 3)), "r3");
  EXPECT_EQ(Utf8(g->GetGridCellsEx(0, 4)), "a4");
  EXPECT_EQ(g->GetObjectsEx(0, 3), &user);
  EXPECT_EQ(g->GetRawObjectEx(0, 3), &user);
  g->SetCellsEx(1, 3, u"new");
  EXPECT_EQ(Utf8(g->GetCellsEx(1, 3)), "new");
  for (int d = 0; d < 8; ++d) EXPECT_NE(Utf8(g->GetCellEx(1, d)), "new") << d;  // only the record changed
  g->SetCellsEx(4, 3, u"far");  // pads the record
  EXPECT_EQ(Utf8(g->GetCellsEx(4, 3)), "far");
  EXPECT_EQ(Utf8(g->GetCellsEx(3, 3)), "");
  delete g;
}

TEST(AdvGridCells, AHiddenRecordReadBeyondItsLengthIsEmpty) {
  TRecordGrid* g = HiddenThreeAndFour();
  EXPECT_EQ(Utf8(g->GetCellsEx(7, 4)), "");
  EXPECT_EQ(Utf8(g->GetGridCellsEx(7, 4)), "");
  EXPECT_EQ(g->GetObjectsEx(7, 4), nullptr);
  EXPECT_EQ(g->GetRawObjectEx(7, 4), nullptr);
  EXPECT_EQ(Utf8(g->GetCellsEx(-1, 4)), "");
  EXPECT_EQ(Utf8(g->GetCellsEx(1, -2)), "");
  delete g;
}

TEST(AdvGridCells, FixedRowsGiveWayAndComeBackWithFixedRowAlways) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetFixedRowAlways(true);
  g->SetRowCount(1);
  g->SetFixedRows(1);
  EXPECT_EQ(g->TCustomGrid::FixedRows(), 0);
  EXPECT_EQ(g->FixedRows(), 1);  // the property reads the fixed row it asked for
  g->SetRowCount(5);
  EXPECT_EQ(g->TCustomGrid::FixedRows(), 1);
  delete g;
}

TEST(AdvGridCells, UsedCells) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> filled;
    TGridRect expected;
  };
  const Case cases[] = {
      {"empty grid", {}, {0, 0, 0, 0}},
      {"only (0, 0)", {{0, 0}}, {0, 0, 0, 0}},
      {"a block", {{1, 2}, {3, 5}, {2, 1}}, {1, 1, 3, 5}},
  };
  for (const Case& c : cases) {
    TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
    for (auto [col, row] : c.filled) g->SetCellEx(col, row, u"t");
    EXPECT_EQ(g->UsedCells(), c.expected) << c.name;
    delete g;
  }
}

TEST(AdvGridCells, SaveRangeLeavesOutFixedRowsAndFooters) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetFixedFooters(1);
  g->SaveFixedCells = false;
  EXPECT_EQ(g->SaveRowCount(), 8);
  EXPECT_EQ(g->SaveStartRow(), 1);
  EXPECT_EQ(g->SaveEndRow(), 8);
  g->SaveFixedCells = true;
  EXPECT_EQ(g->SaveRowCount(), 10);
  delete g;
}

TEST(AdvGridCells, ARichCellRoundTripsEveryUnit) {
  GridForm<> f;
  TRichEdit* rich = new TRichEdit(f.form);
  // Characters beyond Latin-1 make no readable RTF: the text itself goes over, every unit kept,
  // and comes back as RTF holding that text.
  const String text = u"{\\rtf1 \u00fc\u20ac\u4e2d \U0001F600}";
  f.grid->SetCellEx(1, 1, text);
  f.grid->CellToRich(1, 1, rich);
  EXPECT_EQ(rich->GetText(), text);
  f.grid->RichToCell(2, 2, rich);
  EXPECT_NE(f.grid->GetCellEx(2, 2), text);
  f.grid->CellToRich(2, 2, rich);
  EXPECT_EQ(rich->GetText(), text);
  f.grid->CellToRich(3, 3, rich);  // an empty cell empties the editor
  EXPECT_TRUE(rich->GetText().empty());
}

TEST(AdvGridCells, CellsTravelThroughTheStream) {
  TAdvStringGrid* a = New<TAdvStringGrid>(nullptr);
  a->SetColCount(3);
  a->SetRowCount(4);
  a->SetColWidths(1, 70);
  a->SetCellEx(0, 0, u"head");
  a->SetCellEx(2, 3, u"one\r\ntwo");
  a->SetCellEx(1, 2, u"\u00fc\u4e2d");
  TAdvStringGrid* b = New<TAdvStringGrid>(nullptr);
  TAdvStringGrid* c = New<TAdvStringGrid>(nullptr);
  c->Multilinecells = true;
  TMemoryStream ms;
  a->SaveToStream(&ms);
  a->SaveToStream(&ms);  // two grids, one after the other
  ms.SetPosition(0);
  b->LoadFromStream(&ms);
  c->LoadFromStream(&ms);
  EXPECT_EQ(ms.Position(), ms.Size());
  for (TAdvStringGrid* g : {b, c}) {
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->ColWidths(1), 70);
    EXPECT_EQ(Utf8(g->GetCellEx(0, 0)), "head");
    EXPECT_EQ(Utf8(g->GetCellEx(1, 2)), "\u00fc\u4e2d");
  }
  EXPECT_EQ(Utf8(b->GetCellEx(2, 3)), "one");
  EXPECT_EQ(Utf8(c->GetCellEx(2, 3)), "one\r\ntwo");
  // The stream form: UTF-16LE lines ending in CR LF, the first "cols,rows".
  std::string_view bytes = ms.Bytes();
  ASSERT_GE(bytes.size(), 10u);
  EXPECT_EQ(std::string(bytes.substr(0, 10)), std::string("3\0,\0" "4\0\r\0\n\0", 10));
  delete a;
  delete b;
  delete c;
}

TEST(AdvGridCells, ColumnWidthsPersistInTheIniFileWhenAsked) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "advgrid_colsizes";
  std::filesystem::create_directories(dir);
  String ini = Utf8ToString((dir / "cols.ini").string());
  std::filesystem::remove(dir / "cols.ini");
  {
    TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
    g->ColumnSize()->SetSave(true);
    g->ColumnSize()->SetLocation(clIniFile);
    g->ColumnSize()->SetKey(ini);
    g->ColumnSize()->SetSection(u"Grid");
    g->SetColWidths(2, 99);
    delete g;  // writes the widths
  }
  TMemIniFile file(ini);
  EXPECT_EQ(file.ReadInteger(u"Grid", u"Col2", -1), 99);
  EXPECT_EQ(file.ReadInteger(u"Grid", u"Col0", -1), 64);
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->ColumnSize()->SetSave(true);
  g->ColumnSize()->SetLocation(clIniFile);
  g->ColumnSize()->SetKey(ini);
  g->ColumnSize()->SetSection(u"Grid");
  g->Loaded();  // reads them
  EXPECT_EQ(g->ColWidths(2), 99);
  g->ColumnSize()->SetKey(String());  // an empty key keeps nothing and raises nothing
  g->SetColWidths(2, 10);
  delete g;
  EXPECT_EQ(TMemIniFile(ini).ReadInteger(u"Grid", u"Col2", -1), 99);
  std::filesystem::remove_all(dir);
}

// Properties and cell objects in rows beyond a lowered count, in hidden columns and in a moved
// footer row are each owned once and freed with the grid (the sanitizer run checks both).
TEST(AdvGridCells, NothingLeaksOrIsOwnedTwice) {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  g->SetRowCount(30);
  g->GetCellProperties(1, 25)->SetGraphicObject(new TCellGraphic);
  g->GetCellProperties(4, 3)->SetGraphicObject(new TCellGraphic);
  g->HideColumn(4);
  g->SetRowCount(12);
  g->FloatingFooter()->SetVisible(true);
  g->GetCellProperties(2, 11)->SetBrushColor(clRed);
  g->SetCellEx(2, 11, u"sum");
  g->SetCellEx(4, 11, u"hidden");
  const int maxCols = g->MaxColCount();
  g->SetRowCount(15);
  EXPECT_EQ(Utf8(g->GetCellEx(4, 14)), "hidden");  // a hidden column's cell travels with its row
  EXPECT_EQ(g->MaxColCount(), maxCols);
  EXPECT_EQ(g->ColCount(), 4);
  EXPECT_EQ(Utf8(g->GetCellEx(2, 14)), "sum");
  EXPECT_TRUE(g->HasCellProperties(2, 14));
  EXPECT_FALSE(g->HasCellProperties(2, 11));
  EXPECT_EQ(Utf8(g->GetCellEx(2, 11)), "");
  EXPECT_EQ(g->GetCellProperties(2, 14)->OwnerRow(), 14);
  delete g;
}

}  // namespace

namespace {

TEST(AdvGridCells, OnColumnSizeMayForbidSizingAHeaderBorder) {
  for (bool allow : {false, true}) {
    GridForm<> f;
    TAdvStringGrid* g = f.grid;
    TGridOptions o = g->Options();
    o.Include(goColSizing);
    g->SetOptions(o);
    std::vector<int> asked;
    g->OnColumnSize = [&](TObject*, int ACol, bool& Allow) {
      asked.push_back(ACol);
      Allow = allow;
    };
    int border = g->ColWidths(0) + g->ColWidths(1);
    f.driver.MouseDown(g, border, 10);
    f.driver.MouseMove(g, border + 30, 10);
    f.driver.MouseUp(g, border + 30, 10);
    EXPECT_EQ(asked, std::vector<int>{1}) << allow;
    EXPECT_EQ(g->ColWidths(1), allow ? 94 : 64) << allow;
  }
}

TEST(AdvGridCells, LocaleSeparatorsFollowTheFormatSettings) {
  TFormatSettings saved = FormatSettings();
  FormatSettings().DecimalSeparator = u',';
  FormatSettings().DateSeparator = u'.';
  EXPECT_EQ(LocaleDecimalSeparator(), u',');
  EXPECT_EQ(LocaleDateSeparator(), u'.');
  EXPECT_EQ(LocaleTimeSeparator(), saved.TimeSeparator);
  FormatSettings() = saved;
}

}  // namespace
