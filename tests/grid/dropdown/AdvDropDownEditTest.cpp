// The drop-down edit itself: size and layout, typing off, the popup keys, the special-key answer,
// the value accessors and the typed-character rules as the edit applies them, paste, leaving.
#include <gtest/gtest.h>

#include "DropDownEditFixture.h"
#include "platform/EditTips.h"
#include "platform/testing/QtEvents.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

using dropdown_test::DropDownEditFixture;

class DropDownEditTest : public DropDownEditFixture {};

TEST_F(DropDownEditTest, NewControlIs200By21WithA17PixelButtonAndALargeFontGrowsIt) {
  EXPECT_EQ(edit->Width(), 200);
  EXPECT_EQ(edit->Height(), 21);
  EXPECT_EQ(edit->DropDownButtonWidth(), 17);
  EXPECT_EQ(edit->Button()->Width(), 17);
  EXPECT_EQ(edit->Button()->Left(), 200 - 17 - 4);
  EXPECT_EQ(edit->Button()->Height(), 21 - 4);
  EXPECT_EQ(edit->Version(), u"1.2.1.4");
  EXPECT_EQ(edit->GetEditRect().Right, edit->ClientWidth() - 17 - 3);
  edit->Font()->SetSize(30);
  edit->ResizeControl();
  EXPECT_GT(edit->Height(), 21);
  EXPECT_EQ(edit->Height(), edit->MinimumHeight());
  EXPECT_EQ(edit->Button()->Height(), edit->Height() - 4);  // 3-D single border, not flat
}

TEST_F(DropDownEditTest, LabelPositionsAroundTheEdit) {
  const TRect e = Rect(100, 50, 300, 71);
  const TSize label{40, 13};
  const struct {
    TLabelPosition Position;
    TPoint Expected;
  } cases[] = {
      {lpLeftTop, {100 - 40 - 4, 50}},  {lpLeftCenter, {56, 54}},    {lpLeftBottom, {56, 58}},
      {lpTopLeft, {100, 50 - 13 - 4}},  {lpBottomLeft, {100, 75}},   {lpLeftTopLeft, {96, 50}},
      {lpTopCenter, {180, 33}},         {lpRightTop, {304, 50}},     {lpRighBottom, {304, 58}},
      {lpTopRight, {260, 33}},          {lpBottomRight, {260, 75}},  {lpBottomCenter, {180, 75}},
  };
  for (const auto& c : cases) EXPECT_EQ(DropDownLabelPlace(c.Position, e, label, 40, 4), c.Expected) << c.Position;
  edit->SetLabelPosition(lpRighBottom);
  edit->SetLabelCaption(u"Value");
  EXPECT_EQ(edit->EditLabel()->Left(), edit->Left() + edit->Width() + 4);
  EXPECT_EQ(edit->EditLabel()->Top() + edit->EditLabel()->Height(), edit->Top() + edit->Height());
}

TEST_F(DropDownEditTest, WithTypingOffCharactersAreDroppedAndAClickOpens) {
  edit->SetText(u"abc");
  edit->SetEditorEnabled(false);
  Type(u"x");
  EXPECT_EQ(edit->Text(), u"abc");
  EXPECT_FALSE(edit->DroppedDown());
  driver.Click(edit, 10, 10);
  EXPECT_TRUE(edit->DroppedDown());
  EXPECT_TRUE(Popup()->Visible());
}

TEST_F(DropDownEditTest, AltDownTogglesWithoutRestoringAndEscapeClosesRestoring) {
  edit->SetText(u"first");
  AltDown();
  ASSERT_TRUE(edit->DroppedDown());
  edit->SetTextDirect(u"typed");
  AltDown();
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->Text(), u"typed");
  AltDown();
  ASSERT_TRUE(edit->DroppedDown());
  driver.Key(form, VK_ESCAPE);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->Text(), u"first");
  // Alt+Up pressed inside the popup reaches the edit as a plain key-down and closes it too.
  driver.Key(form, VK_F4);
  ASSERT_TRUE(edit->DroppedDown());
  driver.Key(Popup(), VK_UP, TShiftState{ssAlt});
  EXPECT_FALSE(edit->DroppedDown());
  // The same from a real key event of the window system.
  form->Widget();
  qtevents::KeyPress(edit, VK_DOWN, qtevents::Alt, u"");
  qtevents::KeyRelease(edit, VK_DOWN, qtevents::Alt);
  EXPECT_TRUE(edit->DroppedDown());
  qtevents::KeyPress(edit, VK_ESCAPE, 0, u"\x1b");
  EXPECT_FALSE(edit->DroppedDown());
}

