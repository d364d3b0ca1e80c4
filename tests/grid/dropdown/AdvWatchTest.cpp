// The analog clock (clicks, keys, animation on the virtual clock, marks and numbers on a recording
// canvas, automatic mode) and its twelve looks.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "grid/dropdown/AdvWatch.h"
#include "platform/Forms.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/PaintToPng.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

// Paints a clock on a canvas of the test's choosing.
struct TWatchPainter : TAdvWatch {
  static void PaintOn(TAdvWatch* Watch, TCanvas* Canvas) {
    TCanvas* TCustomControl::*canvas = &TWatchPainter::paintCanvas_;
    Watch->*canvas = Canvas;
    Watch->Perform(WM_PAINT);
    Watch->*canvas = nullptr;
  }
};

int HourOfTime(TDateTime T) {
  uint16_t h = 0, m = 0, s = 0, ms = 0;
  DecodeTime(T, h, m, s, ms);
  return h;
}
int MinuteOfTime(TDateTime T) {
  uint16_t h = 0, m = 0, s = 0, ms = 0;
  DecodeTime(T, h, m, s, ms);
  return m;
}
size_t CountCalls(const TRecordingCanvas& C, const std::string& Name) { return C.CallsNamed(Name).size(); }

class WatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 300);
    watch = new TAdvWatch(form);
    watch->SetParent(form);
    watch->OnChange = [this](TObject*) { changes.push_back(watch->Time()); };
    form->Show();
  }
  void TearDown() override { delete form; }

  InputDriver driver;
  TScopedFakeMetrics metrics{7};
  TForm* form = nullptr;
  TAdvWatch* watch = nullptr;
  std::vector<TDateTime> changes;
};

TEST_F(WatchTest, GeometryOfADefaultClock) {
  EXPECT_EQ(watch->Width(), 180);
  EXPECT_EQ(watch->FaceRect(), Rect(10, 10, 170, 170));
  EXPECT_EQ(watch->Centre(), Point(90, 90));
  EXPECT_EQ(watch->Radius(), 80);
  EXPECT_EQ(watch->Style(), wsClassic);
}

TEST_F(WatchTest, ClicksSetTheMinuteOutsideTheFaceAndTheHourInsideIt) {
  watch->SetAnimation(false);
  watch->SetTime(EncodeTime(1, 40, 0, 0));
  driver.Click(watch, 175, 90);  // right of the centre, outside the face
  EXPECT_EQ(MinuteOfTime(watch->Time()), 15);
  EXPECT_EQ(HourOfTime(watch->Time()), 1);
  driver.Click(watch, 150, 90);  // right of the centre, inside
  EXPECT_EQ(HourOfTime(watch->Time()), 3);
  watch->SetTime(EncodeTime(13, 0, 0, 0));
  driver.Click(watch, 150, 90);
  EXPECT_EQ(HourOfTime(watch->Time()), 15);
  const struct {
    int X, Y, Minute;
  } minutes[] = {{90, 5, 0}, {5, 90, 45}, {90, 175, 30}, {170, 50, 11}};
  for (const auto& m : minutes) EXPECT_EQ(watch->MinuteAt(m.X, m.Y), m.Minute) << m.X << "," << m.Y;
}

