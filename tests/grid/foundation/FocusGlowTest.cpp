// The focus glow end to end: the blurred round-rectangle mask merged with the glow colour, shown
// by the focus window as a layered image over a cell, read back from the composited form.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "OverlayGrab.h"
#include "grid/foundation/AdvObjOverlay.h"
#include "platform/Forms.h"
#include "platform/Overlay.h"
#include "platform/testing/ModalScript.h"

namespace {

// Stands in for the grid: rows of narrow stripes in four colours, so that what lies below the
// glow differs from pixel to pixel.
class TStripes : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  static TColor ColourAt(int x, int y) {
    static const TColor palette[] = {0x2040C0, 0xF0E0D0, 0x10A060, 0x7F7F7F};
    return palette[(x / 3 + y / 10) % 4];
  }

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    for (int y = 0; y < Height(); y += 10)
      for (int x = 0; x < Width(); x += 3) {
        c->Brush()->SetColor(ColourAt(x, y));
        c->FillRect(Rect(x, y, x + 3, y + 10));
      }
  }
};

class FocusGlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetClientWidth(220);
    form->SetClientHeight(140);
    cells = new TStripes(form);
    cells->SetParent(form);
    cells->SetBounds(20, 15, 180, 110);
    form->Show();
  }
  void TearDown() override { delete form; }
  ModalScript script;
  TForm* form = nullptr;
  TStripes* cells = nullptr;
};

TEST_F(FocusGlowTest, GlowBlendsPerPixelAroundTheUntouchedCell) {
  const TRect cell = Rect(60, 40, 100, 60);  // in the stand-in grid's client pixels
  const TGrabbedPixels before = GrabPixels(form, "focus_glow_before");
  ASSERT_EQ(before.Width, 220);
  ASSERT_EQ(before.Height, 140);

  auto* focus = new TGridFocusWindow(cells);
  const int w = cell.Width() + 9, h = cell.Height() + 9;
  focus->SetWidth(w);
  focus->SetHeight(h);
  TBitmap mask;
  MakeRoundRectMask(&mask, w, h, 4, 5, 3.0);
  TBitmap colour;
  colour.SetPixelFormat(pf24bit);
  colour.SetSize(w, h);
  colour.Canvas()->Brush()->SetColor(static_cast<TColor>(0xFDD397));
  colour.Canvas()->FillRect(Rect(0, 0, w, h));
  TGridAlphaMask glow;
  glow.MergeMask(&mask, &colour, static_cast<TColor>(0xFDD397));
  glow.Opacity = 230;
  UpdateOverlayLayered(focus, &glow, glow.Opacity);
  EXPECT_EQ(focus->Width(), w);
  EXPECT_EQ(focus->Height(), h);
  focus->SetFrameShape(Rect(0, 0, w, h), Rect(4, 4, 4 + cell.Width(), 4 + cell.Height()));
  const TPoint at = cells->ClientToScreen(Point(cell.Left, cell.Top));
  focus->SetBounds(at.X - 4, at.Y - 4, w, h);
  focus->Show();
  EXPECT_FALSE(OverlayTakesFocus(focus));

  const TGrabbedPixels after = GrabPixels(form, "focus_glow_after");
  ASSERT_EQ(after.Width, before.Width);
  ASSERT_EQ(after.Height, before.Height);
  const int ox = 20 + cell.Left - 4, oy = 15 + cell.Top - 4;  // the window in form pixels
  int glowing = 0;  // frame pixels visibly changed
  for (int y = 0; y < after.Height; ++y)
    for (int x = 0; x < after.Width; ++x) {
      const int wx = x - ox, wy = y - oy;
      const bool inWindow = wx >= 0 && wx < w && wy >= 0 && wy < h;
      const bool inHole = wx >= 4 && wx < 4 + cell.Width() && wy >= 4 && wy < 4 + cell.Height();
      const int a = inWindow ? glow.ScanLine(wy)[wx * 4 + 3] : 0;
      bool changed = false;
      for (int ch = 0; ch < 3; ++ch) {
        const int bg = before.At(x, y)[ch];
        const int got = after.At(x, y)[ch];
        if (!inWindow || inHole || a == 0) {
          ASSERT_EQ(got, bg) << x << "," << y << " channel " << ch << (inHole ? " (hole)" : "");
          continue;
        }
        const int premultiplied = glow.ScanLine(wy)[wx * 4 + ch];
        const double want = premultiplied * 230.0 / 255.0 + bg * (1.0 - a * 230.0 / (255.0 * 255.0));
        ASSERT_LE(std::abs(got - static_cast<int>(std::lround(want))), 2)
            << x << "," << y << " channel " << ch << " alpha " << a << " below " << bg;
        changed = changed || std::abs(got - bg) >= 16;
      }
      if (changed) ++glowing;
    }
  // The glow is really there: a visible band all round the cell.
  EXPECT_GT(glowing, 2 * (w + h));
}

TEST_F(FocusGlowTest, MouseGoesThroughTheGlowToTheGrid) {
  auto* focus = new TGridFocusWindow(cells);
  TGridAlphaMask glow;
  TBitmap mask, colour;
  MakeRoundRectMask(&mask, 49, 29, 4, 5, 3.0);
  colour.SetPixelFormat(pf24bit);
  colour.SetSize(49, 29);
  glow.MergeMask(&mask, &colour, clWhite);
  UpdateOverlayLayered(focus, &glow, 230);
  const TPoint at = cells->ClientToScreen(Point(30, 30));
  focus->SetBounds(at.X, at.Y, 49, 29);
  focus->Show();
  // Disabled controls count here, so only the window's own transparency lets the point through.
  EXPECT_EQ(FindDragTarget(Point(at.X + 6, at.Y + 6), true), cells);
  EXPECT_FALSE(OverlayTakesFocus(focus));
}

}  // namespace