TEST_F(DropDownEditTest, WantSpecialKeyEscapeClaimedWhileOpenOrConsumedForUndo) {
  edit->SetText(u"abc");
  edit->SetCanUndo(false);
  edit->ShowDropDown();
  TMessage m{CM_WANTSPECIALKEY, VK_ESCAPE, 0, 0};
  edit->HandleWantSpecialKeyMessage(m);
  EXPECT_EQ(m.Result, 1);
  edit->HideDropDown(false);
  edit->SetCanUndo(true);
  edit->SetSelStart(1);
  m = TMessage{CM_WANTSPECIALKEY, VK_ESCAPE, 0, 0};
  edit->HandleWantSpecialKeyMessage(m);
  EXPECT_EQ(m.WParam, 0u);
  EXPECT_EQ(m.Result, 0);
  EXPECT_EQ(edit->SelLength(), 3);  // the value selected again
  EXPECT_EQ(driver.DrainPosted(), 2);  // Esc down and up re-posted to the parent
  form->SetKeyPreview(true);
  m = TMessage{CM_WANTSPECIALKEY, VK_ESCAPE, 0, 0};
  edit->HandleWantSpecialKeyMessage(m);
  EXPECT_EQ(m.WParam, static_cast<uintptr_t>(VK_ESCAPE));
}

TEST_F(DropDownEditTest, TextWritesFormatInsidePrefixAndSuffix) {
  edit->SetPrefix(u"$ ");
  edit->SetSuffix(u" net");
  edit->SetEditType(etFloat);
  edit->SetPrecision(2);
  edit->SetText(u"");
  EXPECT_EQ(edit->EditText(), u"$ 0.00 net");
  EXPECT_EQ(edit->Text(), u"0.00");
  edit->SetPrefix(u"");
  edit->SetSuffix(u"");
  edit->SetEditType(etMoney);
  edit->SetText(u"1234.5");
  EXPECT_EQ(edit->Text(), u"1,234.50");
  EXPECT_DOUBLE_EQ(edit->GetFloatValue(), 1234.5);
  edit->SetEditType(etHex);
  edit->SetIntValue(255);
  EXPECT_EQ(edit->Text(), u"FF");
}

TEST_F(DropDownEditTest, MinusTogglesTheSignKeepingThePrefix) {
  edit->SetEditType(etNumeric);
  edit->SetSigned(true);
  edit->SetPrefix(u"$ ");
  edit->SetText(u"12");
  edit->SetSelStart(4);
  Type(u"-");
  EXPECT_EQ(edit->EditText(), u"$ -12");
  Type(u"-");
  EXPECT_EQ(edit->EditText(), u"$ 12");
  EXPECT_TRUE(edit->IsModified());
}

TEST_F(DropDownEditTest, FloatFractionAndSeparatorRules) {
  edit->SetEditType(etFloat);
  edit->SetPrecision(2);
  edit->SetText(u"1.23");
  edit->SetSelStart(2);
  Type(u"5");
  EXPECT_EQ(edit->Text(), u"1.53");
  edit->SetSelStart(4);
  Type(u"5");
  EXPECT_EQ(edit->Text(), u"1.53");
  edit->SetTextDirect(u"");
  Type(u".");
  EXPECT_EQ(edit->Text(), u"0.");
  EXPECT_EQ(edit->SelStart(), 2);
}

TEST_F(DropDownEditTest, MoneyIsRegroupedAsDigitsAreTypedEvenPastNineteenDigits) {
  edit->SetEditType(etMoney);
  edit->SetText(u"");
  edit->SetSelStart(0);
  edit->SetSelLength(1);
  Type(u"1234");
  EXPECT_EQ(edit->Text(), u"1,234");
  Type(u"5678901234567890123");
  EXPECT_EQ(edit->Text(), u"12,345,678,901,234,567,890,123");
  EXPECT_EQ(edit->SelStart(), static_cast<int>(edit->EditText().size()));
}

TEST_F(DropDownEditTest, RangeRefusesSeparatorsFirstAndTwiceInARow) {
  edit->SetEditType(etRange);
  Type(u",");
  EXPECT_EQ(edit->Text(), u"");
  Type(u"1,,-3");
  EXPECT_EQ(edit->Text(), u"1,3");
}

