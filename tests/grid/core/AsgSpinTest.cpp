// The pack's spin edit: limits, float precision, date and time parts under the caret, the typed
// character filter, auto-repeat on the test clock, leaving with a value outside the limits, the
// button layout, the glyphs and the painted buttons.
#include <gtest/gtest.h>

#include <filesystem>

#include "AsgPackTestSupport.h"
#include "grid/core/AsgSpin.h"
#include "platform/EditTips.h"
#include "platform/testing/PaintToPng.h"

namespace {

using asgpack_test::PackForm;

struct SpinForm : PackForm {
  TAsgSpinEdit* spin = Place(New<TAsgSpinEdit>(form), 10, 10, 120, 21);
  SpinForm() { spin->SetFocus(); }
  // Text with the caret at Caret, then the key.
  void KeyAt(const char16_t* Text, int Caret, Word Key) {
    spin->SetText(Text);
    spin->SetSelStart(Caret);
    driver.Key(form, Key);
  }
};

TEST(AsgSpinEdit, IntegerStepsStayWithinTheLimits) {
  struct Case {
    int min, max, start;
    Word key;
    const char16_t* expected;
  };
  const Case cases[] = {
      {0, 100, 100, VK_UP, u"100"},  {0, 100, 0, VK_DOWN, u"0"},     {0, 100, 50, VK_PRIOR, u"51"},
      {0, 0, 1000, VK_UP, u"1001"},  {0, 0, -5, VK_DOWN, u"-6"},      {0, 100, 99, VK_NEXT, u"98"},
  };
  for (const Case& c : cases) {
    SpinForm t;
    t.spin->SetMinValue(c.min);
    t.spin->SetMaxValue(c.max);
    t.spin->SetValue(c.start);
    t.driver.Key(t.form, c.key);
    EXPECT_EQ(t.spin->Text(), c.expected) << c.start << " " << c.key;
  }
}

TEST(AsgSpinEdit, FloatStepsKeepThePrecision) {
  SpinForm t;
  t.spin->SetSpinType(sptFloat);
  t.spin->SetPrecision(2);
  t.spin->SetFloatValue(1.0);
  EXPECT_EQ(t.spin->Text(), u"1.00");
  t.driver.Key(t.form, VK_UP);
  EXPECT_EQ(t.spin->Text(), u"1.10");
  t.driver.Key(t.form, VK_PRIOR);
  EXPECT_EQ(t.spin->Text(), u"2.10");
  t.driver.Key(t.form, VK_NEXT);
  t.driver.Key(t.form, VK_DOWN);
  EXPECT_EQ(t.spin->Text(), u"1.00");
}

TEST(AsgSpinEdit, FloatTakesNoMoreDecimalsThanThePrecision) {
  SpinForm t;
  t.spin->SetSpinType(sptFloat);
  t.spin->SetPrecision(2);
  t.spin->SetText(u"1.25");
  t.spin->SetSelStart(4);
  const int beeps = MessageBeepCount();
  t.driver.Type(t.form, u"3");
  EXPECT_EQ(t.spin->Text(), u"1.25");
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  t.spin->SetSelStart(1);
  t.driver.Type(t.form, u"3");
  EXPECT_EQ(t.spin->Text(), u"13.25");
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  t.spin->SetSelStart(5);
  t.driver.Type(t.form, u".,");  // a second separator, a thousand separator
  EXPECT_EQ(t.spin->Text(), u"13.25");
  EXPECT_EQ(MessageBeepCount(), beeps + 3);
}

TEST(AsgSpinEdit, TypedCharactersFollowTheKind) {
  struct Case {
    TAsgSpinType type;
    const char16_t* text;
    int caret;
    Char key;
    bool valid;
  };
  const Case cases[] = {
      {sptNormal, u"12", 2, u'5', true},   {sptNormal, u"12", 0, u'-', true},  {sptNormal, u"12", 1, u'-', false},
      {sptNormal, u"-12", 0, u'-', false}, {sptNormal, u"12", 2, u'a', false}, {sptNormal, u"12", 2, u'/', false},
      {sptNormal, u"12", 2, u':', false},  {sptDate, u"01/02", 5, u'/', true}, {sptDate, u"01/02", 5, u':', false},
      {sptTime, u"10:20", 5, u':', true},  {sptTime, u"10:20:30", 8, u':', false}, {sptFloat, u"1", 1, u'.', true},
      {sptNormal, u"12", 2, u'\x03', true},
  };
  for (const Case& c : cases) {
    SpinForm t;
    t.spin->SetSpinType(c.type);
    t.spin->SetText(c.text);
    t.spin->SetSelStart(c.caret);
    Char key = c.key;
    EXPECT_EQ(t.spin->IsValidChar(key), c.valid) << static_cast<int>(c.type) << " " << static_cast<int>(c.key);
  }
}

TEST(AsgSpinEdit, DateStepsThePartUnderTheCaret) {
  struct Case {
    const char16_t* format;
    Char separator;
    const char16_t* text;
    int caret;
    Word key;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"dd/mm/yyyy", u'/', u"31/01/2024", 1, VK_UP, u"01/02/2024"},
      {u"dd/mm/yyyy", u'/', u"31/01/2024", 4, VK_UP, u"29/02/2024"},
      {u"dd/mm/yyyy", u'/', u"29/02/2024", 8, VK_UP, u"28/02/2025"},
      {u"dd/mm/yyyy", u'/', u"01/03/2024", 0, VK_DOWN, u"29/02/2024"},
      {u"mm/dd/yyyy", u'/', u"01/31/2024", 1, VK_UP, u"02/29/2024"},
      {u"yyyy-mm-dd", u'-', u"2024-02-29", 2, VK_UP, u"2025-02-28"},
      {u"yyyy-mm-dd", u'-', u"2024-02-29", 6, VK_UP, u"2024-03-29"},
      {u"yyyy-mm-dd", u'-', u"2024-02-29", 9, VK_UP, u"2024-03-01"},
  };
  for (const Case& c : cases) {
    SpinForm t;
    FormatSettings().ShortDateFormat = c.format;
    FormatSettings().DateSeparator = c.separator;
    t.spin->SetSpinType(sptDate);
    t.KeyAt(c.text, c.caret, c.key);
    EXPECT_EQ(t.spin->Text(), c.expected) << StringToUtf8(c.text) << " at " << c.caret;
    EXPECT_EQ(t.spin->SelStart(), c.caret);
  }
}

