// The spin, check-box and push-button editors over grid cells: what they open on, what they
// write back, their keys and the grid events they fire.
#include <gtest/gtest.h>

#include "AdvGridEditorsTestSupport.h"

namespace {

using editors_test::EditorForm;
using editors_test::LocaleSeparators;
using editors_test::Utf8;

constexpr int kCol = 2;
constexpr int kRow = 2;

struct SpinForm : EditorForm {
  std::vector<std::string> clicks;
  SpinForm() {
    grid->OnSpinClick = [this](TObject*, int c, int r, int v, bool up) {
      clicks.push_back(std::to_string(c) + "," + std::to_string(r) + " " + std::to_string(v) + (up ? " up" : " down"));
    };
  }
  TGridSpin* spin() { return grid->SpinEdit(); }
  bool open() { return spin()->Visible() && grid->InEditMode(); }
};

TEST(AdvGridSpinEditor, EditorPropertyHandlerRunsBeforeTheSpinTakesTheCellValue) {
  SpinForm f;
  f.grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink*) {
    f.log.push_back("prop");
    f.spin()->SetMaxValue(50);
  };
  f.Edit(kCol, kRow, edSpinEdit, u"80");
  ASSERT_TRUE(f.open());
  EXPECT_EQ(f.log, std::vector<std::string>{"prop"});
  EXPECT_EQ(Utf8(f.spin()->Text()), "50");
  EXPECT_EQ(f.grid->EditCtrl(), f.spin());
}

TEST(AdvGridSpinEditor, UpKeyAtTheLimitFiresNothingButTheUpButtonReports) {
  SpinForm f;
  f.Edit(kCol, kRow, edSpinEdit, u"100");
  f.Key(VK_UP);
  EXPECT_EQ(Utf8(f.spin()->Text()), "100");
  EXPECT_TRUE(f.clicks.empty());
  f.spin()->SetValue(99);
  f.driver.Click(f.spin()->Button()->UpButton());
  EXPECT_EQ(Utf8(f.spin()->Text()), "100");
  EXPECT_EQ(f.clicks, std::vector<std::string>{"2,2 100 up"});
  f.driver.Click(f.spin()->Button()->DownButton());
  EXPECT_EQ(f.clicks.back(), "2,2 99 down");
}

TEST(AdvGridSpinEditor, HomeAndEndJumpToTheLimitsAndReportDown) {
  SpinForm f;
  f.grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink*) {
    f.spin()->SetMaxValue(50);
    f.spin()->SetMinValue(-5);
  };
  f.Edit(kCol, kRow, edSpinEdit, u"10");
  f.Key(VK_HOME);
  EXPECT_EQ(Utf8(f.spin()->Text()), "50");
  f.Key(VK_END);
  EXPECT_EQ(Utf8(f.spin()->Text()), "-5");
  EXPECT_EQ(f.clicks, (std::vector<std::string>{"2,2 50 down", "2,2 -5 down"}));
}

TEST(AdvGridSpinEditor, RefusedValueShowsTheOldTextWithTheCaretAtItsEnd) {
  SpinForm f;
  f.grid->OnCellValidate = [](TObject*, int, int, String& v, bool& valid) { valid = v != u"7"; };
  f.Edit(kCol, kRow, edSpinEdit, u"31");
  f.spin()->SetText(u"7");
  f.Key(VK_RETURN);
  ASSERT_TRUE(f.open());
  EXPECT_EQ(Utf8(f.spin()->Text()), "31");
  EXPECT_EQ(f.spin()->SelStart(), 2);
  EXPECT_EQ(f.spin()->SelLength(), 0);
  EXPECT_EQ(f.Cell(kCol, kRow), "31");
}

TEST(AdvGridSpinEditor, EnterCommitsTheIntegerAndReportsTheEnd) {
  SpinForm f;
  f.Edit(kCol, kRow, edSpinEdit, u"12");
  f.Key(VK_UP);
  f.Key(VK_RETURN);
  f.driver.DrainPosted();
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.Cell(kCol, kRow), "13");
  EXPECT_TRUE(f.Has("done"));
  ASSERT_FALSE(f.grid->DoneMessages.empty());
  EXPECT_EQ(f.grid->DoneMessages.back(), (std::pair<uintptr_t, intptr_t>{kCol, kRow}));
}