TEST_F(DropDownEditTest, LettersPastedIntoANumberChangeNothingButTheCaret) {
  edit->SetEditType(etNumeric);
  edit->SetText(u"1234");
  edit->SetSelStart(1);
  SetClipboardText(u"ab");
  bool offered = false;
  edit->OnClipboardPaste = [&](TObject*, const String& value, bool&) { offered = value == u"1ab234"; };
  driver.Key(form, 'V', TShiftState{ssCtrl}, 22);
  EXPECT_TRUE(offered);
  EXPECT_EQ(edit->Text(), u"1234");
  EXPECT_EQ(edit->SelStart(), 3);
  SetClipboardText(u"5");
  edit->SetSelStart(4);
  edit->Perform(WM_PASTE);
  EXPECT_EQ(edit->Text(), u"12345");
}

TEST_F(DropDownEditTest, LeavingAnEmptyNumberShowsZero) {
  auto* other = new TEdit(form);
  other->SetParent(form);
  other->SetTop(100);
  edit->SetEditType(etNumeric);
  edit->SetTextDirect(u"");
  form->FocusControl(other);
  EXPECT_EQ(edit->Text(), u"0");
  edit->SetAllowNumericNullValue(true);
  edit->SetTextDirect(u"");
  form->FocusControl(edit);
  form->FocusControl(other);
  EXPECT_EQ(edit->Text(), u"");
}

TEST_F(DropDownEditTest, KeypadDecimalTypesTheLocalesSeparatorFromARealKeyEvent) {
  FormatSettings().DecimalSeparator = u',';
  FormatSettings().ThousandSeparator = u' ';
  edit->SetEditType(etFloat);
  edit->SetPrecision(2);
  edit->SetExcelStyleDecimalSeparator(true);
  edit->SetTextDirect(u"12");
  edit->SetSelStart(2);
  form->Widget();
  qtevents::KeyPress(edit, VK_DECIMAL, qtevents::Keypad, u".");
  EXPECT_EQ(edit->Text(), u"12,");
  // The main keyboard's "." is no decimal separator here and is refused.
  edit->SetTextDirect(u"12");
  edit->SetSelStart(2);
  qtevents::KeyPress(edit, VK_OEM_PERIOD, 0, u".");
  EXPECT_EQ(edit->Text(), u"12");
}

TEST_F(DropDownEditTest, ChangeNotificationSwallowedOnceAfterAMoneyRewrite) {
  int changes = 0;
  edit->SetEditType(etMoney);
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SetTextDirect(u"1234");
  EXPECT_EQ(changes, 1);
  edit->SetSelStart(4);
  edit->FormatMoneyText();
  EXPECT_EQ(edit->Text(), u"1,234");
  EXPECT_EQ(changes, 1);
  edit->SetTextDirect(u"5");
  EXPECT_EQ(changes, 2);
}

TEST_F(DropDownEditTest, TypingOverTheWholeValueReportsTheChange) {
  edit->SetText(u"12");
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SelectAll();
  Type(u"5");
  EXPECT_EQ(edit->Text(), u"5");
  EXPECT_EQ(changes, 1);
  Type(u"6");
  EXPECT_EQ(changes, 2);
}

TEST_F(DropDownEditTest, NavigationKeysKeepTheCaretBetweenPrefixAndSuffix) {
  edit->SetPrefix(u"$ ");
  edit->SetSuffix(u" kg");
  edit->SetText(u"12");
  const struct {
    const char* Name;
    int SelStart;
    Word Key;
    TShiftState Shift;
    String Text;
    int ExpectedStart, ExpectedLength;
  } cases[] = {
      {"home", 4, VK_HOME, {}, u"$ 12 kg", 2, 0},
      {"shift home selects the value", 4, VK_HOME, TShiftState{ssShift}, u"$ 12 kg", 2, 2},
      {"end", 2, VK_END, {}, u"$ 12 kg", 4, 0},
      {"left at the prefix", 2, VK_LEFT, {}, u"$ 12 kg", 2, 0},
      {"right at the suffix", 4, VK_RIGHT, {}, u"$ 12 kg", 4, 0},
      {"backspace at the prefix", 2, VK_BACK, {}, u"$ 12 kg", 2, 0},
      {"backspace after the first digit", 3, VK_BACK, {}, u"$ 2 kg", 2, 0},
      {"delete at the suffix", 4, VK_DELETE, {}, u"$ 12 kg", 4, 0},
      {"delete inside the value", 2, VK_DELETE, {}, u"$ 2 kg", 2, 0},
  };
  for (const auto& c : cases) {
    edit->SetText(u"12");
    edit->SetSelStart(c.SelStart);
    driver.Key(form, c.Key, c.Shift);
    EXPECT_EQ(edit->EditText(), c.Text) << c.Name;
    EXPECT_EQ(edit->SelStart(), c.ExpectedStart) << c.Name;
    EXPECT_EQ(edit->SelLength(), c.ExpectedLength) << c.Name;
  }
}

