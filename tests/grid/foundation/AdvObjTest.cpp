#include "grid/foundation/AdvObj.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/ExtCtrls.h"
#include "platform/testing/RecordingCanvas.h"
#include "platform/testing/ScratchFolder.h"

namespace {

// ---- enumerations and the border set ----------------------------------------------------------

TEST(GridEnumerationsTest, EditorKindsKeepTheirStoredOrdinals) {
  const std::vector<std::pair<TEditorType, int>> cases = {
      {edNormal, 0},          {edSpinEdit, 1},          {edComboEdit, 2},     {edComboList, 3},
      {edCheckBox, 5},        {edDataCheckBox, 10},     {edNumeric, 11},      {edPassword, 16},
      {edCustom, 25},         {edNone, 27},             {edDateTimeEdit, 28}, {edTrackbarDropDown, 30},
      {edAdvGridDropDown, 38}, {edPositiveFloat, 39},   {edMaskEditBtn, 42}};
  for (auto [value, ordinal] : cases) EXPECT_EQ(static_cast<int>(value), ordinal);
  EXPECT_EQ(sizeof(TEditorType), 1u);
}

TEST(GridEnumerationsTest, SortStylesAndSmallEnumerationsKeepTheirOrder) {
  EXPECT_EQ(ssAutomatic, 0);
  EXPECT_EQ(ssShortDateEU, 6);
  EXPECT_EQ(ssShortDateUS, 7);
  EXPECT_EQ(ssRaw, 12);
  EXPECT_EQ(ssCheckBox, 15);
  EXPECT_EQ(ssAlphaNumericNoCase, 19);  // the 20th value
  EXPECT_EQ(vtaBottom, 2);
  EXPECT_EQ(arrRight, 3);
  EXPECT_EQ(heFirstLastCell, 2);
  EXPECT_EQ(adTopBottomInCol, 3);
  EXPECT_EQ(caLoop, 2);
  EXPECT_EQ(fceRightClick, 3);
  EXPECT_EQ(fceComboList, 2);
  EXPECT_EQ(waScroll, 1);
  EXPECT_EQ(GradientHorizontal, 1);
}

TEST(GridEnumerationsTest, CellBordersUseOneBitPerSide) {
  const std::vector<std::pair<TCellBorders, uint8_t>> cases = {
      {TCellBorders{}, 0x0},
      {TCellBorders{cbTop}, 0x1},
      {TCellBorders{cbLeft}, 0x2},
      {TCellBorders{cbRight}, 0x4},
      {TCellBorders{cbBottom}, 0x8},
      {TCellBorders{cbTop, cbBottom}, 0x9},
      {TCellBorders{cbTop, cbLeft, cbRight, cbBottom}, 0xF}};
  for (auto [set, bits] : cases) EXPECT_EQ(set.Bits(), bits);
  EXPECT_EQ(sizeof(TCellBorders), 1u);

  TCellBorders b = TCellBorders::FromBits(0x6);
  EXPECT_TRUE(b.Contains(cbLeft));
  EXPECT_TRUE(b.Contains(cbRight));
  EXPECT_FALSE(b.Contains(cbTop));
  b.Exclude(cbLeft);
  b.Include(cbBottom);
  EXPECT_EQ(b.Bits(), 0xC);
}

// ---- TIntList ---------------------------------------------------------------------------------

struct ChangeLog {
  std::vector<std::tuple<TObject*, int, int>> calls;
  TImageChangeEvent Handler() {
    return [this](TObject* s, int c, int r) { calls.emplace_back(s, c, r); };
  }
};

TEST(IntListTest, ChangesAreReportedWithTheOwningCellExceptForInsert) {
  TIntList list(4, 7);
  ChangeLog log;
  list.OnChange = log.Handler();

  list.Insert(0, 9);
  EXPECT_TRUE(log.calls.empty());

  EXPECT_EQ(list.Add(5), 1);
  list.SetInteger(0, 3);
  list.Add(5);
  list.DeleteValue(5);  // the first 5 only
  list.DeleteValue(42);  // absent: nothing
  list.Delete(0);
  ASSERT_EQ(log.calls.size(), 5u);
  for (auto& [sender, col, row] : log.calls) {
    EXPECT_EQ(sender, &list);
    EXPECT_EQ(col, 4);
    EXPECT_EQ(row, 7);
  }
  EXPECT_EQ(list.StrValue(), u"5");
  EXPECT_TRUE(list.HasValue(5));
  EXPECT_FALSE(list.HasValue(3));
}

TEST(IntListTest, TextFormRoundTripsAndFiresOncePerItem) {
  TIntList list(0, 0);
  list.Add(8);
  ChangeLog log;
  list.OnChange = log.Handler();

  list.SetStrValue(u"3,1,3");
  EXPECT_EQ(log.calls.size(), 3u);  // the clearing itself is silent
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.StrValue(), u"3,1,3");

