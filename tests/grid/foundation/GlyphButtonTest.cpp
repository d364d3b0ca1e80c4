// The grid's glyph button: layout, presets, derived glyphs, the press/drag/release states,
// groups, the toggle style and the drop-down zone.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/foundation/AdvObjGridButton.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/SysUtils.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

using TButton = TAdvGridButton;

class TProbeButton : public TAdvGridButton {
 public:
  using TAdvGridButton::TAdvGridButton;
  void PaintOn(TCanvas* c) {
    paintCanvas_ = c;
    Paint();
    paintCanvas_ = nullptr;
  }
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    TAdvGridButton::Paint();
  }
};

class GlyphButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(100);
    b1 = new TProbeButton(form);
    b1->SetParent(form);
    b1->SetBounds(10, 10, 90, 23);
    b1->OnClick = [this](TObject*) { ++clicks; };
    b2 = new TProbeButton(form);
    b2->SetParent(form);
    b2->SetBounds(110, 10, 90, 23);
    form->Show();
  }
  void TearDown() override { delete form; }

  // Glyph position and caption rectangle of a plain (not hovered, not pressed) paint.
  void Placement(TProbeButton* b, TPoint& glyph, TRect& text) {
    TRecordingCanvas rc;
    b->PaintOn(&rc);
    auto draws = rc.CallsNamed("Draw");
    auto texts = rc.CallsNamed("DrawText");
    glyph = draws.empty() ? Point(-99, -99) : Point(draws[0].Args[0], draws[0].Args[1]);
    // The last one draws; an earlier one measures (DT_CALCRECT).
    text = texts.empty() ? Rect(0, 0, 0, 0)
                         : Rect(texts.back().Args[0], texts.back().Args[1], texts.back().Args[2], texts.back().Args[3]);
  }

  ModalScript script;
  InputDriver driver;
  TScopedFakeMetrics metrics{10, 10, 3, 2};  // 10 px a character, 13 px a line
  TForm* form = nullptr;
  TProbeButton* b1 = nullptr;
  TProbeButton* b2 = nullptr;
  int clicks = 0;
};

TEST_F(GlyphButtonTest, Defaults) {
  TAdvGridButton b(nullptr);
  EXPECT_EQ(b.Width(), 22);
  EXPECT_EQ(b.Height(), 23);
  EXPECT_TRUE(b.Flat());
  EXPECT_EQ(b.Margin(), -1);
  EXPECT_EQ(b.Spacing(), 4);
  EXPECT_EQ(b.Color(), clBtnFace);
  EXPECT_EQ(b.ColorDown(), 0xD8D3D2);
  EXPECT_EQ(b.ColorHot(), 0xCAC7C7);
  EXPECT_EQ(b.ColorChecked(), clGray);
  EXPECT_EQ(b.BorderColor(), clNone);
  EXPECT_TRUE(b.Shaded());
  EXPECT_TRUE(b.ShowCaption());
  EXPECT_EQ(b.Style(), tasButton);
  EXPECT_FALSE(b.ControlStyle().Contains(csClickEvents));
  EXPECT_TRUE(b.ControlStyle().Contains(csCaptureMouse));
}

