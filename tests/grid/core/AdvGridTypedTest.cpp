// Typed cell values: integers, floats, dates and times read from and written to cell texts,
// control values of HTML cells, the version text and the print column metrics.
#include <gtest/gtest.h>

#include <cmath>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::Utf8;

// A grid with pinned format settings (point decimal, comma thousands, M/d/yyyy, hh:mm:ss).
class AdvGridTyped : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = FormatSettings();
    FormatSettings() = FormatSettingsFromLocale("C");
    FormatSettings().DecimalSeparator = u'.';
    FormatSettings().ThousandSeparator = u',';
    FormatSettings().DateSeparator = u'/';
    FormatSettings().ShortDateFormat = u"M/d/yyyy";
    FormatSettings().TimeSeparator = u':';
    FormatSettings().LongTimeFormat = u"hh:mm:ss";
    g = New<TAdvStringGrid>(nullptr);
  }
  void TearDown() override {
    delete g;
    FormatSettings() = saved_;
  }
  TAdvStringGrid* g = nullptr;

 private:
  TFormatSettings saved_;
};

TEST_F(AdvGridTyped, IntegersFromCellTexts) {
  struct Case { const char16_t* text; int value; bool raises; bool allRaises; };
  const Case cases[] = {
      {u"<B>42</B>", 42, false, true},  // the All variant reads the raw text
      {u"", 0, false, false},          {u"-", 0, false, false},
      {u" 7 ", 7, false, false},       {u"7a", 0, true, true},
      {u"-12", -12, false, false},     {u"$1F", 31, false, false},
      {u"1.5", 0, true, true},
  };
  for (const Case& c : cases) {
    g->SetCellEx(1, 1, c.text);
    if (c.raises) {
      EXPECT_THROW(g->GetInts(1, 1), EAdvGridError) << Utf8(c.text);
    } else {
      EXPECT_EQ(g->GetInts(1, 1), c.value) << Utf8(c.text);
    }
    if (c.allRaises) {
      EXPECT_THROW(g->GetAllInts(1, 1), EAdvGridError) << Utf8(c.text);
    } else {
      EXPECT_EQ(g->GetAllInts(1, 1), c.value) << Utf8(c.text);
    }
    EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), Utf8(c.text));  // reading never changes the cell
  }
  try {
    g->SetCellEx(1, 1, u"7a");
    g->GetInts(1, 1);
  } catch (const EAdvGridError& e) {
    EXPECT_EQ(Utf8(e.Message()), "Cell does not contain integer value");
  }
  g->SetInts(2, 3, -5);
  EXPECT_EQ(Utf8(g->GetCellEx(2, 3)), "-5");
  g->SetAllInts(2, 4, 9);
  EXPECT_EQ(g->GetAllInts(2, 4), 9);
}

TEST_F(AdvGridTyped, FloatsFromCellTexts) {
  struct Case { const char16_t* text; double value; bool raises; };
  const Case cases[] = {
      {u"(1.5)", -1.5, false}, {u"EUR 3", 3, false},   {u"1,234.5", 1234.5, false},
      {u"", 0, false},         {u"-", 0, false},       {u"<i>2.5</i>", 2.5, false},
      {u"x", 0, true},         {u"-7.25 kg", -7.25, false}, {u"1e3", 1000, false},
      {u"e", 0, true},         {u"abc", 0, true},      {u" ", 0, false},
  };
  for (const Case& c : cases) {
    g->SetCellEx(1, 1, c.text);
    if (c.raises) {
      EXPECT_THROW(g->GetFloats(1, 1), EAdvGridError) << Utf8(c.text);
    } else {
      EXPECT_DOUBLE_EQ(g->GetFloats(1, 1), c.value) << Utf8(c.text);
    }
  }
  g->SetCellEx(1, 1, u"1<sup>2</sup>");
  EXPECT_DOUBLE_EQ(g->GetFloats(1, 1), 12);     // tags removed first
  EXPECT_DOUBLE_EQ(g->GetAllFloats(1, 1), 1);   // the raw text ends at the tag
}

