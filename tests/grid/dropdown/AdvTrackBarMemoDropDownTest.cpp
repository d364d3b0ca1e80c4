// The track-bar drop-down (keys, dragging over the edit, the popup's slider, range errors) and the
// memo drop-down (the first-line view, cancel and keep, opening on entry).
#include <gtest/gtest.h>

#include "DropDownKindFixture.h"
#include "grid/dropdown/AdvMemoDropDown.h"
#include "grid/dropdown/AdvTrackBarDropDown.h"
#include "platform/testing/FakeMetrics.h"

namespace {

using TrackBarDropDownTest = dropdown_test::DropDownKindFixture<TAdvTrackBarDropDown>;
using MemoDropDownTest = dropdown_test::DropDownKindFixture<TAdvMemoDropDown>;

TEST_F(TrackBarDropDownTest, ArrowKeysStepByFrequencyWithinTheRange) {
  edit->SetPosition(10);
  ASSERT_EQ(edit->Position(), 10);
  EXPECT_EQ(edit->Text(), u"10");
  driver.Key(form, VK_DOWN);
  EXPECT_EQ(edit->Position(), 10);
  driver.Key(form, VK_UP);
  EXPECT_EQ(edit->Position(), 9);
  EXPECT_EQ(edit->Text(), u"9");
  edit->SetFrequency(4);
  driver.Key(form, VK_UP);
  driver.Key(form, VK_UP);
  driver.Key(form, VK_UP);  // 1 - 4 would pass below Min
  EXPECT_EQ(edit->Position(), 1);
}

TEST_F(TrackBarDropDownTest, DraggingOverTheEditMovesByWholePages) {
  driver.MouseDown(edit, 50, 5);
  driver.MouseMove(edit, 55, 5, TShiftState{ssLeft});  // 5 pixels, page size 2
  EXPECT_EQ(edit->Position(), 2);
  for (int x = 56; x <= 60; ++x) driver.MouseMove(edit, x, 5, TShiftState{ssLeft});
  EXPECT_EQ(edit->Position(), 2);
  driver.MouseMove(edit, 54, 5, TShiftState{ssLeft});
  EXPECT_EQ(edit->Position(), 0);
  driver.MouseUp(edit, 54, 5);
  driver.MouseMove(edit, 90, 5);
  EXPECT_EQ(edit->Position(), 0);
}

TEST_F(TrackBarDropDownTest, PageSizeBelowOneMovesNothingOnADrag) {
  edit->SetPageSize(0);
  driver.MouseDown(edit, 50, 5);
  driver.MouseMove(edit, 80, 5, TShiftState{ssLeft});
  EXPECT_EQ(edit->Position(), 0);
}

TEST_F(TrackBarDropDownTest, WithTheEditorEnabledKeysAndDragsLeaveThePosition) {
  edit->SetEditorEnabled(true);
  edit->SetPosition(5);
  driver.Key(form, VK_UP);
  driver.Key(form, VK_DOWN);
  driver.MouseDown(edit, 50, 5);
  driver.MouseMove(edit, 70, 5, TShiftState{ssLeft});
  driver.MouseUp(edit, 70, 5);
  EXPECT_EQ(edit->Position(), 5);
}

TEST_F(TrackBarDropDownTest, MaxBelowMinRaisesTheRangeErrorAndChangesNothing) {
  edit->SetMin(3);
  try {
    edit->SetMax(2);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"Max property out of range");
  }
  EXPECT_EQ(edit->Max(), 10);
  EXPECT_EQ(edit->Position(), 3);  // clamped into the new minimum
}

TEST_F(TrackBarDropDownTest, TheEditFollowsThePopupSlider) {
  int changes = 0;
  edit->OnTrackChange = [&](TObject*) { ++changes; };
  edit->SetMax(20);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  TTrackBar* bar = edit->TrackBar();
  ASSERT_EQ(edit->Control(), bar);
  EXPECT_FALSE(Popup()->CancelOnDeActivate());
  EXPECT_EQ(bar->Max(), 20);
  EXPECT_EQ(Popup()->Width(), edit->Width());
  driver.MouseDown(bar, bar->Width() - 12, 14);  // the right end of the channel
  driver.MouseUp(bar, bar->Width() - 12, 14);
  EXPECT_EQ(bar->Position(), 20);
  EXPECT_EQ(edit->Position(), 20);
  EXPECT_EQ(edit->Text(), u"20");
  EXPECT_GE(changes, 1);
  // A click elsewhere closes the popup and keeps the value.
  driver.MouseDown(form, 300, 250);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->Position(), 20);
}

