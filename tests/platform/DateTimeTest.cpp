#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/SysUtils.h"
#include "platform/TimeSource.h"

namespace {

class DateTime : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatSettings() = TFormatSettings();
    clock_.Install();
  }
  void TearDown() override { FormatSettings() = saved_; }

  TFormatSettings saved_ = FormatSettings();
  // 2026-12-10 09:30, so "this year" and the two-digit year window are fixed.
  VirtualClock clock_{46366.0 + 9.5 / 24};
};

struct Ymd {
  int y, m, d;
};

Ymd DateOf(TDateTime dt) {
  uint16_t y, m, d;
  DecodeDate(dt, y, m, d);
  return {y, m, d};
}

std::string Hms(TDateTime dt) {
  uint16_t h, n, s, z;
  DecodeTime(dt, h, n, s, z);
  char buf[32];
  snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d", h, n, s, z);
  return buf;
}

}  // namespace

TEST_F(DateTime, EncodeDateCountsDaysFrom1899_12_30) {
  struct Case { int y, m, d; double want; };
  const Case cases[] = {{1899, 12, 30, 0},      {1899, 12, 29, -1},    {1900, 1, 1, 2},
                        {2000, 1, 1, 36526},    {2024, 2, 29, 45351},  {2026, 12, 10, 46366},
                        {1, 1, 1, -693593},     {9999, 12, 31, 2958465}};
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.want) << c.y << "-" << c.m << "-" << c.d;
    Ymd back = DateOf(c.want);
    EXPECT_EQ(back.y, c.y);
    EXPECT_EQ(back.m, c.m);
    EXPECT_EQ(back.d, c.d);
  }
}

TEST_F(DateTime, InvalidPartsRaiseConversionErrors) {
  struct Case { int y, m, d; };
  const Case bad[] = {{2023, 2, 29}, {2100, 2, 29}, {0, 1, 1}, {10000, 1, 1}, {2024, 13, 1},
                      {2024, 0, 1},  {2024, 4, 31}, {2024, 1, 0}};
  for (const Case& c : bad) {
    TDateTime out = -7;
    EXPECT_FALSE(TryEncodeDate(c.y, c.m, c.d, out));
    EXPECT_EQ(out, -7);
    try {
      EncodeDate(c.y, c.m, c.d);
      ADD_FAILURE() << c.y << "-" << c.m << "-" << c.d;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), u"Invalid argument to date encode");
    }
  }
  try {
    EncodeTime(24, 0, 0, 0);
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"Invalid argument to time encode");
  }
  EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
  EXPECT_THROW(EncodeTime(-1, 0, 0, 0), EConvertError);
}

TEST_F(DateTime, TimeOfDayAndNegativeDates) {
  EXPECT_EQ(Hms(EncodeTime(13, 45, 30, 250)), "13:45:30.250");
  EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  // Before 1899-12-30 the fraction still counts forward from midnight.
  Ymd d = DateOf(-1.25);
  EXPECT_EQ(d.y, 1899);
  EXPECT_EQ(d.m, 12);
  EXPECT_EQ(d.d, 29);
  EXPECT_EQ(Hms(-1.25), "06:00:00.000");
  // Rounding up to midnight moves to the next day instead of reporting hour 24.
  const TDateTime almost = EncodeDate(2024, 12, 31) + 0.99999999999;
  d = DateOf(almost);
  EXPECT_EQ(d.y, 2025);
  EXPECT_EQ(d.m, 1);
  EXPECT_EQ(d.d, 1);
  EXPECT_EQ(Hms(almost), "00:00:00.000");
  uint16_t y = 1, m = 1, dd = 1;
  DecodeDate(std::nan(""), y, m, dd);
  EXPECT_EQ(y + m + dd, 0);
  DecodeDate(1e300, y, m, dd);
  EXPECT_EQ(y + m + dd, 0);
}