TEST(AdvGridSpinEditor, EscapeRestoresTheTextTheEditorOpenedOn) {
  SpinForm f;
  f.Edit(kCol, kRow, edSpinEdit, u"3");
  f.Key(VK_UP);
  f.Key(VK_UP);
  EXPECT_EQ(Utf8(f.spin()->Text()), "5");
  f.Key(VK_ESCAPE);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.Cell(kCol, kRow), "3");
}

TEST(AdvGridSpinEditor, FloatCellSurvivesEscapeUnderACommaLocale) {
  LocaleSeparators comma(u',', u'.');
  SpinForm f;
  f.Edit(kCol, kRow, edFloatSpinEdit, u"1,5");
  EXPECT_EQ(Utf8(f.spin()->Text()), "1,5");
  f.Key(VK_UP);
  EXPECT_EQ(Utf8(f.spin()->Text()), "1,6");
  f.Key(VK_ESCAPE);
  // The value stays; the commit writes it in the grid's float format.
  EXPECT_DOUBLE_EQ(f.grid->Floats(kCol, kRow), 1.5);
  EXPECT_EQ(f.Cell(kCol, kRow), Utf8(Format(f.grid->FloatFormat(), {1.5})));
}

TEST(AdvGridSpinEditor, AllowEmptyValueWithABlankEmptiesTheCell) {
  for (bool allow : {true, false}) {
    SpinForm f;
    f.grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink*) { f.spin()->SetAllowEmptyValue(allow); };
    f.Edit(kCol, kRow, edSpinEdit, u"4");
    f.spin()->SetText(u"");
    f.grid->HideInplaceEdit();
    EXPECT_EQ(f.Cell(kCol, kRow), allow ? "" : "0") << allow;
  }
}

TEST(AdvGridSpinEditor, TypedCharacterIsTheSpinsFirstKeystroke) {
  SpinForm f;
  f.kinds[kCol] = edSpinEdit;
  f.grid->SetCellEx(kCol, kRow, u"");
  f.grid->GotoCell(kCol, kRow);
  f.grid->SetFocus();
  f.driver.Character(f.form, u'7');
  f.driver.DrainPosted();
  ASSERT_TRUE(f.open());
  EXPECT_EQ(Utf8(f.spin()->Text()).find('7') != std::string::npos, true) << Utf8(f.spin()->Text());
}

TEST(AdvGridSpinEditor, TabWithGoTabsCommitsAndAdvances) {
  SpinForm f;
  f.grid->SetOptions(f.grid->Options() | goTabs);
  f.Edit(kCol, kRow, edSpinEdit, u"8");
  f.Key(VK_UP);
  f.Key(VK_TAB);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.Cell(kCol, kRow), "9");
  EXPECT_EQ(f.grid->Col(), kCol + 1);
}

TEST(AdvGridSpinEditor, ClaimsEnterEscapeAndTabOnlyWithGoTabs) {
  SpinForm f;
  auto claims = [&](Word k) { return f.spin()->Perform(CM_WANTSPECIALKEY, k, 0) != 0; };
  EXPECT_TRUE(claims(VK_RETURN));
  EXPECT_TRUE(claims(VK_ESCAPE));
  EXPECT_FALSE(claims(VK_TAB));
  f.grid->SetOptions(f.grid->Options() | goTabs);
  EXPECT_TRUE(claims(VK_TAB));
}

// ---- check box --------------------------------------------------------------------------------

struct CheckForm : EditorForm {
  TGridCheckBox* check() { return grid->CheckBoxEditor(); }
  bool open() { return check()->Visible() && grid->InEditMode(); }
};

TEST(AdvGridCheckBoxEditor, OpensUncheckedOnTheCellTextWithoutEditorProperties) {
  CheckForm f;
  f.Edit(kCol, kRow, edCheckBox, u"Agree");
  ASSERT_TRUE(f.open());
  EXPECT_EQ(Utf8(f.check()->Caption()), "Agree");
  EXPECT_FALSE(f.check()->Checked());
  EXPECT_TRUE(f.check()->Focused());
  EXPECT_TRUE(f.log.empty());
}