  list.SetStrValue(u"-2 $10 \"7\"");  // blanks split too; hex after "$"; quoted items
  EXPECT_EQ(list.StrValue(), u"-2,16,7");

  log.calls.clear();
  list.SetStrValue(u"");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(log.calls.empty());
  EXPECT_EQ(list.StrValue(), u"");
}

TEST(IntListTest, NonIntegerItemStopsWithTheItemsBeforeItKept) {
  TIntList list(0, 0);
  EXPECT_THROW(list.SetStrValue(u"1,2,x,4"), EConvertError);
  EXPECT_EQ(list.StrValue(), u"1,2");
}

TEST(IntListTest, IndexErrorsNameTheIndex) {
  TIntList list(0, 0);
  list.Add(1);
  auto message = [](auto&& f) -> std::string {
    try {
      f();
    } catch (const EListError& e) {
      return StringToUtf8(e.Message());
    }
    return "no error";
  };
  EXPECT_EQ(message([&] { list.GetInteger(5); }), "List index out of bounds (5)");
  EXPECT_EQ(message([&] { list.SetInteger(5, 0); }), "List index out of bounds (5)");
  EXPECT_EQ(message([&] { list.Delete(-1); }), "List index out of bounds (-1)");

  TSortIndexList keys;
  EXPECT_EQ(message([&] { keys.GetSortColumns(5); }), "List index out of bounds (5)");
  EXPECT_EQ(message([&] { keys.SetSortDirections(0, true); }), "List index out of bounds (0)");

  TControlList controls;
  EXPECT_EQ(message([&] { controls.GetControl(5); }), "List index out of bounds (5)");
  EXPECT_EQ(message([&] { controls.RemoveControl(0); }), "List index out of bounds (0)");

  TFileStringList lines;
  String s;
  EXPECT_TRUE(lines.Eof());
  EXPECT_EQ(message([&] { lines.ReadLn(s); }), "List index out of bounds (0)");
}

// ---- TSortIndexList ---------------------------------------------------------------------------

TEST(SortIndexListTest, KeysCarryTheDirectionInBit31) {
  TSortIndexList keys;
  ChangeLog log;
  keys.OnChange = log.Handler();
  keys.AddIndex(2, true);
  keys.AddIndex(5, false);
  EXPECT_EQ(keys.GetInteger(1), static_cast<int>(0x80000005u));
  EXPECT_EQ(keys.SaveToString(), u"u2;d5");

  EXPECT_EQ(keys.FindIndex(5), 1);  // found by its plain column number
  EXPECT_EQ(keys.FindIndex(7), -1);
  EXPECT_EQ(keys.GetSortColumns(1), 5);
  EXPECT_FALSE(keys.GetSortDirections(1));
  EXPECT_TRUE(keys.GetSortDirections(0));

  keys.SetSortColumns(1, 9);  // the direction stays
  EXPECT_EQ(keys.SaveToString(), u"u2;d9");
  keys.SetSortDirections(1, true);
  keys.SetSortDirections(0, false);
  EXPECT_EQ(keys.SaveToString(), u"d2;u9");
  keys.ToggleIndex(9);
  EXPECT_EQ(keys.SaveToString(), u"d2;d9");
  const size_t before = log.calls.size();
  keys.ToggleIndex(3);  // absent: nothing
  EXPECT_EQ(keys.SaveToString(), u"d2;d9");
  EXPECT_EQ(log.calls.size(), before);
  EXPECT_EQ(before, 6u);  // two adds, four writes through SetInteger
  EXPECT_EQ(keys.FCol, 0);
  EXPECT_EQ(keys.FRow, 0);
}

TEST(SortIndexListTest, TextFormKeepsTheLow16BitsOfTheColumn) {
  TSortIndexList keys;
  keys.AddIndex(70000, true);
  EXPECT_EQ(keys.SaveToString(), u"u4464");
  TSortIndexList empty;
  EXPECT_EQ(empty.SaveToString(), u"");
}

TEST(SortIndexListTest, ReadingTheTextFormToleratesOddParts) {
  struct Case {
    const char16_t* text;
    const char16_t* saved;
  };
  const Case cases[] = {
      {u"u2;d5", u"u2;d5"},
      {u"u2;x7;d;;d10", u"u2;d7;d10"},  // "d" alone and the empty part are skipped
      {u"u12z", u"u12"},                // the number ends at the first unfit character
      {u"uz", u"u0"},                   // nothing readable counts as 0
      {u"u $1F;U3", u"u31;d3"},         // blanks, hex; only a lower-case "u" is ascending
      {u"u7;", u"u7"},
      {u"", u""},
  };
  for (const Case& c : cases) {
    TSortIndexList keys;
    keys.AddIndex(99, true);  // cleared by the load
    keys.LoadFromString(c.text);
    EXPECT_EQ(keys.SaveToString(), c.saved) << StringToUtf8(c.text);
  }
}

