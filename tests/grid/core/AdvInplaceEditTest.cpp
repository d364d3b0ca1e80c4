// The inplace text editor: characters by kind, the length limit, pasting, mixed case, Escape,
// the walk out of the text, lines, lookup completion and the end of an edit by focus.
#include <gtest/gtest.h>

#include <string>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvColumnGrid.h"
#include "grid/core/AdvInplaceEdit.h"
#include "platform/EditTips.h"
#include "platform/testing/FakeMetrics.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

// Puts the process-wide separators back when the test ends.
class TScopedSeparators {
 public:
  TScopedSeparators(Char Decimal, Char Thousand) : FOld(FormatSettings()) {
    FormatSettings().DecimalSeparator = Decimal;
    FormatSettings().ThousandSeparator = Thousand;
  }
  ~TScopedSeparators() { FormatSettings() = FOld; }

 private:
  TFormatSettings FOld;
};

template <class TGrid = TAdvStringGrid>
struct Editing {
  GridForm<TGrid> f;
  TGrid* g = f.grid;
  TEdit* other = nullptr;

  explicit Editing(TEditorType Kind = edNormal) {
    g->SetDefaultEditor(Kind);
    g->SetOptions(g->Options() | goEditing);
    other = New<TEdit>(f.form);
    other->SetParent(f.form);
    other->SetBounds(10, 300, 80, 20);
  }
  TAdvInplaceEdit* Open(int DCol = 2, int DRow = 2) {
    g->SetFocus();
    g->GotoCell(DCol, DRow);
    g->ShowInplaceEdit();
    return g->NormalEdit();
  }
  // The editor holding Text with the caret at Caret (nothing selected).
  TAdvInplaceEdit* Holding(const char* Text, int Caret) {
    TAdvInplaceEdit* ed = Open();
    ed->SetText(Utf8ToString(Text));
    ed->SetSelStart(Caret < 0 ? static_cast<int>(ed->Text().size()) : Caret);
    return ed;
  }
};

struct CharCase {
  const char* name;
  const char* start;
  int caret;  // -1: the end
  Word key;
  TShiftState shift;
  const char* expected;
  int beeps;
};

template <class TRun>
void RunCharCases(TEditorType Kind, const CharCase* Cases, size_t Count, TRun Before) {
  for (size_t i = 0; i < Count; ++i) {
    const CharCase& c = Cases[i];
    SCOPED_TRACE(c.name);
    Editing<> t(Kind);
    Before();
    TAdvInplaceEdit* ed = t.Holding(c.start, c.caret);
    ASSERT_TRUE(ed && ed->Focused());
    const int before = MessageBeepCount();
    if (c.key == VK_DECIMAL)
      t.f.driver.KeypadDecimal(t.f.form);
    else
      t.f.driver.Key(t.f.form, c.key, c.shift);
    EXPECT_EQ(Utf8(ed->Text()), c.expected);
    EXPECT_EQ(MessageBeepCount() - before, c.beeps);
  }
}

TEST(AdvInplaceEdit, NumericCharacters) {
  const CharCase cases[] = {
      {"minus at caret 1 beeps", "12", 1, VK_OEM_MINUS, {}, "12", 1},
      {"minus at caret 0", "12", 0, VK_OEM_MINUS, {}, "-12", 0},
      {"a second minus beeps", "-12", 0, VK_OEM_MINUS, {}, "-12", 1},
      {"Ctrl+C beeps", "12", -1, 'C', {ssCtrl}, "12", 1},
      {"a letter beeps", "12", -1, 'A', {}, "12", 1},
      {"a digit", "12", -1, '3', {}, "123", 0},
  };
  RunCharCases(edNumeric, cases, std::size(cases), [] {});
}

TEST(AdvInplaceEdit, FloatCharactersUnderACommaDecimalSeparator) {
  TScopedSeparators seps(u',', u'.');
  const CharCase cases[] = {
      {"a second comma is kept out", "1,5", -1, VK_OEM_COMMA, {}, "1,5", 0},
      {"the thousand separator is dropped silently", "1", -1, VK_OEM_PERIOD, {}, "1", 0},
      {"minus at caret 0", "1", 0, VK_OEM_MINUS, {}, "-1", 0},
      {"minus elsewhere beeps", "1", -1, VK_OEM_MINUS, {}, "1", 1},
  };
  RunCharCases(edFloat, cases, std::size(cases), [] {});
  const CharCase positive[] = {{"minus is dropped silently", "1", 0, VK_OEM_MINUS, {}, "1", 0}};
  RunCharCases(edPositiveFloat, positive, std::size(positive), [] {});
}