TEST(AdvGridCheckBoxEditor, APressOrSpaceTogglesExactlyOnce) {
  CheckForm f;
  f.Edit(kCol, kRow, edCheckBox, u"x");
  f.driver.Click(f.check());
  EXPECT_TRUE(f.check()->Checked());
  f.Key(VK_SPACE);
  EXPECT_FALSE(f.check()->Checked());
}

TEST(AdvGridCheckBoxEditor, KeysThatCloseIt) {
  struct Case {
    Word key;
    int row;
  };
  for (const Case& c : {Case{VK_RETURN, kRow}, Case{VK_ESCAPE, kRow}, Case{VK_DOWN, kRow + 1}, Case{VK_UP, kRow - 1}}) {
    CheckForm f;
    f.Edit(kCol, kRow, edCheckBox, u"x");
    f.Key(c.key);
    EXPECT_FALSE(f.open()) << c.key;
    EXPECT_EQ(f.grid->Row(), c.row) << c.key;
    EXPECT_EQ(f.grid->Col(), kCol) << c.key;
    EXPECT_EQ(f.Cell(kCol, kRow), "x") << c.key;
    EXPECT_TRUE(f.Has("done")) << c.key;
  }
}

// ---- push button ------------------------------------------------------------------------------

struct ButtonForm : EditorForm {
  TGridButton* button() { return grid->Btn(); }
  bool open() { return button()->Visible() && grid->InEditMode(); }
};

TEST(AdvGridButtonEditor, CoversTheCellAndOnePixelAroundWithoutEditorProperties) {
  ButtonForm f;
  f.Edit(kCol, kRow, edButton, u"Go");
  ASSERT_TRUE(f.open());
  const TRect r = f.grid->CellRect(kCol, kRow);
  EXPECT_EQ(f.button()->Left(), r.Left - 1);
  EXPECT_EQ(f.button()->Top(), r.Top - 1);
  EXPECT_EQ(f.button()->Width(), r.Right - r.Left + 1);
  EXPECT_EQ(f.button()->Height(), r.Bottom - r.Top + 1);
  EXPECT_EQ(Utf8(f.button()->Caption()), "Go");
  EXPECT_TRUE(f.log.empty());
}

TEST(AdvGridButtonEditor, EllipsisTextBecomesCaptionAndCellBeforeTheButtonClick) {
  for (bool bySpace : {false, true}) {
    ButtonForm f;
    f.grid->OnEllipsClick = [&](TObject*, int c, int r, String& s) {
      f.log.push_back("ellips " + std::to_string(c) + "," + std::to_string(r) + " " + Utf8(s));
      s = u"New";
    };
    f.grid->OnButtonClick = [&](TObject*, int, int) { f.log.push_back("button " + f.Cell(kCol, kRow)); };
    f.Edit(kCol, kRow, edButton, u"Old");
    if (bySpace) f.Key(VK_SPACE);
    else f.driver.Click(f.button());
    EXPECT_EQ(f.log, (std::vector<std::string>{"ellips 2,2 Old", "button New"})) << bySpace;
    EXPECT_EQ(Utf8(f.button()->Caption()), "New");
  }
}

TEST(AdvGridButtonEditor, ArrowsMoveTheGridAndEscapeStays) {
  struct Case {
    Word key;
    int col, row;
  };
  for (const Case& c : {Case{VK_LEFT, kCol - 1, kRow}, Case{VK_DOWN, kCol, kRow + 1}, Case{VK_ESCAPE, kCol, kRow}}) {
    ButtonForm f;
    f.Edit(kCol, kRow, edButton, u"Old");
    f.Key(c.key);
    EXPECT_FALSE(f.open()) << c.key;
    EXPECT_FALSE(f.button()->Visible()) << c.key;
    EXPECT_EQ(f.grid->Col(), c.col) << c.key;
    EXPECT_EQ(f.grid->Row(), c.row) << c.key;
    EXPECT_EQ(f.Cell(kCol, kRow), "Old") << c.key;
    EXPECT_TRUE(f.grid->Focused()) << c.key;
  }
}

TEST(AdvGridSpecialEditors, OwnersMustBeStringGrids) {
  TForm* form = New<TForm>(nullptr);
  EXPECT_THROW(TGridSpin spin(form), EInvalidCast);
  EXPECT_THROW(TGridCheckBox check(form), EInvalidCast);
  EXPECT_THROW(TGridButton button(form), EInvalidCast);
  delete form;
}

}  // namespace
