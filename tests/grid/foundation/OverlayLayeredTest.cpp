// Overlay windows showing a premultiplied image: what the composited form really shows.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "OverlayGrab.h"
#include "grid/foundation/AdvObjOverlay.h"
#include "platform/Forms.h"
#include "platform/Overlay.h"
#include "platform/testing/ModalScript.h"

namespace {

class OverlayLayeredTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetClientWidth(120);
    form->SetClientHeight(80);
    form->SetColor(static_cast<TColor>(0x406080));  // blue 0x40, green 0x60, red 0x80
    form->Show();
  }
  void TearDown() override { delete form; }

  // A window at (10, 10) in the form showing a bitmap of one pixel value.
  TGridFocusWindow* ShowUniform(int w, int h, std::array<uint8_t, 4> bgra, uint8_t constantAlpha) {
    auto* win = new TGridFocusWindow(form);
    TBitmap image;
    image.SetPixelFormat(pf32bit);
    image.SetSize(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int ch = 0; ch < 4; ++ch) image.ScanLine(y)[x * 4 + ch] = bgra[static_cast<size_t>(ch)];
    UpdateOverlayLayered(win, &image, constantAlpha);
    const TPoint at = form->ClientToScreen(Point(10, 10));
    win->SetBounds(at.X, at.Y, w, h);
    win->Show();
    return win;
  }

  ModalScript script;
  TForm* form = nullptr;
};

TEST_F(OverlayLayeredTest, PixelsBlendByTheirAlphaTimesTheConstantAlpha) {
  const TGrabbedPixels plain = GrabPixels(form, "overlay_layered_plain");
  ASSERT_GT(plain.Width, 20);
  const std::array<int, 3> bg = plain.At(15, 15);
  const struct {
    std::array<uint8_t, 4> bgra;
    uint8_t constantAlpha;
  } cases[] = {
      {{0, 0, 0, 0}, 255},          // fully transparent
      {{200, 100, 0, 255}, 255},    // opaque
      {{100, 50, 0, 128}, 255},     // half covered
      {{200, 100, 0, 255}, 230},    // opaque pixel, constant alpha
      {{97, 211, 253, 255}, 230},   // the glow colour at full alpha
      {{48, 105, 126, 128}, 230},   // the glow colour at half alpha
      {{10, 20, 30, 40}, 0},        // a constant alpha of 0 hides everything
      {{255, 255, 255, 255}, 1},
  };
  for (const auto& c : cases) {
    TGridFocusWindow* win = ShowUniform(8, 8, c.bgra, c.constantAlpha);
    const TGrabbedPixels shown = GrabPixels(form, "overlay_layered_case");
    for (int ch = 0; ch < 3; ++ch) {
      const double want = c.bgra[static_cast<size_t>(ch)] * c.constantAlpha / 255.0 +
                          bg[static_cast<size_t>(ch)] * (1.0 - c.bgra[3] * c.constantAlpha / (255.0 * 255.0));
      EXPECT_LE(std::abs(shown.At(13, 13)[static_cast<size_t>(ch)] - static_cast<int>(std::lround(want))), 2)
          << int(c.bgra[0]) << "," << int(c.bgra[1]) << "," << int(c.bgra[2]) << "," << int(c.bgra[3]) << " x "
          << int(c.constantAlpha) << " channel " << ch;
      EXPECT_EQ(shown.At(20, 13), plain.At(20, 13)) << "beside the window";
    }
    delete win;
  }
}

TEST_F(OverlayLayeredTest, WindowTakesTheImageSizeAndKeepsItsShape) {
  auto* win = new TGridFocusWindow(form);
  const TPoint at = form->ClientToScreen(Point(10, 10));
  win->SetBounds(at.X, at.Y, 30, 30);
  win->SetFrameShape(Rect(0, 0, 20, 12), Rect(5, 4, 15, 8));
  TBitmap image;
  image.SetPixelFormat(pf24bit);  // no alpha: opaque
  image.SetSize(20, 12);
  image.Canvas()->Brush()->SetColor(clWhite);
  image.Canvas()->FillRect(Rect(0, 0, 20, 12));
  UpdateOverlayLayered(win, &image, 255);
  EXPECT_EQ(win->Width(), 20);
  EXPECT_EQ(win->Height(), 12);
  EXPECT_EQ(Point(win->Left(), win->Top()), Point(10, 10));
  win->Show();

  const TGrabbedPixels shown = GrabPixels(form, "overlay_layered_shape");
  const std::array<int, 3> white{255, 255, 255}, back{0x40, 0x60, 0x80};
  EXPECT_EQ(shown.At(11, 11), white);  // frame
  EXPECT_EQ(shown.At(28, 20), white);
  EXPECT_EQ(shown.At(20, 16), back);   // hole
  EXPECT_EQ(shown.At(30, 15), back);   // past the image's width
  EXPECT_EQ(shown.At(15, 22), back);   // past its height
}

TEST_F(OverlayLayeredTest, ColourAboveItsAlphaIsHeldToTheAlpha) {
  // Not a premultiplied colour: blending it as it stands would overflow into other channels.
  ShowUniform(8, 8, {255, 200, 90, 100}, 255);
  const TGrabbedPixels shown = GrabPixels(form, "overlay_layered_clamp");
  const int bg[3] = {0x40, 0x60, 0x80};
  const int src[3] = {100, 100, 90};
  for (int ch = 0; ch < 3; ++ch) {
    const int want = static_cast<int>(std::lround(src[ch] + bg[ch] * (255 - 100) / 255.0));
    EXPECT_LE(std::abs(shown.At(13, 13)[static_cast<size_t>(ch)] - want), 2) << ch;
  }
}

TEST_F(OverlayLayeredTest, OpacityOfALayeredWindowIsItsConstantAlpha) {
  TGridFocusWindow* win = ShowUniform(8, 8, {255, 255, 255, 255}, 255);
  EXPECT_EQ(OverlayOpacity(win), 255);
  SetOverlayOpacity(win, 0);
  EXPECT_EQ(OverlayOpacity(win), 0);
  const TGrabbedPixels hidden = GrabPixels(form, "overlay_layered_hidden");
  EXPECT_EQ(hidden.At(13, 13), (std::array<int, 3>{0x40, 0x60, 0x80}));
  SetOverlayOpacity(win, 255);
  const TGrabbedPixels shown = GrabPixels(form, "overlay_layered_shown");
  EXPECT_EQ(shown.At(13, 13), (std::array<int, 3>{255, 255, 255}));
}

TEST_F(OverlayLayeredTest, ArrowWindowsKeepTheirWholeWindowOpacity) {
  auto* arrow = new TArrowWindow(form, arrUp);
  const TPoint at = form->ClientToScreen(Point(40, 20));
  arrow->SetBounds(at.X, at.Y, 11, 11);
  SetOverlayOpacity(arrow, 128);
  arrow->Show();
  EXPECT_EQ(OverlayOpacity(arrow), 128);
  const TGrabbedPixels shown = GrabPixels(form, "overlay_arrow_opacity");
  const int lime[3] = {0, 0xFF, 0}, bg[3] = {0x40, 0x60, 0x80};
  for (int ch = 0; ch < 3; ++ch) {
    const int want = static_cast<int>(std::lround(lime[ch] * 128 / 255.0 + bg[ch] * (1 - 128 / 255.0)));
    EXPECT_LE(std::abs(shown.At(45, 26)[static_cast<size_t>(ch)] - want), 2) << ch;  // inside the arrow
  }
  EXPECT_EQ(shown.At(41, 28), (std::array<int, 3>{0x40, 0x60, 0x80}));  // outside its outline
}

}  // namespace
