// The push button control: properties, clicks, keys, hot tracking and the fade.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "button/LbButton.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/TimeSource.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"

namespace {

// Records every paint with the virtual time and the hot-track step it showed.
class TProbeButton : public TLbButton {
 public:
  explicit TProbeButton(TComponent* owner) : TLbButton(owner) {}
  struct Shot {
    uint32_t Tick;
    int Step;
  };
  std::vector<Shot> Shots;

 protected:
  void Paint() override {
    Shots.push_back({GetTickCount(), HotTrackStep()});
    TLbButton::Paint();
  }
};

class LbButtonTest : public ::testing::Test {
 protected:
  explicit LbButtonTest(bool headless = true) {
    if (headless) script = std::make_unique<ModalScript>();
  }
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetName(u"FDialog");
    form->SetClientWidth(300);
    form->SetClientHeight(120);
    edit = New<TEdit>(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 120, 21);
    btn = New<TProbeButton>(form);
    btn->SetParent(form);
    btn->SetBounds(10, 50, 100, 23);
    btn->SetCaption(u"OK");
    btn->OnClick = [this](TObject*) { ++clicks; };
    other = New<TLbButton>(form);
    other->SetParent(form);
    other->SetBounds(120, 50, 100, 23);
    form->Show();
    if (!script) Application->ProcessMessages();  // the shown window gets exposed
  }
  void TearDown() override { delete form; }

  // Without the script the form is really shown (offscreen), so repaints reach Paint.
  std::unique_ptr<ModalScript> script;
  InputDriver driver;
  TForm* form = nullptr;
  TEdit* edit = nullptr;
  TProbeButton* btn = nullptr;
  TLbButton* other = nullptr;
  int clicks = 0;
};

// ---- properties ----------------------------------------------------------------------------

TEST(LbButtonProperties, Defaults) {
  TForm* form = New<TForm>(nullptr);
  form->Font()->SetName(u"Verdana");
  form->Font()->SetHeight(-11);
  TLbButton* b = New<TLbButton>(form);
  EXPECT_EQ(b->Width(), 100);
  EXPECT_EQ(b->Height(), 23);
  EXPECT_TRUE(b->TabStop());
  EXPECT_EQ(b->Color(), clBtnFace);
  EXPECT_EQ(b->LightColor(), clWhite);
  EXPECT_EQ(b->ShadowColor(), clGray);
  EXPECT_EQ(b->ColorWhenDown(), clNone);
  EXPECT_EQ(b->HotTrackColor(), clNone);
  EXPECT_EQ(b->Alignment(), taCenter);
  EXPECT_EQ(b->Style(), bsNormal);
  EXPECT_EQ(b->Kind(), bkCustom);
  EXPECT_EQ(b->Layout(), blGlyphLeft);
  EXPECT_EQ(b->ColorStyle(), lcsCustom);
  EXPECT_EQ(b->NumGlyphs(), 0);
  EXPECT_EQ(b->ModalResult(), 0);
  EXPECT_FALSE(b->Flat() || b->WordWrap() || b->Default() || b->Cancel() || b->SlowDecease());
  EXPECT_FALSE(b->Pressed() || b->MouseOver());
  EXPECT_EQ(b->HotTrackStep(), 0);
  EXPECT_EQ(b->ControlStyle(), (TControlStyle{csCaptureMouse, csSetCaption}));
  // The fade timer exists from the start, stopped.
  EXPECT_TRUE(b->FadeTimerExists());
  EXPECT_FALSE(b->FadeTimerRunning());
  EXPECT_EQ(b->HotTrackFont()->Name(), u"Verdana");
  EXPECT_EQ(b->HotTrackFont()->Height(), -11);
  delete form;
}

TEST(LbButtonProperties, ColorStyleAppliesAPresetAndReadsCustom) {
  TLbButton* b = New<TLbButton>(nullptr);
  b->SetColorStyle(lcsQuicken);
  EXPECT_EQ(b->Color(), 0x603000);
  EXPECT_EQ(b->Font()->Color(), clWhite);
  EXPECT_EQ(b->Style(), bsQuicken);
  EXPECT_EQ(b->LightColor(), 0xC0C0C0);
  EXPECT_EQ(b->ColorWhenDown(), 0xAD6529);
  EXPECT_EQ(b->HotTrackColor(), 0xCEAE9C);
  EXPECT_EQ(b->ColorStyle(), lcsCustom);

  b->SetColorStyle(lcsUltraFlatXP);
  EXPECT_EQ(b->Style(), bsNormal);
  EXPECT_TRUE(b->Flat());
  EXPECT_EQ(b->Font()->Color(), clBlack);
  EXPECT_EQ(b->ShadowColor(), 0xB59285);

  b->SetColorStyle(lcsAqua);
  EXPECT_EQ(b->Style(), bsModern);
  EXPECT_FALSE(b->Flat());

  // lcsCustom changes nothing.
  b->SetColorStyle(lcsCustom);
  EXPECT_EQ(b->Color(), 0xECCE94);
  EXPECT_EQ(b->Style(), bsModern);
  delete b;
}