TEST_F(DateTime, CalendarHelpers) {
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_EQ(DaysInAMonth(2023, 2), 28);
  EXPECT_EQ(DaysInAMonth(2023, 12), 31);
  EXPECT_EQ(DaysInAMonth(2023, 13), 0);
  struct Case { double dt; int dow; };
  const Case cases[] = {{0, 7}, {1, 1}, {-1, 6}, {-7, 7}, {46366.75, 5}, {-693593, 2}};
  for (const Case& c : cases) EXPECT_EQ(DayOfWeek(c.dt), c.dow) << c.dt;
}

TEST_F(DateTime, IncMonthClampsTheDayAndKeepsTheTime) {
  struct Case { int y, m, d, n; int wy, wm, wd; };
  const Case cases[] = {{2024, 1, 31, 1, 2024, 2, 29},   {2023, 1, 31, 1, 2023, 2, 28},
                        {2024, 3, 31, -1, 2024, 2, 29},  {2024, 1, 15, -13, 2022, 12, 15},
                        {2024, 11, 30, 14, 2026, 1, 30}, {2024, 5, 31, 0, 2024, 5, 31}};
  for (const Case& c : cases) {
    TDateTime r = IncMonth(EncodeDate(c.y, c.m, c.d) + EncodeTime(8, 15, 0, 0), c.n);
    Ymd got = DateOf(r);
    EXPECT_EQ(got.y, c.wy) << c.y << "-" << c.m << "-" << c.d << " " << c.n;
    EXPECT_EQ(got.m, c.wm);
    EXPECT_EQ(got.d, c.wd);
    EXPECT_EQ(Hms(r), "08:15:00.000");
  }
  EXPECT_EQ(Hms(IncMonth(-1.25, 1)), "06:00:00.000");
  EXPECT_EQ(DateOf(IncMonth(-1.25, 1)).m, 1);
  EXPECT_EQ(IncMonth(EncodeDate(1, 1, 1), 1), EncodeDate(1, 2, 1));
  EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
  EXPECT_THROW(IncMonth(EncodeDate(1, 1, 1), -1), EConvertError);
}

TEST_F(DateTime, FormatDateTimeLetters) {
  const TDateTime dt = EncodeDate(2026, 3, 7) + EncodeTime(14, 5, 9, 45);  // a Saturday
  const TDateTime morning = EncodeDate(2026, 3, 7) + EncodeTime(0, 7, 0, 0);
  struct Case { const char16_t* fmt; TDateTime v; const char16_t* want; };
  const Case cases[] = {
      {u"yyyy-mm-dd hh:nn:ss.zzz", dt, u"2026-03-07 14:05:09.045"},
      {u"d/m/yy", dt, u"7/3/26"},
      {u"h:mm", dt, u"14:05"},
      {u"h 'x' m", dt, u"14 x 5"},
      {u"m", dt, u"3"},
      {u"hh:mm:ss am/pm", dt, u"02:05:09 pm"},
      {u"h:nn AM/PM", morning, u"12:07 AM"},
      {u"h a/p", dt, u"2 p"},
      {u"h A/P", morning, u"12 A"},
      {u"h ampm", dt, u"2 PM"},
      {u"hh 'ampm'", dt, u"14 ampm"},
      {u"h \"h\" h ampm", dt, u"14 h 2 PM"},
      {u"mmm mmmm ddd dddd", dt, u"Mar March Sat Saturday"},
      {u"MMM DD YYYY", dt, u"Mar 07 2026"},
      {u"'quoted h' \"nn\" nn", dt, u"quoted h nn 05"},
      {u"z|zzz|s|n", dt, u"45|045|9|5"},
      {u"c", dt, u"3/7/2026 2:05:09 PM"},
      {u"c", EncodeDate(2026, 3, 7), u"3/7/2026"},
      {u"ddddd|dddddd", dt, u"3/7/2026|Saturday, March 7, 2026"},
      {u"t|tt", dt, u"2:05 PM|2:05:09 PM"},
      {u"y", dt, u"26"},
      {u"yyy", dt, u"2026"},
      {u"hh:nn", EncodeDate(1, 1, 1), u"00:00"},
      {u"yyyy-mm-dd", EncodeDate(1, 1, 1), u"0001-01-01"},
      {u"[x] A? 'open", dt, u"[x] A? open"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.fmt, c.v), String(c.want)) << StringToUtf8(c.fmt);
}

