// The calculator key panel (key table, arrangement, press-release clicks) and the calculator
// drop-down (its machine driven by key sequences, keys typed into the edit, the popup picture).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DropDownKindFixture.h"
#include "grid/dropdown/AdvCalculatorDropdown.h"
#include "platform/testing/PaintToPng.h"

namespace {

// ---- key panel ----------------------------------------------------------------------------------

class ButtonPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 300);
    panel = new TCustomButtonPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 220 + 16, 150 + 16);  // an area of 220 x 150 inside the margins
    panel->CreateButtons();
    panel->OnButtonClick = [this](TObject*, int Index) { clicks.push_back(Index); };
    form->Show();
  }
  void TearDown() override { delete form; }
  int IndexOf(const String& Caption) const {
    for (int i = 0; i < panel->Buttons()->Count(); ++i)
      if (panel->Buttons()->Items(i)->Caption() == Caption) return i;
    return -1;
  }
  TPoint Centre(int Index) const {
    const TRect r = panel->GetButtonRect(Index);
    return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }

  InputDriver driver;
  TForm* form = nullptr;
  TCustomButtonPanel* panel = nullptr;
  std::vector<int> clicks;
};

TEST_F(ButtonPanelTest, TheKeyTableInCollectionOrder) {
  ASSERT_EQ(panel->Buttons()->Count(), 28);
  const struct {
    int Index;
    const char16_t* Caption;
    const char16_t* Name;
    int Tag;
    bool Special;
  } keys[] = {{0, u"", u"BTN_ON", 30, false},      {1, u"Back", u"BTN_BACK", 31, true},
              {3, u"C", u"BTN_C", 16, true},       {7, u"M+", u"BTN_M+", 36, true},
              {8, u"0", u"BTN_0", 0, false},       {15, u"+/-", u"BTN_+/-", 14, false},
              {16, u".", u"BTN_.", 15, false},     {20, u"/", u"BTN_/", 13, true},
              {24, u"=", u"BTN_=", 17, true},      {25, u"1/x", u"BTN_1/x", 38, false},
              {26, u"%", u"BTN_%", 18, false},     {27, u"sqrt", u"BTN_sqrt", 37, true}};
  for (const auto& k : keys) {
    const TButtonItem* item = panel->Buttons()->Items(k.Index);
    EXPECT_EQ(item->Caption(), k.Caption) << k.Index;
    EXPECT_EQ(item->Name(), k.Name) << k.Index;
    EXPECT_EQ(item->Tag(), k.Tag) << k.Index;
    EXPECT_EQ(item->Special(), k.Special) << k.Index;
    EXPECT_EQ(item->CaptionColor(), static_cast<TColor>(k.Special ? 0x000080 : 0xFFFFFF)) << k.Index;
  }
}

TEST_F(ButtonPanelTest, ArrangementOfTheKeysInTheirGroups) {
  // W = (220 - 8) div 6 = 35, H = (150 - 4) div 5 = 29; rows y0 = 8, y1 = 8 + 29 + 4 = 41, then
  // each next row one pixel up into the previous; columns likewise, groups 4 apart.
  const int x[6] = {8, 47, 81, 115, 154, 188};
  const int y[5] = {8, 41, 69, 97, 125};
  const struct {
    const char16_t* Caption;
    int Col, Row;
  } keys[] = {{u"MC", 0, 1}, {u"7", 1, 1}, {u"8", 2, 1}, {u"9", 3, 1}, {u"/", 4, 1}, {u"sqrt", 5, 1},
              {u"MR", 0, 2}, {u"4", 1, 2}, {u"5", 2, 2}, {u"6", 3, 2}, {u"*", 4, 2}, {u"%", 5, 2},
              {u"MS", 0, 3}, {u"1", 1, 3}, {u"2", 2, 3}, {u"3", 3, 3}, {u"-", 4, 3}, {u"1/x", 5, 3},
              {u"M+", 0, 4}, {u"0", 1, 4}, {u"+/-", 2, 4}, {u".", 3, 4}, {u"+", 4, 4}, {u"=", 5, 4}};
  for (const auto& k : keys)
    EXPECT_EQ(panel->GetButtonRect(IndexOf(k.Caption)), Rect(x[k.Col], y[k.Row], x[k.Col] + 35, y[k.Row] + 29))
        << std::string(k.Caption, k.Caption + std::char_traits<char16_t>::length(k.Caption)).size();
  // Top row: the empty key, then Back, CE and C sharing what is left up to the right edge 223.
  EXPECT_EQ(panel->GetButtonRect(0), Rect(8, 8, 43, 37));
  const int s = 8 + 35 + 4, v = (223 - s - 8) / 3;
  EXPECT_EQ(panel->GetButtonRect(IndexOf(u"Back")), Rect(s, 8, s + v, 37));
  EXPECT_EQ(panel->GetButtonRect(IndexOf(u"CE")), Rect(s + v + 4, 8, s + 2 * v + 4, 37));
  EXPECT_EQ(panel->GetButtonRect(IndexOf(u"C")), Rect(s + 2 * v + 8, 8, 223, 37));
  EXPECT_EQ(panel->GetButtonRect(28), Rect(-1, -1, -1, -1));
  EXPECT_EQ(panel->ButtonAtPos(3, 3), -1);
}

