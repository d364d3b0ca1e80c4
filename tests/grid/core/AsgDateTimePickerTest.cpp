// The date-time pickers: the platform picker's fields, format, calendar, check box and change
// notification to its parent; the pack's automatic field advance, the inner time picker of the
// date-and-time kind, the label, the versions and the metro look's painting.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "AsgPackTestSupport.h"
#include "grid/core/AsgDateTimePicker.h"
#include "platform/ExtCtrls.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/PaintToPng.h"
#include "platform/testing/ScopedPlatformProfile.h"

namespace {

using asgpack_test::PackForm;

TDateTime PickerAt(int Y, int M, int D, int H = 0, int N = 0, int S = 0, int Ms = 0) {
  return EncodeDate(Y, M, D) + EncodeTime(H, N, S, Ms);
}

template <class T>
struct PickerForm : PackForm {
  T* picker = Place(New<T>(form), 100, 50, 200, 21);
  int changes = 0;
  PickerForm() {
    picker->OnChange = [this](TObject*) { ++changes; };
    picker->SetFocus();
  }
};

TEST(DateTimePicker, RightMovesToTheNextFieldAndArrowsStepIt) {
  PickerForm<TDateTimePicker> t;
  t.picker->SetFormat(u"dd/MM/yyyy");
  t.picker->SetDateTime(PickerAt(2024, 1, 31));
  EXPECT_EQ(t.picker->DisplayText(), u"31/01/2024");
  EXPECT_EQ(t.picker->FieldCount(), 3);
  t.driver.Key(t.form, VK_UP);  // the day wraps within its month
  EXPECT_EQ(t.picker->DisplayText(), u"01/01/2024");
  t.driver.Key(t.form, VK_RIGHT);
  EXPECT_EQ(t.picker->FieldIndex(), 1);
  t.driver.Key(t.form, VK_DOWN);
  EXPECT_EQ(t.picker->DisplayText(), u"01/12/2024");
  t.driver.Key(t.form, VK_RIGHT);
  t.driver.Key(t.form, VK_RIGHT);  // stays on the last field
  EXPECT_EQ(t.picker->FieldIndex(), 2);
  t.driver.Key(t.form, VK_UP);
  EXPECT_EQ(t.picker->DisplayText(), u"01/12/2025");
  t.driver.Key(t.form, VK_LEFT);
  EXPECT_EQ(t.picker->FieldIndex(), 1);
  EXPECT_EQ(t.changes, 3);
}

TEST(DateTimePicker, TypedDigitsFillTheField) {
  PickerForm<TDateTimePicker> t;
  t.picker->SetFormat(u"dd/MM/yyyy");
  t.picker->SetDateTime(PickerAt(2024, 2, 10));
  t.driver.Type(t.form, u"29");
  EXPECT_EQ(t.picker->DisplayText(), u"29/02/2024");
  t.driver.Type(t.form, u"4");  // a third digit starts the field over
  EXPECT_EQ(t.picker->DisplayText(), u"04/02/2024");
  t.driver.Key(t.form, VK_END);
  t.driver.Type(t.form, u"202");
  EXPECT_EQ(t.picker->DisplayText(), u"04/02/2024");  // a year is taken when complete
  t.driver.Type(t.form, u"5");
  EXPECT_EQ(t.picker->DisplayText(), u"04/02/2025");
}

TEST(DateTimePicker, EmptyFormatTakesTheLocalesAtEveryCall) {
  PickerForm<TDateTimePicker> t;
  t.picker->SetDateTime(PickerAt(2025, 3, 5, 14, 7, 9));
  EXPECT_EQ(t.picker->DisplayText(), u"05/03/2025");
  FormatSettings().ShortDateFormat = u"yyyy-mm-dd";
  FormatSettings().DateSeparator = u'-';
  EXPECT_EQ(t.picker->DisplayText(), u"2025-03-05");
  t.picker->SetKind(dtkTime);
  EXPECT_EQ(t.picker->DisplayText(), u"14:07:09");
  FormatSettings().LongTimeFormat = u"h:nn AMPM";
  EXPECT_EQ(t.picker->DisplayText(), u"2:07 PM");
  EXPECT_EQ(t.picker->EffectiveFormat(), u"h'" + String(1, FormatSettings().TimeSeparator) + u"'mm tt");
}

TEST(DateTimePicker, ValueStaysBetweenMinDateAndMaxDate) {
  PickerForm<TDateTimePicker> t;
  t.picker->SetFormat(u"dd/MM/yyyy");
  t.picker->SetMinDate(PickerAt(2024, 1, 10));
  t.picker->SetMaxDate(PickerAt(2024, 1, 20));
  t.picker->SetDateTime(PickerAt(2023, 5, 5));
  EXPECT_EQ(t.picker->DateTime(), PickerAt(2024, 1, 10));
  t.picker->SetDateTime(PickerAt(2024, 1, 20));
  t.driver.Key(t.form, VK_UP);
  EXPECT_EQ(t.picker->DateTime(), PickerAt(2024, 1, 20));
}

TEST(DateTimePicker, CheckBoxTellsWhetherThereIsADate) {
  PickerForm<TDateTimePicker> t;
  t.picker->SetShowCheckbox(true);
  EXPECT_TRUE(t.picker->Checked());
  t.driver.Key(t.form, VK_SPACE);
  EXPECT_FALSE(t.picker->Checked());
  EXPECT_EQ(t.changes, 1);
  const TDateTime before = t.picker->DateTime();
  t.driver.Key(t.form, VK_UP);  // no value to step
  EXPECT_EQ(t.picker->DateTime(), before);
  t.driver.Click(t.picker, 5, 10);
  EXPECT_TRUE(t.picker->Checked());
}

// A parent that notes the picker's change notifications.
class NotifiedPanel : public TPanel {
 public:
  using TPanel::TPanel;
  std::vector<std::pair<uintptr_t, TDateTime>> seen;  // flags, date
  std::function<void()> onNotify;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_NOTIFY) {
      const auto* n = reinterpret_cast<const TNMDateTimeChange*>(m.LParam);
      EXPECT_EQ(n->Hdr.Code, DTN_DATETIMECHANGE);
      seen.emplace_back(n->Flags, n->St.wYear ? SystemTimeToDateTime(n->St) : 0);
      if (onNotify) onNotify();
    }
    TPanel::WndProc(m);
  }
};

