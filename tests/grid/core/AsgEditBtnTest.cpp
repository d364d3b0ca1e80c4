// The pack's edit-button and unit edit: the button click and F4, typing switched off, the unit
// split off a value, the unit menu, the edit rectangle and the painted unit and button.
#include <gtest/gtest.h>

#include <filesystem>

#include "AsgPackTestSupport.h"
#include "grid/core/AsgEditBtn.h"
#include "platform/Menus.h"
#include "platform/testing/PaintToPng.h"

namespace {

using asgpack_test::PackForm;

struct EditBtnForm : PackForm {
  TAsgEditBtn* edit = Place(New<TAsgEditBtn>(form), 10, 10, 120, 21);
  int clicks = 0;
  TObject* sender = nullptr;
  EditBtnForm() {
    edit->OnClickBtn = [this](TObject* Sender) {
      ++clicks;
      sender = Sender;
    };
    edit->SetFocus();
  }
};

struct UnitForm : PackForm {
  TAsgUnitEditBtn* edit = Place(New<TAsgUnitEditBtn>(form), 10, 10, 100, 21);
  std::vector<String> changes;
  UnitForm() {
    edit->OnUnitChanged = [this](TObject*, const String& NewUnit) { changes.push_back(NewUnit); };
  }
  void SetUnits(const std::vector<const char16_t*>& Units) {
    TStringList l;
    for (const char16_t* u : Units) l.Add(u);
    edit->SetUnits(&l);
  }
};

TEST(AsgEditBtn, ButtonAndF4FireOnClickBtnEvenWithTypingOff) {
  EditBtnForm t;
  t.edit->SetEditorEnabled(false);
  t.driver.Click(t.edit->Button()->Button());
  EXPECT_EQ(t.clicks, 1);
  EXPECT_EQ(t.sender, t.edit->Button());
  t.driver.Key(t.form, VK_F4);
  EXPECT_EQ(t.clicks, 2);
  EXPECT_EQ(t.sender, t.edit);
  t.driver.Key(t.form, VK_F4, TShiftState{ssCtrl});
  EXPECT_EQ(t.clicks, 2);
  // Typing and pasting do nothing.
  t.edit->SelectAll();
  t.driver.Type(t.form, u"42");
  t.edit->Perform(WM_PASTE);
  t.edit->Perform(WM_CUT);
  EXPECT_EQ(t.edit->Text(), u"0");
}

TEST(AsgEditBtn, RightClickOnTheButtonFiresNothing) {
  EditBtnForm t;
  TAdvSpeedButton* b = t.edit->Button()->Button();
  t.driver.MouseDown(b, 4, 4, mbRight);
  t.driver.MouseUp(b, 4, 4, mbRight);
  EXPECT_EQ(t.clicks, 0);
}

TEST(AsgEditBtn, ClickGivesTheFocusBackToTheEdit) {
  EditBtnForm t;
  t.other->SetFocus();
  t.driver.Click(t.edit->Button()->Button());
  EXPECT_TRUE(t.edit->Focused());
}

TEST(AsgEditBtn, EditRectangleEndsLeftOfButtonAndUnit) {
  UnitForm t;
  t.edit->SetButtonWidth(18);
  EXPECT_EQ(t.edit->UnitSpace(), 20);
  EXPECT_TRUE(t.edit->RightAlign());
  EXPECT_EQ(t.edit->EditRect().Right, t.edit->ClientWidth() - 46);
  EXPECT_EQ(t.edit->EditRect().Left, 1);
  EXPECT_EQ(t.edit->Button()->BoundsRect(), Rect(100 - 18 - 5, 0, 100 - 5, 21 - 5));
  t.edit->SetUnitSpace(0);
  EXPECT_EQ(t.edit->EditRect().Right, t.edit->ClientWidth() - 18 - 5);
  t.edit->SetBorderStyle(bsNone);
  t.edit->SetWidth(101);
  EXPECT_EQ(t.edit->EditRect().Left, 3);
  EXPECT_EQ(t.edit->Button()->Left(), 101 - 18 - 1);
}

TEST(AsgUnitEditBtn, TextAndUnitSplitsOffTheFirstUnitInListOrder) {
  struct Case {
    std::vector<const char16_t*> units;
    const char16_t* value;
    const char16_t* text;
    const char16_t* unit;
  };
  const Case cases[] = {
      {{u"kg", u"g"}, u"12.5kg", u"12.5", u"kg"},
      {{u"g", u"kg"}, u"12.5kg", u"12.5k", u"g"},
      {{u"g"}, u"5g5g", u"5g5g", u""},  // g first occurs before the end
      {{u"g", u"kg"}, u"12", u"12", u""},
      {{}, u"3kg", u"3kg", u""},
      {{u"g"}, u"g", u"", u"g"},
  };
  for (const Case& c : cases) {
    UnitForm t;
    t.SetUnits(c.units);
    t.edit->SetText(u"7");
    t.edit->SetUnitID(u"m");
    t.edit->SetTextAndUnit(c.value);
    EXPECT_EQ(t.edit->Text(), c.text) << StringToUtf8(c.value);
    EXPECT_EQ(t.edit->UnitID(), c.unit) << StringToUtf8(c.value);
    EXPECT_EQ(t.edit->TextAndUnit(), String(c.text) + c.unit);
  }
}

TEST(AsgUnitEditBtn, MenuOfUnitsChangesTheUnit) {
  UnitForm t;
  t.SetUnits({u"kg", u"g", u"mg"});
  t.edit->SetUnitID(u"kg");
  int clicks = 0;
  t.edit->OnClickBtn = [&](TObject* Sender) {
    ++clicks;
    EXPECT_EQ(Sender, t.edit);
  };
  String pick = u"g";
  std::vector<String> shown;
  TPoint at;
  TPopupAnswerScope answer([&](const TPopupShown& s) -> TMenuItem* {
    shown.clear();
    at = s.At;
    TMenuItem* chosen = nullptr;
    for (const TPopupShownItem& i : s.Items) {
      shown.push_back(i.Caption);
      if (i.Caption == pick) chosen = i.Item;
    }
    return chosen;
  });
  t.driver.Click(t.edit->Button()->Button());
  EXPECT_EQ(shown, (std::vector<String>{u"kg", u"g", u"mg"}));
  EXPECT_EQ(at, t.edit->ClientToScreen(Point(t.edit->ClientWidth() - 15, t.edit->ClientHeight())));
  EXPECT_EQ(t.edit->UnitID(), u"g");
  EXPECT_EQ(t.changes, std::vector<String>{u"g"});
  // The unit that is already there: no change reported.
  t.driver.Click(t.edit->Button()->Button());
  EXPECT_EQ(t.changes.size(), 1u);
  // Dismissed: nothing.
  pick = u"none";
  t.driver.Key(t.form, VK_F4);
  EXPECT_EQ(t.edit->UnitID(), u"g");
  EXPECT_EQ(t.changes.size(), 1u);
  EXPECT_EQ(clicks, 3);
  // The edit's own change notification is no menu choice.
  t.edit->Perform(WM_COMMAND, (0x300u << 16) | 1u, 0);
  EXPECT_EQ(t.edit->UnitID(), u"g");
}

TEST(AsgUnitEditBtn, UnitIsPaintedBesideTheValue) {
  UnitForm t;
  t.edit->SetBounds(10, 10, 140, 24);
  t.edit->SetButtonWidth(18);
  t.edit->Font()->SetColor(clBlack);
  auto darkIn = [&](const TRect& r) {
    auto bmp = PaintToBitmap(t.form);
    const TRect e = PaintedRect(t.edit, t.form);
    int dark = 0;
    for (int y = r.Top; y < r.Bottom; ++y) {
      for (int x = r.Left; x < r.Right; ++x) {
        const TColor p = ColorToRGB(bmp->Canvas()->Pixels(e.Left + x, e.Top + y));
        dark += (p & 0xFF) < 0x60 && ((p >> 8) & 0xFF) < 0x60 && ((p >> 16) & 0xFF) < 0x60;
      }
    }
    return dark;
  };
  const int right = t.edit->ClientWidth() - 18 - 3;
  const TRect unitArea = Rect(right - 20, 3, right, t.edit->ClientHeight() - 3);
  t.edit->SetText(u"");
  EXPECT_EQ(darkIn(unitArea), 0);
  t.edit->SetUnitID(u"kg");
  EXPECT_GT(darkIn(unitArea), 10);
  const std::filesystem::path png = std::filesystem::current_path() / "asg_unit_edit.png";
  t.edit->SetText(u"12.5");
  EXPECT_TRUE(PaintToPng(t.form, Utf8ToString(png.string())));
}

TEST(AsgEditBtn, ColouredButtonPaintsItsFaceAndCaption) {
  EditBtnForm t;
  t.edit->SetBounds(10, 10, 140, 24);
  t.edit->SetButtonWidth(20);
  t.edit->SetButtonCaption(u"...");
  TAsgEditButton* b = t.edit->Button();
  b->ButtonColor = clYellow;
  b->ButtonColorHot = clLime;
  auto bmp = PaintToBitmap(t.form);
  const TRect r = PaintedRect(b, t.form);
  EXPECT_EQ(ColorToRGB(bmp->Canvas()->Pixels(r.Left + 1, r.Top + 1)), ColorToRGB(clYellow));
  int black = 0;
  for (int x = r.Left; x < r.Right; ++x) {
    for (int y = r.Top; y < r.Bottom; ++y) black += ColorToRGB(bmp->Canvas()->Pixels(x, y)) == 0;
  }
  EXPECT_GT(black, 0);  // the caption's dots
  t.driver.MouseEnter(b->Button());
  bmp = PaintToBitmap(t.form);
  EXPECT_EQ(ColorToRGB(bmp->Canvas()->Pixels(r.Left + 1, r.Top + 1)), ColorToRGB(clLime));
  const std::filesystem::path png = std::filesystem::current_path() / "asg_edit_btn.png";
  EXPECT_TRUE(PaintToPng(t.form, Utf8ToString(png.string())));
}

}  // namespace
