// The control look: its defaults, the write-through of its fixed-cell colours to the grid, copying,
// and the check-box and radio glyphs in their styles (pixels of the program's own bitmaps, frame
// controls and theme parts).
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvGridControlLook.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

using advgrid_test::GridForm;
namespace gc = GridGlyphColors;

// A grid whose system has no visual styles.
class TUnthemedGrid : public TAdvStringGrid {
 public:
  using TAdvStringGrid::TAdvStringGrid;

 protected:
  bool ThemesAvailable() const override { return false; }
};

TEST(AdvGridControlLook, DefaultsAfterCreation) {
  GridForm<> f;
  TControlLook* l = f.grid->ControlLook();
  EXPECT_EQ(l->CheckSize(), 15);
  EXPECT_EQ(l->RadioSize(), 10);
  EXPECT_EQ(l->DropDownCount(), 8);
  EXPECT_EQ(l->ProgressMarginX(), 2);
  EXPECT_EQ(l->ProgressMarginY(), 2);
  EXPECT_EQ(l->ControlStyle(), csTheme);
  EXPECT_EQ(l->CommentColor(), clRed);
  EXPECT_EQ(l->FixedGradientFrom(), clNone);
  EXPECT_EQ(l->FixedGradientHoverFrom(), clGray);
  EXPECT_EQ(l->FixedGradientHoverTo(), clWhite);
  EXPECT_EQ(l->FixedGradientHoverBorder(), clSilver);
  EXPECT_EQ(l->FixedGradientDownTo(), clSilver);
  EXPECT_TRUE(l->CheckedGlyph()->Empty());
  // Init wrote the hover and pressed mirrors through.
  EXPECT_EQ(f.grid->QELGradientHoverMirrorFrom(), clNone);
  EXPECT_EQ(f.grid->QELGradientDownMirrorTo(), clNone);
}

TEST(AdvGridControlLook, ColoursWriteThroughToTheGridUnlessNone) {
  GridForm<> f;
  TControlLook* l = f.grid->ControlLook();
  const TColor to = f.grid->QELGradientTo();
  l->SetFixedGradientTo(clNone);
  EXPECT_EQ(f.grid->QELGradientTo(), to);
  l->SetFixedGradientMirrorTo(clRed);
  EXPECT_EQ(f.grid->QELGradientMirrorTo(), clRed);
  l->SetFixedGradientMirrorTo(clNone);
  EXPECT_EQ(f.grid->QELGradientMirrorTo(), clNone);
  // The gradient ends are stored as RGB; the hover and pressed colours as given.
  l->SetFixedGradientFrom(clBtnFace);
  EXPECT_EQ(f.grid->QELGradientFrom(), ColorToRGB(clBtnFace));
  l->SetFixedGradientHoverFrom(clBtnFace);
  EXPECT_EQ(f.grid->QELGradientHoverFrom(), clBtnFace);
  l->SetFixedGradientHoverBorder(clSilver);
  l->SetFixedGradientHoverBorder(clNone);
  EXPECT_EQ(f.grid->QELGradientHoverBorder(), clSilver);
  EXPECT_EQ(l->FixedGradientHoverBorder(), clNone);
  l->SetFixedGradientDownBorder(clMaroon);
  EXPECT_EQ(f.grid->QELGradientDownBorder(), clMaroon);
  l->SetFixedGradientDownMirrorFrom(clNavy);
  EXPECT_EQ(f.grid->QELGradientDownMirrorFrom(), clNavy);
}

TEST(AdvGridControlLook, AssignCopiesColoursWithoutTouchingTheCopysGrid) {
  GridForm<> a, b;
  TControlLook* src = a.grid->ControlLook();
  src->SetFixedGradientHoverFrom(clLime);
  src->SetFixedGradientFrom(clYellow);
  src->SetCheckSize(20);
  src->SetFlatButton(true);
  const TColor before = b.grid->QELGradientFrom();
  b.grid->ControlLook()->Assign(src);
  EXPECT_EQ(b.grid->ControlLook()->FixedGradientHoverFrom(), clLime);
  EXPECT_EQ(b.grid->ControlLook()->FixedGradientFrom(), clYellow);
  EXPECT_EQ(b.grid->ControlLook()->CheckSize(), 20);
  EXPECT_FALSE(b.grid->ControlLook()->FlatButton());
  EXPECT_EQ(b.grid->QELGradientFrom(), before);
  EXPECT_NE(b.grid->QELGradientHoverFrom(), clLime);
}

struct GlyphCase {
  const char* Name;
  TControlLookStyle Style;
  bool Checked, Enabled, TriState;
  TCheckBoxState State;
  TPoint Mark;
  TColor Expected;  // at Mark
};

