// The edit-button and unit editors over grid cells: character filters, the ellipsis button,
// pasting, completion, the cursor walk, and the unit editor's value-then-unit commit.
#include <gtest/gtest.h>

#include "AdvGridEditorsTestSupport.h"
#include "platform/EditTips.h"

namespace {

using editors_test::EditorForm;
using editors_test::LocaleSeparators;
using editors_test::Utf8;

constexpr int kCol = 2;
constexpr int kRow = 2;

struct BtnForm : EditorForm {
  TGridEditBtn* edit() { return grid->BtnEdit(); }
  bool open() { return edit()->Visible() && grid->InEditMode(); }
  // Opens Kind on Text with the caret at Caret (-1: the end), nothing selected.
  void Holding(TEditorType Kind, const String& Text, int Caret) {
    Edit(kCol, kRow, Kind, Text);
    edit()->SetSelLength(0);
    edit()->SetSelStart(Caret < 0 ? static_cast<int>(Text.size()) : Caret);
  }
};

struct CharCase {
  const char* name;
  const char16_t* start;
  int caret;
  Word key;
  TShiftState shift;
  const char* expected;
  int beeps;
};

void RunBtnCharCases(TEditorType Kind, std::initializer_list<CharCase> Cases) {
  for (const CharCase& c : Cases) {
    SCOPED_TRACE(c.name);
    BtnForm f;
    f.Holding(Kind, c.start, c.caret);
    ASSERT_TRUE(f.edit()->Focused());
    const int before = MessageBeepCount();
    f.Key(c.key, c.shift);
    EXPECT_EQ(Utf8(f.edit()->Text()), c.expected);
    EXPECT_EQ(MessageBeepCount() - before, c.beeps);
  }
}

TEST(AdvGridEditBtnEditor, NumericCharacters) {
  RunBtnCharCases(edNumericEditBtn, {
                                        {"minus at 0 of an empty text", u"", 0, VK_OEM_MINUS, {}, "-", 0},
                                        {"a second minus beeps", u"-", 0, VK_OEM_MINUS, {}, "-", 1},
                                        {"minus at 2 beeps", u"12", 2, VK_OEM_MINUS, {}, "12", 1},
                                        {"a letter beeps", u"12", -1, 'A', {}, "12", 1},
                                        {"a digit", u"12", -1, '3', {}, "123", 0},
                                    });
}

TEST(AdvGridEditBtnEditor, FloatCharactersUnderACommaLocale) {
  LocaleSeparators comma(u',', u'.');
  RunBtnCharCases(edFloatEditBtn, {
                                      {"a comma once", u"1", -1, VK_OEM_COMMA, {}, "1,", 0},
                                      {"a second comma is dropped", u"1,5", -1, VK_OEM_COMMA, {}, "1,5", 0},
                                      {"the point is dropped silently", u"1", -1, VK_OEM_PERIOD, {}, "1", 0},
                                      {"minus elsewhere beeps", u"1", -1, VK_OEM_MINUS, {}, "1", 1},
                                      {"a letter is dropped silently", u"1", -1, 'A', {}, "1", 0},
                                  });
}

TEST(AdvGridEditBtnEditor, CtrlShortcutsPassTheFloatFilter) {
  LocaleSeparators comma(u',', u'.');
  BtnForm f;
  f.Holding(edFloatEditBtn, u"1,5", -1);
  f.edit()->SelectAll();
  SetClipboardText(u"");
  const int before = MessageBeepCount();
  f.Key('C', {ssCtrl});
  EXPECT_EQ(Utf8(ClipboardText()), "1,5");
  EXPECT_EQ(MessageBeepCount(), before);
}

TEST(AdvGridEditBtnEditor, OpensOnTheEditTextWithoutEditorPropertiesAndTakesTheStartCharacter) {
  BtnForm f;
  f.Edit(kCol, kRow, edEditBtn, u"abc");
  ASSERT_TRUE(f.open());
  EXPECT_EQ(Utf8(f.edit()->Text()), "abc");
  EXPECT_TRUE(f.log.empty());
  EXPECT_EQ(f.grid->EditCtrl(), f.edit());
  f.grid->HideInplaceEdit();

  f.grid->GotoCell(kCol + 1, kRow);
  f.kinds[kCol + 1] = edEditBtn;
  f.grid->SetFocus();
  f.driver.Character(f.form, u'x');
  f.driver.DrainPosted();
  ASSERT_TRUE(f.open());
  EXPECT_NE(Utf8(f.edit()->Text()).find('x'), std::string::npos);
}

TEST(AdvGridEditBtnEditor, EllipsisTextComesBackSelectedAndStopEditCommitsIt) {
  for (bool stop : {false, true}) {
    BtnForm f;
    f.grid->OnEllipsClick = [](TObject*, int, int, String& s) { s = s + u"!"; };
    f.Edit(kCol, kRow, edEditBtn, u"abc");
    f.edit()->SetStopEditAfterClick(stop);
    f.driver.Click(f.edit()->Button()->Button());
    EXPECT_EQ(Utf8(f.edit()->Text()), "abc!") << stop;
    if (stop) {
      EXPECT_FALSE(f.open());
      EXPECT_EQ(f.Cell(kCol, kRow), "abc!");
    } else {
      EXPECT_TRUE(f.open());
      EXPECT_EQ(f.edit()->SelLength(), 4);
      EXPECT_EQ(f.Cell(kCol, kRow), "abc");
    }
  }
}

TEST(AdvGridEditBtnEditor, PasteDropsOnlyAFinalLineBreak) {
  struct Case {
    const char16_t* pasted;
    const char* expected;
  };
  for (const Case& c : {Case{u"xy\r\n", "axyb"}, Case{u"x\r\ny", "ax\r\nyb"}, Case{u"x\r\ny\r\n", "ax\r\ny\r\nb"}}) {
    BtnForm f;
    f.Holding(edEditBtn, u"ab", 1);
    SetClipboardText(c.pasted);
    f.edit()->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(Utf8(f.edit()->Text()), c.expected);
  }
}

TEST(AdvGridEditBtnEditor, EnterCommitsAndEscapeRestores) {
  for (Word key : {VK_RETURN, VK_ESCAPE}) {
    BtnForm f;
    f.Holding(edEditBtn, u"ab", -1);
    f.Type(u"c");
    f.Key(key);
    EXPECT_FALSE(f.open()) << key;
    EXPECT_EQ(f.Cell(kCol, kRow), key == VK_RETURN ? "abc" : "ab");
    EXPECT_TRUE(f.Has("done")) << key;
  }
}

TEST(AdvGridEditBtnEditor, RefusedEnterKeepsTheEditorOnTheHandlersText) {
  BtnForm f;
  f.grid->OnCellValidate = [](TObject*, int, int, String& v, bool& valid) {
    valid = false;
    v = u"fixed";
  };
  f.Holding(edEditBtn, u"ab", -1);
  f.Type(u"c");
  f.Key(VK_RETURN);
  EXPECT_TRUE(f.open());
  EXPECT_EQ(Utf8(f.edit()->Text()), "fixed");
  EXPECT_EQ(f.edit()->SelLength(), 5);
  EXPECT_EQ(f.grid->CurrentEditor(), edEditBtn);
}

TEST(AdvGridEditBtnEditor, LeftWalksOnlyFromTheStart) {
  BtnForm f;
  f.grid->Navigation()->SetCursorWalkEditor(true);
  f.Holding(edEditBtn, u"ab", 1);
  f.Key(VK_LEFT);
  EXPECT_TRUE(f.open());
  EXPECT_EQ(f.edit()->SelStart(), 0);
  f.Key(VK_LEFT);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.grid->Col(), kCol - 1);
}