TEST_F(GlyphButtonTest, LayoutOfGlyphAndCaption) {
  auto glyph = PatternBitmap(16, 16, {});
  b1->SetGlyph(glyph.get());
  b1->SetCaption(u"Find");  // 40 px wide
  // Flat: the content rectangle is (2, 2, 88, 21), 86 x 19.
  const struct {
    TAdvGridButton::TButtonLayout layout;
    int margin, spacing;
    TPoint glyph;
    TRect text;
  } cases[] = {
      {TButton::blGlyphLeft, -1, 4, {15, 4}, {35, 5, 75, 18}},
      {TButton::blGlyphRight, -1, 4, {59, 4}, {15, 5, 55, 18}},
      {TButton::blGlyphLeft, -1, -1, {12, 4}, {38, 5, 78, 18}},  // free space in three parts
      {TButton::blGlyphLeft, 3, -1, {5, 4}, {34, 5, 74, 18}},    // spacing (86 - 19 - 40) div 2 = 13
      {TButton::blGlyphLeft, 0, 4, {2, 4}, {22, 5, 62, 18}},
      {TButton::blGlyphTop, -1, 0, {37, -2}, {25, 14, 65, 27}},  // too low: margin (19 - 29 + 1) div 2 = -4
  };
  for (const auto& c : cases) {
    b1->SetLayout(c.layout);
    b1->SetMargin(c.margin);
    b1->SetSpacing(c.spacing);
    TPoint g;
    TRect t;
    Placement(b1, g, t);
    EXPECT_EQ(g, c.glyph) << int(c.layout) << " " << c.margin << " " << c.spacing;
    EXPECT_EQ(t, c.text) << int(c.layout) << " " << c.margin << " " << c.spacing;
  }
  b1->SetLayout(TButton::blGlyphLeft);
  b1->SetMargin(5);
  b1->SetMargin(-2);  // ignored
  EXPECT_EQ(b1->Margin(), 5);
}

TEST_F(GlyphButtonTest, WithoutCaptionTheGlyphSitsAtTheCorner) {
  auto glyph = PatternBitmap(8, 8, {});
  b1->SetGlyph(glyph.get());
  b1->SetCaption(u"");
  TPoint g;
  TRect t;
  Placement(b1, g, t);
  EXPECT_EQ(g, Point(0, 0));
}

TEST_F(GlyphButtonTest, HoverLiftsTheShadedGlyphButNotTheCaption) {
  auto glyph = PatternBitmap(16, 16, {clRed, clWhite});
  b1->SetGlyph(glyph.get());
  b1->SetCaption(u"Find");
  b1->SetShaded(true);
  b1->Perform(CM_MOUSEENTER, 0, 0);
  ASSERT_TRUE(b1->MouseInControl());
  TRecordingCanvas rc;
  b1->PaintOn(&rc);
  auto draws = rc.CallsNamed("Draw");
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(Point(draws[0].Args[0], draws[0].Args[1]), Point(16, 5));  // shade: (15, 4) + (1, 1)
  EXPECT_EQ(Point(draws[1].Args[0], draws[1].Args[1]), Point(14, 3));  // glyph: (15, 4) - (1, 1)
  auto texts = rc.CallsNamed("DrawText");
  ASSERT_EQ(texts.size(), 2u);  // measuring, then drawing
  EXPECT_EQ(texts[1].Args[0], 35);
  EXPECT_EQ(texts[1].Args[1], 5);
}

TEST_F(GlyphButtonTest, LookPresets) {
  const struct {
    int look;
    TColor color, colorTo, hot, down, checkedTo, borderDown, borderHot;
    bool rounded;
  } cases[] = {
      {0, 0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE0E6E7, clNone, 0xAF987A, 0xC3CECE, true},
      {1, clBtnFace, clNone, 0xEED2C1, 0xE2B598, clNone, 0xC56A31, 0xC56A31, false},
      {2, 0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x4E91FE, 0x55ADFF, 0x000000, 0x000000, false},
      {3, 0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x4E91FE, 0x55ADFF, 0x000000, 0x000000, false},
      {4, 0xECE2E1, 0xB39698, 0xCCF4FF, 0x4E91FE, 0x55ADFF, 0x000000, 0x000000, false},
      {5, clBtnFace, clNone, clBtnFace, 0xD8D3D2, clNone, clNone, clNone, false},
      {6, 0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x4DE0FB, 0x9CDDED, 0x808080, 0x808080, false},
  };
  for (const auto& c : cases) {
    TAdvGridButton b(nullptr);
    b.SetFlat(false);
    b.SetBorderColor(clRed);
    b.SetRounded(!c.rounded);
    b.SetLook(c.look);
    EXPECT_EQ(b.Color(), c.color) << c.look;
    EXPECT_EQ(b.ColorTo(), c.colorTo) << c.look;
    EXPECT_EQ(b.ColorHot(), c.hot) << c.look;
    EXPECT_EQ(b.ColorDown(), c.down) << c.look;
    EXPECT_EQ(b.ColorCheckedTo(), c.checkedTo) << c.look;
    EXPECT_EQ(b.BorderDownColor(), c.borderDown) << c.look;
    EXPECT_EQ(b.BorderHotColor(), c.borderHot) << c.look;
    EXPECT_EQ(b.Rounded(), c.rounded) << c.look;
    EXPECT_EQ(b.BorderColor(), clNone) << c.look;
    EXPECT_TRUE(b.Flat()) << c.look;
  }
  TAdvGridButton b(nullptr);
  b.SetColorHot(clRed);
  b.SetLook(7);
  EXPECT_EQ(b.ColorHot(), clRed);
  EXPECT_EQ(b.Color(), clBtnFace);
}

