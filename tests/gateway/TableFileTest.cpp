#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "gateway/TableFile.h"
#include "platform/Files.h"
#include "platform/testing/FailingWrites.h"
#include "platform/testing/ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards.
class TableFileTest : public ::testing::Test {
 protected:
  String PathOf(const std::string& name) const { return FromPath(dir_ / name); }

  static std::string ReadAll(const String& path) {
    std::string out;
    ReadFileBytes(path, out);
    return out;
  }
  static void WriteAll(const String& path, const std::string& bytes) { ASSERT_TRUE(WriteFileBytes(path, bytes)); }

  TScratchFolder dir_{"tablefile"};
};

// Two tables of three data columns; column 1 is a flag, column 2 the key.
TTableLayout TwoSections() {
  TTableLayout l;
  l.Root = u"Demo";
  TTableSection a;
  a.Name = u"First";
  a.KeyColumn = 2;
  a.Attrs = {{u"Enable", 1, TMissingAttr::Default, u"Y"},
             {u"Name", 2, TMissingAttr::Keep, u""},
             {u"Kind", 3, TMissingAttr::Default, u"None"}};
  TTableSection b = a;
  b.Name = u"Second";
  l.Sections = {a, b};
  return l;
}

void FillRow(TTableData& t, int row, const String& en, const String& name, const String& kind) {
  t.SetCell(1, row, en);
  t.SetCell(2, row, name);
  t.SetCell(3, row, kind);
}

}  // namespace

// ---- cell numbers ----

TEST(CellNumberTest, ParsesLikeTheGridCells) {
  struct Case {
    const char* text;
    bool ok32;
    int32_t v32;
    bool ok64;
    int64_t v64;
  };
  const Case cases[] = {
      {"  12", true, 12, true, 12},
      {"\t12", false, 0, false, 0},  // only blanks are skipped
      {" \t12", false, 0, false, 0},
      {"+7", true, 7, true, 7},
      {"-15", true, -15, true, -15},
      {"0x1F", true, 31, true, 31},
      {"0X1f", true, 31, true, 31},
      {"$1F", true, 31, true, 31},
      {"x10", true, 16, true, 16},
      {"0x10", true, 16, true, 16},
      {"-0x10", true, -16, true, -16},
      {"12 ", false, 0, false, 0},
      {"", false, 0, false, 0},
      {"   ", false, 0, false, 0},
      {"1e3", false, 0, false, 0},
      {"12a", false, 0, false, 0},
      {"0x", false, 0, false, 0},
      {"$", false, 0, false, 0},
      {"-", false, 0, false, 0},
      {"+-1", false, 0, false, 0},
      {"1 2", false, 0, false, 0},
      {"2147483647", true, 2147483647, true, 2147483647},
      {"-2147483648", true, INT32_MIN, true, -2147483648LL},
      {"2147483648", false, 0, true, 2147483648LL},
      {"4294967295", false, 0, true, 4294967295LL},
      {"4294967296", false, 0, true, 4294967296LL},
      {"9223372036854775807", false, 0, true, INT64_MAX},
      {"9223372036854775808", false, 0, false, 0},
      {"$FFFFFFFF", true, -1, true, 4294967295LL},
      {"$100000000", false, 0, true, 4294967296LL},
      {"$0000000000FF", true, 255, true, 255},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    int32_t v32 = 99;
    EXPECT_EQ(TryCellToInt(S(c.text), v32), c.ok32);
    if (c.ok32) {
      EXPECT_EQ(v32, c.v32);
    }
    EXPECT_EQ(CellToInt(S(c.text)), c.ok32 ? c.v32 : -1);
    int64_t v64 = 99;
    EXPECT_EQ(TryCellToInt64(S(c.text), v64), c.ok64);
    if (c.ok64) {
      EXPECT_EQ(v64, c.v64);
    }
    EXPECT_EQ(CellToInt64(S(c.text), -7), c.ok64 ? c.v64 : -7);
  }
}

// ---- save ----

