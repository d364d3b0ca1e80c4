// In-cell combo, push and spin buttons in their four looks, as the calls they make.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/foundation/AdvXPVS.h"
#include "grid/foundation/ZazAdezDraw.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

TColorTones SampleTones() {
  TColorTones t;
  t.Background = {RGB(1, 0, 0), RGB(2, 0, 0), RGB(3, 0, 0)};
  t.Foreground = {RGB(4, 0, 0), RGB(5, 0, 0), RGB(6, 0, 0)};
  t.Selected = {RGB(7, 0, 0), RGB(8, 0, 0), RGB(9, 0, 0)};
  t.Hover = {RGB(10, 0, 0), RGB(11, 0, 0), RGB(12, 0, 0)};
  t.Disabled = {RGB(13, 0, 0), RGB(14, 0, 0), RGB(15, 0, 0)};
  return t;
}

using ButtonFn = void (*)(TCanvas*, TWinControl*, TRect, uint8_t, uint8_t, TColorTones);

std::string Draw(ButtonFn fn, TRect r, uint8_t look, uint8_t state, TRecordingCanvas* rec = nullptr) {
  TRecordingCanvas local;
  TRecordingCanvas* c = rec ? rec : &local;
  fn(c, nullptr, r, look, state, SampleTones());
  return c->Log();
}

struct Case {
  uint8_t look;
  uint8_t state;
  std::string log;
};

}  // namespace

TEST(DrawButtons, ComboButtonLooks) {
  // The button is the right 17 pixels, 1 shorter at top and bottom, moved 2 left: (91,6,108,24).
  const TRect r = Rect(10, 5, 110, 25);
  const std::vector<Case> cases = {
      {0, 0, "ThemeDrawBackground(1,1,91,6,108,24,'combobox')\n"},
      {0, 3, "ThemeDrawBackground(1,4,91,6,108,24,'combobox')\n"},
      {1, 0, "DrawFrameControl(91,6,108,24,3,5)\n"},
      {1, 2, "DrawFrameControl(91,6,108,24,3,5)\n"},
      {1, 3, "DrawFrameControl(91,6,108,24,3,261)\n"},
      {2, 1, "DrawFrameControl(91,6,108,24,3,16389)\n"},
      {2, 3, "DrawFrameControl(91,6,108,24,3,16645)\n"},
      {3, 0, "Rectangle(94,6,108,24)\nMoveTo(95,6)\nLineTo(95,24)\nPolygon(99,14,105,14,102,17)\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Draw(DrawComboButton, r, c.look, c.state), c.log) << int(c.look) << "/" << int(c.state);

  // Themed: normal, hot and pressed look the same.
  EXPECT_EQ(Draw(DrawComboButton, r, 0, 1), Draw(DrawComboButton, r, 0, 0));
  EXPECT_EQ(Draw(DrawComboButton, r, 0, 2), Draw(DrawComboButton, r, 0, 0));
}

TEST(DrawButtons, ComboButtonTonesFollowTheState) {
  const TRect r = Rect(0, 0, 40, 20);
  const TColor brushes[] = {RGB(1, 0, 0), RGB(10, 0, 0), RGB(7, 0, 0), RGB(13, 0, 0)};
  for (uint8_t state = 0; state < 4; ++state) {
    TRecordingCanvas rec;
    Draw(DrawComboButton, r, 3, state, &rec);
    const auto& calls = rec.Calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].BrushColor, brushes[state]) << int(state);
    EXPECT_EQ(calls[0].PenColor, brushes[state]) << int(state);
    EXPECT_EQ(calls[2].PenColor, RGB(2, 0, 0));  // the line in Background.BorderColor
    EXPECT_EQ(calls[3].BrushColor, RGB(3, 0, 0));  // the arrow in Background.TextColor
    EXPECT_EQ(calls[3].PenColor, RGB(3, 0, 0));
  }
}