TEST(LbButtonProperties, GlyphSetsNumGlyphsAndKindCustom) {
  TLbButton* b = New<TLbButton>(nullptr);
  struct Case { int W, H, Num; };
  for (Case c : {Case{64, 16, 4}, Case{16, 16, 1}, Case{36, 18, 2}, Case{40, 16, 2}, Case{10, 0, 0}}) {
    SCOPED_TRACE(testing::Message() << c.W << "x" << c.H);
    b->SetKind(bkOK);
    TBitmap bmp;
    bmp.SetSize(c.W, c.H);
    b->SetGlyph(&bmp);
    EXPECT_EQ(b->NumGlyphs(), c.Num);
    EXPECT_EQ(b->Kind(), bkCustom);
  }
  b->SetKind(bkYes);
  b->SetGlyph(nullptr);
  EXPECT_EQ(b->Glyph()->Height(), 0);
  EXPECT_EQ(b->NumGlyphs(), 0);
  EXPECT_EQ(b->Kind(), bkCustom);
  EXPECT_EQ(b->Caption(), u"Ja");  // the caption stays
  delete b;
}

TEST(LbButtonProperties, GlyphStaysTheSameBitmapObject) {
  // Code that keeps the Glyph bitmap sees every later change through it.
  TLbButton* b = New<TLbButton>(nullptr);
  TBitmap* held = b->Glyph();
  b->SetKind(bkCancel);
  ASSERT_EQ(b->Glyph(), held);
  EXPECT_EQ(held->Width(), 36);
  b->SetGlyph(nullptr);
  ASSERT_EQ(b->Glyph(), held);
  EXPECT_TRUE(held->Empty());
  TBitmap bmp;
  bmp.SetSize(32, 16);
  b->LoadStoredGlyph(&bmp);
  ASSERT_EQ(b->Glyph(), held);
  EXPECT_EQ(held->Width(), 32);
  b->LoadStoredGlyph(nullptr);
  ASSERT_EQ(b->Glyph(), held);
  EXPECT_TRUE(held->Empty());
  delete b;
}

TEST(LbButtonProperties, StoredGlyphKeepsNumGlyphsAndKind) {
  TLbButton* b = New<TLbButton>(nullptr);
  b->SetKind(bkNo);
  TBitmap bmp;
  bmp.SetSize(64, 16);
  b->LoadStoredGlyph(&bmp);
  EXPECT_EQ(b->Glyph()->Width(), 64);
  EXPECT_EQ(b->NumGlyphs(), 2);
  EXPECT_EQ(b->Kind(), bkNo);
  delete b;
}

TEST(LbButtonProperties, StockKinds) {
  struct Case {
    TLbButtonKind Kind;
    int ModalResult;
    const char16_t* Caption;
  };
  const Case cases[] = {
      {bkOK, 1, u"OK"},           {bkCancel, 2, u"Abbrechen"},        {bkHelp, 0, u"Hilfe"},
      {bkYes, 6, u"Ja"},          {bkNo, 7, u"Nein"},                 {bkClose, 0, u"Schlie\u00DFen"},
      {bkAbort, 3, u"Abbrechen"}, {bkRetry, 4, u"Wiederholen"},       {bkIgnore, 5, u"Ignorieren"},
      {bkAll, 12, u"Alle"},
  };
  TLbButton* b = New<TLbButton>(nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Kind));
    b->SetKind(c.Kind);
    EXPECT_EQ(b->Kind(), c.Kind);
    EXPECT_EQ(b->NumGlyphs(), 2);
    EXPECT_EQ(b->ModalResult(), c.ModalResult);
    EXPECT_EQ(b->Caption(), c.Caption);
    EXPECT_EQ(b->Glyph()->Width(), 36);
    EXPECT_EQ(b->Glyph()->Height(), c.Kind == bkAll ? 19 : 18);
  }
  // A modal result of its own makes the kind custom; glyph and caption stay.
  b->SetKind(bkCancel);
  b->SetModalResult(2);
  EXPECT_EQ(b->Kind(), bkCustom);
  EXPECT_EQ(b->Caption(), u"Abbrechen");
  EXPECT_EQ(b->Glyph()->Width(), 36);
  // bkCustom keeps glyph, caption and modal result.
  b->SetKind(bkRetry);
  b->SetKind(bkCustom);
  EXPECT_EQ(b->Kind(), bkCustom);
  EXPECT_EQ(b->ModalResult(), 4);
  EXPECT_EQ(b->Caption(), u"Wiederholen");
  EXPECT_EQ(b->NumGlyphs(), 2);
  delete b;
}