TEST_F(DropDownEditTest, FocusedTextDrawnHighlightedWhenTypingIsOff) {
  edit->SetText(u"abc");
  TRecordingCanvas canvas;
  edit->PaintFocusedText(&canvas);
  EXPECT_TRUE(canvas.Calls().empty());  // typing on
  edit->SetEditorEnabled(false);
  edit->PaintFocusedText(&canvas);
  const auto fills = canvas.CallsNamed("FillRect");
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].BrushColor, clHighlight);
  EXPECT_EQ(fills[0].Args, (std::vector<int>{2, 2, 200 - 17 - 1, 21 - 2}));
  const auto texts = canvas.CallsNamed("DrawText");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, u"abc");
  EXPECT_EQ(texts[0].FontColor, clHighlightText);
}

TEST_F(DropDownEditTest, SelectionDrawnSolidOrAsAGlassyBar) {
  TRecordingCanvas canvas;
  edit->SetSelectionColorStyle(scCustom);
  edit->SetSelectionColor(clRed);
  edit->DrawSelection(&canvas, Rect(0, 0, 40, 16), clWhite, 0);
  ASSERT_EQ(canvas.CallsNamed("FillRect").size(), 1u);
  EXPECT_EQ(canvas.CallsNamed("FillRect")[0].BrushColor, clRed);
  canvas.Clear();
  edit->SetSelectionColorStyle(scWindowsVista);
  edit->DrawSelection(&canvas, Rect(0, 0, 40, 16), clWhite, 0);
  bool outline = false;
  for (const auto& c : canvas.Calls()) outline = outline || c.PenColor == static_cast<TColor>(0xFDDE99);
  EXPECT_TRUE(outline);
}

TEST_F(DropDownEditTest, ColorTonesColourTheButtonAndTheBorder) {
  TColorTones tones;
  tones.Background = {0x111111, 0x222222, clBlack};
  tones.Hover.BrushColor = 0x333333;
  tones.Selected.BrushColor = 0x444444;
  edit->SetColorTones(tones);
  EXPECT_EQ(edit->Button()->ButtonColor(), static_cast<TColor>(0x111111));
  EXPECT_EQ(edit->Button()->ButtonColorHot(), static_cast<TColor>(0x333333));
  EXPECT_EQ(edit->Button()->ButtonColorDown(), static_cast<TColor>(0x444444));
  EXPECT_EQ(edit->Button()->ButtonBorderColor(), static_cast<TColor>(0x222222));
  EXPECT_EQ(edit->BorderColor(), static_cast<TColor>(0x222222));
  TRecordingCanvas canvas;
  edit->DrawBorders(&canvas);
  ASSERT_EQ(canvas.CallsNamed("FrameRect").size(), 1u);
  EXPECT_EQ(canvas.CallsNamed("FrameRect")[0].BrushColor, static_cast<TColor>(0x222222));
}

TEST_F(DropDownEditTest, AssignCopiesTheSettingsOfAnotherDropDown) {
  auto* source = new TAdvCustomDropDown(form);
  source->SetEditType(etMoney);
  source->SetPrefix(u"EUR ");
  source->SetDropDownButtonWidth(25);
  source->SetDropPosition(dpUp);
  source->DropDownHeader()->SetCaption(u"Pick");
  source->SetSelectionColorStyle(scWindows7);
  edit->Assign(source);
  EXPECT_EQ(edit->EditType(), etMoney);
  EXPECT_EQ(edit->Prefix(), u"EUR ");
  EXPECT_EQ(edit->DropDownButtonWidth(), 25);
  EXPECT_EQ(edit->Button()->Width(), 25);
  EXPECT_EQ(edit->DropPosition(), dpUp);
  EXPECT_EQ(edit->DropDownHeader()->Caption(), u"Pick");
  EXPECT_EQ(edit->SelectionColor(), static_cast<TColor>(0xFCEBDC));
  TEdit other(nullptr);
  edit->Assign(&other);  // ignored
  EXPECT_EQ(edit->EditType(), etMoney);
}

}  // namespace