TEST(DateTimePicker, ItsParentHearsOfEachUserChangeBeforeOnChange) {
  PackForm t;
  auto* panel = t.Place(New<NotifiedPanel>(t.form), 10, 10, 300, 60);
  auto* picker = New<TDateTimePicker>(t.form);
  picker->SetParent(panel);
  picker->SetBounds(5, 5, 200, 21);
  picker->SetFormat(u"dd/MM/yyyy");
  picker->SetShowCheckbox(true);
  picker->SetDateTime(PickerAt(2024, 1, 15));  // by code: nothing
  std::vector<std::string> order;
  panel->onNotify = [&] { order.push_back("parent"); };
  picker->OnChange = [&](TObject*) { order.push_back("change"); };
  picker->SetFocus();
  t.driver.Key(t.form, VK_UP);
  t.driver.Key(t.form, VK_SPACE);  // cleared: no date
  t.driver.Key(t.form, VK_SPACE);
  const std::vector<std::pair<uintptr_t, TDateTime>> expected = {
      {GDT_VALID, PickerAt(2024, 1, 16)}, {GDT_NONE, 0}, {GDT_VALID, PickerAt(2024, 1, 16)}};
  EXPECT_EQ(panel->seen, expected);
  EXPECT_EQ(order, (std::vector<std::string>{"parent", "change", "parent", "change", "parent", "change"}));
}

TEST(DateTimePicker, CalendarDropsDownInComboModeOnly) {
  PickerForm<TDateTimePicker> t;
  int drops = 0, closes = 0;
  t.picker->OnDropDown = [&](TObject*) { ++drops; };
  t.picker->OnCloseUp = [&](TObject*) { ++closes; };
  t.picker->SetDateTime(PickerAt(2024, 6, 1, 9, 30));
  t.driver.Key(t.form, VK_F4);
  EXPECT_TRUE(t.picker->DroppedDown());
  t.picker->PickCalendarDate(PickerAt(2024, 6, 17));
  EXPECT_FALSE(t.picker->DroppedDown());
  EXPECT_NEAR(t.picker->DateTime(), PickerAt(2024, 6, 17, 9, 30), 1e-8);  // the time of day stays
  t.driver.Key(t.form, VK_DOWN, TShiftState{ssAlt});
  EXPECT_TRUE(t.picker->DroppedDown());
  t.driver.Key(t.form, VK_ESCAPE);
  EXPECT_FALSE(t.picker->DroppedDown());
  t.driver.Click(t.picker, t.picker->Width() - 5, 10);  // the button
  EXPECT_TRUE(t.picker->DroppedDown());
  t.other->SetFocus();
  EXPECT_FALSE(t.picker->DroppedDown());
  EXPECT_EQ(drops, 3);
  EXPECT_EQ(closes, 3);
  t.picker->SetFocus();
  t.picker->SetDateMode(dmUpDown);
  t.driver.Key(t.form, VK_F4);
  EXPECT_FALSE(t.picker->DroppedDown());
}