TEST_F(GlyphButtonTest, ThemeLookFollowsTheColourScheme) {
  TAdvGridButton b(nullptr);
  b.SetAutoThemeAdapt(true);  // the platform profile's scheme is "NormalColor"
  EXPECT_EQ(b.Look(), 2);
  EXPECT_EQ(b.Color(), 0xFDEADA);
}

TEST_F(GlyphButtonTest, DisabledGlyphIsDerivedOnceInGrey) {
  auto glyph = PatternBitmap(3, 1, {RGB(30, 60, 90), clWhite, clBlack});
  TAdvGridButton b(nullptr);
  b.SetGlyph(glyph.get());
  TBitmap* d = b.GlyphDisabled();
  ASSERT_EQ(d->Width(), 3);
  EXPECT_EQ(BitmapPixel(d, 0, 0), RGB(126, 126, 126));
  EXPECT_EQ(BitmapPixel(d, 1, 0), RGB(223, 223, 223));
  EXPECT_EQ(BitmapPixel(d, 2, 0), RGB(96, 96, 96));
  auto second = PatternBitmap(3, 1, {clRed});
  b.SetGlyph(second.get());
  EXPECT_EQ(BitmapPixel(b.GlyphDisabled(), 1, 0), RGB(223, 223, 223));  // still from the first glyph
}

