#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "tests/support/Utf8Text.h"

namespace {

// A form with two edits, a memo and two buttons; every key event is logged as "name:event:value".
struct KeyForm {
  TForm* form = nullptr;
  TEdit* edit1 = nullptr;
  TEdit* edit2 = nullptr;
  TMemo* memo = nullptr;
  TButton* ok = nullptr;
  TButton* cancel = nullptr;
  std::vector<std::string> log;

  KeyForm() {
    form = New<TForm>(nullptr);
    form->SetName(u"KeyForm");
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    edit1 = Add<TEdit>(u"edit1", 10, 10);
    edit2 = Add<TEdit>(u"edit2", 10, 40);
    memo = Add<TMemo>(u"memo", 10, 70);
    ok = Add<TButton>(u"ok", 200, 10);
    cancel = Add<TButton>(u"cancel", 200, 40);
    ok->SetCaption(u"&OK");
    cancel->SetCaption(u"Cancel");
    ok->OnClick = [this](TObject*) { log.push_back("ok:click"); };
    cancel->OnClick = [this](TObject*) { log.push_back("cancel:click"); };
    form->OnKeyDown = [this](TObject*, Word& k, TShiftState) { log.push_back("form:down:" + std::to_string(k)); };
    form->OnKeyPress = [this](TObject*, Char& c) { log.push_back("form:char:" + std::to_string(c)); };
    form->Show();
  }
  ~KeyForm() { delete form; }

  template <class T>
  T* Add(const String& name, int x, int y) {
    T* c = New<T>(form);
    c->SetName(name);
    c->SetParent(form);
    c->SetBounds(x, y, 100, 21);
    if (auto* w = dynamic_cast<TWinControl*>(static_cast<TControl*>(c))) {
      std::string n = Utf8(name);
      w->OnKeyDown = [this, n](TObject*, Word& k, TShiftState) { log.push_back(n + ":down:" + std::to_string(k)); };
      w->OnKeyPress = [this, n](TObject*, Char& ch) { log.push_back(n + ":char:" + std::to_string(ch)); };
      w->OnKeyUp = [this, n](TObject*, Word& k, TShiftState) { log.push_back(n + ":up:" + std::to_string(k)); };
    }
    return c;
  }

  std::string Focus() const {
    TWinControl* f = form->FocusedControl();
    return f ? Utf8(f->Name()) : "";
  }
};

struct PipelineCase {
  const char* name;
  std::function<void(KeyForm&)> setup;
  Word key;
  TShiftState shift;
  std::vector<std::string> expectedLog;  // key up events left out
  std::string expectedFocus;
};

// A case prints as its name, not as the bytes of its pointers.
void PrintTo(const PipelineCase& c, std::ostream* os) { *os << c.name; }

class KeyPipelineTest : public ::testing::TestWithParam<PipelineCase> {
 protected:
  ModalScript script;
  InputDriver driver;
};

TEST_P(KeyPipelineTest, DeliversKeysInTheClassLibraryOrder) {
  const PipelineCase& c = GetParam();
  KeyForm f;
  f.edit1->SetFocus();
  if (c.setup) c.setup(f);
  f.log.clear();
  driver.KeyDown(f.form, c.key, c.shift);
  EXPECT_EQ(f.log, c.expectedLog);
  EXPECT_EQ(f.Focus(), c.expectedFocus);
  EXPECT_TRUE(script.Messages().empty());
}

const PipelineCase kCases[] = {
    {"UnclaimedTabMovesFocusWithoutKeyEvents", nullptr, VK_TAB, {}, {}, "edit2"},
    {"ShiftTabMovesBackwards", nullptr, VK_TAB, {ssShift}, {}, "cancel"},
    {"EnterClicksTheDefaultButton", [](KeyForm& f) { f.ok->SetDefault(true); }, VK_RETURN, {}, {"ok:click"}, "edit1"},
    {"EnterOnAFocusedButtonClicksThatButton",
     [](KeyForm& f) {
       f.ok->SetDefault(true);
       f.cancel->SetFocus();
     },
     VK_RETURN, {}, {"cancel:click"}, "cancel"},
    {"EscapeClicksTheCancelButton", [](KeyForm& f) { f.cancel->SetCancel(true); }, VK_ESCAPE, {},
     {"cancel:click"}, "edit1"},
    {"ShiftEscapeDoesNotClickTheCancelButton", [](KeyForm& f) { f.cancel->SetCancel(true); }, VK_ESCAPE, {ssShift},
     {"edit1:down:27", "edit1:char:27"}, "edit1"},
    {"EnterWithoutDefaultButtonReachesTheEdit", nullptr, VK_RETURN, {}, {"edit1:down:13", "edit1:char:13"}, "edit1"},
    {"ConsumedEnterIsStillFollowedByCharacter13",
     [](KeyForm& f) {
       f.edit1->OnKeyDown = [&f](TObject*, Word& k, TShiftState) {
         f.log.push_back("edit1:down:" + std::to_string(k));
         k = 0;
       };
     },
     VK_RETURN, {}, {"edit1:down:13", "edit1:char:13"}, "edit1"},
    {"KeyPreviewSeesTheKeyFirst", [](KeyForm& f) { f.form->SetKeyPreview(true); }, 'A', {},
     {"form:down:65", "edit1:down:65", "form:char:97", "edit1:char:97"}, "edit1"},
    {"KeyPreviewThatZeroesTheKeyStopsIt",
     [](KeyForm& f) {
       f.form->SetKeyPreview(true);
       f.form->OnKeyDown = [&f](TObject*, Word& k, TShiftState) {
         f.log.push_back("form:down:" + std::to_string(k));
         k = 0;
       };
       f.form->OnKeyPress = [&f](TObject*, Char& c) {
         f.log.push_back("form:char:" + std::to_string(c));
         c = 0;
       };
     },
     'A', {}, {"form:down:65", "form:char:97"}, "edit1"},
    {"CtrlAGivesCharacter1", nullptr, 'A', {ssCtrl}, {"edit1:down:65", "edit1:char:1"}, "edit1"},
    {"CtrlCGivesCharacter3", nullptr, 'C', {ssCtrl}, {"edit1:down:67", "edit1:char:3"}, "edit1"},
    {"CtrlVGivesCharacter22", nullptr, 'V', {ssCtrl}, {"edit1:down:86", "edit1:char:22"}, "edit1"},
    {"CtrlXGivesCharacter24", nullptr, 'X', {ssCtrl}, {"edit1:down:88", "edit1:char:24"}, "edit1"},
    {"ArrowsStayInAnEdit", nullptr, VK_RIGHT, {}, {"edit1:down:39"}, "edit1"},
    {"ArrowsMoveTheFocusFromAButton", [](KeyForm& f) { f.ok->SetFocus(); }, VK_DOWN, {}, {}, "cancel"},
    {"MemoClaimsEnterAndTypesANewLine",
     [](KeyForm& f) {
       f.ok->SetDefault(true);
       f.memo->SetFocus();
     },
     VK_RETURN, {}, {"memo:down:13", "memo:char:13"}, "memo"},
    {"MemoPassesTabOn", [](KeyForm& f) { f.memo->SetFocus(); }, VK_TAB, {}, {}, "ok"},
    {"KeypadDecimalIsTheDecimalKey", nullptr, VK_DECIMAL, {}, {"edit1:down:110", "edit1:char:46"}, "edit1"},
    {"AltAcceleratorClicksTheButton", nullptr, 'O', {ssAlt}, {"edit1:down:79", "ok:click"}, "edit1"},
};

INSTANTIATE_TEST_SUITE_P(Table, KeyPipelineTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<PipelineCase>& i) { return std::string(i.param.name); });