TEST_F(TableFileTest, SaveWritesRowsUpToTheFirstBlankKeyInPlainUtf8) {
  TTableData first(4, 6), second(4, 6);
  FillRow(first, 1, u"Y", u"alpha", u"Int");
  FillRow(first, 2, u"N", u"beta", u"");  // disabled rows are written too; empty cells stay
  FillRow(first, 3, u"Y", u"gr\u00F6\u00DFe <&\">", u"x\ty");
  FillRow(first, 4, u"Y", u"  ", u"lost");  // blank key ends the table
  FillRow(first, 5, u"Y", u"after", u"lost");
  const String path = PathOf("Demo.xml");
  SaveTableFile(TwoSections(), {&first, &second}, path);

  const std::string expected =
      "<Demo><First>"
      "<row Enable=\"Y\" Name=\"alpha\" Kind=\"Int\"/>"
      "<row Enable=\"N\" Name=\"beta\" Kind=\"\"/>"
      "<row Enable=\"Y\" Name=\"gr\xC3\xB6\xC3\x9F" "e &lt;&amp;&quot;&gt;\" Kind=\"x&#9;y\"/>"
      "</First><Second/></Demo><!--SW_VERSION = 1.000-->";
  EXPECT_EQ(ReadAll(path), expected);
  EXPECT_FALSE(FileExists(path + u".saving"));

  // Saving again gives the same bytes; the old content does not survive.
  WriteAll(path, "<Other><stray/></Other><!--x-->");
  SaveTableFile(TwoSections(), {&first, &second}, path);
  EXPECT_EQ(ReadAll(path), expected);
}

TEST_F(TableFileTest, SingleTableRowsSitUnderTheRoot) {
  TTableLayout l;
  l.Root = u"Only";
  l.RowElement = u"item";
  TTableSection s;
  s.KeyColumn = 1;
  s.Attrs = {{u"Key", 1, TMissingAttr::Keep, u""}, {u"Val", 2, TMissingAttr::Keep, u""}};
  l.Sections = {s};
  TTableData t(3, 3);
  t.SetCell(1, 1, u"k1");
  t.SetCell(2, 1, u"v1");
  EXPECT_EQ(TableFileBytes(l, {&t}), "<Only><item Key=\"k1\" Val=\"v1\"/></Only><!--SW_VERSION = 1.000-->");

  TTableData back(3, 3);
  const String path = PathOf("Only.xml");
  SaveTableFile(l, {&t}, path);
  ASSERT_TRUE(LoadTableFile(l, path, {&back}));
  EXPECT_EQ(back.Cell(1, 1), u"k1");
  EXPECT_EQ(back.Cell(2, 1), u"v1");
}

TEST_F(TableFileTest, FailedSaveLeavesTheOldFileWhole) {
  const String path = PathOf("Demo.xml");
  WriteAll(path, "<Demo><First/><Second/></Demo>");
  // The new document does not fit under the file size limit.
  TTableData a(4, 2), b(4, 2);
  FillRow(a, 1, u"Y", u"new", u"");
  const TChildValues v = RunWithFileSizeLimit(32, [&] {
    try {
      SaveTableFile(TwoSections(), {&a, &b}, path);
    } catch (const ETableFileError& e) {
      return TChildValues{"ETableFileError", StringToUtf8(e.Message()), ReadAll(path)};
    }
    return TChildValues{"no error"};
  });
  ASSERT_EQ(v.size(), 3u) << v.at(0);
  EXPECT_EQ(v[1], "Error in file Demo.xml: Cannot save file \"" + StringToUtf8(path) +
                      "\": writing failed (File too large). The previous file is unchanged.");
  EXPECT_EQ(v[2], "<Demo><First/><Second/></Demo>");

  // A missing folder is reported, not ignored.
  EXPECT_THROW(SaveTableFile(TwoSections(), {&a, &b}, PathOf("nofolder/Demo.xml")), ETableFileError);
}

// ---- load ----

TEST_F(TableFileTest, LoadRoundTripsAndAppliesDefaultsForRemovedAttributes) {
  TTableData first(4, 5), second(4, 5);
  FillRow(first, 1, u"N", u"alpha", u"");
  FillRow(first, 2, u"Y", u"line1\r\nline2", u"Float");
  FillRow(second, 1, u"Y", u"gamma", u"String");
  const String path = PathOf("Demo.xml");
  SaveTableFile(TwoSections(), {&first, &second}, path);

  TTableData a(4, 5), b(4, 5);
  a.Reset({u"", u"Y", u"reset", u"reset"});
  b.Reset({u"", u"Y", u"reset", u"reset"});
  ASSERT_TRUE(LoadTableFile(TwoSections(), path, {&a, &b}));
  for (int c = 1; c <= 3; ++c) {
    EXPECT_EQ(a.Cell(c, 1), first.Cell(c, 1));
    EXPECT_EQ(a.Cell(c, 2), first.Cell(c, 2));
    EXPECT_EQ(b.Cell(c, 1), second.Cell(c, 1));
  }
  EXPECT_EQ(a.Cell(3, 1), u"");  // present but empty: empty, not the default
  EXPECT_EQ(a.Cell(2, 3), u"reset");  // rows beyond the file keep their reset

  // Attributes removed by hand: Default gives the column's default, Keep the reset value.
  WriteAll(path, "<Demo><First><row Name=\"n1\"/><row/></First><Second/></Demo>");
  TTableData c(4, 5);
  c.Reset({u"", u"N", u"reset", u"reset"});
  TTableData d(4, 5);
  ASSERT_TRUE(LoadTableFile(TwoSections(), path, {&c, &d}));
  EXPECT_EQ(c.Cell(1, 1), u"Y");
  EXPECT_EQ(c.Cell(2, 1), u"n1");
  EXPECT_EQ(c.Cell(3, 1), u"None");
  EXPECT_EQ(c.Cell(2, 2), u"reset");  // every child is a row, even without a key
  EXPECT_EQ(c.Cell(1, 3), u"N");
}