TEST(AdvInplaceEdit, FloatKeypadPointAndPaste) {
  TScopedSeparators seps(u',', u'.');
  Editing<> t(edFloat);
  t.g->SetExcelStyleDecimalSeparator(true);
  TAdvInplaceEdit* ed = t.Holding("1", -1);
  t.f.driver.KeypadDecimal(t.f.form);
  EXPECT_EQ(Utf8(ed->Text()), "1,");
  SetClipboardText(u"5");
  t.f.driver.Key(t.f.form, 'V', {ssCtrl});  // control characters pass while Ctrl is held
  EXPECT_EQ(Utf8(ed->Text()), "1,5");
}

TEST(AdvInplaceEdit, EditLengthOfTheColumn) {
  Editing<TAdvColumnGrid> t;
  t.g->Columns()->Items(2)->SetEditLength(15);
  TAdvInplaceEdit* ed = t.Open();
  ed->SetText(u"");
  t.f.driver.Type(t.f.form, u"abcdefghijklmnop");  // 16
  EXPECT_EQ(Utf8(ed->Text()), "abcdefghijklmno");
  struct Case {
    const char* start;
    const char* pasted;
    const char* expected;
  };
  const Case cases[] = {
      {"", "0123456789abcdef", ""},
      {"0123456789", "0123456789", "0123456789"},
      {"0123456789", "abcde", "0123456789abcde"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pasted);
    ed->SetText(Utf8ToString(c.start));
    ed->SetSelStart(static_cast<int>(ed->Text().size()));
    SetClipboardText(Utf8ToString(c.pasted));
    ed->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(Utf8(ed->Text()), c.expected);
  }
}

TEST(AdvInplaceEdit, MaxEditLengthReachesAnEditorThatIsOpen) {
  Editing<> t;
  TAdvInplaceEdit* ed = t.Open();
  ed->SetText(u"");
  t.g->SetMaxEditLength(4);
  EXPECT_EQ(t.g->MaxEditLength(), 4);
  EXPECT_EQ(ed->LengthLimit(), 4);
  t.f.driver.Type(t.f.form, u"abcdef");
  EXPECT_EQ(Utf8(ed->Text()), "abcd");
  t.g->SetMaxEditLength(0);  // no limit again
  t.f.driver.Type(t.f.form, u"ef");
  EXPECT_EQ(Utf8(ed->Text()), "abcdef");
}

TEST(AdvInplaceEdit, ARowGrownWhileTypingOutOfTheViewReopensTheEditorAtTheEnd) {
  Editing<> t;
  t.g->SetWordWrap(true);
  TSizeWhileTyping typing;
  typing.SetHeight(true);
  t.g->SetSizeWhileTyping(&typing);
  ASSERT_GE(t.g->VisibleRowCount() + t.g->FixedRows(), t.g->RowCount());  // every row in view
  TAdvInplaceEdit* ed = t.Open();
  const int inset = t.g->CellRect(2, 2).Height() - ed->Height();  // the editor's place in its cell
  // A long text put in without typing; the first key typed at its start grows the row.
  ed->SetText(u"aa bb cc dd ee ff gg hh ii jj kk ll mm nn oo pp");
  ed->SetSelStart(0);
  t.f.driver.Type(t.f.form, u"x");
  ASSERT_LT(t.g->VisibleRowCount() + t.g->FixedRows(), t.g->RowCount());  // the grown row pushed some out
  EXPECT_TRUE(t.g->EditorMode());
  EXPECT_TRUE(ed->Visible());
  EXPECT_EQ(Utf8(ed->Text()), "xaa bb cc dd ee ff gg hh ii jj kk ll mm nn oo pp");
  EXPECT_EQ(ed->Height(), t.g->CellRect(2, 2).Height() - inset);  // over the grown cell
  EXPECT_EQ(ed->SelStart(), static_cast<int>(ed->Text().size()));  // the caret went to the end
  EXPECT_EQ(ed->SelLength(), 0);

  // A row that grows while other rows stay in view keeps the caret where it was.
  Editing<> u;
  u.g->SetWordWrap(true);
  u.g->SetSizeWhileTyping(&typing);
  TAdvInplaceEdit* e2 = u.Open();
  e2->SetText(u"aa bb cc");
  e2->SetSelStart(0);
  u.f.driver.Type(u.f.form, u"x");
  ASSERT_GE(u.g->VisibleRowCount() + u.g->FixedRows(), u.g->RowCount());
  EXPECT_EQ(e2->SelStart(), 1);
}