TEST_F(GlyphButtonTest, ShadeIsAGreySilhouetteOnTheTransparentColour) {
  // Bottom-left pixel (white) is the transparent colour.
  auto glyph = PatternBitmap(3, 2, {clRed, clBlue, clWhite, clWhite, clRed, clWhite});
  TAdvGridButton b(nullptr);
  b.SetGlyph(glyph.get());
  b.SetShaded(true);
  TBitmap* s = b.GlyphShade();
  ASSERT_EQ(s->Width(), 3);
  const TColor expected[2][3] = {{clGray, clGray, clWhite}, {clWhite, clGray, clWhite}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(BitmapPixel(s, x, y), expected[y][x]) << x << "," << y;
}

TEST_F(GlyphButtonTest, PressDragAndReleaseStates) {
  using S = TAdvGridButton::TButtonState;
  driver.MouseDown(b1, 5, 5);
  EXPECT_EQ(b1->State(), S::bsDown);
  EXPECT_TRUE(b1->Dragging());
  driver.MouseMove(b1, 95, 5);  // off the button
  EXPECT_EQ(b1->State(), S::bsUp);
  driver.MouseMove(b1, 5, 23);  // the bottom edge counts as inside
  EXPECT_EQ(b1->State(), S::bsDown);
  driver.MouseUp(b1, 5, 5);
  EXPECT_EQ(b1->State(), S::bsUp);
  EXPECT_FALSE(b1->Dragging());
  EXPECT_EQ(clicks, 1);

  driver.MouseDown(b1, 5, 5);
  driver.MouseUp(b1, 90, 5);  // released beyond the right edge
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(b1->State(), S::bsUp);
}

TEST_F(GlyphButtonTest, NonFlatContentMovesWhilePressed) {
  b1->SetFlat(false);
  b1->SetCaption(u"Find");
  TPoint g;
  TRect up, down;
  Placement(b1, g, up);
  driver.MouseDown(b1, 5, 5);
  Placement(b1, g, down);
  OffsetRect(up, 1, 1);
  EXPECT_EQ(down, up);
}

TEST_F(GlyphButtonTest, GroupKeepsOneButtonDown) {
  b1->SetGroupIndex(1);
  b2->SetGroupIndex(1);
  b1->SetDown(true);
  b2->SetDown(true);
  EXPECT_FALSE(b1->Down());
  EXPECT_TRUE(b2->Down());
  EXPECT_EQ(b2->State(), TButton::bsExclusive);
  b2->SetDown(false);  // refused without AllowAllUp
  EXPECT_TRUE(b2->Down());

  driver.MouseDown(b1, 5, 5);  // a click presses the other one
  driver.MouseUp(b1, 5, 5);
  EXPECT_TRUE(b1->Down());
  EXPECT_FALSE(b2->Down());
  EXPECT_EQ(clicks, 1);

  b2->SetAllowAllUp(true);  // the group hears of it
  EXPECT_TRUE(b1->AllowAllUp());
  b1->SetDown(false);
  EXPECT_FALSE(b1->Down());
  EXPECT_FALSE(b2->Down());
}

TEST_F(GlyphButtonTest, PlainButtonNeverStaysDown) {
  b1->SetDown(true);
  EXPECT_FALSE(b1->Down());
}

TEST_F(GlyphButtonTest, ToggleStyleFlipsAndIgnoresTheGroup) {
  b1->SetStyle(tasCheck);
  b2->SetGroupIndex(0);
  driver.MouseDown(b1, 5, 5);
  driver.MouseUp(b1, 5, 5);
  EXPECT_TRUE(b1->Down());
  driver.MouseDown(b1, 5, 5);
  driver.MouseUp(b1, 5, 5);
  EXPECT_FALSE(b1->Down());
  EXPECT_EQ(clicks, 2);

  // Down and not hovered: the checked colours; hovered: the pressed colours.
  b1->SetDown(true);
  b1->Perform(CM_MOUSELEAVE, 0, 0);
  TRecordingCanvas idle;
  b1->PaintOn(&idle);
  ASSERT_FALSE(idle.CallsNamed("Rectangle").empty());
  EXPECT_EQ(idle.CallsNamed("Rectangle")[0].BrushColor, clGray);
  b1->Perform(CM_MOUSEENTER, 0, 0);
  TRecordingCanvas hot;
  b1->PaintOn(&hot);
  ASSERT_FALSE(hot.CallsNamed("Rectangle").empty());
  EXPECT_EQ(hot.CallsNamed("Rectangle")[0].BrushColor, 0xD8D3D2);
}

TEST_F(GlyphButtonTest, DropDownZoneRaisesTheMenuAndNoClick) {
  auto* menu = New<TPopupMenu>(form);
  auto* item = New<TMenuItem>(menu);
  item->SetCaption(u"Whole word");
  menu->Items()->Add(item);
  int picked = 0;
  item->OnClick = [&](TObject*) { ++picked; };
  std::vector<TPoint> shownAt;
  TPopupAnswerScope answer([&](const TPopupShown& shown) -> TMenuItem* {
    shownAt.push_back(shown.At);
    return shown.Items.empty() ? nullptr : shown.Items[0].Item;
  });
  int dropDowns = 0;
  b1->SetDropDownButton(true);
  b1->SetDropDownMenu(menu);
  b1->OnDropDown = [&](TObject*) { ++dropDowns; };
  driver.MouseDown(b1, 85, 5);  // within the right 12 pixels
  driver.MouseUp(b1, 85, 5);
  EXPECT_EQ(dropDowns, 1);
  ASSERT_EQ(shownAt.size(), 1u);
  EXPECT_EQ(shownAt[0], form->ClientToScreen(Point(10, 33)));  // below the button's left edge
  EXPECT_EQ(picked, 1);
  EXPECT_EQ(clicks, 0);
  driver.MouseDown(b1, 70, 5);  // left of the zone: a plain click
  driver.MouseUp(b1, 70, 5);
  EXPECT_EQ(dropDowns, 1);
  EXPECT_EQ(clicks, 1);

  delete menu;
  EXPECT_EQ(b1->DropDownMenu(), nullptr);
  driver.MouseDown(b1, 85, 5);  // the zone still raises OnDropDown; no menu is left to show
  driver.MouseUp(b1, 85, 5);
  EXPECT_EQ(dropDowns, 2);
  EXPECT_EQ(shownAt.size(), 1u);
}

TEST_F(GlyphButtonTest, ThemeAndSystemFontChangesReapplyTheThemeLookOnlyWhenAdapting) {
  b1->SetAutoThemeAdapt(true);
  const std::function<void()> notifications[] = {[] { Application->NotifyThemeChanged(); },
                                                 [] { Application->NotifySystemFontChanged(); }};
  for (const auto& notify : notifications) {
    b1->SetLook(6);
    b2->SetLook(6);
    notify();
    EXPECT_EQ(b1->Look(), 2);  // the profile's "NormalColor" scheme
    EXPECT_EQ(b1->Color(), 0xFDEADA);
    EXPECT_EQ(b2->Look(), 6);  // not adapting: keeps its preset
    EXPECT_EQ(b2->Color(), 0xCAFFFF);
  }
}

class MiddleEast {
 public:
  explicit MiddleEast(bool on) : old_(IsMiddleEastLocale()) { SetMiddleEastLocale(on); }
  ~MiddleEast() { SetMiddleEastLocale(old_); }
  MiddleEast(const MiddleEast&) = delete;
  MiddleEast& operator=(const MiddleEast&) = delete;

 private:
  bool old_;
};

TEST_F(GlyphButtonTest, RightToLeftAlignmentMirrorsTheGlyphSideAndTextFlagsFollowTheMode) {
  auto glyph = PatternBitmap(16, 16, {});
  b1->SetGlyph(glyph.get());
  b1->SetCaption(u"Find");
  constexpr unsigned rtl = DT_RIGHT | DT_RTLREADING;
  const struct {
    bool middleEast;
    TBiDiMode mode;
    TAdvGridButton::TButtonLayout layout;
    TPoint glyph;
    TRect text;
    unsigned bidi;  // the flags added to measuring and drawing the caption
  } cases[] = {
      {false, bdRightToLeft, TButton::blGlyphLeft, {15, 4}, {35, 5, 75, 18}, 0},  // not honoured here
      {true, bdLeftToRight, TButton::blGlyphLeft, {15, 4}, {35, 5, 75, 18}, 0},
      {true, bdRightToLeft, TButton::blGlyphLeft, {59, 4}, {15, 5, 55, 18}, rtl},
      {true, bdRightToLeft, TButton::blGlyphRight, {15, 4}, {35, 5, 75, 18}, rtl},
      {true, bdRightToLeft, TButton::blGlyphTop, {37, -4}, {25, 16, 65, 29}, rtl},
      {true, bdRightToLeftNoAlign, TButton::blGlyphLeft, {15, 4}, {35, 5, 75, 18}, DT_RTLREADING},
      {true, bdRightToLeftReadingOnly, TButton::blGlyphRight, {59, 4}, {15, 5, 55, 18}, DT_RTLREADING},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.middleEast << " mode " << int(c.mode) << " layout " << int(c.layout));
    MiddleEast locale(c.middleEast);
    b1->SetBiDiMode(c.mode);
    b1->SetLayout(c.layout);
    TRecordingCanvas rc;
    b1->PaintOn(&rc);
    auto draws = rc.CallsNamed("Draw");
    auto texts = rc.CallsNamed("DrawText");
    ASSERT_EQ(draws.size(), 1u);
    ASSERT_EQ(texts.size(), 2u);  // measuring, then drawing
    EXPECT_EQ(Point(draws[0].Args[0], draws[0].Args[1]), c.glyph);
    const std::vector<int>& t = texts[1].Args;
    EXPECT_EQ(Rect(t[0], t[1], t[2], t[3]), c.text);
    EXPECT_EQ(static_cast<unsigned>(texts[0].Args[4]), DT_CALCRECT | c.bidi);
    EXPECT_EQ(static_cast<unsigned>(texts[1].Args[4]), DT_CENTER | DT_VCENTER | c.bidi);
  }
}