TEST(DateTimePicker, CalendarMinimumSizeGrowsWithWeekNumbers) {
  PickerForm<TDateTimePicker> t;
  const TSize plain = t.picker->CalendarMinSize();
  EXPECT_GT(plain.cx, 100);
  EXPECT_GT(plain.cy, 100);
  t.picker->SetCalWeekNumbers(true);
  EXPECT_GT(t.picker->CalendarMinSize().cx, plain.cx);
  t.picker->SetCalWeekNumbers(false);
  t.picker->SetCalShowToday(false);
  EXPECT_LT(t.picker->CalendarMinSize().cy, plain.cy);
}

TEST(DateTimePicker, ClickInTheTextSelectsTheFieldUnderIt) {
  PickerForm<TDateTimePicker> t;
  t.picker->SetFormat(u"dd/MM/yyyy");
  t.picker->SetDateTime(PickerAt(2024, 1, 31));
  // Clicked from left to right over the text, the fields come in their order, each of them.
  std::vector<int> seen;
  for (int x = 3; x < t.picker->Width() - t.picker->DropButtonWidth() - 2; ++x) {
    t.driver.Click(t.picker, x, 10);
    if (seen.empty() || seen.back() != t.picker->FieldIndex()) seen.push_back(t.picker->FieldIndex());
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(t.changes, 0);
  // The clicked field is the one the keys step.
  int monthX = 0;
  for (int x = 3; !monthX && x < 150; ++x) {
    t.driver.Click(t.picker, x, 10);
    if (t.picker->FieldIndex() == 1) monthX = x;
  }
  ASSERT_GT(monthX, 0);
  t.driver.Key(t.form, VK_UP);
  EXPECT_EQ(t.picker->DateTime(), PickerAt(2024, 2, 29));
  // With the check box the text starts after it: a click on the box still toggles it.
  t.picker->SetShowCheckbox(true);
  t.driver.Click(t.picker, 8, 10);
  EXPECT_FALSE(t.picker->Checked());
}

TEST(DateTimePicker, SetTimeMessageSetsOrClearsTheDate) {
  PickerForm<TDateTimePicker> t;
  TSystemTime st = DateTimeToSystemTime(PickerAt(2025, 6, 7, 8, 9, 10));
  EXPECT_EQ(st.wDayOfWeek, 6);  // a Saturday
  EXPECT_EQ(t.picker->Perform(DTM_SETSYSTEMTIME, GDT_NONE, 0), 0);  // no check box: refused
  EXPECT_TRUE(t.picker->Checked());
  t.picker->SetShowCheckbox(true);
  EXPECT_EQ(t.picker->Perform(DTM_SETSYSTEMTIME, GDT_NONE, 0), 1);
  EXPECT_FALSE(t.picker->Checked());
  EXPECT_EQ(t.picker->Perform(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<intptr_t>(&st)), 1);
  EXPECT_TRUE(t.picker->Checked());
  EXPECT_EQ(t.picker->DateTime(), PickerAt(2025, 6, 7, 8, 9, 10));
  TSystemTime bad = st;
  bad.wMonth = 13;
  EXPECT_EQ(t.picker->Perform(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<intptr_t>(&bad)), 0);
  EXPECT_EQ(t.picker->DateTime(), PickerAt(2025, 6, 7, 8, 9, 10));
  EXPECT_EQ(t.changes, 0);  // set by code: no notification
}

TEST(AsgDateTimePicker, AutoTabWalksDayMonthYearIntoTheTimePicker) {
  PickerForm<TAdvDateTimePicker> t;
  t.picker->SetFormat(u"dd/MM/yyyy");
  t.picker->SetTimeFormat(u"HH:mm");
  t.picker->SetAutoTab(true);
  t.picker->SetDateTime(PickerAt(2024, 1, 31, 8, 15));
  t.driver.Type(t.form, u"0");
  EXPECT_EQ(t.picker->FieldIndex(), 0);  // nothing changed yet
  t.driver.Type(t.form, u"5");
  EXPECT_EQ(t.picker->FieldIndex(), 1);
  t.driver.Type(t.form, u"03");
  EXPECT_EQ(t.picker->FieldIndex(), 2);
  t.driver.Type(t.form, u"2025");
  ASSERT_NE(t.picker->TimePicker(), nullptr);
  EXPECT_TRUE(t.picker->TimePicker()->Focused());
  EXPECT_NEAR(t.picker->DateTime(), PickerAt(2025, 3, 5, 8, 15), 1e-8);
  // The inner picker advances from hours to minutes too.
  t.driver.Type(t.form, u"9");
  EXPECT_EQ(t.picker->TimePicker()->FieldIndex(), 1);
  EXPECT_NEAR(t.picker->DateTime(), PickerAt(2025, 3, 5, 9, 15), 1e-8);
}

TEST(AsgDateTimePicker, AutoTabWithoutFormatFollowsTheLocale) {
  PickerForm<TAdvDateTimePicker> t;
  t.picker->SetAutoTab(true);
  t.picker->SetDateTime(PickerAt(2024, 1, 31, 8, 15));
  t.driver.Type(t.form, u"05");
  EXPECT_EQ(t.picker->FieldIndex(), 1);
  t.driver.Type(t.form, u"03");
  t.driver.Type(t.form, u"2025");
  EXPECT_TRUE(t.picker->TimePicker()->Focused());
}

TEST(AsgDateTimePicker, TimePickerMovesFromHoursToMinutes) {
  PickerForm<TCustomDateTimePicker> t;
  t.picker->SetKind(dtkTime);
  t.picker->SetFormat(u"HH:mm");
  t.picker->SetAutoTab(true);
  t.picker->SetDateTime(PickerAt(2024, 1, 1, 12, 0));
  t.driver.Type(t.form, u"7");
  EXPECT_EQ(t.picker->FieldIndex(), 1);
  EXPECT_EQ(t.picker->DisplayText(), u"07:00");
  t.picker->SetAutoTab(false);
  t.picker->SetFieldIndex(0);
  t.driver.Type(t.form, u"8");
  EXPECT_EQ(t.picker->FieldIndex(), 0);
}

TEST(AsgDateTimePicker, DateTimeDropsMillisecondsInBothPickers) {
  PickerForm<TAdvDateTimePicker> t;
  t.picker->SetDateTime(PickerAt(2024, 5, 6, 7, 8, 9, 567));
  EXPECT_EQ(t.picker->DateTime(), PickerAt(2024, 5, 6, 7, 8, 9));
  ASSERT_NE(t.picker->TimePicker(), nullptr);
  EXPECT_EQ(t.picker->TimePicker()->DateTime(), PickerAt(2024, 5, 6, 7, 8, 9));
  // The time shown by the inner picker is the one read back.
  t.picker->TimePicker()->SetTime(EncodeTime(22, 1, 2, 0));
  EXPECT_NEAR(t.picker->DateTime(), PickerAt(2024, 5, 6, 22, 1, 2), 1e-8);
  EXPECT_NEAR(t.picker->Time(), EncodeTime(22, 1, 2, 0), 1e-8);
}

TEST(AsgDateTimePicker, KindDateHidesThenFreesTheTimePicker) {
  PickerForm<TAdvDateTimePicker> t;
  ASSERT_NE(t.picker->TimePicker(), nullptr);
  EXPECT_TRUE(t.picker->TimePicker()->Visible());
  EXPECT_EQ(t.picker->TimePicker()->Parent(), t.picker);
  EXPECT_EQ(t.picker->TimePicker()->Kind(), dtkTime);
  t.picker->SetKind(dkDate);
  ASSERT_NE(t.picker->TimePicker(), nullptr);
  EXPECT_FALSE(t.picker->TimePicker()->Visible());
  t.picker->PlaceTimePicker();
  EXPECT_EQ(t.picker->TimePicker(), nullptr);
  t.picker->SetKind(dkDateTime);
  ASSERT_NE(t.picker->TimePicker(), nullptr);
  EXPECT_TRUE(t.picker->TimePicker()->Visible());
  t.picker->SetKind(dkTime);
  EXPECT_EQ(t.picker->TDateTimePicker::Kind(), dtkTime);
}

TEST(AsgDateTimePicker, TimePickerSitsAtTheRightAndFollowsTheCheckBox) {
  PickerForm<TAdvDateTimePicker> t;
  TCustomDateTimePicker* inner = t.picker->TimePicker();
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->Top(), 1);
  EXPECT_EQ(inner->Height(), 21 - 2);
  EXPECT_EQ(inner->Left() + inner->Width(), 200 - 34);
  t.picker->SetShowCheckbox(true);
  t.picker->SetChecked(false);
  EXPECT_FALSE(inner->Enabled());
  t.driver.Key(t.form, VK_SPACE);
  EXPECT_TRUE(t.picker->Checked());
  EXPECT_TRUE(inner->Enabled());
  int timeChanges = 0;
  t.picker->OnTimeChange = [&](TObject*) { ++timeChanges; };
  inner->SetFocus();
  t.driver.Key(t.form, VK_UP);
  EXPECT_EQ(timeChanges, 1);
  EXPECT_EQ(t.changes, 2);  // the check box, then the inner picker's change
}

