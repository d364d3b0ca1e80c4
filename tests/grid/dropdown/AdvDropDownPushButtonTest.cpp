// The popup push button and its appearance: sizing, faces by state, groups, the un-hot timer and
// the modal result.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "DropDownTestSupport.h"
#include "grid/dropdown/AdvDropDownPushButton.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

using dropdown_test::TFakeDropDownEdit;

struct TPushButtonPainter : TAdvButton {
  static void PaintOn(TAdvButton* Button, TCanvas* Canvas) {
    TCanvas* TCustomControl::*canvas = &TPushButtonPainter::paintCanvas_;
    void (TAdvButton::*paint)() = &TPushButtonPainter::Paint;
    Button->*canvas = Canvas;
    (Button->*paint)();
    Button->*canvas = nullptr;
  }
};

class PushButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(100);
    form->SetColor(clTeal);
    appearance.SetColor(clWhite);
    appearance.SetColorTo(clWhite);
    appearance.SetBorderColor(clBlack);
    first = MakeButton(10);
    second = MakeButton(60);
    form->Show();
  }
  void TearDown() override { delete form; }

  TAdvButton* MakeButton(int left) {
    auto* b = new TAdvButton(form);
    b->SetParent(form);
    b->SetBounds(left, 10, 40, 22);
    b->SetAppearance(&appearance);
    return b;
  }
  std::unique_ptr<TImageCanvas> Paint(TAdvButton* b) {
    auto img = std::make_unique<TImageCanvas>(b->Width(), b->Height(), clWhite);
    TPushButtonPainter::PaintOn(b, img->Canvas());
    return img;
  }

  ModalScript script;
  InputDriver driver;
  TScopedFakeMetrics metrics;
  TAdvButtonAppearance appearance;
  TForm* form = nullptr;
  TAdvButton* first = nullptr;
  TAdvButton* second = nullptr;
};

TEST(PushButtonAppearance, DefaultsAndNotifications) {
  TAdvButtonAppearance a;
  EXPECT_EQ(a.Font()->Name(), u"Tahoma");
  EXPECT_EQ(a.BorderColor(), clNone);
  EXPECT_EQ(a.BorderColorHot(), TColor(0x808080));
  EXPECT_EQ(a.BorderColorDown(), TColor(0x800000));
  EXPECT_EQ(a.BorderColorChecked(), TColor(0xFF0000));
  EXPECT_EQ(a.ColorDisabled(), TColor(0xF2F2F2));
  EXPECT_EQ(a.ColorChecked(), TColor(0xF5D8CA));
  EXPECT_EQ(a.ColorCheckedTo(), TColor(0xF9BDA0));
  EXPECT_EQ(a.Gradient(), gdVertical);
  int changes = 0;
  a.OnChange = [&changes](TObject*) { ++changes; };
  a.SetColorHot(a.ColorHot());
  a.Font()->SetName(u"Arial");
  TFont f;
  a.SetFont(&f);
  EXPECT_EQ(changes, 0);
  a.SetColorHot(clRed);
  a.SetGradient(gdHorizontal);
  EXPECT_EQ(changes, 2);

  TAdvButtonAppearance b;
  b.Font()->SetName(u"Courier New");
  b.SetBorderColorChecked(clLime);
  b.SetColorDisabledTo(clGray);
  int bChanges = 0;
  b.OnChange = [&bChanges](TObject*) { ++bChanges; };
  b.Assign(&a);
  EXPECT_EQ(b.ColorHot(), clRed);
  EXPECT_EQ(b.Gradient(), gdHorizontal);
  EXPECT_EQ(b.BorderColorChecked(), TColor(0xFF0000));
  EXPECT_EQ(b.ColorDisabledTo(), clNone);
  EXPECT_EQ(b.Font()->Name(), u"Courier New");  // the font is not copied
  EXPECT_EQ(bChanges, 4);
  TFont other;
  EXPECT_THROW(b.Assign(&other), EConvertError);
}

TEST_F(PushButtonTest, NewButton) {
  TAdvButton b(nullptr);
  EXPECT_EQ(b.Width(), 23);
  EXPECT_EQ(b.Height(), 22);
  EXPECT_EQ(b.Font()->Name(), u"Tahoma");
  EXPECT_EQ(b.ImageIndex(), -1);
  EXPECT_EQ(b.OffSet(), 4);
  EXPECT_EQ(b.Style(), tasButton);
  EXPECT_EQ(b.UnHotTimer()->Interval(), 1u);
  EXPECT_FALSE(b.UnHotTimer()->Enabled());
  EXPECT_TRUE(b.DoubleBuffered());
  EXPECT_EQ(b.Appearance(), nullptr);
}

