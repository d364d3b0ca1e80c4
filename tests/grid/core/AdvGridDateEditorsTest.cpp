// The date, time and date-and-time editors over grid cells: the date they open on, what they
// write back, their keys, the typed-digit field advance and the grid events they fire.
#include <gtest/gtest.h>

#include "AdvGridEditorsTestSupport.h"

namespace {

using editors_test::EditorForm;
using editors_test::Utf8;

constexpr int kCol = 2;
constexpr int kRow = 2;

// Day-month-year dates with "/" for one test.
struct DayMonthYear {
  String oldFormat = FormatSettings().ShortDateFormat;
  Char oldSep = FormatSettings().DateSeparator;
  DayMonthYear() {
    FormatSettings().ShortDateFormat = u"dd/mm/yyyy";
    FormatSettings().DateSeparator = u'/';
  }
  ~DayMonthYear() {
    FormatSettings().ShortDateFormat = oldFormat;
    FormatSettings().DateSeparator = oldSep;
  }
};

struct DateForm : EditorForm {
  DayMonthYear dmy;
  TGridDatePicker* picker() { return grid->DateTimePicker(); }
  bool open() { return picker()->Visible() && grid->InEditMode(); }
};

TEST(AdvGridDateEditor, OpeningDateWithinTheLimits) {
  struct Case {
    const char* name;
    const char16_t* text;
    TDateTime expected;  // 0: now
  };
  const TDateTime minDate = EncodeDate(2024, 1, 10), maxDate = EncodeDate(2024, 1, 20);
  const Case cases[] = {
      {"above MaxDate opens on MaxDate", u"25/01/2024", maxDate},
      {"MaxDate itself stays", u"20/01/2024", maxDate},
      {"MinDate itself stays", u"10/01/2024", minDate},
      {"below MinDate opens on MinDate", u"01/01/2024", minDate},
      {"inside stays", u"15/01/2024", EncodeDate(2024, 1, 15)},
      {"an empty text opens on now", u"", 0},
      {"no date opens on now", u"soon", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DateForm f;
    f.picker()->SetMinDate(minDate);
    f.picker()->SetMaxDate(maxDate);
    if (c.expected == 0) {
      f.picker()->SetMinDate(0);
      f.picker()->SetMaxDate(0);
    }
    f.Edit(kCol, kRow, edDateEdit, c.text);
    ASSERT_TRUE(f.open());
    EXPECT_DOUBLE_EQ(f.picker()->DateTime(), c.expected == 0 ? Now() : c.expected);
    EXPECT_EQ(f.picker()->Kind(), dtkDate);
    EXPECT_TRUE(f.Has("prop 2,2"));
  }
}

TEST(AdvGridDateEditor, OpenedAndClosedUntouchedTheCellKeepsItsDate) {
  DateForm f;
  f.picker()->SetMinDate(EncodeDate(2024, 1, 10));
  f.picker()->SetMaxDate(EncodeDate(2024, 1, 20));
  for (const char16_t* text : {u"10/01/2024", u"20/01/2024"}) {
    f.Edit(kCol, kRow, edDateEdit, text);
    f.grid->HideInplaceEdit();
    EXPECT_EQ(f.grid->GetCellEx(kCol, kRow), text);
  }
}

TEST(AdvGridDateEditor, UpDownKindAndDirectDateDrop) {
  DateForm f;
  f.Edit(kCol, kRow, edDateEditUpDown, u"15/01/2024");
  EXPECT_EQ(f.picker()->DateMode(), dmUpDown);
  EXPECT_FALSE(f.picker()->DroppedDown());
  f.grid->HideInplaceEdit();

  std::vector<std::string> events;
  f.grid->OnDatePickerDropDown = [&](TObject*, int r, int c) {
    events.push_back("drop " + std::to_string(r) + "," + std::to_string(c));
  };
  f.grid->MouseActions()->SetDirectDateDrop(true);
  f.Edit(kCol, kRow, edDateEdit, u"15/01/2024");
  EXPECT_EQ(f.picker()->DateMode(), dmComboBox);
  EXPECT_TRUE(f.picker()->DroppedDown());
  EXPECT_EQ(events, std::vector<std::string>{"drop 2,2"});
}

TEST(AdvGridDateEditor, EnterInAnOpenCalendarKeepsTheEditor) {
  DateForm f;
  f.grid->MouseActions()->SetDirectDateDrop(true);
  f.Edit(kCol, kRow, edDateEdit, u"15/01/2024");
  ASSERT_TRUE(f.picker()->DroppedDown());
  f.Key(VK_RETURN);
  EXPECT_FALSE(f.picker()->DroppedDown());
  EXPECT_TRUE(f.open());
  f.Key(VK_RETURN);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.Cell(kCol, kRow), "15/01/2024");
}

TEST(AdvGridDateEditor, ClearedCheckBoxCommitsAnEmptyText) {
  DateForm f;
  f.picker()->SetShowCheckbox(true);
  f.Edit(kCol, kRow, edDateEdit, u"15/01/2024");
  f.Key(VK_SPACE);
  ASSERT_FALSE(f.picker()->Checked());
  f.grid->HideInplaceEdit();
  EXPECT_EQ(f.Cell(kCol, kRow), "");
}

TEST(AdvGridDateEditor, CalendarNotificationsAreAnsweredZero) {
  DateForm f;
  TNMHdr hdr;
  TMessage m;
  m.Msg = CN_NOTIFY;
  m.LParam = reinterpret_cast<intptr_t>(&hdr);
  m.Result = 1;  // whatever a handler before left
  f.picker()->WndProc(m);
  EXPECT_EQ(m.Result, 0);
}

TEST(AdvGridDateEditor, TwoDayDigitsMoveToTheMonthTheYearsLastDigitDoesNot) {
  DateForm f;
  f.picker()->SetFormat(u"dd/MM/yyyy");
  f.Edit(kCol, kRow, edDateEdit, u"01/03/2024");
  ASSERT_EQ(f.picker()->FieldIndex(), 0);
  f.Type(u"1");
  EXPECT_EQ(f.picker()->FieldIndex(), 0);
  f.Type(u"5");
  EXPECT_EQ(f.picker()->FieldIndex(), 1);
  f.Type(u"04");
  EXPECT_EQ(f.picker()->FieldIndex(), 2);
  f.Type(u"2025");
  EXPECT_EQ(f.picker()->FieldIndex(), 2);
  EXPECT_EQ(f.picker()->DisplayText(), u"15/04/2025");
}

TEST(AdvGridDateEditor, EscapeTakesTheCellsDateBackAndCloses) {
  DateForm f;
  f.Edit(kCol, kRow, edDateEdit, u"15/01/2024");
  f.Key(VK_UP);
  EXPECT_NE(f.picker()->DateTime(), EncodeDate(2024, 1, 15));
  f.Key(VK_ESCAPE);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.Cell(kCol, kRow), "15/01/2024");
  EXPECT_TRUE(f.Has("done"));
}

