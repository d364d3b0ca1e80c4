// The drop-down style presets: popup, strip and push-button colours per style.
#include <gtest/gtest.h>

#include "grid/dropdown/AdvDropDownStyles.h"

namespace {

TEST(DropDownStyles, LunaColoursThePopupStripsAndButtons) {
  const TDropDownPopupStyle* s = DropDownPopupStyle(tsOffice2007Luna);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->DropDownColor, TColor(0xF3E5DA));
  EXPECT_EQ(s->DropDownColorTo, TColor(0xF0DED0));
  EXPECT_TRUE(s->SetsBorderColor);
  EXPECT_EQ(s->DropDownBorderColor, clNone);

  THeaderAppearance header(nullptr);
  TFooterAppearance footer(nullptr);
  TAdvButtonAppearance buttons;
  EXPECT_TRUE(ApplyDropDownStripStyle(tsOffice2007Luna, &header, &footer));
  EXPECT_TRUE(ApplyDropDownButtonStyle(tsOffice2007Luna, &buttons));
  const struct {
    TColor Color, ColorTo, Font, Border;
  } got[] = {{header.Color(), header.ColorTo(), header.Font()->Color(), header.BorderColor()},
             {footer.Color(), footer.ColorTo(), footer.Font()->Color(), footer.BorderColor()}};
  for (const auto& g : got) {
    EXPECT_EQ(g.Color, TColor(0xFFEFE3));
    EXPECT_EQ(g.ColorTo, TColor(0xFFD2AF));
    EXPECT_EQ(g.Font, TColor(0x723708));
    EXPECT_EQ(g.Border, TColor(0xFFD2AF));
  }
  EXPECT_EQ(buttons.Color(), TColor(0xFFEFE3));
  EXPECT_EQ(buttons.ColorTo(), TColor(0xFFDDC4));
  EXPECT_EQ(buttons.BorderColor(), clNone);
  EXPECT_EQ(buttons.ColorHot(), TColor(0xEBFDFF));
  EXPECT_EQ(buttons.BorderColorChecked(), TColor(0x45667B));
}

TEST(DropDownStyles, CustomAndValuesOutsideTheStylesChangeNothing) {
  for (TQELStyle style : {tsCustom, static_cast<TQELStyle>(16), static_cast<TQELStyle>(200)}) {
    THeaderAppearance header(nullptr);
    header.SetColor(clRed);
    header.Font()->SetColor(clGreen);
    TFooterAppearance footer(nullptr);
    footer.SetBorderColor(clBlue);
    TAdvButtonAppearance buttons;
    buttons.SetColor(clAqua);
    buttons.SetColorHot(clLime);
    int changes = 0;
    buttons.OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(DropDownPopupStyle(style), nullptr) << int(style);
    EXPECT_FALSE(ApplyDropDownStripStyle(style, &header, &footer)) << int(style);
    EXPECT_FALSE(ApplyDropDownButtonStyle(style, &buttons)) << int(style);
    EXPECT_EQ(header.Color(), clRed);
    EXPECT_EQ(header.Font()->Color(), clGreen);
    EXPECT_EQ(footer.BorderColor(), clBlue);
    EXPECT_EQ(buttons.Color(), clAqua);
    EXPECT_EQ(buttons.ColorHot(), clLime);
    EXPECT_EQ(changes, 0);
  }
}

TEST(DropDownStyles, ThreeStylesKeepTheBorderColour) {
  for (int i = 0; i < 16; ++i) {
    const auto style = static_cast<TQELStyle>(i);
    if (style == tsCustom) continue;
    const bool keeps = style == tsOffice2003Blue || style == tsOffice2003Silver || style == tsWindowsXP;
    EXPECT_EQ(DropDownPopupStyle(style)->SetsBorderColor, !keeps) << i;
  }
  EXPECT_EQ(DropDownPopupStyle(tsWindows7)->DropDownBorderColor, TColor(0x979797));
  EXPECT_EQ(DropDownPopupStyle(tsOffice2010Black)->DropDownBorderColor, TColor(0xEDEDEC));
}

TEST(DropDownStyles, FooterFollowsTheHeaderSaveTheTwoExceptions) {
  for (int i = 0; i < 16; ++i) {
    const auto style = static_cast<TQELStyle>(i);
    if (style == tsCustom) continue;
    THeaderAppearance header(nullptr);
    TFooterAppearance footer(nullptr);
    ApplyDropDownStripStyle(style, &header, &footer);
    EXPECT_EQ(footer.Font()->Color(), header.Font()->Color()) << i;
    if (style == tsWindowsVista) {
      // The footer's gradient runs the other way.
      EXPECT_EQ(footer.Color(), header.ColorTo());
      EXPECT_EQ(footer.ColorTo(), header.Color());
      EXPECT_EQ(header.Color(), TColor(0xFFFDF9));
    } else {
      EXPECT_EQ(footer.Color(), header.Color()) << i;
      EXPECT_EQ(footer.ColorTo(), header.ColorTo()) << i;
    }
    if (style == tsOffice2003Blue) {
      EXPECT_EQ(header.BorderColor(), clBlack);
      EXPECT_EQ(footer.BorderColor(), TColor(0x962D00));
    } else {
      EXPECT_EQ(footer.BorderColor(), header.BorderColor()) << i;
    }
  }
}

TEST(DropDownStyles, ButtonPresetsWriteThroughTheSettersAndLeaveTheDisabledBorder) {
  const struct {
    TQELStyle Style;
    TColor Color, ColorHotTo, BorderColorDown, ColorCheckedTo, BorderColorChecked;
  } cases[] = {
      {tsOffice2003Classic, 0xFFFFFF, 0xD2BDB6, 0x808080, 0xD8D5D4, 0x808080},
      {tsWindowsXP, 0xFFFFFF, 0xEFD3C6, clHighlight, 0xB9D8DC, clBlack},
      {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFDF0D7, 0xFEDF9A},
      {tsTerminal, clBtnFace, 0xC0C0C0, 0x808080, clBtnFace, clHighlight},
      {tsOffice2010Blue, 0xFDF6EF, clNone, 0x308AC2, clNone, 0x4FA0CE},
      {tsWhidbey, 0xFFFFFF, 0xACECFF, 0x42AEFE, 0x4190F3, 0x45667B},
  };
  for (const auto& c : cases) {
    TAdvButtonAppearance a;
    a.SetBorderColorDisabled(clMaroon);
    int changes = 0;
    a.OnChange = [&](TObject*) { ++changes; };
    ASSERT_TRUE(ApplyDropDownButtonStyle(c.Style, &a));
    EXPECT_EQ(a.Color(), c.Color) << int(c.Style);
    EXPECT_EQ(a.ColorHotTo(), c.ColorHotTo) << int(c.Style);
    EXPECT_EQ(a.BorderColorDown(), c.BorderColorDown) << int(c.Style);
    EXPECT_EQ(a.ColorCheckedTo(), c.ColorCheckedTo) << int(c.Style);
    EXPECT_EQ(a.BorderColorChecked(), c.BorderColorChecked) << int(c.Style);
    EXPECT_EQ(a.BorderColorDisabled(), clMaroon) << int(c.Style);
    EXPECT_GT(changes, 0) << int(c.Style);
  }
}

}  // namespace
