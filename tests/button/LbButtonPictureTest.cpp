// A form of buttons in their styles and states, painted offscreen into a PNG beside the test
// executable (lb_buttons.png) for a person to look at; the checks read pixels back from it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "button/LbButton.h"
#include "platform/Forms.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/PaintToPng.h"

namespace {

constexpr TColor kFormColour = 0xEDF7F8;

std::filesystem::path OutputFolder() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : exe.parent_path();
}

class LbButtonPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetBorderStyle(bsSingle);
    form->SetColor(kFormColour);
    form->Font()->SetName(u"Verdana");
    form->Font()->SetHeight(-11);
    form->SetClientWidth(560);
    form->SetClientHeight(250);
  }
  void TearDown() override { delete form; }

  TLbButton* Add(int col, int row, const String& caption, int height = 23) {
    TLbButton* b = New<TLbButton>(form);
    b->SetParent(form);
    b->SetBounds(10 + col * 110, 10 + row * 34, 100, height);
    b->SetCaption(caption);
    return b;
  }
  // The look every stored form gives its buttons.
  static void FormLook(TLbButton* b) {
    b->SetStyle(bsEncarta);
    b->SetColor(kFormColour);
    b->SetColorWhenDown(0x0080FF);
    b->SetHotTrackColor(clYellow);
    b->SetLightColor(clGray);
  }
  TColor Pixel(TPicture& pic, const TLbButton* b, int x, int y) {
    return ColorToRGB(pic.Bitmap()->Canvas()->Pixels(b->Left() + x, b->Top() + y));
  }

  ModalScript script;
  InputDriver driver;
  TForm* form = nullptr;
};

