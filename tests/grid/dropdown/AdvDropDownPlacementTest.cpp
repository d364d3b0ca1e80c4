// Where and how large the drop-down popup opens, the re-open guard and the resize corner.
#include <gtest/gtest.h>

#include "grid/dropdown/AdvDropDownPlacement.h"

namespace {

TEST(DropDownPlacement, SideAndRightEdgeOnTheNearestMonitorsWorkArea) {
  const TRect primary = Rect(0, 0, 1920, 1040);
  const TRect leftOfPrimary = Rect(-1920, 0, 0, 1040);
  const TSize popup{200, 150};
  const struct {
    const char* Name;
    TDropPosition Position;
    TPoint Edit;
    TRect WorkArea;
    TPoint Expected;
  } cases[] = {
      {"auto with room below", dpAuto, {100, 100}, primary, {100, 120}},
      {"auto near the bottom opens above", dpAuto, {100, 1000}, primary, {100, 850}},
      {"down leaves the screen", dpDown, {100, 1000}, primary, {100, 1020}},
      {"up leaves the screen", dpUp, {100, 50}, primary, {100, -100}},
      {"right edge shift", dpDown, {1850, 100}, primary, {1720, 120}},
      {"left edge outside stays", dpDown, {-50, 100}, primary, {-50, 120}},
      {"monitor at negative coordinates", dpAuto, {-100, 1000}, leftOfPrimary, {-200, 850}},
      {"work area above the taskbar", dpAuto, {100, 900}, Rect(0, 0, 1920, 1040), {100, 750}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PlaceDropDown(c.Position, c.Edit, 21, popup, c.WorkArea), c.Expected) << c.Name;
}

TEST(DropDownPlacement, ReopensOnlyMoreThan250MsAfterClosing) {
  const struct {
    uint32_t Now, DeActivated;
    bool May;
  } cases[] = {{1000, 1000, false}, {1250, 1000, false}, {1251, 1000, true},
               {100, 0xFFFFFF00u, true}, {10, 0xFFFFFFF0u, false}};
  for (const auto& c : cases) EXPECT_EQ(DropDownMayReopen(c.Now, c.DeActivated), c.May) << c.Now;
}

TEST(DropDownPlacement, PopupSizeFromSettingsOrContent) {
  TDropDownSizeInput in;
  in.EditWidth = 120;
  EXPECT_EQ(DropDownPopupSize(in), (TSize{120, 2}));
  in.HeaderVisible = true;
  in.HeaderHeight = 22;
  in.FooterHeight = 30;  // footer hidden: its height does not count
  in.HasControl = true;
  in.ControlWidth = 150;
  in.ControlHeight = 100;
  EXPECT_EQ(DropDownPopupSize(in), (TSize{150, 124}));
  in.FooterVisible = true;
  in.BorderWidth = 2;
  EXPECT_EQ(DropDownPopupSize(in), (TSize{150, 156}));
  in.DropDownWidth = 300;
  in.DropDownHeight = 40;
  EXPECT_EQ(DropDownPopupSize(in), (TSize{300, 40}));
}

TEST(DropDownPlacement, ResizeCornerIsTheBottomRightNinePixels) {
  EXPECT_TRUE(DropDownGripHit({191, 41}, 200, 50, true));
  EXPECT_TRUE(DropDownGripHit({199, 49}, 200, 50, true));
  EXPECT_FALSE(DropDownGripHit({190, 41}, 200, 50, true));
  EXPECT_FALSE(DropDownGripHit({191, 40}, 200, 50, true));
  EXPECT_FALSE(DropDownGripHit({195, 45}, 200, 50, false));
}

}  // namespace