class KeyEditingTest : public ::testing::Test {
 protected:
  ModalScript script;
  InputDriver driver;
};

TEST_F(KeyEditingTest, TypedCharactersPassTheKeyPressFilter) {
  KeyForm f;
  f.edit1->SetFocus();
  // A hexadecimal filter: other characters are dropped, lower case is replaced.
  f.edit1->OnKeyPress = [](TObject*, Char& c) {
    bool hex = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f') || c <= 32;
    if (!hex) c = 0;
    else if (c >= u'a' && c <= u'f') c = static_cast<Char>(c - 32);
  };
  driver.Type(f.form, u"1a.zF");
  EXPECT_EQ(f.edit1->Text(), u"1AF");
  driver.Key(f.form, VK_BACK);
  EXPECT_EQ(f.edit1->Text(), u"1A");
  EXPECT_EQ(f.edit1->SelStart(), 2);
}

TEST_F(KeyEditingTest, MaxLengthAndCharCaseApplyToTyping) {
  KeyForm f;
  f.edit1->SetMaxLength(4);
  f.edit1->SetCharCase(ecLowerCase);
  f.edit1->SetFocus();
  int changes = 0;
  f.edit1->OnChange = [&](TObject*) { ++changes; };
  driver.Type(f.form, u"ABCDEF");
  EXPECT_EQ(f.edit1->Text(), u"abcd");
  EXPECT_EQ(changes, 4);
}

TEST_F(KeyEditingTest, CtrlASelectsAllAndTypingReplacesIt) {
  KeyForm f;
  f.edit1->SetText(u"old text");
  f.edit1->SetFocus();
  driver.Key(f.form, 'A', {ssCtrl});
  EXPECT_EQ(f.edit1->SelLength(), 8);
  driver.Type(f.form, u"n");
  EXPECT_EQ(f.edit1->Text(), u"n");
}

TEST_F(KeyEditingTest, AKeyHandlerThatThrowsShowsTheErrorBoxAndInputGoesOn) {
  KeyForm f;
  f.edit1->SetFocus();
  f.edit1->OnKeyPress = [](TObject*, Char& c) {
    if (c == u'x') throw Exception(u"No x here");
  };
  driver.Type(f.form, u"axb");
  ASSERT_EQ(script.Messages().size(), 1u);
  EXPECT_EQ(script.Messages()[0].Type, mtError);
  EXPECT_EQ(script.Messages()[0].Text, u"No x here.");
  EXPECT_EQ(f.edit1->Text(), u"ab");
}

}  // namespace