TEST(AsgSpinEdit, TimeStepsWrapAroundMidnight) {
  struct Case {
    bool seconds;
    int hours;  // IncrementHours
    const char16_t* text;
    int caret;
    Word key;
    const char16_t* expected;
  };
  const Case cases[] = {
      {false, 1, u"23:30", 1, VK_UP, u"0:30"},
      {false, 1, u"0:30", 0, VK_DOWN, u"23:30"},
      {false, 1, u"0:00", 3, VK_DOWN, u"23:59"},
      {true, 1, u"10:20:30", 7, VK_UP, u"10:20:31"},
      {true, 1, u"10:20:30", 4, VK_UP, u"10:21:30"},
      {true, 1, u"23:59:59", 7, VK_UP, u"00:00:00"},
      // A step of a day or more is taken modulo a day.
      {false, 24, u"23:30", 1, VK_UP, u"23:30"},
      {false, 25, u"23:30", 1, VK_UP, u"0:30"},
      {false, 49, u"0:30", 1, VK_DOWN, u"23:30"},
  };
  for (const Case& c : cases) {
    SpinForm t;
    t.spin->SetShowSeconds(c.seconds);
    t.spin->SetIncrementHours(c.hours);
    t.spin->SetSpinType(sptTime);
    t.KeyAt(c.text, c.caret, c.key);
    EXPECT_EQ(t.spin->Text(), c.expected) << StringToUtf8(c.text) << " at " << c.caret;
  }
}

TEST(AsgSpinEdit, EditorDisabledBeepsOnTypingWhileArrowsStep) {
  SpinForm t;
  t.spin->SetValue(7);
  t.spin->SetEditorEnabled(false);
  t.spin->SetSelStart(1);
  const int beeps = MessageBeepCount();
  t.driver.Type(t.form, u"5");
  EXPECT_EQ(t.spin->Text(), u"7");
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  t.spin->SetSelStart(0);
  t.driver.Key(t.form, VK_DELETE);
  t.driver.Key(t.form, VK_BACK);
  EXPECT_EQ(t.spin->Text(), u"7");
  t.driver.Key(t.form, VK_UP);
  EXPECT_EQ(t.spin->Text(), u"8");
}

