// The canvas bound to a painter the way a control paints: the painter's own clip and
// translation stay in force, and the painter comes back as it was handed in.
#include <gtest/gtest.h>

#include "platform/qt/QtCanvas.h"

namespace {

TColor At(const QImage& img, int x, int y) { return FromQColor(img.pixelColor(x, y)); }

TEST(GraphicsQtCanvas, BoundCanvasKeepsThePaintersClipAndTranslation) {
  EnsureQtGuiApplication();
  QImage img(10, 10, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.translate(2, 3);
  p.setClipRect(QRect(0, 0, 4, 4));  // device 2..5 x 3..6
  p.setPen(Qt::green);
  TQtCanvas c;
  c.Brush()->SetColor(clRed);
  c.FillRect(Rect(0, 0, 10, 10));  // unbound: nothing happens
  c.Bind(&p);
  c.FillRect(Rect(-5, -5, 20, 20));
  c.SetClipRect(Rect(1, 1, 2, 2));
  c.Brush()->SetColor(clBlue);
  c.FillRect(Rect(-5, -5, 20, 20));
  EXPECT_EQ(c.Pixels(1, 1), clBlue);
  c.Unbind();
  EXPECT_EQ(p.pen().color(), QColor(Qt::green));
  EXPECT_TRUE(p.hasClipping());
  p.end();

  int red = 0, blue = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      TColor v = At(img, x, y);
      bool inClip = x >= 2 && x < 6 && y >= 3 && y < 7;
      if (!inClip) {
        EXPECT_EQ(v, clWhite) << x << "," << y;
      }
      red += v == clRed;
      blue += v == clBlue;
    }
  EXPECT_EQ(blue, 1);
  EXPECT_EQ(At(img, 3, 4), clBlue);
  EXPECT_EQ(red, 15);
}

TEST(GraphicsQtCanvas, RebindingStartsWithoutTheOldClip) {
  EnsureQtGuiApplication();
  QImage img(4, 1, QImage::Format_RGB32);
  img.fill(Qt::white);
  auto c = MakeQtCanvas(nullptr);
  c->Brush()->SetColor(clRed);
  {
    QPainter p(&img);
    c->Bind(&p);
    c->SetClipRect(Rect(0, 0, 1, 1));
    c->Unbind();
  }
  {
    QPainter p(&img);
    c->Bind(&p);
    c->FillRect(Rect(0, 0, 4, 1));
    c->Unbind();
  }
  for (int x = 0; x < 4; ++x) EXPECT_EQ(At(img, x, 0), clRed) << x;
}

}  // namespace
