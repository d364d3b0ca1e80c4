#include "platform/testing/ImageCanvas.h"

#include <algorithm>

#include <QImage>

#include "platform/qt/QtCanvas.h"

TImageCanvas::TImageCanvas(int width, int height, TColor fill) {
  bitmap_.SetPixelFormat(pf24bit);
  bitmap_.SetSize(width, height);
  bitmap_.MutableImage()->fill(ToQColor(fill));
}

void TImageCanvas::SetPixelsPerInch(int Dpi) { static_cast<TQtCanvas*>(bitmap_.Canvas())->SetDeviceResolution(Dpi, Dpi); }

TColor TImageCanvas::Pixel(int x, int y) {
  const QImage* img = bitmap_.NativeImage();
  if (x < 0 || y < 0 || x >= img->width() || y >= img->height()) return clNone;
  QRgb v = img->pixel(x, y);
  return RGB(qRed(v), qGreen(v), qBlue(v));
}

std::vector<std::string> TImageCanvas::Art(const TRect& r, const std::map<TColor, char>& legend, char other) {
  std::vector<std::string> rows;
  for (int y = r.Top; y < r.Bottom; ++y) {
    std::string row;
    for (int x = r.Left; x < r.Right; ++x) {
      auto it = legend.find(Pixel(x, y));
      row += it == legend.end() ? other : it->second;
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<TColor> TImageCanvas::Snapshot() {
  std::vector<TColor> all;
  for (int y = 0; y < Height(); ++y)
    for (int x = 0; x < Width(); ++x) all.push_back(Pixel(x, y));
  return all;
}

int TImageCanvas::CountColor(TColor c) {
  int n = 0;
  for (TColor v : Snapshot()) n += v == ColorToRGB(c);
  return n;
}

bool TImageCanvas::SavePng(const String& path) {
  return bitmap_.NativeImage()->save(QString::fromStdU16String(path), "PNG");
}

std::unique_ptr<TBitmap> PatternBitmap(int Width, int Height, const std::vector<TColor>& Colors) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(Width, Height);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      const TColor c = Colors.empty() ? clWhite : Colors[static_cast<size_t>(y * Width + x) % Colors.size()];
      uint8_t* p = b->ScanLine(y) + x * 3;
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
    }
  return b;
}

TColor BitmapPixel(TBitmap* Bitmap, int X, int Y) {
  const int bpp = Bitmap->PixelFormat() == pf24bit ? 3 : 4;
  const uint8_t* p = Bitmap->ScanLine(Y) + X * bpp;
  return RGB(p[2], p[1], p[0]);
}

std::map<TColor, int> BitmapColors(TBitmap* Bitmap, const TRect& R) {
  std::map<TColor, int> colors;
  for (int y = std::max(R.Top, 0); y < std::min(R.Bottom, Bitmap->Height()); ++y)
    for (int x = std::max(R.Left, 0); x < std::min(R.Right, Bitmap->Width()); ++x) ++colors[BitmapPixel(Bitmap, x, y)];
  return colors;
}

std::vector<TColor> BitmapEdge(TBitmap* Bitmap, const TRect& R) {
  std::vector<TColor> edge;
  for (int x = R.Left; x < R.Right; ++x) {
    edge.push_back(BitmapPixel(Bitmap, x, R.Top));
    if (R.Bottom - 1 > R.Top) edge.push_back(BitmapPixel(Bitmap, x, R.Bottom - 1));
  }
  for (int y = R.Top + 1; y < R.Bottom - 1; ++y) {
    edge.push_back(BitmapPixel(Bitmap, R.Left, y));
    if (R.Right - 1 > R.Left) edge.push_back(BitmapPixel(Bitmap, R.Right - 1, y));
  }
  return edge;
}