// ---- clicks --------------------------------------------------------------------------------

TEST_F(LbButtonTest, PressDragOffAndReleaseClicks) {
  driver.MouseDown(btn, 50, 10);
  EXPECT_TRUE(btn->Pressed());
  driver.MouseMove(btn, 400, 300);
  driver.MouseUp(btn, 400, 300);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(btn->Pressed());
  // A release without a press does nothing; a right press does not press the button.
  driver.MouseUp(btn, 50, 10);
  driver.MouseDown(btn, 50, 10, mbRight);
  EXPECT_FALSE(btn->Pressed());
  driver.MouseUp(btn, 50, 10, mbRight);
  EXPECT_EQ(clicks, 1);
}

TEST_F(LbButtonTest, QuickSecondPressGivesASecondClick) {
  driver.DblClick(btn);
  EXPECT_EQ(clicks, 2);
}

TEST_F(LbButtonTest, PressTakesTheFocusBeforeOnClick) {
  edit->SetFocus();
  bool focusedInClick = false;
  btn->OnClick = [&](TObject*) { focusedInClick = btn->Focused(); };
  driver.MouseDown(btn, 50, 10);
  EXPECT_TRUE(btn->Focused());
  driver.MouseUp(btn, 50, 10);
  EXPECT_TRUE(focusedInClick);
}

TEST_F(LbButtonTest, DisabledButtonIgnoresMouseKeysAndClick) {
  btn->SetFocus();
  btn->SetEnabled(false);
  driver.MouseEnter(btn);
  EXPECT_FALSE(btn->MouseOver());
  EXPECT_EQ(btn->HotTrackStep(), 0);
  driver.MouseDown(btn, 50, 10);
  EXPECT_FALSE(btn->Pressed());
  driver.MouseUp(btn, 50, 10);
  // Keys sent to the button directly, as if it still had the focus.
  for (Word key : {VK_RETURN, VK_SPACE}) {
    btn->Perform(CN_KEYDOWN, key, 1);
    EXPECT_FALSE(btn->Pressed());
  }
  btn->Click();
  EXPECT_EQ(clicks, 0);
  // Enabling clears any pressed state.
  btn->SetEnabled(true);
  EXPECT_FALSE(btn->Pressed());
}

TEST_F(LbButtonTest, ProgrammaticClickOfAVisibleEnabledButton) {
  btn->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(btn->Pressed());
  // Hidden: no click, and the button does not stay pressed for when it is shown again.
  btn->SetVisible(false);
  btn->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(btn->Pressed());
}

TEST_F(LbButtonTest, EnterAndSpaceOnTheFocusedButton) {
  btn->SetFocus();
  for (Word key : {VK_SPACE, VK_RETURN}) {
    SCOPED_TRACE(key);
    const int before = clicks;
    driver.KeyDown(form, key);
    EXPECT_TRUE(btn->Pressed());
    EXPECT_EQ(clicks, before);
    driver.KeyUp(form, key);
    EXPECT_EQ(clicks, before + 1);
    EXPECT_FALSE(btn->Pressed());
  }
}

TEST_F(LbButtonTest, DefaultButtonTakesEnterUnlessAPushButtonHasTheFocus) {
  btn->SetDefault(true);
  int otherClicks = 0;
  other->OnClick = [&](TObject*) { ++otherClicks; };

  edit->SetFocus();
  driver.Key(form, VK_RETURN);
  EXPECT_EQ(clicks, 1);

  // Another push button has the focus: it takes Enter itself.
  other->SetFocus();
  driver.Key(form, VK_RETURN);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(otherClicks, 1);

  // The same with a platform push button.
  TButton* plain = New<TButton>(form);
  plain->SetParent(form);
  plain->SetBounds(230, 50, 60, 23);
  plain->SetFocus();
  driver.Key(form, VK_RETURN);
  EXPECT_EQ(clicks, 1);
}