TEST(AsgDateTimePicker, TimePickerFollowsTheDateSetByMessageCodeAndUser) {
  PickerForm<TAdvDateTimePicker> t;
  t.picker->SetShowCheckbox(true);
  TCustomDateTimePicker* inner = t.picker->TimePicker();
  ASSERT_NE(inner, nullptr);
  // The date cleared through the set-time message: no time to edit.
  t.picker->Perform(DTM_SETSYSTEMTIME, GDT_NONE, 0);
  EXPECT_FALSE(t.picker->Checked());
  EXPECT_FALSE(inner->Enabled());
  // A date set through the set-time message alone leaves the time as it was.
  TSystemTime st = DateTimeToSystemTime(PickerAt(2025, 6, 7));
  t.picker->Perform(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<intptr_t>(&st));
  EXPECT_TRUE(t.picker->Checked());
  EXPECT_FALSE(inner->Enabled());
  // A date set by the picker's own setter: enabled with the date.
  t.picker->SetDateTime(PickerAt(2025, 6, 8, 9, 30));
  EXPECT_TRUE(inner->Enabled());
  // The user then clears the box: the notification reports no date and the time goes off.
  t.driver.Key(t.form, VK_SPACE);
  EXPECT_FALSE(t.picker->Checked());
  EXPECT_FALSE(inner->Enabled());
  EXPECT_EQ(t.changes, 1);
  // A date set by code while the box is clear keeps the time off.
  t.picker->SetDateTime(PickerAt(2025, 6, 9));
  EXPECT_FALSE(inner->Enabled());
  // Without a check box the rules stay out of it.
  t.picker->SetShowCheckbox(false);
  t.picker->SetChecked(true);
  t.picker->SetEnabled(true);
  t.picker->PlaceTimePicker();
  EXPECT_TRUE(inner->Enabled());
  EXPECT_EQ(t.picker->Perform(DTM_SETSYSTEMTIME, GDT_NONE, 0), 0);
  EXPECT_TRUE(inner->Enabled());
}