TEST_F(ButtonPanelTest, AClickOnlyWhenReleasedOverThePressedKey) {
  const int seven = IndexOf(u"7"), eight = IndexOf(u"8");
  driver.MouseDown(panel, Centre(seven).X, Centre(seven).Y);
  EXPECT_EQ(panel->DownButton(), seven);
  driver.MouseUp(panel, Centre(eight).X, Centre(eight).Y);
  EXPECT_TRUE(clicks.empty());
  EXPECT_EQ(panel->DownButton(), -1);
  driver.Click(panel, Centre(eight).X, Centre(eight).Y);
  EXPECT_EQ(clicks, std::vector<int>{eight});
}

TEST_F(ButtonPanelTest, ADisabledKeyIsNeverHotPressedOrClicked) {
  const int nine = IndexOf(u"9");
  panel->Buttons()->Items(nine)->SetEnabled(false);
  driver.MouseMove(panel, Centre(nine).X, Centre(nine).Y);
  EXPECT_EQ(panel->HotButton(), -1);
  driver.Click(panel, Centre(nine).X, Centre(nine).Y);
  EXPECT_EQ(panel->DownButton(), -1);
  EXPECT_TRUE(clicks.empty());
  driver.MouseMove(panel, Centre(0).X, Centre(0).Y);
  EXPECT_EQ(panel->HotButton(), 0);
  driver.MouseLeave(panel);
  EXPECT_EQ(panel->HotButton(), -1);
}

TEST_F(ButtonPanelTest, CreatingAgainOrACustomPanelKeepsTheKeys) {
  const TRect seven = panel->GetButtonRect(IndexOf(u"7"));
  panel->CreateButtons();
  EXPECT_EQ(panel->Buttons()->Count(), 28);
  EXPECT_EQ(panel->GetButtonRect(IndexOf(u"7")), seven);
  panel->SetButtonPanelType(plCustom);
  panel->Buttons()->Items(0)->SetLeft(1);
  panel->SetBounds(0, 0, 300, 200);
  EXPECT_EQ(panel->GetButtonRect(IndexOf(u"7")), seven);
  EXPECT_EQ(panel->Buttons()->Items(0)->Left(), 1);
  panel->ResetButtons();  // a custom panel has no table of its own
  EXPECT_EQ(panel->Buttons()->Count(), 0);
}

TEST(ButtonAppearanceTest, DefaultsAndChangeNotice) {
  TButtonAppearance a;
  EXPECT_EQ(a.ColorChecked(), static_cast<TColor>(0xF5D8CA));
  EXPECT_EQ(a.ColorCheckedTo(), static_cast<TColor>(0xF9BDA0));
  EXPECT_EQ(a.ColorDisabled(), static_cast<TColor>(0xF2F2F2));
  EXPECT_EQ(a.Font()->Size(), 10);
  int changes = 0;
  a.OnChange = [&](TObject*) { ++changes; };
  a.SetColor(a.Color());
  a.SetShineColor(clRed);
  a.SetColorHot(clRed);
  EXPECT_EQ(changes, 1);
}