TEST(AdvGridDateEditor, ChangesAndCalendarClosingReachTheGrid) {
  DateForm f;
  std::vector<std::string> events;
  f.grid->OnEditChange = [&](TObject*, int c, int r, const String& v) {
    events.push_back("change " + std::to_string(c) + "," + std::to_string(r) + " " + Utf8(v));
  };
  f.grid->OnDatePickerCloseUp = [&](TObject*, int r, int c) {
    events.push_back("closeup " + std::to_string(r) + "," + std::to_string(c));
  };
  f.grid->MouseActions()->SetDirectDateClose(true);
  f.Edit(kCol, kRow, edDateEdit, u"15/01/2024");
  f.Key(VK_UP);
  f.Key(VK_F4);
  f.Key(VK_ESCAPE);
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events.front(), "change 2,2 16/01/2024");
  EXPECT_EQ(events.back(), "closeup 2,2");
  EXPECT_FALSE(f.open());
}

TEST(AdvGridDateEditor, APickedDateReachesOnDateTimeChangeAndAClearedPickerReportsZero) {
  DateForm f;
  f.picker()->SetShowCheckbox(true);
  std::vector<TDateTime> dates;
  f.grid->OnDateTimeChange = [&](TObject*, int c, int r, TDateTime d) {
    EXPECT_EQ(c, kCol);
    EXPECT_EQ(r, kRow);
    dates.push_back(d);
  };
  f.Edit(kCol, kRow, edDateEdit, u"15/01/2024");
  f.Key(VK_UP);
  ASSERT_EQ(dates.size(), 1u);
  EXPECT_EQ(dates[0], EncodeDate(2024, 1, 16));
  f.Key(VK_SPACE);  // clears the check box: no date
  ASSERT_EQ(dates.size(), 2u);
  EXPECT_EQ(dates[1], 0);
  f.Key(VK_SPACE);
  ASSERT_EQ(dates.size(), 3u);
  EXPECT_EQ(dates[2], EncodeDate(2024, 1, 16));
}

