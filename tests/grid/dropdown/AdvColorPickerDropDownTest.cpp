// The colour picker: the named colours, the text forms of a colour, the palette's layout and
// keys, choosing from each chooser, cancelling, type-ahead, the popup sizes, the web colour names
// against Qt's, and pictures of the four choosers open.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ListDropDownFixture.h"
#include "grid/dropdown/AdvColorPickerDropDown.h"
#include "grid/dropdown/AdvWebColors.h"
#include "platform/testing/QtColorNames.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

class ColorPickerTest : public dropdown_test::ListDropDownFixture<TAdvColorPickerDropDown> {
 protected:
  TCustomItemSelector* ListPanel() const { return edit->ItemSelector()->SelectorPanel(); }
};

TEST_F(ColorPickerTest, APickerMadeAtRunTimeStartsWithoutColours) {
  EXPECT_EQ(edit->Colors()->Count(), 0);
  EXPECT_EQ(edit->ColorSelectionStyle(), csList);
  EXPECT_EQ(edit->DropDownHeight(), 200);
  EXPECT_FALSE(edit->DropDownHeader()->Visible());
  EXPECT_FALSE(edit->EditorEnabled());
  edit->AddDefaultColors();
  ASSERT_EQ(edit->Colors()->Count(), 16);
  EXPECT_EQ(edit->Colors()->Items(0)->Caption(), u"Black");
  EXPECT_EQ(edit->Colors()->Items(9)->Caption(), u"Red");
  EXPECT_EQ(edit->Colors()->Items(9)->Color(), static_cast<TColor>(0x0000FF));
  EXPECT_EQ(edit->Colors()->Items(15)->Color(), static_cast<TColor>(0xFFFFFF));
}

TEST_F(ColorPickerTest, ChoosingRedFromTheListShowsItsCaptionAfterTheSwatchAndCloses) {
  edit->AddDefaultColors();
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  const TRect red = ListPanel()->GetItemRect(9);
  driver.Click(ListPanel(), red.Left + 3, red.Top + 3);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->SelectedColor(), static_cast<TColor>(0x0000FF));
  EXPECT_EQ(edit->ItemIndex(), 9);
  EXPECT_EQ(edit->SelectedColorText(), u"Red");
  TRecordingCanvas canvas;
  edit->DrawSelectedColor(&canvas);
  const auto boxes = canvas.CallsNamed("Rectangle");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].BrushColor, static_cast<TColor>(0x0000FF));
  const int swatchRight = boxes[0].Args[2];
  const auto texts = canvas.CallsNamed("DrawText");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, u"Red");
  EXPECT_EQ(texts[0].Args[0], swatchRight + 4);
}

TEST_F(ColorPickerTest, TheColourValueTextForms) {
  edit->SetSelectedColor(0x0000FF);
  ASSERT_EQ(edit->ItemIndex(), -1);
  struct Case {
    TColor Color;
    TColorValueText Form;
    const char16_t* Text;
  };
  for (const Case& c : {Case{0x0000FF, cvtHTML, u"#FF0000"}, Case{0x0000FF, cvtHex, u"0000FF"},
                        Case{0x0000FF, cvtRGB, u"Red:255,Green:0,Blue:0"}, Case{0x0000FF, cvtWebName, u"red"},
                        Case{0x0000FF, cvtNone, u""}, Case{0x123456, cvtWebName, u"#563412"},
                        Case{0xFFFF00, cvtWebName, u"aqua"}, Case{clWindow, cvtHTML, u"#FFFFFF"},
                        Case{clWindow, cvtHex, u"FF000005"}}) {
    edit->SetSelectedColor(c.Color);
    edit->SetColorValueText(c.Form);
    EXPECT_EQ(edit->SelectedColorText(), String(c.Text)) << StringToUtf8(c.Text);
  }
}

TEST_F(ColorPickerTest, ThePaletteIsLaidOutInStripsBelowAStandAloneRow) {
  edit->SetColorSelectionStyle(csDiscrete);
  TCustomColorSelector* palette = edit->ColorSelector();
  ASSERT_NE(palette, nullptr);
  ASSERT_EQ(palette->Items()->Count(), 60);
  EXPECT_EQ(palette->Width(), 165);
  EXPECT_EQ(palette->Height(), 84);
  const int rowTops[] = {4, 20, 32, 44, 56, 68};
  for (int row = 0; row < 6; ++row)
    for (int col = 0; col < 10; col += 9)
      EXPECT_EQ(palette->GetItemRect(row * 10 + col), Rect(4 + 16 * col, rowTops[row], 16 + 16 * col, rowTops[row] + 12))
          << row << "," << col;
  EXPECT_EQ(palette->Items()->Items(0)->ColorBoxPos(), ipStandAlone);
  EXPECT_EQ(palette->Items()->Items(59)->ColorBoxPos(), ipBottom);
}