TEST(AdvGridEditBtnEditor, LookupCompletesTypedTextButNotAfterBackspace) {
  BtnForm f;
  f.grid->SetLookup(true);
  f.grid->LookupItems()->Add(u"Alpha");
  f.grid->LookupItems()->Add(u"Beta");
  f.Holding(edEditBtn, u"", 0);
  f.Type(u"b");
  EXPECT_EQ(Utf8(f.edit()->Text()), "beta");
  EXPECT_EQ(f.edit()->SelStart(), 1);
  EXPECT_EQ(f.edit()->SelLength(), 3);
  f.Key(VK_BACK);
  f.Key(VK_BACK);
  EXPECT_EQ(Utf8(f.edit()->Text()), "");
}

TEST(AdvGridEditBtnEditor, ClaimsTabOnlyWhenTheGridWantsIt) {
  BtnForm f;
  auto claims = [&](Word k) { return f.edit()->Perform(CM_WANTSPECIALKEY, k, 0) != 0; };
  EXPECT_TRUE(claims(VK_RETURN));
  EXPECT_TRUE(claims(VK_ESCAPE));
  EXPECT_FALSE(claims(VK_TAB));
  f.grid->OnCellValidate = [](TObject*, int, int, String&, bool&) {};
  EXPECT_TRUE(claims(VK_TAB));
}