TEST(AsgDateTimePicker, LabelIsPlacedByPosition) {
  PickerForm<TAdvDateTimePicker> t;
  t.picker->SetLabelMargin(4);
  t.picker->SetLabelCaption(u"Start");
  TLabel* l = t.picker->PickerLabel();
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->Parent(), t.form);
  t.picker->SetLabelPosition(lpRightCenter);
  EXPECT_EQ(l->Left(), 100 + 200 + 4);
  EXPECT_EQ(l->Top(), 50 + (21 - l->Height()) / 2);
  t.picker->SetLabelPosition(lpTopLeft);
  EXPECT_EQ(l->Left(), 100);
  EXPECT_EQ(l->Top(), 50 - l->Height() - 4);
  t.picker->SetBounds(120, 80, 200, 21);
  EXPECT_EQ(l->Top(), 80 - l->Height() - 4);
  t.picker->SetVisible(false);
  EXPECT_FALSE(l->Visible());
  t.picker->SetVisible(true);
  t.picker->SetEnabled(false);
  EXPECT_FALSE(l->Enabled());
  // With the parent's font the label follows a change of it.
  t.form->Font()->SetSize(14);
  EXPECT_EQ(l->Font()->Size(), 14);
}

TEST(AsgDateTimePicker, VersionsReadAndIgnoreWrites) {
  PickerForm<TAdvDateTimePicker> t;
  EXPECT_EQ(t.picker->Version(), u"1.2.0.0");
  t.picker->SetVersion(u"9.9.9.9");
  EXPECT_EQ(t.picker->Version(), u"1.2.0.0");
  auto* asg = t.Place(New<TAsgDateTimePicker>(t.form), 10, 100, 120, 21);
  EXPECT_EQ(asg->Version(), u"1.0.0.0");
}

