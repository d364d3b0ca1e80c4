#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/Forms.h"
#include "platform/Grids.h"
#include "platform/testing/InputDriver.h"
#include "tests/support/Utf8Text.h"

namespace {

// Exposes the leave hook of the masked edit.
class ProbeMaskEdit : public TCustomMaskEdit {
 public:
  using TCustomMaskEdit::TCustomMaskEdit;
  void Leave() { DoExit(); }
};

void TypeChars(TCustomMaskEdit* e, const String& s) {
  for (Char c : s) e->Perform(WM_CHAR, c, 0);
}

// Typing into an edit made with the mask (caret at the start) gives these texts.
struct TypingCase {
  const char16_t* mask;
  const char16_t* typed;
  const char* editText;
  const char* text;
};

TEST(MaskEditTest, TypingFillsSlotsSkipsLiteralsAndRefusesMisfits) {
  const TypingCase cases[] = {
      // required digits, literal skipped while typing, literals saved
      {u"00/00;1;_", u"1234", "12/34", "12/34"},
      // literals not saved
      {u"00/00;0;_", u"1234", "12/34", "1234"},
      // a letter refused at a digit position
      {u"000;1;_", u"1x2", "12_", "12 "},
      // other blank character
      {u"000;1;*", u"7", "7**", "7  "},
      // optional digit, digit-or-sign
      {u"#99;1;_", u"-5", "-5_", "-5 "},
      {u"#99;1;_", u"a+", "+__", "+  "},
      // letters: required and optional; digits refused
      {u"Ll;1;_", u"1aB", "aB", "aB"},
      // alphanumerics refuse punctuation
      {u"Aa;1;_", u".z9", "z9", "z9"},
      // any character
      {u"Cc;1;_", u".-", ".-", ".-"},
      // case conversion, and its end
      {u">LL<>LL<LL;1;_", u"abCDEF", "ABCDef", "ABCDef"},
      // an escaped mask character is a literal
      {u"\\00;1;_", u"5", "05", "05"},
      // "_" is a blank literal
      {u"00_00;0;_", u"1234", "12 34", "1234"},
      {u"00_00;1;_", u"1234", "12 34", "12 34"},
      // leading blanks dropped from the text
      {u"!99-99;1;_", u"", "__-__", "-  "},
      // no fields: literals saved, "_" blank
      {u"(000)", u"12", "(12_)", "(12 )"},
      // typing beyond the last slot is refused
      {u"00;1;_", u"123", "12", "12"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8(c.mask) + " <- " + Utf8(c.typed));
    std::unique_ptr<ProbeMaskEdit> e(new ProbeMaskEdit(nullptr));
    e->SetEditMask(c.mask);
    EXPECT_TRUE(e->IsMasked());
    TypeChars(e.get(), c.typed);
    EXPECT_EQ(Utf8(e->EditText()), c.editText);
    EXPECT_EQ(Utf8(e->Text()), c.text);
  }
}

// SetText lays a value into the mask.
struct FormatCase {
  const char16_t* mask;
  const char16_t* value;
  const char* editText;
  const char* text;
};

TEST(MaskEditTest, SetTextLaysTheValueIntoTheMask) {
  const FormatCase cases[] = {
      {u"00/00;1;_", u"12/34", "12/34", "12/34"},
      {u"00/00;0;_", u"1234", "12/34", "1234"},
      {u"00/00;1;_", u"1", "1_/__", "1 /  "},
      {u"000;1;_", u"1a3", "1_3", "1 3"},
      {u">lll;1;_", u"abc", "ABC", "ABC"},
      {u"00:00;1;_", u"", "__:__", "  :  "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8(c.mask) + " = " + Utf8(c.value));
    std::unique_ptr<TCustomMaskEdit> e(new TCustomMaskEdit(nullptr));
    e->SetEditMask(c.mask);
    e->SetText(c.value);
    EXPECT_EQ(Utf8(e->EditText()), c.editText);
    EXPECT_EQ(Utf8(e->Text()), c.text);
  }
}

TEST(MaskEditTest, BackspaceAndDeleteBlankSlotsAndKeepLiterals) {
  std::unique_ptr<TCustomMaskEdit> e(new TCustomMaskEdit(nullptr));
  e->SetEditMask(u"00/00;1;_");
  e->SetText(u"12/34");
  e->SetSelStart(3);  // just after the literal
  e->Perform(WM_CHAR, 8, 0);
  EXPECT_EQ(Utf8(e->EditText()), "1_/34");
  EXPECT_EQ(e->SelStart(), 1);
  e->SetSelStart(3);
  e->Perform(WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(Utf8(e->EditText()), "1_/_4");
  e->SetSelStart(0);
  e->SetSelLength(5);
  e->Perform(WM_CHAR, '9', 0);  // a selection is cleared, then the first slot filled
  EXPECT_EQ(Utf8(e->EditText()), "9_/__");
  EXPECT_EQ(e->SelStart(), 1);
}

TEST(MaskEditTest, LeavingWithARequiredBlankRaisesEDBEditError) {
  struct Case {
    const char16_t* mask;
    const char16_t* typed;
    bool raises;
    int selStart;
  } cases[] = {
      {u"00/00;1;_", u"123", true, 4},
      {u"00/00;1;_", u"1234", false, 0},
      {u"99/99;1;_", u"1", false, 0},
      {u"LL;1;_", u"a", true, 1},
      {u"Aa;1;_", u"z", false, 0},
      {u"Cc;1;_", u"", false, 0},  // not modified: nothing to check
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8(c.mask) + " <- " + Utf8(c.typed));
    std::unique_ptr<ProbeMaskEdit> e(new ProbeMaskEdit(nullptr));
    e->SetEditMask(c.mask);
    TypeChars(e.get(), c.typed);
    if (c.raises) {
      try {
        e->Leave();
        ADD_FAILURE() << "no EDBEditError";
      } catch (const EDBEditError& err) {
        EXPECT_EQ(Utf8(err.Message()), "Invalid input value.  Use escape key to abandon changes");
        EXPECT_EQ(e->SelStart(), c.selStart);
        EXPECT_EQ(e->SelLength(), 1);
      }
    } else {
      EXPECT_NO_THROW(e->Leave());
    }
  }
  std::unique_ptr<TCustomMaskEdit> plain(new TCustomMaskEdit(nullptr));
  TypeChars(plain.get(), u"x");
  EXPECT_FALSE(plain->IsMasked());
  EXPECT_EQ(Utf8(plain->Text()), "x");
  EXPECT_NO_THROW(plain->ValidateEdit());
}

TEST(MaskEditTest, GridEditorFiltersByTheCellMask) {
  InputDriver driver;
  TForm* form = New<TForm>(nullptr);
  std::unique_ptr<TForm> owner(form);
  form->SetClientWidth(400);
  form->SetClientHeight(300);
  auto* grid = New<TStringGrid>(form);
  grid->SetParent(form);
  grid->SetScrollBars(ssNone);
  grid->SetBounds(10, 10, 300, 200);
  grid->SetOptions(grid->Options() | goEditing);
  grid->OnGetEditMask = [](TObject*, int, int, String& v) { v = u"00-00;0;_"; };
  form->Show();
  grid->SetFocus();
  driver.Type(form, u"1");
  driver.DrainPosted();
  ASSERT_TRUE(grid->EditorMode());
  driver.Type(form, u"2x34");
  TInplaceEdit* ed = grid->InplaceEditor();
  ASSERT_NE(ed, nullptr);
  EXPECT_EQ(Utf8(ed->EditText()), "12-34");
  EXPECT_EQ(Utf8(grid->Cells(grid->Col(), grid->Row())), "1234");
}

}  // namespace