TEST(AdvInplaceEdit, PastedLineBreaksAndUnicode) {
  struct Case {
    const char* pasted;
    const char* expected;
  };
  const Case cases[] = {
      {"abc\r\n", "abc"},
      {"a\r\nb", "a\r\nb"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"\xC3\xBC\xE2\x82\xAC\xE4\xB8\xAD", "\xC3\xBC\xE2\x82\xAC\xE4\xB8\xAD"},  // u-umlaut, euro, a CJK character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    Editing<> t;
    TAdvInplaceEdit* ed = t.Holding("", 0);
    SetClipboardText(Utf8ToString(c.pasted));
    ed->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(Utf8(ed->Text()), c.expected);
    EXPECT_EQ(Utf8(t.g->GetCellEx(2, 2)), c.expected);
  }
}

TEST(AdvInplaceEdit, PasteEventsMayChangeOrRefuse) {
  Editing<> t;
  TAdvInplaceEdit* ed = t.Holding("", 0);
  String after;
  t.g->OnClipboardBeforePasteCell = [](TObject*, int, int, String& v, bool&) { v = u"changed"; };
  t.g->OnClipboardAfterPasteCell = [&](TObject*, int, int, const String& v) { after = v; };
  SetClipboardText(u"x");
  ed->Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(Utf8(ed->Text()), "changed");
  EXPECT_EQ(Utf8(after), "changed");
  t.g->OnClipboardPaste = [](TObject*, bool& a) { a = false; };
  ed->Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(Utf8(ed->Text()), "changed");
}

TEST(AdvInplaceEdit, MixedCaseRewritesTheWholeText) {
  Editing<> t(edMixedCase);
  TAdvInplaceEdit* ed = t.Holding("john smith", -1);
  t.f.driver.Type(t.f.form, u"y");
  EXPECT_EQ(Utf8(ed->Text()), "John Smithy");
  EXPECT_EQ(ed->SelStart(), 11);
}

TEST(AdvInplaceEdit, EscapeRestoresTheStartTextAfterSeveralValidations) {
  Editing<> t;
  t.g->SetCellEx(2, 2, u"start");
  int validations = 0;
  t.g->OnCellValidate = [&](TObject*, int, int, String&, bool& ok) {
    ++validations;
    ok = false;
  };
  TAdvInplaceEdit* ed = t.Open();
  t.f.driver.Type(t.f.form, u"a");
  t.f.driver.Key(t.f.form, VK_RETURN);
  ed->SetSelStart(static_cast<int>(ed->Text().size()));
  t.f.driver.Type(t.f.form, u"b");
  t.f.driver.Key(t.f.form, VK_RETURN);
  EXPECT_EQ(validations, 2);
  EXPECT_EQ(Utf8(ed->Text()), "ab");
  t.f.driver.Key(t.f.form, VK_ESCAPE);
  EXPECT_EQ(Utf8(t.g->GetCellEx(2, 2)), "start");
  EXPECT_FALSE(t.g->EditorMode());
}

TEST(AdvInplaceEdit, CursorWalkRightAtTheEnd) {
  for (bool refuse : {false, true}) {
    SCOPED_TRACE(refuse ? "refused" : "accepted");
    Editing<> t;
    t.g->Navigation()->SetCursorWalkEditor(true);
    t.g->OnCellValidate = [&](TObject*, int, int, String&, bool& ok) { ok = !refuse; };
    TAdvInplaceEdit* ed = t.Holding("ab", -1);
    t.f.driver.Key(t.f.form, VK_RIGHT);
    EXPECT_EQ(t.g->Col(), refuse ? 2 : 3);
    EXPECT_EQ(t.g->Row(), 2);
    EXPECT_TRUE(t.g->EditorMode());
    EXPECT_TRUE(ed->Focused());
  }
}