TEST(AsgDateTimePicker, MetroLookPaintsTheColouredButtonAndBorder) {
  PickerForm<TAsgDateTimePicker> t;
  t.picker->SetMetroStyle(true);
  t.picker->ButtonColor = clRed;
  t.picker->ButtonTextColor = clBlue;
  t.picker->SetBorderColor(clLime);
  auto bmp = PaintToBitmap(t.form);
  const TRect r = PaintedRect(t.picker, t.form);
  TCanvas* c = bmp->Canvas();
  const int bl = r.Right - t.picker->ButtonWidth();
  EXPECT_EQ(ColorToRGB(c->Pixels(bl + 2, r.Top + 3)), ColorToRGB(clRed));
  EXPECT_EQ(ColorToRGB(c->Pixels(bl + 8, r.Top + 1 + 8)), ColorToRGB(clBlue));  // the triangle
  EXPECT_EQ(ColorToRGB(c->Pixels(r.Left, r.Top + 10)), ColorToRGB(clLime));
  EXPECT_EQ(ColorToRGB(c->Pixels(r.Left + 40, r.Bottom - 1)), ColorToRGB(clLime));
  // Without the metro look the platform picker shows through.
  t.picker->SetMetroStyle(false);
  bmp = PaintToBitmap(t.form);
  EXPECT_NE(ColorToRGB(bmp->Canvas()->Pixels(bl + 2, r.Top + 3)), ColorToRGB(clRed));
}