TEST(SortIndexListTest, LoadingFiresOncePerKey) {
  TSortIndexList keys;
  ChangeLog log;
  keys.OnChange = log.Handler();
  keys.LoadFromString(u"u1;d2;u3");
  EXPECT_EQ(log.calls.size(), 3u);
}

// ---- TControlList -----------------------------------------------------------------------------

TEST(ControlListTest, FindsTheFirstItemOfACellAndFreesOnlyItsItems) {
  TPanel a(nullptr), b(nullptr);
  TControlList list;
  list.AddControl(1, 2, &a);
  list.AddControl(1, 2, &b);
  list.AddControl(3, 0, &b);
  EXPECT_EQ(list.ControlIndex(1, 2), 0);
  EXPECT_EQ(list.ControlIndex(3, 0), 2);
  EXPECT_EQ(list.ControlIndex(2, 1), -1);
  EXPECT_EQ(list.GetControl(1)->Control, &b);

  EXPECT_TRUE(list.HasHandle(&b));
  TPanel other(nullptr);
  EXPECT_FALSE(list.HasHandle(&other));

  list.RemoveControl(0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.ControlIndex(1, 2), 0);
  EXPECT_EQ(list.GetControl(0)->Control, &b);
  // The controls themselves outlive the list (they are destroyed by this scope).
}

// ---- TFilePicture -----------------------------------------------------------------------------

class FilePictureTest : public ::testing::Test {
 protected:
  String WriteBitmap(const char* name, int w, int h) {
    TBitmap bmp;
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(w, h);
    String path = dir.File(name);
    bmp.SaveToFile(path);
    return path;
  }
  TScratchFolder dir{"file_picture"};
};

TEST_F(FilePictureTest, TakesTheSizeOnceAndDecodesAgainForEveryDraw) {
  String path = WriteBitmap("p.bmp", 7, 3);
  TFilePicture pic;
  pic.SetFilename(path);
  EXPECT_EQ(pic.Width(), 7);
  EXPECT_EQ(pic.Height(), 3);

  TRecordingCanvas canvas;
  pic.DrawPicture(&canvas, Rect(10, 20, 40, 30));
  // Drawn from the file as it is now, not from a kept copy.
  WriteBitmap("p.bmp", 5, 5);
  pic.DrawPicture(&canvas, Rect(0, 0, 4, 4));
  auto draws = canvas.CallsNamed("StretchDraw");
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].Args, (std::vector<int>{10, 20, 40, 30, 7, 3}));
  EXPECT_EQ(draws[1].Args, (std::vector<int>{0, 0, 4, 4, 5, 5}));
  EXPECT_EQ(pic.Width(), 7);  // the size stays the one taken with the name

  TFilePicture none;
  none.DrawPicture(&canvas, Rect(0, 0, 4, 4));
  EXPECT_EQ(canvas.CallsNamed("StretchDraw").size(), 2u);
}

TEST_F(FilePictureTest, UnreadableFileRaisesAndKeepsTheOldSize) {
  TFilePicture pic;
  pic.SetFilename(WriteBitmap("ok.bmp", 4, 2));
  EXPECT_ANY_THROW(pic.SetFilename(dir.File("missing.bmp")));
  EXPECT_EQ(pic.Width(), 4);
  EXPECT_EQ(pic.Height(), 2);
}

TEST_F(FilePictureTest, AssignCopiesNameAndSizeWithoutLoading) {
  TFilePicture src;
  src.SetFilename(WriteBitmap("a.bmp", 6, 9));
  std::filesystem::remove(dir / "a.bmp");  // a load would fail now
  TFilePicture dst;
  dst.Assign(&src);
  EXPECT_EQ(dst.Filename(), src.Filename());
  EXPECT_EQ(dst.Width(), 6);
  EXPECT_EQ(dst.Height(), 9);
}

// ---- TFileStringList --------------------------------------------------------------------------

TEST(FileStringListTest, PendingLineIsCollectedUntilWriteLn) {
  TFileStringList list;
  list.Add(u"first");
  list.Reset();
  list.Write(u"a");
  list.Write(u"b");
  list.WriteLn(u"c");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list[1], u"abc");
  EXPECT_EQ(list.cache, u"");

  String s;
  EXPECT_FALSE(list.Eof());
  list.ReadLn(s);
  EXPECT_EQ(s, u"first");
  list.ReadLn(s);
  EXPECT_EQ(s, u"abc");
  EXPECT_TRUE(list.Eof());
  list.Reset();
  EXPECT_EQ(list.fp, 0);
}

}  // namespace

namespace {

TEST(ObjStringGridTest, IsTheClassLibrarysStringGridUnderItsOwnName) {
  TObjStringGrid grid(nullptr);
  TStringGrid* base = &grid;
  base->SetCells(3, 2000, u"x");  // beyond the row count, as the string grid keeps it
  EXPECT_EQ(grid.Cells(3, 2000), u"x");
  EXPECT_EQ(grid.ClassName(), u"TObjStringGrid");
}

}  // namespace
