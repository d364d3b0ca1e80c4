// The time drop-down: the arrow keys under the caret, typed times, the seconds switch, the
// locale's separator, and the clock popup's open, cancel and close rules.
#include <gtest/gtest.h>

#include <filesystem>

#include "DropDownKindFixture.h"
#include "grid/dropdown/AdvTimePickerDropDown.h"
#include "platform/testing/PaintToPng.h"

namespace {

class TimePickerDropDownTest : public dropdown_test::DropDownKindFixture<TAdvTimePickerDropDown> {
 protected:
  void StepAt(TDateTime Start, int Caret, Word Key) {
    edit->SetTime(Start);
    edit->SetSelStart(Caret);
    edit->SetSelLength(0);
    driver.Key(form, Key);
  }
};

TEST_F(TimePickerDropDownTest, StartsAtMidnightWithTheMask) {
  EXPECT_EQ(edit->EditText(), u"00:00:00");
  EXPECT_EQ(edit->EditMask(), u"!90:00:00;1; ");
  EXPECT_FALSE(edit->EditorEnabled());
}

TEST_F(TimePickerDropDownTest, ArrowKeysStepThePartUnderTheCaret) {
  int events = 0;
  edit->OnTimeChange = [&](TObject*) { ++events; };
  const struct {
    TDateTime Start;
    int Caret;
    Word Key;
    TDateTime Expected;
  } cases[] = {
      {EncodeTime(10, 20, 30, 0), 7, VK_DOWN, EncodeTime(10, 20, 31, 0)},
      {EncodeTime(10, 20, 59, 0), 7, VK_DOWN, EncodeTime(10, 20, 0, 0)},
      {EncodeTime(0, 20, 30, 0), 1, VK_UP, EncodeTime(23, 20, 30, 0)},
      {EncodeTime(10, 20, 30, 0), 2, VK_DOWN, EncodeTime(11, 20, 30, 0)},
      {EncodeTime(10, 20, 30, 0), 3, VK_DOWN, EncodeTime(10, 21, 30, 0)},
      {EncodeTime(10, 59, 30, 0), 5, VK_DOWN, EncodeTime(10, 0, 30, 0)},
      {EncodeTime(10, 20, 30, 0), 6, VK_UP, EncodeTime(10, 20, 29, 0)},
  };
  for (const auto& c : cases) {
    StepAt(c.Start, c.Caret, c.Key);
    EXPECT_EQ(edit->Time(), c.Expected) << c.Caret;
    EXPECT_EQ(edit->EditText(), edit->FormattedTime(c.Expected)) << c.Caret;
    EXPECT_EQ(edit->SelStart(), c.Caret);
  }
  EXPECT_EQ(events, 7);
}

TEST_F(TimePickerDropDownTest, ADotSeparatorLocale) {
  FormatSettings().TimeSeparator = u'.';
  TAdvTimePickerDropDown* dotted = new TAdvTimePickerDropDown(form);
  dotted->SetParent(form);
  EXPECT_EQ(dotted->EditText(), u"00.00.00");
  dotted->SetTime(EncodeTime(10, 20, 30, 0));
  EXPECT_EQ(dotted->EditText(), u"10.20.30");
  dotted->SetEditorEnabled(true);
  dotted->SetTextDirect(u"07.45.10");
  EXPECT_EQ(dotted->Time(), EncodeTime(7, 45, 10, 0));
}

TEST_F(TimePickerDropDownTest, TypedTimes) {
  edit->SetEditorEnabled(true);
  edit->SetShowSeconds(false);
  EXPECT_EQ(edit->EditText(), u"00:00");
  edit->SetTextDirect(u"07:45");
  EXPECT_EQ(edit->Time(), EncodeTime(7, 45, 0, 0));
  edit->SetShowSeconds(true);
  edit->SetTextDirect(u"07:45:10");
  EXPECT_EQ(edit->Time(), EncodeTime(7, 45, 10, 0));
  const TDateTime kept = edit->Time();
  for (const char16_t* text : {u" 7:45:10", u"25:00:00", u"10:61:00"}) {
    EXPECT_NO_THROW(edit->SetTextDirect(text)) << std::u16string(text).size();
    const String shown = edit->EditText();
    EXPECT_EQ(edit->Time(), kept) << std::string(shown.begin(), shown.end());
  }
  edit->SetShowSeconds(false);
  edit->SetTextDirect(u" 7:45");
  EXPECT_EQ(edit->Time(), kept);
}

TEST_F(TimePickerDropDownTest, TypingIntoTheMaskedEdit) {
  edit->SetEditorEnabled(true);
  edit->SetSelStart(0);
  driver.Type(form, u"074510");
  EXPECT_EQ(edit->EditText(), u"07:45:10");
  EXPECT_EQ(edit->Time(), EncodeTime(7, 45, 10, 0));
}

TEST_F(TimePickerDropDownTest, SwitchingSecondsKeepsTheTimeAndRewritesTheText) {
  edit->SetTime(EncodeTime(13, 5, 42, 0));
  edit->SetShowSeconds(false);
  EXPECT_EQ(edit->Time(), EncodeTime(13, 5, 42, 0));
  EXPECT_EQ(edit->EditText(), u"13:05");
  EXPECT_EQ(edit->EditMask(), u"!90:00;1; ");
  edit->SetShowSeconds(true);
  EXPECT_EQ(edit->EditText(), u"13:05:42");
}

TEST_F(TimePickerDropDownTest, CancelLeavesTheTimeAndClosingTakesTheClocks) {
  edit->SetAnimation(false);
  edit->SetTime(EncodeTime(8, 30, 0, 0));
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_FALSE(Popup()->CancelOnDeActivate());
  TAdvWatch* clock = edit->Watch();
  EXPECT_EQ(clock->Time(), EncodeTime(8, 30, 0, 0));
  const TPoint c = clock->Centre();
  driver.Click(clock, c.X + clock->Radius() + 3, c.Y);  // minute 15, outside the face
  driver.Click(clock, c.X + clock->Radius() / 2, c.Y);  // hour 3, inside
  EXPECT_EQ(clock->Time(), EncodeTime(3, 15, 0, 0));
  edit->HideDropDown(true);
  EXPECT_EQ(edit->Time(), EncodeTime(8, 30, 0, 0));
  EXPECT_EQ(edit->EditText(), u"08:30:00");

  driver.AdvanceTime(300);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(clock->Time(), EncodeTime(8, 30, 0, 0));
  driver.Key(Popup(), VK_PRIOR);  // the clock's hour up
  driver.Key(Popup(), VK_RIGHT);
  edit->HideDropDown(false);
  EXPECT_EQ(edit->Time(), EncodeTime(9, 31, 0, 0));
  EXPECT_EQ(edit->EditText(), u"09:31:00");
}

TEST_F(TimePickerDropDownTest, TheOpenTimeDropDownPicture) {
  edit->SetShowTimePicker(true);
  edit->SetTime(EncodeTime(10, 10, 0, 0));
  edit->SetComponentStyle(tsOffice2007Luna);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  ASSERT_NE(edit->TimePicker(), nullptr);
  EXPECT_TRUE(edit->TimePicker()->Visible());
  EXPECT_EQ(edit->PopupPanel()->Height(), 170 + edit->TimePicker()->Height());
  EXPECT_EQ(edit->TimePicker()->Format(), u"HH:mm:ss");
  EXPECT_EQ(edit->Watch()->Appearance()->HourPointer(), static_cast<TColor>(0x723708));
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "dropdown";
  std::filesystem::create_directories(dir);
  EXPECT_TRUE(PaintToPng(Popup(), String(dir.u16string()) + u"/open_time_dropdown.png"));
  edit->HideDropDown(false);
  EXPECT_EQ(edit->Time(), EncodeTime(10, 10, 0, 0));
}

}  // namespace