TEST(AdvInplaceEdit, UpLeavesFromTheFirstLineAndMovesTheCaretFromTheSecond) {
  struct Case {
    int caret;
    int rowAfter;
    int caretAfter;
  };
  // "ab" CR LF "cd": caret 1 is on line 1, caret 4 at the start of line 2.
  const Case cases[] = {{1, 1, -1}, {4, 2, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caret);
    Editing<> t;
    TAdvInplaceEdit* ed = t.Holding("ab\r\ncd", c.caret);
    t.f.driver.Key(t.f.form, VK_UP);
    EXPECT_EQ(t.g->Row(), c.rowAfter);
    if (c.caretAfter >= 0) {
      EXPECT_TRUE(t.g->EditorMode());
      EXPECT_EQ(ed->SelStart(), c.caretAfter);
    } else {
      EXPECT_EQ(Utf8(t.g->GetCellEx(2, 2)), "ab\r\ncd");
    }
  }
}

TEST(AdvInplaceEdit, UpAndDownCountWrappedLines) {
  TScopedFakeMetrics metrics(7);
  struct Case {
    Word key;
    int caret;
    int rowAfter;
    int caretAfter;  // -1: the editor left the cell
  };
  // In a 64-pixel column at 7 pixels a character "alpha beta gamma" shows as "alpha ", "beta ",
  // "gamma" (no line break in it).
  const Case cases[] = {
      {VK_UP, 2, 1, -1}, {VK_UP, 13, 2, 8}, {VK_DOWN, 8, 2, 13}, {VK_DOWN, 2, 2, 8}, {VK_DOWN, 13, 3, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.key) + " at " + std::to_string(c.caret));
    Editing<> t;
    TAdvInplaceEdit* ed = t.Holding("alpha beta gamma", c.caret);
    ASSERT_EQ(ed->LineCount(), 3);
    t.f.driver.Key(t.f.form, c.key);
    EXPECT_EQ(t.g->Row(), c.rowAfter);
    if (c.caretAfter >= 0) {
      EXPECT_TRUE(t.g->EditorMode());
      EXPECT_EQ(ed->SelStart(), c.caretAfter);
    }
  }
}

TEST(AdvInplaceEdit, LookupCompletesTheTypedPrefix) {
  Editing<> t;
  t.g->SetLookup(true);
  t.g->LookupItems()->Add(u"Alpha");
  t.g->LookupItems()->Add(u"Beta");
  TAdvInplaceEdit* ed = t.Holding("", 0);
  t.f.driver.Type(t.f.form, u"b");
  EXPECT_EQ(Utf8(ed->Text()), "beta");
  EXPECT_EQ(ed->SelStart(), 1);
  EXPECT_EQ(ed->SelLength(), 3);
  t.f.driver.Key(t.f.form, VK_BACK);
  EXPECT_EQ(Utf8(ed->Text()), "b");
  EXPECT_EQ(ed->SelLength(), 0);
}

TEST(AdvInplaceEdit, AClickOnAnotherWindowValidatesOnceAndEndsTheEditOnce) {
  Editing<> t;
  int validations = 0, done = 0;
  t.g->OnCellValidate = [&](TObject*, int, int, String&, bool&) { ++validations; };
  t.g->OnEditingDone = [&](TObject*) { ++done; };
  t.Open();
  t.f.driver.Type(t.f.form, u"x");
  t.f.driver.Click(t.other);
  EXPECT_TRUE(t.other->Focused());
  EXPECT_EQ(validations, 1);
  EXPECT_EQ(done, 1);
  EXPECT_EQ(Utf8(t.g->GetCellEx(2, 2)), "x");
  EXPECT_FALSE(t.g->EditorMode());
}

TEST(AdvInplaceEdit, EditChangeFollowsTypingButNotFilling) {
  Editing<> t;
  std::string seen;
  t.g->OnEditChange = [&](TObject*, int c, int r, const String& v) {
    seen += std::to_string(c) + "," + std::to_string(r) + "=" + Utf8(v) + ";";
  };
  t.g->SetCellEx(2, 2, u"q");
  t.Open();
  EXPECT_EQ(seen, "");
  t.f.driver.Type(t.f.form, u"z");
  EXPECT_EQ(seen, "2,2=z;");
}

}  // namespace