TEST_F(GlyphButtonTest, HoverResyncCountsAControlLyingOnTopOfTheButton) {
  auto* cover = New<TPanel>(form);  // windowed, over the right part of b1
  cover->SetParent(form);
  cover->SetBounds(60, 0, 60, 50);
  Application->ProcessMessages();
  int enters = 0, leaves = 0;
  b1->OnMouseEnter = [&](TObject*) { ++enters; };
  b1->OnMouseLeave = [&](TObject*) { ++leaves; };

  driver.MouseMove(b1, 70, 5);  // the panel is what the mouse reaches here
  EXPECT_FALSE(b1->MouseInControl());
  EXPECT_EQ(leaves, 1);
  EXPECT_EQ(enters, 0);

  driver.MouseMove(b1, 20, 5);  // the button's own, uncovered part
  EXPECT_TRUE(b1->MouseInControl());
  EXPECT_EQ(enters, 1);

  // A release over the covered part settles the hover off again.
  driver.MouseDown(b1, 20, 5);
  driver.MouseUp(b1, 70, 5);
  EXPECT_FALSE(b1->MouseInControl());
  EXPECT_EQ(clicks, 1);  // still inside the button's own rectangle
}

TEST_F(GlyphButtonTest, DoubleClickOnlyForALatchedButton) {
  int dbl = 0;
  b1->OnDblClick = [&](TObject*) { ++dbl; };
  b1->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(5, 5));
  b1->Perform(WM_LBUTTONUP, 0, MakeLParam(5, 5));
  EXPECT_EQ(dbl, 0);
  b1->SetGroupIndex(3);
  b1->SetDown(true);
  b1->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(5, 5));
  EXPECT_EQ(dbl, 1);
}