TEST_F(TableFileTest, RowRulesOfASingleTableFile) {
  // Column 1 the key (blanks are a key), 2 a flag, 3 a time defaulted only for flagged rows, 4 a
  // length that an empty cell defaults; "Mode" names the flag and replaces its own attribute.
  TTableLayout l;
  l.Root = u"Frames";
  TTableSection s;
  s.KeyColumn = 1;
  s.TrimKey = false;
  s.Attrs = {{u"Key", 1, TMissingAttr::Keep, u""},
             {u"Flag", 2, TMissingAttr::Default, u"N"},
             {u"Time", 3, TMissingAttr::Default, u"0"},
             {u"Len", 4, TMissingAttr::Keep, u""}};
  s.DefaultConditions = {{3, 2, u"Y"}};
  s.EmptyDefaults = {{4, u"8"}};
  s.Choices = {{u"Mode", {2}, {{u"TIMED", 2}}}};
  l.Sections = {s};

  TTableData t(5, 4);
  t.SetCell(1, 1, u"a");
  t.SetCell(1, 2, u" ");
  t.SetCell(1, 4, u"lost");
  EXPECT_EQ(TableFileBytes(l, {&t}),
            "<Frames><row Key=\"a\" Flag=\"\" Time=\"\" Len=\"\"/><row Key=\" \" Flag=\"\" Time=\"\" Len=\"\"/>"
            "</Frames><!--SW_VERSION = 1.000-->");

  const String path = PathOf("Frames.xml");
  WriteAll(path,
           "<Frames><row Key=\"1\" Flag=\"Y\"/><row Key=\"2\"/><row Key=\"3\" Flag=\"Y\" Time=\"\" Len=\" \"/>"
           "<row Key=\"4\" Mode=\"timed\" Flag=\"N\" Len=\"\"/><row Key=\"5\" Mode=\"other\" Flag=\"Y\"/></Frames>");
  TTableData back(5, 6);
  ASSERT_TRUE(LoadTableFile(l, path, {&back}));
  auto row = [&](int r) {
    return std::vector<String>{back.Cell(2, r), back.Cell(3, r), back.Cell(4, r)};
  };
  EXPECT_EQ(row(1), (std::vector<String>{u"Y", u"0", u"8"}));
  EXPECT_EQ(row(2), (std::vector<String>{u"N", u"", u"8"}));
  EXPECT_EQ(row(3), (std::vector<String>{u"Y", u"", u" "}));
  EXPECT_EQ(row(4), (std::vector<String>{u"Y", u"0", u"8"}));
  EXPECT_EQ(row(5), (std::vector<String>{u"N", u"", u"8"}));
  EXPECT_EQ(row(6), (std::vector<String>{u"", u"", u""}));
}

TEST_F(TableFileTest, RootIsTheFirstElementWhateverPrecedesIt) {
  const String path = PathOf("Demo.xml");
  WriteAll(path,
           "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- written elsewhere -->\n"
           "<AnyName>\n  <Second><row Name=\"s\"/></Second>\n  <First>\n    <!-- note -->\n"
           "    <line Name=\"f\"/>\n  </First>\n</AnyName>\n");
  TTableData a(4, 3), b(4, 3);
  ASSERT_TRUE(LoadTableFile(TwoSections(), path, {&a, &b}));
  EXPECT_EQ(a.Cell(2, 1), u"f");  // row names are not looked at, comments are not rows
  EXPECT_EQ(a.Cell(2, 2), u"");
  EXPECT_EQ(b.Cell(2, 1), u"s");
}