TEST(AdvGridTimeEditor, OpensOnTheTimeAndIgnoresTheStartCharacter) {
  DateForm f;
  // The commit writes the time in the picker's own format.
  f.picker()->SetFormat(u"HH:mm:ss");
  f.kinds[kCol] = edTimeEdit;
  f.grid->SetCellEx(kCol, kRow, u"10:30:00");
  f.grid->GotoCell(kCol, kRow);
  f.grid->SetFocus();
  f.driver.Character(f.form, u'7');
  f.driver.DrainPosted();
  ASSERT_TRUE(f.open());
  EXPECT_EQ(f.picker()->Kind(), dtkTime);
  EXPECT_EQ(f.picker()->DisplayText(), u"10:30:00");
  f.grid->HideInplaceEdit();
  EXPECT_EQ(f.Cell(kCol, kRow), "10:30:00");
}

// ---- date and time ----------------------------------------------------------------------------

struct DateTimeForm : EditorForm {
  DayMonthYear dmy;
  TGridDateTimePicker* picker() { return grid->DateAndTimePicker(); }
  bool open() { return picker()->Visible() && grid->InEditMode(); }
};

TEST(AdvGridDateTimeEditor, EscapeRestoresTheOpeningValueAndCommitsIt) {
  DateTimeForm f;
  f.Edit(kCol, kRow, edDateTimeEdit, u"15/01/2024 10:30");
  ASSERT_TRUE(f.open());
  const TDateTime opened = f.picker()->DateTime();
  EXPECT_DOUBLE_EQ(f.grid->OriginalDateTime(), opened);
  f.picker()->SetDateTime(EncodeDate(2025, 6, 1));
  f.Key(VK_ESCAPE);
  EXPECT_FALSE(f.open());
  EXPECT_DOUBLE_EQ(f.picker()->DateTime(), opened);
  EXPECT_EQ(f.grid->GetCellEx(kCol, kRow),
            FormatDateTime(FormatSettings().ShortDateFormat + u" " + FormatSettings().ShortTimeFormat, opened));
}

TEST(AdvGridDateTimeEditor, IgnoresTheStartCharacterAndOpensOnNowWithoutADate) {
  DateTimeForm f;
  f.kinds[kCol] = edDateTimeEdit;
  f.grid->SetCellEx(kCol, kRow, u"");
  f.grid->GotoCell(kCol, kRow);
  f.grid->SetFocus();
  f.driver.Character(f.form, u'7');
  f.driver.DrainPosted();
  ASSERT_TRUE(f.open());
  EXPECT_DOUBLE_EQ(f.picker()->DateTime(), static_cast<double>(static_cast<int64_t>(Now() * 86400.0)) / 86400.0);
}

TEST(AdvGridDateTimeEditor, DateAndTimeChangesFireOnDateTimeChangeOnceEach) {
  DateTimeForm f;
  std::vector<TDateTime> dates;
  f.grid->OnDateTimeChange = [&](TObject*, int, int, TDateTime d) { dates.push_back(d); };
  f.Edit(kCol, kRow, edDateTimeEdit, u"15/01/2024 10:30");
  ASSERT_TRUE(f.open());
  f.Key(VK_UP);  // the day field of the date part
  ASSERT_EQ(dates.size(), 1u);
  EXPECT_DOUBLE_EQ(dates[0], f.picker()->DateTime());
  TCustomDateTimePicker* time = f.picker()->TimePicker();
  ASSERT_NE(time, nullptr);
  time->SetFocus();
  f.Key(VK_UP);  // the hour field of the time part
  ASSERT_EQ(dates.size(), 2u);
  EXPECT_DOUBLE_EQ(dates[1], f.picker()->DateTime());
  EXPECT_NE(dates[1], dates[0]);
}

TEST(AdvGridDateEditors, OwnersMustBeStringGrids) {
  TForm* form = New<TForm>(nullptr);
  EXPECT_THROW(TGridDatePicker picker(form), EInvalidCast);
  EXPECT_THROW(TGridDateTimePicker picker(form), EInvalidCast);
  delete form;
}

}  // namespace