TEST_F(AdvGridTyped, FloatsWrittenInTheCellFormatWithTheLocaleSeparator) {
  g->SetFloats(1, 1, 3.14159);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "3.14");
  FormatSettings().DecimalSeparator = u',';
  FormatSettings().ThousandSeparator = u'.';
  g->SetFloats(1, 2, 3.14159);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 2)), "3,14");
  EXPECT_DOUBLE_EQ(g->GetFloats(1, 2), 3.14);  // read back under the same locale
  g->SetFloatFormat(u"%.3f");
  g->SetAllFloats(2, 2, 2.5);
  EXPECT_EQ(Utf8(g->GetCellEx(2, 2)), "2,500");
}

TEST_F(AdvGridTyped, DatesAndTimesRoundTrip) {
  const TDateTime d = EncodeDate(2024, 2, 29);
  g->SetDates(1, 1, d);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "2/29/2024");
  EXPECT_DOUBLE_EQ(g->GetDates(1, 1), d);
  const TDateTime t = EncodeTime(13, 5, 9, 0);
  g->SetTimes(1, 2, t);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 2)), "13:05:09");
  EXPECT_NEAR(g->GetTimes(1, 2), t, 1e-9);

  g->ShowNullDates = false;
  g->SetDates(1, 3, 0);
  EXPECT_TRUE(g->GetCellEx(1, 3).empty());
  g->ShowNullDates = true;
  g->SetDates(1, 3, 0);
  EXPECT_EQ(Utf8(g->GetCellEx(1, 3)), "12/30/1899");

  g->SetCellEx(1, 4, u"no date");
  EXPECT_THROW(g->GetDates(1, 4), EConvertError);
  EXPECT_THROW(g->GetTimes(1, 4), EConvertError);
}

TEST_F(AdvGridTyped, ControlValuesOfHtmlCells) {
  g->SetCellEx(1, 1, u"Name: <CONTROL TYPE=\"EDIT\" ID=\"ED1\" VALUE=\"abc\">");
  EXPECT_EQ(Utf8(g->GetCtrlVal(1, 1, u"ED1")), "abc");
  EXPECT_TRUE(g->GetCtrlVal(1, 1, u"ED2").empty());
  g->SetCtrlVal(1, 1, u"ED1", u"xyz");
  EXPECT_EQ(Utf8(g->GetCtrlVal(1, 1, u"ED1")), "xyz");
  const String before = g->GetCellEx(1, 1);
  g->SetCtrlVal(1, 1, u"ED2", u"q");
  EXPECT_EQ(g->GetCellEx(1, 1), before);
}

TEST_F(AdvGridTyped, VersionAndPrintMetrics) {
  EXPECT_EQ(Utf8(g->Version()), "6.2.1.3");
  g->SetVersion(u"1.0");
  EXPECT_EQ(Utf8(g->Version()), "6.2.1.3");
  EXPECT_EQ(Utf8(g->GetVersionString()), "6.2.1.3 Sep, 2012");
  EXPECT_EQ(g->PrintColWidth(0), 0);
  EXPECT_EQ(g->PrintColOffset(511), 0);
  for (int bad : {-1, 512}) {
    EXPECT_THROW(g->PrintColWidth(bad), EAdvGridError) << bad;
    EXPECT_THROW(g->PrintColOffset(bad), EAdvGridError) << bad;
  }
  try {
    g->PrintColWidth(512);
  } catch (const EAdvGridError& e) {
    EXPECT_EQ(Utf8(e.Message()), "Columns is not in valid range");
  }
}

TEST_F(AdvGridTyped, IntsWriteRepaintsTheDisplayedCellOfAHiddenLayout) {
  advgrid_test::GridForm<> f;
  f.grid->HideColumn(1);
  f.grid->TakeInvalidatedRects();
  f.grid->SetInts(3, 1, 5);  // real column 3 shows at display column 2
  const auto rects = f.grid->TakeInvalidatedRects();
  const TRect cell = f.grid->CellRect(2, 1);
  bool covered = false;
  for (const TRect& r : rects) covered |= r.Left <= cell.Left && r.Right >= cell.Right && r.Top <= cell.Top && r.Bottom >= cell.Bottom;
  EXPECT_TRUE(covered);
}

}  // namespace