TEST_F(TableFileTest, MissingFileLoadsNothing) {
  TTableData a(4, 2), b(4, 2);
  a.SetCell(2, 1, u"keep");
  EXPECT_FALSE(LoadTableFile(TwoSections(), PathOf("none.xml"), {&a, &b}));
  EXPECT_EQ(a.Cell(2, 1), u"keep");
  std::vector<TTableRows> rows;
  EXPECT_FALSE(ReadTableFile(TwoSections(), PathOf("none.xml"), rows));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_TRUE(rows[0].empty());
}

TEST_F(TableFileTest, LoadFailuresAreTypedAndKeepTheRowsBefore) {
  const String path = PathOf("Demo.xml");
  TTableLayout strict = TwoSections();
  strict.Sections[0].Attrs[2].Missing = TMissingAttr::Fail;

  struct Case {
    const char* name;
    std::string xml;
    TTableLayout layout;
    const char* firstRowName;  // row 1 of the first table after the failure ("" = untouched)
  };
  const Case cases[] = {
      {"malformed", "<Demo><First><row Name=\"a\"></First>", TwoSections(), ""},
      {"empty", "", TwoSections(), ""},
      {"no section", "<Demo><First><row Name=\"a\"/></First></Demo>", TwoSections(), "a"},
      {"no attribute", "<Demo><First><row Name=\"a\" Kind=\"k\"/><row Name=\"b\"/></First><Second/></Demo>", strict,
       "a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteAll(path, c.xml);
    TTableData a(4, 3), b(4, 3);
    bool thrown = false;
    try {
      LoadTableFile(c.layout, path, {&a, &b});
    } catch (const ETableFileMissingSection& e) {
      thrown = true;
      EXPECT_EQ(std::string(c.name), "no section");
      EXPECT_EQ(e.Section(), u"Second");
      EXPECT_NE(e.Message().find(u"Second"), String::npos);
    } catch (const ETableFileMissingAttribute& e) {
      thrown = true;
      EXPECT_EQ(std::string(c.name), "no attribute");
      EXPECT_EQ(e.Row(), 2);
      EXPECT_EQ(e.Attribute(), u"Kind");
      EXPECT_EQ(a.Cell(2, 2), u"b");  // the failing row's earlier attributes were read
    } catch (const ETableFileMalformed& e) {
      thrown = true;
      EXPECT_TRUE(std::string(c.name) == "malformed" || std::string(c.name) == "empty");
      EXPECT_NE(e.Message().find(u"Demo.xml"), String::npos);
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(a.Cell(2, 1), S(c.firstRowName));
  }
}

TEST_F(TableFileTest, RowsBeyondTheTableAreReported) {
  const String path = PathOf("Demo.xml");
  WriteAll(path, "<Demo><First><row Name=\"1\"/><row Name=\"2\"/><row Name=\"3\"/></First><Second/></Demo>");
  TTableData a(4, 2), b(4, 2);
  EXPECT_THROW(LoadTableFile(TwoSections(), path, {&a, &b}), ETableFileTooManyRows);
  EXPECT_EQ(a.Cell(2, 1), u"1");
  EXPECT_EQ(a.Cell(2, 2), u"2");
}

TEST_F(TableFileTest, ReadTableFileGivesEveryRowWithItsPresentAttributes) {
  const String path = PathOf("Demo.xml");
  WriteAll(path,
           "<Demo><First><row Enable=\"y\" Name=\"\"/><x Kind=\"k\" Other=\"o\"/></First>"
           "<Second><row Enable=\"N\" Name=\"n\" Kind=\"K\"/></Second></Demo>");
  std::vector<TTableRows> rows;
  ASSERT_TRUE(ReadTableFile(TwoSections(), path, rows));
  ASSERT_EQ(rows.size(), 2u);
  ASSERT_EQ(rows[0].size(), 2u);
  EXPECT_EQ(rows[0][0].Get(u"Enable"), std::optional<String>(u"y"));
  EXPECT_TRUE(rows[0][0].Has(u"Name"));
  EXPECT_FALSE(rows[0][0].Has(u"Kind"));
  EXPECT_EQ(rows[0][1].Value(u"Enable", u"dflt"), u"dflt");
  EXPECT_EQ(rows[0][1].Value(u"Kind"), u"k");
  ASSERT_EQ(rows[1].size(), 1u);
  EXPECT_EQ(rows[1][0].Value(u"Name"), u"n");

  WriteAll(path, "<Demo><First/></Demo>");
  EXPECT_THROW(ReadTableFile(TwoSections(), path, rows), ETableFileMissingSection);
  WriteAll(path, "<Demo>");
  EXPECT_THROW(ReadTableFile(TwoSections(), path, rows), ETableFileMalformed);
}