TEST_F(PushButtonTest, AutoSizeTakesTheLargerOfImageAndCaption) {
  TImageList images;
  images.SetWidth(20);
  images.SetHeight(16);
  auto bmp = PatternBitmap(20, 16, {clRed});
  images.Add(bmp.get(), nullptr);
  struct Case {
    const char16_t* caption;
    bool image;
    int width, height;
  };
  // Fake metrics: 7 pixels a character, lines 13 high.
  const Case cases[] = {
      {u"Go", false, 14 + 8, 13 + 4},
      {u"Go", true, 20 + 8, 16 + 4},       // the image is the larger: not the sum
      {u"Cancel", true, 42 + 8, 16 + 4},   // the caption is wider
      {u"", false, 0 + 8, 0 + 4},
  };
  for (const Case& c : cases) {
    first->SetCaption(c.caption);
    first->SetImages(c.image ? &images : nullptr);
    first->SetImageIndex(c.image ? 0 : -1);
    first->AutoSizeButton();
    EXPECT_EQ(first->Width(), c.width) << StringToUtf8(c.caption);
    EXPECT_EQ(first->Height(), c.height) << StringToUtf8(c.caption);
  }
  first->SetAppearance(nullptr);
  first->SetBounds(0, 0, 77, 33);
  first->AutoSizeButton();
  EXPECT_EQ(first->Width(), 77);
}

TEST_F(PushButtonTest, FacesByState) {
  appearance.SetColorHot(clLime);
  appearance.SetBorderColorHot(clGreen);
  appearance.SetColorDown(clRed);
  appearance.SetBorderColorDown(clMaroon);
  const TPoint face{20, 11}, border{0, 11};
  auto img = Paint(first);
  EXPECT_EQ(img->Pixel(face.X, face.Y), clWhite);
  EXPECT_EQ(img->Pixel(border.X, border.Y), clBlack);
  driver.MouseEnter(first);
  img = Paint(first);
  EXPECT_EQ(img->Pixel(face.X, face.Y), clLime);
  EXPECT_EQ(img->Pixel(border.X, border.Y), clGreen);
  driver.MouseDown(first, 5, 5);
  img = Paint(first);
  EXPECT_EQ(img->Pixel(face.X, face.Y), clRed);
  EXPECT_EQ(img->Pixel(first->Width() - 1, face.Y), clMaroon);
}

TEST_F(PushButtonTest, DisabledKeepsItsColoursWhateverTheMouseDoes) {
  appearance.SetColorDisabled(clYellow);
  appearance.SetColorDisabledTo(clNone);
  appearance.SetBorderColorDisabled(clPurple);
  first->SetEnabled(false);
  std::vector<std::function<void()>> moves = {
      [] {},
      [&] { driver.MouseEnter(first); },
      [&] { driver.MouseDown(first, 5, 5); },
      [&] { driver.MouseMove(first, 6, 6); },
      [&] { driver.MouseUp(first, 6, 6); },
  };
  for (size_t i = 0; i < moves.size(); ++i) {
    moves[i]();
    auto img = Paint(first);
    EXPECT_EQ(img->Pixel(20, 11), clYellow) << i;
    EXPECT_EQ(img->Pixel(0, 11), clPurple) << i;
    EXPECT_EQ(img->Pixel(first->Width() - 1, first->Height() - 1), clPurple) << i;
    EXPECT_EQ(first->State(), absDisabled) << i;
  }
}

TEST_F(PushButtonTest, TransparentBackgroundShowsTheParent) {
  appearance.SetColor(clNone);
  appearance.SetColorTo(clNone);
  appearance.SetBorderColor(clNone);
  auto img = Paint(first);
  EXPECT_EQ(img->Pixel(20, 11), clTeal);
}

TEST_F(PushButtonTest, TransparentBackgroundShowsTheGraphicControlsOnTheParent) {
  appearance.SetColor(clNone);
  appearance.SetColorTo(clNone);
  appearance.SetBorderColor(clNone);
  auto* shape = New<TShape>(form);
  shape->SetParent(form);
  shape->Brush()->SetColor(clNavy);
  shape->Pen()->SetColor(clNavy);
  shape->SetBounds(5, 5, 20, 40);  // under the button's left half (x 10..29)
  auto img = Paint(first);
  EXPECT_EQ(img->Pixel(2, 11), clNavy);
  EXPECT_EQ(img->Pixel(14, 11), clNavy);
  EXPECT_EQ(img->Pixel(15, 11), clTeal);
  EXPECT_EQ(img->Pixel(30, 11), clTeal);
}