// Without the modal script the form is really shown (offscreen), so repaints reach Paint.
TEST(GlyphButtonRepaint, FontTextAndSystemColourChangesRepaint) {
  TForm* form = New<TForm>(nullptr);
  form->SetClientWidth(200);
  form->SetClientHeight(60);
  auto* b = New<TProbeButton>(form);
  b->SetParent(form);
  b->SetBounds(10, 10, 90, 23);
  form->Show();
  Application->ProcessMessages();
  const struct {
    const char* what;
    std::function<void()> change;
  } cases[] = {
      {"nothing", [] {}},
      {"font", [&] { b->Perform(CM_FONTCHANGED, 0, 0); }},
      {"text", [&] { b->Perform(CM_TEXTCHANGED, 0, 0); }},
      {"system colours", [] { Application->NotifySystemColorsChanged(); }},
  };
  for (const auto& c : cases) {
    b->Paints = 0;
    c.change();
    Application->ProcessMessages();
    EXPECT_EQ(b->Paints > 0, std::string(c.what) != "nothing") << c.what;
  }
  delete form;
}

TEST(GlyphButtonGradient, SixteenBandsTopToBottom) {
  TRecordingCanvas rc;
  DrawGridButtonGradient(&rc, RGB(0, 0, 0), RGB(160, 32, 16), clRed, 16, Rect(0, 0, 10, 32));
  auto rects = rc.CallsNamed("Rectangle");
  ASSERT_EQ(rects.size(), 17u);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(rects[static_cast<size_t>(i)].Args, (std::vector<int>{0, 2 * i, 10, 2 * i + 3})) << i;
    EXPECT_EQ(rects[static_cast<size_t>(i)].BrushColor, RGB(10 * i, 2 * i, i)) << i;
  }
  EXPECT_EQ(rects[16].Args, (std::vector<int>{0, 0, 10, 32}));
  EXPECT_EQ(rects[16].PenColor, clRed);
  EXPECT_EQ(rects[16].BrushStyle, bsClear);

  TRecordingCanvas none;
  DrawGridButtonGradient(&none, clWhite, clBlack, clNone, 0, Rect(0, 0, 10, 5));
  EXPECT_EQ(none.CallsNamed("Rectangle").size(), 1u);  // no bands given: one band, no outline
}

