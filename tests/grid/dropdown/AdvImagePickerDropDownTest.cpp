// The image picker: choosing by index and by image index, filling from an image list and from a
// folder, the picture in the edit, keys, wheel and mouse, and a picture of the open popup.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ListDropDownFixture.h"
#include "grid/dropdown/AdvImagePickerDropDown.h"
#include "platform/testing/ScratchFolder.h"

namespace {

using dropdown_test::SolidPicture;

class ImagePickerTest : public dropdown_test::ListDropDownFixture<TAdvImagePickerDropDown> {
 protected:
  // An image list of Count 16 x 16 images, each a different colour.
  TImageList* ImageList(int Count) {
    auto* list = new TImageList(form);
    for (int i = 0; i < Count; ++i) {
      auto picture = SolidPicture(16, 16, static_cast<TColor>(0x202020 * (i + 1)));
      list->Add(picture.get(), nullptr);
    }
    return list;
  }
  void AddCaptions(std::initializer_list<const char16_t*> Captions) {
    for (const char16_t* c : Captions) edit->Items()->Add()->SetCaption(c);
  }
};

TEST_F(ImagePickerTest, ANewIndexFiresChangeThenSelectAndTheSameIndexNothing) {
  AddCaptions({u"a", u"b"});
  std::vector<std::string> events;
  edit->OnChange = [&](TObject*) { events.push_back("change"); };
  edit->OnSelect = [&](TObject*) { events.push_back("select"); };
  edit->SetItemIndex(1);
  edit->SetItemIndex(1);
  edit->SetItemIndex(2);  // no such item
  EXPECT_EQ(events, (std::vector<std::string>{"change", "select"}));
  EXPECT_EQ(edit->ItemIndex(), 1);
}

TEST_F(ImagePickerTest, ImageIndexChoosesTheFirstItemWithItOrNone) {
  edit->SetImages(ImageList(4));
  edit->AddImagesFromImageList();
  ASSERT_EQ(edit->Items()->Count(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(edit->Items()->Items(i)->ImageIndex(), i);
  edit->SetImageIndex(2);
  EXPECT_EQ(edit->ItemIndex(), 2);
  EXPECT_EQ(edit->ImageIndex(), 2);
  edit->SetImageIndex(5);
  EXPECT_EQ(edit->ItemIndex(), -1);
  EXPECT_EQ(edit->ImageIndex(), -1);
  edit->SetImages(nullptr);
  edit->AddImagesFromImageList();
  EXPECT_EQ(edit->Items()->Count(), 4);
}

TEST_F(ImagePickerTest, AFolderGivesOneItemPerEntryAndNoPictureOrCaptionForOtherFiles) {
  TScratchFolder folder("image_picker");
  SavePng(SolidPicture(8, 8, clRed).get(), folder.File("a.png"));
  {
    TJPEGImage jpeg;
    jpeg.AssignBitmap(SolidPicture(10, 6, clBlue).get());
    jpeg.SaveToFile(folder.File("b.jpg"));
  }
  std::ofstream(folder / "notes.txt") << "not a picture";
  edit->AddImagesFromFolder(folder.Folder() + u"/*", true);
  ASSERT_EQ(edit->Items()->Count(), 3);
  EXPECT_EQ(edit->Items()->Items(0)->Caption(), u"a.png");
  EXPECT_EQ(edit->Items()->Items(0)->Image()->Width(), 8);
  EXPECT_EQ(edit->Items()->Items(1)->Caption(), u"b.jpg");
  EXPECT_EQ(edit->Items()->Items(1)->Image()->Height(), 6);
  EXPECT_EQ(edit->Items()->Items(2)->Caption(), u"");
  EXPECT_EQ(edit->Items()->Items(2)->Image()->Graphic(), nullptr);
  edit->AddImagesFromFolder(folder.Folder() + u"/*.PNG", false);
  ASSERT_EQ(edit->Items()->Count(), 4);
  EXPECT_EQ(edit->Items()->Items(3)->Caption(), u"");
  EXPECT_EQ(edit->Items()->Items(3)->Image()->Width(), 8);
}

TEST_F(ImagePickerTest, TheEditShowsTheItemsOwnPictureBeforeItsImageListEntry) {
  edit->SetImages(ImageList(1));  // entry 0: dark grey
  TImageItem* item = edit->Items()->Add();
  item->SetImageIndex(0);
  item->Image()->SetGraphic(SolidPicture(8, 8, clRed).get());
  edit->SetItemIndex(0);
  form->FocusControl(nullptr);
  auto bitmap = PaintToBitmap(form);
  const TRect placed = PaintedRect(edit, form);
  TRect r = edit->GetEditRect();
  if (r.Width() <= 0) r = Rect(2, 2, edit->Width() - edit->DropDownButtonWidth() - 1, edit->Height() - 2);
  EXPECT_EQ(bitmap->Canvas()->Pixels(placed.Left + r.Left + r.Width() / 2, placed.Top + r.Top + r.Height() / 2),
            clRed);
}

TEST_F(ImagePickerTest, EscapeRestoresTheOpeningChoiceAndAClickChoosesAndCloses) {
  AddCaptions({u"one", u"two", u"three"});
  edit->SetItemIndex(0);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  PopupKey(VK_DOWN);
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_TRUE(edit->DroppedDown());
  PopupKey(VK_ESCAPE);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->ItemIndex(), 0);
  driver.AdvanceTime(300);
  edit->ShowDropDown();
  TCustomItemSelector* panel = edit->ItemSelector()->SelectorPanel();
  const TRect third = panel->GetItemRect(2);
  driver.Click(panel, third.Left + 3, third.Top + 3);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->ItemIndex(), 2);
}

TEST_F(ImagePickerTest, TheWheelOverTheClosedEditStepsWithoutOpening) {
  AddCaptions({u"one", u"two"});
  driver.Wheel(edit, -120);
  EXPECT_EQ(edit->ItemIndex(), 0);
  driver.Wheel(edit, -120);
  driver.Wheel(edit, -120);
  EXPECT_EQ(edit->ItemIndex(), 1);
  driver.Wheel(edit, 120);
  EXPECT_EQ(edit->ItemIndex(), 0);
  EXPECT_FALSE(edit->DroppedDown());
}

TEST_F(ImagePickerTest, TypedLettersSearchTheCaptionsTogetherForHalfASecond) {
  AddCaptions({u"Bridge", u"Gateway", u"Gauge"});
  driver.KeyDown(form, VK_SHIFT, TShiftState{ssShift});
  driver.Key(form, 'G', TShiftState{ssShift});
  driver.KeyUp(form, VK_SHIFT);
  EXPECT_EQ(edit->ItemIndex(), 1);
  driver.AdvanceTime(200);
  driver.Key(form, 'A');
  driver.Key(form, 'U');
  EXPECT_EQ(edit->CurrentSearch(), u"GAU");
  EXPECT_EQ(edit->ItemIndex(), 2);
  driver.AdvanceTime(300);  // 500 ms after the first key
  EXPECT_EQ(edit->CurrentSearch(), u"");
}

TEST_F(ImagePickerTest, PictureOfTheOpenPopupWithPicturesAndCaptions) {
  const TColor colours[] = {clRed, clLime, clBlue, clYellow, clFuchsia, clAqua};
  const char16_t* names[] = {u"Red", u"<b>Lime</b>", u"Blue", u"Yellow", u"<i>Fuchsia</i>", u"Aqua"};
  for (int i = 0; i < 6; ++i) {
    TImageItem* item = edit->Items()->Add();
    item->SetCaption(names[i]);
    item->Image()->SetGraphic(SolidPicture(24, 24, colours[i]).get());
  }
  edit->SetColumns(2);
  edit->SetItemIndex(1);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  SavePicture(Popup(), "image_picker_popup.png");
  int w = 0, h = 0;
  edit->ItemSelector()->GetSelectorPanelSize(w, h);
  // The panel inside the border, below the header and above the footer; no scroll bar.
  EXPECT_EQ(Popup()->Width(), w + 2);
  EXPECT_EQ(Popup()->Height(), h + 2 + Popup()->Header()->Height() + Popup()->Footer()->Height());
  EXPECT_FALSE(edit->ItemSelector()->VertScrollBar()->IsScrollBarVisible());
  EXPECT_FALSE(edit->ItemSelector()->HorzScrollBar()->IsScrollBarVisible());
}

}  // namespace