TEST(AsgSpinEdit, PasteAndCutNeedTheEditor) {
  SpinForm t;
  t.other->SetText(u"55");
  t.other->SelectAll();
  t.other->CopyToClipboard();
  t.spin->SetValue(7);
  t.spin->SetEditorEnabled(false);
  t.spin->Perform(WM_PASTE);
  t.spin->SelectAll();
  t.spin->Perform(WM_CUT);
  EXPECT_EQ(t.spin->Text(), u"7");
  t.spin->SetEditorEnabled(true);
  t.spin->SelectAll();
  t.spin->Perform(WM_PASTE);
  EXPECT_EQ(t.spin->Text(), u"55");
}

TEST(AsgSpinEdit, ReadOnlyBeepsOnEveryStep) {
  SpinForm t;
  t.spin->SetValue(3);
  t.spin->SetReadOnly(true);
  const int beeps = MessageBeepCount();
  t.driver.Key(t.form, VK_UP);
  t.driver.Click(t.spin->Button()->DownButton());
  EXPECT_EQ(t.spin->Text(), u"3");
  EXPECT_EQ(MessageBeepCount(), beeps + 2);
}

TEST(AsgSpinEdit, HeldButtonRepeatsAfter400ThenEvery100Ms) {
  SpinForm t;
  t.spin->SetMaxValue(0);
  TAdvTimerSpeedButton* up = t.spin->Button()->UpButton();
  std::vector<uint32_t> steps;
  const uint32_t start = t.driver.Clock().Ticks();
  t.spin->OnChange = [&](TObject*) { steps.push_back(t.driver.Clock().Ticks() - start); };
  t.driver.MouseDown(up, 5, 4);
  t.driver.AdvanceTime(650);
  t.driver.MouseUp(up, 5, 4);
  t.driver.AdvanceTime(500);
  EXPECT_EQ(steps, (std::vector<uint32_t>{0, 400, 500, 600}));
  EXPECT_EQ(t.spin->Text(), u"4");
  // A short click steps once.
  t.driver.Click(t.spin->Button()->DownButton(), 5, 4);
  EXPECT_EQ(t.spin->Text(), u"3");
}

TEST(AsgSpinEdit, ButtonDraggedOffStopsRepeating) {
  SpinForm t;
  TAdvTimerSpeedButton* up = t.spin->Button()->UpButton();
  t.driver.MouseDown(up, 5, 4);
  t.driver.MouseMove(up, 40, 40);
  t.driver.AdvanceTime(700);
  EXPECT_EQ(t.spin->Text(), u"1");
  t.driver.MouseUp(up, 40, 40);
}

TEST(AsgSpinEdit, TextThatIsNoNumberReadsTheLowerLimit) {
  SpinForm t;
  t.spin->SetMinValue(5);
  t.spin->SetMaxValue(10);
  t.spin->SetMinFloatValue(2.5);
  t.spin->SetText(u"abc");
  EXPECT_EQ(t.spin->Value(), 5);
  EXPECT_EQ(t.spin->FloatValue(), 2.5);
  EXPECT_EQ(t.spin->TimeValue(), 0);
  t.spin->SetText(u"  ");
  EXPECT_EQ(t.spin->Value(), 0);
}

TEST(AsgSpinEdit, LeavingCorrectsAValueOutsideTheLimits) {
  struct Case {
    TAsgSpinType type;
    const char16_t* typed;
    const char16_t* expected;
  };
  const Case cases[] = {{sptNormal, u"150", u"100"}, {sptNormal, u"-3", u"0"}, {sptFloat, u"250.5", u"100"},
                        {sptNormal, u"42", u"42"}};
  for (const Case& c : cases) {
    SpinForm t;
    t.spin->SetSpinType(c.type);
    t.spin->SetText(u"");
    t.driver.Type(t.form, c.typed);
    EXPECT_EQ(t.spin->Text(), c.typed);
    t.other->SetFocus();
    EXPECT_EQ(t.spin->Text(), c.expected) << StringToUtf8(c.typed);
  }
}

