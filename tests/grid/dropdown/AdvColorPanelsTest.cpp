// The colour cube and the spectrum: cells and their centres, selection by colour, the hot mark
// and the RGB hint, clicks; the spectrum picture, its swatches and picking; the eyedropper cursor.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "grid/dropdown/AdvColorPanels.h"
#include "platform/Forms.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/PaintToPng.h"

namespace {

class ColorPanelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetBounds(100, 100, 400, 300);
    form->Show();
  }
  void TearDown() override { delete form; }
  template <class T>
  T* Make() {
    auto* p = new T(form);
    p->SetParent(form);
    return p;
  }

  InputDriver driver;
  TForm* form = nullptr;
};

TEST_F(ColorPanelsTest, CubeCellsLieAroundTheirCentres) {
  auto* cube = Make<TAdvColorCubePanel>();
  struct Case {
    int X, Y, Cell;
  };
  for (const Case& c : {Case{55, 20, 1}, Case{19, 80, 58}, Case{163, 80, 70}, Case{109, 30, 13}, Case{61, 20, 1},
                        Case{55, 26, 1}, Case{55, 27, -1}, Case{62, 20, 2}, Case{10, 10, -1}, Case{55, 140, 121}})
    EXPECT_EQ(cube->CellAt(c.X, c.Y), c.Cell) << c.X << "," << c.Y;
  EXPECT_EQ(cube->Cell(64).Color, static_cast<TColor>(0xFFFFFF));
  EXPECT_EQ(cube->Cell(127).Center, Point(127, 140));
  cube->ResetHot();
  EXPECT_EQ(cube->Width(), 182);
  EXPECT_EQ(cube->Height(), 160);
}

TEST_F(ColorPanelsTest, CubeSelectsTheFirstCellOfAColourAndKeepsAColourNoCellHas) {
  auto* cube = Make<TAdvColorCubePanel>();
  EXPECT_EQ(cube->SelectedColor(), clNone);
  cube->SetSelectedColor(0xFFFFFF);
  EXPECT_EQ(cube->SelectedIndex(), 64);
  cube->SetSelectedColor(0x123456);
  EXPECT_EQ(cube->SelectedIndex(), -1);
  EXPECT_EQ(cube->SelectedColor(), static_cast<TColor>(0x123456));
  cube->SetSelection(0x123456, 5);
  EXPECT_EQ(cube->SelectedIndex(), 5);
}

TEST_F(ColorPanelsTest, CubeMouseMarksHotShowsTheHintAndClicksSelectOnce) {
  auto* cube = Make<TAdvColorCubePanel>();
  cube->ResetHot();
  int selects = 0;
  cube->OnSelect = [&](TObject* Sender) {
    EXPECT_EQ(Sender, cube);
    ++selects;
  };
  driver.MouseMove(cube, 109, 30);
  EXPECT_EQ(cube->HotIndex(), 13);
  EXPECT_EQ(cube->Hint(), u"Red: 0,  Green: 0,  Blue: 255");
  driver.MouseMove(cube, 2, 2);  // off the cells
  EXPECT_EQ(cube->HotIndex(), 13);
  EXPECT_EQ(cube->Hint(), u"");
  driver.MouseLeave(cube);
  EXPECT_EQ(cube->HotIndex(), 13);
  cube->SetSelectedColor(0xFFFFFF);
  driver.Click(cube, 55, 20);
  EXPECT_EQ(cube->SelectedIndex(), 1);
  EXPECT_EQ(cube->SelectedColor(), static_cast<TColor>(0x663300));
  EXPECT_EQ(selects, 1);
  driver.Click(cube, 55, 27);  // between cells
  EXPECT_EQ(cube->SelectedIndex(), 1);
  EXPECT_EQ(selects, 1);
  // The marks as painted: the selected cell's black ring, the hot cell's red one.
  auto bitmap = PaintToBitmap(cube);
  EXPECT_EQ(bitmap->Canvas()->Pixels(55 - 5, 20), clBlack);
  EXPECT_EQ(bitmap->Canvas()->Pixels(109 - 5, 30), static_cast<TColor>(0x0000FF));
  EXPECT_EQ(bitmap->Canvas()->Pixels(109, 30), static_cast<TColor>(0xFF0000));
}