TEST(AdvGridControlLook, BitmapCheckGlyphsShowTheirStates) {
  const GlyphCase cases[] = {
      {"xp checked", csWinXP, true, true, false, cbUnchecked, kXPCheckMarkPixel, gc::XPMark},
      {"xp unchecked", csWinXP, false, true, false, cbUnchecked, kXPCheckMarkPixel, gc::XPFill},
      {"xp checked disabled", csWinXP, true, false, false, cbUnchecked, kXPCheckMarkPixel, gc::XPDisabledMark},
      {"xp unchecked disabled", csWinXP, false, false, false, cbUnchecked, kXPCheckMarkPixel, gc::XPDisabledFill},
      {"xp grayed tri-state shows unchecked", csWinXP, true, true, true, cbGrayed, kXPCheckMarkPixel, gc::XPFill},
      {"xp tri-state checked", csWinXP, false, true, true, cbChecked, kXPCheckMarkPixel, gc::XPMark},
      {"own checked", csQEL, true, true, false, cbUnchecked, kOwnCheckMarkPixel, gc::OwnMark},
      {"own unchecked disabled", csQEL, false, false, false, cbUnchecked, kOwnCheckMarkPixel, gc::OwnDisabledFill},
  };
  for (const GlyphCase& c : cases) {
    GridForm<> f;
    TImageCanvas img(40, 40, clAqua);
    f.grid->DrawCheckGlyph(img.Canvas(), Rect(10, 10, 30, 30), c.Checked, c.Enabled, false, c.Style, c.TriState,
                           c.State);
    EXPECT_EQ(img.Pixel(10 + c.Mark.X, 10 + c.Mark.Y), c.Expected) << c.Name;
    // The key colour is transparent: the ground shows at the glyph's corner.
    EXPECT_EQ(img.Pixel(10, 10 + 15), clAqua) << c.Name;
  }
}

TEST(AdvGridControlLook, AlwaysActiveChecksAreNeverDrawnDisabled) {
  GridForm<> f;
  f.grid->ControlLook()->SetCheckAlwaysActive(true);
  TImageCanvas img(20, 20);
  f.grid->DrawCheckGlyph(img.Canvas(), Rect(0, 0, 16, 16), true, false, false, csWinXP);
  EXPECT_EQ(img.Pixel(kXPCheckMarkPixel.X, kXPCheckMarkPixel.Y), gc::XPMark);
}

TEST(AdvGridControlLook, ThemeStyleFallsBackToClassicWithoutVisualStyles) {
  GridForm<TUnthemedGrid> f;
  TRecordingCanvas cv;
  f.grid->DrawCheckGlyph(&cv, Rect(0, 0, 21, 21), true, true, false, csTheme);
  ASSERT_EQ(cv.CallsNamed("DrawFrameControl").size(), 1u) << cv.Log();
  EXPECT_TRUE(cv.CallsNamed("ThemeDrawBackground").empty());
  // A CheckSize square centred in the rectangle, checked.
  EXPECT_EQ(cv.CallsNamed("DrawFrameControl")[0].ToString(),
            "DrawFrameControl(3,3,18,18," + std::to_string(DFC_BUTTON) + "," +
                std::to_string(DFCS_BUTTONCHECK | DFCS_CHECKED) + ")");

  GridForm<> themed;
  cv.Clear();
  themed.grid->DrawCheckGlyph(&cv, Rect(0, 0, 21, 21), false, false, true, csTheme);
  auto t = cv.CallsNamed("ThemeDrawBackground");
  ASSERT_EQ(t.size(), 1u) << cv.Log();
  EXPECT_EQ(t[0].Args[0], ThemeParts::BP_CHECKBOX);
  EXPECT_EQ(t[0].Args[1], ThemeParts::CBS_MIXEDDISABLED);
}

TEST(AdvGridControlLook, GlyphStyleDrawsTheUsersBitmapsOrNothing) {
  GridForm<> f;
  TRecordingCanvas cv;
  f.grid->DrawCheckGlyph(&cv, Rect(0, 0, 16, 16), true, true, false, csGlyph);
  EXPECT_TRUE(cv.Calls().empty()) << cv.Log();
  TBitmap on;
  on.SetSize(12, 12);
  f.grid->ControlLook()->SetCheckedGlyph(&on);
  f.grid->DrawCheckGlyph(&cv, Rect(4, 5, 16, 16), true, true, false, csGlyph);
  ASSERT_EQ(cv.CallsNamed("Draw").size(), 1u);
  EXPECT_EQ(cv.CallsNamed("Draw")[0].ToString(), "Draw(4,5,12,12)");
}