TEST_F(LbButtonTest, CancelButtonTakesPlainEscapeOnly) {
  btn->SetCancel(true);
  edit->SetFocus();
  driver.Key(form, VK_ESCAPE, {ssShift});
  driver.Key(form, VK_ESCAPE, {ssCtrl});
  EXPECT_EQ(clicks, 0);
  driver.Key(form, VK_ESCAPE);
  EXPECT_EQ(clicks, 1);
  // A focused push button gets the key passed on, and a push button does nothing with Escape.
  other->SetFocus();
  driver.Key(form, VK_ESCAPE);
  EXPECT_EQ(clicks, 1);
  edit->SetFocus();
  // Not when disabled.
  btn->SetEnabled(false);
  driver.Key(form, VK_ESCAPE);
  EXPECT_EQ(clicks, 1);
}

TEST_F(LbButtonTest, AcceleratorClicks) {
  btn->SetCaption(u"&Save");
  edit->SetFocus();
  driver.Key(form, 'S', {ssAlt});
  EXPECT_EQ(clicks, 1);
  // "&&" is a literal ampersand, not an accelerator.
  btn->SetCaption(u"A&&B");
  driver.Key(form, 'B', {ssAlt});
  EXPECT_EQ(clicks, 1);
}

TEST_F(LbButtonTest, OnClickRunsBeforeTheModalResultClosesTheForm) {
  btn->SetModalResult(2);
  int resultInClick = -1;
  btn->OnClick = [&](TObject*) { resultInClick = form->ModalResult(); };
  script->AnswerModal(u"FDialog", [&](TForm*) {
    driver.Click(btn);
    return mrNone;
  });
  form->Hide();
  EXPECT_EQ(form->ShowModal(), 2);
  EXPECT_EQ(resultInClick, mrNone);
}

// A focusable control that answers a chosen class name, standing for the other kinds of
// control that can have the focus when Enter or Escape is pressed.
class TNamedControl : public TCustomControl {
 public:
  TNamedControl(TComponent* owner, String name) : TCustomControl(owner), name_(std::move(name)) {
    SetTabStop(true);
  }
  String ClassName() const override { return name_; }

 private:
  String name_;
};

TEST_F(LbButtonTest, DefaultButtonLooksAtTheClassNameOfTheFocusedControl) {
  btn->SetDefault(true);
  struct Case {
    const char16_t* ClassName;
    bool Clicks;
  };
  // A name containing "BUTTON" in any case is a push button and handles Enter itself; a radio
  // button is not.
  const Case cases[] = {{u"TRadioButton", true}, {u"TSpeedButton", false}, {u"TAdvGlyphbutton", false},
                        {u"TBitBtn", true},      {u"TCheckBox", true},     {u"TMaskEdit", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.ClassName));
    auto* focus = New<TNamedControl>(form, String(c.ClassName));
    focus->SetParent(form);
    focus->SetBounds(10, 80, 40, 20);
    focus->SetFocus();
    ASSERT_EQ(form->ActiveControl(), focus);
    const int before = clicks;
    driver.Key(form, VK_RETURN);
    EXPECT_EQ(clicks - before, c.Clicks ? 1 : 0);
    delete focus;
  }
}

TEST_F(LbButtonTest, EnterClicksTheDefaultButtonWhateverModifiersAreHeld) {
  btn->SetDefault(true);
  edit->SetFocus();
  driver.Key(form, VK_RETURN, {ssShift});
  driver.Key(form, VK_RETURN, {ssCtrl});
  EXPECT_EQ(clicks, 2);
  // Escape is not Enter: a Default button that is not also Cancel leaves it alone.
  driver.Key(form, VK_ESCAPE);
  EXPECT_EQ(clicks, 2);
}

TEST_F(LbButtonTest, AcceleratorIgnoresCaseButNeedsAVisibleEnabledButton) {
  btn->SetCaption(u"&save");
  edit->SetFocus();
  driver.Key(form, 'S', {ssAlt});
  EXPECT_EQ(clicks, 1);
  btn->SetCaption(u"Sa&ve");
  driver.Key(form, 'S', {ssAlt});  // only the marked character counts
  EXPECT_EQ(clicks, 1);
  btn->SetEnabled(false);
  EXPECT_EQ(btn->Perform(CM_DIALOGCHAR, 'v', 0), 0);
  btn->SetEnabled(true);
  btn->SetVisible(false);
  EXPECT_EQ(btn->Perform(CM_DIALOGCHAR, 'v', 0), 0);
  btn->SetVisible(true);
  EXPECT_EQ(btn->Perform(CM_DIALOGCHAR, 'V', 0), 1);
  EXPECT_EQ(clicks, 2);
}