TEST(AsgSpinEdit, ReturnIsTabMovesTheFocusOn) {
  SpinForm t;
  t.spin->SetReturnIsTab(true);
  t.driver.Key(t.form, VK_RETURN);
  EXPECT_TRUE(t.other->Focused());
}

TEST(AsgSpinEdit, KeypadPointTypesTheLocaleSeparatorInExcelStyle) {
  SpinForm t;
  FormatSettings().DecimalSeparator = u',';
  FormatSettings().ThousandSeparator = u'.';
  t.spin->SetSpinType(sptFloat);
  t.spin->SetText(u"1");
  t.spin->SetSelStart(1);
  t.spin->SetExcelStyleDecimalSeparator(true);
  t.driver.KeypadDecimal(t.form);
  EXPECT_EQ(t.spin->Text(), u"1,");
}

TEST(AsgSpinEdit, ButtonSitsAtTheRightEdgeLeftOfTheText) {
  SpinForm t;
  TAsgSpinButton* b = t.spin->Button();
  EXPECT_EQ(b->Width(), 15);
  EXPECT_EQ(b->Left(), 120 - 15 - 5);
  EXPECT_EQ(b->Top(), 0);
  const int h = t.spin->Height() - 5;
  EXPECT_EQ(b->Height(), h);
  EXPECT_EQ(t.spin->EditRect().Right, t.spin->ClientWidth() - 15 - 2);
  EXPECT_EQ(b->FocusControl(), t.spin);
  // The up button covers the top half; the down button starts one pixel above its bottom.
  EXPECT_EQ(b->UpButton()->BoundsRect(), Rect(0, 0, 15, h / 2));
  EXPECT_EQ(b->DownButton()->BoundsRect(), Rect(0, h / 2 - 1, 15, h));
  t.spin->SetDirection(spHorizontal);
  EXPECT_EQ(b->Width(), 20);
  EXPECT_EQ(b->DownButton()->BoundsRect(), Rect(0, 0, 10, h));
  EXPECT_EQ(b->UpButton()->BoundsRect(), Rect(11, 0, 21, h));
  EXPECT_EQ(b->UpButton()->ButtonDirection(), bdRight);
  // Too low for the font: raised to the minimum.
  t.spin->SetHeight(5);
  EXPECT_GT(t.spin->Height(), 5);
}

TEST(AsgSpinEdit, GlyphsAreTrianglesOnATransparentGround) {
  SpinForm t;
  TBitmap up;
  up.LoadFromResourceName(u"AsgSpinUp");
  TBitmap down;
  down.LoadFromResourceName(u"AsgSpinDown");
  ASSERT_EQ(up.Width(), 9);
  ASSERT_EQ(up.Height(), 6);
  EXPECT_EQ(up.Canvas()->Pixels(4, 1), clBlack);  // apex on top
  EXPECT_EQ(up.Canvas()->Pixels(0, 1), up.TransparentColor());
  EXPECT_EQ(up.Canvas()->Pixels(1, 4), clBlack);
  EXPECT_EQ(down.Canvas()->Pixels(4, 4), clBlack);  // apex below
  EXPECT_EQ(down.Canvas()->Pixels(1, 1), clBlack);
  EXPECT_EQ(down.Canvas()->Pixels(4, 0), down.TransparentColor());
}