TEST(AdvGridControlLook, RadioGroupSelectsTheItemEqualToTheCellText) {
  TScopedFakeMetrics metrics;
  GridForm<> f;
  f.grid->SetCellEx(1, 1, u"two");
  TStringList items;
  items.Add(u"one");
  items.Add(u"two");
  items.Add(u"three");
  TImageCanvas img(120, 100, clWhite);
  const TRect r = Rect(0, 0, 120, 100);
  f.grid->DrawRadioGroup(img.Canvas(), r, 3, -1, false, false, &items, false, 1, 1, csWinXP, 1.0, false);
  const int ih = std::max(16, img.Canvas()->TextHeight(u"gh"));
  for (int i = 0; i < 3; ++i) {
    const int top = ih * i + 2;
    EXPECT_EQ(img.Pixel(2 + kRadioDotPixel.X, top + kRadioDotPixel.Y), i == 1 ? gc::XPMark : gc::XPFill) << i;
  }
  // Texts 18 pixels in, one pixel below their glyph's top.
  TRecordingCanvas cv;
  f.grid->DrawRadioGroup(&cv, r, 3, 0, false, true, &items, false, 1, 1, csWinXP, 1.0, false);
  auto texts = cv.CallsNamed("TextOut");
  ASSERT_EQ(texts.size(), 3u) << cv.Log();
  EXPECT_EQ(texts[1].Args[0], 18);
  EXPECT_EQ(texts[1].Args[1], ih + 2 + 1);
}

TEST(AdvGridControlLook, ClassicRadioButtonsLineUpAfterTheEarlierTexts) {
  TScopedFakeMetrics metrics;
  GridForm<TUnthemedGrid> f;
  TStringList items;
  items.Add(u"ab");
  items.Add(u"cde");
  TRecordingCanvas cv;
  f.grid->DrawRadioGroup(&cv, Rect(0, 0, 200, 30), 2, 1, true, false, &items, false, 0, 0, csTheme, 1.0, false);
  auto glyphs = cv.CallsNamed("DrawFrameControl");
  ASSERT_EQ(glyphs.size(), 2u) << cv.Log();
  const int s = 10, w = cv.TextWidth(u"ab");
  EXPECT_EQ(glyphs[0].Args[0], 2);
  EXPECT_EQ(glyphs[1].Args[0], 2 + s + w);
  EXPECT_EQ(glyphs[0].Args[1], (30 - s) / 2);
  EXPECT_FALSE(glyphs[0].Args[5] & DFCS_CHECKED);
  EXPECT_TRUE(glyphs[1].Args[5] & DFCS_CHECKED);
  // Nothing for an empty group.
  cv.Clear();
  f.grid->DrawRadioGroup(&cv, Rect(0, 0, 200, 30), 0, 0, true, false, &items, false, 0, 0, csClassic, 1.0, false);
  EXPECT_TRUE(cv.Calls().empty());
}

}  // namespace

TEST(AdvGridControlLook, OwnsTheDropDownHeaderAndFooterAndCopiesThemOnAssign) {
  GridForm<> a, b;
  TControlLook* src = a.grid->ControlLook();
  ASSERT_NE(src->DropDownHeader(), nullptr);
  ASSERT_NE(src->DropDownFooter(), nullptr);
  EXPECT_EQ(src->DropDownHeader()->Font()->Name(), u"Tahoma");
  EXPECT_TRUE(src->DropDownFooter()->SizeGrip());
  EXPECT_EQ(src->DropDownHeader()->Buttons()->Owner(), a.grid);
  // No callbacks are set by the control look: changes raise nothing anywhere.
  EXPECT_FALSE(src->DropDownHeader()->OnChange);
  EXPECT_FALSE(src->DropDownFooter()->OnButtonsChanged);

  src->DropDownHeader()->SetCaption(u"Pick");
  src->DropDownFooter()->SetHeight(30);
  src->DropDownFooter()->Buttons()->Add()->SetCaption(u"OK");
  THeaderAppearance* header = b.grid->ControlLook()->DropDownHeader();
  b.grid->ControlLook()->Assign(src);
  EXPECT_EQ(b.grid->ControlLook()->DropDownHeader(), header);  // assigned into, not replaced
  EXPECT_EQ(header->Caption(), u"Pick");
  EXPECT_EQ(b.grid->ControlLook()->DropDownFooter()->Height(), 30);
  EXPECT_EQ(b.grid->ControlLook()->DropDownFooter()->Buttons()->Items(0)->Caption(), u"OK");

  THeaderAppearance other(nullptr);
  other.SetCaption(u"Other");
  b.grid->ControlLook()->SetDropDownHeader(&other);
  EXPECT_EQ(header->Caption(), u"Other");
}