// ---- calculator ---------------------------------------------------------------------------------

class CalculatorTest : public dropdown_test::DropDownKindFixture<TAdvCalculatorDropdown> {
 protected:
  // Clicks the keys of a sequence written with their captions, separated by blanks.
  std::vector<String> Press(const std::string& Keys) {
    std::vector<String> shown;
    size_t at = 0;
    while (at < Keys.size()) {
      size_t end = Keys.find(' ', at);
      if (end == std::string::npos) end = Keys.size();
      const String caption(Keys.begin() + static_cast<long>(at), Keys.begin() + static_cast<long>(end));
      int index = -1;
      for (int i = 0; i < edit->ButtonPanel()->Buttons()->Count(); ++i)
        if (edit->ButtonPanel()->Buttons()->Items(i)->Caption() == caption) index = i;
      EXPECT_GE(index, 0) << Keys;
      edit->ButtonPanelClick(index);
      shown.push_back(edit->Text());
      at = end + 1;
    }
    return shown;
  }
};

TEST_F(CalculatorTest, KeySequences) {
  const struct {
    const char* Keys;
    std::vector<String> Shown;  // the display after each key, from the last ones back
  } cases[] = {
      {"1 2 + 3 * 2 =", {u"30.00"}},
      {"7 / 0 =", {u"Error"}},
      {"7 / 0 = 4", {u"4.00"}},
      {"2 0 0 + 1 0 % =", {u"20.00", u"220.00"}},
      {"1 . 5 3 7", {u"1.50", u"1.53", u"1.54"}},
      {"1 . 5 3 7 9", {u"1.54"}},
      {"5 +/- 3", {u"-5.00", u"-53.00"}},
      {"1 2 3 Back", {u"12.00"}},
      {"1 2 + 3 Back", {u"3.00"}},
      {"5 MS C MR", {u"0.00", u"5.00"}},
      {"5 MS 3", {u"53.00"}},  // MS starts no new number
      {"5 MS C 3 M+ C MR", {u"8.00"}},
      {"4 +/- sqrt", {u"Error"}},
      {"9 sqrt", {u"3.00"}},
      {"0 1/x", {u"Error"}},
      {"4 1/x", {u"0.25"}},
      {"9 - 4 CE =", {u"0.00"}},
      {"8 - 3 = - 1 =", {u"1.00", u"4.00"}},
      {"8 - 3 =", {u"5.00"}},
  };
  for (const auto& c : cases) {
    TAdvCalculatorDropdown* fresh = new TAdvCalculatorDropdown(form);
    fresh->SetParent(form);
    std::swap(edit, fresh);
    const std::vector<String> shown = Press(c.Keys);
    ASSERT_GE(shown.size(), c.Shown.size()) << c.Keys;
    const std::vector<String> tail(shown.end() - static_cast<long>(c.Shown.size()), shown.end());
    EXPECT_EQ(tail, c.Shown) << c.Keys;
    std::swap(edit, fresh);
    delete fresh;
  }
}

TEST_F(CalculatorTest, MemoryAddsTheShownNumber) {
  Press("5 MS C 2 M+");
  EXPECT_EQ(edit->Memory(), 7.0);
  Press("MC MR");
  EXPECT_EQ(edit->Text(), u"0.00");
}

TEST_F(CalculatorTest, ThousandSeparatorShowsGroupsWithTwoDecimals) {
  edit->SetValue(1234.5);
  EXPECT_EQ(edit->Text(), u"1234.50");
  edit->SetShowThousandSeparator(true);
  EXPECT_EQ(edit->EditType(), etMoney);
  EXPECT_EQ(edit->Text(), u"1,234.50");
  EXPECT_DOUBLE_EQ(edit->Value(), 1234.5);
  FormatSettings().ThousandSeparator = u'.';
  FormatSettings().DecimalSeparator = u',';
  edit->SetShowThousandSeparator(false);
  edit->SetValue(1234.5);
  edit->SetShowThousandSeparator(true);
  EXPECT_EQ(edit->Text(), u"1.234,50");
}