TEST_F(WatchTest, AClickOnTheAMPMBoxSwitchesHalfOfTheDay) {
  watch->SetAnimation(false);
  watch->SetTime(EncodeTime(9, 30, 0, 0));
  const TRect box = watch->AMPMRect();
  driver.Click(watch, (box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
  EXPECT_EQ(HourOfTime(watch->Time()), 21);
  EXPECT_FALSE(watch->AM());
  EXPECT_EQ(changes.size(), 1u);
}

TEST_F(WatchTest, AnimatedHourMovesOneHourPerTickAndReportsOnceAtTheEnd) {
  watch->SetTime(EncodeTime(1, 0, 0, 0));
  watch->SetHour(9);
  EXPECT_EQ(HourOfTime(watch->Time()), 1);
  for (int expected = 2; expected <= 9; ++expected) {
    driver.AdvanceTime(1);
    EXPECT_EQ(HourOfTime(watch->Time()), expected);
  }
  driver.AdvanceTime(5);
  EXPECT_FALSE(watch->Animating());
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(HourOfTime(changes[0]), 9);
}

TEST_F(WatchTest, MinuteFiftyNineSteppedForwardShowsTheNextHour) {
  for (bool animation : {false, true}) {
    watch->SetAnimation(animation);
    watch->SetTime(EncodeTime(10, 59, 0, 0));
    watch->HandleKey(VK_RIGHT);
    driver.AdvanceTime(20);
    EXPECT_EQ(HourOfTime(watch->Time()), 11) << animation;
    EXPECT_EQ(MinuteOfTime(watch->Time()), 0) << animation;
  }
  watch->SetAnimation(false);
  watch->SetTime(EncodeTime(0, 0, 0, 0));
  watch->HandleKey(VK_LEFT);
  EXPECT_EQ(watch->Time(), EncodeTime(23, 59, 0, 0));
}

TEST_F(WatchTest, KeysOfTheClockAndTheKeysItLeavesAlone) {
  watch->SetAnimation(false);
  watch->SetTime(EncodeTime(13, 10, 0, 0));
  watch->HandleKey(112);  // F1
  watch->HandleKey(97);   // numpad 1
  EXPECT_EQ(HourOfTime(watch->Time()), 13);
  watch->HandleKey(u'A');
  EXPECT_EQ(HourOfTime(watch->Time()), 1);
  watch->HandleKey(u'P');
  EXPECT_EQ(HourOfTime(watch->Time()), 13);
  watch->HandleKey(VK_HOME);
  EXPECT_EQ(HourOfTime(watch->Time()), 12);
  watch->SetTime(EncodeTime(23, 10, 0, 0));
  watch->HandleKey(VK_PRIOR);
  EXPECT_EQ(HourOfTime(watch->Time()), 0);
  watch->HandleKey(VK_NEXT);
  EXPECT_EQ(HourOfTime(watch->Time()), 23);
  watch->HandleKey(VK_END);
  EXPECT_EQ(MinuteOfTime(watch->Time()), 0);
}

TEST_F(WatchTest, MinuteOfSixtyRaises) {
  try {
    watch->SetMinute(60);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"Invalid time");
  }
}

TEST_F(WatchTest, TickMarksAndHourNumbers) {
  watch->SetShowAMPM(false);
  const struct {
    TTickMarks Marks;
    size_t Lines;
    std::vector<String> Numbers;
  } cases[] = {
      {tmAll, 60, {u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"11", u"12"}},
      {tmHours, 12, {}},
      {tmQuartHours, 4, {u"3", u"6", u"9", u"12"}},
      {tmNone, 0, {}},
  };
  for (const auto& c : cases) {
    watch->Appearance()->SetTickMarks(c.Marks);
    TRecordingCanvas canvas;
    watch->DrawFace(&canvas);
    EXPECT_EQ(CountCalls(canvas, "LineTo"), c.Lines) << int(c.Marks);
    std::vector<String> texts;
    for (const auto& call : canvas.CallsNamed("TextOut")) texts.push_back(call.Text);
    EXPECT_EQ(texts, c.Numbers) << int(c.Marks);
    EXPECT_EQ(CountCalls(canvas, "SetClipEllipse"), 1u);
  }
  watch->Appearance()->SetHourMarkStyle(hmsQuartDblLine);
  watch->Appearance()->SetTickMarks(tmQuartHours);
  TRecordingCanvas canvas;
  watch->DrawFace(&canvas);
  EXPECT_EQ(CountCalls(canvas, "LineTo"), 8u);
}

TEST_F(WatchTest, AutomaticModeIgnoresInputAndTicksTheHandsOnly) {
  watch->Settings()->SetAuto(true);
  const TDateTime shown = watch->Time();
  driver.Click(watch, 150, 90);
  driver.Click(watch, 175, 90);
  watch->HandleKey(VK_HOME);
  watch->HandleKey(VK_RIGHT);
  driver.AdvanceTime(5);
  EXPECT_EQ(HourOfTime(watch->Time()), HourOfTime(shown));
  EXPECT_EQ(MinuteOfTime(watch->Time()), MinuteOfTime(shown));
  EXPECT_TRUE(changes.empty());

  TRecordingCanvas first;
  TWatchPainter::PaintOn(watch, &first);
  EXPECT_GT(CountCalls(first, "Draw"), 0u);
  driver.AdvanceTime(100);
  TRecordingCanvas tick;
  TWatchPainter::PaintOn(watch, &tick);
  // The face comes from the cache: no clip, fill, mark or number is drawn again.
  EXPECT_EQ(CountCalls(tick, "SetClipEllipse"), 0u);
  EXPECT_EQ(CountCalls(tick, "TextOut"), 0u);
  EXPECT_EQ(CountCalls(tick, "FillRect"), 0u);
  EXPECT_EQ(CountCalls(tick, "Draw"), 1u);
  const auto secondHand = [](const TRecordingCanvas& C) { return C.CallsNamed("LineTo").back().Args; };
  const std::vector<int> before = secondHand(tick);
  driver.AdvanceTime(1000);
  TRecordingCanvas later;
  TWatchPainter::PaintOn(watch, &later);
  EXPECT_NE(secondHand(later), before);
  EXPECT_EQ(CountCalls(later, "TextOut"), 0u);
}

// ---- looks --------------------------------------------------------------------------------------

TEST_F(WatchTest, AStyleIsAppliedOnceAndClassicNotAtConstruction) {
  watch->Appearance()->SetBorderWidth(9);
  watch->SetStyle(wsClassic);
  EXPECT_EQ(watch->Appearance()->BorderWidth(), 9);
  watch->SetStyle(wsTower);
  EXPECT_EQ(watch->Appearance()->BorderWidth(), 1);
  EXPECT_EQ(watch->Appearance()->AMPMColor(), watch->Appearance()->BackgroundColor());
  EXPECT_EQ(watch->Appearance()->AMPMColor(), static_cast<TColor>(0xB1F0FE));
  EXPECT_EQ(watch->Appearance()->TickMarks(), tmHours);
  EXPECT_FALSE(watch->ShowNumbers());
  watch->Appearance()->SetBorderWidth(7);
  watch->SetStyle(wsTower);
  EXPECT_EQ(watch->Appearance()->BorderWidth(), 7);
  watch->SetStyle(wsClassic);
  EXPECT_EQ(watch->Appearance()->BorderWidth(), 4);  // reset, then the classic values
  EXPECT_EQ(watch->Appearance()->HourMarkLength(), 8);
  EXPECT_EQ(watch->Appearance()->HourFont()->Name(), u"Comic Sans MS");
}

TEST_F(WatchTest, SizesOfTheLooksThatFollowTheClock) {
  watch->SetStyle(wsSuperNova);
  EXPECT_EQ(watch->Appearance()->HourMarkLength(), 40);
  EXPECT_EQ(watch->Appearance()->MinuteMarkLength(), 60);
  watch->SetStyle(wsSports);
  EXPECT_EQ(watch->Appearance()->CenterPointSize(), 50);
  EXPECT_EQ(watch->Appearance()->TickMarks(), tmQuartHours);
  watch->SetBounds(0, 0, 90, 120);
  watch->SetStyle(wsSuperNova);
  EXPECT_EQ(watch->Appearance()->HourMarkLength(), 20);
  EXPECT_EQ(watch->Appearance()->MinuteMarkLength(), 30);
}

TEST_F(WatchTest, DropDownStyleColours) {
  watch->SetComponentStyle(tsOffice2007Luna);
  EXPECT_EQ(watch->Appearance()->AMPMBorderColor(), static_cast<TColor>(0xF0DED0));
  EXPECT_EQ(watch->Appearance()->HourPointer(), static_cast<TColor>(0x723708));
  EXPECT_EQ(watch->Appearance()->CenterPointOuterBorderColor(), static_cast<TColor>(0x000000));
  watch->SetComponentStyle(tsOffice2007Obsidian);
  EXPECT_EQ(watch->Appearance()->HourFont()->Color(), static_cast<TColor>(0xF2F1F0));
  const TColor before = watch->Appearance()->BackgroundColor();
  watch->SetComponentStyle(tsCustom);
  EXPECT_EQ(watch->Appearance()->BackgroundColor(), before);
  EXPECT_EQ(watch->Appearance()->HourFont()->Color(), static_cast<TColor>(0x000000));
}

TEST(WatchLooksPicture, FourLooks) {
  InputDriver driver;
  TForm* form = New<TForm>(nullptr);
  form->SetBounds(0, 0, 4 * 190 + 10, 240);
  form->SetColor(clWhite);
  const TWatchStyle looks[] = {wsTower, wsBlueStar, wsBlackWhite, wsSmooth};
  TAdvWatch* clocks[4] = {};
  for (int i = 0; i < 4; ++i) {
    TAdvWatch* w = clocks[i] = new TAdvWatch(form);
    w->SetParent(form);
    w->SetBounds(10 + i * 190, 10, 180, 180);
    w->SetStyle(looks[i]);
    w->SetAnimation(false);
    w->SetTime(EncodeTime(10, 8, 0, 0));
  }
  form->Show();
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "dropdown";
  std::filesystem::create_directories(dir);
  EXPECT_TRUE(PaintToPng(form, String(dir.u16string()) + u"/clock_looks.png"));
  // The tower's rectangle face fills its corner; the blue star's rounded corner is clipped.
  EXPECT_NE(PaintToBitmap(clocks[0])->Canvas()->Pixels(1, 1), static_cast<TColor>(clWhite));
  auto star = PaintToBitmap(clocks[1]);
  EXPECT_EQ(star->Canvas()->Pixels(1, 1), static_cast<TColor>(clWhite));
  EXPECT_NE(star->Canvas()->Pixels(12, 12), static_cast<TColor>(clWhite));
  delete form;
}

}  // namespace
namespace {
TEST(WatchRoundedFace, EveryPaintKeepsTheCornerClipped) {
  InputDriver driver;
  TForm* form = New<TForm>(nullptr);
  form->SetColor(clWhite);
  TAdvWatch* watch = new TAdvWatch(form);
  watch->SetParent(form);
  watch->SetStyle(wsBlueStar);
  form->Show();
  for (int paint = 0; paint < 2; ++paint)
    EXPECT_EQ(PaintToBitmap(watch)->Canvas()->Pixels(1, 1), static_cast<TColor>(clWhite)) << paint;
  delete form;
}
}  // namespace