TEST_F(ColorPanelsTest, SpectrumPictureRunsFromWhiteThroughTheHuesToBlack) {
  TBitmap spectrum;
  PaintColorSpectrum(&spectrum);
  ASSERT_EQ(spectrum.Width(), 128);
  ASSERT_EQ(spectrum.Height(), 128);
  EXPECT_EQ(spectrum.PixelFormat(), pf24bit);
  TCanvas* c = spectrum.Canvas();
  for (int x = 0; x < 128; x += 9) {
    EXPECT_EQ(c->Pixels(x, 0), clWhite) << x;
    EXPECT_EQ(c->Pixels(x, 127), clBlack) << x;
    // A pure hue: one channel full, one empty.
    const TColor pure = c->Pixels(x, 64);
    const int parts[] = {static_cast<int>(pure & 0xFF), static_cast<int>((pure >> 8) & 0xFF),
                         static_cast<int>((pure >> 16) & 0xFF)};
    EXPECT_EQ(*std::max_element(parts, parts + 3), 255) << x;
    EXPECT_EQ(*std::min_element(parts, parts + 3), 0) << x;
  }
  struct Hue {
    int X;
    TColor Color;
  };
  for (const Hue& h : {Hue{0, 0x0000FF}, Hue{64, 0xFFFF00}})  // red at the left, cyan half-way
    EXPECT_EQ(c->Pixels(h.X, 64), h.Color) << h.X;
}

TEST_F(ColorPanelsTest, SpectrumSwatchesAndPickingThePixelUnderTheMouse) {
  auto* panel = Make<TAdvColorSpectrumPanel>();
  EXPECT_TRUE(BitmapResourceExists(u"QEL_SPECTRUM"));
  panel->UpdateLayout();
  EXPECT_EQ(panel->Width(), 150);
  EXPECT_EQ(panel->Height(), 174);
  EXPECT_EQ(panel->SpectrumImage()->BoundsRect(), Rect(11, 10, 139, 138));
  EXPECT_EQ(panel->SelectedRect(), Rect(10, 146, 73, 166));
  EXPECT_EQ(panel->HotRect(), Rect(77, 146, 140, 166));
  EXPECT_EQ(panel->SelectedColor(), static_cast<TColor>(0xFFFFFF));
  EXPECT_EQ(panel->HotColor(), clNone);
  auto before = PaintToBitmap(panel);
  EXPECT_EQ(before->Canvas()->Pixels(40, 156), clWhite);
  int selects = 0;
  panel->OnSelect = [&](TObject*) { ++selects; };
  TImage* image = panel->SpectrumImage();
  driver.MouseMove(image, 0, 64);
  EXPECT_EQ(panel->HotColor(), static_cast<TColor>(0x0000FF));
  driver.Click(image, 0, 64);
  EXPECT_EQ(panel->SelectedColor(), static_cast<TColor>(0x0000FF));
  EXPECT_EQ(selects, 1);
  auto after = PaintToBitmap(panel);
  EXPECT_EQ(after->Canvas()->Pixels(40, 156), static_cast<TColor>(0x0000FF));
  EXPECT_EQ(after->Canvas()->Pixels(100, 156), static_cast<TColor>(0x0000FF));
  // The pointer over the picture: the eyedropper registered as cursor 54.
  EXPECT_EQ(image->Cursor(), TAdvColorSpectrumPanel::kPointerCursor);
  const TCursorImage* cursor = FindCursorImage(TAdvColorSpectrumPanel::kPointerCursor);
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->Width, 32);
  EXPECT_EQ(cursor->HotX, 1);
  EXPECT_EQ(cursor->HotY, 30);
  EXPECT_EQ(cursor->Pixels[0], 0);            // a transparent corner
  EXPECT_NE(cursor->Pixels[30 * 32 + 1], 0);  // the tip is drawn
}

}  // namespace