TEST_F(LbButtonPictureTest, ButtonsInTheirStyles) {
  TLbButton* encarta = Add(0, 0, u"Encarta");
  FormLook(encarta);
  encarta->SetKind(bkOK);
  encarta->SetCaption(u"OK");
  TLbButton* pressed = Add(1, 0, u"Pressed");
  FormLook(pressed);
  TLbButton* hot = Add(2, 0, u"Hot");
  FormLook(hot);
  TLbButton* normal = Add(3, 0, u"Normal");
  TLbButton* skyBlue = Add(4, 0, u"Sky blue hot");
  skyBlue->SetHotTrackColor(clSkyBlue);

  const TLbColorStyle presets[] = {lcsGold, lcsChrome, lcsBlue, lcsRed, lcsAqua};
  const char16_t* names[] = {u"Gold", u"Chrome", u"Blue", u"Red", u"Aqua"};
  TLbButton* modern[5] = {};
  for (int i = 0; i < 5; ++i) {
    modern[i] = Add(i, 1, names[i]);
    modern[i]->SetColorStyle(presets[i]);
  }
  TLbButton* quicken = Add(0, 2, u"Quicken");
  quicken->SetColorStyle(lcsQuicken);
  TLbButton* flatHot = Add(1, 2, u"UltraFlat hot");
  flatHot->SetColorStyle(lcsUltraFlatXP);
  TLbButton* flat = Add(2, 2, u"UltraFlat");
  flat->SetColorStyle(lcsUltraFlat1);
  TLbButton* old = Add(3, 2, u"Old focused");
  old->SetStyle(bsOld);
  TLbButton* disabled = Add(4, 2, u"");
  disabled->SetKind(bkCancel);
  disabled->SetEnabled(false);

  const TLbButtonKind kinds[] = {bkYes, bkNo, bkHelp, bkClose, bkRetry};
  for (int i = 0; i < 5; ++i) Add(i, 3, u"")->SetKind(kinds[i]);
  TLbButton* shape = Add(0, 4, u"Shape", 44);
  shape->SetStyle(bsShape);
  shape->SetKind(bkIgnore);
  shape->SetCaption(u"Shape");
  TLbButton* top = Add(1, 4, u"", 44);
  top->SetKind(bkAll);
  top->SetLayout(blGlyphTop);
  TLbButton* right = Add(2, 4, u"", 23);
  right->SetKind(bkAbort);
  right->SetLayout(blGlyphRight);
  TLbButton* wrap = Add(3, 4, u"A caption that wraps", 44);
  wrap->SetWordWrap(true);
  Add(4, 4, u"A caption far too long for the button");
  TLbButton* hotFont = Add(0, 5, u"Hot font");
  TLbButton* idleFont = Add(1, 5, u"Hot font idle");
  for (TLbButton* b : {hotFont, idleFont}) {
    b->HotTrackFont()->SetColor(clRed);
    b->HotTrackFont()->SetStyle(fsBold);
    b->SetUseHotTrackFont(true);
    b->SetTop(205);  // below the taller buttons of the row above
  }

  form->Show();
  driver.MouseDown(pressed, 50, 10);  // held down: pressed and focused
  driver.MouseEnter(hot);
  driver.MouseEnter(flatHot);
  driver.MouseEnter(skyBlue);
  driver.MouseEnter(hotFont);
  old->SetFocus();

  const auto png = OutputFolder() / "lb_buttons.png";
  ASSERT_TRUE(PaintToPng(form, Utf8ToString(png.string())));
  TPicture pic;
  pic.LoadFromFile(Utf8ToString(png.string()));
  ASSERT_EQ(pic.Width(), 560);

  // Encarta faces: the form colour, ColorWhenDown while pressed, yellow while hot.
  EXPECT_EQ(Pixel(pic, encarta, 2, 2), kFormColour);
  EXPECT_EQ(Pixel(pic, pressed, 2, 2), 0x0080FF);
  EXPECT_EQ(Pixel(pic, hot, 2, 2), ColorToRGB(clYellow));
  EXPECT_EQ(Pixel(pic, normal, 2, 2), ColorToRGB(clBtnFace));
  EXPECT_EQ(Pixel(pic, skyBlue, 2, 2), clSkyBlue);
  // The bevel: light top-left, shadow bottom-right.
  EXPECT_EQ(Pixel(pic, normal, 0, 10), clWhite);
  EXPECT_EQ(Pixel(pic, normal, 99, 10), clGray);
  // Modern styles leave their corners out: the form shows there.
  for (TLbButton* b : modern) {
    EXPECT_EQ(Pixel(pic, b, 0, 0), kFormColour);
    EXPECT_NE(Pixel(pic, b, 50, 1), kFormColour);
  }
  EXPECT_EQ(Pixel(pic, quicken, 0, 0), kFormColour);
  EXPECT_EQ(Pixel(pic, quicken, 50, 0), 0xC0C0C0);
  EXPECT_EQ(Pixel(pic, quicken, 10, 3), 0x603000);
  // Flat: a bevel only while hot.
  EXPECT_EQ(Pixel(pic, flatHot, 0, 10), 0xB59284);
  EXPECT_EQ(Pixel(pic, flat, 0, 10), ColorToRGB(clBtnFace));
  // bsOld focused: a black outline round the whole control.
  EXPECT_EQ(Pixel(pic, old, 0, 0), clBlack);
  EXPECT_EQ(Pixel(pic, old, 99, 22), clBlack);
  EXPECT_EQ(Pixel(pic, old, 50, 22), clBlack);
  // The hot-track font only while hot.
  auto redPixels = [&](TLbButton* b) {
    int n = 0;
    for (int y = 0; y < b->Height(); ++y)
      for (int x = 0; x < b->Width(); ++x) n += Pixel(pic, b, x, y) == clRed;
    return n;
  };
  EXPECT_GT(redPixels(hotFont), 10);
  EXPECT_EQ(redPixels(idleFont), 0);
  // bsShape has no face: the form shows round the glyph.
  EXPECT_EQ(Pixel(pic, shape, 3, 3), kFormColour);

  // The dotted focus rectangle from (4, 4) on the focused button only (left of the caption).
  auto marked = [&](TPicture& p, TLbButton* b, TColor face) {
    int n = 0;
    for (int x = 4; x < 16; ++x) n += Pixel(p, b, x, 4) != face;
    return n;
  };
  EXPECT_GT(marked(pic, old, ColorToRGB(clBtnFace)), 3);
  EXPECT_EQ(marked(pic, normal, ColorToRGB(clBtnFace)), 0);
  // None on a focused bsShape button.
  shape->SetFocus();
  ASSERT_TRUE(PaintToPng(form, Utf8ToString((OutputFolder() / "lb_buttons_shape_focused.png").string())));
  TPicture again;
  again.LoadFromFile(Utf8ToString((OutputFolder() / "lb_buttons_shape_focused.png").string()));
  EXPECT_TRUE(shape->Focused());
  EXPECT_EQ(marked(again, shape, kFormColour), 0);
  EXPECT_EQ(marked(again, old, ColorToRGB(clBtnFace)), 0);
}