// ---- unit editor ------------------------------------------------------------------------------

struct UnitForm : EditorForm {
  UnitForm() {
    unit()->Units()->Add(u"kg");
    unit()->Units()->Add(u"g");
  }
  TGridUnitEditBtn* unit() { return grid->BtnUnitEdit(); }
  bool open() { return unit()->Visible() && grid->InEditMode(); }
};

TEST(AdvGridUnitEditor, OpensSplitAndCommitsValueThenUnit) {
  UnitForm f;
  f.Edit(kCol, kRow, edUnitEditBtn, u"10kg");
  ASSERT_TRUE(f.open());
  EXPECT_EQ(Utf8(f.unit()->Text()), "10");
  EXPECT_EQ(Utf8(f.unit()->UnitID()), "kg");
  EXPECT_TRUE(f.Has("prop 2,2"));
  f.unit()->SetText(u"12");
  f.unit()->SetUnitID(u"g");
  f.grid->HideInplaceEdit();
  EXPECT_EQ(f.Cell(kCol, kRow), "12g");
}

TEST(AdvGridUnitEditor, EnterValidatesTheTextWithItsUnitAndEscapeRestoresIt) {
  UnitForm f;
  std::vector<std::string> validated;
  f.grid->OnCellValidate = [&](TObject*, int, int, String& v, bool&) { validated.push_back(Utf8(v)); };
  f.grid->SetAlwaysValidate(true);
  f.Edit(kCol, kRow, edUnitEditBtn, u"10kg");
  f.Key(VK_RETURN);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(validated.front(), "10kg");
  EXPECT_EQ(f.Cell(kCol, kRow), "10kg");

  f.Edit(kCol, kRow, edUnitEditBtn, u"10kg");
  f.unit()->SetText(u"99");
  f.Key(VK_ESCAPE);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.Cell(kCol, kRow), "10kg");
}

TEST(AdvGridUnitEditor, ACellWithoutAUnitOpensWholeAndCommitsUnchanged) {
  UnitForm f;
  f.Edit(kCol, kRow, edUnitEditBtn, u"10 m");
  EXPECT_EQ(Utf8(f.unit()->Text()), "10 m");
  EXPECT_EQ(Utf8(f.unit()->UnitID()), "");
  f.grid->HideInplaceEdit();
  EXPECT_EQ(f.Cell(kCol, kRow), "10 m");
}

TEST(AdvGridUnitEditor, ClaimsTabOnlyWithGoTabs) {
  UnitForm f;
  auto claims = [&](Word k) { return f.unit()->Perform(CM_WANTSPECIALKEY, k, 0) != 0; };
  f.grid->OnCellValidate = [](TObject*, int, int, String&, bool&) {};
  EXPECT_TRUE(claims(VK_RETURN));
  EXPECT_FALSE(claims(VK_TAB));
  f.grid->SetOptions(f.grid->Options() | goTabs);
  EXPECT_TRUE(claims(VK_TAB));
}

}  // namespace