TEST_F(LbButtonTest, MouseEnteringAButtonOnAHiddenFormDoesNothing) {
  TForm* hidden = New<TForm>(nullptr);
  TLbButton* b = New<TLbButton>(hidden);
  b->SetParent(hidden);
  int entered = 0, left = 0;
  b->OnMouseEnter = [&](TObject*) { ++entered; };
  b->OnMouseExit = [&](TObject*) { ++left; };
  b->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_FALSE(b->MouseOver());
  EXPECT_EQ(b->HotTrackStep(), 0);
  b->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(entered, 0);
  EXPECT_EQ(left, 0);
  // A button without a parent does not react either.
  TLbButton* loose = New<TLbButton>(nullptr);
  loose->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_FALSE(loose->MouseOver());
  delete loose;
  delete hidden;
}

TEST(LbButtonClick, ModalResultWithoutAFormOnlyClicks) {
  TLbButton* b = New<TLbButton>(nullptr);
  b->SetModalResult(mrOk);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  b->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(b->Pressed());
  delete b;
}

// ---- hot tracking and fade -----------------------------------------------------------------

class LbButtonShownTest : public LbButtonTest {
 protected:
  LbButtonShownTest() : LbButtonTest(false) {}
};

TEST_F(LbButtonShownTest, HotTrackingWithoutFadeDropsAtOnce) {
  int entered = 0, left = 0;
  btn->OnMouseEnter = [&](TObject*) { ++entered; };
  btn->OnMouseExit = [&](TObject*) { ++left; };
  btn->SetHotTrackColor(clYellow);
  driver.MouseEnter(btn);
  EXPECT_TRUE(btn->MouseOver());
  EXPECT_EQ(btn->HotTrackStep(), 8);
  btn->Shots.clear();
  driver.MouseLeave(btn);
  EXPECT_EQ(btn->HotTrackStep(), 0);
  ASSERT_EQ(btn->Shots.size(), 1u);
  EXPECT_FALSE(btn->FadeTimerRunning());
  driver.AdvanceTime(500);
  EXPECT_EQ(btn->Shots.size(), 1u);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);
}

TEST_F(LbButtonShownTest, SlowDeceaseRepaintsEightTimes30msApartThenStops) {
  btn->SetHotTrackColor(clYellow);
  btn->SetSlowDecease(true);
  driver.MouseEnter(btn);
  btn->Shots.clear();
  const uint32_t left = GetTickCount();
  driver.MouseLeave(btn);
  EXPECT_TRUE(btn->FadeTimerRunning());
  EXPECT_EQ(btn->HotTrackStep(), 8);
  driver.AdvanceTime(29);
  EXPECT_TRUE(btn->Shots.empty());
  driver.AdvanceTime(1000);
  ASSERT_EQ(btn->Shots.size(), 8u);
  for (size_t i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(btn->Shots[i].Tick - left, 30u * (i + 1));
    EXPECT_EQ(btn->Shots[i].Step, 7 - static_cast<int>(i));
  }
  EXPECT_FALSE(btn->FadeTimerRunning());
  EXPECT_TRUE(btn->FadeTimerExists());

  // Entering again sets the step to 8; the next leave fades the whole way again.
  driver.MouseEnter(btn);
  btn->Shots.clear();
  driver.MouseLeave(btn);
  driver.AdvanceTime(1000);
  EXPECT_EQ(btn->Shots.size(), 8u);
}

TEST_F(LbButtonShownTest, ReenteringDuringTheFadeResetsTheStepButTheFadeGoesOn) {
  btn->SetHotTrackColor(clYellow);
  btn->SetSlowDecease(true);
  driver.MouseEnter(btn);
  driver.MouseLeave(btn);
  driver.AdvanceTime(90);
  EXPECT_EQ(btn->HotTrackStep(), 5);
  driver.MouseEnter(btn);
  EXPECT_EQ(btn->HotTrackStep(), 8);
  EXPECT_TRUE(btn->FadeTimerRunning());
  driver.AdvanceTime(30);
  EXPECT_EQ(btn->HotTrackStep(), 7);
}

TEST_F(LbButtonShownTest, SwitchingSlowDeceaseOffStopsTheFade) {
  btn->SetHotTrackColor(clYellow);
  btn->SetSlowDecease(true);
  driver.MouseEnter(btn);
  driver.MouseLeave(btn);
  driver.AdvanceTime(60);
  btn->SetSlowDecease(false);
  EXPECT_EQ(btn->HotTrackStep(), 0);
  EXPECT_FALSE(btn->FadeTimerExists());
  btn->Shots.clear();
  driver.AdvanceTime(500);
  EXPECT_TRUE(btn->Shots.empty());
  // Switched on again it gets a new, stopped timer.
  btn->SetSlowDecease(true);
  EXPECT_TRUE(btn->FadeTimerExists());
  EXPECT_FALSE(btn->FadeTimerRunning());
}

}  // namespace