TEST_F(CalculatorTest, MaxLengthStopsDigits) {
  edit->SetMaxLength(5);
  Press("1 2 3");
  EXPECT_EQ(edit->Text(), u"12.00");  // five characters: the 3 is refused
  Press("+/- .");
  EXPECT_EQ(edit->Text(), u"12.00");
  Press("+ 4");  // a full display refuses digits even for a new number
  EXPECT_EQ(edit->Text(), u"12.00");
  Press("C 4");
  EXPECT_EQ(edit->Text(), u"4.00");
}

TEST_F(CalculatorTest, AnUnconvertibleDisplayReadsAsZeroAndRaisesNothing) {
  edit->SetTextDirect(u"-");
  EXPECT_NO_THROW(Press("+"));
  EXPECT_EQ(edit->Text(), u"0.00");
  for (const char* key : {"MS", "M+", "%", "="}) {
    edit->SetTextDirect(u"-");
    EXPECT_NO_THROW(Press(key)) << key;
  }
  edit->SetTextDirect(u"-");
  driver.Type(form, u"+");
  EXPECT_NO_THROW(driver.Type(form, u"-+"));
}

TEST_F(CalculatorTest, KeysTypedIntoTheClosedEdit) {
  edit->SetTextDirect(u"0");
  driver.Type(form, u"7");
  EXPECT_EQ(edit->Text(), u"7.00");
  EXPECT_EQ(edit->SelStart(), 1);
  driver.Type(form, u"ab");
  EXPECT_EQ(edit->Text(), u"7.00");
  driver.Type(form, u"+2");
  EXPECT_EQ(edit->Text(), u"2.00");
  driver.Key(form, VK_RETURN, {}, 13);
  EXPECT_EQ(edit->Text(), u"9.00");
  driver.Type(form, u"*3=");
  EXPECT_EQ(edit->Text(), u"27.00");
  driver.Type(form, u"c");
  EXPECT_EQ(edit->Text(), u"0.00");
  EXPECT_DOUBLE_EQ(edit->Value(), 0.0);
}

TEST_F(CalculatorTest, ThePopupKeysAndTheOpenCalculatorPicture) {
  edit->SetValue(12);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(edit->Control(), edit->ButtonPanel());
  EXPECT_EQ(Popup()->Width(), 230);
  EXPECT_EQ(edit->ButtonPanel()->Height(), 150);
  driver.Type(Popup(), u"+3");
  EXPECT_EQ(edit->Text(), u"3.00");
  driver.Type(Popup(), u"ab");
  EXPECT_EQ(edit->Text(), u"3.00");
  driver.Type(Popup(), u"=");
  EXPECT_EQ(edit->Text(), u"15.00");
  driver.MouseMove(edit->ButtonPanel(), 60, 60);  // a hot key in the picture
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "dropdown";
  std::filesystem::create_directories(dir);
  ASSERT_TRUE(PaintToPng(Popup(), String(dir.u16string()) + u"/open_calculator.png"));
  driver.Key(Popup(), VK_ESCAPE, {}, 27);
  EXPECT_FALSE(edit->DroppedDown());
}

TEST_F(CalculatorTest, StyleMapsTheDropDownButtonColoursOntoTheKeys) {
  edit->SetComponentStyle(tsOffice2010Blue);
  EXPECT_EQ(edit->CalcButtonAppearance()->GlowColorHot(), edit->ButtonAppearance()->ColorHot());
  EXPECT_EQ(edit->CalcButtonAppearance()->ColorChecked(), edit->ButtonAppearance()->ColorDisabledTo());
  EXPECT_EQ(edit->CalcButtonAppearance()->ColorCheckedTo(), edit->ButtonAppearance()->ColorHotTo());
  edit->SetComponentStyle(tsOffice2007Luna);
  EXPECT_EQ(edit->CalcButtonAppearance()->GlowColorDown(), static_cast<TColor>(0xD5C244));
  EXPECT_EQ(edit->CalcButtonAppearance()->GlowColorHot(), edit->ButtonAppearance()->ColorDownTo());
  EXPECT_EQ(edit->CalcButtonAppearance()->Color(), edit->ButtonAppearance()->Color());
}

}  // namespace