TEST_F(ColorPickerTest, DiscreteDownMovesTenBoxesWhileOpenAndOneWhileClosed) {
  edit->SetColorSelectionStyle(csDiscrete);
  driver.Key(form, VK_DOWN);
  EXPECT_EQ(edit->ColorSelector()->ItemIndex(), 0);
  driver.Key(form, VK_DOWN);
  EXPECT_EQ(edit->ColorSelector()->ItemIndex(), 1);
  EXPECT_EQ(edit->SelectedColor(), static_cast<TColor>(0x000000));
  EXPECT_FALSE(edit->DroppedDown());
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  PopupKey(VK_DOWN);
  EXPECT_EQ(edit->ColorSelector()->ItemIndex(), 11);
  EXPECT_EQ(edit->SelectedColor(), static_cast<TColor>(0x7F7F7F));
  EXPECT_TRUE(edit->DroppedDown());
  EXPECT_EQ(edit->ItemIndex(), -1);
  PopupKey(VK_ESCAPE);  // the colour of the opening comes back
  EXPECT_EQ(edit->SelectedColor(), static_cast<TColor>(0x000000));
}

TEST_F(ColorPickerTest, ACubeChoiceLeavesNoEntryChosenEvenForANamedColour) {
  edit->AddDefaultColors();
  edit->SetColorSelectionStyle(csColorCube);
  int selects = 0;
  edit->OnSelect = [&](TObject*) { ++selects; };
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  driver.Click(edit->ColorCubePanel(), 91, 80);  // cell 64, white
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->SelectedColor(), static_cast<TColor>(0xFFFFFF));
  EXPECT_EQ(edit->ItemIndex(), -1);
  EXPECT_EQ(selects, 2);  // White found among the colours, then no entry
}

TEST_F(ColorPickerTest, EscapeRestoresTheListEntryOfTheOpening) {
  edit->AddDefaultColors();
  edit->SetItemIndex(2);
  edit->ShowDropDown();
  PopupKey(VK_DOWN);
  EXPECT_EQ(edit->ItemIndex(), 3);
  EXPECT_TRUE(edit->DroppedDown());
  PopupKey(VK_ESCAPE);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->ItemIndex(), 2);
  EXPECT_EQ(edit->SelectedColor(), static_cast<TColor>(0x008000));
}

TEST_F(ColorPickerTest, LettersTypedWithinHalfASecondOfTheFirstSearchTogether) {
  edit->AddDefaultColors();
  edit->ShowDropDown();
  PopupKey('G');
  EXPECT_EQ(edit->ItemIndex(), 2);  // Green
  driver.AdvanceTime(100);
  PopupKey('R');
  driver.AdvanceTime(100);
  PopupKey('A');
  EXPECT_EQ(edit->CurrentSearch(), u"GRA");
  EXPECT_EQ(edit->ItemIndex(), 7);  // Gray
  driver.AdvanceTime(300);
  EXPECT_EQ(edit->CurrentSearch(), u"");
  PopupKey('T');
  EXPECT_EQ(edit->ItemIndex(), 6);  // Teal
  EXPECT_TRUE(edit->DroppedDown());
}

TEST_F(ColorPickerTest, ASpectrumPopupIsThePanelWithItsBordersAndCannotBeSized) {
  edit->SetColorSelectionStyle(csSpectrum);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(Popup()->Width(), 150 + 2);
  EXPECT_EQ(Popup()->Height(), 174 + 2);
  EXPECT_FALSE(Popup()->Sizeable());
  EXPECT_TRUE(edit->SpectrumPanel()->Visible());
  EXPECT_FALSE(edit->ItemSelector()->Visible());
  EXPECT_EQ(edit->SpectrumPanel()->Width(), 150);
}

TEST_F(ColorPickerTest, WebColourNamesAreQtsSvgColourNames) {
  std::map<String, TColor> ours;
  for (const TWebNamedColor& c : WebNamedColors()) ours[c.Name] = c.Color;
  const auto qt = QtSvgColorNames();
  ASSERT_FALSE(qt.empty());
  std::map<String, TColor> theirs(qt.begin(), qt.end());
  EXPECT_EQ(ours.size(), WebNamedColors().size());  // no name twice
  EXPECT_EQ(ours, theirs);
}

TEST_F(ColorPickerTest, PicturesOfTheFourChoosersOpen) {
  edit->AddDefaultColors();
  edit->SetSelectedColor(0x0000FF);
  const struct {
    TColorSelectionStyle Style;
    const char* File;
    int Width, Height;  // 0: the list's own size
  } styles[] = {{csList, "color_list_popup.png", 0, 0},
                {csDiscrete, "color_palette_popup.png", 165 + 2, 84 + 2},
                {csColorCube, "color_cube_popup.png", 182 + 2, 160 + 2},
                {csSpectrum, "color_spectrum_popup.png", 150 + 2, 174 + 2}};
  for (const auto& s : styles) {
    edit->SetColorSelectionStyle(s.Style);
    edit->ShowDropDown();
    ASSERT_TRUE(edit->DroppedDown()) << s.File;
    SavePicture(Popup(), s.File);
    if (s.Width > 0) {
      EXPECT_EQ(Popup()->Width(), s.Width) << s.File;
      EXPECT_EQ(Popup()->Height(), s.Height) << s.File;
    }
    edit->HideDropDown(false);
    driver.AdvanceTime(300);
  }
}

}  // namespace