TEST_F(TrackBarDropDownTest, AnEditTextThatIsNoIntegerLeavesThePosition) {
  edit->SetEditorEnabled(true);
  edit->SetPosition(4);
  EXPECT_NO_THROW(edit->SetTextDirect(u""));
  EXPECT_NO_THROW(edit->SetTextDirect(u"7x"));
  EXPECT_EQ(edit->Position(), 4);
  edit->SetTextDirect(u"6");
  EXPECT_EQ(edit->Position(), 6);
}

TEST(TrackBarTest, PositionIsClampedAndEveryMoveReported) {
  TTrackBar bar(nullptr);
  int changes = 0;
  bar.OnChange = [&](TObject*) { ++changes; };
  bar.SetPosition(15);
  EXPECT_EQ(bar.Position(), 10);
  bar.SetPosition(-3);
  EXPECT_EQ(bar.Position(), 0);
  bar.SetPosition(0);
  EXPECT_EQ(changes, 2);
  EXPECT_THROW(bar.SetMin(11), Exception);
  bar.SetPosition(10);
  bar.SetMax(6);
  EXPECT_EQ(bar.Position(), 6);
}

// ---- memo ---------------------------------------------------------------------------------------

class MemoViewTest : public MemoDropDownTest {
 protected:
  TScopedFakeMetrics metrics{7};
};

TEST_F(MemoViewTest, TheEditShowsTheFirstLineCutOrFollowedByAnEllipsis) {
  edit->SetEditorEnabled(false);
  const int room = edit->GetEditRect().Right - edit->GetEditRect().Left;
  ASSERT_GT(room, 100);
  edit->MemoText()->SetText(u"first\r\nsecond");
  EXPECT_EQ(edit->EditText(), u"first...");
  edit->MemoText()->SetText(u"only");
  EXPECT_EQ(edit->EditText(), u"only");
  const String longLine(static_cast<size_t>(room / 7 + 10), u'x');
  edit->MemoText()->SetText(longLine);
  const String shown = edit->EditText();
  ASSERT_GE(shown.size(), 4u);
  EXPECT_EQ(shown.substr(shown.size() - 3), u"...");
  EXPECT_LT(static_cast<int>(shown.size()) * 7, room);
  EXPECT_GE((static_cast<int>(shown.size()) + 1) * 7, room);  // the longest that is narrower
  EXPECT_EQ(edit->MemoText()->Strings(0), longLine);           // the view does not write back
  edit->SetEditorEnabled(true);
  edit->MemoText()->SetText(u"a\r\nb");
  EXPECT_EQ(edit->EditText(), u"a\r\nb\r\n");
}

TEST_F(MemoDropDownTest, EscapeInTheMemoDiscardsItsChangesAndAClickOutsideKeepsThem) {
  edit->MemoText()->SetText(u"one\r\ntwo");
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_FALSE(Popup()->CancelOnDeActivate());
  TMemo* memo = edit->Memo();
  EXPECT_EQ(memo->Lines()->Count(), 2);
  memo->SetFocus();
  memo->SetText(u"changed");
  driver.Key(Popup(), VK_ESCAPE);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->MemoText()->Text(), u"one\r\ntwo\r\n");

  driver.AdvanceTime(300);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(memo->Lines()->Text(), u"one\r\ntwo\r\n");
  memo->SetText(u"kept\r\nlines");
  driver.MouseDown(form, 300, 250);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->MemoText()->Text(), u"kept\r\nlines\r\n");
  EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(MemoDropDownTest, CtrlAInTheMemoSelectsAllOfIt) {
  edit->MemoText()->SetText(u"abc\r\ndef");
  edit->ShowDropDown();
  TMemo* memo = edit->Memo();
  memo->SetFocus();
  memo->SetSelStart(1);
  driver.Key(Popup(), u'A', TShiftState{ssCtrl});
  EXPECT_EQ(memo->SelStart(), 0);
  EXPECT_EQ(memo->SelLength(), static_cast<int>(memo->GetText().size()));
  EXPECT_TRUE(edit->DroppedDown());
}

TEST_F(MemoDropDownTest, AutoDropOpensOnEntryButNotWhenTheFocusComesBackOnClose) {
  TEdit* other = new TEdit(form);
  other->SetParent(form);
  other->SetTop(100);
  form->FocusControl(other);
  edit->SetAutoDrop(true);
  form->FocusControl(edit);
  ASSERT_TRUE(edit->DroppedDown());
  edit->HideDropDown(false);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_TRUE(edit->Focused());
  EXPECT_TRUE(edit->AutoDrop());
  edit->ShowDropDown();
  driver.MouseDown(form, 300, 250);  // closing by deactivation returns the focus too
  EXPECT_FALSE(edit->DroppedDown());
}

}  // namespace