TEST(AsgDateTimePicker, ClassicLookClearsTheButtonBorderStripAndFlattensTheFace) {
  PickerForm<TAsgDateTimePicker> t;
  t.picker->SetMetroStyle(true);
  t.picker->SetColor(clYellow);
  t.picker->SetBorderColor(clLime);
  const int cw = t.picker->ClientWidth(), ch = t.picker->ClientHeight(), bw = t.picker->ButtonWidth();
  auto overlay = [&] {
    auto img = std::make_unique<TImageCanvas>(cw, ch, clFuchsia);
    t.picker->PaintOverlay(img->Canvas());
    return img;
  };
  const TColor face = ColorToRGB(clBtnFace);
  t.other->SetFocus();  // the focus would make it hot
  {
    TScopedPlatformProfile classic(UnthemedProfile());
    auto img = overlay();
    // The two-pixel strip left of the button, 4 pixels short of the top and the bottom.
    EXPECT_EQ(img->Art(Rect(cw - bw - 3, 2, cw - bw, 7), {{clFuchsia, '.'}, {clYellow, 'y'}, {clLime, 'g'}}),
              (std::vector<std::string>{"...", "...", ".yy", ".yy", ".yy"}));
    EXPECT_EQ(img->Pixel(cw - bw - 2, ch - 5), clYellow);
    EXPECT_EQ(img->Pixel(cw - bw - 2, ch - 4), clFuchsia);
    // The face not hot: its raised edge flattened in the button face colour, two pixels.
    for (int x : {cw - bw, cw - bw + 1, cw - 3, cw - 4}) EXPECT_EQ(img->Pixel(x, ch / 2), face) << x;
    EXPECT_EQ(img->Pixel(0, ch / 2), clLime);
    // Hot: a raised edge, dark at the bottom right.
    t.driver.MouseEnter(t.picker);
    img = overlay();
    EXPECT_EQ(img->Pixel(cw - 3, ch / 2), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(img->Pixel(cw - bw, ch / 2), ColorToRGB(cl3DLight));
    t.driver.MouseLeave(t.picker);
  }
  // With visual styles: the wide strip over the full height, and no face drawn over the button.
  auto img = overlay();
  EXPECT_EQ(img->Pixel(cw - bw - 10, 2), clYellow);
  EXPECT_EQ(img->Pixel(cw - bw - 2, ch - 2), clYellow);
  EXPECT_NE(img->Pixel(cw - 3, ch / 2), face);
}

TEST(AsgDateTimePicker, FlatOutlineHidesTheNativeEdge) {
  PickerForm<TAdvDateTimePicker> t;
  t.form->SetColor(clTeal);
  t.picker->SetCtl3D(false);
  t.picker->SetBorderColor(clRed);
  const int cw = t.picker->ClientWidth(), ch = t.picker->ClientHeight();
  auto overlay = [&] {
    auto img = std::make_unique<TImageCanvas>(cw, ch, clFuchsia);
    t.picker->PaintOverlay(img->Canvas());
    return img;
  };
  // Themed: the outline, then the inner top-left line in the parent's colour.
  auto img = overlay();
  EXPECT_EQ(img->Pixel(0, ch / 2), clRed);
  EXPECT_EQ(img->Pixel(cw - 1, ch / 2), clRed);
  EXPECT_EQ(img->Pixel(1, ch / 2), clTeal);
  EXPECT_EQ(img->Pixel(cw / 2, 1), clTeal);
  EXPECT_EQ(img->Pixel(cw - 2, ch / 2), clFuchsia);
  EXPECT_EQ(img->Pixel(cw / 2, ch - 2), clFuchsia);
  // Without visual styles the whole inner ring.
  TScopedPlatformProfile classic(UnthemedProfile());
  img = overlay();
  EXPECT_EQ(img->Pixel(cw - 2, ch / 2), clTeal);
  EXPECT_EQ(img->Pixel(cw / 2, ch - 2), clTeal);
  EXPECT_EQ(img->Pixel(2, ch / 2), clFuchsia);
}

TEST(AsgDateTimePicker, PicturesOfTheLooks) {
  PackForm t;
  auto* plain = t.Place(New<TAsgDateTimePicker>(t.form), 10, 10, 150, 21);
  plain->SetDateTime(PickerAt(2026, 12, 11, 6, 30));
  auto* metro = t.Place(New<TAsgDateTimePicker>(t.form), 10, 40, 150, 21);
  metro->SetDateTime(PickerAt(2026, 12, 11));
  metro->SetMetroStyle(true);
  metro->ButtonColor = 0xE6D8AD;
  metro->ButtonTextColor = clNavy;
  metro->SetBorderColor(0x808080);
  auto* adv = t.Place(New<TAdvDateTimePicker>(t.form), 80, 70, 260, 21);
  adv->SetDateTime(PickerAt(2026, 12, 11, 6, 30));
  adv->SetShowCheckbox(true);
  adv->SetLabelCaption(u"Start");
  auto* time = t.Place(New<TCustomDateTimePicker>(t.form), 10, 100, 100, 21);
  time->SetKind(dtkTime);
  time->SetDateTime(PickerAt(2026, 12, 11, 23, 59, 58));
  const std::filesystem::path png = std::filesystem::current_path() / "asg_date_time_pickers.png";
  EXPECT_TRUE(PaintToPng(t.form, Utf8ToString(png.string())));
  // The check box is painted before the fields, ticked.
  auto bmp = PaintToBitmap(t.form);
  const TRect r = PaintedRect(adv, t.form);
  int dark = 0;
  for (int y = r.Top + 4; y < r.Bottom - 4; ++y) {
    for (int x = r.Left + 5; x < r.Left + 16; ++x) dark += ColorToRGB(bmp->Canvas()->Pixels(x, y)) < 0x404040;
  }
  EXPECT_GT(dark, 4);
  adv->SetChecked(false);
  bmp = PaintToBitmap(t.form);
  int darkUnchecked = 0;
  for (int y = r.Top + 6; y < r.Bottom - 6; ++y) {
    for (int x = r.Left + 7; x < r.Left + 14; ++x) darkUnchecked += ColorToRGB(bmp->Canvas()->Pixels(x, y)) < 0x404040;
  }
  EXPECT_EQ(darkUnchecked, 0);
  // The same without visual styles, the metro picker hot.
  TScopedPlatformProfile classic(UnthemedProfile());
  adv->SetCtl3D(false);
  adv->SetBorderColor(clGray);
  t.driver.MouseEnter(metro);
  const std::filesystem::path classicPng = std::filesystem::current_path() / "asg_date_time_pickers_classic.png";
  EXPECT_TRUE(PaintToPng(t.form, Utf8ToString(classicPng.string())));
}

}  // namespace