TEST(DrawButtons, PushButtonLooks) {
  const TRect r = Rect(0, 0, 60, 20);
  const std::vector<Case> cases = {
      {0, 0, "ThemeDrawBackground(1,1,0,0,60,20,'button')\n"},
      {0, 1, "ThemeDrawBackground(1,2,0,0,60,20,'button')\n"},
      {0, 2, "ThemeDrawBackground(1,3,0,0,60,20,'button')\n"},
      {0, 3, "ThemeDrawBackground(1,4,0,0,60,20,'button')\n"},
      {1, 0, "DrawFrameControl(0,0,60,20,4,16)\n"},
      {1, 1, "DrawFrameControl(0,0,60,20,4,4112)\n"},
      {1, 2, "DrawFrameControl(0,0,60,20,4,528)\n"},
      {1, 3, "DrawFrameControl(0,0,60,20,4,272)\n"},
      {2, 0, "DrawFrameControl(0,0,60,20,4,16400)\n"},
      {2, 2, "DrawFrameControl(0,0,60,20,4,16912)\n"},
      {3, 0, "Rectangle(0,0,60,20)\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Draw(DrawPushButton, r, c.look, c.state), c.log) << int(c.look) << "/" << int(c.state);

  // Look 3: brush and pen of the state's tone (Background, Hover, Selected, Disabled).
  const TColor brush[] = {RGB(1, 0, 0), RGB(10, 0, 0), RGB(7, 0, 0), RGB(13, 0, 0)};
  const TColor pen[] = {RGB(2, 0, 0), RGB(11, 0, 0), RGB(8, 0, 0), RGB(14, 0, 0)};
  for (uint8_t state = 0; state < 4; ++state) {
    TRecordingCanvas rec;
    Draw(DrawPushButton, r, 3, state, &rec);
    ASSERT_EQ(rec.Calls().size(), 1u);
    EXPECT_EQ(rec.Calls()[0].BrushColor, brush[state]);
    EXPECT_EQ(rec.Calls()[0].PenColor, pen[state]);
  }
}

TEST(DrawButtons, SpinButtonLooks) {
  // The right 15 pixels moved 1 left and 1 up: (44,1,59,21), mid 11.
  const TRect r = Rect(0, 2, 60, 22);
  const std::vector<Case> cases = {
      {0, 0, "ThemeDrawBackground(1,1,44,1,59,11,'spin')\nThemeDrawBackground(2,1,44,11,59,21,'spin')\n"},
      {0, 2, "ThemeDrawBackground(1,1,44,1,59,11,'spin')\nThemeDrawBackground(2,1,44,11,59,21,'spin')\n"},
      {0, 3, "ThemeDrawBackground(1,4,44,1,59,11,'spin')\nThemeDrawBackground(2,4,44,11,59,21,'spin')\n"},
      {1, 0, "DrawFrameControl(44,1,59,11,3,0)\nDrawFrameControl(44,12,59,21,3,1)\n"},
      {1, 3, "DrawFrameControl(44,1,59,11,3,256)\nDrawFrameControl(44,12,59,21,3,257)\n"},
      {2, 0, "DrawFrameControl(44,1,59,11,3,16384)\nDrawFrameControl(44,12,59,21,3,16385)\n"},
      {3, 1,
       "Rectangle(44,1,59,11)\nRectangle(44,12,59,21)\nPolygon(49,6,53,6,51,4)\nPolygon(49,13,53,13,51,15)\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Draw(DrawSpinButtons, r, c.look, c.state), c.log) << int(c.look) << "/" << int(c.state);

  TRecordingCanvas rec;
  Draw(DrawSpinButtons, r, 3, 1, &rec);
  EXPECT_EQ(rec.Calls()[0].BrushColor, RGB(10, 0, 0));  // hover tone
  EXPECT_EQ(rec.Calls()[2].BrushColor, clBlack);
  EXPECT_EQ(rec.Calls()[3].PenColor, clBlack);
}

TEST(DrawButtons, ThemedLookDrawsNothingWithoutTheBinding) {
  UnbindUxTheme();
  const std::string combo = Draw(DrawComboButton, Rect(0, 0, 40, 20), 0, 0);
  const std::string push = Draw(DrawPushButton, Rect(0, 0, 40, 20), 0, 0);
  BindUxTheme();
  EXPECT_EQ(combo, "");
  EXPECT_EQ(push, "");
  EXPECT_NE(Draw(DrawPushButton, Rect(0, 0, 40, 20), 0, 0), "");
}

TEST(DrawButtons, DownTriangle) {
  TRecordingCanvas rec;
  DrawDownTriangle(&rec, 20, 10, clNavy);
  EXPECT_EQ(rec.Log(), "Polygon(17,10,23,10,20,13)\n");
  EXPECT_EQ(rec.Calls()[0].PenColor, clNavy);
  EXPECT_EQ(rec.Calls()[0].BrushColor, clNavy);
}

TEST(DrawButtons, UnknownLookDrawsNothing) {
  EXPECT_EQ(Draw(DrawComboButton, Rect(0, 0, 40, 20), 4, 0), "");
  EXPECT_EQ(Draw(DrawPushButton, Rect(0, 0, 40, 20), 9, 0), "");
  EXPECT_EQ(Draw(DrawSpinButtons, Rect(0, 0, 40, 20), 200, 0), "");
}
