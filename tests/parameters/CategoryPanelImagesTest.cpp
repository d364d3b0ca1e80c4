// The header images of the parameter form's panel group.
#include <gtest/gtest.h>

#include "parameters/UCategoryPanelImages.h"

namespace {

// The image drawn over a white bitmap, as a panel header draws it.
std::vector<TColor> Drawn(TImageList* list, int index) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(16, 16);
  b.Canvas()->Brush()->SetColor(clWhite);
  b.Canvas()->FillRect(Rect(0, 0, 16, 16));
  list->Draw(b.Canvas(), 0, 0, index);
  std::vector<TColor> px;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) px.push_back(ColorToRGB(b.Canvas()->Pixels(x, y)));
  }
  return px;
}

}  // namespace

TEST(CategoryPanelImages, ExpandedAndCollapsedArrowsOnATransparentGround) {
  TComponent owner(nullptr);
  TImageList* list = Create_Category_Panel_Images(&owner);
  ASSERT_EQ(list->Count(), 2);
  EXPECT_EQ(list->Width(), 16);
  EXPECT_EQ(list->Height(), 16);
  EXPECT_EQ(list->Owner(), &owner);
  const std::vector<TColor> expanded = Drawn(list, 0);
  const std::vector<TColor> collapsed = Drawn(list, 1);
  // Corners outside the disc let the header show through.
  for (int corner : {0, 15, 240, 255}) {
    EXPECT_EQ(expanded[corner], clWhite);
    EXPECT_EQ(collapsed[corner], clWhite);
  }
  // The upward arrow's tip stands above the downward one's.
  auto topmostDark = [](const std::vector<TColor>& px) {
    for (int i = 0; i < 256; ++i) {
      if (px[i] == 0x404040) return i / 16;
    }
    return -1;
  };
  EXPECT_EQ(topmostDark(expanded), 4);
  EXPECT_EQ(topmostDark(collapsed), 4);
  EXPECT_NE(expanded, collapsed);
  // Expanded: the tip (8, 4) is the arrow's highest pixel; collapsed: its ends (4, 4) and (12, 4) are.
  EXPECT_EQ(expanded[4 * 16 + 8], 0x404040);
  EXPECT_EQ(collapsed[4 * 16 + 4], 0x404040);
  EXPECT_NE(collapsed[4 * 16 + 8], 0x404040);
}