// A strip of four 16-pixel cells in distinct colours, each with an olive bottom-left pixel.
std::unique_ptr<TBitmap> FourCells() {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(64, 16);
  const TColor colours[] = {clNavy, clBlue, clLime, clAqua};
  TCanvas* c = b->Canvas();
  for (int i = 0; i < 4; ++i) {
    c->Brush()->SetColor(colours[i]);
    c->FillRect(Rect(i * 16, 0, i * 16 + 16, 16));
    c->SetPixels(i * 16, 15, clOlive);
  }
  return b;
}

TEST_F(LbButtonPictureTest, FocusCountsAsHotButDoesNotBlendTheFace) {
  auto strip = FourCells();
  TLbButton* focused = Add(0, 0, u"");
  TLbButton* idle = Add(1, 0, u"");
  TLbButton* hovered = Add(2, 0, u"");
  for (TLbButton* b : {focused, idle, hovered}) {
    b->SetColor(clSilver);
    b->SetHotTrackColor(clYellow);
    b->SetGlyph(strip.get());
  }
  form->Show();
  focused->SetFocus();
  driver.MouseEnter(hovered);
  const auto png = OutputFolder() / "lb_buttons_focus_hot.png";
  ASSERT_TRUE(PaintToPng(form, Utf8ToString(png.string())));
  TPicture pic;
  pic.LoadFromFile(Utf8ToString(png.string()));
  // No caption: the 16-pixel cell sits at (42, 3).
  EXPECT_EQ(Pixel(pic, focused, 50, 11), ColorToRGB(clAqua));  // the hot cell
  EXPECT_EQ(Pixel(pic, focused, 2, 2), ColorToRGB(clSilver));  // the face keeps its colour
  EXPECT_EQ(Pixel(pic, idle, 50, 11), ColorToRGB(clNavy));
  EXPECT_EQ(Pixel(pic, hovered, 50, 11), ColorToRGB(clAqua));
  EXPECT_EQ(Pixel(pic, hovered, 2, 2), ColorToRGB(clYellow));
  std::filesystem::remove(png);
}

TEST_F(LbButtonPictureTest, OldStyleFocusedAndPressedDrawsItsLightEdgesInTheShadowColour) {
  TLbButton* old = Add(0, 0, u"");
  old->SetStyle(bsOld);
  old->SetColor(clSilver);
  old->SetLightColor(clWhite);
  old->SetShadowColor(clGray);
  form->Show();
  driver.MouseDown(old, 50, 10);  // pressed and focused
  ASSERT_TRUE(old->Focused());
  ASSERT_TRUE(old->Pressed());
  const auto png = OutputFolder() / "lb_buttons_old_pressed.png";
  ASSERT_TRUE(PaintToPng(form, Utf8ToString(png.string())));
  TPicture pic;
  pic.LoadFromFile(Utf8ToString(png.string()));
  // The black outline round the whole control.
  for (TPoint p : {Point(0, 0), Point(99, 0), Point(0, 22), Point(99, 22), Point(50, 0), Point(0, 11)})
    EXPECT_EQ(Pixel(pic, old, p.X, p.Y), clBlack) << p.X << "," << p.Y;
  // Inside it, one pixel in, the 98 x 21 bevel: dark top and left, then the light colour's
  // place on the right and bottom, painted in the shadow colour while pressed.
  EXPECT_EQ(Pixel(pic, old, 1, 11), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(Pixel(pic, old, 50, 1), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(Pixel(pic, old, 98, 11), clGray);
  EXPECT_EQ(Pixel(pic, old, 50, 21), clGray);
  EXPECT_EQ(Pixel(pic, old, 2, 11), clGray);  // the inner pressed edge
  EXPECT_EQ(Pixel(pic, old, 20, 11), ColorToRGB(clSilver));
  driver.MouseUp(old, 50, 10);
  std::filesystem::remove(png);
}

}  // namespace