TEST_F(DateTime, SeparatorsAndFormatsComeFromTheSettings) {
  TFormatSettings& fs = FormatSettings();
  fs.DateSeparator = u'.';
  fs.TimeSeparator = u'-';
  fs.ShortDateFormat = u"dd/mm/yyyy";
  fs.LongTimeFormat = u"hh:nn:ss";
  fs.ShortMonthNames[2] = u"M\u00e4r";
  const TDateTime dt = EncodeDate(2026, 3, 7) + EncodeTime(14, 5, 9, 0);
  EXPECT_EQ(FormatDateTime(u"yyyy/mm/dd hh:nn", dt), u"2026.03.07 14-05");
  EXPECT_EQ(FormatDateTime(u"mmm", dt), u"M\u00e4r");
  EXPECT_EQ(DateToStr(dt), u"07.03.2026");
  EXPECT_EQ(TimeToStr(dt), u"14-05-09");
  EXPECT_EQ(DateTimeToStr(dt), u"07.03.2026 14-05-09");
  // A format that names itself stops instead of recursing forever.
  fs.ShortDateFormat = u"x ddddd";
  EXPECT_EQ(DateToStr(dt), u"x ");
}

TEST_F(DateTime, StrToDateReadsTheOrderOfTheShortDateFormat) {
  struct Case { const char16_t* format; Char sep; const char16_t* text; int y, m, d; };
  const Case cases[] = {
      {u"M/d/yyyy", u'/', u"3/7/2026", 2026, 3, 7},
      {u"M/d/yyyy", u'/', u" 3 / 7 / 2026 ", 2026, 3, 7},
      {u"dd.MM.yyyy", u'.', u"07.03.2026", 2026, 3, 7},
      {u"dd.MM.yyyy", u'.', u"7.3", 2026, 3, 7},     // this year
      {u"dd.MM.yyyy", u'.', u"7.3.26", 2026, 3, 7},  // window: 1976..2075
      {u"dd.MM.yyyy", u'.', u"7.3.76", 1976, 3, 7},
      {u"dd.MM.yyyy", u'.', u"7.3.75", 2075, 3, 7},
      {u"dd.MM.yyyy", u'.', u"7.3.0026", 26, 3, 7},  // four digits are taken as written
      {u"yyyy-MM-dd", u'-', u"2026-03-07", 2026, 3, 7},
      {u"yyyy-MM-dd", u'-', u"03-07", 2026, 3, 7},
      {u"'day' d/M/yy", u'/', u"7/3/26", 2026, 3, 7},
  };
  for (const Case& c : cases) {
    FormatSettings().ShortDateFormat = c.format;
    FormatSettings().DateSeparator = c.sep;
    TDateTime v = 0;
    ASSERT_TRUE(TryStrToDate(c.text, v)) << StringToUtf8(c.text);
    EXPECT_EQ(v, EncodeDate(c.y, c.m, c.d)) << StringToUtf8(c.text);
  }
}

TEST_F(DateTime, StrToDateRejectsMalformedText) {
  FormatSettings().ShortDateFormat = u"dd.MM.yyyy";
  FormatSettings().DateSeparator = u'.';
  for (const char16_t* text : {u"", u"7", u"32.1.2026", u"29.2.2023", u"7/3/2026", u"7.3.2026x",
                               u"7.3.2026 10:00", u"7..2026", u"7.3.", u"a.b.c", u"7.3.12345"}) {
    TDateTime v = -5;
    EXPECT_FALSE(TryStrToDate(text, v)) << StringToUtf8(text);
    EXPECT_EQ(v, -5);
    EXPECT_EQ(StrToDateDef(text, 42), 42);
  }
  try {
    StrToDate(u"x");
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'x' is not a valid date");
  }
}

