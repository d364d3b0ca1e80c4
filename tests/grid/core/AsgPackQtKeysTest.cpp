// The pack's spin edit, edit-button and date-time picker under real Qt key events: the way from
// the window system's keys into the controls' messages.
#include <gtest/gtest.h>

#include "AsgPackTestSupport.h"
#include "grid/core/AsgDateTimePicker.h"
#include "grid/core/AsgEditBtn.h"
#include "grid/core/AsgSpin.h"
#include "platform/testing/QtEvents.h"

namespace {

using asgpack_test::PackForm;

void PackQtType(TControl* Target, const String& Text) {
  for (Char c : Text) {
    const Word vk = static_cast<Word>(c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c);
    qtevents::KeyPress(Target, vk, 0, String(1, c));
    qtevents::KeyRelease(Target, vk, 0);
  }
}

void PackQtKey(TControl* Target, Word Vk, unsigned Modifiers = 0) {
  qtevents::KeyPress(Target, Vk, Modifiers, String());
  qtevents::KeyRelease(Target, Vk, Modifiers);
}

TEST(AsgPackQtKeys, SpinEditStepsAndFiltersRealKeys) {
  PackForm t;
  auto* spin = t.Place(New<TAsgSpinEdit>(t.form), 10, 10, 120, 21);
  spin->SetSpinType(sptFloat);
  spin->SetPrecision(2);
  spin->SetExcelStyleDecimalSeparator(true);
  FormatSettings().DecimalSeparator = u',';
  FormatSettings().ThousandSeparator = u'.';
  spin->SetFocus();
  spin->SetText(u"");
  PackQtType(spin, u"12x");
  qtevents::KeyPress(spin, VK_DECIMAL, qtevents::Keypad, u".");
  qtevents::KeyRelease(spin, VK_DECIMAL, qtevents::Keypad);
  PackQtType(spin, u"509");
  EXPECT_EQ(spin->Text(), u"12,50");
  PackQtKey(spin, VK_UP);
  EXPECT_EQ(spin->Text(), u"12,60");
  PackQtKey(spin, VK_DOWN);
  PackQtKey(spin, VK_DOWN);
  EXPECT_EQ(spin->Text(), u"12,40");
}

TEST(AsgPackQtKeys, EditButtonAnswersF4) {
  PackForm t;
  auto* edit = t.Place(New<TAsgEditBtn>(t.form), 10, 10, 120, 21);
  int clicks = 0;
  edit->OnClickBtn = [&](TObject*) { ++clicks; };
  edit->SetFocus();
  PackQtKey(edit, VK_F4);
  EXPECT_EQ(clicks, 1);
  edit->SetEditorEnabled(false);
  edit->SelectAll();
  PackQtType(edit, u"99");
  EXPECT_EQ(edit->Text(), u"0");
}

TEST(AsgPackQtKeys, PickerAdvancesThroughItsFieldsAsDigitsAreTyped) {
  PackForm t;
  auto* picker = t.Place(New<TAdvDateTimePicker>(t.form), 100, 50, 220, 21);
  picker->SetFormat(u"dd/MM/yyyy");
  picker->SetAutoTab(true);
  picker->SetDateTime(EncodeDate(2024, 1, 31) + EncodeTime(8, 15, 0, 0));
  picker->SetFocus();
  PackQtType(picker, u"0503");
  EXPECT_EQ(picker->FieldIndex(), 2);
  PackQtType(picker, u"2026");
  ASSERT_NE(picker->TimePicker(), nullptr);
  EXPECT_TRUE(picker->TimePicker()->Focused());
  EXPECT_EQ(picker->DisplayText(), u"05/03/2026");
  PackQtKey(picker->TimePicker(), VK_UP);
  EXPECT_NEAR(picker->DateTime(), EncodeDate(2026, 3, 5) + EncodeTime(9, 15, 0, 0), 1e-8);
}

}  // namespace