TEST_F(PushButtonTest, GroupPressingTheSecondRaisesTheFirst) {
  first->SetGroupIndex(1);
  second->SetGroupIndex(1);
  driver.Click(first);
  EXPECT_TRUE(first->Down());
  EXPECT_EQ(first->State(), absExclusive);
  driver.Click(second);
  EXPECT_TRUE(second->Down());
  EXPECT_FALSE(first->Down());
  EXPECT_EQ(first->State(), absUp);
  driver.Click(second);  // a down button stays down without AllowAllUp
  EXPECT_TRUE(second->Down());
  first->SetAllowAllUp(true);
  driver.Click(first);  // the sender's AllowAllUp spreads to the group
  EXPECT_TRUE(first->Down());
  EXPECT_FALSE(second->Down());
  EXPECT_TRUE(second->AllowAllUp());
  driver.Click(first);  // now the group may be all up
  EXPECT_FALSE(first->Down());

  TAdvButton* lone = MakeButton(120);
  lone->SetDown(true);  // an ungrouped push button is never down
  EXPECT_FALSE(lone->Down());
  lone->SetStyle(tasCheck);
  driver.Click(lone);
  EXPECT_TRUE(lone->Down());
  driver.Click(lone);
  EXPECT_FALSE(lone->Down());
}

TEST_F(PushButtonTest, UnHotTimerClearsTheHotStateOnceTheCursorLeft) {
  driver.MouseMove(first, 5, 5);
  driver.MouseEnter(first);
  EXPECT_TRUE(first->MouseInControl());
  EXPECT_TRUE(first->UnHotTimer()->Enabled());
  driver.AdvanceTime(5);  // still inside
  EXPECT_TRUE(first->MouseInControl());
  driver.MouseMove(form, 250, 80);  // the leave notice never came
  EXPECT_TRUE(first->MouseInControl());
  driver.AdvanceTime(1);
  EXPECT_FALSE(first->MouseInControl());
  EXPECT_FALSE(first->Hot());
  EXPECT_FALSE(first->UnHotTimer()->Enabled());
}

TEST_F(PushButtonTest, ModalResultClosesThePopupBeforeTheClickEvent) {
  auto* edit = new TFakeDropDownEdit(form);
  std::vector<std::string> order;
  first->OnClick = [&](TObject*) { order.push_back("click " + std::to_string(edit->Hidden.size())); };
  first->SetAdvDropDown(edit);
  struct Case {
    TModalResult result;
    bool closes, cancel;
  };
  const Case cases[] = {{1, true, false}, {2, true, true},   {3, true, true},   {4, false, false},
                        {5, true, true},  {6, true, false},  {7, true, true},   {8, false, false},
                        {11, false, false}, {12, true, false}, {13, true, true}, {14, true, false}, {0, false, false}};
  for (const Case& c : cases) {
    edit->Hidden.clear();
    order.clear();
    first->SetModalResult(c.result);
    driver.Click(first);
    ASSERT_EQ(edit->Hidden.size(), c.closes ? 1u : 0u) << c.result;
    if (c.closes) {
      EXPECT_EQ(edit->Hidden[0], c.cancel) << c.result;
    }
    EXPECT_EQ(order, (std::vector<std::string>{"click " + std::to_string(c.closes ? 1 : 0)})) << c.result;
    EXPECT_EQ(form->ModalResult(), c.result);
  }
}

TEST_F(PushButtonTest, EnterAppliesTheModalResultWithoutAClick) {
  auto* edit = new TFakeDropDownEdit(form);
  int clicks = 0;
  first->OnClick = [&clicks](TObject*) { ++clicks; };
  first->SetAdvDropDown(edit);
  first->SetModalResult(1);
  first->SetTabStop(true);
  first->SetFocus();
  driver.Key(form, VK_RETURN);
  EXPECT_EQ(edit->Hidden, std::vector<bool>{false});
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(form->ModalResult(), 1);
  first->SetCaption(u"&Apply");
  EXPECT_EQ(first->Perform(CM_DIALOGCHAR, u'a', 0), 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(first->Perform(CM_DIALOGCHAR, u'x', 0), 0);
}

}  // namespace
