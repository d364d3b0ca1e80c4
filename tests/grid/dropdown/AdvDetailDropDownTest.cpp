// The detail drop-down: auto-completion from the captions, the keys in the edit and in the open
// popup, the type-ahead search on the virtual clock, cancelling, and a picture of the popup.
#include <gtest/gtest.h>

#include "ListDropDownFixture.h"
#include "grid/dropdown/AdvDetailDropDown.h"

namespace {

class DetailDropDownTest : public dropdown_test::ListDropDownFixture<TAdvDetailDropDown> {
 protected:
  void Add(std::initializer_list<const char16_t*> Captions) {
    for (const char16_t* c : Captions) edit->Items()->Add()->SetCaption(c);
  }
  TAdvCustomItemSelector* Selector() const { return edit->ItemSelector(); }
};

TEST_F(DetailDropDownTest, TypingCompletesFromTheCaptionsUnlessTheCaseMustMatch) {
  Add({u"Alpha", u"Beta"});
  driver.Type(form, u"b");
  EXPECT_EQ(edit->Text(), u"Beta");
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(edit->SelLength(), 3);
  EXPECT_EQ(edit->ItemIndex(), 1);
  edit->SetItemIndex(-1);
  EXPECT_EQ(edit->Text(), u"");
  edit->SetMatchCase(true);
  driver.Type(form, u"b");
  EXPECT_EQ(edit->Text(), u"b");
  EXPECT_EQ(edit->ItemIndex(), -1);
}

TEST_F(DetailDropDownTest, AfterBackspaceNothingCompletesUntilAnotherKey) {
  Add({u"Alpha", u"Beta"});
  driver.Type(form, u"b");
  driver.Key(form, VK_BACK);  // removes the completed part, and nothing completes it again
  EXPECT_EQ(edit->Text(), u"B");
  driver.Type(form, u"e");
  EXPECT_EQ(edit->Text(), u"Beta");
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 2);
}

TEST_F(DetailDropDownTest, EnterSelectsAnExactCaptionAndKeepsTheItemForAnyOtherText) {
  Add({u"Alpha", u"Beta"});
  std::vector<int> selects;
  edit->OnSelect = [&](TObject*) { selects.push_back(edit->ItemIndex()); };
  edit->SetTextDirect(u"Beta");
  driver.Key(form, VK_RETURN);
  EXPECT_EQ(edit->ItemIndex(), 1);
  edit->SetTextDirect(u"Gamma");
  driver.Key(form, VK_RETURN);
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(selects, std::vector<int>{1});
}

TEST_F(DetailDropDownTest, DownThenEscapeInTheOpenPopupRestoresItemAndText) {
  Add({u"Alpha", u"Beta", u"Gamma"});
  edit->SetItemIndex(0);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(Selector()->Items()->Count(), 3);
  EXPECT_EQ(Selector()->ItemIndex(), 0);
  PopupKey(VK_DOWN);
  EXPECT_TRUE(edit->DroppedDown());
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(edit->Text(), u"Beta");
  PopupKey(VK_ESCAPE);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->ItemIndex(), 0);
  EXPECT_EQ(edit->Text(), u"Alpha");
}

TEST_F(DetailDropDownTest, PageDownStopsAtTheLastItemAndAClickChoosesAndCloses) {
  Add({u"One", u"Two", u"Three", u"Four", u"Five", u"Six"});
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(Selector()->GetVisibleItemCount(), 100 / 22);
  PopupKey(VK_NEXT);  // four rows on from none
  EXPECT_EQ(edit->ItemIndex(), 3);
  PopupKey(VK_NEXT);
  EXPECT_EQ(edit->ItemIndex(), 5);
  EXPECT_TRUE(edit->DroppedDown());
  TCustomItemSelector* panel = Selector()->SelectorPanel();
  const TRect second = panel->GetItemRect(1);
  driver.Click(panel, second.Left + 5, second.Top + 5);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(edit->Text(), u"Two");
}

TEST_F(DetailDropDownTest, TypeAheadJoinsLettersWithinHalfASecondAndIgnoresShift) {
  Add({u"Apple", u"Alpha", u"Beta"});
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  PopupKey('A');
  EXPECT_EQ(Selector()->ItemIndex(), 0);
  driver.AdvanceTime(100);
  PopupKey('L');
  EXPECT_EQ(edit->CurrentSearch(), u"AL");
  EXPECT_EQ(Selector()->ItemIndex(), 1);
  driver.AdvanceTime(600);
  EXPECT_EQ(edit->CurrentSearch(), u"");
  PopupKey('B');
  EXPECT_EQ(edit->CurrentSearch(), u"B");
  EXPECT_EQ(Selector()->ItemIndex(), 2);
  driver.AdvanceTime(600);
  driver.KeyDown(Popup(), VK_SHIFT, TShiftState{ssShift});
  PopupKey('A', TShiftState{ssShift});
  driver.KeyUp(Popup(), VK_SHIFT);
  EXPECT_EQ(edit->CurrentSearch(), u"A");
  EXPECT_EQ(Selector()->ItemIndex(), 0);
}

TEST_F(DetailDropDownTest, ModifiedComparesWithTheTextOnEntry) {
  Add({u"Alpha", u"Beta"});
  edit->SetItemIndex(0);
  auto* other = new TEdit(form);
  other->SetParent(form);
  other->SetTop(100);
  form->FocusControl(other);
  form->FocusControl(edit);  // the text on entry: Alpha
  edit->SetTextDirect(u"Zeta");
  EXPECT_TRUE(edit->IsModified());
  edit->SetTextDirect(u"Alpha");
  EXPECT_FALSE(edit->IsModified());
}

TEST_F(DetailDropDownTest, PictureOfTheOpenPopupWithCaptionsNotesAndPictures) {
  const struct {
    const char16_t* Caption;
    const char16_t* Notes;
    TColor Color;
  } rows[] = {{u"Gateway", u"<b>LoRaWAN</b> to SNMP, <i>firmware 1.0</i>", clRed},
              {u"Sensor node", u"Temperature and <font color=\"clBlue\">humidity</font>", clGreen},
              {u"Meter with a rather long caption that does not fit", u"Uplink every <u>15 min</u>", clBlue}};
  for (const auto& r : rows) {
    TDetailItem* item = edit->Items()->Add();
    item->SetCaption(r.Caption);
    item->SetNotes(r.Notes);
    auto picture = dropdown_test::SolidPicture(24, 24, r.Color);
    item->Image()->SetGraphic(picture.get());
  }
  edit->SetItemHeight(40);
  edit->CaptionFont()->SetStyle(fsBold);
  edit->SetDropDownWidth(260);
  edit->SetDropDownHeight(130);
  edit->SetItemIndex(1);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  SavePicture(Popup(), "detail_popup.png");
  auto bitmap = PaintToBitmap(Popup());
  ASSERT_EQ(bitmap->Width(), 260);
  // The first item's picture, 2 pixels in from its cell and centred in its 40 pixels.
  const TRect cell = PaintedRect(Selector()->SelectorPanel(), Popup());
  EXPECT_EQ(bitmap->Canvas()->Pixels(cell.Left + 2 + 4 + 12, cell.Top + 2 + 20), clRed);
}

}  // namespace
