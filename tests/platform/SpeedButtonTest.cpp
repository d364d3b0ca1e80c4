// The class library's speed button: pressing, groups (exclusive), flat hovering, glyph and
// caption; and the test switch of the platform profile.
#include <gtest/gtest.h>

#include <memory>

#include "platform/Buttons.h"
#include "platform/Forms.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/RecordingCanvas.h"
#include "platform/testing/ScopedPlatformProfile.h"

namespace {

struct TSpeedPainter : TSpeedButton {
  static void PaintOn(TSpeedButton* Button, TCanvas* Canvas) {
    TCanvas* TGraphicControl::*canvas = &TSpeedPainter::paintCanvas_;
    void (TSpeedButton::*paint)() = &TSpeedPainter::Paint;
    Button->*canvas = Canvas;
    (Button->*paint)();
    Button->*canvas = nullptr;
  }
};

class SpeedButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetClientWidth(200);
    form->SetClientHeight(60);
    a = Make(10);
    b = Make(40);
    form->Show();
  }
  void TearDown() override { delete form; }
  TSpeedButton* Make(int left) {
    auto* s = new TSpeedButton(form);
    s->SetParent(form);
    s->SetLeft(left);
    s->OnClick = [this](TObject* sender) { clicked.push_back(sender); };
    return s;
  }

  InputDriver driver;
  TScopedFakeMetrics metrics;
  TForm* form = nullptr;
  TSpeedButton* a = nullptr;
  TSpeedButton* b = nullptr;
  std::vector<TObject*> clicked;
};

TEST_F(SpeedButtonTest, PressDragAndRelease) {
  EXPECT_EQ(a->Width(), 23);
  EXPECT_EQ(a->Height(), 22);
  driver.MouseDown(a, 5, 5);
  EXPECT_EQ(a->State(), bsDown);
  driver.MouseMove(a, 40, 5);  // dragged off: up again
  EXPECT_EQ(a->State(), bsUp);
  driver.MouseMove(a, 6, 5);
  EXPECT_EQ(a->State(), bsDown);
  driver.MouseUp(a, 6, 5);
  EXPECT_EQ(a->State(), bsUp);
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0], a);
  driver.MouseDown(a, 5, 5);
  driver.MouseUp(a, 50, 5);  // released outside: no click
  EXPECT_EQ(clicked.size(), 1u);
  a->SetDown(true);  // without a group a button never stays down
  EXPECT_FALSE(a->Down());
}

TEST_F(SpeedButtonTest, GroupIsExclusive) {
  a->SetGroupIndex(3);
  b->SetGroupIndex(3);
  driver.Click(a);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->State(), bsExclusive);
  driver.Click(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(a->State(), bsUp);
  b->SetDown(false);  // the last down button stays down without AllowAllUp
  EXPECT_TRUE(b->Down());
  b->SetAllowAllUp(true);
  b->SetDown(false);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(clicked.size(), 2u);
}

TEST_F(SpeedButtonTest, LooksByStateFlatAndGlyph) {
  TRecordingCanvas rec;
  TSpeedPainter::PaintOn(a, &rec);
  auto frames = rec.CallsNamed("DrawFrameControl");
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].Args[5], static_cast<int>(DFCS_BUTTONPUSH));
  driver.MouseDown(a, 5, 5);
  rec.Clear();
  TSpeedPainter::PaintOn(a, &rec);
  EXPECT_EQ(rec.CallsNamed("DrawFrameControl").at(0).Args[5], static_cast<int>(DFCS_BUTTONPUSH | DFCS_PUSHED));
  driver.MouseUp(a, 5, 5);

  b->SetFlat(true);
  rec.Clear();
  TSpeedPainter::PaintOn(b, &rec);
  EXPECT_TRUE(rec.CallsNamed("DrawEdge").empty());  // flat until hovered
  EXPECT_TRUE(rec.CallsNamed("DrawFrameControl").empty());
  driver.MouseEnter(b);
  rec.Clear();
  TSpeedPainter::PaintOn(b, &rec);
  ASSERT_EQ(rec.CallsNamed("DrawEdge").size(), 1u);
  EXPECT_EQ(rec.CallsNamed("DrawEdge")[0].Args[4], static_cast<int>(BDR_RAISEDINNER));

  // A glyph beside the caption, the pair centred; its bottom-left colour is transparent.
  auto glyph = PatternBitmap(4, 4, {clRed, clRed, clRed, clRed, clRed, clRed, clRed, clRed, clRed, clRed, clRed,
                                    clRed, clLime, clLime, clLime, clLime});
  a->SetGlyph(glyph.get());
  a->SetCaption(u"ab");
  TImageCanvas img(a->Width(), a->Height());
  TSpeedPainter::PaintOn(a, img.Canvas());
  // 4 + 4 + 14 = 22 wide in 23: x from 0; y (22 - 4) / 2 = 9.
  EXPECT_EQ(img.Pixel(1, 10), clRed);
  EXPECT_EQ(img.CountColor(clRed), 12);
  EXPECT_EQ(img.CountColor(clLime), 0);
  rec.Clear();
  TSpeedPainter::PaintOn(a, &rec);
  const auto texts = rec.CallsNamed("TextOut");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Args[0], 8);
}

TEST(PlatformProfileSwitch, AnswersForTheScopeOnly) {
  EXPECT_TRUE(IsThemeActive());
  {
    TScopedPlatformProfile unthemed(UnthemedProfile());
    EXPECT_FALSE(IsThemeActive());
    EXPECT_FALSE(PlatformProfile().Themed);
  }
  EXPECT_TRUE(IsThemeActive());
}

}  // namespace