TEST_F(DateTime, StrToTimeReadsHoursMinutesSecondsAndAmPm) {
  struct Case { const char16_t* text; bool ok; const char* want; };
  const Case cases[] = {
      {u"14:05", true, "14:05:00.000"},        {u"14:05:09", true, "14:05:09.000"},
      {u"14:05:09.045", true, "14:05:09.045"}, {u"2:05 PM", true, "14:05:00.000"},
      {u"2:05pm", true, "14:05:00.000"},       {u"12:00 AM", true, "00:00:00.000"},
      {u"12:30 pm", true, "12:30:00.000"},     {u"14", true, "14:00:00.000"},
      {u"5 AM", true, "05:00:00.000"},         {u" 7:08 ", true, "07:08:00.000"},
      {u"13:00 PM", false, ""},                {u"0:10 AM", false, ""},
      {u"25:00", false, ""},                   {u"10:60", false, ""},
      {u"", false, ""},                        {u"10:", false, ""},
      {u"10:05 XM", false, ""},                {u"ten", false, ""},
  };
  for (const Case& c : cases) {
    TDateTime v = -3;
    EXPECT_EQ(TryStrToTime(c.text, v), c.ok) << StringToUtf8(c.text);
    if (c.ok) {
      EXPECT_EQ(Hms(v), c.want) << StringToUtf8(c.text);
      EXPECT_LT(v, 1.0);
    }
  }
  FormatSettings().TimeSeparator = u'.';
  FormatSettings().DecimalSeparator = u',';
  EXPECT_EQ(Hms(StrToTime(u"9.30.15,5")), "09:30:15.005");
  try {
    StrToTime(u"99:99");
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'99:99' is not a valid time");
  }
  EXPECT_EQ(StrToTimeDef(u"bad", 0.25), 0.25);
}

TEST_F(DateTime, StrToDateTimeCombinesBoth) {
  const TDateTime want = EncodeDate(2026, 3, 7) + EncodeTime(14, 5, 9, 0);
  EXPECT_EQ(StrToDateTime(u"3/7/2026 14:05:09"), want);
  EXPECT_EQ(StrToDateTime(u"3/7/2026 2:05:09 PM"), want);
  EXPECT_EQ(StrToDateTime(u"3/7/2026"), EncodeDate(2026, 3, 7));
  EXPECT_EQ(StrToDateTime(u"14:05:09"), EncodeTime(14, 5, 9, 0));
  EXPECT_EQ(StrToDateTime(DateTimeToStr(want)), want);
  // Before 1899-12-30 the time still lies later in the same day.
  TDateTime old = StrToDateTime(u"6/1/1850 18:00");
  EXPECT_EQ(DateOf(old).y, 1850);
  EXPECT_EQ(Hms(old), "18:00:00.000");
  try {
    StrToDateTime(u"3/7/2026 x");
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'3/7/2026 x' is not a valid date and time");
  }
  EXPECT_EQ(StrToDateTimeDef(u"", 1.5), 1.5);
}

TEST_F(DateTime, NowDateAndTimeReadTheInstalledClock) {
  EXPECT_EQ(Now(), 46366.0 + 9.5 / 24);
  EXPECT_EQ(Date(), 46366.0);
  EXPECT_EQ(Hms(Time()), "09:30:00.000");
  clock_.Advance(15 * 3600 * 1000);  // past midnight
  EXPECT_EQ(Date(), 46367.0);
  EXPECT_EQ(Hms(Now()), "00:30:00.000");
}