TEST_F(GlyphButtonTest, AcceleratorClicks) {
  b1->SetCaption(u"&Next");
  EXPECT_EQ(b1->Perform(CM_DIALOGCHAR, u'x', 0), 0);
  EXPECT_EQ(clicks, 0);
  EXPECT_NE(b1->Perform(CM_DIALOGCHAR, u'n', 0), 0);
  EXPECT_EQ(clicks, 1);
  b1->SetEnabled(false);
  EXPECT_EQ(b1->Perform(CM_DIALOGCHAR, u'n', 0), 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(GlyphButtonTest, DisabledCaptionIsEmbossed) {
  b1->SetCaption(u"Find");
  b1->SetEnabled(false);
  TRecordingCanvas rc;
  b1->PaintOn(&rc);
  EXPECT_EQ(b1->State(), TButton::bsDisabled);
  auto texts = rc.CallsNamed("DrawText");
  ASSERT_EQ(texts.size(), 3u);  // measuring, highlight one pixel on, shadow in place
  EXPECT_EQ(texts[1].FontColor, clBtnHighlight);
  EXPECT_EQ(texts[1].Args[0], texts[2].Args[0] + 1);
  EXPECT_EQ(texts[2].FontColor, clBtnShadow);
}

TEST_F(GlyphButtonTest, GlyphIsDrawnTransparentlyOnTheFace) {
  // White background (the bottom-left pixel) with a red 4 x 4 square in the middle.
  std::vector<TColor> px(256, clWhite);
  for (int y = 6; y < 10; ++y)
    for (int x = 6; x < 10; ++x) px[static_cast<size_t>(y * 16 + x)] = clRed;
  auto glyph = PatternBitmap(16, 16, px);
  b1->SetGlyph(glyph.get());
  b1->SetCaption(u"Find");
  b1->SetColor(clAqua);
  TImageCanvas img(90, 23, clBlack);
  b1->PaintOn(img.Canvas());
  EXPECT_EQ(img.Pixel(15 + 7, 4 + 7), clRed);   // the glyph at (15, 4)
  EXPECT_EQ(img.Pixel(15 + 1, 4 + 1), clAqua);  // its white is see-through
  EXPECT_EQ(img.Pixel(1, 1), clAqua);           // the face fills (1, 1, 89, 22)
  EXPECT_EQ(img.Pixel(0, 0), clBlack);
}

}  // namespace

namespace {

// The enter and leave events come after the hover look is settled, so a handler sees it; they
// come also when the hover does not change (already hovered, or disabled).
TEST_F(GlyphButtonTest, EnterAndLeaveEventsComeAfterTheHoverIsSettled) {
  std::vector<bool> atEnter, atLeave;
  b1->OnMouseEnter = [&](TObject*) { atEnter.push_back(b1->MouseInControl()); };
  b1->OnMouseLeave = [&](TObject*) { atLeave.push_back(b1->MouseInControl()); };
  b1->Perform(CM_MOUSEENTER, 0, 0);
  b1->Perform(CM_MOUSEENTER, 0, 0);
  b1->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(atEnter, (std::vector<bool>{true, true}));
  EXPECT_EQ(atLeave, std::vector<bool>{false});

  b1->SetEnabled(false);
  atEnter.clear();
  atLeave.clear();
  b1->Perform(CM_MOUSEENTER, 0, 0);
  b1->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(atEnter, std::vector<bool>{false});
  EXPECT_EQ(atLeave, std::vector<bool>{false});
}

}  // namespace