TEST(AsgSpinEdit, ColouredButtonsPaintTheirFaceAndTriangle) {
  SpinForm t;
  t.spin->SetBounds(10, 10, 120, 40);
  TAsgSpinButton* b = t.spin->Button();
  b->ButtonColor = clRed;
  b->ButtonColorHot = clBlue;
  auto bmp = PaintToBitmap(t.form);
  const TRect r = PaintedRect(b->UpButton(), t.form);
  TCanvas* c = bmp->Canvas();
  EXPECT_EQ(ColorToRGB(c->Pixels(r.Left + 1, r.Top + 1)), ColorToRGB(clRed));
  EXPECT_EQ(ColorToRGB(c->Pixels(r.Left + 6, r.Top + 3)), ColorToRGB(clBlack));  // the upward triangle
  EXPECT_EQ(ColorToRGB(c->Pixels(r.Left + 10, r.Top + 8)), ColorToRGB(clRed));
  const TRect d = PaintedRect(b->DownButton(), t.form);
  EXPECT_EQ(ColorToRGB(c->Pixels(d.Left + 6, d.Top + 3)), ColorToRGB(clBlack));
  EXPECT_EQ(ColorToRGB(c->Pixels(d.Left + 6, d.Top + 5)), ColorToRGB(clRed));
  t.driver.MouseEnter(b->DownButton());
  bmp = PaintToBitmap(t.form);
  EXPECT_EQ(ColorToRGB(bmp->Canvas()->Pixels(d.Left + 1, d.Top + 8)), ColorToRGB(clBlue));
}

TEST(AsgSpinEdit, TransparentFlatButtonsShowTheEditBeneath) {
  SpinForm t;
  t.spin->SetBounds(10, 10, 120, 40);
  t.spin->SetColor(clYellow);
  t.spin->SetSpinFlat(true);
  TAsgSpinButton* b = t.spin->Button();
  const TRect r = PaintedRect(b->UpButton(), t.form);
  auto faceAt = [&](int X, int Y) { return ColorToRGB(PaintToBitmap(t.form)->Canvas()->Pixels(X, Y)); };
  // Flat but opaque: the button face.
  EXPECT_EQ(faceAt(r.Left + 2, r.Top + 2), ColorToRGB(clBtnFace));
  t.spin->SetSpinTransparent(true);
  EXPECT_TRUE(b->UpButton()->Transparent());
  EXPECT_TRUE(b->DownButton()->Transparent());
  auto bmp = PaintToBitmap(t.form);
  TCanvas* c = bmp->Canvas();
  EXPECT_EQ(ColorToRGB(c->Pixels(r.Left + 2, r.Top + 2)), ColorToRGB(clYellow));
  const TRect d = PaintedRect(b->DownButton(), t.form);
  EXPECT_EQ(ColorToRGB(c->Pixels(d.Left + 2, d.Bottom - 3)), ColorToRGB(clYellow));
  // The glyph stays: its apex in the middle of the button.
  int black = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) black += ColorToRGB(c->Pixels(x, y)) == 0;
  EXPECT_EQ(black, 1 + 3 + 5 + 7);
  // Hovered: the raised edge without a middle.
  t.driver.MouseEnter(b->UpButton());
  bmp = PaintToBitmap(t.form);
  c = bmp->Canvas();
  EXPECT_EQ(ColorToRGB(c->Pixels(r.Left, r.Top + 3)), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(ColorToRGB(c->Pixels(r.Right - 1, r.Top + 3)), ColorToRGB(clBtnShadow));
  EXPECT_EQ(ColorToRGB(c->Pixels(r.Left + 2, r.Top + 2)), ColorToRGB(clYellow));
  // Back to opaque: the face again.
  t.spin->SetSpinTransparent(false);
  EXPECT_EQ(faceAt(r.Left + 2, r.Top + 2), ColorToRGB(clBtnFace));
}

TEST(AsgSpinEdit, ClassicButtonsShowTheGlyphWithoutItsGround) {
  SpinForm t;
  t.spin->SetBounds(10, 10, 120, 40);
  auto bmp = PaintToBitmap(t.form);
  const TRect r = PaintedRect(t.spin->Button()->UpButton(), t.form);
  int black = 0, ground = 0;
  // Inside the button's edge, which has dark pixels of its own.
  for (int y = r.Top + 2; y < r.Bottom - 2; ++y) {
    for (int x = r.Left + 2; x < r.Right - 2; ++x) {
      const TColor p = ColorToRGB(bmp->Canvas()->Pixels(x, y));
      black += p == 0;
      ground += p == ColorToRGB(clOlive);
    }
  }
  EXPECT_EQ(black, 1 + 3 + 5 + 7);  // the whole triangle
  EXPECT_EQ(ground, 0);
  const std::filesystem::path png = std::filesystem::current_path() / "asg_spin_edit.png";
  EXPECT_TRUE(PaintToPng(t.form, Utf8ToString(png.string())));
}

}  // namespace
